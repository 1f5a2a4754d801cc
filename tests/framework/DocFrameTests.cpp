// Documents, views and frames: the single-document template creates them by
// class; commands travel view, document, frame, application; update handlers
// grey menu items and toolbar buttons; bars are laid out, hinted and saved.
#include "TestApp.h"
#include "fwtest_res.h"

#include <gtest/gtest.h>

namespace {

struct Counters {
    int doc = 0, view = 0, frame = 0, viewBoth = 0, docBoth = 0, greyedRan = 0, barButton = 0;
    int opened = 0, saved = 0, newDocs = 0, drawn = 0, updates = 0;
    bool failOpen = false;
} g;

class CTestDoc : public CDocument {
    DECLARE_DYNCREATE(CTestDoc)
public:
    BOOL OnNewDocument() override
    {
        ++g.newDocs;
        return CDocument::OnNewDocument();
    }
    BOOL OnOpenDocument(LPCTSTR path) override
    {
        ++g.opened;
        return g.failOpen ? FALSE : CDocument::OnOpenDocument(path);
    }
    BOOL OnSaveDocument(LPCTSTR path) override
    {
        ++g.saved;
        return CDocument::OnSaveDocument(path);
    }

protected:
    void OnDocCmd() { ++g.doc; }
    void OnBoth() { ++g.docBoth; }
    void OnGreyed() { ++g.greyedRan; }
    void OnUpdateGreyed(CCmdUI* ui) { ui->Enable(FALSE); }
    void OnUpdateChecked(CCmdUI* ui) { ui->SetCheck(1); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CTestDoc, CDocument)
BEGIN_MESSAGE_MAP(CTestDoc, CDocument)
ON_COMMAND(ID_TEST_DOCCMD, &CTestDoc::OnDocCmd)
ON_COMMAND(ID_TEST_BOTH, &CTestDoc::OnBoth)
ON_COMMAND(ID_TEST_GREYED, &CTestDoc::OnGreyed)
ON_UPDATE_COMMAND_UI(ID_TEST_GREYED, &CTestDoc::OnUpdateGreyed)
ON_UPDATE_COMMAND_UI(ID_TEST_CHECKED, &CTestDoc::OnUpdateChecked)
END_MESSAGE_MAP()

class CTestView : public CView {
    DECLARE_DYNCREATE(CTestView)
public:
    void OnDraw(CDC* dc) override
    {
        ++g.drawn;
        CRect r;
        GetClientRect(&r);
        dc->FillSolidRect(&r, RGB(0, 128, 0));
        dc->TextOut(5, 5, CString("视图"));
    }
    void OnUpdate(CView* sender, LPARAM hint, CObject* obj) override
    {
        ++g.updates;
        CView::OnUpdate(sender, hint, obj);
    }

protected:
    void OnViewCmd() { ++g.view; }
    void OnBoth() { ++g.viewBoth; }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CTestView, CView)
BEGIN_MESSAGE_MAP(CTestView, CView)
ON_COMMAND(ID_TEST_VIEWCMD, &CTestView::OnViewCmd)
ON_COMMAND(ID_TEST_BOTH, &CTestView::OnBoth)
END_MESSAGE_MAP()

class CTestFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CTestFrame)
public:
    CToolBar m_toolBar;
    CStatusBar m_statusBar;
    CDialogBar m_dialogBar;

protected:
    int OnCreate(LPCREATESTRUCT cs)
    {
        if (CFrameWnd::OnCreate(cs) == -1) return -1;
        static const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS};
        if (!m_toolBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY,
                                CRect(0, 0, 0, 0), 0xE900 + 50) ||
            !m_toolBar.LoadToolBar(IDR_TESTFRAME))
            return -1;
        if (!m_statusBar.Create(this) || !m_statusBar.SetIndicators(indicators, 1)) return -1;
        if (!m_dialogBar.Create(this, IDD_BAR, WS_VISIBLE | CBRS_BOTTOM, 0xE900 + 51)) return -1;
        EnableDocking(CBRS_ALIGN_ANY);
        m_toolBar.EnableDocking(CBRS_ALIGN_ANY);
        m_dialogBar.EnableDocking(CBRS_ALIGN_BOTTOM);
        DockControlBar(&m_toolBar);
        DockControlBar(&m_dialogBar, AFX_IDW_DOCKBAR_BOTTOM);
        return 0;
    }
    void OnFrameCmd() { ++g.frame; }
    void OnBarButton() { ++g.barButton; }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CTestFrame, CFrameWnd)
BEGIN_MESSAGE_MAP(CTestFrame, CFrameWnd)
ON_WM_CREATE()
ON_COMMAND(ID_TEST_FRAMECMD, &CTestFrame::OnFrameCmd)
ON_COMMAND(IDC_BAR_BUTTON, &CTestFrame::OnBarButton)
END_MESSAGE_MAP()

// One template, document, frame and view for each test.
class DocFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g = Counters{};
        tmpl = new CSingleDocTemplate(IDR_TESTFRAME, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CTestFrame),
                                      RUNTIME_CLASS(CTestView));
        theTestApp.AddDocTemplate(tmpl);
        doc = tmpl->OpenDocumentFile(nullptr);
        ASSERT_NE(doc, nullptr);
        frame = static_cast<CTestFrame*>(theTestApp.m_pMainWnd);
        ASSERT_NE(frame, nullptr);
        ASSERT_TRUE(frame->IsKindOf(RUNTIME_CLASS(CTestFrame)));
        vektest::PumpPending();
    }
    void TearDown() override
    {
        if (HasFailure() && theTestApp.m_pMainWnd) {
            // What the frame showed, for the failure report.
            const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
            const std::string name = std::string("framework_") + info->name();
            vektest::SaveWindowShot(theTestApp.m_pMainWnd->m_hWnd, name.c_str());
        }
        if (theTestApp.m_pMainWnd) {
            MessageBoxRecorder boxes;
            boxes.answer = IDNO;
            theTestApp.m_pMainWnd->SendMessage(WM_CLOSE);
        }
        MSG m;
        while (::PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        theTestApp.OnIdle(1);
    }
    CSingleDocTemplate* tmpl = nullptr;
    CDocument* doc = nullptr;
    CTestFrame* frame = nullptr;
};

void Command(CWnd* w, UINT id)
{
    w->SendMessage(WM_COMMAND, id);
}

}  // namespace

TEST_F(DocFrameTest, TemplateCreatesDocumentFrameAndViewByClass)
{
    EXPECT_TRUE(doc->IsKindOf(RUNTIME_CLASS(CTestDoc)));
    CView* view = frame->GetActiveView();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->IsKindOf(RUNTIME_CLASS(CTestView)));
    EXPECT_EQ(view->GetDocument(), doc);
    EXPECT_EQ(frame->GetActiveDocument(), doc);
    EXPECT_EQ(doc->GetViewCount(), 1);
    EXPECT_EQ(g.newDocs, 1);
    EXPECT_GE(g.updates, 1);                  // the initial update reached the view
    EXPECT_STREQ(doc->GetTitle(), "无标题");  // the template names no document
    CString title;
    frame->GetWindowText(title);
    EXPECT_STREQ(title, "无标题 - 测试框架");
    EXPECT_TRUE(frame->GetMenu() != nullptr);
    EXPECT_TRUE(vektest::PumpUntil([] { return g.drawn > 0; }));
}

TEST_F(DocFrameTest, CommandsRouteViewDocumentFrameApplication)
{
    const int appBefore = theTestApp.m_appCommands;
    Command(frame, ID_TEST_DOCCMD);  // only the document handles it: through the view
    Command(frame, ID_TEST_VIEWCMD);
    Command(frame, ID_TEST_FRAMECMD);
    Command(frame, ID_TEST_APPCMD);
    Command(frame, ID_TEST_BOTH);  // the view comes before the document
    EXPECT_EQ(g.doc, 1);
    EXPECT_EQ(g.view, 1);
    EXPECT_EQ(g.frame, 1);
    EXPECT_EQ(theTestApp.m_appCommands, appBefore + 1);
    EXPECT_EQ(g.viewBoth, 1);
    EXPECT_EQ(g.docBoth, 0);
    // A command from a dialog bar's button reaches the frame.
    CWnd* barButton = frame->m_dialogBar.GetDlgItem(IDC_BAR_BUTTON);
    ASSERT_NE(barButton, nullptr);
    barButton->SendMessage(BM_CLICK);
    EXPECT_EQ(g.barButton, 1);
}

TEST_F(DocFrameTest, UpdateHandlersGreyMenuItemsAndButtons)
{
    CMenu* popup = frame->GetMenu()->GetSubMenu(0);
    ASSERT_NE(popup, nullptr);
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup->m_hMenu), 0);
    auto state = [&](UINT id) { return popup->GetMenuState(id, MF_BYCOMMAND); };
    EXPECT_TRUE(state(ID_TEST_GREYED) & MF_GRAYED);
    EXPECT_TRUE(state(ID_TEST_NOHANDLER) & MF_GRAYED);  // nobody handles it
    EXPECT_FALSE(state(ID_TEST_DOCCMD) & MF_GRAYED);
    EXPECT_FALSE(state(ID_TEST_APPCMD) & MF_GRAYED);
    EXPECT_TRUE(state(ID_TEST_CHECKED) & MF_CHECKED);
    CString text;
    popup->GetMenuString(ID_TEST_DOCCMD, text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "文档命令");

    // A greyed command does not run from its menu id or its accelerator.
    Command(frame, ID_TEST_GREYED);
    MSG key{frame->GetActiveView()->m_hWnd, WM_KEYDOWN, 'G', 0, 0, {0, 0}};
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    frame->PreTranslateMessage(&key);
    key.wParam = 'D';
    EXPECT_TRUE(frame->PreTranslateMessage(&key));  // the accelerator of an enabled command runs it
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);
    EXPECT_EQ(g.greyedRan, 0);
    EXPECT_EQ(g.doc, 1);

    // Idle time updates the toolbar the same way.
    theTestApp.OnIdle(0);
    CToolBar& tb = frame->m_toolBar;
    EXPECT_FALSE(tb.SendMessage(TB_ISBUTTONENABLED, ID_TEST_GREYED));
    EXPECT_FALSE(tb.SendMessage(TB_ISBUTTONENABLED, ID_TEST_NOHANDLER));
    EXPECT_TRUE(tb.SendMessage(TB_ISBUTTONENABLED, ID_TEST_DOCCMD));
    // A dialog bar's button with no handler is greyed; one with a handler is not.
    EXPECT_TRUE(frame->m_dialogBar.GetDlgItem(IDC_BAR_BUTTON)->IsWindowEnabled());
    EXPECT_FALSE(frame->m_dialogBar.GetDlgItem(IDC_BAR_ORPHAN)->IsWindowEnabled());
}

TEST_F(DocFrameTest, FloatingWindowKeysReachTheFrameShortcuts)
{
    CWnd tool;
    ASSERT_TRUE(tool.CreateEx(0, nullptr, "tool", WS_POPUP, 0, 0, 50, 50, frame->m_hWnd, nullptr));
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    MSG key{tool.m_hWnd, WM_KEYDOWN, 'D', 0, 0, {0, 0}};
    EXPECT_TRUE(theTestApp.PreTranslateMessage(&key));
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);
    MSG plain{tool.m_hWnd, WM_KEYDOWN, 'D', 0, 0, {0, 0}};
    EXPECT_FALSE(theTestApp.PreTranslateMessage(&plain));  // no shortcut without Ctrl
    EXPECT_EQ(g.doc, 1);
    tool.DestroyWindow();
}

TEST_F(DocFrameTest, MenuHintsGoToTheStatusBar)
{
    frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_TEST_DOCCMD, MF_STRING),
                       reinterpret_cast<LPARAM>(frame->GetMenu()->m_hMenu));
    EXPECT_STREQ(frame->m_statusBar.GetPaneText(0), "文档的命令");
    char shown[128] = {};
    frame->m_statusBar.SendMessage(SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(shown));
    EXPECT_STREQ(shown, "文档的命令");
    frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);  // the menu closes
    EXPECT_STREQ(frame->m_statusBar.GetPaneText(0), "就绪");
    frame->SetMessageText("直接提示");
    EXPECT_STREQ(frame->m_statusBar.GetPaneText(0), "直接提示");
}

TEST_F(DocFrameTest, BarsAreLaidOutAroundTheViewAndTheirStateIsSaved)
{
    frame->MoveWindow(0, 0, 600, 400);
    CRect client, view, tool, status, dlgbar;
    frame->GetClientRect(&client);
    frame->GetActiveView()->GetWindowRect(&view);
    frame->m_toolBar.GetWindowRect(&tool);
    frame->m_statusBar.GetWindowRect(&status);
    frame->m_dialogBar.GetWindowRect(&dlgbar);
    frame->ScreenToClient(&view);
    frame->ScreenToClient(&tool);
    frame->ScreenToClient(&status);
    frame->ScreenToClient(&dlgbar);
    EXPECT_EQ(tool.top, 0);
    EXPECT_EQ(view.top, tool.bottom);
    EXPECT_EQ(status.bottom, client.bottom);  // the status bar at the very bottom
    EXPECT_EQ(dlgbar.bottom, status.top);     // the docked dialog bar above it
    EXPECT_EQ(view.bottom, dlgbar.top);
    EXPECT_EQ(dlgbar.Width(), client.Width());  // stretched along its side
    EXPECT_EQ(view.Width(), client.Width());

    // Toggling the toolbar through its command, then saving and restoring.
    frame->SendMessage(WM_COMMAND, 0xE900 + 50);
    EXPECT_TRUE(frame->m_toolBar.IsWindowVisible());  // no handler for that id: nothing happens
    EXPECT_TRUE(frame->OnBarCheck(0xE900 + 50));
    EXPECT_FALSE(frame->m_toolBar.IsWindowVisible());
    frame->GetActiveView()->GetWindowRect(&view);
    frame->ScreenToClient(&view);
    EXPECT_EQ(view.top, 0);  // the view took the room
    frame->SaveBarState("TestBars");
    frame->ShowControlBar(&frame->m_toolBar, TRUE, FALSE);
    EXPECT_TRUE(frame->m_toolBar.IsWindowVisible());
    frame->LoadBarState("TestBars");
    EXPECT_FALSE(frame->m_toolBar.IsWindowVisible());
    frame->ShowControlBar(&frame->m_toolBar, TRUE, FALSE);
}

TEST_F(DocFrameTest, TwoBarsDockedSideBySideInOneRow)
{
    CToolBar second;
    ASSERT_TRUE(second.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 0, 0), 0xE900 + 52));
    ASSERT_TRUE(second.LoadToolBar(IDR_TESTFRAME));
    second.EnableDocking(CBRS_ALIGN_ANY);
    // Docking "left of" as frames do it: the side from the bar's style, the
    // rectangle one pixel to the right of the bar it follows.
    frame->RecalcLayout();
    CRect first;
    frame->m_toolBar.GetWindowRect(&first);
    first.OffsetRect(1, 0);
    const DWORD style = frame->m_toolBar.GetBarStyle();
    ASSERT_TRUE(style & CBRS_ALIGN_TOP);
    frame->DockControlBar(&second, AFX_IDW_DOCKBAR_TOP, &first);
    EXPECT_TRUE(second.GetBarStyle() & CBRS_ALIGN_TOP);
    CRect a, b;
    frame->m_toolBar.GetWindowRect(&a);
    second.GetWindowRect(&b);
    EXPECT_EQ(a.top, b.top);     // same row
    EXPECT_EQ(b.left, a.right);  // directly after it
    // Docked at the left side it becomes a column, and says so.
    frame->DockControlBar(&second, AFX_IDW_DOCKBAR_LEFT);
    EXPECT_TRUE(second.GetBarStyle() & CBRS_ALIGN_LEFT);
    second.GetWindowRect(&b);
    EXPECT_GT(b.Height(), b.Width());
    second.DestroyWindow();
    frame->RecalcLayout();
}

TEST_F(DocFrameTest, BarsDockedWhileTheFrameIsHiddenShareARow)
{
    // As a frame docks its bars while it is made, before it is shown.
    frame->ShowWindow(SW_HIDE);
    CToolBar second;
    ASSERT_TRUE(second.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 0, 0), 0xE900 + 52));
    ASSERT_TRUE(second.LoadToolBar(IDR_TESTFRAME));
    frame->RecalcLayout();
    CRect first;
    frame->m_toolBar.GetWindowRect(&first);
    first.OffsetRect(1, 0);
    frame->DockControlBar(&second, AFX_IDW_DOCKBAR_TOP, &first);
    EXPECT_EQ(second.m_nRow, frame->m_toolBar.m_nRow);
    EXPECT_TRUE(second.IsVisible());
    frame->ShowWindow(SW_SHOW);
    CRect a, b;
    frame->m_toolBar.GetWindowRect(&a);
    second.GetWindowRect(&b);
    EXPECT_EQ(a.top, b.top);
    EXPECT_EQ(b.left, a.right);
    second.DestroyWindow();
    frame->RecalcLayout();
}

TEST_F(DocFrameTest, ARowWiderThanTheFrameContinuesOnAnotherLine)
{
    // Four more bars, each docked after the one before it in the first bar's
    // row; the frame is narrowed between the second and the third, so that
    // the last two join a row that already wraps.
    CToolBar more[4];
    CControlBar* before = &frame->m_toolBar;
    CRect one;
    frame->m_toolBar.GetWindowRect(&one);
    for (int i = 0; i < 4; ++i) {
        if (i == 2) frame->MoveWindow(0, 0, 2 * one.Width() + 60, 400);  // room for two bars and a half
        ASSERT_TRUE(more[i].CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 0, 0),
                                     0xE900 + 53 + i));
        ASSERT_TRUE(more[i].LoadToolBar(IDR_TESTFRAME));
        more[i].EnableDocking(CBRS_ALIGN_ANY);
        frame->RecalcLayout();
        CRect r;
        before->GetWindowRect(&r);
        r.OffsetRect(1, 0);
        frame->DockControlBar(&more[i], AFX_IDW_DOCKBAR_TOP, &r);
        EXPECT_EQ(more[i].m_nRow, frame->m_toolBar.m_nRow) << i;
        EXPECT_GT(more[i].m_nRowPos, before->m_nRowPos) << i << " comes after the bar it was docked after";
        before = &more[i];
    }
    CRect client, view, r[5];
    frame->GetClientRect(&client);
    frame->m_toolBar.GetWindowRect(&r[0]);
    for (int i = 0; i < 4; ++i) more[i].GetWindowRect(&r[i + 1]);
    for (CRect& x : r) frame->ScreenToClient(&x);
    frame->GetActiveView()->GetWindowRect(&view);
    frame->ScreenToClient(&view);
    EXPECT_EQ(r[0].top, 0);
    EXPECT_EQ(r[1].top, 0);
    EXPECT_EQ(r[1].left, r[0].right);
    EXPECT_EQ(r[2].left, 0) << "the third bar starts the next line";
    EXPECT_EQ(r[2].top, r[0].bottom);
    EXPECT_EQ(r[3].left, r[2].right);
    EXPECT_EQ(r[3].top, r[2].top);
    EXPECT_EQ(r[4].left, 0);
    EXPECT_EQ(r[4].top, r[2].bottom);
    for (const CRect& x : r) EXPECT_LE(x.right, client.right);
    EXPECT_EQ(view.top, r[4].bottom) << "the view starts below the lines";
    // Wide enough again: one line.
    frame->MoveWindow(0, 0, 5 * one.Width() + 60, 400);
    more[3].GetWindowRect(&r[4]);
    frame->ScreenToClient(&r[4]);
    EXPECT_EQ(r[4].top, 0);
    for (CToolBar& bar : more) bar.DestroyWindow();
    frame->RecalcLayout();
}

TEST_F(DocFrameTest, OpenSaveAndModifiedFlag)
{
    const std::string path = TempPath("fwtest_doc.tst");
    CDocument* opened = tmpl->OpenDocumentFile(path.c_str());
    EXPECT_EQ(opened, doc);  // the one document is reused
    EXPECT_EQ(g.opened, 1);
    EXPECT_STREQ(doc->GetPathName(), path.c_str());
    EXPECT_STREQ(doc->GetTitle(), "fwtest_doc.tst");
    EXPECT_STREQ(theTestApp.m_pRecentFileList ? (*theTestApp.m_pRecentFileList)[0].GetString() : path.c_str(),
                 path.c_str());

    // A modified document asks before it is replaced; Cancel keeps it.
    doc->SetModifiedFlag(TRUE);
    {
        MessageBoxRecorder boxes;
        boxes.answer = IDCANCEL;
        EXPECT_EQ(tmpl->OpenDocumentFile(nullptr), nullptr);
        ASSERT_EQ(boxes.texts.size(), 1u);
        EXPECT_TRUE(doc->IsModified());
        boxes.answer = IDYES;  // Yes saves under its name
        EXPECT_EQ(tmpl->OpenDocumentFile(nullptr), doc);
        EXPECT_EQ(g.saved, 1);
    }
    EXPECT_FALSE(doc->IsModified());
    // A failed open leaves the frame and the document.
    g.failOpen = true;
    EXPECT_EQ(tmpl->OpenDocumentFile(path.c_str()), nullptr);
    EXPECT_EQ(theTestApp.m_pMainWnd, frame);
    doc->UpdateAllViews(nullptr);
    EXPECT_GE(g.updates, 2);
}

TEST(DocTemplateTest, ClosingTheMainFrameEndsTheDocumentAndTheLoop)
{
    g = Counters{};
    auto* t = new CSingleDocTemplate(IDR_TESTFRAME, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CTestFrame),
                                     RUNTIME_CLASS(CTestView));
    theTestApp.AddDocTemplate(t);
    ASSERT_NE(t->OpenDocumentFile(nullptr), nullptr);
    ASSERT_NE(theTestApp.m_pMainWnd, nullptr);
    HWND h = theTestApp.m_pMainWnd->m_hWnd;
    theTestApp.m_pMainWnd->SendMessage(WM_CLOSE);
    EXPECT_FALSE(::IsWindow(h));
    EXPECT_EQ(theTestApp.m_pMainWnd, nullptr);
    EXPECT_EQ(t->m_pOnlyDoc, nullptr);  // the document went with its last view
    MSG m;
    EXPECT_TRUE(::PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST(ShellCommandTest, NewOpenAndAFailedOpenAtStartUp)
{
    g = Counters{};
    theTestApp.AddDocTemplate(new CSingleDocTemplate(IDR_TESTFRAME, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CTestFrame),
                                                     RUNTIME_CLASS(CTestView)));
    auto closeMain = [] {
        if (theTestApp.m_pMainWnd) theTestApp.m_pMainWnd->SendMessage(WM_CLOSE);
        MSG m;
        while (::PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    };
    // No file named: a new document through the application's ID_FILE_NEW handler.
    CCommandLineInfo none;
    ASSERT_TRUE(theTestApp.ProcessShellCommand(none));
    ASSERT_NE(theTestApp.m_pMainWnd, nullptr);
    EXPECT_EQ(g.newDocs, 1);
    closeMain();

    // A file that cannot be opened: failure, and no window is left behind.
    g.failOpen = true;
    CCommandLineInfo bad;
    bad.ParseParam("missing.tst", FALSE, TRUE);
    EXPECT_EQ(bad.m_nShellCommand, CCommandLineInfo::FileOpen);
    EXPECT_FALSE(theTestApp.ProcessShellCommand(bad));
    EXPECT_EQ(theTestApp.m_pMainWnd, nullptr);
    EXPECT_EQ(g.opened, 1);

    // File > Open asks the file dialog, then opens what was chosen.
    g.failOpen = false;
    CCommandLineInfo good;
    ASSERT_TRUE(theTestApp.ProcessShellCommand(good));
    CFileDialog::SetTestHook([](CFileDialog* dlg) -> INT_PTR {
        strcpy(dlg->m_ofn.lpstrFile, "C:\\工程\\打开的.tst");
        return IDOK;
    });
    theTestApp.OnFileOpen();
    CFileDialog::SetTestHook(nullptr);
    EXPECT_EQ(g.opened, 2);
    CFrameWnd* frame = static_cast<CFrameWnd*>(theTestApp.m_pMainWnd);
    ASSERT_NE(frame, nullptr);
    EXPECT_STREQ(frame->GetActiveDocument()->GetPathName(), "C:\\工程\\打开的.tst");
    CString title;
    frame->GetWindowText(title);
    EXPECT_STREQ(title, "打开的.tst - 测试框架");
    closeMain();
}
