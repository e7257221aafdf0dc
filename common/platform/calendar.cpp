// Day-count arithmetic for the proleptic Gregorian calendar (era-based, exact for any year).
#include "platform/calendar.h"

namespace platform::calendar {
namespace {

// Floor division and the matching non-negative remainder.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}
std::int64_t FloorMod(std::int64_t a, std::int64_t b) {
    return a - FloorDiv(a, b) * b;
}

}  // namespace

std::int64_t DaysFromCivil(std::int64_t year, int month, int day) {
    // Years start in March so that the leap day is the last day of the counting year.
    const std::int64_t y = year - (month <= 2 ? 1 : 0);
    const std::int64_t era = FloorDiv(y, 400);
    const std::int64_t yearOfEra = y - era * 400;                               // 0..399
    const std::int64_t monthFromMarch = (month + 9) % 12;                       // 0..11
    const std::int64_t dayOfYear = (153 * monthFromMarch + 2) / 5 + (day - 1);  // from Mar 1
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

SCivilDate CivilFromDays(std::int64_t days) {
    const std::int64_t z = days + 719468;
    const std::int64_t era = FloorDiv(z, 146097);
    const std::int64_t dayOfEra = z - era * 146097;  // 0..146096
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    SCivilDate date{};
    date.nDay = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    date.nMonth = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    date.nYear = yearOfEra + era * 400 + (date.nMonth <= 2 ? 1 : 0);
    return date;
}

int WeekdayFromDays(std::int64_t days) {
    return static_cast<int>(FloorMod(days + 4, 7));
}

std::int64_t WallSeconds(int year, int month, int day, int hour, int minute, int second) {
    const std::int64_t monthIndex = static_cast<std::int64_t>(month) - 1;
    const std::int64_t fullYear = year + FloorDiv(monthIndex, 12);
    const int monthInYear = static_cast<int>(FloorMod(monthIndex, 12)) + 1;
    const std::int64_t days =
        DaysFromCivil(fullYear, monthInYear, 1) + (static_cast<std::int64_t>(day) - 1);
    return days * 86400 + static_cast<std::int64_t>(hour) * 3600 +
           static_cast<std::int64_t>(minute) * 60 + second;
}

}  // namespace platform::calendar
