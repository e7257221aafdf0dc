// Test helpers for building local times and for cases that only hold in one time zone.
#pragma once
#include <cstdlib>
#include <string>

#include "platform/local_time.h"

namespace testutil {

// A local wall-clock time, through the same platform helper the code under test uses.
inline platform::Time Local(int nYear, int nMonth, int nDay, int nHour, int nMinute,
                            int nSecond = 0) {
    return platform::MakeLocalTime(nYear, nMonth, nDay, nHour, nMinute, nSecond);
}

// The zone the test process runs in, as set by the test registration.
inline std::string Zone() {
    const char* psz = std::getenv("TZ");
    return psz != nullptr ? psz : "";
}

// Days of a month of the Gregorian calendar.
inline int DaysInMonth(int nYear, int nMonth) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool bLeap = (nYear % 4 == 0 && nYear % 100 != 0) || nYear % 400 == 0;
    return nMonth == 2 && bLeap ? 29 : kDays[nMonth - 1];
}

inline constexpr const char* kNewYork = "America/New_York";
inline constexpr const char* kTokyo = "Asia/Tokyo";

}  // namespace testutil

// Skips the rest of a test unless the process runs in the named zone.
#define SKIP_UNLESS_ZONE(zone) \
    if (testutil::Zone() != (zone)) GTEST_SKIP() << "runs only with TZ=" << (zone)
