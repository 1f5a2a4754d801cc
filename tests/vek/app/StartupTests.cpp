// The program started as a user or a batch script starts it: its mode, its
// profile file (or the registry), and the batch job's exit codes and texts.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>

#include "AppTestUtil.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WinProcess.h"

namespace {

const char kDefaultDisplay[] = "0.001000,1.000000,0.000000,1,40,0,0,0,1,1,1,20,6,20,5,1,0,1,0";

std::string VekExe()
{
    return "\"" + apptest::ProgramFolder() + "\\Vek.exe\"";
}

struct VekRun {
    vektest::ProcessResult process;
    bool windowShown = false;
};

// Runs Vek.exe; a main window that appears is closed as a user would.
VekRun RunVek(const std::string& arguments, const std::string& extraVariable = std::string())
{
    VekRun run;
    bool closed = false;
    run.process = vektest::RunProcess(VekExe() + " " + arguments, apptest::kSafety, extraVariable, [&](DWORD pid) {
        if (closed) return;
        if (HWND main = vektest::MainWindowOf(pid)) {
            run.windowShown = true;
            closed = true;
            ::PostMessageA(main, WM_CLOSE, 0, 0);
        }
    });
    return run;
}

// A profile file of the user's application-data folder, put back as it was at the end.
class ProfileFile {
public:
    explicit ProfileFile(const char* name)
    {
        char dir[MAX_PATH] = {};
        ::SHGetSpecialFolderPathA(nullptr, dir, CSIDL_APPDATA, FALSE);
        m_path = std::string(dir) + "\\KORVA\\" + name;
        m_had = ::GetFileAttributesA(m_path.c_str()) != INVALID_FILE_ATTRIBUTES;
        if (m_had) m_saved = vektest::ReadFileBytes(m_path);
        ::DeleteFileA(m_path.c_str());
    }
    ~ProfileFile()
    {
        if (m_had)
            vektest::WriteFileBytes(m_path, m_saved);
        else
            ::DeleteFileA(m_path.c_str());
    }
    const std::string& Path() const { return m_path; }
    bool Exists() const { return ::GetFileAttributesA(m_path.c_str()) != INVALID_FILE_ATTRIBUTES; }

private:
    std::string m_path;
    bool m_had = false;
    vektest::Bytes m_saved;
};

}  // namespace

TEST(Startup, ResultViewerKeepsItsSettingsInItsOwnProfileFile)
{
    ProfileFile viewer("Zurozev7.INI");
    const VekRun run = RunVek("/ZUROZE");
    ASSERT_TRUE(run.process.ran);
    EXPECT_TRUE(run.windowShown);
    EXPECT_EQ(run.process.exitCode, 0u);
    ASSERT_TRUE(viewer.Exists()) << viewer.Path();
    const auto settings = vektest::ReadIniWithConfigParser(viewer.Path(), "Settings");
    if (settings.empty()) GTEST_SKIP() << "no Linux Python reachable from this Windows";
    EXPECT_EQ(settings.at("DispSet"), kDefaultDisplay);
    EXPECT_EQ(settings.at("GlobalDispSet"), "8");
    EXPECT_EQ(settings.count("DlgPos"), 1u);
}

TEST(Startup, WithoutTheApplicationDataFolderTheSettingsGoToTheRegistry)
{
    ProfileFile viewer("Zurozev7.INI");
    HKEY existing = nullptr;
    const bool hadKey =
        ::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\KORVA\\Vek", 0, KEY_READ, &existing) == ERROR_SUCCESS;
    if (existing) ::RegCloseKey(existing);

    const VekRun run = RunVek("/ZUROZE", "VEK_PROFILE_IN_REGISTRY=1");
    ASSERT_TRUE(run.process.ran);
    EXPECT_TRUE(run.windowShown);
    EXPECT_FALSE(viewer.Exists());
    const vektest::ProcessResult query =
        vektest::RunProcess("reg.exe query \"HKCU\\Software\\KORVA\\Vek\\Settings\" /v DispSet");
    ASSERT_TRUE(query.ran);
    EXPECT_NE(query.output.find(kDefaultDisplay), std::string::npos) << query.output;
    if (!hadKey) vektest::RunProcess("reg.exe delete \"HKCU\\Software\\KORVA\\Vek\" /f");
}

TEST(Startup, BatchWithAMissingProjectEndsWithItsReasonOnStandardError)
{
    ProfileFile modeller("Vekv7.INI");
    vektest::TempDir dir("batch");
    const std::string project = dir.File("nosuch");
    const VekRun run = RunVek("\"" + project + "\" wind.txt out.dat 0.5");
    ASSERT_TRUE(run.process.ran);
    EXPECT_FALSE(run.windowShown);
    EXPECT_EQ(run.process.exitCode, 2u);
    EXPECT_NE(run.process.output.find("nosuch.prj无法打开，批处理没有执行。"), std::string::npos) << run.process.output;
}

TEST(Startup, BatchRunsWithoutAWindowAndReportsWhatItCouldNotDo)
{
    ProfileFile modeller("Vekv7.INI");
    vektest::TempDir dir("batch");
    const std::string folder = dir.File("my project");
    ::CreateDirectoryA(folder.c_str(), nullptr);
    const std::string project = folder + "\\tower.prj";
    ASSERT_TRUE(vektest::WriteFileBytes(project, "VEKPRJ706", 9));
    // The wind-tunnel processing is not part of this program yet: the job says so and fails.
    const VekRun run = RunVek("\"" + project + "\" wind.txt \"" + folder + "\\out.dat\" 0");
    ASSERT_TRUE(run.process.ran);
    EXPECT_FALSE(run.windowShown);
    EXPECT_EQ(run.process.exitCode, 3u);
    EXPECT_NE(run.process.output.find("风洞试验数据文件wind.txt未能处理"), std::string::npos) << run.process.output;
    // A frame nobody saw keeps no layout and no display settings.
    const vektest::Bytes left = vektest::ReadFileBytes(modeller.Path());
    const std::string text(left.begin(), left.end());
    EXPECT_EQ(text.find("[Bars"), std::string::npos) << text;
    EXPECT_EQ(text.find("DispSet"), std::string::npos) << text;
}

TEST(Startup, ThreeOrFiveWordsStartTheProgramOnTheProject)
{
    ProfileFile modeller("Vekv7.INI");
    vektest::TempDir dir("words");
    const std::string project = dir.File("tower.prj");
    ASSERT_TRUE(vektest::WriteFileBytes(project, "VEKPRJ706", 9));
    for (const char* rest : {" wind.txt out.dat", " wind.txt out.dat 0.5 more"}) {
        const VekRun run = RunVek("\"" + project + "\"" + rest);
        ASSERT_TRUE(run.process.ran) << rest;
        EXPECT_TRUE(run.windowShown) << rest;
        EXPECT_EQ(run.process.exitCode, 0u) << rest;
        EXPECT_EQ(run.process.output, "") << rest;
    }
}
