// The latch walk of the threshold trigger.
#include "job/threshold_trigger.h"

#include <array>

CThresholdTrigger::SCondition CThresholdTrigger::MakeCondition(std::int32_t nThreshold) {
    SCondition condition;
    condition.bSet = nThreshold != kNoThreshold;
    condition.nThreshold = static_cast<std::uint32_t>(nThreshold);
    return condition;
}

CThresholdTrigger::CThresholdTrigger(std::int32_t nCpuThreshold, std::int32_t nMemThreshold,
                                     std::int32_t nDiskThreshold)
    : m_cpu(MakeCondition(nCpuThreshold)),
      m_mem(MakeCondition(nMemThreshold)),
      m_disk(MakeCondition(nDiskThreshold)) {}

bool CThresholdTrigger::IsEmpty() const {
    return !m_cpu.bSet && !m_mem.bSet && !m_disk.bSet;
}

bool CThresholdTrigger::Evaluate(const perf::CPerfSnapshot& figures) {
    const bool bCpu = figures.m_nCpu >= m_cpu.nThreshold;
    const bool bMem = figures.m_nMem < m_mem.nThreshold;  // strictly below
    const bool bDisk = figures.m_nDisk >= m_disk.nThreshold;

    // Whether every set condition holds; an unset one does not stand in the way.
    const bool bAllHold = (!m_cpu.bSet || bCpu) && (!m_mem.bSet || bMem) && (!m_disk.bSet || bDisk);

    const std::array<std::pair<SCondition*, bool>, 3> arrConditions{
        {{&m_cpu, bCpu}, {&m_mem, bMem}, {&m_disk, bDisk}}};
    bool bFired = false;
    for (auto [pCondition, bHolds] : arrConditions) {
        if (!pCondition->bSet) {
            continue;
        }
        if (!bHolds) {
            pCondition->bLatch = false;
        } else if (!pCondition->bLatch) {
            pCondition->bLatch = true;
            if (bAllHold) {
                bFired = true;
            }
        }
    }
    return bFired;
}
