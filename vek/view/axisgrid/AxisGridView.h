#pragma once
// The axis grids in the view: where their lines fall on the screen, how
// they are drawn with numbered bubbles and spacings, picking of grids and
// single lines, and snapping to grid nodes.
#include "vek/model/axisgrid/AxisGrid.h"

class CViewProjection;

// A point of the grid's plane (global x-y in plan, the elevation's own
// coordinates in an elevation) as a model point (plan: at the platform's
// height), a pixel in that plane, and that point in pixels; a local grid
// point in pixels.
void GridPlaneToWorld(const CViewProjection& projection, double x, double y, double out[3]);
void ScreenToGridPlane(int x, int y, double& u, double& v);
void GridPlaneToScreen(double x, double y, double& sx, double& sy);
void AxisGridLocalToScreen(const CAxisGrid& grid, const double local[2], double& sx, double& sy);

// Draws one grid in one drawing session; colourIndex 2..10 picks a line
// colour of the fixed table, others the axis-grid colour.
void DrawAxisGrid(const CAxisGrid& grid, int colourIndex);
// The line under a screen point: list 0 or 1 and its index; 1 on a hit.
int PickAxis(const CAxisGrid& grid, int x, int y, int& list, int& index);

// 1 and the grid node's model point when one lies within the pick aperture.
int SnapToGridNode(int x, int y, double out[3]);
// Selects (or with toggle unselects) every visible grid with a line under
// the point; 1 when any was hit.
int PickAxisGrid(int x, int y, int toggle);
inline int PickAxisGrids(int x, int y, int toggle)
{
    return PickAxisGrid(x, y, toggle);
}
// The same for the lines under the point.
int PickAxisLine(int x, int y, int toggle);

// The view's extent hook: widens the projection's extent box by the grid
// nodes that bound the grids.
void AddGridNodesToExtent(CViewProjection& projection);
