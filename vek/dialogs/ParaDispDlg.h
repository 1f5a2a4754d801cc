#pragma once
// The parameter display: a resizable panel that shows a text in a scrolling
// read-only edit and, for callers that give one, an action button. The
// modeless dialog manager remembers its size (and the scroll positions of
// a scrolling child window, when one is set) between openings.
#include "analysis/MyDialog.h"
#include "vek/app/EditDialog.h"

class CScrollWnd;

class CParaDispDlg : public CModelessDialog {
    DECLARE_DYNAMIC(CParaDispDlg)
public:
    using Callback = void (*)(CParaDispDlg* dialog, int arg);

    CParaDispDlg(UINT templateId, CWnd* parent) : CModelessDialog(templateId, parent) {}
    explicit CParaDispDlg(CWnd* parent);
    BOOL OnInitDialog() override;

    // Into the edit at once when it exists, else when the dialog opens.
    void SetText(const char* text);
    // With a callback the button shows the caption and calls it; without,
    // the caption is the title and the text fills the panel.
    void SetContent(Callback callback, const char* caption, int arg);

    // The scrolling child window, null until it is made.
    CScrollWnd* m_pScroll = nullptr;
    CString m_strText;
    CString m_strCaption;
    Callback m_pCallback = nullptr;
    int m_nArg = 0;
    CScrollEdit m_edit;

protected:
    void Layout();
    void OnSize(UINT type, int cx, int cy);
    void OnButton();
    DECLARE_MESSAGE_MAP()
};

// A new display of the text with the caption, beside the view.
CParaDispDlg* ShowParameterText(const char* caption, const char* text, bool closeOthers,
                                CParaDispDlg::Callback callback = nullptr, const char* button = nullptr, int arg = 0);
