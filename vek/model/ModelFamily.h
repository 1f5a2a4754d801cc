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

// The checks and clean-ups that the model data check and the deletion of
// unused data ask of the families, in the order they run.
enum class ECheck : int {
    WindExposure,    // wind data only on elements exposed to the wind
    Merge,           // coincident objects merged, duplicates deleted
    FreeNodes,       // nodes no element uses: asked, then deleted
    StoredNumbers,   // stored numbers agree with the store; true when one was put right
    HistoryData,     // time-history curves and loads against the model
    Displacements,   // prescribed displacements on nodes that exist
    WindParameters,  // the wind parameters' own check
    Elements,        // the family's own checks of its elements
    MissingNodes,    // objects on nodes that do not exist are deleted
    Piles,           // pile marks and soil layers
    PurgeUnused,     // loads, sections and records nothing refers to are deleted
};

// An element of a model built from result files, as the result files give it.
struct CResultElement {
    int id = 0;
    // Frames: 0 ordinary, 1 steel, 2 variable section. Solids: 1 hexahedron,
    // 2 tetrahedron, 3 prism. Springs: the spring type.
    int kind = 0;
    int nodeCount = 0;
    int nodes[21] = {};
    // Curved beams and pipes: the reference direction. Grounded springs: the
    // spring's direction (hasDirection set).
    float direction[3] = {0, 0, 0};
    bool hasDirection = false;
    double stiffness = 0;  // springs
};

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
    // Elements lying in a horizontal plane (beams in plan).
    virtual bool IsHorizontal(int pos) const { return false; }

    // Nodes: the coordinates of a node by number; false when it does not exist.
    virtual bool GetCoordinates(int id, double out[3]) const { return false; }
    virtual void SetCoordinates(int id, const double p[3]) {}
    // Where the node is drawn: displaced while a deformed shape is shown.
    virtual bool GetDrawCoordinates(int id, double out[3]) const { return GetCoordinates(id, out); }
    // Nodes: the translations a result picture shows at the node (by
    // position), and the magnification they are drawn with.
    virtual void SetDisplacement(int pos, const double d[3]) {}
    virtual void SetDisplacementScale(double k) {}

    // Objects held inside an object (a region's own list).
    virtual int GetInnerCount(int pos) const { return 0; }
    virtual CObjectBase* GetInnerAt(int pos, int k) { return nullptr; }

    // Scales the family's part of the model for a unit change.
    virtual void ScaleUnits(EUnitStep step, const CUnitFactors& f) {}
    // Grows the store ahead to hold n objects; false when memory is short.
    virtual bool Reserve(int n) { return true; }
    // Draws one object again after a change of its state.
    virtual void Redraw(int pos) {}

    // ---- the document's model operations ----
    // Empties the store and the lists and records that belong to it.
    virtual void Clear() {}
    // Moves an object to another number; false when that number is in use.
    virtual bool ChangeID(int from, int to) { return false; }
    // Converts every reference to this family's numbers, anywhere in the
    // model, through map (map[old - 1] = new; n entries).
    virtual void RemapReferences(const int* map, int n) {}
    // Puts node number k (0-based, in GetNodes order) of an element.
    virtual void SetNode(int pos, int k, int node) {}
    // Elements' 1-based material numbers (0 none).
    virtual bool HasMaterials() const { return false; }
    virtual int GetMaterial(int pos) const { return 0; }
    virtual void SetMaterial(int pos, int material) {}
    // The 16-bit layer index.
    virtual int GetLayer(int pos) const { return 0; }
    virtual void SetLayer(int pos, int layer) {}
    // Nodes: how many element ends use the node; its restraint byte.
    virtual void SetUseCount(int pos, int count) {}
    virtual int GetUseCount(int pos) const { return 0; }
    virtual int GetRestraints(int pos) const { return 0; }
    // The translations (bit 0 X, 1 Y, 2 Z) that objects of the family tie to
    // the ground besides the nodes' restraint bytes (prescribed
    // displacements, grounded springs).
    virtual unsigned GroundedTranslations() const { return 0; }
    // Beams marked as piles (the restraint test then is the piles' business).
    virtual bool HasPiles() const { return false; }
    // Walls with openings.
    virtual bool HasOpenings() const { return false; }
    // One check of the model data check; 1 when it found nothing.
    virtual int RunCheck(ECheck step) { return 1; }
    // The load change of the load-direction panel on one object: its loads
    // reversed or deleted, with its own undo records.
    virtual void ChangeLoads(int pos) {}
    // Thickness of plane elements; four corner thicknesses of shells.
    virtual void SetThickness(int pos, const float* thickness, int n) {}
    // Adds an element (a node: nodes[0..2] unused, see AddResultNode) of a
    // model built from result files; false when the store cannot take it.
    virtual bool AddFromResults(const CResultElement& element) { return false; }
    virtual bool AddResultNode(int id, const double xyz[3], int restraints, int useCount) { return false; }
};

// The family of the table's entry; an empty family when none is registered.
CModelFamily& ModelFamily(EFamily f);
// Whether a family of this build is registered (else its store is empty and
// takes nothing).
bool IsModelFamilyRegistered(EFamily f);
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
