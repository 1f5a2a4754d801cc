// Keyed lists, node records and the common control record: their bytes,
// round trips, version rules, equality and damaged input.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/support/LeBytes.h"
#include "tests/support/TestFiles.h"
#include "tests/support/VersionGuard.h"
#include "korvalib/model/CommonData.h"
#include "korvalib/model/KeyedLists.h"
#include "korvalib/model/NodeRecords.h"
#include "korvalib/base/biostream.h"

using namespace vektest;

namespace {

template <class T>
Bytes WriteBytes(T& record)
{
    TempFile f("rec");
    {
        bofstream out(f.c_str());
        EXPECT_EQ(record.Serialize(out), 1);
    }
    return f.ReadAll();
}

// Reads a record from bytes at the given stream version.
template <class T>
int ReadBytes(T& record, const Bytes& bytes, int16_t version = 129)
{
    TempFile f("rec");
    f.WriteAll(bytes);
    VersionGuard g;
    nVersion = version;
    bifstream in(f.c_str());
    return record.Serialize(in);
}

}  // namespace

TEST(KeyedLists, InsertKeepsKeysSortedAndUnique)
{
    DElementLoad l;
    EXPECT_EQ(l.Insert(5, 50), 1);
    EXPECT_EQ(l.Insert(2, 20), 1);
    EXPECT_EQ(l.Insert(9, 90), 1);
    EXPECT_EQ(l.Insert(5, 55), 1);  // replaces
    ASSERT_EQ(l.Entries(), 3);
    EXPECT_EQ(l[0].nKey, 2);
    EXPECT_EQ(l[1].nKey, 5);
    EXPECT_EQ(l[1].nValue, 55);
    EXPECT_EQ(l[2].nKey, 9);
    EXPECT_EQ(l.Index(9), 2);
    EXPECT_EQ(l.Index(3), -1);
    EXPECT_EQ(l.Remove(5), 1);
    EXPECT_EQ(l.Entries(), 2);
    EXPECT_EQ(l.Index(9), 1);
    EXPECT_EQ(l.Remove(4), 0) << "removing an absent key changes nothing";
    EXPECT_EQ(l.Insert(7, 0), 0) << "a new key with an empty value is not added";
    EXPECT_EQ(l.Insert(7, -3), 0);
    EXPECT_EQ(l.Entries(), 2);
    l.RemoveAt(5);
    l.RemoveAt(-1);
    EXPECT_EQ(l.Entries(), 2);
    l.RemoveAt(0);
    EXPECT_EQ(l.Entries(), 1);
    EXPECT_EQ(l[0].nKey, 9);
    EXPECT_EQ(DElementLoad().Index(1), -1);
}

TEST(KeyedLists, KeysBelowOneAreRefused)
{
    DElementLoad l;
    DNumFactors n;
    DWeightFactor w;
    for (int16_t key : {0, -1, -32768}) {
        EXPECT_EQ(l.Insert(key, 3), 0);
        EXPECT_EQ(n.Insert(key, 1.0f, 1), 0);
        EXPECT_EQ(w.Insert(key, 1, 1, 1), 0);
    }
    EXPECT_EQ(l.Entries() + n.Entries() + w.Entries(), 0);
}

TEST(KeyedLists, EmptyDataRules)
{
    DNumFactors n;
    EXPECT_EQ(n.Insert(3, 0.0005f, 0), 0);
    EXPECT_EQ(n.Entries(), 0);
    EXPECT_EQ(n.Insert(3, 0.0005f, 1), 1);
    EXPECT_EQ(n.Entries(), 1);
    EXPECT_EQ(n.Insert(3, -0.0009f, 0), 1) << "an empty factor removes the key";
    EXPECT_EQ(n.Entries(), 0);
    EXPECT_EQ(n.Insert(3, 0.002f, 0), 1);

    DWeightFactor w;
    EXPECT_EQ(w.Insert(1, 0.0004f, -0.0004f, 0.0002f), 0);
    EXPECT_EQ(w.Insert(1, 0.0004f, -0.0004f, 0.0003f), 1);
    ASSERT_EQ(w.Entries(), 1);
    EXPECT_FLOAT_EQ(w[0].fValue[2], 0.0003f);
    EXPECT_EQ(w.Remove(1), 1);
    EXPECT_EQ(w.Entries(), 0);
}

TEST(KeyedLists, RemovingTheOnlyEntryLeavesJustTheCount)
{
    DElementLoad l;
    l.Insert(4, 1);
    l.Remove(4);
    EXPECT_EQ(l.Entries(), 0);
    EXPECT_EQ(WriteBytes(l), (Bytes{0x00, 0x00}));
}

TEST(KeyedLists, GoldenBytes)
{
    DElementLoad l;
    l.Insert(5, 300);
    l.Insert(2, 7);
    EXPECT_EQ(WriteBytes(l),
              (Bytes{0x02, 0x00, 0x02, 0x00, 0x07, 0x00, 0x00, 0x00, 0x05, 0x00, 0x2C, 0x01, 0x00, 0x00}));

    DNumFactors n;
    n.Insert(1, 1.0f, 0);
    EXPECT_EQ(WriteBytes(n), (Bytes{0x01, 0x00, 0x01, 0x00, 0x00, 0x00, 0x80, 0x3F}));

    DWeightFactor w;
    w.Insert(3, 1.0f, 0.0f, -2.0f);
    EXPECT_EQ(WriteBytes(w),
              (Bytes{0x01, 0x00, 0x03, 0x00, 0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0}));
}

TEST(KeyedLists, RoundTripAndDeepCopy)
{
    DWeightFactor w;
    w.Insert(2, 1, 2, 3);
    w.Insert(1, 4, 5, 6);
    DWeightFactor back;
    back.Insert(9, 9, 9, 9);  // replaced by the read
    ASSERT_EQ(ReadBytes(back, WriteBytes(w)), 1);
    EXPECT_TRUE(back == w);
    ASSERT_EQ(back.Entries(), 2);
    EXPECT_EQ(back[0].nKey, 1);
    EXPECT_EQ(back[1].fValue[2], 3.0f);

    DNumFactors a;
    a.Insert(1, 2.0f, 0);
    a.Insert(4, 3.0f, 0);
    DNumFactors b(a);
    b.Insert(4, 3.5f, 0);
    EXPECT_EQ(a[1].fFactor, 3.0f) << "a copy owns its own buffer";
    EXPECT_FALSE(a == b);
    b = a;
    EXPECT_TRUE(a == b);
    b = b;
    EXPECT_EQ(b.Entries(), 2);
    b.Insert(4, 3.0009f, 0);
    EXPECT_TRUE(a == b) << "factors within the combination tolerance";

    DElementLoad l1, l2;
    l1.Insert(1, 5);
    l2.Insert(2, 6);
    EXPECT_TRUE(l1 == l2) << "load lists compare their counts only";
    DElementLoad l3(l1);
    l3 = DElementLoad();
    EXPECT_EQ(l3.Entries(), 0);
}

TEST(KeyedLists, DamagedListsAreRefused)
{
    struct Case {
        const char* what;
        Bytes bytes;
    } cases[] = {
        {"negative count", Cat({Le16(-1), Le16(1), Le32(5)})},
        {"count beyond the file", Cat({Le16(32767), Le16(1), Le32(5)})},
        {"entry cut short", Cat({Le16(2), Le16(1), Le32(5), Le16(2), {0x01}})},
        {"key zero", Cat({Le16(1), Le16(0), Le32(5)})},
        {"keys out of order", Cat({Le16(2), Le16(4), Le32(5), Le16(3), Le32(5)})},
        {"repeated key", Cat({Le16(2), Le16(4), Le32(5), Le16(4), Le32(5)})},
        {"no count", {0x01}},
    };
    for (const auto& c : cases) {
        DElementLoad l;
        l.Insert(1, 1);
        EXPECT_EQ(ReadBytes(l, c.bytes), 0) << c.what;
        EXPECT_EQ(l.Entries(), 0) << c.what;
    }
    DElementLoad ok;
    EXPECT_EQ(ReadBytes(ok, Cat({Le16(2), Le16(1), Le32(5), Le16(3), Le32(-2)})), 1);
    EXPECT_EQ(ok.Entries(), 2);
}

TEST(KeyedLists, SetSize)
{
    DElementLoad l;
    l.Insert(3, 30);
    ASSERT_EQ(l.SetSize(3), 1);
    EXPECT_EQ(l.Entries(), 3);
    EXPECT_EQ(l[0].nKey, 3);
    EXPECT_EQ(l.SetSize(-1), 0);
    EXPECT_EQ(l.SetSize(40000), 0);
    EXPECT_EQ(l.Entries(), 3);
    EXPECT_EQ(l.SetSize(0), 1);
    EXPECT_EQ(l.Entries(), 0);
}

TEST(NodeRecords, NodeGoldenBytes)
{
    DNodeBase n(1.0, -2.5, 0.0);
    n.m_nID = 7;
    n.Rest(1);
    n.Rest(3);
    n.m_fAttr = 1.0f;
    n.m_Loads.Insert(1, 9);
    const Bytes expected = {
        0x07, 0x00, 0x00, 0x00,                          // number
        0x01, 0x00, 0x01, 0x00,                          // two attribute words
        0,    0,    0,    0,    0,    0,    0xF0, 0x3F,  // x 1.0
        0,    0,    0,    0,    0,    0,    0x04, 0xC0,  // y -2.5
        0,    0,    0,    0,    0,    0,    0x00, 0x00,  // z 0
        0x00, 0x05,                                      // flag, restraints 1 and 3
        0x00, 0x00, 0x00, 0x00, 0x01,                    // int, flag 1
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0x3F,  // int, float 1.0
        0x01,                                            // flag 1
        0x01, 0x00, 0x01, 0x00, 0x09, 0x00, 0x00, 0x00,  // one load: key 1, value 9
    };
    const Bytes got = WriteBytes(n);
    EXPECT_EQ(got.size(), 4u + 2 + 2 + 24 + 1 + 1 + 4 + 1 + 4 + 4 + 1 + 8);
    EXPECT_EQ(got, expected);

    DNodeBase back;
    ASSERT_EQ(ReadBytes(back, got), 1);
    EXPECT_EQ(back.m_nID, 7);
    EXPECT_EQ(back.m_cRestraint, 5);
    EXPECT_TRUE(back.IsRest(3));
    EXPECT_FALSE(back.IsRest(2));
    EXPECT_EQ(back[1], -2.5);
    EXPECT_EQ(back.m_Loads.Entries(), 1);
    EXPECT_EQ(back.m_Loads[0].nValue, 9);
    EXPECT_EQ(back.m_cFlag2, 1);
}

TEST(NodeRecords, RestraintBits)
{
    DNodeBase n;
    for (int d = 1; d <= 6; ++d) n.Rest(d);
    EXPECT_EQ((unsigned char)n.m_cRestraint, 0x3F);
    n.UnRest(6);
    n.Rest(0);
    n.Rest(7);
    n.Rest(-40);
    EXPECT_EQ((unsigned char)n.m_cRestraint, 0x1F);
    EXPECT_FALSE(n.IsRest(0));
    EXPECT_FALSE(n.IsRest(100));
}

TEST(NodeRecords, SmallRecordsGoldenBytesAndRoundTrips)
{
    const double six[6] = {1, 2, 3, 4, 5, 6};
    const double two[6] = {0.5, 0, 0, 0, 0, -1};
    DNodeMass m(3, six);
    m.IncreaseMass(two);
    EXPECT_EQ(WriteBytes(m), Cat({Le32(3), F32(1.5f), F32(2), F32(3), F32(4), F32(5), F32(5)}));
    DNodeMass m2;
    ASSERT_EQ(ReadBytes(m2, WriteBytes(m)), 1);
    EXPECT_TRUE(m2 == m);
    EXPECT_EQ(m2.m_nID, 3);
    m2.DecreaseMass(two);
    EXPECT_EQ(m2.m_fMass[0], 1.0f);

    DNodeLoad l(4, six, nullptr);
    l.IncreaseDisplace(two);
    const Bytes lb = WriteBytes(l);
    EXPECT_EQ(lb, Cat({Le32(4), F32(1), F32(2), F32(3), F32(4), F32(5), F32(6), F32(0.5f), F32(0), F32(0), F32(0),
                       F32(0), F32(-1)}));
    DNodeLoad l2;
    ASSERT_EQ(ReadBytes(l2, lb), 1);
    EXPECT_TRUE(l2 == l);
    l2.DecreaseForce(six);
    EXPECT_FALSE(l2 == l);
    l2.SetForce(six);
    EXPECT_TRUE(l2 == l);

    const int codes[6] = {1, 0, -1, 2, 0, 7};
    DNodeConstraint c(9, codes);
    EXPECT_EQ(WriteBytes(c), Cat({Le32(9), Le32(1), Le32(0), Le32(-1), Le32(2), Le32(0), Le32(7)}));
    DNodeConstraint c2;
    ASSERT_EQ(ReadBytes(c2, WriteBytes(c)), 1);
    EXPECT_TRUE(c2 == c);
    c2.m_nID = 10;
    EXPECT_FALSE(c2 == c) << "constraints compare their node too";

    DNodeDisplacement d;
    d.m_nNode = 12;
    d.m_Factors.Insert(2, 1.5f, 0);
    d.m_fDir[2] = 1;
    EXPECT_EQ(WriteBytes(d), Cat({Le32(12), Le32(1), Le16(1), Le16(2), F32(1.5f), F32(0), F32(0), F32(1)}));
    DNodeDisplacement d2;
    ASSERT_EQ(ReadBytes(d2, WriteBytes(d)), 1);
    EXPECT_TRUE(d2 == d);
    EXPECT_EQ(d2.m_Factors.Entries(), 1);
    d2.m_fDir[2] = -4;
    EXPECT_TRUE(d2 == d) << "opposite directions are parallel";
    d2.m_fDir[0] = 1;
    EXPECT_FALSE(d2 == d);
}

TEST(NodeRecords, Equality)
{
    DNodeBase a(1, 2, 3), b(1.0001, 2 - 0.0001, 3);
    b.m_nID = 5;
    EXPECT_TRUE(a == b);
    b[2] = 3.0002;
    EXPECT_FALSE(a == b);

    DNodeSpring s1, s2;
    s1.m_nNode1 = 3;
    s1.m_nNode2 = 7;
    s2.m_nNode1 = 7;
    s2.m_nNode2 = 3;
    s2.m_dValue = 99;
    EXPECT_TRUE(s1 == s2) << "two-node springs: the same pair in either order";
    s2.m_cKind = 1;
    EXPECT_FALSE(s1 == s2);

    DNodeSpring o1, o2;
    o1.m_nNode1 = o2.m_nNode1 = 4;
    o1.m_dDir[0] = 1;
    o2.m_dDir[0] = -3;
    EXPECT_TRUE(o1 == o2);
    o2.m_dDir[1] = 0.01;
    EXPECT_FALSE(o1 == o2);
    o2.m_dDir[1] = 0;
    o2.m_nNode1 = 5;
    EXPECT_FALSE(o1 == o2);
}

TEST(NodeRecords, SpringVersions)
{
    DNodeSpring s;
    s.m_nID = 8;
    s.m_nNode1 = 1;
    s.m_nNode2 = 2;
    s.m_cKind = 3;
    s.m_dValue = 2.0;
    s.m_dDir[2] = 1.0;
    s.m_sAttr = 6;
    const Bytes body = Cat({Le32(1), Le32(2), {3}, F64(2.0), F64(0), F64(0), F64(1.0)});
    EXPECT_EQ(WriteBytes(s), Cat({Le32(8), body, Le16(6)}));

    DNodeSpring r;
    EXPECT_EQ(ReadBytes(r, Cat({Le32(8), body})), 0) << "the attribute word is stored from version 111";
    DNodeSpring v105;
    ASSERT_EQ(ReadBytes(v105, Cat({Le32(8), body}), 105), 1);
    EXPECT_EQ(v105.m_nID, 8);
    EXPECT_EQ(v105.m_sAttr, 1);
    DNodeSpring v111;
    ASSERT_EQ(ReadBytes(v111, Cat({Le32(8), body, Le16(6)}), 111), 1);
    EXPECT_EQ(v111.m_sAttr, 6);
    EXPECT_EQ(v111.m_dDir[2], 1.0);
}

TEST(NodeRecords, OldSpringsAreNumberedPerFile)
{
    const Bytes body = Cat({Le32(1), Le32(0), {0}, F64(1), F64(1), F64(0), F64(0)});
    const Bytes file = Cat({Text("KORVADATA"), {0}, Le16(100), body, body, body});
    VersionGuard g;
    for (int pass = 0; pass < 2; ++pass) {
        TempFile f;
        f.WriteAll(file);
        bifstream in(f.c_str());
        ASSERT_EQ(in.ReadHeader(), 1);
        for (int i = 1; i <= 3; ++i) {
            DNodeSpring s;
            ASSERT_EQ(s.Serialize(in), 1);
            EXPECT_EQ(s.m_nID, i) << "pass " << pass;
            EXPECT_EQ(s.m_sAttr, 1);
        }
        DNodeSpring extra;
        EXPECT_EQ(extra.Serialize(in), 0);
    }
}

TEST(NodeRecords, EveryTruncationIsRefusedAndLeavesTheRecord)
{
    DNodeBase n(4, 5, 6);
    n.m_nID = 11;
    n.m_Loads.Insert(2, 3);
    n.m_Loads.Insert(7, 1);
    const Bytes whole = WriteBytes(n);
    for (size_t cut = 0; cut < whole.size(); ++cut) {
        DNodeBase target(9, 9, 9);
        target.m_nID = 99;
        target.m_Loads.Insert(5, 5);
        EXPECT_EQ(ReadBytes(target, Bytes(whole.begin(), whole.begin() + cut)), 0) << cut;
        EXPECT_EQ(target.m_nID, 99) << cut;
        EXPECT_EQ(target[0], 9.0) << cut;
        EXPECT_EQ(target.m_Loads.Entries(), 1) << cut;
    }
    DNodeBase back;
    EXPECT_EQ(ReadBytes(back, whole), 1);
    EXPECT_TRUE(back == n);
}

TEST(CommonData, Defaults)
{
    DCommonData d;
    const char expected[6] = {2, 2, 2, 2, 0, 0};
    EXPECT_EQ(memcmp(d.m_cControl, expected, 6), 0);
    EXPECT_EQ(d.m_cFlag, 0);
    EXPECT_EQ(d.m_sAttr, 1);
    d.m_FactorsA.Insert(1, 2.0f, 0);
    d.m_cControl[0] = 9;
    d.m_sAttr = 4;
    d.Initialize();
    EXPECT_EQ(d.m_FactorsA.Entries(), 0);
    EXPECT_TRUE(d == DCommonData());
}

TEST(CommonData, StreamOrderAndVersions)
{
    DCommonData d;
    for (int i = 0; i < 6; ++i) d.m_cControl[i] = char(10 + i);
    d.m_WeightFactors.Insert(1, 1, 0, 0);
    d.m_FactorsA.Insert(1, 1.0f, 0);
    d.m_FactorsB.Insert(2, 1.0f, 0);
    d.m_FactorsC.Insert(3, 1.0f, 0);
    d.m_FactorsD.Insert(4, 1.0f, 0);
    d.m_cFlag = 1;
    d.m_sAttr = 0x0203;
    auto list = [](int key) { return Cat({Le16(1), Le16(key), F32(1.0f)}); };
    const Bytes lead =
        Cat({{10, 11, 12, 13, 14, 15}, Le16(1), Le16(1), F32(1), F32(0), F32(0), list(1), list(3), list(4)});
    EXPECT_EQ(WriteBytes(d), Cat({lead, {1}, list(2), Le16(0x0203)}));

    struct Case {
        int16_t version;
        Bytes bytes;
        char flag;
        int listB;
        int16_t attr;
    } cases[] = {
        {100, lead, 0, 0, 1},
        {101, Cat({lead, {1}}), 1, 0, 1},
        {111, Cat({lead, {1}, list(2)}), 1, 1, 1},
        {129, Cat({lead, {1}, list(2), Le16(0x0203)}), 1, 1, 0x0203},
    };
    for (const auto& c : cases) {
        DCommonData r;
        ASSERT_EQ(ReadBytes(r, c.bytes, c.version), 1) << c.version;
        EXPECT_EQ(r.m_cControl[5], 15);
        EXPECT_EQ(r.m_FactorsD.Index(4), 0) << c.version;
        EXPECT_EQ(r.m_cFlag, c.flag) << c.version;
        EXPECT_EQ(r.m_FactorsB.Entries(), c.listB) << c.version;
        EXPECT_EQ(r.m_sAttr, c.attr) << c.version;
        DCommonData again;
        EXPECT_EQ(ReadBytes(again, Bytes(c.bytes.begin(), c.bytes.end() - 1), c.version), 0);
        EXPECT_TRUE(again == DCommonData()) << "a damaged record leaves the target as it was";
    }
}

TEST(CommonData, UnitFactors)
{
    struct Case {
        int unit;
        double force, dimension, mass;
    } cases[] = {
        {0, 1, 1, 1},       {1, 1, 100, 0.01}, {2, 1000, 1, 1000}, {3, 1e6, 1000, 1000},
        {4, 1000, 1000, 1}, {5, 1, 1, 1},      {-1, 1, 1, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DCommonData::ForceFactor(c.unit), c.force) << c.unit;
        EXPECT_EQ(DCommonData::DimensionFactor(c.unit), c.dimension) << c.unit;
        EXPECT_DOUBLE_EQ(DCommonData::MassFactor(c.unit), c.mass) << c.unit;
    }
    EXPECT_EQ(NodeMinDist, 0.0001);
    EXPECT_EQ(CombinationError, 0.001);
    EXPECT_EQ(MaterialError, 0.001);
}

// Every record cut at every byte: refused, and the target keeps its bytes.
template <class T>
class EveryRecordTruncated : public ::testing::Test {
};

template <class T>
T Sample();
template <>
DNodeMass Sample()
{
    const double m[6] = {1, 2, 3, 4, 5, 6};
    return DNodeMass(5, m);
}
template <>
DNodeLoad Sample()
{
    const double f[6] = {1, 2, 3, 4, 5, 6};
    return DNodeLoad(5, f, f);
}
template <>
DNodeConstraint Sample()
{
    const int c[6] = {1, 2, 3, 4, 5, 6};
    return DNodeConstraint(5, c);
}
template <>
DNodeSpring Sample()
{
    DNodeSpring s;
    s.m_nID = 3;
    s.m_nNode1 = 4;
    s.m_dDir[0] = 1;
    s.m_sAttr = 9;
    return s;
}
template <>
DNodeDisplacement Sample()
{
    DNodeDisplacement d;
    d.m_nNode = 2;
    d.m_Factors.Insert(1, 2.0f, 0);
    d.m_Factors.Insert(4, 3.0f, 0);
    d.m_fDir[1] = 1;
    return d;
}
template <>
DCommonData Sample()
{
    DCommonData c;
    c.m_WeightFactors.Insert(2, 1, 2, 3);
    c.m_FactorsA.Insert(1, 1.0f, 0);
    c.m_FactorsB.Insert(1, 1.0f, 0);
    c.m_FactorsD.Insert(3, 1.0f, 0);
    c.m_sAttr = 7;
    return c;
}

using TruncatedRecordTypes =
    ::testing::Types<DNodeMass, DNodeLoad, DNodeConstraint, DNodeSpring, DNodeDisplacement, DCommonData>;
TYPED_TEST_SUITE(EveryRecordTruncated, TruncatedRecordTypes);

TYPED_TEST(EveryRecordTruncated, RefusedAndUnchanged)
{
    TypeParam sample = Sample<TypeParam>();
    const Bytes whole = WriteBytes(sample);
    TypeParam fresh;
    const Bytes freshBytes = WriteBytes(fresh);
    for (size_t cut = 0; cut < whole.size(); ++cut) {
        TypeParam target;
        EXPECT_EQ(ReadBytes(target, Bytes(whole.begin(), whole.begin() + cut)), 0) << cut;
        EXPECT_EQ(WriteBytes(target), freshBytes) << cut;
    }
    TypeParam back;
    ASSERT_EQ(ReadBytes(back, whole), 1);
    EXPECT_EQ(WriteBytes(back), whole);
}
