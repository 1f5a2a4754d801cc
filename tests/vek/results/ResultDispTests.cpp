// The result display: refresh after a selection change, closing all pictures
// with and without their animation frames, the result filter, wall force
// sections, the displacement scale and the caption line.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tests/vek/results/ResultFiles.h"
#include "tests/support/AppHelpersStandIn.h"
#include "tests/support/TestFiles.h"
#include "tests/vek/model/ModelTestSupport.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ProjectOptions.h"
#include "vek/results/Result.h"
#include "vek/results/ResultCounts.h"
#include "vek/results/ResultDisp.h"

namespace {

using restest::ResultFiles;

std::vector<std::string>& Log()
{
    static std::vector<std::string> log;
    return log;
}

// Binds hooks that log the refreshes they are asked for, for one test.
class RefreshLog {
public:
    RefreshLog() : saved(theResultDispHooks)
    {
        Log().clear();
        theResultDispHooks.fillNodeValues = [] { Log().push_back("values"); };
        theResultDispHooks.updateContour = [] { Log().push_back("contour"); };
        theResultDispHooks.showDispPicture = [](int kind) { Log().push_back("picture " + std::to_string(kind)); };
        theResultDispHooks.updateFrameDiagram = [] { Log().push_back("diagram"); };
        theResultDispHooks.updateForceText = [] { Log().push_back("text"); };
        theResultDispHooks.fillPrincipalStress = [] { Log().push_back("stress"); };
        theResultDispHooks.fillAxialRatio = [] { Log().push_back("ratio"); };
    }
    ~RefreshLog() { theResultDispHooks = saved; }
    // The refreshes, then "redraw" once per redraw asked for.
    std::vector<std::string> Taken(const vektest::RecordingHooks& hooks) const
    {
        std::vector<std::string> all = Log();
        for (int i = 0; i < hooks.invalidated; ++i) all.push_back("redraw");
        return all;
    }
    ResultDispHooks saved;
};

struct RefreshCase {
    const char* what;
    int selector;
    std::function<void(CResultDisp&)> show;
    std::vector<std::string> refreshed;
};

TEST(ResultDisplay, SelectionChangesRefreshWhatDependsOnThem)
{
    const RefreshCase cases[] = {
        {"load case: values and picture",
         kSelLoadCase,
         [](CResultDisp& d) {
             d.nodeValues.kind = 1;
             d.disp.kind = 11;
         },
         {"values", "picture 11"}},
        {"load case: values alone redraw",
         kSelLoadCase,
         [](CResultDisp& d) { d.nodeValues.kind = 1; },
         {"values", "redraw"}},
        {"load case: contour draws itself",
         kSelLoadCase,
         [](CResultDisp& d) {
             d.contour.kind = 5;
             d.disp.kind = 1;
         },
         {"contour"}},
        {"load case: other kinds untouched",
         kSelLoadCase,
         [](CResultDisp& d) {
             d.nodeValues.kind = 2;
             d.disp.kind = 2;
         },
         {}},
        {"displacement combination",
         kSelDisplacementCombination,
         [](CResultDisp& d) { d.disp.kind = 12; },
         {"picture 12"}},
        {"mode: picture then contour",
         kSelMode,
         [](CResultDisp& d) {
             d.disp.kind = 13;
             d.contour.kind = 9;
         },
         {"picture 13", "contour"}},
        {"time step: still pictures only", kSelResponsePoint, [](CResultDisp& d) { d.disp.kind = 16; }, {}},
        {"time step", kSelResponsePoint, [](CResultDisp& d) { d.disp.kind = 7; }, {"picture 7"}},
        {"spectrum direction",
         kSelEarthquakeDirection,
         [](CResultDisp& d) { d.nodeValues.kind = 3; },
         {"values", "redraw"}},
        {"buckling mode",
         kSelBucklingMode,
         [](CResultDisp& d) {
             d.disp.kind = 8;
             d.contour.kind = 10;
         },
         {"picture 8", "contour"}},
        {"stage: nothing shown still redraws", kSelConstructionStep, [](CResultDisp&) {}, {"redraw"}},
        {"stage", kSelConstructionStep, [](CResultDisp& d) { d.disp.kind = 19; }, {"picture 19"}},
        {"force combination: contour only",
         kSelForceCombination,
         [](CResultDisp& d) {
             d.contour.kind = 14;
             d.frameDiagram.elementKind = 1;
             d.stress.on = 1;
         },
         {"contour"}},
        {"force combination: diagram before text",
         kSelForceCombination,
         [](CResultDisp& d) {
             d.frameDiagram.elementKind = 2;
             d.forceText.elementKind = 1;
             d.axialRatio.kind = 1;
         },
         {"diagram", "ratio", "redraw"}},
        {"force combination: enveloped text stays",
         kSelForceCombination,
         [](CResultDisp& d) {
             d.forceText.elementKind = 1;
             d.forceText.envelope = 2;
             d.axialRatio.kind = 2;
         },
         {}},
        {"force combination: text and stresses",
         kSelForceCombination,
         [](CResultDisp& d) {
             d.forceText.elementKind = 6;
             d.stress.on = 1;
         },
         {"text", "stress", "redraw"}},
    };
    for (const RefreshCase& c : cases) {
        vektest::RecordingHooks hooks;
        RefreshLog log;
        CResultDisp disp;
        c.show(disp);
        disp.OnSelectorChanged(c.selector);
        EXPECT_EQ(log.Taken(hooks), c.refreshed) << c.what;
    }
}

TEST(ResultDisplay, TheMainFrameSelectorsReachTheProjectOptionsAndTheDisplay)
{
    vektest::RecordingHooks hooks;
    RefreshLog log;
    const int16_t saved = theProjectOptions.nResultSelectors[2];
    SetResultSelectorValue(kSelMode, 3);
    EXPECT_EQ(theProjectOptions.nResultSelectors[2], 3);
    EXPECT_EQ(ResultSelectorValue(kSelMode), 3);
    theResultDisp.disp.kind = 3;
    RefreshResultSelector(kSelMode);
    EXPECT_EQ(log.Taken(hooks), (std::vector<std::string>{"picture 3"}));
    theResultDisp.CloseAll(0);
    theProjectOptions.nResultSelectors[2] = saved;
    EXPECT_EQ(ResultSelectorValue(kSelConstructionStep), theProjectOptions.nHighestStage);
    EXPECT_EQ(ResultSelectorValue(99), 0);
}

std::string TempFolder()
{
    CString dir;
    GetTempDir(dir);
    return static_cast<const char*>(dir);
}

TEST(ResultDisplay, CloseAllKeepsOrRemovesOnlyItsOwnFrames)
{
    CResultDisp disp;
    const std::string stem = disp.FrameStem();
    EXPECT_EQ(stem, "~ani_tmp" + std::to_string(vektest::ProcessId()));
    const std::string folder = TempFolder();
    const std::string own[] = {folder + stem + ".1", folder + stem + ".12"};
    const std::string others[] = {folder + stem + "7.1", folder + stem + "x"};
    for (const auto& p : own) std::ofstream(p) << "gif";
    for (const auto& p : others) std::ofstream(p) << "gif";

    auto showAll = [&] {
        disp.contour.kind = 3;
        disp.disp.kind = 13;
        disp.disp.frameCount = 2;
        disp.disp.playing = 1;
        disp.disp.currentFrame = 2;
        disp.disp.largest = 4;
        disp.nodeValues.kind = 1;
        disp.nodeValues.values = {1, 2};
        disp.stress.on = 1;
        disp.frameDiagram.elementKind = 1;
        disp.forceText.elementKind = 1;
        disp.steelCheck.kind = 1;
        disp.rein.items = 1;
        disp.axialRatio.kind = 2;
        CMemberValue v{4, 0.5};
        disp.axialRatio.store.Add(v);
    };
    showAll();
    ASSERT_TRUE(disp.AnyShown());
    disp.CloseAll(0);
    EXPECT_FALSE(disp.AnyShown());
    EXPECT_EQ(disp.disp.currentFrame, 0);
    EXPECT_EQ(disp.disp.largest, 1e-20);
    EXPECT_TRUE(disp.nodeValues.values.empty());
    EXPECT_EQ(disp.axialRatio.store.GetCount(), 0);
    // The menu's close-all keeps the frames: the animation can be played again.
    EXPECT_EQ(disp.disp.frameCount, 2);
    for (const auto& p : own) EXPECT_TRUE(std::filesystem::exists(p)) << p;

    showAll();
    disp.CloseAll(1);
    EXPECT_FALSE(disp.AnyShown());
    EXPECT_EQ(disp.disp.frameCount, 0);
    for (const auto& p : own) EXPECT_FALSE(std::filesystem::exists(p)) << p;
    for (const auto& p : others) {
        EXPECT_TRUE(std::filesystem::exists(p)) << p;
        std::filesystem::remove(p);
    }
}

TEST(ResultDisplay, TheMenusCloseAllRedrawsOnlyWhenSomethingWasShown)
{
    vektest::RecordingHooks hooks;
    CResultDisp disp;
    EXPECT_FALSE(disp.CloseAllPictures());
    EXPECT_EQ(hooks.invalidated, 0);
    disp.contour.kind = 7;
    EXPECT_TRUE(disp.CloseAllPictures());
    EXPECT_EQ(disp.contour.kind, 0);
    EXPECT_EQ(hooks.invalidated, 1);

    // Tube joints alone count too, and their switch is cleared.
    static bool jointsShown = true;
    ResultDispHooks saved = theResultDispHooks;
    theResultDispHooks.clearJointsShown = [] { return std::exchange(jointsShown, false); };
    EXPECT_TRUE(disp.CloseAllPictures());
    EXPECT_FALSE(jointsShown);
    EXPECT_FALSE(disp.CloseAllPictures());
    theResultDispHooks = saved;
    EXPECT_EQ(hooks.invalidated, 2);
}

TEST(ResultDisplay, AnimationAloneCountsAsShown)
{
    CResultDisp disp;
    disp.disp.playing = 1;
    EXPECT_TRUE(disp.AnyShown());
}

TEST(ResultFilterTest, AcceptsByShareIntervalAndOutside)
{
    struct Case {
        uint8_t on, mode;
        double v, r;
        bool accepted;
    };
    const Case cases[] = {
        {0, 1, 1e9, 1, true},     // off
        {1, 0, -100, 100, true},  // the largest itself
        {1, 0, 90, 100, true},    // exactly 90 %
        {1, 0, 89.99, 100, false},  {1, 0, 100.01, 100, false},
        {1, 1, 10.000001, 0, true},                       // inside [0, 10] within the tolerance
        {1, 1, -0.001, 0, false},   {1, 2, 5, 0, false},  // outside (-inf, 0] and [10, inf)
        {1, 2, -3, 0, true},        {1, 2, 9.999999, 0, true},
    };
    for (const Case& c : cases) {
        ResultFilter f;
        f.on = c.on;
        f.mode = c.mode;
        EXPECT_EQ(f.Accepts(c.v, c.r), c.accepted) << int(c.mode) << " " << c.v;
    }
}

TEST(ResultFilterTest, EditStoresBothPairsInOrder)
{
    ResultFilter f;
    EXPECT_FALSE(f.Edit());  // no dialog: nothing changes
    ResultDispHooks saved = theResultDispHooks;
    theResultDispHooks.editFilter = [](ResultFilter& e) {
        e.on = 1;
        e.mode = 1;
        e.lowerPercent = 95;
        e.upperPercent = 20;
        e.lower = 8;
        e.upper = -2;
        return true;
    };
    EXPECT_TRUE(f.Edit());
    theResultDispHooks = saved;
    EXPECT_EQ(f.lowerPercent, 20);
    EXPECT_EQ(f.upperPercent, 95);
    EXPECT_EQ(f.lower, -2);
    EXPECT_EQ(f.upper, 8);
    EXPECT_EQ(f.GetDescription(false), "过滤功能有效: 数值落在区间[-2,8]内");
    EXPECT_EQ(f.GetDescription(true), "过滤功能有效: 所有截面处的数值都落在区间[-2,8]内");
    f.mode = 0;
    EXPECT_EQ(f.GetDescription(false), "过滤功能有效: 绝对值介于最大绝对值的20.0%和95.0%之间");
    f.mode = 2;
    EXPECT_EQ(f.GetDescription(true), "过滤功能有效: 只要某一截面的数值落在区间(-∞,-2]和[8,+∞)内");
    f.on = 0;
    EXPECT_EQ(f.GetDescription(true), "过滤功能无效");
}

TEST(ResultDisplay, WallForceSections)
{
    DWallForce wall;
    wall.m_nID = 17;
    wall.nHoleKind = 0;
    ASSERT_TRUE(wall.AllocAndZeroMemoryAccordnHole());
    ASSERT_NE(wall.pPiece[0], nullptr);
    for (int i = 0; i < 12; ++i) wall.pPiece[0]->value[i] = i + 1;
    CResultDisp disp;
    DFrameForce f;
    ASSERT_EQ(disp.GetSectForceFromRecord(wall, f), 1);
    EXPECT_EQ(f.m_nID, 17);
    ASSERT_EQ(f.nSect, 2);
    const double first[7] = {0, 1, 2, 3, 9, 7, 8}, second[7] = {0, 4, 5, 6, 12, 10, 11};
    for (int c = 0; c < 7; ++c) {
        EXPECT_EQ(f.pSect[0][c], first[c]);
        EXPECT_EQ(f.pSect[1][c], second[c]);
    }

    // Walls with holes: three or four segments, unless the contour asks for
    // the whole wall; a missing array gives nothing.
    struct Case {
        int holeKind, contour, sections;
    };
    const Case cases[] = {{1, 0, 6}, {3, 0, 8}, {3, 15, 2}, {1, 15, 0}, {2, 0, 2}};
    for (const Case& c : cases) {
        DWallForce holed;
        holed.m_nID = 3;
        holed.nHoleKind = uint8_t(c.holeKind);
        ASSERT_TRUE(holed.AllocAndZeroMemoryAccordnHole());
        disp.contour.kind = uint8_t(c.contour);
        DFrameForce g;
        EXPECT_EQ(disp.GetSectForceFromRecord(holed, g), c.sections ? 1 : 0) << c.holeKind << " " << c.contour;
        if (c.sections) {
            EXPECT_EQ(g.nSect, c.sections) << c.holeKind << " " << c.contour;
        }
    }
    DWallForce holed;
    holed.nHoleKind = 1;
    ASSERT_TRUE(holed.AllocAndZeroMemoryAccordnHole());
    disp.contour.kind = 0;
    DWallForceElement* kept = nullptr;
    std::swap(kept, holed.pPiece[2]);
    EXPECT_EQ(disp.GetSectForceFromRecord(holed, f), 0);
    std::swap(kept, holed.pPiece[2]);
}

TEST(ResultDisplay, DisplacementScale)
{
    DispPicture p;
    p.CalcScale(100, 2);
    EXPECT_EQ(p.scale, 0);  // no picture
    p.kind = 3;
    p.largest = 0.05;
    p.CalcScale(100, 4);
    EXPECT_DOUBLE_EQ(p.scale, 100 / 0.05 / 4);

    // From the project's pixel setting and the view's pixels per unit.
    struct Projection : CModelProjection {
        double GetScale() const override { return 8; }
    } projection;
    CModelProjection* before = SetModelProjection(&projection);
    const int16_t pixels = theProjectOptions.nMaxDisplacementPixels;
    theProjectOptions.nMaxDisplacementPixels = 40;
    p.CalcScale();
    theProjectOptions.nMaxDisplacementPixels = pixels;
    SetModelProjection(before);
    EXPECT_DOUBLE_EQ(p.scale, 40 / 0.05 / 8);
}

// ---- captions

struct CaptionCase {
    const char* what;
    std::function<void(CResultDisp&)> show;
    const char* caption;
};

TEST(ResultCaptions, EachPictureNamesWhatItShows)
{
    theProjectOptions.nCurrentLoadCase = 2;
    theProjectOptions.nResultSelectors[0] = 3;
    theProjectOptions.nResultSelectors[1] = 1;
    const CaptionCase cases[] = {
        {"nothing", [](CResultDisp&) {}, ""},
        {"load-case picture",
         [](CResultDisp& d) {
             d.disp.kind = 11;
             d.disp.largest = 0.012345;
         },
         "荷载种类2的位移图  最大绝对值=0.01235"},
        {"diagram envelope",
         [](CResultDisp& d) {
             d.frameDiagram.elementKind = 2;
             d.frameDiagram.component = 2;
             d.frameDiagram.envelope = 1;
             d.frameDiagram.largest = 5;
             d.frameDiagram.smallest = -1.5;
         },
         "所有组合的最大、最小包络图：桁架单元1-2平面内的弯矩，最大值:5 最小值:-1.5"},
        {"diagram of the combination",
         [](CResultDisp& d) {
             d.frameDiagram.elementKind = 1;
             d.frameDiagram.largest = 2;
         },
         "内力组合3下梁柱单元轴力，最大值:2 最小值:0"},
        {"wall text per length",
         [](CResultDisp& d) {
             d.forceText.elementKind = 6;
             d.forceText.envelope = 2;
             d.forceText.first = 1;
             d.forceText.second = 4;
             d.forceText.perWallLength = 1;
         },
         "内力分量面内剪力Q11和面外弯矩M11绝对值之和最大所对应的一组内力(已除以墙长度)"},
        {"node values",
         [](CResultDisp& d) {
             d.nodeValues.kind = 2;
             d.nodeValues.component = 9;
             d.nodeValues.largest = 1.5;
         },
         "位移组合1位移平方和开方的最大位移值=1.5"},
        {"steel ratio",
         [](CResultDisp& d) {
             d.steelCheck.kind = 2;
             d.steelCheck.item = 4;
         },
         "所有组合所有截面下的最大[1-2平面长细比]与允许限值的比值"},
        {"reinforcement over all sections", [](CResultDisp& d) { d.rein.items = 0x11; },
         "显示\"上筋+箍筋\"在所有截面的配筋面积或箍筋间距"},
        {"reinforcement per section",
         [](CResultDisp& d) {
             d.rein.items = 0x02;
             d.rein.perSection = 1;
         },
         "显示\"下筋\"在各截面最大的配筋量和对应的配筋率"},
        {"torsion items alone", [](CResultDisp& d) { d.rein.items = 0x60; }, ""},
        {"axial ratio of the combination",
         [](CResultDisp& d) {
             d.axialRatio.kind = 1;
             d.axialRatio.largest = 0.456;
         },
         "内力组合3的最大轴压比:0.46"},
        {"joined in order",
         [](CResultDisp& d) {
             d.axialRatio.kind = 2;
             d.axialRatio.largest = 0.7;
             d.forceText.elementKind = 1;
         },
         "组合3的内力 所有内力组合的最大轴压比:0.7"},
    };
    for (const CaptionCase& c : cases) {
        CResultDisp disp;
        c.show(disp);
        EXPECT_EQ(disp.GetCaptionLine(), c.caption) << c.what;
    }
}

struct DrawnCaption {
    int x = -1, y = -1, h = -1;
    std::string text;
    int calls = 0;
};
DrawnCaption drawn;

TEST(ResultCaptions, TheLineStandsAtTheLowerRight)
{
    ResultCaptionCanvas saved = theResultCaptionCanvas;
    theResultCaptionCanvas.drawText = [](int x, int y, int h, const char* text) {
        drawn = {x, y, h, text, drawn.calls + 1};
    };
    drawn = {};
    CResultDisp disp;
    disp.DrawCaption(619, 400);
    EXPECT_EQ(drawn.calls, 0);  // an empty line draws nothing
    disp.steelCheck.kind = 1;
    disp.DrawCaption(619, 400);
    theResultCaptionCanvas = saved;
    ASSERT_EQ(drawn.calls, 1);
    EXPECT_EQ(drawn.h, 10);
    EXPECT_EQ(drawn.x, 599);
    EXPECT_EQ(drawn.y, 390);
    EXPECT_EQ(drawn.text, "所有组合所有截面下的最大[强度正应力]");
}

// Captions that read the result set: modes, time steps, buckling factors.
class ResultSetCaptions : public ::testing::Test {
protected:
    ResultSetCaptions() : model(resgen::MakeSmallModel()) {}
    void Open()
    {
        files = std::make_unique<ResultFiles>(model);
        ASSERT_EQ(theResult.SetFileName(files->Base().c_str(), 0, 1), 1);
    }
    ~ResultSetCaptions() override { theResult.SetZero(); }
    std::string Caption(int kind)
    {
        CResultDisp disp;
        disp.disp.kind = int16_t(kind);
        disp.disp.largest = 2;
        std::string text;
        disp.disp.GetCaption(text);
        return text;
    }
    resgen::Model model;
    std::unique_ptr<ResultFiles> files;
};

std::string Printf(const char* format, double a, double b = 0)
{
    char buf[200];
    std::snprintf(buf, sizeof buf, format, a, b);
    return buf;
}

TEST_F(ResultSetCaptions, ModeAndTimeStep)
{
    Open();
    theProjectOptions.nResultSelectors[2] = 4;
    const double T = model.ExpectPeriod(3);
    EXPECT_EQ(Caption(13), "第4阶振型: T=" + Printf("%.4g", T) + "秒 f=" + Printf("%.4g", 1 / T) + "Hz");
    theProjectOptions.nResultSelectors[3] = 2;
    EXPECT_EQ(Caption(6), "第2个响应点(时间=" + Printf("%6.3f", model.velTime[1]) + "秒)的速度响应  最大绝对值=2");
}

TEST_F(ResultSetCaptions, ReinforcementRecordsWhileItemsAreShown)
{
    Open();
    ASSERT_TRUE(vektest::WriteFileBytes(files->Base() + ".RC2", resgen::ReinforcementFile()));
    CResultDisp disp;
    disp.rein.items = 0x10;
    disp.rein.Fill();
    std::vector<int> ids;
    for (int i = 0; i < disp.rein.store.GetCount(); ++i) ids.push_back(disp.rein.store.GetAt(i)->m_nID);
    EXPECT_EQ(ids, (std::vector<int>{3, 6, 8}));
    disp.rein.items = 0;
    disp.rein.Fill();
    EXPECT_EQ(disp.rein.store.GetCount(), 0);
}

TEST_F(ResultSetCaptions, BucklingRangesAndAnOddCount)
{
    model.staFactor = {2, -1, -3, 4, -5, 0};
    Open();
    ASSERT_EQ(theResult.m_nBuckle, 6);
    const char* const want[] = {
        "内力组合1的第1个荷载比例因子λ=2，取值范围:-1<λ<2",  "内力组合1的第2个荷载比例因子λ=-1，取值范围:-1<λ<2",
        "内力组合2的第1个荷载比例因子λ=-3，取值范围:-3<λ<4", "内力组合2的第2个荷载比例因子λ=4，取值范围:-3<λ<4",
        "内力组合3的第1个荷载比例因子λ=-5，取值范围:λ>-5",   "内力组合3的第2个荷载比例因子λ=0，取值范围:λ>-5"};
    for (int m = 1; m <= 6; ++m) {
        theProjectOptions.nResultSelectors[5] = int16_t(m);
        EXPECT_EQ(Caption(8), want[m - 1]) << m;
    }
    // An odd count: the last factor has no partner; its range is its own.
    theResult.m_nBuckle = 3;
    theProjectOptions.nResultSelectors[5] = 3;
    EXPECT_EQ(Caption(18), "内力组合2的第1个荷载比例因子λ=-3，取值范围:λ>-3");
}

}  // namespace
