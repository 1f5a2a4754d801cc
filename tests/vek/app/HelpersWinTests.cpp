// The application's helpers, idle autosave, the modeller's command rule and
// the shortcuts of a tool dialog, in the program's own frame.
#include <gtest/gtest.h>

#include <string>

#include "AppTestUtil.h"
#include "analysis/MyDialog.h"
#include "analysis/ProcessManager.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WinInput.h"
#include "tests/support/WinTestSupport.h"
#include "vek/app/AppWindows.h"
#include "vek/app/VekDoc.h"
#include "vek/app/VekView.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/AutoSave.h"
#include "vek/model/ProjectGlobals.h"
#include "vek/model/ProjectOptions.h"
#include "vek/res/AppDialogsRes.h"
#include "vek/res/LeftPanelRes.h"
#include "vek/res/resource.h"

using apptest::Frame;
using vektest::PumpUntil;

TEST(AppWindows, ViewAndDocumentOfTheMainFrame)
{
    ASSERT_NE(Frame(), nullptr);
    CVekDoc* doc = GetVekDoc();
    CVekView* view = GetVekView();
    ASSERT_NE(doc, nullptr);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetDocument(), doc);
}

TEST(AppWindows, ModifiedMarkIsKeptOffWhileTheModelComesFromResults)
{
    ASSERT_NE(Frame(), nullptr);
    CVekDoc* doc = GetVekDoc();
    doc->SetModifiedFlag(FALSE);
    bModelFromResults = 1;
    SetDocumentModified(1);
    EXPECT_FALSE(doc->IsModified());
    bModelFromResults = 0;
    SetDocumentModified(1);
    EXPECT_TRUE(doc->IsModified());
    SetDocumentModified(0);
    EXPECT_FALSE(doc->IsModified());
}

TEST(AppWindows, FoldersOfTheProgramAndTheSystem)
{
    CString temp;
    char system[MAX_PATH] = {};
    const DWORD n = ::GetTempPathA(MAX_PATH, system);
    EXPECT_EQ(GetTempDir(temp), static_cast<int>(n));
    EXPECT_EQ(temp.ReverseFind('\\'), temp.GetLength() - 1);
    EXPECT_EQ(temp.Find("\\\\"), -1);

    char dir[260];
    GetProgramDir(dir);
    EXPECT_EQ(std::string(dir), apptest::ProgramFolder() + "\\");
    char path[260];
    EXPECT_EQ(GetResourcePath("Colors.dat", path), path);
    EXPECT_EQ(std::string(path), apptest::ProgramFolder() + "\\Resource\\Colors.dat");
}

namespace {
unsigned char rebuildFlag = 0;
unsigned char* RebuildFlag()
{
    return &rebuildFlag;
}
}  // namespace

TEST(AppWindows, MessageBoxesLeaveTheViewItsPictureWhileTheyAreUp)
{
    ViewLink saved = theViewLink;
    theViewLink.rebuildPictureFlag = &RebuildFlag;
    apptest::BoxRecorder boxes;
    boxes.answer = IDNO;
    int flagDuringBox = -1;
    boxes.onShow = [&] { flagDuringBox = rebuildFlag; };
    rebuildFlag = 1;
    EXPECT_EQ(AppMessageBox("问题?", MB_YESNO), IDNO);
    EXPECT_EQ(flagDuringBox, 0);
    EXPECT_EQ(rebuildFlag, 1);
    rebuildFlag = 0;
    AppMessageBoxID(IDS_UPDATE_ADDRESS, MB_OK);
    EXPECT_EQ(rebuildFlag, 0);
    ASSERT_EQ(boxes.texts.size(), 2u);
    EXPECT_EQ(boxes.texts[1], "https://www.example.org/korva/update/");
    theViewLink = saved;
}

namespace {
int ticks = 0;
unsigned char* waitState = nullptr;
int stateSeen = -1;
bool delivered = false;
WNDPROC viewProc = nullptr;
LRESULT CALLBACK ViewSpy(HWND h, UINT m, WPARAM w, LPARAM l)
{
    if (m == WM_APP + 7) delivered = true;
    return ::CallWindowProcA(viewProc, h, m, w, l);
}
void CALLBACK CountTick(HWND, UINT, UINT_PTR, DWORD)
{
    ++ticks;
    if (waitState) stateSeen = *waitState;
}
}  // namespace

TEST(AppWindows, WaitsRunTimersButNoCommandsAndKeepAQuitRequest)
{
    ASSERT_NE(Frame(), nullptr);
    HWND target = GetVekView()->m_hWnd;
    vektest::PumpPending();
    unsigned char state = 3;
    waitState = &state;
    ticks = 0;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 10, CountTick);
    // A message for the view that must wait until the wait is over.
    delivered = false;
    viewProc =
        reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(target, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ViewSpy)));
    ::PostMessageA(target, WM_APP + 7, 0, 0);
    PumpMessagesFor(120, &state);
    EXPECT_GE(ticks, 1);
    EXPECT_EQ(stateSeen, 127);
    EXPECT_EQ(state, 3);
    EXPECT_FALSE(delivered);
    vektest::PumpPending();
    EXPECT_TRUE(delivered);

    // A quit request ends the wait and is still there afterwards.
    ::PostQuitMessage(5);
    const DWORD start = ::GetTickCount();
    PumpMessagesFor(20000);
    EXPECT_LT(::GetTickCount() - start, 10000u);
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 5u);
    ::KillTimer(nullptr, timer);
    ::SetWindowLongPtrA(target, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(viewProc));
    waitState = nullptr;
}

namespace {
int32_t fakeClock = 0;
int32_t FakeClock()
{
    return fakeClock;
}
int saves = 0;
std::string savedIn;
int CountSave(int autosave)
{
    if (autosave) ++saves;
    char dir[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, dir);
    savedIn = dir;
    return 1;
}
}  // namespace

TEST(AppIdle, AutosaveOnlyOnTheThirdIdleCallAfterMoreThanTheInterval)
{
    vektest::TempDir folder("autosave");
    char before[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, before);
    const int32_t interval = theProjectOptions.nAutoSaveInterval;
    theProjectOptions.nAutoSaveInterval = 120000;
    theProcessManager.SetCurPath(folder.path().string().c_str());
    const auto boundSave = pfnSaveProject;
    pfnSaveProject = &CountSave;
    saves = 0;
    theApp.m_autoSave = CAutoSaveClock(&FakeClock);

    fakeClock = 5000;
    EXPECT_TRUE(theApp.OnIdle(0));  // the clock starts here
    fakeClock = 5000 + 120000;
    EXPECT_TRUE(theApp.OnIdle(3));
    EXPECT_EQ(saves, 0);
    fakeClock = 5000 + 120001;
    EXPECT_TRUE(theApp.OnIdle(1));
    EXPECT_TRUE(theApp.OnIdle(2));
    EXPECT_EQ(saves, 0);
    EXPECT_TRUE(theApp.OnIdle(3));
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(savedIn, folder.path().string());
    EXPECT_TRUE(theApp.OnIdle(3));
    EXPECT_EQ(saves, 1);

    pfnSaveProject = boundSave;
    theProjectOptions.nAutoSaveInterval = interval;
    theApp.m_autoSave = CAutoSaveClock();
    theProcessManager.SetCurPath("");
    ::SetCurrentDirectoryA(before);
}

namespace {
// The state a command's update handler gives.
struct EnableProbe : CCmdUI {
    int enabled = -1;
    void Enable(BOOL on) override { enabled = on ? 1 : 0; }
};
int UpdateState(UINT id)
{
    EnableProbe probe;
    probe.m_nID = id;
    Frame()->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &probe, nullptr);
    return probe.enabled;
}
}  // namespace

TEST(AppCommands, ModellerCommandsNeedTheModellerAndAHandler)
{
    ASSERT_NE(Frame(), nullptr);
    EXPECT_EQ(UpdateState(ID_FILE_NEW), 1);
    EXPECT_EQ(UpdateState(ID_FILE_OPEN), 1);
    EXPECT_EQ(UpdateState(32835), 0);  // the data check has no handler here
    bModellerMode = 0;
    EXPECT_EQ(UpdateState(ID_FILE_NEW), 0);
    EXPECT_EQ(UpdateState(32939), 0);
    bModellerMode = 1;
}

namespace {
constexpr UINT kTestOpen = 0x8F01;
int opened = 0;
WNDPROC frameProc = nullptr;
LRESULT CALLBACK FrameSpy(HWND h, UINT m, WPARAM w, LPARAM l)
{
    if (m == WM_COMMAND && LOWORD(w) == kTestOpen) {
        ++opened;
        return 0;
    }
    return ::CallWindowProcA(frameProc, h, m, w, l);
}
}  // namespace

TEST(AppKeys, MenuShortcutsReachTheFrameFromAToolDialog)
{
    CMainFrame* frame = Frame();
    ASSERT_NE(frame, nullptr);
    ACCEL ctrlO{FCONTROL | FVIRTKEY, 'O', kTestOpen};
    HACCEL saved = frame->m_hAccelTable;
    frame->m_hAccelTable = ::CreateAcceleratorTableA(&ctrlO, 1);
    frameProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(frame->m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FrameSpy)));
    opened = 0;

    auto* tool = new CModelessDialog(IDD_LEFT_DLG, frame);
    ASSERT_TRUE(tool->Create(IDD_LEFT_DLG, frame));
    tool->ShowWindow(SW_SHOW);
    tool->SetForegroundWindow();
    tool->SetActiveWindow();
    ASSERT_TRUE(PumpUntil([&] { return ::GetActiveWindow() == tool->m_hWnd; }));
    vektest::Key(VK_CONTROL, true);
    vektest::Tap('O');
    vektest::Key(VK_CONTROL, false);
    // The keys go through the application's message loop, as in the program.
    const DWORD start = ::GetTickCount();
    MSG peek;
    while (opened == 0 && ::GetTickCount() - start < apptest::kSafety) {
        if (::PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE))
            theApp.PumpMessage();
        else
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    }
    EXPECT_EQ(opened, 1);

    tool->SaveAndDestroy();
    ::SetWindowLongPtrA(frame->m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(frameProc));
    ::DestroyAcceleratorTable(frame->m_hAccelTable);
    frame->m_hAccelTable = saved;
    if (::testing::Test::HasFailure()) vektest::SaveScreenShot(frame->m_hWnd, "vek_app_keys");
}
