#pragma once
// Edits of the axis grids as a whole and of single axis lines: deleting
// selected grids or lines, adding a line at an offset from a selected one,
// moving selected lines. Each ends, when it changed anything, with the grid
// nodes made again, a new picture and the document marked modified.

// Prompts of the two interactive operations (codes 301 and 302) that ask
// for the offset.
extern const char* const kPromptAddAxisByOffset;
extern const char* const kPromptMoveAxes;

// The offset of those operations: a typed distance, or two picked points
// (model coordinates) whose difference gives it.
struct CAxisOffset {
    int picked = 0;  // 0: typed `value`; 1: the points p1 and p2
    double value = 0;
    double p1[3] = {0, 0, 0};
    double p2[3] = {0, 0, 0};
};

// What the edits show besides message boxes: the balloon hint near the top
// of the view. Unbound, the text goes to the prompt bar.
struct CAxisGridEditHooks {
    void (*flashPrompt)(const char* text, int milliseconds) = nullptr;
};
extern CAxisGridEditHooks theAxisGridEditHooks;

// Deletes every selected grid; returns how many.
int DeleteSelectedGrids();
inline void DeleteSelectedAxisGrids()
{
    DeleteSelectedGrids();
}
// Removes every selected line of every grid, renumbering the lines after
// it; returns how many.
int DeleteSelectedAxes();
// Adds one line to every grid with a selected line, at the offset from it.
// Every grid is checked first: when any new line would fall on an existing
// one or has no place in its list, nothing changes. 1 when lines were added.
int AddAxisByOffset(const CAxisOffset& offset);
// Moves the first selected line of every grid by the offset; 1 when any moved.
int MoveSelectedAxes(const CAxisOffset& offset);
