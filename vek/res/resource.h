#pragma once
// Resource identifiers of Vek.exe.
#define IDR_MAINFRAME        128

#define ID_FILE_NEW          0xE100
#define ID_FILE_OPEN         0xE101
#define ID_FILE_SAVE         0xE103
#define ID_FILE_SAVE_AS      0xE104
#define ID_APP_EXIT          0xE141
#define ID_APP_ABOUT         0xE140
#define ID_EDIT_UNDO         0xE12B
#define ID_EDIT_REDO         0xE12C
#define ID_VIEW_TOOLBAR      0xE800
#define ID_VIEW_STATUS_BAR   0xE801
#define ID_INDICATOR_CAPS    0xE701
#define ID_INDICATOR_NUM     0xE702
#define ID_INDICATOR_SCRL    0xE703
#define AFX_IDS_APP_TITLE    0xE000
#define AFX_IDS_IDLEMESSAGE  0xE001
