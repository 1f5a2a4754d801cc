#pragma once
// Colour arithmetic of the flat look: every flat colour is a system colour
// made lighter, darker or paler in hue-luminance-saturation space, and the
// soft shadow of menus is the background darkened in a 4-pixel strip. No
// window code here, so that it is checked natively as well.
#include "analysis/AnalysisApi.h"
#include "framework/WinTypes.h"

// A packed HLS value: hue in the low byte, luminance in the second and
// saturation in the third, each 0-255.
#define HLS(h, l, s) ((DWORD)(((BYTE)(h)) | ((WORD)((BYTE)(l)) << 8) | (((DWORD)(BYTE)(s)) << 16)))
#define HLS_H(hls) ((BYTE)((hls)&0xFF))
#define HLS_L(hls) ((BYTE)(((hls) >> 8) & 0xFF))
#define HLS_S(hls) ((BYTE)(((hls) >> 16) & 0xFF))

ANALYSIS_API DWORD RGBtoHLS(COLORREF rgb);
ANALYSIS_API COLORREF HLStoRGB(DWORD hls);
// The colour with its luminance and saturation moved by the percentages
// (-100..100): a positive p moves towards 255 by p % of the distance, a
// negative one towards 0.
ANALYSIS_API COLORREF HLS_TRANSFORM(COLORREF rgb, int luminancePercent, int saturationPercent);

// The shadow factor (in hundredths) of a pixel k pixels (0-3) from the outer
// edge of a shadow strip.
inline int ShadowPercent(int k)
{
    return 93 - 5 * k;
}
// Each component times ShadowPercent(k) / 100, truncated.
ANALYSIS_API COLORREF ShadeColor(COLORREF rgb, int k);

// Calls f(px, py, k) for each pixel of a 4-pixel shadow strip, k being its
// distance from the strip's outer edge; the strip is laid out as for
// ShadeStrip below.
template <class F>
void ForEachShadowPixel(int x, int y, int length, bool vertical, F f)
{
    for (int pos = 0; pos < length; ++pos) {
        const int remaining = length - pos;
        int kmin = pos < 2 ? 2 - pos : 0;
        if (8 - remaining > kmin) kmin = 8 - remaining;
        for (int k = kmin; k < 4; ++k) f(vertical ? x + 3 - k : x + pos, vertical ? y + pos : y + 3 - k, k);
    }
}

// Darkens one 4-pixel shadow strip of a picture of 32-bit pixels (blue,
// green, red, unused; `stride` pixels a row, rows top down). A vertical strip
// covers columns x..x+3 (its outer edge at x+3) and rows y..y+length-1; a
// horizontal one rows y..y+3 (outer edge at y+3) and columns x..x+length-1.
// The strip is rounded at its ends: its first two pixels start 2 and 1 pixels
// in from the outer edge, and within 7 pixels of its far end it narrows to
// the remaining length less 4.
ANALYSIS_API void ShadeStrip(uint32_t* pixels, int stride, int x, int y, int length, bool vertical);
