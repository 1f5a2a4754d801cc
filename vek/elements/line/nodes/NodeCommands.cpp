#include "vek/elements/line/nodes/NodeCommands.h"

#include <cstdio>
#include <vector>

#include "vek/elements/line/nodes/NodeAttributes.h"
#include "vek/elements/line/nodes/NodeInfo.h"
#include "vek/elements/line/nodes/NodeMerge.h"
#include "vek/elements/line/springs/Spring.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/ProjectOptions.h"
#include "vek/view/operate/OperateHost.h"
#include "vek/view/operate/Picking.h"
#include "vek/view/operate/SingleOperate.h"
#include "vek/view/operate/ViewCommands.h"

int RunNodeCommand(int code, const CPickedPoints& picks)
{
    switch (code) {
        case 40:
        case 41:
        case 42: return code == 40 ? GenerateNodes(picks) : AddNodeAtFirstPoint(picks, code);
        case 44: return MergeSelectedNodes();
        case 45: return SetNodeLoadOfSelected();
        case 46: return SetTemperatureOfSelected();
        case 47: return SetRestraintsOfSelected();
        case 48: return SetMassOfSelected();
        case 49: return AddGroundSpringsAtSelected();
        case 50: SplitElementsAtSelectedNodes(); return 1;
        case 52: return ShowNodeInfo();
        case 53:
            if (picks.count < 2) return 0;
            ShowDistance(picks.points[0], picks.points[1]);
            return 1;
        case 56: return picks.count >= 2 ? AddSpringBetweenPickedNodes(picks.points[0], picks.points[1]) : 0;
        case 57: return SetTowerOfSelected();
        case 60: return ReverseGroundSpringsAtSelected();
        case 61: return ShowSpringInfo();
        default: return 0;
    }
}

int MergeAllNodesCommand()
{
    char text[300];
    std::snprintf(text, sizeof text,
                  "被合并节点的XY坐标误差小于%.4f，Z坐标误差小于%.4f，这两个数可以在参数中的选项设置对话框中输入。"
                  "是否以此误差进行合并？",
                  theProjectOptions.dHorzNodeSpacing, double(theProjectOptions.fVertNodeSpacing));
    if (AppMessageBox(text, MB_YESNO) != IDYES) return 0;
    return MergeCoincidentNodes(nullptr, 0, 0);
}

int SortNodesCommand()
{
    const int changed = SortNodes();
    ModelHooks().ShowPrompt("排序完毕.");
    ModelHooks().InvalidateModel();
    return changed;
}

namespace {

// The operation's callback: its picked points, then the command's work.
void NodeOperation(CSingleOperate* op)
{
    static_assert(sizeof(Point3) == 3 * sizeof(double), "points are packed triples");
    CPickedPoints picks;
    picks.count = op->PointCount();
    if (picks.count > 0) picks.points = reinterpret_cast<const double(*)[3]>(op->m_points.data()->data());
    RunNodeCommand(op->m_nCode, picks);
}

// The polygon of window points as the family's pickers take it.
template <class Select>
int InPolygon(const POINT* points, int n, Select select)
{
    std::vector<double> flat;
    for (int i = 0; i < n; ++i) {
        flat.push_back(points[i].x);
        flat.push_back(points[i].y);
    }
    return n > 0 ? select(n, reinterpret_cast<const double(*)[2]>(flat.data())) : 0;
}

template <class Select>
int InWindow(POINT a, POINT b, Select select)
{
    const double c1[2] = {double(a.x), double(a.y)}, c2[2] = {double(b.x), double(b.y)};
    return select(c1, c2);
}

const CPickRoutines kSpringRows = {
    [](int x, int y, int single, int) { return PickNearestSpring(x, y, single); },
    [](POINT a, POINT b, int single, int) {
        return InWindow(a, b,
                        [&](const double* c1, const double* c2) { return SelectSpringsInWindow(c1, c2, single); });
    },
    [](const POINT* p, int n, int single, int) {
        return InPolygon(p, n, [&](int k, const double(*q)[2]) { return SelectSpringsInRegion(k, q, single); });
    },
};

// The node commands fill their slots of the view's command table, the
// springs their row of the picking table (the view picks the nodes through
// the model's node family); code 41 asks for the next typed point.
const bool registered = [] {
    RegisterPickRoutines(EPickKind::Springs, &kSpringRows);
    for (int code : {40, 41, 42, 44, 45, 46, 47, 48, 49, 50, 52, 53, 56, 57, 60, 61})
        RegisterOperationCallback(code, NodeOperation);
    theNodeCommandHooks.postTypedInput = [] { OperateHost().PostInputChar('#'); };
    return true;
}();

}  // namespace
