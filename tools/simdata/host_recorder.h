// Records a simulated host into data files the way a collection job does: connect, read the
// counter-name table, ask for a performance data block at every interval of a stepped clock.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "datafile/counter_name_map.h"
#include "hosts/perf_query.h"
#include "platform/clock.h"
#include "platform/host_access.h"

// One host of a simulated network, connected and ready to be asked for blocks. The network's
// time is the manual clock the caller steps; its scripted delays are skipped.
class CSimHostSampler {
public:
    CSimHostSampler();
    ~CSimHostSampler();
    CSimHostSampler(const CSimHostSampler&) = delete;
    CSimHostSampler& operator=(const CSimHostSampler&) = delete;

    // Loads the description and connects to the host (logging on to its IPC$ share with the
    // user and password when it asks for that) and reads its counter-name table. False with
    // strError saying why.
    bool Open(const std::string& strDescription, const std::string& strHost,
              const std::string& strUser, const std::string& strPassword, platform::Time tStart,
              std::string& strError);

    platform::ManualClock& Clock() { return m_clock; }
    const CCounterNameMap& Names() const { return m_names; }

    // One performance data request at the clock's time; false when the host fails it or
    // answers without a block (a collection job skips such a sample).
    bool Sample(CPerfData& data);

private:
    platform::ManualClock m_clock;
    std::unique_ptr<platform::HostAccess> m_pAccess;
    platform::HostKey m_hMachine = platform::kNoHostKey;
    platform::HostKey m_hCounterKey = platform::kNoHostKey;
    CCounterNameMap m_names;
};

struct CRecordRequest {
    std::string m_strDescription;  // the simulated network's description file
    std::string m_strHost;
    std::string m_strUser;  // for hosts that want an IPC$ logon
    std::string m_strPassword;
    std::string m_strDataDir;
    std::string m_strExecId = "SIM";
    int m_nSchedule = 1;
    platform::Time m_tStart = 0;
    int m_nSamples = 60;
    int m_nIntervalMs = 1000;
    int m_nSamplesPerFile = 0;  // 0: one file; otherwise a new branch after this many samples
};

struct CRecordResult {
    std::vector<std::string> m_vecPaths;  // the finished files, in branch order
    int m_nSamples = 0;                   // samples written
    int m_nSkipped = 0;                   // requests the host failed
};

// Writes the data files; false with strError when the host cannot be reached or a file cannot
// be written.
bool RecordSimulatedHost(const CRecordRequest& request, CRecordResult& result,
                         std::string& strError);
