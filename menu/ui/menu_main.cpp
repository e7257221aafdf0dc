// VARNOLE.exe: the main menu program runs its one window modally and ends when it closes.
#include <windows.h>

#include <commctrl.h>

#include "menu_window.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // The common controls (tooltips) and the system's three-dimensional dialog look.
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES;
    InitCommonControlsEx(&controls);

    CMenuWindow window;
    window.DoModal(nullptr);
    return 0;
}
