// The ID-indexed store.
#include <gtest/gtest.h>

#include "containers/MArrayID.h"
#include "TestRecords.h"

namespace {

std::vector<int> Ids(MArrayID<IdRec>& s)
{
    std::vector<int> v;
    for (int i = 0; i < s.GetSize(); ++i) v.push_back(s.GetIDAt(i));
    return v;
}

void Fill(MArrayID<IdRec>& s, int from, int to)
{
    for (int id = from; id <= to; ++id) {
        IdRec r(id, id * 10);
        ASSERT_EQ(s.Add(r), 1);
    }
}

TEST(IdStore, AddGivesFreeIdIntoTheCallersElement)
{
    MArrayID<IdRec> s(0, 128);
    EXPECT_EQ(s.GetIDCapacity(), 0);
    IdRec r(0, 5);
    ASSERT_EQ(s.Add(r), 1);
    EXPECT_EQ(r.m_nID, 1);
    EXPECT_EQ(s.GetIDCapacity(), 2);
    EXPECT_EQ(s.GetByID(1)->value, 5);
    IdRec neg(-3, 6);
    ASSERT_EQ(s.Add(neg), 1);
    EXPECT_EQ(neg.m_nID, 2);
}

TEST(IdStore, InsertAtStoresUnderIndexPlusOne)
{
    MArrayID<IdRec> s(0, 128);
    ASSERT_EQ(s.InsertAt(9, IdRec(0, 42)), 1);
    EXPECT_EQ(s.GetFreeID(), 1);
    EXPECT_EQ(s.GetLastID(), 10);
    EXPECT_EQ(s.GetAt(0)->value, 42);
    EXPECT_EQ(s.GetAt(0)->m_nID, 10);  // the stored copy carries its ID
    EXPECT_EQ(s.GetIDCapacity(), 20);
    EXPECT_EQ(s.IsValidID(10), 10);
    EXPECT_EQ(s.IsValidID(9), 0);
    EXPECT_EQ(s.IsValidID(21), 0);
    EXPECT_EQ(s.IsValidID(0), 0);
}

TEST(IdStore, AddOfUsedIdReplacesInPlace)
{
    MArrayID<IdRec> s(0, 128);
    Fill(s, 1, 3);
    IdRec* before = s.GetByID(2);
    IdRec r(2, 77);
    ASSERT_EQ(s.Add(r), 1);
    EXPECT_EQ(s.GetByID(2), before);
    EXPECT_EQ(before->value, 77);
    EXPECT_EQ(s.GetSize(), 3);
}

TEST(IdStore, RemovalLeavesHolesThatNewElementsFill)
{
    MArrayID<IdRec> s(0, 128);
    Fill(s, 1, 3);
    ASSERT_EQ(s.RemoveByID(2), 1);
    EXPECT_EQ(s.GetFreeID(), 2);
    EXPECT_EQ(s.GetIDAt(1), 3);
    EXPECT_EQ(s.RemoveByID(2), 0);

    MArrayID<IdRec> t(0, 128);
    Fill(t, 1, 3);
    ASSERT_EQ(t.RemoveByID(3), 1);
    EXPECT_EQ(t.GetFreeID(), 3);
    EXPECT_EQ(t.GetLastID(), 2);
    EXPECT_EQ(t.RemoveByID(3), 0);
    EXPECT_EQ(t.RemoveByID(0), 0);
    EXPECT_EQ(t.RemoveByID(-1), 0);
}

TEST(IdStore, RemovingOnlyElementReleasesIdTable)
{
    MArrayID<IdRec> s(0, 128);
    Fill(s, 1, 1);
    ASSERT_EQ(s.RemoveByID(1), 1);
    EXPECT_EQ(s.GetIDCapacity(), 0);
    EXPECT_EQ(s.GetLastID(), 0);
    IdRec r;
    ASSERT_EQ(s.Add(r), 1);
    EXPECT_EQ(r.m_nID, 1);
}

TEST(IdStore, IdTableShrinksWhenHighestGoes)
{
    MArrayID<IdRec> s(0, 128);
    s.InsertAt(99, IdRec());  // capacity 200
    s.InsertAt(4, IdRec());
    EXPECT_EQ(s.GetIDCapacity(), 200);
    s.RemoveByID(100);
    EXPECT_EQ(s.GetIDCapacity(), 10);
    EXPECT_EQ(s.GetFreeID(), 1);
    EXPECT_EQ(Ids(s), (std::vector<int>{5}));
}

TEST(IdStore, TrailingBlocksGoOnlyWithTheLastBlock)
{
    MArrayID<IdRec> a(0, 128);
    Fill(a, 1, 300);
    EXPECT_EQ(a.GetBlockCount(), 3);
    for (int id = 257; id <= 300; ++id) a.RemoveByID(id);
    EXPECT_EQ(a.GetBlockCount(), 3);

    MArrayID<IdRec> b(0, 128);
    Fill(b, 1, 300);
    for (int id = 129; id <= 256; ++id) b.RemoveByID(id);
    EXPECT_EQ(b.GetBlockCount(), 3);
    for (int id = 257; id <= 300; ++id) b.RemoveByID(id);
    EXPECT_EQ(b.GetBlockCount(), 2);
    Fill(b, 129, 400);
    EXPECT_EQ(b.GetSize(), 400);
    for (int id = 1; id <= 400; ++id) EXPECT_EQ(b.GetByID(id)->value, id * 10);
}

TEST(IdStore, SetSizeKeepsLowestIdsOrReserves)
{
    MArrayID<IdRec> s(0, 4);
    Fill(s, 1, 8);
    ASSERT_EQ(s.SetSize(5), 1);
    EXPECT_EQ(Ids(s), (std::vector<int>{1, 2, 3, 4, 5}));
    ASSERT_EQ(s.SetSize(30), 1);
    EXPECT_EQ(s.GetBlockCount(), 8);
    EXPECT_EQ(s.GetIDCapacity(), 32);
    EXPECT_EQ(s.GetSize(), 5);
    ASSERT_EQ(s.SetSize(-2), 1);
    EXPECT_EQ(s.GetSize(), 0);
    EXPECT_EQ(s.SetSize(INT32_MAX), 0);
}

TEST(IdStore, RemoveManyWorksOnTheStoreAsItStands)
{
    MArrayID<IdRec> s(0, 128);
    Fill(s, 1, 3);
    const int positions[] = {0, 1};
    EXPECT_EQ(s.RemoveMany(positions, 2), 2);
    EXPECT_EQ(Ids(s), (std::vector<int>{2}));
    EXPECT_EQ(s.RemoveMany(positions, 0), 0);
    EXPECT_EQ(s.GetSize(), 1);
}

TEST(IdStore, CursorFollowsRemovalsAndInsertions)
{
    MArrayID<IdRec> s(0, 4);
    for (int id : {2, 4, 6, 8, 10, 12}) s.InsertAt(id - 1, IdRec(0, id));
    // A walk that interleaves removals and insertions at and around the cursor.
    EXPECT_EQ(s.GetIDAt(2), 6);
    s.RemoveByID(6);  // under the cursor, not last: next takes its place
    EXPECT_EQ(s.GetIDAt(2), 8);
    s.InsertAt(0, IdRec(0, 1));  // below the cursor
    EXPECT_EQ(s.GetIDAt(3), 8);
    s.RemoveByID(2);  // below the cursor
    EXPECT_EQ(s.GetIDAt(2), 8);
    EXPECT_EQ(s.GetIDAt(4), 12);
    s.RemoveByID(12);  // under the cursor and last
    EXPECT_EQ(s.GetIDAt(3), 10);
    EXPECT_EQ(Ids(s), (std::vector<int>{1, 4, 8, 10}));
    for (int i = s.GetSize() - 1; i >= 0; --i) EXPECT_EQ(s.GetAt(i)->value, Ids(s)[i]);
    s.RemoveByID(1);
    s.RemoveByID(4);
    s.RemoveByID(8);
    EXPECT_EQ(s.GetIDAt(0), 10);
    s.RemoveByID(10);  // the last one, under the cursor
    EXPECT_EQ(s.GetSize(), 0);
    s.InsertAt(2, IdRec(0, 3));
    EXPECT_EQ(s.GetIDAt(0), 3);
}

TEST(IdStore, FindAndRemoveGoByTheElementsId)
{
    MArrayID<IdRec> s(0, 128);
    Fill(s, 1, 3);
    EXPECT_EQ(s.Find(IdRec(2, 999)), 2);
    EXPECT_EQ(s.Find(IdRec(7, 20)), 0);
    EXPECT_EQ(s.Remove(IdRec(2, 999)), 1);
    EXPECT_EQ(s.Remove(IdRec(2, 999)), 0);
    EXPECT_EQ(Ids(s), (std::vector<int>{1, 3}));
}

TEST(IdStore, FindSameReportsMatchAndFreeId)
{
    MArrayID<IdRec> s(0, 128);
    int freeID = 0;
    EXPECT_EQ(s.FindSame(IdRec(0, 10), freeID), 0);
    EXPECT_EQ(freeID, 1);
    Fill(s, 1, 5);
    s.RemoveByID(2);
    EXPECT_EQ(s.FindSame(IdRec(0, 40), freeID), 4);
    EXPECT_EQ(freeID, 2);
    EXPECT_EQ(s.FindSame(IdRec(0, 41), freeID), 0);
    EXPECT_EQ(freeID, 2);
}

TEST(IdStore, SixteenBitStoreRefusesIdsPastItsRange)
{
    MArrayID<IdRec16> s(0, 16384);
    EXPECT_EQ(s.kMaxID, 32767);
    EXPECT_EQ(s.InsertAt(32766, IdRec16(0, 1)), 1);
    EXPECT_EQ(s.GetByID(32767)->m_nID, 32767);
    EXPECT_EQ(s.InsertAt(32767, IdRec16(0, 2)), 0);
    EXPECT_EQ(s.GetSize(), 1);
    // With every ID of the range in use, an element without an ID is refused
    // and keeps its ID field as it was.
    for (int id = 1; id < 32767; ++id) ASSERT_EQ(s.InsertAt(id - 1, IdRec16(0, id)), 1);
    EXPECT_EQ(s.GetFreeID(), 32768);
    IdRec16 r(0, 5);
    EXPECT_EQ(s.Add(r), 0);
    EXPECT_EQ(r.m_nID, 0);
    EXPECT_EQ(s.GetSize(), 32767);
    EXPECT_EQ(s.GetIDAt(32766), 32767);
    s.RemoveByID(300);
    EXPECT_EQ(s.Add(r), 1);
    EXPECT_EQ(r.m_nID, 300);
}

TEST(IdStore, ThirtyTwoBitStoreRefusesIdsBeyondItsBound)
{
    MArrayID<IdRec> s(0, 128);
    EXPECT_EQ(s.InsertAt(MArrayID<IdRec>::kMaxID, IdRec()), 0);
    EXPECT_EQ(s.InsertAt(-1, IdRec()), 0);
    IdRec r(INT32_MAX, 1);
    EXPECT_EQ(s.Add(r), 0);
    EXPECT_EQ(s.GetSize(), 0);
    EXPECT_EQ(s.GetIDCapacity(), 0);
    EXPECT_EQ(s.InsertAt(MArrayID<IdRec>::kMaxID - 1, IdRec()), 1);
    EXPECT_EQ(s.GetLastID(), MArrayID<IdRec>::kMaxID);
}

TEST(IdStore, FailedBlockAllocationIsReported)
{
    MArrayID<Frail> s(0, 2);
    Frail f;
    ASSERT_EQ(s.Add(f), 1);
    f.m_nID = 0;
    ASSERT_EQ(s.Add(f), 1);
    Frail::failAlloc = true;
    f.m_nID = 0;
    EXPECT_EQ(s.Add(f), 0);
    EXPECT_EQ(s.SetSize(9), 0);
    Frail::failAlloc = false;
    EXPECT_EQ(s.GetSize(), 2);
    EXPECT_EQ(s.GetBlockCount(), 1);
    f.m_nID = 0;
    EXPECT_EQ(s.Add(f), 1);
    EXPECT_EQ(f.m_nID, 3);
    EXPECT_EQ(s.GetBlockCount(), 2);
}

TEST(IdStore, WorksThroughTheBaseInterface)
{
    // KorvaLib empties, fills and reads stores through the base's virtual
    // operations only.
    MArrayID<IdRec> s(0, 128);
    MArrayBase<IdRec>& base = s;
    Fill(s, 1, 4);
    base.RemoveAll();
    EXPECT_EQ(s.GetSize(), 0);
    for (int id : {5, 2, 9}) {
        IdRec r(id, id);
        EXPECT_EQ(base.Add(r), 1);
    }
    EXPECT_EQ(base.GetAt(0)->m_nID, 2);
    EXPECT_EQ(base.GetAt(2)->m_nID, 9);
    EXPECT_EQ(base.Find(IdRec(5, 0)), 5);
}

}  // namespace
