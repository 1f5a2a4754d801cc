// Object snapping: the candidates, every snap type with its distance rules,
// the rate limit, the markers, the typed distance, the project block and the
// screen-segment hit test.
#include <cmath>

#include "tests/vek/view/operate/OperateFixture.h"
#include "tests/vek/view/operate/SnapProbe.h"

using namespace optest;

namespace {

class OsnapTest : public OperateTest {
protected:
    void SetUp() override
    {
        OperateTest::SetUp();
        theOsnapState.Reset(false);
    }
    // Points on a line come from the cursor's pixel: within a pixel of the model point.
    static void ExpectSnap(double x, double y, double tolerance = 1e-9)
    {
        double p[3];
        ASSERT_TRUE(theOsnapState.GetSnapPoint(p));
        EXPECT_NEAR(p[0], x, tolerance);
        EXPECT_NEAR(p[1], y, tolerance);
    }
    static double OnePixel() { return 1 / theViewProjection.GetScale(); }
};

}  // namespace

TEST_F(OsnapTest, EachTypeFromHandMadeCandidates)
{
    const double node[3] = {5, 8, 0}, grid[3] = {9, 9, 0};
    theOsnapState.AddSnapPoint(node, 1);
    theOsnapState.AddGridPoint(grid);
    SnapLine(0, 2, 8, 2);
    EXPECT_EQ(SnapAt(5, 8, 2, 1), COsnapState::kNode);
    ExpectSnap(5, 8);
    EXPECT_EQ(SnapAt(9, 9, -3, 0), COsnapState::kGrid);
    EXPECT_EQ(SnapAt(0, 2, 1, 1), COsnapState::kEnd);
    ExpectSnap(0, 2);
    EXPECT_EQ(SnapAt(4, 2, 0, 2), COsnapState::kMid);
    ExpectSnap(4, 2);
    // The foot of the perpendicular from the last point.
    const double ref[3] = {6, 8, 0};
    EXPECT_EQ(SnapAt(6, 2, 0, 1, ref), COsnapState::kFoot);
    ExpectSnap(6, 2);
    // Beyond 30 pixels nothing is taken.
    EXPECT_EQ(SnapAt(1, 9), 0);
}

TEST_F(OsnapTest, DistanceAlongALineFromItsNearerEnd)
{
    theOsnapState.SetSwitch(COsnapState::kOnLine, true);
    theOsnapState.SetSwitch(COsnapState::kMidPoints, false);
    theOsnapState.SetSwitch(COsnapState::kEnds, false);
    SnapLine(0, 2, 8, 2);
    EXPECT_EQ(SnapAt(3, 2, 0, 3), COsnapState::kDistance);
    ExpectSnap(3, 2, OnePixel());
    EXPECT_EQ(theOsnapState.m_ref1[0], 0);
    EXPECT_EQ(SnapAt(6, 2, 0, -2), COsnapState::kDistance);
    EXPECT_EQ(theOsnapState.m_ref1[0], 8);
    // The extension of the line counts too.
    EXPECT_EQ(SnapAt(9, 2, 0, 1), COsnapState::kDistance);
    ExpectSnap(9, 2, OnePixel());
    // Within 0.02 of the length from an end: not a distance, the end point.
    theOsnapState.SetSwitch(COsnapState::kEnds, true);
    EXPECT_EQ(SnapAt(7.9, 2), COsnapState::kEnd);
    ExpectSnap(8, 2);
    // An end point beats a distance snap unless the line is 10 pixels nearer.
    EXPECT_EQ(SnapAt(0.5, 2), COsnapState::kEnd);
}

TEST_F(OsnapTest, IntersectionsOfLinesAndOfGuides)
{
    theOsnapState.SetSwitch(COsnapState::kIntersections, true);
    theOsnapState.SetSwitch(COsnapState::kMidPoints, false);
    SnapLine(0, 0, 10, 10);
    SnapLine(0, 10, 10, 0);
    EXPECT_EQ(SnapAt(5, 5, 3, -2), COsnapState::kIntersection);
    ExpectSnap(5, 5);
    EXPECT_EQ(theOsnapState.m_ref1[0], 0);
    EXPECT_EQ(theOsnapState.m_guide[0], 0);

    // Guides: the perpendicular through a line's middle meets another line.
    theOsnapState.Reset(false);
    theOsnapState.SetSwitch(COsnapState::kGuides, true);
    SnapLine(0, 0, 4, 0);
    SnapLine(0, 6, 10, 6);
    EXPECT_EQ(SnapAt(2, 6, 2, 0), COsnapState::kIntersection);
    ExpectSnap(2, 6);
    EXPECT_EQ(theOsnapState.m_guide[0] + theOsnapState.m_guide[1], 1);
}

TEST_F(OsnapTest, SwitchesAndCommandsThatLimitTheSearch)
{
    const double node[3] = {5, 5, 0};
    theOsnapState.AddSnapPoint(node, 0);
    theOsnapState.SetMaster(false);
    EXPECT_EQ(SnapAt(5, 5), 0);
    theOsnapState.SetMaster(true);
    theOsnapState.SetSwitch(COsnapState::kEnds, false);
    EXPECT_EQ(SnapAt(5, 5), 0);
    // The spring and small-region commands always take nodes and end points, and only those.
    theProjectOptions.nCurrentCommand = 56;
    EXPECT_EQ(SnapAt(5, 5), COsnapState::kNode);
    SnapLine(1, 1, 9, 1);
    EXPECT_EQ(SnapAt(5, 1), 0);
    theProjectOptions.nCurrentCommand = 80;
    EXPECT_EQ(SnapAt(5, 1), COsnapState::kMid);
    // Plain screen points switch snapping off outside the 3-D view.
    theProjectOptions.nPickOption = 1;
    theOsnapState.ClearMarker();
    EXPECT_EQ(SnapAt(5, 1), 0);
}

TEST_F(OsnapTest, TheMarkerStaysWhileTheCursorStaysWithinAPixel)
{
    const double node[3] = {5, 5, 0};
    theOsnapState.AddSnapPoint(node, 0);
    EXPECT_EQ(SnapAt(5, 5, 3, 0), COsnapState::kNode);
    theOsnapState.m_points.clear();
    EXPECT_EQ(SnapAt(5, 5, 1, -1), COsnapState::kNode) << "no new search";
    EXPECT_EQ(SnapAt(5, 5, 2, 0), 0);
    EXPECT_EQ(theOsnapState.m_markerShown, 'N');
}

TEST_F(OsnapTest, TheRateLimitGrowsWithTheCandidates)
{
    EXPECT_EQ(COsnapState::IntervalFor(10000), 50);
    EXPECT_EQ(COsnapState::IntervalFor(10001), 60);
    EXPECT_EQ(COsnapState::IntervalFor(30000), 70);
    EXPECT_EQ(COsnapState::IntervalFor(50000), 80);
    EXPECT_EQ(COsnapState::IntervalFor(50001), 100);
    theOsnapState.m_points.assign(50001, COsnapState::P3{{100, 100, 0}});
    const double node[3] = {5, 5, 0};
    theOsnapState.m_points.push_back(COsnapState::P3{{node[0], node[1], node[2]}});
    const POINT p = Pixel(5, 5);
    FakeClock() = 5000;
    theOsnapState.Snap(nullptr, p.x, p.y);
    EXPECT_EQ(theOsnapState.m_type, COsnapState::kNode);
    theOsnapState.ClearMarker();
    theOsnapState.m_type = 0;
    FakeClock() = 5100;
    theOsnapState.Snap(nullptr, p.x, p.y);
    EXPECT_EQ(theOsnapState.m_type, 0) << "100 ms is not more than the interval";
    FakeClock() = 5101;
    theOsnapState.Snap(nullptr, p.x, p.y);
    EXPECT_EQ(theOsnapState.m_type, COsnapState::kNode);
}

TEST_F(OsnapTest, CandidatesAreOfferedOnceAndOnTheWorkPlaneOnly)
{
    const double a[3] = {0, 0, 0}, b[3] = {4, 0, 0}, high[3] = {4, 0, 3};
    EXPECT_TRUE(theOsnapState.AddSnapLine(a, b, 1, 2));
    const double nearA[3] = {0.009, -0.009, 0.009};
    EXPECT_FALSE(theOsnapState.AddSnapLine(nearA, b, 1, 2));
    EXPECT_TRUE(theOsnapState.AddSnapLine(b, a, 2, 1)) << "the other way round is another segment";
    EXPECT_FALSE(theOsnapState.AddSnapLine(a, high, 1, 3)) << "off the plan's work plane";
    EXPECT_EQ(theOsnapState.CandidateLines(), 2);

    theOsnapState.Reset(true);
    Family nodes(EFamily::Nodes);
    nodes.Node(1, 0, 0, 0);
    nodes.Node(2, 4, 0, 0);
    theOsnapState.Reset(true);
    EXPECT_TRUE(theOsnapState.AddSnapLine(a, b, 1, 2));
    EXPECT_FALSE(theOsnapState.AddSnapPoint(a, 1)) << "node 1 was offered with its line";
    const double c[3] = {7, 7, 0};
    EXPECT_TRUE(theOsnapState.AddSnapPoint(c, 0));
    EXPECT_FALSE(theOsnapState.AddSnapPoint(c, 0)) << "an equal point";
    // Numbers beyond the marks (nodes made after the reset) are not marked, and nothing is written beyond them.
    const double d[3] = {8, 8, 0};
    EXPECT_TRUE(theOsnapState.AddSnapLine(c, d, 3, 1000000));
    EXPECT_TRUE(theOsnapState.AddSnapPoint(d, 1000000));
    EXPECT_FALSE(theOsnapState.AddSnapPoint(d, -5)) << "an equal point";
    theOsnapState.m_collecting = 0;
    const double e[3] = {9, 1, 0};
    EXPECT_FALSE(theOsnapState.AddSnapPoint(e, 0));

    theOsnapState.Scale(10);
    EXPECT_EQ(theOsnapState.m_points[0].v[0], 70);
    theOsnapState.m_collecting = 1;
    const double e10[3] = {70, 70, 0};
    EXPECT_FALSE(theOsnapState.AddSnapPoint(e10, 0)) << "the scaled point is found again";
}

TEST_F(OsnapTest, TheBlockKeepsItsLettersInTheirOrderAndItsVersions)
{
    theOsnapState.SetSwitch(COsnapState::kGridPoints, false);
    theOsnapState.SetSwitch(COsnapState::kGuides, true);
    const vektest::Bytes bytes = vektest::WriteBlock([](bofstream& out) { WriteOsnapBlock(out); });
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "YYYYNNNY");

    struct Case {
        int version;
        const char* bytes;
        const char* switches;  // memory order afterwards
        bool ok;
    };
    const Case cases[] = {
        {706, "NYNYYYYN", "NYYNYYYN", true},  {450, "NYNYYY", "NYYNYYNN", true}, {300, "", "YYYYYNNN", true},
        {706, "YYYYXNNN", "YYYYYNNN", false}, {706, "YYY", "YYYYYNNN", false},
    };
    for (const Case& c : cases) {
        theOsnapState = COsnapState();
        vektest::ProjectVersion v(c.version);
        const std::string text = c.bytes;
        const bool ok = vektest::ReadBlock(vektest::Bytes(text.begin(), text.end()),
                                           [](bifstream& in) { return ReadOsnapBlock(in) == 1 && in.IsGood(); });
        EXPECT_EQ(ok, c.ok) << c.version << " " << c.bytes;
        EXPECT_EQ(std::string(theOsnapState.m_switch, 8), c.switches) << c.version << " " << c.bytes;
    }
}

TEST_F(OsnapTest, StatusTextAndOptionsDialog)
{
    EXPECT_EQ(theOsnapState.GetStatusText(), "捕捉:端网中垂");
    const std::string answer = "NNYNYYY";
    host.snapOptions = &answer;
    EXPECT_TRUE(theOsnapState.OptionsDialog());
    EXPECT_EQ(theOsnapState.GetStatusText(), "捕捉:中线上交垂线");
    EXPECT_EQ(host.snapTexts, 1);
    host.snapOptions = nullptr;
    EXPECT_FALSE(theOsnapState.OptionsDialog());
}

TEST_F(OsnapTest, TakingADistanceSnapAsksForTheLength)
{
    theOsnapState.SetSwitch(COsnapState::kOnLine, true);
    theOsnapState.SetSwitch(COsnapState::kMidPoints, false);
    SnapLine(0, 2, 8, 2);
    struct Case {
        const char* typed;  // nullptr: cancelled
        bool taken;
        double x, y;
    };
    const Case cases[] = {
        {"2.5", true, 2.5, 2},   {"-1", true, -1, 2},    {"O=2 90", true, 0, 4},
        {"O=2 -90", true, 0, 0}, {nullptr, false, 0, 0}, {"2x", false, 0, 0},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(SnapAt(3, 2, 0, 3), COsnapState::kDistance) << c.typed;
        host.editAnswers.clear();
        if (c.typed) host.editAnswers.push_back(c.typed);
        double p[3] = {-9, -9, -9};
        EXPECT_EQ(theOsnapState.TakeSnapPoint(p), c.taken) << (c.typed ? c.typed : "cancel");
        if (c.taken) {
            EXPECT_NEAR(p[0], c.x, 1e-9) << c.typed;
            EXPECT_NEAR(p[1], c.y, 1e-9) << c.typed;
        }
        EXPECT_EQ(theOsnapState.m_markerShown, 'N');
    }
    // An empty text takes the snap point itself.
    ASSERT_EQ(SnapAt(3, 2, 0, 3), COsnapState::kDistance);
    host.editAnswers = {""};
    double snap[3], taken[3];
    theOsnapState.GetSnapPoint(snap);
    EXPECT_TRUE(theOsnapState.TakeSnapPoint(taken));
    EXPECT_EQ(taken[0], snap[0]);
    EXPECT_EQ(host.edits.back(), "输入距虚线起点的长度(可负)，或O=R A作旋转，可直接按ENTER或ESC取消。");
    // Without a snap the click takes the cursor.
    double p[3];
    EXPECT_FALSE(theOsnapState.TakeSnapPoint(p));
}

TEST(HitTest, ScreenSegmentWithinTwoAndAHalfPickBoxes)
{
    theProjectOptions = CProjectOptions();
    theProjectOptions.nSnapTargetSize = 8;  // tolerance 20
    struct Case {
        int x, y, x1, y1, x2, y2, result;
    };
    const Case cases[] = {
        {50, 50, 0, 50, 100, 50, 1},   // on a horizontal segment
        {50, 69, 0, 50, 100, 50, 20},  // 19 pixels off
        {50, 71, 0, 50, 100, 50, 0},   // beyond the tolerance
        {130, 50, 0, 50, 100, 50, 0},  // beyond the end
        {53, 40, 50, 0, 50, 100, 4},   // a vertical segment
        {50, 101, 50, 0, 50, 100, 0},  // just past a vertical segment's end
        {10, 10, 0, 0, 100, 100, 1},   // on a diagonal
        {20, 0, 0, 0, 100, 100, 15},   // 14.1 pixels off a diagonal
        {11, 11, 10, 10, 11, 11, 2},   // a segment shorter than 3 pixels: a square about its first end
        {29, 29, 10, 10, 11, 11, 27}, {31, 10, 10, 10, 11, 11, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HitTestSegmentScreen(c.x, c.y, c.x1, c.y1, c.x2, c.y2), c.result)
            << c.x << "," << c.y << " on " << c.x1 << "," << c.y1 << "-" << c.x2 << "," << c.y2;
    theProjectOptions.nSnapTargetSize = 2;  // tolerance 5
    EXPECT_EQ(HitTestSegmentScreen(50, 56, 0, 50, 100, 50), 0);
    EXPECT_EQ(HitTestSegmentScreen(50, 55, 0, 50, 100, 50), 6);

    const double a1[3] = {0, 0, 0}, a2[3] = {4, 0, 0}, b1[3] = {3, 0, 0}, b2[3] = {9, 0, 0}, c2[3] = {9, 1, 0};
    EXPECT_TRUE(SegmentsOverlapCollinear(a1, a2, b1, b2));
    EXPECT_TRUE(SegmentsOverlapCollinear(a1, a2, b2, b1));
    EXPECT_FALSE(SegmentsOverlapCollinear(a1, a2, b1, c2));
    const double far1[3] = {5, 0, 0};
    EXPECT_FALSE(SegmentsOverlapCollinear(a1, b1, far1, b2));
}

TEST(ApproxHypot, WithinTheApproximationsError)
{
    EXPECT_EQ(ApproxHypot(0, 0), 0);
    for (double a = 0; a < 1.6; a += 0.1) {
        const double dx = 20 * std::cos(a), dy = -20 * std::sin(a);
        EXPECT_NEAR(ApproxHypot(dx, dy), 20, 0.3) << a;
    }
}
