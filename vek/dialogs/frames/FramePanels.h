#pragma once
// The frame panels beside the view: each edits the frame input that the
// running command applies to the frames picked next, and saves its controls
// on every click and whenever an edit loses the focus.
#include "analysis/MyDialog.h"
#include "analysis/MyImage.h"

class CFrameReleaseDlg : public CModelessDialog {
public:
    explicit CFrameReleaseDlg(CWnd* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;

protected:
    void OnChanged();
    void OnRange(UINT);
    void OnHinged();
    void OnRigid();
    int m_values[6] = {};
    DECLARE_MESSAGE_MAP()
};

class CFrameLocalAxisDlg : public CModelessDialog {
public:
    explicit CFrameLocalAxisDlg(CWnd* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    LRESULT OnPicked(WPARAM, LPARAM);

protected:
    void OnChanged();
    void OnUnit(UINT id);
    void OnPick();
    void Refresh();
    DECLARE_MESSAGE_MAP()
};

class CColumnParaDlg : public CModelessDialog {
public:
    explicit CColumnParaDlg(CWnd* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;

protected:
    void OnChanged();
    void OnPick();
    double m_extent = 0;
    DECLARE_MESSAGE_MAP()
};

class CFrColSelDlg : public CModelessDialog {
public:
    explicit CFrColSelDlg(CWnd* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;

protected:
    void OnChanged();
    DECLARE_MESSAGE_MAP()
};

class CForceInterDlg : public CModelessDialog {
public:
    explicit CForceInterDlg(CWnd* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;

protected:
    void OnChanged();
    void OnAuto();
    DECLARE_MESSAGE_MAP()
};

class CTightWireDlg : public CModelessDialog {
public:
    explicit CTightWireDlg(CWnd* parent = nullptr);
    void DoDataExchange(CDataExchange* dx) override;

protected:
    void OnChanged();
    void OnPaint();
    int m_action = 0;
    CMyImage m_picture;
    DECLARE_MESSAGE_MAP()
};

class CFrameTempDlg : public CModelessDialog {
public:
    explicit CFrameTempDlg(CWnd* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;

protected:
    void OnChanged();
    void OnRange(UINT);
    DECLARE_MESSAGE_MAP()
};

class CStiffEccDlg : public CModelessDialog {
public:
    explicit CStiffEccDlg(CWnd* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;

protected:
    void OnChanged();
    void OnCopy2();
    void OnCopy3();
    void OnAlignAll();
    void OnAlignShown();
    DECLARE_MESSAGE_MAP()
};

class CAxisForceTypeDlg : public CModelessDialog {
public:
    explicit CAxisForceTypeDlg(CWnd* parent = nullptr);
    void DoDataExchange(CDataExchange* dx) override;

protected:
    void OnChanged();
    DECLARE_MESSAGE_MAP()
};

// The beam-or-column pick is possible: storeys and the plan platform.
bool CanChooseBeamOrColumn();
// Copies the picks into the selection filter (both on where no choice is possible).
void ApplyBeamColumnPicks();
extern int nBeamPick, nColumnPick;

// Joins the panels to the command table's panel slots.
void BindFramePanels();
// Opens the panel of that slot name as its command does; the open panel, or null.
CModelessDialog* OpenFramePanel(const char* name, int arg = 0);
// Beam tops level with the storey floors (all beams, or the shown ones);
// bound by BindFramePanels.
extern void (*SetBeamTopEccentricityHook)(int onlyShown);
