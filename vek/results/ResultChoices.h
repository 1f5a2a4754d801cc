#pragma once
// What the result dialogs offer: which displacement pictures and which
// member kinds of the force diagram exist, and where a choice starts.

constexpr int kDispPictureChoices = 18;
const char* const kNoResultToShow = "没有可显示的结果";

// The picture kind of a choice (0..17): 1-9 still, 11-19 animated.
inline int DispPictureKindOf(int choice)
{
    return choice < 9 ? choice + 1 : choice + 2;
}
// Which of the eighteen pictures the result has; returns how many.
int DispPictureChoices(bool enabled[kDispPictureChoices]);
// The choice a dialog opens on: the shown picture's when it is there, else
// the first one there is; -1 when there is none.
int StartDispPictureChoice(const bool enabled[kDispPictureChoices], int shownKind);

// The member kinds of the force diagram (0 beams, 1 trusses, 2 curved
// beams, 3 pipes) the model has; returns how many.
int DiagramKindChoices(bool enabled[4]);
// A stored kind without members moves on to the next kind that has them
// (after pipes back to beams); -1 when no kind has any.
int NextChoiceWith(const bool* enabled, int count, int from);

// The contour's result types (kind 1..16) in the dialog's order, with
// " (无效)" after those the model or the result lacks.
constexpr int kContourTypes = 16;
const char* ContourTypeName(int kind);
bool ContourTypeValid(int kind);
// The component names of a contour kind (nullptr for a slot not offered);
// returns how many slots the kind has.
int ContourComponentNames(int kind, const char* names[20]);

// The cases of node displacement values (load case, displacement
// combination, spectrum direction, construction stage) the result has;
// returns how many.
int NodeValueKindChoices(bool enabled[4]);
