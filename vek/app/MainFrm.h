#pragma once
// The main frame of Vek: menu, toolbar and status bar around the view.
#include "framework/Afx.h"

class CMainFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)
protected:
    CMainFrame() = default;
    int OnCreate(LPCREATESTRUCT cs);
    BOOL DestroyWindow() override;

    CToolBar m_wndToolBar;
    CStatusBar m_wndStatusBar;
    DECLARE_MESSAGE_MAP()
};
