// One performance data request: the fixed object list asked of a host's counter key, in a
// buffer that grows until the block fits.
#pragma once
#include <algorithm>
#include <cstdint>
#include <vector>

#include "perf/perf_block.h"
#include "platform/host_access.h"

// The first buffer, and the growth after each "more data" answer.
inline constexpr std::uint32_t kPerfFirstBufferBytes = 51'200;
inline constexpr std::uint32_t kPerfBufferStepBytes = 25'600;
// The buffer never grows beyond this: a host that keeps answering "more data" (or claims a
// block this large) ends the request with kErrorNotEnoughMemory instead of exhausting memory.
inline constexpr std::uint32_t kPerfBufferCapBytes = 64 * 1024 * 1024;

// The reply of a successful request.
class CPerfData {
public:
    std::vector<std::uint8_t> m_vecBuffer;  // the request's buffer, at its final size
    std::uint32_t m_nBytes = 0;             // the byte count the platform reported

    // The reported bytes, limited to the buffer. The caller checks them with IsPerfDataBlock.
    perf::PerfBytes Block() const {
        return perf::PerfBytes(m_vecBuffer.data(),
                               std::min<std::size_t>(m_nBytes, m_vecBuffer.size()));
    }
    void Clear() {
        m_vecBuffer = {};
        m_nBytes = 0;
    }
};

// Requests the objects "238 4 234 236 510 502 638 230 1850" from the counter key: a zero-filled
// buffer of 51,200 bytes first; after each kErrorMoreData a new zero-filled buffer 25,600 bytes
// larger, as long as it stays within nCapBytes. Any other code ends the request; on 0 the data
// holds the buffer and the reported count, otherwise it is emptied.
platform::ErrorCode QueryPerfData(platform::HostAccess& access, platform::HostKey hCounterKey,
                                  CPerfData& data, std::uint32_t nCapBytes = kPerfBufferCapBytes);
