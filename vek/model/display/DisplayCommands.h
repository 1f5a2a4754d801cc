#pragma once
// The commands that change the working storey, the storey range and the
// display options.

// The display sheet of the window side (object page and result page).
class CDisplaySheet {
public:
    virtual ~CDisplaySheet() = default;
    // Runs the sheet opening on the given page; page holds the last page
    // shown afterwards. False on Cancel (unbound: always).
    virtual bool Run(int& page) { return false; }
};
CDisplaySheet* SetDisplaySheet(CDisplaySheet* sheet);

// F5: the working storey, or the plan elevation without storeys.
bool SetWorkingStorey();
// The storeys drawn together (only with storeys).
bool ChooseStoreyRange();
// The display sheet; on OK the objects shown are worked out again.
bool ShowDisplayOptionsSheet();
