#include "tests/support/WinProcess.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "tests/support/TestFiles.h"

namespace vektest {

namespace {
struct WindowSearch {
    DWORD pid;
    HWND found;
};
BOOL CALLBACK FindMainWindow(HWND h, LPARAM p)
{
    auto* s = reinterpret_cast<WindowSearch*>(p);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(h, &pid);
    if (pid != s->pid || !::IsWindowVisible(h) || ::GetWindow(h, GW_OWNER)) return TRUE;
    s->found = h;
    return FALSE;
}
}  // namespace

HWND MainWindowOf(DWORD pid)
{
    WindowSearch s{pid, nullptr};
    ::EnumWindows(&FindMainWindow, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

ProcessResult RunProcess(const std::string& commandLine, DWORD safetyMs, const std::string& extraVariable,
                         const std::function<void(DWORD pid)>& whileRunning)
{
    ProcessResult result;
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!::CreatePipe(&readEnd, &writeEnd, &sa, 0)) return result;
    ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    std::string name, value;
    std::vector<char> savedValue;
    bool hadValue = false;
    if (!extraVariable.empty()) {
        const size_t eq = extraVariable.find('=');
        name = extraVariable.substr(0, eq);
        value = eq == std::string::npos ? "" : extraVariable.substr(eq + 1);
        savedValue.resize(32768);
        hadValue = ::GetEnvironmentVariableA(name.c_str(), savedValue.data(), 32768) > 0;
        ::SetEnvironmentVariableA(name.c_str(), value.c_str());
    }
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = nullptr;
    si.hStdOutput = writeEnd;
    si.hStdError = writeEnd;
    PROCESS_INFORMATION pi{};
    std::vector<char> cmd(commandLine.begin(), commandLine.end());
    cmd.push_back('\0');
    const BOOL started = ::CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    if (!name.empty()) ::SetEnvironmentVariableA(name.c_str(), hadValue ? savedValue.data() : nullptr);
    ::CloseHandle(writeEnd);
    if (!started) {
        ::CloseHandle(readEnd);
        return result;
    }
    // Read while it runs: a full pipe would stop it.
    const ULONGLONG start = ::GetTickCount64();
    char buf[4096];
    for (;;) {
        DWORD avail = 0;
        while (::PeekNamedPipe(readEnd, nullptr, 0, nullptr, &avail, nullptr) && avail > 0) {
            DWORD got = 0;
            if (!::ReadFile(readEnd, buf, sizeof buf, &got, nullptr) || got == 0) break;
            result.output.append(buf, got);
        }
        if (::WaitForSingleObject(pi.hProcess, 20) == WAIT_OBJECT_0) break;
        if (whileRunning) whileRunning(pi.dwProcessId);
        if (::GetTickCount64() - start > safetyMs) break;
    }
    DWORD got = 0;
    while (::ReadFile(readEnd, buf, sizeof buf, &got, nullptr) && got > 0) result.output.append(buf, got);
    if (::WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) {
        result.ran = true;
        ::GetExitCodeProcess(pi.hProcess, &result.exitCode);
    } else {
        ::TerminateProcess(pi.hProcess, 99);
    }
    ::CloseHandle(pi.hProcess);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(readEnd);
    return result;
}

std::string UnixPath(const std::string& windowsPath)
{
    typedef char*(CDECL * UnixName)(LPCWSTR);
    static auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixName) return {};
    wchar_t wide[MAX_PATH];
    ::MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH);
    char* u = unixName(wide);
    std::string s = u ? u : "";
    ::HeapFree(::GetProcessHeap(), 0, u);
    return s;
}

std::map<std::string, std::string> ReadIniWithConfigParser(const std::string& iniPath, const std::string& section)
{
    std::map<std::string, std::string> values;
    TempFile script("read_ini", ".py"), out("read_ini", ".out");
    script.WriteText(
        "import configparser, sys\n"
        "p = configparser.ConfigParser(interpolation=None)\n"
        "p.optionxform = str\n"
        "p.read(sys.argv[1], encoding='gbk')\n"
        "with open(sys.argv[3], 'w', encoding='gbk') as o:\n"
        "    if p.has_section(sys.argv[2]):\n"
        "        for k, v in p[sys.argv[2]].items():\n"
        "            o.write(k + '=' + v + '\\n')\n");
    const std::string s = UnixPath(script.path()), ini = UnixPath(iniPath), o = UnixPath(out.path());
    if (s.empty() || ini.empty() || o.empty()) return values;
    // A Linux program gets no Windows pipes: it is waited for, then its file read.
    std::string line = "/usr/bin/python3 \"" + s + "\" \"" + ini + "\" " + section + " \"" + o + "\"";
    std::vector<char> cmd(line.begin(), line.end());
    cmd.push_back('\0');
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return values;
    ::WaitForSingleObject(pi.hProcess, 60000);
    ::CloseHandle(pi.hProcess);
    ::CloseHandle(pi.hThread);
    for (int i = 0; i < 1000 && ::GetFileAttributesA(out.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) ::Sleep(10);
    const Bytes text = out.ReadAll();
    std::string all(text.begin(), text.end());
    size_t at = 0;
    while (at < all.size()) {
        size_t end = all.find('\n', at);
        if (end == std::string::npos) end = all.size();
        std::string line = all.substr(at, end - at);
        while (!line.empty() && line.back() == '\r') line.pop_back();
        const size_t eq = line.find('=');
        if (eq != std::string::npos) values[line.substr(0, eq)] = line.substr(eq + 1);
        at = end + 1;
    }
    return values;
}

}  // namespace vektest
