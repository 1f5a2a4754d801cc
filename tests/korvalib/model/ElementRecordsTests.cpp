// Line, area, solid and steel frame element records.
#include <gtest/gtest.h>

#include "StreamFixture.h"
#include "korvalib/model/AreaElements.h"
#include "korvalib/model/LineElements.h"
#include "korvalib/model/SteelFrame.h"

TEST(LineElements, TrussGoldenBytesAndOldVersion)
{
    DTrussBase t(4, 9);
    t.m_nID = 3;
    t.m_fAttr = 1.5f;
    const Bytes golden = {0x03, 0, 0, 0, 0x01, 0, 0x01, 0,    0x04, 0,    0,    0,    0x09,
                          0,    0, 0, 0, 0,    0, 0,    0x00, 0x00, 0xC0, 0x3F, 0x01, 0x00};
    EXPECT_EQ(golden, Written(t));
    DTrussBase r;
    ExpectReads(golden, r, 129);
    EXPECT_EQ(1.5f, r.m_fAttr);
    DTrussBase r100;
    r100.m_sLastAttr = 5;
    ExpectReads(Bytes(golden.begin(), golden.end() - 2), r100, 100);
    EXPECT_EQ(5, r100.m_sLastAttr);  // absent field keeps its value

    DTrussBase back(9, 4);
    back.m_sAttr3 = 7;
    EXPECT_TRUE(back == t);
    EXPECT_FALSE(DTrussBase(4, 8) == t);
}

TEST(LineElements, CurvedBeamAndPipe)
{
    DCframeBase c(1, 2);
    c.SetHyperbola(3, 4);
    c.m_Loads.Insert(2, 5);
    Bytes golden = B().i32(0)
                       .i16(1)
                       .i16(1)
                       .i32(1)
                       .i32(2)
                       .i16(0)
                       .i16(0)
                       .i8(3)
                       .f32(3)
                       .f32(4)
                       .zeros(40)
                       .zeros(12)
                       .raw("dddddd", 6)
                       .i16(1)
                       .i16(2)
                       .i32(5)
                       .i16(1);
    EXPECT_EQ(golden, Written(c));
    DCframeBase r;
    ExpectReads(golden, r, 129);
    EXPECT_TRUE(r.IsHyperbola());
    EXPECT_EQ(5, r.m_Loads[0].nValue);
    DCframeBase r100;
    ExpectReads(Bytes(golden.begin(), golden.end() - 2), r100, 100);
    EXPECT_EQ(1, r100.m_sLastAttr);

    DCframeBase circle;
    circle.SetCircle(2.5);
    circle.m_fCurve2 = 8;
    double a = 0, b = 0;
    EXPECT_EQ(0, circle.GetHyperbola(a, b));
    EXPECT_EQ(2.5, a);
    EXPECT_EQ(8.0, b);

    DPipeBase p(1, 2);
    p.SetLocal2(0, 0, 1);
    EXPECT_EQ(size_t(4 + 2 + 2 + 4 + 4 + 1 + 12 + 2 + 2 + 4 + 4 + 2), Written(p).size());
    p.SetCurveData(2.5, 1, 0, 0, 3);
    Bytes pb = B().i32(0)
                   .i16(1)
                   .i16(1)
                   .i32(1)
                   .i32(2)
                   .i8(2)
                   .f32s({0, 0, 1})
                   .i16(0)
                   .i16(0)
                   .f32(0)
                   .f32(0)
                   .f32(2.5f)
                   .i8(3)
                   .f32s({1, 0, 0})
                   .i16(1);
    EXPECT_EQ(pb, Written(p));
    DPipeBase pr;
    ExpectReads(pb, pr, 129);
    double v, x, y, z;
    int n = 0;
    ASSERT_EQ(1, pr.GetCurveData(v, x, y, z, n));
    EXPECT_EQ(3, n);
    EXPECT_EQ(0, pr.GetLocal2(x, y, z));
}

TEST(LineElements, TightWires)
{
    DTightWire w;
    w.m_fLength1 = 1;
    w.m_fForce = 10;
    Bytes golden = B().i32(0).f32s({1, 0, 0, 10, 0});
    EXPECT_EQ(golden, Written(w));
    DTightWire r;
    ExpectReads(golden, r, 129);
    EXPECT_TRUE(r == w);

    DTightWireIndex idx;
    EXPECT_EQ(Bytes(B().i16(0)), Written(idx));
    idx.Add(5, 0.5f, 1.5f);
    idx.Add(3, 2, 3);
    Bytes ib = B().i16(2).i32(5).f32(0.5f).f32(1.5f).i32(3).f32(2).f32(3);
    EXPECT_EQ(ib, Written(idx));
    DTightWireIndex ir;
    ir.Add(1, 1, 1);
    ExpectReads(ib, ir, 129);
    EXPECT_TRUE(ir == idx);
    DTightWireIndex bad;
    EXPECT_EQ(0, ReadBytes(B().i16(1000).zeros(24), bad, 129));
    EXPECT_EQ(0, ReadBytes(B().i16(-2), bad, 129));
    EXPECT_EQ(0, bad.Entries());
}

TEST(AreaElements, PlaneGoldenBytesAndTriangle)
{
    DPlaneBase p;
    int nodes[6] = {1, 2, 3, 4, 5, 6};
    p.SetTriangleNodes(nodes);
    Bytes golden = B().i32(0).i16(1).i16(1).i32s({1, 2, 3, 4, 5, 6, 0, 0, 0}).i16(0).f32(1).f32(0).i16(0).i16(1);
    EXPECT_EQ(golden, Written(p));
    DPlaneBase r;
    ExpectReads(golden, r, 129);
    EXPECT_TRUE(r.IsTriangle());
    int v[4], n = 0;
    r.GetVertex(v, n);
    ASSERT_EQ(3, n);
    EXPECT_EQ(3, v[2]);
    int quad[9] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    r.SetQuadNodes(quad);
    r.GetVertex(v, n);
    ASSERT_EQ(4, n);
    EXPECT_EQ(9, v[2]);
    EXPECT_EQ(7, v[3]);
    DPlaneBase q;
    int rev[9] = {9, 8, 7, 6, 5, 4, 3, 2, 1};
    q.SetQuadNodes(rev);
    EXPECT_TRUE(q == r);
}

TEST(AreaElements, SolidsBoundTheirNodeCounts)
{
    DSol21Base s;
    int nodes[21];
    for (int i = 0; i < 21; ++i) nodes[i] = 100 + i;
    s.SetTetrahedron(nodes, 10);
    Bytes golden = B().i32(0)
                       .i16(1)
                       .i16(1)
                       .i8(2)
                       .i8(10)
                       .i32s({100, 101, 102, 103, 104, 105, 106, 107, 108, 109})
                       .i16(0)
                       .f32(0)
                       .i16(0)
                       .i16(1);
    EXPECT_EQ(golden, Written(s));
    DSol21Base r;
    r.SetHexahedron(nodes, 21);
    ExpectReads(golden, r, 129);
    EXPECT_EQ(10, r.m_cCount);
    for (int i = 10; i < 21; ++i) EXPECT_EQ(0, r.m_nNodes[i]);

    // A count above 21 in a file is refused and the record kept.
    Bytes big = B().i32(0).i16(1).i16(1).i8(1).i8(22).zeros(88 + 6 + 4);
    DSol21Base kept;
    kept.SetHexahedron(nodes, 8);
    EXPECT_EQ(0, ReadBytes(big, kept, 129));
    EXPECT_EQ(8, kept.m_cCount);
    // ... and one set by hand is not written.
    DSol21Base wrong;
    wrong.m_cCount = 30;
    vektest::TempFile scratch("sol21");
    const std::string& path = scratch.path();
    {
        bofstream out(path.c_str());
        EXPECT_EQ(0, wrong.Serialize(out));
    }
    FILE* f = std::fopen(path.c_str(), "rb");
    ASSERT_TRUE(f);
    std::fseek(f, 0, SEEK_END);
    EXPECT_EQ(0L, std::ftell(f));
    std::fclose(f);

    DSol8rBase e;
    e.m_cShape = 2;
    EXPECT_EQ(Bytes(B().i32(0).i16(1).i16(1).i8(2).i16(0).f32(0).i16(0).i16(1)), Written(e));
    e.SetPrism(nodes);
    DSol8rBase er;
    ExpectReads(Written(e), er, 129);
    EXPECT_TRUE(er.IsPrism());
    EXPECT_EQ(105, er.m_nNodes[5]);
    EXPECT_EQ(0, er.m_nNodes[6]);
    EXPECT_TRUE(er == e);

    DThreedBase t;
    t.SetNodes(nodes);
    DThreedBase tr;
    ExpectReads(Written(t), tr, 129);
    EXPECT_TRUE(tr == t);
    EXPECT_EQ(size_t(8 + 32 + 6 + 2 + 2), Written(t).size());
    DS16Base s16;
    s16.SetNodes(nodes);
    EXPECT_EQ(size_t(8 + 64 + 6 + 2 + 2), Written(s16).size());
}

TEST(AreaElements, ShellThicknessAndOldVersion)
{
    DShellBase s;
    int nodes[4] = {1, 2, 3, 4};
    s.SetShell(nodes, 0.2, 0);
    for (auto& pair : s.m_fThick) EXPECT_FLOAT_EQ(0.2f, pair[1]);
    s.SetFilm(nodes, 0.2);
    EXPECT_EQ(0.0f, s.m_fThick[3][1]);
    s.SetSlab(nodes, 0.15);
    EXPECT_EQ(0.0f, s.m_fThick[0][0]);
    EXPECT_FLOAT_EQ(0.15f, s.m_fThick[0][1]);

    s.SetShell(nodes, 0.3, 0.25);
    s.m_fThick[2][0] = 0.5f;
    B body;
    body.i32(0).i16(1).i16(1).i8(0).i8(0).i32s({1, 2, 3, 4}).i16(0).f32(0.3f).f32(0.25f).i8(100).f32(0).i16(0).i16(1);
    Bytes golden = B(body).f32s({0.3f, 0.25f, 0.5f, 0.25f, 0.3f, 0.25f});
    EXPECT_EQ(golden, Written(s));
    DShellBase r;
    ExpectReads(golden, r, 129);
    EXPECT_EQ(0.5f, r.m_fThick[2][0]);
    double a, b;
    r.GetAverageThick(a, b);
    EXPECT_NEAR((0.3 * 3 + 0.5) / 4, a, 1e-6);

    DShellBase r120;
    ExpectReads(body, r120, 120);
    for (auto& pair : r120.m_fThick) {
        EXPECT_FLOAT_EQ(0.3f, pair[0]);
        EXPECT_FLOAT_EQ(0.25f, pair[1]);
    }
    DShellBase tri;
    int t3[4] = {4, 2, 1, 0};
    tri.SetNodes(t3, 0);
    EXPECT_TRUE(tri.IsTriangle());
    EXPECT_EQ(3, tri.GetNodeNum());
}

TEST(AreaElements, WallLayoutAndHole)
{
    DWallBase w;
    int nodes[4] = {5, 6, 7, 8};
    w.SetShellWall(nodes, 0.2, 0.18);
    w.SetHole(0.00005, 0.00005, 0.00005, 0.00005);
    EXPECT_EQ(1, w.m_cHole);
    w.SetHole(1, 2, 0.5, 0.5);
    EXPECT_EQ(2, w.m_cHole);
    Bytes golden = B().i32(0)
                       .i16(1)
                       .i16(1)
                       .i8(0)
                       .i8(0)
                       .i8(2)
                       .f32s({1, 2, 0.5f, 0.5f})
                       .i32s({5, 6, 7, 8})
                       .i16(0)
                       .f32(0.2f)
                       .f32(0.18f)
                       .f32(0)
                       .f32(0)
                       .i8(0)
                       .i16(0)
                       .i16(1);
    EXPECT_EQ(golden, Written(w));
    DWallBase r;
    ExpectReads(golden, r, 129);
    EXPECT_TRUE(r == w);
    DWallBase other;
    int perm[4] = {8, 7, 6, 5};
    other.SetFilmWall(perm, 0.2);
    EXPECT_FALSE(other == w);  // another kind
    other.m_cKind = 0;
    EXPECT_TRUE(other == w);
}

TEST(SteelFrame, SectionGoldenBytesAndOldForms)
{
    DSframeSect s;
    const Bytes golden = {0x00, 0x00, 0x0A, 0x08, 0x00, 0x00, 0x00, 's', 'f', 'r',  'S',  'e',  'c',
                          't',  0x00, 0x07, 'D',  '1',  '0',  '0',  '*', '8', 0x00, 0x03, 0x00, 0,
                          0,    0,    0,    0,    0,    0,    0,    0,   0,   0,    0};
    EXPECT_EQ(golden, Written(s));
    EXPECT_NEAR(3.141592653589793 * 8 * 92 * 1e-6, s.GetSectArea(0), 1e-12);

    // Version 120, string form.
    DSframeSect r;
    ExpectReads(B().i16(3).i8(1).str("s1").i8(5).raw("I20A", 5).i8(3).i8(0).f32s({0, 0, 0}), r, 120);
    EXPECT_EQ(2, r.m_cPattern);
    EXPECT_STREQ("I20A", r.m_SectData);
    EXPECT_NEAR(35.55e-4, r.GetSectArea(0), 1e-9);
    ExpectReads(B().i16(3).i8(1).str("s1").i8(4).raw("Z12", 4).i8(3).i8(0).f32s({0, 0, 0}), r, 120);
    EXPECT_EQ(0, r.m_cPattern);
    EXPECT_STREQ("Z12", r.m_SectData);

    // Version 120, block form: 182 bytes and 2 skipped bytes.
    char block[182] = {0};
    float area = 12.5f, a = 3, b = 4;
    int16_t shape = 81;
    std::memcpy(block + 60, &area, 4);
    std::memcpy(block + 116, &a, 4);
    std::memcpy(block + 144, &b, 4);
    std::memcpy(block + 176, &shape, 2);
    ExpectReads(B().i16(3).i8(2).str("u").raw(block, 182).zeros(2).i8(1).i8(0).f32s({1, 2, 3}), r, 120);
    EXPECT_EQ(0, r.m_cPattern);
    EXPECT_EQ(7.0, r.GetSectArea(1));
    Bytes now = B().i16(3).i8(0).str("u").raw(block, 182).i8(1).i8(0).f32s({1, 2, 3});
    EXPECT_EQ(now, Written(r));
    shape = 5;
    std::memcpy(r.m_SectData + 176, &shape, 2);
    EXPECT_EQ(12.5, r.GetSectArea(1));

    // A string longer than the section data is refused.
    Bytes longer = B().i16(3).i8(1).str("s").i8(200).zeros(200).i8(3).i8(0).f32s({0, 0, 0});
    DSframeSect kept;
    EXPECT_EQ(0, ReadBytes(longer, kept, 129));
    EXPECT_STREQ("D100*8", kept.m_SectData);
    EXPECT_STREQ("sfrSect", kept.m_pName);
}

TEST(SteelFrame, MemberLayout)
{
    DSframeBase m(3, 7);
    m.m_fAttr[5] = 2;
    Bytes golden = B().i32(0)
                       .i16(1)
                       .i16(1)
                       .i32(3)
                       .i32(7)
                       .f32s({0, 0, 0})
                       .i16(0)
                       .i16(0)
                       .f32s({0, 0, 0, 0, 0, 2})
                       .zeros(6)
                       .i8(1)
                       .i8(1)
                       .i16(0)
                       .i16(1);
    EXPECT_EQ(golden, Written(m));
    DSframeBase r;
    r.m_sLastAttr = 1;
    ExpectReads(Bytes(golden.begin(), golden.end() - 2), r, 100);
    EXPECT_EQ(1, r.m_sLastAttr);
    EXPECT_TRUE(r == DSframeBase(7, 3));
}

namespace {

// Reads a record written now, without its final attribute word (and any
// later tail), as a version-100 file: every byte is taken and the word keeps
// its default.
template <class T>
void ExpectVersion100(T& written, size_t laterTail = 0)
{
    Bytes now = Written(written);
    Bytes old(now.begin(), now.end() - long(2 + laterTail));
    T r;
    r.m_sLastAttr = 1;
    ExpectReads(old, r, 100);
    EXPECT_EQ(1, r.m_sLastAttr);
    EXPECT_TRUE(r == written);
}

}  // namespace

TEST(AreaElements, Version100FilesLackTheFinalWord)
{
    int nodes[21] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21};
    DPlaneBase plane;
    plane.SetQuadNodes(nodes);
    plane.m_sLastAttr = 9;
    ExpectVersion100(plane);
    DThreedBase three;
    three.SetNodes(nodes);
    three.m_sLastAttr = 9;
    ExpectVersion100(three);
    DS16Base s16;
    s16.SetNodes(nodes);
    s16.m_sLastAttr = 9;
    ExpectVersion100(s16);
    DSol21Base s21;
    s21.SetPrism(nodes, 15);
    s21.m_sLastAttr = 9;
    ExpectVersion100(s21);
    DSol8rBase s8;
    s8.SetHexahedron(nodes);
    s8.m_sLastAttr = 9;
    ExpectVersion100(s8);
    DWallBase wall;
    wall.SetSlabWall(nodes, 0.3);
    wall.m_sLastAttr = 9;
    ExpectVersion100(wall);
    DShellBase shell;
    shell.SetShell(nodes, 0.3, 0.2);
    shell.m_sLastAttr = 9;
    ExpectVersion100(shell, 24);
    DPipeBase pipe(3, 4);
    pipe.SetCurveData(1, 0, 1, 0, 2);
    pipe.m_sLastAttr = 9;
    ExpectVersion100(pipe);
}

TEST(SteelFrame, OldSectionWithoutStringOrBlock)
{
    DSframeSect r;
    ExpectReads(B().i16(3).i8(3).str("none").i8(1).i8(0).f32s({1, 2, 3}), r, 127);
    EXPECT_EQ(0, r.m_cPattern);
    EXPECT_STREQ("none", r.m_pName);
    EXPECT_STREQ("D100*8", r.m_SectData);  // untouched
    EXPECT_EQ(3.0f, r.m_fReal[2]);
}
