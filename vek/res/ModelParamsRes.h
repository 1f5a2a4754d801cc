#pragma once
// Resource identifiers of the axis-grid editor and the eigen parameters.
#define IDD_AXIS_EDIT 162
#define IDC_AX_DELETE 1048
#define IDC_AX_ADD 1049
#define IDC_AX_NAME 1064
#define IDC_AX_ORTHOGONAL 1067
#define IDC_AX_POLAR 1068
#define IDC_AX_ECCENTRIC 1069
#define IDC_AX_X 1070
#define IDC_AX_Y 1071
#define IDC_AX_ANGLE 1072
#define IDC_AX_DX 1073
#define IDC_AX_DY 1074
#define IDC_AX_FIRST_LABEL 1075
#define IDC_AX_SECOND_LABEL 1076
#define IDC_AX_FIRST_TABLE 1077
#define IDC_AX_SECOND_TABLE 1078
#define IDC_AX_SHOW 1256
#define IDC_AX_ELEVATIONS 1257

#define IDD_EIGEN 165
#define IDC_EG_ON 1080
#define IDC_EG_MINUS_Z 1081
#define IDC_EG_MODES 1082
#define IDC_EG_RITZ 1083
#define IDC_EG_FACTORS 1084
#define IDC_EG_SUBSPACE 1085
#define IDC_EG_LANCZOS 1086
#define IDC_EG_STURM 1087
#define IDC_EG_MODES_LABEL 1088
#define IDC_EG_FACTORS_LABEL 1089
