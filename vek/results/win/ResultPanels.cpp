#include "vek/results/win/ResultPanels.h"

#include "vek/app/DialogsBar.h"
#include "vek/res/ResultDialogsRes.h"
#include "vek/results/Result.h"
#include "vek/results/ResultChoices.h"
#include "vek/results/ResultDisp.h"
#include "vek/results/win/ResultSettings.h"

// ---- time-history output

CHistdirDlg* theHistdirDlg = nullptr;

BEGIN_MESSAGE_MAP(CHistdirDlg, CModelessDialog)
ON_COMMAND_RANGE(IDC_RES_ITEM_FIRST, IDC_RES_ITEM_FIRST + 6, &CHistdirDlg::OnClicked)
ON_COMMAND_RANGE(IDC_RES_QUANTITY_FIRST, IDC_RES_QUANTITY_FIRST + 2, &CHistdirDlg::OnClicked)
END_MESSAGE_MAP()

CHistdirDlg::CHistdirDlg(CWnd* parent) : CModelessDialog(IDD_HISTORY_OUTPUT, parent) {}

BOOL CHistdirDlg::OnInitDialog()
{
    CModelessDialog::OnInitDialog();
    HistoryOutput& h = theHistoryOutput;
    // Bit k of the result's time-history kind: quantity k+1 is there.
    bool present[3];
    for (int k = 0; k < 3; ++k) {
        present[k] = theResult.Good() && (theResult.m_nHistKind & (1 << k)) != 0;
        if (CWnd* w = GetDlgItem(IDC_RES_QUANTITY_FIRST + k)) w->EnableWindow(present[k]);
    }
    // displacement -> velocity -> acceleration -> displacement
    const int quantity = NextChoiceWith(present, 3, h.quantity - 1);
    if (quantity >= 0) {
        h.quantity = int16_t(quantity + 1);
        CheckRadioButton(IDC_RES_QUANTITY_FIRST, IDC_RES_QUANTITY_FIRST + 2, IDC_RES_QUANTITY_FIRST + quantity);
    } else {
        SetWindowText((CString("响应输出类型 - ") + kNoResultToShow).GetString());
    }
    if (h.component < 0 || h.component > 6) h.component = 0;
    CheckRadioButton(IDC_RES_ITEM_FIRST, IDC_RES_ITEM_FIRST + 6, IDC_RES_ITEM_FIRST + h.component);
    return TRUE;
}

void CHistdirDlg::OnClicked(UINT)
{
    const int item = GetCheckedRadioButton(IDC_RES_ITEM_FIRST, IDC_RES_ITEM_FIRST + 6);
    const int quantity = GetCheckedRadioButton(IDC_RES_QUANTITY_FIRST, IDC_RES_QUANTITY_FIRST + 2);
    if (item) theHistoryOutput.component = int16_t(item - IDC_RES_ITEM_FIRST);
    if (quantity) theHistoryOutput.quantity = int16_t(quantity - IDC_RES_QUANTITY_FIRST + 1);
}

void CHistdirDlg::PostNcDestroy()
{
    if (theHistdirDlg == this) theHistdirDlg = nullptr;
    CModelessDialog::PostNcDestroy();
}

CHistdirDlg* OpenHistdirDlg()
{
    if (theHistdirDlg && theHistdirDlg->GetSafeHwnd()) {
        theHistdirDlg->ShowWindow(SW_SHOW);
        return theHistdirDlg;
    }
    auto* dlg = new CHistdirDlg(AfxGetMainWnd());
    if (!dlg->Create(IDD_HISTORY_OUTPUT, AfxGetMainWnd())) {
        delete dlg;
        return nullptr;
    }
    theHistdirDlg = dlg;
    theModelessDlgs.Add(dlg);
    return dlg;
}

// ---- tube-joint display

BEGIN_MESSAGE_MAP(CSteelPipeSetDlg, CMyDialog)
ON_BN_CLICKED(IDC_RES_FILTER_BUTTON, &CSteelPipeSetDlg::OnFilter)
END_MESSAGE_MAP()

CSteelPipeSetDlg::CSteelPipeSetDlg(CWnd* parent) : CMyDialog(IDD_PIPE_DISPLAY, parent) {}

BOOL CSteelPipeSetDlg::OnInitDialog()
{
    CMyDialog::OnInitDialog();
    SetDlgItemText(IDC_RES_FILTER_BUTTON, theResultDisp.filter.GetDescription(false).c_str());
    return TRUE;
}

void CSteelPipeSetDlg::OnFilter()
{
    theResultDisp.filter.Edit();
    SetDlgItemText(IDC_RES_FILTER_BUTTON, theResultDisp.filter.GetDescription(false).c_str());
}

void CSteelPipeSetDlg::DoDataExchange(CDataExchange* dx)
{
    CMyDialog::DoDataExchange(dx);
    PipeJointSettings& s = thePipeJointSettings;
    DDX_Check(dx, IDC_RES_PIPE_MEMBERS, s.showMembers);
    DDX_Check(dx, IDC_RES_PIPE_RATIOS, s.showRatios);
    DDX_Check(dx, IDC_RES_PIPE_GAPS, s.showGaps);
    DDX_Check(dx, IDC_RES_PIPE_FILTERED, s.filteredOnly);
}

// ---- tube-joint search

BEGIN_MESSAGE_MAP(CSteelPipeSearchDlg, CMyDialog)
END_MESSAGE_MAP()

CSteelPipeSearchDlg::CSteelPipeSearchDlg(CWnd* parent) : CMyDialog(IDD_PIPE_SEARCH, parent) {}

void CSteelPipeSearchDlg::DoDataExchange(CDataExchange* dx)
{
    CMyDialog::DoDataExchange(dx);
    PipeJointSettings& s = thePipeJointSettings;
    DDX_Check(dx, IDC_RES_SEARCH_REPLACE, s.searchReplace);
    DDX_Check(dx, IDC_RES_SEARCH_SHOWN, s.searchShownOnly);
    DDX_Check(dx, IDC_RES_SEARCH_SELECTED, s.searchSelectedOnly);
}

// ---- tube-joint input

BEGIN_MESSAGE_MAP(CStPipeDataDlg, CModelessDialog)
ON_EN_KILLFOCUS(IDC_RES_PIPE_OVERLAP, &CStPipeDataDlg::OnOverlapKillFocus)
END_MESSAGE_MAP()

CStPipeDataDlg::CStPipeDataDlg(CWnd* parent) : CModelessDialog(IDD_PIPE_DATA, parent) {}

void CStPipeDataDlg::DoDataExchange(CDataExchange* dx)
{
    CModelessDialog::DoDataExchange(dx);
    DDX_Text(dx, IDC_RES_PIPE_GAP, thePipeJointSettings.gap);
    DDX_Text(dx, IDC_RES_PIPE_OVERLAP, thePipeJointSettings.overlap);
}

void CStPipeDataDlg::OnOverlapKillFocus()
{
    OnDataChanged();
}
