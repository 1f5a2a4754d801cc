#pragma once
// What the program's portable code asks of the application: message boxes
// and the document's modified mark. The program defines them over its
// windows; native tests link a stand-in that records them.
#include "framework/WinTypes.h"

// Shows a modal message box; returns the button chosen (IDOK, IDYES, ...).
int AppMessageBox(const char* text, UINT type = MB_OK, UINT helpId = 0);
// The same with the text from the string table.
int AppMessageBoxID(UINT stringId, UINT type = MB_OK, UINT helpId = 0);
// Marks the open document modified (1) or saved (0).
void SetDocumentModified(int modified = 1);
