// Convert.exe stand-in: holds VARNOLE_ConvProgram while it runs, as the menu's exit check expects.
#include <windows.h>

#include "companion_dlg.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return RunCompanion({
        "Convert [代替プログラム]",
        "ＣＳＶファイルの作成（Convert）の代替プログラムです。ＣＳＶファイルは作成しません。"
        "起動中はメインメニュの終了チェックのためにミューテックスを保持します。",
        "VARNOLE_ConvProgram",
        "VARNOLE [ＣＳＶファイルの作成] は、すでに起動されています。",
    });
}
