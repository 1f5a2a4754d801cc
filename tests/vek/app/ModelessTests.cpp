// The docking bar with the prompt bar, and where the modeless dialogs go.
#include <gtest/gtest.h>

#include <cstdio>

#include "AppTestUtil.h"
#include "tests/support/WinTestSupport.h"
#include "vek/app/DialogsBar.h"
#include "vek/app/ScrollWnd.h"
#include "vek/app/VekView.h"
#include "vek/dialogs/ParaDispDlg.h"
#include "vek/model/Profile.h"
#include "vek/res/AppDialogsRes.h"
#include "vek/res/LeftPanelRes.h"
#include "vek/view/win/BottomDlg.h"

using apptest::Frame;

TEST(DialogsBar, HoldsThePromptBarAcrossTheFrame)
{
    CMainFrame* frame = Frame();
    ASSERT_NE(frame, nullptr);
    ASSERT_NE(theBottomDlg, nullptr);
    EXPECT_EQ(theDialogsBar.GetCentralDialog(), theBottomDlg);
    CRect bar, prompt, client;
    theDialogsBar.GetWindowRect(&bar);
    theBottomDlg->GetWindowRect(&prompt);
    frame->GetClientRect(&client);
    EXPECT_EQ(bar.Width(), client.Width());
    EXPECT_EQ(prompt.Width(), bar.Width());
    EXPECT_EQ(prompt.left, bar.left);
    EXPECT_EQ(bar.Height(), prompt.Height());
    // The idle text is the prompt while nothing runs.
    theBottomDlg->SetPrompt("临时");
    theBottomDlg->UpdateOperationPrompt();
    EXPECT_STREQ(theBottomDlg->GetPromptText(), AfxLoadString(AFX_IDS_IDLEMESSAGE));
}

namespace {

// A tool dialog of a given height (the left panel's template, resized).
CModelessDialog* MakeDialog(int width, int height)
{
    auto* d = new CModelessDialog(IDD_LEFT_DLG, Frame());
    if (!d->Create(IDD_LEFT_DLG, Frame())) return nullptr;
    d->SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return d;
}

CRect RectOf(CWnd* w)
{
    CRect r;
    w->GetWindowRect(&r);
    return r;
}

class ModelessFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(Frame(), nullptr);
        m = CModelessDlgManager();
        view = ViewScreenRect();
    }
    void TearDown() override
    {
        m.CloseAll();
        m.CloseAnchored();
    }
    CModelessDlgManager m;
    CRect view;
};

// A parameter display with a scrolling child of a large content.
class TestParaDisp : public CParaDispDlg {
public:
    class Content : public CScrollWnd {
    public:
        void OnDraw(CDC*) override {}
    };
    TestParaDisp() : CParaDispDlg(IDD_LEFT_DLG, nullptr) {}
    BOOL Make()
    {
        if (!Create(IDD_LEFT_DLG, Frame())) return FALSE;
        m_content.Create(AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 80, 40), this, 1);
        m_content.SetContentSize(1000, 1000);
        m_pScroll = &m_content;
        return TRUE;
    }
    Content m_content;
};

}  // namespace

TEST_F(ModelessFixture, FirstRunStacksFromTheViewsCornerAndOverflowStartsAColumn)
{
    const int h = (view.Height() + 40) / 3 + 10;  // the third one reaches beyond the bottom
    CModelessDialog* a = MakeDialog(150, h);
    CModelessDialog* b = MakeDialog(160, h);
    CModelessDialog* c = MakeDialog(170, h);
    ASSERT_TRUE(a && b && c);
    m.Add(a);
    m.Add(b);
    EXPECT_EQ(RectOf(a).TopLeft(), view.TopLeft());
    EXPECT_EQ(RectOf(b).TopLeft(), CPoint(view.left, view.top + h));
    m.Add(c);
    EXPECT_EQ(RectOf(c).TopLeft(), CPoint(view.left + 170, view.top));
    EXPECT_TRUE(c->IsWindowVisible());
    EXPECT_EQ(m.GetCount(), 3);

    m.ShowAll(FALSE);
    EXPECT_FALSE(a->IsWindowVisible() || b->IsWindowVisible() || c->IsWindowVisible());
    m.ShowAll(TRUE);
    EXPECT_TRUE(a->IsWindowVisible() && c->IsWindowVisible());

    // Closing remembers where the first one stood.
    a->SetWindowPos(nullptr, view.left + 33, view.top + 44, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    m.CloseAll();
    EXPECT_EQ(m.GetCount(), 0);
    EXPECT_EQ(m.m_nX, view.left + 33);
    EXPECT_EQ(m.m_nY, view.top + 44);
}

TEST_F(ModelessFixture, RememberedPositionsAreKeptNearTheView)
{
    struct Case {
        int x, y;
        CPoint expected;
    };
    const Case cases[] = {
        {-50, 100, CPoint(-20, 100)},
        {view.right + 500, 100, CPoint(view.right - 30, 100)},
        {view.left + 40, -30, CPoint(view.left + 40, 0)},
    };
    for (const Case& c : cases) {
        m.m_nX = c.x;
        m.m_nY = c.y;
        CModelessDialog* d = MakeDialog(120, 60);
        ASSERT_NE(d, nullptr);
        m.Add(d);
        EXPECT_EQ(RectOf(d).TopLeft(), c.expected) << c.x << "," << c.y;
        m.CloseAll();
    }
}

TEST_F(ModelessFixture, ParameterDisplayKeepsItsSizeAndScrollPositions)
{
    const int caption = ::GetSystemMetrics(SM_CYCAPTION);
    m.m_nParaWidth = 300;
    m.m_nParaHeight = caption + 9;  // too low: its own size
    auto* small = new TestParaDisp;
    ASSERT_TRUE(small->Make());
    const CRect own = RectOf(small);
    m.Add(small);
    EXPECT_EQ(RectOf(small).Size(), own.Size());
    m.CloseAll();

    m.m_nParaWidth = 310;
    m.m_nParaHeight = 220;
    m.m_nParaScrollX = 40;
    m.m_nParaScrollY = 70;
    auto* para = new TestParaDisp;
    ASSERT_TRUE(para->Make());
    m.Add(para);
    EXPECT_EQ(RectOf(para).Size(), CSize(310, 220));
    EXPECT_EQ(para->m_content.m_nScrollX, 40);
    EXPECT_EQ(para->m_content.m_nScrollY, 70);
    EXPECT_EQ(para->m_content.GetScrollPos(SB_VERT), 70);
    // Closing leaves its size and positions in the manager.
    para->SetWindowPos(nullptr, 0, 0, 280, 200, SWP_NOMOVE | SWP_NOZORDER);
    para->m_content.SetScrollPositions(5, 6);
    m.CloseAll();
    EXPECT_EQ(m.m_nParaWidth, 280);
    EXPECT_EQ(m.m_nParaHeight, 200);
    EXPECT_EQ(m.m_nParaScrollX, 5);
    EXPECT_EQ(m.m_nParaScrollY, 6);
}

TEST_F(ModelessFixture, AnchoredPanelsStandOnTheViewsBottom)
{
    CModelessDialog* a = MakeDialog(140, 90);
    CModelessDialog* b = MakeDialog(140, 70);
    ASSERT_TRUE(a && b);
    m.AddAnchored(a);
    m.AddAnchored(b);
    EXPECT_EQ(RectOf(a).TopLeft(), CPoint(view.left, view.bottom - 90));
    EXPECT_EQ(RectOf(b).TopLeft(), CPoint(view.left, view.bottom - 90 - 70));
    m.CloseAnchored();
    EXPECT_EQ(m.m_nAnchoredX, view.left);
    EXPECT_EQ(m.m_nAnchoredY, view.bottom);

    // Moved, closed and opened again (the next start): it comes back where it was left.
    CModelessDialog* again = MakeDialog(140, 90);
    ASSERT_NE(again, nullptr);
    m.AddAnchored(again);
    again->SetWindowPos(nullptr, view.left + 40, view.bottom - 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    m.CloseAnchored();
    CModelessDialog* back = MakeDialog(140, 90);
    ASSERT_NE(back, nullptr);
    m.AddAnchored(back);
    EXPECT_EQ(RectOf(back).TopLeft(), CPoint(view.left + 40, view.bottom - 300));
    m.CloseAnchored();

    // Taller than the view: its top 20 pixels below the screen's top.
    m.m_nAnchoredX = m.m_nAnchoredY = -1;
    CModelessDialog* tall = MakeDialog(140, view.bottom + 100);
    ASSERT_NE(tall, nullptr);
    m.AddAnchored(tall);
    EXPECT_EQ(RectOf(tall).TopLeft(), CPoint(view.left, 20));
}

TEST_F(ModelessFixture, PositionsGoToTheProfileAndBack)
{
    m.m_nX = 11;
    m.m_nY = -22;
    m.m_nAnchoredX = 33;
    m.m_nAnchoredY = 44;
    m.m_nParaWidth = 555;
    m.m_nParaHeight = 666;
    m.m_nParaScrollX = 7;
    m.m_nParaScrollY = 8;
    m.SavePositions();
    EXPECT_STREQ(AppProfile().GetString("Settings", "DlgPos", ""), "11 -22 33 44 555 666 7 8");
    CModelessDlgManager back;
    back.LoadPositions();
    EXPECT_EQ(back.m_nY, -22);
    EXPECT_EQ(back.m_nParaHeight, 666);
    EXPECT_EQ(back.m_nParaScrollY, 8);

    AppProfile().WriteString("Settings", "DlgPos", "");
    back.LoadPositions();
    EXPECT_EQ(back.m_nX, -1);
    EXPECT_EQ(back.m_nAnchoredY, -1);
    EXPECT_EQ(back.m_nParaHeight, -1);
    EXPECT_EQ(back.m_nParaScrollX, 0);
}
