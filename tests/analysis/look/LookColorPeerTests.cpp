// The HLS arithmetic against Python's colorsys over a cube of colours: hue
// (modulo 255), luminance and saturation within 1 of colorsys truncated to
// 0-255, and back to RGB within 1.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "analysis/LookColor.h"

namespace {

struct Triple {
    int a, b, c;
};

std::vector<Triple> RunColorsys(const std::vector<std::string>& lines, const std::string& tag)
{
    const std::string dir = ::testing::TempDir();
    const std::string in = dir + "look_hls_" + tag + ".in", out = dir + "look_hls_" + tag + ".out";
    {
        std::ofstream f(in);
        for (const std::string& l : lines) f << l << "\n";
    }
    const std::string cmd = std::string("/usr/bin/python3 ") + PEERS_SCRIPT + " hls '" + in + "' '" + out + "'";
    if (std::system(cmd.c_str()) != 0) {
        ADD_FAILURE() << "command failed: " << cmd;
        return {};
    }
    std::vector<Triple> result;
    std::ifstream f(out);
    Triple t{};
    while (f >> t.a >> t.b >> t.c) result.push_back(t);
    return result;
}

int HueDistance(int a, int b)
{
    const int d = std::abs(a - b) % 255;
    return std::min(d, 255 - d);
}

TEST(LookColorPeers, MatchesColorsysOverAColourCube)
{
    std::vector<COLORREF> colours;
    std::vector<std::string> toHls, toRgb;
    for (int r = 0; r <= 255; r += 15)
        for (int g = 0; g <= 255; g += 15)
            for (int b = 0; b <= 255; b += 15) {
                const COLORREF c = RGB(r, g, b);
                colours.push_back(c);
                toHls.push_back("rgb " + std::to_string(r) + " " + std::to_string(g) + " " + std::to_string(b));
                const DWORD hls = RGBtoHLS(c);
                toRgb.push_back("hls " + std::to_string(HLS_H(hls)) + " " + std::to_string(HLS_L(hls)) + " " +
                                std::to_string(HLS_S(hls)));
            }
    const std::vector<Triple> hls = RunColorsys(toHls, "fwd");
    const std::vector<Triple> rgb = RunColorsys(toRgb, "back");
    ASSERT_EQ(hls.size(), colours.size());
    ASSERT_EQ(rgb.size(), colours.size());
    int bad = 0;
    for (size_t i = 0; i < colours.size() && bad < 10; ++i) {
        const COLORREF c = colours[i];
        const DWORD ours = RGBtoHLS(c);
        const bool grey = GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c);
        const bool same = (grey || HueDistance(HLS_H(ours), hls[i].a) <= 1) && std::abs(HLS_L(ours) - hls[i].b) <= 1 &&
                          std::abs(HLS_S(ours) - hls[i].c) <= 1;
        const COLORREF back = HLStoRGB(ours);
        const bool sameBack = std::abs(GetRValue(back) - rgb[i].a) <= 1 && std::abs(GetGValue(back) - rgb[i].b) <= 1 &&
                              std::abs(GetBValue(back) - rgb[i].c) <= 1;
        if (!same || !sameBack) {
            ++bad;
            ADD_FAILURE() << "colour " << int(GetRValue(c)) << "," << int(GetGValue(c)) << "," << int(GetBValue(c))
                          << ": ours " << int(HLS_H(ours)) << "," << int(HLS_L(ours)) << "," << int(HLS_S(ours))
                          << " colorsys " << hls[i].a << "," << hls[i].b << "," << hls[i].c << "; back "
                          << int(GetRValue(back)) << "," << int(GetGValue(back)) << "," << int(GetBValue(back))
                          << " colorsys " << rgb[i].a << "," << rgb[i].b << "," << rgb[i].c;
        }
    }
}

}  // namespace
