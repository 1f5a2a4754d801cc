// The grid's model without a window: cells and their texts, the brush and
// font tables, row operations, the visible range, column edges and scrolling.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "analysis/TableCells.h"

namespace {

const CTableColors kColors = [] {
    CTableColors c;
    c.window = RGB(250, 251, 252);
    c.face = RGB(200, 201, 202);
    c.text = RGB(1, 2, 3);
    return c;
}();

TableLogFont Font(const char* face, int weight = 400)
{
    TableLogFont lf{};
    lf.lfHeight = -12;
    lf.lfWeight = weight;
    std::strcpy(lf.lfFaceName, face);
    return lf;
}

// A table with its tables and geometry as a window would make them: rows of
// height 20, column 0 of width 40, data columns of width 60.
struct Table : CTableModel {
    Table(int rows, int cols) : CTableModel(rows, cols, kColors)
    {
        InitGeometry(20, 40, 60);
        InitTables(Font("宋体"));
    }
};

// Every later allocation of the table's memory succeeds again.
struct AllocGuard {
    ~AllocGuard() { TableFailAllocAfter(-1); }
};

TEST(GridCells, CountsAndTheFirstActiveCell)
{
    CTableModel none(0, -3);
    EXPECT_EQ(none.GetRowCount(), 1);
    EXPECT_EQ(none.GetColCount(), 1);
    EXPECT_NE(none.Cell(0, 0), nullptr);

    Table t(5, 3);
    EXPECT_EQ(t.GetCellCount(), 15);
    EXPECT_EQ(t.CellIndex(2, 1), 7);
    EXPECT_EQ(t.CellIndex(5, 0), -1);
    EXPECT_EQ(t.CellIndex(0, 3), -1);
    EXPECT_EQ(t.CellIndex(-1, 0), -1);
    EXPECT_EQ(t.CellAt(15), nullptr);
    EXPECT_EQ(t.m_nActiveRow, 4);
    EXPECT_EQ(t.m_nActiveCol, 1);
    EXPECT_EQ(t.m_nPrevRow, 4);
    EXPECT_EQ(t.m_nPrevCol, 1);
    EXPECT_EQ(t.Cell(1, 1)->m_crText, kColors.text);
    EXPECT_EQ(t.Cell(1, 1)->m_nAlign, kTableAlignLeft);
}

TEST(GridCells, NeverSetIsNullAndEmptyIsAText)
{
    Table t(2, 2);
    char buf[8] = "junk";
    EXPECT_EQ(t.GetCellTextPtr(1, 1), nullptr);
    EXPECT_EQ(t.GetCellText(1, 1, buf, sizeof buf), 0);
    EXPECT_STREQ(buf, "");
    ASSERT_EQ(t.SetCellText(1, 1, ""), 1);
    ASSERT_NE(t.GetCellTextPtr(1, 1), nullptr);
    EXPECT_STREQ(t.GetCellTextPtr(1, 1), "");
    EXPECT_EQ(t.GetCellText(1, 1, buf, sizeof buf), 1);
    EXPECT_EQ(t.SetCellText(2, 1, "x"), 0) << "no such cell";
    EXPECT_EQ(t.GetCellText(9, 9, buf, sizeof buf), 0);
}

TEST(GridCells, ALongTextIsCutAtACharacterBoundary)
{
    // "ab" then two GBK characters (4 bytes): 6 bytes in all.
    const std::string text = "ab宋体";
    ASSERT_EQ(text.size(), 6u);
    struct Case {
        int size;
        std::string want;
    } cases[] = {
        {1, ""},        // room for the NUL only
        {3, "ab"},      // 2 bytes
        {4, "ab"},      // 3 bytes would split 宋
        {5, "ab宋"},    // 4 bytes
        {6, "ab宋"},    // 5 bytes would split 体
        {7, "ab宋体"},  // the whole text
        {50, "ab宋体"},
    };
    Table t(2, 2);
    t.SetCellText(1, 1, text.c_str());
    for (const Case& c : cases) {
        std::string buf(size_t(c.size) + 4, '#');
        EXPECT_EQ(t.GetCellText(1, 1, &buf[0], c.size), 1) << c.size;
        EXPECT_EQ(std::string(buf.c_str()), c.want) << c.size;
        EXPECT_EQ(buf[size_t(c.size) - 1], '\0') << "the last byte is NUL, size " << c.size;
        EXPECT_EQ(buf[size_t(c.size)], '#') << "nothing beyond the buffer, size " << c.size;
    }
    EXPECT_EQ(t.GetCellText(1, 1, nullptr, 10), 0);
    char one = 'x';
    EXPECT_EQ(t.GetCellText(1, 1, &one, 0), 0);
    EXPECT_EQ(one, 'x');
    // A lead byte at the very end counts as a character of its own.
    EXPECT_EQ(TableCutLength("a\xD7", 2, 1), 1u);
    EXPECT_EQ(TableCutLength("a\xD7", 2, 2), 2u);
}

TEST(GridTables, ColoursAndFontsAreSharedByTheirRecords)
{
    CTableModel bare(3, 3, kColors);
    EXPECT_EQ(bare.SetCellColor(1, 1, RGB(9, 9, 9)), -1) << "no tables before the window";
    EXPECT_EQ(bare.GetCellColor(1, 1), kColors.window);

    Table t(4, 3);
    ASSERT_EQ(t.GetBrushCount(), 2);
    EXPECT_EQ(t.GetBrushColor(0), kColors.face);
    EXPECT_EQ(t.GetBrushColor(1), kColors.window);
    EXPECT_EQ(t.SetCellColor(1, 1, kColors.window), 1);
    const COLORREF red = RGB(255, 0, 0);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c) EXPECT_EQ(t.SetCellColor(r, c, red), 2);
    EXPECT_EQ(t.GetBrushCount(), 3) << "one brush for one colour";
    EXPECT_EQ(t.SetCellColor(2, 2, kColors.face), 0);
    EXPECT_EQ(t.GetBrushCount(), 3) << "brushes no cell uses any more stay";
    EXPECT_EQ(t.GetCellColor(2, 2), kColors.face);
    EXPECT_EQ(t.SetCellColor(4, 0, red), -1);

    TableLogFont bold = Font("宋体", 700);
    EXPECT_EQ(t.SetCellFont(0, 1, bold), 1);
    // The same font with junk after its face name's end is the same record.
    std::memset(bold.lfFaceName + 5, 'Z', sizeof bold.lfFaceName - 5);
    EXPECT_EQ(t.SetCellFont(0, 2, bold), 1);
    EXPECT_EQ(t.SetCellFont(0, 0, Font("宋体")), 0);
    EXPECT_EQ(t.GetFontCount(), 2);
    EXPECT_EQ(t.SetCellFontIndex(1, 1, 1), 1);
    EXPECT_EQ(t.SetCellFontIndex(1, 1, 7), 1) << "an index outside the table is not taken";
    EXPECT_EQ(t.SetCellFontIndex(1, 1, -1), 1);
    EXPECT_EQ(t.SetCellFontIndex(9, 1, 0), -1);
}

// ---- rows ----------------------------------------------------------------------------------

// A table whose row r has look r: brush r % 3, alignment, text colour, font.
Table& Dress(Table& t)
{
    t.FindOrAddBrush(RGB(7, 7, 7));  // brush 2
    t.FindOrAddFont(Font("黑体"));   // font 1
    for (int r = 0; r < t.GetRowCount(); ++r) {
        for (int c = 0; c < t.GetColCount(); ++c) {
            CTableCell* cell = t.Cell(r, c);
            cell->m_nBrush = r % 3;
            cell->m_nAlign = r % 2 ? kTableAlignRight : kTableAlignCenter;
            cell->m_crText = RGB(r, c, 0);
            cell->m_nFont = r % 2;
            cell->SetText((std::to_string(r) + "," + std::to_string(c)).c_str());
        }
    }
    return t;
}

void ExpectLook(const CTableCell* cell, const CTableCell* from, const char* what)
{
    EXPECT_EQ(cell->m_nBrush, from->m_nBrush) << what;
    EXPECT_EQ(cell->m_nAlign, from->m_nAlign) << what;
    EXPECT_EQ(cell->m_crText, from->m_crText) << what;
    EXPECT_EQ(cell->m_nFont, from->m_nFont) << what;
    EXPECT_EQ(cell->GetText(), nullptr) << what << ": a new row has no texts";
}

TEST(GridRows, InsertCopiesTheLookOfTheRowAbove)
{
    Table t(5, 3);
    Dress(t);
    t.m_nActiveRow = 3;
    t.m_nPrevRow = 2;
    ASSERT_EQ(t.InsertRow(2), TableChange::Done);
    EXPECT_EQ(t.GetRowCount(), 6);
    EXPECT_EQ(t.Scroll().m_nMaxRow, 5);
    for (int c = 0; c < 3; ++c) ExpectLook(t.Cell(3, c), t.Cell(2, c), "after row 2");
    EXPECT_STREQ(t.GetCellTextPtr(4, 1), "3,1") << "the rows below moved down";
    EXPECT_STREQ(t.GetCellTextPtr(5, 2), "4,2");
    EXPECT_EQ(t.m_nActiveRow, 4) << "below the new row: moves with its row";
    EXPECT_EQ(t.m_nPrevRow, 2) << "at the row itself: stays";
    EXPECT_EQ(t.GetTotalHeight(), 6 * 20);

    // At the header row the new row takes the look of the row below it.
    ASSERT_EQ(t.InsertRow(0), TableChange::Done);
    for (int c = 0; c < 3; ++c) ExpectLook(t.Cell(1, c), t.Cell(2, c), "after the header");
    EXPECT_STREQ(t.GetCellTextPtr(0, 1), "0,1");

    EXPECT_EQ(t.InsertRow(7), TableChange::None);
    EXPECT_EQ(t.InsertRow(-1), TableChange::None);
    EXPECT_EQ(t.GetRowCount(), 7);
}

TEST(GridRows, DeleteDownToTheHeaderRowThenInsertAfterIt)
{
    Table t(4, 3);
    Dress(t);
    t.m_nActiveRow = 3;
    t.m_nPrevRow = 2;
    EXPECT_EQ(t.DeleteRow(0), TableChange::None) << "the header row stays";
    EXPECT_EQ(t.DeleteRow(4), TableChange::None);
    ASSERT_EQ(t.DeleteRow(1), TableChange::Done);
    EXPECT_STREQ(t.GetCellTextPtr(1, 1), "2,1");
    EXPECT_EQ(t.m_nActiveRow, 2) << "clamped to the new last row";
    EXPECT_EQ(t.m_nPrevRow, 2);
    EXPECT_EQ(t.GetTotalHeight(), 3 * 20);
    ASSERT_EQ(t.DeleteRow(2), TableChange::Done);
    ASSERT_EQ(t.DeleteRow(1), TableChange::Done);
    EXPECT_EQ(t.GetRowCount(), 1);
    EXPECT_EQ(t.m_nActiveRow, 0);
    EXPECT_EQ(t.m_nPrevRow, 0);
    EXPECT_EQ(t.Scroll().m_nMaxRow, 0);
    EXPECT_EQ(t.DeleteRow(1), TableChange::None);
    EXPECT_STREQ(t.GetCellTextPtr(0, 2), "0,2") << "the headers keep their texts";

    // Insert after the header row alone: the new row's data cells in the
    // window colour, and the row becomes the active one.
    ASSERT_EQ(t.InsertRow(0), TableChange::Done);
    EXPECT_EQ(t.GetRowCount(), 2);
    EXPECT_EQ(t.GetCellColor(1, 1), kColors.window);
    EXPECT_EQ(t.GetCellColor(1, 2), kColors.window);
    EXPECT_EQ(t.m_nActiveRow, 1);
    EXPECT_EQ(t.m_nActiveCol, 1);
    EXPECT_EQ(t.GetRowHeight(1), 20);
}

TEST(GridRows, ResizeKeepsTextsAndGivesNewRowsTheWindowColour)
{
    Table t(4, 3);
    Dress(t);
    t.m_nActiveRow = 3;
    t.m_nPrevRow = 3;
    EXPECT_EQ(t.ResizeRows(0), TableChange::None);
    ASSERT_EQ(t.ResizeRows(6), TableChange::Done);
    EXPECT_EQ(t.GetRowCount(), 6);
    EXPECT_EQ(t.Scroll().m_nMaxRow, 5);
    EXPECT_STREQ(t.GetCellTextPtr(3, 2), "3,2");
    for (int r = 4; r < 6; ++r) {
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(t.GetCellColor(r, c), kColors.window) << "header column too: " << r << "," << c;
            EXPECT_EQ(t.Cell(r, c)->m_nAlign, kTableAlignLeft);
            EXPECT_EQ(t.GetCellTextPtr(r, c), nullptr);
        }
        EXPECT_EQ(t.GetRowHeight(r), t.GetRowHeight(0));
    }
    EXPECT_EQ(t.GetTotalHeight(), 6 * 20);
    ASSERT_EQ(t.ResizeRows(2), TableChange::Done);
    EXPECT_EQ(t.m_nActiveRow, 1);
    EXPECT_EQ(t.m_nPrevRow, 1);
    EXPECT_STREQ(t.GetCellTextPtr(1, 1), "1,1");
    EXPECT_EQ(t.GetTotalHeight(), 2 * 20);
    ASSERT_EQ(t.ResizeRows(1), TableChange::Done);
    EXPECT_EQ(t.m_nActiveRow, 0);
}

// Everything a refused change must leave as it was.
std::string Snapshot(const CTableModel& t)
{
    std::string s = std::to_string(t.GetRowCount()) + "x" + std::to_string(t.GetColCount()) + " h" +
                    std::to_string(t.GetTotalHeight()) + " a" + std::to_string(t.m_nActiveRow) + " b" +
                    std::to_string(t.GetBrushCount()) + ":";
    for (int r = 0; r < t.GetRowCount(); ++r)
        for (int c = 0; c < t.GetColCount(); ++c) {
            const char* text = t.GetCellTextPtr(r, c);
            s += text ? text : "-";
            s += "/" + std::to_string(t.Cell(r, c)->m_nBrush) + ";";
        }
    return s;
}

TEST(GridRows, ARowCountMemoryCannotHoldIsRefused)
{
    Table t(3, 3);
    Dress(t);
    const std::string before = Snapshot(t);
    EXPECT_EQ(t.ResizeRows(1 << 30), TableChange::NoMemory);
    EXPECT_EQ(t.ResizeRows(int(kTableMaxCells / 3) + 1), TableChange::NoMemory);
    EXPECT_EQ(Snapshot(t), before);

    // Memory that runs out part of the way, at every step it may run out at:
    // the blocks of the table, and cells beyond the first block's.
    AllocGuard guard;
    for (const int rows : {6, 30}) {
        long n = 0;
        for (;; ++n) {
            TableFailAllocAfter(n);
            const TableChange grow = t.ResizeRows(rows);
            TableFailAllocAfter(-1);
            if (grow == TableChange::Done) break;
            EXPECT_EQ(grow, TableChange::NoMemory) << n;
            EXPECT_EQ(Snapshot(t), before) << rows << " rows after " << n << " allocations";
            ASSERT_LT(n, 100);
        }
        EXPECT_GT(n, 0) << "some allocation was refused";
        EXPECT_EQ(t.GetRowCount(), rows);
        ASSERT_EQ(t.ResizeRows(3), TableChange::Done);
        EXPECT_EQ(Snapshot(t), before);
    }
    for (long n = 0;; ++n) {
        TableFailAllocAfter(n);
        const TableChange insert = t.InsertRow(1);
        TableFailAllocAfter(-1);
        if (insert == TableChange::Done) break;
        EXPECT_EQ(Snapshot(t), before) << "insert after " << n << " allocations";
        ASSERT_LT(n, 100);
    }
    EXPECT_EQ(t.GetRowCount(), 4);
    // A text too long for the cell itself needs memory of its own.
    const std::string longText(40, 'x');
    TableFailAllocAfter(0);
    EXPECT_EQ(t.SetCellText(1, 1, longText.c_str()), 0);
    EXPECT_EQ(t.SetCellText(1, 2, "short"), 1);
    TableFailAllocAfter(-1);
    EXPECT_STREQ(t.GetCellTextPtr(1, 1), "1,1");
    EXPECT_EQ(t.SetCellText(1, 1, longText.c_str()), 1);
    EXPECT_EQ(t.GetCellTextPtr(1, 1), longText);
    // A cell given its own text back keeps it.
    EXPECT_EQ(t.SetCellText(1, 1, t.GetCellTextPtr(1, 1)), 1);
    EXPECT_EQ(t.GetCellTextPtr(1, 1), longText);
    EXPECT_EQ(t.SetCellText(1, 2, t.GetCellTextPtr(1, 2) + 1), 1);
    EXPECT_STREQ(t.GetCellTextPtr(1, 2), "hort");
}

TEST(GridRows, TheHeaderColumnOrRowAloneHasNoActiveDataCell)
{
    CTableModel t(3, 1, kColors);
    EXPECT_EQ(t.m_nActiveCol, 0);
    t.ClampActive();
    EXPECT_EQ(t.m_nActiveRow, 2);
    CTableModel h(1, 4, kColors);
    EXPECT_EQ(h.m_nActiveRow, 0);
    EXPECT_EQ(h.m_nActiveCol, 1);
}

// ---- geometry ------------------------------------------------------------------------------

TEST(GridGeometry, VisibleRangesOfUpdateRectangles)
{
    // Column 0: 0..40, then columns of 60: 40..100, 100..160, 160..220, 220..280.
    // Row 0: 0..20, then rows of 20.
    Table t(50, 5);
    struct Case {
        RECT update;
        int firstScrolledRow, firstScrolledCol;
        CTableBound want;
    } cases[] = {
        {{0, 0, 300, 100}, 0, 0, {1, 1, 5, 5, 40, 280, 20, 100}},
        {{0, 0, 130, 61}, 0, 0, {1, 1, 4, 3, 40, 160, 20, 80}},
        {{120, 45, 170, 50}, 0, 0, {2, 2, 3, 4, 100, 220, 40, 60}},
        {{100, 40, 160, 60}, 0, 0, {2, 2, 3, 3, 100, 160, 40, 60}},  // edges on cell edges
        {{0, 0, 300, 100}, 10, 2, {11, 3, 15, 5, 40, 160, 20, 100}},
        {{0, 0, 10, 10}, 0, 0, {1, 1, 1, 1, 40, 40, 20, 20}},  // the corner only
        {{0, 0, 300, 2000}, 45, 0, {46, 1, 50, 5, 40, 280, 20, 100}},
    };
    for (const Case& c : cases) {
        t.Scroll().m_nFirstRow = c.firstScrolledRow;
        t.Scroll().m_nFirstCol = c.firstScrolledCol;
        const CTableBound b = t.VisibleRange(c.update);
        const int got[8] = {b.firstRow, b.firstCol, b.endRow, b.endCol, b.left, b.right, b.top, b.bottom};
        const int want[8] = {c.want.firstRow, c.want.firstCol, c.want.endRow, c.want.endCol,
                             c.want.left,     c.want.right,    c.want.top,    c.want.bottom};
        for (int k = 0; k < 8; ++k)
            EXPECT_EQ(got[k], want[k]) << "field " << k << " of " << c.update.left << "," << c.update.top << ","
                                       << c.update.right << "," << c.update.bottom;
    }
}

TEST(GridGeometry, ATableOfHeadersOnlyHasNoDataCellInView)
{
    Table t(1, 2);
    const CTableBound b = t.VisibleRange(RECT{0, 0, 400, 300});
    EXPECT_EQ(b.firstRow, b.endRow) << "no data row";
    EXPECT_EQ(b.top, 20);
    EXPECT_EQ(b.bottom, 20);
    EXPECT_EQ(b.firstCol, 1);
    EXPECT_EQ(b.endCol, 2);
    EXPECT_EQ(t.RowAt(25), -1);
}

TEST(GridGeometry, CellsUnderPointsAndTheirRectangles)
{
    Table t(10, 4);
    t.Scroll().m_nFirstRow = 3;
    t.Scroll().m_nFirstCol = 1;
    EXPECT_EQ(t.RowAt(19), -1);
    EXPECT_EQ(t.RowAt(20), 4);
    EXPECT_EQ(t.RowAt(39), 4);
    EXPECT_EQ(t.RowAt(40), 5);
    EXPECT_EQ(t.RowAt(20 + 6 * 20), -1) << "below the last row";
    EXPECT_EQ(t.ColAt(39), -1);
    EXPECT_EQ(t.ColAt(40), 2);
    EXPECT_EQ(t.ColAt(159), 3);
    EXPECT_EQ(t.ColAt(160), -1);
    const RECT r = t.CellRect(6, 3);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 60);
    EXPECT_EQ(r.right, 160);
    EXPECT_EQ(r.bottom, 80);
    EXPECT_TRUE(t.IsScrolledOut(3, 2));
    EXPECT_TRUE(t.IsScrolledOut(5, 1));
    EXPECT_FALSE(t.IsScrolledOut(4, 2));
    EXPECT_EQ(t.ColLeft(0), 0);
    EXPECT_EQ(t.ColLeft(2), 40);
}

TEST(GridGeometry, ColumnEdgesInTheHeaderRow)
{
    Table t(3, 4);  // right edges: 40, 100, 160, 220
    struct Case {
        int x, y, firstCol, want;
    } cases[] = {
        {100, 5, 0, 1},
        {101, 5, 0, 1},
        {99, 5, 0, 1},
        {98, 5, 0, -1},
        {102, 5, 0, -1},
        {103, 5, 0, -1},
        {40, 5, 0, 0},
        {41, 5, 0, 0},
        {39, 5, 0, 0},
        {221, 5, 0, 3},
        {100, 25, 0, -1},  // below the header row
        {2, 5, 0, -1},     // the left edge
        {150, 5, 0, -1},   // inside a column
        // Scrolled: the edge at column 0's right side is column 0's, not a
        // hidden column's.
        {41, 5, 1, 0},
        {40, 5, 1, 0},
        {100, 5, 1, 2},
    };
    for (const Case& c : cases) {
        t.Scroll().m_nFirstCol = c.firstCol;
        EXPECT_EQ(t.SplitColumn(c.x, c.y), c.want) << c.x << "," << c.y << " scrolled " << c.firstCol;
    }
}

TEST(GridGeometry, ScrollingStaysWithinTheTable)
{
    Table t(10, 4);
    EXPECT_EQ(t.ScrollRows(3), -60);
    EXPECT_EQ(t.Scroll().m_nFirstRow, 3);
    EXPECT_EQ(t.ScrollRows(100), -5 * 20) << "to count - 2 at most";
    EXPECT_EQ(t.Scroll().m_nFirstRow, 8);
    EXPECT_EQ(t.ScrollRows(-2), 40);
    EXPECT_EQ(t.ScrollRows(-100), 6 * 20);
    EXPECT_EQ(t.Scroll().m_nFirstRow, 0);
    EXPECT_EQ(t.ScrollCols(1), -60);
    EXPECT_EQ(t.ScrollCols(5), -60);
    EXPECT_EQ(t.Scroll().m_nFirstCol, 2) << "one data column stays in view";

    // The header row alone: nothing to scroll, never a position of -1.
    Table h(1, 4);
    EXPECT_EQ(h.ScrollRows(1), 0);
    EXPECT_EQ(h.Scroll().m_nFirstRow, 0);
    EXPECT_EQ(h.ScrollRows(-1), 0);
    EXPECT_EQ(h.Scroll().m_nFirstRow, 0);
    h.Scroll().m_nFirstRow = -4;
    h.AdjustPages(300, 200);
    EXPECT_EQ(h.Scroll().m_nFirstRow, 0);
    EXPECT_EQ(h.Scroll().m_nPageRows, 1);

    // Rows deleted under a scrolled view: the position comes back in range.
    t.Scroll().m_nFirstRow = 8;
    t.ResizeRows(4);
    t.AdjustPages(300, 200);
    EXPECT_EQ(t.Scroll().m_nFirstRow, 2);
}

TEST(GridGeometry, PagesCountTheRowsAndColumnsThatFit)
{
    Table t(100, 8);
    // 200 pixels below the header row of 20: 9 rows fit, the 10th in part.
    t.AdjustPages(300, 200);
    EXPECT_EQ(t.Scroll().m_nPageRows, 8);
    // 300 pixels: column 0 and 5 data columns reach 340.
    EXPECT_EQ(t.Scroll().m_nPageCols, 4);
    // A far scrolled table costs its visible rows only, whatever its length.
    Table big(100000, 3);
    big.Scroll().m_nFirstRow = 50000;
    big.AdjustPages(300, 200);
    EXPECT_EQ(big.Scroll().m_nPageRows, 8);
    EXPECT_EQ(big.ScrollRows(49998), -49998LL * 20);
    EXPECT_EQ(big.Scroll().m_nFirstRow, 99998);
}

}  // namespace
