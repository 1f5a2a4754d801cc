#include "FrameHooksStandIn.h"

#include <algorithm>

#include "vek/app/FrameHooks.h"

namespace {
FrameHookLog log;
void Note(const char* name)
{
    log.calls.emplace_back(name);
}
}  // namespace

FrameHookLog& Hooks()
{
    return log;
}

void ResetHooks()
{
    log = FrameHookLog{};
}

bool FrameHookLog::Called(const char* name) const
{
    return std::find(calls.begin(), calls.end(), name) != calls.end();
}

std::vector<std::string> FrameHookLog::CallsAmong(const std::vector<std::string>& names) const
{
    std::vector<std::string> out;
    for (const std::string& c : calls)
        if (std::find(names.begin(), names.end(), c) != names.end()) out.push_back(c);
    return out;
}

bool CreateFrameDockingBar(CFrameWnd*)
{
    Note("CreateFrameDockingBar");
    return log.dockingBarMade;
}
void DockFrameDockingBar(CFrameWnd*)
{
    Note("DockFrameDockingBar");
}
bool CreatePromptBarAndLeftPanel(CFrameWnd*)
{
    Note("CreatePromptBarAndLeftPanel");
    return true;
}
bool KeepFrameLayout()
{
    return true;
}
void CloseDockingBarDialogs()
{
    Note("CloseDockingBarDialogs");
}
void LoadModelessDialogPositions()
{
    Note("LoadModelessDialogPositions");
}
void SaveAndCloseModelessDialogs()
{
    Note("SaveAndCloseModelessDialogs");
}
void LoadDrawingColours()
{
    Note("LoadDrawingColours");
}
void SaveDrawingColours()
{
    Note("SaveDrawingColours");
}
void LoadRunManagerSettings()
{
    Note("LoadRunManagerSettings");
}
void SaveRunManagerSettings()
{
    Note("SaveRunManagerSettings");
}
void LoadDisplaySettings()
{
    Note("LoadDisplaySettings");
}
void SaveDisplaySettings()
{
    Note("SaveDisplaySettings");
}
void LoadAnalysisOptions()
{
    Note("LoadAnalysisOptions");
}
void SaveAnalysisOptions()
{
    Note("SaveAnalysisOptions");
}
bool ShowPromptText(const char* text)
{
    if (!log.promptBar) return false;
    log.prompts.emplace_back(text ? text : "");
    return true;
}
bool ShowOperationPrompt()
{
    Note("ShowOperationPrompt");
    return log.promptBar;
}
bool IsOperationRunning()
{
    return log.operationRunning;
}
void EndCurrentOperation()
{
    Note("EndCurrentOperation");
}
void EndAllOperations()
{
    Note("EndAllOperations");
}
void ClearModelOnClose()
{
    Note("ClearModelOnClose");
}
int CurrentViewMode()
{
    return log.viewMode;
}
void MoveSelectedObjectsToLayer(int layer)
{
    log.layerMoves.push_back(layer);
}
void MarkModifiedAndRedraw()
{
    Note("MarkModifiedAndRedraw");
}
int ResultItemCount(int selector)
{
    return log.resultCount[selector];
}
int ResultCurrentValue(int selector)
{
    return log.resultCurrent[selector];
}
void SetResultCurrentValue(int selector, int value)
{
    log.resultChoices.emplace_back(selector, value);
}
bool HasLibraryDialog(UINT)
{
    return log.libraryDialogs;
}
int RunLibraryDialog(UINT command)
{
    log.libraryRuns.push_back(command);
    return log.libraryAnswer;
}
int FrameMessageBox(const char* text, UINT)
{
    log.messages.emplace_back(text);
    return log.messageAnswer;
}
