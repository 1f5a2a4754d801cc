#pragma once
// The node-restraint panels beside the view while the restraint command
// picks nodes: each box edits one freedom of the template the command
// applies (ticked fixes, empty frees, grey leaves the node's own).
// CFreedomPlanDlg is the panel of a plane model in the Y-Z plane.
#include "analysis/MyDialog.h"

class CFreedomDlg : public CModelessDialog {
    DECLARE_DYNAMIC(CFreedomDlg)
public:
    explicit CFreedomDlg(CWnd* parent, UINT templateId = 0);
    BOOL OnInitDialog() override;

protected:
    // The template into the boxes, and the boxes into the template.
    void ShowTemplate();
    void OnBox(UINT id);
    void OnAll();
    void OnNone();
    void OnInvert();
    DECLARE_MESSAGE_MAP()
};

class CFreedomPlanDlg : public CFreedomDlg {
    DECLARE_DYNAMIC(CFreedomPlanDlg)
public:
    explicit CFreedomPlanDlg(CWnd* parent);
    BOOL OnInitDialog() override;

protected:
    void OnPreset(UINT id);
    DECLARE_MESSAGE_MAP()
};

// The restraint command's panel: the plane one in a plane model.
void OpenRestraintPanel(int arg);
