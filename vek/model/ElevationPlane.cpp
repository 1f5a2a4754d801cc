#include "vek/model/ElevationPlane.h"

#include <cmath>
#include <cstring>

#include "korvalib/base/GFunc.h"
#include "korvalib/base/Gbk.h"
#include "korvalib/base/Vector.h"
#include "korvalib/base/biostream.h"
#include "korvalib/model/NodeRecords.h"
#include "vek/model/NodeLookup.h"
#include "vek/model/ProjectGlobals.h"

CElevationPlane theElevationPlane;

namespace {

double Eval(const double* d, const double* p)
{
    return d[0] * p[0] + d[1] * p[1] + d[2] * p[2] + d[3];
}

bool AllFinite(const double* v, int n)
{
    for (int i = 0; i < n; ++i)
        if (!std::isfinite(v[i])) return false;
    return true;
}

}  // namespace

// ---- CPlaneEquation ----------------------------------------------------------------------

void CPlaneEquation::Set(double a, double b, double c, double d)
{
    m_d[0] = a;
    m_d[1] = b;
    m_d[2] = c;
    m_d[3] = d;
}

int CPlaneEquation::SetFromThreePoints(const double* p0, const double* p1, const double* p2)
{
    CVector n;
    if (!n.CalPlaneNor(p0, p1, p2)) return 0;
    Set(n[0], n[1], n[2], -CVector::Dot(n, p0));
    return 1;
}

int CPlaneEquation::IsPointOnPlane(const double* p) const
{
    return std::fabs(Eval(m_d, p)) < 0.0001 ? 1 : 0;
}

int CPlaneEquation::ContainsNode(int nodeId) const
{
    double p[3];
    return NodeCoord(nodeId, 0, p) && IsPointOnPlane(p) ? 1 : 0;
}

int CPlaneEquation::IsSamePlane(const CPlaneEquation& other) const
{
    const double t = theElevationPlane.m_tolerance / 10;
    bool haveRatio = false;
    double ratio = 0;
    for (int i = 0; i < 4; ++i) {
        const double a = m_d[i], b = other.m_d[i];
        const bool smallA = std::fabs(a) < t, smallB = std::fabs(b) < t;
        if (smallA && smallB) continue;
        if (smallA != smallB) return 0;
        const double r = a / b;
        if (!haveRatio) {
            ratio = r;
            haveRatio = true;
        } else if (std::fabs(r - ratio) > t) {
            return 0;
        }
    }
    return 1;
}

namespace {

// Edges of the solid kinds: corner, mid-side node, corner.
const int kHexEdges[12][3] = {{0, 8, 1},  {1, 9, 2},  {2, 10, 3}, {3, 11, 0}, {4, 12, 5}, {5, 13, 6},
                              {6, 14, 7}, {7, 15, 4}, {0, 16, 4}, {1, 17, 5}, {2, 18, 6}, {3, 19, 7}};
const int kTetEdges[6][3] = {{0, 4, 1}, {1, 5, 2}, {2, 6, 0}, {0, 7, 3}, {1, 8, 3}, {2, 9, 3}};
const int kWedgeEdges[9][3] = {{0, 6, 1},  {1, 7, 2},  {2, 8, 0},  {3, 9, 4}, {4, 10, 5},
                               {5, 11, 3}, {0, 12, 3}, {1, 13, 4}, {2, 14, 5}};

constexpr int kValuesPerNode = 9;
constexpr int kNodeSlots = CPlaneEquation::kMaxCutNodes + 1;

struct CutWork {
    int sets = 0;
    const double* nodeValues = nullptr;
    int count = 0;
    bool overflow = false;
    double pts[CPlaneEquation::kMaxCutVertices][3];
    double values[CPlaneEquation::kMaxCutVertices * kValuesPerNode * 8];

    const double* NodeValue(int set, int node) const
    {
        return nodeValues + (static_cast<size_t>(set) * kNodeSlots + static_cast<size_t>(node)) * kValuesPerNode;
    }
    // A vertex between nodes a and b at the fraction t (t = 0: node a).
    void Add(const double* pa, const double* pb, int a, int b, double t)
    {
        if (count >= CPlaneEquation::kMaxCutVertices) {
            overflow = true;
            return;
        }
        for (int k = 0; k < 3; ++k) pts[count][k] = pa[k] + t * (pb[k] - pa[k]);
        if (nodeValues)
            for (int s = 0; s < sets; ++s) {
                const double *va = NodeValue(s, a), *vb = NodeValue(s, b);
                double* out = Slot(s, count);
                for (int j = 0; j < kValuesPerNode; ++j) out[j] = va[j] + t * (vb[j] - va[j]);
            }
        ++count;
    }
    double* Slot(int set, int vertex)
    {
        return values + (static_cast<size_t>(set) * CPlaneEquation::kMaxCutVertices + static_cast<size_t>(vertex)) *
                            kValuesPerNode;
    }
};

}  // namespace

int CPlaneEquation::CutElement(int kind, int nodeCount, const int32_t* ids, int sets, const double* nodeValues,
                               double outVertices[][3], double* outValues, int oneSided) const
{
    if (!ids || nodeCount <= 0 || nodeCount > kMaxCutNodes || !outVertices) return 0;
    if (nodeValues && (sets < 1 || sets > 8)) return 0;
    CutWork w;
    w.sets = nodeValues ? sets : 0;
    w.nodeValues = nodeValues;
    double p[kMaxCutNodes][3];
    double s[kMaxCutNodes];
    bool present[kMaxCutNodes] = {};
    int positive = 0, negative = 0;
    for (int i = 0; i < nodeCount; ++i) {
        if (ids[i] < 1 || !NodeCoord(ids[i], 1, p[i])) continue;
        present[i] = true;
        s[i] = Eval(m_d, p[i]);
        if (s[i] > 0.001)
            ++positive;
        else if (s[i] < -0.001)
            ++negative;
        else
            w.Add(p[i], p[i], i, i, 0);
    }
    if (positive && negative) {
        const int(*edges)[3] = kind == 1 ? kHexEdges : kind == 2 ? kTetEdges : kWedgeEdges;
        const int edgeCount = kind == 1 ? 12 : kind == 2 ? 6 : 9;
        auto segment = [&](int a, int b) {
            if (a >= nodeCount || b >= nodeCount || !present[a] || !present[b]) return;
            const bool onA = std::fabs(s[a]) <= 0.001, onB = std::fabs(s[b]) <= 0.001;
            if (onA || onB) return;
            if ((s[a] > 0) == (s[b] > 0)) return;
            w.Add(p[a], p[b], a, b, s[a] / (s[a] - s[b]));
        };
        for (int e = 0; e < edgeCount; ++e) {
            const int a = edges[e][0], m = edges[e][1], b = edges[e][2];
            if (m < nodeCount && present[m]) {
                segment(a, m);
                segment(m, b);
            } else {
                segment(a, b);
            }
        }
    } else {
        if (w.count < 3) return 0;
        if (oneSided && positive) return 0;
    }
    if (w.overflow || w.count < 3) return 0;

    CTransferMatrix frame;
    frame.SetMatrix(m_d);
    double local[kMaxCutVertices][3];
    for (int i = 0; i < w.count; ++i) frame.ToLocal(w.pts[i], local[i]);
    int order[kMaxCutVertices];
    int ordered = 0;
    if (!GFunc::SearchPolyVertex(local, w.count, order, ordered, 0.001 * theMinNodeSpacing) || ordered < 3) return 0;
    for (int i = 0; i < ordered; ++i) {
        CVector::Copy(w.pts[order[i]], outVertices[i]);
        if (outValues && nodeValues)
            for (int set = 0; set < sets; ++set) {
                double* out =
                    outValues + (static_cast<size_t>(set) * kMaxCutVertices + static_cast<size_t>(i)) * kValuesPerNode;
                std::memcpy(out, w.Slot(set, order[i]), sizeof(double) * kValuesPerNode);
            }
    }
    return ordered;
}

// ---- CPlaneWithOrigin, CPlaneDescription --------------------------------------------------

void CPlaneWithOrigin::SetOrigin(const double* point)
{
    const double zero[3] = {0, 0, 0};
    GFunc::ProjectedToPlanePoint(point ? point : zero, m_equation.Coefficients(), m_origin);
}

void CPlaneWithOrigin::GetNormal(double out[3]) const
{
    for (int i = 0; i < 3; ++i) out[i] = m_equation.GetAt(i);
}

CPlaneDescription::CPlaneDescription()
{
    SetName("立面名称");
}

void CPlaneDescription::SetName(const char* text)
{
    const size_t len = text ? std::strlen(text) : 0;
    size_t keep = 0;
    while (keep < len) {
        const size_t n = gbk::CharLength(text, keep, len);
        if (keep + n > static_cast<size_t>(kMaxName)) break;
        keep += n;
    }
    if (keep) std::memcpy(m_name, text, keep);
    m_name[keep] = 0;
}

int CPlaneDescription::Write(bofstream& out) const
{
    for (int i = 0; i < 4; ++i) out << m_equation.GetAt(i);
    const int32_t m = static_cast<int32_t>(std::strlen(m_name)) + 1;
    out << m;
    out.Write(m_name, m);
    for (double c : m_origin) out << c;
    return out.IsGood();
}

namespace {

// One named elevation as stored; the origin only from version 700 on.
int ReadDescription(bifstream& in, CPlaneDescription& d)
{
    double eq[4];
    for (double& c : eq) in >> c;
    int32_t m = 0;
    in >> m;
    if (!in.IsGood()) return 0;
    char name[CPlaneDescription::kNameSize];
    // A stored name has its terminator within the 29 bytes of the record.
    if (m < 1 || m > CPlaneDescription::kNameSize) {
        in.SetFailed();
        return 0;
    }
    if (!in.Read(name, m)) return 0;
    if (name[m - 1] != 0 || std::strlen(name) + 1 != static_cast<size_t>(m) || !AllFinite(eq, 4)) {
        in.SetFailed();
        return 0;
    }
    double origin[3] = {0, 0, 0};
    const bool hasOrigin = nPrjVersion >= 700;
    if (hasOrigin) {
        for (double& c : origin) in >> c;
        if (!in.IsGood()) return 0;
        if (!AllFinite(origin, 3)) {
            in.SetFailed();
            return 0;
        }
    }
    d.m_equation.Set(eq[0], eq[1], eq[2], eq[3]);
    d.SetName(name);
    if (hasOrigin)
        CVector::Copy(origin, d.m_origin);
    else
        d.SetOrigin(nullptr);
    return 1;
}

}  // namespace

int CPlaneDescription::Read(bifstream& in)
{
    CPlaneDescription d;
    if (!ReadDescription(in, d)) return 0;
    *this = d;
    return 1;
}

// ---- CElevationPlane ----------------------------------------------------------------------

CElevationPlane::CElevationPlane()
{
    m_equation.Set(1, 0, 0, 0);
}

int CElevationPlane::IsPointOnPlane(const double* p) const
{
    return std::fabs(Eval(m_equation.Coefficients(), p)) < m_tolerance ? 1 : 0;
}

int CElevationPlane::ArePointsOnPlane(const double* p1, const double* p2) const
{
    return IsPointOnPlane(p1) && IsPointOnPlane(p2) ? 1 : 0;
}

int CElevationPlane::IsNodeOnPlane(const DNodeBase& node) const
{
    return IsPointOnPlane(node.m_dCoord);
}

int CElevationPlane::IsLineOnPlane(const DNodeBase& a, const DNodeBase& b) const
{
    return IsNodeOnPlane(a) && IsNodeOnPlane(b) ? 1 : 0;
}

namespace {

int NodesOnPlane(const CElevationPlane& plane, const int32_t* ids, int n)
{
    for (int i = 0; i < n; ++i) {
        double p[3];
        if (!NodeCoord(ids[i], 0, p) || !plane.IsPointOnPlane(p)) return 0;
    }
    return 1;
}

}  // namespace

int CElevationPlane::AreElementNodesOnPlane(const int32_t ids[4]) const
{
    return NodesOnPlane(*this, ids, ids[3] >= 1 ? 4 : 3);
}

int CElevationPlane::AreWallNodesOnPlane(const int32_t ids[4]) const
{
    return NodesOnPlane(*this, ids, 4);
}

void CElevationPlane::ScaleLengths(double factor)
{
    m_equation.GetAt(3) *= factor;
    m_tolerance *= factor;
    for (double& c : m_origin) c *= factor;
    for (CPlaneDescription& d : m_named) {
        d.m_equation.GetAt(3) *= factor;
        for (double& c : d.m_origin) c *= factor;
    }
}

void CElevationPlane::Reverse()
{
    for (int i = 0; i < 4; ++i) m_equation.GetAt(i) = -m_equation.GetAt(i);
}

int CElevationPlane::Write(bofstream& out) const
{
    for (int i = 0; i < 4; ++i) out << m_equation.GetAt(i);
    out << m_tolerance;
    out << static_cast<int32_t>(m_named.size());
    for (const CPlaneDescription& d : m_named) d.Write(out);
    for (double c : m_origin) out << c;
    return out.IsGood();
}

int CElevationPlane::Read(bifstream& in)
{
    const int v = nPrjVersion;
    CPlaneEquation eq;
    for (int i = 0; i < 4; ++i) in >> eq.GetAt(i);
    double tolerance = m_tolerance;
    if (v >= 400) {
        if (v < 520) {
            char skipped[24];
            in.Read(skipped, 24);
        }
        in >> tolerance;
    }
    if (!in.IsGood()) return 0;
    if (!AllFinite(eq.Coefficients(), 4) || !std::isfinite(tolerance) || tolerance < 0) {
        in.SetFailed();
        return 0;
    }
    std::vector<CPlaneDescription> named;
    if (v >= 600) {
        int32_t count = -1;
        in >> count;
        if (!in.IsGood()) return 0;
        // An entry takes at least its equation, a length and a terminator.
        if (count < 0 || !in.CheckAvailable(static_cast<int64_t>(count) * 37)) {
            in.SetFailed();
            return 0;
        }
        named.reserve(static_cast<size_t>(count));
        for (int32_t i = 0; i < count; ++i) {
            CPlaneDescription d;
            if (!ReadDescription(in, d)) return 0;
            named.push_back(d);
        }
    }
    double origin[3] = {0, 0, 0};
    if (v >= 700) {
        for (double& c : origin) in >> c;
        if (!in.IsGood()) return 0;
        if (!AllFinite(origin, 3)) {
            in.SetFailed();
            return 0;
        }
    }
    m_equation = eq;
    m_tolerance = tolerance;
    m_named.swap(named);
    if (v >= 700)
        CVector::Copy(origin, m_origin);
    else
        SetOrigin(nullptr);
    return 1;
}
