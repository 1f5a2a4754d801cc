// Start of analysis.dll: it joins the framework's chain of resource modules,
// so that its dialogs, menus and strings are found by the program.
#include "analysis/AnalysisApi.h"
#include "analysis/ProcessManager.h"
#include "framework/Afx.h"

namespace {
AFX_EXTENSION_MODULE g_analysisModule;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (!AfxDllJoinResourceChain(g_analysisModule, instance, reason)) return FALSE;
    // No message here: a machine without the solver learns it at the first run.
    if (reason == DLL_PROCESS_ATTACH) CProcessManager::LocateSolver();
    return TRUE;
}
