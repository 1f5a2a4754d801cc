// The data-file scan and the solver's step list, and the queue a run makes
// of it, from small data files.
#include <gtest/gtest.h>

#include "RunTestUtil.h"
#include "analysis/RunTexts.h"

using namespace runtest;

namespace {

using Names = std::vector<std::string>;

// The steps as names, an unchecked step marked with a leading '-'.
Names Steps(const CStepList& steps)
{
    Names out;
    for (int i = 0; i < steps.GetProgramCount(); ++i)
        out.push_back((steps.m_arrChecks[i] ? "" : "-") + std::string(steps.m_arrPrograms[i].GetString()));
    return out;
}

// A data file named MODEL in a folder of its own; the queue points at it.
struct Model {
    explicit Model(const std::string& tag, const std::string& text)
    {
        folder = ScratchDir() + "/" + tag;
        std::filesystem::create_directories(folder);
        // The run joins folder and name with "\\"; natively that makes a file
        // named "tag\\MODEL" beside the folder, which is fine for the rules.
        path = folder + "\\MODEL";
        vektest::WriteFileBytes(path, text.data(), text.size());
        q.useDisk = true;
        q.SetCurPath(folder.c_str());
        q.SetFileName("MODEL");
        q.SetUsedMemory(200);
    }
    // Scans and lists; 0 when the run stops before the list.
    int Prepare(int freeStructure = 0)
    {
        free = freeStructure;
        return q.PrepareKorvaRun(data, steps, free);
    }
    std::string folder;
    std::string path;
    FakeQueue q;
    CDataFile data;
    CStepList steps;
    int free = 0;
};

}  // namespace

TEST(DataFileScan, SectionsFoundAtColumnOneInAnyCase)
{
    Model m("scan",
            "SYSTEM\n"
            " NODE=10 ACT=1\n"
            "Joint\n"
            "  FRAME not at column one\n"
            "frame\n"
            "SHELL\n"
            "WALL\n"
            "C a comment line\n"
            "SOL8\n"
            "LSPRING\n");
    CDataFile& d = m.data;
    ASSERT_EQ(d.Scan(m.path.c_str(), m.q), 1);
    EXPECT_TRUE(d.IsScanned());
    for (int i : {CDataFile::SYST, CDataFile::JOIN, CDataFile::FRAM, CDataFile::SHEL, CDataFile::WALL, CDataFile::SOL8,
                  CDataFile::LSPR})
        EXPECT_TRUE(d.HasSection(i)) << CDataFile::kKeywords[i];
    int present = 0;
    for (int i = 0; i < CDataFile::SectionCount; ++i) present += d.HasSection(i);
    EXPECT_EQ(present, 7);
    EXPECT_FALSE(d.IsConstructionStage());
    EXPECT_TRUE(m.q.prompts.empty());
}

TEST(DataFileScan, LineAfterSystemIsReadForActAndNotAsAKeyword)
{
    struct Case {
        const char* text;
        int stage;
        int frame;
    } cases[] = {
        {"SYSTEM\nACT=2\n", 1, 0},       {"SYSTEM\nACT=1\n", 0, 0}, {"SYSTEM\nNODE=3 ACT=3 &\n LOAD=1\nFRAME\n", 1, 1},
        {"SYSTEM\nFRAME ACT=5\n", 1, 0},  // the line after SYSTEM is no section line
        {"SYSTEM\nFRAME\n", 0, 0},       {"SYSTEM\n", 0, 0},
    };
    int n = 0;
    for (const auto& c : cases) {
        Model m("act" + std::to_string(n++), c.text);
        ASSERT_EQ(m.data.Scan(m.path.c_str(), m.q), 1) << c.text;
        EXPECT_EQ(m.data.IsConstructionStage(), c.stage) << c.text;
        EXPECT_EQ(m.data.HasSection(CDataFile::FRAM), c.frame) << c.text;
    }
}

TEST(DataFileScan, FailuresAreToldAndNothingIsListed)
{
    struct Case {
        const char* tag;
        std::string text;
        const char* message;
    } cases[] = {
        {"blank", " SYSTEM\nFRAME\n", RUN_TXT_NOT_DATA_FILE},
        {"nosys", "FRAME\nSHELL\n", RUN_TXT_NOT_DATA_FILE},
        {"empty", "", RUN_TXT_NOT_DATA_FILE},
        {"utf8", "\xEF\xBB\xBFSYSTEM\nFRAME\n", "文件为非ANSI编码，请使用记事本或其它工具转换成ANSI编码！"},
        {"utf16", std::string("\xFF\xFES\0Y\0", 6), "文件为非ANSI编码，请使用记事本或其它工具转换成ANSI编码！"},
    };
    for (const auto& c : cases) {
        Model m(c.tag, c.text);
        EXPECT_EQ(m.Prepare(), 0) << c.tag;
        ASSERT_EQ(m.q.prompts.size(), 1u) << c.tag;
        EXPECT_EQ(m.q.prompts[0].text, c.message) << c.tag;
        EXPECT_EQ(m.q.prompts[0].kind, CRunPrompt::Stop);
        EXPECT_EQ(m.steps.GetProgramCount(), 0);
        EXPECT_FALSE(m.data.IsScanned());
    }
    Model missing("missing", "SYSTEM\n");
    missing.q.SetFileName("NOFILE");
    EXPECT_EQ(missing.Prepare(), 0);
    ASSERT_EQ(missing.q.prompts.size(), 1u);
    EXPECT_EQ(missing.q.prompts[0].text, RUN_TXT_OPEN_FAILED);
}

TEST(StepList, StepsFromSections)
{
    struct Case {
        const char* tag;
        const char* sections;  // lines after SYSTEM
        int free;
        Names steps;
    } cases[] = {
        {"bare", "", 0, {"KOR", "KOR2", "UDEXOR", "UDEXOR2", "SALDER /D /F", "NIBRAKO"}},
        {"frame",
         "JOINT\nFRAME\nLOAD\nEIGEN\nSPEC\nREIN\n",
         0,
         {"KOR", "KOR2", "FRAME", "UDEXOR", "UDEXOR2", "UMORAP", "SPEC", "SALDER /D /F", "NIBRAKO", "FRAMF", "REIN"}},
        {"reinnoframe",
         "TRUSS\nREIN\n",
         0,
         {"KOR", "KOR2", "TRUSSE", "UDEXOR", "UDEXOR2", "SALDER /D /F", "NIBRAKO", "TRUSSF"}},
        {"eigen",
         "EIGEN\nLANCZOS\n",
         0,
         {"KOR", "KOR2", "UDEXOR", "UDEXOR2", "UMORAP", "-UQIRN", "SALDER /D /F", "NIBRAKO"}},
        {"ritz",
         "RITZ\nEIGEN\nLANCZOS\n",
         0,
         {"KOR", "KOR2", "UDEXOR", "UDEXOR2", "UKELP", "-UMORAP", "-UQIRN", "SALDER /D /F", "NIBRAKO"}},
        {"elements",
         "FRAME\nSFRAME\nTRUSS\nCFRAME\nVFRAME\nPIPE\nPLANE\nTHREED\nSOL20\nSOL8\nS16E\nSHELL\nWALL\nLSPRING\n",
         0,
         {"KOR",          "KOR2",    "FRAME",  "SFRAME", "TRUSSE", "CFRAME", "VFRAME", "PIPE",   "PLANE",
          "THREEDE",      "SOL21",   "SOL8RE", "S16E",   "SHELLE", "WALL",   "SPRING", "UDEXOR", "UDEXOR2",
          "SALDER /D /F", "NIBRAKO", "FRAMF",  "SFRAMF", "TRUSSF", "CFRAMF", "VFRAMF", "PIPF",   "PLANF",
          "THREEDF",      "SOL21F",  "SOL8RF", "S16F",   "SHELLF", "WALF",   "SPRINGF"}},
        {"pseudo", "PE23\nDISP\n", 0, {"KOR", "KOR2", "PSEUDO", "UDEXOR", "UDEXOR2", "SALDER /D /F", "NIBRAKO"}},
        {"dynamics",
         "STEP\nFLUID\nDYNAMIC\nRVIB\nBRIDGE\n",
         0,
         {"KOR", "KOR2", "UDEXOR", "UFAMP", "UDEXOR2", "WAMSE1", "WAMSE2", "DYNAMIC", "TEBLO", "SALDER /D /F",
          "NIBRAKO", "BRIDGE"}},
        {"pile",
         "FRAME\nSOIL\n",
         0,
         {"KOR", "KOR2", "FRAME", "BRONK", "SPRING", "UDEXOR", "UDEXOR2", "SALDER /D", "BRONK", "SALDER /D /F",
          "NIBRAKO", "FRAMF", "SPRINGF"}},
        {"reso",
         "FRAME\nSHELL\nRESO\nEIGEN\nLANCZOS\nDYNAMIC\n",
         0,
         {"KOR",        "KOR2",         "FRAME",     "SHELLE",  "UDEXOR",       "UDEXOR2", "UMORAP", "-UQIRN",
          "DYNAMIC",    "SALDER /D /F", "NIBRAKO",   "FRAMF",   "SHELLF",       "FRAMG",   "SHELLG", "UDEXOR /R",
          "UDEXOR2 /R", "UMORAP /R",    "-UQIRN /R", "DYNAMIC", "SALDER /D /F", "NIBRAKO", "FRAMF",  "SHELLF"}},
        {"stab",
         "TRUSS\nWALL\nSTAB\n",
         0,
         {"KOR", "KOR2", "TRUSSE", "WALL", "UDEXOR", "UDEXOR2", "SALDER /D /F", "NIBRAKO", "TRUSSF", "WALF", "TRUSSG",
          "WALLG", "UDEXOR /G", "UDEXORG"}},
        {"free", "FRAME\nEIGEN\nSOIL\nSTEP\nSPEC\n", 1, {"KOR", "KOR2", "FRAME", "UDEXOR", "UFAMP", "UMORAP"}},
    };
    for (const auto& c : cases) {
        Model m(c.tag, std::string("SYSTEM\nNODE=1\n") + c.sections);
        ASSERT_EQ(m.Prepare(c.free), 1) << c.tag;
        EXPECT_EQ(Steps(m.steps), c.steps) << c.tag;
        EXPECT_EQ(m.free, c.free) << c.tag;
        EXPECT_TRUE(m.q.prompts.empty()) << c.tag;
    }
}

TEST(StepList, ConstructionStageAddsItsStepOnlyWithoutFreeStructure)
{
    Model staged("stage", "SYSTEM\nACT=2\nEIGEN\n");
    ASSERT_EQ(staged.Prepare(0), 1);
    EXPECT_EQ(Steps(staged.steps),
              (Names{"KOR", "KOR2", "UDEXOR", "UDEXOR2", "UJIRPAL", "UMORAP", "SALDER /D /F", "NIBRAKO"}));
    Model freeStaged("stagefree", "SYSTEM\nACT=2\nEIGEN\n");
    ASSERT_EQ(freeStaged.Prepare(1), 1);
    EXPECT_EQ(Steps(freeStaged.steps), (Names{"KOR", "KOR2", "UDEXOR", "UMORAP"}));
    Model one("stage1", "SYSTEM\nACT=1\nEIGEN\n");
    ASSERT_EQ(one.Prepare(0), 1);
    EXPECT_EQ(one.steps.FindProgram("UJIRPAL"), -1);
}

TEST(StepList, QuestionsBeforeTheList)
{
    const char* unsupported =
        "数据文件中包含集成环境不支持的数据段，\n如：子结构、TABS和LEVEL等。\n你可以在集成环境下采用命令行方式运行各相"
        "关程序段。";
    const char* stability = "稳定性分析目前只能支持框架单元、桁架单元和板壳单元!";
    const char* pdelta = "考虑几何刚度影响(P-DELTA效应)的分析目前只能支持框架单元和桁架单元!";
    const char* freeText =
        "选择了完全自由结构的振型分析，但是没有输入振型分析的相关数据，是否继续进行普通的非完全自由结构的分析？";
    struct Case {
        const char* tag;
        const char* sections;
        int free;
        std::deque<int> answers;
        int prepared;
        Names asked;
        int freeAfter;
    } cases[] = {
        {"levelno", "LEVEL\n", 0, {0}, 0, {unsupported}, 0},
        {"tabsyes", "TABS\nSUPER\n", 0, {1}, 1, {unsupported}, 0},
        {"stabplane", "PLANE\nSTAB\n", 0, {0}, 0, {stability}, 0},
        {"resopipe", "PIPE\nRESO\n", 0, {1}, 1, {pdelta}, 0},
        {"stabframe", "FRAME\nSHELL\nSTAB\n", 0, {}, 1, {}, 0},  // frames and shells are fine
        {"both", "SUBS\nS16E\nSTAB\n", 0, {1, 0}, 0, {unsupported, stability}, 0},
        {"freeno", "FRAME\n", 1, {0}, 0, {freeText}, 1},
        {"freeyes", "FRAME\nSOIL\n", 1, {1}, 1, {freeText}, 0},
        {"freeritz", "RITZ\n", 1, {}, 1, {}, 1},
    };
    for (const auto& c : cases) {
        Model m(c.tag, std::string("SYSTEM\nNODE=1\n") + c.sections);
        m.q.answers = c.answers;
        EXPECT_EQ(m.Prepare(c.free), c.prepared) << c.tag;
        Names asked;
        for (const auto& p : m.q.prompts) {
            asked.push_back(p.text);
            EXPECT_EQ(p.kind, CRunPrompt::Question) << c.tag;
        }
        EXPECT_EQ(asked, c.asked) << c.tag;
        EXPECT_EQ(m.free, c.freeAfter) << c.tag;
        EXPECT_EQ(m.steps.GetProgramCount() > 0, c.prepared == 1) << c.tag;
    }
    // Yes to the free-structure question gives the ordinary analysis, piles included.
    Model m("freepile", "SYSTEM\nNODE=1\nFRAME\nSOIL\n");
    ASSERT_EQ(m.Prepare(1), 1);
    EXPECT_EQ(m.steps.FindProgram("BRONK", m.steps.FindProgram("BRONK") + 1) > 0, true);
}

// ---- the queue a run makes of its steps ------------------------------------------------------

namespace {

struct Plan {
    Names queue;
    Names recycle;
};

// Prepares the model, unchecks the named steps (by index), queues.
Plan Queue(Model& m, std::initializer_list<int> unchecked, int freeStructure = 0, int* result = nullptr)
{
    EXPECT_EQ(m.Prepare(freeStructure), 1);
    for (int i : unchecked) m.steps.m_arrChecks[i] = 0;
    const int r = m.q.QueueKorvaRun(m.steps, m.data, m.free);
    if (result) *result = r;
    return {m.q.Queue(), m.q.Recycle()};
}

}  // namespace

TEST(QueuePlan, OrdinaryRunQueuesCheckedStepsWithTheNameOnTheFirst)
{
    Model m("plain", "SYSTEM\nNODE=1\nFRAME\nEIGEN\nLANCZOS\n");
    const Plan p = Queue(m, {});
    // Later steps get an empty file text: the program, two blanks and " /c".
    EXPECT_EQ(p.queue, (Names{"KOR /M:200 MODEL /c", "KOR2   /c", "FRAME   /c", "UDEXOR   /c", "UDEXOR2   /c",
                              "UMORAP   /c", "SALDER /D /F   /c", "NIBRAKO   /c", "FRAMF   /c"}));
    EXPECT_TRUE(p.recycle.empty());
    // Every step runs in the data file's folder; the first call alone names the file.
    ASSERT_EQ(m.q.calls.size(), 9u);
    EXPECT_EQ(m.q.calls[0].file, "MODEL");
    EXPECT_EQ(m.q.calls[1].file, "");
    EXPECT_EQ(m.q.calls[2].file, "");
    for (const auto& c : m.q.calls) {
        EXPECT_EQ(c.folder, m.folder);
        EXPECT_EQ(c.queue, 1);
        EXPECT_EQ(c.iteration, 0);
    }
}

TEST(QueuePlan, UncheckedMainProgramPassesTheNameOn)
{
    Model m("nokor", "SYSTEM\nNODE=1\nFRAME\n");
    const Plan p = Queue(m, {0, 2});
    EXPECT_EQ(p.queue, (Names{"KOR2 MODEL  /c", "UDEXOR   /c", "UDEXOR2   /c", "SALDER /D /F   /c", "NIBRAKO   /c",
                              "FRAMF   /c"}));
}

TEST(QueuePlan, PileModelIteratesBetweenTheTwoBronkSteps)
{
    // KOR KOR2 FRAME BRONK | SPRING UDEXOR UDEXOR2 SALDER/D BRONK | SALDER/D/F NIBRAKO FRAMF SPRINGF
    Model m("piles", "SYSTEM\nNODE=1\nFRAME\nSOIL\n");
    const Plan p = Queue(m, {});
    // Steps after the first BRONK are queued with no file text at all.
    EXPECT_EQ(p.queue, (Names{"KOR /M:200 MODEL /c", "KOR2   /c", "FRAME   /c", "BRONK   /c", "RECYCLEBRONK  /c",
                              "SALDER /D /F  /c", "NIBRAKO  /c", "FRAMF  /c", "SPRINGF  /c"}));
    EXPECT_EQ(p.recycle, (Names{"SPRING  /c", "UDEXOR  /c", "UDEXOR2  /c", "SALDER /D  /c", "BRONK  /c"}));
    // The marker has neither file nor folder.
    EXPECT_EQ(m.q.calls[4].program, "RECYCLEBRONK");
    EXPECT_EQ(m.q.calls[4].file, "<null>");
    EXPECT_EQ(m.q.calls[4].folder, "<null>");
}

TEST(QueuePlan, PileModelWithAStepOffInsideTheRangeRunsOnce)
{
    Model m("pilesoff", "SYSTEM\nNODE=1\nFRAME\nSOIL\n");
    const Plan p = Queue(m, {5});  // UDEXOR
    EXPECT_EQ(p.queue,
              (Names{"KOR /M:200 MODEL /c", "KOR2   /c", "FRAME   /c", "BRONK   /c", "SPRING  /c", "UDEXOR2  /c",
                     "SALDER /D  /c", "BRONK  /c", "SALDER /D /F  /c", "NIBRAKO  /c", "FRAMF  /c", "SPRINGF  /c"}));
    EXPECT_TRUE(p.recycle.empty());
}

TEST(QueuePlan, PileModelWithEverythingUpToTheFirstBronkOffNamesNoFile)
{
    Model m("pileshead", "SYSTEM\nNODE=1\nFRAME\nSOIL\n");
    const Plan p = Queue(m, {0, 1, 2, 3});
    EXPECT_EQ(p.queue, (Names{"RECYCLEBRONK  /c", "SALDER /D /F  /c", "NIBRAKO  /c", "FRAMF  /c", "SPRINGF  /c"}));
    EXPECT_EQ(p.recycle, (Names{"SPRING  /c", "UDEXOR  /c", "UDEXOR2  /c", "SALDER /D  /c", "BRONK  /c"}));
    for (const auto& c : m.q.calls) EXPECT_EQ(c.file, "<null>") << c.program;
}

TEST(QueuePlan, NothingCheckedQueuesNothing)
{
    Model m("none", "SYSTEM\nNODE=1\n");
    std::initializer_list<int> all = {0, 1, 2, 3, 4, 5};
    const Plan p = Queue(m, all);
    EXPECT_TRUE(p.queue.empty());
    EXPECT_EQ(m.q.GetTotalSize(), 0);
}

TEST(QueuePlan, ARefusedStepStopsTheQueueing)
{
    Model m("refused", "SYSTEM\nNODE=1\nFRAME\n");
    ASSERT_EQ(m.Prepare(0), 1);
    // The data file goes away between the scan and the queueing of the main program.
    std::filesystem::remove(m.path);
    EXPECT_EQ(m.q.QueueKorvaRun(m.steps, m.data, m.free), 0);
    EXPECT_EQ(m.q.GetTotalSize(), 0);
    ASSERT_EQ(m.q.prompts.size(), 1u);
    EXPECT_EQ(m.q.prompts[0].text, "当前目录下不存在需计算的数据文件!");
}
