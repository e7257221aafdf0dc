// The threshold trigger: three conditions with their latches, fired by the first sample at which
// every set condition holds.
#pragma once
#include <cstdint>

#include "perf/perf_figures.h"

inline constexpr std::int32_t kNoThreshold = -1;

class CThresholdTrigger {
public:
    // Thresholds as the schedule holds them; kNoThreshold (-1) means not set.
    CThresholdTrigger(std::int32_t nCpuThreshold, std::int32_t nMemThreshold,
                      std::int32_t nDiskThreshold);

    // True when no threshold is set: there is nothing to watch for.
    bool IsEmpty() const;

    // Takes one sample's figures. Every set threshold, in the order processor, memory, disk:
    // its condition (CPU >= threshold, MEM < threshold, DSK >= threshold, compared unsigned)
    // not holding clears its latch; holding with the latch clear sets the latch, and then the
    // trigger fires if every other set condition holds too. True when it fired on this sample.
    bool Evaluate(const perf::CPerfSnapshot& figures);

private:
    struct SCondition {
        bool bSet = false;
        std::uint32_t nThreshold = 0;
        bool bLatch = false;
    };
    // A schedule's threshold as a condition: set unless -1, compared as an unsigned value.
    static SCondition MakeCondition(std::int32_t nThreshold);

    SCondition m_cpu;
    SCondition m_mem;
    SCondition m_disk;
};
