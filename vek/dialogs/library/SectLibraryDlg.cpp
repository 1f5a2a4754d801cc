#include "vek/dialogs/library/SectLibraryDlg.h"

#include <cstdio>
#include <new>

#include "framework/Collections.h"
#include "framework/CommonDialogs.h"
#include "vek/app/BmpWnd.h"
#include "vek/app/EditDialog.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/analysis/AnalysisParameters.h"
#include "vek/res/LibraryDialogsRes.h"
#include "vek/res/resource.h"

namespace {

const char* const kNoLabels[6] = {"", "", "", "", "", ""};

// Which stored parameter edit box i shows: kinds 1 and 5 show the first two
// the other way round.
int Stored(int kind, int box)
{
    return (kind == 1 || kind == 5) && box < 2 ? 1 - box : box;
}

void ExchangeSet(CDataExchange* dx, int kind, float* p, int firstEdit)
{
    for (int i = 0; i < 6; ++i) DDX_Text(dx, firstEdit + i, p[Stored(kind, i)]);
    if (!dx->m_bSaveAndValidate) return;
    // A pipe keeps its wall; a general section's J defaults to I33 + I22.
    if (kind == 7) p[2] = p[1] - p[0];
    if (kind == 40 && p[1] < 1e-15f) p[1] = p[2] + p[3];
}

bool IsTaperedKind(int kind)
{
    return kind == 1 || kind == 2 || kind == 3 || kind == 4 || kind == 7;
}

}  // namespace

int SectKindLabels(int kind, const char* const** labels)
{
    static const char* const k1[6] = {"截面宽b", "截面高h", "", "", "", ""};
    static const char* const k2[6] = {"上翼缘宽b1", "腹板厚b2", "下翼缘宽b3", "上翼缘厚d1", "腹板高d2", "下翼缘厚d3"};
    static const char* const k3[6] = {"上翼缘宽b1", "腹板厚b2", "上翼缘厚d1", "腹板高d2", "", ""};
    static const char* const k4[6] = {"腹板厚b1", "下翼缘宽b2", "腹板高d1", "下翼缘厚d2", "", ""};
    static const char* const k5[6] = {"宽度a", "高度b", "厚度t", "", "", ""};
    static const char* const k6[6] = {"上翼缘宽b1", "下翼缘厚b2", "腹板高h", "厚度t", "", ""};
    static const char* const k7[6] = {"内半径r", "外半径R", "", "", "", ""};
    static const char* const k8[6] = {"内半径r", "厚度t", "角度的一半(度)α", "", "", ""};
    static const char* const k9[6] = {"宽度b", "高度h", "横板厚t1", "竖板厚t2", "", ""};
    static const char* const k10[6] = {"上下翼缘宽b", "高度(含上下板)h", "竖板厚tw", "翼缘厚tf", "", ""};
    static const char* const k40[6] = {"面积A",
                                       "抗扭刚度因子J[I33+I22]",
                                       "绕3轴的惯性矩I33",
                                       "绕2轴的惯性矩I22",
                                       "2方向的剪切面积A2",
                                       "3方向的剪切面积A3"};
    static const char* const* const table[10] = {k1, k2, k3, k4, k5, k6, k7, k8, k9, k10};
    if (kind >= 1 && kind <= 10) {
        *labels = table[kind - 1];
        return DFrameSect::GetParaNum(kind);
    }
    if (kind == 40) {
        *labels = k40;
        return 6;
    }
    *labels = kNoLabels;
    return 0;
}

bool WriteLibraryExport(const char* defExt, const char* file, const char* filter, const char* header,
                        const CStringArray& lines, CWnd* parent)
{
    CFileDialog dlg(FALSE, defExt, file, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter, parent);
    if (dlg.DoModal() != IDOK) return false;
    const CString path = dlg.GetPathName();
    FILE* f = std::fopen(path.GetString(), "w");
    bool ok = f != nullptr && std::fputs(header, f) >= 0;
    for (int i = 0; ok && i < lines.GetSize(); ++i) ok = std::fputs(lines[i].GetString(), f) >= 0;
    if (f && std::fclose(f) != 0) ok = false;
    if (!ok) {
        CString text;
        text.Format("无法写入文件%s!", path.GetString());
        AppMessageBox(text.GetString(), MB_OK | MB_ICONSTOP);
    }
    return ok;
}

// ---- the shared dialog ----

IMPLEMENT_DYNAMIC(CSectLibraryDlg, CMyDialog)

BEGIN_MESSAGE_MAP(CSectLibraryDlg, CMyDialog)
ON_CBN_SELCHANGE(IDC_LIB_NAMES, &CSectLibraryDlg::OnSelectName)
ON_BN_CLICKED(IDC_LIB_ADD, &CSectLibraryDlg::OnAdd)
ON_BN_CLICKED(IDC_LIB_RENAME, &CSectLibraryDlg::OnRename)
ON_BN_CLICKED(IDC_LIB_EXPORT, &CSectLibraryDlg::OnExport)
ON_MESSAGE(WM_BMPWND_CELL, &CSectLibraryDlg::OnCell)
ON_WM_PAINT()
END_MESSAGE_MAP()

CSectLibraryDlg::CSectLibraryDlg(UINT templateId, CWnd* parent) : CMyDialog(templateId, parent) {}

CSectLibraryDlg::~CSectLibraryDlg() = default;

BOOL CSectLibraryDlg::OnInitDialog()
{
    CMyDialog::OnInitDialog();
    m_strip.reset(new (std::nothrow) CBmpWnd);
    if (!m_strip) {
        AppMessageBoxID(IDS_OUT_OF_MEMORY);
        EndDialog(IDCANCEL);
        return TRUE;
    }
    if (CWnd* frame = GetDlgItem(IDC_SECT_STRIP)) {
        CRect r;
        frame->GetWindowRect(&r);
        ScreenToClient(&r);
        if (m_strip->Create(r, this, IDC_SECT_STRIP + 1000)) {
            m_strip->SetColumns(3);
            m_strip->LoadImageFile("smallsect.gif");
        }
    }
    char path[260];
    m_big.Load(GetResourcePath("bigsect.gif", path));
    // Only a place for the kind's picture, which the dialog draws itself.
    if (CWnd* place = GetDlgItem(IDC_SECT_PICTURE)) place->ShowWindow(SW_HIDE);
    if (CWnd* note = GetDlgItem(IDC_SECT_NOTE)) note->ShowWindow(theProjectOptions.bPlaneModel ? SW_SHOW : SW_HIDE);
    if (Count() == 0)
        m_nIndex = -1;
    else if (m_nIndex < 0 || m_nIndex >= Count())
        m_nIndex = m_nIndex < 0 ? 0 : Count() - 1;
    FillNames();
    UpdateData(FALSE);
    UpdateLabels();
    return TRUE;
}

void CSectLibraryDlg::DoDataExchange(CDataExchange* dx)
{
    CMyDialog::DoDataExchange(dx);
    if (m_nIndex >= 0 && m_nIndex < Count()) ExchangeParams(dx);
}

void CSectLibraryDlg::FillNames()
{
    CComboBox* names = static_cast<CComboBox*>(GetDlgItem(IDC_LIB_NAMES));
    if (!names) return;
    names->ResetContent();
    for (int i = 0; i < Count(); ++i) names->AddString(NameAt(i));
    names->SetCurSel(m_nIndex);
}

void CSectLibraryDlg::ShowLabels(int paramCount, const char* const* labels, int firstEdit, int secondEdit)
{
    for (int i = 0; i < 6; ++i) {
        const bool on = i < paramCount && m_nIndex >= 0;
        SetDlgItemText(IDC_SECT_LABEL0 + i, on ? labels[i] : "");
        if (CWnd* w = GetDlgItem(IDC_SECT_LABEL0 + i)) w->EnableWindow(on);
        for (int first : {firstEdit, secondEdit})
            if (first > 0)
                if (CWnd* w = GetDlgItem(first + i)) w->EnableWindow(on);
    }
    Invalidate();
}

bool AskLibraryName(CWnd* parent, const char* title, const char* prompt, CString& name)
{
    EditSlot slot;
    slot.text = &name;
    const BYTE kind = CEditDialog::kText;
    CEditDialog dlg(parent);
    dlg.SetParams(&slot, &kind, 1, title, &prompt);
    if (dlg.DoModal() != IDOK) return false;
    name.Trim();
    return !name.IsEmpty();
}

bool CSectLibraryDlg::AskName(const char* prompt, CString& name)
{
    return AskLibraryName(this, GetTexts().addTitle, prompt, name);
}

bool CSectLibraryDlg::NameTaken(const char* name, int skip) const
{
    for (int i = 0; i < Count(); ++i)
        if (i != skip && SectNamesEqual(NameAt(i), name)) return true;
    return false;
}

void FollowNameList(CDialog* dlg, int listId, int& index)
{
    CComboBox* names = static_cast<CComboBox*>(dlg->GetDlgItem(listId));
    if (!names) return;
    if (!dlg->UpdateData(TRUE)) {
        names->SetCurSel(index);
        return;
    }
    index = names->GetCurSel();
    dlg->UpdateData(FALSE);
}

void CSectLibraryDlg::OnSelectName()
{
    FollowNameList(this, IDC_LIB_NAMES, m_nIndex);
    UpdateLabels();
}

void CSectLibraryDlg::OnAdd()
{
    CString name = GetTexts().proposed;
    if (!AskName(GetTexts().addPrompt, name) || !UpdateData(TRUE)) return;
    if (NameTaken(name, -1)) {
        AppMessageBoxID(IDS_SECTION_NAME_EXISTS);
        return;
    }
    AppendCopy(name);
    m_nIndex = Count() - 1;
    FillNames();
    UpdateData(FALSE);
    UpdateLabels();
}

void CSectLibraryDlg::OnRename()
{
    if (m_nIndex < 0 || m_nIndex >= Count()) return;
    CString name = NameAt(m_nIndex);
    if (!AskName("改变截面标识名称：", name)) return;
    if (NameTaken(name, m_nIndex)) {
        AppMessageBoxID(IDS_SECTION_NAME_EXISTS);
        return;
    }
    SetNameAt(m_nIndex, name);
    FillNames();
}

void CSectLibraryDlg::OnExport()
{
    UpdateData(TRUE);
    CStringArray lines;
    for (int i = 0; i < Count(); ++i) lines.Add(ExportLine(i));
    const Texts& t = GetTexts();
    WriteLibraryExport("txt", t.exportFile, t.exportFilter, t.exportHeader, lines, this);
}

LRESULT CSectLibraryDlg::OnCell(WPARAM cell, LPARAM)
{
    if (m_nIndex < 0 || m_nIndex >= Count() || cell > 10) return 0;
    UpdateData(TRUE);
    SetKindFromCell(int(cell));
    UpdateData(FALSE);
    UpdateLabels();
    return 0;
}

void CSectLibraryDlg::OnPaint()
{
    CPaintDC dc(this);
    const int cell = m_nIndex >= 0 && m_nIndex < Count() ? PictureCell() : -1;
    if (cell >= 0) m_big.DrawAtDlgItem(m_hWnd, cell, IDC_SECT_PICTURE, 0);
}

void CSectLibraryDlg::OnOK()
{
    if (!UpdateData(TRUE)) return;
    Commit();
    EndDialog(IDOK);
}

// ---- ordinary sections ----

IMPLEMENT_DYNAMIC(CSectManageDlg, CSectLibraryDlg)

CSectManageDlg::CSectManageDlg(CWnd* parent)
    : CSectListDlg(IDD_SECTION_LIBRARY, parent, theFrameSects, theCurrentProps.frameSect)
{
}

const CSectLibraryDlg::Texts& CSectManageDlg::GetTexts() const
{
    static const Texts t = {"截面标识名称输入对话框",
                            "新截面的标识名称：",
                            "截面名",
                            "section.txt",
                            "所有截面参数的文件(*.txt)|*.txt|所有文件(*.*)|*.*||",
                            "截面名称，截面种类，截面参数B1  B2  B3  B4  B5  B6\n"};
    return t;
}

void CSectManageDlg::SetKindFromCell(int cell)
{
    if (cell < 0 || cell > 10) return;
    m_sects.GetAt(m_nIndex)->m_cKind = char(cell < 10 ? cell + 1 : 40);
}

void CSectManageDlg::ExchangeParams(CDataExchange* dx)
{
    CFrameSect& s = *m_sects.GetAt(m_nIndex);
    ExchangeSet(dx, s.m_cKind, s.m_fPara, IDC_SECT_EDIT0);
}

void CSectManageDlg::UpdateLabels()
{
    const char* const* labels;
    const int kind = Kind();
    const int n = SectKindLabels(kind, &labels);
    ShowLabels(n, labels, IDC_SECT_EDIT0, 0);
    // A plane model's general section: only A, I33 and A2 count.
    if (kind == 40 && theProjectOptions.bPlaneModel)
        for (int i = 0; i < 6; ++i)
            if (CWnd* w = GetDlgItem(IDC_SECT_EDIT0 + i)) w->EnableWindow(i == 0 || i == 2 || i == 4);
}

void CSectManageDlg::Commit()
{
    theCurrentProps.frameSect = CommitList();
}

int CSectManageDlg::PictureCell() const
{
    const int kind = Kind();
    if (kind <= 0) return -1;
    return kind > 10 ? 10 : kind - 1;
}

// ---- tapered sections ----

IMPLEMENT_DYNAMIC(CVsectManageDlg, CSectLibraryDlg)

CVsectManageDlg::CVsectManageDlg(CWnd* parent)
    : CSectListDlg(IDD_VSECTION_LIBRARY, parent, theVframeSects, theCurrentProps.vframeSect)
{
}

const CSectLibraryDlg::Texts& CVsectManageDlg::GetTexts() const
{
    static const Texts t = {"变截面标识名称输入对话框",
                            "新变截面的标识名称：",
                            "变截面名",
                            "vsection.txt",
                            "所有变截面参数的文件(*.txt)|*.txt|所有文件(*.*)|*.*||",
                            "变截面名称，变截面种类，变截面参数BI1  BI2  BI3  BI4  BI5  BI6  BJ1  BJ2  BJ3  BJ4  BJ5  "
                            "BJ6\n"};
    return t;
}

void CVsectManageDlg::SetKindFromCell(int cell)
{
    int kind = cell + 1;
    if (!IsTaperedKind(kind)) {
        AppMessageBox("目前不支持这种类型的变截面！");
        kind = 1;
    }
    m_sects.GetAt(m_nIndex)->m_cKind = char(kind);
}

void CVsectManageDlg::ExchangeParams(CDataExchange* dx)
{
    CVframeSect& s = *m_sects.GetAt(m_nIndex);
    ExchangeSet(dx, s.m_cKind, s.m_fStart, IDC_VSECT_EDITI0);
    ExchangeSet(dx, s.m_cKind, s.m_fEnd, IDC_VSECT_EDITJ0);
}

void CVsectManageDlg::UpdateLabels()
{
    const char* const* labels = kNoLabels;
    const int kind = Kind();
    const int n = IsTaperedKind(kind) ? SectKindLabels(kind, &labels) : 0;
    ShowLabels(n, labels, IDC_VSECT_EDITI0, IDC_VSECT_EDITJ0);
}

void CVsectManageDlg::Commit()
{
    theCurrentProps.vframeSect = CommitList();
}

int CVsectManageDlg::PictureCell() const
{
    const int kind = Kind();
    return IsTaperedKind(kind) ? kind - 1 : -1;
}
