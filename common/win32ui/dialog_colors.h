// Dialog colouring: one background brush for the dialog and its static texts.
#pragma once
#include <windows.h>

#include <optional>

// Answers WM_CTLCOLORDLG and WM_CTLCOLORSTATIC: the dialog and its static controls get the
// background brush; static texts are drawn with a transparent background, in the chosen text
// colour when one is set. Other controls keep the platform's colours.
class CDialogColors {
public:
    explicit CDialogColors(COLORREF crBackground);
    ~CDialogColors();
    CDialogColors(const CDialogColors&) = delete;
    CDialogColors& operator=(const CDialogColors&) = delete;

    void SetStaticTextColor(COLORREF crText) { m_crStaticText = crText; }

    // The brush for the message, or null to leave the control to the platform.
    HBRUSH Choose(UINT nMessage, HDC hDC) const;

    HBRUSH Brush() const { return m_hBrush; }

private:
    HBRUSH m_hBrush;
    std::optional<COLORREF> m_crStaticText;
};
