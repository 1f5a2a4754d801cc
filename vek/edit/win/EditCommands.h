#pragma once
// The editing commands that need no interactive operation: undo and redo,
// merging every coincident node and sorting. The target joins the main
// frame's command route at start-up and binds the model's questions and
// prompts to their windows.
#include "framework/Afx.h"

class CEditCommands : public CCmdTarget {
public:
    void OnEditUndo();
    void OnEditRedo();
    void OnUpdateEditUndo(CCmdUI* ui);
    void OnUpdateEditRedo(CCmdUI* ui);
    void OnMergeAllNodes();
    void OnSort();
    DECLARE_MESSAGE_MAP()
};

extern CEditCommands theEditCommands;

// What the sort command asks the sort-order dialog: true to renumber the
// nodes. Unbound (the dialog not in the program), the nodes are sorted.
extern bool (*theSortChoosesNodes)();
