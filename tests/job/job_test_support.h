// A collection job's world for tests: a manual clock, a simulated network, an error log and a
// data directory, with helpers to read back what the job left there.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "datafile/data_file_reader.h"
#include "host_tables.h"
#include "job/gather_job.h"
#include "job/wait_clock.h"
#include "logs/error_log.h"
#include "logs/error_log_reader.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/temp_dir.h"
#include "sim/description_parser.h"
#include "sim/sim_network.h"

namespace job_test {

// 2024-06-01 00:00:00 UTC.
inline constexpr platform::Time kStart = 1717200000;

// A mutex name of this test program alone, so that parallel test programs never share one.
inline std::string UniqueMutexName() {
    static std::random_device s_random;
    return "VARNOLE_ERR_jobtest_" + std::to_string(s_random()) + "_" +
           std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
}

// One data file read back whole.
struct SDataFile {
    std::string strName;
    CDataFileHeader header;
    CCounterNameMap names;
    std::vector<CDataSample> vecSamples;
    ESampleRead eEnd = ESampleRead::kEnd;
};

class JobTest : public testing::Test {
protected:
    // Builds the network from description text; the request delays are not waited for.
    void UseNetwork(const std::string& strDescription) {
        sim::CSimNetworkDescription network;
        std::string strError;
        ASSERT_TRUE(sim::ParseNetworkDescription(strDescription, network, strError)) << strError;
        m_pNetwork =
            std::make_unique<sim::CSimNetwork>(std::move(network), m_clock, [](std::uint32_t) {});
    }

    // A job as the scheduler fills it: schedule 7, from now for tsDuration seconds.
    std::unique_ptr<CGatherJob> MakeJob(const std::string& strHost, platform::Time tsDuration,
                                        std::int32_t nInterval, std::int32_t nSplitUnit = 0) {
        auto pJob = std::make_unique<CGatherJob>();
        pJob->m_nSchedule = 7;
        pJob->m_strHost = strHost;
        pJob->m_strOsInfo = "Windows XP";
        pJob->m_strCpuInfo = "x86";
        pJob->m_strExecId = "40600012";
        pJob->m_tRunStart = m_clock.Now();
        pJob->m_tRunEnd = m_clock.Now() + tsDuration;
        pJob->m_nInterval = nInterval;
        pJob->m_nSplitUnit = nSplitUnit;
        pJob->m_strDataDir = DataDir();
        pJob->m_strProgramDir = DataDir();
        pJob->m_strComment = "test run";
        return pJob;
    }

    CGatherJobContext Context() {
        CGatherJobContext context;
        context.m_pAccess = m_pAccess != nullptr ? m_pAccess : m_pNetwork.get();
        context.m_pHosts = m_pHosts;
        context.m_pWaitClock = &m_waitClock;
        context.m_pErrorLog = &m_errorLog;
        context.m_fnCreateFile = m_fnCreateFile;
        return context;
    }

    // Starts the job and steps the clock until it has ended.
    void RunToEnd(CGatherJob& job) {
        ASSERT_EQ(job.Start(Context()), platform::kSuccess);
        m_waitClock.RunUntilWorkersEnd();
        job.Join();
    }

    // The data directory as the program keeps it: with a trailing separator.
    std::string DataDir() const { return m_dirData.Path() + platform::kPathSeparator; }

    // Names of the data directory's files that end in strExtension, sorted.
    std::vector<std::string> Files(const std::string& strExtension) const {
        std::vector<std::string> vecNames;
        for (const auto& entry :
             std::filesystem::directory_iterator(platform_test::PathFromUtf8(m_dirData.Path()))) {
            const std::u8string u8 = entry.path().filename().u8string();
            const std::string strName(u8.begin(), u8.end());
            if (strName.size() >= strExtension.size() &&
                strName.compare(strName.size() - strExtension.size(), strExtension.size(),
                                strExtension) == 0) {
                vecNames.push_back(strName);
            }
        }
        std::sort(vecNames.begin(), vecNames.end());
        return vecNames;
    }

    // Every finished data file, in the order of their start times.
    std::vector<SDataFile> FinishedFiles() const {
        std::vector<SDataFile> vecFiles;
        for (const std::string& strName : Files(".var")) {
            SDataFile file;
            file.strName = strName;
            CDataFileReader reader;
            EXPECT_EQ(reader.Open(m_dirData.Path(strName)), platform::kSuccess) << strName;
            file.header = reader.Header();
            file.names = reader.CounterNames();
            CDataSample sample;
            while ((file.eEnd = reader.Next(sample)) == ESampleRead::kSample) {
                file.vecSamples.push_back(sample);
            }
            vecFiles.push_back(std::move(file));
        }
        std::stable_sort(vecFiles.begin(), vecFiles.end(), [](const auto& a, const auto& b) {
            return a.header.m_tStart < b.header.m_tStart;
        });
        return vecFiles;
    }

    // The records of the data directory's error log (none when there is no log).
    std::vector<CErrorRecord> ErrorRecords() const {
        CErrorLogContents contents;
        ReadErrorLog(m_dirData.Path("VARNOLE.err"), contents);
        EXPECT_FALSE(contents.m_bIncomplete);
        return contents.m_arrRecords;
    }

    platform::ManualClock m_clock{kStart};
    CManualWaitClock m_waitClock{m_clock};
    platform_test::CTempDir m_dirData;
    CErrorLog m_errorLog{m_clock, "", UniqueMutexName()};
    std::unique_ptr<sim::CSimNetwork> m_pNetwork;
    platform::HostAccess* m_pAccess = nullptr;  // replaces the network when set
    std::shared_ptr<CHostTable> m_pHosts = std::make_shared<CHostTable>();
    CDataFileWriter::FileCreator m_fnCreateFile;
};

}  // namespace job_test
