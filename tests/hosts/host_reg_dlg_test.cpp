// CHostRegDlg and CLoginDlg: browsing, examining with the logon loop, add, delete, Cancel, the
// manual entry and the refresh rule, over a simulated network.
#include <gtest/gtest.h>

#include "common/recording_message_box_view.h"
#include "hosts/faulty_host_access.h"
#include "hosts/host_information.h"
#include "hosts/host_reg_fakes.h"
#include "hosts/host_test_network.h"
#include "hosts/recording_host_access.h"

namespace {

using hosts_test::CancelLogin;
using hosts_test::TypeLogin;
using Names = std::vector<std::string>;

constexpr char kNetwork[] = R"(
workgroup WORKGROUP
host PC01
    address 192.168.10.11
host PC02
workgroup LAB
host SV01
    user admin demo
host DOWN01
    refuse 53
host サーバA
)";

class HostRegDlgTest : public hosts_test::CHostTestBase {
protected:
    void SetUp() override {
        MakeNetwork(kNetwork);
        m_pAccess = std::make_unique<hosts_test::CFaultyHostAccess>(*m_pNetwork);
        m_pView = std::make_unique<hosts_test::CFakeHostRegView>(m_boxes, *m_pAccess, m_log);
        m_pDlg = std::make_unique<CHostRegDlg>(*m_pView, m_boxes, *m_pAccess, m_log, "MYPC");
        m_pHosts = std::make_unique<CHostTable>();
    }

    void Open() {
        m_pDlg->SetTable(*m_pHosts);
        m_pDlg->OnInit();
    }
    const CHostTable& Table() const { return m_pDlg->Table(); }
    // The box texts shown, first to last.
    Names Boxes() const {
        Names vecTexts;
        for (const CMessageBox& box : m_boxes.m_arrShown) vecTexts.push_back(box.m_strText);
        return vecTexts;
    }

    testutil::CRecordingMessageBoxView m_boxes;
    std::unique_ptr<hosts_test::CFaultyHostAccess> m_pAccess;
    std::unique_ptr<hosts_test::CFakeHostRegView> m_pView;
    std::unique_ptr<CHostRegDlg> m_pDlg;
    std::unique_ptr<CHostTable> m_pHosts;
};

CHostEntry Entry(const std::string& strHost, const std::string& strOs = "os",
                 const std::string& strUser = "", const std::string& strPassword = "") {
    CHostEntry entry;
    entry.m_strHost = strHost;
    entry.m_strUser = strUser;
    entry.m_strPassword = strPassword;
    entry.m_strOsInfo = strOs;
    entry.m_strCpuInfo = "cpu of " + strHost;
    entry.m_strOwnerInfo = "owner of " + strHost;
    return entry;
}

TEST_F(HostRegDlgTest, OpeningListsRegisteredHostsDomainsAndTheFirstDomainsHosts) {
    (*m_pHosts)[3] = Entry("PC03");
    (*m_pHosts)[0] = Entry("PC09");
    Open();
    EXPECT_EQ(m_pView->m_vecRegistered, (Names{"PC09", "PC03"}));
    EXPECT_EQ(m_pView->m_vecDomains, (Names{"WORKGROUP", "LAB"}));
    EXPECT_EQ(m_pView->m_strDomain, "WORKGROUP");
    EXPECT_EQ(m_pView->m_vecHosts, (Names{"PC01", "PC02"}));
    EXPECT_FALSE(m_pView->m_bAdd);
    EXPECT_FALSE(m_pView->m_bDelete);
    EXPECT_EQ(m_pView->m_nWaits, 1);
    EXPECT_EQ(m_pView->m_nWaitDepth, 0);

    m_pDlg->OnDomainSelected("LAB");
    EXPECT_EQ(m_pView->m_strDomain, "LAB");
    EXPECT_EQ(m_pView->m_vecHosts, (Names{"SV01", "DOWN01", "サーバA"}));
}

TEST_F(HostRegDlgTest, WithoutANetworkTheHostListShowsTheLocalComputer) {
    hosts_test::CRecordingHostAccess access;
    hosts_test::CFakeHostRegView view(m_boxes, access, m_log);
    CHostRegDlg dlg(view, m_boxes, access, m_log, "MYPC");
    dlg.SetTable(*m_pHosts);
    dlg.OnInit();
    EXPECT_EQ(view.m_vecDomains, Names{});
    EXPECT_EQ(view.m_strDomain, "");
    EXPECT_EQ(view.m_vecHosts, Names{"MYPC"});
}

TEST_F(HostRegDlgTest, BrowsedHostIsExaminedAndAddedWithItsSummaries) {
    Open();
    m_pDlg->OnHostSelected("PC01");
    EXPECT_TRUE(m_pView->m_vecLoginsOpened.empty());  // an open host asks for no logon
    CHostEntry expected;
    const SHostInformation info =
        QueryHostInformation(*m_pNetwork, "PC01", "MYPC", m_log, expected);
    EXPECT_EQ(m_pView->m_strInformation, info.m_strText);
    EXPECT_EQ(m_pView->m_strHost, "PC01");
    EXPECT_TRUE(m_pView->m_bAdd);

    m_pDlg->OnAdd();
    EXPECT_FALSE(m_pView->m_bAdd);
    EXPECT_EQ(m_pView->m_vecRegistered, Names{"PC01"});
    EXPECT_EQ(Table()[0].m_strHost, "PC01");
    EXPECT_EQ(Table()[0].m_strOsInfo, expected.m_strOsInfo);
    EXPECT_EQ(Table()[0].m_strCpuInfo, expected.m_strCpuInfo);
    EXPECT_EQ(Table()[0].m_strOwnerInfo, expected.m_strOwnerInfo);
    EXPECT_EQ(Table()[0].m_strUser, "");
    EXPECT_TRUE(m_boxes.m_arrShown.empty());
    EXPECT_EQ(m_pView->m_nWaitDepth, 0);
}

TEST_F(HostRegDlgTest, NewHostTakesTheLowestFreeSlot) {
    for (int i = 0; i < 6; ++i) (*m_pHosts)[i] = Entry("H" + std::to_string(i));
    Open();
    m_pDlg->OnRegisteredSelected("H3");
    EXPECT_TRUE(m_pView->m_bDelete);
    m_pDlg->OnDelete();
    EXPECT_FALSE(m_pView->m_bDelete);
    EXPECT_EQ(m_pView->m_vecRegistered, (Names{"H0", "H1", "H2", "H4", "H5"}));
    // The slot is free; its user and summaries other than the OS stay until it is reused.
    EXPECT_TRUE(Table()[3].IsFree());
    EXPECT_EQ(Table()[3].m_strCpuInfo, "cpu of H3");

    m_pDlg->OnHostSelected("PC02");
    m_pDlg->OnAdd();
    EXPECT_EQ(Table()[3].m_strHost, "PC02");
    EXPECT_NE(Table()[3].m_strCpuInfo, "cpu of H3");
    EXPECT_EQ(m_pView->m_vecRegistered, (Names{"H0", "H1", "H2", "PC02", "H4", "H5"}));
}

TEST_F(HostRegDlgTest, AddIsRefusedForKnownHostsAFullTableAndHostsWithoutInformation) {
    (*m_pHosts)[7] = Entry("PC01");
    (*m_pHosts)[8] = Entry("pc02");  // another case is another host
    Open();

    m_pDlg->OnHostSelected("PC01");
    EXPECT_FALSE(m_pView->m_bAdd);  // answered, but already registered
    m_pDlg->OnAdd();
    m_pDlg->OnHostSelected("PC02");
    EXPECT_TRUE(m_pView->m_bAdd);

    m_pDlg->OnHostSelected("DOWN01");
    EXPECT_FALSE(m_pView->m_bAdd);
    EXPECT_EQ(m_pView->m_strInformation, "情報が入手できません。\r\n\r\n" + SystemErrorText(53));
    m_pDlg->OnAdd();

    EXPECT_EQ(Boxes(), (Names{"すでに登録されています", "情報が入手できないため、登録出来ません"}));
    for (const CMessageBox& box : m_boxes.m_arrShown) {
        EXPECT_EQ(box.m_strCaption, "エラー");
        EXPECT_EQ(box.m_eIcon, EMessageIcon::kWarning);
    }
    EXPECT_EQ(Table()[7], Entry("PC01"));
    EXPECT_TRUE(Table()[0].IsFree());
}

TEST_F(HostRegDlgTest, FullTableRefusesTheFiveHundredAndFirstHost) {
    for (int i = 0; i < kHostSlots; ++i) (*m_pHosts)[i] = Entry("H" + std::to_string(i));
    Open();
    m_pDlg->OnHostSelected("PC01");
    m_pDlg->OnAdd();
    EXPECT_EQ(Boxes(), Names{"登録数が一杯になりました"});
    EXPECT_EQ(Table(), *m_pHosts);
}

TEST_F(HostRegDlgTest, RefusingHostAsksForALogonUntilOneWorks) {
    Open();
    m_pView->m_queLogin = {TypeLogin("SV01", "admin", "wrong"), TypeLogin("SV01", "admin", "demo")};
    m_pDlg->OnHostSelected("SV01");
    ASSERT_EQ(m_pView->m_vecLoginsOpened.size(), 1u);
    EXPECT_EQ(m_pView->m_vecLoginsOpened[0], (SLoginFields{"SV01", "", ""}));
    // The wrong password: the system's message in a warning titled "エラー"; the dialog stayed.
    ASSERT_EQ(m_boxes.m_arrShown.size(), 1u);
    EXPECT_EQ(m_boxes.m_arrShown[0].m_strText, SystemErrorText(1326));
    EXPECT_EQ(m_boxes.m_arrShown[0].m_strCaption, "エラー");
    EXPECT_EQ(m_boxes.m_arrShown[0].m_eIcon, EMessageIcon::kWarning);
    EXPECT_EQ(LogLines(), Names{"1326 WNetAddConnection2"});

    EXPECT_EQ(m_pView->m_strInformation.find("ホスト名:\r\n\tSV01\r\n"), 0u);
    EXPECT_TRUE(m_pView->m_bAdd);
    m_pDlg->OnAdd();
    // What the user typed was for this logon only.
    EXPECT_EQ(Table()[0].m_strHost, "SV01");
    EXPECT_EQ(Table()[0].m_strUser, "");
    EXPECT_EQ(Table()[0].m_strPassword, "");
}

TEST_F(HostRegDlgTest, StoredLogonOfARegisteredHostClosesTheLoginByItself) {
    (*m_pHosts)[2] = Entry("SV01", "old", "admin", "demo");
    Open();
    m_pDlg->OnHostSelected("SV01");
    ASSERT_EQ(m_pView->m_vecLoginsOpened.size(), 1u);
    EXPECT_EQ(m_pView->m_vecLoginsOpened[0], (SLoginFields{"SV01", "admin", "demo"}));
    EXPECT_TRUE(m_boxes.m_arrShown.empty());
    EXPECT_EQ(m_pDlg->Candidate().m_strUser, "admin");
    EXPECT_NE(m_pDlg->Candidate().m_strOsInfo, "old");
    EXPECT_FALSE(m_pView->m_bAdd);  // it is registered already
}

TEST_F(HostRegDlgTest, CancelledLoginStillShowsWhyTheHostCannotBeRead) {
    Open();
    m_pView->m_queLogin = {TypeLogin("SV01", "", "x"), CancelLogin()};
    m_pDlg->OnHostSelected("SV01");
    // OK with no user name gets a plain answer and the dialog stays.
    EXPECT_EQ(Boxes(), Names{"ユーザ名を入力して下さい。"});
    EXPECT_EQ(m_pView->m_strInformation, "情報が入手できません。\r\n\r\n" + SystemErrorText(5));
    EXPECT_FALSE(m_pView->m_bAdd);
    m_pDlg->OnAdd();
    EXPECT_TRUE(Table()[0].IsFree());
}

TEST_F(HostRegDlgTest, ManualEntryIsUpperCasedAndRegisteredSo) {
    Open();
    m_pDlg->OnConnectionCheck();  // empty: nothing happens
    EXPECT_EQ(m_pAccess->m_nConnects, 0);

    const struct {
        const char* pszTyped;
        const char* pszRegistered;
    } cases[] = {{"pc02", "PC02"}, {"192.168.10.11", "192.168.10.11"}, {"サーバa", "サーバA"}};
    int nSlot = 0;
    for (const auto& c : cases) {
        m_pDlg->OnManualEntryChanged(c.pszTyped);
        m_pDlg->OnConnectionCheck();
        EXPECT_EQ(m_pView->m_strManual, c.pszRegistered);
        EXPECT_TRUE(m_pView->m_bAdd) << c.pszTyped;
        m_pDlg->OnAdd();
        EXPECT_EQ(Table()[nSlot++].m_strHost, c.pszRegistered);
    }
    EXPECT_TRUE(m_boxes.m_arrShown.empty());
}

TEST_F(HostRegDlgTest, NamesThatCannotBeAComputersNeverReachTheNetwork) {
    Open();
    const int nConnectsBefore = m_pAccess->m_nConnects;
    for (const std::string& strTyped :
         {std::string(300, 'a'), std::string("my host"), std::string("a\\b"),
          std::string("tab\tname"), std::string("PC\xF0\x9F\x98\x80"),
          std::string("PC\xE3\x80\x80"
                      "01"),
          std::string("a|b")}) {
        m_pDlg->OnManualEntryChanged(strTyped);
        m_pDlg->OnConnectionCheck();
        EXPECT_EQ(m_pView->m_strInformation.find("情報が入手できません。\r\n\r\nホスト名"), 0u)
            << strTyped;
        EXPECT_FALSE(m_pView->m_bAdd);
        m_pDlg->OnAdd();
    }
    EXPECT_EQ(m_pAccess->m_nConnects, nConnectsBefore);
    EXPECT_EQ(Boxes(), Names(7, "情報が入手できないため、登録出来ません"));
    EXPECT_TRUE(Table()[0].IsFree());

    // A Japanese name that no computer has is asked for and refused by the network.
    m_pDlg->OnManualEntryChanged("経理サーバ");
    m_pDlg->OnConnectionCheck();
    EXPECT_EQ(m_pView->m_strInformation, "情報が入手できません。\r\n\r\n" + SystemErrorText(53));
}

TEST_F(HostRegDlgTest, CancelAskedYesRestoresEverySlot) {
    (*m_pHosts)[0] = Entry("PC01");
    (*m_pHosts)[1] = Entry("SV01", "Windows", "admin", "demo");
    Open();
    m_pDlg->OnRegisteredSelected("SV01");
    m_pDlg->OnDelete();
    ASSERT_TRUE(Table()[1].IsFree());

    m_boxes.m_queAnswers = {EMessageResult::kNo, EMessageResult::kYes};
    m_pDlg->OnCancel();
    EXPECT_FALSE(m_pView->m_bClosed);
    EXPECT_TRUE(Table()[1].IsFree());
    m_pDlg->OnCancel();
    EXPECT_TRUE(m_pView->m_bClosed);
    EXPECT_EQ(Table(), *m_pHosts);
    ASSERT_EQ(m_boxes.m_arrShown.size(), 2u);
    EXPECT_EQ(m_boxes.m_arrShown[0].m_strText, "本当にキャンセルしますか？");
    EXPECT_EQ(m_boxes.m_arrShown[0].m_strCaption, "キャンセル");
    EXPECT_EQ(m_boxes.m_arrShown[0].m_eIcon, EMessageIcon::kWarning);
    EXPECT_EQ(m_boxes.m_arrShown[0].m_eButtons, EMessageButtons::kYesNo);
}

TEST_F(HostRegDlgTest, OkKeepsTheWorkingTable) {
    Open();
    m_pDlg->OnHostSelected("PC02");
    m_pDlg->OnAdd();
    m_pDlg->OnOk();
    EXPECT_TRUE(m_pView->m_bClosed);
    EXPECT_EQ(Table()[0].m_strHost, "PC02");
}

TEST_F(HostRegDlgTest, ListsRefreshOnTheTimerOnlyWhileTheUserHasChosenNothing) {
    Open();
    EXPECT_EQ(m_pView->m_nDomainFills, 1);
    m_pDlg->OnTimer();
    EXPECT_EQ(m_pView->m_nDomainFills, 2);

    m_pDlg->OnManualEntryChanged("x");
    m_pDlg->OnTimer();
    EXPECT_EQ(m_pView->m_nDomainFills, 2);
    m_pDlg->OnManualEntryChanged("");
    m_pDlg->OnTimer();
    EXPECT_EQ(m_pView->m_nDomainFills, 3);

    m_pDlg->OnDomainSelected("LAB");
    m_pDlg->OnTimer();
    EXPECT_EQ(m_pView->m_nDomainFills, 3);

    // A tick while a box is open waits for the box.
    CHostRegDlg fresh(*m_pView, m_boxes, *m_pAccess, m_log, "MYPC");
    fresh.SetTable(*m_pHosts);
    fresh.OnInit();
    int nFillsDuringBox = -1;
    m_boxes.m_fnWhileOpen = [&](const CMessageBox&) {
        fresh.OnTimer();
        nFillsDuringBox = m_pView->m_nDomainFills;
    };
    const int nBefore = m_pView->m_nDomainFills;
    fresh.OnAdd();  // no candidate: a warning box
    EXPECT_EQ(nFillsDuringBox, nBefore);
    m_boxes.m_fnWhileOpen = {};
    fresh.OnTimer();
    EXPECT_EQ(m_pView->m_nDomainFills, nBefore + 1);
}

}  // namespace
