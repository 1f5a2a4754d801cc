// GIF encode and decode of a 1920 x 1080 8-bit picture: CMyImageGIF against
// giflib on the same pixels, in memory. The counter "bytes" is the file size.
#include <benchmark/benchmark.h>
#include <gif_lib.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "analysis/MyImageGIF.h"

namespace {

const int W = 1920, H = 1080;

// Picture 0, like a captured view: a plain background, shaded contour bands,
// a grid of lines and some text-like speckle. Picture 1, like a rendered
// shaded model: smooth colour fields with dithering noise everywhere.
int g_kind = 0;

std::vector<uint8_t> MakePixels(int kind)
{
    std::vector<uint8_t> p((size_t)W * H);
    uint32_t seed = 7;
    if (kind == 1) {
        for (int y = 0; y < H; y++)
            for (int x = 0; x < W; x++) {
                seed = seed * 1103515245u + 12345u;
                const int base = (int)(128 + 100 * std::sin(x / 97.0) * std::cos(y / 61.0));
                p[(size_t)y * W + x] = (uint8_t)(base + (int)((seed >> 29) & 3));
            }
        return p;
    }
    {
        for (int y = 0; y < H; y++)
            for (int x = 0; x < W; x++) {
                uint8_t v = 255;  // background
                const double dx = x - 900.0, dy = y - 500.0;
                const double r = std::sqrt(dx * dx + dy * dy);
                if (r < 420) v = (uint8_t)(16 + (int)(r / 420 * 200) / 8 * 8);  // contour bands
                if (x % 120 == 0 || y % 90 == 0) v = 1;                         // grid
                if (x > 1500 && y > 900 && ((x / 3 + y / 5) % 7 == 0)) {        // labels
                    seed = seed * 1103515245u + 12345u;
                    v = (uint8_t)(2 + (seed >> 28));
                }
                p[(size_t)y * W + x] = v;
            }
    }
    return p;
}

const std::vector<uint8_t>& Pixels()
{
    static std::vector<uint8_t> px[2] = {MakePixels(0), MakePixels(1)};
    return px[g_kind];
}

void FillPalette(CMyImage& im)
{
    for (int i = 0; i < 256; i++) im.SetPaletteColor((BYTE)i, (BYTE)i, (BYTE)(255 - i), (BYTE)(i * 7));
}

CMyImageGIF& OurPicture()
{
    static CMyImageGIF* pics[2] = {nullptr, nullptr};
    CMyImageGIF*& im = pics[g_kind];
    if (!im) {
        auto* g = new CMyImageGIF;
        g->Create(W, H, 8, CMYIMAGE_FORMAT_GIF);
        FillPalette(*g);
        const std::vector<uint8_t>& p = Pixels();
        for (int y = 0; y < H; y++)
            std::memcpy(g->GetBits() + (size_t)(H - 1 - y) * g->GetEffWidth(), &p[(size_t)y * W], W);
        g->SetEncodeOption(2);
        im = g;
    }
    return *im;
}

std::vector<uint8_t> EncodeOurs()
{
    std::vector<uint8_t> buf((size_t)W * H * 2);
    FILE* f = fmemopen(buf.data(), buf.size(), "wb");
    OurPicture().Encode(f);
    const long n = std::ftell(f);
    std::fclose(f);
    buf.resize((size_t)n);
    return buf;
}

int WriteToVector(GifFileType* gif, const GifByteType* data, int n)
{
    auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
    out->insert(out->end(), data, data + n);
    return n;
}

std::vector<uint8_t> EncodeGiflib()
{
    std::vector<uint8_t> out;
    out.reserve((size_t)W * H);
    int err = 0;
    GifFileType* gif = EGifOpen(&out, WriteToVector, &err);
    GifColorType colors[256];
    for (int i = 0; i < 256; i++)
        colors[i] = GifColorType{(GifByteType)i, (GifByteType)(255 - i), (GifByteType)(i * 7)};
    ColorMapObject* map = GifMakeMapObject(256, colors);
    EGifSetGifVersion(gif, true);
    EGifPutScreenDesc(gif, W, H, 8, 0, map);
    EGifPutImageDesc(gif, 0, 0, W, H, false, nullptr);
    const std::vector<uint8_t>& p = Pixels();
    for (int y = 0; y < H; y++) EGifPutLine(gif, const_cast<GifPixelType*>(&p[(size_t)y * W]), W);
    EGifCloseFile(gif, &err);
    GifFreeMapObject(map);
    return out;
}

struct Reader {
    const std::vector<uint8_t>* data;
    size_t pos;
};

int ReadFromVector(GifFileType* gif, GifByteType* buf, int n)
{
    auto* r = static_cast<Reader*>(gif->UserData);
    const size_t k = std::min((size_t)n, r->data->size() - r->pos);
    std::memcpy(buf, r->data->data() + r->pos, k);
    r->pos += k;
    return (int)k;
}

// Decodes the first image into a row buffer, line by line.
bool DecodeGiflib(const std::vector<uint8_t>& file, std::vector<uint8_t>& out)
{
    Reader r{&file, 0};
    int err = 0;
    GifFileType* gif = DGifOpen(&r, ReadFromVector, &err);
    if (!gif) return false;
    GifRecordType type;
    bool ok = false;
    do {
        if (DGifGetRecordType(gif, &type) == GIF_ERROR) break;
        if (type == IMAGE_DESC_RECORD_TYPE) {
            if (DGifGetImageDesc(gif) == GIF_ERROR) break;
            const int w = gif->Image.Width, h = gif->Image.Height;
            out.resize((size_t)w * h);
            ok = true;
            for (int y = 0; y < h && ok; y++) ok = DGifGetLine(gif, &out[(size_t)y * w], w) != GIF_ERROR;
            break;
        } else if (type == EXTENSION_RECORD_TYPE) {
            int code;
            GifByteType* ext;
            if (DGifGetExtension(gif, &code, &ext) == GIF_ERROR) break;
            while (ext && DGifGetExtensionNext(gif, &ext) != GIF_ERROR) {
            }
        }
    } while (type != TERMINATE_RECORD_TYPE);
    DGifCloseFile(gif, &err);
    return ok;
}

bool DecodeOurs(std::vector<uint8_t>& file, CMyImage& im)
{
    FILE* f = fmemopen(file.data(), file.size(), "rb");
    const bool ok = im.Decode(f, CMYIMAGE_FORMAT_GIF);
    std::fclose(f);
    return ok;
}

void BM_EncodeOurs(benchmark::State& state)
{
    g_kind = (int)state.range(0);
    OurPicture();
    size_t bytes = 0;
    for (auto _ : state) {
        std::vector<uint8_t> out = EncodeOurs();
        bytes = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["bytes"] = (double)bytes;
}

void BM_EncodeGiflib(benchmark::State& state)
{
    g_kind = (int)state.range(0);
    Pixels();
    size_t bytes = 0;
    for (auto _ : state) {
        std::vector<uint8_t> out = EncodeGiflib();
        bytes = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["bytes"] = (double)bytes;
}

// Arguments: the picture, and the file (0 the one we wrote, 1 giflib's).
std::vector<uint8_t>& File(int which)
{
    static std::vector<uint8_t> files[2][2];
    std::vector<uint8_t>& f = files[g_kind][which];
    if (f.empty()) f = which == 0 ? EncodeOurs() : EncodeGiflib();
    return f;
}

void BM_DecodeOurs(benchmark::State& state)
{
    g_kind = (int)state.range(0);
    std::vector<uint8_t>& file = File((int)state.range(1));
    for (auto _ : state) {
        CMyImage im;
        if (!DecodeOurs(file, im) || im.GetWidth() != (DWORD)W) state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(im.GetBits());
    }
}

void BM_DecodeGiflib(benchmark::State& state)
{
    g_kind = (int)state.range(0);
    std::vector<uint8_t>& file = File((int)state.range(1));
    std::vector<uint8_t> out;
    for (auto _ : state) {
        if (!DecodeGiflib(file, out)) state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(out.data());
    }
}

// Both readers see the same pixels in both files.
void BM_CheckSamePixels(benchmark::State& state)
{
    for (auto _ : state) {
    }
    g_kind = (int)state.range(0);
    const std::vector<uint8_t>& p = Pixels();
    for (int which = 0; which < 2; which++) {
        CMyImage im;
        std::vector<uint8_t> out;
        if (!DecodeOurs(File(which), im) || !DecodeGiflib(File(which), out) || out != p) {
            state.SkipWithError("pixels differ");
            return;
        }
        for (int y = 0; y < H; y++)
            if (std::memcmp(im.GetBits() + (size_t)(H - 1 - y) * im.GetEffWidth(), &p[(size_t)y * W], W) != 0) {
                state.SkipWithError("pixels differ");
                return;
            }
    }
}

}  // namespace

BENCHMARK(BM_CheckSamePixels)->Arg(0)->Arg(1)->Iterations(1);
BENCHMARK(BM_EncodeOurs)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeGiflib)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeOurs)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeGiflib)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
