// A library with resources of its own that joins the chain of resource
// modules when it is loaded, as analysis.dll does.
#include "framework/Afx.h"

namespace {
AFX_EXTENSION_MODULE g_module;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    return AfxDllJoinResourceChain(g_module, instance, reason);
}
