#include "vek/dialogs/ParaDispDlg.h"

#include "vek/app/DialogsBar.h"
#include "vek/res/ElementPanelsRes.h"

IMPLEMENT_DYNAMIC(CParaDispDlg, CModelessDialog)

BEGIN_MESSAGE_MAP(CParaDispDlg, CModelessDialog)
ON_WM_SIZE()
ON_BN_CLICKED(IDC_PD_BUTTON, &CParaDispDlg::OnButton)
END_MESSAGE_MAP()

CParaDispDlg::CParaDispDlg(CWnd* parent) : CModelessDialog(IDD_PARA_DISP, parent) {}

BOOL CParaDispDlg::OnInitDialog()
{
    // The edit is the scrolling kind before the base makes the others flat.
    if (GetDlgItem(IDC_PD_TEXT)) m_edit.SubclassDlgItem(IDC_PD_TEXT, this);
    CModelessDialog::OnInitDialog();
    SetContent(m_pCallback, m_strCaption, m_nArg);
    if (m_edit.m_hWnd) m_edit.SetText(m_strText);
    // Shown, not chosen: the text is not selected as a first edit would be.
    return FALSE;
}

void CParaDispDlg::SetText(const char* text)
{
    m_strText = text ? text : "";
    if (m_edit.m_hWnd) m_edit.SetText(m_strText);
}

void CParaDispDlg::SetContent(Callback callback, const char* caption, int arg)
{
    m_pCallback = callback;
    m_strCaption = caption ? caption : "";
    m_nArg = arg;
    if (!m_hWnd) return;
    CWnd* button = GetDlgItem(IDC_PD_BUTTON);
    if (callback) {
        SetWindowText("参数显示(对话框可调)");
        if (button) {
            button->SetWindowText(m_strCaption);
            button->ShowWindow(SW_SHOW);
        }
    } else {
        SetWindowText(m_strCaption + "(大小可调)");
        if (button) button->ShowWindow(SW_HIDE);
    }
    Layout();
}

void CParaDispDlg::Layout()
{
    CWnd* button = GetDlgItem(IDC_PD_BUTTON);
    if (!m_edit.m_hWnd || !button) return;
    CRect client, b, e;
    GetClientRect(&client);
    button->GetWindowRect(&b);
    ScreenToClient(&b);
    m_edit.GetWindowRect(&e);
    ScreenToClient(&e);
    const int margin = e.left;
    // The button keeps its size, centred on the bottom edge.
    const int bw = b.Width(), bh = b.Height();
    b = CRect(CPoint((client.Width() - bw) / 2, client.bottom - margin - bh), CSize(bw, bh));
    button->MoveWindow(b.left, b.top, bw, bh);
    const int editBottom = m_pCallback ? b.top - 2 : b.bottom;
    m_edit.MoveWindow(margin, e.top, client.Width() - 2 * margin, editBottom - e.top);
}

void CParaDispDlg::OnSize(UINT type, int cx, int cy)
{
    CModelessDialog::OnSize(type, cx, cy);
    Layout();
}

void CParaDispDlg::OnButton()
{
    if (m_pCallback) m_pCallback(this, m_nArg);
}

CParaDispDlg* ShowParameterText(const char* caption, const char* text, bool closeOthers,
                                CParaDispDlg::Callback callback, const char* button, int arg)
{
    if (closeOthers) theModelessDlgs.CloseAll();
    auto* dlg = new CParaDispDlg(AfxGetMainWnd());
    dlg->SetContent(callback, callback ? button : caption, arg);
    dlg->SetText(text);
    if (!dlg->Create(IDD_PARA_DISP, AfxGetMainWnd())) {
        if (!CWnd::LastCreateDestroyedObject()) delete dlg;
        return nullptr;
    }
    theModelessDlgs.Add(dlg);
    return dlg;
}
