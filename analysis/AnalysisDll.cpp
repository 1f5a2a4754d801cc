// Start of analysis.dll: it joins the framework's chain of resource modules,
// so that its dialogs, menus and strings are found by the program.
#include "analysis/AnalysisApi.h"
#include "framework/Afx.h"

namespace {
AFX_EXTENSION_MODULE g_analysisModule;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (!AfxDllJoinResourceChain(g_analysisModule, instance, reason)) return FALSE;
    // The run manager's solver-location set-up runs here at process attach.
    return TRUE;
}
