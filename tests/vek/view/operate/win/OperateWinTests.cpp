// The prompt bar, the view's input and the layer, storey and snap dialogs,
// driven by the messages a user's clicks and keys send.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/WinTestSupport.h"
#include "tests/vek/model/ModelTestSupport.h"
#include "tests/vek/view/operate/win/OperateWin.h"
#include "vek/model/LayerList.h"
#include "vek/model/axisgrid/AxisGrid.h"
#include "vek/model/display/DisplayOptions.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/res/InteractRes.h"
#include "vek/res/resource.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/operate/OperationStack.h"
#include "vek/view/operate/OsnapState.h"
#include "vek/view/operate/SelectFilter.h"
#include "vek/view/operate/SingleOperate.h"
#include "vek/view/operate/ViewCommands.h"
#include "vek/view/win/BottomDlg.h"
#include "vek/view/win/LayerDlg.h"
#include "vek/view/win/VekViewInput.h"

using namespace optest;
using vektest::PumpPending;
using vektest::PumpUntil;
using vektest::RunSoon;

namespace {

std::vector<std::vector<Point3>>& Calls()
{
    static std::vector<std::vector<Point3>> calls;
    return calls;
}
void Record(CSingleOperate* op)
{
    Calls().push_back(op->m_points);
}

std::string TextOf(HWND w)
{
    char text[512] = {};
    ::SendMessageA(w, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

HWND BarItem(int id)
{
    return ::GetDlgItem(theBottomDlg->m_hWnd, id);
}

void Type(HWND w, const char* keys)
{
    for (const char* k = keys; *k; ++k) ::SendMessageA(w, WM_CHAR, static_cast<unsigned char>(*k), 1);
    PumpPending();
}

CDialog* ActiveModal()
{
    return CDialog::GetActiveModal();
}

// Runs fn once the dialog is up, inside its modal loop.
void WhenModal(std::function<void(CDialog*)> fn)
{
    RunSoon([fn] {
        PumpUntil([] { return ActiveModal() && ActiveModal()->m_hWnd && ::IsWindowVisible(ActiveModal()->m_hWnd); });
        fn(ActiveModal());
    });
}

class WinTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(Frame(), nullptr);
        ASSERT_NE(theBottomDlg, nullptr);
        theOperationStack.EndAllOperations();
        theSelectFilter.Clear();
        Calls().clear();
        theProjectOptions.nSelectMethod = 0;
        theProjectOptions.nCurrentCommand = 0;
        m_flashes.clear();
        thePromptBarLinks.flashPrompt = [](const char* text, int ms) {
            m_flashes.push_back(std::string(text) + "/" + std::to_string(ms));
        };
    }
    void TearDown() override
    {
        theOperationStack.EndAllOperations();
        PumpPending();
    }
    static std::vector<std::string> m_flashes;
};
std::vector<std::string> WinTest::m_flashes;

// The program's model view, in plan on the box (0,0)-(10,10).
class ViewTest : public WinTest {
protected:
    void SetUp() override
    {
        WinTest::SetUp();
        m_view = Frame()->GetActiveView();
        ASSERT_NE(m_view, nullptr);
        VekViewInput::BindView(m_view);
        CRect r;
        m_view->GetClientRect(&r);
        theViewProjection.SetScreenRect(0, 0, r.Width(), r.Height());
        theViewProjection.SetMode(1, 0, 0, 0);
        theViewProjection.SetDefaultView();
        const double hi[3] = {10, 10, 0}, lo[3] = {0, 0, 0};
        theViewProjection.SetExtent(hi, lo);
        theViewProjection.ZoomExtents(0, 0, 1);
        PumpPending();
    }
    static POINT Pixel(double x, double y)
    {
        const double p[3] = {x, y, 0};
        int sx, sy;
        theViewProjection.WorldToScreenInt(p, sx, sy);
        return POINT{sx, sy};
    }
    void Mouse(UINT message, POINT p, WPARAM keys = 0)
    {
        m_view->PostMessage(message, keys, MAKELPARAM(p.x, p.y));
        PumpPending();
    }
    void Drag(POINT a, POINT b)
    {
        Mouse(WM_LBUTTONDOWN, a, MK_LBUTTON);
        Mouse(WM_MOUSEMOVE, POINT{(a.x + b.x) / 2, (a.y + b.y) / 2}, MK_LBUTTON);
        Mouse(WM_MOUSEMOVE, b, MK_LBUTTON);
        Mouse(WM_LBUTTONUP, b);
    }
    static void SetShift(bool down)
    {
        BYTE keys[256];
        ::GetKeyboardState(keys);
        keys[VK_SHIFT] = down ? 0x80 : 0;
        ::SetKeyboardState(keys);
    }
    CWnd* m_view = nullptr;
};

}  // namespace

TEST_F(WinTest, TheBarShowsTheRunningOperationAndTakesTypedPoints)
{
    EXPECT_EQ(TextOf(BarItem(IDC_BAR_PROMPT)),
              "通过菜单、热键和按钮等方式进行各种操作，操作过程中按ESC或右键快捷菜单可以退出");
    auto* op = new CSingleOperate;
    op->SetPickPoints(53, Record, 2, 1);
    theBottomDlg->BeginOperation(op, 0, 1, 0);
    EXPECT_EQ(TextOf(BarItem(IDC_BAR_PROMPT)), "请捕捉一个点。按#可以输入绝对坐标:");
    const HWND edit = BarItem(IDC_BAR_INPUT);
    EXPECT_FALSE(::GetWindowLongA(edit, GWL_STYLE) & ES_READONLY);

    Type(edit, "#");
    EXPECT_EQ(TextOf(BarItem(IDC_BAR_PROMPT)), "输入绝对坐标(格式为[C=]X Y 或 O=R A):");
    EXPECT_EQ(::GetCapture(), theBottomDlg->m_hWnd);
    Type(edit, "3 -4\r");
    EXPECT_NE(::GetCapture(), theBottomDlg->m_hWnd);
    ASSERT_EQ(theOperationStack.GetCurrentOperation()->PointCount(), 1);
    EXPECT_EQ(theOperationStack.GetCurrentOperation()->m_points[0], (Point3{3, -4, 0}));
    EXPECT_EQ(TextOf(BarItem(IDC_BAR_PROMPT)), "请捕捉剩余的1个点。按#、@可分别输入绝对和相对坐标:");

    // Relative input after '@'; the callback gets both points.
    Type(edit, "@1 1\r");
    ASSERT_EQ(Calls().size(), 1u);
    EXPECT_EQ(Calls()[0][1], (Point3{4, -3, 0}));

    // Text that is not a coordinate is refused.
    Type(edit, "#x\r");
    EXPECT_EQ(m_flashes, std::vector<std::string>{"存在非数字字符，输入无效/1500"});
    EXPECT_EQ(theOperationStack.GetCurrentOperation()->PointCount(), 0);

    // Esc ends the typing, a second Esc the operation.
    Type(edit, "\x1b");
    EXPECT_NE(theOperationStack.GetCurrentOperation(), nullptr);
    Type(edit, "\x1b");
    PumpPending();
    EXPECT_EQ(theOperationStack.GetCurrentOperation(), nullptr);
}

TEST_F(WinTest, TheApplyButtonConfirmsASelection)
{
    auto* op = new CSingleOperate;
    op->SetSelect(600, Record, 0, 0);
    theBottomDlg->BeginOperation(op, 0, 1, 0);
    theBottomDlg->UpdateBarControls();
    const HWND apply = BarItem(IDC_BAR_APPLY);
    EXPECT_TRUE(::IsWindowEnabled(apply));
    ::SendMessageA(apply, BM_CLICK, 0, 0);
    PumpPending();
    EXPECT_EQ(Calls().size(), 1u);
    EXPECT_EQ(theOperationStack.GetCurrentOperation(), nullptr);
    theBottomDlg->UpdateBarControls();
    EXPECT_FALSE(::IsWindowEnabled(apply));
    // The plan button is off in the plan, the others on.
    EXPECT_FALSE(::IsWindowEnabled(BarItem(IDC_BAR_PLAN)));
    EXPECT_TRUE(::IsWindowEnabled(BarItem(IDC_BAR_FREE3D)));
}

TEST_F(WinTest, ThePlatformListHoldsItsFixedEntriesThenTheNamedElevations)
{
    const HWND list = BarItem(IDC_BAR_PLATFORMS);
    EXPECT_EQ(::SendMessageA(list, CB_GETCOUNT, 0, 0), 5);
    EXPECT_EQ(::SendMessageA(list, CB_GETCURSEL, 0, 0), 4);
    // The first entry starts the elevation by two points.
    ::SendMessageA(list, CB_SETCURSEL, 0, 0);
    ::SendMessageA(theBottomDlg->m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_BAR_PLATFORMS, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(list));
    PumpPending();
    ASSERT_NE(theOperationStack.GetCurrentOperation(), nullptr);
    EXPECT_EQ(theOperationStack.GetCurrentOperation()->m_nCode, 700);
    EXPECT_EQ(::SendMessageA(list, CB_GETCURSEL, 0, 0), 4);
}

TEST_F(ViewTest, PressDragReleaseSelectsAWindowAndAShortPressPicks)
{
    vektest::FakeFamily nodes(EFamily::Nodes);
    nodes.Node(1, 2, 2, 0);
    nodes.Node(2, 3, 3, 0);
    nodes.Node(3, 8, 8, 0);
    for (auto& n : nodes.items) n.obj.UpdateRangeFlags();
    auto selected = [&] {
        std::vector<int> ids;
        for (auto& n : nodes.items)
            if (n.obj.IsSelected()) ids.push_back(n.id);
        return ids;
    };
    const POINT a = Pixel(1, 4), b = Pixel(4, 1);
    Drag(a, b);
    EXPECT_EQ(selected(), (std::vector<int>{1, 2}));
    EXPECT_EQ(theOperationStack.GetCurrentOperation(), nullptr);

    // A press and a release 3 pixels apart: a pick of the node nearest their middle.
    const POINT n3 = Pixel(8, 8);
    Mouse(WM_LBUTTONDOWN, POINT{n3.x - 1, n3.y});
    Mouse(WM_LBUTTONUP, POINT{n3.x + 2, n3.y + 1});
    EXPECT_EQ(selected(), (std::vector<int>{1, 2, 3}));
    // With Shift held a click on it keeps it selected; the click selected
    // nothing new, so it stands as a window's first corner until Esc.
    SetShift(true);
    Mouse(WM_LBUTTONDOWN, n3, MK_SHIFT);
    Mouse(WM_LBUTTONUP, n3, MK_SHIFT);
    EXPECT_EQ(selected(), (std::vector<int>{1, 2, 3}));
    ASSERT_NE(theOperationStack.GetCurrentOperation(), nullptr);
    EXPECT_EQ(theOperationStack.GetCurrentOperation()->ScreenCount(), 2);
    SetShift(false);
    Type(BarItem(IDC_BAR_INPUT), "\x1b");
    EXPECT_EQ(theOperationStack.GetCurrentOperation(), nullptr);
    // Without Shift a click on it deselects it.
    Mouse(WM_LBUTTONDOWN, n3);
    Mouse(WM_LBUTTONUP, n3);
    EXPECT_EQ(selected(), (std::vector<int>{1, 2}));
}

TEST_F(ViewTest, TheMiddleButtonPansAndTheLineGoesOn)
{
    RegisterOperationCallback(80, Record);
    RunViewCommand(32846);
    Mouse(WM_LBUTTONDOWN, Pixel(1, 1));
    Mouse(WM_LBUTTONUP, Pixel(1, 1));
    ASSERT_EQ(theOperationStack.GetCurrentOperation()->PointCount(), 1);
    double before[3], after[3];
    theViewProjection.ScreenToWorldInt(200, 150, before);
    Mouse(WM_MBUTTONDOWN, POINT{200, 150}, MK_MBUTTON);
    EXPECT_EQ(theProjectOptions.nCurrentCommand, 12);
    EXPECT_EQ(::GetCapture(), m_view->m_hWnd);
    Mouse(WM_MOUSEMOVE, POINT{260, 150}, MK_MBUTTON);
    Mouse(WM_MBUTTONUP, POINT{260, 150});
    // The model point under the press lies under the release.
    theViewProjection.ScreenToWorldInt(260, 150, after);
    EXPECT_NEAR(after[0], before[0], 1e-9);
    EXPECT_NEAR(after[1], before[1], 1e-9);
    EXPECT_NE(::GetCapture(), m_view->m_hWnd);
    ASSERT_NE(theOperationStack.GetCurrentOperation(), nullptr);
    EXPECT_EQ(theOperationStack.GetCurrentOperation()->m_nCode, 80);
    EXPECT_EQ(theOperationStack.GetCurrentOperation()->PointCount(), 1);
    RegisterOperationCallback(80, nullptr);
}

TEST_F(ViewTest, AnAxisLinePickedThenATypedOffsetAddsALine)
{
    theProjectOptions.bHiddenSurface = 0;
    theDisplayOptions.Switch(3) = 1;
    theAxisGrids.RemoveAll();
    auto* grid = new CAxisGrid;
    grid->First().Add(CAxisGridItem(1, 2));
    grid->First().Add(CAxisGridItem(2, 8));
    grid->Second().Add(CAxisGridItem(1, 1));
    grid->Second().Add(CAxisGridItem(2, 9));
    theAxisGrids.Add(grid);
    theProjectOptions.nAxisGridCount = 1;

    ASSERT_TRUE(RunViewCommand(32815));
    ASSERT_EQ(theProjectOptions.nCurrentCommand, 303);
    // A click on the line at x = 2 picks it and asks for the offset.
    Mouse(WM_LBUTTONDOWN, Pixel(2, 5));
    Mouse(WM_LBUTTONUP, Pixel(2, 5));
    ASSERT_EQ(theProjectOptions.nCurrentCommand, 301);
    Type(BarItem(IDC_BAR_INPUT), "3\r");
    ASSERT_EQ(theAxisGrids.GetAt(0)->First().GetSize(), 3);
    EXPECT_DOUBLE_EQ(AxisPosition(theAxisGrids.GetAt(0)->First(), 1), 5);
    // The pick of a reference line goes on.
    EXPECT_EQ(theProjectOptions.nCurrentCommand, 303);
    theOperationStack.EndAllOperations();
    theAxisGrids.RemoveAll();
    theProjectOptions.nAxisGridCount = 0;
}

TEST_F(ViewTest, TheWheelKeepsThePointUnderTheCursor)
{
    CPoint p(300, 100);
    double before[3], after[3];
    theViewProjection.ScreenToWorldInt(p.x, p.y, before);
    CPoint screen = p;
    m_view->ClientToScreen(&screen);
    m_view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(screen.x, screen.y));
    theViewProjection.ScreenToWorldInt(p.x, p.y, after);
    EXPECT_GT(theViewProjection.GetZoom(), 0);
    EXPECT_NEAR(after[0], before[0], 0.02);
    EXPECT_NEAR(after[1], before[1], 0.02);
}

TEST_F(ViewTest, ADigitTypedOverTheViewGoesToThePrompt)
{
    auto* op = new CSingleOperate;
    op->SetPickPoints(53, Record, 2, 1);
    theBottomDlg->BeginOperation(op, 0, 1, 0);
    m_view->SendMessage(WM_CHAR, '7', 1);
    PumpPending();
    EXPECT_EQ(TextOf(BarItem(IDC_BAR_INPUT)), "7");
    EXPECT_EQ(theOperationStack.GetInputState(), COperationStack::kTypingAbsolute);
    EXPECT_EQ(TextOf(BarItem(IDC_BAR_PROMPT)), "输入绝对坐标(格式为[C=]X Y 或 O=R A):");
    Type(BarItem(IDC_BAR_INPUT), " 2\r");
    EXPECT_EQ(theOperationStack.GetCurrentOperation()->m_points.at(0), (Point3{7, 2, 0}));
}

TEST_F(ViewTest, TheCursorComesFromTheProgramsResources)
{
    const POINT c = Pixel(5, 5);
    CPoint screen(c.x, c.y);
    m_view->ClientToScreen(&screen);
    ::SetCursorPos(screen.x, screen.y);
    RunViewCommand(32833);
    m_view->SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(m_view->m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::GetCursor(), ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDC_CURSOR_PAN)));
    theOperationStack.EndAllOperations();
    m_view->SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(m_view->m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::GetCursor(), ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDC_CURSOR_NORMAL)));
}

TEST_F(WinTest, LayerDialogDeletesSortsAndRefusesDuplicates)
{
    theLayers.Reset();
    for (const char* name : {"L1", "L2", "L3", "L4", "L5"}) theLayers.Add(LayerInfo(name, 'Y', 0xFF));
    theLayers.SetCurrent(4);
    apptest::BoxRecorder boxes;
    boxes.answer = IDYES;
    int renamedAgain = 0;
    WhenModal([&](CDialog* d) {
        const HWND list = ::GetDlgItem(d->m_hWnd, IDC_LAYER_LIST);
        EXPECT_EQ(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 6);
        EXPECT_EQ(TextOf(::GetDlgItem(d->m_hWnd, IDC_LAYER_CURRENT)), "L4");
        // Renaming row 2 to another row's name in other letters is refused and reopened.
        const HWND editor = reinterpret_cast<HWND>(::SendMessageA(list, LVM_EDITLABELA, 2, 0));
        ASSERT_NE(editor, nullptr);
        ::SetWindowTextA(editor, "l1");
        ::SendMessageA(editor, WM_KEYDOWN, VK_RETURN, 0);
        PumpPending();
        renamedAgain = ::SendMessageA(list, LVM_GETEDITCONTROL, 0, 0) != 0;
        if (HWND again = reinterpret_cast<HWND>(::SendMessageA(list, LVM_GETEDITCONTROL, 0, 0)))
            ::SendMessageA(again, WM_KEYDOWN, VK_ESCAPE, 0);
        PumpPending();
        // Select row 3 and delete it.
        LVITEMA item{};
        item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
        ::SendMessageA(list, LVM_SETITEMSTATE, 3, reinterpret_cast<LPARAM>(&item));
        ::SendMessageA(::GetDlgItem(d->m_hWnd, IDC_LAYER_DELETE), BM_CLICK, 0, 0);
        PumpPending();
        EXPECT_EQ(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 5);
        EXPECT_EQ(TextOf(::GetDlgItem(d->m_hWnd, IDC_LAYER_CURRENT)), "L4");
        ::SendMessageA(::GetDlgItem(d->m_hWnd, IDOK), BM_CLICK, 0, 0);
    });
    CLayerDlg dlg(Frame());
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(renamedAgain);
    ASSERT_EQ(boxes.texts.size(), 2u);
    EXPECT_EQ(boxes.texts[0], "图层名已经存在，请重新输入图层名！");
    EXPECT_EQ(theLayers.GetSize(), 5);
    EXPECT_STREQ(theLayers[2].name, "L2");
    EXPECT_STREQ(theLayers[3].name, "L4");
    EXPECT_EQ(theLayers.GetCurrent(), 3);

    // Sorting "b, A, c".
    theLayers.Reset();
    for (const char* name : {"b", "A", "c"}) theLayers.Add(LayerInfo(name, 'Y', 0xFF));
    WhenModal([](CDialog* d) { ::SendMessageA(::GetDlgItem(d->m_hWnd, IDC_LAYER_SORT), BM_CLICK, 0, 0); });
    CLayerDlg sorted(Frame());
    EXPECT_EQ(sorted.DoModal(), IDOK);
    EXPECT_STREQ(theLayers[1].name, "A");
    EXPECT_STREQ(theLayers[2].name, "b");
    EXPECT_STREQ(theLayers[3].name, "c");
}

TEST_F(WinTest, StoreyDialogSwitchesAStoreyOffAndNarrowsTheRange)
{
    theLevels.Reset();
    theLevels.count = 3;
    for (int i = 0; i < 3; ++i) theLevels.heights[i] = 3;
    theLevels.RecomputeElevations();
    theLevels.current = 2;
    theLevelRange.first = 1;
    theLevelRange.last = 3;
    WhenModal([](CDialog* d) {
        const HWND list = ::GetDlgItem(d->m_hWnd, IDC_STOREY_LIST);
        EXPECT_EQ(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 5);
        // A click in the shown column of row 3 (storey 2).
        RECT r{LVIR_BOUNDS, 1, 0, 0};
        ::SendMessageA(list, LVM_GETSUBITEMRECT, 3, reinterpret_cast<LPARAM>(&r));
        const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        ::SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageA(list, WM_LBUTTONUP, 0, at);
        PumpPending();
        char text[64] = {};
        LVITEMA item{};
        item.iSubItem = 1;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        ::SendMessageA(list, LVM_GETITEMTEXTA, 3, reinterpret_cast<LPARAM>(&item));
        EXPECT_STREQ(text, "不显示");
        ::SendMessageA(::GetDlgItem(d->m_hWnd, IDOK), BM_CLICK, 0, 0);
    });
    CLevelDlg dlg(Frame());
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_FALSE(theLevels.Shown(2));
    EXPECT_EQ(theLevelRange.first, 2);
    EXPECT_EQ(theLevelRange.last, 2);
    theLevels.Reset();
    theLevelRange.Reset();
}

TEST_F(WinTest, SnapOptionsDialogWritesTheSwitchesBackOnOk)
{
    theOsnapState = COsnapState();
    WhenModal([](CDialog* d) {
        EXPECT_EQ(d->IsDlgButtonChecked(IDC_SNAP_ENDS), UINT(BST_CHECKED));
        EXPECT_EQ(d->IsDlgButtonChecked(IDC_SNAP_CROSSING), UINT(BST_UNCHECKED));
        d->CheckDlgButton(IDC_SNAP_CROSSING, BST_CHECKED);
        d->CheckDlgButton(IDC_SNAP_ENDS, BST_UNCHECKED);
        ::SendMessageA(::GetDlgItem(d->m_hWnd, IDOK), BM_CLICK, 0, 0);
    });
    EXPECT_TRUE(RunViewCommand(32800));
    EXPECT_TRUE(theOsnapState.IsOn(COsnapState::kIntersections));
    EXPECT_FALSE(theOsnapState.IsOn(COsnapState::kEnds));
    EXPECT_EQ(theOsnapState.GetStatusText(), "捕捉:网中垂交");
}

namespace {

// The popup of the frame's menu that holds the command, and the item's state
// after the popup was prepared as it is when it opens.
UINT MenuStateAfterOpening(UINT id)
{
    std::function<HMENU(HMENU)> find = [&](HMENU m) -> HMENU {
        for (int i = 0; i < ::GetMenuItemCount(m); ++i) {
            if (::GetMenuItemID(m, i) == id) return m;
            if (HMENU sub = ::GetSubMenu(m, i))
                if (HMENU in = find(sub)) return in;
        }
        return nullptr;
    };
    const HMENU popup = find(::GetMenu(Frame()->m_hWnd));
    if (!popup) return ~0u;
    Frame()->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
    return ::GetMenuState(popup, id, MF_BYCOMMAND);
}

}  // namespace

TEST_F(WinTest, MenuCommandsReachTheViewsTableThroughTheFrame)
{
    theViewProjection.SetMode(1, 0, 0, 0);
    // "拖动图形" from the menu starts the pan drag and is checked while it runs.
    Frame()->SendMessage(WM_COMMAND, ID_VIEW_DRAG, 0);
    ASSERT_NE(theOperationStack.GetCurrentOperation(), nullptr);
    EXPECT_EQ(theOperationStack.GetCurrentOperation()->m_nCode, 12);
    EXPECT_TRUE(MenuStateAfterOpening(ID_VIEW_DRAG) & MF_CHECKED);
    // "拖动旋转" is greyed outside the free 3-D view, and its accelerator does nothing.
    EXPECT_TRUE(MenuStateAfterOpening(ID_VIEW_ROTATE_DRAG) & MF_GRAYED);
    Frame()->SendMessage(WM_COMMAND, ID_VIEW_ROTATE_DRAG, 0);
    EXPECT_EQ(theOperationStack.GetCurrentOperation()->m_nCode, 12);
    // Chosen again, the repeating drag switches off.
    Frame()->SendMessage(WM_COMMAND, ID_VIEW_DRAG, 0);
    EXPECT_EQ(theOperationStack.GetCurrentOperation(), nullptr);
    EXPECT_FALSE(MenuStateAfterOpening(ID_VIEW_DRAG) & MF_CHECKED);

    // "图层控制" opens the layer dialog.
    bool opened = false;
    WhenModal([&](CDialog* d) {
        opened = d->IsKindOf(RUNTIME_CLASS(CLayerDlg));
        ::SendMessageA(::GetDlgItem(d->m_hWnd, IDCANCEL), BM_CLICK, 0, 0);
    });
    EXPECT_FALSE(MenuStateAfterOpening(ID_DISP_LAYERS) & MF_GRAYED);
    Frame()->SendMessage(WM_COMMAND, ID_DISP_LAYERS, 0);
    EXPECT_TRUE(opened);
}
