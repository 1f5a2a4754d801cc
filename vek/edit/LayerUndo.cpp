#include "vek/edit/LayerUndo.h"

#include "vek/model/ModelFamily.h"
#include "vek/model/ObjectBase.h"

namespace {

bool FamilyOfKind(int kind, EFamily& f)
{
    switch (kind) {
        case 1: f = EFamily::Frames; return true;
        case 5: f = EFamily::Shells; return true;
        case 6: f = EFamily::Walls; return true;
        case 7: f = EFamily::Solids; return true;
        case 8: f = EFamily::Planes; return true;
        case 9: f = EFamily::Nodes; return true;
        default: return false;
    }
}

}  // namespace

int CUndoLayerChange::Apply()
{
    EFamily kind;
    if (!FamilyOfKind(m_nKind, kind)) return 0;
    CModelFamily& f = ModelFamily(kind);
    const int pos = f.IndexOfID(m_nID);
    CObjectBase* o = pos >= 0 ? f.GetAt(pos) : nullptr;
    if (!o) return 0;
    const int current = f.GetLayer(pos);
    o->m_nFlags &= ~kObjLive;
    f.Redraw(pos);
    o->m_nFlags |= kObjLive;
    f.SetLayer(pos, m_nLayer);
    f.Redraw(pos);
    m_nLayer = int16_t(current);
    return 0;
}
