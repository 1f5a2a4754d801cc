// The run manager: processes, the output pipe and its reader thread.
#include "analysis/ProcessManager.h"

#include <shellapi.h>

#include <cstdio>
#include <vector>

namespace {

constexpr DWORD kChunk = 49;           // bytes per 2024: the monitor copies each before the next
constexpr DWORD kBlock = 40 * kChunk;  // bytes per read of the pipe
constexpr unsigned kBlocks = 4;
constexpr DWORD kPipeBuffer = 2000;

int TotalMemoryMB()
{
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!::GlobalMemoryStatusEx(&status)) return 0;
    const unsigned long long mb = status.ullTotalPhys / 1000000ull;
    return mb > 0x7FFFFFFFull ? 0x7FFFFFFF : static_cast<int>(mb);
}

}  // namespace

CProcessManager::CProcessManager() : CRunQueue(TotalMemoryMB()) {}

CProcessManager::~CProcessManager()
{
    // Nobody hears this run any more; its program and reader end first.
    m_hNotifyWnd = nullptr;
    m_hOutputWnd = nullptr;
    if (m_pReader) {
        if (!m_bReaderDone) ::TerminateProcess(m_pi.hProcess, RunRules::kStopCode);
        m_eventRelease.SetEvent();
        ::WaitForSingleObject(m_pReader->m_hThread, INFINITE);
        delete m_pReader;
        m_pReader = nullptr;
    }
    if (m_pi.hProcess) ::CloseHandle(m_pi.hProcess);
    if (m_hReadPipe) ::CloseHandle(m_hReadPipe);
}

int CProcessManager::Prompt(const char* text, int kind)
{
    UINT type = MB_OK;
    switch (kind) {
        case Stop: type = MB_OK | MB_ICONSTOP; break;
        case Question: type = MB_YESNO | MB_ICONQUESTION; break;
        case Warning: type = MB_YESNO | MB_ICONEXCLAMATION; break;
        default: break;
    }
    const int answer = AfxMessageBox(text, type);
    return answer == IDOK || answer == IDYES;
}

BOOL CProcessManager::FileExists(const char* path)
{
    const DWORD attributes = ::GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void CProcessManager::SetOutputWnd(HWND wnd)
{
    m_hOutputWnd = wnd;
    // A reader waiting for a window that has gone goes on without it.
    if (wnd)
        m_eventRelease.ResetEvent();
    else
        m_eventRelease.SetEvent();
}

void CProcessManager::PostEnd(int status)
{
    if (HWND notify = m_hNotifyWnd) ::PostMessageA(notify, WM_RUN_ENDED, status ? 1 : 0, 0);
}

// ---- queueing ------------------------------------------------------------------------------

int CProcessManager::AddOneProcess(const char* program, const char* file, const char* folder, int queue, int iteration)
{
    CRunCommand cmd;
    if (!QueueProcess(program, file, folder, queue, iteration, cmd)) return 0;
    if (cmd.m_nKind == CRunCommand::Direct) return StartDirect(cmd, folder);
    if (GetTotalSize() == 1 && !m_bRunning) {
        if ((!m_hOutputWnd || !m_hNotifyWnd) && !CreateMonitor()) {
            Clear();
            Prompt("无法打开KORVA分析程序调度对话框!", Stop);
            return 0;
        }
        ::PostMessageA(m_hNotifyWnd, WM_RUN_NEXT, 0, 0);
    }
    return 1;
}

int CProcessManager::StartDirect(const CRunCommand& cmd, const char* folder)
{
    const CString dir(folder);
    const INT_PTR result = reinterpret_cast<INT_PTR>(::ShellExecuteA(
        nullptr, "open", cmd.m_strProgram, cmd.m_strArguments.IsEmpty() ? nullptr : cmd.m_strArguments.GetString(),
        dir.IsEmpty() ? nullptr : dir.GetString(), SW_SHOW));
    if (result > 32) return 1;
    CString message;
    switch (result) {
        case ERROR_FILE_NOT_FOUND: message.Format("无法找到执行文件：%s!", cmd.m_strProgram.GetString()); break;
        case ERROR_PATH_NOT_FOUND: message = "无法找到路径!"; break;
        case ERROR_BAD_FORMAT: message = "执行文件无效或被破环!"; break;
        default: message = "程序启动失败!"; break;
    }
    Prompt(message, Stop);
    return 0;
}

void CProcessManager::TerminateProcessAndWaiting(DWORD ms)
{
    if (ProcessIsStillActive()) RequestStop();
    if (m_pReader && !m_bReaderDone) {
        ::TerminateProcess(m_pi.hProcess, RunRules::kStopCode);
        ::WaitForSingleObject(m_eventEnded, ms);
    }
}

// ---- starting programs ---------------------------------------------------------------------

void CProcessManager::StartAnotherProgram()
{
    // A start while a program still runs would be a second program at once.
    if (!CollectEndedProgram()) return;
    CProcessInfo info;
    int status = 0;
    if (!TakeNextProgram(info, status)) {
        PostEnd(status);
        return;
    }
    StartProgram(info);
}

BOOL CProcessManager::CreateOutputPipe(HANDLE& read, HANDLE& write)
{
    // A named pipe, so that the reader can wait for output and for the
    // program's end at once; nobody else knows its name.
    static LONG serial = 0;
    char name[96];
    std::snprintf(name, sizeof name, "\\\\.\\pipe\\korva-run-%lu-%ld", ::GetCurrentProcessId(),
                  ::InterlockedIncrement(&serial));
    read = ::CreateNamedPipeA(name, PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED, PIPE_TYPE_BYTE | PIPE_WAIT, 1,
                              kPipeBuffer, kPipeBuffer, 0, nullptr);
    if (read == INVALID_HANDLE_VALUE) {
        read = write = nullptr;
        return FALSE;
    }
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    write = ::CreateFileA(name, GENERIC_WRITE, 0, &sa, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (write == INVALID_HANDLE_VALUE) {
        ::CloseHandle(read);
        read = write = nullptr;
        return FALSE;
    }
    return TRUE;
}

CWinThread* CProcessManager::StartReader()
{
    CWinThread* thread =
        AfxBeginThread(&CProcessManager::ReadOutputProc, this, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (!thread) return nullptr;
    thread->m_bAutoDelete = FALSE;
    thread->ResumeThread();
    return thread;
}

void CProcessManager::SetProcessBeginingFlag()
{
    m_eventEnded.ResetEvent();
    m_eventTextTaken.ResetEvent();
    m_nTextTaken = 0;
    m_bReaderWaiting = 0;
    m_dwExitCode = RunRules::kStillActive;
    m_bExitCodeFresh = 0;
    m_bReaderDone = 0;
    m_bRunning = 1;
}

void CProcessManager::StartProgram(const CProcessInfo& info)
{
    const CString commandLine = info.GetCommandLine();
    HANDLE read = nullptr, write = nullptr;
    bool pipeFailed = false;
    if (m_hOutputWnd && !CreateOutputPipe(read, write)) {
        Prompt("重定向输出管道打开错误! 程序可能无法正常运行!", Plain);
        pipeFailed = true;
    }
    STARTUPINFOA si{};
    si.cb = sizeof si;
    DWORD flags = CREATE_NEW_CONSOLE;
    if (read) {
        si.dwFlags = STARTF_USESTDHANDLES | STARTF_USESIZE;
        si.hStdOutput = write;
        si.hStdError = write;
        si.hStdInput = nullptr;
        si.dwXSize = 100;
        si.dwYSize = 100;
        flags = CREATE_NO_WINDOW;
    }
    PROCESS_INFORMATION pi{};
    BOOL started = FALSE;
    if (commandLine.GetLength() <= RunRules::kMaxCommandLine) {
        char line[RunRules::kMaxCommandLine + 1];
        std::snprintf(line, sizeof line, "%s", commandLine.GetString());
        started = ::CreateProcessA(nullptr, line, nullptr, nullptr, TRUE, flags, nullptr,
                                   info.m_strFolder.IsEmpty() ? nullptr : info.m_strFolder.GetString(), &si, &pi);
    }
    if (write) ::CloseHandle(write);
    if (!started) {
        if (read) ::CloseHandle(read);
        CString message;
        message.Format("程序%s启动失败!\n可能在相应目录下找不到相应的执行文件\n或工作目录不存在。",
                       commandLine.GetString());
        Prompt(message, Stop);
        EndRun();
        PostEnd(0);
        return;
    }
    ::CloseHandle(pi.hThread);
    if (pipeFailed) {
        // Its output cannot be watched: it runs on in a console of its own, and
        // the run ends here.
        ::CloseHandle(pi.hProcess);
        EndRun();
        PostEnd(0);
        return;
    }
    m_pi = pi;
    m_hReadPipe = read;
    SetProcessBeginingFlag();
    m_pReader = StartReader();
    if (!m_pReader) {
        // Nobody would notice its end: it is stopped, and the run ends.
        ::TerminateProcess(pi.hProcess, RunRules::kStopCode);
        ::WaitForSingleObject(pi.hProcess, INFINITE);
        ::CloseHandle(pi.hProcess);
        if (read) ::CloseHandle(read);
        m_pi = PROCESS_INFORMATION{};
        m_hReadPipe = nullptr;
        m_bRunning = 0;
        Prompt("输出重定向线程启动失败!", Stop);
        EndRun();
        PostEnd(0);
        return;
    }
    if (HWND notify = m_hNotifyWnd)
        ::SendMessageA(notify, WM_RUN_STARTED, reinterpret_cast<WPARAM>(commandLine.GetString()), 0);
}

BOOL CProcessManager::CollectEndedProgram()
{
    if (!m_pReader) return TRUE;
    if (!m_bReaderDone) return FALSE;
    ::WaitForSingleObject(m_pReader->m_hThread, INFINITE);
    delete m_pReader;
    m_pReader = nullptr;
    DWORD code = 2;
    if (!::GetExitCodeProcess(m_pi.hProcess, &code)) {
        Prompt("输出重定向线程与相关进程通信出现错误!", Stop);
        code = 2;
    }
    ::CloseHandle(m_pi.hProcess);
    m_pi = PROCESS_INFORMATION{};
    if (m_hReadPipe) ::CloseHandle(m_hReadPipe);
    m_hReadPipe = nullptr;
    m_bRunning = 0;
    SetExitCode(code);
    return TRUE;
}

// ---- the reader thread ---------------------------------------------------------------------

UINT CProcessManager::ReadOutputProc(LPVOID manager)
{
    return static_cast<CProcessManager*>(manager)->ReadOutput();
}

void CProcessManager::ReadStringFinished()
{
    ++m_nTextTaken;
    if (m_bReaderWaiting) m_eventTextTaken.SetEvent();
}

BOOL CProcessManager::WaitingForStringFinished(unsigned count)
{
    // The count says how many chunks were taken; the event only wakes the
    // reader, so chunks taken before the reader looks cost no wait at all.
    HANDLE events[2] = {m_eventTextTaken, m_eventRelease};
    for (;;) {
        if (static_cast<int>(m_nTextTaken - count) >= 0) return TRUE;
        m_bReaderWaiting = 1;
        if (static_cast<int>(m_nTextTaken - count) >= 0) {
            m_bReaderWaiting = 0;
            return TRUE;
        }
        const DWORD woken = ::WaitForMultipleObjects(2, events, FALSE, INFINITE);
        m_bReaderWaiting = 0;
        if (woken != WAIT_OBJECT_0) return FALSE;  // the window has gone
    }
}

BOOL CProcessManager::Deliver(char* chunk, DWORD bytes)
{
    HWND out = m_hOutputWnd;
    if (!out) return FALSE;
    // A window that cannot take the message loses the chunk; nobody waits for it.
    return ::PostMessageA(out, WM_RUN_OUTPUT, reinterpret_cast<WPARAM>(chunk), reinterpret_cast<LPARAM>(chunk + bytes));
}

UINT CProcessManager::ReadOutput()
{
    const HANDLE process = m_pi.hProcess;
    const HANDLE pipe = m_hReadPipe;
    if (pipe) {
        // A ring of blocks: the pipe fills the next block while the window
        // takes the chunks of the ones before it; a block is filled again only
        // once every chunk of it was taken.
        std::vector<char> ring(kBlocks * (kBlock + 1));
        unsigned taken[kBlocks] = {};  // chunks sent up to the end of each block
        unsigned sent = 0;
        unsigned block = 0;
        bool ended = false;
        OVERLAPPED ov{};
        ov.hEvent = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
        for (;; ++block) {
            const unsigned slot = block % kBlocks;
            char* buffer = ring.data() + slot * (kBlock + 1);
            if (!WaitingForStringFinished(taken[slot]))
                sent = m_nTextTaken;  // the window has gone: nothing is on its way any more
            DWORD got = 0;
            BOOL ok = ::ReadFile(pipe, buffer, kBlock, nullptr, &ov);
            const bool pending = !ok && ::GetLastError() == ERROR_IO_PENDING;
            if (!ok && !pending) break;  // every writer has gone
            if (pending && !ended) {
                HANDLE waits[2] = {ov.hEvent, process};
                ended = ::WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0 + 1;
            }
            if (pending && ended && ::WaitForSingleObject(ov.hEvent, 0) != WAIT_OBJECT_0) {
                // The program has ended and all it wrote is in the pipe; a child
                // that still holds the pipe does not keep its step alive.
                DWORD waiting = 0;
                if (!::PeekNamedPipe(pipe, nullptr, 0, nullptr, &waiting, nullptr) || waiting == 0) ::CancelIo(pipe);
            }
            ok = ::GetOverlappedResult(pipe, &ov, &got, TRUE);
            if (!ok) break;
            for (DWORD at = 0; at < got; at += kChunk)
                if (Deliver(buffer + at, got - at < kChunk ? got - at : kChunk)) ++sent;
            taken[slot] = sent;
        }
        WaitingForStringFinished(sent);
        ::CloseHandle(ov.hEvent);
    }
    // The end is told by the process handle alone, never by its exit code.
    ::WaitForSingleObject(process, INFINITE);
    m_bReaderDone = 1;
    SetProcessEndedFlag();
    if (HWND notify = m_hNotifyWnd) ::PostMessageA(notify, WM_RUN_NEXT, 0, 0);
    return 0;
}
