// An auto-reset event with a timed wait on an injectable clock: one signal ends one wait.
#pragma once
#include <condition_variable>
#include <cstdint>
#include <mutex>

#include "job/wait_clock.h"

class CAutoResetEvent {
public:
    // Created not signalled. The wait clock must outlive the event.
    explicit CAutoResetEvent(IWaitClock& waitClock);
    ~CAutoResetEvent();
    CAutoResetEvent(const CAutoResetEvent&) = delete;
    CAutoResetEvent& operator=(const CAutoResetEvent&) = delete;

    // Signals the event: the next wait (or the one in progress) ends at once and takes the signal.
    void Set();
    // Takes back a signal nobody has waited for yet.
    void Reset();
    // Waits until the event is signalled or nMilliseconds of the clock's time have passed. True
    // when signalled (the event is then no longer signalled), false on time-out. A wait of 0
    // only looks.
    bool Wait(std::uint32_t nMilliseconds);

    IWaitClock& WaitClock() const { return *m_pWaitClock; }

private:
    IWaitClock* m_pWaitClock;
    std::mutex m_ownLock;
    std::mutex* m_pLock;  // the wait clock's shared mutex, or m_ownLock
    std::condition_variable m_cv;
    bool m_bSignalled = false;  // under *m_pLock
};
