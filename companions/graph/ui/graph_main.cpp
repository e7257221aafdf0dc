// Graph.exe: started as ".\Graph.exe" by Plotara, it draws the graph request found on the
// clipboard.
#include <windows.h>

#include <commctrl.h>

#include "chart_view.h"
#include "graph_window.h"

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS;
    InitCommonControlsEx(&controls);
    CChartView::Register(hInstance);
    CGraphWindow window;
    window.DoModal(nullptr, hInstance);
    return 0;
}
