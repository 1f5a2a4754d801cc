// Merging coincident nodes, sorting, renumbering every reference, the
// node-to-element index and the disconnected parts.
#include <string>

#include "tests/vek/elements/NodeTestSupport.h"
#include "vek/elements/line/nodes/NodeElementIndex.h"
#include "vek/elements/line/nodes/NodeMerge.h"

namespace vektest {
namespace {

// Elements of one family by their node lists, kept in number order.
class FakeElements : public CModelFamily {
public:
    explicit FakeElements(EFamily kind) : m_kind(kind) { m_previous = RegisterModelFamily(kind, this); }
    ~FakeElements() override { RegisterModelFamily(m_kind, m_previous); }
    FakeElements(const FakeElements&) = delete;
    FakeElements& operator=(const FakeElements&) = delete;

    void Add(int id, std::vector<int> nodes)
    {
        ids.push_back(id);
        lists.push_back(std::move(nodes));
        objects.emplace_back();
    }
    int GetCount() const override { return int(ids.size()); }
    int GetLastID() const override { return ids.empty() ? 0 : ids.back(); }
    CObjectBase* GetAt(int pos) override { return &objects[size_t(pos)]; }
    int GetID(int pos) const override { return ids[size_t(pos)]; }
    int IndexOfID(int id) const override
    {
        for (size_t i = 0; i < ids.size(); ++i)
            if (ids[i] == id) return int(i);
        return -1;
    }
    int GetNodes(int pos, int* out, int max) const override
    {
        const std::vector<int>& l = lists[size_t(pos)];
        for (size_t k = 0; k < l.size() && int(k) < max; ++k) out[k] = l[k];
        return int(l.size());
    }
    void SetNode(int pos, int k, int node) override { lists[size_t(pos)][size_t(k)] = node; }

    std::vector<int> ids;
    std::vector<std::vector<int>> lists;
    std::vector<FakeObject> objects;

private:
    EFamily m_kind;
    CModelFamily* m_previous;
};

class NodeMerge : public NodeModelTest {
protected:
    static int Six(CSixDoublesPool& pool, std::initializer_list<double> v)
    {
        double a[6];
        std::copy(v.begin(), v.end(), a);
        return pool.FindOrAdd(CSixDoubles(a));
    }
    static double LoadValue(int id, int lc, int k)
    {
        const int at = N(id).m_Loads.Index(int16_t(lc));
        return at < 0 ? 0 : (*theNodeLoadPool.Get(N(id).m_Loads[at].nValue))[k];
    }
};

TEST_F(NodeMerge, ThreeCoincidentNodesBecomeOne)
{
    theProjectOptions.bStoreyLookup = 0;
    const int a = Node(5, 5, 0), other = Node(9, 0, 0), b = Node(5.01, 5, 0), c = Node(5, 5.015, 0.005);
    N(a).m_Loads.Insert(1, Six(theNodeLoadPool, {0, 0, -10, 0, 0, 0}));
    N(b).m_Loads.Insert(1, Six(theNodeLoadPool, {0, 0, -5, 0, 0, 0}));
    N(c).m_Loads.Insert(2, Six(theNodeLoadPool, {1, 0, 0, 0, 0, 0}));
    N(a).m_nMass = Six(theNodeMassPool, {1, 1, 1, 0, 0, 0});
    N(c).m_nMass = Six(theNodeMassPool, {2, 2, 2, 0, 0, 0});
    N(a).m_dTemperature = 0;
    N(b).m_dTemperature = 15;
    N(c).m_dTemperature = 20;
    N(b).m_cRestraint = 1;
    N(c).m_cRestraint = 4;
    N(a).m_nElements = 1;
    N(b).m_nElements = 2;
    theUndo.BeginRecord();
    Node(20, 20, 20);
    theUndo.EndRecord();
    AppHelperLog log;
    RecordingHooks hooks;
    EXPECT_EQ(MergeCoincidentNodes(nullptr, 0, 0), 2);
    // Survivors 1..3 in store order: a, other, the last node.
    EXPECT_EQ(Ids(), std::vector<int>({1, 2, 3}));
    const CNode& s = N(1);
    EXPECT_EQ(s.m_dCoord[0], 5);
    EXPECT_EQ(N(2).m_dCoord[0], 9);
    (void)other;
    EXPECT_DOUBLE_EQ(LoadValue(1, 1, 2), -15);  // same case summed
    EXPECT_DOUBLE_EQ(LoadValue(1, 2, 0), 1);
    EXPECT_DOUBLE_EQ((*theNodeMassPool.Get(s.m_nMass))[0], 3);
    EXPECT_EQ(s.m_dTemperature, 15);  // one temperature kept, not 35
    EXPECT_EQ(s.m_cRestraint, 5);
    EXPECT_EQ(s.m_nElements, 3);
    EXPECT_FALSE(theUndo.CanUndo());
    EXPECT_EQ(log.LastModified(), 1);
    EXPECT_EQ(hooks.prompts.back(), "节点合并完成.");
}

TEST_F(NodeMerge, PairsASortWouldMissAreMerged)
{
    // (z, x): (0, 1), (0.006, 1), (0.012, 0): only the first two coincide.
    theProjectOptions.bStoreyLookup = 0;
    Node(1, 0, 0);
    Node(1, 0, 0.006);
    Node(0, 0, 0.012);
    EXPECT_EQ(MergeCoincidentNodes(nullptr, 0, 0), 1);
    ASSERT_EQ(theNodes.GetSize(), 2);
    EXPECT_EQ(N(1).m_dCoord[2], 0);
    EXPECT_EQ(N(2).m_dCoord[2], 0.012);
}

TEST_F(NodeMerge, ReferencesFollowTheNewNumbers)
{
    FakeElements frames(EFamily::Frames);
    theProjectOptions.bStoreyLookup = 0;
    const int a = Node(0, 0, 0), gone = Node(1, 0, 0), b = Node(1, 0, 0), c = Node(2, 0, 0);
    frames.Add(1, {a, b});
    frames.Add(2, {b, c});
    CSpring grounded, link;
    grounded.m_nNodeI = c;
    grounded.m_dK = 1;
    grounded.m_dDir[2] = 1;
    link.m_nNodeI = a;
    link.m_nNodeJ = b;
    link.m_dK = 1;
    theSprings.Add(grounded);
    theSprings.Add(link);
    CNodeDisplacement d;
    d.m_nNode = c;
    theNodeDisplacements.push_back(d);
    EXPECT_EQ(MergeCoincidentNodes(nullptr, 0, 0), 1);
    EXPECT_EQ(frames.lists[0], std::vector<int>({1, 2}));  // b merged into gone, now 2
    EXPECT_EQ(frames.lists[1], std::vector<int>({2, 3}));
    EXPECT_EQ(theSprings.GetAt(0)->m_nNodeI, 3);
    EXPECT_EQ(theSprings.GetAt(0)->m_nNodeJ, 0);  // still grounded
    EXPECT_EQ(theSprings.GetAt(1)->m_nNodeJ, 2);
    EXPECT_EQ(theNodeDisplacements[0].m_nNode, 3);
    (void)gone;
}

TEST_F(NodeMerge, NodesOfOneElementAreMergedOnlyWhenTheUserSaysSo)
{
    FakeElements frames(EFamily::Frames);
    theProjectOptions.bStoreyLookup = 0;
    for (int k = 0; k < 3; ++k) {
        const int a = Node(k * 10, 0, 0), b = Node(k * 10 + 0.01, 0, 0);
        frames.Add(k + 1, {a, b});
    }
    static std::vector<std::string> asked;
    static std::vector<int> answers;
    asked.clear();
    answers = {2, 1};  // "否", then "全否"
    theCombNodeConfirm = [](const char* text) {
        asked.push_back(text);
        const int a = answers.front();
        answers.erase(answers.begin());
        return a;
    };
    EXPECT_EQ(MergeCoincidentNodes(nullptr, 0, 0), 0);
    ASSERT_EQ(asked.size(), 2u);  // no question after "全否"
    EXPECT_EQ(asked[0],
              "节点1和2同处在1梁柱上，强行合并将导致单元长度为0或单元形状不符合要求。如果要强行合并, "
              "合并之后最好删除它！ 是否强行合并？");
    asked.clear();
    answers = {3};  // "全是"
    EXPECT_EQ(MergeCoincidentNodes(nullptr, 0, 0), 3);
    EXPECT_EQ(asked.size(), 1u);
    EXPECT_EQ(frames.lists[2], std::vector<int>({3, 3}));
    theCombNodeConfirm = nullptr;
}

TEST_F(NodeMerge, BadReferencesBecomeZeroToldOnce)
{
    FakeElements frames(EFamily::Frames);
    Node(0, 0, 0);
    Node(1, 0, 0);
    frames.Add(1, {1, 99});
    frames.Add(2, {-4, 2});
    frames.Add(3, {1, 2});
    AppHelperLog log;
    const int table[2] = {2, 1};
    ConvertNodeNumbers(table, 2);
    EXPECT_EQ(frames.lists[0], std::vector<int>({2, 0}));
    EXPECT_EQ(frames.lists[2], std::vector<int>({2, 1}));
    ASSERT_EQ(log.Messages().size(), 1u);
    EXPECT_EQ(log.Messages()[0].text, "部分单元引用的节点不存在，这些节点号已被置为0！");
}

TEST_F(NodeMerge, MergeOfTheSelectedNodesOnly)
{
    theProjectOptions.bStoreyLookup = 0;
    const int a = Node(0, 0, 0), b = Node(0, 0, 0), c = Node(0, 0, 0);
    N(a).m_nFlags |= kObjSelected;
    N(c).m_nFlags |= kObjSelected;
    EXPECT_EQ(MergeSelectedNodes(), 1);
    EXPECT_EQ(theNodes.GetSize(), 2);
    EXPECT_FALSE(N(1).IsSelected());
    (void)b;
}

TEST_F(NodeMerge, SortInTheProjectsOrder)
{
    theProjectOptions.nSortOrder = 1;  // z, then x, then y
    Node(5, 0, 0);
    Node(0, 0, 3);
    Node(0.01, 1, 0.005);  // z within the tolerance of 0: x decides
    theUndo.BeginRecord();
    Node(9, 9, 9);
    theUndo.EndRecord();
    EXPECT_EQ(SortNodes(), 1);
    ASSERT_EQ(theNodes.GetSize(), 4);
    EXPECT_EQ(N(1).m_dCoord[0], 0.01);
    EXPECT_EQ(N(2).m_dCoord[0], 5);
    EXPECT_EQ(N(3).m_dCoord[2], 3);
    EXPECT_EQ(N(4).m_dCoord[2], 9);
    EXPECT_FALSE(theUndo.CanUndo());
    // Sorted already: nothing changes, the history stays.
    theUndo.BeginRecord();
    Node(9, 9, 20);
    theUndo.EndRecord();
    EXPECT_EQ(SortNodes(), 0);
    EXPECT_TRUE(theUndo.CanUndo());
}

TEST_F(NodeMerge, SortByLayerPutsNodesByGroupThenNumber)
{
    theProjectOptions.nSortOrder = 8;
    const int a = Node(0, 0, 0), b = Node(1, 0, 0), c = Node(2, 0, 0);
    N(a).m_nLayer = 2;
    N(b).m_nLayer = 1;
    N(c).m_nLayer = 1;
    EXPECT_EQ(SortNodes(), 1);
    EXPECT_EQ(N(1).m_dCoord[0], 1);
    EXPECT_EQ(N(2).m_dCoord[0], 2);
    EXPECT_EQ(N(3).m_dCoord[0], 0);
}

TEST_F(NodeMerge, ElementIndexQueries)
{
    FakeElements frames(EFamily::Frames);
    FakeElements walls(EFamily::Walls);
    for (int k = 0; k < 6; ++k) Node(k, 0, 0);
    frames.Add(1, {1, 2});
    walls.Add(7, {2, 3, 4, 5});
    CNodeElementIndex index;
    index.Build();
    ASSERT_EQ(index.ElementsAt(2).size(), 2u);
    CNodeElementIndex::ElementID e{};
    EXPECT_EQ(index.FindSharedElement(2, 5, e), 1);
    EXPECT_EQ(e.kind, 6);
    EXPECT_EQ(e.id, 7);
    EXPECT_EQ(index.FindSharedElement(1, 3, e), 0);
    EXPECT_EQ(index.FindElementOnEdge(2, 1).kind, 1);
    EXPECT_EQ(index.FindElementOnEdge(2, 4).kind, 6);  // the wall's third slot
    EXPECT_EQ(index.FindElementOnEdge(2, 3).kind, 0);
    std::vector<int> around;
    index.GetNeighbourNodes(2, around);
    EXPECT_EQ(around, std::vector<int>({1, 3, 4, 5}));
    std::vector<int> visited;
    index.RemoveConnectedPart(1, &visited);
    EXPECT_EQ(visited.size(), 5u);
    EXPECT_TRUE(index.ElementsAt(5).empty());
}

TEST_F(NodeMerge, DisconnectedPartIsSelected)
{
    FakeElements frames(EFamily::Frames);
    for (int k = 0; k < 6; ++k) N(Node(k, 0, 0)).m_nElements = 1;
    frames.Add(1, {1, 2});
    frames.Add(2, {2, 3});
    frames.Add(3, {3, 4});
    frames.Add(4, {5, 6});
    AppHelperLog log;
    EXPECT_EQ(SelectDisconnectedPart(), 0);
    ASSERT_EQ(log.Messages().size(), 1u);
    for (int id = 1; id <= 6; ++id) EXPECT_EQ(N(id).IsSelected(), id >= 5) << id;
}

}  // namespace
}  // namespace vektest
