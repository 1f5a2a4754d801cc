#pragma once
// Helpers of the picture tests: scratch files, decoding from memory, and
// patterns and comparisons of pictures.
#include "analysis/MyImage.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/LeBytes.h"
#include "tests/support/TestFiles.h"

namespace imgtest {

using vektest::Bytes;
using vektest::LeBytes;
using vektest::ReadFileBytes;
using vektest::ReadLe16;
using vektest::ReadLe32;
using vektest::WriteFileBytes;

// A file of this program's scratch folder, which goes when the program ends.
inline std::string Scratch(const std::string& name)
{
    static const vektest::TempDir dir("img");
    return dir.File(name);
}

// Decodes bytes held in memory through a scratch file (works under Wine too).
inline bool DecodeBytes(CMyImage& image, const std::vector<uint8_t>& data, uint32_t type,
                        const char* name = "decode.bin")
{
    const std::string path = Scratch(name);
    if (!WriteFileBytes(path, data)) return false;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    const bool ok = image.Decode(f, type);
    std::fclose(f);
    return ok;
}

inline RGBQUAD Rgb(uint8_t r, uint8_t g, uint8_t b)
{
    RGBQUAD q;
    q.rgbRed = r;
    q.rgbGreen = g;
    q.rgbBlue = b;
    q.rgbReserved = 0;
    return q;
}

inline bool SameColor(RGBQUAD a, RGBQUAD b)
{
    return a.rgbRed == b.rgbRed && a.rgbGreen == b.rgbGreen && a.rgbBlue == b.rgbBlue;
}

// Every pixel colour of two pictures, from the top row; the first difference.
inline std::string ComparePixels(const CMyImage& a, const CMyImage& b)
{
    if (a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight())
        return "size " + std::to_string(a.GetWidth()) + "x" + std::to_string(a.GetHeight()) + " vs " +
               std::to_string(b.GetWidth()) + "x" + std::to_string(b.GetHeight());
    for (int32_t y = 0; y < (int32_t)a.GetHeight(); y++)
        for (int32_t x = 0; x < (int32_t)a.GetWidth(); x++) {
            const RGBQUAD p = a.GetPixelColor(x, y), q = b.GetPixelColor(x, y);
            if (!SameColor(p, q))
                return "pixel (" + std::to_string(x) + "," + std::to_string(y) + ") " + std::to_string(p.rgbRed) + "," +
                       std::to_string(p.rgbGreen) + "," + std::to_string(p.rgbBlue) + " vs " +
                       std::to_string(q.rgbRed) + "," + std::to_string(q.rgbGreen) + "," + std::to_string(q.rgbBlue);
        }
    return "";
}

// A picture of the given depth with a recognisable pattern: indexed pictures
// get a palette of distinct colours and index (x*3 + y*5) mod colours.
inline void MakePattern(CMyImage& image, uint32_t w, uint32_t h, int bpp, uint32_t seed = 1)
{
    image.Create(w, h, bpp, 0);
    if (image.IsIndexed()) {
        const uint32_t n = image.GetNumColors();
        for (uint32_t i = 0; i < n; i++)
            image.SetPaletteColor((uint8_t)i, (uint8_t)(i * 37 + seed), (uint8_t)(i * 11 + 3 * seed),
                                  (uint8_t)(255 - i));
        for (uint32_t y = 0; y < h; y++)
            for (uint32_t x = 0; x < w; x++)
                image.SetPixelIndex((int32_t)x, (int32_t)y, (uint8_t)((x * 3 + y * 5 + seed) % n));
    } else {
        for (uint32_t y = 0; y < h; y++)
            for (uint32_t x = 0; x < w; x++)
                image.SetPixelColor((int32_t)x, (int32_t)y,
                                    Rgb((uint8_t)(x * 13 + seed), (uint8_t)(y * 7), (uint8_t)((x ^ y) * 5)));
    }
}

}  // namespace imgtest
