#pragma once
// Resource identifiers of the test library. 402 shares its string block with
// strings of the test program, which does not have 402 itself.
#define IDS_RESLIB_TEXT 402
#define IDS_RESLIB_SHADOWED 400
#define IDD_RESLIB 7002
#define IDR_RESLIB_MENU 7003
#define IDR_RESLIB_BAR 7004
#define IDC_RESLIB_EDIT 7010
