// A tooltip window for one control of a dialog, fed by relaying the dialog's mouse messages.
#pragma once
#include <windows.h>

#include <string>

class CToolTip {
public:
    CToolTip() = default;
    ~CToolTip();
    CToolTip(const CToolTip&) = delete;
    CToolTip& operator=(const CToolTip&) = delete;

    // Creates the tooltip window, owned by the dialog, showing text (UTF-8) while the mouse rests
    // on the control. False when the window or the tool cannot be created.
    bool Create(HWND hDialog, HWND hControl, const std::string& text);

    // Passes a mouse message meant for the control on to the tooltip (TTM_RELAYEVENT).
    void Relay(const MSG& msg) const;

    HWND Handle() const { return m_hWnd; }

private:
    HWND m_hWnd = nullptr;
    HWND m_hControl = nullptr;
};
