#pragma once
// The analysis options, kept in the profile as one text ("Settings",
// "anaOpt"): the iteration of tension- and compression-only members, the
// reuse of an existing data file, the choice of the solver's steps, the
// modal analysis of a free structure, the options dialog before each run and
// contiguous element numbers.
#include <cstdint>
#include <string>

struct CAnalysisOptions {
    uint8_t iterateCases = 1;       // load-case displacements
    uint8_t iterateDispCombs = 1;   // combination displacements
    uint8_t iterateForceCombs = 1;  // combination forces
    int16_t maxSteps = 15;
    uint8_t reuseDataFile = 0;
    uint8_t chooseModules = 0;
    uint8_t freeModal = 0;
    uint8_t showDialog = 1;
    uint8_t contiguousNumbers = 1;
    double tolerance = 1e-8;  // zero axial force of a one-way member

    // The profile text; fields out of their range keep the value they had.
    // A missing tenth field leaves the tolerance unchanged.
    void Parse(const char* text);
    std::string Format() const;
    // The tolerance made positive; 1 when it is too large, -1 too small
    // (warnings: the value stays), 0 otherwise.
    int CheckTolerance();
    bool IterationOff() const { return !iterateCases && !iterateDispCombs && !iterateForceCombs; }
};
extern CAnalysisOptions theAnalysisOptions;

constexpr const char* kAnalysisOptionsDefault = "1,1,1,15,0,0,0,1,1";
// The options from the profile and back.
void ReadAnalysisOptionsProfile();
void WriteAnalysisOptionsProfile();
// The warning of CheckTolerance's answer, null for 0.
const char* ToleranceWarning(int check);
