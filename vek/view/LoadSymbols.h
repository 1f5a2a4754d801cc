#pragma once
// Load symbols: the common arrow scale, the arrow builders and the drawers
// of each family's loads of the current load case.
#include <cstdint>

class DNodeLoad;
class DFrameLoad;
class DShellLoad;
class DWallLoad;
class DPlaneLoad;
class DSol21Load;

struct LoadSymbolScale {
    double baseLength = 0.1;     // the largest load's arrow length, model units
    double lengthPerUnit = 1.0;  // arrow length per unit load
    // From the extent box, the load-symbol factor and the largest load of the model.
    void Update();
};

extern LoadSymbolScale theLoadSymbolScale;

// The largest absolute load value of one family's load table; the families
// register theirs.
using LargestLoadSource = double (*)();
void AddLargestLoadSource(LargestLoadSource source);
void ClearLargestLoadSources();
double LargestLoad(const DNodeLoad& load);
double LargestLoad(const DFrameLoad& load);
double LargestLoad(const DShellLoad& load);
double LargestLoad(const DWallLoad& load);
double LargestLoad(const DPlaneLoad& load);
double LargestLoad(const DSol21Load& load);

// The colour of an element's loads from the two low bits of its flag word.
uint32_t LoadSymbolColour(uint32_t flags, uint32_t familyColour);

// Rows of arrows are at most this many arrows long.
constexpr int kMaxRowArrows = 1000;

// An arrow ending on the loaded point; 0 (the tail is the point) for a
// value below 1e-10 in size.
int DrawLoadArrow(const LoadSymbolScale& scale, const double* point, const double* direction, double value,
                  const double* viewDir, uint32_t colour, const char* layer, int doubleHead, int label,
                  double* tailOut = nullptr);

struct LoadArrowRow {
    const double* second = nullptr;  // the row's second point
    double q1 = 0, q2 = 0;           // values at both ends
    const double* direction = nullptr;
    const double* viewDir = nullptr;
    uint32_t colour = 0;
    const char* layer = nullptr;
    int labelFirst = 0, labelLast = 0;
    int doubleHead = 0;
};
// A distributed load from `first` to row.second; returns the arrow count drawn.
int DrawLoadArrowRow(const LoadSymbolScale& scale, const double* first, const LoadArrowRow& row);

void DrawNodeLoad(const LoadSymbolScale& scale, const double* point, const DNodeLoad& load, uint32_t colour, int label);
// axes: the member's local axes 1, 2, 3 (rows).
void DrawFrameLoad(const LoadSymbolScale& scale, const double* p1, const double* p2, const double axes[3][3],
                   const DFrameLoad& load, uint32_t colour, int label);

// A prestress cable: the profile's ordinates at the span's beginning, middle
// and end, the span, and the span positions of the member's two ends.
struct CableProfile {
    float y1 = 0, y2 = 0, y3 = 0, span = 0;
    double start = 0, end = 0;
    double Ordinate(double x) const;
};
// across: the member axis the ordinate is measured along.
void DrawPrestressCable(const double* p1, const double* p2, const double* across, const CableProfile& cable,
                        uint32_t colour);

// Corners C0..C3 of a four-node wall (its node slots 1, 2, 4, 3).
void DrawWallLoad(const LoadSymbolScale& scale, const double corners[4][3], const DWallLoad& load, uint32_t colour,
                  int label);
// n = 3 or 4 corners; water: unit weight and height of the water load.
void DrawPlaneLoad(const LoadSymbolScale& scale, int n, const double (*corners)[3], const DPlaneLoad& load,
                   double waterWeight, double waterHeight, uint32_t colour, int label);
void DrawShellLoad(const LoadSymbolScale& scale, int n, const double (*corners)[3], const DShellLoad& load,
                   uint32_t colour, int label);
// kind 1: 8 corners, 6 faces; kind 3: 6 corners, 5 faces; others: 4 corners, 4 faces.
void DrawSolidLoad(const LoadSymbolScale& scale, int kind, const double (*corners)[3], const DSol21Load& load,
                   uint32_t colour, int label);

// The shell load record's values by their index in the record (1..50).
float ShellLoadValue(const DShellLoad& load, int index);
