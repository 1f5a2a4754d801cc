// Drawing onto device contexts, GDI objects and the clipboard (Windows only).
#include <gtest/gtest.h>

#include <cstring>

#include "ImageTestUtil.h"
#include "analysis/MyImage.h"

using namespace imgtest;

namespace {

// A literal 0 would also be a null RECT pointer.
const long kZero = 0;

// A 24-bit top-down memory surface filled with one colour.
struct Surface {
    HDC dc = nullptr;
    HBITMAP bmp = nullptr;
    HGDIOBJ old = nullptr;
    BYTE* bits = nullptr;
    int w, h, stride;
    Surface(int width, int height, COLORREF fill) : w(width), h(height), stride(((width * 24 + 31) / 32) * 4)
    {
        BITMAPINFO bi;
        std::memset(&bi, 0, sizeof(bi));
        bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 24;
        void* p = nullptr;
        dc = CreateCompatibleDC(nullptr);
        bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
        bits = (BYTE*)p;
        old = SelectObject(dc, bmp);
        for (int y = 0; y < h; y++)
            for (int x = 0; x < w; x++) Set(x, y, fill);
    }
    ~Surface()
    {
        SelectObject(dc, old);
        DeleteObject(bmp);
        DeleteDC(dc);
    }
    void Set(int x, int y, COLORREF c)
    {
        BYTE* p = bits + y * stride + 3 * x;
        p[0] = GetBValue(c);
        p[1] = GetGValue(c);
        p[2] = GetRValue(c);
    }
    COLORREF At(int x, int y)
    {
        GdiFlush();
        const BYTE* p = bits + y * stride + 3 * x;
        return RGB(p[2], p[1], p[0]);
    }
};

// A 4 x 2 picture: top row red, green, blue, white; bottom row all index 4.
void MakeSmall(CMyImage& im)
{
    im.Create(4, 2, 8, 0);
    im.SetPaletteColor(0, 255, 0, 0);
    im.SetPaletteColor(1, 0, 255, 0);
    im.SetPaletteColor(2, 0, 0, 255);
    im.SetPaletteColor(3, 255, 255, 255);
    im.SetPaletteColor(4, 10, 20, 30);
    for (int x = 0; x < 4; x++) {
        im.SetPixelIndex(x, 1, (BYTE)x);
        im.SetPixelIndex(x, 0, 4);
    }
}

HWND g_window = nullptr;
HWND TestWindow()
{
    return g_window;
}

struct ClipboardWindow {
    ClipboardWindow()
    {
        g_window = CreateWindowExA(0, "STATIC", "clip", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        CMyImage::SetMainWindowSource(TestWindow);
    }
    ~ClipboardWindow()
    {
        CMyImage::SetMainWindowSource(nullptr);
        DestroyWindow(g_window);
        g_window = nullptr;
    }
};

}  // namespace

TEST(MyImageWin, DrawAtOneToOneStretchedAndClipped)
{
    CMyImage im;
    MakeSmall(im);
    Surface s(20, 10, RGB(1, 1, 1));
    EXPECT_EQ(im.Draw(s.dc, 2, 3), 1);  // cx, cy -1: the image's size
    EXPECT_EQ(s.At(2, 3), RGB(255, 0, 0));
    EXPECT_EQ(s.At(5, 3), RGB(255, 255, 255));
    EXPECT_EQ(s.At(2, 4), RGB(10, 20, 30));
    EXPECT_EQ(s.At(6, 3), RGB(1, 1, 1));

    Surface big(20, 10, RGB(1, 1, 1));
    EXPECT_EQ(im.Draw(big.dc, kZero, kZero, 8, 4), 1);
    EXPECT_EQ(big.At(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(big.At(7, 0), RGB(255, 255, 255));
    EXPECT_EQ(big.At(3, 3), RGB(10, 20, 30));

    // Only the clip rectangle changes; the clip region is restored afterwards.
    Surface clip(20, 10, RGB(1, 1, 1));
    RECT c = {1, 0, 3, 10};
    EXPECT_EQ(im.Draw(clip.dc, kZero, kZero, -1, -1, nullptr, &c), 1);
    EXPECT_EQ(clip.At(0, 0), RGB(1, 1, 1));
    EXPECT_EQ(clip.At(1, 0), RGB(0, 255, 0));
    EXPECT_EQ(clip.At(3, 0), RGB(1, 1, 1));
    EXPECT_EQ(im.Draw(clip.dc, 10, 0), 1);
    EXPECT_EQ(clip.At(13, 0), RGB(255, 255, 255));

    // A part of the picture.
    Surface part(20, 10, RGB(1, 1, 1));
    RECT src = {2, 0, 4, 1};
    EXPECT_EQ(im.Draw(part.dc, kZero, kZero, 2, 1, &src), 1);
    EXPECT_EQ(part.At(0, 0), RGB(0, 0, 255));
    EXPECT_EQ(part.At(1, 0), RGB(255, 255, 255));

    // Nothing to draw.
    EXPECT_EQ(im.Draw(nullptr, kZero, kZero), 0);
    EXPECT_EQ(im.Draw(s.dc, kZero, kZero, 0, 5), 0);
    im.Enable(false);
    EXPECT_EQ(im.Draw(s.dc, kZero, kZero), 0);
    CMyImage empty;
    EXPECT_EQ(empty.Draw(s.dc, kZero, kZero), 0);
    EXPECT_EQ(empty.Tile(s.dc, &c), 0);
}

TEST(MyImageWin, TransparentPixelsLeaveTheBackground)
{
    CMyImage im;
    MakeSmall(im);
    im.SetTransIndex(1);  // green
    for (int mode = 0; mode < 2; mode++) {
        Surface s(20, 10, RGB(7, 7, 7));
        if (mode == 0) {
            EXPECT_EQ(im.Draw(s.dc, kZero, kZero), 1);
        } else {
            EXPECT_EQ(im.Draw2(s.dc, kZero, kZero), 1);
        }
        EXPECT_EQ(s.At(0, 0), RGB(255, 0, 0)) << mode;
        EXPECT_EQ(s.At(1, 0), RGB(7, 7, 7)) << mode;
        EXPECT_EQ(s.At(2, 0), RGB(0, 0, 255)) << mode;
        EXPECT_EQ(s.At(1, 1), RGB(10, 20, 30)) << mode;
    }
    // Stretched twice: the transparent pixel covers a 2 x 2 block.
    Surface s(20, 10, RGB(7, 7, 7));
    EXPECT_EQ(im.Draw(s.dc, kZero, kZero, 8, 4), 1);
    EXPECT_EQ(s.At(2, 0), RGB(7, 7, 7));
    EXPECT_EQ(s.At(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(s.At(7, 0), RGB(255, 255, 255));
}

TEST(MyImageWin, TileAndStretch)
{
    CMyImage im;
    MakeSmall(im);
    Surface s(10, 5, RGB(1, 1, 1));
    RECT r = {0, 0, 10, 5};
    EXPECT_EQ(im.Tile(s.dc, &r), 1);
    EXPECT_EQ(s.At(4, 0), RGB(255, 0, 0));
    EXPECT_EQ(s.At(9, 2), RGB(0, 255, 0));  // the last column cut
    EXPECT_EQ(s.At(0, 4), RGB(255, 0, 0));  // the last row cut
    Surface t(8, 4, RGB(1, 1, 1));
    EXPECT_EQ(im.Stretch(t.dc, 0, 0, 8, 4), 1);
    EXPECT_EQ(t.At(7, 1), RGB(255, 255, 255));
}

TEST(MyImageWin, GdiObjectsInAndOut)
{
    CMyImage im;
    MakeSmall(im);
    HBITMAP bmp = im.CreateBitmap();
    ASSERT_NE(bmp, nullptr);
    CMyImage back;
    ASSERT_TRUE(back.CreateFromHBITMAP(bmp));
    back.ChangeColorDepth(24);
    CMyImage want(im);
    want.ChangeColorDepth(24);
    EXPECT_EQ(ComparePixels(back, want), "");
    DeleteObject(bmp);
    EXPECT_FALSE(back.CreateFromHBITMAP(nullptr));
    EXPECT_TRUE(back.IsEmpty());

    Surface s(6, 4, RGB(9, 9, 9));
    im.Draw(s.dc, 1, 1);
    CMyImage grab;
    RECT r = {1, 1, 5, 3};
    ASSERT_TRUE(grab.LoadFromDC(s.dc, r));
    EXPECT_EQ(grab.GetWidth(), 4u);
    EXPECT_EQ(ComparePixels(grab, want), "");

    HBITMAP into = nullptr;
    EXPECT_EQ(im.CopyToCBitmap(s.dc, &into), 1);
    ASSERT_NE(into, nullptr);
    CMyImage again;
    ASSERT_TRUE(again.CreateFromHBITMAP(into));
    EXPECT_EQ(ComparePixels(again, want), "");
    DeleteObject(into);

    // Text written into a white picture: red pixels appear right of x = 3.
    CMyImage text(60, 30, 24, 0);
    text.Clear(255);
    EXPECT_EQ(text.DrawTextA(nullptr, 3, 2, "Vek", Rgb(255, 0, 0), "Arial", 20, 700), 1);
    int red = 0, misplaced = 0;
    for (int y = 0; y < 30; y++)
        for (int x = 0; x < 60; x++)
            if (SameColor(text.GetPixelColor(x, y), Rgb(255, 0, 0))) {
                red++;
                if (x < 3 || y > 27) misplaced++;
            }
    EXPECT_GT(red, 10);
    EXPECT_EQ(misplaced, 0);
}

TEST(MyImageWin, DrawAtDialogItemDrawsTheChosenFrame)
{
    // Shown without taking the activation: test programs that run beside
    // this one keep the focus where they put it.
    HWND dlg = CreateWindowExA(WS_EX_TOPMOST | WS_EX_NOACTIVATE, "STATIC", "", WS_POPUP, 0, 0, 120, 80, nullptr,
                               nullptr, nullptr, nullptr);
    ASSERT_NE(dlg, nullptr);
    ShowWindow(dlg, SW_SHOWNOACTIVATE);
    HWND item = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 40, 20, 40, 40, dlg, (HMENU)(INT_PTR)100,
                                nullptr, nullptr);
    ASSERT_NE(item, nullptr);
    UpdateWindow(dlg);
    // A strip of three 32 x 32 frames: red, green, blue.
    CMyImage strip(96, 32, 24, 0);
    for (int y = 0; y < 32; y++)
        for (int x = 0; x < 96; x++)
            strip.SetPixelColor(x, y, x < 32 ? RGB(255, 0, 0) : x < 64 ? RGB(0, 255, 0) : RGB(0, 0, 255));
    EXPECT_EQ(strip.DrawAtDlgItem(dlg, 2, 100, 0), 1);
    HDC dc = GetDC(dlg);
    EXPECT_EQ(GetPixel(dc, 60, 40), RGB(0, 0, 255));  // centred on the item
    EXPECT_EQ(GetPixel(dc, 45, 25), RGB(0, 0, 255));
    ReleaseDC(dlg, dc);
    EXPECT_EQ(strip.DrawAtDlgItem(dlg, 0, 100, 1), 1);  // stretched over the item
    dc = GetDC(dlg);
    EXPECT_EQ(GetPixel(dc, 41, 21), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 78, 58), RGB(255, 0, 0));
    ReleaseDC(dlg, dc);
    EXPECT_EQ(strip.DrawAtDlgItem(dlg, 0, 999, 1), 0);
    EXPECT_EQ(strip.DrawAtDlgItem(nullptr, 0, 100, 1), 0);
    DestroyWindow(dlg);
}

TEST(MyImageWin, ClipboardRoundTrip)
{
    ClipboardWindow window;
    for (int bpp : {1, 4, 8, 24}) {
        CMyImage im;
        MakePattern(im, 13, 7, bpp);
        ASSERT_TRUE(im.CopyToClipboard()) << bpp;
        CMyImage back;
        ASSERT_TRUE(back.CopyFromClipboard()) << bpp;
        EXPECT_EQ(back.GetBpp(), im.GetBpp());
        EXPECT_EQ(ComparePixels(back, im), "") << bpp;
    }
    // A device context's rectangle goes on as a bitmap.
    Surface s(6, 4, RGB(9, 9, 9));
    RECT r = {0, 0, 6, 4};
    EXPECT_TRUE(CMyImage::CopyDCToClipboard(s.dc, r));
    ASSERT_TRUE(OpenClipboard(g_window));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
    CloseClipboard();

    // Without a main window nothing happens.
    CMyImage::SetMainWindowSource(nullptr);
    CMyImage im;
    MakePattern(im, 3, 3, 8);
    EXPECT_FALSE(im.CopyToClipboard());
    EXPECT_FALSE(im.CopyFromClipboard());
}

TEST(MyImageWin, ClipboardPicturesLargerThanTheirBlockAreRefused)
{
    // A 4 x 2 8-bit DIB with 3 palette entries, then damaged in several ways.
    auto make = [](uint32_t headerSize, uint32_t colors, int32_t height, size_t cut) {
        std::vector<uint8_t> d;
        LeBytes::Onto(d).i32(headerSize);
        LeBytes::Onto(d).i32(4);
        LeBytes::Onto(d).i32((uint32_t)height);
        LeBytes::Onto(d).i16(1);
        LeBytes::Onto(d).i16(8);
        LeBytes::Onto(d).i32(0);
        LeBytes::Onto(d).i32(8);
        LeBytes::Onto(d).i32(3780);
        LeBytes::Onto(d).i32(3780);
        LeBytes::Onto(d).i32(colors);
        LeBytes::Onto(d).i32(0);
        for (int i = 0; i < 3; i++) LeBytes::Onto(d).i32(0x00FF0000u >> (8 * i));
        for (int i = 0; i < 8; i++) d.push_back((uint8_t)(i % 3));
        d.resize(d.size() - cut);
        return d;
    };
    auto fromHandle = [](const std::vector<uint8_t>& d) {
        HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, d.size());
        std::memcpy(GlobalLock(h), d.data(), d.size());
        GlobalUnlock(h);
        CMyImage im;
        const bool ok = im.CreateFromHANDLE(h);
        GlobalFree(h);
        return ok;
    };
    CMyImage good;
    ASSERT_TRUE(good.CreateFromPackedDIB(make(40, 3, 2, 0).data(), make(40, 3, 2, 0).size()));
    EXPECT_TRUE(SameColor(good.GetPixelColor(1, 0), Rgb(0, 255, 0)));
    EXPECT_TRUE(fromHandle(make(40, 3, -2, 0)));           // top-down
    EXPECT_FALSE(fromHandle(make(4000, 3, 2, 0)));         // header beyond the block
    EXPECT_FALSE(fromHandle(make(20, 3, 2, 0)));           // header too small
    EXPECT_FALSE(fromHandle(make(40, 0x40000000, 2, 0)));  // palette beyond the block
    EXPECT_FALSE(fromHandle(make(40, 200, 2, 0)));
    EXPECT_FALSE(fromHandle(make(40, 3, 2, 1)));  // rows cut short
    EXPECT_FALSE(fromHandle(make(40, 3, 5000, 0)));

    // Through the clipboard itself.
    ClipboardWindow window;
    const std::vector<uint8_t> bad = make(4000, 3, 2, 0);
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bad.size());
    std::memcpy(GlobalLock(h), bad.data(), bad.size());
    GlobalUnlock(h);
    ASSERT_TRUE(OpenClipboard(g_window));
    EmptyClipboard();
    ASSERT_NE(SetClipboardData(CF_DIB, h), nullptr);
    CloseClipboard();
    CMyImage im;
    EXPECT_FALSE(im.CopyFromClipboard());
    EXPECT_TRUE(im.IsEmpty());
}
