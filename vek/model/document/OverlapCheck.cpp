#include "vek/model/document/OverlapCheck.h"

#include <algorithm>
#include <cmath>

#include "korvalib/base/GFunc.h"
#include "korvalib/base/Vector.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ModelFamily.h"
#include "vek/model/ObjectBase.h"
#include "vek/model/geometry/ModelGeometry.h"

namespace {

constexpr uint8_t kBeam = 1;
constexpr uint8_t kWall = 6;

struct Line {
    bool valid = false;
    int nodes[4] = {0, 0, 0, 0};  // a beam's two ends; a wall's four corners
    int a = 0, b = 0;             // the ends of the line
    double p[3] = {0, 0, 0}, q[3] = {0, 0, 0};
    int storey = -1;
    int pos = -1;
};

CModelFamily& FamilyOf(uint8_t kind)
{
    return ModelFamily(kind == kWall ? EFamily::Walls : EFamily::Frames);
}

Line LineOf(const COverlapCheck::LineEle& e)
{
    Line l;
    CModelFamily& fam = FamilyOf(e.kind);
    l.pos = fam.IndexOfID(e.id);
    if (l.pos < 0) return l;
    const int n = fam.GetNodes(l.pos, l.nodes, 4);
    if (e.kind == kWall) {
        if (n < 4) return l;
        l.a = l.nodes[2], l.b = l.nodes[3];
    } else {
        if (n < 2) return l;
        l.a = l.nodes[0], l.b = l.nodes[1];
    }
    l.storey = fam.GetStorey(l.pos);
    l.valid = NodeCoordinates(l.a, l.p) && NodeCoordinates(l.b, l.q);
    return l;
}

bool SameEnds(int a1, int b1, int a2, int b2)
{
    return (a1 == a2 && b1 == b2) || (a1 == b2 && b1 == a2);
}

CString NameOf(const COverlapCheck::LineEle& e, int storey)
{
    const char* what = e.kind == kWall ? "墙" : "梁柱";
    CString s;
    if (storey < 0)
        s.Format("%d号%s", e.id, what);
    else
        s.Format("第%d层的%d号%s", storey, e.id, what);
    return s;
}

}  // namespace

bool SegmentsOverlap(const double* a1, const double* a2, const double* b1, const double* b2)
{
    for (int i = 0; i < 3; ++i) {
        const double minA = std::min(a1[i], a2[i]), maxA = std::max(a1[i], a2[i]);
        const double minB = std::min(b1[i], b2[i]), maxB = std::max(b1[i], b2[i]);
        if (maxB + 0.001 < minA || minB - 0.001 >= maxA) return false;
    }
    double da[3] = {a2[0] - a1[0], a2[1] - a1[1], a2[2] - a1[2]};
    double db[3] = {b2[0] - b1[0], b2[1] - b1[1], b2[2] - b1[2]};
    CVector::Normalize(da);
    CVector::Normalize(db);
    if (!CVector::DirEqual(da, db)) return false;
    return PointToLineDistance(a1, b1, b2, 0) || PointToLineDistance(a2, b1, b2, 0) ||
           PointToLineDistance(b1, a1, a2, 0) || PointToLineDistance(b2, a1, a2, 0);
}

int COverlapCheck::FindOverlaps()
{
    m_count = 0;
    const int n = m_items.GetSize();
    std::vector<Line> lines(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) lines[size_t(i)] = LineOf(*m_items.GetAt(i));
    for (int i = 0; i < n; ++i) {
        for (int j = i + 1; j < n; ++j) {
            const LineEle& ei = *m_items.GetAt(i);
            const LineEle& ej = *m_items.GetAt(j);
            const Line& li = lines[size_t(i)];
            const Line& lj = lines[size_t(j)];
            if (!li.valid || !lj.valid) continue;
            bool overlap;
            if (ei.kind == kBeam && ej.kind == kBeam && SameEnds(li.a, li.b, lj.a, lj.b)) {
                overlap = true;
            } else if (ei.kind == kWall && ej.kind == kWall && GFunc::IsEqual(li.nodes, lj.nodes, 4)) {
                overlap = true;
            } else if (ei.kind != ej.kind && SameEnds(li.a, li.b, lj.a, lj.b)) {
                overlap = false;  // a beam along a wall's top edge
            } else {
                overlap = SegmentsOverlap(li.p, li.q, lj.p, lj.q);
            }
            if (!overlap) continue;
            if (++m_count > 4) continue;
            for (const auto& [e, l] : {std::pair<const LineEle&, const Line&>{ei, li}, {ej, lj}}) {
                CModelFamily& fam = FamilyOf(e.kind);
                if (CObjectBase* o = fam.GetAt(l.pos)) o->m_nFlags |= kObjSelected;
                fam.Redraw(l.pos);
            }
            CString text;
            text.Format("%s和%s有重叠部分, 它们被设置成选中状态!", NameOf(ei, li.storey).GetString(),
                        NameOf(ej, lj.storey).GetString());
            AppMessageBox(text);
        }
    }
    return m_count > 0;
}
