// The result set over generated solver files: frame numbering across the
// three beam groups, the project block of the offsets, the member
// displacement, node stages and the spectrum section of the data file.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "korvalib/base/biostream.h"
#include "korvalib/model/CommonData.h"
#include "tests/vek/results/ResultFiles.h"
#include "tests/support/AppHelpersStandIn.h"
#include "tests/vek/model/ModelTestSupport.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/analysis/SpectrumSettings.h"
#include "vek/results/Result.h"

namespace {

using restest::ResultFiles;

std::vector<int> Ids(MArrayID<DFrameForce>& store)
{
    std::vector<int> ids;
    for (int i = 0; i < store.GetCount(); ++i) ids.push_back(store.GetAt(i)->m_nID);
    return ids;
}

// The frames of a model with its kind per position, bound for one test.
struct FrameKinds {
    static std::vector<int>& Kinds()
    {
        static std::vector<int> k;
        return k;
    }
    FrameKinds(std::vector<int> kinds)
    {
        Kinds() = std::move(kinds);
        theResultModelLinks.frameKind = [](int pos) {
            return pos >= 0 && pos < int(Kinds().size()) ? Kinds()[pos] : 0;
        };
    }
    ~FrameKinds() { theResultModelLinks.frameKind = nullptr; }
};

class ResultSetTest : public ::testing::Test {
protected:
    ResultSetTest() : files(resgen::MakeSmallModel()) {}
    void SetUp() override { ASSERT_EQ(result.SetFileName(files.Base().c_str(), 0, 1), 1); }
    ResultFiles files;
    CResult result;
};

TEST_F(ResultSetTest, CombinedFrameForcesCarryTheModelNumbers)
{
    result.m_nSframeIdOffset = 120;
    result.m_nVframeIdOffset = 200;
    MArrayID<DFrameForce> store(0, 128);
    ASSERT_EQ(result.GetCombAllFrameForce(1, store), 1);
    EXPECT_EQ(Ids(store), (std::vector<int>{2, 5, 9, 121, 123, 204}));

    // The steel frame 1 of the file is frame 121 with the steel file's forces.
    MArrayID<DFrameForce> steel(0, 128);
    ASSERT_EQ(result.GetOneCombAllSframeForce(1, steel), 1);
    const DFrameForce* mine = store.GetAt(3);
    const DFrameForce* file = steel.GetAt(0);
    ASSERT_EQ(file->m_nID, 1);
    ASSERT_EQ(mine->nSect, file->nSect);
    for (int s = 0; s < file->nSect; ++s)
        for (int c = 0; c < 7; ++c) EXPECT_EQ(mine->pSect[s][c], file->pSect[s][c]);
}

TEST(ResultFrames, WithoutSteelOrVariableFramesTheStoreIsThePlainReaders)
{
    resgen::Model m = resgen::MakeSmallModel();
    m.u30.clear();
    m.u7.clear();
    ResultFiles files(m);
    CResult result;
    ASSERT_EQ(result.SetFileName(files.Base().c_str(), 0, 1), 1);
    result.m_nSframeIdOffset = 120;
    MArrayID<DFrameForce> combined(0, 128), plain(0, 128);
    ASSERT_EQ(result.GetCombAllFrameForce(2, combined), 1);
    ASSERT_EQ(result.GetOneCombAllFrameForce(2, plain), 1);
    EXPECT_EQ(Ids(combined), Ids(plain));
}

TEST_F(ResultSetTest, SequentialReaderWalksThePlainSteelAndVariableFiles)
{
    result.m_nSframeIdOffset = 120;
    result.m_nVframeIdOffset = 200;
    bifstream in;
    MArrayID<DFrameForce> store(0, 128);
    std::vector<int> walked;
    int element = 0;
    while (result.RecycleGetOneFrameForce(in, element, store)) {
        walked.push_back(element);
        ASSERT_LT(walked.size(), 20u);
    }
    EXPECT_EQ(walked, (std::vector<int>{5, 2, 9, 123, 121, 204}));
    EXPECT_EQ(result.m_nRecycleStage, 0);
    // The walk closed the stream: the next call starts a new walk.
    ASSERT_EQ(result.RecycleGetOneFrameForce(in, element, store), 1);
    EXPECT_EQ(element, 5);
}

TEST_F(ResultSetTest, OneFrameIsReadFromItsKindsFile)
{
    vektest::FakeFamily frames(EFamily::Frames);
    frames.Element(5, {1, 2});
    frames.Element(121, {2, 3});
    frames.Element(204, {3, 4});
    FrameKinds kinds({0, 1, 3});
    result.m_nSframeIdOffset = 120;
    result.m_nVframeIdOffset = 200;

    MArrayID<DFrameForce> got(0, 128), want(0, 128);
    ASSERT_EQ(result.GetFrameAllCombForce(121, got), 1);
    ASSERT_EQ(result.GetOneSframeAllCombForce(1, want), 1);
    EXPECT_EQ(got.GetCount(), want.GetCount());
    EXPECT_EQ(got.GetAt(0)->pSect[0][1], want.GetAt(0)->pSect[0][1]);

    ASSERT_EQ(result.GetFrameAllCombForce(204, got), 1);
    ASSERT_EQ(result.GetOneVframeAllCombForce(4, want), 1);
    EXPECT_EQ(got.GetAt(0)->pSect[0][1], want.GetAt(0)->pSect[0][1]);

    ASSERT_EQ(result.GetFrameAllCombForce(5, got), 1);
    // A number that is no frame of the model reads nothing.
    EXPECT_EQ(result.GetFrameAllCombForce(9, got), 0);
}

TEST_F(ResultSetTest, SolidStressesFollowTheSolidType)
{
    const uint8_t saved = theProjectOptions.n3DElementType;
    std::vector<double> a(size_t(result.m_nResultNode) * 9), b(a.size());
    auto* pa = reinterpret_cast<double(*)[9]>(a.data());
    auto* pb = reinterpret_cast<double(*)[9]>(b.data());
    theProjectOptions.n3DElementType = 0;
    ASSERT_EQ(result.GetSolidStress(1, pa), 1);
    ASSERT_EQ(result.GetOneCombSol21Stress(1, pb), 1);
    EXPECT_EQ(a, b);
    theProjectOptions.n3DElementType = 2;
    EXPECT_EQ(result.GetSolidStress(1, pa), 0);
    theProjectOptions.n3DElementType = saved;
}

// ---- the offsets' project block

TEST(ResultOffsets, RoundTripOlderFilesAndDamage)
{
    CResult result;
    result.m_nSframeIdOffset = 120;
    result.m_nVframeIdOffset = 7;
    const vektest::Bytes bytes = vektest::WriteBlock([&](bofstream& out) { return result.WriteFrameIdOffsets(out); });
    ASSERT_EQ(bytes, (vektest::Bytes{120, 0, 0, 0, 7, 0, 0, 0}));

    CResult read;
    {
        vektest::ProjectVersion v(706);
        long rest = -1;
        EXPECT_TRUE(vektest::ReadBlock(
            bytes, [&](bifstream& in) { return read.ReadFrameIdOffsets(in); }, &rest));
        EXPECT_EQ(read.m_nSframeIdOffset, 120);
        EXPECT_EQ(read.m_nVframeIdOffset, 7);
        EXPECT_EQ(rest, 0);
    }
    {
        // Before version 700 there is no such block: nothing is read, both 0.
        vektest::ProjectVersion v(699);
        long rest = -1;
        EXPECT_TRUE(vektest::ReadBlock(
            bytes, [&](bifstream& in) { return read.ReadFrameIdOffsets(in); }, &rest));
        EXPECT_EQ(read.m_nSframeIdOffset, 0);
        EXPECT_EQ(read.m_nVframeIdOffset, 0);
        EXPECT_EQ(rest, 8);
    }
    vektest::ProjectVersion v(700);
    read.m_nSframeIdOffset = 3;
    read.m_nVframeIdOffset = 4;
    const vektest::Bytes damaged[] = {{120, 0, 0, 0, 7, 0}, {0xFF, 0xFF, 0xFF, 0xFF, 7, 0, 0, 0}};
    for (const vektest::Bytes& d : damaged) {
        EXPECT_FALSE(vektest::ReadBlock(d, [&](bifstream& in) { return read.ReadFrameIdOffsets(in); }));
        EXPECT_EQ(read.m_nSframeIdOffset, 3);
        EXPECT_EQ(read.m_nVframeIdOffset, 4);
    }
}

TEST(ResultOffsets, SetZeroClearsThemAndMarksTheProjectOnlyWhenTheyWereSet)
{
    CResult result;
    vektest::AppHelperLog log;
    result.SetZero();
    EXPECT_EQ(log.LastModified(), -1);
    result.m_nVframeIdOffset = 5;
    result.SetZero();
    EXPECT_EQ(log.LastModified(), 1);
    EXPECT_EQ(result.m_nVframeIdOffset, 0);
    EXPECT_FALSE(result.Good());
}

// ---- largest member displacement

class MemberDisplacement : public ::testing::Test {
protected:
    // Three nodes: 1 fixed, 2 at (1,0,0) and 3 at (3,0,0); two load cases.
    MemberDisplacement() : model(resgen::MakeLargeModel(3, 2, 0)), nodes(EFamily::Nodes)
    {
        nodes.Node(1, 0, 0, 0);
        nodes.Node(2, 1, 0, 0);
        nodes.Node(3, 3, 0, 0);
    }
    void Open()
    {
        files = std::make_unique<ResultFiles>(model);
        ASSERT_EQ(result.SetFileName(files->Base().c_str(), 0, 1), 1);
    }
    resgen::Model model;
    vektest::FakeFamily nodes;
    std::unique_ptr<ResultFiles> files;
    CResult result;
};

// |t - 3t^2 + 2t^3|, the shape of equal end rotations, at the sample points.
double LargestEqualRotationShape()
{
    double largest = 0;
    for (int s = 0; s <= 50; ++s) {
        const double t = s / 50.0;
        largest = std::max(largest, std::fabs(t - 3 * t * t + 2 * t * t * t));
    }
    return largest;
}

TEST_F(MemberDisplacement, BentAndMovedMembers)
{
    const double phi = 0.01;
    // Case 1: equal rotations about z at both ends, no translation.
    model.dis[0][1] = {0, 0, 0, 0, 0, phi};
    model.dis[0][2] = {0, 0, 0, 0, 0, phi};
    // Case 2: both ends moved alike: the chord moves, the member stays straight.
    model.dis[1][1] = {0.1, 0.2, -0.2, 0, 0, 0};
    model.dis[1][2] = {0.1, 0.2, -0.2, 0, 0, 0};
    Open();
    double out[2] = {-1, -1};
    ASSERT_EQ(result.GetMaxFrameDisplacement(2, 3, out), 1);
    const double len = 2;
    EXPECT_NEAR(out[0], len * LargestEqualRotationShape() * std::hypot(std::sin(phi), 1 - std::cos(phi)), 1e-12);
    EXPECT_NEAR(out[1], 0.3, 1e-12);
}

TEST_F(MemberDisplacement, ZeroLengthMemberStillGivesItsMovement)
{
    nodes.Node(4, 1, 0, 0);  // on node 2, outside the result set
    model.dis[0][1] = {0, 0.5, 0, 0, 0, 0};
    Open();
    double out[2] = {-1, -1};
    ASSERT_EQ(result.GetMaxFrameDisplacement(2, 2, out), 1);
    EXPECT_NEAR(out[0], 0.5, 1e-12);
}

TEST_F(MemberDisplacement, AFailedReadIsNotAZero)
{
    Open();
    nodes.Node(7, 5, 0, 0);  // a node beyond the result set
    double out[2] = {-1, -1};
    EXPECT_EQ(result.GetMaxFrameDisplacement(2, 7, out), 0);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[1], 0);
    EXPECT_EQ(result.GetMaxFrameDisplacement(2, 99, out), 0);  // no such node in the model
}

// ---- node stages

TEST(ResultStages, NodesTakeTheEarliestStageOfTheirElements)
{
    vektest::FakeFamily nodes(EFamily::Nodes, true);
    for (int id = 1; id <= 8; ++id) nodes.Node(id, id, 0, 0).stage = 99;
    vektest::FakeFamily frames(EFamily::Frames, true), shells(EFamily::Shells, true), solids(EFamily::Solids, true);
    frames.Element(1, {1, 2}).stage = 3;
    frames.Element(2, {2, 3}).stage = -2;  // fixed by the user: its magnitude counts
    shells.Element(1, {3, 4, 5, 0}).stage = 1;
    solids.Element(1, {6, 5, 4, 3, 2, 1}).stage = 4;
    FrameKinds kinds({1, 2});
    theResultModelLinks.linkedNode = [](int node) { return node == 5 ? 7 : 0; };

    CResult result;
    result.m_nConstr = 5;
    result.ComputeNodeStages();
    theResultModelLinks.linkedNode = nullptr;

    std::vector<int> stages;
    for (int id = 1; id <= 8; ++id) stages.push_back(nodes.ByID(id)->stage);
    // Node 7 follows node 5; node 8 belongs to no element and keeps the count.
    EXPECT_EQ(stages, (std::vector<int>{3, 2, 1, 1, 1, 4, 1, 5}));
    EXPECT_EQ(result.m_bHasFrames, 0);
    EXPECT_EQ(result.m_bHasSframes, 1);
    EXPECT_EQ(result.m_bHasVframes, 1);
}

TEST(ResultStages, AFailedOpenLeavesStagesAndSelectionAlone)
{
    vektest::FakeFamily nodes(EFamily::Nodes, true);
    nodes.Node(1, 0, 0, 0).stage = 42;
    vektest::TempDir dir("none");
    CResult result;
    EXPECT_EQ(result.SetFileName(dir.File("missing").c_str(), 0, 0), 0);
    EXPECT_EQ(nodes.ByID(1)->stage, 42);
}

TEST(ResultSelection, OpeningClampsTheSelectionToTheCounts)
{
    ResultFiles files(resgen::MakeSmallModel());  // 3 cases, 3 sets, 2 combinations, 4 modes, 2 stages
    vektest::RecordingHooks hooks;
    theProjectOptions.nCurrentLoadCase = 4;
    const int16_t selectors[6] = {3, 3, 4, 0, 1, 7};
    std::memcpy(theProjectOptions.nResultSelectors, selectors, sizeof selectors);
    theProjectOptions.nHighestStage = 10000;
    ASSERT_EQ(theResult.SetFileName(files.Base().c_str(), 0, 1), 1);
    EXPECT_EQ(theProjectOptions.nCurrentLoadCase, 1);
    const int16_t want[6] = {3, 1, 4, 1, 1, 1};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(theProjectOptions.nResultSelectors[i], ResultCountOf(i + 1) < 1 ? 0 : want[i]) << "selector " << i;
    EXPECT_EQ(theProjectOptions.nHighestStage, 2);  // the last stage, not the first
    EXPECT_GE(hooks.resultSelectors, 1);
    theResult.SetZero();
}

// ---- the spectrum section

class SpectrumSection : public ::testing::Test {
protected:
    SpectrumSection() : files(resgen::MakeSmallModel()), saved(theSpectrumParameters) {}
    ~SpectrumSection() override { theSpectrumParameters = saved; }
    int Read(const std::string& text)
    {
        files.WriteDataFile(text);
        if (!result.SetFileName(files.Base().c_str(), 0, 1)) return -1;
        DSpectrumDir junk(9, 9, 9, 9, 9);
        result.m_SpectrumDirs.RemoveAll();
        result.m_SpectrumDirs.Add(junk);
        return result.ReadSpectrumSection();
    }
    std::vector<std::vector<float>> Dirs()
    {
        std::vector<std::vector<float>> d;
        for (int i = 0; i < result.m_SpectrumDirs.GetCount(); ++i) {
            const DSpectrumDir* r = result.m_SpectrumDirs.GetAt(i);
            d.push_back({float(r->m_sCode), r->m_fDir[0], r->m_fDir[1], r->m_fDir[2], r->m_fFactor});
        }
        return d;
    }
    ResultFiles files;
    CSpectrumSettings saved;
    CResult result;
};

TEST_F(SpectrumSection, DirectionsModesAndCodeCurve)
{
    ASSERT_EQ(Read("TITLE\nSPECTRUM\nN=2 U=1 K=3 V=2 4 5 F=0.85 Q=1 E=0.5 0.25 D=0.05 0.04\n"
                   "1 S=1 I=8 2 ACC=1 M=3 2 T=0.4\n"
                   "M=1 D=1 0 0 1\n"
                   "M=2\n"
                   "END\n"),
              1);
    // The list starts empty; the second line keeps the first line's direction.
    EXPECT_EQ(Dirs(), (std::vector<std::vector<float>>{{1, 1, 0, 0, 1}, {2, 1, 0, 0, 1}}));
    const CSpectrumSettings& s = theSpectrumParameters;
    ASSERT_EQ(s.modes.GetSize(), 3);
    EXPECT_EQ(*const_cast<CSpectrumSettings&>(s).modes.GetAt(2), 5);
    EXPECT_FLOAT_EQ(*const_cast<CSpectrumSettings&>(s).dampings.GetAt(1), 0.04f);
    EXPECT_FLOAT_EQ(*const_cast<CSpectrumSettings&>(s).dampings.GetAt(2), 0.0f);
    EXPECT_FLOAT_EQ(s.periodFactor, 0.85f);
    EXPECT_EQ(s.combination, 1);
    EXPECT_FLOAT_EQ(s.cm, 0.25f);
    EXPECT_EQ(s.kind, 1);
    EXPECT_FLOAT_EQ(s.intensity, 8);
    EXPECT_EQ(s.occurrence, 2);
    EXPECT_EQ(s.highAcceleration, 1);
    EXPECT_FLOAT_EQ(s.siteClass, 3);
    EXPECT_EQ(s.designGroup, 2);
    EXPECT_FLOAT_EQ(s.tg, 0.4f);
    EXPECT_FLOAT_EQ(s.alphaMax, 0);
}

TEST_F(SpectrumSection, TableOfAResponseCurveIsScaled)
{
    ASSERT_EQ(Read("SPECTRUM\nN=1 U=1 K=2\n1 S=10\nN=3 T=0.1 0.2\nT=0.5 A=1 2 3\nM=1 D=0 1 0 1\n"), 1);
    const CSpectrumSettings& s = theSpectrumParameters;
    ASSERT_EQ(s.curve.GetSize(), 3);
    const double L = DCommonData::DimensionFactor(theProjectOptions.GetUnitCode());
    const TimeLoadPoint& last = *const_cast<CSpectrumSettings&>(s).curve.GetAt(2);
    EXPECT_FLOAT_EQ(last.x, 0.5f);
    EXPECT_FLOAT_EQ(last.value, float(3 * 0.1020408163265306 / L));
    EXPECT_EQ(s.kind, 10);
}

TEST_F(SpectrumSection, MissingOrDamagedSectionsChangeNothing)
{
    theSpectrumParameters.periodFactor = 0.5f;
    const char* const bad[] = {
        "TITLE\nEND\n",                                     // no section
        "SPECTRUM\nN=0 U=0 K=1\nM=1 D=1 0 0 1\n",           // no direction
        "SPECTRUM\nN=100000 U=0 K=1\nM=1 D=1 0 0 1\n",      // too many directions
        "SPECTRUM\nN=1 U=100000 K=1\n",                     // too many curves
        "SPECTRUM\nN=1 U=0 K=99999999\nM=1 D=1 0 0 1\n",    // too many modes
        "SPECTRUM\nN=1 U=0 K=2 V=1 -4\nM=1 D=1 0 0 1\n",    // a mode number below 1
        "SPECTRUM\nN=3 U=0 K=1 F=2\nM=1 D=1 0 0 1\n",       // the file ends before the directions
        "SPECTRUM\nN=1 U=1 K=1\n1 S=10\nN=1e12\nM=1 D=1\n"  // a table too long
    };
    for (const char* text : bad) {
        EXPECT_EQ(Read(text), 0) << text;
        EXPECT_EQ(result.m_SpectrumDirs.GetCount(), 1) << text;
        EXPECT_FLOAT_EQ(theSpectrumParameters.periodFactor, 0.5f) << text;
    }
}

TEST(SpectrumList, ProjectDirectionsAreUsedWhenTheyMatchTheResult)
{
    ResultFiles files(resgen::MakeSmallModel());  // 2 spectrum directions
    // A data file that would give one direction only.
    files.WriteDataFile("SPECTRUM\nN=1 U=0 K=1\nM=3 D=0 0 1 1\n");
    CSpectrumSettings saved(theSpectrumParameters);
    theSpectrumParameters.direction1On = 1;
    theSpectrumParameters.direction2On = 1;
    theSpectrumParameters.verticalOn = 0;
    CResult result;
    ASSERT_EQ(result.SetFileName(files.Base().c_str(), 0, 0), 1);
    EXPECT_EQ(result.m_SpectrumDirs.GetCount(), 2);
    EXPECT_EQ(result.m_SpectrumDirs.GetAt(0)->m_sCode, 1);

    // With one direction in the project the data file is read instead.
    theSpectrumParameters.direction2On = 0;
    ASSERT_EQ(result.SetFileName(files.Base().c_str(), 0, 0), 1);
    ASSERT_EQ(result.m_SpectrumDirs.GetCount(), 1);
    EXPECT_EQ(result.m_SpectrumDirs.GetAt(0)->m_sCode, 3);
    theSpectrumParameters = saved;
    theResult.SetZero();
}

}  // namespace
