// CFrameWnd: frame window, bar layout, hints and command routing.
#include "framework/Frame.h"
#include "framework/DynLink.h"
#include "framework/WinApp.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

namespace {

UINT SideOf(UINT dockBarId)
{
    switch (dockBarId) {
        case AFX_IDW_DOCKBAR_TOP: return CBRS_ALIGN_TOP;
        case AFX_IDW_DOCKBAR_BOTTOM: return CBRS_ALIGN_BOTTOM;
        case AFX_IDW_DOCKBAR_LEFT: return CBRS_ALIGN_LEFT;
        case AFX_IDW_DOCKBAR_RIGHT: return CBRS_ALIGN_RIGHT;
        default: return dockBarId & CBRS_ALIGN_ANY;
    }
}

bool Horizontal(UINT side)
{
    return side == CBRS_ALIGN_TOP || side == CBRS_ALIGN_BOTTOM;
}

// Whether a docked bar (window rectangle wr) comes before the place r in the
// reading order of its row: on an earlier line of a row that wraps, or
// further back on the same line.
bool Before(UINT side, const CRect& wr, const CRect& r)
{
    const CPoint c = r.CenterPoint();
    switch (side) {
        case CBRS_ALIGN_TOP: return wr.bottom <= c.y || (wr.top <= c.y && wr.left < r.left);
        case CBRS_ALIGN_BOTTOM: return wr.top > c.y || (wr.bottom > c.y && wr.left < r.left);
        case CBRS_ALIGN_LEFT: return wr.right <= c.x || (wr.left <= c.x && wr.top < r.top);
        default: return wr.left > c.x || (wr.right > c.x && wr.top < r.top);
    }
}

// A bar counts as shown by its own style, whether or not the frame is shown
// yet: a frame lays its bars out while it is made, before it is visible.
bool Shown(const CControlBar* bar)
{
    return bar->m_hWnd && (::GetWindowLongA(bar->m_hWnd, GWL_STYLE) & WS_VISIBLE);
}

}  // namespace

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_CLOSE()
ON_WM_SIZE()
ON_WM_SETFOCUS()
ON_WM_ACTIVATE()
ON_WM_MENUSELECT()
ON_WM_DROPFILES()
ON_MESSAGE(WM_SETMESSAGESTRING, &CFrameWnd::OnSetMessageString)
ON_MESSAGE(WM_FW_RAISEOWNED, &CFrameWnd::OnRaiseOwned)
ON_COMMAND_EX(ID_VIEW_STATUS_BAR, &CFrameWnd::OnBarCheck)
ON_COMMAND_EX(ID_VIEW_TOOLBAR, &CFrameWnd::OnBarCheck)
ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, &CFrameWnd::OnUpdateControlBarMenu)
ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, &CFrameWnd::OnUpdateControlBarMenu)
ON_NOTIFY_EX_RANGE(TTN_GETDISPINFOA, 0, 0xFFFF, &CFrameWnd::OnToolTipText)
ON_UPDATE_COMMAND_UI(ID_INDICATOR_CAPS, &CFrameWnd::OnUpdateKeyIndicator)
ON_UPDATE_COMMAND_UI(ID_INDICATOR_NUM, &CFrameWnd::OnUpdateKeyIndicator)
ON_UPDATE_COMMAND_UI(ID_INDICATOR_SCRL, &CFrameWnd::OnUpdateKeyIndicator)
END_MESSAGE_MAP()

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* ui)
{
    // Shown while the lock key is on.
    const int key = ui->m_nID == ID_INDICATOR_CAPS  ? VK_CAPITAL
                    : ui->m_nID == ID_INDICATOR_NUM ? VK_NUMLOCK
                                                    : VK_SCROLL;
    ui->Enable((::GetKeyState(key) & 1) != 0);
}

CFrameWnd::~CFrameWnd()
{
    for (CControlBar* bar : m_listControlBars) bar->m_pDockSite = nullptr;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass) {
        HICON icon = m_nIDHelp ? ::LoadIconA(AfxFindResourceHandle(MAKEINTRESOURCEA(m_nIDHelp), RT_GROUP_ICON),
                                             MAKEINTRESOURCEA(m_nIDHelp))
                               : nullptr;
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), icon);
    }
    cs.style |= WS_CLIPCHILDREN;
    return TRUE;
}

BOOL CFrameWnd::Create(LPCTSTR className, LPCTSTR title, DWORD style, const RECT& rect, CWnd* parent, LPCTSTR menuName,
                       DWORD exStyle, CCreateContext* context)
{
    m_strTitle = title ? title : "";
    HMENU menu = menuName ? ::LoadMenuA(AfxFindResourceHandle(menuName, RT_MENU), menuName) : nullptr;
    m_hMenuDefault = menu;
    const CRect& r = static_cast<const CRect&>(rect);
    const bool defaultRect = rect.left == CW_USEDEFAULT;
    if (!CreateEx(exStyle, className, m_strTitle, style, r.left, r.top, defaultRect ? CW_USEDEFAULT : r.Width(),
                  defaultRect ? CW_USEDEFAULT : r.Height(), GetSafeHwnd(parent), menu, context)) {
        if (menu && !::IsMenu(menu)) m_hMenuDefault = nullptr;
        return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT resourceId, DWORD style, CWnd* parent, CCreateContext* context)
{
    m_nIDHelp = resourceId;
    CString full;
    full.LoadString(resourceId);
    CString title;
    AfxExtractSubString(title, full, 0);
    if (!Create(nullptr, title, style, CRect(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0), parent, MAKEINTRESOURCEA(resourceId),
                0, context))
        return FALSE;
    m_hAccelTable = ::LoadAcceleratorsA(AfxFindResourceHandle(MAKEINTRESOURCEA(resourceId), RT_ACCELERATOR),
                                        MAKEINTRESOURCEA(resourceId));
    return TRUE;
}

BOOL CFrameWnd::LoadAccelTable(LPCTSTR name)
{
    m_hAccelTable = ::LoadAcceleratorsA(AfxFindResourceHandle(name, RT_ACCELERATOR), name);
    return m_hAccelTable != nullptr;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT cs)
{
    if (CWnd::OnCreate(cs) == -1) return -1;
    if (!OnCreateClient(cs, static_cast<CCreateContext*>(cs->lpCreateParams))) return -1;
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* context)
{
    if (context && context->m_pNewViewClass) return CreateView(context, AFX_IDW_PANE_FIRST) != nullptr;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* context, UINT id)
{
    CObject* o = context->m_pNewViewClass->CreateObject();
    CWnd* view = o && o->IsKindOf(RUNTIME_CLASS(CWnd)) ? static_cast<CWnd*>(o) : nullptr;
    if (!view) {
        delete o;
        return nullptr;
    }
    if (!view->CreateEx(WS_EX_CLIENTEDGE, nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, id,
                        context)) {
        if (!CWnd::LastCreateDestroyedObject()) delete view;
        return nullptr;
    }
    if (view->IsKindOf(RUNTIME_CLASS(CView)) && !m_pViewActive) m_pViewActive = static_cast<CView*>(view);
    return view;
}

void CFrameWnd::OnDestroy()
{
    CWnd::OnDestroy();
}

void CFrameWnd::PostNcDestroy()
{
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
    }
    delete this;
}

BOOL CFrameWnd::DestroyWindow()
{
    return CWnd::DestroyWindow();
}

void CFrameWnd::OnClose()
{
    CDocument* doc = GetActiveDocument();
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this) {
        if (!app->SaveAllModified()) return;
    } else if (doc && !doc->CanCloseFrame(this)) {
        return;
    }
    if (doc && doc->m_bAutoDelete) {
        doc->OnCloseDocument();  // destroys this frame with the document's views
        return;
    }
    DestroyWindow();
}

CDocument* CFrameWnd::GetActiveDocument()
{
    return m_pViewActive ? m_pViewActive->GetDocument() : nullptr;
}

void CFrameWnd::SetActiveView(CView* view, BOOL notify)
{
    CView* old = m_pViewActive;
    if (view == old) return;
    m_pViewActive = view;
    if (notify && old) old->OnActivateView(FALSE, view, old);
    if (notify && view) view->OnActivateView(TRUE, view, old);
}

void CFrameWnd::InitialUpdateFrame(CDocument* doc, BOOL makeVisible)
{
    if (!m_pViewActive) {
        CWnd* pane = GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
        if (pane && pane->IsKindOf(RUNTIME_CLASS(CView))) SetActiveView(static_cast<CView*>(pane), FALSE);
    }
    SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE);
    if (makeVisible) {
        ActivateFrame();
        if (m_pViewActive) m_pViewActive->OnActivateView(TRUE, m_pViewActive, m_pViewActive);
    }
    OnUpdateFrameTitle(TRUE);
    (void)doc;
}

void CFrameWnd::ActivateFrame(int cmdShow)
{
    if (cmdShow == -1) {
        cmdShow = SW_SHOW;
        CWinApp* app = AfxGetApp();
        if (app && app->m_pMainWnd == this && !IsWindowVisible()) {
            cmdShow = app->m_nCmdShow;
            app->m_nCmdShow = -1;  // only the first time
            if (cmdShow == -1 || cmdShow == SW_HIDE) cmdShow = SW_SHOW;
        }
    }
    RecalcLayout();
    ShowWindow(cmdShow);
    BringWindowToTop();
}

void CFrameWnd::OnUpdateFrameTitle(BOOL addToTitle)
{
    CDocument* doc = GetActiveDocument();
    CString title = m_strTitle;
    if (addToTitle && (GetStyle() & FWS_ADDTOTITLE) && doc && !doc->GetTitle().IsEmpty())
        title = doc->GetTitle() + " - " + m_strTitle;
    CString now;
    GetWindowText(now);
    if (now != title) SetWindowText(title);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo)
{
    // The active view first (and through it its document), then the frame, then the application.
    if (m_pViewActive && m_pViewActive->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* msg)
{
    if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST && m_hAccelTable && m_hWnd)
        return ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, msg) != 0;
    return FALSE;
}

void CFrameWnd::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    if (type != SIZE_MINIMIZED) RecalcLayout();
}

void CFrameWnd::OnSetFocus(CWnd* old)
{
    if (m_pViewActive && m_pViewActive->m_hWnd)
        ::SetFocus(m_pViewActive->m_hWnd);
    else
        CWnd::OnSetFocus(old);
}

BOOL CFrameWnd::OnEraseBkgnd(CDC* dc)
{
    return CWnd::OnEraseBkgnd(dc);
}

void CFrameWnd::OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu)
{
    CWnd::OnInitMenuPopup(popup, index, sysMenu);
}

void CFrameWnd::OnActivate(UINT state, CWnd* other, BOOL minimized)
{
    CWnd::OnActivate(state, other, minimized);
    // The focus moves in after this, and that raises the frame over its tool
    // windows under Wine without a window manager: they come back afterwards.
    if (state != WA_INACTIVE && m_hWnd) ::PostMessageA(m_hWnd, WM_FW_RAISEOWNED, 0, 0);
}

LRESULT CFrameWnd::OnRaiseOwned(WPARAM, LPARAM)
{
    FwRaiseOwnedWindows(m_hWnd, nullptr);
    return 0;
}

void CFrameWnd::OnDropFiles(HDROP drop)
{
    char path[MAX_PATH] = {};
    if (::DragQueryFileA(drop, 0, path, MAX_PATH) && AfxGetApp()) {
        SetActiveWindow();
        AfxGetApp()->OpenDocumentFile(path);
    }
    ::DragFinish(drop);
}

// ---- hints -----------------------------------------------------------------------------------

CWnd* CFrameWnd::GetMessageBar()
{
    return GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE);
}

void CFrameWnd::GetMessageString(UINT id, CString& message) const
{
    CString full;
    message.Empty();
    if (full.LoadString(id)) AfxExtractSubString(message, full, 0);
}

void CFrameWnd::SetMessageText(LPCTSTR text)
{
    SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(text));
}

void CFrameWnd::SetMessageText(UINT id)
{
    SendMessage(WM_SETMESSAGESTRING, id);
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    const UINT old = m_nMessageId;
    CString text;
    if (lParam) {
        text = reinterpret_cast<LPCTSTR>(lParam);
        m_nMessageId = 0;
    } else {
        GetMessageString(static_cast<UINT>(wParam), text);
        m_nMessageId = static_cast<UINT>(wParam);
    }
    CWnd* bar = GetMessageBar();
    if (bar && bar->IsKindOf(RUNTIME_CLASS(CStatusBar)))
        static_cast<CStatusBar*>(bar)->SetPaneText(0, text);
    else if (bar)
        bar->SetWindowText(text);
    return old;
}

void CFrameWnd::OnMenuSelect(UINT itemId, UINT flags, HMENU menu)
{
    if (flags == 0xFFFF && !menu) {
        SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);  // the menu closed
    } else if (!(flags & (MF_POPUP | MF_SEPARATOR))) {
        SendMessage(WM_SETMESSAGESTRING, itemId);
    } else {
        SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(""));
    }
}

BOOL CFrameWnd::OnToolTipText(UINT, NMHDR* hdr, LRESULT* result)
{
    // The tip is the part of the command's string after the line break.
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(hdr);
    UINT id = static_cast<UINT>(hdr->idFrom);
    if (info->uFlags & TTF_IDISHWND) id = static_cast<UINT>(::GetDlgCtrlID(reinterpret_cast<HWND>(hdr->idFrom)));
    if (id == 0) return FALSE;
    CString full, tip;
    if (full.LoadString(id)) AfxExtractSubString(tip, full, 1);
    lstrcpynA(info->szText, tip, sizeof info->szText);
    info->lpszText = info->szText;
    *result = 0;
    return TRUE;
}

// ---- control bars ---------------------------------------------------------------------------

void CFrameWnd::EnableDocking(DWORD dockStyle)
{
    m_dwDockStyle = dockStyle & CBRS_ALIGN_ANY;
}

void CFrameWnd::AddControlBar(CControlBar* bar)
{
    if (std::find(m_listControlBars.begin(), m_listControlBars.end(), bar) == m_listControlBars.end())
        m_listControlBars.push_back(bar);
    bar->m_pDockSite = this;
}

void CFrameWnd::RemoveControlBar(CControlBar* bar)
{
    m_listControlBars.erase(std::remove(m_listControlBars.begin(), m_listControlBars.end(), bar),
                            m_listControlBars.end());
    if (bar->m_pDockSite == this) bar->m_pDockSite = nullptr;
}

CControlBar* CFrameWnd::GetControlBar(UINT id)
{
    for (CControlBar* bar : m_listControlBars)
        if (bar->m_hWnd && static_cast<UINT>(bar->GetDlgCtrlID()) == id) return bar;
    return nullptr;
}

void CFrameWnd::DockControlBar(CControlBar* bar, UINT dockBarId, LPCRECT rect)
{
    UINT side = SideOf(dockBarId);
    const DWORD allowed =
        (bar->m_dwDockStyle ? bar->m_dwDockStyle : CBRS_ALIGN_ANY) & (m_dwDockStyle ? m_dwDockStyle : CBRS_ALIGN_ANY);
    if (!side) {
        for (UINT s : {CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT})
            if (allowed & s) {
                side = s;
                break;
            }
        if (!side) side = CBRS_ALIGN_TOP;
    }
    AddControlBar(bar);
    const bool sideChanged = bar->m_nDockSide != side;
    bar->m_nDockSide = side;
    bar->m_dwStyle = (bar->m_dwStyle & ~CBRS_ALIGN_ANY) | side;  // the bar's style names its side
    if (sideChanged && bar->m_hWnd)                              // the gripper moves to the new leading edge
        ::SetWindowPos(bar->m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    int maxRow = -1;
    for (CControlBar* b : m_listControlBars)
        if (b != bar && b->m_nDockSide == side) maxRow = std::max(maxRow, b->m_nRow);
    bar->m_nRow = maxRow + 1;
    bar->m_nRowPos = 0;
    if (rect) {
        // Join the row whose bars the rectangle lies across.
        const CRect r(rect);
        const CPoint c = r.CenterPoint();
        for (CControlBar* b : m_listControlBars) {
            if (b == bar || b->m_nDockSide != side || !Shown(b)) continue;
            CRect wr;
            b->GetWindowRect(&wr);
            const bool inRow =
                Horizontal(side) ? (c.y >= wr.top && c.y < wr.bottom) : (c.x >= wr.left && c.x < wr.right);
            if (inRow) {
                bar->m_nRow = b->m_nRow;
                break;
            }
        }
        // Order within the row by the leading edge.
        std::vector<CControlBar*> row;
        for (CControlBar* b : m_listControlBars)
            if (b != bar && b->m_nDockSide == side && b->m_nRow == bar->m_nRow) row.push_back(b);
        std::sort(row.begin(), row.end(), [](CControlBar* a, CControlBar* b) { return a->m_nRowPos < b->m_nRowPos; });
        int pos = 0;
        for (CControlBar* b : row) {
            CRect wr;
            b->GetWindowRect(&wr);
            const bool before = Before(side, wr, r);
            if (before) b->m_nRowPos = pos++;
        }
        bar->m_nRowPos = pos++;
        for (CControlBar* b : row) {
            CRect wr;
            b->GetWindowRect(&wr);
            const bool before = Before(side, wr, r);
            if (!before) b->m_nRowPos = pos++;
        }
    }
    if (m_hWnd) RecalcLayout();
}

void CFrameWnd::ShowControlBar(CControlBar* bar, BOOL show, BOOL)
{
    if (!bar || !bar->m_hWnd) return;
    bar->ShowWindow(show ? SW_SHOWNA : SW_HIDE);
    RecalcLayout();
}

BOOL CFrameWnd::OnBarCheck(UINT id)
{
    CControlBar* bar = GetControlBar(id);
    if (!bar) return FALSE;
    ShowControlBar(bar, !Shown(bar), FALSE);
    return TRUE;
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* ui)
{
    CControlBar* bar = GetControlBar(ui->m_nID);
    if (!bar) {
        ui->ContinueRouting();
        return;
    }
    ui->SetCheck(Shown(bar) ? 1 : 0);
}

void CFrameWnd::RecalcLayout(BOOL)
{
    if (!m_hWnd) return;
    CRect client;
    GetClientRect(&client);
    // Bars that are not docked but aligned (the status bar) sit at the very edges.
    for (CControlBar* bar : m_listControlBars) {
        if (bar->m_nDockSide || !Shown(bar)) continue;
        const UINT side = bar->m_dwStyle & CBRS_ALIGN_ANY;
        if (!side) continue;
        const bool horz = (side & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0;
        const CSize sz = bar->CalcFixedLayout(TRUE, horz);
        CRect r = client;
        if (side & CBRS_ALIGN_BOTTOM) {
            r.top = std::max(client.top, client.bottom - sz.cy);
            client.bottom = r.top;
        } else if (side & CBRS_ALIGN_TOP) {
            r.bottom = std::min(client.bottom, client.top + sz.cy);
            client.top = r.bottom;
        } else if (side & CBRS_ALIGN_LEFT) {
            r.right = std::min(client.right, client.left + sz.cx);
            client.left = r.right;
        } else {
            r.left = std::max(client.left, client.right - sz.cx);
            client.right = r.left;
        }
        bar->MoveWindow(&r);
    }
    // Docked rows, outermost first, side by side within a row.
    for (UINT side : {CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT}) {
        const bool horz = Horizontal(side);
        std::vector<CControlBar*> bars;
        for (CControlBar* b : m_listControlBars)
            if (b->m_nDockSide == side && Shown(b)) bars.push_back(b);
        std::stable_sort(bars.begin(), bars.end(), [](CControlBar* a, CControlBar* b) {
            return a->m_nRow != b->m_nRow ? a->m_nRow < b->m_nRow : a->m_nRowPos < b->m_nRowPos;
        });
        size_t i = 0;
        while (i < bars.size()) {
            size_t j = i;
            while (j < bars.size() && bars[j]->m_nRow == bars[i]->m_nRow) ++j;
            const bool alone = j - i == 1;
            std::vector<CSize> sizes;
            for (size_t k = i; k < j; ++k) {
                // Bars that size themselves get the dynamic layout, committed.
                const BOOL stretch = alone && bars[k]->IsStretched();
                CSize sz = (bars[k]->m_dwStyle & CBRS_SIZE_DYNAMIC)
                               ? bars[k]->CalcDynamicLayout(-1, (horz ? LM_HORZ | LM_HORZDOCK : LM_VERTDOCK) |
                                                                    LM_COMMIT | (stretch ? LM_STRETCH : 0))
                               : bars[k]->CalcFixedLayout(stretch, horz);
                if (horz && (sz.cx >= 32767 || (alone && bars[k]->IsStretched()))) sz.cx = client.Width();
                if (!horz && (sz.cy >= 32767 || (alone && bars[k]->IsStretched()))) sz.cy = client.Height();
                sizes.push_back(sz);
            }
            // A row longer than the side continues on another line, so that
            // no bar ends up out of sight; the first line lies outermost.
            const int start = horz ? client.left : client.top;
            const int end = horz ? client.right : client.bottom;
            std::vector<int> lineOf(j - i), placeAt(j - i), lineDepth(1, 0);
            int along = start;
            for (size_t k = i; k < j; ++k) {
                const CSize sz = sizes[k - i];
                const int length = horz ? sz.cx : sz.cy;
                if (along > start && along + length > end) {
                    lineDepth.push_back(0);
                    along = start;
                }
                lineOf[k - i] = static_cast<int>(lineDepth.size()) - 1;
                placeAt[k - i] = along;
                along += length;
                lineDepth.back() = std::max(lineDepth.back(), static_cast<int>(horz ? sz.cy : sz.cx));
            }
            std::vector<int> lineOffset(lineDepth.size(), 0);
            for (size_t l = 1; l < lineDepth.size(); ++l) lineOffset[l] = lineOffset[l - 1] + lineDepth[l - 1];
            const int depth = lineOffset.back() + lineDepth.back();
            for (size_t k = i; k < j; ++k) {
                const CSize sz = sizes[k - i];
                const int line = lineOf[k - i];
                const int lineDeep = lineDepth[static_cast<size_t>(line)];
                const int offset = lineOffset[static_cast<size_t>(line)];
                CRect r;
                if (horz) {
                    const int top = side == CBRS_ALIGN_TOP ? client.top + offset : client.bottom - offset - lineDeep;
                    r.SetRect(placeAt[k - i], top, placeAt[k - i] + sz.cx, top + lineDeep);
                } else {
                    const int left = side == CBRS_ALIGN_LEFT ? client.left + offset : client.right - offset - lineDeep;
                    r.SetRect(left, placeAt[k - i], left + lineDeep, placeAt[k - i] + sz.cy);
                }
                bars[k]->MoveWindow(&r);
            }
            if (side == CBRS_ALIGN_TOP)
                client.top += depth;
            else if (side == CBRS_ALIGN_BOTTOM)
                client.bottom -= depth;
            else if (side == CBRS_ALIGN_LEFT)
                client.left += depth;
            else
                client.right -= depth;
            i = j;
        }
    }
    if (client.right < client.left) client.right = client.left;
    if (client.bottom < client.top) client.bottom = client.top;
    if (CWnd* pane = GetDescendantWindow(AFX_IDW_PANE_FIRST, FALSE))
        if (::GetParent(pane->m_hWnd) == m_hWnd) pane->MoveWindow(&client);
}

void CFrameWnd::SaveBarState(LPCTSTR section) const
{
    CWinApp* app = AfxGetApp();
    if (!app) return;
    for (CControlBar* bar : m_listControlBars) {
        if (!bar->m_hWnd) continue;
        CString key;
        key.Format("%s-Bar%u", section, static_cast<UINT>(bar->GetDlgCtrlID()));
        app->WriteProfileInt(key, "Visible", Shown(bar) ? 1 : 0);
        app->WriteProfileInt(key, "Side", static_cast<int>(bar->m_nDockSide));
        app->WriteProfileInt(key, "Row", bar->m_nRow);
        app->WriteProfileInt(key, "RowPos", bar->m_nRowPos);
    }
}

void CFrameWnd::LoadBarState(LPCTSTR section)
{
    CWinApp* app = AfxGetApp();
    if (!app) return;
    for (CControlBar* bar : m_listControlBars) {
        if (!bar->m_hWnd) continue;
        CString key;
        key.Format("%s-Bar%u", section, static_cast<UINT>(bar->GetDlgCtrlID()));
        const int visible = static_cast<int>(app->GetProfileInt(key, "Visible", -1));
        if (visible < 0) continue;  // nothing saved for this bar
        const UINT side = app->GetProfileInt(key, "Side", static_cast<int>(bar->m_nDockSide));
        // Only sides that exist; anything else keeps the bar where it is.
        if (side == 0 || side == CBRS_ALIGN_TOP || side == CBRS_ALIGN_BOTTOM || side == CBRS_ALIGN_LEFT ||
            side == CBRS_ALIGN_RIGHT) {
            if (side) bar->m_dwStyle = (bar->m_dwStyle & ~CBRS_ALIGN_ANY) | side;
            if (bar->m_nDockSide != side && bar->m_hWnd) {
                bar->m_nDockSide = side;
                ::SetWindowPos(bar->m_hWnd, nullptr, 0, 0, 0, 0,
                               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
            }
            bar->m_nRow = std::clamp(static_cast<int>(app->GetProfileInt(key, "Row", bar->m_nRow)), 0, 1000);
            bar->m_nRowPos = std::clamp(static_cast<int>(app->GetProfileInt(key, "RowPos", bar->m_nRowPos)), 0, 1000);
        }
        bar->ShowWindow(visible ? SW_SHOWNA : SW_HIDE);
    }
    RecalcLayout();
}
