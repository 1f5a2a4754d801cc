// The solver data file: logical lines, comments, sections, lists, the
// number format and line wrapping.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "tests/support/TestFiles.h"
#include "korvalib/base/DataFile.h"

using namespace vektest;

namespace {

// The logical lines a reader returns for a file's text.
std::vector<std::string> ReadLines(const std::string& text)
{
    TempFile f("df");
    f.WriteText(text);
    DKorvaDataFile d;
    EXPECT_EQ(d.Open(f.c_str(), 1), 1);
    std::vector<std::string> lines;
    while (d.ReadOneLine()) {
        EXPECT_EQ(d.GetLength(), int(std::string(d.GetLine()).size()));
        lines.push_back(d.GetLine());
        if (lines.size() > 1000) break;
    }
    return lines;
}

// A file's text as the writer left it, line ends as newline characters.
std::string TextOf(const TempFile& f)
{
    std::string s;
    for (uint8_t c : f.ReadAll())
        if (c != '\r') s += char(c);
    return s;
}

template <class Fn>
std::string Written(Fn fn)
{
    TempFile f("df");
    {
        DKorvaDataFile d;
        EXPECT_EQ(d.Open(f.c_str(), 0), 1);
        fn(d);
        EXPECT_EQ(d.Close(), 1);
    }
    return TextOf(f);
}

using Lines = std::vector<std::string>;

}  // namespace

TEST(DataFileRead, LogicalLines)
{
    struct Case {
        const char* what;
        std::string text;
        Lines lines;
    } cases[] = {
        {"ampersand joins", "FRAME 1 2&\n3 4\n", {"FRAME 1 2 3 4"}},
        {"a lone ampersand is text", "&\nX\n", {"&", "X"}},
        {"a lone backslash joins", "\\\nX\n", {" X"}},
        {"backslash joins", "A\\\n B\\\nC\n", {"A  B C"}},
        {"comments",
         "c comment\nCHECK 1\nCOMBINE\ncons 1 2\nCFRAME\nComb\n",
         {"COMBINE", "CONS 1 2", "CFRAME", "COMB"}},
        {"comment after colon", "n=3, 4 : note\n", {"N=3, 4 "}},
        {"colon at the start", ":all comment\n", {""}},
        {"trailing blanks", "AB  \t \nX\n", {"AB", "X"}},
        {"blank lines", "\n  \nX", {"", " ", "X"}},
        {"CR LF", "A\r\nB 1\r\n", {"A", "B 1"}},
        {"comment test on the joined line", "c&\nX\nY\n", {"Y"}},
        {"file ends inside a continued line", "JOINT 1 2 &\n", {"JOINT 1 2"}},
        {"file ends right after the ampersand", "JOINT 1&", {"JOINT 1"}},
        {"continued into an empty last line", "A 1&\n\n", {"A 1"}},
        {"GBK text stays", "name \xC3\xFB\xB3\xC6 x\n", {"NAME \xC3\xFB\xB3\xC6 X"}},
        {"second byte a small letter", "\x81\x61 b\n", {"\x81\x61 B"}},
        {"second byte a backslash", "T \x95\x5c\nNEXT\n", {"T \x95\x5c", "NEXT"}},
    };
    for (const auto& c : cases) EXPECT_EQ(ReadLines(c.text), c.lines) << c.what;
}

TEST(DataFileRead, OverlongLinesAreCutNotSplit)
{
    const std::string longLine(3000, '7');
    Lines got = ReadLines("A " + longLine + "\nNEXT\n");
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].size(), 1999u);
    EXPECT_EQ(got[1], "NEXT");

    std::string joined;
    for (int i = 0; i < 40; ++i) joined += std::string(99, 'x') + "&\n";
    got = ReadLines(joined + "END\nNEXT\n");
    ASSERT_EQ(got.size(), 2u) << "the continued lines beyond the buffer belong to the cut line";
    EXPECT_LE(got[0].size(), 1999u);
    EXPECT_EQ(got[1], "NEXT");

    // A cut physical line that was itself continued.
    got = ReadLines(longLine + "&\nMORE\nNEXT\n");
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[1], "NEXT");
}

TEST(DataFileRead, SectionsAndLists)
{
    TempFile f("df");
    f.WriteText("SYSTEM\nframexyz n=1,,3 E=2.5\njoint\nfra\nFRAME\n");
    DKorvaDataFile d;
    ASSERT_EQ(d.Open(f.c_str(), 1), 1);
    ASSERT_EQ(d.ReadOneLine(), 1);
    EXPECT_TRUE(d.IsSection("SYSTEM"));
    EXPECT_TRUE(d.IsSection("syst"));
    ASSERT_EQ(d.ReadOneLine(), 1);
    EXPECT_TRUE(d.IsSection("FRAME"));
    EXPECT_FALSE(d.IsSection("JOINT"));
    int n[4];
    EXPECT_EQ(d.ExtractInts("N", 4, n), 3);
    EXPECT_EQ(n[1], 0);
    EXPECT_EQ(n[3], 0);
    double e = 0;
    EXPECT_EQ(d.ExtractDoubles("E", 1, &e), 1);
    EXPECT_EQ(e, 2.5);
    float fl[3] = {9, 9, 9};
    EXPECT_EQ(d.ExtractFloats("N", 3, fl), 3);
    EXPECT_EQ(fl[2], 3.0f);
    float keep[2] = {9, 8};
    EXPECT_EQ(d.ExtractFloats("Q", 2, keep), 0);
    EXPECT_EQ(keep[1], 8.0f) << "an absent key leaves the array";
    float zeros[2] = {9, 8};
    EXPECT_EQ(d.ExtractFloats("E", 0, zeros), 0);
    std::vector<float> many(100, 5.0f);
    EXPECT_EQ(d.ExtractFloats("N", 100, many.data()), 3);
    EXPECT_EQ(many[99], 0.0f);

    ASSERT_EQ(d.ReadOneLine(), 1);
    ASSERT_EQ(d.ReadOneLine(), 1);
    EXPECT_FALSE(d.IsSection("FRAME")) << "three letters do not open the section";
    EXPECT_EQ(d.GotoSection("joint"), 1);
    EXPECT_EQ(std::string(d.GetLine()).substr(0, 5), "joint") << "the raw line";
    ASSERT_EQ(d.ReadOneLine(), 1);
    EXPECT_STREQ(d.GetLine(), "FRA");
    EXPECT_EQ(d.GotoSection("SYSTEM"), 1);
    EXPECT_EQ(d.GotoSection("SPEC"), 0);
    EXPECT_EQ(d.ReadOneLine(), 0);
}

TEST(DataFileRead, ByteOrderMarks)
{
    struct Case {
        Bytes bytes;
        int ansi;
    } cases[] = {
        {{0xFF, 0xFE, 'A', 0}, 0}, {{0xFE, 0xFF, 0, 'A'}, 0}, {{0xEF, 0xBB, 0xBF, 'A'}, 0},
        {{0xEF, 0xBB}, 1},         {{'A', 'B', 'C'}, 1},      {{}, 1},
    };
    for (const auto& c : cases) {
        TempFile f("bom");
        f.WriteAll(c.bytes);
        DKorvaDataFile d;
        ASSERT_EQ(d.Open(f.c_str(), 1), 1);
        EXPECT_EQ(d.IsANSIFile(), c.ansi);
        if (c.ansi && !c.bytes.empty()) {
            ASSERT_EQ(d.ReadOnePhysicalLine(), 1);
            EXPECT_EQ(d.GetLine()[0], char(c.bytes[0])) << "rewound";
        }
    }
}

TEST(DataFileRead, ClosedAndMissingFiles)
{
    DKorvaDataFile d;
    EXPECT_EQ(d.ReadOneLine(), 0);
    EXPECT_EQ(d.ReadOnePhysicalLine(), 0);
    EXPECT_EQ(d.GotoSection("A"), 0);
    EXPECT_EQ(d.IsBlankLine(), 1);
    EXPECT_EQ(d.IsSection("A"), 0);
    EXPECT_EQ(d.IsGood(), 0);
    int v = 3;
    EXPECT_EQ(d.ExtractInts("N", 1, &v), 0);
    d << 1.5 << "text\n";
    d.Putc('x');
    EXPECT_EQ(d.Close(), 1);
    TempFile missing("none");
    EXPECT_EQ(d.Open(missing.c_str(), 1), 0);
}

TEST(DataFileWrite, NumberFormat)
{
    struct Case {
        double v;
        const char* text;
    } cases[] = {
        {0, "0"},
        {1.5, "1.5"},
        {100, "100"},
        {0.05, "0.05"},
        {0.005, "5E-3"},
        {12345.6, "1.2346E4"},
        {10000, "10000"},
        {-2.25, "-2.25"},
        {1e-11, "0"},
        {0.01, "0.01"},
        {1e-10, "0"},
        {-0.00001, "-1E-5"},
        {-0.0, "0"},
        {123456789, "1.2346E8"},
        {0.009999, "9.999E-3"},
        {2.00004, "2"},
        {9999.99999, "10000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Written([&](DKorvaDataFile& d) { d << c.v; }), std::string(c.text) + " ") << c.v;
    EXPECT_EQ(Written([](DKorvaDataFile& d) { d << 1 << 2.5 << "\n"; }), "1 2.5 \n");
    EXPECT_EQ(Written([](DKorvaDataFile& d) { d << 2.5f << (long double)0.25; }), "2.5 0.25 ");
    EXPECT_EQ(Written([](DKorvaDataFile& d) { d << -7 << 4000000000u << 'A' << (char)-1 << (unsigned char)200; }),
              "-7 4000000000 65 -1 200 ");
    EXPECT_EQ(Written([](DKorvaDataFile& d) {
                  d.InsertBlkAfterNumber(false);
                  d << 1 << blk << 2 << wrap;
                  d.Putc('Q');
                  d.Putc((unsigned char)'R');
              }),
              "1 2\nQR");
}

TEST(DataFileWrite, Precision)
{
    struct Case {
        int precision, effective;
        double v;
        const char* text;
    } cases[] = {
        {1, 4, 0.005, "5E-3"},      {300, 4, 0.005, "5E-3"}, {2, 2, 0.5, "5E-1"},
        {2, 2, 1.256, "1.26"},      {6, 6, 0.005, "0.005"},  {6, 6, 0.00005, "5E-5"},
        {3, 3, 12345.6, "1.235E4"}, {255, 255, 0.5, "0.5"},  {255, 255, 20000, "2E4"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Written([&](DKorvaDataFile& d) {
                      d.SetPrecision(c.precision);
                      EXPECT_EQ(d.GetPrecision(), c.effective);
                      d << c.v;
                  }),
                  std::string(c.text) + " ")
            << c.precision << " " << c.v;
    }
}

TEST(DataFileWrite, Wrapping)
{
    std::string words;
    for (int i = 0; i < 7; ++i) words += "ABCDEFGHI ";
    const std::string line77 = words + "ABCDEFG";
    ASSERT_EQ(line77.size(), 77u);
    EXPECT_EQ(Written([&](DKorvaDataFile& d) { d << line77.c_str() << "\n"; }), words + "&\n ABCDEFG\n");
    const std::string line76 = line77.substr(1);
    EXPECT_EQ(Written([&](DKorvaDataFile& d) { d << line76.c_str() << "\n"; }), line76 + "\n");
    // A pending line at Close is written out too; without its newline 77
    // characters still fit.
    EXPECT_EQ(Written([&](DKorvaDataFile& d) { d << line77.c_str(); }), line77);
    EXPECT_EQ(Written([&](DKorvaDataFile& d) { d << (line77 + "H").c_str(); }), words + "&\n ABCDEFGH");

    // Every written line holds at most 77 characters before its '&'.
    const std::string many = Written([](DKorvaDataFile& d) {
        for (int i = 0; i < 200; ++i) d << i * 1.25;
        d << wrap;
    });
    size_t start = 0;
    int lines = 0;
    while (start < many.size()) {
        const size_t end = many.find('\n', start);
        const std::string l = many.substr(start, end - start);
        // The chunk of text, without the blank that begins a continuation line.
        const std::string chunk = lines > 0 ? l.substr(1) : l;
        EXPECT_LE(chunk.size(), 78u) << l;
        if (l.back() == '&') {
            EXPECT_EQ(l[l.size() - 2], ' ');
        }
        if (lines > 0) {
            EXPECT_EQ(l[0], ' ');
        }
        ++lines;
        start = end + 1;
    }
    EXPECT_GT(lines, 10);

    // Read back, the wrapped line gives every number again.
    TempFile f("wrap");
    f.WriteText(many);
    DKorvaDataFile r;
    ASSERT_EQ(r.Open(f.c_str(), 1), 1);
    ASSERT_EQ(r.ReadOneLine(), 1);
    std::vector<double> v(200);
    EXPECT_EQ(r.ExtractDoubles(nullptr, 200, v.data()), 200);
    for (int i = 0; i < 200; ++i) EXPECT_EQ(v[i], i * 1.25);
}

TEST(DataFileWrite, LongTokensAndOverlongLines)
{
    const std::string token(100, 'T');
    EXPECT_EQ(Written([&](DKorvaDataFile& d) { d << "A " << token.c_str() << " B\n"; }), "A &\n " + token + " &\n B\n")
        << "a token longer than a line is not cut";

    // A pending line longer than the buffer goes out continued, whole.
    const std::string text = Written([](DKorvaDataFile& d) {
        for (int i = 0; i < 1000; ++i) d << 12345678;
        for (int i = 0; i < 3000; ++i) d.Putc('z');
        d << "\n";
    });
    size_t count = 0;
    for (size_t at = text.find("12345678"); at != std::string::npos; at = text.find("12345678", at + 1)) ++count;
    EXPECT_EQ(count, 1000u);
    size_t z = 0;
    for (char c : text) z += c == 'z';
    EXPECT_EQ(z, 3000u);
}

#if !defined(_WIN32)
TEST(DataFileWrite, CloseReportsAFailedWrite)
{
    DKorvaDataFile d;
    if (!d.Open("/dev/full", 0)) GTEST_SKIP() << "no /dev/full";
    for (int i = 0; i < 20000; ++i) d << "0123456789\n";
    EXPECT_EQ(d.Close(), 0);
}
#endif

TEST(DataFileRead, EveryTruncationReadsAPrefix)
{
    const std::string text = "SYSTEM\nc note\nJOINT 1 2&\n 3 4 : x\nFRAME N=1,2\\\n3\n\xC3\xFB name\n";
    const Lines whole = ReadLines(text);
    ASSERT_EQ(whole, (Lines{"SYSTEM", "JOINT 1 2  3 4 ", "FRAME N=1,2 3", "\xC3\xFB NAME"}));
    for (size_t n = 0; n < text.size(); ++n) {
        const Lines got = ReadLines(text.substr(0, n));
        ASSERT_LE(got.size(), whole.size()) << n;
        for (size_t i = 0; i + 1 < got.size(); ++i) EXPECT_EQ(got[i], whole[i]) << n;
        if (!got.empty()) {
            const std::string& last = got.back();
            const std::string& full = whole[got.size() - 1];
            EXPECT_EQ(full.compare(0, last.size(), last), 0) << n << ": " << last;
        }
    }
}
