// Timing of a solver program's output through the run monitor.
//   MonitorSpeed [megabytes]
// The solver's stand-in floods the given amount (default 20 MB) of text;
// it is read once by a plain loop of 49-byte ReadFile calls on a pipe, and
// once through the run manager and its monitor dialog. Each is run three
// times, alternating; the best of each is printed with their ratio. Then a
// larger flood is stopped from the monitor and the time to the end of the run
// is printed, with whether the stand-in got to its end.
#include "analysis/ManagerDlg.h"
#include "analysis/ProcessManager.h"
#include "framework/Afx.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

class CSpeedApp : public CWinApp {
public:
    CSpeedApp() : CWinApp("MonitorSpeed") {}
};
CSpeedApp theApp;

std::string g_folder;

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void WriteFile(const std::string& name, const std::string& text)
{
    if (FILE* f = std::fopen((g_folder + "\\" + name).c_str(), "wb")) {
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
}

bool Exists(const char* name)
{
    return ::GetFileAttributesA((g_folder + "\\" + name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The plain loop: the same program, its output on an anonymous pipe, read
// 49 bytes at a time until it ends. Returns seconds; bytes read in bytes.
double PlainLoop(long long& bytes)
{
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    HANDLE read = nullptr, write = nullptr;
    ::CreatePipe(&read, &write, &sa, 2000);
    ::SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = write;
    si.hStdError = write;
    PROCESS_INFORMATION pi{};
    char cmd[] = "FLOOD  /c";
    const double start = Now();
    if (!::CreateProcessA(nullptr, cmd, nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, g_folder.c_str(), &si,
                          &pi)) {
        std::printf("the stand-in did not start\n");
        std::exit(1);
    }
    ::CloseHandle(write);
    char buffer[50];
    DWORD got = 0;
    bytes = 0;
    while (::ReadFile(read, buffer, 49, &got, nullptr) && got > 0) bytes += got;
    ::WaitForSingleObject(pi.hProcess, INFINITE);
    const double seconds = Now() - start;
    ::CloseHandle(pi.hProcess);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(read);
    return seconds;
}

// The caller of a run: hears its 2027.
class CCaller : public CWnd {
public:
    int ended = -1;
    LRESULT OnEnded(WPARAM status, LPARAM)
    {
        ended = static_cast<int>(status);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CCaller, CWnd)
ON_MESSAGE(WM_RUN_ENDED, &CCaller::OnEnded)
END_MESSAGE_MAP()

void Pump(const std::function<bool()>& done)
{
    while (!done()) {
        MSG m;
        if (::GetMessageA(&m, nullptr, 0, 0) <= 0) return;
        ::TranslateMessage(&m);
        ::DispatchMessageA(&m);
    }
}

HWND Monitor()
{
    return ::FindWindowA(nullptr, "KORVA分析程序调度对话框");
}

// The monitor's line count while it is open; the window is looked up until
// found, so the timing loop adds nothing per message but a check of the handle.
class CMonitorWatch {
public:
    CManagerDlg* Dialog()
    {
        if (!m_hWnd) m_hWnd = Monitor();
        return m_hWnd && ::IsWindow(m_hWnd) ? DYNAMIC_DOWNCAST(CManagerDlg, CWnd::FromHandlePermanent(m_hWnd))
                                            : nullptr;
    }
    int Lines()
    {
        if (CManagerDlg* dlg = Dialog()) m_nLines = dlg->GetOutputPane()->GetLineCount();
        return m_nLines;
    }

private:
    HWND m_hWnd = nullptr;
    int m_nLines = 0;
};

// Through the run manager and its monitor; lines counts what the pane took in.
double ThroughMonitor(CProcessManager& manager, CCaller& caller, int& lines, int& status)
{
    caller.ended = -1;
    CMonitorWatch watch;
    const double start = Now();
    manager.AddOneProcess("FLOOD", nullptr, g_folder.c_str(), 1, 0);
    // The monitor closes itself at the end: its pane is read while it is open.
    Pump([&] {
        watch.Lines();
        return caller.ended >= 0;
    });
    lines = watch.Lines();
    status = caller.ended;
    return Now() - start;
}

}  // namespace

int main(int argc, char** argv)
{
    const long long megabytes = argc > 1 ? std::atoll(argv[1]) : 20;
    const long long flood = megabytes * 1000 * 1000;
    AfxWinInit(::GetModuleHandleA(nullptr), nullptr, const_cast<char*>(""), SW_SHOW);

    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    g_folder = std::string(temp) + "vek_monitor_speed_" + std::to_string(::GetCurrentProcessId());
    ::CreateDirectoryA(g_folder.c_str(), nullptr);
    char self[MAX_PATH];
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string bin = self;
    bin = bin.substr(0, bin.find_last_of('\\'));
    if (!::CopyFileA((bin + "\\solver_standin.exe").c_str(), (g_folder + "\\FLOOD.exe").c_str(), FALSE)) {
        std::printf("solver_standin.exe is not beside this program\n");
        return 1;
    }
    ::SetEnvironmentVariableA("KORVA", g_folder.c_str());
    CProcessManager::LocateSolver();
    WriteFile("plan.txt", "FLOOD flood " + std::to_string(flood) + "\n");

    CProcessManager manager;
    CCaller caller;
    caller.CreateEx(0, AfxRegisterWndClass(0), "caller", WS_POPUP, 0, 0, 1, 1, HWND_MESSAGE, nullptr);

    double plainBest = 1e30, monitorBest = 1e30;
    long long plainBytes = 0;
    int lines = 0, status = 0;
    for (int round = 0; round < 3; ++round) {
        const double plain = PlainLoop(plainBytes);
        manager.SetProcessManagerWnd(caller.m_hWnd);
        const double monitor = ThroughMonitor(manager, caller, lines, status);
        std::printf("round %d: plain loop %.3f s, monitor %.3f s (status %d, %d lines in the pane)\n", round + 1, plain,
                    monitor, status, lines);
        plainBest = plain < plainBest ? plain : plainBest;
        monitorBest = monitor < monitorBest ? monitor : monitorBest;
    }
    const double mb = static_cast<double>(plainBytes) / 1e6;
    std::printf("%.1f MB of output\n", mb);
    std::printf("plain 49-byte ReadFile loop: %.3f s (%.2f MB/s)\n", plainBest, mb / plainBest);
    std::printf("through the monitor:         %.3f s (%.2f MB/s)\n", monitorBest, mb / monitorBest);
    std::printf("ratio monitor / plain:       %.2f\n", monitorBest / plainBest);

    // Stop in the middle of a flood ten times as large.
    WriteFile("plan.txt", "FLOOD flood " + std::to_string(flood * 10) + "\nFLOOD touch finished\n");
    ::DeleteFileA((g_folder + "\\finished").c_str());
    manager.SetProcessManagerWnd(caller.m_hWnd);
    caller.ended = -1;
    manager.AddOneProcess("FLOOD", nullptr, g_folder.c_str(), 1, 0);
    double stopAt = 0;
    CMonitorWatch watch;
    Pump([&] {
        if (stopAt == 0 && watch.Lines() >= 150) {
            stopAt = Now();
            watch.Dialog()->GetDlgItem(5002)->SendMessage(BM_CLICK);
        }
        return caller.ended >= 0;
    });
    std::printf("stop during the flood: the run ended %.3f s after the click (status %d); the stand-in %s\n",
                Now() - stopAt, caller.ended, Exists("finished") ? "had finished" : "did not finish");
    caller.DestroyWindow();
    return 0;
}
