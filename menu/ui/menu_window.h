// The main menu's window: a thin Win32 view over CMenuDlg.
#pragma once
#include <windows.h>

#include <array>
#include <memory>

#include "menu_dlg.h"
#include "splash_window.h"
#include "win32ui/dialog_base.h"
#include "win32ui/dialog_colors.h"
#include "win32ui/message_box_view.h"
#include "win32ui/tooltip.h"

class CMenuWindow : public CDialogBase, private menu::IMenuView {
public:
    CMenuWindow();
    ~CMenuWindow() override;

private:
    // A picture button's two pictures, loaded once.
    struct SPicture {
        HBITMAP m_hNormal = nullptr;
        HBITMAP m_hPressed = nullptr;
    };

    bool OnInit() override;
    bool OnCommand(int nId, int nCode, HWND hControl) override;
    void OnOk() override;
    void OnCancel() override;
    bool OnSysCommand(WPARAM nCommand, LPARAM lParam) override;
    HBRUSH OnCtlColor(UINT nMessage, HDC hDC, HWND hControl) override;
    void OnDestroy() override;
    bool PreTranslateMessage(MSG& msg) override;

    void SetUpSystemMenu();
    void AttachPicturesAndTooltips();
    SPicture* PictureFor(int nControlId);

    // menu::IMenuView
    void AnimatePress(const menu::SMenuButton& button) override;
    void ShowWaitCursor(bool bWait) override;
    void StartProgram(const std::string& strCommandLine) override;
    void OpenWebPage(const std::string& strUrl) override;
    void Close() override;

    win32ui::CWindowMessageBoxView m_messageBoxes;  // the model's message boxes, owned here
    menu::CMenuDlg m_menu;
    HINSTANCE m_hInstance;
    CSplashWindow m_splash;
    std::array<SPicture, menu::kMenuButtons.size()> m_pictures;
    std::array<std::unique_ptr<CToolTip>, menu::kMenuButtons.size()> m_tooltips;
    CDialogColors m_colors;
    HBITMAP m_hBackground = nullptr;
    HICON m_hIconLarge = nullptr;
    HICON m_hIconSmall = nullptr;
    HCURSOR m_hCursorBeforeWait = nullptr;
};
