// The model view's drawing cycle in a real window: repaints that copy the
// stored picture, the model walks of each kind of request, size changes,
// OpenGL for the 3-D view and result pictures only, and OpenGL that cannot
// be had.
#include <gtest/gtest.h>

#include "tests/vek/view/win/ViewWindowFixture.h"
#include "vek/model/ViewLink.h"
#include "vek/model/project/ProjectBlocks.h"
#include "vek/view/DocumentBinding.h"
#include "vek/view/draw/DrawLayer.h"

using namespace vektest;

namespace {

}  // namespace

TEST_F(ViewWindow, OnlyChangesWalkTheModel)
{
    const long long start = ModelDrawCount();
    // Uncovering: the stored picture is copied, nothing is drawn.
    const COLORREF node = BackAt(5, 4);
    EXPECT_EQ(node, theDisplayColors.m_ele[0]);
    RedrawWindow(view->GetSafeHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(ModelDrawCount(), start);
    int x, y;
    const double p[3] = {5, 4, 0};
    theViewProjection.WorldToScreenInt(p, x, y);
    EXPECT_EQ(WindowAt(x, y), node);

    // Feedback drawn outside the paint (a rubber band, a snap marker) and a
    // prompt: shown, and no walk.
    struct Feedback {
        const char* what;
        void (*draw)();
        bool shows;  // the window shows a change
    };
    const Feedback feedback[] = {
        {"rubber band",
         [] {
             CDrawSession s;
             const double a[3] = {1, 1, 0}, b[3] = {9, 7, 0};
             DrawXorDragArrow(a, b, RGB(255, 255, 255));
         },
         true},
        {"marker",
         [] {
             CDrawSession s;
             DrawScreenArrow(60, 60, 30, 0.5, RGB(255, 0, 255));
         },
         true},
        {"prompt", [] { ViewShowPrompt("请输入第一点:"); }, false},
    };
    for (const Feedback& f : feedback) {
        const std::vector<uint32_t> before = WindowPixels();
        f.draw();
        Paint();
        EXPECT_EQ(ModelDrawCount(), start) << f.what;
        EXPECT_EQ(WindowPixels() != before, f.shows) << f.what;
    }

    // One walk per zoom or pan step.
    struct Step {
        const char* what;
        void (*run)();
    };
    const Step steps[] = {{"zoom in", [] { theViewProjection.ZoomIn(); }},
                          {"zoom out", [] { theViewProjection.ZoomOut(); }},
                          {"pan left", [] { theViewProjection.PanLeft(); }},
                          {"pan up", [] { theViewProjection.PanUp(); }}};
    long long walks = ModelDrawCount();
    for (const Step& s : steps) {
        s.run();
        Paint();
        EXPECT_EQ(ModelDrawCount(), walks + 1) << s.what;
        walks = ModelDrawCount();
    }
}

TEST_F(ViewWindow, ASizeChangeRebuildsAtTheNewSize)
{
    EXPECT_FALSE(view->IsRebuildPending());
    view->SetWindowPos(nullptr, 0, 0, m_width, m_height, SWP_NOZORDER | SWP_NOMOVE);
    EXPECT_FALSE(view->IsRebuildPending());
    view->SetWindowPos(nullptr, 0, 0, 200, 100, SWP_NOZORDER | SWP_NOMOVE);
    EXPECT_TRUE(view->IsRebuildPending());
    const long long before = ModelDrawCount();
    Paint();
    EXPECT_EQ(ModelDrawCount(), before + 1);
    BITMAP bm{};
    ASSERT_TRUE(GetObject(view->GetBackBitmap(), sizeof bm, &bm));
    EXPECT_EQ(bm.bmWidth, 200);
    EXPECT_EQ(bm.bmHeight, 100);
    EXPECT_EQ(theViewProjection.GetScreenRect().right, 200);
}

TEST_F(ViewWindow, AChangeOfWorkPlatformRecomputesWhatIsShown)
{
    auto clearStates = [this] {
        for (int i = 0; i < nodes.GetCount(); ++i) nodes.At(i).m_nFlags &= ~kObjStateMask;
    };
    clearStates();
    theViewProjection.SetMode(CViewProjection::kElevation, 0, 0, 0);
    EXPECT_EQ(nodes.At(0).GetDisplayBits(), 0) << "asked not to";
    theViewProjection.SetMode(CViewProjection::kPlan, 0, 1, 0);
    for (int i = 0; i < nodes.GetCount(); ++i) EXPECT_EQ(nodes.At(i).GetDisplayBits(), 1) << i;
}

TEST_F(ViewWindow, TheProjectFileReachesTheProjectionThroughItsBlock)
{
    BindViewToDocument();
    const CBlockOwner owner = ProjectBlock(2).owner;
    ASSERT_TRUE(owner.IsBound());
    const Bytes own = WrittenBytes([](bofstream& out) { theViewProjection.Write(out); });
    const Bytes linked = WrittenBytes([](bofstream& out) { EXPECT_TRUE(ProjectBlock(2).owner.write(out)); });
    EXPECT_EQ(linked, own);
    theViewProjection.ZoomIn();
    theViewProjection.PanLeft();
    ASSERT_TRUE(ReadBytes(linked, [](bifstream& in) { return ProjectBlock(2).owner.read(in); }));
    EXPECT_EQ(WrittenBytes([](bofstream& out) { theViewProjection.Write(out); }), own);
    // A cut block changes nothing.
    theViewProjection.ZoomIn();
    const Bytes zoomed = WrittenBytes([](bofstream& out) { theViewProjection.Write(out); });
    const Bytes cut(linked.begin(), linked.begin() + long(linked.size() / 2));
    EXPECT_FALSE(ReadBytes(cut, [](bifstream& in) { return ProjectBlock(2).owner.read(in); }));
    EXPECT_EQ(WrittenBytes([](bofstream& out) { theViewProjection.Write(out); }), zoomed);
}

TEST_F(ViewWindow, OpenGLDrawsTheFreeViewAndResultPicturesOnly)
{
    ScriptedWgl wgl;
    theProjectOptions.bHiddenSurface = 1;
    theProjectOptions.SetOption(CProjectOptions::kLighting, false);  // flat colours to compare
    // Plan: through GDI whatever the switch says, which keeps its value.
    Show();
    EXPECT_EQ(wgl.contextsMade, 0);
    EXPECT_EQ(theProjectOptions.bHiddenSurface, 1);
    EXPECT_EQ(BackAt(5, 4), theDisplayColors.m_ele[0]);

    // 3-D: through OpenGL into the DIB section, the right way up.
    theViewProjection.SetMode(CViewProjection::kFree3D, 0, 0, 0);
    theViewProjection.ViewTop(0);
    Show();
    EXPECT_EQ(wgl.contextsMade, 1);
    EXPECT_EQ(BackAt(9, 7, 3), theDisplayColors.m_ele[0]) << "the node near the top right";
    EXPECT_EQ(BackAt(9, 1, 3), theDisplayColors.m_back);
    // A second picture keeps the context, on a new back buffer.
    theViewProjection.ZoomOut();
    Paint();
    EXPECT_EQ(wgl.contextsMade, 1);
    EXPECT_EQ(BackAt(5, 4, 0), theDisplayColors.m_ele[0]);

    // Results in the plan: OpenGL with lighting off while drawn, on again after.
    static int lightingWhileDrawn = -1, glWhileDrawn = -1;
    theViewResultHooks.resultsShown = [] { return 1; };
    theViewResultHooks.drawResults = [] {
        lightingWhileDrawn = theProjectOptions.HasOption(CProjectOptions::kLighting);
        glWhileDrawn = DrawingOnGL();
    };
    theProjectOptions.SetOption(CProjectOptions::kLighting, true);
    theProjectOptions.bHiddenSurface = 0;
    theViewProjection.SetMode(CViewProjection::kPlan, 0, 0, 0);
    Show();
    EXPECT_EQ(lightingWhileDrawn, 0);
    EXPECT_EQ(glWhileDrawn, 1);
    EXPECT_TRUE(theProjectOptions.HasOption(CProjectOptions::kLighting));
    EXPECT_EQ(theProjectOptions.bHiddenSurface, 0);
}

TEST_F(ViewWindow, OpenGLThatCannotBeHadWarnsOnceAndDrawsThroughGdi)
{
    struct Case {
        bool refuseFormats, refuseContext;
        std::vector<std::string> boxes;
    };
    const std::string failed =
        "OpenGL创建失败! 可能是显卡的OpenGL驱动程序有缺陷，请更新显卡驱动程序。本次运行将不用OpenGL显示图形。";
    const Case cases[] = {{true, false, {"OPENGL初始化失败!", failed}}, {false, true, {failed}}};
    for (const Case& c : cases) {
        CVekView::ForgetOpenGLFailure();
        AppHelperLog boxes;
        ScriptedWgl wgl;
        wgl.refuseFormats = c.refuseFormats;
        wgl.refuseContext = c.refuseContext;
        theProjectOptions.bHiddenSurface = 1;
        theViewProjection.SetMode(CViewProjection::kFree3D, 0, 0, 0);
        theViewProjection.ViewTop(0);
        for (int i = 0; i < 3; ++i) Show();
        std::vector<std::string> shown;
        for (const AppMessage& m : boxes.Messages()) shown.push_back(m.text);
        EXPECT_EQ(shown, c.boxes);
        // The model is there, drawn through GDI, and the switch kept.
        EXPECT_EQ(BackAt(5, 4), theDisplayColors.m_ele[0]);
        EXPECT_EQ(theProjectOptions.bHiddenSurface, 1);
        EXPECT_EQ(wgl.contextsMade, 0);
    }
}

TEST_F(ViewWindow, AFewColoursAreWarnedOfOnceAndOpenGLStillDraws)
{
    ScriptedWgl wgl;
    wgl.reportColourBits = 8;
    theProjectOptions.bHiddenSurface = 1;
    theProjectOptions.SetOption(CProjectOptions::kLighting, false);
    theViewProjection.SetMode(CViewProjection::kFree3D, 0, 0, 0);
    theViewProjection.ViewTop(0);
    Show();
    Show();
    ASSERT_EQ(log.Messages().size(), 1u);
    EXPECT_EQ(log.Messages()[0].text.substr(0, 14), "系统颜色数过低");
    EXPECT_EQ(nGLColorBits, 8);
    EXPECT_EQ(wgl.contextsMade, 1);
    EXPECT_EQ(BackAt(5, 4), theDisplayColors.m_ele[0]);
}
