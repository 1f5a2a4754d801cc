#pragma once
// Helpers for tests that drive real windows under Wine.
#include <windows.h>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vektest {

// Saves what the window shows as build/artifacts/<name>.bmp; returns the path,
// or an empty string when it could not be written.
std::string SaveWindowShot(HWND hwnd, const char* name);
// The same from what the screen shows where the window lies, its children
// included (the window must be on top and painted).
std::string SaveScreenShot(HWND hwnd, const char* name);
// What the window's client area shows over width x height from its corner,
// as 32-bit pixels row by row from the top.
std::vector<uint32_t> WindowPixels(HWND hwnd, int width, int height);

// Where the tests' PDF printer (cups-pdf, set up by tools/printer) writes, seen from Wine.
constexpr const char* kPrintedPdfFolder = "Z:\\tmp\\vek-pdf";
// The PDF made of the print job with this title, once it is whole; empty when
// none came in a minute.
std::string WaitForPrintedPdf(const std::string& title);

// Sees each message before it is dispatched, and keeps those it returns TRUE
// for (an application's PreTranslateMessage, say).
using PreTranslate = std::function<BOOL(MSG*)>;

// Dispatches the messages of this thread (paints and due timers included)
// until none is left.
void PumpPending(const PreTranslate& pre = nullptr);

// Dispatches messages of this thread as they arrive until `done` returns true;
// returns false only when it is still not done after `safetyMs`, a bound far
// beyond any wait of a working program (it keeps a broken run from hanging).
bool PumpUntil(const std::function<bool()>& done, DWORD safetyMs = 30000, const PreTranslate& pre = nullptr);

// Runs fn once from a timer of this thread, inside whatever message loop
// runs then (a modal dialog's or an open menu's too).
void RunSoon(std::function<void()> fn, UINT delayMs = 30);
// Forgets what RunSoon still holds (their timers then do nothing).
void CancelSoon();

}  // namespace vektest
