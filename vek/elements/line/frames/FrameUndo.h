#pragma once
// The undo records of frames: a frame added or removed, a split or a
// combination, and one record per frame property on the swap template.
#include <array>
#include <cstdint>

#include "korvalib/model/KeyedLists.h"
#include "vek/edit/UndoRecords.h"
#include "vek/elements/line/frames/Frame.h"

// Display options shown while a frame property is redrawn.
constexpr int kShowFrameSections = kOptionWordBit + 2;
constexpr int kShowFrameMaterials = kOptionWordBit + 3;
constexpr int kShowFrameEnds = kOptionWordBit + 1;  // thickness, rigid ends, cables
constexpr int kShowFrameReleases = 24;
constexpr int kShowFrameLoads = 26;

struct CFrameAddTraits {
    using Object = CFrame;
    static int Id(const CFrame& f) { return f.m_nID; }
    static CFrame* Find(int id) { return FindFrame(id); }
    // Both end nodes exist.
    static bool CanInsert(const CFrame& f);
    static bool Insert(const CFrame& f);
    static bool CanRemove(const CFrame&) { return true; }
    static void Remove(int id);
};
// The quiet flag of the add record (rigid regions not told) is kept apart.
class CUndoAddFrame : public CUndoAddRemove<CFrameAddTraits> {
public:
    CUndoAddFrame(const CFrame& f, bool removed, bool quiet = false)
        : CUndoAddRemove<CFrameAddTraits>(f, removed), m_bQuiet(quiet ? 1 : 0)
    {
    }
    uint8_t m_bQuiet;
};

template <class V, int Option>
struct CFrameSwapBase {
    using Object = CFrame;
    using Value = V;
    static CFrame* Find(int id) { return FindFrame(id); }
    static void Draw(CFrame& f) { f.Draw(); }
    static constexpr int kShowOption = Option;
    static constexpr int kRebuild = 0;
};

template <class V, V CFrame::*Field, int Option>
struct CFrameFieldTraits : CFrameSwapBase<V, Option> {
    static V Get(const CFrame& f) { return f.*Field; }
    static void Set(CFrame& f, const V& v) { f.*Field = v; }
};

// Section number and the two kind bits.
struct CFrameSectTraits : CFrameSwapBase<std::array<uint16_t, 2>, kShowFrameSections> {
    static Value Get(const CFrame& f) { return {f.m_nSection, uint16_t(f.m_nAttr & kFrameKindMask)}; }
    static void Set(CFrame& f, const Value& v) { f.SetSection(v[0], v[1]); }
};
struct CFrameAxialTraits : CFrameSwapBase<uint8_t, kShowFrameReleases> {
    static Value Get(const CFrame& f) { return uint8_t(f.GetAxialType()); }
    static void Set(CFrame& f, const Value& v) { f.SetAxialType(v); }
};
struct CFrameAngleTraits : CFrameSwapBase<float, -1> {
    static Value Get(const CFrame& f) { return f.m_fAngle; }
    static void Set(CFrame& f, const Value& v)
    {
        f.m_fAngle = v;
        f.ComputeLocalAxes();
    }
};
struct CFrameEndTraits : CFrameSwapBase<std::array<float, 6>, kShowFrameEnds> {
    static Value Get(const CFrame& f)
    {
        return {f.m_fRigid[0], f.m_fRigid[1], f.m_fEcc[0], f.m_fEcc[1], f.m_fEcc[2], f.m_fEcc[3]};
    }
    static void Set(CFrame& f, const Value& v)
    {
        f.m_fRigid[0] = v[0], f.m_fRigid[1] = v[1];
        for (int i = 0; i < 4; ++i) f.m_fEcc[i] = v[size_t(2 + i)];
    }
};
// The local-axis definition: angle, reference and code, kept as they are.
struct CFrameAxisValue {
    float angle = 0;
    double ref[3] = {0, 0, 0};
    uint8_t code = 0;
};
struct CFrameAxisTraits : CFrameSwapBase<CFrameAxisValue, -1> {
    static Value Get(const CFrame& f);
    static void Set(CFrame& f, const Value& v);
};
struct CFrameReleaseTraits : CFrameSwapBase<std::array<uint8_t, 6>, kShowFrameReleases> {
    static Value Get(const CFrame& f)
    {
        Value v;
        for (int i = 0; i < 6; ++i) v[size_t(i)] = f.m_cRelease[i];
        return v;
    }
    static void Set(CFrame& f, const Value& v)
    {
        for (int i = 0; i < 6; ++i) f.m_cRelease[i] = v[size_t(i)];
    }
};
// End nodes: the nodes' use counts follow.
struct CFrameNodesTraits : CFrameSwapBase<std::array<int32_t, 2>, -1> {
    static Value Get(const CFrame& f) { return {f.m_nNodeI, f.m_nNodeJ}; }
    static void Set(CFrame& f, const Value& v);
};

using CUndoFrameSect = CUndoSwap<CFrameSectTraits>;
using CUndoAxisForceType = CUndoSwap<CFrameAxialTraits>;
using CUndoFrameMat = CUndoSwap<CFrameFieldTraits<uint16_t, &CFrame::m_nMaterial, kShowFrameMaterials>>;
using CUndoFrameAngle = CUndoSwap<CFrameAngleTraits>;
using CUndoFrameEnd = CUndoSwap<CFrameEndTraits>;
using CUndoFrameAxis = CUndoSwap<CFrameAxisTraits>;
using CUndoFrameLoad = CUndoSwap<CFrameFieldTraits<DElementLoad, &CFrame::m_Loads, kShowFrameLoads>>;
using CUndoFrameRelease = CUndoSwap<CFrameReleaseTraits>;
using CUndoFrameTightWire = CUndoSwap<CFrameFieldTraits<DTightWireIndex, &CFrame::m_Wires, kShowFrameEnds>>;
using CUndoFrameNodes = CUndoSwap<CFrameNodesTraits>;

// A split (kind 0) or a combination (kinds 1-4: odd, the kept frame's end I
// lay at the shared node; even, its end J). Redo joins for a non-zero kind
// and breaks for 0; Undo does the other.
class CUndoFrameBreakComb : public CUndoClass {
public:
    CUndoFrameBreakComb(int kind, int kept, int other, int node, const DElementLoad& loads, uint16_t section)
        : m_nKind(uint8_t(kind)), m_Loads(loads), m_nSection(section), m_nKept(kept), m_nOther(other), m_nNode(node)
    {
    }
    int Redo() override { return m_nKind ? Join() : Break(); }
    int Undo() override { return m_nKind ? Break() : Join(); }

    uint8_t m_nKind;
    DElementLoad m_Loads;
    uint16_t m_nSection;
    int32_t m_nKept;
    int32_t m_nOther;
    int32_t m_nNode;

private:
    int Break();
    int Join();
    void SwapKept(CFrame& kept);
    // The end of the kept frame that moves: 0 end I, 1 end J.
    int MovingEnd() const { return m_nKind == 0 ? 1 : (m_nKind % 2 ? 0 : 1); }
};

// A frame's use of its nodes: counts raised (+1) or lowered (-1, not below 0).
void AttachFrameNodes(const CFrame& f, int delta);
void ChangeNodeUse(int node, int delta);
