#include "vek/app/ModelBindings.h"

#include <vector>

#include "framework/Afx.h"
#include "vek/app/EditDialog.h"
#include "vek/app/MainFrm.h"
#include "vek/dialogs/LeftDlg.h"
#include "vek/dialogs/library/LibraryCommands.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/document/ModelCheck.h"
#include "vek/model/units/UnitConversion.h"
#include "vek/view/operate/ViewCommands.h"
#include "vek/view/win/BottomDlg.h"

bool CEditValueDialogs::EditInts(const char* title, int n, const char* const* labels, int* values)
{
    if (n < 1) return false;
    std::vector<EditSlot> slots(static_cast<size_t>(n));
    const std::vector<BYTE> kinds(static_cast<size_t>(n), CEditDialog::kInt);
    for (int i = 0; i < n; ++i) slots[size_t(i)].i = values[i];
    CEditDialog dlg(AfxGetMainWnd());
    dlg.SetParams(slots.data(), kinds.data(), n, title, labels);
    if (dlg.DoModal() != IDOK) return false;
    for (int i = 0; i < n; ++i) values[i] = slots[size_t(i)].i;
    return true;
}

bool CEditValueDialogs::EditDouble(const char* title, const char* label, double& value)
{
    EditSlot slot;
    slot.d = value;
    const BYTE kind = CEditDialog::kDouble;
    CEditDialog dlg(AfxGetMainWnd());
    dlg.SetParams(&slot, &kind, 1, title, &label);
    if (dlg.DoModal() != IDOK) return false;
    value = slot.d;
    return true;
}

void CWindowModelHooks::ShowPrompt(const char* text)
{
    if (theBottomDlg) theBottomDlg->SetPrompt(text);
}

namespace {

CMainFrame* MainFrame()
{
    return DYNAMIC_DOWNCAST(CMainFrame, AfxGetMainWnd());
}

}  // namespace

void CWindowModelHooks::RefreshLayerSelector()
{
    if (CMainFrame* frame = MainFrame()) frame->FillLayerCombo();
}

void CWindowModelHooks::RefreshResultSelectors()
{
    if (CMainFrame* frame = MainFrame()) frame->FillResultSelectors();
}

void CWindowModelHooks::RefreshStoreyTexts()
{
    if (theLeftDlg) theLeftDlg->ShowLayerAndPlatform();
}

int CWindowModelHooks::CurrentArcMethod()
{
    const int method = theLeftDlg ? theLeftDlg->GetArcMethod() : 0;
    return method > 0 ? method : 1;
}

void BindModelWindows()
{
    static CEditValueDialogs dialogs;
    static CWindowModelHooks hooks;
    SetValueDialogs(&dialogs);
    SetModelHooks(&hooks);
    theProjectOptionsHooks.convertModelUnits = ConvertModelUnits;
    BindLibraryDialogs();
    // "删除无用数据": records that nothing refers to, family by family.
    RegisterCommandHandler(32837, [] {
        DeleteUnusedData();
        return true;
    });
}
