#pragma once
// The application object of the flat-look tests, a frame with the flat look
// (toolbar, status bar, menus, a view painted in one colour) and helpers to
// drive windows and read their pixels back.
#include "analysis/MenuXP.h"
#include "analysis/StatusBarXP.h"
#include "analysis/ToolBarXP.h"
#include "framework/Afx.h"
#include "tests/support/MemCanvas.h"
#include "tests/support/WinInput.h"
#include "tests/support/WinTestSupport.h"

#include <functional>
#include <string>
#include <vector>

class CLookTestApp : public CWinApp {
public:
    CLookTestApp() : CWinApp("LookTest") {}
};

extern CLookTestApp theLookApp;

// The view: one colour all over; it counts the characters it receives.
class CLookView : public CView {
    DECLARE_DYNCREATE(CLookView)
public:
    static constexpr COLORREF kColor = RGB(40, 120, 200);
    void OnDraw(CDC* dc) override;
    std::vector<UINT> m_chars;

protected:
    void OnChar(UINT ch, UINT repeat, UINT flags);
    DECLARE_MESSAGE_MAP()
};

class CLookFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CLookFrame)
public:
    CToolBarXP m_toolBar;
    CStatusBarXP m_statusBar;
    std::vector<UINT> m_commands;        // commands the frame ran
    std::function<void()> m_onMenuIdle;  // run once when a menu of the frame is open and idle
    // Run when kMenuStep arrives: posted behind keys posted to an open menu,
    // it runs once the menu has handled them.
    static constexpr UINT kMenuStep = WM_APP + 1;
    std::function<void()> m_onMenuStep;
    std::function<void(UINT)> m_onMenuSelect;  // a menu item became the selected one
    bool m_bFlatLook = true;

    // A frame with its view, shown and made the main window.
    static CLookFrame* Make(bool flatLook = true);
    // Destroys it without ending the program.
    static void Destroy(CLookFrame* frame);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    int OnCreate(LPCREATESTRUCT cs);
    void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu);
    BOOL OnLookCommand(UINT id);
    void OnUpdateOff(CCmdUI* ui);
    void OnUpdateOn(CCmdUI* ui);
    DECLARE_MESSAGE_MAP()
};

namespace looktest {

// Pixels: of a window's client area, of its whole window, of the screen.
COLORREF ClientPixel(HWND hwnd, int x, int y);
COLORREF WindowPixel(HWND hwnd, int x, int y);
COLORREF ScreenPixel(int x, int y);
// Dispatches what is queued, then waits (dispatching) until cond holds.
bool WaitUntil(const std::function<bool()>& cond);
void Drain();
// The mouse and keys, as a user's.
using vektest::Key;
using vektest::MemCanvas;
using vektest::MouseAway;
using vektest::MouseButton;
using vektest::MouseTo;
using vektest::MouseToClient;
using vektest::Tap;

// Makes a dialog from its template without an owner, at (x, y), shown in
// front and painted.
bool ShowModeless(CDialog& dlg, UINT templateId, int x, int y);

// Saves what the window shows when the running test has failed.
class ShotOnFailure {
public:
    ShotOnFailure(HWND hwnd, const char* name) : m_hwnd(hwnd), m_name(name) {}
    ~ShotOnFailure();
    HWND m_hwnd;
    std::string m_name;
};

std::string Hex(COLORREF c);

}  // namespace looktest
