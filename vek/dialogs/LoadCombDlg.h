#pragma once
// The load-combination dialogs: the list of the force or the displacement
// combinations, and the dialog of one combination behind
// LoadCombination::Edit. The list keeps each row's combination itself; the
// row's text only shows it, so editing a row never rounds its factors.
#include <string>
#include <vector>

#include "analysis/MyDialog.h"
#include "analysis/TableTwoCol.h"
#include "vek/model/loads/LoadCombination.h"

class COneLoadCombDlg : public CMyDialog {
    DECLARE_DYNAMIC(COneLoadCombDlg)
public:
    COneLoadCombDlg(LoadCombination& comb, CWnd* parent);
    ~COneLoadCombDlg() override;
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;

    CTableTwoCol* m_table = nullptr;

protected:
    LoadCombination& m_comb;
    float m_eq[3] = {0, 0, 0};
    float m_construction = 0;
    float m_history = 0;
    int m_step = 0;
    int m_eqMethod = 0;
    int m_historyMethod = 0;
};

class CLoadCombDlg : public CMyDialog {
    DECLARE_DYNAMIC(CLoadCombDlg)
public:
    explicit CLoadCombDlg(bool forces = true, CWnd* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;

    // The rows' combinations, in list order.
    std::vector<LoadCombination> m_rows;
    int m_same = 0;

    // How Notepad is started (tests put their own); false when it could not be.
    static bool (*s_startProgram)(const std::string& commandLine);

protected:
    HWND List() const { return ::GetDlgItem(m_hWnd, 1086); }
    void ShowRows(int select = -1);
    int FirstSelected() const;
    void EditRow(int row);
    void OnAdd();
    void OnEdit();
    void OnDelete();
    void OnClear();
    void OnLibraryChosen();
    void OnNotepad();
    void OnListDoubleClick(NMHDR* hdr, LRESULT* result);
    void OnInfoTip(NMHDR* hdr, LRESULT* result);

    bool m_forces;
    DECLARE_MESSAGE_MAP()
};

// The list commands: true on OK.
bool RunForceCombinationDialog();
bool RunDisplacementCombinationDialog();
// LoadCombination::Edit runs the one-combination dialog.
void BindCombinationDialog();
