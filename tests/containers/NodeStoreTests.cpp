// A store of node records, as the library file and the project keep them.
#include <gtest/gtest.h>

#include "containers/MArrayID.h"
#include "korvalib/model/NodeRecords.h"
#include "TestRecords.h"
#include "tests/support/LeBytes.h"
#include "tests/support/TestFiles.h"

using vektest::Bytes;
using vektest::LeBytes;
using vektest::TempFile;

namespace {

void AppendDouble(std::vector<uint8_t>& b, std::initializer_list<uint8_t> le)
{
    b.insert(b.end(), le);
}

TEST(NodeStore, GoldenBytesOfOneNode)
{
    MArrayID<DNodeBase> s(0, 128);
    DNodeBase n(1.0, 0.0, -2.5);
    n.m_nID = 5;
    n.Rest(1);
    n.Rest(2);
    n.Rest(3);
    n.m_Loads.Insert(2, 9);
    ASSERT_EQ(s.Add(n), 1);
    TempFile f("node");
    {
        bofstream out(f.c_str());
        ASSERT_EQ(s.Write(out), 1);
    }
    std::vector<uint8_t> want = {0x01, 0x00, 0x00, 0x00,                   // count 1
                                 0x05, 0x00, 0x00, 0x00,                   // node number 5
                                 0x01, 0x00, 0x01, 0x00};                  // attribute words 1, 1
    AppendDouble(want, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF0, 0x3F});  // x = 1.0
    AppendDouble(want, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00});  // y = 0
    AppendDouble(want, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04, 0xC0});  // z = -2.5
    want.insert(want.end(), {
                                0x00,                    // flag byte 0
                                0x07,                    // restraints 1, 2, 3
                                0x00, 0x00, 0x00, 0x00,  // integer attribute 0
                                0x01,                    // flag byte 1
                                0x00, 0x00, 0x00, 0x00,  // integer attribute 0
                                0x00, 0x00, 0x00, 0x00,  // real attribute 0.0f
                                0x01,                    // flag byte 1
                                0x01, 0x00,              // one load reference:
                                0x02, 0x00,              //   key 2
                                0x09, 0x00, 0x00, 0x00,  //   value 9
                            });
    EXPECT_EQ(f.ReadAll(), want);
    EXPECT_EQ(want.size(), 60u);

    MArrayID<DNodeBase> back(0, 1024);
    bifstream in(f.c_str());
    ASSERT_EQ(back.Read(in), 1);
    ASSERT_EQ(back.GetSize(), 1);
    const DNodeBase* r = back.GetByID(5);
    EXPECT_EQ((*r)[2], -2.5);
    EXPECT_TRUE(r->IsRest(3));
    EXPECT_FALSE(r->IsRest(4));
    ASSERT_EQ(r->m_Loads.Entries(), 1);
    EXPECT_EQ(r->m_Loads.Index(2), 0);
}

TEST(NodeStore, RoundTripOfManyNodesWithHoles)
{
    MArrayID<DNodeBase> s(0, 1024);
    for (int i = 1; i <= 3000; ++i) {
        DNodeBase n(i * 0.5, -i, i * 1e-3);
        n.m_nAttr1 = i;
        if (i % 7 == 0) n.m_Loads.Insert(int16_t(i % 30 + 1), i);
        s.Add(n);
    }
    for (int id = 10; id <= 3000; id += 10) s.RemoveByID(id);
    TempFile f("nodes");
    {
        bofstream out(f.c_str());
        ASSERT_EQ(s.Write(out), 1);
    }
    MArrayID<DNodeBase> back(0, 1024);
    bifstream in(f.c_str());
    ASSERT_EQ(back.Read(in), 1);
    ASSERT_EQ(back.GetSize(), s.GetSize());
    for (int i = 0; i < s.GetSize(); ++i) {
        const DNodeBase* a = s.GetAt(i);
        const DNodeBase* b = back.GetAt(i);
        ASSERT_EQ(a->m_nID, b->m_nID);
        EXPECT_EQ(a->m_nAttr1, b->m_nAttr1);
        EXPECT_EQ((*a)[0], (*b)[0]);
        EXPECT_EQ(a->m_Loads.Entries(), b->m_Loads.Entries());
    }
    EXPECT_EQ(back.IsValidID(10), 0);
    EXPECT_EQ(back.GetFreeID(), 10);
}

TEST(NodeStore, TruncatedAtEveryByteFails)
{
    MArrayID<DNodeBase> s(0, 128);
    for (int id : {2, 9}) {
        DNodeBase n(id, 0, 0);
        n.m_nID = id;
        n.m_Loads.Insert(1, id);
        n.m_Loads.Insert(3, 7);
        s.Add(n);
    }
    TempFile whole("nodes-whole"), cut("nodes-cut");
    {
        bofstream out(whole.c_str());
        ASSERT_EQ(s.Write(out), 1);
    }
    const std::vector<uint8_t> bytes = whole.ReadAll();
    ASSERT_EQ(bytes.size(), 4u + 2 * (50 + 12));
    for (size_t n = 0; n < bytes.size(); ++n) {
        cut.WriteAll(std::vector<uint8_t>(bytes.begin(), bytes.begin() + n));
        MArrayID<DNodeBase> back(0, 128);
        bifstream in(cut.c_str());
        EXPECT_EQ(back.Read(in), 0) << n;
        EXPECT_EQ(back.GetSize(), 0) << n;
    }
}

TEST(NodeStore, DamagedLoadListFailsTheRead)
{
    // One node whose load list claims 1000 entries that are not there.
    LeBytes b;
    b.i32(1).i32(1).i16(1).i16(1).zeros(24);
    b.append({0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1});
    b.i16(1000).i16(1).i32(1);
    TempFile f("badloads");
    f.WriteAll(b);
    MArrayID<DNodeBase> s(0, 128);
    bifstream in(f.c_str());
    EXPECT_EQ(s.Read(in), 0);
    EXPECT_EQ(s.GetSize(), 0);
}

}  // namespace
