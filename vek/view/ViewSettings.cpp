#include "vek/view/ViewSettings.h"

#include "vek/model/ViewLink.h"

CViewSettings theViewSettings;
CViewHooks theViewHooks;

int ViewDeformedShown()
{
    return theViewHooks.deformedShown ? theViewHooks.deformedShown() : 0;
}

void ViewInvalidateModel()
{
    InvalidateModelView();
}

void ViewInvalidateWindow(int erase)
{
    if (theViewHooks.invalidateView) theViewHooks.invalidateView(erase);
}

void ViewShowPrompt(const char* text)
{
    if (theViewHooks.showPrompt) theViewHooks.showPrompt(text);
}

void ViewRestorePrompt()
{
    if (theViewHooks.restorePrompt) theViewHooks.restorePrompt();
}
