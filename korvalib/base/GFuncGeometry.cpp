// Plane and space geometry of GFunc.
#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

#include "korvalib/base/GFunc.h"
#include "korvalib/base/Vector.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegToRad = 0.017453292519943295;

short ToShort(double v)
{
    if (!(v > SHRT_MIN - 1.0)) return SHRT_MIN;  // NaN too
    if (!(v < SHRT_MAX + 1.0)) return SHRT_MAX;
    return static_cast<short>(v);
}

// Local coordinates of v in the frame x, y, z; and back.
void ToFrame(const double* x, const double* y, const double* z, const double* v, double* l)
{
    l[0] = CVector::Dot(x, v);
    l[1] = CVector::Dot(y, v);
    l[2] = CVector::Dot(z, v);
}
void FromFrame(const double* x, const double* y, const double* z, const double* l, double* v)
{
    for (int i = 0; i < 3; ++i) v[i] = l[0] * x[i] + l[1] * y[i] + l[2] * z[i];
}

// The frame of the axis a->b through the direction d: z along the axis,
// y = z x d, x = y x z. 0 when any of them has no length.
int AxisFrame(const double* a, const double* b, const double* d, double* x, double* y, double* z)
{
    CVector::Subtract(b, a, z);
    CVector::Cross(z, d, y);
    CVector::Cross(y, z, x);
    return CVector::Normalize(x) && CVector::Normalize(y) && CVector::Normalize(z);
}

}  // namespace

double GFunc::GetDistance(double x1, double y1, double x2, double y2)
{
    return Sqrt((x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1));
}

double GFunc::GetDistance(double x1, double y1, double z1, double x2, double y2, double z2)
{
    return Sqrt((x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1) + (z2 - z1) * (z2 - z1));
}

double GFunc::GetDistance(const double* a, const double* b)
{
    return GetDistance(a[0], a[1], a[2], b[0], b[1], b[2]);
}

void GFunc::PlaneCoordRotate(double x, double y, double& xr, double& yr, double angle)
{
    const double c = std::cos(angle), s = std::sin(angle);
    const double rx = x * c - y * s, ry = x * s + y * c;
    xr = rx;
    yr = ry;
}

void GFunc::PlaneCoordRotate(short x, short y, short& xr, short& yr, double angle)
{
    double rx, ry;
    PlaneCoordRotate(double(x), double(y), rx, ry, angle);
    xr = ToShort(rx);
    yr = ToShort(ry);
}

double GFunc::GlobalDirAngle(const double d[2])
{
    const double dx = d[0], dy = d[1];
    if (std::fabs(dx) < 1e-6) {
        if (dy > 1e-6) return kPi / 2;
        if (dy < -1e-6) return 3 * kPi / 2;
        return 0.0;
    }
    double a = std::atan(dy / dx);
    if (dx < 0)
        a += kPi;
    else if (dy < 0)
        a += 2 * kPi;
    return a;
}

double GFunc::GlobalLineAngle(double x1, double y1, double x2, double y2)
{
    const double d[2] = {x2 - x1, y2 - y1};
    return GlobalDirAngle(d);
}

double GFunc::ScreenLineAngle(double x1, double y1, double x2, double y2)
{
    return GlobalLineAngle(x1, -y1, x2, -y2);
}

double GFunc::Area(const double* a, const double* b, const double* c)
{
    double ab[3], ac[3], n[3];
    CVector::Subtract(b, a, ab);
    CVector::Subtract(c, a, ac);
    CVector::Cross(ab, ac, n);
    return CVector::Length(n) / 2;
}

void GFunc::MirrorPoint(const double* p, double* out, const double* plane)
{
    const double dist = plane[0] * p[0] + plane[1] * p[1] + plane[2] * p[2] + plane[3];
    const double nn = CVector::Dot(plane, plane);
    if (std::fabs(dist) < 0.00001 || nn < 1e-15) {  // on the plane, or no plane
        CVector::Copy(p, out);
        return;
    }
    const double f = 2 * dist / nn;
    const double r[3] = {p[0] - f * plane[0], p[1] - f * plane[1], p[2] - f * plane[2]};
    CVector::Copy(r, out);
}

void GFunc::MirrorDir(const double* dir, double* out, const double* plane)
{
    static const double origin[3] = {0, 0, 0};
    double md[3], mo[3];
    MirrorPoint(dir, md, plane);
    MirrorPoint(origin, mo, plane);
    CVector::Subtract(md, mo, out);
}

void GFunc::ProjectedToPlaneDir(const double* dir, const double* normal, double* out)
{
    double n[3];
    CVector::Copy(normal, n);
    if (!CVector::Normalize(n)) {
        CVector::Copy(dir, out);
        return;
    }
    const double k = CVector::Dot(n, dir);
    const double r[3] = {dir[0] - k * n[0], dir[1] - k * n[1], dir[2] - k * n[2]};
    CVector::Copy(r, out);
}

void GFunc::ProjectedToPlanePoint(const double* p, const double* plane, double* out)
{
    const double nn = CVector::Dot(plane, plane);
    if (nn < 1e-10) {
        CVector::Copy(p, out);
        return;
    }
    // Divided by |n|^2, which is 1 for a unit normal: the foot of the
    // perpendicular for any normal.
    const double k = (CVector::Dot(plane, p) + plane[3]) / nn;
    const double r[3] = {p[0] - k * plane[0], p[1] - k * plane[1], p[2] - k * plane[2]};
    CVector::Copy(r, out);
}

double GFunc::AngleOfTwoVectors(const double* a, const double* b, const double* normal)
{
    double u[3], v[3];
    if (normal) {
        ProjectedToPlaneDir(a, normal, u);
        ProjectedToPlaneDir(b, normal, v);
    } else {
        CVector::Copy(a, u);
        CVector::Copy(b, v);
    }
    if (!CVector::Normalize(u) || !CVector::Normalize(v)) return 0.0;
    double c[3];
    CVector::Cross(u, v, c);
    double angle = std::asin(std::min(1.0, CVector::Length(c)));
    if (CVector::Dot(u, v) < 0) angle = kPi - angle;
    if (normal && CVector::Dot(c, normal) < 0) angle = 2 * kPi - angle;
    return angle;
}

void GFunc::AxisRotate(double* p, double* axis, double angleDeg, double* out)
{
    if (!CVector::Normalize(axis)) {
        CVector::Copy(p, out);
        return;
    }
    const double x = axis[0], y = axis[1], z = axis[2];
    const double c = std::cos(angleDeg * kDegToRad), s = std::sin(angleDeg * kDegToRad), t = 1 - c;
    const double m[3][3] = {{c + t * x * x, t * x * y - z * s, t * x * z + y * s},
                            {t * x * y + z * s, c + t * y * y, t * y * z - x * s},
                            {t * x * z - y * s, t * y * z + x * s, c + t * z * z}};
    CVector::MatrixMult(m, p, out, 0);
}

void GFunc::AxisRotate(const double* p, const double* a, const double* b, const double* move, double* out)
{
    double pb[3], x[3], y[3], z[3];
    CVector::Subtract(p, b, pb);
    if (!AxisFrame(a, b, pb, x, y, z)) {
        CVector::Copy(p, out);
        return;
    }
    double pa[3], l[3];
    CVector::Subtract(p, a, pa);
    ToFrame(x, y, z, pa, l);
    l[0] += l[0] > 0 ? move[0] : -move[0];
    l[2] += move[2];
    double r[2];
    PlaneCoordRotate(l[0], l[1], r[0], r[1], move[1] * kDegToRad);
    l[0] = r[0];
    l[1] = r[1];
    double g[3];
    FromFrame(x, y, z, l, g);
    CVector::Plus(g, a, out);
}

void GFunc::AxisRotateDir(const double* dir, const double* a, const double* b, double angleDeg, double* out)
{
    double x[3], y[3], z[3];
    if (!AxisFrame(a, b, dir, x, y, z)) {
        CVector::Copy(dir, out);
        return;
    }
    double l[3];
    ToFrame(x, y, z, dir, l);
    double r[2];
    PlaneCoordRotate(l[0], l[1], r[0], r[1], angleDeg * kDegToRad);
    l[0] = r[0];
    l[1] = r[1];
    FromFrame(x, y, z, l, out);
}

double GFunc::CalWaterPressure(const double* surface, const double* down, double gamma, const double* p)
{
    double d[3], ps[3];
    CVector::Subtract(down, surface, d);
    if (!CVector::Normalize(d)) return 0.0;
    CVector::Subtract(p, surface, ps);
    const double depth = CVector::Dot(ps, d);
    return depth <= 0 ? 0.0 : gamma * depth;
}

double GFunc::CalWaterPressure(const float* surface, const float* down, float gamma, const double* p)
{
    const double s[3] = {surface[0], surface[1], surface[2]};
    const double d[3] = {down[0], down[1], down[2]};
    return CalWaterPressure(s, d, double(gamma), p);
}

int GFunc::LineIntersect(const double* p1, const double* p2, const double* p3, const double* p4, double* at, double tol,
                         double& s, double& t, int unbounded, int endsAllowed)
{
    double d1[3], d2[3], w[3], c[3];
    CVector::Subtract(p2, p1, d1);
    CVector::Subtract(p4, p3, d2);
    CVector::Subtract(p3, p1, w);
    CVector::Cross(d1, d2, c);
    int k = 0;  // the axis of the largest cross-product component
    for (int m = 1; m < 3; ++m)
        if (std::fabs(c[m]) > std::fabs(c[k])) k = m;
    const int i = (k + 1) % 3, j = (k + 2) % 3;
    // s d1 - t d2 = w in the coordinates i and j.
    const double det = d2[i] * d1[j] - d1[i] * d2[j];
    if (std::fabs(det) <= 1e-10) return 0;  // the largest is too small: parallel
    s = (d2[i] * w[j] - w[i] * d2[j]) / det;
    t = (d1[i] * w[j] - d1[j] * w[i]) / det;
    const double ls = tol / CVector::Length(d1), lt = tol / CVector::Length(d2);
    if (!unbounded && (s < -ls || s > 1 + ls || t < -lt || t > 1 + lt)) return 0;
    if (!endsAllowed && (std::fabs(s) < ls || std::fabs(s - 1) < ls || std::fabs(t) < lt || std::fabs(t - 1) < lt))
        return 0;
    if (std::fabs(d2[k] * t + w[k] - d1[k] * s) > tol) return 0;
    if (at)
        for (int m = 0; m < 3; ++m) at[m] = p3[m] + t * d2[m];
    return 1;
}

int GFunc::LineIntersect(const double* p1, const double* p2, const double* p3, const double* p4, double* at, double tol,
                         int unbounded, int endsAllowed)
{
    double s, t;
    return LineIntersect(p1, p2, p3, p4, at, tol, s, t, unbounded, endsAllowed);
}

int GFunc::LineIntersect(const int* a1, const int* a2, const int* b1, const int* b2, int endsAllowed)
{
    const double p1[3] = {double(a1[0]), double(a1[1]), 0}, p2[3] = {double(a2[0]), double(a2[1]), 0};
    const double p3[3] = {double(b1[0]), double(b1[1]), 0}, p4[3] = {double(b2[0]), double(b2[1]), 0};
    double at[3];
    return LineIntersect(p1, p2, p3, p4, at, 0.01, 0, endsAllowed);
}

int GFunc::PointInRegion(double x, double y, int n, const double pts[][2], double tol, int onBoundary)
{
    if (!pts || n <= 0) return 0;
    auto near = [tol](const double* a, const double* b) {
        return std::fabs(a[0] - b[0]) < tol && std::fabs(a[1] - b[1]) < tol;
    };
    std::vector<const double*> v;
    v.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        if (v.empty() || !near(v.back(), pts[i])) v.push_back(pts[i]);
    if (v.size() > 1 && near(v.back(), v.front())) v.pop_back();
    const int m = static_cast<int>(v.size());
    double minX = v[0][0], maxX = v[0][0];
    for (const double* q : v) {
        minX = std::min(minX, q[0]);
        maxX = std::max(maxX, q[0]);
    }
    const double pt[2] = {x, y};
    for (int i = 0; i < m; ++i) {
        const double* a = v[(i + m - 1) % m];
        const double* b = v[i];
        if (near(b, pt)) return onBoundary;
        if (std::fabs(a[1] - b[1]) < tol && std::fabs(y - b[1]) < tol && x >= std::min(a[0], b[0]) - tol &&
            x <= std::max(a[0], b[0]) + tol)
            return onBoundary;
    }
    if (x <= minX - tol || x >= maxX + tol) return 0;
    if (m < 3) return 0;
    const double r1[3] = {minX - 20, y, 0}, r2[3] = {x, y, 0};
    int crossings = 0;
    for (int i = 0; i < m; ++i) {
        const double* a = v[(i + m - 1) % m];
        const double* b = v[i];
        const double* next = v[(i + 1) % m];
        if (a[0] > x + tol && b[0] > x + tol) continue;
        if (a[1] > y + tol && b[1] > y + tol) continue;
        if (a[1] < y - tol && b[1] < y - tol) continue;
        const double e1[3] = {a[0], a[1], 0}, e2[3] = {b[0], b[1], 0};
        double at[3];
        if (!LineIntersect(r1, r2, e1, e2, at, tol, 0, 1)) continue;
        if (near(at, pt)) return onBoundary;
        if (near(at, b)) {
            const bool extreme = (b[1] < a[1] && b[1] < next[1]) || (b[1] > a[1] && b[1] > next[1]);
            if (!extreme) continue;
        }
        ++crossings;
    }
    return crossings % 2;
}

int GFunc::SearchPolyVertex(const double pts[][3], int n, int* order, int& count, double tol)
{
    count = 0;
    if (!pts || !order || n <= 0) return 0;
    std::vector<char> used(static_cast<size_t>(n), 0);
    auto close = [&](int a, int b) {
        return std::fabs(pts[a][0] - pts[b][0]) + std::fabs(pts[a][1] - pts[b][1]) < tol;
    };
    bool edge = false;
    int i = 0;
    for (;;) {
        int found = -1;
        for (int j = 0; j < n && found < 0; ++j) {
            if (j == i || used[j]) continue;
            if (close(i, j)) {
                used[j] = 1;
                continue;
            }
            bool ok = true;
            for (int k = 0; k < n && ok; ++k) {
                if (k == i || k == j) continue;
                if (close(k, i) || close(k, j)) {
                    used[k] = 1;
                    continue;
                }
                const double dx = pts[j][0] - pts[i][0], dy = pts[j][1] - pts[i][1];
                const double kx = pts[k][0] - pts[i][0], ky = pts[k][1] - pts[i][1];
                const double c = ky * dx - kx * dy;
                if (c < -0.0001 * tol) {
                    ok = false;
                } else if (std::fabs(c) <= 0.0001 * tol) {
                    const double u = std::fabs(dx) >= std::fabs(dy) ? kx / dx : ky / dy;
                    if (u > 0 && u < 1) ok = false;
                }
            }
            if (ok) found = j;
        }
        if (found >= 0) {
            if (!edge) {
                order[count++] = i;
                used[i] = 1;
                edge = true;
            }
            order[count++] = found;
            used[found] = 1;
            i = found;
        } else if (!edge && i + 1 < n) {
            ++i;
        } else {
            break;
        }
    }
    return edge ? 1 : 0;
}
