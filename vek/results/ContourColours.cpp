#include "vek/results/ContourColours.h"

#include <cmath>

#include "vek/model/ProjectOptions.h"
#include "vek/results/ResultDisp.h"
#include "vek/view/DisplayColors.h"
#include "vek/view/draw/DrawLayer.h"

namespace {

const uint8_t kKeys[11][3] = {{0, 0, 127},   {0, 0, 255},   {0, 127, 255}, {0, 255, 255}, {0, 255, 127}, {0, 255, 0},
                              {127, 255, 0}, {255, 255, 0}, {255, 127, 0}, {255, 0, 0},   {255, 0, 127}};

bool GrowsFromZero(int kind)
{
    return kind == 11 || kind == 12 || kind == 13 || kind == 14 || kind == 18 || kind == 19;
}

}  // namespace

void BuildContourPalette(int colours, uint8_t out[kPaletteSize][3])
{
    for (int i = 0; i < 10; ++i) {
        const uint8_t* a = kKeys[i];
        const uint8_t* b = kKeys[i + 1];
        double sum[3] = {double(a[0]), double(a[1]), double(a[2])};
        for (int j = 0; j < 24; ++j) {
            uint8_t* c = out[i * 24 + j];
            for (int k = 0; k < 3; ++k) {
                if (colours == 10) {
                    c[k] = b[k];
                } else if (colours == 20) {
                    const int low = i == 0 ? a[k] : (a[k] + b[k]) / 2;
                    c[k] = uint8_t(j < 12 ? low : b[k]);
                } else {
                    sum[k] += (double(b[k]) - double(a[k])) * 0.041666666666666664;
                    c[k] = uint8_t(int(sum[k]));
                }
            }
        }
    }
}

void ContourRange(double& smallest, double& largest)
{
    const CProjectOptions& o = theProjectOptions;
    if (o.bUseContourRange) {
        smallest = o.dContourMin;
        largest = o.dContourMax;
        return;
    }
    const ContourState& c = theResultDisp.contour;
    smallest = c.smallest;
    largest = c.largest;
    if (o.bContourFades && GrowsFromZero(theResultDisp.disp.kind)) {
        if (smallest > 0) smallest = 0;
        if (largest < 0) largest = 0;
    }
}

double ContourNormalise(double v)
{
    double lo, hi;
    ContourRange(lo, hi);
    if (hi - lo < 1e-15) return 0;
    const CProjectOptions& o = theProjectOptions;
    const DispPicture& p = theResultDisp.disp;
    const int f = p.currentFrame < 0 ? -p.currentFrame : p.currentFrame;
    const int frames = o.nAnimationFrames;
    if (o.bContourFades && f >= 1 && frames >= 2 && GrowsFromZero(p.kind)) {
        const double share = double(f - 1) / (frames - 1);
        v *= p.kind == 13 ? 1 - 2 * share : share;
    }
    return (v - lo) / (hi - lo);
}

uint32_t ContourColourCode(double t)
{
    if (!(t >= -1e-5 && t <= 1.00001)) return theDisplayColors.m_back;
    const int index = int(239 * t + 0.5);
    const int level = index < 0 ? 0 : index > 239 ? 239 : index;
    if (DrawingOnGL()) return uint32_t(8 + level) << 8;
    uint8_t palette[kPaletteSize][3];
    BuildContourPalette(theProjectOptions.nContourColors, palette);
    const uint8_t* c = palette[level];
    return uint32_t(c[0]) | uint32_t(c[1]) << 8 | uint32_t(c[2]) << 16;
}

int RecolourMarkers(uint8_t* bits, int width, int height, int bitsPerPixel, int stride, int colours)
{
    if (!bits || (bitsPerPixel != 24 && bitsPerPixel != 32)) return -1;
    uint8_t palette[kPaletteSize][3];
    BuildContourPalette(colours, palette);
    const int step = bitsPerPixel / 8;
    int changed = 0;
    for (int y = 0; y < height; ++y) {
        uint8_t* row = bits + size_t(y) * size_t(stride);
        for (int x = 0; x < width; ++x) {
            uint8_t* px = row + size_t(x) * size_t(step);  // blue, green, red
            if (px[0] != 0 || px[2] != 0 || px[1] < 8 || px[1] > 247) continue;
            const uint8_t* c = palette[px[1] - 8];
            px[0] = c[2];
            px[1] = c[1];
            px[2] = c[0];
            ++changed;
        }
    }
    return changed;
}
