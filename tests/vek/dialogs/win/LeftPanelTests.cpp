// The left panel in the program's frame: its texts, the typed load case, the
// generation and arc lists that follow the running operation, the storey
// list, the width and dragging, driven by keys and clicks.
#include <gtest/gtest.h>

#include "DialogTestUtil.h"
#include "vek/dialogs/LeftDlg.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/res/LeftPanelRes.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/operate/OperationStack.h"
#include "vek/view/operate/OsnapState.h"

using namespace dlgtest;

namespace {

class LeftPanelWin : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(Frame(), nullptr);
        ASSERT_NE(theLeftDlg, nullptr);
        m_dlg = theLeftDlg->m_hWnd;
        theOperationStack.EndAllOperations();
        theLevels.Reset();
        theLevelRange.Reset();
        theProjectOptions.nCurrentCommand = 0;
        theProjectOptions.nGenerateMethod = 1;
        theProjectOptions.nCurrentLoadCase = 1;
        theViewProjection.SetMode(1, 0, 0, 0);
        ::ShowWindow(m_dlg, SW_SHOWNOACTIVATE);
        Refresh();
    }
    void TearDown() override
    {
        theProjectOptions.nCurrentCommand = 0;
        theLevels.Reset();
        theLevelRange.Reset();
        theViewProjection.SetMode(1, 0, 0, 0);
        Refresh();
    }
    // What the main frame's idle time does to the panel.
    void Refresh()
    {
        theLeftDlg->ShowLayerAndPlatform();
        theLeftDlg->FillGenerateMethods(false);
        theLeftDlg->UpdateDialogControls(theLeftDlg, FALSE);
        vektest::PumpPending();
    }
    HWND Item(int id) { return ::GetDlgItem(m_dlg, id); }
    // Types into the load-case edit and leaves it for the next control.
    void EnterLoadCase(const char* text)
    {
        TypeInto(Item(IDC_LP_LOAD_CASE), text);
        ::SetFocus(Item(IDC_LP_SELECT_METHOD));
        vektest::PumpPending();
    }
    HWND m_dlg = nullptr;
};

}  // namespace

TEST_F(LeftPanelWin, WithoutStoreysTheRangeIsInvalidAndThePanelNarrows)
{
    ModelProjection().SetPlanElevation(2.5);
    Refresh();
    EXPECT_EQ(ItemText(m_dlg, IDC_LP_STOREY_RANGE), "选择层范围无效");
    EXPECT_EQ(ItemText(m_dlg, IDC_LP_PLATFORM), "F5:平台高2.5");
    EXPECT_FALSE(Enabled(m_dlg, IDC_LP_STOREY_RANGE));
    EXPECT_FALSE(Enabled(m_dlg, IDC_LP_STOREYS));
    EXPECT_EQ(::SendMessageA(Item(IDC_LP_STOREYS), CB_GETCOUNT, 0, 0), 0);
    // No generation command and no storeys: the panel ends beside the F5 button.
    EXPECT_FALSE(theLeftDlg->IsWide());
    RECT panel, f5;
    // From wide to narrow.
    theProjectOptions.nCurrentCommand = 80;
    Refresh();
    theProjectOptions.nCurrentCommand = 0;
    Refresh();
    ::GetWindowRect(m_dlg, &panel);
    ::GetWindowRect(Item(IDC_LP_PLATFORM), &f5);
    EXPECT_EQ(panel.right, f5.right + 4);
    Picture(m_dlg, "left_panel_narrow");

    // A generation command widens it again.
    theProjectOptions.nCurrentCommand = 80;
    Refresh();
    EXPECT_TRUE(theLeftDlg->IsWide());
    RECT range;
    ::GetWindowRect(m_dlg, &panel);
    ::GetWindowRect(Item(IDC_LP_STOREY_RANGE), &range);
    EXPECT_EQ(panel.right, range.right + 4);
}

TEST_F(LeftPanelWin, StoreysFillTheListAndChoosingOneByKeysMovesThePlatform)
{
    theLevels.count = 3;
    for (int i = 0; i < 3; ++i) theLevels.heights[i] = 4;
    theLevels.RecomputeElevations();
    theLevels.current = 1;
    theLevelRange.first = 1;
    theLevelRange.last = 3;
    Refresh();
    EXPECT_EQ(ItemText(m_dlg, IDC_LP_STOREY_RANGE), "选择1到3层/1");
    EXPECT_EQ(ItemText(m_dlg, IDC_LP_PLATFORM), "F5:第 1 层");
    EXPECT_TRUE(Enabled(m_dlg, IDC_LP_STOREY_RANGE));
    EXPECT_TRUE(Enabled(m_dlg, IDC_LP_STOREYS));
    const HWND storeys = Item(IDC_LP_STOREYS);
    ASSERT_EQ(::SendMessageA(storeys, CB_GETCOUNT, 0, 0), 5);
    EXPECT_EQ(EntryText(storeys, 0), "所有层(对平面工作平台无效)");
    EXPECT_EQ(Selection(storeys), 2);
    Picture(m_dlg, "left_panel_storeys");

    // Down twice: storey 3.
    KeyIn(storeys, VK_DOWN);
    KeyIn(storeys, VK_DOWN);
    EXPECT_EQ(theLevels.current, 3);
    EXPECT_DOUBLE_EQ(ModelProjection().GetPlanElevation(), 12.0);
    EXPECT_EQ(ItemText(m_dlg, IDC_LP_PLATFORM), "F5:第 3 层");
    EXPECT_EQ(Selection(Item(IDC_LP_STOREYS)), 4);

    // On an elevation the range button is off and "all storeys" shows every storey.
    theViewProjection.SetMode(2, 0, 0, 0);
    Refresh();
    EXPECT_FALSE(Enabled(m_dlg, IDC_LP_STOREY_RANGE));
    EXPECT_FALSE(Enabled(m_dlg, IDC_LP_PLATFORM));
    KeyIn(Item(IDC_LP_STOREYS), VK_HOME);
    EXPECT_EQ(theLevels.current, 3);
    for (int s = -1; s <= 3; ++s) EXPECT_TRUE(theLevels.Shown(s)) << s;
}

TEST_F(LeftPanelWin, ATypedLoadCaseOutsideTheRangeIsRefusedAndBecomesOne)
{
    const struct {
        const char* typed;
        int stored;
        bool message;
    } rows[] = {{"7", 7, false},    {"0", 1, true},          {"-1", 1, true},        {"abc", 1, true},
                {"32768", 1, true}, {"32767", 32767, false}, {"32767", 32767, false}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.typed);
        apptest::BoxRecorder boxes;
        EnterLoadCase(r.typed);
        EXPECT_EQ(theProjectOptions.nCurrentLoadCase, r.stored);
        if (r.message) {
            ASSERT_EQ(boxes.texts.size(), 1u);
            EXPECT_EQ(boxes.texts[0], "荷载种类号必须在1-32767之间!");
            EXPECT_EQ(ItemText(m_dlg, IDC_LP_LOAD_CASE), "1");
        } else {
            EXPECT_TRUE(boxes.texts.empty());
        }
    }
}

TEST_F(LeftPanelWin, TheMethodListFollowsTheOperationAndTheArcListFollowsTheMethod)
{
    const HWND methods = Item(IDC_LP_GENERATE);
    // Shell generation with "chain" remembered: back to "single".
    theProjectOptions.nGenerateMethod = 2;
    theProjectOptions.nCurrentCommand = 160;
    Refresh();
    ASSERT_EQ(::SendMessageA(methods, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(EntryText(methods, 2), "单点生成板壳");
    EXPECT_EQ(Selection(methods), 0);
    EXPECT_EQ(theProjectOptions.nGenerateMethod, 1);

    // Beams: arrows down to "圆弧生成" (entry 4) switch the arc list on.
    theProjectOptions.nCurrentCommand = 80;
    Refresh();
    ASSERT_EQ(::SendMessageA(methods, CB_GETCOUNT, 0, 0), 5);
    EXPECT_FALSE(Enabled(m_dlg, IDC_LP_ARC));
    EXPECT_EQ(theLeftDlg->GetArcMethod(), 0);
    ChooseByKeys(methods, 4);
    EXPECT_EQ(theProjectOptions.nGenerateMethod, 6);
    EXPECT_TRUE(Enabled(m_dlg, IDC_LP_ARC));
    EXPECT_EQ(theLeftDlg->GetArcMethod(), 4);  // "4.起点+终点+弧上点" from the start
    KeyIn(Item(IDC_LP_ARC), VK_UP);
    EXPECT_EQ(theLeftDlg->GetArcMethod(), 3);
    EXPECT_EQ(ModelHooks().CurrentArcMethod(), 3);
    Picture(m_dlg, "left_panel_arcs");
    // "直线生成" switches it off again.
    KeyIn(methods, VK_UP);
    KeyIn(methods, VK_UP);
    EXPECT_EQ(theProjectOptions.nGenerateMethod, 4);
    EXPECT_FALSE(Enabled(m_dlg, IDC_LP_ARC));

    // No generation command: the list is off, the arc list only while boundaries are drawn.
    theProjectOptions.nCurrentCommand = 0;
    Refresh();
    EXPECT_FALSE(Enabled(m_dlg, IDC_LP_GENERATE));
    EXPECT_FALSE(Enabled(m_dlg, IDC_LP_ARC));
    theProjectOptions.nCurrentCommand = 806;
    Refresh();
    EXPECT_TRUE(Enabled(m_dlg, IDC_LP_ARC));
}

TEST_F(LeftPanelWin, WindowAndArcGenerationAreRefusedOnTheFree3DPlatform)
{
    theViewProjection.SetMode(3, 0, 0, 0);
    theProjectOptions.nCurrentCommand = 81;
    Refresh();
    apptest::BoxRecorder boxes;
    ChooseByKeys(Item(IDC_LP_GENERATE), 1);  // 窗口生成
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], "立体工作平台下不能使用这种生成方式！");
    EXPECT_EQ(theProjectOptions.nGenerateMethod, 1);
    EXPECT_EQ(EntryText(Item(IDC_LP_GENERATE), Selection(Item(IDC_LP_GENERATE))), "单一生成");
    Picture(m_dlg, "left_panel_3d");
}

TEST_F(LeftPanelWin, SnapSelectionAndScreenPointControlsWriteTheirSwitches)
{
    theOsnapState.SetMaster(true);
    Refresh();
    EXPECT_EQ(::SendMessageA(Item(IDC_LP_SNAP_ON), BM_GETCHECK, 0, 0), BST_CHECKED);
    Click(m_dlg, IDC_LP_SNAP_ON);
    EXPECT_FALSE(theOsnapState.IsOn(COsnapState::kMaster));
    theProjectOptions.nPickOption = 0;
    Click(m_dlg, IDC_LP_SCREEN_POINTS);
    EXPECT_EQ(theProjectOptions.nPickOption, 1);
    Click(m_dlg, IDC_LP_SCREEN_POINTS);
    EXPECT_EQ(theProjectOptions.nPickOption, 0);
    ChooseByKeys(Item(IDC_LP_SELECT_METHOD), 2);
    EXPECT_EQ(theProjectOptions.nSelectMethod, 2);
    theProjectOptions.nSelectMethod = 9;
    theLeftDlg->ShowSelectMethod();
    EXPECT_EQ(theProjectOptions.nSelectMethod, 0);
    EXPECT_EQ(ItemText(m_dlg, IDC_LP_SNAP_MODES), theOsnapState.GetStatusText());
    theOsnapState.SetMaster(true);
}

TEST_F(LeftPanelWin, FreeSpotsDragThePanelAndEnabledControlsDoNot)
{
    RECT panel, range;
    theProjectOptions.nCurrentCommand = 80;
    Refresh();
    ::GetWindowRect(m_dlg, &panel);
    ::GetWindowRect(Item(IDC_LP_GENERATE), &range);
    const LPARAM free = MAKELPARAM(panel.right - 3, panel.bottom - 3);
    const LPARAM onList = MAKELPARAM((range.left + range.right) / 2, (range.top + range.bottom) / 2);
    EXPECT_EQ(::SendMessageA(m_dlg, WM_NCHITTEST, 0, free), HTCAPTION);
    EXPECT_EQ(::SendMessageA(m_dlg, WM_NCHITTEST, 0, onList), HTCLIENT);
    theProjectOptions.nCurrentCommand = 0;
    Refresh();
    EXPECT_EQ(::SendMessageA(m_dlg, WM_NCHITTEST, 0, onList), HTCAPTION);  // the list is off
    // The program's drag cursor is there.
    EXPECT_NE(::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDC_LP_DRAG_CURSOR)), nullptr);
}
