// The in-memory picture: block layout, pixels, palette, depth conversion and
// the row iterator.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "ImageTestUtil.h"
#include "analysis/MyImage.h"
#include "analysis/MyImageIterator.h"

using namespace imgtest;

TEST(MyImage, CreateRoundsDepthAndLaysOutTheBlock)
{
    struct Case {
        uint32_t w, h;
        int bpp;
        int depth;
        uint32_t colors, eff;
    } cases[] = {
        {10, 1, 3, 4, 16, 8}, {3, 2, 16, 24, 0, 12}, {33, 2, 0, 1, 2, 8},  {33, 2, 1, 1, 2, 8},
        {5, 3, 2, 4, 16, 4},  {5, 3, 5, 8, 256, 8},  {5, 3, 8, 8, 256, 8}, {1, 1, 32, 24, 0, 4},
    };
    for (const Case& c : cases) {
        CMyImage im;
        ASSERT_NE(im.Create(c.w, c.h, c.bpp, 1), nullptr);
        EXPECT_EQ(im.GetBpp(), c.depth) << c.bpp;
        EXPECT_EQ(im.GetNumColors(), c.colors) << c.bpp;
        EXPECT_EQ(im.GetEffWidth(), c.eff) << c.bpp;
        EXPECT_EQ(im.GetHeader().biSizeImage, c.eff * c.h);
        EXPECT_EQ(im.GetSize(), 40 + c.colors * 4 + c.eff * c.h);
        // The block starts with the header, then the zeroed palette, then the rows.
        BITMAPINFOHEADER head;
        std::memcpy(&head, im.GetDIB(), 40);
        EXPECT_EQ(head.biSize, 40u);
        EXPECT_EQ(head.biWidth, (LONG)c.w);
        EXPECT_EQ(head.biBitCount, c.depth);
        EXPECT_EQ(head.biClrUsed, c.colors);
        EXPECT_EQ(head.biXPelsPerMeter, 3780);
        EXPECT_EQ(im.GetBits(), (BYTE*)im.GetDIB() + 40 + c.colors * 4);
        for (uint32_t i = 0; i < c.colors; i++) EXPECT_TRUE(SameColor(im.GetPaletteColor((BYTE)i), Rgb(0, 0, 0)));
    }
}

TEST(MyImage, EmptyImageAnswersZeros)
{
    CMyImage im(2);
    EXPECT_TRUE(im.IsEmpty());
    EXPECT_EQ(im.GetWidth(), 0u);
    EXPECT_EQ(im.GetBpp(), 0);
    EXPECT_EQ(im.GetBits(), nullptr);
    EXPECT_EQ(im.GetPalette(), nullptr);
    EXPECT_EQ(im.GetPixelIndex(0, 0), 0);
    EXPECT_EQ(im.GetNearestIndex(Rgb(1, 2, 3)), 0);
    EXPECT_EQ(im.ChangeColorDepth(8), 0);
    EXPECT_EQ(im.GetType(), 2u);
    EXPECT_EQ(im.GetTransIndex(), -1);
    EXPECT_EQ(im.GetEncodeOption(), 2u);
    EXPECT_EQ(im.GetXDPI(), 96);
    EXPECT_TRUE(im.IsEnabled());
    im.SetPixelIndex(0, 0, 1);  // ignored
    im.Clear(7);
    EXPECT_TRUE(im.IsEmpty());
}

TEST(MyImage, HugeCreateFailsAndLeavesTheImageEmpty)
{
    CMyImage im;
    EXPECT_EQ(im.Create(0x7FFFFFFF, 0x7FFFFFFF, 24), nullptr);
    EXPECT_TRUE(im.IsEmpty());
    EXPECT_EQ(im.Create(0xFFFFFFFFu, 1, 1), nullptr);
    EXPECT_TRUE(im.IsEmpty());
}

TEST(MyImage, PixelIndexPackingAndOutsideAnswers)
{
    CMyImage im4(4, 2, 4, 0);
    im4.Clear(0);
    im4.SetPixelIndex(0, 0, 0xA);
    im4.SetPixelIndex(1, 0, 0x3);
    im4.SetPixelIndex(3, 1, 0x1F);  // masked to the pixel's width
    EXPECT_EQ(im4.GetBits()[0], 0xA3);
    EXPECT_EQ(im4.GetBits()[im4.GetEffWidth() + 1], 0x0F);
    EXPECT_EQ(im4.GetPixelIndex(3, 1), 0xF);

    CMyImage im1(10, 1, 1, 0);
    im1.Clear(0);
    im1.SetPixelIndex(0, 0, 1);
    im1.SetPixelIndex(9, 0, 1);
    EXPECT_EQ(im1.GetBits()[0], 0x80);
    EXPECT_EQ(im1.GetBits()[1], 0x40);
    EXPECT_EQ(im1.GetPixelIndex(9, 0), 1);
    EXPECT_EQ(im1.GetPixelIndex(8, 0), 0);

    CMyImage im8(3, 3, 8, 0);
    im8.Clear(9);
    EXPECT_EQ(im8.GetPixelIndex(-1, 0), 0);
    im8.SetTransIndex(5);
    EXPECT_EQ(im8.GetPixelIndex(3, 0), 5);
    EXPECT_EQ(im8.GetPixelIndex(1, 1), 9);
    im8.SetPixelIndex(5, 5, 1);  // outside: ignored
    CMyImage im24(2, 2, 24, 0);
    EXPECT_EQ(im24.GetPixelIndex(0, 0), 0);
}

TEST(MyImage, PixelColorsThroughPaletteAndOutside)
{
    CMyImage im(2, 2, 8, 0);
    im.SetPaletteColor(0, 10, 20, 30);
    im.SetPaletteColor(1, 200, 100, 50);
    im.Clear(0);
    im.SetPixelColor(1, 1, Rgb(199, 101, 52));  // nearest entry 1
    EXPECT_EQ(im.GetPixelIndex(1, 1), 1);
    EXPECT_TRUE(SameColor(im.GetPixelColor(1, 1), Rgb(200, 100, 50)));
    // Outside without transparency: pixel (0, 0); with an index: that entry.
    EXPECT_TRUE(SameColor(im.GetPixelColor(-3, 9), Rgb(10, 20, 30)));
    im.SetTransIndex(1);
    EXPECT_TRUE(SameColor(im.GetPixelColor(-3, 9), Rgb(200, 100, 50)));
    EXPECT_TRUE(SameColor(im.GetTransColor(), Rgb(200, 100, 50)));

    CMyImage rgb(3, 1, 24, 0);
    rgb.SetPixelColor(2, 0, RGB(1, 2, 3));
    const BYTE* p = rgb.GetBits() + 6;
    EXPECT_EQ(p[0], 3);
    EXPECT_EQ(p[1], 2);
    EXPECT_EQ(p[2], 1);
    rgb.SetTransIndex(0);
    rgb.SetTransColor(Rgb(9, 8, 7));
    EXPECT_TRUE(SameColor(rgb.GetPixelColor(5, 0), Rgb(9, 8, 7)));
    EXPECT_EQ(rgb.GetPixelGray(2, 0), (BYTE)(0.299 * 1 + 0.587 * 2 + 0.114 * 3));
}

TEST(MyImage, NearestIndexPrefersLowerEntryAndCaches)
{
    CMyImage im(1, 1, 4, 0);
    im.SetPaletteColor(3, 50, 60, 70);
    im.SetPaletteColor(7, 50, 60, 70);
    EXPECT_EQ(im.GetNearestIndex(Rgb(50, 60, 70)), 3);
    // A palette change through the bits directly is not seen while the cache holds.
    im.GetPalette()[3] = Rgb(0, 0, 0);
    EXPECT_EQ(im.GetNearestIndex(Rgb(50, 60, 70)), 3);
    // Changing the palette through the image clears the cache.
    im.SetPaletteColor(3, 0, 0, 1);
    EXPECT_EQ(im.GetNearestIndex(Rgb(50, 60, 70)), 7);
}

TEST(MyImage, PaletteOperations)
{
    CMyImage im(2, 2, 4, 0);
    const BYTE r[3] = {1, 2, 3};
    im.SetPalette(3, r);  // green and blue follow red
    EXPECT_TRUE(SameColor(im.GetPaletteColor(2), Rgb(3, 3, 3)));
    BYTE rr, gg, bb;
    EXPECT_TRUE(im.GetPaletteColor(1, &rr, &gg, &bb));
    EXPECT_EQ(rr + gg + bb, 6);
    EXPECT_FALSE(im.GetPaletteColor(16, &rr, &gg, &bb));
    im.SetPaletteColor(16, 9, 9, 9);  // ignored
    EXPECT_TRUE(SameColor(im.GetPaletteColor(16), Rgb(0, 0, 0)));

    im.SetGrayPalette();
    EXPECT_TRUE(SameColor(im.GetPaletteColor(15), Rgb(255, 255, 255)));
    EXPECT_TRUE(SameColor(im.GetPaletteColor(1), Rgb(17, 17, 17)));
    EXPECT_FALSE(im.IsGrayScale());  // only an identity ramp counts
    CMyImage g8(1, 1, 8, 0);
    g8.SetGrayPalette();
    EXPECT_TRUE(g8.IsGrayScale());

    im.SetPaletteColor(0, 100, 0, 200);
    im.BlendPalette(RGB(0, 100, 0), 150);  // capped at 100 %
    EXPECT_TRUE(SameColor(im.GetPaletteColor(0), Rgb(0, 100, 0)));
    im.SetPaletteColor(0, 100, 0, 200);
    im.BlendPalette(RGB(0, 100, 0), 25);
    EXPECT_TRUE(SameColor(im.GetPaletteColor(0), Rgb(75, 25, 150)));

    im.SetStdPalette();
    EXPECT_TRUE(SameColor(im.GetPaletteColor(7), Rgb(192, 192, 192)));
    EXPECT_TRUE(SameColor(im.GetPaletteColor(14), Rgb(0, 255, 255)));
    CMyImage s8(1, 1, 8, 0);
    s8.SetStdPalette();
    EXPECT_TRUE(SameColor(s8.GetPaletteColor(246), Rgb(255, 251, 240)));
    EXPECT_TRUE(SameColor(s8.GetPaletteColor(247), Rgb(160, 160, 164)));
    EXPECT_TRUE(SameColor(s8.GetPaletteColor(248), Rgb(128, 128, 128)));
    EXPECT_TRUE(SameColor(s8.GetPaletteColor(255), Rgb(255, 255, 255)));
    EXPECT_TRUE(SameColor(s8.GetPaletteColor(0), Rgb(0, 0, 0)));
}

TEST(MyImage, SwapIndexKeepsTheLook)
{
    CMyImage im;
    MakePattern(im, 9, 4, 4);
    CMyImage before(im);
    im.SwapIndex(2, 7);
    EXPECT_EQ(ComparePixels(im, before), "");
    EXPECT_TRUE(SameColor(im.GetPaletteColor(2), before.GetPaletteColor(7)));
    int moved = 0;
    for (int y = 0; y < 4; y++)
        for (int x = 0; x < 9; x++)
            if (before.GetPixelIndex(x, y) == 2) {
                EXPECT_EQ(im.GetPixelIndex(x, y), 7);
                moved++;
            }
    EXPECT_GT(moved, 0);
}

TEST(MyImage, ChangeColorDepthTo8FillsPaletteInRowOrderThenMapsNearest)
{
    // 300 distinct colours, bottom row first.
    CMyImage im(30, 10, 24, 0);
    for (int y = 0; y < 10; y++)
        for (int x = 0; x < 30; x++) {
            const int k = y * 30 + x;
            im.SetPixelColor(x, y, Rgb((BYTE)(k % 256), (BYTE)(k / 256 * 100), 7));
        }
    ASSERT_EQ(im.ChangeColorDepth(8), 1);
    EXPECT_EQ(im.GetBpp(), 8);
    EXPECT_EQ(im.GetType(), 1u);
    for (int k = 0; k < 256; k++) EXPECT_TRUE(SameColor(im.GetPaletteColor((BYTE)k), Rgb((BYTE)k, 0, 7))) << k;
    // Colour 256 + j is (j, 100, 7): nearest by absolute differences is entry j.
    for (int k = 256; k < 300; k++) EXPECT_EQ(im.GetPixelIndex(k % 30, k / 30), k - 256) << k;
    EXPECT_EQ(im.ChangeColorDepth(8), 0);

    // Up to 24 bits keeps every colour.
    CMyImage pal;
    MakePattern(pal, 7, 5, 4);
    CMyImage copy(pal);
    ASSERT_EQ(copy.ChangeColorDepth(24), 1);
    EXPECT_EQ(copy.GetBpp(), 24);
    EXPECT_EQ(ComparePixels(copy, pal), "");
    // And back down to 4 bits: 16 colours fit exactly.
    ASSERT_EQ(copy.ChangeColorDepth(4), 1);
    EXPECT_EQ(ComparePixels(copy, pal), "");
}

TEST(MyImage, CopyTransferGhostAndCopyInfo)
{
    CMyImage a;
    MakePattern(a, 5, 3, 8);
    a.SetTransIndex(4);
    a.SetFrameDelay(12);
    CMyImage b(a, true);
    EXPECT_EQ(ComparePixels(a, b), "");
    EXPECT_EQ(b.GetTransIndex(), 4);
    EXPECT_NE(b.GetDIB(), a.GetDIB());
    CMyImage c(a, false);  // palette only
    EXPECT_TRUE(SameColor(c.GetPaletteColor(9), a.GetPaletteColor(9)));
    EXPECT_EQ(c.GetWidth(), 5u);

    CMyImage g;
    g.Ghost(&a);
    EXPECT_EQ(g.GetDIB(), a.GetDIB());
    g.Destroy();  // a borrower never frees
    EXPECT_FALSE(a.IsEmpty());
    EXPECT_EQ(a.GetPixelIndex(1, 1), b.GetPixelIndex(1, 1));

    CMyImage t;
    void* block = a.GetDIB();
    t.Transfer(a);
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(a.GetWidth(), 0u);
    EXPECT_EQ(t.GetDIB(), block);
    EXPECT_EQ(t.GetFrameDelay(), 12u);

    CMyImage info;
    info.CopyInfo(t);
    EXPECT_EQ(info.GetFrameDelay(), 12u);
    EXPECT_TRUE(info.IsEmpty());
    b.SetFrameDelay(1);
    b.CopyInfo(t);  // has a block: nothing copied
    EXPECT_EQ(b.GetFrameDelay(), 1u);

    b = b;  // self-assignment changes nothing
    EXPECT_EQ(ComparePixels(b, t), "");
}

TEST(MyImage, ResolutionAndBitfields)
{
    CMyImage im;
    im.SetXDPI(300);
    EXPECT_EQ(im.GetHeader().biXPelsPerMeter, 11811);
    im.SetYDPI(72);
    EXPECT_EQ(im.GetHeader().biYPelsPerMeter, 2835);

    // Two 5-6-5 pixels: pure red and a mid green.
    CMyImage rgb(2, 1, 24, 0);
    const BYTE src[4] = {0x00, 0xF8, 0xE0, 0x03};  // 0xF800, 0x03E0
    rgb.Bitfield2RGB(src, 0xF800, 0x07E0, 0x001F, 16);
    EXPECT_TRUE(SameColor(rgb.GetPixelColor(0, 0), Rgb(255, 0, 0)));
    EXPECT_TRUE(SameColor(rgb.GetPixelColor(1, 0), Rgb(0, 125, 0)));  // 31 of 63
    const BYTE src32[8] = {1, 2, 3, 99, 4, 5, 6, 99};
    rgb.Bitfield2RGB(src32, 0, 0, 0, 32);
    EXPECT_TRUE(SameColor(rgb.GetPixelColor(1, 0), Rgb(6, 5, 4)));
}

TEST(MyImage, CreateFromARGBPutsTheFirstRowOnTop)
{
    const BYTE buf[2 * 2 * 4] = {1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0, 10, 11, 12, 0};
    CMyImage im;
    EXPECT_FALSE(im.CreateFromARGB(2, 2, nullptr));
    ASSERT_TRUE(im.CreateFromARGB(2, 2, buf));
    EXPECT_TRUE(SameColor(im.GetPixelColor(0, 1), Rgb(3, 2, 1)));
    EXPECT_TRUE(SameColor(im.GetPixelColor(1, 0), Rgb(12, 11, 10)));
}

TEST(MyImage, ColorHelpers)
{
    const RGBQUAD q = CMyImage::RGBtoRGBQUAD(RGB(10, 20, 30));
    EXPECT_EQ(q.rgbRed, 10);
    EXPECT_EQ(q.rgbBlue, 30);
    EXPECT_EQ(CMyImage::RGBQUADtoRGB(q), RGB(10, 20, 30));
    const RGBQUAD w = Rgb(255, 255, 255), k = Rgb(0, 0, 0);
    EXPECT_EQ(CMyImage::CompareColors(&w, &k), 76 + 149 + 29);
    CMyImage im(2, 1, 24, 0);
    BYTE buf[7] = {1, 2, 3, 4, 5, 6, 7};
    im.RGBtoBGR(buf, 7);
    EXPECT_EQ(buf[0], 3);
    EXPECT_EQ(buf[2], 1);
    EXPECT_EQ(buf[3], 6);
    EXPECT_EQ(buf[6], 7);
}

TEST(MyImageIterator, WalksRowsAndBytes)
{
    CMyImage im(3, 3, 8, 0);  // rows of 4 bytes
    for (int y = 0; y < 3; y++)
        for (int x = 0; x < 4; x++) im.GetBits()[y * 4 + x] = (BYTE)(y * 10 + x);
    CMyImageIterator it(&im);
    EXPECT_TRUE(it.ItOK());
    EXPECT_EQ(it.GetByte(), 0);
    EXPECT_TRUE(it.NextRow());
    EXPECT_EQ(it.GetByte(), 10);
    it.Upset();
    EXPECT_EQ(it.GetY(), 2);
    EXPECT_EQ(it.GetByte(), 20);
    EXPECT_FALSE(it.NextRow());  // leaving the picture: stays
    EXPECT_EQ(it.GetByte(), 20);
    it.Reset();
    for (int i = 0; i < 4; i++) EXPECT_TRUE(it.NextByte());  // wraps to the next row
    EXPECT_EQ(it.GetY(), 1);
    EXPECT_EQ(it.GetByte(), 10);
    EXPECT_TRUE(it.PrevByte());
    EXPECT_EQ(it.GetY(), 0);  // wrapped back a row, column 0
    EXPECT_EQ(it.GetByte(), 0);
    BYTE row[4] = {9, 9, 9, 9};
    it.SetY(2);
    it.SetRow(row, -1);
    EXPECT_EQ(im.GetBits()[8], 9);
    BYTE out[2] = {0, 0};
    it.GetRow(1);
    it.GetRow(out, 2);
    EXPECT_EQ(out[1], 11);
    it.SetSteps(2, 1);
    it.Reset();
    EXPECT_TRUE(it.NextStep());
    EXPECT_EQ(it.GetX(), 2);
    EXPECT_TRUE(it.NextStep());
    EXPECT_EQ(it.GetY(), 1);
    // The column counts bytes: the last byte of a 24-bit row is still inside.
    CMyImage rgb(3, 2, 24, 0);
    CMyImageIterator it24(&rgb);
    for (int i = 0; i < 11; i++) it24.NextByte();
    EXPECT_EQ(it24.GetX(), 11);
    EXPECT_TRUE(it24.ItOK());
    CMyImageIterator none;
    EXPECT_FALSE(none.ItOK());
    EXPECT_FALSE(none.NextByte());
    EXPECT_EQ((CMyImage*)it, &im);
}
