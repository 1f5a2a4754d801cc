#include "vek/dialogs/EigenDlg.h"

#include "vek/dialogs/TwoColumnTable.h"
#include "vek/dialogs/logic/CombinationRules.h"
#include "vek/model/analysis/AnalysisParameters.h"
#include "vek/res/ModelParamsRes.h"

IMPLEMENT_DYNAMIC(CEigenDlg, CMyDialog)

BEGIN_MESSAGE_MAP(CEigenDlg, CMyDialog)
ON_BN_CLICKED(IDC_EG_ON, &CEigenDlg::OnComputeModes)
END_MESSAGE_MAP()

CEigenDlg::CEigenDlg(CWnd* parent) : CMyDialog(IDD_EIGEN, parent)
{
    const CEigenPara& e = theEigenPara;
    m_on = e.on ? 1 : 0;
    m_minusZ = e.onlyMinusZ ? 1 : 0;
    m_modes = e.modes;
    m_method = e.method >= 1 && e.method <= 3 ? e.method - 1 : 2;
    m_sturm = e.sturm ? 1 : 0;
}

CEigenDlg::~CEigenDlg()
{
    delete m_table;
}

BOOL CEigenDlg::OnInitDialog()
{
    CMyDialog::OnInitDialog();
    m_table = MakeTwoColumnTable(this, IDC_EG_FACTORS, 502, "荷载种类号", "转质量因子", 0.7);
    if (!m_table) {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    combrules::FactorsToRows(theEigenPara.massFactors, m_table->m_items);
    ShowTableItems(*m_table);
    OnComputeModes();
    return TRUE;
}

void CEigenDlg::DoDataExchange(CDataExchange* dx)
{
    DDX_Check(dx, IDC_EG_ON, m_on);
    DDX_Check(dx, IDC_EG_MINUS_Z, m_minusZ);
    DDX_Text(dx, IDC_EG_MODES, m_modes);
    DDX_Radio(dx, IDC_EG_RITZ, m_method);
    DDX_Check(dx, IDC_EG_STURM, m_sturm);
}

void CEigenDlg::OnComputeModes()
{
    const bool on = IsDlgButtonChecked(IDC_EG_ON) == BST_CHECKED;
    for (int id : {IDC_EG_MINUS_Z, IDC_EG_MODES, IDC_EG_RITZ, IDC_EG_SUBSPACE, IDC_EG_LANCZOS, IDC_EG_STURM})
        GetDlgItem(id)->EnableWindow(on);
    if (m_table) m_table->EnableWindow(on);
}

void CEigenDlg::OnOK()
{
    if (!UpdateData(TRUE)) return;
    if (m_on && m_modes < 1) {
        AfxMessageBox("振型(周期)计算个数必须大于0！");
        GotoDlgCtrl(GetDlgItem(IDC_EG_MODES));
        return;
    }
    LoadFactorList factors;
    if (!m_table->UpdateData(1)) return;
    const int bad = combrules::FactorsFromRows(m_table->m_items, factors);
    if (bad >= 0) {
        AfxMessageBox("荷载种类号必须在1-32767之间!");
        return;
    }
    CEigenPara& e = theEigenPara;
    e.on = uint8_t(m_on);
    e.onlyMinusZ = uint8_t(m_minusZ);
    e.modes = m_modes;
    e.method = uint8_t(m_method + 1);
    e.sturm = uint8_t(m_sturm);
    e.massFactors.Copy(factors);
    EndDialog(IDOK);
}

bool RunEigenDialog()
{
    CEigenDlg dlg(AfxGetMainWnd());
    return dlg.DoModal() == IDOK;
}
