// CMenuDlg: the main menu's decisions, driven by its window.
#include "menu_dlg.h"

#include <utility>

#include "exit_check.h"
#include "platform/files.h"
#include "startup_checks.h"

namespace menu {

SMenuEnvironment SMenuEnvironment::Real() {
    SMenuEnvironment environment;
    environment.m_isAdministrator = [] { return IsUserAdministrator(); };
    environment.m_fileExists = [](const std::string& file) { return platform::FileExists(file); };
    environment.m_isSiblingRunning = [](const std::string& mutex) { return ProbeMutexHeld(mutex); };
    return environment;
}

CMenuDlg::CMenuDlg(IMenuView& view, IMessageBoxView& messageBoxes, SMenuEnvironment environment)
    : m_view(view), m_boxes(messageBoxes), m_environment(std::move(environment)) {}

bool CMenuDlg::RunStartupChecks() {
    const platform::ErrorCode error = m_mutexMain.Create(m_environment.m_strMainMutex, true);
    if (error == platform::kErrorAlreadyExists) {
        m_mutexMain.Close();
        m_boxes.Show(std::string(kTextAlreadyRunning), std::string(kCaptionAlreadyRunning),
                     EMessageIcon::kError, EMessageButtons::kOk);
        m_view.Close();
        return false;
    }
    if (error != platform::kSuccess) return true;  // no mutex at all: the other checks are skipped
    m_bOwnsMainMutex = true;

    if (!m_environment.m_isAdministrator()) {
        m_boxes.Show(std::string(kTextNotAdministrator), std::string(kCaptionError),
                     EMessageIcon::kWarning, EMessageButtons::kOk);
        m_view.Close();
        return false;
    }
    if (const auto missing = FirstMissingProgramFile(m_environment.m_fileExists)) {
        m_boxes.Show(MissingFileText(*missing), std::string(kCaptionError), EMessageIcon::kWarning,
                     EMessageButtons::kOk);
        m_view.Close();
        return false;
    }
    return true;
}

void CMenuDlg::OnButton(int nControlId) {
    const SMenuButton* pButton = FindMenuButton(nControlId);
    if (pButton == nullptr) return;
    switch (pButton->m_eAction) {
        case EMenuAction::kStartProgram:
            m_view.AnimatePress(*pButton);
            m_view.StartProgram(std::string(pButton->m_strCommandLine));
            break;
        case EMenuAction::kOpenWebPage:
            // The wait cursor shows from the press until the browser has been asked.
            m_view.ShowWaitCursor(true);
            m_view.AnimatePress(*pButton);
            m_view.OpenWebPage(std::string(kDownloadUrl));
            m_view.ShowWaitCursor(false);
            break;
        case EMenuAction::kExit:
            m_view.AnimatePress(*pButton);
            RequestExit();
            break;
    }
}

void CMenuDlg::RequestExit() {
    const std::string text = ExitCheckText(m_environment.m_isSiblingRunning);
    if (!text.empty()) {
        m_boxes.Show(text, std::string(kCaptionExitCheck), EMessageIcon::kError,
                     EMessageButtons::kOk);
        return;
    }
    if (m_boxes.AskYesNo(std::string(kTextReallyExit), std::string(kCaptionExit),
                         EMessageIcon::kWarning))
        m_view.Close();
}

}  // namespace menu
