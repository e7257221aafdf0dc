// Tests of the zone-free calendar arithmetic and the manual clock's stepping.
#include <gtest/gtest.h>

#include "platform/calendar.h"
#include "platform/clock.h"

namespace {

using namespace platform::calendar;

struct SDateCase {
    std::int64_t year;
    int month;
    int day;
    std::int64_t days;
    int weekday;
};

class CivilDays : public testing::TestWithParam<SDateCase> {};

TEST_P(CivilDays, ConvertBothWaysWithWeekday) {
    const SDateCase& c = GetParam();
    EXPECT_EQ(DaysFromCivil(c.year, c.month, c.day), c.days);
    const SCivilDate date = CivilFromDays(c.days);
    EXPECT_EQ(date.nYear, c.year);
    EXPECT_EQ(date.nMonth, c.month);
    EXPECT_EQ(date.nDay, c.day);
    EXPECT_EQ(WeekdayFromDays(c.days), c.weekday);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CivilDays,
    testing::Values(SDateCase{1970, 1, 1, 0, 4}, SDateCase{1969, 12, 31, -1, 3},
                    SDateCase{2000, 2, 29, 11016, 2}, SDateCase{2026, 3, 8, 20520, 0},
                    SDateCase{2028, 2, 29, 21243, 2}, SDateCase{2038, 1, 19, 24855, 2},
                    SDateCase{1900, 3, 1, -25508, 4}, SDateCase{1601, 1, 1, -134774, 1}));

TEST(CivilDays, EveryDayRoundTripsAcrossFourCenturies) {
    for (std::int64_t days = -146097; days <= 146097; ++days) {
        const SCivilDate date = CivilFromDays(days);
        ASSERT_EQ(DaysFromCivil(date.nYear, date.nMonth, date.nDay), days);
        const SCivilDate next = CivilFromDays(days + 1);
        ASSERT_TRUE(next.nDay == date.nDay + 1 || next.nDay == 1) << days;
    }
}

struct SWallCase {
    const char* label;
    int fields[6];
    int expected[6];
};

class WallNormalisation : public testing::TestWithParam<SWallCase> {};

// Out-of-range fields roll over the way mktime rolls them.
TEST_P(WallNormalisation, MatchesTheNormalisedDate) {
    const int* f = GetParam().fields;
    const int* e = GetParam().expected;
    EXPECT_EQ(WallSeconds(f[0], f[1], f[2], f[3], f[4], f[5]),
              WallSeconds(e[0], e[1], e[2], e[3], e[4], e[5]));
}

INSTANTIATE_TEST_SUITE_P(
    Table, WallNormalisation,
    testing::Values(SWallCase{"day_31_of_april", {2026, 4, 31, 9, 0, 0}, {2026, 5, 1, 9, 0, 0}},
                    SWallCase{"feb_29_leap", {2028, 2, 29, 0, 0, 0}, {2028, 2, 29, 0, 0, 0}},
                    SWallCase{"feb_29_common", {2027, 2, 29, 0, 0, 0}, {2027, 3, 1, 0, 0, 0}},
                    SWallCase{"feb_30_leap", {2028, 2, 30, 0, 0, 0}, {2028, 3, 1, 0, 0, 0}},
                    SWallCase{"month_13", {2026, 13, 1, 0, 0, 0}, {2027, 1, 1, 0, 0, 0}},
                    SWallCase{"month_0", {2026, 0, 15, 0, 0, 0}, {2025, 12, 15, 0, 0, 0}},
                    SWallCase{"day_0", {2026, 3, 0, 0, 0, 0}, {2026, 2, 28, 0, 0, 0}},
                    SWallCase{"hour_24", {2026, 12, 31, 24, 0, 0}, {2027, 1, 1, 0, 0, 0}},
                    SWallCase{"minus_minute", {2026, 1, 1, 0, -1, 0}, {2025, 12, 31, 23, 59, 0}},
                    SWallCase{"day_400", {2026, 1, 400, 0, 0, 0}, {2027, 2, 4, 0, 0, 0}},
                    SWallCase{"seconds_3600", {2026, 1, 1, 0, 0, 3600}, {2026, 1, 1, 1, 0, 0}}),
    [](const testing::TestParamInfo<SWallCase>& info) { return info.param.label; });

TEST(ManualClock, StepsCarryMillisecondsIntoSecondsBothWays) {
    platform::ManualClock clock(1000, 700);
    clock.AdvanceMilliseconds(1500);
    EXPECT_EQ(clock.Now(), 1002);
    EXPECT_EQ(clock.UtcMillisecond(), 200);
    EXPECT_EQ(clock.TickCount(), 1500u);
    clock.AdvanceMilliseconds(-500);
    EXPECT_EQ(clock.Now(), 1001);
    EXPECT_EQ(clock.UtcMillisecond(), 700);
    clock.AdvanceSeconds(60);
    EXPECT_EQ(clock.Now(), 1061);
    EXPECT_EQ(clock.UtcMillisecond(), 700);
}

TEST(SystemClock, GivesPlausibleValues) {
    platform::IClock& clock = platform::SystemClock();
    EXPECT_GT(clock.Now(), 1767225600);  // after 2026-01-01
    const int ms = clock.UtcMillisecond();
    EXPECT_GE(ms, 0);
    EXPECT_LE(ms, 999);
    const std::uint64_t first = clock.TickCount();
    EXPECT_GE(clock.TickCount(), first);
}

}  // namespace
