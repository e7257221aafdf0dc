// Linux comparison of texts for sorting: code point order with ASCII case folding.
#include "platform/text_compare.h"

#include <algorithm>
#include <cstddef>

namespace platform {
namespace {

unsigned char FoldAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

bool IsAsciiLower(unsigned char c) {
    return c >= 'a' && c <= 'z';
}

}  // namespace

int CompareLocaleText(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    // Primary order: bytes with ASCII letters folded. UTF-8 byte order is code point order.
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char ca = FoldAscii(static_cast<unsigned char>(a[i]));
        const unsigned char cb = FoldAscii(static_cast<unsigned char>(b[i]));
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    // Equal apart from case: the first differing letter decides, lowercase first.
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char ca = static_cast<unsigned char>(a[i]);
        const unsigned char cb = static_cast<unsigned char>(b[i]);
        if (ca != cb) return IsAsciiLower(ca) ? -1 : 1;
    }
    return 0;
}

}  // namespace platform
