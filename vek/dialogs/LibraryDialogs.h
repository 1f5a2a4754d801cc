#pragma once
// The library dialogs of the parameter menu (materials, common, steel and
// variable sections, springs), as the main frame calls them: modal, IDOK when
// the library changed. They come with the dialogs; until then each answers
// IDCANCEL and nothing changes.
typedef int (*LibraryDialogFn)(unsigned command);
extern LibraryDialogFn pfnRunLibraryDialog;

// Command 32935..32939.
int RunLibraryDialog(unsigned command);
