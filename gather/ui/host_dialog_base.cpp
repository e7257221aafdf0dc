// CHostDialogBase: the handlers every host and group dialog shares.
#include "host_dialog_base.h"

bool CHostDialogBase::OnSysCommand(WPARAM nCommand, LPARAM) {
    return (nCommand & 0xFFF0) == SC_CLOSE;
}

HBRUSH CHostDialogBase::OnCtlColor(UINT nMessage, HDC hDC, HWND hControl) {
    return m_look.OnCtlColor(nMessage, hDC, hControl);
}

bool CHostDialogBase::OnMessage(UINT nMessage, WPARAM, LPARAM lParam, INT_PTR& nResult) {
    if (nMessage != WM_DRAWITEM || !m_look.PaintText(lParam)) return false;
    nResult = TRUE;
    return true;
}

void CHostDialogBase::OnDestroy() {
    m_look.Release();
}

bool CHostDialogBase::PreTranslateMessage(MSG& msg) {
    m_look.Relay(msg);
    return false;
}
