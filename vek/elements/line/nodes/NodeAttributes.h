#pragma once
// The commands that set restraints, masses, temperatures, tower numbers and
// loads on the selected nodes (each one undo group), the copying of node
// attributes by the copy operations, and the reversal or deletion of loads.
class CNode;

// The input values of theNodeInputs on every selected node. Each returns the
// number of nodes changed.
int SetRestraintsOfSelected();
int SetMassOfSelected();
int SetTemperatureOfSelected();
// Refused with a message below 1 or above 255 (a byte).
int SetTowerOfSelected();
// The node-load panel's operation on the current load case.
int SetNodeLoadOfSelected();
// Every selected node is split at: walls and frames split by their families.
void SplitElementsAtSelectedNodes();

// The copy options the copy operations set.
struct CNodeCopyOptions {
    bool attributes = true;        // layer, mass, temperature, tower
    bool loads = true;             // the load table
    bool currentCaseOnly = false;  // only the entry of the current load case
};
extern CNodeCopyOptions theNodeCopyOptions;

// The texts of the value panels of these commands.
extern const char* const kTemperaturePrompt;
extern const char* const kTemperatureHint;
extern const char* const kTowerPrompt;
extern const char* const kTowerHint;
// The mass panel: its heading and the labels of its fields (six, or three
// in a plane model: Y and Z masses and the X inertia). Returns the count.
int MassPanelTexts(char heading[128], char labels[6][32], int indices[6]);

// Records the loads for undo, then removes the entry of loadCase (every
// entry when below 1) or, without remove, negates its values.
void ReverseOrDeleteNodeLoads(CNode& node, bool remove, int loadCase);

// What the node commands ask of the other families; unbound, nothing.
struct CNodeSplitHooks {
    void (*splitWallsAtNode)(int node) = nullptr;
    void (*breakFramesAtNode)(int node) = nullptr;
};
extern CNodeSplitHooks theNodeSplitHooks;
