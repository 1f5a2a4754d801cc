#pragma once
// What the frame's links ask of the application while the frame is made and
// while it closes.
#include "framework/Afx.h"

// True in a batch run: its frame is never shown, so neither the frame's
// layout nor the program's settings are kept in the profile.
BOOL IsBatchRun();

// The analysis options' profile copy ("anaOpt"); the analysis settings bind it.
struct AnalysisOptionsProfile {
    void (*read)() = nullptr;
    void (*write)() = nullptr;
};
extern AnalysisOptionsProfile theAnalysisOptionsProfile;
