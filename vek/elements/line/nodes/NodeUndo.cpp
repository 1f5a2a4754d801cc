#include "vek/elements/line/nodes/NodeUndo.h"

#include <algorithm>
#include <vector>

#include "vek/elements/line/nodes/NodeDisplacement.h"
#include "vek/elements/line/nodes/NodeIndex.h"
#include "vek/elements/line/springs/Spring.h"
#include "vek/model/display/DisplayOptions.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/model/storeys/StoreyLists.h"

namespace {
// Nodes removed since the last purge, by number.
std::vector<uint8_t> removedFlags;
bool anyRemoved = false;
}  // namespace

bool NodeHasSpringsOrDisplacements(int id)
{
    for (int i = 0; i < theSprings.GetSize(); ++i) {
        const CSpring* s = theSprings.GetAt(i);
        if (s->m_nNodeI == id || s->m_nNodeJ == id) return true;
    }
    for (const CNodeDisplacement& d : theNodeDisplacements)
        if (d.m_nNode == id) return true;
    return false;
}

bool CNodeAddTraits::Insert(const CNode& n)
{
    CNode copy = n;
    CNode* stored = StoreNode(copy);
    if (!stored) return false;
    if (theLevels.count > 0) AddNodeToLevel(stored->m_nID);
    CDisplayRange::Range& r = theDisplayRange.ranges[0];
    if (stored->m_nID > r.to) r.to = stored->m_nID;
    stored->UpdateRangeFlags();
    stored->Draw();
    return true;
}

bool CNodeAddTraits::CanRemove(const CNode& n)
{
    return n.m_nElements == 0 && !NodeHasSpringsOrDisplacements(n.m_nID);
}

void CNodeAddTraits::Remove(int id)
{
    RemoveNodeDeferred(id);
    theUndo.DeferToGroupEnd(PurgeRemovedNodes);
}

void RemoveNodeDeferred(int id)
{
    CNode* n = FindNode(id);
    if (!n) return;
    ErasePicture(*n, [](CNode& x) { x.Draw(); });
    if (size_t(id) > removedFlags.size()) removedFlags.resize(std::max(size_t(id), removedFlags.size() * 2), 0);
    removedFlags[size_t(id - 1)] = 1;
    anyRemoved = true;
    UnstoreNode(id);
}

void PurgeRemovedNodes()
{
    if (!anyRemoved) return;
    // One entry per number up to the last node still stored.
    if (size_t(theNodes.GetLastID()) > removedFlags.size()) removedFlags.resize(size_t(theNodes.GetLastID()), 0);
    const int maxID = int(removedFlags.size());
    RemoveNodeReferences(removedFlags.data(), maxID, 0);
    removedFlags.clear();
    anyRemoved = false;
    CDisplayRange::Range& r = theDisplayRange.ranges[0];
    const int last = theNodes.GetLastID();
    if (r.to > last) r.to = last;
}

void CNodeCoordTraits::Set(CNode& n, const Value& v)
{
    std::copy(v.begin(), v.end(), n.m_dCoord);
    theNodeIndex.Moved(n.m_nID, n.m_dCoord);
    const int before = n.m_nStorey;
    n.UpdateLevel();
    if (n.m_nStorey != before && theLevels.count > 0) {
        RemoveNodeFromLevel(n.m_nID, before);
        AddNodeToLevel(n.m_nID);
    }
}
