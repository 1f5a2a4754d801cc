// The application object, message loop, profile settings and message boxes.
#include "framework/WinApp.h"
#include "framework/CommonDialogs.h"
#include "framework/Dialog.h"
#include "framework/DynLink.h"
#include "framework/DocView.h"
#include "framework/Frame.h"

#include <ole2.h>
#include <process.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <vector>

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)
IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {

CWinApp* g_app = nullptr;
std::mutex g_hookLock;
FwMessageBoxHook g_msgBoxHook;

BOOL LoadStringFromResources(UINT id, CString& out)
{
    // The string table holds UTF-16; the program's texts are in the ANSI code page.
    const wchar_t* res = nullptr;
    const int len =
        ::LoadStringW(AfxFindResourceHandle(MAKEINTRESOURCEA(id), RT_STRING), id, reinterpret_cast<LPWSTR>(&res), 0);
    if (len <= 0 || !res) return FALSE;
    const int bytes = ::WideCharToMultiByte(CP_ACP, 0, res, len, nullptr, 0, nullptr, nullptr);
    char* buf = out.GetBufferSetLength(bytes);
    ::WideCharToMultiByte(CP_ACP, 0, res, len, buf, bytes, nullptr, nullptr);
    out.ReleaseBuffer(bytes);
    return TRUE;
}

char* HeapCopy(const char* s)
{
    const size_t n = std::strlen(s) + 1;
    char* p = static_cast<char*>(std::malloc(n));
    if (p) std::memcpy(p, s, n);
    return p;
}

std::mutex g_registryHookLock;
std::function<void()> g_registryReadHook;

// Reads a whole registry value of the given type. Another program (or another
// instance of this one) may rewrite the value between sizing it and reading
// it: a read that finds it grown is repeated at the size it reports. Values
// beyond the size an INI setting may have count as damaged: no value.
bool ReadRegistryValue(HKEY key, LPCTSTR entry, DWORD wantType, std::vector<BYTE>& out)
{
    constexpr DWORD kMaxBytes = 1u << 24;
    out.clear();
    DWORD type = 0, size = 0;
    LONG rc = ::RegQueryValueExA(key, entry, nullptr, &type, nullptr, &size);
    for (int attempt = 0; attempt < 16 && rc == ERROR_SUCCESS && type == wantType && size <= kMaxBytes; ++attempt) {
        std::function<void()> hook;
        {
            std::lock_guard<std::mutex> g(g_registryHookLock);
            hook = g_registryReadHook;
        }
        if (hook) hook();
        out.resize(size > 0 ? size : 1);
        DWORD got = static_cast<DWORD>(out.size());
        rc = ::RegQueryValueExA(key, entry, nullptr, &type, out.data(), &got);
        if (rc == ERROR_MORE_DATA) {
            size = got;  // the size the value has now
            rc = ERROR_SUCCESS;
            continue;
        }
        if (rc != ERROR_SUCCESS || type != wantType || got > out.size()) break;
        out.resize(got);
        return true;
    }
    out.clear();
    return false;
}

struct LoaderInstaller {
    LoaderInstaller() { FwSetStringLoader(&LoadStringFromResources); }
} g_installLoader;

}  // namespace

CWinApp* AfxGetApp()
{
    return g_app;
}

CWnd* AfxGetMainWnd()
{
    return g_app ? g_app->GetMainWnd() : nullptr;
}

CString AfxLoadString(UINT id)
{
    CString s;
    s.LoadString(id);
    return s;
}

BOOL AfxExtractSubString(CString& out, LPCTSTR full, int index, char sep)
{
    out.Empty();
    if (!full) return FALSE;
    const CString text(full);
    int start = 0;
    while (index-- > 0) {
        const int at = text.Find(sep, start);
        if (at < 0) return FALSE;
        start = at + 1;
    }
    const int end = text.Find(sep, start);
    out = end < 0 ? text.Mid(start) : text.Mid(start, end - start);
    return TRUE;
}

// ---- message boxes ----------------------------------------------------------------

void AfxSetMessageBoxHook(FwMessageBoxHook hook)
{
    std::lock_guard<std::mutex> g(g_hookLock);
    g_msgBoxHook = std::move(hook);
}

int AfxMessageBoxOwned(HWND owner, LPCTSTR text, LPCTSTR caption, UINT type)
{
    CString cap = caption ? CString(caption) : CString(g_app && g_app->m_pszAppName ? g_app->m_pszAppName : "");
    FwMessageBoxHook hook;
    {
        std::lock_guard<std::mutex> g(g_hookLock);
        hook = g_msgBoxHook;
    }
    if (hook) return hook(CString(text), cap, type);
    return ::MessageBoxA(owner, text ? text : "", cap, type);
}

int AfxMessageBox(LPCTSTR text, UINT type, UINT helpId)
{
    if (g_app) return g_app->DoMessageBox(text, type, helpId);
    return AfxMessageBoxOwned(::GetActiveWindow(), text, nullptr, type);
}

int AfxMessageBox(UINT textId, UINT type, UINT helpId)
{
    const CString text = AfxLoadString(textId);
    return AfxMessageBox(text, type, helpId == UINT(-1) ? textId : helpId);
}

// ---- CWinThread ---------------------------------------------------------------------

CWinThread::CWinThread(UINT (*fn)(LPVOID), LPVOID param) : m_pfnThreadProc(fn), m_pThreadParams(param) {}

CWinThread::~CWinThread()
{
    if (m_hThread) ::CloseHandle(m_hThread);
}

unsigned __stdcall FwThreadEntry(void* arg)
{
    CWinThread* t = static_cast<CWinThread*>(arg);
    UINT code = 0;
    if (t->m_pfnThreadProc) {
        code = t->m_pfnThreadProc(t->m_pThreadParams);
    } else if (t->InitInstance()) {
        code = static_cast<UINT>(t->Run());
    } else {
        code = static_cast<UINT>(t->ExitInstance());
    }
    if (t->m_bAutoDelete) delete t;
    return code;
}

BOOL CWinThread::CreateThread(DWORD flags, UINT stackSize)
{
    // Started suspended so that the handle is stored before the thread can end.
    unsigned id = 0;
    uintptr_t h = _beginthreadex(nullptr, stackSize, FwThreadEntry, this, CREATE_SUSPENDED, &id);
    if (!h) return FALSE;
    m_hThread = reinterpret_cast<HANDLE>(h);
    m_nThreadID = id;
    if (!(flags & CREATE_SUSPENDED)) ::ResumeThread(m_hThread);
    return TRUE;
}

CWinThread* AfxBeginThread(UINT (*fn)(LPVOID), LPVOID param, int priority, UINT stackSize, DWORD flags,
                           LPSECURITY_ATTRIBUTES)
{
    CWinThread* t = new CWinThread(fn, param);
    if (!t->CreateThread(flags | CREATE_SUSPENDED, stackSize)) {
        delete t;
        return nullptr;
    }
    t->SetThreadPriority(priority);
    if (!(flags & CREATE_SUSPENDED)) t->ResumeThread();
    return t;
}

void AfxEndThread(UINT exitCode, BOOL)
{
    _endthreadex(exitCode);
}

int CWinThread::ExitInstance()
{
    return static_cast<int>(m_msgCur.wParam);
}

BOOL CWinThread::IsIdleMessage(MSG* msg)
{
    // Timer ticks and cursor blinks do not restart idle processing.
    return msg->message != WM_TIMER && msg->message != 0x0118 && msg->message != WM_PAINT &&
           msg->message != WM_MOUSEMOVE && msg->message != WM_NCMOUSEMOVE;
}

namespace {

// Mouse messages for a window whose parent turned tooltips on go to its tooltip.
void RelayToToolTip(MSG* msg)
{
    for (HWND h = msg->hwnd; h; h = ::GetParent(h)) {
        CWnd* w = CWnd::FromHandlePermanent(h);
        if (w && w->m_hWndToolTip) {
            ::SendMessageA(w->m_hWndToolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
            return;
        }
        if (!(::GetWindowLongPtrA(h, GWL_STYLE) & WS_CHILD)) return;
    }
}

}  // namespace

BOOL CWinThread::PreTranslateMessage(MSG* msg)
{
    if (msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST) RelayToToolTip(msg);
    // From the window the message is for up to its top-level window.
    CWnd* main = GetMainWnd();
    HWND mainHwnd = main ? main->m_hWnd : nullptr;
    HWND top = nullptr;
    for (HWND h = msg->hwnd; h; h = ::GetParent(h)) {
        if (CWnd* w = CWnd::FromHandlePermanent(h)) {
            if (w->PreTranslateMessage(msg)) return TRUE;
        }
        top = h;
        if (h == mainHwnd || !(::GetWindowLongPtrA(h, GWL_STYLE) & WS_CHILD)) break;
    }
    // Keys of another top-level window (a floating tool window) still get
    // the main window's shortcuts, unless that window took them above.
    if (main && mainHwnd && msg->hwnd && top != mainHwnd) return main->PreTranslateMessage(msg);
    return FALSE;
}

BOOL CWinThread::PumpMessage()
{
    if (!::GetMessageA(&m_msgCur, nullptr, 0, 0)) return FALSE;
    if (m_msgCur.message != WM_KICKIDLE && !PreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageA(&m_msgCur);
    }
    return TRUE;
}

BOOL CWinThread::OnIdle(LONG count)
{
    if (count <= 0) {
        // Bars and their buttons follow the state of their commands.
        CWnd* main = GetMainWnd();
        if (main && main->m_hWnd && ::IsWindowVisible(main->m_hWnd)) {
            main->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
            main->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE);
        }
        return TRUE;
    }
    if (count == 1) AfxDeleteTempMaps();
    return FALSE;
}

int CWinThread::Run()
{
    LONG idleCount = 0;
    BOOL idle = TRUE;
    MSG peek;
    for (;;) {
        while (idle && !::PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(idleCount++)) idle = FALSE;
        }
        do {
            if (!PumpMessage()) return ExitInstance();
            if (IsIdleMessage(&m_msgCur)) {
                idle = TRUE;
                idleCount = 0;
            }
        } while (::PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE));
    }
}

// ---- CCommandLineInfo ------------------------------------------------------------------

void CCommandLineInfo::ParseParam(const char* param, BOOL flag, BOOL)
{
    if (flag) {
        const CString p(param);
        if (p.CompareNoCase("nologo") == 0)
            m_bShowSplash = FALSE;
        else if (p.CompareNoCase("p") == 0)
            m_nShellCommand = FilePrint;
        else if (p.CompareNoCase("embedding") == 0)
            m_bRunEmbedded = TRUE;
        return;
    }
    if (m_strFileName.IsEmpty()) {
        m_strFileName = param;
        if (m_nShellCommand == FileNew) m_nShellCommand = FileOpen;
    }
}

// ---- CRecentFileList ---------------------------------------------------------------------

CRecentFileList::CRecentFileList(UINT start, LPCTSTR section, LPCTSTR entryFormat, int size, int maxDisplay)
    : m_strSectionName(section),
      m_strEntryFormat(entryFormat),
      m_nStart(start),
      m_nSize(size),
      m_nMaxDisplayLength(maxDisplay)
{
    m_arrNames.SetSize(size);
}

void CRecentFileList::Add(LPCTSTR path)
{
    if (!path || !*path || m_nSize <= 0) return;
    const CString p(path);
    int at = m_nSize - 1;
    for (int i = 0; i < m_nSize; ++i) {
        if (m_arrNames[i].CompareNoCase(p) == 0) {
            at = i;
            break;
        }
    }
    for (int i = at; i > 0; --i) m_arrNames[i] = m_arrNames[i - 1];
    m_arrNames[0] = p;
}

void CRecentFileList::Remove(int index)
{
    if (index < 0 || index >= m_nSize) return;
    for (int i = index; i < m_nSize - 1; ++i) m_arrNames[i] = m_arrNames[i + 1];
    m_arrNames[m_nSize - 1].Empty();
}

void CRecentFileList::ReadList()
{
    CWinApp* app = AfxGetApp();
    for (int i = 0; i < m_nSize; ++i) {
        CString entry;
        entry.Format(m_strEntryFormat, i + 1);
        m_arrNames[i] = app->GetProfileString(m_strSectionName, entry, "");
    }
}

void CRecentFileList::WriteList()
{
    CWinApp* app = AfxGetApp();
    for (int i = 0; i < m_nSize; ++i) {
        CString entry;
        entry.Format(m_strEntryFormat, i + 1);
        app->WriteProfileString(m_strSectionName, entry, m_arrNames[i].IsEmpty() ? nullptr : m_arrNames[i].GetString());
    }
}

BOOL CRecentFileList::GetDisplayName(CString& name, int index, LPCTSTR, int, BOOL) const
{
    if (index < 0 || index >= m_nSize || m_arrNames[index].IsEmpty()) return FALSE;
    name = m_arrNames[index];
    const int slash = name.ReverseFind('\\');
    if (name.GetLength() > m_nMaxDisplayLength && slash >= 0) name = name.Mid(slash + 1);
    return TRUE;
}

void CRecentFileList::UpdateMenu(CCmdUI* ui)
{
    CMenu* menu = ui->m_pMenu;
    if (!menu) return;
    // Drop the entries shown last time, then insert one per file at the place of the first.
    for (int i = 1; i < m_nSize; ++i) menu->DeleteMenu(m_nStart + static_cast<UINT>(i), MF_BYCOMMAND);
    if (m_arrNames[0].IsEmpty()) {
        ui->Enable(FALSE);
        return;
    }
    const UINT pos = ui->m_nIndex;
    menu->DeleteMenu(pos, MF_BYPOSITION);
    int shown = 0;
    for (int i = 0; i < m_nSize; ++i) {
        CString name;
        if (!GetDisplayName(name, i, nullptr, 0)) break;
        name.Replace("&", "&&");
        CString text;
        text.Format("&%d %s", i + 1, name.GetString());
        menu->InsertMenu(pos + static_cast<UINT>(i), MF_BYPOSITION | MF_STRING, m_nStart + static_cast<UINT>(i), text);
        ++shown;
    }
    ui->m_nIndex = pos + static_cast<UINT>(shown) - 1;
    ui->m_nIndexMax = menu->GetMenuItemCount();
    ui->m_bEnableChanged = TRUE;
}

// ---- CWinApp ---------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, &CWinApp::OnOpenRecentFile)
ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, &CWinApp::OnUpdateRecentFileMenu)
ON_COMMAND(ID_APP_EXIT, &CWinApp::OnAppExit)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCTSTR appName)
{
    g_app = this;
    if (appName) m_pszAppName = HeapCopy(appName);
}

CWinApp::~CWinApp()
{
    for (int i = 0; i < m_templates.GetSize(); ++i) delete m_templates[i];
    delete m_pRecentFileList;
    std::free(const_cast<char*>(m_pszAppName));
    std::free(const_cast<char*>(m_pszExeName));
    std::free(const_cast<char*>(m_pszProfileName));
    std::free(const_cast<char*>(m_pszRegistryKey));
    std::free(m_lpCmdLine);
    if (g_app == this) g_app = nullptr;
}

BOOL AfxWinInit(HINSTANCE inst, HINSTANCE, LPSTR cmdLine, int show)
{
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);
    CWinApp* app = AfxGetApp();
    if (!app) return FALSE;
    app->m_hInstance = inst ? inst : ::GetModuleHandleA(nullptr);
    std::free(app->m_lpCmdLine);
    app->m_lpCmdLine = HeapCopy(cmdLine ? cmdLine : "");
    app->m_nCmdShow = show;
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    CString exe(path);
    const int slash = exe.ReverseFind('\\');
    CString name = exe.Mid(slash + 1);
    const int dot = name.ReverseFind('.');
    if (dot >= 0) name = name.Left(dot);
    if (!app->m_pszExeName) app->m_pszExeName = HeapCopy(name);
    if (!app->m_pszAppName) {
        CString title;
        app->m_pszAppName = HeapCopy(title.LoadString(0xE000) ? title.GetString() : name.GetString());
    }
    if (!app->m_pszProfileName) {
        // The INI file beside the program.
        const int d = exe.ReverseFind('.');
        app->m_pszProfileName = HeapCopy((d >= 0 ? exe.Left(d) : exe) + ".INI");
    }
    return TRUE;
}

BOOL AfxOleInit()
{
    const HRESULT hr = ::OleInitialize(nullptr);
    return SUCCEEDED(hr);
}

int AfxWinMain(HINSTANCE inst, HINSTANCE prev, LPSTR cmdLine, int show)
{
    CWinApp* app = AfxGetApp();
    if (!app || !AfxWinInit(inst, prev, cmdLine, show)) return -1;
    if (!app->InitApplication() || !app->InitInstance()) {
        if (app->m_pMainWnd && app->m_pMainWnd->m_hWnd) app->m_pMainWnd->DestroyWindow();
        return app->ExitInstance();
    }
    return app->Run();
}

int CWinApp::ExitInstance()
{
    if (m_pRecentFileList) m_pRecentFileList->WriteList();
    return CWinThread::ExitInstance();
}

int CWinApp::Run()
{
    if (!m_pMainWnd) ::PostQuitMessage(0);  // nothing to run without a main window
    return CWinThread::Run();
}

BOOL CWinApp::OnIdle(LONG count)
{
    return CWinThread::OnIdle(count);
}

int CWinApp::DoMessageBox(LPCTSTR text, UINT type, UINT)
{
    HWND owner = ::GetActiveWindow();
    if (!owner && m_pMainWnd) owner = m_pMainWnd->m_hWnd;
    return AfxMessageBoxOwned(owner, text, nullptr, type);
}

BOOL CWinApp::OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo)
{
    if (CWinThread::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    // The templates see commands too (for documents without a view's route).
    for (int i = 0; i < m_templates.GetSize(); ++i)
        if (m_templates[i]->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    return FALSE;
}

void CWinApp::AddDocTemplate(CDocTemplate* tmpl)
{
    tmpl->LoadTemplate();
    m_templates.Add(tmpl);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const
{
    return m_templates.IsEmpty() ? nullptr : reinterpret_cast<POSITION>(static_cast<INT_PTR>(1));
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const
{
    const INT_PTR i = reinterpret_cast<INT_PTR>(pos) - 1;
    CDocTemplate* t = m_templates[static_cast<int>(i)];
    pos = i + 1 < m_templates.GetSize() ? reinterpret_cast<POSITION>(i + 2) : nullptr;
    return t;
}

BOOL CWinApp::SaveAllModified()
{
    for (int i = 0; i < m_templates.GetSize(); ++i)
        if (!m_templates[i]->SaveAllModified()) return FALSE;
    return TRUE;
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR path)
{
    if (m_templates.IsEmpty()) return nullptr;
    return m_templates[0]->OpenDocumentFile(path);
}

void CWinApp::AddToRecentFileList(LPCTSTR path)
{
    if (m_pRecentFileList) m_pRecentFileList->Add(path);
}

void CWinApp::OnFileNew()
{
    if (!m_templates.IsEmpty()) m_templates[0]->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen()
{
    CString filter;
    CString ext;
    if (!m_templates.IsEmpty()) {
        CString name;
        m_templates[0]->GetDocString(name, CDocTemplate::filterName);
        m_templates[0]->GetDocString(ext, CDocTemplate::filterExt);
        if (!name.IsEmpty() && !ext.IsEmpty()) filter = name + "|*" + ext + "|";
    }
    filter += "*.*|*.*||";
    CFileDialog dlg(TRUE, ext.IsEmpty() ? nullptr : ext.Mid(1).GetString(), nullptr,
                    OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, filter, m_pMainWnd);
    if (dlg.DoModal() == IDOK) OpenDocumentFile(dlg.GetPathName());
}

void CWinApp::OnFilePrintSetup()
{
    PRINTDLGA pd{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
    pd.Flags = PD_PRINTSETUP;
    if (::PrintDlgA(&pd)) {
        if (pd.hDevMode) ::GlobalFree(pd.hDevMode);
        if (pd.hDevNames) ::GlobalFree(pd.hDevNames);
    }
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd) m_pMainWnd->SendMessage(WM_CLOSE);
}

BOOL CWinApp::OnOpenRecentFile(UINT id)
{
    if (!m_pRecentFileList) return FALSE;
    const int i = static_cast<int>(id - ID_FILE_MRU_FILE1);
    if (i < 0 || i >= m_pRecentFileList->GetSize() || (*m_pRecentFileList)[i].IsEmpty()) return FALSE;
    const CString path = (*m_pRecentFileList)[i];
    if (!OpenDocumentFile(path)) m_pRecentFileList->Remove(i);  // gone or unreadable: not offered again
    return TRUE;
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* ui)
{
    if (!m_pRecentFileList) {
        ui->Enable(FALSE);
        return;
    }
    m_pRecentFileList->UpdateMenu(ui);
}

void CWinApp::LoadStdProfileSettings(UINT maxMRU)
{
    if (maxMRU == 0) return;
    if (maxMRU > 16) maxMRU = 16;
    delete m_pRecentFileList;
    m_pRecentFileList = new CRecentFileList(ID_FILE_MRU_FILE1, "Recent File List", "File%d", static_cast<int>(maxMRU));
    m_pRecentFileList->ReadList();
}

void CWinApp::ParseCommandLine(CCommandLineInfo& info)
{
    // Words separated by blanks; double quotes group a word with blanks.
    const char* p = m_lpCmdLine ? m_lpCmdLine : "";
    std::vector<std::string> words;
    while (*p) {
        while (*p == ' ' || *p == '\t') ++p;
        if (!*p) break;
        std::string w;
        bool quoted = false;
        while (*p && (quoted || (*p != ' ' && *p != '\t'))) {
            if (*p == '"')
                quoted = !quoted;
            else
                w += *p;
            ++p;
        }
        words.push_back(w);
    }
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& w = words[i];
        const bool flag = !w.empty() && (w[0] == '/' || w[0] == '-');
        info.ParseParam(flag ? w.c_str() + 1 : w.c_str(), flag, i + 1 == words.size());
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& info)
{
    switch (info.m_nShellCommand) {
        case CCommandLineInfo::FileNew:
            if (!OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr)) OnFileNew();
            return m_pMainWnd != nullptr;
        case CCommandLineInfo::FileOpen:
        case CCommandLineInfo::FilePrint: return OpenDocumentFile(info.m_strFileName) != nullptr;
        default: return TRUE;
    }
}

HCURSOR CWinApp::LoadCursor(UINT id) const
{
    return ::LoadCursorA(AfxFindResourceHandle(MAKEINTRESOURCEA(id), RT_GROUP_CURSOR), MAKEINTRESOURCEA(id));
}
HICON CWinApp::LoadIcon(UINT id) const
{
    return ::LoadIconA(AfxFindResourceHandle(MAKEINTRESOURCEA(id), RT_GROUP_ICON), MAKEINTRESOURCEA(id));
}

// ---- profile ------------------------------------------------------------------------------

void FwSetRegistryReadHook(std::function<void()> hook)
{
    std::lock_guard<std::mutex> g(g_registryHookLock);
    g_registryReadHook = std::move(hook);
}

void CWinApp::SetRegistryKey(LPCTSTR key)
{
    std::free(const_cast<char*>(m_pszRegistryKey));
    m_pszRegistryKey = HeapCopy(key ? key : "");
    // In the registry the application's key is named after the application.
    std::free(const_cast<char*>(m_pszProfileName));
    m_pszProfileName = HeapCopy(m_pszAppName ? m_pszAppName : (m_pszExeName ? m_pszExeName : "App"));
}

void CWinApp::SetRegistryKey(UINT keyId)
{
    SetRegistryKey(AfxLoadString(keyId));
}

HKEY CWinApp::GetAppRegistryKey()
{
    if (!m_pszRegistryKey || !m_pszProfileName) return nullptr;
    CString path;
    path.Format("Software\\%s\\%s", m_pszRegistryKey, m_pszProfileName);
    HKEY key = nullptr;
    DWORD disp = 0;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr,
                          &key, &disp) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

HKEY CWinApp::GetSectionKey(LPCTSTR section)
{
    HKEY app = GetAppRegistryKey();
    if (!app) return nullptr;
    HKEY key = nullptr;
    DWORD disp = 0;
    const LONG rc = ::RegCreateKeyExA(app, section, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr,
                                      &key, &disp);
    ::RegCloseKey(app);
    return rc == ERROR_SUCCESS ? key : nullptr;
}

UINT CWinApp::GetProfileInt(LPCTSTR section, LPCTSTR entry, int defaultValue)
{
    if (m_pszRegistryKey) {
        HKEY key = GetSectionKey(section);
        if (!key) return static_cast<UINT>(defaultValue);
        DWORD value = 0, type = 0, size = sizeof value;
        const LONG rc = ::RegQueryValueExA(key, entry, nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size);
        ::RegCloseKey(key);
        return rc == ERROR_SUCCESS && type == REG_DWORD ? value : static_cast<UINT>(defaultValue);
    }
    // Read as text so that negative numbers come back as written.
    const CString text = GetProfileString(section, entry, nullptr);
    if (text.IsEmpty()) return static_cast<UINT>(defaultValue);
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    return end == text.GetString() ? static_cast<UINT>(defaultValue) : static_cast<UINT>(v);
}

BOOL CWinApp::WriteProfileInt(LPCTSTR section, LPCTSTR entry, int value)
{
    if (m_pszRegistryKey) {
        HKEY key = GetSectionKey(section);
        if (!key) return FALSE;
        const DWORD v = static_cast<DWORD>(value);
        const LONG rc = ::RegSetValueExA(key, entry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v);
        ::RegCloseKey(key);
        return rc == ERROR_SUCCESS;
    }
    CString text;
    text.Format("%d", value);
    return WriteProfileString(section, entry, text);
}

CString CWinApp::GetProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR defaultValue)
{
    const CString def(defaultValue ? defaultValue : "");
    if (m_pszRegistryKey) {
        HKEY key = GetSectionKey(section);
        if (!key) return def;
        std::vector<BYTE> data;
        const bool found = ReadRegistryValue(key, entry, REG_SZ, data);
        ::RegCloseKey(key);
        if (!found) return def;
        // The stored terminator is not always there (other writers); the text
        // ends at the first null or at the end of what was read.
        const char* text = reinterpret_cast<const char*>(data.data());
        const auto end = std::find(data.begin(), data.end(), BYTE(0));
        return CString(text, static_cast<int>(end - data.begin()));
    }
    if (!m_pszProfileName) return def;
    // Grow the buffer until the whole value fits.
    for (DWORD cap = 256;; cap *= 2) {
        CString value;
        char* buf = value.GetBufferSetLength(static_cast<int>(cap));
        const DWORD n = ::GetPrivateProfileStringA(section, entry, def, buf, cap, m_pszProfileName);
        value.ReleaseBuffer(static_cast<int>(n));
        if (n + 1 < cap || cap >= (1u << 24)) return value;
    }
}

BOOL CWinApp::WriteProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR value)
{
    if (m_pszRegistryKey) {
        if (!entry) {  // removes the whole section
            HKEY app = GetAppRegistryKey();
            if (!app) return FALSE;
            const LONG rc = ::RegDeleteKeyA(app, section);
            ::RegCloseKey(app);
            return rc == ERROR_SUCCESS;
        }
        HKEY key = GetSectionKey(section);
        if (!key) return FALSE;
        LONG rc;
        if (!value)
            rc = ::RegDeleteValueA(key, entry);
        else
            rc = ::RegSetValueExA(key, entry, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                                  static_cast<DWORD>(std::strlen(value) + 1));
        ::RegCloseKey(key);
        return rc == ERROR_SUCCESS;
    }
    if (!m_pszProfileName) return FALSE;
    return ::WritePrivateProfileStringA(section, entry, value, m_pszProfileName);
}

BOOL CWinApp::GetProfileBinary(LPCTSTR section, LPCTSTR entry, LPBYTE* data, UINT* bytes)
{
    *data = nullptr;
    *bytes = 0;
    if (m_pszRegistryKey) {
        HKEY key = GetSectionKey(section);
        if (!key) return FALSE;
        std::vector<BYTE> value;
        const bool found = ReadRegistryValue(key, entry, REG_BINARY, value);
        ::RegCloseKey(key);
        if (!found) return FALSE;
        *data = new BYTE[value.empty() ? 1 : value.size()];
        std::copy(value.begin(), value.end(), *data);
        *bytes = static_cast<UINT>(value.size());
        return TRUE;
    }
    // Two hex digits a byte; anything else is no value.
    const CString text = GetProfileString(section, entry, nullptr);
    const int n = text.GetLength();
    if (n == 0 || n % 2 != 0) return FALSE;
    auto hex = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        return -1;
    };
    LPBYTE out = new BYTE[static_cast<size_t>(n / 2)];
    for (int i = 0; i < n / 2; ++i) {
        const int hi = hex(text[2 * i]), lo = hex(text[2 * i + 1]);
        if (hi < 0 || lo < 0) {
            delete[] out;
            return FALSE;
        }
        out[i] = static_cast<BYTE>(hi * 16 + lo);
    }
    *data = out;
    *bytes = static_cast<UINT>(n / 2);
    return TRUE;
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR section, LPCTSTR entry, LPBYTE data, UINT bytes)
{
    if (m_pszRegistryKey) {
        HKEY key = GetSectionKey(section);
        if (!key) return FALSE;
        const LONG rc = ::RegSetValueExA(key, entry, 0, REG_BINARY, data, bytes);
        ::RegCloseKey(key);
        return rc == ERROR_SUCCESS;
    }
    static const char digits[] = "0123456789ABCDEF";
    CString text;
    char* p = text.GetBufferSetLength(static_cast<int>(bytes * 2));
    for (UINT i = 0; i < bytes; ++i) {
        p[2 * i] = digits[data[i] >> 4];
        p[2 * i + 1] = digits[data[i] & 15];
    }
    text.ReleaseBuffer(static_cast<int>(bytes * 2));
    return WriteProfileString(section, entry, text);
}
