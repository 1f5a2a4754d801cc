// BMP files: the bytes written, the header forms read, run-length data, bit
// fields, and the damaged or unsupported files that must be refused.
#include <gtest/gtest.h>

#include <cstring>

#include "ImageTestUtil.h"
#include "analysis/MyImageBMP.h"
#include "analysis/MyImageGIF.h"

using namespace imgtest;

namespace {

struct Info {
    uint32_t size = 40;
    int32_t width = 0, height = 0;
    uint16_t bits = 8;
    uint32_t compression = 0, sizeImage = 0, clrUsed = 0;
    int32_t ppm = 3780;
};

void PutInfo(std::vector<uint8_t>& d, const Info& i)
{
    if (i.size == 12) {
        LeBytes::Onto(d).i32(12);
        LeBytes::Onto(d).i16((uint32_t)i.width);
        LeBytes::Onto(d).i16((uint32_t)i.height);
        LeBytes::Onto(d).i16(1);
        LeBytes::Onto(d).i16(i.bits);
        return;
    }
    LeBytes::Onto(d).i32(i.size);
    LeBytes::Onto(d).i32((uint32_t)i.width);
    LeBytes::Onto(d).i32((uint32_t)i.height);
    LeBytes::Onto(d).i16(1);
    LeBytes::Onto(d).i16(i.bits);
    LeBytes::Onto(d).i32(i.compression);
    LeBytes::Onto(d).i32(i.sizeImage);
    LeBytes::Onto(d).i32((uint32_t)i.ppm);
    LeBytes::Onto(d).i32((uint32_t)i.ppm);
    LeBytes::Onto(d).i32(i.clrUsed);
    LeBytes::Onto(d).i32(0);
}

// "BM" header + info + extra (palette, masks) + pixel data; offset computed.
std::vector<uint8_t> MakeBmp(const Info& info, const std::vector<uint8_t>& extra, const std::vector<uint8_t>& pixels)
{
    std::vector<uint8_t> body;
    PutInfo(body, info);
    body.insert(body.end(), extra.begin(), extra.end());
    std::vector<uint8_t> d = {'B', 'M'};
    LeBytes::Onto(d).i32((uint32_t)(14 + body.size() + pixels.size()));
    LeBytes::Onto(d).i32(0);
    LeBytes::Onto(d).i32((uint32_t)(14 + body.size()));
    d.insert(d.end(), body.begin(), body.end());
    d.insert(d.end(), pixels.begin(), pixels.end());
    return d;
}

std::vector<uint8_t> Palette4(const std::vector<RGBQUAD>& colors)
{
    std::vector<uint8_t> p;
    for (const RGBQUAD& c : colors) {
        p.push_back(c.rgbBlue);
        p.push_back(c.rgbGreen);
        p.push_back(c.rgbRed);
        p.push_back(0);
    }
    return p;
}

std::vector<uint8_t> EncodeToBytes(CMyImage& image, const char* name)
{
    const std::string path = Scratch(name);
    EXPECT_TRUE(image.WriteBmpFile(path.c_str()));
    return ReadFileBytes(path);
}

}  // namespace

TEST(MyImageBMP, OneByOneTrueColourIsA58ByteFile)
{
    CMyImage im(1, 1, 24, 0);
    im.SetPixelColor(0, 0, Rgb(0x30, 0x20, 0x10));
    const std::vector<uint8_t> d = EncodeToBytes(im, "one.bmp");
    ASSERT_EQ(d.size(), 58u);
    EXPECT_EQ(d[0], 'B');
    EXPECT_EQ(d[1], 'M');
    EXPECT_EQ(ReadLe32(d, 2), 58u);
    EXPECT_EQ(ReadLe32(d, 6), 0u);
    EXPECT_EQ(ReadLe32(d, 10), 54u);
    EXPECT_EQ(ReadLe32(d, 14), 40u);
    EXPECT_EQ(ReadLe32(d, 18), 1u);
    EXPECT_EQ(ReadLe32(d, 22), 1u);
    EXPECT_EQ(ReadLe16(d, 26), 1);
    EXPECT_EQ(ReadLe16(d, 28), 24);
    EXPECT_EQ(ReadLe32(d, 30), 0u);
    EXPECT_EQ(ReadLe32(d, 34), 4u);
    EXPECT_EQ(ReadLe32(d, 38), 3780u);
    EXPECT_EQ(ReadLe32(d, 42), 3780u);
    EXPECT_EQ(ReadLe32(d, 46), 0u);
    EXPECT_EQ(ReadLe32(d, 50), 0u);
    const std::vector<uint8_t> row(d.begin() + 54, d.end());
    EXPECT_EQ(row, (std::vector<uint8_t>{0x10, 0x20, 0x30, 0x00}));
}

TEST(MyImageBMP, IndexedDepthsWriteTheirPaletteAndReadBackIdentical)
{
    struct Case {
        int bpp;
        uint32_t entries;
    } cases[] = {{1, 2}, {4, 16}, {8, 256}, {24, 0}};
    for (const Case& c : cases) {
        CMyImage im;
        MakePattern(im, 13, 7, c.bpp);
        im.SetXDPI(150);
        const std::string name = "depth" + std::to_string(c.bpp) + ".bmp";
        const std::vector<uint8_t> d = EncodeToBytes(im, name.c_str());
        const uint32_t offset = 54 + c.entries * 4;
        EXPECT_EQ(ReadLe32(d, 10), offset) << c.bpp;
        EXPECT_EQ(ReadLe32(d, 46), c.entries) << c.bpp;
        EXPECT_EQ(ReadLe32(d, 38), 5906u) << c.bpp;  // 150 dpi
        EXPECT_EQ(d.size(), offset + im.GetEffWidth() * 7) << c.bpp;

        CMyImage back;
        ASSERT_TRUE(back.Load(Scratch(name).c_str(), 1)) << c.bpp;
        EXPECT_EQ(back.GetType(), 1u);
        EXPECT_EQ(back.GetBpp(), c.bpp);
        EXPECT_EQ(back.GetXDPI(), 150);
        EXPECT_EQ(std::memcmp(&back.GetHeader(), &im.GetHeader(), 40), 0) << c.bpp;
        EXPECT_EQ(std::memcmp(back.GetDIB(), im.GetDIB(), im.GetSize()), 0) << c.bpp;
    }
}

TEST(MyImageBMP, HeaderFormsAreRead)
{
    // A 3 x 2 8-bit picture with 3 palette entries, written in three forms.
    const std::vector<RGBQUAD> colors = {Rgb(255, 0, 0), Rgb(0, 255, 0), Rgb(0, 0, 255)};
    const std::vector<uint8_t> rows = {0, 1, 2, 0, /* top */ 2, 2, 1, 0};
    Info info;
    info.width = 3;
    info.height = 2;
    info.clrUsed = 3;
    const std::vector<uint8_t> windows = MakeBmp(info, Palette4(colors), rows);

    // Without the file header: the info header first.
    const std::vector<uint8_t> bare(windows.begin() + 14, windows.end());
    // The 12-byte core header with 3-byte palette entries (all 256 of them).
    std::vector<uint8_t> corePal;
    for (int i = 0; i < 256; i++) {
        const RGBQUAD c = i < 3 ? colors[(size_t)i] : Rgb(0, 0, 0);
        corePal.insert(corePal.end(), {c.rgbBlue, c.rgbGreen, c.rgbRed});
    }
    Info core = info;
    core.size = 12;
    const std::vector<uint8_t> os2 = MakeBmp(core, corePal, rows);

    CMyImage ref;
    ASSERT_TRUE(DecodeBytes(ref, windows, 1));
    EXPECT_TRUE(SameColor(ref.GetPixelColor(0, 1), Rgb(0, 0, 255)));
    EXPECT_TRUE(SameColor(ref.GetPixelColor(2, 1), Rgb(0, 255, 0)));
    EXPECT_TRUE(SameColor(ref.GetPixelColor(1, 0), Rgb(0, 255, 0)));
    for (const auto* form : {&bare, &os2}) {
        CMyImage im;
        ASSERT_TRUE(DecodeBytes(im, *form, 1));
        EXPECT_EQ(ComparePixels(im, ref), "");
    }
}

TEST(MyImageBMP, TopDownFileIsTurnedUpright)
{
    Info info;
    info.width = 2;
    info.height = -2;
    info.bits = 24;
    // Top row red, red; bottom row blue, white (each row padded to 8 bytes).
    const std::vector<uint8_t> rows = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0};
    CMyImage im;
    ASSERT_TRUE(DecodeBytes(im, MakeBmp(info, {}, rows), 1));
    EXPECT_EQ(im.GetHeight(), 2u);
    EXPECT_TRUE(SameColor(im.GetPixelColor(0, 1), Rgb(255, 0, 0)));  // top
    EXPECT_TRUE(SameColor(im.GetPixelColor(0, 0), Rgb(0, 0, 255)));  // bottom
    EXPECT_TRUE(SameColor(im.GetPixelColor(1, 0), Rgb(255, 255, 255)));
}

TEST(MyImageBMP, SixteenBitLayouts)
{
    Info info;
    info.width = 2;
    info.height = 1;
    info.bits = 16;
    // 5-5-5: 0x7C00 red, 0x001F blue.
    CMyImage a;
    ASSERT_TRUE(DecodeBytes(a, MakeBmp(info, {}, {0x00, 0x7C, 0x1F, 0x00}), 1));
    EXPECT_EQ(a.GetBpp(), 24);
    EXPECT_TRUE(SameColor(a.GetPixelColor(0, 0), Rgb(255, 0, 0)));
    EXPECT_TRUE(SameColor(a.GetPixelColor(1, 0), Rgb(0, 0, 255)));
    // 5-6-5 bit fields: 0x07E0 full green, 0xF81F magenta.
    info.compression = 3;
    std::vector<uint8_t> masks;
    LeBytes::Onto(masks).i32(0xF800);
    LeBytes::Onto(masks).i32(0x07E0);
    LeBytes::Onto(masks).i32(0x001F);
    CMyImage b;
    ASSERT_TRUE(DecodeBytes(b, MakeBmp(info, masks, {0xE0, 0x07, 0x1F, 0xF8}), 1));
    EXPECT_TRUE(SameColor(b.GetPixelColor(0, 0), Rgb(0, 255, 0)));
    EXPECT_TRUE(SameColor(b.GetPixelColor(1, 0), Rgb(255, 0, 255)));
}

TEST(MyImageBMP, ThirtyTwoBitWithAndWithoutBitfields)
{
    Info info;
    info.width = 2;
    info.height = 1;
    info.bits = 32;
    const std::vector<uint8_t> px = {1, 2, 3, 0xFF, 10, 20, 30, 0x80};
    CMyImage a;
    ASSERT_TRUE(DecodeBytes(a, MakeBmp(info, {}, px), 1));
    EXPECT_TRUE(SameColor(a.GetPixelColor(1, 0), Rgb(30, 20, 10)));
    // Masks with red in the low byte.
    info.compression = 3;
    std::vector<uint8_t> masks;
    LeBytes::Onto(masks).i32(0x000000FF);
    LeBytes::Onto(masks).i32(0x0000FF00);
    LeBytes::Onto(masks).i32(0x00FF0000);
    CMyImage b;
    ASSERT_TRUE(DecodeBytes(b, MakeBmp(info, masks, px), 1));
    EXPECT_TRUE(SameColor(b.GetPixelColor(1, 0), Rgb(10, 20, 30)));
}

TEST(MyImageBMP, RunLengthData)
{
    // RLE8, 4 x 3: runs, a delta, an absolute run of 3 (padded), a run that
    // would leave the picture, the end.
    Info info;
    info.width = 4;
    info.height = 3;
    info.compression = 1;
    info.clrUsed = 4;
    const std::vector<RGBQUAD> colors = {Rgb(0, 0, 0), Rgb(255, 0, 0), Rgb(0, 255, 0), Rgb(0, 0, 255)};
    const std::vector<uint8_t> rle8 = {2, 1,              // row 0: 1 1
                                       0, 2, 1, 0,        // delta: one column right
                                       1, 2,              // 2 at column 3
                                       0, 0,              // end of line
                                       0, 3, 2, 3, 1, 0,  // row 1: absolute 2 3 1, padded
                                       0, 0,              // end of line
                                       6, 3,              // row 2: 3 3 3 3, two dropped
                                       0, 1};             // end of picture
    CMyImage a;
    ASSERT_TRUE(DecodeBytes(a, MakeBmp(info, Palette4(colors), rle8), 1));
    const int expect8[3][4] = {{1, 1, 0, 2}, {2, 3, 1, 0}, {3, 3, 3, 3}};
    for (int y = 0; y < 3; y++)
        for (int x = 0; x < 4; x++) EXPECT_EQ(a.GetPixelIndex(x, y), expect8[y][x]) << x << "," << y;

    // RLE4, 5 x 2: nibbles alternate; an absolute run of 5 nibbles (3 bytes, padded).
    info.width = 5;
    info.height = 2;
    info.bits = 4;
    info.compression = 2;
    const std::vector<uint8_t> rle4 = {5, 0x12, 0, 0, 0, 5, 0x31, 0x23, 0x10, 0, 0, 1};
    CMyImage b;
    ASSERT_TRUE(DecodeBytes(b, MakeBmp(info, Palette4(colors), rle4), 1));
    const int expect4[2][5] = {{1, 2, 1, 2, 1}, {3, 1, 2, 3, 1}};
    for (int y = 0; y < 2; y++)
        for (int x = 0; x < 5; x++) EXPECT_EQ(b.GetPixelIndex(x, y), expect4[y][x]) << x << "," << y;
}

TEST(MyImageBMP, UnsupportedAndDamagedFilesAreRefused)
{
    struct Case {
        const char* what;
        uint16_t bits;
        uint32_t compression;
        int32_t width, height;
        size_t pixelBytes;
        const char* reason;
    } cases[] = {
        {"bit count 0", 0, 0, 2, 2, 16, "bit count not supported"},
        {"bit count 2", 2, 0, 2, 2, 16, "bit count not supported"},
        {"bit count 64", 64, 0, 2, 2, 64, "bit count not supported"},
        {"24 bits RLE", 24, 1, 2, 2, 16, "unknown compression"},
        {"8 bits RLE4", 8, 2, 2, 2, 16, "compression type not supported"},
        {"width 0", 24, 0, 0, 2, 16, "Error reading BMP info"},
        {"overflowing size", 24, 0, 0x7FFFFFFF, 0x7FFFFFFF, 16, "image size larger than the data"},
        {"rows cut short", 24, 0, 4, 4, 20, "image size larger than the data"},
    };
    for (const Case& c : cases) {
        Info info;
        info.bits = c.bits;
        info.compression = c.compression;
        info.width = c.width;
        info.height = c.height;
        info.clrUsed = c.bits <= 8 ? 2 : 0;
        const std::vector<uint8_t> pal = c.bits <= 8 ? Palette4({Rgb(0, 0, 0), Rgb(1, 1, 1)}) : std::vector<uint8_t>{};
        const std::vector<uint8_t> file = MakeBmp(info, pal, std::vector<uint8_t>(c.pixelBytes, 7));
        CMyImageBMP bmp;
        const std::string path = Scratch("bad.bmp");
        ASSERT_TRUE(WriteFileBytes(path, file));
        FILE* f = std::fopen(path.c_str(), "rb");
        EXPECT_FALSE(bmp.Decode(f)) << c.what;
        EXPECT_STREQ(bmp.GetReason(), c.reason) << c.what;
        std::fclose(f);
        // The image's own Decode leaves a picture it held untouched.
        CMyImage keep(3, 3, 8, 0);
        EXPECT_FALSE(DecodeBytes(keep, file, 1)) << c.what;
        EXPECT_EQ(keep.GetWidth(), 3u) << c.what;
    }
    // A header of an unknown size and a file too short for any header.
    CMyImage im;
    std::vector<uint8_t> odd = MakeBmp(Info{}, {}, {});
    odd[14] = 20;
    EXPECT_FALSE(DecodeBytes(im, odd, 1));
    EXPECT_FALSE(DecodeBytes(im, {'B', 'M', 1}, 1));
}

TEST(MyImageBMP, LoadFallsBackToGifAndUnknownTypesFail)
{
    CMyImage pic;
    MakePattern(pic, 6, 4, 8);
    const std::string gif = Scratch("really.gif");
    ASSERT_TRUE(pic.WriteGifFile(gif.c_str(), 0));
    CMyImage back;
    ASSERT_TRUE(back.Load(gif.c_str(), 1));  // BMP fails, then any type
    EXPECT_EQ(back.GetType(), 2u);
    EXPECT_EQ(ComparePixels(back, pic), "");
    EXPECT_FALSE(back.Load(Scratch("missing.bmp").c_str(), 1));
    FILE* f = std::fopen(gif.c_str(), "rb");
    EXPECT_FALSE(back.Decode(f, 7));
    EXPECT_FALSE(back.Encode(f, 7));
    std::fclose(f);
    EXPECT_FALSE(back.Decode(nullptr, 0));
}

TEST(MyImageBMP, WriteFailuresAreReported)
{
    CMyImage im;
    MakePattern(im, 8, 8, 24);
    CMyImageBMP bmp;
    EXPECT_FALSE(bmp.Encode(nullptr));
    EXPECT_FALSE(bmp.Encode(stdout));  // nothing to write
    // A stream opened for reading cannot be written.
    const std::string path = Scratch("readonly.bmp");
    ASSERT_TRUE(WriteFileBytes(path, {1, 2, 3}));
    FILE* f = std::fopen(path.c_str(), "rb");
    EXPECT_FALSE(im.Encode(f, 1));
    std::fclose(f);
#if !defined(_WIN32)
    // A full device: the buffered data fail at the flush.
    FILE* full = std::fopen("/dev/full", "wb");
    ASSERT_NE(full, nullptr);
    EXPECT_FALSE(im.Encode(full, 1));
    std::fclose(full);
#endif
    // When the file cannot be written the old one stays as it was.
    const std::string keep = Scratch("keep.bmp");
    ASSERT_TRUE(WriteFileBytes(keep, {9, 9, 9}));
    std::filesystem::create_directories(keep + ".~tmp");  // the temporary name is taken
    EXPECT_FALSE(im.WriteBmpFile(keep.c_str()));
    EXPECT_EQ(ReadFileBytes(keep), (std::vector<uint8_t>{9, 9, 9}));
    std::filesystem::remove(keep + ".~tmp");
    EXPECT_TRUE(im.WriteBmpFile(keep.c_str()));
    EXPECT_EQ(ReadFileBytes(keep).size(), 54u + 24 * 8);
    EXPECT_FALSE(im.WriteBmpFile(Scratch("no/such/folder/x.bmp").c_str()));
}
