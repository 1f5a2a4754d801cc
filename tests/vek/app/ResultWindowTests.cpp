// A portal frame's generated result set in the program's own frame and view:
// the deformed shape and the beam moment diagram through the result commands,
// and the animation's frames written and played.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "AppTestUtil.h"
#include "PortalResults.h"
#include "framework/Image.h"
#include "tests/korvalib/results/ResultGen.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WinTestSupport.h"
#include "vek/app/AppWindows.h"
#include "vek/app/VekView.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/model/ModelFamily.h"
#include "vek/model/ObjectBase.h"
#include "vek/model/ProjectOptions.h"
#include "vek/results/Result.h"
#include "vek/results/ResultCounts.h"
#include "vek/results/ResultDisp.h"
#include "vek/results/ContourColours.h"
#include "vek/results/ResultPictures.h"
#include "vek/results/win/ResultCommands.h"
#include "vek/res/ResultDialogsRes.h"
#include "vek/res/resource.h"
#include "vek/view/DisplayColors.h"
#include "vek/view/ViewProjection.h"

using vektest::PumpPending;
using vektest::PumpUntil;

using apptest::kPortal;
using apptest::kSway;
using apptest::PortalResults;

namespace {

CDialog* ActiveModal()
{
    return CDialog::GetActiveModal();
}

// Once the command's dialog is up: fn looks at it and clicks, then OK.
void AnswerDialog(std::function<void(CDialog*)> fn)
{
    vektest::RunSoon([fn] {
        PumpUntil([] { return ActiveModal() && ActiveModal()->m_hWnd && ::IsWindowVisible(ActiveModal()->m_hWnd); });
        CDialog* dlg = ActiveModal();
        fn(dlg);
        dlg->SendMessage(WM_COMMAND, IDOK);
    });
}

void Click(CDialog* dlg, int id)
{
    if (CWnd* w = dlg->GetDlgItem(id)) w->SendMessage(BM_CLICK);
}

// The view's picture as a PNG file under the build's artifacts.
void SavePicture(CVekView* view, const char* name)
{
    ::GdiFlush();
    CImage image;
    image.Attach(view->GetBackBitmap());
    image.Save((std::string(VEK_ARTIFACTS) + "/" + name + ".png").c_str());
    image.Detach();
}

bool Enabled(CDialog* dlg, int id)
{
    CWnd* w = dlg->GetDlgItem(id);
    return w && w->IsWindowEnabled();
}

// The model's beams until their family is in the program: numbers and ends.
class PortalBeams : public CModelFamily {
public:
    PortalBeams() { previous = RegisterModelFamily(EFamily::Frames, this); }
    ~PortalBeams() override { RegisterModelFamily(EFamily::Frames, previous); }
    int GetCount() const override { return 3; }
    int GetID(int pos) const override { return pos + 1; }
    int IndexOfID(int id) const override { return id >= 1 && id <= 3 ? id - 1 : -1; }
    int GetNodes(int pos, int* out, int max) const override
    {
        static const int ends[3][2] = {{1, 2}, {2, 3}, {4, 3}};
        for (int k = 0; k < std::min(max, 2); ++k) out[k] = ends[pos][k];
        return 2;
    }
    CModelFamily* previous;
};

class ResultWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = apptest::Frame();
        ASSERT_NE(frame, nullptr);
        savedOptions = theProjectOptions;
        frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
        PumpPending();
        view = GetVekView();
        ASSERT_NE(view, nullptr);
        ASSERT_TRUE(apptest::StorePortalNodes());
        model.WriteAll(Base());
        resgen::SetTime(Base() + ".PL", -100);
        ASSERT_EQ(theResult.SetFileName(Base().c_str(), 4, 1), 1);
        theProjectOptions.nMaxDisplacementPixels = 40;
        theProjectOptions.bShowUndeformed = 0;
        theViewProjection.SetMode(CViewProjection::kPlan, 0, 0, 0);
        theViewProjection.ZoomExtents(1, 1, 1);
        Redraw();
    }
    void TearDown() override
    {
        theResultDisp.CloseAll(1);
        theResult.SetZero();
        frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
        PumpPending();
        // The settings these pictures change belong to the later tests' projects too.
        theProjectOptions = savedOptions;
    }
    std::string Base() const { return dir.File("portal"); }
    void Command(UINT id)
    {
        frame->SendMessage(WM_COMMAND, id);
        PumpPending();
        Redraw();
    }
    void Redraw()
    {
        view->InvalidateModel();
        view->UpdateWindow();
    }
    std::vector<uint32_t> Shown(int& w, int& h)
    {
        RECT r;
        view->GetClientRect(&r);
        w = r.right;
        h = r.bottom;
        return vektest::WindowPixels(view->GetSafeHwnd(), w, h);
    }
    // Whether anything but the background lies within d pixels of (x, y).
    static bool Drawn(const std::vector<uint32_t>& px, int w, int h, int x, int y, int d)
    {
        const uint32_t back = px[0];
        for (int yy = std::max(0, y - d); yy <= std::min(h - 1, y + d); ++yy)
            for (int xx = std::max(0, x - d); xx <= std::min(w - 1, x + d); ++xx)
                if ((px[size_t(yy) * size_t(w) + size_t(xx)] & 0xFFFFFF) != (back & 0xFFFFFF)) return true;
        return false;
    }

    CMainFrame* frame = nullptr;
    CVekView* view = nullptr;
    CProjectOptions savedOptions;
    resgen::Model model = PortalResults();
    vektest::TempDir dir{"resultwin"};
    PortalBeams beams;
};

TEST_F(ResultWindowTest, TheSwayedPortalIsDrawnItsPixelSettingOff)
{
    int w, h;
    double top[3];
    std::copy(kPortal[1].begin(), kPortal[1].end(), top);
    int x0, y0;
    theViewProjection.WorldToScreenInt(top, x0, y0);
    const std::vector<uint32_t> before = Shown(w, h);
    ASSERT_TRUE(Drawn(before, w, h, x0, y0, 1)) << "the node where it stands";

    // The dialog offers the load case's pictures only: the result has no
    // combination, mode or stage.
    std::vector<bool> offered;
    AnswerDialog([&](CDialog* dlg) {
        for (int i = 0; i < 18; ++i) offered.push_back(Enabled(dlg, IDC_RES_PICTURE_FIRST + i));
        Click(dlg, IDC_RES_PICTURE_FIRST);
    });
    Command(ID_RESULT_DISP_PICTURE);
    std::vector<bool> expected(18, false);
    expected[0] = expected[9] = true;
    EXPECT_EQ(offered, expected);
    ASSERT_EQ(theResultDisp.disp.kind, 1);
    EXPECT_DOUBLE_EQ(theResultDisp.disp.largest, kSway);
    // The top of the column moved the pixel setting along x.
    double moved[3];
    ASSERT_TRUE(ModelFamily(EFamily::Nodes).GetDrawCoordinates(2, moved));
    int x1, y1;
    theViewProjection.WorldToScreenInt(moved, x1, y1);
    EXPECT_NEAR(x1 - x0, 40, 1);
    EXPECT_NEAR(y1 - y0, 4, 1);  // a tenth of that along -y, which is down the screen
    const std::vector<uint32_t> after = Shown(w, h);
    SavePicture(view, "results_portal_deformed");
    EXPECT_TRUE(Drawn(after, w, h, x1, y1, 1)) << "the node where it moved";
    EXPECT_FALSE(Drawn(after, w, h, x0, y0, 1)) << "nothing left where it stood";
    EXPECT_NE(theResultDisp.GetCaptionLine().find("荷载种类1的位移图"), std::string::npos);

    // Closing the pictures puts the nodes back.
    Command(ID_RESULT_CLOSE_ALL);
    EXPECT_EQ(theResultDisp.disp.kind, 0);
    EXPECT_TRUE(Drawn(Shown(w, h), w, h, x0, y0, 1));
}

TEST_F(ResultWindowTest, TheBeamsMomentPeaksAtMidSpanTheDiagramSizeOffTheAxis)
{
    theProjectOptions.nForceDiagramSize = 10;
    AnswerDialog([](CDialog* dlg) {
        EXPECT_TRUE(Enabled(dlg, IDC_RES_ELEMENT_FIRST));
        EXPECT_FALSE(Enabled(dlg, IDC_RES_ELEMENT_FIRST + 1)) << "no trusses";
        Click(dlg, IDC_RES_COMPONENT_FIRST + 2);
        Click(dlg, IDC_RES_ENVELOPE_FIRST);
    });
    Command(ID_RESULT_FORCE_DIAGRAM);
    const FrameForceDiagram& d = theResultDisp.frameDiagram;
    ASSERT_EQ(d.elementKind, 1);
    ASSERT_EQ(d.members.size(), 3u);
    EXPECT_DOUBLE_EQ(d.smallest, -32);
    // Span 4, 10 %: the peak stands 0.4 off the beam's axis.
    EXPECT_FLOAT_EQ(d.scale, float(4 * 0.1 / 32));
    int w, h;
    const std::vector<uint32_t> px = Shown(w, h);
    SavePicture(view, "results_portal_moment");
    // The peak is on one side of mid-span, at 0.4 from the axis; the same
    // distance on the other side stays empty.
    const double mid[3] = {2, 3, 0};
    const double up[3] = {2, 3.4, 0}, down[3] = {2, 2.6, 0};
    int xm, ym, xu, yu, xd, yd;
    theViewProjection.WorldToScreenInt(mid, xm, ym);
    theViewProjection.WorldToScreenInt(up, xu, yu);
    theViewProjection.WorldToScreenInt(down, xd, yd);
    const bool above = Drawn(px, w, h, xu, yu, 1), below = Drawn(px, w, h, xd, yd, 1);
    EXPECT_NE(above, below) << "the peak on one side only";
    EXPECT_TRUE(Drawn(px, w, h, xm, ym, 1)) << "the diagram's base line";
}

TEST_F(ResultWindowTest, AContourOfTheSwayIsRecolouredFromItsMarkers)
{
    theProjectOptions.nContourColors = 10;
    theProjectOptions.bColourLegend = 1;
    std::vector<std::string> types;
    AnswerDialog([&](CDialog* dlg) {
        auto* combo = static_cast<CComboBox*>(dlg->GetDlgItem(IDC_RES_CONTOUR_TYPE));
        for (int i = 0; i < combo->GetCount(); ++i) {
            CString text;
            combo->GetLBText(i, text);
            types.push_back(text.GetString());
        }
        // A type the result lacks moves on to the next one there is.
        combo->SetCurSel(9);
        dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_RES_CONTOUR_TYPE, CBN_SELCHANGE), LPARAM(combo->m_hWnd));
        EXPECT_EQ(combo->GetCurSel(), 10);
        combo->SetCurSel(4);
        dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_RES_CONTOUR_TYPE, CBN_SELCHANGE), LPARAM(combo->m_hWnd));
        EXPECT_EQ(combo->GetCurSel(), 4);
    });
    Command(ID_RESULT_CONTOUR);
    ASSERT_EQ(types.size(), 16u);
    EXPECT_EQ(types[0], "平面单元的应力 (无效)");
    EXPECT_EQ(types[4], "荷载种类的节点位移");
    EXPECT_EQ(types[9], "失稳模态的节点位移 (无效)");
    const ContourState& c = theResultDisp.contour;
    ASSERT_EQ(c.kind, 5);
    EXPECT_EQ(c.component, 0);
    EXPECT_DOUBLE_EQ(c.largest, kSway);

    int w, h;
    const std::vector<uint32_t> px = Shown(w, h);
    SavePicture(view, "results_portal_contour");
    size_t markers = 0;
    for (uint32_t p : px) {
        const uint32_t r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
        if (r == 0 && b == 0 && g >= 8 && g <= 247) ++markers;
    }
    EXPECT_EQ(markers, 0u) << "no marker green is left";
    // The beam moved as a whole: the highest band's colour, (255, 0, 127).
    const double mid[3] = {2, 3, 0};
    int x, y;
    theViewProjection.WorldToScreenInt(mid, x, y);
    bool top = false;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if ((px[size_t(y + dy) * size_t(w) + size_t(x + dx)] & 0xFFFFFF) == 0xFF007F) top = true;
    EXPECT_TRUE(top);
}

TEST_F(ResultWindowTest, AnAnimatedDeformedShapeWritesItsFramesAndPlaysThem)
{
    theProjectOptions.nAnimationFrames = 3;
    theProjectOptions.nAnimationInterval = 20;
    ASSERT_TRUE(ShowDispPicture(11));
    EXPECT_EQ(theResultDisp.disp.frameCount, 3);
    for (int k = 1; k <= 3; ++k)
        EXPECT_NE(::GetFileAttributesA(AnimationFrameFile(k).c_str()), INVALID_FILE_ATTRIBUTES) << k;
    // The play command was posted: the frames are shown one per tick, up to the top one.
    ASSERT_TRUE(PumpUntil([] { return LastShownFrame() == 3; }));
    EXPECT_EQ(theResultDisp.disp.playing, 1);
    frame->SendMessage(WM_COMMAND, ID_RESULT_STOP);
    EXPECT_EQ(theResultDisp.disp.playing, 0);
}

}  // namespace
