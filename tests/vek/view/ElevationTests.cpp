// Elevation planes: defining them, on-plane tests, names, the project block
// with its versions and damage, scaling, and cutting solids.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <map>
#include <string>

#include "tests/support/AppHelpersStandIn.h"
#include "tests/support/LeBytes.h"
#include "tests/vek/view/ViewFixture.h"
#include "vek/model/NodeLookup.h"
#include "vek/view/ElevationView.h"

using namespace vektest;

namespace {

std::map<int, std::array<double, 3>>& Nodes()
{
    static std::map<int, std::array<double, 3>> nodes;
    return nodes;
}

int Lookup(int id, int, double out[3])
{
    auto it = Nodes().find(id);
    if (it == Nodes().end()) return 0;
    for (int i = 0; i < 3; ++i) out[i] = it->second[size_t(i)];
    return 1;
}

class Elevation : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        Nodes().clear();
        SetNodeCoordLookup(Lookup);
    }
    void TearDown() override
    {
        SetNodeCoordLookup(nullptr);
        ViewTest::TearDown();
    }
    // The unit cube as hexahedron nodes 1..8.
    static void Cube()
    {
        const double c[8][3] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}};
        for (int i = 0; i < 8; ++i) Nodes()[i + 1] = {c[i][0], c[i][1], c[i][2]};
    }
};

const int32_t kCube[8] = {1, 2, 3, 4, 5, 6, 7, 8};

}  // namespace

TEST_F(Elevation, TwoPointsMakeAVerticalPlaneAndTheViewShowsIt)
{
    AppHelperLog log;
    const double pts[2][3] = {{0, 0, 0}, {6000, 0, 0}};
    ASSERT_EQ(DefineElevationByPoints(2, pts), 1);
    const CPlaneEquation& e = theElevationPlane.m_equation;
    EXPECT_NEAR(e.GetAt(0), 0, 1e-12);
    EXPECT_NEAR(std::fabs(e.GetAt(1)), 1, 1e-12);
    EXPECT_NEAR(e.GetAt(2), 0, 1e-12);
    EXPECT_NEAR(e.GetAt(3), 0, 1e-12);
    EXPECT_EQ(theViewProjection.GetMode(), 2);
    EXPECT_LT(theViewProjection.CentreOf(2)[0], 1e20);  // refitted
    EXPECT_TRUE(log.Messages().empty());

    const CPlaneEquation before = theElevationPlane.m_equation;
    const double vertical[2][3] = {{100, 200, 0}, {100.0001, 200.0001, 5}};
    EXPECT_EQ(DefineElevationByPoints(2, vertical), 0);
    ASSERT_EQ(log.Messages().size(), 1u);
    EXPECT_EQ(log.Messages()[0].text, "定义立面的两点形成的直线不能和Z轴平行!");
    EXPECT_EQ(theElevationPlane.m_equation.GetAt(1), before.GetAt(1));
}

TEST_F(Elevation, TheOriginIsTheGlobalOriginProjectedOntoThePlane)
{
    const double pts[3][3] = {{0, 5, 0}, {1, 5, 0}, {0, 5, 1}};
    ASSERT_EQ(DefineElevationByPoints(3, pts), 1);
    EXPECT_NEAR(theElevationPlane.m_origin[0], 0, 1e-12);
    EXPECT_NEAR(theElevationPlane.m_origin[1], 5, 1e-12);
    EXPECT_NEAR(theElevationPlane.m_origin[2], 0, 1e-12);
    const double picked[3] = {3, 9, 4};
    SetElevationOrigin(picked);
    EXPECT_NEAR(theElevationPlane.m_origin[1], 5, 1e-12);
    EXPECT_NEAR(theElevationPlane.m_origin[0], 3, 1e-12);
}

TEST_F(Elevation, OnPlaneTestsTolerancesAndReversal)
{
    theElevationPlane.m_equation.Set(1, 0, 0, -5);
    const double in[3] = {5.0009, 1, 1}, out[3] = {5.001, 1, 1};
    EXPECT_TRUE(theElevationPlane.IsPointOnPlane(in));
    EXPECT_FALSE(theElevationPlane.IsPointOnPlane(out));
    EXPECT_FALSE(theElevationPlane.m_equation.IsPointOnPlane(in));  // 0.0001 regardless
    theElevationPlane.Reverse();
    EXPECT_TRUE(theElevationPlane.IsPointOnPlane(in));
    EXPECT_FALSE(theElevationPlane.IsPointOnPlane(out));
    theElevationPlane.Reverse();
    EXPECT_EQ(theElevationPlane.m_equation.GetAt(3), -5);

    struct Case {
        CPlaneEquation a, b;
        bool same;
    } cases[] = {
        {{1, 0, 0, -5}, {-2, 0, 0, 10}, true},
        {{1, 0, 0, -5}, {1, 0.01, 0, -5}, false},
        {{0, 1, 0, 0}, {0, 3, 0, 0}, true},
        {{0, 1, 0, 0}, {0, 1, 0, 1}, false},
    };
    for (const Case& c : cases) EXPECT_EQ(c.a.IsSamePlane(c.b), c.same ? 1 : 0);

    Nodes()[3] = {5, 7, 9};
    Nodes()[4] = {5, 0, 0};
    Nodes()[5] = {6, 0, 0};
    const int32_t shell[4] = {3, 4, 4, 0}, wall[4] = {3, 4, 5, 4};
    EXPECT_TRUE(theElevationPlane.AreElementNodesOnPlane(shell));
    EXPECT_FALSE(theElevationPlane.AreWallNodesOnPlane(wall));
    EXPECT_TRUE(theElevationPlane.m_equation.ContainsNode(3));
    EXPECT_FALSE(theElevationPlane.m_equation.ContainsNode(99));
}

TEST_F(Elevation, NamesAreCutAtACharacterBoundary)
{
    struct Case {
        std::string in, kept;
    } cases[] = {
        {std::string(40, 'a'), std::string(28, 'a')},
        {"一二三四五六七八九十一二三四五六七八九十", "一二三四五六七八九十一二三四"},
        {"a一二三四五六七八九十一二三四五", "a一二三四五六七八九十一二三"},
        {"", ""},
    };
    for (const Case& c : cases) {
        CPlaneDescription d;
        d.SetName(c.in.c_str());
        EXPECT_EQ(std::string(d.GetName()), c.kept);
    }
    EXPECT_EQ(std::string(CPlaneDescription().GetName()), "立面名称");
}

namespace {

void TwoNamed()
{
    theElevationPlane.m_equation.Set(0, 1, 0, -2);
    theElevationPlane.m_tolerance = 0.002;
    const double o[3] = {1, 2, 3};
    theElevationPlane.SetOrigin(o);
    AddNamedElevation("A轴");
    theElevationPlane.m_equation.Set(1, 0, 0, -4);
    theElevationPlane.SetOrigin(nullptr);
}

Bytes TwoNamedBytes()
{
    // equation, tolerance, count, the entry (equation, length 4, "A轴\0", origin), the origin
    return LeBytes()
        .f64(1)
        .f64(0)
        .f64(0)
        .f64(-4)
        .f64(0.002)
        .i32(1)
        .f64(0)
        .f64(1)
        .f64(0)
        .f64(-2)
        .i32(4)
        .raw("A轴", 4)
        .f64(1)
        .f64(2)
        .f64(3)
        .f64(4)
        .f64(0)
        .f64(0);
}

Bytes Written()
{
    return WrittenBytes([](bofstream& out) { EXPECT_TRUE(theElevationPlane.Write(out)); });
}

bool ReadBack(const Bytes& b)
{
    return ReadBytes(b, [](bifstream& in) { return theElevationPlane.Read(in); });
}

}  // namespace

TEST_F(Elevation, BlockIsTheHandWorkedLayoutAndReadsBack)
{
    TwoNamed();
    const Bytes bytes = Written();
    EXPECT_EQ(bytes, TwoNamedBytes());
    theElevationPlane = CElevationPlane();
    ASSERT_TRUE(ReadBack(bytes));
    ASSERT_EQ(theElevationPlane.m_named.size(), 1u);
    EXPECT_EQ(std::string(theElevationPlane.m_named[0].GetName()), "A轴");
    EXPECT_EQ(theElevationPlane.m_named[0].m_origin[2], 3);
    EXPECT_EQ(Written(), bytes);
}

TEST_F(Elevation, TruncatedOrDamagedBlocksChangeNothing)
{
    TwoNamed();
    const Bytes before = Written();
    const Bytes good = TwoNamedBytes();
    for (size_t n = 0; n < good.size(); ++n) {
        EXPECT_FALSE(ReadBack(Bytes(good.begin(), good.begin() + long(n)))) << n;
        ASSERT_EQ(Written(), before) << n;
    }
    // A stored name of 30 bytes, a name without its terminator, a negative count.
    const Bytes longName = LeBytes()
                               .f64(1)
                               .f64(0)
                               .f64(0)
                               .f64(-4)
                               .f64(0.002)
                               .i32(1)
                               .f64(0)
                               .f64(1)
                               .f64(0)
                               .f64(-2)
                               .i32(30)
                               .raw(std::string(29, 'x').c_str(), 30)
                               .f64(1)
                               .f64(2)
                               .f64(3)
                               .f64(4)
                               .f64(0)
                               .f64(0);
    Bytes unterminated = good;
    unterminated[44 + 32 + 4 + 3] = 'x';
    const Bytes negative = LeBytes().f64(1).f64(0).f64(0).f64(-4).f64(0.002).i32(-1).f64(4).f64(0).f64(0);
    const Bytes huge = LeBytes().f64(1).f64(0).f64(0).f64(-4).f64(0.002).i32(0x7fffffff).f64(4).f64(0).f64(0);
    for (const Bytes* bad : {&longName, static_cast<const Bytes*>(&unterminated), &negative, &huge}) {
        EXPECT_FALSE(ReadBack(*bad));
        EXPECT_EQ(Written(), before);
    }
    // 29 bytes with the terminator is the most a name may take.
    const Bytes longest = LeBytes()
                              .f64(1)
                              .f64(0)
                              .f64(0)
                              .f64(-4)
                              .f64(0.002)
                              .i32(1)
                              .f64(0)
                              .f64(1)
                              .f64(0)
                              .f64(-2)
                              .i32(29)
                              .raw(std::string(28, 'x').c_str(), 29)
                              .f64(1)
                              .f64(2)
                              .f64(3)
                              .f64(4)
                              .f64(0)
                              .f64(0);
    EXPECT_TRUE(ReadBack(longest));
    EXPECT_EQ(std::string(theElevationPlane.m_named[0].GetName()), std::string(28, 'x'));
}

TEST_F(Elevation, OldVersionsProjectTheGlobalOriginAndSkipWhatTheyCarried)
{
    // Version 650: no origins; they become projections of the global origin.
    nPrjVersion = 650;
    const Bytes v650 =
        LeBytes().f64(1).f64(0).f64(0).f64(-4).f64(0.003).i32(1).f64(0).f64(1).f64(0).f64(-2).i32(2).raw("B", 2);
    ASSERT_TRUE(ReadBack(v650));
    EXPECT_EQ(theElevationPlane.m_tolerance, 0.003);
    EXPECT_NEAR(theElevationPlane.m_origin[0], 4, 1e-12);
    ASSERT_EQ(theElevationPlane.m_named.size(), 1u);
    EXPECT_NEAR(theElevationPlane.m_named[0].m_origin[1], 2, 1e-12);
    // Version 450: 24 bytes before the tolerance, no named elevations.
    nPrjVersion = 450;
    ASSERT_TRUE(ReadBack(LeBytes().f64(0).f64(0).f64(1).f64(-1).skip(24).f64(0.004)));
    EXPECT_EQ(theElevationPlane.m_tolerance, 0.004);
    EXPECT_TRUE(theElevationPlane.m_named.empty());
    EXPECT_NEAR(theElevationPlane.m_origin[2], 1, 1e-12);
}

TEST_F(Elevation, ScaleLengthsScalesOriginsAndNamedElevations)
{
    TwoNamed();
    theElevationPlane.ScaleLengths(1000);
    EXPECT_EQ(theElevationPlane.m_equation.GetAt(3), -4000);
    EXPECT_EQ(theElevationPlane.m_equation.GetAt(0), 1);
    EXPECT_EQ(theElevationPlane.m_tolerance, 2);
    EXPECT_EQ(theElevationPlane.m_origin[0], 4000);
    EXPECT_EQ(theElevationPlane.m_named[0].m_equation.GetAt(3), -2000);
    EXPECT_EQ(theElevationPlane.m_named[0].m_origin[2], 3000);
    // Still on their planes.
    EXPECT_TRUE(theElevationPlane.IsPointOnPlane(theElevationPlane.m_origin));
}

TEST_F(Elevation, CuttingAHexahedron)
{
    Cube();
    double v[10][3];
    CPlaneEquation middle(0, 0, 1, -0.5), corner(1, 1, 1, 0), face(0, 0, 1, 0), behind(0, 0, -1, 0);
    EXPECT_EQ(middle.CutElement(1, 8, kCube, 0, nullptr, v, nullptr, 0), 4);
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(v[i][2], 0.5, 1e-12);
    EXPECT_EQ(corner.CutElement(1, 8, kCube, 0, nullptr, v, nullptr, 0), 0);
    EXPECT_EQ(face.CutElement(1, 8, kCube, 0, nullptr, v, nullptr, 0), 4);
    // The rest lies on the positive side: the face counts only for the element behind.
    EXPECT_EQ(face.CutElement(1, 8, kCube, 0, nullptr, v, nullptr, 1), 0);
    EXPECT_EQ(behind.CutElement(1, 8, kCube, 0, nullptr, v, nullptr, 1), 4);

    // Values are interpolated with the vertices.
    double values[21 * 9] = {};
    for (int i = 0; i < 8; ++i) values[i * 9] = i < 4 ? 0 : 10;
    double out[10 * 9];
    ASSERT_EQ(middle.CutElement(1, 8, kCube, 1, values, v, out, 0), 4);
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(out[i * 9], 5, 1e-12);
    double section[4];
    double centre[2];
    const double nodeValues[8] = {0, 0, 0, 0, 2, 2, 2, 2};
    EXPECT_EQ(middle.SectionPolygon(1, 8, kCube, nodeValues, 1, v, section, centre), 4);
    EXPECT_NEAR(section[0], 1, 1e-12);
    EXPECT_EQ(middle.CutElement(1, 21, kCube, 0, nullptr, v, nullptr, 0), 0);  // too many nodes
}
