// The code page 932 table on Windows: the system's code page 932 conversion functions.
#include <windows.h>

#include "platform/cp932_bytes.h"
#include "platform/cp932_table.h"
#include "platform/utf8.h"
#include "platform/win32/wide_string.h"

namespace platform {
namespace {

constexpr UINT kCodePage = 932;

// Converts one UTF-16 text with no surrogates. No best-fit replacements (é stays unmappable and
// becomes '?' rather than 'e'), so a character either keeps its identity or becomes '?'.
std::string WideToCp932(const std::wstring& wide) {
    if (wide.empty()) return std::string();
    const int wideLength = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength,
                                           nullptr, 0, "?", nullptr);
    if (length <= 0) return std::string(wide.size(), '?');
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, bytes.data(),
                        length, "?", nullptr);
    return bytes;
}

// Converts bytes that form valid code page 932 characters; false when any has no mapping.
bool Cp932ToWide(std::string_view bytes, std::wstring& wide) {
    if (bytes.empty()) return true;
    const int byteLength = static_cast<int>(bytes.size());
    const int length =
        MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes.data(), byteLength, nullptr, 0);
    if (length <= 0) return false;
    const std::size_t start = wide.size();
    wide.resize(start + static_cast<std::size_t>(length));
    return MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes.data(), byteLength,
                               wide.data() + start, length) == length;
}

}  // namespace

namespace cp932 {

std::string EncodeWithTable(std::string_view text) {
    // Malformed bytes and characters outside the Basic Multilingual Plane (none of which code
    // page 932 holds) become '?' before the system table sees the text.
    std::wstring wide;
    wide.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const char32_t cp = utf8::DecodeNext(text, pos);
        wide.push_back(cp == utf8::kInvalid || cp > 0xFFFF ? L'?' : static_cast<wchar_t>(cp));
    }
    return WideToCp932(wide);
}

std::string DecodeWithTable(std::string_view bytes) {
    std::wstring wide;
    if (!Cp932ToWide(bytes, wide)) {
        // Some character has no mapping: convert one character at a time.
        wide.clear();
        for (std::size_t pos = 0; pos < bytes.size();) {
            const std::size_t length = cp932::CharLength(bytes, pos);
            if (!Cp932ToWide(bytes.substr(pos, length), wide)) wide.push_back(L'?');
            pos += length;
        }
    }
    return WideToUtf8(wide);
}

}  // namespace cp932
}  // namespace platform
