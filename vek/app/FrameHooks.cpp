// The main frame's links to the parts around it. The parts are not in the
// program yet: each link does nothing and answers as an empty model without
// results would, and the commands that depend on them stay greyed. The
// message box is the framework's until the program's own takes its place.
#include "FrameHooks.h"

#include "framework/Afx.h"

bool CreateFrameDockingBar(CFrameWnd*)
{
    return true;
}

void DockFrameDockingBar(CFrameWnd*) {}

void CreatePromptBarAndLeftPanel(CFrameWnd*) {}

void CloseDockingBarDialogs() {}

void LoadModelessDialogPositions() {}

void SaveAndCloseModelessDialogs() {}

void LoadDrawingColours() {}

void SaveDrawingColours() {}

void LoadRunManagerSettings() {}

void SaveRunManagerSettings() {}

void LoadDisplaySettings() {}

void SaveDisplaySettings() {}

void LoadAnalysisOptions() {}

void SaveAnalysisOptions() {}

bool ShowPromptText(const char*)
{
    return false;
}

bool ShowOperationPrompt()
{
    return false;
}

bool IsOperationRunning()
{
    return false;
}

void EndCurrentOperation() {}

void EndAllOperations() {}

void ClearModelOnClose() {}

int CurrentViewMode()
{
    return 1;  // the plan work platform, as a new model starts
}

void MoveSelectedObjectsToLayer(int) {}

void MarkModifiedAndRedraw() {}

int ResultItemCount(int)
{
    return 0;
}

int ResultCurrentValue(int)
{
    return 1;
}

void SetResultCurrentValue(int, int) {}

bool HasLibraryDialog(UINT)
{
    return false;
}

int RunLibraryDialog(UINT)
{
    return IDCANCEL;
}

int FrameMessageBox(const char* text, UINT type)
{
    return AfxMessageBox(text, type);
}
