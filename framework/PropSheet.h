#pragma once
// Property sheets and pages over the common controls' property sheet.
#include "framework/Dialog.h"

#include <vector>

class CPropertySheet;

class FW_API CPropertyPage : public CDialog {
    DECLARE_DYNAMIC(CPropertyPage)
public:
    CPropertyPage() = default;
    explicit CPropertyPage(UINT templateId, UINT captionId = 0);
    explicit CPropertyPage(LPCTSTR templateName, UINT captionId = 0);

    // Called when the page becomes current: fills the controls from the data.
    virtual BOOL OnSetActive();
    // Called when the page is left: takes and checks the data; FALSE keeps the page.
    virtual BOOL OnKillActive();
    virtual void OnOK() override;
    virtual void OnCancel() override;
    virtual BOOL OnApply();
    virtual void OnReset() {}
    virtual BOOL OnQueryCancel() { return TRUE; }
    virtual LRESULT OnWizardNext() { return 0; }
    virtual LRESULT OnWizardBack() { return 0; }
    virtual BOOL OnWizardFinish() { return TRUE; }
    void SetModified(BOOL changed = TRUE);
    // Keys go to the sheet (its dialog navigation), not to the page.
    BOOL PreTranslateMessage(MSG* msg) override;
    CPropertySheet* GetSheet() const { return m_pSheet; }

    PROPSHEETPAGEA m_psp{};
    CString m_strCaption;
    CPropertySheet* m_pSheet = nullptr;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void PostNcDestroy() override;
    friend class CPropertySheet;
    friend UINT CALLBACK FwPageCallback(HWND, UINT, LPPROPSHEETPAGEA);
};

class FW_API CPropertySheet : public CWnd {
    DECLARE_DYNAMIC(CPropertySheet)
public:
    CPropertySheet() = default;
    explicit CPropertySheet(LPCTSTR caption, CWnd* parent = nullptr, UINT selectPage = 0);
    explicit CPropertySheet(UINT captionId, CWnd* parent = nullptr, UINT selectPage = 0);
    ~CPropertySheet() override;

    void AddPage(CPropertyPage* page);
    void RemovePage(CPropertyPage* page);
    void RemovePage(int index);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetPage(int index) const { return m_pages.at(static_cast<size_t>(index)); }
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    int GetPageIndex(CPropertyPage* page) const;
    BOOL SetActivePage(int index);
    BOOL SetActivePage(CPropertyPage* page) { return SetActivePage(GetPageIndex(page)); }
    void SetTitle(LPCTSTR title, UINT style = 0);
    void SetWizardMode() { m_psh.dwFlags |= PSH_WIZARD; }
    void SetWizardButtons(DWORD flags);
    void EnableStackedTabs(BOOL) {}
    void EndDialog(int result);
    CWnd* GetTabControl() const;

    // Modal sheet: IDOK or IDCANCEL, -1 on failure. Runs its own loop, so that
    // PreTranslateMessage of the sheet, its pages and the application see its messages.
    virtual INT_PTR DoModal();
    // Modeless sheet.
    virtual BOOL Create(CWnd* parent = nullptr, DWORD style = (DWORD)-1, DWORD exStyle = 0);
    virtual BOOL OnInitDialog();
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    PROPSHEETHEADERA m_psh{};
    BOOL m_bApplied = FALSE;  // a page took PSN_APPLY (OK or Apply)
    CString m_strCaption;
    CWnd* m_pParentWnd = nullptr;
    BOOL m_bModeless = FALSE;

protected:
    void BuildHeader(std::vector<PROPSHEETPAGEA>& pages);
    std::vector<CPropertyPage*> m_pages;
    std::vector<BYTE> m_packedPages;  // the page records as the sheet reads them
    UINT m_nStartPage = 0;
    friend int CALLBACK FwSheetCallback(HWND, UINT, LPARAM);
};
