// The Manager and Convert stand-ins' window: takes the program's mutex, then shows what it is.
#include "companion_dlg.h"

#include <commctrl.h>

#include <utility>

#include "companions_resource.h"
#include "win32ui/message_box.h"
#include "win32ui/window_text.h"

CCompanionDlg::CCompanionDlg(SCompanionInfo info)
    : CDialogBase(IDD_COMPANION), m_info(std::move(info)) {}

void MakeCommandButton(CColorButton& button, HWND hDialog, int nId) {
    button.m_crFace = RGB(63, 128, 255);
    button.m_crText = RGB(255, 255, 255);
    button.m_crDisabledText = RGB(116, 162, 254);  // readable on the blue face while disabled
    button.Attach(hDialog, nId);
}

bool CCompanionDlg::OnInit() {
    MakeCommandButton(m_buttonExit, Handle(), IDCANCEL);
    win32ui::SetWindowTextUtf8(Handle(), m_info.m_strCaption);
    win32ui::SetDlgItemTextUtf8(Handle(), IDC_DESCRIPTION, m_info.m_strDescription);
    const platform::ErrorCode error = m_mutex.Create(m_info.m_strMutex, true);
    if (error == platform::kErrorAlreadyExists) {
        win32ui::ShowMessageBox(Handle(), m_info.m_strAlreadyRunning, m_info.m_strCaption,
                                MB_ICONERROR, MB_OK);
        EndDialog(IDCANCEL);
        return true;
    }
    win32ui::SetDlgItemTextUtf8(Handle(), IDC_STATUS,
                                error == platform::kSuccess
                                    ? "ミューテックス " + m_info.m_strMutex + " を保持しています。"
                                    : "ミューテックス " + m_info.m_strMutex +
                                          " を作成できません（エラー " + std::to_string(error) +
                                          "）。");
    return true;
}

int RunCompanion(SCompanionInfo info) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES;
    InitCommonControlsEx(&controls);
    CCompanionDlg dialog(std::move(info));
    dialog.DoModal(nullptr);
    return 0;
}
