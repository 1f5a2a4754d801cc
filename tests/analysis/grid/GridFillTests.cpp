// Filling the grid without a window: auto-fill by copy and by series, the
// tokens of an imported line, the two-column grid's items and the axis-grid
// record in its 14 bytes.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include "analysis/AxisGridItem.h"
#include "analysis/TableCells.h"
#include "analysis/TableText.h"
#include "analysis/TableTwoColData.h"
#include "korvalib/base/biostream.h"
#include "tests/support/LeBytes.h"
#include "tests/support/TestFiles.h"

namespace {

using Rows = std::vector<std::vector<const char*>>;  // nullptr: never set

// A table of 3 columns (the header column and two data columns) with the
// given data rows.
struct Table : CTableModel {
    explicit Table(const Rows& rows) : CTableModel(int(rows.size()) + 1, 3)
    {
        for (size_t r = 0; r < rows.size(); ++r)
            for (size_t c = 0; c < rows[r].size(); ++c)
                if (rows[r][c]) SetCellText(int(r) + 1, int(c) + 1, rows[r][c]);
    }
    std::string Text(int r, int c) const
    {
        const char* t = GetCellTextPtr(r, c);
        return t ? t : "(none)";
    }
};

struct AllocGuard {
    ~AllocGuard() { TableFailAllocAfter(-1); }
};

TEST(GridAutoFill, SeriesAndCopies)
{
    struct Case {
        const char* what;
        Rows rows;
        int mode;
        int n;
        std::vector<std::vector<std::string>> added;
    } cases[] = {
        {"one row: an integer counts up, a word repeats", {{"3", "梁"}}, 1, 2, {{"4", "梁"}, {"5", "梁"}}},
        {"one row: 0 is copied", {{"0", "7"}}, 1, 2, {{"0", "8"}, {"0", "9"}}},
        {"one row: signed integers count up", {{"-3", "+7"}}, 1, 2, {{"-2", "8"}, {"-1", "9"}}},
        {"one row: a real or a number with letters is copied", {{"3.0", "12a"}}, 1, 1, {{"3.0", "12a"}}},
        {"two rows: the step of the last two",
         {{"1", "1.5"}, {"5", "2"}},
         1,
         3,
         {{"9", "2.5"}, {"13", "3"}, {"17", "3.5"}}},
        {"two rows: empty cells are 0", {{nullptr, "x"}, {nullptr, "y"}}, 1, 2, {{"0", "y"}, {"0", "y"}}},
        {"two rows: exponents", {{"1e3", "-"}, {"2e3", "+"}}, 1, 1, {{"3000", "0"}}},
        {"copy mode repeats the last row", {{"1", "a"}, {"2", nullptr}}, 0, 2, {{"2", ""}, {"2", ""}}},
    };
    for (const Case& c : cases) {
        Table t(c.rows);
        const int old = t.GetRowCount();
        ASSERT_EQ(TableAutoFill(t, c.mode, c.n), TableFill::Done) << c.what;
        ASSERT_EQ(t.GetRowCount(), old + c.n) << c.what;
        for (int i = 0; i < c.n; ++i)
            for (int col = 1; col <= 2; ++col)
                EXPECT_EQ(t.Text(old + i, col), c.added[size_t(i)][size_t(col) - 1])
                    << c.what << ", new row " << i << ", column " << col;
        EXPECT_EQ(t.Text(old - 1, 1), c.rows.back()[0] ? c.rows.back()[0] : "(none)") << "the old rows stay";
    }
}

TEST(GridAutoFill, NothingToFillAndRowsThatCannotBeHad)
{
    Table header(Rows{});
    EXPECT_EQ(TableAutoFill(header, 1, 3), TableFill::Nothing);
    EXPECT_EQ(header.GetRowCount(), 1);
    Table t(Rows{{"1", "2"}});
    EXPECT_EQ(TableAutoFill(t, 1, 0), TableFill::Nothing);
    EXPECT_EQ(TableAutoFill(t, 1, INT_MAX), TableFill::Refused);
    EXPECT_EQ(TableAutoFill(t, 1, int(kTableMaxCells)), TableFill::Refused);
    EXPECT_EQ(t.GetRowCount(), 2);

    // Memory for the texts runs out (texts too long for the cells
    // themselves): the new rows go again.
    t.SetCellText(1, 2, "一二三四五六七八九十");
    AllocGuard guard;
    long n = 0;
    for (;; ++n) {
        TableFailAllocAfter(n);
        const TableFill fill = TableAutoFill(t, 0, 5);
        TableFailAllocAfter(-1);
        if (fill == TableFill::Done) break;
        EXPECT_TRUE(fill == TableFill::Refused || fill == TableFill::NoMemory) << n;
        EXPECT_EQ(t.GetRowCount(), 2) << n;
        EXPECT_EQ(t.Text(1, 1), "1");
        ASSERT_LT(n, 100);
    }
    EXPECT_GT(n, 3) << "the rows and some of the texts had their memory";
    EXPECT_EQ(t.Text(6, 2), "一二三四五六七八九十");
}

TEST(GridImport, TokensOfALine)
{
    struct Case {
        std::string line;
        int max;
        std::vector<std::string> want;
    } cases[] = {
        {"a,b c\td", 3, {"a", "b", "c"}},
        {"a,b c\td", 9, {"a", "b", "c", "d"}},
        {",, a ,\t, b,,", 9, {"a", "b"}},
        {"", 3, {}},
        {" \t, ", 3, {}},
        {"one", 3, {"one"}},
        {std::string("x\0y", 3), 3, {"x", "y"}},
        {"宋体,梁\t柱", 3, {"宋体", "梁", "柱"}},
        {"1.5 -2e3", 1, {"1.5"}},
    };
    for (const Case& c : cases) {
        std::string line = c.line;
        line.push_back('\0');
        std::vector<char*> tokens(size_t(c.max) + 1, nullptr);
        const int n = CTableTextFile::Tokens(&line[0], c.line.size(), tokens.data(), c.max);
        ASSERT_EQ(n, int(c.want.size())) << c.line;
        for (int k = 0; k < n; ++k) EXPECT_EQ(std::string(tokens[size_t(k)]), c.want[size_t(k)]) << c.line;
    }
}

TEST(GridImport, NumberTexts)
{
    EXPECT_TRUE(TableIsIntegerText("12"));
    EXPECT_TRUE(TableIsIntegerText("-+1"));
    EXPECT_FALSE(TableIsIntegerText(""));
    EXPECT_FALSE(TableIsIntegerText("1.0"));
    EXPECT_FALSE(TableIsIntegerText("1 "));
    EXPECT_TRUE(TableIsNumericText(""));
    EXPECT_TRUE(TableIsNumericText("-1.5E+3"));
    EXPECT_FALSE(TableIsNumericText("1,5"));
    EXPECT_FALSE(TableIsNumericText("宋"));
}

// ---- the two-column grid ------------------------------------------------------------------

std::vector<double> Lefts(MLArraySort<CAxisGridItem>& items)
{
    std::vector<double> out;
    for (int i = 0; i < items.GetSize(); ++i) {
        double v;
        items.GetAt(i)->GetLeft(v);
        out.push_back(v);
    }
    return out;
}

TEST(GridTwoColumns, RealValuesSortByMagnitude)
{
    struct Case {
        Rows rows;
        std::vector<double> want;
    } cases[] = {
        {{{"3", "30"}, {"-1", "10"}, {"2", "20"}}, {-1, 2, 3}},
        {{{"3", "30"}, {"-2", "20"}, {"1", "10"}}, {1, -2, 3}},
    };
    for (const Case& c : cases) {
        Table t(c.rows);
        MLArraySort<CAxisGridItem> items;
        ASSERT_EQ(TwoColCellsToItems(t, items, false), 1);
        EXPECT_EQ(Lefts(items), c.want);
        for (int i = 0; i < items.GetSize(); ++i) {
            double right, left;
            items.GetAt(i)->GetRight(right);
            items.GetAt(i)->GetLeft(left);
            EXPECT_EQ(right, 10 * (left < 0 ? -left : left)) << "each row's pair stays together";
            EXPECT_FALSE(items.GetAt(i)->LeftIsInt());
            EXPECT_TRUE(items.GetAt(i)->isActive());
            EXPECT_FALSE(items.GetAt(i)->isslcted());
        }
    }
}

TEST(GridTwoColumns, RowsToItemsAndBack)
{
    // Integer mode; a missing value reads 0; rows without any text are passed
    // over; equal values keep their row order.
    Table t({{"20", "2.5"}, {nullptr, nullptr}, {"-5", nullptr}, {nullptr, "7"}, {"20", "9"}, {"99999999999", "1"}});
    MLArraySort<CAxisGridItem> items;
    ASSERT_EQ(TwoColCellsToItems(t, items, true), 1);
    ASSERT_EQ(items.GetSize(), 5);
    const int wantLeft[] = {-5, 0, 20, 20, INT_MAX};
    const double wantRight[] = {0, 7, 2.5, 9, 1};
    for (int i = 0; i < 5; ++i) {
        int left;
        double right;
        items.GetAt(i)->GetLeft(left);
        items.GetAt(i)->GetRight(right);
        EXPECT_EQ(left, wantLeft[i]) << i;
        EXPECT_EQ(right, wantRight[i]) << i;
        EXPECT_TRUE(items.GetAt(i)->LeftIsInt());
    }

    Table shown(Rows{{"old", "old"}});
    ASSERT_EQ(TwoColItemsToCells(shown, items, true), 1);
    ASSERT_EQ(shown.GetRowCount(), 6);
    EXPECT_EQ(shown.Text(1, 1), "-5");
    EXPECT_EQ(shown.Text(1, 2), "0");
    EXPECT_EQ(shown.Text(3, 2), "2.5");
    EXPECT_EQ(shown.Text(5, 1), "2147483647");

    MLArraySort<CAxisGridItem> reals;
    reals.Add(CAxisGridItem(1.0 / 3, 123456789.0));
    ASSERT_EQ(TwoColItemsToCells(shown, reals, false), 1);
    ASSERT_EQ(shown.GetRowCount(), 2);
    EXPECT_EQ(shown.Text(1, 1), "0.333333");
    EXPECT_EQ(shown.Text(1, 2), "1.23457e+08");
    MLArraySort<CAxisGridItem> none;
    ASSERT_EQ(TwoColItemsToCells(shown, none, false), 1);
    EXPECT_EQ(shown.GetRowCount(), 1);
}

// ---- the axis-grid record -----------------------------------------------------------------

TEST(AxisGridItem, OrderAndEquality)
{
    struct Case {
        CAxisGridItem a, b;
        bool equal, less;
    } cases[] = {
        {CAxisGridItem(2, 0.0), CAxisGridItem(2, 9.0), true, false},
        {CAxisGridItem(-3, 0.0), CAxisGridItem(2, 0.0), false, true},
        {CAxisGridItem(2, 0.0), CAxisGridItem(-3, 0.0), false, false},
        {CAxisGridItem(1.0, 0.0), CAxisGridItem(1.000005, 0.0), true, false},
        {CAxisGridItem(1.0, 0.0), CAxisGridItem(1.0001, 0.0), false, true},
        {CAxisGridItem(-2.0, 0.0), CAxisGridItem(3.0, 0.0), false, true},
        {CAxisGridItem(-2.0, 0.0), CAxisGridItem(1.0, 0.0), false, false},
        {CAxisGridItem(-3.0, 0.0), CAxisGridItem(3.0, 0.0), false, false},
        {CAxisGridItem(3.0, 0.0), CAxisGridItem(-3.0, 0.0), false, false},
    };
    for (const Case& c : cases) {
        double a, b;
        c.a.GetLeft(a);
        c.b.GetLeft(b);
        EXPECT_EQ(c.a == c.b, c.equal) << a << " == " << b;
        EXPECT_EQ(c.a < c.b, c.less) << a << " < " << b;
    }
    CAxisGridItem item;
    EXPECT_TRUE(item.LeftIsInt());
    EXPECT_TRUE(item.isActive());
    EXPECT_FALSE(item.isslcted());
    item.SetLeft(1e300);
    double huge;
    item.GetLeft(huge);
    EXPECT_FLOAT_EQ(float(huge), 3.4028235e38f) << "held to the float range";
    item.SetLeftInt(1);
    item.slctit();
    item.unActiveIt();
    CAxisGridItem copy(item);
    EXPECT_TRUE(copy.LeftIsInt());
    EXPECT_TRUE(copy.isslcted());
    EXPECT_FALSE(copy.isActive());
}

// Left 7, right 1.5, active, not selected; and left 0.25 (real), right -2,
// not active, selected. Worked out by hand.
const vektest::Bytes kIntRecord = {0x07, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF8, 0x3F, 0x01, 0x00};
const vektest::Bytes kRealRecord = {0x00, 0x00, 0x80, 0x3E, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x01};

CAxisGridItem RealItem()
{
    CAxisGridItem item(0.25, -2.0);
    item.unActiveIt();
    item.slctit();
    return item;
}

TEST(AxisGridItem, FourteenBytesThroughTheStreamAndAFile)
{
    vektest::TempFile stream("grid_item", ".bin");
    {
        bofstream out;
        ASSERT_TRUE(out.Open(stream.c_str()));
        CAxisGridItem(7, 1.5).Serialize(out);
        RealItem().Serialize(out);
        ASSERT_TRUE(out.IsGood());
        ASSERT_TRUE(out.Close());
    }
    vektest::Bytes want = kIntRecord;
    want.insert(want.end(), kRealRecord.begin(), kRealRecord.end());
    EXPECT_EQ(stream.ReadAll(), want);

    vektest::TempFile plain("grid_item", ".bin");
    FILE* f = std::fopen(plain.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(CAxisGridItem(7, 1.5).Write(f), 1);
    EXPECT_EQ(RealItem().Write(f), 1);
    ASSERT_EQ(std::fclose(f), 0);
    EXPECT_EQ(plain.ReadAll(), want) << "the file form is the stream form";

    // Read back into items of their own flags: the flags stay the reader's.
    f = std::fopen(plain.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    CAxisGridItem first, second(0.0, 0.0);
    second.slctit();
    EXPECT_EQ(first.Read(f), 1);
    EXPECT_EQ(second.Read(f), 1);
    int i;
    double d;
    first.GetLeft(i);
    first.GetRight(d);
    EXPECT_EQ(i, 7);
    EXPECT_EQ(d, 1.5);
    EXPECT_TRUE(first.isActive());
    second.GetLeft(d);
    EXPECT_EQ(d, 0.25);
    second.GetRight(d);
    EXPECT_EQ(d, -2.0);
    EXPECT_TRUE(second.isActive()) << "not the stored 0";
    EXPECT_TRUE(second.isslcted());
    // Past the end: a short read changes nothing.
    EXPECT_EQ(first.Read(f), 0);
    first.GetLeft(i);
    EXPECT_EQ(i, 7);
    std::fclose(f);
    EXPECT_EQ(first.Read(nullptr), 0);
    EXPECT_EQ(first.Write(nullptr), 0);
}

TEST(AxisGridItem, AStreamRecordReadBackKeepsTheReadersFlags)
{
    vektest::TempFile file("grid_item", ".bin");
    vektest::Bytes bytes = kRealRecord;
    bytes.insert(bytes.end(), kIntRecord.begin(), kIntRecord.begin() + 9);  // a record cut short
    ASSERT_TRUE(file.WriteAll(bytes));
    bifstream in;
    ASSERT_TRUE(in.Open(file.c_str()));
    CAxisGridItem fresh(0.0, 0.0);
    fresh.Serialize(in);
    ASSERT_TRUE(in.IsGood());
    double d;
    fresh.GetLeft(d);
    EXPECT_EQ(d, 0.25);
    EXPECT_TRUE(fresh.isActive()) << "a fresh item is active whatever was written";
    EXPECT_FALSE(fresh.isslcted());
    CAxisGridItem kept(5, 6.0);
    kept.Serialize(in);
    EXPECT_FALSE(in.IsGood());
    int i;
    kept.GetLeft(i);
    kept.GetRight(d);
    EXPECT_EQ(i, 5) << "a short record leaves the item as it was";
    EXPECT_EQ(d, 6.0);
}

}  // namespace
