// UTF-8 <-> UTF-16 conversion written out by hand so that malformed input has one fixed outcome.
#include "platform/win32/wide_string.h"

#include "platform/utf8.h"

namespace platform {

std::wstring Utf8ToWide(std::string_view utf8) {
    std::wstring wide;
    wide.reserve(utf8.size());
    AppendUtf8AsWide(utf8, wide);
    return wide;
}

void AppendUtf8AsWide(std::string_view utf8, std::wstring& wide) {
    for (std::size_t pos = 0; pos < utf8.size();) {
        char32_t cp = utf8::DecodeNext(utf8, pos);
        if (cp == utf8::kInvalid) cp = 0xFFFD;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            wide.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
            wide.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            wide.push_back(static_cast<wchar_t>(cp));
        }
    }
}

std::string WideToUtf8(std::wstring_view wide) {
    std::string utf8;
    utf8.reserve(wide.size() * 3);
    for (std::size_t i = 0; i < wide.size(); ++i) {
        const char32_t unit = static_cast<char16_t>(wide[i]);
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < wide.size()) {
            const char32_t low = static_cast<char16_t>(wide[i + 1]);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                utf8::Append(utf8, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        utf8::Append(utf8, unit);  // a lone surrogate comes out as U+FFFD
    }
    return utf8;
}

}  // namespace platform
