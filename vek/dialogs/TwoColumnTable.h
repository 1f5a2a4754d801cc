#pragma once
// The two-column grids of the dialogs: made over a placeholder control of
// the template, with their column heads, showing their items and blank rows
// below them to type into.
#include "analysis/TableTwoCol.h"

class CWnd;

// Null (after the out-of-memory message) when the grid cannot be made.
CTableTwoCol* MakeTwoColumnTable(CWnd* dialog, int placeholder, UINT childId, const char* head1, const char* head2,
                                 double ratio);
// The grid's items into its rows, with blank rows after them.
void ShowTableItems(CTableTwoCol& table);
