#include "vek/elements/line/springs/win/SpringDlgs.h"

#include <cstdio>

#include "vek/app/DialogsBar.h"
#include "vek/elements/line/springs/Spring.h"
#include "vek/model/ProjectOptions.h"
#include "vek/res/SpringDialogsRes.h"
#include "vek/view/operate/OperationStack.h"
#include "vek/view/operate/SelectFilter.h"
#include "vek/view/operate/SingleOperate.h"
#include "vek/view/operate/ViewCommands.h"

CGroundSpringDlg* theGroundSpringDlg = nullptr;
CLinkSpringDlg* theLinkSpringDlg = nullptr;

namespace {

void SetUnitText(CWnd* dlg)
{
    char text[128];
    std::snprintf(text, sizeof text, "直弹簧刚度单位=%s/%s,扭转弹簧刚度单位=%s*%s/弧度", strForceUnit, strLengthUnit,
                  strForceUnit, strLengthUnit);
    dlg->SetDlgItemText(IDC_SPRING_UNITS, text);
}

// Type, stiffness and behaviour, shared by both panels; a torsional spring
// takes tension and compression.
void ExchangeCommon(CDataExchange* dx, int& behaviour)
{
    CSpringInput& in = theSpringInput;
    if (!dx->m_bSaveAndValidate) behaviour = in.mode;
    DDX_Radio(dx, IDC_SPRING_STRAIGHT, in.type);
    DDX_Text(dx, IDC_SPRING_STIFFNESS, in.stiffness);
    DDX_Radio(dx, IDC_SPRING_BOTH, behaviour);
    if (!dx->m_bSaveAndValidate) return;
    MakeSpringParaNonNegative();
    if (in.type == 1) behaviour = 0;
    in.mode = static_cast<int8_t>(behaviour);
}

void EnableBehaviour(CWnd* dlg)
{
    for (int id : {IDC_SPRING_BOTH, IDC_SPRING_TENSION, IDC_SPRING_COMPRESSION})
        if (CWnd* w = dlg->GetDlgItem(id)) w->EnableWindow(theSpringInput.type == 0);
}

}  // namespace

// ---- grounded springs -----------------------------------------------------------------

// clang-format off
BEGIN_MESSAGE_MAP(CGroundSpringDlg, CModelessDialog)
    ON_BN_CLICKED(IDC_SPRING_STRAIGHT, &CGroundSpringDlg::OnChanged)
    ON_BN_CLICKED(IDC_SPRING_TORSION, &CGroundSpringDlg::OnChanged)
    ON_BN_CLICKED(IDC_SPRING_BOTH, &CGroundSpringDlg::OnChanged)
    ON_BN_CLICKED(IDC_SPRING_TENSION, &CGroundSpringDlg::OnChanged)
    ON_BN_CLICKED(IDC_SPRING_COMPRESSION, &CGroundSpringDlg::OnChanged)
    ON_BN_CLICKED(IDC_SPRING_ADD, &CGroundSpringDlg::OnChanged)
    ON_BN_CLICKED(IDC_SPRING_REPLACE, &CGroundSpringDlg::OnChanged)
    ON_BN_CLICKED(IDC_SPRING_TO_POINT, &CGroundSpringDlg::OnChanged)
    ON_EN_KILLFOCUS(IDC_SPRING_STIFFNESS, &CGroundSpringDlg::OnChanged)
    ON_EN_KILLFOCUS(IDC_SPRING_DX, &CGroundSpringDlg::OnChanged)
    ON_EN_KILLFOCUS(IDC_SPRING_DY, &CGroundSpringDlg::OnChanged)
    ON_EN_KILLFOCUS(IDC_SPRING_DZ, &CGroundSpringDlg::OnChanged)
    ON_BN_CLICKED(IDC_SPRING_CAPTURE, &CGroundSpringDlg::OnCapture)
    ON_BN_CLICKED(IDC_SPRING_DELETE, &CGroundSpringDlg::OnDelete)
    ON_MESSAGE(CSingleOperate::kDirectionMessage, &CGroundSpringDlg::OnDirectionPicked)
END_MESSAGE_MAP()
// clang-format on

CGroundSpringDlg::CGroundSpringDlg(CWnd* parent) : CModelessDialog(IDD_GROUND_SPRING, parent) {}

BOOL CGroundSpringDlg::OnInitDialog()
{
    CModelessDialog::OnInitDialog();
    SetUnitText(this);
    Refresh();
    return TRUE;
}

void CGroundSpringDlg::DoDataExchange(CDataExchange* dx)
{
    CSpringInput& in = theSpringInput;
    ExchangeCommon(dx, m_behaviour);
    DDX_Radio(dx, IDC_SPRING_ADD, in.replace);
    DDX_Check(dx, IDC_SPRING_TO_POINT, in.towardPoint);
    DDX_Text(dx, IDC_SPRING_DX, in.dir[0]);
    DDX_Text(dx, IDC_SPRING_DY, in.dir[1]);
    DDX_Text(dx, IDC_SPRING_DZ, in.dir[2]);
}

void CGroundSpringDlg::Refresh()
{
    CSpringInput& in = theSpringInput;
    EnableBehaviour(this);
    CWnd* capture = GetDlgItem(IDC_SPRING_CAPTURE);
    if (theProjectOptions.bPlaneModel) {
        // A plane model lies in the Y-Z plane: a torsional spring turns about X.
        const bool torsion = in.type == 1;
        GetDlgItem(IDC_SPRING_DX)->EnableWindow(torsion);
        GetDlgItem(IDC_SPRING_DY)->EnableWindow(!torsion);
        GetDlgItem(IDC_SPRING_DZ)->EnableWindow(!torsion);
        if (torsion) {
            in.dir[0] = 1;
            in.dir[1] = in.dir[2] = 0;
            in.towardPoint = 0;
        } else {
            in.dir[0] = 0;
        }
        capture->ShowWindow(torsion ? SW_HIDE : SW_SHOW);
        UpdateData(FALSE);
    }
    SetDlgItemText(IDC_SPRING_LABEL, in.towardPoint ? "Dx Dy Dz表示弹簧方向所指向的点的坐标:"
                                                    : "Dx Dy Dz表示弹簧所在方向的三个坐标投影:");
    capture->SetWindowText(in.towardPoint ? "捕捉该点" : "捕捉方向");
}

void CGroundSpringDlg::OnChanged()
{
    OnDataChanged();
    Refresh();
}

void CGroundSpringDlg::OnCapture()
{
    OnDataChanged();
    auto* op = new CSingleOperate;
    const bool toPoint = theSpringInput.towardPoint != 0;
    op->SetPickPoints(407, PickDirectionCallback, toPoint ? 1 : 2, 0);
    op->m_strPrompt = toPoint ? "请捕捉弹簧方向所指向的那个点(起始点为弹簧所在的节点)，Esc退出!"
                              : "请捕捉两个点确定接地弹簧的方向，Esc退出!";
    op->m_pOwner = this;
    theOperationStack.BeginOperation(op, 0, 0, 0);
}

LRESULT CGroundSpringDlg::OnDirectionPicked(WPARAM, LPARAM lp)
{
    const auto* d = reinterpret_cast<const double*>(lp);
    if (!d) return 0;
    for (int k = 0; k < 3; ++k) theSpringInput.dir[k] = d[k];
    UpdateData(FALSE);
    Refresh();
    return 0;
}

void CGroundSpringDlg::OnDelete()
{
    DeleteGroundSpringsAtSelected();
}

void CGroundSpringDlg::PostNcDestroy()
{
    if (theGroundSpringDlg == this) theGroundSpringDlg = nullptr;
    CModelessDialog::PostNcDestroy();
}

// ---- link springs -----------------------------------------------------------------------

// clang-format off
BEGIN_MESSAGE_MAP(CLinkSpringDlg, CModelessDialog)
    ON_BN_CLICKED(IDC_SPRING_STRAIGHT, &CLinkSpringDlg::OnChanged)
    ON_BN_CLICKED(IDC_SPRING_TORSION, &CLinkSpringDlg::OnChanged)
    ON_BN_CLICKED(IDC_SPRING_BOTH, &CLinkSpringDlg::OnChanged)
    ON_BN_CLICKED(IDC_SPRING_TENSION, &CLinkSpringDlg::OnChanged)
    ON_BN_CLICKED(IDC_SPRING_COMPRESSION, &CLinkSpringDlg::OnChanged)
    ON_EN_KILLFOCUS(IDC_SPRING_STIFFNESS, &CLinkSpringDlg::OnChanged)
    ON_BN_CLICKED(IDC_SPRING_DELETE, &CLinkSpringDlg::OnDelete)
END_MESSAGE_MAP()
// clang-format on

CLinkSpringDlg::CLinkSpringDlg(CWnd* parent) : CModelessDialog(IDD_LINK_SPRING, parent) {}

BOOL CLinkSpringDlg::OnInitDialog()
{
    CModelessDialog::OnInitDialog();
    SetUnitText(this);
    EnableBehaviour(this);
    return TRUE;
}

void CLinkSpringDlg::DoDataExchange(CDataExchange* dx)
{
    ExchangeCommon(dx, m_behaviour);
}

void CLinkSpringDlg::OnChanged()
{
    OnDataChanged();
    EnableBehaviour(this);
}

void CLinkSpringDlg::OnDelete()
{
    // One selection of nodes, confirmed with Enter, then the operation ends.
    auto* op = new CSingleOperate;
    op->SetSelect(
        59, [](CSingleOperate*) { DeleteLinkSpringsAtSelected(); }, 0, 0);
    op->m_strPrompt = "请选择需要被删除的连接弹簧的一端的节点，然后按Enter键";
    theSelectFilter.SelectNodes(1);
    theOperationStack.BeginOperation(op, 0, 0, 0);
}

void CLinkSpringDlg::PostNcDestroy()
{
    if (theLinkSpringDlg == this) theLinkSpringDlg = nullptr;
    CModelessDialog::PostNcDestroy();
}

// ---- the openers ------------------------------------------------------------------------

namespace {

template <class Dlg>
void Open(Dlg*& open)
{
    if (open && open->GetSafeHwnd()) {
        open->ShowWindow(SW_SHOW);
        return;
    }
    auto* dlg = new Dlg(AfxGetMainWnd());
    if (!dlg->Create(Dlg::kTemplate, AfxGetMainWnd())) {
        delete dlg;
        return;
    }
    open = dlg;
    theModelessDlgs.Add(dlg);
}

}  // namespace

void OpenGroundSpringDlg(int)
{
    Open(theGroundSpringDlg);
}

void OpenLinkSpringDlg(int)
{
    Open(theLinkSpringDlg);
}

namespace {
const bool registered = [] {
    RegisterPanel("groundSprings", OpenGroundSpringDlg);
    RegisterPanel("spring", OpenLinkSpringDlg);
    return true;
}();
}  // namespace
