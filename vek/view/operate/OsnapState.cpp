#include "vek/view/operate/OsnapState.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

#include "korvalib/base/GFunc.h"
#include "korvalib/base/biostream.h"
#include "vek/model/ElevationPlane.h"
#include "vek/model/ModelFamily.h"
#include "vek/model/ProjectGlobals.h"
#include "vek/model/ProjectOptions.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/operate/OperateHost.h"

COsnapState theOsnapState;

namespace {

constexpr double kFar = 9e30;
// Snap types that take their candidates with the plain distance rule.
constexpr int kCommandSmallRegion = 3;
constexpr int kCommandSpring = 56;

bool Near(const double* a, const double* b, double half)
{
    for (int k = 0; k < 3; ++k)
        if (std::fabs(a[k] - b[k]) > half) return false;
    return true;
}

CCellGrid Cells(double cell)
{
    CCellGrid grid;
    for (double& size : grid.size) size = cell;
    return grid;
}

// Visits the indices stored in the cells that points within half of the
// point may lie in.
template <class Visit>
bool AnyAround(const CCellChains& index, const double* p, double cell, double half, Visit visit)
{
    const CCellGrid grid = Cells(cell);
    int32_t lo[3], hi[3];
    for (int k = 0; k < 3; ++k) {
        lo[k] = grid.Coord(k, p[k] - half);
        hi[k] = grid.Coord(k, p[k] + half);
    }
    int32_t c[3];
    for (c[0] = lo[0]; c[0] <= hi[0]; ++c[0])
        for (c[1] = lo[1]; c[1] <= hi[1]; ++c[1])
            for (c[2] = lo[2]; c[2] <= hi[2]; ++c[2])
                if (index.Any(c, visit)) return true;
    return false;
}

void Insert(CCellChains& index, const double* p, double cell, int n)
{
    int32_t c[3];
    Cells(cell).CellOf(p, c);
    index.Insert(c, n);
}

double HalfTolerance()
{
    return theProjectOptions.dHorzNodeSpacing > 0 ? theProjectOptions.dHorzNodeSpacing / 2 : 0;
}

// One entry of the intersection list: a candidate line or one of its guides.
struct Crossing {
    int line;
    bool guide;
    double a[3], b[3];  // two model points of the (infinite) line
    double ref[3];      // the line's start, or the guide's base point
    double d;           // pixels from the cursor
};

}  // namespace

double ApproxHypot(double dx, double dy)
{
    double a = std::fabs(dx), b = std::fabs(dy);
    if (a < 1e-10 && b < 1e-10) return 0;
    if (b > a) std::swap(a, b);
    const double r = b / a;
    return a * (0.9946505673378686 + 0.06860724550701724 * r + 0.35649988202275606 * r * r);
}

COsnapState::COsnapState()
    : m_snap{0, 0, 0},
      m_ref1{0, 0, 0},
      m_ref2{0, 0, 0},
      m_guide{0, 0},
      m_switch{'Y', 'Y', 'Y', 'Y', 'Y', 'N', 'N', 'N'},
      m_markerShown('N'),
      m_snapValid('N'),
      m_type(kNone),
      m_collecting(1),
      m_lastClock(LONG_MIN / 2)
{
    m_lines.reserve(128);
    m_points.reserve(128);
    m_grid.reserve(128);
}

void COsnapState::Reset(bool withOffered)
{
    m_lines.clear();
    m_points.clear();
    m_grid.clear();
    m_lineIndex.Clear();
    m_pointIndex.Clear();
    m_gridIndex.Clear();
    const double half = HalfTolerance();
    m_cell = half > 0 ? 2 * half : 1e-6;
    if (theViewProjection.GetMode() == CViewProjection::kFree3D) {
        const int members = ModelFamily(EFamily::Frames).GetCount() + ModelFamily(EFamily::Walls).GetCount();
        m_lines.reserve(static_cast<size_t>(members / 2));
        m_points.reserve(static_cast<size_t>(ModelFamily(EFamily::Nodes).GetCount() / 2));
    }
    m_type = kNone;
    m_markerShown = 'N';
    m_snapValid = 'N';
    m_offered.clear();
    m_offered.shrink_to_fit();
    if (withOffered) {
        const int last = ModelFamily(EFamily::Nodes).GetLastID();
        if (last > 0) m_offered.assign(static_cast<size_t>(last), 0);
    }
}

bool COsnapState::Offered(int node) const
{
    return node >= 1 && static_cast<size_t>(node) <= m_offered.size() && m_offered[static_cast<size_t>(node - 1)];
}

void COsnapState::MarkOffered(int node)
{
    // Numbers beyond the buffer (nodes made after the reset) are not marked.
    if (node >= 1 && static_cast<size_t>(node) <= m_offered.size()) m_offered[static_cast<size_t>(node - 1)] = 1;
}

bool COsnapState::OnPlane(const double* p) const
{
    switch (theViewProjection.GetMode()) {
        case CViewProjection::kPlan:
            return std::fabs(p[2] - theViewProjection.GetPlatformHeight()) <= theProjectOptions.fVertNodeSpacing;
        case CViewProjection::kElevation: return theElevationPlane.IsPointOnPlane(p) != 0;
        default: return true;
    }
}

bool COsnapState::AddSnapLine(const double* p1, const double* p2, int node1, int node2)
{
    if (!m_collecting || !p1 || !p2) return false;
    if (!OnPlane(p1) || !OnPlane(p2)) return false;
    const double half = HalfTolerance();
    const bool present = AnyAround(m_lineIndex, p1, m_cell, half, [&](int n) {
        const Segment& s = m_lines[static_cast<size_t>(n)];
        return Near(s.a, p1, half) && Near(s.b, p2, half);
    });
    if (present) return false;
    Segment s;
    std::memcpy(s.a, p1, sizeof s.a);
    std::memcpy(s.b, p2, sizeof s.b);
    Insert(m_lineIndex, p1, m_cell, static_cast<int>(m_lines.size()));
    m_lines.push_back(s);
    MarkOffered(node1);
    MarkOffered(node2);
    return true;
}

bool COsnapState::AddSnapPoint(const double* p, int node)
{
    if (!m_collecting || !p || Offered(node) || !OnPlane(p)) return false;
    const double half = HalfTolerance();
    if (AnyAround(m_pointIndex, p, m_cell, half,
                  [&](int n) { return Near(m_points[static_cast<size_t>(n)].v, p, half); }))
        return false;
    Insert(m_pointIndex, p, m_cell, static_cast<int>(m_points.size()));
    m_points.push_back(P3{{p[0], p[1], p[2]}});
    MarkOffered(node);
    return true;
}

bool COsnapState::AddGridPoint(const double* p)
{
    if (!m_collecting || !p) return false;
    const double half = HalfTolerance();
    if (AnyAround(m_gridIndex, p, m_cell, half, [&](int n) { return Near(m_grid[static_cast<size_t>(n)].v, p, half); }))
        return false;
    Insert(m_gridIndex, p, m_cell, static_cast<int>(m_grid.size()));
    m_grid.push_back(P3{{p[0], p[1], p[2]}});
    return true;
}

void COsnapState::Scale(double factor)
{
    for (Segment& s : m_lines)
        for (int k = 0; k < 3; ++k) {
            s.a[k] *= factor;
            s.b[k] *= factor;
        }
    for (P3& p : m_points)
        for (double& v : p.v) v *= factor;
    for (P3& p : m_grid)
        for (double& v : p.v) v *= factor;
    for (int k = 0; k < 3; ++k) m_snap[k] *= factor;
    // The lookup cells no longer match the points: built again.
    m_lineIndex.Clear();
    m_pointIndex.Clear();
    m_gridIndex.Clear();
    for (size_t i = 0; i < m_lines.size(); ++i) Insert(m_lineIndex, m_lines[i].a, m_cell, static_cast<int>(i));
    for (size_t i = 0; i < m_points.size(); ++i) Insert(m_pointIndex, m_points[i].v, m_cell, static_cast<int>(i));
    for (size_t i = 0; i < m_grid.size(); ++i) Insert(m_gridIndex, m_grid[i].v, m_cell, static_cast<int>(i));
}

int COsnapState::IntervalFor(int n)
{
    if (n <= 10000) return 50;
    if (n <= 20000) return 60;
    if (n <= 30000) return 70;
    if (n <= 50000) return 80;
    return 100;
}

void COsnapState::Compete(double x, double y, const double* model, int type, double& best)
{
    const double d = ApproxHypot(x, y);
    if (d > kRadius || d >= best) return;
    best = d;
    m_type = static_cast<int16_t>(type);
    std::memcpy(m_snap, model, sizeof m_snap);
}

void COsnapState::Snap(const double* reference, int x, int y)
{
    const CProjectOptions& o = theProjectOptions;
    const int command = o.nCurrentCommand;
    if ((command == 81 && o.nGenerateMethod == 3) || (command == 160 && o.nGenerateMethod == 8)) return;
    const bool in3D = theViewProjection.GetMode() == CViewProjection::kFree3D;
    if (!in3D && o.nPickOption) return;

    const long now = OperateClockMs();
    if (now - m_lastClock <= IntervalFor(CandidatePoints() + CandidateLines())) return;
    m_lastClock = now;

    if (m_markerShown == 'Y') {
        double sx, sy;
        theViewProjection.WorldToScreen(m_snap, sx, sy);
        if (std::fabs(sx - x) <= 1 && std::fabs(sy - y) <= 1) return;
        ClearMarker();
        m_type = kNone;
    }
    if (!IsOn(kMaster)) return;

    m_type = kNone;
    double best = kFar;
    const double cx = x, cy = y;
    auto inBox = [cx, cy](double sx, double sy) {
        return std::fabs(sx - cx) < kRadius && std::fabs(sy - cy) < kRadius;
    };

    // The screen positions of the lines' ends, once for every pass.
    const size_t nl = m_lines.size();
    m_scratch.resize(nl * 4);
    double* scr = m_scratch.data();
    for (size_t i = 0; i < nl; ++i) {
        theViewProjection.WorldToScreen(m_lines[i].a, scr[4 * i], scr[4 * i + 1]);
        theViewProjection.WorldToScreen(m_lines[i].b, scr[4 * i + 2], scr[4 * i + 3]);
    }

    // End points and nodes.
    const bool endsOnly = command == kCommandSmallRegion || command == kCommandSpring;
    if (IsOn(kEnds) || endsOnly) {
        for (const P3& p : m_points) {
            double sx, sy;
            theViewProjection.WorldToScreen(p.v, sx, sy);
            if (std::fabs(sx - cx) <= kRadius && std::fabs(sy - cy) <= kRadius)
                Compete(sx - cx, sy - cy, p.v, kNode, best);
        }
        for (size_t i = 0; i < nl; ++i) {
            const double* s = scr + 4 * i;
            if (inBox(s[0], s[1])) Compete(s[0] - cx, s[1] - cy, m_lines[i].a, kEnd, best);
            if (inBox(s[2], s[3])) Compete(s[2] - cx, s[3] - cy, m_lines[i].b, kEnd, best);
        }
        if (theOperateLinks.boundarySnapPoints) {
            struct Ctx {
                COsnapState* self;
                double cx, cy, *best;
            } ctx{this, cx, cy, &best};
            theOperateLinks.boundarySnapPoints(
                [](const double* p, int type, void* c) {
                    Ctx& k = *static_cast<Ctx*>(c);
                    double sx, sy;
                    theViewProjection.WorldToScreen(p, sx, sy);
                    if (std::fabs(sx - k.cx) < kRadius && std::fabs(sy - k.cy) < kRadius)
                        k.self->Compete(sx - k.cx, sy - k.cy, p, type == kCentre ? kCentre : kEnd, *k.best);
                },
                &ctx);
        }
        if (endsOnly) {
            if (m_type != kNone) ShowMarker();
            return;
        }
    }

    // Grid points.
    if (IsOn(kGridPoints)) {
        for (const P3& p : m_grid) {
            double sx, sy;
            theViewProjection.WorldToScreen(p.v, sx, sy);
            if (std::fabs(sx - cx) <= kRadius && std::fabs(sy - cy) <= kRadius)
                Compete(sx - cx, sy - cy, p.v, kGrid, best);
        }
    }

    // The line pass.
    const bool onLine = IsOn(kOnLine), crossings = IsOn(kIntersections);
    const bool mid = IsOn(kMidPoints), foot = IsOn(kFootPoints) && reference;
    const bool guides = IsOn(kGuides) && !in3D;
    std::vector<Crossing> list;
    const size_t listMax = std::max<size_t>(nl, 10);
    int nearest = -1;
    double bestEndDist = kFar;
    double refScreen[2] = {0, 0};
    if (foot) theViewProjection.WorldToScreen(reference, refScreen[0], refScreen[1]);
    double viewDir[3] = {0, 0, 1};
    if (guides) theViewProjection.GetViewDir(viewDir);

    if (onLine || crossings || foot || mid) {
        for (size_t i = 0; i < nl; ++i) {
            const Segment& seg = m_lines[i];
            const double* s = scr + 4 * i;
            const bool reaches = std::max(s[0], s[2]) >= cx - kRadius && std::min(s[0], s[2]) <= cx + kRadius &&
                                 std::max(s[1], s[3]) >= cy - kRadius && std::min(s[1], s[3]) <= cy + kRadius;
            if (reaches && mid) {
                const double m[3] = {(seg.a[0] + seg.b[0]) / 2, (seg.a[1] + seg.b[1]) / 2, (seg.a[2] + seg.b[2]) / 2};
                Compete((s[0] + s[2]) / 2 - cx, (s[1] + s[3]) / 2 - cy, m, kMid, best);
            }
            if (reaches && foot) {
                const double u[3] = {seg.b[0] - seg.a[0], seg.b[1] - seg.a[1], seg.b[2] - seg.a[2]};
                const double uu = u[0] * u[0] + u[1] * u[1] + u[2] * u[2];
                if (uu > 0) {
                    const double t = ((reference[0] - seg.a[0]) * u[0] + (reference[1] - seg.a[1]) * u[1] +
                                      (reference[2] - seg.a[2]) * u[2]) /
                                     uu;
                    if (t >= 0 && t <= 1) {
                        const double f[3] = {seg.a[0] + t * u[0], seg.a[1] + t * u[1], seg.a[2] + t * u[2]};
                        double fx, fy;
                        theViewProjection.WorldToScreen(f, fx, fy);
                        if (std::fabs(fx - refScreen[0]) >= 1e-6 || std::fabs(fy - refScreen[1]) >= 1e-6)
                            Compete(fx - cx, fy - cy, f, kFoot, best);
                    }
                }
            }
            if (!onLine && !crossings) continue;

            // The line itself, then its three guides (perpendicular in the screen).
            double n[3] = {0, 0, 0}, g[2] = {0, 0};
            if (guides) {
                const double u[3] = {seg.b[0] - seg.a[0], seg.b[1] - seg.a[1], seg.b[2] - seg.a[2]};
                n[0] = viewDir[1] * u[2] - viewDir[2] * u[1];
                n[1] = viewDir[2] * u[0] - viewDir[0] * u[2];
                n[2] = viewDir[0] * u[1] - viewDir[1] * u[0];
                const double an[3] = {seg.a[0] + n[0], seg.a[1] + n[1], seg.a[2] + n[2]};
                theViewProjection.WorldToScreen(an, g[0], g[1]);
                g[0] -= s[0];
                g[1] -= s[1];
            }
            const int tries = guides ? 4 : 1;
            for (int k = 0; k < tries; ++k) {
                const bool guide = k > 0;
                double base[3], baseScr[2], dir[2];
                if (!guide) {
                    std::memcpy(base, seg.a, sizeof base);
                    baseScr[0] = s[0];
                    baseScr[1] = s[1];
                    dir[0] = s[2] - s[0];
                    dir[1] = s[3] - s[1];
                } else {
                    const double f = (k - 1) * 0.5;
                    for (int c = 0; c < 3; ++c) base[c] = seg.a[c] + f * (seg.b[c] - seg.a[c]);
                    baseScr[0] = s[0] + f * (s[2] - s[0]);
                    baseScr[1] = s[1] + f * (s[3] - s[1]);
                    dir[0] = g[0];
                    dir[1] = g[1];
                }
                const double len2 = dir[0] * dir[0] + dir[1] * dir[1];
                if (len2 < 1e-10) break;
                const double t = ((cx - baseScr[0]) * dir[0] + (cy - baseScr[1]) * dir[1]) / len2;
                if (std::fabs(t) <= 0.02 || (!guide && std::fabs(t - 1) <= 0.02)) continue;
                const double px = baseScr[0] + t * dir[0], py = baseScr[1] + t * dir[1];
                const double d = ApproxHypot(px - cx, py - cy);
                if (d > kRadius) continue;
                double endScr[2] = {baseScr[0], baseScr[1]};
                if (!guide && t >= 0.5) {
                    endScr[0] = s[2];
                    endScr[1] = s[3];
                }
                const double endDist = ApproxHypot(endScr[0] - cx, endScr[1] - cy);
                const double* step = guide ? n : nullptr;
                double model[3], a2[3];
                for (int c = 0; c < 3; ++c) {
                    const double dm = guide ? step[c] : seg.b[c] - seg.a[c];
                    model[c] = base[c] + t * dm;
                    a2[c] = base[c] + dm;
                }
                if (list.size() < listMax) {
                    Crossing e;
                    e.line = static_cast<int>(i);
                    e.guide = guide;
                    std::memcpy(e.a, base, sizeof e.a);
                    std::memcpy(e.b, a2, sizeof e.b);
                    std::memcpy(e.ref, guide ? base : seg.a, sizeof e.ref);
                    e.d = d;
                    if (nearest < 0 || d < list[static_cast<size_t>(nearest)].d)
                        nearest = static_cast<int>(list.size());
                    list.push_back(e);
                }
                if (onLine && d < 15) {
                    const bool take = m_type == kDistance ? (d < best - 3 && endDist < bestEndDist) : d < best - 10;
                    if (take) {
                        best = d + 4;
                        bestEndDist = endDist;
                        m_type = kDistance;
                        std::memcpy(m_snap, model, sizeof m_snap);
                        const double* r = guide ? base : (t >= 0.5 ? seg.b : seg.a);
                        std::memcpy(m_ref1, r, sizeof m_ref1);
                        m_guide[0] = guide ? 1 : 0;
                    }
                }
            }
        }
    }

    // Intersections of the lines near the cursor.
    if (crossings && list.size() > 1) {
        const double tol = o.dHorzNodeSpacing > 0 ? o.dHorzNodeSpacing : 0.02;
        double bestRefSum = kFar;
        const size_t m = list.size();
        auto tryPair = [&](size_t i, size_t j) {
            const Crossing& p = list[i];
            const Crossing& q = list[j];
            if (p.line == q.line) return;
            double at[3];
            if (!GFunc::LineIntersect(p.a, p.b, q.a, q.b, at, tol, 1, 1)) return;
            double sx, sy;
            theViewProjection.WorldToScreen(at, sx, sy);
            const double d = ApproxHypot(sx - cx, sy - cy);
            if (d > kRadius) return;
            double r1x, r1y, r2x, r2y;
            theViewProjection.WorldToScreen(p.ref, r1x, r1y);
            theViewProjection.WorldToScreen(q.ref, r2x, r2y);
            const double refSum = ApproxHypot(sx - r1x, sy - r1y) + ApproxHypot(sx - r2x, sy - r2y);
            const bool take = m_type == kIntersection ? (d < best + 1 && refSum < bestRefSum) : d < best - 2;
            if (!take) return;
            best = d;
            bestRefSum = refSum;
            m_type = kIntersection;
            std::memcpy(m_snap, at, sizeof m_snap);
            std::memcpy(m_ref1, p.ref, sizeof m_ref1);
            std::memcpy(m_ref2, q.ref, sizeof m_ref2);
            m_guide[0] = p.guide ? 1 : 0;
            m_guide[1] = q.guide ? 1 : 0;
        };
        if (m > 50) {
            for (size_t j = 0; j < m; ++j)
                if (static_cast<int>(j) != nearest) tryPair(static_cast<size_t>(nearest), j);
        } else {
            for (size_t i = 0; i < m; ++i)
                for (size_t j = i + 1; j < m; ++j) tryPair(i, j);
        }
    }

    if (m_type != kNone) ShowMarker();
}

bool COsnapState::GetSnapPoint(double out[3]) const
{
    if (m_snapValid != 'Y') return false;
    std::memcpy(out, m_snap, sizeof m_snap);
    return true;
}

void COsnapState::ShowMarker()
{
    m_snapValid = 'Y';
    if (m_markerShown == 'Y') return;
    m_markerShown = 'Y';
    DrawMarker();
}

void COsnapState::ClearMarker()
{
    m_snapValid = 'N';
    if (m_markerShown != 'Y') return;
    m_markerShown = 'N';
    DrawMarker();
}

std::string COsnapState::GetStatusText() const
{
    std::string text = "捕捉:";
    if (IsOn(kEnds)) text += "端";
    if (IsOn(kGridPoints)) text += "网";
    if (IsOn(kMidPoints)) text += "中";
    if (IsOn(kFootPoints)) text += "垂";
    if (IsOn(kOnLine)) text += "线上";
    if (IsOn(kIntersections)) text += "交";
    if (IsOn(kGuides)) text += "垂线";
    return text;
}

namespace {

// The stored order of the switches.
constexpr COsnapState::Switch kStored[8] = {
    COsnapState::kMaster,     COsnapState::kEnds,   COsnapState::kMidPoints,     COsnapState::kFootPoints,
    COsnapState::kGridPoints, COsnapState::kOnLine, COsnapState::kIntersections, COsnapState::kGuides};

}  // namespace

int COsnapState::Write(bofstream& out) const
{
    char bytes[8];
    for (int i = 0; i < 8; ++i) bytes[i] = m_switch[kStored[i]];
    out.Write(bytes, 8);
    return out.IsGood() ? 1 : 0;
}

int COsnapState::Read(bifstream& in)
{
    if (nPrjVersion < 400) return in.IsGood() ? 1 : 0;
    const int n = nPrjVersion >= 520 ? 8 : 6;
    char bytes[8] = {'N', 'N', 'N', 'N', 'N', 'N', 'N', 'N'};
    if (!in.Read(bytes, n) || !in.IsGood()) {
        in.SetFailed();
        return 0;
    }
    for (int i = 0; i < n; ++i) {
        if (bytes[i] != 'Y' && bytes[i] != 'N') {
            in.SetFailed();
            return 0;
        }
    }
    for (int i = 0; i < 8; ++i) m_switch[kStored[i]] = bytes[i];
    return 1;
}

int WriteOsnapBlock(bofstream& out)
{
    return theOsnapState.Write(out);
}

int ReadOsnapBlock(bifstream& in)
{
    return theOsnapState.Read(in);
}

// ---- hit tests --------------------------------------------------------------------------------

int HitTestSegmentScreen(int x, int y, int x1, int y1, int x2, int y2)
{
    const int t = static_cast<int>(2.5 * theProjectOptions.nSnapTargetSize);
    if ((x1 < x - t && x2 < x - t) || (x1 > x + t && x2 > x + t) || (y1 < y - t && y2 < y - t) ||
        (y1 > y + t && y2 > y + t))
        return 0;
    const double dx = double(x2) - x1, dy = double(y2) - y1;
    const double px = double(x) - x1, py = double(y) - y1;
    if (std::fabs(dx) + std::fabs(dy) < 3) {
        if (std::fabs(px) > t || std::fabs(py) > t) return 0;
        return 1 + static_cast<int>(std::sqrt(px * px + py * py));
    }
    const double len = std::sqrt(dx * dx + dy * dy);
    if (dx == 0) {
        const double lo = std::min(y1, y2), hi = std::max(y1, y2);
        if (std::fabs(px) > t || y < lo || y > hi) return 0;
        return 1 + static_cast<int>(std::fabs(px));
    }
    // The quadrilateral turned by the segment's angle: along and across.
    const double along = (px * dx + py * dy) / len;
    const double across = (px * dy - py * dx) / len;
    if (along < 0 || along > len || std::fabs(across) > t) return 0;
    if (len <= 1e-10) return 1 + static_cast<int>(std::sqrt(px * px + py * py));
    return 1 + static_cast<int>(std::fabs(across));
}

int HitTestSegment(int x, int y, const double* p, const double* q)
{
    int x1, y1, x2, y2;
    theViewProjection.WorldToScreenInt(p, x1, y1);
    theViewProjection.WorldToScreenInt(q, x2, y2);
    return HitTestSegmentScreen(x, y, x1, y1, x2, y2);
}

int HitTestSegmentPlane(int x, int y, int nodeI, int nodeJ)
{
    int x1, y1, x2, y2;
    if (!theViewProjection.NodeToScreenInt(nodeI, x1, y1, 1) || !theViewProjection.NodeToScreenInt(nodeJ, x2, y2, 1))
        return 0;
    return HitTestSegmentScreen(x, y, x1, y1, x2, y2);
}

bool SegmentsOverlapCollinear(const double* a1, const double* a2, const double* b1, const double* b2)
{
    constexpr double tol = 0.001;
    for (int k = 0; k < 3; ++k) {
        if (std::max(a1[k], a2[k]) < std::min(b1[k], b2[k]) - tol) return false;
        if (std::max(b1[k], b2[k]) < std::min(a1[k], a2[k]) - tol) return false;
    }
    double u[3], v[3];
    for (int k = 0; k < 3; ++k) {
        u[k] = a2[k] - a1[k];
        v[k] = b2[k] - b1[k];
    }
    const double lu = std::sqrt(u[0] * u[0] + u[1] * u[1] + u[2] * u[2]);
    const double lv = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (lu < 1e-12 || lv < 1e-12) return false;
    const double c[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
    if (std::sqrt(c[0] * c[0] + c[1] * c[1] + c[2] * c[2]) / (lu * lv) > tol) return false;
    // An end of one on the other.
    auto onSegment = [](const double* p, const double* s1, const double* s2) {
        double d[3], w[3];
        for (int k = 0; k < 3; ++k) {
            d[k] = s2[k] - s1[k];
            w[k] = p[k] - s1[k];
        }
        const double dd = d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
        const double t = (w[0] * d[0] + w[1] * d[1] + w[2] * d[2]) / dd;
        if (t < -1e-9 || t > 1 + 1e-9) return false;
        double e = 0;
        for (int k = 0; k < 3; ++k) e = std::max(e, std::fabs(s1[k] + t * d[k] - p[k]));
        return e <= tol;
    };
    return onSegment(a1, b1, b2) || onSegment(a2, b1, b2) || onSegment(b1, a1, a2) || onSegment(b2, a1, a2);
}
