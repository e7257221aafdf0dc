// Conversion between the program's UTF-8 text and code page 932 bytes (files, clipboard, archive).
#pragma once
#include <string>
#include <string_view>

namespace platform {

// Stored bytes that code page 932 would not give back unchanged travel through the UTF-8 text
// as escapes: byte b becomes the code point kCp932EscapeFirst + b (U+10FF00..U+10FFFF, private
// use in plane 16, which code page 932 never produces). The same on both builds.
inline constexpr char32_t kCp932EscapeFirst = 0x10FF00;
inline constexpr char32_t kCp932EscapeLast = kCp932EscapeFirst + 0xFF;

// UTF-8 to code page 932 with Windows' table, without "best fit" substitutes: a character that
// code page 932 cannot hold becomes '?' (U+301C and U+00A5 included, although look-alikes
// exist; ～ U+FF5E is 0x81 0x60); every malformed UTF-8 byte also becomes '?'. Escapes turn back
// into their bytes when they are what Cp932ToUtf8 makes of those bytes; otherwise they too are
// characters code page 932 cannot hold. Never fails.
std::string Utf8ToCp932(std::string_view utf8);

// Code page 932 to UTF-8, such that Utf8ToCp932 gives back every byte: each character (a lead
// and a trail byte, or one byte) whose bytes the table maps to a character and back again is that
// character; any other (no mapping, or a duplicate code of a character Windows writes with
// another code, such as NEC 0x87 0x9A for ∵ 0x81 0xE6) is one escape per byte. Never fails.
std::string Cp932ToUtf8(std::string_view cp932);

}  // namespace platform
