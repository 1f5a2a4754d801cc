#pragma once
// Binds the program's windows and objects to what the document's model
// operations ask of them: the model's window hooks, the view, the run
// manager, the flashing prompt, the panels, the autosave.
void BindDocumentServices();
