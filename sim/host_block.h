// The nine objects a Windows host returns for the suite's request, laid out for the block builder.
#pragma once
#include <string>
#include <vector>

#include "block_builder.h"

namespace sim {

// What a simulated host has: processors, disks, network interfaces and running processes.
struct CHostShape {
    std::string m_strSystemName = "PC1";
    int m_nProcessors = 2;                                   // instances "0" .. "n-1" and "_Total"
    std::vector<std::string> m_vecPhysicalDisks = {"0 C:"};  // and "_Total"
    std::vector<std::string> m_vecLogicalDisks = {"C:"};     // and "_Total"
    std::vector<std::string> m_vecNetworkInterfaces = {"Intel[R] PRO_1000 MT Network Connection"};
    std::vector<std::string> m_vecProcesses = {"Idle",  "System",   "smss",
                                               "csrss", "winlogon", "services",
                                               "lsass", "svchost",  "explorer"};  // and "_Total"
};

// Further counter indices of the standard objects that a load model may drive.
inline constexpr std::uint32_t kCounterUserTime = 142;                // Processor, Process
inline constexpr std::uint32_t kCounterPrivilegedTime = 144;          // Processor, Process
inline constexpr std::uint32_t kCounterInterruptsPerSec = 148;        // Processor
inline constexpr std::uint32_t kCounterAvailableBytes = 24;           // Memory
inline constexpr std::uint32_t kCounterCommittedBytes = 26;           // Memory
inline constexpr std::uint32_t kCounterAvailableKBytes = 1380;        // Memory
inline constexpr std::uint32_t kCounterCommittedInUse = 1406;         // Memory, a raw fraction
inline constexpr std::uint32_t kCounterDiskQueueLength = 198;         // PhysicalDisk, LogicalDisk
inline constexpr std::uint32_t kCounterDiskBytesPerSec = 220;         // PhysicalDisk, LogicalDisk
inline constexpr std::uint32_t kCounterFreeSpace = 408;               // LogicalDisk, a raw fraction
inline constexpr std::uint32_t kCounterFreeMegabytes = 410;           // LogicalDisk
inline constexpr std::uint32_t kCounterBytesTotalPerSec = 388;        // Network Interface
inline constexpr std::uint32_t kCounterCurrentBandwidth = 520;        // Network Interface
inline constexpr std::uint32_t kCounterConnectionsEstablished = 642;  // TCP
inline constexpr std::uint32_t kCounterWorkingSet = 180;              // Process
inline constexpr std::uint32_t kCounterElapsedTime = 684;             // Process
inline constexpr std::uint32_t kCounterIdProcess = 784;               // Process

// A builder holding the objects 238, 4, 234, 236, 510, 502, 638, 230 and 1850 (in the order of
// the request) with the instances of the shape, every value 0 except the process IDs, and the
// system name set. A load model sets times and values before each Build.
CPerfBlockBuilder MakeHostBlockBuilder(const CHostShape& shape);

}  // namespace sim
