#pragma once
// The material library dialog: the materials on a copy that OK writes back,
// with loaders of concrete grades and of steel's values.
#include "analysis/MyDialog.h"
#include "vek/model/materials/Material.h"

class CMaterialDlg : public CMyDialog {
    DECLARE_DYNAMIC(CMaterialDlg)
public:
    explicit CMaterialDlg(CWnd* parent);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;

    MLArray<CMaterial> m_materials;
    int m_nIndex = -1;

protected:
    void FillNames();
    // Warnings that keep the values.
    void CheckValues();
    void SetBox(int id, double v);
    void OnSelectName();
    void OnAdd();
    void OnRename();
    void OnExport();
    void OnGradeChanged();
    void OnGradeLoader();
    void OnDefaultsLoader();
    void OnOK() override;

    bool m_bExchanging = false;
    DECLARE_MESSAGE_MAP()
};
