#pragma once
// The panels that show and choose the current section and material.
#define IDD_SECT_DISP 174
#define IDD_MATERIAL_DISP 185
#define IDD_PROPERTY 358

// Section class radios, in this order: ordinary, steel, variable.
#define IDC_PP_ORDINARY 1387
#define IDC_PP_STEEL 1068
#define IDC_PP_VARIABLE 1069
#define IDC_PP_LIST 1064
#define IDC_PP_TEXT 1012
#define IDC_PP_PICTURE 1126
#define IDC_PP_LIBRARY 1149
#define IDC_PP_HINT 1436
#define IDC_PP_SECTIONS 1291
#define IDC_PP_MATERIALS 1293
