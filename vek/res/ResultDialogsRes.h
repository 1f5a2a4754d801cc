#pragma once
// The result dialogs' resources.
#define IDD_RESULT_FILTER 370
#define IDD_DISP_PIC_TYPE 375
#define IDD_ONE_DIM_FORCE 377

#define IDC_RES_FILTER_BUTTON 1387
#define IDC_RES_NOTE 1390
#define IDC_RES_PICTURE_FIRST 1067    // the eighteen pictures, 1067..1084
#define IDC_RES_ELEMENT_FIRST 1121    // beams, trusses, curved beams, pipes: 1121..1124
#define IDC_RES_COMPONENT_FIRST 1125  // six forces: 1125..1130
#define IDC_RES_ENVELOPE_FIRST 1551   // 1551..1553
#define IDC_RES_FILTER_ON 1502
#define IDC_RES_FILTER_MODE_FIRST 1387  // in the filter dialog: 1387..1389
#define IDC_RES_FILTER_P1 1506
#define IDC_RES_FILTER_P2 1507
#define IDC_RES_FILTER_LOW 1508
#define IDC_RES_FILTER_HIGH 1509
#define IDD_CONTOUR_OPTION 379
#define IDC_RES_CONTOUR_TYPE 1554
#define IDC_RES_CONTOUR_COMPONENT 1555
