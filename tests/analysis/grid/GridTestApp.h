#pragma once
// The application object of the grid window tests, dialogs and a property
// page that host a grid, and helpers to drive them with the mouse and keys
// and to read their pixels.
#include <functional>
#include <memory>
#include <string>

#include "analysis/MyDialog.h"
#include "analysis/TableWnd.h"
#include "framework/Afx.h"
#include "grid_res.h"
#include "tests/support/WinInput.h"
#include "tests/support/WinTestSupport.h"

namespace gridtest {

constexpr UINT kGridId = 1001;

// Dispatches what is queued (through the application's PreTranslateMessage,
// so that the dialog bases route the keys), then waits, dispatching, until
// cond holds.
void Drain();
bool WaitUntil(const std::function<bool()>& cond);

// Runs fn from the message loop that is running once the next dialog window
// of the thread with this caption is activated (a modal one opened by the
// grid, say).
void OnNextDialog(const char* caption, std::function<void(HWND)> fn);

COLORREF ClientPixel(HWND hwnd, int x, int y);
std::string Hex(COLORREF c);

// Saves what the screen shows of the window (its grid included) when the
// running test has failed.
class ShotOnFailure {
public:
    ShotOnFailure(HWND hwnd, const char* name) : m_hwnd(hwnd), m_name(name) {}
    ~ShotOnFailure();

private:
    HWND m_hwnd;
    std::string m_name;
};

}  // namespace gridtest

// A dialog of the system's base with a grid made in its OnInitDialog; it
// counts what the grid tells it.
class CGridDlg : public CMyDialog {
public:
    explicit CGridDlg(CTableWnd* grid, CRect rect = CRect(8, 8, 368, 248))
        : CMyDialog(IDD_GRID_HOST, nullptr), m_grid(grid), m_rcGrid(rect)
    {
    }

    CTableWnd* m_grid;
    CRect m_rcGrid;
    int m_nOk = 0;
    int m_nCancel = 0;
    int m_nKillFocus = 0;
    LPARAM m_okParam = -1;
    std::function<void()> m_script;  // run from the dialog's message loop once it is open

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A property page with a grid.
class CGridPage : public CMyPropertyPage {
public:
    explicit CGridPage(CTableWnd* grid);
    CTableWnd* m_grid;
    int m_nKillFocus = 0;
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
