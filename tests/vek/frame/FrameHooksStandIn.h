#pragma once
// The main frame's links to the parts around it, for the frame's tests: every
// call is recorded, and the answers are the test's to choose.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

struct FrameHookLog {
    std::vector<std::string> calls;    // the links called, in order
    std::vector<std::string> prompts;  // texts shown as the prompt
    bool dockingBarMade = true;        // what CreateFrameDockingBar answers
    bool promptBar = true;             // whether the prompt bar exists
    bool operationRunning = false;
    int viewMode = 1;
    int resultCount[8] = {};
    int resultCurrent[8] = {1, 1, 1, 1, 1, 1, 1, 1};
    std::vector<std::pair<int, int>> resultChoices;  // selector, value
    std::vector<int> layerMoves;
    bool libraryDialogs = true;
    int libraryAnswer = IDOK;
    std::vector<UINT> libraryRuns;
    std::vector<std::string> messages;
    int messageAnswer = IDOK;

    // Has the link been called (since the last Reset)?
    bool Called(const char* name) const;
    // The calls among names, in the order they came.
    std::vector<std::string> CallsAmong(const std::vector<std::string>& names) const;
};

// The record; Reset starts a new one with the answers above.
FrameHookLog& Hooks();
void ResetHooks();
