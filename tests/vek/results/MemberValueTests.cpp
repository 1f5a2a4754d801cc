// Member forces as numbers, steel-check values and axial compression ratios
// over a generated result set: the tables of one combination and their
// envelopes, the labels beside the members, the check maxima and the
// concrete columns' ratios, and the results part of a frame's information.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "tests/support/AppHelpersStandIn.h"
#include "tests/vek/model/ModelTestSupport.h"
#include "tests/vek/results/ResultFiles.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/materials/Material.h"
#include "vek/model/materials/Sections.h"
#include "vek/results/ForceText.h"
#include "vek/results/FrameResultText.h"
#include "vek/results/MemberChecks.h"
#include "vek/results/Result.h"
#include "vek/results/ResultCounts.h"
#include "vek/results/ResultDisp.h"

namespace {

using resgen::Row6;

// Six forces with only the axial force and the 1-2 moment set.
Row6 NM(double n, double m)
{
    return {n, 0, m, 0, 0, 0};
}

// Four nodes of a portal, one load case and one displacement combination,
// three force combinations. Beam 1 (three sections) and beam 2 (one) carry
// moments chosen for the envelopes; truss 7 an axial force; steel members 2
// and 5 their check values.
resgen::Model MemberModel()
{
    resgen::Model m;
    m.N = m.n = m.sysResultNodes = 4;
    m.xyz = {{{0, 0, 0}}, {{0, 3, 0}}, {{4, 3, 0}}, {{4, 0, 0}}};
    m.eq.assign(4, {{0, 0, 0, 0, 0, 0}});
    m.master.assign(4, 0);
    int e = 0;
    for (int j : {1, 2})
        for (auto& d : m.eq[size_t(j)]) d = ++e;
    m.neq = e;
    m.cases = 1;
    m.combs = 1;
    m.sets = 3;
    std::vector<Row6> sway(4, Row6{});
    sway[1] = sway[2] = {0.01, 0, 0, 0, 0, 0};
    m.dis = {sway, sway};
    // Beam 1, sections at 0, 1.5, 3: |M| 7 first in combination 1 (a later
    // 7 does not replace it), 8 in combination 3; the sum |N| + |M| is
    // largest (12) in combination 2.
    m.u3.push_back(
        {1,
         {0, 1.5, 3},
         {{NM(-1, 5), NM(-1, -7), NM(-1, 2)}, {NM(-5, -7), NM(-5, 3), NM(-5, 1)}, {NM(-2, 4), NM(-2, 8), NM(-2, -1)}}});
    // Beam 2: a tie in |M| between combinations 1 and 2.
    m.u3.push_back({2, {0}, {{NM(3, -6)}, {NM(3, 6)}, {NM(3, 2)}}});
    m.u8.push_back({7, {2.5, -3.74, 1}});
    auto check = [](int element, double f1, double f14, double f15) {
        resgen::CheckRec r{element, {0, 2}, {}};
        for (int k = 0; k < 3; ++k) {
            std::vector<std::array<double, 21>> rows(2);
            for (int s = 0; s < 2; ++s) {
                rows[size_t(s)][1] = f1 * (k + 1) * (s == 1 ? -1 : 1);
                rows[size_t(s)][17] = f14;
                rows[size_t(s)][18] = f15;
            }
            r.row.push_back(rows);
        }
        return r;
    };
    m.f88 = {check(2, 10, 30, 40), check(5, -4, 12, 8)};
    return m;
}

class MemberValueTest : public ::testing::Test {
protected:
    MemberValueTest() : model(MemberModel()), files(model) {}
    void SetUp() override
    {
        ASSERT_EQ(theResult.SetFileName(files.Base().c_str(), 0, 1), 1);
        theProjectOptions.SetDefaults();
        theResult.ClampSelection();
        theResultDisp.CloseAll(0);
        theResultDisp.filter = ResultFilter();
        std::fill(std::begin(theResultDisp.forceText.columns), std::end(theResultDisp.forceText.columns), 1);
    }
    void TearDown() override
    {
        theResultDisp.CloseAll(0);
        theResultDisp.filter = ResultFilter();
        std::fill(std::begin(theResultDisp.forceText.columns), std::end(theResultDisp.forceText.columns), 1);
        theResult.SetZero();
    }
    // The force text of a kind and envelope, filled through its update.
    int Show(int kind, int envelope, int first = 2, int second = 0)
    {
        ForceText& t = theResultDisp.forceText;
        t.elementKind = uint8_t(kind);
        t.envelope = uint8_t(envelope);
        t.first = uint8_t(first);
        t.second = uint8_t(second);
        return UpdateForceText();
    }
    static std::vector<double> Row(int id)
    {
        const ForceText& t = theResultDisp.forceText;
        if (!t.store.IsValidID(id) || t.store.GetByID(id)->nSect != 1) return {};
        const double* v = t.store.GetByID(id)->pSect[0];
        return {v, v + 7};
    }
    static std::vector<std::string> Labels(int id)
    {
        std::vector<std::string> out;
        FormatValueLabel(id, out);
        return out;
    }

    resgen::Model model;
    restest::ResultFiles files;
    vektest::AppHelperLog log;
    vektest::RecordingHooks hooks;
};

TEST(ForceValueFormat, DecimalsByTheValuesSize)
{
    const struct {
        double value;
        const char* text;
    } cases[] = {{0.05, "0.05"}, {0.5, "0.5"}, {5.26, "5.3"}, {12.6, "13"}, {-0.0001, "0"}, {-250.4, "-250"}, {3, "3"}};
    for (const auto& c : cases) EXPECT_EQ(FormatForceValue(c.value), c.text) << c.value;
}

TEST_F(MemberValueTest, OneCombinationsTableAndItsLabels)
{
    theProjectOptions.nResultSelectors[0] = 2;
    ASSERT_EQ(Show(1, 0), 1);
    const ForceText& t = theResultDisp.forceText;
    EXPECT_EQ(t.elementKind, 1);
    ASSERT_EQ(t.store.GetCount(), 2);
    // Every section of the combination, last one first, six numbers each.
    EXPECT_EQ(Labels(1), (std::vector<std::string>{"-5 0 1 0 0 0", "-5 0 3 0 0 0", "-5 0 -7 0 0 0"}));
    // Columns switched off are left out; a truss shows its one force.
    theResultDisp.forceText.columns[1] = theResultDisp.forceText.columns[3] = 0;
    EXPECT_EQ(Labels(2), (std::vector<std::string>{"3 6 0 0"}));
    ASSERT_EQ(Show(2, 0), 1);
    EXPECT_EQ(Labels(7), (std::vector<std::string>{"-3.7", "-3.7"})) << "both ends";
    EXPECT_TRUE(Labels(99).empty());
    EXPECT_TRUE(log.Messages().empty());
    // The other force pictures were switched off.
    EXPECT_EQ(theResultDisp.frameDiagram.elementKind, 0);
}

TEST_F(MemberValueTest, EnvelopesKeepTheControllingCombinationAndTheEarliestTie)
{
    // By |M|: beam 1's 8 of combination 3; beam 2's tie stays with combination 1.
    ASSERT_EQ(Show(1, 1, 2), 1);
    EXPECT_EQ(Row(1), (std::vector<double>{3, -2, 0, 8, 0, 0, 0}));
    EXPECT_EQ(Row(2), (std::vector<double>{1, 3, 0, -6, 0, 0, 0}));
    EXPECT_DOUBLE_EQ(theResultDisp.forceText.reference, 8);
    EXPECT_EQ(Labels(1), (std::vector<std::string>{"组3:-2 0 8 0 0 0"}));
    // By |M| + |N|: combination 2's first section, 12.
    ASSERT_EQ(Show(1, 2, 2, 0), 1);
    EXPECT_EQ(Row(1), (std::vector<double>{2, -5, 0, -7, 0, 0, 0}));
    EXPECT_DOUBLE_EQ(theResultDisp.forceText.reference, 12);
    // Each component's own largest size, the position slot 1.
    ASSERT_EQ(Show(1, 3), 1);
    EXPECT_EQ(Row(1), (std::vector<double>{1, -5, 0, 8, 0, 0, 0}));
    // A truss envelope over its three combinations.
    ASSERT_EQ(Show(2, 1, 0), 1);
    EXPECT_EQ(Row(7), (std::vector<double>{2, -3.74, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Labels(7), (std::vector<std::string>{"组2:-3.7"}));
}

TEST_F(MemberValueTest, TheFilterKeepsLabelsByTheReference)
{
    ASSERT_EQ(Show(1, 1, 2), 1);  // reference 8: beam 1 has 8, beam 2 has 6
    ResultFilter& f = theResultDisp.filter;
    f.on = 1;
    f.mode = 0;
    f.lowerPercent = 90;
    f.upperPercent = 100;
    EXPECT_EQ(Labels(1).size(), 1u);
    EXPECT_TRUE(Labels(2).empty());
    f.lowerPercent = 70;
    EXPECT_EQ(Labels(2).size(), 1u);
    // The table of one combination is not filtered.
    ASSERT_EQ(Show(1, 0), 1);
    f.lowerPercent = 99;
    EXPECT_EQ(Labels(2).size(), 1u);
}

TEST_F(MemberValueTest, UnreadableResultsSwitchTheTableOff)
{
    theResult.SetZero();
    EXPECT_EQ(Show(1, 0), 0);
    EXPECT_EQ(theResultDisp.forceText.elementKind, 0);
    EXPECT_EQ(theResultDisp.forceText.store.GetCount(), 0);
    EXPECT_EQ(Show(4, 1), 0);  // an envelope whose reader yields nothing
    ASSERT_EQ(log.Messages().size(), 2u);
    EXPECT_EQ(log.Messages()[0].text, "#160");
}

// ---- walls per length

class WallTextTest : public ::testing::Test {
protected:
    WallTextTest() : model(resgen::MakeSmallModel()), files(model), nodes(EFamily::Nodes), walls(EFamily::Walls) {}
    void SetUp() override
    {
        ASSERT_EQ(theResult.SetFileName(files.Base().c_str(), 0, 1), 1);
        theProjectOptions.SetDefaults();
        theResult.ClampSelection();
        theResultDisp.CloseAll(0);
    }
    void TearDown() override
    {
        theResultDisp.CloseAll(0);
        theResult.SetZero();
    }
    resgen::Model model;
    restest::ResultFiles files;
    vektest::FakeFamily nodes, walls;
    vektest::AppHelperLog log;
    vektest::RecordingHooks hooks;
};

TEST_F(WallTextTest, PerLengthDividesAndSkipsWallsWithoutLength)
{
    nodes.Node(1, 0, 0, 0);
    nodes.Node(2, 2, 0, 0);
    nodes.Node(3, 2, 0, 3);
    walls.Element(4, {1, 2, 3, 3});  // 2 long
    walls.Element(1, {3, 3, 1, 2});  // first two nodes the same: no length
    ForceText& t = theResultDisp.forceText;
    t.elementKind = 6;
    t.envelope = 0;
    ASSERT_EQ(UpdateForceText(), 1);
    ASSERT_TRUE(t.store.IsValidID(4));
    ASSERT_TRUE(t.store.IsValidID(1));
    EXPECT_FALSE(t.store.IsValidID(2)) << "a wall with an opening has no whole-wall piece";
    const DFrameForce whole = *t.store.GetByID(4);
    t.perWallLength = 1;
    ASSERT_EQ(UpdateForceText(), 1);
    ASSERT_TRUE(t.store.IsValidID(4));
    EXPECT_FALSE(t.store.IsValidID(1));
    EXPECT_FALSE(t.store.IsValidID(7)) << "a wall not in the model has no length either";
    const DFrameForce* per = t.store.GetByID(4);
    ASSERT_EQ(per->nSect, whole.nSect);
    for (int s = 0; s < per->nSect; ++s) {
        EXPECT_DOUBLE_EQ(per->pSect[s][0], whole.pSect[s][0]);
        for (int c = 1; c <= 6; ++c) EXPECT_DOUBLE_EQ(per->pSect[s][c], whole.pSect[s][c] / 2) << s << c;
    }
}

// ---- steel check

DSframeCheck CheckRecord(std::vector<std::array<double, 21>> rows)
{
    DSframeCheck r;
    r.SetSectCheck(int(rows.size()), reinterpret_cast<const double(*)[21]>(rows.data()));
    return r;
}

TEST(SteelCheckMaxima, LargestSizesAndRatiosToTheirLimits)
{
    // Row places: F1 1, F2 2, F3 4, F4 5, F5 6, F6 7, F9 11, F10 13, F11 14,
    // F12 15, F13 16, F14 17, F15 18.
    std::array<double, 21> a{}, b{}, c{};
    a[1] = -120, a[2] = 0.6, a[4] = 90, a[5] = 0.45, a[6] = 30, a[7] = -0.2;
    a[11] = 80, a[13] = 60, a[14] = 150, a[15] = 9, a[16] = 15, a[17] = 40, a[18] = 0;  // no F15 limit
    b[1] = 100, b[2] = -0.95, b[11] = 200, b[13] = 10, b[14] = 0;                       // no slenderness limit
    c[4] = -95, c[5] = 0.5, c[15] = -12, c[16] = 15, c[17] = 20, c[18] = 80;
    MArrayID<DSframeCheck> records(0, 4);
    DSframeCheck first = CheckRecord({a, b}), second = CheckRecord({c});
    first.m_nID = 1;
    second.m_nID = 2;
    records.Add(first);
    records.Add(second);
    double ratios[7], values[7];
    GetSframeCheckMaxima(records, ratios, values);
    const double expectedValues[7] = {120, 95, 30, 200, 60, 12, 40};
    const double expectedRatios[7] = {0.95, 0.5, 0.2, 80.0 / 150, 60.0 / 150, 12.0 / 15, 20.0 / 80};
    for (int i = 0; i < 7; ++i) {
        EXPECT_DOUBLE_EQ(values[i], expectedValues[i]) << i;
        EXPECT_DOUBLE_EQ(ratios[i], expectedRatios[i]) << i;
    }
}

TEST_F(MemberValueTest, SteelCheckValuesByMemberNumber)
{
    theResult.m_nSframeIdOffset = 10;
    theResultDisp.forceText.elementKind = 1;
    SteelCheckDisp& sc = theResultDisp.steelCheck;
    sc.kind = 1;
    sc.item = 0;  // strength stress: |F1| over three combinations, both signs
    ASSERT_TRUE(ReadSteelCheck());
    EXPECT_EQ(theResultDisp.forceText.elementKind, 0) << "one force display at a time";
    ASSERT_EQ(sc.store.GetCount(), 2);
    ASSERT_TRUE(sc.store.IsValidID(12));
    ASSERT_TRUE(sc.store.IsValidID(15));
    EXPECT_DOUBLE_EQ(sc.store.GetByID(12)->value, 30);
    EXPECT_DOUBLE_EQ(sc.store.GetByID(15)->value, 12);
    EXPECT_DOUBLE_EQ(sc.largest, 30);
    EXPECT_EQ(hooks.prompts.back(), "正在读取校核结果文件……");
    sc.kind = 2;
    sc.item = 6;  // height-thickness ratio to its limit
    ASSERT_TRUE(ReadSteelCheck());
    EXPECT_DOUBLE_EQ(sc.store.GetByID(12)->value, 0.75);
    EXPECT_DOUBLE_EQ(sc.store.GetByID(15)->value, 1.5);
    EXPECT_DOUBLE_EQ(sc.largest, 1.5);
    // An item past the list or no check results: nothing shown.
    sc.item = 7;
    EXPECT_FALSE(ReadSteelCheck());
    EXPECT_EQ(sc.kind, 0);
    theResult.SetZero();
    sc.kind = 1;
    sc.item = 0;
    EXPECT_FALSE(ReadSteelCheck());
    EXPECT_EQ(sc.kind, 0);
    EXPECT_EQ(sc.store.GetCount(), 0);
}

// ---- axial compression ratios

std::map<int, int> frameKinds, frameSections;

// Frames by number with their material, section kind and section.
class ColumnFrames : public vektest::FakeFamily {
public:
    ColumnFrames() : FakeFamily(EFamily::Frames)
    {
        theResultModelLinks.frameKind = [](int pos) { return frameKinds[pos]; };
        theResultModelLinks.frameSection = [](int pos) { return frameSections[pos]; };
    }
    ~ColumnFrames() override
    {
        theResultModelLinks.frameKind = nullptr;
        theResultModelLinks.frameSection = nullptr;
        frameKinds.clear();
        frameSections.clear();
    }
    void Frame(int id, int material, int section, int kind = 0, bool horizontal = false)
    {
        Element(id, {1, 2}).horizontal = horizontal;
        materials[id] = material;
        // Positions follow the numbers; these tests add them in order.
        frameKinds[GetCount() - 1] = kind;
        frameSections[GetCount() - 1] = section;
    }
    int GetMaterial(int pos) const override { return materials.at(GetID(pos)); }
    std::map<int, int> materials;
};

class AxialRatioTest : public MemberValueTest {
protected:
    void SetUp() override
    {
        MemberValueTest::SetUp();
        theMaterials.SetSize(0);
        theFrameSects.SetSize(0);
        CMaterial concrete, weak;
        concrete.m_fGrade = 30;
        weak.m_fGrade = 5;
        theMaterials.Add(concrete);
        theMaterials.Add(weak);
        CFrameSect column, empty;
        empty.m_fPara[0] = 0;
        theFrameSects.Add(column);
        theFrameSects.Add(empty);
        ASSERT_NEAR(theFrameSects.GetAt(0)->GetSectArea(), 0.16, 1e-6);
        double E = 0;
        DMaterial::GetEFcFromConcret(30, theProjectOptions.GetUnitCode(), E, fc);
        capacity = fc * theFrameSects.GetAt(0)->GetSectArea();
    }
    void TearDown() override
    {
        theMaterials.SetSize(0);
        theFrameSects.SetSize(0);
        MemberValueTest::TearDown();
    }
    double fc = 0, capacity = 0;
};

TEST_F(AxialRatioTest, OnlyConcreteColumnsWithACapacityHaveARatio)
{
    const struct {
        const char* what;
        int material, section, kind;
        bool horizontal, shown;
    } cases[] = {
        {"a concrete column", 1, 1, 0, false, true}, {"a beam lying flat", 1, 1, 0, true, false},
        {"grade 5", 2, 1, 0, false, false},          {"a section of no area", 1, 2, 0, false, false},
        {"a steel section", 1, 1, 1, false, false},  {"a variable section", 1, 1, 2, false, false},
        {"no material", 0, 1, 0, false, false},      {"no section", 1, 0, 0, false, false},
    };
    AxialRatioDisp& ar = theResultDisp.axialRatio;
    for (const auto& c : cases) {
        ColumnFrames frames;
        frames.Frame(1, c.material, c.section, c.kind, c.horizontal);
        ar.kind = 2;
        ASSERT_TRUE(FillAxialRatio()) << c.what;
        EXPECT_EQ(ar.store.IsValidID(1) != 0, c.shown) << c.what;
    }
}

TEST_F(AxialRatioTest, TheWorstSectionAndTheLargestCombination)
{
    ColumnFrames frames;
    frames.Frame(1, 1, 1);  // N -1, -5, -2 over the combinations
    frames.Frame(2, 1, 1);  // in tension: N 3
    frames.Frame(3, 1, 1);  // no forces
    AxialRatioDisp& ar = theResultDisp.axialRatio;
    ar.kind = 1;
    theProjectOptions.nResultSelectors[0] = 1;
    ASSERT_TRUE(FillAxialRatio());
    ASSERT_EQ(ar.store.GetCount(), 2);
    EXPECT_NEAR(ar.store.GetByID(1)->value, 1 / capacity, 1e-12);
    EXPECT_NEAR(ar.store.GetByID(2)->value, -3 / capacity, 1e-12) << "tension: a negative ratio";
    EXPECT_NEAR(ar.largest, 1 / capacity, 1e-12);
    ar.kind = 2;
    ASSERT_TRUE(FillAxialRatio());
    EXPECT_NEAR(ar.store.GetByID(1)->value, 5 / capacity, 1e-12);
    EXPECT_NEAR(ar.largest, 5 / capacity, 1e-12);
    // A changed force combination refreshes the ratios of the current one.
    ar.kind = 1;
    theProjectOptions.nResultSelectors[0] = 3;
    theResultDisp.OnForceCombChanged();
    EXPECT_NEAR(ar.store.GetByID(1)->value, 2 / capacity, 1e-12);
    // Without forces the display is off.
    theResult.SetZero();
    EXPECT_FALSE(FillAxialRatio());
    EXPECT_EQ(ar.kind, 0);
    EXPECT_EQ(ar.store.GetCount(), 0);
}

// ---- the frame's information

class FrameResultTextTest : public MemberValueTest {
protected:
    FrameResultTextTest() : nodes(EFamily::Nodes), frames(EFamily::Frames)
    {
        nodes.Node(1, 0, 0, 0);
        nodes.Node(2, 0, 3, 0);
        frames.Element(2, {1, 2});
    }
    vektest::FakeFamily nodes, frames;
};

TEST_F(FrameResultTextTest, DeflectionsExtremesAndEverySection)
{
    const std::string text = GetFrameResultText(2, 1, 2, 0);
    // The column's top moved 0.01 across it: the largest deflection.
    EXPECT_EQ(text.rfind("\r\n单元最大挠度(含两端的位移):\r\n 荷载种类1=1.00E-02\r\n 组合1=1.00E-02", 0), 0u) << text;
    const std::string forces =
        "\r\n\r\n内力：轴力 1-2平面内的剪力和弯矩 1-3平面内的剪力和弯矩 扭矩"
        "\r\n  最大值:    3.000    0.000    6.000    0.000    0.000    0.000"
        "\r\n对应组合:     1        1        2        1        1        1"
        "\r\n  最小值:    3.000    0.000   -6.000    0.000    0.000    0.000"
        "\r\n对应组合:     1        1        1        1        1        1"
        "\r\n组合1各截面的内力：\r\n    3.000    0.000   -6.000    0.000    0.000    0.000"
        "\r\n组合2各截面的内力：\r\n    3.000    0.000    6.000    0.000    0.000    0.000"
        "\r\n组合3各截面的内力：\r\n    3.000    0.000    2.000    0.000    0.000    0.000";
    EXPECT_NE(text.find(forces), std::string::npos) << text;
    // Both ends pinned: no deflection part; a member without forces: none of them.
    EXPECT_EQ(GetFrameResultText(2, 1, 2, 400).find("挠度"), std::string::npos);
    EXPECT_EQ(GetFrameResultText(9, 1, 2, 400), "");
    theResult.SetZero();
    EXPECT_EQ(GetFrameResultText(2, 1, 2, 0), "");
}

}  // namespace
