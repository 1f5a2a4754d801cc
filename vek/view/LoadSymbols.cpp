#include "vek/view/LoadSymbols.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "korvalib/base/GFunc.h"
#include "korvalib/base/Vector.h"
#include "korvalib/model/LoadRecords.h"
#include "korvalib/model/NodeRecords.h"
#include "vek/model/ElevationPlane.h"
#include "vek/view/DisplayColors.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/ViewSettings.h"
#include "vek/view/draw/DrawLayer.h"

LoadSymbolScale theLoadSymbolScale;

namespace {

constexpr double kPi = 3.14159265358979323846;
std::vector<LargestLoadSource> sources;

const char* const kNodeLayer = "节点集中力";
const char* const kFrameLayer = "梁柱荷载";
const char* const kCableLayer = "梁柱预应力钢索";
const char* const kShellLayer = "板壳荷载";
const char* const kWallLayer = "墙荷载";
const char* const kSolidLayer = "三维元荷载";
const char* const kPlaneLayer = "平面单元荷载";

template <class T>
double MaxAbs(const T* v, int n)
{
    double m = 0;
    for (int i = 0; i < n; ++i) m = std::max(m, std::fabs(static_cast<double>(v[i])));
    return m;
}

void Row(const LoadSymbolScale& scale, const double* a, const double* b, double q1, double q2, const double* dir,
         uint32_t colour, const char* layer, int labelFirst, int labelLast)
{
    LoadArrowRow row;
    row.second = b;
    row.q1 = q1;
    row.q2 = q2;
    row.direction = dir;
    row.colour = colour;
    row.layer = layer;
    row.labelFirst = labelFirst;
    row.labelLast = labelLast;
    DrawLoadArrowRow(scale, a, row);
}

void Unit(const double* from, const double* to, double out[3])
{
    CVector::Subtract(to, from, out);
    CVector::Normalize(out);
}

void Format(double v, char* text, size_t size)
{
    std::snprintf(text, size, "%.3f", v);
    GFunc::CompressFloatString(text, 1);
}

// The water surface, an arrow pointing down it on the screen and the value.
void WaterMark(const double* a, const double* b, double value, uint32_t colour, const char* layer, int label)
{
    DrawLine3D(a, b, colour, 1, layer);
    double mid[3];
    for (int i = 0; i < 3; ++i) mid[i] = (a[i] + b[i]) / 2;
    double x, y;
    theViewProjection.WorldToScreen(mid, x, y);
    DrawScreenArrowTo(x, y, x, y + 20, colour);
    if (label) {
        char v[48], text[64];
        Format(value, v, sizeof v);
        std::snprintf(text, sizeof text, "静水压%s", v);
        DrawText3D(mid, text, colour, kAlignBottom | kAlignCenter, 0, layer);
    }
}

}  // namespace

void AddLargestLoadSource(LargestLoadSource source)
{
    if (source) sources.push_back(source);
}

void ClearLargestLoadSources()
{
    sources.clear();
}

double LargestLoad(const DNodeLoad& load)
{
    return MaxAbs(load.m_fForce, 6);
}

double LargestLoad(const DFrameLoad& load)
{
    double m = 0;
    for (const auto& group : load.m_Points)
        for (const DLoadPoints& list : group) m = std::max(m, MaxAbs(list.m_pV, list.m_sCount));
    return m;
}

double LargestLoad(const DShellLoad& load)
{
    double m = std::max(MaxAbs(load.m_fBlock1, 4), MaxAbs(load.m_fBlock2, 4));
    m = std::max(m, MaxAbs(&load.m_fValues[0][0], 32));
    return std::max(m, std::fabs(static_cast<double>(load.m_fReal)));
}

double LargestLoad(const DWallLoad& load)
{
    return std::max(std::fabs(static_cast<double>(load.m_fValue)), MaxAbs(load.m_fSide, 6));
}

double LargestLoad(const DPlaneLoad& load)
{
    return MaxAbs(load.m_fLoad, 8);
}

double LargestLoad(const DSol21Load& load)
{
    return MaxAbs(load.m_fLoad, 24);
}

void LoadSymbolScale::Update()
{
    const double* e = theViewProjection.GetExtent();
    const double sides = std::fabs(e[0] - e[3]) + std::fabs(e[1] - e[4]) + std::fabs(e[2] - e[5]);
    baseLength = sides / 40 * theProjectOptions.fLoadDisplayScale;
    if (!std::isfinite(baseLength)) baseLength = 0;
    double largest = 0;
    for (LargestLoadSource s : sources) largest = std::max(largest, s());
    lengthPerUnit = largest >= 1e-10 ? baseLength / largest : baseLength / 10;
}

uint32_t LoadSymbolColour(uint32_t flags, uint32_t familyColour)
{
    if (!(flags & 2)) return theDisplayColors.m_back;
    if (flags & 1) return theDisplayColors.m_select;
    return familyColour;
}

int DrawLoadArrow(const LoadSymbolScale& scale, const double* point, const double* direction, double value,
                  const double* viewDir, uint32_t colour, const char* layer, int doubleHead, int label, double* tailOut)
{
    if (std::fabs(value) < 1e-10 || !direction) {
        if (tailOut) CVector::Copy(point, tailOut);
        return 0;
    }
    double d[3];
    CVector::Copy(direction, d);
    if (value < 0)
        for (double& c : d) c = -c;
    if (!CVector::Normalize(d)) {
        if (tailOut) CVector::Copy(point, tailOut);
        return 0;
    }
    const double length = std::fabs(value) * scale.lengthPerUnit;
    if (!(length >= 1e-10)) {
        if (tailOut) CVector::Copy(point, tailOut);
        return 0;
    }
    double tail[3];
    for (int i = 0; i < 3; ++i) tail[i] = point[i] - length * d[i];
    DrawArrow3D(tail, d, length, colour, viewDir, layer, doubleHead);
    if (label) {
        char text[64];
        Format(value, text, sizeof text);
        double x1, y1, x2, y2;
        theViewProjection.WorldToScreen(tail, x1, y1);
        theViewProjection.WorldToScreen(point, x2, y2);
        double a = GFunc::ScreenLineAngle(x1, y1, x2, y2) - kPi / 2;
        unsigned align = kAlignCenter;  // top, centred
        if (a > kPi / 2 && a <= 3 * kPi / 2) {
            a -= kPi;
            align = kAlignBottom | kAlignCenter;
        }
        DrawText3D(tail, text, colour, align, a, layer);
    }
    if (tailOut) CVector::Copy(tail, tailOut);
    return 1;
}

int DrawLoadArrowRow(const LoadSymbolScale& scale, const double* first, const LoadArrowRow& row)
{
    if (!row.second || (std::fabs(row.q1) < 1e-10 && std::fabs(row.q2) < 1e-10)) return 0;
    double span[3];
    CVector::Subtract(row.second, first, span);
    // A base length of 0 (a model of one point) would ask for endless arrows.
    const double step = 0.4 * scale.baseLength;
    const double ratio = step > 1e-12 ? CVector::Length(span) / step : 1.0;
    const int n = ratio >= kMaxRowArrows ? kMaxRowArrows : std::max(1, static_cast<int>(ratio));
    const bool uniform = n > 1 && (row.labelFirst || row.labelLast) && std::fabs(row.q2 - row.q1) < 1e-6;
    int drawn = 0;
    double firstTail[3], lastTail[3];
    for (int i = 0; i <= n; ++i) {
        double p[3];
        for (int k = 0; k < 3; ++k) p[k] = first[k] + i * span[k] / n;
        const double q = row.q1 + i * (row.q2 - row.q1) / n;
        const int label = uniform ? i == n / 2 : (i == 0 && row.labelFirst) || (i == n && row.labelLast);
        double tail[3];
        drawn +=
            DrawLoadArrow(scale, p, row.direction, q, row.viewDir, row.colour, row.layer, row.doubleHead, label, tail);
        if (i == 0) CVector::Copy(tail, firstTail);
        if (i == n) CVector::Copy(tail, lastTail);
    }
    if (drawn) {
        CDrawSession session;
        DrawLine3D(firstTail, lastTail, row.colour, 1, row.layer);
    }
    return drawn;
}

void DrawNodeLoad(const LoadSymbolScale& scale, const double* point, const DNodeLoad& load, uint32_t colour, int label)
{
    for (int i = 0; i < 6; ++i) {
        double axis[3] = {0, 0, 0};
        axis[i % 3] = 1;
        DrawLoadArrow(scale, point, axis, load.m_fForce[i], nullptr, colour, kNodeLayer, i >= 3, label);
    }
}

void DrawFrameLoad(const LoadSymbolScale& scale, const double* p1, const double* p2, const double axes[3][3],
                   const DFrameLoad& load, uint32_t colour, int label)
{
    double a[3];
    CVector::Subtract(p2, p1, a);
    const double length = CVector::Length(a);
    auto at = [&](float pos, double out[3]) {
        const double f = pos >= -1e-5 ? (length > 0 ? pos / length : 0) : -pos;
        for (int k = 0; k < 3; ++k) out[k] = p1[k] + f * a[k];
    };
    for (int group = 0; group < 3; ++group)
        for (int list = 0; list < 6; ++list) {
            const DLoadPoints& pts = load.m_Points[group][list];
            if (pts.m_sCount <= 0 || !pts.m_pX || !pts.m_pV) continue;
            double dir[3] = {0, 0, 0};
            if (list < 3)
                dir[list] = 1;
            else
                CVector::Copy(axes[list - 3], dir);
            if (group == 0) {
                for (int i = 0; i + 1 < pts.m_sCount; ++i) {
                    double q1[3], q2[3];
                    at(pts.m_pX[i], q1);
                    at(pts.m_pX[i + 1], q2);
                    Row(scale, q1, q2, pts.m_pV[i], pts.m_pV[i + 1], dir, colour, kFrameLayer, label, label);
                }
            } else {
                for (int i = 0; i < pts.m_sCount; ++i) {
                    double q[3];
                    at(pts.m_pX[i], q);
                    DrawLoadArrow(scale, q, dir, pts.m_pV[i], nullptr, colour, kFrameLayer, group == 1, label);
                }
            }
        }
}

double CableProfile::Ordinate(double x) const
{
    const double s = span;
    if (!(std::fabs(s) > 1e-12)) return y2;
    const double u = x - s / 2;
    const double a = 2 * (y1 + y3 - 2.0 * y2) / (s * s), b = (y3 - y1) / s, c = y2;
    return a * u * u + b * u + c;
}

void DrawPrestressCable(const double* p1, const double* p2, const double* across, const CableProfile& cable,
                        uint32_t colour)
{
    double a[3];
    CVector::Subtract(p2, p1, a);
    const double pixels = CVector::Length(a) * theViewProjection.GetScale();
    const int n = std::clamp(static_cast<int>(pixels / 10), 2, 200);
    double side[3];
    CVector::Copy(across, side);
    CVector::Normalize(side);
    CDrawSession session;
    double prev[3];
    for (int i = 0; i <= n; ++i) {
        const double f = double(i) / n;
        const double x = cable.start + (cable.end - cable.start) * f;
        const double y = cable.Ordinate(x);
        double p[3];
        for (int k = 0; k < 3; ++k) p[k] = p1[k] + a[k] * f + side[k] * y;
        if (i) DrawLine3D(prev, p, colour, 1, kCableLayer);
        CVector::Copy(p, prev);
    }
}

void DrawWallLoad(const LoadSymbolScale& scale, const double c[4][3], const DWallLoad& load, uint32_t colour, int label)
{
    const bool plan = theViewProjection.GetMode() == CViewProjection::kPlan;
    for (int k = 1; k <= 3; ++k) {
        if (plan && k != 2) continue;
        double dir[3];
        Unit(c[k], c[k - 1], dir);
        Row(scale, c[k], c[(k + 1) % 4], load.m_fSide[2 * (k - 1)], load.m_fSide[2 * (k - 1) + 1], dir, colour,
            kWallLayer, label, label);
    }
    const double p = load.m_fValue;
    if (std::fabs(p) <= 1e-10) return;
    double e1[3], e2[3], n[3];
    CVector::Subtract(c[1], c[0], e1);
    CVector::Subtract(c[3], c[0], e2);
    CVector::Cross(e1, e2, n);
    if (!CVector::Normalize(n)) return;
    if (plan) {
        Row(scale, c[2], c[3], p, p, n, colour, kWallLayer, label, label);
        return;
    }
    for (int i = 0; i < 4; ++i) Row(scale, c[i], c[(i + 1) % 4], p, p, n, colour, kWallLayer, 0, label);
}

void DrawPlaneLoad(const LoadSymbolScale& scale, int n, const double (*c)[3], const DPlaneLoad& load,
                   double waterWeight, double waterHeight, uint32_t colour, int label)
{
    if (n != 3 && n != 4) return;
    double e[4][3], normal[3];
    for (int i = 0; i < n; ++i) Unit(c[i], c[(i + 1) % n], e[i]);
    CVector::Cross(e[0], e[1], normal);
    CVector::Normalize(normal);
    for (int i = 0; i < n; ++i) {
        const double q1 = load.m_fLoad[2 * i], q2 = load.m_fLoad[2 * i + 1];
        if (std::fabs(q1) + std::fabs(q2) > 1e-5) {
            double dir[3];
            CVector::Cross(normal, e[i], dir);
            Row(scale, c[i], c[(i + 1) % n], q1, q2, dir, colour, kPlaneLayer, label, label);
        }
        if (label && load.m_cSwitch[i] && waterWeight > 1e-5) {
            char g[48], h[48], text[128];
            Format(waterWeight, g, sizeof g);
            Format(waterHeight, h, sizeof h);
            std::snprintf(text, sizeof text, "水:G=%s H=%s", g, h);
            double x1, y1, x2, y2;
            theViewProjection.WorldToScreen(c[i], x1, y1);
            theViewProjection.WorldToScreen(c[(i + 1) % n], x2, y2);
            const double d[2] = {x2 - x1, y1 - y2};
            double angle = GFunc::GlobalDirAngle(d);
            unsigned align = kAlignCenter;
            if (d[0] < -1e-5 || (std::fabs(d[0]) <= 1e-5 && d[1] < 0)) {
                angle -= kPi;
                align = kAlignBottom | kAlignCenter;
            }
            DrawTextAt(static_cast<int>((x1 + x2) / 2), static_cast<int>((y1 + y2) / 2), text, angle, align, colour, 0);
        }
    }
}

float ShellLoadValue(const DShellLoad& load, int index)
{
    if (index >= 1 && index <= 4) return load.m_fBlock1[index - 1];
    if (index >= 5 && index <= 8) return load.m_fBlock2[index - 5];
    if (index >= 9 && index <= 11) return load.m_fDirection[index - 9];
    if (index >= 12 && index <= 43) return load.m_fValues[(index - 12) / 8][(index - 12) % 8];
    if (index >= 44 && index <= 46) return load.m_fVector1[index - 44];
    if (index >= 47 && index <= 49) return load.m_fVector2[index - 47];
    if (index == 50) return load.m_fReal;
    return 0;
}

void DrawShellLoad(const LoadSymbolScale& scale, int n, const double (*c)[3], const DShellLoad& load, uint32_t colour,
                   int label)
{
    if (n != 3 && n != 4) return;
    double e[4][3], normal[3], minus[3];
    for (int i = 0; i < n; ++i) Unit(c[i], c[(i + 1) % n], e[i]);
    CVector::Cross(e[0], e[1], normal);
    CVector::Normalize(normal);
    for (int k = 0; k < 3; ++k) minus[k] = -normal[k];
    double direction[3] = {ShellLoadValue(load, 9), ShellLoadValue(load, 10), ShellLoadValue(load, 11)};
    const bool haveDirection = CVector::Normalize(direction) != 0;
    const double down[3] = {0, 0, -1};
    for (int i = 0; i < n; ++i) {
        const double* a = c[i];
        const double* b = c[(i + 1) % n];
        const int j = (i + 1) % n;
        Row(scale, a, b, ShellLoadValue(load, 1 + i), ShellLoadValue(load, 1 + j), minus, colour, kShellLayer, label,
            label);
        if (haveDirection)
            Row(scale, a, b, ShellLoadValue(load, 5 + i), ShellLoadValue(load, 5 + j), direction, colour, kShellLayer,
                label, label);
        double across[3];
        CVector::Cross(normal, e[i], across);
        Row(scale, a, b, ShellLoadValue(load, 20 + 2 * i), ShellLoadValue(load, 21 + 2 * i), e[i], colour, kShellLayer,
            label, label);
        Row(scale, a, b, ShellLoadValue(load, 28 + 2 * i), ShellLoadValue(load, 29 + 2 * i), normal, colour,
            kShellLayer, label, label);
        Row(scale, a, b, ShellLoadValue(load, 36 + 2 * i), ShellLoadValue(load, 37 + 2 * i), down, colour, kShellLayer,
            label, label);
        Row(scale, a, b, ShellLoadValue(load, 12 + 2 * i), ShellLoadValue(load, 13 + 2 * i), across, colour,
            kShellLayer, label, label);
    }
    const double water = ShellLoadValue(load, 50);
    if (std::fabs(water) > 1e-5) {
        const double v1[3] = {load.m_fVector1[0], load.m_fVector1[1], load.m_fVector1[2]};
        const double v2[3] = {load.m_fVector2[0], load.m_fVector2[1], load.m_fVector2[2]};
        WaterMark(v1, v2, water, colour, kShellLayer, label);
    }
}

namespace {

const int kHexFaces[6][4] = {{0, 3, 7, 4}, {1, 2, 6, 5}, {0, 4, 5, 1}, {3, 7, 6, 2}, {0, 1, 2, 3}, {4, 5, 6, 7}};
const int kTetFaces[4][4] = {{0, 1, 2, -1}, {0, 2, 3, -1}, {0, 3, 1, -1}, {1, 3, 2, -1}};
const int kWedgeFaces[5][4] = {{1, 0, 3, 4}, {1, 2, 5, 4}, {0, 2, 5, 3}, {0, 1, 2, -1}, {3, 4, 5, -1}};

bool FaceInWorkPlane(const double (*c)[3], const int* face, int corners)
{
    const int mode = theViewProjection.GetMode();
    for (int i = 0; i < corners; ++i) {
        const double* p = c[face[i]];
        if (mode == CViewProjection::kPlan) {
            if (std::fabs(p[2] - theViewProjection.GetPlatformHeight()) >= theElevationPlane.m_tolerance) return false;
        } else if (!theElevationPlane.IsPointOnPlane(p)) {
            return false;
        }
    }
    return true;
}

}  // namespace

void DrawSolidLoad(const LoadSymbolScale& scale, int kind, const double (*c)[3], const DSol21Load& load,
                   uint32_t colour, int label)
{
    const int faces = kind == 1 ? 6 : kind == 3 ? 5 : 4;
    const int(*table)[4] = kind == 1 ? kHexFaces : kind == 3 ? kWedgeFaces : kTetFaces;
    const bool all = theViewProjection.GetMode() == CViewProjection::kFree3D;
    for (int f = 0; f < faces; ++f) {
        const int* face = table[f];
        const int corners = face[3] < 0 ? 3 : 4;
        if (!all && !FaceInWorkPlane(c, face, corners)) continue;
        const float* v = load.m_fLoad + 4 * f;
        bool loaded = false;
        for (int i = 0; i < corners; ++i)
            if (v[i] > 0.0001) loaded = true;
        if (loaded) {
            double normal[3];
            CVector nv;
            if (!nv.CalPlaneNor(c[face[0]], c[face[1]], c[face[2]])) continue;
            nv.CopyTo(normal);
            for (int i = 0; i < corners; ++i) {
                const int j = (i + 1) % corners;
                Row(scale, c[face[i]], c[face[j]], v[i], v[j], normal, colour, kSolidLayer, label, label);
            }
        }
        if (f < 6 && load.m_cSwitch[f] && load.m_fReal > 0.0001) {
            const double v1[3] = {load.m_fVector1[0], load.m_fVector1[1], load.m_fVector1[2]};
            const double v2[3] = {load.m_fVector2[0], load.m_fVector2[1], load.m_fVector2[2]};
            WaterMark(v1, v2, load.m_fReal, colour, kSolidLayer, label);
        }
    }
}
