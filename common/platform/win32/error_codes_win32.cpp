// Error codes on Windows: GetLastError and the system's message text for a code.
#include <windows.h>

#include "platform/error_codes.h"
#include "platform/win32/wide_string.h"

namespace platform {

std::string SystemErrorMessage(ErrorCode code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    if (length == 0 || buffer == nullptr) return std::string();
    std::wstring_view text(buffer, length);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) {
        text.remove_suffix(1);
    }
    std::string message = WideToUtf8(text);
    LocalFree(buffer);
    return message;
}

ErrorCode LastError() {
    return GetLastError();
}

}  // namespace platform
