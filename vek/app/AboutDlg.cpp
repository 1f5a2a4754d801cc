#include "vek/app/AboutDlg.h"

#include "vek/app/AppWindows.h"
#include "vek/model/ProjectGlobals.h"
#include "vek/res/AppDialogsRes.h"
#include "vek/res/resource.h"

// clang-format off
BEGIN_MESSAGE_MAP(CAddressLink, CMyStatic)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()
// clang-format on

void CAddressLink::OnLButtonDown(UINT flags, CPoint pt)
{
    if (!m_strAddress.IsEmpty()) AppShellOpen(nullptr, "open", m_strAddress, nullptr, nullptr, SW_SHOWNORMAL);
    CStatic::OnLButtonDown(flags, pt);
}

IMPLEMENT_DYNAMIC(CAboutDlg, CMyDialog)

CAboutDlg::CAboutDlg() : CMyDialog(IDD_ABOUTBOX, nullptr) {}

BOOL CAboutDlg::OnInitDialog()
{
    m_link.SubclassDlgItem(IDC_ABOUT_LINK, this);
    CMyDialog::OnInitDialog();
    m_link.m_strAddress = AfxLoadString(IDS_UPDATE_ADDRESS);
    m_link.SetLink(true)
        .SetTextColor(RGB(0, 0, 255))
        .SetFontUnderline(true)
        .SetLinkCursor(AfxGetApp()->LoadCursor(IDC_LINK_CURSOR));
    const int v = nPrjVersion;
    CString text;
    text.Format("VEK内部版本号: %d.%d.%d", v / 100, (v % 100) / 10, v % 10);
    SetDlgItemText(IDC_ABOUT_VERSION, text);
    return TRUE;
}
