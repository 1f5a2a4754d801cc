#include <gtest/gtest.h>

#include <cstring>

#include "tests/support/AppHelpersStandIn.h"
#include "tests/support/LeBytes.h"
#include "tests/vek/model/ModelTestSupport.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/display/DisplayCommands.h"
#include "vek/model/display/DisplayOptions.h"
#include "vek/model/storeys/LevelTable.h"

using namespace vektest;

namespace {

struct DisplayFixture : ::testing::Test {
    void SetUp() override
    {
        theDisplayOptions.Reset();
        theDisplayRange.Reset();
        theLevels.Reset();
        theLevelRange.Reset();
    }
    void TearDown() override { SetUp(); }
};

// A display options record whose every switch byte holds its own index + 1.
CDisplayOptions Numbered()
{
    CDisplayOptions o;
    for (int i = 0; i < 32; ++i) o.Switch(i) = uint8_t(i + 1);
    for (int i = 36; i < 40; ++i) o.Switch(i) = uint8_t(i + 1);
    o.m_word = 0x12345678;
    return o;
}

}  // namespace

using DisplayRecords = DisplayFixture;

TEST_F(DisplayRecords, ObjectBaseStoresItsDisplayStateAndReadsItsFlagByte)
{
    FakeObject o;
    o.m_nFlags = 0xFF03;
    o.state = 2;
    EXPECT_EQ(o.UpdateRangeFlags(), 8u);
    EXPECT_EQ(o.m_nFlags, 0xFF0Bu);
    EXPECT_EQ(o.UpdateRangeFlags(), 0u);
    o.state = 1;
    EXPECT_EQ(o.UpdateRangeFlags(), 12u);
    EXPECT_EQ(o.GetDisplayBits(), 1);

    const Bytes b = LeBytes().i8(0x41);
    {
        ProjectVersion v(699);
        ASSERT_TRUE(ReadBlock(b, [&](bifstream& in) {
            o.ReadFlags(in);
            return in.TellPos() == 0;
        }));
    }
    ProjectVersion v(700);
    ReadBlock(b, [&](bifstream& in) {
        o.ReadFlags(in);
        return true;
    });
    EXPECT_EQ(o.m_nFlags, 0xFF41u);
}

TEST_F(DisplayRecords, DefaultsOfTheDisplayOptions)
{
    const CDisplayOptions& o = theDisplayOptions;
    for (int i : {0, 1, 5, 6, 7, 10, 11, 26, 38, 39}) EXPECT_EQ(o.Switch(i), 0) << i;
    for (int i : {2, 3, 4, 8, 9, 12, 20, 25, 27, 28, 36, 37}) EXPECT_EQ(o.Switch(i), 1) << i;
    EXPECT_EQ(o.m_word, 17u);
}

TEST_F(DisplayRecords, DisplayOptionsBlockBytesAndRoundTrip)
{
    const CDisplayOptions o = Numbered();
    const Bytes got = WriteBlock([&](bofstream& out) { o.Write(out); });
    LeBytes want;
    for (int i :
         {0, 1, 4, 11, 8, 17, 18, 19, 20, 10, 36, 5, 6, 7, 9, 12, 13, 14, 21, 15, 16, 22, 25, 28, 3, 26, 27, 2, 24, 23})
        want.i8(i + 1);
    want.i32(0x12345678).i8(38).i8(39).i8(40);
    ASSERT_EQ(got.size(), 37u);
    EXPECT_EQ(got, want.bytes());
    ASSERT_TRUE(ReadBlock(got, [](bifstream& in) { return theDisplayOptions.Read(in); }));
    for (int i = 0; i < 29; ++i) EXPECT_EQ(theDisplayOptions.Switch(i), i + 1) << i;
    for (int i = 36; i < 40; ++i) EXPECT_EQ(theDisplayOptions.Switch(i), i + 1) << i;
    EXPECT_EQ(theDisplayOptions.m_word, 0x12345678u);
}

TEST_F(DisplayRecords, DisplayOptionsOfAVersion500File)
{
    // Hand-made: three int32 switches, 8 bytes, the old int32 and 16-bit
    // forms, byte 23, the old word, byte 37, then the node spacings.
    ProjectVersion v(500);
    LeBytes b;
    b.i32(0x101).i32(0).i32(1);                         // bytes 0, 1, 4 from the low bytes
    b.i8(1).i8(1).i8(1).i8(1).i8(0).i8(1).i8(1).i8(0);  // bytes 36, 5, 6, 7, 9, 12, 13, 14
    b.i32(0x200);                                       // byte 21 = 0
    b.i8(1).i8(5).i8(0).i8(0);                          // byte 15 = 1, byte 16 = 1
    b.i32s({1, 0, 1, 1, 0});                            // bytes 22, 25, 3, 26, 27
    b.i16(7).i16(0);                                    // byte 2 = 1, byte 24 = 0
    b.i8(1);                                            // byte 23
    b.i8(0).skip(2).i32(1).i32(2).i32(0);               // word bits 0-4
    b.i8(0);                                            // byte 37
    b.skip(3).f64(0.05).f32(0.0f);
    long rest = 0;
    ASSERT_TRUE(ReadBlock(
        b, [](bifstream& in) { return theDisplayOptions.Read(in); }, &rest));
    EXPECT_EQ(rest, 0);
    const CDisplayOptions& o = theDisplayOptions;
    EXPECT_EQ(o.Switch(0), 1);
    EXPECT_EQ(o.Switch(4), 1);
    EXPECT_EQ(o.Switch(5), 0);  // before 601
    EXPECT_EQ(o.Switch(8), 1);
    EXPECT_EQ(o.Switch(9), 0);
    EXPECT_EQ(o.Switch(16), 1);
    EXPECT_EQ(o.Switch(21), 0);
    EXPECT_EQ(o.Switch(25), 0);
    EXPECT_EQ(o.Switch(2), 1);
    EXPECT_EQ(o.Switch(24), 0);
    EXPECT_EQ(o.m_word & 31u, 0b10011u);
    EXPECT_EQ(theProjectOptions.dHorzNodeSpacing, 0.05);
    EXPECT_FLOAT_EQ(theProjectOptions.fVertNodeSpacing, 0.002f);
    theProjectOptions.dHorzNodeSpacing = 0.02;
    theProjectOptions.fVertNodeSpacing = float(0.01f);
}

TEST_F(DisplayRecords, DisplayRangeBlockAndItsOlderLayouts)
{
    for (int k = 0; k < 9; ++k) theDisplayRange.ranges[k] = {k + 1, 100 + k, 1};
    const Bytes got = WriteBlock([](bofstream& out) { theDisplayRange.Write(out); });
    ASSERT_EQ(got.size(), 108u);
    EXPECT_EQ(ReadLe32(got, 12), 2u);
    theDisplayRange.Reset();
    ASSERT_TRUE(ReadBlock(got, [](bifstream& in) { return theDisplayRange.Read(in); }));
    EXPECT_EQ(theDisplayRange.ranges[8].to, 108);

    theDisplayRange.Reset();
    ProjectVersion v(550);
    LeBytes old;
    for (int k = 0; k < 5; ++k) old.i32s({2, 50, k});
    old.skip(12).i32(123);
    long rest = 0;
    ASSERT_TRUE(ReadBlock(
        old, [](bifstream& in) { return theDisplayRange.Read(in); }, &rest));
    EXPECT_EQ(rest, 4);
    EXPECT_EQ(theDisplayRange.ranges[0].step, 1);  // 0 read as 1
    EXPECT_EQ(theDisplayRange.ranges[4].step, 4);
    EXPECT_EQ(theDisplayRange.ranges[5].to, 0);  // not in the file
}

TEST_F(DisplayRecords, ValidateBringsRangesIntoTheStores)
{
    FakeFamily nodes(EFamily::Nodes);
    nodes.Add(3);
    nodes.Add(12);
    theDisplayRange.ranges[0] = {0, 50, 0};
    theDisplayRange.ranges[1] = {5, -3, 2};
    theDisplayRange.Validate();
    EXPECT_EQ(theDisplayRange.ranges[0].from, 1);
    EXPECT_EQ(theDisplayRange.ranges[0].to, 12);
    EXPECT_EQ(theDisplayRange.ranges[0].step, 1);
    // An empty frame store: from 1 to 0, so no frame is in range.
    EXPECT_EQ(theDisplayRange.ranges[1].from, 1);
    EXPECT_EQ(theDisplayRange.ranges[1].to, 0);
    EXPECT_FALSE(theDisplayRange.ranges[1].Contains(1));
    theDisplayRange.ShowAll();
    EXPECT_TRUE(theDisplayRange.ranges[0].Contains(12));
    EXPECT_TRUE(theDisplayRange.ranges[0].Contains(7));
}

TEST_F(DisplayRecords, NodesOfShownElementsOnlyWhenAsked)
{
    FakeFamily nodes(EFamily::Nodes), frames(EFamily::Frames), shells(EFamily::Shells);
    for (int id = 1; id <= 5; ++id) nodes.Node(id, 0, 0, 0).obj.state = 0;
    nodes.ByID(3)->obj.state = 2;
    frames.Element(1, {1, 2}).obj.state = 1;
    frames.Element(2, {4, 5}).obj.state = 0;
    shells.Element(1, {3, 4, 0, -1}).obj.state = 2;
    FakeFamily regions(EFamily::StiffRegions);
    regions.Add(1).inner.resize(2);
    RecordingHooks hooks;
    theDisplayOptions.SetWordBit(10, true);
    CDisplayOptions::UpdateVisibleObjects();
    // Nodes answer their own test last: shown ones keep their answer.
    EXPECT_EQ(nodes.ByID(1)->obj.GetDisplayBits(), 0);
    EXPECT_EQ(nodes.ByID(3)->obj.GetDisplayBits(), 2);
    EXPECT_EQ(frames.ByID(1)->obj.GetDisplayBits(), 1);
    EXPECT_EQ(shells.ByID(1)->obj.GetDisplayBits(), 2);
    EXPECT_EQ(regions.ByID(1)->inner[1].GetDisplayBits(), 1);
    EXPECT_EQ(hooks.maxima, 0);
    theProjectOptions.SetOption(CProjectOptions::kMaxOverShownOnly, true);
    CDisplayOptions::UpdateVisibleObjects();
    EXPECT_EQ(hooks.maxima, 1);
    theProjectOptions.SetOption(CProjectOptions::kMaxOverShownOnly, false);
}

namespace {
// Nodes whose own test reads the state their elements left, as the node
// family does when only the nodes of shown elements are drawn.
struct NodeOfShown : FakeObject {
    int GetDisplayState() override { return (m_nFlags & kObjStateMask) ? 1 : 0; }
};
}  // namespace

TEST_F(DisplayRecords, ElementsMarkTheirNodesBeforeTheNodesAnswer)
{
    class Nodes : public FakeFamily {
    public:
        Nodes() : FakeFamily(EFamily::Nodes) {}
        CObjectBase* GetAt(int pos) override { return pos >= 0 && pos < 4 ? &objs[pos] : nullptr; }
        NodeOfShown objs[4];
    } nodes;
    for (int id = 1; id <= 4; ++id) nodes.Node(id, 0, 0, 0);
    nodes.objs[3].m_nFlags = kObjStateShown;  // stale state from before
    FakeFamily frames(EFamily::Frames);
    frames.Element(1, {1, 2}).obj.state = 1;
    frames.Element(2, {3, 4}).obj.state = 0;
    theDisplayOptions.SetWordBit(10, true);
    CDisplayOptions::UpdateVisibleObjects();
    EXPECT_EQ(nodes.objs[0].GetDisplayBits(), 1);
    EXPECT_EQ(nodes.objs[1].GetDisplayBits(), 1);
    EXPECT_EQ(nodes.objs[2].GetDisplayBits(), 0);
    EXPECT_EQ(nodes.objs[3].GetDisplayBits(), 0);
}

TEST_F(DisplayRecords, BulkCopiesReserveAheadOnlyWhenTheWorkIsLarge)
{
    FakeFamily nodes(EFamily::Nodes), walls(EFamily::Walls);
    for (int id = 1; id <= 100000; ++id) nodes.Add(id);
    for (int id = 1; id <= 10; ++id) walls.Add(id).obj.m_nFlags = kObjSelected;
    const int switches[6] = {1, 1, 1, 1, 1, 1};
    CountSelectedAndReserve(5, switches);
    EXPECT_FALSE((theProjectOptions.bStoreyLookup != 0));
    EXPECT_EQ(nodes.reserved, std::vector<int>{100200});
    EXPECT_EQ(walls.reserved, std::vector<int>{60});

    nodes.items.resize(10);
    nodes.reserved.clear();
    ReserveModelCapacity(100, 0, 0, 0, 0, 0);
    EXPECT_TRUE((theProjectOptions.bStoreyLookup != 0));
    EXPECT_TRUE(nodes.reserved.empty());
}

using DisplayCommands = DisplayFixture;

TEST_F(DisplayCommands, WorkingStoreySetsThePlanElevation)
{
    theLevels.count = 3;
    for (int k = 0; k < 3; ++k) theLevels.heights[k] = 3;
    theLevels.RecomputeElevations();
    TestProjection view;
    RecordingHooks hooks;
    ScriptedDialogs dialogs;
    dialogs.answers = {{true, {2}}, {true, {9}}, {false, {}}};
    EXPECT_TRUE(SetWorkingStorey());
    EXPECT_EQ(dialogs.titles[0], "请输入工作层(热键：F5)");
    EXPECT_EQ(dialogs.labelsSeen[0], "输入当前工作层号(0-3):");
    EXPECT_EQ(theLevels.current, 2);
    EXPECT_EQ(view.plan, 6.0);
    EXPECT_EQ(view.zooms, 1);
    EXPECT_TRUE(SetWorkingStorey());
    EXPECT_EQ(theLevels.current, 1);  // out of range
    EXPECT_FALSE(SetWorkingStorey());
    EXPECT_EQ(hooks.storeyTexts, 2);

    theLevels.Reset();
    dialogs.answers = {{true, {4.5}}};
    EXPECT_TRUE(SetWorkingStorey());
    EXPECT_EQ(dialogs.labelsSeen.back(), "平面工作平台的高度Z坐标:");
    EXPECT_EQ(view.plan, 4.5);
}

TEST_F(DisplayCommands, StoreyRangeRepairsAndMovesTheCurrentStorey)
{
    theLevels.count = 9;
    std::memset(theLevels.flags, 0, sizeof theLevels.flags);
    ScriptedDialogs dialogs;
    theLevels.current = 5;
    struct {
        int first, last, step;
        int wantFirst, wantLast, wantStep, wantCurrent;
    } cases[] = {
        {3, 2, 1, 5, 5, 1, 5},  // first after last: the current storey alone
        {1, 9, 2, 1, 9, 2, 5},
        {2, 8, 2, 2, 8, 2, 8},
        {0, 9, 0, 8, 8, 1, 8},
    };
    for (auto c : cases) {
        dialogs.answers = {{true, {double(c.first), double(c.last), double(c.step)}}};
        ASSERT_TRUE(ChooseStoreyRange());
        EXPECT_EQ(theLevelRange.first, c.wantFirst);
        EXPECT_EQ(theLevelRange.last, c.wantLast);
        EXPECT_EQ(theLevelRange.step, c.wantStep);
        EXPECT_EQ(theLevels.current, c.wantCurrent);
    }
    EXPECT_EQ(dialogs.labelsSeen[2], "层号增量(1-9):");
    EXPECT_EQ(theLevels.Shown(3), 1);
    EXPECT_EQ(theLevels.Shown(0), 0);
    theLevels.Reset();
    EXPECT_FALSE(ChooseStoreyRange());
}

TEST_F(DisplayCommands, DisplaySheetRemembersItsPageAndMarksTheDocument)
{
    class Sheet : public CDisplaySheet {
    public:
        bool Run(int& page) override
        {
            pages.push_back(page);
            page = 1;
            return ok;
        }
        std::vector<int> pages;
        bool ok = true;
    } sheet;
    SetDisplaySheet(&sheet);
    AppHelperLog log;
    RecordingHooks hooks;
    EXPECT_TRUE(ShowDisplayOptionsSheet());
    sheet.ok = false;
    EXPECT_FALSE(ShowDisplayOptionsSheet());
    EXPECT_EQ(sheet.pages, (std::vector<int>{0, 1}));
    EXPECT_EQ(log.LastModified(), 1);
    EXPECT_EQ(hooks.invalidated, 1);
    SetDisplaySheet(nullptr);
}
