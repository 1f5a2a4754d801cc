#pragma once
// Resource identifiers of the node-load panel, the edit panel of up to six
// values and the parameter display.
#define IDD_NODE_LOAD 191
#define IDC_NL_FX 1067
#define IDC_NL_FY 1068
#define IDC_NL_FZ 1069
#define IDC_NL_MX 1204
#define IDC_NL_MY 1205
#define IDC_NL_MZ 1206
#define IDC_NL_REPLACE 1145
#define IDC_NL_ADD 1146
#define IDC_NL_SUBTRACT 1147
#define IDC_NL_DELETE_TYPE 1148
#define IDC_NL_DELETE_ALL 1149
#define IDC_NL_VALUE 1207
#define IDC_NL_VALUE_LABEL 1208

#define IDD_EDIT_PROMPT 190
#define IDC_EP_TITLE 1199
#define IDC_EP_EDIT1 1202
#define IDC_EP_LABEL1 1208

#define IDD_PARA_DISP 133
#define IDC_PD_BUTTON 1010
#define IDC_PD_TEXT 1012

