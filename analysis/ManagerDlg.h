#pragma once
// The run monitor: a modeless dialog that shows the running programs'
// output, the command line of the program that runs, and buttons to stop the
// run, copy the output and close. It drives the run manager's queue through
// the messages 2024 to 2027 and frees itself when its window goes.
#include "analysis/OutputWnd.h"
#include "analysis/RunDialogBase.h"

class CProcessManager;

class ANALYSIS_API CManagerDlg : public CRunDialogBase {
    DECLARE_DYNAMIC(CManagerDlg)
public:
    explicit CManagerDlg(CProcessManager* manager, CWnd* parent = nullptr);
    ~CManagerDlg() override;

    // Closes the dialog by itself when a run ends; one flag for the whole library.
    static int s_bAutoClose;

    COutputWndBase* GetOutputPane() { return &m_wndOutput; }
    HWND GetPreviousNotifyWnd() const { return m_hPrevNotify; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void PostNcDestroy() override;
    void OnOK() override {}
    void OnCancel() override {}

    LRESULT OnRunOutput(WPARAM start, LPARAM end);
    LRESULT OnRunNext(WPARAM, LPARAM);
    LRESULT OnRunStarted(WPARAM text, LPARAM);
    LRESULT OnRunEnded(WPARAM status, LPARAM param);
    void OnStop();
    void OnCopy();
    void OnCloseDialog();
    void OnAutoClose();
    void OnSysCommand(UINT id, LPARAM lParam);
    void OnDestroy();

    CProcessManager* m_pManager;
    COutputWnd m_wndOutput;
    HWND m_hPrevNotify = nullptr;
    DECLARE_MESSAGE_MAP()
};
