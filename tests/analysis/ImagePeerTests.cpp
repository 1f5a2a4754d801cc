// Round trips through other programs: what we write is read by ImageMagick
// and Pillow with the same pixels (and gifsicle reports the frames, delays
// and loop we meant); what they write is read by us with the right pixels.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>

#include "ImageTestUtil.h"
#include "analysis/MyImageBMP.h"
#include "analysis/MyImageGIF.h"

using namespace imgtest;

namespace {

const char* kConvert = "/usr/bin/convert";
const char* kPython = "/usr/bin/python3";
const char* kGifsicle = "/usr/bin/gifsicle";

// Peers run with the C library filling the memory they allocate with a
// pattern: a value a peer leaves unset then shows on every run, not by chance.
bool Shell(const std::string& cmd)
{
    const int rc = std::system(("export MALLOC_PERTURB_=165; " + cmd + " 2>&1").c_str());
    if (rc != 0) ADD_FAILURE() << "command failed (" << rc << "): " << cmd;
    return rc == 0;
}

std::string Q(const std::string& s)
{
    return "'" + s + "'";
}

// RGBA pixels from the top row.
struct Rgba {
    int w = 0, h = 0;
    std::vector<uint8_t> px;
    const uint8_t* At(int x, int y) const { return px.data() + ((size_t)y * w + x) * 4; }
};

Rgba ReadPillowFile(const std::string& path)
{
    Rgba r;
    std::vector<uint8_t> d = ReadFileBytes(path);
    const auto nl = std::find(d.begin(), d.end(), '\n');
    if (nl == d.end()) return r;
    std::istringstream head(std::string(d.begin(), nl));
    head >> r.w >> r.h;
    r.px.assign(nl + 1, d.end());
    if (r.px.size() != (size_t)r.w * r.h * 4) r.w = r.h = 0;
    return r;
}

// A frame as Pillow sees it.
Rgba Pillow(const std::string& file, int frame = 0)
{
    const std::string out = file + ".pillow";
    if (!Shell(std::string(kPython) + " " + PEERS_SCRIPT + " pixels " + Q(file) + " " + Q(out) + " " +
               std::to_string(frame)))
        return {};
    return ReadPillowFile(out);
}

// A frame as ImageMagick sees it (PAM with alpha). "-alpha set" makes a
// picture without alpha opaque; "-alpha on" only switches the channel on, and
// ImageMagick 6 never fills it for palette BMPs, so it held stale memory.
Rgba Magick(const std::string& file, int frame = 0)
{
    const std::string out = file + ".pam";
    if (!Shell(std::string(kConvert) + " " + Q(file + "[" + std::to_string(frame) + "]") +
               " -alpha set -depth 8 pam:" + Q(out)))
        return {};
    const std::vector<uint8_t> d = ReadFileBytes(out);
    const std::string text(d.begin(), d.end());
    const size_t end = text.find("ENDHDR\n");
    Rgba r;
    if (end == std::string::npos) return r;
    std::istringstream head(text.substr(0, end));
    std::string key;
    int depth = 0;
    while (head >> key) {
        if (key == "WIDTH")
            head >> r.w;
        else if (key == "HEIGHT")
            head >> r.h;
        else if (key == "DEPTH")
            head >> depth;
    }
    if (depth != 4) return Rgba{};
    r.px.assign(d.begin() + (long)(end + 7), d.end());
    if (r.px.size() != (size_t)r.w * r.h * 4) r.w = r.h = 0;
    return r;
}

// Our picture as RGBA from the top; transparent pixels get alpha 0.
Rgba Ours(const CMyImage& im)
{
    Rgba r;
    r.w = (int)im.GetWidth();
    r.h = (int)im.GetHeight();
    const RGBQUAD t = im.GetTransColor();
    for (int y = 0; y < r.h; y++)
        for (int x = 0; x < r.w; x++) {
            const int dy = r.h - 1 - y;
            const RGBQUAD c = im.GetPixelColor(x, dy);
            bool transparent = false;
            if (im.IsTransparent())
                transparent = im.IsIndexed() ? im.GetPixelIndex(x, dy) == im.GetTransIndex() : SameColor(c, t);
            r.px.insert(r.px.end(), {c.rgbRed, c.rgbGreen, c.rgbBlue, (uint8_t)(transparent ? 0 : 255)});
        }
    return r;
}

// The first difference of two pictures; transparent pixels (alpha 0 in
// both) compare equal whatever their colour, other alphas must match. With
// opaqueOnly, pixels that the reference shows transparent are not compared.
std::string Diff(const Rgba& ours, const Rgba& ref, int tolerance = 0, bool opaqueOnly = false)
{
    if (ref.w == 0) return "reference not read";
    if (ours.w != ref.w || ours.h != ref.h)
        return "size " + std::to_string(ours.w) + "x" + std::to_string(ours.h) + " vs " + std::to_string(ref.w) + "x" +
               std::to_string(ref.h);
    for (int y = 0; y < ref.h; y++)
        for (int x = 0; x < ref.w; x++) {
            const uint8_t* a = ours.At(x, y);
            const uint8_t* b = ref.At(x, y);
            if (opaqueOnly && b[3] == 0) continue;
            if (a[3] == 0 && b[3] == 0) continue;
            bool same = a[3] == b[3];
            for (int k = 0; k < 3 && same; k++) same = std::abs(a[k] - b[k]) <= tolerance;
            if (!same) {
                std::ostringstream s;
                s << "pixel (" << x << "," << y << ") ours " << (int)a[0] << "," << (int)a[1] << "," << (int)a[2] << "/"
                  << (int)a[3] << " theirs " << (int)b[0] << "," << (int)b[1] << "," << (int)b[2] << "/" << (int)b[3];
                return s.str();
            }
        }
    return "";
}

std::string Gifsicle(const std::string& file)
{
    const std::string out = file + ".info";
    if (!Shell(std::string(kGifsicle) + " --info " + Q(file) + " > " + Q(out))) return "";
    const std::vector<uint8_t> d = ReadFileBytes(out);
    return std::string(d.begin(), d.end());
}

int Count(const std::string& text, const std::string& what)
{
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) n++;
    return n;
}

// A binary PPM of the given colours (from the top row).
void WritePpm(const std::string& path, int w, int h, const std::function<RGBQUAD(int, int)>& color)
{
    std::vector<uint8_t> d;
    const std::string head = "P6\n" + std::to_string(w) + " " + std::to_string(h) + "\n255\n";
    d.assign(head.begin(), head.end());
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            const RGBQUAD c = color(x, y);
            d.insert(d.end(), {c.rgbRed, c.rgbGreen, c.rgbBlue});
        }
    ASSERT_TRUE(WriteFileBytes(path, d));
}

Rgba PpmPixels(int w, int h, const std::function<RGBQUAD(int, int)>& color)
{
    Rgba r;
    r.w = w;
    r.h = h;
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            const RGBQUAD c = color(x, y);
            r.px.insert(r.px.end(), {c.rgbRed, c.rgbGreen, c.rgbBlue, 255});
        }
    return r;
}

CMyImage LoadOurs(const std::string& path, int frame = 0)
{
    CMyImage im;
    im.SetFrame(frame);
    EXPECT_TRUE(im.Load(path.c_str(), 0)) << path << " frame " << frame;
    return im;
}

// Eight colours whose channels are 0 or 255 survive every depth exactly.
RGBQUAD Primary(int x, int y)
{
    const int k = (x / 3 + y / 2 * 3 + x * y) % 8;
    return Rgb(k & 1 ? 255 : 0, k & 2 ? 255 : 0, k & 4 ? 255 : 0);
}

RGBQUAD Sixteen(int x, int y)
{
    const int k = (x + 2 * y) % 16;
    return Rgb((uint8_t)(k * 16), (uint8_t)(255 - k * 9), (uint8_t)(k * 5));
}

RGBQUAD Many(int x, int y)
{
    return Rgb((uint8_t)(x * 9), (uint8_t)(y * 13), (uint8_t)((x + y) * 4));
}

}  // namespace

// ------------------------------------------------------------- ours -> theirs

TEST(ImagePeers, TheyReadEveryBmpDepthWeWrite)
{
    for (int bpp : {1, 4, 8, 24}) {
        CMyImage im;
        MakePattern(im, 37, 21, bpp, (uint32_t)bpp);
        const std::string path = Scratch("ours" + std::to_string(bpp) + ".bmp");
        ASSERT_TRUE(im.WriteBmpFile(path.c_str()));
        EXPECT_EQ(Diff(Ours(im), Magick(path)), "") << "ImageMagick, " << bpp << " bits";
        EXPECT_EQ(Diff(Ours(im), Pillow(path)), "") << "Pillow, " << bpp << " bits";
    }
}

TEST(ImagePeers, TheyReadOurGifsWithEveryCoder)
{
    for (int bpp : {1, 4, 8}) {
        for (DWORD option : {1u, 2u, 3u}) {
            CMyImageGIF gif;
            MakePattern(gif, 150, 61, bpp, 3);
            // Long runs too, so the run-length coder builds and reuses its table.
            for (int y = 0; y < 20; y++)
                for (int x = 0; x < 150; x++)
                    gif.SetPixelIndex(x, y, (uint8_t)((x / 50 + y / 10) % gif.GetNumColors()));
            gif.SetEncodeOption(option);
            const std::string path = Scratch("ours" + std::to_string(bpp) + "_" + std::to_string(option) + ".gif");
            FILE* f = std::fopen(path.c_str(), "wb");
            ASSERT_TRUE(gif.Encode(f));
            std::fclose(f);
            EXPECT_EQ(Diff(Ours(gif), Magick(path)), "") << "ImageMagick " << path;
            EXPECT_EQ(Diff(Ours(gif), Pillow(path)), "") << "Pillow " << path;
        }
    }
}

TEST(ImagePeers, TheySeeOurTransparency)
{
    CMyImage im;
    MakePattern(im, 30, 20, 8, 4);
    for (int x = 0; x < 30; x++) im.SetPixelIndex(x, 10, 17);
    im.SetTransIndex(17);
    const std::string path = Scratch("trans.gif");
    ASSERT_TRUE(im.WriteGifFile(path.c_str(), 0));
    const Rgba ours = Ours(im);
    EXPECT_EQ(ours.At(0, 9)[3], 0);
    EXPECT_EQ(Diff(ours, Pillow(path)), "");
    EXPECT_EQ(Diff(ours, Magick(path)), "");
}

TEST(ImagePeers, TheyComposeOurTrueColourMosaic)
{
    CMyImage im;
    MakePattern(im, 40, 33, 24, 7);
    const std::string path = Scratch("mosaic_peer.gif");
    ASSERT_TRUE(im.WriteGifFile(path.c_str(), 0));
    const std::string info = Gifsicle(path);
    EXPECT_NE(info.find("9 images"), std::string::npos) << info;  // 3 x 3 tiles
    // The last frame, composed on the earlier ones, is the whole picture.
    EXPECT_EQ(Diff(Ours(im), Pillow(path, 8)), "");
    CMyImage back = LoadOurs(path);
    EXPECT_EQ(ComparePixels(back, im), "");
}

TEST(ImagePeers, TheyPlayOurAnimationsAsMeant)
{
    CMyImage f0, f1, f2;
    MakePattern(f0, 32, 24, 8, 1);
    MakePattern(f1, 32, 24, 4, 2);
    MakePattern(f2, 32, 24, 1, 3);
    f0.SetFrameDelay(20);
    f1.SetFrameDelay(35);
    f2.SetFrameDelay(50);
    struct Case {
        int loops, disposal;
        const char* loopText;
        const char* disposalText;
    } cases[] = {{0, 1, "loop forever", "disposal asis"}, {3, 2, "loop count 2", "disposal background"}};
    for (const Case& c : cases) {
        CMyImageGIF writer;
        writer.SetLoops(c.loops);
        writer.SetDisposalMethod(c.disposal);
        writer.SetComment("Vek animation");
        const std::string path = Scratch("anim_peer" + std::to_string(c.loops) + ".gif");
        FILE* f = std::fopen(path.c_str(), "wb");
        CMyImage* frames[3] = {&f0, &f1, &f2};
        ASSERT_TRUE(writer.Encode(f, frames, 3, true));
        std::fclose(f);
        const std::string info = Gifsicle(path);
        EXPECT_NE(info.find("3 images"), std::string::npos) << info;
        EXPECT_NE(info.find(c.loopText), std::string::npos) << info;
        EXPECT_EQ(Count(info, c.disposalText), 3) << info;
        EXPECT_NE(info.find("delay 0.20s"), std::string::npos) << info;
        EXPECT_NE(info.find("delay 0.35s"), std::string::npos) << info;
        EXPECT_NE(info.find("delay 0.50s"), std::string::npos) << info;
        EXPECT_NE(info.find("Vek animation"), std::string::npos) << info;
        const CMyImage* expect[3] = {&f0, &f1, &f2};
        for (int k = 0; k < 3; k++) {
            EXPECT_EQ(Diff(Ours(*expect[k]), Pillow(path, k)), "") << "Pillow frame " << k;
            EXPECT_EQ(Diff(Ours(*expect[k]), Magick(path, k)), "") << "ImageMagick frame " << k;
            EXPECT_EQ(ComparePixels(LoadOurs(path, k), *expect[k]), "") << "ours frame " << k;
        }
    }
}

TEST(ImagePeers, TheyPlayAnAnimationOfOurFrameFiles)
{
    std::vector<std::string> names;
    std::vector<CMyImage> pics(3);
    for (int k = 0; k < 3; k++) {
        MakePattern(pics[(size_t)k], 16, 12, k == 0 ? 24 : 8, (uint32_t)k + 1);  // fewer than 256 colours
        names.push_back(Scratch("step" + std::to_string(k) + (k == 0 ? ".bmp" : ".gif")));
        ASSERT_TRUE(k == 0 ? pics[0].WriteBmpFile(names.back().c_str())
                           : pics[(size_t)k].WriteGifFile(names.back().c_str(), 0));
    }
    const char* list[3] = {names[0].c_str(), names[1].c_str(), names[2].c_str()};
    CMyImageGIF caller;
    caller.SetEncodeOption(2);
    caller.SetLoops(0);
    caller.SetFrameDelay(12);
    const std::string path = Scratch("steps.gif");
    ASSERT_TRUE(caller.WriteGifFile(path.c_str(), list, 3));
    const std::string info = Gifsicle(path);
    EXPECT_NE(info.find("3 images"), std::string::npos) << info;
    EXPECT_NE(info.find("loop forever"), std::string::npos) << info;
    EXPECT_EQ(Count(info, "delay 0.12s"), 3) << info;
    for (int k = 0; k < 3; k++) EXPECT_EQ(Diff(Ours(pics[(size_t)k]), Pillow(path, k)), "") << k;
}

// ------------------------------------------------------------- theirs -> ours

TEST(ImagePeers, WeReadTheirBmps)
{
    const int w = 23, h = 9;
    const std::string src8 = Scratch("src8.ppm"), src16 = Scratch("src16.ppm"), srcMany = Scratch("srcmany.ppm");
    WritePpm(src8, w, h, Primary);
    WritePpm(src16, w, h, Sixteen);
    WritePpm(srcMany, w, h, Many);
    struct Case {
        const char* name;
        std::string src;
        std::string cmd;  // {in} {out}
        std::function<RGBQUAD(int, int)> color;
        uint16_t bits;
        uint32_t headerSize;
        uint32_t compression;
    } cases[] = {
        {"im_bmp3_24.bmp", srcMany, "convert {in} bmp3:{out}", Many, 24, 40, 0},
        {"im_bmp3_8.bmp", srcMany, "convert {in} -type palette -compress None bmp3:{out}", Many, 8, 40, 0},
        {"im_bmp3_4.bmp", src16, "convert {in} -type palette bmp3:{out}", Sixteen, 4, 40, 0},
        {"im_bmp3_1.bmp", src8, "convert {in} -threshold 50% -type bilevel bmp3:{out}", nullptr, 1, 40, 0},
        {"im_rle8.bmp", srcMany, "convert {in} -type palette -compress RLE bmp3:{out}", Many, 8, 40, 1},
        {"im_core8.bmp", srcMany, "convert {in} -type palette bmp2:{out}", Many, 8, 12, 0},
        {"im_core24.bmp", srcMany, "convert {in} bmp2:{out}", Many, 24, 12, 0},
        {"im_v5_565.bmp", src8, "convert {in} -define bmp:subtype=RGB565 bmp:{out}", Primary, 16, 124, 3},
        {"im_v5_555.bmp", src8, "convert {in} -define bmp:subtype=RGB555 bmp:{out}", Primary, 16, 124, 3},
        {"im_v5_32.bmp", srcMany, "convert {in} -alpha set -define bmp:subtype=ARGB8888 bmp:{out}", Many, 32, 124, 3},
        {"im_v5_24.bmp", srcMany, "convert {in} bmp:{out}", Many, 24, 124, 0},
        {"pil_32.bmp", srcMany, "python -c \"from PIL import Image; Image.open('{in}').convert('RGBA').save('{out}')\"",
         Many, 32, 40, 0},
        {"pil_8.bmp", srcMany, "python -c \"from PIL import Image; Image.open('{in}').quantize(256).save('{out}')\"",
         Many, 8, 40, 0},
        {"pil_1.bmp", src8, "python -c \"from PIL import Image; Image.open('{in}').convert('1').save('{out}')\"",
         nullptr, 1, 40, 0},
        {"topdown24.bmp", srcMany, "convert {in} bmp3:{out}.tmp && python " PEERS_SCRIPT " topdown {out}.tmp {out}",
         Many, 24, 40, 0},
        {"topdown8.bmp", srcMany,
         "convert {in} -type palette -compress None bmp3:{out}.tmp && python " PEERS_SCRIPT " topdown {out}.tmp {out}",
         Many, 8, 40, 0},
        {"rle4.bmp", src16, "python " PEERS_SCRIPT " rle4 {in} {out}", Sixteen, 4, 40, 2},
    };
    for (const Case& c : cases) {
        const std::string out = Scratch(c.name);
        std::string cmd = c.cmd;
        auto replace = [&](const std::string& key, const std::string& value) {
            for (size_t at = cmd.find(key); at != std::string::npos; at = cmd.find(key, at + value.size()))
                cmd.replace(at, key.size(), value);
        };
        replace("{in}", c.src);
        replace("{out}", out);
        if (cmd.rfind("convert ", 0) == 0) cmd = std::string(kConvert) + cmd.substr(7);
        replace("python ", std::string(kPython) + " ");
        ASSERT_TRUE(Shell(cmd)) << c.name;
        const std::vector<uint8_t> d = ReadFileBytes(out);
        ASSERT_GT(d.size(), 54u) << c.name;
        // The file is the kind we meant to test.
        EXPECT_EQ(ReadLe32(d, 14), c.headerSize) << c.name;
        EXPECT_EQ(c.headerSize == 12 ? ReadLe16(d, 24) : ReadLe16(d, 28), c.bits) << c.name;
        if (c.headerSize != 12) {
            EXPECT_EQ(ReadLe32(d, 30), c.compression) << c.name;
        }
        if (std::string(c.name).rfind("topdown", 0) == 0) {
            EXPECT_LT((int32_t)ReadLe32(d, 22), 0) << c.name;
        }

        CMyImage im = LoadOurs(out);
        EXPECT_EQ(im.GetType(), 1u) << c.name;
        // Against the source colours, and against ImageMagick's reading of the file.
        if (c.color) {
            EXPECT_EQ(Diff(Ours(im), PpmPixels(w, h, c.color)), "") << c.name;
        }
        EXPECT_EQ(Diff(Ours(im), Magick(out)), "") << c.name;
    }
}

TEST(ImagePeers, WeReadTheirGifs)
{
    const int w = 40, h = 27;
    const std::string src = Scratch("gsrc.ppm"), srcB = Scratch("gsrcb.ppm");
    WritePpm(src, w, h, Sixteen);
    WritePpm(srcB, w, h, [](int x, int y) { return Primary(x + 5, y); });
    const std::string conv = kConvert;
    const std::string gs = kGifsicle;
    struct Case {
        const char* name;
        std::string cmd;
        int frames;
        const char* check;  // a text gifsicle --info must show
    } cases[] = {
        {"im_interlaced.gif", conv + " " + src + " -interlace GIF {out}", 1, "interlaced"},
        {"im_comment.gif", conv + " " + src + " -set comment 'from ImageMagick' {out}", 1, "from ImageMagick"},
        {"im_local.gif",
         conv + " " + src + " {out}.a.gif && " + conv + " " + srcB + " {out}.b.gif && " + conv +
             " -delay 30 {out}.a.gif -delay 40 {out}.b.gif {out}",
         2, "local color table"},
        {"gs_background.gif",
         conv + " " + src + " {out}.a.gif && " + conv + " " + srcB + " -crop 12x9+6+3 {out}.b.gif && " + gs +
             " --disposal background {out}.a.gif --position 6,3 {out}.b.gif --position 0,0 {out}.a.gif -o {out}",
         3, "disposal background"},
        {"gs_previous.gif",
         conv + " " + src + " {out}.a.gif && " + conv + " " + srcB + " -crop 12x9+6+3 {out}.b.gif && " + gs +
             " {out}.a.gif --disposal previous --position 6,3 {out}.b.gif --disposal none --position 10,10 {out}.b.gif "
             "-o {out}",
         3, "disposal previous"},
        {"gs_optimized.gif",
         conv + " " + src + " {out}.a.gif && " + conv + " " + srcB + " {out}.b.gif && " + gs +
             " -O2 --loopcount=forever {out}.a.gif {out}.b.gif {out}.a.gif -o {out}",
         3, "loop forever"},
        {"pil_local.gif", std::string(kPython) + " " + PEERS_SCRIPT + " animation {out} local", 3, "made by Pillow"},
    };
    for (const Case& c : cases) {
        const std::string out = Scratch(c.name);
        std::string cmd = c.cmd;
        for (size_t at = cmd.find("{out}"); at != std::string::npos; at = cmd.find("{out}", at))
            cmd.replace(at, 5, out);
        ASSERT_TRUE(Shell(cmd)) << c.name;
        const std::string info = Gifsicle(out);
        EXPECT_NE(info.find(c.check), std::string::npos) << c.name << "\n" << info;
        for (int k = 0; k < c.frames; k++) {
            CMyImage im = LoadOurs(out, k);
            EXPECT_EQ(im.GetNumFrames(), c.frames) << c.name;
            EXPECT_EQ(im.GetType(), 2u) << c.name;
            EXPECT_EQ(Diff(Ours(im), Pillow(out, k), 0, true), "") << c.name << " frame " << k;
        }
    }
    // The comment and the loop of peers' files.
    CMyImageGIF gif;
    FILE* f = std::fopen(Scratch("im_comment.gif").c_str(), "rb");
    ASSERT_TRUE(gif.Decode(f));
    std::fclose(f);
    char comment[255];
    gif.GetComment(comment);
    EXPECT_STREQ(comment, "from ImageMagick");
}
