#pragma once
// Basic types shared by the portable and the Win32 parts of the framework.
#include "framework/WinTypes.h"

// Iteration cookie of the collection classes.
struct FwPosition_;
typedef FwPosition_* POSITION;
