// True-shape outlines: circle tessellation, mirroring, slabs, graded pieces
// and their end caps.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/vek/view/Recorders.h"
#include "tests/vek/view/ViewFixture.h"
#include "vek/view/TrueShape.h"

using namespace vektest;

namespace {

class TrueShape : public ViewTest {};

TrueShapeReg Square()
{
    TrueShapeReg r;
    r.AddVertex(-1, -1);
    r.AddVertex(1, -1);
    r.AddVertex(1, 1);
    r.AddVertex(-1, 1);
    return r;
}

}  // namespace

TEST_F(TrueShape, CirclesFollowTheZoomWithinTheirBounds)
{
    struct Case {
        int openGL;
        double zoom;
        size_t points;
    } cases[] = {{1, 0.5, 12}, {1, 10, 80}, {1, 2, 32}, {0, 0.5, 8}, {0, 10, 40}};
    for (const Case& c : cases) {
        theProjectOptions.bHiddenSurface = uint8_t(c.openGL);
        theViewProjection.SetZoom(c.zoom);
        TrueShapeReg r;
        r.AddRoundOutline(1, 0);
        EXPECT_EQ(r.ring1.size(), c.points) << c.zoom;
        EXPECT_TRUE(r.ring2.empty());
        EXPECT_EQ(r.smooth, 1);
    }
    theViewProjection.SetZoom(1);
    theProjectOptions.bHiddenSurface = 1;
    TrueShapeReg thin, hollow;
    thin.AddRoundOutline(1, 1e-6);
    hollow.AddRoundOutline(1, 2e-6);
    EXPECT_TRUE(thin.ring2.empty());
    EXPECT_EQ(hollow.ring2.size(), hollow.ring1.size());
    // Point k at k * 90 / n degrees, counter-clockwise.
    EXPECT_NEAR(hollow.ring1[1].x, std::cos(3.14159265358979323846 / 8), 1e-12);
    EXPECT_NEAR(hollow.ring1[1].y, std::sin(3.14159265358979323846 / 8), 1e-12);
}

TEST_F(TrueShape, TurnsAndMirrorsKeepTheWinding)
{
    TrueShapeReg r;
    r.AddVertex(1, 2);
    r.AddVertex(3, 4);
    r.AddVertex(5, 6);
    r.MirrorX();
    EXPECT_EQ(r.ring1[1].x, -3);  // the middle point of an odd ring, in place
    EXPECT_EQ(r.ring1[0].x, -5);
    EXPECT_EQ(r.ring1[0].y, 6);
    r.TurnLeft();
    EXPECT_EQ(r.ring1[0].x, -6);
    EXPECT_EQ(r.ring1[0].y, -5);
    r.TurnRight();
    r.TurnHalf();
    EXPECT_EQ(r.ring1[0].x, 5);
    EXPECT_EQ(r.ring1[0].y, -6);
    r.Move(1, 1, 1);
    EXPECT_EQ(r.ring1[2].z, 1);
    const double p[3] = {7, 8, 9};
    r.AddVertex2(p, 0.5);
    EXPECT_EQ(r.ring2[0].value, 0.5);
    EXPECT_FALSE(r == TrueShapeReg(r));
}

TEST_F(TrueShape, SlabFacesMoveByHalfTheirThicknessAlongTheNormal)
{
    TrueShapeReg tri;
    tri.AddVertex(0.0, 0.0);
    tri.AddVertex(1.0, 0.0);
    tri.AddVertex(0.0, 1.0);
    const float t[3] = {0.2f, 0.2f, 0.4f};
    MemberTrueShape m;
    ASSERT_EQ(m.BuildSlab(tri, t), 1);
    EXPECT_NEAR(m.m_starts[0].ring1[0].z, -0.1, 1e-7);
    EXPECT_NEAR(m.m_ends[0].ring1[0].z, 0.1, 1e-7);
    EXPECT_NEAR(m.m_starts[0].ring1[2].z, -0.2, 1e-7);
    EXPECT_NEAR(m.m_ends[0].ring1[2].z, 0.2, 1e-7);

    // The first three points on one line: the normal comes from the first triple that is not.
    TrueShapeReg wall;
    wall.AddVertex(0.0, 0.0, 0.0);
    wall.AddVertex(1, 0, 0);
    wall.AddVertex(2, 0, 0);
    wall.AddVertex(2, 0, 3);
    ASSERT_EQ(m.BuildSlabUniform(wall, 0.4f), 1);
    EXPECT_NEAR(std::fabs(m.m_starts[0].ring1[1].y), 0.2, 1e-7);
    EXPECT_EQ(m.m_starts[0].ring1[1].z, 0);

    TrueShapeReg one;
    one.AddVertex(0.0, 0.0);
    EXPECT_EQ(m.BuildSlabUniform(one, 1), 0);
    EXPECT_EQ(m.PlaceAlongMember(one, 1), 0);
    EXPECT_EQ(m.AddStartOutline(one, 0), 0);
}

TEST_F(TrueShape, PlacementAndApparentWidths)
{
    MemberTrueShape m;
    double w1 = 0, w2 = 0;
    m.GetApparentWidths(&w1, &w2);
    EXPECT_EQ(w1, 0.3);
    EXPECT_EQ(w2, 0.3);
    const double s[3] = {0, 0, 0}, e[3] = {10, 0, 0};
    const double a[3] = {1, 0, 0}, b[3] = {0, 0, 1}, c[3] = {0, 1, 0};
    m.SetPlacement(s, e, a, b, c);
    ASSERT_EQ(m.PlaceAlongMember(Square(), 1), 1);
    EXPECT_EQ(m.m_ends[0].ring1[0].x, 10);
    // Plan view: looking down z, the member along x shows its section's y spread (2).
    m.GetApparentWidths(&w1, nullptr);
    EXPECT_NEAR(w1, 2, 1e-12);
}

TEST_F(TrueShape, GradedPiecesCapOnlyTheMemberEnds)
{
    RecordingGl gl;
    SetGlApi(&gl);
    theProjectOptions.bHiddenSurface = 1;
    RecordingDC dc;
    BeginExternalDraw(&dc);
    const double s[3] = {0, 0, 0}, e[3] = {12, 0, 0};
    const double a[3] = {1, 0, 0}, b[3] = {0, 0, 1}, c[3] = {0, 1, 0};
    MemberTrueShape m;
    m.SetPlacement(s, e, a, b, c);
    m.PlaceAlongMember(Square(), 1);
    // Each graded face is one triangle fan: four sides per piece, one per cap.
    const double two[4] = {0, 0.1, 12, 0.9};
    m.DrawGraded(0xFF, 1, nullptr, 2, two);
    EXPECT_EQ(gl.Count("Begin:" + std::to_string(gl::kTriangles)), 4 + 2);
    gl.calls.clear();
    const double four[8] = {0, 0.1, 4, 0.3, 8, 0.6, 12, 0.9};
    m.DrawGraded(0xFF, 1, nullptr, 4, four);
    EXPECT_EQ(gl.Count("Begin:" + std::to_string(gl::kTriangles)), 3 * 4 + 2);
    EXPECT_EQ(m.m_capMode, 0);              // restored
    EXPECT_EQ(m.m_ends[0].ring1[0].x, 12);  // outlines restored
    EXPECT_EQ(m.m_ends[0].ring1[0].value, 0.0);
    EndExternalDraw();
}

TEST_F(TrueShape, WithoutOutlinesAMemberIsALine)
{
    RecordingDC dc;
    BeginExternalDraw(&dc);
    theProjectOptions.bHiddenSurface = 0;
    MemberTrueShape m;
    const double s[3] = {1, 1, 0}, e[3] = {5, 1, 0}, x[3] = {1, 0, 0}, y[3] = {0, 1, 0}, z[3] = {0, 0, 1};
    m.SetPlacement(s, e, z, y, x);
    m.Draw(0xFF, 0xFF, 0, -1, 1, nullptr);
    EXPECT_EQ(dc.Count("LineTo"), 1);
    // On plain GDI a square member is its edges: 4 lengthwise and 4 at each end.
    m.PlaceAlongMember(Square(), 1);
    m.Draw(0xFF, 0xFF, 0, -1, 1, nullptr);
    EXPECT_EQ(dc.Count("LineTo"), 1 + 12);
    EXPECT_EQ(dc.Count("Polygon4"), 0);
    // End-on, the section footprint is filled.
    m.DrawSection(0xFF, 0xFF00, 1, nullptr);
    EXPECT_EQ(dc.Count("Polygon4"), 1);
    EndExternalDraw();
}
