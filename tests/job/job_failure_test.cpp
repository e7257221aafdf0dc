// A job's failures: connecting, the counter key and names, failed and invalid replies with the
// one reconnection, and a counter key that does not close.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "faulty_access.h"
#include "hosts/connection_check.h"
#include "job/job_texts.h"
#include "job_test_support.h"
#include "perf/perf_bytes.h"
#include "perf/perf_layout.h"

namespace {

using job_test::CFaultyAccess;
using job_test::JobTest;
using job_test::kStart;

constexpr char kNetwork[] = R"(
workgroup TEST
host PC1
host DOWN
    refuse 53
host SV1
    user admin demo
host NOKEY
    delete "Software\Microsoft\Windows NT\CurrentVersion\Perflib\009"
host NONAMES
    delete "Software\Microsoft\Windows NT\CurrentVersion\Perflib\009" Counter
host TWICE
    fail-request 3 64
    fail-request 8 64
host GARBLED
    bad-signature 3
)";

class FailureTest : public JobTest {
protected:
    void SetUp() override { UseNetwork(kNetwork); }

    static std::string Failure(const std::string& strHost, platform::ErrorCode nCode) {
        return "予約 07 " + strHost + "/" + SystemMessage(nCode);
    }
};

TEST_F(FailureTest, StartFailuresEndTheJobWithTheirMessagesAndLabels) {
    struct SCase {
        const char* pszHost;
        platform::ErrorCode nCode;
        std::string strMessage;
        std::string strLogText;
    };
    const std::vector<SCase> vecCases = {
        {"DOWN", 53, Failure("DOWN", 53), Failure("DOWN", 53)},
        {"SV1", 5, Failure("SV1", 5), Failure("SV1", 5)},  // not in the host table: no logon
        {"NOKEY", 2, Failure("NOKEY", 2), "NOKEY:RegOpenKeyEx"},
        {"NONAMES", 2, "", "NONAMES:RegQueryValueEx - Counter"},
    };
    for (const SCase& c : vecCases) {
        SCOPED_TRACE(c.pszHost);
        const std::size_t nRecordsBefore = ErrorRecords().size();
        auto pJob = MakeJob(c.pszHost, 60, 1000);
        RunToEnd(*pJob);
        EXPECT_EQ(pJob->ExitCode(), kJobExitFailed);
        EXPECT_EQ(pJob->JobState(), kJobStateRunning);
        EXPECT_EQ(pJob->Message(), c.strMessage);
        const auto vecRecords = ErrorRecords();
        ASSERT_EQ(vecRecords.size(), nRecordsBefore + 1);
        EXPECT_EQ(vecRecords.back().m_nCode, static_cast<std::int32_t>(c.nCode));
        EXPECT_EQ(vecRecords.back().m_strText, c.strLogText);
        EXPECT_EQ(m_pNetwork->OpenKeyCount(), 0u) << "the machine key is closed again";
    }
    EXPECT_TRUE(Files(".va_").empty());
    EXPECT_TRUE(Files(".var").empty());
}

TEST_F(FailureTest, HostThatAsksForALogonIsReachedWithThePublishedLogin) {
    (*m_pHosts)[4].m_strHost = "SV1";
    (*m_pHosts)[4].m_strUser = "admin";
    (*m_pHosts)[4].m_strPassword = "demo";
    auto pJob = MakeJob("SV1", 3, 1000);
    RunToEnd(*pJob);
    EXPECT_EQ(pJob->JobState(), kJobStateEnded);
    EXPECT_EQ(m_pNetwork->LoggedOnUser("SV1"), "admin");
    ASSERT_EQ(FinishedFiles().size(), 1u);
    EXPECT_EQ(FinishedFiles()[0].vecSamples.size(), 3u);
}

TEST_F(FailureTest, SecondFailedRequestEndsTheRunWithBothRecords) {
    auto pJob = MakeJob("TWICE", 20, 1000);
    RunToEnd(*pJob);

    // Requests 1, 2 and 4 to 7 are samples; request 3 fails and is survived with a
    // reconnection, request 8 fails and ends the run.
    const std::string strFailure = Failure("TWICE", 64);
    const auto vecRecords = ErrorRecords();
    ASSERT_EQ(vecRecords.size(), 2u);
    for (const CErrorRecord& record : vecRecords) {
        EXPECT_EQ(record.m_nCode, 64);
        EXPECT_EQ(record.m_strText, strFailure);
    }
    EXPECT_EQ(vecRecords[0].m_tTime, kStart + 2);
    EXPECT_EQ(vecRecords[1].m_tTime, kStart + 7);
    EXPECT_EQ(m_clock.Now(), kStart + 7) << "the run ends before its end time";

    std::string strReport;
    ASSERT_TRUE(pJob->TakeReport(strReport)) << "the failure that ended the run is reported";
    EXPECT_EQ(strReport, strFailure);
    EXPECT_EQ(pJob->JobState(), kJobStateEnded);
    EXPECT_EQ(pJob->ExitCode(), kJobExitInOrder);

    const auto vecFiles = FinishedFiles();
    ASSERT_EQ(vecFiles.size(), 1u);
    EXPECT_EQ(vecFiles[0].vecSamples.size(), 6u);
    EXPECT_EQ(m_pNetwork->OpenKeyCount(), 0u);
}

TEST_F(FailureTest, InvalidReplyReconnectsWithoutCountingAFailure) {
    auto pJob = MakeJob("GARBLED", 10, 1000);
    RunToEnd(*pJob);
    EXPECT_EQ(pJob->Message(), "GARBLEDとのネットワークの接続が切れています。");
    EXPECT_TRUE(ErrorRecords().empty());
    EXPECT_EQ(pJob->JobState(), kJobStateEnded);
    const auto vecFiles = FinishedFiles();
    ASSERT_EQ(vecFiles.size(), 1u);
    EXPECT_EQ(vecFiles[0].vecSamples.size(), 9u);
    EXPECT_EQ(m_pNetwork->OpenKeyCount(), 0u) << "the old keys are given back at the reconnection";
}

TEST_F(FailureTest, CounterKeyThatCannotBeReopenedCountsAsAFailure) {
    CFaultyAccess access(*m_pNetwork);
    access.m_nFailOpenCall = 2;  // the reconnection's
    m_pAccess = &access;
    auto pJob = MakeJob("TWICE", 20, 1000);
    RunToEnd(*pJob);

    const auto vecRecords = ErrorRecords();
    ASSERT_EQ(vecRecords.size(), 4u);
    EXPECT_EQ(vecRecords[0].m_nCode, 64);
    EXPECT_EQ(vecRecords[0].m_strText, Failure("TWICE", 64));
    EXPECT_EQ(vecRecords[1].m_nCode, 5);
    EXPECT_EQ(vecRecords[1].m_strText, Failure("TWICE", 5));
    // The next request has no key to ask and is the failure that ends the run.
    EXPECT_EQ(vecRecords[2].m_strText,
              Failure("TWICE", platform::ErrorCode(vecRecords[2].m_nCode)));
    // No counter key was open at the end, so none closed.
    EXPECT_EQ(vecRecords[3].m_nCode, static_cast<std::int32_t>(platform::kErrorInvalidHandle));
    EXPECT_EQ(vecRecords[3].m_strText, "TWICE:RegCloseKey");
    EXPECT_EQ(pJob->JobState(), kJobStateClosing);
    EXPECT_EQ(pJob->ExitCode(), kJobExitFailed);
    EXPECT_EQ(FinishedFiles().at(0).vecSamples.size(), 2u);
    EXPECT_EQ(m_pNetwork->OpenKeyCount(), 0u);
}

// The end of a run closes only the keys it holds, and the job state becomes 0 only after an open
// counter key has closed.
TEST_F(FailureTest, EndOfRunClosesOnlyWhatItOpenedAndReportsTheRest) {
    struct SRecord {
        std::int32_t nCode;
        std::string strText;
    };
    struct SCase {
        const char* pszWhat;
        const char* pszHost;
        int nFailOpenCall;        // 1: at the start, 2: the reconnection's
        bool bInvalidThirdReply;  // reply 3 is 8 bytes: a reconnection follows
        bool bStopAfterReconnect;
        std::int32_t nState;
        std::uint32_t nExit;
        std::size_t nCloses;  // CloseKey calls
        std::vector<SRecord> vecRecords;
        std::size_t nSamples;  // in the finished file; 0: no file
    };
    const std::int32_t kInvalid = static_cast<std::int32_t>(platform::kErrorInvalidHandle);
    const std::vector<SCase> vecCases = {
        {"connection fails",
         "DOWN",
         0,
         false,
         false,
         kJobStateRunning,
         kJobExitFailed,
         0,
         {{53, Failure("DOWN", 53)}},
         0},
        {"counter key does not open at the start",
         "PC1",
         1,
         false,
         false,
         kJobStateRunning,
         kJobExitFailed,
         1,
         {{5, "PC1:RegOpenKeyEx"}},
         0},
        {"reconnection cannot open the key, then the end time comes",
         "PC1",
         2,
         true,
         false,
         kJobStateClosing,
         kJobExitFailed,
         3,
         {{5, Failure("PC1", 5)}, {kInvalid, "PC1:RegCloseKey"}},
         2},
        {"reconnection cannot open the key, then a stop comes",
         "PC1",
         2,
         true,
         true,
         kJobStateClosing,
         kJobExitFailed,
         3,
         {{5, Failure("PC1", 5)}, {kInvalid, "PC1:RegCloseKey"}},
         2},
        {"reconnection opens the key again",
         "PC1",
         0,
         true,
         false,
         kJobStateEnded,
         kJobExitInOrder,
         4,
         {},
         2},
    };
    for (const SCase& c : vecCases) {
        SCOPED_TRACE(c.pszWhat);
        for (const std::string& strName : Files(".var")) {
            std::filesystem::remove(platform_test::PathFromUtf8(m_dirData.Path(strName)));
        }
        const std::size_t nRecordsBefore = ErrorRecords().size();
        CFaultyAccess access(*m_pNetwork);
        access.m_nFailOpenCall = c.nFailOpenCall;
        if (c.bInvalidThirdReply) {
            access.m_fnReply = [](std::uint64_t nReply, std::span<std::uint8_t>,
                                  std::uint32_t& nBytes) {
                if (nReply == 3) nBytes = 8;
            };
        }
        m_pAccess = &access;
        // Reply 3 is the last of a 3-second run; with a stop, the run would go on for an hour.
        auto pJob = MakeJob(c.pszHost, c.bStopAfterReconnect ? 3600 : 3, 1000);
        if (c.bStopAfterReconnect) {
            ASSERT_EQ(pJob->Start(Context()), platform::kSuccess);
            for (m_waitClock.WaitUntilIdle(); access.Replies() < 3; m_waitClock.WaitUntilIdle()) {
                ASSERT_TRUE(m_waitClock.StepToNextDeadline());
            }
            pJob->SignalStop();
            pJob->Join();
        } else {
            RunToEnd(*pJob);
        }

        EXPECT_EQ(pJob->JobState(), c.nState);
        EXPECT_EQ(pJob->ExitCode(), c.nExit);
        EXPECT_EQ(access.Closed().size(), c.nCloses);
        EXPECT_EQ(std::count(access.Closed().begin(), access.Closed().end(), platform::kNoHostKey),
                  0)
            << "a key that is not open is never handed to the platform";
        const auto vecRecords = ErrorRecords();
        ASSERT_EQ(vecRecords.size(), nRecordsBefore + c.vecRecords.size());
        for (std::size_t i = 0; i < c.vecRecords.size(); ++i) {
            EXPECT_EQ(vecRecords[nRecordsBefore + i].m_nCode, c.vecRecords[i].nCode);
            EXPECT_EQ(vecRecords[nRecordsBefore + i].m_strText, c.vecRecords[i].strText);
        }
        const auto vecFiles = FinishedFiles();
        ASSERT_EQ(vecFiles.size(), c.nSamples == 0 ? 0u : 1u);
        if (!vecFiles.empty()) {
            EXPECT_EQ(vecFiles[0].vecSamples.size(), c.nSamples);
        }
        EXPECT_TRUE(Files(".va_").empty());
        EXPECT_EQ(m_pNetwork->OpenKeyCount(), 0u);
        m_pAccess = nullptr;
    }
}

// Replies from the host that are not a whole block, however they are broken, are the host's
// invalid replies: the job reconnects and records on; nothing is taken for a file failure.
TEST_F(FailureTest, ShortOrUnsignedRepliesReconnectAndTheRunGoesOn) {
    struct SCase {
        const char* pszWhat;
        std::function<void(std::span<std::uint8_t>, std::uint32_t&)> fnBreak;
        bool bValid;  // still a block: recorded like any other
    };
    const auto total = [](std::uint32_t nTotal) {
        return [nTotal](std::span<std::uint8_t> buffer, std::uint32_t&) {
            perf::StoreLE(buffer.data() + perf::data_block::kTotalByteLength, nTotal);
        };
    };
    const auto bytes = [](std::uint32_t nCount) {
        return [nCount](std::span<std::uint8_t>, std::uint32_t& nBytes) { nBytes = nCount; };
    };
    const std::vector<SCase> vecCases = {
        {"TotalByteLength 0", total(0), false},
        {"TotalByteLength 7", total(7), false},
        {"TotalByteLength 87: the header does not fit", total(87), false},
        {"a reply of 8 bytes", bytes(8), false},
        {"a reply of 23 bytes", bytes(23), false},
        {"a reply of 87 bytes", bytes(87), false},
        {"no signature", [](std::span<std::uint8_t> buffer, std::uint32_t&) { buffer[0] = 'Q'; },
         false},
        {"TotalByteLength 88: a header without objects", total(88), true},
    };
    for (const SCase& c : vecCases) {
        SCOPED_TRACE(c.pszWhat);
        for (const std::string& strName : Files(".var")) {
            std::filesystem::remove(platform_test::PathFromUtf8(m_dirData.Path(strName)));
        }
        CFaultyAccess access(*m_pNetwork);
        access.m_fnReply = [&c](std::uint64_t nReply, std::span<std::uint8_t> buffer,
                                std::uint32_t& nBytes) {
            if (nReply == 3) c.fnBreak(buffer, nBytes);
        };
        m_pAccess = &access;
        auto pJob = MakeJob("PC1", 10, 1000);
        RunToEnd(*pJob);

        EXPECT_EQ(pJob->Message(), c.bValid ? "" : "PC1とのネットワークの接続が切れています。");
        EXPECT_TRUE(ErrorRecords().empty());
        EXPECT_EQ(pJob->JobState(), kJobStateEnded);
        EXPECT_EQ(pJob->ExitCode(), kJobExitInOrder);
        EXPECT_TRUE(Files(".va_").empty());
        const auto vecFiles = FinishedFiles();
        ASSERT_EQ(vecFiles.size(), 1u);
        ASSERT_EQ(vecFiles[0].vecSamples.size(), c.bValid ? 10u : 9u);
        if (c.bValid) {
            EXPECT_EQ(vecFiles[0].vecSamples[2].m_vecBlock.size(), 88u);
        }
        EXPECT_EQ(m_pNetwork->OpenKeyCount(), 0u);
        m_pAccess = nullptr;
    }
}

TEST_F(FailureTest, CounterKeyThatDoesNotCloseIsLogged) {
    CFaultyAccess access(*m_pNetwork);
    access.m_bFailCounterClose = true;
    m_pAccess = &access;

    auto pRecorded = MakeJob("PC1", 2, 1000);
    RunToEnd(*pRecorded);
    EXPECT_EQ(pRecorded->JobState(), kJobStateClosing);
    EXPECT_EQ(pRecorded->ExitCode(), kJobExitFailed);
    EXPECT_EQ(FinishedFiles().size(), 1u) << "the file is finished before the keys are closed";

    auto pWatching = MakeJob("PC1", 3600, 1000);
    pWatching->m_nCpuThreshold = 101;
    ASSERT_EQ(pWatching->Start(Context()), platform::kSuccess);
    m_waitClock.WaitUntilIdle();
    pWatching->SignalStop();
    pWatching->Join();
    EXPECT_EQ(pWatching->JobState(), kJobStateRunning);
    EXPECT_EQ(pWatching->ExitCode(), kJobExitInOrder);

    const auto vecRecords = ErrorRecords();
    ASSERT_EQ(vecRecords.size(), 2u);
    for (const CErrorRecord& record : vecRecords) {
        EXPECT_EQ(record.m_nCode, 5);
        EXPECT_EQ(record.m_strText, "PC1:RegCloseKey");
    }
}

}  // namespace
