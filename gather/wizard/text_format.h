// printf-style formatting into a std::string, for the wizard's documented text formats.
#pragma once
#include <string>

// The formatted text; %s takes a const char* (UTF-8). Empty when the format is refused.
std::string FormatText(const char* pszFormat, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
