#pragma once
// The storey table (heights, top elevations, display flags per storey) and
// the range of storeys that drawing and selection work on.
#include <cstdint>

class bofstream;
class bifstream;
struct CKvdDataSet;

// The most storeys a model may have: the top elevation of every storey must
// fit the elevation array, whose 200th slot holds the base elevation.
constexpr int kMaxStoreys = 199;

class CLevelRange {
public:
    CLevelRange() { Reset(); }
    void Reset() { first = last = step = 1; }
    // first <= s <= last and (s - first) a multiple of step.
    bool Contains(int s) const;
    bool Write(bofstream& out) const;
    // A step below 1 is read as 1.
    bool Read(bifstream& in);

    int32_t first, last, step;
};

class CLevelTable {
public:
    CLevelTable() { Reset(); }
    // No storeys, every height and elevation 0, every storey shown.
    void Reset();
    // Heights and elevations of the storeys in use, and the base elevation.
    void ScaleUnits(double L);

    int GetCount() const { return count; }
    // 0 for a storey outside 0..count; the base elevation for 0; else the
    // storey's top elevation.
    double GetElevation(int s) const;
    // The storey of a height: -1 without storeys; a top elevation belongs to
    // the storey above.
    int FindStorey(double z) const;
    // Brings the current storey into the storey range and shows the storeys
    // of the range (plan) or the current one; true when a flag went on.
    bool ShowCurrentStorey();
    // Top elevations as running sums of the heights.
    void RecomputeElevations();
    double SmallestHeight() const;

    // Display flag of a storey s = -1 (no storey) .. count.
    uint8_t& Shown(int s) { return flags[s + 1]; }

    bool Write(bofstream& out) const;
    // A count outside 0..kMaxStoreys fails the read and leaves the table.
    bool Read(bifstream& in);

    // The level records of the library file: the unstoreyed and base levels,
    // then one per storey.
    void Export(CKvdDataSet& set);

    int32_t count;
    int32_t current;  // the work-platform storey
    double heights[200];
    double elevations[199];
    double baseElevation;
    uint8_t flags[202];
};

extern CLevelTable theLevels;
extern CLevelRange theLevelRange;

// The storey table's levels and the layers, for the library file; nothing
// without a data set.
void ExportLevelsAndLayers(CKvdDataSet* set);
