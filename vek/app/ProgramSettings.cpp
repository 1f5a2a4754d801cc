#include "vek/app/ProgramSettings.h"

#include "vek/app/DialogsBar.h"
#include "vek/app/VekApp.h"
#include "vek/dialogs/LeftDlg.h"
#include "vek/model/Profile.h"
#include "vek/model/ProjectOptions.h"
#include "vek/res/AppDialogsRes.h"
#include "vek/view/win/BottomDlg.h"

AnalysisOptionsProfile theAnalysisOptionsProfile;

BOOL CreateDialogsBar(CFrameWnd* frame)
{
    if (!theDialogsBar.Create(frame, IDW_DIALOGS_BAR)) return FALSE;
    theDialogsBar.EnableDocking(CBRS_ALIGN_BOTTOM);
    return TRUE;
}

void DockDialogsBar(CFrameWnd* frame)
{
    frame->DockControlBar(&theDialogsBar, AFX_IDW_DOCKBAR_BOTTOM);
}

BOOL CreatePromptBar()
{
    auto* bar = new CBottomDlg;
    if (!bar->Create(&theDialogsBar)) {
        if (!CWnd::LastCreateDestroyedObject()) delete bar;
        return FALSE;
    }
    theBottomDlg = bar;
    theDialogsBar.SetCentralDialog(bar);
    bar->UpdateOperationPrompt();
    return TRUE;
}

BOOL CreateLeftPanel(CFrameWnd* frame)
{
    auto* panel = new CLeftDlg;
    if (!panel->Create(frame)) {
        if (!CWnd::LastCreateDestroyedObject()) delete panel;
        return FALSE;
    }
    theLeftDlg = panel;
    return TRUE;
}

void ReadProgramSettings()
{
    theProjectOptions.ReadDisplayProfile(AppProfile());
    if (theAnalysisOptionsProfile.read) theAnalysisOptionsProfile.read();
    theModelessDlgs.LoadPositions();
}

BOOL IsBatchRun()
{
    auto* app = DYNAMIC_DOWNCAST(CVekApp, AfxGetApp());
    return app && app->IsBatchRun();
}

void WriteProgramSettings()
{
    if (IsBatchRun()) return;
    theProjectOptions.WriteDisplayProfile(AppProfile());
    if (theAnalysisOptionsProfile.write) theAnalysisOptionsProfile.write();
}

void CloseProgramDialogs()
{
    const HWND left = theLeftDlg ? theLeftDlg->m_hWnd : nullptr;
    theModelessDlgs.CloseAnchored();
    theModelessDlgs.CloseAll();
    theModelessDlgs.SavePositions();
    // A left panel that was never placed (a batch run) goes too.
    if (left && ::IsWindow(left))
        if (auto* panel = DYNAMIC_DOWNCAST(CModelessDialog, CWnd::FromHandlePermanent(left))) panel->SaveAndDestroy();
    theLeftDlg = nullptr;
    theDialogsBar.CloseCentralDialog();
    theBottomDlg = nullptr;
}
