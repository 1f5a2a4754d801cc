#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "DataFileText.h"
#include "korvalib/base/DataFile.h"
#include "korvalib/model/KeyedLists.h"
#include "tests/support/AppHelpersStandIn.h"
#include "tests/support/TestFiles.h"
#include "vek/model/AppHelpers.h"

using vektest::AppHelperLog;
using vektest::TempFile;

TEST(AppHelpers, DefaultButtonOfEachBoxType)
{
    struct Case {
        UINT type;
        int button;
    };
    const Case cases[] = {
        {MB_OK, IDOK},
        {MB_OK | MB_ICONERROR, IDOK},
        {MB_OKCANCEL, IDOK},
        {MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL},
        {MB_YESNO | MB_ICONQUESTION, IDYES},
        {MB_YESNO | MB_DEFBUTTON2, IDNO},
        {MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
        {MB_ABORTRETRYIGNORE | MB_DEFBUTTON2, IDRETRY},
        {MB_RETRYCANCEL, IDRETRY},
        {MB_YESNO | MB_DEFBUTTON3, IDYES},  // no third button: the first
    };
    for (const Case& c : cases) EXPECT_EQ(DefaultButtonOf(c.type), c.button) << std::hex << c.type;
}

TEST(AppHelpers, FoldersKeepOneTrailingBackslashAndRespectDoubleByteCharacters)
{
    EXPECT_STREQ(WithTrailingBackslash("C:\\Temp\\"), "C:\\Temp\\");
    EXPECT_STREQ(WithTrailingBackslash("C:\\Temp"), "C:\\Temp\\");
    EXPECT_STREQ(WithTrailingBackslash(""), "");
    // The second byte of this character is the backslash's code: no folder end.
    EXPECT_STREQ(WithTrailingBackslash("C:\\\x95\x5C"), "C:\\\x95\x5C\\");

    char dir[260];
    FolderOfModule("C:\\Program Files\\Vek\\Vek.exe", dir);
    EXPECT_STREQ(dir, "C:\\Program Files\\Vek\\");
    FolderOfModule("Vek.exe", dir);
    EXPECT_STREQ(dir, "Vek.exe\\");
    FolderOfModule("D:\\\xBD\xE1\\\x95\x5C.exe", dir);
    EXPECT_STREQ(dir, "D:\\\xBD\xE1\\");
    const std::string longPath = "C:\\" + std::string(300, 'a') + "\\x.exe";
    FolderOfModule(longPath.c_str(), dir);
    EXPECT_EQ(std::string(dir).size(), 259u);
}

TEST(AppHelpers, TextFilesWithAByteOrderMarkAreRefused)
{
    struct Case {
        std::string head;
        bool refused;
    };
    const Case cases[] = {
        {"\xFF\xFE"
         "a",
         true},
        {"\xFE\xFF", true},
        {"\xEF\xBB\xBF"
         "abc",
         true},
        {"\xEF\xBB"
         "x",
         false},
        {"ab", false},
        {"", false},
    };
    for (const Case& c : cases) {
        TempFile f("text", ".txt");
        ASSERT_TRUE(f.WriteText(c.head));
        AppHelperLog log;
        FILE* file = OpenTextFileChecked(f.c_str(), "rb", 1);
        EXPECT_EQ(file == nullptr, c.refused);
        if (c.refused) {
            ASSERT_EQ(log.Messages().size(), 1u);
            EXPECT_EQ(log.Messages()[0].text, "文件为非ANSI编码，请使用记事本或其它工具转换成ANSI编码！");
        } else {
            EXPECT_TRUE(log.Messages().empty());
            ASSERT_NE(file, nullptr);
            EXPECT_EQ(std::ftell(file), 0);  // read from the start
            std::fclose(file);
        }
    }
    TempFile f("text", ".txt");
    ASSERT_TRUE(
        f.WriteText("\xEF\xBB\xBF"
                    "abc"));
    FILE* unchecked = OpenTextFileChecked(f.c_str(), "rb", 0);
    ASSERT_NE(unchecked, nullptr);
    std::fclose(unchecked);
    EXPECT_EQ(OpenTextFileChecked((f.path() + ".missing").c_str(), "rb", 1), nullptr);
}

TEST(AppHelpers, TypedInputSplitsAtBlanksAndCommasOutsideParentheses)
{
    struct Case {
        const char* text;
        int n;
        int zeroFill;
        std::vector<std::string> texts;
        int found;
    };
    const Case cases[] = {
        {"(1, 2) 3", 3, 1, {"(1, 2)", "3", "0"}, 2},
        {"(1, 2) 3", 3, 0, {"(1, 2)", "3", ""}, 2},
        {"  1,2 ,  3", 3, 0, {"1", "2", "3"}, 3},
        {"1   2", 2, 0, {"1", "2"}, 2},
        {"x*2,sin(y,1)", 2, 0, {"x*2", "sin(y,1)"}, 2},
        {"1 2 3 4", 2, 0, {"1", "2"}, 2},
        {"", 2, 1, {"0", "0"}, 0},
    };
    for (const Case& c : cases) {
        std::vector<CString> out(static_cast<size_t>(c.n));
        EXPECT_EQ(SplitInputTexts(c.text, c.n, out.data(), c.zeroFill), c.found) << c.text;
        for (int i = 0; i < c.n; ++i) EXPECT_STREQ(out[i], c.texts[i].c_str()) << c.text << " #" << i;
    }
}

namespace {

// An expression record that knows linear forms a*x + b*y + c*z + d, typed as "a b c d".
struct FakeExpr {
    double x = 0, y = 0, z = 0;
    std::string text;
    int evaluated = 0;
    void SetExpression(const char* t) { text = t; }
    double Evaluate()
    {
        ++evaluated;
        double k[4] = {0, 0, 0, 0};
        std::sscanf(text.c_str(), "%lf %lf %lf %lf", &k[0], &k[1], &k[2], &k[3]);
        return k[0] * x + k[1] * y + k[2] * z + k[3];
    }
};

}  // namespace

TEST(AppHelpers, SplitValuesGoIntoTheRecords)
{
    FakeExpr e[3];
    SplitInputValues("7 , (2 3)", 3, e, 1);
    EXPECT_EQ(e[0].text, "7");
    EXPECT_EQ(e[1].text, "(2 3)");
    EXPECT_EQ(e[2].text, "0");
}

TEST(AppHelpers, RelativePointInEachWorkPlaneMode)
{
    static int mode;
    ViewLink saved = theViewLink;
    const uint8_t savedPlane = theProjectOptions.bPlaneModel;
    theViewLink.projectionMode = [] { return mode; };
    // The elevation frame: local = (y, z, x) of the global point.
    theViewLink.toViewFrame = [](const double w[3], double l[3]) {
        const double t[3] = {w[1], w[2], w[0]};
        l[0] = t[0], l[1] = t[1], l[2] = t[2];
    };
    theViewLink.fromViewFrame = [](const double l[3], double w[3]) {
        const double t[3] = {l[2], l[0], l[1]};
        w[0] = t[0], w[1] = t[1], w[2] = t[2];
    };
    const double base[3] = {1, 2, 3};
    double out[3];
    auto values = [] {
        std::vector<FakeExpr> v(3);
        v[0].text = "1 0 0 0";  // the base's first coordinate (of its frame)
        v[1].text = "0 0 0 10";
        v[2].text = "0 0 0 100";
        return v;
    };

    mode = 1;
    theProjectOptions.bPlaneModel = 0;
    auto v = values();
    EvalRelativePoint(v.data(), base, 2.0, out);
    EXPECT_DOUBLE_EQ(out[0], 1 + 2 * 1);
    EXPECT_DOUBLE_EQ(out[1], 2 + 2 * 10);
    EXPECT_DOUBLE_EQ(out[2], 3 + 2 * 100);

    mode = 2;  // the base is taken into the frame: (2, 3, 1)
    v = values();
    EvalRelativePoint(v.data(), base, 1.0, out);
    EXPECT_DOUBLE_EQ(out[0], 1 + 100);  // back from the frame
    EXPECT_DOUBLE_EQ(out[1], 2 + 2);
    EXPECT_DOUBLE_EQ(out[2], 3 + 10);

    theProjectOptions.bPlaneModel = 1;  // Y and Z steps, in global terms
    v = values();
    EvalRelativePoint(v.data(), base, 1.0, out);
    EXPECT_DOUBLE_EQ(out[0], 1);
    EXPECT_DOUBLE_EQ(out[1], 2 + 1);
    EXPECT_DOUBLE_EQ(out[2], 3 + 10);
    EXPECT_EQ(v[2].evaluated, 0);

    theViewLink = saved;
    theProjectOptions.bPlaneModel = savedPlane;
}

namespace {

struct ArcLog {
    std::vector<std::vector<double>> nodes;
    std::vector<int> columns;
    std::vector<std::pair<int, int>> frames, walls;
    int reserved = -1;
};
ArcLog* arcLog;

class ArcFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        arcLog = &log;
        saved = theArcDivisionHooks;
        savedCommand = theProjectOptions.nCurrentCommand;
        theArcDivisionHooks.findOrAddNode = [](const double p[3]) {
            arcLog->nodes.push_back({p[0], p[1], p[2]});
            return static_cast<int>(arcLog->nodes.size());
        };
        theArcDivisionHooks.addColumnBelowNode = [](int n) { arcLog->columns.push_back(n); };
        theArcDivisionHooks.addFrame = [](int a, int b) { arcLog->frames.push_back({a, b}); };
        theArcDivisionHooks.addWall = [](int a, int b) { arcLog->walls.push_back({a, b}); };
        theArcDivisionHooks.reserveCapacity = [](int, int count) { arcLog->reserved = count; };
        nArcDivisionCount = 0;
    }
    void TearDown() override
    {
        theArcDivisionHooks = saved;
        theProjectOptions.nCurrentCommand = savedCommand;
    }
    int Divide(int command)
    {
        theProjectOptions.nCurrentCommand = command;
        const double centre[3] = {10, 20, 5};
        return InputArcDivision(centre, 0.0, 1.5707963267948966, 2.0);
    }
    ArcLog log;
    ArcDivisionHooks saved;
    int savedCommand = 0;
};

}  // namespace

TEST_F(ArcFixture, NodesCountBothEndsAndTheCountIsOfferedNextTime)
{
    AppHelperLog app;
    app.QueuePromptAnswer("3");
    EXPECT_EQ(Divide(40), 1);
    ASSERT_EQ(app.Prompts().size(), 1u);
    EXPECT_EQ(app.Prompts()[0].prompt, "请输入沿着弧线生成的节点数（包括两端的节点，大于等于2）：");
    EXPECT_EQ(app.Prompts()[0].given, "0");
    ASSERT_EQ(log.nodes.size(), 3u);
    EXPECT_EQ(log.reserved, 2);
    const double expected[3][2] = {{12, 20}, {10 + std::sqrt(2.0), 20 + std::sqrt(2.0)}, {10, 22}};
    for (int k = 0; k < 3; ++k) {
        EXPECT_NEAR(log.nodes[k][0], expected[k][0], 1e-12);
        EXPECT_NEAR(log.nodes[k][1], expected[k][1], 1e-12);
        EXPECT_DOUBLE_EQ(log.nodes[k][2], 5);
    }
    EXPECT_TRUE(log.frames.empty() && log.walls.empty() && log.columns.empty());

    app.QueuePromptAnswer("2");
    EXPECT_EQ(Divide(40), 1);
    EXPECT_EQ(app.Prompts()[1].given, "3");
}

TEST_F(ArcFixture, BeamsWallsAndColumnsGoBetweenOrAtTheNodes)
{
    AppHelperLog app;
    app.QueuePromptAnswer("2");
    EXPECT_EQ(Divide(80), 1);
    EXPECT_EQ(log.frames, (std::vector<std::pair<int, int>>{{1, 2}, {2, 3}}));
    app.QueuePromptAnswer("1");
    EXPECT_EQ(Divide(120), 1);
    EXPECT_EQ(log.walls, (std::vector<std::pair<int, int>>{{4, 5}}));
    app.QueuePromptAnswer("2");
    EXPECT_EQ(Divide(81), 1);
    EXPECT_EQ(log.columns, (std::vector<int>{6, 7}));
    EXPECT_EQ(app.Prompts()[2].prompt, "请输入沿着弧线生成的柱单元数（包括两端的柱，大于等于2）：");
}

TEST_F(ArcFixture, TooSmallCountsAndCancelMakeNothing)
{
    AppHelperLog app;
    app.QueuePromptAnswer("1");  // one node: no piece
    EXPECT_EQ(Divide(40), 0);
    ASSERT_EQ(app.Messages().size(), 1u);
    EXPECT_EQ(app.Messages()[0].text, "输入的数字太小！");
    app.QueuePromptAnswer("abc");
    EXPECT_EQ(Divide(120), 0);
    EXPECT_EQ(Divide(80), 0);  // cancelled: no answer queued
    EXPECT_EQ(app.Messages().size(), 2u);
    EXPECT_TRUE(log.nodes.empty());
    EXPECT_EQ(log.reserved, -1);
}

TEST(AppHelpers, ListWritersTrimTrailingEmptyCases)
{
    // Five load cases, three elements; element 2's column is 3, 0, 5, 0, 0.
    const int rows[5][3] = {{1, 3, 0}, {0, 0, 0}, {0, 5, 9}, {2, 0, 0}, {0, 0, 0}};
    const int* table[5] = {rows[0], rows[1], rows[2], rows[3], rows[4]};
    EXPECT_EQ(DataFileText([&](DKorvaDataFile& f) { WriteTrimmedIntList(f, table, 2, 5); }), "L=3 0 5 ");
    EXPECT_EQ(DataFileText([&](DKorvaDataFile& f) { WriteTrimmedIntList(f, table, 1, 5); }), "L=1 0 0 2 ");
    const int none[2][1] = {{0}, {-1}};
    const int* empty[2] = {none[0], none[1]};
    EXPECT_EQ(DataFileText([&](DKorvaDataFile& f) { WriteTrimmedIntList(f, empty, 1, 2); }), "L=0 ");

    DElementLoad loads;
    loads.Insert(4, 31);
    loads.Insert(2, 17);
    EXPECT_EQ(DataFileText([&](DKorvaDataFile& f) { WriteElementLoadRow(f, loads, "L"); }), "L=0 17 0 31 ");
    EXPECT_EQ(DataFileText([&](DKorvaDataFile& f) { WriteElementLoadRow(f, DElementLoad(), "Q"); }), "Q=0 ");
}
