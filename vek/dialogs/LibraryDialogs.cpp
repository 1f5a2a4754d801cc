#include "vek/dialogs/LibraryDialogs.h"

#include "framework/WinTypes.h"

LibraryDialogFn pfnRunLibraryDialog = nullptr;

int RunLibraryDialog(unsigned command)
{
    return pfnRunLibraryDialog ? pfnRunLibraryDialog(command) : IDCANCEL;
}
