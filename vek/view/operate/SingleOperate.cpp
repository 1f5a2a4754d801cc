#include "vek/view/operate/SingleOperate.h"

#include <algorithm>
#include <cmath>

#include "vek/model/ProjectOptions.h"
#include "vek/model/geometry/Arcs.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/draw/DrawLayer.h"
#include "vek/view/operate/OperateHost.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr int kPenDot = 2;

double lastDirection[3] = {0, 0, 0};

POINT ToScreen(const Point3& p)
{
    POINT s;
    int x, y;
    theViewProjection.WorldToScreenInt(p.data(), x, y);
    s.x = x;
    s.y = y;
    return s;
}

void Segment(CDrawDC* dc, POINT a, POINT b)
{
    dc->MoveTo(a.x, a.y);
    dc->LineTo(b.x, b.y);
}

void Rectangle(CDrawDC* dc, POINT a, POINT b)
{
    const POINT corners[5] = {{a.x, a.y}, {b.x, a.y}, {b.x, b.y}, {a.x, b.y}, {a.x, a.y}};
    dc->Polyline(corners, 5);
}

void Circle(CDrawDC* dc, int cx, int cy, int r)
{
    dc->Ellipse(cx - r, cy - r, cx + r, cy + r);
}

// A smooth curve through the points (Catmull-Rom, eight steps a span).
void Spline(CDrawDC* dc, const std::vector<POINT>& p)
{
    if (p.size() < 2) return;
    std::vector<POINT> out;
    out.push_back(p[0]);
    const size_t n = p.size();
    for (size_t i = 0; i + 1 < n; ++i) {
        const POINT& p0 = p[i == 0 ? 0 : i - 1];
        const POINT& p1 = p[i];
        const POINT& p2 = p[i + 1];
        const POINT& p3 = p[i + 2 < n ? i + 2 : n - 1];
        for (int k = 1; k <= 8; ++k) {
            const double t = k / 8.0, t2 = t * t, t3 = t2 * t;
            auto f = [&](double a, double b, double c, double d) {
                return 0.5 * (2 * b + (-a + c) * t + (2 * a - 5 * b + 4 * c - d) * t2 + (-a + 3 * b - 3 * c + d) * t3);
            };
            POINT q;
            q.x = static_cast<LONG>(std::lround(f(p0.x, p1.x, p2.x, p3.x)));
            q.y = static_cast<LONG>(std::lround(f(p0.y, p1.y, p2.y, p3.y)));
            out.push_back(q);
        }
    }
    dc->Polyline(out.data(), static_cast<int>(out.size()));
}

// The arc an arc generation would make of the first two points and the
// cursor; false when they make none.
bool DrawArcBand(const CSingleOperate& op, CDrawDC* dc, int method, POINT cursor)
{
    if (method == 2 || method == 3) method = 1;
    if (method == 5 || method == 6) method = 4;
    CArcPicks picks;
    picks.count = 3;
    for (int i = 0; i < 2; ++i)
        for (int k = 0; k < 3; ++k) picks.points[i][k] = op.m_points[static_cast<size_t>(i)][static_cast<size_t>(k)];
    theViewProjection.ScreenToWorldInt(cursor.x, cursor.y, picks.points[2]);
    double centre[3], start, end, radius;
    if (!ComputeArcFromPicks(picks, centre, start, end, radius, method, 0)) return false;
    DrawXorArc(centre, start, end, radius, kWhite, 1, 1);
    if (method == 1) {
        int cx, cy;
        theViewProjection.WorldToScreenInt(centre, cx, cy);
        Segment(dc, POINT{cx, cy}, cursor);
    }
    return true;
}

}  // namespace

CSingleOperate::CSingleOperate()
    : m_nCode(0),
      m_pCallback(nullptr),
      m_nKind(kNone),
      m_nLimit(0),
      m_bWindowOnly(0),
      m_bImmediate(0),
      m_bTypedValue(0),
      m_bKeep(0),
      m_cursorX(0),
      m_cursorY(0),
      m_pOwner(nullptr),
      m_bMethodChanged(0)
{
}

void CSingleOperate::Configure(int code, OperateCallback callback, uint8_t kind, int limit)
{
    m_nCode = code;
    m_pCallback = callback;
    m_nKind = kind;
    m_points.clear();
    m_bWindowOnly = 0;
    m_bImmediate = 0;
    m_nLimit = static_cast<int16_t>(limit);
}

void CSingleOperate::SetPickPoints(int code, OperateCallback callback, int limit, int keep)
{
    Configure(code, callback, kPoints, limit);
    m_bKeep = keep ? 1 : 0;
}

void CSingleOperate::SetPickCurve(int code, OperateCallback callback, int keep)
{
    Configure(code, callback, kCurve, kCurveLimit);
    m_bKeep = keep ? 1 : 0;
}

void CSingleOperate::SetPickAxis(int code, OperateCallback callback, int keep)
{
    Configure(code, callback, kAxis, 2);
    m_bKeep = keep ? 1 : 0;
}

void CSingleOperate::SetPickVector(int code, OperateCallback callback)
{
    Configure(code, callback, kVector, 2);
    m_bKeep = 0;
    for (CExpression& v : m_values) v.SetExpression("");
}

void CSingleOperate::SetPickOne(int code, OperateCallback callback, int keep)
{
    Configure(code, callback, kPickOne, 1);
    m_bKeep = keep ? 1 : 0;
}

void CSingleOperate::SetSelect(int code, OperateCallback callback, int keep, int immediate)
{
    Configure(code, callback, kSelect, 4);
    m_bKeep = keep ? 1 : 0;
    m_bImmediate = immediate ? 1 : 0;
}

void CSingleOperate::SetWindowMode(int code, OperateCallback callback, int keep)
{
    Configure(code, callback, kSelect, 4);
    m_bKeep = keep ? 1 : 0;
    m_bWindowOnly = 1;
}

void CSingleOperate::SetScreenLine(int code, OperateCallback callback, int keep)
{
    Configure(code, callback, kScreenLine, 2);
    m_bKeep = keep ? 1 : 0;
}

void CSingleOperate::SetScreenWindow(int code, OperateCallback callback, int keep)
{
    Configure(code, callback, kScreenWindow, 2);
    m_bKeep = keep ? 1 : 0;
}

void CSingleOperate::SetDrag(int code, OperateCallback callback, int keep)
{
    Configure(code, callback, kDrag, 2);
    m_bKeep = keep ? 1 : 0;
}

void CSingleOperate::SetPanelPrompt(int code)
{
    Configure(code, nullptr, kPanelPrompt, 0);
    m_bKeep = 1;
}

int CSingleOperate::SetInputPoints(double (*points)[3], int n) const
{
    const int m = std::max(0, std::min(n, PointCount()));
    for (int i = 0; i < m; ++i)
        for (int k = 0; k < 3; ++k) points[i][k] = m_points[static_cast<size_t>(i)][static_cast<size_t>(k)];
    return m;
}

int CSingleOperate::SetInputScreenPoints(POINT* points, int n) const
{
    const int m = std::max(0, std::min(n, ScreenCount()));
    std::copy(m_screen.begin(), m_screen.begin() + m, points);
    return m;
}

bool CSingleOperate::IsSame(const CSingleOperate& other) const
{
    return m_nCode == other.m_nCode && m_pCallback == other.m_pCallback && m_nLimit == other.m_nLimit;
}

void CSingleOperate::DrawRubberBand() const
{
    if (m_nKind == kPanelPrompt) return;
    if (m_nKind == kDrag && m_nCode != 14) return;
    if (m_nKind != kDrag && (!HasInput() || m_nLimit < 2)) return;

    CDrawSession session;
    CDrawDC* dc = theDrawState.dc;
    if (!dc) return;
    const int oldRop = dc->SetROP2(kRopXorPen);
    SelectDrawPen(kWhite, 1, m_nKind == kDrag || (m_nKind == kCurve && m_nCode == 809) ? 0 : kPenDot);
    SelectStockBrush(kNullBrush);

    const POINT cursor{m_cursorX, m_cursorY};
    const bool in3D = theViewProjection.GetMode() == CViewProjection::kFree3D;
    const size_t n = m_points.size();
    switch (m_nKind) {
        case kDrag: {
            const RECT& r = theViewProjection.GetScreenRect();
            const POINT c = theViewProjection.GetScreenCenter();
            const int radius = std::min(r.right - r.left, r.bottom - r.top) / 3;
            const int small = radius / 15;
            Circle(dc, c.x, c.y, radius);
            Circle(dc, c.x - radius, c.y, small);
            Circle(dc, c.x + radius, c.y, small);
            Circle(dc, c.x, c.y - radius, small);
            Circle(dc, c.x, c.y + radius, small);
            break;
        }
        case kPoints:
        case kCurve:
        case kAxis:
        case kVector: {
            if (n == 0) break;
            const int arcMethod = m_nKind == kPoints && !in3D ? OperateHost().GetArcMethod() : 0;
            if (m_nKind == kPoints && !in3D && arcMethod > 0 && n >= 2) {
                if (DrawArcBand(*this, dc, arcMethod, cursor)) break;
            }
            const POINT first = ToScreen(m_points[0]);
            if (m_nKind == kPoints && !in3D && (arcMethod == 0 || n < 2)) {
                if (m_nCode == 807) {
                    const double r = std::hypot(double(cursor.x - first.x), double(cursor.y - first.y));
                    Circle(dc, first.x, first.y, static_cast<int>(r));
                    break;
                }
                if (m_nCode == 808 || m_nCode == 810) {
                    dc->Ellipse(std::min(first.x, cursor.x), std::min(first.y, cursor.y), std::max(first.x, cursor.x),
                                std::max(first.y, cursor.y));
                    if (m_nCode == 810) Rectangle(dc, first, cursor);
                    break;
                }
            }
            std::vector<POINT> line;
            line.reserve(n + 2);
            for (const Point3& p : m_points) line.push_back(ToScreen(p));
            if (m_nKind == kCurve && m_nCode == 809 && n >= 2) {
                line.push_back(cursor);
                Spline(dc, line);
                break;
            }
            if (m_nKind == kPoints && m_nCode == 40 && theProjectOptions.nGenerateMethod == 7) {
                // Separate pairs: first-second and third-fourth.
                for (size_t i = 0; i + 1 < n; i += 2) Segment(dc, line[i], line[i + 1]);
                if (n % 2 == 1) Segment(dc, line[n - 1], cursor);
                break;
            }
            line.push_back(cursor);
            if (m_nKind == kCurve && n >= 2) line.push_back(line[0]);
            dc->Polyline(line.data(), static_cast<int>(line.size()));
            break;
        }
        case kCrossLine:
        case kScreenLine:
            if (!m_screen.empty()) Segment(dc, m_screen[0], cursor);
            break;
        case kArea:
            if (m_screen.size() < 2) {
                if (!m_screen.empty()) Segment(dc, m_screen[0], cursor);
            } else {
                std::vector<POINT> poly(m_screen);
                poly.push_back(cursor);
                dc->Polygon(poly.data(), static_cast<int>(poly.size()));
            }
            break;
        case kSelect:
        case kScreenWindow:
            if (!m_screen.empty()) Rectangle(dc, m_screen[0], cursor);
            break;
        default: break;
    }
    dc->SetROP2(oldRop);
}

void PickDirectionCallback(CSingleOperate* op)
{
    if (!op || op->m_points.empty()) return;
    const Point3& a = op->m_points[0];
    if (op->m_points.size() < 2) {
        for (int k = 0; k < 3; ++k) lastDirection[k] = a[static_cast<size_t>(k)];
    } else {
        const Point3& b = op->m_points[1];
        const double d[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
        const double len = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
        // Equal points give no direction; the stack waits for a distinct one.
        if (!(len > 0) || !std::isfinite(len)) return;
        for (int k = 0; k < 3; ++k) lastDirection[k] = d[k] / len;
    }
    OperateHost().SendToOwner(op->m_pOwner, CSingleOperate::kDirectionMessage, lastDirection);
}

const double* LastPickedDirection()
{
    return lastDirection;
}
