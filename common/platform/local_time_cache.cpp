// The cache under SplitLocalTime and MakeLocalTime: the zone's offset, remembered for each hour.
//
// The overlap check and the next-run rules convert tens of thousands of times per call, and the
// platform's conversion is slow (glibc parses the zone's rule text with sscanf for every time past
// its last listed transition). Within an hour whose first and last second show the same offset,
// every second shows that offset: no zone changes its offset and back within one hour. So the
// offset is asked of the platform at the two ends of an hour once, and every time in that hour
// is converted with calendar arithmetic. An hour whose ends differ (the hour of a daylight saving
// change, or of a leap second in a zone that counts them) is never remembered: each of its times
// goes to the platform.
//
// The remembered hours are dropped when the zone setting changes (TZ on Linux, looked at once per
// conversion, as before, or once per LocalTimeBatch) and once a minute in any case, so that a
// change of the system's zone reaches a running program.
#include <array>
#include <chrono>
#include <limits>
#include <string>

#include "platform/calendar.h"
#include "platform/local_time_zone.h"

namespace platform {
namespace zone {
namespace {

constexpr std::int64_t kSecondsPerHour = 3600;
constexpr std::int64_t kSecondsPerDay = 86400;
// How long remembered offsets are trusted before the zone is read again.
constexpr auto kLifetime = std::chrono::seconds(60);
// Hours remembered: a direct-mapped table, room for the runs of a month and more.
constexpr std::size_t kHours = 2048;
constexpr std::int64_t kNoHour = std::numeric_limits<std::int64_t>::min();
// Times this far from 1970 (far beyond any year the platform converts) go to the platform, so the
// arithmetic here never comes near overflowing.
constexpr std::int64_t kFarthest = std::int64_t{1} << 56;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

std::int64_t WallSecondsOf(const LocalFields& fields) {
    return calendar::WallSeconds(fields.nYear, fields.nMonth, fields.nDay, fields.nHour,
                                 fields.nMinute, fields.nSecond);
}

struct SHour {
    std::int64_t nHour = kNoHour;
    std::int64_t nOffset = 0;
};

// The process's cache; everything in it is used under m_lock only, which a LocalTimeBatch holds.
struct SZoneCache {
    std::mutex m_lock;
    bool m_bLoaded = false;
    bool m_bHasSetting = false;
    std::string m_strSetting;
    std::chrono::steady_clock::time_point m_tLoaded;
    std::array<SHour, kHours> m_arrHours{};

    // Drops every remembered hour when the zone setting has changed or the lifetime has run out,
    // and lets the platform read the zone again.
    void Refresh() {
        const char* pszSetting = ZoneSetting();
        const bool bSameSetting = (pszSetting != nullptr) == m_bHasSetting &&
                                  (pszSetting == nullptr || m_strSetting == pszSetting);
        const auto tNow = std::chrono::steady_clock::now();
        if (m_bLoaded && bSameSetting && tNow - m_tLoaded < kLifetime) return;
        ReloadZone();
        m_bHasSetting = pszSetting != nullptr;
        m_strSetting = pszSetting != nullptr ? pszSetting : "";
        m_tLoaded = tNow;
        m_bLoaded = true;
        m_arrHours.fill(SHour{});
    }
};

// Whether the calling thread holds the cache (through a batch).
thread_local bool t_bHoldsZone = false;

SZoneCache& Cache() {
    static SZoneCache s_cache;
    return s_cache;
}

// Local time minus UTC at t as the platform shows it.
bool PlatformOffset(Time t, std::int64_t& nOffset) {
    LocalFields fields;
    if (!SplitWithPlatform(t, fields)) return false;
    nOffset = WallSecondsOf(fields) - t;
    return true;
}

}  // namespace

}  // namespace zone

LocalTimeBatch::LocalTimeBatch() : m_bOwner(!zone::t_bHoldsZone) {
    if (!m_bOwner) return;
    zone::Cache().m_lock.lock();
    zone::t_bHoldsZone = true;
    try {
        zone::Cache().Refresh();
    } catch (...) {
        zone::t_bHoldsZone = false;
        zone::Cache().m_lock.unlock();
        throw;
    }
}

LocalTimeBatch::~LocalTimeBatch() {
    if (!m_bOwner) return;
    zone::t_bHoldsZone = false;
    zone::Cache().m_lock.unlock();
}

namespace zone {

bool CZoneSession::HourOffset(Time t, std::int64_t& nOffset) {
    if (t > kFarthest || t < -kFarthest) return false;
    const std::int64_t nHour = FloorDiv(t, kSecondsPerHour);
    SHour& entry = Cache().m_arrHours[static_cast<std::size_t>(nHour) % kHours];
    if (entry.nHour != nHour) {
        const Time tFirst = nHour * kSecondsPerHour;
        std::int64_t nFirst = 0;
        std::int64_t nLast = 0;
        if (!PlatformOffset(tFirst, nFirst) ||
            !PlatformOffset(tFirst + kSecondsPerHour - 1, nLast) || nFirst != nLast) {
            return false;
        }
        entry = {nHour, nFirst};
    }
    nOffset = entry.nOffset;
    return true;
}

bool CZoneSession::WallSeconds(Time t, std::int64_t& nWall) {
    std::int64_t nOffset = 0;
    if (HourOffset(t, nOffset)) {
        nWall = t + nOffset;
        return true;
    }
    LocalFields fields;
    if (!SplitWithPlatform(t, fields)) return false;
    nWall = WallSecondsOf(fields);
    return true;
}

bool CZoneSession::Split(Time t, LocalFields& fields) {
    std::int64_t nOffset = 0;
    if (!HourOffset(t, nOffset)) return SplitWithPlatform(t, fields);
    const std::int64_t nWall = t + nOffset;
    const std::int64_t nDays = FloorDiv(nWall, kSecondsPerDay);
    const std::int64_t nSecondOfDay = nWall - nDays * kSecondsPerDay;
    const calendar::SCivilDate date = calendar::CivilFromDays(nDays);
    fields = LocalFields{};
    fields.nYear = static_cast<int>(date.nYear);
    fields.nMonth = date.nMonth;
    fields.nDay = date.nDay;
    fields.nHour = static_cast<int>(nSecondOfDay / 3600);
    fields.nMinute = static_cast<int>(nSecondOfDay % 3600 / 60);
    fields.nSecond = static_cast<int>(nSecondOfDay % 60);
    fields.nWeekday = calendar::WeekdayFromDays(nDays);
    return true;
}

}  // namespace zone

bool SplitLocalTime(Time t, LocalFields& fields) {
    zone::CZoneSession session;
    return session.Split(t, fields);
}

}  // namespace platform
