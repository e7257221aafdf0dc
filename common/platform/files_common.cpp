// Portable file helpers shared by both platforms: trailing separators and wildcard matching.
#include <cstddef>

#include "platform/files.h"

namespace platform {
namespace {

// The length of the UTF-8 sequence that starts at text[i] (1 for a stray or truncated byte).
std::size_t SequenceLength(std::string_view text, std::size_t i) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 1;
    if (lead >= 0xF0 && lead < 0xF8) {
        length = 4;
    } else if (lead >= 0xE0) {
        length = lead < 0xF0 ? 3 : 1;
    } else if (lead >= 0xC0) {
        length = 2;
    }
    if (i + length > text.size()) return 1;
    for (std::size_t k = 1; k < length; ++k) {
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return 1;
    }
    return length;
}

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameChar(char a, char b, bool ignoreCase) {
    return ignoreCase ? FoldAscii(a) == FoldAscii(b) : a == b;
}

}  // namespace

std::string WithTrailingSeparator(const std::string& directory) {
    if (directory.empty()) return directory;
    const char last = directory.back();
    if (last == '\\' || last == '/') return directory;
    return directory + kPathSeparator;
}

bool WildcardMatch(std::string_view pattern, std::string_view name, bool ignoreCase) {
    if (pattern == "*.*") pattern = "*";
    // Iterative matching with one backtrack point: the most recent '*' and the name position it
    // has absorbed up to. Linear in practice, never recursive.
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starP = std::string_view::npos;
    std::size_t starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
            continue;
        }
        if (p < pattern.size() && pattern[p] == '?') {
            ++p;
            n += SequenceLength(name, n);
            continue;
        }
        if (p < pattern.size() && SameChar(pattern[p], name[n], ignoreCase)) {
            ++p;
            ++n;
            continue;
        }
        if (starP == std::string_view::npos) return false;
        // Let the last '*' absorb one more character (a whole UTF-8 sequence) and retry.
        p = starP + 1;
        starN += SequenceLength(name, starN);
        n = starN;
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

}  // namespace platform
