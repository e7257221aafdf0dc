// Plotara.exe: the start-up check, then the one window run modally; the program ends with it.
#include <windows.h>

#include <commctrl.h>

#include "plotara_window.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // The common controls (list view, tooltips) and the system's three-dimensional dialog look.
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES;
    InitCommonControlsEx(&controls);

    CPlotaraWindow window;
    if (!window.RunStartupChecks()) return 0;
    window.DoModal(nullptr);
    return 0;
}
