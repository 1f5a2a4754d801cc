// The library's entry: finds the solver when the library is loaded.
#include "analysis/ProcessManager.h"
#include "analysis/RunDialogBase.h"

namespace {
HINSTANCE g_instance = nullptr;
}  // namespace

HINSTANCE AnalysisInstance()
{
    return g_instance;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_instance = instance;
        // No message here: a machine without the solver learns it at the first run.
        CProcessManager::LocateSolver();
    }
    return TRUE;
}
