// The model view in the program's own frame: what the portable code and the
// view's drawing pass ask through their links reaches the view and the
// prompt bar.
#include <gtest/gtest.h>

#include <vector>

#include "AppTestUtil.h"
#include "tests/support/WinTestSupport.h"
#include "vek/app/AppWindows.h"
#include "vek/app/VekView.h"
#include "vek/model/ViewLink.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/ViewSettings.h"
#include "vek/view/win/BottomDlg.h"

using apptest::Frame;
using vektest::PumpUntil;

namespace {

// The view's client area as the window shows it.
std::vector<uint32_t> ShownPixels(CVekView* view)
{
    RECT r;
    view->GetClientRect(&r);
    return vektest::WindowPixels(view->GetSafeHwnd(), r.right, r.bottom);
}

}  // namespace

TEST(ViewBinding, RedrawRequestsOfTheModelReachTheView)
{
    ASSERT_NE(Frame(), nullptr);
    CVekView* view = GetVekView();
    ASSERT_NE(view, nullptr);
    view->UpdateWindow();
    ASSERT_FALSE(view->IsRebuildPending());

    // Both links ask the one view for a new picture.
    InvalidateModelView();
    EXPECT_TRUE(view->IsRebuildPending());
    view->UpdateWindow();
    EXPECT_FALSE(view->IsRebuildPending());
    ViewInvalidateModel();
    EXPECT_TRUE(view->IsRebuildPending());
    view->UpdateWindow();

    ASSERT_NE(theViewLink.rebuildPictureFlag, nullptr);
    EXPECT_EQ(theViewLink.rebuildPictureFlag(), view->RebuildFlag());
    EXPECT_EQ(ViewProjectionMode(), theViewProjection.GetMode());
}

TEST(ViewBinding, TheArcOfAnArcDivisionShowsAtOnceAndGoesWhenDrawnAgain)
{
    ASSERT_NE(Frame(), nullptr);
    CVekView* view = GetVekView();
    ASSERT_NE(view, nullptr);
    view->InvalidateModel();
    view->UpdateWindow();
    ASSERT_NE(theViewLink.drawXorArc, nullptr);

    // An arc about the middle of the window, a third of its height across.
    const RECT& screen = theViewProjection.GetScreenRect();
    double centre[3];
    theViewProjection.PlaneToWorld(0, 0, centre);
    double sx, sy;
    theViewProjection.WorldToScreen(centre, sx, sy);
    const double mid[2] = {screen.right / 2.0, screen.bottom / 2.0};
    const double scale = theViewProjection.GetScale();
    ASSERT_GT(scale, 0);
    centre[0] += (mid[0] - sx) / scale;
    centre[1] -= (mid[1] - sy) / scale;
    const double radius = screen.bottom / 6.0 / scale;

    const std::vector<uint32_t> before = ShownPixels(view);
    theViewLink.drawXorArc(centre, 0, 3.0, radius);
    const std::vector<uint32_t> shown = ShownPixels(view);
    EXPECT_NE(shown, before) << "the arc is on the window without a paint";
    theViewLink.drawXorArc(centre, 0, 3.0, radius);
    view->UpdateWindow();
    EXPECT_EQ(ShownPixels(view), before);
    EXPECT_FALSE(view->IsRebuildPending()) << "no new picture for the arc";
}

TEST(ViewBinding, TheViewsPromptsGoOnThePromptBar)
{
    ASSERT_NE(Frame(), nullptr);
    ASSERT_NE(theBottomDlg, nullptr);
    theBottomDlg->UpdateOperationPrompt();
    const CString standing = theBottomDlg->GetPromptText();
    ViewShowPrompt("正在输出DXF文件...");
    EXPECT_STREQ(theBottomDlg->GetPromptText(), "正在输出DXF文件...");
    ViewRestorePrompt();
    EXPECT_STREQ(theBottomDlg->GetPromptText(), standing);
}
