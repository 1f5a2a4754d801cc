#include "vek/view/operate/Picking.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "vek/model/ModelFamily.h"
#include "vek/model/ObjectBase.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/operate/OperateHost.h"
#include "vek/view/operate/SelectFilter.h"

namespace {

const CPickRoutines kEmpty{};
const CPickRoutines* table[kPickKindCount] = {};

bool IsTableSet(EPickKind k)
{
    return table[static_cast<int>(k)] != nullptr;
}

const CPickRoutines& Row(EPickKind k)
{
    const CPickRoutines* r = table[static_cast<int>(k)];
    if (r) return *r;
    return k == EPickKind::Nodes ? kNodePickRoutines : kEmpty;
}

constexpr int kCommandPickAnything = 750;

bool PickAnything()
{
    return theProjectOptions.nCurrentCommand == kCommandPickAnything;
}

bool StoreyPlan()
{
    return theViewProjection.GetMode() == CViewProjection::kPlan && theLevels.GetCount() > 0;
}

// Whether the filter takes a kind of the table.
bool Wanted(EPickKind k)
{
    const CSelectFilter& f = theSelectFilter;
    switch (k) {
        case EPickKind::Nodes: return f.Takes(CSelectFilter::kNodes);
        case EPickKind::Beams: return f.Takes(CSelectFilter::kBeams);
        case EPickKind::Columns: return f.Takes(CSelectFilter::kColumns);
        case EPickKind::Frames: return f.Takes(CSelectFilter::kBeams) || f.Takes(CSelectFilter::kColumns);
        case EPickKind::Walls: return f.Takes(CSelectFilter::kWalls);
        case EPickKind::Shells: return f.Takes(CSelectFilter::kShells);
        case EPickKind::Solids: return f.Takes(CSelectFilter::kSolids);
        case EPickKind::Planes: return f.Takes(CSelectFilter::kPlanes);
        case EPickKind::Boundaries: return f.Takes(CSelectFilter::kBoundaries);
        case EPickKind::Trusses: return f.Takes(CSelectFilter::kTrusses);
        case EPickKind::CurvedBeams: return f.Takes(CSelectFilter::kCurvedBeams);
        case EPickKind::Pipes: return f.Takes(CSelectFilter::kPipes);
        case EPickKind::Springs: return f.Takes(CSelectFilter::kSprings);
        case EPickKind::IntegralLines: return f.Takes(CSelectFilter::kIntegralLines);
        case EPickKind::SmallRegions: return f.Takes(CSelectFilter::kSmallRegions);
        case EPickKind::AxisLines: return f.Takes(CSelectFilter::kAxes);
        case EPickKind::AxisGridLine: return f.Takes(CSelectFilter::kAxisGridLine);
        case EPickKind::Regions: return f.Takes(CSelectFilter::kRegions);
        default: return false;
    }
}

int Single()
{
    return ShiftOrCtrlHeld() ? 0 : 1;
}

int AskPoint(EPickKind k, int x, int y, int single, int range)
{
    const CPickRoutines& r = Row(k);
    return r.atPoint ? r.atPoint(x, y, single, range) : 0;
}

// The beam-column step of the area shapes: one kind, or beams or columns
// alone in a storey plan when only one of them is wanted.
template <class Ask>
int AskFrames(bool all, Ask ask)
{
    const bool beams = theSelectFilter.Takes(CSelectFilter::kBeams);
    const bool columns = theSelectFilter.Takes(CSelectFilter::kColumns);
    if (!all && !beams && !columns) return 0;
    if (!all && StoreyPlan() && beams != columns) return ask(beams ? EPickKind::Beams : EPickKind::Columns);
    return ask(EPickKind::Frames);
}

// The area shapes walk their row; nothing stops the walk.
template <class Ask>
int WalkArea(const EPickKind* order, int n, Ask ask)
{
    const bool all = PickAnything();
    int any = 0;
    for (int i = 0; i < n; ++i) {
        const EPickKind k = order[i];
        if (all && k == EPickKind::SmallRegions) break;
        if (k == EPickKind::Frames) {
            any |= AskFrames(all, ask) ? 1 : 0;
            continue;
        }
        if (all || Wanted(k)) any |= ask(k) ? 1 : 0;
    }
    return any;
}

const EPickKind kWindowOrder[] = {
    EPickKind::Shells,  EPickKind::Solids,      EPickKind::Planes,      EPickKind::Boundaries, EPickKind::Frames,
    EPickKind::Trusses, EPickKind::CurvedBeams, EPickKind::Pipes,       EPickKind::Springs,    EPickKind::IntegralLines,
    EPickKind::Walls,   EPickKind::Nodes,       EPickKind::SmallRegions};
const EPickKind kPolygonOrder[] = {
    EPickKind::Shells,        EPickKind::Solids,  EPickKind::Walls,       EPickKind::Planes, EPickKind::Boundaries,
    EPickKind::Frames,        EPickKind::Trusses, EPickKind::CurvedBeams, EPickKind::Pipes,  EPickKind::Springs,
    EPickKind::IntegralLines, EPickKind::Nodes,   EPickKind::SmallRegions};
const EPickKind kSegmentOrder[] = {EPickKind::Shells,        EPickKind::Solids, EPickKind::Planes,
                                   EPickKind::Boundaries,    EPickKind::Frames, EPickKind::Trusses,
                                   EPickKind::CurvedBeams,   EPickKind::Pipes,  EPickKind::Springs,
                                   EPickKind::IntegralLines, EPickKind::Walls,  EPickKind::SmallRegions};

// ---- the nodes over the model's node family --------------------------------------------------

bool ShownNodePixel(CModelFamily& nodes, int pos, double& sx, double& sy)
{
    CObjectBase* o = nodes.GetAt(pos);
    if (!o || o->GetDisplayBits() != 1) return false;
    double p[3];
    if (!nodes.GetDrawCoordinates(nodes.GetID(pos), p)) return false;
    theViewProjection.WorldToScreen(p, sx, sy);
    return std::isfinite(sx) && std::isfinite(sy);
}

// Gives a changed node's state to the nodes of the other storeys of the
// storey range at the same plan position.
void SpreadToStoreyRange(CModelFamily& nodes, std::vector<std::pair<double, double>>& changed, bool selected)
{
    if (changed.empty() || !StoreyPlan()) return;
    std::sort(changed.begin(), changed.end());
    const double tol = theProjectOptions.dHorzNodeSpacing;
    for (int pos : Positions(nodes)) {
        CObjectBase* o = nodes.GetAt(pos);
        if (!o || o->GetDisplayBits() != 2 || o->IsSelected() == selected) continue;
        double p[3];
        if (!nodes.GetCoordinates(nodes.GetID(pos), p)) continue;
        auto it = std::lower_bound(changed.begin(), changed.end(), std::make_pair(p[0] - tol, -1e308));
        for (; it != changed.end() && it->first <= p[0] + tol; ++it) {
            if (std::fabs(it->second - p[1]) <= tol) {
                o->m_nFlags = selected ? (o->m_nFlags | kObjSelected) : (o->m_nFlags & ~kObjSelected);
                nodes.Redraw(pos);
                break;
            }
        }
    }
}

// Applies a hit to one node: select, or with `single` deselect a selected one.
void HitNode(CModelFamily& nodes, int pos, int single, bool& anySelected, std::vector<std::pair<double, double>>* on,
             std::vector<std::pair<double, double>>* off)
{
    CObjectBase* o = nodes.GetAt(pos);
    double p[3] = {0, 0, 0};
    nodes.GetCoordinates(nodes.GetID(pos), p);
    if (o->IsSelected()) {
        if (!single) return;
        o->m_nFlags &= ~kObjSelected;
        if (off) off->emplace_back(p[0], p[1]);
    } else {
        o->m_nFlags |= kObjSelected;
        anySelected = true;
        if (on) on->emplace_back(p[0], p[1]);
    }
    nodes.Redraw(pos);
}

template <class Inside>
int PickNodesWhere(int single, int range, Inside inside)
{
    CModelFamily& nodes = ModelFamily(EFamily::Nodes);
    bool any = false;
    std::vector<std::pair<double, double>> on, off;
    for (int pos : Positions(nodes)) {
        double sx, sy;
        if (!ShownNodePixel(nodes, pos, sx, sy) || !inside(sx, sy)) continue;
        HitNode(nodes, pos, single, any, range ? &on : nullptr, range ? &off : nullptr);
    }
    if (range) {
        SpreadToStoreyRange(nodes, on, true);
        SpreadToStoreyRange(nodes, off, false);
    }
    return any ? 1 : 0;
}

int NodesAtPoint(int x, int y, int single, int range)
{
    double p[3];
    const int id = NearestShownNode(x, y, theProjectOptions.nSnapTargetSize, p);
    if (id <= 0) return 0;
    CModelFamily& nodes = ModelFamily(EFamily::Nodes);
    bool any = false;
    std::vector<std::pair<double, double>> on, off;
    HitNode(nodes, nodes.IndexOfID(id), single, any, &on, &off);
    if (range) {
        SpreadToStoreyRange(nodes, on, true);
        SpreadToStoreyRange(nodes, off, false);
    }
    return any ? 1 : 0;
}

int NodesInWindow(POINT a, POINT b, int single, int range)
{
    const double x0 = std::min(a.x, b.x), x1 = std::max(a.x, b.x);
    const double y0 = std::min(a.y, b.y), y1 = std::max(a.y, b.y);
    return PickNodesWhere(single, range, [&](double x, double y) { return x >= x0 && x <= x1 && y >= y0 && y <= y1; });
}

bool InsidePolygon(const POINT* p, int n, double x, double y)
{
    bool in = false;
    for (int i = 0, j = n - 1; i < n; j = i++) {
        const double yi = p[i].y, yj = p[j].y;
        if ((yi > y) != (yj > y)) {
            const double xc = p[i].x + (y - yi) * (double(p[j].x) - p[i].x) / (yj - yi);
            if (x < xc) in = !in;
        }
    }
    return in;
}

int NodesInPolygon(const POINT* points, int n, int single, int range)
{
    if (n < 3) return 0;
    return PickNodesWhere(single, range, [&](double x, double y) { return InsidePolygon(points, n, x, y); });
}

// The families of the model table by the filter flag that takes them; -1 for none.
int FilterOfFamily(EFamily f)
{
    switch (f) {
        case EFamily::Nodes: return CSelectFilter::kNodes;
        case EFamily::Frames: return CSelectFilter::kBeams;
        case EFamily::Walls: return CSelectFilter::kWalls;
        case EFamily::Shells: return CSelectFilter::kShells;
        case EFamily::Solids: return CSelectFilter::kSolids;
        case EFamily::Planes: return CSelectFilter::kPlanes;
        case EFamily::Trusses: return CSelectFilter::kTrusses;
        case EFamily::Cframes: return CSelectFilter::kCurvedBeams;
        case EFamily::Pipes: return CSelectFilter::kPipes;
        case EFamily::Springs: return CSelectFilter::kSprings;
        case EFamily::StiffRegions: return CSelectFilter::kRegions;
        case EFamily::Integrals: return CSelectFilter::kIntegralLines;
        case EFamily::BoundLines:
        case EFamily::BoundRects:
        case EFamily::BoundArcs:
        case EFamily::BoundCircles:
        case EFamily::BoundEllipses:
        case EFamily::BoundSplines: return CSelectFilter::kBoundaries;
        default: return -1;
    }
}

bool FamilyTaken(EFamily f)
{
    const int k = FilterOfFamily(f);
    if (k == CSelectFilter::kBeams) return theSelectFilter.Takes(k) || theSelectFilter.Takes(CSelectFilter::kColumns);
    if (k == CSelectFilter::kRegions)
        return theSelectFilter.Takes(k) || theSelectFilter.Takes(CSelectFilter::kSmallRegions);
    return k >= 0 && theSelectFilter.Takes(k);
}

}  // namespace

const CPickRoutines kNodePickRoutines = {NodesAtPoint, NodesInWindow, NodesInPolygon, nullptr, nullptr, nullptr};

const CPickRoutines& PickRoutines(EPickKind kind)
{
    return Row(kind);
}

const CPickRoutines* RegisterPickRoutines(EPickKind kind, const CPickRoutines* routines)
{
    const int i = static_cast<int>(kind);
    if (i < 0 || i >= kPickKindCount) return nullptr;
    const CPickRoutines* before = table[i];
    table[i] = routines;
    return before;
}

int NearestShownNode(int x, int y, int aperture, double out[3])
{
    CModelFamily& nodes = ModelFamily(EFamily::Nodes);
    int best = 0;
    double bestDist = aperture;
    for (int pos : Positions(nodes)) {
        double sx, sy;
        if (!ShownNodePixel(nodes, pos, sx, sy)) continue;
        const double dx = sx - x, dy = sy - y;
        if (std::fabs(dx) > aperture || std::fabs(dy) > aperture) continue;
        const double d = std::sqrt(dx * dx + dy * dy);
        if (d < bestDist) {
            bestDist = d;
            best = nodes.GetID(pos);
        }
    }
    if (best > 0 && out) nodes.GetDrawCoordinates(best, out);
    return best;
}

int PickAtPoint(int x, int y, int range)
{
    const bool all = PickAnything();
    const int single = Single();
    auto want = [all](EPickKind k) { return all || Wanted(k); };
    int hit = 0;
    bool columnOnly = false;

    // 1. Line elements: the first hit wins.
    if (StoreyPlan()) {
        if (want(EPickKind::Columns)) {
            hit = AskPoint(EPickKind::Columns, x, y, single, range);
            columnOnly = hit != 0;
        }
        if (!hit && want(EPickKind::Beams)) hit = AskPoint(EPickKind::Beams, x, y, single, range);
    } else if (want(EPickKind::Frames)) {
        hit = AskPoint(EPickKind::Frames, x, y, single, range);
    }
    if (!hit && want(EPickKind::Walls)) hit = AskPoint(EPickKind::Walls, x, y, single, range);
    // 2. The other line-like kinds while nothing was hit.
    const EPickKind lineKinds[] = {EPickKind::Trusses, EPickKind::CurvedBeams,   EPickKind::Pipes,
                                   EPickKind::Springs, EPickKind::IntegralLines, EPickKind::Boundaries};
    for (EPickKind k : lineKinds) {
        if (hit) break;
        if (want(k)) hit = AskPoint(k, x, y, single, range);
    }
    int any = hit;
    // 3. Nodes in addition.
    if (want(EPickKind::Nodes)) any |= AskPoint(EPickKind::Nodes, x, y, single, range);
    // 4. The area kinds when nothing line-like but a plan column was hit.
    if (!hit || columnOnly) {
        if (want(EPickKind::Shells)) any |= AskPoint(EPickKind::Shells, x, y, single, range);
        if (want(EPickKind::Solids)) any |= AskPoint(EPickKind::Solids, x, y, single, range);
        if (Wanted(EPickKind::SmallRegions)) any |= AskPoint(EPickKind::SmallRegions, x, y, single, range);
        if (want(EPickKind::Planes)) any |= AskPoint(EPickKind::Planes, x, y, single, range);
    }
    if (all) return any ? 1 : 0;
    // 5. Axis lines, the axis-grid line and the regions in addition.
    const EPickKind extra[] = {EPickKind::AxisLines, EPickKind::AxisGridLine, EPickKind::Regions};
    for (EPickKind k : extra)
        if (Wanted(k)) any |= AskPoint(k, x, y, single, range);
    return any ? 1 : 0;
}

int PickInWindow(POINT a, POINT b, int range)
{
    const int single = Single();
    return WalkArea(kWindowOrder, int(std::size(kWindowOrder)), [&](EPickKind k) {
        const CPickRoutines& r = Row(k);
        return r.inWindow ? r.inWindow(a, b, single, range) : 0;
    });
}

int PickInPolygon(const POINT* points, int n, int range)
{
    const int single = Single();
    return WalkArea(kPolygonOrder, int(std::size(kPolygonOrder)), [&](EPickKind k) {
        const CPickRoutines& r = Row(k);
        return r.inPolygon ? r.inPolygon(points, n, single, range) : 0;
    });
}

int PickAcrossSegment(POINT a, POINT b, int range)
{
    const int single = Single();
    return WalkArea(kSegmentOrder, int(std::size(kSegmentOrder)), [&](EPickKind k) {
        const CPickRoutines& r = Row(k);
        return r.acrossSegment ? r.acrossSegment(a, b, single, range) : 0;
    });
}

void UnselectAll()
{
    for (int f = 0; f < kFamilyCount; ++f) {
        CModelFamily& family = ModelFamily(static_cast<EFamily>(f));
        for (int pos : Positions(family)) {
            if (CObjectBase* o = family.GetAt(pos)) o->m_nFlags &= ~kObjSelected;
            for (int k = 0, n = family.GetInnerCount(pos); k < n; ++k)
                if (CObjectBase* inner = family.GetInnerAt(pos, k)) inner->m_nFlags &= ~kObjSelected;
        }
    }
    for (int k = 0; k < kPickKindCount; ++k)
        if (IsTableSet(static_cast<EPickKind>(k)) && table[k]->unselectAll) table[k]->unselectAll();
    OperateHost().InvalidateModel();
}

bool HasSelectedObjects(bool anyKind)
{
    for (int f = 0; f < kFamilyCount; ++f) {
        const EFamily family = static_cast<EFamily>(f);
        if (FilterOfFamily(family) < 0 || (!anyKind && !FamilyTaken(family))) continue;
        CModelFamily& store = ModelFamily(family);
        for (int pos : Positions(store)) {
            CObjectBase* o = store.GetAt(pos);
            if (o && o->IsSelected()) return true;
        }
    }
    for (int k = 0; k < kPickKindCount; ++k) {
        const EPickKind kind = static_cast<EPickKind>(k);
        if (!IsTableSet(kind) || !table[k]->anySelected) continue;
        if (anyKind || Wanted(kind)) {
            if (table[k]->anySelected()) return true;
        }
    }
    return false;
}
