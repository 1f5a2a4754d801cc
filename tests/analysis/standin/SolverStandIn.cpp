// Stand-in for the solver's step programs in the run manager's tests. Copied
// into a solver folder under the step names (kor.exe, KOR2.exe, FRAME.exe ...),
// it does what the plan file "plan.txt" of the folder named by "KORVA" says
// for its name, and appends one line per run to "log.txt" there:
//   name|command line|current folder|KORVA|PATH|process id
// Plan lines: NAME[@round] action [argument]; lines with @round are used in
// that round of the name only (the round is its count of log lines), the
// others in every round that has no lines of its own. Actions:
//   print TEXT      writes TEXT with \r \n \t \\ \xHH escapes
//   slow N MS       N numbered lines, MS milliseconds apart
//   flood BYTES     BYTES of numbered 64-byte lines, written in blocks of 4096
//   wait FILE       waits until FILE (in the solver folder) exists
//   touch FILE      creates FILE in the solver folder
//   copyset FROM TO copies every file FROM.* of the solver folder into the
//                   current folder as TO.* (a result set for the caller)
//   closeout        closes the standard output and error handles
//   child           starts a copy of itself that holds the standard output
//                   until "release-child" exists, and logs the copy's id as "child"
//   hang            waits until stopped
//   exit CODE       ends with CODE (decimal, may be negative, or 0x hex)
// Without a plan line for its name it prints "NAME done" and ends with 0.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string g_folder;

std::string Var(const char* name)
{
    char buf[32768];
    const DWORD n = GetEnvironmentVariableA(name, buf, sizeof buf);
    return n > 0 && n < sizeof buf ? std::string(buf, n) : std::string();
}

std::string InFolder(const std::string& name)
{
    return g_folder + "\\" + name;
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadAll(const std::string& path)
{
    std::string text;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        char buf[4096];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
        std::fclose(f);
    }
    return text;
}

void AppendLog(const std::string& line)
{
    // One writer at a time: only one step runs at once, but a child may log too.
    HANDLE m = CreateMutexA(nullptr, FALSE, "korva-standin-log");
    WaitForSingleObject(m, INFINITE);
    if (FILE* f = std::fopen(InFolder("log.txt").c_str(), "ab")) {
        std::fwrite(line.data(), 1, line.size(), f);
        std::fclose(f);
    }
    ReleaseMutex(m);
    CloseHandle(m);
}

void Write(const std::string& bytes)
{
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    size_t at = 0;
    while (at < bytes.size()) {
        DWORD wrote = 0;
        if (!WriteFile(out, bytes.data() + at, static_cast<DWORD>(bytes.size() - at), &wrote, nullptr) || !wrote)
            return;
        at += wrote;
    }
}

std::string Unescape(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 >= text.size()) {
            out += text[i];
            continue;
        }
        const char c = text[++i];
        if (c == 'r')
            out += '\r';
        else if (c == 'n')
            out += '\n';
        else if (c == 't')
            out += '\t';
        else if (c == 'x' && i + 2 < text.size() + 1) {
            out += static_cast<char>(std::strtol(text.substr(i + 1, 2).c_str(), nullptr, 16));
            i += 2;
        } else
            out += c;
    }
    return out;
}

std::string Upper(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

int Rounds(const std::string& log, const std::string& name)
{
    int n = 0;
    size_t at = 0;
    while (at < log.size()) {
        size_t end = log.find('\n', at);
        if (end == std::string::npos) end = log.size();
        if (log.compare(at, name.size() + 1, name + "|") == 0) ++n;
        at = end + 1;
    }
    return n;
}

void WaitFor(const std::string& file)
{
    while (!Exists(InFolder(file))) Sleep(20);
}

void Hold(const std::string& folder)
{
    g_folder = folder;
    // Never longer than two minutes, whatever the test does.
    for (int i = 0; i < 6000 && !Exists(InFolder("release-child")); ++i) Sleep(20);
}

void StartChild()
{
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string cmd = "\"" + std::string(self) + "\" --hold \"" + g_folder + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION pi{};
    std::vector<char> line(cmd.begin(), cmd.end());
    line.push_back('\0');
    if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi)) {
        // Logged here, before this program goes on: the child holds the
        // output from its creation, and a line of its own could come after
        // the whole run has ended.
        AppendLog("child|" + std::to_string(pi.dwProcessId) + "\r\n");
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
}

void Flood(long long bytes)
{
    std::string block;
    long long line = 0;
    while (bytes > 0) {
        char text[80];
        std::snprintf(text, sizeof text, "%012lld abcdefghijklmnopqrstuvwxyz ABCDEFGHIJKLMNOPQRSTUVWXYZ\r\n", ++line);
        std::string piece(text, 64);
        piece[62] = '\r';
        piece[63] = '\n';
        if (bytes < 64) piece.resize(static_cast<size_t>(bytes));
        block += piece;
        bytes -= static_cast<long long>(piece.size());
        if (block.size() >= 4096) {
            Write(block);
            block.clear();
        }
    }
    Write(block);
}

uint64_t Ticks(const FILETIME& t)
{
    return (uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

// The copies keep the order of their files' times, moved so that the newest
// is now: as fresh as a solver's own output.
void CopySet(const std::string& arg)
{
    const size_t blank = arg.find(' ');
    if (blank == std::string::npos) return;
    const std::string from = arg.substr(0, blank), to = arg.substr(blank + 1);
    std::vector<std::pair<std::string, uint64_t>> files;
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA(InFolder(from + ".*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
        files.emplace_back(found.cFileName, Ticks(found.ftLastWriteTime));
    } while (FindNextFileA(h, &found));
    FindClose(h);
    uint64_t newest = 0;
    for (const auto& f : files) newest = f.second > newest ? f.second : newest;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    for (const auto& [name, time] : files) {
        const std::string target = to + name.substr(from.size());
        if (!CopyFileA(InFolder(name).c_str(), target.c_str(), FALSE)) continue;
        const uint64_t t = Ticks(now) - (newest - time);
        FILETIME ft;
        ft.dwLowDateTime = DWORD(t);
        ft.dwHighDateTime = DWORD(t >> 32);
        HANDLE file = CreateFileA(target.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            SetFileTime(file, nullptr, nullptr, &ft);
            CloseHandle(file);
        }
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--hold") == 0) {
        Hold(argv[2]);
        return 0;
    }
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string name = self;
    name = name.substr(name.find_last_of('\\') + 1);
    if (name.size() > 4 && Upper(name.substr(name.size() - 4)) == ".EXE") name.resize(name.size() - 4);
    name = Upper(name);

    g_folder = Var("KORVA");
    char cwd[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, cwd);
    const int round = Rounds(ReadAll(InFolder("log.txt")), name) + 1;
    AppendLog(name + "|" + GetCommandLineA() + "|" + cwd + "|" + g_folder + "|" + Var("PATH") + "|" +
              std::to_string(GetCurrentProcessId()) + "\r\n");

    // The plan's lines for this name and round.
    std::vector<std::string> general, own;
    const std::string plan = ReadAll(InFolder("plan.txt"));
    size_t at = 0;
    while (at < plan.size()) {
        size_t end = plan.find('\n', at);
        if (end == std::string::npos) end = plan.size();
        std::string line = plan.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const size_t blank = line.find(' ');
        if (blank == std::string::npos) continue;
        std::string who = Upper(line.substr(0, blank));
        const std::string rest = line.substr(blank + 1);
        const size_t atSign = who.find('@');
        if (atSign == std::string::npos) {
            if (who == name) general.push_back(rest);
        } else if (who.substr(0, atSign) == name && std::atoi(who.c_str() + atSign + 1) == round) {
            own.push_back(rest);
        }
    }
    const std::vector<std::string>& actions = own.empty() ? general : own;
    if (actions.empty()) {
        Write(name + " done\r\n");
        return 0;
    }
    for (const std::string& a : actions) {
        const size_t blank = a.find(' ');
        const std::string verb = a.substr(0, blank);
        const std::string arg = blank == std::string::npos ? std::string() : a.substr(blank + 1);
        if (verb == "print") {
            Write(Unescape(arg));
        } else if (verb == "slow") {
            int count = 0, ms = 0;
            std::sscanf(arg.c_str(), "%d %d", &count, &ms);
            for (int i = 1; i <= count; ++i) {
                Write(name + " line " + std::to_string(i) + "\r\n");
                Sleep(static_cast<DWORD>(ms));
            }
        } else if (verb == "flood") {
            Flood(std::atoll(arg.c_str()));
        } else if (verb == "wait") {
            WaitFor(arg);
        } else if (verb == "touch") {
            if (FILE* f = std::fopen(InFolder(arg).c_str(), "wb")) std::fclose(f);
        } else if (verb == "copyset") {
            CopySet(arg);
        } else if (verb == "closeout") {
            CloseHandle(GetStdHandle(STD_OUTPUT_HANDLE));
            if (GetStdHandle(STD_ERROR_HANDLE) != GetStdHandle(STD_OUTPUT_HANDLE))
                CloseHandle(GetStdHandle(STD_ERROR_HANDLE));
            SetStdHandle(STD_OUTPUT_HANDLE, nullptr);
            SetStdHandle(STD_ERROR_HANDLE, nullptr);
        } else if (verb == "child") {
            StartChild();
        } else if (verb == "hang") {
            Sleep(INFINITE);
        } else if (verb == "exit") {
            ExitProcess(static_cast<UINT>(std::strtoll(arg.c_str(), nullptr, 0)));
        }
    }
    return 0;
}
