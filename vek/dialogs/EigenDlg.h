#pragma once
// The eigen-analysis parameters: whether modes are computed, how many and
// by which method, the mass conversion and the load-case mass factors.
#include "analysis/MyDialog.h"
#include "analysis/TableTwoCol.h"

class CEigenDlg : public CMyDialog {
    DECLARE_DYNAMIC(CEigenDlg)
public:
    explicit CEigenDlg(CWnd* parent);
    ~CEigenDlg() override;
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;

    CTableTwoCol* m_table = nullptr;

protected:
    // Every other field is enabled exactly when modes are computed.
    void OnComputeModes();

    int m_on = 0, m_minusZ = 0, m_modes = 0, m_method = 0, m_sturm = 0;
    DECLARE_MESSAGE_MAP()
};

bool RunEigenDialog();
