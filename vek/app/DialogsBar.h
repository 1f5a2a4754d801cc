#pragma once
// The docking bar at the bottom of the main frame that holds the prompt bar,
// and the manager of the modeless input dialogs: it places each new one
// beside or below the others inside the view, shows, hides and closes them
// together, and remembers where they stood between runs.
#include <vector>

#include "analysis/MyDialog.h"

class CDialogsBar : public CControlBar {
    DECLARE_DYNAMIC(CDialogsBar)
public:
    CDialogsBar() = default;
    ~CDialogsBar() override;

    virtual BOOL Create(CWnd* parent, UINT id);
    // Closes the previous central dialog, takes this one, shows it and lays the bar out.
    void SetCentralDialog(CModelessDialog* dialog);
    void CloseCentralDialog();
    CModelessDialog* GetCentralDialog() const { return m_pCentral; }

    CSize CalcFixedLayout(BOOL stretch, BOOL horz) override;
    BOOL IsStretched() const override { return TRUE; }
    void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;

protected:
    void Layout();
    int OnCreate(LPCREATESTRUCT cs);
    void OnSize(UINT type, int cx, int cy);
    void OnLButtonDown(UINT flags, CPoint pt);
    void OnDestroy();

    CModelessDialog* m_pCentral = nullptr;
    DECLARE_MESSAGE_MAP()
};

extern CDialogsBar theDialogsBar;

class CModelessDlgManager {
public:
    // Places and shows a new modeless dialog below the open ones (a new
    // column when it would reach below the view).
    void Add(CModelessDialog* dialog);
    // The same for dialogs stacked upward from the bottom of the view (the left panel).
    void AddAnchored(CModelessDialog* dialog);
    // Remember the first one's position, then save and close every one.
    void CloseAll();
    void CloseAnchored();
    void ShowAll(BOOL show);
    // "Settings"/"DlgPos" of the profile.
    void LoadPositions();
    void SavePositions() const;

    int GetCount() const { return static_cast<int>(m_dialogs.size()); }
    int GetAnchoredCount() const { return static_cast<int>(m_anchored.size()); }

    // The open dialogs (their windows), in opening order.
    std::vector<HWND> m_dialogs;
    std::vector<HWND> m_anchored;
    int m_nX = -1;
    int m_nY = -1;
    int m_nAnchoredX = -1;
    int m_nAnchoredY = -1;
    int m_nParaWidth = 0;
    int m_nParaHeight = 0;
    int m_nParaScrollX = 0;
    int m_nParaScrollY = 0;

    // Lets the dialogs of both lists update their own controls.
    void UpdateDialogControls(BOOL disableIfNoHandler);

private:
    static CModelessDialog* DialogOf(HWND h);
    static void Close(std::vector<HWND>& list, int& x, int& y, CModelessDlgManager* remember, bool bottom);
};

extern CModelessDlgManager theModelessDlgs;

// The view's client area in screen coordinates (the main window's when there
// is no view, the work area when there is neither).
CRect ViewScreenRect();
