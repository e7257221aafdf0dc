// The headless runner's command line: the three options and the mistakes it refuses.
#include <gtest/gtest.h>

#include "headless_options.h"

namespace {

std::optional<CHeadlessOptions> Parse(const std::vector<std::string>& arrArgs) {
    std::string strError;
    std::optional<CHeadlessOptions> options = ParseHeadlessOptions(arrArgs, strError);
    EXPECT_EQ(options.has_value(), strError.empty()) << strError;
    return options;
}

TEST(HeadlessOptionsTest, TakesTheThreeOptionsInAnyOrder) {
    const auto options = Parse({"--data-dir", "d", "--seconds", "60", "--program-dir", "p"});
    ASSERT_TRUE(options);
    EXPECT_EQ(options->m_strProgramDir, "p");
    EXPECT_EQ(options->m_strDataDir, "d");
    EXPECT_EQ(options->m_nSeconds, 60);

    const auto defaults = Parse({"--seconds", "0"});
    ASSERT_TRUE(defaults);
    EXPECT_EQ(defaults->m_strProgramDir, "");
    EXPECT_FALSE(defaults->m_strDataDir);
}

TEST(HeadlessOptionsTest, RefusesMistakes) {
    const std::vector<std::vector<std::string>> arrBad = {
        {},
        {"--program-dir", "p"},
        {"--seconds"},
        {"--seconds", "-1"},
        {"--seconds", "10s"},
        {"--seconds", "99999999999"},
        {"--seconds", "1", "--seconds", "2"},
        {"--seconds", "1", "--data-dir", ""},
        {"--seconds", "1", "--verbose"},
        {"-seconds", "1"},
    };
    for (const auto& arrArgs : arrBad)
        EXPECT_FALSE(Parse(arrArgs)) << ::testing::PrintToString(arrArgs);
}

}  // namespace
