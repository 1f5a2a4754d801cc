// Property sheets and pages.
#include "framework/PropSheet.h"
#include "framework/DynLink.h"
#include "framework/WinApp.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)
IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

namespace {

INT_PTR CALLBACK FwPageDlgProc(HWND hwnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG) return FALSE;
    // The page object rides in the page description; from here on the
    // page's messages go through its window procedure.
    auto* psp = reinterpret_cast<PROPSHEETPAGEA*>(lParam);
    auto* page = reinterpret_cast<CPropertyPage*>(psp->lParam);
    if (!page->m_hWnd) page->SubclassWindow(hwnd);
    return page->OnInitDialog();
}

const DLGTEMPLATE* LoadDialogTemplate(LPCTSTR name, HINSTANCE& inst)
{
    inst = AfxFindResourceHandle(name, RT_DIALOG);
    HRSRC res = ::FindResourceA(inst, name, MAKEINTRESOURCEA(5));
    if (!res) {
        inst = ::GetModuleHandleA(nullptr);
        res = ::FindResourceA(inst, name, MAKEINTRESOURCEA(5));
    }
    if (!res) return nullptr;
    HGLOBAL mem = ::LoadResource(inst, res);
    return mem ? static_cast<const DLGTEMPLATE*>(::LockResource(mem)) : nullptr;
}

}  // namespace

UINT CALLBACK FwPageCallback(HWND, UINT, LPPROPSHEETPAGEA)
{
    return 1;
}

CPropertyPage::CPropertyPage(UINT templateId, UINT captionId) : CDialog(templateId)
{
    if (captionId) m_strCaption.LoadString(captionId);
}

CPropertyPage::CPropertyPage(LPCTSTR templateName, UINT captionId) : CDialog(templateName)
{
    if (captionId) m_strCaption.LoadString(captionId);
}

BOOL CPropertyPage::OnSetActive()
{
    // Controls show the data each time the page becomes current.
    return UpdateData(FALSE);
}

BOOL CPropertyPage::OnKillActive()
{
    return UpdateData(TRUE);
}
void CPropertyPage::OnOK() {}
void CPropertyPage::OnCancel() {}

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::SetModified(BOOL changed)
{
    if (m_pSheet && m_pSheet->m_hWnd)
        ::SendMessageA(m_pSheet->m_hWnd, changed ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    NMHDR* hdr = reinterpret_cast<NMHDR*>(lParam);
    LRESULT r = 0;
    switch (hdr->code) {
        case PSN_SETACTIVE: r = OnSetActive() ? 0 : -1; break;
        case PSN_KILLACTIVE:
            r = OnKillActive() ? FALSE : TRUE;  // TRUE keeps the page
            break;
        case PSN_APPLY:
            r = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
            if (r == PSNRET_NOERROR && m_pSheet) m_pSheet->m_bApplied = TRUE;
            break;
        case PSN_RESET:
            OnReset();
            OnCancel();
            break;
        case PSN_QUERYCANCEL: r = OnQueryCancel() ? FALSE : TRUE; break;
        case PSN_WIZNEXT: r = OnWizardNext(); break;
        case PSN_WIZBACK: r = OnWizardBack(); break;
        case PSN_WIZFINISH: r = OnWizardFinish() ? FALSE : TRUE; break;
        default: return CDialog::OnNotify(wParam, lParam, result);
    }
    // The sheet reads the answer from the dialog result as well as the return value.
    ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, r);
    *result = r;
    return TRUE;
}

void CPropertyPage::PostNcDestroy() {}

BOOL CPropertyPage::PreTranslateMessage(MSG*)
{
    return FALSE;
}

// ---- CPropertySheet ------------------------------------------------------------------------

CPropertySheet::CPropertySheet(LPCTSTR caption, CWnd* parent, UINT selectPage)
    : m_strCaption(caption), m_pParentWnd(parent), m_nStartPage(selectPage)
{
}

CPropertySheet::CPropertySheet(UINT captionId, CWnd* parent, UINT selectPage)
    : m_pParentWnd(parent), m_nStartPage(selectPage)
{
    m_strCaption.LoadString(captionId);
}

CPropertySheet::~CPropertySheet()
{
    if (m_hWnd && CWnd::FromHandlePermanent(m_hWnd) == this) DestroyWindow();
}

void CPropertySheet::AddPage(CPropertyPage* page)
{
    page->m_pSheet = this;
    m_pages.push_back(page);
    if (m_hWnd) {
        std::vector<PROPSHEETPAGEA> one;
        BuildHeader(one);
        HPROPSHEETPAGE h = ::CreatePropertySheetPageA(&one.back());
        ::SendMessageA(m_hWnd, PSM_ADDPAGE, 0, reinterpret_cast<LPARAM>(h));
    }
}

void CPropertySheet::RemovePage(CPropertyPage* page)
{
    RemovePage(GetPageIndex(page));
}

void CPropertySheet::RemovePage(int index)
{
    if (index < 0 || index >= GetPageCount()) return;
    if (m_hWnd) ::SendMessageA(m_hWnd, PSM_REMOVEPAGE, static_cast<WPARAM>(index), 0);
    m_pages.erase(m_pages.begin() + index);
}

int CPropertySheet::GetPageIndex(CPropertyPage* page) const
{
    for (size_t i = 0; i < m_pages.size(); ++i)
        if (m_pages[i] == page) return static_cast<int>(i);
    return -1;
}

int CPropertySheet::GetActiveIndex() const
{
    if (!m_hWnd) return static_cast<int>(m_nStartPage);
    HWND h = reinterpret_cast<HWND>(::SendMessageA(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0));
    for (size_t i = 0; i < m_pages.size(); ++i)
        if (m_pages[i]->m_hWnd == h) return static_cast<int>(i);
    return -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    const int i = GetActiveIndex();
    return i >= 0 && i < GetPageCount() ? m_pages[static_cast<size_t>(i)] : nullptr;
}

BOOL CPropertySheet::SetActivePage(int index)
{
    if (index < 0 || index >= GetPageCount()) return FALSE;
    if (!m_hWnd) {
        m_nStartPage = static_cast<UINT>(index);
        return TRUE;
    }
    return static_cast<BOOL>(::SendMessageA(m_hWnd, PSM_SETCURSEL, static_cast<WPARAM>(index), 0));
}

void CPropertySheet::SetTitle(LPCTSTR title, UINT style)
{
    m_strCaption = title;
    if (m_hWnd) ::SendMessageA(m_hWnd, PSM_SETTITLEA, style, reinterpret_cast<LPARAM>(title));
}

void CPropertySheet::SetWizardButtons(DWORD flags)
{
    if (m_hWnd) ::PostMessageA(m_hWnd, PSM_SETWIZBUTTONS, 0, static_cast<LPARAM>(flags));
}

void CPropertySheet::EndDialog(int result)
{
    if (m_hWnd) ::PostMessageA(m_hWnd, PSM_PRESSBUTTON, result == IDOK ? PSBTN_OK : PSBTN_CANCEL, 0);
}

CWnd* CPropertySheet::GetTabControl() const
{
    return CWnd::FromHandle(reinterpret_cast<HWND>(::SendMessageA(m_hWnd, PSM_GETTABCONTROL, 0, 0)));
}

void CPropertySheet::BuildHeader(std::vector<PROPSHEETPAGEA>& pages)
{
    pages.clear();
    for (CPropertyPage* page : m_pages) {
        PROPSHEETPAGEA psp{};
        // A page may ask for a smaller, older record by setting m_psp.dwSize beforehand.
        const DWORD asked = page->m_psp.dwSize;
        psp.dwSize = asked >= PROPSHEETPAGEA_V1_SIZE && asked <= sizeof psp ? asked : sizeof psp;
        psp.dwFlags = PSP_DLGINDIRECT;
        HINSTANCE inst = nullptr;
        psp.pResource = LoadDialogTemplate(page->m_lpszTemplateName, inst);
        psp.hInstance = inst;
        psp.pfnDlgProc = FwPageDlgProc;
        psp.lParam = reinterpret_cast<LPARAM>(page);
        if (!page->m_strCaption.IsEmpty()) {
            psp.dwFlags |= PSP_USETITLE;
            psp.pszTitle = page->m_strCaption;
        }
        page->m_psp = psp;
        pages.push_back(psp);
    }
    m_psh.dwSize = sizeof m_psh;
    m_psh.dwFlags |= PSH_PROPSHEETPAGE;
    m_psh.hwndParent = GetSafeHwnd(m_pParentWnd ? m_pParentWnd : AfxGetMainWnd());
    m_psh.hInstance = AfxGetResourceHandle();
    m_psh.pszCaption = m_strCaption;
    m_psh.nPages = static_cast<UINT>(pages.size());
    m_psh.nStartPage = m_nStartPage < pages.size() ? m_nStartPage : 0;
    // The sheet steps from record to record by each one's own size.
    m_packedPages.clear();
    for (const PROPSHEETPAGEA& psp : pages) {
        const auto* bytes = reinterpret_cast<const BYTE*>(&psp);
        m_packedPages.insert(m_packedPages.end(), bytes, bytes + psp.dwSize);
    }
    m_psh.ppsp = pages.empty() ? nullptr : reinterpret_cast<LPCPROPSHEETPAGEA>(m_packedPages.data());
}

INT_PTR CPropertySheet::DoModal()
{
    CWnd* parentWnd = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
    HWND parent = GetSafeHwnd(parentWnd);
    while (parent && (::GetWindowLongPtrA(parent, GWL_STYLE) & WS_CHILD)) parent = ::GetParent(parent);
    const bool disableParent = parent && ::IsWindowEnabled(parent) && ::IsWindowVisible(parent);
    std::vector<PROPSHEETPAGEA> pages;
    m_psh.dwFlags |= PSH_MODELESS;
    BuildHeader(pages);
    m_psh.hwndParent = parent;
    m_bApplied = FALSE;
    m_bModeless = FALSE;
    INT_PTR r;
    {
        FwCreateHook hook(this);
        r = ::PropertySheetA(&m_psh);
    }
    if (r <= 0 || !m_hWnd) {
        if (m_hWnd) DestroyWindow();
        return -1;
    }
    if (disableParent) ::EnableWindow(parent, FALSE);
    // The sheet is done when it has no current page any more (OK or Cancel).
    MSG msg;
    while (m_hWnd && ::SendMessageA(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0)) {
        if (!::GetMessageA(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        CWinApp* app = AfxGetApp();
        const BOOL done = app ? app->PreTranslateMessage(&msg) : PreTranslateMessage(&msg);
        if (!done) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    if (disableParent) ::EnableWindow(parent, TRUE);
    if (parent && m_hWnd && ::GetActiveWindow() == m_hWnd) ::SetActiveWindow(parent);
    if (m_hWnd) DestroyWindow();
    for (CPropertyPage* p : m_pages)
        if (p->m_hWnd) p->Detach();
    return m_bApplied ? IDOK : IDCANCEL;
}

BOOL CPropertySheet::Create(CWnd* parent, DWORD style, DWORD exStyle)
{
    if (parent) m_pParentWnd = parent;
    std::vector<PROPSHEETPAGEA> pages;
    m_psh.dwFlags |= PSH_MODELESS;
    BuildHeader(pages);
    INT_PTR r;
    m_bModeless = TRUE;
    {
        FwCreateHook hook(this);
        r = ::PropertySheetA(&m_psh);
    }
    if (r <= 0 && m_hWnd) DestroyWindow();
    if (r > 0 && m_hWnd) {
        if (style != static_cast<DWORD>(-1)) ModifyStyle(0xFFFFFFFF, style);
        if (exStyle) ModifyStyleEx(0, exStyle);
    }
    return r > 0 && m_hWnd;
}

LRESULT CPropertySheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        // The sheet sets itself up (and its first page), then the object's own set-up runs.
        const LRESULT r = CWnd::WindowProc(message, wParam, lParam);
        OnInitDialog();
        return r;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CPropertySheet::OnInitDialog()
{
    return TRUE;
}

BOOL CPropertySheet::PreTranslateMessage(MSG* msg)
{
    if (m_hWnd && (msg->hwnd == m_hWnd || ::IsChild(m_hWnd, msg->hwnd)))
        return static_cast<BOOL>(::SendMessageA(m_hWnd, PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(msg)));
    return FALSE;
}

BOOL CPropertySheet::OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    // OK and Cancel are the sheet's buttons: the page's own handlers of them
    // (a dialog's) would take the click from the sheet.
    if (nCode == CN_COMMAND && (nID == IDOK || nID == IDCANCEL)) return FALSE;
    CPropertyPage* page = GetActivePage();
    return page && page->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
