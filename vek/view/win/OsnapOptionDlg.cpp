#include "vek/view/win/OsnapOptionDlg.h"

#include "vek/res/InteractRes.h"

namespace {
const UINT kBoxes[7] = {IDC_SNAP_ENDS,   IDC_SNAP_GRID,     IDC_SNAP_MIDDLE, IDC_SNAP_FOOT,
                        IDC_SNAP_ONLINE, IDC_SNAP_CROSSING, IDC_SNAP_GUIDES};
}

IMPLEMENT_DYNAMIC(COsnapOptionDlg, CMyDialog)

COsnapOptionDlg::COsnapOptionDlg(CWnd* parent) : CMyDialog(IDD_SNAP_OPTIONS, parent) {}

BOOL COsnapOptionDlg::OnInitDialog()
{
    CMyDialog::OnInitDialog();
    for (int i = 0; i < 7; ++i) CheckDlgButton(kBoxes[i], m_checks[i] ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

void COsnapOptionDlg::OnOK()
{
    for (int i = 0; i < 7; ++i) m_checks[i] = IsDlgButtonChecked(kBoxes[i]) == BST_CHECKED;
    CMyDialog::OnOK();
}
