#pragma once
// File, colour and font dialogs over the common dialogs.
#include "framework/Dialog.h"
#include "framework/Gdi.h"

#include <commdlg.h>

#include <string>
#include <vector>

class FW_API CCommonDialog : public CDialog {
    DECLARE_DYNAMIC(CCommonDialog)
public:
    explicit CCommonDialog(CWnd* parent) { m_pParentWnd = parent; }

protected:
    HWND OwnerHandle() const;
};

class FW_API CFileDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CFileDialog)
public:
    // filter: "Text (*.txt)|*.txt|All (*.*)|*.*||", as usual for the framework.
    CFileDialog(BOOL openFileDialog, LPCTSTR defExt = nullptr, LPCTSTR fileName = nullptr,
                DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR filter = nullptr, CWnd* parent = nullptr);
    INT_PTR DoModal() override;
    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;
    CString GetFolderPath() const;
    // With OFN_ALLOWMULTISELECT: iterate the chosen files.
    POSITION GetStartPosition() const;
    CString GetNextPathName(POSITION& pos) const;

    OPENFILENAMEA m_ofn{};
    BOOL m_bOpenFileDialog;

    // Tests and scripted runs answer file dialogs through this hook: it gets
    // the dialog and returns IDOK (after filling m_ofn's file buffer) or IDCANCEL.
    typedef INT_PTR (*Hook)(CFileDialog* dlg);
    static void SetTestHook(Hook hook);

protected:
    std::string m_filter;
    std::string m_defExt;
    std::string m_title;
    std::vector<char> m_file;
};

class FW_API CColorDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CColorDialog)
public:
    explicit CColorDialog(COLORREF init = 0, DWORD flags = 0, CWnd* parent = nullptr);
    INT_PTR DoModal() override;
    COLORREF GetColor() const { return m_cc.rgbResult; }
    void SetCurrentColor(COLORREF c) { m_cc.rgbResult = c; }
    static COLORREF* GetSavedCustomColors();
    // Tests answer the dialog instead of the user: the hook sees the dialog
    // (its starting colour and flags), may set its colour, and returns
    // IDOK or IDCANCEL. Null: the system's dialog again.
    typedef INT_PTR (*Hook)(CColorDialog* dlg);
    static void SetTestHook(Hook hook);
    CHOOSECOLORA m_cc{};
};

class FW_API CFontDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CFontDialog)
public:
    explicit CFontDialog(const LOGFONT* init = nullptr, DWORD flags = CF_EFFECTS | CF_SCREENFONTS,
                         CDC* printer = nullptr, CWnd* parent = nullptr);
    INT_PTR DoModal() override;
    void GetCurrentFont(LOGFONT* lf) const { *lf = m_lf; }
    CString GetFaceName() const { return m_lf.lfFaceName; }
    int GetSize() const { return m_cf.iPointSize; }
    COLORREF GetColor() const { return m_cf.rgbColors; }
    BOOL IsBold() const { return m_lf.lfWeight >= FW_SEMIBOLD; }
    BOOL IsItalic() const { return m_lf.lfItalic; }
    CHOOSEFONTA m_cf{};
    LOGFONTA m_lf{};
};
