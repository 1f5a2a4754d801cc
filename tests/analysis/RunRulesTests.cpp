// The run manager's rules: settings, solver location, memory, command lines,
// exit codes and the queue's course through a run.
#include <gtest/gtest.h>

#include "RunTestUtil.h"
#include "analysis/OutputLines.h"

using namespace runtest;

// ---- paths and names -----------------------------------------------------------------------

TEST(RunSettings, FullPathSplitsIntoFolderAndDataName)
{
    struct Case {
        const char* path;
        const char* folder;
        const char* name;
    } cases[] = {
        {"D:\\work\\M1.DAT", "D:\\work", "M1"},
        {"D:\\work\\BUILDING1.DAT", "D:\\work", "BUILDING1"},  // never cut: the run refuses it
        {"D:\\work\\MODEL", "D:\\work", "MODEL"},
        {"D:\\work\\a.b.dat", "D:\\work", "a.b"},
        {"\\MODEL.DAT", "", "MODEL"},
        {"MODEL.DAT", "", "MODEL"},
        {"D:\\work\\", "D:\\work", ""},
        // The second byte of 誠 is a "\": it splits nothing.
        {"D:\\誠\\模型.DAT", "D:\\誠", "模型"},
        {"D:\\誠.DAT", "D:", "誠"},
    };
    for (const auto& c : cases) {
        FakeQueue q;
        q.SetFullPathName(c.path);
        EXPECT_STREQ(q.GetCurPath(), c.folder) << c.path;
        EXPECT_STREQ(q.GetFileName(), c.name) << c.path;
    }
}

TEST(RunSettings, DataNameOverEightBytesIsRefusedBeforeTheScan)
{
    FakeQueue q;
    q.SetFullPathName((ScratchDir() + "\\BUILDING1.DAT").c_str());
    CDataFile data;
    CStepList steps;
    int freeStructure = 0;
    EXPECT_EQ(q.PrepareKorvaRun(data, steps, freeStructure), 0);
    ASSERT_EQ(q.prompts.size(), 1u);
    EXPECT_NE(q.prompts[0].text.find("BUILDING1"), std::string::npos);
    EXPECT_EQ(q.prompts[0].kind, CRunPrompt::Stop);
    EXPECT_EQ(steps.GetProgramCount(), 0);
    // Eight bytes, double-byte characters counted by their bytes, pass.
    FakeQueue ok;
    ok.SetFileName("模型四个.DAT");
    EXPECT_EQ(ok.RefuseLongDataName(ok.GetFileName()), 0);
    ok.SetFileName("模型四个A.DAT");
    EXPECT_EQ(ok.RefuseLongDataName(ok.GetFileName()), 1);
}

// ---- memory --------------------------------------------------------------------------------

TEST(RunSettings, MemoryIsCappedByNodeCount)
{
    struct Case {
        int setting, nodes, total, expected;
    } cases[] = {
        {200, 300, 2000, 60},  // capped
        {3, 300, 2000, 1000},  // below the minimum: the default, not capped again
        {59, 499, 2000, 59},        {200, 500, 2000, 80},
        {9, 999, 2000, 1000},       {300, 1000, 2000, 200},
        {14, 3999, 2000, 1000},     {900, 4000, 2000, 500},
        {900, 8000, 2000, 800},     {2000, 10000, 4000, 1200},
        {5000, 20000, 64000, 5000}, {40000, 25000, 64000, 35000},
        {69, 20000, 64000, 32000},  {1600, 20000, 2000, 1000},  // above three quarters of the memory
        {1500, 20000, 2000, 1500},                              // exactly three quarters stays
        {60, 100, 60, 20},                                      // small machine: a third
        {40, 100, 60, 40},          {5, 100, 60, 5},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RunRules::MemoryAccordNodes(c.setting, c.nodes, c.total), c.expected)
            << c.setting << " MB, " << c.nodes << " nodes, " << c.total << " MB";
        FakeQueue q(c.total);
        q.SetUsedMemory(c.setting);
        q.SetMemoryAccordNodes(c.nodes);
        EXPECT_EQ(q.GetUsedMemory(), c.expected);
    }
    EXPECT_EQ(RunRules::DefaultUsedMemory(69), 23);
    EXPECT_EQ(RunRules::DefaultUsedMemory(70), 35);
    EXPECT_EQ(FakeQueue(3001).GetUsedMemory(), 1500);
}

TEST(RunSettings, ProfileRoundTripAndRefusedMemory)
{
    MapProfile profile;
    FakeQueue q(2000);
    q.SetUsedMemory(300);
    // Nothing stored: the current memory stays, the folder is "C:", no name.
    q.ReadSettings(profile);
    EXPECT_EQ(q.GetUsedMemory(), 300);
    EXPECT_STREQ(q.GetCurPath(), "C:");
    EXPECT_STREQ(q.GetFileName(), "");

    profile.ints["Settings/Memory"] = 1990;
    profile.strings["Settings/CurPath"] = "D:\\工程";
    profile.strings["Settings/FileName"] = "MODEL.DAT";
    q.ReadSettings(profile);
    EXPECT_EQ(q.GetUsedMemory(), 300);  // 1990 of 2000 MB is refused
    EXPECT_STREQ(q.GetCurPath(), "D:\\工程");
    EXPECT_STREQ(q.GetFileName(), "MODEL");
    profile.ints["Settings/Memory"] = 1200;
    q.ReadSettings(profile);
    EXPECT_EQ(q.GetUsedMemory(), 1200);

    MapProfile out;
    q.WriteSettings(out);
    EXPECT_EQ(out.ints["Settings/Memory"], 1200);
    EXPECT_EQ(out.strings["Settings/CurPath"], "D:\\工程");
    EXPECT_EQ(out.strings["Settings/FileName"], "MODEL");

    EXPECT_TRUE(RunRules::IsProfileMemoryAccepted(1975, 2000));
    EXPECT_FALSE(RunRules::IsProfileMemoryAccepted(1976, 2000));
    EXPECT_TRUE(RunRules::IsProfileMemoryAccepted(35, 60));  // not above the machine less 25
    EXPECT_FALSE(RunRules::IsProfileMemoryAccepted(36, 60));
}

// ---- where the solver lies ----------------------------------------------------------------

TEST(SolverLocation, SearchOrderAndVariables)
{
    const std::string long259 = "D:\\" + std::string(256, 'k');
    const std::string long260 = long259 + "k";
    struct Case {
        const char* what;
        std::set<std::string> files;
        const char* korva;  // nullptr: not set
        std::string korvaValue;
        std::string expected;
        std::string korvaAfter;
        int korvaWrites;
    } cases[] = {
        {"solver beside the program", {"C:\\Vek\\kor.exe", "D:\\S\\kor.exe"}, "D:\\S", "", "C:\\Vek", "C:\\Vek", 1},
        {"variable with trailing backslashes", {"D:\\S\\kor.exe"}, "", "D:\\S\\\\", "D:\\S", "D:\\S", 1},
        {"variable without the solver", {}, "", "D:\\S\\", "D:\\S", "D:\\S\\", 0},
        {"no variable", {}, nullptr, "", "C:\\Vek", "C:\\Vek", 1},
        {"empty variable", {}, "", "", "C:\\Vek", "C:\\Vek", 1},
        {"259 characters", {long259 + "\\kor.exe"}, "", long259, long259, long259, 1},
        {"260 characters count as unset", {long260 + "\\kor.exe"}, "", long260, "C:\\Vek", "C:\\Vek", 1},
        {"a trail byte is not a backslash", {"D:\\誠\\kor.exe"}, "", "D:\\誠", "D:\\誠", "D:\\誠", 1},
    };
    for (const auto& c : cases) {
        FakeEnvironment env;
        env.program = "C:\\Vek\\Vek.exe";
        env.files = c.files;
        if (c.korva) env.vars["KORVA"] = c.korvaValue.empty() ? std::string(c.korva) : c.korvaValue;
        env.vars["PATH"] = "C:\\Windows";
        const CString found = RunRules::LocateSolver(env);
        EXPECT_EQ(std::string(found.GetString()), c.expected) << c.what;
        EXPECT_EQ(env.vars["KORVA"], c.korvaAfter) << c.what;
        EXPECT_EQ(env.sets["KORVA"], c.korvaWrites) << c.what;
        EXPECT_EQ(env.vars["PATH"], c.expected + ";C:\\Windows") << c.what;
    }
}

TEST(SolverLocation, SearchPathGrowsToTheEnvironmentsLimit)
{
    FakeEnvironment env;
    env.program = "C:\\Vek\\Vek.exe";
    env.files = {"C:\\Vek\\kor.exe"};
    // No PATH: the solver folder alone.
    RunRules::LocateSolver(env);
    EXPECT_EQ(env.vars["PATH"], "C:\\Vek");

    // Far beyond 2,000 characters still fits.
    env.vars["PATH"] = std::string(30000, 'p');
    RunRules::LocateSolver(env);
    EXPECT_EQ(env.vars["PATH"].size(), 30000u + 7);
    EXPECT_EQ(env.vars["PATH"].substr(0, 8), "C:\\Vek;p");

    // At the limit exactly, and one past it: then the old value stays whole.
    env.vars["PATH"] = std::string(RunRules::kMaxVariable - 7, 'p');
    RunRules::LocateSolver(env);
    EXPECT_EQ(env.vars["PATH"].size(), size_t(RunRules::kMaxVariable));
    const std::string full(RunRules::kMaxVariable - 6, 'p');
    env.vars["PATH"] = full;
    RunRules::LocateSolver(env);
    EXPECT_TRUE(env.vars["PATH"] == full) << "PATH changed";
}

// ---- command lines -------------------------------------------------------------------------

TEST(RunCommand, MainSolverDirectStartsAndQueuedSteps)
{
    const std::string longName(260, 'X');
    struct Case {
        const char* program;
        const char* file;
        const char* folder;
        int queue;
        const char* stored;
        int kind;
        std::string command, arguments, message;
    } cases[] = {
        {"KOR", "MODEL", "D:\\W", 1, "", CRunCommand::Queued, "KOR", "/M:200 MODEL /c", ""},
        {"KOR", "MODEL", "D:\\W\\", 1, "", CRunCommand::Queued, "KOR", "/M:200 MODEL /c", ""},
        {"KOR", "NOFILE", "D:\\W", 1, "", CRunCommand::Refused, "", "", "当前目录下不存在需计算的数据文件!"},
        {"KOR /M:64 MODEL", nullptr, "D:\\W", 1, "", CRunCommand::Queued, "KOR", "/M:64 MODEL /c", ""},
        {"kor", "model /M:64", "D:\\W", 1, "", CRunCommand::Queued, "KOR", "/M:64 MODEL  /c", ""},
        {"KOR", "MODEL /D", "D:\\W", 1, "", CRunCommand::Queued, "KOR", "/M:200 MODEL /D /c", ""},
        {"KOR.EXE", "MODEL", "D:\\W", 1, "", CRunCommand::Queued, "KOR.EXE", "/M:200 MODEL /c", ""},
        {"KOR", "", "D:\\W", 1, "MODEL", CRunCommand::Queued, "KOR", "/M:200 MODEL /c", ""},
        {"KOR", nullptr, "D:\\W", 1, "MODEL", CRunCommand::Queued, "KOR", "/M:200 MODEL /c", ""},
        {"KOR", "", "D:\\W", 1, "", CRunCommand::Refused, "", "", "没有输入KORVA数据文件!"},
        {"KOR", "BUILDING1", "D:\\W", 1, "", CRunCommand::Refused, "", "", "BUILDING1"},
        {"KOR", "MODEL", "", 1, "", CRunCommand::Queued, "KOR", "/M:200 MODEL /c", ""},
        {"KOR2", "MODEL", "D:\\W", 1, "", CRunCommand::Queued, "KOR2 MODEL", " /c", ""},
        {"KOR2", "", "D:\\W", 1, "", CRunCommand::Queued, "KOR2 ", " /c", ""},
        {"  frame", nullptr, "D:\\W", 1, "", CRunCommand::Queued, "FRAME", " /c", ""},
        {"SALDER /D /F", nullptr, "D:\\W", 1, "", CRunCommand::Queued, "SALDER /D /F", " /c", ""},
        {"EMEDITOR.EXE", "X.TXT", "D:\\W", 1, "", CRunCommand::Queued, "EMEDITOR.EXE X.TXT", " /c", ""},
        {"TULMA.EXE", "X.KVD", "D:\\W", 1, "", CRunCommand::Direct, "TULMA.EXE", " X.KVD", ""},
        {"notepad.EXE", "rep.txt", "D:\\W", 0, "", CRunCommand::Direct, "NOTEPAD.EXE", " REP.TXT", ""},
        {"Zuroze", nullptr, "D:\\W", 1, "", CRunCommand::Direct, "ZUROZE", "", ""},
        {"FRAME", nullptr, "D:\\W", 0, "", CRunCommand::Direct, "FRAME", "", ""},
        {"KOR", "MODEL", "D:\\W", 0, "", CRunCommand::Direct, "KOR", "/M:200 MODEL", ""},
        {"C:\\Program Files\\K\\show.exe A", nullptr, "D:\\W", 0, "", CRunCommand::Direct,
         "C:\\PROGRAM FILES\\K\\SHOW.EXE", " A", ""},
        {longName.c_str(), nullptr, "D:\\W", 1, "", CRunCommand::Refused, "", "", "命令行超过255个字符"},
    };
    for (const auto& c : cases) {
        FakeQueue q;
        q.SetUsedMemory(200);
        q.SetFileName(c.stored);
        q.files = {"D:\\W\\MODEL", "MODEL"};
        CRunCommand cmd;
        const int r = q.QueueProcess(c.program, c.file, c.folder, c.queue, 0, cmd);
        const std::string what = std::string(c.program) + " | " + (c.file ? c.file : "<null>");
        EXPECT_EQ(r, c.kind != CRunCommand::Refused) << what;
        EXPECT_EQ(cmd.m_nKind, c.kind) << what;
        if (c.kind != CRunCommand::Refused) {
            EXPECT_EQ(std::string(cmd.m_strProgram.GetString()), c.command) << what;
            EXPECT_EQ(std::string(cmd.m_strArguments.GetString()), c.arguments) << what;
        }
        EXPECT_EQ(q.GetTotalSize(), c.kind == CRunCommand::Queued ? 1 : 0) << what;
        if (c.message.empty()) {
            EXPECT_TRUE(q.prompts.empty()) << what;
        } else {
            ASSERT_EQ(q.prompts.size(), 1u) << what;
            EXPECT_NE(q.prompts[0].text.find(c.message), std::string::npos) << what << ": " << q.prompts[0].text;
            EXPECT_EQ(q.prompts[0].kind, CRunPrompt::Stop);
        }
    }
}

TEST(RunCommand, CommandLineOfExactly255CharactersIsQueued)
{
    FakeQueue q;
    CRunCommand cmd;
    // Program, a blank, " /c": 251 + 1 + 3.
    EXPECT_EQ(q.QueueProcess(std::string(251, 'A').c_str(), nullptr, "D:\\W", 1, 0, cmd), 1);
    EXPECT_EQ(q.Queue()[0].size(), 255u);
    EXPECT_EQ(q.QueueProcess(std::string(252, 'A').c_str(), nullptr, "D:\\W", 1, 0, cmd), 0);
    EXPECT_EQ(q.GetTotalSize(), 1);
}

// ---- exit codes ----------------------------------------------------------------------------

TEST(ExitCodes, Verdicts)
{
    using namespace RunRules;
    struct Case {
        uint32_t code;
        int iteration;
        int verdict;
        const char* message;
    } cases[] = {
        {0, 0, GoOn, nullptr},
        {1, 0, AskWarning, nullptr},
        {2, 0, Error, "发生错误!"},
        {3, 0, Error, "发生致命性错误!"},
        {40, 0, Abort, nullptr},
        {6000, 0, GoOn, nullptr},
        {6001, 0, Error, "发生意外错误!"},
        {0xC0000005u, 0, Error, "发生意外错误!"},
        {259, 0, GoOn, nullptr},
        {0xFFFFFFFEu, 0, GoOn, nullptr},
        {0xFFFFFFFFu, 0, GoOn, nullptr},
        {0xFFFFFFFFu, 1, EndIteration, nullptr},
        {0xFFFFFFFEu, 1, GoOn, nullptr},
        {1, 1, AskWarning, nullptr},
        {2, 1, Error, "发生错误!"},
        {40, 1, Abort, nullptr},
        {0xC0000005u, 1, Error, "发生意外错误!"},
        {259, 1, GoOn, nullptr},
    };
    for (const auto& c : cases) {
        const char* message = "unset";
        EXPECT_EQ(JudgeExitCode(c.code, c.iteration, &message), c.verdict) << c.code << " " << c.iteration;
        if (c.message)
            EXPECT_STREQ(message, c.message);
        else
            EXPECT_EQ(message, nullptr);
    }
}

// ---- the course of a run -------------------------------------------------------------------

namespace {

// Queues plain steps and, after a marker, iteration steps and a tail.
void QueueSteps(FakeQueue& q, std::initializer_list<const char*> head, std::initializer_list<const char*> loop = {},
                std::initializer_list<const char*> tail = {})
{
    for (const char* s : head) ASSERT_TRUE(q.AddOneProcess(s, nullptr, "D:\\W", 1, 0));
    if (loop.size()) {
        ASSERT_TRUE(q.AddOneProcess("RECYCLEBRONK", nullptr, nullptr, 1, 0));
        for (const char* s : loop) ASSERT_TRUE(q.AddOneProcess(s, nullptr, "D:\\W", 1, 1));
    }
    for (const char* s : tail) ASSERT_TRUE(q.AddOneProcess(s, nullptr, "D:\\W", 1, 0));
}

// Runs the queue: each started program ends with the next code. Returns the
// programs started and the run's status (-1 while it has not ended).
std::vector<std::string> RunQueue(FakeQueue& q, std::vector<uint32_t> codes, int& status)
{
    std::vector<std::string> started;
    status = -1;
    CProcessInfo info;
    int s = 0;
    size_t next = 0;
    while (q.TakeNextProgram(info, s)) {
        started.push_back(info.m_strProgram.GetString());
        if (next >= codes.size()) return started;
        q.Started();
        q.Ended(codes[next++]);
    }
    status = s;
    EXPECT_EQ(q.GetTotalSize(), 0);
    EXPECT_FALSE(q.HasFreshExitCode());
    EXPECT_FALSE(q.IsIterating());
    return started;
}

using Names = std::vector<std::string>;

}  // namespace

TEST(RunCourse, CodesThatGoOnOrEndTheRun)
{
    struct Case {
        uint32_t code;
        std::deque<int> answers;
        Names started;
        int status;
        const char* message;
    } cases[] = {
        {0, {}, {"A", "B"}, 1, nullptr},
        {6000, {}, {"A", "B"}, 1, nullptr},
        {259, {}, {"A", "B"}, 1, nullptr},
        {0xFFFFFFFEu, {}, {"A", "B"}, 1, nullptr},
        {0xFFFFFFFFu, {}, {"A", "B"}, 1, nullptr},
        {1, {1}, {"A", "B"}, 1, "有警告信息，是否继续?"},
        {1, {0}, {"A"}, 0, "有警告信息，是否继续?"},
        {2, {}, {"A"}, 0, "发生错误!"},
        {3, {}, {"A"}, 0, "发生致命性错误!"},
        {6001, {}, {"A"}, 0, "发生意外错误!"},
        {0xC0000005u, {}, {"A"}, 0, "发生意外错误!"},
        {40, {}, {"A"}, 0, nullptr},
    };
    for (const auto& c : cases) {
        FakeQueue q;
        q.answers = c.answers;
        QueueSteps(q, {"A", "B"});
        int status = 0;
        // A ends with the code; B, when it runs, with 0.
        EXPECT_EQ(RunQueue(q, {c.code, 0}, status), c.started) << c.code;
        EXPECT_EQ(status, c.status) << c.code;
        if (c.message) {
            ASSERT_EQ(q.prompts.size(), 1u) << c.code;
            EXPECT_EQ(q.prompts[0].text, c.message);
            EXPECT_EQ(q.prompts[0].kind, c.code == 1 ? CRunPrompt::Warning : CRunPrompt::Stop);
        } else {
            EXPECT_TRUE(q.prompts.empty()) << c.code;
        }
    }
}

TEST(RunCourse, PileIterationRunsUntilMinusOneThenTheQueueGoesOn)
{
    FakeQueue q;
    QueueSteps(q, {"KOR2", "BRONK"}, {"SPRING", "BRONK"}, {"FRAMF"});
    EXPECT_EQ(q.Queue(), (Names{"KOR2  /c", "BRONK  /c", "RECYCLEBRONK  /c", "FRAMF  /c"}));
    EXPECT_EQ(q.Recycle(), (Names{"SPRING  /c", "BRONK  /c"}));
    int status = 0;
    // Codes of -2, 259 and 6000 go round again; -1 ends the iteration.
    const Names started = RunQueue(q, {0, 0, 0, 0xFFFFFFFEu, 259, 6000, 0, 0xFFFFFFFFu, 0}, status);
    EXPECT_EQ(started, (Names{"KOR2", "BRONK", "SPRING", "BRONK", "SPRING", "BRONK", "SPRING", "BRONK", "FRAMF"}));
    EXPECT_EQ(status, 1);
    EXPECT_TRUE(q.prompts.empty());
}

TEST(RunCourse, IterationEndsTheRunWhenMinusOneComesLast)
{
    FakeQueue q;
    QueueSteps(q, {"BRONK"}, {"SPRING", "BRONK"});
    int status = 0;
    EXPECT_EQ(RunQueue(q, {0, 0, 0xFFFFFFFFu}, status), (Names{"BRONK", "SPRING", "BRONK"}));
    EXPECT_EQ(status, 1);
}

TEST(RunCourse, ErrorsInsideTheIterationAbort)
{
    for (uint32_t code : {2u, 40u, 0xC0000005u}) {
        FakeQueue q;
        QueueSteps(q, {"BRONK"}, {"SPRING", "BRONK"}, {"FRAMF"});
        int status = 0;
        EXPECT_EQ(RunQueue(q, {0, 0, code}, status), (Names{"BRONK", "SPRING", "BRONK"})) << code;
        EXPECT_EQ(status, 0);
    }
}

TEST(RunCourse, MarkerWithoutIterationStepsOrStepsWithoutMarkerEndTheRun)
{
    FakeQueue q;
    QueueSteps(q, {"A", "RECYCLEBRONK"});
    int status = 0;
    EXPECT_EQ(RunQueue(q, {0}, status), (Names{"A"}));
    EXPECT_EQ(status, 0);

    FakeQueue r;
    ASSERT_TRUE(r.AddOneProcess("SPRING", nullptr, "D:\\W", 1, 1));
    EXPECT_EQ(RunQueue(r, {}, status), Names{});
    EXPECT_EQ(status, 0);

    FakeQueue empty;
    EXPECT_EQ(RunQueue(empty, {}, status), Names{});
    EXPECT_EQ(status, 0);
}

TEST(RunCourse, StopIsNeverLost)
{
    int status = 0;
    // Before the first program starts (its start still pending).
    FakeQueue before;
    QueueSteps(before, {"A", "B"});
    before.RequestStop();
    EXPECT_EQ(RunQueue(before, {}, status), Names{});
    EXPECT_EQ(status, 0);

    // While a program runs: it ends with the stop code, or by itself with 0.
    for (uint32_t code : {40u, 0u, 1u}) {
        FakeQueue q;
        QueueSteps(q, {"A", "B"});
        CProcessInfo info;
        int s = -1;
        ASSERT_TRUE(q.TakeNextProgram(info, s));
        q.Started();
        q.RequestStop();
        q.Ended(code);
        EXPECT_EQ(q.TakeNextProgram(info, s), 0) << code;
        EXPECT_EQ(s, 0);
        EXPECT_TRUE(q.prompts.empty()) << code;  // no warning question after a stop
        EXPECT_EQ(q.GetTotalSize(), 0);
    }

    // Between two programs, inside the iteration.
    FakeQueue it;
    QueueSteps(it, {"BRONK"}, {"SPRING", "BRONK"});
    CProcessInfo info;
    int s = -1;
    ASSERT_TRUE(it.TakeNextProgram(info, s));
    it.Started();
    it.Ended(0);
    ASSERT_TRUE(it.TakeNextProgram(info, s));
    EXPECT_TRUE(it.IsIterating());
    it.Started();
    it.Ended(0);
    it.RequestStop();
    EXPECT_EQ(it.TakeNextProgram(info, s), 0);
    EXPECT_EQ(s, 0);
    EXPECT_FALSE(it.IsIterating());

    // The next run starts clean.
    QueueSteps(it, {"A"});
    EXPECT_FALSE(it.IsStopRequested());
    EXPECT_EQ(RunQueue(it, {0}, status), Names{"A"});
    EXPECT_EQ(status, 1);
}

TEST(RunCourse, ExitCodeIsHandedOutOnceAndNotWhileRunning)
{
    FakeQueue q;
    uint32_t code = 7;
    EXPECT_EQ(q.GetExitCode(code), 0);
    q.Started();
    q.SetExitCode(3);
    EXPECT_EQ(q.GetExitCode(code), 0);
    q.Ended(5);
    EXPECT_EQ(q.GetExitCode(code), 1);
    EXPECT_EQ(code, 5u);
    EXPECT_EQ(q.GetExitCode(code), 0);
}
