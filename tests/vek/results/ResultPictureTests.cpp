// The result pictures over a generated result set and fake node and beam
// families: deformed shapes in the nodes, the largest displacement, animation
// frames and their playback order, and the beam force diagram.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "tests/support/AppHelpersStandIn.h"
#include "tests/vek/model/ModelTestSupport.h"
#include "tests/vek/results/ResultFiles.h"
#include "vek/model/ModelFamily.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/geometry/ViewGeometry.h"
#include "vek/results/Result.h"
#include "vek/results/ResultChoices.h"
#include "vek/results/ResultCounts.h"
#include "vek/results/ResultDisp.h"
#include "vek/results/ResultDraw.h"
#include "vek/results/ResultPictures.h"

namespace {

using resgen::Row6;
using restest::ResultFiles;

// Nodes 1..n at the result set's coordinates; keeps what the pictures store.
class FakeNodes : public CModelFamily {
public:
    explicit FakeNodes(std::vector<resgen::Xyz> xyz) : xyz(std::move(xyz)), disp(this->xyz.size())
    {
        previous = RegisterModelFamily(EFamily::Nodes, this);
    }
    ~FakeNodes() override { RegisterModelFamily(EFamily::Nodes, previous); }
    int GetCount() const override { return int(xyz.size()); }
    int GetID(int pos) const override { return pos + 1; }
    int IndexOfID(int id) const override { return id >= 1 && id <= GetCount() ? id - 1 : -1; }
    bool GetCoordinates(int id, double out[3]) const override
    {
        if (IndexOfID(id) < 0) return false;
        std::copy(xyz[size_t(id - 1)].begin(), xyz[size_t(id - 1)].end(), out);
        return true;
    }
    void SetDisplacement(int pos, const double d[3]) override { std::copy(d, d + 3, disp[size_t(pos)].begin()); }
    void SetDisplacementScale(double k) override { scale = k; }

    std::vector<resgen::Xyz> xyz;
    std::vector<resgen::Xyz> disp;
    double scale = -1;
    CModelFamily* previous;
};

// Beams by number with their two end nodes.
class FakeFrames : public CModelFamily {
public:
    explicit FakeFrames(std::vector<std::array<int, 3>> beams) : beams(std::move(beams))
    {
        previous = RegisterModelFamily(EFamily::Frames, this);
    }
    ~FakeFrames() override { RegisterModelFamily(EFamily::Frames, previous); }
    int GetCount() const override { return int(beams.size()); }
    int GetID(int pos) const override { return beams[size_t(pos)][0]; }
    int IndexOfID(int id) const override
    {
        for (size_t i = 0; i < beams.size(); ++i)
            if (beams[i][0] == id) return int(i);
        return -1;
    }
    int GetNodes(int pos, int* out, int max) const override
    {
        for (int k = 0; k < std::min(max, 2); ++k) out[k] = beams[size_t(pos)][size_t(k + 1)];
        return 2;
    }
    std::vector<std::array<int, 3>> beams;
    CModelFamily* previous;
};

class PictureTest : public ::testing::Test {
protected:
    PictureTest() : model(Plain(resgen::MakeSmallModel())), files(model) {}
    static resgen::Model Plain(resgen::Model m)
    {
        m.u30.clear();
        m.u7.clear();
        return m;
    }
    void SetUp() override
    {
        ASSERT_EQ(theResult.SetFileName(files.Base().c_str(), 0, 1), 1);
        theProjectOptions.SetDefaults();
        theResultDisp.CloseAll(0);
    }
    void TearDown() override
    {
        theResultDisp.CloseAll(0);
        theResult.SetZero();
        theResultPictureHooks = ResultPictureHooks();
    }
    std::vector<resgen::Xyz> FirstNodes(int n) const { return {model.xyz.begin(), model.xyz.begin() + n}; }

    resgen::Model model;
    ResultFiles files;
    vektest::AppHelperLog log;
    vektest::RecordingHooks hooks;
};

TEST_F(PictureTest, DeformedShapesPutEachKindsDisplacementsIntoTheNodes)
{
    FakeNodes nodes(FirstNodes(9));
    struct Case {
        int kind;
        int selector;
        int value;
        const std::vector<Row6>* truth;
    } cases[] = {
        {1, kSelLoadCase, 2, &model.dis[1]},
        {2, kSelDisplacementCombination, 1, &model.dis[size_t(model.cases)]},
        {3, kSelMode, 4, &model.vec[3]},
        {4, kSelEarthquakeDirection, 2, &model.equ[1]},
        {9, kSelConstructionStep, 1, &model.acd[0]},
    };
    for (const Case& c : cases) {
        SetResultSelectorValue(c.selector, c.value);
        ASSERT_TRUE(ShowDispPicture(c.kind)) << c.kind;
        EXPECT_EQ(theResultDisp.disp.kind, c.kind);
        const std::vector<Row6> expect = model.Expect(*c.truth, 9);
        double largest = 0;
        for (int i = 0; i < 9; ++i)
            for (int k = 0; k < 3; ++k) {
                EXPECT_DOUBLE_EQ(nodes.disp[size_t(i)][size_t(k)], expect[size_t(i)][size_t(k)]) << c.kind;
                largest = std::max(largest, std::fabs(expect[size_t(i)][size_t(k)]));
            }
        EXPECT_DOUBLE_EQ(theResultDisp.disp.largest, largest) << c.kind;
    }
    EXPECT_TRUE(log.Messages().empty());

    // Closing the picture puts the nodes back where they are.
    theResultDisp.CloseAll(0);
    for (const auto& d : nodes.disp) EXPECT_EQ(d, (resgen::Xyz{0, 0, 0}));
}

TEST_F(PictureTest, UnreadableOrMismatchedResultsShowNoPicture)
{
    {
        // A model grown since the run has more nodes than the result.
        FakeNodes nodes(FirstNodes(12));
        EXPECT_FALSE(ShowDispPicture(1));
        EXPECT_EQ(theResultDisp.disp.kind, 0);
        ASSERT_EQ(log.Messages().size(), 1u);
        EXPECT_NE(log.Messages()[0].text.find("节点数"), std::string::npos);
        for (const auto& d : nodes.disp) EXPECT_EQ(d, (resgen::Xyz{0, 0, 0}));
    }
    FakeNodes nodes(FirstNodes(9));
    SetResultSelectorValue(kSelMode, 7);  // no such mode
    EXPECT_FALSE(ShowDispPicture(3));
    EXPECT_EQ(theResultDisp.disp.kind, 0);
    ASSERT_EQ(log.Messages().size(), 2u);
    EXPECT_EQ(log.Messages()[1].text, "#160");
}

TEST(LargestDisplacement, TranslationsOrAQuarterSpanOfRotations)
{
    const double moved[2][6] = {{0.1, -0.3, 0.2, 5, 5, 5}, {0, 0, -0.25, 0, 0, 0}};
    EXPECT_DOUBLE_EQ(LargestDisplacement(moved, 2, 10), 0.3);
    // Pure torsion: a quarter of the span times the largest rotation.
    const double twisted[2][6] = {{0, 0, 0, 0.01, 0, 0}, {0, 0, 0, 0, 0, -0.04}};
    EXPECT_DOUBLE_EQ(LargestDisplacement(twisted, 2, 8), 8 * 0.25 * 0.04);
    const double still[1][6] = {{0, 0, 0, 0, 0, 0}};
    // Nothing moves: a tiny positive normaliser, never zero.
    const double none = LargestDisplacement(still, 1, 8);
    EXPECT_GT(none, 0);
    EXPECT_LT(none, 1e-18);
}

std::vector<int>& Pixels()
{
    static std::vector<int> p;
    return p;
}

TEST_F(PictureTest, AnimatedModeShapeSwingsAndUnwrittenFramesStopTheCapture)
{
    FakeNodes nodes(FirstNodes(9));
    Pixels().clear();
    static int failAt = 0, played = 0;
    failAt = 0;
    played = 0;
    theResultPictureHooks.captureFrame = [](const char* path) {
        Pixels().push_back(theProjectOptions.nMaxDisplacementPixels);
        EXPECT_EQ(std::string(path), AnimationFrameFile(theResultDisp.disp.currentFrame));
        return int(Pixels().size()) != failAt;
    };
    theResultPictureHooks.play = [] { ++played; };
    theProjectOptions.nMaxDisplacementPixels = 100;
    theProjectOptions.nAnimationFrames = 1;  // raised to two
    SetResultSelectorValue(kSelMode, 1);
    ASSERT_TRUE(ShowDispPicture(13));
    EXPECT_EQ(Pixels(), (std::vector<int>{-75, 75}));
    EXPECT_EQ(theProjectOptions.nAnimationFrames, 2);
    EXPECT_EQ(theProjectOptions.nMaxDisplacementPixels, 100);
    EXPECT_EQ(theResultDisp.disp.frameCount, 2);
    EXPECT_EQ(played, 1);
    EXPECT_TRUE(log.Messages().empty());

    // A load case grows from nothing; the third frame is not written.
    Pixels().clear();
    failAt = 3;
    theProjectOptions.nAnimationFrames = 5;
    ASSERT_TRUE(ShowDispPicture(11));
    EXPECT_EQ(Pixels(), (std::vector<int>{0, 25, 50}));
    EXPECT_EQ(theResultDisp.disp.frameCount, 2);
    EXPECT_EQ(played, 2);
    ASSERT_EQ(log.Messages().size(), 1u);
    EXPECT_NE(log.Messages()[0].text.find("2帧"), std::string::npos);
    EXPECT_EQ(theProjectOptions.nMaxDisplacementPixels, 100);
}

TEST(AnimationFrames, BackAndForthOrLoopAndOneFrameStaysPut)
{
    struct Case {
        int n, kind;
        std::vector<int> shown;
    } cases[] = {
        {4, 11, {1, 2, 3, 4, 4, 3, 2, 1, 2, 3, 4}},
        {4, 16, {1, 2, 3, 4, 4, 3, 2, 1, 2}},
        {4, 15, {1, 2, 3, 4, 1, 2, 3, 4, 1}},
        {1, 13, {1, 1, 1, 1}},
        {1, 15, {1, 1, 1}},
        {2, 13, {1, 2, 2, 1, 2, 2, 1}},
    };
    for (const Case& c : cases) {
        std::vector<int> shown;
        int f = 0;
        for (size_t i = 0; i < c.shown.size(); ++i) {
            f = NextAnimationFrame(f, c.n, c.kind);
            shown.push_back(std::abs(f));
        }
        EXPECT_EQ(shown, c.shown) << c.n << " " << c.kind;
    }
}

TEST_F(PictureTest, BeamDiagramOfACombinationAndItsEnvelopes)
{
    FakeNodes nodes(FirstNodes(9));
    // Beams 5 (length 3), 2 (length 4) and 9 (length 2) of the result set.
    FakeFrames frames({{{5, 1, 3}}, {{2, 1, 2}}, {{9, 3, 6}}});
    theProjectOptions.nForceDiagramSize = 10;
    const double span = ModelSpan();
    EXPECT_DOUBLE_EQ(span, 5);  // y runs 0..5
    FrameForceDiagram& d = theResultDisp.frameDiagram;
    const int component = 2;  // moment in the 1-2 plane
    auto truth = [&](int id) -> const resgen::FrameRec& {
        return *std::find_if(model.u3.begin(), model.u3.end(),
                             [&](const resgen::FrameRec& r) { return r.element == id; });
    };

    SetResultSelectorValue(kSelForceCombination, 2);
    d.elementKind = 1;
    d.component = component;
    d.envelope = 0;
    ASSERT_TRUE(UpdateFrameDiagram());
    ASSERT_EQ(d.members.size(), 3u);
    double hi = -1e300, lo = 1e300;
    for (const DiagramMember& m : d.members) {
        const resgen::FrameRec& r = truth(m.m_nID);
        ASSERT_EQ(m.sect.size(), r.pos.size());
        for (size_t s = 0; s < r.pos.size(); ++s) {
            EXPECT_DOUBLE_EQ(m.sect[s][0], r.pos[s]);
            EXPECT_DOUBLE_EQ(m.sect[s][1], r.force[1][s][component]);
            hi = std::max(hi, r.force[1][s][component]);
            lo = std::min(lo, r.force[1][s][component]);
        }
    }
    EXPECT_DOUBLE_EQ(d.largest, hi);
    EXPECT_DOUBLE_EQ(d.smallest, lo);
    EXPECT_FLOAT_EQ(d.scale, float(span * 10 / 100 / std::max(std::fabs(hi), std::fabs(lo))));

    // The stations run 0..1 along each beam.
    const DiagramMember& five =
        *std::find_if(d.members.begin(), d.members.end(), [](const DiagramMember& m) { return m.m_nID == 5; });
    int ends[2];
    std::vector<CLineStation> stations;
    ASSERT_TRUE(DiagramStations(five, ends, stations));
    EXPECT_EQ(ends[0], 1);
    EXPECT_EQ(ends[1], 3);
    ASSERT_EQ(stations.size(), 3u);
    EXPECT_DOUBLE_EQ(stations[1].position, 0.5);
    EXPECT_DOUBLE_EQ(stations[2].position, 1.0);

    // Maximum and minimum over all combinations, and the largest absolute value.
    for (int envelope : {1, 2}) {
        d.envelope = uint8_t(envelope);
        ASSERT_TRUE(UpdateFrameDiagram());
        for (const DiagramMember& m : d.members) {
            const resgen::FrameRec& r = truth(m.m_nID);
            for (size_t s = 0; s < r.pos.size(); ++s) {
                double mx = -1e300, mn = 1e300, big = 0;
                for (const auto& set : r.force) {
                    const double v = set[s][component];
                    mx = std::max(mx, v);
                    mn = std::min(mn, v);
                    if (std::fabs(v) > std::fabs(big)) big = v;
                }
                if (envelope == 1) {
                    EXPECT_DOUBLE_EQ(m.sect[s][1], mx);
                    EXPECT_DOUBLE_EQ(m.sect[s][2], mn);
                } else {
                    EXPECT_DOUBLE_EQ(m.sect[s][1], big);
                }
            }
        }
    }

    // A beam the model no longer has gives no stations; a new combination
    // refreshes the diagram through the selector.
    FakeFrames none({});
    EXPECT_FALSE(DiagramStations(five, ends, stations));
    d.envelope = 0;
    SetResultSelectorValue(kSelForceCombination, 1);
    theResultDisp.OnForceCombChanged();
    EXPECT_DOUBLE_EQ(d.members[0].sect[0][1], truth(d.members[0].m_nID).force[0][0][component]);
    EXPECT_GE(hooks.invalidated, 1);
}

TEST_F(PictureTest, TheResultPassScalesTheNodesBeforeTheyAreDrawn)
{
    FakeNodes nodes(FirstNodes(9));
    ASSERT_TRUE(ShowDispPicture(1));
    DrawResultPass();
    EXPECT_DOUBLE_EQ(nodes.scale, theResultDisp.disp.scale);
    theResultDisp.CloseAll(0);
    DrawResultPass();
    EXPECT_EQ(nodes.scale, 0);
}

TEST_F(PictureTest, ThePictureDialogOffersWhatTheResultHolds)
{
    bool on[kDispPictureChoices];
    theResult.ClampSelection();
    DispPictureChoices(on);
    // Every still kind of the small set is there; of the time history only
    // the quantities it holds; animations of the time history are not offered.
    const bool hist[3] = {(theResult.m_nHistKind & 1) != 0, (theResult.m_nHistKind & 2) != 0,
                          (theResult.m_nHistKind & 4) != 0};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(on[i], i < 4 || i > 6 ? true : hist[i - 4]) << i;
    for (int i = 13; i <= 15; ++i) EXPECT_FALSE(on[i]) << i;
    EXPECT_TRUE(on[9] && on[12] && on[16] && on[17]);
    EXPECT_EQ(DispPictureKindOf(0), 1);
    EXPECT_EQ(DispPictureKindOf(8), 9);
    EXPECT_EQ(DispPictureKindOf(9), 11);
    EXPECT_EQ(DispPictureKindOf(17), 19);

    // The shown picture's choice, else the first that is there.
    EXPECT_EQ(StartDispPictureChoice(on, 13), 11);
    on[11] = false;
    EXPECT_EQ(StartDispPictureChoice(on, 13), 0);
    on[0] = false;
    EXPECT_EQ(StartDispPictureChoice(on, 0), 1);

    // A stage picture needs two stages; a missing selection greys its kind.
    SetResultSelectorValue(kSelMode, 0);
    DispPictureChoices(on);
    EXPECT_FALSE(on[2]);
    EXPECT_FALSE(on[11]);

    // Nothing loaded: nothing offered, and the scan ends.
    theResult.SetZero();
    EXPECT_EQ(DispPictureChoices(on), 0);
    EXPECT_EQ(StartDispPictureChoice(on, 1), -1);
}

TEST_F(PictureTest, NodeValuesLabelTheNodesThroughTheFilter)
{
    FakeNodes nodes(FirstNodes(9));
    NodeDispValues& nv = theResultDisp.nodeValues;
    SetResultSelectorValue(kSelDisplacementCombination, 2);
    nv.kind = 2;
    nv.component = 2;
    ASSERT_TRUE(FillNodeValues());
    const std::vector<Row6> expect = model.Expect(model.dis[size_t(model.cases + 1)], 9);
    ASSERT_EQ(nv.values.size(), 9u);
    double largest = 0;
    for (int i = 0; i < 9; ++i) {
        EXPECT_DOUBLE_EQ(nv.values[size_t(i)], expect[size_t(i)][2]);
        if (std::fabs(expect[size_t(i)][2]) > std::fabs(largest)) largest = expect[size_t(i)][2];
    }
    EXPECT_DOUBLE_EQ(nv.largest, largest);  // with its sign

    // The node labels: every node, then only those the filter lets through.
    double v = 0;
    ASSERT_TRUE(NodeResultValue(3, v));
    EXPECT_DOUBLE_EQ(v, expect[2][2]);
    EXPECT_FALSE(NodeResultValue(10, v)) << "a node the result lacks";
    ResultFilter& f = theResultDisp.filter;
    f.on = 1;
    f.mode = 0;
    f.lowerPercent = 99;
    f.upperPercent = 100;
    int shown = 0;
    for (int id = 1; id <= 9; ++id) shown += NodeResultValue(id, v) ? 1 : 0;
    EXPECT_EQ(shown, 1);
    f = ResultFilter();

    // The resultant; a stage the result lacks: no values and the message.
    nv.component = 6;
    ASSERT_TRUE(FillNodeValues());
    EXPECT_DOUBLE_EQ(nv.values[4], std::sqrt(expect[4][0] * expect[4][0] + expect[4][1] * expect[4][1] +
                                             expect[4][2] * expect[4][2]));
    SetResultSelectorValue(kSelConstructionStep, 7);
    nv.kind = 4;
    EXPECT_FALSE(FillNodeValues());
    EXPECT_EQ(nv.kind, 0);
    EXPECT_FALSE(NodeResultValue(3, v));
    ASSERT_EQ(log.Messages().size(), 1u);
    EXPECT_EQ(log.Messages()[0].text, "#160");
}

TEST(DiagramChoices, KindsWithoutMembersMoveOnOnceRound)
{
    const bool some[4] = {false, true, false, true};
    EXPECT_EQ(NextChoiceWith(some, 4, 0), 1);
    EXPECT_EQ(NextChoiceWith(some, 4, 2), 3);
    EXPECT_EQ(NextChoiceWith(some, 4, 3), 3);
    const bool none[4] = {};
    EXPECT_EQ(NextChoiceWith(none, 4, 2), -1);
    bool kinds[4];
    {
        FakeFrames frames(std::vector<std::array<int, 3>>{{1, 1, 2}});
        EXPECT_EQ(DiagramKindChoices(kinds), 1);
        EXPECT_TRUE(kinds[0]);
    }
    EXPECT_EQ(DiagramKindChoices(kinds), 0);
}

}  // namespace
