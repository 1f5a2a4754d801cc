// The real grid in a dialog of the system's base and in a property page,
// driven by the mouse and the keyboard through the system's input: typing,
// F2, Enter, Tab, arrows and pages, Esc, the row and corner buttons, column
// edges, the focus hand-shake with the dialog, and what it paints.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "GridTestApp.h"
#include "analysis/GridRes.h"
#include "analysis/TableFill.h"
#include "analysis/TableTwoCol.h"
#include "tests/support/TestFiles.h"

using namespace gridtest;
using vektest::Key;
using vektest::MouseButton;
using vektest::MouseToClient;
using vektest::Tap;

namespace {

class GridTest : public ::testing::Test {
protected:
    std::unique_ptr<CTableWnd> grid;
    std::unique_ptr<CGridDlg> dlg;
    std::vector<CString> messages;  // message boxes, instead of shown

    void SetUp() override
    {
        AfxSetMessageBoxHook([this](const CString& text, const CString&, UINT) {
            messages.push_back(text);
            return IDOK;
        });
    }
    void TearDown() override
    {
        vektest::MouseAway();
        if (dlg && dlg->m_hWnd) dlg->DestroyWindow();
        dlg.reset();
        grid.reset();
        Drain();
        AfxSetMessageBoxHook(nullptr);
        CFileDialog::SetTestHook(nullptr);
    }

    // A shown dialog in front with a grid of rows x cols; column 1..n header
    // texts and the row numbers in column 0.
    void Open(CTableWnd* table, CRect rect = CRect(8, 8, 368, 248))
    {
        grid.reset(table);
        dlg = std::make_unique<CGridDlg>(grid.get(), rect);
        ASSERT_TRUE(dlg->Create(IDD_GRID_HOST));
        dlg->SetWindowPos(nullptr, 30, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        for (int c = 1; c < grid->GetColCount(); ++c) grid->SetCellText(0, c, ("宽度" + std::to_string(c)).c_str());
        for (int r = 1; r < grid->GetRowCount(); ++r) grid->SetCellText(r, 0, std::to_string(r).c_str());
        dlg->ShowWindow(SW_SHOW);
        dlg->SetForegroundWindow();
        dlg->UpdateWindow();
        Drain();
    }
    void Open(int rows, int cols, CRect rect = CRect(8, 8, 368, 248)) { Open(new CTableWnd(rows, cols), rect); }

    const CTableModel& T() const { return grid->GetTable(); }
    bool EditorShown() const { return grid->GetEditor()->IsWindowVisible() != FALSE; }
    CString EditorText() const
    {
        CString s;
        grid->GetEditor()->GetWindowText(s);
        return s;
    }
    std::string Cell(int r, int c) const
    {
        const char* t = grid->GetCellTextPtr(r, c);
        return t ? t : "(none)";
    }
    bool ActiveIs(int r, int c) const { return grid->GetActiveRow() == r && grid->GetActiveCol() == c; }

    void ClickAt(int x, int y)
    {
        MouseToClient(grid->m_hWnd, x, y);
        MouseButton(true);
        MouseButton(false);
        Drain();
    }
    void ClickCell(int r, int c)
    {
        const RECT rc = T().CellRect(r, c);
        ClickAt((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    }
    // Keys of digits and lower-case letters.
    void Type(const char* text)
    {
        for (const char* p = text; *p; ++p) Tap(WORD(*p >= 'a' && *p <= 'z' ? *p - 'a' + 'A' : *p));
        Drain();
    }
    void ShiftTab()
    {
        Key(VK_SHIFT, true);
        Tap(VK_TAB);
        Key(VK_SHIFT, false);
        Drain();
    }
    void FocusGrid()
    {
        grid->SetFocus();
        Drain();
    }
};

// ---- typing and moving ---------------------------------------------------------------------

TEST_F(GridTest, TypingF2EnterAndEsc)
{
    Open(6, 4);
    ShotOnFailure shot(dlg->m_hWnd, "grid_typing");
    grid->SetCellText(1, 1, "old");
    ClickCell(1, 2);
    ASSERT_TRUE(WaitUntil([&] { return ActiveIs(1, 2); }));
    EXPECT_EQ(::GetFocus(), grid->m_hWnd);

    // Typing on the grid opens the editor with the keys typed.
    Type("12");
    ASSERT_TRUE(WaitUntil([&] { return EditorShown() && EditorText() == "12"; })) << EditorText().GetString();
    EXPECT_EQ(::GetFocus(), grid->GetEditor()->m_hWnd);
    Tap(VK_TAB);
    ASSERT_TRUE(WaitUntil([&] { return ActiveIs(1, 3); }));
    EXPECT_EQ(Cell(1, 2), "12");
    EXPECT_FALSE(EditorShown());
    EXPECT_EQ(::GetFocus(), grid->m_hWnd) << "the editor gave the focus back to the grid";

    // F2 shows the cell's text, all of it selected: typing replaces it; Esc
    // keeps the old text.
    ClickCell(1, 1);
    ASSERT_TRUE(WaitUntil([&] { return ActiveIs(1, 1); }));
    Tap(VK_F2);
    ASSERT_TRUE(WaitUntil([&] { return EditorShown() && EditorText() == "old"; }));
    int from = -1, to = -1;
    grid->GetEditor()->GetSel(from, to);
    EXPECT_EQ(from, 0);
    EXPECT_EQ(to, 3);
    Type("9");
    ASSERT_TRUE(WaitUntil([&] { return EditorText() == "9"; }));
    Tap(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return !EditorShown(); }));
    EXPECT_EQ(Cell(1, 1), "old");
    EXPECT_EQ(dlg->m_nCancel, 0) << "Esc in the editor cancels the edit only";
    EXPECT_TRUE(::IsWindowVisible(dlg->m_hWnd));

    // Enter in the editor keeps the text and moves on; the dialog stays.
    Tap(VK_F2);
    ASSERT_TRUE(WaitUntil([&] { return EditorShown(); }));
    Type("x");
    Tap(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return ActiveIs(1, 2); }));
    EXPECT_EQ(Cell(1, 1), "x");
    EXPECT_EQ(dlg->m_nOk, 0);

    // A click on the active cell opens the editor too.
    ClickCell(1, 2);
    ASSERT_TRUE(WaitUntil([&] { return EditorShown() && EditorText() == "12"; }));
    Tap(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return !EditorShown(); }));

    // Read-only: neither typing nor F2 opens the editor.
    grid->m_bReadOnly = 1;
    Type("5");
    Tap(VK_F2);
    Tap(VK_RIGHT);
    ASSERT_TRUE(WaitUntil([&] { return ActiveIs(1, 3); }));
    EXPECT_FALSE(EditorShown());
    EXPECT_EQ(Cell(1, 2), "12");
}

TEST_F(GridTest, TheEditorGrowsWithItsTextAndMayTakeNumbersOnly)
{
    Open(3, 3);
    ShotOnFailure shot(dlg->m_hWnd, "grid_editor");
    ClickCell(1, 1);
    ASSERT_TRUE(WaitUntil([&] { return ActiveIs(1, 1); }));
    CRect before;
    Type("1");
    ASSERT_TRUE(WaitUntil([&] { return EditorShown(); }));
    grid->GetEditor()->GetWindowRect(&before);
    Type("234567890123456789012345678901234567890");
    ASSERT_TRUE(WaitUntil([&] { return EditorText().GetLength() == 40; }));
    CRect after;
    grid->GetEditor()->GetWindowRect(&after);
    EXPECT_GT(after.Width(), before.Width()) << "grown to the right";
    EXPECT_EQ(after.left, before.left);
    Tap(VK_TAB);
    ASSERT_TRUE(WaitUntil([&] { return ActiveIs(1, 2); }));
    EXPECT_EQ(Cell(1, 1).size(), 40u);

    grid->GetEditor()->m_bNumericOnly = 1;
    Type("1a2e");
    Key(VK_SHIFT, true);
    Tap(VK_OEM_PLUS);  // '+'
    Key(VK_SHIFT, false);
    Type("x5");
    Tap(VK_TAB);
    ASSERT_TRUE(WaitUntil([&] { return ActiveIs(2, 1); }));
    EXPECT_EQ(Cell(1, 2), "12e+5");
}

TEST_F(GridTest, AGridOfOneColumnIsNotMade)
{
    CTableWnd narrow(3, 1);
    Open(3, 2);
    EXPECT_FALSE(narrow.Create(CRect(0, 0, 100, 100), dlg.get(), 1002));
    EXPECT_EQ(narrow.m_hWnd, nullptr);
    // Nor through the window's own creation.
    CTableWnd other(2, 1);
    EXPECT_FALSE(other.CreateEx(0, nullptr, nullptr, WS_CHILD, CRect(0, 0, 100, 100), dlg.get(), 1003));
}

TEST_F(GridTest, ADialogShownTwiceMakesItsGridAgain)
{
    Open(3, 3);
    grid->SetCellText(1, 1, "kept");
    dlg->DestroyWindow();
    Drain();
    EXPECT_EQ(grid->m_hWnd, nullptr);
    ASSERT_TRUE(dlg->Create(IDD_GRID_HOST));
    dlg->ShowWindow(SW_SHOW);
    dlg->SetForegroundWindow();
    Drain();
    ShotOnFailure shot(dlg->m_hWnd, "grid_again");
    ASSERT_NE(grid->m_hWnd, nullptr);
    EXPECT_EQ(Cell(1, 1), "kept");
    ClickCell(1, 2);
    ASSERT_TRUE(WaitUntil([&] { return ActiveIs(1, 2); }));
    Type("9");
    Tap(VK_TAB);
    ASSERT_TRUE(WaitUntil([&] { return Cell(1, 2) == "9"; }));
    LOGFONT lf{};
    grid->GetDefaultFont()->GetLogFont(&lf);
    EXPECT_STREQ(lf.lfFaceName, "宋体");
}

TEST_F(GridTest, EnterOnTheLastCellAppendsARow)
{
    Open(3, 3);
    ShotOnFailure shot(dlg->m_hWnd, "grid_append");
    ClickCell(2, 2);
    ASSERT_TRUE(WaitUntil([&] { return ActiveIs(2, 2); }));
    Type("7");
    Tap(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return grid->GetRowCount() == 4; }));
    EXPECT_TRUE(ActiveIs(3, 1));
    EXPECT_EQ(Cell(2, 2), "7");
    EXPECT_EQ(Cell(3, 1), "(none)");
    EXPECT_EQ(grid->GetCellColor(3, 1), ::GetSysColor(COLOR_WINDOW)) << "the new row looks like the one above";
}

TEST_F(GridTest, TabAndShiftTabWrapAndScroll)
{
    Open(4, 20);  // nineteen data columns: not all fit
    ShotOnFailure shot(dlg->m_hWnd, "grid_tab");
    ClickCell(1, 1);
    ASSERT_TRUE(WaitUntil([&] { return ActiveIs(1, 1); }));
    for (int c = 2; c <= 19; ++c) {
        Tap(VK_TAB);
        ASSERT_TRUE(WaitUntil([&] { return ActiveIs(1, c); })) << c;
        const RECT rc = T().CellRect(1, c);
        CRect client;
        grid->GetClientRect(&client);
        EXPECT_FALSE(T().IsScrolledOut(1, c)) << "column " << c << " is in view";
        EXPECT_LE(rc.left, client.right) << c;
    }
    EXPECT_GT(T().Scroll().m_nFirstCol, 0) << "the grid scrolled right";
    Tap(VK_TAB);
    ASSERT_TRUE(WaitUntil([&] { return ActiveIs(2, 1); }));
    EXPECT_EQ(T().Scroll().m_nFirstCol, 0) << "the next row starts fully left";
    ShiftTab();
    ASSERT_TRUE(WaitUntil([&] { return ActiveIs(1, 19); }));
    EXPECT_EQ(T().Scroll().m_nFirstCol, 18) << "fully right";
    ShiftTab();
    ASSERT_TRUE(WaitUntil([&] { return ActiveIs(1, 18); }));
    EXPECT_FALSE(T().IsScrolledOut(1, 18));
    // At the first cell, Shift+Tab and Left do nothing.
    for (int i = 0; i < 18; ++i) ShiftTab();
    ASSERT_TRUE(WaitUntil([&] { return ActiveIs(1, 1); }));
    ShiftTab();
    Tap(VK_LEFT);
    Drain();
    EXPECT_TRUE(ActiveIs(1, 1));
}

TEST_F(GridTest, ArrowsAndPagesScrollTheRows)
{
    Open(61, 3);
    ShotOnFailure shot(dlg->m_hWnd, "grid_pages");
    ClickCell(1, 1);
    ASSERT_TRUE(WaitUntil([&] { return ActiveIs(1, 1); }));
    CRect client;
    grid->GetClientRect(&client);
    for (int r = 2; r <= 20; ++r) {
        Tap(VK_DOWN);
        ASSERT_TRUE(WaitUntil([&] { return ActiveIs(r, 1); })) << r;
        const RECT rc = T().CellRect(r, 1);
        EXPECT_FALSE(T().IsScrolledOut(r, 1)) << r;
        EXPECT_LE(rc.bottom, client.bottom) << "row " << r << " in view";
    }
    EXPECT_GT(T().Scroll().m_nFirstRow, 0);
    const int page = T().Scroll().m_nPageRows;
    ASSERT_GT(page, 1);
    const int first = T().Scroll().m_nFirstRow;
    Tap(VK_NEXT);
    ASSERT_TRUE(WaitUntil([&] { return ActiveIs(20 + page, 1); }));
    EXPECT_EQ(T().Scroll().m_nFirstRow, first + page);
    Tap(VK_PRIOR);
    ASSERT_TRUE(WaitUntil([&] { return ActiveIs(20, 1); }));
    EXPECT_EQ(T().Scroll().m_nFirstRow, first);
    for (int i = 0; i < 25; ++i) Tap(VK_UP);
    ASSERT_TRUE(WaitUntil([&] { return ActiveIs(1, 1); }));
    EXPECT_EQ(T().Scroll().m_nFirstRow, 0);
    // Page Down at the end stops at the last row.
    for (int i = 0; i < 10; ++i) Tap(VK_NEXT);
    ASSERT_TRUE(WaitUntil([&] { return ActiveIs(60, 1); }));
    EXPECT_LE(T().Scroll().m_nFirstRow, 59);
    // Page Up in the editor moves one page up and nothing else.
    Type("3");
    ASSERT_TRUE(WaitUntil([&] { return EditorShown(); }));
    Tap(VK_PRIOR);
    ASSERT_TRUE(WaitUntil([&] { return ActiveIs(60 - page, 1); }));
    EXPECT_EQ(Cell(60, 1), "3");
    EXPECT_FALSE(EditorShown());
}

TEST_F(GridTest, UpAndDownInTheEditorStayInTheGrid)
{
    Open(5, 3);
    ShotOnFailure shot(dlg->m_hWnd, "grid_updown");
    ClickCell(2, 2);
    ASSERT_TRUE(WaitUntil([&] { return ActiveIs(2, 2); }));
    Type("5");
    ASSERT_TRUE(WaitUntil([&] { return EditorShown(); }));
    Tap(VK_DOWN);
    ASSERT_TRUE(WaitUntil([&] { return ActiveIs(3, 2); }));
    EXPECT_EQ(Cell(2, 2), "5");
    Type("6");
    ASSERT_TRUE(WaitUntil([&] { return EditorShown(); }));
    Tap(VK_UP);
    ASSERT_TRUE(WaitUntil([&] { return ActiveIs(2, 2); }));
    EXPECT_EQ(Cell(3, 2), "6");
    HWND focus = ::GetFocus();
    EXPECT_TRUE(focus == grid->m_hWnd || focus == grid->GetEditor()->m_hWnd) << "not the dialog's next control";
    EXPECT_EQ(dlg->m_nKillFocus, 0);
}

TEST_F(GridTest, DeleteDownToTheHeaderRowThenOnlyInsertActs)
{
    Open(4, 3);
    ShotOnFailure shot(dlg->m_hWnd, "grid_delete");
    ClickCell(1, 1);
    ASSERT_TRUE(WaitUntil([&] { return ActiveIs(1, 1); }));
    for (int n = 3; n >= 1; --n) {
        Tap(VK_DELETE);
        ASSERT_TRUE(WaitUntil([&] { return grid->GetRowCount() == n; })) << n;
    }
    EXPECT_EQ(grid->GetActiveRow(), 0);
    Type("1");
    Tap(VK_F2);
    Tap(VK_DOWN);
    Tap(VK_DELETE);
    Drain();
    EXPECT_FALSE(EditorShown());
    EXPECT_EQ(grid->GetRowCount(), 1);
    EXPECT_STREQ(grid->GetCellTextPtr(0, 1), "宽度1") << "the header row stays";
    Tap(VK_INSERT);
    ASSERT_TRUE(WaitUntil([&] { return grid->GetRowCount() == 2; }));
    EXPECT_TRUE(ActiveIs(1, 1)) << "the new row takes the keys";
    EXPECT_EQ(grid->GetCellColor(1, 2), ::GetSysColor(COLOR_WINDOW));
    Type("3");
    Tap(VK_TAB);
    ASSERT_TRUE(WaitUntil([&] { return Cell(1, 1) == "3"; }));
}

// ---- buttons and edges ---------------------------------------------------------------------

TEST_F(GridTest, RowButtonsDeleteAndInsert)
{
    Open(5, 3);
    ShotOnFailure shot(dlg->m_hWnd, "grid_row_buttons");
    for (int r = 1; r < 5; ++r) grid->SetCellText(r, 1, ("r" + std::to_string(r)).c_str());
    const int w = T().GetColWidth(0);
    auto rowY = [&](int r) {
        const RECT rc = T().CellRect(r, 0);
        return (rc.top + rc.bottom) / 2;
    };
    ClickAt(w / 5, rowY(2));
    ASSERT_TRUE(WaitUntil([&] { return grid->GetRowCount() == 4; }));
    EXPECT_EQ(Cell(2, 1), "r3");
    vektest::MouseAway();
    ClickAt(w - w / 5, rowY(1));
    ASSERT_TRUE(WaitUntil([&] { return grid->GetRowCount() == 5; }));
    EXPECT_EQ(Cell(2, 1), "(none)") << "a new row after row 1";
    EXPECT_EQ(Cell(3, 1), "r3");
    // The middle of the header cell does nothing.
    vektest::MouseAway();
    ClickAt(w / 2, rowY(1));
    Drain();
    EXPECT_EQ(grid->GetRowCount(), 5);
    // A double click on "+" inserts two rows: its first click has acted already.
    vektest::MouseAway();
    MouseToClient(grid->m_hWnd, w - w / 5, rowY(4));
    for (int i = 0; i < 2; ++i) {
        MouseButton(true);
        MouseButton(false);
    }
    ASSERT_TRUE(WaitUntil([&] { return grid->GetRowCount() == 7; }));
    EXPECT_EQ(Cell(4, 1), "r4");
    EXPECT_EQ(Cell(5, 1), "(none)");
    EXPECT_EQ(Cell(6, 1), "(none)");
}

TEST_F(GridTest, CornerInsertsAtTheTopOfTheVisibleRows)
{
    Open(30, 3);
    ShotOnFailure shot(dlg->m_hWnd, "grid_corner_insert");
    grid->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 10));
    Drain();
    ASSERT_EQ(T().Scroll().m_nFirstRow, 10);
    grid->SetCellText(11, 1, "top");
    const int w = T().GetColWidth(0);
    ClickAt(w - 4, T().GetRowHeight(0) / 2);
    ASSERT_TRUE(WaitUntil([&] { return grid->GetRowCount() == 31; }));
    EXPECT_EQ(Cell(11, 1), "(none)");
    EXPECT_EQ(Cell(12, 1), "top");
}

// The fill dialog, answered from its own message loop.
const char kFillCaption[] = "表格填充参数对话框";

void AnswerFill(int mode, const char* rows, bool ok)
{
    OnNextDialog(kFillCaption, [=](HWND h) {
        auto* fill = DYNAMIC_DOWNCAST(CFillTableDlg, CDialog::GetActiveModal());
        if (!fill || fill->m_hWnd != h) return;
        ::CheckRadioButton(h, IDC_FILL_COPY, IDC_FILL_SERIES, mode == 0 ? IDC_FILL_COPY : IDC_FILL_SERIES);
        ::SetDlgItemTextA(h, IDC_FILL_ROWS, rows);
        ::PostMessageA(::GetDlgItem(h, ok ? IDOK : IDCANCEL), BM_CLICK, 0, 0);
    });
}

TEST_F(GridTest, AutoFillThroughItsDialog)
{
    Open(2, 3);
    ShotOnFailure shot(dlg->m_hWnd, "grid_autofill");
    grid->SetCellText(1, 1, "3");
    grid->SetCellText(1, 2, "梁");
    const int h = T().GetRowHeight(0);
    // Clicks one after another on a button, far enough apart not to be a
    // double click.
    int nth = 0;
    int left[3], right[3];
    grid->GetCornerButtons(left, right);
    auto clickF = [&] { ClickAt(++nth % 2 ? 3 : right[0] - 2, h / 2); };
    AnswerFill(1, "2", true);
    clickF();
    ASSERT_TRUE(WaitUntil([&] { return grid->GetRowCount() == 4; }));
    EXPECT_EQ(Cell(2, 1), "4");
    EXPECT_EQ(Cell(3, 1), "5");
    EXPECT_EQ(Cell(3, 2), "梁");

    AnswerFill(0, "1", true);
    clickF();
    ASSERT_TRUE(WaitUntil([&] { return grid->GetRowCount() == 5; }));
    EXPECT_EQ(Cell(4, 1), "5") << "copied";

    // Cancel, and a count below 1, change nothing.
    for (const auto& answer : {std::make_pair("3", false), std::make_pair("0", true)}) {
        bool asked = false;
        OnNextDialog(kFillCaption, [&, answer](HWND h) {
            asked = true;
            ::SetDlgItemTextA(h, IDC_FILL_ROWS, answer.first);
            ::PostMessageA(::GetDlgItem(h, answer.second ? IDOK : IDCANCEL), BM_CLICK, 0, 0);
        });
        clickF();
        ASSERT_TRUE(WaitUntil([&] { return asked && !CDialog::GetActiveModal(); }));
        EXPECT_EQ(grid->GetRowCount(), 5);
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(GridTest, AutoFillOfAHeaderRowAloneSaysWhy)
{
    Open(1, 3);
    ClickAt(2 * T().GetColWidth(0) / 14, T().GetRowHeight(0) / 2);
    ASSERT_TRUE(WaitUntil([&] { return !messages.empty(); }));
    EXPECT_STREQ(messages[0], "实现自动填充功能之前必须至少输入一行的内容！");
    EXPECT_EQ(grid->GetRowCount(), 1);
}

struct ImportAnswer {
    std::string path;
    std::string filter, defExt;
    DWORD flags = 0;
    int asked = 0;
};
ImportAnswer g_import;

TEST_F(GridTest, ImportThroughTheFileDialog)
{
    vektest::TempFile file("grid_import", ".txt");
    ASSERT_TRUE(file.WriteText("1.5,梁 甲\t多余\r\n2\r\nlast,x"));
    g_import = ImportAnswer();
    g_import.path = file.path();
    CFileDialog::SetTestHook([](CFileDialog* d) -> INT_PTR {
        ++g_import.asked;
        for (const char* f = d->m_ofn.lpstrFilter; *f; f += std::strlen(f) + 1) g_import.filter += std::string(f) + "|";
        g_import.defExt = d->m_ofn.lpstrDefExt ? d->m_ofn.lpstrDefExt : "";
        g_import.flags = d->m_ofn.Flags;
        if (g_import.path.empty()) return IDCANCEL;
        std::strcpy(d->m_ofn.lpstrFile, g_import.path.c_str());
        return IDOK;
    });
    Open(6, 4);
    ShotOnFailure shot(dlg->m_hWnd, "grid_import");
    grid->SetCellText(5, 1, "old");
    const int h = T().GetRowHeight(0);
    int left[3], right[3];
    grid->GetCornerButtons(left, right);
    ClickAt(left[1] + 2, h / 2);
    ASSERT_TRUE(WaitUntil([&] { return grid->GetRowCount() == 4; }));
    EXPECT_EQ(g_import.filter, "ANSI文本文件(*.txt)|*.txt|所有文件(*.*)|*.*|");
    EXPECT_EQ(g_import.defExt, "txt");
    const DWORD want = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_ENABLESIZING;
    EXPECT_EQ(g_import.flags & want, want);
    EXPECT_EQ(Cell(1, 1), "1.5");
    EXPECT_EQ(Cell(1, 2), "梁");
    EXPECT_EQ(Cell(1, 3), "甲");
    EXPECT_EQ(Cell(2, 1), "2");
    EXPECT_EQ(Cell(2, 2), " ");
    EXPECT_EQ(Cell(3, 1), "last");
    EXPECT_EQ(Cell(3, 2), "x");
    EXPECT_STREQ(grid->GetCellTextPtr(0, 1), "宽度1");

    // A cancelled dialog and a file that cannot be read change nothing.
    g_import.path.clear();
    ClickAt(right[1] - 2, h / 2);
    ASSERT_TRUE(WaitUntil([&] { return g_import.asked == 2; }));
    g_import.path = file.path() + ".missing";
    ClickAt(left[1] + 2, h / 2);
    ASSERT_TRUE(WaitUntil([&] { return !messages.empty(); }));
    EXPECT_NE(std::string(messages[0]).find("无法打开文件"), std::string::npos);
    EXPECT_EQ(grid->GetRowCount(), 4);
    EXPECT_EQ(Cell(3, 1), "last");
}

TEST_F(GridTest, AColumnEdgeIsDraggedWithinItsLimits)
{
    Open(4, 4);
    ShotOnFailure shot(dlg->m_hWnd, "grid_drag");
    const int left = T().GetColWidth(0);
    const int edge = left + T().GetColWidth(1);
    const int y = T().GetRowHeight(0) / 2;
    ASSERT_EQ(grid->IsSplitLine(edge, y), 1);

    const HCURSOR sizing = ::LoadCursor(nullptr, IDC_SIZEWE), arrow = ::LoadCursor(nullptr, IDC_ARROW);
    MouseToClient(grid->m_hWnd, edge - 20, y);
    ASSERT_TRUE(WaitUntil([&] { return ::GetCursor() == arrow; }));
    MouseToClient(grid->m_hWnd, edge, y);
    ASSERT_TRUE(WaitUntil([&] { return ::GetCursor() == sizing; })) << "the resize cursor over a column edge";
    MouseButton(true);
    MouseToClient(grid->m_hWnd, left + 40, y);
    ASSERT_TRUE(WaitUntil([&] { return T().GetColWidth(1) == 40; }));
    MouseToClient(grid->m_hWnd, left + 10, y);
    Drain();
    EXPECT_EQ(T().GetColWidth(1), 40) << "narrower than 25 is not followed";
    MouseButton(false);
    ASSERT_TRUE(WaitUntil([&] { return T().GetColWidth(1) == 25; })) << T().GetColWidth(1);
    EXPECT_EQ(::GetCapture(), nullptr);

    CRect client;
    grid->GetClientRect(&client);
    MouseToClient(grid->m_hWnd, left + 25, y);
    MouseButton(true);
    MouseToClient(grid->m_hWnd, client.right - 5, y);
    ASSERT_TRUE(WaitUntil([&] { return T().GetColWidth(1) == client.right - 5 - left; }));
    MouseToClient(grid->m_hWnd, client.right + 60, y);
    Drain();
    EXPECT_EQ(T().GetColWidth(1), client.right - 5 - left) << "not beyond the right edge";
    MouseButton(false);
    ASSERT_TRUE(WaitUntil([&] { return ::GetCapture() == nullptr; }));
    EXPECT_EQ(T().GetColWidth(1), client.right - left) << "released outside: held at the right edge";
    EXPECT_EQ(T().GetTotalWidth(), T().ColsWidth(0, 4));
}

// ---- the dialog ----------------------------------------------------------------------------

TEST_F(GridTest, LeavingTheGridTellsTheDialogOnce)
{
    Open(4, 3);
    ShotOnFailure shot(dlg->m_hWnd, "grid_killfocus");
    HWND other = ::GetDlgItem(dlg->m_hWnd, IDC_GRID_OTHER);
    ClickCell(1, 1);
    ASSERT_TRUE(WaitUntil([&] { return ::GetFocus() == grid->m_hWnd; }));
    EXPECT_EQ(dlg->m_nKillFocus, 0);
    CRect r;
    ::GetClientRect(other, &r);
    MouseToClient(other, r.CenterPoint().x, r.CenterPoint().y);
    MouseButton(true);
    MouseButton(false);
    ASSERT_TRUE(WaitUntil([&] { return ::GetFocus() == other; }));
    Drain();
    EXPECT_EQ(dlg->m_nKillFocus, 1);

    // From the editor: the text is kept and the dialog told once; the grid
    // and its editor passing the focus between them tell nothing.
    ClickCell(2, 2);
    ASSERT_TRUE(WaitUntil([&] { return ActiveIs(2, 2) && ::GetFocus() == grid->m_hWnd; }));
    Type("4");
    ASSERT_TRUE(WaitUntil([&] { return EditorShown(); }));
    Tap(VK_TAB);
    ASSERT_TRUE(WaitUntil([&] { return ActiveIs(3, 1); }));
    Type("8");
    ASSERT_TRUE(WaitUntil([&] { return EditorShown(); }));
    EXPECT_EQ(dlg->m_nKillFocus, 1);
    MouseToClient(other, r.CenterPoint().x, r.CenterPoint().y);
    MouseButton(true);
    MouseButton(false);
    ASSERT_TRUE(WaitUntil([&] { return ::GetFocus() == other; }));
    Drain();
    EXPECT_EQ(dlg->m_nKillFocus, 2);
    EXPECT_EQ(Cell(2, 2), "4");
    EXPECT_EQ(Cell(3, 1), "8");
    EXPECT_FALSE(EditorShown());
}

TEST_F(GridTest, EnterAndEscOnTheGridEndTheDialog)
{
    for (const UINT key : {UINT(VK_RETURN), UINT(VK_ESCAPE)}) {
        auto* table = new CTableWnd(3, 3);
        grid.reset(table);
        CGridDlg modal(table);
        modal.m_script = [&] {
            modal.SetForegroundWindow();
            table->SetFocus();
            Tap(WORD(key));
        };
        const INT_PTR result = modal.DoModal();
        if (key == VK_RETURN) {
            EXPECT_EQ(result, IDOK);
            EXPECT_EQ(modal.m_nOk, 1) << "OK once";
            EXPECT_EQ(modal.m_okParam, LPARAM(kGridId)) << "the grid's id comes with it";
            EXPECT_EQ(modal.m_nCancel, 0);
        } else {
            EXPECT_EQ(result, IDCANCEL);
            EXPECT_EQ(modal.m_nCancel, 1);
            EXPECT_EQ(modal.m_nOk, 0);
        }
        Drain();
        grid.reset();
    }
}

TEST_F(GridTest, InAPropertyPage)
{
    grid.reset(new CTableWnd(5, 3));
    CGridPage page(grid.get());
    CMyPropertySheet sheet("表格页");
    sheet.AddPage(&page);
    ASSERT_TRUE(sheet.Create());
    sheet.SetWindowPos(nullptr, 30, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    sheet.ShowWindow(SW_SHOW);
    sheet.SetForegroundWindow();
    Drain();
    ShotOnFailure shot(sheet.m_hWnd, "grid_page");
    ASSERT_NE(grid->m_hWnd, nullptr);
    ClickCell(1, 1);
    ASSERT_TRUE(WaitUntil([&] { return ::GetFocus() == grid->m_hWnd; }));
    Type("21");
    Tap(VK_TAB);
    ASSERT_TRUE(WaitUntil([&] { return ActiveIs(1, 2); }));
    EXPECT_EQ(Cell(1, 1), "21");
    Type("22");
    Tap(VK_DOWN);
    ASSERT_TRUE(WaitUntil([&] { return ActiveIs(2, 2); }));
    EXPECT_EQ(Cell(1, 2), "22");
    Tap(VK_TAB);
    ASSERT_TRUE(WaitUntil([&] { return ActiveIs(3, 1); })) << "Tab stays in the grid";
    EXPECT_EQ(page.m_nKillFocus, 0);
    HWND other = ::GetDlgItem(page.m_hWnd, IDC_GRID_OTHER);
    ::SetFocus(other);
    Drain();
    EXPECT_EQ(page.m_nKillFocus, 1);
    sheet.DestroyWindow();
    Drain();
}

// ---- scrolling a long table ----------------------------------------------------------------

TEST_F(GridTest, TheThumbReachesRowsBeyondSixteenBits)
{
    Open(70001, 3);
    ShotOnFailure shot(dlg->m_hWnd, "grid_thumb");
    SCROLLBARINFO sb{};
    sb.cbSize = sizeof sb;
    ASSERT_TRUE(::GetScrollBarInfo(grid->m_hWnd, OBJID_VSCROLL, &sb));
    const int x = (sb.rcScrollBar.left + sb.rcScrollBar.right) / 2;
    const int thumb = sb.rcScrollBar.top + (sb.xyThumbTop + sb.xyThumbBottom) / 2;
    vektest::MouseTo(x, thumb);
    MouseButton(true);
    vektest::MouseTo(x, sb.rcScrollBar.bottom + 5);
    MouseButton(false);
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    ASSERT_TRUE(WaitUntil([&] { return T().Scroll().m_nFirstRow > 65535; })) << T().Scroll().m_nFirstRow;
    grid->GetScrollInfo(SB_VERT, &si);
    EXPECT_EQ(T().Scroll().m_nFirstRow, si.nMax - int(si.nPage) + 1) << "the thumb's last position";
    EXPECT_EQ(si.nPos, T().Scroll().m_nFirstRow);
    // The rows in view are the last ones.
    const CTableBound b = T().VisibleRange(RECT{0, 0, 300, 200});
    EXPECT_EQ(b.firstRow, T().Scroll().m_nFirstRow + 1);
    ClickCell(b.firstRow, 1);
    ASSERT_TRUE(WaitUntil([&] { return ActiveIs(b.firstRow, 1); }));
}

TEST_F(GridTest, RowsMemoryCannotHoldAreRefusedWithAMessage)
{
    Open(3, 3);
    grid->SetCellText(2, 1, "kept");
    grid->ResizeRows(1 << 30);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(std::string(messages[0]).find("内存不足"), std::string::npos) << messages[0].GetString();
    EXPECT_EQ(grid->GetRowCount(), 3);
    EXPECT_EQ(Cell(2, 1), "kept");
}

// ---- what it paints --------------------------------------------------------------------

// Pixels of text (of any smoothing) inside a header cell of the face colour.
int InkPixels(HWND hwnd, const RECT& r)
{
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const int paper = GetRValue(face) + GetGValue(face) + GetBValue(face);
    int n = 0;
    HDC dc = ::GetDC(hwnd);
    for (int y = r.top + 2; y < r.bottom - 2; ++y)
        for (int x = r.left + 2; x < r.right - 2; ++x) {
            const COLORREF c = ::GetPixel(dc, x, y);
            n += GetRValue(c) + GetGValue(c) + GetBValue(c) < paper - 150;
        }
    ::ReleaseDC(hwnd, dc);
    return n;
}

TEST_F(GridTest, FrameHeadersColoursAndTheDisabledLook)
{
    Open(5, 4);
    ShotOnFailure shot(dlg->m_hWnd, "grid_paint");
    const COLORREF window = ::GetSysColor(COLOR_WINDOW), face = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF text = ::GetSysColor(COLOR_WINDOWTEXT);
    grid->SetCellText(0, 2, "宽度2");  // the same text over columns 1 and 2 but for its digit
    ClickCell(2, 1);
    ASSERT_TRUE(WaitUntil([&] { return ActiveIs(2, 1) && ::GetFocus() == grid->m_hWnd; }));
    Drain();
    const RECT c21 = T().CellRect(2, 1);
    const int midY = (c21.top + c21.bottom) / 2;
    EXPECT_EQ(Hex(ClientPixel(grid->m_hWnd, c21.left + 2, midY)), Hex(text)) << "the active frame";
    EXPECT_EQ(Hex(ClientPixel(grid->m_hWnd, (c21.left + c21.right) / 2, midY)), Hex(window));

    // The active column's and row's headers are bold.
    LOGFONT lf{};
    ASSERT_NE(grid->GetCellFont(0, 1), nullptr);
    grid->GetCellFont(0, 1)->GetLogFont(&lf);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    grid->GetCellFont(2, 0)->GetLogFont(&lf);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    grid->GetCellFont(0, 2)->GetLogFont(&lf);
    EXPECT_EQ(lf.lfWeight, FW_NORMAL);
    const int bold = InkPixels(grid->m_hWnd, T().CellRect(0, 1));
    const int plain = InkPixels(grid->m_hWnd, T().CellRect(0, 2));
    EXPECT_GT(plain, 10) << "the Chinese header is drawn";
    EXPECT_GT(bold, plain) << "and drawn bold when its column is active";

    // Moving on wipes the old frame and unmarks its headers.
    Tap(VK_RIGHT);
    ASSERT_TRUE(WaitUntil([&] { return ActiveIs(2, 2); }));
    Drain();
    EXPECT_EQ(Hex(ClientPixel(grid->m_hWnd, c21.left + 2, midY)), Hex(window));
    grid->GetCellFont(0, 1)->GetLogFont(&lf);
    EXPECT_EQ(lf.lfWeight, FW_NORMAL);

    // Cell colours, and the data cells of a disabled grid.
    grid->SetCellColor(3, 3, RGB(255, 0, 0));
    grid->Invalidate(FALSE);
    grid->UpdateWindow();
    const RECT c33 = T().CellRect(3, 3);
    EXPECT_EQ(Hex(ClientPixel(grid->m_hWnd, (c33.left + c33.right) / 2, (c33.top + c33.bottom) / 2)),
              Hex(RGB(255, 0, 0)));
    grid->EnableWindow(FALSE);
    grid->UpdateWindow();
    const RECT c13 = T().CellRect(1, 3);
    EXPECT_EQ(Hex(ClientPixel(grid->m_hWnd, (c13.left + c13.right) / 2, (c13.top + c13.bottom) / 2)), Hex(face));
    EXPECT_EQ(grid->GetCellColor(3, 3), face);
    grid->EnableWindow(TRUE);
    grid->UpdateWindow();
    EXPECT_EQ(Hex(ClientPixel(grid->m_hWnd, (c13.left + c13.right) / 2, (c13.top + c13.bottom) / 2)), Hex(window));
    EXPECT_EQ(grid->GetCellColor(0, 3), face) << "the headers keep their colour";
}

TEST_F(GridTest, TheDefaultFontHasTheChineseGlyphs)
{
    Open(2, 2);
    CFont* font = grid->GetDefaultFont();
    ASSERT_NE(font, nullptr);
    LOGFONT lf{};
    font->GetLogFont(&lf);
    EXPECT_STREQ(lf.lfFaceName, "宋体");
    HDC dc = ::GetDC(grid->m_hWnd);
    HGDIOBJ old = ::SelectObject(dc, font->m_hObject);
    WORD glyphs[2] = {0, 0};
    const wchar_t text[] = L"宋体";
    EXPECT_EQ(::GetGlyphIndicesW(dc, text, 2, glyphs, GGI_MARK_NONEXISTING_GLYPHS), 2u);
    EXPECT_NE(glyphs[0], 0xFFFF);
    EXPECT_NE(glyphs[1], 0xFFFF);
    ::SelectObject(dc, old);
    ::ReleaseDC(grid->m_hWnd, dc);
}

// The buttons of the corner and of the header column show their texts
// whole, inside their raised edges, in the grid's own font, and the corner's
// lie side by side within column 0.
TEST_F(GridTest, HeaderButtonsHoldTheirTexts)
{
    Open(3, 3);
    const int w = T().GetColWidth(0);
    int left[3], right[3];
    grid->GetCornerButtons(left, right);
    struct Button {
        const char* text;
        int left, right;
    };
    const Button buttons[] = {
        {CTableWnd::CornerButtonText(0), left[0], right[0]},
        {CTableWnd::CornerButtonText(1), left[1], right[1]},
        {CTableWnd::CornerButtonText(2), left[2], right[2]},
        {"-", 2, 2 * w / 5},
        {"+", w - 2 * w / 5, w - 2},
    };
    EXPECT_STREQ(buttons[1].text, "导");
    EXPECT_GE(left[0], 0);
    EXPECT_LT(right[0], left[1]);
    EXPECT_LT(right[1], left[2]);
    EXPECT_LE(right[2], w);
    HDC dc = ::GetDC(grid->m_hWnd);
    HGDIOBJ old = ::SelectObject(dc, grid->GetDefaultFont()->m_hObject);
    for (const Button& b : buttons) {
        SIZE s{};
        ::GetTextExtentPoint32A(dc, b.text, int(std::strlen(b.text)), &s);
        EXPECT_LE(s.cx + 2, b.right - b.left) << b.text << " in a column 0 of " << w;
    }
    ::SelectObject(dc, old);
    ::ReleaseDC(grid->m_hWnd, dc);
}

TEST_F(GridTest, ATableOfTheHeaderRowAloneIsPaintedWithoutDataCells)
{
    Open(1, 2);
    ShotOnFailure shot(dlg->m_hWnd, "grid_headers_only");
    const COLORREF back = grid->m_crBackground;
    const int h = T().GetRowHeight(0);
    EXPECT_EQ(Hex(ClientPixel(grid->m_hWnd, T().GetColWidth(0) + 20, h + 20)), Hex(back));
    EXPECT_GT(InkPixels(grid->m_hWnd, T().CellRect(0, 1)), 10) << "the header text";
    // The corner's buttons.
    EXPECT_GT(InkPixels(grid->m_hWnd, RECT{0, 0, T().GetColWidth(0), h}), 10);
}

// ---- the two-column grid ------------------------------------------------------------------

TEST_F(GridTest, TwoColumnGridShowsAndReadsItsItems)
{
    auto* two = new CTableTwoCol(2, 0);
    Open(two);
    ShotOnFailure shot(dlg->m_hWnd, "grid_two_columns");
    EXPECT_EQ(two->GetColCount(), 3);
    two->m_items.Add(CAxisGridItem(3.0, 30.0));
    two->m_items.Add(CAxisGridItem(-1.0, 10.0));
    ASSERT_EQ(two->UpdateData(0), 1);
    EXPECT_EQ(two->GetRowCount(), 3);
    EXPECT_EQ(Cell(1, 1), "-1");
    EXPECT_EQ(Cell(2, 2), "30");
    ClickCell(2, 1);
    ASSERT_TRUE(WaitUntil([&] { return ActiveIs(2, 1); }));
    Type("2");
    Tap(VK_TAB);
    ASSERT_TRUE(WaitUntil([&] { return Cell(2, 1) == "2"; }));
    ASSERT_EQ(two->UpdateData(1), 1);
    ASSERT_EQ(two->m_items.GetSize(), 2);
    double v;
    two->m_items.GetAt(1)->GetLeft(v);
    EXPECT_EQ(v, 2.0);
    two->m_items.GetAt(1)->GetRight(v);
    EXPECT_EQ(v, 30.0);

    const int total = T().GetColWidth(1) + T().GetColWidth(2);
    two->SetWidthRatio(3.0);
    EXPECT_EQ(T().GetColWidth(1), total * 3 / 4);
    EXPECT_EQ(T().GetColWidth(1) + T().GetColWidth(2), total);
    two->SetWidthRatio(0.0);
    EXPECT_EQ(T().GetColWidth(1), total * 3 / 4) << "a ratio of 0 is ignored";
}

}  // namespace
