// The undo records of nodes: added and removed nodes, attribute changes.
#include "tests/vek/elements/NodeTestSupport.h"
#include "vek/edit/LayerUndo.h"
#include "vek/elements/line/nodes/NodeAttributes.h"
#include "vek/elements/line/nodes/NodeMerge.h"
#include "vek/elements/line/nodes/NodeUndo.h"

namespace vektest {
namespace {

using NodeUndo = NodeModelTest;

int AddInGroup(double x, double y, double z)
{
    theUndo.BeginRecord();
    const double p[3] = {x, y, z};
    const int id = FindOrAddNode(p);
    theUndo.EndRecord();
    return id;
}

TEST_F(NodeUndo, AddedNodeGoesAndComesBackUnderItsNumber)
{
    const int a = AddInGroup(0, 0, 0);
    const int b = AddInGroup(1, 0, 0);
    N(b).m_dTemperature = 12;  // changed after its addition
    theDisplayRange.ranges[0] = {1, b, 1};
    theUndo.Undo();
    EXPECT_FALSE(theNodes.IsValidID(b));
    EXPECT_EQ(theDisplayRange.ranges[0].to, a);  // lowered to the last node
    theUndo.Redo();
    ASSERT_TRUE(theNodes.IsValidID(b));
    EXPECT_EQ(N(b).m_dTemperature, 12);  // as it stood when undo took it
    EXPECT_EQ(theDisplayRange.ranges[0].to, b);
    const double p[3] = {1, 0, 0};
    EXPECT_EQ(FindNodeAt(p), b);  // back in the coincidence index
}

TEST_F(NodeUndo, NodeInUseStays)
{
    const int a = AddInGroup(0, 0, 0);
    N(a).m_nElements = 1;
    theUndo.Undo();
    EXPECT_TRUE(theNodes.IsValidID(a));
}

TEST_F(NodeUndo, NodeWithSpringsOrDisplacementsStaysAndKeepsThem)
{
    const int a = AddInGroup(0, 0, 0);
    CSpring s;
    s.m_nNodeI = a;
    s.m_dK = 10;
    s.m_dDir[2] = 1;
    ASSERT_TRUE(AddSpring(s, 0));
    theUndo.Undo();
    EXPECT_TRUE(theNodes.IsValidID(a));
    EXPECT_EQ(theSprings.GetSize(), 1);

    const int b = AddInGroup(5, 0, 0);
    CNodeDisplacement d;
    d.m_nNode = b;
    theNodeDisplacements.push_back(d);
    theUndo.Undo();
    EXPECT_TRUE(theNodes.IsValidID(b));
    EXPECT_EQ(theNodeDisplacements.size(), 1u);
}

TEST_F(NodeUndo, ReinsertionLeavesANumberTakenMeanwhile)
{
    const int a = AddInGroup(0, 0, 0);
    theUndo.Undo();
    // Another node takes the number outside the undo history.
    const double p[3] = {7, 7, 7};
    ASSERT_EQ(FindOrAddNode(p), a);
    theUndo.Redo();
    EXPECT_EQ(theNodes.GetSize(), 1);
    EXPECT_EQ(N(a).m_dCoord[0], 7);
}

TEST_F(NodeUndo, RemovalDropsTheNodeFromItsStoreyList)
{
    Storeys({3});
    const int a = AddInGroup(0, 0, 3);
    ASSERT_EQ(theStoreyLists.Get(1)->nodes.GetSize(), 1);
    theUndo.Undo();
    EXPECT_EQ(theStoreyLists.Get(1)->nodes.GetSize(), 0);
    theUndo.Redo();
    ASSERT_EQ(theStoreyLists.Get(1)->nodes.GetSize(), 1);
    EXPECT_EQ(*theStoreyLists.Get(1)->nodes.GetAt(0), a);
}

TEST_F(NodeUndo, FreeNodeRemovalIsUndoable)
{
    const int a = Node(0, 0, 0), b = Node(1, 0, 0), c = Node(2, 0, 0);
    N(b).m_nElements = 2;
    N(a).m_dTemperature = 5;
    AppHelperLog log(IDYES);
    EXPECT_EQ(AskDeleteFreeNodes(), 0);
    EXPECT_EQ(Ids(), std::vector<int>({b}));
    theUndo.Undo();
    EXPECT_EQ(Ids(), std::vector<int>({a, b, c}));
    EXPECT_EQ(N(a).m_dTemperature, 5);
    EXPECT_EQ(log.Messages()[0].text, "存在没有与任何单元相连的虚节点,是否需删除它们?");
    N(a).m_nElements = N(c).m_nElements = 1;
    EXPECT_EQ(AskDeleteFreeNodes(), 1);
}

TEST_F(NodeUndo, AttributeRecordsRestoreEachNodesOwnValue)
{
    const int a = Node(0, 0, 0), b = Node(1, 0, 0);
    N(a).m_dTemperature = 3;
    N(b).m_dTemperature = 4;
    N(a).m_nFlags |= kObjSelected;
    N(b).m_nFlags |= kObjSelected;
    theNodeInputs.temperature = 20;
    EXPECT_EQ(SetTemperatureOfSelected(), 2);
    EXPECT_EQ(N(a).m_dTemperature, 20);
    EXPECT_FALSE(N(a).IsSelected());
    theUndo.Undo();
    EXPECT_EQ(N(a).m_dTemperature, 3);
    EXPECT_EQ(N(b).m_dTemperature, 4);
    theUndo.Redo();
    EXPECT_EQ(N(b).m_dTemperature, 20);
}

TEST_F(NodeUndo, RecordOfADeletedNodeDoesNothing)
{
    const int a = Node(0, 0, 0);
    CUndoNodeRest r(a, 7);
    UnstoreNode(a);
    EXPECT_EQ(r.Undo(), 0);
    EXPECT_EQ(r.GetValue(), 7);
    EXPECT_EQ(r.Redo(), 0);
}

TEST_F(NodeUndo, CoordinateRecordRebuildsThePictureAndKeepsTheStorey)
{
    RecordingHooks hooks;
    Storeys({3, 3});
    const int a = Node(0, 0, 3);
    theUndo.BeginRecord();
    theUndo.AddRecord(new CUndoNodeCoord(a, {0, 0, 3}));
    // The move the record belongs to.
    CNodeCoordTraits::Set(N(a), {0, 0, 6});
    theUndo.EndRecord();
    EXPECT_EQ(N(a).m_nStorey, 2);
    EXPECT_EQ(theStoreyLists.Get(2)->nodes.GetSize(), 1);
    theUndo.Undo();
    EXPECT_EQ(N(a).m_dCoord[2], 3);
    EXPECT_EQ(N(a).m_nStorey, 1);
    EXPECT_EQ(theStoreyLists.Get(1)->nodes.GetSize(), 1);
    EXPECT_EQ(theStoreyLists.Get(2)->nodes.GetSize(), 0);
    EXPECT_EQ(hooks.invalidated, 1);
    const double p[3] = {0, 0, 3};
    EXPECT_EQ(FindNodeAt(p), a);
}

TEST_F(NodeUndo, CommandsWithNothingSelectedLeaveNoGroup)
{
    Node(0, 0, 0);
    AppHelperLog log;
    EXPECT_EQ(SetRestraintsOfSelected(), 0);
    EXPECT_EQ(SetMassOfSelected(), 0);
    EXPECT_FALSE(theUndo.CanUndo());
    EXPECT_EQ(log.LastModified(), 1);
}

TEST_F(NodeUndo, LayerChangeThroughTheFamilyTable)
{
    const int a = Node(0, 0, 0);
    N(a).m_nLayer = 4;  // the change the record belongs to, from layer 2
    CUndoLayerChange r(9, a, 2);
    r.Undo();
    EXPECT_EQ(N(a).m_nLayer, 2);
    EXPECT_EQ(r.GetLayer(), 4);
    r.Redo();
    EXPECT_EQ(N(a).m_nLayer, 4);
    CUndoLayerChange other(3, a, 7);  // no such kind
    other.Undo();
    EXPECT_EQ(N(a).m_nLayer, 4);
    CUndoLayerChange gone(9, 99, 7);
    EXPECT_EQ(gone.Undo(), 0);
}

}  // namespace
}  // namespace vektest
