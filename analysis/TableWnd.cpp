// The grid window: creation, the cell operations over the model, drawing and
// scrolling. Editing, keys and the mouse are in TableWndInput.cpp; import and
// auto-fill in TableFill.cpp.
#include "analysis/TableWnd.h"

#include <cstdio>
#include <cstring>

IMPLEMENT_DYNAMIC(CTableWnd, CWnd)

// clang-format off
BEGIN_MESSAGE_MAP(CTableWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_SIZE()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_SETCURSOR()
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_ENABLE()
    ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()
// clang-format on

namespace {
CTableColors SystemColors()
{
    CTableColors c;
    c.window = ::GetSysColor(COLOR_WINDOW);
    c.face = ::GetSysColor(COLOR_BTNFACE);
    c.text = ::GetSysColor(COLOR_WINDOWTEXT);
    return c;
}

int ClampPixel(int64_t v)
{
    const int64_t lim = int64_t(1) << 30;
    return int(v < -lim ? -lim : v > lim ? lim : v);
}
}  // namespace

// ---- construction ---------------------------------------------------------------------

CTableWnd::CTableWnd(int rows, int cols)
    : m_crBackground(::GetSysColor(COLOR_BTNFACE)),
      m_table(rows, cols, SystemColors()),
      m_pEdit(new CTableEdit(this)),
      m_hResizeCursor(::LoadCursor(nullptr, IDC_SIZEWE)),
      m_hArrowCursor(::LoadCursor(nullptr, IDC_ARROW))
{
    m_rcActive.SetRectEmpty();
}

CTableWnd::~CTableWnd()
{
    // The window and its editor go first: their handlers use what follows.
    if (m_hWnd && ::IsWindow(m_hWnd)) DestroyWindow();
    delete m_pEdit;
    delete m_pDefaultFont;
    delete m_pBoldFont;
    for (int i = 0; i < m_brushes.GetSize(); ++i) delete m_brushes[i];
    for (int i = 0; i < m_fonts.GetSize(); ++i) delete m_fonts[i];
    delete m_pGridPen;
}

BOOL CTableWnd::Create(const RECT& rect, CWnd* parent, UINT id)
{
    if (m_table.GetColCount() < 2) return FALSE;
    return CWnd::Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, rect, parent, id);
}

BOOL CTableWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CWnd::PreCreateWindow(cs)) return FALSE;
    cs.style |= WS_HSCROLL | WS_VSCROLL;
    return TRUE;
}

int CTableWnd::OnCreate(LPCREATESTRUCT cs)
{
    if (CWnd::OnCreate(cs) == -1) return -1;
    const int cols = m_table.GetColCount();
    // The default column width divides by the data columns.
    if (cols < 2) return -1;
    if (!m_pEdit->Create(WS_CHILD | WS_BORDER | ES_WANTRETURN | ES_AUTOHSCROLL, CRect(0, 0, 0, 0), this, 201))
        return -1;

    // A grid made again (a dialog shown twice) makes its fonts and pen again.
    delete m_pDefaultFont;
    delete m_pBoldFont;
    delete m_pGridPen;
    m_pGridPen = nullptr;
    m_rcActive.SetRectEmpty();
    LOGFONT lf{};
    lf.lfHeight = HeightInPixels(9);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    std::strcpy(lf.lfFaceName, "宋体");
    m_pDefaultFont = new CFont;
    if (!m_pDefaultFont->CreateFontIndirect(&lf)) {
        ::GetObjectA(::GetStockObject(ANSI_VAR_FONT), sizeof lf, &lf);
        m_pDefaultFont->CreateFontIndirect(&lf);
    }
    // The table's record of the font is the one the system keeps.
    m_pDefaultFont->GetLogFont(&lf);
    LOGFONT bold = lf;
    bold.lfWeight = FW_BOLD;
    m_pBoldFont = new CFont;
    m_pBoldFont->CreateFontIndirect(&bold);

    TEXTMETRIC tm{};
    {
        CClientDC dc(this);
        CFont* old = dc.SelectObject(m_pDefaultFont);
        dc.GetTextMetrics(&tm);
        dc.SelectObject(old);
    }
    const int average = tm.tmAveCharWidth > 0 ? tm.tmAveCharWidth : 1;
    const int col0 = 8 * average;
    int width = (cs->cx - col0 - ::GetSystemMetrics(SM_CYHSCROLL)) / (cols - 1);
    if (width < 6 * average) width = 6 * average;
    m_table.InitGeometry(tm.tmHeight * 5 / 3, col0, width);
    if (!m_table.InitTables(lf)) return -1;

    const int rows = m_table.GetRowCount();
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF window = ::GetSysColor(COLOR_WINDOW);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            if (r == 0 || c == 0) {
                SetCellColor(r, c, face);
                SetCellAlign(r, c, kTableAlignCenter);
            } else {
                SetCellColor(r, c, window);
            }
        }
    }
    m_pGridPen = new CPen;
    if (!m_pGridPen->CreatePen(PS_SOLID, 1, face)) {
        delete m_pGridPen;
        m_pGridPen = nullptr;
    }
    return 0;
}

int CTableWnd::HeightInPixels(int points)
{
    HDC dc = ::GetDC(m_hWnd);
    const int dpi = ::GetDeviceCaps(dc, LOGPIXELSY);
    ::ReleaseDC(m_hWnd, dc);
    return -::MulDiv(points, dpi, 72);
}

// ---- cells --------------------------------------------------------------------------------

void CTableWnd::GetCellPosition(int index, int& row, int& col)
{
    if (index < 0 || index >= m_table.GetCellCount()) {
        row = col = -1;
        char text[64];
        std::snprintf(text, sizeof text, "Cell index %d is not valid\n", index);
        ::OutputDebugStringA(text);
        return;
    }
    row = index / m_table.GetColCount();
    col = index % m_table.GetColCount();
}

int CTableWnd::GetCellIndex(int row, int col)
{
    const int i = m_table.CellIndex(row, col);
    if (i < 0) {
        char text[80];
        std::snprintf(text, sizeof text, "Cell page idx (%d, %d) is not valid\n", row, col);
        ::OutputDebugStringA(text);
    }
    return i;
}

CTableCell* CTableWnd::GetCell(int row, int col)
{
    return m_table.CellAt(GetCellIndex(row, col));
}

CTableCell* CTableWnd::GetCell(int index)
{
    return m_table.CellAt(index);
}

CBrush* CTableWnd::BrushAt(int index)
{
    if (index < 0 || index >= m_table.GetBrushCount()) return nullptr;
    while (m_brushes.GetSize() <= index) {
        auto* brush = new CBrush;
        brush->CreateSolidBrush(m_table.GetBrushColor(m_brushes.GetSize()));
        m_brushes.Add(brush);
    }
    return m_brushes[index];
}

CFont* CTableWnd::FontAt(int index)
{
    if (index < 0 || index >= m_table.GetFontCount()) return nullptr;
    while (m_fonts.GetSize() <= index) {
        auto* font = new CFont;
        LOGFONT lf = m_table.GetFont(m_fonts.GetSize());
        font->CreateFontIndirect(&lf);
        m_fonts.Add(font);
    }
    return m_fonts[index];
}

COLORREF CTableWnd::GetCellColor(int row, int col)
{
    const CTableCell* cell = GetCell(row, col);
    if (!cell || cell->m_nBrush < 0 || cell->m_nBrush >= m_table.GetBrushCount()) return ::GetSysColor(COLOR_WINDOW);
    return m_table.GetBrushColor(cell->m_nBrush);
}

int CTableWnd::SetCellColor(int row, int col, COLORREF color)
{
    CTableCell* cell = GetCell(row, col);
    if (!cell) return -1;
    const int i = m_table.FindOrAddBrush(color);
    if (i < 0) return -1;
    BrushAt(i);
    cell->m_nBrush = i;
    return i;
}

CBrush* CTableWnd::GetCellBrush(int row, int col)
{
    const CTableCell* cell = GetCell(row, col);
    return cell ? BrushAt(cell->m_nBrush) : nullptr;
}

int CTableWnd::SetCellText(int row, int col, const char* text)
{
    CTableCell* cell = GetCell(row, col);
    return cell && cell->SetText(text) ? 1 : 0;
}

int CTableWnd::GetCellText(int row, int col, char* buf, int size)
{
    return TableCellText(GetCell(row, col), buf, size);
}

char* CTableWnd::GetCellTextPtr(int row, int col)
{
    CTableCell* cell = GetCell(row, col);
    return cell ? cell->m_pText : nullptr;
}

int CTableWnd::GetRowCount()
{
    return m_table.GetRowCount();
}

int CTableWnd::GetColCount()
{
    return m_table.GetColCount();
}

HFONT CTableWnd::GetCellFontHandle(int row, int col)
{
    CFont* font = GetCellFont(row, col);
    return font ? static_cast<HFONT>(font->m_hObject) : nullptr;
}

CFont* CTableWnd::GetCellFont(int row, int col)
{
    const CTableCell* cell = GetCell(row, col);
    return cell ? FontAt(cell->m_nFont) : nullptr;
}

int CTableWnd::SetCellFont(int row, int col, LOGFONT* lf)
{
    CTableCell* cell = GetCell(row, col);
    if (!cell || !lf) return -1;
    const int i = m_table.FindOrAddFont(*lf);
    if (i < 0) return -1;
    FontAt(i);
    cell->m_nFont = i;
    return i;
}

int CTableWnd::SetCellFont(int row, int col, int index)
{
    CTableCell* cell = GetCell(row, col);
    if (!cell) return -1;
    if (index >= 0 && index < m_table.GetFontCount()) cell->m_nFont = index;
    return cell->m_nFont;
}

int CTableWnd::SetCellFont(int row, int col, HFONT font)
{
    LOGFONT lf{};
    if (!font || !::GetObjectA(font, sizeof lf, &lf)) return -1;
    return SetCellFont(row, col, &lf);
}

void CTableWnd::SetCellAlign(int row, int col, short align)
{
    if (CTableCell* cell = GetCell(row, col)) cell->m_nAlign = align;
}

short CTableWnd::GetCellAlign(int row, int col)
{
    const CTableCell* cell = GetCell(row, col);
    return cell ? cell->m_nAlign : 0;
}

COLORREF CTableWnd::GetCellTextColor(int row, int col)
{
    const CTableCell* cell = GetCell(row, col);
    return cell ? cell->m_crText : ::GetSysColor(COLOR_WINDOWTEXT);
}

void CTableWnd::SetCellTextColor(int row, int col, COLORREF color)
{
    if (CTableCell* cell = GetCell(row, col)) cell->m_crText = color;
}

CFont* CTableWnd::GetDefaultFont()
{
    return m_pDefaultFont;
}

// ---- drawing ------------------------------------------------------------------------------

void CTableWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect update(dc.m_ps.rcPaint);
    const int saved = dc.SaveDC();
    Paint(dc, dc.m_ps.fErase, update);
    dc.RestoreDC(saved);
}

void CTableWnd::Paint(CDC& dc, int, CRect& update)
{
    if (!m_table.HasTables()) return;
    BOUND b = m_table.VisibleRange(update);
    Draw_ZeroZero(dc, update);
    Draw_ZeroRow(dc, b);
    Draw_ZeroCol(dc, b);
    Draw_Contents(dc, b);
    if (m_bGridLines) Draw_Grid(dc, b);
    if (!m_pEdit->IsWindowVisible() && ::GetFocus() == m_hWnd) MarkActiveCell(0, 1);
    CBrush background(m_crBackground);
    CBrush* old = dc.SelectObject(&background);
    if (b.right < update.right) dc.PatBlt(b.right, update.top, update.right - b.right, update.Height(), PATCOPY);
    if (b.bottom < update.bottom) dc.PatBlt(update.left, b.bottom, update.Width(), update.bottom - b.bottom, PATCOPY);
    dc.SelectObject(old);
}

void CTableWnd::Draw_ZeroZero(CDC& dc, CRect& update)
{
    const int w = m_table.GetColWidth(0);
    const int h = m_table.GetRowHeight(0);
    if (update.left >= w && update.top >= h && !m_bResizing) return;
    CRect corner(0, 0, w + 1, h + 1);
    dc.DrawEdge(&corner, EDGE_ETCHED, BF_RECT | BF_MIDDLE);
    int left[3], right[3];
    GetCornerButtons(left, right);
    for (int i = 0; i < 3; ++i) DrawAddOrDelButton(dc, left[i], 2, right[i], h - 2, CornerButtonText(i));
}

const char* CTableWnd::CornerButtonText(int i)
{
    static const char* const texts[3] = {"F", "导", "+"};
    return texts[i];
}

// The three buttons share column 0 between 2-pixel margins and 1-pixel
// gaps in proportion to their texts and edges: an ideograph is about twice
// an average character, so equal shares clip it.
void CTableWnd::GetCornerButtons(int left[3], int right[3])
{
    const int w = m_table.GetColWidth(0);
    int need[3], total = 0;
    {
        CClientDC dc(this);
        CFont* old = m_pDefaultFont ? dc.SelectObject(m_pDefaultFont) : nullptr;
        for (int i = 0; i < 3; ++i) {
            const char* text = CornerButtonText(i);
            need[i] = dc.GetTextExtent(text, int(std::strlen(text))).cx + 2;
            total += need[i];
        }
        if (old) dc.SelectObject(old);
    }
    const int room = w - 6;
    int x = 2;
    for (int i = 0; i < 3; ++i) {
        left[i] = x;
        right[i] = i == 2 ? w - 2 : x + (total > 0 ? need[i] * room / total : room / 3);
        x = right[i] + 1;
    }
}

void CTableWnd::Draw_ZeroRow(CDC& dc, BOUND& b)
{
    const int h = m_table.GetRowHeight(0);
    int x = b.left;
    for (int c = b.firstCol; c < b.endCol; ++c) {
        CRect r(x, 0, x + m_table.GetColWidth(c), h);
        dc.DrawEdge(&r, BDR_RAISEDINNER, BF_RECT | BF_MIDDLE);
        DrawCellText(dc, 0, c, r);
        x = r.right;
    }
}

void CTableWnd::RowButtons(CDC& dc, int top, int bottom)
{
    const int w = m_table.GetColWidth(0);
    DrawAddOrDelButton(dc, 2, top + 2, 2 * w / 5, bottom - 2, "-");
    DrawAddOrDelButton(dc, w - 2 * w / 5, top + 2, w - 2, bottom - 2, "+");
}

void CTableWnd::Draw_ZeroCol(CDC& dc, BOUND& b)
{
    const int w = m_table.GetColWidth(0);
    int y = b.top;
    for (int r = b.firstRow; r < b.endRow; ++r) {
        CRect rc(0, y, w, y + m_table.GetRowHeight(r));
        dc.DrawEdge(&rc, BDR_RAISEDINNER, BF_RECT | BF_MIDDLE);
        DrawCellText(dc, r, 0, rc);
        RowButtons(dc, rc.top, rc.bottom);
        y = rc.bottom;
    }
}

void CTableWnd::Draw_Contents(CDC& dc, BOUND& b)
{
    int y = b.top;
    for (int r = b.firstRow; r < b.endRow; ++r) {
        const int h = m_table.GetRowHeight(r);
        int x = b.left;
        for (int c = b.firstCol; c < b.endCol; ++c) {
            const int w = m_table.GetColWidth(c);
            if (CBrush* brush = GetCellBrush(r, c)) {
                dc.SelectObject(brush);
                dc.PatBlt(x, y, w, h, PATCOPY);
            }
            DrawCellText(dc, r, c, CRect(x, y, x + w, y + h));
            x += w;
        }
        y += h;
    }
}

void CTableWnd::Draw_Grid(CDC& dc, BOUND& b)
{
    if (m_pGridPen) dc.SelectObject(m_pGridPen);
    int y = b.top;
    for (int r = b.firstRow; r < b.endRow; ++r) {
        dc.MoveTo(b.left, y);
        dc.LineTo(b.right, y);
        y += m_table.GetRowHeight(r);
    }
    int x = b.left;
    for (int c = b.firstCol; c < b.endCol; ++c) {
        dc.MoveTo(x, b.top);
        dc.LineTo(x, b.bottom);
        x += m_table.GetColWidth(c);
    }
}

void CTableWnd::DrawCellText(CDC& dc, int row, int col, CRect r)
{
    const CTableCell* cell = GetCell(row, col);
    if (!cell || !cell->m_pText) return;
    r.DeflateRect(1, 1);
    if (dc.GetBkMode() != TRANSPARENT) dc.SetBkMode(TRANSPARENT);
    if (CFont* font = FontAt(cell->m_nFont)) dc.SelectObject(font);
    int x;
    switch (cell->m_nAlign) {
        case kTableAlignRight: x = r.right - 2; break;
        case kTableAlignCenter: x = (r.left + r.right) / 2; break;
        default: x = r.left + 2; break;
    }
    const UINT align = cell->m_nAlign == kTableAlignRight || cell->m_nAlign == kTableAlignCenter ? UINT(cell->m_nAlign)
                                                                                                 : UINT(TA_LEFT);
    dc.SetTextAlign(align | TA_BOTTOM);
    dc.SetTextColor(cell->m_crText);
    dc.ExtTextOut(x, r.bottom - 2, ETO_CLIPPED, &r, cell->m_pText, UINT(std::strlen(cell->m_pText)), nullptr);
}

void CTableWnd::DrawAddOrDelButton(CDC& dc, int left, int top, int right, int bottom, const char* text)
{
    CRect r(left, top, right, bottom);
    dc.DrawEdge(&r, BDR_RAISEDINNER, BF_RECT | BF_MIDDLE);
    dc.SetBkMode(TRANSPARENT);
    if (m_pDefaultFont) dc.SelectObject(m_pDefaultFont);
    dc.SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    const int n = int(std::strlen(text));
    const CSize extent = dc.GetTextExtent(text, n);
    dc.SetTextAlign(TA_CENTER | TA_BOTTOM);
    dc.ExtTextOut((left + right) / 2, (extent.cy + top + bottom) / 2, ETO_CLIPPED, &r, text, UINT(n), nullptr);
}

// ---- scrolling ----------------------------------------------------------------------------

void CTableWnd::AdjustScrollBars()
{
    if (!m_hWnd || m_nAdjusting > 2) return;
    ++m_nAdjusting;  // showing or hiding a bar sizes the client area again
    CRect client;
    GetClientRect(&client);
    m_table.AdjustPages(client.right, client.bottom);
    const CTableScrollData& s = m_table.Scroll();
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMax = s.m_nMaxCol;
    si.nPage = UINT(s.m_nPageCols);
    si.nPos = s.m_nFirstCol;
    SetScrollInfo(SB_HORZ, &si, TRUE);
    si.nMax = s.m_nMaxRow;
    si.nPage = UINT(s.m_nPageRows);
    si.nPos = s.m_nFirstRow;
    SetScrollInfo(SB_VERT, &si, TRUE);
    ShowScrollBar(SB_VERT, s.m_nFirstRow != 0 || m_table.GetTotalHeight() > client.Height());
    ShowScrollBar(SB_HORZ, s.m_nFirstCol != 0 || m_table.GetTotalWidth() > client.Width());
    --m_nAdjusting;
}

void CTableWnd::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    if (type == SIZE_MINIMIZED || !m_table.HasTables()) return;
    AdjustScrollBars();
    Invalidate(FALSE);
}

void CTableWnd::OnHScroll(UINT code, UINT, CScrollBar*)
{
    Scroll(false, code);
}

void CTableWnd::OnVScroll(UINT code, UINT, CScrollBar*)
{
    Scroll(true, code);
}

void CTableWnd::Scroll(bool vertical, UINT code)
{
    EditAccept(1);
    const CTableScrollData& s = m_table.Scroll();
    const int first = vertical ? s.m_nFirstRow : s.m_nFirstCol;
    const int page = vertical ? s.m_nPageRows : s.m_nPageCols;
    const int bar = vertical ? SB_VERT : SB_HORZ;
    int step = 0;
    switch (code) {
        case SB_LINEUP: step = -1; break;
        case SB_LINEDOWN: step = 1; break;
        case SB_PAGEUP: step = -page; break;
        case SB_PAGEDOWN: step = page; break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK: {
            // The message carries 16 bits of the position; the bar's tracking
            // position has all 32 when the message comes from the bar itself.
            const MSG* msg = GetCurrentMessage();
            const int sent = msg ? int(HIWORD(msg->wParam)) : first;
            SCROLLINFO si{};
            si.cbSize = sizeof si;
            GetScrollInfo(bar, &si, SIF_TRACKPOS);
            const int pos = (si.nTrackPos & 0xFFFF) == sent ? si.nTrackPos : sent;
            step = pos - first;
            break;
        }
        case SB_TOP: step = -first; break;
        case SB_BOTTOM: step = (vertical ? s.m_nMaxRow : s.m_nMaxCol) - first; break;
        default: return;
    }
    if (step == 0) {
        // The end of a drag: the bar shows where the thumb was let go.
        if (code == SB_THUMBPOSITION) SetScrollPos(bar, first, TRUE);
        return;
    }
    const int64_t distance = vertical ? m_table.ScrollRows(step) : m_table.ScrollCols(step);
    CRect area;
    GetClientRect(&area);
    if (vertical)
        area.top = m_table.GetRowHeight(0);
    else
        area.left = m_table.GetColWidth(0);
    const int64_t extent = vertical ? area.Height() : area.Width();
    // Content that moves by more than the area is all new.
    const int shift = ClampPixel(distance < -extent ? -extent - 1 : distance > extent ? extent + 1 : distance);
    if (shift != 0)
        ::ScrollWindowEx(m_hWnd, vertical ? 0 : shift, vertical ? shift : 0, &area, &area, nullptr, nullptr,
                         SW_INVALIDATE | SW_ERASE);
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_POS;
    si.nPos = vertical ? s.m_nFirstRow : s.m_nFirstCol;
    // While the thumb is dragged the bar draws it itself.
    SetScrollInfo(bar, &si, code != SB_THUMBTRACK);
    const int move = ClampPixel(distance);
    if (!m_rcActive.IsRectEmpty()) {
        m_rcActive.SetRect(ClampPixel(int64_t(m_rcActive.left) + (vertical ? 0 : move)),
                           ClampPixel(int64_t(m_rcActive.top) + (vertical ? move : 0)),
                           ClampPixel(int64_t(m_rcActive.right) + (vertical ? 0 : move)),
                           ClampPixel(int64_t(m_rcActive.bottom) + (vertical ? move : 0)));
    }
    UpdateWindow();
}

void CTableWnd::OnEnable(BOOL enable)
{
    const int rows = m_table.GetRowCount();
    if (rows >= 2 && m_table.HasTables()) {
        const COLORREF color = ::GetSysColor(enable ? COLOR_WINDOW : COLOR_BTNFACE);
        for (int r = 1; r < rows; ++r)
            for (int c = 1; c < m_table.GetColCount(); ++c) SetCellColor(r, c, color);
    }
    CWnd::OnEnable(enable);
    Invalidate(TRUE);
}
