// Resource ids, shared by the code and the resource script.
#pragma once

#define IDR_MAIN_MENU       101
#define IDD_ABOUT           104
#define IDI_APP             106
#define IDD_ADD_WINDOW      108

#define IDC_ABOUT_ICON      1000
#define IDC_WINDOW_LIST     1001
#define IDC_ABOUT_WEB       1002
#define IDC_ABOUT_MAIL      1003
#define IDC_ABOUT_PRODUCT   1004
#define IDC_ABOUT_VERSION   1005

#define IDM_EXIT            40003
#define IDM_ADD_WINDOW      40011
#define IDM_REMOVE_WINDOW   40012
#define IDM_ABOUT           40013
#define IDM_CLOSE_WINDOW    40014
#define IDM_COPY_COMMAND_LINE 40020
