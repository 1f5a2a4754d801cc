// Picking: the order in which the kinds are asked for each shape, the
// filter and the pick-anything command, and the nodes' own routines.
#include <algorithm>

#include "tests/vek/view/operate/OperateFixture.h"

using namespace optest;

namespace {

const char* const kNames[kPickKindCount] = {"nodes",   "beams",     "columns", "frames",  "walls",    "shells",
                                            "solids",  "planes",    "bounds",  "trusses", "cframes",  "pipes",
                                            "springs", "integrals", "small",   "axes",    "gridline", "regions"};

struct Log {
    std::vector<std::string> asked;
    std::vector<int> hits;  // kinds that report a hit
    int single = -1;
};
Log& TheLog()
{
    static Log log;
    return log;
}

template <int K>
int Answer(int single)
{
    TheLog().asked.push_back(kNames[K]);
    TheLog().single = single;
    return std::count(TheLog().hits.begin(), TheLog().hits.end(), K) ? 1 : 0;
}

template <int K>
const CPickRoutines* Routines()
{
    static const CPickRoutines r = {[](int, int, int s, int) { return Answer<K>(s); },
                                    [](POINT, POINT, int s, int) { return Answer<K>(s); },
                                    [](const POINT*, int, int s, int) { return Answer<K>(s); },
                                    [](POINT, POINT, int s, int) { return Answer<K>(s); },
                                    nullptr,
                                    nullptr};
    return &r;
}

template <int... K>
void RegisterAll(std::integer_sequence<int, K...>)
{
    (RegisterPickRoutines(static_cast<EPickKind>(K), Routines<K>()), ...);
}

std::vector<std::string> Names(std::initializer_list<const char*> names)
{
    return std::vector<std::string>(names.begin(), names.end());
}

class PickingTest : public OperateTest {
protected:
    void SetUp() override
    {
        OperateTest::SetUp();
        TheLog() = Log();
        RegisterAll(std::make_integer_sequence<int, kPickKindCount>());
    }
    static void WantAll()
    {
        for (int k = 0; k < CSelectFilter::kCount; ++k) theSelectFilter.SetFlag(k, true);
    }
    static std::vector<std::string> Point()
    {
        TheLog().asked.clear();
        PickAtPoint(5, 5, 1);
        return TheLog().asked;
    }
};

}  // namespace

TEST_F(PickingTest, APointAsksTheLineKindsFirstAndTheAreaKindsOnlyWhenNothingLineLikeWasHit)
{
    theSelectFilter.SelectFrames(1);
    theSelectFilter.SelectNodes(0);
    theSelectFilter.SelectShells(0);
    theSelectFilter.SelectWalls(0);
    EXPECT_EQ(Point(), Names({"frames", "walls", "nodes", "shells"}));
    // A beam hit: no walls, no shell under it; the node is asked in addition.
    TheLog().hits = {int(EPickKind::Frames)};
    EXPECT_EQ(Point(), Names({"frames", "nodes"}));

    // A storey plan: columns first, a column hit never reaches the beams but
    // still lets the slab and shell under it be asked.
    theLevels.count = 2;
    TheLog().hits = {int(EPickKind::Columns)};
    EXPECT_EQ(Point(), Names({"columns", "nodes", "shells"}));
    TheLog().hits = {int(EPickKind::Beams)};
    EXPECT_EQ(Point(), Names({"columns", "beams", "nodes"}));
}

TEST_F(PickingTest, AreaKindsFollowTheirOrderAndSpecialKindsComeLast)
{
    WantAll();
    EXPECT_EQ(Point(), Names({"frames", "walls", "trusses", "cframes", "pipes", "springs", "integrals", "bounds",
                              "nodes", "shells", "solids", "small", "planes", "axes", "gridline", "regions"}));
    // A truss hit stops the line-like kinds and the area kinds.
    TheLog().hits = {int(EPickKind::Trusses)};
    EXPECT_EQ(Point(), Names({"frames", "walls", "trusses", "nodes", "axes", "gridline", "regions"}));
}

TEST_F(PickingTest, PickAnythingAsksEveryKindButEndsBeforeTheSpecialOnes)
{
    theProjectOptions.nCurrentCommand = 750;
    EXPECT_EQ(Point(), Names({"frames", "walls", "trusses", "cframes", "pipes", "springs", "integrals", "bounds",
                              "nodes", "shells", "solids", "planes"}));
    TheLog().asked.clear();
    PickInWindow(POINT{0, 0}, POINT{9, 9}, 1);
    EXPECT_EQ(TheLog().asked, Names({"shells", "solids", "planes", "bounds", "frames", "trusses", "cframes", "pipes",
                                     "springs", "integrals", "walls", "nodes"}));
}

TEST_F(PickingTest, WindowPolygonAndSegmentOrders)
{
    WantAll();
    const POINT poly[3] = {{0, 0}, {9, 0}, {9, 9}};
    TheLog().hits = {int(EPickKind::Shells), int(EPickKind::Frames)};
    PickInWindow(POINT{0, 0}, POINT{9, 9}, 1);
    EXPECT_EQ(TheLog().asked, Names({"shells", "solids", "planes", "bounds", "frames", "trusses", "cframes", "pipes",
                                     "springs", "integrals", "walls", "nodes", "small"}));
    TheLog().asked.clear();
    EXPECT_EQ(PickInPolygon(poly, 3, 1), 1);
    EXPECT_EQ(TheLog().asked, Names({"shells", "solids", "walls", "planes", "bounds", "frames", "trusses", "cframes",
                                     "pipes", "springs", "integrals", "nodes", "small"}));
    TheLog().asked.clear();
    PickAcrossSegment(POINT{0, 0}, POINT{9, 9}, 1);
    EXPECT_EQ(TheLog().asked, Names({"shells", "solids", "planes", "bounds", "frames", "trusses", "cframes", "pipes",
                                     "springs", "integrals", "walls", "small"}));

    // Beams alone in a storey plan; both wanted: every beam-column.
    theSelectFilter.Clear();
    theSelectFilter.SelectBeams(0);
    theLevels.count = 3;
    TheLog().asked.clear();
    PickInWindow(POINT{0, 0}, POINT{9, 9}, 1);
    EXPECT_EQ(TheLog().asked, Names({"beams"}));
    theSelectFilter.SelectColumns(0);
    TheLog().asked.clear();
    PickInWindow(POINT{0, 0}, POINT{9, 9}, 1);
    EXPECT_EQ(TheLog().asked, Names({"frames"}));
}

TEST_F(PickingTest, ShiftOrCtrlMakesAHitAddOnly)
{
    theSelectFilter.SelectNodes(1);
    Point();
    EXPECT_EQ(TheLog().single, 1);
    ModifierHeld() = true;
    Point();
    EXPECT_EQ(TheLog().single, 0);
}

TEST_F(OperateTest, NodesAreTheNearestShownNodeWithinTheAperture)
{
    for (int k = 0; k < kPickKindCount; ++k) RegisterPickRoutines(static_cast<EPickKind>(k), nullptr);
    Family nodes(EFamily::Nodes);
    nodes.Node(1, 5, 5, 0);
    nodes.Node(2, 5.1, 5, 0);
    nodes.Node(3, 5, 5, 0).obj.state = 2;
    nodes.Node(4, 8, 8, 0);
    for (auto& item : nodes.items) item.obj.UpdateRangeFlags();
    nodes.ByID(4)->obj.state = 1;
    theSelectFilter.SelectNodes(1);
    const POINT at = Pixel(5, 5);
    const POINT between = Pixel(5.05, 5);
    double p[3];
    // Two nodes at the same pixel distance: the first in store order.
    EXPECT_EQ(NearestShownNode(between.x, between.y, 8, p), 1);
    EXPECT_EQ(NearestShownNode(at.x + 9, at.y, 8, p), 0);

    EXPECT_EQ(PickAtPoint(at.x, at.y, 1), 1);
    EXPECT_EQ(nodes.SelectedIDs(), std::vector<int>{1});
    // Again with neither Shift nor Ctrl: deselected; with Shift: kept.
    ModifierHeld() = true;
    EXPECT_EQ(PickAtPoint(at.x, at.y, 1), 0);
    EXPECT_TRUE(nodes.Selected(1));
    ModifierHeld() = false;
    PickAtPoint(at.x, at.y, 1);
    EXPECT_FALSE(nodes.Selected(1));

    // A window takes the shown nodes inside it, never a node of another storey's range.
    const POINT a = Pixel(4, 4), b = Pixel(9, 9);
    EXPECT_EQ(PickInWindow(a, b, 1), 1);
    EXPECT_EQ(nodes.SelectedIDs(), (std::vector<int>{1, 2, 4}));
    EXPECT_TRUE(HasSelectedObjects(false));
    theSelectFilter.SelectWalls(1);
    EXPECT_FALSE(HasSelectedObjects(false));
    EXPECT_TRUE(HasSelectedObjects(true));
    UnselectAll();
    EXPECT_TRUE(nodes.SelectedIDs().empty());
    EXPECT_FALSE(HasSelectedObjects(true));
}

TEST_F(OperateTest, ASelectedStoreyRangeSpreadsANodesStateToItsOtherStoreys)
{
    Family nodes(EFamily::Nodes);
    nodes.Node(1, 5, 5, 0);
    nodes.Node(2, 5, 5, 3).obj.state = 2;
    nodes.Node(3, 6, 5, 3).obj.state = 2;
    for (auto& item : nodes.items) item.obj.UpdateRangeFlags();
    theLevels.count = 2;
    theSelectFilter.SelectNodes(1);
    const POINT at = Pixel(5, 5);
    PickAtPoint(at.x, at.y, 1);
    EXPECT_EQ(nodes.SelectedIDs(), (std::vector<int>{1, 2}));
    PickAtPoint(at.x, at.y, 1);
    EXPECT_TRUE(nodes.SelectedIDs().empty());
    // One-object picks leave the other storeys alone.
    PickAtPoint(at.x, at.y, 0);
    EXPECT_EQ(nodes.SelectedIDs(), std::vector<int>{1});
}
