// Start-up of Vek: mode, profile, document template, command line and batch
// job; idle autosave; shortcuts while a tool dialog has the focus.
#include "vek/app/VekApp.h"
#include "vek/model/document/DocumentHooks.h"

#include <cstdlib>
#include <cstring>

#include "analysis/AppProfile.h"
#include "analysis/MenuXP.h"
#include "analysis/ProcessManager.h"
#include "vek/app/AboutDlg.h"
#include "vek/app/AppWindows.h"
#include "vek/app/DialogsBar.h"
#include "vek/app/MainFrm.h"
#include "vek/app/ModelBindings.h"
#include "vek/app/VekDoc.h"
#include "vek/app/VekView.h"
#include "vek/dialogs/FileNewDlg.h"
#include "vek/dialogs/LeftDlg.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/Profile.h"
#include "vek/model/ProjectGlobals.h"
#include "vek/model/ProjectOptions.h"
#include "vek/view/win/BottomDlg.h"

namespace {

// The commands only the modeller offers.
constexpr UINT kFileNew = 57600, kFileOpen = 57601, kDataCheck = 32835, kExportData = 32838, kPlaneOptions = 298,
               kEigenParameters = 32817, kHistoryParameters = 32821, kSpectrumParameters = 32819,
               kReinforceParameters = 32932, kWindParameters = 32810, kUnitSystem = 32801, kPileParameters = 33130,
               kMaterialLibrary = 32935, kSectionLibrary = 32936, kSteelLibrary = 32937, kVariableLibrary = 32938,
               kSpringLibrary = 32939, kAxisGrids = 32812, kIntersectionNodes = 32845;
constexpr UINT kFilePrintSetup = 57606;

// Set in the environment, the settings go to the registry as on a system
// without the application-data folder (for tests of that path).
const char kRegistrySwitch[] = "VEK_PROFILE_IN_REGISTRY";

}  // namespace

IMPLEMENT_DYNAMIC(CVekApp, CWinApp)

// clang-format off
BEGIN_MESSAGE_MAP(CVekApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, &CVekApp::OnAppAbout)
    ON_COMMAND(kFileNew, &CWinApp::OnFileNew)
    ON_COMMAND(kFileOpen, &CWinApp::OnFileOpen)
    ON_COMMAND(kFilePrintSetup, &CWinApp::OnFilePrintSetup)
    ON_UPDATE_COMMAND_UI(kFileNew, &CVekApp::OnUpdateModellerCommand)
    ON_UPDATE_COMMAND_UI(kFileOpen, &CVekApp::OnUpdateModellerCommand)
    ON_UPDATE_COMMAND_UI(kDataCheck, &CVekApp::OnUpdateModellerCommand)
    ON_UPDATE_COMMAND_UI(kExportData, &CVekApp::OnUpdateModellerCommand)
    ON_UPDATE_COMMAND_UI(kPlaneOptions, &CVekApp::OnUpdateModellerCommand)
    ON_UPDATE_COMMAND_UI(kEigenParameters, &CVekApp::OnUpdateModellerCommand)
    ON_UPDATE_COMMAND_UI(kHistoryParameters, &CVekApp::OnUpdateModellerCommand)
    ON_UPDATE_COMMAND_UI(kSpectrumParameters, &CVekApp::OnUpdateModellerCommand)
    ON_UPDATE_COMMAND_UI(kReinforceParameters, &CVekApp::OnUpdateModellerCommand)
    ON_UPDATE_COMMAND_UI(kWindParameters, &CVekApp::OnUpdateModellerCommand)
    ON_UPDATE_COMMAND_UI(kUnitSystem, &CVekApp::OnUpdateModellerCommand)
    ON_UPDATE_COMMAND_UI(kPileParameters, &CVekApp::OnUpdateModellerCommand)
    ON_UPDATE_COMMAND_UI(kMaterialLibrary, &CVekApp::OnUpdateModellerCommand)
    ON_UPDATE_COMMAND_UI(kSectionLibrary, &CVekApp::OnUpdateModellerCommand)
    ON_UPDATE_COMMAND_UI(kSteelLibrary, &CVekApp::OnUpdateModellerCommand)
    ON_UPDATE_COMMAND_UI(kVariableLibrary, &CVekApp::OnUpdateModellerCommand)
    ON_UPDATE_COMMAND_UI(kSpringLibrary, &CVekApp::OnUpdateModellerCommand)
    ON_UPDATE_COMMAND_UI(kAxisGrids, &CVekApp::OnUpdateModellerCommand)
    ON_UPDATE_COMMAND_UI(kIntersectionNodes, &CVekApp::OnUpdateModellerCommand)
END_MESSAGE_MAP()
// clang-format on

CVekApp::CVekApp() : CWinApp("Vek") {}

void CVekApp::ChooseProfile()
{
    typedef BOOL(WINAPI * SpecialFolderPath)(HWND, LPSTR, int, BOOL);
    HMODULE shell = ::LoadLibraryA("shell32.dll");
    SpecialFolderPath folderPath = nullptr;
    const char* forced = std::getenv(kRegistrySwitch);
    if (shell && !(forced && *forced))
        folderPath = reinterpret_cast<SpecialFolderPath>(
            reinterpret_cast<void*>(::GetProcAddress(shell, "SHGetSpecialFolderPathA")));
    char path[MAX_PATH + 32] = {};
    // A folder that cannot be named is no place for the settings either: the registry then.
    if (folderPath && folderPath(nullptr, path, 26 /* CSIDL_APPDATA */, FALSE) && path[0]) {
        std::strcat(path, "\\KORVA");
        if (::GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) ::CreateDirectoryA(path, nullptr);
        std::strcat(path, bModellerMode ? "\\Vekv7.INI" : "\\Zurozev7.INI");
        std::free(const_cast<char*>(m_pszProfileName));
        m_pszProfileName = _strdup(path);
    } else {
        SetRegistryKey("KORVA");
    }
    if (shell) ::FreeLibrary(shell);
}

BOOL CVekApp::InitInstance()
{
    CWinApp::InitInstance();
    const char* commandLine = m_lpCmdLine ? m_lpCmdLine : "";
    if (IsViewerCommandLine(commandLine)) bModellerMode = 0;
    m_bBatch = ParseBatchCommand(commandLine, m_batch) ? TRUE : FALSE;

    AfxOleInit();
    CMenuXP::InitializeHook();
    ChooseProfile();
    static CAppProfile profile(this);
    SetAppProfile(&profile);
    BindModelWindows();
    LoadStdProfileSettings(4);
    AddDocTemplate(new CSingleDocTemplate(IDR_VEKTYPE, RUNTIME_CLASS(CVekDoc), RUNTIME_CLASS(CMainFrame),
                                          RUNTIME_CLASS(CVekView)));

    CCommandLineInfo info;
    ParseCommandLine(info);
    if (!info.m_strFileName.IsEmpty()) info.m_strFileName = NormaliseProjectName(info.m_strFileName);
    // A batch run opens its project without showing the frame: nobody looks at it.
    const BOOL opened = m_bBatch ? GetDocTemplate() && GetDocTemplate()->OpenDocumentFile(info.m_strFileName, FALSE)
                                 : ProcessShellCommand(info);
    if (!opened) {
        if (m_bBatch) {
            CString text;
            text.Format("工程文件%s无法打开，批处理没有执行。", m_batch.project.GetString());
            WriteStandardError(text);
            m_nExitCode = kBatchProjectNotOpened;
        }
        return FALSE;
    }
    if (!m_bBatch) {
        // Shown first, so that the left panel is placed against the view's final size.
        m_pMainWnd->ShowWindow(SW_SHOW);
        m_pMainWnd->UpdateWindow();
        // A project opened from the command line was read before the frame was the
        // main window: its layers and results reach the tool bar's selectors now.
        ModelHooks().RefreshLayerSelector();
        ModelHooks().RefreshResultSelectors();
        if (theLeftDlg) theModelessDlgs.AddAnchored(theLeftDlg);
        m_pMainWnd->DragAcceptFiles();
        // From here new projects ask for their kind, the one started without a
        // project too: its model is reset from the queue, over the shown frame.
        if (bModellerMode) OfferFileNewDialog(true);
    }
    // An opened project's load message stays in view.
    if (theBottomDlg && info.m_strFileName.IsEmpty()) theBottomDlg->UpdateOperationPrompt();
    return RunBatchJob() ? FALSE : TRUE;
}

int CVekApp::RunBatchJob()
{
    if (!m_bBatch) return 0;
    m_nExitCode = RunBatch(m_batch);
    return 1;
}

int CVekApp::ExitInstance()
{
    CMenuXP::UninitializeHook();
    const int code = CWinApp::ExitInstance();
    SetAppProfile(nullptr);
    return m_bBatch ? m_nExitCode : code;
}

int CVekApp::DoMessageBox(LPCTSTR text, UINT type, UINT helpId)
{
    if (!m_bBatch) return CWinApp::DoMessageBox(text, type, helpId);
    // Nobody is there to answer: the text goes to standard error, the default button answers.
    WriteStandardError(text ? text : "");
    return DefaultButtonOf(type);
}

BOOL CVekApp::OnIdle(LONG count)
{
    m_autoSave.Start();
    BOOL more = CWinApp::OnIdle(count);
    if (theViewLink.idleStep && theViewLink.idleStep()) more = TRUE;
    if (count < 0) return more;
    if (count < 3) return TRUE;
    if (count > 3) return more;
    if (m_autoSave.TakeIfDue(theProjectOptions.nAutoSaveInterval)) {
        const char* folder = theProcessManager.GetCurPath();
        if (folder && *folder) ::SetCurrentDirectoryA(folder);
        if (pfnSaveProject) pfnSaveProject(1);
    }
    return TRUE;
}

BOOL CVekApp::PreTranslateMessage(MSG* msg)
{
    if (msg->message != WM_KEYDOWN) return CWinApp::PreTranslateMessage(msg);
    CWnd* main = GetMainWnd();
    if (!main || !main->m_hWnd) return CWinApp::PreTranslateMessage(msg);
    CWnd* active = CWnd::FromHandlePermanent(::GetActiveWindow());
    if (!active || !active->IsKindOf(RUNTIME_CLASS(CModelessDialog))) return CWinApp::PreTranslateMessage(msg);
    HWND focus = ::GetFocus();
    char cls[16] = {};
    if (focus) ::GetClassNameA(focus, cls, sizeof cls);
    if (_stricmp(cls, "Edit") == 0 || msg->wParam == VK_RETURN) return CWinApp::PreTranslateMessage(msg);

    HACCEL accel = main->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(main)->m_hAccelTable : nullptr;
    if (accel && ::TranslateAcceleratorA(main->m_hWnd, accel, msg)) return TRUE;
    if (theBottomDlg) {
        CWnd* input = theBottomDlg->GetInputEdit();
        if (input && input->IsWindow() && input->PreTranslateMessage(msg)) return TRUE;
    }
    return CWinApp::PreTranslateMessage(msg);
}

void CVekApp::OnAppAbout()
{
    CAboutDlg dlg;
    dlg.DoModal();
}

void CVekApp::OnUpdateModellerCommand(CCmdUI* ui)
{
    // Offered in the modeller only, and only where something carries it out.
    BOOL handled = FALSE;
    if (bModellerMode) {
        CWnd* main = GetMainWnd();
        int info = 0;
        handled = main ? main->OnCmdMsg(ui->m_nID, CN_COMMAND, nullptr, &info)
                       : OnCmdMsg(ui->m_nID, CN_COMMAND, nullptr, &info);
    }
    if (ui->m_nID == kExportData && theDocumentHooks.analysisRunning && theDocumentHooks.analysisRunning())
        handled = FALSE;
    ui->Enable(handled);
}
