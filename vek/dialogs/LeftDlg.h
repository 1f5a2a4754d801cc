#pragma once
// The left panel: a small tool window over the view's lower left corner. Its
// storey, work-platform, load-case and generation-method contents come with
// the dialogs.
#include "analysis/MyDialog.h"

class CLeftDlg : public CModelessDialog {
    DECLARE_DYNAMIC(CLeftDlg)
public:
    CLeftDlg();
    BOOL Create(CWnd* parent);
    void ShowLayerAndPlatform() {}
    void ShowCurrentLoadCase() {}
};

// The one left panel, null until the main frame has made it.
extern CLeftDlg* theLeftDlg;
