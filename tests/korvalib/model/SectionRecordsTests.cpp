// Beam, tapered beam and pipe sections and materials.
#include <gtest/gtest.h>

#include <cmath>

#include "StreamFixture.h"
#include "korvalib/model/SectionRecords.h"

TEST(SectionRecords, FrameSectGoldenBytesAndRoundTrip)
{
    DFrameSect s;
    const Bytes golden = {0x00, 0x00, 0x01, 0x05, 0x00, 0x00, 0x00, 'S',  'e', 'c', 't', 0x00,
                          0xCD, 0xCC, 0xCC, 0x3E, 0xCD, 0xCC, 0xCC, 0x3E, 0,   0,   0,   0,
                          0,    0,    0,    0,    0,    0,    0,    0,    0,   0,   0,   0};
    EXPECT_EQ(golden, Written(s));

    DFrameSect t;
    double p[4] = {0.3, 0.2, 0.01, 0.02};
    t.SetSect(3, p);
    t.SetName("Beam1");
    t.m_sNumber = 12;
    DFrameSect r;
    ExpectReads(Written(t), r, 129);
    EXPECT_STREQ("Beam1", r.m_pName);
    EXPECT_EQ(3, r.m_cKind);
    EXPECT_EQ(12, r.m_sNumber);
    EXPECT_NEAR(0.3 * 0.01 + 0.2 * 0.02, r.GetSectArea(), 1e-7);

    DFrameSect other;
    other.SetName("BEAM1");
    EXPECT_TRUE(other == t);
    ExpectTruncationRefused<DFrameSect>(
        golden, 129, [](const DFrameSect& x) { return std::strcmp(x.m_pName, "Sect") == 0 && x.m_cKind == 1; });
}

TEST(SectionRecords, AreasByKind)
{
    const double pi = 3.141592653589793;
    struct {
        int kind;
        double p[6];
        double area;
    } cases[] = {
        {1, {0.4, 0.5}, 0.2},
        {2, {1, 2, 3, 4, 5, 6}, 1 * 4 + 2 * 5 + 3 * 6},
        {5, {0.2, 0.3, 0.01}, 0.01 * (0.5 - 0.01)},
        {6, {1, 2, 3, 0.5}, 0.5 * 6},
        {7, {0.1, 0.2}, pi * (0.04 - 0.01)},
        {8, {2, 1, 90}, pi * (9 - 4) / 2},  // inner radius 2, 1 thick, half of the ring
        {9, {0.4, 0.3, 0.01, 0.02}, 0.12 - (0.3 - 0.02) * (0.4 - 0.04)},
        {10, {0.2, 0.5, 0.01, 0.02}, 0.01 * (0.5 - 0.04) + 2 * 0.2 * 0.02},
        {11, {1, 1}, 0},
    };
    for (auto& c : cases) {
        DFrameSect s;
        s.SetSect(c.kind, c.p);
        EXPECT_NEAR(c.area, s.GetSectArea(), 1e-6) << c.kind;
    }
    EXPECT_EQ(0, DFrameSect::GetParaNum(11));

    DFrameSect g;
    double A[2] = {1.5, 2.5}, Bv[2] = {3.5, 4.5};
    g.SetSect(0.02, A, 0.7, Bv);
    EXPECT_EQ(40, g.m_cKind);
    EXPECT_FLOAT_EQ(4.5f, g.m_fPara[4]);
    EXPECT_FLOAT_EQ(3.5f, g.m_fPara[5]);
    double area, a, A2[2], B2[2];
    ASSERT_EQ(1, g.GetSect(area, A2, a, B2));
    EXPECT_FLOAT_EQ(3.5f, float(B2[0]));
    EXPECT_FLOAT_EQ(0.7f, float(a));
    int kind = -1;
    double p[6];
    EXPECT_EQ(0, g.GetSect(kind, p));
    EXPECT_EQ(-1, kind);

    DVframeSect v;
    EXPECT_NEAR(0.205, v.GetSectArea(), 1e-7);
    v.m_cKind = 5;
    EXPECT_EQ(0.0, v.GetSectArea());

    DPipeSect pipe;
    pipe.m_fDiameter = 0.1f;
    pipe.m_fThickness = 0.008f;
    EXPECT_NEAR(pi * 0.008 * 0.092, pipe.GetSectArea(), 1e-7);
}

TEST(SectionRecords, TaperedPipeAndMaterialLayouts)
{
    DVframeSect v;
    Bytes vb = B().i16(0).i8(1).str("VSect").f32s({0.4f, 0.4f, 0, 0, 0, 0, 0.5f, 0.5f, 0, 0, 0, 0});
    EXPECT_EQ(vb, Written(v));
    DVframeSect vr;
    vr.SetName("x");
    ExpectReads(vb, vr, 129);
    EXPECT_STREQ("VSect", vr.m_pName);

    DPipeSect p;
    Bytes pb = B().i16(0).str("psection").f32(0).f32(0).f32(2);
    EXPECT_EQ(pb, Written(p));

    DMaterial m;
    m.m_fVolWeight = 25;
    Bytes mb = B().i16(0).str("mat").f32s({30, 0, 0, 25, 0, 0});
    EXPECT_EQ(mb, Written(m));
    DMaterial mr;
    ExpectReads(mb, mr, 129);
    EXPECT_EQ(25.0, mr.GetVolWeight(0));
}

TEST(SectionRecords, ConcreteModulusAndStrength)
{
    double E = 0, fc = 0;
    DMaterial::GetEFcFromConcret(30, 0, E, fc);
    EXPECT_NEAR(3.0e7, E, 1);
    EXPECT_NEAR(14300, fc, 1e-6);
    DMaterial::GetEFcFromConcret(30, 1, E, fc);
    EXPECT_NEAR(3000, E, 1e-6);
    EXPECT_NEAR(1.43, fc, 1e-9);
    EXPECT_NEAR(3.075e7, DMaterial::GetElasticModuleFromConcret(32.5, 0), 1);
    EXPECT_NEAR(1.85e7, DMaterial::GetElasticModuleFromConcret(10, 0), 1);
    EXPECT_NEAR(3.9e7, DMaterial::GetElasticModuleFromConcret(90, 0), 1);
    EXPECT_NEAR(3.8e7, DMaterial::GetElasticModuleFromConcret(80, 0), 1);

    DMaterial m;
    m.m_fGrade = 7;
    EXPECT_EQ(0.0, m.GetElasticModule(0));
    m.m_fGrade = 7.5f;
    EXPECT_NEAR(2.2e7 - 0.35e7 * 1.5, m.GetElasticModule(0), 1);
    m.m_fModulus = 2.06e8f;
    EXPECT_EQ(double(2.06e8f), m.GetElasticModule(3));
}
