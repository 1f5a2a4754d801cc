#include "vek/view/TrueShape.h"

#include <algorithm>
#include <cmath>

#include "vek/view/ViewProjection.h"
#include "vek/view/ViewSettings.h"
#include "vek/view/draw/DrawLayer.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
NormalizeFunc normalize = nullptr;

void ToModel(const CTransferMatrix& frame, TrueShapeReg::Vertex& v)
{
    const double p[3] = {v.x, v.y, v.z};
    double g[3];
    frame.ToGlobal(p, g);
    v.x = g[0];
    v.y = g[1];
    v.z = g[2];
}

void Point(const TrueShapeReg::Vertex& v, double out[3])
{
    out[0] = v.x;
    out[1] = v.y;
    out[2] = v.z;
}

void Quad(const TrueShapeReg::Vertex* v[4], double out[4][4])
{
    for (int i = 0; i < 4; ++i) {
        out[i][0] = v[i]->x;
        out[i][1] = v[i]->y;
        out[i][2] = v[i]->z;
        out[i][3] = v[i]->value;
    }
}

void Line(const TrueShapeReg::Vertex& a, const TrueShapeReg::Vertex& b, uint32_t colour, int width, const char* layer)
{
    double p[3], q[3];
    Point(a, p);
    Point(b, q);
    DrawLine3D(p, q, colour, width, layer);
}

void QuadFace(const TrueShapeReg::Vertex& a, const TrueShapeReg::Vertex& b, const TrueShapeReg::Vertex& c,
              const TrueShapeReg::Vertex& d, int fill, uint32_t fillColour, int graded, int pattern, int width,
              const char* layer)
{
    const TrueShapeReg::Vertex* v[4] = {&a, &b, &c, &d};
    double q[4][4];
    Quad(v, q);
    DrawQuadFace(q, 0, fillColour, fill, fillColour, graded, pattern, width, layer);
}

void Cap(const std::vector<TrueShapeReg::Vertex>& ring, bool reversed, uint32_t fillColour, int graded, int pattern,
         const char* layer)
{
    const int n = static_cast<int>(ring.size());
    std::vector<double> pts(static_cast<size_t>(n) * 3);
    std::vector<double> values(static_cast<size_t>(n));
    std::vector<int> used(static_cast<size_t>(n), 1);
    for (int i = 0; i < n; ++i) {
        const TrueShapeReg::Vertex& v = ring[static_cast<size_t>(reversed ? n - 1 - i : i)];
        Point(v, &pts[static_cast<size_t>(i) * 3]);
        values[static_cast<size_t>(i)] = v.value;
    }
    const auto* p = reinterpret_cast<const double(*)[3]>(pts.data());
    if (graded)
        DrawContourPolygon(n, used.data(), p, 1, 0, fillColour, values.data(), layer);
    else
        DrawShadedPolygon(n, p, 0, fillColour, 1, fillColour, pattern, 1, layer);
}

}  // namespace

double NormalizeContourValue(double value)
{
    return normalize ? normalize(value) : value;
}

NormalizeFunc SetNormalizeFunc(NormalizeFunc f)
{
    NormalizeFunc previous = normalize;
    normalize = f;
    return previous;
}

// ---- TrueShapeReg -------------------------------------------------------------------------

void TrueShapeReg::AddVertex(double x, double y, double z, double value)
{
    ring1.push_back(Vertex{x, y, z, value});
}

void TrueShapeReg::AddInnerVertex(double x, double y, double z, double value)
{
    ring2.push_back(Vertex{x, y, z, value});
}

void TrueShapeReg::AddRoundOutline(double outerRadius, double innerRadius)
{
    const double zoom = theViewProjection.GetZoom();
    int n;
    if (theProjectOptions.bHiddenSurface)
        n = static_cast<int>(std::clamp(4 * zoom, 3.0, 20.0));
    else
        n = static_cast<int>(std::clamp(3 * zoom, 2.0, 10.0));
    const bool inner = innerRadius > 1e-6;
    for (int k = 0; k < 4 * n; ++k) {
        const double a = k * 90.0 / n * kPi / 180;
        AddVertex(outerRadius * std::cos(a), outerRadius * std::sin(a));
        if (inner) AddInnerVertex(innerRadius * std::cos(a), innerRadius * std::sin(a));
    }
    smooth = 1;
}

void TrueShapeReg::Translate(double dx, double dy, double dz)
{
    for (auto* ring : {&ring1, &ring2})
        for (Vertex& v : *ring) {
            v.x += dx;
            v.y += dy;
            v.z += dz;
        }
}

void TrueShapeReg::Rotate90()
{
    for (auto* ring : {&ring1, &ring2})
        for (Vertex& v : *ring) {
            const double x = v.x;
            v.x = -v.y;
            v.y = x;
        }
}

void TrueShapeReg::Rotate180()
{
    for (auto* ring : {&ring1, &ring2})
        for (Vertex& v : *ring) {
            v.x = -v.x;
            v.y = -v.y;
        }
}

void TrueShapeReg::Rotate270()
{
    for (auto* ring : {&ring1, &ring2})
        for (Vertex& v : *ring) {
            const double x = v.x;
            v.x = v.y;
            v.y = -x;
        }
}

void TrueShapeReg::MirrorX()
{
    for (auto* ring : {&ring1, &ring2}) {
        std::reverse(ring->begin(), ring->end());
        for (Vertex& v : *ring) v.x = -v.x;
    }
}

void TrueShapeReg::MirrorY()
{
    for (auto* ring : {&ring1, &ring2}) {
        std::reverse(ring->begin(), ring->end());
        for (Vertex& v : *ring) v.y = -v.y;
    }
}

void TrueShapeReg::SetValue(double value)
{
    for (auto* ring : {&ring1, &ring2})
        for (Vertex& v : *ring) v.value = value;
}

// ---- MemberTrueShape ----------------------------------------------------------------------

MemberTrueShape::MemberTrueShape()
{
    m_frame.SetIdentity();
}

void MemberTrueShape::SetPlacement(const double* start, const double* end, const double* a, const double* b,
                                   const double* c)
{
    CVector::Copy(start, m_start);
    CVector::Copy(end, m_end);
    const double z[3] = {-a[0], -a[1], -a[2]};
    m_frame.SetMatrix(c, b, z);
}

int MemberTrueShape::Append(std::vector<TrueShapeReg>& set, const TrueShapeReg& outline, int toModel,
                            const double* origin)
{
    if (outline.ring1.size() < 2) return 0;
    set.push_back(outline);
    if (toModel) {
        m_frame.SetOrig(origin);
        TrueShapeReg& copy = set.back();
        for (auto* ring : {&copy.ring1, &copy.ring2})
            for (TrueShapeReg::Vertex& v : *ring) ToModel(m_frame, v);
    }
    return 1;
}

int MemberTrueShape::AddStartOutline(const TrueShapeReg& outline, int toModel)
{
    return Append(m_starts, outline, toModel, m_start);
}

int MemberTrueShape::AddEndOutline(const TrueShapeReg& outline, int toModel)
{
    return Append(m_ends, outline, toModel, m_end);
}

int MemberTrueShape::PlaceAlongMember(const TrueShapeReg& outline, int toModel)
{
    if (!Append(m_starts, outline, toModel, m_start)) return 0;
    m_ends.push_back(m_starts.back());
    if (toModel) {
        double d[3];
        CVector::Subtract(m_end, m_start, d);
        m_ends.back().Translate(d[0], d[1], d[2]);
    } else {
        m_ends.back() = outline;
    }
    return 1;
}

int MemberTrueShape::BuildSlab(const TrueShapeReg& outline, const float* thicknesses)
{
    const size_t n = outline.ring1.size();
    if (n < 2 || !thicknesses) return 0;
    m_starts.clear();
    m_ends.clear();
    // The normal of the first three points that are not on one line.
    double normal[3] = {0, 0, 0};
    bool found = false;
    for (size_t i = 1; i < n && !found; ++i)
        for (size_t j = i + 1; j < n && !found; ++j) {
            double p0[3], p1[3], p2[3];
            Point(outline.ring1[0], p0);
            Point(outline.ring1[i], p1);
            Point(outline.ring1[j], p2);
            CVector v;
            if (v.CalPlaneNor(p0, p1, p2)) {
                v.CopyTo(normal);
                found = true;
            }
        }
    m_starts.push_back(outline);
    m_ends.push_back(outline);
    TrueShapeReg& s = m_starts.back();
    TrueShapeReg& e = m_ends.back();
    for (int r = 0; r < 2; ++r) {
        std::vector<TrueShapeReg::Vertex>& a = r ? s.ring2 : s.ring1;
        std::vector<TrueShapeReg::Vertex>& b = r ? e.ring2 : e.ring1;
        for (size_t j = 0; j < a.size() && j < n; ++j) {
            const double h = static_cast<double>(thicknesses[j]) / 2;
            a[j].x -= normal[0] * h;
            a[j].y -= normal[1] * h;
            a[j].z -= normal[2] * h;
            b[j].x += normal[0] * h;
            b[j].y += normal[1] * h;
            b[j].z += normal[2] * h;
        }
    }
    return 1;
}

int MemberTrueShape::BuildSlabUniform(const TrueShapeReg& outline, float thickness)
{
    std::vector<float> t(std::max<size_t>(outline.ring1.size(), 1), thickness);
    return BuildSlab(outline, t.data());
}

void MemberTrueShape::SetEndValues(double startValue, double endValue)
{
    for (TrueShapeReg& r : m_starts) r.SetValue(startValue);
    for (TrueShapeReg& r : m_ends) r.SetValue(endValue);
}

void MemberTrueShape::GetApparentWidths(double* startWidth, double* endWidth)
{
    if (m_starts.empty() && m_ends.empty()) {
        if (startWidth) *startWidth = 0.3;
        if (endWidth) *endWidth = 0.3;
        return;
    }
    double x[3], z[3], y[3];
    CVector::Subtract(m_end, m_start, x);
    theViewProjection.GetViewDir(z);
    CVector::Cross(z, x, y);
    m_frame.SetMatrix(x, y, z);
    m_frame.SetOrig(m_start);
    auto width = [&](const std::vector<TrueShapeReg>& set) {
        double lo = 1e300, hi = -1e300;
        for (const TrueShapeReg& r : set)
            for (auto* ring : {&r.ring1, &r.ring2})
                for (const TrueShapeReg::Vertex& v : *ring) {
                    double p[3], l[3];
                    Point(v, p);
                    m_frame.ToLocal(p, l);
                    lo = std::min(lo, l[1]);
                    hi = std::max(hi, l[1]);
                }
        return hi >= lo ? hi - lo : 0.0;
    };
    if (startWidth) *startWidth = width(m_starts);
    if (endWidth) *endWidth = width(m_ends);
}

void MemberTrueShape::Draw(uint32_t colour, uint32_t fillColour, int graded, int pattern, int width, const char* layer)
{
    CDrawSession session;
    const bool onGL = DrawingOnGL();
    const bool exporting = DxfExporting();
    const bool edges = !onGL || theProjectOptions.bFilledBorders;
    if (m_starts.empty() || m_ends.empty()) {
        DrawLine3D(m_start, m_end, colour, width, layer);
        return;
    }
    const bool startSide = m_capMode != 2, endSide = m_capMode != 1;
    const size_t outlines = std::min(m_starts.size(), m_ends.size());
    for (size_t k = 0; k < outlines; ++k) {
        const TrueShapeReg& s = m_starts[k];
        const TrueShapeReg& e = m_ends[k];
        const int n = static_cast<int>(std::min(s.ring1.size(), e.ring1.size()));
        if (n < 2) continue;
        const bool inner = s.ring2.size() >= static_cast<size_t>(n) && e.ring2.size() >= static_cast<size_t>(n);
        const auto& S1 = s.ring1;
        const auto& E1 = e.ring1;
        const auto& S2 = s.ring2;
        const auto& E2 = e.ring2;
        auto next = [n](int j) { return j + 1 < n ? j + 1 : 0; };
        if ((onGL || exporting) && m_capMode != 3) {
            if (inner) {
                for (int j = 0; j < n; ++j) {
                    if (s.open && j == n - 1) continue;
                    if (startSide)
                        QuadFace(S1[j], S1[next(j)], S2[next(j)], S2[j], 1, fillColour, graded, pattern, 1, layer);
                    if (endSide)
                        QuadFace(E1[next(j)], E1[j], E2[j], E2[next(j)], 1, fillColour, graded, pattern, 1, layer);
                }
            } else {
                if (startSide) Cap(S1, false, fillColour, graded, pattern, layer);
                if (endSide) Cap(E1, true, fillColour, graded, pattern, layer);
            }
        }
        const int sideFill = onGL || exporting ? 1 : 0;
        for (int j = 0; j < n; ++j) {
            const bool closing = s.open && inner && j == n - 1;
            if (!exporting && (!onGL || (edges && !s.smooth))) {
                Line(S1[j], E1[j], colour, 1, layer);
                if (inner) Line(S2[j], E2[j], colour, 1, layer);
            }
            if (edges && !exporting) {
                for (int side = 0; side < 2; ++side) {
                    if (side == 0 ? !startSide : !endSide) continue;
                    const auto& R1 = side == 0 ? S1 : E1;
                    const auto& R2 = side == 0 ? S2 : E2;
                    if (closing) {
                        Line(R1[j], R2[j], colour, 1, layer);
                        Line(R1[0], R2[0], colour, 1, layer);
                    } else {
                        Line(R1[j], R1[next(j)], colour, 1, layer);
                        if (inner) Line(R2[j], R2[next(j)], colour, 1, layer);
                    }
                }
            }
            if (closing) {
                QuadFace(S1[j], E1[j], E2[j], S2[j], sideFill, fillColour, graded, pattern, 1, layer);
                QuadFace(S1[0], S2[0], E2[0], E1[0], sideFill, fillColour, graded, pattern, 1, layer);
            } else {
                QuadFace(S1[j], E1[j], E1[next(j)], S1[next(j)], sideFill, fillColour, graded, pattern, 1, layer);
                if (inner)
                    QuadFace(S2[j], E2[j], E2[next(j)], S2[next(j)], sideFill, fillColour, graded, pattern, 1, layer);
            }
        }
    }
}

void MemberTrueShape::DrawSection(uint32_t colour, uint32_t fillColour, int width, const char* layer)
{
    CDrawSession session;
    if (m_starts.empty()) {
        const double* box = theViewProjection.GetViewBox();
        double w = std::min((box[0] - box[1]) / 200, 0.3);
        double h = 1.5 * w;
        const double scale = theViewProjection.GetScale();
        const double three = scale > 0 ? 3 / scale : 0;
        if (w < three && w > 0) {
            h *= three / w;
            w = three;
        }
        TrueShapeReg r;
        r.AddVertex(-w, -h);
        r.AddVertex(w, -h);
        r.AddVertex(w, h);
        r.AddVertex(-w, h);
        PlaceAlongMember(r, 1);
    }
    for (const TrueShapeReg& s : m_starts) {
        const auto& A = s.ring1;
        const auto& B = s.ring2;
        const int n = static_cast<int>(A.size());
        if (n < 2) continue;
        auto next = [n](int j) { return j + 1 < n ? j + 1 : 0; };
        if (B.size() >= A.size()) {
            for (int j = 0; j < n; ++j) {
                if (s.open && j == n - 1) continue;
                QuadFace(A[j], A[next(j)], B[next(j)], B[j], 1, fillColour, 0, -1, width, layer);
            }
            for (int j = 0; j < n; ++j) {
                if (s.open && j == n - 1) {
                    Line(B[j], A[j], colour, width, layer);
                    Line(B[0], A[0], colour, width, layer);
                } else {
                    Line(B[j], B[next(j)], colour, width, layer);
                    Line(A[j], A[next(j)], colour, width, layer);
                }
            }
        } else {
            std::vector<double> pts(static_cast<size_t>(n) * 3);
            for (int i = 0; i < n; ++i) Point(A[static_cast<size_t>(i)], &pts[static_cast<size_t>(i) * 3]);
            DrawShadedPolygon(n, reinterpret_cast<const double(*)[3]>(pts.data()), 1, colour, 1, fillColour, -1, width,
                              layer);
        }
    }
}

void MemberTrueShape::DrawGraded(uint32_t colour, int width, const char* layer, int count, const double* stations)
{
    if (count < 2 || !stations) return;
    std::vector<double> values(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) values[static_cast<size_t>(i)] = NormalizeContourValue(stations[2 * i + 1]);
    double axis[3];
    CVector::Subtract(m_end, m_start, axis);
    const double length = CVector::Length(axis);
    auto fraction = [&](int i) { return length > 0 ? stations[2 * i] / length : 0.0; };
    if (m_starts.empty() || m_ends.empty()) {
        double prev[3];
        for (int k = 0; k < 3; ++k) prev[k] = m_start[k] + axis[k] * fraction(0);
        for (int i = 1; i < count; ++i) {
            double cur[3];
            for (int k = 0; k < 3; ++k) cur[k] = m_start[k] + axis[k] * fraction(i);
            DrawLine3D(prev, cur, colour, width, layer, 0, 1, values[static_cast<size_t>(i - 1)],
                       values[static_cast<size_t>(i)]);
            CVector::Copy(cur, prev);
        }
        return;
    }
    const std::vector<TrueShapeReg> savedStarts = m_starts, savedEnds = m_ends;
    const uint8_t savedMode = m_capMode;
    for (TrueShapeReg& r : m_starts) r.SetValue(values[0]);
    for (int i = 1; i < count; ++i) {
        const double f = fraction(i);
        for (size_t k = 0; k < m_ends.size() && k < savedStarts.size(); ++k)
            for (int r = 0; r < 2; ++r) {
                auto& out = r ? m_ends[k].ring2 : m_ends[k].ring1;
                const auto& a = r ? savedStarts[k].ring2 : savedStarts[k].ring1;
                const auto& b = r ? savedEnds[k].ring2 : savedEnds[k].ring1;
                for (size_t j = 0; j < out.size() && j < a.size() && j < b.size(); ++j) {
                    out[j].x = a[j].x + (b[j].x - a[j].x) * f;
                    out[j].y = a[j].y + (b[j].y - a[j].y) * f;
                    out[j].z = a[j].z + (b[j].z - a[j].z) * f;
                    out[j].value = values[static_cast<size_t>(i)];
                }
            }
        m_capMode = count == 2 ? 0 : i == 1 ? 1 : i == count - 1 ? 2 : 3;
        Draw(colour, colour, 1, -1, width, layer);
        if (i < count - 1) m_starts = m_ends;
    }
    m_starts = savedStarts;
    m_ends = savedEnds;
    m_capMode = savedMode;
}
