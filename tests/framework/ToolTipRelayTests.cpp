// Tooltips turned on for a window's controls leave the controls' window
// procedures alone; the mouse reaches the tooltip as messages are translated.
#include <gtest/gtest.h>

#include "TestApp.h"
#include "tests/support/WinInput.h"

namespace {

class CTipHost : public CWnd {
public:
    int requests = 0;

protected:
    BOOL OnTip(UINT id, NMHDR* hdr, LRESULT* result)
    {
        ++requests;
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(hdr);
        lstrcpynA(info->szText, "提示", sizeof info->szText);
        info->lpszText = info->szText;
        *result = 0;
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

// clang-format off
BEGIN_MESSAGE_MAP(CTipHost, CWnd)
    ON_NOTIFY_EX_RANGE(TTN_GETDISPINFOA, 0, 0xFFFF, &CTipHost::OnTip)
END_MESSAGE_MAP()
// clang-format on

TEST(ToolTipRelay, TheMouseReachesTheTipWithoutSubclassingTheControl)
{
    CTipHost host;
    ASSERT_TRUE(
        host.CreateEx(WS_EX_TOPMOST, nullptr, "tips", WS_POPUP | WS_VISIBLE, CRect(200, 200, 400, 300), nullptr, 0));
    CButton button;
    ASSERT_TRUE(button.Create("按钮", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 110, 40), &host, 77));
    const LONG_PTR proc = ::GetWindowLongPtrA(button.m_hWnd, GWLP_WNDPROC);
    ASSERT_TRUE(host.EnableToolTips());
    EXPECT_EQ(::GetWindowLongPtrA(button.m_hWnd, GWLP_WNDPROC), proc) << "the control keeps its procedure";
    host.SetForegroundWindow();
    vektest::MouseTo(5, 5);
    vektest::MouseTo(260, 225);  // over the button
    // The tip shows after its delay and asks the host for its text.
    const DWORD start = ::GetTickCount();
    MSG msg;
    while (host.requests == 0 && ::GetTickCount() - start < 20000) {
        if (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!theTestApp.PreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        } else {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        }
    }
    EXPECT_GT(host.requests, 0);
    vektest::MouseTo(5, 5);
    button.DestroyWindow();
    host.DestroyWindow();
}

}  // namespace
