// The system's code page 932 table, one implementation per build (iconv on Linux, the Win32 code
// page functions on Windows); text_codec.h builds the archive boundary's conversion on it.
#pragma once
#include <string>
#include <string_view>

namespace platform::cp932 {

// UTF-8 to code page 932 with Windows' table, without "best fit" substitutes: a character that
// code page 932 cannot hold becomes '?' (U+301C and U+00A5 included, although look-alikes
// exist; ～ U+FF5E is 0x81 0x60; a character with two codes gets the one Windows prefers);
// every malformed UTF-8 byte and every character above U+FFFF also becomes '?'. Never fails.
std::string EncodeWithTable(std::string_view utf8);

// Code page 932 to UTF-8 with Windows' table. A character with no mapping (an unassigned pair
// of lead and trail byte counts as one character, a lead byte without a trail byte as one)
// becomes '?'. Never fails.
std::string DecodeWithTable(std::string_view bytes);

}  // namespace platform::cp932
