#include "vek/app/ScrollWnd.h"

IMPLEMENT_DYNAMIC(CScrollWnd, CWnd)

// clang-format off
BEGIN_MESSAGE_MAP(CScrollWnd, CWnd)
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
END_MESSAGE_MAP()
// clang-format on

BOOL CScrollWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_HSCROLL | WS_VSCROLL;
    return CWnd::PreCreateWindow(cs);
}

void CScrollWnd::OnPrepareDC(CDC* dc)
{
    dc->SetMapMode(MM_TEXT);
    dc->SetWindowOrg(m_nScrollX, m_nScrollY);
}

void CScrollWnd::SetContentSize(int width, int height)
{
    m_nContentWidth = width;
    m_nContentHeight = height;
    UpdateScrollBars();
}

void CScrollWnd::SetScrollPositions(int x, int y)
{
    m_nScrollX = x < 0 ? 0 : x;
    m_nScrollY = y < 0 ? 0 : y;
    if (!IsWindow()) return;
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_POS;
    si.nPos = m_nScrollX;
    SetScrollInfo(SB_HORZ, &si, TRUE);
    si.nPos = m_nScrollY;
    SetScrollInfo(SB_VERT, &si, TRUE);
    Invalidate();
}

void CScrollWnd::UpdateScrollBars()
{
    if (m_nContentWidth < 1 || m_nContentHeight < 1) {
        m_nContentWidth = 100;
        m_nContentHeight = 100;
    }
    if (!IsWindow()) return;
    CRect client;
    GetClientRect(&client);
    m_nClientWidth = client.Width();
    m_nClientHeight = client.Height();

    auto update = [&](int bar, int content, int page, int& pos) {
        const bool needed = content > page;
        if (needed) {
            if (pos > content - page) pos = content - page;
            SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, content - 1, static_cast<UINT>(page), pos, 0};
            SetScrollInfo(bar, &si, TRUE);
        } else {
            pos = 0;  // all of it shows: nothing may stay scrolled out of sight
        }
        ShowScrollBar(bar, needed);
    };
    update(SB_HORZ, m_nContentWidth, m_nClientWidth, m_nScrollX);
    // Showing one bar may have narrowed the other dimension.
    GetClientRect(&client);
    m_nClientHeight = client.Height();
    update(SB_VERT, m_nContentHeight, m_nClientHeight, m_nScrollY);
}

void CScrollWnd::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    if (type == SIZE_MINIMIZED) return;
    UpdateScrollBars();
    Invalidate(FALSE);
}

void CScrollWnd::OnPaint()
{
    PAINTSTRUCT ps;
    HDC hdc = ::BeginPaint(m_hWnd, &ps);
    CDC* dc = CDC::FromHandle(hdc);
    OnPrepareDC(dc);
    OnDraw(dc);
    ::EndPaint(m_hWnd, &ps);
}

BOOL CScrollWnd::OnEraseBkgnd(CDC* dc)
{
    CRect box;
    dc->GetClipBox(&box);
    HBRUSH brush = ::CreateSolidBrush(::GetSysColor(COLOR_WINDOW));
    HGDIOBJ old = ::SelectObject(dc->GetSafeHdc(), brush);
    ::PatBlt(dc->GetSafeHdc(), box.left, box.top, box.Width(), box.Height(), PATCOPY);
    ::SelectObject(dc->GetSafeHdc(), old);
    ::DeleteObject(brush);
    return TRUE;
}

void CScrollWnd::Scroll(int bar, UINT code, int thumb)
{
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    if (!GetScrollInfo(bar, &si, SIF_ALL)) return;
    const int page = static_cast<int>(si.nPage);
    int step = 0;
    switch (code) {
        case SB_LINEUP: step = -(page / 5); break;
        case SB_LINEDOWN: step = page / 5; break;
        case SB_PAGEUP: step = -page; break;
        case SB_PAGEDOWN: step = page; break;
        case SB_THUMBPOSITION: step = thumb - si.nPos; break;
        case SB_THUMBTRACK: step = si.nTrackPos - si.nPos; break;
        case SB_TOP: step = -si.nPos; break;
        case SB_BOTTOM: step = si.nMax - si.nPos; break;
        default: return;
    }
    if (step == 0) return;
    int& pos = bar == SB_HORZ ? m_nScrollX : m_nScrollY;
    const int old = pos;
    int now = si.nPos + step;
    if (now > si.nMax - page + 1) now = si.nMax - page + 1;
    if (now < 0) now = 0;
    pos = now;
    SCROLLINFO set{};
    set.cbSize = sizeof set;
    set.fMask = SIF_POS;
    set.nPos = now;
    SetScrollInfo(bar, &set, TRUE);
    const int delta = now - old;
    if (bar == SB_HORZ)
        ::ScrollWindowEx(m_hWnd, -delta, 0, nullptr, nullptr, nullptr, nullptr,
                         SW_INVALIDATE | SW_ERASE | SW_SCROLLCHILDREN);
    else
        ::ScrollWindowEx(m_hWnd, 0, -delta, nullptr, nullptr, nullptr, nullptr,
                         SW_INVALIDATE | SW_ERASE | SW_SCROLLCHILDREN);
    UpdateWindow();
}

void CScrollWnd::OnHScroll(UINT code, UINT pos, CScrollBar*)
{
    Scroll(SB_HORZ, code, static_cast<int>(pos));
}

void CScrollWnd::OnVScroll(UINT code, UINT pos, CScrollBar*)
{
    Scroll(SB_VERT, code, static_cast<int>(pos));
}
