#include "analysis/LookColor.h"

#include <algorithm>

namespace {

int Trunc(double v)
{
    return static_cast<int>(v);
}

double HueComponent(double m1, double m2, double angle)
{
    if (angle < 0)
        angle += 360;
    else if (angle > 360)
        angle -= 360;
    if (angle < 60) return m1 + (m2 - m1) * angle / 60;
    if (angle < 180) return m2;
    if (angle < 240) return m1 + (m2 - m1) * (240 - angle) / 60;
    return m1;
}

int Move(int value, int percent)
{
    if (percent > 0) return value + (255 - value) * percent / 100;
    if (percent < 0) return value * (percent + 100) / 100;
    return value;
}

}  // namespace

DWORD RGBtoHLS(COLORREF rgb)
{
    const int r = GetRValue(rgb), g = GetGValue(rgb), b = GetBValue(rgb);
    const int mx = std::max({r, g, b}), mn = std::min({r, g, b});
    const double sum = mx + mn;
    const int l = Trunc(sum / 510 * 255);
    if (mx == mn) return HLS(0, l, 0);
    const double d = mx - mn;
    const int s = Trunc((sum / 510 <= 0.5 ? d / sum : d / (510 - sum)) * 255);
    double hue;
    if (b == mx)
        hue = 60 * ((r - g) / d + 4);
    else if (g == mx)
        hue = 60 * ((b - r) / d + 2);
    else
        hue = 60 * ((g - b) / d + 6);
    if (hue > 360) hue -= 360;
    return HLS(Trunc(hue * 255 / 360), l, s);
}

COLORREF HLStoRGB(DWORD hls)
{
    const int l = HLS_L(hls), s = HLS_S(hls);
    if (s == 0) return RGB(l, l, l);
    const double L = l / 255.0, S = s / 255.0;
    const double m2 = L <= 0.5 ? L * (1 + S) : L + S - L * S;
    const double m1 = 2 * L - m2;
    const double h = HLS_H(hls) * 360.0 / 255;
    return RGB(Trunc(HueComponent(m1, m2, h + 120) * 255), Trunc(HueComponent(m1, m2, h) * 255),
               Trunc(HueComponent(m1, m2, h - 120) * 255));
}

COLORREF HLS_TRANSFORM(COLORREF rgb, int luminancePercent, int saturationPercent)
{
    const DWORD hls = RGBtoHLS(rgb);
    return HLStoRGB(HLS(HLS_H(hls), Move(HLS_L(hls), luminancePercent), Move(HLS_S(hls), saturationPercent)));
}

COLORREF ShadeColor(COLORREF rgb, int k)
{
    const int p = ShadowPercent(k);
    return RGB(GetRValue(rgb) * p / 100, GetGValue(rgb) * p / 100, GetBValue(rgb) * p / 100);
}

void ShadeStrip(uint32_t* pixels, int stride, int x, int y, int length, bool vertical)
{
    ForEachShadowPixel(x, y, length, vertical, [&](int px, int py, int k) {
        uint32_t& p = pixels[static_cast<size_t>(py) * static_cast<size_t>(stride) + static_cast<size_t>(px)];
        // Pixels are blue, green, red from the low byte: the same factor for each.
        const uint32_t f = static_cast<uint32_t>(ShadowPercent(k));
        const uint32_t b = (p & 0xFF) * f / 100, g = ((p >> 8) & 0xFF) * f / 100, r = ((p >> 16) & 0xFF) * f / 100;
        p = (p & 0xFF000000u) | (r << 16) | (g << 8) | b;
    });
}
