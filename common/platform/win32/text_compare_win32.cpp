// Windows comparison of texts for sorting: CompareStringW in the user's default locale.
#include "platform/text_compare.h"
#include "platform/win32/wide_string.h"

#include <windows.h>

#include <climits>
#include <string>

namespace platform {
namespace {

int Sign(int value) {
    return (value > 0) - (value < 0);
}

}  // namespace

int CompareLocaleText(std::string_view a, std::string_view b) {
    // A sort compares the same short texts many times: converting them into buffers kept per
    // thread saves the two allocations that would otherwise cost more than the comparison.
    thread_local std::wstring wideA;
    thread_local std::wstring wideB;
    wideA.clear();
    wideB.clear();
    AppendUtf8AsWide(a, wideA);
    AppendUtf8AsWide(b, wideB);
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
