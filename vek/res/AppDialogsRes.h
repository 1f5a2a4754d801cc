#pragma once
// Resource identifiers of the application's own dialogs: the About box, the
// edit dialog and the two bubbles.
#define IDD_ABOUTBOX 100
#define IDC_ABOUT_VERSION 1423
#define IDC_ABOUT_LINK 1507
#define IDC_LINK_CURSOR 177

#define IDD_EDIT_DIALOG 135

#define IDD_PROMPT_FLASH 147
#define IDD_EDIT_FLASH 148
#define IDC_FLASH_EDIT 1019
#define IDC_FLASH_TEXT 1020

// The docking bar at the bottom of the main frame.
#define IDW_DIALOGS_BAR 0xE810

