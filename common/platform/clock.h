// The source of "now": real on both platforms, replaceable in tests so they step time instead of
// sleeping.
#pragma once
#include <atomic>
#include <cstdint>

namespace platform {

// A point in time: seconds since 1970-01-01 00:00:00 UTC.
using Time = std::int64_t;

class IClock {
public:
    virtual ~IClock() = default;
    // Now, in whole seconds since 1970-01-01 UTC.
    virtual Time Now() const = 0;
    // The millisecond part (0..999) of the current UTC time.
    virtual int UtcMillisecond() const = 0;
    // A monotonic millisecond count (GetTickCount64 semantics); only differences matter.
    virtual std::uint64_t TickCount() const = 0;
};

// The real clock of the machine. One shared instance, safe from any thread.
IClock& SystemClock();

// A clock that only moves when told to. Safe to read from worker threads while a test steps it.
class ManualClock final : public IClock {
public:
    explicit ManualClock(Time now = 0, int millisecond = 0)
        : m_tNow(now), m_nMillisecond(millisecond), m_nTicks(0) {}

    Time Now() const override { return m_tNow.load(); }
    int UtcMillisecond() const override { return m_nMillisecond.load(); }
    std::uint64_t TickCount() const override { return m_nTicks.load(); }

    void Set(Time now, int millisecond = 0) {
        m_tNow = now;
        m_nMillisecond = millisecond;
    }
    // Moves the clock and the tick count forward together.
    void AdvanceMilliseconds(std::int64_t ms) {
        // A negative step moves the clock back; the millisecond part stays within 0..999.
        const std::int64_t total = static_cast<std::int64_t>(m_nMillisecond.load()) + ms;
        std::int64_t seconds = total / 1000;
        std::int64_t millisecond = total % 1000;
        if (millisecond < 0) {
            millisecond += 1000;
            seconds -= 1;
        }
        m_tNow += seconds;
        m_nMillisecond = static_cast<int>(millisecond);
        m_nTicks += static_cast<std::uint64_t>(ms);
    }
    void AdvanceSeconds(std::int64_t s) { AdvanceMilliseconds(s * 1000); }

private:
    std::atomic<Time> m_tNow;
    std::atomic<int> m_nMillisecond;
    std::atomic<std::uint64_t> m_nTicks;
};

}  // namespace platform
