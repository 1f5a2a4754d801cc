#pragma once
// Binds the interactive operations to the application's windows: the
// flashing prompt, the modeless-dialog manager, the layer and storey
// dialogs, and the model view's messages, pictures, commands and snapping.
void BindInteractLinks();
