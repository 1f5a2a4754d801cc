#include "vek/model/geometry/Arcs.h"

#include <algorithm>
#include <cmath>

#include "korvalib/base/Vector.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ModelHooks.h"

namespace {

constexpr double kPi = 3.141592653589793;

double Dist(const double* a, const double* b)
{
    return std::hypot(b[0] - a[0], b[1] - a[1]);
}

}  // namespace

double ArcPointAngle(const double* c, const double* p)
{
    const double a = std::atan2(p[1] - c[1], p[0] - c[0]);
    return a < -kPi / 2 ? a + 2 * kPi : a;
}

int ArcFromCentreStartEnd(const double* centre, const double* start, const double* end, CArc2D& arc)
{
    const double r = Dist(centre, start);
    if (r <= 1e-10 || Dist(centre, end) <= 1e-10) return 0;
    arc.centre[0] = centre[0];
    arc.centre[1] = centre[1];
    arc.radius = r;
    arc.start = ArcPointAngle(centre, start);
    arc.end = ArcPointAngle(centre, end);
    if (arc.start > arc.end) arc.end += 2 * kPi;
    return 1;
}

int ArcFromStartCentreSweep(const double* start, const double* centre, double sweepDeg, CArc2D& arc)
{
    const double r = Dist(centre, start);
    if (r <= 1e-10) return 0;
    arc.centre[0] = centre[0];
    arc.centre[1] = centre[1];
    arc.radius = r;
    arc.start = ArcPointAngle(centre, start);
    arc.end = arc.start + sweepDeg * kPi / 180;
    return 1;
}

int ArcFromChordSweep(const double* start, const double* end, double sweepDeg, CArc2D& arc)
{
    const double c = Dist(start, end);
    const double theta = sweepDeg * kPi / 180;
    const double half = std::sin(theta / 2);
    // A sweep of 0 or a whole turn gives no circle through two points.
    if (c <= 1e-10 || std::fabs(half) < 1e-10) return 0;
    const double R = c / (2 * half);
    const double turn = (kPi - theta) / 2;
    const double dx = (end[0] - start[0]) * R / c, dy = (end[1] - start[1]) * R / c;
    const double centre[2] = {start[0] + dx * std::cos(turn) - dy * std::sin(turn),
                              start[1] + dx * std::sin(turn) + dy * std::cos(turn)};
    return theta > 0 ? ArcFromCentreStartEnd(centre, start, end, arc) : ArcFromCentreStartEnd(centre, end, start, arc);
}

int ArcFromStartCentreChord(const double* start, const double* centre, double chord, CArc2D& arc)
{
    const double r = Dist(centre, start);
    if (r <= 1e-10 || std::fabs(chord) < 1e-10 || std::fabs(chord / 2 / r) > 1.00001) return 0;
    double sweep = 2 * std::asin(std::clamp(chord / 2 / r, -1.0, 1.0));
    if (sweep < 1e-8) sweep += 2 * kPi;
    arc.centre[0] = centre[0];
    arc.centre[1] = centre[1];
    arc.radius = r;
    arc.start = ArcPointAngle(centre, start);
    arc.end = arc.start + sweep;
    return 1;
}

int ArcFromStartEndRadius(const double* start, const double* end, double radius, CArc2D& arc)
{
    if (radius == 0) return 0;
    const double s = Dist(start, end) / 2 / radius;
    if (std::fabs(s) > 1.0001) return 0;
    double sweep = 2 * std::asin(std::clamp(s, -1.0, 1.0));
    if (sweep < 1e-8) sweep += 2 * kPi;
    return ArcFromChordSweep(start, end, sweep * 180 / kPi, arc);
}

int ArcThroughThreePoints(const double* start, const double* middle, const double* end, CArc2D& arc)
{
    const double* a = start;
    const double* b = end;
    const double cross = (middle[0] - a[0]) * (b[1] - middle[1]) - (middle[1] - a[1]) * (b[0] - middle[0]);
    if (cross < 0) std::swap(a, b);
    const double q1 = (a[0] - middle[0]) * (a[0] - middle[0]) + (a[1] - middle[1]) * (a[1] - middle[1]);
    const double q2 = (b[0] - middle[0]) * (b[0] - middle[0]) + (b[1] - middle[1]) * (b[1] - middle[1]);
    // A point on another gives no angle at the middle point.
    if (q1 + q2 < 2e-10 || q1 < 1e-20 || q2 < 1e-20) return 0;
    const double ab = (a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]);
    const double cosG = std::clamp((q1 + q2 - ab) / (2 * std::sqrt(q1) * std::sqrt(q2)), -1.0, 1.0);
    const double sweep = 2 * (kPi - std::acos(cosG)) * 180 / kPi;
    return ArcFromChordSweep(a, b, sweep, arc);
}

int ArcFromThreePoints(const double* p1, const double* p2, const double* p3, const double* origin,
                       const double (*axes)[3], double centre[3], CArc2D& arc)
{
    CTransferMatrix frame;
    frame.SetMatrix(axes[0], axes[1], axes[2]);
    frame.SetOrig(origin);
    double l1[3], l2[3], l3[3];
    frame.ToLocal(p1, l1);
    frame.ToLocal(p2, l2);
    frame.ToLocal(p3, l3);
    if (!ArcThroughThreePoints(l1, l2, l3, arc)) return 0;
    const double c[3] = {arc.centre[0], arc.centre[1], 0};
    frame.ToGlobal(c, centre);
    return 1;
}

int ComputeArcFromPicks(const CArcPicks& picks, double centre[3], double& start, double& end, double& radius,
                        int method, int report)
{
    CModelProjection& view = ModelProjection();
    if (view.GetMode() == 3) return 0;
    if (method < 1) method = ModelHooks().CurrentArcMethod();
    double p[3][2] = {};
    for (int i = 0; i < picks.count && i < 3; ++i) view.WorldToPlane(picks.points[i], p[i][0], p[i][1]);
    const bool two = picks.count >= 2;
    const bool third = picks.count >= 3 && !picks.thirdTyped;
    const bool typed = picks.thirdTyped && two;
    CArc2D arc;
    int ok = 0;
    switch (method) {
        case 1: ok = third && ArcFromCentreStartEnd(p[1], p[0], p[2], arc); break;
        case 2: ok = typed && ArcFromStartCentreSweep(p[0], p[1], picks.typed, arc); break;
        case 3: ok = typed && ArcFromStartCentreChord(p[0], p[1], picks.typed, arc); break;
        case 4: ok = third && ArcThroughThreePoints(p[0], p[1], p[2], arc); break;
        case 5: ok = typed && ArcFromChordSweep(p[0], p[1], picks.typed, arc); break;
        case 6: ok = typed && ArcFromStartEndRadius(p[0], p[1], picks.typed, arc); break;
        default: break;
    }
    if (!ok) {
        if (report) AppMessageBoxID(126);
        return 0;
    }
    view.PlaneToWorld(arc.centre[0], arc.centre[1], centre);
    start = arc.start;
    end = arc.end;
    while (end < start) end += 2 * kPi;
    radius = arc.radius;
    return 1;
}
