// A job's failures: connecting, the counter key and names, failed and invalid replies with the
// one reconnection, and a counter key that does not close.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "hosts/connection_check.h"
#include "job/job_texts.h"
#include "job_test_support.h"

namespace {

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

// The network with scripted failures of its own: one OpenKey call, and closing counter keys.
class CFaultyAccess final : public platform::HostAccess {
public:
    explicit CFaultyAccess(platform::HostAccess& inner) : m_inner(inner) {}

    int m_nFailOpenCall = 0;  // the OpenKey call (1 = the first) that fails
    platform::ErrorCode m_nOpenCode = platform::kErrorAccessDenied;
    bool m_bFailCounterClose = false;  // closing a counter key reports 5 (it closes all the same)

    platform::ErrorCode ConnectRegistry(const std::string& strHost,
                                        platform::HostKey& hMachine) override {
        return m_inner.ConnectRegistry(strHost, hMachine);
    }
    platform::ErrorCode AddConnection(const std::string& strRemoteName, const std::string& strUser,
                                      const std::string& strPassword) override {
        return m_inner.AddConnection(strRemoteName, strUser, strPassword);
    }
    platform::ErrorCode OpenKey(platform::HostKey hKey, const std::string& strSubKey,
                                std::uint32_t nAccess, platform::HostKey& hResult) override {
        if (++m_nOpenCalls == m_nFailOpenCall) return m_nOpenCode;
        const platform::ErrorCode nCode = m_inner.OpenKey(hKey, strSubKey, nAccess, hResult);
        if (nCode == platform::kSuccess) m_setCounterKeys.insert(hResult);
        return nCode;
    }
    platform::ErrorCode QueryValue(platform::HostKey hKey, const std::string& strValue,
                                   std::uint32_t* pType, void* pData,
                                   std::uint32_t& nBytes) override {
        return m_inner.QueryValue(hKey, strValue, pType, pData, nBytes);
    }
    platform::ErrorCode CloseKey(platform::HostKey hKey) override {
        const platform::ErrorCode nCode = m_inner.CloseKey(hKey);
        if (m_bFailCounterClose && m_setCounterKeys.count(hKey) != 0) {
            return platform::kErrorAccessDenied;
        }
        return nCode;
    }
    platform::ErrorCode EnumerateDomains(std::vector<std::string>& vecDomains) override {
        return m_inner.EnumerateDomains(vecDomains);
    }
    platform::ErrorCode EnumerateHosts(const std::string& strDomain,
                                       std::vector<std::string>& vecHosts) override {
        return m_inner.EnumerateHosts(strDomain, vecHosts);
    }

private:
    platform::HostAccess& m_inner;
    int m_nOpenCalls = 0;
    std::set<platform::HostKey> m_setCounterKeys;
};

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
    ASSERT_EQ(vecRecords.size(), 3u);
    EXPECT_EQ(vecRecords[0].m_nCode, 64);
    EXPECT_EQ(vecRecords[0].m_strText, Failure("TWICE", 64));
    EXPECT_EQ(vecRecords[1].m_nCode, 5);
    EXPECT_EQ(vecRecords[1].m_strText, Failure("TWICE", 5));
    // The next request has no key to ask and is the failure that ends the run.
    EXPECT_EQ(vecRecords[2].m_strText,
              Failure("TWICE", platform::ErrorCode(vecRecords[2].m_nCode)));
    EXPECT_EQ(FinishedFiles().at(0).vecSamples.size(), 2u);
    EXPECT_EQ(m_pNetwork->OpenKeyCount(), 0u);
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
