#pragma once
// A model built from the solver's result files when no project file exists:
// the nodes of base.SYS, .ID and .XYZ, the elements of base.PL, the springs
// of the data file. The files are read into a neutral list first, every rule
// applied there, and then handed to the element families.
#include <cstdint>
#include <vector>

#include "vek/model/ModelFamily.h"

struct CResultNode {
    int id = 0;
    double xyz[3] = {0, 0, 0};
    int restraints = 0;  // bit k: degree of freedom k fixed
    int useCount = 0;
};

struct CResultModelElement {
    EFamily family;
    CResultElement element;
};

struct CResultModel {
    std::vector<CResultNode> nodes;  // numbers 1..count
    // Elements in file order, the steel and variable-section beams behind the
    // ordinary ones with their offsets applied; then the springs.
    std::vector<CResultModelElement> elements;
    int solidType = -1;  // the project's 3-D element type, -1 when no solid set it
    bool hasSprings = false;
    int sframeOffset = 0;
    int vframeOffset = 0;
};

// Reads the result files of base (folder and project name, no extension).
// 1 on success; 0 after a message for a missing or damaged file (without one
// when .ID or .XYZ cannot be opened).
int ReadResultFiles(const char* base, CResultModel& model);
// Hands the model to the families (nodes first) and sets the offsets and the
// 3-D element type; 0 after a message when a store cannot take it.
int ApplyResultModel(const CResultModel& model);
// ReadResultFiles, the flashing prompt that the model's axes may be wrong,
// ApplyResultModel, then the model parameters of the data file.
int ReadResultModel(const char* base);

// The reference direction of a curved beam or pipe from its end points.
void MemberReferenceDirection(const double a[3], const double b[3], float out[3]);

// Builds the model from the result files of the path's folder and name into
// an emptied model and sets the view up for it; 1 on success. On failure the
// model as it was is put back.
int OpenModelFromResults(const char* path);
