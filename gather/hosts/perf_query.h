// One performance data request: the fixed object list asked of a host's counter key, in a
// buffer that grows until the block fits; and a job's series of such requests in one kept buffer.
#pragma once
#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "perf/perf_block.h"
#include "platform/host_access.h"
#include "platform/zeroed_pages.h"

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

// The smallest buffer of the growth sequence (51,200, 76,800, 102,400, ...) that holds nBytes.
std::uint32_t PerfBufferBytesFor(std::uint32_t nBytes);

// The performance data requests of one collection job, every sample through the same buffer.
//
// Each request asks what QueryPerfData asks and tries buffer sizes of the same sequence, but it
// starts at the size the previous successful reply needed instead of at 51,200: a host whose
// blocks outgrew the first buffer is not asked twice for every sample (on Windows each request
// makes the host collect its data afresh). The buffer is kept from request to request instead
// of being allocated, zero-filled and freed each time, so sampling allocates and clears nothing.
// A reply offers the bytes the platform reports having written into the buffer, which are the
// same in a kept buffer as in a new one. Only a reply claiming more than the buffer holds (which
// no platform gives: it answers "more data" instead) would offer bytes it did not write: in a new
// buffer zeros, in the kept one bytes of this host's earlier replies or zeros, never anything
// else of the program, since the buffer is zero-filled when it is allocated.
class CPerfQuery {
public:
    explicit CPerfQuery(std::uint32_t nCapBytes = kPerfBufferCapBytes);

    // One request. 0 with the reply in Block(); otherwise the code, and Block() is empty.
    platform::ErrorCode Request(platform::HostAccess& access, platform::HostKey hCounterKey);

    // The reply of the last request: the reported bytes, limited to the buffer.
    perf::PerfBytes Block() const {
        return perf::PerfBytes(m_buffer.Data(), std::min<std::size_t>(m_nBytes, m_nSize));
    }
    // The byte count the platform reported for the last reply, 0 after a failure.
    std::uint32_t ReportedBytes() const { return m_nBytes; }
    // The buffer size the next request starts with.
    std::uint32_t StartBytes() const { return m_nStartBytes; }

private:
    const std::string m_strObjects;
    const std::uint32_t m_nCapBytes;
    std::uint32_t m_nStartBytes = kPerfFirstBufferBytes;
    // Pages from the system, zero-filled without being touched, so the part of the buffer that
    // replies never reach costs no memory (500 jobs each keep one); only ever replaced by a
    // larger one. m_nSize bytes of it are in use.
    platform::CZeroedPages m_buffer;
    std::uint32_t m_nSize = 0;  // the buffer size of the last attempt
    std::uint32_t m_nBytes = 0;
};
