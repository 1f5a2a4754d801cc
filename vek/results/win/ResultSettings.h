#pragma once
// Settings the result dialogs edit that live for the run (not in the project),
// and the slots through which the result commands reach work that other
// modules bring: a command whose slot is empty stays grey.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// The time-history response the viewer shows for a picked node: direction
// 0..6 (X, Y, Z translation, X, Y, Z rotation, the translations' resultant)
// and quantity 1 displacement, 2 velocity, 3 acceleration.
struct HistoryOutput {
    int16_t component = 0;
    int16_t quantity = 1;
};
extern HistoryOutput theHistoryOutput;

// The force text dialog's two file switches.
struct ForceFileSwitches {
    int32_t toFile = 0;
    int32_t shownOnly = 0;
};
extern ForceFileSwitches theForceFileSwitches;

// Steel members selected by a check ratio: item 0..6, treatment 0 keep the
// present selection, 1 decide anew; condition 0 inside [val1, val2], 1 outside.
struct SteelSelectRequest {
    int item = 0;
    int treatment = 1;
    int condition = 1;
    double val1 = -0.05;
    double val2 = 1.0;
};
extern SteelSelectRequest theSteelSelectRequest;

// The calculation report's options: (load case, gravity factor) pairs, the
// storey-drift and centre-of-gravity methods, the per-storey details switch
// and the report file.
struct ReportOptions {
    std::vector<std::pair<int, double>> factors;
    int driftMethod = 0;
    int gravityMethod = 0;
    int details = 0;
    std::string fileName;
};

// The tube joints' display switches and search options, and the input of
// one joint (gap or spacing, overlap ratio).
struct PipeJointSettings {
    int showMembers = 0;
    int showRatios = 0;
    int showGaps = 0;
    int filteredOnly = 0;
    int searchReplace = 0;
    int searchShownOnly = 0;
    int searchSelectedOnly = 0;
    float gap = 0;
    float overlap = 0;
};
extern PipeJointSettings thePipeJointSettings;

// The shell force text output: twenty local components, the element number
// and centre columns, the thickness and averaging switches, the current
// combination or the maxima of all, and the file.
struct ShellForceOutput {
    uint8_t components[20] = {};
    int withId = 1;
    int centre[3] = {};
    int timesThickness = 0;
    int vertexAverage = 0;
    int allCombinations = 0;
    std::string fileName;
};
extern ShellForceOutput theShellForceOutput;

// Work that other modules bring to the result commands.
struct ResultCommandSlots {
    // Fills the steel check display from the check results (its kind and item set).
    void (*readSteelCheck)() = nullptr;
    // Selects the shown steel members by their check ratios.
    void (*selectByCheck)(const SteelSelectRequest& request) = nullptr;
    // Writes the force text to a file; shownOnly keeps to the shown elements.
    bool (*writeForceFile)(const char* path, int shownOnly) = nullptr;
    // The calculation report: its options record, and the report written.
    ReportOptions* (*reportOptions)() = nullptr;
    void (*writeReport)() = nullptr;
    // The tube joints: the display switches stored, the search run, the
    // joint input operation started, and whether any steel section exists.
    void (*applyJointDisplay)() = nullptr;
    void (*searchJoints)() = nullptr;
    void (*beginJointInput)() = nullptr;
    // Writes the selected shells' forces by theShellForceOutput.
    bool (*writeShellForces)() = nullptr;
    // Shows a text in a new parameter display dialog under a caption.
    void (*showParameterText)(const char* caption, const char* text) = nullptr;
};
extern ResultCommandSlots theResultCommandSlots;

// The forces that the members above the nodes put on their lower ends,
// summed over the nodes and given back with the sign of a reaction, one line
// per force combination; empty when the result cannot be read.
std::string NodeAboveForceSum(const std::vector<int>& nodes);
