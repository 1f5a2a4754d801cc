#include "vek/app/FlashDialogs.h"

#include "vek/app/AppWindows.h"
#include "vek/app/VekView.h"
#include "vek/res/AppDialogsRes.h"

namespace {

constexpr UINT_PTR kCloseTimer = 1;
constexpr UINT_PTR kGrowTimer = 2;

// The main view, else the main window, else none.
CWnd* MainViewOrWindow()
{
    if (CWnd* view = GetVekView()) return view;
    return AfxGetMainWnd();
}

}  // namespace

// ---- CPromptFlashDlg ----------------------------------------------------------------

IMPLEMENT_DYNAMIC(CPromptFlashDlg, CModelessDialog)

// clang-format off
BEGIN_MESSAGE_MAP(CPromptFlashDlg, CModelessDialog)
    ON_WM_CTLCOLOR()
    ON_WM_TIMER()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()
// clang-format on

CPromptFlashDlg::CPromptFlashDlg() : CModelessDialog(IDD_PROMPT_FLASH, nullptr) {}

CPromptFlashDlg::~CPromptFlashDlg()
{
    if (m_hBrush) ::DeleteObject(m_hBrush);
}

BOOL CPromptFlashDlg::ShowPrompt(const char* text, CWnd* parent, BOOL red, int ms)
{
    m_strText = text ? text : "";
    m_bRed = red ? 1 : 0;
    m_nTime = ms;
    m_pParentWnd = parent ? parent : MainViewOrWindow();
    return Create(IDD_PROMPT_FLASH, m_pParentWnd);
}

BOOL CPromptFlashDlg::OnInitDialog()
{
    CModelessDialog::OnInitDialog();
    m_hBrush = ::CreateSolidBrush(m_bRed ? RGB(255, 0, 0) : RGB(255, 255, 0));
    CRect r;
    GetWindowRect(&r);
    const int w = r.Width(), h = r.Height();
    CPoint at(200, 0);
    if (m_pParentWnd && m_pParentWnd->m_hWnd) m_pParentWnd->ClientToScreen(&at);
    SetWindowPos(nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    HRGN shape = ::CreateEllipticRgn(0, 0, w, h / 2);
    const POINT tail[3] = {{w / 4, h / 3}, {w / 8, 2 * h / 3}, {w / 2, h / 3}};
    HRGN tailRgn = ::CreatePolygonRgn(tail, 3, WINDING);
    ::CombineRgn(shape, shape, tailRgn, RGN_OR);
    ::DeleteObject(tailRgn);
    ::SetWindowRgn(m_hWnd, shape, TRUE);  // the window owns the region now

    SetDlgItemText(IDC_FLASH_TEXT, m_strText);
    SetTimer(kCloseTimer, static_cast<UINT>(m_nTime > 0 ? m_nTime : 1));
    ShowWindow(SW_SHOWNOACTIVATE);
    return TRUE;
}

HBRUSH CPromptFlashDlg::OnCtlColor(CDC* dc, CWnd*, UINT)
{
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(m_bRed ? RGB(255, 255, 0) : RGB(255, 0, 0));
    return m_hBrush;
}

void CPromptFlashDlg::OnTimer(UINT_PTR id)
{
    if (id == kCloseTimer) {
        KillTimer(kCloseTimer);
        DestroyWindow();
        return;
    }
    CModelessDialog::OnTimer(id);
}

void CPromptFlashDlg::OnLButtonDown(UINT, CPoint)
{
    DestroyWindow();
}

void ShowFlashPrompt(const char* text, int ms, BOOL red, CWnd* parent)
{
    auto* prompt = new CPromptFlashDlg;
    if (!prompt->ShowPrompt(text, parent, red, ms) && !CWnd::LastCreateDestroyedObject()) delete prompt;
}

// ---- CEditFlashDlg ----------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CEditFlashDlg, CDialog)

// clang-format off
BEGIN_MESSAGE_MAP(CEditFlashDlg, CDialog)
    ON_WM_CTLCOLOR()
    ON_WM_TIMER()
    ON_WM_NCHITTEST()
    ON_WM_DESTROY()
END_MESSAGE_MAP()
// clang-format on

CEditFlashDlg::CEditFlashDlg(const char* prompt, const char* initial, CWnd* parent)
    : CDialog(IDD_EDIT_FLASH, parent), m_strValue(initial ? initial : ""), m_strPrompt(prompt ? prompt : "")
{
    m_hBrush = ::CreateSolidBrush(0x80FFFF);
}

CEditFlashDlg::~CEditFlashDlg()
{
    for (int i = 0; i < 5; ++i) {
        if (m_rgnGrow[i]) ::DeleteObject(m_rgnGrow[i]);
        if (m_rgnShown[i]) ::DeleteObject(m_rgnShown[i]);
    }
    if (m_hBrush) ::DeleteObject(m_hBrush);
}

void CEditFlashDlg::DoDataExchange(CDataExchange* dx)
{
    DDX_Text(dx, IDC_FLASH_EDIT, m_strValue);
}

BOOL CEditFlashDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_FLASH_TEXT, m_strPrompt);

    // Centred over the main view, its bottom on the view's bottom edge.
    CRect r;
    GetWindowRect(&r);
    CRect area;
    if (CWnd* over = MainViewOrWindow()) {
        over->GetClientRect(&area);
        over->ClientToScreen(&area);
    } else {
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    }
    SetWindowPos(nullptr, area.left + (area.Width() - r.Width()) / 2, area.bottom - r.Height(), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);

    m_nStep = 0;
    Grow(0);
    m_nTimer = SetTimer(kGrowTimer, 30);

    CWnd* edit = GetDlgItem(IDC_FLASH_EDIT);
    if (edit) {
        GotoDlgCtrl(edit);
        edit->SendMessage(EM_SETSEL, 0, -1);
    }
    return FALSE;  // the focus is set
}

void CEditFlashDlg::Grow(int step)
{
    CRect r;
    GetWindowRect(&r);
    const int w = r.Width(), h = r.Height();
    HRGN add = nullptr;
    switch (step) {
        case 0: add = ::CreateEllipticRgn(4 * w / 5, 23 * h / 25, 4 * w / 5 + w / 25, 24 * h / 25); break;
        case 1: add = ::CreateEllipticRgn(5 * w / 7, 6 * h / 7, 5 * w / 7 + w / 14, 6 * h / 7 + h / 17); break;
        case 2: add = ::CreateEllipticRgn(3 * w / 5, 5 * h / 7, 3 * w / 5 + w / 7, 5 * h / 7 + h / 10); break;
        case 3: add = ::CreateEllipticRgn(5 * w / 11, 6 * h / 11, 5 * w / 11 + w / 4, 6 * h / 11 + h / 7); break;
        default: add = ::CreateEllipticRgn(0, 0, w, h / 2); break;
    }
    m_rgnGrow[step] = add;
    m_rgnShown[step] = ::CreateRectRgn(0, 0, 0, 0);
    if (step == 0)
        ::CombineRgn(m_rgnShown[0], add, nullptr, RGN_COPY);
    else
        ::CombineRgn(m_rgnShown[step], m_rgnShown[step - 1], add, RGN_OR);
    // The window takes a copy: ours are kept until the end.
    HRGN copy = ::CreateRectRgn(0, 0, 0, 0);
    ::CombineRgn(copy, m_rgnShown[step], nullptr, RGN_COPY);
    ::SetWindowRgn(m_hWnd, copy, TRUE);
}

void CEditFlashDlg::OnTimer(UINT_PTR id)
{
    if (id != kGrowTimer || m_nStep >= 4) {
        CDialog::OnTimer(id);
        return;
    }
    ++m_nStep;
    Grow(m_nStep);
    if (m_nStep >= 4) {
        KillTimer(kGrowTimer);
        m_nTimer = 0;
    }
}

HBRUSH CEditFlashDlg::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor)
{
    if (ctlColor == CTLCOLOR_EDIT) return CDialog::OnCtlColor(dc, wnd, ctlColor);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(RGB(255, 0, 0));
    return m_hBrush;
}

LRESULT CEditFlashDlg::OnNcHitTest(CPoint pt)
{
    // Outside the edit the whole bubble drags the window.
    CWnd* edit = GetDlgItem(IDC_FLASH_EDIT);
    if (edit) {
        CRect r;
        edit->GetWindowRect(&r);
        if (r.PtInRect(pt)) return CDialog::OnNcHitTest(pt);
    }
    return HTCAPTION;
}

void CEditFlashDlg::OnDestroy()
{
    if (m_nTimer) KillTimer(kGrowTimer);
    m_nTimer = 0;
    CDialog::OnDestroy();
}
