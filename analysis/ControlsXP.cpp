#include "analysis/ControlsXP.h"

#include "analysis/BufferDC.h"
#include "analysis/DrawButton.h"

// ---- CButtonXP ----------------------------------------------------------------

// clang-format off
BEGIN_MESSAGE_MAP(CButtonXP, CButton)
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, &CButtonXP::OnMouseLeave)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()
// clang-format on

void CButtonXP::PreSubclassWindow()
{
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
    m_tracker.Init(this, CHoverTracker::HT_REPAINT);
    CButton::PreSubclassWindow();
}

void CButtonXP::OnMouseMove(UINT flags, CPoint pt)
{
    CButton::OnMouseMove(flags, pt);
    m_tracker.OnMouseMove();
}

// The drawing covers the whole button: erasing first would only paint it twice.
BOOL CButtonXP::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

LRESULT CButtonXP::OnMouseLeave(WPARAM, LPARAM)
{
    m_tracker.OnMouseLeave();
    return 0;
}

void CButtonXP::DrawItem(LPDRAWITEMSTRUCT dis)
{
    const CRect item(dis->rcItem);
    CBufferDC dc(dis->hDC, &item);
    const bool pressed = (dis->itemState & ODS_SELECTED) != 0;
    const bool disabled = (dis->itemState & ODS_DISABLED) != 0;
    const bool focused = (dis->itemState & ODS_FOCUS) != 0;
    const bool hot = m_tracker.IsHover();
    const DWORD def = static_cast<DWORD>(::SendMessageA(::GetParent(m_hWnd), DM_GETDEFID, 0, 0));
    const bool isDefault = HIWORD(def) == DC_HASDEFID && LOWORD(def) == GetDlgCtrlID();

    CStockSelector font(dc, DEFAULT_GUI_FONT);
    CPenSelector pen(dc, ::GetSysColor(COLOR_BTNSHADOW));
    CBrushSelector brush(dc, CLR_NONE);
    if (!disabled && (hot || pressed)) {
        pen.Color(::GetSysColor(COLOR_HIGHLIGHT));
        brush.Color(pressed ? FlatColor(COLOR_HIGHLIGHT, 50, -50) : FlatColor(COLOR_HIGHLIGHT, 80, -66));
    } else {
        pen.Color(::GetSysColor(focused || isDefault ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW));
        brush.Color(FlatColor(COLOR_BTNFACE, 15, 0));
    }
    COLORREF text = ::GetSysColor(COLOR_BTNTEXT);
    if (disabled)
        text = ::GetSysColor(COLOR_GRAYTEXT);
    else if (pressed)
        text = RGB(240, 240, 240);
    else if (hot)
        text = RGB(0, 0, 0);
    font.TextColor(text);
    dc.Rectangle(&item);
    dc.SetBkMode(TRANSPARENT);

    HICON icon = (GetStyle() & BS_ICON) ? reinterpret_cast<HICON>(SendMessage(BM_GETIMAGE, IMAGE_ICON)) : nullptr;
    if (icon) {
        ICONINFO info{};
        BITMAP bm{};
        if (::GetIconInfo(icon, &info)) {
            ::GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
            if (info.hbmColor) ::DeleteObject(info.hbmColor);
            if (info.hbmMask) ::DeleteObject(info.hbmMask);
        }
        const int w = bm.bmWidth, h = info.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
        const int x = item.left + (item.Width() - w) / 2, y = item.top + (item.Height() - h) / 2;
        if (disabled) {
            HBRUSH b = ::CreateSolidBrush(FlatColor(COLOR_BTNFACE, -27, 0));
            ::DrawStateA(dc.m_hDC, b, nullptr, reinterpret_cast<LPARAM>(icon), 0, x, y, w, h, DST_ICON | DSS_MONO);
            ::DeleteObject(b);
        } else {
            ::DrawIconEx(dc.m_hDC, x, y, icon, w, h, 0, nullptr, DI_NORMAL);
        }
    } else {
        CString caption;
        GetWindowText(caption);
        CRect r = item;
        if (dc.GetTextExtent(caption).cx <= r.Width()) {
            dc.DrawText(caption, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        } else {
            r.DeflateRect(3, 3);
            CRect need = r;
            dc.DrawText(caption, &need, DT_CENTER | DT_WORDBREAK | DT_CALCRECT);
            r.top += std::max(0, (r.Height() - need.Height()) / 2);
            dc.DrawText(caption, &r, DT_CENTER | DT_WORDBREAK);
        }
    }
    if (focused) {
        CRect f = item;
        f.DeflateRect(2, 2);
        dc.DrawFocusRect(&f);
    }
}

// ---- CEditXP -----------------------------------------------------------------

// clang-format off
BEGIN_MESSAGE_MAP(CEditXP, CEdit)
    ON_WM_PAINT()
    ON_WM_SETFOCUS()
    ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()
// clang-format on

void CEditXP::OnPaint()
{
    CEdit::OnPaint();
    DrawEdit();
}

void CEditXP::OnSetFocus(CWnd* old)
{
    CEdit::OnSetFocus(old);
    if (!(GetStyle() & ES_READONLY)) PostMessage(EM_SETSEL, 0, -1);
}

void CEditXP::OnMouseMove(UINT flags, CPoint pt)
{
    CEdit::OnMouseMove(flags, pt);
    if (::GetCapture() != m_hWnd) {
        m_bMouseOver = 1;
        SetCapture();
        DrawEdit();
        return;
    }
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(pt)) {
        m_bMouseOver = 0;
        DrawEdit();
        ::ReleaseCapture();
    }
}

BOOL CEditXP::DrawEdit()
{
    CRect r;
    GetClientRect(&r);
    ClientToScreen(&r);
    CRect window;
    GetWindowRect(&window);
    r.OffsetRect(-window.left, -window.top);
    r.InflateRect(::GetSystemMetrics(SM_CXEDGE), ::GetSystemMetrics(SM_CYEDGE));
    const DWORD style = GetStyle();
    if (style & WS_VSCROLL) {
        if (GetExStyle() & WS_EX_LEFTSCROLLBAR)
            r.left -= ::GetSystemMetrics(SM_CXVSCROLL);
        else
            r.right += ::GetSystemMetrics(SM_CXVSCROLL);
    }
    if (style & WS_HSCROLL) r.bottom += ::GetSystemMetrics(SM_CYHSCROLL);
    CWindowDC dc(this);
    CBrush face(::GetSysColor(COLOR_BTNFACE));
    dc.FrameRect(&r, &face);
    r.DeflateRect(1, 1);
    int inner = COLOR_BTNSHADOW;
    if (m_bMouseOver)
        inner = COLOR_HIGHLIGHT;
    else if (::GetFocus() == m_hWnd)
        inner = COLOR_3DDKSHADOW;
    CBrush line(::GetSysColor(inner));
    dc.FrameRect(&r, &line);
    return 1;
}

// ---- CComboEditXP --------------------------------------------------------------

// clang-format off
BEGIN_MESSAGE_MAP(CComboEditXP, CEdit)
    ON_WM_KILLFOCUS()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, &CComboEditXP::OnMouseLeave)
END_MESSAGE_MAP()
// clang-format on

void CComboEditXP::OnKillFocus(CWnd* next)
{
    CEdit::OnKillFocus(next);
    if (m_pCombo && IsInDockedBar(m_pCombo)) m_pCombo->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CComboEditXP::OnMouseMove(UINT flags, CPoint pt)
{
    CEdit::OnMouseMove(flags, pt);
    if (m_pCombo) m_pCombo->m_tracker.OnMouseMove(this);
}

LRESULT CComboEditXP::OnMouseLeave(WPARAM, LPARAM)
{
    if (m_pCombo) m_pCombo->m_tracker.OnMouseLeave(this);
    return 0;
}

// ---- CComboBoxXP ---------------------------------------------------------------

// clang-format off
BEGIN_MESSAGE_MAP(CComboBoxXP, CComboBox)
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, &CComboBoxXP::OnMouseLeave)
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_MESSAGE(WM_GETDLGCODE, &CComboBoxXP::OnGetDlgCode)
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_PAINT()
END_MESSAGE_MAP()
// clang-format on

void CComboBoxXP::SetUp()
{
    m_tracker.Init(this, CHoverTracker::HT_REPAINT);
    m_wndEdit.m_pCombo = this;
    HWND edit = ::FindWindowExA(m_hWnd, nullptr, "Edit", nullptr);
    if (edit && !m_wndEdit.m_hWnd) m_wndEdit.SubclassWindow(edit);
}

BOOL CComboBoxXP::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    m_bCreating = true;  // the window is taken while it is made: set up afterwards
    const BOOL made = CComboBox::Create(style, rect, parent, id);
    m_bCreating = false;
    if (!made) return FALSE;
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    SetUp();
    return TRUE;
}

void CComboBoxXP::PreSubclassWindow()
{
    CComboBox::PreSubclassWindow();
    if (m_bCreating) return;
    SetUp();
    // The window procedure is not ours yet: this resize reaches the combo
    // box's own, so a template's combo box keeps its selection field.
    CRect r;
    GetWindowRect(&r);
    SetWindowPos(nullptr, 0, 0, r.Width(), 100, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CComboBoxXP::IsActive() const
{
    if (!IsInDockedBar(this)) return false;
    HWND focus = ::GetFocus();
    return focus && (focus == m_hWnd || focus == m_wndEdit.m_hWnd);
}

BOOL CComboBoxXP::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN && IsInDockedBar(this)) {
        if (msg->wParam == VK_RETURN) {
            GetParent()->SendMessage(WM_COMMAND, static_cast<WPARAM>(GetDlgCtrlID()));
        } else if (msg->wParam == VK_ESCAPE) {
            if (GetDroppedState()) {
                ShowDropDown(FALSE);
            } else {
                // Back to the drawing; nothing to go back to without a view.
                CFrameWnd* frame = GetParentFrame();
                CView* view = frame ? frame->GetActiveView() : nullptr;
                if (view && view->m_hWnd) view->SetFocus();
            }
        }
    }
    return CComboBox::PreTranslateMessage(msg);
}

void CComboBoxXP::OnMouseMove(UINT flags, CPoint pt)
{
    CComboBox::OnMouseMove(flags, pt);
    m_tracker.OnMouseMove();
}

LRESULT CComboBoxXP::OnMouseLeave(WPARAM, LPARAM)
{
    m_tracker.OnMouseLeave();
    return 0;
}

void CComboBoxXP::OnSetFocus(CWnd* old)
{
    CComboBox::OnSetFocus(old);
    if (IsInDockedBar(this)) RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CComboBoxXP::OnKillFocus(CWnd* next)
{
    CComboBox::OnKillFocus(next);
    if (IsInDockedBar(this)) RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

LRESULT CComboBoxXP::OnGetDlgCode(WPARAM, LPARAM)
{
    LRESULT code = Default();
    if (::GetKeyState(VK_RETURN) < 0) code |= DLGC_WANTALLKEYS;
    return code;
}

void CComboBoxXP::OnWindowPosChanging(WINDOWPOS* pos)
{
    if (!(pos->flags & SWP_NOSIZE) && m_nPendingHeight < 0) {
        // The asked height is the height of the closed box; the window is
        // made tall enough for the dropped list to show its lines.
        if (m_nSelHeight < 0) m_nSelHeight = static_cast<int>(SendMessage(CB_GETITEMHEIGHT, static_cast<WPARAM>(-1)));
        m_nPendingHeight = pos->cy;
        const int item = static_cast<int>(SendMessage(CB_GETITEMHEIGHT, 0));
        pos->cy = 7 * ::GetSystemMetrics(SM_CYBORDER) + m_nListLines * item + m_nSelHeight;
    }
    CComboBox::OnWindowPosChanging(pos);
}

void CComboBoxXP::OnWindowPosChanged(WINDOWPOS* pos)
{
    CComboBox::OnWindowPosChanged(pos);
    if (!(pos->flags & SWP_NOSIZE) && m_nPendingHeight >= 0) {
        // Still pending while the field changes, so that the box's own
        // resize for it passes unchanged.
        SendMessage(CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), m_nPendingHeight - 6);
        m_nPendingHeight = -1;
    }
    if (m_wndEdit.m_hWnd && ::GetFocus() != m_wndEdit.m_hWnd)
        m_wndEdit.SendMessage(EM_SETSEL, static_cast<WPARAM>(-1), 0);
}

void CComboBoxXP::OnPaint()
{
    CRect client;
    GetClientRect(&client);
    CRect button = client;
    button.left = button.right - ::GetSystemMetrics(SM_CXHTHUMB);
    ValidateRect(&button);
    CComboBox::OnPaint();

    const bool disabled = !IsWindowEnabled();
    const bool inBar = IsInDockedBar(this);
    const bool active = IsActive();
    const bool dropped = GetDroppedState() != FALSE;
    WORD state = CDrawButton::Flat | CDrawButton::GlyphDown;
    if (disabled) state |= CDrawButton::Disabled;
    if (!inBar) state |= CDrawButton::OutsideBar;
    if (active || m_tracker.IsHover()) state |= CDrawButton::Hot;
    if (dropped) state |= CDrawButton::Hot | CDrawButton::Pressed;

    CClientDC client_dc(this);
    {
        CBufferDC dc(client_dc.m_hDC, &button);
        CDrawButton(state, button).Draw(&dc);
    }
    COLORREF border = ::GetSysColor(inBar ? COLOR_WINDOW : COLOR_BTNSHADOW);
    if (active || dropped || m_tracker.IsHover()) border = ::GetSysColor(COLOR_HIGHLIGHT);
    CBrushSelector hollow(client_dc, CLR_NONE);
    CPenSelector pen(client_dc, border);
    client_dc.Rectangle(&client);
    pen.Color(::GetSysColor(disabled ? COLOR_BTNFACE : COLOR_WINDOW));
    client_dc.Rectangle(client.left + 1, client.top + 1, button.left, client.bottom - 1);
    client_dc.MoveTo(button.left - 1, client.top + 1);
    client_dc.LineTo(button.left - 1, client.bottom - 1);
}
