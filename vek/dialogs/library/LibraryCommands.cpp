#include "vek/dialogs/library/LibraryCommands.h"

#include "framework/Afx.h"
#include "vek/dialogs/LibraryDialogs.h"
#include "vek/dialogs/library/MaterialDlg.h"
#include "vek/dialogs/library/SectLibraryDlg.h"
#include "vek/res/resource.h"

namespace {

int RunMaterials(unsigned)
{
    CMaterialDlg dlg(AfxGetMainWnd());
    return int(dlg.DoModal());
}

int RunSections(unsigned)
{
    CSectManageDlg dlg(AfxGetMainWnd());
    return int(dlg.DoModal());
}

int RunTaperedSections(unsigned)
{
    CVsectManageDlg dlg(AfxGetMainWnd());
    return int(dlg.DoModal());
}

}  // namespace

void BindLibraryDialogs()
{
    SetLibraryDialog(ID_LIB_MATERIALS, RunMaterials);
    SetLibraryDialog(ID_LIB_SECTIONS, RunSections);
    SetLibraryDialog(ID_LIB_VARIABLE_SECTIONS, RunTaperedSections);
}
