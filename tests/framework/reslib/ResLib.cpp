// A library with resources of its own that joins the chain of resource
// modules when it is loaded, as analysis.dll does.
#include "framework/Afx.h"

namespace {
AFX_EXTENSION_MODULE g_module;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        if (!AfxInitExtensionModule(g_module, instance)) return FALSE;
        new CDynLinkLibrary(g_module);
    } else if (reason == DLL_PROCESS_DETACH) {
        AfxTermExtensionModule(g_module);
    }
    return TRUE;
}
