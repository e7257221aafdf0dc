// Local time on Linux follows TZ when it changes while the program runs (the zone is re-read
// only on a change, not on every split).
#include <gtest/gtest.h>

#include <stdlib.h>

#include <optional>
#include <string>

#include "platform/local_time.h"

namespace {

// Restores TZ as it was when the test began.
class ZoneChangeTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* psz = getenv("TZ")) m_strSaved = psz;
    }
    void TearDown() override {
        if (m_strSaved) {
            setenv("TZ", m_strSaved->c_str(), 1);
        } else {
            unsetenv("TZ");
        }
    }
    static int HourOfEpoch() {
        platform::LocalFields fields;
        EXPECT_TRUE(platform::SplitLocalTime(0, fields));
        return fields.nHour;
    }
    std::optional<std::string> m_strSaved;
};

TEST_F(ZoneChangeTest, ASplitFollowsTheZoneSetMeanwhile) {
    setenv("TZ", "Asia/Tokyo", 1);
    EXPECT_EQ(HourOfEpoch(), 9);
    EXPECT_EQ(HourOfEpoch(), 9);
    setenv("TZ", "UTC", 1);
    EXPECT_EQ(HourOfEpoch(), 0);
    setenv("TZ", "America/New_York", 1);
    EXPECT_EQ(HourOfEpoch(), 19);
    unsetenv("TZ");
    HourOfEpoch();  // the system's zone, whatever it is
    setenv("TZ", "Asia/Tokyo", 1);
    EXPECT_EQ(HourOfEpoch(), 9);
}

}  // namespace
