// Convert.exe: started by the main menu's "ＣＳＶファイルの作成" button, it turns the data files
// of the data directory into CSV files.
#include <windows.h>

#include "companion_window.h"
#include "convert_window.h"

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, PWSTR, int) {
    CCompanionProgram program;
    CConvertWindow window;
    window.DoModal(nullptr, hInstance);
    return 0;
}
