// The archive boundary's code page 932 conversion: the system table, and escapes that carry every
// stored byte sequence the table would not give back unchanged.
#include "platform/text_codec.h"

#include "platform/cp932_bytes.h"
#include "platform/cp932_table.h"
#include "platform/utf8.h"

namespace platform {
namespace {

bool IsAscii(std::string_view bytes) {
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

bool IsEscape(char32_t cp) {
    return cp >= kCp932EscapeFirst && cp <= kCp932EscapeLast;
}

// Every escape is a four-byte sequence starting F4 8F; text without that lead byte has none.
bool MayHoldEscapes(std::string_view text) {
    return text.find('\xF4') != std::string_view::npos;
}

bool RoundTrips(std::string_view bytes, const std::string& text) {
    return cp932::EncodeWithTable(text) == bytes;
}

// One character at a time, each kept as text or escaped byte by byte.
std::string DecodeEachCharacter(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 3);
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::string_view one = bytes.substr(pos, cp932::CharLength(bytes, pos));
        pos += one.size();
        const std::string text = cp932::DecodeWithTable(one);
        if (RoundTrips(one, text)) {
            out += text;
            continue;
        }
        for (char b : one) utf8::Append(out, kCp932EscapeFirst + static_cast<unsigned char>(b));
    }
    return out;
}

}  // namespace

std::string Cp932ToUtf8(std::string_view bytes) {
    if (IsAscii(bytes)) return std::string(bytes);
    // Nearly all stored text converts as a whole and back; only other text is taken apart.
    std::string text = cp932::DecodeWithTable(bytes);
    if (RoundTrips(bytes, text)) return text;
    return DecodeEachCharacter(bytes);
}

std::string Utf8ToCp932(std::string_view text) {
    if (!MayHoldEscapes(text)) return cp932::EncodeWithTable(text);
    std::string bytes;
    bytes.reserve(text.size());
    std::size_t runStart = 0;
    bool hasEscapes = false;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t start = pos;
        const char32_t cp = utf8::DecodeNext(text, pos);
        if (!IsEscape(cp)) continue;
        bytes += cp932::EncodeWithTable(text.substr(runStart, start - runStart));
        bytes.push_back(static_cast<char>(cp - kCp932EscapeFirst));
        runStart = pos;
        hasEscapes = true;
    }
    if (!hasEscapes) return cp932::EncodeWithTable(text);
    bytes += cp932::EncodeWithTable(text.substr(runStart));
    // Escapes that reading these bytes would not give back (typed or pasted from elsewhere, or
    // a lead byte now followed by a byte it would pair with) would store something else than the
    // text says: they are characters code page 932 cannot hold, like any other.
    if (Cp932ToUtf8(bytes) == text) return bytes;
    return cp932::EncodeWithTable(text);
}

}  // namespace platform
