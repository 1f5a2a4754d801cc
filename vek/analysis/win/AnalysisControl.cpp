#include "vek/analysis/win/AnalysisControl.h"

#include "analysis/ProcessManager.h"
#include "vek/analysis/AnalysisOptions.h"
#include "vek/analysis/DataFileWriter.h"
#include "vek/analysis/win/AnalysisOptionDlg.h"
#include "vek/app/AppWindows.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/analysis/AnalysisParameters.h"
#include "vek/res/AppDialogsRes.h"
#include "vek/results/Result.h"

IMPLEMENT_DYNAMIC(CAnalysisControl, CModelessDialog)

BEGIN_MESSAGE_MAP(CAnalysisControl, CModelessDialog)
ON_MESSAGE(WM_RUN_ENDED, &CAnalysisControl::OnRunEnded)
END_MESSAGE_MAP()

namespace {
CAnalysisControl* theRunning = nullptr;
}

CAnalysisControl::CAnalysisControl() : CModelessDialog(IDD_EDIT_DIALOG, nullptr)
{
    theRunning = this;
}

CAnalysisControl::~CAnalysisControl()
{
    if (theRunning == this) theRunning = nullptr;
    if (theProcessManager.GetProcessManagerWnd() == m_hWnd || !m_hWnd) theProcessManager.SetProcessManagerWnd(nullptr);
}

CAnalysisControl* CAnalysisControl::Running()
{
    return theRunning;
}

void CAnalysisControl::PostNcDestroy()
{
    if (theProcessManager.GetProcessManagerWnd() == m_hWnd) theProcessManager.SetProcessManagerWnd(nullptr);
    CModelessDialog::PostNcDestroy();
}

void CAnalysisControl::StartOn(const char* path)
{
    if (theRunning) return;
    auto* control = new CAnalysisControl;
    if (!control->Create(IDD_EDIT_DIALOG, AfxGetMainWnd())) {
        delete control;
        AppMessageBox("管理对象启动失败！", MB_OK | MB_ICONSTOP);
        return;
    }
    if (theAnalysisOptions.showDialog && EditAnalysisOptions() != IDOK) {
        control->DestroyWindow();
        return;
    }
    control->m_path = path ? path : "";
    theProcessManager.SetMemoryAccordNodes(theNodes.GetSize());
    theProcessManager.SetFullPathName(control->m_path.c_str());
    if (control->m_run.Start(DataFilePath(nullptr)) != CAnalysisIteration::kRunning) control->DestroyWindow();
}

LRESULT CAnalysisControl::OnRunEnded(WPARAM normal, LPARAM)
{
    if (m_run.OnRunEnded(normal == 1 ? 1 : 0) == CAnalysisIteration::kEnded) {
        theProcessManager.SetProcessManagerWnd(nullptr);
        DestroyWindow();
    }
    return 0;
}

int CAnalysisControl::WriteDataFile(int fresh)
{
    return fresh ? WriteKorvaDataFile(1, 1, 1, theAnalysisOptions.contiguousNumbers, 1, 0, 0, nullptr)
                 : WriteKorvaDataFile(1, 0, 0, 0, 1, 0, 0, nullptr);
}

int CAnalysisControl::DataFileExists()
{
    const std::string path = DataFilePath(nullptr);
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void CAnalysisControl::RunSolver(int chooseModules, int freeModal)
{
    theProcessManager.SetProcessManagerWnd(m_hWnd);
    theProcessManager.ComputeKorvaData(chooseModules, freeModal);
}

int CAnalysisControl::LoadResults()
{
    return theResult.SetFileName(m_path.c_str(), theNodes.GetSize(), 0);
}

void CAnalysisControl::ClearResults()
{
    theResult.SetZero();
}

void CAnalysisControl::DeleteConvertedFiles()
{
    theResult.DeleteTemporaryFiles();
}

void CAnalysisControl::ResultCounts(int& cases, int& dispCombs, int& forceCombs, int& equations)
{
    const bool good = theResult.Good();
    cases = good ? theResult.m_nLoadCase : 0;
    dispCombs = good ? theResult.m_nLoadComb : 0;
    forceCombs = good ? theResult.m_nForceComb : 0;
    equations = good ? theResult.m_nEquation : 0;
}

bool CAnalysisControl::BeamAxialForces(int comb, std::map<int, double>& out)
{
    MArrayID<DFrameForce> store(64, 64);
    if (!theResult.GetCombAllFrameForce(comb, store)) return false;
    for (int i = 0; i < store.GetSize(); ++i) {
        const DFrameForce* f = store.GetAt(i);
        double sum = 0;
        for (int s = 0; s < f->nSect; ++s) sum += f->pSect[s][1];
        out[f->m_nID] = f->nSect ? sum / f->nSect : 0.0;
    }
    return true;
}

bool CAnalysisControl::SpringForces(int comb, std::map<int, double>& out)
{
    MArrayID<DSpringForce> store(64, 64);
    if (!theResult.GetOneCombAllSpringForce(comb, store)) return false;
    for (int i = 0; i < store.GetSize(); ++i) out[store.GetAt(i)->m_nID] = store.GetAt(i)->force;
    return true;
}

void CAnalysisControl::Prompt(const char* text)
{
    ModelHooks().ShowPrompt(text);
}

void CAnalysisControl::Message(const char* text)
{
    AppMessageBox(text, MB_OK | MB_ICONWARNING);
}

void CAnalysisControl::MessageID(int id)
{
    AppMessageBoxID(UINT(id), MB_OK | MB_ICONSTOP);
}

bool CAnalysisControl::DynamicAnalysis()
{
    // The time-history switch joins here when its parameters exist.
    return theEigenPara.on != 0;
}
