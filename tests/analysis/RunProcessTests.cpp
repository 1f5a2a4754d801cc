// The run manager with real processes, pipes and threads: the stand-in
// programs run under the step names; a window of the test serves as output
// and notify window.
#include <gtest/gtest.h>

#include "RunWinTestUtil.h"

using namespace runwin;

namespace {

using Names = std::vector<std::string>;

class RunProcess : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetDataFile("SYSTEM\n");
        RemoveSolverFile("release-child");
        manager.SetFullPathName((DataFolder() + "\\MODEL").c_str());
        manager.SetUsedMemory(64);
        harness.Serve();
    }
    void Queue(std::initializer_list<const char*> steps)
    {
        bool first = true;
        for (const char* s : steps) {
            ASSERT_TRUE(manager.AddOneProcess(s, first ? "MODEL" : nullptr, DataFolder().c_str(), 1, 0)) << s;
            first = false;
        }
    }
    std::string Text() const { return harness.m_lines.GetText().GetString(); }

    Answers answers;
    CProcessManager manager;
    CRunHarness harness{&manager};
};

}  // namespace

TEST_F(RunProcess, CleanRunStartsEachStepInOrderInTheDataFolder)
{
    SetPlan(
        "KOR print KOR 第一步\\r\\n\n"
        "FRAME slow 3 5\n");
    Queue({"KOR", "KOR2", "FRAME"});
    ASSERT_TRUE(WaitForEnd(harness, manager));
    EXPECT_EQ(harness.m_ended, (std::vector<WPARAM>{1}));
    EXPECT_EQ(LoggedCommands(), (Names{"KOR /M:64 MODEL /c", "KOR2  /c", "FRAME  /c"}));
    EXPECT_EQ(harness.m_started, LoggedCommands());
    for (const auto& e : ReadLog()) {
        EXPECT_EQ(e.folder, DataFolder()) << e.name;
        EXPECT_EQ(e.korva, SolverFolder()) << e.name;
        EXPECT_EQ(e.path.substr(0, SolverFolder().size() + 1), SolverFolder() + ";") << e.name;
    }
    EXPECT_EQ(Text(), "KOR 第一步\r\nKOR2 done\r\nFRAME line 1\r\nFRAME line 2\r\nFRAME line 3\r\n");
    EXPECT_TRUE(answers.texts.empty());
    EXPECT_FALSE(manager.HasFreshExitCode());
}

TEST_F(RunProcess, ExitCodesDecideWhetherTheRunGoesOn)
{
    struct Case {
        const char* code;
        std::deque<int> answers;
        Names ran;
        WPARAM status;
        const char* message;
    } cases[] = {
        {"259", {}, {"A", "B"}, 1, nullptr},  // the still-active code ends a program like any other
        {"-2", {}, {"A", "B"}, 1, nullptr},
        {"6000", {}, {"A", "B"}, 1, nullptr},
        {"1", {1}, {"A", "B"}, 1, "有警告信息，是否继续?"},
        {"1", {0}, {"A"}, 0, "有警告信息，是否继续?"},
        {"2", {}, {"A"}, 0, "发生错误!"},
        {"0xC0000005", {}, {"A"}, 0, "发生意外错误!"},
        {"40", {}, {"A"}, 0, nullptr},
    };
    for (const auto& c : cases) {
        SetPlan(std::string("A exit ") + c.code + "\n");
        answers.texts.clear();
        answers.answers = c.answers;
        harness.m_ended.clear();
        ASSERT_TRUE(manager.AddOneProcess("A", nullptr, DataFolder().c_str(), 1, 0));
        ASSERT_TRUE(manager.AddOneProcess("B", nullptr, DataFolder().c_str(), 1, 0));
        ASSERT_TRUE(WaitForEnd(harness, manager)) << c.code;
        EXPECT_EQ(harness.m_ended, (std::vector<WPARAM>{c.status})) << c.code;
        Names ran;
        for (const auto& e : ReadLog()) ran.push_back(e.name);
        EXPECT_EQ(ran, c.ran) << c.code;
        if (c.message)
            EXPECT_EQ(answers.texts, (Names{c.message})) << c.code;
        else
            EXPECT_TRUE(answers.texts.empty()) << c.code;
    }
}

TEST_F(RunProcess, PileIterationEndsAtMinusOneAndTheQueueGoesOn)
{
    SetPlan(
        "BRONK@3 exit -1\n"
        "SPRING exit 0\n");
    ASSERT_TRUE(manager.AddOneProcess("BRONK", "MODEL", DataFolder().c_str(), 1, 0));
    ASSERT_TRUE(manager.AddOneProcess("RECYCLEBRONK", nullptr, nullptr, 1, 0));
    ASSERT_TRUE(manager.AddOneProcess("SPRING", nullptr, DataFolder().c_str(), 1, 1));
    ASSERT_TRUE(manager.AddOneProcess("BRONK", nullptr, DataFolder().c_str(), 1, 1));
    ASSERT_TRUE(manager.AddOneProcess("FRAMF", nullptr, DataFolder().c_str(), 1, 0));
    ASSERT_TRUE(WaitForEnd(harness, manager));
    EXPECT_EQ(harness.m_ended, (std::vector<WPARAM>{1}));
    Names ran;
    for (const auto& e : ReadLog()) ran.push_back(e.name);
    // Round 1 of BRONK is the plain step, rounds 2 and 3 are the iteration's.
    EXPECT_EQ(ran, (Names{"BRONK", "SPRING", "BRONK", "SPRING", "BRONK", "FRAMF"}));
}

TEST_F(RunProcess, OutputLinesKeepTheirBytesAcrossChunks)
{
    // GBK text with CR LF pairs and double-byte characters cut by the
    // 49-byte chunks, a lone-CR progress count and a bare LF.
    std::string text;
    for (int i = 1; i <= 12; ++i) text += "第" + std::to_string(i) + "步：计算单元刚度矩阵和荷载向量\\r\\n";
    text += "进度 10%\\r进度 20%\\r进度 30%\\r\\n结束\\n";
    SetPlan("A print " + text + "\n");
    ASSERT_TRUE(manager.AddOneProcess("A", nullptr, DataFolder().c_str(), 1, 0));
    ASSERT_TRUE(WaitForEnd(harness, manager));
    std::string expected;
    for (int i = 1; i <= 12; ++i) expected += "第" + std::to_string(i) + "步：计算单元刚度矩阵和荷载向量\r\n";
    expected += "进度 10%\r\n进度 20%\r\n进度 30%\r\n结束\r\n";
    EXPECT_EQ(Text(), expected);
    EXPECT_EQ(harness.m_lines.GetLineCount(), 16);
}

TEST_F(RunProcess, StopEndsAHungProgramWithCodeFortyAndEmptiesTheQueue)
{
    SetPlan("A hang\n");
    ASSERT_TRUE(manager.AddOneProcess("A", nullptr, DataFolder().c_str(), 1, 0));
    ASSERT_TRUE(manager.AddOneProcess("B", nullptr, DataFolder().c_str(), 1, 0));
    ASSERT_TRUE(PumpUntil([&] { return harness.m_started.size() == 1 && ReadLog().size() == 1; }));
    const DWORD pid = ReadLog()[0].pid;
    EXPECT_TRUE(ProcessAlive(pid));
    manager.TerminateProcessAndWaiting(0);
    ASSERT_TRUE(WaitForEnd(harness, manager));
    EXPECT_EQ(harness.m_ended, (std::vector<WPARAM>{0}));
    EXPECT_FALSE(ProcessAlive(pid));
    EXPECT_EQ(CountProcesses("A.exe"), 0);
    EXPECT_EQ(ReadLog().size(), 1u);
    EXPECT_TRUE(answers.texts.empty());
    EXPECT_EQ(manager.GetTotalSize(), 0);
}

TEST_F(RunProcess, StopBetweenTwoProgramsIsNotLost)
{
    // A has ended by itself and its 2025 is on its way when the user stops.
    SetPlan("");
    harness.m_onNext = [&](int n) {
        if (n == 2) manager.TerminateProcessAndWaiting(0);
    };
    Queue({"KOR2", "A", "B"});
    ASSERT_TRUE(WaitForEnd(harness, manager));
    EXPECT_EQ(harness.m_ended, (std::vector<WPARAM>{0}));
    EXPECT_EQ(ReadLog().size(), 1u);

    // The next run is not stopped by it.
    harness.m_onNext = nullptr;
    harness.m_ended.clear();
    Queue({"A"});
    ASSERT_TRUE(WaitForEnd(harness, manager));
    EXPECT_EQ(harness.m_ended, (std::vector<WPARAM>{1}));
}

TEST_F(RunProcess, ChildHoldingTheOutputDoesNotKeepTheStepAlive)
{
    SetPlan(
        "A print before the child\\r\\n\n"
        "A child\n"
        "A print after the child\\r\\n\n");
    RemoveSolverFile("release-child");
    // The child is let go however the test ends: a copy of A left holding on
    // would count in the tests after this one.
    struct Release {
        ~Release() { TouchSolverFile("release-child"); }
    } release;
    ASSERT_TRUE(manager.AddOneProcess("A", nullptr, DataFolder().c_str(), 1, 0));
    ASSERT_TRUE(manager.AddOneProcess("B", nullptr, DataFolder().c_str(), 1, 0));
    ASSERT_TRUE(WaitForEnd(harness, manager));
    EXPECT_EQ(harness.m_ended, (std::vector<WPARAM>{1}));
    ASSERT_EQ(LoggedChildren().size(), 1u);
    EXPECT_TRUE(ProcessAlive(LoggedChildren()[0]));  // still holding the pipe
    EXPECT_EQ(Text(), "before the child\r\nafter the child\r\nB done\r\n");
    TouchSolverFile("release-child");
    const DWORD child = LoggedChildren()[0];
    EXPECT_TRUE(PumpUntil([child] { return !ProcessAlive(child); }));
}

TEST_F(RunProcess, ProgramThatClosesItsOutputEndsWhenItsProcessEnds)
{
    SetPlan(
        "A print closing\\r\\n\n"
        "A closeout\n"
        "A touch closed\n"
        "A wait go-on\n"
        "A exit 0\n");
    RemoveSolverFile("closed");
    RemoveSolverFile("go-on");
    ASSERT_TRUE(manager.AddOneProcess("A", nullptr, DataFolder().c_str(), 1, 0));
    ASSERT_TRUE(manager.AddOneProcess("B", nullptr, DataFolder().c_str(), 1, 0));
    ASSERT_TRUE(PumpUntil([] { return SolverFileExists("closed"); }));
    // Its read has failed; the program still runs, and B waits for it.
    PumpUntil([] { return false; }, 200);
    EXPECT_TRUE(manager.CurProcessIsStillActive());
    EXPECT_EQ(ReadLog().size(), 1u);
    TouchSolverFile("go-on");
    ASSERT_TRUE(WaitForEnd(harness, manager));
    EXPECT_EQ(harness.m_ended, (std::vector<WPARAM>{1}));
    EXPECT_EQ(ReadLog().size(), 2u);
    EXPECT_EQ(Text(), "closing\r\nB done\r\n");
}

TEST_F(RunProcess, AProgramThatCannotStartEndsTheRun)
{
    SetPlan("");
    ASSERT_TRUE(manager.AddOneProcess("NOSUCHSTEP", nullptr, DataFolder().c_str(), 1, 0));
    ASSERT_TRUE(manager.AddOneProcess("A", nullptr, DataFolder().c_str(), 1, 0));
    ASSERT_TRUE(WaitForEnd(harness, manager));
    EXPECT_EQ(harness.m_ended, (std::vector<WPARAM>{0}));
    ASSERT_EQ(answers.texts.size(), 1u);
    EXPECT_EQ(answers.texts[0],
              "程序NOSUCHSTEP  /c启动失败!\n可能在相应目录下找不到相应的执行文件\n或工作目录不存在。");
    EXPECT_EQ(manager.GetTotalSize(), 0);
    EXPECT_TRUE(ReadLog().empty());
}

namespace {

// A manager whose pipe or reader thread cannot be had.
class CBrokenManager : public CProcessManager {
public:
    bool noPipe = false;
    bool noReader = false;

protected:
    BOOL CreateOutputPipe(HANDLE& read, HANDLE& write) override
    {
        if (noPipe) {
            read = write = nullptr;
            return FALSE;
        }
        return CProcessManager::CreateOutputPipe(read, write);
    }
    CWinThread* StartReader() override { return noReader ? nullptr : CProcessManager::StartReader(); }
};

}  // namespace

TEST(RunFailures, FailedPipeLetsTheProgramRunInItsOwnConsoleAndEndsIdle)
{
    Answers answers;
    SetPlan("A touch ran-alone\n");
    RemoveSolverFile("ran-alone");
    CBrokenManager manager;
    manager.noPipe = true;
    CRunHarness harness(&manager);
    harness.Serve();
    ASSERT_TRUE(manager.AddOneProcess("A", nullptr, DataFolder().c_str(), 1, 0));
    ASSERT_TRUE(manager.AddOneProcess("B", nullptr, DataFolder().c_str(), 1, 0));
    ASSERT_TRUE(WaitForEnd(harness, manager));
    EXPECT_EQ(harness.m_ended, (std::vector<WPARAM>{0}));
    EXPECT_EQ(answers.texts, (std::vector<std::string>{"重定向输出管道打开错误! 程序可能无法正常运行!"}));
    EXPECT_EQ(answers.types, (std::vector<UINT>{MB_OK}));
    EXPECT_EQ(manager.GetTotalSize(), 0);
    EXPECT_FALSE(manager.HasFreshExitCode());
    EXPECT_TRUE(PumpUntil([] { return SolverFileExists("ran-alone"); }));
    // Idle: the next run goes as usual.
    manager.noPipe = false;
    harness.m_ended.clear();
    ASSERT_TRUE(manager.AddOneProcess("B", nullptr, DataFolder().c_str(), 1, 0));
    ASSERT_TRUE(WaitForEnd(harness, manager));
    EXPECT_EQ(harness.m_ended, (std::vector<WPARAM>{1}));
}

TEST(RunFailures, FailedReaderStopsTheProgramAndEndsIdle)
{
    Answers answers;
    SetPlan("A hang\n");
    CBrokenManager manager;
    manager.noReader = true;
    CRunHarness harness(&manager);
    harness.Serve();
    ASSERT_TRUE(manager.AddOneProcess("A", nullptr, DataFolder().c_str(), 1, 0));
    ASSERT_TRUE(manager.AddOneProcess("B", nullptr, DataFolder().c_str(), 1, 0));
    ASSERT_TRUE(WaitForEnd(harness, manager));
    EXPECT_EQ(harness.m_ended, (std::vector<WPARAM>{0}));
    EXPECT_EQ(answers.texts, (std::vector<std::string>{"输出重定向线程启动失败!"}));
    EXPECT_EQ(manager.GetTotalSize(), 0);
    EXPECT_FALSE(manager.HasFreshExitCode());
    // It may have been stopped before it could write its log line.
    EXPECT_EQ(CountProcesses("A.exe"), 0);
}

TEST(RunFailures, OutputWindowThatIsGoneLosesTheTextButNotTheRun)
{
    Answers answers;
    SetPlan("A flood 20000\n");
    CProcessManager manager;
    CRunHarness harness(&manager);
    harness.Serve();
    // A window that no longer exists cannot take a 2024.
    HWND gone = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ::DestroyWindow(gone);
    manager.SetOutputWnd(gone);
    ASSERT_TRUE(manager.AddOneProcess("A", nullptr, DataFolder().c_str(), 1, 0));
    ASSERT_TRUE(WaitForEnd(harness, manager));
    EXPECT_EQ(harness.m_ended, (std::vector<WPARAM>{1}));
    EXPECT_EQ(harness.m_lines.GetLineCount(), 0);
}

TEST(RunFailures, EndOfTheOutputWindowFreesAWaitingReader)
{
    Answers answers;
    SetPlan("A flood 100000\n");
    CProcessManager manager;
    CRunHarness harness(&manager);
    harness.Serve();
    harness.m_bTakeText = false;  // the window takes no chunk: the reader soon waits
    ASSERT_TRUE(manager.AddOneProcess("A", nullptr, DataFolder().c_str(), 1, 0));
    ASSERT_TRUE(PumpUntil([&] { return harness.m_nUntaken > 0; }));
    manager.SetOutputWnd(nullptr);  // what the monitor does as it goes
    ASSERT_TRUE(WaitForEnd(harness, manager));
    EXPECT_EQ(harness.m_ended, (std::vector<WPARAM>{1}));
    // No more than the reader's buffers hold were handed over: the rest of the
    // output went nowhere once the window had gone.
    EXPECT_GT(harness.m_nUntaken, 0);
    EXPECT_LT(harness.m_nUntaken, 100000 / 49);
}

TEST(RunFailures, DestroyedManagerEndsItsRunningProgram)
{
    SetPlan("A hang\n");
    auto* manager = new CProcessManager;
    CRunHarness* harness = new CRunHarness(manager);
    harness->Serve();
    ASSERT_TRUE(manager->AddOneProcess("A", nullptr, DataFolder().c_str(), 1, 0));
    ASSERT_TRUE(PumpUntil([&] { return harness->m_started.size() == 1 && ReadLog().size() == 1; }));
    const DWORD pid = ReadLog()[0].pid;
    delete harness;
    delete manager;
    EXPECT_FALSE(ProcessAlive(pid));
    PumpPending();
}

TEST(RunFailures, CommandLineOver255CharactersIsRefusedAtTheQueue)
{
    Answers answers;
    CProcessManager manager;
    CRunHarness harness(&manager);
    harness.Serve();
    EXPECT_FALSE(manager.AddOneProcess(std::string(253, 'A').c_str(), nullptr, DataFolder().c_str(), 1, 0));
    ASSERT_EQ(answers.texts.size(), 1u);
    EXPECT_EQ(answers.texts[0].find("命令行超过255个字符"), 0u);
    EXPECT_EQ(manager.GetTotalSize(), 0);
    PumpPending();
    EXPECT_TRUE(harness.m_ended.empty());
}

TEST(RunDirect, ViewerProgramStartsThroughTheShellWithItsParameters)
{
    Answers answers;
    SetPlan("TULMA touch tulma-ran\n");
    RemoveSolverFile("tulma-ran");
    CProcessManager manager;
    CRunHarness harness(&manager);
    harness.Serve();
    ASSERT_TRUE(manager.AddOneProcess("TULMA.EXE", "X.KVD", DataFolder().c_str(), 1, 0));
    EXPECT_EQ(manager.GetTotalSize(), 0);  // not queued
    ASSERT_TRUE(PumpUntil([] { return SolverFileExists("tulma-ran"); }));
    const auto log = ReadLog();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].name, "TULMA");
    EXPECT_EQ(log[0].folder, DataFolder());
    const std::string& line = log[0].commandLine;
    EXPECT_EQ(line.substr(line.size() - 6), " X.KVD") << line;
    // A program that is nowhere says so.
    EXPECT_FALSE(manager.AddOneProcess("SHOWNOTHERE.EXE", nullptr, DataFolder().c_str(), 0, 0));
    ASSERT_EQ(answers.texts.size(), 1u);
    EXPECT_EQ(answers.texts[0], "无法找到执行文件：SHOWNOTHERE.EXE!");
    PumpPending();
    EXPECT_TRUE(harness.m_ended.empty());
}
