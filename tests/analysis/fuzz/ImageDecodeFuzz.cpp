// Fuzz target: the BMP and GIF readers over arbitrary bytes. The first byte
// chooses the type and the GIF frame; the rest is the file.
#include <cstdint>
#include <cstdio>

#include "analysis/MyImage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1) return 0;
    const uint8_t mode = data[0];
    FILE* f = fmemopen(const_cast<uint8_t*>(data + 1), size - 1, "rb");
    if (!f) return 0;
    CMyImage image;
    image.SetFrame(mode >> 2);
    if (image.Decode(f, mode & 3)) {
        // Touch the pixels and write the picture back out (small pictures only,
        // to keep the runs fast).
        const uint64_t pixels = (uint64_t)image.GetWidth() * image.GetHeight();
        volatile uint32_t sum = 0;
        if (pixels < 1000000)
            for (int32_t y = 0; y < (int32_t)image.GetHeight(); y++)
                for (int32_t x = 0; x < (int32_t)image.GetWidth(); x++) sum = sum + image.GetPixelColor(x, y).rgbGreen;
        if (pixels < 100000) {
            FILE* out = fopen("/dev/null", "wb");
            if (out) {
                image.Encode(out, (mode & 4) ? 1 : 2);
                fclose(out);
            }
        }
    }
    fclose(f);
    return 0;
}
