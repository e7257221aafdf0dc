// Comparison of a UTF-16LE instance name with a UTF-8 name, decoded one code point at a time.
#include "perf/instance_name.h"

#include "perf/perf_bytes.h"

namespace perf {

namespace {

// Stand-ins for undecodable input; they differ so that two bad sequences never match each other.
constexpr char32_t kBadUtf16 = 0x110000;
constexpr char32_t kBadUtf8 = 0x110001;

char32_t FoldAscii(char32_t c) {
    return (c >= U'A' && c <= U'Z') ? c - U'A' + U'a' : c;
}

// Decodes the next code point from UTF-16LE bytes; nPos advances past it.
char32_t NextUtf16(std::span<const std::uint8_t> bytes, std::size_t& nPos) {
    char32_t nHigh = LoadU16(bytes.data() + nPos);
    nPos += 2;
    if (nHigh < 0xD800 || nHigh > 0xDFFF) return nHigh;
    if (nHigh > 0xDBFF || bytes.size() - nPos < 2) return kBadUtf16;
    char32_t nLow = LoadU16(bytes.data() + nPos);
    if (nLow < 0xDC00 || nLow > 0xDFFF) return kBadUtf16;
    nPos += 2;
    return 0x10000 + ((nHigh - 0xD800) << 10) + (nLow - 0xDC00);
}

// Decodes the next code point from UTF-8; nPos advances past it (one byte for a malformed one).
char32_t NextUtf8(std::string_view str, std::size_t& nPos) {
    const auto nLead = static_cast<unsigned char>(str[nPos++]);
    if (nLead < 0x80) return nLead;
    std::size_t nTrail;
    char32_t c;
    char32_t nMin;
    if ((nLead & 0xE0) == 0xC0) {
        nTrail = 1, c = nLead & 0x1F, nMin = 0x80;
    } else if ((nLead & 0xF0) == 0xE0) {
        nTrail = 2, c = nLead & 0x0F, nMin = 0x800;
    } else if ((nLead & 0xF8) == 0xF0) {
        nTrail = 3, c = nLead & 0x07, nMin = 0x10000;
    } else {
        return kBadUtf8;
    }
    if (str.size() - nPos < nTrail) return kBadUtf8;
    for (std::size_t i = 0; i < nTrail; ++i) {
        const auto nByte = static_cast<unsigned char>(str[nPos + i]);
        if ((nByte & 0xC0) != 0x80) return kBadUtf8;
        c = (c << 6) | (nByte & 0x3F);
    }
    nPos += nTrail;
    if (c < nMin || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return kBadUtf8;
    return c;
}

}  // namespace

bool InstanceNameEquals(std::span<const std::uint8_t> nameUtf16le, std::string_view strUtf8) {
    // An odd trailing byte is not part of any code unit.
    nameUtf16le = nameUtf16le.first(nameUtf16le.size() & ~std::size_t{1});
    std::size_t nName = 0;
    std::size_t nWanted = 0;
    while (nName < nameUtf16le.size() && nWanted < strUtf8.size()) {
        if (FoldAscii(NextUtf16(nameUtf16le, nName)) != FoldAscii(NextUtf8(strUtf8, nWanted))) {
            return false;
        }
    }
    return nName == nameUtf16le.size() && nWanted == strUtf8.size();
}

}  // namespace perf
