// The base of the host and group dialogs: their shared look, a close item that stays grey (a
// close command from outside is ignored too), and owner-drawn information texts.
#pragma once
#include <windows.h>

#include <optional>

#include "dialog_look.h"
#include "win32ui/dialog_base.h"

class CHostDialogBase : public CDialogBase {
protected:
    CHostDialogBase(int nTemplateId, COLORREF crStaticText, std::optional<COLORREF> crEditText)
        : CDialogBase(nTemplateId), m_look(crStaticText, crEditText) {}

    bool OnSysCommand(WPARAM nCommand, LPARAM lParam) override;
    HBRUSH OnCtlColor(UINT nMessage, HDC hDC, HWND hControl) override;
    bool OnMessage(UINT nMessage, WPARAM wParam, LPARAM lParam, INT_PTR& nResult) override;
    void OnDestroy() override;
    bool PreTranslateMessage(MSG& msg) override;

    gather_ui::CDialogLook m_look;
};
