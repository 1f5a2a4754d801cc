#include "vek/results/win/MemberResultDialogs.h"

#include <algorithm>
#include <cmath>

#include "analysis/TableTwoCol.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ModelFamily.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/res/ResultDialogsRes.h"
#include "vek/results/Result.h"
#include "vek/results/ResultChoices.h"
#include "vek/results/ResultDisp.h"

namespace {

void Enable(CWnd* dlg, int id, bool on)
{
    if (CWnd* w = dlg->GetDlgItem(id)) w->EnableWindow(on ? TRUE : FALSE);
}

void ShowFilter(CWnd* dlg, bool severalSections)
{
    dlg->SetDlgItemText(IDC_RES_FILTER_BUTTON, theResultDisp.filter.GetDescription(severalSections).c_str());
}

const char* const kMemberNames[6] = {"轴力", "1-2平面内的剪力", "1-2平面内的弯矩", "1-3平面内的剪力", "1-3平面内的弯矩",
                                     "扭矩"};
const char* const kWallNames[6] = {"轴力N22", "面内剪力Q11", "面内弯矩M33", "面外剪力Q33", "面外弯矩M11", "扭矩M12"};
const char* const kShellLocalNames[20] = {"1向中面正应力σ1",
                                          "2向中面正应力σ2",
                                          "12平面内中面剪应力τ12",
                                          "沿垂直1轴的边单位长度剪力Q31",
                                          "沿垂直2轴的边单位长度剪力Q32",
                                          "沿垂直1轴的边单位长度弯矩M11",
                                          "沿垂直2轴的边单位长度弯矩M22",
                                          "单位长度扭矩M12",
                                          "1向上表面正应力σ1u",
                                          "2向上表面正应力σ2u",
                                          "12平面内上表面剪应力τ12u",
                                          "1向下表面正应力σ1d",
                                          "2向下表面正应力σ2d",
                                          "12平面内下表面剪应力τ12d",
                                          "中面第一主应力S1",
                                          "中面第二主应力S2",
                                          "上表面第一主应力S1u",
                                          "上表面第二主应力S2u",
                                          "下表面第一主应力S1d",
                                          "下表面第二主应力S2d"};

// The force text's object kinds in the dialog's order and their radio buttons.
const EFamily kTextFamilies[7] = {EFamily::Frames, EFamily::Trusses, EFamily::Springs,  EFamily::Cframes,
                                  EFamily::Pipes,  EFamily::Walls,   EFamily::Integrals};
const int kTextKindButtons[7] = {1121, 1122, 1123, 1124, 1125, IDC_RES_TEXT_WALLS, IDC_RES_TEXT_INTEGRALS};
const int kTextModeButtons[4] = {1133, 1134, 1135, IDC_RES_TEXT_MODE_LAST};

int IndexOfButton(const int* buttons, int count, UINT id)
{
    for (int i = 0; i < count; ++i)
        if (buttons[i] == int(id)) return i;
    return -1;
}

CComboBox* Combo(CWnd* dlg, int id)
{
    return static_cast<CComboBox*>(dlg->GetDlgItem(id));
}

}  // namespace

const char* ForceTextComponentName(int kind, int component)
{
    if (component < 0 || component > 5) return "";
    if (kind == 1 || kind == 2) return component == 0 ? (kind == 1 ? "轴力" : "轴力或扭矩") : "";
    return kind == 5 ? kWallNames[component] : kMemberNames[component];
}

const char* ShellLocalComponentName(int component)
{
    return component >= 0 && component < 20 ? kShellLocalNames[component] : "";
}

// ---- steel check display

BEGIN_MESSAGE_MAP(CSfrChkTextDlg, CMyDialog)
ON_BN_CLICKED(IDC_RES_FILTER_BUTTON, &CSfrChkTextDlg::OnFilter)
END_MESSAGE_MAP()

CSfrChkTextDlg::CSfrChkTextDlg(CWnd* parent) : CMyDialog(IDD_SFR_CHECK_TEXT, parent)
{
    const SteelCheckDisp& s = theResultDisp.steelCheck;
    m_nItem = s.item <= 6 ? s.item : 0;
    m_nType = s.kind <= 2 ? s.kind : 0;
}

BOOL CSfrChkTextDlg::OnInitDialog()
{
    CMyDialog::OnInitDialog();
    ShowFilter(this, false);
    return TRUE;
}

void CSfrChkTextDlg::OnFilter()
{
    theResultDisp.filter.Edit();
    ShowFilter(this, false);
}

void CSfrChkTextDlg::DoDataExchange(CDataExchange* dx)
{
    CMyDialog::DoDataExchange(dx);
    DDX_Radio(dx, IDC_RES_ITEM_FIRST, m_nItem);
    DDX_Radio(dx, IDC_RES_CHECK_TYPE_FIRST, m_nType);
}

// ---- steel selection

BEGIN_MESSAGE_MAP(CSframeSelDlg, CMyDialog)
ON_BN_CLICKED(IDC_RES_SELECT_NOW, &CSframeSelDlg::OnSelectNow)
END_MESSAGE_MAP()

CSframeSelDlg::CSframeSelDlg(CWnd* parent) : CMyDialog(IDD_SFR_SELECT, parent), m_request(theSteelSelectRequest) {}

void CSframeSelDlg::DoDataExchange(CDataExchange* dx)
{
    CMyDialog::DoDataExchange(dx);
    DDX_Radio(dx, IDC_RES_ITEM_FIRST, m_request.item);
    DDX_Radio(dx, IDC_RES_KEEP_SELECTED, m_request.treatment);
    DDX_Radio(dx, IDC_RES_INSIDE, m_request.condition);
    DDX_Text(dx, IDC_RES_VAL1, m_request.val1);
    DDX_Text(dx, IDC_RES_VAL2, m_request.val2);
}

bool CSframeSelDlg::SelectNow()
{
    if (!UpdateData(TRUE)) return false;
    if (m_request.val2 < m_request.val1) {
        std::swap(m_request.val1, m_request.val2);
        UpdateData(FALSE);
    }
    theSteelSelectRequest = m_request;
    if (theResultCommandSlots.selectByCheck) theResultCommandSlots.selectByCheck(m_request);
    return true;
}

void CSframeSelDlg::OnSelectNow()
{
    SelectNow();
}

void CSframeSelDlg::OnOK()
{
    if (!SelectNow()) return;
    EndDialog(IDOK);
}

// ---- reinforcement picture

BEGIN_MESSAGE_MAP(CReinPicDlg, CMyDialog)
END_MESSAGE_MAP()

namespace {
const int kReinItemChecks[7] = {IDC_RES_REIN_TOP,          IDC_RES_REIN_BOTTOM,   IDC_RES_REIN_DIR2,
                                IDC_RES_REIN_DIR3,         IDC_RES_REIN_STIRRUPS, IDC_RES_REIN_TORSION,
                                IDC_RES_REIN_SHEAR_TORSION};
}

CReinPicDlg::CReinPicDlg(CWnd* parent) : CMyDialog(IDD_REIN_PICTURE, parent)
{
    const ReinDisp& r = theResultDisp.rein;
    m_nSections = r.perSection ? 1 : 0;
    m_nRatio = r.ratio ? 1 : 0;
    m_nItems = r.items & 0x7F;
}

void CReinPicDlg::DoDataExchange(CDataExchange* dx)
{
    CMyDialog::DoDataExchange(dx);
    DDX_Radio(dx, IDC_RES_REIN_SECTIONS_FIRST, m_nSections);
    DDX_Radio(dx, IDC_RES_REIN_SHOW_FIRST, m_nRatio);
    for (int bit = 0; bit < 7; ++bit) {
        int on = (m_nItems >> bit) & 1;
        DDX_Check(dx, kReinItemChecks[bit], on);
        m_nItems = (m_nItems & ~(1 << bit)) | (on ? 1 << bit : 0);
    }
}

// ---- force text

BEGIN_MESSAGE_MAP(CForceTextDlg, CMyDialog)
ON_COMMAND_RANGE(1121, 1125, &CForceTextDlg::OnKindChanged)
ON_COMMAND_RANGE(IDC_RES_TEXT_WALLS, IDC_RES_TEXT_INTEGRALS, &CForceTextDlg::OnKindChanged)
ON_COMMAND_RANGE(1133, 1135, &CForceTextDlg::OnModeChanged)
ON_COMMAND_RANGE(IDC_RES_TEXT_MODE_LAST, IDC_RES_TEXT_MODE_LAST, &CForceTextDlg::OnModeChanged)
ON_BN_CLICKED(IDC_RES_FILTER_BUTTON, &CForceTextDlg::OnFilter)
END_MESSAGE_MAP()

CForceTextDlg::CForceTextDlg(CWnd* parent) : CMyDialog(IDD_FORCE_TEXT, parent)
{
    const ForceText& t = theResultDisp.forceText;
    m_nKind = t.elementKind >= 1 && t.elementKind <= 7 ? t.elementKind - 1 : 0;
    m_nMode = t.envelope <= 3 ? t.envelope : 0;
    m_nFirst = t.first <= 5 ? t.first : 0;
    m_nSecond = t.second <= 5 ? t.second : 0;
    m_bPerLength = t.perWallLength ? 1 : 0;
    for (int i = 0; i < 6; ++i) m_columns[i] = t.columns[i] ? 1 : 0;
    m_bToFile = theForceFileSwitches.toFile ? 1 : 0;
    m_bShownOnly = theForceFileSwitches.shownOnly ? 1 : 0;
}

BOOL CForceTextDlg::OnInitDialog()
{
    CMyDialog::OnInitDialog();
    for (int i = 0; i < 7; ++i) m_enabled[i] = ModelFamily(kTextFamilies[i]).GetCount() > 0;
    const int kind = NextChoiceWith(m_enabled, 7, m_nKind);
    for (int i = 0; i < 7; ++i) Enable(this, kTextKindButtons[i], m_enabled[i]);
    CheckDlgButton(IDC_RES_TEXT_SHOWN_ONLY, m_bShownOnly);
    // Writing the table to a file comes with its writer.
    const bool fileWriter = theResultCommandSlots.writeForceFile != nullptr;
    if (!fileWriter) m_bToFile = 0;
    CheckDlgButton(IDC_RES_TEXT_TO_FILE, m_bToFile);
    Enable(this, IDC_RES_TEXT_TO_FILE, fileWriter);
    Enable(this, IDC_RES_TEXT_SHOWN_ONLY, fileWriter);
    for (int i = 0; i < 6; ++i) CheckDlgButton(IDC_RES_TEXT_COLUMN_FIRST + i, m_columns[i]);
    CheckDlgButton(IDC_RES_TEXT_PER_LENGTH, m_bPerLength);
    CheckRadioButton(kTextModeButtons[0], kTextModeButtons[3], kTextModeButtons[m_nMode]);
    ShowFilter(this, false);
    if (kind < 0) {
        // No object kind has elements: nothing to choose.
        for (int id : kTextModeButtons) Enable(this, id, false);
        Enable(this, IDOK, false);
        SetDlgItemText(IDC_RES_TEXT_NOTE, kNoResultToShow);
        return TRUE;
    }
    m_nKind = kind;
    CheckRadioButton(kTextKindButtons[0], kTextKindButtons[6], kTextKindButtons[m_nKind]);
    FillForKind();
    return TRUE;
}

void CForceTextDlg::FillForKind()
{
    const bool single = m_nKind == 1 || m_nKind == 2;  // trusses and springs: one component
    CComboBox* first = Combo(this, IDC_RES_TEXT_FIRST_COMPONENT);
    CComboBox* second = Combo(this, IDC_RES_TEXT_SECOND_COMPONENT);
    const int keepFirst = first->GetCount() > 0 ? first->GetCurSel() : m_nFirst;
    const int keepSecond = second->GetCount() > 0 ? second->GetCurSel() : m_nSecond;
    first->ResetContent();
    second->ResetContent();
    const int n = single ? 1 : 6;
    for (int c = 0; c < n; ++c) {
        first->AddString(ForceTextComponentName(m_nKind, c));
        second->AddString(ForceTextComponentName(m_nKind, c));
    }
    first->SetCurSel(keepFirst >= 0 && keepFirst < n ? keepFirst : 0);
    second->SetCurSel(keepSecond >= 0 && keepSecond < n ? keepSecond : 0);
    for (int c = 0; c < 6; ++c) {
        const char* name = ForceTextComponentName(m_nKind, c);
        SetDlgItemText(IDC_RES_TEXT_COLUMN_FIRST + c, name);
        Enable(this, IDC_RES_TEXT_COLUMN_FIRST + c, name[0] != 0);
    }
    Enable(this, IDC_RES_TEXT_PER_LENGTH, m_nKind == 5);
    // One component: a mode over two components or all of them becomes mode 1.
    if (single && m_nMode > 1) {
        m_nMode = 1;
        CheckRadioButton(kTextModeButtons[0], kTextModeButtons[3], kTextModeButtons[1]);
    }
    UpdateForMode();
}

void CForceTextDlg::UpdateForMode()
{
    Enable(this, IDC_RES_TEXT_FIRST_COMPONENT, m_nMode == 1 || m_nMode == 2);
    Enable(this, IDC_RES_FILTER_BUTTON, m_nMode == 1 || m_nMode == 2);
    Enable(this, IDC_RES_TEXT_SECOND_COMPONENT, m_nMode == 2);
    const char* note =
        m_nMode == 1 ? "请选择依据哪个内力分量的最大值来显示，下面的过滤功能也根据此内力分量来过滤"
        : m_nMode == 2
            ? "请选择依据哪两个内力分量之和的最大值来显示，下面的过滤功能也根据这两个内力分量的绝对值之和来过滤"
            : "";
    SetDlgItemText(IDC_RES_TEXT_NOTE, note);
}

void CForceTextDlg::OnKindChanged(UINT id)
{
    const int kind = IndexOfButton(kTextKindButtons, 7, id);
    if (kind < 0 || !m_enabled[kind]) return;
    m_nKind = kind;
    FillForKind();
}

void CForceTextDlg::OnModeChanged(UINT id)
{
    const int mode = IndexOfButton(kTextModeButtons, 4, id);
    if (mode < 0) return;
    m_nMode = mode;
    UpdateForMode();
}

void CForceTextDlg::OnFilter()
{
    theResultDisp.filter.Edit();
    ShowFilter(this, false);
}

void CForceTextDlg::OnOK()
{
    m_nFirst = std::max(Combo(this, IDC_RES_TEXT_FIRST_COMPONENT)->GetCurSel(), 0);
    m_nSecond = std::max(Combo(this, IDC_RES_TEXT_SECOND_COMPONENT)->GetCurSel(), 0);
    m_bPerLength = IsDlgButtonChecked(IDC_RES_TEXT_PER_LENGTH) ? 1 : 0;
    m_bToFile = IsDlgButtonChecked(IDC_RES_TEXT_TO_FILE) ? 1 : 0;
    m_bShownOnly = IsDlgButtonChecked(IDC_RES_TEXT_SHOWN_ONLY) ? 1 : 0;
    for (int c = 0; c < 6; ++c) m_columns[c] = IsDlgButtonChecked(IDC_RES_TEXT_COLUMN_FIRST + c) ? 1 : 0;
    if (m_nKind == 1 || m_nKind == 2) {
        m_nFirst = m_nSecond = 0;
        if (m_nMode > 1) m_nMode = 1;
    }
    CMyDialog::OnOK();
}

// ---- shell force output

BEGIN_MESSAGE_MAP(CListShellForceDlg, CMyDialog)
ON_BN_CLICKED(IDC_RES_BROWSE, &CListShellForceDlg::OnBrowse)
END_MESSAGE_MAP()

CListShellForceDlg::CListShellForceDlg(CWnd* parent) : CMyDialog(IDD_SHELL_FORCE_LIST, parent) {}

BOOL CListShellForceDlg::OnInitDialog()
{
    for (int c = 0; c < 20; ++c)
        if (CWnd* w = GetDlgItem(IDC_RES_SHELL_COMPONENT_FIRST + c)) w->SetWindowText(kShellLocalNames[c]);
    return CMyDialog::OnInitDialog();
}

void CListShellForceDlg::DoDataExchange(CDataExchange* dx)
{
    CMyDialog::DoDataExchange(dx);
    ShellForceOutput& s = theShellForceOutput;
    for (int c = 0; c < 20; ++c) {
        int on = s.components[c];
        DDX_Check(dx, IDC_RES_SHELL_COMPONENT_FIRST + c, on);
        s.components[c] = uint8_t(on ? 1 : 0);
    }
    DDX_Check(dx, IDC_RES_SHELL_ID, s.withId);
    DDX_Check(dx, IDC_RES_SHELL_CENTRE_X, s.centre[0]);
    DDX_Check(dx, IDC_RES_SHELL_CENTRE_Y, s.centre[1]);
    DDX_Check(dx, IDC_RES_SHELL_CENTRE_Z, s.centre[2]);
    DDX_Check(dx, IDC_RES_SHELL_THICKNESS, s.timesThickness);
    DDX_Check(dx, IDC_RES_SHELL_AVERAGE, s.vertexAverage);
    DDX_Radio(dx, IDC_RES_SHELL_COMBS_FIRST, s.allCombinations);
    CString file = s.fileName.c_str();
    DDX_Text(dx, IDC_RES_FILE_NAME, file);
    s.fileName = file.GetString();
}

namespace {

// The save dialog of a text file; the chosen path goes into the file edit.
void BrowseTextFile(CWnd* dlg, const char* filter)
{
    CString current;
    dlg->GetDlgItemText(IDC_RES_FILE_NAME, current);
    CFileDialog save(FALSE, "txt", current, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter, dlg);
    if (save.DoModal() == IDOK) dlg->SetDlgItemText(IDC_RES_FILE_NAME, save.GetPathName());
}

}  // namespace

void CListShellForceDlg::OnBrowse()
{
    BrowseTextFile(this, "板壳内力输出文件(*.txt)|*.txt||");
}

// ---- report options

BEGIN_MESSAGE_MAP(CReportOptionDlg, CMyDialog)
ON_BN_CLICKED(IDC_RES_BROWSE, &CReportOptionDlg::OnBrowse)
END_MESSAGE_MAP()

CReportOptionDlg::CReportOptionDlg(ReportOptions& options, CWnd* parent)
    : CMyDialog(IDD_REPORT_OPTION, parent), m_options(options)
{
    m_nDrift = options.driftMethod ? 1 : 0;
    m_nGravity = options.gravityMethod ? 1 : 0;
    m_bDetails = options.details ? 1 : 0;
    m_strFile = options.fileName.c_str();
}

CReportOptionDlg::~CReportOptionDlg()
{
    delete m_pGrid;
}

BOOL CReportOptionDlg::OnInitDialog()
{
    m_pGrid = new (std::nothrow) CTableTwoCol(1, 1);
    if (!m_pGrid) {
        AppMessageBoxID(102);
        EndDialog(IDCANCEL);
        return TRUE;
    }
    CMyDialog::OnInitDialog();
    RECT r{};
    if (CWnd* place = GetDlgItem(IDC_RES_REPORT_GRID)) {
        place->GetWindowRect(&r);
        ScreenToClient(reinterpret_cast<LPPOINT>(&r.left));
        ScreenToClient(reinterpret_cast<LPPOINT>(&r.right));
        place->ShowWindow(SW_HIDE);
    }
    ::InflateRect(&r, -1, -1);
    for (const auto& [loadCase, factor] : m_options.factors) m_pGrid->m_items.Add(CAxisGridItem(loadCase, factor));
    if (!m_pGrid->Create(r, this, IDC_RES_REPORT_GRID + 1000)) {
        AppMessageBoxID(102);
        EndDialog(IDCANCEL);
        return TRUE;
    }
    m_pGrid->SetCellText(0, 1, "荷载种类");
    m_pGrid->SetCellText(0, 2, "重力荷载系数");
    m_pGrid->SetWidthRatio(0.6);
    m_pGrid->UpdateData(0);
    Enable(this, IDC_RES_REPORT_DETAILS, theLevels.GetCount() > 0);
    return TRUE;
}

void CReportOptionDlg::DoDataExchange(CDataExchange* dx)
{
    CMyDialog::DoDataExchange(dx);
    DDX_Radio(dx, IDC_RES_REPORT_DRIFT_FIRST, m_nDrift);
    DDX_Radio(dx, IDC_RES_REPORT_GRAVITY_FIRST, m_nGravity);
    DDX_Check(dx, IDC_RES_REPORT_DETAILS, m_bDetails);
    DDX_Text(dx, IDC_RES_FILE_NAME, m_strFile);
    if (!dx->m_bSaveAndValidate) return;
    m_options.driftMethod = m_nDrift;
    m_options.gravityMethod = m_nGravity;
    m_options.details = m_bDetails;
    m_options.fileName = m_strFile.GetString();
    if (!m_pGrid) return;
    m_pGrid->UpdateData(1);
    // Rows of load cases the result has; a negative factor counts by its size.
    m_options.factors.clear();
    const int cases = theResult.Good() ? theResult.m_nLoadCase : 0;
    for (int i = 0; i < m_pGrid->m_items.GetSize(); ++i) {
        int loadCase = 0;
        double factor = 0;
        m_pGrid->m_items.GetAt(i)->GetLeft(loadCase);
        m_pGrid->m_items.GetAt(i)->GetRight(factor);
        if (loadCase >= 1 && loadCase <= cases) m_options.factors.emplace_back(loadCase, std::fabs(factor));
    }
}

void CReportOptionDlg::OnBrowse()
{
    BrowseTextFile(this, "计算报告文件(*.txt)|*.txt||");
}
