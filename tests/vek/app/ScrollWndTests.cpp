// The scrolling window base: bars from the content size, steps, limits.
#include <gtest/gtest.h>

#include "AppTestUtil.h"
#include "tests/support/WinTestSupport.h"
#include "vek/app/ScrollWnd.h"
#include "vek/app/VekView.h"

using apptest::Frame;

namespace {

class Strip : public CScrollWnd {
public:
    void OnDraw(CDC* dc) override
    {
        ++draws;
        CPoint org;
        ::GetWindowOrgEx(dc->GetSafeHdc(), &org);
        origin = org;
    }
    int draws = 0;
    CPoint origin;
};

class ScrollFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(Frame(), nullptr);
        parent = new CFrameWnd;
        ASSERT_TRUE(parent->Create(nullptr, "strip", WS_OVERLAPPEDWINDOW, CRect(100, 100, 400, 300)));
        ASSERT_TRUE(strip.Create(AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 100), parent, 1));
        parent->ShowWindow(SW_SHOWNOACTIVATE);
        strip.GetClientRect(&client);
    }
    void TearDown() override
    {
        if (parent && parent->m_hWnd) parent->DestroyWindow();  // deletes itself
    }
    bool Shown(int bar) const { return (strip.GetStyle() & (bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL)) != 0; }
    SCROLLINFO Info(int bar)
    {
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_ALL;
        strip.GetScrollInfo(bar, &si, SIF_ALL);
        return si;
    }
    CFrameWnd* parent = nullptr;
    Strip strip;
    CRect client;
};

}  // namespace

TEST_F(ScrollFixture, EmptyContentCountsAsOneHundredSquare)
{
    strip.SetContentSize(0, 0);
    EXPECT_EQ(strip.m_nContentWidth, 100);
    EXPECT_EQ(strip.m_nContentHeight, 100);
    EXPECT_FALSE(Shown(SB_HORZ));  // 100 fits the 200-pixel width
}

TEST_F(ScrollFixture, BarsRangesAndStepsFollowTheContent)
{
    strip.SetContentSize(1000, 50);
    EXPECT_TRUE(Shown(SB_HORZ));
    EXPECT_FALSE(Shown(SB_VERT));
    SCROLLINFO h = Info(SB_HORZ);
    EXPECT_EQ(h.nMax, 999);
    EXPECT_EQ(static_cast<int>(h.nPage), strip.m_nClientWidth);
    const int page = strip.m_nClientWidth;

    strip.SendMessage(WM_HSCROLL, SB_LINEDOWN);
    EXPECT_EQ(strip.m_nScrollX, page / 5);
    strip.SendMessage(WM_HSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(strip.m_nScrollX, page / 5 + page);
    strip.SendMessage(WM_HSCROLL, SB_BOTTOM);
    EXPECT_EQ(strip.m_nScrollX, 1000 - page);  // at most maximum - page + 1
    strip.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 123));
    EXPECT_EQ(strip.m_nScrollX, 123);
    EXPECT_EQ(Info(SB_HORZ).nPos, 123);
    strip.SendMessage(WM_HSCROLL, SB_TOP);
    EXPECT_EQ(strip.m_nScrollX, 0);
    strip.SendMessage(WM_HSCROLL, SB_LINEUP);
    EXPECT_EQ(strip.m_nScrollX, 0);

    // Painting draws with the window origin at the position.
    strip.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 300));
    strip.Invalidate();
    strip.UpdateWindow();
    EXPECT_EQ(strip.origin.x, 300);
}

TEST_F(ScrollFixture, ALineStepOnATinyPageDoesNothing)
{
    strip.SetWindowPos(nullptr, 0, 0, 4, 100, SWP_NOMOVE | SWP_NOZORDER);
    strip.SetContentSize(1000, 50);
    ASSERT_LT(strip.m_nClientWidth, 5);
    strip.SendMessage(WM_HSCROLL, SB_LINEDOWN);
    EXPECT_EQ(strip.m_nScrollX, 0);
}

TEST_F(ScrollFixture, MinimisingLeavesTheBarsAlone)
{
    strip.SetContentSize(1000, 1000);
    strip.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 400));
    const SCROLLINFO before = Info(SB_VERT);
    strip.SendMessage(WM_SIZE, SIZE_MINIMIZED, MAKELPARAM(0, 0));
    const SCROLLINFO after = Info(SB_VERT);
    EXPECT_EQ(after.nPos, before.nPos);
    EXPECT_EQ(after.nPage, before.nPage);
    EXPECT_EQ(strip.m_nScrollY, 400);
    // A real size change clamps the position to the new limit.
    strip.SetContentSize(1000, strip.m_nClientHeight + 10);
    EXPECT_EQ(strip.m_nScrollY, 10);
}
