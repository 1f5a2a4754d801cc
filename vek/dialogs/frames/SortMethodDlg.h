#pragma once
// The renumbering order: coordinates in one of six orders, storeys or
// layers (codes 1..8, kept in the project options), and whether nodes or
// elements are renumbered.
#include "analysis/MyDialog.h"

class CSortMethodDlg : public CMyDialog {
public:
    explicit CSortMethodDlg(CWnd* parent = nullptr);
    void DoDataExchange(CDataExchange* dx) override;

    int m_nOrder;     // 1..8; another code selects no button
    int m_nWhat = 0;  // 0 nodes, 1 elements
};
