// QueryPerfData: the growing request buffer, bounded by a cap.
#include "perf_query.h"

#include <new>
#include <string>

#include "perf/perf_layout.h"

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
        if (nBufferBytes > nCapBytes - kPerfBufferStepBytes || nCapBytes < kPerfBufferStepBytes) {
            data.Clear();
            return platform::kErrorNotEnoughMemory;
        }
        nBufferBytes += kPerfBufferStepBytes;
    }
}
