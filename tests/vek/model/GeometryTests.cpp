#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <set>
#include <tuple>

#include "tests/support/AppHelpersStandIn.h"
#include "tests/vek/model/ModelTestSupport.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/display/DisplayOptions.h"
#include "vek/model/geometry/Arcs.h"
#include "vek/model/geometry/ModelGeometry.h"
#include "vek/model/geometry/Polygon2D.h"
#include "vek/model/geometry/SegmentCells.h"
#include "vek/model/geometry/ViewGeometry.h"
#include "vek/model/storeys/LevelTable.h"

using namespace vektest;

namespace {

constexpr double kPi = 3.141592653589793;

// Drawing calls in order, as text.
class RecordingCanvas : public CModelCanvas {
public:
    RecordingCanvas() { SetModelCanvas(this); }
    ~RecordingCanvas() override { SetModelCanvas(nullptr); }
    void Line(const double* a, const double* b, uint32_t, int width) override { Add("line", a, b, width); }
    void Arrow(const double* a, const double* b, uint32_t) override { Add("arrow", a, b, 0); }
    void FilledTriangle(const double* a, const double* b, const double*, uint32_t) override
    {
        Add("triangle", a, b, 0);
    }
    void Text(const double* at, const char* text, uint32_t, unsigned align, double angle) override
    {
        texts.push_back(text);
        aligns.push_back(align);
        angles.push_back(angle);
        Add("text", at, at, 0);
    }
    void Add(const char* what, const double* a, const double* b, int width)
    {
        char s[200];
        std::snprintf(s, sizeof s, "%s %g,%g,%g %g,%g,%g w%d", what, a[0], a[1], a[2], b[0], b[1], b[2], width);
        calls.push_back(s);
    }
    std::vector<std::string> calls, texts;
    std::vector<unsigned> aligns;
    std::vector<double> angles;
};

}  // namespace

TEST(Polygon2D, SettersReplaceTheOutlineAndTheInsideTestUsesTheTolerance)
{
    CPolygon2D p;
    EXPECT_EQ(p.GetTolerance(), 0.1);
    p.SetTolerance(-0.5);
    EXPECT_EQ(p.GetTolerance(), 0.5);
    const double square[4][2] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    p.SetFromDoubles(4, square);
    ASSERT_EQ(p.GetCount(), 4);
    const double in[2] = {5, 5}, edge[2] = {10.3, 5}, out[2] = {11, 5};
    EXPECT_TRUE(p.IsPointInside(in));
    EXPECT_TRUE(p.IsPointInside(edge));
    EXPECT_FALSE(p.IsPointInside(out));
    p.SetFromDoubles(2, square);
    EXPECT_EQ(p.GetCount(), 0);
    const int xs[3] = {0, 4, 0}, ys[3] = {0, 0, 3};
    p.SetFromXY(3, xs, ys);
    EXPECT_EQ(p.GetCount(), 3);
    EXPECT_EQ(p.Vertex(2)[1], 3.0);
    const int pts[3][2] = {{1, 1}, {2, 1}, {1, 2}};
    p.SetFromPoints(3, pts);
    EXPECT_EQ(p.Vertex(1)[0], 2.0);
}

TEST(Polygon2D, ReducedOutlineKeepsTheCornersAndFreesTheOldOnFailure)
{
    CPolygon2D p;
    // A square with a point inside it.
    const double pts[5][2] = {{0, 0}, {10, 0}, {5, 5}, {10, 10}, {0, 10}};
    ASSERT_TRUE(p.SetReduced(5, pts));
    EXPECT_EQ(p.GetCount(), 4);
    const double one[1][2] = {{3, 3}};
    EXPECT_FALSE(p.SetReduced(1, one));
    EXPECT_EQ(p.GetCount(), 0);
}

TEST(Geometry, PointsOnLinesWithTheNodeTolerance)
{
    theProjectOptions.dHorzNodeSpacing = 0.02;
    const double A[3] = {0, 0, 0}, B[3] = {10, 0, 0};
    EXPECT_EQ(PointToLineDistance(A, A, B, 0), 0);
    EXPECT_EQ(PointToLineDistance(A, A, B, 1), 1);
    const double beyond[3] = {10.1, 0, 0}, close[3] = {5, 0.01, 0}, off[3] = {5, 3, 4};
    EXPECT_EQ(PointToLineDistance(beyond, A, B, 1), 0);
    EXPECT_EQ(PointToLineDistance(close, A, B, 0), 1);
    double d = -1;
    EXPECT_EQ(PointToLineDistance(off, A, B, 0, &d), 0);
    EXPECT_DOUBLE_EQ(d, 5);
    EXPECT_EQ(PointToLineDistance(off, A, A, 1, &d), 0);  // a line shorter than the tolerance
    EXPECT_EQ(d, 0);

    double foot[3], t = 0;
    ASSERT_EQ(ProjectPointOnLine(A, B, off, foot, 1, &t), 1);
    EXPECT_EQ(foot[0], 5);
    EXPECT_EQ(t, 0.5);
    EXPECT_EQ(ProjectPointOnLine(A, B, beyond, foot, 1), 0);
    EXPECT_EQ(IntersectLineWithPlane(A, B, beyond, foot, 0), 1);
    EXPECT_EQ(ProjectPointOnLine(A, A, off, foot, 0), 0);

    EXPECT_TRUE(IsPointInsideRect(5, 5, 10, 0, 0, 10));
    EXPECT_FALSE(IsPointInsideRect(10, 5, 10, 0, 0, 10));
    // Clockwise as seen on the screen, whose y grows downwards.
    const double p0[3] = {0, 1, 0}, p1[3] = {0, 0, 0}, p2[3] = {1, 0, 0};
    EXPECT_TRUE(IsClockwiseTurn(p0, p1, p2));
    EXPECT_FALSE(IsClockwiseTurn(p2, p1, p0));
    EXPECT_TRUE(ArePerpendicular(p0, p1, p2));
}

TEST(Geometry, ConvexityAreasAndVolumes)
{
    const double square[4][3] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    const double reversed[4][3] = {{0, 1, 0}, {1, 1, 0}, {1, 0, 0}, {0, 0, 0}};
    const double dented[4][3] = {{0, 0, 0}, {1, 0, 0}, {0.3, 0.3, 0}, {0, 1, 0}};
    const double line[3][3] = {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}};
    EXPECT_EQ(IsConvexPolygon(4, square), 1);
    EXPECT_EQ(IsConvexPolygon(4, reversed), 1);
    EXPECT_EQ(IsConvexPolygon(4, dented), 0);
    EXPECT_EQ(IsConvexPolygon(3, line), 0);
    EXPECT_EQ(IsConvexPolygon(2, line), 1);
    EXPECT_EQ(IsConvexQuad(square[0], square[1], square[2], square[3]), 1);

    FakeFamily nodes(EFamily::Nodes);
    const double cube[8][3] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}};
    for (int i = 0; i < 8; ++i) nodes.Node(i + 1, cube[i][0], cube[i][1], cube[i][2]);
    const int ids[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_DOUBLE_EQ(PolygonArea(ids, 3), 0.5);
    EXPECT_DOUBLE_EQ(PolygonArea(ids, 4), 1.0);
    EXPECT_DOUBLE_EQ(SolidVolume(8, ids), 1.0);
    const int tetra[4] = {1, 2, 4, 5};
    EXPECT_DOUBLE_EQ(SolidVolume(2, tetra), 1.0 / 6);
    const int wedge[6] = {1, 2, 4, 5, 6, 8};
    EXPECT_DOUBLE_EQ(SolidVolume(3, wedge), 0.5);
    EXPECT_EQ(IsConvexNodePolygon(4, ids), 1);
    EXPECT_DOUBLE_EQ(NodeDistance(1, 7), std::sqrt(3.0));
    SetNodeToMidpoint(1, 7, 8);
    EXPECT_EQ(nodes.ByID(8)->xyz[2], 0.5);

    double plane[4];
    AppHelperLog log;
    ASSERT_EQ(PlaneFromThreePoints(square[0], square[1], square[2], plane, 1), 1);
    EXPECT_EQ(plane[2], 1);
    EXPECT_EQ(PlaneFromThreePoints(line[0], line[1], line[2], plane, 1), 0);
    ASSERT_EQ(log.Messages().size(), 1u);
    EXPECT_EQ(log.Messages()[0].text, "给定的点在一条线上, 无法形成一个平面!");

    const int a[4] = {3, 1, 2, 2}, b[4] = {2, 3, 2, 1}, c[4] = {3, 1, 1, 3};
    EXPECT_TRUE(IsSameIntSet(a, 4, b, 4));
    EXPECT_FALSE(IsSameIntSet(a, 4, c, 4));
    EXPECT_FALSE(IsSameIntSet(a, 3, b, 4));
}

TEST(Geometry, NodeComparisonsFollowTheToleranceAndTheSortOrder)
{
    theProjectOptions.dHorzNodeSpacing = 0.02;
    theProjectOptions.fVertNodeSpacing = float(0.01f);
    FakeFamily nodes(EFamily::Nodes), frames(EFamily::Frames);
    nodes.Node(1, 0, 0, 0);
    nodes.Node(2, 0, 0, 0.005);
    nodes.Node(3, 0.01, 0, 3);
    nodes.Node(4, 5, 0, 0);
    nodes.Node(5, 5, 0, 3);
    EXPECT_EQ(VerticalRelationOfNodes(1, 2), 0);
    EXPECT_EQ(VerticalRelationOfNodes(1, 3), 2);
    EXPECT_EQ(VerticalRelationOfNodes(3, 1), 1);
    frames.Element(1, {1, 4});
    frames.Element(2, {5, 3});
    frames.Element(3, {1, 5});
    EXPECT_EQ(IsStackedBeam(1, 2), 1);
    EXPECT_EQ(IsStackedBeam(1, 3), 0);

    EXPECT_EQ(CompareByDistance({1, 1.0}, {2, 1.01}), 0);
    EXPECT_EQ(CompareByDistance({1, 1.0}, {2, 1.05}), -1);
    EXPECT_EQ(CompareByDistance({1, 1.05}, {2, 1.0}), 1);

    const CNodeRecord p{7, 2, 1, 2, 3}, q{3, 2, 1, 2, 3};
    EXPECT_EQ(CompareNodeRecords(p, q), 1);
    EXPECT_EQ(CompareNodeRecords(q, p), -1);
    struct {
        int order;
        CNodeRecord a, b;
        int want;
    } cases[] = {
        {1, {1, 0, 5, 0, 0}, {2, 0, 0, 0, 1}, -1},    // z first
        {3, {1, 0, 5, 0, 0}, {2, 0, 0, 0, 1}, 1},     // x first
        {5, {1, 0, 0, 1, 0}, {2, 0, 1, 0, 0}, 1},     // y first
        {6, {1, 0, 0, 0, 1}, {2, 0, 0, 0.01, 0}, 1},  // y within the tolerance, then z
        {7, {1, -1, 0, 0, 0}, {2, 5, 0, 0, 0}, 1},    // no storey last
        {8, {1, 2, 0, 0, 0}, {2, 3, 0, 0, 0}, -1},   {20, {1, -1, 0, 0, 0}, {2, 5, 0, 0, 0}, -1},  // by group alone
    };
    for (auto& c : cases) {
        theProjectOptions.nSortOrder = uint8_t(c.order);
        EXPECT_EQ(CompareNodeRecords(c.a, c.b), c.want) << c.order;
    }
    theProjectOptions.nSortOrder = uint8_t(1);
}

TEST(Geometry, NodesOnASegmentNearestFirst)
{
    FakeFamily nodes(EFamily::Nodes);
    nodes.Node(1, 7, 0, 0);
    nodes.Node(2, 3, 0, 0);
    nodes.Node(3, 5, 1, 0);
    nodes.Node(4, 0, 0, 0);
    const double A[3] = {0, 0, 0}, B[3] = {10, 0, 0};
    double out[4][3];
    int count = 0;
    CollectNodesOnSegment(out, count, A, B, nullptr, 0, 4);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(out[0][0], 3);
    EXPECT_EQ(out[1][0], 7);
    const int list[2] = {1, 3};
    CollectNodesOnSegment(out, count, A, B, list, 2, 3);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(out[2][0], 7);
}

TEST(Geometry, ShrinkStressesAndTheBilinearMap)
{
    theDisplayOptions.m_word = 4u << 5;  // shrink 4
    double a[3] = {0, 0, 0}, b[3] = {10, 0, 0};
    ShrinkLineForDisplay(a, b);
    EXPECT_DOUBLE_EQ(a[0], 1);
    EXPECT_DOUBLE_EQ(b[0], 9);
    double q[4][3] = {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}};
    ShrinkQuadForDisplay(q);
    EXPECT_DOUBLE_EQ(q[0][0], 1);
    EXPECT_DOUBLE_EQ(q[2][1], 9);
    double one[2][3] = {{0, 0, 0}, {10, 0, 0}};
    const unsigned char mask[2] = {1, 0};
    ShrinkPolygonForDisplay(2, one, mask);
    EXPECT_EQ(one[0][0], 0);
    theDisplayOptions.Reset();
    ShrinkLineForDisplay(a, b);
    EXPECT_DOUBLE_EQ(a[0], 1);

    EXPECT_DOUBLE_EQ(MaxPrincipalStress(3, -1, 0), 3);
    EXPECT_DOUBLE_EQ(MinPrincipalStress(0, 0, 2), -2);
    double rows[1][9] = {{1, 2, 0, 0.5, 0, 0, 0, 0, 0}};
    const double along[3] = {0, 0, 1};
    RotateStressRows(rows, 1, along);
    EXPECT_NEAR(rows[0][0], 2, 1e-15);
    EXPECT_NEAR(rows[0][1], 1, 1e-15);
    EXPECT_NEAR(rows[0][3], -0.5, 1e-15);
    const double tilted[3] = {1, 0, 0};
    RotateStressRows(rows, 1, tilted);
    EXPECT_NEAR(rows[0][0], 2, 1e-15);

    const double X[4][2] = {{0, 0}, {4, 0}, {5, 3}, {-1, 2}};
    double xi = 0, eta = 0;
    for (auto [px, pe] : {std::pair{-1.0, -1.0}, {0.3, -0.6}, {0.0, 0.0}, {0.9, 0.7}}) {
        // The point of (px, pe) by the shape functions, and back.
        double P[2];
        for (int k = 0; k < 2; ++k)
            P[k] = ((1 - px) * (1 - pe) * X[0][k] + (1 + px) * (1 - pe) * X[1][k] + (1 + px) * (1 + pe) * X[2][k] +
                    (1 - px) * (1 + pe) * X[3][k]) /
                   4;
        ASSERT_EQ(InverseBilinear(X, P, xi, eta), 1);
        EXPECT_NEAR(xi, px, 1e-12);
        EXPECT_NEAR(eta, pe, 1e-12);
    }
    const double square[4][2] = {{0, 0}, {2, 0}, {2, 2}, {0, 2}};
    const double mid[2] = {1.5, 0.5};
    ASSERT_EQ(InverseBilinear(square, mid, xi, eta), 1);  // the linear case
    EXPECT_NEAR(xi, 0.5, 1e-12);
    EXPECT_NEAR(eta, -0.5, 1e-12);

    const double corners[4][3] = {{0, 0, 1}, {2, 0, 1}, {2, 2, 1}, {0, 2, 1}};
    const double p[3] = {1, 1, 1};
    ASSERT_EQ(InterpolateInQuad(corners, p, xi, eta), 1);
    EXPECT_NEAR(xi, 0, 1e-12);
    const double flat[4][3] = {{0, 0, 0}, {1, 0, 0}, {1, 0, 0}, {0, 0, 0}};
    AppHelperLog log;
    EXPECT_EQ(InterpolateInQuad(flat, p, xi, eta), 0);
    EXPECT_EQ(log.Messages().size(), 1u);
}

TEST(Arcs, AnglesFromTheCentreLieInTheirHalfOpenRange)
{
    const double c[2] = {0, 0};
    struct {
        double x, y, want;
    } cases[] = {{1, 0, 0},         {0, 1, kPi / 2},      {-1, 0, kPi},
                 {0, -1, -kPi / 2}, {-1, -1, 1.25 * kPi}, {1, -1e-300, -1e-300}};
    for (auto k : cases) {
        const double p[2] = {k.x, k.y};
        EXPECT_NEAR(ArcPointAngle(c, p), k.want, 1e-15) << k.x << "," << k.y;
    }
    // The sine of a point a hair off the circle would leave asin's domain.
    const double outside[2] = {0, 1 + 1e-16};
    EXPECT_FALSE(std::isnan(ArcPointAngle(c, outside)));
}

TEST(Arcs, ConstructionsOfTheSixMethods)
{
    const double o[2] = {0, 0}, e[2] = {1, 0}, n[2] = {0, 1}, w[2] = {-1, 0};
    CArc2D arc;
    ASSERT_EQ(ArcFromCentreStartEnd(o, e, n, arc), 1);
    EXPECT_NEAR(arc.end - arc.start, kPi / 2, 1e-15);
    ASSERT_EQ(ArcFromCentreStartEnd(o, n, e, arc), 1);
    EXPECT_NEAR(arc.end - arc.start, 1.5 * kPi, 1e-15);
    ASSERT_EQ(ArcFromCentreStartEnd(o, e, e, arc), 1);
    EXPECT_EQ(arc.end, arc.start);  // a zero sweep, not a full circle
    EXPECT_EQ(ArcFromCentreStartEnd(o, o, e, arc), 0);

    ASSERT_EQ(ArcFromStartCentreSweep(e, o, -90, arc), 1);
    EXPECT_NEAR(arc.end, -kPi / 2, 1e-15);

    ASSERT_EQ(ArcFromChordSweep(e, n, 90, arc), 1);
    EXPECT_NEAR(arc.centre[0], 0, 1e-12);
    EXPECT_NEAR(arc.centre[1], 0, 1e-12);
    EXPECT_NEAR(arc.radius, 1, 1e-12);
    ASSERT_EQ(ArcFromChordSweep(e, n, -90, arc), 1);  // clockwise: the centre on the other side
    EXPECT_NEAR(arc.centre[0], 1, 1e-12);
    EXPECT_NEAR(arc.centre[1], 1, 1e-12);
    EXPECT_NEAR(arc.start, kPi, 1e-12);  // runs from the end point
    // Mended: a sweep of 0 or a whole turn has no circle through two points.
    EXPECT_EQ(ArcFromChordSweep(e, n, 0, arc), 0);
    EXPECT_EQ(ArcFromChordSweep(e, n, 360, arc), 0);
    EXPECT_EQ(ArcFromChordSweep(e, e, 90, arc), 0);

    ASSERT_EQ(ArcFromStartCentreChord(e, o, 2.00001, arc), 1);  // a hair beyond the diameter
    EXPECT_NEAR(arc.end - arc.start, kPi, 1e-12);
    ASSERT_EQ(ArcFromStartCentreChord(e, o, -std::sqrt(2.0), arc), 1);
    EXPECT_NEAR(arc.end - arc.start, 1.5 * kPi, 1e-12);
    EXPECT_EQ(ArcFromStartCentreChord(e, o, 2.1, arc), 0);

    ASSERT_EQ(ArcFromStartEndRadius(e, w, 1, arc), 1);
    EXPECT_NEAR(arc.centre[1], 0, 1e-12);
    EXPECT_NEAR(arc.end - arc.start, kPi, 1e-12);
    EXPECT_EQ(ArcFromStartEndRadius(e, w, 0.9, arc), 0);

    ASSERT_EQ(ArcThroughThreePoints(e, n, w, arc), 1);
    EXPECT_NEAR(arc.radius, 1, 1e-12);
    EXPECT_NEAR(arc.start, 0, 1e-12);
    EXPECT_NEAR(arc.end, kPi, 1e-12);
    ASSERT_EQ(ArcThroughThreePoints(w, n, e, arc), 1);  // clockwise picks run counter-clockwise
    EXPECT_NEAR(arc.start, 0, 1e-12);
    const double mid[2] = {0, 0};
    EXPECT_EQ(ArcThroughThreePoints(e, mid, w, arc), 0);  // on one line
    EXPECT_EQ(ArcThroughThreePoints(e, e, w, arc), 0);    // a point twice
}

TEST(Arcs, ThreePointsInAFrameAndFromThePicks)
{
    const double axes[3][3] = {{1, 0, 0}, {0, 0, 1}, {0, -1, 0}};  // the X-Z plane
    const double origin[3] = {0, 5, 0};
    const double a[3] = {2, 5, 0}, b[3] = {0, 5, 2}, c[3] = {-2, 5, 0};
    double centre[3];
    CArc2D arc;
    ASSERT_EQ(ArcFromThreePoints(a, b, c, origin, axes, centre, arc), 1);
    EXPECT_NEAR(centre[1], 5, 1e-12);
    EXPECT_NEAR(arc.radius, 2, 1e-12);

    CArcPicks picks;
    picks.count = 3;
    const double pts[3][3] = {{1, 0, 0}, {0, 0, 0}, {0, 1, 0}};
    std::memcpy(picks.points, pts, sizeof pts);
    double start, end, radius;
    ASSERT_EQ(ComputeArcFromPicks(picks, centre, start, end, radius, 1, 1), 1);
    EXPECT_NEAR(end - start, kPi / 2, 1e-12);
    picks.count = 2;
    picks.thirdTyped = true;
    picks.typed = -90;
    ASSERT_EQ(ComputeArcFromPicks(picks, centre, start, end, radius, 2, 1), 1);
    EXPECT_GE(end, start);  // raised by whole turns
    EXPECT_NEAR(end - start, 1.5 * kPi, 1e-12);
    AppHelperLog log;
    EXPECT_EQ(ComputeArcFromPicks(picks, centre, start, end, radius, 7, 1), 0);
    EXPECT_EQ(ComputeArcFromPicks(picks, centre, start, end, radius, 1, 0), 0);
    ASSERT_EQ(log.Messages().size(), 1u);
    EXPECT_EQ(log.Messages()[0].text, "#126");
}

TEST(ViewGeometry, AnglesAndDirectionsOnTheScreen)
{
    const double a[3] = {0, 0, 5}, b[3] = {0, 3, 0};
    EXPECT_NEAR(LineAngleOfNodes(a, b), kPi / 2, 1e-15);
    const float d[3] = {-1, 0, 0};
    EXPECT_NEAR(DirectionAngleInView(d), kPi, 1e-15);
    double up[3] = {0, 2, 0};
    ASSERT_EQ(ScreenDirection(up), 1);
    EXPECT_EQ(up[1], -1);
    double endOn[3] = {0, 0, 1};
    EXPECT_EQ(ScreenDirection(endOn), 0);
    TestProjection view;
    view.mode = 3;
    CArcPicks picks;
    double c[3], s, e, r;
    EXPECT_EQ(ComputeArcFromPicks(picks, c, s, e, r, 1, 0), 0);
}

TEST(ViewGeometry, ChainsOfBeamsAndWalls)
{
    FakeFamily nodes(EFamily::Nodes), frames(EFamily::Frames), walls(EFamily::Walls);
    nodes.Node(1, 0, 0, 0);
    nodes.Node(2, 1, 0, 0);
    nodes.Node(3, 1, 1, 0);
    nodes.Node(4, 0, 1, 0);
    nodes.Node(5, 5, 5, 0);
    nodes.Node(6, 5, 6, 0);
    frames.Element(1, {2, 1});
    frames.Element(2, {2, 3});
    walls.Element(3, {3, 4, 4, 3});
    frames.Element(4, {1, 4});
    frames.Element(5, {6, 5});
    std::vector<int> out;
    EXPECT_EQ(ChainLineElements({1, 2, -3, 4}, out, 1), 1);
    EXPECT_EQ(out, (std::vector<int>{1, 2, 3, 4}));  // closed: each node once
    EXPECT_EQ(ChainLineElements({1, 5}, out, 1), 0);
    EXPECT_EQ(ChainLineElements({1, 5}, out, 0), -1);
    EXPECT_EQ(out, (std::vector<int>{2, 1, 5, 6}));  // across the gap the nearer end first
    EXPECT_EQ(ChainLineElements({1, 9}, out, 0), 0);
    EXPECT_EQ(ChainLineElements({}, out, 0), 0);
    int a = 0, b = 0;
    EXPECT_EQ(GetLineElementNodes(-3, a, b), 1);
    EXPECT_EQ(b, 4);
    EXPECT_EQ(GetLineElementNodes(0, a, b), 0);
}

TEST(ViewGeometry, TheElementsAroundAClickGiveItsCorners)
{
    FakeFamily nodes(EFamily::Nodes), frames(EFamily::Frames);
    nodes.Node(1, 0, 0, 0);
    nodes.Node(2, 10, 0, 0);
    nodes.Node(3, 10, 10, 0);
    nodes.Node(4, 0, 10, 0);
    nodes.Node(5, 30, 0, 0);
    frames.Element(1, {1, 2});
    frames.Element(2, {2, 3});
    frames.Element(3, {3, 4});
    frames.Element(4, {4, 1});
    frames.Element(5, {2, 5}).obj.m_nFlags = kObjStateShown;  // beyond beam 2, hidden from the click
    for (int id = 1; id <= 4; ++id) frames.ByID(id)->obj.m_nFlags = kObjStateShown;
    const double click[2] = {5, -5};
    int corners[4];
    ASSERT_TRUE(FindEnclosingElements(click, corners));
    // Loop 1-2-3-4; its first three do not turn clockwise on the screen, so
    // 1 and 3 change places: 3-2-1-4. The lowest on the screen (largest y)
    // is 2, and 3 lies further left of it than 1 right: start at 3.
    EXPECT_EQ(std::vector<int>(corners, corners + 4), (std::vector<int>{3, 2, 1, 4}));

    frames.ByID(3)->obj.m_nFlags = 0;  // not shown: three edges, no loop
    EXPECT_FALSE(FindEnclosingElements(click, corners));
    frames.ByID(3)->obj.m_nFlags = kObjStateShown;
    frames.ByID(4)->obj.m_nFlags = 0;
    nodes.Node(6, 0, -10, 0);
    frames.Element(6, {1, 6}).obj.m_nFlags = kObjStateShown;
    frames.Element(7, {6, 3}).obj.m_nFlags = kObjStateShown;
    EXPECT_FALSE(FindEnclosingElements(click, corners));  // the edges do not close
}

TEST(ViewGeometry, DrawersThroughTheCanvas)
{
    RecordingCanvas canvas;
    const double A[3] = {0, 0, 0}, B[3] = {4, 0, 0}, C[3] = {4, 4, 0}, D[3] = {0, 4, 0};
    DrawNodeOrderArrow(A, B, C, D, 0xFF, 2);
    ASSERT_EQ(canvas.calls.size(), 2u);
    EXPECT_EQ(canvas.calls[0], "line 1,1,0 3,1,0 w2");
    EXPECT_EQ(canvas.calls[1], "arrow 3,1,0 3,3,0 w0");

    canvas.calls.clear();
    FakeFamily nodes(EFamily::Nodes);
    nodes.Node(1, 0, 0, 0);
    nodes.Node(2, 10, 0, 0);
    CLineValueStyle style;
    style.scale = 2;
    const double up[3] = {0, 1, 0};
    DrawLineValues(1, 2, {{0, {0.0004, 0}}, {0.5, {-2.345, 0}}, {1, {12.6, 0}}}, up, style);
    ASSERT_EQ(canvas.texts.size(), 3u);
    EXPECT_EQ(canvas.texts, (std::vector<std::string>{"0", "-2.3", "13"}));
    EXPECT_EQ(canvas.aligns[0], unsigned(kAlignBottom | kAlignLeft));
    EXPECT_EQ(canvas.aligns[1], unsigned(kAlignBottom | kAlignCenter));
    EXPECT_EQ(canvas.aligns[2], unsigned(kAlignBottom | kAlignRight));
    EXPECT_EQ(canvas.calls[0], "line 0,0,0 0,-0.0008,0 w1");
    EXPECT_EQ(canvas.calls[2], "line 5,0,0 5,4.69,0 w1");
    EXPECT_EQ(canvas.calls[3], "line 0,-0.0008,0 5,4.69,0 w1");  // the outline

    canvas.texts.clear();
    canvas.aligns.clear();
    style.largestOnly = true;
    DrawLineValues(2, 1, {{0, {1, 0}}, {1, {-5, 0}}}, up, style);  // drawn from right to left
    EXPECT_EQ(canvas.texts, std::vector<std::string>{"-5.0"});
    EXPECT_EQ(canvas.aligns[0], unsigned(kAlignBottom | kAlignLeft));
    EXPECT_NEAR(canvas.angles[0], 0, 1e-15);

    char text[16];
    for (auto [v, want] : {std::pair{0.005, "0.005"}, {0.5, "0.50"}, {5.25, "5.2"}, {-0.0009, "0"}}) {
        FormatLineValue(v, text, sizeof text);
        EXPECT_STREQ(text, want);
    }

    canvas.calls.clear();
    DrawLineSymbolDir(1, 2, up, 0);
    ASSERT_EQ(canvas.calls.size(), 4u);
    EXPECT_EQ(canvas.calls[0], "arrow 5,0,0 5,4,0 w0");  // 0.8 of half the member
}

// ---- the cells along a segment -----------------------------------------------------

namespace {

using Cell = std::tuple<int32_t, int32_t, int32_t>;

std::set<Cell> CellsNear(const CCellGrid& g, const double a[3], const double b[3], double margin, int* calls = nullptr)
{
    std::set<Cell> out;
    int n = 0;
    EXPECT_TRUE(ForEachCellNearSegment(g, a, b, margin, 1e12, [&](const int32_t c[3]) {
        out.emplace(c[0], c[1], c[2]);
        ++n;
    }));
    if (calls) *calls = n;
    return out;
}

}  // namespace

// Points a hair inside the margin around the segment, at its ends and along
// it, straight out along each axis and slanting: each one's cell is walked.
TEST(SegmentCells, EveryPointWithinTheMarginHasItsCellWalked)
{
    struct Case {
        const char* what;
        double a[3], b[3];
        double size, origin, margin;
    } cases[] = {
        {"along cell borders", {0, 0, 0}, {5, 0, 0}, 1, 0, 0.02},
        {"along borders, reversed", {5, 2, 3}, {0, 2, 3}, 1, 0, 0.02},
        {"a column inside a cell", {2.5, 2.5, -3}, {2.5, 2.5, 4}, 1, 0, 0.02},
        {"a column on a cell corner", {1, 1, 0}, {1, 1, 3}, 1, 0, 0.02},
        {"very short, over a border", {0.999, 0.5, 0.5}, {1.001, 0.5, 0.5}, 1, 0, 0.02},
        {"a point", {3, 3, 3}, {3, 3, 3}, 1, 0, 0.02},
        {"no margin", {0.2, 0.9, 0}, {7.7, 0.1, 2}, 1, 0, 0},
        {"a margin of cells", {0.2, 0.9, 0}, {7.7, 0.1, 2}, 1, 0, 1.5},
        {"slanting in space", {0.3, 0.1, 0}, {40.7, 33.2, 7.9}, 1, 0.38, 0.02},
        {"a diagonal near cell corners", {0.3, 0.42, 0.5}, {9.3, 9.4, 0.5}, 1, 0, 0.1},
        {"negative coordinates", {-7.5, -3.2, -1}, {-0.01, -9.9, -4}, 0.7, -0.1, 0.05},
        {"very long", {-5000, 1, 0}, {5000, 2, 0.5}, 1, 0, 0.02},
        {"huge coordinates, cells to match", {3e11, -2e11, 1e6}, {3.1e11, -1.95e11, 1e6}, 1e9, 0, 0.02},
        {"huge coordinates, past the last cell", {1e12, 1e12, 0}, {1e12 + 50, 1e12 + 3, 0}, 1, 0, 0.02},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CCellGrid g;
        for (int k = 0; k < 3; ++k) {
            g.size[k] = c.size;
            g.origin[k] = c.origin;
        }
        const std::set<Cell> walked = CellsNear(g, c.a, c.b, c.margin);
        std::vector<std::array<double, 3>> offsets = {{0, 0, 0}};
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                for (int dz = -1; dz <= 1; ++dz) {
                    const double l = std::sqrt(double(dx * dx + dy * dy + dz * dz));
                    if (l == 0) continue;
                    const double r = c.margin * (1 - 1e-9) / l;
                    offsets.push_back({dx * r, dy * r, dz * r});
                }
        const int steps = 20000;
        int missed = 0;
        for (int i = 0; i <= steps; ++i) {
            const double t = double(i) / steps;
            for (const auto& o : offsets) {
                double p[3];
                for (int k = 0; k < 3; ++k) p[k] = c.a[k] + t * (c.b[k] - c.a[k]) + o[k];
                int32_t cell[3];
                g.CellOf(p, cell);
                if (!walked.count(Cell(cell[0], cell[1], cell[2])) && missed++ < 3)
                    ADD_FAILURE() << "missed " << p[0] << ", " << p[1] << ", " << p[2];
            }
        }
        EXPECT_EQ(missed, 0);
    }
}

// A long slanting segment takes a few cells per slab, not its box; each
// cell once. Too many cells for the caller: none at all.
TEST(SegmentCells, ALongSlantTakesTheCellsItPasses)
{
    CCellGrid g;
    const double a[3] = {0.5, 0.5, 0.5}, b[3] = {1000.5, 700.5, 0.5};
    int calls = 0;
    const std::set<Cell> walked = CellsNear(g, a, b, 0.02, &calls);
    EXPECT_EQ(size_t(calls), walked.size());
    EXPECT_LE(walked.size(), 3u * 1001u);
    EXPECT_GE(walked.size(), 1001u + 700u);
    int called = 0;
    EXPECT_FALSE(ForEachCellNearSegment(g, a, b, 0.02, double(walked.size() - 1), [&](const int32_t*) { ++called; }));
    EXPECT_FALSE(ForEachCellNearSegment(g, a, b, 0.02, 999, [&](const int32_t*) { ++called; }));
    EXPECT_EQ(called, 0);
    EXPECT_TRUE(ForEachCellNearSegment(g, a, b, 0.02, double(walked.size()), [&](const int32_t*) { ++called; }));
    EXPECT_EQ(size_t(called), walked.size());
}
