#pragma once
// Binds the interactive operations to the application's windows: the
// flashing prompt, the modeless-dialog manager, the layer and storey
// dialogs, the model view's messages and the view's commands.
class CCmdTarget;

void BindInteractLinks();

// The view's commands as a command target, null until they are bound.
CCmdTarget* InteractCommandTarget();
