// The chain of resource modules.
#include "framework/DynLink.h"
#include "framework/Wnd.h"

#include <algorithm>
#include <mutex>
#include <vector>

IMPLEMENT_DYNAMIC(CDynLinkLibrary, CCmdTarget)

namespace {

std::mutex& ChainLock()
{
    static std::mutex m;
    return m;
}

// Head first: the most recently joined library is searched first.
std::vector<CDynLinkLibrary*>& Chain()
{
    static std::vector<CDynLinkLibrary*> c;
    return c;
}

bool HoldsResource(HINSTANCE inst, LPCTSTR name, LPCTSTR type)
{
    if (!inst) return false;
    if (type == RT_STRING) {
        const wchar_t* text = nullptr;
        return ::LoadStringW(inst, static_cast<UINT>(reinterpret_cast<UINT_PTR>(name)), reinterpret_cast<LPWSTR>(&text),
                             0) > 0;
    }
    return ::FindResourceA(inst, name, type) != nullptr;
}

}  // namespace

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE module)
{
    if (!module) return FALSE;
    state.hModule = module;
    state.hResource = module;
    state.bInitialized = TRUE;
    return TRUE;
}

void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL)
{
    if (!state.bInitialized) return;
    std::vector<CDynLinkLibrary*> mine;
    {
        std::lock_guard<std::mutex> g(ChainLock());
        for (CDynLinkLibrary* lib : Chain())
            if (lib->m_hModule == state.hModule) mine.push_back(lib);
    }
    for (CDynLinkLibrary* lib : mine) delete lib;  // leaves the chain
    state.bInitialized = FALSE;
}

BOOL AfxDllJoinResourceChain(AFX_EXTENSION_MODULE& state, HINSTANCE instance, DWORD reason)
{
    if (reason == DLL_PROCESS_ATTACH) {
        if (!AfxInitExtensionModule(state, instance)) return FALSE;
        new CDynLinkLibrary(state);  // the chain owns it
    } else if (reason == DLL_PROCESS_DETACH) {
        AfxTermExtensionModule(state);
    }
    return TRUE;
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state) : CDynLinkLibrary(state.hModule, state.hResource) {}

CDynLinkLibrary::CDynLinkLibrary(HINSTANCE module, HINSTANCE resource) : m_hModule(module), m_hResource(resource)
{
    std::lock_guard<std::mutex> g(ChainLock());
    Chain().insert(Chain().begin(), this);
}

CDynLinkLibrary::~CDynLinkLibrary()
{
    std::lock_guard<std::mutex> g(ChainLock());
    Chain().erase(std::remove(Chain().begin(), Chain().end(), this), Chain().end());
}

int CDynLinkLibrary::GetCount()
{
    std::lock_guard<std::mutex> g(ChainLock());
    return static_cast<int>(Chain().size());
}

CDynLinkLibrary* CDynLinkLibrary::GetAt(int index)
{
    std::lock_guard<std::mutex> g(ChainLock());
    return index >= 0 && index < static_cast<int>(Chain().size()) ? Chain()[static_cast<size_t>(index)] : nullptr;
}

HINSTANCE AfxFindResourceHandle(LPCTSTR name, LPCTSTR type)
{
    HINSTANCE first = AfxGetResourceHandle();
    if (HoldsResource(first, name, type)) return first;
    {
        std::lock_guard<std::mutex> g(ChainLock());
        for (CDynLinkLibrary* lib : Chain())
            if (HoldsResource(lib->m_hResource, name, type)) return lib->m_hResource;
    }
    HINSTANCE program = ::GetModuleHandleA(nullptr);
    if (program != first && HoldsResource(program, name, type)) return program;
    return first;
}
