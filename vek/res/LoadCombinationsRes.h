#pragma once
// Resource identifiers of the load-combination dialogs.
#define IDD_ONE_LOAD_COMB 166
#define IDC_OC_FACTORS 1084
#define IDC_OC_EQ1 1085
#define IDC_OC_EQ2 1086
#define IDC_OC_EQV 1087
#define IDC_OC_CONSTRUCTION 1088
#define IDC_OC_STEP 1089
#define IDC_OC_HISTORY 1090
#define IDC_OC_EQ1_LABEL 1427
#define IDC_OC_EQ2_LABEL 1428
#define IDC_OC_EQ_METHOD 1549
#define IDC_OC_HISTORY_METHOD 1550

#define IDD_LOAD_COMB 167
#define IDC_LC_DELETE 1048
#define IDC_LC_CLEAR 1049
#define IDC_LC_LIST 1086
#define IDC_LC_ADD 1087
#define IDC_LC_LIBRARY 1090
#define IDC_LC_EDIT 1091
#define IDC_LC_NOTEPAD 1263
#define IDC_LC_SAME 1396
