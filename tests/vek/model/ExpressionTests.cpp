#include <gtest/gtest.h>

#include <cmath>

#include "tests/support/AppHelpersStandIn.h"
#include "vek/model/expr/Expression.h"

using vektest::AppHelperLog;

namespace {

constexpr double kPi = 3.141592653589793;

// The value of a text at a point; the message shown, if any, in *message.
double Eval(const char* text, double x = 1, double y = 1, double z = 1, std::string* message = nullptr)
{
    AppHelperLog log;
    CExpression e(x, y, z);
    e.SetExpression(text);
    const double v = e.Evaluate();
    if (message) *message = log.Messages().empty() ? "" : log.Messages()[0].text;
    return v;
}

std::string Error(const char* text)
{
    std::string m;
    Eval(text, 1, 1, 1, &m);
    return m;
}

}  // namespace

TEST(Expression, HandComputedValues)
{
    struct {
        const char* text;
        double x, y, z;
        double want;
    } cases[] = {
        {"-2^2", 0, 0, 0, -4},
        {"2^3^2", 0, 0, 0, 64},
        {"8/2/2", 0, 0, 0, 2},
        {"2*(-3)", 0, 0, 0, -6},
        {"+5", 0, 0, 0, 5},
        {"1+2*3-4/8", 0, 0, 0, 6.5},
        {"(1+2)*3", 0, 0, 0, 9},
        {"SIN(PI/2)", 0, 0, 0, 1},
        {"sin (pi/6)*2", 0, 0, 0, 1},
        {"sqrt(-1e-13)", 0, 0, 0, 0},
        {"sqrt(16)", 0, 0, 0, 4},
        {"log(2,8)", 0, 0, 0, 3},
        {"arctg2(0,-1)", 0, 0, 0, 1.5 * kPi},
        {"arctg2(1,-1)", 0, 0, 0, 1.75 * kPi},
        {"arctg(1e30)", 0, 0, 0, kPi / 2},
        {"arcsin(1.000000005)", 0, 0, 0, kPi / 2},
        {"1e-3", 0, 0, 0, 0.001},
        {"2E+2*x", 3, 0, 0, 600},
        {"abs(-3)+min(2,5)+max(2,5)+pow(2,10)", 0, 0, 0, 1034},
        {"ln(e)+log10(1000)+exp(0)", 0, 0, 0, 5},
        {"cosh(0)+sinh(0)+tgh(0)+tg(0)+cos(0)", 0, 0, 0, 2},
        {"max(min(1,2),(3))", 0, 0, 0, 3},
        {"x*y*z", 2, 3, 4, 24},
        {"r", 3, 4, 12, 5},
        {"re", 3, 4, 12, 13},
        {"s", 0, -1, 0, 1.5 * kPi},
        {"se", 0, -1, 0, -kPi / 2},
        {"fe", 0, 0, 5, kPi / 2},
        {"re+r+s+se", 0, 0, 5, 5},
        {"fe", 0, 0, -5, -kPi / 2},
        {"fe", 1, 0, 1, kPi / 4},
        {"  x  +  1  ", 2, 0, 0, 3},
    };
    for (auto& c : cases) {
        std::string message;
        EXPECT_NEAR(Eval(c.text, c.x, c.y, c.z, &message), c.want, 1e-12) << c.text;
        EXPECT_EQ(message, "") << c.text;
    }
}

TEST(Expression, ErrorsAndTheirMessages)
{
    struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"", "操作数个数过多或过少！"},
        {"   ", "操作数个数过多或过少！"},
        {"2 3", "操作数个数过多或过少！"},
        {"2(3)", "操作数个数过多或过少！"},
        {"2*-3", "运算符的操作数个数太少！"},
        {"(1+2", "缺少右圆括号！"},
        {"1+2)", "缺少左圆括号！"},
        {"arcsin(1.5)", "函数arcsin的参数绝对值大于1"},
        {"arccos(-2)", "函数arccos的参数绝对值大于1"},
        {"1+#2", "从\"#2\"开始出现了无法识别的字符！"},
        {"2+层", "从\"层\"开始出现了无法识别的字符！"},
        {"1\t+2", "从\"\t+2\"开始出现了无法识别的字符！"},
        {"abc+1", "abc可能输入是无法识别变量名，也可能是其后的格式有误！"},
        {"sin(1", "sin可能输入是无法识别变量名，也可能是其后的格式有误！"},
        {"foo(1)", "无法识别的函数名或变量名:foo"},
        // Mended: argument counts, malformed numbers, results that are no number.
        {"max(1,2,3)", "函数max的参数个数不对！"},
        {"max(1)", "函数max的参数个数不对！"},
        {"sin(1,2)", "函数sin的参数个数不对！"},
        {"Cos()", "函数Cos的参数个数不对！"},
        {"log(2,)", "函数log的参数个数不对！"},
        {"1.2.3", "数值1.2.3的格式不对！"},
        {"2e", "数值2e的格式不对！"},
        {"8/0", "计算结果不是有效的数值(除数为零或数值溢出)！"},
        {"1/(1/0)", "计算结果不是有效的数值(除数为零或数值溢出)！"},
        {"ln(0)", "计算结果不是有效的数值(除数为零或数值溢出)！"},
        {"(-8)^(1/3)", "计算结果不是有效的数值(除数为零或数值溢出)！"},
        {"exp(1000)", "计算结果不是有效的数值(除数为零或数值溢出)！"},
        {"1e999", "计算结果不是有效的数值(除数为零或数值溢出)！"},
        {"log(0,8)", "计算结果不是有效的数值(除数为零或数值溢出)！"},
        {"sqrt(-4)", "函数sqrt的参数小于零！"},
        // Errors are met in text order: a value's error before a later syntax error.
        {"arcsin(2)+#", "函数arcsin的参数绝对值大于1"},
        {"sin(#)", "从\"#\"开始出现了无法识别的字符！"},  // the argument is a text of its own
    };
    for (auto& c : cases) EXPECT_EQ(Error(c.text), c.message) << c.text;
}

TEST(Expression, AFaultyTextShowsOneMessageAtAHundredPoints)
{
    AppHelperLog log;
    CExpression e(0, 0, 0);
    e.SetExpression("x+1");
    EXPECT_EQ(e.Evaluate(), 1);
    e.SetExpression("x/(y-1)");
    for (int i = 0; i < 100; ++i) {
        e.x = i;
        e.y = 1;
        EXPECT_EQ(e.Evaluate(), 1);  // the last good value
    }
    ASSERT_EQ(log.Messages().size(), 1u);
    EXPECT_EQ(log.Messages()[0].type, 0u);
    // A new text reports again; the next good point gives its value.
    e.SetExpression("y/0+");
    e.Evaluate();
    EXPECT_EQ(log.Messages().size(), 2u);
}

TEST(Expression, TextsWithoutVariablesAreWorkedOutOnce)
{
    CExpression e(2, 0, 0);
    e.SetExpression("x+1");
    EXPECT_EQ(e.Evaluate(), 3);
    e.x = 5;
    EXPECT_EQ(e.Evaluate(), 6);
    e.SetExpression("2+3");
    EXPECT_EQ(e.Evaluate(), 5);
    EXPECT_EQ(e.m_bNeedsEvaluation, 0);
    e.x = 100;
    EXPECT_EQ(e.Evaluate(), 5);
    // A variable met before an error still asks for the next point; one after
    // the error is never read.
    AppHelperLog log;
    e.SetExpression("x+#");
    e.Evaluate();
    EXPECT_EQ(e.m_bNeedsEvaluation, 1);
    e.SetExpression("#+x");
    e.Evaluate();
    EXPECT_EQ(e.m_bNeedsEvaluation, 0);
}

TEST(Expression, EvaluateTextThrowsAndSplitArgumentsReadsTheList)
{
    CExpression e(1, 2, 3);
    const double d[5] = {10, 20, 30, 40, 50};
    EXPECT_EQ(e.EvaluateText("x+r+fe", d), 61);
    EXPECT_THROW(e.EvaluateText("1+", d), CExpressionError);

    std::string a, b;
    int n = 0;
    const char* text = "  (1,(2,3),4) + 5";
    const char* pos = text;
    ASSERT_EQ(CExpression::SplitArguments(pos, a, b, &n), 1);
    EXPECT_EQ(a, "1");
    EXPECT_EQ(b, "(2,3)4");
    EXPECT_EQ(n, 3);
    EXPECT_STREQ(pos, " + 5");
    const char* open = "(1,2";
    pos = open;
    EXPECT_EQ(CExpression::SplitArguments(pos, a, b), 0);
    EXPECT_EQ(pos, open);
}
