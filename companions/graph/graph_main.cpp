// Graph.exe stand-in: started as ".\Graph.exe", it shows the request found on the clipboard.
#include <windows.h>

#include <commctrl.h>

#include "graph_dlg.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES | ICC_LISTVIEW_CLASSES;
    InitCommonControlsEx(&controls);
    CGraphDlg dialog;
    dialog.DoModal(nullptr);
    return 0;
}
