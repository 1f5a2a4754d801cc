#pragma once
// The frame lines of the solver's data file and the values that turn a
// prestress into an axial temperature.
#include <string>

class CFrame;
class DKorvaDataFile;

// The frame line: number, nodes, "M=" combination, local axis, output
// sections, rigid ends, releases, eccentricities, cables, the load numbers
// of cases 1..loadCaseCount (rows[case - 1][frame - 1], 0 none), prestress
// items and the stage. The output-section count of tension- or
// compression-only and fully released frames is adjusted in the frame.
void WriteFrameDataLine(DKorvaDataFile& file, CFrame& frame, int combination, int loadCaseCount,
                        const int* const* rows);
// 1 with the section area, E and the expansion coefficient; 0 with the
// reason in message.
int GetAxialTempParams(const CFrame& frame, double& area, double& E, double& alpha, std::string& message);
// E of steel, 2.06e8 kN/m², in the unit system of that code.
double DefaultSteelModulus(int unitCode);
