// The machine's real clock on Windows: system time as a FILETIME, ticks from GetTickCount64.
#include <windows.h>

#include "platform/clock.h"

namespace platform {
namespace {

// 100-ns intervals from 1601-01-01 to 1970-01-01.
constexpr std::uint64_t kEpochDifference = 116444736000000000ull;

std::uint64_t UnixHundredNanoseconds() {
    FILETIME ft{};
    GetSystemTimeAsFileTime(&ft);
    const std::uint64_t value =
        (static_cast<std::uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    return value - kEpochDifference;
}

class CWin32Clock final : public IClock {
public:
    Time Now() const override { return static_cast<Time>(UnixHundredNanoseconds() / 10000000u); }
    int UtcMillisecond() const override {
        return static_cast<int>((UnixHundredNanoseconds() / 10000u) % 1000u);
    }
    std::uint64_t TickCount() const override { return GetTickCount64(); }
};

}  // namespace

IClock& SystemClock() {
    static CWin32Clock s_clock;
    return s_clock;
}

}  // namespace platform
