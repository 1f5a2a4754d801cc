// The drawing layer's model primitives: lines, faces, bands, spheres,
// arrows and deformed members.
#include <algorithm>
#include <cmath>
#include <vector>

#include "korvalib/base/GFunc.h"
#include "korvalib/base/Vector.h"
#include "vek/exchange/DxfWriter.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/ViewSettings.h"
#include "vek/view/draw/DrawLayer.h"
#include "vek/view/draw/DrawLayerInternal.h"

using drawing::Layer;

namespace {

constexpr double kPi = 3.14159265358979323846;
// Set while a primitive draws through another whose DXF it writes itself.
bool dxfSuppressed = false;

bool Exporting()
{
    return !dxfSuppressed && DxfExporting();
}

struct DxfSuppress {
    bool saved = dxfSuppressed;
    DxfSuppress() { dxfSuppressed = true; }
    ~DxfSuppress() { dxfSuppressed = saved; }
};

bool Lighting()
{
    return theProjectOptions.HasOption(CProjectOptions::kLighting);
}

void ViewAxisNormal(CGlApi* g)
{
    double n[3];
    theViewProjection.GetViewDir(n);
    g->Normal3dv(n);
}

void Colour(CGlApi* g, uint32_t colour)
{
    uint8_t c[3];
    ColorToBytes(colour, c);
    g->Color3ubv(c);
}

// The normal of the plane through a, b, c, or through a, b, d when those are collinear.
void FaceNormal(const double* a, const double* b, const double* c, const double* d, double n[3])
{
    CVector v;
    if (v.CalPlaneNor(a, b, c) || (d && v.CalPlaneNor(a, b, d))) {
        v.CopyTo(n);
    } else {
        theViewProjection.GetViewDir(n);
    }
}

// A polygon's outline on OpenGL, moved towards the viewer; `used` (or null
// for all) picks the points.
void GlOutline(CGlApi* g, unsigned mode, int n, const double (*points)[3], const int* used, uint32_t colour, int width)
{
    const double d = drawing::OutlineOffset(width);
    g->PolygonMode(gl::kFrontAndBack, gl::kLine);
    Colour(g, colour);
    GlBeginWidth(mode, width);
    if (Lighting()) ViewAxisNormal(g);
    for (int i = 0; i < n; ++i) {
        if (used && !used[i]) continue;
        double p[3];
        ShiftTowardViewer(points[i], d, p);
        g->Vertex3dv(p);
    }
    g->End();
    g->PolygonMode(gl::kFrontAndBack, gl::kFill);
}

POINT Pixel(const double* p)
{
    POINT q;
    int x, y;
    theViewProjection.WorldToScreenInt(p, x, y);
    q.x = x;
    q.y = y;
    return q;
}

void GdiOutlineAndBrush(int outline, uint32_t outlineColour, int fill, uint32_t fillColour, int pattern, int width)
{
    if (outline)
        SelectDrawPen(outlineColour, width, 0);
    else
        SelectStockPen(kNullPen);
    if (!fill)
        SelectStockBrush(kNullBrush);
    else if (pattern < 0)
        SelectSolidBrush(fillColour);
    else
        SelectHatchBrush(pattern, fillColour);
}

}  // namespace

void DrawLine3D(const double* p1, const double* p2, uint32_t colour, int width, const char* layer, int style,
                int graded, double v1, double v2)
{
    if (DrawingOnGL()) {
        const double d = 2 * drawing::OutlineOffset(width);
        double a[3], b[3];
        const double *q1 = p1, *q2 = p2;
        if (d != 0) {
            ShiftTowardViewer(p1, d, a);
            ShiftTowardViewer(p2, d, b);
            q1 = a;
            q2 = b;
        }
        uint8_t ca[3], cb[3];
        ColorToBytes(graded ? ContourColorIndex(v1) : colour, ca);
        if (graded) ColorToBytes(ContourColorIndex(v2), cb);
        if (style == 0) {
            drawing::GlLine(q1, q2, ca, graded ? cb : ca, width);
        } else {
            SetGlLineStyle(style);
            drawing::GlLine(q1, q2, ca, graded ? cb : ca, width);
            GlEndBatch();
            GetGlApi()->Disable(gl::kLineStipple);
        }
    } else if (theDrawState.dc) {
        const POINT a = Pixel(p1), b = Pixel(p2);
        // Without a renderer to grade it, a graded line is drawn in pieces,
        // each in the colour of its middle value: one per step of the palette
        // it crosses, at most one per pixel.
        const int pixels = std::max(std::abs(b.x - a.x), std::abs(b.y - a.y));
        const int pieces = graded ? std::clamp(int(std::fabs(v2 - v1) * 240) + 1, 1, std::max(1, pixels)) : 1;
        POINT from = a;
        for (int k = 1; k <= pieces; ++k) {
            const double t = double(k) / pieces;
            const POINT to{LONG(std::lround(a.x + (b.x - a.x) * t)), LONG(std::lround(a.y + (b.y - a.y) * t))};
            SelectDrawPen(graded ? ContourColorIndex(v1 + (v2 - v1) * (t - 0.5 / pieces)) : colour, width, style);
            theDrawState.dc->MoveTo(from.x, from.y);
            theDrawState.dc->LineTo(to.x, to.y);
            from = to;
        }
    }
    if (Exporting()) theDxfWriter.WriteLine(p1, p2, Layer(layer));
}

void DrawPolygonFace(const double corners[4][3], int outline, uint32_t outlineColour, int fill, uint32_t fillColour,
                     int pattern, int width, const char* layer, int graded, const double* values)
{
    if (!outline && !fill && !graded) return;
    if (DrawingOnGL()) {
        CGlApi* g = drawing::Gl();
        if (fill || graded) {
            SetGlFillPattern(pattern);
            g->Begin(gl::kQuads);
            if (Lighting()) {
                double n[3];
                FaceNormal(corners[0], corners[1], corners[2], nullptr, n);
                g->Normal3dv(n);
            }
            if (!graded || !values) Colour(g, fillColour);
            for (int i = 0; i < 4; ++i) {
                if (graded && values) Colour(g, ContourColorIndex(values[i]));
                g->Vertex3dv(corners[i]);
            }
            g->End();
            SetGlFillPattern(-1);
        }
        if (outline) GlOutline(g, gl::kQuads, 4, corners, nullptr, outlineColour, width);
    } else if (theDrawState.dc) {
        GdiOutlineAndBrush(outline, outlineColour, fill, fillColour, pattern, width);
        POINT pts[4];
        for (int i = 0; i < 4; ++i) pts[i] = Pixel(corners[i]);
        theDrawState.dc->Polygon(pts, 4);
    }
    if (Exporting()) theDxfWriter.WriteFace(corners[0], corners[1], corners[2], corners[3], Layer(layer), true);
}

void DrawShadedPolygon(int n, const double (*points)[3], int outline, uint32_t outlineColour, int fill,
                       uint32_t fillColour, int pattern, int width, const char* layer)
{
    if (n < 2 || !points || (!outline && !fill)) return;
    if (DrawingOnGL()) {
        CGlApi* g = drawing::Gl();
        const unsigned mode = n == 4 ? gl::kQuads : gl::kPolygon;
        double normal[3] = {0, 0, 1};
        if (n >= 3) FaceNormal(points[0], points[1], points[n - 1], points[2], normal);
        if (fill) {
            SetGlFillPattern(pattern);
            g->Begin(mode);
            if (Lighting()) g->Normal3dv(normal);
            Colour(g, fillColour);
            for (int i = 0; i < n; ++i) g->Vertex3dv(points[i]);
            g->End();
            SetGlFillPattern(-1);
        }
        if (outline) GlOutline(g, mode, n, points, nullptr, outlineColour, width);
    } else if (theDrawState.dc) {
        GdiOutlineAndBrush(outline, outlineColour, fill, fillColour, pattern, width);
        std::vector<POINT> pts(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i) pts[static_cast<size_t>(i)] = Pixel(points[i]);
        theDrawState.dc->Polygon(pts.data(), n);
    }
    if (Exporting()) {
        const char* l = Layer(layer);
        if (n == 3)
            theDxfWriter.WriteFace(points[0], points[1], points[2], points[2], l, true);
        else if (n == 4)
            theDxfWriter.WriteFace(points[0], points[1], points[2], points[3], l, true);
        else
            for (int i = 0; i < n; ++i) theDxfWriter.WriteLine(points[i == 0 ? n - 1 : i - 1], points[i], l);
    }
}

void DrawContourPolygon(int n, const int* used, const double (*points)[3], int graded, int outline, uint32_t colour,
                        const double* values, const char* layer)
{
    if (n < 2 || !points || !used || (graded && !values)) return;
    if (DrawingOnGL()) {
        CGlApi* g = drawing::Gl();
        if (graded) {
            double c[3] = {0, 0, 0}, m = 0;
            int k = 0;
            for (int i = 0; i < n; ++i)
                if (used[i]) {
                    for (int j = 0; j < 3; ++j) c[j] += points[i][j];
                    m += values[i];
                    ++k;
                }
            if (k == 0) return;
            for (double& v : c) v /= k;
            m /= k;
            g->Begin(gl::kTriangles);
            int prev = 0;
            for (int i = 1; i <= n; ++i) {
                const int at = i % n;
                if (!used[at]) continue;
                Colour(g, ContourColorIndex(values[prev]));
                g->Vertex3dv(points[prev]);
                Colour(g, ContourColorIndex(values[at]));
                g->Vertex3dv(points[at]);
                Colour(g, ContourColorIndex(m));
                g->Vertex3dv(c);
                prev = at;
            }
            g->End();
        } else {
            int idx[64];
            int k = 0;
            for (int i = 0; i < n && k < 64; ++i)
                if (used[i]) idx[k++] = i;
            g->Begin(n == 4 ? gl::kQuads : gl::kPolygon);
            Colour(g, colour ^ 0x555555);
            if (Lighting() && k >= 3) {
                double nrm[3];
                const int last = k >= 4 ? idx[3] : idx[k - 1];
                FaceNormal(points[idx[0]], points[idx[1]], points[last], points[idx[2]], nrm);
                g->Normal3dv(nrm);
            }
            for (int i = 0; i < k; ++i) g->Vertex3dv(points[idx[i]]);
            g->End();
        }
        if (outline) GlOutline(g, n == 4 ? gl::kQuads : gl::kPolygon, n, points, used, colour, 1);
    } else if (theDrawState.dc) {
        SelectDrawPen(colour, 1, 0);
        std::vector<POINT> pts;
        pts.push_back(Pixel(points[0]));
        for (int i = 1; i < n; ++i)
            if (used[i]) pts.push_back(Pixel(points[i]));
        pts.push_back(pts.front());
        theDrawState.dc->Polyline(pts.data(), static_cast<int>(pts.size()));
    }
    if (Exporting()) {
        const char* l = Layer(layer);
        if (n == 3)
            theDxfWriter.WriteFace(points[0], points[1], points[2], points[2], l, true);
        else if (n == 4 && used[0] && used[1] && used[2])
            theDxfWriter.WriteFace(points[0], points[1], points[2], used[3] ? points[3] : points[2], l, true);
        int prev = 0;
        for (int i = 1; i < n; ++i)
            if (used[i]) {
                theDxfWriter.WriteLine(points[prev], points[i], l);
                prev = i;
            }
        if (prev != 0) theDxfWriter.WriteLine(points[prev], points[0], l);
    }
}

void DrawQuadFace(const double points[4][4], int outline, uint32_t outlineColour, int fill, uint32_t fillColour,
                  int graded, int pattern, int width, const char* layer)
{
    double corners[4][3];
    double values[4];
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 3; ++j) corners[i][j] = points[i][j];
        values[i] = points[i][3];
    }
    if (graded) {
        const int used[4] = {1, 1, 1, 1};
        DrawContourPolygon(4, used, corners, 1, outline, outlineColour, values, layer);
    } else {
        DrawPolygonFace(corners, outline, outlineColour, fill, fillColour, pattern, width, layer);
    }
}

void DrawWideLine(const double* p1, const double* p2, double width1, double width2, uint32_t colour, int fill,
                  uint32_t fillColour, const char* layer, int graded, double v1, double v2)
{
    if (theViewProjection.GetMode() == CViewProjection::kFree3D || (width1 <= 1.01 && width2 <= 1.01)) {
        DrawLine3D(p1, p2, colour, 1, layer, 0, graded, v1, v2);
        return;
    }
    double x1, y1, x2, y2;
    theViewProjection.WorldToScreen(p1, x1, y1);
    theViewProjection.WorldToScreen(p2, x2, y2);
    const double h1 = width1 / 2, h2 = width2 / 2;
    double s[4][2];
    bool firstEnd[4];  // whether corner i belongs to the p1 end
    if (std::fabs(x2 - x1) < 0.0001) {
        const double c[4][2] = {{x1 - h1, y1}, {x2 - h2, y2}, {x2 + h2, y2}, {x1 + h1, y1}};
        std::copy(&c[0][0], &c[0][0] + 8, &s[0][0]);
        firstEnd[0] = firstEnd[3] = true;
        firstEnd[1] = firstEnd[2] = false;
    } else if (std::fabs(y2 - y1) < 0.0001) {
        const double c[4][2] = {{x1, y1 + h1}, {x2, y2 + h2}, {x2, y2 - h2}, {x1, y1 - h1}};
        std::copy(&c[0][0], &c[0][0] + 8, &s[0][0]);
        firstEnd[0] = firstEnd[3] = true;
        firstEnd[1] = firstEnd[2] = false;
    } else {
        const double a = std::atan((y2 - y1) / (x2 - x1));
        const double sx = std::sin(a), sy = -std::cos(a);
        const double c[4][2] = {{x1 + h1 * sx, y1 + h1 * sy},
                                {x1 - h1 * sx, y1 - h1 * sy},
                                {x2 - h2 * sx, y2 - h2 * sy},
                                {x2 + h2 * sx, y2 + h2 * sy}};
        std::copy(&c[0][0], &c[0][0] + 8, &s[0][0]);
        firstEnd[0] = firstEnd[1] = true;
        firstEnd[2] = firstEnd[3] = false;
    }
    double corners[4][3];
    double values[4];
    for (int i = 0; i < 4; ++i) {
        theViewProjection.ScreenToWorld(s[i][0], s[i][1], corners[i]);
        values[i] = firstEnd[i] ? v1 : v2;
    }
    if (graded) {
        const int used[4] = {1, 1, 1, 1};
        DrawContourPolygon(4, used, corners, 1, 1, colour, values, layer);
    } else {
        DrawPolygonFace(corners, 1, colour, fill, fillColour, -1, 1, layer);
    }
}

void DrawSphere(GlQuadric* quadric, const double* centre, double size, int outline, uint32_t outlineColour, int fill,
                uint32_t fillColour, const double* viewDir, int cross, int width, const char* layer)
{
    const bool onGL = DrawingOnGL();
    const double scale = theViewProjection.GetScale();
    const double r = scale > 0 ? size / scale : 0;
    double axis[3];
    if (viewDir)
        CVector::Copy(viewDir, axis);
    else
        theViewProjection.GetViewDir(axis);
    CTransferMatrix frame;
    frame.SetMatrix(axis);
    frame.SetOrig(centre);
    CTransferMatrix::Axes ax = frame;
    if (onGL) {
        CGlApi* g = drawing::Gl();
        if (fill && (!outline || outlineColour == fillColour) && quadric) {
            int modes[2];
            g->GetPolygonMode(modes);
            g->PolygonMode(gl::kFront, gl::kFill);
            Colour(g, fillColour);
            g->PushMatrix();
            g->Translated(centre[0], centre[1], centre[2]);
            g->Sphere(quadric, r, 12, 6);
            g->PopMatrix();
            g->PolygonMode(gl::kFront, static_cast<unsigned>(modes[0]));
        } else {
            const int k = size < 5 ? 8 : size < 10 ? 16 : size < 20 ? 32 : 360;
            std::vector<double> pts(static_cast<size_t>(k) * 3);
            for (int i = 0; i < k; ++i) {
                const double a = 2 * kPi * i / k;
                const double local[3] = {r * std::cos(a), r * std::sin(a), 0};
                frame.ToGlobal(local, &pts[static_cast<size_t>(i) * 3]);
            }
            DxfSuppress quiet;
            DrawShadedPolygon(k, reinterpret_cast<const double(*)[3]>(pts.data()), outline, outlineColour, fill,
                              fillColour, -1, width, layer);
        }
    } else if (theDrawState.dc) {
        GdiOutlineAndBrush(outline, outlineColour, fill, fillColour, -1, width);
        const POINT c = Pixel(centre);
        const int s = static_cast<int>(size);
        theDrawState.dc->Ellipse(c.x - s, c.y - s, c.x + s, c.y + s);
    }
    if (Exporting()) {
        drawing::DxfViewDir();
        theDxfWriter.WriteCircle(centre, r, ax[2], Layer(layer));
    }
    if (cross) {
        const double d = 0.707 * r;
        const double l[4][3] = {{d, d, 0}, {-d, -d, 0}, {-d, d, 0}, {d, -d, 0}};
        double g[4][3];
        for (int i = 0; i < 4; ++i) frame.ToGlobal(l[i], g[i]);
        DrawLine3D(g[0], g[1], outlineColour, width, layer);
        DrawLine3D(g[2], g[3], outlineColour, width, layer);
    }
}

void DrawArrow3D(const double* start, const double* direction, double length, uint32_t colour, const double* viewDir,
                 const char* layer, int doubleHead)
{
    if (std::fabs(length) < 1e-10) return;
    double u[3], w[3], s[3], t[3];
    CVector::Copy(direction, u);
    if (!CVector::Normalize(u)) return;
    if (viewDir)
        CVector::Copy(viewDir, w);
    else
        theViewProjection.GetViewDir(w);
    CVector::Normalize(w);
    CVector::Cross(w, u, s);
    bool endOn = false;
    double sign = 1;
    if (CVector::Length(s) < 1e-10 || !CVector::Normalize(s)) {
        endOn = true;
        sign = CVector::Dot(w, u) <= 0 ? -1 : 1;
        if (std::fabs(u[0]) + std::fabs(u[1]) < 1e-5) {
            s[0] = -1;
            s[1] = s[2] = 0;
        } else {
            s[0] = s[1] = 0;
            s[2] = 1;
        }
    }
    const double scale = theViewProjection.GetScale();
    if (endOn) {
        double r = scale * length * 0.07;
        if (r < 3) r = 3;
        if (doubleHead) DrawSphere(nullptr, start, r - 1, 1, colour, 0, colour, w, 0, 1, layer);
        if (sign >= 0) {
            DrawSphere(nullptr, start, r, 1, colour, 0, colour, w, 0, 1, layer);
            DrawSphere(nullptr, start, std::max(2.0, r / 3), 1, 1, 1, colour, w, 0, 1, layer);
        } else {
            DrawSphere(nullptr, start, r, 1, colour, 0, colour, w, 1, 1, layer);
        }
        return;
    }
    CVector::Cross(u, s, t);
    CVector::Normalize(t);
    double b1[3], b2[3], axis[3];
    CVector::Copy(t, axis);
    GFunc::AxisRotate(u, axis, 165.0, b1);
    CVector::Copy(t, axis);
    GFunc::AxisRotate(u, axis, 195.0, b2);
    const double seven = scale > 0 ? 7 / scale : 0;
    const double hl = 0.2 * length >= seven ? 0.2 * length : std::min(seven, 0.8 * length);
    double e[3], h1[3], h2[3];
    for (int i = 0; i < 3; ++i) {
        e[i] = start[i] + length * u[i];
        h1[i] = e[i] + hl * b1[i];
        h2[i] = e[i] + hl * b2[i];
    }
    if (doubleHead) {
        double head[3][3];
        for (int i = 0; i < 3; ++i) {
            head[0][i] = start[i] + (length - hl) * u[i];
            head[1][i] = h1[i] - e[i] + head[0][i];
            head[2][i] = h2[i] - e[i] + head[0][i];
        }
        DrawShadedPolygon(3, head, 1, colour, 1, colour, -1, 1, layer);
    }
    const double head[3][3] = {{e[0], e[1], e[2]}, {h1[0], h1[1], h1[2]}, {h2[0], h2[1], h2[2]}};
    DrawShadedPolygon(3, head, 1, colour, 1, colour, -1, 1, layer);
    DrawLine3D(start, e, colour, 1, layer);
}

void DrawDirectionArrow(const double* from, const double* to, uint32_t colour, const char* layer, int doubleHead)
{
    double v[3];
    CVector::Subtract(to, from, v);
    DrawArrow3D(from, v, CVector::Length(v), colour, nullptr, layer, doubleHead);
}

void DrawDeformedMember(const double* p1, const double* p2, const double* u1, const double* u2, const double* r1,
                        const double* r2, double k, const double* first, uint32_t colour, int width, const char* layer,
                        int segments)
{
    const int n = std::max(1, segments);
    double d1[3], d2[3], a[3], e[3];
    for (int i = 0; i < 3; ++i) {
        d1[i] = p1[i] + u1[i];
        d2[i] = p2[i] + u2[i];
        a[i] = p2[i] - p1[i];
    }
    const double len = CVector::Length(a);
    for (int i = 0; i < 3; ++i) e[i] = len > 1e-15 ? a[i] / len : a[i];
    double tangent[2][3];
    const double* rot[2] = {r1, r2};
    for (int end = 0; end < 2; ++end) {
        double nrm[3], en[3];
        CVector::Cross(rot[end], e, nrm);
        if (!CVector::Normalize(nrm)) nrm[0] = nrm[1] = nrm[2] = 0;
        CVector::Cross(e, nrm, en);
        const double theta = CVector::Dot(en, rot[end]);
        for (int i = 0; i < 3; ++i) tangent[end][i] = len * (e[i] * std::cos(theta) + nrm[i] * std::sin(theta));
    }
    std::vector<double> pts(static_cast<size_t>(n + 1) * 3);
    CVector::Copy(first, &pts[0]);
    for (int step = 1; step <= n; ++step) {
        const double s = double(step) / n;
        for (int i = 0; i < 3; ++i) {
            const double c = d1[i] + tangent[0][i] * s +
                             (3 * (d2[i] - d1[i]) - 2 * tangent[0][i] - tangent[1][i]) * s * s +
                             (2 * (d1[i] - d2[i]) + tangent[0][i] + tangent[1][i]) * s * s * s;
            const double b = p1[i] + a[i] * s;
            pts[static_cast<size_t>(step) * 3 + i] = b + (c - b) * k;
        }
    }
    if (DrawingOnGL()) {
        CGlApi* g = drawing::Gl();
        Colour(g, colour);
        GlBeginWidth(gl::kLines, width);
        for (int step = 0; step < n; ++step) {
            g->Vertex3dv(&pts[static_cast<size_t>(step) * 3]);
            g->Vertex3dv(&pts[static_cast<size_t>(step + 1) * 3]);
        }
        g->End();
    } else if (theDrawState.dc) {
        SelectDrawPen(colour, width, 0);
        POINT q = Pixel(&pts[0]);
        theDrawState.dc->MoveTo(q.x, q.y);
        for (int step = 1; step <= n; ++step) {
            q = Pixel(&pts[static_cast<size_t>(step) * 3]);
            theDrawState.dc->LineTo(q.x, q.y);
        }
    }
    if (Exporting())
        for (int step = 0; step < n; ++step)
            theDxfWriter.WriteLine(&pts[static_cast<size_t>(step) * 3], &pts[static_cast<size_t>(step + 1) * 3],
                                   Layer(layer));
}
