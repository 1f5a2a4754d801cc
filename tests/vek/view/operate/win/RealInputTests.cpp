// The program's own frame and model view driven by the input a user's keys
// and buttons make: accelerators through the frame's command route, clicks
// and drags on the view window, the prompt read back from the bar.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/WinInput.h"
#include "tests/support/WinTestSupport.h"
#include "tests/vek/view/operate/win/OperateWin.h"
#include "vek/model/ProjectOptions.h"
#include "vek/res/InteractRes.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/operate/OperationStack.h"
#include "vek/view/operate/SingleOperate.h"
#include "vek/view/win/BottomDlg.h"

extern CVekApp theApp;

namespace {

using namespace vektest;

class RealInputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(optest::Frame(), nullptr);
        m_view = optest::Frame()->GetActiveView();
        ASSERT_NE(m_view, nullptr);
        theOperationStack.EndAllOperations();
        theProjectOptions.nSelectMethod = 0;
        // The application's idle pass routes the view's messages to the interaction.
        theApp.OnIdle(0);
        CRect client;
        m_view->GetClientRect(&client);
        theViewProjection.SetScreenRect(0, 0, client.Width(), client.Height());
        theViewProjection.SetMode(1, 0, 0, 0);
        theViewProjection.SetDefaultView();
        const double hi[3] = {10, 10, 0}, lo[3] = {0, 0, 0};
        theViewProjection.SetExtent(hi, lo);
        theViewProjection.ZoomExtents(0, 0, 1);
        optest::Frame()->SetForegroundWindow();
        m_view->SetFocus();
        Pump();
    }
    void TearDown() override
    {
        MouseAway();
        theOperationStack.EndAllOperations();
        Pump();
    }
    // Messages as the application's loop takes them, accelerators included.
    static bool Wait(const std::function<bool()>& done)
    {
        return PumpUntil(done, apptest::kSafety, [](MSG* m) { return theApp.PreTranslateMessage(m) != FALSE; });
    }
    static void Pump()
    {
        PumpPending([](MSG* m) { return theApp.PreTranslateMessage(m) != FALSE; });
    }
    static int Code()
    {
        const CSingleOperate* op = theOperationStack.GetCurrentOperation();
        return op ? op->m_nCode : 0;
    }
    static std::string Prompt()
    {
        char text[512] = {};
        ::GetDlgItemTextA(theBottomDlg->m_hWnd, IDC_BAR_PROMPT, text, sizeof text);
        return text;
    }
    void ClickAt(POINT p)
    {
        MouseToClient(m_view->m_hWnd, p.x, p.y);
        Wait([&] { return PointerAt(p); });
        MouseButton(true);
        MouseButton(false);
    }
    bool PointerAt(POINT p) const
    {
        POINT c;
        ::GetCursorPos(&c);
        m_view->ScreenToClient(&c);
        return c.x == p.x && c.y == p.y;
    }
    static void World(POINT p, double out[3]) { theViewProjection.ScreenToWorldInt(p.x, p.y, out); }
    CWnd* m_view = nullptr;
};

}  // namespace

TEST_F(RealInputTest, CtrlWAndTwoClicksCentreTheWindow)
{
    Key(VK_CONTROL, true);
    Tap('W');
    Key(VK_CONTROL, false);
    ASSERT_TRUE(Wait([] { return Code() == 11; }));
    EXPECT_EQ(Prompt(), "请捕捉第1点。");

    const POINT a{100, 80}, b{180, 140};
    double wa[3], wb[3];
    World(a, wa);
    World(b, wb);
    const double zoom = theViewProjection.GetZoom();
    ClickAt(a);
    ASSERT_TRUE(Wait([] {
        return theOperationStack.GetCurrentOperation() && theOperationStack.GetCurrentOperation()->ScreenCount() == 1;
    }));
    EXPECT_EQ(Prompt(), "请捕捉第2点。");
    ClickAt(b);
    ASSERT_TRUE(Wait([] { return Code() == 0; }));
    EXPECT_NEAR(theViewProjection.Centre()[0], (wa[0] + wb[0]) / 2, 1e-9);
    EXPECT_NEAR(theViewProjection.Centre()[1], (wa[1] + wb[1]) / 2, 1e-9);
    EXPECT_GT(theViewProjection.GetZoom(), zoom);
}

TEST_F(RealInputTest, AMiddleButtonDragShiftsThePictureByTheDrag)
{
    const POINT from{150, 120}, to{230, 70};
    double before[3];
    World(from, before);
    MouseToClient(m_view->m_hWnd, from.x, from.y);
    ASSERT_TRUE(Wait([&] { return PointerAt(from); }));
    MouseMiddleButton(true);
    ASSERT_TRUE(Wait([] { return Code() == 12; }));
    MouseToClient(m_view->m_hWnd, to.x, to.y);
    ASSERT_TRUE(Wait([&] { return PointerAt(to); }));
    MouseMiddleButton(false);
    ASSERT_TRUE(Wait([] { return Code() == 0; }));
    // The model point that lay under the press now lies under the release.
    double after[3];
    World(to, after);
    EXPECT_NEAR(after[0], before[0], 1e-9);
    EXPECT_NEAR(after[1], before[1], 1e-9);
}

TEST_F(RealInputTest, F2AndTwoClicksGiveAnElevation)
{
    theProjectOptions.bPlaneModel = 0;
    theProjectOptions.nPickOption = 1;  // plain screen points: no node or grid near
    Tap(VK_F2);
    ASSERT_TRUE(Wait([] { return Code() == 700; }));
    EXPECT_EQ(Prompt(), "请捕捉立面上的两个点，立面将垂直于XY平面，两点的连线不能平行于Z轴");
    ClickAt(POINT{60, 200});
    ASSERT_TRUE(Wait([] {
        return theOperationStack.GetCurrentOperation() && theOperationStack.GetCurrentOperation()->PointCount() == 1;
    }));
    ClickAt(POINT{260, 60});
    ASSERT_TRUE(Wait([] { return Code() == 0; }));
    EXPECT_EQ(theViewProjection.GetMode(), 2);
    theProjectOptions.nPickOption = 0;
    theViewProjection.SetMode(1, 0, 0, 0);
}
