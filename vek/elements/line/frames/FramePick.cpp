#include "vek/elements/line/frames/FramePick.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "korvalib/base/GFunc.h"
#include "vek/elements/line/frames/Frame.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/draw/DrawLayer.h"
#include "vek/view/operate/Picking.h"

namespace {

bool OfKind(const CFrame& f, char kind)
{
    if (kind == 'B') return f.IsHorizontal();
    if (kind == 'C') return !f.IsHorizontal();
    return true;
}

bool Candidate(const CFrame& f, int allStates, char kind)
{
    const int state = f.GetDisplayBits();
    return (allStates ? state != 0 : state == 1) && OfKind(f, kind);
}

bool ScreenEnds(const CFrame& f, double a[2], double b[2])
{
    const CNode* i = FindNode(f.m_nNodeI);
    const CNode* j = FindNode(f.m_nNodeJ);
    if (!i || !j) return false;
    i->GetScreenPointF(a[0], a[1], 1);
    j->GetScreenPointF(b[0], b[1], 1);
    return true;
}

void Change(CFrame& f, int toggle)
{
    if (!f.IsSelected())
        f.m_nFlags |= kObjSelected;
    else if (toggle)
        f.m_nFlags &= ~kObjSelected;
    else
        return;
    f.Draw();
}

// 0 for a miss; else 1 + the pixel distance from the segment.
double Score(double x, double y, const double a[2], const double b[2])
{
    const double half = std::max(theProjectOptions.nSnapTargetSize / 2.0, 2.0);
    const double dx = b[0] - a[0], dy = b[1] - a[1];
    const double len2 = dx * dx + dy * dy;
    const double t = len2 > 0 ? std::clamp(((x - a[0]) * dx + (y - a[1]) * dy) / len2, 0.0, 1.0) : 0.0;
    const double d = std::hypot(x - (a[0] + t * dx), y - (a[1] + t * dy));
    return d <= half ? 1 + d : 0;
}

bool NoStoreysFor(char kind)
{
    return (kind == 'B' || kind == 'C') && theLevels.count <= 0;
}

template <class Inside>
int SelectWhere(int toggle, int allStates, char kind, Inside inside)
{
    if (NoStoreysFor(kind)) return 0;
    int any = 0;
    CDrawSession session;
    for (int i = 0; i < theFrames.GetSize(); ++i) {
        CFrame* f = theFrames.GetAt(i);
        double a[2], b[2];
        if (!Candidate(*f, allStates, kind) || !ScreenEnds(*f, a, b) || !inside(a, b)) continue;
        const uint32_t before = f->m_nFlags;
        Change(*f, toggle);
        if (f->m_nFlags != before) any = 1;
    }
    return any;
}

}  // namespace

int PickFrameAtPoint(int x, int y, int toggle, int stacked, char kind)
{
    if (NoStoreysFor(kind)) return 0;
    CFrame* best = nullptr;
    double bestScore = 200;
    for (int i = 0; i < theFrames.GetSize(); ++i) {
        CFrame* f = theFrames.GetAt(i);
        double a[2], b[2];
        if (!Candidate(*f, 0, kind) || !ScreenEnds(*f, a, b)) continue;
        const double s = Score(x, y, a, b);
        if (s > 0 && s < bestScore) {
            bestScore = s;
            best = f;
        }
    }
    if (!best) return 0;
    CDrawSession session;
    Change(*best, toggle);
    if (stacked && theLevels.count > 0 && theViewProjection.GetMode() == 1) {
        const CNode* bi = FindNode(best->m_nNodeI);
        const CNode* bj = FindNode(best->m_nNodeJ);
        const double h = theProjectOptions.dHorzNodeSpacing;
        auto samePlan = [h](const CNode* p, const CNode* q) {
            return p && q && std::fabs(p->m_dCoord[0] - q->m_dCoord[0]) <= h &&
                   std::fabs(p->m_dCoord[1] - q->m_dCoord[1]) <= h;
        };
        const uint32_t state = best->m_nFlags & kObjSelected;
        for (int i = 0; i < theFrames.GetSize(); ++i) {
            CFrame* f = theFrames.GetAt(i);
            if (f == best || f->GetDisplayBits() != 2 || !OfKind(*f, kind)) continue;
            const CNode* fi = FindNode(f->m_nNodeI);
            const CNode* fj = FindNode(f->m_nNodeJ);
            if (!((samePlan(fi, bi) && samePlan(fj, bj)) || (samePlan(fi, bj) && samePlan(fj, bi)))) continue;
            if ((f->m_nFlags & kObjSelected) != state) {
                f->m_nFlags = (f->m_nFlags & ~kObjSelected) | state;
                f->Draw();
            }
        }
    }
    return 1;
}

int SelectFramesInWindow(POINT c1, POINT c2, int toggle, int allStates, char kind)
{
    const double x1 = std::min(c1.x, c2.x), x2 = std::max(c1.x, c2.x);
    const double y1 = std::min(c1.y, c2.y), y2 = std::max(c1.y, c2.y);
    auto in = [&](const double p[2]) { return p[0] > x1 && p[0] < x2 && p[1] > y1 && p[1] < y2; };
    return SelectWhere(toggle, allStates, kind, [&](const double a[2], const double b[2]) { return in(a) && in(b); });
}

int SelectFramesCrossingLine(POINT p1, POINT p2, int toggle, int allStates, char kind)
{
    const int s1[2] = {int(p1.x), int(p1.y)}, s2[2] = {int(p2.x), int(p2.y)};
    return SelectWhere(toggle, allStates, kind, [&](const double a[2], const double b[2]) {
        const int e1[2] = {int(std::lround(a[0])), int(std::lround(a[1]))};
        const int e2[2] = {int(std::lround(b[0])), int(std::lround(b[1]))};
        return GFunc::LineIntersect(s1, s2, e1, e2, 1) != 0;
    });
}

int SelectFramesInPolygon(const POINT* points, int n, int toggle, int allStates, char kind)
{
    if (n < 3 || !points) return 0;
    std::vector<double> poly(size_t(n) * 2);
    for (int i = 0; i < n; ++i) poly[size_t(2 * i)] = points[i].x, poly[size_t(2 * i + 1)] = points[i].y;
    const auto* pts = reinterpret_cast<const double(*)[2]>(poly.data());
    return SelectWhere(toggle, allStates, kind, [&](const double a[2], const double b[2]) {
        return GFunc::PointInRegion(a[0], a[1], n, pts, 0.5, 1) && GFunc::PointInRegion(b[0], b[1], n, pts, 0.5, 1);
    });
}

namespace {

template <char K>
struct Rows {
    static int At(int x, int y, int single, int range) { return PickFrameAtPoint(x, y, single, range, K); }
    static int Window(POINT a, POINT b, int single, int range) { return SelectFramesInWindow(a, b, single, range, K); }
    static int Polygon(const POINT* p, int n, int single, int range)
    {
        return SelectFramesInPolygon(p, n, single, range, K);
    }
    static int Across(POINT a, POINT b, int single, int range)
    {
        return SelectFramesCrossingLine(a, b, single, range, K);
    }
    static const CPickRoutines& Get()
    {
        static const CPickRoutines r = [] {
            CPickRoutines x;
            x.atPoint = At;
            x.inWindow = Window;
            x.inPolygon = Polygon;
            x.acrossSegment = Across;
            x.anySelected = [] {
                for (int i = 0; i < theFrames.GetSize(); ++i)
                    if (theFrames.GetAt(i)->IsSelected() && OfKind(*theFrames.GetAt(i), K)) return true;
                return false;
            };
            return x;
        }();
        return r;
    }
};

}  // namespace

void RegisterFramePickRows()
{
    RegisterPickRoutines(EPickKind::Frames, &Rows<'F'>::Get());
    RegisterPickRoutines(EPickKind::Beams, &Rows<'B'>::Get());
    RegisterPickRoutines(EPickKind::Columns, &Rows<'C'>::Get());
}
