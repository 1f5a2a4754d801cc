#pragma once
// Two bubble-shaped windows: a balloon that shows a short hint near the top of
// the view and goes by itself, and a thought bubble that grows out of the
// bottom of the view and asks for one value.
#include "analysis/MyDialog.h"

class CPromptFlashDlg : public CModelessDialog {
    DECLARE_DYNAMIC(CPromptFlashDlg)
public:
    CPromptFlashDlg();
    ~CPromptFlashDlg() override;
    // Shows the text in a red or yellow balloon over the parent (null: the
    // main view) for ms milliseconds or until it is clicked; the object then
    // deletes itself, so it is made with new.
    virtual BOOL ShowPrompt(const char* text, CWnd* parent, BOOL red, int ms);

    BOOL OnInitDialog() override;

    int m_nTime = 0;
    HBRUSH m_hBrush = nullptr;
    CString m_strText;
    BYTE m_bRed = 0;

protected:
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    void OnTimer(UINT_PTR id);
    void OnLButtonDown(UINT flags, CPoint pt);
    DECLARE_MESSAGE_MAP()
};

// Shows a flashing hint; the common way to call CPromptFlashDlg.
void ShowFlashPrompt(const char* text, int ms, BOOL red = FALSE, CWnd* parent = nullptr);

class CEditFlashDlg : public CDialog {
    DECLARE_DYNAMIC(CEditFlashDlg)
public:
    // initial: the value offered, null for none.
    CEditFlashDlg(const char* prompt, const char* initial, CWnd* parent);
    ~CEditFlashDlg() override;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;

    CString m_strValue;
    int m_nStep = 0;
    HRGN m_rgnGrow[5] = {};
    HRGN m_rgnShown[5] = {};
    UINT_PTR m_nTimer = 0;
    HBRUSH m_hBrush = nullptr;
    CString m_strPrompt;

protected:
    void Grow(int step);
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    void OnTimer(UINT_PTR id);
    LRESULT OnNcHitTest(CPoint pt);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
