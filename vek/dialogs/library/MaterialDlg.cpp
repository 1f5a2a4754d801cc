#include "vek/dialogs/library/MaterialDlg.h"

#include <cstdio>
#include <cstdlib>

#include "framework/Collections.h"
#include "korvalib/model/CommonData.h"
#include "vek/dialogs/library/SectLibraryDlg.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/analysis/AnalysisParameters.h"
#include "vek/res/LibraryDialogsRes.h"
#include "vek/res/resource.h"

IMPLEMENT_DYNAMIC(CMaterialDlg, CMyDialog)

BEGIN_MESSAGE_MAP(CMaterialDlg, CMyDialog)
ON_CBN_SELCHANGE(IDC_MAT_NAMES, &CMaterialDlg::OnSelectName)
ON_BN_CLICKED(IDC_LIB_ADD, &CMaterialDlg::OnAdd)
ON_BN_CLICKED(IDC_MAT_RENAME, &CMaterialDlg::OnRename)
ON_BN_CLICKED(IDC_LIB_EXPORT, &CMaterialDlg::OnExport)
ON_EN_CHANGE(IDC_MAT_GRADE, &CMaterialDlg::OnGradeChanged)
ON_CBN_SELCHANGE(IDC_MAT_GRADES, &CMaterialDlg::OnGradeLoader)
ON_CBN_SELCHANGE(IDC_MAT_DEFAULTS, &CMaterialDlg::OnDefaultsLoader)
END_MESSAGE_MAP()

namespace {

const int kBoxes[6] = {IDC_MAT_GRADE, IDC_MAT_E, IDC_MAT_POISSON, IDC_MAT_WEIGHT, IDC_MAT_DENSITY, IDC_MAT_EXPANSION};

}  // namespace

CMaterialDlg::CMaterialDlg(CWnd* parent) : CMyDialog(IDD_MATERIAL_LIBRARY, parent)
{
    m_materials.Copy(theMaterials);
    const int n = m_materials.GetSize();
    const int current = theCurrentProps.material - 1;
    m_nIndex = n == 0 ? -1 : current >= 0 && current < n ? current : n - 1;
}

BOOL CMaterialDlg::OnInitDialog()
{
    CMyDialog::OnInitDialog();
    SetDlgItemText(IDC_MAT_E_LABEL, strElasticPrompt);
    SetDlgItemText(IDC_MAT_WEIGHT_LABEL, strWeightPrompt);
    SetDlgItemText(IDC_MAT_DENSITY_LABEL, strMassPrompt);
    if (CComboBox* grades = static_cast<CComboBox*>(GetDlgItem(IDC_MAT_GRADES))) {
        for (const char* g :
             {"载入混凝土强度等级", "15", "20", "25", "30", "35", "40", "45", "50", "55", "60", "65", "70"})
            grades->AddString(g);
        grades->SetCurSel(0);
    }
    if (CComboBox* loads = static_cast<CComboBox*>(GetDlgItem(IDC_MAT_DEFAULTS))) {
        loads->AddString("载入各种材料的参数");
        loads->AddString("钢");
        loads->SetCurSel(0);
    }
    m_bExchanging = true;
    for (int id : kBoxes) SetDlgItemText(id, "0");
    m_bExchanging = false;
    FillNames();
    UpdateData(FALSE);
    return TRUE;
}

void CMaterialDlg::FillNames()
{
    CComboBox* names = static_cast<CComboBox*>(GetDlgItem(IDC_MAT_NAMES));
    if (!names) return;
    names->ResetContent();
    for (int i = 0; i < m_materials.GetSize(); ++i) names->AddString(m_materials.GetAt(i)->m_pName);
    names->SetCurSel(m_nIndex);
}

void CMaterialDlg::DoDataExchange(CDataExchange* dx)
{
    CMyDialog::DoDataExchange(dx);
    if (m_nIndex < 0 || m_nIndex >= m_materials.GetSize()) return;
    CMaterial& m = *m_materials.GetAt(m_nIndex);
    m_bExchanging = true;
    float* values[6] = {&m.m_fGrade, &m.m_fModulus, &m.m_fConst1, &m.m_fVolWeight, &m.m_fVolMass, &m.m_fConst2};
    for (int i = 0; i < 6; ++i) DDX_Text(dx, kBoxes[i], *values[i]);
    m_bExchanging = false;
    CheckValues();
}

void CMaterialDlg::CheckValues()
{
    const CMaterial& m = *m_materials.GetAt(m_nIndex);
    if (m.m_fConst1 > 1.0f)
        AppMessageBox("泊松比大于1.0!");
    else if (m.m_fConst1 < 1e-10f)
        AppMessageBox("泊松比<=0, 请确认这是您所期望的结果!");
    if (m.m_fModulus < 1e-10f) AppMessageBox("弹性模量<=0, 请输入合理的值!");
}

void CMaterialDlg::SetBox(int id, double v)
{
    char text[40];
    std::snprintf(text, sizeof text, "%g", v);
    SetDlgItemText(id, text);
}

void CMaterialDlg::OnSelectName()
{
    FollowNameList(this, IDC_MAT_NAMES, m_nIndex);
}

void CMaterialDlg::OnAdd()
{
    CString name = "材料名";
    if (!AskLibraryName(this, "材料标识名称输入对话框", "新材料的标识名称：", name)) return;
    if (m_nIndex >= 0 && !UpdateData(TRUE)) return;
    for (int i = 0; i < m_materials.GetSize(); ++i)
        if (SectNamesEqual(m_materials.GetAt(i)->m_pName, name)) {
            AppMessageBoxID(IDS_MATERIAL_NAME_EXISTS);
            return;
        }
    CMaterial m;
    m.SetName(name);
    if (!m_materials.Add(m)) return;
    m_nIndex = m_materials.GetSize() - 1;
    FillNames();
    UpdateData(FALSE);
}

void CMaterialDlg::OnRename()
{
    if (m_nIndex < 0 || m_nIndex >= m_materials.GetSize()) return;
    CString name = m_materials.GetAt(m_nIndex)->m_pName;
    if (!AskLibraryName(this, "材料标识名称输入对话框", "改变材料标识名称：", name)) return;
    for (int i = 0; i < m_materials.GetSize(); ++i)
        if (i != m_nIndex && SectNamesEqual(m_materials.GetAt(i)->m_pName, name)) {
            AppMessageBoxID(IDS_MATERIAL_NAME_EXISTS);
            return;
        }
    m_materials.GetAt(m_nIndex)->SetName(name);
    FillNames();
}

void CMaterialDlg::OnExport()
{
    if (m_nIndex >= 0) UpdateData(TRUE);
    CStringArray lines;
    for (int i = 0; i < m_materials.GetSize(); ++i) {
        const CMaterial& m = *m_materials.GetAt(i);
        CString line;
        line.Format("%s,%.1f,%.3e,%.2f,%.3e,%.3e,%.3e\n", m.m_pName ? m.m_pName : "", double(m.m_fGrade),
                    double(m.m_fModulus), double(m.m_fConst1), double(m.m_fVolWeight), double(m.m_fVolMass),
                    double(m.m_fConst2));
        lines.Add(line);
    }
    WriteLibraryExport("txt", "material.txt", "所有材料参数的文件(*.txt)|*.txt|所有文件(*.*)|*.*||",
                       "材料名称，混凝土标号，弹性模量，泊松比，比重，密度，热胀系数\n", lines, this);
}

void CMaterialDlg::OnGradeChanged()
{
    if (m_bExchanging) return;
    CString text;
    GetDlgItemText(IDC_MAT_GRADE, text);
    CMaterial scratch;
    if (!scratch.SetConcreteGrade(std::atof(text.GetString()))) return;
    m_bExchanging = true;
    SetBox(IDC_MAT_E, scratch.m_fModulus);
    SetBox(IDC_MAT_POISSON, scratch.m_fConst1);
    SetBox(IDC_MAT_WEIGHT, scratch.m_fVolWeight);
    SetBox(IDC_MAT_DENSITY, scratch.m_fVolMass);
    SetBox(IDC_MAT_EXPANSION, scratch.m_fConst2);
    m_bExchanging = false;
}

void CMaterialDlg::OnGradeLoader()
{
    CComboBox* grades = static_cast<CComboBox*>(GetDlgItem(IDC_MAT_GRADES));
    if (!grades || grades->GetCurSel() < 1) return;
    CString text;
    grades->GetLBText(grades->GetCurSel(), text);
    CMaterial scratch;
    if (scratch.SetConcreteGrade(std::atof(text.GetString()))) SetDlgItemText(IDC_MAT_GRADE, text);
}

void CMaterialDlg::OnDefaultsLoader()
{
    CComboBox* loads = static_cast<CComboBox*>(GetDlgItem(IDC_MAT_DEFAULTS));
    if (!loads || loads->GetCurSel() != 1) return;
    const int u = theProjectOptions.GetUnitCode();
    const double F = DCommonData::ForceFactor(u), L = DCommonData::DimensionFactor(u), M = DCommonData::MassFactor(u);
    m_bExchanging = true;
    SetBox(IDC_MAT_GRADE, 0);
    m_bExchanging = false;
    // Steel's values in kN and m, converted into the unit system.
    SetBox(IDC_MAT_E, 2.06e8 * F / (L * L));
    SetBox(IDC_MAT_POISSON, 0.3);
    SetBox(IDC_MAT_WEIGHT, 76.9 * F / (L * L * L));
    SetBox(IDC_MAT_DENSITY, 7.85 * M / (L * L * L));
    SetBox(IDC_MAT_EXPANSION, 1.2e-5);
}

void CMaterialDlg::OnOK()
{
    if (m_nIndex >= 0 && !UpdateData(TRUE)) return;
    theMaterials.Copy(m_materials);
    theCurrentProps.material = int16_t(m_nIndex + 1);
    EndDialog(IDOK);
}
