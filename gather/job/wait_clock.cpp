// The real and the manual wait clock.
#include "job/wait_clock.h"

#include <algorithm>
#include <chrono>
#include <limits>

namespace {

constexpr std::uint64_t kNoDeadline = std::numeric_limits<std::uint64_t>::max();

class CSystemWaitClock final : public IWaitClock {
public:
    const platform::IClock& Clock() const override { return platform::SystemClock(); }

    void Block(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
               std::uint64_t nDeadlineTick, const bool& bSignalled) override {
        (void)bSignalled;
        const std::uint64_t nNow = platform::SystemClock().TickCount();
        if (nNow >= nDeadlineTick) {
            return;
        }
        cv.wait_for(lock, std::chrono::milliseconds(nDeadlineTick - nNow));
    }
};

}  // namespace

IWaitClock& SystemWaitClock() {
    static CSystemWaitClock s_clock;
    return s_clock;
}

void CManualWaitClock::Block(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                             std::uint64_t nDeadlineTick, const bool& bSignalled) {
    // lock holds m_lock: every event on this clock uses it as its own mutex.
    SWaiter waiter{&cv, nDeadlineTick, &bSignalled};
    m_vecWaiters.push_back(&waiter);
    m_cvIdle.notify_all();
    cv.wait(lock);
    m_vecWaiters.erase(std::find(m_vecWaiters.begin(), m_vecWaiters.end(), &waiter));
}

void CManualWaitClock::WorkerStarting() {
    std::lock_guard<std::mutex> lock(m_lock);
    ++m_nWorkers;
}

void CManualWaitClock::WorkerEnded() {
    std::lock_guard<std::mutex> lock(m_lock);
    --m_nWorkers;
    m_cvIdle.notify_all();
}

void CManualWaitClock::AdvanceMilliseconds(std::int64_t nMilliseconds) {
    std::lock_guard<std::mutex> lock(m_lock);
    m_pClock->AdvanceMilliseconds(nMilliseconds);
    for (SWaiter* pWaiter : m_vecWaiters) {
        pWaiter->pCv->notify_all();
    }
}

void CManualWaitClock::Set(platform::Time tNow, int nMillisecond) {
    std::lock_guard<std::mutex> lock(m_lock);
    m_pClock->Set(tNow, nMillisecond);
}

int CManualWaitClock::CountBlocked() const {
    const std::uint64_t nNow = m_pClock->TickCount();
    return static_cast<int>(
        std::count_if(m_vecWaiters.begin(), m_vecWaiters.end(),
                      [nNow](const SWaiter* p) { return !*p->pSignalled && p->nDeadline > nNow; }));
}

int CManualWaitClock::WaitUntilIdle() {
    std::unique_lock<std::mutex> lock(m_lock);
    m_cvIdle.wait(lock, [this] { return CountBlocked() >= m_nWorkers; });
    return m_nWorkers;
}

std::uint64_t CManualWaitClock::EarliestDeadline() const {
    const std::uint64_t nNow = m_pClock->TickCount();
    std::uint64_t nNext = kNoDeadline;
    for (const SWaiter* p : m_vecWaiters) {
        if (!*p->pSignalled && p->nDeadline > nNow) {
            nNext = std::min(nNext, p->nDeadline);
        }
    }
    return nNext;
}

std::int64_t CManualWaitClock::NextWaitMilliseconds() {
    std::unique_lock<std::mutex> lock(m_lock);
    m_cvIdle.wait(lock, [this] { return CountBlocked() >= m_nWorkers; });
    const std::uint64_t nNext = EarliestDeadline();
    return nNext == kNoDeadline ? -1 : static_cast<std::int64_t>(nNext - m_pClock->TickCount());
}

bool CManualWaitClock::StepToNextDeadline() {
    std::unique_lock<std::mutex> lock(m_lock);
    m_cvIdle.wait(lock, [this] { return CountBlocked() >= m_nWorkers; });
    if (m_nWorkers == 0) {
        return false;
    }
    const std::uint64_t nNext = EarliestDeadline();
    if (nNext != kNoDeadline) {
        m_pClock->AdvanceMilliseconds(static_cast<std::int64_t>(nNext - m_pClock->TickCount()));
    }
    for (SWaiter* pWaiter : m_vecWaiters) {
        pWaiter->pCv->notify_all();
    }
    return true;
}

int CManualWaitClock::RunUntilWorkersEnd(int nMaxSteps) {
    int nSteps = 0;
    while (nSteps < nMaxSteps && StepToNextDeadline()) {
        ++nSteps;
    }
    return nSteps;
}

int CManualWaitClock::Workers() const {
    std::lock_guard<std::mutex> lock(m_lock);
    return m_nWorkers;
}
