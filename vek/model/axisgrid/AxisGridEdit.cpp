#include "vek/model/axisgrid/AxisGridEdit.h"

#include <cmath>
#include <vector>

#include "vek/model/AppHelpers.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/axisgrid/AxisGrid.h"

const char* const kPromptAddAxisByOffset =
    "输入新轴线与参考轴线间的距离，可捕捉两点(取两点之间垂直轴线的距离)代替输入:";
const char* const kPromptMoveAxes = "输入轴线移动的距离，可捕捉两点(取两点之间垂直轴线的距离)代替输入:";

CAxisGridEditHooks theAxisGridEditHooks;

namespace {

void FlashPrompt(const char* text, int ms)
{
    if (theAxisGridEditHooks.flashPrompt)
        theAxisGridEditHooks.flashPrompt(text, ms);
    else
        ModelHooks().ShowPrompt(text);
}

void GridsChanged()
{
    RegenerateGridNodes();
    ModelHooks().InvalidateModel();
    SetDocumentModified(1);
}

// dx and dy of the offset: the typed value twice, or the points' difference
// (in the work plane's coordinates in an elevation).
void OffsetOf(const CAxisOffset& o, double& dx, double& dy)
{
    if (!o.picked) {
        dx = dy = o.value;
        return;
    }
    double u1, v1, u2, v2;
    if (ModelProjection().GetMode() == 2) {
        ModelProjection().WorldToPlane(o.p1, u1, v1);
        ModelProjection().WorldToPlane(o.p2, u2, v2);
    } else {
        u1 = o.p1[0];
        v1 = o.p1[1];
        u2 = o.p2[0];
        v2 = o.p2[1];
    }
    dx = u2 - u1;
    dy = v2 - v1;
}

// The offset, refused with `message` when it is below the node spacing both ways.
bool OffsetAllowed(const CAxisOffset& o, double& dx, double& dy, const char* message)
{
    OffsetOf(o, dx, dy);
    const double spacing = theProjectOptions.dHorzNodeSpacing;
    if (std::fabs(dx) < spacing && std::fabs(dy) < spacing) {
        AppMessageBox(message);
        return false;
    }
    return true;
}

// The reference line of a grid: the first selected line of the first list,
// replaced by the first selected line of the second list when there is one.
struct Reference {
    int list = -1;  // -1: none
    int index = -1;
    int firstSelected[2] = {-1, -1};
};

Reference FindReference(CAxisGrid& g)
{
    Reference r;
    for (int which = 0; which < 2; ++which) {
        CAxisList& l = g.List(which);
        for (int i = 0; i < l.GetSize() && r.firstSelected[which] < 0; ++i)
            if (l.GetAt(i)->isslcted()) r.firstSelected[which] = i;
    }
    for (int which = 1; which >= 0 && r.list < 0; --which)
        if (r.firstSelected[which] >= 0) {
            r.list = which;
            r.index = r.firstSelected[which];
        }
    return r;
}

// Clears the grid's selection and the selected marks the reference search found.
void ClearFound(CAxisGrid& g, const Reference& r)
{
    g.m_nFlags &= ~kObjSelected;
    for (int which = 0; which < 2; ++which)
        if (r.firstSelected[which] >= 0) g.List(which).GetAt(r.firstSelected[which])->unslctit();
}

// The number a new line at `pos` takes in its list, 0 when it has no place.
int NumberFor(const CAxisList& l, double pos)
{
    const int n = l.GetSize();
    if (n == 0) return 1;
    const double first = AxisPosition(l, 0), last = AxisPosition(l, n - 1);
    const double dir = last < first ? -1 : 1;
    if (dir * pos < dir * first) return 1;
    if (dir * pos > dir * last) return n + 1;
    for (int i = 1; i < n; ++i)
        if (dir * AxisPosition(l, i - 1) < dir * pos && dir * pos < dir * AxisPosition(l, i)) return i + 1;
    return 0;
}

}  // namespace

int DeleteSelectedGrids()
{
    // The picture is drawn anew afterwards, so the deleted grids need no
    // drawing in their plain state first.
    const int removed = theAxisGrids.RemoveSelected();
    if (removed) GridsChanged();
    return removed;
}

int DeleteSelectedAxes()
{
    int removed = 0;
    for (int gi = 0; gi < theAxisGrids.GetCount(); ++gi) {
        CAxisGrid& g = *theAxisGrids.GetAt(gi);
        g.m_nFlags &= ~kObjSelected;
        for (int which = 0; which < 2; ++which) {
            CAxisList& l = g.List(which);
            for (int i = l.GetSize() - 1; i >= 0; --i) {
                if (!l.GetAt(i)->isslcted()) continue;
                const int number = AxisNumber(l, i);
                l.RemoveAt(i);
                ++removed;
                for (int k = 0; k < l.GetSize(); ++k) {
                    const int m = AxisNumber(l, k);
                    if (m > number) l.GetAt(k)->SetLeft(m - 1);
                }
            }
        }
    }
    if (removed) GridsChanged();
    return removed;
}

int AddAxisByOffset(const CAxisOffset& offset)
{
    double dx, dy;
    if (!OffsetAllowed(offset, dx, dy, "距离值小于节点最小间距，没有增加新的轴线!")) return 0;
    // Every grid's new line is worked out before any grid changes.
    struct Plan {
        CAxisGrid* grid;
        Reference ref;
        double pos = 0;
        int number = 0;
    };
    std::vector<Plan> plans;
    for (int gi = 0; gi < theAxisGrids.GetCount(); ++gi) {
        CAxisGrid& g = *theAxisGrids.GetAt(gi);
        Plan p{&g, FindReference(g)};
        if (p.ref.list >= 0) {
            const CAxisList& l = g.List(p.ref.list);
            p.pos = AxisPosition(l, p.ref.index) + (p.ref.list == 0 ? dx : dy);
            for (int i = 0; i < l.GetSize(); ++i)
                if (std::fabs(AxisPosition(l, i) - p.pos) < 1e-5) {
                    FlashPrompt("轴线已存在!", 1500);
                    return 0;
                }
            p.number = NumberFor(l, p.pos);
            if (p.number == 0) {
                AppMessageBox("非法的轴线号!");
                return 0;
            }
        }
        plans.push_back(p);
    }
    int added = 0;
    for (const Plan& p : plans) {
        ClearFound(*p.grid, p.ref);
        if (p.ref.list < 0) continue;
        CAxisList& l = p.grid->List(p.ref.list);
        for (int k = 0; k < l.GetSize(); ++k) {
            const int m = AxisNumber(l, k);
            if (m >= p.number) l.GetAt(k)->SetLeft(m + 1);
        }
        l.Add(CAxisGridItem(p.number, p.pos));
        ++added;
    }
    if (added) GridsChanged();
    return added ? 1 : 0;
}

int MoveSelectedAxes(const CAxisOffset& offset)
{
    double dx, dy;
    if (!OffsetAllowed(offset, dx, dy, "距离值小于节点最小间距，不能移动轴线!")) return 0;
    int moved = 0;
    for (int gi = 0; gi < theAxisGrids.GetCount(); ++gi) {
        CAxisGrid& g = *theAxisGrids.GetAt(gi);
        const Reference r = FindReference(g);
        ClearFound(g, r);
        if (r.list < 0) continue;
        CAxisGridItem& item = *g.List(r.list).GetAt(r.index);
        double pos;
        item.GetRight(pos);
        item.SetRight(pos + (r.list == 0 ? dx : dy));
        ++moved;
    }
    if (moved) GridsChanged();
    return moved ? 1 : 0;
}
