// A simulated host's performance data replies: load models, disabled objects and request faults.
#include "sim_host.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>

#include "host_counters.h"
#include "perf/perf_bytes.h"
#include "perf/perf_layout.h"
#include "platform/calendar.h"

namespace sim {
namespace {

constexpr std::int64_t kUnitsPerSecond = 10'000'000;
constexpr std::int64_t kSecondsFrom1601To1970 = 11'644'473'600;

CSystemTime SystemTimeOf(std::int64_t nFileTime) {
    const std::int64_t nMs = nFileTime / 10'000;
    const std::int64_t nSeconds = nMs / 1000 - kSecondsFrom1601To1970;
    std::int64_t nDays = nSeconds / 86'400;
    std::int64_t nOfDay = nSeconds % 86'400;
    if (nOfDay < 0) {
        nOfDay += 86'400;
        --nDays;
    }
    const platform::calendar::SCivilDate date = platform::calendar::CivilFromDays(nDays);
    CSystemTime time;
    time.m_nYear = static_cast<std::uint16_t>(date.nYear);
    time.m_nMonth = static_cast<std::uint16_t>(date.nMonth);
    time.m_nDay = static_cast<std::uint16_t>(date.nDay);
    time.m_nDayOfWeek = static_cast<std::uint16_t>(platform::calendar::WeekdayFromDays(nDays));
    time.m_nHour = static_cast<std::uint16_t>(nOfDay / 3600);
    time.m_nMinute = static_cast<std::uint16_t>(nOfDay / 60 % 60);
    time.m_nSecond = static_cast<std::uint16_t>(nOfDay % 60);
    time.m_nMilliseconds = static_cast<std::uint16_t>(nMs % 1000);
    return time;
}

// "1" as text or as a 32-bit number switches a provider's counters off.
bool IsSwitchedOn(const CSimValue* pValue) {
    if (pValue == nullptr) return false;
    if (pValue->m_nType == 4 && pValue->m_vecData.size() >= 4) {
        return pValue->m_vecData[0] == 1 && pValue->m_vecData[1] == 0 &&
               pValue->m_vecData[2] == 0 && pValue->m_vecData[3] == 0;
    }
    const std::vector<std::uint8_t>& d = pValue->m_vecData;
    return pValue->m_nType == 1 && d.size() >= 2 && d[0] == '1' && d[1] == 0 &&
           (d.size() < 4 || (d[2] == 0 && d[3] == 0));
}

}  // namespace

std::int64_t FileTimeFrom(std::int64_t nUnixSeconds, int nMillisecond) {
    return (nUnixSeconds + kSecondsFrom1601To1970) * kUnitsPerSecond +
           static_cast<std::int64_t>(nMillisecond) * 10'000;
}

CSimHost::CSimHost(CSimHostDefinition definition)
    : m_definition(std::move(definition)),
      m_builder(MakeHostBlockBuilder(m_definition.m_shape)),
      m_cpu(m_definition.m_cpu),
      m_mem(m_definition.m_mem),
      m_disk(m_definition.m_disk) {}

bool CSimHost::ParseObjectList(const std::string& strValue,
                               std::vector<std::uint32_t>& vecObjects) {
    vecObjects.clear();
    std::size_t i = 0;
    while (i < strValue.size()) {
        if (strValue[i] == ' ') {
            ++i;
            continue;
        }
        std::uint64_t nIndex = 0;
        std::size_t nDigits = 0;
        while (i < strValue.size() && strValue[i] >= '0' && strValue[i] <= '9') {
            nIndex = nIndex * 10 + static_cast<std::uint64_t>(strValue[i] - '0');
            if (++nDigits > 9) return false;
            ++i;
        }
        if (nDigits == 0) return false;
        vecObjects.push_back(static_cast<std::uint32_t>(nIndex));
    }
    return !vecObjects.empty();
}

std::set<std::uint32_t> CSimHost::DisabledObjects() const {
    // Each performance counter provider and the objects it delivers.
    struct SProvider {
        const char* pszService;
        std::initializer_list<std::uint32_t> listObjects;
    };
    static const SProvider kProviders[] = {
        {"PerfOS", {perf::kObjectProcessor, perf::kObjectMemory}},
        {"PerfDisk", {perf::kObjectPhysicalDisk, perf::kObjectLogicalDisk}},
        {"PerfProc", {perf::kObjectProcess}},
    };
    std::set<std::uint32_t> setDisabled;
    for (const SProvider& provider : kProviders) {
        const std::string strKey = NormalizeKeyPath(std::string(kServicesKey) + "\\" +
                                                    provider.pszService + "\\Performance");
        if (IsSwitchedOn(m_definition.m_registry.FindValue(strKey, kDisableCountersValue))) {
            setDisabled.insert(provider.listObjects.begin(), provider.listObjects.end());
        }
    }
    return setDisabled;
}

void CSimHost::Advance(std::int64_t nFileTime) {
    if (!m_bStarted) {
        m_bStarted = true;
        m_nStartTime = nFileTime;
        m_nLastTime = nFileTime;
        InitStaticCounters(m_builder, m_definition.m_shape, m_definition.m_nMemoryMb, nFileTime);
    }
    // A clock that goes back does not run the counters backwards.
    const std::int64_t nElapsed = std::max<std::int64_t>(nFileTime - m_nLastTime, 0);
    m_nLastTime = std::max(m_nLastTime, nFileTime);
    const std::int64_t nSinceStart = (m_nLastTime - m_nStartTime) / 10'000;
    CHostLevels levels;
    levels.m_dCpu = m_cpu.LevelAt(nSinceStart);
    levels.m_dMem = m_mem.LevelAt(nSinceStart);
    levels.m_dDisk = m_disk.LevelAt(nSinceStart);
    AdvanceCounters(m_builder, m_definition.m_shape, m_definition.m_nMemoryMb, levels, nElapsed);

    m_builder.SetClock(m_nLastTime);
    m_builder.SetSystemTime(SystemTimeOf(m_nLastTime));
    if (CPerfObjectModel* pProcess = m_builder.Object(perf::kObjectProcess)) {
        pProcess->SetPerfTime(m_nLastTime);
    }
}

platform::ErrorCode CSimHost::Request(std::int64_t nFileTime,
                                      const std::vector<std::uint32_t>& vecObjects,
                                      std::span<std::uint8_t> buffer, std::uint32_t& nBytes) {
    std::lock_guard<std::mutex> guard(m_lock);
    Advance(nFileTime);

    // Objects come in the host's own order; unknown and disabled ones are left out. The block is
    // laid out straight into the caller's buffer, as a host's registry writes its reply.
    const std::set<std::uint32_t> setDisabled = DisabledObjects();
    const auto wanted = [&](std::uint32_t nIndex) {
        return std::find(vecObjects.begin(), vecObjects.end(), nIndex) != vecObjects.end() &&
               setDisabled.count(nIndex) == 0;
    };
    bool bAll = true;
    for (const CPerfObjectModel& object : m_builder.Objects())
        bAll = bAll && wanted(object.Index());
    std::size_t nBuilt = 0;
    if (bAll) {
        nBuilt = m_builder.BuildInto(buffer);
    } else {
        CPerfBlockBuilder builder = m_builder;
        for (const CPerfObjectModel& object : m_builder.Objects()) {
            if (!wanted(object.Index())) builder.RemoveObject(object.Index());
        }
        nBuilt = builder.BuildInto(buffer);
    }

    // Padding makes a reply as large as a busy server's.
    const std::size_t nPadded =
        (static_cast<std::size_t>(m_definition.m_faults.m_nBlockSize) + 7) & ~std::size_t{7};
    const std::size_t nSize = std::max(nBuilt, nPadded);
    if (nSize > buffer.size()) return platform::kErrorMoreData;
    if (nSize > nBuilt) {
        std::fill(buffer.begin() + static_cast<std::ptrdiff_t>(nBuilt),
                  buffer.begin() + static_cast<std::ptrdiff_t>(nSize), std::uint8_t{0});
        perf::StoreLE(buffer.data() + perf::data_block::kTotalByteLength,
                      static_cast<std::uint32_t>(nSize));
    }

    const std::uint64_t nRequest = ++m_nRequests;
    const auto itFail = m_definition.m_faults.m_mapFailRequest.find(nRequest);
    if (itFail != m_definition.m_faults.m_mapFailRequest.end()) return itFail->second;
    if (m_definition.m_faults.m_bBadSignatureAlways ||
        m_definition.m_faults.m_setBadSignature.count(nRequest)) {
        std::fill_n(buffer.data() + perf::data_block::kSignature, 8, std::uint8_t{0});
    }
    nBytes = static_cast<std::uint32_t>(nSize);
    return platform::kSuccess;
}

std::uint64_t CSimHost::RequestCount() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_nRequests;
}

}  // namespace sim
