// Times the start of Vek.exe to its shown main window against a bare window
// program under the same wine server, alternating, and prints both medians
// and their ratio.
//   startup_timing [runs]       (default 5; /ZUROZE is passed to Vek)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/WinProcess.h"

namespace {

// Milliseconds from the start of the process to its visible main window; -1 on failure.
double TimeToWindow(const std::string& commandLine)
{
    std::vector<char> cmd(commandLine.begin(), commandLine.end());
    cmd.push_back('\0');
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    LARGE_INTEGER freq, t0, t1;
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&t0);
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
    HWND found = nullptr;
    double ms = -1;
    for (int i = 0; i < 60000; ++i) {
        found = vektest::MainWindowOf(pi.dwProcessId);
        if (found) {
            QueryPerformanceCounter(&t1);
            ms = 1000.0 * static_cast<double>(t1.QuadPart - t0.QuadPart) / static_cast<double>(freq.QuadPart);
            break;
        }
        if (WaitForSingleObject(pi.hProcess, 1) == WAIT_OBJECT_0) break;
    }
    if (found) PostMessageA(found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 30000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return ms;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? -1 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    dir = dir.substr(0, dir.find_last_of('\\'));
    const std::string bare = "\"" + dir + "\\bare_window.exe\"";
    const std::string vek = "\"" + dir + "\\Vek.exe\" /ZUROZE";
    // One start of each first: the disk cache and the wine server warm up.
    TimeToWindow(bare);
    TimeToWindow(vek);
    std::vector<double> bareTimes, vekTimes;
    for (int i = 0; i < runs; ++i) {
        bareTimes.push_back(TimeToWindow(bare));
        vekTimes.push_back(TimeToWindow(vek));
    }
    const double b = Median(bareTimes), v = Median(vekTimes);
    std::printf("bare window program: %.1f ms\nVek.exe:             %.1f ms\nratio:               %.2f\n", b, v,
                b > 0 ? v / b : 0.0);
    return b > 0 && v > 0 ? 0 : 1;
}
