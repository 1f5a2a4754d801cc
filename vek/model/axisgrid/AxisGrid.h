#pragma once
// Axis grids: up to 20 named, placed and turned layouts of numbered axis
// lines (rectangular, polar, eccentric polar), the table form the axis-grid
// dialog edits, the grid nodes where lines cross, and the project-file block.
// Drawing, picking and snapping live with the view (vek/view/axisgrid).
#include <cstdint>
#include <string>

#include "analysis/AxisGridItem.h"
#include "containers/MLArray.h"
#include "containers/MLArraySort.h"
#include "vek/model/ObjectBase.h"

class bofstream;
class bifstream;

// One crossing point of axis lines, in global x and y (plan) or in the
// elevation plane's own coordinates.
struct GridNode {
    double x = 0, y = 0;
    // Both coordinates differ by less than the horizontal node spacing
    // (strictly); a NaN makes the nodes unequal.
    bool operator==(const GridNode& o) const;
    void Scale(double f)
    {
        x *= f;
        y *= f;
    }
};

// A list of axis lines in number order: left value the axis number, right
// value the position (a length, or an angle in degrees).
using CAxisList = MLArraySort<CAxisGridItem>;

// Number and position of line i (0-based) of a list.
int AxisNumber(const CAxisList& list, int i);
double AxisPosition(const CAxisList& list, int i);

class CAxisGrid final : public CObjectBase {
public:
    enum Kind : int32_t { kRectangular = 0, kPolar = 1, kEccentric = 2 };
    // What a reader accepts: longer names and lists are damage.
    static constexpr int kMaxNameBytes = 255;
    static constexpr int kMaxLines = 10000;

    CAxisGrid();
    CAxisGrid(const CAxisGrid& o);
    CAxisGrid& operator=(const CAxisGrid& o);
    ~CAxisGrid() = default;

    // A grid is always shown: whether it is drawn is its visible flag.
    int GetDisplayState() override { return 1; }

    // Keeps at most kMaxNameBytes bytes, cut before a split GBK character.
    void SetName(const char* text);
    const char* GetName() const { return m_name.c_str(); }
    int GetKind() const { return m_kind; }
    void SetKind(int kind) { m_kind = kind >= kRectangular && kind <= kEccentric ? kind : kRectangular; }
    // Origin and angle of rectangular and polar grids (degrees).
    void SetOrigin(double x, double y, double angleDeg);
    void GetOrigin(double& x, double& y, double& angleDeg) const;
    // Ray origin and circle centre of eccentric grids, and the angle (degrees).
    void SetEccentricCentres(float rayX, float rayY, float centreX, float centreY, double angleDeg);
    void GetEccentricCentres(float& rayX, float& rayY, float& centreX, float& centreY, double& angleDeg) const;
    double GetAngle() const { return m_angle; }  // radians
    bool IsVisible() const { return m_visible != 0; }
    void SetVisible(bool on) { m_visible = on ? 1 : 0; }

    // Local grid coordinates to global (or elevation) coordinates.
    void LocalToGlobal(const double local[2], double out[2]) const;

    // The dialog's table form: per line (number, spacing to the line before).
    void GetTables(CAxisList& first, CAxisList& second) const;
    // Builds both lists from tables; 0 (lists unchanged) when they would hold
    // more than kMaxLines lines.
    int SetFromTables(const CAxisList& first, const CAxisList& second);

    // Appends the crossing points to `nodes`; those that bound the grid's
    // extent also go to `extent` when given.
    void GenerateGridNodes(MLArray<GridNode>& nodes, MLArray<GridNode>* extent = nullptr) const;
    // A change of the length unit: origins and positions, not angles.
    void ScaleLengths(double factor);

    // One grid's record of the project file, by the project version.
    int Write(bofstream& out) const;
    // Reads into this only when the whole record is sound; 0 (stream failed) otherwise.
    int Read(bifstream& in);

    CAxisList& First() { return m_first; }
    CAxisList& Second() { return m_second; }
    const CAxisList& First() const { return m_first; }
    const CAxisList& Second() const { return m_second; }
    CAxisList& List(int which) { return which == 0 ? m_first : m_second; }
    const CAxisList& List(int which) const { return which == 0 ? m_first : m_second; }

private:
    int32_t m_kind = kRectangular;
    double m_origin[2] = {0, 0};
    float m_centres[4] = {0, 0, 0, 0};  // ray x, centre x, ray y, centre y
    double m_angle = 0;                 // radians
    uint8_t m_visible = 1;
    std::string m_name;
    CAxisList m_first;
    CAxisList m_second;
};

// The model's axis grids: 20 slots, the first count of them in use. The
// count is also the project options' field, kept equal on every change.
class CAxisGridList {
public:
    static constexpr int kMaxGrids = 20;

    CAxisGridList() = default;
    ~CAxisGridList() { RemoveAll(); }
    CAxisGridList(const CAxisGridList&) = delete;
    CAxisGridList& operator=(const CAxisGridList&) = delete;

    int GetCount() const { return m_count; }
    CAxisGrid* GetAt(int i) const { return i >= 0 && i < m_count ? m_slots[i] : nullptr; }
    // Takes the grid; 0 (grid deleted) when all slots are in use.
    int Add(CAxisGrid* grid);
    void RemoveAll();
    // Deletes the grids whose flag bit 0 is set, closing the gaps; returns how many.
    int RemoveSelected();
    // Takes the grids of `other` (which is left empty) in place of these.
    void Swap(CAxisGridList& other);

private:
    void SyncCount();
    CAxisGrid* m_slots[kMaxGrids] = {};
    int m_count = 0;
};

extern CAxisGridList theAxisGrids;
extern MLArray<GridNode> theGridNodes;

// The box of the grid nodes that bound the grids (their extent), in the
// grid nodes' coordinates; `valid` is false without nodes.
struct CGridNodeBox {
    bool valid = false;
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
};
extern CGridNodeBox theGridNodeBox;

// Empties the grid nodes and, while axis grids are shown, collects those of
// every visible grid again.
void RegenerateGridNodes();

// The block of the project file: every grid's record (the count travels in
// the project options). The reader reads the options' count of grids and
// replaces the grids only when the whole block is sound.
int WriteAxisGrids(bofstream& out);
int ReadAxisGrids(bifstream& in);

// The unit conversion's shares: every grid; every grid node (and their box).
void ScaleAxisGrids(double factor);
void ScaleGridNodes(double factor);
