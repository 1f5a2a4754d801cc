#include "vek/dialogs/LeftDlg.h"

#include "vek/res/AppDialogsRes.h"

CLeftDlg* theLeftDlg = nullptr;

IMPLEMENT_DYNAMIC(CLeftDlg, CModelessDialog)

CLeftDlg::CLeftDlg() : CModelessDialog(IDD_LEFT_DLG, nullptr) {}

BOOL CLeftDlg::Create(CWnd* parent)
{
    return CModelessDialog::Create(IDD_LEFT_DLG, parent);
}
