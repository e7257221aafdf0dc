// Data files from a simulated host: the collection job's steps on a stepped clock.
#include "host_recorder.h"

#include "datafile/data_file_header.h"
#include "datafile/data_file_writer.h"
#include "host_tables.h"
#include "hosts/counter_name_reader.h"
#include "hosts/host_connection.h"
#include "perf/perf_block.h"
#include "platform/files.h"
#include "sim/host_access_choice.h"

CSimHostSampler::CSimHostSampler() = default;

CSimHostSampler::~CSimHostSampler() {
    if (m_pAccess) CloseHost(*m_pAccess, m_hCounterKey, m_hMachine);
}

bool CSimHostSampler::Open(const std::string& strDescription, const std::string& strHost,
                           const std::string& strUser, const std::string& strPassword,
                           platform::Time tStart, std::string& strError) {
    m_clock.Set(tStart, 0);
    sim::CHostAccessChoice choice =
        sim::ChooseHostAccess(strDescription, m_clock, [](std::uint32_t) {});
    if (!choice.m_strError.empty()) {
        strError = choice.m_strError;
        return false;
    }
    m_pAccess = std::move(choice.m_pAccess);
    const auto pHosts = std::make_unique<CHostTable>();  // large: on the heap
    (*pHosts)[0].m_strHost = strHost;
    (*pHosts)[0].m_strUser = strUser;
    (*pHosts)[0].m_strPassword = strPassword;
    platform::ErrorCode nCode = ConnectHost(*m_pAccess, strHost, *pHosts, m_hMachine);
    if (nCode == platform::kSuccess) nCode = OpenCounterKey(*m_pAccess, m_hMachine, m_hCounterKey);
    if (nCode == platform::kSuccess) nCode = ReadCounterNames(*m_pAccess, m_hCounterKey, m_names);
    if (nCode != platform::kSuccess) {
        strError = "host " + strHost + " answers with error " + std::to_string(nCode);
        return false;
    }
    return true;
}

bool CSimHostSampler::Sample(CPerfData& data) {
    return m_pAccess && QueryPerfData(*m_pAccess, m_hCounterKey, data) == platform::kSuccess &&
           perf::IsPerfDataBlock(data.Block());
}

bool RecordSimulatedHost(const CRecordRequest& request, CRecordResult& result,
                         std::string& strError) {
    result = CRecordResult();
    CSimHostSampler sampler;
    if (!sampler.Open(request.m_strDescription, request.m_strHost, request.m_strUser,
                      request.m_strPassword, request.m_tStart, strError)) {
        return false;
    }
    platform::ManualClock& clock = sampler.Clock();
    CDataFileWriter writer;
    std::uint32_t nBranch = 0;
    int nInFile = 0;
    const auto fail = [&](const std::string& strWhat, platform::ErrorCode nCode) {
        strError = strWhat + " " + writer.Path() + ": error " + std::to_string(nCode);
        writer.Close();
        return false;
    };
    const auto finish = [&]() {
        if (const platform::ErrorCode nCode = writer.Finish(); nCode != platform::kSuccess) {
            return fail("cannot finish", nCode);
        }
        result.m_vecPaths.push_back(writer.FinishedPath());
        return true;
    };
    CPerfData data;
    for (int i = 0; i < request.m_nSamples; ++i) {
        if (!writer.IsOpen() ||
            (request.m_nSamplesPerFile > 0 && nInFile >= request.m_nSamplesPerFile)) {
            if (writer.IsOpen() && !finish()) return false;
            nInFile = 0;
            platform::ErrorCode nCode =
                writer.Create(platform::WithTrailingSeparator(request.m_strDataDir),
                              request.m_strHost, request.m_nSchedule, clock.Now());
            if (nCode != platform::kSuccess) {
                // No file was chosen: the folder is what the user must look at.
                strError = "cannot create a data file in " + request.m_strDataDir + ": error " +
                           std::to_string(nCode);
                return false;
            }
            CDataFileHeader header;
            header.m_strHost = request.m_strHost;
            header.m_strExecId = request.m_strExecId;
            header.m_nBranch = ++nBranch;
            header.m_strComment = "simulated";
            header.m_tStart = clock.Now();
            nCode = writer.WriteHeader(header, sampler.Names());
            if (nCode != platform::kSuccess) return fail("cannot write", nCode);
        }
        if (sampler.Sample(data)) {
            if (const platform::ErrorCode nCode = writer.WriteSample(clock.Now(), data.Block());
                nCode != platform::kSuccess) {
                return fail("cannot write", nCode);
            }
            ++result.m_nSamples;
        } else {
            ++result.m_nSkipped;
        }
        ++nInFile;
        clock.AdvanceMilliseconds(request.m_nIntervalMs);
    }
    return !writer.IsOpen() || finish();
}
