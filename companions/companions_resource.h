// Resource numbers of the companion programs (Graph.exe, Manager.exe, Convert.exe).
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#define IDD_GRAPH 201
#define IDD_CONVERT 202
#define IDD_MANAGER 203

#define IDC_STATUS 1002

// Graph's window.
#define IDC_CHART 1010
#define IDC_PROGRESS 1011
#define IDC_SAVE 1012
#define IDC_COPY 1013

// Convert's window.
#define IDC_CONVERT_LIST 1100
#define IDC_CONVERT_DATADIR 1101
#define IDC_CONVERT_FOLDER 1102
#define IDC_CONVERT_BROWSE 1103
#define IDC_CONVERT_UTF8 1104
#define IDC_CONVERT_STATUS 1105
#define IDC_CONVERT_PROGRESS 1106
#define IDC_CONVERT_START 1107
#define IDC_CONVERT_STOP 1108

// Manager's window.
#define IDC_MANAGER_LIST 1200
#define IDC_MANAGER_FOLDER 1201
#define IDC_MANAGER_CHANGE 1202
#define IDC_MANAGER_SPACE 1203
#define IDC_MANAGER_STATUS 1204
#define IDC_MANAGER_DELETE 1205
#define IDC_MANAGER_REFRESH 1206
