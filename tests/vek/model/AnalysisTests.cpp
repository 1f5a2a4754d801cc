#include <gtest/gtest.h>

#include <cmath>

#include "korvalib/model/AnalysisRecords.h"
#include "tests/support/LeBytes.h"
#include "tests/vek/model/DataFileText.h"
#include "tests/vek/model/ModelTestSupport.h"
#include "vek/model/KvdDataSet.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/analysis/AnalysisParameters.h"
#include "vek/model/analysis/SpectrumSettings.h"
#include "vek/model/materials/Material.h"
#include "vek/model/materials/Sections.h"

using namespace vektest;

namespace {

struct ParameterFixture : ::testing::Test {
    void SetUp() override
    {
        theEigenPara.Reset();
        theReinforcePara.Reset();
        theCurrentProps.Reset();
        theSpectrumSettings.SetDefaults();
        theSpectrumSettings.curve.SetSize(0);
    }
    void TearDown() override
    {
        SetUp();
        theFrameSects.SetSize(0);
        theProjectOptions.bPlaneModel = uint8_t(false);
    }
};

void SetModes(std::initializer_list<short> modes, std::initializer_list<float> dampings)
{
    CSpectrumSettings& s = theSpectrumSettings;
    s.modes.SetSize(0);
    s.dampings.SetSize(0);
    for (short m : modes) s.modes.Add(m);
    for (float d : dampings) s.dampings.Add(d);
}

std::string FirstSpecLine()
{
    const std::string t = DataFileText([](DKorvaDataFile& f) { theSpectrumSettings.WriteDataFile(f, nullptr); });
    const size_t at = t.find("SPEC\n");
    return at == std::string::npos ? "" : t.substr(at + 5, t.find('\n', at + 5) - at - 5);
}

std::string CurveLine()
{
    const std::string t = DataFileText([](DKorvaDataFile& f) { theSpectrumSettings.WriteDataFile(f, nullptr); });
    const size_t at = t.find("1 S=");
    return at == std::string::npos ? "" : t.substr(at, t.find('\n', at) - at);
}

}  // namespace

using EigenParameters = ParameterFixture;

TEST_F(EigenParameters, BlockBytesAndTheMarkerOfOlderFiles)
{
    const Bytes got = WriteBlock([](bofstream& out) { WriteEigenBlock(out); });
    const Bytes want = LeBytes()
                           .text(std::string("EIGEN", 6))
                           .i32(20)
                           .i32(10)
                           .i8(0)
                           .i8(1)
                           .i32(2)
                           .i16(1)
                           .f32(1)
                           .i16(2)
                           .f32(1)
                           .i8(1)
                           .i8(1);
    EXPECT_EQ(got, want);
    theEigenPara.modes = 3;
    ASSERT_TRUE(ReadBlock(got, [](bifstream& in) { return ReadEigenBlock(in); }));
    EXPECT_EQ(theEigenPara.modes, 10);
    EXPECT_EQ(theEigenPara.massFactors.GetSize(), 2);

    // A version-600 file without the marker: nothing is taken.
    ProjectVersion v(600);
    theEigenPara.modes = 7;
    const Bytes next = LeBytes().i32s({5, 6, 7});
    long rest = 0;
    ASSERT_TRUE(ReadBlock(
        next, [](bifstream& in) { return ReadEigenBlock(in); }, &rest));
    EXPECT_EQ(rest, 12);
    EXPECT_EQ(theEigenPara.modes, 7);
    const Bytes shortFile = LeBytes().i8(1);
    ASSERT_TRUE(ReadBlock(
        shortFile, [](bifstream& in) { return ReadEigenBlock(in); }, &rest));
    EXPECT_EQ(rest, 1);
    // With the marker, the old layout has no counts and the modes keep theirs.
    const Bytes old = LeBytes().text(std::string("EIGEN", 6)).i8(1).i8(2).i32(1).i16(3).f32(0.5f).i8(0).i8(0);
    ASSERT_TRUE(ReadBlock(old, [](bifstream& in) { return ReadEigenBlock(in); }));
    EXPECT_EQ(theEigenPara.modes, 7);
    EXPECT_EQ(theEigenPara.method, 2);
    EXPECT_EQ(theEigenPara.sturm, 0);
    ASSERT_TRUE(ReadBlock(LeBytes().i32s({30, 12}), [](bifstream& in) { return ReadEigenLegacyCounts(in); }));
    EXPECT_EQ(theEigenPara.oldCount, 30);
    EXPECT_EQ(theEigenPara.modes, 12);
}

TEST_F(EigenParameters, VersionBefore520StoresTenFactors)
{
    ProjectVersion v(500);
    const Bytes b =
        LeBytes().text(std::string("EIGEN", 6)).i8(1).i8(1).f32s({0, 1.5f, 0.00005f, 0, 0, 0, 0, 0, 0, 2}).i8(1).i8(1);
    ASSERT_TRUE(ReadBlock(b, [](bifstream& in) { return ReadEigenBlock(in); }));
    ASSERT_EQ(theEigenPara.massFactors.GetSize(), 2);
    EXPECT_EQ(theEigenPara.massFactors.GetAt(1)->loadCase, 10);
}

TEST_F(EigenParameters, DataFileBlockByMethodAndTheLibraryRecord)
{
    CKvdDataSet set;
    EXPECT_EQ(DataFileText([&](DKorvaDataFile& f) { WriteEigenDataFile(f, &set); }), "");
    EXPECT_EQ(set.eigen.m_cValid, 0);
    EXPECT_EQ(set.eigen.m_cFlag, 1);
    theEigenPara.on = 1;
    EXPECT_EQ(DataFileText([](DKorvaDataFile& f) { WriteEigenDataFile(f, nullptr); }),
              "\nRITZ\nV=24 P=10  ITE=1 STURM=1 ERROR=0.0001");
    theEigenPara.method = 2;
    theEigenPara.sturm = 0;
    theEigenPara.modes = 12;
    EXPECT_EQ(DataFileText([](DKorvaDataFile& f) { WriteEigenDataFile(f, nullptr); }),
              "\nEIGEN\nV=24 P=12  ERROR=0.0001");
    theEigenPara.method = 3;
    EXPECT_EQ(DataFileText([&](DKorvaDataFile& f) { WriteEigenDataFile(f, &set); }),
              "\nLANCZOS\nV=24 P=12  ERROR=0.0001");
    EXPECT_EQ(set.eigen.m_cMethod, 3);
    EXPECT_EQ(set.eigen.m_sModes, 12);
    EXPECT_FLOAT_EQ(set.eigen.m_fTolerance, 0.0001f);
}

using Reinforcement = ParameterFixture;

TEST_F(Reinforcement, BlockDataFileAndLibraryRecord)
{
    const Bytes got = WriteBlock([](bofstream& out) { WriteReinforceBlock(out); });
    const Bytes want = LeBytes()
                           .i8(0)
                           .f32s({310000, 310000, 0.544f, 0.544f, 0.35f, 0.004f, 0.8f, 0.008f, 0.008f})
                           .i8(2)
                           .i8(2)
                           .f32s({300000, 1.2f, 0.7f});
    EXPECT_EQ(got, want);

    theReinforcePara.on = 1;
    EXPECT_EQ(DataFileText([](DKorvaDataFile& f) { WriteReinforceDataFile(f, nullptr); }), "");  // no frame section
    theFrameSects.Add(CFrameSect());
    CKvdDataSet set;
    EXPECT_EQ(DataFileText([&](DKorvaDataFile& f) { WriteReinforceDataFile(f, &set); }),
              "\nREIN\nI=2 F=3.1E5 3.1E5 K=0.544 0.544 0.35 Z=4E-3 P=0.8 H=8E-3 2 8E-3 2 V=3E5 1.2 &\n T=0.7 ");
    EXPECT_FLOAT_EQ(set.reinforce.m_fPara1[0], 310000);
    EXPECT_FLOAT_EQ(set.reinforce.m_fPara2[0], 0.8f);
    EXPECT_FLOAT_EQ(set.reinforce.m_fPara3[0], 300000);

    theReinforcePara.ScaleUnits(1e6, 1000);  // code 0 to code 3
    EXPECT_FLOAT_EQ(theReinforcePara.F1, 310000);
    EXPECT_FLOAT_EQ(theReinforcePara.H1, 8);
    EXPECT_FLOAT_EQ(theReinforcePara.K1, 0.544f);
}

TEST_F(Reinforcement, CurrentSelectionBlockAndItsRepairs)
{
    theCurrentProps.material = 2;
    theCurrentProps.kind = 3;
    theCurrentProps.steelSect = 7;
    const Bytes got = WriteBlock([](bofstream& out) { WriteCurrentSelection(out); });
    EXPECT_EQ(got, Bytes(LeBytes().i16(2).i8(3).i16(0).i16(7).i16(0)));
    theCurrentProps.Reset();
    ASSERT_TRUE(ReadBlock(got, [](bifstream& in) { return ReadCurrentSelection(in); }));
    EXPECT_EQ(theCurrentProps.steelSect, 7);
    for (int i = 0; i < 5; ++i) theSframeSects.Add(CSframeSect());
    theMaterials.Add(CMaterial());
    ValidateCurrentSelection();
    EXPECT_EQ(theCurrentProps.steelSect, 5);
    EXPECT_EQ(theCurrentProps.material, 1);
    EXPECT_EQ(theCurrentProps.frameSect, 0);
    EXPECT_EQ(theCurrentProps.kind, 0);
    theSframeSects.SetSize(0);
    theMaterials.SetSize(0);
}

TEST_F(Reinforcement, LoadCaseAndResultSelectorsFollowTheResults)
{
    RecordingHooks hooks;
    theProjectOptions.nCurrentLoadCase = int16_t(4);
    ValidateCurrentLoadCase(3);
    EXPECT_EQ(theProjectOptions.nCurrentLoadCase, 1);
    theProjectOptions.nResultSelectors[0] = int16_t(5);
    theProjectOptions.nResultSelectors[1] = int16_t(2);
    theProjectOptions.nResultSelectors[2] = int16_t(1);
    const int counts[6] = {3, 4, 0, 0, 0, 0};
    theProjectOptions.nHighestStage = int16_t(30);
    ValidateResultSelectors(counts, 0);
    EXPECT_EQ(theProjectOptions.nResultSelectors[0], 1);
    EXPECT_EQ(theProjectOptions.nResultSelectors[1], 2);
    EXPECT_EQ(theProjectOptions.nResultSelectors[2], 0);
    EXPECT_EQ(theProjectOptions.nHighestStage, 10000);
    ValidateResultSelectors(counts, 6);
    EXPECT_EQ(theProjectOptions.nHighestStage, 6);
    EXPECT_EQ(hooks.resultSelectors, 2);
    theProjectOptions.nHighestStage = int16_t(10000);
    for (int i = 0; i < 6; ++i) theProjectOptions.nResultSelectors[i] = int16_t(0);
}

using Spectrum = ParameterFixture;

TEST_F(Spectrum, DefaultsAndTheDefaultBlock)
{
    const CSpectrumSettings& s = theSpectrumSettings;
    EXPECT_EQ(s.angle2, 90.0f);
    EXPECT_EQ(s.seismicGrade, 2);
    EXPECT_EQ(s.modes.GetSize(), 10);
    const Bytes got = WriteBlock([](bofstream& out) { theSpectrumSettings.Write(out); });
    ASSERT_EQ(got.size(), 117u);
    LeBytes want;
    want.f32(0).f32(90).i8(0).i8(0).i8(0).i8(2).f32(7).i8(1).f32(0).f32(2).i8(1).f32(0).f32(1).i8(1).i8(0);
    want.f32(0).f32(0).f32(2).i8(0).i32(10);
    for (int k = 1; k <= 10; ++k) want.i16(k).f32(0);
    want.i32(0);
    EXPECT_EQ(got, want.bytes());

    theSpectrumSettings.seismicGrade = 4;
    theSpectrumSettings.curve.Add({0.5f, 2});
    theSpectrumSettings.SetDefaults();
    EXPECT_EQ(theSpectrumSettings.seismicGrade, 2);
    EXPECT_EQ(theSpectrumSettings.curve.GetSize(), 1);  // the curve stays
}

TEST_F(Spectrum, VersionGatesOfTheBlock)
{
    // Items 1-17 of a file: the kind (item 14) is 0.
    auto head = [](int kind) {
        LeBytes b;
        b.f32(10).f32(100).i8(1).i8(1).i8(0).i8(3).f32(8).i8(2).f32(0.16f).f32(3).i8(2).f32(0.4f).f32(0.9f).i8(kind);
        b.i8(1).f32(0.1f).f32(0.2f);
        return b;
    };
    struct {
        int version;
        bool beta, region;
        int kindRead, kindWant;
    } cases[] = {
        {680, false, false, 0, 10}, {685, true, false, 0, 10}, {705, true, false, 2, 2}, {706, true, true, 0, 0}};
    for (auto& c : cases) {
        theSpectrumSettings.SetDefaults();
        theSpectrumSettings.betaMax = 5;
        theSpectrumSettings.highAcceleration = 1;
        LeBytes b = head(c.kindRead);
        if (c.beta) b.f32(2.5f);
        if (c.region) b.i8(0);
        b.i32(2).i16(1).f32(0.05f).i16(2).f32(0.05f).i32(1).f32(0.1f).f32(0.2f);
        ProjectVersion v(c.version);
        long rest = -1;
        ASSERT_TRUE(ReadBlock(
            b, [](bifstream& in) { return theSpectrumSettings.Read(in); }, &rest))
            << c.version;
        EXPECT_EQ(rest, 0);
        const CSpectrumSettings& s = theSpectrumSettings;
        EXPECT_EQ(s.kind, c.kindWant) << c.version;
        EXPECT_EQ(s.betaMax, c.beta ? 2.5f : 5.0f) << c.version;
        EXPECT_EQ(s.highAcceleration, c.region ? 0 : 1) << c.version;
        EXPECT_EQ(s.modes.GetSize(), 2);
        EXPECT_EQ(s.curve.GetSize(), 1);
        EXPECT_EQ(s.seismicGrade, 3);
    }
    struct {
        int version;
        Bytes bytes;
    } skipped[] = {
        {400, LeBytes().skip(16).i32(99)},
        {500, LeBytes().skip(18).i32(99)},
        {520, LeBytes().skip(40).i16(3).skip(13).i32(99)},
    };
    for (auto& c : skipped) {
        ProjectVersion v(c.version);
        theSpectrumSettings.SetDefaults();
        long rest = -1;
        ASSERT_TRUE(ReadBlock(
            c.bytes, [](bifstream& in) { return theSpectrumSettings.Read(in); }, &rest));
        EXPECT_EQ(rest, 4) << c.version;
        EXPECT_EQ(theSpectrumSettings.angle2, 90.0f);
    }
    theSpectrumSettings.SetDefaults();
    LeBytes damaged = head(1);
    damaged.f32(2).i8(0).i32(1000000);
    EXPECT_FALSE(ReadBlock(damaged, [](bifstream& in) { return theSpectrumSettings.Read(in); }));
    EXPECT_EQ(theSpectrumSettings.angle1, 0.0f);
    EXPECT_EQ(theSpectrumSettings.modes.GetSize(), 10);
}

TEST_F(Spectrum, FirstLineItemsByTheirThresholds)
{
    CSpectrumSettings& s = theSpectrumSettings;
    s.direction1On = 1;
    SetModes({1, 2, 3}, {0, 0, 0});
    EXPECT_EQ(FirstSpecLine(), "N=1 U=1 0 F=1 Q=0 K=3 ");
    SetModes({1, 3, 4}, {0, 0, 0});
    EXPECT_EQ(FirstSpecLine(), "N=1 U=1 0 F=1 Q=0 K=3 V=1 3 4 ");
    SetModes({2, 3, 4}, {0, 0.05f, 0});
    EXPECT_EQ(FirstSpecLine(), "N=1 U=1 0 F=1 Q=0 K=3 V=2 3 4 D=0 0.05 0 ");
    SetModes({1, 2}, {1e-7f, 0});
    s.ck = 1e-8f;  // its float lies just below 1e-8
    EXPECT_EQ(FirstSpecLine(), "N=1 U=1 0 F=1 Q=0 K=2 D=1E-7 0 ");
    s.cm = 0.02f;
    EXPECT_EQ(FirstSpecLine(), "N=1 U=1 0 F=1 Q=0 K=2 E=1E-8 0.02 D=1E-7 0 ");
    SetModes({1, 2}, {0});
    EXPECT_EQ(FirstSpecLine(), "");  // modes without their dampings: nothing
    SetModes({}, {});
    EXPECT_EQ(FirstSpecLine(), "");
}

TEST_F(Spectrum, CurveLinesOfTheDesignCodesAndTheUserCurves)
{
    CSpectrumSettings& s = theSpectrumSettings;
    s.verticalOn = 1;
    s.tg = 0.35f;
    EXPECT_EQ(CurveLine(), "1 S=1 I=7 1 ACC=0 M=2 1 T=0.35 ");
    s.alphaMax = 0.001f;  // its float lies just above 0.001
    EXPECT_EQ(CurveLine(), "1 S=1 I=7 1 ACC=0 M=2 1 ALFA=1E-3 T=0.35 ");
    s.kind = 2;
    s.tg = 0;
    s.alphaMax = 0;
    EXPECT_EQ(CurveLine(), "1 S=2 I=7 BETA=2 TG=0 ");
    s.kind = 10;
    EXPECT_EQ(CurveLine(), "1 S=10 N=0 ");
    s.kind = 11;
    s.curve.Add({0, 0.5f});
    EXPECT_EQ(CurveLine(), "1 S=11 N=1 T=0 A=0.5 ");
    s.kind = 0;  // written as a user curve; the settings keep their 0
    CKvdDataSet set;
    EXPECT_EQ(CurveLine(), "1 S=10 N=1 T=0 AR=0.5 ");
    DataFileText([&](DKorvaDataFile& f) { s.WriteDataFile(f, &set); });
    ASSERT_EQ(set.spectrumCurves.size(), 1u);
    EXPECT_EQ(set.spectrumCurves[0].m_cCode9, 10);
    EXPECT_EQ(s.kind, 0);
}

TEST_F(Spectrum, TwoPointGroupsInThePlaneModel)
{
    CSpectrumSettings& s = theSpectrumSettings;
    s.direction1On = s.direction2On = 1;
    s.angle2 = 30;
    s.kind = 10;
    SetModes({1, 2, 3}, {0, 0, 0});
    for (int i = 0; i < 10; ++i) s.curve.Add({0.5f * i, 1.0f - 0.1f * i});
    theProjectOptions.bPlaneModel = uint8_t(true);
    CKvdDataSet set;
    const std::string text = DataFileText([&](DKorvaDataFile& f) { s.WriteDataFile(f, &set); });
    EXPECT_EQ(text,
              "\nSPEC\nN=1 U=1 10 F=1 Q=0 K=3 \n"
              "1 S=10 N=10 T=0 0.5 1 1.5 2 2.5 3 3.5 AR=1 0.9 0.8 0.7 0.6 0.5 0.4 0.3 \n"
              "T=4 4.5 AR=0.2 0.1 \n"
              "M=1 D=0 1 0 ");
    // What the plane model writes is not stored back into the settings.
    EXPECT_EQ(s.direction1On, 1);
    EXPECT_EQ(s.angle2, 30.0f);
    // The library record: the spectrum, its curve with the points, one direction.
    EXPECT_EQ(set.spectrum.m_cSpectrum, 2);
    EXPECT_EQ(set.spectrum.m_cValid, 1);
    EXPECT_EQ(set.spectrum.m_Factors.Entries(), 3);
    ASSERT_EQ(set.spectrumCurves.size(), 1u);
    EXPECT_EQ(set.spectrumCurves[0].m_cCode9, 10);
    ASSERT_EQ(set.spectrumCurves[0].m_nCount, 10);
    EXPECT_EQ(set.spectrumCurves[0].m_pY[9], s.curve.GetAt(9)->value);
    ASSERT_EQ(set.spectrumDirs.size(), 1u);
    EXPECT_NEAR(set.spectrumDirs[0].m_fDir[1], 1, 1e-7);

    s.direction2On = 0;
    s.direction1On = 1;
    EXPECT_EQ(DataFileText([&](DKorvaDataFile& f) { s.WriteDataFile(f, nullptr); }), "");
}

TEST_F(Spectrum, DirectionsAndTheAccelerationCurveInOtherUnits)
{
    CSpectrumSettings& s = theSpectrumSettings;
    s.direction1On = s.verticalOn = 1;
    s.angle1 = 60;
    std::vector<DSpectrumDir> dirs;
    s.BuildDirections(dirs);
    ASSERT_EQ(dirs.size(), 2u);
    EXPECT_FLOAT_EQ(dirs[0].m_fDir[0], float(std::cos(60 * 0.017453292519943295)));
    EXPECT_EQ(dirs[1].m_fDir[2], 1.0f);
    EXPECT_EQ(dirs[1].m_sCode, 1);
    EXPECT_TRUE(s.AnyDirection());

    s.curve.Add({0.5f, 2});
    s.kind = 10;
    s.ScaleCurve(1000);
    EXPECT_EQ(s.curve.GetAt(0)->value, 2.0f);
    s.kind = 11;
    s.ScaleCurve(1000);
    EXPECT_EQ(s.curve.GetAt(0)->value, 2000.0f);
    EXPECT_EQ(s.curve.GetAt(0)->x, 0.5f);
}
