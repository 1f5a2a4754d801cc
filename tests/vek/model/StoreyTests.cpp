#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "framework/WinTypes.h"
#include "tests/support/AppHelpersStandIn.h"
#include "tests/support/LeBytes.h"
#include "tests/vek/model/ModelTestSupport.h"
#include "vek/model/KvdDataSet.h"
#include "vek/model/LayerList.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/model/storeys/StoreyCommands.h"
#include "vek/model/storeys/StoreyLists.h"

using namespace vektest;

namespace {

// A storey table of the given heights, elevations summed up.
void SetStoreys(std::initializer_list<double> heights)
{
    theLevels.Reset();
    theLevels.count = int(heights.size());
    int i = 0;
    for (double h : heights) theLevels.heights[i++] = h;
    theLevels.RecomputeElevations();
}

struct StoreyFixture : ::testing::Test {
    void SetUp() override
    {
        theLevels.Reset();
        theLevelRange.Reset();
        theStoreyLists.Clear();
    }
    void TearDown() override { SetUp(); }
};

std::vector<int> Ids(MLArray<int>& l)
{
    std::vector<int> v;
    for (int i = 0; i < l.GetSize(); ++i) v.push_back(*l.GetAt(i));
    return v;
}

}  // namespace

using LevelTable = StoreyFixture;

TEST_F(LevelTable, BlockBytesAtTheCurrentVersion)
{
    SetStoreys({3.0, 4.5});
    theLevels.current = 2;
    theLevels.baseElevation = -1.5;
    theLevels.Shown(1) = 0;
    const Bytes got = WriteBlock([](bofstream& out) { theLevels.Write(out); });
    ASSERT_EQ(got.size(), 3410u);
    LeBytes want;
    want.i32(2).i32(2).f64(3.0).f64(4.5).zeros(198 * 8).f64(3.0).f64(7.5).zeros(197 * 8).f64(-1.5);
    want.i8(1).i8(1).i8(0);
    for (int i = 3; i < 202; ++i) want.i8(1);
    EXPECT_EQ(got, want.bytes());

    theLevels.Reset();
    ASSERT_TRUE(ReadBlock(got, [](bifstream& in) { return theLevels.Read(in); }));
    EXPECT_EQ(theLevels.count, 2);
    EXPECT_EQ(theLevels.current, 2);
    EXPECT_EQ(theLevels.elevations[1], 7.5);
    EXPECT_EQ(theLevels.GetElevation(0), -1.5);
    EXPECT_EQ(theLevels.Shown(1), 0);
}

TEST_F(LevelTable, OlderLayoutsSkipTheirExtraBytesOrShowEveryStorey)
{
    auto body = [](int count) {
        LeBytes b;
        b.i32(count).i32(1).f64(3.0).zeros(199 * 8).f64(3.0).zeros(198 * 8).f64(0);
        return b;
    };
    {
        ProjectVersion v(550);
        LeBytes b = body(1);
        b.skip(24).zeros(202).i32(77);
        long rest = 0;
        ASSERT_TRUE(ReadBlock(
            b, [](bifstream& in) { return theLevels.Read(in); }, &rest));
        EXPECT_EQ(rest, 4);
        EXPECT_EQ(theLevels.Shown(0), 0);
    }
    ProjectVersion v(450);
    LeBytes b = body(1);
    b.skip(24).i32(77);
    long rest = 0;
    ASSERT_TRUE(ReadBlock(
        b, [](bifstream& in) { return theLevels.Read(in); }, &rest));
    EXPECT_EQ(rest, 4);
    for (int s = -1; s <= 200; ++s) EXPECT_EQ(theLevels.Shown(s), 1) << s;
}

TEST_F(LevelTable, StoreyCountsTheArraysCannotHoldFailTheRead)
{
    SetStoreys({3.0});
    for (int bad : {-1, 200, 100000}) {
        LeBytes b;
        b.i32(bad).i32(0).zeros(3402);
        EXPECT_FALSE(ReadBlock(b, [](bifstream& in) { return theLevels.Read(in); })) << bad;
        EXPECT_EQ(theLevels.count, 1);
    }
    LeBytes b;
    b.i32(199).i32(0).zeros(1000);  // the table cut short
    EXPECT_FALSE(ReadBlock(b, [](bifstream& in) { return theLevels.Read(in); }));
    EXPECT_EQ(theLevels.count, 1);
}

TEST_F(LevelTable, ElevationQueriesAndStoreyOfAHeight)
{
    EXPECT_EQ(theLevels.FindStorey(5.0), -1);
    SetStoreys({3.0, 3.0, 4.0});
    theLevels.baseElevation = 0.5;
    EXPECT_EQ(theLevels.GetElevation(-1), 0.0);
    EXPECT_EQ(theLevels.GetElevation(0), 0.5);
    EXPECT_EQ(theLevels.GetElevation(3), 10.0);
    EXPECT_EQ(theLevels.GetElevation(4), 0.0);
    theProjectOptions.fVertNodeSpacing = float(0.01f);
    struct {
        double z;
        int storey;
    } cases[] = {{-2, 0},  {0.0005, 0}, {0.5, 1},  {3.0, 1},   {3.0011, 2},
                 {5.9, 2}, {6.002, 3},  {10.0, 3}, {10.01, 3}, {99, 3}};
    for (auto c : cases) EXPECT_EQ(theLevels.FindStorey(c.z), c.storey) << c.z;
}

TEST_F(LevelTable, UnitScalingTouchesOnlyTheStoreysInUse)
{
    theLevels.baseElevation = 1.0;
    theLevels.heights[5] = 2.0;
    theLevels.ScaleUnits(1000);
    EXPECT_EQ(theLevels.baseElevation, 1.0);
    SetStoreys({3.0, 3.0, 4.0});
    theLevels.baseElevation = 1.0;
    theLevels.heights[5] = 2.0;
    theLevels.ScaleUnits(1000);
    EXPECT_EQ(theLevels.baseElevation, 1000.0);
    EXPECT_EQ(theLevels.heights[2], 4000.0);
    EXPECT_EQ(theLevels.elevations[2], 10000.0);
    EXPECT_EQ(theLevels.heights[5], 2.0);
}

TEST_F(LevelTable, CurrentStoreyIsBroughtIntoTheRangeAndShown)
{
    SetStoreys({3, 3, 3, 3, 3, 3});
    std::memset(theLevels.flags, 0, sizeof theLevels.flags);
    theLevels.current = 5;
    theLevelRange.first = 1;
    theLevelRange.last = 3;
    EXPECT_TRUE(theLevels.ShowCurrentStorey());
    EXPECT_EQ(theLevelRange.first, 5);
    EXPECT_EQ(theLevelRange.last, 5);
    EXPECT_EQ(theLevels.Shown(5), 1);
    EXPECT_FALSE(theLevels.ShowCurrentStorey());

    theLevelRange.first = 1;
    theLevelRange.last = 5;
    theLevelRange.step = 2;
    theLevels.current = 4;
    EXPECT_TRUE(theLevels.ShowCurrentStorey());
    EXPECT_EQ(theLevelRange.step, 1);
    for (int s = 1; s <= 5; ++s) EXPECT_EQ(theLevels.Shown(s), 1) << s;
}

TEST_F(LevelTable, LevelRangeBlockAndItsOlderLayout)
{
    theLevelRange.first = 2;
    theLevelRange.last = 8;
    theLevelRange.step = 3;
    const Bytes got = WriteBlock([](bofstream& out) { theLevelRange.Write(out); });
    EXPECT_EQ(got, Bytes(LeBytes().i32s({2, 8, 3})));
    EXPECT_TRUE(theLevelRange.Contains(5));
    EXPECT_FALSE(theLevelRange.Contains(6));
    ProjectVersion v(599);
    ASSERT_TRUE(ReadBlock(LeBytes().i32s({99, 1, 4, 0}), [](bifstream& in) { return theLevelRange.Read(in); }));
    EXPECT_EQ(theLevelRange.first, 1);
    EXPECT_EQ(theLevelRange.last, 4);
    EXPECT_EQ(theLevelRange.step, 1);  // a zero step would make every test divide by zero
}

TEST_F(LevelTable, ExportGivesTwoLevelsBeforeTheStoreys)
{
    SetStoreys({3.0, 4.0});
    theLevels.Shown(2) = 0;
    CKvdDataSet set;
    ExportLevelsAndLayers(&set);
    ExportLevelsAndLayers(nullptr);
    ASSERT_EQ(set.levels.size(), 4u);
    EXPECT_EQ(set.levels[0].m_sNumber, 1);
    EXPECT_EQ(set.levels[1].m_fReal1, 0.0f);
    EXPECT_EQ(set.levels[3].m_sNumber, 4);
    EXPECT_EQ(set.levels[3].m_fReal1, 7.0f);
    EXPECT_EQ(set.levels[3].m_fReal2, 4.0f);
    EXPECT_EQ(set.levels[3].m_cFlag, 0);
    EXPECT_EQ(set.layers.size(), size_t(theLayers.GetSize() + 1));
}

using StoreyLists = StoreyFixture;

TEST_F(StoreyLists, AddAndRemoveKeepOrderAndIgnoreOtherStoreys)
{
    theLevels.count = 2;
    ASSERT_TRUE(theStoreyLists.Recreate(2));
    EXPECT_EQ(AddFrameToLevel(7, 1), 1);
    EXPECT_EQ(AddFrameToLevel(3, 1), 1);
    EXPECT_EQ(AddFrameToLevel(7, 1), 1);
    EXPECT_EQ(AddFrameToLevel(9, 3), -1);
    EXPECT_EQ(AddWallToLevel(9, -1), -1);
    RemoveFrameFromLevel(7, 1);
    EXPECT_EQ(Ids(theStoreyLists.Get(1)->frames), (std::vector<int>{3, 7}));
    RemoveFrameFromLevel(8, 1);
    RemoveShellFromLevel(1, 0);
    EXPECT_EQ(theStoreyLists.Get(1)->frames.GetSize(), 2);

    FakeFamily nodes(EFamily::Nodes);
    nodes.Node(4, 0, 0, 3.0, 1);
    nodes.Node(5, 0, 0, 0, -1);
    EXPECT_EQ(AddNodeToLevel(4), 1);
    EXPECT_EQ(AddNodeToLevel(5), -1);
    EXPECT_EQ(AddNodeToLevel(6), -1);
    EXPECT_EQ(Ids(theStoreyLists.Get(1)->nodes), (std::vector<int>{4}));
}

TEST_F(StoreyLists, BlockBytesAndTheTwoOlderLayouts)
{
    theLevels.count = 1;
    ASSERT_TRUE(theStoreyLists.Recreate(1));
    AddFrameToLevel(11, 1);
    AddWallToLevel(21, 1);
    AddShellToLevel(41, 0);
    theStoreyLists.Get(1)->nodes.Add(31);
    theStoreyLists.Get(1)->nodes.Add(32);
    RecordingHooks hooks;
    const Bytes got = WriteBlock([](bofstream& out) { WriteStoreyLists(out); });
    const Bytes want = LeBytes().i32s({0, 0, 0, 1, 41}).i32s({1, 1, 2, 0, 11, 21, 31, 32});
    EXPECT_EQ(got, want);
    EXPECT_EQ(hooks.prompts, std::vector<std::string>{"正在存入层的信息..."});

    theStoreyLists.Clear();
    ASSERT_TRUE(ReadBlock(got, [](bifstream& in) { return ReadStoreyLists(in); }));
    EXPECT_EQ(Ids(theStoreyLists.Get(1)->nodes), (std::vector<int>{31, 32}));
    EXPECT_EQ(Ids(theStoreyLists.Get(0)->shells), (std::vector<int>{41}));

    {
        // Two frame lists per storey, 16-bit counts and numbers.
        ProjectVersion v(489);
        LeBytes old;
        old.i16(0).i16(0).i16(0).i16(0).i16(0);
        old.i16(2).i16(1).i16(1).i16(0).i16(0).i16(11).i16(12).i16(13).i16(21);
        ASSERT_TRUE(ReadBlock(old, [](bifstream& in) { return ReadStoreyLists(in); }));
        EXPECT_EQ(Ids(theStoreyLists.Get(1)->frames), (std::vector<int>{11, 12, 13}));
        EXPECT_EQ(Ids(theStoreyLists.Get(1)->walls), (std::vector<int>{21}));
    }
    ProjectVersion v(519);
    LeBytes old;
    old.i32s({0, 0, 0, 0, 0});
    old.i32s({0, 6, 0, 1, 0, 1, 2, 3, 4, 5, 6, 99});
    ASSERT_TRUE(ReadBlock(old, [](bifstream& in) { return ReadStoreyLists(in); }));
    EXPECT_EQ(Ids(theStoreyLists.Get(1)->frames), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(Ids(theStoreyLists.Get(1)->nodes), (std::vector<int>{99}));
}

TEST_F(StoreyLists, NoStoreysNoBlockAndDamagedBlocksKeepTheLists)
{
    EXPECT_TRUE(WriteBlock([](bofstream& out) { WriteStoreyLists(out); }).empty());
    theLevels.count = 1;
    ASSERT_TRUE(theStoreyLists.Recreate(1));
    AddFrameToLevel(5, 1);
    const Bytes cases[] = {
        LeBytes().i32s({0, 0, 0, 0}),                          // second storey missing
        LeBytes().i32s({0, 0, 0, 0, -1, 0, 0, 0}),             // negative count
        LeBytes().i32s({0, 0, 0, 0, 0x40000000, 0, 0, 0, 1}),  // more numbers than bytes
    };
    AppHelperLog log;
    for (const Bytes& b : cases) {
        EXPECT_FALSE(ReadBlock(b, [](bifstream& in) { return ReadStoreyLists(in); }));
        EXPECT_EQ(Ids(theStoreyLists.Get(1)->frames), (std::vector<int>{5}));
    }
    EXPECT_TRUE(log.Messages().empty());
}

TEST_F(StoreyLists, RebuildDropsMissingNumbersAndMovesObjectsToTheirNodesStorey)
{
    SetStoreys({3.0, 3.0});
    ASSERT_TRUE(theStoreyLists.Recreate(2));
    FakeFamily nodes(EFamily::Nodes), frames(EFamily::Frames), walls(EFamily::Walls), shells(EFamily::Shells),
        solids(EFamily::Solids);
    nodes.storeyRule = [](const FakeItem& n) { return theLevels.FindStorey(n.xyz[2]); };
    nodes.Node(1, 0, 0, 0.0, 0);
    nodes.Node(2, 0, 0, 3.0, 0);  // stored in the wrong storey
    nodes.Node(3, 0, 0, 6.0, 2);
    theStoreyLists.Get(0)->nodes.Add(1);
    theStoreyLists.Get(0)->nodes.Add(2);
    theStoreyLists.Get(2)->nodes.Add(3);
    theStoreyLists.Get(2)->nodes.Add(77);  // a node that no longer exists
    frames.Element(10, {1, 3}, 0);
    theStoreyLists.Get(0)->frames.Add(10);
    walls.Element(20, {2, 3, 3, 2}, 2);
    theStoreyLists.Get(2)->walls.Add(20);
    shells.Element(30, {1, 2, 0, 0}, -1);
    solids.Element(40, {1, 2, 3}, 0);
    solids.storeyRule = [](const FakeItem&) { return 2; };

    RebuildStoreyLists();
    EXPECT_EQ(nodes.ByID(2)->storey, 1);
    EXPECT_EQ(Ids(theStoreyLists.Get(0)->nodes), (std::vector<int>{1}));
    EXPECT_EQ(Ids(theStoreyLists.Get(1)->nodes), (std::vector<int>{2}));
    EXPECT_EQ(Ids(theStoreyLists.Get(2)->nodes), (std::vector<int>{3}));
    EXPECT_EQ(frames.ByID(10)->storey, 2);
    EXPECT_EQ(Ids(theStoreyLists.Get(2)->frames), (std::vector<int>{10}));
    EXPECT_EQ(theStoreyLists.Get(0)->frames.GetSize(), 0);
    EXPECT_EQ(walls.ByID(20)->storey, 1);
    EXPECT_EQ(Ids(theStoreyLists.Get(1)->walls), (std::vector<int>{20}));
    EXPECT_EQ(shells.ByID(30)->storey, 1);  // corners 0 are unused
    EXPECT_EQ(Ids(theStoreyLists.Get(1)->shells), (std::vector<int>{30}));
    EXPECT_EQ(solids.ByID(40)->storey, 2);
}

using StoreyCommands = StoreyFixture;

TEST_F(StoreyCommands, CountsOutsideOneTo199AreRefusedUntilCancel)
{
    AppHelperLog log;
    ScriptedDialogs dialogs;
    dialogs.answers = {{true, {0}}, {true, {200}}, {false, {}}};
    EXPECT_FALSE(InputStoreyCount());
    ASSERT_EQ(log.Messages().size(), 2u);
    EXPECT_EQ(log.Messages()[0].text, "总层数必须在1-199之间，请重新输入!");
    EXPECT_EQ(dialogs.titles[0], "总层数输入");
    EXPECT_EQ(dialogs.labelsSeen[0], "总层数:");
    EXPECT_EQ(theLevels.count, 0);
    EXPECT_EQ(theStoreyLists.GetSize(), 0);

    RecordingHooks hooks;
    dialogs.answers = {{true, {199}}};
    EXPECT_TRUE(InputStoreyCount());
    EXPECT_EQ(theLevels.count, 199);
    EXPECT_EQ(theStoreyLists.GetSize(), 200);
    EXPECT_EQ(hooks.undoCleared, 1);
    EXPECT_EQ(hooks.storeyTexts, 1);
}

TEST_F(StoreyCommands, ChangingTheCountKeepsTheListsOfStoreysInBoth)
{
    theLevels.count = 5;
    ASSERT_TRUE(theStoreyLists.Recreate(5));
    for (int s = 0; s <= 5; ++s) AddFrameToLevel(100 + s, s);
    AppHelperLog log(IDYES);
    ScriptedDialogs dialogs;
    dialogs.answers = {{true, {10}}};
    ASSERT_TRUE(InputStoreyCount());
    ASSERT_EQ(log.Messages().size(), 1u);  // the question whether to go on
    EXPECT_EQ(log.Messages()[0].type, unsigned(MB_YESNO));
    EXPECT_EQ(dialogs.shown[0][0], 5);
    ASSERT_EQ(theStoreyLists.GetSize(), 11);
    EXPECT_EQ(Ids(theStoreyLists.Get(5)->frames), (std::vector<int>{105}));
    EXPECT_EQ(theStoreyLists.Get(6)->frames.GetSize(), 0);

    dialogs.answers = {{true, {3}}};
    ASSERT_TRUE(InputStoreyCount());
    ASSERT_EQ(theStoreyLists.GetSize(), 4);
    EXPECT_EQ(Ids(theStoreyLists.Get(3)->frames), (std::vector<int>{103}));

    log.SetAnswer(IDNO);
    EXPECT_FALSE(InputStoreyCount());
    EXPECT_EQ(theLevels.count, 3);
}

TEST_F(StoreyCommands, HeightRowsFillBackToTheFewestRows)
{
    struct {
        std::initializer_list<double> heights;
        std::vector<std::pair<int, double>> rows;
    } cases[] = {
        {{3, 3, 3}, {{3, 3}}},
        {{3.5, 3.5, 3.5, 3.5, 3.5, 2.9, 2.9, 2.9}, {{5, 3.5}, {6, 2.9}}},
        {{4, 3, 3, 5}, {{1, 4}, {2, 3}, {4, 5}}},
        {{0, 0, 3}, {{3, 3}}},
        {{3, 3.000001, 3}, {{3, 3}}},
    };
    for (auto& c : cases) {
        SetStoreys(c.heights);
        std::vector<std::pair<int, double>> got;
        for (const CStoreyHeightRow& r : FillHeightRows()) got.push_back({r.storey, r.height});
        EXPECT_EQ(got, c.rows);
        // Applying the rows gives the heights back.
        std::vector<double> before(theLevels.heights, theLevels.heights + theLevels.count);
        if (!got.empty() && before.front() != 0) {
            ApplyHeightRows(FillHeightRows());
            for (size_t i = 0; i < before.size(); ++i) EXPECT_NEAR(theLevels.heights[i], before[i], 1e-5);
        }
    }
}

TEST_F(StoreyCommands, RowsOutOfRangeOrNoneAreRefusedRowByRow)
{
    SetStoreys({3, 3, 3});
    AppHelperLog log;
    EXPECT_FALSE(CheckHeightRows({}));
    EXPECT_FALSE(CheckHeightRows({{1, 3}, {0, 2}, {4, 1}}));
    EXPECT_TRUE(CheckHeightRows({{3, 3}}));
    ASSERT_EQ(log.Messages().size(), 3u);
    EXPECT_EQ(log.Messages()[0].text, "没有输入任何层高数据！");
    EXPECT_EQ(log.Messages()[1].text, "第2行层号越界!");
    EXPECT_EQ(log.Messages()[2].text, "第3行层号越界!");
}

namespace {
class RowsDialog : public CStoreyHeightDialog {
public:
    RowsDialog() { SetStoreyHeightDialog(this); }
    ~RowsDialog() override { SetStoreyHeightDialog(nullptr); }
    bool Edit(std::vector<CStoreyHeightRow>& rows) override
    {
        shown.push_back(rows);
        if (answers.empty()) return false;
        rows = answers.front();
        answers.erase(answers.begin());
        return true;
    }
    std::vector<std::vector<CStoreyHeightRow>> answers, shown;
};
}  // namespace

TEST_F(StoreyCommands, NewHeightsMoveTheNodesWithTheirStoreys)
{
    SetStoreys({3, 3, 3, 3, 3, 3, 3, 3});
    FakeFamily nodes(EFamily::Nodes);
    nodes.Node(1, 0, 0, 3.0, 1);    // storey 1: its top moves to 3.5
    nodes.Node(2, 0, 0, 24.0, 8);   // storey 8: 26.2
    nodes.Node(3, 0, 0, 0.0, 0);    // base level stays
    nodes.Node(4, 0, 0, 1.5, -1);   // below the first top: in proportion
    nodes.Node(5, 0, 0, 16.5, -1);  // between storeys 5 (15) and 6 (18)
    nodes.Node(6, 0, 0, 30.0, -1);  // above the top: as the top
    nodes.Node(7, 0, 0, -2.0, -1);  // below the base: stays
    RowsDialog dialog;
    dialog.answers = {{{0, 1}}, {{1, 3.5}, {6, 2.9}}};  // the first is refused
    RecordingHooks hooks;
    AppHelperLog log;
    ASSERT_TRUE(InputStoreyHeights());
    EXPECT_EQ(dialog.shown.size(), 2u);
    EXPECT_EQ(log.Messages().size(), 1u);
    const double want[] = {3.5, 7.0, 10.5, 14.0, 17.5, 20.4, 23.3, 26.2};
    for (int k = 0; k < 8; ++k) EXPECT_NEAR(theLevels.elevations[k], want[k], 1e-12) << k;
    EXPECT_NEAR(nodes.ByID(1)->xyz[2], 3.5, 1e-12);
    EXPECT_NEAR(nodes.ByID(2)->xyz[2], 26.2, 1e-12);
    EXPECT_EQ(nodes.ByID(3)->xyz[2], 0.0);
    EXPECT_NEAR(nodes.ByID(4)->xyz[2], 1.5 + 1.5 * 0.5 / 3, 1e-12);
    EXPECT_NEAR(nodes.ByID(5)->xyz[2], 16.5 + (2.5 + 2.4) / 2, 1e-12);
    EXPECT_NEAR(nodes.ByID(6)->xyz[2], 30.0 + 2.2, 1e-12);
    EXPECT_EQ(nodes.ByID(7)->xyz[2], -2.0);
    EXPECT_EQ(theLevels.current, 1);
    EXPECT_EQ(theLevelRange.first, 1);
    EXPECT_EQ(theLevelRange.last, 1);
    EXPECT_EQ(hooks.undoCleared, 1);
    EXPECT_EQ(hooks.invalidated, 1);
}

TEST_F(StoreyCommands, AModelWithoutHeightKeepsItsNodesAndNoStoreysNoHeights)
{
    AppHelperLog log;
    EXPECT_FALSE(InputStoreyHeights());
    ASSERT_EQ(log.Messages().size(), 1u);
    EXPECT_EQ(log.Messages()[0].text, "没有输入总层数!");

    SetStoreys({0.05, 0.05});
    FakeFamily nodes(EFamily::Nodes);
    nodes.Node(1, 0, 0, 0.05, 1);
    RowsDialog dialog;
    dialog.answers = {{{1, 3.0}}};
    ASSERT_TRUE(InputStoreyHeights());
    EXPECT_EQ(theLevels.elevations[1], 6.0);
    EXPECT_EQ(nodes.ByID(1)->xyz[2], 0.05);

    dialog.answers.clear();
    EXPECT_FALSE(InputStoreyHeights());
    EXPECT_EQ(dialog.shown.back().size(), 1u);
}

TEST_F(StoreyCommands, VerticalSpacingTooLargeForTheStoreysIsAskedAbout)
{
    SetStoreys({3.0, 4.5});
    theProjectOptions.fVertNodeSpacing = float(0.2f);
    {
        AppHelperLog log(IDYES);
        CheckVerticalSpacing();
        ASSERT_EQ(log.Messages().size(), 1u);
        EXPECT_FLOAT_EQ(theProjectOptions.fVertNodeSpacing, 0.2f);
    }
    AppHelperLog log(IDNO);
    theProjectOptions.CheckVerticalSpacing();  // the options dialog's way in
    EXPECT_FLOAT_EQ(theProjectOptions.fVertNodeSpacing, 0.15f);
    CheckVerticalSpacing();  // 0.15 <= 3 / 19.9: no question
    EXPECT_EQ(log.Messages().size(), 1u);
    theProjectOptions.fVertNodeSpacing = float(0.01f);
}
