// What a description file says about a simulated network: its workgroups and hosts.
#pragma once
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "host_block.h"
#include "load_model.h"
#include "platform/error_codes.h"
#include "sim_registry.h"

namespace sim {

// Registry keys the simulated hosts serve and the suite reads.
inline constexpr char kCurrentVersionKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion";
inline constexpr char kPerflibKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Perflib";
inline constexpr char kCounterKey[] =
    "Software\\Microsoft\\Windows NT\\CurrentVersion\\Perflib\\009";
inline constexpr char kCentralProcessorKey[] = "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";
inline constexpr char kServicesKey[] = "SYSTEM\\CurrentControlSet\\Services";
inline constexpr char kDisableCountersValue[] = "Disable Performance Counters";

// Scripted misbehaviour of one host.
struct CSimFaults {
    // Every registry connection and IPC$ logon is refused with this code (0: none).
    platform::ErrorCode m_nRefuseCode = 0;
    // Request number (1 = the first block delivered) -> the code that request fails with.
    std::map<std::uint64_t, platform::ErrorCode> m_mapFailRequest;
    // Blocks delivered without the "PERF" signature: all of them, or those of these numbers.
    bool m_bBadSignatureAlways = false;
    std::set<std::uint64_t> m_setBadSignature;
    // Every block is padded with zero bytes to at least this size (0: natural size).
    std::uint32_t m_nBlockSize = 0;
    // Each performance data request first waits this long.
    std::uint32_t m_nDelayMs = 0;
};

// One simulated host as described.
struct CSimHostDefinition {
    std::string m_strName;
    std::string m_strWorkgroup;
    std::vector<std::string> m_vecAddresses;  // further names it answers to (IP addresses)
    // A host with a user name refuses the registry with 5 until a logon to its IPC$ share with
    // this user (compared ignoring ASCII case) and password (compared exactly) has been made.
    std::string m_strUser;
    std::string m_strPassword;

    CHostShape m_shape;
    std::uint32_t m_nMemoryMb = 2048;               // installed memory
    CLoadModel m_cpu = CLoadModel::Constant(10);    // processor busy percent
    CLoadModel m_mem = CLoadModel::Constant(1024);  // available megabytes
    CLoadModel m_disk = CLoadModel::Constant(5);    // disk busy percent, all disks together

    CSimRegistry m_registry;
    CSimFaults m_faults;
    int m_nLine = 0;  // the description line that declared the host
};

struct CSimNetworkDescription {
    std::vector<std::string> m_vecWorkgroups;  // in description order
    std::vector<CSimHostDefinition> m_vecHosts;  // in description order
};

// The registry every host starts with before its description lines apply: the CurrentVersion
// and CentralProcessor\0 values, the three "Disable Performance Counters" values (0), the
// Perflib values and the English "Counter" table.
void FillDefaultRegistry(CSimHostDefinition& host);

}  // namespace sim
