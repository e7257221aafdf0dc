// The schedule record (予約), its blank value and the rules that find a schedule's next run.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/clock.h"

// Number of schedule slots; the slot index is the schedule's number.
inline constexpr int kScheduleSlots = 500;

// m_nTargetType
inline constexpr std::int32_t kTargetHost = 0;
inline constexpr std::int32_t kTargetGroup = 1;

// m_nState
inline constexpr std::int32_t kStateFree = 0;
inline constexpr std::int32_t kStateWaiting = 1;
inline constexpr std::int32_t kStateRunning = 2;

// m_nRepeat
inline constexpr std::int32_t kRepeatAtOnce = -1;   // start at once, no repetition
inline constexpr std::int32_t kRepeatOnce = 0;      // once, at m_tStart
inline constexpr std::int32_t kRepeatDaily = 1;     // every day
inline constexpr std::int32_t kRepeatWeekly = 2;    // on the weekdays flagged in m_bWeekday
inline constexpr std::int32_t kRepeatMonthDay = 3;  // every month on day m_nDay
inline constexpr std::int32_t kRepeatMonthEnd = 4;  // every month on its last day

// m_nDay of a month-end schedule.
inline constexpr std::int32_t kDayMonthEnd = -1;

// m_nEndType
inline constexpr std::int32_t kEndAtTimeOfDay =
    0;  // ends at m_tsEndTime (day offset + time of day)
inline constexpr std::int32_t kEndAfterDuration = 1;  // lasts m_tsDuration

// Split units in milliseconds.
inline constexpr std::int32_t kSplitNone = 0;
inline constexpr std::int32_t kSplit30Minutes = 1800000;
inline constexpr std::int32_t kSplit1Hour = 3600000;
inline constexpr std::int32_t kSplit2Hours = 7200000;

// Threshold value meaning "not used".
inline constexpr std::int32_t kThresholdUnused = -1;

// One booked collection. A default-constructed record is a free slot; Blank() gives the record a
// free slot is reset to and the wizard starts from.
class CSchedule {
public:
    std::int32_t m_nTargetType = kTargetHost;
    std::string m_strTarget;  // host name or group name
    std::string m_strComment;
    std::int32_t m_nState = kStateFree;
    std::int32_t m_nInterval = 0;  // sampling interval, milliseconds
    std::int32_t m_nSplitUnit = kSplitNone;
    std::int32_t m_nRepeat = kRepeatAtOnce;
    std::int32_t m_nDay = 1;      // 1..31 for kRepeatMonthDay, kDayMonthEnd for kRepeatMonthEnd
    platform::Time m_tStart = 0;  // for repeated schedules only its local hour and minute count
    std::array<std::int32_t, 7> m_bWeekday{};  // 0/1 flags, index 0 = Sunday .. 6 = Saturday
    std::int32_t m_nEndType = kEndAfterDuration;
    std::int32_t m_tsDuration = 3600;  // seconds
    std::int32_t m_tsEndTime = 0;      // day offset x 86400 + hour x 3600 + minute x 60
    platform::Time m_tNextStart = 0;
    platform::Time m_tNextEnd = 0;
    platform::Time m_tFollowingStart = 0;
    std::int32_t m_nCpuThreshold = kThresholdUnused;   // percent
    std::int32_t m_nMemThreshold = kThresholdUnused;   // free megabytes
    std::int32_t m_nDiskThreshold = kThresholdUnused;  // percent

    // The blank record: a free slot (state 0, repetition -1) whose start is the next full hour
    // after tNow (minute 0 of the current local hour plus one hour, in elapsed time), m_nDay that
    // start's day of month, one hour long, ending at the time of day one hour after that start
    // (day offset 0), no thresholds.
    static CSchedule Blank(platform::Time tNow);

    bool IsFree() const { return m_nState == kStateFree; }
    bool operator==(const CSchedule&) const = default;
};

// The schedule table: slot index = schedule number. About 100 KB; keep it off the stack.
using CScheduleTable = std::array<CSchedule, kScheduleSlots>;

// One run of a schedule.
struct CScheduleRun {
    platform::Time m_tStart = 0;
    platform::Time m_tEnd = 0;
    bool operator==(const CScheduleRun&) const = default;
};

// The schedule's next run from the moment tFrom, or nothing when it has none: a free slot, a
// one-time schedule (repetition -1 or 0), an unknown repetition or day, or a time the platform
// cannot represent. Daily and weekly schedules return a start equal to tFrom; monthly ones pass
// over it.
std::optional<CScheduleRun> NextRun(const CSchedule& schedule, platform::Time tFrom);

// The end of the schedule's run that starts at tStart: tStart + m_tsDuration (end type 1), or
// tStart's local date plus the day offset of m_tsEndTime at its time of day (end type 0).
std::optional<platform::Time> RunEnd(const CSchedule& schedule, platform::Time tStart);

// Days from weekday nWeekday (0 = Sunday) to the nearest flagged weekday, 0..6; 0 when nWeekday
// itself is flagged or when no weekday is flagged.
int DaysToFlaggedWeekday(int nWeekday, const CSchedule& schedule);

// The first occurrence strictly after tFrom of day nDay (1..31) of a month at nHour:nMinute
// local time, where a day beyond a month's length means that month's last day. Nothing for a day
// outside 1..31 or a time the platform cannot represent.
std::optional<platform::Time> NextMonthDay(platform::Time tFrom, int nDay, int nHour, int nMinute);

// The moment the local wall clock shows the given date and time, built with the platform's
// MakeLocalTime: a day beyond the month's end rolls into the following month (day 0 is the
// previous month's last day), and hours or minutes out of range roll into days. Daylight saving:
// a time that occurs twice (the hour repeated when clocks go back) is its first occurrence; a
// time that does not occur (skipped when clocks go forward) is read with the offset in force
// before the change (02:30 on a night that jumps from 02:00 to 03:00 is 03:30). Nothing when the
// platform cannot represent the time.
std::optional<platform::Time> WallClockTime(int nYear, int nMonth, int nDay, int nHour,
                                            int nMinute);
