// Manager.exe: started by the main menu's "稼動データファイルの管理" button, it deletes data
// files and changes the data directory.
#include <windows.h>

#include "companion_window.h"
#include "manager_window.h"

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, PWSTR, int) {
    CCompanionProgram program;
    CManagerWindow window;
    window.DoModal(nullptr, hInstance);
    return 0;
}
