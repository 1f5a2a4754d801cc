#pragma once
// The application object of Vek: modeller or result viewer, the profile, the
// document template, the command line (a project, or a batch job that writes
// the solver's data file and ends), idle autosave, and the menu shortcuts
// while a tool dialog has the focus.
#include "framework/Afx.h"
#include "vek/model/AutoSave.h"
#include "vek/model/BatchJob.h"

class CVekApp : public CWinApp {
    DECLARE_DYNAMIC(CVekApp)
public:
    CVekApp();

    BOOL InitInstance() override;
    int ExitInstance() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnIdle(LONG count) override;
    // In a batch run boxes are written to standard error and answered with
    // their default button.
    int DoMessageBox(LPCTSTR text, UINT type, UINT helpId) override;

    // Non-zero when the command line was a batch job and it has run.
    int RunBatchJob();
    BOOL IsBatchRun() const { return m_bBatch; }
    // The program's exit code: after a batch run, how it went.
    int GetExitCode() const { return m_nExitCode; }

    // The autosave clock (milliseconds); tests give their own.
    CAutoSaveClock m_autoSave;

protected:
    // The profile file in the user's application-data folder, else the registry.
    void ChooseProfile();
    void OnAppAbout();
    void OnUpdateModellerCommand(CCmdUI* ui);

    BOOL m_bBatch = FALSE;
    CBatchCommand m_batch;
    int m_nExitCode = 0;
    DECLARE_MESSAGE_MAP()
};

// The resource of the document template: menu, accelerators, icon and document strings.
#define IDR_VEKTYPE 280

extern CVekApp theApp;
