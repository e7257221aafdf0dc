// FillListBox and the readers of list box selections.
#include "list_box.h"

#include "platform/win32/wide_string.h"

namespace gather_ui {

void FillListBox(HWND hList, const std::vector<std::string>& vecTexts) {
    SendMessageW(hList, WM_SETREDRAW, FALSE, 0);
    SendMessageW(hList, LB_RESETCONTENT, 0, 0);
    for (const std::string& strText : vecTexts) {
        const std::wstring strWide = platform::Utf8ToWide(strText);
        SendMessageW(hList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(strWide.c_str()));
    }
    SendMessageW(hList, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hList, nullptr, TRUE);
}

std::string ListBoxText(HWND hList, int nIndex) {
    const LRESULT nLength = SendMessageW(hList, LB_GETTEXTLEN, static_cast<WPARAM>(nIndex), 0);
    if (nLength == LB_ERR || nLength < 0) return std::string();
    std::wstring strWide(static_cast<std::size_t>(nLength) + 1, L'\0');
    const LRESULT nGot = SendMessageW(hList, LB_GETTEXT, static_cast<WPARAM>(nIndex),
                                      reinterpret_cast<LPARAM>(strWide.data()));
    if (nGot == LB_ERR || nGot < 0) return std::string();
    strWide.resize(static_cast<std::size_t>(nGot));
    return platform::WideToUtf8(strWide);
}

std::string SelectedListBoxText(HWND hList) {
    const LRESULT nIndex = SendMessageW(hList, LB_GETCURSEL, 0, 0);
    return nIndex == LB_ERR ? std::string() : ListBoxText(hList, static_cast<int>(nIndex));
}

int SelectedListBoxCount(HWND hList) {
    const LRESULT nCount = SendMessageW(hList, LB_GETSELCOUNT, 0, 0);
    return nCount == LB_ERR ? 0 : static_cast<int>(nCount);
}

std::vector<std::string> SelectedListBoxTexts(HWND hList) {
    std::vector<std::string> vecTexts;
    const int nCount = SelectedListBoxCount(hList);
    if (nCount <= 0) return vecTexts;
    std::vector<int> vecIndices(static_cast<std::size_t>(nCount));
    const LRESULT nGot = SendMessageW(hList, LB_GETSELITEMS, static_cast<WPARAM>(nCount),
                                      reinterpret_cast<LPARAM>(vecIndices.data()));
    if (nGot == LB_ERR) return vecTexts;
    vecIndices.resize(static_cast<std::size_t>(nGot));
    for (const int nIndex : vecIndices) vecTexts.push_back(ListBoxText(hList, nIndex));
    return vecTexts;
}

}  // namespace gather_ui
