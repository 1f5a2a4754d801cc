#pragma once
// The application's helpers that hand out window objects, and the doors to
// the shell and to HTML Help (tests replace them).
#include "framework/Afx.h"

class CVekView;
class CVekDoc;
class CProcessManager;

// The first view of the active document that is a CVekView, else null.
CVekView* GetVekView();
// The main frame's active document when the frame is a CMainFrame and the
// document a CVekDoc, else null.
CVekDoc* GetVekDoc();

// The run manager of the program: solver runs, and the project's folder and name.
extern CProcessManager theProcessManager;

// ShellExecuteA; returns its result as a number (above 32 on success).
typedef INT_PTR (*ShellOpenFn)(HWND owner, const char* verb, const char* file, const char* parameters,
                               const char* folder, int show);
INT_PTR AppShellOpen(HWND owner, const char* verb, const char* file, const char* parameters, const char* folder,
                     int show);
// HTML Help's display-topic command, the help library loaded on first use;
// the help window or null.
typedef HWND (*HtmlHelpFn)(HWND owner, const char* file);
HWND AppHtmlHelp(HWND owner, const char* file);
// Replace the doors (null: the system's again); each returns the previous one.
ShellOpenFn SetShellOpenHook(ShellOpenFn fn);
HtmlHelpFn SetHtmlHelpHook(HtmlHelpFn fn);

// Writes a text to standard error on a line of its own (batch runs).
void WriteStandardError(const char* text);
