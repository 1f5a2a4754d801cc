#pragma once
// The editing dialogs' resources.
#define IDD_COMB_NODE_CONFIRM 196
#define IDC_COMB_NODE_TEXT 1212
#define IDC_COMB_NODE_YES_ALL 1213
#define IDC_COMB_NODE_NO_ALL 1214
#define IDC_COMB_NODE_NO 1216
#define IDC_COMB_NODE_YES 1217
