#pragma once
// Picking of nodes on the screen: the nearest node to a window point, the
// nodes inside a window or a polygon of window points. Only nodes shown
// (display state 1) are taken, or every node shown at all when asked.
//
// single: a hit on a selected node deselects it (neither Shift nor Ctrl
// held); otherwise a hit only selects. storeyRange: in the plan view with
// storeys, the nodes of the other shown storeys at the hit node's plan
// position take its new state. Each returns 1 when any node was hit.
int PickNearestNode(double x, double y, int single, int storeyRange);
int SelectNodesInWindow(const double corner1[2], const double corner2[2], int single, int all = 0);
int SelectNodesInRegion(int n, const double (*polygon)[2], int single, int all = 0);
// Every node deselected and redrawn; 1 when any was selected.
int UnselectAllNodes();
// The number of the first selected node in store order, 0 none.
int FirstSelectedNode();
