#pragma once
// Resource identifiers of the new-project dialog.
#define IDD_FILE_NEW 366
#define IDC_FN_SPACE 1500
#define IDC_FN_PLANE 1502
#define IDC_FN_OPEN 1503
#define IDC_FN_RECENT 1504
// The popup of the recent projects.
#define IDR_FN_RECENT_MENU 385
