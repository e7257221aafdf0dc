// Counter definitions and instances of the standard objects of a simulated Windows host.
#include "host_block.h"

#include "perf/perf_layout.h"

namespace sim {

namespace {

using namespace perf;

constexpr std::uint32_t kAdvanced = kPerfDetailAdvanced;

CCounterDefinition Counter(std::uint32_t nIndex, std::uint32_t nType, std::uint32_t nSize,
                           std::uint32_t nDetail = kPerfDetailNovice) {
    return CCounterDefinition{nIndex, nType, nSize, 0, nDetail};
}

std::vector<CCounterDefinition> ProcessorCounters() {
    return {Counter(kCounterProcessorTime, kPerf100nsecTimerInv, 8),
            Counter(kCounterUserTime, kPerf100nsecTimer, 8),
            Counter(kCounterPrivilegedTime, kPerf100nsecTimer, 8),
            Counter(kCounterInterruptsPerSec, kPerfCounterCounter, 4),
            Counter(696, kPerf100nsecTimer, 8, kAdvanced),   // % DPC Time
            Counter(698, kPerf100nsecTimer, 8, kAdvanced)};  // % Interrupt Time
}

// Available MBytes is a 32-bit count followed directly by another 32-bit counter, so the 8 bytes
// a reader takes hold a neighbour's value in their high half, as on a real host.
std::vector<CCounterDefinition> MemoryCounters() {
    return {Counter(28, kPerfCounterCounter, 4),  // Page Faults/sec
            Counter(kCounterAvailableBytes, kPerfCounterLargeRawcount, 8),
            Counter(kCounterCommittedBytes, kPerfCounterLargeRawcount, 8),
            Counter(30, kPerfCounterLargeRawcount, 8),  // Commit Limit
            Counter(40, kPerfCounterCounter, 4),        // Pages/sec
            Counter(kCounterAvailableKBytes, kPerfCounterLargeRawcount, 8),
            Counter(kCounterAvailableMBytes, kPerfCounterRawcount, 4),
            Counter(kCounterCommittedInUse, kPerfRawFraction, 4),
            Counter(kCounterCommittedInUse, kPerfRawBase, 4)};
}

// The disk counters shared by PhysicalDisk and LogicalDisk; % Disk Time is a precision timer
// followed by its time stamp base.
std::vector<CCounterDefinition> DiskCounters() {
    return {Counter(kCounterDiskQueueLength, kPerfCounterRawcount, 4),
            Counter(kCounterDiskTime, kPerfPrecision100nsTimer, 8),
            Counter(kCounterDiskTime, kPerfPrecisionTimestamp, 8),
            Counter(1400, kPerfCounter100nsQueuelen, 8, kAdvanced),  // Avg. Disk Queue Length
            Counter(214, kPerfCounterCounter, 4),                    // Disk Reads/sec
            Counter(216, kPerfCounterCounter, 4),                    // Disk Writes/sec
            Counter(kCounterDiskBytesPerSec, kPerfCounterBulkCount, 8)};
}

std::vector<CCounterDefinition> LogicalDiskCounters() {
    std::vector<CCounterDefinition> vecCounters = {
        Counter(kCounterFreeSpace, kPerfRawFraction, 4),
        Counter(kCounterFreeSpace, kPerfRawBase, 4),
        Counter(kCounterFreeMegabytes, kPerfCounterRawcount, 4)};
    for (const CCounterDefinition& counter : DiskCounters()) vecCounters.push_back(counter);
    return vecCounters;
}

std::vector<CCounterDefinition> NetworkCounters() {
    return {Counter(kCounterBytesTotalPerSec, kPerfCounterBulkCount, 8),
            Counter(400, kPerfCounterCounter, 4),    // Packets/sec
            Counter(264, kPerfCounterBulkCount, 8),  // Bytes Received/sec
            Counter(506, kPerfCounterBulkCount, 8),  // Bytes Sent/sec
            Counter(kCounterCurrentBandwidth, kPerfCounterRawcount, 4)};
}

std::vector<CCounterDefinition> TcpCounters() {
    return {Counter(640, kPerfCounterCounter, 4),  // Segments/sec
            Counter(kCounterConnectionsEstablished, kPerfCounterRawcount, 4),
            Counter(644, kPerfCounterRawcount, 4),  // Connections Active
            Counter(646, kPerfCounterRawcount, 4),  // Connections Passive
            Counter(648, kPerfCounterRawcount, 4),  // Connection Failures
            Counter(650, kPerfCounterRawcount, 4),  // Connections Reset
            Counter(652, kPerfCounterCounter, 4),   // Segments Received/sec
            Counter(654, kPerfCounterCounter, 4),   // Segments Sent/sec
            Counter(656, kPerfCounterCounter, 4)};  // Segments Retransmitted/sec
}

std::vector<CCounterDefinition> ProcessCounters() {
    return {Counter(kCounterProcessorTime, kPerf100nsecTimer, 8),
            Counter(kCounterUserTime, kPerf100nsecTimer, 8),
            Counter(kCounterPrivilegedTime, kPerf100nsecTimer, 8),
            Counter(172, kPerfCounterLargeRawcount, 8),  // Virtual Bytes
            Counter(28, kPerfCounterCounter, 4),         // Page Faults/sec
            Counter(kCounterWorkingSet, kPerfCounterLargeRawcount, 8),
            Counter(680, kPerfCounterRawcount, 4),  // Thread Count
            Counter(682, kPerfCounterRawcount, 4),  // Priority Base
            Counter(kCounterElapsedTime, kPerfElapsedTime, 8),
            Counter(kCounterIdProcess, kPerfCounterRawcount, 4),
            Counter(1410, kPerfCounterRawcount, 4),  // Creating Process ID
            Counter(952, kPerfCounterRawcount, 4)};  // Handle Count
}

// The two objects that are requested and stored but not interpreted get a few plain counters of
// their own, so that they have a realistic shape in the block.
std::vector<CCounterDefinition> PlainCounters(std::uint32_t nObject) {
    return {Counter(nObject + 2, kPerfCounterCounter, 4),
            Counter(nObject + 4, kPerfCounterRawcount, 4),
            Counter(nObject + 6, kPerfCounterLargeRawcount, 8)};
}

}  // namespace

CPerfBlockBuilder MakeHostBlockBuilder(const CHostShape& shape) {
    CPerfBlockBuilder builder(shape.m_strSystemName);

    CPerfObjectModel& processor = builder.AddObject(kObjectProcessor, ProcessorCounters(), true);
    for (int i = 0; i < shape.m_nProcessors; ++i) processor.AddInstance(std::to_string(i));
    processor.AddInstance(kTotalInstance);

    builder.AddObject(kObjectMemory, MemoryCounters(), false);

    CPerfObjectModel& physical = builder.AddObject(kObjectPhysicalDisk, DiskCounters(), true);
    for (const std::string& strName : shape.m_vecPhysicalDisks) physical.AddInstance(strName);
    physical.AddInstance(kTotalInstance);

    CPerfObjectModel& logical = builder.AddObject(kObjectLogicalDisk, LogicalDiskCounters(), true);
    for (const std::string& strName : shape.m_vecLogicalDisks) {
        logical.AddInstance(strName, kObjectPhysicalDisk, 0);
    }
    logical.AddInstance(kTotalInstance);

    CPerfObjectModel& network = builder.AddObject(kObjectNetworkInterface, NetworkCounters(), true);
    for (const std::string& strName : shape.m_vecNetworkInterfaces) network.AddInstance(strName);

    builder.AddObject(kObject502, PlainCounters(kObject502), false);
    builder.AddObject(kObjectTcp, TcpCounters(), false);

    CPerfObjectModel& process = builder.AddObject(kObjectProcess, ProcessCounters(), true);
    const std::size_t nIdPosition = *process.CounterPosition(kCounterIdProcess);
    std::int64_t nId = 0;
    for (const std::string& strName : shape.m_vecProcesses) {
        process.AddInstance(strName).m_vecValues[nIdPosition] = nId;
        nId += 4;
    }
    process.AddInstance(kTotalInstance);

    builder.AddObject(kObject1850, PlainCounters(kObject1850), false);
    return builder;
}

}  // namespace sim
