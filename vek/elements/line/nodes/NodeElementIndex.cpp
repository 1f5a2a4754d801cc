#include "vek/elements/line/nodes/NodeElementIndex.h"

#include <algorithm>

#include "vek/elements/line/nodes/Node.h"
#include "vek/model/ModelFamily.h"

namespace {

struct KindFamily {
    int kind;
    EFamily family;
    int maxNodes;
};
constexpr KindFamily kKinds[] = {{1, EFamily::Frames, 2},   {5, EFamily::Shells, 4}, {6, EFamily::Walls, 4},
                                 {7, EFamily::Solids, 21},  {8, EFamily::Planes, 9}, {11, EFamily::Trusses, 2},
                                 {12, EFamily::Cframes, 2}, {13, EFamily::Pipes, 2}};

const KindFamily* FamilyOfKind(int kind)
{
    for (const KindFamily& k : kKinds)
        if (k.kind == kind) return &k;
    return nullptr;
}

const std::vector<CNodeElementIndex::ElementID> kNone;

}  // namespace

int CNodeElementIndex::NodesOf(int kind, int id, int out[21])
{
    const KindFamily* k = FamilyOfKind(kind);
    if (!k) return 0;
    CModelFamily& f = ModelFamily(k->family);
    const int pos = f.IndexOfID(id);
    if (pos < 0) return 0;
    const int n = std::min(f.GetNodes(pos, out, k->maxNodes), k->maxNodes);
    return std::max(n, 0);
}

const char* CNodeElementIndex::KindWord(int kind)
{
    switch (kind) {
        case 1: return "梁柱";
        case 5: return "板壳";
        case 6: return "墙";
        case 7: return "三维元";
        case 8: return "平面单元";
        case 11: return "桁架";
        case 12: return "曲梁";
        case 13: return "管道";
        default: return "单元";
    }
}

void CNodeElementIndex::Add(int kind, int id)
{
    int nodes[21];
    const int n = NodesOf(kind, id, nodes);
    for (int i = 0; i < n; ++i) {
        const int node = nodes[i];
        if (node < 1 || node > CNodeStore::kMaxID) continue;
        if (size_t(node) >= m_lists.size()) m_lists.resize(size_t(node) + 1);
        std::vector<ElementID>& list = m_lists[size_t(node)];
        // A node used twice by one element is listed once.
        bool listed = false;
        for (const ElementID& e : list) listed = listed || (e.kind == kind && e.id == id);
        if (!listed) list.push_back({uint8_t(kind), id});
    }
}

void CNodeElementIndex::Build()
{
    m_lists.assign(size_t(theNodes.GetLastID()) + 1, {});
    for (const KindFamily& k : kKinds) {
        CModelFamily& f = ModelFamily(k.family);
        for (int pos : Positions(f)) Add(k.kind, f.GetID(pos));
    }
    m_built = true;
}

void CNodeElementIndex::AddFrame(int frame)
{
    if (!m_built) Build();
    Add(1, frame);
}

void CNodeElementIndex::AddShell(int shell)
{
    if (!m_built) Build();
    Add(5, shell);
}

const std::vector<CNodeElementIndex::ElementID>& CNodeElementIndex::ElementsAt(int node) const
{
    return node >= 1 && size_t(node) < m_lists.size() ? m_lists[size_t(node)] : kNone;
}

CNodeElementIndex::ElementID CNodeElementIndex::FindElementOnEdge(int i, int j) const
{
    for (const ElementID& e : ElementsAt(i)) {
        if (e.kind != 1 && e.kind != 6) continue;
        int nodes[21];
        const int n = NodesOf(e.kind, e.id, nodes);
        if (e.kind == 1 && n >= 2 && (nodes[0] == j || nodes[1] == j)) return e;
        if (e.kind == 6 && n >= 4 && (nodes[2] == j || nodes[3] == j)) return e;
    }
    return {0, 0};
}

int CNodeElementIndex::FindSharedElement(int a, int b, ElementID& found) const
{
    for (const ElementID& e : ElementsAt(a)) {
        int nodes[21];
        const int n = NodesOf(e.kind, e.id, nodes);
        for (int k = 0; k < n; ++k) {
            if (nodes[k] == b) {
                found = e;
                return 1;
            }
        }
    }
    return 0;
}

void CNodeElementIndex::GetNeighbourNodes(int n, std::vector<int>& list) const
{
    list.clear();
    for (const ElementID& e : ElementsAt(n)) {
        int nodes[21];
        const int count = NodesOf(e.kind, e.id, nodes);
        for (int k = 0; k < count; ++k)
            if (nodes[k] >= 1 && nodes[k] != n) list.push_back(nodes[k]);
    }
}

void CNodeElementIndex::RemoveConnectedPart(int n, std::vector<int>* visited)
{
    std::vector<int> stack{n}, around;
    while (!stack.empty()) {
        const int at = stack.back();
        stack.pop_back();
        if (at < 1 || size_t(at) >= m_lists.size()) continue;
        GetNeighbourNodes(at, around);
        if (m_lists[size_t(at)].empty() && at != n) continue;
        m_lists[size_t(at)].clear();
        if (visited) visited->push_back(at);
        for (int next : around)
            if (size_t(next) < m_lists.size() && !m_lists[size_t(next)].empty()) stack.push_back(next);
    }
}
