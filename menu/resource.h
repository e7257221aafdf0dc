// Resource numbers of VARNOLE.exe (the main menu). The values are fixed: the menu's tables and
// the GUI tests find the controls by them.
#pragma once

#define IDD_ABOUTBOX 100
#define IDD_VARNOLE_DIALOG 102
#define IDR_MAINFRAME 128

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#define IDB_SPLASH 129
#define IDB_DOWNLOAD 146
#define IDB_EXIT 150
#define IDB_EXIT_PRESSED 153
#define IDB_MANAGER 155
#define IDB_MANAGER_PRESSED 156
#define IDB_DOWNLOAD_PRESSED 157
#define IDB_GATHER 159
#define IDB_GATHER_PRESSED 160
#define IDB_CONVERT 162
#define IDB_BACKGROUND 163
#define IDB_PLOTARA 168
#define IDB_PLOTARA_PRESSED 169
#define IDB_CONVERT_PRESSED 170

#define IDC_GATHER 1011
#define IDC_CONVERT 1012
#define IDC_DOWNLOAD 1013
#define IDC_MANAGER 1014
#define IDC_EXIT 1015
#define IDC_PLOTARA 1018
#define IDC_BACKGROUND 1019
#define IDC_VERSION_TEXT 1020

// The system menu's item for the version window.
#define IDM_ABOUTBOX 0x0010
