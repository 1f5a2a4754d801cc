#include "vek/elements/line/sections/SectionOutlines.h"

#include <algorithm>
#include <cmath>

#include "korvalib/model/CommonData.h"
#include "korvalib/model/SteelCatalog.h"
#include "vek/model/ProjectOptions.h"
#include "vek/view/ViewProjection.h"

namespace {

using M = DSteelStrManager;
constexpr double kPi = 3.14159265358979323846;

double DF()
{
    return DCommonData::DimensionFactor(theProjectOptions.GetUnitCode());
}

void Reset(TrueShapeReg& r)
{
    r.ring1.clear();
    r.ring2.clear();
}

// Rows (left x, right x, y) bottom to top, shifted by s: right points to the
// first ring, left points to the second; an open strip.
void StackedPlates(TrueShapeReg& r, const double (*rows)[3], int n, double s)
{
    Reset(r);
    for (int i = 0; i < n; ++i) {
        r.AddVertex(rows[i][1], rows[i][2] + s);
        r.AddInnerVertex(rows[i][0], rows[i][2] + s);
    }
    r.open = 1;
}

void Rectangle(TrueShapeReg& r, double w, double h)
{
    r.AddVertex(-w / 2, -h / 2);
    r.AddVertex(w / 2, -h / 2);
    r.AddVertex(w / 2, h / 2);
    r.AddVertex(-w / 2, h / 2);
}

// The holder emptied; an outline of fewer than two points is not placed.
void Clear(MemberTrueShape& holder)
{
    holder.m_starts.clear();
    holder.m_ends.clear();
}

int Place(MemberTrueShape& holder, const TrueShapeReg& r)
{
    return holder.PlaceAlongMember(r, 1);
}

struct HTable {
    int pattern;
    const float (*rows)[4];
    int count;
};
const HTable kHTables[] = {
    {39, M::hbdtHK, 85}, {40, M::hbdtHZ, 18}, {41, M::hbdtHA, 129}, {42, M::hbdtHAQ, 17},
    {46, M::hbdtHW, 21}, {47, M::hbdtHM, 12}, {48, M::hbdtHN, 32},  {50, M::hbdtIQ, 27},
};

bool OrdinaryOutline(TrueShapeReg& r, int kind, const float* fp)
{
    Reset(r);
    r.open = 0;
    r.smooth = 0;
    const double p0 = fp[0], p1 = fp[1], p2 = fp[2], p3 = fp[3], p4 = fp[4], p5 = fp[5];
    switch (kind) {
        case 1: Rectangle(r, p1, p0); return true;
        case 2: BuildIShape(r, p2, p5, p4, p1, p0, p3); return true;
        case 3: BuildTShape(r, p0, p2, p3, p1); return true;
        case 4: BuildInvertedTShape(r, p2, p0, p1, p3); return true;
        case 5:
            r.AddVertex(-p1 / 3, 2 * p0 / 3);
            r.AddVertex(-p1 / 3, -p0 / 3);
            r.AddVertex(2 * p1 / 3, -p0 / 3);
            r.AddInnerVertex(p2 - p1 / 3, 2 * p0 / 3);
            r.AddInnerVertex(p2 - p1 / 3, p2 - p0 / 3);
            r.AddInnerVertex(2 * p1 / 3, p2 - p0 / 3);
            r.open = 1;
            return true;
        case 6: {
            const double s = (p1 - p0) / 2;
            r.AddVertex(p0 - p1 / 2, p2 / 2 + p3 + s);
            r.AddVertex(-p1 / 2, p2 / 2 + p3 + s);
            r.AddVertex(-p1 / 2, -p2 / 2 - p3 + s);
            r.AddVertex(p1 / 2, -p2 / 2 - p3 + s);
            r.AddInnerVertex(p0 - p1 / 2, p2 / 2 + s);
            r.AddInnerVertex(p3 - p1 / 2, p2 / 2 + s);
            r.AddInnerVertex(p3 - p1 / 2, -p2 / 2 + s);
            r.AddInnerVertex(p1 / 2, -p2 / 2 + s);
            r.open = 1;
            return true;
        }
        case 7: r.AddRoundOutline(p1, p0); return true;
        case 8: {
            const double a = p2 * kPi / 180;
            const double t0 = kPi - a, t1 = kPi + a;
            const double scale = theViewProjection.GetScale();
            double step = scale > 0 ? (kPi / 6) / scale : kPi / 4;
            step = std::clamp(step, kPi / 20, kPi / 4);
            const int n = std::max(1, int(std::lround((t1 - t0) / step)));
            const double dt = (t1 - t0) / n;
            const bool inner = p0 > 1e-9;
            for (int i = 0; i <= n; ++i) {
                const double t = t0 + i * dt;
                r.AddVertex((p0 + p1) * std::cos(t) + p0, (p0 + p1) * std::sin(t));
                if (inner) r.AddInnerVertex(p0 * std::cos(t) + p0, p0 * std::sin(t));
            }
            if (inner)
                r.open = 1;
            else
                r.AddVertex(p0, 0);  // the centre closes the sector
            return true;
        }
        case 9:
            Rectangle(r, p0, p1);
            r.AddInnerVertex(p3 - p0 / 2, p2 - p1 / 2);
            r.AddInnerVertex(p0 / 2 - p3, p2 - p1 / 2);
            r.AddInnerVertex(p0 / 2 - p3, p1 / 2 - p2);
            r.AddInnerVertex(p3 - p0 / 2, p1 / 2 - p2);
            return true;
        case 10:
            r.AddVertex(p2 / 2 - p0, p1 / 2 - p3);
            r.AddVertex(-p2 / 2, p1 / 2 - p3);
            r.AddVertex(-p2 / 2, -p1 / 2);
            r.AddVertex(p0 - p2 / 2, -p1 / 2);
            r.AddInnerVertex(p2 / 2 - p0, p1 / 2);
            r.AddInnerVertex(p2 / 2, p1 / 2);
            r.AddInnerVertex(p2 / 2, p3 - p1 / 2);
            r.AddInnerVertex(p0 - p2 / 2, p3 - p1 / 2);
            r.open = 1;
            return true;
        default: return false;
    }
}

}  // namespace

// ---- shape builders ----

void BuildIShape(TrueShapeReg& r, double B1, double T1, double H, double tw, double B2, double T2)
{
    const double rows[6][3] = {{-B1 / 2, B1 / 2, -H / 2 - T1}, {-B1 / 2, B1 / 2, -H / 2},
                               {-tw / 2, tw / 2, -H / 2},      {-tw / 2, tw / 2, H / 2},
                               {-B2 / 2, B2 / 2, H / 2},       {-B2 / 2, B2 / 2, H / 2 + T2}};
    const double s = tw > 0 ? (B1 * T1 - B2 * T2) / (2 * tw) : 0;
    StackedPlates(r, rows, 6, s);
}

void BuildTShape(TrueShapeReg& r, double B, double T, double H, double tw)
{
    const double rows[4][3] = {
        {-tw / 2, tw / 2, -H - T}, {-tw / 2, tw / 2, -T}, {-B / 2, B / 2, -T}, {-B / 2, B / 2, 0}};
    const double Aw = H * tw, Af = B * T;
    double s = 0;
    if (Aw >= Af)
        s = tw > 0 ? (Aw - Af) / (2 * tw) + T : T;
    else
        s = B > 0 ? (Aw + Af) / (2 * B) : 0;
    StackedPlates(r, rows, 4, s);
}

void BuildInvertedTShape(TrueShapeReg& r, double h2, double b2, double b1, double h1)
{
    const double rows[4][3] = {
        {-b1 / 2, b1 / 2, 0}, {-b1 / 2, b1 / 2, h1}, {-b2 / 2, b2 / 2, h1}, {-b2 / 2, b2 / 2, h1 + h2}};
    const double A1 = b1 * h1, A2 = b2 * h2;
    double s = 0;
    if (A2 < A1)
        s = b1 > 0 ? (A1 + A2) / (2 * b1) : 0;
    else
        s = b2 > 0 ? (A2 - A1) / (2 * b2) + h1 : h1;
    StackedPlates(r, rows, 4, -s);
}

void BuildPlateShape(TrueShapeReg& r, int side, double w, double t, double d)
{
    Reset(r);
    switch (side) {
        case 1:
            r.AddVertex(-w / 2, d);
            r.AddVertex(w / 2, d);
            r.AddVertex(w / 2, d + t);
            r.AddVertex(-w / 2, d + t);
            break;
        case 2:
            r.AddVertex(-w / 2, -d - t);
            r.AddVertex(w / 2, -d - t);
            r.AddVertex(w / 2, -d);
            r.AddVertex(-w / 2, -d);
            break;
        case 3:
            r.AddVertex(-d - t, -w / 2);
            r.AddVertex(-d - t, w / 2);
            r.AddVertex(-d, w / 2);
            r.AddVertex(-d, -w / 2);
            break;
        default:
            r.AddVertex(d + t, -w / 2);
            r.AddVertex(d + t, w / 2);
            r.AddVertex(d, w / 2);
            r.AddVertex(d, -w / 2);
            break;
    }
}

int ParseStarNumbers(const char* text, double* out, int capacity)
{
    if (capacity < 1) return 0;
    int n = 0;
    out[0] = 0;
    bool decimals = false;
    double place = 0.1;
    for (const char* c = text ? text : ""; *c; ++c) {
        if (*c == '*') {
            if (n + 1 >= capacity) break;
            out[++n] = 0;
            decimals = false;
        } else if (*c == '.') {
            decimals = true;
            place = 0.1;
        } else if (*c >= '0' && *c <= '9') {
            if (decimals) {
                out[n] += (*c - '0') * place;
                place /= 10;
            } else {
                out[n] = out[n] * 10 + (*c - '0');
            }
        }
    }
    return n + 1;
}

namespace {

// An angle with its heel at (-sx, -sy): leg B up, leg b across, t thick.
void AngleStrip(TrueShapeReg& r, double B, double b, double t, double sx, double sy)
{
    r.AddVertex(-sx, B - sy);
    r.AddVertex(-sx, -sy);
    r.AddVertex(b - sx, -sy);
    r.AddInnerVertex(t - sx, B - sy);
    r.AddInnerVertex(t - sx, t - sy);
    r.AddInnerVertex(b - sx, t - sy);
    r.open = 1;
}

}  // namespace

bool BuildEqualAngleShape(TrueShapeReg& r, double& z0, int row, bool noShift)
{
    Reset(r);
    if (row < 1 || row > 82) return false;
    double f[2] = {0, 0};
    ParseStarNumbers(M::SectE[row - 1], f, 2);
    const double k = DF() * 0.001, b = f[0] * k, t = f[1] * k;
    z0 = M::z0E[row - 1] * DF();
    const double s = noShift ? 0 : z0;
    AngleStrip(r, b, b, t, s, s);
    return true;
}

bool BuildUnequalAngleShape(TrueShapeReg& r, double& x0, double& y0, int row, bool noShift)
{
    Reset(r);
    if (row < 1 || row > 65) return false;
    double f[3] = {0, 0, 0};
    ParseStarNumbers(M::SectL[row - 1], f, 3);
    const double k = DF() * 0.001, B = f[0] * k, b = f[1] * k, t = f[2] * k;
    x0 = M::x0y0L[row - 1][0] * DF();
    y0 = M::x0y0L[row - 1][1] * DF();
    AngleStrip(r, B, b, t, noShift ? 0 : x0, noShift ? 0 : y0);
    return true;
}

namespace {

bool ChannelFrom(TrueShapeReg& r, const float* row5, double& z0, double& b, double& h, double& d, bool noShift)
{
    Reset(r);
    const double D = DF();
    h = row5[0] * D;
    b = row5[1] * D;
    d = row5[2] * D;
    const double t = row5[3] * D;
    z0 = row5[4] * D;
    const double s = noShift ? 0 : z0;
    r.AddVertex(b - s, t - h / 2);
    r.AddVertex(d - s, t - h / 2);
    r.AddVertex(d - s, h / 2 - t);
    r.AddVertex(b - s, h / 2 - t);
    r.AddInnerVertex(b - s, -h / 2);
    r.AddInnerVertex(0 - s, -h / 2);
    r.AddInnerVertex(0 - s, h / 2);
    r.AddInnerVertex(b - s, h / 2);
    r.open = 1;
    return true;
}

bool IFrom(TrueShapeReg& r, const float* row4, double& b, double& h, double& d)
{
    const double D = DF();
    h = row4[0] * D;
    b = row4[1] * D;
    d = row4[2] * D;
    const double t = row4[3] * D;
    BuildIShape(r, b, t, h - 2 * t, d, b, t);
    return true;
}

}  // namespace

bool BuildChannelShape(TrueShapeReg& r, double& z0, double& b, double& h, double& d, int row, bool noShift)
{
    if (row < 1 || row > 30) {
        Reset(r);
        return false;
    }
    return ChannelFrom(r, M::hbdtz0C[row - 1], z0, b, h, d, noShift);
}

bool BuildLightChannelShape(TrueShapeReg& r, int row, bool noShift)
{
    if (row < 1 || row > 19) {
        Reset(r);
        return false;
    }
    double z0, b, h, d;
    return ChannelFrom(r, M::hbdtz0CQ[row - 1], z0, b, h, d, noShift);
}

bool BuildCatalogIShape(TrueShapeReg& r, double& b, double& h, double& d, int row)
{
    if (row < 1 || row > 34) {
        Reset(r);
        return false;
    }
    return IFrom(r, M::hbdtI[row - 1], b, h, d);
}

bool BuildCatalogHShape(TrueShapeReg& r, int pattern, double& b, int row)
{
    Reset(r);
    for (const HTable& t : kHTables) {
        if (t.pattern != pattern) continue;
        if (row < 1 || row > t.count) return false;
        double h, d;
        IFrom(r, t.rows[row - 1], b, h, d);
        b = t.rows[row - 1][1];
        return true;
    }
    return false;
}

bool BuildCatalogTShape(TrueShapeReg& r, int row)
{
    Reset(r);
    if (row < 1 || row > 37) return false;
    // The table's (h, b, d, t): a flange b wide and t thick on a web d thick,
    // h - t high.
    const float* x = M::hbdtT[row - 1];
    const double D = DF(), h = x[0] * D, b = x[1] * D, d = x[2] * D, t = x[3] * D;
    BuildTShape(r, b, t, h - t, d);
    return true;
}

// ---- the sections ----

void CFrameSect::BuildTrueShape(MemberTrueShape& holder) const
{
    Clear(holder);
    TrueShapeReg r;
    if (OrdinaryOutline(r, m_cKind, m_fPara)) Place(holder, r);
}

void CVframeSect::BuildTrueShape(MemberTrueShape& holder) const
{
    Clear(holder);
    if (m_cKind != 1 && m_cKind != 2 && m_cKind != 3 && m_cKind != 4 && m_cKind != 7) return;
    TrueShapeReg a, b;
    OrdinaryOutline(a, m_cKind, m_fStart);
    OrdinaryOutline(b, m_cKind, m_fEnd);
    // Both ends or neither: the two outlines pair point by point.
    if (a.ring1.size() < 2 || b.ring1.size() < 2) return;
    holder.AddStartOutline(a, 1);
    holder.AddEndOutline(b, 1);
}

int BuildFrameTrueShape(int kind, int number, MemberTrueShape& holder)
{
    switch (kind & 3) {
        case kOrdinarySect:
            if (const CFrameSect* s = FindFrameSect(number))
                s->BuildTrueShape(holder);
            else
                Clear(holder);
            break;
        case kSteelSect:
            if (const CSframeSect* s = FindSframeSect(number))
                s->BuildTrueShape(holder);
            else
                Clear(holder);
            break;
        default:
            if (const CVframeSect* s = FindVframeSect(number))
                s->BuildTrueShape(holder);
            else
                Clear(holder);
            break;
    }
    return holder.m_starts.empty() ? 0 : 1;
}
