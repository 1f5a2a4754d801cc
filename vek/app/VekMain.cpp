// The program's one application object and its entry.
#include "vek/app/VekApp.h"

CVekApp theApp;

FW_IMPLEMENT_WINMAIN()
