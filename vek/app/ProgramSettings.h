#pragma once
// What the main frame calls of the application while it is made and while
// it closes: the docking bar with the prompt bar, the left panel, and the
// program's settings in the profile.
#include "framework/Afx.h"

// OnCreate, after the toolbars: the docking bar (docking enabled at the bottom only).
BOOL CreateDialogsBar(CFrameWnd* frame);
// OnCreate, once the frame docks: the docking bar at the bottom.
void DockDialogsBar(CFrameWnd* frame);
// OnCreate: the prompt bar as the docking bar's central window (theBottomDlg),
// and the left panel (theLeftDlg, shown by the application at start-up).
BOOL CreatePromptBar();
BOOL CreateLeftPanel(CFrameWnd* frame);
// True in a batch run: its frame is never shown, so the frame keeps none of
// its layout (toolbars, placement) in the profile.
BOOL IsBatchRun();
// OnCreate: "DispSet", "GlobalDispSet", "anaOpt" and "DlgPos".
void ReadProgramSettings();
// DestroyWindow: "DispSet", "GlobalDispSet" and "anaOpt" (nothing in a batch run).
void WriteProgramSettings();
// DestroyWindow, after the model is cleared: the modeless dialogs' positions
// saved ("DlgPos") and the dialogs closed, then the docking bar's dialog.
void CloseProgramDialogs();

// The analysis options' profile copy ("anaOpt"); the analysis settings bind it.
struct AnalysisOptionsProfile {
    void (*read)() = nullptr;
    void (*write)() = nullptr;
};
extern AnalysisOptionsProfile theAnalysisOptionsProfile;
