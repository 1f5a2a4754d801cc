#pragma once
// The fields of the project options that the parameter records, the storey
// table and the geometry helpers read and write, in one place.
#include <cstdint>

namespace opts {

// Two points closer than these in plan and in height count as one.
double HorizontalNodeSpacing();
void SetHorizontalNodeSpacing(double v);
float VerticalNodeSpacing();
void SetVerticalNodeSpacing(float v);
// Unit system code 0..4.
int UnitCode();
void SetUnitCode(int code);
// Renumbering order 1..8 (20: by group number).
int SortOrder();
void SetSortOrder(int order);
// The model lies in the global Y-Z plane.
bool PlaneModelMode();
void SetPlaneModelMode(bool on);
// Adding a node finds existing ones through the storey of the point.
void SetStoreyLookup(bool on);
bool StoreyLookup();
// Result maxima are taken over the displayed objects only.
bool MaximaOverShownObjects();
void SetMaximaOverShownObjects(bool on);
// Elements of a higher construction stage are not shown.
int HighestStageShown();
void SetHighestStageShown(int stage);
int CurrentLoadCase();
void SetCurrentLoadCase(int lc);
// Positions of the main frame's six result selectors (1-based, 0 none).
int ResultSelector(int i);
void SetResultSelector(int i, int value);
// Code of the interactive operation running, 0 when none.
int CurrentCommand();
void SetCurrentCommand(int code);

}  // namespace opts
