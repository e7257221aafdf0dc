// UTF-8 decoding and encoding shared by the text codec and the Win32 UTF-16 boundary.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace platform::utf8 {

// The value DecodeNext reports for a malformed or truncated sequence.
inline constexpr char32_t kInvalid = 0xFFFFFFFFu;

// Decodes the character at text[pos] and advances pos past it. A malformed sequence (stray
// continuation byte, overlong form, surrogate, value above U+10FFFF, truncated) gives kInvalid
// and advances by one byte only, so every bad byte is reported once.
char32_t DecodeNext(std::string_view text, std::size_t& pos);

// Appends the UTF-8 form of a code point (U+FFFD for a surrogate or a value above U+10FFFF).
void Append(std::string& out, char32_t codePoint);

}  // namespace platform::utf8
