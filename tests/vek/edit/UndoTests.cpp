// The undo stack: groups, the point of undo, the limit, and records handed
// over outside a group.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/AppHelpersStandIn.h"
#include "tests/vek/model/ModelTestSupport.h"
#include "vek/edit/Undo.h"
#include "vek/model/ProjectOptions.h"

namespace {

// What the records of one test did, in order: "u<name>", "r<name>", "~<name>".
struct Journal {
    std::vector<std::string> lines;
    std::string Joined() const
    {
        std::string s;
        for (const std::string& l : lines) s += (s.empty() ? "" : " ") + l;
        return s;
    }
};

struct LogRecord : CUndoClass {
    LogRecord(Journal& j, std::string n, int rebuild = 0) : journal(j), name(std::move(n)), result(rebuild) {}
    ~LogRecord() override { journal.lines.push_back("~" + name); }
    int Undo() override
    {
        journal.lines.push_back("u" + name);
        return result;
    }
    int Redo() override
    {
        journal.lines.push_back("r" + name);
        return result;
    }
    Journal& journal;
    std::string name;
    int result;
};

class UndoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        theUndo.Clear();
        limit = theProjectOptions.nUndoLimit;
        theUndoLimitPrompt = [](const char* text, int ms) {
            flashed.push_back(std::string(text) + "/" + std::to_string(ms));
        };
        flashed.clear();
    }
    void TearDown() override
    {
        theUndo.Clear();
        theProjectOptions.nUndoLimit = limit;
        theUndoLimitPrompt = nullptr;
    }
    // One group of n records named prefix0, prefix1, ...
    void Group(const std::string& prefix, int n)
    {
        theUndo.BeginRecord();
        for (int i = 0; i < n; ++i) theUndo.AddRecord(new LogRecord(journal, prefix + std::to_string(i)));
        theUndo.EndRecord();
    }

    Journal journal;
    int limit = 0;
    static std::vector<std::string> flashed;
};
std::vector<std::string> UndoTest::flashed;

TEST_F(UndoTest, GroupsUndoNewestFirstAndRedoOldestFirst)
{
    vektest::AppHelperLog log;
    Group("a", 1);
    Group("b", 3);
    EXPECT_EQ(theUndo.GetEntryCount(), 6);
    EXPECT_EQ(theUndo.GetPosition(), 6);
    theUndo.Undo();
    EXPECT_EQ(journal.Joined(), "ub2 ub1 ub0");
    EXPECT_EQ(theUndo.GetPosition(), 2);
    EXPECT_TRUE(theUndo.CanUndo());
    EXPECT_TRUE(theUndo.CanRedo());
    journal.lines.clear();
    theUndo.Redo();
    EXPECT_EQ(journal.Joined(), "rb0 rb1 rb2");
    EXPECT_EQ(theUndo.GetPosition(), 6);
    EXPECT_EQ(log.LastModified(), 1);
}

TEST_F(UndoTest, EmptyGroupLeavesNoTraceButDropsRedo)
{
    Group("a", 2);
    theUndo.Undo();
    ASSERT_TRUE(theUndo.CanRedo());
    journal.lines.clear();
    theUndo.BeginRecord();
    theUndo.EndRecord();
    EXPECT_EQ(journal.Joined(), "~a1 ~a0");  // the redo group is gone
    EXPECT_EQ(theUndo.GetEntryCount(), 0);
    EXPECT_FALSE(theUndo.CanRedo());
    EXPECT_FALSE(theUndo.CanUndo());
}

TEST_F(UndoTest, RecordWithoutGroupIsDeletedAtOnce)
{
    EXPECT_FALSE(theUndo.AddRecord(new LogRecord(journal, "x")));
    EXPECT_EQ(journal.Joined(), "~x");
    EXPECT_FALSE(theUndo.AddRecord(nullptr));
    EXPECT_EQ(theUndo.GetEntryCount(), 0);
}

TEST_F(UndoTest, UndoAtTheStartChangesNothingRedoAtTheTopStillMarksModified)
{
    {
        vektest::AppHelperLog log;
        theUndo.Undo();
        EXPECT_EQ(log.LastModified(), -1);
    }
    Group("a", 1);
    {
        vektest::AppHelperLog log;
        theUndo.Redo();  // at the top
        EXPECT_EQ(log.LastModified(), 1);
    }
    theUndo.Undo();
    {
        vektest::AppHelperLog log;
        theUndo.Undo();  // before the oldest group
        EXPECT_EQ(log.LastModified(), -1);
    }
    EXPECT_EQ(journal.Joined(), "ua0");
}

TEST_F(UndoTest, UndoWithAGroupOpenDropsItUnappliedThenUndoesThePrevious)
{
    Group("a", 2);
    theUndo.BeginRecord();
    theUndo.AddRecord(new LogRecord(journal, "open"));
    theUndo.Undo();
    EXPECT_EQ(journal.Joined(), "~open ua1 ua0");
    EXPECT_EQ(theUndo.GetPosition(), 0);
    EXPECT_EQ(theUndo.GetEntryCount(), 3);
}

TEST_F(UndoTest, LimitDropsTheOldestWholeGroups)
{
    theProjectOptions.nUndoLimit = 20;
    for (int g = 0; g < 5; ++g) Group("g" + std::to_string(g) + "_", 3);
    EXPECT_EQ(theUndo.GetEntryCount(), 20);
    theUndo.BeginRecord();  // 20 entries: nothing trimmed yet
    EXPECT_EQ(theUndo.GetEntryCount(), 20);
    EXPECT_TRUE(flashed.empty());
    for (int i = 0; i < 3; ++i) theUndo.AddRecord(new LogRecord(journal, "g5_" + std::to_string(i)));
    theUndo.EndRecord();  // 24 entries: the first group goes
    EXPECT_EQ(theUndo.GetEntryCount(), 20);
    EXPECT_EQ(theUndo.GetPosition(), 20);
    EXPECT_EQ(journal.Joined(), "~g0_0 ~g0_1 ~g0_2");
    ASSERT_EQ(flashed.size(), 1u);
    EXPECT_EQ(flashed[0], "撤销操作缓冲区已经达到最大值，某些操作将不能被撤销！/1500");
}

TEST_F(UndoTest, LimitNeverDropsTheGroupJustClosed)
{
    theProjectOptions.nUndoLimit = 20;
    Group("small", 2);
    Group("big", 25);
    // The small group went; the one of 25 records stays whole and undoable.
    EXPECT_EQ(theUndo.GetEntryCount(), 26);
    EXPECT_EQ(theUndo.GetPosition(), 26);
    journal.lines.clear();
    theUndo.Undo();
    EXPECT_EQ(journal.lines.size(), 25u);
    EXPECT_EQ(journal.lines.front(), "ubig24");
    EXPECT_EQ(journal.lines.back(), "ubig0");
    theUndo.Redo();
    EXPECT_EQ(theUndo.GetPosition(), 26);
}

TEST_F(UndoTest, ARecordAskingForAFullRedrawInvalidatesTheModel)
{
    vektest::RecordingHooks hooks;
    theUndo.BeginRecord();
    theUndo.AddRecord(new LogRecord(journal, "plain"));
    theUndo.EndRecord();
    theUndo.Undo();
    EXPECT_EQ(hooks.invalidated, 0);
    theUndo.Redo();
    theUndo.BeginRecord();
    theUndo.AddRecord(new LogRecord(journal, "moved", 1));
    theUndo.EndRecord();
    theUndo.Undo();
    EXPECT_EQ(hooks.invalidated, 1);
}

int taskRuns = 0;
struct DeferringRecord : CUndoClass {
    int Undo() override
    {
        theUndo.DeferToGroupEnd([] { ++taskRuns; });
        return 0;
    }
    int Redo() override { return Undo(); }
};

TEST_F(UndoTest, WorkHandedOverRunsOncePerGroupOrAtOnceOutsideOne)
{
    taskRuns = 0;
    theUndo.BeginRecord();
    for (int i = 0; i < 100; ++i) theUndo.AddRecord(new DeferringRecord);
    theUndo.EndRecord();
    theUndo.Undo();
    EXPECT_EQ(taskRuns, 1);
    theUndo.Redo();
    EXPECT_EQ(taskRuns, 2);
    DeferringRecord alone;
    alone.Undo();
    EXPECT_EQ(taskRuns, 3);
}

TEST_F(UndoTest, ClearingFromTheOptionsEmptiesTheStack)
{
    Group("a", 2);
    ASSERT_TRUE(theProjectOptionsHooks.clearUndo);
    theProjectOptionsHooks.clearUndo();
    EXPECT_EQ(theUndo.GetEntryCount(), 0);
    EXPECT_EQ(journal.Joined(), "~a1 ~a0");
}

}  // namespace
