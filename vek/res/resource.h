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
