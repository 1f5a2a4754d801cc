#include "analysis/ToolBarXP.h"

#include "analysis/BufferDC.h"
#include "analysis/FlatLook.h"
#include "analysis/MenuXP.h"

IMPLEMENT_DYNAMIC(CToolBarXP, CToolBar)

// clang-format off
BEGIN_MESSAGE_MAP(CToolBarXP, CToolBar)
    ON_WM_PAINT()
    ON_NOTIFY_REFLECT(TBN_DROPDOWN, &CToolBarXP::OnButtonDropDown)
END_MESSAGE_MAP()
// clang-format on

BOOL CToolBarXP::LoadToolBar(UINT id)
{
    if (!CToolBar::LoadToolBar(id)) return 0;
    SetBorders(1, 1, 1, 1);
    const DWORD ex = static_cast<DWORD>(SendMessage(TB_GETEXTENDEDSTYLE));
    SendMessage(TB_SETEXTENDEDSTYLE, 0, ex | TBSTYLE_EX_DRAWDDARROWS);
    return 1;
}

bool CToolBarXP::InsertControl(int index, CWnd* control)
{
    if (!control || !control->m_hWnd) return false;
    const int count = GetCount();
    if (index < 0 || index > count) index = count;
    CRect r;
    control->GetWindowRect(&r);
    TBBUTTON b{};
    b.iBitmap = r.Width();  // a separator's width
    b.idCommand = control->GetDlgCtrlID();
    b.fsStyle = TBSTYLE_SEP;
    b.iString = -1;
    if (!SendMessage(TB_INSERTBUTTONA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&b))) return false;
    m_bLayoutOutdated = true;
    Invalidate();
    return true;
}

void CToolBarXP::TrackPopupMenu(UINT commandId, CMenu* menu)
{
    const int index = CommandToIndex(commandId);
    if (index < 0 || !menu || !menu->m_hMenu) return;
    CRect r;
    GetItemRect(index, &r);
    ClientToScreen(&r);
    CRect item = r;
    item.OffsetRect(4, 0);
    CMenuXP::SetMRUMenuBarItem(item);
    const LRESULT state = SendMessage(TB_GETSTATE, commandId);
    SendMessage(TB_SETSTATE, commandId, MAKELPARAM(LOWORD(state) | TBSTATE_INDETERMINATE, 0));
    UpdateWindow();
    TPMPARAMS tpm{};
    tpm.cbSize = sizeof tpm;
    tpm.rcExclude = r;
    CFrameWnd* frame = m_pDockSite ? m_pDockSite : GetParentFrame();
    ::TrackPopupMenuEx(menu->m_hMenu, TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_VERTICAL, r.left, r.bottom,
                       frame ? frame->m_hWnd : ::GetParent(m_hWnd), &tpm);
    const LRESULT now = SendMessage(TB_GETSTATE, commandId);
    SendMessage(TB_SETSTATE, commandId, MAKELPARAM(LOWORD(now) & ~TBSTATE_INDETERMINATE, 0));
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CToolBarXP::SetArrowCommand(UINT buttonCommand, UINT arrowCommand)
{
    m_arrowCommands[buttonCommand] = arrowCommand;
}

void CToolBarXP::OnButtonDropDown(NMHDR* hdr, LRESULT* result)
{
    const auto* tb = reinterpret_cast<NMTOOLBARA*>(hdr);
    CWnd* owner = m_pDockSite ? static_cast<CWnd*>(m_pDockSite) : GetParent();
    UINT command = static_cast<UINT>(tb->iItem);
    const auto arrow = m_arrowCommands.find(command);
    if (arrow != m_arrowCommands.end()) command = arrow->second;
    const BOOL handled = owner && owner->OnCommand(MAKEWPARAM(command, 0), 0);
    *result = handled ? TBDDRET_DEFAULT : TBDDRET_TREATPRESSED;
}

LRESULT CToolBarXP::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT r = CToolBar::DefWindowProc(message, wParam, lParam);
    if (message == TB_GETBUTTON && r && m_nLayoutMode != 0) {
        // An embedded control's separator: out of a vertical bar's layout.
        auto* b = reinterpret_cast<TBBUTTON*>(lParam);
        if ((b->fsStyle & TBSTYLE_SEP) && b->idCommand != 0) {
            if (m_nLayoutMode == 1)
                b->fsState |= TBSTATE_HIDDEN;
            else
                b->fsState &= ~TBSTATE_HIDDEN;
        }
    }
    return r;
}

CSize CToolBarXP::CalcDynamicLayout(int length, DWORD mode)
{
    const bool vertical = (mode & LM_VERTDOCK) != 0;
    m_nLayoutMode = vertical ? 1 : 2;
    const CSize size = CToolBar::CalcDynamicLayout(length, mode);
    m_nLayoutMode = 0;
    if (mode & LM_COMMIT) PlaceControls(vertical);
    return size;
}

void CToolBarXP::PlaceControls(bool vertical)
{
    const int n = GetCount();
    for (int i = 0; i < n; ++i) {
        TBBUTTON b{};
        if (!SendMessage(TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&b))) continue;
        if (!(b.fsStyle & TBSTYLE_SEP) || b.idCommand == 0) continue;
        HWND control = ::GetDlgItem(m_hWnd, b.idCommand);
        SendMessage(TB_HIDEBUTTON, static_cast<WPARAM>(b.idCommand), MAKELPARAM(vertical ? TRUE : FALSE, 0));
        if (!control) continue;
        if (vertical) {
            ::ShowWindow(control, SW_HIDE);
            continue;
        }
        CRect r;
        SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
        r.DeflateRect(1, 0);
        CRect now;
        ::GetWindowRect(control, &now);
        UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW;
        if (now.Width() == r.Width()) flags |= SWP_NOSIZE;
        ::SetWindowPos(control, nullptr, r.left, r.top, r.Width(), r.Height(), flags);
    }
}

void CToolBarXP::DrawGripper(CDC* dc, const CRect& rect)
{
    if (m_dwStyle & CBRS_FLOATING) return;
    CRect area = rect;
    area.DeflateRect(1, 1);
    const COLORREF fill = FlatColor(COLOR_BTNFACE, 20);
    dc->FillSolidRect(&area, fill);
    const COLORREF dot = ~fill & 0xFFFFFF;
    const bool column = (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0;
    for (int i = 0; i < 8; ++i) {
        if (column)
            dc->FillSolidRect(rect.left + 3, rect.top + (rect.Height() - 16) / 2 + 2 * i, 3, 1, dot);
        else
            dc->FillSolidRect(rect.left + (rect.Width() - 16) / 2 + 2 * i, rect.top + 3, 1, 3, dot);
    }
}

void CToolBarXP::OnPaint()
{
    if (m_bLayoutOutdated) {
        m_bLayoutOutdated = false;
        if (m_pDockSite) m_pDockSite->RecalcLayout();
    }
    CPaintDC paint(this);
    CRect client;
    GetClientRect(&client);
    CBufferDC dc(paint.m_hDC, &client);
    CStockSelector font(dc, DEFAULT_GUI_FONT);
    dc.FillSolidRect(&client, FlatColor(COLOR_BTNFACE, 20));

    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessage(TB_GETIMAGELIST));
    const int hotItem = static_cast<int>(SendMessage(TB_GETHOTITEM));
    CPoint cursor;
    ::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    const bool buttonDown = ::GetKeyState(VK_LBUTTON) < 0;
    const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    const int n = GetCount();
    for (int i = 0; i < n; ++i) {
        TBBUTTON b{};
        if (!SendMessage(TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&b)) ||
            (b.fsState & TBSTATE_HIDDEN))
            continue;
        CRect r;
        if (!SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r))) continue;
        CRect meet;
        if (!meet.IntersectRect(&r, &paint.m_ps.rcPaint)) continue;

        if (b.fsStyle & TBSTYLE_SEP) {
            if (b.idCommand != 0) continue;  // an embedded control paints itself
            CPenSelector pen(dc, FlatColor(COLOR_BTNFACE, -15));
            if (b.fsState & TBSTATE_WRAP) {
                dc.MoveTo(client.left + 2, r.bottom - 4);
                dc.LineTo(client.right - 2, r.bottom - 4);
            } else {
                const int x = (r.left + r.right) / 2;
                dc.MoveTo(x, r.top + 2);
                dc.LineTo(x, r.bottom - 2);
            }
            continue;
        }

        const bool enabled = (b.fsState & TBSTATE_ENABLED) != 0;
        const bool checked = (b.fsState & TBSTATE_CHECKED) != 0;
        const bool open = (b.fsState & TBSTATE_INDETERMINATE) != 0;
        const bool dropDown = (b.fsStyle & BTNS_DROPDOWN) != 0;
        const bool hot = i == hotItem && enabled;
        CRect pressArea = r;
        if (dropDown) pressArea.right -= kArrowPart;
        const bool pressed = (hot || checked) && buttonDown && pressArea.PtInRect(cursor);

        if (open) {
            CPenSelector pen(dc, ::GetSysColor(COLOR_3DDKSHADOW));
            CBrushSelector brush(dc, CLR_NONE);
            dc.Rectangle(&r);
        } else if (hot || checked) {
            COLORREF fill;
            if (pressed || (hot && checked))
                fill = HLS_TRANSFORM(highlight, 50, -50);
            else if (hot)
                fill = HLS_TRANSFORM(highlight, 70, -57);
            else
                fill = HLS_TRANSFORM(highlight, 80, -66);
            CPenSelector pen(dc, highlight);
            CBrushSelector brush(dc, fill);
            CRect face = r;
            if (dropDown && pressed) face.right -= kArrowPart;
            dc.Rectangle(&face);
            if (dropDown) {
                if (pressed) {
                    brush.Color(HLS_TRANSFORM(highlight, 70, -66));
                    dc.Rectangle(r.right - kArrowPart - 1, r.top, r.right, r.bottom);
                } else {
                    dc.MoveTo(r.right - 14, r.top);
                    dc.LineTo(r.right - 14, r.bottom);
                }
            }
        }

        CRect iconArea = r;
        if (dropDown) {
            COLORREF arrow = ::GetSysColor(COLOR_BTNTEXT);
            if (!enabled)
                arrow = ::GetSysColor(COLOR_GRAYTEXT);
            else if (hot && !open)
                arrow = RGB(0, 0, 0);
            const int y = (r.top + r.bottom) / 2;
            CPenSelector pen(dc, arrow);
            dc.MoveTo(r.right - 9, y - 1);
            dc.LineTo(r.right - 4, y - 1);
            dc.MoveTo(r.right - 8, y);
            dc.LineTo(r.right - 5, y);
            dc.SetPixel(r.right - 7, y + 1, arrow);
            iconArea.right -= 14;
        }

        if (images && b.iBitmap >= 0) {
            const bool lifted = (hot || open) && !pressed;
            if (!enabled || lifted) {
                COLORREF shade = HLS_TRANSFORM(highlight, 50, -66);
                if (!enabled)
                    shade = FlatColor(COLOR_BTNFACE, -27);
                else if (open)
                    shade = FlatColor(COLOR_BTNFACE, -20);
                const int at = enabled ? 4 : 3;
                DrawSilhouette(dc, images, b.iBitmap, iconArea.left + at, iconArea.top + at, shade);
            }
            if (enabled) {
                const int at = lifted ? 2 : 3;
                ImageList_Draw(images, b.iBitmap, dc.m_hDC, iconArea.left + at, iconArea.top + at, ILD_TRANSPARENT);
            }
        }
    }
}
