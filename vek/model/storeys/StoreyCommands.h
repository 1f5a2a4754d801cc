#pragma once
// The two commands that set the storey count and the storey heights, and the
// check of the vertical node spacing against the storey heights.
#include <vector>

// One row of the storey-height grid: storeys from this one on get the height.
struct CStoreyHeightRow {
    int storey = 0;
    double height = 0;
};

// The storey-height dialog of the window side; unbound it is cancelled.
class CStoreyHeightDialog {
public:
    virtual ~CStoreyHeightDialog() = default;
    // Shows the rows and lets the user edit them; false on Cancel.
    virtual bool Edit(std::vector<CStoreyHeightRow>& rows) { return false; }
};
CStoreyHeightDialog* SetStoreyHeightDialog(CStoreyHeightDialog* dialog);

// "*总层数输入": true when the count changed.
bool InputStoreyCount();
// "*层高输入": true when the heights changed.
bool InputStoreyHeights();

// The rows that describe the current heights, the fewest that give them back.
std::vector<CStoreyHeightRow> FillHeightRows();
// Shows a message per bad row; false when the rows are refused.
bool CheckHeightRows(const std::vector<CStoreyHeightRow>& rows);
// Gives every storey its height from the rows.
void ApplyHeightRows(const std::vector<CStoreyHeightRow>& rows);
// Moves the nodes with their storeys after the elevations changed from old.
void ShiftNodesForHeights(const double* oldElevations);

// Asks to reduce a vertical node spacing too large for the smallest storey.
void CheckVerticalSpacing();
