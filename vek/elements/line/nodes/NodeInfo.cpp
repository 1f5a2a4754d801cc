#include "vek/elements/line/nodes/NodeInfo.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <vector>

#include "containers/MArrayID.h"
#include "korvalib/base/GFunc.h"
#include "korvalib/results/Result.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/elements/line/nodes/NodeDisplacement.h"
#include "vek/elements/line/nodes/NodeElementIndex.h"
#include "vek/elements/line/nodes/NodePools.h"
#include "vek/elements/line/springs/Spring.h"
#include "vek/model/LayerList.h"
#include "vek/model/ProjectOptions.h"
#include "vek/view/draw/DrawLayer.h"

CInfoHooks theInfoHooks;
int nNodeInfoMode = 0;

namespace {

void Append(std::string& s, const char* format, ...)
{
    char buffer[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    s += buffer;
}

bool Shown(double v)
{
    return std::fabs(v) > 1e-10;
}

// One list of node displacements, when the result set has any.
void AppendDisplacements(std::string& s, DResult& r, int node, int count, const char* head,
                         int (DResult::*get)(int, double (*)[6]))
{
    if (count <= 0) return;
    std::vector<double> rows(size_t(count) * 6, 0.0);
    auto* data = reinterpret_cast<double(*)[6]>(rows.data());
    if (!(r.*get)(node, data)) return;
    for (int i = 0; i < count; ++i) {
        Append(s, head, i + 1);
        for (int k = 0; k < 6; ++k) Append(s, k ? " %10.2E" : "%10.2E", data[i][k]);
    }
}

void AppendShellStresses(std::string& s, DResult& r, int node)
{
    CNodeElementIndex index;
    index.Build();
    static const char* const kNames[] = {"σ1", "σ2", "τ12", "Q31", "Q32", "M11", "M22", "M12"};
    for (const CNodeElementIndex::ElementID& e : index.ElementsAt(node)) {
        if (e.kind != 5) continue;
        int nodes[21];
        const int n = CNodeElementIndex::NodesOf(5, e.id, nodes);
        int row = -1;
        for (int k = 0; k < n && row < 0; ++k)
            if (nodes[k] == node) row = k;
        MArrayID<DShellForce> store(0, 16);
        if (row < 0 || !r.GetOneShellAllCombForce(e.id, store)) continue;
        Append(s, "\r\n在%d号板壳所处平面内的应力和内力分量(分量的意义可参考等值云图的对话框):\r\n         ",
               int(e.id));
        for (const char* name : kNames) Append(s, "%8s ", name);
        for (int c = 0; c < store.GetSize(); ++c) {
            const DShellForce* f = store.GetAt(c);
            if (row >= f->nNode || !f->pNode) continue;
            Append(s, "\r\n 内力组合%2d:", c + 1);
            for (int k = 0; k < 8; ++k) Append(s, "%8.3f ", f->pNode[row][k]);
        }
    }
}

void AppendNodeStresses(std::string& s, DResult& r, int node, int kind, const char* heading,
                        int (DResult::*get)(int, double (*)[9]))
{
    CNodeElementIndex index;
    index.Build();
    bool any = false;
    for (const CNodeElementIndex::ElementID& e : index.ElementsAt(node)) any = any || e.kind == kind;
    const int sets = r.m_nForceComb;
    if (!any || sets <= 0) return;
    std::vector<double> rows(size_t(sets) * 9, 0.0);
    auto* data = reinterpret_cast<double(*)[9]>(rows.data());
    if (!(r.*get)(node, data)) return;
    s += heading;
    for (int c = 0; c < sets; ++c) {
        Append(s, "\r\n  内力组合%d:", c + 1);
        for (int k = 0; k < 9; ++k) Append(s, "%8.3f", data[c][k]);
    }
}

}  // namespace

std::string NodeInfoText(const CNode& n, DResult* results)
{
    const int mode = theProjectOptions.nElementInfoContent;
    std::string s;
    Append(s, "%d号节点  层号=%d\r\n坐标:(%.4f,%.4f,%.4f)", int(n.m_nID), int(n.m_nStorey), n.m_dCoord[0],
           n.m_dCoord[1], n.m_dCoord[2]);
    if (mode != 2) Append(s, "\r\n塔号=%d 图层=%s", int(n.m_nTower), theLayers[n.m_nLayer].name);
    if (n.m_cRestraint & 0x3F) {
        static const char* const kDof[] = {"Ux", "Uy", "Uz", "Rx", "Ry", "Rz"};
        s += "\r\n约束";
        for (int i = 0; i < 6; ++i)
            if (n.IsRestrained(i)) s += kDof[i];
    }
    if (const CSixDoubles* m = theNodeMassPool.Get(n.m_nMass)) {
        static const char* const kMass[] = {"Mx", "My", "Mz", "Mrx", "Mry", "Mrz"};
        s += "\r\n集中质量:";
        for (int i = 0; i < 6; ++i)
            if (Shown((*m)[i])) Append(s, "\r\n  %s=%.3E", kMass[i], (*m)[i]);
    }
    static const char* const kForce[] = {"Fx", "Fy", "Fz", "Mx", "My", "Mz"};
    for (int k = 0; k < n.m_Loads.Entries(); ++k) {
        Append(s, "\r\n荷载种类%d的集中力:", int(n.m_Loads[k].nKey));
        if (const CSixDoubles* v = theNodeLoadPool.Get(n.m_Loads[k].nValue))
            for (int i = 0; i < 6; ++i)
                if (Shown((*v)[i])) Append(s, "\r\n  %s=%.3f", kForce[i], (*v)[i]);
    }
    if (Shown(n.m_dTemperature))
        Append(s, "\r\n温度(荷载种类%d):%.3f", int(theProjectOptions.nTemperatureLoadCase), n.m_dTemperature);
    if (mode == 1 || !results || !results->Good()) return s;

    DResult& r = *results;
    const int id = n.m_nID;
    s += "\r\n位移结果:  Ux   Uy   Uz   Rx   Ry   Rz";
    AppendDisplacements(s, r, id, r.m_nLoadCase, "\r\n     荷载种类%d:", &DResult::GetOneNodeAllCondDisp);
    AppendDisplacements(s, r, id, r.m_nSpecDir, "\r\n 第%d个地震方向:", &DResult::GetOneNodeAllSpecDirDisp);
    AppendDisplacements(s, r, id, r.m_nLoadComb, "\r\n     位移组合%d:", &DResult::GetOneNodeAllCombDisp);
    AppendDisplacements(s, r, id, r.m_nConstr, "\r\n 第%d步施工模拟:", &DResult::GetOneNodeAllConstrDisp);
    s += "\r\n各种构件的下端在此引起的反力:Fx   Fy   Fz   Mx   My   Mz";
    if (r.m_nForceComb > 0) {
        std::vector<double> rows(size_t(r.m_nForceComb) * 6, 0.0);
        auto* data = reinterpret_cast<double(*)[6]>(rows.data());
        if (r.GetOneNodeAboveForce(id, data))
            for (int c = 0; c < r.m_nForceComb; ++c) {
                Append(s, "\r\n   内力组合%d:", c + 1);
                for (int k = 0; k < 6; ++k) Append(s, k ? " %8.3f" : "%8.3f", data[c][k]);
            }
    }
    AppendShellStresses(s, r, id);
    AppendNodeStresses(s, r, id, 8, "\r\n平面单元应力:", &DResult::GetOneNodeAllCombPlaneStress);
    AppendNodeStresses(s, r, id, 7, "\r\n三维实体单元应力:", &DResult::GetOneNodeAllCombSol21Stress);
    return s;
}

std::string SpringInfoText(const CSpring& sp, DResult* results)
{
    static const char* const kModes[] = {"可受拉和压", "只能受拉", "只能受压"};
    static const char* const kKinds[] = {"直弹簧", "扭转弹簧"};
    std::string s;
    if (sp.IsGrounded())
        Append(s, "%d号接地弹簧,接在%d号节点上", int(sp.m_nID), int(sp.m_nNodeI));
    else
        Append(s, "%d号弹簧,连接%d和%d号节点", int(sp.m_nID), int(sp.m_nNodeI), int(sp.m_nNodeJ));
    const int mode = sp.m_cMode >= 0 && sp.m_cMode <= 2 ? sp.m_cMode : 0;
    Append(s, "\r\n%s的%s\r\n弹簧刚度=%.3f", kModes[mode], kKinds[sp.m_cKind ? 1 : 0], sp.m_dK);
    if (sp.IsGrounded()) Append(s, "\r\n弹簧方向为dx=%.3g dy=%.3g dz=%.3g", sp.m_dDir[0], sp.m_dDir[1], sp.m_dDir[2]);
    if (!results || !results->Good()) return s;
    MArrayID<DSpringForce> store(0, 16);
    if (!results->GetOneSpringAllCombForce(sp.m_nID, store) || store.GetSize() < 1) return s;
    const char* what = sp.m_cKind ? "扭矩" : "轴力";
    double largest = 0;
    for (int c = 0; c < store.GetSize(); ++c) largest = std::max(largest, std::fabs(store.GetAt(c)->force));
    Append(s, "\r\n%s最大值：%8.4f", what, largest);
    const bool stages = results->m_nConstr > 0;
    for (int c = 0; c < store.GetSize(); ++c) {
        if (stages) Append(s, "\r\n第%d步施工模拟", c + 1);
        Append(s, "\r\n组合%d的%s：%8.4f", c + 1, what, store.GetAt(c)->force);
    }
    return s;
}

namespace {
DResult* OpenResults()
{
    return theInfoHooks.results ? theInfoHooks.results() : nullptr;
}
void Show(const char* title, const std::string& text)
{
    if (theInfoHooks.showText) theInfoHooks.showText(title, text.c_str());
}
}  // namespace

int ShowNodeInfo()
{
    CNode* n = nullptr;
    for (int i = 0; i < theNodes.GetSize() && !n; ++i)
        if (theNodes.GetAt(i)->IsSelected()) n = theNodes.GetAt(i);
    if (!n) return 0;
    CDrawSession session;
    n->m_nFlags &= ~kObjSelected;
    nNodeInfoCurrent = n->m_nID;
    Show("节点信息", NodeInfoText(*n, OpenResults()));
    if (nNodeInfoMode != 2 && !theNodeDisplacements.empty()) {
        bool any = false;
        for (const CNodeDisplacement& d : theNodeDisplacements) {
            if (d.m_nNode != n->m_nID) continue;
            theCurrentDisplacement = d;
            any = true;
        }
        if (any && theInfoHooks.openDisplacementPanel) theInfoHooks.openDisplacementPanel();
    }
    n->Draw();
    return 1;
}

int ShowSpringInfo()
{
    CSpring* sp = nullptr;
    for (int i = 0; i < theSprings.GetSize() && !sp; ++i)
        if (theSprings.GetAt(i)->IsSelected()) sp = theSprings.GetAt(i);
    if (!sp) return 0;
    CDrawSession session;
    sp->m_nFlags &= ~kObjSelected;
    Show("弹簧单元信息", SpringInfoText(*sp, OpenResults()));
    sp->Draw();
    return 1;
}

std::string DistanceText(const double a[3], const double b[3])
{
    std::string s;
    Append(s, "距离=%.6g\r\nX坐标差值=%.6g\r\nY坐标差值=%.6g\r\nZ坐标差值=%.6g", GFunc::GetDistance(a, b), b[0] - a[0],
           b[1] - a[1], b[2] - a[2]);
    return s;
}

void ShowDistance(const double a[3], const double b[3])
{
    Show("两点间距与坐标差", DistanceText(a, b));
}
