#pragma once
// The axis-grid editor: its own copies of every grid, one chosen at a time
// in the name list, with its kind, placement and the spacings of its two
// sets of lines in two grids. OK puts the copies in place of the model's.
#include "analysis/MyDialog.h"
#include "analysis/TableTwoCol.h"
#include "vek/dialogs/logic/AxisGridDrafts.h"

class CAxisEditDlg : public CMyDialog {
    DECLARE_DYNAMIC(CAxisEditDlg)
public:
    explicit CAxisEditDlg(CWnd* parent);
    ~CAxisEditDlg() override;
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;

    axisedit::CGridDrafts m_drafts;
    CTableTwoCol* m_tables[2] = {nullptr, nullptr};

protected:
    // The chosen copy's fields and lines into the controls, and back (false
    // when a field was refused).
    void ShowGrid();
    bool StoreGrid();
    void FillNames();
    void Relabel(int kind);
    void OnOrthogonalGrid();
    void OnPolarGrid();
    void OnEccentricPolarGrid();
    void OnGridChosen();
    void OnAddGrid();
    void OnDeleteGrid();

    axisedit::CGridFields m_fields;
    int m_validOnElevations = 0;
    DECLARE_MESSAGE_MAP()
};

bool RunAxisEditDialog();
