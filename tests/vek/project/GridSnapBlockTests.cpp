// The axis grids and the snap switches through the project file: files of
// the layouts that differ (old grid-node list, skipped bytes after the angle,
// no visible byte, six switches) load as written, save and load again to the
// same bytes, and damaged blocks are refused without touching the model.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "tests/support/AppHelpersStandIn.h"
#include "tests/support/TestFiles.h"
#include "tests/vek/model/ModelTestSupport.h"
#include "tests/vek/project/ProjectTestSupport.h"
#include "vek/model/axisgrid/AxisGrid.h"
#include "vek/view/operate/OsnapState.h"

using namespace vektest;

namespace {

class GridSnapBlocks : public ::testing::Test {
protected:
    void SetUp() override { FreshModel(); }
    void TearDown() override
    {
        FreshModel();
        theOsnapState = COsnapState();
    }

    int Load(const std::string& name) { return LoadProject(Fixture(name).c_str()); }
    int LoadBytes(const Bytes& bytes)
    {
        TempFile file("grids", ".prj");
        if (!file.WriteAll(bytes)) return -1;
        return LoadProject(file.c_str());
    }

    AppHelperLog log;
    RecordingHooks hooks;
};

std::vector<double> Positions(const CAxisList& list)
{
    std::vector<double> p;
    for (int i = 0; i < list.GetSize(); ++i) p.push_back(AxisPosition(list, i));
    return p;
}

// The switches in memory order (master, ends, grid, mid, foot, on line,
// intersection, guides).
std::string Switches()
{
    return std::string(theOsnapState.m_switch, COsnapState::kSwitchCount);
}

size_t Find(const Bytes& bytes, const std::string& what)
{
    const Bytes pattern(what.begin(), what.end());
    const auto at = std::search(bytes.begin(), bytes.end(), pattern.begin(), pattern.end());
    return at == bytes.end() ? std::string::npos : size_t(at - bytes.begin());
}

template <typename T>
void Put(Bytes& bytes, size_t at, T value)
{
    std::memcpy(bytes.data() + at, &value, sizeof value);
}

TEST_F(GridSnapBlocks, EveryLayoutLoadsAsWrittenAndSavesTheSameBytesAgain)
{
    for (int v : {400, 500, 600, 680, 706}) {
        const std::string name = "grids" + std::to_string(v) + ".prj";
        SCOPED_TRACE(name);
        FreshModel();
        ASSERT_EQ(Load(name), 1);
        ASSERT_EQ(theAxisGrids.GetCount(), 2);
        EXPECT_EQ(theProjectOptions.nAxisGridCount, 2);
        const CAxisGrid& a = *theAxisGrids.GetAt(0);
        EXPECT_STREQ(a.GetName(), "轴网A");
        EXPECT_EQ(a.GetKind(), CAxisGrid::kRectangular);
        double x, y, degrees;
        a.GetOrigin(x, y, degrees);
        EXPECT_EQ(x, 1000);
        EXPECT_EQ(y, -500);
        EXPECT_EQ(a.GetAngle(), 0.5);
        EXPECT_EQ(Positions(a.First()), (std::vector<double>{0, 6000, 12000}));
        EXPECT_EQ(Positions(a.Second()), (std::vector<double>{0, 4500}));
        EXPECT_TRUE(a.IsVisible());
        const CAxisGrid& b = *theAxisGrids.GetAt(1);
        EXPECT_STREQ(b.GetName(), "B");
        EXPECT_EQ(b.GetKind(), CAxisGrid::kPolar);
        EXPECT_EQ(Positions(b.Second()), (std::vector<double>{0, 90}));
        // Files before 600 keep no visible byte: every grid is shown.
        EXPECT_EQ(b.IsVisible(), v < 600);
        // Stored NYNYYN(YN): files before 520 hold six switches, the rest 'N'.
        EXPECT_EQ(Switches(), v >= 520 ? "NYYNYNYN" : "NYYNYNNN");

        const Bytes saved = ModelBytes();
        if (v == 706) {
            EXPECT_EQ(Difference(saved, ReadFileBytes(Fixture(name))), "");
        }
        FreshModel();
        ASSERT_EQ(LoadBytes(saved), 1);
        EXPECT_EQ(Difference(ModelBytes(), saved), "");
    }
    EXPECT_TRUE(log.Messages().empty());
}

TEST_F(GridSnapBlocks, ANewProjectHasNoGridsAndSavesTheEmptyForm)
{
    ASSERT_EQ(Load("grids706.prj"), 1);
    ASSERT_EQ(theAxisGrids.GetCount(), 2);
    const double p[3] = {1, 2, 0};
    theOsnapState.m_collecting = 1;
    ASSERT_TRUE(theOsnapState.AddSnapPoint(p, 0));
    FreshModel();
    EXPECT_EQ(theOsnapState.CandidatePoints(), 0);
    EXPECT_EQ(theAxisGrids.GetCount(), 0);
    EXPECT_EQ(theGridNodes.GetSize(), 0);
    // The switches are the user's: a new project keeps them.
    EXPECT_EQ(Switches(), "NYYNYNYN");
    theOsnapState = COsnapState();
    EXPECT_EQ(Difference(ModelBytes(), ReadFileBytes(Fixture("empty706.prj"))), "");
}

TEST_F(GridSnapBlocks, DamagedBlocksAreRefusedAndChangeNothing)
{
    const Bytes good = ReadFileBytes(Fixture("grids706.prj"));
    const size_t name = Find(good, "轴网A");
    const size_t snap = Find(good, "NYNYYNYN");
    ASSERT_NE(name, std::string::npos);
    ASSERT_NE(snap, std::string::npos);
    // After the name (5 bytes): kind, origin, angle, the two counts, the items.
    const size_t kind = name + 5, angle = kind + 20, count1 = angle + 8, firstPos = count1 + 12;

    // The model before: the older file's grids and switches.
    ASSERT_EQ(Load("grids500.prj"), 1);
    const Bytes before = ModelBytes();
    const std::string switches = Switches();

    struct Case {
        const char* what;
        size_t at;
        int kind;  // 0 int32, 1 double, 2 byte
        double value;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {"name of 30 bytes", name - 4, 0, 30},
        {"negative name length", name - 4, 0, -1},
        {"kind 3", kind, 0, 3},
        {"angle not a number", angle, 1, nan},
        {"negative line count", count1, 0, -1},
        {"more lines than the file holds", count1, 0, 100000},
        {"position not a number", firstPos, 1, nan},
        {"a switch neither Y nor N", snap + 3, 2, 'y'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes bad = good;
        if (c.kind == 0)
            Put(bad, c.at, int32_t(c.value));
        else if (c.kind == 1)
            Put(bad, c.at, c.value);
        else
            bad[c.at] = static_cast<unsigned char>(c.value);
        const size_t shown = log.Messages().size();
        EXPECT_EQ(LoadBytes(bad), 0);
        ASSERT_EQ(log.Messages().size(), shown + 1);
        EXPECT_NE(log.Messages().back().text.find("损坏"), std::string::npos) << log.Messages().back().text;
        EXPECT_EQ(ModelBytes(), before);
        EXPECT_EQ(Switches(), switches);
        ASSERT_EQ(theAxisGrids.GetCount(), 2);
        EXPECT_TRUE(theAxisGrids.GetAt(1)->IsVisible());
    }
}

TEST_F(GridSnapBlocks, GridCountsThatDoNotMatchTheRecordsAreRefused)
{
    // The count travels in the project options: its place is where the
    // saved file changes with it (the file saves as it was read).
    const Bytes good = ReadFileBytes(Fixture("grids706.prj"));
    ASSERT_EQ(LoadBytes(good), 1);
    ASSERT_EQ(ModelBytes(), good);
    theProjectOptions.nAxisGridCount = 7;
    const Bytes seven = ModelBytes();
    size_t at = 0;
    while (at < good.size() && good[at] == seven[at]) ++at;
    ASSERT_LT(at, good.size());

    FreshModel();
    ASSERT_EQ(Load("grids600.prj"), 1);
    const Bytes before = ModelBytes();
    for (int count : {3, 21, -1}) {
        SCOPED_TRACE(count);
        Bytes bad = good;
        Put(bad, at, int32_t(count));
        const size_t shown = log.Messages().size();
        EXPECT_EQ(LoadBytes(bad), 0);
        ASSERT_EQ(log.Messages().size(), shown + 1);
        EXPECT_EQ(ModelBytes(), before);
    }
}

}  // namespace
