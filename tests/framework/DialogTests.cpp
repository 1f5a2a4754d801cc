// Dialogs: data exchange and range checks in a modal dialog, modeless
// dialogs that delete themselves, property sheets, controls, file dialogs.
#include "TestApp.h"
#include "fwtest_res.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class CExchangeDlg : public CDialog {
public:
    CExchangeDlg() : CDialog(IDD_EXCHANGE) {}
    int m_int = 5;
    double m_real = 2.5;
    UINT m_uint = 3;
    int m_check = 1;
    int m_radio = 2;
    int m_combo = 1;
    int m_slider = 40;
    CString m_text = "初始文字";
    int initCalls = 0;

protected:
    BOOL OnInitDialog() override
    {
        ++initCalls;
        CComboBox* combo = static_cast<CComboBox*>(GetDlgItem(IDC_COMBO));
        combo->AddString("零");
        combo->AddString("一");
        combo->AddString("二");
        ::SendMessageA(::GetDlgItem(m_hWnd, IDC_SLIDER), TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
        return CDialog::OnInitDialog();
    }
    void DoDataExchange(CDataExchange* dx) override
    {
        DDX_Text(dx, IDC_INT, m_int);
        DDV_MinMaxInt(dx, m_int, 1, 10);
        DDX_Text(dx, IDC_REAL, m_real);
        DDV_MinMaxDouble(dx, m_real, 0.0, 100.0);
        DDX_Text(dx, IDC_UINT, m_uint);
        DDX_Check(dx, IDC_CHECK, m_check);
        DDX_Radio(dx, IDC_RADIO1, m_radio);
        DDX_CBIndex(dx, IDC_COMBO, m_combo);
        DDX_Slider(dx, IDC_SLIDER, m_slider);
        DDX_Text(dx, IDC_TEXT, m_text);
        DDV_MaxChars(dx, m_text, 8);
    }
};

CString ItemText(CWnd* dlg, int id)
{
    CString s;
    dlg->GetDlgItemText(id, s);
    return s;
}

class CModelessDlg : public CDialog {
public:
    static int destroyed;
    CModelessDlg() = default;
    ~CModelessDlg() override { ++destroyed; }

protected:
    void OnCancel() override { DestroyWindow(); }
    void PostNcDestroy() override { delete this; }
};
int CModelessDlg::destroyed = 0;

class CPageOne : public CPropertyPage {
public:
    CPageOne() : CPropertyPage(IDD_PAGE_ONE) {}
    int m_value = 3;
    int activations = 0;

protected:
    BOOL OnSetActive() override
    {
        ++activations;
        return CPropertyPage::OnSetActive();
    }
    void DoDataExchange(CDataExchange* dx) override
    {
        DDX_Text(dx, IDC_INT, m_value);
        DDV_MinMaxInt(dx, m_value, 0, 50);
    }
};

class CPageTwo : public CPropertyPage {
public:
    CPageTwo() : CPropertyPage(IDD_PAGE_TWO) {}
    CString m_name = "梁";
    int applied = 0;

protected:
    void DoDataExchange(CDataExchange* dx) override { DDX_Text(dx, IDC_TEXT, m_name); }
    void OnOK() override { ++applied; }
};

}  // namespace

TEST(DialogTest, ExchangeFillsControlsAndRangeFailureKeepsTheDialogOpen)
{
    CExchangeDlg dlg;
    MessageBoxRecorder boxes;
    struct Seen {
        CString intText, realText, uintText, text;
        int check = -1, radio2 = -1, radio3 = -1, combo = -1, slider = -1;
        bool openAfterFailure = false, focusOnInt = false, modal = false;
        bool openAfterParse = false;
    } seen;
    RunSoon([&] {
        ASSERT_NE(dlg.m_hWnd, nullptr);
        seen.modal = CDialog::GetActiveModal() == &dlg;
        seen.intText = ItemText(&dlg, IDC_INT);
        seen.realText = ItemText(&dlg, IDC_REAL);
        seen.uintText = ItemText(&dlg, IDC_UINT);
        seen.text = ItemText(&dlg, IDC_TEXT);
        seen.check = static_cast<int>(dlg.IsDlgButtonChecked(IDC_CHECK));
        seen.radio2 = static_cast<int>(dlg.IsDlgButtonChecked(IDC_RADIO2));
        seen.radio3 = static_cast<int>(dlg.IsDlgButtonChecked(IDC_RADIO3));
        seen.combo = static_cast<int>(::SendMessageA(::GetDlgItem(dlg.m_hWnd, IDC_COMBO), CB_GETCURSEL, 0, 0));
        seen.slider = static_cast<int>(::SendMessageA(::GetDlgItem(dlg.m_hWnd, IDC_SLIDER), TBM_GETPOS, 0, 0));
        // Out of range: OK must not close.
        dlg.SetDlgItemText(IDC_INT, "99");
        dlg.SendMessage(WM_COMMAND, IDOK);
        seen.openAfterFailure = ::IsWindow(dlg.m_hWnd) && ::IsWindowVisible(dlg.m_hWnd);
        seen.focusOnInt = ::GetFocus() == ::GetDlgItem(dlg.m_hWnd, IDC_INT);
        // Not a number: the same.
        dlg.SetDlgItemText(IDC_INT, "7");
        dlg.SetDlgItemText(IDC_REAL, "1.5e");
        dlg.SendMessage(WM_COMMAND, IDOK);
        seen.openAfterParse = ::IsWindow(dlg.m_hWnd);
        // Now good values.
        dlg.SetDlgItemText(IDC_REAL, " 12.25 ");
        dlg.SetDlgItemText(IDC_UINT, "4000000000");
        dlg.CheckDlgButton(IDC_CHECK, BST_UNCHECKED);
        dlg.CheckRadioButton(IDC_RADIO1, IDC_RADIO3, IDC_RADIO1);
        ::SendMessageA(::GetDlgItem(dlg.m_hWnd, IDC_COMBO), CB_SETCURSEL, 2, 0);
        ::SendMessageA(::GetDlgItem(dlg.m_hWnd, IDC_SLIDER), TBM_SETPOS, TRUE, 75);
        dlg.SetDlgItemText(IDC_TEXT, "新文字");
        dlg.SendMessage(WM_COMMAND, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(seen.modal);
    EXPECT_EQ(dlg.initCalls, 1);
    EXPECT_STREQ(seen.intText, "5");
    EXPECT_STREQ(seen.realText, "2.5");
    EXPECT_STREQ(seen.uintText, "3");
    EXPECT_STREQ(seen.text, "初始文字");
    EXPECT_EQ(seen.check, 1);
    EXPECT_EQ(seen.radio2, 0);
    EXPECT_EQ(seen.radio3, 1);
    EXPECT_EQ(seen.combo, 1);
    EXPECT_EQ(seen.slider, 40);
    EXPECT_TRUE(seen.openAfterFailure);
    EXPECT_TRUE(seen.focusOnInt);
    EXPECT_TRUE(seen.openAfterParse);
    ASSERT_EQ(boxes.texts.size(), 2u);
    EXPECT_EQ(boxes.texts[0], "请输入一个 1 到 10 之间的整数。");
    EXPECT_EQ(boxes.texts[1], "请输入一个数。");
    EXPECT_EQ(dlg.m_int, 7);
    EXPECT_DOUBLE_EQ(dlg.m_real, 12.25);
    EXPECT_EQ(dlg.m_uint, 4000000000u);
    EXPECT_EQ(dlg.m_check, 0);
    EXPECT_EQ(dlg.m_radio, 0);
    EXPECT_EQ(dlg.m_combo, 2);
    EXPECT_EQ(dlg.m_slider, 75);
    EXPECT_STREQ(dlg.m_text, "新文字");
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST(DialogTest, CancelKeepsTheDataAndExchangeChecksEachKind)
{
    CExchangeDlg dlg;
    RunSoon([&] {
        dlg.SetDlgItemText(IDC_INT, "8");
        dlg.SendMessage(WM_COMMAND, IDCANCEL);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_int, 5);

    // Values that do not parse or do not fit, each on its own.
    struct Case {
        int id;
        const char* text;
        const char* message;
    } cases[] = {
        {IDC_UINT, "-1", "请输入一个正整数。"},
        {IDC_UINT, "4294967296", "请输入一个正整数。"},
        {IDC_INT, "2147483648", "请输入一个整数。"},
        {IDC_INT, "0", "请输入一个 1 到 10 之间的整数。"},
        {IDC_REAL, "nan", "请输入一个 0 到 100 之间的数。"},
        {IDC_REAL, "100.5", "请输入一个 0 到 100 之间的数。"},
        {IDC_TEXT, "九个字符的文字啊", nullptr},  // 16 bytes, limit 8
    };
    for (const Case& c : cases) {
        CExchangeDlg d;
        MessageBoxRecorder boxes;
        bool stayed = false;
        RunSoon([&] {
            d.SetDlgItemText(c.id, c.text);
            d.SendMessage(WM_COMMAND, IDOK);
            stayed = ::IsWindow(d.m_hWnd);
            d.SendMessage(WM_COMMAND, IDCANCEL);
        });
        d.DoModal();
        EXPECT_TRUE(stayed) << c.text;
        ASSERT_EQ(boxes.texts.size(), 1u) << c.text;
        if (c.message) {
            EXPECT_EQ(boxes.texts[0], c.message) << c.text;
        }
    }
}

TEST(DialogTest, ModelessDialogDeletesItselfWhenDestroyed)
{
    CModelessDlg::destroyed = 0;
    auto* dlg = new CModelessDlg;
    ASSERT_TRUE(dlg->Create(IDD_MODELESS));
    EXPECT_TRUE(dlg->IsWindowVisible());
    HWND h = dlg->m_hWnd;
    EXPECT_EQ(CWnd::FromHandlePermanent(h), dlg);
    ::SendMessageA(h, WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(::IsWindow(h));
    EXPECT_EQ(CModelessDlg::destroyed, 1);
    EXPECT_EQ(CWnd::FromHandlePermanent(h), nullptr);

    // Destroyed from outside (its owner going away) the same happens.
    auto* again = new CModelessDlg;
    ASSERT_TRUE(again->Create(IDD_MODELESS));
    ::DestroyWindow(again->m_hWnd);
    EXPECT_EQ(CModelessDlg::destroyed, 2);
}

TEST(PropertySheetTest, DataMovesToAndFromThePages)
{
    CPageOne one;
    CPageTwo two;
    CPropertySheet sheet("属性");
    sheet.AddPage(&one);
    sheet.AddPage(&two);
    EXPECT_EQ(sheet.GetPageCount(), 2);
    MessageBoxRecorder boxes;
    CString shownOne, shownTwo;
    int pageAfterFailure = -1;
    RunSoon([&] {
        ASSERT_NE(sheet.m_hWnd, nullptr);
        ASSERT_NE(one.m_hWnd, nullptr);
        shownOne = ItemText(&one, IDC_INT);
        one.SetDlgItemText(IDC_INT, "77");  // out of range: the page may not be left
        sheet.SetActivePage(1);
        pageAfterFailure = sheet.GetActiveIndex();
        one.SetDlgItemText(IDC_INT, "42");
        sheet.SetActivePage(1);
        RunSoon([&] {
            shownTwo = ItemText(&two, IDC_TEXT);
            two.SetDlgItemText(IDC_TEXT, "柱");
            ::SendMessageA(sheet.m_hWnd, PSM_PRESSBUTTON, PSBTN_OK, 0);
        });
    });
    theTestApp.m_preTranslated.clear();
    theTestApp.m_bRecord = true;
    EXPECT_EQ(sheet.DoModal(), IDOK);
    theTestApp.m_bRecord = false;
    // The sheet's own loop offers its messages to PreTranslateMessage.
    EXPECT_FALSE(theTestApp.m_preTranslated.empty());
    EXPECT_STREQ(shownOne, "3");
    EXPECT_EQ(pageAfterFailure, 0);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], "请输入一个 0 到 50 之间的整数。");
    EXPECT_STREQ(shownTwo, "梁");
    EXPECT_EQ(one.m_value, 42);
    EXPECT_STREQ(two.m_name, "柱");
    EXPECT_EQ(two.applied, 1);
    EXPECT_GE(one.activations, 1);
    EXPECT_EQ(sheet.m_hWnd, nullptr);
    EXPECT_EQ(one.m_hWnd, nullptr);
}

TEST(ControlsTest, ListsCombosSlidersSpinsAndTips)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "控件", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr));

    CCheckListBox checks;
    ASSERT_TRUE(checks.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY,
                              CRect(0, 0, 150, 100), &parent, 20));
    checks.AddString("第一层");
    checks.AddString("第三层");
    checks.InsertString(1, "第二层");
    checks.SetCheck(2, 1);
    EXPECT_EQ(checks.GetCheck(2), 1);
    EXPECT_EQ(checks.GetCheck(1), 0);  // the inserted item moved the later check along
    checks.SetCurSel(0);
    checks.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(checks.GetCheck(0), 1);
    checks.Enable(0, FALSE);
    checks.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(checks.GetCheck(0), 1);  // a disabled item keeps its check
    checks.DeleteString(0);
    EXPECT_EQ(checks.GetCheck(1), 1);
    CString item;
    checks.GetText(0, item);
    EXPECT_STREQ(item, "第二层");

    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(160, 0, 260, 200), &parent, 21));
    combo.AddString("种1");
    combo.AddString("种2");
    combo.SetCurSel(1);
    combo.GetLBText(combo.GetCurSel(), item);
    EXPECT_STREQ(item, "种2");
    EXPECT_EQ(combo.FindStringExact(-1, "种1"), 0);

    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 110, 300, 200), &parent, 22));
    list.InsertColumn(0, "名称", LVCFMT_LEFT, 80);
    list.InsertColumn(1, "值", LVCFMT_LEFT, 80);
    EXPECT_EQ(list.InsertItem(0, "材料"), 0);
    list.SetItemText(0, 1, "C30");
    list.SetItemData(0, 1234);
    EXPECT_STREQ(list.GetItemText(0, 0), "材料");
    EXPECT_STREQ(list.GetItemText(0, 1), "C30");
    EXPECT_EQ(list.GetItemData(0), 1234u);
    EXPECT_EQ(list.GetItemCount(), 1);

    CSliderCtrl slider;
    ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE, CRect(0, 210, 200, 240), &parent, 23));
    slider.SetRange(10, 20);
    slider.SetPos(99);
    EXPECT_EQ(slider.GetPos(), 20);  // kept within the range

    CEdit buddy;
    ASSERT_TRUE(buddy.Create(WS_CHILD | WS_VISIBLE, CRect(210, 210, 260, 230), &parent, 24));
    CSpinButtonCtrl spin;
    ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT, CRect(260, 210, 280, 230), &parent, 25));
    spin.SetBuddy(&buddy);
    spin.SetRange(-5, 5);
    spin.SetPos(3);
    EXPECT_EQ(spin.GetPos32(), 3);

    CToolTipCtrl tips;
    ASSERT_TRUE(tips.Create(&parent));
    EXPECT_TRUE(tips.AddTool(&combo, "当前荷载种类"));
    EXPECT_EQ(tips.GetToolCount(), 1);
    EXPECT_STREQ(tips.GetText(&combo), "当前荷载种类");
    tips.UpdateTipText("新提示", &combo);
    EXPECT_STREQ(tips.GetText(&combo), "新提示");
    tips.DestroyWindow();
    parent.DestroyWindow();
}

TEST(FileDialogTest, FilterAndChosenNames)
{
    CFileDialog::SetTestHook([](CFileDialog* dlg) -> INT_PTR {
        // The filter arrives with zero separators.
        const char* f = dlg->m_ofn.lpstrFilter;
        if (std::string(f) != "工程 (*.prj)" || std::string(f + strlen(f) + 1) != "*.prj") return IDCANCEL;
        // Several files: the folder, then the names.
        static const char chosen[] = "C:\\工程\0a.prj\0b.prj\0";
        memcpy(dlg->m_ofn.lpstrFile, chosen, sizeof chosen);
        dlg->m_ofn.nFileOffset = 8;
        return IDOK;
    });
    CFileDialog dlg(TRUE, "prj", nullptr, OFN_ALLOWMULTISELECT, "工程 (*.prj)|*.prj|全部|*.*||");
    ASSERT_EQ(dlg.DoModal(), IDOK);
    POSITION pos = dlg.GetStartPosition();
    std::vector<std::string> names;
    while (pos) names.emplace_back(dlg.GetNextPathName(pos).GetString());
    EXPECT_EQ(names, (std::vector<std::string>{"C:\\工程\\a.prj", "C:\\工程\\b.prj"}));
    EXPECT_STREQ(dlg.GetFolderPath(), "C:\\工程");

    CFileDialog::SetTestHook([](CFileDialog* dlg) -> INT_PTR {
        strcpy(dlg->m_ofn.lpstrFile, "D:\\模型\\楼.PRJ");
        return IDOK;
    });
    CFileDialog single(FALSE, "prj");
    ASSERT_EQ(single.DoModal(), IDOK);
    EXPECT_STREQ(single.GetPathName(), "D:\\模型\\楼.PRJ");
    EXPECT_STREQ(single.GetFileName(), "楼.PRJ");
    EXPECT_STREQ(single.GetFileTitle(), "楼");
    EXPECT_STREQ(single.GetFileExt(), "PRJ");
    CFileDialog::SetTestHook(nullptr);
}

TEST(ColorDialogTest, TheTestHookAnswersInsteadOfTheUser)
{
    CColorDialog::SetTestHook([](CColorDialog* dlg) -> INT_PTR {
        // The dialog starts at its colour, with the caller's flags.
        if (dlg->m_cc.rgbResult != RGB(1, 2, 3) || !(dlg->m_cc.Flags & CC_FULLOPEN)) return IDCANCEL;
        dlg->SetCurrentColor(RGB(40, 50, 60));
        return IDOK;
    });
    CColorDialog dlg(RGB(1, 2, 3), CC_FULLOPEN | CC_SOLIDCOLOR);
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetColor(), RGB(40, 50, 60));
    CColorDialog::SetTestHook([](CColorDialog*) -> INT_PTR { return IDCANCEL; });
    CColorDialog other(RGB(9, 9, 9));
    EXPECT_EQ(other.DoModal(), IDCANCEL);
    CColorDialog::SetTestHook(nullptr);
}

TEST(PropertySheetTest, CancelLeavesThePagesData)
{
    CPageOne one;
    CPropertySheet sheet("属性");
    sheet.AddPage(&one);
    RunSoon([&] {
        one.SetDlgItemText(IDC_INT, "9");
        ::SendMessageA(sheet.m_hWnd, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(one.m_value, 3);
}

TEST(ControlsTest, CheckBoxClickTogglesItemsInEveryColumn)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "多列", WS_OVERLAPPEDWINDOW, 0, 0, 400, 200, nullptr, nullptr));
    CCheckListBox checks;
    ASSERT_TRUE(checks.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_MULTICOLUMN |
                                  LBS_NOINTEGRALHEIGHT | WS_HSCROLL,
                              CRect(0, 0, 360, 70), &parent, 20));
    checks.SendMessage(LB_SETCOLUMNWIDTH, 100);
    for (const char* s : {"一", "二", "三", "四", "五", "六", "七", "八"}) checks.AddString(s);
    CRect first, last;
    checks.GetItemRect(0, &first);
    checks.GetItemRect(7, &last);
    ASSERT_GT(last.left, first.left);  // the last item lies in a later column
    // On the box, then beside it on the text.
    checks.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(last.left + 3, last.top + 3));
    checks.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(last.left + 3, last.top + 3));
    EXPECT_EQ(checks.GetCheck(7), 1);
    checks.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(last.left + 60, last.top + 3));
    checks.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(last.left + 60, last.top + 3));
    EXPECT_EQ(checks.GetCheck(7), 1);
    checks.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(first.left + 3, first.top + 3));
    checks.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(first.left + 3, first.top + 3));
    EXPECT_EQ(checks.GetCheck(0), 1);
    parent.DestroyWindow();
}
