// CMenuDlg: the main menu's behaviour — start-up checks, button actions, the guarded exit.
//
// The window (menu/ui) draws, animates and shows message boxes; everything it decides comes from
// here, through the IMenuView it implements and the message boxes it shows for the model.
#pragma once
#include <functional>
#include <string>

#include "dialog/message_box.h"
#include "menu_tables.h"
#include "platform/named_mutex.h"

namespace menu {

// What CMenuDlg asks of its window besides message boxes.
class IMenuView {
public:
    virtual ~IMenuView() = default;
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
    // The view and the message boxes' view must outlive the model.
    CMenuDlg(IMenuView& view, IMessageBoxView& messageBoxes, SMenuEnvironment environment);

    // The checks the menu makes once its window exists: that it is the only copy (it takes the
    // main mutex), that the user is an administrator, and that the suite's program files are
    // there. Shows the message of the first failing check and closes the window; true when the
    // menu stays open. When the main mutex cannot be created at all, the administrator and file
    // checks are skipped.
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
    CMessageBoxes m_boxes;
    SMenuEnvironment m_environment;
    platform::NamedMutex m_mutexMain;
    bool m_bOwnsMainMutex = false;
};

}  // namespace menu
