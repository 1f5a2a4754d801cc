#pragma once
// The settings store as the program's portable code sees it: the application
// binds it to its profile file (or the registry) at start-up; tests bind a
// profile in memory. Until something is bound, reads give their defaults and
// writes are dropped.
#include "analysis/RunSettings.h"

CRunProfile& AppProfile();
// Binds the store (nullptr: back to the one that keeps nothing); returns the previous one.
CRunProfile* SetAppProfile(CRunProfile* profile);
