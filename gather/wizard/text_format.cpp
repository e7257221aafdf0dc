// printf-style formatting into a std::string.
#include "text_format.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

std::string FormatText(const char* pszFormat, ...) {
    va_list args;
    va_start(args, pszFormat);
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(nullptr, 0, pszFormat, copy);
    va_end(copy);
    std::string strText;
    if (n > 0) {
        std::vector<char> buffer(static_cast<std::size_t>(n) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), pszFormat, args);
        strText.assign(buffer.data(), static_cast<std::size_t>(n));
    }
    va_end(args);
    return strText;
}
