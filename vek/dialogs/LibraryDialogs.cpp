#include "vek/dialogs/LibraryDialogs.h"

#include "framework/WinTypes.h"

LibraryDialogFn pfnRunLibraryDialog = nullptr;

namespace {

constexpr unsigned kFirst = 32935, kLast = 32939;
LibraryDialogFn dialogs[kLast - kFirst + 1] = {};

LibraryDialogFn DialogOf(unsigned command)
{
    if (command >= kFirst && command <= kLast && dialogs[command - kFirst]) return dialogs[command - kFirst];
    return pfnRunLibraryDialog;
}

}  // namespace

void SetLibraryDialog(unsigned command, LibraryDialogFn fn)
{
    if (command >= kFirst && command <= kLast) dialogs[command - kFirst] = fn;
}

bool HasLibraryDialogFor(unsigned command)
{
    return DialogOf(command) != nullptr;
}

int RunLibraryDialog(unsigned command)
{
    const LibraryDialogFn fn = DialogOf(command);
    return fn ? fn(command) : IDCANCEL;
}
