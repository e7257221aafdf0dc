// Resource numbers of Plotara.exe; the values are the documented numbers.
#pragma once

#define IDD_PLOTARA_DIALOG 103
#define IDR_MAINFRAME 128

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// The picture in the window and the image of the "グラフ作成" button.
#define IDB_LOGO 141
#define IDB_CREATE_GRAPH 142

#define IDC_FILE_LIST 1000
#define IDC_SHOW_DATE 1002
#define IDC_TIME_ONLY 1003
#define IDC_COUNTER 1007
#define IDC_CREATE_GRAPH 1008
#define IDC_LOGO 1009
