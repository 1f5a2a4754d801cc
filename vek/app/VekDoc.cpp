#include "VekDoc.h"

#include <cstring>
#include <string>

#include "analysis/ProcessManager.h"
#include "resource.h"
#include "vek/app/DocumentWiring.h"
#include "vek/app/ProgramSettings.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ModelFamily.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/ProjectGlobals.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/display/DisplayOptions.h"
#include "vek/model/document/DocumentHooks.h"
#include "vek/model/document/ModelReset.h"
#include "vek/model/document/ProjectPath.h"
#include "vek/model/document/ResultModel.h"
#include "vek/model/project/ProjectFile.h"
#include "vek/view/win/BottomDlg.h"

namespace {

// Posted by a new document: the model is emptied once the frame stands.
constexpr UINT kNewProject = 108;

bool FileExists(const char* path)
{
    const DWORD attr = ::GetFileAttributesA(path);
    return attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY);
}

int NodeCount()
{
    return ModelFamily(EFamily::Nodes).GetCount();
}

CRunQueue* Run()
{
    return theDocumentHooks.runQueue;
}

// The message of a load or save stays in the prompt line over the redraws
// that follow, until the next operation.
void KeepPrompt(const char* text)
{
    if (theBottomDlg) theBottomDlg->ShowPromptText(text, FALSE, TRUE);
}

void Redraw()
{
    CDisplayOptions::UpdateVisibleObjects();
    ModelHooks().InvalidateModel();
}

}  // namespace

IMPLEMENT_DYNCREATE(CVekDoc, CDocument)

// clang-format off
BEGIN_MESSAGE_MAP(CVekDoc, CDocument)
    ON_COMMAND(kNewProject, &CVekDoc::OnNewProject)
    ON_COMMAND(ID_ANALYSIS_START, &CVekDoc::OnStartAnalysis)
    ON_UPDATE_COMMAND_UI(ID_ANALYSIS_START, &CVekDoc::OnUpdateStartAnalysis)
    ON_COMMAND(ID_ANALYSIS_SETTINGS, &CVekDoc::OnAnalysisSettings)
    ON_COMMAND(ID_ANALYSIS_POST_PROCESSOR, &CVekDoc::OnStartPostProcessor)
    ON_UPDATE_COMMAND_UI(ID_ANALYSIS_POST_PROCESSOR, &CVekDoc::OnUpdateStartPostProcessor)
    ON_COMMAND(ID_FILE_OPEN_RESULTS, &CVekDoc::OnOpenResults)
    ON_COMMAND_RANGE(ID_RESULT_FILE_DATA, ID_RESULT_FILE_RAC, &CVekDoc::OnViewTextResult)
    ON_UPDATE_COMMAND_UI_RANGE(ID_RESULT_FILE_DATA, ID_RESULT_FILE_RAC, &CVekDoc::OnUpdateViewTextResult)
END_MESSAGE_MAP()
// clang-format on

CVekDoc::CVekDoc()
{
    BindDocumentServices();
}

void CVekDoc::SetPathName(LPCTSTR path, BOOL addToMRU)
{
    if (m_bKeepPath) {
        m_bKeepPath = FALSE;
        return;
    }
    CDocument::SetPathName(SplitProjectPath(path).File().c_str(), addToMRU);
}

void CVekDoc::SetProjectPath(LPCTSTR path, BOOL modified)
{
    const CProjectPath p = SplitProjectPath(path);
    if (!p.folder.empty()) ::SetCurrentDirectoryA(p.folder.c_str());
    if (p.cut) AppMessageBox("输入的文件名长度超过了8个字符，程序将自动取前8个字符！");
    std::memset(theProjectOptions.szProjectName, 0, sizeof theProjectOptions.szProjectName);
    std::memcpy(theProjectOptions.szProjectName, p.name.data(), p.name.size());
    if (p.name.empty()) {
        m_strPathName.Empty();
        if (GetDocTemplate()) GetDocTemplate()->SetDefaultTitle(this);
    } else {
        CDocument::SetPathName(p.File().c_str(), FALSE);
    }
    SetModifiedFlag(modified);
}

void CVekDoc::TellPathToRun(LPCTSTR path, int keepResults)
{
    const std::string file = path && *path ? SplitProjectPath(path).File() : std::string();
    if (theDocumentHooks.resultSetFileName) theDocumentHooks.resultSetFileName(file.c_str(), NodeCount(), keepResults);
    // The tool bar's selectors offer what the results found hold.
    ModelHooks().RefreshResultSelectors();
    if (Run()) Run()->SetFullPathName(file.c_str());
}

BOOL CVekDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument()) return FALSE;
    bModelFromResults = 0;
    m_strOtherFile.Empty();
    // The frame may not stand yet: the reset runs from its queue.
    CWnd* target = AfxGetMainWnd();
    POSITION pos = GetFirstViewPosition();
    if (!target && pos) target = GetNextView(pos)->GetParentFrame();
    if (target && target->m_hWnd)
        target->PostMessage(WM_COMMAND, kNewProject);
    else
        OnNewProject();
    return TRUE;
}

void CVekDoc::OnNewProject()
{
    ClearModel();
    ResetModelParameters();
    if (theDocumentHooks.resultSetZero) theDocumentHooks.resultSetZero();
    if (Run()) Run()->SetFullPathName("");
    if (bModellerMode && theDocumentHooks.fileNewDialog) theDocumentHooks.fileNewDialog();
    ModelHooks().RefreshResultSelectors();
    ModelHooks().InvalidateModel();
}

BOOL CVekDoc::CanCloseFrame(CFrameWnd* frame)
{
    return m_nBusy ? FALSE : CDocument::CanCloseFrame(frame);
}

BOOL CVekDoc::SaveModified()
{
    return m_nBusy ? FALSE : CDocument::SaveModified();
}

BOOL CVekDoc::OnOpenDocument(LPCTSTR path)
{
    const CBusy busy(m_nBusy);
    const CString oldPath = m_strPathName;
    const BOOL oldModified = IsModified();
    bModelFromResults = 0;
    SetProjectPath(path, FALSE);
    const BOOL opened = FileExists(path) ? LoadProject(path) : OpenFromResults(path);
    if (opened) {
        // A long name read from one file names another for the saves.
        const std::string saves = SplitProjectPath(path).File();
        m_strOtherFile.Empty();
        if (_stricmp(saves.c_str(), path) != 0 && FileExists(saves.c_str())) m_strOtherFile = m_strPathName;
        TellPathToRun(path, 0);
        KeepPrompt("文件装载成功!");
        Redraw();
        return TRUE;
    }
    // The model is as it was: so are its path and its runs.
    SetProjectPath(oldPath, oldModified);
    TellPathToRun(oldPath, 0);
    // A batch job has nothing to work on.
    if (!oldPath.IsEmpty() || IsBatchRun()) return FALSE;
    // Nothing was open: a new project takes its place.
    if (CWnd* main = AfxGetMainWnd()) main->PostMessage(WM_COMMAND, ID_FILE_NEW);
    m_bKeepPath = TRUE;
    return TRUE;
}

BOOL CVekDoc::OnSaveDocument(LPCTSTR path)
{
    const CBusy busy(m_nBusy);
    const CProjectPath p = SplitProjectPath(path);
    const std::string target = p.File();
    // Saving under the cut name must not overwrite another project unasked.
    const bool other = _stricmp(target.c_str(), path) != 0 && m_strPathName.CompareNoCase(target.c_str()) != 0;
    const bool unconfirmed = !m_strOtherFile.IsEmpty() && m_strOtherFile.CompareNoCase(target.c_str()) == 0;
    if ((other || unconfirmed) && FileExists(target.c_str())) {
        CString ask;
        ask.Format("文件%s已存在, 是否替换它?", target.c_str());
        if (AppMessageBox(ask, MB_YESNO | MB_ICONQUESTION) != IDYES) return FALSE;
    }
    const CString oldPath = m_strPathName;
    const BOOL oldModified = IsModified();
    SetProjectPath(path, FALSE);
    if (NameHasWideCharacters(theProjectOptions.szProjectName))
        AppMessageBox("文件名中包含汉字或中文标点，这可能造成KORVA分析程序无法进行计算");
    TellPathToRun(path, 1);
    if (bModelFromResults)
        AppMessageBox(
            "由于当前显示的模型数据来自KORVA分析程序产生的文件，保存为PRJ文件之后，"
            "如果用户再次修改KORVA数据文件，可能造成PRJ文件和数据文件的不一致，"
            "如果发现显示的模型与用户填写的数据文件所应该产生的模型不一致时，可"
            "以通过删除对应的PRJ文件来解决。");
    if (SaveProject(0)) {
        KeepPrompt("保存完毕!");
        m_strOtherFile.Empty();
        return TRUE;
    }
    SetProjectPath(oldPath, oldModified);
    TellPathToRun(oldPath, 1);
    return FALSE;
}

BOOL CVekDoc::OpenFromResults(LPCTSTR path)
{
    return OpenModelFromResults(path) ? TRUE : FALSE;
}

void CVekDoc::OnOpenResults()
{
    CFileDialog dlg(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_ENABLESIZING,
                    "KORVA分析结果系统文件(*.sys)|*.sys||");
    if (dlg.DoModal() != IDOK) return;
    const CBusy busy(m_nBusy);
    const CString path = dlg.GetPathName();
    if (!OpenFromResults(path)) return;
    SetProjectPath(path, FALSE);
    TellPathToRun(path, 0);
    Redraw();
}

void CVekDoc::OnStartAnalysis()
{
    if (theDocumentHooks.endAllOperations) theDocumentHooks.endAllOperations();
    if (theDocumentHooks.startAnalysis) theDocumentHooks.startAnalysis(GetPathName());
    if (CWnd* main = AfxGetMainWnd()) main->PostMessage(WM_COMMAND, ID_RESULT_CLOSE_ALL);
}

void CVekDoc::OnUpdateStartAnalysis(CCmdUI* ui)
{
    ui->Enable(NodeCount() >= 1 && !(theDocumentHooks.analysisRunning && theDocumentHooks.analysisRunning()));
}

void CVekDoc::OnAnalysisSettings()
{
    if (theDocumentHooks.analysisSettingsDialog) theDocumentHooks.analysisSettingsDialog();
}

void CVekDoc::OnStartPostProcessor()
{
    if (!Run()) return;
    const CString file = CString(Run()->GetFileName()) + ".KVD";
    Run()->AddOneProcess("TULMA.EXE", file, Run()->GetCurPath(), 0, 0);
}

void CVekDoc::OnUpdateStartPostProcessor(CCmdUI* ui)
{
    const CString program = WithTrailingBackslash(CProcessManager::korvaPath) + "TULMA.EXE";
    const bool results = theDocumentHooks.resultGood && theDocumentHooks.resultGood();
    ui->Enable(results && FileExists(program));
}

void CVekDoc::OnViewTextResult(UINT id)
{
    std::string file;
    if (!Run() || !GetResultFileName(id, Run()->GetCurPath(), Run()->GetFileName(), theProjectOptions.n3DElementType,
                                     false, file))
        return;
    // The text files open in the system's plain text editor.
    Run()->AddOneProcess("NOTEPAD.EXE", file.c_str(), Run()->GetCurPath(), 0, 0);
}

void CVekDoc::OnUpdateViewTextResult(CCmdUI* ui)
{
    std::string file;
    const bool known = Run() && Run()->GetCurPath() && *Run()->GetCurPath() &&
                       GetResultFileName(ui->m_nID, Run()->GetCurPath(), Run()->GetFileName(),
                                         theProjectOptions.n3DElementType, true, file);
    ui->Enable(known && FileExists(file.c_str()));
}
