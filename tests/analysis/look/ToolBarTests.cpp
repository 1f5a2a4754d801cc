// The flat toolbar in a frame: its buttons in each state, the drop-down
// button's halves, silhouettes, the gripper, a menu dropped under a button,
// an embedded combo box, and the flat status bar under it.
#include <gtest/gtest.h>

#include "LookTestApp.h"
#include "analysis/ControlsXP.h"
#include "analysis/FlatLook.h"
#include "look_res.h"

using namespace looktest;

namespace {

class ToolBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        MouseAway();
        frame = CLookFrame::Make();
        ASSERT_NE(frame, nullptr);
        bar = &frame->m_toolBar;
        bar->OnUpdateCmdUI(frame, TRUE);
        bar->UpdateWindow();
        Drain();
    }
    void TearDown() override
    {
        if (::testing::Test::HasFailure()) vektest::SaveWindowShot(frame->m_hWnd, "look_toolbar");
        MouseButton(false);
        MouseAway();
        CLookFrame::Destroy(frame);
    }
    CRect Item(UINT id) const
    {
        CRect r;
        bar->GetItemRect(bar->CommandToIndex(id), &r);
        return r;
    }
    COLORREF At(int x, int y) const { return ClientPixel(bar->m_hWnd, x, y); }
    void Repaint() const { bar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }

    CLookFrame* frame = nullptr;
    CToolBarXP* bar = nullptr;
};

const COLORREF kHighlight = ::GetSysColor(COLOR_HIGHLIGHT);

TEST_F(ToolBarTest, PlainCheckedAndHotButtons)
{
    CRect client;
    bar->GetClientRect(&client);
    const COLORREF back = FlatColor(COLOR_BTNFACE, 20);
    EXPECT_EQ(Hex(At(client.right - 3, client.Height() / 2)), Hex(back));
    const CRect plain = Item(ID_LOOK_NEW);
    EXPECT_EQ(Hex(At(plain.left + 1, plain.bottom - 2)), Hex(back)) << "a plain button has no box";

    const CRect on = Item(ID_LOOK_ON);
    EXPECT_TRUE(bar->SendMessage(TB_ISBUTTONCHECKED, ID_LOOK_ON));
    EXPECT_EQ(Hex(At(on.left, on.top + on.Height() / 2)), Hex(kHighlight));
    EXPECT_EQ(Hex(At(on.left + 1, on.bottom - 2)), Hex(HLS_TRANSFORM(kHighlight, 80, -66)));

    MouseToClient(bar->m_hWnd, plain.CenterPoint().x, plain.CenterPoint().y);
    ASSERT_TRUE(WaitUntil([&] { return At(plain.left + 1, plain.bottom - 2) == HLS_TRANSFORM(kHighlight, 70, -57); }))
        << Hex(At(plain.left + 1, plain.bottom - 2));
    EXPECT_EQ(Hex(At(plain.left, plain.top + plain.Height() / 2)), Hex(kHighlight));
    // The hot icon is lifted over its shadow: the shadow's colour shows below and right of it.
    const COLORREF shade = HLS_TRANSFORM(kHighlight, 50, -66);
    int shadow = 0;
    for (int y = plain.top + 4; y < plain.bottom - 1; ++y)
        for (int x = plain.left + 4; x < plain.right - 1; ++x) shadow += At(x, y) == shade;
    EXPECT_GT(shadow, 0);

    MouseButton(true);
    ASSERT_TRUE(WaitUntil([&] { return At(plain.left + 1, plain.bottom - 2) == HLS_TRANSFORM(kHighlight, 50, -50); }));
    MouseButton(false);
    ASSERT_TRUE(WaitUntil([&] { return !frame->m_commands.empty(); }));
    EXPECT_EQ(frame->m_commands.back(), static_cast<UINT>(ID_LOOK_NEW));
}

TEST_F(ToolBarTest, DisabledButtonShowsOnlyItsSilhouette)
{
    EXPECT_FALSE(bar->SendMessage(TB_ISBUTTONENABLED, ID_LOOK_OFF));
    const CRect r = Item(ID_LOOK_OFF);
    const COLORREF back = FlatColor(COLOR_BTNFACE, 20), grey = FlatColor(COLOR_BTNFACE, -27);
    int silhouette = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const COLORREF c = At(x, y);
            EXPECT_TRUE(c == back || c == grey) << x << "," << y << " " << Hex(c);
            silhouette += c == grey;
        }
    EXPECT_GT(silhouette, 10);
    EXPECT_LT(silhouette, (r.Width() - 6) * (r.Height() - 6)) << "the icon's shape, not its whole square";
}

TEST_F(ToolBarTest, DropDownButtonHalves)
{
    const CRect r = Item(ID_LOOK_DROP);
    // Pressing the main part presses only that part; the arrow part keeps its own frame.
    MouseToClient(bar->m_hWnd, r.left + 5, r.CenterPoint().y);
    ASSERT_TRUE(WaitUntil([&] { return At(r.left + 1, r.bottom - 2) == HLS_TRANSFORM(kHighlight, 70, -57); }));
    EXPECT_EQ(Hex(At(r.right - 14, r.CenterPoint().y)), Hex(kHighlight)) << "the line between the halves";
    MouseButton(true);
    ASSERT_TRUE(WaitUntil([&] { return At(r.left + 1, r.bottom - 2) == HLS_TRANSFORM(kHighlight, 50, -50); }));
    EXPECT_EQ(Hex(At(r.right - 3, r.bottom - 2)), Hex(HLS_TRANSFORM(kHighlight, 70, -66)));
    MouseButton(false);
    ASSERT_TRUE(WaitUntil([&] { return !frame->m_commands.empty(); }));

    // A click on the arrow asks the frame for the command at once.
    frame->m_commands.clear();
    MouseToClient(bar->m_hWnd, r.right - 4, r.CenterPoint().y);
    Drain();
    MouseButton(true);
    ASSERT_TRUE(WaitUntil([&] { return !frame->m_commands.empty(); }));
    EXPECT_EQ(frame->m_commands.front(), static_cast<UINT>(ID_LOOK_DROP));
    MouseButton(false);

    // An arrow given a command of its own sends that one; the main part keeps its own.
    bar->SetArrowCommand(ID_LOOK_DROP, ID_LOOK_EXPORT);
    frame->m_commands.clear();
    Drain();
    MouseButton(true);
    ASSERT_TRUE(WaitUntil([&] { return !frame->m_commands.empty(); }));
    EXPECT_EQ(frame->m_commands.front(), static_cast<UINT>(ID_LOOK_EXPORT));
    MouseButton(false);
    frame->m_commands.clear();
    MouseToClient(bar->m_hWnd, r.left + 5, r.CenterPoint().y);
    Drain();
    MouseButton(true);
    MouseButton(false);
    ASSERT_TRUE(WaitUntil([&] { return !frame->m_commands.empty(); }));
    EXPECT_EQ(frame->m_commands.front(), static_cast<UINT>(ID_LOOK_DROP));
}

TEST_F(ToolBarTest, GripperDots)
{
    CRect window;
    bar->GetWindowRect(&window);
    const int top = (window.Height() - 16) / 2;
    const COLORREF fill = FlatColor(COLOR_BTNFACE, 20);
    const COLORREF dot = ~fill & 0xFFFFFF;
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(Hex(WindowPixel(bar->m_hWnd, 4, top + 2 * i)), Hex(dot)) << i;
        EXPECT_EQ(Hex(WindowPixel(bar->m_hWnd, 4, top + 2 * i + 1)), Hex(fill)) << i;
    }
    EXPECT_EQ(Hex(WindowPixel(bar->m_hWnd, 6, top)), Hex(fill)) << "dots are 3 pixels wide";
}

TEST_F(ToolBarTest, AMenuDroppedUnderAButtonMarksItOpen)
{
    const CRect r = Item(ID_LOOK_DROP);
    COLORREF whileOpen = CLR_INVALID;
    frame->m_onMenuIdle = [&] {
        whileOpen = At(r.left, r.CenterPoint().y);
        ::EndMenu();
    };
    frame->m_toolBar.TrackPopupMenu(ID_LOOK_DROP, frame->GetMenu()->GetSubMenu(1));
    frame->m_onMenuIdle = nullptr;
    EXPECT_EQ(Hex(whileOpen), Hex(::GetSysColor(COLOR_3DDKSHADOW)));
    Repaint();
    EXPECT_NE(Hex(At(r.left, r.CenterPoint().y)), Hex(::GetSysColor(COLOR_3DDKSHADOW)));
    EXPECT_FALSE(bar->SendMessage(TB_GETSTATE, ID_LOOK_DROP) & TBSTATE_INDETERMINATE);
}

TEST_F(ToolBarTest, AnEmbeddedComboBoxLeavesAnUprightBarAndComesBack)
{
    CComboBoxXP combo;
    ASSERT_TRUE(
        combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | WS_VSCROLL, CRect(0, 0, 100, 200), bar, IDC_TOOLCOMBO));
    ASSERT_TRUE(bar->InsertControl(3, &combo));
    bar->UpdateWindow();  // the next paint lays the bar out again
    Drain();
    auto placedOverSeparator = [&] {
        CRect sep, now;
        bar->GetItemRect(bar->CommandToIndex(IDC_TOOLCOMBO), &sep);
        combo.GetWindowRect(&now);
        bar->ScreenToClient(&now);
        return combo.IsWindowVisible() && now.left == sep.left + 1 && now.right == sep.right - 1;
    };
    EXPECT_TRUE(placedOverSeparator());
    EXPECT_TRUE(IsInDockedBar(&combo));

    frame->DockControlBar(bar, AFX_IDW_DOCKBAR_LEFT);
    Drain();
    EXPECT_FALSE(combo.IsWindowVisible());
    EXPECT_TRUE(bar->SendMessage(TB_ISBUTTONHIDDEN, IDC_TOOLCOMBO));
    CRect upright;
    bar->GetWindowRect(&upright);
    EXPECT_GT(upright.Height(), upright.Width());

    frame->DockControlBar(bar, AFX_IDW_DOCKBAR_TOP);
    Drain();
    EXPECT_FALSE(bar->SendMessage(TB_ISBUTTONHIDDEN, IDC_TOOLCOMBO));
    EXPECT_TRUE(placedOverSeparator());
    combo.DestroyWindow();
}

TEST_F(ToolBarTest, ToolbarComboBoxEnterRunsItsCommandEscReturnsToTheView)
{
    CComboBoxXP combo;
    ASSERT_TRUE(
        combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | WS_VSCROLL, CRect(0, 0, 100, 200), bar, IDC_TOOLCOMBO));
    ASSERT_TRUE(bar->InsertControl(-1, &combo));
    frame->RecalcLayout();
    HWND edit = combo.GetEditPart().m_hWnd;
    ASSERT_NE(edit, nullptr);
    ::SetFocus(edit);
    Drain();
    EXPECT_TRUE(combo.IsActive());
    ::PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 1);
    Drain();
    ASSERT_FALSE(frame->m_commands.empty());
    EXPECT_EQ(frame->m_commands.back(), static_cast<UINT>(IDC_TOOLCOMBO));

    ::PostMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 1);
    Drain();
    EXPECT_EQ(::GetFocus(), frame->GetActiveView()->m_hWnd);

    // Without a view the focus stays where it is.
    ::SetFocus(edit);
    Drain();
    CView* view = frame->GetActiveView();
    frame->SetActiveView(nullptr, FALSE);
    ::PostMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 1);
    Drain();
    EXPECT_EQ(::GetFocus(), edit);
    frame->SetActiveView(view, FALSE);
    combo.DestroyWindow();
}

TEST_F(ToolBarTest, StatusBarPanesAreFlatUntilTheirStyleAsksForAFrame)
{
    CStatusBarXP& status = frame->m_statusBar;
    CRect window;
    status.GetWindowRect(&window);
    EXPECT_GE(window.Height(), 20);
    for (int i = 0; i < status.GetCount(); ++i) EXPECT_TRUE(status.GetPaneStyle(i) & SBPS_NOBORDERS) << i;
    CRect pane;
    status.GetItemRect(1, &pane);
    const int y = pane.CenterPoint().y;
    status.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    for (int x = pane.left - 4; x < pane.left + 2; ++x)
        EXPECT_EQ(Hex(ClientPixel(status.m_hWnd, x, y)), Hex(face)) << "no frame, no separator at " << x;
    for (int x = pane.right - 4; x < pane.right + 2; ++x)
        EXPECT_EQ(Hex(ClientPixel(status.m_hWnd, x, y)), Hex(face)) << "no frame, no separator at " << x;
    EXPECT_EQ(Hex(ClientPixel(status.m_hWnd, pane.CenterPoint().x, 0)), Hex(face)) << "no line along the top";

    status.SetPaneStyle(1, SBPS_NORMAL);
    status.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    status.GetItemRect(1, &pane);
    EXPECT_EQ(Hex(ClientPixel(status.m_hWnd, pane.left, y)), Hex(::GetSysColor(COLOR_BTNSHADOW)));
    EXPECT_EQ(Hex(ClientPixel(status.m_hWnd, pane.right - 1, y)), Hex(::GetSysColor(COLOR_BTNSHADOW)));

    status.SetPaneStyle(1, SBPS_POPOUT);
    status.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(Hex(ClientPixel(status.m_hWnd, pane.right - 1, y)), Hex(::GetSysColor(COLOR_3DDKSHADOW)));

    status.SetPaneStyle(1, SBPS_SUNKENFRAME);
    status.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(Hex(ClientPixel(status.m_hWnd, pane.left, y)), Hex(::GetSysColor(COLOR_3DSHADOW)));
}

}  // namespace
