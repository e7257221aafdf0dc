// How code page 932 text splits into characters; both codecs step through bytes the same way.
#pragma once
#include <cstddef>
#include <string_view>

namespace platform::cp932 {

// A byte that starts a two-byte character.
inline bool IsLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// A byte that may follow a lead byte.
inline bool IsTrailByte(unsigned char b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

// The number of bytes of the character at text[pos]: 2 for a lead byte followed by a trail byte,
// otherwise 1 (a lone or truncated lead byte is a character of its own, which has no mapping).
inline std::size_t CharLength(std::string_view text, std::size_t pos) {
    if (IsLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() &&
        IsTrailByte(static_cast<unsigned char>(text[pos + 1]))) {
        return 2;
    }
    return 1;
}

}  // namespace platform::cp932
