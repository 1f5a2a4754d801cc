// Windows and message maps: handle map, dispatch of each handler kind,
// inheritance of maps, reflection, subclassing, timers and capture.
#include "TestApp.h"
#include "fwtest_res.h"

#include <gtest/gtest.h>

namespace {

UINT g_registered = ::RegisterWindowMessageA("FW_TEST_REGISTERED");

class CBaseWnd : public CWnd {
public:
    int created = 0, sized = 0, timers = 0, baseCommands = 0, overridden = 0;
    CSize lastSize;

protected:
    int OnCreate(LPCREATESTRUCT cs)
    {
        ++created;
        return CWnd::OnCreate(cs);
    }
    void OnSize(UINT type, int cx, int cy)
    {
        ++sized;
        lastSize = CSize(cx, cy);
        CWnd::OnSize(type, cx, cy);
    }
    void OnBaseCommand() { ++baseCommands; }
    void OnOverridden() { ++overridden; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
ON_WM_CREATE()
ON_WM_SIZE()
ON_COMMAND(ID_TEST_FRAMECMD, &CBaseWnd::OnBaseCommand)
ON_COMMAND(ID_TEST_BOTH, &CBaseWnd::OnOverridden)
END_MESSAGE_MAP()

class CTestWnd : public CBaseWnd {
public:
    int privateMsgs = 0, registeredMsgs = 0, rangeLast = 0, notifies = 0, derivedBoth = 0, exDeclined = 0;
    int timerTicks = 0, buttonClicks = 0, lbuttonDowns = 0;
    CPoint lastPoint;
    LPARAM lastParam = 0;
    bool declineEx = true;

protected:
    LRESULT OnPrivate(WPARAM wp, LPARAM lp)
    {
        ++privateMsgs;
        lastParam = lp;
        return static_cast<LRESULT>(wp * 2);
    }
    LRESULT OnRegistered(WPARAM, LPARAM) { return ++registeredMsgs; }
    void OnRange(UINT id) { rangeLast = static_cast<int>(id); }
    void OnNotifyItem(NMHDR* hdr, LRESULT* result)
    {
        ++notifies;
        *result = static_cast<LRESULT>(hdr->code == NM_DBLCLK ? 11 : 0);
    }
    void OnBoth() { ++derivedBoth; }
    BOOL OnEx(UINT)
    {
        ++exDeclined;
        return declineEx ? FALSE : TRUE;
    }
    void OnTimer(UINT_PTR id)
    {
        if (id == 5) ++timerTicks;
    }
    void OnButton() { ++buttonClicks; }
    void OnLButtonDown(UINT, CPoint pt)
    {
        ++lbuttonDowns;
        lastPoint = pt;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestWnd, CBaseWnd)
ON_MESSAGE(WM_APP + 1, &CTestWnd::OnPrivate)
ON_REGISTERED_MESSAGE(g_registered, &CTestWnd::OnRegistered)
ON_COMMAND_RANGE(0x9000, 0x9010, &CTestWnd::OnRange)
ON_NOTIFY(NM_DBLCLK, 77, &CTestWnd::OnNotifyItem)
ON_COMMAND(ID_TEST_BOTH, &CTestWnd::OnBoth)
ON_COMMAND_EX(ID_TEST_FRAMECMD, &CTestWnd::OnEx)
ON_WM_TIMER()
ON_BN_CLICKED(55, &CTestWnd::OnButton)
ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

class CFailingWnd : public CWnd {
public:
    static int deleted;
    ~CFailingWnd() override { ++deleted; }
    void PostNcDestroy() override { delete this; }

protected:
    int OnCreate(LPCREATESTRUCT) { return -1; }
    DECLARE_MESSAGE_MAP()
};
int CFailingWnd::deleted = 0;

BEGIN_MESSAGE_MAP(CFailingWnd, CWnd)
ON_WM_CREATE()
END_MESSAGE_MAP()

// An edit control that counts the characters it is sent and swallows digits.
class CCountingEdit : public CEdit {
public:
    int chars = 0;

protected:
    void OnChar(UINT ch, UINT repeat, UINT flags)
    {
        ++chars;
        if (ch >= '0' && ch <= '9') return;
        CEdit::OnChar(ch, repeat, flags);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCountingEdit, CEdit)
ON_WM_CHAR()
END_MESSAGE_MAP()

// An owner-drawn button that records the reflected draw.
class COwnerButton : public CButton {
public:
    int draws = 0;
    void DrawItem(LPDRAWITEMSTRUCT dis) override
    {
        ++draws;
        ::FillRect(dis->hDC, &dis->rcItem, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    }
};

// A label that picks its own colours, and a button that sees its own clicks.
class CColourLabel : public CStatic {
public:
    CBrush brush{RGB(0, 0, 255)};
    bool colour = true;

protected:
    HBRUSH CtlColor(CDC* dc, UINT)
    {
        if (!colour) return nullptr;  // the parent decides
        dc->SetTextColor(RGB(255, 0, 0));
        return static_cast<HBRUSH>(brush.m_hObject);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CColourLabel, CStatic)
ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class CSelfButton : public CButton {
public:
    int clicks = 0;

protected:
    void OnClicked() { ++clicks; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSelfButton, CButton)
ON_CONTROL_REFLECT(BN_CLICKED, &CSelfButton::OnClicked)
END_MESSAGE_MAP()

// A window whose child controls get tips by control id.
class CTipWnd : public CWnd {
public:
    UINT askedFor = 0;

protected:
    BOOL OnTip(UINT id, NMHDR* hdr, LRESULT* result)
    {
        askedFor = id;
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(hdr);
        lstrcpynA(info->szText, "提示", sizeof info->szText);
        *result = 0;
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTipWnd, CWnd)
ON_NOTIFY_EX_RANGE(TTN_GETDISPINFOA, 0, 0xFFFF, &CTipWnd::OnTip)
END_MESSAGE_MAP()

}  // namespace

TEST(WndTest, ControlsHandleTheirOwnReflectedNotifications)
{
    CTestWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "p", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr));
    CColourLabel label;
    ASSERT_TRUE(label.Create("标签", WS_CHILD | WS_VISIBLE, CRect(0, 0, 80, 20), &parent, 31));
    HDC dc = ::GetDC(label.m_hWnd);
    const LRESULT brush =
        parent.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label.m_hWnd));
    EXPECT_EQ(brush, reinterpret_cast<LRESULT>(label.brush.m_hObject));
    EXPECT_EQ(::GetTextColor(dc), RGB(255, 0, 0));
    label.colour = false;
    EXPECT_NE(
        parent.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label.m_hWnd)),
        reinterpret_cast<LRESULT>(label.brush.m_hObject));
    ::ReleaseDC(label.m_hWnd, dc);

    // The reflected click is the button's; the parent's handler for that id does not run.
    CSelfButton button;
    ASSERT_TRUE(button.Create("按钮", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 30, 80, 50), &parent, 55));
    button.SendMessage(BM_CLICK);
    EXPECT_EQ(button.clicks, 1);
    EXPECT_EQ(parent.buttonClicks, 0);
    parent.DestroyWindow();
}

TEST(WndTest, ToolTipRequestsAreRoutedByControlId)
{
    CTipWnd w;
    ASSERT_TRUE(w.CreateEx(0, nullptr, "tips", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr));
    CButton button;
    ASSERT_TRUE(button.Create("b", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 20), &w, 321));
    EXPECT_TRUE(w.EnableToolTips());
    ASSERT_NE(w.m_hWndToolTip, nullptr);
    EXPECT_EQ(::SendMessageA(w.m_hWndToolTip, TTM_GETTOOLCOUNT, 0, 0), 1);
    NMTTDISPINFOA info{};
    info.hdr.hwndFrom = w.m_hWndToolTip;
    info.hdr.idFrom = reinterpret_cast<UINT_PTR>(button.m_hWnd);  // a handle, far above 0xFFFF perhaps
    info.hdr.code = TTN_GETDISPINFOA;
    info.uFlags = TTF_IDISHWND;
    w.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(w.askedFor, 321u);
    EXPECT_STREQ(info.szText, "提示");
    w.DestroyWindow();
    EXPECT_EQ(w.m_hWndToolTip, nullptr);
}

TEST(WndTest, CreationDispatchAndInheritedMaps)
{
    CTestWnd w;
    ASSERT_TRUE(w.CreateEx(0, nullptr, "测试", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, nullptr, nullptr));
    EXPECT_EQ(w.created, 1);  // the object saw WM_CREATE: attached before its first messages
    EXPECT_EQ(CWnd::FromHandlePermanent(w.m_hWnd), &w);
    w.MoveWindow(0, 0, 320, 240);
    EXPECT_GE(w.sized, 1);
    CRect client;
    w.GetClientRect(&client);
    EXPECT_EQ(w.lastSize, client.Size());

    EXPECT_EQ(w.SendMessage(WM_APP + 1, 21, 5), 42);
    EXPECT_EQ(w.lastParam, 5);
    EXPECT_EQ(w.SendMessage(g_registered), 1);
    w.SendMessage(WM_COMMAND, 0x9004);
    EXPECT_EQ(w.rangeLast, 0x9004);
    w.SendMessage(WM_COMMAND, 0x9011);  // outside the range
    EXPECT_EQ(w.rangeLast, 0x9004);

    NMHDR hdr{w.m_hWnd, 77, static_cast<UINT>(NM_DBLCLK)};
    EXPECT_EQ(w.SendMessage(WM_NOTIFY, 77, reinterpret_cast<LPARAM>(&hdr)), 11);
    hdr.idFrom = 78;  // another control: not this handler
    w.SendMessage(WM_NOTIFY, 78, reinterpret_cast<LPARAM>(&hdr));
    EXPECT_EQ(w.notifies, 1);

    // The derived map wins over the base map; an _EX handler that declines
    // lets the base map's handler run.
    w.SendMessage(WM_COMMAND, ID_TEST_BOTH);
    EXPECT_EQ(w.derivedBoth, 1);
    EXPECT_EQ(w.overridden, 0);
    w.SendMessage(WM_COMMAND, ID_TEST_FRAMECMD);
    EXPECT_EQ(w.exDeclined, 1);
    EXPECT_EQ(w.baseCommands, 1);
    w.declineEx = false;
    w.SendMessage(WM_COMMAND, ID_TEST_FRAMECMD);
    EXPECT_EQ(w.baseCommands, 1);

    w.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-3, 40));
    EXPECT_EQ(w.lbuttonDowns, 1);
    EXPECT_EQ(w.lastPoint, CPoint(-3, 40));  // signed coordinates

    // Timers reach OnTimer through the map.
    w.SetTimer(5, 10);
    EXPECT_TRUE(vektest::PumpUntil([&] { return w.timerTicks >= 2; }));
    w.KillTimer(5);

    // A child button's click reaches the parent's ON_BN_CLICKED.
    CButton button;
    ASSERT_TRUE(button.Create("按钮", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(5, 5, 80, 30), &w, 55));
    button.SendMessage(BM_CLICK);
    EXPECT_EQ(w.buttonClicks, 1);

    HWND h = w.m_hWnd;
    ASSERT_TRUE(w.DestroyWindow());
    EXPECT_EQ(w.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(h), nullptr);
}

TEST(WndTest, FailedCreationDeletesOnceAndReportsFailure)
{
    CFailingWnd::deleted = 0;
    auto* w = new CFailingWnd;
    EXPECT_FALSE(w->CreateEx(0, nullptr, "x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_TRUE(CWnd::LastCreateDestroyedObject());
    EXPECT_EQ(CFailingWnd::deleted, 1);
}

TEST(WndTest, HandleMapTemporariesAttachAndDetach)
{
    HWND foreign = ::CreateWindowExA(0, "STATIC", "外来", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(foreign, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(foreign), nullptr);
    CWnd* temp = CWnd::FromHandle(foreign);
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(CWnd::FromHandle(foreign), temp);  // one wrapper per handle
    CString text;
    temp->GetWindowText(text);
    EXPECT_STREQ(text, "外来");
    AfxDeleteTempMaps();

    CWnd owner;
    ASSERT_TRUE(owner.Attach(foreign));
    EXPECT_EQ(CWnd::FromHandle(foreign), &owner);
    EXPECT_FALSE(owner.Attach(foreign));  // already holds a window
    EXPECT_EQ(owner.Detach(), foreign);
    EXPECT_EQ(CWnd::FromHandlePermanent(foreign), nullptr);
    ::DestroyWindow(foreign);
}

TEST(WndTest, NullObjectsGiveNullHandles)
{
    // The static forms take objects that may be null.
    EXPECT_EQ(CWnd::GetSafeHwnd(CWnd::FromHandlePermanent(nullptr)), nullptr);
    EXPECT_EQ(CDC::GetSafeHdc(CDC::FromHandle(nullptr)), nullptr);
    EXPECT_EQ(CGdiObject::GetSafeHandle(CPen::FromHandle(nullptr)), nullptr);
    EXPECT_EQ(CMenu::GetSafeHmenu(CMenu::FromHandle(nullptr)), nullptr);
    EXPECT_EQ(CImageList::GetSafeHandle(CImageList::FromHandle(nullptr)), nullptr);
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    EXPECT_EQ(CMenu::GetSafeHmenu(&menu), menu.m_hMenu);

    // Calls that take a null window as "none" go on doing so.
    CWnd w;
    ASSERT_TRUE(w.CreateEx(0, nullptr, "w", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    EXPECT_EQ(CWnd::GetSafeHwnd(&w), w.m_hWnd);
    EXPECT_TRUE(w.SetWindowPos(nullptr, 3, 4, 60, 70, SWP_NOZORDER | SWP_NOACTIVATE));
    CRect r;
    w.GetWindowRect(&r);
    EXPECT_EQ(r, CRect(3, 4, 63, 74));
    EXPECT_FALSE(w.IsChild(nullptr));
    CWnd sub;
    EXPECT_FALSE(sub.SubclassDlgItem(1, nullptr));
    CWnd popup;
    ASSERT_TRUE(popup.CreateEx(0, nullptr, "p", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    EXPECT_EQ(::GetParent(popup.m_hWnd), nullptr);
    popup.DestroyWindow();
    w.DestroyWindow();
}

TEST(WndTest, SubclassedControlSeesItsMessagesFirst)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "p", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr));
    HWND edit = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, parent.m_hWnd,
                                  reinterpret_cast<HMENU>(9), nullptr, nullptr);
    CCountingEdit counting;
    ASSERT_TRUE(counting.SubclassDlgItem(9, &parent));
    for (char c : std::string("a1b2")) counting.SendMessage(WM_CHAR, static_cast<WPARAM>(c), 1);
    EXPECT_EQ(counting.chars, 4);
    CString text;
    counting.GetWindowText(text);
    EXPECT_STREQ(text, "ab");  // digits swallowed, letters passed on to the control
    EXPECT_EQ(counting.UnsubclassWindow(), edit);
    ::SendMessageA(edit, WM_CHAR, 'c', 1);
    EXPECT_EQ(counting.chars, 4);

    COwnerButton owner;
    ASSERT_TRUE(owner.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 30, 50, 60), &parent, 10));
    parent.ShowWindow(SW_SHOW);
    parent.UpdateWindow();
    // WM_DRAWITEM reflected to the button's DrawItem.
    EXPECT_TRUE(vektest::PumpUntil([&] { return owner.draws > 0; }));
    parent.DestroyWindow();
}

TEST(WndTest, CaptureScrollBarsAndText)
{
    CWnd w;
    ASSERT_TRUE(w.CreateEx(0, nullptr, "滚动", WS_OVERLAPPEDWINDOW | WS_VSCROLL, 0, 0, 200, 200, nullptr, nullptr));
    w.ShowWindow(SW_SHOW);
    w.SetCapture();
    EXPECT_EQ(CWnd::GetCapture(), &w);
    ::ReleaseCapture();
    EXPECT_NE(CWnd::GetCapture(), &w);
    SCROLLINFO si{};
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = 99;
    si.nPage = 10;
    si.nPos = 50;
    w.SetScrollInfo(SB_VERT, &si);
    EXPECT_EQ(w.GetScrollPos(SB_VERT), 50);
    EXPECT_EQ(w.GetScrollLimit(SB_VERT), 90);
    w.SetWindowText("新标题");
    CString t;
    w.GetWindowText(t);
    EXPECT_STREQ(t, "新标题");
    EXPECT_EQ(w.GetWindowTextLength(), t.GetLength());
    w.DestroyWindow();
}
