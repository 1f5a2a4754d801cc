#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "tests/support/LeBytes.h"
#include "tests/vek/model/ModelTestSupport.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/analysis/AnalysisParameters.h"
#include "vek/model/analysis/ConstructionStages.h"
#include "vek/model/analysis/SpectrumSettings.h"
#include "vek/model/materials/Material.h"
#include "vek/model/records/FrameBase.h"
#include "vek/model/records/ParameterRecords.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/model/materials/Sections.h"
#include "vek/model/materials/TightWire.h"
#include "vek/model/units/UnitConversion.h"

using namespace vektest;

namespace {

struct StageFixture : ::testing::Test {
    void SetUp() override
    {
        theConstructionStages.Reset();
        theLevels.Reset();
    }
    void TearDown() override { SetUp(); }
    void Storeys(int n)
    {
        theLevels.count = n;
        for (int s = 0; s < n; ++s) theLevels.heights[s] = 3;
        theLevels.RecomputeElevations();
    }
};

// The stages the frames of storeys 0..n got.
std::vector<int> StagesOf(FakeFamily& f)
{
    std::vector<int> v;
    for (const FakeItem& i : f.items) v.push_back(i.stage);
    return v;
}

}  // namespace

using Stages = StageFixture;

TEST_F(Stages, StoreysPerStageOrTheStageList)
{
    Storeys(7);
    FakeFamily frames(EFamily::Frames, true);
    for (int s = 0; s <= 7; ++s) frames.Element(s + 1, {}, s);
    frames.Element(20, {}, -1);  // no storey: as the top storey
    CConstructionStages& cs = theConstructionStages;
    cs.on = 1;
    cs.storeysPerStage = 3;
    AssignConstructionStages();
    EXPECT_EQ(StagesOf(frames), (std::vector<int>{1, 1, 1, 1, 2, 2, 2, 3, 3}));
    EXPECT_EQ(cs.stageCount, 3);

    cs.storeysPerStage = 0;
    cs.stages.Add(2);
    cs.stages.Add(3);
    AssignConstructionStages();
    // Storeys 1-2 stage 1, 3-5 stage 2; mended: 6 and 7, past the list, the last stage.
    EXPECT_EQ(StagesOf(frames), (std::vector<int>{1, 1, 1, 2, 2, 2, 2, 2, 2}));
    EXPECT_EQ(cs.stageCount, 2);
}

TEST_F(Stages, FixedStagesCountAndEveryKindIsNumbered)
{
    Storeys(4);
    FakeFamily nodes(EFamily::Nodes), frames(EFamily::Frames, true), springs(EFamily::Springs, true),
        shells(EFamily::Shells, true);
    nodes.Node(1, 0, 0, 0, 1);
    nodes.Node(2, 0, 0, 0, 3);
    frames.Element(1, {}, 2);
    frames.Element(2, {}, 4).stage = -9;
    springs.Element(1, {1, 2});
    springs.Element(2, {2, 0});
    shells.Element(1, {}, 4);
    theConstructionStages.on = 1;
    AssignConstructionStages();
    EXPECT_EQ(frames.ByID(1)->stage, 2);
    EXPECT_EQ(frames.ByID(2)->stage, -9);
    EXPECT_EQ(springs.ByID(1)->stage, 3);  // the higher node's storey
    EXPECT_EQ(springs.ByID(2)->stage, 3);
    EXPECT_EQ(shells.ByID(1)->stage, 4);
    EXPECT_EQ(theConstructionStages.stageCount, 9);

    theConstructionStages.on = 0;
    frames.ByID(1)->stage = 0;
    AssignConstructionStages();
    EXPECT_EQ(frames.ByID(1)->stage, 0);
    EXPECT_EQ(theConstructionStages.stageCount, 9);

    theConstructionStages.on = 1;
    theConstructionStages.byStorey = 0;
    AssignConstructionStages();
    EXPECT_EQ(frames.ByID(1)->stage, 0);  // nothing renumbered
    EXPECT_EQ(theConstructionStages.stageCount, 9);
}

TEST_F(Stages, BlockAndItsAbsenceInOldFiles)
{
    CConstructionStages& cs = theConstructionStages;
    cs.on = 1;
    cs.storeysPerStage = 0;
    cs.stages.Add(2);
    cs.stages.Add(3);
    const Bytes got = WriteBlock([](bofstream& out) { theConstructionStages.Write(out); });
    EXPECT_EQ(got, Bytes(LeBytes().i8(1).i8(1).i8(0).i16(2).i16(2).i16(3)));
    cs.Reset();
    ASSERT_TRUE(ReadBlock(got, [](bifstream& in) { return theConstructionStages.Read(in); }));
    EXPECT_EQ(cs.stages.GetSize(), 2);
    EXPECT_FALSE(ReadBlock(LeBytes().i8(1).i8(1).i8(0).i16(5).i16(1),
                           [](bifstream& in) { return theConstructionStages.Read(in); }));
    EXPECT_EQ(cs.stages.GetSize(), 2);
    ProjectVersion v(610);
    long rest = 0;
    ASSERT_TRUE(ReadBlock(
        got, [](bifstream& in) { return theConstructionStages.Read(in); }, &rest));
    EXPECT_EQ(rest, long(got.size()));
    EXPECT_EQ(cs.on, 0);
    EXPECT_EQ(cs.stages.GetSize(), 0);
}

namespace {
class Panels : public CParameterPanels {
public:
    Panels() { SetParameterPanels(this); }
    ~Panels() override { SetParameterPanels(nullptr); }
    void OpenPrompt(const char* title, const char* note, int16_t* value, bool closeOthers) override
    {
        seen.push_back(std::string(title) + "|" + note + (closeOthers ? "|close" : ""));
        bound = value;
    }
    void OpenLocalAxisDialog(bool) override { seen.push_back("axis dialog"); }
    void ShowParameterText(const char* title, const char* text, bool) override
    {
        seen.push_back(std::string(title) + "|" + text);
    }
    void OpenMaterialParameters(bool, bool mode) override { seen.push_back(mode ? "material 1" : "material 0"); }
    void OpenMaterialSection(bool second, bool) override { seen.push_back(second ? "section 1" : "section 0"); }
    std::vector<std::string> seen;
    int16_t* bound = nullptr;
};
}  // namespace

TEST_F(Stages, PromptsAndTheStageOfTheSelection)
{
    Panels panels;
    OpenStagePrompt(true);
    EXPECT_EQ(panels.seen[0], "施工模拟步号|输入选中构件所属的施工模拟号，如果输入0，将由程序根据设置自动选取。|close");
    EXPECT_EQ(panels.bound, &theConstructionStages.typedStage);
    theProjectOptions.nCurrentCommand = 602;
    int16_t count = 2;
    ShowDivideCountDialog(&count, false);
    EXPECT_EQ(panels.seen[1], "等分数量：|单元等分的数量。注:墙等分操作受选项设置对话框中的\"只拆分本层的墙\"影响");
    theProjectOptions.nCurrentCommand = 0;
    const double d[3] = {0, 0.6, 0.8};
    ShowLocalAxisInfo(false, false, 2, d);
    EXPECT_EQ(panels.seen[2], "局部坐标参数|2轴的方向为：\r\ndirx=0.0000\r\ndiry=0.6000\r\ndirz=0.8000");
    ShowMaterialParamDialog(false, true);
    EXPECT_EQ(panels.seen[3], "material 0");  // the mode goes in inverted

    FakeFamily frames(EFamily::Frames, true), walls(EFamily::Walls, true);
    frames.Element(1, {}).obj.m_nFlags = kObjSelected | kObjLive;
    frames.Element(2, {}).stage = -4;
    walls.Element(7, {}).obj.m_nFlags = kObjSelected;
    theConstructionStages.typedStage = 3;
    ApplyStageToSelection();
    EXPECT_EQ(frames.ByID(1)->stage, -3);
    EXPECT_EQ(frames.ByID(1)->obj.m_nFlags, kObjLive);
    EXPECT_EQ(frames.ByID(2)->stage, -4);
    EXPECT_EQ(walls.ByID(7)->stage, -3);
    EXPECT_EQ(frames.redrawn, std::vector<int>{1});
    EXPECT_EQ(walls.redrawn, std::vector<int>{7});
}

namespace {

// Every family and every hook, recording the parts scaled in order.
struct ScaleRecorder {
    ScaleRecorder()
    {
        for (int f = 0; f < kFamilyCount; ++f) families.emplace_back(new FakeFamily(static_cast<EFamily>(f)));
        for (int s = 0; s < kUnitStepCount; ++s)
            SetUnitScaleHook(static_cast<EUnitStep>(s), [](const CUnitFactors& f) { Hooked().push_back(f); });
        Hooked().clear();
    }
    ~ScaleRecorder()
    {
        for (int s = 0; s < kUnitStepCount; ++s) SetUnitScaleHook(static_cast<EUnitStep>(s), nullptr);
        while (!families.empty()) {
            delete families.back();
            families.pop_back();
        }
    }
    static std::vector<CUnitFactors>& Hooked()
    {
        static std::vector<CUnitFactors> v;
        return v;
    }
    std::vector<FakeFamily*> families;
};

}  // namespace

TEST(UnitConversion, FactorsAndTheOrderOfTheParts)
{
    const CUnitFactors f = UnitFactorsBetween(0, 3);
    EXPECT_EQ(f.F, 1e6);
    EXPECT_EQ(f.L, 1000);
    EXPECT_EQ(f.M, 1000);
    const CUnitFactors back = UnitFactorsBetween(2, 0);
    EXPECT_EQ(back.F, 0.001);
    EXPECT_EQ(back.L, 1);

    ScaleRecorder rec;
    // The section lists and the cables are the materials' own.
    theFrameSects.Add(CFrameSect());
    theTightWires.Add(CTightWire());
    theTightWires.GetAt(0)->m_fT = 2;
    ConvertModelUnits(0, 3);
    EXPECT_FLOAT_EQ(theFrameSects.GetAt(0)->m_fPara[0], 400);
    EXPECT_FLOAT_EQ(theTightWires.GetAt(0)->m_fT, 2e6f);
    ClearSectionLibraries();
    FakeFamily& frames = *rec.families[int(EFamily::Frames)];
    std::vector<EUnitStep> steps;
    for (auto& [step, factors] : frames.scaled) {
        steps.push_back(step);
        EXPECT_EQ(factors.F, 1e6);
        EXPECT_EQ(factors.L, 1000);
    }
    EXPECT_EQ(steps,
              (std::vector<EUnitStep>{EUnitStep::FrameLoads, EUnitStep::FrameParameters, EUnitStep::Frames}));
    FakeFamily& nodes = *rec.families[int(EFamily::Nodes)];
    ASSERT_EQ(nodes.scaled.size(), 5u);
    EXPECT_EQ(nodes.scaled[3].first, EUnitStep::NodeValueList2);  // after the springs
    EXPECT_EQ(rec.families[int(EFamily::Pipes)]->scaled.size(), 2u);
    EXPECT_EQ(rec.families[int(EFamily::HistoryCurves)]->scaled.size(), 1u);
    // Axis grids, grid nodes, column parameter, view, working plane, snap, wind, boundaries.
    EXPECT_EQ(ScaleRecorder::Hooked().size(), 8u);
    EXPECT_EQ(ScaleRecorder::Hooked()[0].L, 1000);
    ConvertModelUnits(3, 0);  // back, for the records of the other tests

    // There and back through code 2: the family is handed each way's ratios.
    FakeFamily& springs = *rec.families[int(EFamily::Springs)];
    springs.scaled.clear();
    ConvertModelUnits(0, 2);
    ConvertModelUnits(2, 0);
    ASSERT_EQ(springs.scaled.size(), 2u);
    EXPECT_EQ(springs.scaled[0].second.F, 1000);
    EXPECT_EQ(springs.scaled[0].second.M, 1000);
    EXPECT_EQ(springs.scaled[0].second.L, 1);
    EXPECT_EQ(springs.scaled[1].second.F, 0.001);
    EXPECT_EQ(springs.scaled[1].second.M, 0.001);
}

TEST(UnitConversion, TheModelsOwnRecordsThereAndBack)
{
    theProjectOptions.SetDefaults();
    theReinforcePara.Reset();
    theProjectOptions.fPlaneThickness = 0.25f;
    theLevels.Reset();
    theLevels.count = 3;
    theLevels.baseElevation = 1.0;
    theLevels.heights[0] = 3.3;
    theMaterials.SetSize(0);
    theMaterials.Add(CMaterial());
    theSpectrumSettings.kind = 11;
    theSpectrumSettings.curve.SetSize(0);
    theSpectrumSettings.curve.Add({0.1f, 0.35f});
    theTightWireParameter.m_wire.m_fDi = 2;
    theTightWireParameter.m_wire.m_fT = 7;
    const CMaterial before = *theMaterials.GetAt(0);

    ConvertModelUnits(0, 3);
    EXPECT_EQ(theLevels.baseElevation, 1000.0);
    EXPECT_FLOAT_EQ(theMaterials.GetAt(0)->m_fVolWeight, 0.0245f);
    EXPECT_FLOAT_EQ(theMaterials.GetAt(0)->m_fVolMass, 2.5e-6f);
    EXPECT_FLOAT_EQ(theMaterials.GetAt(0)->m_fModulus, before.m_fModulus);
    EXPECT_FLOAT_EQ(theReinforcePara.H1, 8);
    EXPECT_FLOAT_EQ(theSpectrumSettings.curve.GetAt(0)->value, 350);
    EXPECT_FLOAT_EQ(theTightWireParameter.m_wire.m_fT, 7e6f);
    EXPECT_FLOAT_EQ(theTightWireParameter.m_wire.m_fDi, 2000);
    // Mended: both node spacings and the plane thickness are lengths.
    EXPECT_DOUBLE_EQ(theProjectOptions.dHorzNodeSpacing, 20);
    EXPECT_FLOAT_EQ(theProjectOptions.fVertNodeSpacing, 10);
    EXPECT_FLOAT_EQ(theProjectOptions.fPlaneThickness, 250);
    ConvertModelUnits(3, 0);

    ConvertModelUnits(0, 2);
    ConvertModelUnits(2, 0);
    EXPECT_DOUBLE_EQ(theLevels.heights[0], 3.3);
    const CMaterial& after = *theMaterials.GetAt(0);
    EXPECT_FLOAT_EQ(after.m_fModulus, before.m_fModulus);
    EXPECT_FLOAT_EQ(after.m_fVolWeight, before.m_fVolWeight);
    EXPECT_FLOAT_EQ(after.m_fVolMass, before.m_fVolMass);
    EXPECT_FLOAT_EQ(theReinforcePara.F1, 310000);
    EXPECT_NEAR(theProjectOptions.dHorzNodeSpacing, 0.02, 1e-15);
    EXPECT_FLOAT_EQ(theProjectOptions.fVertNodeSpacing, 0.01f);
    EXPECT_FLOAT_EQ(theProjectOptions.fPlaneThickness, 0.25f);
    EXPECT_FLOAT_EQ(theSpectrumSettings.curve.GetAt(0)->value, 0.35f);

    theLevels.Reset();
    theMaterials.SetSize(0);
    theSpectrumSettings.SetDefaults();
    theSpectrumSettings.curve.SetSize(0);
    theTightWireParameter = CTightWireParameter();
    theProjectOptions.SetDefaults();
}

TEST(ParameterRecords, DefaultsAndTheFrameRecordWithItsWires)
{
    EXPECT_EQ(theFrameAxisPara.axisChoice, 2);
    EXPECT_EQ(theFrameAxisPara.direction[2], 1.0);
    EXPECT_EQ(theDivideCounts.counts[5], 2);

    DFrameBase<DSframeBase> a;
    a.m_nID = 4;
    a.m_nNodeI = 1;
    a.m_nNodeJ = 2;
    a.m_TightWires.Add(9, 0.5f, 1.5f);
    DFrameBase<DSframeBase>& self = a;
    a = self;
    EXPECT_EQ(a.m_TightWires.Entries(), 1);
    EXPECT_EQ(a.m_nNodeJ, 2);
    DFrameBase<DSframeBase> b;
    b = a;
    EXPECT_TRUE(b.m_TightWires == a.m_TightWires);

    const Bytes got = WriteBlock([&](bofstream& out) { b.Serialize(out); });
    const Bytes record = WriteBlock([&](bofstream& out) { static_cast<DSframeBase&>(b).DSframeBase::Serialize(out); });
    ASSERT_EQ(got.size(), record.size() + 2 + 12);
    DFrameBase<DSframeBase> c;
    ASSERT_TRUE(ReadBlock(got, [&](bifstream& in) { return c.Serialize(in) != 0; }));
    EXPECT_EQ(c.m_nNodeI, 1);
    ASSERT_EQ(c.m_TightWires.Entries(), 1);
    EXPECT_EQ(c.m_TightWires[0].nElement, 9);
}
