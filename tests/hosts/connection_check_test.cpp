// TestConnection: silent success, or an error record and a message box naming the host.
#include <gtest/gtest.h>

#include "common/recording_message_box_view.h"
#include "hosts/connection_check.h"
#include "hosts/recording_host_access.h"
#include "logs/error_log_reader.h"
#include "platform/temp_dir.h"

namespace {

using hosts_test::CRecordingHostAccess;

class ConnectionCheckTest : public ::testing::Test {
protected:
    CErrorLogContents ReadLog() const {
        CErrorLogContents contents;
        ReadErrorLog(m_dir.Path("VARNOLE.err"), contents);
        return contents;
    }

    platform_test::CTempDir m_dir;
    platform::ManualClock m_clock{1'800'000'000};
    CErrorLog m_log{m_clock, m_dir.Path(), "VARNOLE_ERR_hosts_test"};
    CRecordingHostAccess m_access;
    testutil::CRecordingMessageBoxView m_view;
    CMessageBoxes m_boxes{m_view};
};

TEST_F(ConnectionCheckTest, ReachableHostPassesSilentlyAndIsClosedAgain) {
    EXPECT_TRUE(TestConnection(m_access, "PC01", m_log, m_boxes));
    EXPECT_TRUE(m_view.m_arrShown.empty());
    EXPECT_TRUE(ReadLog().m_arrRecords.empty());
    const std::vector<hosts_test::SCall> vecCloses = m_access.CallsOf("close");
    ASSERT_EQ(vecCloses.size(), 1u);
    EXPECT_EQ(vecCloses[0].hKey, platform::HostKey{100});
}

TEST_F(ConnectionCheckTest, FailureIsLoggedAndShownWithTheHostInTheCaption) {
    m_access.m_dequeConnect = {platform::kErrorBadNetPath};
    EXPECT_FALSE(TestConnection(m_access, "DOWN01", m_log, m_boxes));
    EXPECT_TRUE(m_access.CallsOf("logon").empty());  // the test never logs on
    EXPECT_TRUE(m_access.CallsOf("close").empty());

    ASSERT_EQ(m_view.m_arrShown.size(), 1u);
    EXPECT_EQ(m_view.m_arrShown[0].m_strText, SystemMessage(platform::kErrorBadNetPath));
    EXPECT_FALSE(m_view.m_arrShown[0].m_strText.empty());
    EXPECT_EQ(m_view.m_arrShown[0].m_strCaption, "接続テスト [DOWN01]");
    EXPECT_EQ(m_view.m_arrShown[0].m_eIcon, EMessageIcon::kNone);
    EXPECT_EQ(m_view.m_arrShown[0].m_eButtons, EMessageButtons::kOk);

    const CErrorLogContents contents = ReadLog();
    ASSERT_EQ(contents.m_arrRecords.size(), 1u);
    EXPECT_EQ(contents.m_arrRecords[0].m_nCode, 53);
    EXPECT_EQ(contents.m_arrRecords[0].m_strText, "RegConnentRegistry");
    EXPECT_EQ(contents.m_arrRecords[0].m_strSystemText, m_view.m_arrShown[0].m_strText);
    EXPECT_EQ(contents.m_arrRecords[0].m_tTime, 1'800'000'000);
}

}  // namespace
