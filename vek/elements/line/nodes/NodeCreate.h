#pragma once
// Nodes at points: the one way every operation gets a node at a point, and
// the node commands (a node at a point, at the crossing of two lines, a row
// along a segment, a grid on a quadrilateral, nodes along an arc).

// The number of the node at the point: an existing one within the node
// tolerances while the coincidence check is on (the lowest number among
// several), else a new node (recorded for undo, drawn). 0 with "节点数量过多!"
// when the store cannot take it.
int FindOrAddNode(const double point[3]);
// The lowest number of a node at the point, 0 when none; creates nothing.
int FindNodeAt(const double point[3]);

// The counts the row and grid methods offer next time.
extern int nRowNodeCount;
extern int nGridNodeCount12;
extern int nGridNodeCount23;

// The picked points of an operation (model points) and how many there are.
struct CPickedPoints {
    int count = 0;
    const double (*points)[3] = nullptr;
};

// The callbacks of the node commands, each one undo group:
// code 40 and 41: a node at the first point (41, typed coordinates, then
// asks the view for the next typed point); 42: at the second point.
int AddNodeAtFirstPoint(const CPickedPoints& picks, int command);
// The left panel's generation method (theProjectOptions.nGenerateMethod):
// 1 one node, 4 a row, 5 a grid, 6 along an arc, 7 at the crossing of the
// lines 1-2 and 3-4. Returns how many nodes the command ended with made.
int GenerateNodes(const CPickedPoints& picks);
// The same for a method given.
int GenerateNodesBy(int method, const CPickedPoints& picks);
// The arc through the picked points divided as the current command asks
// (nodes, columns, beams or walls); 1 when anything was made.
int DivideArcFromPicks(const CPickedPoints& picks);

// What the node commands ask of the window side; unbound, nothing.
struct CNodeCommandHooks {
    // Posts '#' to the view: the next typed coordinates follow.
    void (*postTypedInput)() = nullptr;
};
extern CNodeCommandHooks theNodeCommandHooks;
