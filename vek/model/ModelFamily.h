#pragma once
// How the model's records reach the element families without knowing their
// classes: one object per family in a fixed table. A family registers its
// object when it is built; a family that is not registered is empty.
#include <cstdint>

class CObjectBase;

// The families, in the table's order: the order of the display ranges, then
// the stores that have no range.
enum class EFamily : int {
    Nodes,
    Frames,
    Walls,
    Shells,
    Solids,
    Planes,
    Trusses,
    Cframes,
    Pipes,
    Springs,
    StiffRegions,
    Integrals,
    PenaltyLinks,
    BoundLines,
    BoundRects,
    BoundArcs,
    BoundCircles,
    BoundEllipses,
    BoundSplines,
    HistoryCurves,
    Count
};
constexpr int kFamilyCount = static_cast<int>(EFamily::Count);

// The three ratios of a unit change, new unit over old one.
struct CUnitFactors {
    double F = 1;  // force
    double M = 1;  // mass
    double L = 1;  // length
};

// The parts of the model scaled by a unit change, in the order they are
// scaled. A family is asked for the parts that are its own.
enum class EUnitStep : int {
    TextSize,
    AxisGrids,
    GridNodes,
    ColumnParameterLength,
    ViewProjection,
    Storeys,
    WorkingPlane,
    FrameLoads,
    FrameSections,
    VframeSections,
    Materials,
    FrameParameters,
    TightWires,
    Frames,
    DefaultTightWire,
    SframeSections,
    Nodes,
    NodeAttributes,
    NodeValueList1,
    Springs,
    NodeValueList2,
    PrescribedDisplacements,
    SnapState,
    Shells,
    ShellLoads,
    ShellParameters,
    Slabs,
    SolidLoads,
    SolidParameters,
    Walls,
    StiffRegions,
    WindParameters,
    WallLoads,
    WallParameters,
    Planes,
    PlaneLoads,
    PlaneParameters,
    Boundaries,
    Reinforcement,
    Spectrum,
    HistoryCurves,
    TrussSections,
    Cframes,
    CframeSections,
    CframeLoads,
    Pipes,
    PipeSections,
    Integrals,
    Count
};
constexpr int kUnitStepCount = static_cast<int>(EUnitStep::Count);

// What the model's records ask of an element family. Positions run over the
// store in its own order (ascending number); numbers are the objects' IDs.
// Every operation has the answer of an empty family.
class CModelFamily {
public:
    virtual ~CModelFamily() = default;

    virtual int GetCount() const { return 0; }
    // The largest number in use, 0 when the store is empty.
    virtual int GetLastID() const { return 0; }
    virtual CObjectBase* GetAt(int pos) { return nullptr; }
    virtual int GetID(int pos) const { return 0; }
    // The position of the object with that number, -1 when there is none.
    virtual int IndexOfID(int id) const { return -1; }
    bool IsValidID(int id) const { return IndexOfID(id) >= 0; }

    // The object's storey field (-1 none); families without one answer -1.
    virtual int GetStorey(int pos) const { return -1; }
    virtual void SetStorey(int pos, int storey) {}
    // Lets the family work the storey out by its own rule (nodes from their
    // elevation, solids and regions from their nodes) and store it; returns it.
    virtual int RecomputeStorey(int pos) { return GetStorey(pos); }

    // Construction stage: negative numbers are fixed by the user.
    virtual bool HasStages() const { return false; }
    virtual int GetStage(int pos) const { return 0; }
    virtual void SetStage(int pos, int stage) {}

    // The node numbers of an element in its own order (corners first); at most
    // max are written. Returns how many the element has. A number of 0 or
    // less marks an unused corner.
    virtual int GetNodes(int pos, int* out, int max) const { return 0; }
    // Puts node number k (0-based, in GetNodes order) of an element.
    virtual void SetNode(int pos, int k, int node) {}
    // Elements lying in a horizontal plane (beams in plan).
    virtual bool IsHorizontal(int pos) const { return false; }

    // Nodes: the coordinates of a node by number; false when it does not exist.
    virtual bool GetCoordinates(int id, double out[3]) const { return false; }
    virtual void SetCoordinates(int id, const double p[3]) {}
    // Where the node is drawn: displaced while a deformed shape is shown.
    virtual bool GetDrawCoordinates(int id, double out[3]) const { return GetCoordinates(id, out); }

    // Objects held inside an object (a region's own list).
    virtual int GetInnerCount(int pos) const { return 0; }
    virtual CObjectBase* GetInnerAt(int pos, int k) { return nullptr; }

    // Scales the family's part of the model for a unit change.
    virtual void ScaleUnits(EUnitStep step, const CUnitFactors& f) {}
    // Grows the store ahead to hold n objects; false when memory is short.
    virtual bool Reserve(int n) { return true; }
    // Draws one object again after a change of its state.
    virtual void Redraw(int pos) {}
    // The 16-bit layer index.
    virtual int GetLayer(int pos) const { return 0; }
    virtual void SetLayer(int pos, int layer) {}
};

// The family of the table's entry; an empty family when none is registered.
CModelFamily& ModelFamily(EFamily f);
// Registers a family (nullptr: none); returns the one registered before.
CModelFamily* RegisterModelFamily(EFamily f, CModelFamily* family);

// A family's whole store, for range-for walks over positions.
struct CFamilyPositions {
    int n;
    struct It {
        int i;
        int operator*() const { return i; }
        It& operator++()
        {
            ++i;
            return *this;
        }
        bool operator!=(const It& o) const { return i != o.i; }
    };
    It begin() const { return {0}; }
    It end() const { return {n}; }
};
inline CFamilyPositions Positions(const CModelFamily& f)
{
    return {f.GetCount()};
}

// Node coordinates by number through the nodes family.
bool NodeCoordinates(int id, double out[3]);
