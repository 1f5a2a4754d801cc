#pragma once
// The time-history output panel and the tube-joint dialogs: display
// switches, search options and the joint input panel.
#include "analysis/MyDialog.h"

// Which time-history response the viewer shows (theHistoryOutput): a panel
// beside the view that stores every click at once. Quantities the result
// does not hold are grey; a stored one that is absent moves on.
class CHistdirDlg : public CModelessDialog {
public:
    explicit CHistdirDlg(CWnd* parent = nullptr);
    BOOL OnInitDialog() override;
    void OnClicked(UINT id);
    DECLARE_MESSAGE_MAP()

protected:
    void PostNcDestroy() override;
};
// The open panel, or null.
extern CHistdirDlg* theHistdirDlg;
// Opens the panel (or shows the open one) and registers it beside the view.
CHistdirDlg* OpenHistdirDlg();

// The tube joints' display switches and the filter.
class CSteelPipeSetDlg : public CMyDialog {
public:
    explicit CSteelPipeSetDlg(CWnd* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnFilter();
    DECLARE_MESSAGE_MAP()
};

// Where the automatic search for chords and braces looks.
class CSteelPipeSearchDlg : public CMyDialog {
public:
    explicit CSteelPipeSearchDlg(CWnd* parent = nullptr);
    void DoDataExchange(CDataExchange* dx) override;
    DECLARE_MESSAGE_MAP()
};

// The joint input (gap or spacing, overlap) beside the view, edited in place.
class CStPipeDataDlg : public CModelessDialog {
public:
    explicit CStPipeDataDlg(CWnd* parent = nullptr);
    void DoDataExchange(CDataExchange* dx) override;
    void OnOverlapKillFocus();
    DECLARE_MESSAGE_MAP()
};
