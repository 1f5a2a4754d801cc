// Axis grids: the dialog's table form, grid nodes of the three kinds, the
// project-file block with its older layouts and damage, unit scaling and the
// edits of grids and single lines.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "tests/support/AppHelpersStandIn.h"
#include "tests/support/LeBytes.h"
#include "tests/vek/model/ModelTestSupport.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/axisgrid/AxisGrid.h"
#include "vek/model/axisgrid/AxisGridEdit.h"
#include "vek/model/display/DisplayOptions.h"

using namespace vektest;

namespace {

CAxisList Table(std::initializer_list<std::pair<int, double>> rows)
{
    CAxisList t;
    for (const auto& r : rows) t.Add(CAxisGridItem(r.first, r.second));
    return t;
}

std::vector<double> Positions(const CAxisList& l)
{
    std::vector<double> p;
    for (int i = 0; i < l.GetSize(); ++i) p.push_back(AxisPosition(l, i));
    return p;
}

std::vector<int> Numbers(const CAxisList& l)
{
    std::vector<int> n;
    for (int i = 0; i < l.GetSize(); ++i) n.push_back(AxisNumber(l, i));
    return n;
}

// A rectangular grid with lines at the given positions, numbered 1..n.
CAxisGrid* Rect(std::vector<double> xs, std::vector<double> ys)
{
    CAxisGrid* g = new CAxisGrid;
    for (size_t i = 0; i < xs.size(); ++i) g->First().Add(CAxisGridItem(int(i) + 1, xs[i]));
    for (size_t i = 0; i < ys.size(); ++i) g->Second().Add(CAxisGridItem(int(i) + 1, ys[i]));
    return g;
}

void Select(CAxisList& l, int index)
{
    l.GetAt(index)->slctit();
}

class AxisGrids : public ::testing::Test {
protected:
    void SetUp() override
    {
        theProjectOptions = CProjectOptions();
        theDisplayOptions.Reset();
        theDisplayOptions.Switch(3) = 1;
        theAxisGrids.RemoveAll();
        theGridNodes.SetSize(0);
    }
    void TearDown() override { theAxisGrids.RemoveAll(); }
};

}  // namespace

TEST_F(AxisGrids, TablesMakeLinesAndLinesGiveTablesBack)
{
    struct Case {
        CAxisList table;
        std::vector<double> lines;
    };
    const Case cases[] = {
        {Table({{1, 0}, {2, 6000}, {5, 3000}}), {0, 6000, 12000, 18000, 21000}},
        {Table({{3, 5000}}), {5000, 10000, 15000}},
        {Table({{1, 0}}), {0}},
        {Table({}), {}},
        // A repeated number: the first of the pair makes nothing.
        {Table({{1, 100}, {2, 7}, {2, 9}}), {100, 109}},
    };
    for (const Case& c : cases) {
        CAxisGrid g;
        ASSERT_TRUE(g.SetFromTables(c.table, c.table));
        EXPECT_EQ(Positions(g.First()), c.lines);
        EXPECT_EQ(Positions(g.Second()), c.lines);
        std::vector<int> numbers;
        for (size_t i = 0; i < c.lines.size(); ++i) numbers.push_back(int(i) + 1);
        EXPECT_EQ(Numbers(g.First()), numbers);
    }
    CAxisGrid g;
    g.SetFromTables(Table({{1, 0}, {2, 6000}, {5, 3000}}), Table({}));
    CAxisList t1, t2;
    g.GetTables(t1, t2);
    EXPECT_EQ(Numbers(t1), (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(Positions(t1), (std::vector<double>{0, 6000, 6000, 6000, 3000}));
    EXPECT_EQ(t2.GetSize(), 0);
    // A number typed too large is refused, not turned into millions of lines.
    EXPECT_FALSE(g.SetFromTables(Table({{1, 0}, {2000000000, 1}}), Table({})));
    EXPECT_EQ(g.First().GetSize(), 5);
}

TEST_F(AxisGrids, GridNodesOfTheThreeKinds)
{
    auto nodes = [](const CAxisGrid& g) {
        MLArray<GridNode> out, extent;
        g.GenerateGridNodes(out, &extent);
        std::vector<std::pair<double, double>> v;
        for (int i = 0; i < out.GetSize(); ++i) v.push_back({out.GetAt(i)->x, out.GetAt(i)->y});
        return std::make_pair(v, extent.GetSize());
    };
    auto near = [](std::pair<double, double> a, double x, double y) {
        return std::fabs(a.first - x) < 1e-9 && std::fabs(a.second - y) < 1e-9;
    };

    // Rectangular, turned by 90 degrees about (10, 5): local (u, v) lies at (10 - v, 5 + u).
    std::unique_ptr<CAxisGrid> r(Rect({0, 4}, {1}));
    r->SetOrigin(10, 5, 90);
    auto [rn, re] = nodes(*r);
    ASSERT_EQ(rn.size(), 2u);
    EXPECT_TRUE(near(rn[0], 9, 5));
    EXPECT_TRUE(near(rn[1], 9, 9));
    EXPECT_EQ(re, 2);

    // Polar: radii 5 and 10, angles 0 and 90.
    std::unique_ptr<CAxisGrid> p(Rect({5, 10}, {0, 90}));
    p->SetKind(CAxisGrid::kPolar);
    auto [pn, pe] = nodes(*p);
    ASSERT_EQ(pn.size(), 4u);
    EXPECT_TRUE(near(pn[0], 5, 0));
    EXPECT_TRUE(near(pn[1], 0, 5));
    EXPECT_TRUE(near(pn[3], 0, 10));

    // Eccentric: rays from P = (0, 0) about the circle centre C = (10, 0).
    struct Case {
        double radius, rayDeg;
        int count;
        double x, y;  // the node that bounds the extent (the far one)
    };
    const Case cases[] = {
        {2, 0, 2, 12, 0},   // through: nodes at 8 and 12
        {2, 90, 0, 0, 0},   // misses
        {10, 90, 1, 0, 0},  // tangent at P: t = 0, one node
        {12, 0, 1, 22, 0},  // P inside the circle: only the node ahead
    };
    for (const Case& c : cases) {
        CAxisGrid e;
        e.SetKind(CAxisGrid::kEccentric);
        e.SetEccentricCentres(0, 0, 10, 0, 0);
        e.First().Add(CAxisGridItem(1, c.radius));
        e.Second().Add(CAxisGridItem(1, c.rayDeg));
        auto [en, ee] = nodes(e);
        ASSERT_EQ(int(en.size()), c.count) << c.radius << " " << c.rayDeg;
        if (c.count == 2) {
            EXPECT_TRUE(near(en[0], 8, 0));
        }
        if (c.x != 0) {
            EXPECT_TRUE(near(en.back(), c.x, c.y));
        }
        EXPECT_EQ(ee, c.count == 2 || c.x != 0 ? 1 : 0);
    }

    // Without a second list there are no nodes; hidden grids and a hidden
    // axis-grid switch give none either.
    std::unique_ptr<CAxisGrid> half(Rect({0, 1, 2}, {}));
    EXPECT_TRUE(nodes(*half).first.empty());
    theAxisGrids.Add(Rect({0, 4}, {0, 3}));
    theAxisGrids.Add(Rect({100}, {100}));
    theAxisGrids.GetAt(1)->SetVisible(false);
    RegenerateGridNodes();
    EXPECT_EQ(theGridNodes.GetSize(), 4);
    EXPECT_TRUE(theGridNodeBox.valid);
    EXPECT_EQ(theGridNodeBox.maxX, 4);
    EXPECT_EQ(theGridNodeBox.maxY, 3);
    theDisplayOptions.Switch(3) = 0;
    RegenerateGridNodes();
    EXPECT_EQ(theGridNodes.GetSize(), 0);
    EXPECT_FALSE(theGridNodeBox.valid);
}

TEST_F(AxisGrids, GridNodesAreEqualWithinTheNodeSpacingOnly)
{
    const double t = theProjectOptions.dHorzNodeSpacing;
    EXPECT_TRUE((GridNode{0, 0} == GridNode{t / 2, -t / 2}));
    EXPECT_FALSE((GridNode{0, 0} == GridNode{t, 0}));
    EXPECT_FALSE((GridNode{0, 0} == GridNode{0, std::numeric_limits<double>::quiet_NaN()}));
}

namespace {

// The block of one rectangular grid "轴网A" at (1.5, -2), turned 0.25 rad,
// lines x = 0, 6 and y = 3 (the second line selected), worked out field by field.
Bytes RectGridBytes()
{
    const std::string name = "轴网A";
    return LeBytes()
        .i32(int64_t(name.size()))
        .text(name)
        .i32(0)
        .f64(1.5)
        .f64(-2)
        .f64(0.25)
        .i32(2)
        .i32(1)
        .i32(1)
        .f64(0)
        .i8(1)
        .i8(0)
        .i32(2)
        .f64(6)
        .i8(1)
        .i8(1)
        .i32(1)
        .f64(3)
        .i8(1)
        .i8(0)
        .i8(1);
}

// An eccentric grid "E": ray origin (1, 2), circle centre (3, 4), angle 0,
// one circle of radius 5 and no rays, hidden.
Bytes EccentricGridBytes()
{
    return LeBytes()
        .i32(1)
        .text("E")
        .i32(2)
        .f32(1)
        .f32(3)
        .f32(2)
        .f32(4)
        .f64(0)
        .i32(1)
        .i32(0)
        .i32(1)
        .f64(5)
        .i8(1)
        .i8(0)
        .i8(0);
}

}  // namespace

TEST_F(AxisGrids, BlockBytesOfEachKindAndTheSameBytesAfterALoad)
{
    CAxisGrid* g = Rect({0, 6}, {3});
    g->SetName("轴网A");
    g->SetOrigin(1.5, -2, 0.25 * 57.29577951308232);
    g->First().GetAt(1)->slctit();
    theAxisGrids.Add(g);
    CAxisGrid* e = new CAxisGrid;
    e->SetName("E");
    e->SetKind(CAxisGrid::kEccentric);
    e->SetEccentricCentres(1, 2, 3, 4, 0);
    e->First().Add(CAxisGridItem(1, 5.0));
    e->SetVisible(false);
    theAxisGrids.Add(e);
    EXPECT_EQ(theProjectOptions.nAxisGridCount, 2);

    Bytes expected = RectGridBytes();
    const Bytes ecc = EccentricGridBytes();
    expected.insert(expected.end(), ecc.begin(), ecc.end());
    const Bytes written = WriteBlock([](bofstream& out) { EXPECT_TRUE(WriteAxisGrids(out)); });
    EXPECT_EQ(written, expected);

    theAxisGrids.RemoveAll();
    theProjectOptions.nAxisGridCount = 2;
    long rest = -1;
    ASSERT_TRUE(ReadBlock(
        written, [](bifstream& in) { return ReadAxisGrids(in); }, &rest));
    EXPECT_EQ(rest, 0);
    ASSERT_EQ(theAxisGrids.GetCount(), 2);
    const CAxisGrid& r = *theAxisGrids.GetAt(0);
    EXPECT_STREQ(r.GetName(), "轴网A");
    double x, y, a;
    r.GetOrigin(x, y, a);
    EXPECT_EQ(x, 1.5);
    EXPECT_EQ(y, -2);
    EXPECT_DOUBLE_EQ(r.GetAngle(), 0.25);
    // The stored selected mark is not taken back.
    EXPECT_FALSE(const_cast<CAxisGrid&>(r).First().GetAt(1)->isslcted());
    EXPECT_FALSE(theAxisGrids.GetAt(1)->IsVisible());
    float px, py, cx, cy;
    theAxisGrids.GetAt(1)->GetEccentricCentres(px, py, cx, cy, a);
    EXPECT_EQ(px, 1);
    EXPECT_EQ(py, 2);
    EXPECT_EQ(cx, 3);
    EXPECT_EQ(cy, 4);
    // Grid nodes are made again after loading.
    EXPECT_EQ(theGridNodes.GetSize(), 2);

    // Save, load, save: the same bytes (the selected mark now reads 0).
    expected[size_t(4 + 5 + 4 + 24 + 8 + 14 + 14 - 1)] = 0;
    const Bytes again = WriteBlock([](bofstream& out) { WriteAxisGrids(out); });
    EXPECT_EQ(again, expected);
}

TEST_F(AxisGrids, OlderLayoutsSkipTheirBytesAndOldNodeLists)
{
    struct Case {
        int version;
        int skipAfterAngle;
        bool visibleByte;
        bool oldNodes;
    };
    const Case cases[] = {{706, 0, true, false}, {690, 0, true, false}, {680, 2, true, false},
                          {600, 2, true, false}, {500, 3, false, true}, {360, 2, false, true}};
    for (const Case& c : cases) {
        Bytes b = LeBytes().i32(2).text("G1").i32(1).f64(3).f64(4).f64(0);
        LeBytes::Onto(b)
            .skip(size_t(c.skipAfterAngle))
            .i32(1)
            .i32(1)
            .i32(1)
            .f64(7)
            .i8(1)
            .i8(0)
            .i32(1)
            .f64(45)
            .i8(1)
            .i8(0);
        if (c.visibleByte) LeBytes::Onto(b).i8(0);
        if (c.oldNodes) LeBytes::Onto(b).i32(2).skip(32);
        ProjectVersion v(c.version);
        theAxisGrids.RemoveAll();
        theProjectOptions.nAxisGridCount = 1;
        long rest = -1;
        ASSERT_TRUE(ReadBlock(
            b, [](bifstream& in) { return ReadAxisGrids(in); }, &rest))
            << c.version;
        EXPECT_EQ(rest, 0) << c.version;
        ASSERT_EQ(theAxisGrids.GetCount(), 1);
        const CAxisGrid& g = *theAxisGrids.GetAt(0);
        EXPECT_EQ(g.GetKind(), CAxisGrid::kPolar);
        EXPECT_EQ(AxisPosition(g.First(), 0), 7);
        EXPECT_EQ(AxisPosition(g.Second(), 0), 45);
        EXPECT_EQ(g.IsVisible(), !c.visibleByte) << c.version;
    }
}

TEST_F(AxisGrids, DamagedBlocksChangeNothing)
{
    theAxisGrids.Add(Rect({1, 2}, {3}));
    theAxisGrids.GetAt(0)->SetName("old");
    const Bytes good = RectGridBytes();
    auto refused = [&](const Bytes& b, int count) {
        theProjectOptions.nAxisGridCount = count;
        const bool read = ReadBlock(b, [](bifstream& in) { return ReadAxisGrids(in) && in.IsGood(); });
        theProjectOptions.nAxisGridCount = theAxisGrids.GetCount();
        return !read && theAxisGrids.GetCount() == 1 && std::strcmp(theAxisGrids.GetAt(0)->GetName(), "old") == 0;
    };
    // Every truncation of a sound block.
    for (size_t n = 0; n < good.size(); ++n) EXPECT_TRUE(refused(Bytes(good.begin(), good.begin() + long(n)), 1)) << n;
    // Two grids announced, one there.
    EXPECT_TRUE(refused(good, 2));
    // A count the options could not hold.
    EXPECT_TRUE(refused(good, 21));
    EXPECT_TRUE(refused(good, -1));
    auto patched = [&](size_t at, const Bytes& field) {
        Bytes b = good;
        std::copy(field.begin(), field.end(), b.begin() + long(at));
        return b;
    };
    const size_t kind = 4 + 5, counts = kind + 4 + 24;
    EXPECT_TRUE(refused(patched(0, Le32(256)), 1));                  // name too long
    EXPECT_TRUE(refused(patched(0, Le32(-3)), 1));                   // negative name length
    EXPECT_TRUE(refused(patched(kind, Le32(3)), 1));                 // no such kind
    EXPECT_TRUE(refused(patched(counts, Le32(-1)), 1));              // negative line count
    EXPECT_TRUE(refused(patched(counts, Le32(10001)), 1));           // more lines than a grid holds
    EXPECT_TRUE(refused(patched(counts + 4, Le32(0x7fffffff)), 1));  // more lines than the file
    EXPECT_TRUE(refused(patched(kind + 4, F64(std::numeric_limits<double>::infinity())), 1));
    EXPECT_TRUE(refused(patched(counts + 8 + 4, F64(std::numeric_limits<double>::quiet_NaN())), 1));
    // An old file's node list longer than the file.
    ProjectVersion v(500);
    const Bytes old = LeBytes().i32(0).i32(0).f64(0).f64(0).f64(0).skip(3).i32(0).i32(0).i32(1000).skip(16);
    EXPECT_TRUE(refused(old, 1));
}

TEST_F(AxisGrids, UnitScalingLeavesAnglesAlone)
{
    CAxisGrid* r = Rect({1000, 2000}, {500});
    r->SetOrigin(100, 200, 30);
    CAxisGrid* p = Rect({5000}, {0, 90});
    p->SetKind(CAxisGrid::kPolar);
    CAxisGrid* e = new CAxisGrid;
    e->SetKind(CAxisGrid::kEccentric);
    e->SetEccentricCentres(1000, 2000, 3000, 4000, 15);
    e->First().Add(CAxisGridItem(1, 1000.0));
    e->Second().Add(CAxisGridItem(1, 45.0));
    theAxisGrids.Add(r);
    theAxisGrids.Add(p);
    theAxisGrids.Add(e);
    RegenerateGridNodes();
    const double node0x = theGridNodes.GetAt(0)->x;
    ScaleAxisGrids(0.001);
    ScaleGridNodes(0.001);
    EXPECT_EQ(Positions(r->First()), (std::vector<double>{1, 2}));
    EXPECT_EQ(Positions(r->Second()), (std::vector<double>{0.5}));
    double x, y, a;
    r->GetOrigin(x, y, a);
    EXPECT_DOUBLE_EQ(x, 0.1);
    EXPECT_DOUBLE_EQ(y, 0.2);
    EXPECT_DOUBLE_EQ(a, 30);
    EXPECT_EQ(Positions(p->First()), (std::vector<double>{5}));
    EXPECT_EQ(Positions(p->Second()), (std::vector<double>{0, 90}));
    float px, py, cx, cy;
    e->GetEccentricCentres(px, py, cx, cy, a);
    EXPECT_FLOAT_EQ(px, 1);
    EXPECT_FLOAT_EQ(py, 2);
    EXPECT_FLOAT_EQ(cx, 3);
    EXPECT_FLOAT_EQ(cy, 4);
    EXPECT_EQ(Positions(e->Second()), (std::vector<double>{45}));
    EXPECT_DOUBLE_EQ(theGridNodes.GetAt(0)->x, node0x * 0.001);
}

TEST_F(AxisGrids, DeletingGridsAndLines)
{
    RecordingHooks hooks;
    AppHelperLog log;
    for (int i = 0; i < 4; ++i) {
        theAxisGrids.Add(Rect({double(i)}, {0}));
        theAxisGrids.GetAt(i)->SetName(i == 1 ? "2" : i == 3 ? "4" : "x");
    }
    EXPECT_EQ(DeleteSelectedGrids(), 0);
    EXPECT_EQ(hooks.invalidated, 0);
    EXPECT_EQ(log.LastModified(), -1);
    theAxisGrids.GetAt(0)->m_nFlags |= kObjSelected;
    theAxisGrids.GetAt(2)->m_nFlags |= kObjSelected;
    DeleteSelectedAxisGrids();
    ASSERT_EQ(theAxisGrids.GetCount(), 2);
    EXPECT_STREQ(theAxisGrids.GetAt(0)->GetName(), "2");
    EXPECT_STREQ(theAxisGrids.GetAt(1)->GetName(), "4");
    EXPECT_EQ(theProjectOptions.nAxisGridCount, 2);
    EXPECT_EQ(theGridNodes.GetSize(), 2);
    EXPECT_EQ(hooks.invalidated, 1);
    EXPECT_EQ(log.LastModified(), 1);

    // Lines 2 and 4 of 1..5 go; the rest are numbered 1..3 at their places.
    theAxisGrids.RemoveAll();
    theAxisGrids.Add(Rect({0, 10, 20, 30, 40}, {0}));
    CAxisGrid& g = *theAxisGrids.GetAt(0);
    g.m_nFlags |= kObjSelected;
    Select(g.First(), 1);
    Select(g.First(), 3);
    EXPECT_EQ(DeleteSelectedAxes(), 2);
    EXPECT_EQ(Numbers(g.First()), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(Positions(g.First()), (std::vector<double>{0, 20, 40}));
    EXPECT_FALSE(g.IsSelected());
    EXPECT_EQ(DeleteSelectedAxes(), 0);
}

TEST_F(AxisGrids, AddingALineAtAnOffset)
{
    RecordingHooks hooks;
    AppHelperLog log;
    struct Case {
        std::vector<double> lines;
        int reference;
        double offset;
        std::vector<double> after;
        int newNumber;
    };
    const Case cases[] = {
        {{0, 6000, 12000}, 1, 3000, {0, 6000, 9000, 12000}, 3},
        {{0, 6000, 12000}, 0, -6000, {-6000, 0, 6000, 12000}, 1},
        {{0, 6000, 12000}, 2, 1000, {0, 6000, 12000, 13000}, 4},
        // Positions falling along the list: number 2 lies between 12000 and 6000.
        {{12000, 6000, 0}, 0, -3000, {12000, 9000, 6000, 0}, 2},
    };
    for (const Case& c : cases) {
        theAxisGrids.RemoveAll();
        theAxisGrids.Add(Rect(c.lines, {0}));
        CAxisGrid& g = *theAxisGrids.GetAt(0);
        Select(g.First(), c.reference);
        CAxisOffset o;
        o.value = c.offset;
        ASSERT_EQ(AddAxisByOffset(o), 1);
        EXPECT_EQ(Positions(g.First()), c.after);
        EXPECT_EQ(Numbers(g.First()), (std::vector<int>{1, 2, 3, 4}));
        EXPECT_EQ(AxisPosition(g.First(), c.newNumber - 1), c.lines[size_t(c.reference)] + c.offset);
        for (int i = 0; i < g.First().GetSize(); ++i) EXPECT_FALSE(g.First().GetAt(i)->isslcted());
    }
    EXPECT_EQ(hooks.invalidated, 4);
    EXPECT_EQ(log.LastModified(), 1);

    // A selected line of the second list is the reference, with dy.
    theAxisGrids.RemoveAll();
    theAxisGrids.Add(Rect({0, 10}, {0, 10}));
    CAxisGrid& g = *theAxisGrids.GetAt(0);
    Select(g.First(), 0);
    Select(g.Second(), 1);
    CAxisOffset picked;
    picked.picked = 1;
    picked.p2[0] = 100;
    picked.p2[1] = 5;
    ASSERT_EQ(AddAxisByOffset(picked), 1);
    EXPECT_EQ(Positions(g.First()), (std::vector<double>{0, 10}));
    EXPECT_EQ(Positions(g.Second()), (std::vector<double>{0, 10, 15}));
    EXPECT_FALSE(g.First().GetAt(0)->isslcted());
}

TEST_F(AxisGrids, AnOffsetRefusedForOneGridChangesNoGrid)
{
    RecordingHooks hooks;
    AppHelperLog log;
    // Grid 1 could take a line at 3000; grid 2 has one there already.
    theAxisGrids.Add(Rect({0, 6000}, {0}));
    theAxisGrids.Add(Rect({0, 3000.000001}, {0}));
    for (int i = 0; i < 2; ++i) {
        theAxisGrids.GetAt(i)->m_nFlags |= kObjSelected;
        Select(theAxisGrids.GetAt(i)->First(), 0);
    }
    CAxisOffset o;
    o.value = 3000;
    EXPECT_EQ(AddAxisByOffset(o), 0);
    ASSERT_EQ(hooks.prompts.size(), 1u);
    EXPECT_EQ(hooks.prompts[0], "轴线已存在!");
    for (int i = 0; i < 2; ++i) {
        const CAxisGrid& g = *theAxisGrids.GetAt(i);
        EXPECT_EQ(g.First().GetSize(), 2) << i;
        EXPECT_TRUE(g.IsSelected()) << i;
        EXPECT_TRUE(const_cast<CAxisGrid&>(g).First().GetAt(0)->isslcted()) << i;
    }
    EXPECT_EQ(hooks.invalidated, 0);
    EXPECT_EQ(log.LastModified(), -1);

    // Offsets below the node spacing are refused with a box, for adding and moving.
    o.value = theProjectOptions.dHorzNodeSpacing / 2;
    EXPECT_EQ(AddAxisByOffset(o), 0);
    EXPECT_EQ(MoveSelectedAxes(o), 0);
    ASSERT_EQ(log.Messages().size(), 2u);
    EXPECT_EQ(log.Messages()[0].text, "距离值小于节点最小间距，没有增加新的轴线!");
    EXPECT_EQ(log.Messages()[1].text, "距离值小于节点最小间距，不能移动轴线!");
    EXPECT_EQ(theAxisGrids.GetAt(0)->First().GetSize(), 2);
}

TEST_F(AxisGrids, MovingLinesAndOffsetsPickedInAnElevation)
{
    RecordingHooks hooks;
    AppHelperLog log;
    // An elevation whose plane coordinates are (y, z).
    struct Elevation : TestProjection {
        void WorldToPlane(const double* p, double& u, double& v) const override
        {
            u = p[1];
            v = p[2];
        }
    } view;
    view.mode = 2;
    theAxisGrids.Add(Rect({0, 10}, {0, 10}));
    CAxisGrid& g = *theAxisGrids.GetAt(0);
    Select(g.First(), 1);
    CAxisOffset o;
    o.picked = 1;
    o.p1[0] = 50;  // x does not count in this elevation
    o.p2[1] = 4;
    o.p2[2] = 7;
    ASSERT_EQ(MoveSelectedAxes(o), 1);
    EXPECT_EQ(Positions(g.First()), (std::vector<double>{0, 14}));
    EXPECT_EQ(Positions(g.Second()), (std::vector<double>{0, 10}));
    EXPECT_FALSE(g.First().GetAt(1)->isslcted());
    EXPECT_EQ(hooks.invalidated, 1);
    // Nothing selected: nothing moves and nothing is redrawn.
    EXPECT_EQ(MoveSelectedAxes(o), 0);
    EXPECT_EQ(hooks.invalidated, 1);
}
