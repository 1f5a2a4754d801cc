#pragma once
// Helpers for tests that drive real windows under Wine.
#include <windows.h>
#include <string>

namespace vektest {

// Saves what the window shows as build/artifacts/<name>.bmp; returns the path,
// or an empty string when it could not be written.
std::string SaveWindowShot(HWND hwnd, const char* name);
// The same from what the screen shows where the window lies, its children
// included (the window must be on top and painted).
std::string SaveScreenShot(HWND hwnd, const char* name);

// Dispatches pending messages of this thread for up to `ms` milliseconds, or
// until `done` (when given) returns true.
bool PumpMessages(DWORD ms, bool (*done)(void*) = nullptr, void* ctx = nullptr);

} // namespace vektest
