// The machine's time zone under the cache of local_time: the platform's own conversion, and one
// use of the zone that takes the cache for one or several conversions.
#pragma once
#include <cstdint>

#include "platform/local_time.h"

namespace platform::zone {

// SplitLocalTime's answer straight from the platform, without the cache.
bool SplitWithPlatform(Time t, LocalFields& fields);

// The setting that names the zone, when the platform has one that a program may change while it
// runs (the TZ variable on Linux; nullptr when unset or on Windows). The cache is dropped when
// it changes.
const char* ZoneSetting();

// Makes the platform read its zone again (tzset on Linux; on Windows the zone rules keep their
// own lifetime).
void ReloadZone();

// One use of the zone: a batch (LocalTimeBatch) for one conversion or several, with the cache
// it guards. MakeLocalTime splits several times through one session.
class CZoneSession {
public:
    CZoneSession() = default;
    CZoneSession(const CZoneSession&) = delete;
    CZoneSession& operator=(const CZoneSession&) = delete;

    // SplitLocalTime.
    bool Split(Time t, LocalFields& fields);
    // The wall-clock seconds (calendar::WallSeconds of the local fields) that t shows.
    bool WallSeconds(Time t, std::int64_t& nWall);

private:
    // The offset (local minus UTC) in force throughout the hour that holds t, or false when the
    // platform must convert t itself.
    bool HourOffset(Time t, std::int64_t& nOffset);

    LocalTimeBatch m_batch;
};

}  // namespace platform::zone
