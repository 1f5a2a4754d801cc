// The flat controls as a dialog base makes them: push buttons in each of
// their states, edit and combo box frames, the combo box's dropped list, and
// the controls the bases leave alone.
#include <gtest/gtest.h>

#include "LookTestApp.h"
#include "analysis/ControlsXP.h"
#include "analysis/FlatLook.h"
#include "analysis/MyDialog.h"
#include "look_res.h"

using namespace looktest;

namespace {

class FlatDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        MouseAway();
        ASSERT_TRUE(ShowModeless(dlg, IDD_FLAT, 100, 100));
    }
    void TearDown() override
    {
        if (::testing::Test::HasFailure()) vektest::SaveWindowShot(dlg.m_hWnd, "look_flat_dialog");
        dlg.DestroyWindow();
        Drain();
    }
    HWND Item(int id) const { return ::GetDlgItem(dlg.m_hWnd, id); }
    CRect Client(int id) const
    {
        CRect r;
        ::GetClientRect(Item(id), &r);
        return r;
    }
    CMyDialog dlg;
};

COLORREF Sys(int index)
{
    return ::GetSysColor(index);
}

TEST_F(FlatDialogTest, PushButtonsBecomeFlatTheOthersStayAsTheyAre)
{
    for (int id : {IDOK, IDCANCEL, IDC_WRAPPED, IDC_DISABLED}) {
        CWnd* w = CWnd::FromHandlePermanent(Item(id));
        EXPECT_NE(dynamic_cast<CButtonXP*>(w), nullptr) << id;
        EXPECT_EQ(::GetWindowLongPtrA(Item(id), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW) << id;
    }
    for (int id : {IDC_CHECK, IDC_RADIO, IDC_GROUP})
        EXPECT_EQ(CWnd::FromHandlePermanent(Item(id)), nullptr) << "check, radio and group boxes keep their look";
    EXPECT_NE(dynamic_cast<CEditXP*>(CWnd::FromHandlePermanent(Item(IDC_EDIT))), nullptr);
    EXPECT_NE(dynamic_cast<CComboBoxXP*>(CWnd::FromHandlePermanent(Item(IDC_COMBO))), nullptr);
    EXPECT_EQ(dlg.GetFlatControls().GetCount(), 8);
}

TEST_F(FlatDialogTest, ButtonStates)
{
    const CRect r = Client(IDCANCEL);
    const int my = r.Height() / 2;
    const COLORREF face = FlatColor(COLOR_BTNFACE, 15);
    // Normal: a shadow-coloured border round the lightened face.
    EXPECT_EQ(Hex(ClientPixel(Item(IDCANCEL), 0, my)), Hex(Sys(COLOR_BTNSHADOW)));
    EXPECT_EQ(Hex(ClientPixel(Item(IDCANCEL), 4, 4)), Hex(face));
    // The dialog's default button has the dark border.
    EXPECT_EQ(Hex(ClientPixel(Item(IDOK), 0, my)), Hex(Sys(COLOR_3DDKSHADOW)));

    // Hot: under the mouse.
    auto* cancel = dynamic_cast<CButtonXP*>(CWnd::FromHandlePermanent(Item(IDCANCEL)));
    ASSERT_NE(cancel, nullptr);
    MouseToClient(Item(IDCANCEL), r.Width() / 2, my);
    ASSERT_TRUE(WaitUntil([&] { return cancel->IsHot(); }));
    EXPECT_EQ(Hex(ClientPixel(Item(IDCANCEL), 0, my)), Hex(Sys(COLOR_HIGHLIGHT)));
    EXPECT_EQ(Hex(ClientPixel(Item(IDCANCEL), 4, 4)), Hex(FlatColor(COLOR_HIGHLIGHT, 80, -66)));

    // Pressed.
    ::SendMessageA(Item(IDCANCEL), BM_SETSTATE, TRUE, 0);
    ::UpdateWindow(Item(IDCANCEL));
    EXPECT_EQ(Hex(ClientPixel(Item(IDCANCEL), 4, 4)), Hex(FlatColor(COLOR_HIGHLIGHT, 50, -50)));
    ::SendMessageA(Item(IDCANCEL), BM_SETSTATE, FALSE, 0);

    // The mouse leaves: back to normal.
    MouseAway();
    ASSERT_TRUE(WaitUntil([&] { return !cancel->IsHot(); }));
    EXPECT_EQ(Hex(ClientPixel(Item(IDCANCEL), 4, 4)), Hex(face));
}

TEST_F(FlatDialogTest, DisabledButtonIsNeverHot)
{
    const CRect r = Client(IDC_DISABLED);
    MouseToClient(Item(IDC_DISABLED), r.Width() / 2, r.Height() / 2);
    // The mouse reaches the window under it: wait until the dialog has it.
    ASSERT_TRUE(WaitUntil([&] {
        POINT p;
        ::GetCursorPos(&p);
        return ::WindowFromPoint(p) == dlg.m_hWnd || ::WindowFromPoint(p) == Item(IDC_DISABLED);
    }));
    Drain();
    ::RedrawWindow(Item(IDC_DISABLED), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(Hex(ClientPixel(Item(IDC_DISABLED), 0, r.Height() / 2)), Hex(Sys(COLOR_BTNSHADOW)));
    EXPECT_EQ(Hex(ClientPixel(Item(IDC_DISABLED), 4, 4)), Hex(FlatColor(COLOR_BTNFACE, 15)));
}

TEST_F(FlatDialogTest, FocusedButtonHasDarkBorderAndFocusRectangle)
{
    ::SendMessageA(dlg.m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDCANCEL)), TRUE);
    ::UpdateWindow(Item(IDCANCEL));
    const CRect r = Client(IDCANCEL);
    EXPECT_EQ(Hex(ClientPixel(Item(IDCANCEL), 0, r.Height() / 2)), Hex(Sys(COLOR_3DDKSHADOW)));
    const COLORREF face = FlatColor(COLOR_BTNFACE, 15);
    int dotted = 0;
    for (int y = 2; y < r.Height() - 2; ++y) dotted += ClientPixel(Item(IDCANCEL), 2, y) != face;
    EXPECT_GT(dotted, 0) << "a focus rectangle 2 pixels inside";
    for (int y = 3; y < r.Height() - 3; ++y)
        EXPECT_EQ(ClientPixel(Item(IDCANCEL), 1, y), face) << "nothing between border and focus rectangle";
}

TEST_F(FlatDialogTest, LongTextWrapsInsideThreePixels)
{
    const CRect r = Client(IDC_WRAPPED);
    const COLORREF face = FlatColor(COLOR_BTNFACE, 15);
    auto inkInRows = [&](int from, int to) {
        int ink = 0;
        for (int y = from; y < to; ++y)
            for (int x = 3; x < r.Width() - 3; ++x) ink += ClientPixel(Item(IDC_WRAPPED), x, y) != face;
        return ink;
    };
    EXPECT_GT(inkInRows(3, r.Height() / 2), 0);
    EXPECT_GT(inkInRows(r.Height() / 2, r.Height() - 3), 0) << "a second line";
    for (int y = 1; y < r.Height() - 1; ++y)
        for (int x : {1, 2, r.Width() - 3, r.Width() - 2})
            EXPECT_EQ(ClientPixel(Item(IDC_WRAPPED), x, y), face) << x << "," << y;
}

// The inner ring of an edit's flat frame, in window coordinates.
CPoint EditRing(HWND edit)
{
    CRect client;
    ::GetClientRect(edit, &client);
    ::MapWindowPoints(edit, nullptr, reinterpret_cast<LPPOINT>(&client), 2);
    CRect window;
    ::GetWindowRect(edit, &window);
    const int x = client.left - window.left - ::GetSystemMetrics(SM_CXEDGE) + 1;
    const int y = client.top - window.top + client.Height() / 2;
    return CPoint(x, y);
}

TEST_F(FlatDialogTest, EditFrameFollowsFocusAndMouse)
{
    HWND edit = Item(IDC_EDIT);
    const CPoint ring = EditRing(edit);
    EXPECT_EQ(Hex(WindowPixel(edit, ring.x, ring.y)), Hex(Sys(COLOR_BTNSHADOW)));
    ::SetFocus(edit);
    Drain();
    ::RedrawWindow(edit, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    EXPECT_EQ(Hex(WindowPixel(edit, ring.x, ring.y)), Hex(Sys(COLOR_3DDKSHADOW)));
    auto* flat = dynamic_cast<CEditXP*>(CWnd::FromHandlePermanent(edit));
    ASSERT_NE(flat, nullptr);
    MouseToClient(edit, 5, 5);
    ASSERT_TRUE(WaitUntil([&] { return flat->IsMouseOver(); }));
    EXPECT_EQ(Hex(WindowPixel(edit, ring.x, ring.y)), Hex(Sys(COLOR_HIGHLIGHT)));
    MouseAway();
    ASSERT_TRUE(WaitUntil([&] { return !flat->IsMouseOver(); }));
    EXPECT_EQ(Hex(WindowPixel(edit, ring.x, ring.y)), Hex(Sys(COLOR_3DDKSHADOW)));
}

TEST_F(FlatDialogTest, FocusSelectsTheWholeTextUnlessReadOnly)
{
    ::SetWindowTextA(Item(IDC_EDIT), "12.5");
    ::SetWindowTextA(Item(IDC_READONLY), "只读");
    ::SetFocus(Item(IDC_EDIT));
    Drain();
    DWORD from = 0, to = 0;
    ::SendMessageA(Item(IDC_EDIT), EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, 0u);
    EXPECT_EQ(to, 4u);
    ::SendMessageA(Item(IDC_READONLY), EM_SETSEL, 1, 1);
    ::SetFocus(Item(IDC_READONLY));
    Drain();
    ::SendMessageA(Item(IDC_READONLY), EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(to - from, 0u) << "a read-only edit keeps its caret";
}

TEST_F(FlatDialogTest, ComboBoxFrameAndThirtyLineList)
{
    HWND combo = Item(IDC_COMBO);
    auto* flat = dynamic_cast<CComboBoxXP*>(CWnd::FromHandlePermanent(combo));
    ASSERT_NE(flat, nullptr);
    for (int i = 0; i < 40; ++i) flat->AddString("项目");
    CRect r;
    ::GetWindowRect(combo, &r);
    flat->SetWindowPos(nullptr, 0, 0, r.Width(), 100, SWP_NOMOVE | SWP_NOZORDER);
    // A field of 94 pixels, as a plain combo box of this system reports one.
    HWND plain = ::CreateWindowExA(0, "ComboBox", nullptr, WS_CHILD | CBS_DROPDOWN, 0, 0, 80, 100, dlg.m_hWnd, nullptr,
                                   nullptr, nullptr);
    ::SendMessageA(plain, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), 94);
    EXPECT_EQ(flat->SendMessage(CB_GETITEMHEIGHT, static_cast<WPARAM>(-1)),
              ::SendMessageA(plain, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    ::DestroyWindow(plain);
    flat->ShowDropDown(TRUE);
    Drain();
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(::GetComboBoxInfo(combo, &info));
    CRect list;
    ::GetClientRect(info.hwndList, &list);
    const int item = static_cast<int>(flat->SendMessage(CB_GETITEMHEIGHT, 0));
    EXPECT_EQ(list.Height() / item, 30) << "list " << list.Height() << " item " << item;
    flat->ShowDropDown(FALSE);
    Drain();

    // Outside a toolbar: a border in the shadow colour, the window colour inside it.
    flat->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    CRect client;
    flat->GetClientRect(&client);
    EXPECT_EQ(Hex(ClientPixel(combo, 0, client.Height() / 2)), Hex(Sys(COLOR_BTNSHADOW)));
    EXPECT_EQ(Hex(ClientPixel(combo, 1, client.Height() / 2)), Hex(Sys(COLOR_WINDOW)));
    MouseToClient(combo, client.Width() - 5, client.Height() / 2);
    ASSERT_TRUE(WaitUntil([&] { return flat->IsHot(); }));
    EXPECT_EQ(Hex(ClientPixel(combo, 0, client.Height() / 2)), Hex(Sys(COLOR_HIGHLIGHT)));
    MouseAway();
    ASSERT_TRUE(WaitUntil([&] { return !flat->IsHot(); }));
}

// ---- the dialog base over a dialog's life ---------------------------------------------

class CCountingDialog : public CMyDialog {
public:
    CCountingDialog() : CMyDialog(IDD_FLAT, nullptr) {}
    std::vector<int> counts;    // flat controls while shown
    std::vector<bool> allFlat;  // each push button's window had a flat control
    CEdit attached;
    bool attach = false;

protected:
    void DoDataExchange(CDataExchange* dx) override
    {
        if (attach) DDX_Control(dx, IDC_EDIT, attached);
    }
    BOOL OnInitDialog() override
    {
        CMyDialog::OnInitDialog();
        counts.push_back(GetFlatControls().GetCount());
        bool flat = true;
        for (int id : {IDOK, IDCANCEL, IDC_WRAPPED})
            flat = flat && dynamic_cast<CButtonXP*>(CWnd::FromHandlePermanent(::GetDlgItem(m_hWnd, id)));
        allFlat.push_back(flat);
        PostMessage(WM_COMMAND, IDCANCEL);
        return TRUE;
    }
};

TEST(FlatDialogLife, ShownTwiceMakesAndFreesItsControlsTwice)
{
    CCountingDialog dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.GetFlatControls().GetCount(), 0);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.GetFlatControls().GetCount(), 0);
    ASSERT_EQ(dlg.counts.size(), 2u);
    EXPECT_EQ(dlg.counts[0], 8);
    EXPECT_EQ(dlg.counts[1], 8);
    EXPECT_TRUE(dlg.allFlat[0] && dlg.allFlat[1]);
}

TEST(FlatDialogLife, AnEditAttachedByDataExchangeIsNotReplaced)
{
    CCountingDialog dlg;
    dlg.attach = true;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    ASSERT_EQ(dlg.counts.size(), 1u);
    EXPECT_EQ(dlg.counts[0], 7) << "the attached edit is the dialog's own";
    EXPECT_EQ(dlg.attached.m_hWnd, nullptr) << "it let go of the window with the dialog";
}

TEST_F(FlatDialogTest, TooltipTextComesFromTheStringOfTheControlId)
{
    NMTTDISPINFOA info{};
    info.hdr.hwndFrom = nullptr;
    info.hdr.idFrom = reinterpret_cast<UINT_PTR>(Item(IDC_EDIT));
    info.hdr.code = TTN_GETDISPINFOA;
    info.uFlags = TTF_IDISHWND;
    dlg.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    ASSERT_NE(info.lpszText, nullptr);
    EXPECT_STREQ(info.lpszText, "输入一个数");
    info = NMTTDISPINFOA{};
    info.hdr.idFrom = reinterpret_cast<UINT_PTR>(Item(IDC_READONLY));
    info.hdr.code = TTN_GETDISPINFOA;
    info.uFlags = TTF_IDISHWND;
    dlg.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_TRUE(info.lpszText == nullptr || info.lpszText[0] == 0) << "no string, no tip";
}

}  // namespace
