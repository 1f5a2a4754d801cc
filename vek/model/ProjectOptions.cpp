#include "vek/model/ProjectOptions.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <type_traits>

#include "analysis/RunSettings.h"
#include "korvalib/base/DataFile.h"
#include "korvalib/base/biostream.h"
#include "vek/model/ProjectGlobals.h"
#include "vek/model/ViewLink.h"

static_assert(std::is_trivially_copyable_v<CProjectOptions>, "the record is copied whole on a failed read");

CProjectOptions theProjectOptions;
ProjectOptionsHooks theProjectOptionsHooks;

char strLengthUnit[8];
char strMassUnit[12];
char strForceUnit[8];
char strElasticPrompt[40];
char strWeightPrompt[40];
char strMassPrompt[40];

namespace {

const char kDisplayDefaults[] = "0.001,1.0,0.0,1,40,0,0,0,1,1,1,20,6,20,5,1,0,1,0";
const char kDisplayReadFormat[] = "%lf,%lf,%lf,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d";
const char kDisplayWriteFormat[] = "%f,%f,%f,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d";
constexpr int kDisplayValues = 19;

// Bytes a layout keeps that this program does not use.
void Skip(bifstream& in, int n)
{
    char junk[128];
    while (n > 0 && in.IsGood()) {
        const int step = n < static_cast<int>(sizeof junk) ? n : static_cast<int>(sizeof junk);
        in.Read(junk, step);
        n -= step;
    }
}

uint8_t LowByte(int32_t v)
{
    return static_cast<uint8_t>(v & 0xFF);
}

bool IsContourColorCount(int n)
{
    return n == 10 || n == 20 || n == 240;
}

}  // namespace

CProjectOptions::CProjectOptions()
{
    std::memset(static_cast<void*>(this), 0, sizeof *this);
    ApplyDisplayDefaults();
    SetDefaults();
}

void CProjectOptions::ApplyDisplayDefaults()
{
    nMouseSensitivity = 8;
    dBorderDepthOffset = 0.001;
    dContourMax = 1.0;
    dContourMin = 0.0;
    bFilledBorders = 1;
    nMaxDisplacementPixels = 40;
    bCurvedDeformation = 0;
    bShowUndeformed = 0;
    bLabelLargestOnly = 0;
    bColourLegend = 1;
    bLabelForceValues = 1;
    bTextAcrossLines = 1;
    nContourColors = 20;
    nAnimationFrames = 6;
    nAnimationInterval = 20;
    nForceDiagramSize = 5;
    bResultDisplaySwitch = 1;
    bUseContourRange = 0;
    bContourFades = 1;
    SetOption(kMaxOverShownOnly, false);
}

void CProjectOptions::SetDefaults()
{
    nCurrentCommand = 0;
    std::memset(szProjectName, 0, sizeof szProjectName);
    nUndoLimit = 1000;
    nAutoSaveInterval = 5400000;
    nElementInfoContent = 3;
    bPlaneModel = 0;
    bSelfWeight = 1;
    bWindSwitchA = 1;
    bWindSwitchB = 1;
    fSelfWeightDir[0] = 0.0f;
    fSelfWeightDir[1] = 0.0f;
    fSelfWeightDir[2] = -1.0f;
    bStoreyLookup = 1;
    nOptionWord = kLighting | (nOptionWord & kUnitMask);
    nPrestressLoadCase = 1;
    nTemperatureLoadCase = 1;
    n3DElementType = 0;
    fLoadDisplayScale = 1.0f;
    bStabilityAnalysis = 0;
    bMeshNodesSplit = 0;
    nWallHorzDivision = 1;
    nWallVertDivision = 1;
    nSnapTargetSize = 8;
    bShellAveragedResults = 1;
    nSortOrder = 1;
    fZoomRatio = 0.8f;
    bFormCombinations = 1;
    bFixLevel0Nodes = 1;
    nAxisGridCount = 0;
    bAxisGridsInElevations = 0;
    nPlaneElementType = 1;
    nPlaneGaussPoints = 1;
    fPlaneThickness = 0.0f;
    nAngVelocityLoadCase = 1;
    nAngAccelerationLoadCase = 1;
    fAngVelocity = 0.0f;
    fAngAcceleration = 0.0f;
    bHingedBoundRegions = 0;
    nSelectMethod = 0;
    nPickOption = 0;
    nGenerateMethod = 1;
    dHorzNodeSpacing = 0.02;
    fVertNodeSpacing = 0.01f;
    dTextSize = 0.5;
    std::memset(&textFont, 0, sizeof textFont);
    textFont.weight = 400;
    textFont.charSet = 1;
    std::strcpy(textFont.faceName, "宋体");
    bHiddenSurface = 0;
    nCurrentLoadCase = 1;
    nMouseSensitivity = 8;
    bShellAxesRedefined = 1;
    dD1Direction[0] = 0.0;
    dD1Direction[1] = 0.0;
    dD1Direction[2] = 1.0;
    dSpareDirection[0] = 1.0;
    dSpareDirection[1] = 0.0;
    dSpareDirection[2] = 0.0;
    for (int16_t& s : nResultSelectors) s = 0;
    nHighestStage = 10000;
    SetUnitSystem(0, 0);
}

// ---- project-file block -------------------------------------------------------------

int CProjectOptions::Write(bofstream& out) const
{
    out << nUndoLimit << nAutoSaveInterval << nPrestressLoadCase << nElementInfoContent << bPlaneModel << fGravity;
    out << nOptionWord;
    out.Write(reserved, 2);
    out << nTemperatureLoadCase << n3DElementType << fLoadDisplayScale << bStabilityAnalysis << bMeshNodesSplit
        << nWallHorzDivision << nWallVertDivision << fPlaneThickness << nAngVelocityLoadCase << nAngAccelerationLoadCase
        << bShellAveragedResults << nSortOrder << fZoomRatio << bFormCombinations << bFixLevel0Nodes << fAngVelocity
        << fAngAcceleration << nAxisGridCount << bAxisGridsInElevations << nPlaneElementType << nPlaneGaussPoints
        << bHingedBoundRegions << bSelfWeight << bWindSwitchA << bWindSwitchB << nCurrentLoadCase << dTextSize
        << nSelectMethod << nPickOption << nGenerateMethod << dHorzNodeSpacing << fVertNodeSpacing << nSnapTargetSize
        << bHiddenSurface << bFilledBorders << dBorderDepthOffset;
    out.Write(&textFont, sizeof textFont);
    out << nContourColors << bShellAxesRedefined;
    for (int16_t s : nResultSelectors) out << s;
    out << nHighestStage;
    for (double d : dD1Direction) out << d;
    for (double d : dSpareDirection) out << d;
    out << nMaxDisplacementPixels << nAnimationFrames << nAnimationInterval << bCurvedDeformation << bShowUndeformed
        << bLabelLargestOnly << nForceDiagramSize << bColourLegend << bResultDisplaySwitch << bLabelForceValues
        << bTextAcrossLines;
    for (float f : fSelfWeightDir) out << f;
    return out.IsGood();
}

int CProjectOptions::Read(bifstream& in)
{
    const int v = nPrjVersion;
    const bool legacy = v < 700;
    CProjectOptions r = *this;

    if (legacy) Skip(in, 12);
    in >> r.nUndoLimit >> r.nAutoSaveInterval >> r.nPrestressLoadCase;
    if (v < 610) r.nUndoLimit = 1000;
    if (v < 520 || r.nAutoSaveInterval < kMinAutoSaveInterval) r.nAutoSaveInterval = 1800000;
    if (v <= 610) r.nPrestressLoadCase = 1;

    in >> r.nElementInfoContent >> r.bPlaneModel >> r.fGravity;
    if (legacy) r.nElementInfoContent = 3;
    r.bStoreyLookup = 1;

    if (legacy) Skip(in, 6);
    in >> r.nOptionWord;
    in.Read(r.reserved, 2);
    in >> r.nTemperatureLoadCase;
    if (legacy) Skip(in, 2);

    in >> r.n3DElementType >> r.fLoadDisplayScale >> r.bStabilityAnalysis >> r.bMeshNodesSplit >> r.nWallHorzDivision >>
        r.nWallVertDivision;
    if (r.nWallHorzDivision < 1 || r.nWallHorzDivision > 4) r.nWallHorzDivision = 1;
    if (r.nWallVertDivision < 1 || r.nWallVertDivision > 4) r.nWallVertDivision = 1;

    if (legacy) Skip(in, 51);
    if (v < 480) r.fLoadDisplayScale = 1.0f;
    if (v <= 400) r.nTemperatureLoadCase = 1;
    if (v < 600) r.SetOption(kSplitCurrentStoreyWalls | kAutoScroll, false);

    int unitCode = r.GetUnitCode();
    if (v < 520) {
        unitCode = 0;
        r.SetOption(kCounterClockwiseShells, true);
    }

    in >> r.fPlaneThickness >> r.nAngVelocityLoadCase >> r.nAngAccelerationLoadCase;

    if (legacy) {
        int32_t averaged = 0, sort = 0, combinations = 0, fixLevel0 = 0;
        double zoom = 0.0;
        in >> averaged >> sort >> zoom >> combinations >> fixLevel0;
        r.bShellAveragedResults = LowByte(averaged);
        r.nSortOrder = LowByte(sort);
        r.fZoomRatio = static_cast<float>(zoom);
        r.bFormCombinations = LowByte(combinations);
        r.bFixLevel0Nodes = LowByte(fixLevel0);
    } else {
        in >> r.bShellAveragedResults >> r.nSortOrder >> r.fZoomRatio >> r.bFormCombinations >> r.bFixLevel0Nodes;
    }

    in >> r.fAngVelocity >> r.fAngAcceleration >> r.nAxisGridCount >> r.bAxisGridsInElevations >> r.nPlaneElementType >>
        r.nPlaneGaussPoints >> r.bHingedBoundRegions;
    if (r.nAxisGridCount < 0 || r.nAxisGridCount > kMaxAxisGrids) in.SetFailed();

    if (legacy) {
        int32_t selfWeight = 0, windA = 0, windB = 0, loadCase = 0;
        in >> selfWeight >> windA;
        Skip(in, 4);
        in >> windB;
        Skip(in, 16);
        in >> loadCase;
        r.bSelfWeight = LowByte(selfWeight);
        r.bWindSwitchA = LowByte(windA);
        r.bWindSwitchB = LowByte(windB);
        r.nCurrentLoadCase = static_cast<int16_t>(loadCase & 0xFFFF);
    } else {
        in >> r.bSelfWeight >> r.bWindSwitchA >> r.bWindSwitchB >> r.nCurrentLoadCase;
    }

    if (v >= 600)
        in >> r.dTextSize;
    else
        r.dTextSize = 0.5;

    if (!legacy) {
        in >> r.nSelectMethod >> r.nPickOption >> r.nGenerateMethod >> r.dHorzNodeSpacing >> r.fVertNodeSpacing >>
            r.nSnapTargetSize >> r.bHiddenSurface >> r.bFilledBorders >> r.dBorderDepthOffset;
        in.Read(&r.textFont, sizeof r.textFont);
        r.textFont.faceName[sizeof r.textFont.faceName - 1] = '\0';
        in >> r.nContourColors >> r.bShellAxesRedefined;
        for (int16_t& s : r.nResultSelectors) in >> s;
        in >> r.nHighestStage;
        for (double& d : r.dD1Direction) in >> d;
        for (double& d : r.dSpareDirection) in >> d;
        in >> r.nMaxDisplacementPixels >> r.nAnimationFrames >> r.nAnimationInterval >> r.bCurvedDeformation >>
            r.bShowUndeformed >> r.bLabelLargestOnly >> r.nForceDiagramSize >> r.bColourLegend >>
            r.bResultDisplaySwitch >> r.bLabelForceValues >> r.bTextAcrossLines;
        for (float& f : r.fSelfWeightDir) in >> f;
        if (!IsContourColorCount(r.nContourColors)) r.nContourColors = 240;
    }

    if (!in.IsGood()) return 0;
    *this = r;
    SetUnitSystem(unitCode, 0);
    return 1;
}

int CProjectOptions::ReadLegacyTail(bifstream& in)
{
    uint8_t select = nSelectMethod, pick = nPickOption, generate = nGenerateMethod;
    int32_t viewMode = 0;
    double viewValue = 0.0;
    const bool legacy = nPrjVersion < 700;
    if (legacy) {
        int32_t word = 0;
        Skip(in, 16);
        in >> word;
        select = LowByte(word);
        Skip(in, 11);
        in >> pick;
        if (nPrjVersion < 681) pick = 0;
        Skip(in, 4);
        in >> viewMode;
        if (nPrjVersion < 600) Skip(in, 4);
        in >> word;
        generate = LowByte(word);
        Skip(in, 68);
        in >> viewValue;
        Skip(in, 32);
    }
    if (!in.IsGood()) return 0;
    if (legacy) {
        nSelectMethod = select;
        nPickOption = pick;
        nGenerateMethod = generate;
        if (theViewLink.setLegacyProjection) theViewLink.setLegacyProjection(LowByte(viewMode), viewValue);
    }
    if (nSelectMethod > 2) nSelectMethod = 0;
    return 1;
}

// ---- profile copy ----------------------------------------------------------------------

void CProjectOptions::WriteDisplayProfile(CRunProfile& profile) const
{
    char text[512];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(nMouseSensitivity));
    profile.WriteString("Settings", "GlobalDispSet", text);
    std::snprintf(
        text, sizeof text, kDisplayWriteFormat, dBorderDepthOffset, dContourMax, dContourMin,
        static_cast<int>(bFilledBorders), static_cast<int>(nMaxDisplacementPixels),
        static_cast<int>(bCurvedDeformation), static_cast<int>(bShowUndeformed), static_cast<int>(bLabelLargestOnly),
        static_cast<int>(bColourLegend), static_cast<int>(bLabelForceValues), static_cast<int>(bTextAcrossLines),
        static_cast<int>(nContourColors), static_cast<int>(nAnimationFrames), static_cast<int>(nAnimationInterval),
        static_cast<int>(nForceDiagramSize), static_cast<int>(bResultDisplaySwitch), static_cast<int>(bUseContourRange),
        static_cast<int>(bContourFades), HasOption(kMaxOverShownOnly) ? 1 : 0);
    profile.WriteString("Settings", "DispSet", text);
}

void CProjectOptions::ReadDisplayProfile(CRunProfile& profile)
{
    const int mouse = std::atoi(profile.GetString("Settings", "GlobalDispSet", "8"));
    nMouseSensitivity = static_cast<uint8_t>(mouse >= 1 && mouse <= 20 ? mouse : 8);

    const CString text = profile.GetString("Settings", "DispSet", kDisplayDefaults);
    if (text.IsEmpty()) return;
    // Every value is read wide and checked before it goes into its narrow
    // field; one out of its range takes its default.
    double d[3] = {0.001, 1.0, 0.0};
    int n[kDisplayValues - 3] = {1, 40, 0, 0, 0, 1, 1, 1, 20, 6, 20, 5, 1, 0, 1, 0};
    const int defaults[kDisplayValues - 3] = {1, 40, 0, 0, 0, 1, 1, 1, 20, 6, 20, 5, 1, 0, 1, 0};
    const int got = std::sscanf(text, kDisplayReadFormat, &d[0], &d[1], &d[2], &n[0], &n[1], &n[2], &n[3], &n[4], &n[5],
                                &n[6], &n[7], &n[8], &n[9], &n[10], &n[11], &n[12], &n[13], &n[14], &n[15]);
    if (got <= 0) return;
    auto value = [&](int i, int lo, int hi) { return n[i] >= lo && n[i] <= hi ? n[i] : defaults[i]; };
    auto flag = [&](int i) { return static_cast<uint8_t>(value(i, 0, 1)); };
    auto has = [&](int k) { return got > k; };  // k: position in the text, 0-based
    if (has(0) && std::isfinite(d[0])) dBorderDepthOffset = d[0];
    if (has(1) && std::isfinite(d[1])) dContourMax = d[1];
    if (has(2) && std::isfinite(d[2])) dContourMin = d[2];
    if (has(3)) bFilledBorders = flag(0);
    if (has(4)) nMaxDisplacementPixels = static_cast<int16_t>(value(1, 1, 32767));
    if (has(5)) bCurvedDeformation = flag(2);
    if (has(6)) bShowUndeformed = flag(3);
    if (has(7)) bLabelLargestOnly = flag(4);
    if (has(8)) bColourLegend = flag(5);
    if (has(9)) bLabelForceValues = flag(6);
    if (has(10)) bTextAcrossLines = flag(7);
    if (has(11)) nContourColors = static_cast<uint8_t>(IsContourColorCount(n[8]) ? n[8] : 240);
    if (has(12)) nAnimationFrames = static_cast<int16_t>(value(9, 1, 32767));
    if (has(13)) nAnimationInterval = static_cast<int16_t>(value(10, 0, 32767));
    if (has(14)) nForceDiagramSize = static_cast<int16_t>(value(11, 1, 32767));
    if (has(15)) bResultDisplaySwitch = flag(12);
    if (has(16)) bUseContourRange = flag(13);
    if (has(17)) bContourFades = flag(14);
    if (has(18)) SetOption(kMaxOverShownOnly, value(15, 0, 1) != 0);
}

// ---- unit system -------------------------------------------------------------------------

void CProjectOptions::SetUnitSystem(int unitCode, int convert)
{
    if (theProjectOptionsHooks.clearUndo) theProjectOptionsHooks.clearUndo();
    const int code = unitCode & 0xFF;
    if (convert && theProjectOptionsHooks.convertModelUnits)
        theProjectOptionsHooks.convertModelUnits(GetUnitCode(), code);
    nOptionWord = (nOptionWord & ~kUnitMask) | (static_cast<uint32_t>(code) << kUnitShift);
    fGravity = code == 0 || code == 2 ? 9.8f : code == 1 ? 980.0f : 9800.0f;

    struct Texts {
        const char* force;
        const char* length;
        const char* mass;
    };
    static const Texts kTexts[] = {
        {"千牛", "米", "吨"}, {"千牛", "厘米", "百吨"}, {"牛", "米", "千克"}, {"毫牛", "毫米", "千克"}};
    static const Texts kOther = {"牛", "毫米", "吨"};
    const Texts& t = code < 4 ? kTexts[code] : kOther;
    std::snprintf(strForceUnit, sizeof strForceUnit, "%s", t.force);
    std::snprintf(strLengthUnit, sizeof strLengthUnit, "%s", t.length);
    std::snprintf(strMassUnit, sizeof strMassUnit, "%s", t.mass);
    std::snprintf(strElasticPrompt, sizeof strElasticPrompt, "弹性模量(%s/平%s)E:", t.force, t.length);
    std::snprintf(strWeightPrompt, sizeof strWeightPrompt, "单位体积重量(%s/立方%s):", t.force, t.length);
    std::snprintf(strMassPrompt, sizeof strMassPrompt, "单位体积质量(%s/立方%s):", t.mass, t.length);
}

int CProjectOptions::ChooseUnitSystem()
{
    if (!theProjectOptionsHooks.unitDialog) return 0;
    int code = GetUnitCode();
    int convert = 1;
    if (theProjectOptionsHooks.unitDialog(code, convert) != 1) return 0;
    SetUnitSystem(code, convert);
    InvalidateModelView();
    return 1;
}

void CProjectOptions::EnterPlaneModelMode()
{
    bPlaneModel = 1;
    bAxisGridsInElevations = 1;
    if (theViewLink.enterYZPlane) theViewLink.enterYZPlane();
}

bool CProjectOptions::AxisGridInView() const
{
    const int mode = ViewProjectionMode();
    return mode == 1 || (mode == 2 && bAxisGridsInElevations);
}

// ---- solver data file -------------------------------------------------------------------

namespace {

void WriteLoadCaseField(DKorvaDataFile& file, const char* key, int loadCase)
{
    file << key;
    for (int i = 1; i < loadCase; ++i) file << 0;
    file << 1;
}

}  // namespace

void CProjectOptions::WriteTField(DKorvaDataFile& file) const
{
    WriteLoadCaseField(file, "T=", nTemperatureLoadCase);
}

void CProjectOptions::WritePField(DKorvaDataFile& file) const
{
    WriteLoadCaseField(file, "P=", nPrestressLoadCase);
}

void CProjectOptions::WriteGravityDir(DKorvaDataFile& file) const
{
    if (!bSelfWeight) return;
    file << "X=" << fSelfWeightDir[0] << "Y=" << fSelfWeightDir[1] << "Z=" << fSelfWeightDir[2];
}

bool PointsCoincide(const double a[3], const double b[3])
{
    const CProjectOptions& o = theProjectOptions;
    return std::fabs(a[2] - b[2]) <= o.fVertNodeSpacing && std::fabs(a[0] - b[0]) <= o.dHorzNodeSpacing &&
           std::fabs(a[1] - b[1]) <= o.dHorzNodeSpacing;
}
