// Nodes and springs on the drawing layer's recording device, and picking
// them by their window positions.
#include <cmath>

#include "tests/vek/elements/NodeTestSupport.h"
#include "tests/vek/view/Recorders.h"
#include "vek/elements/line/nodes/NodeDraw.h"
#include "vek/elements/line/nodes/NodePick.h"
#include "vek/view/DisplayColors.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/ViewSettings.h"
#include "vek/view/draw/DrawLayer.h"
#include "vek/view/passes/DrawModel.h"

namespace vektest {
namespace {

class RecordingHost : public CDrawHost {
public:
    RecordingDC dc;
    CDrawDC* BeginSession() override { return &dc; }
    void EndSession() override {}
    void RefreshNow() override {}
};

class NodeDrawing : public NodeModelTest {
protected:
    void SetUp() override
    {
        NodeModelTest::SetUp();
        theViewSettings = CViewSettings();
        theProjectOptions.bHiddenSurface = 0;  // GDI drawing
        theDisplayColors.SetDefaults();
        theViewProjection.SetScreenRect(0, 0, 200, 100);
        theViewProjection.SetDefaultView();
        const double hi[3] = {10, 10, 0}, lo[3] = {0, 0, 0};
        theViewProjection.SetExtent(hi, lo);
        theViewProjection.ZoomExtents(0, 0, 1);
        theDisplayRange.ranges[0] = {1, 100, 1};
        SetDrawHost(&host);
    }
    void TearDown() override
    {
        SetDrawHost(nullptr);
        NodeModelTest::TearDown();
    }
    // Whether a pen of that colour was made for the lines drawn.
    bool PenMade(uint32_t colour) const
    {
        for (const RecordingDC::Object& o : host.dc.objects)
            if (o.kind == RecordingDC::kPen && o.pen.colour == colour) return true;
        return false;
    }
    void Draw(int id)
    {
        host.dc = RecordingDC();
        CDrawSession session;
        N(id).Draw();
    }
    static POINT Pixel(int id)
    {
        int x, y;
        N(id).GetScreenPoint(x, y, 1);
        return POINT{x, y};
    }
    RecordingHost host;
};

TEST_F(NodeDrawing, MarkerColourFollowsTheFlags)
{
    const int a = Node(5, 5, 0);
    Draw(a);
    EXPECT_TRUE(PenMade(theDisplayColors.m_ele[kNodeColourIndex]));
    ASSERT_GE(host.dc.lineEnds.size(), 4u);
    const POINT p = Pixel(a);
    // The cross: a horizontal and a vertical stroke through the node's pixel.
    EXPECT_LE(std::abs(host.dc.lineEnds[0].y - p.y), 1);
    EXPECT_LE(std::abs(host.dc.lineEnds[2].x - p.x), 1);

    N(a).m_nFlags |= kObjSelected;
    Draw(a);
    EXPECT_TRUE(PenMade(theDisplayColors.m_select));
    N(a).m_nFlags &= ~kObjLive;
    Draw(a);
    EXPECT_TRUE(PenMade(theDisplayColors.m_back));
    N(a).m_nFlags = (N(a).m_nFlags | kObjLive) & ~kObjSelected;
    theDisplayColors.m_toLayer = 1;
    theLayers[0].colour = 0x123456;
    Draw(a);
    EXPECT_TRUE(PenMade(0x123456));
}

// The model drawing pass reaches the nodes: a shown node gives its marker,
// one outside the display range nothing.
TEST_F(NodeDrawing, TheModelPassDrawsTheShownNodes)
{
    const int a = Node(5, 5, 0);
    host.dc = RecordingDC();
    {
        CDrawSession session;  // the view's paint
        DrawModel(0);
    }
    const size_t one = host.dc.lineEnds.size();
    EXPECT_GE(one, 4u);

    theDisplayRange.ranges[0] = {2, 100, 1};
    N(a).UpdateRangeFlags();
    host.dc = RecordingDC();
    {
        CDrawSession session;
        DrawModel(0);
    }
    EXPECT_LT(host.dc.lineEnds.size(), one);
}

TEST_F(NodeDrawing, RestraintAndLoadSymbolsUnderTheirSwitches)
{
    const int a = Node(5, 5, 0);
    N(a).m_cRestraint = 0x07;
    const double v[6] = {0, 0, -10, 0, 0, 0};
    N(a).m_Loads.Insert(1, FindOrAddNodeLoad(CSixDoubles(v)));
    theDisplayOptions.Switch(7) = 0;
    theDisplayOptions.Switch(26) = 0;
    Draw(a);
    const size_t plain = host.dc.lineEnds.size();
    EXPECT_FALSE(PenMade(theDisplayColors.m_rest));
    theDisplayOptions.Switch(7) = 1;
    Draw(a);
    EXPECT_TRUE(PenMade(theDisplayColors.m_rest));
    EXPECT_GT(host.dc.lineEnds.size(), plain);
    theDisplayOptions.Switch(26) = 1;
    theProjectOptions.nCurrentLoadCase = 2;  // no load in case 2
    Draw(a);
    EXPECT_FALSE(PenMade(theDisplayColors.m_eleLoad[0]));
    theProjectOptions.nCurrentLoadCase = 1;
    Draw(a);
    EXPECT_TRUE(PenMade(theDisplayColors.m_eleLoad[0]));
}

TEST_F(NodeDrawing, Labels)
{
    const int a = Node(5, 5, 0);
    N(a).m_nTower = 3;
    N(a).m_dTemperature = 12.5;
    theDisplayOptions.Switch(0) = 1;
    theDisplayOptions.Switch(kTowerSwitch) = 1;
    theDisplayOptions.Switch(26) = 1;
    Draw(a);
    EXPECT_EQ(host.dc.texts, std::vector<std::string>({"1", "塔3", "12.5"}));
    N(a).m_nFlags &= ~kNodeLabels;
    Draw(a);
    EXPECT_TRUE(host.dc.texts.empty());
}

TEST_F(NodeDrawing, SpringsZigzagWithAGroundMark)
{
    const int a = Node(2, 5, 0), b = Node(8, 5, 0);
    CSpring link;
    link.m_nNodeI = a;
    link.m_nNodeJ = b;
    link.m_dK = 1;
    theSprings.Add(link);
    host.dc = RecordingDC();
    {
        CDrawSession session;
        theSprings.GetAt(0)->Draw();
    }
    EXPECT_TRUE(PenMade(theDisplayColors.m_spring));
    const size_t linkLines = host.dc.lineEnds.size();
    EXPECT_EQ(linkLines, 18u);  // nine strokes of the zigzag
    EXPECT_EQ(host.dc.texts, std::vector<std::string>({"1"}));
    CSpring ground;
    ground.m_nNodeI = a;
    ground.m_dK = 1;
    ground.m_dDir[1] = -1;
    theSprings.Add(ground);
    host.dc = RecordingDC();
    {
        CDrawSession session;
        theSprings.GetAt(1)->Draw();
    }
    EXPECT_EQ(host.dc.lineEnds.size(), linkLines + 2);  // and the ground mark
}

TEST_F(NodeDrawing, PickTheNearestNode)
{
    const int a = Node(5, 5, 0), b = Node(5.2, 5, 0);
    for (int id : {a, b}) N(id).UpdateRangeFlags();
    const POINT pa = Pixel(a);
    EXPECT_EQ(PickNearestNode(pa.x - 1, pa.y, 1, 0), 1);
    EXPECT_TRUE(N(a).IsSelected());
    EXPECT_FALSE(N(b).IsSelected());
    EXPECT_EQ(PickNearestNode(pa.x, pa.y, 0, 0), 1);  // Shift: stays selected
    EXPECT_TRUE(N(a).IsSelected());
    EXPECT_EQ(PickNearestNode(pa.x, pa.y, 1, 0), 1);  // a plain click takes it back
    EXPECT_FALSE(N(a).IsSelected());
    const double r = 3.0 * theProjectOptions.nSnapTargetSize;
    EXPECT_EQ(PickNearestNode(pa.x, pa.y - r - 2, 1, 0), 0);
    for (int id : {a, b}) N(id).m_nFlags &= ~kObjStateMask;  // not shown: not picked
    EXPECT_EQ(PickNearestNode(pa.x, pa.y, 1, 0), 0);
}

TEST_F(NodeDrawing, WindowAndRegionTakeTheNodesStrictlyInside)
{
    const int a = Node(2, 2, 0), b = Node(8, 8, 0);
    for (int id : {a, b}) N(id).UpdateRangeFlags();
    const POINT pa = Pixel(a);
    const double c1[2] = {double(pa.x - 3), double(pa.y - 3)}, c2[2] = {double(pa.x + 3), double(pa.y + 3)};
    EXPECT_EQ(SelectNodesInWindow(c1, c2, 1), 1);
    EXPECT_TRUE(N(a).IsSelected());
    EXPECT_FALSE(N(b).IsSelected());
    const double edge[2] = {double(pa.x), double(pa.y + 5)};  // the node on the window's edge
    EXPECT_EQ(SelectNodesInWindow(edge, c2, 1), 0);
    const POINT pb = Pixel(b);
    const double tri[3][2] = {
        {double(pb.x - 5), double(pb.y + 5)}, {double(pb.x + 5), double(pb.y + 5)}, {double(pb.x), double(pb.y - 5)}};
    EXPECT_EQ(SelectNodesInRegion(3, tri, 1), 1);
    EXPECT_TRUE(N(b).IsSelected());
    EXPECT_EQ(UnselectAllNodes(), 1);
    EXPECT_EQ(FirstSelectedNode(), 0);
}

TEST_F(NodeDrawing, PlanPicksCarryToTheOtherShownStoreys)
{
    TestProjection view;
    view.mode = 1;
    Storeys({3, 3});
    const int low = Node(5, 5, 3), high = Node(5, 5, 6);
    theLevels.current = 2;
    theLevelRange.first = 1;
    theLevelRange.last = 2;
    for (int id : {low, high}) N(id).UpdateRangeFlags();
    ASSERT_EQ(N(low).GetDisplayBits(), 2);
    ASSERT_EQ(N(high).GetDisplayBits(), 1);
    const POINT p = Pixel(high);
    EXPECT_EQ(PickNearestNode(p.x, p.y, 1, 0), 1);
    EXPECT_FALSE(N(low).IsSelected());
    EXPECT_EQ(PickNearestNode(p.x, p.y, 1, 1), 1);  // deselects, and the storey below follows
    EXPECT_EQ(PickNearestNode(p.x, p.y, 1, 1), 1);
    EXPECT_TRUE(N(high).IsSelected());
    EXPECT_TRUE(N(low).IsSelected());
}

TEST_F(NodeDrawing, PickSprings)
{
    const int a = Node(2, 5, 0), b = Node(8, 5, 0);
    for (int id : {a, b}) N(id).UpdateRangeFlags();
    CSpring link;
    link.m_nNodeI = a;
    link.m_nNodeJ = b;
    link.m_dK = 1;
    theSprings.Add(link);
    CSpring* s = theSprings.GetAt(0);
    s->UpdateRangeFlags();
    const POINT pa = Pixel(a), pb = Pixel(b);
    const double mx = (pa.x + pb.x) / 2.0, my = (pa.y + pb.y) / 2.0;
    EXPECT_EQ(PickNearestSpring(mx, my + 2, 1), 1);
    EXPECT_TRUE(s->IsSelected());
    EXPECT_EQ(PickNearestSpring(mx, my + 40, 1), 0);
    const double c1[2] = {double(pa.x - 2), double(pa.y - 2)}, c2[2] = {double(pb.x + 2), double(pb.y + 2)};
    EXPECT_EQ(SelectSpringsInWindow(c1, c2, 1), 1);
    EXPECT_FALSE(s->IsSelected());  // a second hit with a plain click deselects
}

// Fitting the window takes the nodes of the storeys shown, and only those.
TEST_F(NodeDrawing, ZoomExtentsFitsTheShownNodes)
{
    Storeys({3.0, 3.0});
    const int a = Node(-2, 1, 0.5), b = Node(8, 4, 2.5), c = Node(30, 40, 5.0);
    for (int id : {a, b, c}) N(id).UpdateLevel();
    ASSERT_EQ(N(a).m_nStorey, 1);
    ASSERT_EQ(N(c).m_nStorey, 2);
    for (int s = -1; s <= 2; ++s) theLevels.Shown(s) = 1;
    theLevels.Shown(2) = 0;  // the upper storey is hidden
    theViewProjection.ZoomExtents(1, 0, 1);
    const double* e = theViewProjection.GetExtent();
    const double expected[6] = {8, 4, 2.5, -2, 1, 0.5};
    for (int i = 0; i < 6; ++i) EXPECT_DOUBLE_EQ(e[i], expected[i]) << i;
    // Every storey shown: the top node widens the box.
    theLevels.Shown(2) = 1;
    theViewProjection.ZoomExtents(1, 0, 1);
    EXPECT_DOUBLE_EQ(theViewProjection.GetExtent()[0], 30);
    EXPECT_DOUBLE_EQ(theViewProjection.GetExtent()[1], 40);
}

}  // namespace
}  // namespace vektest
