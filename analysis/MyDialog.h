#pragma once
// The bases of every dialog of the system: on opening, plain push buttons,
// combo boxes and edit boxes become flat controls; keys meant for a grid
// reach it; controls show tooltips from the string table. CModelessDialog is
// the self-deleting tool dialog that stays open on Esc and its close box and
// hands Enter to the drawing.
#include "analysis/AnalysisApi.h"
#include "framework/Afx.h"

// The flat controls a dialog made of its own controls; it owns them.
class ANALYSIS_API CFlatControls {
public:
    ~CFlatControls() { Release(); }
    // Replaces the dialog's direct children that have no window object yet.
    void Make(CWnd* dialog);
    // Deletes the controls (giving back the windows that still exist).
    void Release();
    int GetCount() const { return static_cast<int>(m_controls.GetSize()); }
    CWnd* GetAt(int i) const { return m_controls[i]; }

private:
    CArray<CWnd*, CWnd*> m_controls;
};

// Hands msg to a focused grid (or, for its keys, to the grid whose cell
// editor has the focus): true with the grid's answer, false when no grid is
// concerned.
ANALYSIS_API bool RouteToTable(MSG* msg, BOOL& answer);

class ANALYSIS_API CMyDialog : public CDialog {
    DECLARE_DYNAMIC(CMyDialog)
public:
    CMyDialog() = default;
    CMyDialog(LPCTSTR templateName, CWnd* parent);
    CMyDialog(UINT templateId, CWnd* parent);
    ~CMyDialog() override = default;

    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL Create(UINT templateId, CWnd* parent = nullptr) override;
    using CDialog::Create;
    BOOL OnInitDialog() override;

    const CFlatControls& GetFlatControls() const { return m_flat; }

protected:
    int OnCreate(LPCREATESTRUCT cs);
    void OnNcDestroy();
    BOOL OnToolTipNotify(UINT id, NMHDR* hdr, LRESULT* result);

    CFlatControls m_flat;
    DECLARE_MESSAGE_MAP()
};

class ANALYSIS_API CModelessDialog : public CMyDialog {
    DECLARE_DYNAMIC(CModelessDialog)
public:
    CModelessDialog() = default;
    CModelessDialog(UINT templateId, CWnd* parent);
    CModelessDialog(LPCTSTR templateName, CWnd* parent);
    ~CModelessDialog() override = default;

    // Destroys the window when there is one; the object deletes itself.
    void SaveAndDestroy();
    // Controls to members and straight back, so every field shows its value
    // in the dialog's own format.
    void OnDataChanged();

    void OnOK() override;
    void OnCancel() override;

protected:
    void PostNcDestroy() override;
    void OnShowWindow(BOOL show, UINT status);
    void OnSize(UINT type, int cx, int cy);
    void OnGetMinMaxInfo(MINMAXINFO* info);
    void OnSysCommand(UINT id, LPARAM lParam);
    BOOL OnNcActivate(BOOL active);

    bool m_bResizable = false;  // set by the derived dialog
    CSize m_sizeFirst{0, 0};
    CSize m_sizePrev{0, 0};
    DECLARE_MESSAGE_MAP()
};

class ANALYSIS_API CMyPropertyPage : public CPropertyPage {
    DECLARE_DYNAMIC(CMyPropertyPage)
public:
    CMyPropertyPage();
    CMyPropertyPage(UINT templateId, UINT captionId = 0);
    CMyPropertyPage(LPCTSTR templateName, UINT captionId = 0);
    ~CMyPropertyPage() override = default;

    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnInitDialog() override;

    const CFlatControls& GetFlatControls() const { return m_flat; }

protected:
    // The flat controls go when the page's window and its children have gone.
    void OnNcDestroy();

    CFlatControls m_flat;
    DECLARE_MESSAGE_MAP()
};

class ANALYSIS_API CMyPropertySheet : public CPropertySheet {
    DECLARE_DYNAMIC(CMyPropertySheet)
public:
    CMyPropertySheet() = default;
    CMyPropertySheet(UINT captionId, CWnd* parent = nullptr, UINT selectPage = 0);
    CMyPropertySheet(LPCTSTR caption, CWnd* parent = nullptr, UINT selectPage = 0);
    ~CMyPropertySheet() override = default;

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnInitDialog() override;

    // The page the sheet opens on: the one it was last closed on with OK.
    int m_nActivePage = 0;

protected:
    DECLARE_MESSAGE_MAP()
};
