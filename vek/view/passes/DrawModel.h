#pragma once
// The model drawing pass: the whole model drawn once, family by family in a
// fixed order, through the drawing layer. A family plugs in by binding its
// step: a drawer of one object (the pass walks the family's store with the
// display switch, storey restriction and thinning of that step) or a drawer
// of the whole step (for families that draw in their own way).
#include "vek/model/ModelFamily.h"

// The steps, in the order they are drawn.
enum class EDrawStep : int {
    SectionAreas,  // the member families recompute the section areas symbols are sized from
    AxisGrids,
    Shells,
    StiffRegions,
    Solids,
    Walls,
    Planes,
    Frames,
    Trusses,
    Cframes,
    Pipes,
    Integrals,
    Springs,
    Results,
    Boundaries,
    Nodes,
    TubeJoints,  // drawn even when nodes are not
    ResultsFinish,
    Count
};
constexpr int kDrawStepCount = static_cast<int>(EDrawStep::Count);

struct CDrawPassInfo {
    int fast = 0;  // the picture follows a drag: large stores are thinned
};

// Draws the object at a store position of the family.
using DrawObjectFn = void (*)(CModelFamily& family, int pos);
// Draws a whole step.
using DrawStepFn = void (*)(const CDrawPassInfo& info);

struct CDrawStepSlot {
    DrawObjectFn drawObject = nullptr;
    DrawStepFn drawStep = nullptr;  // when bound, drawObject is not used
};

// Binds a step (an empty slot: the step draws nothing); returns the slot before.
CDrawStepSlot SetDrawStep(EDrawStep step, CDrawStepSlot slot);

// Draws the model once; `fast` while the picture is dragged or zoomed by the mouse.
void DrawModel(int fast);

// How many times the model has been drawn (walked) since the start.
long long ModelDrawCount();
// 1 once the model has been drawn.
extern unsigned char bModelDrawn;

// The walk of a family step: every object of the family (IDs from the
// current storey's list in a plan with storeys, IDs that name no object
// skipped), every step-th one of a large store while `fast`, each drawn when
// its display-range bits say "shown". Returns how many were drawn.
int WalkDrawnObjects(EDrawStep step, const CDrawPassInfo& info, DrawObjectFn draw);
