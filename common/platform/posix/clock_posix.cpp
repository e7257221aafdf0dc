// The machine's real clock on Linux: wall time from CLOCK_REALTIME, ticks from CLOCK_MONOTONIC.
#include <time.h>

#include "platform/clock.h"

namespace platform {
namespace {

class CPosixClock final : public IClock {
public:
    Time Now() const override {
        timespec ts{};
        clock_gettime(CLOCK_REALTIME, &ts);
        return static_cast<Time>(ts.tv_sec);
    }

    int UtcMillisecond() const override {
        timespec ts{};
        clock_gettime(CLOCK_REALTIME, &ts);
        return static_cast<int>(ts.tv_nsec / 1000000);
    }

    std::uint64_t TickCount() const override {
        timespec ts{};
        clock_gettime(CLOCK_MONOTONIC, &ts);
        return static_cast<std::uint64_t>(ts.tv_sec) * 1000u +
               static_cast<std::uint64_t>(ts.tv_nsec / 1000000);
    }
};

}  // namespace

IClock& SystemClock() {
    static CPosixClock s_clock;
    return s_clock;
}

}  // namespace platform
