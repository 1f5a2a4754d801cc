// Writing stores to binary streams and reading them back, including damaged
// and hand-made files.
#include <gtest/gtest.h>

#include "containers/MArray.h"
#include "containers/MArrayID.h"
#include "TestRecords.h"
#include "tests/support/LeBytes.h"
#include "tests/support/TestFiles.h"

using vektest::Bytes;
using vektest::LeBytes;
using vektest::TempFile;

namespace {

template <class Store>
int WriteStore(Store& s, const TempFile& f)
{
    bofstream out(f.c_str());
    EXPECT_TRUE(out.IsOpen());
    const int r = s.Write(out);
    out.Close();
    return r;
}

template <class Store>
int ReadStore(Store& s, const TempFile& f)
{
    bifstream in(f.c_str());
    return s.Read(in);
}

Bytes Record(int id, int value, int flag, int extra)
{
    LeBytes b;
    b.i32(id).i16(value).i8(flag);
    if (flag == 1) b.i32(extra);
    return b;
}

Bytes StoreBytes(int count, std::initializer_list<Bytes> records)
{
    LeBytes b;
    b.i32(count);
    for (const auto& r : records) b.append(r);
    return b;
}

TEST(StoreStream, IdStoreGoldenBytesInIdOrder)
{
    MArrayID<IdRec> s(0, 128);
    IdRec seven(7, 0x0102), three(3, -2, 0x11223344);
    s.Add(seven);
    s.Add(three);
    TempFile f("golden");
    ASSERT_EQ(WriteStore(s, f), 1);
    // count 2; ID 3 first: int 3, short -2, flag 1, extra; then ID 7, flag 0.
    const std::vector<uint8_t> want = {
        0x02, 0x00, 0x00, 0x00,                                            //
        0x03, 0x00, 0x00, 0x00, 0xFE, 0xFF, 0x01, 0x44, 0x33, 0x22, 0x11,  //
        0x07, 0x00, 0x00, 0x00, 0x02, 0x01, 0x00,
    };
    EXPECT_EQ(f.ReadAll(), want);

    MArrayID<IdRec> back(0, 4);
    IdRec stale(1, 1);
    back.Add(stale);
    ASSERT_EQ(ReadStore(back, f), 1);
    ASSERT_EQ(back.GetSize(), 2);
    EXPECT_EQ(back.GetIDAt(0), 3);
    EXPECT_EQ(back.GetIDAt(1), 7);
    EXPECT_EQ(*back.GetByID(3), three);
    EXPECT_EQ(*back.GetByID(7), seven);
}

TEST(StoreStream, EmptyStoreWritesOnlyTheCount)
{
    MArray<Num> s(0, 128);
    TempFile f("empty");
    ASSERT_EQ(WriteStore(s, f), 1);
    EXPECT_EQ(f.ReadAll(), (std::vector<uint8_t>{0, 0, 0, 0}));
    MArray<Num> back(0, 128);
    back.Add(Num(4));
    ASSERT_EQ(ReadStore(back, f), 1);
    EXPECT_EQ(back.GetSize(), 0);
}

TEST(StoreStream, RoundTripsOfEveryStoreKind)
{
    TempFile f("round");
    {
        // A plain store keeps the written order, duplicates included, whatever
        // the block layout was.
        MArray<Num> s(0, 2);
        for (int v : {5, 1, 5, 3, 9}) s.Add(Num(v, v * 2));
        s.RemoveAt(1);
        s.InsertAt(0, Num(7, 1));
        ASSERT_EQ(WriteStore(s, f), 1);
        MArray<Num> back(0, 128);
        ASSERT_EQ(ReadStore(back, f), 1);
        ASSERT_EQ(back.GetSize(), s.GetSize());
        for (int i = 0; i < s.GetSize(); ++i) {
            EXPECT_EQ(back.GetAt(i)->v, s.GetAt(i)->v);
            EXPECT_EQ(back.GetAt(i)->tag, s.GetAt(i)->tag);
        }
    }
    {
        // A sorted store comes back sorted; equal records collapse into one.
        MArray<Num> plain(0, 128);
        for (int v : {3, 1, 2, 1}) plain.Add(Num(v));
        ASSERT_EQ(WriteStore(plain, f), 1);
        MArraySort<Num> back(0, 128);
        ASSERT_EQ(ReadStore(back, f), 1);
        ASSERT_EQ(back.GetSize(), 3);
        for (int i = 0; i < 3; ++i) EXPECT_EQ(back.GetAt(i)->v, i + 1);
    }
    {
        // An ID store keeps sparse IDs; a 16-bit one too.
        MArrayID<IdRec> s(0, 16);
        for (int id : {1, 2, 40, 41, 1000}) {
            IdRec r(id, id, id % 2 ? id * 3 : 0);
            s.Add(r);
        }
        s.RemoveByID(2);
        ASSERT_EQ(WriteStore(s, f), 1);
        MArrayID<IdRec> back(0, 1024);
        ASSERT_EQ(ReadStore(back, f), 1);
        ASSERT_EQ(back.GetSize(), 4);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(*back.GetAt(i), *s.GetAt(i));

        MArrayID<IdRec16> s16(0, 128);
        for (int id : {32767, 5, 300}) {
            IdRec16 r(id, -id);
            s16.Add(r);
        }
        ASSERT_EQ(WriteStore(s16, f), 1);
        MArrayID<IdRec16> back16(0, 128);
        ASSERT_EQ(ReadStore(back16, f), 1);
        ASSERT_EQ(back16.GetSize(), 3);
        EXPECT_EQ(back16.GetIDAt(2), 32767);
        EXPECT_EQ(back16.GetByID(32767)->value, -32767);
        EXPECT_EQ(back16.GetByID(300)->value, -300);
    }
}

TEST(StoreStream, EachRecordIsReadIntoAFreshElement)
{
    // The first record carries an extra field, the second does not: the second
    // must come back with the default, not the first's value.
    TempFile f("fresh");
    f.WriteAll(StoreBytes(2, {Record(1, 1, 1, 99), Record(2, 2, 0, 0)}));
    MArrayID<IdRec> s(0, 128);
    ASSERT_EQ(ReadStore(s, f), 1);
    EXPECT_EQ(s.GetByID(1)->extra, 99);
    EXPECT_EQ(s.GetByID(2)->extra, 0);
}

TEST(StoreStream, RecordWithoutIdGetsTheNextFreeId)
{
    TempFile f("noid");
    f.WriteAll(StoreBytes(3, {Record(2, 20, 0, 0), Record(0, 10, 0, 0), Record(-4, 30, 0, 0)}));
    MArrayID<IdRec> s(0, 128);
    ASSERT_EQ(ReadStore(s, f), 1);
    EXPECT_EQ(s.GetByID(1)->value, 10);
    EXPECT_EQ(s.GetByID(3)->value, 30);
}

TEST(StoreStream, TruncatedAtEveryByteFailsAndLeavesStoreEmpty)
{
    MArrayID<IdRec> s(0, 128);
    for (int id : {3, 8, 9}) {
        IdRec r(id, id, id == 8 ? 5 : 0);
        s.Add(r);
    }
    TempFile whole("whole");
    ASSERT_EQ(WriteStore(s, whole), 1);
    const std::vector<uint8_t> bytes = whole.ReadAll();
    ASSERT_EQ(bytes.size(), 4u + 7 + 11 + 7);
    TempFile cut("cut");
    for (size_t n = 0; n < bytes.size(); ++n) {
        cut.WriteAll(std::vector<uint8_t>(bytes.begin(), bytes.begin() + n));
        MArrayID<IdRec> back(0, 128);
        IdRec stale(1, 1);
        back.Add(stale);
        EXPECT_EQ(ReadStore(back, cut), 0) << n;
        EXPECT_EQ(back.GetSize(), 0) << n;
    }
    cut.WriteAll(bytes);
    MArrayID<IdRec> back(0, 128);
    EXPECT_EQ(ReadStore(back, cut), 1);
    EXPECT_EQ(back.GetSize(), 3);
}

TEST(StoreStream, DamagedCountsAndIdsAreRefusedBeforeAllocating)
{
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        int result;
        int size;
    } cases[] = {
        {"negative count", StoreBytes(-1, {Record(1, 1, 0, 0)}), 0, 0},
        {"huge count", StoreBytes(INT32_MAX, {Record(1, 1, 0, 0)}), 0, 0},
        {"count beyond the file", StoreBytes(0x40000000, {}), 0, 0},
        {"count one too many", StoreBytes(2, {Record(1, 1, 0, 0)}), 0, 0},
        {"ID beyond the store's bound", StoreBytes(1, {Record(INT32_MAX, 1, 0, 0)}), 0, 0},
        {"ID just beyond the bound", StoreBytes(1, {Record(MArrayID<IdRec>::kMaxID + 1, 1, 0, 0)}), 0, 0},
        {"bad ID after good records", StoreBytes(2, {Record(1, 1, 0, 0), Record(0x7ffffff0, 1, 0, 0)}), 0, 0},
        {"zero count", StoreBytes(0, {}), 1, 0},
        {"duplicate IDs replace", StoreBytes(2, {Record(4, 1, 0, 0), Record(4, 2, 0, 0)}), 1, 1},
    };
    TempFile f("damaged");
    for (const Case& c : cases) {
        f.WriteAll(c.bytes);
        MArrayID<IdRec> s(0, 128);
        EXPECT_EQ(ReadStore(s, f), c.result) << c.what;
        EXPECT_EQ(s.GetSize(), c.size) << c.what;
        if (!c.result) {
            EXPECT_EQ(s.GetIDCapacity(), 0) << c.what;
        }
    }
}

TEST(StoreStream, CountIsBoundedByTheRecordSizeBeforeAllocating)
{
    // 1000 records of 8 bytes need 8000 bytes; one byte short is refused
    // before any pool element is made.
    TempFile f("sized");
    LeBytes b;
    b.i32(1000);
    for (int i = 1; i <= 1000; ++i) b.i32(i).i32(-i);
    const Bytes shortBytes(b.bytes().begin(), b.bytes().end() - 1);
    f.WriteAll(shortBytes);
    MArrayID<SizedRec> s(0, 128);
    SizedRec::made = 0;
    EXPECT_EQ(ReadStore(s, f), 0);
    EXPECT_EQ(SizedRec::made, 0);
    f.WriteAll(b);
    EXPECT_EQ(ReadStore(s, f), 1);
    EXPECT_EQ(s.GetSize(), 1000);
    EXPECT_EQ(s.GetByID(1000)->v, -1000);
}

TEST(StoreStream, ReadingIntoAFilledStoreStartsItAfresh)
{
    // 300 records in three blocks, each with an extra field; then a file of
    // three records without one: nothing of the old records may show, the
    // blocks not needed go, and the store works on as a fresh one.
    MArrayID<IdRec> s(0, 128);
    for (int id = 1; id <= 300; ++id) {
        IdRec r(id, id, 1000 + id);
        s.Add(r);
    }
    TempFile small("reread-small"), big("reread-big");
    ASSERT_EQ(WriteStore(s, big), 1);
    small.WriteAll(StoreBytes(3, {Record(7, 70, 0, 0), Record(2, 20, 0, 0), Record(-1, 90, 1, 5)}));
    ASSERT_EQ(ReadStore(s, small), 1);
    ASSERT_EQ(s.GetSize(), 3);
    EXPECT_EQ(s.GetBlockCount(), 1);
    EXPECT_LE(s.GetIDCapacity(), 128);
    EXPECT_EQ(s.GetIDAt(0), 1);
    EXPECT_EQ(s.GetIDAt(2), 7);
    EXPECT_EQ(*s.GetByID(1), IdRec(1, 90, 5));
    EXPECT_EQ(*s.GetByID(2), IdRec(2, 20));
    EXPECT_EQ(*s.GetByID(7), IdRec(7, 70));
    EXPECT_EQ(s.IsValidID(3), 0);
    EXPECT_EQ(s.IsValidID(300), 0);
    IdRec added(0, 33);
    EXPECT_EQ(s.Add(added), 1);
    EXPECT_EQ(added.m_nID, 3);
    EXPECT_EQ(s.GetIDAt(3), 7);

    ASSERT_EQ(ReadStore(s, big), 1);
    ASSERT_EQ(s.GetSize(), 300);
    for (int id = 1; id <= 300; ++id) ASSERT_EQ(*s.GetByID(id), IdRec(id, id, 1000 + id)) << id;
    EXPECT_EQ(s.GetIDAt(299), 300);

    // A damaged file read into the filled store leaves it empty.
    small.WriteAll(StoreBytes(3, {Record(7, 70, 0, 0), Record(2, 20, 0, 0)}));
    EXPECT_EQ(ReadStore(s, small), 0);
    EXPECT_EQ(s.GetSize(), 0);
    EXPECT_EQ(s.GetIDCapacity(), 0);
    EXPECT_EQ(s.GetBlockCount(), 0);
}

TEST(StoreStream, ReadingAgainMakesNoNewPoolElements)
{
    TempFile f("again");
    LeBytes b;
    b.i32(1000);
    for (int i = 1; i <= 1000; ++i) b.i32(i).i32(-i);
    f.WriteAll(b);
    MArrayID<SizedRec> s(0, 128);
    ASSERT_EQ(ReadStore(s, f), 1);
    SizedRec::made = 0;
    ASSERT_EQ(ReadStore(s, f), 1);
    EXPECT_EQ(SizedRec::made, 1000) << "one fresh record per record read, the pool kept";
    EXPECT_EQ(s.GetSize(), 1000);
    EXPECT_EQ(s.GetByID(1000)->v, -1000);
}

TEST(StoreStream, ClosedStreamsReportFailure)
{
    MArrayID<IdRec> s(0, 128);
    IdRec r(1, 1);
    s.Add(r);
    bofstream out;
    EXPECT_EQ(s.Write(out), 0);
    bifstream in("/nonexistent-folder/none.bin");
    EXPECT_EQ(s.Read(in), 0);
    EXPECT_EQ(s.GetSize(), 0);
}

TEST(StoreStream, FailedAllocationWhileReadingIsReported)
{
    TempFile f("frail");
    {
        MArrayID<Frail> s(0, 2);
        for (int i = 0; i < 5; ++i) {
            Frail r;
            r.v = i;
            s.Add(r);
        }
        ASSERT_EQ(WriteStore(s, f), 1);
    }
    MArrayID<Frail> back(0, 2);
    Frail::failAlloc = true;
    EXPECT_EQ(ReadStore(back, f), 0);
    Frail::failAlloc = false;
    EXPECT_EQ(back.GetSize(), 0);
    EXPECT_EQ(ReadStore(back, f), 1);
    EXPECT_EQ(back.GetSize(), 5);
}

}  // namespace
