#pragma once
// The main frame of Vek: menu, toolbar and status bar around the view, all
// with the flat look.
#include "analysis/MenuXP.h"
#include "analysis/StatusBarXP.h"
#include "analysis/ToolBarXP.h"
#include "framework/Afx.h"

class CMainFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)
protected:
    CMainFrame() = default;
    int OnCreate(LPCREATESTRUCT cs);
    BOOL DestroyWindow() override;
    // The owner-draw messages of the flat menus go to them.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu);

    CToolBarXP m_wndToolBar;
    CStatusBarXP m_wndStatusBar;
    DECLARE_MESSAGE_MAP()
};
