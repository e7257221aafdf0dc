// CMenuDlg: the main menu's behaviour — start-up checks, button actions, the guarded exit.
//
// The window (menu/ui) draws, animates and shows message boxes; everything it decides comes from
// here, through the IMenuView it implements.
#pragma once
#include <functional>
#include <string>

#include "menu_tables.h"
#include "platform/named_mutex.h"

namespace menu {

// What CMenuDlg asks of its window.
class IMenuView {
public:
    virtual ~IMenuView() = default;
    // A message box with an error icon and an OK button.
    virtual void ShowError(const std::string& strText, const std::string& strCaption) = 0;
    // A message box with a warning icon and an OK button.
    virtual void ShowWarning(const std::string& strText, const std::string& strCaption) = 0;
    // A Yes/No question with a warning icon; true for Yes.
    virtual bool AskYesNo(const std::string& strText, const std::string& strCaption) = 0;
    // The press animation: the control's pressed picture for a moment, then its normal one.
    virtual void AnimatePress(const SMenuButton& button) = 0;
    // The wait cursor on or off.
    virtual void ShowWaitCursor(bool bWait) = 0;
    // Starts a program without waiting; a failure is not reported.
    virtual void StartProgram(const std::string& strCommandLine) = 0;
    // Opens a web page with the shell's "open" verb.
    virtual void OpenWebPage(const std::string& strUrl) = 0;
    // Closes the window, which ends the program.
    virtual void Close() = 0;
};

// What CMenuDlg asks of the machine; the defaults are the real platform operations.
struct SMenuEnvironment {
    std::string m_strMainMutex = std::string(kMainMutex);
    std::function<bool()> m_isAdministrator;
    std::function<bool(const std::string&)> m_fileExists;
    std::function<bool(const std::string&)> m_isSiblingRunning;

    // The real operations: token groups, files of the current directory, mutex probes.
    static SMenuEnvironment Real();
};

class CMenuDlg {
public:
    CMenuDlg(IMenuView& view, SMenuEnvironment environment);

    // Start-up steps 5 to 7: single instance, administrator, program files. Shows the message of
    // the first failing check and closes the window; true when the menu stays open. When the
    // main mutex cannot be created at all, the administrator and file checks are skipped.
    bool RunStartupChecks();

    // A picture button was clicked: press animation, then its action.
    void OnButton(int nControlId);

    // The exit request: the exit check, then the confirmation; the window closes only on Yes.
    void RequestExit();

    // Enter does nothing: the menu has no default action, and it must not close unchecked.
    void OnEnter() {}
    // Escape, and a close request from outside (WM_CLOSE), lead to the exit request.
    void OnEscape() { RequestExit(); }

    // True while this menu owns the main mutex.
    bool OwnsMainMutex() const { return m_bOwnsMainMutex; }

private:
    IMenuView& m_view;
    SMenuEnvironment m_environment;
    platform::NamedMutex m_mutexMain;
    bool m_bOwnsMainMutex = false;
};

}  // namespace menu
