#pragma once
// Resource identifiers of the node-restraint panels.
#define IDD_FREEDOM 156
#define IDD_FREEDOM_PLAN 284
#define IDC_FR_UX 1040
#define IDC_FR_UY 1041
#define IDC_FR_UZ 1042
#define IDC_FR_RX 1043
#define IDC_FR_RY 1044
#define IDC_FR_RZ 1045
#define IDC_FR_ALL 1046
#define IDC_FR_NONE 1047
#define IDC_FR_INVERT 1048
#define IDC_FR_FIXED 1430
#define IDC_FR_HINGED 1431
#define IDC_FR_HOLD_Z 1432
#define IDC_FR_HOLD_Y 1433
#define IDC_FR_HOLD_Y_RX 1434
#define IDC_FR_HOLD_Z_RX 1435
#define IDC_FR_FREE 1436
#define IDI_SUPPORT_FIXED 286
#define IDI_SUPPORT_HINGED 287
#define IDI_SUPPORT_Y 288
#define IDI_SUPPORT_Z 289
#define IDI_SUPPORT_Y_RX 290
#define IDI_SUPPORT_Z_RX 291
