// Start of analysis.dll: it joins the framework's chain of resource modules,
// so that its dialogs, menus and strings are found by the program.
#include "analysis/AnalysisApi.h"
#include "framework/Afx.h"

namespace {
AFX_EXTENSION_MODULE g_analysisModule;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        if (!AfxInitExtensionModule(g_analysisModule, instance)) return FALSE;
        // The run manager's solver-location set-up runs here as well.
        new CDynLinkLibrary(g_analysisModule);
    } else if (reason == DLL_PROCESS_DETACH) {
        AfxTermExtensionModule(g_analysisModule);
    }
    return TRUE;
}
