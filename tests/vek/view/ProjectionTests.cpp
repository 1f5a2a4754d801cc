// The view projection: conversions worked by hand, zoom and pan rules with
// their bounds, the standard views, the GL set-up and the project block.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/support/LeBytes.h"
#include "tests/vek/view/Recorders.h"
#include "tests/vek/view/ViewFixture.h"
#include "vek/model/ViewLink.h"
#include "vek/view/ViewBindings.h"

using namespace vektest;

namespace {

class Projection : public ViewTest {};

void Centre(double& x, double& y)
{
    x = theViewProjection.Centre()[0];
    y = theViewProjection.Centre()[1];
}

}  // namespace

TEST_F(Projection, EmptyModelFitsTheFiftyUnitBoxSquare)
{
    theViewProjection.SetZoom(3);
    theViewProjection.ZoomExtents(1, 0, 1);
    const double* e = theViewProjection.GetExtent();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(e[i], 50);
        EXPECT_EQ(e[i + 3], 0);
    }
    const double* b = theViewProjection.GetViewBox();
    EXPECT_DOUBLE_EQ(b[0], 51.25);
    EXPECT_DOUBLE_EQ(b[1], -1.25);
    EXPECT_DOUBLE_EQ(b[0] - b[1], b[2] - b[3]);
    EXPECT_DOUBLE_EQ(b[4], 75);  // the z span 50 widened by half of it
    EXPECT_DOUBLE_EQ(b[5], -25);
    EXPECT_EQ(theViewProjection.GetZoom(), 1);
}

TEST_F(Projection, SinglePointGetsTheMinimumMarginsAndDepth)
{
    const double p[3] = {3, 4, 5};
    theViewProjection.SetExtent(p, p);
    theViewProjection.ZoomExtents(0, 0, 1);
    const double* b = theViewProjection.GetViewBox();
    EXPECT_NEAR(b[0] - b[1], 0.02, 1e-12);
    EXPECT_NEAR(b[2] - b[3], 0.02, 1e-12);
    EXPECT_NEAR(b[4] - b[5], 2.0, 1e-12);
}

TEST_F(Projection, PlanConversionsWorkedByHand)
{
    PlanOfTenByTen();
    // View box -0.25..10.25 in x and y; 100 pixels over 10.5 units.
    const double s = 100 / 10.5;
    EXPECT_DOUBLE_EQ(theViewProjection.GetScale(), s);
    double sx, sy;
    const double centre[3] = {5, 5, 0}, origin[3] = {0, 0, 7};
    theViewProjection.WorldToScreen(centre, sx, sy);
    EXPECT_DOUBLE_EQ(sx, 100);
    EXPECT_DOUBLE_EQ(sy, 50);
    theViewProjection.WorldToScreen(origin, sx, sy);
    EXPECT_NEAR(sx, 100 - 5 * s, 1e-9);
    EXPECT_NEAR(sy, 50 + 5 * s, 1e-9);
    // Back onto the platform (z 0) from a pixel.
    double p[3];
    theViewProjection.ScreenToWorld(sx, sy, p);
    EXPECT_NEAR(p[0], 0, 1e-9);
    EXPECT_NEAR(p[1], 0, 1e-9);
    EXPECT_EQ(p[2], 0);
    // Truncation towards zero: -0.7 pixels is 0, not -1.
    const double u = 5 + (-0.7 - 100) / s;
    const double q[3] = {u, 5, 0};
    int ix, iy;
    theViewProjection.WorldToScreenInt(q, ix, iy);
    EXPECT_EQ(ix, 0);
    EXPECT_EQ(iy, 50);
    double minU, minV, maxU, maxV;
    theViewProjection.GetVisibleWindow(minU, minV, maxU, maxV);
    EXPECT_NEAR(maxU - minU, 200 / s, 1e-9);
    EXPECT_NEAR(maxV - minV, 100 / s, 1e-9);
}

TEST_F(Projection, OutsideTestsNeedOneEdgeForAll)
{
    // Strictly beyond an edge only; crossing diagonally counts as inside.
    EXPECT_FALSE(theViewProjection.IsPixelQuadOutside(0, 5, -1, 5, -2, 6, -3, 7));
    EXPECT_TRUE(theViewProjection.IsPixelQuadOutside(-1, 5, -1, 5, -2, 6, -3, 7));
    EXPECT_FALSE(theViewProjection.IsLineOutsideScreen(-5, -5, 300, 200));
    EXPECT_TRUE(theViewProjection.IsLineOutsideScreen(5, 101, 150, 140));
    EXPECT_TRUE(theViewProjection.IsOutsideScreen(201, 0));
    EXPECT_FALSE(theViewProjection.IsOutsideScreen(200, 100));
}

TEST_F(Projection, ZoomOutStopsAtTheMinimumAndWheelOutBelowItDoesNothing)
{
    struct Case {
        double zoom;
        double afterZoomOut;
        double afterWheelOut;
    } cases[] = {{0.06, 0.05, 0.048}, {0.055, 0.05, 0.055}, {0.059, 0.05, 0.059}, {1.0, 0.8, 0.8}};
    for (const Case& c : cases) {
        theViewProjection.SetZoom(c.zoom);
        theViewProjection.ZoomOut();
        EXPECT_NEAR(theViewProjection.GetZoom(), c.afterZoomOut, 1e-7) << c.zoom;  // the step is a float
        theViewProjection.SetZoom(c.zoom);
        const int redraws = ModelRedraws();
        const POINT cursor{10, 10};
        theViewProjection.WheelZoom(-120, &cursor);
        EXPECT_NEAR(theViewProjection.GetZoom(), c.afterWheelOut, 1e-7) << c.zoom;
        EXPECT_EQ(ModelRedraws() - redraws, c.afterWheelOut != c.zoom ? 1 : 0) << c.zoom;
    }
}

TEST_F(Projection, WheelKeepsThePointUnderTheCursor)
{
    PlanOfTenByTen();
    const POINT cursor{37, 81};
    double before[3], after[3];
    theViewProjection.ScreenToWorld(cursor.x, cursor.y, before);
    theViewProjection.ZoomAtCursor(120, cursor);
    EXPECT_NEAR(theViewProjection.GetZoom(), 1.25, 1e-7);
    theViewProjection.ScreenToWorld(cursor.x, cursor.y, after);
    EXPECT_NEAR(after[0], before[0], 1e-9);
    EXPECT_NEAR(after[1], before[1], 1e-9);

    // At the centre only the zoom changes.
    double cx, cy;
    Centre(cx, cy);
    theViewProjection.ZoomAtCursor(-120, theViewProjection.GetScreenCenter());
    double nx, ny;
    Centre(nx, ny);
    EXPECT_EQ(nx, cx);
    EXPECT_EQ(ny, cy);
}

TEST_F(Projection, ZoomInIsBoundedSoPixelsFitAnInt)
{
    PlanOfTenByTen();
    for (int i = 0; i < 200; ++i) theViewProjection.ZoomIn();
    EXPECT_EQ(theViewProjection.GetZoom(), CViewProjection::kMaxZoom);
    for (int i = 0; i < 50; ++i) theViewProjection.ZoomAtCursor(120, POINT{0, 0});
    EXPECT_EQ(theViewProjection.GetZoom(), CViewProjection::kMaxZoom);
    // Every corner of the model still maps into int range.
    const double corner[3] = {10, 10, 0};
    double sx, sy;
    theViewProjection.WorldToScreen(corner, sx, sy);
    EXPECT_LT(std::fabs(sx), 2147483647.0);
    int ix, iy;
    const double huge[3] = {1e15, -1e15, 0};
    theViewProjection.WorldToScreenInt(huge, ix, iy);
    // Clamped, not wrapped: far right and far down.
    EXPECT_EQ(ix, 1000000000);
    EXPECT_EQ(iy, 1000000000);
}

TEST_F(Projection, ZoomWindowOfNoWidthOrHeightChangesNothing)
{
    PlanOfTenByTen();
    const POINT flatX[2] = {{40, 10}, {40, 90}}, flatY[2] = {{10, 40}, {90, 40}};
    for (const POINT* p : {flatX, flatY}) {
        theViewProjection.ZoomWindowCallback(2, p);
        EXPECT_EQ(theViewProjection.GetZoom(), 1);
        EXPECT_DOUBLE_EQ(theViewProjection.Centre()[0], 5);
    }
    EXPECT_EQ(ModelRedraws(), 0);

    // A window of 50 x 20 pixels: ratios 4 and 5, the smaller wins.
    const POINT win[2] = {{120, 40}, {170, 60}};
    const double s = theViewProjection.GetScale();
    theViewProjection.ZoomWindowCallback(2, win);
    EXPECT_DOUBLE_EQ(theViewProjection.GetZoom(), 4);
    EXPECT_NEAR(theViewProjection.Centre()[0], 5 + 45 / s, 1e-12);
    EXPECT_NEAR(theViewProjection.Centre()[1], 5, 1e-12);
}

TEST_F(Projection, ThePlaneModelWorksInItsPlaneAndKeepsTheZoom)
{
    BindProjectionLink();
    PlanOfTenByTen();
    theViewProjection.SetZoom(2.5);
    theProjectOptions.EnterPlaneModelMode();
    EXPECT_EQ(theViewProjection.GetMode(), CViewProjection::kElevation);
    const double* e = theElevationPlane.m_equation.Coefficients();
    EXPECT_EQ((std::vector<double>{e[0], e[1], e[2], e[3]}), (std::vector<double>{1, 0, 0, 0}));
    // Refitted to the model, not reset: the zoom stays.
    EXPECT_EQ(theViewProjection.GetZoom(), 2.5);
    EXPECT_EQ(theProjectOptions.bAxisGridsInElevations, 1);
    theViewLink = ViewLink();
}

TEST_F(Projection, PanStepsAndDrags)
{
    PlanOfTenByTen();
    const double s = theViewProjection.GetScale();
    theViewProjection.PanUp();
    EXPECT_NEAR(theViewProjection.Centre()[1], 5 - 100 * 0.125 / s, 1e-12);
    theViewProjection.PanDown();
    theViewProjection.PanLeft();
    EXPECT_NEAR(theViewProjection.Centre()[0], 5 + 200 / 9.0 / s, 1e-12);
    theViewProjection.PanRight();
    EXPECT_NEAR(theViewProjection.Centre()[0], 5, 1e-12);
    // The picture follows the mouse; one picked point does nothing.
    const POINT drag[2] = {{10, 10}, {30, 40}};
    theViewProjection.MoveByPickedVector(1, drag);
    EXPECT_NEAR(theViewProjection.Centre()[0], 5, 1e-12);
    theViewProjection.PanDragCallback(2, drag);
    EXPECT_NEAR(theViewProjection.Centre()[0], 5 - 20 / s, 1e-12);
    EXPECT_NEAR(theViewProjection.Centre()[1], 5 + 30 / s, 1e-12);
    // Drag zoom: 30 + 20 pixels downwards is 0.3 less.
    theViewProjection.ZoomDragCallback(2, drag);
    EXPECT_NEAR(theViewProjection.GetZoom(), 0.7, 1e-12);
}

TEST_F(Projection, StandardViewsOnlyOnTheThreeDPlatform)
{
    const CVector before = theViewProjection.GetViewPoint();
    theViewProjection.ViewTop(0);
    EXPECT_EQ(theViewProjection.GetViewPoint()[2], before[2]);
    EXPECT_EQ(ModelRedraws(), 0);

    EXPECT_EQ(theViewProjection.SetMode(3, 0, 0, 1), 1);
    EXPECT_EQ(theViewProjection.SetMode(3, 0, 0, 1), 0);
    theViewProjection.SetZoom(2);
    theViewProjection.ViewTop(0);
    EXPECT_DOUBLE_EQ(theViewProjection.GetViewPoint()[2], 1);
    EXPECT_EQ(theViewProjection.GetZoom(), 1);
    double dir[3];
    theViewProjection.GetViewDir(dir);
    EXPECT_NEAR(dir[2], 1, 1e-12);
    theViewProjection.ViewRight(1);
    EXPECT_NEAR(theViewProjection.GetViewPoint()[0], 0.926921, 1e-6);
    EXPECT_NEAR(CVector::Dot(theViewProjection.GetViewPoint(), theViewProjection.GetScreenX()), 0, 1e-12);
}

TEST_F(Projection, SpinDragTurnsTheScreenAxisAboutTheViewingAxis)
{
    theViewProjection.SetMode(3, 1, 0, 0);
    const CVector dir = theViewProjection.GetViewPoint();
    // Far from the centre: a spin of a quarter turn.
    const POINT p[2] = {{199, 50}, {100, 0}};
    theViewProjection.RotateDragCallback(2, p);
    EXPECT_NEAR(CVector::Dot(theViewProjection.GetViewPoint(), dir), 1, 1e-9);
    EXPECT_NEAR(CVector::Dot(theViewProjection.GetViewPoint(), theViewProjection.GetScreenX()), 0, 1e-9);
    EXPECT_NEAR(theViewProjection.GetScreenX().Length(), 1, 1e-9);
}

TEST_F(Projection, ElevationFrameNeverPointsUpDownwards)
{
    theElevationPlane.m_equation.Set(0, -1, 0, 2);
    theElevationPlane.SetOrigin(nullptr);
    theViewProjection.SetMode(2, 0, 0, 0);
    theViewProjection.UpdateAxes();
    CTransferMatrix frame(theViewProjection.GetFrame());
    CTransferMatrix::Axes a = frame;
    EXPECT_GE(a[1][2], -0.0001);
    EXPECT_NEAR(a[2][1], -1, 1e-12);
    EXPECT_NEAR(frame.GetOrig()[1], 2, 1e-12);
}

TEST_F(Projection, ScaleLengthsScalesEveryLengthAndThePlatformHeight)
{
    PlanOfTenByTen();
    theViewProjection.SetPlatformHeight(3);
    theViewProjection.ScaleUnits(1000);
    EXPECT_DOUBLE_EQ(theViewProjection.GetPlatformHeight(), 3000);
    EXPECT_DOUBLE_EQ(theViewProjection.Centre()[0], 5000);
    EXPECT_DOUBLE_EQ(theViewProjection.GetExtent()[0], 10000);
    EXPECT_DOUBLE_EQ(theViewProjection.GetViewBox()[0], 10250);
    EXPECT_EQ(theViewProjection.GetZoom(), 1);
}

TEST_F(Projection, CopyLeavesWindowExtentHeightAndModeOfTheTarget)
{
    CViewProjection other;
    other.SetZoom(7);
    other.SetPlatformHeight(9);
    other.SetMode(3, 0, 0, 0);
    theViewProjection = other;
    EXPECT_EQ(theViewProjection.GetZoom(), 7);
    EXPECT_EQ(theViewProjection.GetPlatformHeight(), 0);
    EXPECT_EQ(theViewProjection.GetMode(), 1);
    EXPECT_EQ(theViewProjection.GetScreenRect().right, 200);
}

TEST_F(Projection, SetupGLLoadsTheFrameAndTheVisibleWindow)
{
    RecordingGl gl;
    SetGlApi(&gl);
    PlanOfTenByTen();
    theViewProjection.SetPlatformHeight(2);
    theViewProjection.UpdateAxes();
    theViewProjection.SetupGL();
    ASSERT_EQ(gl.lastMatrix.size(), 16u);
    EXPECT_EQ(gl.lastMatrix[0], 1);
    EXPECT_EQ(gl.lastMatrix[5], 1);
    EXPECT_EQ(gl.lastMatrix[15], 1);
    ASSERT_EQ(gl.ortho.size(), 6u);
    double minU, minV, maxU, maxV;
    theViewProjection.GetVisibleWindow(minU, minV, maxU, maxV);
    EXPECT_EQ(gl.ortho[0], minU);
    EXPECT_EQ(gl.ortho[3], maxV);
    EXPECT_EQ(gl.ortho[4], -theViewProjection.GetViewBox()[4]);
    EXPECT_EQ(gl.calls.back(), "MatrixMode:" + std::to_string(gl::kModelView));
    EXPECT_EQ(gl.Count("Viewport:0,0,200,100"), 1);
}

// ---- the project block ----------------------------------------------------------------------

namespace {

void KnownState()
{
    theViewProjection.SetMode(3, 0, 0, 0);
    for (int m = 1; m <= 3; ++m) {
        theViewProjection.CentreOf(m)[0] = 2 * m - 1;
        theViewProjection.CentreOf(m)[1] = 2 * m;
    }
    theViewProjection.SetZoom(2.5);
    theViewProjection.SetViewDirection(0, 0, 1);
    theViewProjection.SetPlatformHeight(3);
}

Bytes KnownBytes()
{
    return LeBytes()
        .f64(1)
        .f64(2)
        .f64(3)
        .f64(4)
        .f64(5)
        .f64(6)
        .f64(2.5)
        .f64(0)
        .f64(0)
        .f64(1)
        .f64(1)
        .f64(0)
        .f64(0)
        .f64(3)
        .i8(3);
}

}  // namespace

TEST_F(Projection, BlockIsTheHandWorked113Bytes)
{
    KnownState();
    const Bytes bytes = WrittenBytes([](bofstream& out) { EXPECT_TRUE(theViewProjection.Write(out)); });
    EXPECT_EQ(bytes.size(), size_t(CViewProjection::kBlockSize));
    EXPECT_EQ(bytes, KnownBytes());

    theViewProjection.SetDefaultView();
    ASSERT_TRUE(ReadBytes(bytes, [](bifstream& in) { return theViewProjection.Read(in); }));
    EXPECT_EQ(theViewProjection.GetMode(), 3);
    EXPECT_EQ(theViewProjection.GetZoom(), 2.5);
    EXPECT_EQ(WrittenBytes([](bofstream& out) { theViewProjection.Write(out); }), bytes);
}

TEST_F(Projection, TruncatedOrDamagedBlockChangesNothing)
{
    PlanOfTenByTen();
    const Bytes before = WrittenBytes([](bofstream& out) { theViewProjection.Write(out); });
    const Bytes good = KnownBytes();
    for (size_t n = 0; n < good.size(); ++n) {
        const Bytes cut(good.begin(), good.begin() + static_cast<long>(n));
        EXPECT_FALSE(ReadBytes(cut, [](bifstream& in) { return theViewProjection.Read(in); })) << n;
        ASSERT_EQ(WrittenBytes([](bofstream& out) { theViewProjection.Write(out); }), before) << n;
    }
    struct Damage {
        size_t at;
        Bytes with;
    } damages[] = {{112, {7}}, {48, F64(0)}, {48, F64(-1)}, {56, F64(NAN)}, {56, LeBytes().f64(0).f64(0).f64(0)}};
    for (const Damage& d : damages) {
        Bytes bad = good;
        std::copy(d.with.begin(), d.with.end(), bad.begin() + static_cast<long>(d.at));
        EXPECT_FALSE(ReadBytes(bad, [](bifstream& in) { return theViewProjection.Read(in); })) << d.at;
        EXPECT_EQ(WrittenBytes([](bofstream& out) { theViewProjection.Write(out); }), before) << d.at;
    }
}

TEST_F(Projection, OldBlocksFollowTheirVersion)
{
    theViewProjection.SetMode(2, 0, 0, 0);
    theViewProjection.SetPlatformHeight(4);
    // Version 650: centres, zoom, 73 skipped bytes, the direction, 32 skipped.
    const Bytes v650 =
        LeBytes().f64(1).f64(2).f64(3).f64(4).f64(5).f64(6).f64(1.5).skip(73).f64(1).f64(0).f64(0).skip(32);
    nPrjVersion = 650;
    ASSERT_TRUE(ReadBytes(v650, [](bifstream& in) { return theViewProjection.Read(in); }));
    EXPECT_EQ(theViewProjection.CentreOf(1)[0], 0);
    EXPECT_EQ(theViewProjection.CentreOf(3)[1], 0);
    EXPECT_EQ(theViewProjection.GetZoom(), 1.5);
    EXPECT_NEAR(CVector::Dot(theViewProjection.GetScreenX(), theViewProjection.GetViewPoint()), 0, 1e-12);
    EXPECT_NEAR(theViewProjection.GetScreenX().Length(), 1, 1e-12);
    EXPECT_EQ(theViewProjection.GetMode(), 2);
    EXPECT_EQ(theViewProjection.GetPlatformHeight(), 4);

    // Below 480 the block is passed over: 256 bytes, 272 below 400.
    for (int version : {450, 350}) {
        nPrjVersion = static_cast<int16_t>(version);
        const Bytes old = LeBytes().skip(version < 400 ? 272 : 256).i8(42);
        TempFile file("oldproj");
        ASSERT_TRUE(WriteFileBytes(file.path(), old));
        bifstream in;
        ASSERT_TRUE(in.Open(file.c_str()));
        EXPECT_TRUE(theViewProjection.Read(in));
        char next = 0;
        in >> next;
        EXPECT_EQ(next, 42) << version;
        EXPECT_EQ(theViewProjection.GetZoom(), 1.5);
    }
}
