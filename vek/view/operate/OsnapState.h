#pragma once
// Object snapping: while a point is picked, the cursor is drawn to nearby
// characteristic points of the model. The candidates are offered while the
// model is drawn; on a mouse move the nearest one within a fixed pixel
// radius is chosen and marked, and a click takes it instead of the cursor.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "vek/view/operate/CellChains.h"

class bofstream;
class bifstream;

class COsnapState {
public:
    enum Type : int16_t {
        kNone = 0,
        kNode = 1,
        kEnd = 2,
        kGrid = 3,
        kMid = 4,
        kFoot = 5,
        kDistance = 6,
        kIntersection = 7,
        kCentre = 9,
    };
    // The switches, in memory order.
    enum Switch : int {
        kMaster,
        kEnds,
        kGridPoints,
        kMidPoints,
        kFootPoints,
        kOnLine,
        kIntersections,
        kGuides,
        kSwitchCount
    };
    struct Segment {
        double a[3];
        double b[3];
    };
    struct P3 {
        double v[3];
    };
    // The radius a candidate must lie within, in pixels.
    static constexpr double kRadius = 30;

    COsnapState();

    // Before the model is drawn: the candidates emptied, no snap, and the
    // offered marks made anew for the nodes' numbers when asked.
    void Reset(bool withOffered);
    // Offers a segment (two model points and their node numbers); true when added.
    bool AddSnapLine(const double* p1, const double* p2, int node1, int node2);
    // Offers a node; true when added.
    bool AddSnapPoint(const double* p, int node);
    bool AddGridPoint(const double* p);
    void Scale(double factor);

    // The search on a mouse move: reference is the last gathered point or null.
    void Snap(const double* reference, int x, int y);
    // The snap point and true when a snap may be taken.
    bool GetSnapPoint(double out[3]) const;
    // On a click: false when there is no snap; else the marker is erased and
    // the point (or the point at a typed distance) is the result.
    bool TakeSnapPoint(double out[3]);
    void ShowMarker();
    void ClearMarker();
    // Draws the marker of the current snap in exclusive-or (twice erases it).
    void DrawMarker() const;
    // After the picture was drawn anew: a shown marker is drawn on it again.
    void RedrawMarker() const
    {
        if (m_markerShown == 'Y') DrawMarker();
    }

    // "捕捉:" and the letters of the switches that are on.
    std::string GetStatusText() const;
    void SetMaster(bool on) { m_switch[kMaster] = on ? 'Y' : 'N'; }
    bool IsOn(Switch s) const { return m_switch[s] == 'Y'; }
    void SetSwitch(Switch s, bool on) { m_switch[s] = on ? 'Y' : 'N'; }
    // The options dialog of the seven switches after the master; true on OK.
    bool OptionsDialog();

    // The project-file block: eight letters.
    int Write(bofstream& out) const;
    // By the project version; letters other than 'Y' and 'N' fail the read
    // and leave the switches as they were.
    int Read(bifstream& in);

    int CandidateLines() const { return static_cast<int>(m_lines.size()); }
    int CandidatePoints() const { return static_cast<int>(m_points.size()); }
    int GridPoints() const { return static_cast<int>(m_grid.size()); }
    // The rate limit's interval for a count of candidates, in milliseconds.
    static int IntervalFor(int candidates);

    double m_snap[3];
    double m_ref1[3];
    double m_ref2[3];
    uint8_t m_guide[2];
    std::vector<Segment> m_lines;
    std::vector<P3> m_points;
    std::vector<P3> m_grid;
    char m_switch[kSwitchCount];
    char m_markerShown;
    char m_snapValid;
    int16_t m_type;
    std::vector<uint8_t> m_offered;  // one byte per node number (1-based)
    uint8_t m_collecting;
    // The last evaluation's clock (milliseconds); the length typed last.
    long m_lastClock;
    std::string m_lastLengthText;

private:
    bool OnPlane(const double* p) const;
    bool Offered(int node) const;
    void MarkOffered(int node);
    void Compete(double x, double y, const double* model, int type, double& best);

    // Equal-point lookup of the candidates: cells as wide as the tolerance.
    CCellChains m_lineIndex, m_pointIndex, m_gridIndex;
    double m_cell = 0.01;
    // Screen positions of the candidates, made once per search.
    std::vector<double> m_scratch;
};

extern COsnapState theOsnapState;

// The block owner's routines (block 21 of the project file).
int WriteOsnapBlock(bofstream& out);
int ReadOsnapBlock(bifstream& in);

// The approximate Euclidean norm of a pixel step.
double ApproxHypot(double dx, double dy);
// The screen-segment hit test: 0 for a miss, else 1 plus the whole-number
// perpendicular pixel distance. The tolerance is 2.5 times the pick-box size.
int HitTestSegmentScreen(int x, int y, int x1, int y1, int x2, int y2);
// The same with model points, and with node numbers (0 for a missing node).
int HitTestSegment(int x, int y, const double* p, const double* q);
int HitTestSegmentPlane(int x, int y, int nodeI, int nodeJ);
// Two model segments overlap on one line.
bool SegmentsOverlapCollinear(const double* a1, const double* a2, const double* b1, const double* b2);
