// Windows comparison of texts for sorting: CompareStringW in the user's default locale.
#include "platform/text_compare.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <string>

namespace platform {
namespace {

// UTF-8 to UTF-16; malformed bytes become U+FFFD. Texts beyond INT_MAX bytes are cut there.
std::wstring ToWide(std::string_view text) {
    const int length = static_cast<int>(std::min<std::size_t>(text.size(), INT_MAX));
    if (length == 0) return std::wstring();
    const int wideLength = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
    if (wideLength <= 0) return std::wstring();
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), length, wide.data(), wideLength);
    return wide;
}

int Sign(int value) {
    return (value > 0) - (value < 0);
}

}  // namespace

int CompareLocaleText(std::string_view a, std::string_view b) {
    const std::wstring wideA = ToWide(a);
    const std::wstring wideB = ToWide(b);
    if (wideA.size() <= INT_MAX && wideB.size() <= INT_MAX) {
        const int result =
            CompareStringW(LOCALE_USER_DEFAULT, 0, wideA.data(), static_cast<int>(wideA.size()),
                           wideB.data(), static_cast<int>(wideB.size()));
        if (result == CSTR_LESS_THAN) return -1;
        if (result == CSTR_EQUAL) return 0;
        if (result == CSTR_GREATER_THAN) return 1;
    }
    // The call failed: fall back to code unit order so sorting still terminates consistently.
    return Sign(wideA.compare(wideB));
}

}  // namespace platform
