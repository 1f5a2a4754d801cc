#pragma once
// The loads of small regions handed on to the beams and walls around them:
// each share becomes part of a load record of the beam or wall in its load
// case, merged with what the element already carries and never stored twice.
// The region family builds the transfer tables and works the shares out; the
// beam and wall families keep the load records. Also the drawing of a region
// with its load pattern and labels.
#include <array>
#include <cstdint>
#include <vector>

// For every load case (1-based), per element ID - 1: 1 + the index of the
// element's load record of that case in its list, 0 for none.
struct CPanelTransferTables {
    std::vector<std::vector<int>> frames;
    std::vector<std::vector<int>> walls;
};
extern CPanelTransferTables thePanelTransferTables;

// The load records of the beam and wall families as the transfer works on
// them: one working record at a time. Unbound, no record takes a load.
class CPanelLoadRecords {
public:
    virtual ~CPanelLoadRecords() = default;
    // The list (0, 1 or 2) of a frame's kind, where its load records live.
    virtual int FrameLoadList(int frame) { return 0; }
    // The working record: a copy of entry index (0-based) of the list, or an
    // empty record for -1.
    virtual void StartFrameRecord(int list, int index) {}
    // Adds a piecewise-linear line load through the points along the frame
    // (negative positions: fractions of its length); false, the record as it
    // was, after the family's message when refused.
    virtual bool AppendFrameLineLoad(int frame, int n, const double* positions, const double* values) { return false; }
    virtual bool FrameRecordIsZero() { return true; }
    // The index of an equal record of the list, or of the working record
    // appended; -1 when the list cannot grow.
    virtual int StoreFrameRecord(int list) { return -1; }
    // The same for walls: one list; a share adds to the second and third
    // line-load values.
    virtual void StartWallRecord(int index) {}
    virtual void AddToWallRecord(double value) {}
    virtual bool WallRecordIsZero() { return true; }
    virtual int StoreWallRecord() { return -1; }
};
CPanelLoadRecords& PanelLoadRecords();
CPanelLoadRecords* SetPanelLoadRecords(CPanelLoadRecords* records);

// A positive element is a frame; zero or -w the wall w.
void AddPanelLoadToFrame(int element, int loadCase, int n, const double* positions, const double* values);
// One value over the frame: uniform (shape 0), or a trapezoid or triangle
// peaking at the relative position p from either end (shape 1).
void AddPanelValueLoadToFrame(int frame, int loadCase, double value, double p, int shape);
void AddPanelLoadToWall(int wall, double value, int loadCase);

// Two regions are the same when their node lists hold the same numbers in
// any order.
bool SameRegionNodes(const std::vector<int>& a, const std::vector<int>& b);

// What a region shows of itself: its number and loads at its centre, the
// pattern of its distribution type.
struct CRegionDrawing {
    int number = 0;
    bool labelled = false;  // the region carries its label flag
    bool selected = false;
    int type = 1;  // 1, 2 one-way; 3 two-way; 4 to the nodes
    std::array<double, 3> centre = {0, 0, 0};
    std::vector<std::array<double, 3>> corners;  // c1..c4 in the region's order
    std::vector<std::array<double, 3>> nodes;    // for type 4
    std::vector<std::pair<int, double>> loads;   // load case, value
};
// The colours of a region's loads; the view binds its display colours.
struct RegionLoadColours {
    uint32_t normal = 0x00FF00;
    uint32_t selected = 0x0000FF;
};
extern RegionLoadColours theRegionLoadColours;
void DrawRegionLoads(const CRegionDrawing& region);
