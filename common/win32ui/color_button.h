// CColorButton: an owner-drawn push button painted in chosen face and caption colours.
#pragma once
#include <windows.h>

#include <string_view>

#include "win32ui/color_button_plan.h"

// The button in the dialog template carries BS_OWNERDRAW. Owners set the colours right after
// construction (for example white captions on RGB(63,128,255)).
class CColorButton {
public:
    CColorButton() = default;
    ~CColorButton();
    CColorButton(const CColorButton&) = delete;
    CColorButton& operator=(const CColorButton&) = delete;

    // Subclasses the dialog item so that it draws itself when its dialog passes on WM_DRAWITEM
    // (the dialog base does). True on success.
    bool Attach(HWND hDialog, int nId);

    // Paints one owner-draw request: the rules of ColorButtonDrawSteps on hDC within rc.
    static void Paint(HDC hDC, const RECT& rc, UINT nItemState, std::wstring_view caption,
                      const win32ui::SColorButtonColors& colors);

    HWND Handle() const { return m_hWnd; }

    COLORREF m_crText = RGB(0, 0, 0);
    COLORREF m_crFace = RGB(240, 240, 255);
    COLORREF m_crDisabledText = RGB(128, 128, 128);

private:
    static LRESULT CALLBACK SubclassProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR nId, DWORD_PTR pData);
    void Draw(const DRAWITEMSTRUCT& item) const;

    HWND m_hWnd = nullptr;
};
