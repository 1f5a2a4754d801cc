#pragma once
// The snap options: one check box per snap mode after the master switch.
#include "analysis/MyDialog.h"

class COsnapOptionDlg : public CMyDialog {
    DECLARE_DYNAMIC(COsnapOptionDlg)
public:
    explicit COsnapOptionDlg(CWnd* parent = nullptr);
    BOOL OnInitDialog() override;
    void OnOK() override;

    // End, grid, middle, foot, on line, intersection, guides; all off at first.
    bool m_checks[7] = {false, false, false, false, false, false, false};
};
