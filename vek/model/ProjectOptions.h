#pragma once
// The project's options: the current command, undo limit, autosave interval,
// unit system, self-weight, plane-element and generation switches, node
// spacing tolerances, the text font, and the display and result-display
// settings. The first block of the project file; the display settings are
// also kept in the profile.
#include <cstdint>

class bofstream;
class bifstream;
class DKorvaDataFile;
class CRunProfile;

// The text font as the Windows font record lays it out: 60 bytes.
struct ProjectFont {
    int32_t height;
    int32_t width;
    int32_t escapement;
    int32_t orientation;
    int32_t weight;
    uint8_t italic;
    uint8_t underline;
    uint8_t strikeOut;
    uint8_t charSet;
    uint8_t outPrecision;
    uint8_t clipPrecision;
    uint8_t quality;
    uint8_t pitchAndFamily;
    char faceName[32];
};
static_assert(sizeof(ProjectFont) == 60, "the font record is stored raw");

class CProjectOptions {
public:
    // Bits of the option word.
    enum : uint32_t {
        kCounterClockwiseShells = 1u << 0,  // nodes of generated shells turned counter-clockwise
        kNoAutoSplit = 1u << 1,             // elements are not split during generation
        kLighting = 1u << 2,
        kNoMomentTransfer = 1u << 3,  // no moments between beams, shells and plane or 3-D elements
        kUnitShift = 16,
        kUnitMask = 0xFFu << 16,
        kWallVerticalMerge = 1u << 24,
        kSplitCurrentStoreyWalls = 1u << 25,
        kAutoScroll = 1u << 26,
        kMaxOverShownOnly = 1u << 27,  // result maxima over displayed objects only
    };
    // Bounds the record keeps.
    static constexpr int kMinAutoSaveInterval = 120000;
    static constexpr int kMaxAxisGrids = 20;

    CProjectOptions();
    // Defaults of every field but the profile's; the unit code is kept and the
    // record is then set to unit system 0.
    void SetDefaults();

    // The project-file block (255 bytes). 1 when every byte was written.
    int Write(bofstream& out) const;
    // Reads the block of a file of version nPrjVersion. 0 when the stream
    // failed or a value is out of its range: the record is then unchanged.
    int Read(bifstream& in);
    // The bytes older files keep after the block; 0 on a failed stream.
    int ReadLegacyTail(bifstream& in);

    // The display settings in the profile: "Settings"/"DispSet" and "GlobalDispSet".
    void WriteDisplayProfile(CRunProfile& profile) const;
    void ReadDisplayProfile(CRunProfile& profile);

    // Clears the undo stack, converts the model when asked, and sets the
    // unit code, gravity and unit texts.
    void SetUnitSystem(int unitCode, int convert);
    // The unit dialog; TRUE (1) when the user confirmed.
    int ChooseUnitSystem();
    // The model becomes a plane model in the global Y-Z plane.
    void EnterPlaneModelMode();
    // Axis grids are drawn in the plan view, and in elevations when asked.
    bool AxisGridInView() const;
    // Asks to reduce a vertical node spacing too large for the smallest
    // storey (after the options dialog and storey edits).
    void CheckVerticalSpacing();

    // Fields of the solver data file's element blocks.
    void WriteTField(DKorvaDataFile& file) const;
    void WritePField(DKorvaDataFile& file) const;
    void WriteGravityDir(DKorvaDataFile& file) const;

    int GetUnitCode() const { return static_cast<int>((nOptionWord & kUnitMask) >> kUnitShift); }
    bool HasOption(uint32_t bit) const { return (nOptionWord & bit) != 0; }
    void SetOption(uint32_t bit, bool on) { nOptionWord = on ? (nOptionWord | bit) : (nOptionWord & ~bit); }

    // Fields in their stored order of meaning; widths are the file's.
    int32_t nCurrentCommand;  // code of the running interactive operation, 0 none
    char szProjectName[12];   // project base name without extension
    int32_t nUndoLimit;
    int32_t nAutoSaveInterval;    // milliseconds
    uint8_t nElementInfoContent;  // 1 model data, 2 results, 3 both
    uint8_t bPlaneModel;          // plane model in the global Y-Z plane
    float fGravity;
    uint8_t bSelfWeight;
    uint8_t bWindSwitchA;
    uint8_t bWindSwitchB;
    float fSelfWeightDir[3];
    uint8_t bStoreyLookup;  // new nodes find existing ones through their storey
    uint32_t nOptionWord;
    uint8_t reserved[2];  // stored with the option word, kept as read
    int16_t nPrestressLoadCase;
    int16_t nTemperatureLoadCase;
    uint8_t n3DElementType;  // 1: with rotational degrees of freedom
    float fLoadDisplayScale;
    uint8_t bStabilityAnalysis;
    uint8_t bMeshNodesSplit;
    uint8_t nWallHorzDivision;  // 1..4
    uint8_t nWallVertDivision;  // 1..4
    uint8_t nSnapTargetSize;    // pixels
    uint8_t bShellAveragedResults;
    uint8_t nSortOrder;  // renumbering order 1..8
    float fZoomRatio;
    uint8_t bFormCombinations;
    uint8_t bFixLevel0Nodes;
    int32_t nAxisGridCount;  // 0..kMaxAxisGrids
    uint8_t bAxisGridsInElevations;
    uint8_t nPlaneElementType;  // 0 axisymmetric, 1 plane strain, 2 plane stress
    uint8_t nPlaneGaussPoints;  // 1 four-point, 2 eight-point
    float fPlaneThickness;
    int16_t nAngVelocityLoadCase;
    int16_t nAngAccelerationLoadCase;
    float fAngVelocity;
    float fAngAcceleration;
    uint8_t bHingedBoundRegions;
    uint8_t nSelectMethod;  // 0..2
    uint8_t nPickOption;
    uint8_t nGenerateMethod;
    double dHorzNodeSpacing;
    float fVertNodeSpacing;
    double dTextSize;  // length units
    ProjectFont textFont;
    uint8_t bHiddenSurface;
    uint8_t bFilledBorders;
    double dBorderDepthOffset;
    int16_t nCurrentLoadCase;
    uint8_t nMouseSensitivity;  // 1..20
    uint8_t nContourColors;     // 10, 20 or 240
    uint8_t bShellAxesRedefined;
    double dD1Direction[3];
    double dSpareDirection[3];
    int16_t nResultSelectors[6];  // 1-based, 0 none
    int16_t nHighestStage;
    int16_t nMaxDisplacementPixels;
    uint8_t bCurvedDeformation;
    uint8_t bShowUndeformed;
    int16_t nAnimationFrames;
    int16_t nAnimationInterval;  // milliseconds
    int16_t nForceDiagramSize;   // percent of the structure's span
    uint8_t bResultDisplaySwitch;
    uint8_t bLabelForceValues;
    uint8_t bLabelLargestOnly;
    uint8_t bTextAcrossLines;
    uint8_t bColourLegend;
    uint8_t bUseContourRange;
    double dContourMin;
    double dContourMax;
    uint8_t bContourFades;

private:
    void ApplyDisplayDefaults();
};

extern CProjectOptions theProjectOptions;

// Texts of the unit system in force.
extern char strLengthUnit[8];
extern char strMassUnit[12];
extern char strForceUnit[8];
extern char strElasticPrompt[40];
extern char strWeightPrompt[40];
extern char strMassPrompt[40];

// Two points count as one within the node spacing tolerances (inclusive).
bool PointsCoincide(const double a[3], const double b[3]);

// Work of other parts that the options call; each owner binds its own.
// Unbound, nothing is converted, no undo is cleared and the unit dialog is
// not offered (ChooseUnitSystem returns 0).
struct ProjectOptionsHooks {
    void (*clearUndo)() = nullptr;
    void (*convertModelUnits)(int fromCode, int toCode) = nullptr;
    // The unit dialog: code and convert option in and out; 1 on OK.
    int (*unitDialog)(int& unitCode, int& convert) = nullptr;
};
extern ProjectOptionsHooks theProjectOptionsHooks;
