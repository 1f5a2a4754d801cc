#pragma once
// The parameter menu's material, section and tapered-section library
// commands open their dialogs; the steel library waits for its dialog.
void BindLibraryDialogs();
