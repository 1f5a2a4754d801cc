#include "vek/dialogs/frames/FrameLoadParaDlg.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "korvalib/model/CommonData.h"
#include "vek/elements/line/frames/FrameDefaults.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/expr/Expression.h"
#include "vek/res/FramePanelsRes.h"
#include "vek/view/operate/OperationStack.h"
#include "vek/view/operate/SingleOperate.h"

namespace {

constexpr int kMaxExpressionPoints = 20;

bool ParseNumber(const char* text, double& out)
{
    while (*text == ' ') ++text;
    if (!*text) return false;
    char* end = nullptr;
    out = std::strtod(text, &end);
    while (end && *end == ' ') ++end;
    return end && !*end;
}

}  // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CFrameLoadParaDlg, CMyDialog)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_FL_TYPE1, IDC_FL_TYPE3, &CFrameLoadParaDlg::OnRange)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_FL_DIR_X, IDC_FL_DELETE_ALL, &CFrameLoadParaDlg::OnRange)
    ON_BN_CLICKED(IDC_FL_INTERPOLATE, &CFrameLoadParaDlg::OnChanged)
    ON_EN_KILLFOCUS(IDC_FL_EXPRESSION, &CFrameLoadParaDlg::OnChanged)
    ON_EN_CHANGE(IDC_FL_SIMPLE, &CFrameLoadParaDlg::OnSimpleInput)
    ON_BN_CLICKED(IDC_FL_PICK, &CFrameLoadParaDlg::OnPick)
END_MESSAGE_MAP()
// clang-format on

CFrameLoadParaDlg::CFrameLoadParaDlg(CWnd* parent) : CMyDialog(IDD_FRAME_LOAD_PARA, parent), m_grid(11, 3)
{
    const CFrameLoadPara& p = theFrameDefaults.m_Load;
    m_type = std::clamp(int(p.m_nType), 1, 3) - 1;
    m_direction = std::clamp(int(p.m_nDirection), 1, 6) - 1;
    m_measure = p.m_nMeasure ? 1 : 0;
    m_action = std::clamp(int(p.m_nOperation), 1, 5) - 1;
    m_interpolate = p.m_bInterpolate ? 1 : 0;
    std::memcpy(m_points, p.m_dInterp, sizeof m_points);
    std::copy(p.m_fInterpValue, p.m_fInterpValue + 2, m_values);
    m_expression = p.m_sExpression.c_str();
    m_count = p.m_nExpressionPoints;
}

BOOL CFrameLoadParaDlg::OnInitDialog()
{
    CMyDialog::OnInitDialog();
    CRect r;
    GetDlgItem(IDC_FL_GRID_FRAME)->GetWindowRect(&r);
    ScreenToClient(&r);
    m_grid.Create(r, this, IDC_FL_GRID);
    m_grid.SetCellText(0, 1, "作用位置");
    m_grid.SetCellText(0, 2, "荷载值");
    const DLoadPoints& p = theFrameDefaults.m_Load.m_Points;
    std::vector<double> x(size_t(p.m_sCount)), v(size_t(p.m_sCount));
    for (int k = 0; k < p.m_sCount; ++k) x[size_t(k)] = p.m_pX[k], v[size_t(k)] = p.m_pV[k];
    FillGrid(p.m_sCount, x.data(), v.data());
    if (theProjectOptions.bPlaneModel) {
        GetDlgItem(IDC_FL_DIR_X)->EnableWindow(FALSE);
        GetDlgItem(IDC_FL_DIR_3)->EnableWindow(FALSE);
    }
    Refresh();
    return TRUE;
}

void CFrameLoadParaDlg::FillGrid(int n, const double* x, const double* v)
{
    m_grid.ResizeRows(std::max(n + 5, 11));
    for (int row = 1; row < m_grid.GetTable().GetRowCount(); ++row) {
        char a[32] = "", b[32] = "";
        if (row <= n) {
            std::snprintf(a, sizeof a, "%g", x[row - 1]);
            std::snprintf(b, sizeof b, "%g", v[row - 1]);
        }
        m_grid.SetCellText(row, 1, a);
        m_grid.SetCellText(row, 2, b);
    }
    if (m_grid.GetSafeHwnd()) m_grid.Invalidate();
}

void CFrameLoadParaDlg::DoDataExchange(CDataExchange* dx)
{
    DDX_Radio(dx, IDC_FL_TYPE1, m_type);
    DDX_Radio(dx, IDC_FL_DIR_X, m_direction);
    DDX_Radio(dx, IDC_FL_PER_LENGTH, m_measure);
    DDX_Radio(dx, IDC_FL_REPLACE, m_action);
    DDX_Check(dx, IDC_FL_INTERPOLATE, m_interpolate);
    for (int k = 0; k < 3; ++k) {
        DDX_Text(dx, IDC_FL_P1X + k, m_points[0][k]);
        DDX_Text(dx, IDC_FL_P1X + 3 + k, m_points[1][k]);
    }
    DDX_Text(dx, IDC_FL_VALUE1, m_values[0]);
    DDX_Text(dx, IDC_FL_VALUE2, m_values[1]);
    DDX_Text(dx, IDC_FL_EXPRESSION, m_expression);
    DDX_Text(dx, IDC_FL_POINTS, m_count);
    DDV_MinMaxInt(dx, m_count, 0, 1000000);
}

void CFrameLoadParaDlg::Refresh()
{
    const bool values = m_action <= 2;
    const bool lineLoad = m_type == 0;
    const bool interpolate = lineLoad && m_interpolate && values;
    const bool expression = lineLoad && !interpolate && !m_expression.IsEmpty();
    const bool gridOn = values && !interpolate && !expression;
    auto enable = [this](int id, bool on) {
        if (CWnd* w = id == IDC_FL_GRID ? &m_grid : GetDlgItem(id)) w->EnableWindow(on);
    };
    enable(IDC_FL_GRID, gridOn);
    enable(IDC_FL_RULE, gridOn);
    enable(IDC_FL_SIMPLE, gridOn && lineLoad);
    enable(IDC_FL_EXPRESSION, values && lineLoad && !interpolate);
    enable(IDC_FL_POINTS, values && lineLoad && !interpolate);
    enable(IDC_FL_INTERPOLATE, lineLoad && values);
    for (int id : {IDC_FL_P1X, IDC_FL_P1X + 1, IDC_FL_P1X + 2, IDC_FL_P1X + 3, IDC_FL_P1X + 4, IDC_FL_P2Z,
                   IDC_FL_VALUE1, IDC_FL_VALUE2, IDC_FL_PICK})
        enable(id, interpolate);
}

void CFrameLoadParaDlg::OnRange(UINT)
{
    OnChanged();
}

void CFrameLoadParaDlg::OnChanged()
{
    if (UpdateData(TRUE)) Refresh();
}

void CFrameLoadParaDlg::OnSimpleInput()
{
    CString text;
    GetDlgItemText(IDC_FL_SIMPLE, text);
    const char* s = text;
    const char* digit = std::strpbrk(s, "0123456789");
    if (!digit) return;
    // A uniform load q over the whole member.
    const double q = std::atof(s);
    const double x[2] = {0, -1}, v[2] = {q, q};
    FillGrid(2, x, v);
}

bool CFrameLoadParaDlg::ReadRows(std::vector<double>& x, std::vector<double>& v)
{
    x.clear();
    v.clear();
    bool distance = false, relative = false;
    for (int row = 1; row < m_grid.GetTable().GetRowCount(); ++row) {
        char a[64] = "", b[64] = "";
        m_grid.GetCellText(row, 1, a, sizeof a);
        m_grid.GetCellText(row, 2, b, sizeof b);
        double p = 0, q = 0;
        const bool hasA = ParseNumber(a, p), hasB = ParseNumber(b, q);
        if (!a[strspn(a, " ")] && !b[strspn(b, " ")]) continue;
        if (!hasA || !hasB) {
            AppMessageBox("作用位置和荷载值必须是数字！");
            return false;
        }
        if (p > LoadError) distance = true;
        if (p < -LoadError) relative = true;
        x.push_back(p);
        v.push_back(q);
    }
    if (distance && relative) {
        AppMessageBox("正负数不能混用！");
        return false;
    }
    return true;
}

void CFrameLoadParaDlg::OnOK()
{
    if (!UpdateData(TRUE)) return;
    std::vector<double> x, v;
    const bool values = m_action <= 2;
    const bool lineLoad = m_type == 0;
    if (!ReadRows(x, v)) return;
    if (lineLoad && values && !m_interpolate && m_expression.IsEmpty() && x.size() < 2) {
        AppMessageBox("折线荷载至少需要两行数据！");
        return;
    }
    CFrameLoadPara& p = theFrameDefaults.m_Load;
    p.m_nType = uint8_t(m_type + 1);
    p.m_nDirection = uint8_t(m_direction + 1);
    p.m_nMeasure = uint8_t(m_measure);
    p.m_nOperation = uint8_t(m_action + 1);
    p.m_bInterpolate = uint8_t(m_interpolate != 0);
    std::memcpy(p.m_dInterp, m_points, sizeof m_points);
    std::copy(m_values, m_values + 2, p.m_fInterpValue);
    p.m_sExpression = m_expression.GetString();
    p.m_nExpressionPoints = m_count;
    p.m_Points.SetPoints(int(x.size()), x.data(), v.data());
    if (lineLoad && values) {
        p.m_nExpressionPoints = std::min<int32_t>(p.m_nExpressionPoints, kMaxExpressionPoints);
        if (!p.m_sExpression.empty()) {
            p.m_bInterpolate = 0;
            CExpression check;
            check.SetExpression(p.m_sExpression.c_str());
            check.Evaluate();
        }
    }
    const bool upward = std::any_of(v.begin(), v.end(), [](double q) { return q > 1e-5; });
    if ((m_type == 0 || m_type == 2) && m_direction == 2 && m_action <= 1 && upward) AppMessageBoxID(120);
    EndDialog(IDOK);
}

void CFrameLoadParaDlg::OnPick()
{
    auto* op = new CSingleOperate;
    op->SetPickPoints(
        407,
        [](CSingleOperate* o) {
            double p[2][3];
            if (o->SetInputPoints(p, 2) < 2) return;
            CFrameLoadPara& in = theFrameDefaults.m_Load;
            std::memcpy(in.m_dInterp, p, sizeof p);
            in.m_bInterpolate = 1;
        },
        2, 0);
    op->m_strPrompt = "请捕捉形成线荷载插值场的两个插值点, Esc退出!";
    if (UpdateData(TRUE)) {
        m_interpolate = 1;
        OnOK();
    }
    theOperationStack.BeginOperation(op, 0, 0, 0);
}
