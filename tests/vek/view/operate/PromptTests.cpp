// The prompt bar's texts and its typed coordinates in plan, elevation and
// 3-D views.
#include <cmath>

#include "tests/vek/view/operate/OperateFixture.h"
#include "vek/model/ElevationPlane.h"

using namespace optest;

namespace {

class PromptTest : public OperateTest {
protected:
    // The elevation y = 5 seen from -y: its local x is global x, its local y global z.
    static void ElevationAtYFive()
    {
        theElevationPlane = CElevationPlane();
        theElevationPlane.m_equation.Set(0, -1, 0, 5);
        const double origin[3] = {0, 5, 0};
        theElevationPlane.SetOrigin(origin);
        theViewProjection.SetMode(CViewProjection::kElevation, 0, 0, 0);
        theViewProjection.UpdateAxes();
    }
    static void Free3D()
    {
        theViewProjection.SetMode(CViewProjection::kFree3D, 0, 0, 0);
        theViewProjection.UpdateAxes();
    }
    static void Type(const char* keys)
    {
        for (const char* k = keys; *k; ++k) {
            if (!theOperationStack.OnInputChar(*k)) {
                // The edit inserts what the bar did not take.
            }
        }
    }
    static void PointsRecord(int code, int limit)
    {
        auto* op = new CSingleOperate;
        op->SetPickPoints(code, Record, limit, 1);
        theOperationStack.BeginOperation(op, 0, 1, 0);
    }
};

void ExpectPoint(const Point3& p, double x, double y, double z)
{
    EXPECT_NEAR(p[0], x, 1e-12);
    EXPECT_NEAR(p[1], y, 1e-12);
    EXPECT_NEAR(p[2], z, 1e-12);
}

}  // namespace

TEST_F(PromptTest, IdleAndPointPromptsWithTheirInputStates)
{
    theOperationStack.UpdateOperationPrompt();
    EXPECT_EQ(host.prompt, "通过菜单、热键和按钮等方式进行各种操作，操作过程中按ESC或右键快捷菜单可以退出");
    EXPECT_FALSE(host.editable);

    PointsRecord(80, 2);
    EXPECT_EQ(host.prompt, "请捕捉一个点。按#可以输入绝对坐标:");
    EXPECT_TRUE(host.editable);
    EXPECT_EQ(theOperationStack.GetInputState(), COperationStack::kAbsoluteAllowed);
    Feed(0, 0);
    EXPECT_EQ(host.prompt, "请捕捉剩余的1个点。按#、@可分别输入绝对和相对坐标:");
    EXPECT_EQ(theOperationStack.GetInputState(), COperationStack::kBothAllowed);

    // A record's own prompt is shown as it is.
    theOperationStack.EndAllOperations();
    auto* own = new CSingleOperate;
    own->SetPickPoints(53, Record, 2, 1);
    own->m_strPrompt = "请捕捉需测量距离的两点";
    theOperationStack.BeginOperation(own, 0, 1, 0);
    EXPECT_EQ(host.prompt, "请捕捉需测量距离的两点");
}

TEST_F(PromptTest, ArcPromptsReplaceTheRecordsOwn)
{
    struct Case {
        int method, points;
        const char* prompt;
        int state;
    };
    const Case cases[] = {
        {4, 0, "请捕捉圆弧按逆时针顺序的起点(可选择圆弧定义方式)。按#可以输入绝对坐标:", 1},
        {1, 1, "请捕捉圆弧的圆心。按#可以输入绝对坐标:", 1},
        {1, 2, "请确定圆弧的终止位置，请捕捉圆弧的终点。按#可以输入绝对坐标:", 1},
        {2, 2, "请确定圆弧的终止位置，也可输入圆弧的角度（逆时针为正，单位为度）:", 0},
        {3, 2, "请确定圆弧的终止位置，也可输入圆弧的弦长（单位取长度单位）:", 0},
        {5, 1, "请捕捉圆弧的终点。按#可以输入绝对坐标:", 1},
        {4, 2, "请捕捉圆弧弧线上一点。按#可以输入绝对坐标:", 1},
        {5, 2, "请确定圆弧的大小，也可输入圆弧的角度（逆时针为正，单位为度）:", 0},
        {6, 2, "请确定圆弧的大小，也可输入圆弧的半径（单位取长度单位）:", 0},
    };
    for (const Case& c : cases) {
        theOperationStack.EndAllOperations();
        host.arcMethod = c.method;
        auto* op = new CSingleOperate;
        op->SetPickPoints(806, Record, 3, 1);
        op->m_strPrompt = "own";
        theOperationStack.BeginOperation(op, 0, 1, 0);
        for (int i = 0; i < c.points; ++i) Feed(i, 0);
        EXPECT_EQ(host.prompt, c.prompt) << c.method << "/" << c.points;
        EXPECT_EQ(theOperationStack.GetInputState(), c.state) << c.method << "/" << c.points;
        EXPECT_TRUE(host.editable);
    }
}

TEST_F(PromptTest, SelectionPromptsNameTheFilterAndTheStoreyRange)
{
    theSelectFilter.SelectNodes(1);
    theSelectFilter.SelectWalls(0);
    auto* op = new CSingleOperate;
    op->SetSelect(124, Record, 1, 0);
    theOperationStack.BeginOperation(op, 0, 1, 0);
    EXPECT_EQ(host.prompt, "选择节点、墙单元，按鼠标左键之前可以改变选择方式");
    EXPECT_FALSE(host.editable);

    theLevels.count = 3;
    theOperationStack.UpdateOperationPrompt();
    EXPECT_EQ(host.prompt, "选择节点、墙单元，按鼠标左键之前可以改变选择方式和选择层范围");

    theProjectOptions.nSelectMethod = 1;
    FeedScreen(5, 5);
    EXPECT_EQ(host.prompt, "采用区域方式选择节点、墙单元，请捕捉第2点，可按Enter确认。您可以改变选择层范围");

    theOperationStack.EndAllOperations();
    theSelectFilter.SelectRegions(1);
    auto* one = new CSingleOperate;
    one->SetSelect(250, Record, 1, 0);
    theOperationStack.BeginOperation(one, 0, 1, 0);
    EXPECT_EQ(host.prompt, "选择刚性/导载区域，只能采用单个选方式，可以改变选择层范围");

    auto* pick = new CSingleOperate;
    pick->SetPickOne(52, Record, 1);
    theSelectFilter.SelectNodes(1);
    theOperationStack.BeginOperation(pick, 0, 1, 0);
    EXPECT_EQ(host.prompt, "请选择节点，只能采用单个选方式。选择层范围不起作用。可按Enter或应用按钮。");
}

TEST_F(PromptTest, FilterWordsFollowTheirOrder)
{
    CSelectFilter f;
    EXPECT_EQ(f.GetDescription(), "需要的对象");
    f.SelectFrames(1);
    EXPECT_EQ(f.GetDescription(), "梁柱单元");
    f.SelectColumns(1);
    f.SelectPipes(0);
    f.SelectTrusses(0);
    f.SelectIntegralLines(0);
    EXPECT_EQ(f.GetDescription(), "柱单元、桁架单元、内力积分线和矩形、管道单元");
    f.Clear();
    f.SelectNodes(0);
    f.SelectBeams(0);
    f.SelectWalls(0);
    f.SelectShells(0);
    EXPECT_EQ(f.GetDescription(), "节点、梁单元、墙单元、板壳单元");
    f.SelectPlanes(0);
    EXPECT_EQ(f.GetDescription(), "各种类型的单元以及节点");
}

TEST_F(PromptTest, OtherKindsPrompts)
{
    struct Case {
        void (*set)(CSingleOperate&);
        const char* prompt;
        bool editable;
    };
    const Case cases[] = {
        {[](CSingleOperate& o) { o.SetPickAxis(301, Record, 1); }, "请输入距离值，或者捕捉两个点代替输入:", true},
        {[](CSingleOperate& o) { o.SetPickVector(609, Record); },
         "请输入坐标差值dx dy dz(可包含表达式),或捕捉两个点代替输入:", true},
        {[](CSingleOperate& o) { o.SetScreenWindow(11, Record, 0); }, "请捕捉第1点。", false},
        {[](CSingleOperate& o) { o.SetDrag(12, Record, 1); },
         "请按住鼠标左键拖动图形，按ESC或鼠标右键快捷菜单结束操作。", false},
        {[](CSingleOperate& o) {
             o.SetDrag(14, Record, 1);
             o.m_strPrompt = "own";
         },
         "请按住鼠标左键拖动，圆圈外表示旋转轴垂直屏幕。", false},
        {[](CSingleOperate& o) { o.SetPanelPrompt(806); }, "请点击相关按钮添加删除剖分区域，然后剖分并生成单元。",
         false},
        {[](CSingleOperate& o) { o.SetWindowMode(9, Record, 1); }, "请用鼠标定义一个窗口或者区域。", false},
    };
    for (const Case& c : cases) {
        theOperationStack.EndAllOperations();
        auto* op = new CSingleOperate;
        c.set(*op);
        theOperationStack.BeginOperation(op, 0, 1, 0);
        EXPECT_EQ(host.prompt, c.prompt);
        EXPECT_EQ(host.editable, c.editable) << c.prompt;
    }
    // The distance after its first point, with axis lines in the filter.
    theOperationStack.EndAllOperations();
    theSelectFilter.SelectAxes(1);
    auto* axis = new CSingleOperate;
    axis->SetPickAxis(301, Record, 1);
    theOperationStack.BeginOperation(axis, 0, 1, 0);
    Feed(1, 1);
    EXPECT_EQ(host.prompt, "请捕捉第二点。轴线间距将取两点之间某个方向的坐标差值");
    EXPECT_FALSE(host.editable);

    theOperationStack.EndAllOperations();
    theViewProjection.SetMode(CViewProjection::kElevation, 0, 0, 0);
    theProjectOptions.bPlaneModel = 1;
    auto* vector = new CSingleOperate;
    vector->SetPickVector(609, Record);
    theOperationStack.BeginOperation(vector, 0, 1, 0);
    Feed(0, 0);
    EXPECT_EQ(host.prompt, "输入Y和Z向距离值dy dz(可包含表达式),或捕捉两个点代替输入: 继续捕捉第二点。");
}

TEST_F(PromptTest, TypedCoordinatesInPlan)
{
    theViewProjection.SetPlatformHeight(3);
    PointsRecord(40, 1);
    Type("#");
    EXPECT_EQ(host.prompt, "输入绝对坐标(格式为[C=]X Y 或 O=R A):");
    EXPECT_TRUE(host.typingCapture);
    host.input = "C=12.5 -4";
    Type("\r");
    EXPECT_FALSE(host.typingCapture);
    ASSERT_EQ(Calls().calls.size(), 1u);
    ExpectPoint(Calls().calls[0].points[0], 12.5, -4, 3);

    // Relative input after a point: polar radius 10 at 90 degrees.
    theOperationStack.EndAllOperations();
    PointsRecord(53, 3);
    Feed(2, 1, 0);
    Type("@");
    EXPECT_EQ(host.prompt, "输入相对坐标(格式为[R=]Dx Dy 或 O=R A):");
    host.input = "O=10 90";
    Type("\r");
    ASSERT_EQ(Top()->PointCount(), 2);
    ExpectPoint(Top()->m_points[1], 2, 11, 0);
    // A digit starts absolute input and goes into the edit.
    Type("7");
    EXPECT_EQ(theOperationStack.GetInputState(), COperationStack::kTypingAbsolute);
    EXPECT_EQ(host.input, "7");
}

TEST_F(PromptTest, TypedCoordinatesInAnElevationAndIn3D)
{
    ElevationAtYFive();
    PointsRecord(53, 3);
    Type("#");
    EXPECT_EQ(host.prompt, "输入立面坐标系下的绝对坐标(格式为[C=]X' Y' 或 O=R A):");
    host.input = "3 4";
    Type("\r");
    ASSERT_EQ(Top()->PointCount(), 1);
    ExpectPoint(Top()->m_points[0], 3, 5, 4);
    Type("@");
    EXPECT_EQ(host.prompt, "输入立面坐标系下的相对坐标(格式为[R=]Dx' Dy' 或 O=R A):");
    host.input = "1 -2";
    Type("\r");
    ExpectPoint(Top()->m_points[1], 4, 5, 2);

    theOperationStack.EndAllOperations();
    Free3D();
    PointsRecord(53, 3);
    Type("#");
    EXPECT_EQ(host.prompt, "输入绝对坐标(格式为[C=]X Y Z 或 O=R A Z):");
    host.input = "1 2 3";
    Type("\r");
    ExpectPoint(Top()->m_points[0], 1, 2, 3);
    Type("@");
    EXPECT_EQ(host.prompt, "输入相对坐标(格式为[R=]Dx Dy Dz 或 O=R A Z):");
    host.input = "O=2 180 -1";
    Type("\r");
    ExpectPoint(Top()->m_points[1], -1, 2, 2);
}

TEST_F(PromptTest, RefusedCoordinatesFeedNothing)
{
    struct Case {
        int mode;
        const char* text;
    };
    const Case cases[] = {
        {1, "x 1"},     {1, "1"},     {1, ""},      {1, "O=5"}, {3, "1 2"},
        {1, "1e999 2"}, {1, "nan 2"}, {3, "O=1 2"}, {2, "3"},   {1, "R=,"},
    };
    for (const Case& c : cases) {
        theOperationStack.EndAllOperations();
        host.flashes.clear();
        theViewProjection.SetMode(c.mode, 0, 0, 0);
        theViewProjection.UpdateAxes();
        PointsRecord(53, 3);
        Type("#");
        host.input = c.text;
        Type("\r");
        EXPECT_EQ(Top()->PointCount(), 0) << c.text;
        EXPECT_EQ(host.flashes, std::vector<std::string>{"存在非数字字符，输入无效/1500"}) << c.text;
    }
}

TEST_F(PromptTest, EscapeEndsTypingThenCancels)
{
    PointsRecord(42, 2);
    Feed(1, 1);
    // The relative command switches to relative input after its reference point.
    EXPECT_EQ(theOperationStack.GetInputState(), COperationStack::kTypingRelative);
    Type("\x1b");
    EXPECT_EQ(Top()->PointCount(), 0);
    EXPECT_EQ(theOperationStack.GetInputState(), COperationStack::kAbsoluteAllowed);
    EXPECT_TRUE(host.posted.empty());
    Type("\x1b");
    EXPECT_EQ(host.posted, std::vector<std::string>{"cancel"});
    Type("\r");
    EXPECT_EQ(host.posted.back(), "finish");
}

TEST_F(PromptTest, APassingMessageKeepsTheStandingPromptAndTheEditsText)
{
    PointsRecord(53, 2);
    host.input = "3 4";
    theOperationStack.SetPrompt("正在排序墙单元...");
    EXPECT_EQ(host.prompt, "正在排序墙单元...");
    theOperationStack.RestorePrompt();
    EXPECT_EQ(host.prompt, "请捕捉一个点。按#可以输入绝对坐标:");
    EXPECT_TRUE(host.editable);
    EXPECT_EQ(host.input, "3 4");

    // The standing prompt keeps 100 bytes, never half a character.
    std::string longText;
    for (int i = 0; i < 60; ++i) longText += "点";
    theOperationStack.ShowPromptText(("x" + longText).c_str(), false, true);
    theOperationStack.SetPrompt("other");
    theOperationStack.RestorePrompt();
    EXPECT_EQ(host.prompt, "x" + longText.substr(0, 98));
}

TEST_F(PromptTest, CoordinateReadOutAndButtons)
{
    const double p[3] = {1, 2.5, -3};
    EXPECT_EQ(COperationStack::CoordinateText(p), "1.0000,2.5000,-3.0000");
    EXPECT_TRUE(COperationStack::ModeButtonEnabled(2));
    EXPECT_FALSE(COperationStack::ModeButtonEnabled(1));
    EXPECT_TRUE(COperationStack::ModeButtonEnabled(3));
    Free3D();
    EXPECT_EQ(COperationStack::CoordinateText(nullptr), "立体工作平台");
    ElevationAtYFive();
    const double q[3] = {7, 5, 9};
    EXPECT_EQ(COperationStack::CoordinateText(q), "局部坐标:7.0000,9.0000");
    EXPECT_FALSE(COperationStack::ModeButtonEnabled(2));
    theProjectOptions.bPlaneModel = 1;
    EXPECT_EQ(COperationStack::CoordinateText(q), "X=0,Y=7.0000,Z=9.0000");
    EXPECT_TRUE(COperationStack::ModeButtonEnabled(2));
    EXPECT_FALSE(COperationStack::ModeButtonEnabled(1));
    EXPECT_FALSE(COperationStack::ModeButtonEnabled(3));

    auto* op = new CSingleOperate;
    op->SetSelect(600, Record, 1, 0);
    theOperationStack.BeginOperation(op, 0, 1, 0);
    EXPECT_TRUE(theOperationStack.CanApply());
    Top()->m_bImmediate = 1;
    EXPECT_FALSE(theOperationStack.CanApply());
}

TEST_F(PromptTest, NamedElevationsAreCutBeforeTheirNamesAreCompared)
{
    // 14 two-byte characters fill the 28 bytes; a 15th is dropped whole.
    std::string name;
    for (int i = 0; i < 15; ++i) name += "立";
    host.editAnswers = {name};
    theOperationStack.ChoosePlatformEntry(2);
    ASSERT_EQ(theElevationPlane.m_named.size(), 1u);
    EXPECT_EQ(std::string(theElevationPlane.m_named[0].GetName()), name.substr(0, 28));
    // The same name, longer, is the same stored name: refused.
    host.editAnswers = {name + "立"};
    theOperationStack.ChoosePlatformEntry(2);
    EXPECT_EQ(theElevationPlane.m_named.size(), 1u);
    EXPECT_EQ(host.boxes, std::vector<std::string>{"已经存在相同名称的立面，请重新输入其它的名称"});
    const std::vector<std::string> entries = COperationStack::PlatformEntries();
    ASSERT_EQ(entries.size(), 6u);
    EXPECT_EQ(entries[4], "有名称的立面如下-------");
    EXPECT_EQ(entries[5], name.substr(0, 28));
    // The first entry starts the two-point elevation.
    RegisterOperationCallback(700, Record);
    theOperationStack.ChoosePlatformEntry(0);
    ASSERT_NE(Top(), nullptr);
    EXPECT_EQ(Top()->m_nCode, 700);
    EXPECT_EQ(Top()->m_nLimit, 2);
}
