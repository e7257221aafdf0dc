// Dialog colouring through the WM_CTLCOLOR* messages.
#include "win32ui/dialog_colors.h"

CDialogColors::CDialogColors(COLORREF crBackground) : m_hBrush(CreateSolidBrush(crBackground)) {}

CDialogColors::~CDialogColors() {
    if (m_hBrush != nullptr) DeleteObject(m_hBrush);
}

HBRUSH CDialogColors::Choose(UINT nMessage, HDC hDC) const {
    switch (nMessage) {
        case WM_CTLCOLORDLG:
            return m_hBrush;
        case WM_CTLCOLORSTATIC:
            SetBkMode(hDC, TRANSPARENT);
            if (m_crStaticText) SetTextColor(hDC, *m_crStaticText);
            return m_hBrush;
        default:
            return nullptr;
    }
}
