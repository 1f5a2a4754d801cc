#pragma once
// The input dialogs join the program: the left panel's links, the document's
// new-project dialog and the slots of the commands and panels they serve.
// The main frame binds them once it has made the left panel.
void BindInputDialogs();
// The panels over the element families join where the families are linked
// (the program's entry).
void BindElementPanels();
