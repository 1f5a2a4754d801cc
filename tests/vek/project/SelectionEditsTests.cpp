// Edits of the selection undone as one step, the overlap check of beams and
// walls, and region loads handed on to beams and walls and drawn.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/AppHelpersStandIn.h"
#include "tests/vek/project/DocFakes.h"
#include "tests/vek/project/ProjectTestSupport.h"
#include "vek/edit/LayerUndo.h"
#include "vek/model/document/OverlapCheck.h"
#include "vek/model/document/RegionLoads.h"
#include "vek/model/document/SelectionEdits.h"

using namespace vektest;

namespace {

// The undo history as the document hooks see it: groups of layer records.
class UndoLog {
public:
    UndoLog()
    {
        Current() = this;
        m_saved = theDocumentHooks;
        theDocumentHooks.beginUndoGroup = [] { Current()->groups.emplace_back(); };
        theDocumentHooks.endUndoGroup = [] { ++Current()->closed; };
        theDocumentHooks.addLayerChange = [](int kind, int id, int layer) {
            Current()->groups.back().push_back(std::make_unique<CUndoLayerChange>(kind, id, layer));
            Current()->kinds.push_back(kind);
        };
    }
    ~UndoLog() { theDocumentHooks = m_saved; }
    // Undo applies the records last first; redo first first.
    void Undo()
    {
        for (auto it = groups.back().rbegin(); it != groups.back().rend(); ++it) (*it)->Undo();
    }
    void Redo()
    {
        for (auto& r : groups.back()) r->Redo();
    }
    std::vector<std::vector<std::unique_ptr<CUndoLayerChange>>> groups;
    std::vector<int> kinds;
    int closed = 0;

private:
    static UndoLog*& Current()
    {
        static UndoLog* p = nullptr;
        return p;
    }
    DocumentHooks m_saved;
};

class EditsTest : public ::testing::Test {
protected:
    void SetUp() override { FreshModel(); }
    void TearDown() override { FreshModel(); }
    AppHelperLog log;
    RecordingHooks hooks;
    RecordingDocumentHooks docHooks;
};

TEST_F(EditsTest, SelectionMovesToTheCurrentLayerAndOneUndoRestoresIt)
{
    UndoLog undo;
    DocFamily frames(EFamily::Frames), nodes(EFamily::Nodes), shells(EFamily::Shells);
    for (int id = 1; id <= 4; ++id) {
        frames.Element(id, {1, 2});
        frames.Extra(id).layer = id + 1;
    }
    for (int id = 1; id <= 2; ++id) {
        nodes.Node(id, 0, 0, 0);
        nodes.Extra(id).layer = 5 + id;
    }
    for (int pos : {0, 1, 3}) frames.items[size_t(pos)].obj.m_nFlags |= kObjSelected;
    for (FakeItem& n : nodes.items) n.obj.m_nFlags |= kObjSelected;
    shells.Element(1, {1, 2, 3});
    theLayers.Add(LayerInfo("一", 'Y', 0));
    theLayers.SetCurrent(1);

    ChangeSelectionToCurrentLayer();
    ASSERT_EQ(undo.groups.size(), 1u);
    EXPECT_EQ(undo.closed, 1);
    ASSERT_EQ(undo.groups[0].size(), 5u);
    EXPECT_EQ(undo.kinds.front(), 1);
    EXPECT_EQ(undo.kinds.back(), 9);
    for (int id : {1, 2, 4}) EXPECT_EQ(frames.Extra(id).layer, 1) << id;
    EXPECT_EQ(frames.Extra(3).layer, 4);  // not selected
    EXPECT_EQ(nodes.Extra(1).layer, 1);
    EXPECT_EQ(nodes.Extra(2).layer, 1);
    for (FakeItem& f : frames.items) EXPECT_FALSE(f.obj.IsSelected());
    EXPECT_EQ(log.LastModified(), 1);
    ASSERT_EQ(docHooks.flashes.size(), 1u);
    EXPECT_EQ(docHooks.flashes[0], "被选择单元和节点的图层属性已经改成当前图层！|1500");

    undo.Undo();
    EXPECT_EQ(frames.Extra(1).layer, 2);
    EXPECT_EQ(frames.Extra(2).layer, 3);
    EXPECT_EQ(frames.Extra(4).layer, 5);
    EXPECT_EQ(nodes.Extra(1).layer, 6);
    EXPECT_EQ(nodes.Extra(2).layer, 7);
    undo.Redo();
    EXPECT_EQ(frames.Extra(4).layer, 1);
    EXPECT_EQ(nodes.Extra(2).layer, 1);
}

TEST_F(EditsTest, LoadChangeReachesEverySelectedObjectWithTheLoadsShown)
{
    UndoLog undo;
    DocFamily frames(EFamily::Frames), regions(EFamily::StiffRegions), lines(EFamily::BoundLines),
        nodes(EFamily::Nodes);
    frames.Element(1, {1, 2});
    frames.Element(2, {2, 3});
    regions.Element(7, {1, 2, 3});
    lines.Element(3, {});
    nodes.Node(4, 0, 0, 0);
    for (DocFamily* f : {&frames, &regions, &lines, &nodes}) f->items[0].obj.m_nFlags |= kObjSelected;
    theDisplayOptions.Switch(26) = 0;
    ApplyLoadChangeToSelection();
    EXPECT_EQ(frames.loadChanges, std::vector<int>{1});
    EXPECT_EQ(regions.loadChanges, std::vector<int>{7});
    EXPECT_EQ(lines.loadChanges, std::vector<int>{3});
    EXPECT_EQ(nodes.loadChanges, std::vector<int>{4});
    EXPECT_EQ(frames.redrawn, (std::vector<int>{1, 1}));  // before and after its change
    EXPECT_EQ(theDisplayOptions.Switch(26), 0);           // given back
    EXPECT_EQ(undo.groups.size(), 1u);
    EXPECT_EQ(undo.closed, 1);
}

// ---- overlaps ----------------------------------------------------------------------

class OverlapTest : public EditsTest {
protected:
    void SetUp() override
    {
        EditsTest::SetUp();
        for (int i = 1; i <= 8; ++i) nodes.Node(i, i, 0, 0);
    }
    COverlapCheck check;
    DocFamily nodes{EFamily::Nodes}, frames{EFamily::Frames}, walls{EFamily::Walls};
};

TEST_F(OverlapTest, BeamsOnTheSameNodesOverlapOnce)
{
    frames.Element(1, {1, 2});
    frames.Element(2, {2, 1});
    check.Add({1, 1});
    check.Add({1, 2});
    EXPECT_NE(check.FindOverlaps(), 0);
    EXPECT_EQ(check.OverlapCount(), 1);
    ASSERT_EQ(log.Messages().size(), 1u);
    EXPECT_EQ(log.Messages()[0].text, "1号梁柱和2号梁柱有重叠部分, 它们被设置成选中状态!");
    EXPECT_TRUE(frames.items[0].obj.IsSelected());
    EXPECT_TRUE(frames.items[1].obj.IsSelected());
}

TEST_F(OverlapTest, GeometryDecidesTheOtherPairs)
{
    struct Case {
        const char* what;
        std::vector<int> a, b;  // beam ends, or a wall's four corners
        bool wallB;
        bool overlap;
    } cases[] = {
        {"a beam on a wall's top edge", {1, 2}, {5, 6, 2, 1}, true, false},
        {"beams 1-3 and 2-4 on one line", {1, 3}, {2, 4}, false, true},
        {"beams end to end", {1, 2}, {2, 3}, false, false},
        {"apart on one line", {1, 2}, {4, 5}, false, false},
        {"a wall along a beam", {2, 4}, {7, 8, 1, 3}, true, true},
        {"walls on the same corners", {1, 2, 3, 4}, {4, 3, 2, 1}, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        frames.items.clear();
        walls.items.clear();
        COverlapCheck one;
        const bool wallA = c.a.size() == 4;
        (wallA ? walls : frames).Element(1, c.a);
        (c.wallB ? walls : frames).Element(2, c.b);
        one.Add({uint8_t(wallA ? 6 : 1), 1});
        one.Add({uint8_t(c.wallB ? 6 : 1), 2});
        EXPECT_EQ(one.FindOverlaps() != 0, c.overlap);
    }
    // Crossing lines are no overlap.
    double a1[3] = {0, 0, 0}, a2[3] = {2, 2, 0}, b1[3] = {0, 2, 0}, b2[3] = {2, 0, 0};
    EXPECT_FALSE(SegmentsOverlap(a1, a2, b1, b2));
}

TEST_F(OverlapTest, OnlyTheFirstFourPairsAreSelectedAndReported)
{
    // Four beams over the same line: six pairs, the fifth and sixth silent.
    for (int id = 1; id <= 4; ++id) {
        frames.Element(id, {1, 5});
        check.Add({1, id});
    }
    walls.Element(9, {7, 8, 1, 5});
    walls.items[0].storey = 2;
    check.Add({6, 9});
    frames.ByID(2)->storey = 1;
    // The wall joins the beams' two nodes: its pairs do not count.
    EXPECT_NE(check.FindOverlaps(), 0);
    EXPECT_EQ(check.OverlapCount(), 6);
    ASSERT_EQ(log.Messages().size(), 4u);
    EXPECT_EQ(log.Messages()[0].text, "1号梁柱和第1层的2号梁柱有重叠部分, 它们被设置成选中状态!");
    EXPECT_EQ(log.Messages()[3].text, "第1层的2号梁柱和3号梁柱有重叠部分, 它们被设置成选中状态!");
    EXPECT_FALSE(walls.items[0].obj.IsSelected());
}

}  // namespace

namespace {

// ---- region loads -------------------------------------------------------------------

// Load records as lists of points, one working record at a time.
class FakeRecords : public CPanelLoadRecords {
public:
    FakeRecords() { m_previous = SetPanelLoadRecords(this); }
    ~FakeRecords() override { SetPanelLoadRecords(m_previous); }
    using Record = std::vector<std::pair<double, double>>;

    int FrameLoadList(int frame) override { return frame % 3; }
    void StartFrameRecord(int list, int index) override
    {
        work = index >= 0 ? frames[size_t(list)][size_t(index)] : Record();
    }
    bool AppendFrameLineLoad(int, int n, const double* x, const double* v) override
    {
        if (refuse) return false;
        for (int i = 0; i < n; ++i) work.push_back({x[i], v[i]});
        return true;
    }
    bool FrameRecordIsZero() override
    {
        for (const auto& p : work)
            if (p.second != 0) return false;
        return true;
    }
    int StoreFrameRecord(int list) override
    {
        auto& l = frames[size_t(list)];
        for (size_t i = 0; i < l.size(); ++i)
            if (l[i] == work) return int(i);
        l.push_back(work);
        return int(l.size() - 1);
    }
    void StartWallRecord(int index) override { wall = index >= 0 ? walls[size_t(index)] : 0; }
    void AddToWallRecord(double v) override { wall += v; }
    bool WallRecordIsZero() override { return wall == 0; }
    int StoreWallRecord() override
    {
        for (size_t i = 0; i < walls.size(); ++i)
            if (walls[i] == wall) return int(i);
        walls.push_back(wall);
        return int(walls.size() - 1);
    }

    std::vector<Record> frames[3];
    std::vector<double> walls;
    Record work;
    double wall = 0;
    bool refuse = false;

private:
    CPanelLoadRecords* m_previous;
};

class RegionLoadTest : public EditsTest {
protected:
    void SetUp() override
    {
        EditsTest::SetUp();
        thePanelTransferTables.frames.assign(2, std::vector<int>(10, 0));
        thePanelTransferTables.walls.assign(2, std::vector<int>(10, 0));
    }
    int& FrameEntry(int lc, int id) { return thePanelTransferTables.frames[size_t(lc - 1)][size_t(id - 1)]; }
    FakeRecords records;
};

TEST_F(RegionLoadTest, SharesMergeIntoRecordsThatAreNeverStoredTwice)
{
    const double x[2] = {-0.0, -1.0}, zero[2] = {0, 1e-6};
    AddPanelLoadToFrame(3, 1, 2, x, zero);
    EXPECT_EQ(FrameEntry(1, 3), 0);
    EXPECT_TRUE(records.frames[0].empty());

    // The same share to two beams of one kind: one record, used twice.
    AddPanelValueLoadToFrame(3, 1, 5.0, 0, 0);
    AddPanelValueLoadToFrame(6, 1, 5.0, 0, 0);
    EXPECT_EQ(FrameEntry(1, 3), 1);
    EXPECT_EQ(FrameEntry(1, 6), 1);
    ASSERT_EQ(records.frames[0].size(), 1u);
    EXPECT_EQ(records.frames[0][0], (FakeRecords::Record{{-0.0, 5.0}, {-1.0, 5.0}}));
    // A second share to one beam adds to its own record.
    AddPanelValueLoadToFrame(3, 1, 5.0, 0, 0);
    EXPECT_EQ(FrameEntry(1, 3), 2);
    EXPECT_EQ(records.frames[0][1].size(), 4u);
    // Outside the tables, or refused by the family: nothing changes.
    AddPanelValueLoadToFrame(11, 1, 5.0, 0, 0);
    AddPanelValueLoadToFrame(3, 3, 5.0, 0, 0);
    records.refuse = true;
    AddPanelValueLoadToFrame(4, 2, 5.0, 0, 0);
    EXPECT_EQ(thePanelTransferTables.frames[1][3], 0);
    EXPECT_EQ(records.frames[0].size() + records.frames[1].size() + records.frames[2].size(), 2u);
}

TEST_F(RegionLoadTest, TrapezoidsAndTrianglesPeakAtTheRelativePosition)
{
    struct Case {
        double p;
        FakeRecords::Record points;
    } cases[] = {
        {0.7, {{-0.0, 0}, {-0.3, 2}, {-0.7, 2}, {-1.0, 0}}},
        {0.3, {{-0.0, 0}, {-0.3, 2}, {-0.7, 2}, {-1.0, 0}}},
        {0.5, {{-0.0, 0}, {-0.5, 2}, {-1.0, 0}}},
    };
    int frame = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.p);
        AddPanelValueLoadToFrame(frame, 2, 2.0, c.p, 1);
        const int list = frame % 3;
        ASSERT_EQ(thePanelTransferTables.frames[1][size_t(frame - 1)], int(records.frames[list].size()));
        const FakeRecords::Record& got = records.frames[list].back();
        ASSERT_EQ(got.size(), c.points.size());
        for (size_t i = 0; i < got.size(); ++i) {
            EXPECT_NEAR(got[i].first, c.points[i].first, 1e-12);
            EXPECT_EQ(got[i].second, c.points[i].second);
        }
        frame += 3;  // the same list, a fresh beam
    }
}

TEST_F(RegionLoadTest, WallsTakeTheResultantOfTheShare)
{
    const double x[3] = {0, 2, 4}, v[3] = {1, 1, 3};
    AddPanelLoadToFrame(-2, 1, 3, x, v);  // a wall: -((1+1)/2*2 + (1+3)/2*2)
    ASSERT_EQ(records.walls.size(), 1u);
    EXPECT_DOUBLE_EQ(records.walls[0], -6.0);
    EXPECT_EQ(thePanelTransferTables.walls[0][1], 1);
    AddPanelLoadToWall(2, 6.0, 1);  // back to nothing: the entry goes
    EXPECT_EQ(thePanelTransferTables.walls[0][1], 0);
    AddPanelLoadToWall(3, 1e-6, 1);
    EXPECT_EQ(records.walls.size(), 1u);
    EXPECT_TRUE(SameRegionNodes({1, 2, 3, 4}, {4, 2, 1, 3}));
    EXPECT_FALSE(SameRegionNodes({1, 2, 3}, {1, 2, 3, 4}));
}

// A canvas that keeps what is drawn on it.
class RecordingCanvas : public CModelCanvas {
public:
    RecordingCanvas() { m_previous = SetModelCanvas(this); }
    ~RecordingCanvas() override { SetModelCanvas(m_previous); }
    void Line(const double* p1, const double* p2, uint32_t colour, int) override
    {
        lines.push_back({p1[0], p1[1], p2[0], p2[1]});
        colours.push_back(colour);
    }
    void Text(const double*, const char* text, uint32_t, unsigned, double) override { texts.push_back(text); }
    std::vector<std::array<double, 4>> lines;
    std::vector<uint32_t> colours;
    std::vector<std::string> texts;

private:
    CModelCanvas* m_previous;
};

TEST_F(RegionLoadTest, RegionsDrawTheirPatternAndLabels)
{
    CRegionDrawing r;
    r.number = 12;
    r.labelled = true;
    r.centre = {2, 1, 0};
    r.corners = {{0, 0, 0}, {4, 0, 0}, {4, 2, 0}, {0, 2, 0}};
    r.loads = {{1, 3.5}, {2, 4.0}};
    theDisplayOptions.Switch(25) = 1;
    theDisplayOptions.Switch(28) = 1;
    struct Case {
        int type;
        std::vector<std::array<double, 4>> lines;
    } cases[] = {
        {1, {{4, 1, 0, 1}}},  // across the shorter sides
        {2, {{2, 0, 2, 2}}},  // across the longer sides
        {3, {{3, 1, 1, 1}, {4, 0, 3, 1}, {4, 2, 3, 1}, {0, 2, 1, 1}, {0, 0, 1, 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        RecordingCanvas canvas;
        r.type = c.type;
        DrawRegionLoads(r);
        EXPECT_EQ(canvas.lines, c.lines);
        EXPECT_EQ(canvas.texts, (std::vector<std::string>{"12", "2:4\n1:3.5"}));
    }
    {  // A square: the ridge shrinks to its centre.
        RecordingCanvas canvas;
        CRegionDrawing sq = r;
        sq.type = 3;
        sq.corners = {{0, 0, 0}, {2, 0, 0}, {2, 2, 0}, {0, 2, 0}};
        DrawRegionLoads(sq);
        ASSERT_FALSE(canvas.lines.empty());
        EXPECT_EQ(canvas.lines[0], (std::array<double, 4>{1, 1, 1, 1}));
    }
    {  // To the nodes, in the selection colour; without the label flag no texts.
        RecordingCanvas canvas;
        r.type = 4;
        r.selected = true;
        r.labelled = false;
        r.nodes = {{0, 0, 0}, {5, 5, 0}};
        DrawRegionLoads(r);
        EXPECT_EQ(canvas.lines, (std::vector<std::array<double, 4>>{{2, 1, 0, 0}, {2, 1, 5, 5}}));
        EXPECT_EQ(canvas.colours[0], theRegionLoadColours.selected);
        EXPECT_TRUE(canvas.texts.empty());
    }
    {  // Loads switched off.
        RecordingCanvas canvas;
        theDisplayOptions.Switch(25) = 0;
        DrawRegionLoads(r);
        EXPECT_TRUE(canvas.lines.empty());
    }
}

}  // namespace
