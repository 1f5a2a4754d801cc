#include "vek/dialogs/LoadCombDlg.h"

#include <commctrl.h>

#include <cmath>
#include <cstring>

#include "korvalib/model/CommonData.h"
#include "vek/dialogs/TwoColumnTable.h"
#include "vek/dialogs/logic/CombinationRules.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/analysis/ConstructionStages.h"
#include "vek/model/loads/LibTextFile.h"
#include "vek/res/LoadCombinationsRes.h"

namespace {

constexpr char kLibraryName[] = "Force.lib";

bool StartProgram(const std::string& commandLine)
{
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string line = commandLine;
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return true;
}

std::string LibraryPath()
{
    char path[260];
    return GetResourcePath(kLibraryName, path);
}

}  // namespace

// ---- one combination ----------------------------------------------------------------------

IMPLEMENT_DYNAMIC(COneLoadCombDlg, CMyDialog)

COneLoadCombDlg::COneLoadCombDlg(LoadCombination& comb, CWnd* parent)
    : CMyDialog(IDD_ONE_LOAD_COMB, parent), m_comb(comb)
{
    std::memcpy(m_eq, comb.c, sizeof m_eq);
    m_construction = comb.constructionFactor;
    m_history = comb.dynamicFactor;
    m_step = comb.dynamicStep;
    m_eqMethod = comb.CoefficientKind() <= 2 ? comb.CoefficientKind() : 0;
    m_historyMethod = comb.DynamicKind() <= 1 ? comb.DynamicKind() : 0;
}

COneLoadCombDlg::~COneLoadCombDlg()
{
    delete m_table;
}

BOOL COneLoadCombDlg::OnInitDialog()
{
    CMyDialog::OnInitDialog();
    m_table = MakeTwoColumnTable(this, IDC_OC_FACTORS, 502, "荷载种类号", "荷载系数", 0.8);
    if (!m_table) {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    combrules::FactorsToRows(m_comb.factors, m_table->m_items);
    ShowTableItems(*m_table);
    for (const char* m : {"代数和", "绝对和", "平方和开方"})
        GetDlgItem(IDC_OC_EQ_METHOD)->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(m));
    for (const char* m : {"代数和", "绝对和"})
        GetDlgItem(IDC_OC_HISTORY_METHOD)->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(m));
    if (!theConstructionStages.on) GetDlgItem(IDC_OC_CONSTRUCTION)->EnableWindow(FALSE);
    if (theProjectOptions.bPlaneModel) {
        // The plane model's one horizontal direction is the second.
        GetDlgItem(IDC_OC_EQ1_LABEL)->EnableWindow(FALSE);
        GetDlgItem(IDC_OC_EQ1)->EnableWindow(FALSE);
        SetDlgItemText(IDC_OC_EQ2_LABEL, "水平地震");
        m_eq[0] = 0;
    }
    UpdateData(FALSE);
    m_table->SetFocus();
    return FALSE;
}

void COneLoadCombDlg::DoDataExchange(CDataExchange* dx)
{
    DDX_Text(dx, IDC_OC_EQ1, m_eq[0]);
    DDX_Text(dx, IDC_OC_EQ2, m_eq[1]);
    DDX_Text(dx, IDC_OC_EQV, m_eq[2]);
    DDX_CBIndex(dx, IDC_OC_EQ_METHOD, m_eqMethod);
    DDX_Text(dx, IDC_OC_STEP, m_step);
    DDX_Text(dx, IDC_OC_HISTORY, m_history);
    DDX_CBIndex(dx, IDC_OC_HISTORY_METHOD, m_historyMethod);
    DDX_Text(dx, IDC_OC_CONSTRUCTION, m_construction);
}

void COneLoadCombDlg::OnOK()
{
    if (!UpdateData(TRUE)) return;
    if (!m_table->UpdateData(1)) return;
    LoadFactorList factors;
    if (combrules::FactorsFromRows(m_table->m_items, factors) >= 0) {
        AfxMessageBox("荷载种类号必须在1-32767之间!");
        return;
    }
    m_comb.factors.Copy(factors);
    std::memcpy(m_comb.c, m_eq, sizeof m_eq);
    if (theProjectOptions.bPlaneModel) m_comb.c[0] = 0;
    m_comb.constructionFactor = m_construction;
    m_comb.dynamicFactor = m_history;
    m_comb.dynamicStep = m_step;
    const int eq = m_eqMethod >= 0 && m_eqMethod <= 2 ? m_eqMethod : 0;
    const int history = m_historyMethod == 1 ? 1 : 0;
    m_comb.kinds = uint8_t(eq | history << 4);
    EndDialog(IDOK);
}

namespace {

class CCombinationDialog : public CLoadCombinationDialog {
public:
    bool Edit(LoadCombination& comb) override
    {
        COneLoadCombDlg dlg(comb, CWnd::FromHandle(::GetActiveWindow()));
        return dlg.DoModal() == IDOK;
    }
};

}  // namespace

void BindCombinationDialog()
{
    static CCombinationDialog dialog;
    SetLoadCombinationDialog(&dialog);
}

// ---- the list ------------------------------------------------------------------------------

bool (*CLoadCombDlg::s_startProgram)(const std::string&) = StartProgram;

IMPLEMENT_DYNAMIC(CLoadCombDlg, CMyDialog)

BEGIN_MESSAGE_MAP(CLoadCombDlg, CMyDialog)
ON_BN_CLICKED(IDC_LC_ADD, &CLoadCombDlg::OnAdd)
ON_BN_CLICKED(IDC_LC_EDIT, &CLoadCombDlg::OnEdit)
ON_BN_CLICKED(IDC_LC_DELETE, &CLoadCombDlg::OnDelete)
ON_BN_CLICKED(IDC_LC_CLEAR, &CLoadCombDlg::OnClear)
ON_BN_CLICKED(IDC_LC_NOTEPAD, &CLoadCombDlg::OnNotepad)
ON_CBN_SELCHANGE(IDC_LC_LIBRARY, &CLoadCombDlg::OnLibraryChosen)
ON_NOTIFY(NM_DBLCLK, IDC_LC_LIST, &CLoadCombDlg::OnListDoubleClick)
ON_NOTIFY(LVN_GETINFOTIPA, IDC_LC_LIST, &CLoadCombDlg::OnInfoTip)
END_MESSAGE_MAP()

CLoadCombDlg::CLoadCombDlg(bool forces, CWnd* parent) : CMyDialog(IDD_LOAD_COMB, parent), m_forces(forces)
{
    MLArray<LoadCombination>& list = theLoadCombinations[forces ? 0 : 1];
    for (int i = 0; i < list.GetSize(); ++i) m_rows.push_back(*list.GetAt(i));
}

BOOL CLoadCombDlg::OnInitDialog()
{
    CMyDialog::OnInitDialog();
    const HWND list = List();
    ::SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_INFOTIP | LVS_EX_FULLROWSELECT);
    RECT r;
    ::GetClientRect(list, &r);
    LVCOLUMNA column{};
    column.mask = LVCF_WIDTH;
    column.cx = r.right - ::GetSystemMetrics(SM_CXVSCROLL);
    ::SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    SetWindowText(m_forces ? "内力荷载组合数据维护对话框" : "位移荷载组合数据维护对话框");
    SetDlgItemText(IDC_LC_CLEAR, m_forces ? "清除所有内力组合(&C)" : "清除所有位移组合(&C)");
    SetDlgItemText(IDC_LC_SAME, m_forces ? "位移组合与内力组合一样" : "内力组合与位移组合一样");
    ShowRows();

    CWnd* combo = GetDlgItem(IDC_LC_LIBRARY);
    combo->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("请选择并加载FORCE.LIB文件中的某类特殊的组合"));
    CLibTextFile lib(LibraryPath().c_str());
    for (const std::string& s : combrules::LibrarySections(lib))
        combo->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
    combo->SendMessage(CB_SETCURSEL, 0);
    combo->EnableWindow(combo->SendMessage(CB_GETCOUNT) >= 2);
    return TRUE;
}

void CLoadCombDlg::DoDataExchange(CDataExchange* dx)
{
    DDX_Check(dx, IDC_LC_SAME, m_same);
}

void CLoadCombDlg::ShowRows(int select)
{
    const HWND list = List();
    ::SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    for (size_t i = 0; i < m_rows.size(); ++i) {
        const std::string text = m_rows[i].GetText(false);
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = int(i);
        item.pszText = const_cast<char*>(text.c_str());
        ::SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    if (select >= 0 && select < int(m_rows.size())) {
        LVITEMA state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        ::SendMessageA(list, LVM_SETITEMSTATE, WPARAM(select), reinterpret_cast<LPARAM>(&state));
        ::SendMessageA(list, LVM_ENSUREVISIBLE, WPARAM(select), FALSE);
    }
}

int CLoadCombDlg::FirstSelected() const
{
    return int(::SendMessageA(List(), LVM_GETNEXTITEM, WPARAM(-1), MAKELPARAM(LVNI_SELECTED, 0)));
}

void CLoadCombDlg::EditRow(int row)
{
    if (row < 0 || row >= int(m_rows.size())) return;
    LoadCombination c = m_rows[size_t(row)];
    if (!c.Edit()) return;
    if (c.IsEmpty()) {
        m_rows.erase(m_rows.begin() + row);
        ShowRows(row < int(m_rows.size()) ? row : int(m_rows.size()) - 1);
    } else {
        m_rows[size_t(row)] = c;
        ShowRows(row);
    }
}

void CLoadCombDlg::OnAdd()
{
    LoadCombination c;
    if (!c.Edit() || c.IsEmpty()) return;
    m_rows.push_back(c);
    ShowRows(int(m_rows.size()) - 1);
}

void CLoadCombDlg::OnEdit()
{
    const int row = FirstSelected();
    if (row < 0) {
        AfxMessageBox("没有选中组合项，修改失败！");
        return;
    }
    EditRow(row);
}

void CLoadCombDlg::OnDelete()
{
    const int row = FirstSelected();
    if (row < 0) {
        AfxMessageBox("没有选中组合项，删除失败！");
        return;
    }
    m_rows.erase(m_rows.begin() + row);
    ShowRows(row < int(m_rows.size()) ? row : int(m_rows.size()) - 1);
}

void CLoadCombDlg::OnClear()
{
    if (AfxMessageBox("是否要删除所有的组合项？", MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    m_rows.clear();
    ShowRows();
}

void CLoadCombDlg::OnLibraryChosen()
{
    CWnd* combo = GetDlgItem(IDC_LC_LIBRARY);
    const int chosen = int(combo->SendMessage(CB_GETCURSEL));
    if (chosen <= 0) return;
    char entry[1000] = {};
    if (combo->SendMessage(CB_GETLBTEXTLEN, WPARAM(chosen)) < LRESULT(sizeof entry))
        combo->SendMessage(CB_GETLBTEXT, WPARAM(chosen), reinterpret_cast<LPARAM>(entry));
    const std::string key = combrules::SectionKey(entry);
    if (!key.empty()) {
        CLibTextFile lib(LibraryPath().c_str());
        if (!lib.IsOpenFailed()) {
            m_rows = combrules::LibrarySection(lib, key);
            ShowRows();
        }
    }
    combo->SendMessage(CB_SETCURSEL, 0);
}

void CLoadCombDlg::OnNotepad()
{
    const std::string path = LibraryPath();
    CString text;
    if (::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        text.Format("无法找到文件：%s", path.c_str());
        AfxMessageBox(text);
        return;
    }
    if (!s_startProgram(combrules::NotepadCommandLine(path.c_str())))
        AfxMessageBox("程序启动失败，可能是找不到记事本程序NOTEPAD.EXE!");
}

void CLoadCombDlg::OnListDoubleClick(NMHDR* hdr, LRESULT* result)
{
    const auto* activate = reinterpret_cast<const NMITEMACTIVATE*>(hdr);
    EditRow(activate->iItem);
    *result = 0;
}

void CLoadCombDlg::OnInfoTip(NMHDR* hdr, LRESULT* result)
{
    auto* tip = reinterpret_cast<NMLVGETINFOTIPA*>(hdr);
    *result = 0;
    if (!tip->pszText || tip->cchTextMax <= 0) return;
    tip->pszText[0] = 0;
    const int row = tip->iItem;
    if (row < 0 || row >= int(m_rows.size())) return;
    const std::string text = combrules::CombinationTip(m_rows[size_t(row)], row, size_t(tip->cchTextMax));
    std::memcpy(tip->pszText, text.c_str(), text.size() + 1);
}

void CLoadCombDlg::OnOK()
{
    if (!UpdateData(TRUE)) return;
    MLArray<LoadCombination>& list = theLoadCombinations[m_forces ? 0 : 1];
    list.SetSize(0);
    for (const LoadCombination& c : m_rows) list.Add(c);
    if (m_same) theLoadCombinations[m_forces ? 1 : 0].Copy(list);
    EndDialog(IDOK);
}

bool RunForceCombinationDialog()
{
    CLoadCombDlg dlg(true, AfxGetMainWnd());
    return dlg.DoModal() == IDOK;
}

bool RunDisplacementCombinationDialog()
{
    CLoadCombDlg dlg(false, AfxGetMainWnd());
    return dlg.DoModal() == IDOK;
}
