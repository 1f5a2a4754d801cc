#pragma once
// Picking: a click, a window, a polygon or a crossing segment handed to the
// families, kind by kind in a fixed order, each asked when the selection
// filter takes its kind. Every family plugs its four routines into the
// table under its kind; a kind without routines selects nothing.
#include <cstdint>

#include "framework/WinTypes.h"

enum class EPickKind : int {
    Nodes,
    Beams,    // the beams alone (storey plans)
    Columns,  // the columns alone (storey plans)
    Frames,   // every beam-column
    Walls,
    Shells,
    Solids,
    Planes,
    Boundaries,
    Trusses,
    CurvedBeams,
    Pipes,
    Springs,
    IntegralLines,
    SmallRegions,
    AxisLines,
    AxisGridLine,
    Regions,
    Count
};
constexpr int kPickKindCount = static_cast<int>(EPickKind::Count);

// A family's routines. `single` is 1 when neither Shift nor Ctrl is held (a
// hit on a selected object then deselects it; with either held a hit only
// adds); `storeyRange` asks, in a storey plan, for the same state on the
// matching objects of the other storeys of the range. Each returns non-zero
// when it selected anything.
struct CPickRoutines {
    int (*atPoint)(int x, int y, int single, int storeyRange) = nullptr;
    int (*inWindow)(POINT a, POINT b, int single, int storeyRange) = nullptr;
    int (*inPolygon)(const POINT* points, int n, int single, int storeyRange) = nullptr;
    int (*acrossSegment)(POINT a, POINT b, int single, int storeyRange) = nullptr;
    // Clears the selection of the kind's objects (the families of the model
    // table are cleared through the table without it).
    void (*unselectAll)() = nullptr;
    // True when an object of the kind is selected.
    bool (*anySelected)() = nullptr;
};

// The routines of a kind (empty routines when none are registered).
const CPickRoutines& PickRoutines(EPickKind kind);
// Registers a kind's routines (nullptr: none); returns the ones before.
const CPickRoutines* RegisterPickRoutines(EPickKind kind, const CPickRoutines* routines);

// The dispatchers. The storey-range flag is passed on to the routines.
int PickAtPoint(int x, int y, int storeyRange);
int PickInWindow(POINT a, POINT b, int storeyRange);
int PickInPolygon(const POINT* points, int n, int storeyRange);
int PickAcrossSegment(POINT a, POINT b, int storeyRange);

// Clears the selection of every object of every kind and redraws.
void UnselectAll();
// True as soon as one object of a kind the filter takes (or of any kind) is selected.
bool HasSelectedObjects(bool anyKind = true);

// The nodes' own routines, over the model's node family: the nearest shown
// node within the pick aperture, and the shown nodes inside a window or a
// polygon. They are the node kind's routines until the node family
// registers its own.
extern const CPickRoutines kNodePickRoutines;
// The nearest shown node to a pixel within the aperture (x and y within it,
// bounds included, and nearer than it); 0 when none. Ties go to the first
// in store order.
int NearestShownNode(int x, int y, int aperture, double out[3]);
