#pragma once
// The spring panels: the grounded-spring and the link-spring input that the
// spring commands apply to the nodes picked next. Each exchanges its data on
// every click and whenever an edit loses the focus.
#include "analysis/MyDialog.h"

class CGroundSpringDlg : public CModelessDialog {
public:
    static constexpr UINT kTemplate = 260;
    explicit CGroundSpringDlg(CWnd* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    // The direction boxes, the capture button and the label as the input stands.
    void Refresh();
    // The direction a capture operation picked.
    LRESULT OnDirectionPicked(WPARAM, LPARAM);

protected:
    void OnChanged();
    void OnCapture();
    void OnDelete();
    void PostNcDestroy() override;
    int m_behaviour = 0;
    DECLARE_MESSAGE_MAP()
};

class CLinkSpringDlg : public CModelessDialog {
public:
    static constexpr UINT kTemplate = 261;
    explicit CLinkSpringDlg(CWnd* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;

protected:
    void OnChanged();
    void OnDelete();
    void PostNcDestroy() override;
    int m_behaviour = 0;
    DECLARE_MESSAGE_MAP()
};

// The open panels, null when closed.
extern CGroundSpringDlg* theGroundSpringDlg;
extern CLinkSpringDlg* theLinkSpringDlg;
// Opens (or brings up) the panel, as the spring commands do.
void OpenGroundSpringDlg(int arg);
void OpenLinkSpringDlg(int arg);
