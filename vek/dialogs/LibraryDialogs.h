#pragma once
// The library dialogs of the parameter menu (materials, common, steel and
// variable sections, springs), as the main frame calls them: modal, IDOK when
// the library changed. Each comes with its dialog; until then its command
// answers IDCANCEL and nothing changes.
typedef int (*LibraryDialogFn)(unsigned command);
// Serves every command that has no dialog of its own.
extern LibraryDialogFn pfnRunLibraryDialog;

// Command 32935..32939.
int RunLibraryDialog(unsigned command);
// The dialog of one command (null: none again).
void SetLibraryDialog(unsigned command, LibraryDialogFn fn);
bool HasLibraryDialogFor(unsigned command);
// The command's own dialog, else pfnRunLibraryDialog.
LibraryDialogFn LibraryDialogFor(unsigned command);
