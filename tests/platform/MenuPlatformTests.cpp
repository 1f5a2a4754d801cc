// What the flat menus rely on of the system's popup menus under this test
// bed: the hook sees each popup made, the popup's messages come in a known
// order, owner-drawn items are drawn by us and can be read back from the
// screen, and the mouse and the shadow setting behave as the look expects.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "tests/support/WinInput.h"
#include "tests/support/WinTestSupport.h"

namespace {

const COLORREF kItemColor = RGB(10, 200, 30);

struct PopupLog {
    std::vector<UINT> hookMessages;                   // seen by the hook for popup-menu windows
    std::vector<std::pair<UINT, bool>> procMessages;  // seen by our procedure, with visibility
    HWND popup = nullptr;
    WNDPROC old = nullptr;
    bool subclassed = false;
    COLORREF screenPixel = CLR_INVALID;
    RECT popupRect{};
    RECT clientOnScreen{};
    bool borderInsideClient = false;
    int drawn = 0;
    RECT firstItem{-1, -1, -1, -1};
};

PopupLog* g_log = nullptr;
HHOOK g_hook = nullptr;

bool IsPopupMenu(HWND h)
{
    char cls[16] = {};
    GetClassNameA(h, cls, sizeof cls);
    return std::strcmp(cls, "#32768") == 0;
}

LRESULT CALLBACK RecordingProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    if (g_log && h == g_log->popup) {
        g_log->procMessages.emplace_back(m, IsWindowVisible(h) != FALSE);
        if (m == WM_PAINT) {
            const LRESULT r = CallWindowProcA(g_log->old, h, m, w, l);
            // What the system's own painting left one pixel inside the client.
            HDC dc = GetWindowDC(h);
            RECT wr, cr;
            GetWindowRect(h, &wr);
            GetClientRect(h, &cr);
            POINT o{0, 0};
            ClientToScreen(h, &o);
            const COLORREF inside = GetPixel(dc, o.x - wr.left, o.y - wr.top);
            // No border outside the client; a line of neither the menu's nor the items' colour at its edge.
            g_log->borderInsideClient = o.x == wr.left && o.y == wr.top && cr.right == wr.right - wr.left &&
                                        inside != kItemColor && inside != GetSysColor(COLOR_MENU) &&
                                        inside != CLR_INVALID;
            ReleaseDC(h, dc);
            return r;
        }
    }
    return CallWindowProcA(g_log ? g_log->old : DefWindowProcA, h, m, w, l);
}

LRESULT CALLBACK CallWndHook(int code, WPARAM w, LPARAM l)
{
    if (code == HC_ACTION && g_log) {
        const auto* cwp = reinterpret_cast<const CWPSTRUCT*>(l);
        if (IsPopupMenu(cwp->hwnd)) {
            g_log->hookMessages.push_back(cwp->message);
            if (cwp->message == WM_CREATE && !g_log->popup) {
                g_log->popup = cwp->hwnd;
                g_log->old = reinterpret_cast<WNDPROC>(
                    SetWindowLongPtrA(cwp->hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingProc)));
                g_log->subclassed = g_log->old != nullptr;
            }
        }
    }
    return CallNextHookEx(g_hook, code, w, l);
}

LRESULT CALLBACK OwnerProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    switch (m) {
        case WM_MEASUREITEM: {
            auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
            mis->itemWidth = 120;
            mis->itemHeight = 20;
            return TRUE;
        }
        case WM_DRAWITEM: {
            auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(l);
            HBRUSH b = CreateSolidBrush(kItemColor);
            FillRect(dis->hDC, &dis->rcItem, b);
            DeleteObject(b);
            if (g_log && g_log->drawn++ == 0) g_log->firstItem = dis->rcItem;
            return TRUE;
        }
        case WM_ENTERIDLE:
            // The menu is up and idle: read it back from the screen, then close it.
            if (w == MSGF_MENU && g_log && g_log->popup) {
                GetWindowRect(g_log->popup, &g_log->popupRect);
                POINT o{0, 0};
                ClientToScreen(g_log->popup, &o);
                HDC screen = GetDC(nullptr);
                g_log->screenPixel = GetPixel(screen, o.x + 20, o.y + 10);
                ReleaseDC(nullptr, screen);
                EndMenu();
            }
            return 0;
    }
    return DefWindowProcA(h, m, w, l);
}

HWND MakeOwner()
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = OwnerProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = "MenuProbeOwner";
        RegisterClassA(&wc);
        registered = true;
    }
    HWND h = CreateWindowExA(0, "MenuProbeOwner", "menu probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 400, 300,
                             nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(h);
    vektest::PumpPending();
    return h;
}

TEST(PopupMenus, HookSeesCreationAndMessagesComeInOrder)
{
    PopupLog log;
    g_log = &log;
    g_hook = SetWindowsHookExA(WH_CALLWNDPROC, CallWndHook, nullptr, GetCurrentThreadId());
    ASSERT_NE(g_hook, nullptr);
    HWND owner = MakeOwner();
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_OWNERDRAW, 101, reinterpret_cast<LPCSTR>(1));
    AppendMenuA(menu, MF_OWNERDRAW, 102, reinterpret_cast<LPCSTR>(2));
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, 100, 100, 0, owner, nullptr);
    UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
    g_log = nullptr;
    DestroyMenu(menu);
    DestroyWindow(owner);

    ASSERT_NE(log.popup, nullptr);
    EXPECT_TRUE(log.subclassed);
    EXPECT_NE(std::find(log.hookMessages.begin(), log.hookMessages.end(), static_cast<UINT>(WM_CREATE)),
              log.hookMessages.end())
        << "the hook sees the popup made";
    for (UINT m : log.hookMessages) EXPECT_NE(m, 482u) << "the sizing message of other systems does not come";

    // Our procedure's view: the order the flat menus are built around.
    auto first = [&](UINT m) {
        for (size_t i = 0; i < log.procMessages.size(); ++i)
            if (log.procMessages[i].first == m) return static_cast<int>(i);
        return -1;
    };
    const int changing = first(WM_WINDOWPOSCHANGING), calc = first(WM_NCCALCSIZE), ncpaint = first(WM_NCPAINT),
              erase = first(WM_ERASEBKGND), paint = first(WM_PAINT), gone = first(WM_NCDESTROY);
    ASSERT_GE(changing, 0);
    ASSERT_GE(ncpaint, 0);
    ASSERT_GE(erase, 0);
    ASSERT_GE(paint, 0);
    ASSERT_GE(gone, 0);
    EXPECT_FALSE(log.procMessages[static_cast<size_t>(changing)].second) << "still hidden while it is placed";
    EXPECT_TRUE(calc < ncpaint && ncpaint < erase && erase < paint && paint < gone);
    EXPECT_TRUE(log.procMessages[static_cast<size_t>(erase)].second) << "the background is erased once shown";
    EXPECT_EQ(first(WM_SHOWWINDOW), -1);
    EXPECT_EQ(first(WM_PRINT), -1);
    EXPECT_TRUE(log.borderInsideClient) << "the system paints its border inside the client";
    EXPECT_EQ(log.firstItem.left, 3) << "the items start 3 pixels in: room for a 3-pixel frame";
    EXPECT_EQ(log.firstItem.top, 3);

    // Owner-drawn items are ours, and the open popup reads back from the screen.
    EXPECT_GT(log.drawn, 0);
    EXPECT_EQ(log.screenPixel, kItemColor);
}

TEST(PopupMenus, DropShadowIsOffAndSettableWithoutSaving)
{
    BOOL shadow = TRUE;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETDROPSHADOW, 0, &shadow, 0));
    EXPECT_FALSE(shadow);
    ASSERT_TRUE(SystemParametersInfoA(SPI_SETDROPSHADOW, 0, reinterpret_cast<PVOID>(TRUE), 0));
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETDROPSHADOW, 0, &shadow, 0));
    EXPECT_TRUE(shadow);
    ASSERT_TRUE(SystemParametersInfoA(SPI_SETDROPSHADOW, 0, reinterpret_cast<PVOID>(FALSE), 0));
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETDROPSHADOW, 0, &shadow, 0));
    EXPECT_FALSE(shadow);
}

TEST(PopupMenus, VersionIsWindows7)
{
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    ASSERT_TRUE(GetVersionExA(&info));
#pragma GCC diagnostic pop
    EXPECT_EQ(info.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_NT));
    EXPECT_EQ(info.dwMajorVersion, 6u);
    EXPECT_EQ(info.dwMinorVersion, 1u);
}

// ---- the mouse by SendInput ---------------------------------------------------

struct MouseLog {
    int moves = 0;
    int leaves = 0;
};
MouseLog* g_mouse = nullptr;

LRESULT CALLBACK MouseProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    if (m == WM_MOUSEMOVE && g_mouse) {
        if (g_mouse->moves++ == 0) {
            TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, h, 0};
            TrackMouseEvent(&tme);
        }
    } else if (m == WM_MOUSELEAVE && g_mouse) {
        ++g_mouse->leaves;
    }
    return DefWindowProcA(h, m, w, l);
}

TEST(Mouse, SendInputBringsMovesAndLeave)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = MouseProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = "MouseProbe";
    RegisterClassA(&wc);
    HWND h = CreateWindowExA(WS_EX_TOPMOST, "MouseProbe", "mouse", WS_POPUP | WS_VISIBLE, 300, 300, 100, 100, nullptr,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(h);
    MouseLog log;
    g_mouse = &log;
    vektest::MouseTo(10, 10);
    vektest::PumpPending();
    vektest::MouseTo(350, 350);
    EXPECT_TRUE(vektest::PumpUntil([] { return g_mouse->moves > 0; }));
    vektest::MouseTo(10, 10);
    EXPECT_TRUE(vektest::PumpUntil([] { return g_mouse->leaves > 0; }));
    g_mouse = nullptr;
    DestroyWindow(h);
}

}  // namespace
