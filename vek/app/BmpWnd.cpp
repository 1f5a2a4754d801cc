#include "vek/app/BmpWnd.h"

#include <algorithm>

#include "vek/model/AppHelpers.h"

IMPLEMENT_DYNAMIC(CBmpWnd, CScrollWnd)

BEGIN_MESSAGE_MAP(CBmpWnd, CScrollWnd)
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

BOOL CBmpWnd::Create(const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(nullptr, "", WS_CHILD | WS_VISIBLE, rect, parent, id);
}

bool CBmpWnd::LoadImageFile(const char* name)
{
    char path[260];
    return LoadPicture(GetResourcePath(name, path));
}

bool CBmpWnd::LoadPicture(const char* path)
{
    const bool ok = m_image.Load(path);
    m_nHover = m_nSelected = -1;
    Layout();
    if (m_hWnd) Invalidate();
    return ok;
}

void CBmpWnd::SetColumns(int columns)
{
    m_nColumns = std::max(columns, 1);
    if (!m_image.IsEmpty()) Layout();
}

void CBmpWnd::Layout()
{
    const int h = !m_image.IsEmpty() ? static_cast<int>(m_image.GetHeight()) : 0;
    const int w = !m_image.IsEmpty() ? static_cast<int>(m_image.GetWidth()) : 0;
    m_nCells = h > 0 ? (w + 1) / h : 0;
    m_nRows = (m_nCells + m_nColumns - 1) / m_nColumns;
    if (m_hWnd) SetContentSize(m_nColumns * h, m_nRows * h);
}

CRect CBmpWnd::CellRect(int cell) const
{
    const int h = static_cast<int>(m_image.GetHeight());
    const int column = cell % m_nColumns, row = cell / m_nColumns;
    return CRect(column * h, row * h, (column + 1) * h, (row + 1) * h);
}

CRect CBmpWnd::ClientCellRect(int cell) const
{
    CRect r = CellRect(cell);
    r.OffsetRect(-m_nScrollX, -m_nScrollY);
    return r;
}

int CBmpWnd::CellAt(CPoint content) const
{
    for (int i = 0; i < m_nCells; ++i)
        if (CellRect(i).PtInRect(content)) return i;
    return -1;
}

void CBmpWnd::OnDraw(CDC* dc)
{
    if (!!m_image.IsEmpty() || m_nCells <= 0) return;
    const int h = static_cast<int>(m_image.GetHeight());
    CRect box;
    dc->GetClipBox(&box);
    for (int i = 0; i < m_nCells; ++i) {
        CRect dest = CellRect(i), overlap;
        if (!overlap.IntersectRect(&dest, &box)) continue;
        const RECT source{i * h, 0, (i + 1) * h, h};
        m_image.Draw(dc->GetSafeHdc(), dest.left, dest.top, h, h, &source);
        if (i == m_nHover)
            ::DrawEdge(dc->GetSafeHdc(), &dest, EDGE_RAISED, BF_RECT);
        else if (i == m_nSelected)
            ::DrawEdge(dc->GetSafeHdc(), &dest, EDGE_ETCHED, BF_RECT);
    }
}

void CBmpWnd::OnMouseMove(UINT flags, CPoint point)
{
    CScrollWnd::OnMouseMove(flags, point);
    const int cell = CellAt(CPoint(point.x + m_nScrollX, point.y + m_nScrollY));
    if (cell == m_nHover) return;
    // Only the two cells repaint, as one region.
    CRgn region;
    region.CreateRectRgn(0, 0, 0, 0);
    for (int c : {m_nHover, cell}) {
        if (c < 0) continue;
        CRgn one;
        one.CreateRectRgnIndirect(ClientCellRect(c));
        region.CombineRgn(&region, &one, RGN_OR);
    }
    m_nHover = cell;
    ::InvalidateRgn(m_hWnd, static_cast<HRGN>(region.m_hObject), TRUE);
}

void CBmpWnd::OnLButtonDown(UINT flags, CPoint point)
{
    CScrollWnd::OnLButtonDown(flags, point);
    if (m_nHover < 0) return;
    const int old = m_nSelected;
    m_nSelected = m_nHover;
    if (old >= 0) InvalidateRect(ClientCellRect(old));
    InvalidateRect(ClientCellRect(m_nSelected));
    if (CWnd* parent = GetParent()) parent->SendMessage(WM_BMPWND_CELL, static_cast<WPARAM>(m_nSelected), 0);
}
