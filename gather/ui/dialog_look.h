// The look the host and group dialogs share: the background and text colours, colour buttons
// (blue for commands, red for cancel, white captions), tooltips and the wait cursor.
#pragma once
#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "win32ui/color_button.h"
#include "win32ui/dialog_colors.h"
#include "win32ui/tooltip.h"
#include "win32ui/wait_cursor.h"

namespace gather_ui {

inline constexpr COLORREF kBackground = RGB(240, 240, 250);
inline constexpr COLORREF kStaticText = RGB(0, 0, 240);      // registration and group dialogs
inline constexpr COLORREF kCheckText = RGB(0, 0, 255);       // the acquisition check
inline constexpr COLORREF kCommandFace = RGB(63, 128, 255);  // OK and the command buttons
inline constexpr COLORREF kCancelFace = RGB(255, 63, 63);    // ｷｬﾝｾﾙ
inline constexpr COLORREF kButtonText = RGB(255, 255, 255);
inline constexpr COLORREF kDisabledButtonText = RGB(116, 162, 254);

class CDialogLook {
public:
    // Statics (and read-only edits) get the background and crStaticText; edits get crEditText
    // when one is given.
    CDialogLook(COLORREF crStaticText, std::optional<COLORREF> crEditText);

    // A blue command button or the red cancel button, subclassed from its dialog item.
    void AddCommandButton(HWND hDialog, int nId);
    void AddCancelButton(HWND hDialog, int nId);
    void AddTooltip(HWND hDialog, int nId, const std::string& strText);

    CDialogColors& Colors() { return m_colors; }
    // The dialog's WM_CTLCOLOR* answer.
    HBRUSH OnCtlColor(UINT nMessage, HDC hDC, HWND hControl) const {
        return m_colors.Choose(nMessage, hDC, hControl);
    }
    // WM_DRAWITEM of an owner-drawn information text (lParam of the message): painted in the
    // static text colour with hanging indents. True when it was one.
    bool PaintText(LPARAM lParam) const;
    // Mouse messages for the tooltips (from the dialog's PreTranslateMessage).
    void Relay(const MSG& msg) const;
    // The wait cursor on and off; calls may nest.
    void ShowWaitCursor(bool bWait);
    // Tooltip windows go with the dialog.
    void Release();

private:
    void AddButton(HWND hDialog, int nId, COLORREF crFace);

    CDialogColors m_colors;
    COLORREF m_crStaticText;
    std::vector<std::unique_ptr<CColorButton>> m_buttons;
    std::vector<std::unique_ptr<CToolTip>> m_tooltips;
    int m_nWaitDepth = 0;
    std::optional<win32ui::CWaitCursor> m_wait;
};

}  // namespace gather_ui
