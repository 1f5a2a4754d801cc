#pragma once
// Geometry seen through the view: angles and directions on the screen, the
// elements that bound a clicked area, chains of line elements, and the
// drawers of node order, result diagrams and direction markers.
#include <cstdint>
#include <vector>

// The direction angle of the segment between two model points in the view
// plane, and of a direction seen from the origin.
double LineAngleOfNodes(const double* p1, const double* p2);
double DirectionAngleInView(const float* direction);
// The direction as seen on the screen (y downwards, z 0), normalised in
// place; 0 for a direction seen end-on.
int ScreenDirection(double* direction);
// The window positions of the three nodes do not turn clockwise.
bool IsNodeTriangleValid(int n0, int n1, int n2);
// The pixel segment crosses the segment between the nodes' drawing positions.
bool SegmentCrossesNodeLine(const double* pixel1, const double* pixel2, int a, int b, int endsAllowed);
// The beams and walls around a clicked pixel, chained into the three or four
// nodes of the area they bound (a triangle's fourth entry 0).
bool FindEnclosingElements(const double* pixel, int nodes[4]);
// The nodes of line elements (beams > 0, walls < 0) joined end to end: 1
// when they join, -1 when gaps were bridged (not strict), 0 on failure.
int ChainLineElements(const std::vector<int>& elements, std::vector<int>& nodes, int strict);

// The order of an element's corners: a line across it and an arrow.
void DrawNodeOrderArrow(const double* A, const double* B, const double* C, const double* D, uint32_t colour, int width);

// How the result display draws a diagram along a line element.
struct CLineValueStyle {
    double scale = 1;             // model length per unit of value
    bool twoValues = false;       // each station carries a second value
    bool labels = true;           // values written at the stations
    bool largestOnly = false;     // only the station of the largest value labelled
    bool verticalLabels = false;  // labels across the member
    uint32_t colour = 0;          // diagram
    uint32_t textColour = 0;
    int width = 1;  // the outline's line width
};
// One station: the position along the member (0 at node i, 1 at node j) and
// its one or two values.
struct CLineStation {
    double position;
    double value[2];
};
// The diagram of the stations along the member i-j, offset in the direction
// given (null: across the member in the view plane).
void DrawLineValues(int i, int j, const std::vector<CLineStation>& stations, const double* direction,
                    const CLineValueStyle& style);
// A marker at the middle of the member i-j pointing in a direction.
void DrawLineSymbolDir(int i, int j, const double* direction, uint32_t colour);
// The label text of a value.
void FormatLineValue(double v, char* text, int size);
