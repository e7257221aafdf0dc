// Conversion between the program's UTF-8 text and code page 932 bytes (files, clipboard, archive).
#pragma once
#include <string>
#include <string_view>

namespace platform {

// UTF-8 to code page 932 with Windows' table, without "best fit" substitutes: a character that
// code page 932 cannot hold becomes '?' (U+301C and U+00A5 included, although look-alikes
// exist; ～ U+FF5E is 0x81 0x60); every malformed UTF-8 byte also becomes '?'. Never fails.
std::string Utf8ToCp932(std::string_view utf8);

// Code page 932 to UTF-8. A character with no mapping (an unassigned pair of lead and trail
// byte counts as one character, a lead byte without a trail byte as one) becomes '?'.
// Never fails.
std::string Cp932ToUtf8(std::string_view cp932);

}  // namespace platform
