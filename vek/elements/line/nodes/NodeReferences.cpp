#include <vector>

#include "vek/elements/line/nodes/Node.h"
#include "vek/elements/line/nodes/NodeDisplacement.h"
#include "vek/elements/line/springs/Spring.h"
#include "vek/model/storeys/StoreyLists.h"

CNodeReferenceHooks theNodeReferenceHooks;
int nNodeInfoCurrent = 0;

namespace {
bool Gone(const uint8_t* flags, int maxID, int id)
{
    return id < 1 || id > maxID || flags[id - 1];
}
}  // namespace

void RemoveNodeReferences(const uint8_t* flags, int maxID, int nodesOnly)
{
    std::vector<int> kept;
    for (int s = 0; s < theStoreyLists.GetSize(); ++s) {
        MLArray<int>& list = theStoreyLists.Get(s)->nodes;
        kept.clear();
        bool dropped = false;
        for (int i = 0; i < list.GetSize(); ++i) {
            const int id = *list.GetAt(i);
            if (id >= 1 && id <= maxID && flags[id - 1])
                dropped = true;
            else
                kept.push_back(id);
        }
        if (!dropped) continue;
        list.SetSize(0);
        for (int id : kept) list.Add(id);
    }
    if (theNodeReferenceHooks.removeJoints) theNodeReferenceHooks.removeJoints(flags, maxID);
    if (nodesOnly) return;
    if (theNodeReferenceHooks.removeHistoryLoads) theNodeReferenceHooks.removeHistoryLoads(flags, maxID);
    for (size_t i = theNodeDisplacements.size(); i-- > 0;)
        if (Gone(flags, maxID, theNodeDisplacements[i].m_nNode))
            theNodeDisplacements.erase(theNodeDisplacements.begin() + long(i));
    for (int i = theSprings.GetSize() - 1; i >= 0; --i) {
        const CSpring* s = theSprings.GetAt(i);
        if (Gone(flags, maxID, s->m_nNodeI) || (s->m_nNodeJ != 0 && Gone(flags, maxID, s->m_nNodeJ)))
            theSprings.RemoveByID(s->m_nID);
    }
    if (nNodeInfoCurrent > maxID || (nNodeInfoCurrent >= 1 && flags[nNodeInfoCurrent - 1])) nNodeInfoCurrent = 0;
}
