// The application's helpers over its windows.
#include "vek/app/AppWindows.h"

#include <shellapi.h>

#include <cstring>

#include "analysis/ProcessManager.h"
#include "vek/app/FlashDialogs.h"
#include "vek/app/MainFrm.h"
#include "vek/app/VekDoc.h"
#include "vek/app/VekView.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ProjectGlobals.h"

CProcessManager theProcessManager;

namespace {

INT_PTR SystemShellOpen(HWND owner, const char* verb, const char* file, const char* parameters, const char* folder,
                        int show)
{
    return reinterpret_cast<INT_PTR>(::ShellExecuteA(owner, verb, file, parameters, folder, show));
}

// HTML Help is loaded on first use and kept.
HWND SystemHtmlHelp(HWND owner, const char* file)
{
    typedef HWND(WINAPI * HtmlHelpA)(HWND, LPCSTR, UINT, DWORD_PTR);
    static HtmlHelpA helpFn = nullptr;
    if (!helpFn) {
        HMODULE lib = ::LoadLibraryA("hhctrl.ocx");
        if (lib) helpFn = reinterpret_cast<HtmlHelpA>(reinterpret_cast<void*>(::GetProcAddress(lib, "HtmlHelpA")));
    }
    return helpFn ? helpFn(owner, file, 0 /* HH_DISPLAY_TOPIC */, 0) : nullptr;
}

ShellOpenFn g_shellOpen = &SystemShellOpen;
HtmlHelpFn g_htmlHelp = &SystemHtmlHelp;

}  // namespace

INT_PTR AppShellOpen(HWND owner, const char* verb, const char* file, const char* parameters, const char* folder,
                     int show)
{
    return g_shellOpen(owner, verb, file, parameters, folder, show);
}

HWND AppHtmlHelp(HWND owner, const char* file)
{
    return g_htmlHelp(owner, file);
}

ShellOpenFn SetShellOpenHook(ShellOpenFn fn)
{
    ShellOpenFn old = g_shellOpen;
    g_shellOpen = fn ? fn : &SystemShellOpen;
    return old;
}

HtmlHelpFn SetHtmlHelpHook(HtmlHelpFn fn)
{
    HtmlHelpFn old = g_htmlHelp;
    g_htmlHelp = fn ? fn : &SystemHtmlHelp;
    return old;
}

void WriteStandardError(const char* text)
{
    HANDLE err = ::GetStdHandle(STD_ERROR_HANDLE);
    if (!err || err == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    ::WriteFile(err, text, static_cast<DWORD>(std::strlen(text)), &written, nullptr);
    ::WriteFile(err, "\r\n", 2, &written, nullptr);
}

CVekDoc* GetVekDoc()
{
    CWnd* main = AfxGetMainWnd();
    if (!main || !main->IsKindOf(RUNTIME_CLASS(CMainFrame))) return nullptr;
    CDocument* doc = static_cast<CMainFrame*>(main)->GetActiveDocument();
    return doc && doc->IsKindOf(RUNTIME_CLASS(CVekDoc)) ? static_cast<CVekDoc*>(doc) : nullptr;
}

CVekView* GetVekView()
{
    CVekDoc* doc = GetVekDoc();
    if (!doc) return nullptr;
    POSITION pos = doc->GetFirstViewPosition();
    while (pos) {
        CView* view = doc->GetNextView(pos);
        if (view && view->IsKindOf(RUNTIME_CLASS(CVekView))) return static_cast<CVekView*>(view);
    }
    return nullptr;
}

namespace {

// While a box is up the view repaints from its stored picture.
class RebuildFlagHold {
public:
    RebuildFlagHold()
    {
        unsigned char* flag = theViewLink.rebuildPictureFlag ? theViewLink.rebuildPictureFlag() : nullptr;
        if (flag && *flag) {
            m_had = true;
            *flag = 0;
        }
    }
    ~RebuildFlagHold()
    {
        if (!m_had) return;
        unsigned char* flag = theViewLink.rebuildPictureFlag ? theViewLink.rebuildPictureFlag() : nullptr;
        if (flag) *flag = 1;
    }

private:
    bool m_had = false;
};

}  // namespace

int AppMessageBox(const char* text, UINT type, UINT helpId)
{
    RebuildFlagHold hold;
    return AfxMessageBox(text, type, helpId);
}

int AppMessageBoxID(UINT stringId, UINT type, UINT helpId)
{
    RebuildFlagHold hold;
    return AfxMessageBox(stringId, type, helpId);
}

void SetDocumentModified(int modified)
{
    if (bModelFromResults) return;
    CVekView* view = GetVekView();
    CDocument* doc = view ? view->GetDocument() : nullptr;
    if (doc) doc->SetModifiedFlag(modified);
}

int GetTempDir(CString& dir)
{
    char buf[MAX_PATH] = {};
    const DWORD n = ::GetTempPathA(MAX_PATH, buf);
    if (n == 0 || n >= MAX_PATH) {  // failed, or longer than the buffer: nothing was written
        dir.Empty();
        return 0;
    }
    dir = WithTrailingBackslash(buf);
    return static_cast<int>(n);
}

void GetProgramDir(char dir[260])
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
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
    unsigned char saved = 0;
    if (waitState) {
        saved = *waitState;
        *waitState = 127;
    }
    const DWORD start = ::GetTickCount();
    MSG msg;
    for (;;) {
        // Only paints and timers: no command or click runs inside the wait.
        // A quit request ends the wait and is posted again for the message loop.
        bool quit = false;
        for (int i = 0; i < 52 && !quit; ++i) {
            if (!::PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE) &&
                !::PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE) &&
                !::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
                break;
            // The quit request may come whatever the filter asked for.
            if (msg.message == WM_QUIT)
                quit = true;
            else
                ::DispatchMessageA(&msg);
        }
        if (quit) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (::GetTickCount() - start >= ms) break;
        ::Sleep(5);
    }
    if (waitState) *waitState = saved;
}

int AppPromptValue(const char* prompt, CString& value)
{
    CEditFlashDlg dlg(prompt, value, nullptr);
    if (dlg.DoModal() != IDOK) return 0;
    value = dlg.m_strValue;
    return 1;
}
