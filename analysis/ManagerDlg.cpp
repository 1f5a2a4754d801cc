// The run monitor.
#include "analysis/ManagerDlg.h"

#include "analysis/ProcessManager.h"
#include "analysis/RunManagerRes.h"

int CManagerDlg::s_bAutoClose = 1;

IMPLEMENT_DYNAMIC(CManagerDlg, CRunDialogBase)

BEGIN_MESSAGE_MAP(CManagerDlg, CRunDialogBase)
ON_MESSAGE(WM_RUN_OUTPUT, &CManagerDlg::OnRunOutput)
ON_MESSAGE(WM_RUN_NEXT, &CManagerDlg::OnRunNext)
ON_MESSAGE(WM_RUN_STARTED, &CManagerDlg::OnRunStarted)
ON_MESSAGE(WM_RUN_ENDED, &CManagerDlg::OnRunEnded)
ON_BN_CLICKED(IDC_RUN_STOP, &CManagerDlg::OnStop)
ON_BN_CLICKED(IDC_RUN_COPY, &CManagerDlg::OnCopy)
ON_BN_CLICKED(IDC_RUN_CLOSE, &CManagerDlg::OnCloseDialog)
ON_BN_CLICKED(IDC_RUN_AUTOCLOSE, &CManagerDlg::OnAutoClose)
ON_WM_SYSCOMMAND()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CManagerDlg::CManagerDlg(CProcessManager* manager, CWnd* parent)
    : CRunDialogBase(IDD_RUN_MANAGER, parent), m_pManager(manager)
{
}

CManagerDlg::~CManagerDlg() = default;

void CManagerDlg::DoDataExchange(CDataExchange* dx)
{
    CRunDialogBase::DoDataExchange(dx);
    DDX_Check(dx, IDC_RUN_AUTOCLOSE, s_bAutoClose);
}

BOOL CManagerDlg::OnInitDialog()
{
    CRunDialogBase::OnInitDialog();
    CRect pane;
    GetClientRect(&pane);
    CRect stop;
    GetDlgItem(IDC_RUN_STOP)->GetWindowRect(&stop);
    ScreenToClient(&stop);
    pane.bottom = stop.top - 5;
    pane.DeflateRect(4, 4);
    m_wndOutput.Create(pane, this, IDC_RUN_OUTPUT);

    m_hPrevNotify = m_pManager->GetProcessManagerWnd();
    if (m_hPrevNotify == m_hWnd) m_hPrevNotify = nullptr;
    m_pManager->SetProcessManagerWnd(m_hWnd);
    m_pManager->SetOutputWnd(m_hWnd);
    if (m_hPrevNotify) {
        // The caller waits for the end of the run: the dialog goes when it comes.
        s_bAutoClose = 1;
        GetDlgItem(IDC_RUN_AUTOCLOSE)->EnableWindow(FALSE);
    }
    UpdateData(FALSE);
    return TRUE;
}

void CManagerDlg::PostNcDestroy()
{
    delete this;
}

LRESULT CManagerDlg::OnRunOutput(WPARAM start, LPARAM end)
{
    m_wndOutput.AddOutpuString(&m_wndOutput, start, end);
    m_pManager->ReadStringFinished();
    return 0;
}

LRESULT CManagerDlg::OnRunNext(WPARAM, LPARAM)
{
    m_pManager->StartAnotherProgram();
    return 0;
}

LRESULT CManagerDlg::OnRunStarted(WPARAM text, LPARAM)
{
    SetDlgItemText(IDC_RUN_STATUS, reinterpret_cast<const char*>(text));
    return 0;
}

LRESULT CManagerDlg::OnRunEnded(WPARAM status, LPARAM param)
{
    if (m_hPrevNotify) ::PostMessageA(m_hPrevNotify, WM_RUN_ENDED, status, param);
    if (s_bAutoClose) {
        DestroyWindow();
        return 0;
    }
    CString text = status ? "成功！" : "强行中断或发生错误！";
    text += " 请按“关闭对话框”按钮退出";
    SetDlgItemText(IDC_RUN_STATUS, text);
    GetDlgItem(IDC_RUN_CLOSE)->EnableWindow(TRUE);
    GetDlgItem(IDC_RUN_STOP)->EnableWindow(FALSE);
    return 0;
}

void CManagerDlg::OnStop()
{
    m_pManager->TerminateProcessAndWaiting(0);
}

void CManagerDlg::OnCopy()
{
    m_wndOutput.CopyOutputToClipboard(m_hWnd);
}

void CManagerDlg::OnCloseDialog()
{
    DestroyWindow();
}

void CManagerDlg::OnAutoClose()
{
    UpdateData(TRUE);
}

void CManagerDlg::OnSysCommand(UINT id, LPARAM lParam)
{
    if ((id & 0xFFF0) == SC_CLOSE) {
        if (m_pManager->ProcessIsStillActive()) {
            // The run stops; its 2027 closes the dialog.
            s_bAutoClose = 1;
            m_pManager->TerminateProcessAndWaiting(10);
        } else {
            // Esc does nothing here, but the close box closes.
            DestroyWindow();
        }
        return;
    }
    CRunDialogBase::OnSysCommand(id, lParam);
}

void CManagerDlg::OnDestroy()
{
    m_pManager->SetOutputWnd(nullptr);
    m_pManager->SetProcessManagerWnd(m_hPrevNotify);
    CRunDialogBase::OnDestroy();
}

BOOL CProcessManager::CreateMonitor()
{
    CWnd* main = AfxGetMainWnd();
    auto* dlg = new CManagerDlg(this, main);
    if (!dlg->Create(IDD_RUN_MANAGER, main)) {
        delete dlg;
        return FALSE;
    }
    dlg->ShowWindow(SW_SHOW);
    dlg->CenterWindow(main);
    return m_hOutputWnd && m_hNotifyWnd;
}
