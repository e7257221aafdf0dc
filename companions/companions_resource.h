// Resource numbers of the companion programs (Graph.exe, Manager.exe, Convert.exe).
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#define IDD_COMPANION 200
#define IDD_GRAPH 201

#define IDC_DESCRIPTION 1001
#define IDC_STATUS 1002

// Graph's window.
#define IDC_CHART 1010
#define IDC_PROGRESS 1011
#define IDC_SAVE 1012
#define IDC_COPY 1013
