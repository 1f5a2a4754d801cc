// A whole run as the modelling program starts it: the data-file scan, the
// step dialog driven as a user would, the monitor with its pane, buttons and
// clipboard, and the one 2027 that tells the caller how the run ended.
#include <gtest/gtest.h>

#include "RunWinTestUtil.h"
#include "analysis/ManagerDlg.h"
#include "analysis/RunManagerRes.h"
#include "analysis/SelectDlg.h"
#include "tests/support/WinTestSupport.h"

#include <cstring>

using namespace runwin;

namespace {

using Names = std::vector<std::string>;
const char* const kMonitorTitle = "KORVA分析程序调度对话框";

class RunMonitor : public ::testing::Test {
protected:
    void SetUp() override
    {
        manager.SetFullPathName((DataFolder() + "\\MODEL").c_str());
        manager.SetUsedMemory(64);
        CManagerDlg::s_bAutoClose = 1;
    }
    void TearDown() override
    {
        // No monitor outlives its test.
        if (HWND h = FindTopWindow(kMonitorTitle)) ::DestroyWindow(h);
        PumpPending();
    }
    // The run ended for the caller: its 2027 came and the manager is idle.
    bool Ended() { return WaitForEnd(harness, manager); }
    CManagerDlg* Monitor()
    {
        HWND h = FindTopWindow(kMonitorTitle);
        return h ? DYNAMIC_DOWNCAST(CManagerDlg, CWnd::FromHandlePermanent(h)) : nullptr;
    }

    Answers answers;
    CProcessManager manager;
    CRunHarness harness{&manager};
};

CSelectDlg* StepDialog()
{
    return DYNAMIC_DOWNCAST(CSelectDlg, CDialog::GetActiveModal());
}

// The open context menu, or null.
HWND OpenMenu()
{
    HWND h = ::FindWindowA("#32768", nullptr);
    return h && ::IsWindowVisible(h) ? h : nullptr;
}

// Opens the list's context menu at a line (or below the lines for -1) and,
// once it is open, looks at it and types key into it.
void ContextMenu(CMyCheckListBox& list, int line, char key, std::function<void(HMENU)> look = nullptr)
{
    CRect r;
    if (line >= 0) {
        list.GetItemRect(line, &r);
    } else {
        list.GetClientRect(&r);
        r.top = r.bottom - 8;  // below the last line of a short list
        r.left = r.right - 8;
    }
    CPoint pt(r.left + 30, (r.top + r.bottom) / 2);
    list.ClientToScreen(&pt);
    std::function<void()> typeIn;
    typeIn = [key, look, &typeIn]() {
        HWND menu = OpenMenu();
        if (!menu) {
            RunSoon(typeIn, 20);
            return;
        }
        if (look) look(reinterpret_cast<HMENU>(::SendMessageA(menu, MN_GETHMENU, 0, 0)));
        if (key == 27)
            ::PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        else
            ::PostMessageA(menu, WM_CHAR, static_cast<WPARAM>(key), 0);
    };
    RunSoon(typeIn, 20);
    list.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list.m_hWnd), MAKELPARAM(pt.x, pt.y));
    // The chosen command comes to the list as a posted message.
    PumpPending();
}

void ClickCheck(CMyCheckListBox& list, int line)
{
    CRect r;
    list.GetItemRect(line, &r);
    const LPARAM at = MAKELPARAM(r.left + 4, r.top + 4);
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    list.SendMessage(WM_LBUTTONUP, 0, at);
}

Names Lines(CMyCheckListBox& list)
{
    Names out;
    for (int i = 0; i < list.GetCount(); ++i) {
        CString s;
        list.GetText(i, s);
        out.push_back((list.GetCheck(i) ? "" : "-") + std::string(s.GetString()));
    }
    return out;
}

}  // namespace

TEST_F(RunMonitor, StepDialogRunsExactlyTheCheckedStepsInOrder)
{
    SetDataFile("SYSTEM\nNODE=1\nFRAME\nEIGEN\nLANCZOS\n");
    SetPlan("KOR print 读入数据\\r\\n\n");
    Names shown, afterNone, afterBefore, clicked;
    std::vector<UINT> beforeItems, outsideItems;
    bool titleDisabled = false;
    RunSoon([&] {
        CSelectDlg* dlg = StepDialog();
        ASSERT_NE(dlg, nullptr);
        CMyCheckListBox& list = dlg->m_listSteps;
        CString title;
        dlg->GetWindowText(title);
        EXPECT_STREQ(title, "执行程序选择对话框");
        shown = Lines(list);
        // Right click below the lines: no "before" and "after" items.
        ContextMenu(list, -1, 27, [&](HMENU menu) {
            for (int i = 0; i < ::GetMenuItemCount(menu); ++i) outsideItems.push_back(::GetMenuItemID(menu, i));
        });
        ContextMenu(list, 3, 'n', [&](HMENU menu) {
            for (int i = 0; i < ::GetMenuItemCount(menu); ++i) beforeItems.push_back(::GetMenuItemID(menu, i));
            titleDisabled =
                (::GetMenuState(menu, 0, MF_BYPOSITION) & (MF_DISABLED | MF_OWNERDRAW)) == (MF_DISABLED | MF_OWNERDRAW);
        });
        afterNone = Lines(list);
        ContextMenu(list, 4, 'b');  // everything up to UDEXOR2
        afterBefore = Lines(list);
        ClickCheck(list, 2);  // FRAME off
        clicked = Lines(list);
        dlg->GetDlgItem(IDOK)->SendMessage(BM_CLICK);
    });
    manager.ComputeKorvaData(1, 0);
    ASSERT_TRUE(Ended());

    EXPECT_EQ(shown, (Names{"KOR", "KOR2", "FRAME", "UDEXOR", "UDEXOR2", "UMORAP", "-UQIRN", "SALDER /D /F", "NIBRAKO",
                            "FRAMF"}));
    EXPECT_EQ(outsideItems,
              (std::vector<UINT>{ID_RUN_MENU_TITLE, ID_RUN_SELECT_ALL, ID_RUN_SELECT_INVERT, ID_RUN_SELECT_NONE}));
    EXPECT_EQ(beforeItems, (std::vector<UINT>{ID_RUN_MENU_TITLE, ID_RUN_SELECT_ALL, ID_RUN_SELECT_INVERT,
                                              ID_RUN_SELECT_NONE, ID_RUN_SELECT_BEFORE, ID_RUN_SELECT_AFTER}));
    EXPECT_TRUE(titleDisabled);
    EXPECT_EQ(afterNone, (Names{"-KOR", "-KOR2", "-FRAME", "-UDEXOR", "-UDEXOR2", "-UMORAP", "-UQIRN", "-SALDER /D /F",
                                "-NIBRAKO", "-FRAMF"}));
    EXPECT_EQ(afterBefore, (Names{"KOR", "KOR2", "FRAME", "UDEXOR", "UDEXOR2", "-UMORAP", "-UQIRN", "-SALDER /D /F",
                                  "-NIBRAKO", "-FRAMF"}));
    EXPECT_EQ(clicked[2], "-FRAME");

    EXPECT_EQ(LoggedCommands(), (Names{"KOR /M:64 MODEL /c", "KOR2   /c", "UDEXOR   /c", "UDEXOR2   /c"}));
    EXPECT_EQ(harness.m_ended, (std::vector<WPARAM>{1}));  // forwarded by the monitor, which closed
    EXPECT_EQ(Monitor(), nullptr);
    EXPECT_EQ(manager.GetOutputWnd(), nullptr);
    EXPECT_EQ(manager.GetProcessManagerWnd(), harness.m_hWnd);
    EXPECT_TRUE(answers.texts.empty());
}

TEST_F(RunMonitor, MonitorKeepsGbkOutputAndSaysHowTheRunEnded)
{
    manager.SetProcessManagerWnd(nullptr);  // nobody waits: the user closes the monitor
    CManagerDlg::s_bAutoClose = 0;
    SetDataFile("SYSTEM\n");
    std::string printed;
    for (int i = 1; i <= 8; ++i) printed += "第" + std::to_string(i) + "步：形成单元刚度矩阵，组集总刚度矩阵\\r\\n";
    SetPlan("KOR print " + printed +
            "\n"
            "KOR print 进度 50%\\r进度 100%\\r\\n\n"
            "UDEXOR2 exit 2\n");
    manager.ComputeKorvaData(0, 0);
    CManagerDlg* dlg = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        dlg = Monitor();
        return dlg && dlg->GetDlgItem(IDC_RUN_CLOSE)->IsWindowEnabled();
    }));
    EXPECT_EQ(answers.texts, (Names{"发生错误!"}));
    CString status;
    dlg->GetDlgItemText(IDC_RUN_STATUS, status);
    EXPECT_STREQ(status, "强行中断或发生错误！ 请按“关闭对话框”按钮退出");
    EXPECT_FALSE(dlg->GetDlgItem(IDC_RUN_STOP)->IsWindowEnabled());
    EXPECT_EQ(dlg->IsDlgButtonChecked(IDC_RUN_AUTOCLOSE), 0u);

    std::string expected;
    for (int i = 1; i <= 8; ++i) expected += "第" + std::to_string(i) + "步：形成单元刚度矩阵，组集总刚度矩阵\r\n";
    expected += "进度 50%\r\n进度 100%\r\nKOR2 done\r\nUDEXOR done\r\n";
    EXPECT_EQ(std::string(dlg->GetOutputPane()->GetText().GetString()), expected);

    // Copy: the same bytes as plain text on the clipboard.
    dlg->GetDlgItem(IDC_RUN_COPY)->SendMessage(BM_CLICK);
    ASSERT_TRUE(::OpenClipboard(nullptr));
    HANDLE data = ::GetClipboardData(CF_TEXT);
    ASSERT_NE(data, nullptr);
    const std::string clip = static_cast<const char*>(::GlobalLock(data));
    ::GlobalUnlock(data);
    ::CloseClipboard();
    EXPECT_EQ(clip, expected);

    // The pane draws Chinese with a fixed-pitch face that has the glyphs.
    HWND pane = dlg->GetDlgItem(IDC_RUN_OUTPUT)->GetSafeHwnd();
    ASSERT_NE(pane, nullptr);
    HDC dc = ::GetDC(pane);
    HFONT font = ::CreateFontIndirectA(&dlg->GetOutputPane()->GetFontDescription());
    HGDIOBJ old = ::SelectObject(dc, font);
    TEXTMETRICA tm{};
    ::GetTextMetricsA(dc, &tm);
    WORD glyph[2] = {};
    ::GetGlyphIndicesW(dc, L"刚度", 2, glyph, GGI_MARK_NONEXISTING_GLYPHS);
    SIZE narrow{}, wide{};
    ::GetTextExtentPoint32A(dc, "i", 1, &narrow);
    ::GetTextExtentPoint32A(dc, "W", 1, &wide);
    char face[LF_FACESIZE] = {};
    ::GetTextFaceA(dc, LF_FACESIZE, face);
    ::SelectObject(dc, old);
    ::DeleteObject(font);
    ::ReleaseDC(pane, dc);
    EXPECT_NE(glyph[0], 0xFFFF) << face;
    EXPECT_NE(glyph[1], 0xFFFF) << face;
    EXPECT_EQ(narrow.cx, wide.cx) << "not fixed pitch";
    EXPECT_EQ(tm.tmCharSet, GB2312_CHARSET);
    EXPECT_STREQ(dlg->GetOutputPane()->GetFontDescription().lfFaceName, "Fixedsys");

    dlg->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpPending();
    EXPECT_FALSE(vektest::SaveScreenShot(dlg->m_hWnd, "run_monitor").empty());

    dlg->GetDlgItem(IDC_RUN_CLOSE)->SendMessage(BM_CLICK);
    PumpPending();
    EXPECT_EQ(Monitor(), nullptr);
    EXPECT_EQ(manager.GetOutputWnd(), nullptr);
    EXPECT_EQ(manager.GetProcessManagerWnd(), nullptr);
}

TEST_F(RunMonitor, MonitorSaysSuccessAfterACleanRun)
{
    manager.SetProcessManagerWnd(nullptr);
    CManagerDlg::s_bAutoClose = 0;
    SetDataFile("SYSTEM\n");
    SetPlan("");
    manager.ComputeKorvaData(0, 0);
    CManagerDlg* dlg = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        dlg = Monitor();
        return dlg && dlg->GetDlgItem(IDC_RUN_CLOSE)->IsWindowEnabled();
    }));
    CString status;
    dlg->GetDlgItemText(IDC_RUN_STATUS, status);
    EXPECT_STREQ(status, "成功！ 请按“关闭对话框”按钮退出");
    EXPECT_EQ(LoggedCommands().size(), 6u);
    // The close box closes an idle monitor.
    dlg->SendMessage(WM_SYSCOMMAND, SC_CLOSE);
    PumpPending();
    EXPECT_EQ(Monitor(), nullptr);
}

TEST_F(RunMonitor, StopButtonEndsTheProgramAndTheCallerHearsZero)
{
    SetDataFile("SYSTEM\nNODE=1\nFRAME\n");
    SetPlan("FRAME hang\n");
    manager.ComputeKorvaData(0, 0);
    CManagerDlg* dlg = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        dlg = Monitor();
        const auto log = ReadLog();
        return dlg && !log.empty() && log.back().name == "FRAME";
    }));
    const DWORD pid = ReadLog().back().pid;
    // The check box is the caller's: the monitor closes by itself.
    EXPECT_FALSE(dlg->GetDlgItem(IDC_RUN_AUTOCLOSE)->IsWindowEnabled());
    CString status;
    dlg->GetDlgItemText(IDC_RUN_STATUS, status);
    EXPECT_STREQ(status, "FRAME   /c");
    dlg->GetDlgItem(IDC_RUN_STOP)->SendMessage(BM_CLICK);
    ASSERT_TRUE(Ended());
    EXPECT_EQ(harness.m_ended, (std::vector<WPARAM>{0}));
    EXPECT_FALSE(ProcessAlive(pid));
    EXPECT_EQ(CountProcesses("FRAME.exe"), 0);
    EXPECT_EQ(Monitor(), nullptr);
    EXPECT_EQ(LoggedCommands().size(), 3u);  // KOR, KOR2, FRAME; nothing after the stop
    EXPECT_TRUE(answers.texts.empty());
}

TEST_F(RunMonitor, SystemCloseStopsTheRun)
{
    harness.m_ended.clear();
    manager.SetProcessManagerWnd(nullptr);
    CManagerDlg::s_bAutoClose = 0;  // the close box sets it again
    SetDataFile("SYSTEM\nNODE=1\nFRAME\n");
    SetPlan("FRAME hang\n");
    manager.ComputeKorvaData(0, 0);
    CManagerDlg* dlg = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        dlg = Monitor();
        const auto log = ReadLog();
        return dlg && !log.empty() && log.back().name == "FRAME";
    }));
    const DWORD pid = ReadLog().back().pid;
    dlg->PostMessage(WM_SYSCOMMAND, SC_CLOSE);
    ASSERT_TRUE(PumpUntil([&] { return Monitor() == nullptr && !manager.ProcessIsStillActive(); }));
    EXPECT_FALSE(ProcessAlive(pid));
    EXPECT_EQ(CManagerDlg::s_bAutoClose, 1);
    EXPECT_EQ(manager.GetOutputWnd(), nullptr);
}

TEST_F(RunMonitor, RunsThatNeverBeginTellTheCallerOnce)
{
    struct Case {
        const char* what;
        std::string data;
        int show;
        std::deque<int> answers;
        std::function<void()> inDialog;
        Names messages;
    } cases[] = {
        {"scan failure", "NODE=1\nFRAME\n", 0, {}, nullptr, {RUN_TXT_NOT_DATA_FILE}},
        {"blank before SYSTEM", " SYSTEM\n", 0, {}, nullptr, {RUN_TXT_NOT_DATA_FILE}},
        {"no to the question",
         "SYSTEM\nNODE=1\nLEVEL\n",
         0,
         {0},
         nullptr,
         {"数据文件中包含集成环境不支持的数据段，\n如：子结构、TABS和LEVEL等。\n你可以在集成环境下采用命令行方式运行各"
          "相关程序段。"}},
        {"dialog cancelled", "SYSTEM\n", 1, {}, [] { StepDialog()->GetDlgItem(IDCANCEL)->SendMessage(BM_CLICK); }, {}},
        {"nothing checked",
         "SYSTEM\n",
         1,
         {},
         [] {
             CSelectDlg* dlg = StepDialog();
             for (int i = 0; i < dlg->m_listSteps.GetCount(); ++i) dlg->m_listSteps.SetCheck(i, 0);
             dlg->GetDlgItem(IDOK)->SendMessage(BM_CLICK);
         },
         {}},
    };
    for (const auto& c : cases) {
        SetDataFile(c.data);
        SetPlan("");
        answers.texts.clear();
        answers.answers = c.answers;
        harness.m_ended.clear();
        if (c.inDialog) RunSoon(c.inDialog);
        manager.ComputeKorvaData(c.show, 0);
        ASSERT_TRUE(Ended()) << c.what;
        EXPECT_EQ(harness.m_ended, (std::vector<WPARAM>{0})) << c.what;
        EXPECT_EQ(answers.texts, c.messages) << c.what;
        EXPECT_TRUE(ReadLog().empty()) << c.what;
        EXPECT_EQ(Monitor(), nullptr) << c.what;
    }
}

TEST_F(RunMonitor, NoSolverSaysWhereItLookedAndQueuesNothing)
{
    SetDataFile("SYSTEM\n");
    char saved[sizeof CProcessManager::korvaPath];
    std::memcpy(saved, CProcessManager::korvaPath, sizeof saved);
    std::strcpy(CProcessManager::korvaPath, DataFolder().c_str());  // no kor.exe there
    manager.ComputeKorvaData(1, 0);
    std::memcpy(CProcessManager::korvaPath, saved, sizeof saved);
    ASSERT_TRUE(Ended());
    EXPECT_EQ(harness.m_ended, (std::vector<WPARAM>{0}));
    EXPECT_EQ(answers.texts, (Names{"找不到KORVA求解程序kor.exe（已查找程序目录和环境变量KORVA所指目录）。"}));
    EXPECT_EQ(manager.GetTotalSize(), 0);
}
