// Binary streams: exact bytes of the header, values, texts and sections;
// refusals of damaged files; failure of streams that are not open.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

#include "tests/support/LeBytes.h"
#include "tests/support/SparseFile.h"
#include "tests/support/TestFiles.h"
#include "tests/support/VersionGuard.h"
#include "korvalib/base/biostream.h"

using namespace vektest;

namespace {

const Bytes kHeader = {'K', 'O', 'R', 'V', 'A', 'D', 'A', 'T', 'A', 0x00, 0x81, 0x00};

}  // namespace

TEST(Biostream, HeaderIsTwelveBytes)
{
    TempFile f;
    VersionGuard g;
    nVersion = 57;
    {
        bofstream out(f.c_str());
        ASSERT_TRUE(out.IsOpen());
        EXPECT_EQ(out.WriteHeader(), 1);
        EXPECT_TRUE(out.IsGood());
    }
    EXPECT_EQ(f.ReadAll(), kHeader);
    EXPECT_EQ(nVersion, 57) << "writing a header does not set the version";
}

TEST(Biostream, PrimitiveValuesAndTexts)
{
    TempFile f;
    {
        bofstream out(f.c_str());
        out << 'A' << (signed char)-1 << (unsigned char)0xFE << (short)-2 << (unsigned short)0xBEEF << 0x01020304
            << 0xFFFFFFFEu << 1.0f << 1.0 << (long double)-2.5 << ""
            << "AB" << (const char*)nullptr;
        EXPECT_TRUE(out.IsGood());
    }
    const Bytes expected = {
        0x41, 0xFF, 0xFE,                                // chars
        0xFE, 0xFF, 0xEF, 0xBE,                          // shorts
        0x04, 0x03, 0x02, 0x01, 0xFE, 0xFF, 0xFF, 0xFF,  // ints
        0x00, 0x00, 0x80, 0x3F,                          // 1.0f
        0,    0,    0,    0,    0,    0,    0xF0, 0x3F,  // 1.0
        0,    0,    0,    0,    0,    0,    0x04, 0xC0,  // -2.5 as an 8-byte double
        0x01, 0,    0,    0,    0x00,                    // ""
        0x03, 0,    0,    0,    0x41, 0x42, 0x00,        // "AB"
        0x01, 0,    0,    0,    0x00,                    // null text written as ""
    };
    EXPECT_EQ(f.ReadAll(), expected);

    bifstream in(f.c_str());
    char c = 0;
    signed char sc = 0;
    unsigned char uc = 0;
    short s = 0;
    unsigned short us = 0;
    int i = 0;
    unsigned u = 0;
    float fl = 0;
    double d = 0;
    long double ld = 0;
    char empty[4] = "xyz", ab[3] = {}, null[1] = {'q'};
    in >> c >> sc >> uc >> s >> us >> i >> u >> fl >> d >> ld >> empty >> ab >> null;
    EXPECT_TRUE(in.IsGood());
    EXPECT_EQ(c, 'A');
    EXPECT_EQ(sc, -1);
    EXPECT_EQ(uc, 0xFE);
    EXPECT_EQ(s, -2);
    EXPECT_EQ(us, 0xBEEF);
    EXPECT_EQ(i, 0x01020304);
    EXPECT_EQ(u, 0xFFFFFFFEu);
    EXPECT_EQ(fl, 1.0f);
    EXPECT_EQ(d, 1.0);
    EXPECT_EQ(ld, -2.5L);
    EXPECT_STREQ(empty, "");
    EXPECT_STREQ(ab, "AB");
    EXPECT_STREQ(null, "");
    int more = 7;
    in >> more;
    EXPECT_EQ(more, 7) << "a read past the end leaves the target as it was";
    EXPECT_TRUE(in.Eof());
    EXPECT_FALSE(in.IsGood());
}

TEST(Biostream, SectionsCarryTheirBodyLength)
{
    TempFile f;
    long afterBody = 0;
    {
        bofstream out(f.c_str());
        out.Write("TAG", 3);  // whatever precedes a section is the caller's
        ASSERT_EQ(out.BeginSection(), 1);
        out.Write("HELLO", 5);
        ASSERT_EQ(out.EndSection(), 1);
        afterBody = out.TellPos();
        ASSERT_EQ(out.BeginSection(), 1);
        ASSERT_EQ(out.EndSection(), 1);
        out << (unsigned char)0xAA;
        EXPECT_TRUE(out.IsGood());
    }
    EXPECT_EQ(afterBody, 3 + 4 + 5);
    EXPECT_EQ(f.ReadAll(), Cat({Text("TAG"), {0x05, 0, 0, 0}, Text("HELLO"), {0, 0, 0, 0}, {0xAA}}));

    bifstream in(f.c_str());
    char tag[3];
    int len = -1;
    ASSERT_TRUE(in.Read(tag, 3));
    ASSERT_EQ(in.ReadSection(len), 1);
    EXPECT_EQ(len, 5);
    ASSERT_TRUE(in.Seek(len, 1));
    ASSERT_EQ(in.ReadSection(len), 1);
    EXPECT_EQ(len, 0);
    unsigned char last = 0;
    in >> last;
    EXPECT_EQ(last, 0xAA);
    EXPECT_TRUE(in.IsGood());
}

TEST(Biostream, EndSectionWithoutBeginFails)
{
    TempFile f;
    bofstream out(f.c_str());
    EXPECT_EQ(out.EndSection(), 0);
    EXPECT_FALSE(out.IsGood());
    out.ClearError();
    EXPECT_TRUE(out.IsGood());
    out.BeginSection();
    out.EndSection();
    EXPECT_EQ(out.EndSection(), 0) << "a section is closed once";
}

TEST(Biostream, ReadHeaderVersions)
{
    struct Case {
        const char* what;
        Bytes bytes;
        int result;
        int16_t version;  // nVersion afterwards (starts at 77)
    } cases[] = {
        {"current", kHeader, 1, 129},
        {"newer refused", Cat({Text("KORVADATA"), {0}, Le16(130)}), 0, 77},
        {"zero", Cat({Text("KORVADATA"), {0}, Le16(0)}), 1, 0},
        {"negative", Cat({Text("KORVADATA"), {0}, Le16(-5)}), 1, -5},
        {"old", Cat({Text("KORVADATA"), {0}, Le16(100)}), 1, 100},
        {"most negative", Cat({Text("KORVADATA"), {0}, Le16(0x8000)}), 1, INT16_MIN},
        {"largest refused", Cat({Text("KORVADATA"), {0}, Le16(0x7FFF)}), 0, 77},
        {"other magic", Cat({Text("KORVADATB"), {0}, Le16(129)}), 0, 77},
        {"magic without NUL", Cat({Text("KORVADATAX"), Le16(129)}), 0, 77},
        {"short magic with NUL", Cat({Text("KORVA"), {0, 'X', 'X', 'X', 'X'}, Le16(129)}), 0, 77},
        {"no version", Cat({Text("KORVADATA"), {0}, {0x81}}), 0, 77},
        {"empty", {}, 0, 77},
    };
    VersionGuard g;
    for (const auto& c : cases) {
        TempFile f;
        f.WriteAll(c.bytes);
        nVersion = 77;
        bifstream in(f.c_str());
        ASSERT_TRUE(in.IsOpen());
        EXPECT_EQ(in.ReadHeader(), c.result) << c.what;
        EXPECT_EQ(nVersion, c.version) << c.what;
    }
}

TEST(Biostream, ClosedStreamsFail)
{
    TempFile missing;
    bifstream in;
    EXPECT_EQ(in.Open(missing.c_str()), 0);
    EXPECT_FALSE(in.IsOpen());
    EXPECT_TRUE(!in);
    int v = 5;
    char buf[8] = "abc";
    EXPECT_EQ(in.Read(&v, 4), 0);
    EXPECT_EQ(in.Read(&v, 0), 0);
    in >> v >> buf;
    EXPECT_EQ(v, 5);
    EXPECT_EQ(in.ReadHeader(), 0);
    EXPECT_EQ(in.Seek(0, 0), 0);
    EXPECT_EQ(in.TellPos(), 0);
    EXPECT_EQ(in.Eof(), 1);
    EXPECT_EQ(in.IsGood(), 0);

    bofstream out;
    EXPECT_EQ(out.Write("x", 1), 0);
    EXPECT_EQ(out.Write("x", 0), 0);
    EXPECT_EQ(out.WriteHeader(), 0);
    EXPECT_EQ(out.BeginSection(), 0);
    EXPECT_EQ(out.EndSection(), 0);
    EXPECT_NE(out.Flush(), 0);
    EXPECT_EQ(out.IsGood(), 0);

    // A folder cannot be opened for writing.
    bofstream dir;
    EXPECT_EQ(dir.Open(std::filesystem::temp_directory_path().string().c_str()), 0);
    EXPECT_EQ(dir.IsGood(), 0);
}

TEST(Biostream, EmptyWritesAndReadsOnOpenStreams)
{
    TempFile f;
    {
        bofstream out(f.c_str());
        EXPECT_EQ(out.Write("x", 0), 1);
        EXPECT_EQ(out.Write(nullptr, -3), 1);
        EXPECT_TRUE(out.IsGood());
    }
    EXPECT_TRUE(f.ReadAll().empty());
    bifstream in(f.c_str());
    EXPECT_EQ(in.Read(nullptr, 0), 1);
    EXPECT_TRUE(in.IsGood());
    char c;
    EXPECT_EQ(in.Read(&c, 1), 0);
    EXPECT_EQ(in.Eof(), 1);
}

TEST(Biostream, OpeningAgainClosesTheFirstFile)
{
    TempFile a, b;
    bofstream out(a.c_str());
    out << 0x11223344;
    ASSERT_EQ(out.Open(b.c_str()), 1);
    EXPECT_EQ(a.ReadAll(), Le32(0x11223344)) << "the first file was flushed and closed";
    out << (char)1;
    out.Close();
    EXPECT_EQ(b.ReadAll(), Bytes{1});
}

TEST(Biostream, AttachAndDetach)
{
    TempFile f;
    FILE* raw = std::fopen(f.c_str(), "wb");
    ASSERT_NE(raw, nullptr);
    {
        bofstream out;
        out.Attach(raw);
        out << (short)0x0102;
        EXPECT_EQ(out.Detach(), raw);
        EXPECT_FALSE(out.IsOpen());
    }
    std::fputc(3, raw);  // still open after the stream went away
    std::fclose(raw);
    EXPECT_EQ(f.ReadAll(), (Bytes{0x02, 0x01, 0x03}));
}

TEST(Biostream, StoredTextLengthsAreBounded)
{
    struct Case {
        const char* what;
        Bytes bytes;
        int ok;
    } cases[] = {
        {"fits", Cat({Le32(3), Text("AB"), {0}}), 1},
        {"exactly the buffer", Cat({Le32(4), Text("ABC"), {0}}), 1},
        {"no terminating NUL stored", Cat({Le32(3), Text("ABC")}), 1},
        {"zero length", Le32(0), 0},
        {"negative", Cat({Le32(-1), Text("AB"), {0}}), 0},
        {"most negative", Cat({Le32(INT32_MIN), Text("AB")}), 0},
        {"beyond the buffer", Cat({Le32(5), Text("ABCD"), {0}}), 0},
        {"huge", Cat({Le32(INT32_MAX), Text("AB"), {0}}), 0},
        {"beyond the file", Cat({Le32(4), Text("AB")}), 0},
        {"length cut short", {0x03, 0x00}, 0},
    };
    for (const auto& c : cases) {
        TempFile f;
        f.WriteAll(c.bytes);
        {
            bifstream in(f.c_str());
            char buf[4] = {'z', 'z', 'z', 'z'};
            EXPECT_EQ(in.ReadString(buf, 4), c.ok) << c.what;
            EXPECT_EQ(in.IsGood(), c.ok) << c.what;
            if (c.ok) {
                EXPECT_EQ(strncmp(buf, "ABC", strlen(buf)), 0) << c.what;
                EXPECT_LT(strlen(buf), 4u) << c.what;
            } else {
                EXPECT_STREQ(buf, "") << c.what;
            }
        }
        {
            bifstream in(f.c_str());
            char* text = new char[4];
            strcpy(text, "old");
            EXPECT_EQ(in.ReadString(text), c.ok || strcmp(c.what, "beyond the buffer") == 0) << c.what;
            if (!in.IsGood()) {
                EXPECT_STREQ(text, "old") << c.what;
            }
            delete[] text;
        }
    }
}

TEST(Biostream, SectionLengthsAreBounded)
{
    struct Case {
        const char* what;
        Bytes bytes;
        int ok;
    } cases[] = {
        {"body present", Cat({Le32(2), {1, 2}}), 1}, {"empty", Le32(0), 1},
        {"negative", Cat({Le32(-2), {1, 2}}), 0},    {"beyond the file", Cat({Le32(3), {1, 2}}), 0},
        {"huge", Cat({Le32(INT32_MAX), {1, 2}}), 0}, {"cut short", {0x02, 0x00, 0x00}, 0},
    };
    for (const auto& c : cases) {
        TempFile f;
        f.WriteAll(c.bytes);
        bifstream in(f.c_str());
        int len = 1234;
        EXPECT_EQ(in.ReadSection(len), c.ok) << c.what;
        EXPECT_EQ(in.IsGood(), c.ok) << c.what;
        if (!c.ok) {
            EXPECT_EQ(len, 1234) << c.what;
        }
    }
}

TEST(Biostream, CheckAvailableRefusesCountsBeyondTheFile)
{
    TempFile f;
    f.WriteAll(Bytes(10, 0));
    bifstream in(f.c_str());
    EXPECT_EQ(in.CheckAvailable(10), 1);
    EXPECT_EQ(in.CheckAvailable(0), 1);
    char buf[4];
    in.Read(buf, 4);
    EXPECT_EQ(in.CheckAvailable(6), 1);
    EXPECT_TRUE(in.IsGood());
    EXPECT_EQ(in.CheckAvailable(7), 0);
    EXPECT_FALSE(in.IsGood());
    in.ClearError();
    EXPECT_EQ(in.CheckAvailable(-1), 0);
    EXPECT_EQ(in.CheckAvailable(INT64_MAX), 0);
}

// A small file of every kind of block, read back cut at every byte: each cut
// is refused, the whole file is read.
namespace {
int ReadSample(bifstream& in)
{
    if (!in.ReadHeader()) return 0;
    char tag[9];
    int len = 0;
    if (!in.Read(tag, 9) || !in.ReadSection(len)) return 0;
    char name[16];
    double d = 0;
    short s = 0;
    char* owned = nullptr;
    in >> name >> d >> s;
    in.ReadString(owned);
    delete[] owned;
    if (!in.IsGood() || strcmp(name, "NODE") != 0 || d != 1.5 || s != -3) return 0;
    return 1;
}
}  // namespace

TEST(Biostream, EveryTruncationIsRefused)
{
    TempFile whole;
    {
        bofstream out(whole.c_str());
        out.WriteHeader();
        out.Write("SECTION1", 9);
        out.BeginSection();
        out << "NODE" << 1.5 << (short)-3 << "tail";
        out.EndSection();
    }
    const Bytes bytes = whole.ReadAll();
    ASSERT_EQ(bytes.size(), 12u + 9 + 4 + 9 + 8 + 2 + 9);
    VersionGuard g;
    for (size_t n = 0; n <= bytes.size(); ++n) {
        TempFile cut;
        cut.WriteAll(bytes.data(), n);
        bifstream in(cut.c_str());
        EXPECT_EQ(ReadSample(in), n == bytes.size() ? 1 : 0) << "cut at " << n;
    }
}

// Beyond one buffer: positions, relative seeks, large blocks and values
// mixed, and handing the file back.
TEST(Biostream, PositionsAcrossTheBuffer)
{
    TempFile f;
    constexpr int kCount = 100000;
    std::vector<int32_t> block(30000);
    for (size_t i = 0; i < block.size(); ++i) block[i] = int32_t(i * 7);
    {
        bofstream out(f.c_str());
        for (int i = 0; i < kCount; ++i) {
            out << i;
            if (i == 50000) {
                EXPECT_EQ(out.TellPos(), 4L * 50001);
                ASSERT_EQ(out.Write(block.data(), int(block.size() * 4)), 1);
            }
        }
        EXPECT_EQ(out.TellPos(), 4L * (kCount + 30000));
        EXPECT_EQ(out.Flush(), 0);
        EXPECT_EQ(out.Close(), 1);
    }
    ASSERT_EQ(f.ReadAll().size(), size_t(4) * (kCount + 30000));

    bifstream in(f.c_str());
    int v = -1;
    in >> v;
    EXPECT_EQ(v, 0);
    ASSERT_TRUE(in.Seek(4 * 49999, 1));  // within what was read ahead
    in >> v;
    EXPECT_EQ(v, 50000);
    EXPECT_EQ(in.TellPos(), 4L * 50001);
    std::vector<int32_t> back(block.size());
    ASSERT_EQ(in.Read(back.data(), int(back.size() * 4)), 1);
    EXPECT_EQ(back, block);
    in >> v;
    EXPECT_EQ(v, 50001);
    EXPECT_EQ(in.CheckAvailable(4L * (kCount - 50002)), 1);
    EXPECT_EQ(in.CheckAvailable(4L * (kCount - 50002) + 1), 0);
    in.ClearError();
    ASSERT_TRUE(in.Seek(-8, 2));
    in >> v;
    EXPECT_EQ(v, kCount - 2);
    FILE* raw = in.Detach();
    ASSERT_NE(raw, nullptr);
    int32_t last = 0;
    EXPECT_EQ(std::fread(&last, 4, 1, raw), 1u) << "the file is handed back where reading stopped";
    EXPECT_EQ(last, kCount - 1);
    std::fclose(raw);
}

// Blocks and values of odd widths straddle the buffer's end: they are
// copied inline while they fit and go the slow way when they do not.
TEST(Biostream, BlocksAndValuesAcrossBufferEnds)
{
    TempFile f;
    constexpr int kRecords = 4000;  // 59 bytes each: more than three buffers
    auto fill = [](unsigned char* b, int i) {
        for (int k = 0; k < 48; ++k) b[k] = static_cast<unsigned char>(i * 31 + k);
    };
    {
        bofstream out(f.c_str());
        unsigned char block[48];
        for (int i = 0; i < kRecords; ++i) {
            fill(block, i);
            ASSERT_EQ(out.Write(block, 48), 1) << i;
            out << char(i) << short(-i) << double(i * 0.5);
        }
        EXPECT_EQ(out.TellPos(), 59L * kRecords);
        EXPECT_EQ(out.Close(), 1);
    }
    ASSERT_EQ(f.ReadAll().size(), size_t(59) * kRecords);

    bifstream in(f.c_str());
    unsigned char want[48], got[48];
    for (int i = 0; i < kRecords; ++i) {
        fill(want, i);
        ASSERT_EQ(in.Read(got, 48), 1) << i;
        ASSERT_EQ(memcmp(got, want, 48), 0) << i;
        char c = 0;
        short sh = 0;
        double d = 0;
        in >> c >> sh >> d;
        ASSERT_TRUE(in.IsGood()) << i;
        ASSERT_EQ(c, char(i)) << i;
        ASSERT_EQ(sh, short(-i)) << i;
        ASSERT_EQ(d, i * 0.5) << i;
    }
    EXPECT_EQ(in.TellPos(), 59L * kRecords);
    EXPECT_EQ(in.Read(got, 48), 0);
    EXPECT_FALSE(in.IsGood());
    EXPECT_TRUE(in.Eof());
}

TEST(Biostream, PeekShowsBufferedBytesWithoutTakingThem)
{
    TempFile f;
    {
        bofstream out(f.c_str());
        for (int i = 0; i < 5; ++i) out << char(i + 1);
    }
    bifstream in(f.c_str());
    EXPECT_EQ(in.Peek(1), nullptr) << "nothing read ahead yet";
    char c = 0;
    in >> c;
    ASSERT_EQ(c, 1);
    const unsigned char* p = in.Peek(4);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p[0], 2);
    EXPECT_EQ(p[3], 5);
    EXPECT_EQ(in.Peek(5), nullptr) << "beyond the file";
    EXPECT_EQ(in.Peek(0), nullptr);
    in >> c;
    EXPECT_EQ(c, 2) << "peeking took nothing";
    EXPECT_EQ(in.TellPos(), 2L);
    EXPECT_TRUE(in.IsGood());
}

#if !defined(_WIN32)
TEST(Biostream, FailedWritesAreReported)
{
    bofstream out;
    if (!out.Open("/dev/full")) GTEST_SKIP() << "no /dev/full";
    for (int i = 0; i < 100000; ++i) out << 1.0;
    EXPECT_FALSE(out.IsGood());
    EXPECT_NE(out.Flush(), 0);
    EXPECT_EQ(out.Close(), 0);
}
#endif

// Files past 2 GiB, and past 4 GiB: 64-bit positions, seeks and lengths for
// reading and writing; the long forms say -1 where a position does not fit.
TEST(Biostream, PositionsPastFourGiB)
{
    TempFile probe("probe");
    if (!sparsetest::SparseFilesWork(probe.path())) GTEST_SKIP() << "no sparse files here";
    TempFile f("big");
    const int64_t nearPos = int64_t(3) << 30;       // 3 GiB
    const int64_t farPos = (int64_t(9) << 29) + 5;  // 4.5 GiB and a bit
    const int64_t size = farPos + 8;
    ASSERT_EQ(
        sparsetest::MakeSparseFile(
            f.path(), size, {{nearPos, {0x11, 0x22, 0x33, 0x44}}, {farPos, {'F', 'A', 'R', 'B', 'Y', 'T', 'E', 'S'}}}),
        1);
    const bool longFits = sizeof(long) >= 8;
    {
        bifstream in(f.c_str());
        ASSERT_TRUE(in.IsOpen());
        EXPECT_EQ(in.Length64(), size);
        EXPECT_EQ(in.TellPos64(), 0);
        ASSERT_EQ(in.Seek64(farPos, 0), 1);
        char got[8] = {};
        ASSERT_EQ(in.Read(got, 8), 1);
        EXPECT_EQ(std::memcmp(got, "FARBYTES", 8), 0);
        EXPECT_EQ(in.TellPos64(), size);
        EXPECT_EQ(in.TellPos(), longFits ? static_cast<long>(size) : -1L);
        EXPECT_EQ(in.Length64(), size) << "telling the length keeps the position";
        EXPECT_EQ(in.TellPos64(), size);
        ASSERT_EQ(in.Seek64(nearPos - size, 1), 1);
        int32_t v = 0;
        in >> v;
        EXPECT_EQ(v, 0x44332211);
        EXPECT_EQ(in.CheckAvailable(size - nearPos - 4), 1);
        EXPECT_EQ(in.CheckAvailable(size - nearPos - 3), 0);
        in.ClearError();
        ASSERT_EQ(in.Seek64(-8, 2), 1);
        EXPECT_EQ(in.TellPos64(), farPos);
        ASSERT_EQ(in.Seek(-4, 1), 1);
        EXPECT_EQ(in.TellPos64(), farPos - 4);
        EXPECT_TRUE(in.IsGood());
    }
    {
        bofstream out;
        ASSERT_EQ(out.Open(f.c_str(), "r+b"), 1);
        ASSERT_EQ(out.Seek64(0, 2), 1);
        EXPECT_EQ(out.TellPos64(), size);
        out << 0x0A0B0C0D;
        EXPECT_EQ(out.TellPos64(), size + 4);
        EXPECT_EQ(out.Length64(), size + 4) << "buffered bytes count";
        ASSERT_EQ(out.Seek64(nearPos, 0), 1);
        out << 0x55667788;
        EXPECT_EQ(out.Close(), 1);
    }
    bifstream in(f.c_str());
    EXPECT_EQ(in.Length64(), size + 4);
    int32_t a = 0, b = 0;
    ASSERT_EQ(in.Seek64(nearPos, 0), 1);
    in >> a;
    ASSERT_EQ(in.Seek64(size, 0), 1);
    in >> b;
    EXPECT_EQ(a, 0x55667788);
    EXPECT_EQ(b, 0x0A0B0C0D);
    EXPECT_TRUE(in.IsGood());
}
