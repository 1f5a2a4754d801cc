#pragma once
// The run manager: runs the solver's programs one after another, each in a
// process of its own with its console output piped to the output window,
// judges their exit codes, and tells the caller by message 2027 how the run
// ended. Viewer programs start directly through the shell.
#include "analysis/RunQueue.h"
#include "framework/Threads.h"
#include "framework/WinApp.h"

#include <atomic>
#include <windows.h>

// Messages of a run; plain numbers, they cross into the program.
#define WM_RUN_OUTPUT 2024   // wParam first byte of a chunk, lParam just past its last
#define WM_RUN_NEXT 2025     // start the next program (StartAnotherProgram)
#define WM_RUN_STARTED 2026  // sent: wParam the command line of the program just started
#define WM_RUN_ENDED 2027    // wParam 1 after a normal end, 0 after a stop, a failure or nothing run

class CManagerDlg;

class ANALYSIS_API CProcessManager : public CRunQueue {
public:
    CProcessManager();
    ~CProcessManager() override;

    // The solver's folder, without a trailing "\"; found when the library loads.
    static char korvaPath[260];
    // Finds the solver and sets "KORVA" and "PATH" of the process (at load).
    static void LocateSolver();

    // Scans the data file (SetFullPathName first), lists the solver's steps,
    // lets the user choose them when showDialog is set, and queues them.
    void ComputeKorvaData(int showDialog, int freeStructure);
    int AddOneProcess(const char* program, const char* file, const char* folder, int queue, int iteration) override;
    // On 2025: takes the ended program's code and starts the next, or ends the run.
    void StartAnotherProgram();
    static UINT ReadOutputProc(LPVOID manager);

    void SetOutputWnd(HWND wnd);
    HWND GetOutputWnd() const { return m_hOutputWnd; }
    void SetProcessManagerWnd(HWND wnd) { m_hNotifyWnd = wnd; }
    HWND GetProcessManagerWnd() const { return m_hNotifyWnd; }
    // The output window has copied the chunk of the last 2024.
    void ReadStringFinished();
    // Stops the run: a running program ends with code 40; waits up to ms for its end.
    void TerminateProcessAndWaiting(DWORD ms);
    int ProcessIsStillActive() const { return m_bRunning || GetTotalSize() > 0; }
    int CurProcessIsStillActive() const { return m_bRunning; }

    void ReadProfileSetting(CWinApp* app);
    void WriteProfileSetting(CWinApp* app);
    int Prompt(const char* text, int kind) override;

protected:
    // The pipe of a program's output: read end overlapped, write end inheritable.
    virtual BOOL CreateOutputPipe(HANDLE& read, HANDLE& write);
    // Starts the reader thread of the running program; null when it cannot.
    virtual CWinThread* StartReader();
    // Opens the monitor dialog; FALSE when it could not be made.
    virtual BOOL CreateMonitor();
    BOOL FileExists(const char* path) override;

private:
    void StartProgram(const CProcessInfo& info);
    int StartDirect(const CRunCommand& cmd, const char* folder);
    // Takes the code of an ended program and lets its handles go; FALSE while it still runs.
    BOOL CollectEndedProgram();
    void SetProcessBeginingFlag();
    void SetProcessEndedFlag() { m_eventEnded.SetEvent(); }
    // Waits until count chunks in all were taken; FALSE when the window went first.
    BOOL WaitingForStringFinished(unsigned count);
    UINT ReadOutput();
    BOOL Deliver(char* chunk, DWORD bytes);
    void PostEnd(int status);

    CEvent m_eventEnded;                      // the reader has seen the program end
    CEvent m_eventTextTaken;                  // the output window took a chunk
    CEvent m_eventRelease{FALSE, TRUE};       // frees a reader waiting for a window that is gone
    std::atomic<HWND> m_hOutputWnd{nullptr};  // receives 2024
    std::atomic<HWND> m_hNotifyWnd{nullptr};  // receives 2025, 2026, 2027
    PROCESS_INFORMATION m_pi{};
    HANDLE m_hReadPipe = nullptr;
    CWinThread* m_pReader = nullptr;
    std::atomic<int> m_bReaderDone{0};
    // The hand-shake of the chunks: the event is only set while the reader waits.
    std::atomic<unsigned> m_nTextTaken{0};
    std::atomic<int> m_bReaderWaiting{0};
};
