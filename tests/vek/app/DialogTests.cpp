// The edit dialog, the scrolling edit, the two bubbles and the About box,
// driven as a user would.
#include <gtest/gtest.h>

#include <string>

#include "AppTestUtil.h"
#include "tests/support/WinInput.h"
#include "tests/support/WinTestSupport.h"
#include "vek/app/AboutDlg.h"
#include "vek/app/AppWindows.h"
#include "vek/app/EditDialog.h"
#include "vek/app/FlashDialogs.h"
#include "vek/app/VekView.h"
#include "vek/model/AppHelpers.h"
#include "vek/res/AppDialogsRes.h"
#include "vek/res/resource.h"

using apptest::Frame;
using vektest::PumpUntil;
using vektest::RunSoon;

namespace {

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

CRect ClientRectOf(CWnd* parent, int id)
{
    CRect r;
    CWnd* w = parent->GetDlgItem(id);
    if (!w) return r;
    w->GetWindowRect(&r);
    parent->ScreenToClient(&r);
    return r;
}

}  // namespace

TEST(EditDialog, OneIntRowTakesTheTypedValueOnlyOnOk)
{
    ASSERT_NE(Frame(), nullptr);
    const char* labels[] = {"总层数:"};
    const BYTE kinds[] = {CEditDialog::kInt};
    EditSlot values[1];
    values[0].i = 3;
    for (int button : {IDCANCEL, IDOK}) {
        CEditDialog dlg(Frame());
        dlg.SetParams(values, kinds, 1, "总层数输入", labels);
        CString shown, title;
        bool focusedAndSelected = false;
        WhenModal([&](CDialog* d) {
            d->GetDlgItemText(103, shown);
            d->GetWindowText(title);
            DWORD start = 0, end = 0;
            d->GetDlgItem(103)->SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                                            reinterpret_cast<LPARAM>(&end));
            focusedAndSelected = ::GetFocus() == d->GetDlgItem(103)->m_hWnd && start == 0 && end == 1;
            EXPECT_EQ(d->GetDlgItem(104), nullptr);  // one row only
            d->SetDlgItemText(103, "12");
            d->SendMessage(WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        });
        EXPECT_EQ(dlg.DoModal(), button);
        EXPECT_STREQ(shown, "3");
        EXPECT_STREQ(title, "总层数输入");
        EXPECT_TRUE(focusedAndSelected);
        EXPECT_EQ(values[0].i, button == IDOK ? 12 : 3);
    }
}

TEST(EditDialog, RowsAreLaidOutFromTheLabelsAndAFailedCheckChangesNothing)
{
    ASSERT_NE(Frame(), nullptr);
    const char* labels[] = {"X:", "很长的一个标签文字:", "名称:"};
    const BYTE kinds[] = {CEditDialog::kDouble, CEditDialog::kInt, CEditDialog::kText};
    CString name = "A";
    EditSlot values[3];
    values[0].d = 1.5;
    values[1].i = 2;
    values[2].text = &name;
    CEditDialog dlg(Frame());
    dlg.SetParams(values, kinds, 3, "三个值", labels);
    apptest::BoxRecorder boxes;
    WhenModal([&](CDialog* d) {
        const CRect edit0 = ClientRectOf(d, 103), edit2 = ClientRectOf(d, 105);
        const CRect ok = ClientRectOf(d, IDOK), cancel = ClientRectOf(d, IDCANCEL);
        const int H = edit0.Height();
        EXPECT_EQ(edit0.top, 15);
        EXPECT_EQ(edit2.top, 15 + 2 * (H + 2));
        EXPECT_EQ(edit0.Width(), 7 * H);
        EXPECT_EQ(ok.top, edit2.bottom + 15);
        EXPECT_EQ(cancel.top, ok.top);
        CRect window;
        d->GetWindowRect(&window);
        const int g = (window.Width() - 2 * ok.Width()) / 3;
        EXPECT_EQ(ok.left, g);
        EXPECT_EQ(cancel.left, ok.Width() + 2 * g);
        EXPECT_EQ(window.Width(), 7 * H + 34 + (edit0.left - 19));
        // The int row refuses text: the dialog stays open and keeps every value.
        d->SetDlgItemText(103, "8.25");
        d->SetDlgItemText(104, "abc");
        d->SetDlgItemText(105, "B");
        d->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        EXPECT_TRUE(d->m_hWnd && ::IsWindow(d->m_hWnd));
        d->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(boxes.texts.size(), 1u);
    EXPECT_DOUBLE_EQ(values[0].d, 1.5);
    EXPECT_EQ(values[1].i, 2);
    EXPECT_STREQ(name, "A");
}

TEST(EditDialog, WithoutKindsEveryValueIsADouble)
{
    ASSERT_NE(Frame(), nullptr);
    const char* labels[] = {"dx:", "dy:"};
    EditSlot values[2];
    values[0].d = 0.5;
    values[1].d = -2;
    CEditDialog dlg(Frame());
    dlg.SetParams(values, nullptr, 2, "偏移", labels);
    WhenModal([&](CDialog* d) {
        d->SetDlgItemText(104, "3.75");
        d->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_DOUBLE_EQ(values[0].d, 0.5);
    EXPECT_DOUBLE_EQ(values[1].d, 3.75);
}

TEST(ScrollEdit, BarsShowOnlyWhenTheTextNeedsThem)
{
    ASSERT_NE(Frame(), nullptr);
    CScrollEdit edit;
    ASSERT_TRUE(edit.CreateEx(WS_EX_CLIENTEDGE, "EDIT", "",
                              WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                              CRect(10, 10, 210, 90), GetVekView(), 0x7001));
    auto bars = [&] { return edit.GetStyle() & (WS_VSCROLL | WS_HSCROLL); };
    edit.SetText("一行");
    EXPECT_EQ(bars(), 0u);
    std::string many;
    for (int i = 0; i < 30; ++i) many += "第" + std::to_string(i) + "行\r\n";
    edit.SetText(many.c_str());
    EXPECT_EQ(bars(), static_cast<DWORD>(WS_VSCROLL));
    edit.SetText((std::string(200, 'W') + "\r\nx").c_str());
    EXPECT_EQ(bars(), static_cast<DWORD>(WS_HSCROLL));
    edit.SetText("");
    EXPECT_EQ(bars(), 0u);
    edit.DestroyWindow();
}

TEST(PromptBalloon, ShapedLikeABalloonAndGoneAfterItsTime)
{
    ASSERT_NE(Frame(), nullptr);
    auto* balloon = new CPromptFlashDlg;
    const DWORD start = ::GetTickCount();
    ASSERT_TRUE(balloon->ShowPrompt("立面工作平台下定义的立面与当前立面一样!", nullptr, FALSE, 2000));
    HWND h = balloon->m_hWnd;
    EXPECT_TRUE(::IsWindowVisible(h));
    CRect r;
    ::GetWindowRect(h, &r);
    const int w = r.Width(), ht = r.Height();
    HRGN shape = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(::GetWindowRgn(h, shape), ERROR);
    EXPECT_TRUE(::PtInRegion(shape, w / 2, ht / 4));                                            // the ellipse
    EXPECT_TRUE(::PtInRegion(shape, static_cast<int>(0.175 * w), static_cast<int>(0.6 * ht)));  // the tail
    EXPECT_FALSE(::PtInRegion(shape, w - 3, ht - 3));
    EXPECT_FALSE(::PtInRegion(shape, w / 2, static_cast<int>(0.9 * ht)));
    EXPECT_FALSE(::PtInRegion(shape, 1, 1));  // the ellipse's corner
    ::DeleteObject(shape);
    // Placed 200 pixels in from the view's left, at its top.
    CPoint corner(200, 0);
    GetVekView()->ClientToScreen(&corner);
    EXPECT_EQ(r.left, corner.x);
    EXPECT_EQ(r.top, corner.y);
    CString text;
    balloon->GetDlgItemText(IDC_FLASH_TEXT, text);
    EXPECT_STREQ(text, "立面工作平台下定义的立面与当前立面一样!");

    ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(h); }, apptest::kSafety));
    EXPECT_GE(::GetTickCount() - start, 1900u);
}

TEST(PromptBalloon, AClickTakesItAway)
{
    ASSERT_NE(Frame(), nullptr);
    auto* balloon = new CPromptFlashDlg;
    ASSERT_TRUE(balloon->ShowPrompt("红色提示", nullptr, TRUE, 60000));
    HWND h = balloon->m_hWnd;
    CRect r;
    ::GetWindowRect(h, &r);
    vektest::PumpPending();
    vektest::MouseTo(r.left + r.Width() / 2, r.top + r.Height() * 42 / 100);  // the balloon, below its text
    vektest::MouseButton(true);
    vektest::MouseButton(false);
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(h); }, 10000));
    vektest::MouseAway();
    if (::IsWindow(h)) ::DestroyWindow(h);
}

TEST(ValuePrompt, BubbleGrowsAndHandsBackTheTypedValue)
{
    ASSERT_NE(Frame(), nullptr);
    CEditFlashDlg* seen = nullptr;
    int steps = -1;
    bool bigEllipse = false, selected = false;
    LRESULT outside = 0, inside = 0;
    WhenModal([&](CDialog* d) {
        seen = static_cast<CEditFlashDlg*>(d);
        CWnd* edit = d->GetDlgItem(IDC_FLASH_EDIT);
        DWORD s = 0, e = 0;
        edit->SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
        selected = s == 0 && e == 2 && ::GetFocus() == edit->m_hWnd;
        PumpUntil([&] { return seen->m_nStep >= 4; });
        steps = seen->m_nStep;
        CRect r;
        d->GetWindowRect(&r);
        HRGN shape = ::CreateRectRgn(0, 0, 0, 0);
        ::GetWindowRgn(d->m_hWnd, shape);
        bigEllipse = ::PtInRegion(shape, r.Width() / 2, r.Height() / 4) && !::PtInRegion(shape, 1, r.Height() - 2);
        ::DeleteObject(shape);
        CRect er;
        edit->GetWindowRect(&er);
        outside = d->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(r.left + r.Width() / 2, r.top + 4));
        inside = d->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(er.left + 2, er.top + 2));
        edit->SetWindowText("7");
        d->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    CString value = "12";
    EXPECT_EQ(AppPromptValue("请输入沿着弧线生成的墙单元数（大于等于1）：", value), 1);
    EXPECT_STREQ(value, "7");
    EXPECT_TRUE(selected);
    EXPECT_EQ(steps, 4);
    EXPECT_TRUE(bigEllipse);
    EXPECT_EQ(outside, HTCAPTION);
    EXPECT_NE(inside, HTCAPTION);

    // Cancelled: the value stays.
    WhenModal([](CDialog* d) { d->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); });
    EXPECT_EQ(AppPromptValue("?", value), 0);
    EXPECT_STREQ(value, "7");
}

namespace {
std::string openedVerb, openedFile;
INT_PTR RecordShell(HWND, const char* verb, const char* file, const char*, const char*, int)
{
    openedVerb = verb ? verb : "";
    openedFile = file ? file : "";
    return 42;
}
}  // namespace

TEST(AboutBox, ShowsTheVersionAndItsLinkOpensTheUpdatePage)
{
    ASSERT_NE(Frame(), nullptr);
    ShellOpenFn old = SetShellOpenHook(&RecordShell);
    openedFile.clear();
    CString version, link;
    WhenModal([&](CDialog* d) {
        d->GetDlgItemText(IDC_ABOUT_VERSION, version);
        d->GetDlgItemText(IDC_ABOUT_LINK, link);
        CRect r;
        d->GetDlgItem(IDC_ABOUT_LINK)->GetWindowRect(&r);
        vektest::MouseTo(r.left + 4, r.top + r.Height() / 2);
        vektest::MouseButton(true);
        vektest::MouseButton(false);
        PumpUntil([] { return !openedFile.empty(); }, 10000);
        vektest::MouseAway();
        d->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    CAboutDlg about;
    EXPECT_EQ(about.DoModal(), IDOK);
    SetShellOpenHook(old);
    EXPECT_STREQ(version, "VEK内部版本号: 7.0.6");
    EXPECT_STREQ(link, "检查程序更新");
    EXPECT_EQ(openedVerb, "open");
    EXPECT_EQ(openedFile, "https://www.example.org/korva/update/");
}
