#include "vek/view/win/LayerDlg.h"

#include "vek/model/AppHelpers.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/res/InteractRes.h"
#include "vek/view/operate/ViewCommands.h"

namespace {

constexpr int kImageHidden = 1;
constexpr int kImageShown = 2;

// The sub-item of a list at a client point; -1 for none.
int SubItemAt(CListCtrl& list, POINT p, int& row)
{
    LVHITTESTINFO info{};
    info.pt = p;
    list.SendMessage(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&info));
    row = info.iItem;
    return info.iItem < 0 ? -1 : info.iSubItem;
}

void SetSubItem(CListCtrl& list, int row, int column, const char* text, int image)
{
    LVITEMA item{};
    item.mask = LVIF_TEXT | (image >= 0 ? LVIF_IMAGE : 0);
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text);
    item.iImage = image;
    list.SendMessage(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void ShowState(CListCtrl& list, int row, int column, bool shown)
{
    SetSubItem(list, row, column, shown ? "显示" : "不显示", shown ? kImageShown : kImageHidden);
}

// The list's look: single selection with the state images of bitmap 159.
void PrepareList(CListCtrl& list, CImageList& images, DWORD extra)
{
    images.Create(IDB_LAYER_STATES, 15, 1, RGB(255, 255, 255));
    list.SetImageList(images, LVSIL_SMALL);
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES | extra);
}

bool ConfirmLayerDeletion()
{
    return AppMessageBox("删除图层的同时，图层所包括的单元和节点也将被删除，并且该操作不能被撤销！是否一定要删除选中图层？",
                         MB_YESNO | MB_ICONQUESTION) == IDYES;
}

}  // namespace

// ---- the layer list ---------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CLayerListCtrl, CListCtrl)

BEGIN_MESSAGE_MAP(CLayerListCtrl, CListCtrl)
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

void CLayerListCtrl::OnPaint()
{
    Default();
    if (GetColumnWidth(1) <= 10) return;
    CClientDC dc(this);
    const int top = static_cast<int>(SendMessage(LVM_GETTOPINDEX));
    const int rows = static_cast<int>(SendMessage(LVM_GETCOUNTPERPAGE)) + 1;
    for (int row = top; row < top + rows && row < GetItemCount(); ++row) {
        RECT r{LVIR_BOUNDS, 1, 0, 0};
        if (!SendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r))) continue;
        CRect cell(r);
        cell.DeflateRect(5, 2);
        dc.FillSolidRect(&cell, static_cast<COLORREF>(GetItemData(row)));
    }
}

void CLayerListCtrl::OnLButtonDown(UINT, CPoint)
{
    m_nLastSelected = GetNextItem(-1, LVNI_SELECTED);
    Default();
}

// ---- the layer dialog -------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CLayerDlg, CMyDialog)

BEGIN_MESSAGE_MAP(CLayerDlg, CMyDialog)
ON_NOTIFY(NM_CLICK, IDC_LAYER_LIST, &CLayerDlg::OnClick)
ON_NOTIFY(LVN_ENDLABELEDITA, IDC_LAYER_LIST, &CLayerDlg::OnEndLabelEdit)
ON_BN_CLICKED(IDC_LAYER_MAKE_CURRENT, &CLayerDlg::OnMakeCurrent)
ON_BN_CLICKED(IDC_LAYER_SHOW_ALL, &CLayerDlg::OnShowAll)
ON_BN_CLICKED(IDC_LAYER_INVERT, &CLayerDlg::OnInvert)
ON_BN_CLICKED(IDC_LAYER_ADD, &CLayerDlg::OnAdd)
ON_BN_CLICKED(IDC_LAYER_DELETE, &CLayerDlg::OnDelete)
ON_BN_CLICKED(IDC_LAYER_SORT, &CLayerDlg::OnSortAndOk)
ON_WM_DESTROY()
END_MESSAGE_MAP()

CLayerDlg::CLayerDlg(CWnd* parent) : CMyDialog(IDD_LAYER_DLG, parent) {}

BOOL CLayerDlg::OnInitDialog()
{
    m_list.SubclassDlgItem(IDC_LAYER_LIST, this);
    CMyDialog::OnInitDialog();
    m_edit = std::make_unique<CLayerEdit>();
    PrepareList(m_list, m_images, LVS_EX_ONECLICKACTIVATE | LVS_EX_UNDERLINEHOT);
    CRect client;
    m_list.GetClientRect(&client);
    m_list.InsertColumn(0, "图层名称", LVCFMT_LEFT, client.Width() / 2);
    m_list.InsertColumn(1, "显示颜色", LVCFMT_LEFT, client.Width() / 5);
    m_list.InsertColumn(2, "是否显示", LVCFMT_LEFT, client.Width() / 4);
    for (int r = 0; r < m_edit->RowCount(); ++r) FillRow(r, true);
    ShowCurrent();
    return TRUE;
}

void CLayerDlg::FillRow(int row, bool insert)
{
    const LayerInfo& layer = m_edit->Row(row);
    if (insert)
        m_list.InsertItem(row, layer.name);
    else
        m_list.SetItemText(row, 0, layer.name);
    m_list.SetItemData(row, layer.colour);
    m_list.SetItemText(row, 1, "");
    ShowState(m_list, row, 2, layer.visible == 'Y');
}

void CLayerDlg::ShowCurrent()
{
    SetDlgItemText(IDC_LAYER_CURRENT, m_edit->Row(m_edit->Current()).name);
}

int CLayerDlg::SelectedRow() const
{
    return m_list.GetNextItem(-1, LVNI_SELECTED);
}

void CLayerDlg::OnClick(NMHDR* hdr, LRESULT* result)
{
    *result = 0;
    const NMITEMACTIVATE* a = reinterpret_cast<const NMITEMACTIVATE*>(hdr);
    int row = -1;
    const int column = SubItemAt(m_list, a->ptAction, row);
    if (row < 0) return;
    if (column == 2) {
        m_edit->ToggleVisible(row);
        ShowState(m_list, row, 2, m_edit->Row(row).visible == 'Y');
    } else if (column == 1) {
        CColorDialog dlg(m_edit->Row(row).colour, CC_FULLOPEN | CC_SOLIDCOLOR, this);
        if (dlg.DoModal() == IDOK) {
            m_edit->SetColour(row, dlg.GetColor());
            m_list.SetItemData(row, dlg.GetColor());
            m_list.Invalidate();
        }
    } else if (column == 0 && row != 0 && row == m_list.m_nLastSelected) {
        m_list.SendMessage(LVM_EDITLABELA, static_cast<WPARAM>(row));
    }
}

void CLayerDlg::OnEndLabelEdit(NMHDR* hdr, LRESULT* result)
{
    *result = FALSE;
    const NMLVDISPINFOA* info = reinterpret_cast<const NMLVDISPINFOA*>(hdr);
    if (!info->item.pszText) return;
    const int row = info->item.iItem;
    if (!m_edit->Rename(row, info->item.pszText)) {
        AppMessageBox("图层名已经存在，请重新输入图层名！");
        m_list.SetFocus();
        m_list.PostMessage(LVM_EDITLABELA, static_cast<WPARAM>(row));
        return;
    }
    m_list.SetItemText(row, 0, m_edit->Row(row).name);
    if (row == m_edit->Current()) ShowCurrent();
}

void CLayerDlg::OnMakeCurrent()
{
    const int row = SelectedRow();
    if (row < 0) return;
    m_edit->SetCurrent(row);
    ShowCurrent();
}

void CLayerDlg::OnShowAll()
{
    m_edit->ShowAll();
    for (int r = 0; r < m_edit->RowCount(); ++r) ShowState(m_list, r, 2, true);
}

void CLayerDlg::OnInvert()
{
    m_edit->InvertAll();
    for (int r = 0; r < m_edit->RowCount(); ++r) ShowState(m_list, r, 2, m_edit->Row(r).visible == 'Y');
}

void CLayerDlg::OnAdd()
{
    const int row = m_edit->Add();
    FillRow(row, true);
    m_list.SetFocus();
    m_list.SendMessage(LVM_EDITLABELA, static_cast<WPARAM>(row));
}

void CLayerDlg::OnDelete()
{
    const int row = SelectedRow();
    if (row <= 0) return;
    if (!m_edit->Delete(row, ConfirmLayerDeletion)) return;
    m_list.DeleteItem(row);
    ShowCurrent();
}

void CLayerDlg::OnOK()
{
    CMyDialog::OnOK();
    m_edit->Apply(false);
}

void CLayerDlg::OnSortAndOk()
{
    EndDialog(IDOK);
    m_edit->Apply(true);
}

void CLayerDlg::OnDestroy()
{
    m_images.DeleteImageList();
    Default();
}

// ---- the storey dialog ------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CLevelDlg, CMyDialog)

BEGIN_MESSAGE_MAP(CLevelDlg, CMyDialog)
ON_NOTIFY(NM_CLICK, IDC_STOREY_LIST, &CLevelDlg::OnClick)
ON_BN_CLICKED(IDC_LAYER_SHOW_ALL, &CLevelDlg::OnShowAll)
ON_BN_CLICKED(IDC_LAYER_INVERT, &CLevelDlg::OnInvert)
ON_WM_DESTROY()
END_MESSAGE_MAP()

CLevelDlg::CLevelDlg(CWnd* parent) : CMyDialog(IDD_STOREY_DLG, parent) {}

BOOL CLevelDlg::OnInitDialog()
{
    m_list.SubclassDlgItem(IDC_STOREY_LIST, this);
    CMyDialog::OnInitDialog();
    const int n = theLevels.GetCount();
    m_flags.assign(theLevels.flags, theLevels.flags + n + 2);
    PrepareList(m_list, m_images, 0);
    CRect client;
    m_list.GetClientRect(&client);
    m_list.InsertColumn(0, "楼层号", LVCFMT_LEFT, client.Width() / 3);
    m_list.InsertColumn(1, "是否显示", LVCFMT_LEFT, client.Width() / 4);
    m_list.InsertColumn(2, "层高", LVCFMT_LEFT, client.Width() / 6);
    m_list.InsertColumn(3, "标高", LVCFMT_LEFT, client.Width() / 6);
    for (int k = 0; k < n + 2; ++k) {
        const CStoreyRowTexts t = StoreyRowTexts(k, m_flags[size_t(k)] != 0);
        m_list.InsertItem(k, t.storey.c_str());
        ShowFlag(k);
        m_list.SetItemText(k, 2, t.height.c_str());
        m_list.SetItemText(k, 3, t.elevation.c_str());
    }
    return TRUE;
}

void CLevelDlg::ShowFlag(int row)
{
    ShowState(m_list, row, 1, m_flags[size_t(row)] != 0);
}

void CLevelDlg::OnClick(NMHDR* hdr, LRESULT* result)
{
    *result = 0;
    const NMITEMACTIVATE* a = reinterpret_cast<const NMITEMACTIVATE*>(hdr);
    int row = -1;
    if (SubItemAt(m_list, a->ptAction, row) != 1 || row < 0 || row >= int(m_flags.size())) return;
    m_flags[size_t(row)] = m_flags[size_t(row)] ? 0 : 1;
    ShowFlag(row);
}

void CLevelDlg::OnShowAll()
{
    for (size_t k = 0; k < m_flags.size(); ++k) {
        m_flags[k] = 1;
        ShowFlag(int(k));
    }
}

void CLevelDlg::OnInvert()
{
    for (size_t k = 0; k < m_flags.size(); ++k) {
        m_flags[k] = m_flags[k] ? 0 : 1;
        ShowFlag(int(k));
    }
}

void CLevelDlg::OnOK()
{
    CMyDialog::OnOK();
    ApplyStoreyFlags(m_flags);
}

void CLevelDlg::OnDestroy()
{
    m_images.DeleteImageList();
    Default();
}

bool RunLayerDialog()
{
    CLayerDlg dlg(AfxGetMainWnd());
    return dlg.DoModal() == IDOK;
}

bool RunLevelDialog()
{
    CLevelDlg dlg(AfxGetMainWnd());
    return dlg.DoModal() == IDOK;
}

void RegisterLayerAndStoreyDialogs()
{
    RegisterCommandHandler(32808, RunLayerDialog);
    RegisterCommandHandler(32809, RunLevelDialog);
}
