// The program started as a user or a batch script starts it: its mode, its
// profile file (or the registry), and the batch job's exit codes and texts.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <string>
#include <vector>

#include "AppTestUtil.h"
#include "PortalResults.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/model/ObjectBase.h"
#include "vek/model/project/ProjectFile.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WinProcess.h"

namespace {

const char kDefaultDisplay[] = "0.001000,1.000000,0.000000,1,40,0,0,0,1,1,1,20,6,20,5,1,0,1,0";

// The file of a new project, as the layouts' description writes it.
vektest::Bytes EmptyProject()
{
    return vektest::ReadFileBytes(std::string(VEK_FIXTURES) + "/empty706.prj");
}

std::string VekExe()
{
    return "\"" + apptest::ProgramFolder() + "\\Vek.exe\"";
}

struct VekRun {
    vektest::ProcessResult process;
    bool windowShown = false;
};

std::string TextOf(HWND h)
{
    char text[512] = {};
    DWORD_PTR got = 0;
    ::SendMessageTimeoutA(h, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, &got);
    return text;
}

BOOL CALLBACK CollectText(HWND h, LPARAM out)
{
    reinterpret_cast<std::vector<std::string>*>(out)->push_back(TextOf(h));
    return TRUE;
}

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

// The visible dialog window of the process with the title, or null.
HWND DialogOf(DWORD pid, const char* title)
{
    struct Search {
        DWORD pid;
        const char* title;
        HWND found;
    } search{pid, title, nullptr};
    ::EnumWindows(
        [](HWND h, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(h, &owner);
            char cls[32] = {};
            ::GetClassNameA(h, cls, sizeof cls);
            if (owner != s->pid || !::IsWindowVisible(h) || std::string(cls) != "#32770" || TextOf(h) != s->title)
                return TRUE;
            s->found = h;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

const char kNewModelTitle[] = "新建模型或打开已有模型";

// Started without a project, the modeller asks what to build, over its shown
// frame, before anything else; File New asks again; closing the question
// leaves the program running.
TEST(Startup, WithoutAProjectTheModellerAsksForTheNewModelOverItsFrame)
{
    ProfileFile modeller("Vekv7.INI");
    int step = 0, asked = 0;
    bool overTheFrame = true;
    std::string spaceText;
    HWND question = nullptr, frame = nullptr;
    const vektest::ProcessResult process =
        vektest::RunProcess(VekExe(), 4 * apptest::kSafety, std::string(), [&](DWORD pid) {
            HWND shown = DialogOf(pid, kNewModelTitle);
            switch (step) {
                case 0:  // the question at start-up
                case 2:  // and after File New
                    if (!shown) return;
                    question = shown;
                    frame = ::GetWindow(shown, GW_OWNER);
                    ++asked;
                    overTheFrame = overTheFrame && frame && ::IsWindowVisible(frame) &&
                                   TextOf(frame) == "无标题 - Vek" && !::IsWindowEnabled(frame);
                    if (step == 0) {
                        spaceText = TextOf(::GetDlgItem(shown, 1500));
                        ::PostMessageA(shown, WM_COMMAND, MAKEWPARAM(1500, BN_CLICKED),
                                       LPARAM(::GetDlgItem(shown, 1500)));
                    } else {
                        ::PostMessageA(shown, WM_COMMAND, IDCANCEL, 0);
                    }
                    ++step;
                    return;
                case 1:
                case 3:
                    if (::IsWindow(question) && ::IsWindowVisible(question)) return;
                    if (step == 1)
                        ::PostMessageA(frame, WM_COMMAND, ID_FILE_NEW, 0);
                    else
                        ::PostMessageA(frame, WM_CLOSE, 0, 0);
                    ++step;
                    return;
                default: return;
            }
        });
    ASSERT_TRUE(process.ran) << "step " << step;
    EXPECT_EQ(process.exitCode, 0u);
    EXPECT_EQ(asked, 2);
    EXPECT_TRUE(overTheFrame);
    EXPECT_EQ(spaceText.rfind("新建空间结构。", 0), 0u) << spaceText;
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
    ASSERT_TRUE(vektest::WriteFileBytes(project, EmptyProject()));
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
    ASSERT_TRUE(vektest::WriteFileBytes(project, EmptyProject()));
    for (const char* rest : {" wind.txt out.dat", " wind.txt out.dat 0.5 more"}) {
        const VekRun run = RunVek("\"" + project + "\"" + rest);
        ASSERT_TRUE(run.process.ran) << rest;
        EXPECT_TRUE(run.windowShown) << rest;
        EXPECT_EQ(run.process.exitCode, 0u) << rest;
        EXPECT_EQ(run.process.output, "") << rest;
    }
}

// Starts the program on the project; the title and the texts of the frame's
// windows once it is shown, then it is closed as a user closes it.
struct OpenedFrame {
    vektest::ProcessResult process;
    std::string title;
    std::vector<std::string> texts;
    bool Shows(const std::string& text) const { return std::find(texts.begin(), texts.end(), text) != texts.end(); }
};

OpenedFrame OpenOnCommandLine(const std::string& project)
{
    // The frame is the window whose title names the project.
    struct Search {
        DWORD pid;
        HWND frame;
    };
    OpenedFrame out;
    out.process =
        vektest::RunProcess(VekExe() + " \"" + project + "\"", apptest::kSafety, std::string(), [&](DWORD pid) {
            Search search{pid, nullptr};
            ::EnumWindows(
                [](HWND h, LPARAM p) -> BOOL {
                    auto* s = reinterpret_cast<Search*>(p);
                    DWORD owner = 0;
                    ::GetWindowThreadProcessId(h, &owner);
                    if (owner != s->pid || !::IsWindowVisible(h) || TextOf(h).find(" - Vek") == std::string::npos)
                        return TRUE;
                    s->frame = h;
                    return FALSE;
                },
                reinterpret_cast<LPARAM>(&search));
            if (!search.frame || !out.title.empty()) return;
            out.title = TextOf(search.frame);
            ::EnumChildWindows(search.frame, &CollectText, reinterpret_cast<LPARAM>(&out.texts));
            ::PostMessageA(search.frame, WM_CLOSE, 0, 0);
        });
    return out;
}

TEST(Startup, AProjectNamedOnTheCommandLineOpensWithItsNameAndTheLoadMessage)
{
    ProfileFile modeller("Vekv7.INI");
    vektest::TempDir dir("open");
    const std::string project = dir.File("Tower.prj");
    ASSERT_TRUE(vektest::WriteFileBytes(project, EmptyProject()));
    const OpenedFrame opened = OpenOnCommandLine(project);
    ASSERT_TRUE(opened.process.ran);
    EXPECT_EQ(opened.process.exitCode, 0u);
    EXPECT_EQ(opened.title, "tower.PRJ - Vek");
    EXPECT_TRUE(opened.Shows("文件装载成功!"));
    // No results: the load-case selector offers nothing.
    EXPECT_FALSE(opened.Shows("种1  [当前荷载种类]"));
}

// The results beside a project opened at start-up reach the tool bar's selectors.
TEST(Startup, AProjectOpenedWithItsResultsFillsTheResultSelectors)
{
    ProfileFile modeller("Vekv7.INI");
    vektest::TempDir dir("results");
    const std::string project = dir.File("portal.prj");
    ASSERT_TRUE(apptest::StorePortalNodes());
    const int saved = SaveProjectFile(project.c_str());
    RemoveAllNodes();
    ASSERT_EQ(saved, 1);
    apptest::PortalResults().WriteAll(dir.File("portal"));
    const OpenedFrame opened = OpenOnCommandLine(project);
    ASSERT_TRUE(opened.process.ran);
    EXPECT_TRUE(opened.Shows("文件装载成功!"));
    EXPECT_TRUE(opened.Shows("种1  [当前荷载种类]"));
}

TEST(Startup, ADamagedProjectOnTheCommandLineLeavesANewProject)
{
    ProfileFile modeller("Vekv7.INI");
    vektest::TempDir dir("damaged");
    const std::string project = dir.File("tower.prj");
    ASSERT_TRUE(vektest::WriteFileBytes(project, "VEKPRJ706", 9));
    // A frame that stands while the message box is up is told to close (it
    // must not: the project is being read); the box is answered; then the
    // frame, a new project's, closes.
    struct Windows {
        DWORD pid;
        HWND box = nullptr, frame = nullptr;
    };
    bool asked = false, askedForModel = false;
    std::string boxText, title;
    const vektest::ProcessResult process =
        vektest::RunProcess(VekExe() + " \"" + project + "\"", apptest::kSafety, std::string(), [&](DWORD pid) {
            Windows w{pid};
            ::EnumWindows(
                [](HWND h, LPARAM p) -> BOOL {
                    auto* w = reinterpret_cast<Windows*>(p);
                    DWORD owner = 0;
                    ::GetWindowThreadProcessId(h, &owner);
                    if (owner != w->pid || !::IsWindowVisible(h)) return TRUE;
                    char cls[32] = {};
                    ::GetClassNameA(h, cls, sizeof cls);
                    const std::string text = TextOf(h);
                    if (std::string(cls) == "#32770" && text == "Vek") w->box = h;
                    if (std::string(cls) != "#32770" && !::GetWindow(h, GW_OWNER)) w->frame = h;
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&w));
            // The new project that stands in for the damaged one asks nothing.
            if (HWND question = DialogOf(pid, kNewModelTitle)) {
                askedForModel = true;
                ::PostMessageA(question, WM_COMMAND, IDCANCEL, 0);
                return;
            }
            if (w.box && !asked) {
                asked = true;
                if (w.frame) ::SendMessageTimeoutA(w.frame, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
                ::EnumChildWindows(
                    w.box,
                    [](HWND h, LPARAM p) -> BOOL {
                        if (::GetDlgCtrlID(h) == 0xFFFF) *reinterpret_cast<std::string*>(p) = TextOf(h);
                        return TRUE;
                    },
                    reinterpret_cast<LPARAM>(&boxText));
                ::PostMessageA(w.box, WM_COMMAND, IDOK, 0);
            } else if (!w.box && asked && w.frame && title.empty()) {
                title = TextOf(w.frame);
                ::PostMessageA(w.frame, WM_CLOSE, 0, 0);
            }
        });
    ASSERT_TRUE(process.ran);
    EXPECT_EQ(process.exitCode, 0u) << process.output.substr(0, 200);
    EXPECT_TRUE(asked);
    EXPECT_FALSE(askedForModel);
    EXPECT_NE(boxText.find("tower.prj"), std::string::npos) << boxText;
    EXPECT_EQ(title, "无标题 - Vek");
}
