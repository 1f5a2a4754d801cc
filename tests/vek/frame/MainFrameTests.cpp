// The main frame as the user meets it: its menus, toolbars and selectors in
// both program modes, its placement and bar layout across a restart, the
// toolbar menu of a right click, and the selectors' contents.
#include <gtest/gtest.h>

#include "FrameTestApp.h"
#include "resource.h"
#include "tests/support/WinInput.h"
#include "tests/support/WinTestSupport.h"
#include "vek/model/ProjectGlobals.h"
#include "vek/model/LayerList.h"

using namespace frametest;

namespace {

const std::vector<std::string> kModellerMenus = {"文件(&F)", "参数(&D)", "自动剖分(&M)", "几何(&G)",
                                                 "属性(&P)", "荷载(&L)", "编辑(&E)",     "分析与结果(&A)",
                                                 "显示(&O)", "查看(&V)", "帮助(&H)"};
const std::vector<std::string> kViewerMenus = {"文件(&F)", "参数(&D)", "几何(&G)", "分析与结果(&A)",
                                               "显示(&O)", "查看(&V)", "帮助(&H)"};

class MainFrameTest : public FrameTest {
protected:
    CToolBarXP& Bar(UINT id) { return *static_cast<CToolBarXP*>(frame->GetControlBar(id)); }
    std::vector<std::string> MenuBar() const { return ItemTexts(frame->GetMenu()->m_hMenu); }
};

// Button commands of a toolbar, its embedded controls' separators included.
std::vector<UINT> Buttons(CToolBar& bar)
{
    std::vector<UINT> out;
    for (int i = 0; i < bar.GetCount(); ++i) {
        TBBUTTON b{};
        bar.SendMessage(TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&b));
        out.push_back(static_cast<UINT>(b.idCommand));
    }
    return out;
}

int Pictures(CToolBar& bar)
{
    return ImageList_GetImageCount(reinterpret_cast<HIMAGELIST>(bar.SendMessage(TB_GETIMAGELIST)));
}

int Buttonlike(CToolBar& bar)
{
    int n = 0;
    for (int i = 0; i < bar.GetCount(); ++i) n += !(bar.GetButtonStyle(i) & TBSTYLE_SEP);
    return n;
}

std::string ComboText(CComboBox& combo, int i)
{
    CString s;
    combo.GetLBText(i, s);
    return s.GetString();
}

}  // namespace

TEST_F(MainFrameTest, TheModellerHasElevenMenusAndNineTitledToolbars)
{
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(MenuBar(), kModellerMenus);
    for (int i = 0; i < CMainFrame::kToolBarCount; ++i) {
        const UINT id = CMainFrame::kToolBarIds[i];
        CControlBar* bar = frame->GetControlBar(id);
        ASSERT_NE(bar, nullptr) << id;
        EXPECT_EQ(bar, &frame->GetToolBar(i)) << "member order";
        EXPECT_TRUE(bar->IsWindowVisible()) << id;
        CString title;
        bar->GetWindowText(title);
        EXPECT_STREQ(title, CMainFrame::kToolBarTitles[i]);
        // One picture of our own per button, as many as the bar has buttons.
        CToolBarXP& tb = frame->GetToolBar(i);
        EXPECT_GT(Buttonlike(tb), 10) << id;
        EXPECT_EQ(Pictures(tb), Buttonlike(tb)) << id;
    }
    EXPECT_STREQ(CMainFrame::kToolBarTitles[0], "常用工具栏");
    EXPECT_EQ(frame->GetMessageBar(), nullptr) << "no status bar";
}

TEST_F(MainFrameTest, ToolbarsDockInOneRowAfterEachOtherAndTheLoadBarStartsTheLeftSide)
{
    ASSERT_NE(Open(), nullptr);
    // 常用 .. 结果处理 in one top row, in member order; 荷载, then 查看 and 编辑 after it, on the left.
    const int row = frame->GetToolBar(0).m_nRow;
    for (int i = 0; i < 6; ++i) {
        CToolBarXP& bar = frame->GetToolBar(i);
        EXPECT_EQ(bar.m_nDockSide, CBRS_ALIGN_TOP) << i;
        EXPECT_EQ(bar.m_nRow, row) << i;
        if (i > 0) {
            EXPECT_GT(bar.m_nRowPos, frame->GetToolBar(i - 1).m_nRowPos) << i;
        }
    }
    for (int i = 6; i < 9; ++i) {
        CToolBarXP& bar = frame->GetToolBar(i);
        EXPECT_EQ(bar.m_nDockSide, CBRS_ALIGN_LEFT) << i;
        if (i > 6) {
            EXPECT_EQ(bar.m_nRow, frame->GetToolBar(6).m_nRow) << i;
            EXPECT_GT(bar.m_nRowPos, frame->GetToolBar(i - 1).m_nRowPos) << i;
        }
    }
    // Every bar lies wholly inside the frame's client area, clear of the view.
    CRect client, view;
    frame->GetClientRect(&client);
    frame->GetActiveView()->GetWindowRect(&view);
    frame->ScreenToClient(&view);
    for (int i = 0; i < 9; ++i) {
        CRect r;
        frame->GetToolBar(i).GetWindowRect(&r);
        frame->ScreenToClient(&r);
        EXPECT_GE(r.left, client.left) << i;
        EXPECT_LE(r.right, client.right) << i;
        EXPECT_LE(r.bottom, client.bottom) << i;
        CRect meet;
        EXPECT_FALSE(meet.IntersectRect(&r, &view)) << i;
    }
    // The drop-down buttons.
    const struct {
        UINT bar, button;
    } drops[] = {{IDR_TOOLBAR_DISPLAY, ID_DROP_SPECIAL_VIEW},
                 {IDR_TOOLBAR_COMMON, ID_DROP_EXPORT},
                 {IDR_TOOLBAR_RESULT, ID_ANALYSIS_START},
                 {IDR_TOOLBAR_RESULT, ID_DROP_JOINT},
                 {IDR_TOOLBAR_RESULT, ID_DROP_STEEL}};
    for (const auto& d : drops) {
        CToolBarXP& bar = Bar(d.bar);
        const int index = bar.CommandToIndex(d.button);
        ASSERT_GE(index, 0) << d.button;
        EXPECT_TRUE(bar.GetButtonStyle(index) & TBSTYLE_DROPDOWN) << d.button;
    }
}

TEST_F(MainFrameTest, SelectorsSitInTheirToolbarsEmptyAndDisabledWithoutResults)
{
    ASSERT_NE(Open(), nullptr);
    CToolBarXP& results = Bar(IDR_TOOLBAR_RESULT);
    const std::vector<UINT> ids = Buttons(results);
    const size_t n = ids.size();
    ASSERT_GT(n, 10u);
    // In command order, in front of the last two buttons.
    for (int i = 0; i < 8; ++i) EXPECT_EQ(ids[n - 10 + i], static_cast<UINT>(ID_RESULT_COMBO_FIRST + i)) << i;
    EXPECT_EQ(ids[n - 2], static_cast<UINT>(ID_RESULT_PLAY));
    EXPECT_EQ(ids[n - 1], static_cast<UINT>(ID_RESULT_STOP));
    for (int i = 0; i < 8; ++i) {
        CComboBoxXP& combo = frame->GetResultCombo(i);
        EXPECT_EQ(combo.GetCount(), 0) << i;
        EXPECT_FALSE(combo.IsWindowEnabled()) << i;
        EXPECT_EQ(combo.GetDroppedWidth(), 150) << i;
        CRect r;
        combo.GetWindowRect(&r);
        EXPECT_EQ(r.Width(), 50) << i;
        EXPECT_TRUE(combo.GetStyle() & CBS_DROPDOWNLIST) << i;
        EXPECT_EQ(::GetParent(combo.m_hWnd), results.m_hWnd);
    }
    // The layer selector directly after 图层控制, filled at once.
    CToolBarXP& display = Bar(IDR_TOOLBAR_DISPLAY);
    EXPECT_EQ(display.CommandToIndex(ID_LAYER_COMBO), display.CommandToIndex(ID_DISP_LAYERS) + 1);
    CComboBoxXP& layers = frame->GetLayerCombo();
    CRect r;
    layers.GetWindowRect(&r);
    EXPECT_EQ(r.Width(), 80);
    EXPECT_EQ(layers.GetDroppedWidth(), 150);
    ASSERT_EQ(layers.GetCount(), 1);
    EXPECT_EQ(ComboText(layers, 0), "固定图层");
    EXPECT_EQ(layers.GetCurSel(), 0);
}

TEST_F(MainFrameTest, TheResultViewerHasSevenMenusAndHidesFourToolbars)
{
    bModellerMode = 0;
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(MenuBar(), kViewerMenus);
    for (UINT id : {IDR_TOOLBAR_PROPERTY, IDR_TOOLBAR_LOAD, IDR_TOOLBAR_EDIT, IDR_TOOLBAR_GENERATE})
        EXPECT_FALSE(frame->GetControlBar(id)->IsWindowVisible()) << id;
    for (UINT id : {IDR_TOOLBAR_COMMON, IDR_TOOLBAR_MESH, IDR_TOOLBAR_DISPLAY, IDR_TOOLBAR_RESULT, IDR_TOOLBAR_INSPECT})
        EXPECT_TRUE(frame->GetControlBar(id)->IsWindowVisible()) << id;
}

TEST_F(MainFrameTest, PlacementAndAHiddenToolbarSurviveARestart)
{
    // First run: no placement saved, the frame comes up maximised.
    ASSERT_NE(Open(), nullptr);
    EXPECT_TRUE(frame->IsZoomed());
    // The user restores it to a place of his own and hides a toolbar from its menu.
    WINDOWPLACEMENT mine{};
    mine.length = sizeof mine;
    ASSERT_TRUE(frame->GetWindowPlacement(&mine));
    mine.flags = 0;
    mine.showCmd = SW_SHOWNORMAL;
    mine.rcNormalPosition = {60, 70, 900, 700};
    ASSERT_TRUE(frame->SetWindowPlacement(&mine));
    frame->SendMessage(WM_COMMAND, IDR_TOOLBAR_MESH);
    EXPECT_FALSE(Bar(IDR_TOOLBAR_MESH).IsWindowVisible());
    CloseFrame();

    char saved[256] = {};
    ::GetPrivateProfileStringA("Settings", "WindowPos", "", saved, sizeof saved, ProfilePath().c_str());
    unsigned flags = 9, show = 9;
    int v[8] = {};
    ASSERT_EQ(std::sscanf(saved, "%u,%u,%d,%d,%d,%d,%d,%d,%d,%d", &flags, &show, &v[0], &v[1], &v[2], &v[3], &v[4],
                          &v[5], &v[6], &v[7]),
              10)
        << saved;
    EXPECT_EQ(show, static_cast<unsigned>(SW_SHOWNORMAL));
    EXPECT_EQ(v[4], 60);
    EXPECT_EQ(v[7], 700);

    ASSERT_NE(Open(), nullptr);
    EXPECT_FALSE(frame->IsZoomed());
    WINDOWPLACEMENT now{};
    now.length = sizeof now;
    ASSERT_TRUE(frame->GetWindowPlacement(&now));
    EXPECT_EQ(now.showCmd, static_cast<UINT>(SW_SHOWNORMAL));
    EXPECT_EQ(CRect(now.rcNormalPosition), CRect(60, 70, 900, 700));
    EXPECT_FALSE(Bar(IDR_TOOLBAR_MESH).IsWindowVisible());
    EXPECT_TRUE(Bar(IDR_TOOLBAR_COMMON).IsWindowVisible());
    EXPECT_TRUE(Bar(IDR_TOOLBAR_GENERATE).IsWindowVisible());
    frame->SendMessage(WM_COMMAND, IDR_TOOLBAR_MESH);  // back for the tests after this one
}

TEST_F(MainFrameTest, WindowPosValuesThatAreNotTenNumbersGiveTheMaximisedDefault)
{
    ASSERT_NE(Open(), nullptr);
    const CRect fallback(-4, -4, ::GetSystemMetrics(SM_CXMAXIMIZED) + 4, ::GetSystemMetrics(SM_CYMAXIMIZED) + 4);
    const struct {
        const char* value;
        UINT flags, show;
        CRect normal;
    } cases[] = {
        {"", WPF_RESTORETOMAXIMIZED, SW_SHOWMAXIMIZED, fallback},
        {"0,1,0,0,0,0,10,20,500", WPF_RESTORETOMAXIMIZED, SW_SHOWMAXIMIZED, fallback},
        {"窗口", WPF_RESTORETOMAXIMIZED, SW_SHOWMAXIMIZED, fallback},
        {"0,1,-1,-1,-1,-1,10,20,500,400", 0, SW_SHOWNORMAL, CRect(10, 20, 500, 400)},
        {"2,3,-1,-1,-1,-1,10,20,500,400", WPF_RESTORETOMAXIMIZED, SW_SHOWMAXIMIZED, CRect(10, 20, 500, 400)},
        // Closed while minimised: back as it would be restored.
        {"0,2,-1,-1,-1,-1,10,20,500,400", 0, SW_SHOWNORMAL, CRect(10, 20, 500, 400)},
        {"2,2,-1,-1,-1,-1,10,20,500,400", WPF_RESTORETOMAXIMIZED, SW_SHOWMAXIMIZED, CRect(10, 20, 500, 400)},
        {"0,0,-1,-1,-1,-1,10,20,500,400", 0, SW_SHOWNORMAL, CRect(10, 20, 500, 400)},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(theFrameTestApp.WriteProfileString("Settings", "WindowPos", c.value));
        WINDOWPLACEMENT wp;
        CMainFrame::ReadWindowPlacement(&wp);
        EXPECT_EQ(wp.length, sizeof wp) << c.value;
        EXPECT_EQ(wp.flags, c.flags) << c.value;
        EXPECT_EQ(wp.showCmd, c.show) << c.value;
        EXPECT_EQ(CRect(wp.rcNormalPosition), c.normal) << c.value;
        if (c.normal == fallback) {
            EXPECT_EQ(wp.ptMinPosition.x, -1);
            EXPECT_EQ(wp.ptMaxPosition.y, -1);
        }
    }
}

TEST_F(MainFrameTest, ARightClickOnAToolbarOrTheMenuBarOpensTheToolbarMenu)
{
    ASSERT_NE(Open(), nullptr);
    const HMENU toolbars = CMainFrame::FindSubMenuByText(frame->GetMenu()->m_hMenu, "工具栏");
    ASSERT_NE(toolbars, nullptr);
    struct Seen {
        HMENU menu = nullptr;
        UINT meshState = 0;
    };
    // The menu is looked at while the button is still down, then closed; the
    // button comes up afterwards.
    auto rightClickAt = [&](POINT screen) {
        Seen seen;
        bool closed = false;
        std::function<void()> watch = [&] {
            if (HMENU open = OpenPopupMenu()) {
                seen.menu = open;
                seen.meshState = ::GetMenuState(open, IDR_TOOLBAR_MESH, MF_BYCOMMAND);
                ::EndMenu();
                closed = true;
            } else {
                RunSoon(watch);
            }
        };
        RunSoon(watch);
        vektest::MouseTo(screen.x, screen.y);
        vektest::MouseRightButton(true);
        EXPECT_TRUE(PumpUntil([&] { return closed; }));
        CancelSoon();
        vektest::MouseRightButton(false);
        Drain();
        return seen;
    };

    // On the gripper of 属性工具栏.
    CRect bar;
    Bar(IDR_TOOLBAR_PROPERTY).GetWindowRect(&bar);
    Seen seen = rightClickAt({bar.left + 3, bar.top + bar.Height() / 2});
    EXPECT_EQ(seen.menu, toolbars);
    EXPECT_TRUE(seen.meshState & MF_CHECKED) << "shown toolbars are checked";
    EXPECT_FALSE(seen.meshState & MF_GRAYED);

    // On the menu bar.
    RECT item{};
    ASSERT_TRUE(::GetMenuItemRect(frame->m_hWnd, frame->GetMenu()->m_hMenu, 3, &item));
    seen = rightClickAt({(item.left + item.right) / 2, (item.top + item.bottom) / 2});
    EXPECT_EQ(seen.menu, toolbars);

    // A hidden toolbar shows unchecked.
    frame->SendMessage(WM_COMMAND, IDR_TOOLBAR_MESH);
    Bar(IDR_TOOLBAR_PROPERTY).GetWindowRect(&bar);
    seen = rightClickAt({bar.left + 3, bar.top + bar.Height() / 2});
    EXPECT_FALSE(seen.meshState & MF_CHECKED);
    frame->SendMessage(WM_COMMAND, IDR_TOOLBAR_MESH);
}

TEST_F(MainFrameTest, ResultSelectorsListTheirItemsAndTheCurrentOne)
{
    ASSERT_NE(Open(), nullptr);
    CMainFrame::ResultSelectorState state{};
    state.count[0] = 3;  // load cases
    state.current[0] = 2;
    state.count[6] = 4;  // two force combinations, two buckling modes each
    state.current[6] = 4;
    state.count[3] = 5;    // modes
    state.current[3] = 6;  // not one of them
    state.count[7] = 0;
    state.current[7] = 1;
    frame->FillResultSelectors(state);

    CComboBoxXP& cases = frame->GetResultCombo(0);
    ASSERT_EQ(cases.GetCount(), 3);
    EXPECT_EQ(ComboText(cases, 0), "种1  [当前荷载种类]");
    EXPECT_EQ(ComboText(cases, 1), "种2");
    EXPECT_EQ(ComboText(cases, 2), "种3");
    EXPECT_EQ(cases.GetCurSel(), 1);
    EXPECT_TRUE(cases.IsWindowEnabled());

    CComboBoxXP& buckling = frame->GetResultCombo(6);
    ASSERT_EQ(buckling.GetCount(), 4);
    EXPECT_EQ(ComboText(buckling, 0), "1-1  [当前失稳模态]");
    EXPECT_EQ(ComboText(buckling, 1), "1-2");
    EXPECT_EQ(ComboText(buckling, 2), "2-1");
    EXPECT_EQ(ComboText(buckling, 3), "2-2");
    EXPECT_EQ(buckling.GetCurSel(), 3);

    CComboBoxXP& modes = frame->GetResultCombo(3);
    EXPECT_EQ(ComboText(modes, 4), "周5");
    EXPECT_EQ(modes.GetCurSel(), -1) << "a current value past the items selects none";
    EXPECT_FALSE(frame->GetResultCombo(7).IsWindowEnabled());
    EXPECT_EQ(frame->GetResultCombo(7).GetCount(), 0);

    // Refilled from the loaded results.
    Hooks().resultCount[1] = 2;
    Hooks().resultCurrent[1] = 1;
    frame->FillResultSelectors();
    EXPECT_EQ(cases.GetCount(), 0) << "the results have no load cases now";
    EXPECT_FALSE(cases.IsWindowEnabled());
    ASSERT_EQ(frame->GetResultCombo(1).GetCount(), 2);
    EXPECT_EQ(ComboText(frame->GetResultCombo(1), 0), "力1  [当前内力组合]");
    EXPECT_EQ(frame->GetResultCombo(1).GetCurSel(), 0);

    // The load case follows the model's current one.
    Hooks().resultCount[0] = 3;
    frame->FillResultSelectors();
    for (const auto& [current, selected] : {std::pair{3, 2}, {1, 0}, {4, -1}, {0, -1}}) {
        Hooks().resultCurrent[0] = current;
        frame->UpdateLoadCaseCombo();
        EXPECT_EQ(cases.GetCurSel(), selected) << current;
    }
}

TEST_F(MainFrameTest, ChoosingInASelectorSetsTheCurrentValue)
{
    Hooks().resultCount[0] = 3;
    Hooks().resultCurrent[0] = 1;
    ASSERT_NE(Open(), nullptr);
    CComboBoxXP& cases = frame->GetResultCombo(0);
    ASSERT_EQ(cases.GetCount(), 3);
    // The keyboard, as the user's: the next load case.
    cases.SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == cases.m_hWnd; }));
    vektest::Tap(VK_DOWN);
    ASSERT_TRUE(PumpUntil([&] { return !Hooks().resultChoices.empty(); }));
    EXPECT_EQ(Hooks().resultChoices.back(), std::make_pair(0, 2));
    EXPECT_EQ(cases.GetCurSel(), 1);
}

TEST_F(MainFrameTest, TheLayerSelectorKeepsTheCurrentLayerAmongItsItems)
{
    // Layers as a loaded project would have them.
    class Layers : public CLayerList {
    public:
        void Add(const char* name) { m_layers.emplace_back(name, 'Y', 0xFF); }
    } three;
    three.Add("梁");
    three.Add("柱");
    three.SetCurrent(2);
    theLayers = three;
    ASSERT_NE(Open(), nullptr);
    CComboBoxXP& combo = frame->GetLayerCombo();
    ASSERT_EQ(combo.GetCount(), 3);
    EXPECT_EQ(ComboText(combo, 1), "梁");
    EXPECT_EQ(combo.GetCurSel(), 2);

    // The last layers deleted elsewhere: the current one moves to the new last.
    theLayers.Reset();
    theLayers.SetCurrent(2);
    frame->FillLayerCombo();
    EXPECT_EQ(combo.GetCount(), 1);
    EXPECT_EQ(theLayers.GetCurrent(), 0);
    EXPECT_EQ(combo.GetCurSel(), 0);

    // A current layer inside the list stays.
    theLayers = three;
    theLayers.SetCurrent(1);
    frame->FillLayerCombo();
    EXPECT_EQ(theLayers.GetCurrent(), 1);
    EXPECT_EQ(combo.GetCurSel(), 1);

    // Choosing a layer makes it current and moves the selection there.
    combo.SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == combo.m_hWnd; }));
    vektest::Tap(VK_DOWN);
    ASSERT_TRUE(PumpUntil([&] { return !Hooks().layerMoves.empty(); }));
    EXPECT_EQ(Hooks().layerMoves.back(), 2);
    EXPECT_EQ(theLayers.GetCurrent(), 2);
}
