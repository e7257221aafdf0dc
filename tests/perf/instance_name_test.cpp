// Instance name comparison: UTF-16LE from the block against UTF-8 from the program.
#include "perf/instance_name.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

std::vector<std::uint8_t> Utf16le(std::u16string_view str) {
    std::vector<std::uint8_t> bytes;
    for (char16_t c : str) {
        bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return bytes;
}

TEST(InstanceNameEquals, DecodesBothSidesAndFoldsAsciiCase) {
    struct Case {
        std::u16string strName;
        std::string strWanted;
        bool bEqual;
    };
    const Case cases[] = {
        {u"_Total", "_Total", true},
        {u"_Total", "_TOTAL", true},
        {u"_TOTAL", "_total", true},
        {u"_Total", "_Tota", false},
        {u"_Tota", "_Total", false},
        {u"", "", true},
        {u"", "a", false},
        {u"0 C:", "0 c:", true},
        {u"[@", "{`", false},  // neighbours of the letter ranges are not letters
        {u"\u30E1\u30E2\u5E33", "\xE3\x83\xA1\xE3\x83\xA2\xE5\xB8\xB3", true},  // メモ帳
        {u"\u30E1\u30E2", "\xE3\x83\xA1\xE3\x83\xA2\xE5\xB8\xB3", false},
        {u"\u00E9", "\xC3\x89", false},             // only ASCII letters fold
        {u"\U0001F600", "\xF0\x9F\x98\x80", true},  // surrogate pair
        {u"\xD83D", "\xF0\x9F\x98\x80", false},     // lone high surrogate
        {u"\xDE00", "\xED\xB8\x80", false},         // lone low surrogate vs. encoded surrogate
        {u"\xFFFD", "\xFF", false},                 // malformed UTF-8 matches nothing
        {u"a", "\xC1\xA1", false},                  // overlong UTF-8 for 'a'
        {u"\u00E9", "\xC3", false},                 // UTF-8 cut short
    };
    for (const Case& c : cases) {
        EXPECT_EQ(perf::InstanceNameEquals(Utf16le(c.strName), c.strWanted), c.bEqual)
            << c.strWanted;
    }
}

TEST(InstanceNameEquals, AnOddTrailingByteIsNotACodeUnit) {
    std::vector<std::uint8_t> bytes = Utf16le(u"ab");
    bytes.push_back('c');
    EXPECT_TRUE(perf::InstanceNameEquals(bytes, "ab"));
}

}  // namespace
