#pragma once
// The table's rows (defined apart from the code that carries them out).
#include "vek/view/operate/ViewCommands.h"

const CViewCommandRow* ViewCommandRows(int& count);
