// The picture strip: cells from the picture's size, their layout in columns,
// the cell under the mouse repainting alone, and a click told to the parent.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppTestUtil.h"
#include "analysis/MyImage.h"
#include "tests/support/MemCanvas.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WinTestSupport.h"
#include "vek/app/BmpWnd.h"

using apptest::Frame;

namespace {

// A picture h high whose cells (h wide each) are filled with colours 0, 1, 2...
std::string StripFile(int w, int h, const vektest::TempFile& file)
{
    CMyImage image;
    image.Create(w, h, 24, CMYIMAGE_FORMAT_BMP);
    for (int x = 0; x < w; ++x)
        for (int y = 0; y < h; ++y) {
            const BYTE c = static_cast<BYTE>(40 * (x / h + 1));
            image.SetPixelColor(x, y, RGBQUAD{c, 0, 0, 0});
        }
    image.WriteBmpFile(file.c_str());
    return file.c_str();
}

// The parent records the cells it is told of.
class Parent : public CFrameWnd {
public:
    std::vector<WPARAM> cells;
    LRESULT WindowProc(UINT message, WPARAM wp, LPARAM lp) override
    {
        if (message == WM_BMPWND_CELL) cells.push_back(wp);
        return CFrameWnd::WindowProc(message, wp, lp);
    }
};

class BmpWndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(Frame(), nullptr);
        parent = new Parent;
        ASSERT_TRUE(parent->Create(nullptr, "strip", WS_OVERLAPPEDWINDOW, CRect(100, 100, 500, 400)));
        ASSERT_TRUE(strip.Create(CRect(0, 0, 300, 200), parent, 1));
        parent->ShowWindow(SW_SHOWNOACTIVATE);
    }
    void TearDown() override
    {
        if (parent && parent->m_hWnd) parent->DestroyWindow();  // deletes itself
    }
    bool NeedsPaint(CRect* r = nullptr)
    {
        CRect u;
        const BOOL any = ::GetUpdateRect(strip.m_hWnd, &u, FALSE);
        if (r) *r = u;
        return any != FALSE;
    }
    void Move(int x, int y) { strip.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }
    Parent* parent = nullptr;
    CBmpWnd strip;
};

}  // namespace

TEST_F(BmpWndTest, CellsAndRowsFromThePictureAndTheColumns)
{
    struct Case {
        int w, h, columns, cells, rows;
    } cases[] = {{191, 64, 1, 3, 3}, {190, 64, 1, 2, 2}, {191, 64, 2, 3, 2}, {191, 64, 0, 3, 3}, {40, 64, 3, 0, 0}};
    for (const Case& c : cases) {
        vektest::TempFile file("strip", ".bmp");
        ASSERT_TRUE(strip.LoadPicture(StripFile(c.w, c.h, file).c_str()));
        strip.SetColumns(c.columns);
        EXPECT_EQ(strip.m_nCells, c.cells) << c.w;
        EXPECT_EQ(strip.m_nRows, c.rows) << c.w;
        EXPECT_EQ(strip.m_nColumns, c.columns < 1 ? 1 : c.columns);
        if (c.cells) {
            EXPECT_EQ(strip.m_nContentWidth, strip.m_nColumns * c.h);
            EXPECT_EQ(strip.m_nContentHeight, c.rows * c.h);
        }
    }
    EXPECT_FALSE(strip.LoadPicture("Z:\\no\\such\\strip.bmp"));
    EXPECT_EQ(strip.m_nCells, 0);
}

TEST_F(BmpWndTest, EachCellDrawsItsOwnPartOfThePicture)
{
    vektest::TempFile file("strip", ".bmp");
    ASSERT_TRUE(strip.LoadPicture(StripFile(3 * 20, 20, file).c_str()));
    strip.SetColumns(2);
    vektest::MemCanvas canvas(60, 60, RGB(255, 255, 255));
    strip.OnDraw(CDC::FromHandle(canvas.dc()));
    // Cells 0 and 1 in the first row, cell 2 below cell 0; nothing beside it.
    EXPECT_EQ(canvas.At(10, 10), RGB(0, 0, 40));
    EXPECT_EQ(canvas.At(30, 10), RGB(0, 0, 80));
    EXPECT_EQ(canvas.At(10, 30), RGB(0, 0, 120));
    EXPECT_EQ(canvas.At(30, 30), RGB(255, 255, 255));
}

TEST_F(BmpWndTest, TheHoverCellRepaintsAloneAndAClickTellsTheParent)
{
    vektest::TempFile file("strip", ".bmp");
    ASSERT_TRUE(strip.LoadPicture(StripFile(3 * 32, 32, file).c_str()));
    strip.SetColumns(3);
    strip.UpdateWindow();
    ASSERT_FALSE(NeedsPaint());

    Move(40, 10);
    EXPECT_EQ(strip.m_nHover, 1);
    CRect r;
    ASSERT_TRUE(NeedsPaint(&r));
    EXPECT_EQ(r, CRect(32, 0, 64, 32));
    strip.UpdateWindow();
    Move(50, 20);  // the same cell
    EXPECT_FALSE(NeedsPaint());

    // Off every cell: no hover, the old cell repaints; a click tells nothing.
    Move(150, 100);
    EXPECT_EQ(strip.m_nHover, -1);
    ASSERT_TRUE(NeedsPaint(&r));
    EXPECT_EQ(r, CRect(32, 0, 64, 32));
    strip.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 100));
    EXPECT_TRUE(parent->cells.empty());

    Move(70, 5);
    strip.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(70, 5));
    EXPECT_EQ(parent->cells, std::vector<WPARAM>{2});
    EXPECT_EQ(strip.m_nSelected, 2);
}
