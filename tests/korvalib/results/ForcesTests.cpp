// Force, check and reinforcement records: copies, setters, conversions to
// frame sections and their stream records (bytes worked out from the layouts).
#include <gtest/gtest.h>

#include <cstring>

#include "korvalib/results/Forces.h"
#include "korvalib/base/biostream.h"
#include "tests/support/LeBytes.h"
#include "tests/support/TestFiles.h"

using vektest::Bytes;
using vektest::LeBytes;
using vektest::ReadFileBytes;
using vektest::TempDir;

namespace {

template <class T>
Bytes Written(TempDir& dir, T& rec)
{
    std::string path = dir.File("rec.bin");
    {
        bofstream out(path.c_str());
        rec.Serialize(out);
    }
    return ReadFileBytes(path);
}

}  // namespace

TEST(FrameForce, SettersCopiesAndClear)
{
    DFrameForce f;
    EXPECT_EQ(f.m_nID, 0);
    EXPECT_EQ(f.nSect, 0);
    EXPECT_EQ(f.pSect, nullptr);

    double rows[3][7];
    for (int i = 0; i < 3; ++i)
        for (int c = 0; c < 7; ++c) rows[i][c] = i * 10 + c;
    ASSERT_EQ(f.SetSectForce(3, rows), 1);
    f.m_nID = 4;
    DFrameForce g(f);
    ASSERT_EQ(g.nSect, 3);
    EXPECT_NE(g.pSect, f.pSect);
    f.pSect[1][2] = -1;
    EXPECT_EQ(g.pSect[1][2], 12);  // the copy owns its rows
    EXPECT_EQ(g.m_nID, 4);

    g = g;  // self-assignment keeps everything
    EXPECT_EQ(g.nSect, 3);
    EXPECT_EQ(g.pSect[2][6], 26);

    const double extra[7] = {9, 8, 7, 6, 5, 4, 3};
    ASSERT_EQ(g.AddSectForce(extra), 1);
    EXPECT_EQ(g.nSect, 4);
    EXPECT_EQ(g.pSect[3][0], 9);
    EXPECT_EQ(g.pSect[0][1], 1);

    ASSERT_EQ(f.SetSectForce(0, nullptr), 1);
    EXPECT_EQ(f.nSect, 0);
    EXPECT_EQ(f.pSect, nullptr);

    // a count that does not fit the 8-bit field is refused, not wrapped
    std::vector<double[7]> many(256);
    EXPECT_EQ(g.SetSectForce(256, many.data()), 0);
    EXPECT_EQ(g.nSect, 4);
    g.Clear();
    EXPECT_EQ(g.nSect, 0);
    EXPECT_EQ(g.pSect, nullptr);
}

TEST(FrameForce, CopyFromOtherElements)
{
    DFrameForce f;
    DTrussForce t;
    t.m_nID = 3;
    t.force = -12.5;
    ASSERT_EQ(f.CopyFrom(t, 4.0), 1);
    EXPECT_EQ(f.m_nID, 3);
    ASSERT_EQ(f.nSect, 2);
    EXPECT_EQ(f.pSect[0][0], 0);
    EXPECT_EQ(f.pSect[1][0], 4.0);
    EXPECT_EQ(f.pSect[0][1], -12.5);
    EXPECT_EQ(f.pSect[1][1], -12.5);
    EXPECT_EQ(f.pSect[1][2], 0);

    DPipeForce p;
    p.m_nID = 8;
    p.bMiddle = 1;
    for (int c = 0; c < 6; ++c) {
        p.forceI[c] = c + 1;
        p.forceM[c] = c + 11;
        p.forceJ[c] = c + 21;
    }
    ASSERT_EQ(f.CopyFrom(p, 6.0), 1);
    ASSERT_EQ(f.nSect, 3);
    EXPECT_EQ(f.pSect[0][0], 0);
    EXPECT_EQ(f.pSect[1][0], 3);
    EXPECT_EQ(f.pSect[2][0], 6);
    EXPECT_EQ(f.pSect[1][1], 11);
    EXPECT_EQ(f.pSect[2][6], 26);
    p.bMiddle = 0;
    ASSERT_EQ(f.CopyFrom(p, 6.0), 1);
    ASSERT_EQ(f.nSect, 2);
    EXPECT_EQ(f.pSect[1][1], 21);

    DCframeForce c;
    c.forceI[5] = 7;
    c.forceJ[0] = 9;
    ASSERT_EQ(f.CopyFrom(c, 2.0), 1);
    EXPECT_EQ(f.pSect[0][6], 7);
    EXPECT_EQ(f.pSect[1][1], 9);

    DWallForce w;
    w.m_nID = 5;
    w.nHoleKind = 1;  // slots 2..4: slot 1 empty
    ASSERT_EQ(w.AllocAndZeroMemoryAccordnHole(), 1);
    EXPECT_EQ(f.CopyFrom(w, 3.0), 0);
    EXPECT_EQ(f.m_nID, 5);
    EXPECT_EQ(f.nSect, 0);

    w.nHoleKind = 0;
    ASSERT_EQ(w.AllocAndZeroMemoryAccordnHole(), 1);
    for (int i = 0; i < 12; ++i) w.pPiece[0]->value[i] = 100 + i;
    ASSERT_EQ(f.CopyFrom(w, 3.0), 1);
    const double first[6] = {100, 101, 102, 108, 106, 107};
    const double second[6] = {103, 104, 105, 111, 109, 110};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(f.pSect[0][i + 1], first[i]);
        EXPECT_EQ(f.pSect[1][i + 1], second[i]);
    }
}

TEST(FrameForce, StreamRecordBytes)
{
    TempDir dir("ff");
    DFrameForce f;
    f.m_nID = 0x0102;
    double rows[1][7] = {{0.5, 1, 2, 3, 4, 5, 6}};
    f.SetSectForce(1, rows);
    Bytes want;
    LeBytes::Onto(want).i32(0x0102);
    want.push_back(1);
    for (double v : rows[0]) LeBytes::Onto(want).f64(v);
    EXPECT_EQ(Written(dir, f), want);

    bifstream in(dir.File("rec.bin").c_str());
    DFrameForce g;
    g.Serialize(in);
    EXPECT_TRUE(in.IsGood());
    EXPECT_EQ(g.m_nID, 0x0102);
    ASSERT_EQ(g.nSect, 1);
    EXPECT_EQ(g.pSect[0][6], 6);
}

TEST(FrameForce, TruncatedRecordFailsTheStream)
{
    TempDir dir("fft");
    Bytes b;
    LeBytes::Onto(b).i32(3);
    b.push_back(2);  // two rows announced, one present
    for (int i = 0; i < 7; ++i) LeBytes::Onto(b).f64(i);
    vektest::WriteFileBytes(dir.File("t.bin"), b);
    bifstream in(dir.File("t.bin").c_str());
    DFrameForce f;
    f.Serialize(in);
    EXPECT_FALSE(in.IsGood());
}

TEST(FixedForces, StreamRecordBytes)
{
    TempDir dir("fx");
    DTrussForce t;
    t.m_nID = 2;
    t.force = 1.25;
    Bytes want;
    LeBytes::Onto(want).i32(2);
    LeBytes::Onto(want).f64(1.25);
    EXPECT_EQ(Written(dir, t), want);

    DSpringForce s;
    s.m_nID = 2;
    s.force = 1.25;
    EXPECT_EQ(Written(dir, s), want);

    DPipeForce p;
    p.m_nID = 9;
    p.bMiddle = 0;
    p.forceM[0] = 77;  // written even without the middle flag
    want.clear();
    LeBytes::Onto(want).i32(9);
    want.push_back(0);
    for (int i = 0; i < 18; ++i) LeBytes::Onto(want).f64(i == 6 ? 77.0 : 0.0);
    EXPECT_EQ(Written(dir, p), want);

    DCframeForce c;
    c.m_nID = 1;
    c.forceJ[5] = -3;
    want.clear();
    LeBytes::Onto(want).i32(1);
    for (int i = 0; i < 12; ++i) LeBytes::Onto(want).f64(i == 11 ? -3.0 : 0.0);
    EXPECT_EQ(Written(dir, c), want);
    bifstream in(dir.File("rec.bin").c_str());
    DCframeForce d;
    d.Serialize(in);
    EXPECT_EQ(d.forceJ[5], -3);
}

TEST(ShellForce, RoundTripAndNegativeCount)
{
    TempDir dir("sh");
    DShellForce s;
    s.m_nID = 6;
    double rows[2][8];
    for (int i = 0; i < 2; ++i)
        for (int c = 0; c < 8; ++c) rows[i][c] = i + c / 10.0;
    ASSERT_EQ(s.SetNodeForce(2, rows), 1);
    Bytes b = Written(dir, s);
    ASSERT_EQ(b.size(), 4u + 2 + 2 * 64);
    EXPECT_EQ(b[4], 2);
    EXPECT_EQ(b[5], 0);
    DShellForce copy;
    copy = s;
    EXPECT_NE(copy.pNode, s.pNode);
    {
        bifstream in(dir.File("rec.bin").c_str());
        DShellForce r;
        r.Serialize(in);
        EXPECT_TRUE(in.IsGood());
        ASSERT_EQ(r.nNode, 2);
        EXPECT_EQ(r.pNode[1][7], 1.7);
    }
    b[4] = 0xff;
    b[5] = 0xff;  // count -1
    vektest::WriteFileBytes(dir.File("bad.bin"), b);
    bifstream in(dir.File("bad.bin").c_str());
    DShellForce r;
    r.Serialize(in);
    EXPECT_FALSE(in.IsGood());
    EXPECT_EQ(r.nNode, 0);
    EXPECT_EQ(r.pNode, nullptr);
}

TEST(WallForce, ValidityAndSlots)
{
    struct Case {
        int kind;
        int mask;
    } cases[] = {{0, 0x01}, {1, 0x0E}, {2, 0x01}, {3, 0x1F}, {4, 0}, {255, 0}};
    for (const Case& c : cases) {
        DWallForce w;
        w.m_nID = 1;
        w.nHoleKind = static_cast<unsigned char>(c.kind);
        ASSERT_EQ(w.AllocAndZeroMemoryAccordnHole(), 1);
        for (int s = 0; s < 5; ++s)
            EXPECT_EQ(w.pPiece[s] != nullptr, ((c.mask >> s) & 1) != 0) << c.kind << " slot " << s;
        EXPECT_EQ(w.IsValid(), c.kind <= 3 ? 1 : 0);
    }
    DWallForce w;
    w.nHoleKind = 0;
    w.AllocAndZeroMemoryAccordnHole();
    EXPECT_EQ(w.IsValid(), 0);  // ID 0
    w.m_nID = 3;
    w.nEndKind = 3;
    EXPECT_EQ(w.IsValid(), 0);
    w.nEndKind = 2;
    EXPECT_EQ(w.IsValid(), 1);
    delete w.pPiece[0];
    w.pPiece[0] = nullptr;
    EXPECT_EQ(w.IsValid(), 0);
}

TEST(WallForce, InvalidRecordWritesOnlyWhatTheReaderReads)
{
    TempDir dir("wf");
    DWallForce w;
    w.m_nID = 12;
    w.nHoleKind = 1;
    w.nEndKind = 0;
    ASSERT_EQ(w.AllocAndZeroMemoryAccordnHole(), 1);
    delete w.pPiece[3];  // slot 4 missing
    w.pPiece[3] = nullptr;
    w.pPiece[1]->value[0] = 5;

    DTrussForce after;
    after.m_nID = 77;
    after.force = 2.5;
    std::string path = dir.File("w.bin");
    {
        bofstream out(path.c_str());
        w.Serialize(out);
        after.Serialize(out);
    }
    Bytes want;
    LeBytes::Onto(want).i32(12);
    want.push_back(255);
    want.push_back(0);
    LeBytes::Onto(want).i32(77);
    LeBytes::Onto(want).f64(2.5);
    EXPECT_EQ(ReadFileBytes(path), want);
    // writing did not change the record
    EXPECT_EQ(w.nHoleKind, 1);
    EXPECT_NE(w.pPiece[1], nullptr);

    bifstream in(path.c_str());
    DWallForce r;
    r.Serialize(in);
    DTrussForce t;
    t.Serialize(in);
    EXPECT_TRUE(in.IsGood());
    EXPECT_EQ(r.m_nID, 12);
    EXPECT_EQ(r.nHoleKind, 255);
    for (auto* p : r.pPiece) EXPECT_EQ(p, nullptr);
    EXPECT_EQ(t.m_nID, 77);
    EXPECT_EQ(t.force, 2.5);
}

TEST(WallForce, ValidRecordRoundTrip)
{
    TempDir dir("wv");
    DWallForce w;
    w.m_nID = 4;
    w.nHoleKind = 3;
    w.nEndKind = 1;
    ASSERT_EQ(w.AllocAndZeroMemoryAccordnHole(), 1);
    for (int s = 0; s < 5; ++s)
        for (int i = 0; i < 12; ++i) w.pPiece[s]->value[i] = s * 100 + i;
    Bytes b = Written(dir, w);
    ASSERT_EQ(b.size(), 4u + 2 + 5 * 96);
    EXPECT_EQ(b[4], 3);
    EXPECT_EQ(b[5], 1);
    DWallForce copy(w);
    EXPECT_NE(copy.pPiece[2], w.pPiece[2]);
    EXPECT_EQ(copy.pPiece[2]->value[11], 211);

    bifstream in(dir.File("rec.bin").c_str());
    DWallForce r;
    r.Serialize(in);
    EXPECT_TRUE(in.IsGood());
    EXPECT_EQ(r.IsValid(), 1);
    EXPECT_EQ(r.pPiece[4]->value[7], 407);
}

TEST(SframeCheck, SettersAndStream)
{
    TempDir dir("sc");
    DSframeCheck c;
    c.m_nID = 2;
    double row[21];
    for (int i = 0; i < 21; ++i) row[i] = i;
    ASSERT_EQ(c.AddSectCheck(row), 1);
    ASSERT_EQ(c.AddSectCheck(row), 1);
    EXPECT_EQ(c.nSect, 2);
    Bytes b = Written(dir, c);
    EXPECT_EQ(b.size(), 4u + 1 + 2 * 168);
    bifstream in(dir.File("rec.bin").c_str());
    DSframeCheck r;
    r.Serialize(in);
    ASSERT_EQ(r.nSect, 2);
    EXPECT_EQ(r.pSect[1][20], 20);
    EXPECT_EQ(c.SetSectCheck(0, nullptr), 1);
    EXPECT_EQ(c.pSect, nullptr);
}

TEST(FrameRein, DefaultsSectionsAndBytes)
{
    TempDir dir("rn");
    DFrameRein r;
    EXPECT_EQ(r.nKind, 1);
    EXPECT_EQ(r.nTorKind, 12);
    r.m_nID = 0x203;
    r.nKind = 2;
    ASSERT_EQ(r.SetSectNum(2), 1);
    // added sections are zeroed, so nothing uninitialised is written
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(+r.pSect[i].pos, 0.0f);
        EXPECT_EQ(+r.pSect[i].hoopCode, 0);
    }
    r.pSect[1].pos = 1.5f;
    r.pSect[1].upCode = 7;
    r.pSect[1].dir3Kind = 4;
    EXPECT_EQ(r.SetSectNum(300), 0);  // refused, not taken modulo 256
    EXPECT_EQ(r.nSect, 2);
    ASSERT_EQ(r.SetSectNum(3), 1);
    EXPECT_EQ(+r.pSect[1].upCode, 7);  // kept
    EXPECT_EQ(+r.pSect[2].up1, 0.0f);
    ASSERT_EQ(r.SetSectNum(2), 1);
    r.nTorKind = 11;
    r.nTorCode = -2;
    r.fTor[3] = 0.25f;

    Bytes want;
    LeBytes::Onto(want).i32(0x203);
    want.push_back(2);
    want.push_back(2);
    Bytes zero(57, 0);
    want.insert(want.end(), zero.begin(), zero.end());
    // section 2: position 1.5 at 0, upper code 7 at 4, third-direction kind 4 at 35
    Bytes s2(57, 0);
    Bytes pos;
    LeBytes::Onto(pos).f32(1.5f);
    std::copy(pos.begin(), pos.end(), s2.begin());
    s2[4] = 7;
    s2[35] = 4;
    want.insert(want.end(), s2.begin(), s2.end());
    want.push_back(11);
    LeBytes::Onto(want).i16(-2);
    for (float v : {0.0f, 0.0f, 0.0f, 0.25f}) LeBytes::Onto(want).f32(v);
    EXPECT_EQ(Written(dir, r), want);

    bifstream in(dir.File("rec.bin").c_str());
    DFrameRein back;
    back.Serialize(in);
    EXPECT_TRUE(in.IsGood());
    EXPECT_EQ(back.nSect, 2);
    EXPECT_EQ(+back.pSect[1].dir3Kind, 4);
    EXPECT_EQ(back.nTorCode, -2);

    DFrameRein copy;
    copy = back;
    EXPECT_NE(copy.pSect, back.pSect);
    copy.Clear();
    EXPECT_EQ(copy.m_nID, 0x203);
    EXPECT_EQ(copy.nKind, 2);
    EXPECT_EQ(copy.nSect, 0);
    EXPECT_EQ(copy.nTorKind, 12);
    EXPECT_EQ(copy.fTor[3], 0.0f);
}
