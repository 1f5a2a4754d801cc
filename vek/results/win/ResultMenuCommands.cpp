#include "vek/results/win/ResultMenuCommands.h"

#include "analysis/ProcessManager.h"
#include "vek/app/AppWindows.h"
#include "vek/app/DialogsBar.h"
#include "vek/res/ResultDialogsRes.h"
#include "vek/app/ViewerLink.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ModelFamily.h"
#include "vek/model/ObjectBase.h"
#include "vek/model/ProjectOptions.h"
#include "vek/res/resource.h"
#include "vek/results/Result.h"
#include "vek/results/ResultDisp.h"
#include "vek/results/win/MemberResultDialogs.h"
#include "vek/results/win/ResultPanels.h"
#include "vek/results/win/ResultSettings.h"
#include "vek/view/operate/OperationStack.h"
#include "vek/view/operate/SelectFilter.h"
#include "vek/view/operate/SingleOperate.h"
#include "vek/view/win/VekView.h"

CResultMenuCommands theResultMenuCommands;

// clang-format off
BEGIN_MESSAGE_MAP(CResultMenuCommands, CCmdTarget)
    ON_COMMAND(ID_STEEL_CHECK_MAX, &CResultMenuCommands::OnSteelCheckMax)
    ON_COMMAND(ID_STEEL_CHECK_SELECT, &CResultMenuCommands::OnSteelSelect)
    ON_COMMAND(ID_RESULT_REIN_PICTURE, &CResultMenuCommands::OnReinPicture)
    ON_COMMAND(ID_RESULT_FORCE_TEXT, &CResultMenuCommands::OnForceText)
    ON_COMMAND(ID_RESULT_SHELL_FORCE_FILE, &CResultMenuCommands::OnShellForceFile)
    ON_COMMAND(ID_RESULT_REPORT, &CResultMenuCommands::OnReport)
    ON_COMMAND(ID_JOINT_DISPLAY, &CResultMenuCommands::OnJointDisplay)
    ON_COMMAND(ID_JOINT_AUTO, &CResultMenuCommands::OnJointSearch)
    ON_COMMAND(ID_JOINT_DATA, &CResultMenuCommands::OnJointData)
    ON_COMMAND(ID_RESULT_AXIAL_RATIO, &CResultMenuCommands::OnAxialRatio)
    ON_COMMAND(ID_RESULT_STRESS_FIELD, &CResultMenuCommands::OnStressField)
    ON_COMMAND(ID_STEEL_CHECK_RUN, &CResultMenuCommands::OnSteelCheckRun)
    ON_COMMAND(ID_RESULT_SUPPORT_FORCES, &CResultMenuCommands::OnSupportForces)
    ON_COMMAND(ID_RESULT_HISTORY_VIEWER, &CResultMenuCommands::OnHistoryViewer)
    ON_COMMAND(ID_RESULT_HISTORY_NODE, &CResultMenuCommands::OnHistoryNode)
    ON_COMMAND(ID_RESULT_NODE_ABOVE_FORCE, &CResultMenuCommands::OnNodeAboveForce)
    ON_UPDATE_COMMAND_UI(ID_RESULT_NODE_ABOVE_FORCE, &CResultMenuCommands::OnUpdateNodeAboveForce)
    ON_COMMAND_RANGE(ID_INFO_CONTENT_MODEL, ID_INFO_CONTENT_ALL, &CResultMenuCommands::OnInfoContent)
    ON_UPDATE_COMMAND_UI(ID_STEEL_CHECK_MAX, &CResultMenuCommands::OnUpdateSteelCheckMax)
    ON_UPDATE_COMMAND_UI(ID_STEEL_CHECK_SELECT, &CResultMenuCommands::OnUpdateSteelSelect)
    ON_UPDATE_COMMAND_UI(ID_RESULT_REIN_PICTURE, &CResultMenuCommands::OnUpdateReinPicture)
    ON_UPDATE_COMMAND_UI(ID_RESULT_FORCE_TEXT, &CResultMenuCommands::OnUpdateForceText)
    ON_UPDATE_COMMAND_UI(ID_RESULT_SHELL_FORCE_FILE, &CResultMenuCommands::OnUpdateShellForceFile)
    ON_UPDATE_COMMAND_UI(ID_RESULT_REPORT, &CResultMenuCommands::OnUpdateReport)
    ON_UPDATE_COMMAND_UI(ID_JOINT_DISPLAY, &CResultMenuCommands::OnUpdateJointDisplay)
    ON_UPDATE_COMMAND_UI(ID_JOINT_AUTO, &CResultMenuCommands::OnUpdateJointSearch)
    ON_UPDATE_COMMAND_UI(ID_JOINT_DATA, &CResultMenuCommands::OnUpdateJointData)
    ON_UPDATE_COMMAND_UI(ID_RESULT_AXIAL_RATIO, &CResultMenuCommands::OnUpdateAxialRatio)
    ON_UPDATE_COMMAND_UI(ID_RESULT_STRESS_FIELD, &CResultMenuCommands::OnUpdateStressField)
    ON_UPDATE_COMMAND_UI(ID_STEEL_CHECK_RUN, &CResultMenuCommands::OnUpdateSteelCheckRun)
    ON_UPDATE_COMMAND_UI(ID_RESULT_SUPPORT_FORCES, &CResultMenuCommands::OnUpdateSupportForces)
    ON_UPDATE_COMMAND_UI(ID_RESULT_HISTORY_VIEWER, &CResultMenuCommands::OnUpdateHistoryViewer)
    ON_UPDATE_COMMAND_UI(ID_RESULT_HISTORY_NODE, &CResultMenuCommands::OnUpdateHistoryNode)
    ON_UPDATE_COMMAND_UI(ID_INFO_CONTENT_MODEL, &CResultMenuCommands::OnUpdateInfoContent)
    ON_UPDATE_COMMAND_UI(ID_INFO_CONTENT_RESULTS, &CResultMenuCommands::OnUpdateInfoContent)
    ON_UPDATE_COMMAND_UI(ID_INFO_CONTENT_ALL, &CResultMenuCommands::OnUpdateInfoContent)
END_MESSAGE_MAP()
// clang-format on

namespace {

constexpr int kOpHistoryNode = 774;
constexpr int kOpNodeAboveForce = 782;
constexpr unsigned kUnreadResults = 160;

bool Good()
{
    return theResult.Good() != 0;
}

bool Has(EFamily f)
{
    return ModelFamily(f).GetCount() > 0;
}

void Redraw()
{
    if (CVekView* view = CVekView::GetMain()) view->InvalidateModel();
}

int CurrentOperationCode()
{
    const CSingleOperate* op = theOperationStack.GetCurrentOperation();
    return op ? op->m_nCode : 0;
}

// Queues a check program through the run manager: the bare name (its folder
// is on the search path), the current data file, the run folder.
void StartCheckProgram(const char* program)
{
    if (!CheckProgramAvailable(program)) return;
    theProcessManager.AddOneProcess(program, theProcessManager.GetFileName(), theProcessManager.GetCurPath(), 1, 0);
}

}  // namespace

bool CheckProgramAvailable(const char* program)
{
    if (!Good() || !theProcessManager.GetCurPath() || !theProcessManager.GetCurPath()[0]) return false;
    CString path = CProcessManager::korvaPath;
    if (path.IsEmpty() || path[path.GetLength() - 1] != '\\') path += "\\";
    path += program;
    const DWORD attributes = ::GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// ---- steel check

void CResultMenuCommands::OnSteelCheckMax()
{
    CSfrChkTextDlg dlg(AfxGetMainWnd());
    if (dlg.DoModal() != IDOK || !theResultCommandSlots.readSteelCheck) return;
    SteelCheckDisp& s = theResultDisp.steelCheck;
    s.item = uint8_t(dlg.m_nItem);
    s.kind = uint8_t(dlg.m_nType);
    theResultCommandSlots.readSteelCheck();
    Redraw();
}

void CResultMenuCommands::OnUpdateSteelCheckMax(CCmdUI* ui)
{
    ui->Enable(theResult.m_bHasSframes && theResultCommandSlots.readSteelCheck);
    ui->SetCheck(theResultDisp.steelCheck.kind != 0);
}

void CResultMenuCommands::OnSteelSelect()
{
    CSframeSelDlg dlg(AfxGetMainWnd());
    dlg.DoModal();
}

void CResultMenuCommands::OnUpdateSteelSelect(CCmdUI* ui)
{
    ui->Enable(theResult.m_bHasSframes && theResultCommandSlots.selectByCheck);
}

// ---- reinforcement

void CResultMenuCommands::OnReinPicture()
{
    CReinPicDlg dlg(AfxGetMainWnd());
    if (dlg.DoModal() != IDOK) return;
    ReinDisp& r = theResultDisp.rein;
    r.perSection = uint8_t(dlg.m_nSections);
    r.ratio = uint8_t(dlg.m_nRatio);
    r.items = uint8_t(dlg.m_nItems);
    r.Fill();
    Redraw();
}

void CResultMenuCommands::OnUpdateReinPicture(CCmdUI* ui)
{
    ui->Enable(Good() && theResult.m_bHasFrames);
    ui->SetCheck(theResultDisp.rein.items != 0);
}

// ---- member forces as text

void CResultMenuCommands::OnForceText()
{
    CForceTextDlg dlg(AfxGetMainWnd());
    if (dlg.DoModal() != IDOK || !theResultDispHooks.updateForceText) return;
    ForceText& t = theResultDisp.forceText;
    t.elementKind = uint8_t(dlg.m_nKind + 1);
    t.envelope = uint8_t(dlg.m_nMode);
    t.first = uint8_t(dlg.m_nFirst);
    t.second = uint8_t(dlg.m_nSecond);
    t.perWallLength = uint8_t(dlg.m_bPerLength);
    for (int c = 0; c < 6; ++c) t.columns[c] = uint8_t(dlg.m_columns[c]);
    theForceFileSwitches.toFile = dlg.m_bToFile;
    theForceFileSwitches.shownOnly = dlg.m_bShownOnly;
    theResultDispHooks.updateForceText();
    if (!theForceFileSwitches.toFile || !theResultCommandSlots.writeForceFile) {
        Redraw();
        return;
    }
    CFileDialog save(FALSE, "txt", "内力文件.txt", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                     "内力结果输出文件(*.txt)|*.txt||", AfxGetMainWnd());
    if (save.DoModal() == IDOK)
        theResultCommandSlots.writeForceFile(save.GetPathName().GetString(), theForceFileSwitches.shownOnly);
    // The table went to the file: nothing stays beside the members.
    theResultDisp.forceText.Clear();
}

void CResultMenuCommands::OnUpdateForceText(CCmdUI* ui)
{
    const bool members = Has(EFamily::Frames) || Has(EFamily::Trusses) || Has(EFamily::Cframes) ||
                         Has(EFamily::Springs) || Has(EFamily::Pipes) || Has(EFamily::Integrals);
    ui->Enable(Good() && members && theResultDispHooks.updateForceText);
}

// ---- shells, report, tube joints

void CResultMenuCommands::OnShellForceFile()
{
    CListShellForceDlg dlg(AfxGetMainWnd());
    if (dlg.DoModal() == IDOK && theResultCommandSlots.writeShellForces) theResultCommandSlots.writeShellForces();
}

void CResultMenuCommands::OnUpdateShellForceFile(CCmdUI* ui)
{
    ui->Enable(Good() && Has(EFamily::Shells) && theResultCommandSlots.writeShellForces);
}

void CResultMenuCommands::OnReport()
{
    ResultCommandSlots& s = theResultCommandSlots;
    if (!s.reportOptions || !s.writeReport) return;
    CReportOptionDlg dlg(*s.reportOptions(), AfxGetMainWnd());
    if (dlg.DoModal() == IDOK) s.writeReport();
}

void CResultMenuCommands::OnUpdateReport(CCmdUI* ui)
{
    ui->Enable(Good() && theResultCommandSlots.reportOptions && theResultCommandSlots.writeReport);
}

void CResultMenuCommands::OnJointDisplay()
{
    CSteelPipeSetDlg dlg(AfxGetMainWnd());
    if (dlg.DoModal() == IDOK && theResultCommandSlots.applyJointDisplay) theResultCommandSlots.applyJointDisplay();
}

void CResultMenuCommands::OnUpdateJointDisplay(CCmdUI* ui)
{
    ui->Enable(theResultCommandSlots.applyJointDisplay != nullptr);
}

void CResultMenuCommands::OnJointSearch()
{
    CSteelPipeSearchDlg dlg(AfxGetMainWnd());
    if (dlg.DoModal() == IDOK && theResultCommandSlots.searchJoints) theResultCommandSlots.searchJoints();
}

void CResultMenuCommands::OnUpdateJointSearch(CCmdUI* ui)
{
    ui->Enable(theResultCommandSlots.searchJoints != nullptr);
}

void CResultMenuCommands::OnJointData()
{
    if (!theResultCommandSlots.beginJointInput) return;
    auto* dlg = new CStPipeDataDlg(AfxGetMainWnd());
    if (!dlg->Create(IDD_PIPE_DATA, AfxGetMainWnd())) {
        delete dlg;
        return;
    }
    theModelessDlgs.Add(dlg);
    theResultCommandSlots.beginJointInput();
}

void CResultMenuCommands::OnUpdateJointData(CCmdUI* ui)
{
    ui->Enable(theResultCommandSlots.beginJointInput != nullptr);
}

// ---- axial ratios and principal stresses

void CResultMenuCommands::OnAxialRatio()
{
    if (!theResultDispHooks.fillAxialRatio) return;
    const int answer = AppMessageBox(
        "是否显示所有内力组合下的最大轴压比？\n选择\"是\"表示显示所有内力组合下柱子所有内力计算截面轴压比的最大值，"
        "选择\"否\"表示只显示当前内力组合下柱子各内力计算截面轴压比的最大值。\n\n"
        "可以通过结果工具栏中的过滤器按钮对轴压比的显示进行过滤！",
        MB_YESNOCANCEL | MB_ICONQUESTION);
    AxialRatioDisp& a = theResultDisp.axialRatio;
    a.kind = answer == IDYES ? 2 : answer == IDNO ? 1 : 0;
    theResultDispHooks.fillAxialRatio();
    Redraw();
}

void CResultMenuCommands::OnUpdateAxialRatio(CCmdUI* ui)
{
    ui->Enable(Good() && theResult.m_bHasFrames && theResultDispHooks.fillAxialRatio);
    ui->SetCheck(theResultDisp.axialRatio.kind);
}

void CResultMenuCommands::OnStressField()
{
    if (!theResultDispHooks.fillPrincipalStress) return;
    theResultDispHooks.fillPrincipalStress();
    Redraw();
}

void CResultMenuCommands::OnUpdateStressField(CCmdUI* ui)
{
    ui->Enable(Has(EFamily::Planes) && theProjectOptions.nPlaneElementType < 3 &&
               theResultDispHooks.fillPrincipalStress);
    ui->SetCheck(theResultDisp.stress.on != 0);
}

// ---- check programs

void CResultMenuCommands::OnSteelCheckRun()
{
    if (theResult.m_bHasSframes) StartCheckProgram("DRAV.EXE");
}

void CResultMenuCommands::OnUpdateSteelCheckRun(CCmdUI* ui)
{
    ui->Enable(theResult.m_bHasSframes && CheckProgramAvailable("DRAV.EXE"));
}

void CResultMenuCommands::OnSupportForces()
{
    StartCheckProgram("DEVUR.EXE");
}

void CResultMenuCommands::OnUpdateSupportForces(CCmdUI* ui)
{
    ui->Enable(CheckProgramAvailable("DEVUR.EXE"));
}

// ---- time-history viewer

void CResultMenuCommands::OnHistoryViewer()
{
    StartViewer(CVekView::GetMain());
}

void CResultMenuCommands::OnUpdateHistoryViewer(CCmdUI* ui)
{
    ui->Enable(Good() && theResult.m_nTimeStep > 0);
}

void CResultMenuCommands::OnHistoryNode()
{
    auto* op = new CSingleOperate;
    op->SetPickOne(
        kOpHistoryNode, [](CSingleOperate*) { SendNodeToViewer(); }, 1);
    op->m_strPrompt = "请捕捉需要输出时程响应的节点";
    if (!theOperationStack.BeginOperation(op, 0, 0, 0)) return;
    theSelectFilter.SelectNodes(1);
    OpenHistdirDlg();
}

void CResultMenuCommands::OnUpdateHistoryNode(CCmdUI* ui)
{
    ui->Enable(Good() && theResult.m_nTimeStep > 0);
    ui->SetCheck(CurrentOperationCode() == kOpHistoryNode);
}

// ---- forces at the lower ends of the members above nodes

void CResultMenuCommands::OnNodeAboveForce()
{
    auto* op = new CSingleOperate;
    op->SetSelect(
        kOpNodeAboveForce,
        [](CSingleOperate*) {
            std::vector<int> picked;
            CModelFamily& nodes = ModelFamily(EFamily::Nodes);
            for (int pos = 0; pos < nodes.GetCount(); ++pos) {
                CObjectBase* node = nodes.GetAt(pos);
                if (!node || !node->IsSelected()) continue;
                node->m_nFlags &= ~kObjSelected;
                nodes.Redraw(pos);
                picked.push_back(nodes.GetID(pos));
            }
            const std::string text = NodeAboveForceSum(picked);
            if (text.empty()) {
                AppMessageBoxID(kUnreadResults);
                return;
            }
            theModelessDlgs.CloseAll();
            if (theResultCommandSlots.showParameterText)
                theResultCommandSlots.showParameterText("反力之和", text.c_str());
        },
        1, 0);
    op->m_strPrompt = "请选择需要统计上部构件下端反力的节点，然后按Enter键";
    if (!theOperationStack.BeginOperation(op, 0, 0, 0)) return;
    theSelectFilter.SelectNodes(1);
}

void CResultMenuCommands::OnUpdateNodeAboveForce(CCmdUI* ui)
{
    ui->Enable(Good() && theResultCommandSlots.showParameterText);
    ui->SetCheck(CurrentOperationCode() == kOpNodeAboveForce);
}

// ---- element information

void CResultMenuCommands::OnInfoContent(UINT id)
{
    theProjectOptions.nElementInfoContent = uint8_t(id == ID_INFO_CONTENT_MODEL     ? 1
                                                    : id == ID_INFO_CONTENT_RESULTS ? 2
                                                                                    : 3);
}

void CResultMenuCommands::OnUpdateInfoContent(CCmdUI* ui)
{
    const int content = ui->m_nID == ID_INFO_CONTENT_MODEL ? 1 : ui->m_nID == ID_INFO_CONTENT_RESULTS ? 2 : 3;
    ui->SetCheck(theProjectOptions.nElementInfoContent == content);
}
