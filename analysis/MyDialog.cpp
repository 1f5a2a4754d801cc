#include "analysis/MyDialog.h"

#include "analysis/ControlsXP.h"
#include "analysis/TableWnd.h"

IMPLEMENT_DYNAMIC(CMyDialog, CDialog)
IMPLEMENT_DYNAMIC(CModelessDialog, CMyDialog)
IMPLEMENT_DYNAMIC(CMyPropertyPage, CPropertyPage)
IMPLEMENT_DYNAMIC(CMyPropertySheet, CPropertySheet)

// ---- shared by the bases ----------------------------------------------------------

void CFlatControls::Make(CWnd* dialog)
{
    for (HWND child = ::GetWindow(dialog->m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (CWnd::FromHandlePermanent(child)) continue;  // the dialog attached it itself
        char cls[32] = {};
        ::GetClassNameA(child, cls, sizeof cls);
        CWnd* control = nullptr;
        BOOL attached = FALSE;
        if (lstrcmpiA(cls, "Button") == 0) {
            const LONG type = static_cast<LONG>(::GetWindowLongPtrA(child, GWL_STYLE)) & BS_TYPEMASK;
            if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) {
                control = new CButtonXP;
                attached = control->SubclassDlgItem(static_cast<UINT>(::GetDlgCtrlID(child)), dialog);
            }
        } else if (lstrcmpiA(cls, "ComboBox") == 0) {
            control = new CComboBoxXP;
            attached = control->SubclassWindow(child);
        } else if (lstrcmpiA(cls, "Edit") == 0) {
            control = new CEditXP;
            attached = control->SubclassWindow(child);
        }
        if (!control) continue;
        if (attached)
            m_controls.Add(control);
        else
            delete control;
    }
}

void CFlatControls::Release()
{
    for (INT_PTR i = 0; i < m_controls.GetSize(); ++i) {
        CWnd* control = m_controls[i];
        if (control->m_hWnd) control->UnsubclassWindow();
        delete control;
    }
    m_controls.RemoveAll();
}

bool RouteToTable(MSG* msg, BOOL& answer)
{
    HWND focus = ::GetFocus();
    if (!focus) return false;
    CWnd* wnd = CWnd::FromHandlePermanent(focus);
    if (wnd && wnd->IsKindOf(RUNTIME_CLASS(CTableWnd))) {
        answer = wnd->PreTranslateMessage(msg);
        return true;
    }
    CWnd* parent = CWnd::FromHandlePermanent(::GetParent(focus));
    if (parent && parent->IsKindOf(RUNTIME_CLASS(CTableWnd)) && msg->message == WM_KEYDOWN) {
        switch (msg->wParam) {
            case VK_RETURN:
            case VK_TAB:
            case VK_ESCAPE:
            case VK_UP:
            case VK_DOWN: answer = parent->PreTranslateMessage(msg); return true;
            default: break;
        }
    }
    return false;
}

// ---- CMyDialog ----------------------------------------------------------------------

// clang-format off
BEGIN_MESSAGE_MAP(CMyDialog, CDialog)
    ON_WM_CREATE()
    ON_WM_NCDESTROY()
    ON_NOTIFY_EX_RANGE(TTN_GETDISPINFOA, 0, 0xFFFF, &CMyDialog::OnToolTipNotify)
END_MESSAGE_MAP()
// clang-format on

CMyDialog::CMyDialog(LPCTSTR templateName, CWnd* parent) : CDialog(templateName, parent) {}
CMyDialog::CMyDialog(UINT templateId, CWnd* parent) : CDialog(templateId, parent) {}

BOOL CMyDialog::Create(UINT templateId, CWnd* parent)
{
    return CDialog::Create(templateId, parent);
}

int CMyDialog::OnCreate(LPCREATESTRUCT cs)
{
    EnableToolTips(TRUE);
    return CDialog::OnCreate(cs);
}

BOOL CMyDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_flat.Make(this);
    EnableToolTips(TRUE);  // the controls exist now
    return TRUE;
}

void CMyDialog::OnNcDestroy()
{
    // The children have gone: their flat controls have let go of them.
    m_flat.Release();
    CDialog::OnNcDestroy();
}

BOOL CMyDialog::PreTranslateMessage(MSG* msg)
{
    BOOL answer = FALSE;
    if (RouteToTable(msg, answer)) return answer;
    return CDialog::PreTranslateMessage(msg);
}

BOOL CMyDialog::OnToolTipNotify(UINT id, NMHDR* hdr, LRESULT* result)
{
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(hdr);
    if (info->uFlags & TTF_IDISHWND) id = static_cast<UINT>(::GetDlgCtrlID(reinterpret_cast<HWND>(hdr->idFrom)));
    info->szText[0] = 0;
    info->lpszText = info->szText;
    CString tip;
    if (id != 0 && tip.LoadString(id)) lstrcpynA(info->szText, tip, sizeof info->szText);
    *result = 0;
    return TRUE;
}

// ---- CModelessDialog ----------------------------------------------------------------

// clang-format off
BEGIN_MESSAGE_MAP(CModelessDialog, CMyDialog)
    ON_WM_SHOWWINDOW()
    ON_WM_SIZE()
    ON_WM_GETMINMAXINFO()
    ON_WM_SYSCOMMAND()
    ON_WM_NCACTIVATE()
END_MESSAGE_MAP()
// clang-format on

CModelessDialog::CModelessDialog(UINT templateId, CWnd* parent) : CMyDialog(templateId, parent) {}
CModelessDialog::CModelessDialog(LPCTSTR templateName, CWnd* parent) : CMyDialog(templateName, parent) {}

void CModelessDialog::SaveAndDestroy()
{
    if (m_hWnd) DestroyWindow();
}

void CModelessDialog::OnDataChanged()
{
    if (UpdateData(TRUE))  // a refused value has told the user and keeps its text
        UpdateData(FALSE);
}

void CModelessDialog::OnOK()
{
    // Enter confirms the running operation of the drawing.
    CWnd* main = AfxGetMainWnd();
    auto* frame = main ? DYNAMIC_DOWNCAST(CFrameWnd, main) : nullptr;
    CView* view = frame ? frame->GetActiveView() : nullptr;
    if (view && view->m_hWnd) view->PostMessage(WM_CHAR, VK_RETURN, 1);
}

void CModelessDialog::OnCancel() {}

void CModelessDialog::PostNcDestroy()
{
    delete this;
}

void CModelessDialog::OnShowWindow(BOOL show, UINT status)
{
    if (GetStyle() & WS_CAPTION) {
        ModifyStyleEx(0, WS_EX_DLGMODALFRAME);
        // The frame is made again, so that a sizing border shows at once.
        ModifyStyle(0, WS_CLIPSIBLINGS | (m_bResizable ? WS_THICKFRAME : 0), SWP_FRAMECHANGED);
    }
    CMyDialog::OnShowWindow(show, status);
}

void CModelessDialog::OnSize(UINT type, int cx, int cy)
{
    CMyDialog::OnSize(type, cx, cy);
    if (cx < 10 || cy < 10) return;
    if (m_sizeFirst.cx == 0 && m_sizeFirst.cy == 0) {
        m_sizeFirst = m_sizePrev = CSize(cx, cy);
        return;
    }
    if (m_sizePrev.cx == 0 || m_sizePrev.cy == 0) {
        m_sizePrev = CSize(cx, cy);
        return;
    }
    if (m_bResizable && (cx != m_sizePrev.cx || cy != m_sizePrev.cy)) {
        auto scale = [](LONG v, int now, int before) { return static_cast<LONG>(double(v) * now / before + 0.5); };
        for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            CRect r;
            ::GetWindowRect(child, &r);
            ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(&r), 2);
            r.left = scale(r.left, cx, m_sizePrev.cx);
            r.right = scale(r.right, cx, m_sizePrev.cx);
            r.top = scale(r.top, cy, m_sizePrev.cy);
            r.bottom = scale(r.bottom, cy, m_sizePrev.cy);
            ::MoveWindow(child, r.left, r.top, r.Width(), r.Height(), FALSE);
        }
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    m_sizePrev = CSize(cx, cy);
}

void CModelessDialog::OnGetMinMaxInfo(MINMAXINFO* info)
{
    CMyDialog::OnGetMinMaxInfo(info);
}

void CModelessDialog::OnSysCommand(UINT id, LPARAM lParam)
{
    switch (id & 0xFFF0) {
        case SC_CLOSE:
        case SC_MAXIMIZE:
        case SC_MINIMIZE: return;  // a tool dialog stays as it is
        default: CMyDialog::OnSysCommand(id, lParam);
    }
}

BOOL CModelessDialog::OnNcActivate(BOOL active)
{
    if (active) return CMyDialog::OnNcActivate(active);
    return TRUE;  // keeps its active caption
}

// ---- CMyPropertyPage ----------------------------------------------------------------

// clang-format off
BEGIN_MESSAGE_MAP(CMyPropertyPage, CPropertyPage)
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()
// clang-format on

// The first version of the page record, at this build's size.
CMyPropertyPage::CMyPropertyPage()
{
    m_psp.dwSize = PROPSHEETPAGEA_V1_SIZE;
}

CMyPropertyPage::CMyPropertyPage(UINT templateId, UINT captionId) : CPropertyPage(templateId, captionId)
{
    m_psp.dwSize = PROPSHEETPAGEA_V1_SIZE;
}

CMyPropertyPage::CMyPropertyPage(LPCTSTR templateName, UINT captionId) : CPropertyPage(templateName, captionId)
{
    m_psp.dwSize = PROPSHEETPAGEA_V1_SIZE;
}

BOOL CMyPropertyPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_flat.Make(this);
    return TRUE;
}

void CMyPropertyPage::OnNcDestroy()
{
    m_flat.Release();
    CPropertyPage::OnNcDestroy();
}

BOOL CMyPropertyPage::PreTranslateMessage(MSG* msg)
{
    BOOL answer = FALSE;
    if (RouteToTable(msg, answer)) return answer;
    return CPropertyPage::PreTranslateMessage(msg);
}

// ---- CMyPropertySheet ---------------------------------------------------------------

// clang-format off
BEGIN_MESSAGE_MAP(CMyPropertySheet, CPropertySheet)
END_MESSAGE_MAP()
// clang-format on

// The page asked to open first is where the sheet opens until it is closed with OK.
CMyPropertySheet::CMyPropertySheet(UINT captionId, CWnd* parent, UINT selectPage)
    : CPropertySheet(captionId, parent, selectPage), m_nActivePage(static_cast<int>(selectPage))
{
}

CMyPropertySheet::CMyPropertySheet(LPCTSTR caption, CWnd* parent, UINT selectPage)
    : CPropertySheet(caption, parent, selectPage), m_nActivePage(static_cast<int>(selectPage))
{
}

BOOL CMyPropertySheet::OnInitDialog()
{
    const BOOL r = CPropertySheet::OnInitDialog();
    SetActivePage(m_nActivePage);
    return r;
}

BOOL CMyPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDOK) m_nActivePage = GetActiveIndex();
    return CPropertySheet::OnCommand(wParam, lParam);
}

BOOL CMyPropertySheet::PreTranslateMessage(MSG* msg)
{
    BOOL answer = FALSE;
    if (RouteToTable(msg, answer)) return answer;
    return CPropertySheet::PreTranslateMessage(msg);
}
