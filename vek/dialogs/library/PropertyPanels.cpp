#include "vek/dialogs/library/PropertyPanels.h"

#include <algorithm>

#include "vek/app/DialogsBar.h"
#include "vek/dialogs/LibraryDialogs.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/analysis/AnalysisParameters.h"
#include "vek/model/materials/Material.h"
#include "vek/model/materials/Sections.h"
#include "vek/res/PropertyPanelsRes.h"
#include "vek/res/resource.h"
#include "vek/view/operate/ViewCommands.h"

namespace {

int SectCount(int sectClass)
{
    return sectClass == 1   ? theSframeSects.GetSize()
           : sectClass == 2 ? theVframeSects.GetSize()
                            : theFrameSects.GetSize();
}

const char* SectName(int sectClass, int i)
{
    const char* name = sectClass == 1   ? theSframeSects.GetAt(i)->m_pName
                       : sectClass == 2 ? theVframeSects.GetAt(i)->m_pName
                                        : theFrameSects.GetAt(i)->m_pName;
    return name ? name : "";
}

int16_t& CurrentNumber(int sectClass)
{
    CCurrentProps& c = theCurrentProps;
    return sectClass == 1 ? c.steelSect : sectClass == 2 ? c.vframeSect : c.frameSect;
}

// A number beyond its list goes back to the list's last entry; 0 stays "none".
int16_t& KeptInList(int16_t& number, int size)
{
    number = int16_t(std::clamp<int>(number, 0, size));
    return number;
}

int CurrentClass()
{
    return theCurrentProps.kind > 2 ? 0 : theCurrentProps.kind;
}

HWND Combo(CWnd* dlg, int id)
{
    return ::GetDlgItem(dlg->m_hWnd, id);
}

void AddEntry(HWND combo, const char* text)
{
    ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

// first: an entry ahead of the names (number 0), or null.
void FillSectionNames(CWnd* dlg, int id, int sectClass, const char* first)
{
    HWND combo = Combo(dlg, id);
    ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    if (first) AddEntry(combo, first);
    const int count = SectCount(sectClass);
    for (int i = 0; i < count; ++i) AddEntry(combo, SectName(sectClass, i));
    const int number = KeptInList(CurrentNumber(sectClass), count);
    ::SendMessageA(combo, CB_SETCURSEL, first ? number : number - 1, 0);
}

void FillMaterialNames(CWnd* dlg, int id, const char* first)
{
    HWND combo = Combo(dlg, id);
    ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    AddEntry(combo, first);
    for (int i = 0; i < theMaterials.GetSize(); ++i) {
        const char* name = theMaterials.GetAt(i)->m_pName;
        AddEntry(combo, name ? name : "");
    }
    ::SendMessageA(combo, CB_SETCURSEL, KeptInList(theCurrentProps.material, theMaterials.GetSize()), 0);
}

int Chosen(CWnd* dlg, int id)
{
    return int(::SendMessageA(Combo(dlg, id), CB_GETCURSEL, 0, 0));
}

// A library dialog; true on OK, with the document marked modified.
bool RunLibrary(unsigned command)
{
    if (RunLibraryDialog(command) != IDOK) return false;
    SetDocumentModified(1);
    return true;
}

unsigned SectionLibrary(int sectClass)
{
    return sectClass == 1 ? ID_LIB_STEEL_SECTIONS : sectClass == 2 ? ID_LIB_VARIABLE_SECTIONS : ID_LIB_SECTIONS;
}

CString CurrentSectionText(int sectClass)
{
    return GetSectParamText(sectClass, CurrentNumber(sectClass));
}

CString MaterialText(int number)
{
    CString text;
    if (number < 1 || number > theMaterials.GetSize()) return text;
    const CMaterial& m = *theMaterials.GetAt(number - 1);
    text.Format("混凝土强度等级:%.5g\r\n弹模:%.5g\r\n泊松比:%.5g\r\n比重:%.5g\r\n密度:%.5g\r\n热胀系数:%.5g",
                double(m.m_fGrade), double(m.m_fModulus), double(m.m_fConst1), double(m.m_fVolWeight),
                double(m.m_fVolMass), double(m.m_fConst2));
    return text;
}

// The class buttons show the current class and choose it.
void ExchangeClass(CDataExchange* dx, int& cls)
{
    if (!dx->m_bSaveAndValidate) cls = CurrentClass();
    DDX_Radio(dx, IDC_PP_ORDINARY, cls);
    if (dx->m_bSaveAndValidate && cls >= 0) theCurrentProps.kind = uint8_t(cls);
}

}  // namespace

// ---- material panel -------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CMaterialDispDlg, CModelessDialog)

// clang-format off
BEGIN_MESSAGE_MAP(CMaterialDispDlg, CModelessDialog)
    ON_CBN_SELCHANGE(IDC_PP_LIST, &CMaterialDispDlg::OnSelect)
    ON_BN_CLICKED(IDC_PP_LIBRARY, &CMaterialDispDlg::OnLibrary)
END_MESSAGE_MAP()
// clang-format on

CMaterialDispDlg::CMaterialDispDlg(CWnd* parent, bool noLibrary)
    : CModelessDialog(IDD_MATERIAL_DISP, parent), m_bNoLibrary(noLibrary)
{
}

BOOL CMaterialDispDlg::OnInitDialog()
{
    CModelessDialog::OnInitDialog();
    if (m_bNoLibrary) GetDlgItem(IDC_PP_LIBRARY)->EnableWindow(FALSE);
    Refill();
    return TRUE;
}

void CMaterialDispDlg::Refill()
{
    FillMaterialNames(this, IDC_PP_LIST, "删除已有材料");
    SetDlgItemText(IDC_PP_TEXT, MaterialText(theCurrentProps.material));
}

void CMaterialDispDlg::OnSelect()
{
    const int index = Chosen(this, IDC_PP_LIST);
    if (index < 0) return;
    theCurrentProps.material = int16_t(index);
    SetDlgItemText(IDC_PP_TEXT, MaterialText(index));
}

void CMaterialDispDlg::OnLibrary()
{
    if (RunLibrary(ID_LIB_MATERIALS)) Refill();
}

// ---- section panel --------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CSectDispDlg, CModelessDialog)

// clang-format off
BEGIN_MESSAGE_MAP(CSectDispDlg, CModelessDialog)
    ON_BN_CLICKED(IDC_PP_ORDINARY, &CSectDispDlg::OnClass)
    ON_BN_CLICKED(IDC_PP_STEEL, &CSectDispDlg::OnClass)
    ON_BN_CLICKED(IDC_PP_VARIABLE, &CSectDispDlg::OnClass)
    ON_CBN_SELCHANGE(IDC_PP_LIST, &CSectDispDlg::OnSelect)
    ON_BN_CLICKED(IDC_PP_LIBRARY, &CSectDispDlg::OnLibrary)
    ON_BN_CLICKED(IDC_PP_HINT, &CSectDispDlg::OnHint)
    ON_WM_PAINT()
END_MESSAGE_MAP()
// clang-format on

CSectDispDlg::CSectDispDlg(CWnd* parent, bool noLibrary, bool variableOnly)
    : CModelessDialog(IDD_SECT_DISP, parent), m_bNoLibrary(noLibrary), m_bVariableOnly(variableOnly)
{
    char path[260];
    const bool big = m_big.Load(GetResourcePath("bigsect.gif", path));
    const bool steel = m_steel.Load(GetResourcePath("steelsect.gif", path));
    if (!big || !steel) AppMessageBox("无法找到梁柱截面图形描述文件!");
}

BOOL CSectDispDlg::OnInitDialog()
{
    CModelessDialog::OnInitDialog();
    if (m_bNoLibrary) GetDlgItem(IDC_PP_LIBRARY)->EnableWindow(FALSE);
    if (m_bVariableOnly) {
        theCurrentProps.kind = 2;
        GetDlgItem(IDC_PP_ORDINARY)->EnableWindow(FALSE);
        GetDlgItem(IDC_PP_STEEL)->EnableWindow(FALSE);
    }
    // The place only marks where the panel draws the picture itself.
    GetDlgItem(IDC_PP_PICTURE)->ShowWindow(SW_HIDE);
    UpdateData(FALSE);
    Refill();
    return TRUE;
}

void CSectDispDlg::DoDataExchange(CDataExchange* dx)
{
    ExchangeClass(dx, m_nClass);
}

void CSectDispDlg::Refill()
{
    FillSectionNames(this, IDC_PP_LIST, CurrentClass(), nullptr);
    SetDlgItemText(IDC_PP_TEXT, CurrentSectionText(CurrentClass()));
    Invalidate();
}

void CSectDispDlg::OnClass()
{
    UpdateData(TRUE);
    Refill();
}

void CSectDispDlg::OnSelect()
{
    const int index = Chosen(this, IDC_PP_LIST);
    if (index < 0) return;
    CurrentNumber(CurrentClass()) = int16_t(index + 1);
    SetDlgItemText(IDC_PP_TEXT, CurrentSectionText(CurrentClass()));
    Invalidate();
}

void CSectDispDlg::OnLibrary()
{
    if (RunLibrary(SectionLibrary(CurrentClass()))) Refill();
}

void CSectDispDlg::OnHint()
{
    AppMessageBoxID(IDS_STEEL_DEFAULT_MATERIAL);
}

int CSectDispDlg::PictureCell() const
{
    const int sectClass = CurrentClass();
    const int number = CurrentNumber(sectClass);
    if (number < 1 || number > SectCount(sectClass)) return -1;
    if (sectClass == 1) return theSframeSects.GetAt(number - 1)->GetSelfDefSectIndex();
    if (sectClass == 2) {
        const int kind = theVframeSects.GetAt(number - 1)->m_cKind;
        return (kind >= 1 && kind <= 4) || kind == 7 ? kind - 1 : -1;
    }
    const int kind = theFrameSects.GetAt(number - 1)->m_cKind;
    if (kind == 40) return 10;
    return kind >= 1 && kind <= 11 ? kind - 1 : -1;
}

void CSectDispDlg::OnPaint()
{
    CPaintDC dc(this);
    const int cell = PictureCell();
    if (cell >= 0) (CurrentClass() == 1 ? m_steel : m_big).DrawAtDlgItem(m_hWnd, cell, IDC_PP_PICTURE, 0);
}

// ---- section and material panel -------------------------------------------------------

IMPLEMENT_DYNAMIC(CPropertyDlg, CModelessDialog)

// clang-format off
BEGIN_MESSAGE_MAP(CPropertyDlg, CModelessDialog)
    ON_BN_CLICKED(IDC_PP_ORDINARY, &CPropertyDlg::OnClass)
    ON_BN_CLICKED(IDC_PP_STEEL, &CPropertyDlg::OnClass)
    ON_BN_CLICKED(IDC_PP_VARIABLE, &CPropertyDlg::OnClass)
    ON_CBN_SELCHANGE(IDC_PP_SECTIONS, &CPropertyDlg::OnSection)
    ON_CBN_SELCHANGE(IDC_PP_MATERIALS, &CPropertyDlg::OnMaterial)
    ON_BN_CLICKED(IDC_PP_HINT, &CPropertyDlg::OnHint)
END_MESSAGE_MAP()
// clang-format on

CPropertyDlg::CPropertyDlg(CWnd* parent, bool combined) : CModelessDialog(IDD_PROPERTY, parent), m_bCombined(combined)
{
}

BOOL CPropertyDlg::OnInitDialog()
{
    CModelessDialog::OnInitDialog();
    UpdateData(FALSE);
    FillMaterials();
    FillSections();
    SteelTakesNoMaterial();
    if (!m_bCombined) {
        // Only the material: the window ends just below its list.
        CRect item, win;
        GetDlgItem(IDC_PP_MATERIALS)->GetWindowRect(&item);
        GetWindowRect(&win);
        SetWindowPos(nullptr, 0, 0, win.Width(), item.bottom + 2 + ::GetSystemMetrics(SM_CYFIXEDFRAME) - win.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return TRUE;
}

void CPropertyDlg::DoDataExchange(CDataExchange* dx)
{
    ExchangeClass(dx, m_nClass);
}

void CPropertyDlg::FillSections()
{
    FillSectionNames(this, IDC_PP_SECTIONS, CurrentClass(), "暂不赋截面");
}

void CPropertyDlg::FillMaterials()
{
    FillMaterialNames(this, IDC_PP_MATERIALS, "暂不赋材料");
}

// A steel member's own steel is its material.
void CPropertyDlg::SteelTakesNoMaterial()
{
    if (!m_bCombined) return;
    const bool steel = CurrentClass() == 1;
    if (steel) {
        theCurrentProps.material = 0;
        ::SendMessageA(Combo(this, IDC_PP_MATERIALS), CB_SETCURSEL, 0, 0);
    }
    GetDlgItem(IDC_PP_MATERIALS)->EnableWindow(!steel);
}

void CPropertyDlg::OnClass()
{
    UpdateData(TRUE);
    FillSections();
    SteelTakesNoMaterial();
}

void CPropertyDlg::OnSection()
{
    const int index = Chosen(this, IDC_PP_SECTIONS);
    if (index >= 0) CurrentNumber(CurrentClass()) = int16_t(index);
}

void CPropertyDlg::OnMaterial()
{
    const int index = Chosen(this, IDC_PP_MATERIALS);
    if (index >= 0) theCurrentProps.material = int16_t(index);
}

void CPropertyDlg::OnHint()
{
    AppMessageBoxID(IDS_STEEL_DEFAULT_MATERIAL);
}

// ---- the openers ----------------------------------------------------------------------

namespace {

template <class Dlg, class... Args>
void Open(UINT id, bool closeOthers, Args... args)
{
    if (closeOthers) theModelessDlgs.CloseAll();
    auto* dlg = new Dlg(AfxGetMainWnd(), args...);
    if (!dlg->Create(id, AfxGetMainWnd())) {
        if (!CWnd::LastCreateDestroyedObject()) delete dlg;
        return;
    }
    theModelessDlgs.Add(dlg);
}

}  // namespace

void BindPropertyPanels()
{
    // arg: 1 the combined form, 2 the other panels closed first.
    RegisterPanel("section", [](int arg) { Open<CPropertyDlg>(IDD_PROPERTY, (arg & 2) != 0, (arg & 1) != 0); });
    // arg 1: variable sections only.
    RegisterPanel("sectionDisplay", [](int arg) { Open<CSectDispDlg>(IDD_SECT_DISP, false, false, arg == 1); });
    RegisterPanel("material", [](int) { Open<CMaterialDispDlg>(IDD_MATERIAL_DISP, false, false); });
}
