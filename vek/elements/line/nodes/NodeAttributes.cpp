#include "vek/elements/line/nodes/NodeAttributes.h"

#include <cstdio>

#include "vek/elements/line/nodes/Node.h"
#include "vek/elements/line/nodes/NodeInput.h"
#include "vek/elements/line/nodes/NodePools.h"
#include "vek/elements/line/nodes/NodeUndo.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/ProjectOptions.h"
#include "vek/view/draw/DrawLayer.h"

CNodeCopyOptions theNodeCopyOptions;
CNodeSplitHooks theNodeSplitHooks;

const char* const kTemperaturePrompt = "节点温度(升降温值):";
const char* const kTemperatureHint = "例:20为升20度,-20为降20度,所在荷载种类由选项设置确定,此温度不影响梁柱";
const char* const kTowerPrompt = "节点所处塔号:";
const char* const kTowerHint = "节点的塔号影响着层间位移等参数的计算，对于两塔之间的联系部分最好把它归入道其中一塔";

namespace {

// The common pattern: the attribute's display switch on, one undo group,
// every selected node deselected, erased, recorded, changed and redrawn.
template <class Change>
int ApplyToSelected(int option, Change change)
{
    CDisplayOptionOn shown(option);
    CDrawSession session;
    theUndo.BeginRecord();
    int changed = 0;
    for (int i = 0; i < theNodes.GetSize(); ++i) {
        CNode* n = theNodes.GetAt(i);
        if (!n->IsSelected()) continue;
        n->m_nFlags &= ~(kObjSelected | kObjLive);
        n->Draw();
        n->m_nFlags |= kObjLive;
        change(*n);
        n->Draw();
        ++changed;
    }
    theUndo.EndRecord();
    SetDocumentModified(1);
    return changed;
}

}  // namespace

int SetRestraintsOfSelected()
{
    const int32_t* r = theNodeInputs.restraints;
    return ApplyToSelected(kShowRestraints, [r](CNode& n) {
        theUndo.AddRecord(new CUndoNodeRest(n.m_nID, n.m_cRestraint));
        for (int i = 0; i < 6; ++i) {
            if (r[i] == 1) n.m_cRestraint = uint8_t(n.m_cRestraint | (1u << i));
            if (r[i] == 0) n.m_cRestraint = uint8_t(n.m_cRestraint & ~(1u << i));
        }
    });
}

int SetMassOfSelected()
{
    const int index = FindOrAddNodeMass(theNodeInputs.mass);
    return ApplyToSelected(kShowRestraints, [index](CNode& n) {
        theUndo.AddRecord(new CUndoNodeMass(n.m_nID, n.m_nMass));
        n.m_nMass = index;
    });
}

int SetTemperatureOfSelected()
{
    const double t = theNodeInputs.temperature;
    return ApplyToSelected(kShowLoads, [t](CNode& n) {
        theUndo.AddRecord(new CUndoNodeTemperature(n.m_nID, n.m_dTemperature));
        n.m_dTemperature = t;
    });
}

int SetTowerOfSelected()
{
    const int tower = theNodeInputs.tower;
    if (tower < 1) {
        AppMessageBox("塔号必须大于0！");
        return 0;
    }
    if (tower > 255) {
        AppMessageBox("塔号不能大于255！");
        return 0;
    }
    return ApplyToSelected(kShowTowers, [tower](CNode& n) {
        theUndo.AddRecord(new CUndoNodeTower(n.m_nID, n.m_nTower));
        n.m_nTower = uint8_t(tower);
    });
}

int SetNodeLoadOfSelected()
{
    const int lc = theProjectOptions.nCurrentLoadCase;
    const int component = theNodeInputs.loadType - 1;
    const int action = theNodeInputs.loadAction;
    const double value = theNodeInputs.loadValue;
    return ApplyToSelected(kShowLoads, [&](CNode& n) {
        CSixDoubles v;
        const int at = n.m_Loads.Index(int16_t(lc));
        if (at >= 0)
            if (const CSixDoubles* old = theNodeLoadPool.Get(n.m_Loads[at].nValue)) v = *old;
        const bool valid = component >= 0 && component < 6;
        switch (action) {
            case 1:
                if (valid) v[component] = value;
                break;
            case 2:
                if (valid) v[component] += value;
                break;
            case 3:
                if (valid) v[component] -= value;
                break;
            case 4:
                if (valid) v[component] = 0;
                break;
            case 5: v.SetZero(); break;
            default: break;
        }
        const int index = FindOrAddNodeLoad(v);
        theUndo.AddRecord(new CUndoNodeLoad(n.m_nID, n.m_Loads));
        n.m_Loads.Insert(int16_t(lc), index);
    });
}

void SplitElementsAtSelectedNodes()
{
    ModelHooks().ShowPrompt("正在拆分单元...");
    CDrawSession session;
    theUndo.BeginRecord();
    for (int i = 0; i < theNodes.GetSize(); ++i) {
        CNode* n = theNodes.GetAt(i);
        if (!n->IsSelected()) continue;
        n->m_nFlags &= ~kObjSelected;
        n->Draw();
        const int id = n->m_nID;
        if (theNodeSplitHooks.splitWallsAtNode) theNodeSplitHooks.splitWallsAtNode(id);
        if (theNodeSplitHooks.breakFramesAtNode) theNodeSplitHooks.breakFramesAtNode(id);
    }
    theUndo.EndRecord();
    SetDocumentModified(1);
}

void CNode::CopyProperties(const CNode& source, int force)
{
    const CNodeCopyOptions& o = theNodeCopyOptions;
    if (o.attributes) {
        m_nLayer = source.m_nLayer;
        m_nMass = source.m_nMass;
        m_dTemperature = source.m_dTemperature;
        m_nTower = source.m_nTower;
    }
    if (!force && !o.loads) return;
    theUndo.AddRecord(new CUndoNodeLoad(m_nID, m_Loads));
    if (!force && o.loads && o.currentCaseOnly) {
        const int16_t lc = theProjectOptions.nCurrentLoadCase;
        const int at = source.m_Loads.Index(lc);
        if (at >= 0) m_Loads.Insert(lc, source.m_Loads[at].nValue);
        return;
    }
    m_Loads = source.m_Loads;
}

void ReverseOrDeleteNodeLoads(CNode& node, bool remove, int loadCase)
{
    theUndo.AddRecord(new CUndoNodeLoad(node.m_nID, node.m_Loads));
    SetDocumentModified(1);
    if (remove) {
        if (loadCase < 1)
            node.m_Loads.Clear();
        else
            node.m_Loads.Remove(int16_t(loadCase));
        return;
    }
    const DElementLoad before = node.m_Loads;
    for (int k = 0; k < before.Entries(); ++k) {
        const DElementLoadItem& e = before[k];
        if (loadCase >= 1 && e.nKey != loadCase) continue;
        const CSixDoubles* v = theNodeLoadPool.Get(e.nValue);
        if (!v) continue;
        CSixDoubles neg = *v;
        for (double& x : neg.m_v) x = -x;
        node.m_Loads.Insert(e.nKey, FindOrAddNodeLoad(neg));
    }
}

int MassPanelTexts(char heading[128], char labels[6][32], int indices[6])
{
    std::snprintf(heading, 128, "集中质量:平动质量单位=%s,转动惯量单位=%s*%s*%s", strMassUnit, strMassUnit,
                  strLengthUnit, strLengthUnit);
    if (theProjectOptions.bPlaneModel) {
        std::snprintf(labels[0], 32, "%c向平动质量:", 'Y');
        std::snprintf(labels[1], 32, "%c向平动质量:", 'Z');
        std::snprintf(labels[2], 32, "X向转动惯量:");
        indices[0] = 1;
        indices[1] = 2;
        indices[2] = 3;
        return 3;
    }
    for (int i = 0; i < 3; ++i) {
        std::snprintf(labels[i], 32, "%c向平动质量:", 'X' + i);
        std::snprintf(labels[i + 3], 32, "%c向转动惯量:", 'X' + i);
    }
    for (int i = 0; i < 6; ++i) indices[i] = i;
    return 6;
}
