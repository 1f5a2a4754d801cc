#pragma once
// The two value columns of a two-column grid and its sorted items, over any
// table with GetRowCount, ResizeRows, SetCellText and GetCellText (the window
// through its virtual operations, or a CTableModel).
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "analysis/AxisGridItem.h"
#include "containers/MLArraySort.h"

// "%d" or "%.6g" for the left value (by the grid's mode), "%.6g" for the
// right one; one row per item. 0 when the table could not take the rows.
template <class Table>
int TwoColItemsToCells(Table& t, MLArraySort<CAxisGridItem>& items, bool intMode)
{
    const int n = items.GetSize();
    t.ResizeRows(n + 1);
    if (t.GetRowCount() != n + 1) return 0;
    char text[64];
    for (int i = 0; i < n; ++i) {
        const CAxisGridItem& item = *items.GetAt(i);
        if (intMode) {
            int left;
            item.GetLeft(left);
            std::snprintf(text, sizeof text, "%d", left);
        } else {
            double left;
            item.GetLeft(left);
            std::snprintf(text, sizeof text, "%.6g", left);
        }
        t.SetCellText(i + 1, 1, text);
        double right;
        item.GetRight(right);
        std::snprintf(text, sizeof text, "%.6g", right);
        t.SetCellText(i + 1, 2, text);
    }
    return 1;
}

// The integer a text starts with, held to the int range.
inline int TwoColInt(const char* text)
{
    errno = 0;
    const long long v = std::strtoll(text, nullptr, 10);
    return v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : int(v);
}

// The items of the rows that have a text in either value column (a missing
// one reads "0"), sorted by the left value, equal ones in row order. 0 when
// memory ran out (the items then hold the rows before).
template <class Table>
int TwoColCellsToItems(Table& t, MLArraySort<CAxisGridItem>& items, bool intMode)
{
    items.SetSize(0);
    const int rows = t.GetRowCount();
    if (rows > 1) items.SetSize(rows - 1);
    char left[79], right[79];
    for (int r = 1; r < rows; ++r) {
        const int hasLeft = t.GetCellText(r, 1, left, sizeof left);
        if (!hasLeft) std::strcpy(left, "0");
        const int hasRight = t.GetCellText(r, 2, right, sizeof right);
        if (!hasLeft && !hasRight) continue;
        if (!hasRight) std::strcpy(right, "0");
        const double value = std::atof(right);
        const CAxisGridItem item =
            intMode ? CAxisGridItem(TwoColInt(left), value) : CAxisGridItem(std::atof(left), value);
        if (!items.Add(item)) return 0;
    }
    return 1;
}
