#pragma once
// Resource ids of the grid control's dialog in analysis.dll.
#define IDD_FILL_TABLE 5004

#define IDC_FILL_COPY 5007
#define IDC_FILL_SERIES 5008
#define IDC_FILL_ROWS 5009
