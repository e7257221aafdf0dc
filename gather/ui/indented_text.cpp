// PaintIndentedText: line by line, with a hanging indent for wrapped lines.
#include "indented_text.h"

#include <string>
#include <string_view>

#include "win32ui/gdi_handles.h"

namespace gather_ui {

bool PaintIndentedText(const DRAWITEMSTRUCT& item, COLORREF crText, HBRUSH hBackground) {
    if (item.CtlType != ODT_STATIC) return false;
    HDC hDC = item.hDC;
    const RECT& rcItem = item.rcItem;
    FillRect(hDC, &rcItem, hBackground);

    const int nLength = GetWindowTextLengthW(item.hwndItem);
    std::wstring strText(static_cast<std::size_t>(nLength > 0 ? nLength : 0) + 1, L'\0');
    const int nGot = GetWindowTextW(item.hwndItem, strText.data(), nLength + 1);
    strText.resize(nGot > 0 ? static_cast<std::size_t>(nGot) : 0);

    win32ui::CSavedDC saved(hDC);
    SelectObject(hDC, reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
    SetBkMode(hDC, TRANSPARENT);
    SetTextColor(hDC, crText);
    TEXTMETRICW metrics{};
    GetTextMetricsW(hDC, &metrics);
    // A word longer than the width is broken (DT_EDITCONTROL) rather than cut off.
    // A tab is as wide as the system's own tab stops in a static control: 8 average characters.
    const int nTabWidth = 8 * metrics.tmAveCharWidth;
    const int nLineHeight = metrics.tmHeight;

    int nTop = rcItem.top;
    std::wstring_view rest = strText;
    while (nTop < rcItem.bottom) {
        const std::size_t nEnd = rest.find(L'\n');
        std::wstring_view line = rest.substr(0, nEnd);
        if (!line.empty() && line.back() == L'\r') line.remove_suffix(1);
        std::size_t nTabs = 0;
        while (nTabs < line.size() && line[nTabs] == L'\t') ++nTabs;
        line.remove_prefix(nTabs);

        RECT rcLine = rcItem;
        rcLine.top = nTop;
        rcLine.left = static_cast<LONG>(rcItem.left + static_cast<int>(nTabs) * nTabWidth);
        if (rcLine.left >= rcLine.right) rcLine.left = rcItem.left;
        const UINT nFormat = DT_LEFT | DT_WORDBREAK | DT_EDITCONTROL | DT_EXPANDTABS | DT_NOPREFIX;
        int nHeight = nLineHeight;
        if (!line.empty()) {
            RECT rcMeasure = rcLine;
            nHeight = DrawTextW(hDC, line.data(), static_cast<int>(line.size()), &rcMeasure,
                                nFormat | DT_CALCRECT);
            DrawTextW(hDC, line.data(), static_cast<int>(line.size()), &rcLine, nFormat);
        }
        nTop += nHeight > 0 ? nHeight : nLineHeight;
        if (nEnd == std::wstring_view::npos) break;
        rest.remove_prefix(nEnd + 1);
    }
    return true;
}

}  // namespace gather_ui
