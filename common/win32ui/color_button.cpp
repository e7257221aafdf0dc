// CColorButton: subclassing, and painting the steps of the drawing rules with GDI.
#include "win32ui/color_button.h"

#include <commctrl.h>

#include <string>

#include "win32ui/dialog_base.h"
#include "win32ui/exception_report.h"
#include "win32ui/gdi_handles.h"

namespace {

constexpr UINT_PTR kSubclassId = 0x434F4C42;  // "COLB"

void DrawCaption(HDC hDC, const RECT& rc, std::wstring_view caption, COLORREF crText) {
    RECT rcText = rc;
    SetBkMode(hDC, TRANSPARENT);
    SetTextColor(hDC, crText);
    DrawTextW(hDC, caption.data(), static_cast<int>(caption.size()), &rcText,
              DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}

}  // namespace

CColorButton::~CColorButton() {
    if (m_hWnd != nullptr && IsWindow(m_hWnd)) {
        RemoveWindowSubclass(m_hWnd, SubclassProc, kSubclassId);
    }
}

bool CColorButton::Attach(HWND hDialog, int nId) {
    HWND hButton = GetDlgItem(hDialog, nId);
    if (hButton == nullptr) return false;
    if (!SetWindowSubclass(hButton, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
        return false;
    }
    m_hWnd = hButton;
    return true;
}

void CColorButton::Paint(HDC hDC, const RECT& rc, UINT nItemState, std::wstring_view caption,
                         const win32ui::SColorButtonColors& colors) {
    const bool bFocused = (nItemState & ODS_FOCUS) != 0;
    const bool bPressed = (nItemState & ODS_SELECTED) != 0;
    const bool bDisabled = (nItemState & ODS_DISABLED) != 0;
    RECT rcFocus = rc;
    InflateRect(&rcFocus, -win32ui::kFocusInset, -win32ui::kFocusInset);
    RECT rcEdge = rc;
    for (const win32ui::SButtonDrawStep& step :
         win32ui::ColorButtonDrawSteps(colors, bFocused, bPressed, bDisabled)) {
        switch (step.m_eKind) {
            case win32ui::EButtonDraw::kFillFace: {
                const win32ui::CBrush brush(CreateSolidBrush(step.m_crColor));
                FillRect(hDC, &rc, brush.Get());
                break;
            }
            case win32ui::EButtonDraw::kCaption:
                DrawCaption(hDC, rc, caption, step.m_crColor);
                break;
            case win32ui::EButtonDraw::kRaisedEdge:
                DrawEdge(hDC, &rcEdge, EDGE_RAISED, BF_RECT);
                break;
            case win32ui::EButtonDraw::kSunkenEdge:
                DrawEdge(hDC, &rcEdge, EDGE_SUNKEN, BF_RECT);
                break;
            case win32ui::EButtonDraw::kFocusRect:
                DrawFocusRect(hDC, &rcFocus);
                break;
        }
    }
}

void CColorButton::Draw(const DRAWITEMSTRUCT& item) const {
    const int length = GetWindowTextLengthW(item.hwndItem);
    std::wstring caption(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
    const int got = GetWindowTextW(item.hwndItem, caption.data(), length + 1);
    caption.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    win32ui::SColorButtonColors colors;
    colors.m_crText = m_crText;
    colors.m_crFace = m_crFace;
    colors.m_crDisabledText = m_crDisabledText;
    // The caption is drawn in the dialog's font, which the button carries.
    HFONT hFont = reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0));
    const win32ui::CSelectObject selectFont(item.hDC, hFont);
    Paint(item.hDC, item.rcItem, item.itemState, caption, colors);
}

LRESULT CALLBACK CColorButton::SubclassProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR, DWORD_PTR pData) {
    auto* pButton = reinterpret_cast<CColorButton*>(pData);
    switch (nMessage) {
        case kMsgReflectedDrawItem:
            if (pButton != nullptr && lParam != 0) {
                try {
                    pButton->Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
                } catch (...) {
                    win32ui::ReportCurrentException("CColorButton drawing");
                }
                return TRUE;
            }
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(hWnd, SubclassProc, kSubclassId);
            if (pButton != nullptr) pButton->m_hWnd = nullptr;
            break;
        default:
            break;
    }
    return DefSubclassProc(hWnd, nMessage, wParam, lParam);
}
