#pragma once
// The application object: start-up, message loop with idle processing,
// command line, profile settings, recent files and message boxes.
#include "framework/Collections.h"
#include "framework/Wnd.h"

#include <functional>

class CDocTemplate;
class CDocument;
class CRecentFileList;

class FW_API CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    CWnd* m_pMainWnd = nullptr;
    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    BOOL m_bAutoDelete = TRUE;

    CWinThread() = default;
    // A worker thread running fn(param).
    CWinThread(UINT (*fn)(LPVOID), LPVOID param);
    ~CWinThread() override;

    BOOL CreateThread(DWORD flags = 0, UINT stackSize = 0);
    DWORD ResumeThread() { return ::ResumeThread(m_hThread); }
    DWORD SuspendThread() { return ::SuspendThread(m_hThread); }
    BOOL SetThreadPriority(int priority) { return ::SetThreadPriority(m_hThread, priority); }
    operator HANDLE() const { return m_hThread; }
    virtual CWnd* GetMainWnd() { return m_pMainWnd; }

    virtual BOOL InitInstance() { return FALSE; }
    virtual int ExitInstance();
    virtual int Run();
    // Offers a queued message to the windows it is for before it is dispatched.
    virtual BOOL PreTranslateMessage(MSG* msg);
    // count: number of idle calls since the last message; TRUE asks for more.
    virtual BOOL OnIdle(LONG count);
    virtual BOOL PumpMessage();
    virtual BOOL IsIdleMessage(MSG* msg);

    MSG m_msgCur{};

protected:
    UINT (*m_pfnThreadProc)(LPVOID) = nullptr;
    LPVOID m_pThreadParams = nullptr;
    friend unsigned __stdcall FwThreadEntry(void*);
};

// Starts a worker thread; it deletes its CWinThread when it ends unless
// m_bAutoDelete is cleared (start it suspended to do that).
FW_API CWinThread* AfxBeginThread(UINT (*fn)(LPVOID), LPVOID param, int priority = THREAD_PRIORITY_NORMAL,
                                  UINT stackSize = 0, DWORD flags = 0, LPSECURITY_ATTRIBUTES sa = nullptr);
FW_API void AfxEndThread(UINT exitCode, BOOL deleteObject = TRUE);

class FW_API CCommandLineInfo : public CObject {
public:
    enum {
        FileNew,
        FileOpen,
        FilePrint,
        FilePrintTo,
        FileDDE,
        AppRegister,
        AppUnregister,
        FileNothing = -1
    } m_nShellCommand = FileNew;
    BOOL m_bShowSplash = TRUE;
    BOOL m_bRunEmbedded = FALSE;
    BOOL m_bRunAutomated = FALSE;
    CString m_strFileName;
    CString m_strPrinterName;
    CString m_strDriverName;
    CString m_strPortName;

    // Called once for each word after the program name.
    virtual void ParseParam(const char* param, BOOL flag, BOOL last);
};

class FW_API CRecentFileList {
public:
    CRecentFileList(UINT start, LPCTSTR section, LPCTSTR entryFormat, int size, int maxDisplay = 32);
    virtual ~CRecentFileList() = default;
    int GetSize() const { return m_nSize; }
    const CString& operator[](int i) const { return m_arrNames[i]; }
    // Most recent first; a name already in the list moves to the front.
    virtual void Add(LPCTSTR path);
    virtual void Remove(int index);
    virtual void ReadList();
    virtual void WriteList();
    virtual void UpdateMenu(CCmdUI* cmdUI);
    BOOL GetDisplayName(CString& name, int index, LPCTSTR curDir, int curDirLen, BOOL atLeastName = TRUE) const;

    CStringArray m_arrNames;
    CString m_strSectionName;
    CString m_strEntryFormat;
    UINT m_nStart;
    int m_nSize;
    int m_nMaxDisplayLength;
};

class FW_API CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCTSTR appName = nullptr);
    ~CWinApp() override;

    HINSTANCE m_hInstance = nullptr;
    LPTSTR m_lpCmdLine = nullptr;  // the command line after the program name
    int m_nCmdShow = SW_SHOWNORMAL;
    LPCTSTR m_pszAppName = nullptr;
    LPCTSTR m_pszExeName = nullptr;
    LPCTSTR m_pszProfileName = nullptr;  // heap text (malloc); the INI file, or the registry's application key
    LPCTSTR m_pszRegistryKey = nullptr;  // heap text (malloc); set by SetRegistryKey
    CRecentFileList* m_pRecentFileList = nullptr;

    virtual BOOL InitApplication() { return TRUE; }
    BOOL InitInstance() override { return TRUE; }
    int ExitInstance() override;
    int Run() override;
    BOOL OnIdle(LONG count) override;
    virtual BOOL SaveAllModified();
    virtual CDocument* OpenDocumentFile(LPCTSTR path);
    virtual void AddToRecentFileList(LPCTSTR path);
    virtual int DoMessageBox(LPCTSTR text, UINT type, UINT helpId);
    virtual BOOL OnDDECommand(LPTSTR) { return FALSE; }

    // Settings go to the registry under HKCU\Software\<key>\<application>
    // after this call; before it, to the INI file named by m_pszProfileName.
    void SetRegistryKey(LPCTSTR key);
    void SetRegistryKey(UINT keyId);
    UINT GetProfileInt(LPCTSTR section, LPCTSTR entry, int defaultValue);
    BOOL WriteProfileInt(LPCTSTR section, LPCTSTR entry, int value);
    CString GetProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR defaultValue = nullptr);
    BOOL WriteProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR value);
    // Binary values: a hex text in an INI file, REG_BINARY in the registry.
    // *data is allocated with new[]; the caller deletes it.
    BOOL GetProfileBinary(LPCTSTR section, LPCTSTR entry, LPBYTE* data, UINT* bytes);
    BOOL WriteProfileBinary(LPCTSTR section, LPCTSTR entry, LPBYTE data, UINT bytes);

    void LoadStdProfileSettings(UINT maxMRU = 4);
    void ParseCommandLine(CCommandLineInfo& info);
    BOOL ProcessShellCommand(CCommandLineInfo& info);
    void AddDocTemplate(CDocTemplate* tmpl);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    CDocTemplate* GetDocTemplate() const { return m_templates.IsEmpty() ? nullptr : m_templates[0]; }
    HCURSOR LoadCursor(UINT id) const;
    HCURSOR LoadStandardCursor(LPCTSTR id) const { return ::LoadCursor(nullptr, id); }
    HICON LoadIcon(UINT id) const;
    HICON LoadStandardIcon(LPCTSTR id) const { return ::LoadIcon(nullptr, id); }
    void EnableShellOpen() {}
    void RegisterShellFileTypes(BOOL = FALSE) {}
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) override;

    // Command handlers.
    void OnFileNew();
    void OnFileOpen();
    void OnFilePrintSetup();
    void OnAppExit();
    BOOL OnOpenRecentFile(UINT id);
    void OnUpdateRecentFileMenu(CCmdUI* ui);

protected:
    CArray<CDocTemplate*, CDocTemplate*> m_templates;
    HKEY GetAppRegistryKey();
    HKEY GetSectionKey(LPCTSTR section);
    DECLARE_MESSAGE_MAP()
};

FW_API CWinApp* AfxGetApp();
FW_API CWnd* AfxGetMainWnd();
FW_API HINSTANCE AfxGetInstanceHandle();
// The program's entry: the WinMain of a framework program calls this.
FW_API int AfxWinMain(HINSTANCE inst, HINSTANCE prev, LPSTR cmdLine, int show);
FW_API BOOL AfxWinInit(HINSTANCE inst, HINSTANCE prev, LPSTR cmdLine, int show);
// Initialises OLE for this thread (clipboard formats, drag and drop); FALSE when it fails.
FW_API BOOL AfxOleInit();

// Message boxes. The caption is the application's name.
FW_API int AfxMessageBox(LPCTSTR text, UINT type = MB_OK, UINT helpId = 0);
FW_API int AfxMessageBox(UINT textId, UINT type = MB_OK, UINT helpId = UINT(-1));
FW_API int AfxMessageBoxOwned(HWND owner, LPCTSTR text, LPCTSTR caption, UINT type);
// While a hook is set every message box goes to it instead of the screen; it
// returns the button the "user" chose (IDOK, IDYES, ...).
typedef std::function<int(const CString& text, const CString& caption, UINT type)> FwMessageBoxHook;
FW_API void AfxSetMessageBoxHook(FwMessageBoxHook hook);
// While set, called between sizing a registry setting and reading it, so that
// tests can change the value in between as another program might.
FW_API void FwSetRegistryReadHook(std::function<void()> hook);

// Resource string by id, empty when missing.
FW_API CString AfxLoadString(UINT id);
// Splits the text of a document template's string ("a\nb\n...") at '\n'.
FW_API BOOL AfxExtractSubString(CString& out, LPCTSTR full, int index, char sep = '\n');

// Declares the program's WinMain, which runs the application object.
#define FW_IMPLEMENT_WINMAIN()                                   \
    int WINAPI WinMain(HINSTANCE i, HINSTANCE p, LPSTR c, int s) \
    {                                                            \
        return AfxWinMain(i, p, c, s);                           \
    }
