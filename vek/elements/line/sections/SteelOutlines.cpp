// The outlines of the steel sections by pattern: single catalogue or welded
// shapes, and the compound members built of several placed one by one.
#include <cmath>

#include "vek/elements/line/sections/SectionOutlines.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// Places the outline along the member; the builders' results flow through.
struct Placer {
    MemberTrueShape& holder;
    void operator()(const TrueShapeReg& r) const { holder.PlaceAlongMember(r, 1); }
};

void Round(TrueShapeReg& r, double outer, double inner)
{
    r.ring1.clear();
    r.ring2.clear();
    r.open = 0;
    r.AddRoundOutline(outer, inner);
}

// Cover plates above and below at half the height h.
void CoverPlates(const Placer& place, double w, double t, double h)
{
    TrueShapeReg p;
    BuildPlateShape(p, 1, w, t, h / 2);
    place(p);
    BuildPlateShape(p, 2, w, t, h / 2);
    place(p);
}

// A plate of width w and thickness t standing on x = 0.
void CentredPlate(const Placer& place, double w, double t)
{
    TrueShapeReg p;
    BuildPlateShape(p, 3, w, t, -t / 2);
    place(p);
}

// A catalogue row number; 0 (no such row) for a value no table holds.
int Row(double v)
{
    return v >= 1 && v <= 10000 ? int(v) : 0;
}

bool IsHTable(int p)
{
    return (p >= 39 && p <= 42) || (p >= 46 && p <= 48) || p == 50;
}

// Patterns 32..35: an I with two angles and a plate on its left.
void AnglesAndI(const Placer& place, const double* d, int pattern)
{
    TrueShapeReg r;
    double h = 0, dist = 0;
    if (pattern <= 33) {
        double b, dd;
        if (!BuildCatalogIShape(r, b, h, dd, Row(d[3]))) return;
        dist = d[4];
    } else {
        BuildIShape(r, d[3], d[4], d[5], d[6], d[3], d[4]);
        h = d[4] + d[5] + d[4];
        dist = d[7];
    }
    r.Move(dist / 2, 0, 0);
    place(r);
    double x0 = 0, y0 = 0;
    TrueShapeReg a;
    if (pattern == 32 || pattern == 34) {
        double z0 = 0;
        if (!BuildEqualAngleShape(a, z0, Row(d[0]), false)) return;
        x0 = y0 = z0;
    } else if (!BuildUnequalAngleShape(a, x0, y0, Row(d[0]), false)) {
        return;
    }
    a.TurnRight();
    a.Move(-dist / 2, h / 2 - x0, 0);
    place(a);
    a.MirrorY();
    place(a);
    TrueShapeReg p;
    BuildPlateShape(p, 3, d[1], d[2], dist / 2 + y0);
    place(p);
}

}  // namespace

void CSframeSect::BuildTrueShape(MemberTrueShape& holder) const
{
    holder.m_starts.clear();
    holder.m_ends.clear();
    if (m_cPattern == 0) return;
    const int pattern = m_cPattern - 1;
    const double* d = m_dDim;
    const Placer place{holder};
    TrueShapeReg r;
    double z0 = 0, x0 = 0, y0 = 0, b = 0, h = 0, dd = 0;
    const int row = Row(d[0]);

    if (IsHTable(pattern)) {
        if (BuildCatalogHShape(r, pattern, b, row)) place(r);
        return;
    }
    switch (pattern) {
        case 0:
            if (BuildEqualAngleShape(r, z0, row, false)) place(r);
            break;
        case 1:
            if (BuildCatalogIShape(r, b, h, dd, row)) place(r);
            break;
        case 2:
            if (BuildChannelShape(r, z0, b, h, dd, row, false)) place(r);
            break;
        case 3:
            if (!BuildEqualAngleShape(r, z0, row, true)) break;
            r.TurnRight();
            r.Move(d[1] / 2, z0, 0);
            place(r);
            r.MirrorX();
            place(r);
            break;
        case 4:
            if (!BuildUnequalAngleShape(r, x0, y0, row, true)) break;
            r.TurnHalf();
            r.Move(-d[1] / 2, y0, 0);
            place(r);
            r.MirrorX();
            place(r);
            break;
        case 5:
            if (!BuildUnequalAngleShape(r, x0, y0, row, true)) break;
            r.TurnRight();
            r.Move(d[1] / 2, x0, 0);
            place(r);
            r.MirrorX();
            place(r);
            break;
        case 6:
        case 29:
            if (!BuildChannelShape(r, z0, b, h, dd, row, true)) break;
            r.Move(d[1] / 2, 0, 0);
            place(r);
            r.TurnHalf();
            place(r);
            break;
        case 7:
            if (!BuildEqualAngleShape(r, z0, row, true)) break;
            r.Move(d[1] / 2, 0, 0);
            place(r);
            r.TurnHalf();
            place(r);
            break;
        case 8:
        case 52:
            if (!BuildEqualAngleShape(r, z0, row, pattern == 8)) break;
            if (pattern == 8)
                r.Move(d[1] / 2, d[1] / 2, 0);
            else
                r.Move(-d[1] / 2, -d[2] / 2, 0);
            place(r);
            for (int k = 0; k < 3; ++k) {
                r.TurnLeft();
                place(r);
            }
            break;
        case 9:
            Round(r, d[0] / 2, d[0] / 2 - d[1]);
            place(r);
            break;
        case 10: {
            TrueShapeReg p;
            BuildPlateShape(p, 1, d[0], d[1], d[2] / 2);
            place(p);
            BuildPlateShape(p, 2, d[0], d[1], d[2] / 2);
            place(p);
            BuildPlateShape(p, 3, d[2], d[3], d[4] / 2 - d[3]);
            place(p);
            BuildPlateShape(p, 4, d[2], d[3], d[4] / 2 - d[3]);
            place(p);
            break;
        }
        case 11:
        case 12:
            if (!BuildChannelShape(r, z0, b, h, dd, row, true)) break;
            r.Move(pattern == 11 ? -d[3] / 2 : d[3] / 2, 0, 0);
            place(r);
            r.TurnHalf();
            place(r);
            CoverPlates(place, d[1], d[2], h);
            break;
        case 13:
            if (!BuildCatalogIShape(r, b, h, dd, row)) break;
            r.Move(d[3] / 2, 0, 0);
            place(r);
            r.Move(-d[3], 0, 0);
            place(r);
            CoverPlates(place, d[1], d[2], h);
            break;
        case 14:
            if (!BuildCatalogIShape(r, b, h, dd, row)) break;
            r.Move(b / 2, 0, 0);
            place(r);
            r.Move(-b, 0, 0);
            place(r);
            break;
        case 15:
            if (!BuildChannelShape(r, z0, b, h, dd, row, true)) break;
            r.Move(-b, 0, 0);
            place(r);
            r.TurnHalf();
            place(r);
            break;
        case 16: {
            if (!BuildEqualAngleShape(r, z0, row, true)) break;
            r.Move(-z0, -d[3] / 2, 0);
            place(r);
            r.MirrorY();
            place(r);
            TrueShapeReg p;
            BuildPlateShape(p, 3, d[1], d[2], z0);
            place(p);
            break;
        }
        case 17: {
            if (!BuildUnequalAngleShape(r, x0, y0, row, true)) break;
            r.TurnRight();
            r.Move(-y0, d[3] / 2, 0);
            place(r);
            r.MirrorY();
            place(r);
            TrueShapeReg p;
            BuildPlateShape(p, 3, d[1], d[2], y0);
            place(p);
            break;
        }
        case 18:
            if (!BuildCatalogIShape(r, b, h, dd, Row(d[2]))) break;
            place(r);
            CoverPlates(place, d[0], d[1], h);
            break;
        case 19:
            if (!BuildChannelShape(r, z0, b, h, dd, row, true)) break;
            r.TurnLeft();
            r.Move(0, -d[1] / 2 - dd, 0);
            place(r);
            r.MirrorY();
            place(r);
            CentredPlate(place, d[1], d[2]);
            break;
        case 20:
            if (!BuildCatalogIShape(r, b, h, dd, row)) break;
            r.TurnLeft();
            r.Move(0, (d[1] + dd) / 2, 0);
            place(r);
            r.Move(0, -d[1] - dd, 0);
            place(r);
            CentredPlate(place, d[1], d[2]);
            break;
        case 21:
            BuildIShape(r, d[0], d[1], d[2], d[3], d[0], d[1]);
            r.TurnLeft();
            r.Move(0, (d[3] + d[4]) / 2, 0);
            place(r);
            r.Move(0, -d[4] - d[3], 0);
            place(r);
            CentredPlate(place, d[4], d[5]);
            break;
        case 26:
            BuildIShape(r, d[0], d[1], d[2], d[3], d[0], d[1]);
            place(r);
            r.TurnLeft();
            place(r);
            break;
        case 27: {
            BuildIShape(r, d[0], d[1], d[2], d[3], d[0], d[1]);
            place(r);
            TrueShapeReg s;
            BuildIShape(s, d[4], d[5], d[6], d[7], d[4], d[5]);
            s.TurnLeft();
            place(s);
            break;
        }
        case 28:
            if (!BuildChannelShape(r, z0, b, h, dd, row, false)) break;
            r.Move(-d[1] / 2, 0, 0);
            place(r);
            r.TurnHalf();
            place(r);
            break;
        case 30:
        case 31: {
            if (!BuildChannelShape(r, z0, b, h, dd, row, false)) break;
            const double gap = pattern == 30 ? d[2] : d[5];
            r.Move(-gap / 2, 0, 0);
            place(r);
            TrueShapeReg s;
            if (pattern == 30) {
                double b2, h2, d2;
                if (!BuildCatalogIShape(s, b2, h2, d2, Row(d[1]))) break;
            } else {
                BuildIShape(s, d[1], d[2], d[3], d[4], d[1], d[2]);
            }
            s.Move(gap / 2, 0, 0);
            place(s);
            break;
        }
        case 32:
        case 33:
        case 34:
        case 35: AnglesAndI(place, d, pattern); break;
        case 36:
            if (!BuildCatalogIShape(r, b, h, dd, row)) break;
            r.Move(-d[1] / 2, 0, 0);
            place(r);
            r.Move(d[1], 0, 0);
            place(r);
            break;
        case 37:
            BuildIShape(r, d[0], d[1], d[2], d[3], d[0], d[1]);
            r.Move(-d[4] / 2, 0, 0);
            place(r);
            r.Move(d[4], 0, 0);
            place(r);
            break;
        case 38: {
            BuildIShape(r, d[0], d[1], d[2], d[3], d[0], d[1]);
            r.Move(-d[8] / 2, 0, 0);
            place(r);
            TrueShapeReg s;
            BuildIShape(s, d[4], d[5], d[6], d[7], d[4], d[5]);
            s.Move(d[8] / 2, 0, 0);
            place(s);
            break;
        }
        case 43:
            if (BuildCatalogTShape(r, row)) place(r);
            break;
        case 44:
            BuildIShape(r, d[4], d[1], d[2], d[3], d[0], d[1]);
            place(r);
            break;
        case 45:
            r.AddVertex(-d[0] / 2, -d[1] / 2);
            r.AddVertex(d[0] / 2, -d[1] / 2);
            r.AddVertex(d[0] / 2, d[1] / 2);
            r.AddVertex(-d[0] / 2, d[1] / 2);
            place(r);
            break;
        case 49:
            Round(r, d[0] / 2, 0);
            place(r);
            break;
        case 51:
            if (BuildLightChannelShape(r, row, false)) place(r);
            break;
        case 53:
            Round(r, d[0] / 2, d[0] / 2 - d[1]);
            r.Move(-d[2] / 2, -d[3] / 2, 0);
            place(r);
            r.Move(d[2], 0, 0);
            place(r);
            r.Move(0, d[3], 0);
            place(r);
            r.Move(-d[2], 0, 0);
            place(r);
            break;
        case 54: {
            Round(r, d[0] / 2, d[0] / 2 - d[1]);
            r.Move(d[2] / 2, 0, 0);
            place(r);
            const double y = d[2] * std::tan(d[3] * kPi / 180);
            r.Move(-d[2], y, 0);
            place(r);
            r.Move(0, -2 * y, 0);
            place(r);
            break;
        }
        case 55:
            BuildTShape(r, d[0], d[1], d[2], d[3]);
            place(r);
            break;
        case 56:
            BuildInvertedTShape(r, d[0], d[1], d[2], d[3]);
            place(r);
            break;
        case 57: {
            const double w = d[0] / 2, hh = d[1] / 2, t = d[2];
            r.AddVertex(-w, -hh);
            r.AddVertex(w, -hh);
            r.AddVertex(w, hh);
            r.AddVertex(-w, hh);
            r.AddInnerVertex(-(w - t), -(hh - t));
            r.AddInnerVertex(w - t, -(hh - t));
            r.AddInnerVertex(w - t, hh - t);
            r.AddInnerVertex(-(w - t), hh - t);
            place(r);
            break;
        }
        default:
            // Patterns 22..25 (plates with an I or channel between them) have
            // no outline yet: the member is drawn as a line.
            break;
    }
}
