#include "vek/dialogs/LibraryDialogs.h"

#include "framework/WinTypes.h"

int RunLibraryDialog(unsigned command)
{
    const LibraryDialogFn fn = LibraryDialogFor(command);
    return fn ? fn(command) : IDCANCEL;
}
