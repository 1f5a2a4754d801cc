#pragma once
// What the main frame asks of the parts of the program around it: the docking
// bar and the panels it hosts, the prompt bar, the settings those parts keep
// in the profile, the model's parameter records and loaded results, and the
// library dialogs. Each is one plain function; where its part is not there
// yet it does nothing and answers as an empty model without results would.
#include "framework/WinTypes.h"

class CFrameWnd;

// ---- the docking bar at the bottom and the panels it hosts ---------------------------
// Creates the docking bar and lets it dock at the bottom only; false ends the
// frame's creation.
bool CreateFrameDockingBar(CFrameWnd* frame);
// Docks it at the bottom edge (after the toolbars are docked).
void DockFrameDockingBar(CFrameWnd* frame);
// Creates the prompt bar as the docking bar's central window, and the left
// panel; false ends the frame's creation.
bool CreatePromptBarAndLeftPanel(CFrameWnd* frame);
// Whether the frame keeps its layout (toolbars, placement) in the profile as
// it closes: not in a batch run, whose frame was never shown.
bool KeepFrameLayout();
// Closes the dialogs the docking bar hosts.
void CloseDockingBarDialogs();
// Where the modeless dialogs stood ("DlgPos"): read at creation; saved, and
// the dialogs closed, when the frame closes.
void LoadModelessDialogPositions();
void SaveAndCloseModelessDialogs();

// ---- settings the frame reads at creation and saves when it closes ------------------
void LoadDrawingColours();  // "LINEWIDTH", "POSTCOLOR"
void SaveDrawingColours();
void LoadRunManagerSettings();
void SaveRunManagerSettings();
void LoadDisplaySettings();  // "DispSet", "GlobalDispSet"
void SaveDisplaySettings();
void LoadAnalysisOptions();  // "anaOpt"
void SaveAnalysisOptions();

// ---- the prompt bar and the interactive operations ----------------------------------
// Shows the text as the prompt; false when there is no prompt bar.
bool ShowPromptText(const char* text);
// Shows the running operation's prompt again, or with none running the idle
// prompt; false when there is no prompt bar.
bool ShowOperationPrompt();
bool IsOperationRunning();
void EndCurrentOperation();
void EndAllOperations();

// ---- the model ----------------------------------------------------------------------
// Empties the model as the frame closes (which also deletes the project's autosave copy).
void ClearModelOnClose();
// The work platform of the view: 1 plan, 2 elevation, 3 free 3-D.
int CurrentViewMode();
// Moves every selected node and element to the layer as one undoable step and unselects them.
void MoveSelectedObjectsToLayer(int layer);
// Marks the document modified and has the view redraw the model.
void MarkModifiedAndRedraw();

// ---- the result selectors ---------------------------------------------------------------
// Selector 0..7: load case, force combination, displacement combination, mode,
// time-history response point, earthquake direction, buckling mode,
// construction step.
// How many items the loaded results have (0 without results).
int ResultItemCount(int selector);
// The current value of the model's parameters (1-based; 0 for none).
int ResultCurrentValue(int selector);
// The user chose the value (1-based): the parameters take it and the result display follows.
void SetResultCurrentValue(int selector, int value);

// ---- the library dialogs (materials, sections, steel and variable sections, springs) ----
// Whether the dialog of that command exists.
bool HasLibraryDialog(UINT command);
// Runs it modally; IDOK or IDCANCEL.
int RunLibraryDialog(UINT command);

// A message box for the frame's questions and the texts it passes on (the
// mesher's messages); the button chosen.
int FrameMessageBox(const char* text, UINT type);
