// The window of the Manager and Convert stand-ins: says what it is while it holds its mutex.
#pragma once
#include <string>

#include "platform/named_mutex.h"
#include "win32ui/color_button.h"
#include "win32ui/dialog_base.h"

struct SCompanionInfo {
    std::string m_strCaption;         // the window's title
    std::string m_strDescription;     // what the program stands in for
    std::string m_strMutex;           // held while the program runs
    std::string m_strAlreadyRunning;  // shown when the mutex already exists
};

class CCompanionDlg : public CDialogBase {
public:
    explicit CCompanionDlg(SCompanionInfo info);

private:
    bool OnInit() override;

    SCompanionInfo m_info;
    platform::NamedMutex m_mutex;
    CColorButton m_buttonExit;
};

// The suite's command button look: white caption on RGB(63,128,255).
void MakeCommandButton(CColorButton& button, HWND hDialog, int nId);

// Runs a stand-in: the common controls, then the window until it is closed.
int RunCompanion(SCompanionInfo info);
