// Resource ids of the program: window templates, menu, icons, bitmaps, strings
// and controls. Shared by the .rc files and the C++ code.
#pragma once

// Controls that no code addresses
#ifndef IDC_STATIC
#define IDC_STATIC                (-1)
#endif

// Window templates
#define IDD_ABOUTBOX              100
#define IDD_FTPTANDRIL_DIALOG     102
#define IDD_ADDFTP                132
#define IDD_LANGUAGE              143

// String table
#define IDS_ABOUTBOX              101

// Icons
#define IDR_MAINFRAME             128
#define IDI_FOLDER                129
#define IDI_FILE                  130
#define IDI_PARENT                131

// Menu and its 12 x 12 item bitmaps
#define IDR_MAINMENU              134
#define IDB_GLOBE                 135
#define IDB_BALLOON               136
#define IDB_REDCROSS              139
#define IDB_QUESTION              141
#define IDB_HOUSE                 142

// System menu item
#define IDM_ABOUTBOX              0x0010

// Main window controls
#define IDC_TRANSFER              1002
#define IDC_LOCAL_PATH            1003
#define IDC_LOCAL_BROWSE          1004
#define IDC_FTP_PATH              1005
#define IDC_FTP_BROWSE            1006
#define IDC_LOCAL_LIST            1007
#define IDC_FTP_LIST              1008
#define IDC_STATUS                1009
#define IDC_TO_LOCAL              1010
#define IDC_LOCAL_ADDFOLDER       1011
#define IDC_FTP_ADDFOLDER         1012
#define IDC_FTP_DELETE            1013
#define IDC_LOCAL_DELETE          1014
#define IDC_LOCAL_GROUP           1015
#define IDC_FTP_GROUP             1016
#define IDC_TO_FTP                1017

// Server profile dialog controls
#define IDC_CHECK_CONNECTION      1037
#define IDC_LABEL_SERVER          1038
#define IDC_LABEL_USER            1039
#define IDC_LABEL_PASSWORD        1040
#define IDC_LABEL_FOLDER          1041
#define IDC_EXAMPLE_SERVER        1042
#define IDC_EXAMPLE_FOLDER        1043
#define IDC_PROFILE_GROUP         1044
#define IDC_SERVER_NAME           1045
#define IDC_USER                  1046
#define IDC_FOLDER                1047
#define IDC_PASSWORD              1048
#define IDC_PASSIVE_MODE          1049

// Language selection dialog controls
#define IDC_LANGUAGE_GROUP        1044
#define IDC_LANGUAGE_COMBO        1017

// Menu commands
#define IDM_LANGUAGE              32771
#define IDM_EXIT                  32772
#define IDM_HELPFILE              32776
#define IDM_WEBSITE               32777
#define IDM_ABOUT                 32778
