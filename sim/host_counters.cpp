// Counter values of a simulated host's nine objects, moved by its load levels.
#include "host_counters.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "perf/perf_layout.h"
#include "sim_host.h"

namespace sim {
namespace {

using namespace perf;

constexpr std::int64_t kUnitsPerSecond = 10'000'000;
constexpr std::int64_t kMegabyte = 1024 * 1024;
constexpr std::uint32_t kVolumeMegabytes = 40'960;
constexpr std::int64_t kBandwidth = 100'000'000;
constexpr std::uint32_t kCounterPagesPerSec = 40;
constexpr std::uint32_t kCounterPageFaults = 28;
constexpr std::uint32_t kCounterCommitLimit = 30;
constexpr std::uint32_t kCounterDiskReads = 214;
constexpr std::uint32_t kCounterDiskWrites = 216;
constexpr std::uint32_t kCounterAvgQueueLength = 1400;
constexpr std::uint32_t kCounterPacketsPerSec = 400;
constexpr std::uint32_t kCounterBytesReceived = 264;
constexpr std::uint32_t kCounterBytesSent = 506;
constexpr std::uint32_t kCounterSegmentsPerSec = 640;
constexpr std::uint32_t kCounterSegmentsReceived = 652;
constexpr std::uint32_t kCounterSegmentsSent = 654;
constexpr std::uint32_t kCounterVirtualBytes = 172;
constexpr std::uint32_t kCounterThreadCount = 680;
constexpr std::uint32_t kCounterPriorityBase = 682;
constexpr std::uint32_t kCounterHandleCount = 952;
constexpr std::uint32_t kCounterDpcTime = 696;
constexpr std::uint32_t kCounterInterruptTime = 698;

// A count that grows at dPerSecond over nElapsed 100-ns units.
std::int64_t Events(double dPerSecond, std::int64_t nElapsed) {
    return std::llround(dPerSecond * static_cast<double>(nElapsed) / kUnitsPerSecond);
}

std::int64_t Share(std::int64_t nTotal, double dPercent) {
    return std::llround(static_cast<double>(nTotal) * dPercent / 100.0);
}

void AdvanceDisks(CPerfObjectModel& object, const std::vector<std::string>& vecDisks,
                  const CHostLevels& levels, std::int64_t nElapsed) {
    const double dPerDisk = vecDisks.empty() ? 0 : levels.m_dDisk / vecDisks.size();
    const auto advance = [&](std::string_view strName, double dBusy) {
        object.AddValue(strName, kCounterDiskTime, Share(nElapsed, dBusy));
        object.AddValue(strName, kCounterAvgQueueLength, Share(nElapsed, dBusy));
        object.SetValue(strName, kCounterDiskQueueLength, std::llround(dBusy / 100.0));
        object.AddValue(strName, kCounterDiskReads, Events(dBusy * 1.5, nElapsed));
        object.AddValue(strName, kCounterDiskWrites, Events(dBusy, nElapsed));
        object.AddValue(strName, kCounterDiskBytesPerSec, Events(dBusy * 40'960, nElapsed));
    };
    for (const std::string& strDisk : vecDisks) advance(strDisk, dPerDisk);
    advance(kTotalInstance, levels.m_dDisk);
}

void AdvanceProcesses(CPerfObjectModel& process, const std::vector<std::string>& vecProcesses,
                      std::int64_t nBusy, std::int64_t nIdle) {
    // The idle process takes the idle time; the others share the busy time.
    std::int64_t nSum = 0;
    const std::size_t nWorkers = vecProcesses.size() > 1 ? vecProcesses.size() - 1 : 1;
    for (std::size_t i = 0; i < vecProcesses.size(); ++i) {
        const std::int64_t nTime = i == 0 ? nIdle : nBusy / static_cast<std::int64_t>(nWorkers);
        const std::int64_t nUser = i == 0 ? 0 : nTime * 3 / 4;
        process.AddValue(vecProcesses[i], kCounterProcessorTime, nTime);
        process.AddValue(vecProcesses[i], kCounterUserTime, nUser);
        process.AddValue(vecProcesses[i], kCounterPrivilegedTime, nTime - nUser);
        nSum += nTime;
    }
    process.AddValue(kTotalInstance, kCounterProcessorTime, nSum);
}

}  // namespace

void InitStaticCounters(CPerfBlockBuilder& builder, const CHostShape& shape,
                        std::uint32_t nMemoryMb, std::int64_t nFileTime) {
    builder.SetValue(kObjectMemory, {}, kCounterCommitLimit, nMemoryMb * kMegabyte * 3 / 2);
    if (CPerfObjectModel* pMemory = builder.Object(kObjectMemory)) {
        pMemory->SetBaseValue({}, kCounterCommittedInUse, nMemoryMb * 3 / 2);
    }

    if (CPerfObjectModel* pLogical = builder.Object(kObjectLogicalDisk)) {
        const auto size = [&](std::string_view strName, std::int64_t nSize, std::int64_t nFree) {
            pLogical->SetValue(strName, kCounterFreeSpace, nFree);
            pLogical->SetBaseValue(strName, kCounterFreeSpace, nSize);
            pLogical->SetValue(strName, kCounterFreeMegabytes, nFree);
        };
        std::int64_t nTotalFree = 0;
        for (std::size_t i = 0; i < shape.m_vecLogicalDisks.size(); ++i) {
            const std::int64_t nFree = kVolumeMegabytes / 4 + static_cast<std::int64_t>(i) * 3'000;
            size(shape.m_vecLogicalDisks[i], kVolumeMegabytes, nFree);
            nTotalFree += nFree;
        }
        size(kTotalInstance,
             static_cast<std::int64_t>(kVolumeMegabytes) *
                 static_cast<std::int64_t>(shape.m_vecLogicalDisks.size()),
             nTotalFree);
    }

    for (const std::string& strInterface : shape.m_vecNetworkInterfaces) {
        builder.SetValue(kObjectNetworkInterface, strInterface, kCounterCurrentBandwidth,
                         kBandwidth);
    }

    if (CPerfObjectModel* pProcess = builder.Object(kObjectProcess)) {
        // Processes report their start as a time stamp in the object's own time base.
        pProcess->SetPerfFreq(kUnitsPerSecond);
        const std::int64_t nBoot = nFileTime - 3'600 * kUnitsPerSecond;
        std::int64_t nWorkingSets = 0;
        std::int64_t nThreads = 0;
        std::int64_t nHandles = 0;
        for (std::size_t i = 0; i < shape.m_vecProcesses.size(); ++i) {
            const std::string& strName = shape.m_vecProcesses[i];
            const auto n = static_cast<std::int64_t>(i);
            const std::int64_t nWorkingSet = (n == 0 ? 16 : 1'536 + n * 640) * 1024;
            pProcess->SetValue(strName, kCounterWorkingSet, nWorkingSet);
            pProcess->SetValue(strName, kCounterVirtualBytes, nWorkingSet * 4);
            pProcess->SetValue(strName, kCounterThreadCount, n == 0 ? 1 : 4 + n % 20);
            pProcess->SetValue(strName, kCounterPriorityBase, n == 0 ? 0 : 8);
            pProcess->SetValue(strName, kCounterHandleCount, n == 0 ? 0 : 100 + n * 7);
            pProcess->SetValue(strName, kCounterElapsedTime, nBoot + n * kUnitsPerSecond);
            nWorkingSets += nWorkingSet;
            nThreads += n == 0 ? 1 : 4 + n % 20;
            nHandles += n == 0 ? 0 : 100 + n * 7;
        }
        pProcess->SetValue(kTotalInstance, kCounterWorkingSet, nWorkingSets);
        pProcess->SetValue(kTotalInstance, kCounterVirtualBytes, nWorkingSets * 4);
        pProcess->SetValue(kTotalInstance, kCounterThreadCount, nThreads);
        pProcess->SetValue(kTotalInstance, kCounterHandleCount, nHandles);
        pProcess->SetValue(kTotalInstance, kCounterElapsedTime, nBoot);
    }
}

void AdvanceCounters(CPerfBlockBuilder& builder, const CHostShape& shape, std::uint32_t nMemoryMb,
                     const CHostLevels& levels, std::int64_t nElapsed) {
    const double dCpu = std::clamp(levels.m_dCpu, 0.0, 100.0);
    const std::int64_t nBusy = Share(nElapsed, dCpu);
    const std::int64_t nIdle = nElapsed - nBusy;

    if (CPerfObjectModel* pProcessor = builder.Object(kObjectProcessor)) {
        const auto advance = [&](std::string_view strName) {
            const std::int64_t nUser = nBusy * 7 / 10;
            pProcessor->AddValue(strName, kCounterProcessorTime, nIdle);
            pProcessor->AddValue(strName, kCounterUserTime, nUser);
            pProcessor->AddValue(strName, kCounterPrivilegedTime, nBusy - nUser);
            pProcessor->AddValue(strName, kCounterInterruptsPerSec,
                                 Events(150 + 10 * dCpu, nElapsed));
            pProcessor->AddValue(strName, kCounterDpcTime, nBusy / 50);
            pProcessor->AddValue(strName, kCounterInterruptTime, nBusy / 100);
        };
        for (int i = 0; i < shape.m_nProcessors; ++i) advance(std::to_string(i));
        advance(kTotalInstance);
    }

    if (CPerfObjectModel* pMemory = builder.Object(kObjectMemory)) {
        const double dAvailable = std::max(levels.m_dMem, 0.0);
        const std::int64_t nCommitted = std::max<std::int64_t>(
            std::llround((nMemoryMb - dAvailable) * kMegabyte), 256 * kMegabyte);
        pMemory->SetValue({}, kCounterAvailableMBytes, std::llround(dAvailable));
        pMemory->SetValue({}, kCounterAvailableKBytes, std::llround(dAvailable * 1024));
        pMemory->SetValue({}, kCounterAvailableBytes, std::llround(dAvailable * kMegabyte));
        pMemory->SetValue({}, kCounterCommittedBytes, nCommitted);
        pMemory->SetValue({}, kCounterCommittedInUse, nCommitted / kMegabyte);
        pMemory->AddValue({}, kCounterPageFaults, Events(100 + 5 * dCpu, nElapsed));
        pMemory->AddValue({}, kCounterPagesPerSec, Events(dCpu / 2, nElapsed));
    }

    const CHostLevels disk{dCpu, levels.m_dMem, std::max(levels.m_dDisk, 0.0)};
    if (CPerfObjectModel* pPhysical = builder.Object(kObjectPhysicalDisk)) {
        AdvanceDisks(*pPhysical, shape.m_vecPhysicalDisks, disk, nElapsed);
    }
    if (CPerfObjectModel* pLogical = builder.Object(kObjectLogicalDisk)) {
        AdvanceDisks(*pLogical, shape.m_vecLogicalDisks, disk, nElapsed);
    }

    for (const std::string& strInterface : shape.m_vecNetworkInterfaces) {
        const std::int64_t nBytes = Events(2'000 + 5'000 * dCpu, nElapsed);
        builder.AddValue(kObjectNetworkInterface, strInterface, kCounterBytesTotalPerSec, nBytes);
        builder.AddValue(kObjectNetworkInterface, strInterface, kCounterBytesReceived,
                         nBytes * 3 / 5);
        builder.AddValue(kObjectNetworkInterface, strInterface, kCounterBytesSent,
                         nBytes - nBytes * 3 / 5);
        builder.AddValue(kObjectNetworkInterface, strInterface, kCounterPacketsPerSec,
                         Events(20 + 5 * dCpu, nElapsed));
    }

    const std::int64_t nSegmentsIn = Events(30 + 6 * dCpu, nElapsed);
    const std::int64_t nSegmentsOut = Events(20 + 4 * dCpu, nElapsed);
    builder.AddValue(kObjectTcp, {}, kCounterSegmentsPerSec, nSegmentsIn + nSegmentsOut);
    builder.AddValue(kObjectTcp, {}, kCounterSegmentsReceived, nSegmentsIn);
    builder.AddValue(kObjectTcp, {}, kCounterSegmentsSent, nSegmentsOut);
    builder.SetValue(kObjectTcp, {}, kCounterConnectionsEstablished, 12 + std::llround(dCpu / 10));

    if (CPerfObjectModel* pProcess = builder.Object(kObjectProcess)) {
        AdvanceProcesses(*pProcess, shape.m_vecProcesses, nBusy, nIdle);
    }
}

}  // namespace sim
