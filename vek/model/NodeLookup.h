#pragma once
// Node coordinates by node ID, as the model's geometry code asks for them.
// A lookup bound here answers; unbound, the node family registered in the
// model's family table does (vek/model/ModelFamily.h), and without one no
// node is found.

// Coordinates of node `id` (its drawing position, displaced while the
// deformed shape is shown, when `drawn` is set); 0 when there is no such node.
int NodeCoord(int id, int drawn, double out[3]);

using NodeCoordLookup = int (*)(int id, int drawn, double out[3]);
// Binds the lookup (null: none); returns the previous one.
NodeCoordLookup SetNodeCoordLookup(NodeCoordLookup lookup);

// The smallest distance between two nodes that the model keeps apart.
extern double theMinNodeSpacing;
