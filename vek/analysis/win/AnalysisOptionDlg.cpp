#include "vek/analysis/win/AnalysisOptionDlg.h"

#include "analysis/ProcessManager.h"
#include "vek/analysis/AnalysisOptions.h"
#include "vek/app/AppWindows.h"
#include "vek/model/AppHelpers.h"
#include "vek/res/DataFileRes.h"

IMPLEMENT_DYNAMIC(CAnalysisOptionDlg, CMyDialog)

namespace {
const int kSwitchIds[8] = {IDC_ANAOPT_CASES,  IDC_ANAOPT_DISP_COMBS, IDC_ANAOPT_FORCE_COMBS, IDC_ANAOPT_REUSE,
                           IDC_ANAOPT_CHOOSE, IDC_ANAOPT_FREE_MODAL, IDC_ANAOPT_SHOW,        IDC_ANAOPT_CONTIGUOUS};

uint8_t* Switches(CAnalysisOptions& o, int k)
{
    uint8_t* all[8] = {&o.iterateCases,  &o.iterateDispCombs, &o.iterateForceCombs, &o.reuseDataFile,
                       &o.chooseModules, &o.freeModal,        &o.showDialog,        &o.contiguousNumbers};
    return all[k];
}
}  // namespace

CAnalysisOptionDlg::CAnalysisOptionDlg(CWnd* parent) : CMyDialog(IDD_ANALYSIS_OPTIONS, parent)
{
    CAnalysisOptions& o = theAnalysisOptions;
    for (int k = 0; k < 8; ++k) m_switches[k] = *Switches(o, k);
    m_maxSteps = o.maxSteps;
    m_tolerance = o.tolerance;
    m_memory = theProcessManager.GetUsedMemory();
}

BOOL CAnalysisOptionDlg::OnInitDialog()
{
    CMyDialog::OnInitDialog();
    return TRUE;
}

void CAnalysisOptionDlg::DoDataExchange(CDataExchange* dx)
{
    for (int k = 0; k < 8; ++k) DDX_Check(dx, kSwitchIds[k], m_switches[k]);
    DDX_Text(dx, IDC_ANAOPT_MAX_STEPS, m_maxSteps);
    DDV_MinMaxShort(dx, m_maxSteps, 1, 32767);
    DDX_Text(dx, IDC_ANAOPT_TOLERANCE, m_tolerance);
    DDX_Text(dx, IDC_ANAOPT_MEMORY, m_memory);
}

void CAnalysisOptionDlg::OnOK()
{
    if (!UpdateData(TRUE)) return;
    CAnalysisOptions o = theAnalysisOptions;
    for (int k = 0; k < 8; ++k) *Switches(o, k) = m_switches[k] ? 1 : 0;
    o.maxSteps = m_maxSteps;
    o.tolerance = m_tolerance;
    if (const char* warning = ToleranceWarning(o.CheckTolerance())) AppMessageBox(warning, MB_OK | MB_ICONWARNING);
    theAnalysisOptions = o;
    WriteAnalysisOptionsProfile();
    if (m_memory > 0) theProcessManager.SetUsedMemory(m_memory);
    EndDialog(IDOK);
}

INT_PTR EditAnalysisOptions()
{
    CAnalysisOptionDlg dlg(AfxGetMainWnd());
    return dlg.DoModal();
}
