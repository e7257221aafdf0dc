// Blank schedule record and the next-run rules (daily, weekly, monthly day and month end).
#include "schedule.h"

#include "platform/calendar.h"
#include "platform/local_time.h"

namespace {

namespace calendar = platform::calendar;

constexpr platform::Time kSecondsPerDay = 86400;

// Bounds the monthly search; two passes always suffice for days 1..31.
constexpr int kMonthDayPasses = 12;

// Floor division, for day offsets that may be negative.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

using CDate = calendar::SCivilDate;

// The date nDays after a date; the date's day may run past its month's end (day 31 of February
// is the 3rd of March in a common year).
CDate AddDays(const CDate& date, std::int64_t nDays) {
    return calendar::CivilFromDays(calendar::DaysFromCivil(date.nYear, date.nMonth, date.nDay) +
                                   nDays);
}

int WeekdayOf(const CDate& date) {
    return calendar::WeekdayFromDays(calendar::DaysFromCivil(date.nYear, date.nMonth, date.nDay));
}

std::optional<platform::LocalFields> Split(platform::Time t) {
    platform::LocalFields fields;
    if (!platform::SplitLocalTime(t, fields)) return std::nullopt;
    return fields;
}

CDate DateOf(const platform::LocalFields& f) {
    return CDate{f.nYear, f.nMonth, f.nDay};
}

std::optional<platform::Time> WallClockAt(const CDate& date, int nHour, int nMinute) {
    if (date.nYear < 1 || date.nYear > 9999) return std::nullopt;
    return WallClockTime(static_cast<int>(date.nYear), date.nMonth, date.nDay, nHour, nMinute);
}

}  // namespace

std::optional<platform::Time> WallClockTime(int nYear, int nMonth, int nDay, int nHour,
                                            int nMinute) {
    // -1 is the failure value; as a moment it is 23:59:59 UTC, never a whole local minute.
    const platform::Time t = platform::MakeLocalTime(nYear, nMonth, nDay, nHour, nMinute, 0);
    if (t == -1) return std::nullopt;
    return t;
}

CSchedule CSchedule::Blank(platform::Time tNow) {
    CSchedule schedule;
    // The next full hour: back to minute 0 of the current local hour, then one hour on.
    platform::Time tStart = tNow + 3600;
    if (const auto now = Split(tNow)) tStart = tNow - (now->nMinute * 60 + now->nSecond) + 3600;
    schedule.m_tStart = tStart;
    if (const auto start = Split(tStart)) schedule.m_nDay = start->nDay;
    if (const auto end = Split(tStart + 3600))
        schedule.m_tsEndTime = end->nHour * 3600 + end->nMinute * 60;
    return schedule;
}

int DaysToFlaggedWeekday(int nWeekday, const CSchedule& schedule) {
    const int w = ((nWeekday % 7) + 7) % 7;
    for (int d = 0; d < 7; ++d) {
        if (schedule.m_bWeekday[static_cast<std::size_t>((w + d) % 7)] != 0) return d;
    }
    return 0;
}

std::optional<platform::Time> NextMonthDay(platform::Time tFrom, int nDay, int nHour, int nMinute) {
    if (nDay < 1 || nDay > 31) return std::nullopt;
    // Days are added on the calendar (not as 86400 seconds), so every candidate lies at
    // nHour:nMinute wall-clock time even across a daylight saving change.
    for (int nPass = 0; nPass < kMonthDayPasses; ++nPass) {
        const auto from = Split(tFrom);
        if (!from) return std::nullopt;
        // Day nDay of from's month; a day beyond the month's length rolls into the next month.
        CDate date = AddDays(CDate{from->nYear, from->nMonth, nDay}, 0);
        auto t = WallClockAt(date, nHour, nMinute);
        if (!t) return std::nullopt;
        if (*t <= tFrom) {
            date = AddDays(date, 31);
            t = WallClockAt(date, nHour, nMinute);
            if (!t) return std::nullopt;
        }
        if (date.nDay == nDay) return t;
        if (nDay < date.nDay) {
            date.nDay = nDay;
        } else {
            // The month was too short and the date rolled over: back to the previous month's
            // last day.
            date = AddDays(date, -date.nDay);
        }
        t = WallClockAt(date, nHour, nMinute);
        if (!t) return std::nullopt;
        if (*t > tFrom) return t;
        tFrom += 28 * kSecondsPerDay;
    }
    return std::nullopt;
}

std::optional<platform::Time> RunEnd(const CSchedule& schedule, platform::Time tStart) {
    if (schedule.m_nEndType == kEndAfterDuration) return tStart + schedule.m_tsDuration;
    const auto start = Split(tStart);
    if (!start) return std::nullopt;
    const std::int64_t nOffsetDays = FloorDiv(schedule.m_tsEndTime, kSecondsPerDay);
    const std::int64_t nSecondOfDay = schedule.m_tsEndTime - nOffsetDays * kSecondsPerDay;
    return WallClockAt(AddDays(DateOf(*start), nOffsetDays), static_cast<int>(nSecondOfDay / 3600),
                       static_cast<int>(nSecondOfDay % 3600 / 60));
}

std::optional<CScheduleRun> NextRun(const CSchedule& schedule, platform::Time tFrom) {
    // A free slot, a one-time schedule (-1, 0) or an unknown repetition has no next run.
    if (schedule.m_nState == kStateFree || schedule.m_nRepeat < kRepeatDaily ||
        schedule.m_nRepeat > kRepeatMonthEnd)
        return std::nullopt;
    const auto start = Split(schedule.m_tStart);
    const auto from = Split(tFrom);
    if (!start || !from) return std::nullopt;
    const int hh = start->nHour;
    const int mm = start->nMinute;
    const CDate today = DateOf(*from);

    // "Plus n days" is calendar arithmetic followed by one wall-clock build: a daily run stays at
    // hh:mm on the days the clocks change, where adding 86400 seconds would shift it by an hour.
    std::optional<platform::Time> tStart;
    switch (schedule.m_nRepeat) {
        case kRepeatDaily:
            tStart = WallClockAt(today, hh, mm);
            if (tStart && *tStart < tFrom) tStart = WallClockAt(AddDays(today, 1), hh, mm);
            break;
        case kRepeatWeekly: {
            const CDate day = AddDays(today, DaysToFlaggedWeekday(from->nWeekday, schedule));
            tStart = WallClockAt(day, hh, mm);
            if (tStart && *tStart < tFrom) {
                const CDate next = AddDays(day, 1);
                tStart = WallClockAt(AddDays(next, DaysToFlaggedWeekday(WeekdayOf(next), schedule)),
                                     hh, mm);
            }
            break;
        }
        case kRepeatMonthDay:
            tStart = NextMonthDay(tFrom, schedule.m_nDay, hh, mm);
            break;
        case kRepeatMonthEnd:
            tStart = NextMonthDay(tFrom, 31, hh, mm);
            break;
        default:
            return std::nullopt;
    }
    if (!tStart) return std::nullopt;
    const auto tEnd = RunEnd(schedule, *tStart);
    if (!tEnd) return std::nullopt;
    return CScheduleRun{*tStart, *tEnd};
}
