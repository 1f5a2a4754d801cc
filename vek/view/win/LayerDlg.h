#pragma once
// The layer dialog ("图层显示控制对话框") and the storey dialog
// ("楼层显示控制对话框"): lists of layers and storeys to switch on and
// off; the layer dialog also names, colours, adds, deletes and sorts layers.
// Their work on the model is CLayerEdit's and ApplyStoreyFlags'.
#include <memory>
#include <vector>

#include "analysis/MyDialog.h"
#include "vek/view/operate/LayerEdit.h"

// The layer list paints its colour column itself.
class CLayerListCtrl : public CListCtrl {
    DECLARE_DYNAMIC(CLayerListCtrl)
public:
    // The row that was selected when the left button last went down (-1 none).
    int m_nLastSelected = -1;

protected:
    void OnPaint();
    void OnLButtonDown(UINT flags, CPoint point);
    DECLARE_MESSAGE_MAP()
};

class CLayerDlg : public CMyDialog {
    DECLARE_DYNAMIC(CLayerDlg)
public:
    explicit CLayerDlg(CWnd* parent = nullptr);
    BOOL OnInitDialog() override;
    void OnOK() override;

    CLayerListCtrl m_list;
    std::unique_ptr<CLayerEdit> m_edit;

protected:
    void FillRow(int row, bool insert);
    void ShowCurrent();
    int SelectedRow() const;
    void OnClick(NMHDR* hdr, LRESULT* result);
    void OnEndLabelEdit(NMHDR* hdr, LRESULT* result);
    void OnMakeCurrent();
    void OnShowAll();
    void OnInvert();
    void OnAdd();
    void OnDelete();
    void OnSortAndOk();
    void OnDestroy();

    CImageList m_images;
    DECLARE_MESSAGE_MAP()
};

class CLevelDlg : public CMyDialog {
    DECLARE_DYNAMIC(CLevelDlg)
public:
    explicit CLevelDlg(CWnd* parent = nullptr);
    BOOL OnInitDialog() override;
    void OnOK() override;

    CListCtrl m_list;
    // Rows 0..n+1: no storey, then storeys 0..n.
    std::vector<uint8_t> m_flags;

protected:
    void ShowFlag(int row);
    void OnClick(NMHDR* hdr, LRESULT* result);
    void OnShowAll();
    void OnInvert();
    void OnDestroy();

    CImageList m_images;
    DECLARE_MESSAGE_MAP()
};

// The two commands' dialogs (the view's commands 32808 and 32809); true on OK.
bool RunLayerDialog();
bool RunLevelDialog();
// Binds them to their commands.
void RegisterLayerAndStoreyDialogs();
