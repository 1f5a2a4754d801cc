#include "vek/model/document/SelectionEdits.h"

#include "vek/model/AppHelpers.h"
#include "vek/model/LayerList.h"
#include "vek/model/ModelFamily.h"
#include "vek/model/ObjectBase.h"
#include "vek/model/display/DisplayOptions.h"
#include "vek/model/document/DocumentHooks.h"

namespace {

struct LayerKind {
    int8_t kind;
    EFamily family;
};
constexpr LayerKind kLayerKinds[] = {{1, EFamily::Frames}, {5, EFamily::Shells}, {6, EFamily::Walls},
                                     {7, EFamily::Solids}, {8, EFamily::Planes}, {9, EFamily::Nodes}};

// The display switch of loads, node and beam temperatures.
constexpr int kLoadSwitch = 26;

void BeginGroup()
{
    if (theDocumentHooks.beginUndoGroup) theDocumentHooks.beginUndoGroup();
}
void EndGroup()
{
    if (theDocumentHooks.endUndoGroup) theDocumentHooks.endUndoGroup();
}

}  // namespace

bool MoveSelectionToCurrentLayer()
{
    for (const LayerKind& k : kLayerKinds) {
        CModelFamily& fam = ModelFamily(k.family);
        for (int pos : Positions(fam)) {
            const CObjectBase* o = fam.GetAt(pos);
            if (o && o->IsSelected()) {
                ChangeSelectionToCurrentLayer();
                return true;
            }
        }
    }
    return false;
}

void ChangeSelectionToCurrentLayer()
{
    BeginGroup();
    const int current = theLayers.GetCurrent();
    for (const LayerKind& k : kLayerKinds) {
        CModelFamily& fam = ModelFamily(k.family);
        for (int pos : Positions(fam)) {
            CObjectBase* o = fam.GetAt(pos);
            if (!o || !o->IsSelected()) continue;
            o->m_nFlags &= ~kObjSelected;
            if (theDocumentHooks.addLayerChange)
                theDocumentHooks.addLayerChange(k.kind, fam.GetID(pos), fam.GetLayer(pos));
            fam.SetLayer(pos, current);
            fam.Redraw(pos);
        }
    }
    EndGroup();
    SetDocumentModified(1);
    if (theDocumentHooks.flashPrompt)
        theDocumentHooks.flashPrompt("被选择单元和节点的图层属性已经改成当前图层！", 1500);
}

void ApplyLoadChangeToSelection()
{
    const uint8_t shown = theDisplayOptions.Switch(kLoadSwitch);
    theDisplayOptions.Switch(kLoadSwitch) = 1;
    BeginGroup();
    static const EFamily kOrder[] = {
        EFamily::Frames,        EFamily::BoundLines,   EFamily::BoundRects, EFamily::BoundArcs, EFamily::BoundCircles,
        EFamily::BoundEllipses, EFamily::BoundSplines, EFamily::Shells,     EFamily::Walls,     EFamily::Solids,
        EFamily::StiffRegions,  EFamily::Planes,       EFamily::Nodes};
    for (EFamily f : kOrder) {
        CModelFamily& fam = ModelFamily(f);
        for (int pos : Positions(fam)) {
            CObjectBase* o = fam.GetAt(pos);
            if (!o || !o->IsSelected()) continue;
            fam.Redraw(pos);
            fam.ChangeLoads(pos);
            fam.Redraw(pos);
        }
    }
    EndGroup();
    theDisplayOptions.Switch(kLoadSwitch) = shown;
}
