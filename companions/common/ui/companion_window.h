// What the windows of the companion programs share: the start of the program, the suite's
// button faces and the folder picker.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "win32ui/color_button.h"

// The suite's command button look: white caption on RGB(63,128,255).
void MakeCommandButton(CColorButton& button, HWND hDialog, int nId);
// The suite's cancel button look: white caption on RGB(255,63,63).
void MakeCancelButton(CColorButton& button, HWND hDialog, int nId);

// Readies the common controls and COM (for the shell's folder dialog) for the program's thread;
// the COM part is undone when the object goes.
class CCompanionProgram {
public:
    CCompanionProgram();
    ~CCompanionProgram();
    CCompanionProgram(const CCompanionProgram&) = delete;
    CCompanionProgram& operator=(const CCompanionProgram&) = delete;

private:
    bool m_bCom = false;
};

// The shell's folder dialog with the title, opened on strInitial (when it exists): the chosen
// folder's path in UTF-8, or nothing when the user cancelled.
std::optional<std::string> AskFolder(HWND hOwner, const std::string& strTitle,
                                     const std::string& strInitial);
