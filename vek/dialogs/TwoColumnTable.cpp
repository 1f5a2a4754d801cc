#include "vek/dialogs/TwoColumnTable.h"

#include <new>

#include "vek/res/resource.h"

namespace {
constexpr int kBlankRows = 20;
}

CTableTwoCol* MakeTwoColumnTable(CWnd* dialog, int placeholder, UINT childId, const char* head1, const char* head2,
                                 double ratio)
{
    CWnd* place = dialog->GetDlgItem(placeholder);
    auto* table = new (std::nothrow) CTableTwoCol(1, 1);
    if (!table || !place) {
        delete table;
        AfxMessageBox(IDS_OUT_OF_MEMORY);
        return nullptr;
    }
    CRect r;
    place->GetWindowRect(&r);
    dialog->ScreenToClient(&r);
    r.DeflateRect(1, 1);
    if (!table->Create(r, dialog, childId)) {
        delete table;
        AfxMessageBox(IDS_OUT_OF_MEMORY);
        return nullptr;
    }
    table->SetCellText(0, 1, head1);
    table->SetCellText(0, 2, head2);
    table->SetWidthRatio(ratio);
    return table;
}

void ShowTableItems(CTableTwoCol& table)
{
    table.UpdateData(0);
    table.ResizeRows(table.m_items.GetSize() + 1 + kBlankRows);
    table.Invalidate(TRUE);
}
