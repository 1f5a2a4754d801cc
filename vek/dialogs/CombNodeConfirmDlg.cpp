#include "vek/dialogs/CombNodeConfirmDlg.h"

#include "vek/res/EditDialogsRes.h"

IMPLEMENT_DYNAMIC(CCombNodeConfirmDlg, CMyDialog)

BEGIN_MESSAGE_MAP(CCombNodeConfirmDlg, CMyDialog)
ON_COMMAND_RANGE(IDC_COMB_NODE_YES_ALL, IDC_COMB_NODE_YES, &CCombNodeConfirmDlg::OnAnswer)
END_MESSAGE_MAP()

CCombNodeConfirmDlg::CCombNodeConfirmDlg(const char* text, CWnd* parent)
    : CMyDialog(IDD_COMB_NODE_CONFIRM, parent), m_strText(text ? text : "")
{
}

BOOL CCombNodeConfirmDlg::OnInitDialog()
{
    CMyDialog::OnInitDialog();
    SetDlgItemText(IDC_COMB_NODE_TEXT, m_strText);
    return TRUE;
}

void CCombNodeConfirmDlg::OnAnswer(UINT id)
{
    switch (id) {
        case IDC_COMB_NODE_YES: EndDialog(4); break;
        case IDC_COMB_NODE_YES_ALL: EndDialog(3); break;
        case IDC_COMB_NODE_NO: EndDialog(2); break;
        case IDC_COMB_NODE_NO_ALL: EndDialog(1); break;
        default: break;
    }
}

void CCombNodeConfirmDlg::OnCancel()
{
    EndDialog(2);
}

int AskCombNodeConfirm(const char* text)
{
    CCombNodeConfirmDlg dlg(text, AfxGetMainWnd());
    const INT_PTR answer = dlg.DoModal();
    return answer >= 1 && answer <= 4 ? int(answer) : 2;
}
