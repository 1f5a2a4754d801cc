// Load symbols: the common scale, rows of arrows and their labels, member
// load positions, moments, cables, and rows bounded when the scale is 0.
#include <gtest/gtest.h>

#include "korvalib/model/LoadRecords.h"
#include "korvalib/model/NodeRecords.h"
#include "tests/vek/view/Recorders.h"
#include "tests/vek/view/ViewFixture.h"
#include "vek/view/LoadSymbols.h"

using namespace vektest;

namespace {

class LoadSymbols : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        PlanOfTenByTen();
        theProjectOptions.bHiddenSurface = 0;
        ClearLargestLoadSources();
        BeginExternalDraw(&dc);
    }
    void TearDown() override
    {
        EndExternalDraw();
        ClearLargestLoadSources();
        ViewTest::TearDown();
    }
    // Arrows drawn: each single head is one filled triangle.
    int Heads() const { return dc.Count("Polygon3"); }
    RecordingDC dc;
    LoadSymbolScale scale;
};

const double kDown[3] = {0, -1, 0};

}  // namespace

TEST_F(LoadSymbols, ScaleFollowsTheExtentAndTheLargestLoad)
{
    scale.Update();
    EXPECT_DOUBLE_EQ(scale.baseLength, 20.0 / 40);
    EXPECT_DOUBLE_EQ(scale.lengthPerUnit, scale.baseLength / 10);
    AddLargestLoadSource([] { return 25.0; });
    AddLargestLoadSource([] { return 5.0; });
    theProjectOptions.fLoadDisplayScale = 2;
    scale.Update();
    EXPECT_DOUBLE_EQ(scale.baseLength, 1.0);
    EXPECT_DOUBLE_EQ(scale.lengthPerUnit, 1.0 / 25);

    DFrameLoad frame;
    const float x[2] = {0, 1}, v[2] = {3, -40};
    frame.m_Points[2][4].SetPoints(2, x, v);
    EXPECT_EQ(LargestLoad(frame), 40);
    DShellLoad shell;
    shell.m_fValues[3][7] = -9;
    EXPECT_EQ(LargestLoad(shell), 9);
}

TEST_F(LoadSymbols, RowArrowCountFollowsItsLength)
{
    scale.baseLength = 1;
    scale.lengthPerUnit = 0.1;
    struct Case {
        double length;
        int arrows;
    } cases[] = {{1.9, 5}, {0.3, 2}, {0.8, 3}};
    for (const Case& c : cases) {
        const int before = Heads();
        const double a[3] = {1, 5, 0}, b[3] = {1 + c.length, 5, 0};
        LoadArrowRow row;
        row.second = b;
        row.q1 = row.q2 = 10;
        row.direction = kDown;
        EXPECT_EQ(DrawLoadArrowRow(scale, a, row), c.arrows);
        EXPECT_EQ(Heads() - before, c.arrows) << c.length;
    }
    // Both ends below 1e-10: nothing, not even the joining line.
    const int lines = dc.Count("LineTo");
    const double a[3] = {1, 5, 0}, b[3] = {3, 5, 0};
    LoadArrowRow none;
    none.second = b;
    none.direction = kDown;
    EXPECT_EQ(DrawLoadArrowRow(scale, a, none), 0);
    EXPECT_EQ(dc.Count("LineTo"), lines);
}

TEST_F(LoadSymbols, ABaseLengthOfZeroStillGivesAFiniteRow)
{
    // A model that is one point: the extent has no size.
    const double p[3] = {2, 2, 2};
    theViewProjection.SetExtent(p, p);
    scale.Update();
    EXPECT_EQ(scale.baseLength, 0);
    const double a[3] = {1, 5, 0}, b[3] = {6, 5, 0};
    LoadArrowRow row;
    row.second = b;
    row.q1 = row.q2 = 1;
    row.direction = kDown;
    EXPECT_EQ(DrawLoadArrowRow(scale, a, row), 0);  // arrows of length 0 draw nothing
    scale.baseLength = 1e-9;
    scale.lengthPerUnit = 1;
    EXPECT_EQ(DrawLoadArrowRow(scale, a, row), kMaxRowArrows + 1);
}

TEST_F(LoadSymbols, LabelsOfUniformAndVaryingRows)
{
    scale.baseLength = 1;
    scale.lengthPerUnit = 0.1;
    const double a[3] = {1, 5, 0}, b[3] = {3, 5, 0};
    LoadArrowRow row;
    row.second = b;
    row.q1 = row.q2 = 2.5;
    row.direction = kDown;
    row.labelFirst = row.labelLast = 1;
    DrawLoadArrowRow(scale, a, row);
    ASSERT_EQ(dc.texts.size(), 1u);
    EXPECT_EQ(dc.texts[0], "2.5");
    dc.texts.clear();
    row.q2 = -4;
    DrawLoadArrowRow(scale, a, row);
    ASSERT_EQ(dc.texts.size(), 2u);
    EXPECT_EQ(dc.texts[0], "2.5");
    EXPECT_EQ(dc.texts[1], "-4");
}

TEST_F(LoadSymbols, ArrowsEndOnThePointAndNegativeValuesPointBack)
{
    scale.lengthPerUnit = 0.5;
    const double p[3] = {5, 5, 0};
    double tail[3];
    ASSERT_EQ(DrawLoadArrow(scale, p, kDown, 4, nullptr, 0xFF, nullptr, 0, 0, tail), 1);
    EXPECT_DOUBLE_EQ(tail[1], 7);
    ASSERT_EQ(DrawLoadArrow(scale, p, kDown, -4, nullptr, 0xFF, nullptr, 0, 0, tail), 1);
    EXPECT_DOUBLE_EQ(tail[1], 3);
    EXPECT_EQ(DrawLoadArrow(scale, p, kDown, 5e-11, nullptr, 0xFF, nullptr, 0, 0, tail), 0);
    EXPECT_EQ(tail[1], 5);
}

TEST_F(LoadSymbols, NodeMomentIsADoubleArrowAsLongAsTheForce)
{
    scale.lengthPerUnit = 0.1;
    DNodeLoad load;
    load.m_fForce[1] = 10;  // force in y
    load.m_fForce[4] = 10;  // moment about y
    const double p[3] = {5, 5, 0};
    DrawNodeLoad(scale, p, load, 0xFF, 0);
    EXPECT_EQ(Heads(), 3);
    // Both shafts run from 1 unit below the node up to it.
    ASSERT_EQ(dc.lineEnds.size(), 4u);
    EXPECT_EQ(dc.lineEnds[0].y, dc.lineEnds[2].y);
    EXPECT_EQ(dc.lineEnds[1].y, dc.lineEnds[3].y);
}

TEST_F(LoadSymbols, MemberLoadPositionsAbsoluteOrRelative)
{
    scale.lengthPerUnit = 0.1;
    DFrameLoad load;
    const float x[1] = {-0.5f}, v[1] = {10};
    load.m_Points[2][1].SetPoints(1, x, v);  // a force along global y at half the length
    const double p1[3] = {0, 0, 0}, p2[3] = {8, 0, 0};
    const double axes[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    DrawFrameLoad(scale, p1, p2, axes, load, 0xFF, 0);
    ASSERT_EQ(dc.lineEnds.size(), 2u);
    const double mid[3] = {4, 0, 0};
    int x0, y0;
    theViewProjection.WorldToScreenInt(mid, x0, y0);
    EXPECT_EQ(dc.lineEnds[1].x, x0);
    EXPECT_EQ(dc.lineEnds[1].y, y0);
}

TEST_F(LoadSymbols, CableOrdinatesFollowTheParabola)
{
    CableProfile c;
    c.y1 = 0;
    c.y2 = -0.5f;
    c.y3 = 0;
    c.span = 10;
    EXPECT_NEAR(c.Ordinate(5), -0.5, 1e-7);
    EXPECT_NEAR(c.Ordinate(0), 0, 1e-7);
    EXPECT_NEAR(c.Ordinate(10), 0, 1e-7);
    EXPECT_NEAR(c.Ordinate(2.5), -0.375, 1e-7);
    // A member from 2.5 to 7.5 shows the middle of it.
    c.start = 2.5;
    c.end = 7.5;
    const double p1[3] = {0, 5, 0}, p2[3] = {10, 5, 0}, up[3] = {0, 1, 0};
    DrawPrestressCable(p1, p2, up, c, 0xFF);
    ASSERT_FALSE(dc.lineEnds.empty());
    const double lowest[3] = {5, 4.5, 0};
    int x, y;
    theViewProjection.WorldToScreenInt(lowest, x, y);
    int deepest = 0;
    for (const POINT& p : dc.lineEnds) deepest = std::max(deepest, int(p.y));
    EXPECT_NEAR(deepest, y, 1);
}

TEST_F(LoadSymbols, WallPressureInPlanIsOneRowAlongTheTopEdge)
{
    scale.baseLength = 10;
    scale.lengthPerUnit = 0.1;
    DWallLoad load;
    load.m_fValue = 3;
    const double c[4][3] = {{1, 1, 0}, {9, 1, 0}, {9, 1, 3}, {1, 1, 3}};
    DrawWallLoad(scale, c, load, 0xFF, 1);
    EXPECT_EQ(Heads(), 3);           // 8 units at 4 a step: n = 2
    ASSERT_EQ(dc.texts.size(), 1u);  // uniform: the middle arrow only
    EXPECT_EQ(dc.texts[0], "3");
    EXPECT_EQ(LoadSymbolColour(2, 0x1234), 0x1234u);
    EXPECT_EQ(LoadSymbolColour(3, 0x1234), theDisplayColors.m_select);
    EXPECT_EQ(LoadSymbolColour(1, 0x1234), theDisplayColors.m_back);
}
