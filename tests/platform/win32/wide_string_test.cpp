// Tests of the UTF-8 <-> UTF-16 conversion used at the Win32 boundary.
#include <gtest/gtest.h>

#include "platform/win32/wide_string.h"

namespace {

using platform::Utf8ToWide;
using platform::WideToUtf8;

TEST(WideString, ConvertsEveryPlaneBothWays) {
    const std::string utf8 = "A予ｷ😀";
    const std::wstring wide = L"A\u4E88\uFF77\xD83D\xDE00";
    EXPECT_EQ(Utf8ToWide(utf8), wide);
    EXPECT_EQ(WideToUtf8(wide), utf8);
    EXPECT_EQ(Utf8ToWide(""), L"");
    EXPECT_EQ(WideToUtf8(L""), "");
}

TEST(WideString, MalformedInputBecomesReplacementCharacters) {
    EXPECT_EQ(Utf8ToWide("a\xFF"
                         "b\xE4\xBA"),
              L"a\uFFFDb\uFFFD\uFFFD");
    EXPECT_EQ(WideToUtf8(std::wstring(L"a\xD800"
                                      L"b")),
              "a\xEF\xBF\xBD"
              "b");
    EXPECT_EQ(WideToUtf8(std::wstring(1, static_cast<wchar_t>(0xDC00))), "\xEF\xBF\xBD");
    // A high surrogate at the very end has no partner to pair with.
    EXPECT_EQ(WideToUtf8(std::wstring(L"x\xD83D")), "x\xEF\xBF\xBD");
}

}  // namespace
