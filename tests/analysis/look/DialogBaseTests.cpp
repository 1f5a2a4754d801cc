// The dialog bases: keys for a grid reach it in a dialog, a property sheet
// and its page; a sheet reopens on the page it was closed on with OK; a tool
// dialog stays open on Esc and its close box, hands Enter to the view,
// scales its controls and frees itself.
#include <gtest/gtest.h>

#include "LookTestApp.h"
#include "analysis/ControlsXP.h"
#include "analysis/MyDialog.h"
#include "analysis/TableWnd.h"
#include "look_res.h"

using namespace looktest;

namespace {

// A grid that records what its PreTranslateMessage is offered and which keys
// its window receives; it takes the keys when told to.
class CProbeTable : public CTableWnd {
public:
    BOOL take = FALSE;
    std::vector<WPARAM> offered;   // key-downs offered to PreTranslateMessage
    std::vector<WPARAM> received;  // key-downs that reached the window
    CEdit editor;                  // the cell editor, a child of the grid

    bool Make(CWnd* parent)
    {
        if (!CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS), nullptr, WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                      CRect(10, 60, 150, 110), parent, 2000))
            return false;
        return editor.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(2, 2, 80, 22), this, 2001) != FALSE;
    }
    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_KEYDOWN) offered.push_back(msg->wParam);
        return msg->message == WM_KEYDOWN ? take : FALSE;
    }

protected:
    void OnKeyDown(UINT ch, UINT repeat, UINT flags)
    {
        received.push_back(ch);
        CTableWnd::OnKeyDown(ch, repeat, flags);
    }
    LRESULT OnGetDlgCode(WPARAM, LPARAM) { return DLGC_WANTCHARS; }
    DECLARE_MESSAGE_MAP()
};

// clang-format off
BEGIN_MESSAGE_MAP(CProbeTable, CTableWnd)
    ON_WM_KEYDOWN()
    ON_MESSAGE(WM_GETDLGCODE, &CProbeTable::OnGetDlgCode)
END_MESSAGE_MAP()
// clang-format on

bool Contains(const std::vector<WPARAM>& v, WPARAM key)
{
    return std::find(v.begin(), v.end(), key) != v.end();
}

template <class Base>
class CHostDialog : public Base {
public:
    CHostDialog() : Base(IDD_HOST, nullptr) {}
    int oks = 0;
    void OnOK() override { ++oks; }
    void OnCancel() override {}
};

// A host dialog shown with a grid in it, the focus in the grid or its editor.
bool OpenHost(CDialog& dlg, CProbeTable& grid, bool inEditor)
{
    if (!dlg.Create(IDD_HOST)) return false;
    dlg.ShowWindow(SW_SHOW);
    if (!grid.Make(&dlg)) return false;
    if (inEditor)
        grid.editor.SetFocus();
    else
        grid.SetFocus();
    Drain();
    return true;
}

void PostKey(HWND to, WPARAM key)
{
    ::PostMessageA(to, WM_KEYDOWN, key, 1);
    ::PostMessageA(to, WM_KEYUP, key, 0xC0000001);
    Drain();
}

TEST(GridRouting, InADialogTheFocusedGridHasTheLastWord)
{
    CHostDialog<CMyDialog> dlg;
    CProbeTable grid;
    ASSERT_TRUE(OpenHost(dlg, grid, false));
    ShotOnFailure shot(dlg.m_hWnd, "look_grid_dialog");

    // It declines: the key goes to the grid as it is, not to the dialog's keys.
    PostKey(grid.m_hWnd, VK_TAB);
    EXPECT_TRUE(Contains(grid.offered, VK_TAB));
    EXPECT_TRUE(Contains(grid.received, VK_TAB));
    EXPECT_EQ(::GetFocus(), grid.m_hWnd) << "Tab did not move the focus";
    PostKey(grid.m_hWnd, VK_RETURN);
    EXPECT_EQ(dlg.oks, 0) << "Enter did not press OK";

    // It takes the key: nothing else sees it.
    grid.take = TRUE;
    grid.received.clear();
    PostKey(grid.m_hWnd, VK_DOWN);
    EXPECT_TRUE(Contains(grid.offered, VK_DOWN));
    EXPECT_TRUE(grid.received.empty());
    dlg.DestroyWindow();
}

TEST(GridRouting, TheCellEditorsKeysForTheGridGoToIt)
{
    CHostDialog<CMyDialog> dlg;
    CProbeTable grid;
    ASSERT_TRUE(OpenHost(dlg, grid, true));
    for (WPARAM key : {VK_RETURN, VK_TAB, VK_ESCAPE, VK_UP, VK_DOWN}) {
        MSG msg{grid.editor.m_hWnd, WM_KEYDOWN, key, 1, 0, {0, 0}};
        BOOL answer = TRUE;
        EXPECT_TRUE(RouteToTable(&msg, answer)) << key;
        EXPECT_FALSE(answer) << key;
    }
    for (WPARAM key : {WPARAM('A'), WPARAM(VK_LEFT), WPARAM(VK_F2)}) {
        MSG msg{grid.editor.m_hWnd, WM_KEYDOWN, key, 1, 0, {0, 0}};
        BOOL answer = FALSE;
        EXPECT_FALSE(RouteToTable(&msg, answer)) << "the dialog's own handling for " << key;
    }
    PostKey(grid.editor.m_hWnd, VK_RETURN);
    EXPECT_EQ(dlg.oks, 0) << "Enter in the cell editor is the grid's";
    EXPECT_EQ(::GetFocus(), grid.editor.m_hWnd);
    dlg.DestroyWindow();

    // A plain dialog would have taken Enter for itself.
    CHostDialog<CDialog> plain;
    CProbeTable other;
    ASSERT_TRUE(OpenHost(plain, other, true));
    PostKey(other.editor.m_hWnd, VK_RETURN);
    EXPECT_EQ(plain.oks, 1);
    plain.DestroyWindow();
}

// ---- property sheets ------------------------------------------------------------------

class CGridPage : public CMyPropertyPage {
public:
    CGridPage() : CMyPropertyPage(IDD_PAGE1) {}
    CProbeTable grid;
    bool withGrid = false;
    BOOL OnInitDialog() override
    {
        CMyPropertyPage::OnInitDialog();
        if (withGrid) grid.Make(this);
        return TRUE;
    }
};

TEST(GridRouting, InAPropertySheetAndItsPage)
{
    CGridPage page;
    page.withGrid = true;
    EXPECT_EQ(page.m_psp.dwSize, static_cast<DWORD>(PROPSHEETPAGEA_V1_SIZE))
        << "the first page record, this build's size";
    CMyPropertySheet sheet("表格");
    sheet.AddPage(&page);
    ASSERT_TRUE(sheet.Create());
    ShotOnFailure shot(sheet.m_hWnd, "look_grid_sheet");
    ASSERT_NE(page.m_hWnd, nullptr) << "the page was made from its record";
    EXPECT_NE(dynamic_cast<CEditXP*>(CWnd::FromHandlePermanent(::GetDlgItem(page.m_hWnd, IDC_EDIT))), nullptr);
    ASSERT_NE(page.grid.m_hWnd, nullptr);
    // In front with the focus in the grid: a program started by an earlier
    // test may hold the foreground for a while, and may take it back while the
    // key is handled, which leaves this thread no focus: then the key is tried
    // again.
    HWND after = nullptr;
    for (int attempt = 0; attempt < 5 && !after; ++attempt) {
        ASSERT_TRUE(WaitUntil([&] {
            if (::GetFocus() == page.grid.m_hWnd) return true;
            sheet.SetForegroundWindow();
            page.grid.SetFocus();
            return false;
        }));
        PostKey(page.grid.m_hWnd, VK_TAB);
        after = ::GetFocus();
    }
    EXPECT_TRUE(Contains(page.grid.offered, VK_TAB));
    EXPECT_TRUE(Contains(page.grid.received, VK_TAB));
    EXPECT_EQ(after, page.grid.m_hWnd) << "the sheet did not move the focus";
    sheet.DestroyWindow();
    Drain();
}

// A sheet that, once open, runs its script: a page to go to, and OK or Cancel.
class CScriptedSheet : public CMyPropertySheet {
public:
    CScriptedSheet() : CMyPropertySheet("页") {}
    int goTo = -1;
    bool ok = true;
    int openedOn = -1;
    BOOL OnInitDialog() override
    {
        const BOOL r = CMyPropertySheet::OnInitDialog();
        PostMessage(WM_APP);
        return r;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_APP) {
            openedOn = GetActiveIndex();
            if (goTo >= 0) SetActivePage(goTo);
            ::PostMessageA(::GetDlgItem(m_hWnd, ok ? IDOK : IDCANCEL), BM_CLICK, 0, 0);
            return 0;
        }
        return CMyPropertySheet::WindowProc(message, wParam, lParam);
    }
};

TEST(PropertySheetBase, ReopensOnThePageClosedWithOk)
{
    CMyPropertyPage one(IDD_PAGE1), two(IDD_PAGE2);
    CScriptedSheet sheet;
    sheet.AddPage(&one);
    sheet.AddPage(&two);
    sheet.goTo = 1;
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(sheet.openedOn, 0);
    EXPECT_EQ(sheet.m_nActivePage, 1);
    sheet.goTo = 0;
    sheet.ok = false;
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(sheet.openedOn, 1) << "opened where OK closed it";
    EXPECT_EQ(sheet.m_nActivePage, 1) << "Cancel does not move the remembered page";
}

// ---- tool dialogs -----------------------------------------------------------------------

class CProbeTool : public CModelessDialog {
public:
    explicit CProbeTool(bool* gone, bool resizable = false) : CModelessDialog(IDD_TOOL, nullptr), m_gone(gone)
    {
        m_bResizable = resizable;
    }
    ~CProbeTool() override { *m_gone = true; }

private:
    bool* m_gone;
};

TEST(ToolDialog, SurvivesEscAndCloseAndHandsEnterToTheView)
{
    CLookFrame* frame = CLookFrame::Make();
    ASSERT_NE(frame, nullptr);
    auto* view = static_cast<CLookView*>(frame->GetActiveView());
    ASSERT_NE(view, nullptr);
    bool gone = false;
    auto* tool = new CProbeTool(&gone);
    ASSERT_TRUE(tool->Create(IDD_TOOL, frame));
    tool->ShowWindow(SW_SHOW);
    const HWND h = tool->m_hWnd;
    ShotOnFailure shot(h, "look_tool_dialog");
    HWND edit = ::GetDlgItem(h, IDC_EDIT);
    ::SetFocus(edit);
    Drain();

    PostKey(edit, VK_ESCAPE);
    EXPECT_TRUE(::IsWindow(h));
    ::PostMessageA(h, WM_SYSCOMMAND, SC_CLOSE, 0);
    Drain();
    EXPECT_TRUE(::IsWindow(h));
    EXPECT_FALSE(gone);

    PostKey(edit, VK_RETURN);
    ASSERT_EQ(view->m_chars.size(), 1u);
    EXPECT_EQ(view->m_chars[0], static_cast<UINT>(VK_RETURN));
    EXPECT_TRUE(::IsWindow(h));

    // Without a view to confirm, Enter does nothing.
    theLookApp.m_pMainWnd = nullptr;
    PostKey(edit, VK_RETURN);
    EXPECT_EQ(view->m_chars.size(), 1u);
    EXPECT_TRUE(::IsWindow(h));
    theLookApp.m_pMainWnd = frame;

    tool->SaveAndDestroy();
    EXPECT_TRUE(gone) << "the dialog freed itself";
    EXPECT_FALSE(::IsWindow(h));
    CLookFrame::Destroy(frame);
}

TEST(ToolDialog, AResizableOneScalesItsControls)
{
    bool gone = false;
    auto* tool = new CProbeTool(&gone, true);
    ASSERT_TRUE(tool->Create(IDD_TOOL, nullptr));
    tool->ShowWindow(SW_SHOW);
    Drain();
    EXPECT_TRUE(tool->GetStyle() & WS_THICKFRAME) << "a resizable tool dialog gets a sizing border";
    HWND label = ::GetDlgItem(tool->m_hWnd, IDC_LEFT);
    ::MoveWindow(label, 10, 30, 40, 12, TRUE);
    CRect client, window;
    tool->GetClientRect(&client);
    tool->GetWindowRect(&window);
    tool->SetWindowPos(nullptr, 0, 0, window.Width() + client.Width(), window.Height(), SWP_NOMOVE | SWP_NOZORDER);
    Drain();
    CRect now;
    ::GetWindowRect(label, &now);
    ::MapWindowPoints(nullptr, tool->m_hWnd, reinterpret_cast<LPPOINT>(&now), 2);
    EXPECT_EQ(now.left, 20);
    EXPECT_EQ(now.right, 100);
    EXPECT_EQ(now.top, 30) << "the height did not change";
    tool->SaveAndDestroy();
    EXPECT_TRUE(gone);
}

}  // namespace
