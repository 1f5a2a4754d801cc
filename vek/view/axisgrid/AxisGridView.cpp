#include "vek/view/axisgrid/AxisGridView.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "korvalib/base/GFunc.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/display/DisplayOptions.h"
#include "vek/view/DisplayColors.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/ViewSettings.h"
#include "vek/view/draw/DrawLayer.h"

namespace {

constexpr double kDegree = 0.017453292519943295;
constexpr int kPenSolid = 0;
constexpr int kPenDot = 2;

// Line colours of grids 2..10.
constexpr uint32_t Rgb(int r, int g, int b)
{
    return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16;
}
const uint32_t kGridColours[9] = {Rgb(217, 206, 166), Rgb(175, 211, 162), Rgb(224, 158, 224),
                                  Rgb(255, 128, 0),   Rgb(128, 64, 0),    Rgb(255, 255, 255),
                                  Rgb(192, 192, 192), Rgb(0, 128, 192),   Rgb(187, 0, 94)};

bool GridsInView()
{
    return theViewProjection.GetMode() != CViewProjection::kFree3D && theViewProjection.AxisGridInView();
}

int PickAperture()
{
    return theProjectOptions.nSnapTargetSize;
}

// The segment hit test of picking: 0 for a miss, else 1 + the whole-number
// pixel distance of the point from the segment's line.
int HitSegment(int x, int y, double x1, double y1, double x2, double y2)
{
    const double t = static_cast<int>(2.5 * PickAperture());
    if ((x1 < x - t && x2 < x - t) || (x1 > x + t && x2 > x + t) || (y1 < y - t && y2 < y - t) ||
        (y1 > y + t && y2 > y + t))
        return 0;
    const double dx = x2 - x1, dy = y2 - y1;
    const double px = x - x1, py = y - y1;
    if (std::fabs(dx) + std::fabs(dy) < 3) {
        if (std::fabs(px) > t || std::fabs(py) > t) return 0;
        return 1 + static_cast<int>(std::sqrt(px * px + py * py));
    }
    const double len = std::sqrt(dx * dx + dy * dy);
    const double along = (px * dx + py * dy) / len;
    const double across = std::fabs(px * dy - py * dx) / len;
    if (along < 0 || along > len || across > t) return 0;
    return 1 + static_cast<int>(across);
}

struct Span {
    double lo, hi;
};

// Where the lines of one list run: between the other list's first and last
// positions, or between 1/10 and 9/10 of the view's extent along `axis`
// when the other list is empty.
Span LineSpan(const CAxisList& other, int axis)
{
    if (other.GetSize() > 0) return {AxisPosition(other, 0), AxisPosition(other, other.GetSize() - 1)};
    const double top = theViewProjection.GetExtent()[axis];
    Span s{top / 10, top * 9 / 10};
    if (s.lo > s.hi) std::swap(s.lo, s.hi);
    return s;
}

double SmallestPosition(const CAxisList& l)
{
    double m = AxisPosition(l, 0);
    for (int i = 1; i < l.GetSize(); ++i) m = std::min(m, AxisPosition(l, i));
    return m;
}

double LargestPosition(const CAxisList& l)
{
    double m = AxisPosition(l, 0);
    for (int i = 1; i < l.GetSize(); ++i) m = std::max(m, AxisPosition(l, i));
    return m;
}

POINT ToPoint(double sx, double sy)
{
    auto clamp = [](double v) { return static_cast<LONG>(std::clamp(v, -1.0e8, 1.0e8)); };
    return POINT{clamp(sx), clamp(sy)};
}

// The grid's geometry in pixels, shared by drawing and picking.
class GridGeometry {
public:
    explicit GridGeometry(const CAxisGrid& g) : m_g(g)
    {
        float px, py, cx, cy;
        double deg;
        g.GetEccentricCentres(px, py, cx, cy, deg);
        m_ray[0] = px;
        m_ray[1] = py;
        m_centre[0] = cx;
        m_centre[1] = cy;
    }

    // A local point (rectangular, polar) or plane point (eccentric) in pixels.
    POINT Local(double x, double y) const
    {
        const double l[2] = {x, y};
        double sx, sy;
        AxisGridLocalToScreen(m_g, l, sx, sy);
        return ToPoint(sx, sy);
    }
    POINT Plane(double x, double y) const
    {
        double sx, sy;
        GridPlaneToScreen(x, y, sx, sy);
        return ToPoint(sx, sy);
    }

    // A circle of radius r between two angles (degrees, from the grid's
    // angle), as screen points in steps of 0.02 radians.
    std::vector<POINT> Arc(double r, double fromDeg, double toDeg) const
    {
        double a0 = fromDeg * kDegree, a1 = toDeg * kDegree;
        if (std::fabs(toDeg - fromDeg - 360) < 1e-9) a1 -= kDegree;
        std::vector<POINT> pts;
        const int steps = std::min(100000, std::max(0, static_cast<int>((a1 - a0) / 0.02)));
        for (int i = 0; i <= steps; ++i) pts.push_back(ArcPoint(r, a0 + i * 0.02));
        pts.push_back(ArcPoint(r, a1));
        return pts;
    }

    // End points of radial line at angle `deg` from radius r0 to r1.
    void Ray(double deg, double r0, double r1, POINT& a, POINT& b) const
    {
        if (m_g.GetKind() == CAxisGrid::kEccentric) {
            // Rays start at the ray origin and run |P - C| + the largest radius.
            const double t = deg * kDegree + m_g.GetAngle();
            const double len = std::hypot(m_ray[0] - m_centre[0], m_ray[1] - m_centre[1]) + r1;
            a = Plane(m_ray[0], m_ray[1]);
            b = Plane(m_ray[0] + len * std::cos(t), m_ray[1] + len * std::sin(t));
            return;
        }
        const double t = deg * kDegree;
        a = Local(r0 * std::cos(t), r0 * std::sin(t));
        b = Local(r1 * std::cos(t), r1 * std::sin(t));
    }

    // The cursor's angle (degrees, from the grid's angle) and distance about
    // the circles' centre, in plane units.
    void Polar(int x, int y, double& deg, double& dist) const
    {
        double u, v;
        ScreenToGridPlane(x, y, u, v);
        double c[2];
        if (m_g.GetKind() == CAxisGrid::kEccentric) {
            c[0] = m_centre[0];
            c[1] = m_centre[1];
        } else {
            const double o[2] = {0, 0};
            m_g.LocalToGlobal(o, c);
        }
        dist = std::hypot(u - c[0], v - c[1]);
        deg = (std::atan2(v - c[1], u - c[0]) - m_g.GetAngle()) / kDegree;
    }

private:
    POINT ArcPoint(double r, double a) const
    {
        if (m_g.GetKind() == CAxisGrid::kEccentric) {
            const double t = a + m_g.GetAngle();
            return Plane(m_centre[0] + r * std::cos(t), m_centre[1] + r * std::sin(t));
        }
        return Local(r * std::cos(a), r * std::sin(a));
    }

    const CAxisGrid& m_g;
    double m_ray[2], m_centre[2];
};

void Polyline(const std::vector<POINT>& pts)
{
    if (theDrawState.dc && pts.size() > 1) theDrawState.dc->Polyline(pts.data(), static_cast<int>(pts.size()));
}

void Line(POINT a, POINT b)
{
    DrawGdiLine(a.x, a.y, b.x, b.y);
}

// Numbers and spacings of one list of a rectangular grid whose lines run
// over `span`: each line continued beyond its start, dimension lines between
// neighbours with their spacing, and a numbered bubble past each line.
void Annotate(const GridGeometry& geo, const CAxisList& l, int which, Span span, uint32_t lineColour,
              uint32_t textColour, int radius)
{
    const int n = l.GetSize();
    const double dir = span.hi >= span.lo ? 1 : -1;
    const double off = std::fabs(span.hi - span.lo) * 0.05;
    const double at = span.lo - dir * off;  // the end of each line's continuation
    auto point = [&](double pos, double along) { return which == 0 ? geo.Local(pos, along) : geo.Local(along, pos); };
    const int textHeight = radius * 3 / 5;
    char text[64];
    for (int i = 0; i < n; ++i) {
        const double pos = AxisPosition(l, i);
        const POINT start = point(pos, span.lo), end = point(pos, at);
        SelectDrawPen(lineColour, 1, kPenSolid);
        Line(start, end);
        if (i > 0) {
            const double prev = AxisPosition(l, i - 1);
            const POINT a = point(prev, at);
            Line(a, end);
            std::snprintf(text, sizeof text, "%.3f", pos - prev);
            GFunc::CompressFloatString(text, 0);
            // Along the dimension line, read from the left or from below.
            const double kHalfPi = 1.5707963267948966;
            double angle = std::atan2(-(double(end.y) - a.y), double(end.x) - a.x);
            if (angle > kHalfPi) angle -= 2 * kHalfPi;
            if (angle <= -kHalfPi) angle += 2 * kHalfPi;
            DrawTextAt((a.x + end.x) / 2, (a.y + end.y) / 2, text, angle, kAlignCenter | kAlignBottom, textColour,
                       textHeight);
        }
        // The bubble with the line's number.
        std::snprintf(text, sizeof text, "%d", i + 1);
        const int x = end.x, y = end.y, r = radius;
        if (theDrawState.dc) {
            if (which == 0) {
                theDrawState.dc->Ellipse(x - r, y + 5, x + r + 1, y + 2 * r + 6);
                DrawTextAt(x + 1, y + 5 + static_cast<int>(std::floor(1.9 * r)), text, 0, kAlignCenter | kAlignBottom,
                           textColour, textHeight);
            } else {
                theDrawState.dc->Ellipse(x - 2 * r - 5, y - r, x - 4, y + r + 1);
                DrawTextAt(x - r - 5, y + static_cast<int>(std::floor(0.9 * r)), text, 0, kAlignCenter | kAlignBottom,
                           textColour, textHeight);
            }
        }
    }
}

}  // namespace

void GridPlaneToWorld(const CViewProjection& projection, double x, double y, double out[3])
{
    if (projection.GetMode() == CViewProjection::kElevation) {
        projection.PlaneToWorld(x, y, out);
    } else {
        out[0] = x;
        out[1] = y;
        out[2] = projection.GetPlatformHeight();
    }
}

void ScreenToGridPlane(int x, int y, double& u, double& v)
{
    if (theViewProjection.GetMode() == CViewProjection::kElevation) {
        theViewProjection.ScreenToPlane(x, y, u, v);
        return;
    }
    double w[3];
    theViewProjection.ScreenToWorldInt(x, y, w);
    u = w[0];
    v = w[1];
}

void GridPlaneToScreen(double x, double y, double& sx, double& sy)
{
    double p[3];
    GridPlaneToWorld(theViewProjection, x, y, p);
    theViewProjection.WorldToScreen(p, sx, sy);
}

void AxisGridLocalToScreen(const CAxisGrid& grid, const double local[2], double& sx, double& sy)
{
    double g[2];
    grid.LocalToGlobal(local, g);
    GridPlaneToScreen(g[0], g[1], sx, sy);
}

void DrawAxisGrid(const CAxisGrid& g, int colourIndex)
{
    CDrawSession session;
    if (!theDrawState.dc) return;
    const CDisplayColors& c = theDisplayColors;
    uint32_t lineColour = colourIndex >= 2 && colourIndex <= 10 ? kGridColours[colourIndex - 2] : c.m_axis[0];
    uint32_t textColour = c.m_axis[1];
    if (!(g.m_nFlags & kObjLive)) textColour = c.m_back;
    if ((g.m_nFlags & (kObjLive | kObjSelected)) == (kObjLive | kObjSelected)) lineColour = textColour = c.m_select;
    SelectStockBrush(kNullBrush);
    // The bubble is held to the window's height / 30 for this picture only.
    int radius = std::max(1, theViewSettings.axisBubbleRadius);
    const int cap = theViewProjection.GetScreenRect().bottom / 30;
    if (radius > cap) radius = std::max(1, cap);

    const GridGeometry geo(g);
    auto colourOf = [&](const CAxisList& l, int i) {
        return const_cast<CAxisList&>(l).GetAt(i)->isslcted() ? c.m_select : lineColour;
    };
    const CAxisList& first = g.First();
    const CAxisList& second = g.Second();
    if (g.GetKind() == CAxisGrid::kRectangular) {
        const Span s1 = LineSpan(second, 1), s2 = LineSpan(first, 0);
        for (int i = 0; i < first.GetSize(); ++i) {
            SelectDrawPen(colourOf(first, i), 1, kPenDot);
            const double u = AxisPosition(first, i);
            Line(geo.Local(u, s1.lo), geo.Local(u, s1.hi));
        }
        for (int i = 0; i < second.GetSize(); ++i) {
            SelectDrawPen(colourOf(second, i), 1, kPenDot);
            const double v = AxisPosition(second, i);
            Line(geo.Local(s2.lo, v), geo.Local(s2.hi, v));
        }
        if (theDisplayOptions.Switch(4)) {
            Annotate(geo, first, 0, s1, lineColour, textColour, radius);
            Annotate(geo, second, 1, s2, lineColour, textColour, radius);
        }
        return;
    }
    // Polar kinds: circles from the first to the last radial angle, radial
    // lines between the smallest and the largest radius.
    double fromDeg = 0, toDeg = 360;
    if (second.GetSize() > 0) {
        fromDeg = AxisPosition(second, 0);
        toDeg = AxisPosition(second, second.GetSize() - 1);
    }
    for (int i = 0; i < first.GetSize(); ++i) {
        SelectDrawPen(colourOf(first, i), 1, kPenDot);
        Polyline(geo.Arc(AxisPosition(first, i), fromDeg, toDeg));
    }
    if (first.GetSize() == 0) return;
    const double r0 = SmallestPosition(first), r1 = LargestPosition(first);
    for (int i = 0; i < second.GetSize(); ++i) {
        SelectDrawPen(colourOf(second, i), 1, kPenDot);
        POINT a, b;
        geo.Ray(AxisPosition(second, i), r0, r1, a, b);
        Line(a, b);
    }
}

int PickAxis(const CAxisGrid& g, int x, int y, int& list, int& index)
{
    const GridGeometry geo(g);
    const CAxisList& first = g.First();
    const CAxisList& second = g.Second();
    int best = 100000000;
    int found = -1;
    auto test = [&](POINT a, POINT b, int i) {
        const int m = HitSegment(x, y, a.x, a.y, b.x, b.y);
        if (m > 0 && m < best) {
            best = m;
            found = i;
        }
    };
    if (g.GetKind() == CAxisGrid::kRectangular) {
        const Span s1 = LineSpan(second, 1), s2 = LineSpan(first, 0);
        const double e1 = s1.hi >= s1.lo ? 8 : -8, e2 = s2.hi >= s2.lo ? 8 : -8;
        for (int i = 0; i < first.GetSize(); ++i) {
            const double u = AxisPosition(first, i);
            test(geo.Local(u, s1.lo - e1), geo.Local(u, s1.hi + e1), i);
        }
        if (found >= 0) {
            list = 0;
            index = found;
            return 1;
        }
        for (int i = 0; i < second.GetSize(); ++i) {
            const double v = AxisPosition(second, i);
            test(geo.Local(s2.lo - e2, v), geo.Local(s2.hi + e2, v), i);
        }
        if (found >= 0) {
            list = 1;
            index = found;
            return 1;
        }
        return 0;
    }
    // Polar kinds: radial lines first, then circles.
    if (first.GetSize() > 0) {
        const double r0 = SmallestPosition(first), r1 = LargestPosition(first);
        for (int i = 0; i < second.GetSize(); ++i) {
            POINT a, b;
            geo.Ray(AxisPosition(second, i), r0, r1, a, b);
            test(a, b, i);
        }
        if (found >= 0) {
            list = 1;
            index = found;
            return 1;
        }
    }
    if (second.GetSize() == 0) return 0;
    double deg, dist;
    geo.Polar(x, y, deg, dist);
    const double a0 = std::min(AxisPosition(second, 0), AxisPosition(second, second.GetSize() - 1));
    const double a1 = std::max(AxisPosition(second, 0), AxisPosition(second, second.GetSize() - 1));
    auto within = [&](double d) { return d >= a0 && d <= a1; };
    if (!within(deg) && !within(deg - 360) && !within(deg + 360)) return 0;
    const double scale = theViewProjection.GetScale();
    double nearest = PickAperture();
    for (int i = 0; i < first.GetSize(); ++i) {
        const double off = std::fabs(dist - AxisPosition(first, i)) * scale;
        if (off < nearest) {
            nearest = off;
            found = i;
        }
    }
    if (found < 0) return 0;
    list = 0;
    index = found;
    return 1;
}

int SnapToGridNode(int x, int y, double out[3])
{
    if (!GridsInView() || theGridNodes.GetSize() == 0) return 0;
    const double scale = theViewProjection.GetScale();
    if (!(scale > 0)) return 0;
    const double reach = PickAperture() / scale;
    double u, v;
    ScreenToGridPlane(x, y, u, v);
    int best = -1;
    double bestDist = reach;
    for (int i = 0; i < theGridNodes.GetSize(); ++i) {
        const GridNode& n = *theGridNodes.GetAt(i);
        const double d = std::hypot(n.x - u, n.y - v);
        if (d < bestDist) {
            bestDist = d;
            best = i;
        }
    }
    if (best < 0) return 0;
    const GridNode& n = *theGridNodes.GetAt(best);
    GridPlaneToWorld(theViewProjection, n.x, n.y, out);
    return 1;
}

namespace {

// Selects, or with toggle unselects, the mark that `mark` gives of every
// visible grid with a line under the point, and draws the grid again.
template <class Mark>
int PickUnderPoint(int x, int y, int toggle, Mark mark)
{
    if (!theDisplayOptions.Switch(3) || !GridsInView()) return 0;
    int hit = 0;
    for (int i = 0; i < theAxisGrids.GetCount(); ++i) {
        CAxisGrid& g = *theAxisGrids.GetAt(i);
        int list, index;
        if (!g.IsVisible() || !PickAxis(g, x, y, list, index)) continue;
        mark(g, list, index, toggle);
        DrawAxisGrid(g, i + 1);
        hit = 1;
    }
    return hit;
}

}  // namespace

int PickAxisGrid(int x, int y, int toggle)
{
    return PickUnderPoint(x, y, toggle, [](CAxisGrid& g, int, int, int toggle) {
        if (!g.IsSelected())
            g.m_nFlags |= kObjSelected;
        else if (toggle)
            g.m_nFlags &= ~kObjSelected;
    });
}

int PickAxisLine(int x, int y, int toggle)
{
    return PickUnderPoint(x, y, toggle, [](CAxisGrid& g, int list, int index, int toggle) {
        CAxisGridItem& item = *g.List(list).GetAt(index);
        if (!item.isslcted())
            item.slctit();
        else if (toggle)
            item.unslctit();
    });
}

void AddGridNodesToExtent(CViewProjection& projection)
{
    const CGridNodeBox& b = theGridNodeBox;
    if (!b.valid) return;
    const double xs[2] = {b.minX, b.maxX}, ys[2] = {b.minY, b.maxY};
    for (double x : xs)
        for (double y : ys) {
            double p[3];
            GridPlaneToWorld(projection, x, y, p);
            projection.AddToExtent(p);
        }
}
