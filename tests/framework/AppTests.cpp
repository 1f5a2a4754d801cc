// Application object: message loop and idle processing, profile settings
// across a restart, command line, recent files, message boxes, resources.
#include "TestApp.h"
#include "fwtest_res.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Runs this test program again with one test selected and FW_CHILD_STEP set.
DWORD RunChild(const char* test, const char* step, const std::string& extra)
{
    char exe[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string cmd = std::string("\"") + exe + "\" --gtest_filter=" + test;
    ::SetEnvironmentVariableA("FW_CHILD_STEP", step);
    ::SetEnvironmentVariableA("FW_CHILD_ARG", extra.c_str());
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 1000;
    ::WaitForSingleObject(pi.hProcess, 60000);
    DWORD code = 1001;
    ::GetExitCodeProcess(pi.hProcess, &code);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    ::SetEnvironmentVariableA("FW_CHILD_STEP", nullptr);
    return code;
}

std::string Step()
{
    char buf[64] = {};
    ::GetEnvironmentVariableA("FW_CHILD_STEP", buf, sizeof buf);
    return buf;
}

std::string Arg()
{
    char buf[MAX_PATH] = {};
    ::GetEnvironmentVariableA("FW_CHILD_ARG", buf, sizeof buf);
    return buf;
}

void UseIni(const std::string& path)
{
    free(const_cast<char*>(theTestApp.m_pszRegistryKey));
    theTestApp.m_pszRegistryKey = nullptr;
    free(const_cast<char*>(theTestApp.m_pszProfileName));
    theTestApp.m_pszProfileName = _strdup(path.c_str());
}

BYTE g_blob[] = {0x00, 0x7F, 0x80, 0xFF, 0x12, 0xAB};

void WriteSettings()
{
    EXPECT_TRUE(theTestApp.WriteProfileInt("Settings", "PMTOPENGL", 0));
    EXPECT_TRUE(theTestApp.WriteProfileInt("Settings", "Negative", -42));
    EXPECT_TRUE(theTestApp.WriteProfileString("Settings", "WindowPos", "2,3,-1,-1,-1,-1,-4,-4,1028,772"));
    EXPECT_TRUE(theTestApp.WriteProfileString("设置", "名称", "结构工程"));
    EXPECT_TRUE(theTestApp.WriteProfileBinary("Settings", "Blob", g_blob, sizeof g_blob));
}

void CheckSettings()
{
    EXPECT_EQ(theTestApp.GetProfileInt("Settings", "PMTOPENGL", 1), 0u);
    EXPECT_EQ(static_cast<int>(theTestApp.GetProfileInt("Settings", "Negative", 0)), -42);
    EXPECT_EQ(theTestApp.GetProfileInt("Settings", "Missing", 17), 17u);
    EXPECT_STREQ(theTestApp.GetProfileString("Settings", "WindowPos"), "2,3,-1,-1,-1,-1,-4,-4,1028,772");
    EXPECT_STREQ(theTestApp.GetProfileString("设置", "名称"), "结构工程");
    EXPECT_STREQ(theTestApp.GetProfileString("Settings", "Missing", "默认"), "默认");
    LPBYTE data = nullptr;
    UINT bytes = 0;
    ASSERT_TRUE(theTestApp.GetProfileBinary("Settings", "Blob", &data, &bytes));
    ASSERT_EQ(bytes, sizeof g_blob);
    EXPECT_EQ(memcmp(data, g_blob, bytes), 0);
    delete[] data;
}

}  // namespace

// The child halves: skipped unless started by the parent test below.
TEST(ProfileChild, Step)
{
    const std::string step = Step();
    if (step.empty()) GTEST_SKIP() << "runs only as a child process";
    if (step.rfind("ini", 0) == 0) {
        UseIni(Arg());
    } else {
        theTestApp.SetRegistryKey("FwTestCompany");
    }
    if (step.find("write") != std::string::npos)
        WriteSettings();
    else
        CheckSettings();
    std::exit(::testing::Test::HasFailure() ? 3 : 0);
}

TEST(ProfileTest, ValuesSurviveARestartInTheIniFile)
{
    const std::string ini = TempPath("fwtest_restart.ini");
    ::DeleteFileA(ini.c_str());
    ASSERT_EQ(RunChild("ProfileChild.Step", "ini-write", ini), 0u);
    ASSERT_EQ(::GetFileAttributesA(ini.c_str()) != INVALID_FILE_ATTRIBUTES, true);
    EXPECT_EQ(RunChild("ProfileChild.Step", "ini-read", ini), 0u);
    ::DeleteFileA(ini.c_str());
}

TEST(ProfileTest, ValuesSurviveARestartInTheRegistry)
{
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\FwTestCompany");
    ASSERT_EQ(RunChild("ProfileChild.Step", "reg-write", ""), 0u);
    EXPECT_EQ(RunChild("ProfileChild.Step", "reg-read", ""), 0u);
    HKEY key = nullptr;
    EXPECT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\FwTestCompany\\FwTest\\Settings", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    if (key) ::RegCloseKey(key);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\FwTestCompany");
}

TEST(ProfileTest, DamagedBinaryValueIsNoValue)
{
    const std::string ini = TempPath("fwtest_binary.ini");
    ::DeleteFileA(ini.c_str());
    UseIni(ini);
    struct Case {
        const char* text;
        bool ok;
    } cases[] = {{"00FF", true}, {"0", false}, {"0G", false}, {"ABC", false}, {"", false}};
    for (const Case& c : cases) {
        theTestApp.WriteProfileString("Bin", "V", c.text);
        LPBYTE data = reinterpret_cast<LPBYTE>(1);
        UINT n = 99;
        EXPECT_EQ(theTestApp.GetProfileBinary("Bin", "V", &data, &n) != 0, c.ok) << c.text;
        if (!c.ok) {
            EXPECT_EQ(data, nullptr);
            EXPECT_EQ(n, 0u);
        }
        delete[] data;
    }
    // A string longer than a first read buffer comes back whole.
    const std::string longText(3000, 'x');
    theTestApp.WriteProfileString("Bin", "Long", longText.c_str());
    EXPECT_EQ(theTestApp.GetProfileString("Bin", "Long").GetLength(), 3000);
    ::DeleteFileA(ini.c_str());
}

namespace {

// Settings in the registry, under a key no other test uses.
class RegistryProfileTest : public ::testing::Test {
protected:
    static constexpr const char* kCompany = "FwTestProfileRead";
    static constexpr const char* kSection = "Software\\FwTestProfileRead\\FwTest\\Values";
    void SetUp() override
    {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\FwTestProfileRead");
        theTestApp.SetRegistryKey(kCompany);
    }
    void TearDown() override
    {
        FwSetRegistryReadHook(nullptr);
        ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\FwTestProfileRead");
        UseIni(TempPath("fwtest_profile.ini"));
    }
    // Writes a value as another program would, past the framework.
    static void WriteRaw(const char* entry, DWORD type, const void* data, size_t bytes)
    {
        HKEY key = nullptr;
        ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, kSection, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(::RegSetValueExA(key, entry, 0, type, static_cast<const BYTE*>(data), static_cast<DWORD>(bytes)),
                  ERROR_SUCCESS);
        ::RegCloseKey(key);
    }
    static std::string Text(size_t bytes)
    {
        std::string s;
        while (s.size() + 2 <= bytes) s += s.size() % 7 == 0 ? "梁" : "ab";  // two-byte characters among single bytes
        if (s.size() < bytes) s += 'x';
        return s;
    }
};

}  // namespace

TEST_F(RegistryProfileTest, LongAndRewrittenValuesComeBackWhole)
{
    // The same entry grows and shrinks: each read gives exactly the last value.
    for (size_t bytes : {size_t(0), size_t(1), size_t(255), size_t(256), size_t(100000), size_t(3), size_t(4097)}) {
        const std::string text = Text(bytes);
        ASSERT_TRUE(theTestApp.WriteProfileString("Values", "Text", text.c_str()));
        const std::string got(theTestApp.GetProfileString("Values", "Text", "默认"));
        EXPECT_TRUE(got == text) << bytes << " bytes written, " << got.size() << " read";
    }
    for (size_t bytes : {size_t(70000), size_t(1), size_t(300)}) {
        std::vector<BYTE> blob(bytes);
        for (size_t i = 0; i < bytes; ++i) blob[i] = static_cast<BYTE>(i * 31 + 7);
        ASSERT_TRUE(theTestApp.WriteProfileBinary("Values", "Blob", blob.data(), static_cast<UINT>(bytes)));
        LPBYTE data = nullptr;
        UINT n = 0;
        ASSERT_TRUE(theTestApp.GetProfileBinary("Values", "Blob", &data, &n)) << bytes;
        EXPECT_TRUE(std::vector<BYTE>(data, data + n) == blob) << bytes << " bytes written, " << n << " read";
        delete[] data;
    }
    // Stored by another program without the terminating null.
    WriteRaw("NoNull", REG_SZ, "柱子", 4);
    EXPECT_STREQ(theTestApp.GetProfileString("Values", "NoNull"), "柱子");
    // Of another type: no text.
    const DWORD number = 12;
    WriteRaw("Number", REG_DWORD, &number, sizeof number);
    EXPECT_STREQ(theTestApp.GetProfileString("Values", "Number", "默认"), "默认");
}

TEST_F(RegistryProfileTest, ValueRewrittenBetweenSizingAndReading)
{
    struct Case {
        const char* what;
        std::string before, after;
    } cases[] = {
        {"grows a lot", Text(10), Text(50000)},
        {"grows by a byte", Text(100), Text(101)},
        {"shrinks", Text(5000), Text(2)},
        {"empties", Text(40), ""},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(theTestApp.WriteProfileString("Values", "Racy", c.before.c_str()));
        int calls = 0;
        FwSetRegistryReadHook([&] {
            if (calls++ == 0) WriteRaw("Racy", REG_SZ, c.after.c_str(), c.after.size() + 1);
        });
        const std::string got(theTestApp.GetProfileString("Values", "Racy", "默认"));
        EXPECT_TRUE(got == c.after) << c.what << ": " << got.size() << " bytes read";
        FwSetRegistryReadHook(nullptr);
    }

    // Changed to another type in between: no value.
    ASSERT_TRUE(theTestApp.WriteProfileString("Values", "Racy", "文字"));
    bool changed = false;
    FwSetRegistryReadHook([&] {
        if (!changed) {
            changed = true;
            const DWORD number = 5;
            WriteRaw("Racy", REG_DWORD, &number, sizeof number);
        }
    });
    EXPECT_STREQ(theTestApp.GetProfileString("Values", "Racy", "默认"), "默认");

    // A binary value that grows in between comes back whole.
    BYTE small[3] = {1, 2, 3};
    std::vector<BYTE> large(9000);
    for (size_t i = 0; i < large.size(); ++i) large[i] = static_cast<BYTE>(i);
    ASSERT_TRUE(theTestApp.WriteProfileBinary("Values", "RacyBlob", small, sizeof small));
    changed = false;
    FwSetRegistryReadHook([&] {
        if (!changed) {
            changed = true;
            WriteRaw("RacyBlob", REG_BINARY, large.data(), large.size());
        }
    });
    LPBYTE data = nullptr;
    UINT n = 0;
    ASSERT_TRUE(theTestApp.GetProfileBinary("Values", "RacyBlob", &data, &n));
    EXPECT_TRUE(std::vector<BYTE>(data, data + n) == large) << n << " bytes read";
    delete[] data;
}

TEST(MessageLoopTest, IdleCountsAndPreTranslateSeeTheLoop)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "loop", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    theTestApp.m_idleCounts.clear();
    theTestApp.m_preTranslated.clear();
    theTestApp.m_bRecord = true;
    theTestApp.m_quitAtIdle = 2;
    CWnd* oldMain = theTestApp.m_pMainWnd;
    theTestApp.m_pMainWnd = &wnd;
    wnd.PostMessage(WM_APP + 5);
    const int code = theTestApp.CWinThread::Run();
    theTestApp.m_bRecord = false;
    theTestApp.m_pMainWnd = oldMain;
    EXPECT_EQ(code, 7);  // the quit code comes back from the loop
    // Idle calls count up from 0 and start again after a message.
    ASSERT_GE(theTestApp.m_idleCounts.size(), 3u);
    EXPECT_EQ(theTestApp.m_idleCounts.back(), 2);
    for (size_t i = 1; i < theTestApp.m_idleCounts.size(); ++i)
        EXPECT_TRUE(theTestApp.m_idleCounts[i] == theTestApp.m_idleCounts[i - 1] + 1 ||
                    theTestApp.m_idleCounts[i] == 0);
    EXPECT_NE(std::find(theTestApp.m_preTranslated.begin(), theTestApp.m_preTranslated.end(), WM_APP + 5u),
              theTestApp.m_preTranslated.end());
    wnd.DestroyWindow();
}

TEST(CommandLineTest, WordsFlagsAndQuotes)
{
    struct Case {
        const char* line;
        const char* file;
        int command;
        BOOL splash;
    } cases[] = {
        {"", "", CCommandLineInfo::FileNew, TRUE},
        {"Model", "Model", CCommandLineInfo::FileOpen, TRUE},
        {"/nologo \"D:\\工程 一\\a.prj\" extra", "D:\\工程 一\\a.prj", CCommandLineInfo::FileOpen, FALSE},
        {"/ZUROZE", "", CCommandLineInfo::FileNew, TRUE},
    };
    for (const Case& c : cases) {
        free(theTestApp.m_lpCmdLine);
        theTestApp.m_lpCmdLine = _strdup(c.line);
        CCommandLineInfo info;
        theTestApp.ParseCommandLine(info);
        EXPECT_STREQ(info.m_strFileName, c.file) << c.line;
        EXPECT_EQ(info.m_nShellCommand, c.command) << c.line;
        EXPECT_EQ(info.m_bShowSplash, c.splash) << c.line;
    }
}

TEST(RecentFileListTest, MostRecentFirstWithoutDuplicates)
{
    UseIni(TempPath("fwtest_mru.ini"));
    ::DeleteFileA(theTestApp.m_pszProfileName);
    CRecentFileList list(ID_FILE_MRU_FILE1, "Recent File List", "File%d", 3);
    list.Add("C:\\a.prj");
    list.Add("C:\\b.prj");
    list.Add("C:\\A.PRJ");  // same file, other case: moves to the front
    list.Add("C:\\c.prj");
    list.Add("C:\\d.prj");  // the oldest falls off
    EXPECT_STREQ(list[0], "C:\\d.prj");
    EXPECT_STREQ(list[1], "C:\\c.prj");
    EXPECT_STREQ(list[2], "C:\\A.PRJ");
    list.WriteList();
    CRecentFileList again(ID_FILE_MRU_FILE1, "Recent File List", "File%d", 3);
    again.ReadList();
    EXPECT_STREQ(again[2], "C:\\A.PRJ");
    again.Remove(0);
    EXPECT_STREQ(again[0], "C:\\c.prj");
    EXPECT_TRUE(again[2].IsEmpty());
}

TEST(ResourceTest, StringsAreGbkAndMessageBoxesGoToTheHook)
{
    CString s;
    ASSERT_TRUE(s.LoadString(IDS_GREETING));
    EXPECT_STREQ(s, "你好，结构工程师");
    EXPECT_FALSE(s.LoadString(9999));
    CString part;
    EXPECT_TRUE(AfxExtractSubString(part, "测试框架\n\n测试\n", 2));
    EXPECT_STREQ(part, "测试");
    EXPECT_FALSE(AfxExtractSubString(part, "a\nb", 5));

    MessageBoxRecorder boxes;
    boxes.answer = IDNO;
    EXPECT_EQ(AfxMessageBox(IDS_GREETING, MB_YESNO), IDNO);
    EXPECT_EQ(AfxMessageBox("直接的文字"), IDNO);
    ASSERT_EQ(boxes.texts.size(), 2u);
    EXPECT_EQ(boxes.texts[0], "你好，结构工程师");
    EXPECT_EQ(boxes.texts[1], "直接的文字");
}

namespace {

// A window whose handler throws when asked to (wParam 1: a standard exception,
// 2: anything else) and otherwise answers 5.
class CThrowingWnd : public CWnd {
public:
    int handled = 0;

protected:
    LRESULT OnWork(WPARAM wp, LPARAM)
    {
        if (wp == 1) throw std::runtime_error("梁的数据坏了");
        if (wp == 2) throw 42;
        ++handled;
        return 5;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CThrowingWnd, CWnd)
ON_MESSAGE(WM_APP + 9, &CThrowingWnd::OnWork)
END_MESSAGE_MAP()

// What the program sends to the debugger's output, seen before the system handles it.
std::vector<std::string> g_debugText;
LONG CALLBACK CatchDebugText(EXCEPTION_POINTERS* info)
{
    const EXCEPTION_RECORD* r = info->ExceptionRecord;
    if (r->ExceptionCode == DBG_PRINTEXCEPTION_C && r->NumberParameters >= 2)
        g_debugText.emplace_back(reinterpret_cast<const char*>(r->ExceptionInformation[1]));
    return EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

TEST(HandlerExceptionTest, ReportedAndTheProgramGoesOn)
{
    HandlerExceptionRecorder reports;
    CThrowingWnd w;
    ASSERT_TRUE(w.CreateEx(0, AfxRegisterWndClass(0), "throws", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(w.SendMessage(WM_APP + 9, 1), 0);
    EXPECT_EQ(w.SendMessage(WM_APP + 9, 0), 5);  // the window still works
    // Through the application's message loop: the loop goes on to the next
    // message and ends normally.
    CWnd* oldMain = theTestApp.m_pMainWnd;
    theTestApp.m_pMainWnd = &w;
    w.PostMessage(WM_APP + 9, 2);
    w.PostMessage(WM_APP + 9, 0);
    ::PostQuitMessage(4);
    const int code = theTestApp.CWinThread::Run();
    theTestApp.m_pMainWnd = oldMain;
    EXPECT_EQ(code, 4);
    EXPECT_EQ(w.handled, 2);
    ASSERT_EQ(reports.whats.size(), 2u);
    EXPECT_EQ(reports.whats[0], "梁的数据坏了");
    EXPECT_FALSE(reports.whats[1].empty());  // no text of its own: still reported
    w.DestroyWindow();
}

// The child half: a fresh run, so that its first report is the run's first.
TEST(HandlerExceptionChild, Step)
{
    if (Step() != "exception-box") GTEST_SKIP() << "runs only as a child process";
    FwSetHandlerExceptionHook(nullptr);
    PVOID veh = ::AddVectoredExceptionHandler(1, CatchDebugText);
    MessageBoxRecorder boxes;
    CThrowingWnd w;
    ASSERT_TRUE(w.CreateEx(0, AfxRegisterWndClass(0), "throws", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    for (WPARAM kind : {WPARAM(1), WPARAM(2), WPARAM(1)}) EXPECT_EQ(w.SendMessage(WM_APP + 9, kind), 0);
    EXPECT_EQ(w.SendMessage(WM_APP + 9, 0), 5);
    ::RemoveVectoredExceptionHandler(veh);
    // One box for the run, naming what went wrong; every exception in the debugger's output.
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_NE(boxes.texts[0].find("梁的数据坏了"), std::string::npos) << boxes.texts[0];
    int logged = 0, named = 0;
    for (const std::string& line : g_debugText) {
        if (line.find("exception in a message handler") != std::string::npos) {
            ++logged;
            named += line.find("梁的数据坏了") != std::string::npos;
        }
    }
    EXPECT_EQ(logged, 3);
    EXPECT_EQ(named, 2);
    w.DestroyWindow();
    std::exit(::testing::Test::HasFailure() ? 3 : 0);
}

TEST(HandlerExceptionTest, FirstReportOfARunIsShownOnceAndAllAreLogged)
{
    EXPECT_EQ(RunChild("HandlerExceptionChild.Step", "exception-box", ""), 0u);
}
