// Section outlines for the true-shape drawing and the edge distances that
// place members: their shapes, their reference axis and the steel patterns.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "korvalib/model/SteelCatalog.h"
#include "tests/support/AppHelpersStandIn.h"
#include "tests/support/TestFiles.h"
#include "tests/vek/view/Peers.h"
#include "vek/elements/line/sections/SectionOutlines.h"
#include "vek/model/ProjectOptions.h"
#include "vek/view/ViewProjection.h"

namespace vektest {
namespace {

CFrameSect Sect(int kind, std::initializer_list<float> p)
{
    CFrameSect s;
    s.m_cKind = char(kind);
    int i = 0;
    for (float v : p) s.m_fPara[i++] = v;
    for (; i < 6; ++i) s.m_fPara[i] = 0;
    return s;
}

CSframeSect Steel(const char* text)
{
    CSframeSect s;
    s.SetSteelString(text);
    int index = 0, count = 0;
    char texts[SteelMaxFields][SteelFieldText];
    int kinds[SteelMaxFields];
    EXPECT_TRUE(DSteelStrManager::DetachInfoFromString(text, index, count, texts, kinds, 0)) << text;
    s.SetSelfDefSectIndex(index);
    EXPECT_TRUE(s.ParseSteelString()) << text;
    return s;
}

// A tapered I (kind 2): at the start flanges 0.3 x 0.02 above and 0.5 x 0.02
// below a web 0.3 x 0.01; at the end the web 0.4 high, the top flange 0.2.
constexpr float kTaperStart[6] = {0.3f, 0.01f, 0.3f, 0.02f, 0.5f, 0.02f};
constexpr float kTaperEnd[6] = {0.2f, 0.01f, 0.4f, 0.02f, 0.5f, 0.02f};
CVframeSect TaperedI()
{
    CVframeSect v;
    v.m_cKind = 2;
    std::memcpy(v.m_fStart, kTaperStart, sizeof kTaperStart);
    std::memcpy(v.m_fEnd, kTaperEnd, sizeof kTaperEnd);
    return v;
}

// The outlines of one section in section coordinates (an unplaced member).
MemberTrueShape Shape(const CFrameSect& s)
{
    MemberTrueShape m;
    s.BuildTrueShape(m);
    return m;
}

double MinY(const TrueShapeReg& r)
{
    double y = 1e300;
    for (auto* ring : {&r.ring1, &r.ring2})
        for (auto& v : *ring) y = std::min(y, v.y);
    return y;
}
double MaxY(const TrueShapeReg& r)
{
    double y = -1e300;
    for (auto* ring : {&r.ring1, &r.ring2})
        for (auto& v : *ring) y = std::max(y, v.y);
    return y;
}

// Area of an open strip of stacked plates above and below y = 0: each pair
// of rows bounds a plate of the rows' width.
void StripAreas(const TrueShapeReg& r, double& above, double& below)
{
    above = below = 0;
    for (size_t i = 0; i + 1 < r.ring1.size(); ++i) {
        const double y0 = r.ring1[i].y, y1 = r.ring1[i + 1].y;
        const double w = (r.ring1[i].x - r.ring2[i].x + r.ring1[i + 1].x - r.ring2[i + 1].x) / 2;
        above += w * std::max(0.0, y1 - std::max(y0, 0.0));
        below += w * std::max(0.0, std::min(y1, 0.0) - y0);
    }
}

struct Outlines : ::testing::Test {
    AppHelperLog log;
    void SetUp() override { ClearSectionLibraries(); }
    void TearDown() override
    {
        ClearSectionLibraries();
        theViewProjection.SetZoom(1);
        theProjectOptions.SetUnitSystem(0, 0);
    }
};

TEST_F(Outlines, RectangleAndEdgeDistances)
{
    const CFrameSect s = Sect(1, {0.6f, 0.3f});
    const MemberTrueShape m = Shape(s);
    ASSERT_EQ(m.m_starts.size(), 1u);
    ASSERT_EQ(m.m_ends.size(), 1u);
    const TrueShapeReg& r = m.m_starts[0];
    EXPECT_EQ(r.open, 0);
    ASSERT_EQ(r.ring1.size(), 4u);
    EXPECT_TRUE(r.ring2.empty());
    const double want[4][2] = {{-0.15, -0.3}, {0.15, -0.3}, {0.15, 0.3}, {-0.15, 0.3}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(r.ring1[size_t(i)].x, want[i][0], 1e-7);
        EXPECT_NEAR(r.ring1[size_t(i)].y, want[i][1], 1e-7);
    }
    EXPECT_NEAR(s.GetEdgeDistance(0), 0.3, 1e-7);
    EXPECT_NEAR(s.GetEdgeDistance(1), 0.3, 1e-7);
}

// The stacked plates: y = 0 splits the area in halves, and the edge
// distances reach the outline's top and bottom.
TEST_F(Outlines, StackedPlatesSitOnTheEqualAreaAxis)
{
    struct {
        int kind;
        std::initializer_list<float> p;
        double top;  // hand-worked, < 0: not worked out
    } cases[] = {
        {2, {0.3f, 0.01f, 0.3f, 0.02f, 0.5f, 0.02f}, 0.27},  // symmetric: no shift
        {2, {0.2f, 0.012f, 0.4f, 0.015f, 0.6f, 0.02f}, -1},  // line in the web
        {3, {1.5f, 0.2f, 0.15f, 0.5f}, 0.325 / 3},           // flange holds the line
        {3, {0.3f, 0.2f, 0.1f, 0.15f}, 0.1},                 // equal areas: the web's branch, s = T
        {3, {0.2f, 0.1f, 0.05f, 0.8f}, -1},                  // web holds it
        {4, {0.2f, 1.5f, 0.5f, 0.15f}, 0.65 - 0.325 / 3},    // flange below holds it
        {4, {0.1f, 0.3f, 0.8f, 0.05f}, -1},
        {6, {0.1f, 0.15f, 0.3f, 0.01f}, 0.15 + 0.01 + 0.025},
    };
    for (auto& c : cases) {
        const CFrameSect s = Sect(c.kind, c.p);
        SCOPED_TRACE(s.GetSectString().GetString());
        const MemberTrueShape m = Shape(s);
        ASSERT_EQ(m.m_starts.size(), 1u);
        const TrueShapeReg& r = m.m_starts[0];
        EXPECT_EQ(r.open, 1);
        ASSERT_EQ(r.ring1.size(), r.ring2.size());
        EXPECT_NEAR(MaxY(r), s.GetEdgeDistance(0), 1e-6);
        EXPECT_NEAR(-MinY(r), s.GetEdgeDistance(1), 1e-6);
        if (c.top >= 0) {
            EXPECT_NEAR(s.GetEdgeDistance(0), c.top, 1e-6);
        }
        if (c.kind != 6) {
            double above, below;
            StripAreas(r, above, below);
            EXPECT_NEAR(above, below, 1e-6);
            EXPECT_NEAR(above + below, s.GetSectArea(), 1e-6);
        }
    }
    EXPECT_NEAR(Sect(2, {0.3f, 0.01f, 0.3f, 0.02f, 0.5f, 0.02f}).GetEdgeDistance(1), 0.27, 1e-6);
}

TEST_F(Outlines, OtherKinds)
{
    // Angle: heel a third of each leg from the origin.
    MemberTrueShape m = Shape(Sect(5, {0.3f, 0.15f, 0.01f}));
    ASSERT_EQ(m.m_starts.size(), 1u);
    EXPECT_NEAR(m.m_starts[0].ring1[1].x, -0.05, 1e-7);
    EXPECT_NEAR(m.m_starts[0].ring1[1].y, -0.1, 1e-7);
    // Box: the inner ring pairs with the outer one.
    m = Shape(Sect(9, {0.4f, 0.6f, 0.02f, 0.03f}));
    ASSERT_EQ(m.m_starts[0].ring2.size(), 4u);
    EXPECT_NEAR(m.m_starts[0].ring2[2].x, 0.17, 1e-7);
    EXPECT_NEAR(m.m_starts[0].ring2[2].y, 0.28, 1e-7);
    // Ring: a smooth circle with its inner circle.
    m = Shape(Sect(7, {0.2f, 0.25f}));
    EXPECT_EQ(m.m_starts[0].smooth, 1);
    EXPECT_EQ(m.m_starts[0].ring1.size(), m.m_starts[0].ring2.size());
    EXPECT_NEAR(std::hypot(m.m_starts[0].ring2[0].x, m.m_starts[0].ring2[0].y), 0.2, 1e-7);
    // The general kind has no outline: the member is a line.
    MemberTrueShape g;
    theFrameSects.Add(Sect(40, {1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(BuildFrameTrueShape(kOrdinarySect, 1, g), 0);
    EXPECT_TRUE(g.m_starts.empty());
    for (int missing : {0, 2}) EXPECT_EQ(BuildFrameTrueShape(kOrdinarySect, missing, g), 0);
    EXPECT_EQ(BuildFrameTrueShape(kSteelSect, 1, g), 0);
    EXPECT_EQ(Sect(40, {1}).GetEdgeDistance(0), 0);
}

TEST_F(Outlines, ArcPlates)
{
    theViewProjection.SetScreenRect(0, 0, 200, 100);
    theViewProjection.SetDefaultView();
    // No inner radius: a closed sector ending in its centre.
    theViewProjection.SetZoom(1e-3);  // far out: the step is a quarter turn
    MemberTrueShape m = Shape(Sect(8, {0, 0.5f, 90}));
    const TrueShapeReg& sector = m.m_starts[0];
    EXPECT_EQ(sector.open, 0);
    ASSERT_EQ(sector.ring1.size(), 6u);  // 4 steps over half a turn, and the centre
    EXPECT_NEAR(sector.ring1.back().x, 0, 1e-12);
    EXPECT_NEAR(sector.ring1[0].y, 0.5, 1e-7);   // from pi/2 ...
    EXPECT_NEAR(sector.ring1[2].x, -0.5, 1e-7);  // ... through pi
    EXPECT_TRUE(sector.ring2.empty());

    theViewProjection.SetZoom(1e5);  // close in: the finest step, pi/20
    m = Shape(Sect(8, {1, 0.2f, 90}));
    EXPECT_EQ(m.m_starts[0].open, 1);
    EXPECT_EQ(m.m_starts[0].ring1.size(), 21u);
    EXPECT_EQ(m.m_starts[0].ring2.size(), 21u);
    // Mended: the edge of an arc wider than half a turn stays the radius.
    EXPECT_NEAR(Sect(8, {1, 0.2f, 30}).GetEdgeDistance(0), 0.6, 1e-6);
    EXPECT_NEAR(Sect(8, {1, 0.2f, 120}).GetEdgeDistance(1), 1.2, 1e-6);
    // The area reads the same parameters: a half ring 1..1.2.
    EXPECT_NEAR(Sect(8, {1, 0.2f, 90}).GetSectArea(), 3.141592653589793 * (1.44 - 1) / 2, 1e-6);
}

TEST_F(Outlines, TaperedEndsShiftEachByItsOwnAreas)
{
    CVframeSect v = TaperedI();
    theVframeSects.Add(v);
    MemberTrueShape m;
    ASSERT_EQ(BuildFrameTrueShape(kVariableSect, 1, m), 1);
    ASSERT_EQ(m.m_starts.size(), 1u);
    ASSERT_EQ(m.m_ends.size(), 1u);
    EXPECT_NEAR(MaxY(m.m_starts[0]), 0.27, 1e-6);
    // (B1 T1 - B2 T2) / 2tw = (0.008 - 0.004) / 0.02 = 0.2 up.
    EXPECT_NEAR(MaxY(m.m_ends[0]), 0.27 + 0.2, 1e-6);
    v.m_cKind = 5;
    *theVframeSects.GetAt(0) = v;
    EXPECT_EQ(BuildFrameTrueShape(kVariableSect, 1, m), 0);
}

TEST_F(Outlines, SteelPatterns)
{
    // Pipe: a round outline with its wall.
    MemberTrueShape m;
    Steel("D100*8").BuildTrueShape(m);
    ASSERT_EQ(m.m_starts.size(), 1u);
    EXPECT_EQ(m.m_starts[0].smooth, 1);
    EXPECT_NEAR(std::hypot(m.m_starts[0].ring1[0].x, m.m_starts[0].ring1[0].y), 0.05, 1e-9);
    EXPECT_NEAR(std::hypot(m.m_starts[0].ring2[0].x, m.m_starts[0].ring2[0].y), 0.042, 1e-9);

    // Hollow rectangle and the welded box.
    Steel("HR200*100*6").BuildTrueShape(m);
    ASSERT_EQ(m.m_starts.size(), 1u);
    EXPECT_NEAR(m.m_starts[0].ring2[2].x, 0.094, 1e-9);
    EXPECT_NEAR(m.m_starts[0].ring2[2].y, 0.044, 1e-9);
    Steel("BB300*10*400*8*316").BuildTrueShape(m);
    EXPECT_EQ(m.m_starts.size(), 4u);

    // Two angles back to back, the gap between them, mirrored.
    Steel("2E63*5@10").BuildTrueShape(m);
    ASSERT_EQ(m.m_starts.size(), 2u);
    const TrueShapeReg &left = m.m_starts[0], &right = m.m_starts[1];
    double minLeft = 1e9, minRight = 1e9;
    for (auto& p : left.ring1) minLeft = std::min(minLeft, p.x);
    for (auto& p : right.ring1) minRight = std::min(minRight, -p.x);
    // Each angle's back 5 mm off the middle.
    EXPECT_NEAR(minLeft, 0.005, 1e-9);
    EXPECT_NEAR(minRight, 0.005, 1e-9);
    EXPECT_NEAR(MaxY(left), MaxY(right), 1e-12);

    // Catalogue I and T: the T's flange is the table's width b (mended),
    // its web h - t high.
    Steel("I20A").BuildTrueShape(m);
    ASSERT_EQ(m.m_starts.size(), 1u);
    EXPECT_NEAR(MaxY(m.m_starts[0]) - MinY(m.m_starts[0]), 0.2, 1e-6);
    const float* t = DSteelStrManager::hbdtT[0];
    CSframeSect tee = Steel((std::string("T") + DSteelStrManager::SectT[0]).c_str());
    tee.BuildTrueShape(m);
    ASSERT_EQ(m.m_starts.size(), 1u);
    const TrueShapeReg& r = m.m_starts[0];
    EXPECT_NEAR(r.ring1.back().x - r.ring2.back().x, t[1], 1e-6);
    EXPECT_NEAR(MaxY(r) - MinY(r), t[0], 1e-6);

    // Compound members of four tubes and four angles.
    Steel("GDF89*4@400@300").BuildTrueShape(m);
    EXPECT_EQ(m.m_starts.size(), 4u);
    Steel("4L63*5@10").BuildTrueShape(m);
    EXPECT_EQ(m.m_starts.size(), 4u);
    // A user-defined section has none.
    CSframeSect user;
    user.m_cPattern = 0;
    user.BuildTrueShape(m);
    EXPECT_TRUE(m.m_starts.empty());
    // A catalogue row past the table: no outline rather than a stray read.
    CSframeSect bad = Steel("I20A");
    bad.m_dDim[0] = 500;
    bad.BuildTrueShape(m);
    EXPECT_TRUE(m.m_starts.empty());
}

// Shapely, from the outlines alone, finds the area the program gives each
// section (the plate formulas of the welded steel patterns) and, for the
// shapes built about their equal-area axis, halves the area at y = 0; both
// ends of a tapered section likewise.
TEST_F(Outlines, ShapelyAgreesOnAreasAndEqualAreaAxes)
{
    theViewProjection.SetScreenRect(0, 0, 200, 100);
    theViewProjection.SetDefaultView();
    theViewProjection.SetZoom(1e5);  // circles and arcs in their finest steps
    struct Entry {
        std::string name;
        double area;  // < 0: the program's area is not that of the outline (catalogue fillets)
        bool split;
        std::vector<TrueShapeReg> regions;
        bool curved;  // arcs drawn as chords: the area falls short by a fraction of a per cent
    };
    std::vector<Entry> entries;
    auto add = [&](const std::string& name, double area, bool split, const std::vector<TrueShapeReg>& regions,
                   bool curved = false) {
        ASSERT_FALSE(regions.empty()) << name;
        entries.push_back({name, area, split, regions, curved});
    };
    const struct {
        int kind;
        std::initializer_list<float> p;
        bool split;
    } ordinary[] = {
        {1, {0.6f, 0.3f}, true},
        {2, {0.2f, 0.012f, 0.4f, 0.015f, 0.6f, 0.02f}, true},
        {3, {1.5f, 0.2f, 0.15f, 0.5f}, true},
        {3, {0.2f, 0.1f, 0.05f, 0.8f}, true},
        {4, {0.2f, 1.5f, 0.5f, 0.15f}, true},
        {4, {0.1f, 0.3f, 0.8f, 0.05f}, true},
        {5, {0.3f, 0.15f, 0.01f}, false},
        {6, {0.1f, 0.15f, 0.3f, 0.01f}, true},
        {7, {0.2f, 0.25f}, true},
        {7, {0, 0.25f}, true},
        {8, {1, 0.2f, 90}, false},
        {8, {0.5f, 0.2f, 30}, false},
        {9, {0.4f, 0.6f, 0.02f, 0.03f}, true},
    };
    for (const auto& c : ordinary) {
        const CFrameSect s = Sect(c.kind, c.p);
        add(s.GetSectString().GetString(), s.GetSectArea(), c.split, Shape(s).m_starts, c.kind == 7 || c.kind == 8);
    }
    theVframeSects.Add(TaperedI());
    MemberTrueShape tapered;
    ASSERT_EQ(BuildFrameTrueShape(kVariableSect, 1, tapered), 1);
    for (const float* end : {kTaperStart, kTaperEnd}) {
        CFrameSect s;
        s.m_cKind = 2;
        std::memcpy(s.m_fPara, end, sizeof s.m_fPara);
        add(end == kTaperStart ? "tapered I, start" : "tapered I, end", s.GetSectArea(), true,
            end == kTaperStart ? tapered.m_starts : tapered.m_ends);
    }
    const struct {
        const char* text;
        bool exact, split, curved;
    } steel[] = {
        {"D100*8", true, true, true},
        {"HR200*100*6", true, true, false},
        {"BB300*10*400*8*316", true, true, false},
        {"H300*12*400*8*200", true, true, false},
        {"TU200*10*300*8", true, true, false},
        {"TD300*8*200*10", true, true, false},
        {"GDF89*4@400@300", true, true, true},
        {"2E63*5@10", false, false, false},
        {"I20A", false, true, false},
    };
    for (const auto& c : steel) {
        const CSframeSect s = Steel(c.text);
        MemberTrueShape m;
        s.BuildTrueShape(m);
        add(c.text, c.exact ? s.GetSectArea(0) : -1, c.split, m.m_starts, c.curved);
    }
    if (HasFailure()) return;

    const TempFile file("outlines", ".json", PeerFolder());
    const std::string json = file.path(), out = json + ".out";
    {
        std::ofstream f(json);
        f.precision(17);
        f << "[";
        for (size_t i = 0; i < entries.size(); ++i) {
            const Entry& e = entries[i];
            f << (i ? ",\n" : "") << "{\"name\": \"" << e.name << "\", \"curved\": " << (e.curved ? 1 : 0)
              << ", \"area\": " << e.area << ", \"split\": " << (e.split ? 1 : 0) << ", \"regions\": [";
            for (size_t k = 0; k < e.regions.size(); ++k) {
                const TrueShapeReg& r = e.regions[k];
                f << (k ? ", " : "") << "{\"open\": " << int(r.open) << ", \"smooth\": " << int(r.smooth);
                for (const auto* ring : {&r.ring1, &r.ring2}) {
                    f << ", \"ring" << (ring == &r.ring1 ? 1 : 2) << "\": [";
                    for (size_t j = 0; j < ring->size(); ++j)
                        f << (j ? ", " : "") << "[" << (*ring)[j].x << ", " << (*ring)[j].y << "]";
                    f << "]";
                }
                f << "}";
            }
            f << "]}";
        }
        f << "]\n";
    }
    ASSERT_TRUE(RunPeers("sections " + PeerArg(json) + " " + PeerArg(out), out));
    std::ifstream f(out);
    std::string line;
    size_t answered = 0;
    while (std::getline(f, line)) {
        ++answered;
        EXPECT_EQ(line.compare(0, 3, "ok "), 0) << line;
    }
    EXPECT_EQ(answered, entries.size());
    f.close();
    std::remove(out.c_str());
}

}  // namespace
}  // namespace vektest
