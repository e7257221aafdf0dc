// Splitting a time into local fields on Windows with the system time zone and its yearly rules.
// The C runtime's localtime is not used: it reads the TZ variable its own way instead of the
// zone the system is set to.
#include <windows.h>

#include <map>
#include <mutex>

#include "platform/local_time_zone.h"

namespace platform {
namespace {

constexpr std::int64_t kEpochDifference = 116444736000000000ll;  // 1601 -> 1970, 100-ns units
constexpr std::int64_t kTicksPerSecond = 10000000;

// How long a year's zone rules are reused before they are read again, so that a change of the
// system's zone reaches a long-running program.
constexpr ULONGLONG kRulesLifetimeMs = 60000;

// The zone rules of a year. Reading them costs a registry lookup, and building one local time
// may split several times, so they are kept for a while.
bool ZoneRulesForYear(WORD year, TIME_ZONE_INFORMATION& zone) {
    static std::mutex s_lock;
    static std::map<WORD, TIME_ZONE_INFORMATION> s_rules;
    static ULONGLONG s_nReadAt = 0;
    std::lock_guard<std::mutex> guard(s_lock);
    const ULONGLONG now = GetTickCount64();
    if (now - s_nReadAt > kRulesLifetimeMs) {
        s_rules.clear();
        s_nReadAt = now;
    }
    if (const auto it = s_rules.find(year); it != s_rules.end()) {
        zone = it->second;
        return true;
    }
    if (!GetTimeZoneInformationForYear(year, nullptr, &zone)) {
        if (GetTimeZoneInformation(&zone) == TIME_ZONE_ID_INVALID) return false;
    }
    s_rules[year] = zone;
    return true;
}

}  // namespace

namespace zone {

bool SplitWithPlatform(Time t, LocalFields& fields) {
    fields = LocalFields{};
    // FILETIME reaches from 1601 to year 30827; SYSTEMTIME conversions need the same range.
    constexpr Time kMin = -kEpochDifference / kTicksPerSecond;
    constexpr Time kMax = 910692730085ll;  // 30827-12-31 23:59:59 UTC
    if (t < kMin || t > kMax) return false;
    const std::uint64_t ticks = static_cast<std::uint64_t>(t * kTicksPerSecond + kEpochDifference);
    FILETIME ft{};
    ft.dwLowDateTime = static_cast<DWORD>(ticks & 0xFFFFFFFFu);
    ft.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    SYSTEMTIME utc{};
    if (!FileTimeToSystemTime(&ft, &utc)) return false;

    // The rules of the year in question (daylight saving dates have changed over the years).
    TIME_ZONE_INFORMATION zone{};
    if (!ZoneRulesForYear(utc.wYear, zone)) return false;
    SYSTEMTIME local{};
    if (!SystemTimeToTzSpecificLocalTime(&zone, &utc, &local)) return false;
    fields.nYear = local.wYear;
    fields.nMonth = local.wMonth;
    fields.nDay = local.wDay;
    fields.nHour = local.wHour;
    fields.nMinute = local.wMinute;
    fields.nSecond = local.wSecond;
    fields.nWeekday = local.wDayOfWeek;
    return true;
}

const char* ZoneSetting() {
    return nullptr;  // the system's zone; its rules are read again every kRulesLifetimeMs
}

void ReloadZone() {}

}  // namespace zone

}  // namespace platform
