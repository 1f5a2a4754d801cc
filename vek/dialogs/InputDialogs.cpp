#include "vek/dialogs/InputDialogs.h"

#include "vek/dialogs/FileNewDlg.h"
#include "vek/dialogs/FreedomDlg.h"
#include "vek/dialogs/LeftDlg.h"
#include "vek/model/document/DocumentHooks.h"
#include "vek/view/operate/ViewCommands.h"

void BindInputDialogs()
{
    BindLeftPanelLinks();
    theDocumentHooks.fileNewDialog = RunFileNewDialog;
    RegisterPanel("restraints", OpenRestraintPanel);
}
