#include <gtest/gtest.h>

#include <cfloat>

#include "korvalib/model/SectionRecords.h"
#include "tests/support/AppHelpersStandIn.h"
#include "tests/support/LeBytes.h"
#include "tests/vek/model/DataFileText.h"
#include "tests/vek/model/ModelTestSupport.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/analysis/AnalysisParameters.h"
#include "vek/model/materials/Material.h"
#include "vek/model/materials/Sections.h"

using namespace vektest;

namespace {

struct UnitCode {
    explicit UnitCode(int code) { theProjectOptions.SetUnitSystem(code, 0); }
    ~UnitCode() { theProjectOptions.SetUnitSystem(0, 0); }
};

CMaterial Named(const char* name)
{
    CMaterial m;
    m.SetName(name);
    return m;
}

struct MaterialFixture : ::testing::Test {
    void SetUp() override { theMaterials.SetSize(0); }
    void TearDown() override { theMaterials.SetSize(0); }
};

}  // namespace

using Materials = MaterialFixture;

TEST_F(Materials, ANewMaterialIsGrade30ConcreteInTheCurrentUnits)
{
    const CMaterial m;
    EXPECT_STREQ(m.m_pName, "mat");
    EXPECT_EQ(m.m_fGrade, 30.0f);
    EXPECT_FLOAT_EQ(m.m_fModulus, float(DMaterial::GetElasticModuleFromConcret(30, 0)));
    EXPECT_FLOAT_EQ(m.m_fConst1, 0.2f);
    EXPECT_FLOAT_EQ(m.m_fVolWeight, 24.5f);
    EXPECT_FLOAT_EQ(m.m_fVolMass, 2.5f);
    EXPECT_FLOAT_EQ(m.m_fConst2, 1e-5f);
    UnitCode mm(3);
    const CMaterial n;
    EXPECT_FLOAT_EQ(n.m_fVolWeight, 0.0245f);
    EXPECT_FLOAT_EQ(n.m_fVolMass, 2.5e-6f);

    CMaterial g;
    g.m_fConst1 = 0.3f;
    EXPECT_FALSE(g.SetConcreteGrade(5));
    EXPECT_EQ(g.m_fGrade, 5.0f);
    EXPECT_FLOAT_EQ(g.m_fConst1, 0.3f);
}

TEST_F(Materials, ComparisonsAndUnitScaling)
{
    CMaterial a, b;
    b.m_fModulus = a.m_fModulus;
    EXPECT_EQ(a.IsSameProperties(b), 1);
    a.m_fConst1 = 0;
    b.m_fConst1 = 2e-6f;
    EXPECT_EQ(a.IsSameProperties(b), 0);
    b.m_fConst1 = 5e-7f;
    b.m_fVolWeight = a.m_fVolWeight + 1e-11f;
    EXPECT_EQ(a.IsSameProperties(b), 1);
    b.m_fVolMass = a.m_fVolMass + 1e-6f;
    EXPECT_EQ(a.IsSameProperties(b), 0);

    CMaterial z;
    z.m_fGrade = 0;
    z.m_fModulus = 5e-7f;
    z.m_fConst1 = z.m_fVolWeight = z.m_fVolMass = z.m_fConst2 = 0;
    EXPECT_EQ(z.IsZero(), 1);
    z.m_fVolWeight = 2e-10f;
    EXPECT_EQ(z.IsZero(), 0);

    CMaterial s;
    const float E = s.m_fModulus;
    s.ScaleUnits(1e6, 1000, 1000);  // code 0 to code 3
    EXPECT_FLOAT_EQ(s.m_fModulus, E);
    EXPECT_FLOAT_EQ(s.m_fVolWeight, 24.5e-3f);
    EXPECT_FLOAT_EQ(s.m_fVolMass, 2.5e-6f);
    EXPECT_EQ(s.m_fGrade, 30.0f);
}

TEST_F(Materials, ProjectRecordOfEveryVersion)
{
    CMaterial m = Named("C35");
    m.SetConcreteGrade(35);
    const Bytes got = WriteBlock([&](bofstream& out) { m.Serialize(out); });
    const Bytes want = LeBytes().str("C35").f32(35).f32(m.m_fModulus).f32(0.2f).f32(24.5f).f32(2.5f).f32(1e-5f);
    EXPECT_EQ(got, want);
    CMaterial back;
    ASSERT_TRUE(ReadBlock(got, [&](bifstream& in) { return back.Load(in, 1); }));
    EXPECT_STREQ(back.m_pName, "C35");
    EXPECT_EQ(back.IsSameProperties(m), 1);

    struct {
        int version, type;
        Bytes bytes;
        float grade, E, nu, weight, expansion;
    } cases[] = {
        // A frame material of version 550: E, grade, G, weight, density, expansion.
        {550, 1, LeBytes().f64(3e7).f64(0).f64(1.25e7).f64(25).f64(2.5).f64(1e-5), 0, 3e7f, 0.2f, 25, 1e-5f},
        // A shell material of version 459 lacks the expansion: the grade fills it.
        {459, 6, LeBytes().f64(0).f64(0).f64(30).f64(0).f64(0), 30, 0, 0.2f, 24.5f, 1e-5f},
        {500, 5, LeBytes().f64(40).f64(0).f64(0.25).f64(0).f64(0).f64(0), 40, 0, 0.25f, 24.5f, 1e-5f},
        {650, 1, LeBytes().str("old").f64(25).f64(2e7).f64(0.3).f64(20).f64(2).f64(2e-5), 25, 2e7f, 0.3f, 20, 2e-5f},
        // Beyond the float range: the largest float, not a conversion out of range.
        {650, 1, LeBytes().str("big").f64(30).f64(1e300).f64(0.2).f64(25).f64(2.5).f64(1e-5), 30, FLT_MAX, 0.2f, 25,
         1e-5f},
    };
    for (auto& c : cases) {
        ProjectVersion v(c.version);
        CMaterial r;
        long rest = -1;
        ASSERT_TRUE(ReadBlock(
            c.bytes, [&](bifstream& in) { return r.Load(in, c.type); }, &rest))
            << c.version;
        EXPECT_EQ(rest, 0);
        EXPECT_FLOAT_EQ(r.m_fGrade, c.grade) << c.version;
        if (c.E > 0)
            EXPECT_FLOAT_EQ(r.m_fModulus, c.E) << c.version;
        else
            EXPECT_FLOAT_EQ(r.m_fModulus, float(DMaterial::GetElasticModuleFromConcret(c.grade, 0)));
        EXPECT_NEAR(r.m_fConst1, c.nu, 1e-6) << c.version;
        EXPECT_FLOAT_EQ(r.m_fVolWeight, c.weight) << c.version;
        EXPECT_FLOAT_EQ(r.m_fConst2, c.expansion) << c.version;
    }
    CMaterial keep = Named("keep");
    const Bytes damaged = LeBytes().i32(100).text("abc");
    EXPECT_FALSE(ReadBlock(damaged, [&](bifstream& in) { return keep.Load(in, 1); }));
    EXPECT_STREQ(keep.m_pName, "keep");
}

TEST_F(Materials, DataFileItemsPerElementType)
{
    CMaterial m;
    m.m_fModulus = 3e7f;
    m.m_fConst1 = 0.25f;
    const std::string text = DataFileText([&](DKorvaDataFile& f) {
        m.WriteDataFile(f, 1, 0);
        m.WriteDataFile(f, 3, 0);
        m.WriteDataFile(f, 1, 1);
        m.WriteDataFile(f, 5, 0);
        m.WriteDataFile(f, 7, 0);
    });
    EXPECT_EQ(text,
              "U=30 E=3E7 G=1.2E7 W=24.5 M=2.5 C=1E-5 \n"
              "\n"  // another element type: the line end alone
              "E=3E7 G=1.2E7 W=24.5 M=2.5 C=1E-5 \n"
              "I=30 E=3E7 W=24.5 M=2.5 U=0.25 A=1E-5 \n"
              "W=24.5 M=2.5 \nE=3E7 U=0.25 A=1E-5 ");
}

TEST_F(Materials, TextsOfAMaterial)
{
    CMaterial m = Named("C30");
    m.m_fModulus = 3e7f;
    EXPECT_EQ(m.GetParamText(), "U=30E=3E7V=0.2W=2.45E1M=2.5A=1E-5");
    EXPECT_EQ(m.GetInfoText(),
              "混凝土强度等级:30\r\n弹模:3e+07\r\n泊松比:0.2\r\n比重:24.5\r\n密度:2.5\r\n热胀系数:1e-05");
    EXPECT_EQ(m.GetExportLine(), "C30,30.0,3.000e+07,0.20,2.450e+01,2.500e+00,1.000e-05\n");
}

TEST_F(Materials, AddingFindsAFreshNameOrAnEqualMaterial)
{
    theMaterials.Add(Named("材料1"));
    theMaterials.Add(Named("材料3"));
    EXPECT_EQ(AddModelMaterial(CMaterial(), false, false, false), 3);
    EXPECT_STREQ(theMaterials.GetAt(2)->m_pName, "材料4");
    EXPECT_EQ(AddModelMaterial(CMaterial(), false, true, false), 1);  // the same values as the first
    EXPECT_EQ(AddModelMaterial(Named("材料3"), true, true, false), 2);
    CMaterial empty;
    empty.m_fGrade = empty.m_fModulus = empty.m_fConst1 = empty.m_fVolWeight = empty.m_fVolMass = empty.m_fConst2 = 0;
    EXPECT_EQ(AddModelMaterial(empty, true, false, true), 0);
    EXPECT_EQ(AddModelMaterial(Named("New"), true, false, false), 4);
    EXPECT_STREQ(theMaterials.GetAt(3)->m_pName, "New");
}

TEST_F(Materials, TheBlockWithTheReinforcementParameters)
{
    theMaterials.Add(Named("A"));
    theReinforcePara.on = 1;
    const Bytes got = WriteBlock([](bofstream& out) { WriteMaterials(out); });
    EXPECT_EQ(ReadLe32(got, 0), 1u);
    EXPECT_EQ(got.size(), 4u + 6 + 24 + 51);  // count, name, six values, reinforcement
    theMaterials.SetSize(0);
    theReinforcePara.Reset();
    ASSERT_TRUE(ReadBlock(got, [](bifstream& in) { return ReadMaterials(in); }));
    EXPECT_EQ(theMaterials.GetSize(), 1);
    EXPECT_EQ(theReinforcePara.on, 1);

    // Versions 600 to 680 carry one material to drop ahead of the count.
    ProjectVersion v(680);
    LeBytes old;
    old.str("drop").zeros(48).i32(1).str("B").f64(30).f64(3e7).f64(0.2).f64(24.5).f64(2.5).f64(1e-5);
    old.append(WriteBlock([](bofstream& out) { theReinforcePara.Write(out); }));
    ASSERT_TRUE(ReadBlock(old, [](bifstream& in) { return ReadMaterials(in); }));
    ASSERT_EQ(theMaterials.GetSize(), 1);
    EXPECT_STREQ(theMaterials.GetAt(0)->m_pName, "B");

    Bytes cut(old.bytes().begin(), old.bytes().end() - 10);
    theReinforcePara.on = 0;
    EXPECT_FALSE(ReadBlock(cut, [](bifstream& in) { return ReadMaterials(in); }));
    EXPECT_STREQ(theMaterials.GetAt(0)->m_pName, "B");
    EXPECT_EQ(theReinforcePara.on, 0);
    theReinforcePara.Reset();
}

TEST_F(Materials, SectionRecordsCarryTheirOwnValue)
{
    CVframeSect a, b;
    a.m_dExtra = 2.5;
    a.SetName("V1");
    b = a;
    EXPECT_EQ(b.m_dExtra, 2.5);
    EXPECT_STREQ(b.m_pName, "V1");
    theFrameSects.Add(CFrameSect());
    EXPECT_EQ(theFrameSects.GetAt(0)->m_dExtra, 0.0);
    theFrameSects.SetSize(0);
}
