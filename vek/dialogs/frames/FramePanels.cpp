#include "vek/dialogs/frames/FramePanels.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "vek/app/DialogsBar.h"
#include "vek/dialogs/frames/FrameLoadParaPanel.h"
#include "vek/elements/line/frames/Frame.h"
#include "vek/elements/line/frames/FrameCommands.h"
#include "vek/elements/line/frames/FrameDefaults.h"
#include "vek/elements/line/frames/FramePropertyCommands.h"
#include "vek/elements/line/frames/FrameStoreyChecks.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/materials/TightWire.h"
#include "vek/model/records/ParameterRecords.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/res/FramePanelsRes.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/operate/OperationStack.h"
#include "vek/view/operate/SelectFilter.h"
#include "vek/view/operate/SingleOperate.h"
#include "vek/view/operate/ViewCommands.h"

int nBeamPick = 1, nColumnPick = 1;
void (*SetBeamTopEccentricityHook)(int onlyShown) = nullptr;

namespace {

void Enable(CWnd* dlg, int id, bool on)
{
    if (CWnd* w = dlg->GetDlgItem(id)) w->EnableWindow(on);
}

// Cuts the window to end a few pixels below the control.
void CutBelow(CWnd* dlg, int id)
{
    CWnd* w = dlg->GetDlgItem(id);
    if (!w) return;
    CRect item, win;
    w->GetWindowRect(&item);
    dlg->GetWindowRect(&win);
    dlg->SetWindowPos(nullptr, 0, 0, win.Width(), item.bottom + 3 + ::GetSystemMetrics(SM_CYFIXEDFRAME) - win.top,
                      SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

// ---- releases -------------------------------------------------------------------------

// clang-format off
BEGIN_MESSAGE_MAP(CFrameReleaseDlg, CModelessDialog)
    ON_CONTROL_RANGE(EN_KILLFOCUS, IDC_REL_FIRST, IDC_REL_LAST, &CFrameReleaseDlg::OnRange)
    ON_BN_CLICKED(IDC_REL_HINGED, &CFrameReleaseDlg::OnHinged)
    ON_BN_CLICKED(IDC_REL_RIGID, &CFrameReleaseDlg::OnRigid)
END_MESSAGE_MAP()
// clang-format on

CFrameReleaseDlg::CFrameReleaseDlg(CWnd* parent) : CModelessDialog(IDD_FRAME_RELEASE, parent) {}

BOOL CFrameReleaseDlg::OnInitDialog()
{
    for (int id = IDC_REL_SPIN_FIRST; id <= IDC_REL_SPIN_FIRST + 7; ++id)
        if (CWnd* spin = GetDlgItem(id)) {
            spin->SendMessage(UDM_SETRANGE32, 0, 100);
            // Faster after one and after two seconds held.
            UDACCEL accel[3] = {{0, 1}, {1, 10}, {2, 20}};
            spin->SendMessage(UDM_SETACCEL, 3, reinterpret_cast<LPARAM>(accel));
        }
    CModelessDialog::OnInitDialog();
    if (theProjectOptions.bPlaneModel) {
        SetDlgItemText(IDC_REL_LABEL_I, "I端弯矩放松情况:");
        SetDlgItemText(IDC_REL_LABEL_J, "J端弯矩放松情况:");
        CutBelow(this, IDC_REL_FIRST + 1);
    }
    return TRUE;
}

void CFrameReleaseDlg::DoDataExchange(CDataExchange* dx)
{
    uint8_t* r = theFrameDefaults.m_cRelease;
    for (int k = 0; k < 6; ++k) {
        if (!dx->m_bSaveAndValidate) m_values[k] = r[k];
        DDX_Text(dx, IDC_REL_FIRST + k, m_values[k]);
        DDV_MinMaxInt(dx, m_values[k], 0, 100);
    }
    if (!dx->m_bSaveAndValidate) return;
    // Axial force and torsion are released whole or not at all.
    for (int k : {2, 5}) m_values[k] = m_values[k] < 50 ? 0 : 100;
    for (int k = 0; k < 6; ++k) r[k] = uint8_t(m_values[k]);
}

void CFrameReleaseDlg::OnRange(UINT)
{
    OnChanged();
}

void CFrameReleaseDlg::OnChanged()
{
    OnDataChanged();
}

void CFrameReleaseDlg::OnHinged()
{
    const uint8_t hinged[6] = {100, 100, 0, 100, 100, 0};
    std::memcpy(theFrameDefaults.m_cRelease, hinged, 6);
    UpdateData(FALSE);
}

void CFrameReleaseDlg::OnRigid()
{
    std::memset(theFrameDefaults.m_cRelease, 0, 6);
    UpdateData(FALSE);
}

// ---- local axes -----------------------------------------------------------------------

// clang-format off
BEGIN_MESSAGE_MAP(CFrameLocalAxisDlg, CModelessDialog)
    ON_CBN_SELCHANGE(IDC_AX_CHOICE, &CFrameLocalAxisDlg::OnChanged)
    ON_BN_CLICKED(IDC_AX_POINT, &CFrameLocalAxisDlg::OnChanged)
    ON_EN_KILLFOCUS(IDC_AX_X, &CFrameLocalAxisDlg::OnChanged)
    ON_EN_KILLFOCUS(IDC_AX_Y, &CFrameLocalAxisDlg::OnChanged)
    ON_EN_KILLFOCUS(IDC_AX_Z, &CFrameLocalAxisDlg::OnChanged)
    ON_COMMAND_RANGE(IDC_AX_UNIT_X, IDC_AX_UNIT_Z, &CFrameLocalAxisDlg::OnUnit)
    ON_BN_CLICKED(IDC_AX_PICK, &CFrameLocalAxisDlg::OnPick)
    ON_MESSAGE(CSingleOperate::kDirectionMessage, &CFrameLocalAxisDlg::OnPicked)
END_MESSAGE_MAP()
// clang-format on

CFrameLocalAxisDlg::CFrameLocalAxisDlg(CWnd* parent) : CModelessDialog(IDD_FRAME_LOCAL_AXIS, parent) {}

BOOL CFrameLocalAxisDlg::OnInitDialog()
{
    if (CComboBox* c = static_cast<CComboBox*>(GetDlgItem(IDC_AX_CHOICE))) {
        c->AddString("定义2轴");
        c->AddString("定义3轴");
    }
    CModelessDialog::OnInitDialog();
    Refresh();
    return TRUE;
}

void CFrameLocalAxisDlg::DoDataExchange(CDataExchange* dx)
{
    CFrameAxisPara& in = theFrameAxisPara;
    int choice = std::clamp(int(in.axisChoice) - 2, 0, 1), point = in.pointInPlane;
    DDX_CBIndex(dx, IDC_AX_CHOICE, choice);
    DDX_Check(dx, IDC_AX_POINT, point);
    DDX_Text(dx, IDC_AX_X, in.direction[0]);
    DDX_Text(dx, IDC_AX_Y, in.direction[1]);
    DDX_Text(dx, IDC_AX_Z, in.direction[2]);
    if (!dx->m_bSaveAndValidate) return;
    in.axisChoice = uint8_t(std::clamp(choice, 0, 1) + 2);
    in.pointInPlane = uint8_t(point != 0);
}

void CFrameLocalAxisDlg::Refresh()
{
    const bool point = theFrameAxisPara.pointInPlane != 0;
    const char* labels[2][3] = {{"方向的X坐标", "方向的Y坐标", "方向的Z坐标"},
                                {"该点的X坐标", "该点的Y坐标", "该点的Z坐标"}};
    for (int k = 0; k < 3; ++k) {
        SetDlgItemText(IDC_AX_LABEL_X + k, labels[point][k]);
        Enable(this, IDC_AX_UNIT_X + k, !point);
    }
    SetDlgItemText(IDC_AX_PICK, point ? "捕捉一个点以确定该点的坐标" : "捕捉两个点以确定选定轴的方向");
}

void CFrameLocalAxisDlg::OnChanged()
{
    OnDataChanged();
    Refresh();
}

void CFrameLocalAxisDlg::OnUnit(UINT id)
{
    for (int k = 0; k < 3; ++k) theFrameAxisPara.direction[k] = int(id - IDC_AX_UNIT_X) == k ? 1 : 0;
    UpdateData(FALSE);
}

void CFrameLocalAxisDlg::OnPick()
{
    OnDataChanged();
    auto* op = new CSingleOperate;
    const bool point = theFrameAxisPara.pointInPlane != 0;
    op->SetPickPoints(
        407,
        point ? [](CSingleOperate* o) {
            // One point: its coordinates themselves.
            auto* dlg = static_cast<CWnd*>(o->m_pOwner);
            if (o->PointCount() >= 1 && dlg && ::IsWindow(dlg->m_hWnd))
                dlg->SendMessage(CSingleOperate::kDirectionMessage, 0, reinterpret_cast<LPARAM>(o->Point(0)));
        }
              : PickDirectionCallback,
        point ? 1 : 2, 0);
    op->m_strPrompt = point ? "请捕捉梁柱局部坐标轴与梁柱形成的平面上的某个点, Esc退出!"
                            : "请捕捉两个点定义选定坐标轴的方向, Esc退出!";
    op->m_pOwner = this;
    theOperationStack.BeginOperation(op, 0, 0, 0);
}

LRESULT CFrameLocalAxisDlg::OnPicked(WPARAM, LPARAM lp)
{
    const auto* d = reinterpret_cast<const double*>(lp);
    if (!d) return 0;
    std::copy(d, d + 3, theFrameAxisPara.direction);
    UpdateData(FALSE);
    return 0;
}

// ---- columns --------------------------------------------------------------------------

// clang-format off
BEGIN_MESSAGE_MAP(CColumnParaDlg, CModelessDialog)
    ON_EN_KILLFOCUS(IDC_COL_ANGLE, &CColumnParaDlg::OnChanged)
    ON_EN_KILLFOCUS(IDC_COL_EXTENT, &CColumnParaDlg::OnChanged)
    ON_BN_CLICKED(IDC_COL_AT_NODES, &CColumnParaDlg::OnChanged)
    ON_BN_CLICKED(IDC_COL_AT_GRID, &CColumnParaDlg::OnChanged)
    ON_BN_CLICKED(IDC_COL_PICK, &CColumnParaDlg::OnPick)
END_MESSAGE_MAP()
// clang-format on

CColumnParaDlg::CColumnParaDlg(CWnd* parent) : CModelessDialog(IDD_COLUMN_PARA, parent) {}

BOOL CColumnParaDlg::OnInitDialog()
{
    CModelessDialog::OnInitDialog();
    if (theProjectOptions.nCurrentCommand != 81) {
        GetDlgItem(IDC_COL_EXTENT)->ShowWindow(SW_HIDE);
        GetDlgItem(IDC_COL_EXTENT_LABEL)->ShowWindow(SW_HIDE);
        CutBelow(this, IDC_COL_AT_NODES);
    } else {
        SetDlgItemText(IDC_COL_EXTENT_LABEL, theLevels.count > 0 ? "向下的层数" : "向下的高度");
    }
    return TRUE;
}

void CColumnParaDlg::DoDataExchange(CDataExchange* dx)
{
    CFrameGeneration& g = theFrameGeneration;
    CColumnWindowInput& w = theColumnWindowInput;
    const bool storeys = theLevels.count > 0;
    int nodes = w.atNodes, grid = w.atGridPoints;
    DDX_Text(dx, IDC_COL_ANGLE, theColumnAngleDegrees);
    DDX_Check(dx, IDC_COL_AT_NODES, nodes);
    DDX_Check(dx, IDC_COL_AT_GRID, grid);
    if (!dx->m_bSaveAndValidate) m_extent = storeys ? double(w.storeysDown) : g.columnHeight;
    if (theProjectOptions.nCurrentCommand == 81) DDX_Text(dx, IDC_COL_EXTENT, m_extent);
    if (!dx->m_bSaveAndValidate) return;
    w.atNodes = uint8_t(nodes != 0);
    w.atGridPoints = uint8_t(grid != 0);
    if (theProjectOptions.nCurrentCommand != 81) return;
    if (m_extent < 0) AppMessageBox("输入了负数, 生成的柱子将向上延伸!");
    if (storeys) {
        w.storeysDown = int16_t(std::clamp(m_extent, -32768.0, 32767.0));
        if (w.storeysDown == 0) w.storeysDown = 1;
    } else {
        g.columnHeight = m_extent;
        if (std::fabs(g.columnHeight) < theProjectOptions.fVertNodeSpacing) g.columnHeight = 3.0;
    }
}

void CColumnParaDlg::OnChanged()
{
    OnDataChanged();
}

void CColumnParaDlg::OnPick()
{
    auto* op = new CSingleOperate;
    op->SetPickPoints(
        407,
        [](CSingleOperate* o) {
            double p[2][3];
            if (o->SetInputPoints(p, 2) < 2) return;
            theColumnAngleDegrees = std::atan2(p[1][1] - p[0][1], p[1][0] - p[0][0]) * 57.29577951308232;
            auto* dlg = static_cast<CWnd*>(o->m_pOwner);
            if (dlg && ::IsWindow(dlg->m_hWnd)) dlg->UpdateData(FALSE);
        },
        2, 0);
    op->m_strPrompt = "请捕捉两个点用以确定一个角度值";
    op->m_pOwner = this;
    theOperationStack.BeginOperation(op, 0, 0, 0);
}

// ---- beams or columns -----------------------------------------------------------------

bool CanChooseBeamOrColumn()
{
    return theLevels.count > 0 && theViewProjection.GetMode() == 1;
}

void ApplyBeamColumnPicks()
{
    if (!CanChooseBeamOrColumn()) nBeamPick = nColumnPick = 1;
    theSelectFilter.SetFlag(CSelectFilter::kBeams, nBeamPick != 0);
    theSelectFilter.SetFlag(CSelectFilter::kColumns, nColumnPick != 0);
}

// clang-format off
BEGIN_MESSAGE_MAP(CFrColSelDlg, CModelessDialog)
    ON_BN_CLICKED(IDC_SEL_BEAMS, &CFrColSelDlg::OnChanged)
    ON_BN_CLICKED(IDC_SEL_COLUMNS, &CFrColSelDlg::OnChanged)
END_MESSAGE_MAP()
// clang-format on

CFrColSelDlg::CFrColSelDlg(CWnd* parent) : CModelessDialog(IDD_FR_COL_SEL, parent)
{
    theSelectFilter.Clear();
    ApplyBeamColumnPicks();
}

BOOL CFrColSelDlg::OnInitDialog()
{
    CModelessDialog::OnInitDialog();
    const bool can = CanChooseBeamOrColumn();
    Enable(this, IDC_SEL_BEAMS, can);
    Enable(this, IDC_SEL_COLUMNS, can);
    return TRUE;
}

void CFrColSelDlg::DoDataExchange(CDataExchange* dx)
{
    DDX_Check(dx, IDC_SEL_BEAMS, nBeamPick);
    DDX_Check(dx, IDC_SEL_COLUMNS, nColumnPick);
    if (dx->m_bSaveAndValidate) ApplyBeamColumnPicks();
}

void CFrColSelDlg::OnChanged()
{
    OnDataChanged();
}

// ---- output sections ------------------------------------------------------------------

// clang-format off
BEGIN_MESSAGE_MAP(CForceInterDlg, CModelessDialog)
    ON_CBN_SELCHANGE(IDC_FI_COUNT, &CForceInterDlg::OnChanged)
    ON_BN_CLICKED(IDC_FI_AUTO, &CForceInterDlg::OnAuto)
END_MESSAGE_MAP()
// clang-format on

CForceInterDlg::CForceInterDlg(CWnd* parent) : CModelessDialog(IDD_FORCE_INTER, parent)
{
    if (nFrameOutputSections < 2 || nFrameOutputSections > 11) nFrameOutputSections = 2;
}

BOOL CForceInterDlg::OnInitDialog()
{
    if (CComboBox* c = static_cast<CComboBox*>(GetDlgItem(IDC_FI_COUNT)))
        for (int n = 2; n <= 11; ++n) {
            char text[8];
            std::snprintf(text, sizeof text, "%d", n);
            c->AddString(text);
        }
    return CModelessDialog::OnInitDialog();
}

void CForceInterDlg::DoDataExchange(CDataExchange* dx)
{
    int index = nFrameOutputSections - 2;
    DDX_CBIndex(dx, IDC_FI_COUNT, index);
    if (dx->m_bSaveAndValidate && index >= 0 && index <= 9) nFrameOutputSections = index + 2;
}

void CForceInterDlg::OnChanged()
{
    OnDataChanged();
}

void CForceInterDlg::OnAuto()
{
    CString value = "1.0";
    if (AppPromptValue("请输入内力输出截面的大致间距:", value) != 1) return;
    SetOutputSectionsBySpacing(std::atof(value));
}

// ---- cables ---------------------------------------------------------------------------

// clang-format off
BEGIN_MESSAGE_MAP(CTightWireDlg, CModelessDialog)
    ON_EN_KILLFOCUS(IDC_TW_DI, &CTightWireDlg::OnChanged)
    ON_EN_KILLFOCUS(IDC_TW_DC, &CTightWireDlg::OnChanged)
    ON_EN_KILLFOCUS(IDC_TW_DJ, &CTightWireDlg::OnChanged)
    ON_EN_KILLFOCUS(IDC_TW_T, &CTightWireDlg::OnChanged)
    ON_BN_CLICKED(IDC_TW_ADD, &CTightWireDlg::OnChanged)
    ON_BN_CLICKED(IDC_TW_REMOVE, &CTightWireDlg::OnChanged)
    ON_WM_PAINT()
END_MESSAGE_MAP()
// clang-format on

CTightWireDlg::CTightWireDlg(CWnd* parent) : CModelessDialog(IDD_TIGHT_WIRE, parent)
{
    m_action = theTightWireParameter.m_cMode == 2 ? 1 : 0;
    char path[260];
    m_picture.Load(GetResourcePath("tightwirepic.gif", path));
}

void CTightWireDlg::DoDataExchange(CDataExchange* dx)
{
    CTightWire& w = theTightWireParameter.m_wire;
    DDX_Text(dx, IDC_TW_DI, w.m_fDi);
    DDX_Text(dx, IDC_TW_DC, w.m_fDc);
    DDX_Text(dx, IDC_TW_DJ, w.m_fDj);
    DDX_Text(dx, IDC_TW_T, w.m_fT);
    DDX_Radio(dx, IDC_TW_ADD, m_action);
    if (!dx->m_bSaveAndValidate) return;
    if (w.m_fT < -1e-7f) w.m_fT = -w.m_fT;
    theTightWireParameter.m_cMode = char(m_action + 1);
}

void CTightWireDlg::OnChanged()
{
    OnDataChanged();
}

void CTightWireDlg::OnPaint()
{
    CPaintDC dc(this);
    m_picture.DrawAtDlgItem(m_hWnd, 0, IDC_TW_PICTURE, 1);
}

// ---- temperatures ---------------------------------------------------------------------

// clang-format off
BEGIN_MESSAGE_MAP(CFrameTempDlg, CModelessDialog)
    ON_CONTROL_RANGE(EN_KILLFOCUS, IDC_FT_T1, IDC_FT_PRESTRESS, &CFrameTempDlg::OnRange)
END_MESSAGE_MAP()
// clang-format on

CFrameTempDlg::CFrameTempDlg(CWnd* parent) : CModelessDialog(IDD_FRAME_TEMP, parent) {}

BOOL CFrameTempDlg::OnInitDialog()
{
    CModelessDialog::OnInitDialog();
    if (theProjectOptions.bPlaneModel) {
        Enable(this, IDC_FT_T3, false);
        Enable(this, IDC_FT_T3_LABEL, false);
        SetDlgItemText(IDC_FT_T2_LABEL, "沿截面的温度梯度(温差)T2");
    }
    return TRUE;
}

void CFrameTempDlg::DoDataExchange(CDataExchange* dx)
{
    CFrameDefaults& in = theFrameDefaults;
    DDX_Text(dx, IDC_FT_PRESTRESS, in.m_fPrestress);
    DDX_Text(dx, IDC_FT_T1, in.m_fTemp[0]);
    DDX_Text(dx, IDC_FT_T2, in.m_fTemp[1]);
    DDX_Text(dx, IDC_FT_T3, in.m_fTemp[2]);
}

void CFrameTempDlg::OnRange(UINT)
{
    OnChanged();
}

void CFrameTempDlg::OnChanged()
{
    OnDataChanged();
}

// ---- rigid ends and eccentricities ----------------------------------------------------

// clang-format off
BEGIN_MESSAGE_MAP(CStiffEccDlg, CModelessDialog)
    ON_EN_KILLFOCUS(IDC_SE_RIGID_I, &CStiffEccDlg::OnChanged)
    ON_EN_KILLFOCUS(IDC_SE_RIGID_J, &CStiffEccDlg::OnChanged)
    ON_EN_KILLFOCUS(IDC_SE_J2, &CStiffEccDlg::OnChanged)
    ON_EN_KILLFOCUS(IDC_SE_J3, &CStiffEccDlg::OnChanged)
    ON_EN_KILLFOCUS(IDC_SE_I2, &CStiffEccDlg::OnCopy2)
    ON_EN_KILLFOCUS(IDC_SE_I3, &CStiffEccDlg::OnCopy3)
    ON_BN_CLICKED(IDC_SE_ALL, &CStiffEccDlg::OnAlignAll)
    ON_BN_CLICKED(IDC_SE_SHOWN, &CStiffEccDlg::OnAlignShown)
END_MESSAGE_MAP()
// clang-format on

CStiffEccDlg::CStiffEccDlg(CWnd* parent) : CModelessDialog(IDD_STIFF_ECC, parent) {}

BOOL CStiffEccDlg::OnInitDialog()
{
    CModelessDialog::OnInitDialog();
    if (theProjectOptions.bPlaneModel) {
        Enable(this, IDC_SE_I3, false);
        Enable(this, IDC_SE_J3, false);
    }
    if (theLevels.count == 0) CutBelow(this, IDC_SE_J2);
    return TRUE;
}

void CStiffEccDlg::DoDataExchange(CDataExchange* dx)
{
    CFrameDefaults& in = theFrameDefaults;
    DDX_Text(dx, IDC_SE_RIGID_I, in.m_fRigid[0]);
    DDX_Text(dx, IDC_SE_RIGID_J, in.m_fRigid[1]);
    DDX_Text(dx, IDC_SE_I2, in.m_fEcc[0]);
    DDX_Text(dx, IDC_SE_I3, in.m_fEcc[1]);
    DDX_Text(dx, IDC_SE_J2, in.m_fEcc[2]);
    DDX_Text(dx, IDC_SE_J3, in.m_fEcc[3]);
}

void CStiffEccDlg::OnChanged()
{
    OnDataChanged();
}

void CStiffEccDlg::OnCopy2()
{
    if (!UpdateData(TRUE)) return;
    theFrameDefaults.m_fEcc[2] = theFrameDefaults.m_fEcc[0];
    UpdateData(FALSE);
}

void CStiffEccDlg::OnCopy3()
{
    if (!UpdateData(TRUE)) return;
    theFrameDefaults.m_fEcc[3] = theFrameDefaults.m_fEcc[1];
    UpdateData(FALSE);
}

void CStiffEccDlg::OnAlignAll()
{
    if (SetBeamTopEccentricityHook) SetBeamTopEccentricityHook(0);
}

void CStiffEccDlg::OnAlignShown()
{
    if (SetBeamTopEccentricityHook) SetBeamTopEccentricityHook(1);
}

// ---- axial-force type -----------------------------------------------------------------

// clang-format off
BEGIN_MESSAGE_MAP(CAxisForceTypeDlg, CModelessDialog)
    ON_BN_CLICKED(IDC_AF_ORDINARY, &CAxisForceTypeDlg::OnChanged)
    ON_BN_CLICKED(IDC_AF_TENSION, &CAxisForceTypeDlg::OnChanged)
    ON_BN_CLICKED(IDC_AF_COMPRESSION, &CAxisForceTypeDlg::OnChanged)
END_MESSAGE_MAP()
// clang-format on

CAxisForceTypeDlg::CAxisForceTypeDlg(CWnd* parent) : CModelessDialog(IDD_AXIS_FORCE_TYPE, parent) {}

void CAxisForceTypeDlg::DoDataExchange(CDataExchange* dx)
{
    int type = theFrameDefaults.m_nAxialType;
    DDX_Radio(dx, IDC_AF_ORDINARY, type);
    if (dx->m_bSaveAndValidate && type >= 0) theFrameDefaults.m_nAxialType = type;
}

void CAxisForceTypeDlg::OnChanged()
{
    OnDataChanged();
}

// ---- the openers ----------------------------------------------------------------------

namespace {

template <class Dlg>
CModelessDialog* Open(UINT id, bool closeOthers)
{
    if (closeOthers) theModelessDlgs.CloseAll();
    auto* dlg = new Dlg(AfxGetMainWnd());
    if (!dlg->Create(id, AfxGetMainWnd())) {
        if (!CWnd::LastCreateDestroyedObject()) delete dlg;
        return nullptr;
    }
    theModelessDlgs.Add(dlg);
    return dlg;
}

struct PanelRow {
    const char* name;
    CModelessDialog* (*open)(int arg);
};

const PanelRow kPanels[] = {
    {"releases", [](int) { return Open<CFrameReleaseDlg>(IDD_FRAME_RELEASE, false); }},
    {"localAxis", [](int) { return Open<CFrameLocalAxisDlg>(IDD_FRAME_LOCAL_AXIS, false); }},
    {"column", [](int) { return Open<CColumnParaDlg>(IDD_COLUMN_PARA, false); }},
    {"frameColumnChooser",
     [](int arg) {
         // Without storeys the selection takes beams and columns directly.
         if (theLevels.count == 0) {
             nBeamPick = nColumnPick = 1;
             ApplyBeamColumnPicks();
             return static_cast<CModelessDialog*>(nullptr);
         }
         return Open<CFrColSelDlg>(IDD_FR_COL_SEL, arg == 1);
     }},
    {"forceSections", [](int) { return Open<CForceInterDlg>(IDD_FORCE_INTER, false); }},
    {"cable", [](int) { return Open<CTightWireDlg>(IDD_TIGHT_WIRE, true); }},
    {"memberTemperature", [](int) { return Open<CFrameTempDlg>(IDD_FRAME_TEMP, false); }},
    {"rigidEnds", [](int) { return Open<CStiffEccDlg>(IDD_STIFF_ECC, false); }},
    {"tensionOnly", [](int) { return Open<CAxisForceTypeDlg>(IDD_AXIS_FORCE_TYPE, false); }},
};

}  // namespace

CModelessDialog* OpenFramePanel(const char* name, int arg)
{
    for (const PanelRow& row : kPanels)
        if (std::strcmp(row.name, name) == 0) return row.open(arg);
    return nullptr;
}

void BindFramePanels()
{
    // Each slot opens its row of the table above, found by the slot's name.
    RegisterPanel("releases", [](int a) { OpenFramePanel("releases", a); });
    RegisterPanel("localAxis", [](int a) { OpenFramePanel("localAxis", a); });
    RegisterPanel("column", [](int a) { OpenFramePanel("column", a); });
    RegisterPanel("frameColumnChooser", [](int a) { OpenFramePanel("frameColumnChooser", a); });
    RegisterPanel("forceSections", [](int a) { OpenFramePanel("forceSections", a); });
    RegisterPanel("cable", [](int a) { OpenFramePanel("cable", a); });
    RegisterPanel("memberTemperature", [](int a) { OpenFramePanel("memberTemperature", a); });
    RegisterPanel("rigidEnds", [](int a) { OpenFramePanel("rigidEnds", a); });
    RegisterPanel("tensionOnly", [](int a) { OpenFramePanel("tensionOnly", a); });
    RegisterPanel("memberLoads", [](int) { ShowFrameLoadParaPanel(false); });
    SetBeamTopEccentricityHook = [](int onlyShown) { SetBeamTopEccentricity(onlyShown); };
}
