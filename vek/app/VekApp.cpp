// Start-up of Vek: one document template with the main frame and the view.
#include "VekApp.h"

#include "MainFrm.h"
#include "analysis/MenuXP.h"
#include "VekDoc.h"
#include "VekView.h"
#include "resource.h"

CVekApp theApp;

BEGIN_MESSAGE_MAP(CVekApp, CWinApp)
ON_COMMAND(ID_APP_ABOUT, &CVekApp::OnAppAbout)
ON_COMMAND(ID_FILE_NEW, &CWinApp::OnFileNew)
ON_COMMAND(ID_FILE_OPEN, &CWinApp::OnFileOpen)
END_MESSAGE_MAP()

CVekApp::CVekApp() : CWinApp("Vek") {}

BOOL CVekApp::InitInstance()
{
    CWinApp::InitInstance();
    CMenuXP::InitializeHook();
    LoadStdProfileSettings(4);
    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CVekDoc), RUNTIME_CLASS(CMainFrame),
                                          RUNTIME_CLASS(CVekView)));
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo)) return FALSE;
    m_pMainWnd->ShowWindow(SW_SHOW);
    m_pMainWnd->UpdateWindow();
    m_pMainWnd->DragAcceptFiles();
    return TRUE;
}

int CVekApp::ExitInstance()
{
    CMenuXP::UninitializeHook();
    return CWinApp::ExitInstance();
}

void CVekApp::OnAppAbout()
{
    AfxMessageBox("Vek", MB_OK | MB_ICONINFORMATION);
}

FW_IMPLEMENT_WINMAIN()
