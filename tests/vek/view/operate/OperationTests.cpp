// The operation record and the stack: setters, the state machine of every
// kind, Enter and Esc, beginning and ending.
#include <cmath>

#include "tests/vek/view/operate/OperateFixture.h"

using namespace optest;

namespace {

// One step of input.
struct Step {
    enum Kind { kWorld, kScreen, kEnter, kEsc } kind;
    double x = 0, y = 0, z = 0;
};
Step W(double x, double y, double z = 0)
{
    return Step{Step::kWorld, x, y, z};
}
Step S(int x, int y)
{
    return Step{Step::kScreen, double(x), double(y)};
}
const Step kEnter{Step::kEnter};
const Step kEsc{Step::kEsc};

void Play(const std::vector<Step>& steps)
{
    for (const Step& s : steps) {
        switch (s.kind) {
            case Step::kWorld: {
                const double p[3] = {s.x, s.y, s.z};
                theOperationStack.ProcessOperationInput(p, nullptr);
                break;
            }
            case Step::kScreen: {
                if (CSingleOperate* op = theOperationStack.GetCurrentOperation()) {
                    op->m_cursorX = int(s.x);
                    op->m_cursorY = int(s.y);
                }
                const POINT p{int(s.x), int(s.y)};
                theOperationStack.ProcessOperationInput(nullptr, &p);
                break;
            }
            case Step::kEnter: theOperationStack.FinishOperation(); break;
            case Step::kEsc: theOperationStack.CancelOperation(); break;
        }
    }
}

// What the pick dispatchers were asked, through the node kind's routines.
struct PickLog {
    std::vector<std::string> asked;
    int answer = 0;
};
PickLog& Picks()
{
    static PickLog log;
    return log;
}
std::string Pt(POINT p)
{
    return std::to_string(p.x) + "," + std::to_string(p.y);
}
const CPickRoutines kLoggingNodes = {
    [](int x, int y, int single, int range) {
        Picks().asked.push_back("point " + std::to_string(x) + "," + std::to_string(y) + " r" + std::to_string(range));
        return Picks().answer;
    },
    [](POINT a, POINT b, int, int range) {
        Picks().asked.push_back("window " + Pt(a) + " " + Pt(b) + " r" + std::to_string(range));
        return Picks().answer;
    },
    [](const POINT* p, int n, int, int range) {
        Picks().asked.push_back("polygon " + std::to_string(n) + " r" + std::to_string(range));
        return Picks().answer;
    },
    nullptr,
    nullptr,
    nullptr};
const CPickRoutines kLoggingShells = {nullptr,
                                      nullptr,
                                      nullptr,
                                      [](POINT a, POINT b, int, int range) {
                                          Picks().asked.push_back("segment " + Pt(a) + " " + Pt(b));
                                          return Picks().answer;
                                      },
                                      nullptr,
                                      nullptr};

class OperationTest : public OperateTest {
protected:
    void SetUp() override
    {
        OperateTest::SetUp();
        Picks() = PickLog();
        RegisterPickRoutines(EPickKind::Nodes, &kLoggingNodes);
        RegisterPickRoutines(EPickKind::Shells, &kLoggingShells);
        theSelectFilter.SelectNodes(1);
        theSelectFilter.SelectShells(0);
    }
};

}  // namespace

TEST(SingleOperate, SettersFixKindLimitKeepAndClearTheirFlags)
{
    struct Case {
        const char* name;
        void (*set)(CSingleOperate&);
        int kind, limit, keep, windowOnly, immediate;
    };
    const Case cases[] = {
        {"points", [](CSingleOperate& o) { o.SetPickPoints(40, Record, 3, 1); }, 1, 3, 1, 0, 0},
        {"curve", [](CSingleOperate& o) { o.SetPickCurve(3, Record, 1); }, 2, 2000, 1, 0, 0},
        {"axis", [](CSingleOperate& o) { o.SetPickAxis(301, Record, 0); }, 3, 2, 0, 0, 0},
        {"vector", [](CSingleOperate& o) { o.SetPickVector(609, Record); }, 4, 2, 0, 0, 0},
        {"one", [](CSingleOperate& o) { o.SetPickOne(52, Record, 1); }, 11, 1, 1, 0, 0},
        {"select", [](CSingleOperate& o) { o.SetSelect(45, Record, 1, 1); }, 12, 4, 1, 0, 1},
        {"window", [](CSingleOperate& o) { o.SetWindowMode(9, Record, 1); }, 12, 4, 1, 1, 0},
        {"line", [](CSingleOperate& o) { o.SetScreenLine(10, Record, 0); }, 16, 2, 0, 0, 0},
        {"rect", [](CSingleOperate& o) { o.SetScreenWindow(11, Record, 0); }, 17, 2, 0, 0, 0},
        {"drag", [](CSingleOperate& o) { o.SetDrag(12, Record, 1); }, 18, 2, 1, 0, 0},
    };
    for (const Case& c : cases) {
        CSingleOperate op;
        op.m_points.push_back(Point3{1, 2, 3});
        op.m_bWindowOnly = op.m_bImmediate = 1;
        c.set(op);
        EXPECT_EQ(op.m_nKind, c.kind) << c.name;
        EXPECT_EQ(op.m_nLimit, c.limit) << c.name;
        EXPECT_EQ(op.m_bKeep, c.keep) << c.name;
        EXPECT_EQ(op.m_bWindowOnly, c.windowOnly) << c.name;
        EXPECT_EQ(op.m_bImmediate, c.immediate) << c.name;
        EXPECT_TRUE(op.m_points.empty()) << c.name;
    }
    CSingleOperate a, b;
    a.SetPickPoints(80, Record, 2, 1);
    b.SetPickPoints(80, Record, 2, 0);
    EXPECT_TRUE(a.IsSame(b));
    b.SetPickPoints(80, Record, 3, 0);
    EXPECT_FALSE(a.IsSame(b));

    double out[4][3];
    a.m_points = {Point3{1, 1, 1}, Point3{2, 2, 2}};
    EXPECT_EQ(a.SetInputPoints(out, 4), 2);
    EXPECT_EQ(a.SetInputPoints(out, 1), 1);
    EXPECT_EQ(out[0][0], 1);
}

TEST_F(OperationTest, SelectionKindsChangeByTheSelectionMethodAndBack)
{
    struct Case {
        const char* name;
        int method;
        bool windowOnly, immediate;
        std::vector<Step> steps;
        int kind;           // the record's kind afterwards
        int screens;        // screen points held afterwards
        int calls;          // callbacks called
        std::string asked;  // the pick the dispatcher was asked for last
    };
    const std::vector<Case> cases = {
        {"area gathers", 1, false, false, {S(10, 10), S(60, 10), S(60, 60)}, 14, 3, 0, ""},
        {"area closes on Enter", 1, false, true, {S(10, 10), S(60, 10), S(60, 60), kEnter}, 12, 0, 1, "polygon 3 r1"},
        {"area with two points waits", 1, false, false, {S(10, 10), S(60, 10), kEnter}, 14, 2, 0, ""},
        {"crossing line", 2, false, true, {S(10, 10), S(60, 60)}, 12, 0, 1, "segment 10,10 60,60"},
        {"crossing line waits", 2, false, false, {S(10, 10)}, 15, 1, 0, ""},
        {"window-only keeps windows", 2, true, false, {S(10, 10), S(60, 60)}, 12, 0, 1, ""},
        {"click", 0, false, false, {S(10, 10), S(12, 13)}, 12, 0, 0, "point 11,11 r1"},
        {"click of an immediate selection", 0, false, true, {S(10, 10), S(12, 13)}, 12, 0, 1, "point 11,11 r1"},
        {"drag window", 0, false, true, {S(10, 10), S(60, 60)}, 12, 0, 1, "window 60,60 10,10 r1"},
        {"window of a later step", 0, false, false, {S(10, 10), S(60, 60)}, 12, 0, 0, "window 60,60 10,10 r1"},
    };
    for (const Case& c : cases) {
        theOperationStack.EndAllOperations();
        Calls().calls.clear();
        Picks() = PickLog();
        theProjectOptions.nSelectMethod = uint8_t(c.method);
        auto* op = new CSingleOperate;
        if (c.windowOnly)
            op->SetWindowMode(600, Record, 1);
        else
            op->SetSelect(600, Record, 1, c.immediate);
        ASSERT_EQ(Begin(op), 1);
        Picks().answer = 1;
        Play(c.steps);
        ASSERT_NE(Top(), nullptr) << c.name;
        EXPECT_EQ(Top()->m_nKind, c.kind) << c.name;
        EXPECT_EQ(Top()->ScreenCount(), c.screens) << c.name;
        EXPECT_EQ(int(Calls().calls.size()), c.calls) << c.name;
        EXPECT_EQ(Picks().asked.empty() ? "" : Picks().asked.back(), c.asked) << c.name;
    }
}

TEST_F(OperationTest, ClickThatHitsNothingKeepsItsPointsAsTheWindowsFirstCorner)
{
    auto* op = new CSingleOperate;
    op->SetSelect(750, nullptr, 0, 0);
    Begin(op);
    Picks().answer = 0;
    Play({S(10, 10), S(11, 12)});
    ASSERT_NE(Top(), nullptr);
    EXPECT_EQ(Top()->ScreenCount(), 2);
    Picks().answer = 1;
    Play({S(80, 50), S(81, 50)});
    // Four points: the window between the fourth and the first; without a
    // callback or keep the selection then ends.
    EXPECT_EQ(Picks().asked.back(), "window 81,50 10,10 r1");
    EXPECT_EQ(Top(), nullptr);
    EXPECT_EQ(theProjectOptions.nCurrentCommand, 0);
}

TEST_F(OperationTest, SinglePickKindsPickOnTheFirstClickUnlessPickingAnything)
{
    theSelectFilter.SelectAxes(0);
    auto* op = new CSingleOperate;
    op->SetSelect(303, Record, 1, 1);
    Begin(op);
    Picks().answer = 1;
    Play({S(30, 40)});
    EXPECT_EQ(Picks().asked, std::vector<std::string>{"point 30,40 r1"});
    EXPECT_EQ(Top()->ScreenCount(), 0);
    EXPECT_EQ(Calls().calls.size(), 1u);

    auto* any = new CSingleOperate;
    any->SetSelect(750, nullptr, 0, 0);
    Begin(any);
    Picks() = PickLog();
    Play({S(30, 40)});
    EXPECT_TRUE(Picks().asked.empty());
    EXPECT_EQ(Top()->ScreenCount(), 1);
}

TEST_F(OperationTest, ColumnWindowMethodTurnsThePointRecordIntoAScreenWindowAndBack)
{
    theProjectOptions.nGenerateMethod = 3;
    auto* op = new CSingleOperate;
    op->SetPickPoints(81, Record, 1, 1);
    Begin(op);
    Top()->m_cursorX = 20;
    Top()->m_cursorY = 30;
    Play({W(1, 1)});
    EXPECT_EQ(Top()->m_nKind, CSingleOperate::kScreenWindow);
    EXPECT_EQ(Top()->m_nLimit, 2);
    EXPECT_EQ(Top()->PointCount(), 0);
    ASSERT_EQ(Top()->ScreenCount(), 1);
    EXPECT_EQ(Top()->m_screen[0].x, 20);
    Play({S(90, 70)});
    ASSERT_EQ(Calls().calls.size(), 1u);
    EXPECT_EQ(Calls().calls[0].kind, CSingleOperate::kScreenWindow);
    EXPECT_EQ(Calls().calls[0].screen.size(), 2u);
    EXPECT_EQ(Top()->m_nKind, CSingleOperate::kPoints);
    EXPECT_EQ(Top()->m_nLimit, 1);
    EXPECT_EQ(Top()->ScreenCount(), 0);
}

TEST_F(OperationTest, FirstPointSetsTheLimitByCommandAndMethod)
{
    struct Case {
        int code, method, limit;
    };
    const Case cases[] = {{40, 1, 1},  {40, 4, 2},  {40, 5, 4},  {40, 7, 4},  {40, 6, 3},  {80, 1, 2},  {80, 2, 2},
                          {80, 4, 2},  {80, 5, 4},  {80, 6, 3},  {120, 7, 4}, {81, 1, 1},  {81, 4, 2},  {81, 6, 3},
                          {160, 1, 4}, {160, 5, 4}, {200, 1, 4}, {200, 5, 4}, {670, 1, 4}, {670, 5, 4}, {53, 4, 9}};
    for (const Case& c : cases) {
        theOperationStack.EndAllOperations();
        theProjectOptions.nGenerateMethod = uint8_t(c.method);
        auto* op = new CSingleOperate;
        op->SetPickPoints(c.code, Record, 9, 1);
        Begin(op);
        Play({W(0, 0)});
        ASSERT_NE(Top(), nullptr) << c.code << "/" << c.method;
        EXPECT_EQ(Top()->m_nLimit, c.limit) << c.code << "/" << c.method;
    }
}

TEST_F(OperationTest, QuadrilateralMethodIsRefusedForPrismsAndTriangles)
{
    struct Case {
        int code, type;
        const char* flash;
        int limit;
    };
    const Case cases[] = {{200, 2, "三棱柱单元不能采用四边形生成方式!/1500", 3},
                          {200, 4, "三棱柱单元不能采用四边形生成方式!/1500", 3},
                          {670, 1, "三角形单元不能采用四边形生成方式!/1500", 3},
                          {670, 3, "三角形单元不能采用四边形生成方式!/1500", 3},
                          {670, 2, nullptr, 4}};
    static int type = 0;
    theOperateLinks.generationType = [](int) { return type; };
    for (const Case& c : cases) {
        theOperationStack.EndAllOperations();
        host.flashes.clear();
        type = c.type;
        theProjectOptions.nGenerateMethod = 5;
        auto* op = new CSingleOperate;
        op->SetPickPoints(c.code, Record, 1, 1);
        Begin(op);
        const int fills = host.methodFills;
        Play({W(0, 0)});
        EXPECT_EQ(Top()->m_nLimit, c.limit) << c.code << "/" << c.type;
        if (c.flash) {
            EXPECT_EQ(host.flashes, std::vector<std::string>{c.flash});
            EXPECT_EQ(theProjectOptions.nGenerateMethod, 1);
            EXPECT_EQ(host.methodFills, fills + 1);
        } else {
            EXPECT_TRUE(host.flashes.empty());
            EXPECT_EQ(theProjectOptions.nGenerateMethod, 5);
        }
    }
}

TEST_F(OperationTest, ShellSinglePointMethodTakesTheCursorAtOnce)
{
    theProjectOptions.nGenerateMethod = 8;
    auto* op = new CSingleOperate;
    op->SetPickPoints(160, Record, 4, 1);
    Begin(op);
    Top()->m_cursorX = 33;
    Top()->m_cursorY = 44;
    Play({W(5, 5, 5)});
    ASSERT_EQ(Calls().calls.size(), 1u);
    ASSERT_EQ(Calls().calls[0].points.size(), 1u);
    EXPECT_EQ(Calls().calls[0].points[0], (Point3{33, 44, 0}));

    theOperateLinks.shellCornerCount = [] { return 3; };
    theProjectOptions.nGenerateMethod = 1;
    Play({W(0, 0)});
    EXPECT_EQ(Top()->m_nLimit, 3);
}

TEST_F(OperationTest, KeepStartsANewCycleAndChainsOnlyWhereTheCommandContinues)
{
    struct Case {
        int code, method, keep;
        int depth;  // records on the stack afterwards
        int left;   // points the record holds after three points
        int calls;
    };
    const Case cases[] = {
        {800, 1, 1, 1, 1, 2}, {80, 2, 1, 1, 1, 2}, {80, 1, 1, 1, 1, 1}, {120, 4, 1, 1, 1, 1}, {53, 1, 0, 0, 0, 1}};
    for (const Case& c : cases) {
        theOperationStack.EndAllOperations();
        Calls().calls.clear();
        theProjectOptions.nGenerateMethod = uint8_t(c.method);
        auto* op = new CSingleOperate;
        op->SetPickPoints(c.code, Record, 2, c.keep);
        Begin(op);
        Play({W(0, 0), W(1, 0), W(2, 0)});
        EXPECT_EQ(theOperationStack.Depth(), c.depth) << c.code << "/" << c.method;
        if (Top()) {
            EXPECT_EQ(Top()->PointCount(), c.left) << c.code << "/" << c.method;
        }
        EXPECT_EQ(int(Calls().calls.size()), c.calls) << c.code << "/" << c.method;
    }
    // The chain: the second cycle starts from the end of the first.
    theOperationStack.EndAllOperations();
    Calls().calls.clear();
    auto* op = new CSingleOperate;
    op->SetPickPoints(800, Record, 2, 1);
    Begin(op);
    Play({W(0, 0), W(1, 0), W(2, 0)});
    ASSERT_EQ(Calls().calls.size(), 2u);
    EXPECT_EQ(Calls().calls[1].points[0], (Point3{1, 0, 0}));
    EXPECT_EQ(Calls().calls[1].points[1], (Point3{2, 0, 0}));
}

TEST_F(OperationTest, CurveEndsOnItsFirstPointOrOnEnter)
{
    auto* op = new CSingleOperate;
    op->SetPickCurve(3, Record, 0);
    Begin(op);
    // With one point a coinciding one is still a point of the curve.
    Play({W(0, 0), W(0.01, 0.01, 0.005)});
    EXPECT_EQ(Top()->PointCount(), 2);
    Play({W(5, 0), W(0.019, -0.019, 0.009)});
    EXPECT_EQ(Top()->PointCount(), 3);
    EXPECT_EQ(host.posted, std::vector<std::string>{"finish"});
    // Within the tolerance only in x and y: not the first point.
    Play({W(0.01, 0.01, 0.02)});
    EXPECT_EQ(Top()->PointCount(), 4);
    Play({kEnter});
    ASSERT_EQ(Calls().calls.size(), 1u);
    EXPECT_EQ(Calls().calls[0].points.size(), 4u);
    EXPECT_EQ(Top(), nullptr);

    auto* two = new CSingleOperate;
    two->SetPickCurve(3, Record, 0);
    Begin(two);
    Play({W(0, 0), W(1, 0), kEnter});
    EXPECT_EQ(Calls().calls.size(), 1u);
    EXPECT_NE(Top(), nullptr);
}

TEST_F(OperationTest, DistanceTakesTwoPointsOrATypedValue)
{
    auto* op = new CSingleOperate;
    op->SetPickAxis(301, Record, 1);
    Begin(op);
    Play({W(0, 0), W(3, 4)});
    ASSERT_EQ(Calls().calls.size(), 1u);
    EXPECT_EQ(Calls().calls[0].typed, 0);
    EXPECT_EQ(Top()->PointCount(), 0);
    // A typed value with no point.
    host.input = "2*3";
    Play({kEnter});
    ASSERT_EQ(Calls().calls.size(), 2u);
    EXPECT_EQ(Calls().calls[1].typed, 1);
    EXPECT_EQ(Calls().calls[1].points[0][0], 6);
    // A typed value replaces the first point's x.
    Play({W(7, 8)});
    host.input = "1.5";
    Play({kEnter});
    ASSERT_EQ(Calls().calls.size(), 3u);
    EXPECT_EQ(Calls().calls[2].points.size(), 1u);
    EXPECT_EQ(Calls().calls[2].points[0], (Point3{1.5, 8, 0}));
    // What does not evaluate is ignored.
    host.input = "abc(";
    Play({kEnter});
    EXPECT_EQ(Calls().calls.size(), 3u);
}

TEST_F(OperationTest, VectorKeepsEveryDigitAndAlwaysEnds)
{
    auto* op = new CSingleOperate;
    op->SetPickVector(609, Record);
    op->m_bKeep = 1;
    Begin(op);
    Play({W(0, 0, 0), W(123456.7, -0.1, 1e-9)});
    ASSERT_EQ(Calls().calls.size(), 1u);
    EXPECT_EQ(std::strtod(Calls().calls[0].values[0].c_str(), nullptr), 123456.7);
    EXPECT_EQ(std::strtod(Calls().calls[0].values[1].c_str(), nullptr), -0.1);
    EXPECT_EQ(std::strtod(Calls().calls[0].values[2].c_str(), nullptr), 1e-9);
    EXPECT_EQ(Top(), nullptr);

    theProjectOptions.bPlaneModel = 1;
    auto* typed = new CSingleOperate;
    typed->SetPickVector(609, Record);
    Begin(typed);
    Play({W(1, 1, 1)});
    host.input = "3, 2*2 9";
    Play({kEnter});
    ASSERT_EQ(Calls().calls.size(), 2u);
    EXPECT_TRUE(Calls().calls[1].points.empty());
    EXPECT_EQ(Calls().calls[1].values[0], "3");
    EXPECT_EQ(Calls().calls[1].values[1], "2*2");
    EXPECT_EQ(Calls().calls[1].values[2], "0");
    EXPECT_EQ(Top(), nullptr);
}

TEST_F(OperationTest, DragStepsBeyondTheThresholdOnly)
{
    auto* op = new CSingleOperate;
    op->SetDrag(12, Record, 1);
    Begin(op);
    theProjectOptions.nMouseSensitivity = 8;
    Play({S(10, 10), S(18, 2), S(19, 10)});
    ASSERT_EQ(Calls().calls.size(), 1u);
    EXPECT_EQ(Calls().calls[0].screen[0].x, 10);
    EXPECT_EQ(Calls().calls[0].screen[1].x, 19);
    ASSERT_EQ(Top()->ScreenCount(), 1);
    EXPECT_EQ(Top()->m_screen[0].x, 19);
    Play({S(19, 28)});
    ASSERT_EQ(Calls().calls.size(), 2u);
    EXPECT_EQ(Calls().calls[1].screen[0].y, 10);
    EXPECT_EQ(Calls().calls[1].screen[1].y, 28);
}

TEST_F(OperationTest, OneObjectPicksWithoutTheStoreyRange)
{
    auto* op = new CSingleOperate;
    op->SetPickOne(52, Record, 0);
    Begin(op);
    Play({S(40, 20)});
    EXPECT_EQ(Picks().asked, std::vector<std::string>{"point 40,20 r0"});
    EXPECT_EQ(Calls().calls.size(), 1u);
    EXPECT_EQ(Top(), nullptr);
}

TEST_F(OperationTest, EscapeClearsARepeatingRecordOrEndsIt)
{
    auto* op = new CSingleOperate;
    op->SetPickPoints(80, Record, 2, 1);
    Begin(op);
    Play({W(0, 0), kEsc});
    ASSERT_NE(Top(), nullptr);
    EXPECT_EQ(Top()->PointCount(), 0);
    EXPECT_TRUE(host.flashes.empty());
    Play({kEsc});
    EXPECT_EQ(Top(), nullptr);
    EXPECT_EQ(host.flashes, std::vector<std::string>{"当前操作被取消/700"});

    // An area returns to the selection.
    theProjectOptions.nSelectMethod = 1;
    auto* area = new CSingleOperate;
    area->SetSelect(600, Record, 1, 0);
    Begin(area);
    Play({S(1, 1), S(30, 1), kEsc});
    EXPECT_EQ(Top()->m_nKind, CSingleOperate::kSelect);
    EXPECT_EQ(Top()->m_nLimit, 4);

    // One record and an open panel: ended without the flashing prompt.
    theOperationStack.EndAllOperations();
    host.flashes.clear();
    host.modelessOpen = true;
    auto* quiet = new CSingleOperate;
    quiet->SetPickPoints(53, Record, 2, 0);
    Begin(quiet);
    Play({kEsc});
    EXPECT_EQ(Top(), nullptr);
    EXPECT_TRUE(host.flashes.empty());

    // Nothing running: everything is deselected.
    Family nodes(EFamily::Nodes);
    nodes.Node(1, 0, 0, 0).obj.m_nFlags |= kObjSelected;
    Play({kEsc});
    EXPECT_EQ(host.flashes.back(), "所有处于选中状态的对象将被设置成非选中状态/1000");
    EXPECT_FALSE(nodes.Selected(1));
}

TEST_F(OperationTest, EnterConfirmsASelectionWithACallback)
{
    auto* op = new CSingleOperate;
    op->SetSelect(600, Record, 0, 0);
    Begin(op);
    Play({kEnter});
    EXPECT_EQ(Calls().calls.size(), 1u);
    EXPECT_EQ(Top(), nullptr);
    // Immediate selections have already done their work.
    auto* now = new CSingleOperate;
    now->SetSelect(600, Record, 1, 1);
    Begin(now);
    Play({kEnter});
    EXPECT_EQ(Calls().calls.size(), 1u);
    EXPECT_NE(Top(), nullptr);
}

TEST_F(OperationTest, BeginRefusesTheRunningCommandAndSwitchesARepeatingOneOff)
{
    auto* first = new CSingleOperate;
    first->SetPickPoints(40, Record, 1, 1);
    EXPECT_EQ(Begin(first), 1);
    EXPECT_EQ(theProjectOptions.nCurrentCommand, 40);
    auto* again = new CSingleOperate;
    again->SetPickPoints(40, Record, 1, 1);
    EXPECT_EQ(Begin(again), 0);
    EXPECT_EQ(Top(), nullptr);
    EXPECT_EQ(theProjectOptions.nCurrentCommand, 0);

    // A record without keep goes on.
    auto* once = new CSingleOperate;
    once->SetPickPoints(53, Record, 2, 0);
    Begin(once);
    auto* twice = new CSingleOperate;
    twice->SetPickPoints(53, Record, 2, 0);
    EXPECT_EQ(Begin(twice), 0);
    EXPECT_EQ(theOperationStack.Depth(), 1);

    // Replace takes the top's place; stacking keeps the one below.
    auto* zoom = new CSingleOperate;
    zoom->SetDrag(15, Record, 1);
    Begin(zoom, 0, 0);
    EXPECT_EQ(theOperationStack.Depth(), 2);
    auto* pan = new CSingleOperate;
    pan->SetDrag(12, Record, 1);
    Begin(pan, 1, 0);
    EXPECT_EQ(theOperationStack.Depth(), 2);
    EXPECT_EQ(theProjectOptions.nCurrentCommand, 12);
    theOperationStack.EndOperation(false);
    EXPECT_EQ(theProjectOptions.nCurrentCommand, 53);
    EXPECT_EQ(host.shownAgain, 1);
}

TEST_F(OperationTest, EndingEverythingKeepsTheSelectionFilter)
{
    auto* op = new CSingleOperate;
    op->SetPickPoints(40, Record, 1, 1);
    Begin(op);
    theSelectFilter.Clear();
    theSelectFilter.SelectWalls(0);
    theSelectFilter.SelectPipes(0);
    auto* next = new CSingleOperate;
    next->SetSelect(124, Record, 1, 0);
    Begin(next, 0, 1);
    EXPECT_TRUE(theSelectFilter.Takes(CSelectFilter::kWalls));
    EXPECT_TRUE(theSelectFilter.Takes(CSelectFilter::kPipes));
    EXPECT_FALSE(theSelectFilter.Takes(CSelectFilter::kNodes));
    EXPECT_EQ(theOperationStack.Depth(), 1);
    EXPECT_EQ(host.closed, 1);
}

TEST_F(OperationTest, DirectionPickWaitsForADistinctSecondPoint)
{
    int owner = 0;
    auto* op = new CSingleOperate;
    op->SetPickPoints(407, PickDirectionCallback, 2, 0);
    op->m_pOwner = &owner;
    Begin(op);
    Play({W(1, 1, 1), W(1, 1, 1)});
    EXPECT_TRUE(host.sent.empty());
    ASSERT_NE(Top(), nullptr);
    EXPECT_EQ(Top()->PointCount(), 1);
    Play({W(1, 4, 5)});
    ASSERT_EQ(host.sent.size(), 1u);
    EXPECT_EQ(host.sent[0].message, 0x403u);
    EXPECT_NEAR(host.sent[0].v[0], 0, 1e-15);
    EXPECT_NEAR(host.sent[0].v[1], 0.6, 1e-15);
    EXPECT_NEAR(host.sent[0].v[2], 0.8, 1e-15);
    EXPECT_EQ(Top(), nullptr);
}

TEST_F(OperationTest, ACallbackMayEndTheStackUnderItsOwnRecord)
{
    auto* op = new CSingleOperate;
    op->SetPickPoints(
        40, [](CSingleOperate*) { theOperationStack.EndAllOperations(); }, 1, 1);
    Begin(op);
    Play({W(0, 0)});
    EXPECT_EQ(Top(), nullptr);
    EXPECT_EQ(theProjectOptions.nCurrentCommand, 0);
}

TEST_F(OperationTest, ProgressShowsEachWholePercentOnce)
{
    theOperationStack.SetProgress(0.421);
    EXPECT_EQ(host.prompt, "42%");
    host.prompt = "other";
    theOperationStack.SetProgress(0.4249);
    EXPECT_EQ(host.prompt, "other");
    theOperationStack.SetProgress(0.43);
    EXPECT_EQ(host.prompt, "43%");
}
