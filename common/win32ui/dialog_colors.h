// Dialog colouring: one background brush for the dialog, its static texts and (when asked) edits.
#pragma once
#include <windows.h>

#include <optional>
#include <vector>

#include "win32ui/gdi_handles.h"

// Answers the WM_CTLCOLOR* messages of a dialog: the dialog and its static controls (read-only
// edits included, which ask as statics) get the background brush; static texts are drawn with a
// transparent background, in the chosen text colour when one is set. Edit boxes get the
// background and their own text colour only when an edit text colour is set. Controls named by
// KeepSystemColors, and every other kind of control, keep the platform's colours.
class CDialogColors {
public:
    explicit CDialogColors(COLORREF crBackground);
    CDialogColors(const CDialogColors&) = delete;
    CDialogColors& operator=(const CDialogColors&) = delete;

    void SetStaticTextColor(COLORREF crText) { m_crStaticText = crText; }
    void SetEditTextColor(COLORREF crText) { m_crEditText = crText; }
    // The control with this identifier is painted by the platform (for example an edit the user
    // types long text into).
    void KeepSystemColors(int nControlId) { m_arrSystemColored.push_back(nControlId); }

    // The brush for the message, or null to leave the control to the platform.
    HBRUSH Choose(UINT nMessage, HDC hDC, HWND hControl = nullptr) const;

    HBRUSH Brush() const { return m_brush.Get(); }

private:
    bool KeepsSystemColors(HWND hControl) const;

    win32ui::CBrush m_brush;
    COLORREF m_crBackground;
    std::optional<COLORREF> m_crStaticText;
    std::optional<COLORREF> m_crEditText;
    std::vector<int> m_arrSystemColored;
};
