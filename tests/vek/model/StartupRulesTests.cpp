#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/AppHelpersStandIn.h"
#include "vek/model/AutoSave.h"
#include "vek/model/BatchJob.h"
#include "vek/model/CommandLine.h"

TEST(CommandLine, ViewerSwitchIsASubstringAndCaseMatters)
{
    EXPECT_TRUE(IsViewerCommandLine("/ZUROZE"));
    EXPECT_TRUE(IsViewerCommandLine("x/ZUROZEy"));
    EXPECT_TRUE(IsViewerCommandLine("model.prj /ZUROZE"));
    EXPECT_FALSE(IsViewerCommandLine("/zuroze"));
    EXPECT_FALSE(IsViewerCommandLine(""));
    EXPECT_FALSE(IsViewerCommandLine(nullptr));
}

TEST(CommandLine, ProjectNamesAreLowerCasedAndGetTheirExtensionOnce)
{
    EXPECT_STREQ(NormaliseProjectName("Model"), "model.prj");
    EXPECT_STREQ(NormaliseProjectName("MODEL.PRJ"), "model.prj");
    EXPECT_STREQ(NormaliseProjectName("a.prjx"), "a.prjx");
    EXPECT_STREQ(NormaliseProjectName("D:\\Work\\Tower"), "d:\\work\\tower.prj");
    // Only single-byte letters change: this character's second byte is 'A'.
    EXPECT_STREQ(NormaliseProjectName("\x81"
                                      "A"
                                      "B"),
                 "\x81"
                 "A"
                 "b.prj");
}

TEST(CommandLine, WordsSplitAtBlanksAndQuotesHoldBlanks)
{
    const std::vector<CString> w = SplitCommandWords("  a  \"D:\\my data\\x.dat\" b\tc ");
    ASSERT_EQ(w.size(), 3u);
    EXPECT_STREQ(w[0], "a");
    EXPECT_STREQ(w[1], "D:\\my data\\x.dat");
    EXPECT_STREQ(w[2], "b\tc");
    EXPECT_TRUE(SplitCommandWords("   ").empty());
}

TEST(CommandLine, OnlyFourWordsWithoutASlashMakeABatchJob)
{
    struct Case {
        const char* line;
        bool batch;
    };
    const Case cases[] = {
        {"Tower wind.txt out.dat 0.5", true},     {"Tower \"wind data.txt\" \"D:\\out dir\\t.dat\" 0", true},
        {"Tower wind.txt out.dat", false},        {"Tower wind.txt out.dat 0.5 extra", false},
        {"Tower wind.txt D:/out.dat 0.5", false}, {"", false},
    };
    for (const Case& c : cases) {
        CBatchCommand cmd;
        EXPECT_EQ(ParseBatchCommand(c.line, cmd), c.batch) << c.line;
    }
    CBatchCommand cmd;
    ASSERT_TRUE(ParseBatchCommand("Tower \"wind data.txt\" \"D:\\out dir\\t.dat\" 0.5", cmd));
    EXPECT_STREQ(cmd.project, "tower.prj");
    EXPECT_STREQ(cmd.windFile, "wind data.txt");
    EXPECT_STREQ(cmd.dataFile, "D:\\out dir\\t.dat");
    EXPECT_DOUBLE_EQ(cmd.distance, 0.5);
}

namespace {
struct BatchLog {
    std::vector<std::string> calls;
    CWindTunnelSettings wind;
    int windResult = 1;
    int writeResult = 1;
};
BatchLog* batchLog;

class BatchFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        batchLog = &log;
        saved = theBatchJobHooks;
        theBatchJobHooks.applyWindTunnel = [](const CWindTunnelSettings& s, const char* file) {
            batchLog->calls.push_back(std::string("wind ") + file);
            batchLog->wind = s;
            return batchLog->windResult;
        };
        theBatchJobHooks.writeDataFile = [](const char* path) {
            batchLog->calls.push_back(std::string("write ") + path);
            return batchLog->writeResult;
        };
    }
    void TearDown() override { theBatchJobHooks = saved; }
    int Run(const char* line)
    {
        CBatchCommand cmd;
        EXPECT_TRUE(ParseBatchCommand(line, cmd));
        return RunBatch(cmd);
    }
    BatchLog log;
    BatchJobHooks saved;
};
}  // namespace

TEST_F(BatchFixture, DistanceDecidesTheDistanceTestAndTheDataFileFollows)
{
    vektest::AppHelperLog app;
    EXPECT_EQ(Run("p w.txt d.dat 0.5"), kBatchDone);
    EXPECT_EQ(log.calls, (std::vector<std::string>{"wind w.txt", "write d.dat"}));
    EXPECT_EQ(log.wind.candidatePoints, 8);
    EXPECT_EQ(log.wind.distanceTest, 1);
    EXPECT_DOUBLE_EQ(log.wind.distance, 0.5);
    EXPECT_EQ(Run("p w.txt d.dat 0"), kBatchDone);
    EXPECT_EQ(log.wind.distanceTest, 0);
    EXPECT_EQ(Run("p w.txt d.dat 0.001"), kBatchDone);
    EXPECT_EQ(log.wind.distanceTest, 0);
    EXPECT_TRUE(app.Messages().empty());
}

TEST_F(BatchFixture, FailuresStopTheJobWithTheirOwnCodeAndText)
{
    vektest::AppHelperLog app;
    log.windResult = 0;
    EXPECT_EQ(Run("p w.txt d.dat 1"), kBatchWindTunnelFailed);
    EXPECT_EQ(log.calls, (std::vector<std::string>{"wind w.txt"}));
    log.windResult = 1;
    log.writeResult = 0;
    EXPECT_EQ(Run("p w.txt d.dat 1"), kBatchDataFileFailed);
    ASSERT_EQ(app.Messages().size(), 2u);
    EXPECT_NE(app.Messages()[0].text.find("w.txt"), std::string::npos);
    EXPECT_NE(app.Messages()[1].text.find("d.dat"), std::string::npos);

    theBatchJobHooks = BatchJobHooks();  // nothing bound: no success claimed
    EXPECT_EQ(Run("p w.txt d.dat 1"), kBatchWindTunnelFailed);
}

namespace {
int32_t fakeNow;
int32_t FakeClock()
{
    return fakeNow;
}
}  // namespace

TEST(AutoSaveClock, DueOnlyWhenStrictlyMoreThanTheIntervalHasPassed)
{
    CAutoSaveClock clock(&FakeClock);
    fakeNow = 1000;
    clock.Start();
    fakeNow = 1000 + 120000;
    EXPECT_FALSE(clock.TakeIfDue(120000));
    fakeNow = 1000 + 120001;
    EXPECT_TRUE(clock.TakeIfDue(120000));
    EXPECT_FALSE(clock.TakeIfDue(120000));  // measured from this save
    fakeNow = 1000 + 240002;
    EXPECT_TRUE(clock.TakeIfDue(120000));

    // Across the 32-bit wrap of the clock.
    CAutoSaveClock wrapping(&FakeClock);
    fakeNow = INT32_MAX - 10;
    wrapping.Start();
    fakeNow = INT32_MIN + 200;
    EXPECT_TRUE(wrapping.TakeIfDue(100));
}
