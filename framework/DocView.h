#pragma once
// Documents, views and the single-document template.
#include "framework/Collections.h"
#include "framework/Gdi.h"
#include "framework/Wnd.h"

class CDocument;
class CView;
class CFrameWnd;
class CDocTemplate;

// What a new frame needs to create its view.
struct CCreateContext {
    CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};

class FW_API CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument() = default;
    ~CDocument() override;

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCTSTR title);
    const CString& GetPathName() const { return m_strPathName; }
    // Also sets the title to the file name and adds the path to the recent files.
    virtual void SetPathName(LPCTSTR path, BOOL addToMRU = TRUE);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL modified = TRUE) { m_bModified = modified; }

    void AddView(CView* view);
    void RemoveView(CView* view);
    POSITION GetFirstViewPosition() const { return m_viewList.GetHeadPosition(); }
    CView* GetNextView(POSITION& pos) const;
    int GetViewCount() const { return m_viewList.GetCount(); }
    void UpdateAllViews(CView* sender, LPARAM hint = 0, CObject* hintObject = nullptr);

    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(LPCTSTR path);
    virtual BOOL OnSaveDocument(LPCTSTR path);
    virtual void OnCloseDocument();
    virtual void DeleteContents() {}
    // Asks to save a modified document: FALSE when the user cancels or the save fails.
    virtual BOOL SaveModified();
    virtual BOOL CanCloseFrame(CFrameWnd* frame);
    virtual void PreCloseFrame(CFrameWnd*) {}
    virtual void OnChangedViewList();
    virtual BOOL DoSave(LPCTSTR path, BOOL replace = TRUE);
    virtual BOOL DoFileSave();
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) override;

    void OnFileSave();
    void OnFileSaveAs();
    void OnFileClose();

    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate = nullptr;
    BOOL m_bModified = FALSE;
    BOOL m_bAutoDelete = TRUE;

protected:
    CPtrList m_viewList;
    DECLARE_MESSAGE_MAP()
};

// State of one print job, handed to the view's printing hooks.
class FW_API CPrintInfo {
public:
    CPrintInfo();
    ~CPrintInfo();
    PRINTDLGA m_pd{};
    BOOL m_bPreview = FALSE;
    BOOL m_bDirect = FALSE;
    BOOL m_bContinuePrinting = TRUE;
    UINT m_nCurPage = 1;
    CRect m_rectDraw;
    LPVOID m_lpUserData = nullptr;
    CString m_strPageDesc;
    void SetMinPage(UINT n) { m_pd.nMinPage = static_cast<WORD>(n); }
    void SetMaxPage(UINT n) { m_pd.nMaxPage = static_cast<WORD>(n); }
    UINT GetMinPage() const { return m_pd.nMinPage; }
    UINT GetMaxPage() const { return m_pd.nMaxPage; }
    UINT GetFromPage() const { return m_pd.nFromPage; }
    UINT GetToPage() const { return m_pd.nToPage; }
};

class FW_API CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    CView() = default;
    ~CView() override;
    CDocument* GetDocument() const { return m_pDocument; }

    virtual void OnDraw(CDC* dc) = 0;
    virtual void OnInitialUpdate();
    virtual void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject);
    virtual void OnActivateView(BOOL activate, CView* activateView, CView* deactiveView);
    virtual void OnActivateFrame(UINT, CFrameWnd*) {}
    virtual void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr);
    // Printing hooks.
    virtual BOOL OnPreparePrinting(CPrintInfo* info);
    virtual void OnBeginPrinting(CDC*, CPrintInfo*) {}
    virtual void OnPrint(CDC* dc, CPrintInfo* info);
    virtual void OnEndPrinting(CDC*, CPrintInfo*) {}
    BOOL DoPreparePrinting(CPrintInfo* info);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) override;
    void PostNcDestroy() override;

    void OnFilePrint();
    // Prints on the default printer without asking.
    void OnFilePrintDirect();
    // Records a page for the default printer and shows it in a preview window.
    void OnFilePrintPreview();

    CDocument* m_pDocument = nullptr;

protected:
    // Prints the pages of a prepared job; FALSE when the printer refused it.
    BOOL PrintPages(CPrintInfo& info);
    int OnCreate(LPCREATESTRUCT cs);
    void OnDestroy();
    void OnPaint();
    int OnMouseActivate(CWnd* top, UINT hitTest, UINT message);
    LRESULT OnInitialUpdateMsg(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()
};

class FW_API CDocTemplate : public CCmdTarget {
    DECLARE_DYNAMIC(CDocTemplate)
public:
    enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };
    enum Confidence {
        noAttempt,
        maybeAttemptForeign,
        maybeAttemptNative,
        yesAttemptForeign,
        yesAttemptNative,
        yesAlreadyOpen
    };

    CDocTemplate(UINT resourceId, CRuntimeClass* docClass, CRuntimeClass* frameClass, CRuntimeClass* viewClass);
    virtual void LoadTemplate();
    virtual BOOL GetDocString(CString& out, DocStringIndex index) const;
    virtual POSITION GetFirstDocPosition() const = 0;
    virtual CDocument* GetNextDoc(POSITION& pos) const = 0;
    virtual CDocument* OpenDocumentFile(LPCTSTR path, BOOL makeVisible = TRUE) = 0;
    virtual CDocument* CreateNewDocument();
    virtual CFrameWnd* CreateNewFrame(CDocument* doc, CFrameWnd* other);
    virtual void InitialUpdateFrame(CFrameWnd* frame, CDocument* doc, BOOL makeVisible = TRUE);
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL endSession);
    virtual void AddDocument(CDocument* doc);
    virtual void RemoveDocument(CDocument* doc);
    virtual void SetDefaultTitle(CDocument* doc);
    UINT GetResourceID() const { return m_nIDResource; }

    UINT m_nIDResource;
    CRuntimeClass* m_pDocClass;
    CRuntimeClass* m_pFrameClass;
    CRuntimeClass* m_pViewClass;
    CString m_strDocStrings;
};

class FW_API CSingleDocTemplate : public CDocTemplate {
    DECLARE_DYNAMIC(CSingleDocTemplate)
public:
    CSingleDocTemplate(UINT resourceId, CRuntimeClass* docClass, CRuntimeClass* frameClass, CRuntimeClass* viewClass);
    ~CSingleDocTemplate() override;
    POSITION GetFirstDocPosition() const override;
    CDocument* GetNextDoc(POSITION& pos) const override;
    // With no document yet: creates document, frame and view. Otherwise the
    // one document is reused: saved if the user wants, then reset or reloaded.
    CDocument* OpenDocumentFile(LPCTSTR path, BOOL makeVisible = TRUE) override;
    void AddDocument(CDocument* doc) override;
    void RemoveDocument(CDocument* doc) override;

    CDocument* m_pOnlyDoc = nullptr;
};
