// Gather.exe: chooses what the controller works on, then runs the main window modally.
#include <windows.h>

#include <commctrl.h>

#include "gather_environment.h"
#include "gather_window.h"
#include "sim/host_access_choice.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // List views, tooltips, the date picker; the system's three-dimensional dialog look.
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES | ICC_DATE_CLASSES;
    InitCommonControlsEx(&controls);

    // The simulated network when VARNOLE_SIMULATION names a description, else the real one.
    platform::HostAccess& network = sim::ProcessHostAccess();
    const CGatherEnvironment environment = SystemGatherEnvironment(network);
    auto pWindow = std::make_unique<CGatherWindow>(environment, network);
    pWindow->DoModal(nullptr);
    return 0;
}
