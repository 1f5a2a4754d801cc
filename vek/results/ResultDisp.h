#pragma once
// Which results are shown and in which forms: one object holding every result
// picture that can be switched on, the result filter and the animation state,
// the refresh after the user picks another load case, combination, mode, step,
// direction, buckling mode or stage, and the caption line naming what is shown.
// The pictures' contents are filled by the picture builders through
// theResultDispHooks; unbound, a refresh leaves the picture as it is.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "containers/MArrayID.h"
#include "korvalib/results/Forces.h"

class bofstream;
class bifstream;

// One member's value of a display (steel check, axial compression ratio).
struct CMemberValue {
    int32_t m_nID = 0;
    double value = 0;
    static constexpr int kMinStreamBytes = 12;
    void Serialize(bofstream& out);
    void Serialize(bifstream& in);
};

// One member's diagram values: per section its position from end i and one
// value, or (maximum and minimum envelope) two.
struct DiagramMember {
    int32_t m_nID = 0;
    std::vector<std::array<double, 3>> sect;
};

// The contour picture; its first byte is the contour kind (0 none; 1-4 and
// 11-16 follow the force combination, 5 load case, 6 displacement
// combination, 7 spectrum direction, 8 construction stage, 9 mode, 10
// buckling mode).
struct ContourState {
    uint8_t kind = 0;
    uint8_t component = 0;
    uint8_t envelope = 0;  // 0 current set, 1 largest value, 2 largest absolute value
    double largest = 1e-20;
    double smallest = 0;
    // One value per node (kinds 5-10), or per beam section (kind 11).
    std::vector<double> nodeValues;
    std::vector<DiagramMember> members;
    void Clear()
    {
        kind = 0;
        nodeValues.clear();
        members.clear();
    }
    bool FollowsForceCombination() const { return (kind >= 1 && kind <= 4) || (kind >= 11 && kind <= 16); }
};

// Deformed shapes and mode shapes: kinds 1-9 still, 11-19 animated.
struct DispPicture {
    int16_t kind = 0;
    int16_t frameCount = 0;
    uint8_t playing = 0;
    double scale = 1.0;
    double largest = 1e-20;
    int16_t currentFrame = 0;

    void Reset();
    // The displacement scale for the node drawing: pixels for the largest
    // displacement over the projection's pixels per model unit; 0 when off.
    void CalcScale(int pixels, double modelToScreen);
    // The same with the project's pixel setting and the view's projection.
    void CalcScale();
    bool GetCaption(std::string& text) const;
    // Removes every frame file of the stem in the temporary folder.
    void DeleteFrames(const char* stem);
};

// Node displacements as numbers: kind 1 load case, 2 displacement
// combination, 3 spectrum direction, 4 construction stage; component 0-5 or
// 6 and more for the resultant translation.
struct NodeDispValues {
    uint8_t kind = 0;
    uint8_t component = 0;
    double largest = 0;
    std::vector<double> values;

    void Clear();
    bool GetCaption(std::string& text) const;
};

struct PrincipalStressField {
    uint8_t on = 0;
    std::vector<double> vectors;
    void Clear()
    {
        on = 0;
        vectors.clear();
    }
};

// Force diagram of line members: element kind 1 frames, 2 trusses, 3 curved
// beams, 4 pipes; component 0-5; envelope 0 current combination, 1 maximum
// and minimum, 2 largest absolute value.
struct FrameForceDiagram {
    std::vector<DiagramMember> members;
    uint8_t elementKind = 0;
    uint8_t component = 0;
    double largest = 1e-20;
    double smallest = 0;
    float scale = 1.0f;
    uint8_t envelope = 0;

    void Clear();
    bool GetCaption(std::string& text) const;
};

// Member forces as numbers: element kind 1..7 (6 walls), envelope 0..3. In
// the envelopes each member keeps one section, its position slot holding the
// controlling combination (1.0 when each component is kept apart).
struct ForceText {
    ForceText() : store(0, 128) {}
    uint8_t elementKind = 0;
    uint8_t envelope = 0;
    uint8_t perWallLength = 0;
    uint8_t first = 0;
    uint8_t second = 0;
    double reference = 0;
    MArrayID<DFrameForce> store;
    uint8_t columns[6] = {1, 1, 1, 1, 1, 1};

    void Clear();
    bool GetCaption(std::string& text) const;
};

// Largest steel-check item: kind 1 largest value, 2 largest ratio to the limit.
struct SteelCheckDisp {
    SteelCheckDisp() : store(0, 128) {}
    uint8_t kind = 0;
    uint8_t item = 0;
    double largest = 0;
    MArrayID<CMemberValue> store;
    bool GetCaption(std::string& text) const;
};

// Reinforcement of concrete members: item bits 0-6, per-section and ratio flags.
struct ReinDisp {
    ReinDisp() : store(0, 128) {}
    uint8_t items = 0;
    uint8_t perSection = 0;
    uint8_t ratio = 0;
    MArrayID<DFrameRein> store;
    // The records of every concrete member while items are shown, else none.
    void Fill();
    bool GetCaption(std::string& text) const;
};

// Axial compression ratios: kind 1 current force combination, 2 all.
struct AxialRatioDisp {
    AxialRatioDisp() : store(0, 128) {}
    uint8_t kind = 0;
    double largest = 0;
    MArrayID<CMemberValue> store;
    bool GetCaption(std::string& text) const;
};

struct ResultFilter {
    uint8_t on = 0;
    uint8_t mode = 0;  // 0 share of the largest, 1 inside the interval, 2 outside
    float lowerPercent = 90;
    float upperPercent = 100;
    float lower = 0;
    float upper = 10;

    bool Accepts(double value, double reference) const;
    std::string GetDescription(bool severalSections) const;
    // The filter dialog with the present values; on OK they are stored with
    // each pair in ascending order. false on Cancel or without a dialog.
    bool Edit();
};

// The picture builders, the contour and the redraw that a selection change
// reaches. Each is bound by the Part that fills the picture.
struct ResultDispHooks {
    void (*fillNodeValues)() = nullptr;
    void (*updateContour)() = nullptr;
    // Shows the displacement picture of the kind again.
    void (*showDispPicture)(int kind) = nullptr;
    void (*updateFrameDiagram)() = nullptr;
    void (*updateForceText)() = nullptr;
    void (*fillPrincipalStress)() = nullptr;
    void (*fillAxialRatio)() = nullptr;
    // Recomputes a member's value range: 0 contour, 1 node values, 2 frame
    // force diagram, 3 force text, 4 steel check, 5 axial ratio.
    void (*calcRange)(int member) = nullptr;
    // The filter dialog (template 370); true on OK.
    bool (*editFilter)(ResultFilter& filter) = nullptr;
    // The tube joints' show switch: cleared, and whether it was on.
    bool (*clearJointsShown)() = nullptr;
};
extern ResultDispHooks theResultDispHooks;

class CResultDisp {
public:
    CResultDisp();
    ~CResultDisp();
    CResultDisp(const CResultDisp&) = delete;
    CResultDisp& operator=(const CResultDisp&) = delete;

    bool AnyShown() const;
    // Stops the animation and switches every picture off; with deleteFrames 1
    // (model cleared, exit) the animation's frame files are removed too.
    void CloseAll(int deleteFrames);
    // The menu's close-all: when a picture (or the tube joints) is shown,
    // everything is switched off, frames kept, and the model redrawn. Returns
    // whether anything was closed.
    bool CloseAllPictures();
    // Ranges of the six members with value ranges, from their present values.
    void RecalcRanges();

    void OnLoadCaseChanged();
    void OnDispCombChanged();
    void OnModeChanged();
    void OnTimeStepChanged();
    void OnSpectrumDirChanged();
    void OnBuckleModeChanged();
    void OnStageChanged();
    void OnForceCombChanged();
    // By the main frame's selector index (ResultCounts.h order).
    void OnSelectorChanged(int selector);

    // A wall force record as sections of a frame force; 0 when a segment the
    // record says it has is missing.
    int GetSectForceFromRecord(const DWallForce& wall, DFrameForce& out) const;

    // The captions of the shown pictures joined by blanks ("" when none).
    std::string GetCaptionLine() const;
    // Draws the caption line at the lower right of a window width x height.
    void DrawCaption(int width, int height) const;

    bool PassFilter(double value, double reference) const { return filter.Accepts(value, reference); }
    const char* FrameStem() const { return m_szFrameStem; }

    ContourState contour;
    DispPicture disp;
    NodeDispValues nodeValues;
    PrincipalStressField stress;
    FrameForceDiagram frameDiagram;
    ForceText forceText;
    SteelCheckDisp steelCheck;
    ReinDisp rein;
    AxialRatioDisp axialRatio;
    ResultFilter filter;

private:
    // The node values, contour or picture that follow a case selector; a
    // redraw when only the node values follow it, or always when asked.
    void RefreshCase(int valuesKind, int contourKind, int pictureKind, bool redrawAnyway);
    void ShowPicture();

    char m_szFrameStem[32];
};

extern CResultDisp theResultDisp;

// What the caption drawing asks of the view: the text drawn at window
// coordinates (y downwards) with its right and bottom edges at x, y.
struct ResultCaptionCanvas {
    void (*drawText)(int x, int y, int height, const char* text) = nullptr;
};
extern ResultCaptionCanvas theResultCaptionCanvas;
