// The block of slots and the block-pooled positional stores.
#include <gtest/gtest.h>

#include <algorithm>

#include "containers/MArray.h"
#include "containers/MMemBlock.h"
#include "TestRecords.h"

namespace {

TEST(MemBlock, AllocatesInOrderAndReportsFull)
{
    MMemBlock<int> b(8);
    for (int i = 0; i < 8; ++i) {
        int slot = -5;
        ASSERT_TRUE(b.AllocSlot(slot));
        EXPECT_EQ(slot, i);
    }
    int slot = 0;
    EXPECT_FALSE(b.AllocSlot(slot));
    EXPECT_EQ(slot, -1);
    EXPECT_EQ(b.GetUsed(), 8);
    EXPECT_TRUE(b.IsFull());
}

TEST(MemBlock, FreedSlotsAreReusedLowestFirst)
{
    MMemBlock<int> b(8);
    int slot;
    for (int i = 0; i < 8; ++i) b.AllocSlot(slot);
    b.FreeSlot(3);
    b.FreeSlot(1);
    EXPECT_EQ(b.GetUsed(), 6);
    ASSERT_TRUE(b.AllocSlot(slot));
    EXPECT_EQ(slot, 1);
    ASSERT_TRUE(b.AllocSlot(slot));
    EXPECT_EQ(slot, 3);
    EXPECT_FALSE(b.AllocSlot(slot));
}

TEST(MemBlock, BitmapBitsLeastSignificantFirst)
{
    MMemBlock<int> one(1);
    int slot;
    ASSERT_TRUE(one.AllocSlot(slot));
    EXPECT_EQ(slot, 0);
    EXPECT_TRUE(one.IsSlotUsed(0));
    EXPECT_FALSE(one.AllocSlot(slot));

    MMemBlock<int> nine(9);
    for (int i = 0; i < 9; ++i) nine.AllocSlot(slot);
    EXPECT_EQ(slot, 8);
    nine.FreeSlot(0);
    EXPECT_FALSE(nine.IsSlotUsed(0));
    EXPECT_TRUE(nine.IsSlotUsed(8));
    nine.FreeSlot(8);
    EXPECT_FALSE(nine.IsSlotUsed(8));
    EXPECT_TRUE(nine.IsSlotUsed(7));
}

TEST(MemBlock, ElementsLiveForTheWholeBlock)
{
    Counted::alive = 0;
    {
        MMemBlock<Counted> b(16);
        EXPECT_EQ(Counted::alive, 16);
        int slot;
        b.AllocSlot(slot);
        b.GetElements()[slot].v = 5;
        b.FreeSlot(slot);
        EXPECT_EQ(Counted::alive, 16);
        EXPECT_EQ(b.GetElements()[0].v, 5);  // a freed slot keeps its value
    }
    EXPECT_EQ(Counted::alive, 0);
}

TEST(MemBlock, FailedAllocationLeavesNoSlots)
{
    Frail::failAlloc = true;
    MMemBlock<Frail> b(4);
    Frail::failAlloc = false;
    EXPECT_FALSE(b.IsValid());
    int slot = 0;
    EXPECT_FALSE(b.AllocSlot(slot));
    EXPECT_EQ(slot, -1);
}

// ---- positional store ----

std::vector<int> Values(MArrayBase<Num>& s)
{
    std::vector<int> v;
    for (int i = 0; i < s.GetSize(); ++i) v.push_back(s.GetAt(i)->v);
    return v;
}

TEST(PositionalStore, BlockSizeIsRoundedDownToPowerOfTwo)
{
    const int cases[][2] = {{0, 1},    {1, 1},       {2, 2},   {3, 2},         {64, 64},
                            {100, 64}, {1024, 1024}, {20, 16}, {32768, 16384}, {-4, 1}};
    for (auto& c : cases) {
        MArray<Num> s(0, c[0]);
        EXPECT_EQ(s.GetBlockSize(), c[1]) << c[0];
    }
}

TEST(PositionalStore, InitialSizeMakesBlocksUpFront)
{
    MArray<Num> none(0, 128);
    EXPECT_EQ(none.GetBlockCount(), 0);
    EXPECT_EQ(none.GetCapacity(), 0);
    MArray<Num> tower(1, 5);
    EXPECT_EQ(tower.GetBlockCount(), 1);
    EXPECT_EQ(tower.GetCapacity(), 4);
    MArray<Num> three(9, 4);
    EXPECT_EQ(three.GetBlockCount(), 3);
    Num n(1);
    none.Add(n);
    EXPECT_EQ(none.GetBlockCount(), 1);
    EXPECT_EQ(none.GetCapacity(), 128);
}

TEST(PositionalStore, InsertMovesOnlyIndexEntries)
{
    MArray<Num> s(0, 4);
    std::vector<Num*> addr;
    for (int i = 0; i < 10; ++i) {
        Num n(i);
        s.Add(n);
    }
    for (int i = 0; i < 10; ++i) addr.push_back(s.GetAt(i));
    EXPECT_EQ(s.InsertAt(0, Num(-1)), 1);
    EXPECT_EQ(s.InsertAt(5, Num(-5)), 6);
    EXPECT_EQ(Values(s), (std::vector<int>{-1, 0, 1, 2, 3, -5, 4, 5, 6, 7, 8, 9}));
    for (int i = 0; i < 10; ++i) EXPECT_EQ(s.GetAt(i < 4 ? i + 1 : i + 2), addr[i]);
    EXPECT_EQ(s.GetBlockCount(), 3);
}

TEST(PositionalStore, ReusesLowestFreeSlotAndGrowsOnlyWhenFull)
{
    MArray<Num> s(0, 4);
    for (int i = 0; i < 12; ++i) s.Add(Num(i));
    Num* slot5 = s.GetAt(5);  // block 1, slot 1
    Num* slot2 = s.GetAt(2);  // block 0, slot 2
    s.RemoveAt(5);
    s.RemoveAt(2);
    EXPECT_EQ(s.GetBlockCount(), 3);
    s.Add(Num(100));
    EXPECT_EQ(s.GetAt(10), slot2);
    s.Add(Num(101));
    EXPECT_EQ(s.GetAt(11), slot5);
    EXPECT_EQ(s.GetBlockCount(), 3);
    s.Add(Num(102));
    EXPECT_EQ(s.GetBlockCount(), 4);
    EXPECT_EQ(Values(s), (std::vector<int>{0, 1, 3, 4, 6, 7, 8, 9, 10, 11, 100, 101, 102}));
}

TEST(PositionalStore, TrailingEmptyBlocksAreTrimmedKeepingOneSpare)
{
    // Blocks of 2: positions 0-1 block 0, 2-3 block 1, 4-5 block 2.
    MArray<Num> s(0, 2);
    for (int i = 0; i < 5; ++i) s.Add(Num(i));
    EXPECT_EQ(s.GetBlockCount(), 3);
    s.RemoveAt(4);  // last block empty, block below holds elements: kept
    EXPECT_EQ(s.GetBlockCount(), 3);
    s.Add(Num(4));
    s.RemoveAt(2);
    s.RemoveAt(2);  // the middle block is now empty
    EXPECT_EQ(s.GetBlockCount(), 3);
    s.RemoveAt(2);  // the only element of the last block: blocks 1 and 2 empty
    EXPECT_EQ(s.GetBlockCount(), 2);
    EXPECT_EQ(s.GetCapacity(), 4);
    EXPECT_EQ(Values(s), (std::vector<int>{0, 1}));
    s.RemoveAt(0);
    s.RemoveAt(0);  // block 0 is the first block: stays
    EXPECT_EQ(s.GetBlockCount(), 2);
    for (int i = 0; i < 6; ++i) s.Add(Num(i));
    EXPECT_EQ(Values(s), (std::vector<int>{0, 1, 2, 3, 4, 5}));
}

TEST(PositionalStore, SetSizeShrinksFromTheEndAndReserves)
{
    MArray<Num> s(0, 4);
    for (int i = 0; i < 6; ++i) s.Add(Num(i));
    EXPECT_EQ(s.SetSize(7), 1);  // between count and capacity: nothing
    EXPECT_EQ(s.GetSize(), 6);
    EXPECT_EQ(s.GetBlockCount(), 2);
    EXPECT_EQ(s.SetSize(17), 1);
    EXPECT_EQ(s.GetBlockCount(), 5);
    EXPECT_EQ(s.GetSize(), 6);
    EXPECT_EQ(s.SetSize(3), 1);
    EXPECT_EQ(Values(s), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(s.SetSize(0), 1);
    EXPECT_EQ(s.GetSize(), 0);
    EXPECT_EQ(s.SetSize(INT32_MAX), 0);
    EXPECT_EQ(s.GetSize(), 0);
}

TEST(PositionalStore, RemoveManyKeepsOthersInOrder)
{
    struct Case {
        std::vector<int> positions;
        std::vector<int> left;
    } cases[] = {
        {{9, 0, 5}, {1, 2, 3, 4, 6, 7, 8}},   {{8, 9, 7, 6}, {0, 1, 2, 3, 4, 5}}, {{0, 1, 2, 3, 4, 5}, {6, 7, 8, 9}},
        {{5, 4, 7, 6}, {0, 1, 2, 3, 8, 9}},  // empties the last two blocks; 8 and 9 live in block 0
        {{}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
    };
    for (const Case& c : cases) {
        MArray<Num> s(0, 2);
        for (int i = 0; i < 10; ++i) s.Add(Num(i));
        // Put late positions into early blocks, so removals empty the last blocks
        // while surviving elements lie at higher positions.
        s.RemoveAt(0);
        s.RemoveAt(0);
        s.Add(Num(10));
        s.Add(Num(11));
        for (int i = 0; i < 10; ++i) s.GetAt(i)->v = i;
        EXPECT_EQ(s.RemoveMany(c.positions.data(), (int)c.positions.size()), (int)c.positions.size());
        EXPECT_EQ(Values(s), c.left);
        s.Add(Num(50));
        EXPECT_EQ(s.GetAt(s.GetSize() - 1)->v, 50);
    }
}

TEST(PositionalStore, ElementsConstructedOncePerBlockAndDestroyedWithIt)
{
    struct CountedRec : Counted {
        void Serialize(bofstream&) {}
        void Serialize(bifstream&) {}
    };
    Counted::alive = 0;
    {
        MArray<CountedRec> s(0, 8);
        CountedRec r;
        EXPECT_EQ(Counted::alive, 1);
        for (int i = 0; i < 9; ++i) s.Add(r);
        EXPECT_EQ(Counted::alive, 17);
        s.RemoveAll();
        EXPECT_EQ(Counted::alive, 1);
        s.Add(r);
        EXPECT_EQ(Counted::alive, 9);
    }
    EXPECT_EQ(Counted::alive, 0);
}

TEST(PositionalStore, FailedBlockAllocationIsReportedAndStoreUnchanged)
{
    MArray<Frail> s(0, 2);
    Frail f;
    f.v = 7;
    ASSERT_EQ(s.Add(f), 1);
    ASSERT_EQ(s.Add(f), 2);
    Frail::failAlloc = true;
    EXPECT_EQ(s.Add(f), 0);
    EXPECT_EQ(s.SetSize(10), 0);
    Frail::failAlloc = false;
    EXPECT_EQ(s.GetSize(), 2);
    EXPECT_EQ(s.GetBlockCount(), 1);
    EXPECT_EQ(s.GetCapacity(), 2);
    EXPECT_EQ(s.Add(f), 3);
    EXPECT_EQ(s.GetBlockCount(), 2);
}

// ---- plain and sorted stores ----

TEST(PlainStore, FindsFirstEqualAndAppendsDuplicates)
{
    MArray<Num> s(0, 128);
    EXPECT_EQ(s.Find(Num(1)), 0);
    for (int v : {4, 2, 4}) s.Add(Num(v));
    EXPECT_EQ(s.GetSize(), 3);
    EXPECT_EQ(s.Find(Num(4)), 1);
    EXPECT_EQ(s.Find(Num(2)), 2);
    EXPECT_EQ(s.Find(Num(3)), 0);
    EXPECT_EQ(s.Remove(Num(4)), 1);
    EXPECT_EQ(Values(s), (std::vector<int>{2, 4}));
    EXPECT_EQ(s.Remove(Num(9)), 0);
    EXPECT_EQ(s.GetSize(), 2);
}

// A soil-curve-like point: order by the first value, sameness with tolerances.
struct CurvePoint {
    float a = 0, b = 0, c = 0;
    bool operator<(const CurvePoint& o) const { return a < o.a; }
    bool operator==(const CurvePoint& o) const
    {
        return a - o.a < 1e-6 && o.a - a < 1e-6 && b - o.b < 1e-4 && o.b - b < 1e-4 && c - o.c < 1e-4 && o.c - c < 1e-4;
    }
    void Serialize(bofstream& out) { out << a << b << c; }
    void Serialize(bifstream& in) { in >> a >> b >> c; }
};

TEST(SortedStore, KeepsOrderWithoutEqualElements)
{
    MArraySort<CurvePoint> s(0, 128);
    EXPECT_EQ(s.Find({1, 0, 0}), 0);
    EXPECT_EQ(s.Add(CurvePoint{3, 0, 0}), 1);
    EXPECT_EQ(s.Add(CurvePoint{1, 0, 0}), 1);
    EXPECT_EQ(s.Add(CurvePoint{2, 0, 0}), 2);
    ASSERT_EQ(s.GetSize(), 3);
    EXPECT_EQ(s.GetAt(0)->a, 1);
    EXPECT_EQ(s.GetAt(1)->a, 2);
    EXPECT_EQ(s.GetAt(2)->a, 3);
    EXPECT_EQ(s.Find({2, 0, 0}), 2);
    EXPECT_EQ(s.Add(CurvePoint{2, 0.00005f, 0}), 2);  // same point: not inserted
    EXPECT_EQ(s.GetSize(), 3);
    EXPECT_EQ(s.Remove({2, 0, 0}), 1);
    EXPECT_EQ(s.GetSize(), 2);
}

TEST(SortedStore, SearchMovesRightBeforeTestingEquality)
{
    MArraySort<CurvePoint> s(0, 128);
    s.Add(CurvePoint{1.0f, 1, 1});
    EXPECT_EQ(s.Add(CurvePoint{1.0f - 5e-7f, 1, 1}), 1);  // just below: the same point
    EXPECT_EQ(s.GetSize(), 1);
    EXPECT_EQ(s.Add(CurvePoint{1.0f + 1.2e-7f, 1, 1}), 2);  // just above: a second element
    EXPECT_EQ(s.GetSize(), 2);
}

}  // namespace
