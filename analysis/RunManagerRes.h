#pragma once
// Resource ids of the run manager's dialogs, menu and strings in analysis.dll.
#include "analysis/RunTexts.h"

#define IDD_RUN_SELECT 5000
#define IDR_RUN_SELECT_MENU 5001
#define IDD_RUN_MANAGER 5003

#define IDC_RUN_STOP 5002
#define IDC_RUN_COPY 5003
#define IDC_RUN_CLOSE 5004
#define IDC_RUN_STATUS 5005
#define IDC_RUN_AUTOCLOSE 5006
#define IDC_RUN_STEPS 5010
#define IDC_RUN_OUTPUT 20480

#define ID_RUN_SELECT_ALL 42981
#define ID_RUN_SELECT_INVERT 42982
#define ID_RUN_SELECT_BEFORE 42983
#define ID_RUN_SELECT_AFTER 42984
#define ID_RUN_SELECT_NONE 42985
#define ID_RUN_MENU_TITLE RUN_IDS_MENU_TITLE
