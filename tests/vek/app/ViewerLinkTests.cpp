// The link to the result viewer, against a stand-in viewer of ours.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <vector>
#include <string>

#include "AppTestUtil.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WinTestSupport.h"
#include "vek/app/AppWindows.h"
#include "vek/app/VekDoc.h"
#include "vek/app/ViewerLink.h"

using apptest::Frame;
using vektest::PumpUntil;

namespace {

// A running stand-in viewer, ended with the test.
class StandIn {
public:
    StandIn(const std::string& report, const char* mode)
    {
        const std::string line = "\"" + apptest::ProgramFolder() + "\\viewer_standin.exe\" \"" + report + "\" " + mode;
        std::vector<char> cmd(line.begin(), line.end());
        cmd.push_back('\0');
        STARTUPINFOA si{};
        si.cb = sizeof si;
        if (!::CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr, &si,
                              &m_pi))
            return;
        char name[64];
        std::snprintf(name, sizeof name, "VekViewerStandIn%lu", m_pi.dwProcessId);
        HANDLE ready = ::CreateEventA(nullptr, TRUE, FALSE, name);
        ::ResumeThread(m_pi.hThread);
        HANDLE waits[2] = {ready, m_pi.hProcess};
        m_ready = ::WaitForMultipleObjects(2, waits, FALSE, apptest::kSafety) == WAIT_OBJECT_0;
        ::CloseHandle(ready);
        if (m_ready) ::EnumWindows(&Find, reinterpret_cast<LPARAM>(this));
    }
    ~StandIn()
    {
        if (!m_pi.hProcess) return;
        if (m_window) ::PostMessageA(m_window, WM_CLOSE, 0, 0);
        if (::WaitForSingleObject(m_pi.hProcess, 10000) != WAIT_OBJECT_0) ::TerminateProcess(m_pi.hProcess, 1);
        ::CloseHandle(m_pi.hProcess);
        ::CloseHandle(m_pi.hThread);
    }
    HWND Window() const { return m_window; }
    bool Ready() const { return m_ready && m_window; }

private:
    static BOOL CALLBACK Find(HWND h, LPARAM self)
    {
        auto* s = reinterpret_cast<StandIn*>(self);
        DWORD pid = 0;
        ::GetWindowThreadProcessId(h, &pid);
        if (pid != s->m_pi.dwProcessId) return TRUE;
        s->m_window = h;
        return FALSE;
    }
    PROCESS_INFORMATION m_pi{};
    HWND m_window = nullptr;
    bool m_ready = false;
};

std::string ReadText(const std::string& path)
{
    const vektest::Bytes b = vektest::ReadFileBytes(path);
    return std::string(b.begin(), b.end());
}

}  // namespace

TEST(ViewerLink, AVisibleViewerIsFoundAndComesToTheFront)
{
    vektest::TempFile report("viewer", ".txt");
    StandIn viewer(report.path(), "normal");
    ASSERT_TRUE(viewer.Ready());
    EXPECT_EQ(ActivateRunningModule(), viewer.Window());
    EXPECT_TRUE(::IsWindowVisible(viewer.Window()));
}

TEST(ViewerLink, AMinimisedViewerIsRestoredAndAHiddenOneShown)
{
    {
        vektest::TempFile report("viewer", ".txt");
        StandIn viewer(report.path(), "minimized");
        ASSERT_TRUE(viewer.Ready());
        ASSERT_TRUE(::IsIconic(viewer.Window()));
        EXPECT_EQ(ActivateRunningModule(), viewer.Window());
        EXPECT_FALSE(::IsIconic(viewer.Window()));
    }
    {
        vektest::TempFile report("viewer", ".txt");
        StandIn viewer(report.path(), "hidden");
        ASSERT_TRUE(viewer.Ready());
        ASSERT_FALSE(::IsWindowVisible(viewer.Window()));
        EXPECT_EQ(ActivateRunningModule(), viewer.Window());
        EXPECT_TRUE(::IsWindowVisible(viewer.Window()));
    }
}

TEST(ViewerLink, AWindowThatAnswersWronglyIsNoViewer)
{
    vektest::TempFile report("viewer", ".txt");
    StandIn impostor(report.path(), "wrong");
    ASSERT_TRUE(impostor.Ready());
    EXPECT_EQ(ActivateRunningModule(), nullptr);
}

namespace {
int TakeNode()
{
    return 17;
}
void ResultPath(char path[260])
{
    std::strcpy(path, "D:\\结果\\tower.sys");
}
void HistoryItem(int16_t& item, int16_t& direction)
{
    item = 3;
    direction = 2;
}
int redrawn = 0;
void Redraw(int node)
{
    redrawn = node;
}
}  // namespace

TEST(ViewerLink, ThePickedNodeAndTheResultFileGoToTheViewer)
{
    ASSERT_NE(Frame(), nullptr);
    vektest::TempFile report("viewer", ".txt");
    StandIn viewer(report.path(), "normal");
    ASSERT_TRUE(viewer.Ready());
    ViewerLinkHooks saved = theViewerLinkHooks;
    theViewerLinkHooks.takeSelectedNode = &TakeNode;
    theViewerLinkHooks.resultFilePath = &ResultPath;
    theViewerLinkHooks.timeHistoryItem = &HistoryItem;
    theViewerLinkHooks.redrawNode = &Redraw;
    redrawn = 0;
    SendNodeToViewer();
    theViewerLinkHooks = saved;
    EXPECT_EQ(redrawn, 17);
    ASSERT_TRUE(PumpUntil([&] { return ReadText(report.path()).find("node") != std::string::npos; }));
    EXPECT_EQ(ReadText(report.path()), "copy 1 260 D:\\结果\\tower.sys\nnode 17 item 3 direction 2\n");
}

namespace {
std::string shellFile, shellParameters;
INT_PTR FailingShell(HWND, const char*, const char* file, const char* parameters, const char*, int)
{
    shellFile = file ? file : "";
    shellParameters = parameters ? parameters : "";
    return 2;  // file not found
}
}  // namespace

TEST(ViewerLink, WithoutAViewerTheProgramBesideVekIsStartedOnTheDocument)
{
    ASSERT_NE(Frame(), nullptr);
    ShellOpenFn old = SetShellOpenHook(&FailingShell);
    apptest::BoxRecorder boxes;
    EXPECT_EQ(StartViewer(Frame()), 2);
    SetShellOpenHook(old);
    EXPECT_EQ(shellFile, apptest::ProgramFolder() + "\\Moltera.exe");
    EXPECT_EQ(shellParameters, "\"" + std::string(GetVekDoc()->GetPathName().GetString()) + "\"");
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], "程序MOLTERA.EXE启动失败!\n可能在找不到相应的执行文件");
    EXPECT_EQ(boxes.types[0] & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
}
