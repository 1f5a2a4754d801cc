#pragma once
// Before a model goes to the solver: every element on existing nodes, the
// structure restrained, the analysis parameters in agreement with the model,
// data nothing uses deleted, and numbers without gaps. The element families'
// own checks run from here in a fixed order.
#include <vector>

class CModelFamily;

// The whole data check, reported by prompt and message.
void CheckModelData();
// Element node numbers that name no node become the last node's number; the
// elements are selected and named in one message. 1 when nothing was wrong.
int RepairElementNodes();
// Every node's use count; then, unless the model's settings leave it to
// others, a message naming the translations nothing restrains.
void UpdateNodeUseCounts();
// How many element ends use each node: entry id (0..the last node number);
// without the shells when asked.
std::vector<int> CountNodeUses(bool withShells = true);
// The analysis parameters against the model, each problem put right at once.
void CheckAnalysisParameters();
// Materials, loads and sections that nothing refers to are deleted.
void DeleteUnusedData();
void DeleteUnusedMaterials();

// Numbers a store 1..count in its present order: map[old - 1] = new (sized by
// the last old number). 0 when the numbers already were 1..count.
int CompactIDs(CModelFamily& store, std::vector<int>& map);
// Nodes, then beams, shells, walls, solids and springs numbered without
// gaps, every reference following. A change empties the undo history.
void RenumberNodes();
void RenumberElements();
