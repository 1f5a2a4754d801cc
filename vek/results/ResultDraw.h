#pragma once
// The result display's part of the model drawing: the displacement scale the
// nodes are drawn with, the force diagram of beams, member forces and check
// values as numbers, and the caption line.
#include <vector>

struct CLineStation;
struct DiagramMember;

// A member's diagram stations (position along the member, 0..1) and its end
// nodes; false when the beam or its nodes are not in the model.
bool DiagramStations(const DiagramMember& m, int nodes[2], std::vector<CLineStation>& stations);
void DrawFrameDiagram();
// Member forces as numbers beside their members.
void DrawForceText();
// Steel-check values and axial compression ratios beside their frames.
void DrawMemberValues();
// Whether the contour pass draws the beam (by number, with its end nodes) in
// the contour's colours; its own body is then left out of the model drawing.
bool ContourDrawsBeam(int id, int nodeI, int nodeJ);
// Beams in the contour's colours: by their end nodes' displacements, or by
// their own section forces.
void DrawBeamContour();
// The contour's colour column with its values at the upper left.
void DrawContourLegend(int width, int height);
// Runs before the model is drawn: scale, diagram, caption.
void DrawResultPass();
