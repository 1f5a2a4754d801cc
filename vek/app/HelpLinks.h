#pragma once
// The help files and the program's web page: HTML Help, loaded on first use,
// and the shell's "open" verb. Tests put their own calls in place of the two
// entry points; the help library is still loaded as for a user.
#include <windows.h>

// HTML Help's entry: owner, file, command, command data.
typedef HWND(WINAPI* HtmlHelpProc)(HWND owner, LPCSTR file, UINT command, DWORD_PTR data);
// The shell's: owner, verb, file, parameters, folder, show command.
typedef HINSTANCE(WINAPI* ShellExecuteProc)(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR folder,
                                            INT show);

// Shows the help file's default topic; false when HTML Help could not be
// loaded or did not open a window for it.
bool ShowHelpFile(HWND owner, const char* path);
// Opens the address with the shell's "open" verb; the shell's result.
HINSTANCE OpenWebPage(HWND owner, const char* address);
// Whether the help library has been loaded.
bool IsHtmlHelpLoaded();

// Test seams: null puts the platform's entry back.
void SetHtmlHelpEntry(HtmlHelpProc entry);
void SetShellExecuteEntry(ShellExecuteProc entry);
