#pragma once
// The parts of an element's display test that every family shares.

// The element's layer is visible, its storey among the shown storeys, its
// number within the family's shown range (every step-th from the first; a
// step below 1 counts as 1) and |stage| not above the shown stage.
// range: the index of the family's range in theDisplayRange.
bool PassesDisplayFilters(int range, int id, int layer, int storey, int stage);

// The state on the storey plan of a model with storeys: 0 when the element
// is not on its storey floor, 1 on the current storey, 2 on another storey
// of the shown storey range, else 0.
int StoreyPlanDisplayState(bool onFloor, int storey);
