// Contour colours and values: the palettes, the marker code and the
// recolouring of both picture depths, the normalisation, and the value sets
// of node displacements and beam forces with their envelopes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "tests/support/AppHelpersStandIn.h"
#include "tests/vek/model/ModelTestSupport.h"
#include "tests/vek/results/ResultFiles.h"
#include "vek/model/ProjectOptions.h"
#include "vek/results/ContourColours.h"
#include "vek/results/ContourValues.h"
#include "vek/results/Result.h"
#include "vek/results/ResultCounts.h"
#include "vek/results/ResultDisp.h"

namespace {

using Rgb = std::array<int, 3>;

Rgb Entry(int colours, int p)
{
    uint8_t pal[kPaletteSize][3];
    BuildContourPalette(colours, pal);
    return {pal[p][0], pal[p][1], pal[p][2]};
}

TEST(ContourPalette, TenTwentyAndSmoothSteps)
{
    // Ten solid bands from pure blue; dark blue is never used.
    EXPECT_EQ(Entry(10, 0), (Rgb{0, 0, 255}));
    EXPECT_EQ(Entry(10, 23), (Rgb{0, 0, 255}));
    EXPECT_EQ(Entry(10, 24), (Rgb{0, 127, 255}));
    EXPECT_EQ(Entry(10, 239), (Rgb{255, 0, 127}));
    // Twenty: half of each segment the mean of its keys, the first the dark blue.
    EXPECT_EQ(Entry(20, 0), (Rgb{0, 0, 127}));
    EXPECT_EQ(Entry(20, 12), (Rgb{0, 0, 255}));
    EXPECT_EQ(Entry(20, 24), (Rgb{0, 63, 255}));
    EXPECT_EQ(Entry(20, 36), (Rgb{0, 127, 255}));
    // Smooth: a running sum of 1/24 steps, truncated; any other count is smooth.
    EXPECT_EQ(Entry(240, 0), (Rgb{0, 0, int(127 + 128 / 24.0)}));
    EXPECT_EQ(Entry(240, 23), (Rgb{0, 0, 255}));
    EXPECT_EQ(Entry(240, 24), (Rgb{0, int(127 / 24.0), 255}));
    EXPECT_EQ(Entry(7, 100), Entry(240, 100));
}

TEST(ContourColours, MarkersNormalisingAndRecolouringBothDepths)
{
    theProjectOptions.SetDefaults();
    ContourState& c = theResultDisp.contour;
    c.smallest = -10;
    c.largest = 30;
    EXPECT_DOUBLE_EQ(ContourNormalise(-10), 0);
    EXPECT_DOUBLE_EQ(ContourNormalise(10), 0.5);
    theProjectOptions.bUseContourRange = 1;
    theProjectOptions.dContourMin = 0;
    theProjectOptions.dContourMax = 100;
    EXPECT_DOUBLE_EQ(ContourNormalise(25), 0.25);
    theProjectOptions.dContourMax = 0;  // no width
    EXPECT_EQ(ContourNormalise(25), 0);
    theProjectOptions.bUseContourRange = 0;

    // A 24-bit and a 32-bit picture, rows padded: markers get the palette,
    // other pixels (a pure green outside the code, a red) stay.
    for (int bpp : {24, 32}) {
        const int w = 3, h = 2, step = bpp / 8, stride = (w * step + 3) / 4 * 4;
        std::vector<uint8_t> px(size_t(stride * h), 0);
        auto set = [&](int x, int y, uint8_t b, uint8_t g, uint8_t r) {
            uint8_t* p = &px[size_t(y * stride + x * step)];
            p[0] = b;
            p[1] = g;
            p[2] = r;
        };
        set(0, 0, 0, 8, 0);    // lowest marker
        set(1, 0, 0, 247, 0);  // highest
        set(2, 0, 0, 250, 0);  // green outside the code
        set(0, 1, 0, 100, 1);  // not pure green
        set(1, 1, 0, 128, 0);
        ASSERT_EQ(RecolourMarkers(px.data(), w, h, bpp, stride, 10), 3) << bpp;
        auto at = [&](int x, int y) {
            const uint8_t* p = &px[size_t(y * stride + x * step)];
            return Rgb{p[2], p[1], p[0]};
        };
        EXPECT_EQ(at(0, 0), Entry(10, 0));
        EXPECT_EQ(at(1, 0), Entry(10, 239));
        EXPECT_EQ(at(2, 0), (Rgb{0, 250, 0}));
        EXPECT_EQ(at(0, 1), (Rgb{1, 100, 0}));
        EXPECT_EQ(at(1, 1), Entry(10, 120));
    }
    std::vector<uint8_t> sixteen(8);
    EXPECT_EQ(RecolourMarkers(sixteen.data(), 2, 2, 16, 4, 10), -1);
}

// A linear field over a patch P pixels wide: ten bands of P/10 pixels each.
TEST(ContourColours, ALinearFieldGivesTenEqualBands)
{
    const int P = 240;
    std::vector<uint8_t> row(size_t(P) * 3);
    for (int x = 0; x < P; ++x) {
        const double t = double(x) / (P - 1);
        const int g = 8 + int(239 * t + 0.5);  // the marker the renderer would interpolate
        row[size_t(x) * 3 + 1] = uint8_t(g);
    }
    ASSERT_EQ(RecolourMarkers(row.data(), P, 1, 24, P * 3, 10), P);
    std::vector<int> boundaries;
    for (int x = 1; x < P; ++x)
        if (row[size_t(x) * 3] != row[size_t(x - 1) * 3] || row[size_t(x) * 3 + 1] != row[size_t(x - 1) * 3 + 1] ||
            row[size_t(x) * 3 + 2] != row[size_t(x - 1) * 3 + 2])
            boundaries.push_back(x);
    ASSERT_EQ(boundaries.size(), 9u);
    for (int k = 1; k <= 9; ++k) EXPECT_NEAR(boundaries[size_t(k - 1)], 24.0 * k * P / 239, 1.0) << k;
}

TEST(ContourLegend, HighestColourAndValueAtTheTopBandsByFormula)
{
    theProjectOptions.SetDefaults();
    theProjectOptions.bColourLegend = 1;
    theProjectOptions.nContourColors = 10;
    ContourState& c = theResultDisp.contour;
    c.kind = 5;
    c.component = 6;
    c.smallest = -10;
    c.largest = 30;
    ContourLegend l;
    ASSERT_TRUE(LayoutContourLegend(800, 500, 96, l));
    // x0 = 800/80, H = 300, ten bands: text min(22, 21), y0 = x0 + 3*21/2.
    EXPECT_EQ(l.textHeight, 21);
    EXPECT_EQ(l.name, "位移平方和开方D");
    ASSERT_EQ(l.boxes.size(), size_t(kPaletteSize));
    EXPECT_EQ(l.boxes[0].x, 10);
    EXPECT_EQ(l.boxes[0].y, 41);
    EXPECT_EQ(l.boxes[0].w, 30);
    EXPECT_EQ(l.boxes[0].colour, 0x7F00FFu);      // the highest colour on top
    EXPECT_EQ(l.boxes.back().colour, 0xFF0000u);  // pure blue at the bottom
    ASSERT_EQ(l.labels.size(), 11u);
    EXPECT_EQ(l.labels[0].text, "30");
    EXPECT_EQ(l.labels[5].text, "10");
    EXPECT_EQ(l.labels[10].text, "-10");
    EXPECT_EQ(l.labels[10].y, 41 - 10 + 300);
    EXPECT_EQ(l.lineYs.size(), 9u);
    EXPECT_EQ(l.lineYs[0], 41 + 30);
    // A boundary at about zero reads 0; no legend without a contour or the switch.
    c.smallest = -5;
    c.largest = 5 + 1e-9;
    ASSERT_TRUE(LayoutContourLegend(800, 500, 96, l));
    EXPECT_EQ(l.labels[5].text, "0");
    theProjectOptions.bColourLegend = 0;
    EXPECT_FALSE(LayoutContourLegend(800, 500, 96, l));
    c.Clear();
}

class ContourTest : public ::testing::Test {
protected:
    ContourTest() : model(resgen::MakeSmallModel()), files(model) {}
    void SetUp() override
    {
        ASSERT_EQ(theResult.SetFileName(files.Base().c_str(), 0, 1), 1);
        theProjectOptions.SetDefaults();
        theResult.ClampSelection();
        theResultDisp.CloseAll(0);
    }
    void TearDown() override
    {
        theResultDisp.CloseAll(0);
        theResult.SetZero();
    }
    resgen::Model model;
    restest::ResultFiles files;
    vektest::AppHelperLog log;
    vektest::RecordingHooks hooks;
};

TEST_F(ContourTest, NodeDisplacementsOfACaseAndTheirEnvelopes)
{
    ContourState& c = theResultDisp.contour;
    const int n = 9;
    std::vector<std::vector<resgen::Row6>> cases;
    for (int k = 0; k < model.cases; ++k) cases.push_back(model.Expect(model.dis[size_t(k)], n));

    SetResultSelectorValue(kSelLoadCase, 2);
    c.kind = 5;
    c.component = 1;
    ASSERT_TRUE(FillContour());
    ASSERT_EQ(c.nodeValues.size(), size_t(n));
    for (int i = 0; i < n; ++i) EXPECT_DOUBLE_EQ(c.nodeValues[size_t(i)], cases[1][size_t(i)][1]);
    const auto [lo, hi] = std::minmax_element(c.nodeValues.begin(), c.nodeValues.end());
    EXPECT_DOUBLE_EQ(c.smallest, *lo);
    EXPECT_DOUBLE_EQ(c.largest, *hi);

    // The resultant translation; a component past it falls back to 0.
    c.component = 6;
    ASSERT_TRUE(FillContour());
    const auto& r = cases[1][4];
    EXPECT_DOUBLE_EQ(c.nodeValues[4], std::sqrt(r[0] * r[0] + r[1] * r[1] + r[2] * r[2]));
    c.component = 9;
    ASSERT_TRUE(FillContour());
    EXPECT_EQ(c.component, 0);

    // Largest value and largest absolute value over every load case.
    for (int mode : {1, 2}) {
        c.envelope = uint8_t(mode);
        c.component = 2;
        ASSERT_TRUE(FillContour());
        for (int i = 0; i < n; ++i) {
            double kept = cases[0][size_t(i)][2];
            for (size_t k = 1; k < cases.size(); ++k) {
                const double v = cases[k][size_t(i)][2];
                if (mode == 2 ? std::fabs(v) > std::fabs(kept) : v > kept) kept = v;
            }
            EXPECT_DOUBLE_EQ(c.nodeValues[size_t(i)], kept) << mode << " " << i;
        }
    }
    EXPECT_TRUE(log.Messages().empty());

    // A mode past the result: no values, the message.
    c.envelope = 0;
    c.kind = 9;
    SetResultSelectorValue(kSelMode, 9);
    EXPECT_FALSE(FillContour());
    EXPECT_EQ(c.kind, 0);
    ASSERT_EQ(log.Messages().size(), 1u);
    EXPECT_EQ(log.Messages()[0].text, "#160");
}

TEST_F(ContourTest, BeamForcesPerSectionAndEmptyRanges)
{
    ContourState& c = theResultDisp.contour;
    SetResultSelectorValue(kSelForceCombination, 3);
    c.kind = 11;
    c.component = 4;
    ASSERT_TRUE(FillContour());
    const auto five =
        std::find_if(c.members.begin(), c.members.end(), [](const DiagramMember& m) { return m.m_nID == 5; });
    ASSERT_NE(five, c.members.end());
    const resgen::FrameRec& r = model.u3[0];
    ASSERT_EQ(r.element, 5);
    ASSERT_EQ(five->sect.size(), r.pos.size());
    for (size_t s = 0; s < r.pos.size(); ++s) EXPECT_DOUBLE_EQ(five->sect[s][1], r.force[2][s][4]);

    // Nothing counted: 0 .. 1e-20; a mode shape's range is symmetric.
    c.members.clear();
    CalcContourRange();
    EXPECT_EQ(c.smallest, 0);
    EXPECT_EQ(c.largest, 1e-20);
    c.nodeValues = {-2, 5};
    theResultDisp.disp.kind = 13;
    CalcContourRange();
    EXPECT_EQ(c.smallest, -5);
    EXPECT_EQ(c.largest, 5);
    theResultDisp.disp.kind = 0;
}

}  // namespace
