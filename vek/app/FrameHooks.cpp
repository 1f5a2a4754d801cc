// The main frame's links to the parts of the program around it. Where a part
// is not in the program yet, its link does nothing and answers as an empty
// model without results would; the commands that depend on it stay greyed.
#include "FrameHooks.h"

#include "analysis/ProcessManager.h"
#include "framework/Afx.h"
#include "vek/app/DialogsBar.h"
#include "vek/app/InteractLinks.h"
#include "vek/app/ProgramSettings.h"
#include "vek/app/VekApp.h"
#include "vek/dialogs/LeftDlg.h"
#include "vek/dialogs/LibraryDialogs.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/Profile.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/ViewLink.h"
#include "vek/model/document/ModelReset.h"
#include "vek/model/document/SelectionEdits.h"
#include "vek/results/ResultCounts.h"
#include "vek/view/DisplayColors.h"
#include "vek/view/ViewProjection.h"
#include "vek/res/AppDialogsRes.h"
#include "vek/view/operate/OperationStack.h"
#include "vek/view/win/BottomDlg.h"

extern CProcessManager theProcessManager;

bool CreateFrameDockingBar(CFrameWnd* frame)
{
    if (!theDialogsBar.Create(frame, IDW_DIALOGS_BAR)) return false;
    theDialogsBar.EnableDocking(CBRS_ALIGN_BOTTOM);
    return true;
}

void DockFrameDockingBar(CFrameWnd* frame)
{
    frame->DockControlBar(&theDialogsBar, AFX_IDW_DOCKBAR_BOTTOM);
}

bool CreatePromptBarAndLeftPanel(CFrameWnd* frame)
{
    auto* bar = new CBottomDlg;
    if (!bar->Create(&theDialogsBar)) {
        if (!CWnd::LastCreateDestroyedObject()) delete bar;
        return false;
    }
    theBottomDlg = bar;
    BindInteractLinks();
    theDialogsBar.SetCentralDialog(bar);
    bar->UpdateOperationPrompt();

    auto* panel = new CLeftDlg;
    if (!panel->Create(frame)) {
        if (!CWnd::LastCreateDestroyedObject()) delete panel;
        return false;
    }
    theLeftDlg = panel;  // placed and shown by the application at start-up
    return true;
}

bool KeepFrameLayout()
{
    return !IsBatchRun();
}

void CloseDockingBarDialogs()
{
    theDialogsBar.CloseCentralDialog();
    theBottomDlg = nullptr;
}

void LoadModelessDialogPositions()
{
    theModelessDlgs.LoadPositions();
}

void SaveAndCloseModelessDialogs()
{
    const HWND left = theLeftDlg ? theLeftDlg->m_hWnd : nullptr;
    theModelessDlgs.CloseAnchored();
    theModelessDlgs.CloseAll();
    theModelessDlgs.SavePositions();
    // A left panel that was never placed (a batch run) goes too.
    if (left && ::IsWindow(left))
        if (auto* panel = DYNAMIC_DOWNCAST(CModelessDialog, CWnd::FromHandlePermanent(left))) panel->SaveAndDestroy();
    theLeftDlg = nullptr;
}

void LoadDrawingColours()
{
    theDisplayColors.ReadProfile();
}

void SaveDrawingColours()
{
    if (!IsBatchRun()) theDisplayColors.WriteProfile();
}

void LoadRunManagerSettings()
{
    theProcessManager.ReadProfileSetting(AfxGetApp());
}

void SaveRunManagerSettings()
{
    if (!IsBatchRun()) theProcessManager.WriteProfileSetting(AfxGetApp());
}

void LoadDisplaySettings()
{
    theProjectOptions.ReadDisplayProfile(AppProfile());
}

void SaveDisplaySettings()
{
    if (!IsBatchRun()) theProjectOptions.WriteDisplayProfile(AppProfile());
}

void LoadAnalysisOptions()
{
    if (theAnalysisOptionsProfile.read) theAnalysisOptionsProfile.read();
}

void SaveAnalysisOptions()
{
    if (!IsBatchRun() && theAnalysisOptionsProfile.write) theAnalysisOptionsProfile.write();
}

bool ShowPromptText(const char* text)
{
    if (!theBottomDlg) return false;
    theBottomDlg->SetPrompt(text);
    return true;
}

bool ShowOperationPrompt()
{
    if (!theBottomDlg) return false;
    theBottomDlg->UpdateOperationPrompt();
    return true;
}

bool IsOperationRunning()
{
    return theBottomDlg && theBottomDlg->HasOperation();
}

void EndCurrentOperation()
{
    theOperationStack.EndOperation(true);
}

void EndAllOperations()
{
    theOperationStack.EndAllOperations();
}

void ClearModelOnClose()
{
    ClearModel();
}

int CurrentViewMode()
{
    return theViewProjection.GetMode();
}

// Choosing a layer in the selector moves the selection onto it as one undo
// step; with nothing selected it only makes the layer current.
void MoveSelectedObjectsToLayer(int)
{
    if (MoveSelectionToCurrentLayer()) InvalidateModelView();
}

void MarkModifiedAndRedraw()
{
    SetDocumentModified(1);
    InvalidateModelView();
}

int ResultItemCount(int selector)
{
    return ResultSelectorCount(selector);
}

namespace {
// The current values of the selectors other than the load case, until the
// results' display state holds them.
int resultCurrent[kResultSelectorCount] = {1, 1, 1, 1, 1, 1, 1, 1};
}  // namespace

int ResultCurrentValue(int selector)
{
    if (selector < 0 || selector >= kResultSelectorCount) return 0;
    if (selector == kSelLoadCase) return theProjectOptions.nCurrentLoadCase;
    return resultCurrent[selector];
}

void SetResultCurrentValue(int selector, int value)
{
    if (selector < 0 || selector >= kResultSelectorCount) return;
    if (selector == kSelLoadCase)
        theProjectOptions.nCurrentLoadCase = static_cast<int16_t>(value);
    else
        resultCurrent[selector] = value;
    RefreshResultSelector(selector);
}

bool HasLibraryDialog(UINT)
{
    return pfnRunLibraryDialog != nullptr;
}

int FrameMessageBox(const char* text, UINT type)
{
    return AppMessageBox(text, type);
}
