#pragma once
// CWnd: a window object over an HWND, with one process-wide map from handle
// to object, message maps and command routing.
#include "framework/CmdTarget.h"
#include "framework/Geometry.h"

#include <functional>

class CDC;
class CMenu;
class CFont;
class CFrameWnd;
class CDataExchange;
class CScrollBar;

class FW_API CWnd : public CCmdTarget {
    DECLARE_DYNCREATE(CWnd)
public:
    HWND m_hWnd = nullptr;

    CWnd() = default;
    explicit CWnd(HWND hwnd) : m_hWnd(hwnd) {}
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }
    // The handle of a window object that may be null (a null handle then).
    static HWND GetSafeHwnd(const CWnd* wnd) { return wnd ? wnd->m_hWnd : nullptr; }

    // Handle map. FromHandle makes a temporary object for a window the
    // framework does not own; temporaries live until the next idle time.
    static CWnd* FromHandle(HWND hwnd);
    static CWnd* FromHandlePermanent(HWND hwnd);
    static void DeleteTempMap();
    BOOL Attach(HWND hwnd);
    HWND Detach();
    BOOL SubclassWindow(HWND hwnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();

    // Creation.
    virtual BOOL Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                        void* context = nullptr);
    BOOL CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                  UINT id, LPVOID param = nullptr);
    BOOL CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, int x, int y, int cx, int cy,
                  HWND parent, HMENU menuOrId, LPVOID param = nullptr);
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    // After a failed Create on this thread: whether the window was made and
    // destroyed again, so that PostNcDestroy has already run for the object.
    static bool LastCreateDestroyedObject();
    virtual BOOL DestroyWindow();

    // Message handling.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    // A notification the parent reflects back to the control; TRUE when handled here.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual BOOL PreTranslateMessage(MSG* msg);
    virtual void PreSubclassWindow() {}
    virtual void PostNcDestroy() {}
    virtual void CalcWindowRect(LPRECT rect, UINT adjustType = 0);
    LRESULT Default();
    static const MSG* GetCurrentMessage();
    // Lets the framework send update-command-UI to this window's controls (bars, dialog bars).
    virtual void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) {}

    // Lets target's update handlers set the state of this window's controls;
    // buttons without any handler are greyed when disableIfNoHandler is set.
    void UpdateDialogControls(CCmdTarget* target, BOOL disableIfNoHandler);
    // Tooltips for the child controls: the window gets TTN_GETDISPINFO
    // notifications (TTF_IDISHWND, the control's handle in idFrom) and routes
    // them by the control's id.
    BOOL EnableToolTips(BOOL enable = TRUE);

    // Data exchange.
    virtual void DoDataExchange(CDataExchange* dx) {}
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    // Window state.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL deep = TRUE);
    void SetWindowText(LPCTSTR text);
    void GetWindowText(CString& text) const;
    int GetWindowText(LPTSTR buf, int maxCount) const;
    int GetWindowTextLength() const;
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
    CWnd* GetParent() const;
    CWnd* SetParent(CWnd* parent);
    CWnd* GetOwner() const;
    CWnd* GetTopLevelParent() const;
    CFrameWnd* GetParentFrame() const;
    CWnd* GetDlgItem(int id) const;
    void GetDlgItem(int id, HWND* out) const;
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int id);
    UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const;
    void SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE);
    int GetDlgItemText(int id, CString& text) const;
    void SetDlgItemText(int id, LPCTSTR text);
    void CheckDlgButton(int id, UINT check);
    UINT IsDlgButtonChecked(int id) const;
    void CheckRadioButton(int first, int last, int check);
    int GetCheckedRadioButton(int first, int last) const;
    CWnd* GetWindow(UINT cmd) const;
    CWnd* GetNextWindow(UINT flag = GW_HWNDNEXT) const;
    CWnd* GetDescendantWindow(int id, BOOL onlyPerm = FALSE) const;
    BOOL IsChild(const CWnd* wnd) const;
    BOOL ShowWindow(int cmd);
    BOOL IsWindowVisible() const;
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL IsIconic() const;
    BOOL IsZoomed() const;
    void MoveWindow(int x, int y, int cx, int cy, BOOL repaint = TRUE);
    void MoveWindow(LPCRECT rect, BOOL repaint = TRUE);
    BOOL SetWindowPos(const CWnd* after, int x, int y, int cx, int cy, UINT flags);
    void GetWindowRect(LPRECT rect) const;
    void GetClientRect(LPRECT rect) const;
    void ClientToScreen(LPPOINT pt) const;
    void ClientToScreen(LPRECT rect) const;
    void ScreenToClient(LPPOINT pt) const;
    void ScreenToClient(LPRECT rect) const;
    void CenterWindow(CWnd* alternate = nullptr);
    BOOL GetWindowPlacement(WINDOWPLACEMENT* wp) const;
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* wp);
    void Invalidate(BOOL erase = TRUE);
    void InvalidateRect(LPCRECT rect, BOOL erase = TRUE);
    void ValidateRect(LPCRECT rect);
    void UpdateWindow();
    BOOL RedrawWindow(LPCRECT rect = nullptr, HRGN rgn = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    CWnd* SetFocus();
    static CWnd* GetFocus();
    CWnd* SetCapture();
    static CWnd* GetCapture();
    static CWnd* GetActiveWindow();
    CWnd* SetActiveWindow();
    static CWnd* GetForegroundWindow();
    BOOL SetForegroundWindow();
    void BringWindowToTop();
    static CWnd* GetDesktopWindow();
    static CWnd* WindowFromPoint(POINT pt);
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr);
    BOOL KillTimer(UINT_PTR id);
    CMenu* GetMenu() const;
    BOOL SetMenu(CMenu* menu);
    void DrawMenuBar();
    CMenu* GetSystemMenu(BOOL revert) const;
    CDC* GetDC();
    CDC* GetWindowDC();
    int ReleaseDC(CDC* dc);
    void SetFont(CFont* font, BOOL redraw = TRUE);
    CFont* GetFont() const;
    void DragAcceptFiles(BOOL accept = TRUE);
    int MessageBox(LPCTSTR text, LPCTSTR caption = nullptr, UINT type = MB_OK);
    void SetRedraw(BOOL redraw = TRUE);
    BOOL IsWindow() const { return m_hWnd && ::IsWindow(m_hWnd); }

    // Scrolling.
    int SetScrollPos(int bar, int pos, BOOL redraw = TRUE);
    int GetScrollPos(int bar) const;
    void SetScrollRange(int bar, int minPos, int maxPos, BOOL redraw = TRUE);
    void GetScrollRange(int bar, LPINT minPos, LPINT maxPos) const;
    BOOL SetScrollInfo(int bar, LPSCROLLINFO info, BOOL redraw = TRUE);
    BOOL GetScrollInfo(int bar, LPSCROLLINFO info, UINT mask = SIF_ALL) const;
    int GetScrollLimit(int bar) const;
    void ShowScrollBar(UINT bar, BOOL show = TRUE);
    BOOL EnableScrollBar(int bar, UINT arrows = ESB_ENABLE_BOTH);
    void ScrollWindow(int dx, int dy, LPCRECT rect = nullptr, LPCRECT clip = nullptr);

protected:
    // Default handlers: each passes the message on to the default procedure.
    int OnCreate(LPCREATESTRUCT cs);
    void OnDestroy();
    void OnNcDestroy();
    void OnClose();
    void OnPaint();
    void OnNcPaint();
    BOOL OnEraseBkgnd(CDC* dc);
    void OnSize(UINT type, int cx, int cy);
    void OnMove(int x, int y);
    void OnTimer(UINT_PTR id);
    void OnShowWindow(BOOL show, UINT status);
    void OnEnable(BOOL enable);
    void OnSetFocus(CWnd* old);
    void OnKillFocus(CWnd* next);
    void OnLButtonDown(UINT flags, CPoint pt);
    void OnLButtonUp(UINT flags, CPoint pt);
    void OnLButtonDblClk(UINT flags, CPoint pt);
    void OnRButtonDown(UINT flags, CPoint pt);
    void OnRButtonUp(UINT flags, CPoint pt);
    void OnRButtonDblClk(UINT flags, CPoint pt);
    void OnMButtonDown(UINT flags, CPoint pt);
    void OnMButtonUp(UINT flags, CPoint pt);
    void OnMouseMove(UINT flags, CPoint pt);
    BOOL OnMouseWheel(UINT flags, short delta, CPoint pt);
    void OnKeyDown(UINT ch, UINT repeat, UINT flags);
    void OnKeyUp(UINT ch, UINT repeat, UINT flags);
    void OnChar(UINT ch, UINT repeat, UINT flags);
    void OnSysKeyDown(UINT ch, UINT repeat, UINT flags);
    void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    void OnGetMinMaxInfo(MINMAXINFO* info);
    BOOL OnNcActivate(BOOL active);
    void OnNcCalcSize(BOOL calcValid, NCCALCSIZE_PARAMS* params);
    LRESULT OnNcHitTest(CPoint pt);
    void OnDrawItem(int id, LPDRAWITEMSTRUCT dis);
    void OnMeasureItem(int id, LPMEASUREITEMSTRUCT mis);
    LRESULT OnMenuChar(UINT ch, UINT flags, CMenu* menu);
    void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu);
    void OnMenuSelect(UINT itemId, UINT flags, HMENU menu);
    void OnSysCommand(UINT id, LPARAM lParam);
    void OnWindowPosChanging(WINDOWPOS* pos);
    void OnWindowPosChanged(WINDOWPOS* pos);
    void OnContextMenu(CWnd* wnd, CPoint pt);
    void OnActivate(UINT state, CWnd* other, BOOL minimized);
    void OnDropFiles(HDROP drop);
    void OnCaptureChanged(CWnd* wnd);
    void OnNcLButtonDown(UINT hitTest, CPoint pt);
    void OnNcRButtonDown(UINT hitTest, CPoint pt);
    int OnMouseActivate(CWnd* top, UINT hitTest, UINT message);

    // Sends update-command-UI through the items of a popup before it opens.
    void UpdatePopupMenu(CMenu* popup, CCmdTarget* target, BOOL disableIfNoHandler);

public:
    HWND m_hWndToolTip = nullptr;  // from EnableToolTips; goes with the window
    WNDPROC m_pfnSuper = nullptr;  // procedure the window had before the framework took it
protected:
    DECLARE_MESSAGE_MAP()
};

// While alive, the next window created on this thread is attached to wnd
// and subclassed as it is created, so that it sees its very first messages.
struct FW_API FwCreateHook {
    explicit FwCreateHook(CWnd* wnd);
    ~FwCreateHook();
    FwCreateHook(const FwCreateHook&) = delete;
    FwCreateHook& operator=(const FwCreateHook&) = delete;
};

// Registers (once) and returns a window class of the framework.
FW_API LPCTSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                                   HICON icon = nullptr);
FW_API LRESULT CALLBACK FwWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Module whose resources the framework loads (the program's own by default).
FW_API HINSTANCE AfxGetResourceHandle();
FW_API void AfxSetResourceHandle(HINSTANCE inst);
FW_API HINSTANCE AfxGetInstanceHandle();
// The window procedure calls the object's handlers inside a try-block (a C++
// exception must not unwind through the system's code) and reports what it
// catches here: always to the debugger's output, and the first time in a run
// also in a message box; the program goes on. While a hook is set, it gets the
// reports instead of the message box.
FW_API void AfxProcessWndProcException(const char* what);
typedef std::function<void(const char* what)> FwHandlerExceptionHook;
FW_API void FwSetHandlerExceptionHook(FwHandlerExceptionHook hook);

class FW_API CScrollBar : public CWnd {
    DECLARE_DYNAMIC(CScrollBar)
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    int GetScrollPos() const { return ::GetScrollPos(m_hWnd, SB_CTL); }
    int SetScrollPos(int pos, BOOL redraw = TRUE) { return ::SetScrollPos(m_hWnd, SB_CTL, pos, redraw); }
    void SetScrollRange(int minPos, int maxPos, BOOL redraw = TRUE)
    {
        ::SetScrollRange(m_hWnd, SB_CTL, minPos, maxPos, redraw);
    }
    BOOL SetScrollInfo(LPSCROLLINFO info, BOOL redraw = TRUE)
    {
        ::SetScrollInfo(m_hWnd, SB_CTL, info, redraw);
        return TRUE;
    }
    BOOL GetScrollInfo(LPSCROLLINFO info, UINT mask = SIF_ALL)
    {
        info->cbSize = sizeof(SCROLLINFO);
        info->fMask = mask;
        return ::GetScrollInfo(m_hWnd, SB_CTL, info);
    }
};

// Puts the visible windows that the owner owns (but one) in front of it again.
void FwRaiseOwnedWindows(HWND owner, HWND except);
