#pragma once
// Values shown on members after the design checks: the largest steel-check
// item of each steel member and the axial compression ratio of concrete
// columns.
#include "containers/MArrayID.h"
#include "korvalib/results/Forces.h"

// Over every record and section: the largest ratio of each of the seven
// check items to its limit, and the largest value of each item (strength
// stress, stability stress, shear stress, slenderness 1-3 and 1-2,
// width-thickness, height-thickness). Both start at 0.
void GetSframeCheckMaxima(const MArrayID<DSframeCheck>& records, double ratios[7], double values[7]);

// SteelCheckDisp::Read: every steel member's largest value (kind 1) or
// ratio (kind 2) of the chosen item. The other member-force pictures and the
// contour are switched off. false (kind 0) when nothing was read.
bool ReadSteelCheck();
void CalcSteelCheckLargest();

// AxialRatioDisp::Fill: -N / (fc A) at the worst section of every concrete
// column (section kind 0, not horizontal, grade at least 7) for the current
// force combination (kind 1) or the largest over all (kind 2). Members whose
// fc A is about 0 are left out. false (kind 0) when the forces cannot be read.
bool FillAxialRatio();
void CalcAxialRatioLargest();
