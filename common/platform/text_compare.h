// Locale-aware three-way comparison of two UTF-8 texts, as lists use it to order rows.
#pragma once
#include <string_view>

namespace platform {

// Compares two UTF-8 texts the way the user sees text ordered: -1 when a sorts before b,
// 0 when they are equal for sorting, 1 when a sorts after b. Never fails; malformed UTF-8
// compares deterministically.
//
// Windows: CompareStringW with the user's default locale and no flags (the ordering the
// system's own text comparison uses: case-sensitive, lowercase before uppercase, Japanese
// ordering on a Japanese system). Should the call fail, the UTF-16 code units are compared.
//
// Linux: a deterministic stand-in without linguistic tables. Texts are compared byte by
// byte (which for UTF-8 is code point order) with ASCII letters folded to lowercase; texts
// that are equal after folding are then ordered lowercase before uppercase at their first
// difference. This agrees with Windows for digits, ASCII letters and kana of one script,
// but not for punctuation or mixed hiragana and katakana.
int CompareLocaleText(std::string_view a, std::string_view b);

}  // namespace platform
