#include "vek/results/win/ResultDialogs.h"

#include "vek/res/ResultDialogsRes.h"
#include "vek/results/ResultChoices.h"
#include "vek/results/ResultDisp.h"

// ---- displacement pictures

BEGIN_MESSAGE_MAP(CDispPicTypeDlg, CMyDialog)
END_MESSAGE_MAP()

CDispPicTypeDlg::CDispPicTypeDlg(CWnd* parent) : CMyDialog(IDD_DISP_PIC_TYPE, parent) {}

BOOL CDispPicTypeDlg::OnInitDialog()
{
    bool enabled[kDispPictureChoices];
    DispPictureChoices(enabled);
    // The time-history responses animate over their steps as they are there.
    for (int i = 4; i <= 6; ++i) enabled[i + 9] = enabled[i];
    m_nChoice = StartDispPictureChoice(enabled, theResultDisp.disp.kind);
    CMyDialog::OnInitDialog();
    for (int i = 0; i < kDispPictureChoices; ++i)
        if (CWnd* button = GetDlgItem(IDC_RES_PICTURE_FIRST + i)) button->EnableWindow(enabled[i]);
    if (m_nChoice < 0) {
        if (CWnd* ok = GetDlgItem(IDOK)) ok->EnableWindow(FALSE);
        SetDlgItemText(IDC_RES_NOTE, kNoResultToShow);
    }
    return TRUE;
}

void CDispPicTypeDlg::DoDataExchange(CDataExchange* dx)
{
    CMyDialog::DoDataExchange(dx);
    DDX_Radio(dx, IDC_RES_PICTURE_FIRST, m_nChoice);
}

// ---- force diagram

BEGIN_MESSAGE_MAP(COneDimForceDlg, CMyDialog)
ON_COMMAND_RANGE(IDC_RES_ELEMENT_FIRST, IDC_RES_ELEMENT_FIRST + 3, &COneDimForceDlg::OnKindChanged)
ON_BN_CLICKED(IDC_RES_FILTER_BUTTON, &COneDimForceDlg::OnFilter)
END_MESSAGE_MAP()

COneDimForceDlg::COneDimForceDlg(CWnd* parent) : CMyDialog(IDD_ONE_DIM_FORCE, parent)
{
    const FrameForceDiagram& d = theResultDisp.frameDiagram;
    m_nKind = d.elementKind >= 1 ? d.elementKind - 1 : 0;
    m_nComponent = d.component;
    m_nEnvelope = d.envelope;
}

BOOL COneDimForceDlg::OnInitDialog()
{
    DiagramKindChoices(m_enabled);
    const int kind = NextChoiceWith(m_enabled, 4, m_nKind);
    m_nKind = kind < 0 ? 0 : kind;
    CMyDialog::OnInitDialog();
    for (int i = 0; i < 4; ++i)
        if (CWnd* button = GetDlgItem(IDC_RES_ELEMENT_FIRST + i)) button->EnableWindow(m_enabled[i]);
    if (kind < 0)
        if (CWnd* ok = GetDlgItem(IDOK)) ok->EnableWindow(FALSE);
    UpdateControls();
    return TRUE;
}

void COneDimForceDlg::UpdateControls()
{
    // Trusses carry the axial force only.
    const bool truss = m_nKind == 1;
    for (int i = 1; i < 6; ++i)
        if (CWnd* button = GetDlgItem(IDC_RES_COMPONENT_FIRST + i)) button->EnableWindow(!truss);
    if (truss && m_nComponent != 0) {
        m_nComponent = 0;
        CheckRadioButton(IDC_RES_COMPONENT_FIRST, IDC_RES_COMPONENT_FIRST + 5, IDC_RES_COMPONENT_FIRST);
    }
    SetDlgItemText(IDC_RES_FILTER_BUTTON, theResultDisp.filter.GetDescription(true).c_str());
}

void COneDimForceDlg::OnKindChanged(UINT id)
{
    m_nKind = int(id - IDC_RES_ELEMENT_FIRST);
    UpdateControls();
}

void COneDimForceDlg::OnFilter()
{
    theResultDisp.filter.Edit();
    UpdateControls();
}

void COneDimForceDlg::DoDataExchange(CDataExchange* dx)
{
    CMyDialog::DoDataExchange(dx);
    DDX_Radio(dx, IDC_RES_ELEMENT_FIRST, m_nKind);
    DDX_Radio(dx, IDC_RES_COMPONENT_FIRST, m_nComponent);
    DDX_Radio(dx, IDC_RES_ENVELOPE_FIRST, m_nEnvelope);
}

// ---- contour options

BEGIN_MESSAGE_MAP(CContourOptionDlg, CMyDialog)
ON_CBN_SELCHANGE(IDC_RES_CONTOUR_TYPE, &CContourOptionDlg::OnTypeChanged)
END_MESSAGE_MAP()

CContourOptionDlg::CContourOptionDlg(CWnd* parent) : CMyDialog(IDD_CONTOUR_OPTION, parent)
{
    const ContourState& c = theResultDisp.contour;
    m_nKind = c.kind >= 1 && c.kind <= kContourTypes ? c.kind : 5;
    m_nComponent = c.component;
    m_nEnvelope = c.envelope;
}

BOOL CContourOptionDlg::OnInitDialog()
{
    CMyDialog::OnInitDialog();
    CComboBox* types = static_cast<CComboBox*>(GetDlgItem(IDC_RES_CONTOUR_TYPE));
    for (int k = 1; k <= kContourTypes; ++k) {
        CString text = ContourTypeName(k);
        if (!ContourTypeValid(k)) text += " (无效)";
        types->AddString(text);
    }
    CheckRadioButton(IDC_RES_ENVELOPE_FIRST, IDC_RES_ENVELOPE_FIRST + 2, IDC_RES_ENVELOPE_FIRST + m_nEnvelope);
    if (!SkipInvalidType(m_nKind)) {
        if (CWnd* ok = GetDlgItem(IDOK)) ok->EnableWindow(FALSE);
        SetDlgItemText(IDC_RES_NOTE, kNoResultToShow);
        return TRUE;
    }
    FillComponents();
    return TRUE;
}

bool CContourOptionDlg::SkipInvalidType(int from)
{
    bool valid[kContourTypes];
    for (int k = 0; k < kContourTypes; ++k) valid[k] = ContourTypeValid(k + 1);
    const int at = NextChoiceWith(valid, kContourTypes, from - 1);
    if (at < 0) return false;
    m_nKind = at + 1;
    static_cast<CComboBox*>(GetDlgItem(IDC_RES_CONTOUR_TYPE))->SetCurSel(at);
    return true;
}

void CContourOptionDlg::FillComponents()
{
    CComboBox* list = static_cast<CComboBox*>(GetDlgItem(IDC_RES_CONTOUR_COMPONENT));
    const int before = list->GetCount() > 0 ? list->GetCurSel() : m_nComponent;
    list->ResetContent();
    const char* names[20] = {};
    const int n = ContourComponentNames(m_nKind, names);
    for (int i = 0; i < n; ++i) list->AddString(names[i] ? names[i] : "无效的结果分量----");
    list->SetCurSel(before >= 0 && before < n ? before : 0);
}

void CContourOptionDlg::OnTypeChanged()
{
    const int chosen = static_cast<CComboBox*>(GetDlgItem(IDC_RES_CONTOUR_TYPE))->GetCurSel() + 1;
    if (SkipInvalidType(chosen)) FillComponents();
}

void CContourOptionDlg::OnOK()
{
    m_nComponent = static_cast<CComboBox*>(GetDlgItem(IDC_RES_CONTOUR_COMPONENT))->GetCurSel();
    if (m_nComponent < 0) m_nComponent = 0;
    m_nEnvelope = GetCheckedRadioButton(IDC_RES_ENVELOPE_FIRST, IDC_RES_ENVELOPE_FIRST + 2) - IDC_RES_ENVELOPE_FIRST;
    if (m_nEnvelope < 0) m_nEnvelope = 0;
    CMyDialog::OnOK();
}

// ---- node values

BEGIN_MESSAGE_MAP(CDisplacementValueDlg, CMyDialog)
ON_BN_CLICKED(IDC_RES_FILTER_BUTTON, &CDisplacementValueDlg::OnFilter)
END_MESSAGE_MAP()

CDisplacementValueDlg::CDisplacementValueDlg(CWnd* parent) : CMyDialog(IDD_DISP_VALUES, parent)
{
    const NodeDispValues& v = theResultDisp.nodeValues;
    m_nKind = v.kind >= 1 ? v.kind - 1 : 0;
    m_nComponent = v.component <= 6 ? v.component : 6;
}

BOOL CDisplacementValueDlg::OnInitDialog()
{
    bool enabled[4];
    NodeValueKindChoices(enabled);
    const int kind = NextChoiceWith(enabled, 4, m_nKind);
    m_nKind = kind < 0 ? 0 : kind;
    CMyDialog::OnInitDialog();
    for (int i = 0; i < 4; ++i)
        if (CWnd* button = GetDlgItem(IDC_RES_VALUE_KIND_FIRST + i)) button->EnableWindow(enabled[i]);
    if (kind < 0) {
        if (CWnd* ok = GetDlgItem(IDOK)) ok->EnableWindow(FALSE);
        SetDlgItemText(IDC_RES_NOTE, kNoResultToShow);
    }
    SetDlgItemText(IDC_RES_FILTER_BUTTON, theResultDisp.filter.GetDescription(false).c_str());
    return TRUE;
}

void CDisplacementValueDlg::OnFilter()
{
    theResultDisp.filter.Edit();
    SetDlgItemText(IDC_RES_FILTER_BUTTON, theResultDisp.filter.GetDescription(false).c_str());
}

void CDisplacementValueDlg::DoDataExchange(CDataExchange* dx)
{
    CMyDialog::DoDataExchange(dx);
    DDX_Radio(dx, IDC_RES_VALUE_KIND_FIRST, m_nKind);
    DDX_Radio(dx, IDC_RES_VALUE_COMPONENT_FIRST, m_nComponent);
}

// ---- filter

BEGIN_MESSAGE_MAP(CFilterDlg, CMyDialog)
END_MESSAGE_MAP()

CFilterDlg::CFilterDlg(const ResultFilter& f, bool percentAllowed, CWnd* parent)
    : CMyDialog(IDD_RESULT_FILTER, parent), m_bPercentAllowed(percentAllowed)
{
    m_bOn = f.on;
    m_nMode = f.mode;
    m_fP1 = f.lowerPercent;
    m_fP2 = f.upperPercent;
    m_fLow = f.lower;
    m_fHigh = f.upper;
}

BOOL CFilterDlg::OnInitDialog()
{
    if (!m_bPercentAllowed && m_nMode == 0) m_nMode = 1;
    CMyDialog::OnInitDialog();
    if (!m_bPercentAllowed)
        if (CWnd* first = GetDlgItem(IDC_RES_FILTER_MODE_FIRST)) first->EnableWindow(FALSE);
    return TRUE;
}

void CFilterDlg::DoDataExchange(CDataExchange* dx)
{
    CMyDialog::DoDataExchange(dx);
    DDX_Check(dx, IDC_RES_FILTER_ON, m_bOn);
    DDX_Radio(dx, IDC_RES_FILTER_MODE_FIRST, m_nMode);
    DDX_Text(dx, IDC_RES_FILTER_P1, m_fP1);
    DDV_MinMaxFloat(dx, m_fP1, 0, 100);
    DDX_Text(dx, IDC_RES_FILTER_P2, m_fP2);
    DDV_MinMaxFloat(dx, m_fP2, 0, 100);
    DDX_Text(dx, IDC_RES_FILTER_LOW, m_fLow);
    DDX_Text(dx, IDC_RES_FILTER_HIGH, m_fHigh);
}

bool EditResultFilter(ResultFilter& f)
{
    CFilterDlg dlg(f, true, AfxGetMainWnd());
    if (dlg.DoModal() != IDOK) return false;
    f.on = uint8_t(dlg.m_bOn);
    f.mode = uint8_t(dlg.m_nMode);
    f.lowerPercent = dlg.m_fP1;
    f.upperPercent = dlg.m_fP2;
    f.lower = dlg.m_fLow;
    f.upper = dlg.m_fHigh;
    return true;
}
