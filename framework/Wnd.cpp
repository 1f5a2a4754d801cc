// CWnd: handle map, creation, window procedure and message dispatch.
#include "framework/Wnd.h"
#include "framework/Dialog.h"
#include "framework/Frame.h"
#include "framework/Gdi.h"
#include "framework/WinApp.h"

#include <atomic>
#include <cstdio>
#include <exception>
#include <mutex>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

namespace {

std::recursive_mutex g_mapLock;
std::unordered_map<HWND, CWnd*>& PermanentMap()
{
    static std::unordered_map<HWND, CWnd*> m;
    return m;
}
std::unordered_map<HWND, CWnd*>& TemporaryMap()
{
    static std::unordered_map<HWND, CWnd*> m;
    return m;
}

thread_local CWnd* t_wndInit = nullptr;
thread_local CWnd* t_creating = nullptr;   // object inside CreateEx
thread_local bool t_creatingGone = false;  // ... whose window was destroyed again
thread_local bool s_lastCreateDestroyed = false;
thread_local HHOOK t_cbtHook = nullptr;
thread_local MSG t_lastMsg{};

HINSTANCE g_resource = nullptr;

LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && t_wndInit) {
        CWnd* wnd = t_wndInit;
        t_wndInit = nullptr;
        wnd->SubclassWindow(reinterpret_cast<HWND>(wParam));
    }
    return CallNextHookEx(t_cbtHook, code, wParam, lParam);
}

}  // namespace

FwCreateHook::FwCreateHook(CWnd* wnd)
{
    t_wndInit = wnd;
    if (!t_cbtHook) t_cbtHook = SetWindowsHookExA(WH_CBT, CbtHook, nullptr, GetCurrentThreadId());
}

FwCreateHook::~FwCreateHook()
{
    t_wndInit = nullptr;
    if (t_cbtHook) {
        UnhookWindowsHookEx(t_cbtHook);
        t_cbtHook = nullptr;
    }
}

HINSTANCE AfxGetInstanceHandle()
{
    return GetModuleHandleA(nullptr);
}
HINSTANCE AfxGetResourceHandle()
{
    return g_resource ? g_resource : GetModuleHandleA(nullptr);
}
void AfxSetResourceHandle(HINSTANCE inst)
{
    g_resource = inst;
}

namespace {
std::mutex g_exceptionHookLock;
FwHandlerExceptionHook g_exceptionHook;
std::atomic<bool> g_exceptionShown{false};
}  // namespace

void FwSetHandlerExceptionHook(FwHandlerExceptionHook hook)
{
    std::lock_guard<std::mutex> g(g_exceptionHookLock);
    g_exceptionHook = std::move(hook);
}

void AfxProcessWndProcException(const char* what)
{
    const char* text = what && *what ? what : "unknown exception";
    const std::string line = std::string("framework: exception in a message handler: ") + text + "\n";
    ::OutputDebugStringA(line.c_str());
    FwHandlerExceptionHook hook;
    {
        std::lock_guard<std::mutex> g(g_exceptionHookLock);
        hook = g_exceptionHook;
    }
    if (hook) {
        hook(text);
        return;
    }
    // One box a run: a handler that fails on every paint or mouse move must
    // not bury the user in boxes.
    if (g_exceptionShown.exchange(true)) return;
    CString message;
    message.Format("处理窗口消息时发生内部错误：%s\n\n程序将继续运行，建议保存工作后重新启动。", text);
    AfxMessageBox(message, MB_OK | MB_ICONERROR);
}

LRESULT CALLBACK FwWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
    if (!wnd) return DefWindowProcA(hwnd, message, wParam, lParam);
    const MSG saved = t_lastMsg;
    t_lastMsg = MSG{hwnd, message, wParam, lParam, 0, {0, 0}};
    LRESULT r = 0;
    try {
        r = wnd->WindowProc(message, wParam, lParam);
    } catch (const std::exception& e) {
        AfxProcessWndProcException(e.what());
    } catch (...) {
        AfxProcessWndProcException(nullptr);
    }
    t_lastMsg = saved;
    if (message == WM_NCDESTROY) {
        // The window is gone: the object lets go of the handle, then may delete itself.
        CWnd* still = CWnd::FromHandlePermanent(hwnd);
        if (still == wnd) {
            if (wnd->m_pfnSuper) SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(wnd->m_pfnSuper));
            wnd->Detach();
            wnd->m_hWndToolTip = nullptr;
            if (wnd == t_creating) t_creatingGone = true;
            wnd->PostNcDestroy();
        }
    }
    return r;
}

LPCTSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon)
{
    static std::mutex lock;
    static std::set<std::string> names;  // nodes never move: names stay valid
    char name[96];
    std::snprintf(name, sizeof name, "FwWnd:%x:%p:%p:%p", classStyle, static_cast<void*>(cursor),
                  static_cast<void*>(background), static_cast<void*>(icon));
    std::lock_guard<std::mutex> g(lock);
    auto it = names.find(name);
    if (it != names.end()) return it->c_str();
    WNDCLASSA wc{};
    wc.style = classStyle;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.lpszClassName = name;
    if (!RegisterClassA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;
    return names.insert(name).first->c_str();
}

// ---- handle map ---------------------------------------------------------------

CWnd::~CWnd()
{
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this) {
        // An object that still owns a live window destroys it.
        HWND h = m_hWnd;
        if (::IsWindow(h)) ::DestroyWindow(h);
        if (m_hWnd) Detach();
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd)
{
    if (!hwnd) return nullptr;
    std::lock_guard<std::recursive_mutex> g(g_mapLock);
    auto it = PermanentMap().find(hwnd);
    return it == PermanentMap().end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hwnd)
{
    if (!hwnd) return nullptr;
    if (CWnd* w = FromHandlePermanent(hwnd)) return w;
    std::lock_guard<std::recursive_mutex> g(g_mapLock);
    CWnd*& t = TemporaryMap()[hwnd];
    if (!t) t = new CWnd(hwnd);
    return t;
}

void CWnd::DeleteTempMap()
{
    std::lock_guard<std::recursive_mutex> g(g_mapLock);
    for (auto& kv : TemporaryMap()) {
        kv.second->m_hWnd = nullptr;
        delete kv.second;
    }
    TemporaryMap().clear();
}

BOOL CWnd::Attach(HWND hwnd)
{
    if (!hwnd || m_hWnd) return FALSE;
    std::lock_guard<std::recursive_mutex> g(g_mapLock);
    auto t = TemporaryMap().find(hwnd);
    if (t != TemporaryMap().end()) {
        // A temporary wrapper of the same window becomes stale; keep it
        // harmless until the map is cleared.
        t->second->m_hWnd = nullptr;
        delete t->second;
        TemporaryMap().erase(t);
    }
    PermanentMap()[hwnd] = this;
    m_hWnd = hwnd;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND h = m_hWnd;
    if (h) {
        std::lock_guard<std::recursive_mutex> g(g_mapLock);
        auto it = PermanentMap().find(h);
        if (it != PermanentMap().end() && it->second == this) PermanentMap().erase(it);
    }
    m_hWnd = nullptr;
    return h;
}

BOOL CWnd::SubclassWindow(HWND hwnd)
{
    if (!Attach(hwnd)) return FALSE;
    PreSubclassWindow();
    WNDPROC old = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
    if (old != FwWndProc) {
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FwWndProc));
        m_pfnSuper = old;
    }
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    HWND h = ::GetDlgItem(GetSafeHwnd(parent), static_cast<int>(id));
    return h ? SubclassWindow(h) : FALSE;
}

HWND CWnd::UnsubclassWindow()
{
    if (m_pfnSuper) SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    return Detach();
}

// ---- creation -----------------------------------------------------------------

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass =
            AfxRegisterWndClass(CS_DBLCLKS, LoadCursor(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    return TRUE;
}

BOOL CWnd::Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                  void* context)
{
    return CreateEx(0, className, windowName, style | WS_CHILD, rect, parent, id, context);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                    UINT id, LPVOID param)
{
    return CreateEx(exStyle, className, windowName, style, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, GetSafeHwnd(parent), reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                    param);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, int x, int y, int cx, int cy,
                    HWND parent, HMENU menuOrId, LPVOID param)
{
    if (m_hWnd) return FALSE;
    CREATESTRUCT cs{};
    cs.dwExStyle = exStyle;
    cs.lpszClass = className;
    cs.lpszName = windowName;
    cs.style = style;
    cs.x = x;
    cs.y = y;
    cs.cx = cx;
    cs.cy = cy;
    cs.hwndParent = parent;
    cs.hMenu = menuOrId;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = param;
    if (!PreCreateWindow(cs)) {
        s_lastCreateDestroyed = true;  // PostNcDestroy runs: the object may be gone
        PostNcDestroy();
        return FALSE;
    }
    if (!cs.lpszClass)  // an override that did not call the base: the default class
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    HWND h;
    CWnd* const outer = t_creating;
    const bool outerGone = t_creatingGone;
    t_creating = this;
    t_creatingGone = false;
    {
        FwCreateHook scope(this);
        h = CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy, cs.hwndParent,
                            cs.hMenu, cs.hInstance, cs.lpCreateParams);
    }
    const bool gone = t_creatingGone;
    t_creating = outer;
    t_creatingGone = outerGone;
    if (!h) {
        // The window may have been made and destroyed again (OnCreate failed);
        // then PostNcDestroy has run and the object may be gone: do not touch it.
        s_lastCreateDestroyed = gone;
        if (!gone && m_hWnd) Detach();
        return FALSE;
    }
    s_lastCreateDestroyed = false;
    return TRUE;
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd) return FALSE;
    return ::DestroyWindow(m_hWnd);
}

void CWnd::CalcWindowRect(LPRECT rect, UINT)
{
    ::AdjustWindowRectEx(rect, GetStyle(), FALSE, GetExStyle());
}

// ---- dispatch -----------------------------------------------------------------

const MSG* CWnd::GetCurrentMessage()
{
    return &t_lastMsg;
}

bool CWnd::LastCreateDestroyedObject()
{
    return s_lastCreateDestroyed;
}

LRESULT CWnd::Default()
{
    return DefWindowProc(t_lastMsg.message, t_lastMsg.wParam, t_lastMsg.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper) return CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT r = 0;
    if (!OnWndMsg(message, wParam, lParam, &r)) r = DefWindowProc(message, wParam, lParam);
    return r;
}

namespace {

bool IsReflected(UINT message)
{
    switch (message) {
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_DELETEITEM:
        case WM_COMPAREITEM:
        case WM_HSCROLL:
        case WM_VSCROLL: return true;
        default: return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
    }
}

HWND ReflectTarget(HWND self, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
        case WM_DRAWITEM: return wParam ? reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)->hwndItem : nullptr;
        case WM_MEASUREITEM:
            return wParam ? ::GetDlgItem(self, static_cast<int>(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)->CtlID))
                          : nullptr;
        case WM_DELETEITEM: return reinterpret_cast<LPDELETEITEMSTRUCT>(lParam)->hwndItem;
        case WM_COMPAREITEM: return reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam)->hwndItem;
        default: return reinterpret_cast<HWND>(lParam);
    }
}

}  // namespace

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    LRESULT r = 0;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam)) return FALSE;
        *result = 0;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        const NMHDR* hdr = reinterpret_cast<NMHDR*>(lParam);
        if (hdr && hdr->hwndFrom) {
            CWnd* child = FromHandlePermanent(hdr->hwndFrom);
            if (child && child != this && child->OnChildNotify(message, wParam, lParam, &r)) {
                *result = r;
                return TRUE;
            }
        }
        return OnNotify(wParam, lParam, result);
    }
    if (IsReflected(message)) {
        HWND target = ReflectTarget(m_hWnd, message, wParam, lParam);
        CWnd* child = target && target != m_hWnd ? FromHandlePermanent(target) : nullptr;
        if (child && child->OnChildNotify(message, wParam, lParam, &r)) {
            *result = r;
            return TRUE;
        }
    }
    UINT key = message;
    UINT ctl = 0;
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        key = WM_FW_CTLCOLOR;
        ctl = message - WM_CTLCOLORMSGBOX;
    }
    if (message == WM_INITMENUPOPUP && !HIWORD(lParam)) {
        // Items get their state from the update handlers before the popup shows.
        CFrameWnd* frame = IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(this) : nullptr;
        UpdatePopupMenu(CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)),
                        frame ? static_cast<CCmdTarget*>(frame) : this, frame ? frame->m_bAutoMenuEnable : FALSE);
    }
    for (const FwMsgMap* map = GetMessageMap(); map; map = map->base ? map->base() : nullptr) {
        const FwMsgMapEntry* e = FindEntry(map, fwkMessage, key, 0, 0);
        if (!e) continue;
        FwMsgCall call{message, wParam, lParam, ctl, 0, nullptr, 0};
        if (e->thunk(this, call)) {
            *result = call.result;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    // Reflected entries of this control's own map.
    FwEntryKind kind;
    int code;
    UINT key = 0;
    if (message == WM_COMMAND) {
        kind = fwkReflectCmd;
        code = HIWORD(wParam);
    } else if (message == WM_NOTIFY) {
        kind = fwkReflectNotify;
        code = static_cast<int>(reinterpret_cast<NMHDR*>(lParam)->code);
    } else if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        kind = fwkMessage;
        code = 0;
        key = WM_FW_REFLECT + WM_FW_CTLCOLOR;
    } else {
        return FALSE;
    }
    for (const FwMsgMap* map = GetMessageMap(); map; map = map->base ? map->base() : nullptr) {
        const FwMsgMapEntry* e = FindEntry(map, kind, key, code, kind == fwkMessage ? 0 : 0);
        if (!e) continue;
        LRESULT r = 0;
        FwNotifyArgs args{reinterpret_cast<NMHDR*>(lParam), &r};
        FwMsgCall call{
            message, wParam, lParam, message - WM_CTLCOLORMSGBOX, code, message == WM_NOTIFY ? &args : nullptr, 0};
        if (e->thunk(this, call)) {
            if (result) *result = message == WM_NOTIFY ? r : call.result;
            return TRUE;
        }
    }
    return FALSE;
}

namespace {

// Asks whether a command is enabled, without touching any user-interface item.
class CTestCmdUI : public CCmdUI {
public:
    BOOL m_bEnabled = TRUE;
    void Enable(BOOL on) override
    {
        m_bEnabled = on;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCTSTR) override {}
};

}  // namespace

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    HWND ctl = reinterpret_cast<HWND>(lParam);
    int code = HIWORD(wParam);
    if (!ctl) {
        // Menu or accelerator: a command greyed by its update handler does not run.
        code = CN_COMMAND;
        CTestCmdUI test;
        test.m_nID = id;
        OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &test, nullptr);
        if (!test.m_bEnabled) return TRUE;
    } else {
        CWnd* child = FromHandlePermanent(ctl);
        if (child && child != this && child->OnChildNotify(WM_COMMAND, wParam, lParam, nullptr)) return TRUE;
    }
    return OnCmdMsg(id, code, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* result)
{
    NMHDR* hdr = reinterpret_cast<NMHDR*>(lParam);
    if (!hdr) return FALSE;
    UINT id = static_cast<UINT>(hdr->idFrom);
    if ((hdr->code == TTN_GETDISPINFOA || hdr->code == TTN_GETDISPINFOW) &&
        (reinterpret_cast<NMTTDISPINFOA*>(hdr)->uFlags & TTF_IDISHWND))
        id = static_cast<UINT>(::GetDlgCtrlID(reinterpret_cast<HWND>(hdr->idFrom)));  // route by the control's id
    LRESULT r = 0;
    FwNotifyArgs args{hdr, &r};
    if (OnCmdMsg(id, CN_NOTIFY_ROUTE, &args, nullptr)) {
        *result = r;
        return TRUE;
    }
    return FALSE;
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

void CWnd::UpdateDialogControls(CCmdTarget* target, BOOL disableIfNoHandler)
{
    CCmdUI ui;
    for (HWND c = ::GetTopWindow(m_hWnd); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        const int id = ::GetDlgCtrlID(c);
        if (id == 0 || id == 0xFFFF || id == -1) continue;
        ui.m_pOther = CWnd::FromHandle(c);
        ui.m_nID = static_cast<UINT>(id);
        // Only buttons are greyed for want of a handler.
        const bool button = (::SendMessageA(c, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON) != 0;
        ui.DoUpdate(target, disableIfNoHandler && button);
    }
}

BOOL CWnd::EnableToolTips(BOOL enable)
{
    if (!enable) {
        if (m_hWndToolTip) ::DestroyWindow(m_hWndToolTip);
        m_hWndToolTip = nullptr;
        return TRUE;
    }
    if (!m_hWndToolTip) {
        m_hWndToolTip = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr,
                                          AfxGetInstanceHandle(), nullptr);
        if (!m_hWndToolTip) return FALSE;
    }
    for (HWND c = ::GetTopWindow(m_hWnd); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        TTTOOLINFOA ti{};
        ti.cbSize = sizeof ti;
        // Not subclassed: the mouse messages are relayed as they are
        // translated (CWinThread::PreTranslateMessage), which costs the
        // controls' other messages nothing.
        ti.uFlags = TTF_IDISHWND;
        ti.hwnd = m_hWnd;
        ti.uId = reinterpret_cast<UINT_PTR>(c);
        ti.lpszText = LPSTR_TEXTCALLBACKA;
        ::SendMessageA(m_hWndToolTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    }
    return TRUE;
}

void CWnd::UpdatePopupMenu(CMenu* popup, CCmdTarget* target, BOOL disableIfNoHandler)
{
    if (!popup || !popup->m_hMenu) return;
    CCmdUI ui;
    ui.m_pMenu = popup;
    ui.m_nIndexMax = static_cast<UINT>(::GetMenuItemCount(popup->m_hMenu));
    for (ui.m_nIndex = 0; ui.m_nIndex < ui.m_nIndexMax; ++ui.m_nIndex) {
        const UINT id = ::GetMenuItemID(popup->m_hMenu, static_cast<int>(ui.m_nIndex));
        if (id == 0 || id == static_cast<UINT>(-1)) continue;  // separator or submenu
        ui.m_nID = id;
        ui.m_pSubMenu = nullptr;
        ui.DoUpdate(target, disableIfNoHandler && !(id >= 0xF000 && id < 0xF1F0));
    }
}

// ---- window state ---------------------------------------------------------------

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

namespace {
void SendToDescendants(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, BOOL deep)
{
    for (HWND c = ::GetTopWindow(parent); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        ::SendMessageA(c, message, wParam, lParam);
        if (deep && ::GetTopWindow(c)) SendToDescendants(c, message, wParam, lParam, deep);
    }
}
}  // namespace

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL deep)
{
    SendToDescendants(m_hWnd, message, wParam, lParam, deep);
}

void CWnd::SetWindowText(LPCTSTR text)
{
    ::SetWindowTextA(m_hWnd, text ? text : "");
}

void CWnd::GetWindowText(CString& text) const
{
    const int n = ::GetWindowTextLengthA(m_hWnd);
    char* buf = text.GetBufferSetLength(n + 1);
    const int got = ::GetWindowTextA(m_hWnd, buf, n + 1);
    text.ReleaseBuffer(got);
}

int CWnd::GetWindowText(LPTSTR buf, int maxCount) const
{
    return ::GetWindowTextA(m_hWnd, buf, maxCount);
}
int CWnd::GetWindowTextLength() const
{
    return ::GetWindowTextLengthA(m_hWnd);
}
DWORD CWnd::GetStyle() const
{
    return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_STYLE));
}
DWORD CWnd::GetExStyle() const
{
    return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE));
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags)
{
    const DWORD old = GetStyle(), now = (old & ~remove) | add;
    if (old == now) return FALSE;
    ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(now));
    if (flags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags)
{
    const DWORD old = GetExStyle(), now = (old & ~remove) | add;
    if (old == now) return FALSE;
    ::SetWindowLongPtrA(m_hWnd, GWL_EXSTYLE, static_cast<LONG_PTR>(now));
    if (flags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    return TRUE;
}

CWnd* CWnd::GetParent() const
{
    return FromHandle(::GetParent(m_hWnd));
}
CWnd* CWnd::SetParent(CWnd* parent)
{
    return FromHandle(::SetParent(m_hWnd, GetSafeHwnd(parent)));
}
CWnd* CWnd::GetOwner() const
{
    return FromHandle(::GetWindow(m_hWnd, GW_OWNER));
}

CWnd* CWnd::GetTopLevelParent() const
{
    HWND h = m_hWnd;
    while (h && (::GetWindowLongPtrA(h, GWL_STYLE) & WS_CHILD)) h = ::GetParent(h);
    return FromHandle(h);
}

CFrameWnd* CWnd::GetParentFrame() const
{
    if (!m_hWnd) return nullptr;
    for (HWND h = ::GetParent(m_hWnd); h; h = ::GetParent(h)) {
        CWnd* w = FromHandlePermanent(h);
        if (w && w->IsKindOf(RUNTIME_CLASS(CFrameWnd))) return static_cast<CFrameWnd*>(w);
    }
    return nullptr;
}

CWnd* CWnd::GetDlgItem(int id) const
{
    return FromHandle(::GetDlgItem(m_hWnd, id));
}
void CWnd::GetDlgItem(int id, HWND* out) const
{
    *out = ::GetDlgItem(m_hWnd, id);
}
int CWnd::GetDlgCtrlID() const
{
    return ::GetDlgCtrlID(m_hWnd);
}
int CWnd::SetDlgCtrlID(int id)
{
    return static_cast<int>(::SetWindowLongPtrA(m_hWnd, GWLP_ID, id));
}
UINT CWnd::GetDlgItemInt(int id, BOOL* translated, BOOL isSigned) const
{
    return ::GetDlgItemInt(m_hWnd, id, translated, isSigned);
}
void CWnd::SetDlgItemInt(int id, UINT value, BOOL isSigned)
{
    ::SetDlgItemInt(m_hWnd, id, value, isSigned);
}

int CWnd::GetDlgItemText(int id, CString& text) const
{
    text.Empty();
    HWND h = ::GetDlgItem(m_hWnd, id);
    if (h) FromHandle(h)->GetWindowText(text);
    return text.GetLength();
}

void CWnd::SetDlgItemText(int id, LPCTSTR text)
{
    ::SetDlgItemTextA(m_hWnd, id, text ? text : "");
}
void CWnd::CheckDlgButton(int id, UINT check)
{
    ::CheckDlgButton(m_hWnd, id, check);
}
UINT CWnd::IsDlgButtonChecked(int id) const
{
    return ::IsDlgButtonChecked(m_hWnd, id);
}
void CWnd::CheckRadioButton(int first, int last, int check)
{
    ::CheckRadioButton(m_hWnd, first, last, check);
}

int CWnd::GetCheckedRadioButton(int first, int last) const
{
    for (int id = first; id <= last; ++id)
        if (::IsDlgButtonChecked(m_hWnd, id)) return id;
    return 0;
}

CWnd* CWnd::GetWindow(UINT cmd) const
{
    return FromHandle(::GetWindow(m_hWnd, cmd));
}
CWnd* CWnd::GetNextWindow(UINT flag) const
{
    return FromHandle(::GetWindow(m_hWnd, flag));
}

CWnd* CWnd::GetDescendantWindow(int id, BOOL onlyPerm) const
{
    for (HWND c = ::GetTopWindow(m_hWnd); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        if (::GetDlgCtrlID(c) == id) {
            CWnd* w = onlyPerm ? FromHandlePermanent(c) : FromHandle(c);
            if (w) return w;
        }
        if (::GetTopWindow(c)) {
            CWnd tmp(c);
            CWnd* w = tmp.GetDescendantWindow(id, onlyPerm);
            tmp.m_hWnd = nullptr;
            if (w) return w;
        }
    }
    return nullptr;
}

BOOL CWnd::IsChild(const CWnd* wnd) const
{
    return ::IsChild(m_hWnd, GetSafeHwnd(wnd));
}
BOOL CWnd::ShowWindow(int cmd)
{
    return ::ShowWindow(m_hWnd, cmd);
}
BOOL CWnd::IsWindowVisible() const
{
    return ::IsWindowVisible(m_hWnd);
}
BOOL CWnd::EnableWindow(BOOL enable)
{
    return ::EnableWindow(m_hWnd, enable);
}
BOOL CWnd::IsWindowEnabled() const
{
    return ::IsWindowEnabled(m_hWnd);
}
BOOL CWnd::IsIconic() const
{
    return ::IsIconic(m_hWnd);
}
BOOL CWnd::IsZoomed() const
{
    return ::IsZoomed(m_hWnd);
}
void CWnd::MoveWindow(int x, int y, int cx, int cy, BOOL repaint)
{
    ::MoveWindow(m_hWnd, x, y, cx, cy, repaint);
}
void CWnd::MoveWindow(LPCRECT r, BOOL repaint)
{
    MoveWindow(r->left, r->top, r->right - r->left, r->bottom - r->top, repaint);
}
BOOL CWnd::SetWindowPos(const CWnd* after, int x, int y, int cx, int cy, UINT flags)
{
    return ::SetWindowPos(m_hWnd, GetSafeHwnd(after), x, y, cx, cy, flags);
}
void CWnd::GetWindowRect(LPRECT r) const
{
    ::GetWindowRect(m_hWnd, r);
}
void CWnd::GetClientRect(LPRECT r) const
{
    ::GetClientRect(m_hWnd, r);
}
void CWnd::ClientToScreen(LPPOINT pt) const
{
    ::ClientToScreen(m_hWnd, pt);
}
void CWnd::ClientToScreen(LPRECT r) const
{
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&r->left));
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&r->right));
}
void CWnd::ScreenToClient(LPPOINT pt) const
{
    ::ScreenToClient(m_hWnd, pt);
}
void CWnd::ScreenToClient(LPRECT r) const
{
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&r->left));
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&r->right));
}

void CWnd::CenterWindow(CWnd* alternate)
{
    CRect area;
    HWND other = alternate ? alternate->m_hWnd : ::GetWindow(m_hWnd, GW_OWNER);
    if (!(GetStyle() & WS_CHILD)) {
        if (other && ::IsWindowVisible(other) && !::IsIconic(other))
            ::GetWindowRect(other, &area);
        else
            ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    } else {
        ::GetClientRect(::GetParent(m_hWnd), &area);
    }
    CRect me;
    GetWindowRect(&me);
    if (GetStyle() & WS_CHILD) ::MapWindowPoints(nullptr, ::GetParent(m_hWnd), reinterpret_cast<LPPOINT>(&me), 2);
    const int x = area.left + (area.Width() - me.Width()) / 2, y = area.top + (area.Height() - me.Height()) / 2;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CWnd::GetWindowPlacement(WINDOWPLACEMENT* wp) const
{
    wp->length = sizeof(WINDOWPLACEMENT);
    return ::GetWindowPlacement(m_hWnd, wp);
}
BOOL CWnd::SetWindowPlacement(const WINDOWPLACEMENT* wp)
{
    return ::SetWindowPlacement(m_hWnd, wp);
}
void CWnd::Invalidate(BOOL erase)
{
    ::InvalidateRect(m_hWnd, nullptr, erase);
}
void CWnd::InvalidateRect(LPCRECT r, BOOL erase)
{
    ::InvalidateRect(m_hWnd, r, erase);
}
void CWnd::ValidateRect(LPCRECT r)
{
    ::ValidateRect(m_hWnd, r);
}
void CWnd::UpdateWindow()
{
    ::UpdateWindow(m_hWnd);
}
BOOL CWnd::RedrawWindow(LPCRECT r, HRGN rgn, UINT flags)
{
    return ::RedrawWindow(m_hWnd, r, rgn, flags);
}
CWnd* CWnd::SetFocus()
{
    return FromHandle(::SetFocus(m_hWnd));
}
CWnd* CWnd::GetFocus()
{
    return FromHandle(::GetFocus());
}
CWnd* CWnd::SetCapture()
{
    return FromHandle(::SetCapture(m_hWnd));
}
CWnd* CWnd::GetCapture()
{
    return FromHandle(::GetCapture());
}
CWnd* CWnd::GetActiveWindow()
{
    return FromHandle(::GetActiveWindow());
}
CWnd* CWnd::SetActiveWindow()
{
    return FromHandle(::SetActiveWindow(m_hWnd));
}
CWnd* CWnd::GetForegroundWindow()
{
    return FromHandle(::GetForegroundWindow());
}
BOOL CWnd::SetForegroundWindow()
{
    return ::SetForegroundWindow(m_hWnd);
}
void CWnd::BringWindowToTop()
{
    ::BringWindowToTop(m_hWnd);
}
CWnd* CWnd::GetDesktopWindow()
{
    return FromHandle(::GetDesktopWindow());
}
CWnd* CWnd::WindowFromPoint(POINT pt)
{
    return FromHandle(::WindowFromPoint(pt));
}
UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc)
{
    return ::SetTimer(m_hWnd, id, elapse, proc);
}
BOOL CWnd::KillTimer(UINT_PTR id)
{
    return ::KillTimer(m_hWnd, id);
}
CMenu* CWnd::GetMenu() const
{
    return CMenu::FromHandle(::GetMenu(m_hWnd));
}
BOOL CWnd::SetMenu(CMenu* menu)
{
    return ::SetMenu(m_hWnd, menu ? menu->m_hMenu : nullptr);
}
void CWnd::DrawMenuBar()
{
    ::DrawMenuBar(m_hWnd);
}
CMenu* CWnd::GetSystemMenu(BOOL revert) const
{
    return CMenu::FromHandle(::GetSystemMenu(m_hWnd, revert));
}
CDC* CWnd::GetDC()
{
    return CDC::FromHandle(::GetDC(m_hWnd));
}
CDC* CWnd::GetWindowDC()
{
    return CDC::FromHandle(::GetWindowDC(m_hWnd));
}
int CWnd::ReleaseDC(CDC* dc)
{
    return dc ? ::ReleaseDC(m_hWnd, dc->m_hDC) : 0;
}
void CWnd::SetFont(CFont* font, BOOL redraw)
{
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font ? font->m_hObject : nullptr), redraw);
}
CFont* CWnd::GetFont() const
{
    return CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
}
void CWnd::DragAcceptFiles(BOOL accept)
{
    ::DragAcceptFiles(m_hWnd, accept);
}
int CWnd::MessageBox(LPCTSTR text, LPCTSTR caption, UINT type)
{
    return AfxMessageBoxOwned(m_hWnd, text, caption, type);
}
void CWnd::SetRedraw(BOOL redraw)
{
    SendMessage(WM_SETREDRAW, redraw);
}

int CWnd::SetScrollPos(int bar, int pos, BOOL redraw)
{
    return ::SetScrollPos(m_hWnd, bar, pos, redraw);
}
int CWnd::GetScrollPos(int bar) const
{
    return ::GetScrollPos(m_hWnd, bar);
}
void CWnd::SetScrollRange(int bar, int minPos, int maxPos, BOOL redraw)
{
    ::SetScrollRange(m_hWnd, bar, minPos, maxPos, redraw);
}
void CWnd::GetScrollRange(int bar, LPINT minPos, LPINT maxPos) const
{
    ::GetScrollRange(m_hWnd, bar, minPos, maxPos);
}
BOOL CWnd::SetScrollInfo(int bar, LPSCROLLINFO info, BOOL redraw)
{
    info->cbSize = sizeof(SCROLLINFO);
    ::SetScrollInfo(m_hWnd, bar, info, redraw);
    return TRUE;
}
BOOL CWnd::GetScrollInfo(int bar, LPSCROLLINFO info, UINT mask) const
{
    info->cbSize = sizeof(SCROLLINFO);
    info->fMask = mask;
    return ::GetScrollInfo(m_hWnd, bar, info);
}
int CWnd::GetScrollLimit(int bar) const
{
    SCROLLINFO si{};
    if (!GetScrollInfo(bar, &si, SIF_RANGE | SIF_PAGE)) return 0;
    return si.nMax - (si.nPage > 0 ? static_cast<int>(si.nPage) - 1 : 0);
}
void CWnd::ShowScrollBar(UINT bar, BOOL show)
{
    ::ShowScrollBar(m_hWnd, static_cast<int>(bar), show);
}
BOOL CWnd::EnableScrollBar(int bar, UINT arrows)
{
    return ::EnableScrollBar(m_hWnd, static_cast<UINT>(bar), arrows);
}
void CWnd::ScrollWindow(int dx, int dy, LPCRECT rect, LPCRECT clip)
{
    ::ScrollWindow(m_hWnd, dx, dy, rect, clip);
}

BOOL CWnd::UpdateData(BOOL saveAndValidate)
{
    CDataExchange dx(this, saveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (const CUserException&) {
        return FALSE;  // the failing check has told the user and set the focus
    }
    return TRUE;
}

BOOL CScrollBar::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("SCROLLBAR", nullptr, style, rect, parent, id);
}

// ---- default handlers ------------------------------------------------------------

int CWnd::OnCreate(LPCREATESTRUCT)
{
    return static_cast<int>(Default());
}
void CWnd::OnDestroy()
{
    Default();
}
void CWnd::OnNcDestroy()
{
    Default();
}
void CWnd::OnClose()
{
    Default();
}
void CWnd::OnPaint()
{
    Default();
}
void CWnd::OnNcPaint()
{
    Default();
}
BOOL CWnd::OnEraseBkgnd(CDC*)
{
    return static_cast<BOOL>(Default());
}
void CWnd::OnSize(UINT, int, int)
{
    Default();
}
void CWnd::OnMove(int, int)
{
    Default();
}
void CWnd::OnTimer(UINT_PTR)
{
    Default();
}
void CWnd::OnShowWindow(BOOL, UINT)
{
    Default();
}
void CWnd::OnEnable(BOOL)
{
    Default();
}
void CWnd::OnSetFocus(CWnd*)
{
    Default();
}
void CWnd::OnKillFocus(CWnd*)
{
    Default();
}
void CWnd::OnLButtonDown(UINT, CPoint)
{
    Default();
}
void CWnd::OnLButtonUp(UINT, CPoint)
{
    Default();
}
void CWnd::OnLButtonDblClk(UINT, CPoint)
{
    Default();
}
void CWnd::OnRButtonDown(UINT, CPoint)
{
    Default();
}
void CWnd::OnRButtonUp(UINT, CPoint)
{
    Default();
}
void CWnd::OnRButtonDblClk(UINT, CPoint)
{
    Default();
}
void CWnd::OnMButtonDown(UINT, CPoint)
{
    Default();
}
void CWnd::OnMButtonUp(UINT, CPoint)
{
    Default();
}
void CWnd::OnMouseMove(UINT, CPoint)
{
    Default();
}
BOOL CWnd::OnMouseWheel(UINT, short, CPoint)
{
    return static_cast<BOOL>(Default());
}
void CWnd::OnKeyDown(UINT, UINT, UINT)
{
    Default();
}
void CWnd::OnKeyUp(UINT, UINT, UINT)
{
    Default();
}
void CWnd::OnChar(UINT, UINT, UINT)
{
    Default();
}
void CWnd::OnSysKeyDown(UINT, UINT, UINT)
{
    Default();
}
void CWnd::OnHScroll(UINT, UINT, CScrollBar*)
{
    Default();
}
void CWnd::OnVScroll(UINT, UINT, CScrollBar*)
{
    Default();
}
HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT)
{
    return reinterpret_cast<HBRUSH>(Default());
}
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT)
{
    return static_cast<BOOL>(Default());
}
void CWnd::OnGetMinMaxInfo(MINMAXINFO*)
{
    Default();
}
BOOL CWnd::OnNcActivate(BOOL)
{
    return static_cast<BOOL>(Default());
}
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*)
{
    Default();
}
LRESULT CWnd::OnNcHitTest(CPoint)
{
    return Default();
}
void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT)
{
    Default();
}
void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT)
{
    Default();
}
LRESULT CWnd::OnMenuChar(UINT, UINT, CMenu*)
{
    return Default();
}
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL)
{
    Default();
}
void CWnd::OnMenuSelect(UINT, UINT, HMENU)
{
    Default();
}
void CWnd::OnSysCommand(UINT, LPARAM)
{
    Default();
}
void CWnd::OnWindowPosChanging(WINDOWPOS*)
{
    Default();
}
void CWnd::OnWindowPosChanged(WINDOWPOS*)
{
    Default();
}
void CWnd::OnContextMenu(CWnd*, CPoint)
{
    Default();
}
void CWnd::OnActivate(UINT, CWnd*, BOOL)
{
    Default();
}
void CWnd::OnDropFiles(HDROP)
{
    Default();
}
void CWnd::OnCaptureChanged(CWnd*)
{
    Default();
}
void CWnd::OnNcLButtonDown(UINT, CPoint)
{
    Default();
}
void CWnd::OnNcRButtonDown(UINT, CPoint)
{
    Default();
}
int CWnd::OnMouseActivate(CWnd*, UINT, UINT)
{
    return static_cast<int>(Default());
}

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

// Under Wine without a window manager an owner that is activated comes up
// over its own tool windows: they are put in front of it again, in their order.
void FwRaiseOwnedWindows(HWND owner, HWND except)
{
    std::vector<HWND> owned;  // the top one first
    for (HWND h = ::GetTopWindow(nullptr); h; h = ::GetWindow(h, GW_HWNDNEXT))
        if (h != except && ::GetWindow(h, GW_OWNER) == owner && ::IsWindowVisible(h)) owned.push_back(h);
    for (auto it = owned.rbegin(); it != owned.rend(); ++it)
        ::SetWindowPos(*it, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}
