#pragma once
// The chain of resource modules. A library that brings its own dialogs,
// menus, strings and bitmaps joins the chain when it is loaded (a
// CDynLinkLibrary made in its DllMain); resources are then looked up in the
// resource handle's module first, then in the libraries of the chain (the
// most recently joined first), then in the program.
#include "framework/CmdTarget.h"

struct AFX_EXTENSION_MODULE {
    BOOL bInitialized = FALSE;
    HMODULE hModule = nullptr;
    HMODULE hResource = nullptr;
};

// Called by a library at process attach: records its module (also as the
// module of its resources). FALSE when no module is given.
FW_API BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE module);
// Called at process detach: the library leaves the chain and its
// CDynLinkLibrary objects are deleted.
FW_API void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL all = FALSE);

// The chain's part of a library's DllMain: at process attach the library is
// recorded and joins the chain (FALSE when it cannot be recorded); at detach
// it leaves. TRUE otherwise.
FW_API BOOL AfxDllJoinResourceChain(AFX_EXTENSION_MODULE& state, HINSTANCE instance, DWORD reason);

class FW_API CDynLinkLibrary : public CCmdTarget {
    DECLARE_DYNAMIC(CDynLinkLibrary)
public:
    // Made with new; joins the chain at its head.
    explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state);
    CDynLinkLibrary(HINSTANCE module, HINSTANCE resource);
    ~CDynLinkLibrary() override;  // leaves the chain
    CDynLinkLibrary(const CDynLinkLibrary&) = delete;
    CDynLinkLibrary& operator=(const CDynLinkLibrary&) = delete;

    HMODULE m_hModule = nullptr;
    HMODULE m_hResource = nullptr;

    // The libraries of the chain, in lookup order.
    static int GetCount();
    static CDynLinkLibrary* GetAt(int index);
};

// The module that holds a resource, in the order above; the resource
// handle's module when none does. For RT_STRING the name is the string's id
// (MAKEINTRESOURCE), and the module must hold that string, not only its block.
FW_API HINSTANCE AfxFindResourceHandle(LPCTSTR name, LPCTSTR type);
