// Splitting a time into local fields on Linux with localtime_r, which follows the TZ variable.
#include <stdlib.h>
#include <time.h>

#include <mutex>
#include <string>

#include "platform/local_time.h"

namespace platform {
namespace {

// Re-reads the zone when TZ has changed since the last call. tzset() itself does that too, but
// with TZ unset the C library checks the system zone file on every call, which made each split
// cost a file-system call.
void FollowZoneChanges() {
    static std::mutex s_lock;
    static bool s_bKnown = false;
    static std::string s_strLastZone;  // "=" + TZ, or empty while TZ is unset
    const char* pszZone = getenv("TZ");
    std::string strZone;
    if (pszZone != nullptr) strZone.append("=").append(pszZone);
    const std::lock_guard<std::mutex> guard(s_lock);
    if (s_bKnown && strZone == s_strLastZone) return;
    tzset();
    s_strLastZone = strZone;
    s_bKnown = true;
}

}  // namespace

bool SplitLocalTime(Time t, LocalFields& fields) {
    fields = LocalFields{};
    const time_t tt = static_cast<time_t>(t);
    if (static_cast<Time>(tt) != t) return false;
    FollowZoneChanges();
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

}  // namespace platform
