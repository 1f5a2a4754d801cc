#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "korvalib/base/DataFile.h"
#include "korvalib/model/CommonData.h"
#include "korvalib/model/SteelCatalog.h"
#include "tests/support/AppHelpersStandIn.h"
#include "tests/support/LeBytes.h"
#include "tests/vek/model/DataFileText.h"
#include "tests/vek/model/ModelTestSupport.h"
#include "tests/vek/model/SteelSectionsForTests.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/materials/Sections.h"
#include "vek/model/materials/SteelSectBlock.h"
#include "vek/model/materials/TightWire.h"

using namespace vektest;

namespace {

CFrameSect Sect(int kind, std::initializer_list<float> p, const char* name = "S")
{
    CFrameSect s;
    s.SetName(name);
    s.m_cKind = char(kind);
    int i = 0;
    for (float v : p) s.m_fPara[i++] = v;
    for (; i < 6; ++i) s.m_fPara[i] = 0;
    return s;
}

CVframeSect Vsect(int kind, std::initializer_list<float> a, std::initializer_list<float> b)
{
    CVframeSect s;
    s.m_cKind = char(kind);
    for (int i = 0; i < 6; ++i) s.m_fStart[i] = s.m_fEnd[i] = 0;
    int i = 0;
    for (float v : a) s.m_fStart[i++] = v;
    i = 0;
    for (float v : b) s.m_fEnd[i++] = v;
    return s;
}

CSframeSect Steel(const char* text, int grade = 3)
{
    CSframeSect s;
    s.SetSteelString(text);
    s.SetSelfDefSectIndex(0);
    int index = 0, count = 0;
    char texts[SteelMaxFields][SteelFieldText];
    int kinds[SteelMaxFields];
    if (DSteelStrManager::DetachInfoFromString(text, index, count, texts, kinds, 0)) s.SetSelfDefSectIndex(index);
    s.m_cFlagA = char(grade);
    return s;
}

std::string Str(const CString& s)
{
    return s.GetString();
}

struct UnitCode {
    explicit UnitCode(int code) { theProjectOptions.SetUnitSystem(code, 0); }
    ~UnitCode() { theProjectOptions.SetUnitSystem(0, 0); }
};

struct Sections : ::testing::Test {
    void SetUp() override { ClearSectionLibraries(); }
    void TearDown() override { ClearSectionLibraries(); }
};

}  // namespace

TEST_F(Sections, StringsAndExportLinesByKind)
{
    struct {
        CFrameSect s;
        const char* text;
        const char* line;
    } cases[] = {
        {Sect(1, {0.6f, 0.3f}, "S1"), "0.3X0.6", "S1,1,0.30000,0.60000,0.00000,0.00000,0.00000,0.00000\n"},
        {Sect(2, {0.4f, 0.012f, 0.3f, 0.02f, 0.56f, 0.015f}), "I0.4X0.012X0.3X0.02X0.56X0.015",
         "S,2,0.40000,0.01200,0.30000,0.02000,0.56000,0.01500\n"},
        {Sect(4, {0.2f, 0.6f, 0.5f, 0.15f}), "DT0.2X0.6X0.5X0.15", nullptr},
        {Sect(7, {0, 0.25f}), "O0X0.25", nullptr},
        {Sect(8, {1, 0.2f, 30}), "CO1X0.2X30", nullptr},
        {Sect(9, {0.4f, 0.6f, 0.02f, 0.03f}), "[]0.4X0.6X0.02X0.03", nullptr},
        {Sect(40, {0.15f, 0.002f, 2500, 0, 2, 1e-4f}, "G"), "自定义 A=1.5E-1J=2E-3I33=2.5E3I22=0A2=2A3=1E-4",
         "G,40,0.15000,0.00200,2500.00000,0.00000,2.00000,0.00010 (自定义)\n"},
        {Sect(11, {1, 1}), "", nullptr},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(int(c.s.m_cKind));
        EXPECT_EQ(Str(c.s.GetSectString()), c.text);
        if (c.line) {
            EXPECT_EQ(Str(c.s.GetExportLine()), c.line);
        }
    }

    // Tapered: the end-J text follows with "－" and no kind letters.
    EXPECT_EQ(Str(Vsect(1, {0.6f, 0.3f}, {0.4f, 0.3f}).GetSectString()), "0.3X0.6－0.3X0.4");
    EXPECT_EQ(Str(Vsect(2, {1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}).GetSectString()), "I1X2X3X4X5X6－7X8X9X10X11X12");
    EXPECT_EQ(Str(Vsect(7, {0, 0.5f}, {0, 0.3f}).GetSectString()), "O0X0.5－0X0.3");
    EXPECT_EQ(Str(Vsect(5, {1, 1, 1}, {1, 1, 1}).GetSectString()), "");
    CVframeSect v = Vsect(1, {0.6f, 0.3f}, {0.4f, 0.2f});
    v.SetName("V1");
    EXPECT_EQ(Str(v.GetExportLine()),
              "V1,1,0.30000,0.60000,0.00000,0.00000,0.00000,0.00000,0.20000,0.40000,0.00000,0.00000,0.00000,0.00000\n");
}

TEST_F(Sections, EqualityEmptinessAndScaling)
{
    struct {
        int kind;
        float a, b;
        bool same;
    } cases[] = {
        {1, 1.0f, 1.0000005f, true},
        {1, 1.0f, 1.000002f, false},
        {40, 1e-6f, 1.00005e-6f, true},
        {40, 1e-6f, 1.0005e-6f, false},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.b);
        EXPECT_EQ(Sect(c.kind, {c.a, 0.5f}, "A").IsSameSect(Sect(c.kind, {c.b, 0.5f}, "B")) != 0, c.same);
    }
    EXPECT_FALSE(Sect(1, {1, 1}).IsSameSect(Sect(9, {1, 1})));
    // Unused parameters are not compared.
    EXPECT_TRUE(Sect(1, {1, 1, 5}).IsSameSect(Sect(1, {1, 1, 7})));
    EXPECT_TRUE(Sect(1, {0, 0, 5}).IsZeroSect());
    EXPECT_FALSE(Sect(1, {0, 1e-5f}).IsZeroSect());
    EXPECT_TRUE(Sect(11, {1, 1}).IsZeroSect());

    CFrameSect g = Sect(40, {0.15f, 0.002f, 2500, 3, 2, 1e-4f});
    g.Scale(1000);
    EXPECT_FLOAT_EQ(g.m_fPara[0], 0.15f * 1e6f);
    EXPECT_FLOAT_EQ(g.m_fPara[2], 2500 * 1e12f);
    EXPECT_FLOAT_EQ(g.m_fPara[4], 2e6f);
    CFrameSect arc = Sect(8, {1, 0.2f, 30});
    arc.Scale(1000);
    EXPECT_FLOAT_EQ(arc.m_fPara[1], 200);
    EXPECT_FLOAT_EQ(arc.m_fPara[2], 30);  // the angle stays

    CVframeSect v = Vsect(2, {1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12});
    const CVframeSect before = v;
    v.SwapEnds();
    EXPECT_EQ(v.m_fStart[0], 7);
    EXPECT_FALSE(v.IsSameSect(before));
    v.SwapEnds();
    EXPECT_TRUE(v.IsSameSect(before));
    v.Scale(0.5);
    EXPECT_FLOAT_EQ(v.m_fEnd[5], 6);
    EXPECT_TRUE(Vsect(1, {0, 0}, {0, 0}).IsZeroSect());
    EXPECT_FALSE(Vsect(1, {0, 0}, {0, 1}).IsZeroSect());
}

TEST_F(Sections, ProjectRecordsOfEveryLayout)
{
    // Current layout: written and read back byte for byte.
    const Bytes current = LeBytes().str("S1").i8(2).f32s({0.4f, 0.01f, 0.3f, 0.02f, 0.5f, 0.03f});
    CFrameSect s;
    {
        ProjectVersion v(706);
        ASSERT_TRUE(ReadBlock(current, [&](bifstream& in) { return s.Serialize(in) != 0; }));
        EXPECT_EQ(WriteBlock([&](bofstream& out) { s.Serialize(out); }), current);
    }
    EXPECT_STREQ(s.m_pName, "S1");

    struct {
        int version;
        Bytes bytes;
        int kind;
        float p[6];
    } cases[] = {
        // Old order: kind 2 (a0..a5) -> (a0, a2, a4, a1, a3, a5).
        {599, LeBytes().i32(2).f64(10).f64(1).f64(20).f64(2).f64(30).f64(3), 2, {10, 20, 30, 1, 2, 3}},
        {599, LeBytes().i32(1).f64(0.3).f64(0.6).zeros(32), 1, {0.6f, 0.3f}},
        {599, LeBytes().i32(3).f64(1).f64(2).f64(3).f64(4).zeros(16), 3, {1, 3, 2, 4}},
        {599, LeBytes().i32(8).f64(1).f64(2).f64(3).zeros(24), 8, {1, 2, 3}},
        // Only the low byte counts; outside 1..10 the general kind.
        {650, LeBytes().str("X").i32(0x103).f64(1).f64(2).f64(3).f64(4).zeros(16), 3, {1, 2, 3, 4}},
        {650, LeBytes().str("X").i32(0).zeros(48), 40, {}},
        {650, LeBytes().str("X").i32(11).zeros(48), 40, {}},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.version);
        ProjectVersion v(c.version);
        CFrameSect r;
        long rest = -1;
        ASSERT_TRUE(ReadBlock(
            c.bytes, [&](bifstream& in) { return r.Serialize(in) != 0; }, &rest));
        EXPECT_EQ(rest, 0);
        EXPECT_EQ(r.m_cKind, c.kind);
        for (int i = 0; i < 6; ++i) EXPECT_FLOAT_EQ(r.m_fPara[i], c.p[i]) << i;
    }

    // Tapered: the name always; doubles before 700.
    CVframeSect t;
    {
        ProjectVersion v(650);
        const Bytes old = LeBytes().str("V").i8(1).f64(0.6).f64(0.3).zeros(32).f64(0.4).f64(0.3).zeros(32);
        ASSERT_TRUE(ReadBlock(old, [&](bifstream& in) { return t.Serialize(in) != 0; }));
    }
    EXPECT_EQ(Str(t.GetSectString()), "0.3X0.6－0.3X0.4");
    {
        ProjectVersion v(706);
        const Bytes bytes = WriteBlock([&](bofstream& out) { t.Serialize(out); });
        CVframeSect back;
        ASSERT_TRUE(ReadBlock(bytes, [&](bifstream& in) { return back.Serialize(in) != 0; }));
        EXPECT_TRUE(back.IsSameSect(t));
        EXPECT_STREQ(back.m_pName, "V");
    }

    // Damage: a short record or a name no file holds leaves the record.
    ProjectVersion v(706);
    for (const Bytes& bad : {Bytes(current.begin(), current.end() - 3), Bytes(LeBytes().i32(-4).i8(1).zeros(24)),
                             Bytes(LeBytes().i32(1 << 20).i8(1).zeros(24))}) {
        CFrameSect r = Sect(1, {1, 2}, "keep");
        EXPECT_FALSE(ReadBlock(bad, [&](bifstream& in) { return r.Serialize(in) != 0; }));
        EXPECT_STREQ(r.m_pName, "keep");
        EXPECT_EQ(r.m_fPara[1], 2);
    }
}

TEST_F(Sections, AddingNamesAndReuse)
{
    AppHelperLog log;
    EXPECT_EQ(AddFrameSect(Sect(1, {0.6f, 0.3f}, "mine"), 0, 0, 0), 1);
    EXPECT_STREQ(theFrameSects.GetAt(0)->m_pName, "截面1");

    ClearSectionLibraries();
    theFrameSects.Add(Sect(1, {1, 1}, "截面3"));
    theFrameSects.Add(Sect(1, {2, 2}, "截面4"));
    EXPECT_EQ(AddFrameSect(Sect(1, {3, 3}), 0, 0, 0), 3);
    EXPECT_STREQ(theFrameSects.GetAt(2)->m_pName, "截面5");
    theFrameSects.Add(Sect(1, {2, 2}, "dup"));
    // Equal parameters: the lowest equal entry, nothing added.
    EXPECT_EQ(AddFrameSect(Sect(1, {2, 2}), 0, 1, 0), 2);
    EXPECT_EQ(theFrameSects.GetSize(), 4);
    // By name, case-blind, whatever the parameters.
    theFrameSects.GetAt(2)->SetName("BEAM1");
    EXPECT_EQ(AddFrameSect(Sect(1, {9, 9}, "beam1"), 1, 1, 0), 3);
    EXPECT_EQ(AddFrameSect(Sect(1, {9, 9}, "beam2"), 1, 1, 0), 5);
    EXPECT_STREQ(theFrameSects.GetAt(4)->m_pName, "beam2");
    // Empty sections refused when asked.
    EXPECT_EQ(AddFrameSect(Sect(1, {0, 0}), 0, 0, 1), 0);
    EXPECT_EQ(theFrameSects.GetSize(), 5);
    EXPECT_TRUE(log.Messages().empty());

    // Case folds ASCII only: a GBK character's trail byte is never folded.
    EXPECT_TRUE(SectNamesEqual("Abc截面", "aBC截面"));
    EXPECT_FALSE(SectNamesEqual("\xB5\x41", "\xB5\x61"));
    EXPECT_FALSE(SectNamesEqual("ab", "abc"));

    // Steel sections are named "钢截面n"; tapered ones "变截面n".
    EXPECT_EQ(AddSframeSect(Steel("D100*8"), 0, 0, 0), 1);
    EXPECT_EQ(AddSframeSect(Steel("D100*10"), 0, 0, 0), 2);
    EXPECT_STREQ(theSframeSects.GetAt(1)->m_pName, "钢截面2");
    EXPECT_EQ(AddSframeSect(Steel("D100*8"), 0, 1, 0), 1);
    EXPECT_EQ(AddVframeSect(Vsect(1, {1, 1}, {2, 2}), 0, 1, 0), 1);
    EXPECT_STREQ(theVframeSects.GetAt(0)->m_pName, "变截面1");

    // Lookups by kind and number.
    EXPECT_EQ(Str(GetFrameSectString(kOrdinarySect, 5)), "9X9");
    EXPECT_EQ(Str(GetFrameSectString(kVariableSect, 1)), "1X1－2X2");
    EXPECT_EQ(Str(GetFrameSectString(3, 1)), "1X1－2X2");  // 3 reads as tapered
    EXPECT_EQ(Str(GetFrameSectString(kSteelSect, 1)), "钢 Z=D100*8 H=3");
    for (int bad : {0, -1, 6}) EXPECT_EQ(Str(GetFrameSectString(kOrdinarySect, bad)), "");
    EXPECT_EQ(Str(GetFrameSectName(kSteelSect, 2)), "钢截面2");
    EXPECT_EQ(FindVframeSect(2), nullptr);
}

TEST_F(Sections, ParameterTextsOfTheSectionPanel)
{
    theFrameSects.Add(Sect(1, {0.6f, 0.3f}, "B1"));
    theFrameSects.Add(Sect(8, {1, 0.2f, 30}, "A"));
    theFrameSects.Add(Sect(40, {0.5f, 0, 2, 3, 0.4f, 0.4f}, "G"));
    theVframeSects.Add(Vsect(7, {0.1f, 0.2f}, {0.1f, 0.3f}));
    theSframeSects.Add(Steel("D100*8"));
    EXPECT_EQ(Str(GetSectParamText(kOrdinarySect, 1)), "B1\r\nh=0.6\r\nb=0.3");  // stored order
    EXPECT_EQ(Str(GetSectParamText(kOrdinarySect, 2)), "A\r\nr=1\r\nt=0.2\r\nα=30");
    EXPECT_EQ(Str(GetSectParamText(kOrdinarySect, 3)), "G\r\nA=0.5\r\nJ=0\r\nI33=2\r\nI22=3\r\nA2=0.4\r\nA3=0.4");
    EXPECT_EQ(Str(GetSectParamText(kVariableSect, 1)),
              "VSect\r\nI端截面：\r\nr=0.1\r\nR=0.2\r\nJ端截面：\r\nr=0.1\r\nR=0.3");
    EXPECT_EQ(Str(GetSectParamText(kSteelSect, 1)), "sfrSect\r\nZ=D100*8\r\nH=3");
    EXPECT_EQ(Str(GetSectParamText(kOrdinarySect, 4)), "");
}

TEST_F(Sections, SteelStringsSplitAndTexts)
{
    AppHelperLog log;
    UnitCode mm(3);
    CSframeSect d = Steel("D100*8");
    EXPECT_EQ(d.m_cPattern, 10);
    ASSERT_TRUE(d.ParseSteelString());
    EXPECT_DOUBLE_EQ(d.m_dDim[0], 100);
    EXPECT_DOUBLE_EQ(d.m_dDim[1], 8);
    double f = 0, fy = 0, fv = 0;
    ASSERT_EQ(d.GetSteelStrength(f, fy, fv), 1);
    const double k = 1000 * DCommonData::ForceFactor(3) / 1e6;
    EXPECT_DOUBLE_EQ(f, 215 * k);
    EXPECT_DOUBLE_EQ(fv, 125 * k);
    EXPECT_DOUBLE_EQ(fy, 235 * k);

    // Thickness bands by grade.
    struct {
        const char* text;
        int grade;
        double f;
    } bands[] = {
        {"D200*16", 3, 215}, {"D200*16.5", 3, 205}, {"D300*36", 1, 265}, {"D300*45", 2, 315}, {"D300*70", 4, 325}};
    for (auto& b : bands) {
        SCOPED_TRACE(b.text);
        CSframeSect s = Steel(b.text, b.grade);
        ASSERT_TRUE(s.ParseSteelString());
        ASSERT_EQ(s.GetSteelStrength(f, fy, fv), 1);
        EXPECT_DOUBLE_EQ(f, b.f * k);
    }
    CSframeSect i = Steel("I20A");
    EXPECT_EQ(i.m_cPattern, 2);
    ASSERT_TRUE(i.ParseSteelString());
    EXPECT_GE(i.m_dDim[0], 1);  // a catalogue row
    f = -1;
    EXPECT_EQ(i.GetSteelStrength(f, fy, fv), 0);
    EXPECT_EQ(f, -1);

    // No pattern: zeros and a false answer; the message is the caller's.
    CSframeSect bad = Steel("QQ12");
    bad.m_cPattern = 10;
    bad.m_dDim[0] = 5;
    EXPECT_FALSE(bad.ParseSteelString());
    EXPECT_EQ(bad.m_dDim[0], 0);
    ReportUnmatchedSteel(bad);
    ASSERT_EQ(log.Messages().size(), 1u);
    EXPECT_EQ(log.Messages()[0].text, "钢截面字符串:QQ12 有错！");

    CString text;
    CSframeSect built = Steel("D100*8");
    built.m_cFlagB = 1;
    built.m_fReal[0] = 400;
    built.m_fReal[1] = 2.5f;
    built.m_fReal[2] = 3.5f;
    built.GetSectString(text);
    EXPECT_EQ(Str(text), "钢 Z=D100*8 H=3 缀板 Gap=400 A3=2 A2=4");
    built.SetName("P");
    built.GetParaString(text);
    EXPECT_EQ(Str(text), "P Type=10 Z=D100*8 H=3 缀板 间距=400 A3=2.5 A2=3.5 \n");
    built.GetParaText(text);
    EXPECT_EQ(Str(text), "P\r\nZ=D100*8\r\nH=3\r\n缀板 间距=400\r\nA3=2.5 A2=3.5");

    CSframeSect user = UserSteelSection();
    user.GetSectString(text);
    EXPECT_EQ(Str(text), "自定义钢截面");
    user.GetParaString(text);
    EXPECT_EQ(Str(text),
              "U Type=0 J=44 H=3 K=5 V=8 9 10 11 12 13 14 15  A=16.000 17.000 I=18 19 20 21  F=22 23 24  "
              "S=25 26 27 28  T=1 2 3 4 5 6 7  \n");
    user.SetUserKey(0, 81);
    user.SetUserKey(1, 4);
    user.SetUserKey(2, -28);
    user.GetParaText(text);
    EXPECT_EQ(Str(text), "U\r\nJ=44\r\nH=3\r\nK=81 4 -28\r\nT=1\r\nO=29 30 31 32 33 34 35 36 37 38 39 40 41 42 43 ");
}

TEST_F(Sections, SteelDataFieldsEqualityAndScaling)
{
    UnitCode mm(3);
    CSframeSect box = Steel("HR200*100*6", 1);
    EXPECT_EQ(box.m_cPattern, 58);
    CSframeSect thin = Steel("HR200*100*5.5");
    CSframeSect pipe = Steel("D100*8");
    const std::string text = DataFileText([&](DKorvaDataFile& f) {
        box.WriteDataFields(f);
        f << wrap;
        thin.WriteDataFields(f);
        f << wrap;
        pipe.WriteDataFields(f);
        f << wrap;
    });
    EXPECT_NE(text.find("Z=BB200*6*88*6*200 H=1"), std::string::npos) << text;
    // Mended: a wall of 5.5 mm stays 5.5 in the box the solver reads.
    EXPECT_NE(text.find("Z=BB200*5.5*89*5.5*200 H=3"), std::string::npos) << text;
    EXPECT_NE(text.find("Z=D100*8 H=3"), std::string::npos) << text;
    EXPECT_NE(text.find("C=1.2E-5 L="), std::string::npos) << text;

    EXPECT_TRUE(pipe.IsSameSect(Steel("D100*8")));
    EXPECT_FALSE(Steel("I20A").IsSameSect(Steel("I20a")));  // case counts
    EXPECT_FALSE(pipe.IsSameSect(Steel("D100*8", 1)));
    CSframeSect blank = Steel("D100*8");
    std::memset(blank.m_SectData, 0, sizeof blank.m_SectData);
    EXPECT_TRUE(blank.IsZeroSect());
    EXPECT_FALSE(pipe.IsZeroSect());

    // The string stays in millimetres; its split and the built-up values follow the unit.
    ASSERT_TRUE(pipe.ParseSteelString());
    pipe.m_fReal[0] = 400;
    pipe.m_fReal[1] = 2;
    pipe.Scale(0.001);
    EXPECT_STREQ(pipe.GetSteelString(), "D100*8");
    EXPECT_NEAR(pipe.m_dDim[0], 0.1, 1e-12);
    EXPECT_FLOAT_EQ(pipe.m_fReal[0], 0.4f);
    EXPECT_FLOAT_EQ(pipe.m_fReal[1], 2e-6f);
    CSframeSect user;
    user.m_cPattern = 0;
    std::memset(user.m_SectData, 0, sizeof user.m_SectData);
    for (int n = 0; n < 44; ++n) user.SetUserValue(n, 1);
    user.Scale(10);
    const float want[44] = {10,   10,   10,   10,   10,   10,   10,  1e3f, 1e3f, 1e3f, 1e3f, 1e3f, 1e3f, 1e3f, 1e3f,
                            100,  100,  1e4f, 1e4f, 1e4f, 1e4f, 100, 100,  100,  100,  100,  100,  100,  10,   100,
                            1e4f, 1e4f, 1e3f, 1e3f, 1e3f, 1e3f, 100, 1e4f, 1e4f, 1e3f, 1e3f, 1e3f, 1e3f, 1e4f};
    for (int n = 0; n < 44; ++n) EXPECT_FLOAT_EQ(user.GetUserValue(n), want[n]) << n;

    // A string longer than the data area is cut at a character boundary.
    CSframeSect longer;
    std::string s(180, 'A');
    s += "钢";
    EXPECT_FALSE(longer.SetSteelString(s.c_str()));
    EXPECT_EQ(std::strlen(longer.GetSteelString()), 180u);
}

TEST_F(Sections, SteelRecordsAndTheBlock)
{
    AppHelperLog log;
    // Hand-worked block: one pipe, one cable, the cable input.
    const Bytes block = LeBytes()
                            .i32(1)
                            .str("钢截面1")
                            .i8(10)
                            .str("D100*8")
                            .i8(2)
                            .i8(1)
                            .f32s({400, 2.5f, 3.5f})
                            .i32(1)
                            .f32s({0.1f, 0.2f, 0.3f, 1000, 12})
                            .f32s({0.05f, 0, 0.05f, 500, 0})
                            .i8(2);
    ProjectVersion v(706);
    ASSERT_TRUE(ReadBlock(block, [](bifstream& in) { return LoadSteelSectBlock(in) == 1; }));
    ASSERT_EQ(theSframeSects.GetSize(), 1);
    const CSframeSect& s = *theSframeSects.GetAt(0);
    EXPECT_STREQ(s.m_pName, "钢截面1");
    EXPECT_EQ(s.m_cFlagA, 2);
    EXPECT_TRUE(s.IsBuiltUp());
    EXPECT_DOUBLE_EQ(s.m_dDim[1], 0.008);  // split on reading (metres)
    ASSERT_EQ(theTightWires.GetSize(), 1);
    EXPECT_FLOAT_EQ(theTightWires.GetAt(0)->m_fSpan, 12);
    EXPECT_TRUE(theTightWireParameter.RemovesCables());
    EXPECT_EQ(WriteBlock([](bofstream& out) { SaveSteelSectBlock(out); }), block);
    EXPECT_TRUE(log.Messages().empty());

    // Damage anywhere leaves the lists as they were.
    for (size_t cut : {size_t(2), size_t(9), size_t(30), block.size() - 1}) {
        SCOPED_TRACE(cut);
        EXPECT_FALSE(ReadBlock(Bytes(block.begin(), block.begin() + long(cut)),
                               [](bifstream& in) { return LoadSteelSectBlock(in) == 1; }));
        EXPECT_EQ(theSframeSects.GetSize(), 1);
        EXPECT_EQ(theTightWires.GetSize(), 1);
    }
    const Bytes tooLong = LeBytes().i32(1).str("x").i8(10).str(std::string(182, 'D').c_str()).i8(3).i8(0).zeros(12);
    const Bytes badCode = LeBytes().i32(1).str("x").i8(59).str("D1*1").i8(3).i8(0).zeros(12);
    for (const Bytes& bad : {tooLong, badCode, Bytes(LeBytes().i32(-1)), Bytes(LeBytes().i32(0x7FFFFFFF))})
        EXPECT_FALSE(ReadBlock(bad, [](bifstream& in) { return LoadSteelSectBlock(in) == 1; }));
    EXPECT_STREQ(theSframeSects.GetAt(0)->m_pName, "钢截面1");

    // Old codes: 1 is a string recognised now, 2 user-defined values, others no data.
    struct {
        Bytes record;
        int pattern;
        const char* text;
    } old[] = {
        {LeBytes().str("a").i8(1).str("I20A").i8(3).i8(0).zeros(12), 2, "I20A"},
        {LeBytes().str("b").i8(1).str("QQ").i8(3).i8(0).zeros(12), 1, "QQ"},
        {LeBytes().str("c").i8(2).f32s({7}).zeros(172).i16(5).i16(0).i16(0).skip(2).i8(3).i8(0).zeros(12), 0, ""},
        {LeBytes().str("d").i8(5).i8(3).i8(0).zeros(12), 0, ""},
    };
    ProjectVersion v650(650);
    for (auto& c : old) {
        SCOPED_TRACE(c.text);
        CSframeSect r;
        long rest = -1;
        ASSERT_TRUE(ReadBlock(
            c.record, [&](bifstream& in) { return r.Serialize(in) != 0; }, &rest));
        EXPECT_EQ(rest, 0);
        EXPECT_EQ(r.m_cPattern, c.pattern);
        EXPECT_STREQ(r.GetSteelString(), c.text);
    }
    // The user-defined values of old code 2; no data for the other codes.
    CSframeSect r;
    ASSERT_TRUE(ReadBlock(old[2].record, [&](bifstream& in) { return r.Serialize(in) != 0; }));
    EXPECT_EQ(r.GetUserValue(0), 7);
    EXPECT_EQ(r.GetUserKey(0), 5);
    ASSERT_TRUE(ReadBlock(old[3].record, [&](bifstream& in) { return r.Serialize(in) != 0; }));
    EXPECT_TRUE(r.IsZeroSect());
    // A block with an unmatched old string keeps it and says so once.
    const Bytes oldBlock = LeBytes()
                               .str("drop")
                               .i8(1)
                               .str("D100*8")
                               .i8(3)
                               .i8(0)
                               .zeros(12)
                               .i32(2)
                               .append(old[1].record)
                               .append(old[0].record)
                               .i32(0)
                               .zeros(20)
                               .i8(1);
    ASSERT_TRUE(ReadBlock(oldBlock, [](bifstream& in) { return LoadSteelSectBlock(in) == 1; }));
    ASSERT_EQ(theSframeSects.GetSize(), 2);
    ASSERT_EQ(log.Messages().size(), 1u);
    EXPECT_EQ(log.Messages()[0].text, "钢截面字符串:QQ 有错！");
    EXPECT_EQ(theTightWires.GetSize(), 0);
}

TEST_F(Sections, CablesCompareWithinThePlanTolerance)
{
    CTightWire a;
    a.m_fDi = 0.1f;
    a.m_fT = 1000;
    a.m_fSpan = 6;
    CTightWire b = a;
    b.m_fSpan = float(6 + theProjectOptions.dHorzNodeSpacing / 2);
    EXPECT_TRUE(a.IsSame(b));
    b.m_fSpan = float(6 + theProjectOptions.dHorzNodeSpacing * 2);
    EXPECT_FALSE(a.IsSame(b));
    b = a;
    b.m_fT = 1000.5f;
    EXPECT_FALSE(a.IsSame(b));
    EXPECT_FALSE(a.IsZero());
    b.m_fT = 0;
    EXPECT_TRUE(b.IsZero());
    a.ScaleUnits(1000, 0.001);
    EXPECT_FLOAT_EQ(a.m_fT, 1e6f);
    EXPECT_FLOAT_EQ(a.m_fSpan, 0.006f);
    theTightWires.Add(a);
    int at = 0;
    EXPECT_TRUE(theTightWires.Find(a, 0, at));
}
