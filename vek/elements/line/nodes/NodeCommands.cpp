#include "vek/elements/line/nodes/NodeCommands.h"

#include <cstdio>

#include "vek/elements/line/nodes/NodeAttributes.h"
#include "vek/elements/line/nodes/NodeInfo.h"
#include "vek/elements/line/nodes/NodeMerge.h"
#include "vek/elements/line/springs/Spring.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/ProjectOptions.h"

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

void SetIntersectionMethod()
{
    theProjectOptions.nGenerateMethod = 7;
}

int SortNodesCommand()
{
    const int changed = SortNodes();
    ModelHooks().ShowPrompt("排序完毕.");
    ModelHooks().InvalidateModel();
    return changed;
}
