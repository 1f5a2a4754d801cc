#include "analysis/TableTwoCol.h"

#include <climits>

#include "analysis/TableTwoColData.h"

// clang-format off
BEGIN_MESSAGE_MAP(CTableTwoCol, CTableWnd)
END_MESSAGE_MAP()
// clang-format on

CTableTwoCol::CTableTwoCol(int rows, int intMode)
    : CTableWnd(rows < 0         ? 1
                : rows < INT_MAX ? rows + 1
                                 : INT_MAX,
                3),
      m_items(0),
      m_bIntMode(intMode ? 1 : 0)
{
}

CTableTwoCol::~CTableTwoCol()
{
    m_items.SetSize(0);
}

void CTableTwoCol::SetWidthRatio(double ratio)
{
    if (!m_hWnd || !(ratio >= 0.00001)) return;
    const int total = m_table.GetColWidth(1) + m_table.GetColWidth(2);
    const int first = int(total * ratio / (ratio + 1));
    m_table.SetColWidth(1, first);
    m_table.SetColWidth(2, total - first);
}

int CTableTwoCol::UpdateData(int toArray)
{
    if (toArray) return TwoColCellsToItems(*this, m_items, m_bIntMode != 0);
    const int done = TwoColItemsToCells(*this, m_items, m_bIntMode != 0);
    if (m_hWnd) Invalidate(TRUE);
    return done;
}
