// The version window (template 100): the program's name, version and icon, and an OK button.
#pragma once
#include "win32ui/dialog_base.h"

class CVersionDlg : public CDialogBase {
public:
    CVersionDlg();
};
