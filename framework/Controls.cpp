// Control classes.
#include "framework/Controls.h"

IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CCheckListBox, CListBox)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CListCtrl, CWnd)
IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)
IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)
IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)
IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

namespace {

// Owner-draw messages the parent reflects to the control's virtual members.
template <class T>
BOOL ReflectOwnerDraw(T* self, UINT message, LPARAM lParam, LRESULT* result)
{
    if (message == WM_DRAWITEM) {
        self->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        if (result) *result = TRUE;
        return TRUE;
    }
    return FALSE;
}

}  // namespace

BOOL CStatic::Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("STATIC", text, style, rect, parent, id);
}

BOOL CStatic::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (ReflectOwnerDraw(this, message, lParam, result)) return TRUE;
    return CWnd::OnChildNotify(message, wParam, lParam, result);
}

BOOL CButton::Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("BUTTON", text, style, rect, parent, id);
}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (ReflectOwnerDraw(this, message, lParam, result)) return TRUE;
    return CWnd::OnChildNotify(message, wParam, lParam, result);
}

BOOL CEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::CreateEx(WS_EX_CLIENTEDGE, "EDIT", nullptr, style | WS_CHILD, rect, parent, id);
}

void CEdit::SetSel(int start, int end, BOOL noScroll)
{
    SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end);
    if (!noScroll) SendMessage(EM_SCROLLCARET);
}

void CEdit::GetSel(int& start, int& end) const
{
    DWORD s = 0, e = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    start = static_cast<int>(s);
    end = static_cast<int>(e);
}

int CEdit::GetLine(int index, LPTSTR buf, int max) const
{
    if (max < 2) return 0;
    *reinterpret_cast<WORD*>(buf) = static_cast<WORD>(max);
    return static_cast<int>(SendMessage(EM_GETLINE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buf)));
}

BOOL CListBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::CreateEx(WS_EX_CLIENTEDGE, "LISTBOX", nullptr, style | WS_CHILD, rect, parent, id);
}

void CListBox::GetText(int i, CString& s) const
{
    const int n = GetTextLen(i);
    if (n < 0) {
        s.Empty();
        return;
    }
    char* buf = s.GetBufferSetLength(n + 1);
    const int got = GetText(i, buf);
    s.ReleaseBuffer(got < 0 ? 0 : got);
}

UINT CListBox::ItemFromPoint(CPoint pt, BOOL& outside) const
{
    const DWORD r = static_cast<DWORD>(SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(pt.x, pt.y)));
    outside = HIWORD(r);
    return LOWORD(r);
}

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    switch (message) {
        case WM_DRAWITEM: DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)); break;
        case WM_MEASUREITEM: MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)); break;
        case WM_COMPAREITEM:
            if (result) *result = CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
            return TRUE;
        default: return CWnd::OnChildNotify(message, wParam, lParam, result);
    }
    if (result) *result = TRUE;
    return TRUE;
}

// ---- CCheckListBox ---------------------------------------------------------------------

void CCheckListBox::SyncStates()
{
    const int n = GetCount();
    if (n >= 0 && static_cast<size_t>(n) != m_states.size()) m_states.resize(static_cast<size_t>(n));
}

void CCheckListBox::SetCheck(int i, int check)
{
    SyncStates();
    if (i < 0 || static_cast<size_t>(i) >= m_states.size()) return;
    m_states[static_cast<size_t>(i)].check = check;
    CRect r;
    if (GetItemRect(i, &r) != LB_ERR) InvalidateRect(&r, FALSE);
}

int CCheckListBox::GetCheck(int i) const
{
    if (i < 0 || static_cast<size_t>(i) >= m_states.size()) return 0;
    return m_states[static_cast<size_t>(i)].check;
}

void CCheckListBox::Enable(int i, BOOL enabled)
{
    SyncStates();
    if (i >= 0 && static_cast<size_t>(i) < m_states.size()) m_states[static_cast<size_t>(i)].enabled = enabled;
}

BOOL CCheckListBox::IsEnabled(int i) const
{
    if (i < 0 || static_cast<size_t>(i) >= m_states.size()) return TRUE;
    return m_states[static_cast<size_t>(i)].enabled;
}

void CCheckListBox::ToggleAt(int i)
{
    SyncStates();
    if (i < 0 || static_cast<size_t>(i) >= m_states.size() || !m_states[static_cast<size_t>(i)].enabled) return;
    SetCheck(i, GetCheck(i) ? 0 : 1);
    // Tell the parent, as a check box would.
    ::SendMessageA(::GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CLBN_CHKCHANGE_FW),
                   reinterpret_cast<LPARAM>(m_hWnd));
}

LRESULT CCheckListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
        case LB_ADDSTRING:
        case LB_INSERTSTRING: {
            SyncStates();
            const LRESULT r = CListBox::WindowProc(message, wParam, lParam);
            // The new item starts unchecked; later items move down one place.
            if (r >= 0 && static_cast<size_t>(r) <= m_states.size())
                m_states.insert(m_states.begin() + static_cast<std::ptrdiff_t>(r), ItemState{});
            return r;
        }
        case LB_DELETESTRING: {
            const LRESULT r = CListBox::WindowProc(message, wParam, lParam);
            if (r != LB_ERR && wParam < m_states.size())
                m_states.erase(m_states.begin() + static_cast<std::ptrdiff_t>(wParam));
            return r;
        }
        case LB_RESETCONTENT: m_states.clear(); break;
        case WM_LBUTTONDOWN: {
            BOOL outside = FALSE;
            const UINT i = ItemFromPoint(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)), outside);
            // The box stands at the left of the item, in whichever column it lies.
            CRect item;
            if (!outside && GetItemRect(static_cast<int>(i), &item) != LB_ERR &&
                GET_X_LPARAM(lParam) - item.left < GetItemHeight(0))
                ToggleAt(static_cast<int>(i));
            break;
        }
        case WM_KEYDOWN:
            if (wParam == VK_SPACE) {
                ToggleAt(GetCurSel());
                return 0;
            }
            break;
        default: break;
    }
    return CListBox::WindowProc(message, wParam, lParam);
}

void CCheckListBox::MeasureItem(LPMEASUREITEMSTRUCT mis)
{
    mis->itemHeight = 16;
}

void CCheckListBox::DrawItem(LPDRAWITEMSTRUCT dis)
{
    if (static_cast<int>(dis->itemID) < 0) return;
    CDC* dc = CDC::FromHandle(dis->hDC);
    CRect r(dis->rcItem);
    const int box = r.Height();
    const bool selected = (dis->itemState & ODS_SELECTED) != 0;
    dc->FillSolidRect(&r, ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    CRect check(r.left + 1, r.top + 1, r.left + box - 1, r.bottom - 1);
    UINT state = DFCS_BUTTONCHECK | DFCS_FLAT;
    if (GetCheck(static_cast<int>(dis->itemID))) state |= DFCS_CHECKED;
    if (!IsEnabled(static_cast<int>(dis->itemID))) state |= DFCS_INACTIVE;
    dc->DrawFrameControl(&check, DFC_BUTTON, state);
    CString text;
    GetText(static_cast<int>(dis->itemID), text);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(::GetSysColor(!IsEnabled(static_cast<int>(dis->itemID)) ? COLOR_GRAYTEXT
                                   : selected                                ? COLOR_HIGHLIGHTTEXT
                                                                             : COLOR_WINDOWTEXT));
    CRect tr(r.left + box + 2, r.top, r.right, r.bottom);
    dc->DrawText(text, &tr, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (dis->itemState & ODS_FOCUS) dc->DrawFocusRect(&r);
}

// ---- combo box, list view, slider, spin, progress, tooltips ---------------------------------

BOOL CComboBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("COMBOBOX", nullptr, style, rect, parent, id);
}

void CComboBox::GetLBText(int i, CString& s) const
{
    const int n = GetLBTextLen(i);
    if (n < 0) {
        s.Empty();
        return;
    }
    char* buf = s.GetBufferSetLength(n + 1);
    const int got = GetLBText(i, buf);
    s.ReleaseBuffer(got < 0 ? 0 : got);
}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_DRAWITEM) {
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    } else if (message == WM_MEASUREITEM) {
        MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
    } else {
        return CWnd::OnChildNotify(message, wParam, lParam, result);
    }
    if (result) *result = TRUE;
    return TRUE;
}

BOOL CListCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(WC_LISTVIEWA, nullptr, style, rect, parent, id);
}

int CListCtrl::InsertColumn(int col, LPCTSTR heading, int format, int width, int subItem)
{
    LVCOLUMNA c{};
    c.mask = LVCF_FMT | LVCF_TEXT;
    c.fmt = format;
    c.pszText = const_cast<LPSTR>(heading ? heading : "");
    if (width >= 0) {
        c.mask |= LVCF_WIDTH;
        c.cx = width;
    }
    if (subItem >= 0) {
        c.mask |= LVCF_SUBITEM;
        c.iSubItem = subItem;
    }
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMNA, static_cast<WPARAM>(col), reinterpret_cast<LPARAM>(&c)));
}

int CListCtrl::InsertItem(int item, LPCTSTR text, int image)
{
    LVITEMA it{};
    it.mask = LVIF_TEXT | (image >= 0 ? LVIF_IMAGE : 0);
    it.iItem = item;
    it.pszText = const_cast<LPSTR>(text ? text : "");
    it.iImage = image;
    return InsertItem(&it);
}

BOOL CListCtrl::SetItemText(int item, int sub, LPCTSTR text)
{
    LVITEMA it{};
    it.iSubItem = sub;
    it.pszText = const_cast<LPSTR>(text ? text : "");
    return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&it)));
}

CString CListCtrl::GetItemText(int item, int sub) const
{
    // Grow until the text fits.
    for (int cap = 256;; cap *= 2) {
        CString s;
        LVITEMA it{};
        it.iSubItem = sub;
        it.cchTextMax = cap;
        it.pszText = s.GetBufferSetLength(cap);
        const int n =
            static_cast<int>(SendMessage(LVM_GETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&it)));
        s.ReleaseBuffer(n < 0 ? 0 : n);
        if (n < cap - 1 || cap > (1 << 20)) return s;
    }
}

BOOL CListCtrl::SetItemData(int item, DWORD_PTR data)
{
    LVITEMA it{};
    it.mask = LVIF_PARAM;
    it.iItem = item;
    it.lParam = static_cast<LPARAM>(data);
    return static_cast<BOOL>(SendMessage(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&it)));
}

DWORD_PTR CListCtrl::GetItemData(int item) const
{
    LVITEMA it{};
    it.mask = LVIF_PARAM;
    it.iItem = item;
    SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it));
    return static_cast<DWORD_PTR>(it.lParam);
}

BOOL CListCtrl::SetItemState(int item, UINT state, UINT mask)
{
    LVITEMA it{};
    it.state = state;
    it.stateMask = mask;
    return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&it)));
}

BOOL CListCtrl::GetItemRect(int item, LPRECT r, UINT code) const
{
    r->left = static_cast<LONG>(code);
    return static_cast<BOOL>(SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(r)));
}

int CListCtrl::HitTest(CPoint pt, UINT* flags) const
{
    LVHITTESTINFO info{};
    info.pt = pt;
    const int r = static_cast<int>(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
    if (flags) *flags = info.flags;
    return r;
}

BOOL CListCtrl::SetCheck(int item, BOOL check)
{
    return SetItemState(item, INDEXTOSTATEIMAGEMASK(check ? 2 : 1), LVIS_STATEIMAGEMASK);
}

BOOL CListCtrl::GetCheck(int item) const
{
    return ((GetItemState(item, LVIS_STATEIMAGEMASK) >> 12) - 1) == 1;
}

BOOL CSliderCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(TRACKBAR_CLASSA, nullptr, style, rect, parent, id);
}

BOOL CSpinButtonCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(UPDOWN_CLASSA, nullptr, style, rect, parent, id);
}

BOOL CProgressCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(PROGRESS_CLASSA, nullptr, style, rect, parent, id);
}

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style)
{
    const BOOL ok =
        CWnd::CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | style, CW_USEDEFAULT,
                       CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, GetSafeHwnd(parent), nullptr);
    return ok;
}

TTTOOLINFOA CToolTipCtrl::MakeInfo(CWnd* wnd, UINT_PTR id, LPCTSTR text) const
{
    TTTOOLINFOA ti{};
    ti.cbSize = sizeof ti;
    if (id == 0) {
        // The whole control is the tool.
        ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        ti.hwnd = ::GetParent(GetSafeHwnd(wnd));
        ti.uId = reinterpret_cast<UINT_PTR>(GetSafeHwnd(wnd));
    } else {
        ti.uFlags = TTF_SUBCLASS;
        ti.hwnd = GetSafeHwnd(wnd);
        ti.uId = id;
    }
    ti.lpszText = const_cast<LPSTR>(text ? text : "");
    return ti;
}

BOOL CToolTipCtrl::AddTool(CWnd* control, LPCTSTR text)
{
    TTTOOLINFOA ti = MakeInfo(control, 0, text);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti)));
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, LPCTSTR text, LPCRECT rect, UINT_PTR id)
{
    TTTOOLINFOA ti = MakeInfo(wnd, id, text);
    if (rect) ti.rect = *rect;
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti)));
}

void CToolTipCtrl::DelTool(CWnd* control, UINT_PTR id)
{
    TTTOOLINFOA ti = MakeInfo(control, id, nullptr);
    SendMessage(TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::UpdateTipText(LPCTSTR text, CWnd* control, UINT_PTR id)
{
    TTTOOLINFOA ti = MakeInfo(control, id, text);
    SendMessage(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
}

CString CToolTipCtrl::GetText(CWnd* control, UINT_PTR id) const
{
    char buf[1024] = {};
    TTTOOLINFOA ti = MakeInfo(control, id, nullptr);
    ti.lpszText = buf;
    SendMessage(TTM_GETTEXTA, sizeof buf, reinterpret_cast<LPARAM>(&ti));
    return CString(buf);
}
