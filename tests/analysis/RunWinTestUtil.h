#pragma once
// Helpers of the run manager's tests under Wine: the test program's
// application object, a solver folder of stand-in programs, their plan and
// log, a window standing in for the caller, and answered message boxes.
#include "analysis/OutputLines.h"
#include "analysis/ProcessManager.h"
#include "framework/Afx.h"
#include "tests/support/WinTestSupport.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace runwin {

// Generous: only a hung run ever waits this long.
constexpr DWORD kSafety = 120000;

class CRunTestApp : public CWinApp {
public:
    CRunTestApp() : CWinApp("RunTest") {}
};

// The solver folder ("KORVA") with the stand-in under the step names, and
// the folder of the data file MODEL.
// The folder of the test program (and of the stand-in it copies).
std::string ProgramFolder();
std::string SolverFolder();
std::string DataFolder();
// Writes the plan of the stand-ins (lines as in its header) and empties their log.
void SetPlan(const std::string& plan);
// Writes the data file MODEL.
void SetDataFile(const std::string& text);
// Whether a file of the solver folder exists; creates one.
bool SolverFileExists(const char* name);
void TouchSolverFile(const char* name);
void RemoveSolverFile(const char* name);

struct LogEntry {
    std::string name, commandLine, folder, korva, path;
    DWORD pid = 0;
};
std::vector<LogEntry> ReadLog();
std::vector<std::string> LoggedCommands();
// Process ids the log names for the held children.
std::vector<DWORD> LoggedChildren();
bool ProcessAlive(DWORD pid);
// Running processes of that program file name ("A.exe"), any case.
int CountProcesses(const char* exeName);

// Runs the message loop until done() or the safety time; false on the latter.
bool PumpUntil(const std::function<bool()>& done, DWORD ms = kSafety);
// Dispatches what is queued now, without waiting.
void PumpPending();
using vektest::RunSoon;
// The visible top-level window of that title (the monitor), or null.
HWND FindTopWindow(const char* title);

// Message boxes answered from a list (OK or Yes when it is empty), recorded.
struct Answers {
    Answers();
    ~Answers();
    std::deque<int> answers;
    std::vector<std::string> texts;
    std::vector<UINT> types;
};

// The window of a caller: receives 2027, and, when it serves as the output
// and notify window itself, 2024 to 2026.
class CRunHarness : public CWnd {
public:
    explicit CRunHarness(CProcessManager* manager);
    ~CRunHarness() override;
    // Makes the harness the manager's output and notify window.
    void Serve();

    CProcessManager* m_pManager;
    COutputLines m_lines;
    std::vector<std::string> m_started;
    std::vector<WPARAM> m_ended;
    int m_nNext = 0;
    // Called on a 2025 before the manager's start of the next program.
    std::function<void(int)> m_onNext;
    bool m_bTakeText = true;
    int m_nUntaken = 0;

protected:
    LRESULT OnOutput(WPARAM start, LPARAM end);
    LRESULT OnNext(WPARAM, LPARAM);
    LRESULT OnStarted(WPARAM text, LPARAM);
    LRESULT OnEnded(WPARAM status, LPARAM);
    DECLARE_MESSAGE_MAP()
};

// Waits for the run's end; true when it came (2027 received and the manager idle).
bool WaitForEnd(CRunHarness& harness, CProcessManager& manager);

}  // namespace runwin
