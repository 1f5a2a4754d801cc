#include "vek/view/ViewProjection.h"

#include <algorithm>
#include <cmath>

#include "korvalib/base/GFunc.h"
#include "vek/model/ElevationPlane.h"
#include "vek/model/NodeLookup.h"
#include "vek/view/ViewSettings.h"
#include "vek/view/draw/GlApi.h"

CViewProjection theViewProjection;

namespace {

const double kDefaultDirection[3] = {0.26534633, -0.926921, 0.26534633};
// Pixels beyond this are clamped: a truncated double must fit an int.
constexpr double kPixelLimit = 1.0e9;

int ToPixel(double v)
{
    if (!(v > -kPixelLimit)) return static_cast<int>(-kPixelLimit);
    if (!(v < kPixelLimit)) return static_cast<int>(kPixelLimit);
    return static_cast<int>(v);
}

}  // namespace

CViewProjection::CViewProjection()
{
    SetDefaultView();
}

void CViewProjection::SetDefaultView()
{
    for (auto& c : m_centre) c[0] = c[1] = 0;
    SetViewDirection(kDefaultDirection[0], kDefaultDirection[1], kDefaultDirection[2]);
    m_zoom = 1.0;
    for (int i = 0; i < 6; i += 2) {
        m_viewBox[i] = 50;
        m_viewBox[i + 1] = 0;
    }
    m_mode = kPlan;
    const int w = m_screen.right - m_screen.left, h = m_screen.bottom - m_screen.top;
    // Before the window has a size the box is square.
    m_extent[0] = 100;
    m_extent[1] = w > 0 ? 100.0 * h / w : 100.0;
    m_extent[2] = 150;
    m_extent[3] = m_extent[4] = m_extent[5] = 0;
    m_platformHeight = 0;
    UpdateAxes();
}

// ---- conversions --------------------------------------------------------------------------

double CViewProjection::GetScale() const
{
    const int w = m_screen.right - m_screen.left, h = m_screen.bottom - m_screen.top;
    return std::min(w, h) * m_zoom / (m_viewBox[0] - m_viewBox[1]);
}

void CViewProjection::WorldToScreen(const double* p, double& sx, double& sy) const
{
    double l[3];
    m_frame.ToLocal(p, l);
    const double s = GetScale();
    const double* c = Centre();
    sx = (m_screen.left + m_screen.right) * 0.5 + (l[0] - c[0]) * s;
    sy = (m_screen.top + m_screen.bottom) * 0.5 - (l[1] - c[1]) * s;
}

void CViewProjection::WorldToScreenInt(const double* p, int& x, int& y) const
{
    double sx, sy;
    WorldToScreen(p, sx, sy);
    x = ToPixel(sx);
    y = ToPixel(sy);
}

void CViewProjection::ScreenToWorld(double x, double y, double out[3]) const
{
    const double s = GetScale();
    const double* c = Centre();
    double l[3] = {0, 0, 0};
    if (s > 0) {
        l[0] = (x - (m_screen.left + m_screen.right) * 0.5) / s + c[0];
        l[1] = ((m_screen.top + m_screen.bottom) * 0.5 - y) / s + c[1];
    }
    m_frame.ToGlobal(l, out);
}

void CViewProjection::WorldToPlane(const double* p, double& u, double& v) const
{
    double l[3];
    m_frame.ToLocal(p, l);
    u = l[0];
    v = l[1];
}

void CViewProjection::PlaneToWorld(double u, double v, double out[3]) const
{
    const double l[3] = {u, v, 0};
    m_frame.ToGlobal(l, out);
}

void CViewProjection::PlaneToScreen(double u, double v, double& sx, double& sy) const
{
    double p[3];
    PlaneToWorld(u, v, p);
    WorldToScreen(p, sx, sy);
}

void CViewProjection::PlaneToScreenInt(double u, double v, int& x, int& y) const
{
    double p[3];
    PlaneToWorld(u, v, p);
    WorldToScreenInt(p, x, y);
}

void CViewProjection::ScreenToPlane(int x, int y, double& u, double& v) const
{
    double p[3];
    ScreenToWorld(x, y, p);
    WorldToPlane(p, u, v);
}

int CViewProjection::NodeToScreen(int node, double& sx, double& sy, int flag) const
{
    double p[3];
    if (!NodeCoord(node, flag, p)) return 0;
    WorldToScreen(p, sx, sy);
    return 1;
}

int CViewProjection::NodeToScreenInt(int node, int& x, int& y, int flag) const
{
    double p[3];
    if (!NodeCoord(node, flag, p)) return 0;
    WorldToScreenInt(p, x, y);
    return 1;
}

POINT CViewProjection::GetScreenCenter() const
{
    POINT c;
    c.x = (m_screen.left + m_screen.right) / 2;
    c.y = (m_screen.top + m_screen.bottom) / 2;
    return c;
}

void CViewProjection::GetExtentCenter(double out[3]) const
{
    for (int i = 0; i < 3; ++i) out[i] = (m_extent[i] + m_extent[i + 3]) / 2;
}

void CViewProjection::GetVisibleWindow(double& minU, double& minV, double& maxU, double& maxV) const
{
    const double s = GetScale();
    const double* c = Centre();
    const double hw = (m_screen.right - m_screen.left) / (2 * s), hh = (m_screen.bottom - m_screen.top) / (2 * s);
    minU = c[0] - hw;
    maxU = c[0] + hw;
    minV = c[1] - hh;
    maxV = c[1] + hh;
}

void CViewProjection::GetViewDir(double out[3]) const
{
    CTransferMatrix frame(m_frame);
    CVector::Copy(static_cast<CTransferMatrix::Axes>(frame)[2], out);
}

// ---- outside-screen tests -----------------------------------------------------------------

int CViewProjection::IsOutsideScreen(int x, int y) const
{
    return x < m_screen.left || x > m_screen.right || y < m_screen.top || y > m_screen.bottom;
}

int CViewProjection::IsLineOutsideScreen(int x1, int y1, int x2, int y2) const
{
    if (x1 < m_screen.left && x2 < m_screen.left) return 1;
    if (x1 > m_screen.right && x2 > m_screen.right) return 1;
    if (y1 < m_screen.top && y2 < m_screen.top) return 1;
    if (y1 > m_screen.bottom && y2 > m_screen.bottom) return 1;
    return 0;
}

int CViewProjection::IsPixelQuadOutside(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) const
{
    const RECT& r = m_screen;
    if (x1 < r.left && x2 < r.left && x3 < r.left && x4 < r.left) return 1;
    if (x1 > r.right && x2 > r.right && x3 > r.right && x4 > r.right) return 1;
    if (y1 < r.top && y2 < r.top && y3 < r.top && y4 < r.top) return 1;
    if (y1 > r.bottom && y2 > r.bottom && y3 > r.bottom && y4 > r.bottom) return 1;
    return 0;
}

int CViewProjection::IsPointOutsideScreen(const double* p) const
{
    int x, y;
    WorldToScreenInt(p, x, y);
    return IsOutsideScreen(x, y);
}

int CViewProjection::IsSegmentOutsideScreen(const double* p1, const double* p2) const
{
    int x1, y1, x2, y2;
    WorldToScreenInt(p1, x1, y1);
    WorldToScreenInt(p2, x2, y2);
    return IsLineOutsideScreen(x1, y1, x2, y2);
}

int CViewProjection::IsQuadOutsideScreen(const double* p1, const double* p2, const double* p3, const double* p4) const
{
    int x[4], y[4];
    WorldToScreenInt(p1, x[0], y[0]);
    WorldToScreenInt(p2, x[1], y[1]);
    WorldToScreenInt(p3, x[2], y[2]);
    WorldToScreenInt(p4, x[3], y[3]);
    return IsPixelQuadOutside(x[0], y[0], x[1], y[1], x[2], y[2], x[3], y[3]);
}

// ---- state --------------------------------------------------------------------------------

void CViewProjection::SetViewDirection(double x, double y, double z)
{
    double d[3] = {x, y, z};
    if (!CVector::Normalize(d)) return;
    m_viewPoint = CVector(d[0], d[1], d[2]);
    double ax[3], ay[3], az[3];
    m_viewPoint.GenerateOCS(ax, ay, az);
    m_screenX = CVector(ax[0], ax[1], ax[2]);
}

void CViewProjection::UpdateAxes()
{
    if (m_mode == kFree3D) {
        CVector y = m_viewPoint.Cross(m_screenX);
        m_frame.SetMatrix(m_screenX, y, m_viewPoint);
        double c[3];
        GetExtentCenter(c);
        m_frame.SetOrig(c);
    } else if (m_mode == kElevation) {
        double n[3];
        theElevationPlane.GetNormal(n);
        double ax[3], ay[3], az[3];
        CVector(n, 0).GenerateOCS(ax, ay, az);
        if (ay[2] < -0.0001)
            for (int i = 0; i < 3; ++i) {
                ax[i] = -ax[i];
                ay[i] = -ay[i];
            }
        m_frame.SetMatrix(ax, ay, az);
        m_frame.SetOrig(theElevationPlane.m_origin);
    } else {
        m_frame.SetIdentity();
        const double o[3] = {0, 0, m_platformHeight};
        m_frame.SetOrig(o);
    }
}

void CViewProjection::AddToExtent(const double* p)
{
    for (int i = 0; i < 3; ++i) {
        m_extent[i] = std::max(m_extent[i], p[i]);
        m_extent[i + 3] = std::min(m_extent[i + 3], p[i]);
    }
}

void CViewProjection::SetExtent(const double* maxCorner, const double* minCorner)
{
    for (int i = 0; i < 3; ++i) {
        m_extent[i] = maxCorner[i];
        m_extent[i + 3] = minCorner[i];
    }
}

void CViewProjection::UpdateViewBox()
{
    double* b = m_viewBox;
    b[0] = b[2] = b[4] = -1e20;
    b[1] = b[3] = b[5] = 1e20;
    for (int k = 0; k < 8; ++k) {
        const double p[3] = {m_extent[(k & 1) ? 0 : 3], m_extent[(k & 2) ? 1 : 4], m_extent[(k & 4) ? 2 : 5]};
        double l[3];
        m_frame.ToLocal(p, l);
        for (int i = 0; i < 3; ++i) {
            b[2 * i] = std::max(b[2 * i], l[i]);
            b[2 * i + 1] = std::min(b[2 * i + 1], l[i]);
        }
    }
    for (int i = 0; i < 2; ++i) {
        double d = (b[2 * i] - b[2 * i + 1]) / 40;
        if (d < 1e-8) d = 0.01;
        b[2 * i] += d;
        b[2 * i + 1] -= d;
    }
    const double h = ((b[2] - b[3]) - (b[0] - b[1])) / 2;
    if (h > 0) {
        b[0] += h;
        b[1] -= h;
    } else {
        b[2] -= h;
        b[3] += h;
    }
    double dz = std::max((b[4] - b[5]) / 2, 1.0);
    if (ViewDeformedShown()) {
        const double s = GetScale();
        if (s > 0) dz += 3.0 * theProjectOptions.nMaxDisplacementPixels / s;
    }
    b[4] += dz;
    b[5] -= dz;
}

int CViewProjection::AxisGridInView() const
{
    return m_mode == kPlan || (m_mode == kElevation && theProjectOptions.bAxisGridsInElevations);
}

void CViewProjection::ZoomExtents(int recompute, int resetDirection, int resetZoom)
{
    if (recompute) {
        for (int i = 0; i < 3; ++i) {
            m_extent[i] = -1e30;
            m_extent[i + 3] = 1e30;
        }
        if (theViewHooks.addModelExtent) theViewHooks.addModelExtent(*this);
        if (AxisGridInView() && theViewHooks.addGridExtent) {
            UpdateAxes();
            theViewHooks.addGridExtent(*this);
        }
        if (m_extent[3] > 1e29) {
            for (int i = 0; i < 3; ++i) {
                m_extent[i] = 50;
                m_extent[i + 3] = 0;
            }
        }
    }
    if (resetDirection && m_mode == kFree3D)
        SetViewDirection(kDefaultDirection[0], kDefaultDirection[1], kDefaultDirection[2]);
    UpdateAxes();
    UpdateViewBox();
    double* c = Centre();
    if (resetZoom || c[0] > 1e20 || c[1] > 1e20) {
        c[0] = (m_viewBox[0] + m_viewBox[1]) / 2;
        c[1] = (m_viewBox[2] + m_viewBox[3]) / 2;
        if (resetZoom) m_zoom = 1.0;
    }
    ViewInvalidateWindow(1);
}

int CViewProjection::SetMode(int mode, int refit, int refreshVisibility, int onlyIfChanged)
{
    if (mode < kPlan || mode > kFree3D) return 0;
    if (onlyIfChanged && m_mode == mode) return 0;
    m_mode = static_cast<int8_t>(mode);
    if (refit) ZoomExtents(0, 0, 0);
    if (refreshVisibility && theViewHooks.updateVisibleObjects) theViewHooks.updateVisibleObjects();
    return 1;
}

void CViewProjection::SetupGL() const
{
    CGlApi* g = GetGlApi();
    if (!g) return;
    CTransferMatrix frame(m_frame);
    CTransferMatrix::Axes a = frame;
    double m[16] = {};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) m[j * 4 + i] = a[i][j];
    m[15] = 1;
    g->MatrixMode(gl::kModelView);
    g->LoadMatrixd(m);
    const double* o = m_frame.GetOrig();
    g->Translated(-o[0], -o[1], -o[2]);
    double minU, minV, maxU, maxV;
    GetVisibleWindow(minU, minV, maxU, maxV);
    g->MatrixMode(gl::kProjection);
    g->LoadIdentity();
    g->Ortho(minU, maxU, minV, maxV, -m_viewBox[4], -m_viewBox[5]);
    g->Viewport(m_screen.left, m_screen.top, m_screen.right - m_screen.left, m_screen.bottom - m_screen.top);
    g->MatrixMode(gl::kModelView);
}

CViewProjection& CViewProjection::operator=(const CViewProjection& o)
{
    if (this == &o) return *this;
    for (int i = 0; i < 3; ++i) {
        m_centre[i][0] = o.m_centre[i][0];
        m_centre[i][1] = o.m_centre[i][1];
    }
    m_frame = o.m_frame;
    m_viewPoint = o.m_viewPoint;
    m_screenX = o.m_screenX;
    m_zoom = o.m_zoom;
    std::copy(o.m_viewBox, o.m_viewBox + 6, m_viewBox);
    return *this;
}

void CViewProjection::ScaleLengths(double factor)
{
    for (auto& c : m_centre) {
        c[0] *= factor;
        c[1] *= factor;
    }
    for (double& v : m_viewBox) v *= factor;
    for (double& v : m_extent) v *= factor;
    m_platformHeight *= factor;
}

void CViewProjection::SetScreenRect(int left, int top, int right, int bottom)
{
    m_screen.left = left;
    m_screen.top = top;
    m_screen.right = right;
    m_screen.bottom = bottom;
}

void CViewProjection::ClampZoom()
{
    if (!(m_zoom <= kMaxZoom)) m_zoom = kMaxZoom;
}
