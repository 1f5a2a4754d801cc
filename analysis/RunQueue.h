#pragma once
// The run manager's rules without windows: the solver's step list, the run
// queue and the pile-iteration list, the main solver program's command line,
// the judgement of exit codes, and the run settings. CProcessManager adds the
// processes, the output pipe and the monitor window on top.
#include "analysis/AnalysisApi.h"
#include "analysis/DataFileScan.h"
#include "analysis/RunPrompt.h"
#include "analysis/RunSettings.h"
#include "framework/Collections.h"
#include "framework/String.h"

#include <atomic>
#include <cstdint>

// One queued program.
class ANALYSIS_API CProcessInfo {
public:
    CProcessInfo() = default;
    CProcessInfo(const char* program, const char* arguments, const char* folder);
    CProcessInfo(const CProcessInfo&) = default;
    CProcessInfo& operator=(const CProcessInfo&) = default;
    virtual ~CProcessInfo() = default;
    // Program, a blank and the arguments.
    CString GetCommandLine() const { return m_strProgram + " " + m_strArguments; }

    CString m_strProgram;
    CString m_strArguments;
    CString m_strFolder;
};

// The solver's steps in running order, each with its check.
class ANALYSIS_API CStepList {
public:
    CStepList() { RemoveAllPrograms(); }
    virtual ~CStepList() = default;
    // Returns the new step's index.
    int AddProgram(const char* name, int check);
    void RemoveAllPrograms();
    int GetProgramCount() const { return m_arrPrograms.GetSize(); }
    // -1 when no step of that name (any case) lies at from or after it.
    int FindProgram(const char* name, int from = 0) const;

    CStringArray m_arrPrograms;
    CByteArray m_arrChecks;
};

// What AddOneProcess makes of a program text.
struct ANALYSIS_API CRunCommand {
    enum Kind { Refused, Queued, Direct };
    int m_nKind = Refused;
    CString m_strProgram;
    CString m_strArguments;
};

// Exit codes as the solver's programs use them.
namespace RunRules {
constexpr uint32_t kStillActive = 259;
constexpr uint32_t kStopCode = 40;            // the user's stop
constexpr uint32_t kLastRound = 0xFFFFFFFFu;  // minus one: the pile iteration has converged
enum Verdict { GoOn, EndIteration, AskWarning, Error, Abort };
// The verdict on a program's exit code; message receives the text of an error.
ANALYSIS_API int JudgeExitCode(uint32_t code, int iterationMode, const char** message);
// The longest command line a program is started with.
constexpr int kMaxCommandLine = 255;
}  // namespace RunRules

class ANALYSIS_API CRunQueue : public CRunPrompt {
public:
    explicit CRunQueue(int totalMemory);
    ~CRunQueue() override;
    CRunQueue(const CRunQueue&) = delete;
    CRunQueue& operator=(const CRunQueue&) = delete;

    // ---- settings ----
    void SetFullPathName(const char* path);
    void SetFileName(const char* name);
    const char* GetFileName() const { return m_strFileName; }
    const char* GetCurPath() const { return m_strCurPath; }
    void SetCurPath(const char* folder) { m_strCurPath = folder; }
    void SetMemoryAccordNodes(int nodes);
    int GetUsedMemory() const { return m_nUsedMemory; }
    void SetUsedMemory(int megabytes) { m_nUsedMemory = megabytes; }
    int GetTotalMemory() const { return m_nTotalMemory; }
    void ReadSettings(CRunProfile& profile);
    void WriteSettings(CRunProfile& profile) const;

    // ---- the queue ----
    // Makes the command of a program text and queues it when it is not a
    // direct start; 0 (after a message) when refused. Direct starts come
    // back in cmd for the caller to run.
    int QueueProcess(const char* program, const char* file, const char* folder, int queue, int iteration,
                     CRunCommand& cmd);
    // Queues a program: the caller's part of a run (see CProcessManager).
    virtual int AddOneProcess(const char* program, const char* file, const char* folder, int queue, int iteration) = 0;
    int GetTotalSize() const { return m_arrProcesses.GetSize() + m_arrRecycle.GetSize(); }
    int IsIterating() const { return m_bRecycleMode; }
    // After a program's end (or before the first start): 1 with the next
    // program in info, or 0 when the run is over, with its status (1 normal
    // end, 0 stop, failure or nothing to run). Asks the user where a code
    // asks for it.
    int TakeNextProgram(CProcessInfo& info, int& status);
    // The user stops the run: whatever comes next, nothing more starts.
    void RequestStop() { m_bStopRequested = 1; }
    int IsStopRequested() const { return m_bStopRequested; }
    // Stores a program's exit code for the next TakeNextProgram.
    void SetExitCode(uint32_t code);
    // Hands out a stored code once; 0 when none is held.
    int GetExitCode(uint32_t& code);
    int HasFreshExitCode() const { return m_bExitCodeFresh; }

    // ---- the solver's steps ----
    // Scans the data file, asks about sections the run cannot take, settles
    // the free-structure flag and lists the steps. 0 when the run stops here.
    int PrepareKorvaRun(CDataFile& data, CStepList& steps, int& freeStructure);
    // Queues the checked steps through AddOneProcess; 0 when one was refused.
    int QueueKorvaRun(const CStepList& steps, const CDataFile& data, int freeStructure);
    static void BuildSteps(CStepList& steps, CDataFile& data, int freeStructure);
    // The steps between the two BRONK steps of a pile model are run over and
    // over: first and second bound them; 1 when they form the iteration.
    static int GetIterationRange(const CStepList& steps, const CDataFile& data, int freeStructure, int& first,
                                 int& second);
    // The data-file name is too long for the solver (message shown).
    int RefuseLongDataName(const char* name);

protected:
    static void AddElementSectionString(CStepList& steps, const CDataFile& data, int phase);
    virtual BOOL FileExists(const char* path);
    int AddNoneRecycleProcess(const char* program, const char* arguments, const char* folder);
    int AddRecycleProcess(const char* program, const char* arguments, const char* folder);
    int PullOneProgram(CProcessInfo& info);
    int GetRecycleProgram(int& position, CProcessInfo& info);
    void Clear();
    void ClearRecyclePrograms() { m_arrRecycle.RemoveAll(); }
    // A new run begins: no stop and no code of an earlier run carry over.
    void BeginRun();
    // The run is over: both lists emptied, no iteration, no stop pending; returns 0.
    int EndRun();

    int m_bRecycleMode = 0;
    int m_nRecyclePosition = 0;
    CArray<CProcessInfo> m_arrProcesses;
    CArray<CProcessInfo> m_arrRecycle;
    std::atomic<uint32_t> m_dwExitCode{0};
    std::atomic<int> m_bExitCodeFresh{0};
    std::atomic<int> m_bStopRequested{0};
    // A program runs: set before its reader starts, cleared once its end is taken.
    std::atomic<int> m_bRunning{0};
    int m_nTotalMemory = 0;
    int m_nUsedMemory = 0;
    CString m_strFileName;
    CString m_strCurPath;
};
