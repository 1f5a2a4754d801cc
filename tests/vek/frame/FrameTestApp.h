#pragma once
// The application object of the main frame's tests, and the frame made as
// the program makes it: one document template with the program's resources.
#include "FrameHooksStandIn.h"
#include "framework/Afx.h"
#include "tests/support/WinTestSupport.h"
#include "vek/app/MainFrm.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

class CFrameTestApp : public CWinApp {
public:
    CFrameTestApp() : CWinApp("VekFrameTest") {}
};

extern CFrameTestApp theFrameTestApp;

namespace frametest {

// Makes the main frame with its document and view, shown and painted; null
// when its creation failed.
CMainFrame* OpenFrame();
// Closes it as the user does, the program going on.
void CloseFrame();
// Dispatches messages, through the application's own filtering (accelerators,
// the frame's right clicks), until done holds; false when it still does not
// after a long safety bound.
bool PumpUntil(const std::function<bool()>& done);
void Drain();

using vektest::CancelSoon;
using vektest::RunSoon;
// The popup menu on the screen, or null.
HMENU OpenPopupMenu();

// The texts of a menu's items, by position ("" for a separator).
std::vector<std::string> ItemTexts(HMENU menu);
// Every command of a menu and its submenus.
void CollectCommands(HMENU menu, std::vector<UINT>& out);
// Sends the frame what opening the popup sends (its items get their state).
void InitPopup(CWnd* frame, HMENU popup);
// The profile file of this test program.
std::string ProfilePath();

// A test of the frame: a fresh record of the links and a fresh profile; the
// frame is closed at the end (its picture saved when the test failed).
class FrameTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    CMainFrame* Open();
    CMainFrame* frame = nullptr;
};

}  // namespace frametest
