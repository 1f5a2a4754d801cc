// Flat arrays, sorted arrays and owning pointer arrays.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "containers/MLArray.h"
#include "containers/MLArrayPtr.h"
#include "containers/MLArraySort.h"
#include "TestRecords.h"

namespace {

template <class A>
std::vector<int> Values(A& a)
{
    std::vector<int> v;
    for (int i = 0; i < a.GetSize(); ++i) v.push_back((int)*a.GetAt(i));
    return v;
}

TEST(FlatArray, GrowsByDoublingFromTenAndKeepsElements)
{
    MLArray<int> a;
    EXPECT_EQ(a.GetCapacity(), 0);
    ASSERT_TRUE(a.Add(0));
    EXPECT_EQ(a.GetCapacity(), 10);
    for (int i = 1; i < 10; ++i) a.Add(i);
    EXPECT_EQ(a.GetCapacity(), 10);
    a.Add(10);
    EXPECT_EQ(a.GetCapacity(), 20);
    for (int i = 11; i < 41; ++i) a.Add(i);
    EXPECT_EQ(a.GetCapacity(), 80);
    ASSERT_EQ(a.GetSize(), 41);
    for (int i = 0; i < 41; ++i) EXPECT_EQ(*a.GetAt(i), i);
}

TEST(FlatArray, GetAtClampsIndices)
{
    MLArray<int> a;
    for (int v : {7, 8, 9}) a.Add(v);
    EXPECT_EQ(*a.GetAt(5), 9);
    EXPECT_EQ(*a.GetAt(-1), 7);
    EXPECT_EQ(a.GetSize(), 3);
}

TEST(FlatArray, GetAtOnEmptyArrayBringsFirstSlotIntoUse)
{
    MLArray<Num> fresh;
    EXPECT_EQ(fresh.GetAt(0)->v, 0);  // a default element
    EXPECT_EQ(fresh.GetSize(), 1);
    EXPECT_EQ(fresh.GetCapacity(), 1);

    MLArray<int> used(5);
    used.Add(42);
    ASSERT_TRUE(used.RemoveAt(0));
    EXPECT_EQ(used.GetSize(), 0);
    EXPECT_EQ(*used.GetAt(0), 42);  // the slot's old content, not reset
    EXPECT_EQ(used.GetSize(), 1);
    EXPECT_EQ(used.GetCapacity(), 5);
}

TEST(FlatArray, RemoveAtClampsAndRefusesEmpty)
{
    MLArray<int> a;
    EXPECT_FALSE(a.RemoveAt(0));
    for (int v : {1, 2, 3}) a.Add(v);
    EXPECT_TRUE(a.RemoveAt(7));
    EXPECT_EQ(Values(a), (std::vector<int>{1, 2}));
    EXPECT_TRUE(a.RemoveAt(-4));
    EXPECT_EQ(Values(a), (std::vector<int>{2}));
    EXPECT_EQ(a.GetCapacity(), 10);
}

TEST(FlatArray, SetSizeCutsCountAndReleases)
{
    MLArray<int> a;
    for (int v : {1, 2, 3, 4, 5}) a.Add(v);
    ASSERT_TRUE(a.SetSize(2));
    EXPECT_EQ(a.GetCapacity(), 2);
    EXPECT_EQ(Values(a), (std::vector<int>{1, 2}));
    ASSERT_TRUE(a.SetSize(0));
    EXPECT_EQ(a.GetCapacity(), 0);
    EXPECT_EQ(a.GetSize(), 0);
}

TEST(FlatArray, InsertAtClampsPosition)
{
    MLArray<int> a;
    for (int v : {1, 2, 3, 4}) a.Add(v);
    ASSERT_TRUE(a.InsertAt(99, 5));
    ASSERT_TRUE(a.InsertAt(-3, 0));
    ASSERT_TRUE(a.InsertAt(2, 9));
    EXPECT_EQ(Values(a), (std::vector<int>{0, 1, 9, 2, 3, 4, 5}));
}

TEST(FlatArray, InsertingOwnElementInsertsItsOldValue)
{
    MLArray<std::string> a;
    for (int i = 0; i < 10; ++i) a.Add(std::to_string(i));
    ASSERT_EQ(a.GetCapacity(), 10);
    // Growth path: the buffer is replaced while the value lives in it.
    ASSERT_TRUE(a.InsertAt(0, *a.GetAt(9)));
    EXPECT_EQ(*a.GetAt(0), "9");
    EXPECT_EQ(*a.GetAt(10), "9");
    // Shift path: the value's slot is overwritten by the shift.
    ASSERT_TRUE(a.InsertAt(1, *a.GetAt(2)));
    EXPECT_EQ(*a.GetAt(1), "1");
    EXPECT_EQ(*a.GetAt(2), "0");
    EXPECT_EQ(*a.GetAt(3), "1");
}

TEST(FlatArray, FindIsLinearFromStartIndex)
{
    MLArray<int> a;
    for (int v : {4, 7, 4, 9}) a.Add(v);
    int index = 0;
    ASSERT_TRUE(a.Find(4, 0, index));
    EXPECT_EQ(index, 0);
    index = 1;
    ASSERT_TRUE(a.Find(4, 0, index));
    EXPECT_EQ(index, 2);
    index = 4;
    EXPECT_FALSE(a.Find(4, 0, index));
    EXPECT_EQ(index, 4);
    index = 0;
    EXPECT_FALSE(a.Find(5, 0, index));
    EXPECT_EQ(index, 0);
}

TEST(FlatArray, FloatEqualityIsExact)
{
    MLArray<double> a;
    a.Add(1.0);
    a.Add(std::nan(""));
    int index = 0;
    EXPECT_FALSE(a.Find(1.0 + 1e-15, 0, index));
    EXPECT_FALSE(a.Find(std::nan(""), 0, index));
    EXPECT_TRUE(a.Find(1.0, 0, index));
}

TEST(FlatArray, CopyTakesCapacityAndCount)
{
    MLArray<int> a(20), b;
    for (int v : {1, 2, 3}) a.Add(v);
    b.Add(99);
    b.Copy(a);
    EXPECT_EQ(b.GetCapacity(), 20);
    EXPECT_EQ(Values(b), (std::vector<int>{1, 2, 3}));
    a.Copy(a);
    EXPECT_EQ(Values(a), (std::vector<int>{1, 2, 3}));
    MLArray<int> c(a);
    EXPECT_EQ(c.GetCapacity(), 20);
    EXPECT_EQ(Values(c), (std::vector<int>{1, 2, 3}));
}

TEST(FlatArray, ElementsAreConstructedPerSlotAndDestroyedWithBuffer)
{
    Counted::alive = 0;
    {
        MLArray<Counted> a(4);
        EXPECT_EQ(Counted::alive, 4);
        a.Add(Counted(1));
        EXPECT_EQ(Counted::alive, 4);
    }
    EXPECT_EQ(Counted::alive, 0);
}

TEST(FlatArray, FailedGrowthLeavesArrayUnchanged)
{
    struct Guard {
        ~Guard() { Frail::failAlloc = false; }
    } guard;
    // Frail's array allocation fails on demand.
    class FrailArray : public MLArrayBase<Frail> {
    public:
        bool IsEqual(const Frail& a, const Frail& b) const override { return a.v == b.v; }
    } a;
    Frail f;
    f.v = 1;
    ASSERT_TRUE(a.Add(f));
    for (int i = 0; i < 9; ++i) a.Add(f);
    Frail::failAlloc = true;
    EXPECT_FALSE(a.Add(f));
    EXPECT_FALSE(a.SetSize(50));
    EXPECT_EQ(a.GetSize(), 10);
    EXPECT_EQ(a.GetCapacity(), 10);
    EXPECT_EQ(a.GetAt(9)->v, 1);
    Frail::failAlloc = false;
    EXPECT_TRUE(a.Add(f));
    EXPECT_EQ(a.GetSize(), 11);
}

// ---- sorted arrays ----

struct LoadFactorRec {
    uint16_t code = 0;
    float factor = 0;
    bool IsValid() const { return code > 0 && (factor < -0.0001 || factor > 0.0001); }
};

}  // namespace

template <>
struct MLArraySortOrder<LoadFactorRec> {
    static bool Equal(const LoadFactorRec& a, const LoadFactorRec& b) { return a.code == b.code; }
    static bool Less(const LoadFactorRec& a, const LoadFactorRec& b) { return a.code < b.code; }
};

namespace {

TEST(SortedArray, AddKeepsOrderAndEqualsInInsertionOrder)
{
    MLArraySort<Num> a;
    int tag = 0;
    for (int v : {5, 3, 5, 1}) ASSERT_TRUE(a.Add(Num(v, tag++)));
    ASSERT_EQ(a.GetSize(), 4);
    const int want[][2] = {{1, 3}, {3, 1}, {5, 0}, {5, 2}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(a.GetAt(i)->v, want[i][0]);
        EXPECT_EQ(a.GetAt(i)->tag, want[i][1]);
    }
}

TEST(SortedArray, FindModes)
{
    MLArraySort<double> a;
    for (double v : {1.0, 3.0, 5.0}) a.Add(v);
    struct Case {
        double value;
        int mode;
        bool found;
        int index;
    } cases[] = {
        {4, 0, false, -7}, {4, 3, false, 2}, {9, 3, false, 3}, {0, 3, false, 0},
        {9, 0, false, -7}, {3, 0, true, 1},  {3, 3, true, 2},  {5, 3, true, 3},
    };
    for (const Case& c : cases) {
        int index = -7;
        EXPECT_EQ(a.Find(c.value, c.mode, index), c.found) << c.value << " mode " << c.mode;
        EXPECT_EQ(index, c.index) << c.value << " mode " << c.mode;
    }

    MLArraySort<int> b;
    for (int v : {1, 5, 5, 7}) b.Add(v);
    int index = 0;
    ASSERT_TRUE(b.Find(5, 0, index));
    EXPECT_EQ(index, 1);
    ASSERT_TRUE(b.Find(5, 3, index));
    EXPECT_EQ(index, 3);
    index = 2;
    EXPECT_TRUE(b.Find(5, 2, index));
    EXPECT_EQ(index, 2);
    index = 4;
    EXPECT_FALSE(b.Find(5, 2, index));
    index = -1;
    EXPECT_FALSE(b.Find(1, 2, index));
}

TEST(SortedArray, EmptyArrayFindsNothingWhateverItsSlotsHold)
{
    MLArraySort<int> a;
    a.Add(4);
    a.RemoveAt(0);
    int index = 9;
    EXPECT_FALSE(a.Find(4, 0, index));
    EXPECT_EQ(index, 9);
    EXPECT_FALSE(a.Find(4, 3, index));
    EXPECT_EQ(index, 0);
}

TEST(SortedArray, StringsSortCaseSensitively)
{
    MLArraySort<std::string> a;
    for (const char* s : {"b", "B", "a", "A"}) a.Add(s);
    EXPECT_EQ(*a.GetAt(0), "A");
    EXPECT_EQ(*a.GetAt(1), "B");
    EXPECT_EQ(*a.GetAt(2), "a");
    EXPECT_EQ(*a.GetAt(3), "b");
}

TEST(SortedArray, MutexKeepsOneEntryPerKeyAndInvalidDeletes)
{
    MLArraySortMutex<LoadFactorRec> a;
    EXPECT_TRUE(a.Add({3, 1.2f}));
    EXPECT_TRUE(a.Add({3, 1.5f}));
    ASSERT_EQ(a.GetSize(), 1);
    EXPECT_FLOAT_EQ(a.GetAt(0)->factor, 1.5f);
    EXPECT_TRUE(a.Add({1, 2.0f}));
    EXPECT_TRUE(a.Add({5, 2.0f}));
    EXPECT_EQ(a.GetAt(0)->code, 1);
    EXPECT_EQ(a.GetAt(2)->code, 5);
    EXPECT_TRUE(a.Add({3, 0.0f}));  // removes key 3
    ASSERT_EQ(a.GetSize(), 2);
    EXPECT_EQ(a.GetAt(1)->code, 5);
    EXPECT_FALSE(a.Add({4, 0.0f}));
    EXPECT_FALSE(a.Add({0, 1.0f}));
    EXPECT_FALSE(a.Add({6, 0.0001f}));
    EXPECT_TRUE(a.Add({6, 0.00011f}));
    EXPECT_EQ(a.GetSize(), 3);
}

// ---- owning pointer arrays ----

struct Op {
    static inline int deleted = 0;
    int code = 0;
    explicit Op(int c) : code(c) {}
    virtual ~Op() { ++deleted; }
    bool IsSame(const Op& o) const { return code == o.code; }
};
struct OpChild : Op {
    static inline int childDeleted = 0;
    explicit OpChild(int c) : Op(c) {}
    ~OpChild() override { ++childDeleted; }
};
struct Record {
    static inline int deleted = 0;
    virtual ~Record() { ++deleted; }
};

TEST(PointerArray, RemoveAllDeletesThroughVirtualDestructorAndSkipsNull)
{
    Op::deleted = OpChild::childDeleted = 0;
    MLArrayPtr<Op> a;
    a.Add(new Op(1));
    a.Add(nullptr);
    a.Add(new OpChild(2));
    EXPECT_TRUE(a.RemoveAll());
    EXPECT_EQ(Op::deleted, 2);
    EXPECT_EQ(OpChild::childDeleted, 1);
    EXPECT_EQ(a.GetSize(), 0);
    EXPECT_EQ(a.GetCapacity(), 0);
    EXPECT_TRUE(a.RemoveAll());
}

TEST(PointerArray, FindUsesIsSameWhenTheTypeHasIt)
{
    MLArrayPtr<Op> a;
    a.Add(new Op(1));
    a.Add(new Op(2));
    Op probe(2);
    int index = 0;
    ASSERT_TRUE(a.Find(&probe, 0, index));
    EXPECT_EQ(index, 1);
    a.RemoveAll();
}

TEST(PointerArray, IdentityWithoutIsSameAndNoDeleteWithoutRemoveAll)
{
    Record::deleted = 0;
    Record r1, r2;
    {
        MLArrayPtr<Record> a;
        a.Add(&r1);
        int index = 0;
        EXPECT_FALSE(a.Find(&r2, 0, index));
        EXPECT_TRUE(a.Find(&r1, 0, index));
        EXPECT_TRUE(a.RemoveAt(0));  // drops the pointer only
    }
    EXPECT_EQ(Record::deleted, 0);
}

}  // namespace
