#pragma once
// Beam and column generation (view commands 80 and 81): by the left panel's
// generation method the picked points give one line, a row, a grid on a
// quadrilateral, a window or an arc. Every command is one undo step; a batch
// too large for the coincidence check is merged afterwards instead.
struct CPickedPoints;

// Code 80. Methods 1 and 2: one line from point 1 to point 2, split at nodes
// and crossings; 4 a row along points 1-2; 5 a grid on points 1-4; 6 an arc.
// Returns the frames added.
int GenerateBeams(const CPickedPoints& picks);
// Code 81, plan platform only. Method 1: a column below the node at point 1;
// 3 columns in the window of points 1-2; 4 a row; 5 a grid; 6 an arc.
int GenerateColumns(const CPickedPoints& picks);

// The node one storey height below (found or added), 0 when there is none.
int AddNodeBelow(int node);
void AddColumnBelowNode(int node);

// The methods' own work, inside the command's undo group. Each asks for
// its counts (the last ones offered) and returns the frames added.
int BeamsAlongSegment(const double p1[3], const double p2[3]);
int BeamGridOnQuad(const double (*p)[3]);
int ColumnsAlongSegment(const double p1[3], const double p2[3]);
int ColumnGridOnQuad(const double (*p)[3]);
// Screen corners; strictly inside counts.
int ColumnsInWindow(const double c1[2], const double c2[2]);
