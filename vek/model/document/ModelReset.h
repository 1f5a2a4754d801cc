#pragma once
// The two model-wide resets that a new project, an opened one and a model
// built from result files run: every store emptied, every parameter record
// back at its defaults.

// Deletes the autosave copy of the project the run manager holds ("~" and
// its name + ".PRJ" in its folder); a missing copy is no error.
void DeleteAutosaveCopy();
// Empties every store and list of the model and ends the running
// operations; the autosave copy stays.
void ClearModelData();
// DeleteAutosaveCopy, then ClearModelData.
void ClearModel();
// Defaults for the parameter records, the view, the layers and the ranges;
// the panels show them.
void ResetModelParameters();
