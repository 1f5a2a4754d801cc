// Documents, views and the single-document template.
#include "framework/DocView.h"
#include "framework/PrintPreview.h"
#include "framework/CommonDialogs.h"
#include "framework/Frame.h"
#include "framework/WinApp.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)
IMPLEMENT_DYNAMIC(CView, CWnd)
IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

// ---- CDocument ---------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
ON_COMMAND(ID_FILE_SAVE, &CDocument::OnFileSave)
ON_COMMAND(ID_FILE_SAVE_AS, &CDocument::OnFileSaveAs)
ON_COMMAND(ID_FILE_CLOSE, &CDocument::OnFileClose)
END_MESSAGE_MAP()

CDocument::~CDocument()
{
    // Views outlive a document only in error; they must not point at it.
    for (POSITION pos = m_viewList.GetHeadPosition(); pos;)
        static_cast<CView*>(m_viewList.GetNext(pos))->m_pDocument = nullptr;
    if (m_pDocTemplate) m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCTSTR title)
{
    m_strTitle = title;
    for (POSITION pos = GetFirstViewPosition(); pos;) {
        CView* v = GetNextView(pos);
        if (CFrameWnd* f = v->GetParentFrame()) f->OnUpdateFrameTitle(TRUE);
    }
}

void CDocument::SetPathName(LPCTSTR path, BOOL addToMRU)
{
    char full[MAX_PATH] = {};
    if (!path || !::GetFullPathNameA(path, MAX_PATH, full, nullptr)) lstrcpynA(full, path ? path : "", MAX_PATH);
    m_strPathName = full;
    const int slash = m_strPathName.ReverseFind('\\');
    SetTitle(m_strPathName.Mid(slash + 1));
    if (addToMRU && AfxGetApp()) AfxGetApp()->AddToRecentFileList(m_strPathName);
}

void CDocument::AddView(CView* view)
{
    m_viewList.AddTail(view);
    view->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* view)
{
    POSITION pos = m_viewList.Find(view);
    if (!pos) return;
    m_viewList.RemoveAt(pos);
    view->m_pDocument = nullptr;
    OnChangedViewList();
}

CView* CDocument::GetNextView(POSITION& pos) const
{
    return static_cast<CView*>(const_cast<CPtrList&>(m_viewList).GetNext(pos));
}

void CDocument::UpdateAllViews(CView* sender, LPARAM hint, CObject* hintObject)
{
    for (POSITION pos = GetFirstViewPosition(); pos;) {
        CView* v = GetNextView(pos);
        if (v != sender) v->OnUpdate(sender, hint, hintObject);
    }
}

void CDocument::OnChangedViewList()
{
    // A document whose last view is gone goes with it.
    if (m_viewList.IsEmpty() && m_bAutoDelete) OnCloseDocument();
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCTSTR)
{
    DeleteContents();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCTSTR)
{
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::OnCloseDocument()
{
    const BOOL autoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;  // not again while the frames go
    while (!m_viewList.IsEmpty()) {
        CView* v = static_cast<CView*>(m_viewList.GetHead());
        CFrameWnd* f = v->GetParentFrame();
        if (f && f->m_hWnd) {
            PreCloseFrame(f);
            f->DestroyWindow();
        } else {
            RemoveView(v);
        }
        if (!m_viewList.IsEmpty() && m_viewList.GetHead() == v) RemoveView(v);
    }
    m_bAutoDelete = autoDelete;
    DeleteContents();
    if (m_bAutoDelete) delete this;
}

BOOL CDocument::SaveModified()
{
    if (!IsModified()) return TRUE;
    CString name = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName;
    CString prompt;
    prompt.Format("是否保存对 %s 的修改?", name.GetString());
    switch (AfxMessageBox(prompt, MB_YESNOCANCEL | MB_ICONQUESTION)) {
        case IDCANCEL: return FALSE;
        case IDYES: return DoFileSave();
        default: return TRUE;
    }
}

BOOL CDocument::CanCloseFrame(CFrameWnd*)
{
    return SaveModified();
}

BOOL CDocument::DoFileSave()
{
    const DWORD attr = m_strPathName.IsEmpty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesA(m_strPathName);
    if (attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_READONLY)) return DoSave(nullptr);
    return DoSave(m_strPathName.IsEmpty() ? nullptr : m_strPathName.GetString());
}

BOOL CDocument::DoSave(LPCTSTR path, BOOL replace)
{
    CString name = path ? CString(path) : CString();
    if (name.IsEmpty()) {
        CString filter, ext;
        if (m_pDocTemplate) {
            CString fname;
            m_pDocTemplate->GetDocString(fname, CDocTemplate::filterName);
            m_pDocTemplate->GetDocString(ext, CDocTemplate::filterExt);
            if (!fname.IsEmpty() && !ext.IsEmpty()) filter = fname + "|*" + ext + "|";
        }
        filter += "*.*|*.*||";
        CFileDialog dlg(FALSE, ext.IsEmpty() ? nullptr : ext.Mid(1).GetString(),
                        m_strPathName.IsEmpty() ? m_strTitle.GetString() : m_strPathName.GetString(),
                        OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter);
        if (dlg.DoModal() != IDOK) return FALSE;
        name = dlg.GetPathName();
    }
    if (!OnSaveDocument(name)) return FALSE;  // the old file and name stay
    if (replace) SetPathName(name);
    return TRUE;
}

void CDocument::OnFileSave()
{
    DoFileSave();
}
void CDocument::OnFileSaveAs()
{
    DoSave(nullptr);
}

void CDocument::OnFileClose()
{
    if (!SaveModified()) return;
    OnCloseDocument();
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo)
{
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    return m_pDocTemplate && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// ---- CPrintInfo ---------------------------------------------------------------------------

CPrintInfo::CPrintInfo()
{
    m_pd.lStructSize = sizeof m_pd;
    m_pd.Flags = PD_ALLPAGES | PD_RETURNDC | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;
    m_pd.nMinPage = 1;
    m_pd.nMaxPage = 0xFFFF;
    m_pd.nFromPage = 1;
    m_pd.nToPage = 0xFFFF;
}

CPrintInfo::~CPrintInfo()
{
    if (m_pd.hDC) ::DeleteDC(m_pd.hDC);
    if (m_pd.hDevMode) ::GlobalFree(m_pd.hDevMode);
    if (m_pd.hDevNames) ::GlobalFree(m_pd.hDevNames);
}

// ---- CView ----------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CView, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_PAINT()
ON_WM_MOUSEACTIVATE()
ON_MESSAGE(WM_INITIALUPDATE, &CView::OnInitialUpdateMsg)
ON_COMMAND(ID_FILE_PRINT, &CView::OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_DIRECT, &CView::OnFilePrintDirect)
ON_COMMAND(ID_FILE_PRINT_PREVIEW, &CView::OnFilePrintPreview)
END_MESSAGE_MAP()

CView::~CView()
{
    if (m_pDocument) m_pDocument->RemoveView(this);
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursor(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    cs.style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    return TRUE;
}

int CView::OnCreate(LPCREATESTRUCT cs)
{
    if (CWnd::OnCreate(cs) == -1) return -1;
    auto* context = static_cast<CCreateContext*>(cs->lpCreateParams);
    if (context && context->m_pCurrentDoc) context->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnDestroy()
{
    if (CFrameWnd* f = GetParentFrame())
        if (f->GetActiveView() == this) f->SetActiveView(nullptr, FALSE);
    CWnd::OnDestroy();
}

void CView::PostNcDestroy()
{
    delete this;
}

void CView::OnPaint()
{
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

int CView::OnMouseActivate(CWnd* top, UINT hitTest, UINT message)
{
    const int r = CWnd::OnMouseActivate(top, hitTest, message);
    if (CFrameWnd* f = GetParentFrame()) f->SetActiveView(this);
    return r;
}

LRESULT CView::OnInitialUpdateMsg(WPARAM, LPARAM)
{
    OnInitialUpdate();
    return 0;
}

void CView::OnInitialUpdate()
{
    OnUpdate(nullptr, 0, nullptr);
}
void CView::OnUpdate(CView*, LPARAM, CObject*)
{
    Invalidate(TRUE);
}
void CView::OnActivateView(BOOL activate, CView* activateView, CView*)
{
    if (activate && activateView == this && m_hWnd) ::SetFocus(m_hWnd);
}
void CView::OnPrepareDC(CDC*, CPrintInfo*) {}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    return m_pDocument && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CView::OnPreparePrinting(CPrintInfo* info)
{
    return DoPreparePrinting(info);
}

BOOL CView::DoPreparePrinting(CPrintInfo* info)
{
    info->m_pd.hwndOwner = GetParentFrame() ? GetParentFrame()->m_hWnd : m_hWnd;
    if (info->m_pd.nMaxPage < info->m_pd.nMinPage) info->m_pd.nMaxPage = info->m_pd.nMinPage;
    if (info->m_bDirect) {
        // The default printer's settings, then its DC: no dialog is shown.
        info->m_pd.Flags |= PD_RETURNDEFAULT;
        info->m_pd.Flags &= ~static_cast<DWORD>(PD_RETURNDC);
        const BOOL found = ::PrintDlgA(&info->m_pd);
        info->m_pd.Flags &= ~static_cast<DWORD>(PD_RETURNDEFAULT);
        info->m_pd.Flags |= PD_RETURNDC;
        if (!found || !info->m_pd.hDevNames) return FALSE;
        auto* names = static_cast<DEVNAMES*>(::GlobalLock(info->m_pd.hDevNames));
        auto* mode = info->m_pd.hDevMode ? static_cast<DEVMODEA*>(::GlobalLock(info->m_pd.hDevMode)) : nullptr;
        if (names) {
            const char* base = reinterpret_cast<const char*>(names);
            info->m_pd.hDC = ::CreateDCA(base + names->wDriverOffset, base + names->wDeviceOffset,
                                         base + names->wOutputOffset, mode);
        }
        if (mode) ::GlobalUnlock(info->m_pd.hDevMode);
        if (names) ::GlobalUnlock(info->m_pd.hDevNames);
        return info->m_pd.hDC != nullptr;
    }
    return ::PrintDlgA(&info->m_pd) && info->m_pd.hDC;
}

void CView::OnPrint(CDC* dc, CPrintInfo*)
{
    OnDraw(dc);
}

void CView::OnFilePrint()
{
    CPrintInfo info;
    if (!OnPreparePrinting(&info) || !info.m_pd.hDC) return;
    PrintPages(info);
}

void CView::OnFilePrintDirect()
{
    CPrintInfo info;
    info.m_bDirect = TRUE;
    if (!OnPreparePrinting(&info) || !info.m_pd.hDC) return;
    PrintPages(info);
}

BOOL CView::PrintPages(CPrintInfo& info)
{
    CDC dc;
    dc.Attach(info.m_pd.hDC);
    info.m_pd.hDC = nullptr;
    dc.m_bPrinting = TRUE;
    CString title = m_pDocument ? m_pDocument->GetTitle() : CString("Vek");
    DOCINFOA di{};
    di.cbSize = sizeof di;
    di.lpszDocName = title;
    OnBeginPrinting(&dc, &info);
    BOOL ok = dc.StartDoc(&di) > 0;
    if (ok) {
        const UINT first = (info.m_pd.Flags & PD_PAGENUMS) ? info.m_pd.nFromPage : info.GetMinPage();
        const UINT last = (info.m_pd.Flags & PD_PAGENUMS) ? info.m_pd.nToPage : info.GetMaxPage();
        for (info.m_nCurPage = first; info.m_nCurPage <= last && info.m_bContinuePrinting; ++info.m_nCurPage) {
            info.m_rectDraw.SetRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
            OnPrepareDC(&dc, &info);
            if (!info.m_bContinuePrinting) break;
            if (dc.StartPage() <= 0) {
                ok = FALSE;
                break;
            }
            OnPrint(&dc, &info);
            if (dc.EndPage() <= 0) {
                ok = FALSE;
                break;
            }
            if (last == 0xFFFF) break;  // no page count given: one page
        }
        // A job that failed half-way is taken back, not handed on as finished.
        if (ok)
            ok = dc.EndDoc() > 0;
        else
            dc.AbortDoc();
    }
    OnEndPrinting(&dc, &info);
    return ok;
}

void CView::OnFilePrintPreview()
{
    CPrintInfo info;
    info.m_bDirect = TRUE;
    info.m_bPreview = TRUE;
    if (!OnPreparePrinting(&info) || !info.m_pd.hDC) return;
    HDC printer = info.m_pd.hDC;
    const CSize page(::GetDeviceCaps(printer, HORZRES), ::GetDeviceCaps(printer, VERTRES));
    // The frame in hundredths of a millimetre: the whole printable page.
    const RECT frame{0, 0, ::GetDeviceCaps(printer, HORZSIZE) * 100, ::GetDeviceCaps(printer, VERTSIZE) * 100};
    HDC meta = ::CreateEnhMetaFileA(printer, nullptr, &frame, "Vek\0Preview\0\0");
    if (!meta) return;
    CDC dc;
    dc.Attach(meta);
    dc.m_hAttribDC = printer;
    dc.m_bPrinting = TRUE;
    OnBeginPrinting(&dc, &info);
    info.m_nCurPage = 1;
    info.m_rectDraw.SetRect(0, 0, page.cx, page.cy);
    OnPrepareDC(&dc, &info);
    OnPrint(&dc, &info);
    OnEndPrinting(&dc, &info);
    dc.m_hAttribDC = nullptr;
    HENHMETAFILE recorded = ::CloseEnhMetaFile(dc.Detach());
    if (recorded) CPrintPreview::Show(this, recorded, page);
}

// ---- templates ------------------------------------------------------------------------------

CDocTemplate::CDocTemplate(UINT resourceId, CRuntimeClass* docClass, CRuntimeClass* frameClass,
                           CRuntimeClass* viewClass)
    : m_nIDResource(resourceId), m_pDocClass(docClass), m_pFrameClass(frameClass), m_pViewClass(viewClass)
{
}

void CDocTemplate::LoadTemplate()
{
    if (m_strDocStrings.IsEmpty()) m_strDocStrings.LoadString(m_nIDResource);
}

BOOL CDocTemplate::GetDocString(CString& out, DocStringIndex index) const
{
    return AfxExtractSubString(out, m_strDocStrings, static_cast<int>(index));
}

CDocument* CDocTemplate::CreateNewDocument()
{
    if (!m_pDocClass) return nullptr;
    CObject* o = m_pDocClass->CreateObject();
    CDocument* doc = o && o->IsKindOf(RUNTIME_CLASS(CDocument)) ? static_cast<CDocument*>(o) : nullptr;
    if (!doc) {
        delete o;
        return nullptr;
    }
    AddDocument(doc);
    return doc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* doc, CFrameWnd* other)
{
    CCreateContext context;
    context.m_pCurrentFrame = other;
    context.m_pCurrentDoc = doc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    CObject* o = m_pFrameClass ? m_pFrameClass->CreateObject() : nullptr;
    CFrameWnd* frame = o && o->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(o) : nullptr;
    if (!frame) {
        delete o;
        return nullptr;
    }
    if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context)) {
        // A frame that failed in creation has deleted itself when its window went.
        return nullptr;
    }
    return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* frame, CDocument* doc, BOOL makeVisible)
{
    frame->InitialUpdateFrame(doc, makeVisible);
}

BOOL CDocTemplate::SaveAllModified()
{
    for (POSITION pos = GetFirstDocPosition(); pos;)
        if (!GetNextDoc(pos)->SaveModified()) return FALSE;
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL)
{
    for (POSITION pos = GetFirstDocPosition(); pos;) {
        CDocument* doc = GetNextDoc(pos);
        doc->OnCloseDocument();
        pos = GetFirstDocPosition();
    }
}

void CDocTemplate::AddDocument(CDocument* doc)
{
    doc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* doc)
{
    if (doc->m_pDocTemplate == this) doc->m_pDocTemplate = nullptr;
}

void CDocTemplate::SetDefaultTitle(CDocument* doc)
{
    CString title;
    if (!GetDocString(title, docName) || title.IsEmpty()) title = "无标题";
    doc->SetTitle(title);
}

CSingleDocTemplate::CSingleDocTemplate(UINT resourceId, CRuntimeClass* docClass, CRuntimeClass* frameClass,
                                       CRuntimeClass* viewClass)
    : CDocTemplate(resourceId, docClass, frameClass, viewClass)
{
}

CSingleDocTemplate::~CSingleDocTemplate()
{
    if (m_pOnlyDoc) {
        m_pOnlyDoc->m_pDocTemplate = nullptr;
        m_pOnlyDoc = nullptr;
    }
}

POSITION CSingleDocTemplate::GetFirstDocPosition() const
{
    return m_pOnlyDoc ? reinterpret_cast<POSITION>(static_cast<INT_PTR>(1)) : nullptr;
}

CDocument* CSingleDocTemplate::GetNextDoc(POSITION& pos) const
{
    pos = nullptr;
    return m_pOnlyDoc;
}

void CSingleDocTemplate::AddDocument(CDocument* doc)
{
    CDocTemplate::AddDocument(doc);
    m_pOnlyDoc = doc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* doc)
{
    CDocTemplate::RemoveDocument(doc);
    if (m_pOnlyDoc == doc) m_pOnlyDoc = nullptr;
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCTSTR path, BOOL makeVisible)
{
    CDocument* doc = m_pOnlyDoc;
    CFrameWnd* frame = nullptr;
    bool created = false;
    if (doc) {
        // The one document is reused; its changes are saved first if wanted.
        if (!doc->SaveModified()) return nullptr;
        for (POSITION pos = doc->GetFirstViewPosition(); pos && !frame;)
            frame = doc->GetNextView(pos)->GetParentFrame();
    } else {
        doc = CreateNewDocument();
        if (!doc) return nullptr;
        created = true;
        const BOOL autoDelete = doc->m_bAutoDelete;
        doc->m_bAutoDelete = FALSE;  // the frame's failure must not delete it under us
        frame = CreateNewFrame(doc, nullptr);
        doc->m_bAutoDelete = autoDelete;
        if (!frame) {
            RemoveDocument(doc);
            delete doc;
            return nullptr;
        }
    }
    if (!path) {
        SetDefaultTitle(doc);
        if (!doc->OnNewDocument()) {
            if (created) frame->DestroyWindow();
            return nullptr;
        }
    } else {
        if (!doc->OnOpenDocument(path)) {
            // A new frame goes again; an existing document keeps what it had.
            if (created) frame->DestroyWindow();
            return nullptr;
        }
        doc->SetPathName(path);
    }
    if (created && AfxGetApp() && !AfxGetApp()->m_pMainWnd) AfxGetApp()->m_pMainWnd = frame;
    InitialUpdateFrame(frame, doc, makeVisible);
    return doc;
}
