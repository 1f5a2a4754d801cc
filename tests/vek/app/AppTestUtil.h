#pragma once
// Helpers of the application's window tests: the program's own frame, view
// and document made once from its document template, the test program's
// folder, and message boxes answered and recorded.
#include <functional>
#include <string>
#include <vector>

#include "framework/Afx.h"
#include "vek/app/MainFrm.h"
#include "vek/app/VekApp.h"

namespace apptest {

// Generous: only a broken run ever waits this long.
constexpr DWORD kSafety = 30000;

// The main frame with its document and view, made on first use and shown.
CMainFrame* Frame();
// The folder of the test program (and of Vek.exe and the stand-ins), no trailing "\".
std::string ProgramFolder();

// Message boxes answered with a button and recorded while it lives.
struct BoxRecorder {
    std::vector<std::string> texts;
    std::vector<UINT> types;
    int answer = IDOK;
    std::function<void()> onShow;
    BoxRecorder();
    ~BoxRecorder();
};

}  // namespace apptest
