#pragma once
// Operations on the whole node store that change node numbers or remove
// nodes: merging coincident nodes, sorting, converting every node reference
// through a renumbering table, finding parts that are not connected, and
// removing free nodes. Renumbering discards the undo history.
#include <cstdint>

// Merges coincident nodes among the listed ones (every node when count is
// below 1). Each node, taken in ascending number, absorbs the nodes of
// higher numbers within the tolerances that nothing absorbed yet, so no two
// nodes left coincide. Survivors are renumbered 1..k. Returns the number of
// nodes merged away.
int MergeCoincidentNodes(const int* list, int count, int checkConnectivity);
// The selected nodes, deselected, merged among themselves.
int MergeSelectedNodes();
// Renumbers all nodes in the project's sort order. 1 when anything changed.
int SortNodes();
// Rewrites every node reference of the model: table[old - 1] is the new
// number (0 or less: gone), old numbers 1..maxID. An element's reference to
// a number outside 1..maxID (a damaged file) becomes 0, told once.
void ConvertNodeNumbers(const int* table, int maxID);
// Selects the smaller of two parts of the model that share no element,
// after a message; 1 when the model is connected.
int SelectDisconnectedPart();
// 1 when no node is free; otherwise asks, deletes them on Yes, returns 0.
int AskDeleteFreeNodes();
// Deletes the candidate free nodes (live bit clear, used by nothing), each
// recorded in the caller's undo group. Returns how many.
int DeleteFreeNodes();
// The selected nodes that no element uses are deleted.
int DeleteOrphanNodes();

// The question before two nodes of one element are merged; 1 "全否",
// 2 "否", 3 "全是", 4 "是". The dialog binds itself; unbound, the answer
// is "否" (the pair is kept).
extern int (*theCombNodeConfirm)(const char* text);
