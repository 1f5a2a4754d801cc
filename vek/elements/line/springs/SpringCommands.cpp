#include <cmath>

#include "korvalib/base/Vector.h"
#include "vek/edit/UndoRecords.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/elements/line/nodes/NodeCreate.h"
#include "vek/elements/line/springs/Spring.h"
#include "vek/model/AppHelpers.h"
#include "vek/view/draw/DrawLayer.h"

namespace {

constexpr int kShowSprings = 8;

// Every selected node, deselected and redrawn, handed to f.
template <class F>
void ForSelectedNodes(F f)
{
    for (int i = 0; i < theNodes.GetSize(); ++i) {
        CNode* n = theNodes.GetAt(i);
        if (!n->IsSelected()) continue;
        n->m_nFlags &= ~kObjSelected;
        n->Draw();
        f(*n);
    }
}

CSpring FromInput()
{
    const CSpringInput& in = theSpringInput;
    CSpring s;
    s.m_dK = std::fabs(in.stiffness);
    s.m_cKind = uint8_t(in.type ? 1 : 0);
    s.m_cMode = in.type ? 0 : in.mode;
    return s;
}

}  // namespace

int AddGroundSpringsAtSelected()
{
    CDisplayOptionOn shown(kShowSprings);
    CDrawSession session;
    int changed = 0;
    ForSelectedNodes([&](CNode& n) {
        CSpring s = FromInput();
        s.m_nNodeI = n.m_nID;
        s.m_nNodeJ = 0;
        if (theSpringInput.towardPoint) {
            CVector::Subtract(theSpringInput.dir, n.m_dCoord, s.m_dDir);
            CVector::Normalize(s.m_dDir);
        } else {
            CVector::Copy(theSpringInput.dir, s.m_dDir);
        }
        changed += AddSpring(s, theSpringInput.replace);
    });
    SetDocumentModified(1);
    return changed;
}

int ReverseGroundSpringsAtSelected()
{
    CDrawSession session;
    int changed = 0;
    ForSelectedNodes([&](CNode& n) {
        for (int i = 0; i < theSprings.GetSize(); ++i) {
            CSpring* s = theSprings.GetAt(i);
            if (!s->IsGrounded() || s->m_nNodeI != n.m_nID) continue;
            ErasePicture(*s, [](CSpring& x) { x.Draw(); });
            for (double& d : s->m_dDir) d = -d;
            s->Draw();
            ++changed;
        }
    });
    SetDocumentModified(1);
    return changed;
}

int AddSpringBetweenPickedNodes(const double a[3], const double b[3])
{
    const int i = FindNodeAt(a), j = FindNodeAt(b);
    if (!i || !j) {
        AppMessageBox("没有捕捉到节点！");
        return 0;
    }
    CDrawSession session;
    CSpring s = FromInput();
    s.m_nNodeI = i;
    s.m_nNodeJ = j;
    const int changed = AddSpring(s, 1);
    SetDocumentModified(1);
    return changed;
}

int DeleteGroundSpringsAtSelected()
{
    CDrawSession session;
    int removed = 0;
    ForSelectedNodes([&](CNode& n) {
        for (int i = theSprings.GetSize() - 1; i >= 0; --i) {
            const CSpring* s = theSprings.GetAt(i);
            if (s->m_nNodeI == n.m_nID && s->m_nNodeJ <= 0) {
                RemoveSpring(s->m_nID);
                ++removed;
            }
        }
    });
    SetDocumentModified(1);
    return removed;
}

int DeleteLinkSpringsAtSelected()
{
    CDrawSession session;
    int removed = 0;
    for (int i = theSprings.GetSize() - 1; i >= 0; --i) {
        const CSpring* s = theSprings.GetAt(i);
        if (s->m_nNodeJ <= 0) continue;
        const CNode* a = FindNode(s->m_nNodeI);
        const CNode* b = FindNode(s->m_nNodeJ);
        if ((a && a->IsSelected()) || (b && b->IsSelected())) {
            RemoveSpring(s->m_nID);
            ++removed;
        }
    }
    ForSelectedNodes([](CNode&) {});
    SetDocumentModified(1);
    return removed;
}
