// The three figures the threshold trigger reads from a block: processor busy, free memory, disk
// busy.
#pragma once
#include <cstdint>

#include "perf/perf_block.h"

namespace perf {

// The figures decoded from one sample.
struct CPerfSnapshot {
    std::uint32_t m_nCpu = 0;   // processor busy percent, 0 to 100
    std::uint32_t m_nMem = 0;   // available physical memory in megabytes
    std::uint32_t m_nDisk = 0;  // busy percent of all physical disks together; may exceed 100
};

// What one rate figure remembers between samples. One per figure and per collection job.
struct CPerfRateState {
    bool m_bFirst = true;           // no sample seen yet
    std::int64_t m_nPrevValue = 0;  // raw counter value of the previous sample
    std::int64_t m_nPrevTime = 0;   // PerfTime100nSec of the previous sample
};

// Processor busy percent from the "_Total" processor's idle timer; 0 on the first sample.
std::uint32_t CpuBusyPercent(PerfBytes block, CPerfRateState& state);

// Physical disk busy percent from the "_Total" disk's busy timer; 0 on the first sample.
std::uint32_t DiskBusyPercent(PerfBytes block, CPerfRateState& state);

// Available megabytes: the low 32 bits of the memory object's raw count.
std::uint32_t AvailableMegabytes(PerfBytes block);

// All three figures of one block; each rate figure advances only its own state.
CPerfSnapshot TakeSnapshot(PerfBytes block, CPerfRateState& cpuState, CPerfRateState& diskState);

// The percent rule shared by both rate figures: x truncated toward zero as a signed 32-bit value,
// 0 when x is not finite, below 0, or outside the signed 32-bit range (where the conversion gives
// the negative "indefinite" value).
std::uint32_t PercentFromDouble(double x);

}  // namespace perf
