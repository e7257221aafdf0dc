// One running simulated host: its counters follow its load models between performance requests.
#pragma once
#include <cstdint>
#include <mutex>
#include <set>
#include <span>
#include <vector>

#include "block_builder.h"
#include "network_description.h"
#include "platform/error_codes.h"

namespace sim {

// 100-nanosecond intervals since 1601-01-01 UTC (the base of PerfTime100nSec) of a moment given
// as seconds since 1970 and a millisecond part.
std::int64_t FileTimeFrom(std::int64_t nUnixSeconds, int nMillisecond);

// What the load models give at one moment.
struct CHostLevels {
    double m_dCpu = 0;   // processor busy percent, 0..100
    double m_dMem = 0;   // available megabytes
    double m_dDisk = 0;  // busy percent of all physical disks together
};

class CSimHost {
public:
    explicit CSimHost(CSimHostDefinition definition);
    CSimHost(const CSimHost&) = delete;
    CSimHost& operator=(const CSimHost&) = delete;

    // Read-only after construction: safe from any thread.
    const CSimHostDefinition& Definition() const { return m_definition; }

    // Objects requested by a value name of title indices ("238 4 234"); none when the name is
    // not such a list (then it is no performance data request).
    static bool ParseObjectList(const std::string& strValue,
                                std::vector<std::uint32_t>& vecObjects);

    // One performance data request at the given moment (100 ns units since 1601): moves the
    // counters to that moment and lays out the requested objects that the host's registry does
    // not disable, straight into buffer. When the block fits it counts as delivered: the request
    // faults apply, and the result is 0 with its size in nBytes, or the scripted code.
    // Otherwise kErrorMoreData and nothing is delivered (the buffer may hold part of the block,
    // as a host's may). Serialised per host.
    platform::ErrorCode Request(std::int64_t nFileTime,
                                const std::vector<std::uint32_t>& vecObjects,
                                std::span<std::uint8_t> buffer, std::uint32_t& nBytes);

    // Blocks delivered so far (successful or failed by a scripted fault).
    std::uint64_t RequestCount() const;

private:
    void Advance(std::int64_t nFileTime);
    std::set<std::uint32_t> DisabledObjects() const;

    const CSimHostDefinition m_definition;

    mutable std::mutex m_lock;  // guards everything below
    CPerfBlockBuilder m_builder;
    CLoadModel m_cpu;
    CLoadModel m_mem;
    CLoadModel m_disk;
    bool m_bStarted = false;
    std::int64_t m_nStartTime = 0;  // of the first request
    std::int64_t m_nLastTime = 0;   // of the latest request
    std::uint64_t m_nRequests = 0;
};

}  // namespace sim
