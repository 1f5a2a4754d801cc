#pragma once
// The frame commands: beam and column generation, and the property
// commands on the selected frames, each one undo group.
class CFrame;
struct CPickedPoints;

// Binds the operation callbacks of the view's command table.
void RegisterFrameCommands();

// Code 80: beams between the picked points by the generation method (1 and
// 2: one line from point 1 to point 2, split at nodes and crossings).
// Returns the frames made.
int GenerateBeams(const CPickedPoints& picks);
// Code 81: a column below the node at the picked point (plan platform).
int GenerateColumns(const CPickedPoints& picks);
// The node one storey height below (found or added), 0 when there is none.
int AddNodeBelow(int node);
void AddColumnBelowNode(int node);

// The common pattern over the selected frames: returns how many changed.
int ApplyFrameMaterial();             // code 85: the current material
int ApplyFrameSection();              // code 83: the current section
int ApplyOutputSections(int count);   // code 109: count 2..11 output sections in all
int ApplyAxialForceType(int type);    // code 107
int ReverseLocalAxis();               // code 110
int DivideSelectedFrames(int parts);  // code 601

// The number of equal parts of the division command.
extern int nFrameDivideParts;
// The output sections the panel asks for (2..11).
extern int nFrameOutputSections;
