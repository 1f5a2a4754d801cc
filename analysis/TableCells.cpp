#include "analysis/TableCells.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>

#include "korvalib/base/Gbk.h"

// ---- memory ---------------------------------------------------------------------------

namespace {
std::atomic<long> g_allocsLeft{-1};

bool MayAllocate()
{
    long left = g_allocsLeft.load();
    while (left >= 0) {
        if (left == 0) return false;
        if (g_allocsLeft.compare_exchange_weak(left, left - 1)) return true;
    }
    return true;
}

int64_t Clamp64(int64_t v, int64_t lo, int64_t hi)
{
    return v < lo ? lo : v > hi ? hi : v;
}

// Client coordinates far outside the window stay within an int.
int ToPixel(int64_t v)
{
    return int(Clamp64(v, -(int64_t(1) << 30), int64_t(1) << 30));
}
}  // namespace

void* TableAlloc(size_t size)
{
    return MayAllocate() ? std::malloc(size ? size : 1) : nullptr;
}

void* TableRealloc(void* p, size_t size)
{
    return MayAllocate() ? std::realloc(p, size ? size : 1) : nullptr;
}

void TableFree(void* p)
{
    std::free(p);
}

void TableFailAllocAfter(long successes)
{
    g_allocsLeft = successes;
}

size_t TableCutLength(const char* text, size_t len, size_t max)
{
    if (len <= max) return len;
    size_t i = 0;
    while (i < len) {
        const size_t n = gbk::CharLength(text, i, len);
        if (i + n > max) break;
        i += n;
    }
    return i;
}

// ---- cells ----------------------------------------------------------------------------

CTableCell::~CTableCell()
{
    if (m_pText != m_szShort) TableFree(m_pText);
}

bool CTableCell::SetText(const char* text)
{
    if (!text) text = "";
    const size_t len = std::strlen(text);
    if (len < sizeof m_szShort) {
        // The text may be this cell's own.
        std::memmove(m_szShort, text, len + 1);
        if (m_pText != m_szShort) TableFree(m_pText);
        m_pText = m_szShort;
        return true;
    }
    char* copy = static_cast<char*>(TableAlloc(len + 1));
    if (!copy) return false;
    std::memcpy(copy, text, len + 1);
    if (m_pText != m_szShort) TableFree(m_pText);
    m_pText = copy;
    return true;
}

void CTableCell::CopyLook(const CTableCell& other)
{
    m_nBrush = other.m_nBrush;
    m_nAlign = other.m_nAlign;
    m_crText = other.m_crText;
    m_nFont = other.m_nFont;
}

int TableCellText(const CTableCell* cell, char* buf, int size)
{
    if (!buf || size < 1) return 0;
    buf[0] = 0;
    buf[size - 1] = 0;
    if (!cell || !cell->m_pText) return 0;
    const size_t len = std::strlen(cell->m_pText);
    const size_t n = TableCutLength(cell->m_pText, len, size_t(size) - 1);
    std::memcpy(buf, cell->m_pText, n);
    buf[n] = 0;
    return 1;
}

// ---- the table ----------------------------------------------------------------------------

// ---- the cells' blocks ------------------------------------------------------------------------

struct CTableCellPool::Block {
    Block* next;
};

namespace {
constexpr size_t kCellSlot = (sizeof(CTableCell) + alignof(CTableCell) - 1) / alignof(CTableCell) * alignof(CTableCell);
constexpr size_t kBlockHead = (sizeof(void*) + alignof(CTableCell) - 1) / alignof(CTableCell) * alignof(CTableCell);
constexpr size_t kMaxBlockCells = size_t(1) << 11;
}  // namespace

CTableCellPool::~CTableCellPool()
{
    while (m_pBlocks) {
        Block* next = m_pBlocks->next;
        TableFree(m_pBlocks);
        m_pBlocks = next;
    }
}

CTableCell* CTableCellPool::New(COLORREF textColor)
{
    void* slot = m_pFree;
    if (slot) {
        m_pFree = *static_cast<void**>(slot);
    } else {
        if (m_nLeft == 0) {
            auto* block = static_cast<Block*>(TableAlloc(kBlockHead + m_nBlockCells * kCellSlot));
            if (!block) return nullptr;
            block->next = m_pBlocks;
            m_pBlocks = block;
            m_pNext = reinterpret_cast<char*>(block) + kBlockHead;
            m_nLeft = m_nBlockCells;
            if (m_nBlockCells < kMaxBlockCells) m_nBlockCells *= 2;
        }
        slot = m_pNext;
        m_pNext += kCellSlot;
        --m_nLeft;
    }
    return ::new (slot) CTableCell(textColor);
}

void CTableCellPool::Delete(CTableCell* cell)
{
    if (!cell) return;
    cell->~CTableCell();
    *reinterpret_cast<void**>(cell) = m_pFree;
    m_pFree = cell;
}

bool CTableCellPool::NewCells(CTableCell** out, int64_t count, COLORREF textColor)
{
    for (int64_t i = 0; i < count; ++i) {
        out[i] = New(textColor);
        if (!out[i]) {
            while (i > 0) Delete(out[--i]);
            return false;
        }
    }
    return true;
}

// ---- the table ----------------------------------------------------------------------------

namespace {
template <class T>
bool Grow(T*& block, int64_t count)
{
    void* p = TableRealloc(block, size_t(count) * sizeof(T));
    if (!p) return false;
    block = static_cast<T*>(p);
    return true;
}

// A smaller block; keeps the larger one when the system will not move it.
template <class T>
void Shrink(T*& block, int64_t count)
{
    if (void* p = TableRealloc(block, size_t(count > 0 ? count : 1) * sizeof(T))) block = static_cast<T*>(p);
}
}  // namespace

CTableModel::CTableModel(int rows, int cols, const CTableColors& colors) : m_colors(colors)
{
    if (rows < 1) rows = 1;
    if (cols < 1) cols = 1;
    // The largest of: the table asked for, its header row, one cell.
    const int tries[3][2] = {{rows, cols}, {1, cols}, {1, 1}};
    for (const auto& t : tries) {
        const int64_t cells = int64_t(t[0]) * t[1];
        if (cells > kTableMaxCells) continue;
        auto* c = static_cast<CTableCell**>(TableAlloc(size_t(cells) * sizeof(CTableCell*)));
        auto* tops = static_cast<int64_t*>(TableAlloc(size_t(t[0] + 1) * sizeof(int64_t)));
        auto* widths = static_cast<int*>(TableAlloc(size_t(t[1]) * sizeof(int)));
        if (c && tops && widths && m_pool.NewCells(c, cells, m_colors.text)) {
            m_ppCells = c;
            m_pRowTop = tops;
            m_pColWidth = widths;
            m_nRows = t[0];
            m_nCols = t[1];
            break;
        }
        TableFree(c);
        TableFree(tops);
        TableFree(widths);
    }
    if (!m_ppCells) {
        // Not even one cell from the table's memory: the system's, for the
        // single cell of a table that can then only be destroyed.
        m_nRows = 1;
        m_nCols = 1;
        m_ppCells = static_cast<CTableCell**>(std::malloc(sizeof(CTableCell*)));
        m_pRowTop = static_cast<int64_t*>(std::malloc(2 * sizeof(int64_t)));
        m_pColWidth = static_cast<int*>(std::malloc(sizeof(int)));
        if (!m_ppCells || !m_pRowTop || !m_pColWidth) std::abort();
        m_ppCells[0] = m_pool.New(m_colors.text);
        if (!m_ppCells[0]) std::abort();
    }
    for (int r = 0; r <= m_nRows; ++r) m_pRowTop[r] = 0;
    for (int c = 0; c < m_nCols; ++c) m_pColWidth[c] = 0;
    m_scroll.m_nMaxCol = m_nCols - 1;
    m_scroll.m_nMaxRow = m_nRows - 1;
    m_nActiveRow = m_nPrevRow = m_nRows - 1;
    m_nActiveCol = m_nPrevCol = m_nCols > 1 ? 1 : 0;
}

CTableModel::~CTableModel()
{
    const int n = GetCellCount();
    if (m_ppCells)
        for (int i = 0; i < n; ++i) m_pool.Delete(m_ppCells[i]);
    TableFree(m_ppCells);
    TableFree(m_pRowTop);
    TableFree(m_pColWidth);
    TableFree(m_pBrushes);
    TableFree(m_pFonts);
}

int CTableModel::CellIndex(int row, int col) const
{
    if (row < 0 || row >= m_nRows || col < 0 || col >= m_nCols) return -1;
    return row * m_nCols + col;
}

CTableCell* CTableModel::Cell(int row, int col) const
{
    const int i = CellIndex(row, col);
    return i < 0 ? nullptr : m_ppCells[i];
}

CTableCell* CTableModel::CellAt(int index) const
{
    return index < 0 || index >= GetCellCount() ? nullptr : m_ppCells[index];
}

int CTableModel::SetCellText(int row, int col, const char* text)
{
    CTableCell* cell = Cell(row, col);
    return cell && cell->SetText(text) ? 1 : 0;
}

const char* CTableModel::GetCellTextPtr(int row, int col) const
{
    const CTableCell* cell = Cell(row, col);
    return cell ? cell->m_pText : nullptr;
}

int CTableModel::SetCellColor(int row, int col, COLORREF color)
{
    CTableCell* cell = Cell(row, col);
    if (!cell) return -1;
    const int i = FindOrAddBrush(color);
    if (i >= 0) cell->m_nBrush = i;
    return i;
}

COLORREF CTableModel::GetCellColor(int row, int col) const
{
    const CTableCell* cell = Cell(row, col);
    if (!cell || cell->m_nBrush < 0 || cell->m_nBrush >= m_nBrushes) return m_colors.window;
    return m_pBrushes[cell->m_nBrush];
}

int CTableModel::SetCellFont(int row, int col, const TableLogFont& lf)
{
    CTableCell* cell = Cell(row, col);
    if (!cell) return -1;
    const int i = FindOrAddFont(lf);
    if (i >= 0) cell->m_nFont = i;
    return i;
}

int CTableModel::SetCellFontIndex(int row, int col, int index)
{
    CTableCell* cell = Cell(row, col);
    if (!cell) return -1;
    if (index >= 0 && index < m_nFonts) cell->m_nFont = index;
    return cell->m_nFont;
}

// ---- brush and font tables ------------------------------------------------------------------

bool CTableModel::InitTables(const TableLogFont& lf)
{
    if (HasTables()) return true;
    auto* brushes = static_cast<COLORREF*>(TableAlloc(2 * sizeof(COLORREF)));
    auto* fonts = static_cast<TableLogFont*>(TableAlloc(sizeof(TableLogFont)));
    if (!brushes || !fonts) {
        TableFree(brushes);
        TableFree(fonts);
        return false;
    }
    brushes[0] = m_colors.face;
    brushes[1] = m_colors.window;
    fonts[0] = Normalised(lf);
    m_pBrushes = brushes;
    m_nBrushes = 2;
    m_pFonts = fonts;
    m_nFonts = 1;
    return true;
}

int CTableModel::FindOrAddBrush(COLORREF color)
{
    if (!HasTables()) return -1;
    for (int i = 0; i < m_nBrushes; ++i)
        if (m_pBrushes[i] == color) return i;
    if (!Grow(m_pBrushes, int64_t(m_nBrushes) + 1)) return -1;
    m_pBrushes[m_nBrushes] = color;
    return m_nBrushes++;
}

TableLogFont CTableModel::Normalised(const TableLogFont& lf)
{
    TableLogFont n = lf;
    const size_t len = strnlen(n.lfFaceName, sizeof n.lfFaceName);
    if (len < sizeof n.lfFaceName) std::memset(n.lfFaceName + len, 0, sizeof n.lfFaceName - len);
    return n;
}

int CTableModel::FindOrAddFont(const TableLogFont& lf)
{
    if (!HasTables()) return -1;
    const TableLogFont n = Normalised(lf);
    for (int i = 0; i < m_nFonts; ++i)
        if (std::memcmp(&m_pFonts[i], &n, sizeof n) == 0) return i;
    if (!Grow(m_pFonts, int64_t(m_nFonts) + 1)) return -1;
    m_pFonts[m_nFonts] = n;
    return m_nFonts++;
}

// ---- geometry ---------------------------------------------------------------------------

void CTableModel::InitGeometry(int rowHeight, int col0Width, int colWidth)
{
    for (int r = 0; r <= m_nRows; ++r) m_pRowTop[r] = int64_t(r) * rowHeight;
    m_nTotalWidth = 0;
    for (int c = 0; c < m_nCols; ++c) {
        m_pColWidth[c] = c == 0 ? col0Width : colWidth;
        m_nTotalWidth += m_pColWidth[c];
    }
    m_scroll = CTableScrollData();
    m_scroll.m_nMaxCol = m_nCols - 1;
    m_scroll.m_nMaxRow = m_nRows - 1;
    m_scroll.m_nDefColWidth = colWidth;
    m_scroll.m_nDefRowHeight = rowHeight;
}

void CTableModel::SetColWidth(int col, int width)
{
    if (col < 0 || col >= m_nCols) return;
    m_nTotalWidth += int64_t(width) - m_pColWidth[col];
    m_pColWidth[col] = width;
}

int64_t CTableModel::ColsWidth(int from, int to) const
{
    int64_t w = 0;
    for (int c = from; c < to; ++c) w += m_pColWidth[c];
    return w;
}

// ---- active cell ------------------------------------------------------------------------

void CTableModel::ClampActive()
{
    const int lowRow = m_nRows > 1 ? 1 : 0;
    const int lowCol = m_nCols > 1 ? 1 : 0;
    auto clamp = [](int& v, int lo, int hi) { v = v < lo ? lo : v > hi ? hi : v; };
    clamp(m_nActiveRow, lowRow, m_nRows - 1);
    clamp(m_nPrevRow, lowRow, m_nRows - 1);
    clamp(m_nActiveCol, lowCol, m_nCols - 1);
    clamp(m_nPrevCol, lowCol, m_nCols - 1);
}

void CTableModel::MoveActive(int row, int col)
{
    m_nPrevRow = m_nActiveRow;
    m_nPrevCol = m_nActiveCol;
    m_nActiveRow = row;
    m_nActiveCol = col;
}

// ---- rows ---------------------------------------------------------------------------------

TableChange CTableModel::InsertRow(int r)
{
    if (r < 0 || r >= m_nRows) return TableChange::None;
    const int cols = m_nCols;
    const int64_t cells = int64_t(m_nRows + 1) * cols;
    if (cells > kTableMaxCells) return TableChange::NoMemory;
    const bool firstData = m_nRows == 1 && r == 0;
    const int window = firstData ? FindOrAddBrush(m_colors.window) : 0;
    if (firstData && HasTables() && window < 0) return TableChange::NoMemory;
    // The larger blocks first: a failure after them leaves the table as it was.
    if (!Grow(m_ppCells, cells) || !Grow(m_pRowTop, int64_t(m_nRows) + 2)) return TableChange::NoMemory;
    CTableCell** fresh = static_cast<CTableCell**>(TableAlloc(size_t(cols) * sizeof(CTableCell*)));
    if (!fresh || !m_pool.NewCells(fresh, cols, m_colors.text)) {
        TableFree(fresh);
        return TableChange::NoMemory;
    }
    const int lookRow = r > 0 ? r : (m_nRows > 1 ? 1 : -1);
    for (int c = 0; c < cols; ++c) {
        if (lookRow >= 0) fresh[c]->CopyLook(*m_ppCells[lookRow * cols + c]);
        if (firstData && c >= 1 && window >= 0) fresh[c]->m_nBrush = window;
    }
    CTableCell** at = m_ppCells + int64_t(r + 1) * cols;
    std::memmove(at + cols, at, size_t(int64_t(m_nRows - r - 1) * cols) * sizeof(CTableCell*));
    std::memcpy(at, fresh, size_t(cols) * sizeof(CTableCell*));
    TableFree(fresh);
    const int64_t h = m_pRowTop[r + 1] - m_pRowTop[r];
    for (int i = m_nRows + 1; i >= r + 2; --i) m_pRowTop[i] = m_pRowTop[i - 1] + h;
    ++m_nRows;
    m_scroll.m_nMaxRow = m_nRows - 1;
    if (m_nActiveRow > r) ++m_nActiveRow;
    if (m_nPrevRow > r) ++m_nPrevRow;
    ClampActive();
    return TableChange::Done;
}

TableChange CTableModel::DeleteRow(int r)
{
    if (m_nRows < 2 || r < 1 || r >= m_nRows) return TableChange::None;
    const int cols = m_nCols;
    CTableCell** at = m_ppCells + int64_t(r) * cols;
    for (int c = 0; c < cols; ++c) m_pool.Delete(at[c]);
    std::memmove(at, at + cols, size_t(int64_t(m_nRows - r - 1) * cols) * sizeof(CTableCell*));
    const int64_t h = m_pRowTop[r + 1] - m_pRowTop[r];
    for (int i = r + 1; i < m_nRows; ++i) m_pRowTop[i] = m_pRowTop[i + 1] - h;
    --m_nRows;
    Shrink(m_ppCells, int64_t(m_nRows) * cols);
    Shrink(m_pRowTop, int64_t(m_nRows) + 1);
    m_scroll.m_nMaxRow = m_nRows - 1;
    ClampActive();
    return TableChange::Done;
}

TableChange CTableModel::ResizeRows(int n)
{
    if (n < 1) return TableChange::None;
    const int cols = m_nCols;
    const int old = m_nRows;
    if (int64_t(n) * cols > kTableMaxCells) return TableChange::NoMemory;
    if (n > old) {
        const int window = HasTables() ? FindOrAddBrush(m_colors.window) : 0;
        if (window < 0) return TableChange::NoMemory;
        if (!Grow(m_ppCells, int64_t(n) * cols) || !Grow(m_pRowTop, int64_t(n) + 1)) return TableChange::NoMemory;
        CTableCell** fresh = m_ppCells + int64_t(old) * cols;
        if (!m_pool.NewCells(fresh, int64_t(n - old) * cols, m_colors.text)) return TableChange::NoMemory;
        for (int64_t i = 0; i < int64_t(n - old) * cols; ++i) fresh[i]->m_nBrush = window;
        const int64_t h = m_pRowTop[1] - m_pRowTop[0];
        for (int r = old + 1; r <= n; ++r) m_pRowTop[r] = m_pRowTop[r - 1] + h;
    } else if (n < old) {
        for (int64_t i = int64_t(n) * cols; i < int64_t(old) * cols; ++i) m_pool.Delete(m_ppCells[i]);
        Shrink(m_ppCells, int64_t(n) * cols);
        Shrink(m_pRowTop, int64_t(n) + 1);
    }
    m_nRows = n;
    m_scroll.m_nMaxRow = n - 1;
    ClampActive();
    return TableChange::Done;
}

// ---- visible range and hits ------------------------------------------------------------------

CTableBound CTableModel::VisibleRange(const RECT& u) const
{
    CTableBound b{};
    int64_t x = m_pColWidth[0];
    int c = m_scroll.m_nFirstCol + 1;
    while (c < m_nCols && x + m_pColWidth[c] <= u.left) x += m_pColWidth[c++];
    b.firstCol = c;
    b.left = ToPixel(x);
    while (c < m_nCols && x < u.right) x += m_pColWidth[c++];
    b.endCol = c;
    b.right = ToPixel(x);

    int64_t y = GetRowHeight(0);
    int r = m_scroll.m_nFirstRow + 1;
    while (r < m_nRows && y + GetRowHeight(r) <= u.top) y += GetRowHeight(r++);
    b.firstRow = r;
    b.top = ToPixel(y);
    while (r < m_nRows && y < u.bottom) y += GetRowHeight(r++);
    b.endRow = r;
    b.bottom = ToPixel(y);
    return b;
}

int CTableModel::RowAt(int y) const
{
    int64_t top = GetRowHeight(0);
    if (y < top) return -1;
    for (int r = m_scroll.m_nFirstRow + 1; r < m_nRows; ++r) {
        top += GetRowHeight(r);
        if (y < top) return r;
    }
    return -1;
}

int CTableModel::ColAt(int x) const
{
    int64_t left = m_pColWidth[0];
    if (x < left) return -1;
    for (int c = m_scroll.m_nFirstCol + 1; c < m_nCols; ++c) {
        left += m_pColWidth[c];
        if (x < left) return c;
    }
    return -1;
}

int CTableModel::ColLeft(int col) const
{
    if (col <= 0) return 0;
    return ToPixel(m_pColWidth[0] + ColsWidth(m_scroll.m_nFirstCol + 1, col));
}

RECT CTableModel::CellRect(int row, int col) const
{
    RECT rc;
    rc.left = ColLeft(col);
    rc.top = row <= 0 ? 0 : ToPixel(GetRowHeight(0) + RowsHeight(m_scroll.m_nFirstRow + 1, row));
    rc.right = ToPixel(int64_t(rc.left) + m_pColWidth[col]);
    rc.bottom = ToPixel(int64_t(rc.top) + GetRowHeight(row));
    return rc;
}

int CTableModel::SplitColumn(int x, int y) const
{
    if (y >= GetRowHeight(0) || x < 3) return -1;
    int64_t x0 = m_pColWidth[0];
    const int first = m_scroll.m_nFirstCol + 1 > 1 ? m_scroll.m_nFirstCol + 1 : 1;
    int col = first;
    while (x0 < x && col < m_nCols) x0 += m_pColWidth[col++];
    // The edge reached is the right edge of c; none walked: column 0's.
    const int c = col > first ? col - 1 : 0;
    if (x0 - x < 2 && x - x0 < 2) return c;
    if (c > 0) {
        const int64_t left = x0 - m_pColWidth[c];
        if (x >= left && x - left <= 1) return c - 1 > m_scroll.m_nFirstCol ? c - 1 : 0;
    }
    return -1;
}

// ---- scrolling --------------------------------------------------------------------------

void CTableModel::AdjustPages(int clientRight, int clientBottom)
{
    auto clampFirst = [](int& first, int count) {
        const int hi = count - 2 > 0 ? count - 2 : 0;
        first = first < 0 ? 0 : first > hi ? hi : first;
    };
    clampFirst(m_scroll.m_nFirstCol, m_nCols);
    clampFirst(m_scroll.m_nFirstRow, m_nRows);

    int64_t x = m_pColWidth[0];
    int c = m_scroll.m_nFirstCol + 1;
    while (x < clientRight && c <= m_scroll.m_nMaxCol) x += m_pColWidth[c++];
    int& pageCols = m_scroll.m_nPageCols;
    if (x >= clientRight - 10 || pageCols < 1 || pageCols > m_scroll.m_nMaxCol) {
        pageCols = c - m_scroll.m_nFirstCol - 2;
        if (pageCols < 1) pageCols = 1;
    }

    int64_t y = GetRowHeight(0);
    int r = m_scroll.m_nFirstRow + 1;
    while (y < clientBottom && r <= m_scroll.m_nMaxRow) y += GetRowHeight(r++);
    int& pageRows = m_scroll.m_nPageRows;
    if (y >= clientBottom - 10 || pageRows < 1 || pageRows > m_scroll.m_nMaxRow) {
        pageRows = r - m_scroll.m_nFirstRow - 2;
        if (pageRows < 1) pageRows = 1;
    }
}

namespace {
// Moves a first scrolled index by step within 0 .. max(0, count - 2); span(a,
// b) is the extent of indices [a, b). How far the content moves.
template <class Span>
int64_t MoveFirst(int& first, int count, int step, Span span)
{
    const int old = first;
    const int now = int(Clamp64(int64_t(old) + step, 0, count - 2 > 0 ? count - 2 : 0));
    first = now;
    return now > old ? -span(old + 1, now + 1) : span(now + 1, old + 1);
}
}  // namespace

int64_t CTableModel::ScrollCols(int step)
{
    return MoveFirst(m_scroll.m_nFirstCol, m_nCols, step, [this](int a, int b) { return ColsWidth(a, b); });
}

int64_t CTableModel::ScrollRows(int step)
{
    return MoveFirst(m_scroll.m_nFirstRow, m_nRows, step, [this](int a, int b) { return RowsHeight(a, b); });
}
