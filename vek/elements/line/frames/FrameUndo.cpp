#include "vek/elements/line/frames/FrameUndo.h"

#include <algorithm>
#include <vector>

#include "vek/elements/line/frames/FrameStore.h"
#include "vek/elements/line/frames/FrameEndIndex.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/model/display/DisplayOptions.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/model/storeys/StoreyLists.h"

void ChangeNodeUse(int id, int delta)
{
    CNode* n = FindNode(id);
    if (!n) return;
    const int count = std::max(0, int(n->m_nElements) + delta);
    n->m_nElements = uint16_t(std::min(count, 0xFFFF));
}

void AttachFrameNodes(const CFrame& f, int delta)
{
    ChangeNodeUse(f.m_nNodeI, delta);
    ChangeNodeUse(f.m_nNodeJ, delta);
}

bool CFrameAddTraits::CanInsert(const CFrame& f)
{
    return FindNode(f.m_nNodeI) && FindNode(f.m_nNodeJ);
}

bool CFrameAddTraits::Insert(const CFrame& f)
{
    CFrame copy = f;
    if (!theFrames.Add(copy)) return false;
    CFrame* stored = theFrames.GetByID(copy.m_nID);
    IndexFrameEnds(*stored);
    AttachFrame(*stored);
    stored->UpdateRangeFlags();
    stored->Draw();
    return true;
}

void CFrameAddTraits::Remove(int id)
{
    CFrame* f = FindFrame(id);
    if (!f) return;
    ErasePicture(*f, [](CFrame& x) { x.Draw(); });
    DetachFrame(*f);
    const int last = theFrames.GetLastID();
    theFrames.RemoveByID(id);
    InvalidateFrameEndIndex();
    std::vector<uint8_t> flags(size_t(std::max(last, id)), 0);
    flags[size_t(id - 1)] = 1;
    RemoveDeletedFrameReferences(flags.data(), last);
    CDisplayRange::Range& r = theDisplayRange.ranges[1];
    if (r.to > theFrames.GetLastID()) r.to = theFrames.GetLastID();
}

CFrameAxisValue CFrameAxisTraits::Get(const CFrame& f)
{
    CFrameAxisValue v;
    v.angle = f.m_fAngle;
    std::copy(f.m_dRef, f.m_dRef + 3, v.ref);
    v.code = uint8_t(f.GetAxisCode());
    return v;
}

void CFrameAxisTraits::Set(CFrame& f, const CFrameAxisValue& v)
{
    f.m_fAngle = v.angle;
    std::copy(v.ref, v.ref + 3, f.m_dRef);
    f.SetAxisCode(v.code);
}

void CFrameNodesTraits::Set(CFrame& f, const Value& v)
{
    AttachFrameNodes(f, -1);
    const int oldI = f.m_nNodeI, oldJ = f.m_nNodeJ;
    f.m_nNodeI = v[0];
    f.m_nNodeJ = v[1];
    ReindexFrameEnds(f, oldI, oldJ);
    AttachFrameNodes(f, +1);
}

void CUndoFrameBreakComb::SwapKept(CFrame& kept)
{
    std::swap(kept.m_Loads, m_Loads);
    std::swap(kept.m_nSection, m_nSection);
}

int CUndoFrameBreakComb::Break()
{
    CFrame* kept = FindFrame(m_nKept);
    CFrame* other = FindFrame(m_nOther);
    if (!kept || !other || !FindNode(m_nNode)) return 0;
    ErasePicture(*kept, [](CFrame& x) { x.Draw(); });
    int32_t& end = MovingEnd() == 0 ? kept->m_nNodeI : kept->m_nNodeJ;
    const int oldI = kept->m_nNodeI, oldJ = kept->m_nNodeJ;
    ChangeNodeUse(end, -1);
    end = m_nNode;
    ReindexFrameEnds(*kept, oldI, oldJ);
    SwapKept(*kept);
    ChangeNodeUse(m_nNode, +1);
    kept->Draw();
    other->Draw();
    return 0;
}

int CUndoFrameBreakComb::Join()
{
    CFrame* kept = FindFrame(m_nKept);
    CFrame* other = FindFrame(m_nOther);
    if (!kept || !other || !FindNode(m_nNode)) return 0;
    ErasePicture(*kept, [](CFrame& x) { x.Draw(); });
    ErasePicture(*other, [](CFrame& x) { x.Draw(); });
    SwapKept(*kept);
    ChangeNodeUse(m_nNode, -1);
    const int far = other->m_nNodeI == m_nNode ? other->m_nNodeJ : other->m_nNodeI;
    int32_t& end = MovingEnd() == 0 ? kept->m_nNodeI : kept->m_nNodeJ;
    const int oldI = kept->m_nNodeI, oldJ = kept->m_nNodeJ;
    end = far;
    ReindexFrameEnds(*kept, oldI, oldJ);
    ChangeNodeUse(far, +1);
    kept->Draw();
    return 0;
}
