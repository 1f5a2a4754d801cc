// The nodes and the springs in the model's family table, and the node
// coordinate lookup of the model's geometry code.
#include <algorithm>

#include "vek/elements/line/nodes/Node.h"
#include "vek/elements/line/nodes/NodeDisplacement.h"
#include "vek/elements/line/nodes/NodeIndex.h"
#include "vek/elements/line/nodes/NodeInput.h"
#include "vek/elements/line/nodes/NodePools.h"
#include "vek/elements/line/nodes/WindElementPar.h"
#include "vek/elements/line/springs/Spring.h"
#include "vek/model/ModelFamily.h"
#include "vek/model/project/ProjectBlocks.h"
#include "vek/elements/line/nodes/NodeBlock.h"
#include "vek/edit/Undo.h"
#include "vek/model/NodeLookup.h"
#include "vek/view/draw/DrawLayer.h"
#include "vek/view/passes/DrawModel.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/ViewSettings.h"

namespace {

// The position of an ID in a store walked in ascending ID order: direct
// while the numbers have no gaps.
template <class Store>
int PositionOf(const Store& store, int id)
{
    if (!store.IsValidID(id)) return -1;
    const int n = store.GetSize();
    if (store.GetLastID() == n) return id - 1;
    int pos = 0;
    for (int k = 1; k < id; ++k)
        if (store.IsValidID(k)) ++pos;
    return pos;
}

class CNodeFamily : public CModelFamily {
public:
    int GetCount() const override { return theNodes.GetSize(); }
    int GetLastID() const override { return theNodes.GetLastID(); }
    CObjectBase* GetAt(int pos) override { return Valid(pos) ? theNodes.GetAt(pos) : nullptr; }
    int GetID(int pos) const override { return Valid(pos) ? theNodes.GetIDAt(pos) : 0; }
    int IndexOfID(int id) const override { return PositionOf(theNodes, id); }
    // The springs, loads and displacements hang on the nodes: they go with them.
    void Clear() override { ClearNodeFamily(); }

    int GetStorey(int pos) const override { return Valid(pos) ? theNodes.GetAt(pos)->m_nStorey : -1; }
    void SetStorey(int pos, int storey) override
    {
        if (Valid(pos)) theNodes.GetAt(pos)->m_nStorey = int16_t(storey);
    }
    int RecomputeStorey(int pos) override
    {
        if (!Valid(pos)) return -1;
        CNode* n = theNodes.GetAt(pos);
        n->UpdateLevel();
        return n->m_nStorey;
    }

    bool HasStages() const override { return true; }
    int GetStage(int pos) const override { return Valid(pos) ? theNodes.GetAt(pos)->m_nStage : 0; }
    void SetStage(int pos, int stage) override
    {
        if (Valid(pos)) theNodes.GetAt(pos)->m_nStage = int16_t(stage);
    }

    bool GetCoordinates(int id, double out[3]) const override
    {
        const CNode* n = FindNode(id);
        if (!n) return false;
        std::copy(n->m_dCoord, n->m_dCoord + 3, out);
        return true;
    }
    void SetCoordinates(int id, const double p[3]) override
    {
        CNode* n = FindNode(id);
        if (!n) return;
        std::copy(p, p + 3, n->m_dCoord);
        theNodeIndex.Moved(id, n->m_dCoord);
    }
    bool GetDrawCoordinates(int id, double out[3]) const override
    {
        const CNode* n = FindNode(id);
        if (!n) return false;
        n->GetDrawCoord(out);
        return true;
    }
    void SetDisplacement(int pos, const double d[3]) override
    {
        if (Valid(pos)) std::copy(d, d + 3, theNodes.GetAt(pos)->m_dDisp);
    }
    void SetDisplacementScale(double k) override { theNodeDisplayScale = k; }

    void ScaleUnits(EUnitStep step, const CUnitFactors& f) override
    {
        switch (step) {
            case EUnitStep::Nodes:
                for (int i = 0; i < theNodes.GetSize(); ++i) theNodes.GetAt(i)->Scale(f.L);
                theNodeIndex.Invalidate();
                break;
            case EUnitStep::NodeAttributes: ScaleNodeInputs(f); break;
            case EUnitStep::NodeValueList1: ScalePool(theNodeLoadPool, f, 1); break;
            case EUnitStep::NodeValueList2: ScalePool(theNodeMassPool, f, 3); break;
            case EUnitStep::PrescribedDisplacements:
                for (CNodeDisplacement& d : theNodeDisplacements) d.Scale(f.L);
                theCurrentDisplacement.Scale(f.L);
                break;
            default: break;
        }
    }
    bool Reserve(int n) override { return theNodes.SetSize(std::max(n, theNodes.GetSize())) != 0; }
    void Redraw(int pos) override
    {
        if (Valid(pos)) theNodes.GetAt(pos)->Draw();
    }
    int GetLayer(int pos) const override { return Valid(pos) ? theNodes.GetAt(pos)->m_nLayer : 0; }
    void SetLayer(int pos, int layer) override
    {
        if (Valid(pos)) theNodes.GetAt(pos)->m_nLayer = int16_t(layer);
    }

private:
    static bool Valid(int pos) { return pos >= 0 && pos < theNodes.GetSize(); }
    static void ScalePool(CSixDoublesPool& pool, const CUnitFactors& f, int mode)
    {
        for (int i = 1; i <= pool.GetSize(); ++i) pool.Get(i)->ConvertUnits(f.F, f.M, f.L, mode);
    }
};

class CSpringFamily : public CModelFamily {
public:
    int GetCount() const override { return theSprings.GetSize(); }
    int GetLastID() const override { return theSprings.GetLastID(); }
    CObjectBase* GetAt(int pos) override { return Valid(pos) ? theSprings.GetAt(pos) : nullptr; }
    int GetID(int pos) const override { return Valid(pos) ? theSprings.GetIDAt(pos) : 0; }
    int IndexOfID(int id) const override { return PositionOf(theSprings, id); }
    // A spring lies in the storey of its first node.
    int GetStorey(int pos) const override
    {
        const CNode* n = Valid(pos) ? FindNode(theSprings.GetAt(pos)->m_nNodeI) : nullptr;
        return n ? n->m_nStorey : -1;
    }
    bool HasStages() const override { return true; }
    int GetStage(int pos) const override { return Valid(pos) ? theSprings.GetAt(pos)->m_nStage : 0; }
    void SetStage(int pos, int stage) override
    {
        if (Valid(pos)) theSprings.GetAt(pos)->m_nStage = int16_t(stage);
    }
    int GetNodes(int pos, int* out, int max) const override
    {
        if (!Valid(pos)) return 0;
        const CSpring* s = theSprings.GetAt(pos);
        if (max > 0) out[0] = s->m_nNodeI;
        if (max > 1) out[1] = s->m_nNodeJ;
        return 2;
    }
    void ScaleUnits(EUnitStep step, const CUnitFactors& f) override
    {
        if (step != EUnitStep::Springs) return;
        for (int i = 0; i < theSprings.GetSize(); ++i) theSprings.GetAt(i)->ScaleStiffness(f.F, f.L);
    }
    bool Reserve(int n) override { return theSprings.SetSize(std::max(n, theSprings.GetSize())) != 0; }
    void Redraw(int pos) override
    {
        if (Valid(pos)) theSprings.GetAt(pos)->Draw();
    }

private:
    static bool Valid(int pos) { return pos >= 0 && pos < theSprings.GetSize(); }
};

CNodeFamily theNodeFamily;
CSpringFamily theSpringFamily;

int LookupNode(int id, int drawn, double out[3])
{
    const CNode* n = FindNode(id);
    if (!n) return 0;
    if (drawn)
        n->GetDrawCoord(out);
    else
        std::copy(n->m_dCoord, n->m_dCoord + 3, out);
    return 1;
}

// The pictures that undo and redo draw go to the view in one session.
void UndoDrawBracket(bool begin)
{
    static CDrawSession* session = nullptr;
    if (begin && !session) {
        session = new CDrawSession;
    } else if (!begin && session) {
        delete session;
        session = nullptr;
    }
}

// The nodes that fit the window: those of the storeys shown.
void AddNodesToExtent(CViewProjection& projection)
{
    for (int i = 0; i < theNodes.GetSize(); ++i) {
        const CNode* n = theNodes.GetAt(i);
        if (!n) continue;
        const int s = n->m_nStorey;
        if (s < -1 || s > theLevels.count || !theLevels.Shown(s)) continue;
        projection.AddToExtent(n->Coord());
    }
}

const bool registered = [] {
    theViewHooks.addModelExtent = AddNodesToExtent;
    theUndoApplyBracket = UndoDrawBracket;
    RegisterModelFamily(EFamily::Nodes, &theNodeFamily);
    RegisterModelFamily(EFamily::Springs, &theSpringFamily);
    // The model drawing pass draws them by store position.
    CDrawStepSlot nodes, springs;
    nodes.drawObject = [](CModelFamily&, int pos) {
        if (CNode* n = theNodes.GetAt(pos)) n->Draw();
    };
    springs.drawObject = [](CModelFamily&, int pos) {
        if (CSpring* s = theSprings.GetAt(pos)) s->Draw();
    };
    SetDrawStep(EDrawStep::Nodes, nodes);
    SetDrawStep(EDrawStep::Springs, springs);
    SetNodeCoordLookup(LookupNode);
    // The project file's node block.
    SetProjectBlockOwner(7, {WriteNodeBlock, ReadNodeBlock});
    SetProjectBlockOwner(25, {WriteWindParameters, ReadWindParameters});
    return true;
}();

}  // namespace

// Every node of the family's model data, emptied (the document's reset).
void ClearNodeFamily()
{
    RemoveAllNodes();
    theNodeLoadPool.Clear();
    theNodeMassPool.Clear();
    theSprings.RemoveAll();
    theNodeDisplacements.clear();
    theCurrentDisplacement = CNodeDisplacement();
    theWindElementPars.clear();
    theWindElementDefault = CWindElementPar();
}
