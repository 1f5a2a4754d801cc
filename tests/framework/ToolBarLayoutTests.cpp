// The toolbar's layout reads each button through the window procedure, so a
// derived bar can take a button out of the layout by its answer to
// TB_GETBUTTON (as a bar with embedded controls does when it stands upright).
#include <gtest/gtest.h>

#include "TestApp.h"
#include "tests/support/MemCanvas.h"
#include "fwtest_res.h"

namespace {

class CHidingToolBar : public CToolBar {
public:
    int hide = -1;  // index of the button reported hidden
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        const LRESULT r = CToolBar::DefWindowProc(message, wParam, lParam);
        if (message == TB_GETBUTTON && r && static_cast<int>(wParam) == hide)
            reinterpret_cast<TBBUTTON*>(lParam)->fsState |= TBSTATE_HIDDEN;
        return r;
    }
};

TEST(ToolBarLayout, AButtonReportedHiddenLeavesTheLayout)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_POPUP, CRect(0, 0, 300, 200), nullptr, 0));
    CHidingToolBar bar;
    ASSERT_TRUE(bar.CreateEx(&parent));
    ASSERT_TRUE(bar.LoadToolBar(IDR_TESTFRAME));  // doc, greyed, separator, no-handler
    const CSize all = bar.CalcFixedLayout(FALSE, TRUE);
    CRect last;
    bar.GetItemRect(3, &last);

    bar.hide = 3;
    const CSize fewer = bar.CalcFixedLayout(FALSE, TRUE);
    EXPECT_TRUE(bar.SendMessage(TB_ISBUTTONHIDDEN, ID_TEST_NOHANDLER)) << "the answer went back to the control";
    EXPECT_EQ(fewer.cx, all.cx - last.Width());

    bar.hide = -1;
    bar.SendMessage(TB_HIDEBUTTON, ID_TEST_NOHANDLER, FALSE);
    const CSize upright = bar.CalcFixedLayout(FALSE, FALSE);
    for (int i = 0; i < bar.GetCount(); ++i) {
        TBBUTTON b{};
        bar.SendMessage(TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&b));
        EXPECT_TRUE(b.fsState & TBSTATE_WRAP) << "button " << i << " wraps in an upright bar";
    }
    EXPECT_GT(upright.cy, upright.cx);
    bar.DestroyWindow();
    parent.DestroyWindow();
}

TEST(ToolBarLayout, TheGripperIsPartOfTheBarForTheMouse)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
    CToolBar bar;
    ASSERT_TRUE(bar.CreateEx(&parent, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER));
    ASSERT_TRUE(bar.LoadToolBar(IDR_TESTFRAME));
    bar.MoveWindow(0, 0, 200, 30);
    CRect window, client;
    bar.GetWindowRect(&window);
    bar.GetClientRect(&client);
    bar.ClientToScreen(&client);
    ASSERT_GT(client.left, window.left) << "the gripper lies left of the client area";
    const CPoint grip(window.left + 2, window.CenterPoint().y);
    EXPECT_EQ(bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(grip.x, grip.y)), HTCLIENT);
    bar.DestroyWindow();
    parent.DestroyWindow();
}

TEST(ToolBarImages, TheGreyOfATrueColourBitmapIsTransparent)
{
    // The toolbar bitmap has 24 bits a pixel and a background of grey 192.
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_POPUP, CRect(0, 0, 300, 200), nullptr, 0));
    CToolBar bar;
    ASSERT_TRUE(bar.CreateEx(&parent));
    ASSERT_TRUE(bar.LoadToolBar(IDR_TESTFRAME));
    HIMAGELIST images = bar.GetImageList();
    ASSERT_NE(images, nullptr);
    vektest::MemCanvas canvas(16, 15, RGB(255, 0, 0));
    ImageList_Draw(images, 0, canvas.dc(), 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(canvas.At(0, 0), RGB(255, 0, 0)) << "the corner of the image is background";
    int drawn = 0;
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 16; ++x) drawn += canvas.At(x, y) != RGB(255, 0, 0);
    EXPECT_GT(drawn, 20) << "the image itself is drawn";
    bar.DestroyWindow();
    parent.DestroyWindow();
}

}  // namespace
