// The processor, memory and disk figures and the rate history of the two timer-based ones.
#include "perf/perf_figures.h"

#include <cmath>

#include "perf/perf_layout.h"

namespace perf {

namespace {

// The change of a rate counter and of the block's time base since the previous sample, or
// nothing on the first sample. The state always takes the new sample.
struct CRateDelta {
    bool m_bValid = false;
    double m_dValue = 0;
    double m_dTime = 0;
};

CRateDelta Advance(std::int64_t nValue, std::int64_t nTime, CPerfRateState& state) {
    CRateDelta delta;
    if (!state.m_bFirst) {
        // 64-bit differences that wrap like the host's counters instead of overflowing.
        const auto nDv = static_cast<std::int64_t>(static_cast<std::uint64_t>(nValue) -
                                                   static_cast<std::uint64_t>(state.m_nPrevValue));
        const auto nDt = static_cast<std::int64_t>(static_cast<std::uint64_t>(nTime) -
                                                   static_cast<std::uint64_t>(state.m_nPrevTime));
        delta = {true, static_cast<double>(nDv), static_cast<double>(nDt)};
    }
    state.m_bFirst = false;
    state.m_nPrevValue = nValue;
    state.m_nPrevTime = nTime;
    return delta;
}

std::uint32_t CpuPercent(std::int64_t nIdleTime, std::int64_t nTime, CPerfRateState& state) {
    const CRateDelta delta = Advance(nIdleTime, nTime, state);
    if (!delta.m_bValid) return 0;
    return PercentFromDouble((1.0 - delta.m_dValue / delta.m_dTime) * 100.0 + 0.5);
}

std::uint32_t DiskPercent(std::int64_t nBusyTime, std::int64_t nTime, CPerfRateState& state) {
    const CRateDelta delta = Advance(nBusyTime, nTime, state);
    if (!delta.m_bValid) return 0;
    return PercentFromDouble(delta.m_dValue / delta.m_dTime * 100.0 + 0.5);
}

std::uint32_t Megabytes(std::int64_t nValue) {
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(nValue));
}

}  // namespace

std::uint32_t PercentFromDouble(double x) {
    if (!std::isfinite(x)) return 0;
    if (x >= 2147483648.0 || x <= -2147483649.0) return 0;
    const auto n = static_cast<std::int32_t>(x);
    return n < 0 ? 0 : static_cast<std::uint32_t>(n);
}

std::uint32_t CpuBusyPercent(PerfBytes block, CPerfRateState& state) {
    return CpuPercent(ReadCounter(block, kObjectProcessor, kCounterProcessorTime, kTotalInstance),
                      BlockPerfTime100nSec(block), state);
}

std::uint32_t DiskBusyPercent(PerfBytes block, CPerfRateState& state) {
    return DiskPercent(ReadCounter(block, kObjectPhysicalDisk, kCounterDiskTime, kTotalInstance),
                       BlockPerfTime100nSec(block), state);
}

std::uint32_t AvailableMegabytes(PerfBytes block) {
    return Megabytes(ReadCounter(block, kObjectMemory, kCounterAvailableMBytes, {}));
}

CPerfSnapshot TakeSnapshot(PerfBytes block, CPerfRateState& cpuState, CPerfRateState& diskState) {
    // The three objects in one walk over the object headers; every other object of the block,
    // however large, is stepped over by its length.
    static constexpr std::uint32_t kObjects[3] = {kObjectPhysicalDisk, kObjectProcessor,
                                                  kObjectMemory};
    std::optional<CPerfObject> objects[3];
    FindObjects(block, kObjects, objects);
    const std::int64_t nTime = BlockPerfTime100nSec(block);

    CPerfSnapshot snapshot;
    snapshot.m_nDisk =
        DiskPercent(ReadCounter(objects[0], kCounterDiskTime, kTotalInstance), nTime, diskState);
    snapshot.m_nCpu =
        CpuPercent(ReadCounter(objects[1], kCounterProcessorTime, kTotalInstance), nTime, cpuState);
    snapshot.m_nMem = Megabytes(ReadCounter(objects[2], kCounterAvailableMBytes, {}));
    return snapshot;
}

}  // namespace perf
