#include "vek/view/passes/DrawModel.h"

#include <cmath>

#include "vek/model/ObjectBase.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/axisgrid/AxisGrid.h"
#include "vek/model/display/DisplayOptions.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/model/storeys/StoreyLists.h"
#include "vek/view/LoadSymbols.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/ViewSettings.h"
#include "vek/view/axisgrid/AxisGridView.h"
#include "vek/view/draw/DrawLayer.h"

unsigned char bModelDrawn = 0;

namespace {

long long drawCount = 0;
CDrawStepSlot slots[kDrawStepCount];

// Which storey list a step takes its IDs from in a plan with storeys.
enum class StoreyList { None, Frames, Nodes, Walls, Shells };

struct StepRule {
    EFamily family;
    bool (*shown)();
    int thinning;  // objects per fast picture; 0: never thinned
    StoreyList storey;
};

bool Switch(int i)
{
    return theDisplayOptions.Switch(i) != 0;
}

// The display switches and walking rules of the family steps.
StepRule RuleOf(EDrawStep step)
{
    switch (step) {
        case EDrawStep::Shells: return {EFamily::Shells, [] { return Switch(22); }, 4000, StoreyList::Shells};
        case EDrawStep::StiffRegions:
            return {EFamily::StiffRegions, [] { return Switch(27) || Switch(25); }, 0, StoreyList::None};
        case EDrawStep::Solids: return {EFamily::Solids, [] { return Switch(23); }, 1000, StoreyList::None};
        case EDrawStep::Walls: return {EFamily::Walls, [] { return Switch(21); }, 4000, StoreyList::Walls};
        case EDrawStep::Planes:
            return {EFamily::Planes, [] { return theDisplayOptions.WordBit(0); }, 1000, StoreyList::None};
        case EDrawStep::Frames:
            return {EFamily::Frames, [] { return Switch(15) || Switch(16); }, 5000, StoreyList::Frames};
        case EDrawStep::Trusses: return {EFamily::Trusses, [] { return Switch(17); }, 0, StoreyList::None};
        case EDrawStep::Cframes: return {EFamily::Cframes, [] { return Switch(18); }, 0, StoreyList::None};
        case EDrawStep::Pipes: return {EFamily::Pipes, [] { return Switch(19); }, 0, StoreyList::None};
        case EDrawStep::Integrals: return {EFamily::Integrals, [] { return Switch(20); }, 0, StoreyList::None};
        case EDrawStep::Springs: return {EFamily::Springs, [] { return Switch(8); }, 0, StoreyList::None};
        case EDrawStep::Nodes: return {EFamily::Nodes, [] { return Switch(2); }, 5000, StoreyList::Nodes};
        default: return {EFamily::Count, nullptr, 0, StoreyList::None};
    }
}

MLArray<int>* StoreyIds(StoreyList which)
{
    StoreyElementLists* l = theStoreyLists.Get(theLevels.current);
    if (!l) return nullptr;
    switch (which) {
        case StoreyList::Frames: return &l->frames;
        case StoreyList::Nodes: return &l->nodes;
        case StoreyList::Walls: return &l->walls;
        case StoreyList::Shells: return &l->shells;
        default: return nullptr;
    }
}

bool Shown(CModelFamily& f, int pos)
{
    const CObjectBase* o = f.GetAt(pos);
    return o && (o->m_nFlags & kObjStateMask) == kObjStateShown;
}

void DrawGrids()
{
    if (!Switch(3) || !theViewProjection.AxisGridInView()) return;
    for (int i = 0; i < theAxisGrids.GetCount(); ++i) {
        const CAxisGrid& g = *theAxisGrids.GetAt(i);
        if (g.IsVisible()) DrawAxisGrid(g, i + 1);
    }
    if (!theViewHooks.addGridSnapPoint) return;
    for (int i = 0; i < theGridNodes.GetSize(); ++i) {
        const GridNode& n = *theGridNodes.GetAt(i);
        double p[3];
        GridPlaneToWorld(theViewProjection, n.x, n.y, p);
        theViewHooks.addGridSnapPoint(p);
    }
}

void RunStep(EDrawStep step, const CDrawPassInfo& info)
{
    const CDrawStepSlot& slot = slots[static_cast<int>(step)];
    if (slot.drawStep) {
        slot.drawStep(info);
        return;
    }
    if (step == EDrawStep::AxisGrids) {
        // On OpenGL (result pictures) the grid's GDI lines go over the finished picture.
        DrawOverGL(DrawGrids);
        return;
    }
    if (!slot.drawObject) return;
    const StepRule rule = RuleOf(step);
    if (!rule.shown || !rule.shown()) return;
    WalkDrawnObjects(step, info, slot.drawObject);
}

}  // namespace

CDrawStepSlot SetDrawStep(EDrawStep step, CDrawStepSlot slot)
{
    const int i = static_cast<int>(step);
    if (i < 0 || i >= kDrawStepCount) return CDrawStepSlot();
    const CDrawStepSlot before = slots[i];
    slots[i] = slot;
    return before;
}

long long ModelDrawCount()
{
    return drawCount;
}

int WalkDrawnObjects(EDrawStep step, const CDrawPassInfo& info, DrawObjectFn draw)
{
    const StepRule rule = RuleOf(step);
    if (rule.family == EFamily::Count || !draw) return 0;
    CModelFamily& family = ModelFamily(rule.family);
    int drawn = 0;
    if (rule.storey != StoreyList::None && theViewProjection.GetMode() == CViewProjection::kPlan &&
        theLevels.GetCount() >= 1) {
        // A storey's list is never thinned; a number that names no object is skipped.
        MLArray<int>* ids = StoreyIds(rule.storey);
        if (!ids) return 0;
        for (int k = 0; k < ids->GetSize(); ++k) {
            const int pos = family.IndexOfID(*ids->GetAt(k));
            if (pos < 0 || !Shown(family, pos)) continue;
            draw(family, pos);
            ++drawn;
        }
        return drawn;
    }
    const int n = family.GetCount();
    int stride = 1;
    if (info.fast && rule.thinning > 0) stride = n / rule.thinning > 1 ? n / rule.thinning : 1;
    for (int pos = 0; pos < n; pos += stride) {
        if (!Shown(family, pos)) continue;
        draw(family, pos);
        ++drawn;
    }
    return drawn;
}

void DrawModel(int fast)
{
    ++drawCount;
    const CDrawPassInfo info{fast};
    ViewShowPrompt("正在形成图形...");
    const double height = theViewProjection.GetScale() * theProjectOptions.dTextSize;
    theProjectOptions.textFont.height =
        std::isfinite(height) && height >= 1 ? (height < 1e6 ? static_cast<int32_t>(height) : 1000000) : 1;
    theLoadSymbolScale.Update();
    if (theViewHooks.snapReset) theViewHooks.snapReset();
    for (int i = 0; i < kDrawStepCount; ++i) RunStep(static_cast<EDrawStep>(i), info);
    bModelDrawn = 1;
    ViewRestorePrompt();
}
