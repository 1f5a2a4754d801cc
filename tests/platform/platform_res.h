#pragma once
#define IDS_GBK_TEXT 101
#define IDD_ENTRY 201
#define IDC_NAME 1001
#define IDC_COUNT 1002
