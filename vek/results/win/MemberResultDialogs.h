#pragma once
// The result dialogs of member values: the steel check's item and display,
// the steel selection by check ratios, the reinforcement picture, member
// forces as text, the shell force output and the calculation report's options.
#include "analysis/MyDialog.h"
#include "vek/results/win/ResultSettings.h"

class CTableTwoCol;

// Which steel-check item is shown, and as value or ratio to its limit.
class CSfrChkTextDlg : public CMyDialog {
public:
    explicit CSfrChkTextDlg(CWnd* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnFilter();
    int m_nItem = 0;  // 0..6
    int m_nType = 0;  // 0 none, 1 largest value, 2 largest ratio
    DECLARE_MESSAGE_MAP()
};

// Steel members selected at once by a check ratio inside or outside an
// interval; the request is kept for the next opening.
class CSframeSelDlg : public CMyDialog {
public:
    explicit CSframeSelDlg(CWnd* parent = nullptr);
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;
    void OnSelectNow();
    SteelSelectRequest m_request;
    DECLARE_MESSAGE_MAP()

private:
    // Reads the fields (val1 and val2 in order) and selects; false when a field is bad.
    bool SelectNow();
};

// The reinforcement picture: all sections or the extreme, areas or ratios,
// and the items shown.
class CReinPicDlg : public CMyDialog {
public:
    explicit CReinPicDlg(CWnd* parent = nullptr);
    void DoDataExchange(CDataExchange* dx) override;
    int m_nSections = 0;
    int m_nRatio = 0;
    int m_nItems = 0;  // bits 0..6
    DECLARE_MESSAGE_MAP()
};

// Member forces as numbers beside the members or in a file: the object kind
// (kinds without elements grey; a stored one moves on), the envelope mode,
// its components, the columns and the file switches.
class CForceTextDlg : public CMyDialog {
public:
    explicit CForceTextDlg(CWnd* parent = nullptr);
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnKindChanged(UINT id);
    void OnModeChanged(UINT id);
    void OnFilter();
    int m_nKind = 0;  // 0..6: frames, trusses, springs, curved beams, pipes, walls, integrals
    int m_nMode = 0;  // 0..3
    int m_nFirst = 0;
    int m_nSecond = 0;
    int m_bPerLength = 0;
    int m_columns[6] = {1, 1, 1, 1, 1, 1};
    int m_bToFile = 0;
    int m_bShownOnly = 0;
    DECLARE_MESSAGE_MAP()

private:
    void FillForKind();
    void UpdateForMode();
    bool m_enabled[7] = {};
};

// The shell force text output's settings, bound to theShellForceOutput.
class CListShellForceDlg : public CMyDialog {
public:
    explicit CListShellForceDlg(CWnd* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnBrowse();
    DECLARE_MESSAGE_MAP()
};

// The calculation report's options over a record it is handed: the gravity
// factors of the load cases in a grid, the two methods, the details switch
// and the file.
class CReportOptionDlg : public CMyDialog {
public:
    CReportOptionDlg(ReportOptions& options, CWnd* parent = nullptr);
    ~CReportOptionDlg() override;
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnBrowse();
    CTableTwoCol* GetGrid() const { return m_pGrid; }
    DECLARE_MESSAGE_MAP()

private:
    ReportOptions& m_options;
    CTableTwoCol* m_pGrid = nullptr;
    int m_nDrift = 0, m_nGravity = 0, m_bDetails = 0;
    CString m_strFile;
};

// The names of the six force components of an object kind of the force text
// (0..6; walls have their own), and of the twenty local shell components.
const char* ForceTextComponentName(int kind, int component);
const char* ShellLocalComponentName(int component);
