// QueryPerfData and CPerfQuery: the growing request buffer, bounded by a cap.
#include "perf_query.h"

#include <algorithm>
#include <new>

#include "perf/perf_layout.h"

namespace {

// The next size of the growth sequence after nBufferBytes, or false when it would pass the cap.
bool NextBufferBytes(std::uint32_t& nBufferBytes, std::uint32_t nCapBytes) {
    if (nBufferBytes > nCapBytes - kPerfBufferStepBytes || nCapBytes < kPerfBufferStepBytes) {
        return false;
    }
    nBufferBytes += kPerfBufferStepBytes;
    return true;
}

}  // namespace

platform::ErrorCode QueryPerfData(platform::HostAccess& access, platform::HostKey hCounterKey,
                                  CPerfData& data, std::uint32_t nCapBytes) {
    data.Clear();
    const std::string strObjects(perf::kPerfObjectList);
    std::uint32_t nBufferBytes = kPerfFirstBufferBytes;
    if (nBufferBytes > nCapBytes) return platform::kErrorNotEnoughMemory;
    for (;;) {
        // Each attempt gets a new zero-filled buffer; the previous one is freed first.
        data.m_vecBuffer = {};
        try {
            data.m_vecBuffer.assign(nBufferBytes, 0);
        } catch (const std::bad_alloc&) {
            data.Clear();
            return platform::kErrorNotEnoughMemory;
        }
        std::uint32_t nBytes = nBufferBytes;
        const platform::ErrorCode nCode =
            access.QueryValue(hCounterKey, strObjects, nullptr, data.m_vecBuffer.data(), nBytes);
        if (nCode == platform::kSuccess) {
            data.m_nBytes = nBytes;
            return platform::kSuccess;
        }
        if (nCode != platform::kErrorMoreData) {
            data.Clear();
            return nCode;
        }
        // The count the platform reports with "more data" is undefined for performance data:
        // the buffer grows by its fixed step from its own size.
        if (!NextBufferBytes(nBufferBytes, nCapBytes)) {
            data.Clear();
            return platform::kErrorNotEnoughMemory;
        }
    }
}

std::uint32_t PerfBufferBytesFor(std::uint32_t nBytes) {
    if (nBytes <= kPerfFirstBufferBytes) return kPerfFirstBufferBytes;
    const std::uint64_t nSteps =
        (std::uint64_t{nBytes} - kPerfFirstBufferBytes + kPerfBufferStepBytes - 1) /
        kPerfBufferStepBytes;
    const std::uint64_t nSize = kPerfFirstBufferBytes + nSteps * kPerfBufferStepBytes;
    return nSize > UINT32_MAX ? UINT32_MAX : static_cast<std::uint32_t>(nSize);
}

CPerfQuery::CPerfQuery(std::uint32_t nCapBytes)
    : m_strObjects(perf::kPerfObjectList), m_nCapBytes(nCapBytes) {}

platform::ErrorCode CPerfQuery::Request(platform::HostAccess& access,
                                        platform::HostKey hCounterKey) {
    m_nBytes = 0;
    std::uint32_t nBufferBytes = std::min(m_nStartBytes, m_nCapBytes);
    if (nBufferBytes < kPerfFirstBufferBytes) return platform::kErrorNotEnoughMemory;
    for (;;) {
        // A larger buffer replaces the old one, whose bytes are of no use to the next reply.
        if (m_buffer.Size() < nBufferBytes && !m_buffer.Allocate(nBufferBytes)) {
            m_nSize = 0;
            return platform::kErrorNotEnoughMemory;
        }
        m_nSize = nBufferBytes;
        std::uint32_t nBytes = nBufferBytes;
        const platform::ErrorCode nCode =
            access.QueryValue(hCounterKey, m_strObjects, nullptr, m_buffer.Data(), nBytes);
        if (nCode == platform::kSuccess) {
            m_nBytes = nBytes;
            // The next request starts where this reply would have fitted at once; a block that
            // has shrunk lets it start lower again.
            m_nStartBytes = std::min(nBufferBytes, PerfBufferBytesFor(nBytes));
            return platform::kSuccess;
        }
        if (nCode != platform::kErrorMoreData) return nCode;
        if (!NextBufferBytes(nBufferBytes, m_nCapBytes)) return platform::kErrorNotEnoughMemory;
    }
}
