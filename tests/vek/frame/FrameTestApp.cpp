#include "FrameTestApp.h"

#include <gtest/gtest.h>

#include "resource.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WinInput.h"
#include "vek/model/ProjectGlobals.h"
#include "vek/model/LayerList.h"
#include "vek/app/VekDoc.h"
#include "vek/app/VekView.h"

CFrameTestApp theFrameTestApp;

namespace frametest {

namespace {

vektest::TempDir& Scratch()
{
    static vektest::TempDir dir("frame");
    return dir;
}

class FrameEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        ASSERT_TRUE(AfxWinInit(::GetModuleHandleA(nullptr), nullptr, const_cast<char*>(""), SW_SHOW));
        free(const_cast<char*>(theFrameTestApp.m_pszProfileName));
        theFrameTestApp.m_pszProfileName = _strdup(ProfilePath().c_str());
        CMenuXP::InitializeHook();
    }
    void TearDown() override { CMenuXP::UninitializeHook(); }
};
const auto* g_env = ::testing::AddGlobalTestEnvironment(new FrameEnvironment);

// Dispatches one message through the application's own filtering.
void Dispatch(MSG& m)
{
    if (m.message == WM_QUIT) return;
    if (!theFrameTestApp.PreTranslateMessage(&m)) {
        ::TranslateMessage(&m);
        ::DispatchMessageA(&m);
    }
}

}  // namespace

std::string ProfilePath()
{
    return Scratch().File("Vekv7.INI");
}

CMainFrame* OpenFrame()
{
    auto* tmpl = new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CVekDoc), RUNTIME_CLASS(CMainFrame),
                                        RUNTIME_CLASS(CVekView));
    theFrameTestApp.AddDocTemplate(tmpl);
    if (!tmpl->OpenDocumentFile(nullptr)) return nullptr;
    auto* frame = static_cast<CMainFrame*>(theFrameTestApp.m_pMainWnd);
    if (!frame || !frame->IsKindOf(RUNTIME_CLASS(CMainFrame))) return nullptr;
    frame->SetForegroundWindow();
    frame->UpdateWindow();
    Drain();
    return frame;
}

void CloseFrame()
{
    if (theFrameTestApp.m_pMainWnd) theFrameTestApp.m_pMainWnd->SendMessage(WM_CLOSE);
    Drain();
    MSG m;
    while (::PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    theFrameTestApp.OnIdle(1);
}

bool PumpUntil(const std::function<bool()>& done)
{
    const ULONGLONG start = ::GetTickCount64();
    for (;;) {
        MSG m;
        while (::PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            Dispatch(m);
            if (done()) return true;
        }
        if (done()) return true;
        if (::GetTickCount64() - start > 30000) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
}

void Drain()
{
    MSG m;
    while (::PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) Dispatch(m);
}

HMENU OpenPopupMenu()
{
    HWND popup = ::FindWindowA("#32768", nullptr);
    if (!popup || !::IsWindowVisible(popup)) return nullptr;
    return reinterpret_cast<HMENU>(::SendMessageA(popup, MN_GETHMENU, 0, 0));
}

std::vector<std::string> ItemTexts(HMENU menu)
{
    std::vector<std::string> out;
    const int n = ::GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i) {
        char text[256] = {};
        ::GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        out.emplace_back(text);
    }
    return out;
}

void CollectCommands(HMENU menu, std::vector<UINT>& out)
{
    const int n = ::GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i) {
        if (HMENU sub = ::GetSubMenu(menu, i)) {
            CollectCommands(sub, out);
            continue;
        }
        const UINT id = ::GetMenuItemID(menu, i);
        if (id != 0 && id != static_cast<UINT>(-1)) out.push_back(id);
    }
}

void InitPopup(CWnd* frame, HMENU popup)
{
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
}

void FrameTest::SetUp()
{
    ResetHooks();
    ::DeleteFileA(ProfilePath().c_str());
    theLayers.Reset();
    vektest::MouseAway();
}

void FrameTest::TearDown()
{
    bModellerMode = 1;
    if (HasFailure() && theFrameTestApp.m_pMainWnd) {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        vektest::SaveWindowShot(theFrameTestApp.m_pMainWnd->m_hWnd, (std::string("vek_frame_") + info->name()).c_str());
    }
    CancelSoon();
    CloseFrame();
}

CMainFrame* FrameTest::Open()
{
    frame = OpenFrame();
    return frame;
}

}  // namespace frametest
