#include "GridTestApp.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

class CGridTestApp : public CWinApp {
public:
    CGridTestApp() : CWinApp("GridTest") {}
};
CGridTestApp theGridApp;

// Runs the function it is handed when its message arrives.
class CRunner : public CWnd {
public:
    std::function<void(HWND)> fn;
    std::string caption;
    HWND dialog = nullptr;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_APP && fn) {
            auto run = std::move(fn);
            fn = nullptr;
            run(dialog);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};
CRunner* g_runner = nullptr;
HHOOK g_hook = nullptr;

LRESULT CALLBACK DialogHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && g_runner && g_runner->fn) {
        char cls[16] = {}, caption[128] = {};
        ::GetClassNameA(reinterpret_cast<HWND>(wParam), cls, sizeof cls);
        ::GetWindowTextA(reinterpret_cast<HWND>(wParam), caption, sizeof caption);
        if (std::string(cls) == "#32770" && g_runner->caption == caption) {
            g_runner->dialog = reinterpret_cast<HWND>(wParam);
            g_runner->PostMessage(WM_APP);
        }
    }
    return ::CallNextHookEx(g_hook, code, wParam, lParam);
}

class GridEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        ASSERT_TRUE(AfxWinInit(::GetModuleHandleA(nullptr), nullptr, const_cast<char*>(""), SW_SHOW));
        g_runner = new CRunner;
        ASSERT_TRUE(g_runner->CreateEx(0, nullptr, nullptr, WS_POPUP, 0, 0, 1, 1, nullptr, nullptr));
        g_hook = ::SetWindowsHookExA(WH_CBT, DialogHook, nullptr, ::GetCurrentThreadId());
        ASSERT_NE(g_hook, nullptr);
    }
    void TearDown() override
    {
        ::UnhookWindowsHookEx(g_hook);
        g_runner->DestroyWindow();
        delete g_runner;
    }
};
const auto* g_env = ::testing::AddGlobalTestEnvironment(new GridEnvironment);

}  // namespace

namespace gridtest {

void Drain()
{
    vektest::PumpPending([](MSG* m) { return theGridApp.PreTranslateMessage(m); });
}

bool WaitUntil(const std::function<bool()>& cond)
{
    return vektest::PumpUntil(cond, 20000, [](MSG* m) { return theGridApp.PreTranslateMessage(m); });
}

void OnNextDialog(const char* caption, std::function<void(HWND)> fn)
{
    g_runner->caption = caption;
    g_runner->fn = std::move(fn);
}

COLORREF ClientPixel(HWND hwnd, int x, int y)
{
    HDC dc = ::GetDC(hwnd);
    const COLORREF c = ::GetPixel(dc, x, y);
    ::ReleaseDC(hwnd, dc);
    return c;
}

std::string Hex(COLORREF c)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%06lx", static_cast<unsigned long>(c));
    return buf;
}

ShotOnFailure::~ShotOnFailure()
{
    if (::testing::Test::HasFailure() && m_hwnd && ::IsWindow(m_hwnd)) vektest::SaveScreenShot(m_hwnd, m_name.c_str());
}

}  // namespace gridtest

// ---- the hosts ---------------------------------------------------------------------------

BOOL CGridDlg::OnInitDialog()
{
    CMyDialog::OnInitDialog();
    if (m_grid) m_grid->Create(m_rcGrid, this, gridtest::kGridId);
    if (m_script) PostMessage(WM_APP);
    return TRUE;
}

void CGridDlg::OnOK()
{
    ++m_nOk;
    CMyDialog::OnOK();
}

void CGridDlg::OnCancel()
{
    ++m_nCancel;
    CMyDialog::OnCancel();
}

BOOL CGridDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDOK) m_okParam = lParam;
    return CMyDialog::OnCommand(wParam, lParam);
}

LRESULT CGridDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP && m_script) {
        auto run = std::move(m_script);
        m_script = nullptr;
        run();
        return 0;
    }
    if (message == WM_NOTIFY) {
        const NMHDR* nm = reinterpret_cast<const NMHDR*>(lParam);
        if (nm->code == UINT(NM_KILLFOCUS) && nm->idFrom == gridtest::kGridId && m_grid &&
            nm->hwndFrom == m_grid->m_hWnd)
            ++m_nKillFocus;
    }
    return CMyDialog::WindowProc(message, wParam, lParam);
}

CGridPage::CGridPage(CTableWnd* grid) : CMyPropertyPage(IDD_GRID_PAGE), m_grid(grid) {}

BOOL CGridPage::OnInitDialog()
{
    CMyPropertyPage::OnInitDialog();
    m_grid->Create(CRect(8, 8, 360, 230), this, gridtest::kGridId);
    return TRUE;
}

LRESULT CGridPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == UINT(NM_KILLFOCUS)) ++m_nKillFocus;
    return CMyPropertyPage::WindowProc(message, wParam, lParam);
}
