#pragma once
// Plane and solid geometry shared by the element families: point-on-line
// and convexity tests, node comparisons with the model's tolerances, areas
// and volumes, the inverse bilinear map, principal stresses and the shrink
// transform of the element display. Points are three doubles; nodes are
// given by number.
#include <vector>

// P lies on the line A-B within the horizontal node spacing: inside the ends
// only (ends 0), or up to a tolerance beyond them (ends 1). dist receives the
// distance of a point rejected only for being too far off the line.
int PointToLineDistance(const double* P, const double* A, const double* B, int ends, double* dist = nullptr);
int NodeToLineDistance(int p, int a, int b);
// The foot of the perpendicular from P on A-B and its parameter t; 0 for a
// line too short, or (segment) a foot outside it.
int ProjectPointOnLine(const double* A, const double* B, const double* P, double* foot, int segment,
                       double* t = nullptr);
inline int IntersectLineWithPlane(const double* A, const double* B, const double* P, double* foot, int segment,
                                  double* t = nullptr)
{
    return ProjectPointOnLine(A, B, P, foot, segment, t);
}
bool IsPointInsideRect(int x, int y, int x1, int y1, int x2, int y2);
bool IsClockwiseTurn(const double* p0, const double* p1, const double* p2);
bool IsNodeTurnClockwise(int n0, int n1, int n2);
bool ArePerpendicular(const double* p0, const double* p1, const double* p2);
bool AreNodesPerpendicular(int n0, int n1, int n2);
double NodeDistance(int a, int b);
// The end nodes of a beam (number > 0) or the first two nodes of the wall
// -number; 0 when the element does not exist.
int GetLineElementNodes(int element, int& a, int& b);
// Node c (when > 0) is moved to the middle of a and b.
void SetNodeToMidpoint(int a, int b, int c);
// Appends the coordinates of the nodes (of the list, or of the model) lying
// inside the segment A-B, nearest to A first, until count reaches capacity.
void CollectNodesOnSegment(double (*out)[3], int& count, const double* A, const double* B, const int* nodes,
                           int nodeCount, int capacity);

// A x + B y + C z + D = 0 through three points; 0 (and the message when
// report is set) for points on one line.
int PlaneFromThreePoints(const double* p0, const double* p1, const double* p2, double plane[4], int report);
int IsConvexPolygon(int n, const double (*p)[3]);
int IsConvexQuad(const double* p0, const double* p1, const double* p2, const double* p3);
int IsConvexNodePolygon(int n, const int* nodes);
double PolygonArea(const int* nodes, int n);
double TetraVolume(int n0, int n1, int n2, int n3);
// kind 2 four nodes, 3 six nodes, else eight.
double SolidVolume(int kind, const int* nodes);
bool IsSameIntSet(const int* a, int na, const int* b, int nb);

// 1 when b lies directly below a, 2 when above, else 0.
int VerticalRelationOfNodes(int a, int b);
// Each end of the first element lies directly above or below an end of the
// second (beams, line elements of a family, walls).
int IsStackedLineElement(int family, int a, int b);
int IsStackedBeam(int a, int b);
int IsStackedWall(int a, int b);

struct CNodeDistance {
    int node;
    double distance;
};
int CompareByDistance(const CNodeDistance& a, const CNodeDistance& b);
struct CNodeRecord {
    int number;
    int group;  // storey or layer, as the caller fills it
    double x, y, z;
};
// The renumbering order of the project options; never 0.
int CompareNodeRecords(const CNodeRecord& a, const CNodeRecord& b);
inline int CompareElementKeys(const CNodeRecord& a, const CNodeRecord& b)
{
    return CompareNodeRecords(a, b);
}

// The element display's shrink transform (factor k of the display options).
void ShrinkLineForDisplay(double* p1, double* p2);
void ShrinkQuadForDisplay(double (*p)[3]);
void ShrinkPolygonForDisplay(int n, double (*p)[3], const unsigned char* mask = nullptr);

double MaxPrincipalStress(double sx, double sy, double txy);
double MinPrincipalStress(double sx, double sy, double txy);
// Turns the first, second and fourth value of every row into the frame of
// a direction in the Y-Z plane.
void RotateStressRows(double (*rows)[9], int n, const double* direction);

// The (xi, eta) of P in the quadrilateral X1..X4 (plane points).
int InverseBilinear(const double (*X)[2], const double* P, double& xi, double& eta);
// The same for corners and a point in space, in the plane of the first three.
int InterpolateInQuad(const double (*corners)[3], const double* P, double& xi, double& eta);
