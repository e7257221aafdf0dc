// The auto-reset event: a flag under a mutex, waited for on the wait clock's terms.
#include "job/auto_reset_event.h"

CAutoResetEvent::CAutoResetEvent(IWaitClock& waitClock) : m_pWaitClock(&waitClock) {
    std::mutex* pShared = waitClock.SharedMutex();
    m_pLock = pShared != nullptr ? pShared : &m_ownLock;
}

CAutoResetEvent::~CAutoResetEvent() = default;

void CAutoResetEvent::Set() {
    std::lock_guard<std::mutex> lock(*m_pLock);
    m_bSignalled = true;
    m_cv.notify_one();
}

void CAutoResetEvent::Reset() {
    std::lock_guard<std::mutex> lock(*m_pLock);
    m_bSignalled = false;
}

bool CAutoResetEvent::Wait(std::uint32_t nMilliseconds) {
    const platform::IClock& clock = m_pWaitClock->Clock();
    std::unique_lock<std::mutex> lock(*m_pLock);
    const std::uint64_t nDeadline = clock.TickCount() + nMilliseconds;
    while (!m_bSignalled) {
        if (clock.TickCount() >= nDeadline) {
            return false;
        }
        m_pWaitClock->Block(lock, m_cv, nDeadline, m_bSignalled);
    }
    m_bSignalled = false;
    return true;
}
