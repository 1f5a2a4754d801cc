#include "vek/model/geometry/ModelGeometry.h"

#include <algorithm>
#include <cmath>

#include "korvalib/base/GFunc.h"
#include "korvalib/base/Vector.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ModelFamily.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/display/DisplayOptions.h"

namespace {

double L()
{
    return theProjectOptions.dHorzNodeSpacing;
}

// Coordinates of a node; the origin for a missing one.
void At(int node, double out[3])
{
    if (!NodeCoordinates(node, out)) out[0] = out[1] = out[2] = 0;
}

struct Points {
    explicit Points(std::initializer_list<int> nodes)
    {
        int i = 0;
        for (int n : nodes) At(n, p[i++]);
    }
    double p[8][3];
};

double TetraOf(const double* p0, const double* p1, const double* p2, const double* p3)
{
    double a[3], b[3], c[3], n[3];
    CVector::Subtract(p1, p0, a);
    CVector::Subtract(p2, p0, b);
    CVector::Subtract(p3, p0, c);
    CVector::Cross(a, b, n);
    return std::fabs(CVector::Dot(n, c)) / 6;
}

}  // namespace

int PointToLineDistance(const double* P, const double* A, const double* B, int ends, double* dist)
{
    if (dist) *dist = 0;
    double d[3], ap[3];
    CVector::Subtract(B, A, d);
    const double l = CVector::Length(d);
    if (l <= L()) return 0;
    CVector::Subtract(P, A, ap);
    const double t = CVector::Dot(ap, d) / (l * l);
    const double e = L() / l;
    if (ends ? (t < -e || t > 1 + e) : (t < e || t > 1 - e)) return 0;
    const double off[3] = {ap[0] - t * d[0], ap[1] - t * d[1], ap[2] - t * d[2]};
    const double r = CVector::Length(off);
    if (r < L()) return 1;
    if (dist) *dist = r;
    return 0;
}

int NodeToLineDistance(int p, int a, int b)
{
    const Points n{p, a, b};
    return PointToLineDistance(n.p[0], n.p[1], n.p[2], 0);
}

int ProjectPointOnLine(const double* A, const double* B, const double* P, double* foot, int segment, double* t)
{
    double d[3], ap[3];
    CVector::Subtract(B, A, d);
    CVector::Subtract(P, A, ap);
    const double l2 = CVector::Dot(d, d);
    if (l2 < 1e-8) return 0;
    const double s = CVector::Dot(ap, d) / l2;
    if (segment && (s < 0 || s > 1)) return 0;
    for (int i = 0; i < 3; ++i) foot[i] = A[i] + s * d[i];
    if (t) *t = s;
    return 1;
}

bool IsPointInsideRect(int x, int y, int x1, int y1, int x2, int y2)
{
    return x > std::min(x1, x2) && x < std::max(x1, x2) && y > std::min(y1, y2) && y < std::max(y1, y2);
}

bool IsClockwiseTurn(const double* p0, const double* p1, const double* p2)
{
    const double ax = p0[0] - p1[0], ay = p0[1] - p1[1];
    const double bx = p2[0] - p1[0], by = p2[1] - p1[1];
    return ax * by - ay * bx < -1e-10;
}

bool IsNodeTurnClockwise(int n0, int n1, int n2)
{
    const Points n{n0, n1, n2};
    return IsClockwiseTurn(n.p[0], n.p[1], n.p[2]);
}

bool ArePerpendicular(const double* p0, const double* p1, const double* p2)
{
    double a[3], b[3];
    CVector::Subtract(p1, p0, a);
    CVector::Subtract(p2, p1, b);
    return std::fabs(CVector::Dot(a, b)) < L() / 10;
}

bool AreNodesPerpendicular(int n0, int n1, int n2)
{
    const Points n{n0, n1, n2};
    return ArePerpendicular(n.p[0], n.p[1], n.p[2]);
}

double NodeDistance(int a, int b)
{
    const Points n{a, b};
    return GFunc::GetDistance(n.p[0], n.p[1]);
}

int GetLineElementNodes(int element, int& a, int& b)
{
    if (element == 0) return 0;
    CModelFamily& f = ModelFamily(element > 0 ? EFamily::Frames : EFamily::Walls);
    const int pos = f.IndexOfID(element > 0 ? element : -element);
    int nodes[4] = {0, 0, 0, 0};
    if (pos < 0 || f.GetNodes(pos, nodes, 4) < 2) return 0;
    a = nodes[0];
    b = nodes[1];
    return 1;
}

void SetNodeToMidpoint(int a, int b, int c)
{
    if (c <= 0) return;
    const Points n{a, b};
    const double mid[3] = {(n.p[0][0] + n.p[1][0]) / 2, (n.p[0][1] + n.p[1][1]) / 2, (n.p[0][2] + n.p[1][2]) / 2};
    ModelFamily(EFamily::Nodes).SetCoordinates(c, mid);
}

void CollectNodesOnSegment(double (*out)[3], int& count, const double* A, const double* B, const int* nodes,
                           int nodeCount, int capacity)
{
    CModelFamily& all = ModelFamily(EFamily::Nodes);
    std::vector<CNodeDistance> found;
    const int n = nodes ? nodeCount : all.GetCount();
    for (int i = 0; i < n && found.size() < 250; ++i) {
        const int id = nodes ? nodes[i] : all.GetID(i);
        double p[3];
        if (!NodeCoordinates(id, p) || !PointToLineDistance(p, A, B, 0)) continue;
        found.push_back({id, GFunc::GetDistance(A, p)});
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const CNodeDistance& a, const CNodeDistance& b) { return CompareByDistance(a, b) < 0; });
    for (const CNodeDistance& f : found) {
        if (count >= capacity) break;
        NodeCoordinates(f.node, out[count++]);
    }
}

int PlaneFromThreePoints(const double* p0, const double* p1, const double* p2, double plane[4], int report)
{
    CVector n;
    if (!n.CalPlaneNor(p0, p1, p2)) {
        if (report) AppMessageBox("给定的点在一条线上, 无法形成一个平面!");
        return 0;
    }
    plane[0] = n[0];
    plane[1] = n[1];
    plane[2] = n[2];
    plane[3] = -CVector::Dot(n, p0);
    return 1;
}

int IsConvexPolygon(int n, const double (*p)[3])
{
    if (n < 3) return 1;
    double e1[3], e2[3], N[3];
    CVector::Subtract(p[1], p[0], e1);
    int k = n - 1;
    for (;;) {
        CVector::Subtract(p[k], p[0], e2);
        CVector::Cross(e1, e2, N);
        if (CVector::Normalize(N)) break;
        // The first and last point give no normal: try the others in turn.
        k = k == n - 1 ? 2 : k + 1;
        if (k >= n - 1) return 0;
    }
    for (int i = 1; i < n; ++i) {
        double turn[3];
        CVector::Subtract(p[i], p[i - 1], e1);
        CVector::Subtract(p[(i + 1) % n], p[i], e2);
        CVector::Cross(e1, e2, turn);
        if (!CVector::Normalize(turn) || CVector::Dot(turn, N) < 1e-8) return 0;
    }
    return 1;
}

int IsConvexQuad(const double* p0, const double* p1, const double* p2, const double* p3)
{
    const double p[4][3] = {{p0[0], p0[1], p0[2]}, {p1[0], p1[1], p1[2]}, {p2[0], p2[1], p2[2]}, {p3[0], p3[1], p3[2]}};
    return IsConvexPolygon(4, p);
}

int IsConvexNodePolygon(int n, const int* nodes)
{
    std::vector<double> pts(size_t(std::max(n, 0)) * 3);
    for (int i = 0; i < n; ++i) At(nodes[i], &pts[size_t(i) * 3]);
    return IsConvexPolygon(n, reinterpret_cast<const double(*)[3]>(pts.data()));
}

double PolygonArea(const int* nodes, int n)
{
    if (n < 3) return 0;
    const Points p{nodes[0], nodes[1], nodes[2], n >= 4 ? nodes[3] : 0};
    double area = GFunc::Area(p.p[0], p.p[1], p.p[2]);
    if (n >= 4) area += GFunc::Area(p.p[0], p.p[2], p.p[3]);
    return area;
}

double TetraVolume(int n0, int n1, int n2, int n3)
{
    const Points p{n0, n1, n2, n3};
    return TetraOf(p.p[0], p.p[1], p.p[2], p.p[3]);
}

double SolidVolume(int kind, const int* nodes)
{
    // Tetrahedra by node positions counted from 1.
    static const int wedge[3][4] = {{1, 4, 5, 6}, {1, 2, 5, 6}, {1, 2, 3, 6}};
    static const int brick[6][4] = {{1, 5, 6, 8}, {1, 2, 6, 8}, {1, 2, 4, 8}, {6, 7, 8, 2}, {2, 3, 7, 8}, {2, 4, 3, 8}};
    if (kind == 2) return TetraVolume(nodes[0], nodes[1], nodes[2], nodes[3]);
    const int(*tets)[4] = kind == 3 ? wedge : brick;
    const int count = kind == 3 ? 3 : 6;
    double v = 0;
    for (int t = 0; t < count; ++t)
        v += TetraVolume(nodes[tets[t][0] - 1], nodes[tets[t][1] - 1], nodes[tets[t][2] - 1], nodes[tets[t][3] - 1]);
    return v;
}

bool IsSameIntSet(const int* a, int na, const int* b, int nb)
{
    if (na != nb) return false;
    long long sa = 0, sb = 0;
    for (int i = 0; i < na; ++i) {
        sa += a[i];
        sb += b[i];
    }
    if (sa != sb) return false;
    std::vector<int> x(a, a + na), y(b, b + nb);
    std::sort(x.begin(), x.end());
    std::sort(y.begin(), y.end());
    return x == y;
}

int VerticalRelationOfNodes(int a, int b)
{
    const Points n{a, b};
    const double* pa = n.p[0];
    const double* pb = n.p[1];
    if (!(std::fabs(pa[0] - pb[0]) < L() && std::fabs(pa[1] - pb[1]) < L() &&
          std::fabs(pa[2] - pb[2]) > theProjectOptions.fVertNodeSpacing))
        return 0;
    return pb[2] < pa[2] ? 1 : 2;
}

int IsStackedLineElement(int family, int a, int b)
{
    CModelFamily& f = ModelFamily(static_cast<EFamily>(family));
    int na[4] = {0, 0, 0, 0}, nb[4] = {0, 0, 0, 0};
    const int pa = f.IndexOfID(a), pb = f.IndexOfID(b);
    if (pa < 0 || pb < 0 || f.GetNodes(pa, na, 4) < 2 || f.GetNodes(pb, nb, 4) < 2) return 0;
    const bool same = VerticalRelationOfNodes(na[0], nb[0]) && VerticalRelationOfNodes(na[1], nb[1]);
    const bool crossed = VerticalRelationOfNodes(na[0], nb[1]) && VerticalRelationOfNodes(na[1], nb[0]);
    return same || crossed ? 1 : 0;
}

int IsStackedBeam(int a, int b)
{
    return IsStackedLineElement(int(EFamily::Frames), a, b);
}

int IsStackedWall(int a, int b)
{
    return IsStackedLineElement(int(EFamily::Walls), a, b);
}

int CompareByDistance(const CNodeDistance& a, const CNodeDistance& b)
{
    if (a.distance < b.distance - L()) return -1;
    if (a.distance >= b.distance + L()) return 1;
    return 0;
}

int CompareNodeRecords(const CNodeRecord& a, const CNodeRecord& b)
{
    const int m = theProjectOptions.nSortOrder;
    const int byNumber = a.number < b.number ? -1 : 1;
    if (m == 20 || m == 7 || m == 8) {
        if (m != 20 && (a.group < 0) != (b.group < 0)) return a.group < 0 ? 1 : -1;
        if (a.group != b.group) return a.group < b.group ? -1 : 1;
        return byNumber;
    }
    // Coordinates in the order of the sort, each compared with the tolerance.
    static const int orders[7][3] = {{2, 1, 0}, {2, 0, 1}, {2, 1, 0}, {0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}};
    const int* order = orders[m >= 1 && m <= 5 ? m : 6];
    const double pa[3] = {a.x, a.y, a.z}, pb[3] = {b.x, b.y, b.z};
    for (int k = 0; k < 3; ++k) {
        const int c = order[k];
        if (pa[c] > pb[c] + L()) return 1;
        if (pa[c] < pb[c] - L()) return -1;
    }
    return byNumber;
}

namespace {

void MoveToward(double* p, const double* to, double f)
{
    for (int i = 0; i < 3; ++i) p[i] += (to[i] - p[i]) * f;
}

}  // namespace

void ShrinkLineForDisplay(double* p1, double* p2)
{
    const int k = theDisplayOptions.ShrinkFactor();
    if (k <= 0) return;
    const double a[3] = {p1[0], p1[1], p1[2]};
    MoveToward(p1, p2, k / 40.0);
    MoveToward(p2, a, k / 40.0);
}

void ShrinkQuadForDisplay(double (*p)[3])
{
    ShrinkPolygonForDisplay(4, p);
}

void ShrinkPolygonForDisplay(int n, double (*p)[3], const unsigned char* mask)
{
    const int k = theDisplayOptions.ShrinkFactor();
    if (k <= 0) return;
    double c[3] = {0, 0, 0};
    int used = 0;
    for (int i = 0; i < n; ++i) {
        if (mask && !mask[i]) continue;
        for (int j = 0; j < 3; ++j) c[j] += p[i][j];
        ++used;
    }
    if (used < 2) return;
    for (double& v : c) v /= used;
    for (int i = 0; i < n; ++i)
        if (!mask || mask[i]) MoveToward(p[i], c, k / 20.0);
}

double MaxPrincipalStress(double sx, double sy, double txy)
{
    return (sx + sy) / 2 + std::sqrt(txy * txy + (sx - sy) * (sx - sy) / 4);
}

double MinPrincipalStress(double sx, double sy, double txy)
{
    return (sx + sy) / 2 - std::sqrt(txy * txy + (sx - sy) * (sx - sy) / 4);
}

void RotateStressRows(double (*rows)[9], int n, const double* direction)
{
    if (std::fabs(direction[0]) > 1e-5) return;
    double d[3] = {direction[0], direction[1], direction[2]};
    if (!CVector::Normalize(d)) return;
    const double c = d[1], s = d[2];
    for (int i = 0; i < n; ++i) {
        const double a = rows[i][0], b = rows[i][1], t = rows[i][3];
        rows[i][0] = c * c * a + s * s * b + 2 * c * s * t;
        rows[i][1] = s * s * a + c * c * b - 2 * c * s * t;
        rows[i][3] = -c * s * a + c * s * b + (c * c - s * s) * t;
    }
}

int InverseBilinear(const double (*X)[2], const double* P, double& xi, double& eta)
{
    // 4P - sum X = xi a + eta b + xi eta c, with the corners at (-1,-1),
    // (1,-1), (1,1), (-1,1).
    double a[2], b[2], c[2], d[2];
    for (int k = 0; k < 2; ++k) {
        a[k] = -X[0][k] + X[1][k] + X[2][k] - X[3][k];
        b[k] = -X[0][k] - X[1][k] + X[2][k] + X[3][k];
        c[k] = X[0][k] - X[1][k] + X[2][k] - X[3][k];
        d[k] = 4 * P[k] - (X[0][k] + X[1][k] + X[2][k] + X[3][k]);
    }
    auto cross = [](const double* u, const double* v) { return u[0] * v[1] - u[1] * v[0]; };
    // Eliminating eta: (d - xi a) x (b + xi c) = 0.
    const double qa = -cross(a, c), qb = cross(d, c) - cross(a, b), qc = cross(d, b);
    double roots[2];
    int n = 0;
    if (std::fabs(qa) > 1e-7) {
        const double disc = qb * qb - 4 * qa * qc;
        if (disc < -1e-7) return 0;
        const double r = std::sqrt(std::max(disc, 0.0));
        roots[n++] = (-qb + r) / (2 * qa);
        roots[n++] = (-qb - r) / (2 * qa);
    } else {
        if (std::fabs(qb) < 1e-7) return 0;
        roots[n++] = -qc / qb;
    }
    bool found = false;
    for (int i = 0; i < n; ++i) {
        const double x = roots[i];
        const double den[2] = {b[0] + x * c[0], b[1] + x * c[1]};
        const int k = std::fabs(den[0]) >= std::fabs(den[1]) ? 0 : 1;
        if (std::fabs(den[k]) < 1e-12) continue;
        const double e = (d[k] - x * a[k]) / den[k];
        if (!found || std::fabs(x) + std::fabs(e) < std::fabs(xi) + std::fabs(eta)) {
            xi = x;
            eta = e;
            found = true;
        }
    }
    return found ? 1 : 0;
}

int InterpolateInQuad(const double (*corners)[3], const double* P, double& xi, double& eta)
{
    double plane[4];
    if (!PlaneFromThreePoints(corners[0], corners[1], corners[2], plane, 1)) return 0;
    double ax[3], ay[3], az[3];
    CVector(plane[0], plane[1], plane[2]).GenerateOCS(ax, ay, az);
    double local[4][2], lp[2];
    for (int i = 0; i < 4; ++i) {
        local[i][0] = CVector::Dot(corners[i], ax);
        local[i][1] = CVector::Dot(corners[i], ay);
    }
    lp[0] = CVector::Dot(P, ax);
    lp[1] = CVector::Dot(P, ay);
    if (InverseBilinear(local, lp, xi, eta)) return 1;
    AppMessageBox("四点形成的插值空间在某些点上不唯一!");
    return 0;
}
