#include "vek/elements/line/nodes/NodePick.h"

#include <algorithm>
#include <cmath>

#include "korvalib/base/GFunc.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/view/draw/DrawLayer.h"

namespace {

bool Pickable(const CNode& n, int all)
{
    const int state = n.GetDisplayBits();
    return all ? state != 0 : state == 1;
}

// The selection rule of a hit; true when the state changed.
bool Hit(CNode& n, int single)
{
    const bool was = n.IsSelected();
    if (!was)
        n.m_nFlags |= kObjSelected;
    else if (single)
        n.m_nFlags &= ~kObjSelected;
    if (n.IsSelected() != was) n.Draw();
    return true;
}

}  // namespace

int PickNearestNode(double x, double y, int single, int storeyRange)
{
    const double r = 3.0 * theProjectOptions.nSnapTargetSize;
    CNode* best = nullptr;
    double bestDistance = r;
    for (int i = 0; i < theNodes.GetSize(); ++i) {
        CNode* n = theNodes.GetAt(i);
        if (!Pickable(*n, 0)) continue;
        double sx, sy;
        n->GetScreenPointF(sx, sy, 1);
        if (std::fabs(sx - x) > r || std::fabs(sy - y) > r) continue;
        const double d = std::hypot(sx - x, sy - y);
        if (d < bestDistance) {
            bestDistance = d;
            best = n;
        }
    }
    if (!best) return 0;
    CDrawSession session;
    Hit(*best, single);
    if (storeyRange && ModelProjection().GetMode() == 1 && theLevels.count > 0) {
        const double h = theProjectOptions.dHorzNodeSpacing;
        const uint32_t state = best->m_nFlags & kObjSelected;
        for (int i = 0; i < theNodes.GetSize(); ++i) {
            CNode* n = theNodes.GetAt(i);
            if (n == best || (n->m_nFlags & kObjStateMask) != kObjStateOtherStorey) continue;
            if (std::fabs(n->m_dCoord[0] - best->m_dCoord[0]) > h || std::fabs(n->m_dCoord[1] - best->m_dCoord[1]) > h)
                continue;
            if ((n->m_nFlags & kObjSelected) != state) {
                n->m_nFlags = (n->m_nFlags & ~kObjSelected) | state;
                n->Draw();
            }
        }
    }
    return 1;
}

namespace {

// Picks the pickable nodes whose displaced screen point passes the test.
template <class Inside>
int SelectNodesWhere(int single, int all, Inside inside)
{
    int any = 0;
    CDrawSession session;
    for (int i = 0; i < theNodes.GetSize(); ++i) {
        CNode* n = theNodes.GetAt(i);
        if (!Pickable(*n, all)) continue;
        double sx, sy;
        n->GetScreenPointF(sx, sy, 1);
        if (inside(sx, sy)) any = Hit(*n, single) ? 1 : any;
    }
    return any;
}

}  // namespace

int SelectNodesInWindow(const double corner1[2], const double corner2[2], int single, int all)
{
    const double x1 = std::min(corner1[0], corner2[0]), x2 = std::max(corner1[0], corner2[0]);
    const double y1 = std::min(corner1[1], corner2[1]), y2 = std::max(corner1[1], corner2[1]);
    return SelectNodesWhere(single, all,
                            [&](double sx, double sy) { return sx > x1 && sx < x2 && sy > y1 && sy < y2; });
}

int SelectNodesInRegion(int count, const double (*polygon)[2], int single, int all)
{
    if (count < 3 || !polygon) return 0;
    return SelectNodesWhere(single, all,
                            [&](double sx, double sy) { return GFunc::PointInRegion(sx, sy, count, polygon, 0.5, 1); });
}

int UnselectAllNodes()
{
    int any = 0;
    CDrawSession session;
    for (int i = 0; i < theNodes.GetSize(); ++i) {
        CNode* n = theNodes.GetAt(i);
        if (!n->IsSelected()) continue;
        n->m_nFlags &= ~kObjSelected;
        n->Draw();
        any = 1;
    }
    return any;
}

int FirstSelectedNode()
{
    for (int i = 0; i < theNodes.GetSize(); ++i)
        if (theNodes.GetAt(i)->IsSelected()) return theNodes.GetAt(i)->m_nID;
    return 0;
}
