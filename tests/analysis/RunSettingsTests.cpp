// Where the library finds the solver when it loads (each case in a process
// of its own), and the run settings in the profile file, read back by
// Python's configparser.
#include <gtest/gtest.h>

#include "RunWinTestUtil.h"
#include "analysis/OutputWnd.h"
#include "tests/support/WinProcess.h"

#include <cstdio>
#include <cstring>
#include <map>

using namespace runwin;

namespace {

std::string MakeFolder(const std::string& name)
{
    const std::string path = SolverFolder() + "\\..\\" + name;
    ::CreateDirectoryA(path.c_str(), nullptr);
    char full[MAX_PATH];
    ::GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    return full;
}

struct ProbeResult {
    bool ran = false;
    std::string korvaPath, korva, path;
};

// Runs the probe copied into folder, with KORVA (nullptr: unset) and PATH.
ProbeResult Probe(const std::string& folder, const char* korva, const std::string& path)
{
    ProbeResult result;
    const std::string exe = folder + "\\probe.exe";
    if (!::CopyFileA((ProgramFolder() + "\\korva_locate_probe.exe").c_str(), exe.c_str(), FALSE)) return result;
    std::string env;
    if (korva) env += std::string("KORVA=") + korva + '\0';
    env += "PATH=" + path + '\0';
    char windir[MAX_PATH];
    ::GetEnvironmentVariableA("WINDIR", windir, MAX_PATH);
    env += std::string("WINDIR=") + windir + '\0';
    env += '\0';

    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    HANDLE read = nullptr, write = nullptr;
    ::CreatePipe(&read, &write, &sa, 0);
    ::SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = write;
    si.hStdError = write;
    PROCESS_INFORMATION pi{};
    std::string line = "\"" + exe + "\"";
    std::vector<char> cmd(line.begin(), line.end());
    cmd.push_back('\0');
    const BOOL ok = ::CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, env.data(),
                                     folder.c_str(), &si, &pi);
    ::CloseHandle(write);
    if (!ok) {
        ::CloseHandle(read);
        return result;
    }
    std::string out;
    char buf[4096];
    DWORD n = 0;
    while (::ReadFile(read, buf, sizeof buf, &n, nullptr) && n > 0) out.append(buf, n);
    // A message box at load would keep it waiting: the safety time tells.
    result.ran = ::WaitForSingleObject(pi.hProcess, kSafety) == WAIT_OBJECT_0;
    if (!result.ran) ::TerminateProcess(pi.hProcess, 1);
    ::CloseHandle(pi.hProcess);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(read);
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < out.size()) {
        size_t end = out.find('\n', at);
        if (end == std::string::npos) end = out.size();
        std::string l = out.substr(at, end - at);
        if (!l.empty() && l.back() == '\r') l.pop_back();
        lines.push_back(l);
        at = end + 1;
    }
    if (lines.size() >= 3) {
        result.korvaPath = lines[0];
        result.korva = lines[1];
        result.path = lines[2];
    }
    return result;
}

}  // namespace

TEST(SolverLocationAtLoad, EachCaseInAProcessOfItsOwn)
{
    const std::string beside = MakeFolder("probe-beside");
    const std::string alone = MakeFolder("probe-alone");
    const std::string solver = MakeFolder("solver-elsewhere");
    const std::string empty = MakeFolder("no-solver-here");
    const std::string standIn = ProgramFolder() + "\\solver_standin.exe";
    ASSERT_TRUE(::CopyFileA(standIn.c_str(), (beside + "\\kor.exe").c_str(), FALSE));
    ASSERT_TRUE(::CopyFileA(standIn.c_str(), (solver + "\\kor.exe").c_str(), FALSE));
    const std::string path = ProgramFolder() + ";C:\\windows\\system32;C:\\windows";
    const std::string longValue = "C:\\" + std::string(297, 'k');

    struct Case {
        const char* what;
        std::string folder;
        const char* korva;
        std::string expected, korvaAfter;
    } cases[] = {
        {"solver beside the program", beside, solver.c_str(), beside, beside},
        {"variable with trailing backslashes", alone, nullptr, solver, solver},
        {"variable without the solver", alone, nullptr, empty, empty + "\\"},
        {"no variable and no solver", alone, nullptr, alone, alone},
        {"variable too long", alone, longValue.c_str(), alone, alone},
    };
    const std::string withSlashes = solver + "\\\\";
    const std::string emptySlash = empty + "\\";
    cases[1].korva = withSlashes.c_str();
    cases[2].korva = emptySlash.c_str();
    for (const auto& c : cases) {
        const ProbeResult r = Probe(c.folder, c.korva, path);
        ASSERT_TRUE(r.ran) << c.what;
        EXPECT_EQ(r.korvaPath, c.expected) << c.what;
        EXPECT_EQ(r.korva, c.korvaAfter) << c.what;
        EXPECT_EQ(r.path, c.expected + ";" + path) << c.what;
    }
}

namespace {

// The output pane's own settings, which nothing in the program reads yet.
class CPaneSettings : public COutputWndBase {
public:
    using COutputWndBase::ReadProfileSetting;
    using COutputWndBase::WriteProfileSetting;
};

}  // namespace

TEST(RunSettingsProfile, WrittenSettingsReadBackHereAndByConfigParser)
{
    CWinApp* app = AfxGetApp();
    ASSERT_NE(app, nullptr);
    CProcessManager written;
    written.SetUsedMemory(300);
    written.SetFullPathName("D:\\结构工程\\MODEL.DAT");
    written.WriteProfileSetting(app);

    CProcessManager read;
    read.ReadProfileSetting(app);
    EXPECT_EQ(read.GetUsedMemory(), 300);
    EXPECT_STREQ(read.GetCurPath(), "D:\\结构工程");
    EXPECT_STREQ(read.GetFileName(), "MODEL");

    const auto values = vektest::ReadIniWithConfigParser(app->m_pszProfileName, "Settings");
    if (values.empty()) GTEST_SKIP() << "no Linux Python reachable from this Windows";
    EXPECT_EQ(values.at("Memory"), "300");
    EXPECT_EQ(values.at("CurPath"), "D:\\结构工程");
    EXPECT_EQ(values.at("FileName"), "MODEL");
}

TEST(RunSettingsProfile, PaneSettingsRefuseRingsOutsideTheirRange)
{
    CWinApp* app = AfxGetApp();
    CPaneSettings pane;
    for (int bad : {0, -5, 40000}) {
        app->WriteProfileInt("Settings", "BuffLine", bad);
        pane.ReadProfileSetting(app);
        EXPECT_EQ(pane.GetBufferLineNum(), 200) << bad;
    }
    app->WriteProfileInt("Settings", "BuffLine", 32767);
    pane.ReadProfileSetting(app);
    EXPECT_EQ(pane.GetBufferLineNum(), 32767);

    CPaneSettings written;
    written.SetBufferLineNum(50);
    written.WriteProfileSetting(app);
    CPaneSettings again;
    again.ReadProfileSetting(app);
    EXPECT_EQ(again.GetBufferLineNum(), 50);
    EXPECT_EQ(again.GetTextColor(), RGB(255, 0, 0));
    EXPECT_EQ(again.GetBgColor(), RGB(0, 0, 0));
    EXPECT_STREQ(again.GetFontDescription().lfFaceName, "Fixedsys");
    EXPECT_EQ(again.GetFontDescription().lfHeight, -12);
    // A font entry of another size is not taken.
    BYTE shortFont[20] = {1};
    app->WriteProfileBinary("Settings", "Font", shortFont, sizeof shortFont);
    CPaneSettings third;
    third.ReadProfileSetting(app);
    EXPECT_STREQ(third.GetFontDescription().lfFaceName, "Fixedsys");
}
