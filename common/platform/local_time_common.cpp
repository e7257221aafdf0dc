// Building a time from local fields, the same way on both platforms.
//
// The C library's mktime is not used: for a wall time that occurs twice (the hour repeated when
// daylight saving ends) glibc's answer depends on earlier calls, and the Windows runtime reads
// time zones differently. Here the rule is fixed: a repeated wall time means its first
// occurrence (still in daylight time), and a wall time skipped when daylight saving starts is
// read with the offset in force before the change (02:30 on a 02:00 -> 03:00 night is 03:30).
#include "platform/calendar.h"
#include "platform/local_time.h"
#include "platform/local_time_zone.h"

namespace platform {
namespace {

constexpr std::int64_t kDay = 86400;

}  // namespace

Time MakeLocalTime(int year, int month, int day, int hour, int minute, int second) {
    // Every look at the zone below goes through one session: one check of the zone setting.
    zone::CZoneSession session;
    const std::int64_t wall = calendar::WallSeconds(year, month, day, hour, minute, second);
    // The offsets a day before and a day after bracket any single change of the zone's offset.
    std::int64_t wallBefore = 0;
    std::int64_t wallAfter = 0;
    if (!session.WallSeconds(wall - kDay, wallBefore) ||
        !session.WallSeconds(wall + kDay, wallAfter)) {
        return -1;
    }
    const std::int64_t offsetBefore = wallBefore - (wall - kDay);
    const std::int64_t offsetAfter = wallAfter - (wall + kDay);

    const Time early = wall - (offsetBefore > offsetAfter ? offsetBefore : offsetAfter);
    const Time late = wall - (offsetBefore > offsetAfter ? offsetAfter : offsetBefore);
    std::int64_t shown = 0;
    if (session.WallSeconds(early, shown) && shown == wall) return early;
    if (session.WallSeconds(late, shown) && shown == wall) return late;
    // Not a wall time that occurs (skipped forward): keep the offset in force before.
    const Time skipped = wall - offsetBefore;
    return session.WallSeconds(skipped, shown) ? skipped : -1;
}

}  // namespace platform
