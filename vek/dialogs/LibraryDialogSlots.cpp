// The library dialogs' slots, apart from RunLibraryDialog so that the frame's
// tests can put their stand-in of it in its place.
#include "vek/dialogs/LibraryDialogs.h"

LibraryDialogFn pfnRunLibraryDialog = nullptr;

namespace {

constexpr unsigned kFirst = 32935, kLast = 32939;
LibraryDialogFn dialogs[kLast - kFirst + 1] = {};

}  // namespace

LibraryDialogFn LibraryDialogFor(unsigned command)
{
    if (command >= kFirst && command <= kLast && dialogs[command - kFirst]) return dialogs[command - kFirst];
    return pfnRunLibraryDialog;
}

void SetLibraryDialog(unsigned command, LibraryDialogFn fn)
{
    if (command >= kFirst && command <= kLast) dialogs[command - kFirst] = fn;
}

bool HasLibraryDialogFor(unsigned command)
{
    return LibraryDialogFor(command) != nullptr;
}
