// Tests of the locale-aware text order on the points where the Windows and Linux versions agree.
#include "platform/text_compare.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TextCompare, OrdersTextsAsUsersExpect) {
    const std::string malformed("\xff\xfe", 2);
    const struct {
        std::string a;
        std::string b;
        int expected;
    } cases[] = {
        {"abc", "abd", -1},
        {"ab", "abc", -1},
        {"a", "B", -1},  // letters ignore case first...
        {"a", "A", -1},  // ...then lowercase goes first
        {"PC1", "pc1", 1},
        {"03", "105", -1},  // digits compare as characters
        {"105", "12", -1},
        {"9", "a", -1},
        {"z", "あ", -1},
        {"あ", "い", -1},
        {"ホスト", "ホスト名", -1},
        {"予約", "予約", 0},
        {malformed, malformed, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::CompareLocaleText(c.a, c.b), c.expected) << c.a << " vs " << c.b;
        EXPECT_EQ(platform::CompareLocaleText(c.b, c.a), -c.expected) << c.b << " vs " << c.a;
    }
}

}  // namespace
