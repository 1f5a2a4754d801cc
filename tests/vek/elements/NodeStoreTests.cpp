// The node record, its display test, and nodes made at points.
#include <array>
#include <cmath>

#include "tests/vek/elements/NodeTestSupport.h"
#include "vek/elements/line/nodes/NodeCreate.h"
#include "vek/elements/line/nodes/NodeUndo.h"
#include "vek/model/ElevationPlane.h"

namespace vektest {
namespace {

using NodeRecord = NodeModelTest;

TEST_F(NodeRecord, NewNodeFlagsAndDefaults)
{
    CNode n;
    EXPECT_EQ(n.m_nFlags, 0x16u);
    EXPECT_EQ(n.m_nStorey, -1);
    EXPECT_EQ(n.m_nTower, 1);
    EXPECT_EQ(n.m_nStage, 1);
    theLayers.SetCurrent(0);
    const double p[3] = {1, 2, 3};
    CNode at(p);
    EXPECT_EQ(at.m_dCoord[2], 3.0);
    EXPECT_EQ(at.m_nStorey, -1);  // no storeys
}

TEST_F(NodeRecord, AssignmentLeavesDisplacementAndStage)
{
    CNode a, b;
    a.m_nID = 4;
    a.m_dTemperature = 7;
    a.m_Loads.Insert(2, 5);
    a.m_dDisp[0] = 9;
    a.m_nStage = 3;
    b = a;
    EXPECT_EQ(b.m_nID, 4);
    EXPECT_EQ(b.m_dTemperature, 7);
    EXPECT_EQ(b.m_Loads.Index(2), 0);
    EXPECT_EQ(b.m_dDisp[0], 0);
    EXPECT_EQ(b.m_nStage, 1);
}

TEST_F(NodeRecord, SamePositionBoundsAreInclusive)
{
    struct Case {
        double dx, dy, dz;
        int same;
    } cases[] = {
        {0.02, 0, 0, 1},       // exactly the plan tolerance
        {0.0200001, 0, 0, 0},  // just beyond
        {0, -0.02, 0, 1},      //
        {0, 0, 0.0099, 1},     // within the elevation tolerance
        {0, 0, 0.0101, 0},     //
        {0.019, 0.019, 0.009, 1},
    };
    const double origin[3] = {0, 0, 0};
    CNode a(origin);
    for (const Case& c : cases) {
        const double p[3] = {c.dx, c.dy, c.dz};
        CNode b(p);
        EXPECT_EQ(a.IsSamePosition(b), c.same) << c.dx << " " << c.dy << " " << c.dz;
    }
}

TEST_F(NodeRecord, StoreyAndOnStoreyFlag)
{
    Storeys({3, 3});
    theProjectOptions.fVertNodeSpacing = 0.0005f;  // t = max(0.001, 0.0005)
    struct Case {
        double z;
        int storey, on;
    } cases[] = {{3.0, 1, 1}, {3.001, 2, 0}, {2.9995, 1, 1}, {6.0, 2, 1}, {4.5, 2, 0}, {-1, 0, 0}, {0.0005, 0, 1}};
    for (const Case& c : cases) {
        const double p[3] = {0, 0, c.z};
        CNode n(p);
        EXPECT_EQ(n.m_nStorey, c.storey) << c.z;
        EXPECT_EQ(n.m_bOnStorey, c.on) << c.z;
    }
}

TEST_F(NodeRecord, DisplayTest)
{
    TestProjection view;
    const int id = Node(1, 1, 0);
    CNode& n = N(id);
    theDisplayRange.ranges[0] = {1, 10, 1};
    view.mode = 3;
    EXPECT_EQ(n.GetDisplayState(), 1);
    theDisplayOptions.Switch(2) = 0;  // nodes off
    EXPECT_EQ(n.GetDisplayState(), 0);
    theDisplayOptions.Switch(2) = 1;
    theDisplayRange.ranges[0] = {2, 10, 1};  // outside the range
    EXPECT_EQ(n.GetDisplayState(), 0);
    theDisplayRange.ranges[0] = {1, 10, 0};  // a step below 1 counts as 1
    EXPECT_EQ(n.GetDisplayState(), 1);
    n.m_nStage = -4;
    theProjectOptions.nHighestStage = 3;
    EXPECT_EQ(n.GetDisplayState(), 0);
    n.m_nStage = 1;
    theLayers[0].visible = 'N';
    EXPECT_EQ(n.GetDisplayState(), 0);
    theLayers[0].visible = 'Y';

    // Only the nodes of shown elements: the stored bits decide.
    theDisplayOptions.SetWordBit(10, true);
    n.m_nFlags &= ~kObjStateMask;
    theDisplayRange.ranges[0] = {5, 5, 1};
    EXPECT_EQ(n.GetDisplayState(), 0);
    n.m_nFlags |= kObjStateShown;
    EXPECT_EQ(n.GetDisplayState(), 1);  // whatever the range says
    theDisplayOptions.SetWordBit(10, false);
    theDisplayRange.ranges[0] = {1, 10, 1};

    // The plan without storeys: on the work plane only.
    view.mode = 1;
    view.plan = 0;
    EXPECT_EQ(n.GetDisplayState(), 1);
    view.plan = 0.5;
    EXPECT_EQ(n.GetDisplayState(), 0);
}

TEST_F(NodeRecord, DisplayTestInStoreyPlan)
{
    TestProjection view;
    view.mode = 1;
    Storeys({3, 3, 3});
    theDisplayRange.ranges[0] = {1, 10, 1};
    const int onFirst = Node(0, 0, 3), onSecond = Node(0, 0, 6), between = Node(0, 0, 4.5);
    theLevels.current = 2;
    theLevelRange = {};
    theLevelRange.first = 1;
    theLevelRange.last = 3;
    theLevelRange.step = 1;
    EXPECT_EQ(N(onSecond).GetDisplayState(), 1);
    EXPECT_EQ(N(onFirst).GetDisplayState(), 2);
    EXPECT_EQ(N(between).GetDisplayState(), 0);  // off its storey's floor
    theLevelRange.first = 2;
    EXPECT_EQ(N(onFirst).GetDisplayState(), 0);
    theLevels.Shown(2) = 0;
    EXPECT_EQ(N(onSecond).GetDisplayState(), 0);
}

TEST_F(NodeRecord, DisplayTestOnElevationPlane)
{
    TestProjection view;
    view.mode = 2;
    theDisplayRange.ranges[0] = {1, 10, 1};
    theElevationPlane = CElevationPlane();
    const int on = Node(0, 5, 1), off = Node(1, 5, 1);
    // The plane x = 0.
    theElevationPlane.m_equation.Set(1, 0, 0, 0);
    EXPECT_EQ(N(on).GetDisplayState(), 1);
    EXPECT_EQ(N(off).GetDisplayState(), 0);
}

using FindOrAdd = NodeModelTest;

TEST_F(FindOrAdd, CoincidentPointsFindTheExistingNode)
{
    const int a = Node(0, 0, 0);
    EXPECT_EQ(Node(0.01, 0, 0), a);
    EXPECT_EQ(Node(0.02, -0.02, 0.0099), a);
    EXPECT_EQ(theNodes.GetSize(), 1);
    EXPECT_NE(Node(0.0201, 0, 0), a);
    const double p[3] = {0.005, 0, 0};
    EXPECT_EQ(FindNodeAt(p), a);
    const double q[3] = {5, 5, 5};
    EXPECT_EQ(FindNodeAt(q), 0);
}

TEST_F(FindOrAdd, LowestFreeNumberFillsAGap)
{
    Node(0, 0, 0);
    Node(1, 0, 0);
    Node(2, 0, 0);
    Node(3, 0, 0);
    UnstoreNode(3);
    EXPECT_EQ(Node(9, 9, 9), 3);
    EXPECT_EQ(Node(8, 9, 9), 5);
}

TEST_F(FindOrAdd, WithTheCheckOffEveryPointMakesANode)
{
    theProjectOptions.bStoreyLookup = 0;
    const int a = Node(0, 0, 0), b = Node(0, 0, 0);
    EXPECT_NE(a, b);
    EXPECT_EQ(theNodes.GetSize(), 2);
}

TEST_F(FindOrAdd, APointAcrossAStoreyTopFindsTheNodeBelow)
{
    Storeys({3, 3});
    const int a = Node(0, 0, 3.0);
    EXPECT_EQ(N(a).m_nStorey, 1);
    const double p[3] = {0, 0, 3.004};
    CNode probe(p);
    ASSERT_EQ(probe.m_nStorey, 2);  // the point lies in the storey above
    EXPECT_EQ(FindOrAddNode(p), a);
    EXPECT_EQ(theNodes.GetSize(), 1);
}

TEST_F(FindOrAdd, NewNodeJoinsItsStoreyListAndTheShownRange)
{
    Storeys({3, 3});
    theDisplayRange.ranges[0] = {1, 0, 1};
    const int a = Node(0, 0, 6);
    EXPECT_EQ(theDisplayRange.ranges[0].to, a);
    MLArray<int>& list = theStoreyLists.Get(2)->nodes;
    ASSERT_EQ(list.GetSize(), 1);
    EXPECT_EQ(*list.GetAt(0), a);
}

TEST_F(FindOrAdd, RecordedOnlyInsideAGroup)
{
    Node(0, 0, 0);
    EXPECT_EQ(theUndo.GetEntryCount(), 0);
    theUndo.BeginRecord();
    Node(1, 0, 0);
    Node(1, 0, 0);  // found, not made
    theUndo.EndRecord();
    EXPECT_EQ(theUndo.GetEntryCount(), 2);
}

// ---- the node commands ----------------------------------------------------------------

class NodeCommands : public NodeModelTest {
protected:
    static int Run(int method, std::initializer_list<std::array<double, 3>> pts)
    {
        std::vector<std::array<double, 3>> v(pts);
        CPickedPoints picks;
        picks.count = int(v.size());
        picks.points = reinterpret_cast<const double(*)[3]>(v.data());
        return GenerateNodesBy(method, picks);
    }
    static bool HasNodeAt(double x, double y, double z)
    {
        const double p[3] = {x, y, z};
        return FindNodeAt(p) != 0;
    }
};

TEST_F(NodeCommands, GridOnASquare)
{
    AppHelperLog log;
    log.QueuePromptAnswer("2 2");
    EXPECT_EQ(Run(5, {{0, 0, 0}, {4, 0, 0}, {4, 4, 0}, {0, 4, 0}}), 4);
    EXPECT_EQ(theNodes.GetSize(), 4);
    ResetNodeModel();
    log.QueuePromptAnswer("3 3");
    EXPECT_EQ(Run(5, {{0, 0, 0}, {4, 0, 0}, {6, 4, 0}, {0, 4, 0}}), 9);
    EXPECT_EQ(theNodes.GetSize(), 9);
    // The middle node at the quadrilateral's bilinear centre.
    EXPECT_TRUE(HasNodeAt(2.5, 2, 0));
    EXPECT_EQ(nGridNodeCount12, 3);
    EXPECT_TRUE(theUndo.CanUndo());
    theUndo.Undo();
    EXPECT_EQ(theNodes.GetSize(), 0);
}

TEST_F(NodeCommands, SelfCrossingQuadrilateralIsRefused)
{
    AppHelperLog log;
    EXPECT_EQ(Run(5, {{0, 0, 0}, {4, 4, 0}, {4, 0, 0}, {0, 4, 0}}), 0);
    ASSERT_EQ(log.Messages().size(), 1u);
    EXPECT_EQ(log.Messages()[0].text, "四边形的两条边相交,节点生成失败!");
    EXPECT_TRUE(log.Prompts().empty());
    EXPECT_EQ(theNodes.GetSize(), 0);
}

TEST_F(NodeCommands, GridCountsBelowTwoAskAgain)
{
    AppHelperLog log;
    log.QueuePromptAnswer("1 5");
    log.QueuePromptAnswer("2 3");
    EXPECT_EQ(Run(5, {{0, 0, 0}, {4, 0, 0}, {4, 4, 0}, {0, 4, 0}}), 6);
    ASSERT_EQ(log.Prompts().size(), 2u);
    EXPECT_EQ(log.Prompts()[0].given, "2 2");
    ASSERT_EQ(log.Messages().size(), 1u);
    EXPECT_EQ(log.Messages()[0].text, "两边生成的节点数必须同时大于2");
}

TEST_F(NodeCommands, CountsPastTheStoreAreRefusedWithNothingMade)
{
    AppHelperLog log;
    log.QueuePromptAnswer("4000 5000");
    EXPECT_EQ(Run(5, {{0, 0, 0}, {4, 0, 0}, {4, 4, 0}, {0, 4, 0}}), 0);
    log.QueuePromptAnswer("20000000");
    EXPECT_EQ(Run(4, {{0, 0, 0}, {4, 0, 0}}), 0);
    ASSERT_EQ(log.Messages().size(), 2u);
    EXPECT_EQ(log.Messages()[0].text, "节点数量过多!");
    EXPECT_EQ(log.Messages()[1].text, "节点数量过多!");
    EXPECT_EQ(theNodes.GetSize(), 0);
}

TEST_F(NodeCommands, RowAlongASegment)
{
    AppHelperLog log;
    log.QueuePromptAnswer("1");
    EXPECT_EQ(Run(4, {{0, 0, 0}, {3, 0, 0}}), 0);
    EXPECT_EQ(log.Messages().back().text, "输入的数字错误：小于2");
    log.QueuePromptAnswer("4");
    EXPECT_EQ(Run(4, {{0, 0, 0}, {3, 0, 0}}), 4);
    EXPECT_TRUE(HasNodeAt(1, 0, 0));
    EXPECT_TRUE(HasNodeAt(2, 0, 0));
    EXPECT_EQ(log.Prompts().back().given, "2");
    // Cancelled: nothing.
    EXPECT_EQ(Run(4, {{0, 1, 0}, {3, 1, 0}}), 0);
}

TEST_F(NodeCommands, NodeAtTheCrossingOfTwoLines)
{
    EXPECT_EQ(Run(7, {{0, 0, 0}, {2, 2, 0}, {0, 2, 0}, {2, 0, 0}}), 1);
    EXPECT_TRUE(HasNodeAt(1, 1, 0));
    EXPECT_EQ(Run(7, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}}), 0);  // parallel
}

TEST_F(NodeCommands, WithoutTheCheckTheCommandMergesAfterwards)
{
    AppHelperLog log;
    Node(0, 0, 0);  // an earlier node at the row's start
    // 5000 nodes: the search estimate turns the check off for the row.
    log.QueuePromptAnswer("5000");
    Run(4, {{0, 0, 0}, {4999, 0, 0}});
    EXPECT_EQ(theNodes.GetSize(), 5000);
    EXPECT_EQ(theProjectOptions.bStoreyLookup, 1);
    EXPECT_FALSE(theUndo.CanUndo());  // the merge renumbered
}

TEST_F(NodeCommands, TypedCoordinatesAskForTheNextPoint)
{
    static int posted = 0;
    posted = 0;
    theNodeCommandHooks.postTypedInput = [] { ++posted; };
    const double pts[2][3] = {{1, 2, 3}, {4, 5, 6}};
    CPickedPoints picks{2, pts};
    EXPECT_EQ(AddNodeAtFirstPoint(picks, 41), 1);
    EXPECT_EQ(posted, 1);
    EXPECT_EQ(AddNodeAtFirstPoint(picks, 42), 1);
    EXPECT_EQ(posted, 1);
    EXPECT_TRUE(HasNodeAt(1, 2, 3));
    EXPECT_TRUE(HasNodeAt(4, 5, 6));
    theNodeCommandHooks = CNodeCommandHooks();
}

}  // namespace
}  // namespace vektest
