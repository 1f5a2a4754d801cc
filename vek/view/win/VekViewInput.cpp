#include "vek/view/win/VekViewInput.h"

#include <ctime>
#include <string>

#include "vek/view/ViewProjection.h"
#include "vek/view/operate/OperateHost.h"
#include "vek/view/operate/OperationStack.h"
#include "vek/view/operate/OsnapState.h"
#include "vek/view/operate/SingleOperate.h"
#include "vek/view/operate/ViewCommands.h"
#include "vek/view/operate/ViewInput.h"
#include "vek/view/win/BottomDlg.h"

namespace VekViewInput {

namespace {

HWND boundView = nullptr;
// The modifier keys of the mouse message being handled (-1 outside one): a
// pick asks for the keys as they were at the click, which the message carries.
int messageKeys = -1;

struct MessageKeys {
    explicit MessageKeys(UINT flags) { messageKeys = static_cast<int>(flags & (MK_SHIFT | MK_CONTROL)); }
    ~MessageKeys() { messageKeys = -1; }
};

HWND ViewHandle()
{
    return boundView && ::IsWindow(boundView) ? boundView : nullptr;
}

bool KeysHeld()
{
    if (messageKeys >= 0) return messageKeys != 0;
    return (::GetKeyState(VK_SHIFT) & 0x8000) || (::GetKeyState(VK_CONTROL) & 0x8000);
}

long ClockMs()
{
    return static_cast<long>(static_cast<double>(std::clock()) * 1000.0 / CLOCKS_PER_SEC);
}

}  // namespace

void BindView(CWnd* view)
{
    boundView = view ? view->GetSafeHwnd() : nullptr;
    thePromptBarLinks.viewWindow = [] { return ViewHandle(); };
    theOperateLinks.shiftOrCtrlHeld = KeysHeld;
}

CWnd* BoundView()
{
    return ViewHandle() ? CWnd::FromHandle(ViewHandle()) : nullptr;
}

void OnLButtonDown(CWnd*, UINT flags, CPoint point)
{
    MessageKeys keys(flags);
    ViewInput::OnLButtonDown(point.x, point.y);
}

void OnLButtonUp(CWnd*, UINT flags, CPoint point)
{
    MessageKeys keys(flags);
    ViewInput::OnLButtonUp(point.x, point.y);
}

void OnMouseMove(CWnd*, UINT flags, CPoint point)
{
    MessageKeys keys(flags);
    ViewInput::OnMouseMove(point.x, point.y);
}

void OnMButtonDown(CWnd*, UINT flags, CPoint point)
{
    MessageKeys keys(flags);
    ViewInput::OnMButtonDown(point.x, point.y);
}

void OnMButtonUp(CWnd*, UINT flags, CPoint point)
{
    MessageKeys keys(flags);
    ViewInput::OnMButtonUp(point.x, point.y);
}

BOOL OnMouseWheel(CWnd* view, UINT, short delta, CPoint screenPoint)
{
    CPoint p = screenPoint;
    view->ScreenToClient(&p);
    ViewInput::OnMouseWheel(delta, p.x, p.y);
    return TRUE;
}

void OnNcMouseMove(CWnd* view)
{
    view->SetFocus();
}

BOOL OnSetCursor(CWnd* view, UINT hitTest)
{
    if (hitTest != HTCLIENT) return FALSE;
    CPoint p;
    ::GetCursorPos(&p);
    view->ScreenToClient(&p);
    CRect client;
    view->GetClientRect(&client);
    for (int id : ViewInput::ChooseCursors(p.x, p.y, client, KeysHeld())) {
        if (HCURSOR c = ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id))) {
            ::SetCursor(c);
            return TRUE;
        }
    }
    return FALSE;
}

void OnContextMenu(CWnd* view, CPoint screenPoint)
{
    const ViewInput::CContextMenuPlan plan = ViewInput::PlanContextMenu();
    CMenu menu;
    if (!menu.LoadMenu(static_cast<UINT>(plan.menu))) return;
    CMenu* popup = menu.GetSubMenu(0);
    if (!popup) return;
    if (plan.onlyFirstItem)
        while (popup->GetMenuItemCount() > 1) popup->DeleteMenu(1, MF_BYPOSITION);
    if (plan.insertCommand)
        popup->InsertMenu(0, MF_BYPOSITION | MF_STRING, static_cast<UINT_PTR>(plan.insertCommand),
                          plan.insertText.c_str());
    popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y, view);
}

void OnKeyDown(UINT virtualKey)
{
    ViewInput::OnKeyDown(virtualKey);
}

void OnChar(UINT ch, UINT repeat, UINT flags)
{
    if (!theBottomDlg) return;
    CWnd* edit = theBottomDlg->GetInputEdit();
    if (!edit) return;
    edit->SetFocus();
    // The key data: the lowest bit of the repeat count and the upper 16 bits.
    const LPARAM data = static_cast<LPARAM>((repeat & 1u) | (static_cast<DWORD>(flags & 0xFFFF) << 16));
    edit->SendMessage(WM_CHAR, ch, data);
}

bool AutoPanOnIdle(CWnd* view)
{
    CPoint p;
    ::GetCursorPos(&p);
    view->ScreenToClient(&p);
    return ViewInput::AutoPanOnIdle(p.x, p.y, theOperateLinks.clockMs ? theOperateLinks.clockMs() : ClockMs());
}

bool OnCommand(UINT id)
{
    switch (id) {
        case ViewInput::kCmdEndDefinition:
        case ViewInput::kCmdApplySelection:
        case ViewInput::kCmdEscape: ViewInput::OnContextCommand(static_cast<int>(id)); return true;
        default: break;
    }
    if (!FindViewCommand(static_cast<int>(id))) return false;
    // An accelerator reaches a greyed command too: it does nothing.
    if (QueryViewCommand(static_cast<int>(id)).enabled) RunViewCommand(static_cast<int>(id));
    return true;
}

bool OnUpdateCommand(CCmdUI* ui)
{
    const CViewCommandState s = QueryViewCommand(static_cast<int>(ui->m_nID));
    if (!s.known) return false;
    ui->Enable(s.enabled ? TRUE : FALSE);
    ui->SetCheck(s.checked ? 1 : 0);
    if (!s.text.empty()) ui->SetText(s.text.c_str());
    return true;
}

bool HandleViewMessage(CWnd* view, UINT message, WPARAM wp, LPARAM lp, LRESULT& result)
{
    const CPoint at(static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)));
    const UINT keys = static_cast<UINT>(wp);
    result = 0;
    switch (message) {
        case WM_LBUTTONDOWN: OnLButtonDown(view, keys, at); return true;
        case WM_LBUTTONUP: OnLButtonUp(view, keys, at); return true;
        case WM_MOUSEMOVE: OnMouseMove(view, keys, at); return true;
        case WM_MBUTTONDOWN: OnMButtonDown(view, keys, at); return true;
        case WM_MBUTTONUP: OnMButtonUp(view, keys, at); return true;
        case WM_MOUSEWHEEL: result = OnMouseWheel(view, LOWORD(wp), static_cast<short>(HIWORD(wp)), at); return true;
        case WM_NCMOUSEMOVE: OnNcMouseMove(view); return false;
        case WM_SETCURSOR:
            if (!OnSetCursor(view, LOWORD(lp))) return false;
            result = TRUE;
            return true;
        case WM_CONTEXTMENU: {
            CPoint p = at;
            if (p.x == -1 && p.y == -1) ::GetCursorPos(&p);  // from the keyboard
            OnContextMenu(view, p);
            return true;
        }
        case WM_KEYDOWN: OnKeyDown(static_cast<UINT>(wp)); return false;
        case WM_CHAR: OnChar(static_cast<UINT>(wp), LOWORD(lp), HIWORD(lp)); return true;
        case WM_COMMAND:
            // The context menus' items come to the view window.
            return lp == 0 && OnCommand(LOWORD(wp));
        default: return false;
    }
}

namespace {

class CViewCommandTarget : public CCmdTarget {
public:
    BOOL OnCmdMsg(UINT id, int code, void* extra, void* handlerInfo) override
    {
        if (IsContextCommand(id)) {
            if (code == CN_UPDATE_COMMAND_UI && extra) static_cast<CCmdUI*>(extra)->Enable(TRUE);
            if (code == CN_COMMAND && !handlerInfo) OnCommand(id);
            return code == CN_UPDATE_COMMAND_UI || code == CN_COMMAND;
        }
        if (code == CN_UPDATE_COMMAND_UI) return extra && Bound(id) && OnUpdateCommand(static_cast<CCmdUI*>(extra));
        if (code != CN_COMMAND || !Bound(id)) return FALSE;
        if (!QueryViewCommand(static_cast<int>(id)).enabled) return handlerInfo ? FALSE : TRUE;
        if (handlerInfo) return TRUE;
        return OnCommand(id) ? TRUE : FALSE;
    }

private:
    static bool IsContextCommand(UINT id)
    {
        return id == ViewInput::kCmdEndDefinition || id == ViewInput::kCmdApplySelection || id == ViewInput::kCmdEscape;
    }
    // Rows without their work are left to the rest of the route, which greys them.
    static bool Bound(UINT id)
    {
        const CViewCommandRow* row = FindViewCommand(static_cast<int>(id));
        return row && ViewCommandHasWork(*row);
    }
};

}  // namespace

void OnPictureRebuilt()
{
    theOperationStack.DrawCurrentRubberBand();
    theOsnapState.RedrawMarker();
}

void SnapReset()
{
    theOsnapState.Reset(true);
}

void AddGridSnapPoint(const double point[3])
{
    theOsnapState.AddGridPoint(point);
}

int ViewDragging()
{
    const CSingleOperate* op = theOperationStack.GetCurrentOperation();
    return op && op->m_nKind == 18 && op->HasInput() ? 1 : 0;
}

CCmdTarget& CommandTarget()
{
    static CViewCommandTarget target;
    return target;
}

}  // namespace VekViewInput
