#include "vek/view/passes/SeamNodes.h"

#include <cstdio>

#include "vek/model/display/DisplayOptions.h"
#include "vek/view/DisplayColors.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/draw/DrawLayer.h"
#include "vek/view/passes/DrawModel.h"

int CSeamNodes::Add(int id, double x, double y, double z)
{
    Node n;
    n.id = id;
    n.p[0] = x;
    n.p[1] = y;
    n.p[2] = z;
    n.m_nFlags = kObjLive | kObjStateShown | (1u << 4);
    m_nodes.push_back(n);
    return GetCount() - 1;
}

int CSeamNodes::GetLastID() const
{
    int last = 0;
    for (const Node& n : m_nodes) last = n.id > last ? n.id : last;
    return last;
}

CObjectBase* CSeamNodes::GetAt(int pos)
{
    return pos >= 0 && pos < GetCount() ? &m_nodes[static_cast<size_t>(pos)] : nullptr;
}

int CSeamNodes::GetID(int pos) const
{
    return pos >= 0 && pos < GetCount() ? m_nodes[static_cast<size_t>(pos)].id : 0;
}

int CSeamNodes::IndexOfID(int id) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (m_nodes[static_cast<size_t>(i)].id == id) return i;
    return -1;
}

bool CSeamNodes::GetCoordinates(int id, double out[3]) const
{
    const int i = IndexOfID(id);
    if (i < 0) return false;
    for (int k = 0; k < 3; ++k) out[k] = m_nodes[static_cast<size_t>(i)].p[k];
    return true;
}

void DrawSeamNode(CModelFamily& family, int pos)
{
    const CObjectBase* o = family.GetAt(pos);
    double p[3];
    if (!o || !family.GetCoordinates(family.GetID(pos), p) || theViewProjection.IsPointOutsideScreen(p)) return;
    const CDisplayColors& c = theDisplayColors;
    const uint32_t colour = !(o->m_nFlags & kObjLive) ? c.m_back : o->IsSelected() ? c.m_select : c.m_ele[0];
    CDrawSession session;
    DrawSphere(session.Quadric(), p, 3, 1, colour, 1, colour, nullptr, 0, 1, "节点");
    if ((o->m_nFlags & (1u << 4)) && theDisplayOptions.Switch(0)) {
        char text[16];
        std::snprintf(text, sizeof text, "%1d", family.GetID(pos));
        const uint32_t label = !(o->m_nFlags & kObjLive) ? c.m_back : o->IsSelected() ? c.m_select : c.m_eleText[0];
        DrawText3D(p, text, label, 0, 0, "节点号");
    }
}

void InstallSeamNodes(CSeamNodes* nodes)
{
    RegisterModelFamily(EFamily::Nodes, nodes);
    CDrawStepSlot slot;
    if (nodes) slot.drawObject = DrawSeamNode;
    SetDrawStep(EDrawStep::Nodes, slot);
}
