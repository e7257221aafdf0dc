// UTF-8 <-> UTF-16 conversion for the Win32 boundary (W API calls, window texts).
#pragma once
#include <string>
#include <string_view>

namespace platform {

// UTF-8 to UTF-16. A malformed byte becomes U+FFFD; never fails.
std::wstring Utf8ToWide(std::string_view utf8);
// The same, appended to wide (so a caller converting many texts can reuse one buffer).
void AppendUtf8AsWide(std::string_view utf8, std::wstring& wide);

// UTF-16 to UTF-8. An unpaired surrogate becomes U+FFFD; never fails.
std::string WideToUtf8(std::wstring_view wide);

}  // namespace platform
