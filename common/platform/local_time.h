// The one place that turns a point in time into local wall-clock fields and back.
#pragma once
#include "platform/clock.h"

namespace platform {

struct LocalFields {
    int nYear = 1970;  // e.g. 2026
    int nMonth = 1;    // 1..12
    int nDay = 1;      // 1..31
    int nHour = 0;     // 0..23
    int nMinute = 0;   // 0..59
    int nSecond = 0;   // 0..59
    int nWeekday = 4;  // 0 = Sunday .. 6 = Saturday
};

// Splits a time into local fields, in the machine's time zone (TZ on Linux; the system zone on
// Windows). Returns false (and leaves fields as the epoch) when the time cannot be represented.
bool SplitLocalTime(Time t, LocalFields& fields);

// Builds a time from local fields with mktime's normalisation: out-of-range months, days, hours,
// minutes or seconds roll into the next unit (day 31 of a 30-day month is the 1st of the next
// month, negative values roll back). Daylight saving follows the zone's rules, the same way on
// both platforms: a wall time that occurs twice (when the clocks go back) gives its first
// occurrence; a wall time that is skipped (when they go forward) is read with the offset in force
// before the change, so 02:30 on a 02:00 -> 03:00 night is 03:30. Returns -1 when the fields
// cannot be represented.
Time MakeLocalTime(int year, int month, int day, int hour, int minute, int second);

// Holds the machine's time zone for the calling thread while it lives: the conversions the thread
// makes meanwhile (SplitLocalTime, MakeLocalTime) look at the zone setting once, when the batch
// starts, instead of once each. For bursts of conversions such as the overlap check's tens of
// thousands. Conversions of other threads wait until the batch ends. Batches may nest.
class LocalTimeBatch {
public:
    LocalTimeBatch();
    ~LocalTimeBatch();
    LocalTimeBatch(const LocalTimeBatch&) = delete;
    LocalTimeBatch& operator=(const LocalTimeBatch&) = delete;

private:
    bool m_bOwner;  // this batch took the zone; false when it joined one of the same thread
};

}  // namespace platform
