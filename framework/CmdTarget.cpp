// Command targets, message-map lookup and command-UI updates.
#include "framework/CmdTarget.h"
#include "framework/Gdi.h"
#include "framework/Wnd.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const FwMsgMap* CCmdTarget::GetThisMessageMap()
{
    static const FwMsgMapEntry entries[] = {{fwkEnd, 0, 0, 0, 0, nullptr, nullptr}};
    static const FwMsgMap map = {nullptr, entries};
    return &map;
}

const FwMsgMap* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const FwMsgMapEntry* CCmdTarget::FindEntry(const FwMsgMap* map, FwEntryKind kind, UINT message, int code, UINT id)
{
    for (const FwMsgMapEntry* e = map->entries; e->kind != fwkEnd; ++e) {
        if (kind == fwkMessage) {
            if ((e->kind == fwkMessage && e->message == message) ||
                (e->kind == fwkRegistered && e->registered && *e->registered == message && message != 0))
                return e;
            continue;
        }
        if (e->kind == kind && e->code == code && id >= e->firstId && id <= e->lastId) return e;
    }
    return nullptr;
}

BOOL CCmdTarget::DispatchCmd(UINT nID, int nCode, void* pExtra, void* pHandlerInfo)
{
    FwEntryKind kind = fwkCommand;
    int code = nCode;
    if (nCode == CN_UPDATE_COMMAND_UI) {
        kind = fwkUpdateUI;
    } else if (nCode == CN_NOTIFY_ROUTE) {
        kind = fwkNotify;
        code = static_cast<int>(static_cast<FwNotifyArgs*>(pExtra)->hdr->code);
    }
    for (const FwMsgMap* map = GetMessageMap(); map; map = map->base ? map->base() : nullptr) {
        const FwMsgMapEntry* e = FindEntry(map, kind, 0, code, nID);
        if (!e) continue;
        if (pHandlerInfo) return TRUE;
        FwMsgCall call{kind == fwkNotify ? static_cast<UINT>(WM_NOTIFY) : static_cast<UINT>(WM_COMMAND),
                       0,
                       0,
                       nID,
                       code,
                       pExtra,
                       0};
        if (kind == fwkUpdateUI) {
            CCmdUI* ui = static_cast<CCmdUI*>(pExtra);
            ui->m_bContinueRouting = FALSE;
            e->thunk(this, call);
            return !ui->m_bContinueRouting;
        }
        // An _EX handler that declines lets the search go on in the base maps.
        if (e->thunk(this, call)) return TRUE;
    }
    return FALSE;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo)
{
    return DispatchCmd(nID, nCode, pExtra, pHandlerInfo);
}

// ---- CCmdUI -----------------------------------------------------------------

void CCmdUI::Enable(BOOL bOn)
{
    if (m_pMenu) {
        if (!m_pSubMenu) ::EnableMenuItem(m_pMenu->m_hMenu, m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : MF_GRAYED));
    } else if (m_pOther) {
        // A control of a dialog bar: moving the focus off a control being disabled.
        if (!bOn && ::GetFocus() == m_pOther->m_hWnd) ::SetFocus(::GetParent(m_pOther->m_hWnd));
        m_pOther->EnableWindow(bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck)
{
    if (m_pMenu) {
        if (!m_pSubMenu)
            ::CheckMenuItem(m_pMenu->m_hMenu, m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
    } else if (m_pOther) {
        m_pOther->SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck));
    }
}

void CCmdUI::SetRadio(BOOL bOn)
{
    SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(LPCTSTR text)
{
    if (m_pMenu) {
        if (m_pSubMenu) return;
        // Keep the item's id and state; change only its text.
        const UINT state = ::GetMenuState(m_pMenu->m_hMenu, m_nIndex, MF_BYPOSITION);
        ::ModifyMenuA(m_pMenu->m_hMenu, m_nIndex, MF_BYPOSITION | MF_STRING | (state & (MF_GRAYED | MF_CHECKED)), m_nID,
                      text);
    } else if (m_pOther) {
        m_pOther->SetWindowText(text);
    }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler)
{
    if (m_nID == 0 || !target) return TRUE;
    m_bEnableChanged = FALSE;
    const BOOL handled = target->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr);
    if (!handled && disableIfNoHandler && !m_bEnableChanged) {
        // No update handler: the item is usable exactly when someone handles the command.
        Enable(target->OnCmdMsg(m_nID, CN_COMMAND, this, this));
    }
    return handled;
}
