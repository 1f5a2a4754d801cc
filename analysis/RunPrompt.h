#pragma once
// How the run manager speaks to the user: one message box, answered.
#include "analysis/AnalysisApi.h"

class ANALYSIS_API CRunPrompt {
public:
    enum Kind {
        Stop,      // OK, stop icon
        Question,  // Yes/No, question icon
        Warning,   // Yes/No, exclamation icon
        Plain,     // OK, no icon
    };
    virtual ~CRunPrompt() = default;
    // 1 for OK or Yes, 0 for No.
    virtual int Prompt(const char* text, int kind) = 0;
};
