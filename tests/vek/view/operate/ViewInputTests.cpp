// The view's mouse and keys as the operations see them: clicks, drags,
// the middle-button pan, the wheel, cursors, context menus, the edge pan.
#include <cmath>

#include "tests/vek/view/operate/OperateFixture.h"

using namespace optest;

namespace {

std::vector<std::string>& Asked()
{
    static std::vector<std::string> asked;
    return asked;
}
std::string Pt(POINT p)
{
    return std::to_string(p.x) + "," + std::to_string(p.y);
}
const CPickRoutines kLogging = {[](int x, int y, int, int) {
                                    Asked().push_back("point " + std::to_string(x) + "," + std::to_string(y));
                                    return 1;
                                },
                                [](POINT a, POINT b, int, int) {
                                    Asked().push_back("window " + Pt(a) + " " + Pt(b));
                                    return 1;
                                },
                                nullptr,
                                nullptr,
                                nullptr,
                                nullptr};

class ViewInputTest : public OperateTest {
protected:
    void SetUp() override
    {
        OperateTest::SetUp();
        Asked().clear();
        RegisterPickRoutines(EPickKind::Nodes, &kLogging);
        theSelectFilter.SelectNodes(1);
    }
    static void LineRecord()
    {
        auto* op = new CSingleOperate;
        op->SetPickPoints(80, Record, 2, 1);
        theOperationStack.BeginOperation(op, 0, 1, 0);
    }
};

}  // namespace

TEST_F(ViewInputTest, PressDragReleaseSelectsAWindowAndAShortOneClicks)
{
    ViewInput::OnLButtonDown(10, 10);
    ASSERT_NE(Top(), nullptr);
    EXPECT_EQ(Top()->m_nCode, 750);
    ViewInput::OnMouseMove(40, 30);
    ViewInput::OnMouseMove(60, 60);
    ViewInput::OnLButtonUp(60, 60);
    EXPECT_EQ(Asked(), std::vector<std::string>{"window 60,60 10,10"});
    EXPECT_EQ(Top(), nullptr);

    Asked().clear();
    ViewInput::OnLButtonDown(100, 50);
    ViewInput::OnMouseMove(103, 53);
    ViewInput::OnLButtonUp(103, 53);
    EXPECT_EQ(Asked(), std::vector<std::string>{"point 101,51"});
}

TEST_F(ViewInputTest, AClickGivesTheSnapTheNodeTheGridOrTheWorkPlane)
{
    Family nodes(EFamily::Nodes);
    nodes.Node(1, 2, 3, 0);
    for (auto& item : nodes.items) item.obj.UpdateRangeFlags();
    LineRecord();
    // The nearest shown node within the aperture.
    const POINT n = Pixel(2, 3);
    ViewInput::OnLButtonDown(n.x + 3, n.y - 2);
    ASSERT_EQ(Top()->PointCount(), 1);
    EXPECT_EQ(Top()->m_points[0], (Point3{2, 3, 0}));

    // Nothing near: the grid node when the axis grid has one, else the work plane.
    static const double grid[3] = {7, 7, 0};
    theOperateLinks.snapToGridNode = [](int, int, double out[3]) {
        std::copy(grid, grid + 3, out);
        return true;
    };
    const POINT away = Pixel(8, 2);
    ViewInput::OnLButtonDown(away.x, away.y);
    ASSERT_EQ(Calls().calls.size(), 1u);
    EXPECT_EQ(Calls().calls[0].points[1], (Point3{7, 7, 0}));
    theOperateLinks.snapToGridNode = nullptr;
    ViewInput::OnLButtonDown(away.x, away.y);
    double p[3];
    theViewProjection.ScreenToWorldInt(away.x, away.y, p);
    EXPECT_EQ(Top()->m_points[0], (Point3{p[0], p[1], p[2]}));

    // A snap comes first; plain screen points come before the nodes.
    theOperationStack.EndAllOperations();
    LineRecord();
    theProjectOptions.nPickOption = 1;
    ViewInput::OnLButtonDown(n.x + 3, n.y - 2);
    theViewProjection.ScreenToWorldInt(n.x + 3, n.y - 2, p);
    EXPECT_EQ(Top()->m_points[0], (Point3{p[0], p[1], p[2]}));

    // In the free 3-D view a click on nothing is dropped.
    theOperationStack.EndAllOperations();
    theProjectOptions.nPickOption = 0;
    theViewProjection.SetMode(CViewProjection::kFree3D, 0, 0, 0);
    LineRecord();
    ViewInput::OnLButtonDown(1, 1);
    EXPECT_EQ(Top()->PointCount(), 0);
    EXPECT_EQ(host.flashes, std::vector<std::string>{"没有捕捉到任何点!/500"});
}

TEST_F(ViewInputTest, MiddleButtonPansAndTheLineGoesOnWithItsPoints)
{
    LineRecord();
    ViewInput::OnLButtonDown(20, 20);
    ASSERT_EQ(Top()->PointCount(), 1);
    const double before[2] = {theViewProjection.Centre()[0], theViewProjection.Centre()[1]};
    ViewInput::OnMButtonDown(50, 50);
    EXPECT_EQ(theOperationStack.Depth(), 2);
    EXPECT_EQ(host.cursor, ViewInput::kCursorPan);
    EXPECT_TRUE(host.viewCapture);
    ViewInput::OnMouseMove(90, 70);
    const double scale = theViewProjection.GetScale();
    EXPECT_NEAR(theViewProjection.Centre()[0], before[0] - 40 / scale, 1e-9);
    EXPECT_NEAR(theViewProjection.Centre()[1], before[1] + 20 / scale, 1e-9);
    ViewInput::OnMButtonUp(90, 70);
    EXPECT_FALSE(host.viewCapture);
    ASSERT_EQ(theOperationStack.Depth(), 1);
    EXPECT_EQ(Top()->m_nCode, 80);
    EXPECT_EQ(Top()->PointCount(), 1);
    EXPECT_EQ(theProjectOptions.nCurrentCommand, 80);
}

TEST_F(ViewInputTest, TheWheelKeepsThePointUnderTheCursor)
{
    double before[3], after[3];
    theViewProjection.ScreenToWorldInt(150, 30, before);
    ViewInput::OnMouseWheel(120, 150, 30);
    theViewProjection.ScreenToWorldInt(150, 30, after);
    EXPECT_NEAR(after[0], before[0], 1e-9);
    EXPECT_NEAR(after[1], before[1], 1e-9);
}

TEST_F(ViewInputTest, TheThirdPickOfATypedArcMethodIsFedAsItsPointMethod)
{
    host.arcMethod = 5;
    theProjectOptions.nGenerateMethod = 6;
    LineRecord();
    Feed(0, 0);
    Feed(1, 0);
    host.arcMethodsSeen.clear();
    ViewInput::OnLButtonDown(60, 60);
    EXPECT_EQ(host.arcMethodsSeen, (std::vector<int>{4, 5}));
}

TEST_F(ViewInputTest, CursorsByOperationEdgeAndKeys)
{
    const RECT client{0, 0, 200, 100};
    auto first = [&](int x, int y, bool keys) { return ViewInput::ChooseCursors(x, y, client, keys).front(); };
    EXPECT_EQ(first(100, 50, false), ViewInput::kCursorNormal);
    EXPECT_EQ(first(100, 50, true), ViewInput::kCursorSelectAdd);
    theProjectOptions.SetOption(CProjectOptions::kAutoScroll, true);
    EXPECT_EQ(first(199, 50, false), ViewInput::kCursorEdgeRight);
    EXPECT_EQ(first(0, 0, false), ViewInput::kCursorEdgeTopLeft);
    EXPECT_EQ(first(199, 99, false), ViewInput::kCursorEdgeBottomRight);
    EXPECT_EQ(first(100, 1, false), ViewInput::kCursorEdgeTop);
    EXPECT_EQ(first(100, 2, false), ViewInput::kCursorNormal) << "the margin is 2% of the height";
    RunViewCommand(353);
    EXPECT_EQ(first(100, 50, true), ViewInput::kCursorRotateInner);
    EXPECT_EQ(first(100, 90, true), ViewInput::kCursorRotateOuter);
    const std::vector<int> all = ViewInput::ChooseCursors(100, 50, client, false);
    EXPECT_EQ(all.back(), ViewInput::kCursorNormal) << "a cursor that cannot be loaded falls through";
    LineRecord();
    EXPECT_EQ(first(100, 50, true), ViewInput::kCursorNormal) << "Shift adds only in selections";
}

TEST_F(ViewInputTest, ContextMenus)
{
    Family nodes(EFamily::Nodes);
    nodes.Node(1, 0, 0, 0);
    ViewInput::CContextMenuPlan plan = ViewInput::PlanContextMenu();
    EXPECT_EQ(plan.menu, 293);
    EXPECT_TRUE(plan.onlyFirstItem);
    nodes.ByID(1)->obj.m_nFlags |= kObjSelected;
    EXPECT_FALSE(ViewInput::PlanContextMenu().onlyFirstItem);

    auto* curve = new CSingleOperate;
    curve->SetPickCurve(809, Record, 0);
    theOperationStack.BeginOperation(curve, 0, 1, 0);
    Feed(0, 0);
    Feed(1, 0);
    plan = ViewInput::PlanContextMenu();
    EXPECT_EQ(plan.menu, 210);
    EXPECT_EQ(plan.insertCommand, 0) << "two points";
    Feed(1, 1);
    plan = ViewInput::PlanContextMenu();
    EXPECT_EQ(plan.insertCommand, 32799);
    EXPECT_EQ(plan.insertText, "结束曲线定义(&E)\tEnter");

    auto* select = new CSingleOperate;
    select->SetSelect(45, Record, 1, 0);
    theOperationStack.BeginOperation(select, 0, 1, 0);
    plan = ViewInput::PlanContextMenu();
    EXPECT_EQ(plan.insertCommand, 32803);
    EXPECT_EQ(plan.insertText, "应用选择对象(&A)\tEnter");
    theProjectOptions.nSelectMethod = 1;
    FeedScreen(1, 1);
    FeedScreen(9, 1);
    FeedScreen(9, 9);
    EXPECT_EQ(ViewInput::PlanContextMenu().insertText, "结束区域定义(&E)\tEnter");

    ViewInput::OnContextCommand(32799);
    ViewInput::OnContextCommand(295);
    EXPECT_EQ(host.posted, (std::vector<std::string>{"finish", "char:\x1b"}));
}

TEST_F(ViewInputTest, TheDeleteKeyDeletesTheSelection)
{
    Family nodes(EFamily::Nodes);
    nodes.Node(1, 0, 0, 0);
    static Family* store = nullptr;
    store = &nodes;
    theOperateLinks.deleteSelectedObjects = [] { store->DeleteSelected(); };
    ViewInput::OnKeyDown(46);
    EXPECT_EQ(nodes.GetCount(), 1);
    nodes.ByID(1)->obj.m_nFlags |= kObjSelected;
    ViewInput::OnKeyDown(45);
    EXPECT_EQ(nodes.GetCount(), 1);
    ViewInput::OnKeyDown(46);
    EXPECT_EQ(nodes.GetCount(), 0);
}

TEST_F(ViewInputTest, TheEdgePanSpeedsUpAndStopsBeyondTheModel)
{
    theProjectOptions.SetOption(CProjectOptions::kAutoScroll, true);
    const double x0 = theViewProjection.Centre()[0];
    long now = 10000;
    EXPECT_FALSE(ViewInput::AutoPanOnIdle(100, 50, now)) << "not in the margin";
    EXPECT_TRUE(ViewInput::AutoPanOnIdle(199, 50, now));
    EXPECT_EQ(theViewProjection.Centre()[0], x0) << "it has just come to rest";
    // Resting 1 s: the interval is 1000 x 300 / (1000 + 1e-10), 299 ms, passed by now.
    now += 1000;
    EXPECT_TRUE(ViewInput::AutoPanOnIdle(199, 50, now));
    const double step = theViewProjection.Centre()[0] - x0;
    EXPECT_GT(step, 0);
    EXPECT_NEAR(step, 20 / theViewProjection.GetScale() * std::min(1 + 0.2 * (1000.0 / 299 - 1), 3.0), 1e-9);
    // Soon after: not yet.
    now += 10;
    ViewInput::AutoPanOnIdle(199, 50, now);
    EXPECT_EQ(theViewProjection.Centre()[0] - x0, step);
    // Far beyond the model the pan stops.
    for (int i = 0; i < 500; ++i) ViewInput::AutoPanOnIdle(199, 50, now += 400);
    const double stopped = theViewProjection.Centre()[0];
    const double* box = theViewProjection.GetViewBox();
    EXPECT_LT(stopped, box[0] + 121 / theViewProjection.GetScale());
    ViewInput::AutoPanOnIdle(199, 50, now += 400);
    EXPECT_EQ(theViewProjection.Centre()[0], stopped);
    // Never during a drag.
    RunViewCommand(32833);
    EXPECT_FALSE(ViewInput::AutoPanOnIdle(199, 50, now += 400));
    theOperationStack.EndAllOperations();
    theProjectOptions.SetOption(CProjectOptions::kAutoScroll, false);
    EXPECT_FALSE(ViewInput::AutoPanOnIdle(199, 50, now += 400));
}

TEST_F(ViewInputTest, MouseMovesSnapAndShowTheCoordinates)
{
    const double node[3] = {4, 6, 0};
    theOsnapState.Reset(false);
    theOsnapState.AddSnapPoint(node, 0);
    LineRecord();
    const POINT p = Pixel(4, 6);
    FakeClock() += 1000;
    ViewInput::OnMouseMove(p.x + 2, p.y + 2);
    EXPECT_EQ(host.coordinates, "4.0000,6.0000,0.0000");
    EXPECT_EQ(Top()->m_cursorX, p.x + 2);
    // A click takes the snap.
    ViewInput::OnLButtonDown(p.x + 2, p.y + 2);
    EXPECT_EQ(Top()->m_points[0], (Point3{4, 6, 0}));
}
