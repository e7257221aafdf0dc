// Building a time from local fields, the same way on both platforms, on top of SplitLocalTime.
//
// The C library's mktime is not used: for a wall time that occurs twice (the hour repeated when
// daylight saving ends) glibc's answer depends on earlier calls, and the Windows runtime reads
// time zones differently. Here the rule is fixed: a repeated wall time means its first
// occurrence (still in daylight time), and a wall time skipped when daylight saving starts is
// read with the offset in force before the change (02:30 on a 02:00 -> 03:00 night is 03:30).
#include "platform/calendar.h"
#include "platform/local_time.h"

namespace platform {
namespace {

constexpr std::int64_t kDay = 86400;

// The wall-clock seconds (see calendar::WallSeconds) that a time shows locally.
bool LocalWallSeconds(Time t, std::int64_t& wall) {
    LocalFields fields;
    if (!SplitLocalTime(t, fields)) return false;
    wall = calendar::WallSeconds(fields.nYear, fields.nMonth, fields.nDay, fields.nHour,
                                 fields.nMinute, fields.nSecond);
    return true;
}

// Local time minus UTC at a point in time, in seconds.
bool OffsetAt(Time t, std::int64_t& offset) {
    std::int64_t wall = 0;
    if (!LocalWallSeconds(t, wall)) return false;
    offset = wall - t;
    return true;
}

}  // namespace

Time MakeLocalTime(int year, int month, int day, int hour, int minute, int second) {
    const std::int64_t wall = calendar::WallSeconds(year, month, day, hour, minute, second);
    // The offsets a day before and a day after bracket any single change of the zone's offset.
    std::int64_t offsetBefore = 0;
    std::int64_t offsetAfter = 0;
    if (!OffsetAt(wall - kDay, offsetBefore) || !OffsetAt(wall + kDay, offsetAfter)) return -1;

    const Time early = wall - (offsetBefore > offsetAfter ? offsetBefore : offsetAfter);
    const Time late = wall - (offsetBefore > offsetAfter ? offsetAfter : offsetBefore);
    std::int64_t shown = 0;
    if (LocalWallSeconds(early, shown) && shown == wall) return early;
    if (LocalWallSeconds(late, shown) && shown == wall) return late;
    // Not a wall time that occurs (skipped forward): keep the offset in force before.
    const Time skipped = wall - offsetBefore;
    return LocalWallSeconds(skipped, shown) ? skipped : -1;
}

}  // namespace platform
