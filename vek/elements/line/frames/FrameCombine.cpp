// Joining collinear frames that share a node, and the overlap check of the
// selected frames and walls.
#include <algorithm>
#include <utility>

#include "vek/elements/line/frames/FrameLoad.h"
#include "vek/elements/line/frames/FramePropertyCommands.h"
#include "vek/elements/line/frames/FrameStore.h"
#include "vek/elements/line/frames/FrameUndo.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ModelFamily.h"
#include "vek/model/document/OverlapCheck.h"
#include "vek/model/geometry/ModelGeometry.h"
#include "vek/view/draw/DrawLayer.h"

namespace {

const CFrameLoad& LoadByNumber(int number)
{
    static const CFrameLoad none;
    return number >= 1 && number <= theFrameLoads.GetSize() ? *theFrameLoads.GetAt(number - 1) : none;
}

// The joined member's loads: every case of either frame, merged in the order
// the two members meet (the join's case is the merge mode).
DElementLoad MergedLoads(const CFrame& a, const CFrame& b, double la, double lb, int mode)
{
    DElementLoad out;
    int i = 0, j = 0;
    const int na = a.m_Loads.Entries(), nb = b.m_Loads.Entries();
    while (i < na || j < nb) {
        const int ka = i < na ? a.m_Loads[i].nKey : 0x7FFF + 1;
        const int kb = j < nb ? b.m_Loads[j].nKey : 0x7FFF + 1;
        const int key = std::min(ka, kb);
        const CFrameLoad& first = ka == key ? LoadByNumber(a.m_Loads[i++].nValue) : LoadByNumber(0);
        const CFrameLoad& second = kb == key ? LoadByNumber(b.m_Loads[j++].nValue) : LoadByNumber(0);
        CFrameLoad merged;
        CFrameLoad::Merge(la, lb, first, second, mode, merged);
        const int number = FindOrAddFrameLoad(merged);
        if (key >= 1 && number >= 1) out.Insert(int16_t(key), number);
    }
    return out;
}

}  // namespace

int CombineFrames(int a, int b)
{
    CFrame* A = FindFrame(a);
    CFrame* B = FindFrame(b);
    if (!A || !B || a == b) return 0;
    // The frame of the higher storey survives.
    if (A->m_nStorey < B->m_nStorey) std::swap(A, B), std::swap(a, b);
    int kind = 0, shared = 0, fixed = 0, farNode = 0;
    if (A->m_nNodeI == B->m_nNodeJ)
        kind = 1, shared = A->m_nNodeI, fixed = A->m_nNodeJ, farNode = B->m_nNodeI;
    else if (A->m_nNodeJ == B->m_nNodeI)
        kind = 2, shared = A->m_nNodeJ, fixed = A->m_nNodeI, farNode = B->m_nNodeJ;
    else if (A->m_nNodeI == B->m_nNodeI)
        kind = 3, shared = A->m_nNodeI, fixed = A->m_nNodeJ, farNode = B->m_nNodeJ;
    else if (A->m_nNodeJ == B->m_nNodeJ)
        kind = 4, shared = A->m_nNodeJ, fixed = A->m_nNodeI, farNode = B->m_nNodeI;
    if (!kind) return 0;
    const CNode* s = FindNode(shared);
    const CNode* p = FindNode(fixed);
    const CNode* q = FindNode(farNode);
    if (!s || !p || !q || fixed == farNode) return 0;
    if (!PointToLineDistance(s->m_dCoord, p->m_dCoord, q->m_dCoord, 0) &&
        AppMessageBox("两单元并非完全在一直线上，是否接强行合并?", MB_YESNO) != IDYES)
        return 0;
    if (s->m_nElements != 2 && AppMessageBox("公共节点处可能有其它单元相连，是否接强行合并?", MB_YESNO) != IDYES)
        return 0;

    const double la = A->GetLength(), lb = B->GetLength();
    ErasePicture(*A, [](CFrame& x) { x.Draw(); });
    ErasePicture(*B, [](CFrame& x) { x.Draw(); });
    theUndo.AddRecord(new CUndoFrameBreakComb(kind, a, b, shared, A->m_Loads, A->m_nSection));
    DElementLoad loads = MergedLoads(*A, *B, la, lb, kind);
    ChangeNodeUse(shared, -1);
    ChangeNodeUse(farNode, +1);
    (kind == 1 || kind == 3 ? A->m_nNodeI : A->m_nNodeJ) = farNode;
    B->m_nFlags &= ~kObjLive;
    A->m_Loads = std::move(loads);
    A->Draw();
    return 1;
}

int CombineSelectedFrames()
{
    CDrawSession session;
    theUndo.BeginRecord();
    int joined = 0;
    for (int i = 0; i < theFrames.GetSize(); ++i) {
        CFrame* f = theFrames.GetAt(i);
        if (!f->IsSelected() || !(f->m_nFlags & kObjLive)) continue;
        f->m_nFlags &= ~kObjSelected;
        f->Draw();
        const int id = f->m_nID;
        for (int k = i + 1; k < theFrames.GetSize(); ++k) {
            CFrame* other = theFrames.GetAt(k);
            if (!other->IsSelected() || !(other->m_nFlags & kObjLive)) continue;
            CFrame* self = FindFrame(id);
            if (!self || !(self->m_nFlags & kObjLive)) break;
            joined += CombineFrames(id, other->m_nID);
        }
    }
    if (joined) DeleteMarkedFrames(1);
    theUndo.EndRecord();
    if (joined) SetDocumentModified(1);
    return joined;
}

int CheckSelectedOverlap()
{
    COverlapCheck check;
    const struct {
        EFamily family;
        uint8_t kind;
    } kinds[] = {{EFamily::Frames, 1}, {EFamily::Walls, 6}};
    for (const auto& k : kinds) {
        CModelFamily& fam = ModelFamily(k.family);
        for (int pos = 0; pos < fam.GetCount(); ++pos) {
            CObjectBase* o = fam.GetAt(pos);
            if (!o || !o->IsSelected()) continue;
            o->m_nFlags &= ~kObjSelected;
            fam.Redraw(pos);
            check.Add({k.kind, fam.GetID(pos)});
        }
    }
    check.FindOverlaps();
    return check.OverlapCount();
}
