// Proleptic Gregorian calendar arithmetic on day and second counts, free of any time zone.
#pragma once
#include <cstdint>

namespace platform::calendar {

// Days since 1970-01-01 of a date whose month is 1..12 and day 1..31 (day may run past the
// month's end: the count simply continues).
std::int64_t DaysFromCivil(std::int64_t year, int month, int day);

struct SCivilDate {
    std::int64_t nYear;
    int nMonth;  // 1..12
    int nDay;    // 1..31
};
SCivilDate CivilFromDays(std::int64_t days);

// 0 = Sunday .. 6 = Saturday.
int WeekdayFromDays(std::int64_t days);

// Wall-clock fields as seconds since 1970-01-01 00:00:00 of the same wall clock, normalising
// out-of-range values the way mktime does: months beyond 12 roll into years, days beyond the
// month's length into the next month, hours beyond 23 into days, and negative values backwards.
std::int64_t WallSeconds(int year, int month, int day, int hour, int minute, int second);

}  // namespace platform::calendar
