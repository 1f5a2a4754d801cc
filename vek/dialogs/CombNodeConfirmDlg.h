#pragma once
// The four-answer question before two nodes of one element are merged: the
// dialog ends with 4 "是", 3 "全是", 2 "否" or 1 "全否"; closing it counts as "否".
#include "analysis/MyDialog.h"

class CCombNodeConfirmDlg : public CMyDialog {
    DECLARE_DYNAMIC(CCombNodeConfirmDlg)
public:
    CCombNodeConfirmDlg(const char* text, CWnd* parent);
    BOOL OnInitDialog() override;

protected:
    void OnAnswer(UINT id);
    void OnCancel() override;
    CString m_strText;
    DECLARE_MESSAGE_MAP()
};

// Asks with the text; the answer as above.
int AskCombNodeConfirm(const char* text);
