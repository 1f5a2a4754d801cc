#include <gtest/gtest.h>

#include "framework/WinTypes.h"
#include "korvalib/base/DataFile.h"
#include "korvalib/model/KeyedLists.h"
#include "tests/support/AppHelpersStandIn.h"
#include "tests/support/LeBytes.h"
#include "tests/vek/model/DataFileText.h"
#include "tests/vek/model/ModelTestSupport.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/analysis/SpectrumSettings.h"
#include "vek/model/loads/LibTextFile.h"
#include "vek/model/loads/LoadCombination.h"

using namespace vektest;

namespace {

LoadCombination Parsed(const char* text)
{
    LoadCombination c;
    EXPECT_TRUE(c.SetFromText(text)) << text;
    return c;
}

struct DirectionsOn {
    DirectionsOn()
    {
        theSpectrumSettings.direction1On = theSpectrumSettings.direction2On = theSpectrumSettings.verticalOn = 1;
    }
    ~DirectionsOn() { theSpectrumSettings.SetDefaults(); }
};

}  // namespace

TEST(LoadFactors, ValidityAndOnePerLoadCase)
{
    EXPECT_FALSE(LoadFactor().Set(1, 0.00005).IsValid());
    EXPECT_FALSE(LoadFactor().Set(0, 1.0).IsValid());
    EXPECT_TRUE(LoadFactor().Set(1, -0.0002).IsValid());
    LoadCombination c;
    c.AddFactor(3, 1.4);
    c.AddFactor(1, 1.2);
    c.AddFactor(3, 1.5);
    c.AddFactor(2, 0.00005);
    EXPECT_EQ(c.factors.GetSize(), 2);
    EXPECT_FLOAT_EQ(float(c.GetFactor(3)), 1.5f);
    EXPECT_EQ(c.GetFactor(2), 0.0);
    c.AddFactor(1, 0);  // an invalid factor removes its case
    EXPECT_EQ(c.factors.GetSize(), 1);
    LoadCombination copy = c;
    copy = copy;
    EXPECT_TRUE(copy.IsEqual(c));
}

TEST(LoadCombinations, TextFormAndItsParsing)
{
    LoadCombination c;
    c.AddFactor(2, 1.0);
    c.AddFactor(4, 0.5);
    EXPECT_EQ(c.GetText(false), "C=0 1 0 0.5 ");
    c.c[1] = 0.85f;
    c.constructionFactor = 1;
    c.kinds = 2;
    EXPECT_EQ(c.GetText(false), "C=0 1 0 0.5 Q=0 0.85 CACT=1 ");

    const LoadCombination p = Parsed("C=1.2 0 1.4 E=0 0 1");
    EXPECT_EQ(p.factors.GetSize(), 2);
    EXPECT_FLOAT_EQ(float(p.GetFactor(3)), 1.4f);
    EXPECT_EQ(p.CoefficientKind(), 0);
    EXPECT_EQ(p.c[2], 1.0f);
    EXPECT_EQ(p.GetText(false), "C=1.2 0 1.4 E=0 0 1 ");
    EXPECT_EQ(Parsed("C=0.0005 1").factors.GetSize(), 1);  // below the tolerance

    const LoadCombination a = Parsed("A=0.5 CACT=0.8 ADI=12.4 0.3");
    EXPECT_EQ(a.CoefficientKind(), 1);
    EXPECT_EQ(a.DynamicKind(), 1);
    EXPECT_EQ(a.dynamicStep, 12);
    EXPECT_FLOAT_EQ(a.dynamicFactor, 0.3f);
    EXPECT_EQ(a.GetText(false), "A=0.5 CACT=0.8 ATI=12 0.3 ");
    LoadCombination none;
    EXPECT_FALSE(none.SetFromText("X=1 Y=2"));
    EXPECT_TRUE(none.IsEmpty());
}

TEST(LoadCombinations, DataFileLinesCarryTheirKindAndFullFactors)
{
    DirectionsOn on;
    const std::string text = DataFileText([](DKorvaDataFile& f) {
        Parsed("C=1.2 0 1.4 E=0 0 1").WriteDataFile(f);
        Parsed("C=1.234 0.35 E=0.5").WriteDataFile(f);
        Parsed("C=1").WriteDataFile(f);
    });
    // Mended: 1.234 keeps its third decimal in the data file.
    EXPECT_EQ(text, "C=1.2 0 1.4 E=0 0 1  T=2 \nC=1.234 0.35 E=0.5  T=1 \nC=1  T=0 ");
    EXPECT_EQ(Parsed("C=1.234").GetText(false), "C=1.23 ");

    theSpectrumSettings.direction1On = 0;  // coefficient 1 of a switched-off direction is left out
    EXPECT_EQ(Parsed("C=1 E=0.5 0.25").GetText(true), "C=1 E=0.25 ");
}

TEST(LoadCombinations, ProjectRecordAndItsOlderLayouts)
{
    LoadCombination c = Parsed("C=1.5 0 2 Q=0.5 0 0.25 CACT=0.75 EDI=3 0.5");
    const Bytes got = WriteBlock([&](bofstream& out) { c.Write(out); });
    const Bytes want =
        LeBytes().i32(2).i16(1).f32(1.5f).i16(3).f32(2).f32s({0.5f, 0, 0.25f}).f32(0.75f).f32(0.5f).i32(3).i8(2);
    EXPECT_EQ(got, want);
    LoadCombination back;
    ASSERT_TRUE(ReadBlock(got, [&](bifstream& in) { return back.Read(in); }));
    EXPECT_TRUE(back.IsEqual(c));

    // Version 500: ten factors, invalid ones dropped; no construction or dynamic fields.
    ProjectVersion v(500);
    LoadCombination old;
    old.dynamicStep = 9;
    const Bytes b = LeBytes().f32s({1, 0, 0.00001f, 2, 0, 0, 0, 0, 0, 3}).f32s({0.1f, 0.2f, 0.3f});
    long rest = 0;
    ASSERT_TRUE(ReadBlock(
        b, [&](bifstream& in) { return old.Read(in); }, &rest));
    EXPECT_EQ(rest, 0);
    EXPECT_EQ(old.factors.GetSize(), 3);
    EXPECT_FLOAT_EQ(float(old.GetFactor(10)), 3);
    EXPECT_EQ(old.dynamicStep, 9);
}

TEST(LoadCombinations, BothListsAsOneBlockAndDamageKeepsThem)
{
    theLoadCombinations[0].SetSize(0);
    theLoadCombinations[1].SetSize(0);
    theLoadCombinations[0].Add(Parsed("C=1"));
    theLoadCombinations[1].Add(Parsed("C=0 2"));
    theLoadCombinations[1].Add(Parsed("E=1"));
    const Bytes got = WriteBlock([](bofstream& out) { WriteLoadCombinations(out); });
    EXPECT_EQ(ReadLe32(got, 0), 1u);
    ASSERT_TRUE(ReadBlock(got, [](bifstream& in) { return ReadLoadCombinations(in); }));
    EXPECT_EQ(theLoadCombinations[1].GetSize(), 2);
    Bytes cut(got.begin(), got.end() - 3);
    EXPECT_FALSE(ReadBlock(cut, [](bifstream& in) { return ReadLoadCombinations(in); }));
    const Bytes huge = LeBytes().i32(0x7FFFFFFF);
    EXPECT_FALSE(ReadBlock(huge, [](bifstream& in) { return ReadLoadCombinations(in); }));
    EXPECT_EQ(theLoadCombinations[0].GetSize(), 1);
    EXPECT_EQ(theLoadCombinations[1].GetSize(), 2);
    {
        ProjectVersion v(520);  // only the first list
        ASSERT_TRUE(ReadBlock(LeBytes().i32(0), [](bifstream& in) { return ReadLoadCombinations(in); }));
        EXPECT_EQ(theLoadCombinations[0].GetSize(), 0);
        EXPECT_EQ(theLoadCombinations[1].GetSize(), 2);
    }
    theLoadCombinations[0].SetSize(0);
    theLoadCombinations[1].SetSize(0);
}

TEST(LoadCombinations, EditingClearsTheConstructionResultBesideLoadCaseOne)
{
    class Dialog : public CLoadCombinationDialog {
    public:
        bool Edit(LoadCombination& c) override
        {
            if (!ok) return false;
            c.factors.SetSize(0);
            c.AddFactor(std::abs(-1), 1.2);
            c.constructionFactor = 1;
            return true;
        }
        bool ok = true;
    } dialog;
    SetLoadCombinationDialog(&dialog);
    AppHelperLog log;
    LoadCombination c = Parsed("C=0 1 CACT=0.5");
    ASSERT_TRUE(c.Edit());
    EXPECT_EQ(c.constructionFactor, 0.0f);
    ASSERT_EQ(log.Messages().size(), 1u);
    dialog.ok = false;
    LoadCombination kept = Parsed("C=0 1 CACT=0.5");
    EXPECT_FALSE(kept.Edit());
    EXPECT_EQ(kept.constructionFactor, 0.5f);
    SetLoadCombinationDialog(nullptr);
}

TEST(ElementLoadIndex, EveryVersionsLayoutAndTheCurrentCaseCopy)
{
    DElementLoad loads;
    loads.Insert(2, 7);
    loads.Insert(5, 9);
    const Bytes got = WriteBlock([&](bofstream& out) { SaveElementLoad(out, loads); });
    EXPECT_EQ(got, Bytes(LeBytes().i16(2).i16(2).i32(7).i16(5).i32(9)));
    struct {
        int version;
        Bytes bytes;
        int entries;
    } cases[] = {
        {706, got, 2},
        {600, LeBytes().i32(1).i16(3).i32(4), 1},
        {500, LeBytes().i32s({0, 5, 0, 0, 0, 0, 0, 0, 0, 8}), 2},
        {380, LeBytes().i32s({1, 0, 0, 0, 6}), 2},
        {706, LeBytes().i16(0), 0},
    };
    for (auto& c : cases) {
        ProjectVersion v(c.version);
        DElementLoad read;
        long rest = -1;
        ASSERT_TRUE(ReadBlock(
            c.bytes, [&](bifstream& in) { return LoadElementLoad(in, read); }, &rest))
            << c.version;
        EXPECT_EQ(read.Entries(), c.entries) << c.version;
        EXPECT_EQ(rest, 0) << c.version;
    }
    DElementLoad keep;
    keep.Insert(1, 1);
    const Bytes damaged = LeBytes().i16(1000).i16(1).i32(2);
    EXPECT_FALSE(ReadBlock(damaged, [&](bifstream& in) { return LoadElementLoad(in, keep); }));
    EXPECT_EQ(keep.Entries(), 1);

    DElementLoad target;
    theProjectOptions.nCurrentLoadCase = int16_t(5);
    CopyElementLoad(target, true, loads);
    ASSERT_EQ(target.Entries(), 1);
    EXPECT_EQ(target[0].nValue, 9);
    CopyElementLoad(target, false, loads);
    EXPECT_EQ(target.Entries(), 2);
    theProjectOptions.nCurrentLoadCase = int16_t(1);
}

TEST(LibTextFile, SectionsAndTheirDataLines)
{
    TempFile file("lib", ".lib");
    ASSERT_TRUE(file.WriteText("[Frames]\r\nC=1.2 1.4\r\nC=1 1\r\n\r\n[Seismic]\nE=1\n[Last]\nC=2"));
    CLibTextFile lib(file.c_str());
    ASSERT_FALSE(lib.IsOpenFailed());
    EXPECT_STREQ(lib.FirstSection(), "[Frames]");
    EXPECT_STREQ(lib.NextDataLine(), "C=1.2 1.4");
    EXPECT_STREQ(lib.NextDataLine(), "C=1 1");
    EXPECT_EQ(lib.NextDataLine(), nullptr);
    EXPECT_STREQ(lib.NextSection(), "[Seismic]");
    EXPECT_TRUE(lib.FindSection("[LAST"));
    // Mended: a last line without a line end keeps its last character.
    EXPECT_STREQ(lib.NextDataLine(), "C=2");
    EXPECT_EQ(lib.NextSection(), nullptr);
    EXPECT_FALSE(lib.FindSection("[None]"));
}

TEST(LibTextFile, MissingAndUnicodeFilesAreRefusedWithAMessage)
{
    AppHelperLog log;
    TempFile missing("lib", ".lib");
    CLibTextFile none(missing.c_str());
    EXPECT_TRUE(none.IsOpenFailed());
    EXPECT_EQ(none.FirstSection(), nullptr);
    ASSERT_EQ(log.Messages().size(), 1u);
    EXPECT_EQ(log.Messages()[0].text, "无法打开相应库文件" + missing.path());
    EXPECT_EQ(log.Messages()[0].type, unsigned(MB_ICONINFORMATION));

    TempFile utf8("lib", ".lib");
    ASSERT_TRUE(utf8.WriteText("\xEF\xBB\xBF[A]\n"));
    CLibTextFile refused(utf8.c_str());
    EXPECT_TRUE(refused.IsOpenFailed());
    EXPECT_EQ(log.Messages().size(), 3u);
}
