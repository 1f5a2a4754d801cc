// Colour arithmetic of the flat look and the geometry of the menu shadow.
#include <gtest/gtest.h>

#include <vector>

#include "analysis/LookColor.h"

namespace {

TEST(LookColor, PureRedGreyWhiteAndBlack)
{
    const DWORD red = RGBtoHLS(RGB(255, 0, 0));
    EXPECT_EQ(HLS_H(red), 255) << "360 degrees is not reduced";
    EXPECT_EQ(HLS_L(red), 127);
    EXPECT_EQ(HLS_S(red), 255);

    const DWORD grey = RGBtoHLS(RGB(128, 128, 128));
    EXPECT_EQ(HLS_H(grey), 0);
    EXPECT_EQ(HLS_S(grey), 0);
    EXPECT_EQ(HLStoRGB(grey), RGB(128, 128, 128));

    for (int p : {1, 20, 75, 100}) EXPECT_EQ(HLS_TRANSFORM(RGB(255, 255, 255), p, 0), RGB(255, 255, 255)) << p;
    EXPECT_EQ(HLS_TRANSFORM(RGB(255, 255, 255), -100, 0), RGB(0, 0, 0));
    EXPECT_EQ(HLS_TRANSFORM(RGB(200, 30, 90), -100, -100), RGB(0, 0, 0));
}

TEST(LookColor, TiesOfTheLargestComponentTakeBlueThenGreen)
{
    // Magenta: red and blue share the maximum; the blue rule gives 300 degrees.
    EXPECT_EQ(HLS_H(RGBtoHLS(RGB(255, 0, 255))), 300 * 255 / 360);
    // Yellow: red and green; the green rule gives 60 degrees.
    EXPECT_EQ(HLS_H(RGBtoHLS(RGB(255, 255, 0))), 60 * 255 / 360);
}

TEST(LookColor, AdjustmentsMoveLuminanceAndSaturationByPercentages)
{
    // A colour's luminance L goes to L + (255 - L) p / 100, or to L (100 + p) / 100.
    const COLORREF c = RGB(10, 36, 106);  // a dark blue selection colour
    const DWORD hls = RGBtoHLS(c);
    struct Case {
        int l, s;
    } cases[] = {{80, -66}, {50, -50}, {70, -57}, {-27, 0}, {15, 0}, {0, 0}};
    for (const Case& k : cases) {
        const DWORD got = RGBtoHLS(HLS_TRANSFORM(c, k.l, k.s));
        const int l = k.l > 0 ? HLS_L(hls) + (255 - HLS_L(hls)) * k.l / 100 : HLS_L(hls) * (k.l + 100) / 100;
        const int s = k.s > 0 ? HLS_S(hls) + (255 - HLS_S(hls)) * k.s / 100 : HLS_S(hls) * (k.s + 100) / 100;
        // Back through RGB the values may be off by the truncations on the way.
        EXPECT_NEAR(HLS_L(got), l, 1) << k.l << "," << k.s;
        EXPECT_NEAR(HLS_S(got), s, 2) << k.l << "," << k.s;
    }
}

TEST(LookColor, ShadowStripIsRoundedAtBothEnds)
{
    // A vertical strip of length 12 on a grey picture 4 wide.
    const int w = 4, h = 12;
    std::vector<uint32_t> px(w * h, 0x00646464u);  // 100, 100, 100
    ShadeStrip(px.data(), w, 0, 0, h, true);
    auto value = [&](int x, int y) { return static_cast<int>(px[y * w + x] & 0xFF); };
    // k counts from the outer edge (x = 3) inwards; the factor is 93 - 5k per cent.
    for (int y = 2; y <= 4; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(value(x, y), 93 - 5 * (3 - x)) << x << "," << y;
    // First row: only k >= 2; second: k >= 1.
    EXPECT_EQ(value(3, 0), 100);
    EXPECT_EQ(value(2, 0), 100);
    EXPECT_EQ(value(1, 0), 83);
    EXPECT_EQ(value(3, 1), 100);
    EXPECT_EQ(value(2, 1), 88);
    // Within 7 of the far end the strip narrows to the remaining length less 4.
    EXPECT_EQ(value(3, 5), 100);  // 7 left: k >= 1
    EXPECT_EQ(value(2, 5), 88);
    EXPECT_EQ(value(2, 6), 100);  // 6 left: k >= 2
    EXPECT_EQ(value(1, 6), 83);
    EXPECT_EQ(value(0, 7), 78);  // 5 left: k = 3 only
    EXPECT_EQ(value(1, 7), 100);
    for (int y = 8; y < 12; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(value(x, y), 100) << "the last 4 pixels stay as they were";
    // A horizontal strip mirrors it: the outer edge is its bottom row.
    std::vector<uint32_t> row(12 * 4, 0x00646464u);
    ShadeStrip(row.data(), 12, 0, 0, 12, false);
    EXPECT_EQ(static_cast<int>(row[3 * 12 + 3] & 0xFF), 93);
    EXPECT_EQ(static_cast<int>(row[0 * 12 + 3] & 0xFF), 78);
    EXPECT_EQ(ShadeColor(RGB(200, 100, 50), 0), RGB(186, 93, 46));
}

}  // namespace
