// Window texts in UTF-8 on top of the W API.
#include "win32ui/window_text.h"

#include "platform/win32/wide_string.h"

namespace win32ui {

std::string GetWindowTextUtf8(HWND hWnd) {
    const int length = GetWindowTextLengthW(hWnd);
    if (length <= 0) return std::string();
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(hWnd, text.data(), length + 1);
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return platform::WideToUtf8(text);
}

void SetWindowTextUtf8(HWND hWnd, std::string_view text) {
    SetWindowTextW(hWnd, platform::Utf8ToWide(text).c_str());
}

std::string GetDlgItemTextUtf8(HWND hDialog, int nId) {
    return GetWindowTextUtf8(GetDlgItem(hDialog, nId));
}

void SetDlgItemTextUtf8(HWND hDialog, int nId, std::string_view text) {
    SetWindowTextUtf8(GetDlgItem(hDialog, nId), text);
}

}  // namespace win32ui
