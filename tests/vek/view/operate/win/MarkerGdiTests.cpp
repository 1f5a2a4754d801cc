// Snap markers and rubber bands on a real GDI picture: drawn twice they
// leave every pixel as it was, their labels included.
#include <gtest/gtest.h>

#include <vector>

#include "tests/support/MemCanvas.h"
#include "vek/model/ProjectOptions.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/draw/DrawLayer.h"
#include "vek/view/operate/OperateHost.h"
#include "vek/view/operate/OsnapState.h"
#include "vek/view/operate/SingleOperate.h"
#include "vek/view/operate/OperationStack.h"
#include "vek/view/win/GdiDrawDC.h"
#include "vek/view/win/VekViewInput.h"

namespace {

long now = 0;

// Sessions draw on the canvas.
class CanvasHost : public CDrawHost {
public:
    explicit CanvasHost(HDC dc) : m_dc(dc) { m_prev = SetDrawHost(this); }
    ~CanvasHost() override { SetDrawHost(m_prev); }
    CDrawDC* BeginSession() override { return &m_dc; }
    void EndSession() override {}
    void RefreshNow() override {}

private:
    CGdiDrawDC m_dc;
    CDrawHost* m_prev;
};

std::vector<COLORREF> Pixels(const vektest::MemCanvas& c, int w, int h)
{
    std::vector<COLORREF> p;
    for (int y = 0; y < h; y += 1)
        for (int x = 0; x < w; x += 1) p.push_back(c.At(x, y));
    return p;
}

int Differ(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b)
{
    int n = 0;
    for (size_t i = 0; i < a.size(); ++i) n += a[i] != b[i];
    return n;
}

// The plan of the box (0,0)-(10,10) on a w x h picture, a fresh snap state, a clock that runs.
void FreshPlan(int w, int h)
{
    theProjectOptions = CProjectOptions();
    theOperateLinks = COperateLinks();
    theOperateLinks.clockMs = [] { return now += 1000; };
    theViewProjection.SetScreenRect(0, 0, w, h);
    theViewProjection.SetDefaultView();
    const double hi[3] = {10, 10, 0}, lo[3] = {0, 0, 0};
    theViewProjection.SetExtent(hi, lo);
    theViewProjection.ZoomExtents(0, 0, 1);
    theOsnapState = COsnapState();
}

}  // namespace

TEST(MarkersOnGdi, DrawnTwiceTheyVanish)
{
    constexpr int W = 240, H = 160;
    vektest::MemCanvas canvas(W, H, RGB(30, 60, 90));
    CanvasHost host(canvas.dc());
    FreshPlan(W, H);
    theOsnapState.SetSwitch(COsnapState::kOnLine, true);
    theOsnapState.SetSwitch(COsnapState::kIntersections, true);
    const double n[3] = {5, 5, 0}, a[3] = {0, 0, 0}, b[3] = {10, 10, 0}, c[3] = {0, 10, 0}, d[3] = {10, 0, 0};
    theOsnapState.AddSnapPoint(n, 0);
    theOsnapState.AddSnapLine(a, b, 0, 0);
    theOsnapState.AddSnapLine(c, d, 0, 0);
    const std::vector<COLORREF> before = Pixels(canvas, W, H);
    const double places[][2] = {{5, 5}, {0, 0}, {2.5, 2.5}, {7, 3}};
    for (const auto& p : places) {
        const double at[3] = {p[0], p[1], 0};
        int x, y;
        theViewProjection.WorldToScreenInt(at, x, y);
        theOsnapState.Snap(nullptr, x + 2, y + 2);
        ASSERT_EQ(theOsnapState.m_markerShown, 'Y') << p[0] << "," << p[1];
        EXPECT_GT(Differ(before, Pixels(canvas, W, H)), 30) << "type " << theOsnapState.m_type;
        theOsnapState.ClearMarker();
        EXPECT_EQ(Differ(before, Pixels(canvas, W, H)), 0) << "type " << theOsnapState.m_type;
    }

    // A selection window and a line drawn twice.
    CSingleOperate window;
    window.SetSelect(750, nullptr, 0, 0);
    window.m_screen = {POINT{20, 20}};
    window.m_cursorX = 200;
    window.m_cursorY = 120;
    window.DrawRubberBand();
    EXPECT_GT(Differ(before, Pixels(canvas, W, H)), 100);
    window.DrawRubberBand();
    EXPECT_EQ(Differ(before, Pixels(canvas, W, H)), 0);
    theOperateLinks = COperateLinks();
}

// A picture built anew under a running line and a shown marker: both go on
// it again, so that the next erase takes them off instead of drawing them.
TEST(MarkersOnGdi, APictureBuiltAnewGetsTheBandAndTheMarkerAgain)
{
    constexpr int W = 200, H = 150;
    const COLORREF back = RGB(10, 20, 30);
    vektest::MemCanvas canvas(W, H, back);
    CanvasHost host(canvas.dc());
    FreshPlan(W, H);
    const double node[3] = {8, 8, 0};
    theOsnapState.AddSnapPoint(node, 0);

    auto* line = new CSingleOperate;
    line->SetPickPoints(
        53, [](CSingleOperate*) {}, 2, 1);
    ASSERT_EQ(theOperationStack.BeginOperation(line, 0, 1, 0), 1);
    const double start[3] = {2, 2, 0};
    theOperationStack.ProcessOperationInput(start, nullptr);
    int x, y;
    theViewProjection.WorldToScreenInt(node, x, y);
    line->m_cursorX = x;
    line->m_cursorY = y;
    theOsnapState.Snap(start, x + 1, y + 1);
    ASSERT_EQ(theOsnapState.m_markerShown, 'Y');

    // The new picture: the background alone.
    RECT all{0, 0, W, H};
    HBRUSH b = ::CreateSolidBrush(back);
    ::FillRect(canvas.dc(), &all, b);
    ::DeleteObject(b);
    const std::vector<COLORREF> plain = Pixels(canvas, W, H);
    VekViewInput::OnPictureRebuilt();
    EXPECT_GT(Differ(plain, Pixels(canvas, W, H)), 30);
    // Erased as usual, they leave the new picture as it was.
    theOsnapState.ClearMarker();
    theOperationStack.DrawCurrentRubberBand();
    EXPECT_EQ(Differ(plain, Pixels(canvas, W, H)), 0);
    theOperationStack.EndAllOperations();
    theOperateLinks = COperateLinks();
}
