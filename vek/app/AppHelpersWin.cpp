// The application's helpers over the program's windows.
#include <cstring>

#include "framework/Afx.h"
#include "vek/model/AppHelpers.h"

int AppMessageBox(const char* text, UINT type, UINT)
{
    CWnd* main = AfxGetMainWnd();
    return ::MessageBoxA(main ? main->GetSafeHwnd() : nullptr, text ? text : "", "Vek", type);
}

int AppMessageBoxID(UINT stringId, UINT type, UINT helpId)
{
    CString text;
    text.LoadString(stringId);
    return AppMessageBox(text, type, helpId);
}

void SetDocumentModified(int modified)
{
    CWnd* main = AfxGetMainWnd();
    CFrameWnd* frame = main && main->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(main) : nullptr;
    CDocument* doc = frame ? frame->GetActiveDocument() : nullptr;
    if (doc) doc->SetModifiedFlag(modified ? TRUE : FALSE);
}

int GetTempDir(CString& dir)
{
    char buffer[MAX_PATH + 1] = {};
    const DWORD n = ::GetTempPathA(sizeof buffer, buffer);
    dir = n && n < sizeof buffer ? WithTrailingBackslash(buffer) : CString();
    return n < sizeof buffer ? static_cast<int>(n) : 0;
}

void GetProgramDir(char dir[260])
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, sizeof path);
    FolderOfModule(path, dir);
}

char* GetResourcePath(const char* name, char path[260])
{
    char dir[260];
    GetProgramDir(dir);
    CString full = CString(dir) + "Resource\\" + (name ? name : "");
    if (full.GetLength() > 259) full = full.Left(259);
    std::memcpy(path, full.GetString(), static_cast<size_t>(full.GetLength()) + 1);
    return path;
}

void PumpMessagesFor(unsigned ms, unsigned char* waitState)
{
    const unsigned char before = waitState ? *waitState : 0;
    if (waitState) *waitState = 127;
    const DWORD end = ::GetTickCount() + ms;
    MSG msg;
    for (;;) {
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        const int left = static_cast<int>(end - ::GetTickCount());
        if (left <= 0) break;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left), QS_ALLINPUT);
    }
    if (waitState) *waitState = before;
}

int AppPromptValue(const char*, CString&)
{
    return IDCANCEL;
}
