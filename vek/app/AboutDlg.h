#pragma once
// The About box: the program's internal version and a link to its update page.
#include "analysis/MyDialog.h"
#include "analysis/MyStatic.h"

// A link label whose click opens an address other than its text.
class CAddressLink : public CMyStatic {
public:
    CString m_strAddress;

protected:
    void OnLButtonDown(UINT flags, CPoint pt);
    DECLARE_MESSAGE_MAP()
};

class CAboutDlg : public CMyDialog {
    DECLARE_DYNAMIC(CAboutDlg)
public:
    CAboutDlg();
    BOOL OnInitDialog() override;

    CAddressLink m_link;
};
