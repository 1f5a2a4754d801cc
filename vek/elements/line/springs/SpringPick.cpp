#include <algorithm>
#include <cmath>

#include "korvalib/base/GFunc.h"
#include "vek/elements/line/springs/Spring.h"
#include "vek/elements/line/springs/SpringGeometry.h"
#include "vek/model/ProjectOptions.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/draw/DrawLayer.h"

namespace {

bool Hit(CSpring& s, int single)
{
    const bool was = s.IsSelected();
    if (!was)
        s.m_nFlags |= kObjSelected;
    else if (single)
        s.m_nFlags &= ~kObjSelected;
    if (s.IsSelected() != was) s.Draw();
    return true;
}

bool ScreenEnds(const CSpring& s, double a[2], double b[2])
{
    double p[3], q[3];
    if (!SpringEnds(s, p, q)) return false;
    theViewProjection.WorldToScreen(p, a[0], a[1]);
    theViewProjection.WorldToScreen(q, b[0], b[1]);
    return true;
}

// 0 outside the corridor of half the pick box around the segment, else
// 1 + the distance.
double SegmentHit(double x, double y, const double a[2], const double b[2])
{
    const double half = std::max(theProjectOptions.nSnapTargetSize / 2.0, 1.0);
    const double dx = b[0] - a[0], dy = b[1] - a[1];
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((x - a[0]) * dx + (y - a[1]) * dy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    const double d = std::hypot(x - (a[0] + t * dx), y - (a[1] + t * dy));
    return d <= half ? 1 + d : 0;
}

}  // namespace

int PickNearestSpring(double x, double y, int single)
{
    CSpring* best = nullptr;
    double bestScore = 200;
    for (int i = 0; i < theSprings.GetSize(); ++i) {
        CSpring* s = theSprings.GetAt(i);
        if (s->GetDisplayBits() != 1) continue;
        double a[2], b[2];
        if (!ScreenEnds(*s, a, b)) continue;
        const double score = SegmentHit(x, y, a, b);
        if (score > 0 && score < bestScore) {
            bestScore = score;
            best = s;
        }
    }
    if (!best) return 0;
    CDrawSession session;
    return Hit(*best, single) ? 1 : 0;
}

int SelectSpringsInWindow(const double corner1[2], const double corner2[2], int single)
{
    const double x1 = std::min(corner1[0], corner2[0]), x2 = std::max(corner1[0], corner2[0]);
    const double y1 = std::min(corner1[1], corner2[1]), y2 = std::max(corner1[1], corner2[1]);
    auto inside = [&](const double p[2]) { return p[0] > x1 && p[0] < x2 && p[1] > y1 && p[1] < y2; };
    int any = 0;
    CDrawSession session;
    for (int i = 0; i < theSprings.GetSize(); ++i) {
        CSpring* s = theSprings.GetAt(i);
        double a[2], b[2];
        if (s->GetDisplayBits() != 1 || !ScreenEnds(*s, a, b)) continue;
        if (inside(a) && inside(b)) any = Hit(*s, single) ? 1 : any;
    }
    return any;
}

int SelectSpringsInRegion(int n, const double (*polygon)[2], int single)
{
    if (n < 3 || !polygon) return 0;
    int any = 0;
    CDrawSession session;
    for (int i = 0; i < theSprings.GetSize(); ++i) {
        CSpring* s = theSprings.GetAt(i);
        double a[2], b[2];
        if (s->GetDisplayBits() != 1 || !ScreenEnds(*s, a, b)) continue;
        if (GFunc::PointInRegion(a[0], a[1], n, polygon, 0.5, 1) &&
            GFunc::PointInRegion(b[0], b[1], n, polygon, 0.5, 1))
            any = Hit(*s, single) ? 1 : any;
    }
    return any;
}
