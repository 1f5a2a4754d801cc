#pragma once
// The beam-column: a straight member between two nodes with its section,
// material, local axes, end releases, rigid ends, eccentricities, loads per
// load case and cables; and the one store of all of them, theFrames, keyed
// by frame number.
#include <cstdint>

#include "containers/MArrayID.h"
#include "korvalib/model/KeyedLists.h"
#include "korvalib/model/LineElements.h"
#include "vek/model/ObjectBase.h"

class bofstream;
class bifstream;

// Attribute word of a frame.
enum : uint32_t {
    kFrameKindMask = 3u,          // 0 general, 1 steel, 2 variable section (3 reads as variable)
    kFrameAxisMask = 3u << 2,     // local-axis code
    kFrameOutputMask = 15u << 4,  // interior force-output sections
    kFramePile = 1u << 8,
    kFrameAxialMask = 3u << 9,  // 0 ordinary, 1 tension only, 2 compression only
    kFrameEgrf = 1u << 11,
    kFrameEnd1Shift = 24,  // end-connection code of the first end (4 bits)
    kFrameEnd2Shift = 28,  // and of the second end
    // A new frame: one interior output section, bits 16, 18 and 19.
    kFrameNewAttributes = (1u << 4) | (1u << 16) | (1u << 18) | (1u << 19),
};

// Full release of a degree of freedom, in percent.
constexpr uint8_t kFullRelease = 100;

// The steel member design data every frame keeps (112 bytes on file).
struct CSteelDesignBlock {
    float head[3] = {1, 1, 1};
    int32_t refs[10] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0};  // end-connection frames, 0 none
    float tail[15] = {1, 1, 1, 1, 1, 150, 250, 0, 0, 0, 0, 0, 0, 1, 1};
};
static_assert(sizeof(CSteelDesignBlock) == 112, "the design block is stored as 112 bytes");

class CFrame : public CObjectBase {
public:
    CFrame();
    // Between two nodes, on the current layer, in the storey of the higher
    // storey field of the two, with its local axes worked out.
    CFrame(int nodeI, int nodeJ);
    CFrame(const CFrame& o);
    CFrame& operator=(const CFrame& o);
    ~CFrame() = default;

    int GetDisplayState() override;

    // The record of the frame block for the project version in force.
    int Serialize(bofstream& out);
    int Serialize(bifstream& in);
    // The least bytes one record takes in any accepted version.
    static constexpr int kMinStreamBytes = 4 + 12 + 4 + 12 + 24 + 6 + 2 + 2;

    double GetLength() const;
    int CanHoldRigidEnds(double rigidI, double rigidJ) const;
    // The kind bits of the attribute word: 3 is read as variable.
    int GetSectionKind() const
    {
        const int k = int(m_nAttr & kFrameKindMask);
        return k == 3 ? 2 : k;
    }
    void SetSection(int number, int kind);
    // From the current section kind and number; no section means kind 0.
    void SetSectionFromCurrent();
    int GetAxisCode() const { return int(m_nAttr >> 2 & 3u); }
    void SetAxisCode(int code) { m_nAttr = (m_nAttr & ~kFrameAxisMask) | (uint32_t(code & 3) << 2); }
    int GetOutputSections() const { return int(m_nAttr >> 4 & 15u); }
    void SetOutputSections(int n) { m_nAttr = (m_nAttr & ~kFrameOutputMask) | (uint32_t(n & 15) << 4); }
    int GetAxialType() const { return int(m_nAttr >> 9 & 3u); }
    void SetAxialType(int t) { m_nAttr = (m_nAttr & ~kFrameAxialMask) | (uint32_t(t & 3) << 9); }
    bool IsPile() const { return (m_nAttr & kFramePile) != 0; }
    int GetEndCode(int end) const { return int(m_nAttr >> (end == 0 ? kFrameEnd1Shift : kFrameEnd2Shift) & 15u); }
    int IsEndReleased(int mode) const;
    void ScaleUnits(double lengthFactor);
    bool IsHorizontal() const;
    bool IsVertical() const;
    int IsOnWorkPlane() const;
    // 1 with the unit axis in out; 0 when it cannot be worked out.
    int GetLocalAxis(int which, double out[3]) const;
    void ComputeLocalAxes();
    // The attributes the copy options ask for; loads recorded for undo.
    void CopyProperties(const CFrame& source, int withLoads, int withAxis);
    // 0 when a point of a load lies beyond the member.
    int CheckLoadPositions() const;
    // The steel design block is stored (and copied) for steel sections and
    // for frames without a section.
    bool KeepsDesignBlock() const { return GetSectionKind() == 1 || m_nSection == 0; }

    // Drawing (the model drawing pass and the edits).
    void Draw();
    void GetDrawEnds(const double pointI[3], const double pointJ[3], double outI[3], double outJ[3]) const;
    void DrawMember(const double pointI[3], const double pointJ[3]);
    void DrawColumnSymbol(const double pointI[3]);
    void DrawReleaseMarkers(const double pointI[3], const double pointJ[3]);
    void DrawLocalAxisMarker();
    // The label texts switched on, one per line; returns how many.
    int BuildLabels(char (*lines)[64], int max) const;
    // The widths across the view of the section outline placed between the
    // two points (0.3 without a section; end J's own only for variable sections).
    void BuildOutline(const double pointI[3], const double pointJ[3], double& widthI, double& widthJ) const;

    int16_t m_nStorey = -1;
    uint16_t m_nLayer = 0;
    int32_t m_nID = 0;
    int32_t m_nNodeI = 0;
    int32_t m_nNodeJ = 0;
    uint16_t m_nSection = 0;
    uint16_t m_nMaterial = 0;
    float m_fRigid[2] = {0, 0};
    float m_fAngle = 0;  // radians
    double m_dRef[3] = {0, 0, 0};
    uint8_t m_cRelease[6] = {0, 0, 0, 0, 0, 0};
    float m_fEcc[4] = {0, 0, 0, 0};
    int16_t m_nWind[2] = {0, 0};
    int16_t m_nStage = 1;
    DTightWireIndex m_Wires;
    DElementLoad m_Loads;  // load case -> 1-based number in theFrameLoads
    uint32_t m_nAttr = kFrameNewAttributes;
    CSteelDesignBlock m_Steel;
};

// Frames are kept in blocks of 1024.
using CFrameStore = MArrayID<CFrame>;
extern CFrameStore theFrames;

inline CFrame* FindFrame(int id)
{
    return theFrames.IsValidID(id) ? theFrames.GetByID(id) : nullptr;
}

// The input of the column commands: the angle of new columns, degrees.
extern double theColumnAngleDegrees;
