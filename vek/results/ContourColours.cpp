#include "vek/results/ContourColours.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "korvalib/base/GFunc.h"

#include "vek/model/ProjectOptions.h"
#include "vek/results/ResultChoices.h"
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

bool LayoutContourLegend(int W, int V, int ppi, ContourLegend& out)
{
    const ContourState& c = theResultDisp.contour;
    if (!theProjectOptions.bColourLegend || c.kind == 0) return false;
    out = ContourLegend();
    const char* names[20] = {};
    const int slots = ContourComponentNames(c.kind, names);
    if (c.component < slots && names[c.component]) out.name = names[c.component];

    uint8_t palette[kPaletteSize][3];
    BuildContourPalette(theProjectOptions.nContourColors, palette);
    int bands = 1;
    for (int p = 1; p < kPaletteSize; ++p)
        if (palette[p][0] != palette[p - 1][0] || palette[p][1] != palette[p - 1][1] ||
            palette[p][2] != palette[p - 1][2])
            ++bands;
    bands = std::min(bands, 20);

    const int x0 = W / 80, H = 3 * V / 5;
    const int th = std::min(int(0.75 * H / bands), 16 * ppi / 72);
    const int y0 = x0 + (3 * th) / 2;
    out.textHeight = th;
    out.nameX = x0;
    out.nameY = y0 - th / 2 - th;
    const int n = kPaletteSize;
    for (int j = 0; j < n; ++j) {
        const uint8_t* e = palette[n - 1 - j];
        out.boxes.push_back({x0, y0 + int(double(j) * H / n), 3 * x0, int(double(H) / n + 1),
                             uint32_t(e[0]) | uint32_t(e[1]) << 8 | uint32_t(e[2]) << 16});
    }
    double low, high;
    ContourRange(low, high);
    // The top box has the highest colour: the labels run from the largest value down.
    for (int j = 0; j <= bands; ++j) {
        double v = high - j * (high - low) / bands;
        if (std::fabs(v) < 1e-5 * std::fabs(high - low)) v = 0;
        char text[64];
        std::snprintf(text, sizeof text, "%.4g", v);
        GFunc::CompressFloatString(text, 0);
        out.labels.push_back({4 * x0, y0 - th / 2 + int(double(j) * H / bands), text});
        if (j > 0 && j < bands) out.lineYs.push_back(y0 + int(double(j) * H / bands));
    }
    out.lineX1 = x0;
    out.lineX2 = 4 * x0;
    return true;
}
