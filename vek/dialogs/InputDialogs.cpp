#include "vek/dialogs/InputDialogs.h"

#include "vek/dialogs/FileNewDlg.h"
#include "vek/dialogs/LeftDlg.h"
#include "vek/model/document/DocumentHooks.h"

void BindInputDialogs()
{
    BindLeftPanelLinks();
    theDocumentHooks.fileNewDialog = RunFileNewDialog;
}
