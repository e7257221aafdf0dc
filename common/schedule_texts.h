// The texts by which lists and logs show a schedule: number, type, repetition, thresholds, state,
// times.
#pragma once
#include <string>

#include "platform/clock.h"
#include "schedule.h"

// Styles of FormatScheduleTime.
inline constexpr int kTimeStyleList = 0;      // "12/06 (日) 15:30"
inline constexpr int kTimeStyleLog = 1;       // "2026/12/06 (日) 15:30:05"
inline constexpr int kTimeStyleConflict = 2;  // "2026/12/06 (日) 15:30"

// A time in local time, in style 0, 1 or 2 with the one-letter Japanese weekday; empty for any
// other style or a time the platform cannot represent.
std::string FormatScheduleTime(platform::Time t, int nStyle);

// The schedule number as shown everywhere: at least two digits ("03", "12", "123").
std::string ScheduleNumberText(int nNumber);

// "H" for a host target, "G" for a group target.
std::string ScheduleTypeText(const CSchedule& schedule);

// Empty for one-time schedules; "毎日"; the flagged weekdays Monday first ("月水日"); "%d日";
// "月末".
std::string ScheduleRepeatText(const CSchedule& schedule);

// The used thresholds, e.g. "CPU 80% MEM 512MB DISK 50%"; a threshold of -1 is left out.
std::string ScheduleThresholdText(const CSchedule& schedule);

// "待機中" for a waiting schedule, "実行中" for a running one, empty for a free slot.
std::string ScheduleStateText(const CSchedule& schedule);
