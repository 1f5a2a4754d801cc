// The left panel's rules: generation methods per operation, the storey list
// and its choice, the button texts, the typed load case, the axis labels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/AppHelpersStandIn.h"
#include "vek/dialogs/logic/LeftPanelLogic.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/storeys/LevelTable.h"

using namespace leftpanel;

namespace {

// The view's projection as the panel sees it: a mode and a plan height.
class Projection : public CModelProjection {
public:
    int GetMode() const override { return mode; }
    double GetPlanElevation() const override { return plan; }
    void SetPlanElevation(double z) override { plan = z; }
    void ZoomExtents() override { ++refits; }
    int mode = 1;
    double plan = 0;
    int refits = 0;
};

class Hooks : public CModelHooks {
public:
    void RefreshStoreyTexts() override { ++texts; }
    void InvalidateModel() override { ++redraws; }
    int texts = 0;
    int redraws = 0;
};

class LeftPanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_oldProjection = SetModelProjection(&m_view);
        m_oldHooks = SetModelHooks(&m_hooks);
        theLevels.Reset();
        theLevelRange.Reset();
    }
    void TearDown() override
    {
        SetModelProjection(m_oldProjection);
        SetModelHooks(m_oldHooks);
        theLevels.Reset();
        theLevelRange.Reset();
    }
    // n storeys of 3.0 (tops at 3, 6, ...), the base at 1.0; storey `current` is the work platform.
    static void Storeys(int n, int current)
    {
        theLevels.count = n;
        for (int i = 0; i < n; ++i) theLevels.heights[i] = 3;
        theLevels.baseElevation = 1;
        theLevels.RecomputeElevations();
        theLevels.current = current;
        for (int s = -1; s <= n; ++s) theLevels.Shown(s) = 0;
    }
    static std::vector<int> ShownStoreys()
    {
        std::vector<int> shown;
        for (int s = -1; s <= theLevels.count; ++s)
            if (theLevels.Shown(s)) shown.push_back(s);
        return shown;
    }
    Projection m_view;
    Hooks m_hooks;
    CModelProjection* m_oldProjection = nullptr;
    CModelHooks* m_oldHooks = nullptr;
};

}  // namespace

TEST(LeftPanelMethods, EachGeneratingOperationOffersItsListAndKeepsOnlyMethodsItOffers)
{
    const struct {
        int operation;
        std::vector<int> codes;
        int remembered, chosen;
    } rows[] = {
        {80, {1, 2, 4, 5, 6}, 2, 2},
        {120, {1, 2, 4, 5, 6}, 1, 1},
        {40, {1, 4, 5, 6, 7}, 7, 7},
        {40, {1, 4, 5, 6, 7}, 2, 1},
        {81, {1, 3, 4, 5, 6}, 3, 3},
        {160, {1, 5, 8}, 2, 1},
        {160, {1, 5, 8}, 8, 8},
        {200, {1, 5}, 6, 1},
        {670, {1, 5}, 5, 5},
        {0, {}, 4, 1},
        {806, {}, 6, 1},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.operation);
        EXPECT_EQ(MethodsOf(r.operation), r.codes);
        EXPECT_EQ(MethodFor(r.operation, r.remembered), r.chosen);
    }
    // Shell generation with "chain" remembered falls back to "single"; walls afterwards keep it.
    EXPECT_EQ(MethodFor(120, MethodFor(160, 2)), 1);
}

TEST(LeftPanelMethods, AnEntryNamesItsCodeByTheFirstKeyWordAndStringsMatchTheTable)
{
    for (int code = 1; code <= kMethodCount; ++code) EXPECT_EQ(MethodFromText(MethodText(code), 0), code) << code;
    EXPECT_EQ(MethodFromText("其它", 5), 5);
    EXPECT_EQ(MethodFromText(nullptr, 3), 3);
    const int ids[] = {109, 111, 112, 106, 107, 108, 110, 135};
    for (int code = 1; code <= kMethodCount; ++code) EXPECT_EQ(MethodStringId(code), ids[code - 1]);
    EXPECT_EQ(MethodStringId(0), 0);
    EXPECT_EQ(MethodStringId(9), 0);
    // Window and arc generation are refused on the free 3-D platform only.
    EXPECT_FALSE(MethodAllowed(3, 3));
    EXPECT_FALSE(MethodAllowed(6, 3));
    EXPECT_TRUE(MethodAllowed(6, 2));
    EXPECT_TRUE(MethodAllowed(4, 3));
}

TEST(LeftPanelMethods, TheArcListFollowsTheMethodEntryOrBoundaryDrawing)
{
    EXPECT_TRUE(ArcListEnabled(true, "圆弧生成", 80));
    EXPECT_FALSE(ArcListEnabled(true, "直线生成", 80));
    EXPECT_FALSE(ArcListEnabled(true, "直线生成", 806));
    EXPECT_TRUE(ArcListEnabled(false, "", 806));
    EXPECT_FALSE(ArcListEnabled(false, "圆弧生成", 0));
    EXPECT_TRUE(WantsWide(false, false, true));
    EXPECT_FALSE(WantsWide(false, false, false));
}

TEST_F(LeftPanelTest, WithoutStoreysTheButtonsSayInvalidRangeAndPlatformHeight)
{
    m_view.plan = 3.14159265;
    EXPECT_EQ(StoreyRangeText(), "选择层范围无效");
    EXPECT_EQ(PlatformText(), "F5:平台高3.14159");
    EXPECT_DOUBLE_EQ(m_view.plan, 3.14159265);
    EXPECT_TRUE(StoreyEntries().empty());
    EXPECT_EQ(CurrentStoreyEntry(), -1);
    ChooseStoreyEntry(0);  // nothing to choose
    EXPECT_EQ(m_view.refits, 0);
}

TEST_F(LeftPanelTest, WithStoreysThePlatformMovesToTheCurrentStorey)
{
    Storeys(3, 2);
    theLevelRange.first = 1;
    theLevelRange.last = 3;
    theLevelRange.step = 2;
    EXPECT_EQ(StoreyRangeText(), "选择1到3层/2");
    EXPECT_EQ(PlatformText(), "F5:第 2 层");
    EXPECT_DOUBLE_EQ(m_view.plan, 6.0);
    const std::vector<std::string> entries = StoreyEntries();
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries[0], kAllStoreys);
    EXPECT_EQ(entries[1], "第0层 (切换到或只显示)");
    EXPECT_EQ(entries[4], "第3层 (切换到或只显示)");
    EXPECT_EQ(CurrentStoreyEntry(), 3);
    theLevels.current = 0;
    PlatformText();
    EXPECT_DOUBLE_EQ(m_view.plan, 1.0);  // storey 0 is the base
}

TEST_F(LeftPanelTest, ChoosingAStoreyInPlanMovesThePlatformAndKeepsTheOtherFlags)
{
    Storeys(5, 1);
    theLevelRange.first = theLevelRange.last = 1;
    theLevels.Shown(4) = 1;
    ChooseStoreyEntry(3);  // storey 2
    EXPECT_EQ(theLevels.current, 2);
    EXPECT_DOUBLE_EQ(m_view.plan, 6.0);
    // The range moved to the storey and shows it; storey 4 keeps its flag.
    EXPECT_EQ(theLevelRange.first, 2);
    EXPECT_EQ(theLevelRange.last, 2);
    EXPECT_EQ(ShownStoreys(), (std::vector<int>{2, 4}));
    EXPECT_EQ(m_view.refits, 1);
    EXPECT_EQ(m_hooks.texts, 1);
    EXPECT_EQ(m_hooks.redraws, 1);
}

TEST_F(LeftPanelTest, ChoosingOnAnElevationShowsThatStoreyAloneOrAllStoreys)
{
    for (int mode : {2, 3}) {
        SCOPED_TRACE(mode);
        m_view.mode = mode;
        Storeys(5, 1);
        theLevels.Shown(4) = 1;
        ChooseStoreyEntry(3);
        EXPECT_EQ(theLevels.current, 2);
        EXPECT_EQ(ShownStoreys(), (std::vector<int>{2}));
        ChooseStoreyEntry(0);
        EXPECT_EQ(theLevels.current, 2);
        EXPECT_EQ(ShownStoreys(), (std::vector<int>{-1, 0, 1, 2, 3, 4, 5}));
    }
    // Entries past the list do nothing.
    const int refits = m_view.refits;
    ChooseStoreyEntry(7);
    ChooseStoreyEntry(-1);
    EXPECT_EQ(m_view.refits, refits);
}

TEST_F(LeftPanelTest, TheLoadCaseIsAWholeNumberWithinTheStoredRange)
{
    const struct {
        const char* text;
        int value;
    } rows[] = {{"1", 1},  {"32767", 32767}, {" 12 ", 12}, {"0", 0},     {"-1", 0},
                {"", 0},   {"abc", 0},       {"12abc", 0}, {"32768", 0}, {"99999999999999999999", 0},
                {"+7", 7}, {"3.5", 0}};
    for (const auto& r : rows) EXPECT_EQ(ParseLoadCase(r.text), r.value) << "\"" << r.text << "\"";
    EXPECT_EQ(ParseLoadCase(nullptr), 0);

    theProjectOptions.nCurrentLoadCase = 4;
    EXPECT_EQ(StoreLoadCase("4"), ELoadCaseChange::Same);
    EXPECT_EQ(StoreLoadCase("9"), ELoadCaseChange::Changed);
    EXPECT_EQ(theProjectOptions.nCurrentLoadCase, 9);
    EXPECT_EQ(StoreLoadCase("40000"), ELoadCaseChange::Refused);
    EXPECT_EQ(theProjectOptions.nCurrentLoadCase, 1);
    theProjectOptions.nCurrentLoadCase = 1;
}

TEST(LeftPanelAxes, LabelsFollowThePlatformAndThePlaneModel)
{
    const struct {
        int mode;
        bool plane;
        const char* labels[3];
    } rows[] = {{1, false, {"X", "Y", "Z"}},
                {2, false, {"x'", "y'", "z'"}},
                {3, false, {"X", "Y", "Z"}},
                {2, true, {"Y", "Z", "X"}},
                {1, true, {"Y", "Z", "X"}}};
    for (const auto& r : rows) {
        const char* got[3];
        AxisLabels(r.mode, r.plane, got);
        for (int i = 0; i < 3; ++i) EXPECT_STREQ(got[i], r.labels[i]) << r.mode << " " << r.plane << " " << i;
    }
}

TEST(LeftPanelAxes, A3DLabelExtendsTowardsTheCentreFarOutAndAwayFromItNearby)
{
    const struct {
        double dx, dy;
        int h, v;
    } rows[] = {{20, 0, -1, 1}, {-20, 0, 1, 1}, {3, -3, 1, -1},  {-3, 3, -1, 1},
                {0, 20, 1, -1}, {0, -20, 1, 1}, {20, 20, -1, -1}};
    for (const auto& r : rows) {
        int h = 0, v = 0;
        LabelSides(r.dx, r.dy, 10, h, v);
        EXPECT_EQ(h, r.h) << r.dx << "," << r.dy;
        EXPECT_EQ(v, r.v) << r.dx << "," << r.dy;
    }
}
