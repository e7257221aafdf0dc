// Splitting a time into local fields on Linux with localtime_r, which follows the TZ variable.
#include <time.h>

#include <cstdlib>

#include "platform/local_time_zone.h"

namespace platform::zone {

bool SplitWithPlatform(Time t, LocalFields& fields) {
    fields = LocalFields{};
    const time_t tt = static_cast<time_t>(t);
    if (static_cast<Time>(tt) != t) return false;
    tm parts{};
    if (localtime_r(&tt, &parts) == nullptr) return false;
    fields.nYear = parts.tm_year + 1900;
    fields.nMonth = parts.tm_mon + 1;
    fields.nDay = parts.tm_mday;
    fields.nHour = parts.tm_hour;
    fields.nMinute = parts.tm_min;
    fields.nSecond = parts.tm_sec > 59 ? 59 : parts.tm_sec;  // a leap second shows as :59
    fields.nWeekday = parts.tm_wday;
    return true;
}

const char* ZoneSetting() {
    return std::getenv("TZ");
}

void ReloadZone() {
    tzset();
}

}  // namespace platform::zone
