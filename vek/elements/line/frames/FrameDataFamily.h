#pragma once
// The frames as the solver data file's beam blocks see them. The program
// puts this family into the data-file writer's slot where it binds the
// analysis (RegisterFrameDataFamily).
class CFrameDataFamily;
class DKorvaDataFile;

CFrameDataFamily& FrameDataFamilyOfFrames();

// A section-material combination line after its number: the section's
// fields by kind (0 general, 1 steel, 2 variable), then the material's
// fields for beams, which end the line (only the line end without one).
void WriteSectMatCombineLine(DKorvaDataFile& file, int kind, int section, int material);
