// Result pictures as the program's own view renders them: a cantilever's
// deformed shape, the frames of its animated mode shape and a contour along
// it, checked pixel by pixel.
#include <gtest/gtest.h>

#include "ViewPictures.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "AppTestUtil.h"
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
#include "vek/results/ContourValues.h"
#include "vek/results/Result.h"
#include "vek/results/ResultDisp.h"
#include "vek/results/ResultPictures.h"
#include "vek/view/ViewProjection.h"

using vektest::PumpPending;

namespace {

// A cantilever along x in the plan, fixed at node 1, nodes every 1 up to 4.
constexpr int kNodes = 5;
constexpr double kLength = 4;
constexpr double kTip = 0.02;
constexpr double kStretch = 0.001;

// The bent shape of a cantilever under a tip load, 0 at the root, 1 at the tip.
double Shape(double x)
{
    const double s = x / kLength;
    return s * s * (3 - s) / 2;
}

// Load case 1 bends it along y; load case 2 stretches it along x in
// proportion to x; mode 1 is the bent shape.
resgen::Model Cantilever()
{
    resgen::Model m;
    m.N = m.n = m.sysResultNodes = kNodes;
    for (int j = 0; j < kNodes; ++j) m.xyz.push_back({{double(j), 0, 0}});
    m.eq.assign(kNodes, {{0, 0, 0, 0, 0, 0}});
    m.master.assign(kNodes, 0);
    int e = 0;
    for (int j = 1; j < kNodes; ++j)
        for (auto& d : m.eq[size_t(j)]) d = ++e;
    m.neq = e;
    m.cases = 2;
    m.modes = 1;
    std::vector<resgen::Row6> bent(kNodes, resgen::Row6{}), stretched(kNodes, resgen::Row6{});
    for (int j = 0; j < kNodes; ++j) {
        bent[size_t(j)][1] = kTip * Shape(j);
        stretched[size_t(j)][0] = kStretch * j;
    }
    m.dis = {bent, stretched};
    m.vec = {bent};
    m.eigen = {100.0};
    return m;
}

class CantileverBeams : public CModelFamily {
public:
    CantileverBeams() { previous = RegisterModelFamily(EFamily::Frames, this); }
    ~CantileverBeams() override { RegisterModelFamily(EFamily::Frames, previous); }
    int GetCount() const override { return whole ? 1 : kNodes - 1; }
    int GetID(int pos) const override { return pos + 1; }
    int IndexOfID(int id) const override { return id >= 1 && id <= GetCount() ? id - 1 : -1; }
    int GetNodes(int pos, int* out, int max) const override
    {
        if (max >= 1) out[0] = pos + 1;
        if (max >= 2) out[1] = whole ? kNodes : pos + 2;
        return 2;
    }
    // One member from the root to the tip instead of one per span.
    bool whole = false;
    CModelFamily* previous;
};

class ResultPictureWin : public ::testing::Test {
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
        for (int i = 0; i < kNodes; ++i) {
            CNode n;
            n.m_nID = i + 1;
            n.m_nFlags = kObjLive | kObjStateShown;
            n.m_dCoord[0] = i;
            ASSERT_NE(StoreNode(n), nullptr);
        }
        model.WriteAll(Base());
        resgen::SetTime(Base() + ".PL", -100);
        ASSERT_EQ(theResult.SetFileName(Base().c_str(), kNodes, 1), 1);
        theProjectOptions.bShowUndeformed = 0;
        theViewProjection.SetMode(CViewProjection::kPlan, 0, 0, 0);
        theViewProjection.ZoomExtents(1, 1, 1);
        // The beam's span fills the view's width, with room above and below.
        POINT window[2];
        Screen(-0.5, -1.5, window[0].x, window[0].y);
        Screen(kLength + 0.5, 1.5, window[1].x, window[1].y);
        theViewProjection.ZoomWindowCallback(2, window);
        Redraw();
    }
    static void Screen(double x, double y, LONG& sx, LONG& sy)
    {
        int ix, iy;
        Screen(x, y, ix, iy);
        sx = ix;
        sy = iy;
    }
    void TearDown() override
    {
        if (HasFailure()) SavePicture("results_cantilever_failed");
        theResultDisp.CloseAll(1);
        theResult.SetZero();
        frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
        PumpPending();
        theProjectOptions = savedOptions;
    }
    std::string Base() const { return dir.File("cantilever"); }
    void Redraw()
    {
        view->InvalidateModel();
        view->UpdateWindow();
    }
    void SavePicture(const char* name) { apptest::SaveViewPicture(view, name); }
    static void Screen(double x, double y, int& sx, int& sy)
    {
        const double p[3] = {x, y, 0};
        theViewProjection.WorldToScreenInt(p, sx, sy);
    }
    static bool Drawn(const std::vector<uint32_t>& px, int w, int h, int x, int y, int d)
    {
        return apptest::DrawnNear(px, w, h, x, y, d);
    }
    std::vector<uint32_t> Shown(int& w, int& h)
    {
        RECT r;
        view->GetClientRect(&r);
        w = r.right;
        h = r.bottom;
        return vektest::WindowPixels(view->GetSafeHwnd(), w, h);
    }
    // The pixels of a picture file (0x00RRGGBB).
    static std::vector<uint32_t> FilePixels(const std::string& path, int& w, int& h)
    {
        CImage image;
        if (FAILED(image.Load(path.c_str()))) return {};
        w = image.GetWidth();
        h = image.GetHeight();
        std::vector<uint32_t> px(size_t(w) * size_t(h));
        HDC dc = image.GetDC();
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const COLORREF c = ::GetPixel(dc, x, y);
                px[size_t(y) * size_t(w) + size_t(x)] = GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
            }
        image.ReleaseDC();
        return px;
    }

    CMainFrame* frame = nullptr;
    CVekView* view = nullptr;
    CProjectOptions savedOptions;
    resgen::Model model = Cantilever();
    vektest::TempDir dir{"resultpicwin"};
    CantileverBeams beams;
};

TEST_F(ResultPictureWin, TheTipMovesThePixelSettingAndInnerNodesTheirShare)
{
    theProjectOptions.nMaxDisplacementPixels = 60;
    ASSERT_TRUE(ShowDispPicture(1));
    Redraw();
    int w, h;
    const std::vector<uint32_t> px = Shown(w, h);
    SavePicture("results_cantilever_deformed");
    for (int j = 1; j < kNodes; ++j) {
        int x0, y0, x1, y1;
        Screen(j, 0, x0, y0);
        double moved[3];
        ASSERT_TRUE(ModelFamily(EFamily::Nodes).GetDrawCoordinates(j + 1, moved));
        theViewProjection.WorldToScreenInt(moved, x1, y1);
        EXPECT_EQ(x1, x0) << j;
        // Up the model's y is up the screen.
        EXPECT_NEAR(y0 - y1, 60 * Shape(j), 1.0) << j;
        EXPECT_TRUE(Drawn(px, w, h, x1, y1, 1)) << "node " << j + 1 << " where it moved";
    }
    int xt, yt;
    Screen(kLength, 0, xt, yt);
    EXPECT_FALSE(Drawn(px, w, h, xt, yt, 1)) << "nothing left where the tip stood";
}

TEST_F(ResultPictureWin, AnimatedModeFramesSwingThreeQuartersEachWay)
{
    theProjectOptions.nMaxDisplacementPixels = 100;
    theProjectOptions.nAnimationFrames = 2;
    ASSERT_TRUE(ShowDispPicture(13));
    ASSERT_EQ(theResultDisp.disp.frameCount, 2);
    EXPECT_EQ(theProjectOptions.nMaxDisplacementPixels, 100) << "the setting comes back";
    int xt, yt;
    Screen(kLength, 0, xt, yt);
    // Frame 1 swings the tip 75 pixels down the screen, frame 2 75 up.
    const int offsets[2] = {75, -75};
    for (int k = 1; k <= 2; ++k) {
        int w = 0, h = 0;
        const std::vector<uint32_t> px = FilePixels(AnimationFrameFile(k), w, h);
        ASSERT_FALSE(px.empty()) << k;
        EXPECT_TRUE(Drawn(px, w, h, xt, yt + offsets[k - 1], 1)) << "frame " << k;
        EXPECT_FALSE(Drawn(px, w, h, xt, yt - offsets[k - 1], 1)) << "frame " << k;
        EXPECT_FALSE(Drawn(px, w, h, xt, yt, 1)) << "frame " << k;
    }
}

TEST_F(ResultPictureWin, ALinearFieldAlongTheBeamGivesTenBandsByTheMarkerCode)
{
    theProjectOptions.nContourColors = 10;
    theProjectOptions.bColourLegend = 0;
    theProjectOptions.nCurrentLoadCase = 2;
    // One line from root to tip; the nodes' symbols would break the row that
    // is read: only the ends show.
    beams.whole = true;
    CModelFamily& nodes = ModelFamily(EFamily::Nodes);
    for (int j = 2; j < kNodes; ++j)
        if (CObjectBase* o = nodes.GetAt(nodes.IndexOfID(j))) o->m_nFlags &= ~kObjStateShown;
    ContourState& c = theResultDisp.contour;
    c.kind = 5;
    c.component = 0;
    c.envelope = 0;
    UpdateContour();
    ASSERT_EQ(c.kind, 5);
    ASSERT_DOUBLE_EQ(c.largest, kStretch * kLength);
    Redraw();
    int w, h;
    const std::vector<uint32_t> px = Shown(w, h);
    SavePicture("results_cantilever_contour");
    int x0, y0, x1, y1;
    Screen(0, 0, x0, y0);
    Screen(kLength, 0, x1, y1);
    const int P = x1 - x0;
    ASSERT_GT(P, 100);
    // Boundaries between neighbouring colours along the beam's row, clear of
    // the end nodes' symbols.
    std::vector<int> boundaries;
    for (int x = x0 + 6; x < x1 - 6; ++x) {
        const uint32_t a = px[size_t(y0) * size_t(w) + size_t(x - 1)] & 0xFFFFFF;
        const uint32_t b = px[size_t(y0) * size_t(w) + size_t(x)] & 0xFFFFFF;
        EXPECT_FALSE(((b >> 16) & 0xFF) == 0 && (b & 0xFF) == 0 && ((b >> 8) & 0xFF) >= 8 && ((b >> 8) & 0xFF) <= 247)
            << "a marker pixel left at " << x;
        if (a != b) boundaries.push_back(x - x0);
    }
    ASSERT_EQ(boundaries.size(), 9u);
    // Band k begins where the marker 8 + (int)(239 t + 0.5) reaches 8 + 24 k,
    // at t = (24 k - 0.5) / 239. The line's ends lie between pixels, so a
    // boundary may fall up to a pixel and a half from there.
    for (int k = 1; k <= 9; ++k)
        EXPECT_NEAR(boundaries[size_t(k - 1)], (24.0 * k - 0.5) * P / 239, 1.5) << k << " of P = " << P;
}

}  // namespace
