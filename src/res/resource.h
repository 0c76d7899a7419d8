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
#define IDD_OVERWRITE             144

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

// The same menu bitmaps drawn for the larger display scales (125, 150 and
// 200 %): 15 x 15, 18 x 18 and 24 x 24
#define IDB_GLOBE_15              160
#define IDB_GLOBE_18              161
#define IDB_GLOBE_24              162
#define IDB_BALLOON_15            163
#define IDB_BALLOON_18            164
#define IDB_BALLOON_24            165
#define IDB_REDCROSS_15           166
#define IDB_REDCROSS_18           167
#define IDB_REDCROSS_24           168
#define IDB_QUESTION_15           169
#define IDB_QUESTION_18           170
#define IDB_QUESTION_24           171
#define IDB_HOUSE_15              172
#define IDB_HOUSE_18              173
#define IDB_HOUSE_24              174

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
#define IDC_PROGRESS              1018

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

// Replace question controls
#define IDC_REPLACE               1060
#define IDC_REPLACE_ALL           1061
#define IDC_SKIP                  1062
#define IDC_SKIP_ALL              1063
#define IDC_REPLACE_TEXT          1064
#define IDC_EXISTING_LABEL        1065
#define IDC_EXISTING_FILE         1066
#define IDC_NEW_LABEL             1067
#define IDC_NEW_FILE              1068
#define IDC_REPLACE_QUESTION      1069
// Menu commands
#define IDM_LANGUAGE              32771
#define IDM_EXIT                  32772
#define IDM_HELPFILE              32776
#define IDM_WEBSITE               32777
#define IDM_ABOUT                 32778

// Context menu of both lists
#define IDM_LIST_OPEN             32790
#define IDM_LIST_TRANSFER         32791
#define IDM_LIST_RENAME           32792
#define IDM_LIST_DELETE           32793
#define IDM_LIST_NEWFOLDER        32794
#define IDM_LIST_REFRESH          32795

// Saved servers and simultaneous transfers in the server profile dialog, and
// the Servers menu: its Manage item, then one command for each saved server
#define IDC_CONNECTIONS           1050
#define IDC_LABEL_CONNECTIONS     1051
#define IDC_SAVED_SERVERS         1052
#define IDC_SAVE_SERVER           1053
#define IDC_DELETE_SERVER         1054
#define IDC_LABEL_SAVED_SERVERS   1055
#define IDC_CONNECTIONS_SPIN      1056
#define IDM_MANAGE_SERVERS        33000
#define IDM_SAVED_SERVER_FIRST    33001
#define IDM_SAVED_SERVER_LAST     33100
