#pragma once
// What the grid control holds, without any window: its cells, the brush and
// font tables (as colours and font records; the window keeps one GDI object
// per entry), row heights and column widths, the scroll state, the active and
// the previous cell, and the row operations. Row 0 and column 0 are the
// headers; every count below includes them.
//
// Memory: every operation that needs more asks for it first and, when it
// cannot have it, leaves the table as it was.
#include <cstddef>
#include <cstdint>

#include "analysis/AnalysisApi.h"
#include "framework/WinTypes.h"

#if defined(_WIN32)
typedef LOGFONTA TableLogFont;
#else
// The platform's font record, field for field.
struct TableLogFont {
    LONG lfHeight;
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    CHAR lfFaceName[32];
};
#endif
static_assert(sizeof(TableLogFont) == 60, "the font record of the platform");

// Text alignments of a cell (the platform's text-alignment flags).
enum : short { kTableAlignLeft = 0, kTableAlignRight = 2, kTableAlignCenter = 6 };

// A table may hold at most this many cells; a larger one is refused as one
// that memory cannot hold.
constexpr int64_t kTableMaxCells = int64_t(1) << 26;

// Allocation of the table's memory. Tests make it fail after a number of
// successful requests (-1: never) to check that a refused change leaves the
// table as it was.
ANALYSIS_API void* TableAlloc(size_t size);
ANALYSIS_API void* TableRealloc(void* p, size_t size);
ANALYSIS_API void TableFree(void* p);
ANALYSIS_API void TableFailAllocAfter(long successes);

// Length of the longest start of text (len bytes) that fits in max bytes
// without cutting a GBK character.
ANALYSIS_API size_t TableCutLength(const char* text, size_t len, size_t max);

class ANALYSIS_API CTableCell {
public:
    explicit CTableCell(COLORREF textColor = 0) : m_crText(textColor) {}
    virtual ~CTableCell();
    CTableCell(const CTableCell&) = delete;
    CTableCell& operator=(const CTableCell&) = delete;

    // Replaces the text with a copy; false (the text as it was) without memory.
    bool SetText(const char* text);
    // Null until a text is set; "" is a text. Valid until the next set.
    const char* GetText() const { return m_pText; }
    // The brush, alignment, text colour and font of another cell.
    void CopyLook(const CTableCell& other);

    short m_nAlign = kTableAlignLeft;

private:
    // Most texts of a table are short: they live in the cell itself (here,
    // where the alignment leaves room).
    char m_szShort[14];

public:
    char* m_pText = nullptr;  // m_szShort for a short text, else the cell's own heap block
    COLORREF m_crText;
    int m_nBrush = 0;
    int m_nFont = 0;
};

// The cells of a table live in blocks of its own, taken from and given back
// to a free list: a table of many rows costs few allocations.
class ANALYSIS_API CTableCellPool {
public:
    CTableCellPool() = default;
    ~CTableCellPool();
    CTableCellPool(const CTableCellPool&) = delete;
    CTableCellPool& operator=(const CTableCellPool&) = delete;

    // A new cell of the default look; null without memory.
    CTableCell* New(COLORREF textColor);
    // Destroys a cell of this pool.
    void Delete(CTableCell* cell);
    // count new cells, all or none.
    bool NewCells(CTableCell** out, int64_t count, COLORREF textColor);

private:
    struct Block;
    Block* m_pBlocks = nullptr;
    void* m_pFree = nullptr;  // slots given back, each holding the next
    char* m_pNext = nullptr;  // unused slots of the newest block
    size_t m_nLeft = 0;
    size_t m_nBlockCells = 64;  // cells of the next block; doubles up to a limit
};

// The buffer gets "" (its last byte NUL too), then the cell's text, cut to
// size - 1 bytes at a character boundary when it is longer. 1 when the cell
// has a text, 0 for no cell, no text or no buffer.
ANALYSIS_API int TableCellText(const CTableCell* cell, char* buf, int size);

class ANALYSIS_API CTableScrollData {
public:
    virtual ~CTableScrollData() = default;
    // Columns 1..m_nFirstCol (rows 1..m_nFirstRow) are scrolled out of view.
    int m_nFirstCol = 0;
    int m_nFirstRow = 0;
    int m_nPageCols = 0;
    int m_nPageRows = 0;
    int m_nMaxCol = 0;  // column count - 1
    int m_nMaxRow = 0;  // row count - 1
    int m_nDefColWidth = 0;
    int m_nDefRowHeight = 0;
};

// The visible part of the table: rows [firstRow, endRow) and columns
// [firstCol, endCol), and the client pixels they cover.
struct CTableBound {
    int firstRow, firstCol, endRow, endCol;
    int left, right, top, bottom;
};

// The colours the table gives new cells and rows (the system's in a window).
struct CTableColors {
    COLORREF window = RGB(255, 255, 255);
    COLORREF face = RGB(240, 240, 240);
    COLORREF text = RGB(0, 0, 0);
};

// What a row operation did.
enum class TableChange { None, Done, NoMemory };

class ANALYSIS_API CTableModel {
public:
    // Both counts at least 1. Without memory for rows x cols cells the table
    // starts with the header row alone (and one column when even that fails).
    CTableModel(int rows, int cols, const CTableColors& colors = CTableColors());
    ~CTableModel();
    CTableModel(const CTableModel&) = delete;
    CTableModel& operator=(const CTableModel&) = delete;

    int GetRowCount() const { return m_nRows; }
    int GetColCount() const { return m_nCols; }
    int GetCellCount() const { return m_nRows * m_nCols; }
    // -1 outside the table.
    int CellIndex(int row, int col) const;
    CTableCell* Cell(int row, int col) const;
    CTableCell* CellAt(int index) const;
    const CTableColors& Colors() const { return m_colors; }
    void SetColors(const CTableColors& colors) { m_colors = colors; }

    // The cell operations by row and column.
    int SetCellText(int row, int col, const char* text);
    int GetCellText(int row, int col, char* buf, int size) const { return TableCellText(Cell(row, col), buf, size); }
    const char* GetCellTextPtr(int row, int col) const;
    // The brush index, -1 for no cell or without tables or memory.
    int SetCellColor(int row, int col, COLORREF color);
    // The window colour when the cell or its brush is missing.
    COLORREF GetCellColor(int row, int col) const;
    int SetCellFont(int row, int col, const TableLogFont& lf);
    // Takes index when it is one of the font table's; the cell's font index
    // (-1 for no cell).
    int SetCellFontIndex(int row, int col, int index);

    // Brush and font tables: none until InitTables, which makes brush 0 the
    // face colour, brush 1 the window colour and font 0 of lf. Entries are
    // found by their colour and font record and never removed.
    bool InitTables(const TableLogFont& lf);
    bool HasTables() const { return m_nFonts > 0; }
    int GetBrushCount() const { return m_nBrushes; }
    COLORREF GetBrushColor(int i) const { return m_pBrushes[i]; }
    int FindOrAddBrush(COLORREF color);
    int GetFontCount() const { return m_nFonts; }
    const TableLogFont& GetFont(int i) const { return m_pFonts[i]; }
    int FindOrAddFont(const TableLogFont& lf);
    // A font record with the bytes after its face name's end zeroed.
    static TableLogFont Normalised(const TableLogFont& lf);

    // Heights and widths: every row rowHeight, column 0 col0Width and the
    // others colWidth; the scroll state starts unscrolled.
    void InitGeometry(int rowHeight, int col0Width, int colWidth);
    int GetRowHeight(int row) const { return int(m_pRowTop[row + 1] - m_pRowTop[row]); }
    int GetColWidth(int col) const { return m_pColWidth[col]; }
    void SetColWidth(int col, int width);
    // Sum of the heights of rows [from, to).
    int64_t RowsHeight(int from, int to) const { return m_pRowTop[to] - m_pRowTop[from]; }
    int64_t ColsWidth(int from, int to) const;
    int64_t GetTotalHeight() const { return m_pRowTop[m_nRows]; }
    int64_t GetTotalWidth() const { return m_nTotalWidth; }
    CTableScrollData& Scroll() { return m_scroll; }
    const CTableScrollData& Scroll() const { return m_scroll; }

    // The active and the previous cell; every row change keeps them in the
    // table and, while there are data rows and columns, on a data cell.
    int m_nActiveRow, m_nActiveCol, m_nPrevRow, m_nPrevCol;
    void ClampActive();
    // The active cell becomes the previous one and (row, col) the active one.
    void MoveActive(int row, int col);

    // A new row after row r (its look from row r, or from the row below when r
    // is 0). None unless 0 <= r < row count.
    TableChange InsertRow(int r);
    // None for the header row or a row outside the table.
    TableChange DeleteRow(int r);
    // n rows: rows beyond go, new rows get empty cells in the window colour
    // and row 0's height. None for n < 1.
    TableChange ResizeRows(int n);

    // The visible part of the table in an update rectangle.
    CTableBound VisibleRange(const RECT& update) const;
    // The visible data row under client y (from the first visible row), -1
    // when none; likewise the column under x.
    int RowAt(int y) const;
    int ColAt(int x) const;
    // The client rectangle of a cell that is not scrolled out of view.
    RECT CellRect(int row, int col) const;
    bool IsScrolledOut(int row, int col) const { return col <= m_scroll.m_nFirstCol || row <= m_scroll.m_nFirstRow; }
    // The column whose right edge is at x in the header row, -1 when none.
    int SplitColumn(int x, int y) const;
    // Left edge of a visible column (0 for column 0).
    int ColLeft(int col) const;

    // Clamps the first scrolled row and column to 0 .. max(0, count - 2) and
    // works out the pages for a client area right x bottom.
    void AdjustPages(int clientRight, int clientBottom);
    // Moves the first scrolled column (row) by step within 0 .. max(0, count
    // - 2); returns how far the content moves in pixels (negative: to the left
    // or up).
    int64_t ScrollCols(int step);
    int64_t ScrollRows(int step);

private:
    CTableCellPool m_pool;  // first: it outlives the cells
    int m_nRows = 1;
    int m_nCols = 1;
    CTableCell** m_ppCells = nullptr;  // row-major
    int64_t* m_pRowTop = nullptr;      // rows + 1 entries; the last is the total height
    int* m_pColWidth = nullptr;
    int64_t m_nTotalWidth = 0;
    CTableScrollData m_scroll;
    COLORREF* m_pBrushes = nullptr;
    int m_nBrushes = 0;
    TableLogFont* m_pFonts = nullptr;
    int m_nFonts = 0;
    CTableColors m_colors;
};
