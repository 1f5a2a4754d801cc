// The model drawing pass: its steps in order, the walk of a family with
// thinning and the storey restriction, the axis grids and their snap points,
// and the stand-in nodes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/vek/view/Recorders.h"
#include "tests/vek/view/ViewFixture.h"
#include "vek/model/axisgrid/AxisGrid.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/model/storeys/StoreyLists.h"
#include "vek/view/passes/DrawModel.h"
#include "vek/view/passes/SeamNodes.h"

using namespace vektest;

namespace {

std::vector<std::string>& Log()
{
    static std::vector<std::string> log;
    return log;
}

std::vector<int>& Drawn()
{
    static std::vector<int> ids;
    return ids;
}

void RecordObject(CModelFamily& f, int pos)
{
    Drawn().push_back(f.GetID(pos));
}

class DrawModelPass : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        PlanOfTenByTen();
        theProjectOptions.bHiddenSurface = 0;
        Log().clear();
        Drawn().clear();
        for (int i = 0; i < kDrawStepCount; ++i) saved[i] = SetDrawStep(EDrawStep(i), CDrawStepSlot());
        theViewHooks.showPrompt = [](const char* t) { Log().push_back(std::string("prompt:") + t); };
        theViewHooks.restorePrompt = [] { Log().push_back("restore"); };
        theViewHooks.snapReset = [] { Log().push_back("snapReset"); };
        theLevels.Reset();
        theStoreyLists.Clear();
        theAxisGrids.RemoveAll();
        theGridNodes.SetSize(0);
    }
    void TearDown() override
    {
        for (int i = 0; i < kDrawStepCount; ++i) SetDrawStep(EDrawStep(i), saved[i]);
        RegisterModelFamily(EFamily::Nodes, nullptr);
        RegisterModelFamily(EFamily::Shells, nullptr);
        theLevels.Reset();
        theStoreyLists.Clear();
        theAxisGrids.RemoveAll();
        theGridNodes.SetSize(0);
        ViewTest::TearDown();
    }
    CDrawStepSlot saved[kDrawStepCount];
};

}  // namespace

TEST_F(DrawModelPass, StepsRunInTheirOrderAndThePromptComesBack)
{
    static const char* const names[] = {"SectionAreas", "AxisGrids",  "Shells",       "StiffRegions", "Solids",
                                        "Walls",        "Planes",     "Frames",       "Trusses",      "Cframes",
                                        "Pipes",        "Integrals",  "Springs",      "Results",      "Boundaries",
                                        "Nodes",        "TubeJoints", "ResultsFinish"};
    static_assert(sizeof names / sizeof names[0] == kDrawStepCount);
    // Each step logs its name (a captureless function per step).
    static DrawStepFn fns[kDrawStepCount];
    [&]<int... I>(std::integer_sequence<int, I...>)
    {
        ((fns[I] = [](const CDrawPassInfo& info) { Log().push_back(std::string(names[I]) + (info.fast ? "*" : "")); }),
         ...);
    }
    (std::make_integer_sequence<int, kDrawStepCount>());
    for (int i = 0; i < kDrawStepCount; ++i) SetDrawStep(EDrawStep(i), CDrawStepSlot{nullptr, fns[i]});
    // Nodes are switched off: the steps after them still run.
    theDisplayOptions.Switch(2) = 0;
    const long long before = ModelDrawCount();
    bModelDrawn = 0;
    DrawModel(1);
    EXPECT_EQ(ModelDrawCount(), before + 1);
    EXPECT_EQ(bModelDrawn, 1);
    std::vector<std::string> expected = {"prompt:正在形成图形...", "snapReset"};
    for (const char* n : names) expected.push_back(std::string(n) + "*");
    expected.push_back("restore");
    EXPECT_EQ(Log(), expected);
    // The display font follows the zoom: scale x text size, at least 1 pixel.
    theProjectOptions.dTextSize = 2;
    DrawModel(0);
    EXPECT_EQ(theProjectOptions.textFont.height, int(theViewProjection.GetScale() * 2));
    theProjectOptions.dTextSize = 1e-9;
    DrawModel(0);
    EXPECT_EQ(theProjectOptions.textFont.height, 1);
}

TEST_F(DrawModelPass, LargeStoresAreThinnedOnlyWhileDragging)
{
    CSeamNodes shells;
    RegisterModelFamily(EFamily::Shells, &shells);
    SetDrawStep(EDrawStep::Shells, CDrawStepSlot{RecordObject, nullptr});
    theDisplayOptions.Switch(22) = 1;
    struct Case {
        int count, fast, drawn;
    };
    const Case cases[] = {{12000, 1, 4000}, {12000, 0, 12000}, {3999, 1, 3999}, {8001, 1, 4001}};
    for (const Case& c : cases) {
        shells.Clear();
        for (int i = 1; i <= c.count; ++i) shells.Add(i, 0, 0, 0);
        Drawn().clear();
        DrawModel(c.fast);
        EXPECT_EQ(int(Drawn().size()), c.drawn) << c.count << " " << c.fast;
        if (c.count == 12000 && c.fast) {
            EXPECT_EQ(Drawn()[1], 4);  // every third
        }
    }
    // Switched off, or not shown by the display range: not drawn.
    theDisplayOptions.Switch(22) = 0;
    Drawn().clear();
    DrawModel(0);
    EXPECT_TRUE(Drawn().empty());
    theDisplayOptions.Switch(22) = 1;
    shells.Clear();
    shells.Add(1, 0, 0, 0);
    shells.Add(2, 0, 0, 0);
    shells.At(1).m_nFlags = (shells.At(1).m_nFlags & ~kObjStateMask) | kObjStateOtherStorey;
    shells.Add(3, 0, 0, 0);
    shells.At(2).m_nFlags &= ~kObjStateMask;
    DrawModel(0);
    EXPECT_EQ(Drawn(), std::vector<int>{1});
}

TEST_F(DrawModelPass, APlanWithStoreysDrawsTheCurrentStoreysListOnly)
{
    CSeamNodes nodes;
    RegisterModelFamily(EFamily::Nodes, &nodes);
    SetDrawStep(EDrawStep::Nodes, CDrawStepSlot{RecordObject, nullptr});
    for (int i = 1; i <= 6; ++i) nodes.Add(i * 10, 0, 0, 0);
    theLevels.count = 2;
    theLevels.current = 1;
    ASSERT_TRUE(theStoreyLists.Recreate(2));
    // Storey 1 lists nodes 20 and 40, and 99, which names no node.
    for (int id : {20, 99, 40}) theStoreyLists.Get(1)->nodes.Add(id);
    theStoreyLists.Get(2)->nodes.Add(30);
    DrawModel(1);
    EXPECT_EQ(Drawn(), (std::vector<int>{20, 40}));
    // Outside the plan the whole store is walked.
    Drawn().clear();
    theViewProjection.SetMode(CViewProjection::kFree3D, 0, 0, 0);
    DrawModel(0);
    EXPECT_EQ(Drawn(), (std::vector<int>{10, 20, 30, 40, 50, 60}));
}

TEST_F(DrawModelPass, AxisGridsAreDrawnInPlanAndOfferTheirNodesToSnapping)
{
    static std::vector<std::vector<double>> offered;
    offered.clear();
    theViewHooks.addGridSnapPoint = [](const double p[3]) { offered.push_back({p[0], p[1], p[2]}); };
    CAxisGrid* g = new CAxisGrid;
    g->First().Add(CAxisGridItem(1, 2.0));
    g->First().Add(CAxisGridItem(2, 8.0));
    g->Second().Add(CAxisGridItem(1, 5.0));
    theAxisGrids.Add(g);
    theDisplayOptions.Switch(3) = 1;
    theDisplayOptions.Switch(4) = 0;
    RegenerateGridNodes();
    theViewProjection.SetPlatformHeight(3);
    RecordingDC dc;
    BeginExternalDraw(&dc);
    DrawModel(0);
    EndExternalDraw();
    EXPECT_EQ(dc.Count("LineTo"), 3);
    EXPECT_EQ(offered, (std::vector<std::vector<double>>{{2, 5, 3}, {8, 5, 3}}));

    // An elevation shows grids only with its option; in 3-D never.
    struct Case {
        int mode;
        int option;
        int lines;
    };
    const Case cases[] = {
        {CViewProjection::kElevation, 0, 0}, {CViewProjection::kElevation, 1, 3}, {CViewProjection::kFree3D, 1, 0}};
    for (const Case& c : cases) {
        theViewProjection.SetMode(c.mode, 0, 0, 0);
        theProjectOptions.bAxisGridsInElevations = uint8_t(c.option);
        RecordingDC d;
        BeginExternalDraw(&d);
        DrawModel(0);
        EndExternalDraw();
        EXPECT_EQ(d.Count("LineTo"), c.lines) << c.mode << " " << c.option;
    }
    // In the elevation the nodes were offered as points of the work plane.
    double w[3];
    theViewProjection.SetMode(CViewProjection::kElevation, 0, 0, 0);
    theViewProjection.PlaneToWorld(8, 5, w);
    EXPECT_NEAR(offered.back()[0], w[0], 1e-12);
    EXPECT_NEAR(offered.back()[2], w[2], 1e-12);
}

TEST_F(DrawModelPass, StandInNodesDrawTheirMarkersAndNumbers)
{
    CSeamNodes nodes;
    InstallSeamNodes(&nodes);
    nodes.Add(7, 5, 5, 0);
    nodes.Add(8, 2, 2, 0);
    nodes.At(1).m_nFlags |= kObjSelected;
    nodes.Add(9, 500, 500, 0);  // off the window: skipped
    theDisplayOptions.Switch(2) = 1;
    theDisplayOptions.Switch(0) = 1;
    RecordingDC dc;
    BeginExternalDraw(&dc);
    DrawModel(0);
    EndExternalDraw();
    EXPECT_EQ(dc.ellipses.size(), 2u);
    EXPECT_EQ(dc.texts, (std::vector<std::string>{"7", "8"}));
    InstallSeamNodes(nullptr);
}
