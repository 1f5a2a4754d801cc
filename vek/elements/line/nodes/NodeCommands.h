#pragma once
// The model work of the node and spring commands, by operation code: what
// each operation's callback does once its points are picked or its
// selection confirmed. The view's command table starts the operations; the
// family fills the table's callback slots of these codes as it is linked.
#include "vek/elements/line/nodes/NodeCreate.h"

// Codes 40, 41, 42 (nodes at points), 44 (merge the selected nodes), 45
// (loads), 46 (temperatures), 47 (restraints), 48 (masses), 49 (grounded
// springs), 50 (split at the selected nodes), 52 (node information), 53
// (distance of two points), 56 (spring between two nodes), 57 (towers), 60
// (reverse grounded springs), 61 (spring information). Returns what the
// operation did (objects made or changed), 0 for an unknown code.
int RunNodeCommand(int code, const CPickedPoints& picks);

// Command 32824: asks with the merge tolerances, merges every coincident
// node on Yes. Returns the nodes merged away.
int MergeAllNodesCommand();
// Command 32930 with the nodes chosen: renumbered in the sort order.
int SortNodesCommand();
