// The model data check, the clean-up and the renumbering over fake element
// families: what each step changes, what it reports and in which order the
// families are asked.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/AppHelpersStandIn.h"
#include "tests/vek/project/DocFakes.h"
#include "tests/vek/project/ProjectTestSupport.h"
#include "framework/WinTypes.h"
#include "vek/model/analysis/AnalysisParameters.h"
#include "vek/model/analysis/SpectrumSettings.h"
#include "vek/model/document/ModelCheck.h"
#include "vek/model/materials/Material.h"

using namespace vektest;

namespace {

class ModelCheckTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FreshModel();
        theProjectOptions.bFixLevel0Nodes = 0;
    }
    void TearDown() override { FreshModel(); }

    AppHelperLog log;
    RecordingHooks hooks;
    RecordingDocumentHooks docHooks;
    DocFamily nodes{EFamily::Nodes}, frames{EFamily::Frames}, shells{EFamily::Shells}, walls{EFamily::Walls},
        solids{EFamily::Solids}, planes{EFamily::Planes}, springs{EFamily::Springs};
};

TEST_F(ModelCheckTest, NodesNumberedWithGapsCloseUpAndTheirReferencesFollow)
{
    for (int id : {1, 2, 5}) nodes.Node(id, id, 0, 0);
    frames.Element(1, {1, 5});
    frames.Element(2, {5, 2});
    // The node family converts every reference to node numbers.
    const int undo = hooks.undoCleared;
    nodes.onRemap = [&](const int* map, int) {
        for (FakeItem& f : frames.items)
            for (int& n : f.nodes) n = map[n - 1];
    };
    RenumberNodes();
    EXPECT_EQ(nodes.GetID(2), 3);
    EXPECT_EQ(frames.items[0].nodes, (std::vector<int>{1, 3}));
    EXPECT_EQ(frames.items[1].nodes, (std::vector<int>{3, 2}));
    ASSERT_EQ(nodes.remaps.size(), 1u);
    EXPECT_EQ(nodes.remaps[0], (std::vector<int>{1, 2, 0, 0, 3}));
    EXPECT_EQ(hooks.undoCleared, undo + 1);
    EXPECT_EQ(log.LastModified(), 1);
    EXPECT_EQ(hooks.prompts.back(), "正在转换原有的节点号索引...");

    // Numbers without gaps: nothing changes, the undo history stays.
    RenumberNodes();
    EXPECT_EQ(nodes.remaps.size(), 1u);
    EXPECT_EQ(hooks.undoCleared, undo + 1);
}

TEST_F(ModelCheckTest, ElementsRenumberFamilyByFamily)
{
    for (int id : {2, 3, 7}) frames.Element(id, {1, 2});
    shells.Element(1, {1, 2, 3});
    for (int id : {4, 9}) solids.Element(id, {1, 2, 3, 4});
    springs.Element(3, {1, 0});
    const int undo = hooks.undoCleared;
    std::vector<int> map;
    EXPECT_EQ(CompactIDs(shells, map), 0);
    EXPECT_EQ(map, std::vector<int>{1});
    RenumberElements();
    EXPECT_EQ(frames.changes, (std::vector<std::pair<int, int>>{{2, 1}, {3, 2}, {7, 3}}));
    ASSERT_EQ(frames.remaps.size(), 1u);
    EXPECT_EQ(frames.remaps[0], (std::vector<int>{0, 1, 2, 0, 0, 0, 3}));
    EXPECT_TRUE(shells.remaps.empty());
    EXPECT_EQ(solids.changes, (std::vector<std::pair<int, int>>{{4, 1}, {9, 2}}));
    EXPECT_TRUE(solids.remaps.empty());  // solids and springs have no references to convert
    EXPECT_EQ(springs.GetID(0), 1);
    EXPECT_EQ(hooks.undoCleared, undo + 1);
    EXPECT_EQ(log.LastModified(), 1);
}

TEST_F(ModelCheckTest, ElementsOnMissingNodesTakeTheLastNodeAndAreSelected)
{
    for (int id = 1; id <= 40; ++id) nodes.Node(id, id, 0, 0);
    frames.Element(1, {3, 99});
    frames.Element(2, {3, 4});
    shells.Element(1, {1, 2, 3, 0});  // a triangle: its fourth slot is no node
    solids.Element(1, {1, 2, 3, 4, 0, 0, 7, 8});
    EXPECT_EQ(RepairElementNodes(), 0);
    EXPECT_EQ(frames.items[0].nodes, (std::vector<int>{3, 40}));
    EXPECT_TRUE(frames.items[0].obj.IsSelected());
    EXPECT_FALSE(frames.items[1].obj.IsSelected());
    EXPECT_FALSE(shells.items[0].obj.IsSelected());
    EXPECT_FALSE(solids.items[0].obj.IsSelected());
    ASSERT_EQ(log.Messages().size(), 1u);
    EXPECT_EQ(log.Messages()[0].text,
              "部分 梁柱 单元的节点号数据有误，程序自动把相应节点号调成最大的节点号，并使之处于选中状态!");

    walls.Element(1, {1, 2, 0, 41});
    shells.Element(2, {1, 2, 50, 0});
    EXPECT_EQ(RepairElementNodes(), 0);
    EXPECT_EQ(walls.items[0].nodes, (std::vector<int>{1, 2, 40, 40}));
    EXPECT_EQ(log.Messages().back().text,
              "部分 墙  板壳 单元的节点号数据有误，程序自动把相应节点号调成最大的节点号，并使之处于选中状态!");
    EXPECT_EQ(RepairElementNodes(), 1);
}

TEST_F(ModelCheckTest, UseCountsAndTheTranslationsNothingRestrains)
{
    for (int id = 1; id <= 5; ++id) nodes.Node(id, id, 0, 0);
    frames.Element(1, {1, 2});
    shells.Element(1, {1, 2, 3, 0});
    planes.Element(1, {1, 0, 3, 0, 0, 0, 0, 0, 0});
    // No restraint; a grounded spring ties X down.
    springs.grounded = 1;
    UpdateNodeUseCounts();
    EXPECT_EQ(nodes.Extra(1).useCount, 3);
    EXPECT_EQ(nodes.Extra(2).useCount, 2);
    EXPECT_EQ(nodes.Extra(3).useCount, 2);
    EXPECT_EQ(nodes.Extra(4).useCount, 0);
    ASSERT_EQ(log.Messages().size(), 1u);
    EXPECT_EQ(log.Messages()[0].text, "结构在 UY UZ的自由度没有任何约束!");
    EXPECT_EQ(log.Messages()[0].type, unsigned(MB_OK | MB_ICONQUESTION));

    struct Case {
        const char* what;
        int storeys, fixLevel0, restraints, plane;
        bool piles;
        const char* message;  // nullptr: none
    } cases[] = {
        {"storeys with level 0 fixed", 2, 1, 0, 0, false, nullptr},
        {"storeys without", 2, 0, 0, 0, false, "结构在 UX UY UZ的自由度没有任何约束!"},
        {"piles", 0, 0, 0, 0, true, nullptr},
        {"a node fixed in Y and Z", 0, 0, 6, 0, false, "结构在 UX的自由度没有任何约束!"},
        {"a node fixed in X, Y and Z", 0, 0, 7, 0, false, nullptr},
        {"plane model, Z only", 0, 0, 4, 1, false, "结构在 UY的自由度没有任何约束!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const size_t shown = log.Messages().size();
        theLevels.count = c.storeys;
        theProjectOptions.bFixLevel0Nodes = uint8_t(c.fixLevel0);
        theProjectOptions.bPlaneModel = uint8_t(c.plane);
        frames.piles = c.piles;
        springs.grounded = 0;
        nodes.Extra(5).restraints = c.restraints;
        UpdateNodeUseCounts();
        if (c.message) {
            ASSERT_EQ(log.Messages().size(), shown + 1);
            EXPECT_EQ(log.Messages().back().text, c.message);
        } else {
            EXPECT_EQ(log.Messages().size(), shown);
        }
    }
}

TEST_F(ModelCheckTest, UnusedMaterialsGoAndTheRestAreNumberedAgain)
{
    for (int i = 0; i < 3; ++i) theMaterials.Add(CMaterial());
    frames.Element(1, {1, 2});
    frames.Extra(1).material = 3;
    shells.Element(1, {1, 2, 3});
    shells.Extra(1).material = 3;
    walls.Element(1, {1, 2, 3, 4});
    walls.Extra(1).material = 7;  // beyond the list: no material
    DeleteUnusedMaterials();
    EXPECT_EQ(theMaterials.GetSize(), 1);
    EXPECT_EQ(frames.Extra(1).material, 1);
    EXPECT_EQ(shells.Extra(1).material, 1);
    EXPECT_EQ(walls.Extra(1).material, 0);

    const int undo = hooks.undoCleared;
    hooks.prompts.clear();
    DeleteUnusedData();
    EXPECT_EQ(hooks.prompts.front(), "正在删除无用信息...");
    EXPECT_EQ(hooks.prompts.back(), "完成无用信息的删除");
    EXPECT_EQ(nodes.checks, std::vector<ECheck>{ECheck::PurgeUnused});
    EXPECT_EQ(planes.checks, std::vector<ECheck>{ECheck::PurgeUnused});
    EXPECT_EQ(hooks.undoCleared, undo + 1);
}

TEST_F(ModelCheckTest, AnalysisParametersAgreeWithTheModel)
{
    // A spectrum without eigen analysis switches it on; modes beyond those
    // computed go.
    theSpectrumSettings.direction1On = 1;
    theEigenPara.on = 0;
    theEigenPara.modes = 4;
    theProjectOptions.bStabilityAnalysis = 1;
    solids.Element(1, {1, 2, 3, 4});
    CheckAnalysisParameters();
    ASSERT_EQ(log.Messages().size(), 2u);
    EXPECT_EQ(log.Messages()[0].text,
              "如果要进行地震反应谱计算或时程分析，必须进行振型计算，系统将自动设置振型计算参数!");
    EXPECT_EQ(theEigenPara.on, 1);
    EXPECT_EQ(theEigenPara.modes, 10);  // the defaults
    EXPECT_EQ(theSpectrumSettings.modes.GetSize(), 10);
    EXPECT_EQ(log.Messages()[1].text, "KORVA的整体稳定性计算目前不能支持三维实体元，系统将取消此选项！");
    EXPECT_EQ(theProjectOptions.bStabilityAnalysis, 0);

    theEigenPara.modes = 4;
    theProjectOptions.bStabilityAnalysis = 1;
    solids.items.clear();
    walls.Element(1, {1, 2, 3, 4});
    walls.Extra(1).opening = true;
    const size_t shown = log.Messages().size();
    CheckAnalysisParameters();
    ASSERT_EQ(log.Messages().size(), shown + 2);
    EXPECT_EQ(log.Messages()[shown].text,
              "地震反应谱中参与计算的振型编号大于振型计算个数, 系统将作自动删除这些振型编号!");
    EXPECT_EQ(theSpectrumSettings.modes.GetSize(), 4);
    EXPECT_EQ(theSpectrumSettings.dampings.GetSize(), 4);
    EXPECT_EQ(log.Messages()[shown + 1].text, "KORVA的整体稳定性计算目前不支持开洞的墙单元，系统将取消此选项！");

    theSpectrumSettings.modes.SetSize(0);
    theSpectrumSettings.dampings.SetSize(0);
    CheckAnalysisParameters();
    EXPECT_EQ(log.Messages().back().text,
              "地震反应谱计算中需要用到振型数据，但是没有输入参与计算的振型编号，请输入相关数据!");
    // Stored numbers put right by a family are reported once.
    shells.failingChecks[ECheck::StoredNumbers] = 1;
    frames.failingChecks[ECheck::StoredNumbers] = 1;
    const size_t before = log.Messages().size();
    CheckAnalysisParameters();
    EXPECT_EQ(log.Messages().at(before).text, "某些单元的ID号与存储位置不一致, 程序已经自动作了修复.");
    EXPECT_EQ(nodes.checks.back(), ECheck::Displacements);
}

TEST_F(ModelCheckTest, TheDataCheckRunsTheFamiliesInItsOrder)
{
    nodes.Node(1, 0, 0, 0);
    nodes.Extra(1).restraints = 7;
    CheckModelData();
    EXPECT_EQ(hooks.prompts.back(), "数据检查完成,没有明显错误");
    EXPECT_TRUE(log.Messages().empty());
    EXPECT_EQ(nodes.checks,
              (std::vector<ECheck>{ECheck::Merge, ECheck::FreeNodes, ECheck::StoredNumbers, ECheck::Displacements}));
    EXPECT_EQ(frames.checks, (std::vector<ECheck>{ECheck::WindExposure, ECheck::Merge, ECheck::StoredNumbers,
                                                  ECheck::Elements, ECheck::Piles}));
    EXPECT_EQ(walls.checks, (std::vector<ECheck>{ECheck::WindExposure, ECheck::Merge, ECheck::StoredNumbers,
                                                 ECheck::WindParameters, ECheck::Elements}));
    EXPECT_EQ(springs.checks, std::vector<ECheck>{ECheck::MissingNodes});
    const std::vector<std::string> prompts(hooks.prompts.end() - 5, hooks.prompts.end());
    EXPECT_EQ(prompts,
              (std::vector<std::string>{"正在检查梁柱单元数据...", "正在检查板壳单元数据...", "正在检查墙单元数据...",
                                        "正在检查小区域数据...", "数据检查完成,没有明显错误"}));
    ASSERT_FALSE(docHooks.zooms.empty());
    EXPECT_EQ(docHooks.zooms.back().recompute, 1);

    // A family that finds something: the summary says so.
    planes.failingChecks[ECheck::Elements] = 1;
    const int invalidated = hooks.invalidated;
    CheckModelData();
    EXPECT_EQ(hooks.prompts.back(), "数据检查完成!");
    EXPECT_EQ(log.Messages().back().text, "某些单元和节点处于被选择状态, 按ESC可以取消选中状态。");
    EXPECT_GT(hooks.invalidated, invalidated);
}

}  // namespace
