#pragma once
// Message maps as static tables, command targets and command-UI updates.
//
// A class with DECLARE_MESSAGE_MAP() lists its handlers between
// BEGIN_MESSAGE_MAP(Class, Base) and END_MESSAGE_MAP(). Command, notification
// and ON_MESSAGE entries name their handler as a member pointer
// (ON_COMMAND(ID_X, &CMyView::OnX)); ON_WM_xxx() entries call the handler of
// the usual name and signature (OnPaint, OnSize, ...). Each entry holds a
// small thunk, made by the ON_ macros, that casts the target to the class and
// calls the member with the arguments unpacked from the message; lookups walk
// the class's table, then its base class's.
#include "framework/Object.h"
#include "framework/String.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

// Function-like macros of the system headers that clash with member names.
#undef GetNextWindow
#undef SubclassWindow
#undef CopyRgn

#ifndef GET_X_LPARAM
#define GET_X_LPARAM(lp) static_cast<int>(static_cast<short>(LOWORD(lp)))
#define GET_Y_LPARAM(lp) static_cast<int>(static_cast<short>(HIWORD(lp)))
#endif

class CCmdTarget;
class CCmdUI;
class CWnd;
class CDC;
class CMenu;
class CScrollBar;
class CPoint;

// Framework's own window messages.
#define WM_SETMESSAGESTRING 0x0362  // wParam: string id, or lParam: text
#define WM_IDLEUPDATECMDUI 0x0363   // wParam: TRUE to disable items without handlers
#define WM_INITIALUPDATE 0x0364
#define WM_KICKIDLE 0x036A
#define WM_FW_RAISEOWNED 0x036B  // a frame puts its tool windows in front again
#define WM_FW_CTLCOLOR 0x0019  // table key of every WM_CTLCOLORxxx
#define WM_FW_REFLECT 0xBC00   // + message: reflected to the control itself

// Notification codes of the command route.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI (-1)
#define CN_NOTIFY_ROUTE (-2)  // WM_NOTIFY through OnCmdMsg; extra is FwNotifyArgs*

// Command and string ids the framework itself uses.
#define AFX_IDS_IDLEMESSAGE 0xE001
#define ID_SEPARATOR 0
#define ID_FILE_NEW 0xE100
#define ID_FILE_OPEN 0xE101
#define ID_FILE_CLOSE 0xE102
#define ID_FILE_SAVE 0xE103
#define ID_FILE_SAVE_AS 0xE104
#define ID_FILE_PRINT_SETUP 0xE106
#define ID_FILE_PRINT 0xE107
#define ID_FILE_PRINT_DIRECT 0xE108
#define ID_FILE_PRINT_PREVIEW 0xE109
#define ID_FILE_MRU_FILE1 0xE110
#define ID_FILE_MRU_FILE16 0xE11F
#define ID_APP_ABOUT 0xE140
#define ID_APP_EXIT 0xE141
#define ID_VIEW_TOOLBAR 0xE800
#define ID_VIEW_STATUS_BAR 0xE801
#define ID_INDICATOR_CAPS 0xE701
#define ID_INDICATOR_NUM 0xE702
#define ID_INDICATOR_SCRL 0xE703
#define AFX_IDW_PANE_FIRST 0xE900
#define AFX_IDW_TOOLBAR 0xE800
#define AFX_IDW_STATUS_BAR 0xE801
#define AFX_IDW_DOCKBAR_TOP 0xE81B

// Arguments of one dispatch.
struct FwMsgCall {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    UINT cmdId;
    int code;
    void* extra;  // CCmdUI* for updates, FwNotifyArgs* for notifications
    LRESULT result;
};

struct FwNotifyArgs {
    NMHDR* hdr;
    LRESULT* result;
};

// Returns FALSE when the handler declines (ON_COMMAND_EX, ON_NOTIFY_EX).
typedef BOOL (*FwThunk)(CCmdTarget* target, FwMsgCall& call);

enum FwEntryKind : UINT {
    fwkMessage,     // window message
    fwkRegistered,  // registered message, id read at dispatch
    fwkCommand,     // WM_COMMAND / control notification, id range and code
    fwkUpdateUI,    // update-command-UI, id range
    fwkNotify,      // WM_NOTIFY, id range and code
    fwkReflectCmd,  // control notification reflected to the control
    fwkReflectNotify,
    fwkEnd
};

struct FwMsgMapEntry {
    FwEntryKind kind;
    UINT message;
    int code;
    UINT firstId;
    UINT lastId;
    const UINT* registered;
    FwThunk thunk;
};

struct FwMsgMap {
    const FwMsgMap* (*base)();
    const FwMsgMapEntry* entries;
};

class FW_API CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;
    // Routes a command, update or notification; pHandlerInfo non-null only asks
    // whether a handler exists.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo);
    virtual const FwMsgMap* GetMessageMap() const;
    static const FwMsgMap* GetThisMessageMap();

    // Helpers of the dispatch.
    static const FwMsgMapEntry* FindEntry(const FwMsgMap* map, FwEntryKind kind, UINT message, int code, UINT id);
    BOOL DispatchCmd(UINT nID, int nCode, void* pExtra, void* pHandlerInfo);
};

// Update state of one command's user-interface item (menu item, button, pane).
class FW_API CCmdUI {
public:
    UINT m_nID = 0;
    UINT m_nIndex = 0;
    UINT m_nIndexMax = 0;
    CMenu* m_pMenu = nullptr;
    CMenu* m_pSubMenu = nullptr;
    CWnd* m_pOther = nullptr;
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;

    virtual ~CCmdUI() = default;
    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCTSTR text);
    void ContinueRouting() { m_bContinueRouting = TRUE; }
    // Asks target for the state; with no handler and no command handler the
    // item is disabled when disableIfNoHandler is set.
    BOOL DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler);
};

// ---- message-map macros ----------------------------------------------------

#define DECLARE_MESSAGE_MAP()                   \
protected:                                      \
    static const FwMsgMap* GetThisMessageMap(); \
    const FwMsgMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)       \
    const FwMsgMap* theClass::GetMessageMap() const  \
    {                                                \
        return GetThisMessageMap();                  \
    }                                                \
    const FwMsgMap* theClass::GetThisMessageMap()    \
    {                                                \
        using ThisClass [[maybe_unused]] = theClass; \
        using TheBaseClass = baseClass;              \
        static const FwMsgMapEntry entries[] = {
#define END_MESSAGE_MAP()                                                    \
    {                                                                        \
        fwkEnd, 0, 0, 0, 0, nullptr, nullptr                                 \
    }                                                                        \
    }                                                                        \
    ;                                                                        \
    static const FwMsgMap map = {&TheBaseClass::GetThisMessageMap, entries}; \
    return &map;                                                             \
    }

#define FW_T(body)                                           \
    [](CCmdTarget* fwTarget, FwMsgCall& fwCall) -> BOOL {    \
        ThisClass* self = static_cast<ThisClass*>(fwTarget); \
        (void)self;                                          \
        (void)fwCall;                                        \
        body                                                 \
    }
#define FW_WP (fwCall.wParam)
#define FW_LP (fwCall.lParam)
#define FW_PT CPoint(GET_X_LPARAM(fwCall.lParam), GET_Y_LPARAM(fwCall.lParam))
#define FW_MSG_ENTRY(msg, body) {fwkMessage, msg, 0, 0, 0, nullptr, FW_T(body)},

// Generic messages.
#define ON_MESSAGE(msg, fn) FW_MSG_ENTRY(msg, fwCall.result = (self->*(fn))(FW_WP, FW_LP); return TRUE;)
#define ON_REGISTERED_MESSAGE(var, fn)                                                                   \
    {                                                                                                    \
        fwkRegistered, 0, 0, 0, 0, &var, FW_T(fwCall.result = (self->*(fn))(FW_WP, FW_LP); return TRUE;) \
    }                                                                                                    \
    ,
#define ON_THREAD_MESSAGE(msg, fn) FW_MSG_ENTRY(msg, (self->*(fn))(FW_WP, FW_LP); return TRUE;)

// Commands.
#define ON_COMMAND(id, fn)                                                                                       \
    {                                                                                                            \
        fwkCommand, WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), nullptr, FW_T((self->*(fn))(); return TRUE;) \
    }                                                                                                            \
    ,
#define ON_COMMAND_EX(id, fn)                                                                                          \
    {                                                                                                                  \
        fwkCommand, WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), nullptr, FW_T(return (self->*(fn))(fwCall.cmdId);) \
    }                                                                                                                  \
    ,
#define ON_COMMAND_RANGE(id1, id2, fn)                                         \
    {                                                                          \
        fwkCommand, WM_COMMAND, CN_COMMAND, (UINT)(id1), (UINT)(id2), nullptr, \
            FW_T((self->*(fn))(fwCall.cmdId); return TRUE;)                    \
    }                                                                          \
    ,
#define ON_COMMAND_EX_RANGE(id1, id2, fn)                                      \
    {                                                                          \
        fwkCommand, WM_COMMAND, CN_COMMAND, (UINT)(id1), (UINT)(id2), nullptr, \
            FW_T(return (self->*(fn))(fwCall.cmdId);)                          \
    }                                                                          \
    ,
#define ON_UPDATE_COMMAND_UI(id, fn)                                                    \
    {                                                                                   \
        fwkUpdateUI, WM_COMMAND, CN_UPDATE_COMMAND_UI, (UINT)(id), (UINT)(id), nullptr, \
            FW_T((self->*(fn))(static_cast<CCmdUI*>(fwCall.extra)); return TRUE;)       \
    }                                                                                   \
    ,
#define ON_UPDATE_COMMAND_UI_RANGE(id1, id2, fn)                                          \
    {                                                                                     \
        fwkUpdateUI, WM_COMMAND, CN_UPDATE_COMMAND_UI, (UINT)(id1), (UINT)(id2), nullptr, \
            FW_T((self->*(fn))(static_cast<CCmdUI*>(fwCall.extra)); return TRUE;)         \
    }                                                                                     \
    ,
#define ON_CONTROL(code, id, fn)                                                                                  \
    {                                                                                                             \
        fwkCommand, WM_COMMAND, (int)(code), (UINT)(id), (UINT)(id), nullptr, FW_T((self->*(fn))(); return TRUE;) \
    }                                                                                                             \
    ,
#define ON_CONTROL_RANGE(code, id1, id2, fn)                                    \
    {                                                                           \
        fwkCommand, WM_COMMAND, (int)(code), (UINT)(id1), (UINT)(id2), nullptr, \
            FW_T((self->*(fn))(fwCall.cmdId); return TRUE;)                     \
    }                                                                           \
    ,
#define ON_CONTROL_REFLECT(code, fn)                                                                    \
    {                                                                                                   \
        fwkReflectCmd, WM_COMMAND, (int)(code), 0, 0xFFFF, nullptr, FW_T((self->*(fn))(); return TRUE;) \
    }                                                                                                   \
    ,
#define ON_CONTROL_REFLECT_EX(code, fn)                                                           \
    {                                                                                             \
        fwkReflectCmd, WM_COMMAND, (int)(code), 0, 0xFFFF, nullptr, FW_T(return (self->*(fn))();) \
    }                                                                                             \
    ,
#define ON_NOTIFY(code, id, fn)                                                                                      \
    {                                                                                                                \
        fwkNotify, WM_NOTIFY, (int)(code), (UINT)(id), (UINT)(id), nullptr,                                          \
            FW_T(auto* a = static_cast<FwNotifyArgs*>(fwCall.extra); (self->*(fn))(a->hdr, a->result); return TRUE;) \
    }                                                                                                                \
    ,
#define ON_NOTIFY_RANGE(code, id1, id2, fn)                                                                          \
    {                                                                                                                \
        fwkNotify, WM_NOTIFY, (int)(code), (UINT)(id1), (UINT)(id2), nullptr,                                        \
            FW_T(auto* a = static_cast<FwNotifyArgs*>(fwCall.extra); (self->*(fn))(fwCall.cmdId, a->hdr, a->result); \
                 return TRUE;)                                                                                       \
    }                                                                                                                \
    ,
#define ON_NOTIFY_EX(code, id, fn)                                          \
    {                                                                       \
        fwkNotify, WM_NOTIFY, (int)(code), (UINT)(id), (UINT)(id), nullptr, \
            FW_T(auto* a = static_cast<FwNotifyArgs*>(fwCall.extra);        \
                 return (self->*(fn))(fwCall.cmdId, a->hdr, a->result);)    \
    }                                                                       \
    ,
#define ON_NOTIFY_EX_RANGE(code, id1, id2, fn)                                \
    {                                                                         \
        fwkNotify, WM_NOTIFY, (int)(code), (UINT)(id1), (UINT)(id2), nullptr, \
            FW_T(auto* a = static_cast<FwNotifyArgs*>(fwCall.extra);          \
                 return (self->*(fn))(fwCall.cmdId, a->hdr, a->result);)      \
    }                                                                         \
    ,
#define ON_NOTIFY_REFLECT(code, fn)                                                                                  \
    {                                                                                                                \
        fwkReflectNotify, WM_NOTIFY, (int)(code), 0, 0xFFFF, nullptr,                                                \
            FW_T(auto* a = static_cast<FwNotifyArgs*>(fwCall.extra); (self->*(fn))(a->hdr, a->result); return TRUE;) \
    }                                                                                                                \
    ,

#define ON_BN_CLICKED(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_BN_DOUBLECLICKED(id, fn) ON_CONTROL(BN_DOUBLECLICKED, id, fn)
#define ON_EN_CHANGE(id, fn) ON_CONTROL(EN_CHANGE, id, fn)
#define ON_EN_UPDATE(id, fn) ON_CONTROL(EN_UPDATE, id, fn)
#define ON_EN_KILLFOCUS(id, fn) ON_CONTROL(EN_KILLFOCUS, id, fn)
#define ON_EN_SETFOCUS(id, fn) ON_CONTROL(EN_SETFOCUS, id, fn)
#define ON_CBN_SELCHANGE(id, fn) ON_CONTROL(CBN_SELCHANGE, id, fn)
#define ON_CBN_SELENDOK(id, fn) ON_CONTROL(CBN_SELENDOK, id, fn)
#define ON_CBN_DROPDOWN(id, fn) ON_CONTROL(CBN_DROPDOWN, id, fn)
#define ON_CBN_CLOSEUP(id, fn) ON_CONTROL(CBN_CLOSEUP, id, fn)
#define ON_CBN_EDITCHANGE(id, fn) ON_CONTROL(CBN_EDITCHANGE, id, fn)
#define ON_CBN_KILLFOCUS(id, fn) ON_CONTROL(CBN_KILLFOCUS, id, fn)
#define ON_LBN_SELCHANGE(id, fn) ON_CONTROL(LBN_SELCHANGE, id, fn)
#define ON_LBN_DBLCLK(id, fn) ON_CONTROL(LBN_DBLCLK, id, fn)
#define ON_STN_CLICKED(id, fn) ON_CONTROL(STN_CLICKED, id, fn)

// Window messages with unpacked arguments.
#define ON_WM_CREATE() \
    FW_MSG_ENTRY(WM_CREATE, fwCall.result = self->OnCreate(reinterpret_cast<LPCREATESTRUCT>(FW_LP)); return TRUE;)
#define ON_WM_DESTROY() FW_MSG_ENTRY(WM_DESTROY, self->OnDestroy(); return TRUE;)
#define ON_WM_NCDESTROY() FW_MSG_ENTRY(WM_NCDESTROY, self->OnNcDestroy(); return TRUE;)
#define ON_WM_CLOSE() FW_MSG_ENTRY(WM_CLOSE, self->OnClose(); return TRUE;)
#define ON_WM_PAINT() FW_MSG_ENTRY(WM_PAINT, self->OnPaint(); return TRUE;)
#define ON_WM_NCPAINT() FW_MSG_ENTRY(WM_NCPAINT, self->OnNcPaint(); return TRUE;)
#define ON_WM_ERASEBKGND()                                                                                         \
    FW_MSG_ENTRY(WM_ERASEBKGND, fwCall.result = self->OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(FW_WP))); \
                 return TRUE;)
#define ON_WM_SIZE() \
    FW_MSG_ENTRY(WM_SIZE, self->OnSize(static_cast<UINT>(FW_WP), LOWORD(FW_LP), HIWORD(FW_LP)); return TRUE;)
#define ON_WM_MOVE() FW_MSG_ENTRY(WM_MOVE, self->OnMove(GET_X_LPARAM(FW_LP), GET_Y_LPARAM(FW_LP)); return TRUE;)
#define ON_WM_TIMER() FW_MSG_ENTRY(WM_TIMER, self->OnTimer(static_cast<UINT_PTR>(FW_WP)); return TRUE;)
#define ON_WM_SHOWWINDOW() \
    FW_MSG_ENTRY(WM_SHOWWINDOW, self->OnShowWindow(static_cast<BOOL>(FW_WP), static_cast<UINT>(FW_LP)); return TRUE;)
#define ON_WM_ENABLE() FW_MSG_ENTRY(WM_ENABLE, self->OnEnable(static_cast<BOOL>(FW_WP)); return TRUE;)
#define ON_WM_SETFOCUS() \
    FW_MSG_ENTRY(WM_SETFOCUS, self->OnSetFocus(CWnd::FromHandle(reinterpret_cast<HWND>(FW_WP))); return TRUE;)
#define ON_WM_KILLFOCUS() \
    FW_MSG_ENTRY(WM_KILLFOCUS, self->OnKillFocus(CWnd::FromHandle(reinterpret_cast<HWND>(FW_WP))); return TRUE;)
#define FW_MOUSE(msg, fn) FW_MSG_ENTRY(msg, self->fn(static_cast<UINT>(FW_WP), FW_PT); return TRUE;)
#define ON_WM_LBUTTONDOWN() FW_MOUSE(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() FW_MOUSE(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() FW_MOUSE(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() FW_MOUSE(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() FW_MOUSE(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() FW_MOUSE(WM_RBUTTONDBLCLK, OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() FW_MOUSE(WM_MBUTTONDOWN, OnMButtonDown)
#define ON_WM_MBUTTONUP() FW_MOUSE(WM_MBUTTONUP, OnMButtonUp)
#define ON_WM_MOUSEMOVE() FW_MOUSE(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_MOUSEWHEEL()                                                                                             \
    FW_MSG_ENTRY(WM_MOUSEWHEEL,                                                                                        \
                 fwCall.result = self->OnMouseWheel(GET_KEYSTATE_WPARAM(FW_WP), GET_WHEEL_DELTA_WPARAM(FW_WP), FW_PT); \
                 return TRUE;)
#define FW_KEY(msg, fn) \
    FW_MSG_ENTRY(msg, self->fn(static_cast<UINT>(FW_WP), LOWORD(FW_LP), HIWORD(FW_LP)); return TRUE;)
#define ON_WM_KEYDOWN() FW_KEY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() FW_KEY(WM_KEYUP, OnKeyUp)
#define ON_WM_CHAR() FW_KEY(WM_CHAR, OnChar)
#define ON_WM_SYSKEYDOWN() FW_KEY(WM_SYSKEYDOWN, OnSysKeyDown)
#define ON_WM_HSCROLL()                                                                                           \
    FW_MSG_ENTRY(WM_HSCROLL,                                                                                      \
                 self->OnHScroll(LOWORD(FW_WP), HIWORD(FW_WP),                                                    \
                                 reinterpret_cast<CScrollBar*>(CWnd::FromHandle(reinterpret_cast<HWND>(FW_LP)))); \
                 return TRUE;)
#define ON_WM_VSCROLL()                                                                                           \
    FW_MSG_ENTRY(WM_VSCROLL,                                                                                      \
                 self->OnVScroll(LOWORD(FW_WP), HIWORD(FW_WP),                                                    \
                                 reinterpret_cast<CScrollBar*>(CWnd::FromHandle(reinterpret_cast<HWND>(FW_LP)))); \
                 return TRUE;)
#define ON_WM_CTLCOLOR()                                                                                               \
    FW_MSG_ENTRY(WM_FW_CTLCOLOR, fwCall.result = reinterpret_cast<LRESULT>(                                            \
                                     self->OnCtlColor(CDC::FromHandle(reinterpret_cast<HDC>(FW_WP)),                   \
                                                      CWnd::FromHandle(reinterpret_cast<HWND>(FW_LP)), fwCall.cmdId)); \
                 return TRUE;)
#define ON_WM_CTLCOLOR_REFLECT()                                                                   \
    {                                                                                              \
        fwkMessage, WM_FW_REFLECT + WM_FW_CTLCOLOR, 0, 0, 0, nullptr,                              \
            FW_T(fwCall.result = reinterpret_cast<LRESULT>(                                        \
                     self->CtlColor(CDC::FromHandle(reinterpret_cast<HDC>(FW_WP)), fwCall.cmdId)); \
                 return fwCall.result != 0;)                                                       \
    }                                                                                              \
    ,
#define ON_WM_SETCURSOR()                                                                                         \
    FW_MSG_ENTRY(WM_SETCURSOR, fwCall.result = self->OnSetCursor(CWnd::FromHandle(reinterpret_cast<HWND>(FW_WP)), \
                                                                 LOWORD(FW_LP), HIWORD(FW_LP));                   \
                 return TRUE;)
#define ON_WM_GETMINMAXINFO() \
    FW_MSG_ENTRY(WM_GETMINMAXINFO, self->OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(FW_LP)); return TRUE;)
#define ON_WM_NCACTIVATE() \
    FW_MSG_ENTRY(WM_NCACTIVATE, fwCall.result = self->OnNcActivate(static_cast<BOOL>(FW_WP)); return TRUE;)
#define ON_WM_NCCALCSIZE()                                                                                  \
    FW_MSG_ENTRY(WM_NCCALCSIZE,                                                                             \
                 self->OnNcCalcSize(static_cast<BOOL>(FW_WP), reinterpret_cast<NCCALCSIZE_PARAMS*>(FW_LP)); \
                 return TRUE;)
#define ON_WM_NCHITTEST() FW_MSG_ENTRY(WM_NCHITTEST, fwCall.result = self->OnNcHitTest(FW_PT); return TRUE;)
#define ON_WM_DRAWITEM()                                                                                            \
    FW_MSG_ENTRY(WM_DRAWITEM, self->OnDrawItem(static_cast<int>(FW_WP), reinterpret_cast<LPDRAWITEMSTRUCT>(FW_LP)); \
                 return TRUE;)
#define ON_WM_MEASUREITEM()                                                                                  \
    FW_MSG_ENTRY(WM_MEASUREITEM,                                                                             \
                 self->OnMeasureItem(static_cast<int>(FW_WP), reinterpret_cast<LPMEASUREITEMSTRUCT>(FW_LP)); \
                 return TRUE;)
#define ON_WM_MENUCHAR()                                                                                           \
    FW_MSG_ENTRY(WM_MENUCHAR, fwCall.result = self->OnMenuChar(LOWORD(FW_WP), HIWORD(FW_WP),                       \
                                                               CMenu::FromHandle(reinterpret_cast<HMENU>(FW_LP))); \
                 return TRUE;)
#define ON_WM_INITMENUPOPUP()                                                                               \
    FW_MSG_ENTRY(WM_INITMENUPOPUP, self->OnInitMenuPopup(CMenu::FromHandle(reinterpret_cast<HMENU>(FW_WP)), \
                                                         LOWORD(FW_LP), HIWORD(FW_LP));                     \
                 return TRUE;)
#define ON_WM_MENUSELECT()                                                                                        \
    FW_MSG_ENTRY(WM_MENUSELECT, self->OnMenuSelect(LOWORD(FW_WP), HIWORD(FW_WP), reinterpret_cast<HMENU>(FW_LP)); \
                 return TRUE;)
#define ON_WM_SYSCOMMAND() \
    FW_MSG_ENTRY(WM_SYSCOMMAND, self->OnSysCommand(static_cast<UINT>(FW_WP), FW_LP); return TRUE;)
#define ON_WM_WINDOWPOSCHANGING() \
    FW_MSG_ENTRY(WM_WINDOWPOSCHANGING, self->OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(FW_LP)); return TRUE;)
#define ON_WM_WINDOWPOSCHANGED() \
    FW_MSG_ENTRY(WM_WINDOWPOSCHANGED, self->OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(FW_LP)); return TRUE;)
#define ON_WM_CONTEXTMENU()                                                                                   \
    FW_MSG_ENTRY(WM_CONTEXTMENU, self->OnContextMenu(CWnd::FromHandle(reinterpret_cast<HWND>(FW_WP)), FW_PT); \
                 return TRUE;)
#define ON_WM_ACTIVATE()                                                                                          \
    FW_MSG_ENTRY(WM_ACTIVATE,                                                                                     \
                 self->OnActivate(LOWORD(FW_WP), CWnd::FromHandle(reinterpret_cast<HWND>(FW_LP)), HIWORD(FW_WP)); \
                 return TRUE;)
#define ON_WM_DROPFILES() FW_MSG_ENTRY(WM_DROPFILES, self->OnDropFiles(reinterpret_cast<HDROP>(FW_WP)); return TRUE;)
#define ON_WM_CAPTURECHANGED()                                                                               \
    FW_MSG_ENTRY(WM_CAPTURECHANGED, self->OnCaptureChanged(CWnd::FromHandle(reinterpret_cast<HWND>(FW_LP))); \
                 return TRUE;)
#define ON_WM_NCLBUTTONDOWN() \
    FW_MSG_ENTRY(WM_NCLBUTTONDOWN, self->OnNcLButtonDown(static_cast<UINT>(FW_WP), FW_PT); return TRUE;)
#define ON_WM_NCRBUTTONDOWN() \
    FW_MSG_ENTRY(WM_NCRBUTTONDOWN, self->OnNcRButtonDown(static_cast<UINT>(FW_WP), FW_PT); return TRUE;)
#define ON_WM_MOUSEACTIVATE()                                                                                          \
    FW_MSG_ENTRY(WM_MOUSEACTIVATE, fwCall.result = self->OnMouseActivate(                                              \
                                       CWnd::FromHandle(reinterpret_cast<HWND>(FW_WP)), LOWORD(FW_LP), HIWORD(FW_LP)); \
                 return TRUE;)
