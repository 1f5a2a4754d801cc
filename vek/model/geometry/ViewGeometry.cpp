#include "vek/model/geometry/ViewGeometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "korvalib/base/GFunc.h"
#include "korvalib/base/Vector.h"
#include "vek/model/ModelFamily.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/ObjectBase.h"
#include "vek/model/geometry/ModelGeometry.h"
#include "vek/model/storeys/LevelTable.h"

namespace {

constexpr double kPi = 3.141592653589793;

// A node's window position (z 0), plain or at its drawing position.
bool NodeScreen(int node, double out[3], bool drawn = false)
{
    double p[3];
    CModelFamily& nodes = ModelFamily(EFamily::Nodes);
    if (!(drawn ? nodes.GetDrawCoordinates(node, p) : nodes.GetCoordinates(node, p))) return false;
    ModelProjection().WorldToScreen(p, out[0], out[1]);
    out[2] = 0;
    return true;
}

bool Crosses(const double* a1, const double* a2, const double* b1, const double* b2, int endsAllowed)
{
    const double p1[3] = {a1[0], a1[1], 0}, p2[3] = {a2[0], a2[1], 0};
    const double p3[3] = {b1[0], b1[1], 0}, p4[3] = {b2[0], b2[1], 0};
    double at[3];
    return GFunc::LineIntersect(p1, p2, p3, p4, at, 0.1, 0, endsAllowed) != 0;
}

}  // namespace

double LineAngleOfNodes(const double* p1, const double* p2)
{
    double u1, v1, u2, v2;
    ModelProjection().WorldToPlane(p1, u1, v1);
    ModelProjection().WorldToPlane(p2, u2, v2);
    return GFunc::GlobalLineAngle(u1, v1, u2, v2);
}

double DirectionAngleInView(const float* direction)
{
    const double o[3] = {0, 0, 0}, d[3] = {direction[0], direction[1], direction[2]};
    return LineAngleOfNodes(o, d);
}

int ScreenDirection(double* direction)
{
    const double o[3] = {0, 0, 0};
    double ox, oy, dx, dy;
    ModelProjection().WorldToScreen(o, ox, oy);
    ModelProjection().WorldToScreen(direction, dx, dy);
    direction[0] = dx - ox;
    direction[1] = dy - oy;
    direction[2] = 0;
    return CVector::Normalize(direction);
}

bool IsNodeTriangleValid(int n0, int n1, int n2)
{
    double p[3][3];
    if (!NodeScreen(n0, p[0]) || !NodeScreen(n1, p[1]) || !NodeScreen(n2, p[2])) return false;
    return !IsClockwiseTurn(p[0], p[1], p[2]);
}

bool SegmentCrossesNodeLine(const double* pixel1, const double* pixel2, int a, int b, int endsAllowed)
{
    double pa[3], pb[3];
    if (!NodeScreen(a, pa, true) || !NodeScreen(b, pb, true)) return false;
    return Crosses(pixel1, pixel2, pa, pb, endsAllowed);
}

bool FindEnclosingElements(const double* pixel, int out[4])
{
    struct Candidate {
        int a, b;
        double pa[3], pb[3];
    };
    std::vector<Candidate> cand;
    const bool planStoreys = ModelProjection().GetMode() == 1 && theLevels.count > 0;
    CModelFamily& nodes = ModelFamily(EFamily::Nodes);
    auto nodeStorey = [&](int id) {
        const int pos = nodes.IndexOfID(id);
        return pos < 0 ? -2 : nodes.GetStorey(pos);
    };
    for (EFamily f : {EFamily::Frames, EFamily::Walls}) {
        CModelFamily& fam = ModelFamily(f);
        for (int pos : Positions(fam)) {
            const CObjectBase* o = fam.GetAt(pos);
            int n[4] = {0, 0, 0, 0};
            if (!o || o->GetDisplayBits() != 1 || fam.GetNodes(pos, n, 4) < 2) continue;
            if (planStoreys) {
                if (f == EFamily::Frames && !fam.IsHorizontal(pos)) continue;
                if (f == EFamily::Walls &&
                    (nodeStorey(n[0]) != theLevels.current || nodeStorey(n[1]) != theLevels.current))
                    continue;
            }
            Candidate c{n[0], n[1], {}, {}};
            if (NodeScreen(c.a, c.pa) && NodeScreen(c.b, c.pb)) cand.push_back(c);
        }
    }
    std::vector<std::pair<int, int>> edges;
    for (size_t i = 0; i < cand.size(); ++i) {
        const double mid[2] = {(cand[i].pa[0] + cand[i].pb[0]) / 2, (cand[i].pa[1] + cand[i].pb[1]) / 2};
        bool seen = true;
        for (size_t j = 0; j < cand.size() && seen; ++j)
            if (j != i && Crosses(pixel, mid, cand[j].pa, cand[j].pb, 1)) seen = false;
        if (!seen) continue;
        const int a = cand[i].a, b = cand[i].b;
        if (std::any_of(edges.begin(), edges.end(), [&](const std::pair<int, int>& e) {
                return (e.first == a && e.second == b) || (e.first == b && e.second == a);
            }))
            continue;
        edges.push_back({a, b});
        if (edges.size() > 4) return false;
    }
    if (edges.size() < 3) return false;
    // Chain the edges into a loop.
    std::vector<int> loop = {edges[0].first, edges[0].second};
    std::vector<bool> used(edges.size(), false);
    used[0] = true;
    for (size_t step = 1; step < edges.size(); ++step) {
        bool found = false;
        for (size_t k = 0; k < edges.size() && !found; ++k) {
            if (used[k]) continue;
            if (edges[k].first == loop.back() || edges[k].second == loop.back()) {
                const int next = edges[k].first == loop.back() ? edges[k].second : edges[k].first;
                used[k] = true;
                found = true;
                if (step + 1 < edges.size())
                    loop.push_back(next);
                else if (next != loop.front())
                    return false;
            }
        }
        if (!found) return false;
    }
    if (IsNodeTriangleValid(loop[0], loop[1], loop[2])) std::swap(loop[0], loop[2]);
    const int n = int(loop.size());
    std::vector<std::array<double, 3>> screen(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) NodeScreen(loop[size_t(i)], screen[size_t(i)].data());
    int start = 0;
    for (int i = 1; i < n; ++i)
        if (screen[size_t(i)][1] > screen[size_t(start)][1]) start = i;
    const int prev = (start + n - 1) % n, next = (start + 1) % n;
    if (screen[size_t(next)][0] - screen[size_t(start)][0] < screen[size_t(start)][0] - screen[size_t(prev)][0])
        start = prev;
    for (int i = 0; i < 4; ++i) out[i] = i < n ? loop[size_t((start + i) % n)] : 0;
    return true;
}

int ChainLineElements(const std::vector<int>& elements, std::vector<int>& nodes, int strict)
{
    const int n = int(elements.size());
    if (n < 1) return 0;
    nodes.clear();
    std::vector<std::pair<int, int>> ends(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        if (!GetLineElementNodes(elements[size_t(i)], ends[size_t(i)].first, ends[size_t(i)].second)) return 0;
    auto touches = [&](int node, int k) { return ends[size_t(k)].first == node || ends[size_t(k)].second == node; };
    int a = ends[0].first, b = ends[0].second;
    if (n > 1 && touches(a, 1)) std::swap(a, b);
    nodes.push_back(a);
    nodes.push_back(b);
    int end = b;
    int result = 1;
    for (int i = 1; i < n; ++i) {
        a = ends[size_t(i)].first;
        b = ends[size_t(i)].second;
        if (a == end || b == end) {
            end = a == end ? b : a;
            nodes.push_back(end);
            continue;
        }
        if (strict) return 0;
        result = -1;
        // A gap: orient the element towards the next one (the first after
        // the last), else put its node nearer the chain's end first.
        const int next = (i + 1) % n;
        if (touches(a, next)) {
            std::swap(a, b);
        } else if (!touches(b, next) && NodeDistance(end, b) < NodeDistance(end, a)) {
            std::swap(a, b);
        }
        nodes.push_back(a);
        nodes.push_back(b);
        end = b;
    }
    if (nodes.size() > 1 && nodes.back() == nodes.front()) nodes.pop_back();
    return result;
}

void DrawNodeOrderArrow(const double* A, const double* B, const double* C, const double* D, uint32_t colour, int width)
{
    double from[3], mid[3], to[3];
    for (int k = 0; k < 3; ++k) {
        from[k] = A[k] / 2 + (B[k] + D[k]) / 4;
        mid[k] = B[k] / 2 + (A[k] + C[k]) / 4;
        to[k] = C[k] / 2 + (B[k] + D[k]) / 4;
    }
    ModelCanvas().Line(from, mid, colour, width);
    ModelCanvas().Arrow(mid, to, colour);
}

void FormatLineValue(double v, char* text, int size)
{
    const double m = std::fabs(v);
    if (m < 0.001)
        std::snprintf(text, size_t(size), "0");
    else
        std::snprintf(text, size_t(size), m < 0.01 ? "%.3f" : m < 1 ? "%.2f" : m < 10 ? "%.1f" : "%.0f", v);
}

void DrawLineValues(int i, int j, const std::vector<CLineStation>& stations, const double* direction,
                    const CLineValueStyle& style)
{
    CModelFamily& nodes = ModelFamily(EFamily::Nodes);
    double pi[3], pj[3];
    if (stations.empty() || !nodes.GetDrawCoordinates(i, pi) || !nodes.GetDrawCoordinates(j, pj)) return;
    CModelProjection& view = ModelProjection();
    double dir[3] = {0, 0, 0};
    if (direction) {
        std::copy(direction, direction + 3, dir);
    } else {
        // Across the member in the view plane, turned to the upper side.
        double ui, vi, uj, vj;
        view.WorldToPlane(pi, ui, vi);
        view.WorldToPlane(pj, uj, vj);
        double nu = -(vj - vi), nv = uj - ui;
        if (nv < 0 || (nv == 0 && nu < 0)) {
            nu = -nu;
            nv = -nv;
        }
        double a[3], b[3];
        view.PlaneToWorld(0, 0, a);
        view.PlaneToWorld(nu, nv, b);
        CVector::Subtract(b, a, dir);
    }
    if (view.GetMode() != 3) {
        // Only the part of the direction that lies in the view plane shows.
        double u, v, a[3], b[3];
        const double o[3] = {0, 0, 0};
        double ou, ov;
        view.WorldToPlane(o, ou, ov);
        view.WorldToPlane(dir, u, v);
        view.PlaneToWorld(ou, ov, a);
        view.PlaneToWorld(u, v, b);
        CVector::Subtract(b, a, dir);
        if (CVector::Length(dir) <= 0.0001) return;
    }
    CVector::Normalize(dir);

    const int n = int(stations.size());
    auto base = [&](int k, double out[3]) {
        for (int c = 0; c < 3; ++c) out[c] = pi[c] + stations[size_t(k)].position * (pj[c] - pi[c]);
    };
    double first[3], last[3];
    base(0, first);
    base(n - 1, last);
    double angle = LineAngleOfNodes(first, last) + (style.verticalLabels ? kPi / 2 : 0);
    bool flipped = false;
    if (angle > kPi / 2 && angle <= 3 * kPi / 2) {
        angle -= kPi;
        flipped = true;
    }
    int labelled = -1;
    if (style.largestOnly) {
        double best = -1;
        for (int k = 0; k < n; ++k)
            for (int v = 0; v < (style.twoValues ? 2 : 1); ++v)
                if (std::fabs(stations[size_t(k)].value[v]) > best) {
                    best = std::fabs(stations[size_t(k)].value[v]);
                    labelled = k;
                }
    }
    for (int v = 0; v < (style.twoValues ? 2 : 1); ++v) {
        double prev[3] = {0, 0, 0};
        for (int k = 0; k < n; ++k) {
            double b[3], p[3];
            base(k, b);
            const double value = stations[size_t(k)].value[v];
            for (int c = 0; c < 3; ++c) p[c] = b[c] - style.scale * value * dir[c];
            ModelCanvas().Line(b, p, style.colour, 1);
            if (k > 0) ModelCanvas().Line(prev, p, style.colour, style.width);
            std::copy(p, p + 3, prev);
            if (!style.labels || (style.largestOnly && k != labelled)) continue;
            unsigned align = kAlignBottom | kAlignCenter;
            if (k == 0 || k == n - 1) {
                const bool atStart = (k == 0) != flipped;
                align = kAlignBottom | (atStart ? kAlignLeft : kAlignRight);
            }
            char text[64];
            FormatLineValue(value, text, sizeof text);
            ModelCanvas().Text(p, text, style.textColour, align, angle);
        }
    }
}

void DrawLineSymbolDir(int i, int j, const double* direction, uint32_t colour)
{
    CModelFamily& nodes = ModelFamily(EFamily::Nodes);
    double pi[3], pj[3];
    if (!nodes.GetDrawCoordinates(i, pi) || !nodes.GetDrawCoordinates(j, pj)) return;
    double dir[3] = {direction[0], direction[1], direction[2]};
    if (!CVector::Normalize(dir)) return;
    double axis[3];
    CVector::Subtract(pj, pi, axis);
    const double half = CVector::Length(axis) / 2;
    CVector::Normalize(axis);
    const double scale = ModelProjection().GetScale();
    double size = 0.8 * half;
    if (scale > 0) size = std::min(size, 60 / scale);
    double mid[3], tip[3], side1[3], side2[3], t1[3], t2[3], head[3];
    for (int c = 0; c < 3; ++c) {
        mid[c] = (pi[c] + pj[c]) / 2;
        tip[c] = mid[c] + size * dir[c];
        side1[c] = mid[c] - axis[c] * size / 4;
        side2[c] = mid[c] + axis[c] * size / 4;
        t1[c] = side1[c] + 0.6 * size * dir[c];
        t2[c] = side2[c] + 0.6 * size * dir[c];
        head[c] = mid[c] + size / 4 * dir[c];
    }
    ModelCanvas().Arrow(mid, tip, colour);
    ModelCanvas().Arrow(side1, t1, colour);
    ModelCanvas().Arrow(side2, t2, colour);
    ModelCanvas().FilledTriangle(side1, side2, head, colour);
}
