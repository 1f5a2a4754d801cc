// The drawing layer on a recording device context and a recording OpenGL:
// pens and fonts made once, sessions, line batches, outline offsets, and
// the shapes each primitive draws.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/vek/view/Recorders.h"
#include "tests/vek/view/ViewFixture.h"

using namespace vektest;

namespace {

constexpr double kPi = 3.14159265358979323846;

class RecordingHost : public CDrawHost {
public:
    RecordingDC dc;
    int begins = 0, ends = 0, refreshes = 0;
    CDrawDC* BeginSession() override
    {
        ++begins;
        return &dc;
    }
    void EndSession() override { ++ends; }
    void RefreshNow() override { ++refreshes; }
};

class DrawLayer : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        PlanOfTenByTen();
        theProjectOptions.bHiddenSurface = 0;
    }
    void TearDown() override
    {
        SetDrawHost(nullptr);
        ViewTest::TearDown();
    }
    void OnGL()
    {
        theProjectOptions.bHiddenSurface = 1;
        SetGlApi(&gl);
    }
    RecordingDC dc;
    RecordingGl gl;
};

const double kA[3] = {1, 1, 0}, kB[3] = {9, 1, 0}, kC[3] = {9, 9, 0}, kD[3] = {1, 9, 0};

}  // namespace

TEST_F(DrawLayer, NoPenIsMadeTwiceAndThePaintEndsClean)
{
    BeginExternalDraw(&dc);
    for (int i = 0; i < 100; ++i) DrawLine3D(kA, kB, 0x0000FF, 1);
    EXPECT_EQ(dc.Count("CreatePen"), 1);
    DrawLine3D(kA, kB, 0x00FF00, 1);
    DrawLine3D(kA, kB, 0x00FF00, 2);
    DrawLine3D(kA, kB, 0x00FF00, 2, nullptr, 1);
    EXPECT_EQ(dc.Count("CreatePen"), 4);
    EXPECT_EQ(dc.deleted, 3);  // each replaced pen went
    EXPECT_EQ(dc.deletedWhileSelected, 0);
    EXPECT_EQ(dc.SelectedPen()->pen.style, 1);
    // The device's own black pen of width 1 is asked for: nothing is made.
    EndExternalDraw();
    BeginExternalDraw(&dc);
    DrawLine3D(kA, kB, 0, 1);
    EXPECT_EQ(dc.Count("CreatePen"), 4);
    DrawText3D(kC, "x", 0xFF, 0, 0, nullptr);
    DrawText3D(kC, "y", 0xFF, 0, 0, nullptr);
    EXPECT_EQ(dc.Count("CreateFont"), 1);
    EXPECT_EQ(dc.Count("SetTextColor"), 1);
    EndExternalDraw();
    EXPECT_EQ(dc.PenHandle(), dc.OwnPen());
    EXPECT_EQ(dc.created, dc.deleted);
    EXPECT_EQ(dc.deletedWhileSelected, 0);
    EXPECT_EQ(theDrawState.dc, nullptr);
}

TEST_F(DrawLayer, LinesLandOnTheirPixels)
{
    BeginExternalDraw(&dc);
    DrawLine3D(kA, kC, 0xFF, 1);
    ASSERT_EQ(dc.lineEnds.size(), 2u);
    int x, y;
    theViewProjection.WorldToScreenInt(kA, x, y);
    EXPECT_EQ(dc.lineEnds[0].x, x);
    EXPECT_EQ(dc.lineEnds[0].y, y);
    theViewProjection.WorldToScreenInt(kC, x, y);
    EXPECT_EQ(dc.lineEnds[1].x, x);
    EXPECT_EQ(dc.lineEnds[1].y, y);
    EndExternalDraw();
}

TEST_F(DrawLayer, NestedSessionsOutsideAPaintTakeTheDeviceOnce)
{
    RecordingHost host;
    SetDrawHost(&host);
    theProjectOptions.bHiddenSurface = 1;
    {
        CDrawSession outer;
        EXPECT_EQ(theProjectOptions.bHiddenSurface, 0);  // feedback is drawn through GDI
        EXPECT_EQ(theDrawState.dc, &host.dc);
        DrawLine3D(kA, kB, 0xFF, 1);
        {
            CDrawSession inner;
            DrawLine3D(kA, kB, 0xFF00, 1);
            EXPECT_EQ(theDrawState.depth, 2);
        }
        EXPECT_EQ(host.ends, 0);
        EXPECT_EQ(theDrawState.dc, &host.dc);
        EXPECT_EQ(host.dc.deleted, 1);  // only the replaced pen
        RefreshViewNow();
    }
    EXPECT_EQ(host.begins, 1);
    EXPECT_EQ(host.ends, 1);
    EXPECT_EQ(host.refreshes, 1);
    EXPECT_EQ(theProjectOptions.bHiddenSurface, 1);
    EXPECT_EQ(theDrawState.depth, 0);
    EXPECT_EQ(theDrawState.dc, nullptr);
    EXPECT_EQ(host.dc.created, host.dc.deleted);

    // Inside a paint a session only owns its quadric.
    BeginExternalDraw(&dc);
    {
        CDrawSession s;
        EXPECT_EQ(theDrawState.depth, 0);
        EXPECT_EQ(theDrawState.dc, &dc);
    }
    EXPECT_EQ(theDrawState.dc, &dc);
    EXPECT_EQ(host.begins, 1);
    EndExternalDraw();
}

TEST_F(DrawLayer, TextFontFollowsAngleAndSizeButKeepsTheDescription)
{
    theProjectOptions.textFont.height = 14;
    BeginExternalDraw(&dc);
    SelectTextFont(0, 0);
    EXPECT_EQ(dc.SelectedFont()->font.height, 14);
    SelectTextFont(0, 30);
    EXPECT_EQ(dc.SelectedFont()->font.height, 30);
    EXPECT_EQ(theProjectOptions.textFont.height, 14);
    SelectTextFont(0, 30);
    EXPECT_EQ(dc.Count("CreateFont"), 2);
    // Tenths of a degree, truncated: 30 degrees in radians is 299.99...
    SelectTextFont(kPi / 6, 30);
    EXPECT_EQ(dc.SelectedFont()->font.orientation, 299);
    SelectTextFont(30.05 * kPi / 180, 30);
    EXPECT_EQ(dc.SelectedFont()->font.orientation, 300);
    EXPECT_EQ(dc.SelectedFont()->font.escapement, 300);
    EndExternalDraw();
}

TEST_F(DrawLayer, LabelsReadLeftToRight)
{
    theProjectOptions.textFont.height = 10;
    BeginExternalDraw(&dc);
    const char* texts[2] = {"a", "b"};
    struct Case {
        double angle;
        int orientation;
    } cases[] = {{kPi / 2, 900}, {3 * kPi / 2, 900}, {kPi, 0}, {0.25, 143}};
    for (const Case& c : cases) {
        DrawLabelsAlongLine(kA, 2, texts, 0xFF, c.angle, 0, nullptr, nullptr, 0);
        EXPECT_EQ(dc.SelectedFont()->font.orientation, c.orientation) << c.angle;
    }
    // The second line sits one font height further along -(sin a, cos a).
    dc.texts.clear();
    DrawLabelsAlongLine(kA, 2, texts, 0xFF, 0, 0, nullptr, nullptr, 0);
    int x, y;
    theViewProjection.WorldToScreenInt(kA, x, y);
    EXPECT_EQ(dc.lastPoints[0].x, x);
    EXPECT_EQ(dc.lastPoints[0].y, y - 10);
    DrawLabelsAlongLine(kA, 0, texts, 0xFF, 0, 0, nullptr, nullptr, 0);
    EXPECT_EQ(dc.texts.size(), 2u);
    EndExternalDraw();
}

TEST_F(DrawLayer, EqualLinesShareOneBatchOnOpenGL)
{
    OnGL();
    BeginExternalDraw(&dc);
    for (int i = 0; i < 3; ++i) DrawLine3D(kA, kB, 0x0000FF, 1);
    DrawLine3D(kA, kB, 0x00FF00, 1);  // a colour change stays in the batch
    EXPECT_EQ(gl.CountPrefix("Begin"), 1);
    EXPECT_EQ(gl.Count("Vertex"), 8);
    EXPECT_EQ(gl.CountPrefix("Color"), 2);
    DrawLine3D(kA, kB, 0x00FF00, 2);  // a new width ends it
    EXPECT_EQ(gl.CountPrefix("Begin"), 2);
    EXPECT_EQ(gl.Count("End"), 1);
    DrawLine3D(kA, kB, 0xFF, 1, nullptr, 2);  // dotted: a batch of its own, stipple off after
    EXPECT_FALSE(gl.stipple);
    EXPECT_EQ(gl.Count("LineStipple:3:" + std::to_string(0x5555)), 1);
    EndExternalDraw();
    EXPECT_EQ(gl.CountPrefix("Begin"), gl.Count("End"));
    EXPECT_EQ(gl.calls.back(), "Flush");
}

// Each element draws in a session of its own: inside a paint they share the
// paint's batch, and only the paint's end flushes (a flush copies the whole
// picture). No session makes a quadric it does not ask for.
TEST_F(DrawLayer, ElementSessionsInAPaintShareOneBatchAndOneFlush)
{
    OnGL();
    BeginExternalDraw(&dc);
    for (int i = 0; i < 100; ++i) {
        CDrawSession session;
        DrawLine3D(kA, kB, 0x0000FF, 1);
    }
    EXPECT_EQ(gl.Count("Flush"), 0);
    EXPECT_EQ(gl.CountPrefix("Begin"), 1);
    EXPECT_EQ(gl.quadrics, 0);
    EndExternalDraw();
    EXPECT_EQ(gl.Count("Flush"), 1);
    EXPECT_EQ(gl.CountPrefix("Begin"), gl.Count("End"));
}

TEST_F(DrawLayer, OutlinesMoveTowardsTheViewerOnlyWhenThin)
{
    OnGL();
    theProjectOptions.dBorderDepthOffset = 0.01;
    const double depth = theViewProjection.GetViewDepth();
    BeginExternalDraw(&dc);
    DrawLine3D(kA, kB, 0xFF, 1);
    DrawLine3D(kA, kB, 0xFF, 2);
    EndExternalDraw();
    ASSERT_EQ(gl.vertices.size(), 4u);
    EXPECT_NEAR(gl.vertices[0][2], 2 * 0.01 * depth, 1e-12);
    EXPECT_EQ(gl.vertices[2][2], 0);  // width 2: true depth
}

TEST_F(DrawLayer, StylesAndPatternsOutOfRangeLeaveTheStateAlone)
{
    OnGL();
    SetGlLineStyle(1);
    EXPECT_TRUE(gl.stipple);
    const size_t n = gl.calls.size();
    SetGlLineStyle(7);
    SetGlFillPattern(6);
    EXPECT_EQ(gl.calls.size(), n);
    EXPECT_TRUE(gl.stipple);
    SetGlFillPattern(2);
    ASSERT_EQ(gl.lastMask.size(), 128u);
    const uint8_t rows[8] = {0x10, 0x20, 0x40, 0x80, 0x01, 0x02, 0x04, 0x08};
    for (int r = 0; r < 32; ++r)
        for (int b = 0; b < 4; ++b) EXPECT_EQ(gl.lastMask[size_t(r * 4 + b)], rows[r % 8]);
}

TEST_F(DrawLayer, WideLineBecomesABandAboveOnePointZeroOne)
{
    BeginExternalDraw(&dc);
    DrawWideLine(kA, kB, 1.0, 1.01, 0xFF, 1, 0xFF, nullptr);
    EXPECT_EQ(dc.Count("LineTo"), 1);
    EXPECT_EQ(dc.Count("Polygon4"), 0);
    DrawWideLine(kA, kB, 1.0, 1.02, 0xFF, 1, 0xFF, nullptr);
    EXPECT_EQ(dc.Count("Polygon4"), 1);
    // Horizontal on the screen: corners half a width above and below the ends.
    DrawWideLine(kA, kB, 10, 10, 0xFF, 1, 0xFF, nullptr);
    int x, y;
    theViewProjection.WorldToScreenInt(kA, x, y);
    EXPECT_NEAR(dc.lastPoints[0].y, y + 5, 1);
    EXPECT_NEAR(dc.lastPoints[3].y, y - 5, 1);
    EndExternalDraw();
}

TEST_F(DrawLayer, SphereTessellationFollowsItsPixelSize)
{
    OnGL();
    BeginExternalDraw(&dc);
    struct Case {
        double size;
        int points;
    } cases[] = {{4, 8}, {9, 16}, {19, 32}, {20, 360}};
    for (const Case& c : cases) {
        gl.vertices.clear();
        DrawSphere(nullptr, kC, c.size, 1, 0xFF, 0, 0, nullptr, 0, 1, nullptr);
        EXPECT_EQ(int(gl.vertices.size()), c.points) << c.size;
    }
    // Filled in one colour with a quadric: a real sphere of size / scale.
    CDrawSession s;
    DrawSphere(s.Quadric(), kC, 10, 1, 0xFF, 1, 0xFF, nullptr, 0, 1, nullptr);
    EXPECT_EQ(gl.Count("Sphere:12,6"), 1);
    EXPECT_NEAR(gl.sphereRadius, 10 / theViewProjection.GetScale(), 1e-12);
    EXPECT_EQ(gl.polygonMode[0], int(gl::kFill));
    EndExternalDraw();
}

TEST_F(DrawLayer, EndOnArrowsAreCirclesWithADotOrACross)
{
    BeginExternalDraw(&dc);
    const double up[3] = {0, 0, 1}, down[3] = {0, 0, -1};
    DrawArrow3D(kC, up, 2, 0xFF, nullptr, nullptr, 0);  // towards the viewer
    EXPECT_EQ(dc.Count("Ellipse"), 2);
    EXPECT_EQ(dc.Count("LineTo"), 0);
    EXPECT_EQ(dc.SelectedBrush()->colour, 0xFFu);  // the dot is filled
    DrawArrow3D(kC, down, 2, 0xFF, nullptr, nullptr, 0);
    EXPECT_EQ(dc.Count("Ellipse"), 3);
    EXPECT_EQ(dc.Count("LineTo"), 2);  // the cross
    // Seen from the side: two heads and a shaft.
    const double along[3] = {1, 0, 0};
    DrawArrow3D(kA, along, 5, 0xFF, nullptr, nullptr, 1);
    EXPECT_EQ(dc.Count("Polygon3"), 2);
    EXPECT_EQ(dc.Count("LineTo"), 3);
    // Too short to draw.
    DrawArrow3D(kA, along, 5e-11, 0xFF, nullptr, nullptr, 0);
    EXPECT_EQ(dc.Count("LineTo"), 3);
    EndExternalDraw();
}

TEST_F(DrawLayer, XorDragArrowDrawnTwiceRestoresTheRasterOperation)
{
    BeginExternalDraw(&dc);
    DrawXorDragArrow(kA, kB, 0xFF);
    EXPECT_EQ(dc.Count("SetROP2:7"), 1);
    EXPECT_EQ(dc.rop, kRopCopyPen);
    EXPECT_EQ(dc.Count("Polygon3"), 1);
    DrawXorDragArrow(kA, kA, 0xFF);
    EXPECT_EQ(dc.Count("SetROP2:7"), 1);
    EndExternalDraw();
}

TEST_F(DrawLayer, DeformedMemberWithoutRotationsIsItsMagnifiedChord)
{
    BeginExternalDraw(&dc);
    const double u[3] = {0, 1, 0}, r[3] = {0, 0, 0};
    DrawDeformedMember(kA, kB, u, u, r, r, 2.0, kA, 0xFF, 1, nullptr, 4);
    EXPECT_EQ(dc.Count("LineTo"), 4);
    // The last point is the far end moved by twice its displacement.
    const double end[3] = {9, 3, 0};
    int x, y;
    theViewProjection.WorldToScreenInt(end, x, y);
    EXPECT_EQ(dc.lineEnds.back().x, x);
    EXPECT_EQ(dc.lineEnds.back().y, y);
    EndExternalDraw();
}

TEST_F(DrawLayer, FacesWithNeitherOutlineNorFillDrawNothing)
{
    BeginExternalDraw(&dc);
    const double q[4][3] = {{1, 1, 0}, {9, 1, 0}, {9, 9, 0}, {1, 9, 0}};
    DrawPolygonFace(q, 0, 0, 0, 0, -1, 1, nullptr);
    EXPECT_TRUE(dc.calls.empty());
    DrawPolygonFace(q, 1, 0xFF, 1, 0xFF00, 3, 1, nullptr);
    EXPECT_EQ(dc.SelectedBrush()->pattern, 3);
    EXPECT_EQ(dc.Count("Polygon4"), 1);
    EndExternalDraw();
}

TEST_F(DrawLayer, GdiOverOpenGLWaitsForTheLastOpenGLOutput)
{
    // Where OpenGL copies its whole picture at each flush, GDI drawn between
    // two flushes would be covered: it runs at the paint's end instead.
    OnGL();
    BeginExternalDraw(&dc);
    DrawText3D(kC, "1", 0xFF, 0, 0, nullptr);
    DrawGdiLine(1, 2, 3, 4);
    DrawLine3D(kA, kB, 0x0000FF, 1);
    EXPECT_TRUE(dc.texts.empty());
    EXPECT_TRUE(dc.lineEnds.empty());
    const size_t glCalls = gl.calls.size();
    EndExternalDraw();
    EXPECT_EQ(gl.calls[glCalls], "End");  // the open batch of lines
    EXPECT_EQ(gl.calls.back(), "Flush");
    EXPECT_EQ(dc.texts, std::vector<std::string>{"1"});
    ASSERT_EQ(dc.lineEnds.size(), 2u);
    EXPECT_EQ(dc.lineEnds[1].x, 3);
    // On GDI nothing waits.
    theProjectOptions.bHiddenSurface = 0;
    BeginExternalDraw(&dc);
    DrawText3D(kC, "2", 0xFF, 0, 0, nullptr);
    EXPECT_EQ(dc.texts.size(), 2u);
    EndExternalDraw();
}
