#include "vek/dialogs/AxisEditDlg.h"

#include <cstdio>

#include "vek/app/EditDialog.h"
#include "vek/dialogs/TwoColumnTable.h"
#include "vek/model/ProjectOptions.h"
#include "vek/res/ModelParamsRes.h"
#include "vek/view/ViewProjection.h"

namespace {
constexpr UINT kTableIds[2] = {502, 503};
constexpr int kGridFields[] = {IDC_AX_ORTHOGONAL, IDC_AX_POLAR, IDC_AX_ECCENTRIC, IDC_AX_X,
                               IDC_AX_Y,          IDC_AX_ANGLE, IDC_AX_SHOW,      IDC_AX_DELETE};
}  // namespace

IMPLEMENT_DYNAMIC(CAxisEditDlg, CMyDialog)

BEGIN_MESSAGE_MAP(CAxisEditDlg, CMyDialog)
ON_BN_CLICKED(IDC_AX_ORTHOGONAL, &CAxisEditDlg::OnOrthogonalGrid)
ON_BN_CLICKED(IDC_AX_POLAR, &CAxisEditDlg::OnPolarGrid)
ON_BN_CLICKED(IDC_AX_ECCENTRIC, &CAxisEditDlg::OnEccentricPolarGrid)
ON_CBN_SELCHANGE(IDC_AX_NAME, &CAxisEditDlg::OnGridChosen)
ON_BN_CLICKED(IDC_AX_ADD, &CAxisEditDlg::OnAddGrid)
ON_BN_CLICKED(IDC_AX_DELETE, &CAxisEditDlg::OnDeleteGrid)
END_MESSAGE_MAP()

CAxisEditDlg::CAxisEditDlg(CWnd* parent) : CMyDialog(IDD_AXIS_EDIT, parent)
{
    m_drafts.CopyFrom(theAxisGrids);
    m_validOnElevations = theProjectOptions.bAxisGridsInElevations ? 1 : 0;
}

CAxisEditDlg::~CAxisEditDlg()
{
    for (CTableTwoCol*& t : m_tables) {
        if (t && t->m_hWnd) t->DestroyWindow();
        delete t;
        t = nullptr;
    }
}

BOOL CAxisEditDlg::OnInitDialog()
{
    CMyDialog::OnInitDialog();
    for (int k = 0; k < 2; ++k) {
        m_tables[k] = MakeTwoColumnTable(this, k == 0 ? IDC_AX_FIRST_TABLE : IDC_AX_SECOND_TABLE, kTableIds[k],
                                         "轴线号", "与前一轴线间距", 0.5);
        if (!m_tables[k]) {
            EndDialog(IDCANCEL);
            return TRUE;
        }
    }
    if (theProjectOptions.bPlaneModel) GetDlgItem(IDC_AX_ELEVATIONS)->ShowWindow(SW_HIDE);
    FillNames();
    ShowGrid();
    return TRUE;
}

void CAxisEditDlg::DoDataExchange(CDataExchange* dx)
{
    DDX_Check(dx, IDC_AX_ELEVATIONS, m_validOnElevations);
    if (m_drafts.m_current < 0) return;
    DDX_Radio(dx, IDC_AX_ORTHOGONAL, m_fields.kind);
    DDX_Text(dx, IDC_AX_X, m_fields.x);
    DDX_Text(dx, IDC_AX_Y, m_fields.y);
    DDX_Text(dx, IDC_AX_ANGLE, m_fields.angle);
    DDX_Text(dx, IDC_AX_DX, m_fields.dx);
    DDX_Text(dx, IDC_AX_DY, m_fields.dy);
    DDX_Check(dx, IDC_AX_SHOW, m_fields.show);
}

void CAxisEditDlg::FillNames()
{
    CComboBox* names = static_cast<CComboBox*>(GetDlgItem(IDC_AX_NAME));
    names->SendMessage(CB_RESETCONTENT);
    for (int i = 0; i < m_drafts.Count(); ++i)
        names->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(m_drafts.At(i)->GetName()));
    names->SendMessage(CB_SETCURSEL, WPARAM(m_drafts.m_current));
}

void CAxisEditDlg::ShowGrid()
{
    CAxisGrid* grid = m_drafts.At(m_drafts.m_current);
    const bool any = grid != nullptr;
    for (int id : kGridFields) GetDlgItem(id)->EnableWindow(any);
    for (CTableTwoCol* t : m_tables) {
        t->m_items.SetSize(0);
        t->EnableWindow(any);
    }
    if (grid) {
        m_fields = axisedit::FieldsOf(*grid);
        grid->GetTables(m_tables[0]->m_items, m_tables[1]->m_items);
    } else {
        m_fields = axisedit::CGridFields();
    }
    for (CTableTwoCol* t : m_tables) ShowTableItems(*t);
    UpdateData(FALSE);
    if (!any)
        for (int id : {IDC_AX_X, IDC_AX_Y, IDC_AX_ANGLE, IDC_AX_DX, IDC_AX_DY}) SetDlgItemText(id, "");
    Relabel(m_fields.kind);
}

bool CAxisEditDlg::StoreGrid()
{
    if (!UpdateData(TRUE)) return false;
    CAxisGrid* grid = m_drafts.At(m_drafts.m_current);
    if (!grid) return true;
    axisedit::StoreFields(m_fields, *grid);
    for (CTableTwoCol* t : m_tables)
        if (!t->UpdateData(1)) return false;
    if (!grid->SetFromTables(m_tables[0]->m_items, m_tables[1]->m_items)) {
        AfxMessageBox("轴线太多，无法保存这个轴网。");
        return false;
    }
    return true;
}

void CAxisEditDlg::Relabel(int kind)
{
    const char* first = nullptr;
    const char* second = nullptr;
    axisedit::TableCaptions(kind, theProjectOptions.bPlaneModel != 0, first, second);
    SetDlgItemText(IDC_AX_FIRST_LABEL, first);
    SetDlgItemText(IDC_AX_SECOND_LABEL, second);
    const bool eccentric = kind == CAxisGrid::kEccentric && m_drafts.m_current >= 0;
    GetDlgItem(IDC_AX_DX)->EnableWindow(eccentric);
    GetDlgItem(IDC_AX_DY)->EnableWindow(eccentric);
}

void CAxisEditDlg::OnOrthogonalGrid()
{
    Relabel(CAxisGrid::kRectangular);
}

void CAxisEditDlg::OnPolarGrid()
{
    Relabel(CAxisGrid::kPolar);
}

void CAxisEditDlg::OnEccentricPolarGrid()
{
    Relabel(CAxisGrid::kEccentric);
}

void CAxisEditDlg::OnGridChosen()
{
    const int chosen = int(GetDlgItem(IDC_AX_NAME)->SendMessage(CB_GETCURSEL));
    if (chosen < 0 || chosen == m_drafts.m_current) return;
    if (!StoreGrid()) {
        GetDlgItem(IDC_AX_NAME)->SendMessage(CB_SETCURSEL, WPARAM(m_drafts.m_current));
        return;
    }
    m_drafts.m_current = chosen;
    ShowGrid();
}

void CAxisEditDlg::OnAddGrid()
{
    if (m_drafts.Count() >= CAxisGridList::kMaxGrids) {
        AfxMessageBox("轴网总数不能超过20，无法建立新的轴网。");
        return;
    }
    CString name;
    EditSlot slot;
    slot.text = &name;
    const BYTE kinds[1] = {CEditDialog::kText};
    const char* const labels[1] = {"新建轴网的轴网名："};
    CEditDialog ask(this);
    ask.SetParams(&slot, kinds, 1, "输入轴网名对话框", labels);
    if (ask.DoModal() != IDOK || name.IsEmpty()) return;
    if (!StoreGrid()) return;
    m_drafts.Add(name);
    FillNames();
    ShowGrid();
}

void CAxisEditDlg::OnDeleteGrid()
{
    const int i = m_drafts.m_current;
    if (!m_drafts.At(i)) return;
    CString question;
    question.Format("是否要删除第%d号轴网：%s？", i + 1, m_drafts.At(i)->GetName());
    if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    m_drafts.Remove(i);
    FillNames();
    ShowGrid();
}

void CAxisEditDlg::OnOK()
{
    if (!StoreGrid()) return;
    m_drafts.Apply(m_validOnElevations != 0, theProjectOptions.bPlaneModel != 0);
    theViewProjection.ZoomExtents(1, 0, 0);
    EndDialog(IDOK);
}

bool RunAxisEditDialog()
{
    CAxisEditDlg dlg(AfxGetMainWnd());
    return dlg.DoModal() == IDOK;
}
