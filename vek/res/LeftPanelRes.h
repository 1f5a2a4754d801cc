#pragma once
// Resource identifiers of the left panel beside the view.
#define IDD_LEFT_DLG 132
#define IDC_LP_SNAP_MODES 1008
#define IDC_LP_SNAP_ON 1009
#define IDC_LP_SELECT_METHOD 1026
#define IDC_LP_STOREY_RANGE 1025
#define IDC_LP_PLATFORM 1027
#define IDC_LP_GENERATE 1041
#define IDC_LP_ARC 1042
#define IDC_LP_STOREYS 1343
#define IDC_LP_LOAD_CASE 1477
#define IDC_LP_LOAD_CASE_LABEL 1479
#define IDC_LP_SCREEN_POINTS 1508
#define IDC_LP_AXES 1539

// The drag cursor over the panel's free spots: the program's drag cursor.
#define IDC_LP_DRAG_CURSOR 209

// The entries of the generation-method list.
#define IDS_GEN_LINE 106
#define IDS_GEN_QUAD 107
#define IDS_GEN_ARC 108
#define IDS_GEN_SINGLE 109
#define IDS_GEN_CROSSING 110
#define IDS_GEN_CHAIN 111
#define IDS_GEN_WINDOW 112
#define IDS_GEN_ONE_POINT_SHELLS 135
