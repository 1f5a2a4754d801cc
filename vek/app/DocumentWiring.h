#pragma once
// Binds the program's windows and objects to what the document's model
// operations ask of them: the prompt bar, the panels, the main frame's
// selectors, the view, the run manager, the flashing prompt, the autosave.
void BindDocumentServices();
