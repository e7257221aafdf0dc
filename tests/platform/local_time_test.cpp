// Tests of local time splitting and building; run once with TZ=America/New_York and once with
// TZ=Asia/Tokyo, each run checking the expectations of its zone.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/calendar.h"
#include "platform/local_time.h"
#include "platform/local_time_zone.h"

namespace {

using platform::LocalFields;
using platform::MakeLocalTime;
using platform::SplitLocalTime;
using platform::Time;

std::string ZoneName() {
    const char* tz = std::getenv("TZ");
    return tz != nullptr ? tz : "";
}

bool IsNewYork() {
    return ZoneName() == "America/New_York";
}
bool IsTokyo() {
    return ZoneName() == "Asia/Tokyo";
}

#define REQUIRE_KNOWN_ZONE()                                                                      \
    if (!IsNewYork() && !IsTokyo()) {                                                             \
        GTEST_SKIP() << "needs TZ=America/New_York or TZ=Asia/Tokyo, got '" << ZoneName() << "'"; \
    }

struct SMakeCase {
    const char* label;
    int fields[6];
    Time newYork;
};

// New York's expectations; Tokyo has no daylight saving, so its answer is always UTC+9.
class MakeLocal : public testing::TestWithParam<SMakeCase> {};

TEST_P(MakeLocal, GivesTheZonesInstant) {
    REQUIRE_KNOWN_ZONE();
    const int* f = GetParam().fields;
    const Time expected =
        IsNewYork()
            ? GetParam().newYork
            : platform::calendar::WallSeconds(f[0], f[1], f[2], f[3], f[4], f[5]) - 9 * 3600;
    EXPECT_EQ(MakeLocalTime(f[0], f[1], f[2], f[3], f[4], f[5]), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MakeLocal,
    testing::Values(
        SMakeCase{"winter", {2026, 1, 15, 8, 45, 30}, 1768484730},
        SMakeCase{"summer", {2026, 7, 1, 12, 0, 0}, 1782921600},
        SMakeCase{"before_spring_change", {2026, 3, 8, 1, 59, 59}, 1772953199},
        // 02:00-02:59 does not occur on 2026-03-08 in New York: read with the offset before.
        SMakeCase{"skipped_hour", {2026, 3, 8, 2, 30, 0}, 1772955000},
        SMakeCase{"after_spring_change", {2026, 3, 8, 3, 0, 0}, 1772953200},
        SMakeCase{"before_autumn_change", {2026, 11, 1, 0, 59, 0}, 1793509140},
        // 01:00-01:59 occurs twice on 2026-11-01: the first occurrence, still daylight time.
        SMakeCase{"repeated_hour_start", {2026, 11, 1, 1, 0, 0}, 1793509200},
        SMakeCase{"repeated_hour_middle", {2026, 11, 1, 1, 30, 0}, 1793511000},
        SMakeCase{"after_autumn_change", {2026, 11, 1, 2, 0, 0}, 1793516400},
        SMakeCase{"next_year_rules", {2027, 3, 14, 12, 0, 0}, 1805040000},
        // Hour 26 of March 7 is 02:00 of March 8 and shares its fate.
        SMakeCase{"hour_overflow_into_gap", {2026, 3, 7, 26, 30, 0}, 1772955000}),
    [](const testing::TestParamInfo<SMakeCase>& info) { return info.param.label; });

struct SSplitCase {
    const char* label;
    Time t;
    int newYork[7];  // year, month, day, hour, minute, second, weekday
    int tokyo[7];
};

class SplitLocal : public testing::TestWithParam<SSplitCase> {};

TEST_P(SplitLocal, ShowsTheZonesWallClock) {
    REQUIRE_KNOWN_ZONE();
    const int* e = IsNewYork() ? GetParam().newYork : GetParam().tokyo;
    LocalFields f;
    ASSERT_TRUE(SplitLocalTime(GetParam().t, f));
    EXPECT_EQ(f.nYear, e[0]);
    EXPECT_EQ(f.nMonth, e[1]);
    EXPECT_EQ(f.nDay, e[2]);
    EXPECT_EQ(f.nHour, e[3]);
    EXPECT_EQ(f.nMinute, e[4]);
    EXPECT_EQ(f.nSecond, e[5]);
    EXPECT_EQ(f.nWeekday, e[6]);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SplitLocal,
    testing::Values(
        SSplitCase{"epoch", 0, {1969, 12, 31, 19, 0, 0, 3}, {1970, 1, 1, 9, 0, 0, 4}},
        SSplitCase{
            "spring_change", 1772953200, {2026, 3, 8, 3, 0, 0, 0}, {2026, 3, 8, 16, 0, 0, 0}},
        SSplitCase{"second_before_change",
                   1772953199,
                   {2026, 3, 8, 1, 59, 59, 0},
                   {2026, 3, 8, 15, 59, 59, 0}},
        SSplitCase{
            "first_one_oclock", 1793509200, {2026, 11, 1, 1, 0, 0, 0}, {2026, 11, 1, 14, 0, 0, 0}},
        SSplitCase{
            "second_one_oclock", 1793512800, {2026, 11, 1, 1, 0, 0, 0}, {2026, 11, 1, 15, 0, 0, 0}},
        SSplitCase{
            "leap_day_2028", 1835438400, {2028, 2, 29, 7, 0, 0, 2}, {2028, 2, 29, 21, 0, 0, 2}},
        SSplitCase{"new_year", 1798779600, {2027, 1, 1, 0, 0, 0, 5}, {2027, 1, 1, 14, 0, 0, 5}}),
    [](const testing::TestParamInfo<SSplitCase>& info) { return info.param.label; });

TEST(LocalTime, OutOfRangeDaysRollIntoTheNextMonth) {
    REQUIRE_KNOWN_ZONE();
    EXPECT_EQ(MakeLocalTime(2026, 4, 31, 9, 0, 0), MakeLocalTime(2026, 5, 1, 9, 0, 0));
    EXPECT_EQ(MakeLocalTime(2026, 9, 31, 0, 0, 0), MakeLocalTime(2026, 10, 1, 0, 0, 0));
    EXPECT_EQ(MakeLocalTime(2027, 2, 29, 10, 0, 0), MakeLocalTime(2027, 3, 1, 10, 0, 0));
    EXPECT_EQ(MakeLocalTime(2026, 12, 32, 0, 0, 0), MakeLocalTime(2027, 1, 1, 0, 0, 0));

    LocalFields f;
    ASSERT_TRUE(SplitLocalTime(MakeLocalTime(2028, 2, 29, 10, 0, 0), f));
    EXPECT_EQ(f.nMonth, 2);
    EXPECT_EQ(f.nDay, 29);
    ASSERT_TRUE(SplitLocalTime(MakeLocalTime(2027, 2, 29, 10, 0, 0), f));
    EXPECT_EQ(f.nMonth, 3);
    EXPECT_EQ(f.nDay, 1);
    EXPECT_EQ(f.nHour, 10);
}

// Building the fields a time splits into gives that time back, except in the repeated hour,
// where the first occurrence is built.
TEST(LocalTime, SplitThenMakeRoundTripsThroughAYear) {
    REQUIRE_KNOWN_ZONE();
    const Time start = 1767225600;  // 2026-01-01 00:00 UTC
    for (Time t = start; t < start + 366 * 86400; t += 61 * 60) {
        LocalFields f;
        ASSERT_TRUE(SplitLocalTime(t, f));
        const Time made = MakeLocalTime(f.nYear, f.nMonth, f.nDay, f.nHour, f.nMinute, f.nSecond);
        if (made == t - 3600 && IsNewYork() && f.nMonth == 11 && f.nHour == 1) continue;
        ASSERT_EQ(made, t) << f.nYear << '-' << f.nMonth << '-' << f.nDay << ' ' << f.nHour;
    }
}

TEST(LocalTime, UnrepresentableTimeLeavesTheEpochFields) {
    LocalFields f;
    f.nYear = 1234;
    EXPECT_FALSE(SplitLocalTime(INT64_MAX, f));
    EXPECT_EQ(f.nYear, 1970);
    EXPECT_EQ(f.nMonth, 1);
    EXPECT_EQ(f.nDay, 1);
}

// SplitLocalTime remembers the zone's offset hour by hour; what it answers must be what the
// platform answers for every time: hours of daylight saving changes second by second, a year in
// odd steps, and times far from today.
TEST(LocalTime, RememberedOffsetsChangeNoAnswer) {
    REQUIRE_KNOWN_ZONE();
    const auto expectSame = [](Time t) {
        LocalFields cached;
        LocalFields direct;
        const bool bCached = SplitLocalTime(t, cached);
        ASSERT_EQ(bCached, platform::zone::SplitWithPlatform(t, direct)) << t;
        if (!bCached) return;
        ASSERT_EQ(std::vector<int>({cached.nYear, cached.nMonth, cached.nDay, cached.nHour,
                                    cached.nMinute, cached.nSecond, cached.nWeekday}),
                  std::vector<int>({direct.nYear, direct.nMonth, direct.nDay, direct.nHour,
                                    direct.nMinute, direct.nSecond, direct.nWeekday}))
            << t;
    };
    // New York's changes of 2026 (07:00 and 06:00 UTC); ordinary hours in Tokyo.
    for (const Time tChange : {Time{1772953200}, Time{1793512800}}) {
        for (Time t = tChange - 5400; t < tChange + 5400; ++t) expectSame(t);
    }
    for (Time t = 1767225600 - 86400; t < 1767225600 + 400 * 86400; t += 7 * 60 + 13) expectSame(t);
    for (const Time t : {Time{-2208988800}, Time{-1}, Time{0}, Time{2147483647}, Time{4102444800},
                         Time{13569465600}, Time{-62135596800}}) {
        expectSame(t);
    }
}

#ifndef _WIN32
// A zone setting changed while the program runs is followed at once, as the platform does.
TEST(LocalTime, FollowsAChangedZoneSetting) {
    REQUIRE_KNOWN_ZONE();
    const std::string strZone = ZoneName();
    LocalFields f;
    ASSERT_TRUE(SplitLocalTime(0, f));
    const int nHourHere = f.nHour;
    ASSERT_EQ(setenv("TZ", "UTC0", 1), 0);
    const bool bSplit = SplitLocalTime(0, f);
    const Time tMade = MakeLocalTime(1970, 1, 1, 9, 0, 0);
    ASSERT_EQ(setenv("TZ", strZone.c_str(), 1), 0);
    ASSERT_TRUE(bSplit);
    EXPECT_EQ(f.nHour, 0);
    EXPECT_EQ(tMade, 9 * 3600);
    ASSERT_TRUE(SplitLocalTime(0, f));
    EXPECT_EQ(f.nHour, nHourHere);
}

// Newfoundland changes its clocks at 02:00 local time, half past a UTC hour, so the hour that
// holds the change shows two offsets: none of it may be answered from a remembered offset.
TEST(LocalTime, AnHourWithAChangeInsideIsNotRemembered) {
    REQUIRE_KNOWN_ZONE();
    const std::string strZone = ZoneName();
    ASSERT_EQ(setenv("TZ", "America/St_Johns", 1), 0);
    LocalFields f;
    const bool bZoneThere = SplitLocalTime(0, f) && f.nHour == 20 && f.nMinute == 30;
    std::vector<Time> vecDifferent;
    // 2026-03-08 02:00 NST is 05:30 UTC; 2026-11-01 02:00 NDT is 04:30 UTC.
    for (const Time tChange : {Time{1772947800}, Time{1793507400}}) {
        for (Time t = tChange - 3600; bZoneThere && t < tChange + 3600; ++t) {
            LocalFields direct;
            if (!SplitLocalTime(t, f) || !platform::zone::SplitWithPlatform(t, direct) ||
                f.nHour != direct.nHour || f.nMinute != direct.nMinute ||
                f.nSecond != direct.nSecond || f.nDay != direct.nDay) {
                vecDifferent.push_back(t);
            }
        }
    }
    ASSERT_EQ(setenv("TZ", strZone.c_str(), 1), 0);
    if (!bZoneThere) GTEST_SKIP() << "no America/St_Johns on this machine";
    EXPECT_TRUE(vecDifferent.empty()) << vecDifferent.size() << " from " << vecDifferent.front();
}
#endif

}  // namespace
