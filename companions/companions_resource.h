// Resource numbers of the companion stand-ins (Graph.exe, Manager.exe, Convert.exe).
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#define IDD_COMPANION 200
#define IDD_GRAPH 201

#define IDC_DESCRIPTION 1001
#define IDC_STATUS 1002
#define IDC_COUNTER 1003
#define IDC_HOST 1004
#define IDC_SHOW_DATE 1005
#define IDC_FILES 1006
