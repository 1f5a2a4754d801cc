#include "vek/analysis/NodeDataBlocks.h"

#include <cmath>
#include <array>
#include <deque>

#include "korvalib/base/DataFile.h"
#include "vek/analysis/FamilyDataFile.h"
#include "korvalib/model/NodeRecords.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/elements/line/nodes/NodeDisplacement.h"
#include "vek/elements/line/nodes/NodePools.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ModelFamily.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/analysis/AnalysisParameters.h"
#include "vek/model/document/ModelCheck.h"
#include "vek/model/KvdDataSet.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/model/storeys/StoreyLists.h"

CShellFreedoms theShellFreedoms;

namespace {

void NodeLine(DKorvaDataFile& file, const CNode& n)
{
    file << int(n.m_nID) << "C=" << n.m_dCoord[0] << n.m_dCoord[1] << n.m_dCoord[2] << wrap;
}

// Runs of consecutive nodes with an equal key; key 0 (or below) writes nothing.
template <class Key, class Write>
void WriteRuns(Key key, Write write)
{
    const int n = theNodes.GetSize();
    int i = 0;
    while (i < n) {
        const auto k = key(*theNodes.GetAt(i));
        int j = i;
        while (j + 1 < n && key(*theNodes.GetAt(j + 1)) == k) ++j;
        write(theNodes.GetAt(i)->m_nID, theNodes.GetAt(j)->m_nID, k);
        i = j + 1;
    }
}

void WriteSixBits(DKorvaDataFile& file, int bits)
{
    for (int d = 0; d < 6; ++d) file << ((bits >> d & 1) ? 1 : 0);
}

}  // namespace

void WriteJointBlock(DKorvaDataFile& file, const std::vector<CRegionMaster>& masters)
{
    ModelHooks().ShowPrompt("正在生成节点坐标信息...");
    file.SetPrecision(10);
    file << "\nJOINT\n";
    const int n = theNodes.GetSize();
    if (theLevels.count <= 0 || theProjectOptions.nSortOrder == 8 || theStoreyLists.GetSize() == 0) {
        for (int i = 0; i < n; ++i) NodeLine(file, *theNodes.GetAt(i));
    } else {
        const int last = theNodes.GetLastID();
        std::vector<char> written(size_t(last) + 1, 'n');
        for (int s = 0; s <= theLevels.count; ++s) {
            StoreyElementLists* lists = theStoreyLists.Get(s);
            if (!lists || lists->nodes.GetSize() == 0) continue;
            file.InsertBlkAfterNumber(false);
            file << "C 第" << s << "层上的所有节点\n";
            file.InsertBlkAfterNumber(true);
            for (int k = 0; k < lists->nodes.GetSize(); ++k) {
                const int id = *lists->nodes.GetAt(k);
                CNode* node = id >= 1 && id <= last ? FindNode(id) : nullptr;
                if (!node || written[size_t(id)] == 'y') continue;
                NodeLine(file, *node);
                written[size_t(id)] = 'y';
            }
        }
        // Solid nodes off every storey: the solid family's seam (no solids yet).
        bool comment = false;
        for (int i = 0; i < n; ++i) {
            const CNode& node = *theNodes.GetAt(i);
            if (written[size_t(node.m_nID)] == 'y') continue;
            if (!comment) file << "C 任何楼层的节点\n";
            comment = true;
            NodeLine(file, node);
        }
    }
    for (size_t k = 0; k < masters.size(); ++k) {
        if (k == 0) file << "C 刚性楼板假定生成的主节点\n";
        const double* p = masters[k].xyz;
        file << n + int(k) + 1 << "C=" << p[0] << p[1] << p[2] << wrap;
    }
    file << wrap;
    file.SetPrecision(4);
}

namespace {

// The freedoms shells leave open at nodes used by shells alone get a master
// through the mesh; nodes no search reaches are restrained in them.
void WriteConstraintBlock(DKorvaDataFile& file)
{
    if (!theShellFreedoms.count || !theShellFreedoms.shell || theNodes.GetSize() == 0) return;
    const int shells = theShellFreedoms.count();
    if (shells <= 0) return;
    const int last = theNodes.GetLastID();
    // Elements other than shells at each node.
    std::vector<int> others = CountNodeUses(false);
    others.resize(size_t(last) + 1, 0);
    std::vector<int> shellUses(size_t(last) + 1, 0), provided(size_t(last) + 1, 0);
    std::vector<std::vector<int>> next(size_t(last) + 1);
    static const int kProvides[3] = {63, 35, 28};
    for (int s = 0; s < shells; ++s) {
        int nodes[4] = {0, 0, 0, 0};
        const int kind = theShellFreedoms.shell(s, nodes);
        for (int a = 0; a < 4; ++a) {
            const int id = nodes[a];
            if (id < 1 || id > last) continue;
            ++shellUses[size_t(id)];
            provided[size_t(id)] |= kProvides[kind >= 0 && kind <= 2 ? kind : 0];
            for (int b = 0; b < 4; ++b)
                if (b != a && nodes[b] >= 1 && nodes[b] <= last) next[size_t(id)].push_back(nodes[b]);
        }
    }
    // 0 not a shell-only node, 1 open, 2 complete.
    std::vector<char> state(size_t(last) + 1, 0);
    std::vector<int> master(size_t(last) + 1, 0);
    std::deque<int> queue;
    for (int id = 1; id <= last; ++id) {
        if (shellUses[size_t(id)] == 0 || others[size_t(id)] > 0) {
            if (shellUses[size_t(id)] > 0) {
                state[size_t(id)] = 2;  // tied to other elements: complete
                queue.push_back(id);
            }
            continue;
        }
        state[size_t(id)] = (63 & ~provided[size_t(id)]) ? 1 : 2;
        if (state[size_t(id)] == 2) queue.push_back(id);
    }
    bool any = false;
    while (!queue.empty()) {
        const int id = queue.front();
        queue.pop_front();
        for (int m : next[size_t(id)]) {
            if (state[size_t(m)] != 1) continue;
            state[size_t(m)] = 2;
            master[size_t(m)] = master[size_t(id)] ? master[size_t(id)] : id;
            any = true;
            queue.push_back(m);
        }
    }
    for (int id = 1; id <= last; ++id)
        if (state[size_t(id)] == 1)
            if (CNode* n = FindNode(id)) n->m_cRestraint |= uint8_t(63 & ~provided[size_t(id)]);
    if (!any) return;
    file << "\nCONSTRAINT\n";
    for (int id = 1; id <= last; ++id) {
        if (!master[size_t(id)]) continue;
        const int missing = 63 & ~provided[size_t(id)];
        file << id << "C=";
        for (int d = 0; d < 6; ++d) file << ((missing >> d & 1) ? master[size_t(id)] : 0);
        file << wrap;
    }
}

}  // namespace

void WriteRestraintBlock(DKorvaDataFile& file, int extra)
{
    ModelHooks().ShowPrompt("正在生成约束信息...");
    const int n = theNodes.GetSize();
    if (n == 0) return;
    WriteConstraintBlock(file);
    file << "\nRESTRAINT\n";
    if (extra > 0) {
        file << "C 刚性楼板假定形成的主节点\n";
        file << n + 1 << n + extra << "R=0 0 1 1 1 0\n";
    }
    if (theLevels.count > 0 && theProjectOptions.bFixLevel0Nodes)
        if (StoreyElementLists* base = theStoreyLists.Get(0))
            for (int k = 0; k < base->nodes.GetSize(); ++k)
                if (CNode* node = FindNode(*base->nodes.GetAt(k)))
                    if (node->m_bOnStorey) node->m_cRestraint = 63;
    file << "C 其它节点的约束\n";
    WriteRuns([](const CNode& node) { return int(node.m_cRestraint & 63); },
              [&](int first, int lastId, int bits) {
                  if (!bits) return;
                  if (first == lastId)
                      file << first;
                  else
                      file << first << lastId << 1;
                  file << "R=";
                  WriteSixBits(file, bits);
                  file << wrap;
              });
}

void WriteDisplacementBlock(DKorvaDataFile& file, CKvdDataSet* set)
{
    if (theNodeDisplacements.empty()) return;
    file << "\nDISPLACEMENT\n";
    for (const CNodeDisplacement& d : theNodeDisplacements) {
        file << int(d.m_nNode) << "DIR1=" << d.m_fDir[0] << d.m_fDir[1] << d.m_fDir[2] << "T=" << int(d.m_nKind)
             << (d.m_nKind ? "U=" : "R=");
        for (double v : d.m_values) file << v;
        file << wrap;
        if (set) {
            DNodeDisplacement r;
            r.m_nNode = d.m_nNode;
            r.m_nCode = d.m_nKind;
            for (int k = 0; k < 3; ++k) r.m_fDir[k] = d.m_fDir[k];
            for (size_t c = 0; c < d.m_values.size(); ++c) r.m_Factors.Insert(int16_t(c + 1), float(d.m_values[c]), 1);
            if (d.m_values.empty()) r.m_Factors.Insert(1, 0.0f, 1);
            set->displacements.push_back(r);
        }
    }
}

int WriteMassBlock(DKorvaDataFile& file, const std::vector<CRegionMaster>& masters, std::vector<int>& massNumbers,
                   CKvdDataSet* set)
{
    const int n = theNodes.GetSize();
    const int total = n + int(masters.size());
    massNumbers.assign(size_t(total), 0);
    if (!theEigenPara.on) return 1;
    const double g = theProjectOptions.fGravity;
    if (!(g > 0)) {
        AppMessageBox("重力加速度g不大于0，无法把荷载转换成质量！", MB_OK | MB_ICONSTOP);
        return 0;
    }
    file << "\nMASS\n";
    // Four sums per node number: X, Y, Z mass and the rotational mass about Z.
    std::vector<std::array<double, 4>> sums(size_t(total) + 1, std::array<double, 4>{0, 0, 0, 0});
    if (CRegionDataFamily* regions = RegionDataFamily()) regions->AddMasses(sums);
    auto factorOf = [](int lc) {
        LoadFactorList& list = theEigenPara.massFactors;
        for (int i = 0; i < list.GetSize(); ++i)
            if (list.GetAt(i)->loadCase == lc) return double(list.GetAt(i)->factor);
        return 0.0;
    };
    // A load's mass: its magnitude, or with gravity loads only its downward part.
    auto massOf = [g](const double v[3], double f) {
        if (theEigenPara.onlyMinusZ) return v[2] < -0.0001 ? -v[2] * f / g : 0.0;
        return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]) * f / g;
    };
    // The node's master within the nodes written, its plan offset from the
    // node; 0 when it follows none.
    auto masterOf = [&](const CNode& node, double& dx, double& dy) {
        const int m = node.m_nMaster;
        const double* at = nullptr;
        if (m > n && m <= total)
            at = masters[size_t(m - n - 1)].xyz;
        else if (m >= 1 && m <= n)
            if (const CNode* master = FindNode(m)) at = master->m_dCoord;
        if (!at) return 0;
        dx = at[0] - node.m_dCoord[0];
        dy = at[1] - node.m_dCoord[1];
        return m;
    };
    // The mass of a floor's node moves sideways with its master; its weight
    // stays on the node, as the regions' own masses do (the master's Z is
    // not a freedom of the solver).
    auto addMass = [&](const CNode* node, double m) {
        if (!node || node->m_nID < 1 || node->m_nID > n) return;
        std::array<double, 4>& own = sums[size_t(node->m_nID)];
        double dx = 0, dy = 0;
        if (const int master = masterOf(*node, dx, dy)) {
            std::array<double, 4>& to = sums[size_t(master)];
            to[0] += m;
            to[1] += m;
            to[3] += m * (dx * dx + dy * dy);
            own[2] += m;
            return;
        }
        for (int d = 0; d < 3; ++d) own[size_t(d)] += m;
    };
    for (int i = 0; i < n; ++i) {
        const CNode& node = *theNodes.GetAt(i);
        for (int k = 0; k < node.m_Loads.Entries(); ++k) {
            const double f = factorOf(node.m_Loads[k].nKey);
            const CSixDoubles* v = theNodeLoadPool.Get(node.m_Loads[k].nValue);
            if (f < 1e-5 || !v) continue;
            const double force[3] = {(*v)[0], (*v)[1], (*v)[2]};
            addMass(&node, massOf(force, f));
        }
    }
    // Beam loads go to the beams' end nodes (area loads: their families' seam).
    if (CFrameDataFamily* frames = FrameDataFamily()) {
        CFrameDataRow row;
        std::vector<CFrameEndLoad> loads;
        for (int pos = 0; pos < frames->Count(); ++pos) {
            frames->EndLoads(pos, loads);
            if (loads.empty()) continue;
            frames->Row(pos, row);
            for (const CFrameEndLoad& l : loads) {
                const double f = factorOf(l.loadCase);
                if (f < 1e-5) continue;
                addMass(FindNode(row.nodes[0]), massOf(l.atI, f));
                addMass(FindNode(row.nodes[1]), massOf(l.atJ, f));
            }
        }
    }
    // A floor's node hands its own sideways and rotational mass to its master.
    for (int i = 0; i < n; ++i) {
        const CNode& node = *theNodes.GetAt(i);
        const CSixDoubles* record = theNodeMassPool.Get(node.m_nMass);
        double dx = 0, dy = 0;
        const int master = record ? masterOf(node, dx, dy) : 0;
        if (!master) continue;
        std::array<double, 4>& to = sums[size_t(master)];
        to[0] += (*record)[0];
        to[1] += (*record)[1];
        to[3] += (*record)[5] + (*record)[1] * dx * dx + (*record)[0] * dy * dy;
    }
    int written = 0;
    for (int i = 0; i < n; ++i) {
        const CNode& node = *theNodes.GetAt(i);
        const int id = node.m_nID;
        if (id < 1 || id > n) continue;
        const std::array<double, 4>& s = sums[size_t(id)];
        const CSixDoubles* record = theNodeMassPool.Get(node.m_nMass);
        if (!record && s[0] + s[1] + s[2] + s[3] < 1e-5) continue;
        double m[6] = {0, 0, 0, 0, 0, 0};
        if (record)
            for (int d = 0; d < 6; ++d) m[d] = (*record)[d];
        double dx = 0, dy = 0;
        if (masterOf(node, dx, dy)) m[0] = m[1] = m[5] = 0;
        m[0] += s[0];
        m[1] += s[1];
        m[2] += s[2];
        m[5] += s[3];
        file << id << "M=";
        for (int d = 0; d < 6; ++d) file << (node.IsRestrained(d) ? 0.0 : m[d]);
        file << wrap;
        massNumbers[size_t(id - 1)] = ++written;
        if (set) set->masses.emplace_back(id, m);
    }
    for (int id = n + 1; id <= total; ++id) {
        const std::array<double, 4>& s = sums[size_t(id)];
        if (s[0] + s[1] + s[3] < 1e-5) continue;
        const double m[6] = {s[0], s[1], 0, 0, 0, s[3]};
        file << id << "M=";
        for (double v : m) file << v;
        file << wrap;
        massNumbers[size_t(id - 1)] = ++written;
        if (set) set->masses.emplace_back(id, m);
    }
    return 1;
}

void WriteTemperatureBlock(DKorvaDataFile& file)
{
    const int n = theNodes.GetSize();
    bool first = true;
    int i = 0;
    while (i < n) {
        const CNode& a = *theNodes.GetAt(i);
        if (std::fabs(a.m_dTemperature) <= 1e-5) {
            ++i;
            continue;
        }
        int j = i;
        while (j + 1 < n && std::fabs(theNodes.GetAt(j + 1)->m_dTemperature - a.m_dTemperature) <= 1e-5) ++j;
        if (first) file << "\nTEMPERATURE\n";
        first = false;
        file << int(a.m_nID) << int(theNodes.GetAt(j)->m_nID) << 1 << "T=" << a.m_dTemperature << wrap;
        i = j + 1;
    }
}

void WriteMasterBlock(DKorvaDataFile& file)
{
    file << "\nMASTER\n";
    WriteRuns([](const CNode& node) { return int(node.m_nMaster); },
              [&](int first, int last, int master) {
                  if (master > 0) file << first << last << "M=" << master << wrap;
              });
}

void WriteTowerBlock(DKorvaDataFile& file)
{
    file << "\nTOWER\n";
    // A tower below 1 is written as 1; the model keeps its own value.
    WriteRuns([](const CNode& node) { return node.m_nTower < 1 ? 1 : int(node.m_nTower); },
              [&](int first, int last, int tower) { file << first << last << "T=" << tower << wrap; });
}

void WriteNdlevelBlock(DKorvaDataFile& file, const std::vector<CRegionMaster>& masters)
{
    if (theLevels.count <= 0) return;
    file << "\nNDLEVEL\n";
    if (theProjectOptions.bPlaneModel) {
        file << 1 << theNodes.GetSize() << "L=-1\n\n";
        return;
    }
    WriteRuns([](const CNode& node) { return int(node.m_nStorey); },
              [&](int first, int last, int storey) { file << first << last << "L=" << storey << wrap; });
    const int n = theNodes.GetSize();
    for (size_t k = 0; k < masters.size(); ++k) {
        if (k == 0) file << "C ------------- Level of master nodes ----------------\n";
        file << n + int(k) + 1 << "L=" << masters[k].storey << wrap;
    }
    file << wrap;
}

int AssignNodeDisplacements()
{
    const CNodeDisplacement& cur = theCurrentDisplacement;
    const bool noDirection =
        !bDisplacementDirectionFree && cur.m_fDir[0] == 0 && cur.m_fDir[1] == 0 && cur.m_fDir[2] == 0;
    if (cur.m_values.empty() || noDirection) {
        AppMessageBox("指定节点位移的数据不全，可能没有输入位移或者没有输入方向！", MB_OK | MB_ICONSTOP);
        return 0;
    }
    int changed = 0;
    for (int i = 0; i < theNodes.GetSize(); ++i) {
        CNode& node = *theNodes.GetAt(i);
        if (!(node.IsSelected())) continue;
        node.m_nFlags &= ~kObjSelected;
        CNodeDisplacement d = cur;
        d.m_nNode = node.m_nID;
        bool replaced = false;
        for (CNodeDisplacement& e : theNodeDisplacements)
            if (e.m_nNode == node.m_nID) {
                e = d;
                replaced = true;
                break;
            }
        if (!replaced) theNodeDisplacements.push_back(d);
        ModelFamily(EFamily::Nodes).Redraw(i);
        ++changed;
    }
    if (changed) SetDocumentModified();
    return changed;
}
