#pragma once
// The analysis options dialog: the iteration switches, the maximum steps
// and the zero-force tolerance of one-way members, the data-file and module
// switches, and the run manager's memory.
#include "analysis/MyDialog.h"

class CAnalysisOptionDlg : public CMyDialog {
    DECLARE_DYNAMIC(CAnalysisOptionDlg)
public:
    explicit CAnalysisOptionDlg(CWnd* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    // Takes the fields into the options and the profile; the tolerance's
    // warnings are shown and the value kept.
    void OnOK() override;

    int m_switches[8] = {};
    short m_maxSteps = 15;
    double m_tolerance = 1e-8;
    int m_memory = 0;
};

// The dialog over the options in force; IDOK when they were taken.
INT_PTR EditAnalysisOptions();
