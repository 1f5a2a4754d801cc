#pragma once
// Node coordinates by node ID, as the model's geometry code asks for them.
// The node store binds the lookup when it exists; unbound, no node is found.

// Coordinates of node `id` (its drawing position, displaced while the
// deformed shape is shown, when `drawn` is set); 0 when there is no such node.
int NodeCoord(int id, int drawn, double out[3]);

using NodeCoordLookup = int (*)(int id, int drawn, double out[3]);
// Binds the lookup (null: none); returns the previous one.
NodeCoordLookup SetNodeCoordLookup(NodeCoordLookup lookup);

// The smallest distance between two nodes that the model keeps apart.
extern double theMinNodeSpacing;
