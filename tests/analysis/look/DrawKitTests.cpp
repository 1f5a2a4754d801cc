// Off-screen drawing, the scoped selectors and the drop button.
#include <gtest/gtest.h>

#include "LookTestApp.h"
#include "analysis/BufferDC.h"
#include "analysis/DrawButton.h"
#include "analysis/FlatLook.h"

using namespace looktest;

namespace {

using Canvas = MemCanvas;

const COLORREF kBack = RGB(1, 2, 3);
const COLORREF kInk = RGB(250, 10, 20);

TEST(BufferDC, DrawsInTheDestinationsCoordinatesAndOnlyInsideItsRectangle)
{
    Canvas canvas(200, 200, kBack);
    {
        const CRect r(50, 60, 90, 100);
        CBufferDC dc(canvas.dc(), &r);
        ASSERT_TRUE(dc.IsBuffered());
        dc.FillSolidRect(0, 0, 200, 200, kInk);  // far beyond the rectangle
        dc.SetPixel(55, 65, RGB(0, 255, 0));
        EXPECT_EQ(canvas.At(55, 65), kBack) << "nothing reaches the destination before the end";
    }
    EXPECT_EQ(canvas.At(55, 65), RGB(0, 255, 0));
    EXPECT_EQ(canvas.At(50, 60), kInk);
    EXPECT_EQ(canvas.At(89, 99), kInk);
    for (const CPoint p : {CPoint(49, 70), CPoint(90, 70), CPoint(70, 59), CPoint(70, 100), CPoint(10, 10)})
        EXPECT_EQ(canvas.At(p.x, p.y), kBack) << p.x << "," << p.y;
}

TEST(BufferDC, AnEmptyRectangleMeansTheClipBox)
{
    Canvas canvas(120, 80, kBack);
    ::IntersectClipRect(canvas.dc(), 10, 20, 40, 50);
    {
        CBufferDC dc(canvas.dc(), nullptr);
        EXPECT_EQ(dc.GetRect(), CRect(10, 20, 40, 50));
        dc.FillSolidRect(0, 0, 120, 80, kInk);
    }
    ::SelectClipRgn(canvas.dc(), nullptr);
    EXPECT_EQ(canvas.At(10, 20), kInk);
    EXPECT_EQ(canvas.At(39, 49), kInk);
    EXPECT_EQ(canvas.At(40, 50), kBack);
    CRect empty;
    CBufferDC dc(canvas.dc(), &empty);
    EXPECT_EQ(dc.GetRect(), CRect(0, 0, 120, 80));
}

TEST(BufferDC, WithoutABitmapItDrawsStraightOnTheDestination)
{
    Canvas canvas(60, 60, kBack);
    {
        // No memory bitmap of this size can be had.
        const CRect huge(0, 0, 200000, 200000);
        CBufferDC dc(canvas.dc(), &huge);
        EXPECT_FALSE(dc.IsBuffered());
        dc.FillSolidRect(5, 5, 10, 10, kInk);
        EXPECT_EQ(canvas.At(7, 7), kInk) << "already on the destination";
    }
    EXPECT_EQ(canvas.At(7, 7), kInk);
}

TEST(Selectors, PutTheirObjectInAndTheOldOneBack)
{
    Canvas canvas(20, 20, kBack);
    CDC* dc = CDC::FromHandle(canvas.dc());
    const HGDIOBJ pen = ::GetCurrentObject(canvas.dc(), OBJ_PEN);
    const HGDIOBJ brush = ::GetCurrentObject(canvas.dc(), OBJ_BRUSH);
    const HGDIOBJ font = ::GetCurrentObject(canvas.dc(), OBJ_FONT);
    const COLORREF text = ::GetTextColor(canvas.dc());
    {
        CPenSelector p(*dc, kInk);
        CBrushSelector b(*dc, CLR_NONE);
        EXPECT_EQ(::GetCurrentObject(canvas.dc(), OBJ_BRUSH), ::GetStockObject(NULL_BRUSH));
        b.Color(RGB(0, 255, 0));
        CStockSelector f(*dc, DEFAULT_GUI_FONT, RGB(9, 9, 9));
        EXPECT_EQ(::GetTextColor(canvas.dc()), RGB(9, 9, 9));
        dc->Rectangle(2, 2, 12, 12);
        EXPECT_EQ(canvas.At(2, 5), kInk);
        EXPECT_EQ(canvas.At(6, 6), RGB(0, 255, 0));
    }
    EXPECT_EQ(::GetCurrentObject(canvas.dc(), OBJ_PEN), pen);
    EXPECT_EQ(::GetCurrentObject(canvas.dc(), OBJ_BRUSH), brush);
    EXPECT_EQ(::GetCurrentObject(canvas.dc(), OBJ_FONT), font);
    EXPECT_EQ(::GetTextColor(canvas.dc()), text);
}

TEST(Selectors, BoldOverBoldChangesNothing)
{
    Canvas canvas(20, 20, kBack);
    CDC* dc = CDC::FromHandle(canvas.dc());
    LOGFONTA lf{};
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    lf.lfWeight = FW_BOLD;
    HFONT bold = ::CreateFontIndirectA(&lf);
    HGDIOBJ old = ::SelectObject(canvas.dc(), bold);
    {
        CBoldSelector b(*dc, true);
        EXPECT_FALSE(b.Changed());
        EXPECT_EQ(::GetCurrentObject(canvas.dc(), OBJ_FONT), bold);
    }
    EXPECT_EQ(::GetCurrentObject(canvas.dc(), OBJ_FONT), bold);
    {
        CBoldSelector b(*dc, false);
        EXPECT_TRUE(b.Changed());
        LOGFONTA now{};
        ::GetObjectA(::GetCurrentObject(canvas.dc(), OBJ_FONT), sizeof now, &now);
        EXPECT_EQ(now.lfWeight, FW_NORMAL);
    }
    EXPECT_EQ(::GetCurrentObject(canvas.dc(), OBJ_FONT), bold);
    ::SelectObject(canvas.dc(), old);
    ::DeleteObject(bold);
}

TEST(DrawButton, FlatDropButtonStates)
{
    const CRect r(0, 0, 17, 20);
    const COLORREF hl = ::GetSysColor(COLOR_HIGHLIGHT);
    struct Case {
        WORD state;
        COLORREF frame, fill, glyph;
    } cases[] = {
        {CDrawButton::Flat | CDrawButton::GlyphDown, ::GetSysColor(COLOR_WINDOW), ::GetSysColor(COLOR_BTNFACE),
         ::GetSysColor(COLOR_BTNTEXT)},
        {CDrawButton::Flat | CDrawButton::GlyphDown | CDrawButton::OutsideBar, ::GetSysColor(COLOR_BTNSHADOW),
         ::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNTEXT)},
        {CDrawButton::Flat | CDrawButton::GlyphDown | CDrawButton::Hot, hl, HLS_TRANSFORM(hl, 70, -57), RGB(0, 0, 0)},
        {CDrawButton::Flat | CDrawButton::GlyphDown | CDrawButton::Hot | CDrawButton::Pressed, hl,
         HLS_TRANSFORM(hl, 50, -50), RGB(240, 240, 240)},
        {CDrawButton::Flat | CDrawButton::GlyphDown | CDrawButton::Hot | CDrawButton::Disabled,
         ::GetSysColor(COLOR_WINDOW), ::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_GRAYTEXT)},
    };
    for (const Case& c : cases) {
        Canvas canvas(r.Width(), r.Height(), kBack);
        CDrawButton(c.state, r).Draw(CDC::FromHandle(canvas.dc()));
        EXPECT_EQ(Hex(canvas.At(0, 10)), Hex(c.frame)) << std::hex << c.state;
        EXPECT_EQ(Hex(canvas.At(2, 2)), Hex(c.fill)) << std::hex << c.state;
        // The arrow: 4 lines, its apex 2 below the middle.
        const int mx = r.Width() / 2, my = r.Height() / 2;
        EXPECT_EQ(Hex(canvas.At(mx, my + 2)), Hex(c.glyph)) << std::hex << c.state;
        EXPECT_EQ(Hex(canvas.At(mx - 3, my - 1)), Hex(c.glyph)) << std::hex << c.state;
        EXPECT_EQ(Hex(canvas.At(mx - 1, my + 2)), Hex(c.fill)) << std::hex << c.state;
    }
}

}  // namespace
