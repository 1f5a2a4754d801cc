#pragma once
// A grid of two value columns bound to a sorted array of items: the program
// fills m_items and calls UpdateData(0) to show them, and after editing
// UpdateData(1) to read the rows back as items sorted by their left value.
#include "analysis/AxisGridItem.h"
#include "analysis/TableWnd.h"
#include "containers/MLArraySort.h"

class ANALYSIS_API CTableTwoCol : public CTableWnd {
public:
    // rows data rows (the header row comes on top), the header column and two
    // value columns; intMode: the first value column holds integers.
    explicit CTableTwoCol(int rows = 1, int intMode = 1);
    ~CTableTwoCol() override;

    // Shares the width of the two value columns: the first gets
    // ratio / (ratio + 1) of it. Nothing before the window exists.
    void SetWidthRatio(double ratio);
    // 0: the items into the cells; otherwise the cells into the items. 0 only
    // when memory ran out.
    int UpdateData(int toArray);

    MLArraySort<CAxisGridItem> m_items;
    BYTE m_bIntMode;

protected:
    DECLARE_MESSAGE_MAP()
};
