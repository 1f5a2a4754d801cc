// The XOR feedback on a picture of pixels: rubber bands and snap markers
// appear where they belong and vanish when drawn a second time.
#include <gtest/gtest.h>

#include "tests/vek/view/operate/PixelCanvas.h"
#include "tests/vek/view/operate/SnapProbe.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/ViewLink.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/ViewSettings.h"
#include "vek/view/operate/OperateHost.h"
#include "vek/view/operate/OperationStack.h"
#include "vek/view/operate/ViewInput.h"
#include "vek/view/operate/OsnapState.h"
#include "vek/view/operate/SingleOperate.h"

using namespace optest;

namespace {

class FeedbackTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        theProjectOptions = CProjectOptions();
        theViewSettings = CViewSettings();
        theOsnapState = COsnapState();
        theOperateLinks = COperateLinks();
        theOperateLinks.clockMs = [] { return FakeClock(); };
        theViewProjection.SetScreenRect(0, 0, 200, 100);
        theViewProjection.SetDefaultView();
        const double hi[3] = {10, 10, 0}, lo[3] = {0, 0, 0};
        theViewProjection.SetExtent(hi, lo);
        theViewProjection.ZoomExtents(0, 0, 1);
    }
    void TearDown() override { theOperateLinks = COperateLinks(); }
};

}  // namespace

TEST_F(FeedbackTest, AMarkerDrawnTwiceVanishes)
{
    PixelCanvas canvas(200, 100);
    const double node[3] = {5, 5, 0};
    theOsnapState.AddSnapPoint(node, 0);
    SnapLine(0, 0, 10, 10);
    SnapLine(0, 10, 10, 0);
    theOsnapState.SetSwitch(COsnapState::kIntersections, true);
    theOsnapState.SetSwitch(COsnapState::kOnLine, true);
    const std::vector<uint32_t> before = canvas.Pixels();
    const std::pair<double, double> places[] = {{5, 5}, {0, 0}, {2.5, 2.5}, {3, 7}};
    std::vector<int> types;
    for (auto [x, y] : places) {
        const int type = SnapAt(x, y, 2, 2);
        ASSERT_NE(type, 0) << x << "," << y;
        types.push_back(type);
        EXPECT_GT(canvas.Changed(before), 20) << "type " << type;
        theOsnapState.ClearMarker();
        EXPECT_EQ(canvas.Changed(before), 0) << "type " << type;
    }
    EXPECT_EQ(types, (std::vector<int>{COsnapState::kNode, COsnapState::kEnd, COsnapState::kDistance,
                                       COsnapState::kDistance}));
    EXPECT_EQ(canvas.textsPlain, 0);
    EXPECT_EQ(canvas.textsInverted, 8);
}

TEST_F(FeedbackTest, RubberBandsAppearAndVanish)
{
    PixelCanvas canvas(200, 100);
    const std::vector<uint32_t> before = canvas.Pixels();
    struct Case {
        const char* name;
        void (*set)(CSingleOperate&);
        int screens;  // screen points given (else two world points)
    };
    const Case cases[] = {
        {"line", [](CSingleOperate& o) { o.SetPickPoints(80, nullptr, 2, 1); }, 0},
        {"curve", [](CSingleOperate& o) { o.SetPickCurve(3, nullptr, 1); }, 0},
        {"spline", [](CSingleOperate& o) { o.SetPickCurve(809, nullptr, 1); }, 0},
        {"circle", [](CSingleOperate& o) { o.SetPickPoints(807, nullptr, 2, 1); }, 0},
        {"rectangle and ellipse", [](CSingleOperate& o) { o.SetPickPoints(810, nullptr, 2, 1); }, 0},
        {"window", [](CSingleOperate& o) { o.SetSelect(750, nullptr, 0, 0); }, 1},
        {"area",
         [](CSingleOperate& o) {
             o.SetSelect(750, nullptr, 0, 0);
             o.m_nKind = CSingleOperate::kArea;
         },
         3},
        {"segment", [](CSingleOperate& o) { o.SetScreenLine(10, nullptr, 0); }, 1},
        {"rotation", [](CSingleOperate& o) { o.SetDrag(14, nullptr, 1); }, 0},
    };
    for (const Case& c : cases) {
        CSingleOperate op;
        c.set(op);
        if (c.screens) {
            const POINT s[3] = {{20, 20}, {80, 30}, {60, 70}};
            op.m_screen.assign(s, s + c.screens);
        } else if (op.m_nKind != CSingleOperate::kDrag) {
            op.m_points = {Point3{1, 1, 0}, Point3{4, 2, 0}};
        }
        op.m_cursorX = 150;
        op.m_cursorY = 80;
        op.DrawRubberBand();
        EXPECT_GT(canvas.Changed(before), 30) << c.name;
        op.DrawRubberBand();
        EXPECT_EQ(canvas.Changed(before), 0) << c.name;
    }
    // Nothing for a pan drag or for a record with nothing gathered.
    CSingleOperate pan;
    pan.SetDrag(12, nullptr, 1);
    pan.m_screen = {POINT{5, 5}};
    pan.DrawRubberBand();
    CSingleOperate empty;
    empty.SetPickPoints(80, nullptr, 2, 1);
    empty.DrawRubberBand();
    EXPECT_EQ(canvas.Changed(before), 0);
}

TEST_F(FeedbackTest, TheSelectionWindowRunsFromTheFirstPointToTheCursor)
{
    PixelCanvas canvas(200, 100);
    const uint32_t back = canvas.At(0, 0);
    CSingleOperate op;
    op.SetSelect(750, nullptr, 0, 0);
    op.m_screen = {POINT{20, 20}};
    op.m_cursorX = 120;
    op.m_cursorY = 60;
    op.DrawRubberBand();
    EXPECT_NE(canvas.At(20, 20), back);
    EXPECT_NE(canvas.At(120, 40), back);
    EXPECT_NE(canvas.At(60, 60), back);
    EXPECT_EQ(canvas.At(70, 40), back);
    EXPECT_EQ(canvas.At(121, 61), back);
}

TEST_F(FeedbackTest, NodePairsOfTheIntersectionMethodAreNotJoined)
{
    PixelCanvas canvas(200, 100);
    const uint32_t back = canvas.At(0, 0);
    theProjectOptions.nGenerateMethod = 7;
    CSingleOperate op;
    op.SetPickPoints(40, nullptr, 4, 1);
    op.m_points = {Point3{1, 5, 0}, Point3{3, 5, 0}, Point3{6, 5, 0}};
    const POINT cursor = Pixel(6, 8);
    op.m_cursorX = cursor.x;
    op.m_cursorY = cursor.y;
    op.DrawRubberBand();
    EXPECT_NE(canvas.At(Pixel(2, 5).x, Pixel(2, 5).y), back) << "the first pair";
    EXPECT_EQ(canvas.At(Pixel(4.5, 5).x, Pixel(4.5, 5).y), back) << "second to third is left out";
    EXPECT_NE(canvas.At(Pixel(6, 6.5).x, Pixel(6, 6.5).y), back) << "the third point to the cursor";
}

TEST_F(FeedbackTest, AMouseMoveRedrawsTheBandAloneNeverTheModel)
{
    PixelCanvas canvas(200, 100);
    static int rebuilds = 0;
    rebuilds = 0;
    theViewLink.invalidateModel = [] { ++rebuilds; };
    auto* line = new CSingleOperate;
    line->SetPickPoints(
        80, [](CSingleOperate*) {}, 2, 1);
    ASSERT_EQ(theOperationStack.BeginOperation(line, 0, 1, 0), 1);
    const double start[3] = {1, 1, 0};
    theOperationStack.ProcessOperationInput(start, nullptr);
    const std::vector<uint32_t> plain = [&] {
        theOperationStack.DrawCurrentRubberBand();  // off, to see the picture without it
        std::vector<uint32_t> p = canvas.Pixels();
        theOperationStack.DrawCurrentRubberBand();
        return p;
    }();
    for (int x : {60, 90, 120}) {
        const int before = canvas.sessions;
        FakeClock() += 1000;
        ViewInput::OnMouseMove(x, 40);
        // Erased at the old cursor and drawn at the new: two sessions on the back buffer.
        EXPECT_LE(canvas.sessions - before, 2) << x;
        EXPECT_GT(canvas.Changed(plain), 0) << x;
    }
    EXPECT_EQ(rebuilds, 0);
    theOperationStack.DrawCurrentRubberBand();
    EXPECT_EQ(canvas.Changed(plain), 0);
    theOperationStack.EndAllOperations();
    theViewLink.invalidateModel = nullptr;
}
