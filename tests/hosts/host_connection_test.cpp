// ConnectHost's IPC$ fallback, the logon's remote name, and opening and closing the keys.
#include <gtest/gtest.h>

#include <memory>

#include "hosts/host_connection.h"
#include "hosts/recording_host_access.h"

namespace {

using hosts_test::CRecordingHostAccess;
using platform::HostKey;

class ConnectHostTest : public ::testing::Test {
protected:
    void Register(int nSlot, const std::string& strHost, const std::string& strUser,
                  const std::string& strPassword) {
        CHostEntry& entry = (*m_pHosts)[static_cast<std::size_t>(nSlot)];
        entry.m_strHost = strHost;
        entry.m_strUser = strUser;
        entry.m_strPassword = strPassword;
    }

    std::unique_ptr<CHostTable> m_pHosts = std::make_unique<CHostTable>();
    CRecordingHostAccess m_access;
    HostKey m_hMachine = platform::kNoHostKey;
};

TEST_F(ConnectHostTest, AnsweredAtOnceNeedsNoLogon) {
    Register(0, "PC1", "admin", "pw");
    EXPECT_EQ(ConnectHost(m_access, "PC1", *m_pHosts, m_hMachine), 0u);
    EXPECT_NE(m_hMachine, platform::kNoHostKey);
    EXPECT_TRUE(m_access.CallsOf("logon").empty());
    EXPECT_EQ(m_access.CallsOf("connect").size(), 1u);
}

TEST_F(ConnectHostTest, AccessDeniedWithoutStoredUserNeverLogsOn) {
    Register(3, "PC1", "", "secret");  // a password alone is not enough
    m_access.m_dequeConnect = {platform::kErrorAccessDenied};
    EXPECT_EQ(ConnectHost(m_access, "PC1", *m_pHosts, m_hMachine), platform::kErrorAccessDenied);
    EXPECT_TRUE(m_access.CallsOf("logon").empty());

    // Nor does a host that is not registered at all, or registered under another letter case.
    Register(3, "pc2", "admin", "pw");
    for (const char* pszHost : {"PC9", "PC2"}) {
        m_access.m_dequeConnect = {platform::kErrorAccessDenied};
        EXPECT_EQ(ConnectHost(m_access, pszHost, *m_pHosts, m_hMachine),
                  platform::kErrorAccessDenied);
    }
    EXPECT_TRUE(m_access.CallsOf("logon").empty());
    EXPECT_EQ(m_hMachine, platform::kNoHostKey);
}

TEST_F(ConnectHostTest, FailedLogonReturnsItsOwnCode) {
    Register(0, "SV01", "admin", "wrong");
    m_access.m_dequeConnect = {platform::kErrorAccessDenied};
    m_access.m_nLogon = platform::kErrorLogonFailure;
    EXPECT_EQ(ConnectHost(m_access, "SV01", *m_pHosts, m_hMachine), platform::kErrorLogonFailure);
    EXPECT_EQ(m_access.CallsOf("connect").size(), 1u);  // no second connection attempt
}

TEST_F(ConnectHostTest, SuccessfulLogonConnectsOnceMoreAndReturnsThatCode) {
    Register(7, "SV01", "admin", "demo");
    m_access.m_dequeConnect = {platform::kErrorAccessDenied, 0};
    EXPECT_EQ(ConnectHost(m_access, "SV01", *m_pHosts, m_hMachine), 0u);
    EXPECT_NE(m_hMachine, platform::kNoHostKey);

    m_access.m_dequeConnect = {platform::kErrorAccessDenied, platform::kErrorBadNetPath};
    EXPECT_EQ(ConnectHost(m_access, "SV01", *m_pHosts, m_hMachine), platform::kErrorBadNetPath);

    const std::vector<hosts_test::SCall> vecConnects = m_access.CallsOf("connect");
    ASSERT_EQ(vecConnects.size(), 4u);
    for (const hosts_test::SCall& call : vecConnects) EXPECT_EQ(call.strArg, "SV01");
}

TEST_F(ConnectHostTest, HostRegisteredInLowerCaseLogsOnToUpperCaseIpcShare) {
    Register(0, "pc1", "admin", "pass word");
    m_access.m_dequeConnect = {platform::kErrorAccessDenied, 0};
    ASSERT_EQ(ConnectHost(m_access, "pc1", *m_pHosts, m_hMachine), 0u);
    const std::vector<hosts_test::SCall> vecLogons = m_access.CallsOf("logon");
    ASSERT_EQ(vecLogons.size(), 1u);
    EXPECT_EQ(vecLogons[0].strArg, "\\\\PC1\\IPC$");
    EXPECT_EQ(vecLogons[0].strUser, "admin");
    EXPECT_EQ(vecLogons[0].strPassword, "pass word");
    // The registry connections keep the name as registered.
    EXPECT_EQ(m_access.CallsOf("connect")[1].strArg, "pc1");
}

TEST_F(ConnectHostTest, OtherRefusalsAreReturnedWithoutLogon) {
    Register(0, "DOWN01", "admin", "pw");
    m_access.m_dequeConnect = {platform::kErrorBadNetPath};
    EXPECT_EQ(ConnectHost(m_access, "DOWN01", *m_pHosts, m_hMachine), platform::kErrorBadNetPath);
    EXPECT_TRUE(m_access.CallsOf("logon").empty());
}

TEST(IpcRemoteName, UpperCasesOnlyAsciiLettersAndKeepsMultibyteText) {
    EXPECT_EQ(IpcRemoteName("pc1"), "\\\\PC1\\IPC$");
    EXPECT_EQ(IpcRemoteName("Web-srv.example"), "\\\\WEB-SRV.EXAMPLE\\IPC$");
    // Full-width letters and kanji are left alone; the ASCII around them is converted.
    EXPECT_EQ(UpperCaseHostName("ｐｃ日本a1"), "ｐｃ日本A1");
}

TEST(CounterKey, OpensPerflib009WithReadAccessAndClosesBothKeys) {
    CRecordingHostAccess access;
    HostKey hCounter = platform::kNoHostKey;
    ASSERT_EQ(OpenCounterKey(access, HostKey{100}, hCounter), 0u);
    ASSERT_EQ(access.m_vecCalls.size(), 1u);
    EXPECT_EQ(access.m_vecCalls[0].strArg,
              "software\\microsoft\\windows nt\\currentversion\\perflib\\009");
    EXPECT_EQ(access.m_vecCalls[0].hKey, HostKey{100});
    EXPECT_EQ(access.m_vecCalls[0].nBytes, 0x20019u);

    access.m_nOpen = platform::kErrorFileNotFound;
    EXPECT_EQ(OpenCounterKey(access, HostKey{100}, hCounter), platform::kErrorFileNotFound);
    EXPECT_EQ(hCounter, platform::kNoHostKey);

    // CloseHost returns the counter key's code, not the machine key's.
    access.m_vecCalls.clear();
    access.m_mapClose = {{HostKey{200}, 0}, {HostKey{100}, platform::kErrorInvalidHandle}};
    EXPECT_EQ(CloseHost(access, HostKey{200}, HostKey{100}), 0u);
    access.m_mapClose = {{HostKey{200}, platform::kErrorInvalidHandle}};
    EXPECT_EQ(CloseHost(access, HostKey{200}, HostKey{100}), platform::kErrorInvalidHandle);
    const std::vector<hosts_test::SCall> vecCloses = access.CallsOf("close");
    ASSERT_EQ(vecCloses.size(), 4u);
    EXPECT_EQ(vecCloses[0].hKey, HostKey{200});  // the counter key first
    EXPECT_EQ(vecCloses[1].hKey, HostKey{100});
    EXPECT_EQ(vecCloses[3].hKey, HostKey{100});  // the machine key even when the first failed

    // Keys that were never opened are not handed to the platform, and a counter key that was
    // never opened has not closed.
    access.m_vecCalls.clear();
    EXPECT_EQ(CloseHost(access, platform::kNoHostKey, HostKey{100}), platform::kErrorInvalidHandle);
    ASSERT_EQ(access.m_vecCalls.size(), 1u);
    EXPECT_EQ(access.m_vecCalls[0].hKey, HostKey{100});
}

}  // namespace
