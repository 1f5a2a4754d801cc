#include "LookTestApp.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "look_res.h"

CLookTestApp theLookApp;

IMPLEMENT_DYNCREATE(CLookView, CView)
IMPLEMENT_DYNCREATE(CLookFrame, CFrameWnd)

// clang-format off
BEGIN_MESSAGE_MAP(CLookView, CView)
    ON_WM_CHAR()
END_MESSAGE_MAP()
// clang-format on

void CLookView::OnDraw(CDC* dc)
{
    CRect r;
    GetClientRect(&r);
    dc->FillSolidRect(&r, kColor);
}

void CLookView::OnChar(UINT ch, UINT, UINT)
{
    m_chars.push_back(ch);
}

// clang-format off
BEGIN_MESSAGE_MAP(CLookFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_INITMENUPOPUP()
    ON_COMMAND_EX(ID_LOOK_NEW, &CLookFrame::OnLookCommand)
    ON_COMMAND_EX(ID_LOOK_OPEN, &CLookFrame::OnLookCommand)
    ON_COMMAND_EX(ID_LOOK_DROP, &CLookFrame::OnLookCommand)
    ON_COMMAND_EX(ID_LOOK_ON, &CLookFrame::OnLookCommand)
    ON_COMMAND_EX(ID_LOOK_EXPORT, &CLookFrame::OnLookCommand)
    ON_COMMAND_EX(ID_LOOK_AMPX, &CLookFrame::OnLookCommand)
    ON_COMMAND_EX(ID_LOOK_PLAIN, &CLookFrame::OnLookCommand)
    ON_COMMAND_EX(IDC_TOOLCOMBO, &CLookFrame::OnLookCommand)
    ON_UPDATE_COMMAND_UI(ID_LOOK_OFF, &CLookFrame::OnUpdateOff)
    ON_UPDATE_COMMAND_UI(ID_LOOK_ON, &CLookFrame::OnUpdateOn)
END_MESSAGE_MAP()
// clang-format on

CLookFrame* CLookFrame::Make(bool flatLook)
{
    auto* frame = new CLookFrame;
    frame->m_bFlatLook = flatLook;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CLookView);
    if (!frame->LoadFrame(IDR_LOOKFRAME, WS_OVERLAPPEDWINDOW, nullptr, &context)) return nullptr;
    theLookApp.m_pMainWnd = frame;
    frame->SetWindowPos(nullptr, 40, 40, 640, 420, SWP_NOZORDER);
    frame->InitialUpdateFrame(nullptr, TRUE);
    frame->SetForegroundWindow();
    frame->UpdateWindow();
    looktest::Drain();
    return frame;
}

void CLookFrame::Destroy(CLookFrame* frame)
{
    if (theLookApp.m_pMainWnd == frame) theLookApp.m_pMainWnd = nullptr;
    frame->DestroyWindow();
    looktest::Drain();
}

int CLookFrame::OnCreate(LPCREATESTRUCT cs)
{
    if (CFrameWnd::OnCreate(cs) == -1) return -1;
    if (!m_toolBar.CreateEx(this, TBSTYLE_FLAT,
                            WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC) ||
        !m_toolBar.LoadToolBar(IDR_LOOKFRAME))
        return -1;
    m_toolBar.SetButtonStyle(m_toolBar.CommandToIndex(ID_LOOK_DROP), TBSTYLE_DROPDOWN);
    static const UINT indicators[] = {ID_SEPARATOR, ID_LOOK_NEW, ID_LOOK_OPEN};
    if (!m_statusBar.Create(this) || !m_statusBar.SetIndicators(indicators, 3)) return -1;
    m_toolBar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_toolBar);
    if (m_bFlatLook) {
        CMenuXP::SetXPLookNFeel(this, true);
        CMenuXP::UpdateMenuBar(this);
    }
    return 0;
}

LRESULT CLookFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ENTERIDLE && wParam == MSGF_MENU && m_onMenuIdle) {
        auto once = std::move(m_onMenuIdle);
        m_onMenuIdle = nullptr;
        once();
    }
    if (message == WM_MENUSELECT && m_onMenuSelect && !(HIWORD(wParam) & MF_POPUP)) {
        const auto select = m_onMenuSelect;  // it may let go of itself
        select(LOWORD(wParam));
    }
    if (message == kMenuStep && m_onMenuStep) {
        auto step = std::move(m_onMenuStep);
        m_onMenuStep = nullptr;
        step();
        return 0;
    }
    LRESULT r = 0;
    if (CMenuXP::GetXPLookNFeel(this) && CMenuXP::HandleFrameMessage(this, message, wParam, lParam, &r)) return r;
    return CFrameWnd::WindowProc(message, wParam, lParam);
}

void CLookFrame::OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu)
{
    CFrameWnd::OnInitMenuPopup(popup, index, sysMenu);
    if (!sysMenu && CMenuXP::GetXPLookNFeel(this)) CMenuXP::SetXPLookNFeel(this, popup->m_hMenu, true, false);
}

BOOL CLookFrame::OnLookCommand(UINT id)
{
    m_commands.push_back(id);
    return TRUE;
}

void CLookFrame::OnUpdateOff(CCmdUI* ui)
{
    ui->Enable(FALSE);
}

void CLookFrame::OnUpdateOn(CCmdUI* ui)
{
    ui->SetCheck(1);
}

namespace looktest {

COLORREF ClientPixel(HWND hwnd, int x, int y)
{
    HDC dc = ::GetDC(hwnd);
    const COLORREF c = ::GetPixel(dc, x, y);
    ::ReleaseDC(hwnd, dc);
    return c;
}

COLORREF WindowPixel(HWND hwnd, int x, int y)
{
    HDC dc = ::GetWindowDC(hwnd);
    const COLORREF c = ::GetPixel(dc, x, y);
    ::ReleaseDC(hwnd, dc);
    return c;
}

COLORREF ScreenPixel(int x, int y)
{
    return ClientPixel(nullptr, x, y);
}

void Drain()
{
    MSG m;
    while (::PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        if (!theLookApp.PreTranslateMessage(&m)) {
            ::TranslateMessage(&m);
            ::DispatchMessageA(&m);
        }
    }
}

bool WaitUntil(const std::function<bool()>& cond)
{
    // Events of the system arrive in their own time; the limit only keeps a
    // broken run from hanging.
    const DWORD start = ::GetTickCount();
    for (;;) {
        Drain();
        if (cond()) return true;
        if (::GetTickCount() - start > 20000) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

bool ShowModeless(CDialog& dlg, UINT templateId, int x, int y)
{
    if (!dlg.Create(templateId)) return false;
    dlg.SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    dlg.ShowWindow(SW_SHOW);
    dlg.SetForegroundWindow();
    dlg.UpdateWindow();
    Drain();
    return true;
}

ShotOnFailure::~ShotOnFailure()
{
    if (::testing::Test::HasFailure() && m_hwnd && ::IsWindow(m_hwnd)) vektest::SaveWindowShot(m_hwnd, m_name.c_str());
}

std::string Hex(COLORREF c)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%06lx", static_cast<unsigned long>(c));
    return buf;
}

}  // namespace looktest

namespace {
class LookEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        ASSERT_TRUE(AfxWinInit(::GetModuleHandleA(nullptr), nullptr, const_cast<char*>(""), SW_SHOW));
        CMenuXP::InitializeHook();
    }
    void TearDown() override { CMenuXP::UninitializeHook(); }
};
const auto* g_env = ::testing::AddGlobalTestEnvironment(new LookEnvironment);
}  // namespace
