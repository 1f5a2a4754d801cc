// The axis grids in the view: the lines, bubbles and spacings drawn on a
// recording device, picking of lines and grids, snapping to grid nodes and
// the grid nodes in the view's extent.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/vek/view/Recorders.h"
#include "tests/vek/view/ViewFixture.h"
#include "vek/model/axisgrid/AxisGrid.h"
#include "vek/view/axisgrid/AxisGridView.h"

using namespace vektest;

namespace {

CAxisGrid* Grid(int kind, std::vector<double> first, std::vector<double> second)
{
    CAxisGrid* g = new CAxisGrid;
    g->SetKind(kind);
    for (size_t i = 0; i < first.size(); ++i) g->First().Add(CAxisGridItem(int(i) + 1, first[i]));
    for (size_t i = 0; i < second.size(); ++i) g->Second().Add(CAxisGridItem(int(i) + 1, second[i]));
    return g;
}

POINT Pixel(double x, double y, double z = 0)
{
    const double p[3] = {x, y, z};
    int px, py;
    theViewProjection.WorldToScreenInt(p, px, py);
    return POINT{px, py};
}

bool Same(POINT a, POINT b)
{
    return a.x == b.x && a.y == b.y;
}

class AxisGridView : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        PlanOfTenByTen();
        theProjectOptions.bHiddenSurface = 0;
        theDisplayOptions.Switch(3) = 1;
        theDisplayOptions.Switch(4) = 0;
        theAxisGrids.RemoveAll();
        theGridNodes.SetSize(0);
    }
    void TearDown() override
    {
        theAxisGrids.RemoveAll();
        theGridNodes.SetSize(0);
        ViewTest::TearDown();
    }
    void Draw(const CAxisGrid& g, int colourIndex = 1)
    {
        BeginExternalDraw(&dc);
        DrawAxisGrid(g, colourIndex);
        EndExternalDraw();
    }
    RecordingDC dc;
};

}  // namespace

TEST_F(AxisGridView, RectangularLinesAreDottedBetweenTheOtherListsEnds)
{
    std::unique_ptr<CAxisGrid> g(Grid(CAxisGrid::kRectangular, {2, 8}, {1, 9}));
    g->First().GetAt(1)->slctit();
    Draw(*g, 3);
    // Two vertical lines from y = 1 to 9, then two horizontal from x = 2 to 8.
    const std::vector<POINT> expected = {Pixel(2, 1), Pixel(2, 9), Pixel(8, 1), Pixel(8, 9),
                                         Pixel(2, 1), Pixel(8, 1), Pixel(2, 9), Pixel(8, 9)};
    ASSERT_EQ(dc.lineEnds.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_TRUE(Same(dc.lineEnds[i], expected[i])) << i;
    const uint32_t third = 175 | 211 << 8 | 162 << 16;  // grid 3 of the fixed table
    ASSERT_EQ(dc.linePens.size(), 4u);
    EXPECT_EQ(dc.linePens[0].colour, third);
    EXPECT_EQ(dc.linePens[0].style, 2);                           // dotted
    EXPECT_EQ(dc.linePens[1].colour, theDisplayColors.m_select);  // the selected line
    EXPECT_EQ(dc.linePens[2].colour, third);
    EXPECT_TRUE(dc.ellipses.empty());  // no annotation without its switch

    // A selected grid draws in the selection colour; grid 1 in the axis colour.
    dc = RecordingDC();
    g->m_nFlags |= kObjSelected;
    Draw(*g, 1);
    for (const PenSpec& p : dc.linePens) EXPECT_EQ(p.colour, theDisplayColors.m_select);
    dc = RecordingDC();
    g->m_nFlags &= ~kObjSelected;
    g->First().GetAt(1)->unslctit();
    Draw(*g, 1);
    for (const PenSpec& p : dc.linePens) EXPECT_EQ(p.colour, theDisplayColors.m_axis[0]);
}

TEST_F(AxisGridView, BubblesNumbersAndSpacingsWithTheAnnotationSwitch)
{
    theDisplayOptions.Switch(4) = 1;
    theViewSettings.axisBubbleRadius = 3;
    std::unique_ptr<CAxisGrid> g(Grid(CAxisGrid::kRectangular, {2, 8}, {1, 9}));
    Draw(*g);
    // Each first-list line runs on by 5% of its span (0.4) below y = 1; its
    // bubble hangs 5 pixels below that end.
    ASSERT_EQ(dc.ellipses.size(), 4u);
    const int r = 3;
    for (int i = 0; i < 2; ++i) {
        const POINT end = Pixel(i == 0 ? 2 : 8, 1 - 0.4);
        const RECT& e = dc.ellipses[size_t(i)];
        EXPECT_EQ(e.left, end.x - r);
        EXPECT_EQ(e.top, end.y + 5);
        EXPECT_EQ(e.right, end.x + r + 1);
        EXPECT_EQ(e.bottom, end.y + 2 * r + 6);
    }
    // Second-list bubbles sit left of x = 2 - 0.3.
    const POINT end = Pixel(2 - 0.3, 1);
    EXPECT_EQ(dc.ellipses[2].left, end.x - 2 * r - 5);
    EXPECT_EQ(dc.ellipses[2].right, end.x - 4);
    EXPECT_EQ(dc.ellipses[2].top, end.y - r);
    // Texts: the numbers, and the spacing with its trailing zeros gone.
    const std::vector<std::string> texts = {"1", "6", "2", "1", "8", "2"};
    EXPECT_EQ(dc.texts, texts);
    EXPECT_EQ(dc.textPoints[0].x, Pixel(2, 0.6).x + 1);
    EXPECT_EQ(dc.textPoints[0].y, Pixel(2, 0.6).y + 5 + int(1.9 * r));
}

TEST_F(AxisGridView, TheBubbleIsHeldToTheWindowForThePictureOnly)
{
    theDisplayOptions.Switch(4) = 1;
    theViewSettings.axisBubbleRadius = 50;
    std::unique_ptr<CAxisGrid> g(Grid(CAxisGrid::kRectangular, {2}, {5}));
    Draw(*g);
    ASSERT_FALSE(dc.ellipses.empty());
    EXPECT_EQ(dc.ellipses[0].right - dc.ellipses[0].left, 2 * (100 / 30) + 1);
    EXPECT_EQ(theViewSettings.axisBubbleRadius, 50);
}

TEST_F(AxisGridView, LinesWithoutCrossingLinesSpanTheExtent)
{
    std::unique_ptr<CAxisGrid> g(Grid(CAxisGrid::kRectangular, {4}, {}));
    Draw(*g);
    ASSERT_EQ(dc.lineEnds.size(), 2u);
    EXPECT_TRUE(Same(dc.lineEnds[0], Pixel(4, 1)));
    EXPECT_TRUE(Same(dc.lineEnds[1], Pixel(4, 9)));
}

TEST_F(AxisGridView, PolarCirclesAreArcsEndingAtTheLastAngle)
{
    std::unique_ptr<CAxisGrid> g(Grid(CAxisGrid::kPolar, {2, 4}, {0, 90}));
    g->SetOrigin(5, 5, 0);
    Draw(*g);
    ASSERT_EQ(dc.polylines.size(), 2u);
    const std::vector<POINT>& arc = dc.polylines[1];
    EXPECT_TRUE(Same(arc.front(), Pixel(9, 5)));
    EXPECT_TRUE(Same(arc.back(), Pixel(5, 9)));
    EXPECT_EQ(arc.size(), size_t(1.5707963 / 0.02) + 2);
    // Two radial lines from radius 2 to 4.
    ASSERT_EQ(dc.lineEnds.size(), 4u);
    EXPECT_TRUE(Same(dc.lineEnds[0], Pixel(7, 5)));
    EXPECT_TRUE(Same(dc.lineEnds[3], Pixel(5, 9)));

    // A whole turn stops one degree short.
    dc = RecordingDC();
    std::unique_ptr<CAxisGrid> full(Grid(CAxisGrid::kPolar, {4}, {0, 360}));
    full->SetOrigin(5, 5, 0);
    Draw(*full);
    const double a = 359 * 0.017453292519943295;
    EXPECT_TRUE(Same(dc.polylines[0].back(), Pixel(5 + 4 * std::cos(a), 5 + 4 * std::sin(a))));
}

TEST_F(AxisGridView, PickingLinesOfEachKind)
{
    struct Case {
        int kind;
        double cx, cy;  // model point clicked
        int hit, list, index;
    };
    const Case cases[] = {
        {CAxisGrid::kRectangular, 8.05, 5, 1, 0, 1},
        {CAxisGrid::kRectangular, 5, 1.05, 1, 1, 0},
        {CAxisGrid::kRectangular, 5, 5, 0, 0, 0},
        // Beyond a line's end but within the 8 units it is lengthened by.
        {CAxisGrid::kRectangular, 2, 9.5, 1, 0, 0},
        {CAxisGrid::kPolar, 1 + 3, 1.02, 1, 1, 0},                     // on the radial line at 0 degrees
        {CAxisGrid::kPolar, 1 + 2 * 0.7071, 1 + 2 * 0.7071, 1, 0, 0},  // on the circle of radius 2 at 45 degrees
        {CAxisGrid::kPolar, 1 - 2, 1, 0, 0, 0},                        // on that circle, outside the angles
    };
    // About 95 pixels a unit: the 20-pixel reach of a line is 0.2 units.
    theViewProjection.SetScreenRect(0, 0, 2000, 1000);
    PlanOfTenByTen();
    for (const Case& c : cases) {
        std::unique_ptr<CAxisGrid> g(c.kind == CAxisGrid::kRectangular ? Grid(c.kind, {2, 8}, {1, 9})
                                                                       : Grid(c.kind, {2, 4}, {0, 90}));
        if (c.kind == CAxisGrid::kPolar) g->SetOrigin(1, 1, 0);
        const POINT p = Pixel(c.cx, c.cy);
        int list = -1, index = -1;
        ASSERT_EQ(PickAxis(*g, p.x, p.y, list, index), c.hit) << c.cx << "," << c.cy;
        if (c.hit) {
            EXPECT_EQ(list, c.list) << c.cx << "," << c.cy;
            EXPECT_EQ(index, c.index) << c.cx << "," << c.cy;
        }
    }
}

TEST_F(AxisGridView, PickingGridsSelectsOrTogglesAllUnderThePoint)
{
    theAxisGrids.Add(Grid(CAxisGrid::kRectangular, {5}, {1, 9}));
    theAxisGrids.Add(Grid(CAxisGrid::kRectangular, {5}, {2, 8}));
    theAxisGrids.Add(Grid(CAxisGrid::kRectangular, {5}, {2, 8}));
    theAxisGrids.GetAt(2)->SetVisible(false);
    const POINT p = Pixel(5, 5);
    EXPECT_EQ(PickAxisGrids(p.x, p.y, 0), 1);
    EXPECT_TRUE(theAxisGrids.GetAt(0)->IsSelected());
    EXPECT_TRUE(theAxisGrids.GetAt(1)->IsSelected());
    EXPECT_FALSE(theAxisGrids.GetAt(2)->IsSelected());
    EXPECT_EQ(PickAxisGrids(p.x, p.y, 0), 1);  // stays selected
    EXPECT_TRUE(theAxisGrids.GetAt(0)->IsSelected());
    EXPECT_EQ(PickAxisGrids(p.x, p.y, 1), 1);
    EXPECT_FALSE(theAxisGrids.GetAt(0)->IsSelected());
    EXPECT_FALSE(theAxisGrids.GetAt(1)->IsSelected());
    EXPECT_EQ(PickAxisLine(p.x, p.y, 0), 1);
    EXPECT_TRUE(theAxisGrids.GetAt(0)->First().GetAt(0)->isslcted());
    const POINT away = Pixel(0.2, 5);
    EXPECT_EQ(PickAxisGrids(away.x, away.y, 0), 0);
    // Not in the 3-D view, not with the grids hidden.
    theViewProjection.SetMode(CViewProjection::kFree3D, 0, 0, 0);
    EXPECT_EQ(PickAxisGrids(p.x, p.y, 0), 0);
    theViewProjection.SetMode(CViewProjection::kPlan, 0, 0, 0);
    theDisplayOptions.Switch(3) = 0;
    EXPECT_EQ(PickAxisGrids(p.x, p.y, 0), 0);
}

TEST_F(AxisGridView, SnappingTakesTheNearestNodeWithinTheAperture)
{
    theAxisGrids.Add(Grid(CAxisGrid::kRectangular, {2, 3}, {5}));
    theViewProjection.SetPlatformHeight(7);
    RegenerateGridNodes();
    ASSERT_EQ(theGridNodes.GetSize(), 2);
    double out[3];
    POINT p = Pixel(2.9, 5.1, 7);
    ASSERT_EQ(SnapToGridNode(p.x, p.y, out), 1);
    EXPECT_EQ(out[0], 3);
    EXPECT_EQ(out[1], 5);
    EXPECT_EQ(out[2], 7);
    // The aperture is 8 pixels; the scale here is 8 pixels a unit.
    const double scale = theViewProjection.GetScale();
    p = Pixel(3 + 12 / scale, 5, 7);
    EXPECT_EQ(SnapToGridNode(p.x, p.y, out), 0);
    theViewProjection.SetMode(CViewProjection::kFree3D, 0, 0, 0);
    p = Pixel(3, 5, 7);
    EXPECT_EQ(SnapToGridNode(p.x, p.y, out), 0);
}

TEST_F(AxisGridView, GridNodesWidenTheExtentOfAFit)
{
    theViewHooks.addGridExtent = AddGridNodesToExtent;
    CAxisGrid* g = Grid(CAxisGrid::kRectangular, {0, 100}, {-50, 40});
    theAxisGrids.Add(g);
    RegenerateGridNodes();
    theViewProjection.ZoomExtents(1, 0, 1);
    const double* e = theViewProjection.GetExtent();
    EXPECT_EQ(e[0], 100);
    EXPECT_EQ(e[3], 0);
    EXPECT_EQ(e[1], 40);
    EXPECT_EQ(e[4], -50);
}
