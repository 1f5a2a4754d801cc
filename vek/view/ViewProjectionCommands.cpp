// Zoom, pan, rotation and standard-view commands of the projection, and its
// block of the project file.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "korvalib/base/GFunc.h"
#include "korvalib/base/biostream.h"
#include "vek/model/ProjectGlobals.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/ViewSettings.h"

namespace {

double ZoomStep()
{
    const double step = theProjectOptions.fZoomRatio;
    return step > 0 && step < 1 ? step : 0.8;
}

const double kStandard[6][2][3] = {
    {{0, -1, 0}, {0.26534633, -0.926921, 0.26534633}},  {{0, 1, 0}, {-0.26534633, 0.926921, 0.26534633}},
    {{-1, 0, 0}, {-0.926921, -0.26534633, 0.26534633}}, {{1, 0, 0}, {0.926921, 0.26534633, 0.26534633}},
    {{0, 0, 1}, {0.26534633, -0.26534633, 0.926921}},   {{0, 0, -1}, {-0.26534633, 0.26534633, -0.926921}},
};

}  // namespace

void CViewProjection::ZoomIn()
{
    m_zoom /= ZoomStep();
    ClampZoom();
    ViewInvalidateModel();
}

void CViewProjection::ZoomOut()
{
    m_zoom *= ZoomStep();
    if (m_zoom < kMinZoom) m_zoom = kMinZoom;
    ViewInvalidateModel();
}

void CViewProjection::ZoomAtCursor(int delta, POINT cursor)
{
    const double s = GetScale();
    double f;
    if (delta >= 0) {
        f = 1 / ZoomStep();
    } else {
        if (m_zoom < 0.06) return;
        f = ZoomStep();
    }
    const double zoom = std::min(m_zoom * f, kMaxZoom);
    if (zoom == m_zoom) return;
    f = zoom / m_zoom;
    m_zoom = zoom;
    const POINT c = GetScreenCenter();
    double* centre = Centre();
    centre[0] -= (c.x - cursor.x) * ((f - 1) / f) / s;
    centre[1] += ((f - 1) / f) * (c.y - cursor.y) / s;
    ViewInvalidateModel();
}

void CViewProjection::PanStep(PanDirection direction)
{
    const double s = GetScale();
    double* c = Centre();
    const double dy = (m_screen.bottom - m_screen.top) * 0.125 / s;
    const double dx = (m_screen.right - m_screen.left) / 9.0 / s;
    switch (direction) {
        case kPanUp: c[1] -= dy; break;
        case kPanDown: c[1] += dy; break;
        case kPanLeft: c[0] += dx; break;
        case kPanRight: c[0] -= dx; break;
    }
    ViewInvalidateModel();
}

void CViewProjection::ZoomExtentsCommand()
{
    ZoomExtents(1, 0, 1);
    ViewInvalidateModel();
}

void CViewProjection::ZoomWindowCallback(int count, const POINT* p)
{
    // A window of no width or no height gives no zoom ratio.
    if (count < 2 || !p || p[0].x == p[1].x || p[0].y == p[1].y) return;
    const double s = GetScale();
    double* c = Centre();
    c[0] += ((p[0].x + p[1].x) / 2.0 - (m_screen.left + m_screen.right) / 2.0) / s;
    c[1] += ((m_screen.top + m_screen.bottom) / 2.0 - (p[0].y + p[1].y) / 2.0) / s;
    const double rx = std::fabs(double(m_screen.right - m_screen.left) / (p[0].x - p[1].x));
    const double ry = std::fabs(double(m_screen.bottom - m_screen.top) / (p[0].y - p[1].y));
    m_zoom *= rx < ry ? rx : ry;
    ClampZoom();
    ViewInvalidateModel();
}

void CViewProjection::PanDragCallback(int count, const POINT* p)
{
    if (count != 2 || !p) return;
    const double s = GetScale();
    double* c = Centre();
    c[0] -= (p[1].x - p[0].x) / s;
    c[1] -= (p[0].y - p[1].y) / s;
    ViewInvalidateModel();
}

void CViewProjection::ZoomDragCallback(int count, const POINT* p)
{
    if (count != 2 || !p) return;
    const double d = std::abs(p[1].y - p[0].y) + std::abs(p[1].x - p[0].x);
    const double f = std::min(0.05 + d * 0.005, 0.95);
    m_zoom *= p[1].y > p[0].y ? 1 - f : 1 + f;
    if (m_zoom < kMinZoom) m_zoom = kMinZoom;
    ClampZoom();
    ViewInvalidateModel();
}

void CViewProjection::RotateDragCallback(int count, const POINT* p)
{
    if (count != 2 || !p) return;
    double r[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    const POINT c = GetScreenCenter();
    const double radius = GFunc::GetDistance(c.x, c.y, p[0].x, p[0].y);
    const int w = m_screen.right - m_screen.left, h = m_screen.bottom - m_screen.top;
    if (radius <= w / 3 && radius <= h / 3) {
        double axis[3] = {double(p[0].y - p[1].y), double(p[0].x - p[1].x), 0};
        const int shorter = std::min(w, h);
        if ((axis[0] != 0 || axis[1] != 0) && shorter > 0) {
            const double angle = GFunc::GetDistance(p[0].x, p[0].y, p[1].x, p[1].y) / shorter * 3 * 180;
            for (auto& row : r) {
                double out[3];
                GFunc::AxisRotate(row, axis, angle, out);
                CVector::Copy(out, row);
            }
        }
    } else {
        const double a =
            GFunc::ScreenLineAngle(c.x, c.y, p[0].x, p[0].y) - GFunc::ScreenLineAngle(c.x, c.y, p[1].x, p[1].y);
        const double rows[3][3] = {{std::cos(a), std::sin(a), 0}, {-std::sin(a), std::cos(a), 0}, {0, 0, 1}};
        std::copy(&rows[0][0], &rows[0][0] + 9, &r[0][0]);
    }
    CTransferMatrix frame(m_frame);
    CTransferMatrix::Axes axes = frame;
    double g[3][3];
    for (int k = 0; k < 3; ++k)
        for (int j = 0; j < 3; ++j) g[k][j] = r[k][0] * axes[0][j] + r[k][1] * axes[1][j] + r[k][2] * axes[2][j];
    m_screenX = CVector(g[0][0], g[0][1], g[0][2]);
    m_screenX.Normalize();
    m_viewPoint = CVector(g[2][0], g[2][1], g[2][2]);
    m_viewPoint.Normalize();
    ZoomExtents(0, 0, 0);
    ViewInvalidateModel();
}

void CViewProjection::SetStandardView(StandardView view, int oblique)
{
    if (m_mode != kFree3D || view < kFront || view > kBottom) return;
    const double* d = kStandard[view][oblique ? 1 : 0];
    SetViewDirection(d[0], d[1], d[2]);
    ZoomExtents(0, 0, 1);
    ViewInvalidateModel();
}

// ---- project-file block -------------------------------------------------------------------

int CViewProjection::Write(bofstream& out) const
{
    for (const auto& c : m_centre) out << c[0] << c[1];
    out << m_zoom;
    for (int i = 0; i < 3; ++i) out << m_viewPoint[i];
    for (int i = 0; i < 3; ++i) out << m_screenX[i];
    out << m_platformHeight;
    out << static_cast<char>(m_mode);
    return out.IsGood();
}

namespace {

int Skip(bifstream& in, int n)
{
    char buf[512];
    while (n > 0) {
        const int k = std::min(n, int(sizeof buf));
        if (!in.Read(buf, k)) return 0;
        n -= k;
    }
    return 1;
}

bool Finite(const double* v, int n)
{
    for (int i = 0; i < n; ++i)
        if (!std::isfinite(v[i])) return false;
    return true;
}

int Damaged(bifstream& in)
{
    in.SetFailed();
    return 0;
}

}  // namespace

int CViewProjection::Read(bifstream& in)
{
    const int v = nPrjVersion;
    if (v < 480) return Skip(in, v < 400 ? 272 : 256);
    double centre[3][2], zoom = 0, dir[3], screenX[3] = {0, 0, 0}, height = m_platformHeight;
    char mode = static_cast<char>(m_mode);
    for (auto& c : centre) in >> c[0] >> c[1];
    in >> zoom;
    if (v < 700) {
        Skip(in, v < 671 ? 73 : 72);
        for (auto& c : centre) c[0] = c[1] = 0;
    }
    for (double& d : dir) in >> d;
    if (v >= 671)
        for (double& d : screenX) in >> d;
    if (v >= 700)
        in >> height >> mode;
    else
        Skip(in, 32);
    if (!in.IsGood()) return 0;
    if (!Finite(&centre[0][0], 6) || !Finite(dir, 3) || !Finite(screenX, 3) || !std::isfinite(height) ||
        !(zoom > 0 && zoom < 1e300) || mode < kPlan || mode > kFree3D || CVector::Length(dir) < 1e-10 ||
        (v >= 671 && CVector::Length(screenX) < 1e-10))
        return Damaged(in);
    for (int i = 0; i < 3; ++i) {
        m_centre[i][0] = centre[i][0];
        m_centre[i][1] = centre[i][1];
    }
    m_zoom = std::min(zoom, kMaxZoom);
    if (v < 671) {
        SetViewDirection(dir[0], dir[1], dir[2]);
    } else {
        CVector::Normalize(dir);
        CVector::Normalize(screenX);
        m_viewPoint = CVector(dir[0], dir[1], dir[2]);
        m_screenX = CVector(screenX[0], screenX[1], screenX[2]);
    }
    if (v >= 700) {
        m_platformHeight = height;
        m_mode = static_cast<int8_t>(mode);
    }
    return 1;
}
