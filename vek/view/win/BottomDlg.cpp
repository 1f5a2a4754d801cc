#include "vek/view/win/BottomDlg.h"

#include "vek/res/AppDialogsRes.h"

CBottomDlg* theBottomDlg = nullptr;

IMPLEMENT_DYNAMIC(CBottomDlg, CModelessDialog)

CBottomDlg::CBottomDlg() : CModelessDialog(IDD_BOTTOM_DLG, nullptr) {}

BOOL CBottomDlg::Create(CWnd* parent)
{
    return CModelessDialog::Create(IDD_BOTTOM_DLG, parent);
}

void CBottomDlg::UpdateOperationPrompt()
{
    ShowPromptID(AFX_IDS_IDLEMESSAGE);
}

void CBottomDlg::ShowPromptText(const char* text, BOOL, BOOL remember)
{
    SetDlgItemText(IDC_PROMPT_LINE, text ? text : "");
    if (remember) m_strStanding = CString(text ? text : "").Left(100);
}

void CBottomDlg::SetPrompt(const char* text)
{
    ShowPromptText(text, FALSE, FALSE);
}

void CBottomDlg::SetPromptID(UINT stringId)
{
    SetPrompt(AfxLoadString(stringId));
}

void CBottomDlg::ShowPromptID(UINT stringId)
{
    ShowPromptText(AfxLoadString(stringId), FALSE, TRUE);
}

void CBottomDlg::RestorePrompt()
{
    ShowPromptText(m_strStanding, FALSE, FALSE);
}

CString CBottomDlg::GetPromptText() const
{
    CString text;
    GetDlgItemText(IDC_PROMPT_LINE, text);
    return text;
}
