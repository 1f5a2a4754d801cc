#pragma once
// The frame commands: beam and column generation, and the property
// commands on the selected frames, each one undo group.
#include "vek/elements/line/frames/FrameGenerate.h"

class CFrame;

// Binds the operation callbacks of the view's command table.
void RegisterFrameCommands();

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
