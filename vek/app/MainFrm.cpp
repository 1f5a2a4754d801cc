#include "MainFrm.h"

#include "resource.h"
#include "vek/app/ProgramSettings.h"

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
ON_WM_CREATE()
ON_WM_INITMENUPOPUP()
END_MESSAGE_MAP()

namespace {
const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
}

int CMainFrame::OnCreate(LPCREATESTRUCT cs)
{
    if (CFrameWnd::OnCreate(cs) == -1) return -1;
    if (!m_wndToolBar.CreateEx(
            this, TBSTYLE_FLAT,
            WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC) ||
        !m_wndToolBar.LoadToolBar(IDR_MAINFRAME))
        return -1;
    if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(indicators, 4)) return -1;
    if (!CreateDialogsBar(this)) return -1;
    m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndToolBar);
    DockDialogsBar(this);
    if (!CreatePromptBar() || !CreateLeftPanel(this)) return -1;
    LoadBarState("Bars");
    ReadProgramSettings();
    SetMessageText(AFX_IDS_IDLEMESSAGE);
    CMenuXP::SetXPLookNFeel(this, true);
    CMenuXP::UpdateMenuBar(this);
    return 0;
}

LRESULT CMainFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (CMenuXP::GetXPLookNFeel(this) && CMenuXP::HandleFrameMessage(this, message, wParam, lParam, &result))
        return result;
    return CFrameWnd::WindowProc(message, wParam, lParam);
}

void CMainFrame::OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu)
{
    CFrameWnd::OnInitMenuPopup(popup, index, sysMenu);
    if (!sysMenu && CMenuXP::GetXPLookNFeel(this)) CMenuXP::SetXPLookNFeel(this, popup->m_hMenu, true, false);
}

BOOL CMainFrame::DestroyWindow()
{
    if (!IsBatchRun()) SaveBarState("Bars");
    WriteProgramSettings();
    CloseProgramDialogs();
    return CFrameWnd::DestroyWindow();
}
