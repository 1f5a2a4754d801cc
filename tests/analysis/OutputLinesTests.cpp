// The output pane's lines: splitting console output into lines whatever the
// chunks, and the ring of slots with its view.
#include <gtest/gtest.h>

#include "analysis/OutputLines.h"

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

Lines LinesOf(const COutputLines& out)
{
    Lines lines;
    for (int i = 0; i < out.GetLineCount(); ++i) lines.push_back(out.GetLine(i).GetString());
    return lines;
}

void Feed(COutputLines& out, const std::string& text)
{
    out.AddText(text.data(), text.data() + text.size());
}

// The lines of text fed in chunks that end at the given cuts.
Lines Chunked(const std::string& text, const std::vector<size_t>& cuts, short slots = 200)
{
    COutputLines out;
    out.SetBufferLineNum(slots);
    size_t from = 0;
    for (size_t cut : cuts) {
        out.AddText(text.data() + from, text.data() + cut);
        from = cut;
    }
    out.AddText(text.data() + from, text.data() + text.size());
    return LinesOf(out);
}

// CR LF, lone CRs of a progress count, bare LFs, empty lines and
// double-byte characters.
const std::string kMixed =
    "计算开始\r\n10%\r20%\r30%\r\nstep 1\nstep 2\n\r\n\r\n"
    "单元刚度\r\n\rX\n\nend";

}  // namespace

TEST(OutputLines, LineEndsOfEveryKind)
{
    struct Case {
        std::vector<std::string> chunks;
        Lines lines;
    } cases[] = {
        {{"abc\r", "\ndef\r\n"}, {"abc\r\n", "def\r\n"}},  // a pair split between chunks
        {{"10%\r20%\r30%\r\n"}, {"10%\r\n", "20%\r\n", "30%\r\n"}},
        {{"a\rb"}, {"a\r\n", "b"}},  // the byte after a lone CR is kept
        {{"a\r", "b"}, {"a\r\n", "b"}},
        {{"a\nb\n"}, {"a\r\n", "b\r\n"}},    // bare LF
        {{"ab", "\ncd"}, {"ab\r\n", "cd"}},  // a LF that opens a chunk after a cut line
        {{"\r\n\r\n"}, {"\r\n", "\r\n"}},
        {{"\n\r"}, {"\r\n", "\r\n"}},
        {{"\r\r\n"}, {"\r\n", "\r\n"}},
        {{"par", "tial", " line"}, {"partial line"}},
        {{"", "x", ""}, {"x"}},
        {{}, {}},
    };
    for (const auto& c : cases) {
        COutputLines out;
        std::string all;
        for (const auto& chunk : c.chunks) {
            Feed(out, chunk);
            all += chunk;
        }
        EXPECT_EQ(LinesOf(out), c.lines) << all;
    }
}

TEST(OutputLines, DoubleByteCharactersSplitBetweenChunksJoinAgain)
{
    const std::string text = "单元\r\n";
    COutputLines out;
    for (char ch : text) out.AddText(&ch, &ch + 1);
    EXPECT_EQ(LinesOf(out), (Lines{"单元\r\n"}));
    EXPECT_EQ(std::string(COutputLines::ShownText(out.GetLine(0)).GetString()), "单元");
}

TEST(OutputLines, LinesDoNotDependOnTheChunking)
{
    const Lines whole = Chunked(kMixed, {});
    ASSERT_EQ(whole.size(), 13u);
    EXPECT_EQ(whole[0], "计算开始\r\n");
    EXPECT_EQ(whole[9], "\r\n");  // the lone CR before X ends an empty line
    EXPECT_EQ(whole[10], "X\r\n");
    EXPECT_EQ(whole[12], "end");
    // Every way of cutting the text in two or three pieces.
    for (size_t i = 0; i <= kMixed.size(); ++i) {
        ASSERT_EQ(Chunked(kMixed, {i}), whole) << "cut at " << i;
        for (size_t j = i; j <= kMixed.size(); ++j)
            ASSERT_EQ(Chunked(kMixed, {i, j}), whole) << "cuts at " << i << ", " << j;
    }
    // Every chunk size the reader can deliver.
    std::string longer;
    for (int k = 0; k < 20; ++k) longer += kMixed + "\r\n";
    const Lines expected = Chunked(longer, {}, 1000);
    for (size_t size = 1; size <= 49; ++size) {
        std::vector<size_t> cuts;
        for (size_t at = size; at < longer.size(); at += size) cuts.push_back(at);
        EXPECT_EQ(Chunked(longer, cuts, 1000), expected) << "chunks of " << size;
    }
}

TEST(OutputLines, RingKeepsTheNewestLines)
{
    COutputLines out;
    EXPECT_EQ(out.GetBufferLineNum(), 200);
    EXPECT_EQ(out.GetLineCount(), 0);
    EXPECT_EQ(std::string(out.GetText().GetString()), "");  // copy before any output

    for (int i = 1; i <= 250; ++i) Feed(out, "line " + std::to_string(i) + "\r\n");
    ASSERT_EQ(out.GetLineCount(), 200);
    EXPECT_EQ(std::string(out.GetLine(0).GetString()), "line 51\r\n");
    EXPECT_EQ(std::string(out.GetLine(199).GetString()), "line 250\r\n");
    EXPECT_EQ(out.GetLastSlot(), 249 % 200);
    EXPECT_EQ(out.GetFirstSlot(), 50);
    const std::string text = out.GetText().GetString();
    EXPECT_EQ(text.substr(0, 9), "line 51\r\n");
    EXPECT_EQ(text.substr(text.size() - 10), "line 250\r\n");
    EXPECT_EQ(text.size(), 49u * 9 + 151u * 10);  // lines 51..99 take 9 bytes, 100..250 take 10
}

TEST(OutputLines, ViewShowsTheNewestLineAtTheBottom)
{
    COutputLines out;
    const int visible = 10;
    for (int n = 1; n <= 250; ++n) {
        Feed(out, "line " + std::to_string(n) + "\r\n");
        const int pos = out.GetEndPosition(visible);
        EXPECT_EQ(pos, 191);
        const int top = out.GetTopSlot(pos, visible);
        const int bottom = out.GetRowSlot(top, visible - 1, visible);
        ASSERT_EQ(bottom, out.GetLastSlot()) << n;
        EXPECT_EQ(std::string(out.GetSlot(bottom).GetString()), "line " + std::to_string(n) + "\r\n");
    }
    // Scrolled to the top of a full ring: the oldest line is the first row.
    const int top = out.GetTopSlot(1, visible);
    EXPECT_EQ(top, out.GetFirstSlot());
    // Positions outside the range are held to it.
    EXPECT_EQ(out.GetTopSlot(-5, visible), top);
    EXPECT_EQ(out.GetTopSlot(999, visible), out.GetTopSlot(191, visible));
}

TEST(OutputLines, PaneTallerThanTheRingLeavesBlankRowsAbove)
{
    COutputLines out;
    ASSERT_TRUE(out.SetBufferLineNum(5));
    const int visible = 12;
    for (int n = 1; n <= 3; ++n) {
        Feed(out, std::to_string(n) + "\r\n");
        const int top = out.GetTopSlot(out.GetEndPosition(visible), visible);
        for (int row = 0; row < visible; ++row) {
            const int slot = out.GetRowSlot(top, row, visible);
            EXPECT_GE(slot, row < 7 ? -1 : 0);
            EXPECT_LT(slot, 5);
            if (row < 7) {
                EXPECT_EQ(slot, -1);
            }
        }
        EXPECT_EQ(out.GetRowSlot(top, visible - 1, visible), out.GetLastSlot());
    }
    EXPECT_EQ(out.GetEndPosition(visible), 1);
    for (int n = 4; n <= 9; ++n) Feed(out, std::to_string(n) + "\r\n");
    const int top = out.GetTopSlot(1, visible);
    std::string shown;
    for (int row = 0; row < visible; ++row) {
        const int slot = out.GetRowSlot(top, row, visible);
        if (slot >= 0) shown += COutputLines::ShownText(out.GetSlot(slot)).GetString();
    }
    EXPECT_EQ(shown, "56789");
}

TEST(OutputLines, ResizingRefusesNonsenseAndKeepsTheNewest)
{
    COutputLines out;
    EXPECT_FALSE(out.SetBufferLineNum(0));
    EXPECT_FALSE(out.SetBufferLineNum(-3));
    EXPECT_EQ(out.GetBufferLineNum(), 200);
    for (int n = 1; n <= 6; ++n) Feed(out, std::to_string(n) + "\r\n");
    Feed(out, "part");
    ASSERT_TRUE(out.SetBufferLineNum(3));
    EXPECT_EQ(LinesOf(out), (Lines{"5\r\n", "6\r\n", "part"}));
    Feed(out, "ial\r\n7");
    EXPECT_EQ(LinesOf(out), (Lines{"6\r\n", "partial\r\n", "7"}));
    ASSERT_TRUE(out.SetBufferLineNum(COutputLines::kMaxLines));
    EXPECT_EQ(LinesOf(out), (Lines{"6\r\n", "partial\r\n", "7"}));
}
