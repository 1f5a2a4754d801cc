#include "vek/dialogs/EditPromptDlg.h"

#include "vek/app/DialogsBar.h"
#include "vek/res/ElementPanelsRes.h"

IMPLEMENT_DYNAMIC(CEditPromptDlg, CModelessDialog)

BEGIN_MESSAGE_MAP(CEditPromptDlg, CModelessDialog)
ON_CONTROL_RANGE(EN_KILLFOCUS, IDC_EP_EDIT1, IDC_EP_EDIT1 + CEditPromptDlg::kMaxItems - 1, &CEditPromptDlg::OnEditLeft)
END_MESSAGE_MAP()

CEditPromptDlg::CEditPromptDlg(CWnd* parent) : CModelessDialog(IDD_EDIT_PROMPT, parent) {}

bool CEditPromptDlg::SetItems(const char* title, int count, const int* types, void* const* values,
                              const char* const* labels, const int* enabled)
{
    if (count < 1 || count > kMaxItems || !types || !values) return false;
    for (int i = 0; i < count; ++i)
        if (types[i] < kDouble || types[i] > kText || !values[i]) return false;
    m_title = title ? title : "";
    m_nCount = count;
    for (int i = 0; i < count; ++i) {
        m_types[i] = types[i];
        m_values[i] = values[i];
        m_labels[i] = labels && labels[i] ? labels[i] : "";
        m_enabled[i] = enabled ? enabled[i] : 1;
    }
    return true;
}

BOOL CEditPromptDlg::OnInitDialog()
{
    CModelessDialog::OnInitDialog();
    SetDlgItemText(IDC_EP_TITLE, m_title);
    int bottom = 0;
    for (int i = 0; i < kMaxItems; ++i) {
        CWnd* label = GetDlgItem(IDC_EP_LABEL1 + i);
        CWnd* edit = GetDlgItem(IDC_EP_EDIT1 + i);
        if (i >= m_nCount) {
            label->ShowWindow(SW_HIDE);
            edit->ShowWindow(SW_HIDE);
            continue;
        }
        label->SetWindowText(m_labels[i]);
        edit->EnableWindow(m_enabled[i] != 0);
        edit->SendMessage(EM_SETREADONLY, m_bEditable ? FALSE : TRUE);
        CRect r;
        edit->GetWindowRect(&r);
        ScreenToClient(&r);
        bottom = r.bottom;
    }
    // The panel ends just below its last item.
    CRect client, window;
    GetClientRect(&client);
    GetWindowRect(&window);
    SetWindowPos(nullptr, 0, 0, window.Width(), window.Height() - (client.Height() - bottom - 6),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateData(FALSE);
    return TRUE;
}

void CEditPromptDlg::DoDataExchange(CDataExchange* dx)
{
    if (dx->m_bSaveAndValidate && !m_bEditable) return;
    for (int i = 0; i < m_nCount; ++i) {
        const int id = IDC_EP_EDIT1 + i;
        switch (m_types[i]) {
            case kDouble: DDX_Text(dx, id, *static_cast<double*>(m_values[i])); break;
            case kFloat: DDX_Text(dx, id, *static_cast<float*>(m_values[i])); break;
            case kInt: DDX_Text(dx, id, *static_cast<int*>(m_values[i])); break;
            case kShort: DDX_Text(dx, id, *static_cast<short*>(m_values[i])); break;
            default: DDX_Text(dx, id, *static_cast<CString*>(m_values[i])); break;
        }
    }
}

CEditPromptDlg* OpenEditPrompt(const char* title, int count, const int* types, void* const* values,
                               const char* const* labels, bool closeOthers, const int* enabled)
{
    auto* dlg = new CEditPromptDlg(AfxGetMainWnd());
    if (!dlg->SetItems(title, count, types, values, labels, enabled)) {
        delete dlg;
        return nullptr;
    }
    if (closeOthers) theModelessDlgs.CloseAll();
    if (!dlg->Create(IDD_EDIT_PROMPT, AfxGetMainWnd())) {
        if (!CWnd::LastCreateDestroyedObject()) delete dlg;
        return nullptr;
    }
    theModelessDlgs.Add(dlg);
    return dlg;
}
