#pragma once
// The contour's value set: one value per node for displacements of a load
// case, combination, spectrum direction, stage, mode or buckling mode
// (kinds 5-10), one per section of each beam for its forces (kind 11), for
// the current selection or as an envelope over all of them. Stresses of
// plane, shell and solid elements and the forces of trusses, curved beams,
// pipes and walls come with their families.

// Fills the set for the contour's kind, component and envelope mode, then
// its range. false (kind 0, message) when the results cannot be read.
bool FillContour();
// The set's smallest and largest value.
void CalcContourRange();
// ContourState::Update: the fill, then a redraw (or the animated picture
// rebuilt when it grows from nothing).
void UpdateContour();
