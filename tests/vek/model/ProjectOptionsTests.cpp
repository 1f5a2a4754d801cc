#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "korvalib/base/DataFile.h"
#include "korvalib/base/biostream.h"
#include "DataFileText.h"
#include "tests/support/LeBytes.h"
#include "tests/support/MapProfile.h"
#include "tests/support/TestFiles.h"
#include "vek/model/ProjectGlobals.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/ViewLink.h"

using vektest::Bytes;
using vektest::LeBytes;
using vektest::TempFile;

namespace {

const char kSongTi[] = "\xCB\xCE\xCC\xE5";  // "宋体" in GBK

// The project version in force for one test.
class PrjVersion {
public:
    explicit PrjVersion(int v) : m_saved(nPrjVersion) { nPrjVersion = static_cast<int16_t>(v); }
    ~PrjVersion() { nPrjVersion = m_saved; }

private:
    int16_t m_saved;
};

Bytes Written(const CProjectOptions& o)
{
    TempFile f("prjopt", ".bin");
    {
        bofstream out;
        EXPECT_TRUE(out.Open(f.c_str()));
        EXPECT_EQ(o.Write(out), 1);
        EXPECT_EQ(out.Close(), 1);
    }
    return f.ReadAll();
}

// Reads the block (and the tail) from bytes; the stream's result and whether
// every byte was taken.
struct ReadResult {
    int block = 0;
    int tail = 0;
    bool allTaken = false;
};
ReadResult ReadFrom(CProjectOptions& o, const Bytes& bytes)
{
    TempFile f("prjopt", ".bin");
    EXPECT_TRUE(f.WriteAll(bytes));
    bifstream in;
    EXPECT_TRUE(in.Open(f.c_str()));
    ReadResult r;
    r.block = o.Read(in);
    if (r.block) r.tail = o.ReadLegacyTail(in);
    char extra;
    r.allTaken = in.IsGood() && !in.Read(&extra, 1);
    return r;
}

LeBytes DefaultFont()
{
    LeBytes b;
    b.i32s({0, 0, 0, 0, 400}).i8(0).i8(0).i8(0).i8(1).zeros(4).text(kSongTi).zeros(28);
    return b;
}

// The whole block of a record in its default state, item by item.
Bytes DefaultBlock()
{
    return LeBytes()
        .i32(1000)     // undo limit
        .i32(5400000)  // autosave interval
        .i16(1)        // prestress load case
        .i8(3)         // element information content
        .i8(0)         // plane-model mode
        .f32(9.8f)     // gravity of unit system 0
        .i32(4)        // option word: lighting
        .zeros(2)      // reserved
        .i16(1)        // temperature load case
        .i8(0)         // 3-D element type
        .f32(1.0f)     // load display scale
        .i8(0)         // stability
        .i8(0)         // mesh nodes split
        .i8(1)
        .i8(1)      // wall subdivisions
        .f32(0.0f)  // plane thickness
        .i16(1)
        .i16(1)  // angular velocity and acceleration load cases
        .i8(1)   // shell averaged results
        .i8(1)   // sort order
        .f32(0.8f)
        .i8(1)  // form combinations
        .i8(1)  // fix level-0 nodes
        .f32(0.0f)
        .f32(0.0f)
        .i32(0)  // axis grids
        .i8(0)   // axis grids in elevations
        .i8(1)   // plane strain
        .i8(1)   // four Gauss points
        .i8(0)   // hinged members bound regions
        .i8(1)
        .i8(1)
        .i8(1)   // self-weight, wind switches
        .i16(1)  // current load case
        .f64(0.5)
        .i8(0)
        .i8(0)
        .i8(1)  // select, pick, generate
        .f64(0.02)
        .f32(0.01f)
        .i8(8)  // snap target
        .i8(0)  // hidden surfaces
        .i8(1)  // filled borders (the profile's default)
        .f64(0.001)
        .append(DefaultFont())
        .i8(20)  // contour colours
        .i8(1)   // shell axes redefined
        .i16(0)
        .i16(0)
        .i16(0)
        .i16(0)
        .i16(0)
        .i16(0)
        .i16(10000)
        .f64(0.0)
        .f64(0.0)
        .f64(1.0)
        .f64(1.0)
        .f64(0.0)
        .f64(0.0)
        .i16(40)
        .i16(6)
        .i16(20)
        .i8(0)
        .i8(0)
        .i8(0)
        .i16(5)
        .i8(1)
        .i8(1)
        .i8(1)
        .i8(1)
        .f32(0.0f)
        .f32(0.0f)
        .f32(-1.0f);
}

}  // namespace

TEST(ProjectOptionsBlock, DefaultRecordWritesTheBlockWorkedOutByHand)
{
    const Bytes expected = DefaultBlock();
    ASSERT_EQ(expected.size(), 255u);
    EXPECT_EQ(Written(CProjectOptions()), expected);
}

TEST(ProjectOptionsBlock, ChangedRecordRoundTripsAtTheCurrentVersion)
{
    PrjVersion v(706);
    CProjectOptions a;
    a.nUndoLimit = 77;
    a.SetUnitSystem(3, 0);
    a.reserved[0] = 0x5A;
    a.nSelectMethod = 2;
    a.nContourColors = 240;
    a.nResultSelectors[5] = 4;
    a.dSpareDirection[1] = -2.5;
    a.fSelfWeightDir[0] = 0.5f;
    std::strcpy(a.textFont.faceName, "Arial");
    a.nAxisGridCount = 20;
    const Bytes first = Written(a);

    CProjectOptions b;
    const ReadResult r = ReadFrom(b, first);
    EXPECT_EQ(r.block, 1);
    EXPECT_EQ(r.tail, 1);
    EXPECT_TRUE(r.allTaken);
    EXPECT_EQ(Written(b), first);
    EXPECT_EQ(b.GetUnitCode(), 3);
    EXPECT_FLOAT_EQ(b.fGravity, 9800.0f);
    EXPECT_STREQ(b.textFont.faceName, "Arial");
}

TEST(ProjectOptionsBlock, Version500BlockTakesItsOldLayoutAndDefaults)
{
    PrjVersion v(500);
    const uint32_t word = (2u << 16) | CProjectOptions::kSplitCurrentStoreyWalls | CProjectOptions::kAutoScroll |
                          CProjectOptions::kNoMomentTransfer;
    const Bytes block = LeBytes()
                            .skip(12)
                            .i32(500)    // undo limit: before 610 it becomes 1000
                            .i32(60000)  // autosave: before 520 it becomes 1,800,000
                            .i16(3)      // prestress: up to 610 it becomes 1
                            .i8(1)       // information content: before 700 it becomes 3
                            .i8(0)
                            .f32(123.0f)  // gravity: from the unit system
                            .skip(6)
                            .i32(word)
                            .i8(0xAB)
                            .i8(0xCD)  // reserved, kept
                            .i16(5)    // temperature load case
                            .skip(2)
                            .i8(1)      // 3-D element type
                            .f32(2.5f)  // load display scale (kept from 480)
                            .i8(1)      // stability
                            .i8(0)      // mesh nodes split
                            .i8(7)      // wall horizontal: out of range, 1
                            .i8(3)      // wall vertical
                            .skip(51)
                            .f32(0.25f)  // plane thickness
                            .i16(2)
                            .i16(3)
                            .i32(0x100)  // shell averaged: low byte 0
                            .i32(0x305)  // sort order: low byte 5
                            .f64(0.6)    // zoom ratio
                            .i32(0)      // form combinations
                            .i32(1)      // fix level-0 nodes
                            .f32(1.5f)
                            .f32(2.5f)
                            .i32(4)  // axis grids
                            .i8(1)
                            .i8(2)
                            .i8(2)
                            .i8(1)
                            .i32(0)  // self-weight
                            .i32(1)  // wind switch A
                            .skip(4)
                            .i32(0)  // wind switch B
                            .skip(16)
                            .i32(0x10007)  // current load case: low 16 bits
                            // the tail
                            .skip(16)
                            .i32(0x102)  // select method: low byte
                            .skip(11)
                            .i8(9)  // pick option: before 681 it becomes 0
                            .skip(4)
                            .i32(0x203)  // projection mode: low byte
                            .skip(4)     // only before 600
                            .i32(0x404)  // generate method: low byte
                            .skip(68)
                            .f64(77.5)
                            .skip(32);
    static int legacyMode;
    static double legacyValue;
    legacyMode = -1;
    ViewLink saved = theViewLink;
    theViewLink.setLegacyProjection = [](int mode, double value) {
        legacyMode = mode;
        legacyValue = value;
    };
    CProjectOptions o;
    const ReadResult r = ReadFrom(o, block);
    theViewLink = saved;

    EXPECT_EQ(r.block, 1);
    EXPECT_EQ(r.tail, 1);
    EXPECT_TRUE(r.allTaken);
    EXPECT_EQ(o.nUndoLimit, 1000);
    EXPECT_EQ(o.nAutoSaveInterval, 1800000);
    EXPECT_EQ(o.nPrestressLoadCase, 1);
    EXPECT_EQ(o.nElementInfoContent, 3);
    EXPECT_EQ(o.GetUnitCode(), 0);
    EXPECT_FLOAT_EQ(o.fGravity, 9.8f);
    EXPECT_TRUE(o.HasOption(CProjectOptions::kCounterClockwiseShells));
    EXPECT_TRUE(o.HasOption(CProjectOptions::kNoMomentTransfer));
    EXPECT_FALSE(o.HasOption(CProjectOptions::kSplitCurrentStoreyWalls));
    EXPECT_FALSE(o.HasOption(CProjectOptions::kAutoScroll));
    EXPECT_EQ(o.reserved[0], 0xAB);
    EXPECT_EQ(o.reserved[1], 0xCD);
    EXPECT_EQ(o.nTemperatureLoadCase, 5);
    EXPECT_FLOAT_EQ(o.fLoadDisplayScale, 2.5f);
    EXPECT_EQ(o.nWallHorzDivision, 1);
    EXPECT_EQ(o.nWallVertDivision, 3);
    EXPECT_FLOAT_EQ(o.fPlaneThickness, 0.25f);
    EXPECT_EQ(o.bShellAveragedResults, 0);
    EXPECT_EQ(o.nSortOrder, 5);
    EXPECT_FLOAT_EQ(o.fZoomRatio, 0.6f);
    EXPECT_EQ(o.nAxisGridCount, 4);
    EXPECT_EQ(o.bSelfWeight, 0);
    EXPECT_EQ(o.bWindSwitchA, 1);
    EXPECT_EQ(o.nCurrentLoadCase, 7);
    EXPECT_DOUBLE_EQ(o.dTextSize, 0.5);
    EXPECT_EQ(o.nSelectMethod, 2);
    EXPECT_EQ(o.nPickOption, 0);
    EXPECT_EQ(o.nGenerateMethod, 4);
    EXPECT_EQ(legacyMode, 3);
    EXPECT_DOUBLE_EQ(legacyValue, 77.5);
}

TEST(ProjectOptionsBlock, Version700BlockIsCheckedAsItIsRead)
{
    PrjVersion v(700);
    // A default block with a few values changed in place.
    Bytes block = DefaultBlock();
    auto put32 = [&](size_t at, uint32_t value) {
        for (int i = 0; i < 4; ++i) block[at + i] = uint8_t(value >> (8 * i));
    };
    put32(4, 60000);                    // autosave interval below two minutes
    put32(16, 4u | 1u << 16);           // unit system 1
    block[78] = 5;                      // select method: above 2 becomes 0
    block[164] = 30;                    // contour colours: 240
    std::memset(&block[132], 'A', 32);  // a face name filling all its bytes

    CProjectOptions o;
    const ReadResult r = ReadFrom(o, block);
    EXPECT_EQ(r.block, 1);
    EXPECT_EQ(r.tail, 1);
    EXPECT_TRUE(r.allTaken);
    EXPECT_EQ(o.nAutoSaveInterval, 1800000);
    EXPECT_EQ(o.GetUnitCode(), 1);
    EXPECT_FLOAT_EQ(o.fGravity, 980.0f);
    EXPECT_STREQ(strLengthUnit, "\xC0\xE5\xC3\xD7");  // "厘米"
    EXPECT_EQ(o.nSelectMethod, 0);
    EXPECT_EQ(o.nContourColors, 240);
    EXPECT_EQ(std::strlen(o.textFont.faceName), 31u);
    theProjectOptions.SetUnitSystem(0, 0);
}

TEST(ProjectOptionsBlock, DamagedBlocksLeaveTheRecordAsItWas)
{
    PrjVersion v(706);
    Bytes tooManyGrids = DefaultBlock();
    tooManyGrids[57] = 21;  // axis grid count
    Bytes negativeGrids = DefaultBlock();
    std::memset(&negativeGrids[57], 0xFF, 4);
    Bytes cut = DefaultBlock();
    cut.resize(200);

    for (const Bytes* bytes : {&tooManyGrids, &negativeGrids, &cut}) {
        CProjectOptions o;
        o.nUndoLimit = 42;
        o.SetUnitSystem(3, 0);
        const Bytes before = Written(o);
        EXPECT_EQ(ReadFrom(o, *bytes).block, 0);
        EXPECT_EQ(Written(o), before);
    }
    theProjectOptions.SetUnitSystem(0, 0);
}

TEST(ProjectOptionsUnits, EachCodeGivesItsGravityTextsAndPrompts)
{
    struct Case {
        int code;
        float gravity;
        const char* force;
        const char* length;
        const char* mass;
    };
    const Case cases[] = {
        {0, 9.8f, "千牛", "米", "吨"},        {1, 980.0f, "千牛", "厘米", "百吨"}, {2, 9.8f, "牛", "米", "千克"},
        {3, 9800.0f, "毫牛", "毫米", "千克"}, {4, 9800.0f, "牛", "毫米", "吨"},    {9, 9800.0f, "牛", "毫米", "吨"},
    };
    CProjectOptions o;
    for (const Case& c : cases) {
        o.SetUnitSystem(c.code, 0);
        EXPECT_EQ(o.GetUnitCode(), c.code);
        EXPECT_FLOAT_EQ(o.fGravity, c.gravity) << c.code;
        EXPECT_STREQ(strForceUnit, c.force) << c.code;
        EXPECT_STREQ(strLengthUnit, c.length) << c.code;
        EXPECT_STREQ(strMassUnit, c.mass) << c.code;
    }
    o.SetUnitSystem(1, 0);
    EXPECT_STREQ(strElasticPrompt, "弹性模量(千牛/平厘米)E:");
    EXPECT_STREQ(strWeightPrompt, "单位体积重量(千牛/立方厘米):");
    EXPECT_STREQ(strMassPrompt, "单位体积质量(百吨/立方厘米):");
    theProjectOptions.SetUnitSystem(0, 0);
}

TEST(ProjectOptionsUnits, ChangeClearsUndoAndConvertsOnlyWhenAsked)
{
    static int clears, fromCode, toCode, converts;
    clears = converts = 0;
    ProjectOptionsHooks saved = theProjectOptionsHooks;
    theProjectOptionsHooks.clearUndo = [] { ++clears; };
    theProjectOptionsHooks.convertModelUnits = [](int from, int to) {
        ++converts;
        fromCode = from;
        toCode = to;
    };
    CProjectOptions o;
    clears = 0;
    o.SetUnitSystem(2, 0);
    o.SetUnitSystem(3, 1);
    theProjectOptionsHooks = saved;
    EXPECT_EQ(clears, 2);
    EXPECT_EQ(converts, 1);
    EXPECT_EQ(fromCode, 2);
    EXPECT_EQ(toCode, 3);
    theProjectOptions.SetUnitSystem(0, 0);
}

TEST(ProjectOptionsUnits, ChosenUnitSystemIsSetOnlyOnOk)
{
    static int answer;
    ProjectOptionsHooks saved = theProjectOptionsHooks;
    theProjectOptionsHooks.unitDialog = [](int& code, int& convert) {
        EXPECT_EQ(convert, 1);  // offered with conversion on
        code = 4;
        return answer;
    };
    CProjectOptions o;
    answer = 2;
    EXPECT_EQ(o.ChooseUnitSystem(), 0);
    EXPECT_EQ(o.GetUnitCode(), 0);
    answer = 1;
    EXPECT_EQ(o.ChooseUnitSystem(), 1);
    EXPECT_EQ(o.GetUnitCode(), 4);
    theProjectOptionsHooks = saved;
    theProjectOptions.SetUnitSystem(0, 0);
}

TEST(ProjectOptionsProfile, MissingValuesGiveTheDefaultsAndTheWrittenTextIsTheDefaultText)
{
    MapProfile profile;
    CProjectOptions o;
    o.nContourColors = 10;
    o.nMouseSensitivity = 3;
    o.ReadDisplayProfile(profile);
    EXPECT_EQ(o.nContourColors, 20);
    EXPECT_EQ(o.nMouseSensitivity, 8);
    o.WriteDisplayProfile(profile);
    EXPECT_EQ(profile.strings["Settings/DispSet"], "0.001000,1.000000,0.000000,1,40,0,0,0,1,1,1,20,6,20,5,1,0,1,0");
    EXPECT_EQ(profile.strings["Settings/GlobalDispSet"], "8");
}

TEST(ProjectOptionsProfile, ValuesRoundTripAndBadOnesTakeTheirDefaults)
{
    MapProfile profile;
    CProjectOptions a;
    a.dContourMax = 250.5;
    a.dContourMin = -3.25;
    a.nMaxDisplacementPixels = 120;
    a.nAnimationFrames = 12;
    a.bUseContourRange = 1;
    a.SetOption(CProjectOptions::kMaxOverShownOnly, true);
    a.nMouseSensitivity = 20;
    a.WriteDisplayProfile(profile);
    CProjectOptions b;
    b.ReadDisplayProfile(profile);
    EXPECT_DOUBLE_EQ(b.dContourMax, 250.5);
    EXPECT_DOUBLE_EQ(b.dContourMin, -3.25);
    EXPECT_EQ(b.nMaxDisplacementPixels, 120);
    EXPECT_EQ(b.nAnimationFrames, 12);
    EXPECT_EQ(b.bUseContourRange, 1);
    EXPECT_TRUE(b.HasOption(CProjectOptions::kMaxOverShownOnly));
    EXPECT_EQ(b.nMouseSensitivity, 20);

    // Pixels beyond 16 bits, a switch of 5, contour colours 30, sensitivity 0.
    profile.strings["Settings/DispSet"] = "0.002,9,1,5,70000,1,1,1,0,0,0,30,-4,100,7,0,1,0,1";
    profile.strings["Settings/GlobalDispSet"] = "0";
    CProjectOptions c;
    c.ReadDisplayProfile(profile);
    EXPECT_DOUBLE_EQ(c.dBorderDepthOffset, 0.002);
    EXPECT_EQ(c.bFilledBorders, 1);
    EXPECT_EQ(c.nMaxDisplacementPixels, 40);
    EXPECT_EQ(c.bCurvedDeformation, 1);
    EXPECT_EQ(c.nContourColors, 240);
    EXPECT_EQ(c.nAnimationFrames, 6);
    EXPECT_EQ(c.nAnimationInterval, 100);
    EXPECT_EQ(c.nForceDiagramSize, 7);
    EXPECT_EQ(c.nMouseSensitivity, 8);

    // An empty value changes nothing.
    profile.strings["Settings/DispSet"] = "";
    c.ReadDisplayProfile(profile);
    EXPECT_EQ(c.nContourColors, 240);
    EXPECT_EQ(c.bCurvedDeformation, 1);
}

TEST(ProjectOptionsDataFile, LoadCaseFieldsAndGravityDirection)
{
    CProjectOptions o;
    o.nTemperatureLoadCase = 3;
    EXPECT_EQ(DataFileText([&](DKorvaDataFile& f) { o.WriteTField(f); }), "T=0 0 1 ");
    EXPECT_EQ(DataFileText([&](DKorvaDataFile& f) { o.WritePField(f); }), "P=1 ");
    o.fSelfWeightDir[0] = 0.5f;
    const std::string gravity = DataFileText([&](DKorvaDataFile& f) { o.WriteGravityDir(f); });
    EXPECT_EQ(gravity.rfind("X=0.5", 0), 0u) << gravity;
    EXPECT_NE(gravity.find("Z=-1"), std::string::npos) << gravity;
    o.bSelfWeight = 0;
    EXPECT_EQ(DataFileText([&](DKorvaDataFile& f) { o.WriteGravityDir(f); }), "");
}

TEST(ProjectOptionsGeometry, PointsCoincideWithinTheSpacingsInclusive)
{
    CProjectOptions saved = theProjectOptions;
    theProjectOptions.dHorzNodeSpacing = 0.5;
    theProjectOptions.fVertNodeSpacing = 0.25f;
    const double a[3] = {1.0, 1.0, 1.0};
    struct Case {
        double b[3];
        bool same;
    };
    const Case cases[] = {
        {{1.5, 0.5, 1.25}, true},       {{1.5, 1.0, 1.2500001}, false}, {{1.5000001, 1.0, 1.0}, false},
        {{1.0, 0.4999999, 1.0}, false}, {{1.0, 1.0, 0.75}, true},
    };
    for (const Case& c : cases) EXPECT_EQ(PointsCoincide(a, c.b), c.same) << c.b[0] << " " << c.b[1] << " " << c.b[2];
    theProjectOptions = saved;
}

TEST(ProjectOptionsView, AxisGridsAndThePlaneModel)
{
    static int mode;
    static int entered;
    entered = 0;
    ViewLink saved = theViewLink;
    theViewLink.projectionMode = [] { return mode; };
    theViewLink.enterYZPlane = [] { ++entered; };
    CProjectOptions o;
    mode = 1;
    EXPECT_TRUE(o.AxisGridInView());
    mode = 2;
    EXPECT_FALSE(o.AxisGridInView());
    mode = 3;
    EXPECT_FALSE(o.AxisGridInView());
    o.EnterPlaneModelMode();
    EXPECT_EQ(o.bPlaneModel, 1);
    EXPECT_EQ(entered, 1);
    mode = 2;
    EXPECT_TRUE(o.AxisGridInView());
    theViewLink = saved;
}
