// Manager.exe stand-in: holds VARNOLE_ManaProgram while it runs, as the menu's exit check expects.
#include <windows.h>

#include "companion_dlg.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return RunCompanion({
        "Manager [代替プログラム]",
        "稼動データファイルの管理（Manager）の代替プログラムです。ファイルの削除やディレクトリ"
        "変更は行いません。起動中はメインメニュの終了チェックのためにミューテックスを保持します。",
        "VARNOLE_ManaProgram",
        "VARNOLE [稼動データファイルの管理] は、すでに起動されています。",
    });
}
