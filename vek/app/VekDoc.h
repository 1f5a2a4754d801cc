#pragma once
// The project document of Vek. The model lives in the global stores; the
// document ties it to a project path: a new project, an opened project file
// or a model built from the solver's result files, the save, and the
// commands that start the analysis, the post-processor and the text viewer
// of result files. Its path is always the file a save writes.
#include "framework/Afx.h"

class CVekDoc : public CDocument {
    DECLARE_DYNCREATE(CVekDoc)
public:
    BOOL OnNewDocument() override;
    BOOL OnOpenDocument(LPCTSTR path) override;
    BOOL OnSaveDocument(LPCTSTR path) override;
    // Not while a project is read or written: its message boxes let the
    // frame be closed, which would delete the document under them.
    BOOL CanCloseFrame(CFrameWnd* frame) override;
    BOOL SaveModified() override;
    // The project file of the path: its folder, its name cut to eight bytes, ".PRJ".
    void SetPathName(LPCTSTR path, BOOL addToMRU = TRUE) override;

    // The project path in the document, the project options and the current
    // folder; a name of more than eight bytes is cut, with a message. The
    // modified flag takes the value given.
    void SetProjectPath(LPCTSTR path, BOOL modified);
    // Builds the model from the result files of the path's folder and name.
    BOOL OpenFromResults(LPCTSTR path);

    // Message 108, posted by a new document: the model emptied and reset.
    void OnNewProject();
    void OnStartAnalysis();
    void OnUpdateStartAnalysis(CCmdUI* ui);
    void OnAnalysisSettings();
    void OnStartPostProcessor();
    void OnUpdateStartPostProcessor(CCmdUI* ui);
    void OnOpenResults();
    void OnViewTextResult(UINT id);
    void OnUpdateViewTextResult(CCmdUI* ui);

protected:
    CVekDoc();
    DECLARE_MESSAGE_MAP()

private:
    // Points the result object and the run manager at the project path.
    void TellPathToRun(LPCTSTR path, int keepResults);
    BOOL m_bKeepPath = FALSE;
    int m_nBusy = 0;
    struct CBusy {
        explicit CBusy(int& n) : count(n) { ++count; }
        ~CBusy() { --count; }
        int& count;
    };
    // The path's file when it exists but is not the file that was opened
    // (its name was cut): replacing it is asked first.
    CString m_strOtherFile;
};
