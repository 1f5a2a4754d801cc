#pragma once
// Texts of the run manager that also stand in the library's string table.
// Plain string literals, so the resource script can include this file.

#define RUN_IDS_OPEN_FAILED 5011
#define RUN_IDS_READ_FAILED 5012
#define RUN_IDS_NOT_DATA_FILE 5013
#define RUN_IDS_MENU_TITLE 42986

#define RUN_TXT_OPEN_FAILED "数据文件打开错误，文件可能不存在!"
#define RUN_TXT_READ_FAILED "数据文件读取错误，可能是文件共享失败!"
#define RUN_TXT_NOT_DATA_FILE "该文件可能不是KORVA数据文件，请确保数据文件包含SYSTEM数据段，并且SYSTEM前不允许有空格。"
#define RUN_TXT_MENU_TITLE "请选择合适的项"

#define RUN_TXT_SELECT_ALL "选择全部执行程序段\n全部选择"
#define RUN_TXT_SELECT_INVERT "反向选择当前执行程序段\n全部反选"
#define RUN_TXT_SELECT_BEFORE "选择当前程序段之前的所有程序段(包括当前程序段)\n全选前面程序段"
#define RUN_TXT_SELECT_AFTER "选择当前程序段之后的所有程序段(包括当前程序段)\n全选后面程序段"
#define RUN_TXT_SELECT_NONE "取消所有选中的选项\n全部取消"
