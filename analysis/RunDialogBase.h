#pragma once
// The base of the run manager's dialogs.
#include "analysis/MyDialog.h"

typedef CMyDialog CRunDialogBase;
