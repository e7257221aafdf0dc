// Tests of the UTF-8 <-> code page 932 codec: Windows' table on both builds, '?' for the rest.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/text_codec.h"
#include "platform/utf8.h"

namespace {

using platform::Cp932ToUtf8;
using platform::Utf8ToCp932;

std::string Bytes(std::initializer_list<unsigned> values) {
    std::string bytes;
    for (unsigned v : values) bytes.push_back(static_cast<char>(v));
    return bytes;
}

struct SCodecCase {
    const char* label;
    std::string utf8;
    std::string cp932;
};

class Cp932Mapping : public testing::TestWithParam<SCodecCase> {};

// Characters whose bytes are the same in both directions.
TEST_P(Cp932Mapping, EncodesAndDecodes) {
    const SCodecCase& c = GetParam();
    EXPECT_EQ(Utf8ToCp932(c.utf8), c.cp932);
    EXPECT_EQ(Cp932ToUtf8(c.cp932), c.utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Cp932Mapping,
    testing::Values(
        SCodecCase{"ascii", "VARN_PC1_10_3.va_", "VARN_PC1_10_3.va_"}, SCodecCase{"empty", "", ""},
        SCodecCase{"backslash_and_tilde", "C:\\data~", "C:\\data~"},
        // 予 has '\' as its second byte; it must survive untouched.
        SCodecCase{"yo_with_backslash_trail", "予約", Bytes({0x97, 0x5C, 0x96, 0xF1})},
        SCodecCase{"fullwidth_tilde", "～", Bytes({0x81, 0x60})},
        SCodecCase{"halfwidth_katakana", "ｷｬﾝｾﾙ", Bytes({0xB7, 0xAC, 0xDD, 0xBE, 0xD9})},
        SCodecCase{"fullwidth_minus", "－", Bytes({0x81, 0x7C})},
        SCodecCase{"parallel", "∥", Bytes({0x81, 0x61})},
        SCodecCase{"fullwidth_yen_cent_not", "￥￠￢", Bytes({0x81, 0x8F, 0x81, 0x91, 0x81, 0xCA})},
        SCodecCase{"nec_circled_one", "①", Bytes({0x87, 0x40})},
        SCodecCase{"ibm_extension", "纊", Bytes({0xFA, 0x5C})},
        SCodecCase{"c1_control", "\xC2\x80", Bytes({0x80})},
        SCodecCase{"embedded_nul", std::string("a\0b", 3), std::string("a\0b", 3)}),
    [](const testing::TestParamInfo<SCodecCase>& info) { return info.param.label; });

// True when the text is one character that is no escape.
bool IsOneCharacter(const std::string& text) {
    std::size_t pos = 0;
    const char32_t cp = platform::utf8::DecodeNext(text, pos);
    return pos == text.size() && cp < platform::kCp932EscapeFirst;
}

// The escape that carries one stored byte the table cannot give back (U+10FF00 + byte).
std::string Esc(std::initializer_list<unsigned> bytes) {
    std::string text;
    for (unsigned b : bytes) platform::utf8::Append(text, platform::kCp932EscapeFirst + b);
    return text;
}

// Windows writes these private-use characters as single bytes but reads the bytes as having no
// mapping: they are read back as escapes of the bytes, which are written back unchanged.
TEST(Cp932Codec, PrivateUseSingleBytesAreWrittenAndReadBackAsEscapes) {
    EXPECT_EQ(Utf8ToCp932("\uF8F0\uF8F1\uF8F2\uF8F3"), Bytes({0xA0, 0xFD, 0xFE, 0xFF}));
    const std::string stored = Bytes({0xA0, 'a', 0xFD, 0xFE, 0xFF});
    EXPECT_EQ(Cp932ToUtf8(stored), Esc({0xA0}) + "a" + Esc({0xFD, 0xFE, 0xFF}));
    EXPECT_EQ(Utf8ToCp932(Cp932ToUtf8(stored)), stored);
}

TEST(Cp932Codec, SuiteTextRoundTrips) {
    const std::string text = "予約 ～ 稼動データ ｷｬﾝｾﾙ";
    const std::string bytes = Utf8ToCp932(text);
    EXPECT_EQ(bytes.find('?'), std::string::npos);
    EXPECT_EQ(Cp932ToUtf8(bytes), text);
    EXPECT_EQ(bytes.substr(0, 4), Bytes({0x97, 0x5C, 0x96, 0xF1}));
}

struct SEncodeCase {
    const char* label;
    std::string utf8;
    std::string expected;
};

class Cp932Unmappable : public testing::TestWithParam<SEncodeCase> {};

// Characters code page 932 cannot hold become '?', also where a look-alike exists.
TEST_P(Cp932Unmappable, BecomesQuestionMark) {
    EXPECT_EQ(Utf8ToCp932(GetParam().utf8), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Cp932Unmappable,
    testing::Values(SEncodeCase{"wave_dash", "〜", "?"}, SEncodeCase{"yen_sign", "¥", "?"},
                    SEncodeCase{"look_alikes", "¢£¬—‖‾−", "???????"},
                    SEncodeCase{"accented_no_best_fit", "Café", "Caf?"},
                    SEncodeCase{"hangul", "A한B", "A?B"},
                    SEncodeCase{"astral_is_one_character", "a\xF0\x9F\x98\x80z", "a?z"},
                    SEncodeCase{"stray_continuation", "a\x80z", "a?z"},
                    SEncodeCase{"truncated_sequence", "a\xE4\xBA", "a??"},
                    SEncodeCase{"overlong_slash", "\xC0\xAF", "??"},
                    SEncodeCase{"encoded_surrogate", "\xED\xA0\x80", "???"},
                    SEncodeCase{"mixed", "予〜約", "\x97\x5C?\x96\xF1"}),
    [](const testing::TestParamInfo<SEncodeCase>& info) { return info.param.label; });

struct SDecodeCase {
    const char* label;
    std::string cp932;
    std::string expected;
};

class Cp932Escaped : public testing::TestWithParam<SDecodeCase> {};

// Stored bytes that the table would not give back unchanged (no mapping, or a character whose
// preferred code is another) are read as one escape per byte; the bytes after them still decode,
// and writing the text back gives the stored bytes.
TEST_P(Cp932Escaped, DecodesToEscapesAndEncodesBack) {
    EXPECT_EQ(Cp932ToUtf8(GetParam().cp932), GetParam().expected);
    EXPECT_EQ(Utf8ToCp932(GetParam().expected), GetParam().cp932);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Cp932Escaped,
    testing::Values(
        SDecodeCase{"lone_lead_at_end", Bytes({'a', 0x97}), "a" + Esc({0x97})},
        SDecodeCase{"lead_then_ascii", Bytes({0x97, 0x20, 'b'}), Esc({0x97}) + " b"},
        SDecodeCase{"unassigned_pair_is_one_character", Bytes({0x81, 0xEC, 'x'}),
                    Esc({0x81, 0xEC}) + "x"},
        SDecodeCase{"unassigned_pair_then_kanji", Bytes({0x85, 0x40, 0x97, 0x5C}),
                    Esc({0x85, 0x40}) + "予"},
        SDecodeCase{"lead_then_line_break", Bytes({0x81, 0x0A, 'x'}), Esc({0x81}) + "\nx"},
        SDecodeCase{"lead_pairs_with_lead", Bytes({0x81, 0x81, 0x60}), "＝`"},
        // NEC row 13 and IBM extension duplicates: the preferred code decodes as the character,
        // the other codes as escapes.
        SDecodeCase{"because_preferred", Bytes({0x81, 0xE6}), "∵"},
        SDecodeCase{"because_nec", Bytes({0x87, 0x9A}), Esc({0x87, 0x9A})},
        SDecodeCase{"because_ibm", Bytes({0xFA, 0x5B}), Esc({0xFA, 0x5B})},
        SDecodeCase{"not_preferred", Bytes({0x81, 0xCA}), "￢"},
        SDecodeCase{"not_nec_selected_ibm", Bytes({0xEE, 0xF9}), Esc({0xEE, 0xF9})},
        SDecodeCase{"not_ibm", Bytes({0xFA, 0x54}), Esc({0xFA, 0x54})},
        SDecodeCase{"nec_selected_kanji", Bytes({0xED, 0x40, 0xFA, 0x5C}),
                    Esc({0xED, 0x40}) + "纊"},
        SDecodeCase{"roman_numeral_ibm", Bytes({0xFA, 0x4A, 0x87, 0x54}),
                    Esc({0xFA, 0x4A}) + "Ⅰ"},
        SDecodeCase{"kept_among_text", Bytes({0x97, 0x5C, 0x87, 0x9A, 0x96, 0xF1}),
                    "予" + Esc({0x87, 0x9A}) + "約"}),
    [](const testing::TestParamInfo<SDecodeCase>& info) { return info.param.label; });

struct STextEscapeCase {
    const char* label;
    std::string utf8;
    std::string expected;
};

class Cp932EscapeFromText : public testing::TestWithParam<STextEscapeCase> {};

// Text from elsewhere may hold plane-16 private-use characters. Escapes that reading stored bytes
// gives turn back into those bytes; any other use of the range is a character code page 932
// cannot hold and becomes '?', so no text can slip in bytes that would read back as another.
TEST_P(Cp932EscapeFromText, OnlyEscapesThatReadingGivesBecomeBytes) {
    EXPECT_EQ(Utf8ToCp932(GetParam().utf8), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Cp932EscapeFromText,
    testing::Values(
        STextEscapeCase{"ascii_byte", Esc({'A'}), "?"},
        STextEscapeCase{"pair_that_reads_as_a_character", Esc({0x81, 0xE6}), "??"},
        STextEscapeCase{"lead_that_would_join_the_next_byte", Esc({0x97}) + "A", "?A"},
        STextEscapeCase{"lead_that_stays_alone", Esc({0x97}) + " ", Bytes({0x97, ' '})},
        STextEscapeCase{"duplicate_code", "x" + Esc({0x87, 0x9A}), Bytes({'x', 0x87, 0x9A})},
        STextEscapeCase{"with_other_unmappable", Esc({0xA0}) + "〜", "??"}),
    [](const testing::TestParamInfo<STextEscapeCase>& info) { return info.param.label; });

// Every stored byte and byte pair comes back byte for byte from a decode followed by an encode,
// on both builds.
TEST(Cp932Codec, EveryStoredSequenceSurvivesDecodeAndEncode) {
    int decodedAsText = 0;
    for (unsigned first = 0; first <= 0xFF; ++first) {
        const std::string one = Bytes({first});
        ASSERT_EQ(Utf8ToCp932(Cp932ToUtf8(one)), one) << std::hex << first;
        for (unsigned second = 0; second <= 0xFF; ++second) {
            if (first < 0x80 && second < 0x80) continue;  // ASCII pairs are plainly unchanged
            const std::string two = Bytes({first, second});
            const std::string text = Cp932ToUtf8(two);
            ASSERT_EQ(Utf8ToCp932(text), two) << std::hex << first << ' ' << second;
            if (IsOneCharacter(text)) ++decodedAsText;
        }
    }
    // Code page 932 holds 7,915 double-byte characters; a few hundred of them are duplicates
    // whose other code is read as escapes.
    EXPECT_GT(decodedAsText, 7000);
}

// Runs of bytes in every context (lead bytes before lead, trail, ASCII and unmapped bytes) come
// back byte for byte as well: a fixed pseudo-random sample, the same on both builds.
TEST(Cp932Codec, RandomByteRunsSurviveDecodeAndEncode) {
    const unsigned char kAlphabet[] = {0x00, 0x0A, 0x3F, 0x40, 0x5C, 0x7E, 0x7F, 0x80, 0x81,
                                       0x85, 0x87, 0x9A, 0x9F, 0xA0, 0xB7, 0xE0, 0xE6, 0xED,
                                       0xEE, 0xF9, 0xFA, 0xFC, 0xFD, 0xFF};
    std::uint32_t state = 12345;
    const auto next = [&state] {
        state = state * 1103515245u + 12345u;
        return state >> 16;
    };
    for (int n = 0; n < 20000; ++n) {
        std::string bytes(1 + next() % 10, '\0');
        for (char& b : bytes) b = static_cast<char>(kAlphabet[next() % sizeof kAlphabet]);
        const std::string text = Cp932ToUtf8(bytes);
        ASSERT_EQ(Utf8ToCp932(text), bytes) << n;
        ASSERT_EQ(Cp932ToUtf8(Utf8ToCp932(text)), text) << n;
    }
}

struct SUtf8Case {
    const char* label;
    std::string text;
    std::vector<char32_t> expected;
};

class Utf8Decode : public testing::TestWithParam<SUtf8Case> {};

TEST_P(Utf8Decode, ReportsEachMalformedByte) {
    const std::string& text = GetParam().text;
    std::vector<char32_t> got;
    for (std::size_t pos = 0; pos < text.size();)
        got.push_back(platform::utf8::DecodeNext(text, pos));
    EXPECT_EQ(got, GetParam().expected);
}

constexpr char32_t kBad = platform::utf8::kInvalid;

INSTANTIATE_TEST_SUITE_P(
    Table, Utf8Decode,
    testing::Values(SUtf8Case{"ascii", "Az", {U'A', U'z'}},
                    SUtf8Case{"two_three_four", "é予😀", {0xE9, 0x4E88, 0x1F600}},
                    SUtf8Case{"max", "\xF4\x8F\xBF\xBF", {0x10FFFF}},
                    SUtf8Case{"above_max", "\xF4\x90\x80\x80", {kBad, kBad, kBad, kBad}},
                    SUtf8Case{"overlong_nul", "\xC0\x80", {kBad, kBad}},
                    SUtf8Case{"overlong_three", "\xE0\x80\xAF", {kBad, kBad, kBad}},
                    SUtf8Case{"surrogate", "\xED\xBF\xBF", {kBad, kBad, kBad}},
                    SUtf8Case{"bad_continuation", "\xE4\x41", {kBad, U'A'}},
                    SUtf8Case{"truncated", "\xF0\x9F\x98", {kBad, kBad, kBad}}),
    [](const testing::TestParamInfo<SUtf8Case>& info) { return info.param.label; });

TEST(Utf8Encode, WritesEveryLengthAndReplacesInvalid) {
    std::string out;
    for (char32_t cp : {0x41u, 0xE9u, 0x4E88u, 0x1F600u, 0xD800u, 0x110000u}) {
        platform::utf8::Append(out, cp);
    }
    EXPECT_EQ(out, "Aé予😀\xEF\xBF\xBD\xEF\xBF\xBD");
}

}  // namespace
