// The clock that timed waits run on: real time, or a manual clock that tests step by hand.
//
// A timed wait measures its time out in the clock's tick count (milliseconds). With the system
// clock a waiting thread sleeps for real; with a CManualWaitClock it sleeps until the test moves
// the clock far enough, so collection jobs run through hours of simulated time instantly and
// in a fixed order.
#pragma once
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

#include "platform/clock.h"

class IWaitClock {
public:
    virtual ~IWaitClock() = default;

    // The clock that gives "now" to the threads that wait on this one.
    virtual const platform::IClock& Clock() const = 0;

    // The mutex that every event waiting on this clock takes, or nullptr when each event keeps
    // its own.
    virtual std::mutex* SharedMutex() { return nullptr; }

    // Called with lock held (the event's mutex): blocks until cv is notified or the clock's tick
    // count reaches nDeadlineTick, whichever comes first; may return early (the caller checks
    // its condition again). bSignalled is the event's flag, read only under lock.
    virtual void Block(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                       std::uint64_t nDeadlineTick, const bool& bSignalled) = 0;

    // A worker thread that will wait on this clock is about to start (called by its creator
    // before the thread exists), or has done its last wait (called by the thread as it ends).
    virtual void WorkerStarting() {}
    virtual void WorkerEnded() {}
};

// Real time: the system clock, waits sleep on the steady clock. One shared instance.
IWaitClock& SystemWaitClock();

// Time that moves only when a test moves it. Every event waiting on it shares the clock's mutex,
// so the test sees at once which workers are blocked and until when.
class CManualWaitClock final : public IWaitClock {
public:
    // The clock must outlive this object and be moved only through it while workers run.
    explicit CManualWaitClock(platform::ManualClock& clock) : m_pClock(&clock) {}
    CManualWaitClock(const CManualWaitClock&) = delete;
    CManualWaitClock& operator=(const CManualWaitClock&) = delete;

    const platform::IClock& Clock() const override { return *m_pClock; }
    std::mutex* SharedMutex() override { return &m_lock; }
    void Block(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
               std::uint64_t nDeadlineTick, const bool& bSignalled) override;
    void WorkerStarting() override;
    void WorkerEnded() override;

    // Moves the clock forward and wakes every wait whose time has come.
    void AdvanceMilliseconds(std::int64_t nMilliseconds);
    // Sets the clock's time of day (the tick count does not move) without waking anyone.
    void Set(platform::Time tNow, int nMillisecond = 0);

    // Waits (without a time limit) until every worker started on this clock is blocked in a
    // wait that neither a signal nor the present time ends, or has ended. Returns the number of
    // workers still running.
    int WaitUntilIdle();
    // WaitUntilIdle, then moves the clock to the earliest deadline of the blocked workers.
    // False when no worker is left to step.
    bool StepToNextDeadline();
    // Steps until every worker has ended or nMaxSteps steps were made; returns the steps made.
    int RunUntilWorkersEnd(int nMaxSteps = 1'000'000);

    // WaitUntilIdle, then the time left until the earliest deadline of the blocked workers;
    // -1 when no worker is blocked.
    std::int64_t NextWaitMilliseconds();

    // Workers started and not yet ended.
    int Workers() const;

private:
    struct SWaiter {
        std::condition_variable* pCv;
        std::uint64_t nDeadline;
        const bool* pSignalled;
    };
    // Under m_lock: the blocked waits that neither a signal nor the present time ends.
    int CountBlocked() const;
    // Under m_lock: the earliest deadline among those waits, or the largest value when none.
    std::uint64_t EarliestDeadline() const;

    platform::ManualClock* m_pClock;
    mutable std::mutex
        m_lock;  // guards everything below and the state of every event on this clock
    std::condition_variable m_cvIdle;  // notified when a worker blocks or ends
    std::vector<SWaiter*> m_vecWaiters;
    int m_nWorkers = 0;
};
