#include "vek/elements/line/nodes/NodeMerge.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <new>
#include <numeric>
#include <vector>

#include "vek/edit/Undo.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/elements/line/nodes/NodeDisplacement.h"
#include "vek/elements/line/nodes/NodeElementIndex.h"
#include "vek/elements/line/nodes/NodeIndex.h"
#include "vek/elements/line/nodes/NodePools.h"
#include "vek/elements/line/nodes/NodeUndo.h"
#include "vek/elements/line/springs/Spring.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ModelFamily.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/display/DisplayOptions.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/model/storeys/StoreyLists.h"
#include "vek/view/draw/DrawLayer.h"

int (*theCombNodeConfirm)(const char* text) = nullptr;

namespace {

constexpr int kOutOfMemory = 102;  // "内存不够, 无法继续!"

struct KindFamily {
    EFamily family;
    int maxNodes;
};
// The element families whose node references are converted.
constexpr KindFamily kElementFamilies[] = {{EFamily::Frames, 2},  {EFamily::Shells, 4}, {EFamily::Walls, 4},
                                           {EFamily::Solids, 21}, {EFamily::Planes, 9}, {EFamily::Trusses, 2},
                                           {EFamily::Cframes, 2}, {EFamily::Pipes, 2}};

int CombineIndex(CSixDoublesPool& pool, int a, int b, bool masses)
{
    if (b < 1 || !pool.Get(b)) return a;
    if (a < 1 || !pool.Get(a)) return b;
    CSixDoubles sum = *pool.Get(a);
    sum.Add(*pool.Get(b));
    return masses ? FindOrAddNodeMass(sum) : FindOrAddNodeLoad(sum);
}

// The merged node's attributes go to its survivor: loads and masses are
// summed, one temperature kept, restraints joined.
void TakeOver(CNode& survivor, const CNode& merged)
{
    survivor.m_nElements = uint16_t(std::min(int(survivor.m_nElements) + merged.m_nElements, 65535));
    if (survivor.m_dTemperature == 0) survivor.m_dTemperature = merged.m_dTemperature;
    survivor.m_cRestraint |= merged.m_cRestraint;
    if (merged.m_nMass != 0) survivor.m_nMass = CombineIndex(theNodeMassPool, survivor.m_nMass, merged.m_nMass, true);
    if (survivor.m_nID > merged.m_nID) {
        survivor.m_nLayer = merged.m_nLayer;
        survivor.m_nTower = merged.m_nTower;
    }
    for (int k = 0; k < merged.m_Loads.Entries(); ++k) {
        const DElementLoadItem& e = merged.m_Loads[k];
        if (e.nKey < 1 || e.nValue < 1) continue;
        const int at = survivor.m_Loads.Index(e.nKey);
        const int mine = at >= 0 ? survivor.m_Loads[at].nValue : 0;
        survivor.m_Loads.Insert(e.nKey, CombineIndex(theNodeLoadPool, mine, e.nValue, false));
    }
}

// Refills the store from the scratch list, renumbered through table, and
// converts every reference. False (store unchanged) when memory is short.
bool Renumber(std::vector<CNode>& scratch, std::vector<int>& table, int maxID)
{
    theNodes.RemoveAll();
    theNodeIndex.Clear();
    if (!theNodes.SetSize(int(scratch.size()))) return false;
    for (CNode& n : scratch) StoreNode(n);
    theNodeIndex.Invalidate();
    ConvertNodeNumbers(table.data(), maxID);
    // Fewer numbers now: the node display range ends at the last one.
    CDisplayRange::Range& r = theDisplayRange.ranges[0];
    r.to = std::min(r.to, theNodes.GetLastID());
    theUndo.Clear();
    SetDocumentModified(1);
    return true;
}

// A copy of the whole store in store order; false when memory is short.
bool CopyStore(std::vector<CNode>& out)
{
    try {
        out.reserve(size_t(theNodes.GetSize()));
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (int i = 0; i < theNodes.GetSize(); ++i) out.push_back(*theNodes.GetAt(i));
    return true;
}

}  // namespace

int MergeCoincidentNodes(const int* list, int count, int checkConnectivity)
{
    if (theNodes.GetSize() < 1) return 0;
    CNodeElementIndex index;
    index.Build();
    if (checkConnectivity) SelectDisconnectedPart();
    const int maxID = theNodes.GetLastID();
    std::vector<uint8_t> candidate;
    if (count >= 1) {
        candidate.assign(size_t(maxID) + 1, 0);
        for (int i = 0; i < count; ++i)
            if (list[i] >= 1 && list[i] <= maxID) candidate[size_t(list[i])] = 1;
    }
    auto isCandidate = [&](int id) { return candidate.empty() || candidate[size_t(id)]; };
    ModelHooks().ShowPrompt("正在合并节点...");

    // table[id - 1]: -survivor for a merged node.
    std::vector<int> table(size_t(maxID), 0);
    int merged = 0;
    int answerAll = 0;  // 1 no to every pair, 3 yes to every pair
    for (int pos = 0; pos < theNodes.GetSize(); ++pos) {
        const CNode* a = theNodes.GetAt(pos);
        const int ida = a->m_nID;
        if (table[size_t(ida - 1)] < 0 || !isCandidate(ida)) continue;
        std::vector<int> nearby;
        theNodeIndex.ForEachNear(a->m_dCoord, [&](int b) {
            if (b > ida && table[size_t(b - 1)] >= 0 && isCandidate(b)) nearby.push_back(b);
        });
        std::sort(nearby.begin(), nearby.end());
        for (int b : nearby) {
            CNodeElementIndex::ElementID e{};
            if (index.FindSharedElement(ida, b, e)) {
                int answer = answerAll;
                if (!answer) {
                    char text[400];
                    std::snprintf(text, sizeof text,
                                  "节点%d和%d同处在%d%s上，强行合并将导致单元长度为0或单元形状不符合要求。"
                                  "如果要强行合并, 合并之后最好删除它！ 是否强行合并？",
                                  ida, b, int(e.id), CNodeElementIndex::KindWord(e.kind));
                    answer = theCombNodeConfirm ? theCombNodeConfirm(text) : 2;
                    if (answer == 1 || answer == 3) answerAll = answer;
                }
                if (answer == 1 || answer == 2) continue;
            }
            table[size_t(b - 1)] = -ida;
            ++merged;
        }
    }

    if (merged > 0) {
        std::vector<CNode> scratch;
        if (!CopyStore(scratch)) {
            AppMessageBoxID(kOutOfMemory);
            return 0;
        }
        CDrawSession session;
        // Survivors numbered 1..k in store order.
        std::vector<size_t> at(size_t(maxID) + 1, 0);
        std::vector<CNode> kept;
        kept.reserve(scratch.size() - size_t(merged));
        for (CNode& n : scratch) {
            if (table[size_t(n.m_nID - 1)] < 0) continue;
            table[size_t(n.m_nID - 1)] = int(kept.size()) + 1;
            at[size_t(n.m_nID)] = kept.size();
            kept.push_back(n);
        }
        std::vector<uint8_t> flags(size_t(maxID), 0);
        for (CNode& n : scratch) {
            int& entry = table[size_t(n.m_nID - 1)];
            if (entry >= 0) continue;
            const int survivor = -entry;
            CNode* live = FindNode(n.m_nID);
            if (live) ErasePicture(*live, [](CNode& x) { x.Draw(); });
            entry = table[size_t(survivor - 1)];
            CNode& s = kept[at[size_t(survivor)]];
            s.m_nID = entry;  // the survivor's new number decides the layer rule
            TakeOver(s, n);
            flags[size_t(n.m_nID - 1)] = 1;
        }
        for (size_t i = 0; i < kept.size(); ++i) kept[i].m_nID = int(i) + 1;
        RemoveNodeReferences(flags.data(), maxID, 1);
        if (!Renumber(kept, table, maxID)) AppMessageBoxID(kOutOfMemory);
    }
    ModelHooks().ShowPrompt("节点合并完成.");
    return merged;
}

int MergeSelectedNodes()
{
    std::vector<int> ids;
    {
        CDrawSession session;
        for (int i = 0; i < theNodes.GetSize(); ++i) {
            CNode* n = theNodes.GetAt(i);
            if (!n->IsSelected()) continue;
            n->m_nFlags &= ~kObjSelected;
            n->Draw();
            ids.push_back(n->m_nID);
        }
    }
    const int merged = ids.empty() ? 0 : MergeCoincidentNodes(ids.data(), int(ids.size()), 0);
    ModelHooks().ShowPrompt("");
    theUndo.Clear();
    SetDocumentModified(1);
    return merged;
}

namespace {

// The rank of each value among the values of one axis, equal for values
// that chain within the tolerance.
std::vector<int> AxisRanks(const std::vector<double>& v, double tol)
{
    std::vector<size_t> order(v.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return v[a] < v[b]; });
    std::vector<int> rank(v.size(), 0);
    int r = 0;
    for (size_t i = 0; i < order.size(); ++i) {
        if (i > 0 && v[order[i]] - v[order[i - 1]] > tol) ++r;
        rank[order[i]] = r;
    }
    return rank;
}

}  // namespace

int SortNodes()
{
    const int n = theNodes.GetSize();
    if (n < 1) return 0;
    const int mode = theProjectOptions.nSortOrder;
    const bool byLayer = mode == 8 || theLevels.count < 1;
    ModelHooks().ShowPrompt("正在排序节点...");
    std::vector<int> ids(static_cast<size_t>(n)), group(static_cast<size_t>(n));
    std::vector<double> axis[3];
    for (auto& a : axis) a.resize(size_t(n));
    for (int i = 0; i < n; ++i) {
        const CNode* node = theNodes.GetAt(i);
        ids[size_t(i)] = node->m_nID;
        group[size_t(i)] = byLayer ? node->m_nLayer : node->m_nStorey;
        for (int k = 0; k < 3; ++k) axis[k][size_t(i)] = node->m_dCoord[k];
    }
    // Axis orders of modes 1..6 (other modes: y, z, x).
    static const int kOrders[7][3] = {{1, 2, 0}, {2, 0, 1}, {2, 1, 0}, {0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}};
    const double tol = theProjectOptions.dHorzNodeSpacing;
    std::vector<int> ranks[3];
    for (int k = 0; k < 3; ++k) ranks[k] = AxisRanks(axis[k], tol);
    const int* order = kOrders[mode >= 1 && mode <= 6 ? mode : 0];
    std::vector<size_t> sorted(static_cast<size_t>(n));
    std::iota(sorted.begin(), sorted.end(), size_t(0));
    auto groupKey = [&](size_t i) {
        const int g = group[i];
        return mode == 20 ? std::pair<int, int>(0, g) : std::pair<int, int>(g < 0 ? 1 : 0, g);
    };
    std::stable_sort(sorted.begin(), sorted.end(), [&](size_t a, size_t b) {
        if (mode == 20 || mode == 7 || mode == 8) {
            if (groupKey(a) != groupKey(b)) return groupKey(a) < groupKey(b);
            return ids[a] < ids[b];
        }
        for (int k = 0; k < 3; ++k) {
            const int ra = ranks[order[k]][a], rb = ranks[order[k]][b];
            if (ra != rb) return ra < rb;
        }
        return ids[a] < ids[b];
    });
    bool inOrder = true;
    for (int i = 1; i < n && inOrder; ++i) inOrder = ids[sorted[size_t(i)]] > ids[sorted[size_t(i - 1)]];
    if (!inOrder) {
        std::vector<CNode> scratch;
        if (!CopyStore(scratch)) {
            AppMessageBoxID(kOutOfMemory);
            return 0;
        }
        const int maxID = theNodes.GetLastID();
        std::vector<int> table(size_t(maxID), 0);
        std::vector<CNode> renumbered;
        renumbered.reserve(size_t(n));
        for (int p = 0; p < n; ++p) {
            const size_t i = sorted[size_t(p)];
            table[size_t(ids[i] - 1)] = p + 1;
            renumbered.push_back(scratch[i]);
            renumbered.back().m_nID = p + 1;
        }
        if (!Renumber(renumbered, table, maxID)) AppMessageBoxID(kOutOfMemory);
    }
    ModelHooks().ShowPrompt("节点排序完成.");
    return inOrder ? 0 : 1;
}

void ConvertNodeNumbers(const int* table, int maxID)
{
    ModelHooks().ShowPrompt("正在转换原有的节点号索引...");
    auto map = [&](int id) { return id >= 1 && id <= maxID ? table[id - 1] : 0; };
    for (int s = 0; s < theStoreyLists.GetSize(); ++s) {
        MLArray<int>& list = theStoreyLists.Get(s)->nodes;
        for (int i = 0; i < list.GetSize(); ++i) {
            int* id = list.GetAt(i);
            *id = map(*id);
        }
    }
    bool bad = false;
    for (const KindFamily& k : kElementFamilies) {
        CModelFamily& f = ModelFamily(k.family);
        for (int pos : Positions(f)) {
            int nodes[21];
            const int count = std::min(f.GetNodes(pos, nodes, k.maxNodes), k.maxNodes);
            for (int i = 0; i < count; ++i) {
                const int old = nodes[i];
                if (old <= 0) continue;  // an empty slot
                const int now = old >= 1 && old <= maxID ? table[old - 1] : 0;
                if (now <= 0) bad = true;
                if (now != old) f.SetNode(pos, i, std::max(now, 0));
            }
        }
    }
    if (bad) AppMessageBox("部分单元引用的节点不存在，这些节点号已被置为0！");
    for (CNodeDisplacement& d : theNodeDisplacements)
        if (d.m_nNode >= 1 && d.m_nNode <= maxID) d.m_nNode = table[d.m_nNode - 1];
    if (theNodeReferenceHooks.renumberHistoryLoads) theNodeReferenceHooks.renumberHistoryLoads(table, maxID);
    if (theNodeReferenceHooks.renumberJoints) theNodeReferenceHooks.renumberJoints(table, maxID);
    for (int i = theSprings.GetSize() - 1; i >= 0; --i) {
        CSpring* s = theSprings.GetAt(i);
        const int ni = map(s->m_nNodeI);
        const int nj = s->m_nNodeJ != 0 ? map(s->m_nNodeJ) : 0;
        if (ni <= 0 || (s->m_nNodeJ != 0 && nj <= 0)) {
            theSprings.RemoveByID(s->m_nID);
            continue;
        }
        s->m_nNodeI = ni;
        s->m_nNodeJ = nj;
    }
    nNodeInfoCurrent = nNodeInfoCurrent > maxID ? 0 : map(nNodeInfoCurrent);
}

int SelectDisconnectedPart()
{
    const int n = theNodes.GetSize();
    if (n < 1) return 1;
    CNodeElementIndex index;
    index.Build();
    const int maxID = theNodes.GetLastID();
    std::vector<uint8_t> reached(size_t(maxID) + 1, 0);
    int start = 0;
    for (int i = 0; i < n && !start; ++i)
        if (theNodes.GetAt(i)->m_nElements > 0) start = theNodes.GetAt(i)->m_nID;
    if (!start) return 1;
    std::vector<int> queue{start}, around;
    reached[size_t(start)] = 1;
    for (size_t q = 0; q < queue.size(); ++q) {
        index.GetNeighbourNodes(queue[q], around);
        for (int b : around)
            if (b <= maxID && !reached[size_t(b)] && theNodes.IsValidID(b)) {
                reached[size_t(b)] = 1;
                queue.push_back(b);
            }
    }
    int unreachedUsed = 0;
    for (int i = 0; i < n; ++i) {
        const CNode* node = theNodes.GetAt(i);
        if (node->m_nElements > 0 && !reached[size_t(node->m_nID)]) ++unreachedUsed;
    }
    if (!unreachedUsed) return 1;
    AppMessageBox(
        "输入的模型存在两个或两个以上相互之间没有任何联系的独立的结构，这很可能造成结构不稳定的错误！"
        "程序将把其中一个独立结构所包含的所有节点设置成选中状态。");
    const bool selectUnreached = unreachedUsed <= n / 2;
    CDrawSession session;
    for (int i = 0; i < n; ++i) {
        CNode* node = theNodes.GetAt(i);
        if ((reached[size_t(node->m_nID)] != 0) != selectUnreached) {
            node->m_nFlags |= kObjSelected;
            node->Draw();
        }
    }
    return 0;
}

int DeleteFreeNodes()
{
    std::vector<uint8_t> flags;
    int removed = 0;
    CDrawSession session;
    for (int i = theNodes.GetSize() - 1; i >= 0; --i) {
        CNode* n = theNodes.GetAt(i);
        if (n->m_nFlags & kObjLive) continue;
        n->m_nFlags |= kObjLive;
        if (n->m_nElements != 0) continue;
        const int id = n->m_nID;
        if (theUndo.IsRecording()) theUndo.AddRecord(new CUndoAddNode(*n, true));
        if (flags.size() < size_t(id)) flags.resize(size_t(theNodes.GetLastID()), 0);
        flags[size_t(id - 1)] = 1;
        ErasePicture(*n, [](CNode& x) { x.Draw(); });
        UnstoreNode(id);
        ++removed;
    }
    if (!removed) return 0;
    RemoveNodeReferences(flags.data(), int(flags.size()), 0);
    CDisplayRange::Range& r = theDisplayRange.ranges[0];
    if (r.to > theNodes.GetLastID()) r.to = theNodes.GetLastID();
    ModelHooks().InvalidateModel();
    return removed;
}

int AskDeleteFreeNodes()
{
    bool any = false;
    for (int i = 0; i < theNodes.GetSize() && !any; ++i) any = theNodes.GetAt(i)->m_nElements == 0;
    if (!any) return 1;
    if (AppMessageBox("存在没有与任何单元相连的虚节点,是否需删除它们?", MB_YESNO) != IDYES) return 0;
    for (int i = 0; i < theNodes.GetSize(); ++i) {
        CNode* n = theNodes.GetAt(i);
        if (n->m_nElements == 0) n->m_nFlags &= ~kObjLive;
    }
    const bool own = !theUndo.IsRecording();
    if (own) theUndo.BeginRecord();
    DeleteFreeNodes();
    if (own) {
        theUndo.EndRecord();
        SetDocumentModified(1);
    }
    return 0;
}

int DeleteOrphanNodes()
{
    {
        CDrawSession session;
        for (int i = 0; i < theNodes.GetSize(); ++i) {
            CNode* n = theNodes.GetAt(i);
            if (!n->IsSelected()) continue;
            n->m_nFlags &= ~kObjSelected;
            n->Draw();
            if (n->m_nElements == 0) n->m_nFlags &= ~kObjLive;
        }
    }
    return DeleteFreeNodes();
}
