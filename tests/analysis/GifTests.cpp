// GIF files: the bytes written, the three coders, mosaics, animations, frame
// composition, and damaged files.
#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>

#include "ImageTestUtil.h"
#include "analysis/MyImageGIF.h"

using namespace imgtest;

namespace {

std::vector<uint8_t> EncodeGif(CMyImageGIF& gif, const char* name)
{
    const std::string path = Scratch(name);
    FILE* f = std::fopen(path.c_str(), "wb");
    EXPECT_NE(f, nullptr);
    EXPECT_TRUE(gif.Encode(f));
    std::fclose(f);
    return ReadFileBytes(path);
}

std::vector<uint8_t> EncodeFrames(CMyImageGIF& writer, std::vector<CMyImage*> frames, bool local, const char* name)
{
    const std::string path = Scratch(name);
    FILE* f = std::fopen(path.c_str(), "wb");
    EXPECT_NE(f, nullptr);
    EXPECT_TRUE(writer.Encode(f, frames.data(), (int)frames.size(), local));
    std::fclose(f);
    return ReadFileBytes(path);
}

size_t Find(const std::vector<uint8_t>& d, const std::string& s, size_t from = 0)
{
    for (size_t i = from; i + s.size() <= d.size(); i++)
        if (std::memcmp(d.data() + i, s.data(), s.size()) == 0) return i;
    return std::string::npos;
}

struct Descriptor {
    int left, top, width, height, flags;
};

// Walks the blocks of a GIF written by us and lists the image descriptors.
std::vector<Descriptor> Descriptors(const std::vector<uint8_t>& d)
{
    std::vector<Descriptor> out;
    size_t i = 13;
    if (d[10] & 0x80) i += 3u * (2u << (d[10] & 7));
    while (i < d.size() && d[i] != 0x3B) {
        if (d[i] == 0x21) {
            i += 2;
            while (d[i]) i += d[i] + 1u;
            i++;
        } else if (d[i] == 0x2C) {
            Descriptor x{ReadLe16(d, i + 1), ReadLe16(d, i + 3), ReadLe16(d, i + 5), ReadLe16(d, i + 7), d[i + 9]};
            out.push_back(x);
            i += 10;
            if (x.flags & 0x80) i += 3u * (2u << (x.flags & 7));
            i++;  // code size
            while (d[i]) i += d[i] + 1u;
            i++;
        } else {
            ADD_FAILURE() << "unexpected byte " << (int)d[i] << " at " << i;
            break;
        }
    }
    return out;
}

// A small GIF built by hand: screen, global table, optional extensions, one
// image of raw LZW data.
std::vector<uint8_t> HandGif(int w, int h, int tableBits, const std::vector<uint8_t>& extensions, int codeSize,
                             const std::vector<uint8_t>& data)
{
    std::vector<uint8_t> d = {'G', 'I', 'F', '8', '9', 'a'};
    LeBytes::Onto(d).i16((uint32_t)w);
    LeBytes::Onto(d).i16((uint32_t)h);
    d.push_back((uint8_t)(0x80 | (tableBits - 1)));
    d.push_back(0);
    d.push_back(0);
    for (int i = 0; i < (1 << tableBits); i++) d.insert(d.end(), {(uint8_t)(i * 40), (uint8_t)(i * 20), (uint8_t)i});
    d.insert(d.end(), extensions.begin(), extensions.end());
    d.push_back(0x2C);
    LeBytes::Onto(d).i16(0);
    LeBytes::Onto(d).i16(0);
    LeBytes::Onto(d).i16((uint32_t)w);
    LeBytes::Onto(d).i16((uint32_t)h);
    d.push_back(0);
    d.push_back((uint8_t)codeSize);
    for (size_t i = 0; i < data.size(); i += 255) {
        const size_t n = std::min<size_t>(255, data.size() - i);
        d.push_back((uint8_t)n);
        d.insert(d.end(), data.begin() + (long)i, data.begin() + (long)(i + n));
    }
    d.push_back(0);
    d.push_back(0x3B);
    return d;
}

// Codes packed least significant bit first at the given widths.
std::vector<uint8_t> PackCodes(const std::vector<std::pair<int, int>>& codes)
{
    std::vector<uint8_t> out;
    uint32_t acc = 0;
    int bits = 0;
    for (auto [code, width] : codes) {
        acc |= (uint32_t)code << bits;
        bits += width;
        while (bits >= 8) {
            out.push_back((uint8_t)acc);
            acc >>= 8;
            bits -= 8;
        }
    }
    if (bits) out.push_back((uint8_t)acc);
    return out;
}

// LZW codes for a run of one index, each code as long as the table then
// allows: the most pixels a file can give per byte of data.
std::vector<uint8_t> LongestCodes(int codeSize, uint8_t index, uint64_t pixels)
{
    std::vector<uint8_t> out;
    uint64_t acc = 0;
    int bits = 0;
    auto put = [&](int code, int width) {
        acc |= (uint64_t)code << bits;
        bits += width;
        for (; bits >= 8; bits -= 8, acc >>= 8) out.push_back((uint8_t)acc);
    };
    const int clear = 1 << codeSize;
    int width = codeSize + 1, avail = clear + 2;
    put(clear, width);
    put(index, width);
    for (uint64_t done = 1; done < pixels;) {
        // While the table grows, the next free code is the longest run yet;
        // then the last code of the full table is.
        const int code = avail < 4096 ? avail : 4095;
        put(code, width);
        done += (uint64_t)(code - clear);
        if (avail < 4096 && ++avail >= (1 << width) && width < 12) width++;
    }
    put(clear + 1, width);
    if (bits) out.push_back((uint8_t)acc);
    return out;
}

struct Frame {
    int left, top, w, h;
    std::vector<uint8_t> data;  // LZW codes of code size 2
    bool localTable = false;
};

// A GIF of any screen and frames (code size 2, two-entry tables: black and
// white), with a comment of `padding` bytes before the trailer to make the
// file as long as a test needs.
std::vector<uint8_t> BuildGif(int screenW, int screenH, bool globalTable, const std::vector<Frame>& frames,
                              size_t padding = 0)
{
    const uint8_t table[6] = {0, 0, 0, 255, 255, 255};
    std::vector<uint8_t> d = {'G', 'I', 'F', '8', '9', 'a'};
    LeBytes::Onto(d).i16((uint32_t)screenW);
    LeBytes::Onto(d).i16((uint32_t)screenH);
    d.insert(d.end(), {(uint8_t)(globalTable ? 0x80 : 0), 0, 0});
    if (globalTable) d.insert(d.end(), table, table + 6);
    for (const Frame& f : frames) {
        d.push_back(0x2C);
        LeBytes::Onto(d).i16((uint32_t)f.left);
        LeBytes::Onto(d).i16((uint32_t)f.top);
        LeBytes::Onto(d).i16((uint32_t)f.w);
        LeBytes::Onto(d).i16((uint32_t)f.h);
        d.push_back(f.localTable ? 0x80 : 0);
        if (f.localTable) d.insert(d.end(), table, table + 6);
        d.push_back(2);
        for (size_t i = 0; i < f.data.size(); i += 255) {
            const size_t n = std::min<size_t>(255, f.data.size() - i);
            d.push_back((uint8_t)n);
            d.insert(d.end(), f.data.begin() + (long)i, f.data.begin() + (long)(i + n));
        }
        d.push_back(0);
    }
    if (padding) {
        d.insert(d.end(), {0x21, 0xFE});
        for (; padding; padding -= std::min<size_t>(255, padding)) {
            d.push_back((uint8_t)std::min<size_t>(255, padding));
            d.insert(d.end(), std::min<size_t>(255, padding), 'p');
        }
        d.push_back(0);
    }
    d.push_back(0x3B);
    return d;
}

// Decodes a frame through CMyImageGIF itself, so the reason can be read.
bool DecodeGif(CMyImageGIF& gif, const std::vector<uint8_t>& bytes, int32_t frame, const char* name)
{
    const std::string path = Scratch(name);
    if (!WriteFileBytes(path, bytes)) return false;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    gif.SetFrame(frame);
    const bool ok = gif.Decode(f);
    std::fclose(f);
    return ok;
}

}  // namespace

TEST(MyImageGIF, TwoByTwoOneBitPictureByteForByte)
{
    CMyImageGIF gif;
    gif.Create(2, 2, 1, 2);
    gif.SetPaletteColor(0, 10, 20, 30);
    gif.SetPaletteColor(1, 40, 50, 60);
    // Top row 0 1, bottom row 1 0.
    gif.SetPixelIndex(0, 1, 0);
    gif.SetPixelIndex(1, 1, 1);
    gif.SetPixelIndex(0, 0, 1);
    gif.SetPixelIndex(1, 0, 0);
    const std::vector<uint8_t> expect = {'G', 'I', 'F', '8', '9', 'a', 2, 0, 2, 0, 0x80, 0, 0,  // screen
                                         10, 20, 30, 40, 50, 60,                                // global table
                                         0x21, 0xF9, 0x04, 0x00, 0x00, 0x00, 0xFF, 0x00,        // graphic control
                                         0x2C, 0, 0, 0, 0, 2, 0, 2, 0, 0x00,                    // image descriptor
                                         0x02,                                                  // code size
                                         // Codes clear(4) 0 1 1 at 3 bits, then 0 and end(5) at 4 bits.
                                         0x03, 0x44, 0x02, 0x05, 0x00, 0x3B};
    EXPECT_EQ(EncodeGif(gif, "two.gif"), expect);
}

TEST(MyImageGIF, LoopExtensionAndComment)
{
    CMyImage a, b;
    MakePattern(a, 4, 4, 8);
    MakePattern(b, 4, 4, 8, 2);
    struct Case {
        int loops;
        int repeat;  // -1: no loop extension
    } cases[] = {{0, 0}, {1, -1}, {5, 4}};
    for (const Case& c : cases) {
        CMyImageGIF writer;
        writer.SetLoops(c.loops);
        const std::vector<uint8_t> d = EncodeFrames(writer, {&a, &b}, false, "loops.gif");
        const size_t at = Find(d, "NETSCAPE2.0");
        if (c.repeat < 0) {
            EXPECT_EQ(at, std::string::npos) << c.loops;
            continue;
        }
        ASSERT_NE(at, std::string::npos) << c.loops;
        EXPECT_EQ(d[at - 3], 0x21);
        EXPECT_EQ(d[at - 2], 0xFF);
        EXPECT_EQ(d[at - 1], 0x0B);
        EXPECT_EQ(d[at + 11], 3);
        EXPECT_EQ(d[at + 12], 1);
        EXPECT_EQ(ReadLe16(d, at + 13), c.repeat) << c.loops;
        EXPECT_EQ(d[at + 15], 0);
    }

    CMyImageGIF gif;
    MakePattern(gif, 3, 3, 4);
    gif.SetComment(std::string(300, 'c').c_str());
    char back[255];
    gif.GetComment(back);
    EXPECT_EQ(std::strlen(back), 254u);
    const std::vector<uint8_t> d = EncodeGif(gif, "comment.gif");
    const size_t at = Find(d, std::string("\x21\xFE", 2));
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(d[at + 2], 254);
    EXPECT_EQ(d[at + 3 + 254], 0);
    EXPECT_EQ(d[at + 4 + 254], 0x3B);
    EXPECT_EQ(at + 5 + 254, d.size());
}

TEST(MyImageGIF, AllCodersReadBackIdentical)
{
    for (int bpp : {1, 4, 8}) {
        for (DWORD option : {1u, 2u, 3u}) {
            for (int kind = 0; kind < 3; kind++) {
                CMyImageGIF gif;
                const uint32_t w = 61, h = 37;
                MakePattern(gif, w, h, bpp);
                uint32_t seed = 12345;
                for (uint32_t y = 0; y < h; y++)
                    for (uint32_t x = 0; x < w; x++) {
                        uint8_t v;
                        if (kind == 0) {  // noise
                            seed = seed * 1103515245u + 12345u;
                            v = (uint8_t)(seed >> 16);
                        } else if (kind == 1) {  // long runs across rows
                            v = (uint8_t)((y * w + x) / 150);
                        } else {  // short runs and steps
                            v = (uint8_t)(x / 3 + y);
                        }
                        gif.SetPixelIndex((int32_t)x, (int32_t)y, (uint8_t)(v % gif.GetNumColors()));
                    }
                gif.SetEncodeOption(option);
                const std::string name = "coder" + std::to_string(bpp) + "_" + std::to_string(option) + ".gif";
                EncodeGif(gif, name.c_str());
                CMyImage back;
                ASSERT_TRUE(back.Load(Scratch(name).c_str(), 2)) << name;
                EXPECT_EQ(back.GetBpp(), bpp);
                EXPECT_EQ(ComparePixels(back, gif), "") << name << " kind " << kind;
            }
        }
    }
}

TEST(MyImageGIF, LongRunsAcrossManyClearsReadBack)
{
    // Enough pixels that every coder passes its clear points many times.
    for (DWORD option : {1u, 2u, 3u}) {
        CMyImageGIF gif;
        gif.Create(300, 200, 8, 2);
        gif.SetGrayPalette();
        for (int y = 0; y < 200; y++)
            for (int x = 0; x < 300; x++)
                gif.SetPixelIndex(x, y, (uint8_t)((x / 40 + y / 7) % 3 == 0 ? 9 : (x * y) % 5));
        gif.SetEncodeOption(option);
        EncodeGif(gif, "runs.gif");
        CMyImage back;
        ASSERT_TRUE(back.Load(Scratch("runs.gif").c_str(), 2));
        EXPECT_EQ(ComparePixels(back, gif), "") << option;
    }
}

TEST(MyImageGIF, UncompressedCoderClearsEvery3839PixelsOf8Bits)
{
    CMyImageGIF gif;
    gif.Create(100, 100, 8, 2);
    for (int y = 0; y < 100; y++)
        for (int x = 0; x < 100; x++) gif.SetPixelIndex(x, y, (uint8_t)(x + y));
    gif.SetEncodeOption(1);
    const std::vector<uint8_t> d = EncodeGif(gif, "plain.gif");
    // Collect the data sub-blocks of the one image.
    size_t i = 13 + 768 + 8 + 10;
    ASSERT_EQ(d[i++], 8);
    std::vector<uint8_t> data;
    while (d[i]) {
        data.insert(data.end(), d.begin() + (long)i + 1, d.begin() + (long)i + 1 + d[i]);
        i += d[i] + 1u;
    }
    // Read the codes the way a decoder does and note where clears come.
    size_t bit = 0;
    auto next = [&](int width) {
        int code = 0;
        for (int k = 0; k < width; k++, bit++) code |= ((data[bit / 8] >> (bit % 8)) & 1) << k;
        return code;
    };
    int width = 9, avail = 258, pixels = 0, total = 0;
    bool first = true;
    std::vector<int> runs;
    for (;;) {
        ASSERT_LE(bit + width, data.size() * 8);
        const int code = next(width);
        if (code == 256) {
            if (total) runs.push_back(pixels);
            width = 9;
            avail = 258;
            pixels = 0;
            first = true;
            continue;
        }
        if (code == 257) break;
        ASSERT_LT(code, 256);
        const int y = 99 - total / 100, x = total % 100;
        ASSERT_EQ(code, gif.GetPixelIndex(x, y)) << total;
        pixels++;
        total++;
        if (!first && avail < 4096 && ++avail == (1 << width) && width < 12) width++;
        first = false;
    }
    EXPECT_EQ(total, 10000);
    EXPECT_EQ(runs, (std::vector<int>{3839, 3839}));
}

TEST(MyImageGIF, TrueColourIsWrittenAsTilesAndReadBack)
{
    for (bool transparent : {false, true}) {
        CMyImageGIF gif;
        MakePattern(gif, 20, 20, 24);
        if (transparent) {
            gif.SetTransIndex(0);
            gif.SetTransColor(Rgb(1, 2, 3));
            gif.SetPixelColor(5, 5, Rgb(1, 2, 3));
        }
        const std::vector<uint8_t> d = EncodeGif(gif, "mosaic.gif");
        EXPECT_EQ(d[10], 0x11);
        const std::vector<Descriptor> tiles = Descriptors(d);
        ASSERT_EQ(tiles.size(), 4u);
        const int expect[4][4] = {{0, 0, 17, 15}, {17, 0, 3, 15}, {0, 15, 17, 5}, {17, 15, 3, 5}};
        for (int k = 0; k < 4; k++) {
            EXPECT_EQ(tiles[k].left, expect[k][0]);
            EXPECT_EQ(tiles[k].top, expect[k][1]);
            EXPECT_EQ(tiles[k].width, expect[k][2]);
            EXPECT_EQ(tiles[k].height, expect[k][3]);
            EXPECT_EQ(tiles[k].flags, 0x87);
        }
        CMyImage back;
        ASSERT_TRUE(back.Load(Scratch("mosaic.gif").c_str(), 2));
        EXPECT_EQ(back.GetBpp(), 24);
        EXPECT_EQ(back.GetNumFrames(), 4);
        EXPECT_EQ(ComparePixels(back, gif), "");
        EXPECT_EQ(back.IsTransparent(), transparent);
        if (transparent) {
            EXPECT_TRUE(SameColor(back.GetTransColor(), Rgb(1, 2, 3)));
        }
    }
}

TEST(MyImageGIF, AnimationFramesComposeOnTheFirst)
{
    // Three 8 x 8 frames; the second covers only the top-left 3 x 3 corner and
    // is transparent in its centre; disposal 1 (leave in place).
    CMyImage f0, f1, f2;
    MakePattern(f0, 8, 8, 8);
    f1.Create(3, 3, 8, 0);
    f1.SetPalette(f0.GetPalette(), 256);
    f1.Clear(200);
    f1.SetPixelIndex(1, 1, 77);
    f1.SetTransIndex(77);
    f1.SetFrameDelay(25);
    MakePattern(f2, 8, 8, 8, 5);
    f2.SetPalette(f0.GetPalette(), 256);
    CMyImageGIF writer;
    writer.SetDisposalMethod(1);
    writer.SetLoops(0);
    EncodeFrames(writer, {&f0, &f1, &f2}, false, "anim.gif");

    CMyImageGIF back;
    back.SetFrame(1);
    FILE* f = std::fopen(Scratch("anim.gif").c_str(), "rb");
    ASSERT_TRUE(back.Decode(f));
    std::fclose(f);
    EXPECT_EQ(back.GetNumFrames(), 3);
    EXPECT_EQ(back.GetFrameDelay(), 25u);
    EXPECT_EQ(back.GetDisposalMethod(), 1);
    EXPECT_EQ(back.GetLoops(), 0);
    ASSERT_EQ(back.GetWidth(), 8u);
    ASSERT_EQ(back.GetBpp(), 8);
    for (int y = 0; y < 8; y++)
        for (int x = 0; x < 8; x++) {
            const bool corner = x < 3 && y >= 5;
            const bool hole = x == 1 && y == 6;
            const int want = corner && !hole ? 200 : f0.GetPixelIndex(x, y);
            EXPECT_EQ(back.GetPixelIndex(x, y), want) << x << "," << y;
        }

    // Frames with their own colour tables compose in true colour.
    CMyImage g1;
    MakePattern(g1, 3, 3, 4, 9);
    CMyImageGIF local;
    local.SetDisposalMethod(1);
    EncodeFrames(local, {&f0, &g1}, true, "anim_local.gif");
    CMyImage mixed;
    mixed.SetFrame(1);
    ASSERT_TRUE(mixed.Load(Scratch("anim_local.gif").c_str(), 2));
    EXPECT_EQ(mixed.GetBpp(), 24);
    for (int y = 0; y < 8; y++)
        for (int x = 0; x < 8; x++) {
            const bool corner = x < 3 && y >= 5;
            const RGBQUAD want = corner ? g1.GetPixelColor(x, y - 5) : f0.GetPixelColor(x, y);
            EXPECT_TRUE(SameColor(mixed.GetPixelColor(x, y), want)) << x << "," << y;
        }

    // A frame that does not exist.
    CMyImage none;
    none.SetFrame(5);
    EXPECT_FALSE(none.Load(Scratch("anim.gif").c_str(), 2));
    EXPECT_EQ(none.GetNumFrames(), 3);
    EXPECT_TRUE(none.IsEmpty());
}

TEST(MyImageGIF, InterlacedRowsLandInTheirPlaces)
{
    // Rows written in interlace order (0, 8, 4, 2, 6, 1, 3, 5, 7, 9), then the
    // descriptor's interlace flag set by hand.
    const int order[10] = {0, 8, 4, 2, 6, 1, 3, 5, 7, 9};
    CMyImageGIF gif;
    gif.Create(4, 10, 8, 2);
    gif.SetGrayPalette();
    for (int k = 0; k < 10; k++)
        for (int x = 0; x < 4; x++) gif.SetPixelIndex(x, 9 - k, (uint8_t)(order[k] * 10 + x));
    std::vector<uint8_t> d = EncodeGif(gif, "inter.gif");
    ASSERT_EQ(d[789], 0x2C);
    d[798] |= 0x40;
    CMyImage back;
    ASSERT_TRUE(DecodeBytes(back, d, 2));
    for (int r = 0; r < 10; r++)
        for (int x = 0; x < 4; x++) EXPECT_EQ(back.GetPixelIndex(x, 9 - r), r * 10 + x) << r;
}

TEST(MyImageGIF, AnimationOfFiles)
{
    CMyImage bmp;
    MakePattern(bmp, 6, 5, 24);
    ASSERT_TRUE(bmp.WriteBmpFile(Scratch("frame0.bmp").c_str()));
    CMyImage pal;
    MakePattern(pal, 6, 5, 4, 3);
    pal.SetTransIndex(2);
    ASSERT_TRUE(pal.WriteGifFile(Scratch("frame1.gif").c_str(), 0));
    const std::string names[3] = {Scratch("frame0.bmp"), Scratch("missing.gif"), Scratch("frame1.gif")};
    const char* list[3] = {names[0].c_str(), names[1].c_str(), names[2].c_str()};

    CMyImageGIF caller;
    caller.SetFrameDelay(7);
    ASSERT_TRUE(caller.WriteGifFile(Scratch("files.gif").c_str(), list, 3));
    const std::vector<uint8_t> d = ReadFileBytes(Scratch("files.gif"));
    EXPECT_NE(Find(d, "NETSCAPE2.0"), std::string::npos);
    const std::vector<Descriptor> frames = Descriptors(d);
    ASSERT_EQ(frames.size(), 2u);  // the missing file is skipped
    EXPECT_EQ(frames[0].flags, 0x00);
    EXPECT_EQ(frames[1].flags, 0x83);  // local table of 16 entries
    // Every graphic control block: delay 7, no transparency.
    for (size_t at = Find(d, std::string("\x21\xF9\x04", 3)); at != std::string::npos;
         at = Find(d, std::string("\x21\xF9\x04", 3), at + 1)) {
        EXPECT_EQ(d[at + 3] & 1, 0);
        EXPECT_EQ(ReadLe16(d, at + 4), 7);
    }
    CMyImage first, second;
    ASSERT_TRUE(first.Load(Scratch("files.gif").c_str(), 2));
    EXPECT_EQ(ComparePixels(first, bmp), "");
    second.SetFrame(1);
    ASSERT_TRUE(second.Load(Scratch("files.gif").c_str(), 2));
    EXPECT_EQ(ComparePixels(second, pal), "");

    // The same list as string objects that convert to const char* (CString).
    struct Name {
        std::string s;
        operator const char*() const { return s.c_str(); }
    };
    const Name objects[3] = {{names[0]}, {names[1]}, {names[2]}};
    ASSERT_TRUE(caller.WriteGifFile(Scratch("files2.gif").c_str(), objects, 3));
    EXPECT_EQ(ReadFileBytes(Scratch("files2.gif")), d);

    const char* empty[1] = {""};
    EXPECT_FALSE(caller.WriteGifFile(Scratch("none.gif").c_str(), empty, 1));
    EXPECT_FALSE(caller.WriteGifFile(Scratch("none.gif").c_str(), list, 0));
}

TEST(MyImageGIF, ImageArrayFailuresThrowTheirTexts)
{
    CMyImage a;
    MakePattern(a, 2, 2, 8);
    CMyImageGIF gif;
    CMyImage* frames[2] = {&a, nullptr};
    auto message = [&](FILE* f, CMyImage** list, int n) -> std::string {
        try {
            gif.Encode(f, list, n, false);
        } catch (const std::runtime_error& e) {
            return e.what();
        }
        return "";
    };
    FILE* f = std::fopen(Scratch("throw.gif").c_str(), "wb");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(message(nullptr, frames, 2), "invalid file pointer");
    EXPECT_EQ(message(f, nullptr, 2), "multipage GIF, no images!");
    EXPECT_EQ(message(f, frames, 0), "multipage GIF, no images!");
    EXPECT_EQ(message(f, frames, 2), "Bad image pointer");
    std::fclose(f);
}

TEST(MyImageGIF, DamagedAndOddFiles)
{
    // A long comment (255 bytes) is kept to 254 characters.
    std::vector<uint8_t> ext = {0x21, 0xFE, 255};
    ext.insert(ext.end(), 255, 'x');
    ext.push_back(0);
    // A foreign application block must not be taken for a loop count.
    const std::vector<uint8_t> xmp = {0x21, 0xFF, 11,  'X', 'M', 'P', ' ', 'D', 'a',
                                      't',  'a',  'X', 'M', 'P', 2,   9,   9,   0};
    ext.insert(ext.end(), xmp.begin(), xmp.end());
    // Transparent index 1 of a 2-entry table.
    const std::vector<uint8_t> gce = {0x21, 0xF9, 4, 0x01, 0, 0, 1, 0};
    ext.insert(ext.end(), gce.begin(), gce.end());
    // 2 x 2, code size 2: clear, 1, 0, 1, 1, end.
    const std::vector<uint8_t> data = PackCodes({{4, 3}, {1, 3}, {0, 3}, {1, 3}, {1, 4}, {5, 4}});
    CMyImageGIF gif;
    gif.SetLoops(3);
    FILE* f = std::fopen(Scratch("odd.gif").c_str(), "wb");
    ASSERT_NE(f, nullptr);
    const std::vector<uint8_t> file = HandGif(2, 2, 1, ext, 2, data);
    std::fwrite(file.data(), 1, file.size(), f);
    std::fclose(f);
    f = std::fopen(Scratch("odd.gif").c_str(), "rb");
    ASSERT_TRUE(gif.Decode(f));
    std::fclose(f);
    char comment[255];
    gif.GetComment(comment);
    EXPECT_EQ(std::string(comment), std::string(254, 'x'));
    EXPECT_EQ(gif.GetLoops(), 3);
    EXPECT_EQ(gif.GetBpp(), 1);
    EXPECT_EQ(gif.GetNumColors(), 2u);
    EXPECT_EQ(gif.GetTransIndex(), 1);
    EXPECT_TRUE(SameColor(gif.GetPaletteColor(1), Rgb(40, 20, 1)));
    EXPECT_EQ(gif.GetPixelIndex(0, 1), 1);
    EXPECT_EQ(gif.GetPixelIndex(1, 1), 0);
    EXPECT_EQ(gif.GetPixelIndex(0, 0), 1);

    // A 4-entry table with transparency: a 16-entry picture, the rest white.
    CMyImage four;
    ASSERT_TRUE(DecodeBytes(four, HandGif(2, 2, 2, gce, 2, data), 2));
    EXPECT_EQ(four.GetNumColors(), 16u);
    EXPECT_TRUE(SameColor(four.GetPaletteColor(3), Rgb(120, 60, 3)));
    EXPECT_TRUE(SameColor(four.GetPaletteColor(15), Rgb(255, 255, 255)));

    // Codes the table cannot have yet end the picture; what came before stays.
    CMyImage broken;
    const std::vector<uint8_t> bad = PackCodes({{4, 3}, {1, 3}, {7, 3}, {1, 3}, {5, 3}});
    ASSERT_TRUE(DecodeBytes(broken, HandGif(2, 2, 1, {}, 2, bad), 2));
    EXPECT_EQ(broken.GetPixelIndex(0, 1), 1);

    // Bad code size: the image is not decoded, so the frame is not read.
    CMyImage nodata;
    EXPECT_FALSE(DecodeBytes(nodata, HandGif(2, 2, 1, {}, 12, data), 2));
    EXPECT_EQ(nodata.GetNumFrames(), 1);

    // The second image lies outside the screen: asking for it fails.
    std::vector<uint8_t> two = HandGif(2, 2, 1, {}, 2, data);
    two.pop_back();
    const std::vector<uint8_t> outside = {0x2C, 1, 0, 0, 0, 2, 0, 2, 0, 0, 2, 1, 0x44, 0, 0x3B};
    two.insert(two.end(), outside.begin(), outside.end());
    CMyImage second;
    second.SetFrame(1);
    EXPECT_FALSE(DecodeBytes(second, two, 2));
    EXPECT_EQ(second.GetNumFrames(), 2);

    // Not a GIF, cut short, huge screen with no data.
    CMyImage im;
    EXPECT_FALSE(DecodeBytes(im, {'G', 'I', 'F', '7'}, 2));
    std::vector<uint8_t> cut = HandGif(2, 2, 1, {}, 2, data);
    cut.resize(30);
    EXPECT_FALSE(DecodeBytes(im, cut, 2));
    std::vector<uint8_t> huge = HandGif(65535, 65535, 1, {}, 2, data);
    EXPECT_FALSE(DecodeBytes(im, huge, 2));
}

TEST(MyImageGIF, WriteFailuresAreReported)
{
    CMyImageGIF gif;
    EXPECT_FALSE(gif.Encode((FILE*)nullptr));
    MakePattern(gif, 50, 50, 8);
    const std::string path = Scratch("ro.gif");
    ASSERT_TRUE(WriteFileBytes(path, {1}));
    FILE* f = std::fopen(path.c_str(), "rb");
    EXPECT_FALSE(gif.Encode(f));
    std::fclose(f);
#if !defined(_WIN32)
    FILE* full = std::fopen("/dev/full", "wb");
    ASSERT_NE(full, nullptr);
    EXPECT_FALSE(gif.Encode(full));
    std::fclose(full);
#endif
    EXPECT_FALSE(gif.WriteGifFile(Scratch("no/such/dir/x.gif").c_str(), 0));
}

TEST(MyImageGIF, WriteGifFileReducesTrueColourWhenAsked)
{
    CMyImage im;
    MakePattern(im, 10, 10, 24);
    CMyImage original(im);
    ASSERT_TRUE(im.WriteGifFile(Scratch("reduced.gif").c_str(), 1));
    EXPECT_EQ(im.GetBpp(), 8);
    const std::vector<uint8_t> d = ReadFileBytes(Scratch("reduced.gif"));
    EXPECT_EQ(d[10], 0xE7);
    CMyImage back;
    ASSERT_TRUE(back.Load(Scratch("reduced.gif").c_str(), 0));
    EXPECT_EQ(ComparePixels(back, original), "");  // fewer than 256 colours: exact
}

TEST(MyImageGIF, PicturesBeyondTheLimitAreRefusedBeforeAllocating)
{
    // Each file carries enough data to fill its pictures, so only the limit of
    // the in-memory picture keeps the reader from allocating gigabytes.
    const std::vector<uint8_t> dot = PackCodes({{4, 3}, {1, 3}, {0, 3}, {1, 3}, {1, 4}, {5, 4}});  // 2 x 2
    struct Case {
        const char* what;
        std::vector<uint8_t> file;
        int32_t frame, frames;
        const char* reason;
    } cases[] = {
        {"frame of 65535 x 65535 with the data to fill it",
         BuildGif(65535, 65535, true, {{0, 0, 65535, 65535, LongestCodes(2, 1, 65535ull * 65535ull)}}), 0, 1,
         "image larger than the picture limit"},
        // 400 million pixels fit an 8-bit picture but not the true-colour one a
        // composed screen may need.
        {"animation on a 20000 x 20000 screen",
         BuildGif(20000, 20000, true, {{0, 0, 2, 2, dot}, {5, 5, 2, 2, dot}}, 150000), 1, 2,
         "logical screen larger than the picture limit"},
        // 225 million pixels fit a true-colour picture, but not the canvas
        // the frames are laid on, with its copy for restoring a screen.
        {"animation on a 15000 x 15000 screen",
         BuildGif(15000, 15000, true, {{0, 0, 2, 2, dot}, {5, 5, 2, 2, dot}}, 150000), 1, 2,
         "logical screen larger than the picture limit"},
        {"mosaic on a 20000 x 20000 screen",
         BuildGif(20000, 20000, false, {{0, 0, 2, 2, dot, true}, {2, 0, 2, 2, dot, true}}, 150000), 0, 2,
         "logical screen larger than the picture limit"},
        // Within the limit, but far more than the file's data can fill.
        {"animation on a screen too large for the data",
         BuildGif(8000, 8000, true, {{0, 0, 2, 2, dot}, {2, 2, 2, 2, dot}}), 1, 2, "image size larger than the data"},
    };
    for (const Case& c : cases) {
        CMyImageGIF gif;
        EXPECT_FALSE(DecodeGif(gif, c.file, c.frame, "limit.gif")) << c.what;
        EXPECT_STREQ(gif.GetReason(), c.reason) << c.what;
        EXPECT_TRUE(gif.IsEmpty()) << c.what;
        // Through the image: refused, the frame count still given back.
        CMyImage image;
        image.SetFrame(c.frame);
        EXPECT_FALSE(DecodeBytes(image, c.file, 2, "limit_image.gif")) << c.what;
        EXPECT_EQ(image.GetNumFrames(), c.frames) << c.what;
    }
}

TEST(MyImageGIF, FramesInsideTheScreenStillDecode)
{
    // A screen of 300 x 200 white, then a 40 x 30 black frame in its
    // bottom-right corner, touching both edges.
    const std::vector<uint8_t> file = BuildGif(
        300, 200, true, {{0, 0, 300, 200, LongestCodes(2, 1, 60000)}, {260, 170, 40, 30, LongestCodes(2, 0, 1200)}});
    CMyImageGIF composed;
    ASSERT_TRUE(DecodeGif(composed, file, 1, "inside.gif")) << composed.GetReason();
    EXPECT_STREQ(composed.GetReason(), "");
    ASSERT_EQ(composed.GetWidth(), 300u);
    ASSERT_EQ(composed.GetHeight(), 200u);
    EXPECT_EQ(composed.GetBpp(), 1);
    int32_t x0 = -1, y0 = -1;
    composed.GetOffset(&x0, &y0);
    EXPECT_EQ(x0, 0);
    EXPECT_EQ(y0, 0);
    int wrong = 0;
    for (int y = 0; y < 200; y++)  // from the top
        for (int x = 0; x < 300; x++) {
            const int want = x >= 260 && y >= 170 ? 0 : 1;
            if (composed.GetPixelIndex(x, 199 - y) != want && wrong++ < 5) ADD_FAILURE() << x << "," << y;
        }
    EXPECT_EQ(wrong, 0);

    // The small frame first: read alone, with its place on the screen.
    const std::vector<uint8_t> alone = BuildGif(300, 200, true, {{260, 170, 40, 30, LongestCodes(2, 0, 1200)}});
    CMyImageGIF frame;
    ASSERT_TRUE(DecodeGif(frame, alone, 0, "inside_alone.gif")) << frame.GetReason();
    EXPECT_EQ(frame.GetWidth(), 40u);
    EXPECT_EQ(frame.GetHeight(), 30u);
    frame.GetOffset(&x0, &y0);
    EXPECT_EQ(x0, 260);
    EXPECT_EQ(y0, 170);
    EXPECT_EQ(frame.GetPixelIndex(39, 0), 0);

    // One column further it no longer fits.
    const std::vector<uint8_t> outside = BuildGif(300, 200, true, {{261, 170, 40, 30, LongestCodes(2, 0, 1200)}});
    EXPECT_FALSE(DecodeGif(frame, outside, 0, "inside_out.gif"));
    EXPECT_STREQ(frame.GetReason(), "image outside the logical screen");
}

TEST(MyImageGIF, FailuresGiveTheirReason)
{
    const std::vector<uint8_t> dot = PackCodes({{4, 3}, {1, 3}, {0, 3}, {1, 3}, {1, 4}, {5, 4}});
    const std::vector<uint8_t> good = BuildGif(2, 2, true, {{0, 0, 2, 2, dot}});
    std::vector<uint8_t> cut = good;
    cut.resize(30);  // right after the LZW code size
    std::vector<uint8_t> badSize = good;
    badSize[29] = 12;  // LZW code size
    std::vector<uint8_t> badExtension = good;
    badExtension.insert(badExtension.begin() + 19, {0x21, 0xFF, 5, 'a', 'b', 'c', 'd', 'e', 0});
    struct Case {
        const char* what;
        std::vector<uint8_t> file;
        int32_t frame;
        const char* reason;
    } cases[] = {
        {"not a GIF", {'G', 'I', 'F', '7', '9', 'a', 0, 0, 0, 0, 0, 0, 0}, 0, "Not a GIF"},
        {"global table cut short", std::vector<uint8_t>(good.begin(), good.begin() + 16), 0, "Not a GIF"},
        {"frame 1 of 1", good, 1, "frame out of range"},
        {"negative frame", good, -1, "frame out of range"},
        {"image data cut off", cut, 0, "bad image data"},
        {"bad code size", badSize, 0, "bad image data"},
        {"application block of length 5", badExtension, 0, "bad extension block"},
    };
    for (const Case& c : cases) {
        CMyImageGIF gif;
        EXPECT_FALSE(DecodeGif(gif, c.file, c.frame, "reason.gif")) << c.what;
        EXPECT_STREQ(gif.GetReason(), c.reason) << c.what;
    }
    CMyImageGIF gif;
    EXPECT_FALSE(gif.Decode(nullptr));
    EXPECT_STREQ(gif.GetReason(), "invalid file pointer");
    gif.SetEscape(1);
    EXPECT_FALSE(DecodeGif(gif, good, 0, "reason.gif"));
    EXPECT_STREQ(gif.GetReason(), "Cancelled");
    gif.SetEscape(0);
    ASSERT_TRUE(DecodeGif(gif, good, 0, "reason.gif"));
    EXPECT_STREQ(gif.GetReason(), "");  // a success clears the last reason
}
