// The main frame's commands: which are offered, their keys and hints, the
// help and web-page commands, the drop-down buttons, the library dialogs, and
// what the frame does while it is made and closed.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>

#include "FrameTestApp.h"
#include "analysis/ProcessManager.h"
#include "resource.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WinInput.h"
#include "tests/support/WinTestSupport.h"
#include "vek/app/HelpLinks.h"
#include "vek/model/ProjectGlobals.h"

using namespace frametest;

namespace {

class FrameCommandTest : public FrameTest {
protected:
    // Each popup of the menu bar (and their submenus) as the user opens it.
    void OpenAllPopups(HMENU menu)
    {
        const int n = ::GetMenuItemCount(menu);
        for (int i = 0; i < n; ++i)
            if (HMENU sub = ::GetSubMenu(menu, i)) {
                InitPopup(frame, sub);
                OpenAllPopups(sub);
            }
    }
    bool Greyed(UINT id) const
    {
        return (::GetMenuState(frame->GetMenu()->m_hMenu, id, MF_BYCOMMAND) & MF_GRAYED) != 0;
    }
    // Whether anyone along the frame's command route handles the command.
    bool Handled(UINT id) const
    {
        int probe = 0;
        return frame->OnCmdMsg(id, CN_COMMAND, nullptr, &probe) != FALSE;
    }
};

// The 19 commands that only the modeller offers.
const UINT kModellerOnly[] = {ID_FILE_NEW,
                              ID_FILE_OPEN,
                              ID_CHECK_DATA,
                              ID_FILE_EXPORT_DATA,
                              ID_PARAM_PLANE_OPTIONS,
                              ID_PARAM_EIGEN,
                              ID_PARAM_HISTORY,
                              ID_PARAM_SPECTRUM,
                              ID_PARAM_REINFORCEMENT,
                              ID_PARAM_WIND,
                              ID_PARAM_UNITS,
                              ID_PARAM_PILE,
                              ID_LIB_MATERIALS,
                              ID_LIB_SECTIONS,
                              ID_LIB_STEEL_SECTIONS,
                              ID_LIB_VARIABLE_SECTIONS,
                              ID_LIB_SPRINGS,
                              ID_GEOM_AXIS_GRID,
                              ID_GEOM_NODE_INTERSECT};

std::vector<UINT> ToolbarCommands(CMainFrame* frame)
{
    std::vector<UINT> out;
    for (int b = 0; b < CMainFrame::kToolBarCount; ++b) {
        CToolBarXP& bar = frame->GetToolBar(b);
        for (int i = 0; i < bar.GetCount(); ++i)
            if (!(bar.GetButtonStyle(i) & TBSTYLE_SEP)) out.push_back(bar.GetItemID(i));
    }
    return out;
}

// "Ctrl+Up" and the like as an accelerator's key and flags.
bool ParseShortcut(std::string text, WORD& key, BYTE& flags)
{
    flags = FVIRTKEY;
    if (text.rfind("Ctrl+", 0) == 0) {
        flags |= FCONTROL;
        text = text.substr(5);
    }
    static const std::map<std::string, WORD> named = {
        {"Up", VK_UP}, {"Down", VK_DOWN}, {"Left", VK_LEFT}, {"Right", VK_RIGHT}, {"Esc", VK_ESCAPE}};
    if (named.count(text)) {
        key = named.at(text);
        return true;
    }
    if (text.size() == 1 && text[0] >= 'A' && text[0] <= 'Z') {
        key = static_cast<WORD>(text[0]);
        return true;
    }
    if (text.size() >= 2 && text[0] == 'F') {
        key = static_cast<WORD>(VK_F1 + std::stoi(text.substr(1)) - 1);
        return true;
    }
    return false;
}

void CollectShortcuts(HMENU menu, std::vector<std::pair<UINT, std::string>>& out)
{
    const int n = ::GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i) {
        if (HMENU sub = ::GetSubMenu(menu, i)) {
            CollectShortcuts(sub, out);
            continue;
        }
        char text[256] = {};
        ::GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        const char* tab = std::strchr(text, '\t');
        if (tab) out.emplace_back(::GetMenuItemID(menu, i), tab + 1);
    }
}

}  // namespace

TEST_F(FrameCommandTest, OnlyCommandsWithAHandlerAreOffered)
{
    frame = OpenFrame();
    ASSERT_NE(frame, nullptr);
    OpenAllPopups(frame->GetMenu()->m_hMenu);
    std::vector<UINT> commands;
    CollectCommands(frame->GetMenu()->m_hMenu, commands);
    ASSERT_GT(commands.size(), 250u);
    int offered = 0;
    for (UINT id : commands) {
        if (id == ID_FILE_MRU_FILE1) continue;  // the recent projects' place, empty here
        if (id == ID_EXPORT_GIF_ANIMATION) {    // handled, and greyed while no animation runs
            EXPECT_TRUE(Greyed(id) && Handled(id));
            continue;
        }
        if (!Greyed(id)) {
            ++offered;
            EXPECT_TRUE(Handled(id)) << id << " is offered without a handler";
        } else if (id < ID_HELP_MANUAL || id > ID_HELP_LIBRARY_DOCUMENT) {  // no help files here
            EXPECT_FALSE(Handled(id)) << id << " has a handler but is greyed";
        }
    }
    EXPECT_GT(offered, 10) << "the toolbar switches, the library dialogs, the update page ...";
    EXPECT_FALSE(Greyed(IDR_TOOLBAR_RESULT));
    EXPECT_TRUE(::GetMenuState(frame->GetMenu()->m_hMenu, IDR_TOOLBAR_RESULT, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(Greyed(ID_GEOM_NODE_SNAP)) << "its view handler is not there yet";

    // The same for the toolbar buttons after an idle update.
    frame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE);
    for (int b = 0; b < CMainFrame::kToolBarCount; ++b) {
        CToolBarXP& bar = frame->GetToolBar(b);
        for (int i = 0; i < bar.GetCount(); ++i) {
            if (bar.GetButtonStyle(i) & TBSTYLE_SEP) continue;
            const UINT id = bar.GetItemID(i);
            const bool enabled = bar.SendMessage(TB_ISBUTTONENABLED, id) != 0;
            EXPECT_TRUE(!enabled || Handled(id)) << id << " is offered without a handler";
        }
    }
    EXPECT_TRUE(frame->GetToolBar(0).SendMessage(TB_ISBUTTONENABLED, ID_DROP_EXPORT));
    EXPECT_FALSE(frame->GetToolBar(4).SendMessage(TB_ISBUTTONENABLED, ID_DROP_SPECIAL_VIEW))
        << "special views only on the 3-D work platform";
    Hooks().viewMode = 3;
    frame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE);
    EXPECT_TRUE(frame->GetToolBar(4).SendMessage(TB_ISBUTTONENABLED, ID_DROP_SPECIAL_VIEW));
}

TEST_F(FrameCommandTest, TheResultViewerGreysTheModellerCommands)
{
    // The frame's own part of the modeller rule: the library dialogs.
    frame = OpenFrame();
    ASSERT_NE(frame, nullptr);
    OpenAllPopups(frame->GetMenu()->m_hMenu);
    for (UINT id = ID_LIB_MATERIALS; id <= ID_LIB_SPRINGS; ++id) EXPECT_FALSE(Greyed(id)) << id;
    CloseFrame();

    bModellerMode = 0;
    frame = OpenFrame();
    ASSERT_NE(frame, nullptr);
    OpenAllPopups(frame->GetMenu()->m_hMenu);
    for (UINT id : kModellerOnly) {
        const UINT state = ::GetMenuState(frame->GetMenu()->m_hMenu, id, MF_BYCOMMAND);
        ASSERT_NE(state, static_cast<UINT>(-1)) << id << " is not in the viewer's menus";
        EXPECT_TRUE(state & MF_GRAYED) << id;
    }
    // Refused even when sent.
    frame->SendMessage(WM_COMMAND, ID_LIB_MATERIALS);
    EXPECT_TRUE(Hooks().libraryRuns.empty());
}

TEST_F(FrameCommandTest, EveryShortcutOfTheMenusIsAKey)
{
    frame = OpenFrame();
    ASSERT_NE(frame, nullptr);
    std::vector<std::pair<UINT, std::string>> shortcuts;
    CollectShortcuts(frame->GetMenu()->m_hMenu, shortcuts);
    ASSERT_GE(shortcuts.size(), 20u);
    const int n = ::CopyAcceleratorTableA(frame->m_hAccelTable, nullptr, 0);
    std::vector<ACCEL> keys(static_cast<size_t>(n));
    ::CopyAcceleratorTableA(frame->m_hAccelTable, keys.data(), n);
    for (const auto& [id, text] : shortcuts) {
        WORD key = 0;
        BYTE flags = 0;
        ASSERT_TRUE(ParseShortcut(text, key, flags)) << text;
        const bool found = std::any_of(keys.begin(), keys.end(), [&](const ACCEL& a) {
            return a.cmd == id && a.key == key && (a.fVirt & (FVIRTKEY | FCONTROL | FSHIFT | FALT)) == flags;
        });
        EXPECT_TRUE(found) << id << " " << text;
    }
    // A key reaches its command: Ctrl+O opens the project dialog's command, F1 the manual.
    std::set<UINT> all;
    for (const ACCEL& a : keys) all.insert(a.cmd);
    EXPECT_TRUE(all.count(ID_FILE_OPEN));
    EXPECT_TRUE(all.count(ID_HELP_MANUAL));
}

TEST_F(FrameCommandTest, EveryCommandHasAHintAndATooltip)
{
    frame = OpenFrame();
    ASSERT_NE(frame, nullptr);
    std::vector<UINT> commands;
    CollectCommands(frame->GetMenu()->m_hMenu, commands);
    for (UINT id : ToolbarCommands(frame)) commands.push_back(id);
    for (UINT id = ID_RESULT_COMBO_FIRST; id <= ID_RESULT_COMBO_LAST; ++id) commands.push_back(id);
    commands.push_back(ID_LAYER_COMBO);
    for (UINT id : commands) {
        const CString text = AfxLoadString(id);
        const int split = text.Find('\n');
        EXPECT_GT(split, 0) << id << " has no hint";
        EXPECT_GT(text.GetLength(), split + 1) << id << " has no tooltip";
    }
}

TEST_F(FrameCommandTest, HintsGoToThePromptBar)
{
    frame = OpenFrame();
    ASSERT_NE(frame, nullptr);
    Hooks().prompts.clear();
    // A menu item under the mouse, a toolbar button's fly-by, a plain text.
    frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_INFO_NODE, MF_STRING),
                       reinterpret_cast<LPARAM>(frame->GetMenu()->m_hMenu));
    ASSERT_FALSE(Hooks().prompts.empty());
    EXPECT_EQ(Hooks().prompts.back(), "查看节点的各种信息");
    frame->SetMessageText("直接的提示");
    EXPECT_EQ(Hooks().prompts.back(), "直接的提示");
    frame->SetMessageText(ID_HELP_UPDATE_PAGE);
    EXPECT_EQ(Hooks().prompts.back(), "公众网上KORVA的程序更新站点");
    // The idle message brings back the running operation's prompt.
    const size_t shown = Hooks().prompts.size();
    frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_TRUE(Hooks().Called("ShowOperationPrompt"));
    EXPECT_EQ(Hooks().prompts.size(), shown);
    // Without a prompt bar nothing is shown.
    Hooks().promptBar = false;
    frame->SetMessageText(ID_INFO_NODE);
    EXPECT_EQ(Hooks().prompts.size(), shown);
    // The idle prompt of the string table.
    EXPECT_STREQ(AfxLoadString(AFX_IDS_IDLEMESSAGE),
                 "通过菜单、热键和按钮等方式进行各种操作，操作过程中按ESC或右键快捷菜单可以退出");
}

namespace {
struct HelpCall {
    std::string file;
    UINT command = 99;
    int calls = 0;
    HWND answer = nullptr;
};
HelpCall g_help;
HWND WINAPI RecordHelp(HWND, LPCSTR file, UINT command, DWORD_PTR)
{
    g_help.file = file ? file : "";
    g_help.command = command;
    ++g_help.calls;
    return g_help.answer;
}
struct ShellCall {
    std::string verb, file;
    int calls = 0;
};
ShellCall g_shell;
HINSTANCE WINAPI RecordShell(HWND, LPCSTR verb, LPCSTR file, LPCSTR, LPCSTR, INT)
{
    g_shell.verb = verb ? verb : "";
    g_shell.file = file ? file : "";
    ++g_shell.calls;
    return reinterpret_cast<HINSTANCE>(42);
}
}  // namespace

TEST_F(FrameCommandTest, HelpCommandsOpenTheSolversHelpFilesThroughHtmlHelp)
{
    // A solver folder with one of the five help files.
    vektest::TempDir solver("korva");
    ::CreateDirectoryA((solver.path() / "Help").string().c_str(), nullptr);
    {
        std::ofstream(solver.File("Help\\Manual.chm")) << "chm";
    }
    char saved[sizeof CProcessManager::korvaPath];
    std::memcpy(saved, CProcessManager::korvaPath, sizeof saved);
    lstrcpynA(CProcessManager::korvaPath, solver.path().string().c_str(), sizeof CProcessManager::korvaPath);
    g_help = HelpCall{};
    SetHtmlHelpEntry(&RecordHelp);

    frame = OpenFrame();
    ASSERT_NE(frame, nullptr);
    InitPopup(frame, CMainFrame::FindSubMenuByText(frame->GetMenu()->m_hMenu, "帮助"));
    EXPECT_FALSE(Greyed(ID_HELP_MANUAL));
    for (UINT id = ID_HELP_ADVANCED_MANUAL; id <= ID_HELP_LIBRARY_DOCUMENT; ++id)
        EXPECT_TRUE(Greyed(id)) << id << ": no such file";
    EXPECT_EQ(HelpFilePath(ID_HELP_EXAMPLES), CString(CProcessManager::korvaPath) + "\\Help\\Examples.chm");
    EXPECT_EQ(HelpFilePath(ID_HELP_LIBRARY_DOCUMENT), CString(CProcessManager::korvaPath) + "\\Help\\KORVALIB.chm");
    EXPECT_TRUE(HelpFilePath(ID_HELP_UPDATE_PAGE).IsEmpty());

    // F1, as the user presses it: the help library is loaded then, and shows the file.
    EXPECT_FALSE(IsHtmlHelpLoaded()) << "loaded on first use only";
    g_help.answer = frame->m_hWnd;
    frame->SetForegroundWindow();
    ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == frame->m_hWnd; }));
    vektest::Tap(VK_F1);
    ASSERT_TRUE(PumpUntil([&] { return g_help.calls == 1; }));
    EXPECT_TRUE(IsHtmlHelpLoaded());
    EXPECT_NE(::GetModuleHandleA("hhctrl.ocx"), nullptr);
    EXPECT_EQ(g_help.file, std::string(CProcessManager::korvaPath) + "\\Help\\Manual.chm");
    EXPECT_EQ(g_help.command, 0u) << "the display-topic command";

    // HTML Help failing: the error box names the file.
    std::vector<std::string> boxes;
    AfxSetMessageBoxHook([&](const CString& text, const CString& caption, UINT type) {
        boxes.push_back(std::string(caption) + "|" + std::string(text) + "|" + std::to_string(type & MB_ICONMASK));
        return IDOK;
    });
    g_help.answer = nullptr;
    frame->SendMessage(WM_COMMAND, ID_HELP_MANUAL);
    AfxSetMessageBoxHook(nullptr);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "错误|无法找到帮助文档:" + g_help.file + "|" + std::to_string(MB_ICONERROR));

    SetHtmlHelpEntry(nullptr);
    std::memcpy(CProcessManager::korvaPath, saved, sizeof saved);
}

TEST_F(FrameCommandTest, TheUpdatePageOpensTheAddressOfTheStringTable)
{
    g_shell = ShellCall{};
    SetShellExecuteEntry(&RecordShell);
    frame = OpenFrame();
    ASSERT_NE(frame, nullptr);
    frame->SendMessage(WM_COMMAND, ID_HELP_UPDATE_PAGE);
    SetShellExecuteEntry(nullptr);
    EXPECT_EQ(g_shell.calls, 1);
    EXPECT_EQ(g_shell.verb, "open");
    EXPECT_EQ(g_shell.file, std::string(AfxLoadString(IDS_UPDATE_ADDRESS)));
    EXPECT_EQ(g_shell.file.rfind("https://www.example.org/", 0), 0u);
}

TEST_F(FrameCommandTest, FindSubMenuByTextSearchesDepthFirst)
{
    frame = OpenFrame();
    ASSERT_NE(frame, nullptr);
    const HMENU bar = frame->GetMenu()->m_hMenu;
    const struct {
        const char* text;
        UINT firstCommand;  // of the submenu found; 0: none found
    } cases[] = {
        {"导出", ID_FILE_EXPORT_DATA},
        {"工具栏", IDR_TOOLBAR_COMMON},
        {"计算与分析", ID_ANALYSIS_START},
        {"钢管结构节点承载力", ID_JOINT_AUTO},
        {"特殊视角", ID_VIEW_STD_FRONT_OBLIQUE},
        {"文本结果文件", ID_RESULT_FILE_DATA},
        {"结果", ID_ANALYSIS_START},  // 分析与结果 comes before 文本结果文件; its first item opens a submenu
        {"没有这个菜单", 0},
    };
    for (const auto& c : cases) {
        HMENU found = CMainFrame::FindSubMenuByText(bar, c.text);
        if (!c.firstCommand) {
            EXPECT_EQ(found, nullptr) << c.text;
            continue;
        }
        ASSERT_NE(found, nullptr) << c.text;
        std::vector<UINT> commands;
        CollectCommands(found, commands);
        ASSERT_FALSE(commands.empty()) << c.text;
        EXPECT_EQ(commands.front(), c.firstCommand) << c.text;
    }
    EXPECT_EQ(CMainFrame::FindSubMenuByText(bar, "结果"), ::GetSubMenu(bar, 7));
}

TEST_F(FrameCommandTest, DropDownButtonsDropTheirSubmenuUnderTheButton)
{
    frame = OpenFrame();
    ASSERT_NE(frame, nullptr);
    const HMENU bar = frame->GetMenu()->m_hMenu;
    auto dropped = [&](const std::function<void()>& act) {
        HMENU seen = nullptr;
        bool closed = false;
        std::function<void()> watch = [&] {
            if (HMENU open = OpenPopupMenu()) {
                seen = open;
                ::EndMenu();
                closed = true;
            } else {
                RunSoon(watch);
            }
        };
        RunSoon(watch);
        act();
        EXPECT_TRUE(PumpUntil([&] { return closed; }));
        CancelSoon();
        Drain();
        return seen;
    };
    // 导出, clicked as the user clicks it.
    CToolBarXP& common = frame->GetToolBar(0);
    CRect r;
    common.GetItemRect(common.CommandToIndex(ID_DROP_EXPORT), &r);
    common.ClientToScreen(&r);
    EXPECT_EQ(dropped([&] {
                  vektest::MouseTo(r.left + 5, r.CenterPoint().y);
                  vektest::MouseButton(true);
                  vektest::MouseButton(false);
              }),
              CMainFrame::FindSubMenuByText(bar, "导出"));
    // The arrows' commands, and the other buttons'.
    const struct {
        UINT command;
        const char* submenu;
    } cases[] = {{ID_DROP_ANALYSIS_ARROW, "计算与分析"},
                 {ID_DROP_JOINT, "钢管结构节点承载力"},
                 {ID_DROP_STEEL_ARROW, "钢结构校核"},
                 {ID_DROP_SPECIAL_VIEW_ARROW, "特殊视角"}};
    for (const auto& c : cases)
        EXPECT_EQ(dropped([&] { frame->PostMessage(WM_COMMAND, c.command); }),
                  CMainFrame::FindSubMenuByText(bar, c.submenu))
            << c.command;
}

TEST_F(FrameCommandTest, LibraryDialogsEndTheOperationsAndMarkTheDocumentOnOk)
{
    frame = OpenFrame();
    ASSERT_NE(frame, nullptr);
    const struct {
        UINT command;
        int answer;
        bool endsOperations, marks;
    } cases[] = {{ID_LIB_MATERIALS, IDOK, true, true},
                 {ID_LIB_STEEL_SECTIONS, IDCANCEL, true, false},
                 {ID_LIB_VARIABLE_SECTIONS, IDOK, true, true},
                 {ID_LIB_SPRINGS, IDOK, false, true}};
    for (const auto& c : cases) {
        ResetHooks();
        Hooks().libraryAnswer = c.answer;
        frame->SendMessage(WM_COMMAND, c.command);
        ASSERT_EQ(Hooks().libraryRuns, std::vector<UINT>{c.command});
        EXPECT_EQ(Hooks().Called("EndAllOperations"), c.endsOperations) << c.command;
        EXPECT_EQ(Hooks().Called("MarkModifiedAndRedraw"), c.marks) << c.command;
    }
    // Without the dialog the command is not offered.
    ResetHooks();
    Hooks().libraryDialogs = false;
    InitPopup(frame, CMainFrame::FindSubMenuByText(frame->GetMenu()->m_hMenu, "参数"));
    EXPECT_TRUE(Greyed(ID_LIB_SECTIONS));
}

TEST_F(FrameCommandTest, EscapeFromTheShortcutMenuEndsARunningOperation)
{
    frame = OpenFrame();
    ASSERT_NE(frame, nullptr);
    frame->SendMessage(WM_COMMAND, ID_END_OPERATION);
    EXPECT_FALSE(Hooks().Called("EndCurrentOperation")) << "nothing runs";
    Hooks().operationRunning = true;
    frame->SendMessage(WM_COMMAND, ID_END_OPERATION);
    EXPECT_TRUE(Hooks().Called("EndCurrentOperation"));
}

TEST_F(FrameCommandTest, TheFrameReadsItsSettingsWhenMadeAndSavesThemInOrderWhenClosed)
{
    ::WritePrivateProfileStringA("Settings", "PMTOPENGL", "0", ProfilePath().c_str());
    frame = OpenFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(Hooks().CallsAmong({"CreateFrameDockingBar", "DockFrameDockingBar", "CreatePromptBarAndLeftPanel",
                                  "LoadDrawingColours", "LoadRunManagerSettings", "LoadDisplaySettings",
                                  "LoadAnalysisOptions", "LoadModelessDialogPositions"}),
              (std::vector<std::string>{"CreateFrameDockingBar", "DockFrameDockingBar", "CreatePromptBarAndLeftPanel",
                                        "LoadDrawingColours", "LoadRunManagerSettings", "LoadDisplaySettings",
                                        "LoadAnalysisOptions", "LoadModelessDialogPositions"}));
    ResetHooks();
    CloseFrame();
    frame = nullptr;
    EXPECT_EQ(Hooks().CallsAmong({"SaveDrawingColours", "SaveRunManagerSettings", "SaveDisplaySettings",
                                  "SaveAnalysisOptions", "ClearModelOnClose", "SaveAndCloseModelessDialogs",
                                  "CloseDockingBarDialogs"}),
              (std::vector<std::string>{"SaveDrawingColours", "SaveRunManagerSettings", "SaveDisplaySettings",
                                        "SaveAnalysisOptions", "ClearModelOnClose", "SaveAndCloseModelessDialogs",
                                        "CloseDockingBarDialogs"}));
    const std::string ini = ProfilePath();
    EXPECT_EQ(::GetPrivateProfileIntA("Settings", "PMTOPENGL", 7, ini.c_str()), 0u) << "kept as it was read";
    char value[64] = {};
    EXPECT_GT(::GetPrivateProfileStringA("Settings", "WindowPos", "", value, sizeof value, ini.c_str()), 0u);
    EXPECT_GT(::GetPrivateProfileIntA("TBstate-Bar219", "Visible", -1, ini.c_str()), 0u);
}

TEST_F(FrameCommandTest, AFrameWithoutItsDockingBarIsNotMade)
{
    Hooks().dockingBarMade = false;
    EXPECT_EQ(OpenFrame(), nullptr);
    EXPECT_EQ(theFrameTestApp.m_pMainWnd, nullptr);
}
