// Dialog colouring through the WM_CTLCOLOR* messages.
#include "win32ui/dialog_colors.h"

#include <algorithm>

CDialogColors::CDialogColors(COLORREF crBackground)
    : m_brush(CreateSolidBrush(crBackground)), m_crBackground(crBackground) {}

bool CDialogColors::KeepsSystemColors(HWND hControl) const {
    if (hControl == nullptr || m_arrSystemColored.empty()) return false;
    const int nId = GetDlgCtrlID(hControl);
    return std::find(m_arrSystemColored.begin(), m_arrSystemColored.end(), nId) !=
           m_arrSystemColored.end();
}

HBRUSH CDialogColors::Choose(UINT nMessage, HDC hDC, HWND hControl) const {
    switch (nMessage) {
        case WM_CTLCOLORDLG:
            return m_brush.Get();
        case WM_CTLCOLORSTATIC:
            if (KeepsSystemColors(hControl)) return nullptr;
            SetBkMode(hDC, TRANSPARENT);
            if (m_crStaticText) SetTextColor(hDC, *m_crStaticText);
            return m_brush.Get();
        case WM_CTLCOLOREDIT:
            if (!m_crEditText || KeepsSystemColors(hControl)) return nullptr;
            // Typed text needs an opaque background of the same colour, so it redraws cleanly.
            SetBkColor(hDC, m_crBackground);
            SetTextColor(hDC, *m_crEditText);
            return m_brush.Get();
        default:
            return nullptr;
    }
}
