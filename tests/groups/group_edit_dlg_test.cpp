// CGroupEditDlg: titles, the lists it offers, member moves and their limits, the host
// registration on the live host table, and the name checks of OK.
#include <gtest/gtest.h>

#include <memory>

#include "common/recording_message_box_view.h"
#include "groups/group_fakes.h"

namespace {

using groups_test::Group;
using Names = std::vector<std::string>;

class GroupEditDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* pszHost : {"PC1", "pc1", "PC10", "PC2", "SV01"}) {
            CHostEntry entry;
            entry.m_strHost = pszHost;
            AddHost(*m_pHosts, entry);
        }
        (*m_pGroups)[0] = Group("LAB", {"SV01"});
        (*m_pGroups)[1] = Group("OFFICE", {"PC1"});
    }

    void Open(const CHostGroup& group) {
        m_pDlg = std::make_unique<CGroupEditDlg>(m_view, m_boxes, *m_pHosts, *m_pGroups, group);
        m_pDlg->OnInit();
    }
    Names Boxes() const {
        Names vecTexts;
        for (const CMessageBox& box : m_boxes.m_arrShown) vecTexts.push_back(box.m_strText);
        return vecTexts;
    }

    testutil::CRecordingMessageBoxView m_boxes;
    groups_test::CFakeGroupEditView m_view;
    std::unique_ptr<CHostTable> m_pHosts = std::make_unique<CHostTable>();
    std::unique_ptr<CGroupTable> m_pGroups = std::make_unique<CGroupTable>();
    std::unique_ptr<CGroupEditDlg> m_pDlg;
};

TEST_F(GroupEditDlgTest, NewGroupOffersEveryRegisteredHost) {
    Open(CHostGroup());
    EXPECT_EQ(m_view.m_strTitle, "グループの追加");
    EXPECT_EQ(m_view.m_strName, "");
    EXPECT_EQ(m_view.m_vecMembers, Names{});
    EXPECT_EQ(m_view.m_vecHosts, (Names{"PC1", "pc1", "PC10", "PC2", "SV01"}));
    EXPECT_FALSE(m_view.m_bAdd);
    EXPECT_FALSE(m_view.m_bRemove);
    EXPECT_TRUE(m_view.m_bFocused);
}

TEST_F(GroupEditDlgTest, ExistingGroupOffersExactlyTheHostsThatAreNotMembers) {
    Open((*m_pGroups)[1]);
    EXPECT_EQ(m_view.m_strTitle, "グループの変更");
    EXPECT_EQ(m_view.m_strName, "OFFICE");
    EXPECT_EQ(m_view.m_vecMembers, Names{"PC1"});
    // "pc1" and "PC10" are other hosts than the member "PC1".
    EXPECT_EQ(m_view.m_vecHosts, (Names{"pc1", "PC10", "PC2", "SV01"}));
}

TEST_F(GroupEditDlgTest, ButtonsFollowTheSelections) {
    Open(CHostGroup());
    m_pDlg->OnHostSelectionChanged(2);
    EXPECT_TRUE(m_view.m_bAdd);
    m_pDlg->OnHostSelectionChanged(0);
    EXPECT_FALSE(m_view.m_bAdd);
    m_pDlg->OnMemberSelectionChanged(1);
    EXPECT_TRUE(m_view.m_bRemove);
}

TEST_F(GroupEditDlgTest, AddingAndRemovingMovesHostsBetweenTheLists) {
    Open((*m_pGroups)[1]);
    m_pDlg->OnHostSelectionChanged(2);
    m_pDlg->OnAddMembers({"PC10", "pc1"});
    EXPECT_EQ(m_pDlg->Group(), Group("OFFICE", {"PC1", "PC10", "pc1"}));
    EXPECT_EQ(m_view.m_vecMembers, (Names{"PC1", "PC10", "pc1"}));
    EXPECT_EQ(m_view.m_vecHosts, (Names{"PC2", "SV01"}));
    EXPECT_FALSE(m_view.m_bAdd);

    m_pDlg->OnMemberSelectionChanged(1);
    m_pDlg->OnRemoveMembers({"PC1"});
    EXPECT_EQ(m_pDlg->Group(), Group("OFFICE", {"PC10", "pc1"}));
    EXPECT_EQ(m_view.m_vecHosts, (Names{"PC1", "PC2", "SV01"}));
    EXPECT_FALSE(m_view.m_bRemove);
    EXPECT_TRUE(m_boxes.m_arrShown.empty());
}

TEST_F(GroupEditDlgTest, HostsThatAreAlreadyMembersAreNamedAndNothingIsAdded) {
    Open((*m_pGroups)[0]);
    m_pDlg->OnAddMembers({"PC2", "SV01"});
    ASSERT_EQ(m_boxes.m_arrShown.size(), 1u);
    EXPECT_EQ(m_boxes.Last().m_strText, "以下のホストは、既に登録されています。\n\n\tSV01\n");
    EXPECT_EQ(m_boxes.Last().m_strCaption, "エラー");
    EXPECT_EQ(m_boxes.Last().m_eIcon, EMessageIcon::kNone);
    EXPECT_EQ(m_boxes.Last().m_eModality, EMessageModality::kSystem);
    EXPECT_EQ(m_pDlg->Group(), (*m_pGroups)[0]);
}

TEST_F(GroupEditDlgTest, FiftyMembersAtMost) {
    for (int i = 0; i < 60; ++i) {
        CHostEntry entry;
        entry.m_strHost = "H" + std::to_string(i);
        AddHost(*m_pHosts, entry);
    }
    Names vecFortyOne, vecTen;
    for (int i = 0; i < 41; ++i) vecFortyOne.push_back("H" + std::to_string(i));
    for (int i = 41; i < 51; ++i) vecTen.push_back("H" + std::to_string(i));
    Open(Group("BIG", vecFortyOne));

    m_pDlg->OnAddMembers(vecTen);
    EXPECT_EQ(Boxes(), Names{"グループに登録できる最大数を超えています"});
    EXPECT_EQ(m_boxes.Last().m_eIcon, EMessageIcon::kWarning);
    EXPECT_EQ(CountMembers(m_pDlg->Group()), 41);

    vecTen.pop_back();
    m_pDlg->OnAddMembers(vecTen);
    EXPECT_EQ(CountMembers(m_pDlg->Group()), 50);
    EXPECT_EQ(m_pDlg->Group().m_strMember[49], "H49");
    EXPECT_EQ(m_boxes.m_arrShown.size(), 1u);
}

TEST_F(GroupEditDlgTest, NameChecksOfOk) {
    const struct {
        CHostGroup group;  // the group the editor opens with
        std::string strTyped;
        const char* pszRefusal;  // null: accepted
    } cases[] = {
        {Group("", {"PC2"}), "", "グループ名が指定されていません"},
        {Group("", {"PC2"}), "LAB", "グループ名が既に使用されています"},
        {Group("", {"PC2"}), "lab", nullptr},  // another case is another name
        {Group("OFFICE", {"PC1"}), "OFFICE", nullptr},
        {Group("OFFICE", {"PC1"}), "LAB", "グループ名が既に使用されています"},
        {Group("OFFICE", {"PC1"}), "DESKS", nullptr},
        {Group("", {"PC2"}), "G\xF0\x9F\x98\x80", "グループ名に保存できない文字が含まれています"},
        {Group("", {}), "EMPTY", "グループにホストが指定されていません"},
    };
    for (const auto& c : cases) {
        m_boxes.m_arrShown.clear();
        m_view.m_closed.reset();
        Open(c.group);
        m_pDlg->OnOk(c.strTyped);
        if (c.pszRefusal == nullptr) {
            EXPECT_EQ(m_view.m_closed, true) << c.strTyped;
            EXPECT_EQ(m_pDlg->Group().m_strName, c.strTyped);
            EXPECT_TRUE(m_boxes.m_arrShown.empty()) << c.strTyped;
        } else {
            EXPECT_FALSE(m_view.m_closed.has_value()) << c.strTyped;
            EXPECT_EQ(Boxes(), Names{c.pszRefusal}) << c.strTyped;
            EXPECT_EQ(m_boxes.Last().m_strCaption, "エラー");
        }
    }
}

TEST_F(GroupEditDlgTest, HostRegistrationChangesTheLiveTableAndBothLists) {
    m_view.m_fnHostRegistration = [](CHostTable& hosts) {
        CHostEntry entry;
        entry.m_strHost = "NEW";
        AddHost(hosts, entry);
        DeleteHost(hosts, "PC2");
        return true;
    };
    Open(CHostGroup());
    m_pDlg->OnAddMembers({"PC10"});
    m_pDlg->OnHostRegistration();
    EXPECT_EQ((*m_pHosts)[5].m_strHost, "NEW");
    EXPECT_EQ(m_view.m_vecHosts, (Names{"PC1", "pc1", "SV01", "NEW"}));  // PC10 is a member
    EXPECT_EQ(m_view.m_vecMembers, Names{"PC10"});
}

TEST_F(GroupEditDlgTest, CancelClosesWithCancel) {
    Open((*m_pGroups)[0]);
    m_pDlg->OnCancel();
    EXPECT_EQ(m_view.m_closed, false);
}

}  // namespace
