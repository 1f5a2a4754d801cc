#include "vek/app/DialogsBar.h"

#include <algorithm>
#include <cstdio>

#include "vek/app/AppWindows.h"
#include "vek/app/ScrollWnd.h"
#include "vek/app/VekView.h"
#include "vek/dialogs/ParaDispDlg.h"
#include "vek/model/Profile.h"

CDialogsBar theDialogsBar;
CModelessDlgManager theModelessDlgs;

// ---- CDialogsBar -----------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CDialogsBar, CControlBar)

// clang-format off
BEGIN_MESSAGE_MAP(CDialogsBar, CControlBar)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_DESTROY()
END_MESSAGE_MAP()
// clang-format on

CDialogsBar::~CDialogsBar() = default;

BOOL CDialogsBar::Create(CWnd* parent, UINT id)
{
    LPCTSTR cls = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW),
                                      reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
    m_dwStyle = CBRS_BOTTOM;
    if (!CreateEx(0, cls, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, CRect(0, 0, 0, 0), parent, id))
        return FALSE;
    if (parent && parent->IsKindOf(RUNTIME_CLASS(CFrameWnd))) static_cast<CFrameWnd*>(parent)->AddControlBar(this);
    return TRUE;
}

int CDialogsBar::OnCreate(LPCREATESTRUCT cs)
{
    return CControlBar::OnCreate(cs) == -1 ? -1 : 0;
}

void CDialogsBar::SetCentralDialog(CModelessDialog* dialog)
{
    CloseCentralDialog();
    m_pCentral = dialog;
    if (m_pCentral && m_pCentral->m_hWnd) m_pCentral->ShowWindow(SW_SHOW);
    Layout();
}

void CDialogsBar::CloseCentralDialog()
{
    CModelessDialog* central = m_pCentral;
    m_pCentral = nullptr;
    if (central) central->SaveAndDestroy();
}

CSize CDialogsBar::CalcFixedLayout(BOOL, BOOL horz)
{
    int width = 20, height = 20;
    if (m_pCentral && m_pCentral->m_hWnd) {
        CRect r;
        m_pCentral->GetClientRect(&r);
        width = std::max(width, static_cast<int>(r.Width()));
        height = std::max(height, static_cast<int>(r.Height()));
    }
    CRect frame(0, 0, 0, 0);
    if (CWnd* dock = m_pDockSite ? static_cast<CWnd*>(m_pDockSite) : GetParent()) dock->GetClientRect(&frame);
    return horz ? CSize(frame.Width(), height) : CSize(width, frame.Height());
}

void CDialogsBar::Layout()
{
    if (!m_hWnd) return;
    CRect client;
    GetClientRect(&client);
    if (client.IsRectEmpty()) return;
    if (m_pCentral && m_pCentral->m_hWnd) {
        CRect own;
        m_pCentral->GetWindowRect(&own);
        if (IsHorzDocked())
            m_pCentral->MoveWindow(0, 0, client.Width(), own.Height());
        else
            m_pCentral->MoveWindow(0, 0, own.Width(), client.Height());
    }
    Invalidate();
}

void CDialogsBar::OnSize(UINT type, int cx, int cy)
{
    CControlBar::OnSize(type, cx, cy);
    Layout();
}

void CDialogsBar::OnLButtonDown(UINT, CPoint)
{
    Default();  // the bar stays in its dock
}

void CDialogsBar::OnDestroy()
{
    CloseCentralDialog();
    CControlBar::OnDestroy();
}

void CDialogsBar::OnUpdateCmdUI(CFrameWnd*, BOOL disableIfNoHandler)
{
    if (m_pCentral && m_pCentral->m_hWnd) m_pCentral->UpdateDialogControls(m_pCentral, disableIfNoHandler);
    theModelessDlgs.UpdateDialogControls(disableIfNoHandler);
}

// ---- CModelessDlgManager ---------------------------------------------------------------------

CRect ViewScreenRect()
{
    CRect r;
    CWnd* over = GetVekView();
    if (!over) over = AfxGetMainWnd();
    if (over && over->m_hWnd) {
        over->GetClientRect(&r);
        over->ClientToScreen(&r);
    } else {
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
    }
    return r;
}

CModelessDialog* CModelessDlgManager::DialogOf(HWND h)
{
    if (!h || !::IsWindow(h)) return nullptr;
    CWnd* w = CWnd::FromHandlePermanent(h);
    return w && w->IsKindOf(RUNTIME_CLASS(CModelessDialog)) ? static_cast<CModelessDialog*>(w) : nullptr;
}

namespace {

int Clamp(int v, int lo, int hi)
{
    return v < lo ? lo : (v > hi ? hi : v);
}

int HeightOf(HWND h)
{
    RECT r{};
    if (h && ::IsWindow(h)) ::GetWindowRect(h, &r);
    return r.bottom - r.top;
}

}  // namespace

void CModelessDlgManager::Add(CModelessDialog* dialog)
{
    if (!dialog || !dialog->m_hWnd) return;
    const CRect view = ViewScreenRect();
    // -1 means nothing remembered: the view's top-left corner.
    CPoint start(view.left, view.top);
    if (m_nX != -1) start = CPoint(Clamp(m_nX, -20, view.right - 30), Clamp(m_nY, 0, view.bottom));
    for (HWND h : m_dialogs) start.y += HeightOf(h);

    CRect own;
    dialog->GetWindowRect(&own);
    if (start.y + own.Height() - 40 > view.bottom) {
        start.x += own.Width();
        start.y = view.top;
    }

    auto* para = DYNAMIC_DOWNCAST(CParaDispDlg, dialog);
    if (para && m_nParaWidth >= 1 && m_nParaHeight >= 1) {
        const int minHeight = ::GetSystemMetrics(SM_CYCAPTION) + 10;
        if (m_nParaHeight >= minHeight)
            para->MoveWindow(start.x, start.y, m_nParaWidth, m_nParaHeight);
        else
            para->SetWindowPos(nullptr, start.x, start.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (CScrollWnd* child = para->m_pScroll; child && child->m_hWnd) {
            child->SetScrollPositions(m_nParaScrollX, m_nParaScrollY);
            child->SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, m_nParaScrollX));
            child->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, m_nParaScrollY));
        }
    } else {
        dialog->SetWindowPos(nullptr, start.x, start.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    m_dialogs.push_back(dialog->m_hWnd);
    dialog->ShowWindow(SW_SHOW);
}

void CModelessDlgManager::AddAnchored(CModelessDialog* dialog)
{
    if (!dialog || !dialog->m_hWnd) return;
    const CRect view = ViewScreenRect();
    CPoint start(view.left, view.bottom);
    if (m_nAnchoredX != -1)
        start = CPoint(Clamp(m_nAnchoredX, -20, view.right - 30), Clamp(m_nAnchoredY, 50, view.bottom + 30));
    for (HWND h : m_anchored) start.y -= HeightOf(h);
    CRect own;
    dialog->GetWindowRect(&own);
    const int top = std::max(20, static_cast<int>(start.y - own.Height()));
    dialog->SetWindowPos(nullptr, start.x, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_anchored.push_back(dialog->m_hWnd);
    dialog->ShowWindow(SW_SHOW);
}

void CModelessDlgManager::Close(std::vector<HWND>& list, int& x, int& y, CModelessDlgManager* remember, bool bottom)
{
    if (!list.empty() && ::IsWindow(list.front())) {
        RECT r;
        ::GetWindowRect(list.front(), &r);
        x = r.left;
        y = bottom ? r.bottom : r.top;
    }
    const std::vector<HWND> closing = list;
    list.clear();
    for (HWND h : closing) {
        CModelessDialog* dialog = DialogOf(h);
        if (!dialog) continue;
        auto* para = DYNAMIC_DOWNCAST(CParaDispDlg, dialog);
        if (para && remember) {
            CRect r;
            para->GetWindowRect(&r);
            remember->m_nParaWidth = r.Width();
            remember->m_nParaHeight = r.Height();
            if (para->m_pScroll) {
                remember->m_nParaScrollX = para->m_pScroll->m_nScrollX;
                remember->m_nParaScrollY = para->m_pScroll->m_nScrollY;
            }
        }
        dialog->SaveAndDestroy();
    }
}

void CModelessDlgManager::CloseAll()
{
    Close(m_dialogs, m_nX, m_nY, this, false);
}

void CModelessDlgManager::CloseAnchored()
{
    // The anchored stack is placed by its bottom: the bottom is what comes
    // back, or the panel would climb by its height on every start.
    Close(m_anchored, m_nAnchoredX, m_nAnchoredY, nullptr, true);
}

void CModelessDlgManager::ShowAll(BOOL show)
{
    for (HWND h : m_dialogs)
        if (::IsWindow(h)) ::ShowWindow(h, show ? SW_SHOWNORMAL : SW_HIDE);
}

void CModelessDlgManager::UpdateDialogControls(BOOL disableIfNoHandler)
{
    for (const std::vector<HWND>* list : {&m_dialogs, &m_anchored})
        for (HWND h : *list)
            if (CModelessDialog* d = DialogOf(h)) d->UpdateDialogControls(d, disableIfNoHandler);
}

void CModelessDlgManager::LoadPositions()
{
    m_nParaScrollX = m_nParaScrollY = 0;
    const CString text = AppProfile().GetString("Settings", "DlgPos", "");
    if (text.IsEmpty()) {
        m_nX = m_nY = m_nAnchoredX = m_nAnchoredY = m_nParaWidth = m_nParaHeight = -1;
        return;
    }
    int v[8] = {m_nX, m_nY, m_nAnchoredX, m_nAnchoredY, m_nParaWidth, m_nParaHeight, 0, 0};
    std::sscanf(text, "%d%d%d%d%d%d%d%d", &v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &v[6], &v[7]);
    m_nX = v[0];
    m_nY = v[1];
    m_nAnchoredX = v[2];
    m_nAnchoredY = v[3];
    m_nParaWidth = v[4];
    m_nParaHeight = v[5];
    m_nParaScrollX = v[6];
    m_nParaScrollY = v[7];
}

void CModelessDlgManager::SavePositions() const
{
    char text[128];
    std::snprintf(text, sizeof text, "%d %d %d %d %d %d %d %d", m_nX, m_nY, m_nAnchoredX, m_nAnchoredY, m_nParaWidth,
                  m_nParaHeight, m_nParaScrollX, m_nParaScrollY);
    AppProfile().WriteString("Settings", "DlgPos", text);
}
