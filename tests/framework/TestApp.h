#pragma once
// The application object of the framework's window tests, and helpers.
#include "framework/Afx.h"
#include "tests/support/WinTestSupport.h"

#include <functional>
#include <string>
#include <vector>

class CTestApp : public CWinApp {
public:
    CTestApp();
    BOOL OnIdle(LONG count) override;
    BOOL PreTranslateMessage(MSG* msg) override;

    // Recorded by the overrides above when set.
    bool m_bRecord = false;
    std::vector<LONG> m_idleCounts;
    std::vector<UINT> m_preTranslated;
    LONG m_quitAtIdle = -1;
    int m_appCommands = 0;

protected:
    void OnAppCommand() { ++m_appCommands; }
    DECLARE_MESSAGE_MAP()
};

extern CTestApp theTestApp;

// Message boxes of the code under test, answered and recorded.
struct MessageBoxRecorder {
    std::vector<std::string> texts;
    int answer = IDOK;
    std::function<void()> onShow;
    MessageBoxRecorder();
    ~MessageBoxRecorder();
};

// Exceptions escaping message handlers, recorded. Without a recorder every
// such exception fails the running test.
struct HandlerExceptionRecorder {
    std::vector<std::string> whats;
    HandlerExceptionRecorder();
    ~HandlerExceptionRecorder();
};
void FailOnHandlerExceptions();

using vektest::RunSoon;
// A scratch file path in this program's own temporary folder.
std::string TempPath(const char* name);
