#pragma once
// The property commands on the selected frames: column angle, rigid ends
// and eccentricities, local axes, releases and the end toggle, loads and
// temperatures, prestressing cables along a picked line, the combination of
// collinear frames and the overlap check of a selection. Each change is one
// undo group with a record per changed frame.
#include <cstdint>

class CFrame;
class CFrameLoadPara;

// Joins their callbacks to the view's operation codes.
void RegisterFramePropertyCommands();

int ApplyColumnAngle();    // code 87: theColumnAngleDegrees
int ApplyFrameEnds();      // code 92: rigid ends and eccentricities of theFrameDefaults
int ApplyLocalAxis();      // code 91: theFrameAxisPara
int ApplyFrameReleases();  // code 96: the release bytes of theFrameDefaults
// Code 108: the end of each selected frame nearer the cursor (view pixels)
// is toggled between rigid and released in both bending planes.
int ToggleEndRelease(int cursorX, int cursorY);
int ApplyFrameLoadPara();     // code 95: the load input on the current load case
int ApplyFrameTemperature();  // code 97: prestress and temperatures
// Code 82: the cable input along P0-P1 on every frame lying on the segment;
// returns how many frames changed.
int AssignPrestressCable(const double p0[3], const double p1[3]);

// The load points of the input for this frame: interpolated between the two
// interpolation points, or sampled from the expression, else as entered.
void BuildFrameLoadPoints(const CFrameLoadPara& para, const CFrame& frame, int& n, double* x, double* v, int max);

// Code 603: joins b into a where they share a node; 0 when nothing joined.
int CombineFrames(int a, int b);
int CombineSelectedFrames();
// Code 615: the selected frames and walls through the overlap check.
int CheckSelectedOverlap();

// Every frame gets trunc(length / spacing + 0.5) - 1 interior output
// sections (0..9); a spacing below the horizontal node spacing counts as 1.
void SetOutputSectionsBySpacing(double spacing);

// Where window generation places columns, and how many storeys down they reach.
struct CColumnWindowInput {
    uint8_t atNodes = 1;
    uint8_t atGridPoints = 0;
    int16_t storeysDown = 1;
};
extern CColumnWindowInput theColumnWindowInput;
