// The combination dialogs' rules: grid rows to factors, the row tip cut at a
// character boundary, the library's sections found without regard to ASCII
// case (never folding a GBK trail byte), and Notepad's quoted path.
#include <gtest/gtest.h>

#include <cstdio>

#include "korvalib/base/Gbk.h"
#include "tests/support/TestFiles.h"
#include "vek/dialogs/logic/CombinationRules.h"
#include "vek/model/loads/LibTextFile.h"

using namespace combrules;

TEST(CombinationRules, RowsBecomeFactorsByTheirFirstColumn)
{
    MLArraySort<CAxisGridItem> rows;
    rows.Add(CAxisGridItem(3, 1.375));
    rows.Add(CAxisGridItem(1, 0.004));
    rows.Add(CAxisGridItem(7, 0.00005));  // too small: dropped
    rows.Add(CAxisGridItem(0, 0.0));      // an empty row
    LoadFactorList f;
    EXPECT_EQ(FactorsFromRows(rows, f), -1);
    ASSERT_EQ(f.GetSize(), 2);
    EXPECT_EQ(f.GetAt(0)->loadCase, 1);
    EXPECT_FLOAT_EQ(f.GetAt(0)->factor, 0.004f);
    EXPECT_EQ(f.GetAt(1)->loadCase, 3);
    EXPECT_FLOAT_EQ(f.GetAt(1)->factor, 1.375f);

    MLArraySort<CAxisGridItem> back;
    FactorsToRows(f, back);
    ASSERT_EQ(back.GetSize(), 2);
    double v = 0;
    back.GetAt(1)->GetRight(v);
    EXPECT_DOUBLE_EQ(v, double(1.375f));

    // A factor on a case outside 1..32767 refuses the rows and keeps the factors.
    for (const int bad : {0, -2, 32768}) {
        MLArraySort<CAxisGridItem> wrong;
        wrong.Add(CAxisGridItem(bad, 1.0));
        EXPECT_EQ(FactorsFromRows(wrong, f), 0) << bad;
        EXPECT_EQ(f.GetSize(), 2);
    }
}

TEST(CombinationRules, TipsNameEveryTermAndAreCutAtACharacterBoundary)
{
    LoadCombination c;
    c.AddFactor(1, 1.2);
    c.c[1] = 0.5f;
    c.constructionFactor = 1;
    c.dynamicStep = 3;
    c.dynamicFactor = 0.8f;
    const std::string full = CombinationTip(c, 1, 1024);
    EXPECT_EQ(full, "组合2=荷载种类1×1.20+2向地震×0.50+施工模拟结果×1.00+第3步时程响应输出×0.80");
    for (size_t room = 1; room < full.size() + 2; ++room) {
        const std::string cut = CombinationTip(c, 1, room);
        ASSERT_LE(cut.size(), room - 1);
        EXPECT_EQ(full.compare(0, cut.size(), cut), 0);
        EXPECT_EQ(cut.size() == full.size() || !gbk::IsTrailByteAt(full.c_str(), cut.size(), full.size()), true)
            << room;
    }
    EXPECT_EQ(CombinationTip(LoadCombination(), 0, 64), "组合1=");
}

TEST(CombinationRules, AsciiFoldingNeverTouchesDoubleByteCharacters)
{
    // 0xB0 0x61: a character whose trail byte reads as 'a'.
    std::string text = "c=1 \xB0\x61 e";
    gbk::ToUpperAscii(text);
    EXPECT_EQ(text, "C=1 \xB0\x61 E");
    const struct {
        const char* text;
        const char* key;
        bool match;
    } cases[] = {
        {"[Steel]组合", "[STEEL]", true},    {"[steel]", "[Steel]", true},
        {"[\xB0\x61]", "[\xB0\x41]", false},  // trail bytes 'a' and 'A' are different characters
        {"[\xB0\x61]x", "[\xB0\x61]", true}, {"[St", "[Steel]", false},
    };
    for (const auto& k : cases) EXPECT_EQ(gbk::StartsWithIgnoringAsciiCase(k.text, k.key), k.match) << k.key;
    // A "]" as a trail byte does not end the key.
    EXPECT_EQ(SectionKey("[\x81\x5D钢]基本"), "[\x81\x5D钢]");
    EXPECT_EQ(SectionKey("no bracket"), "");
}

TEST(CombinationRules, ALibrarySectionIsFoundCaseBlindAndReadUpToALineThatDoesNotParse)
{
    vektest::TempFile lib("force", ".lib");
    FILE* f = std::fopen(lib.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("[Concrete] first\nC=1.2\n\n[STEEL] basic\nc=1.2 1.4\ne=0 0 1\n???\nC=9\n[Other]\nC=5\n", f);
    std::fclose(f);
    CLibTextFile file(lib.c_str());
    ASSERT_FALSE(file.IsOpenFailed());
    const auto sections = LibrarySections(file);
    ASSERT_EQ(sections.size(), 3u);
    EXPECT_EQ(sections[1], "[STEEL] basic");
    const auto rows = LibrarySection(file, SectionKey("[steel] basic"));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].GetText(false), "C=1.2 1.4 ");
    EXPECT_FLOAT_EQ(rows[1].c[2], 1.0f);
    EXPECT_TRUE(LibrarySection(file, "[none]").empty());
}

TEST(CombinationRules, NotepadGetsTheLibraryPathAsOneArgument)
{
    EXPECT_EQ(NotepadCommandLine("C:\\Program Files\\Vek\\Resource\\Force.lib"),
              "notepad.exe \"C:\\Program Files\\Vek\\Resource\\Force.lib\"");
}
