#pragma once
// Resources of the grid window tests.
#define IDD_GRID_HOST 120
#define IDD_GRID_PAGE 121
#define IDC_GRID_OTHER 1101
