// CGroupListDlg: filling and selecting, add with the 50-group limit, change and delete refused
// while schedules use the group, the delete question and what is selected afterwards.
#include <gtest/gtest.h>

#include <memory>

#include "common/recording_message_box_view.h"
#include "groups/group_fakes.h"

namespace {

using groups_test::Group;
using Names = std::vector<std::string>;

class GroupListDlgTest : public ::testing::Test {
protected:
    void Open() {
        m_pDlg = std::make_unique<CGroupListDlg>(m_view, m_boxes, *m_pSchedules);
        m_pDlg->SetGroups(*m_pGroups);
        m_pDlg->OnInit();
    }
    void UseGroup(int nSchedule, const std::string& strGroup) {
        CSchedule& schedule = (*m_pSchedules)[static_cast<std::size_t>(nSchedule)];
        schedule.m_nState = kStateWaiting;
        schedule.m_nTargetType = kTargetGroup;
        schedule.m_strTarget = strGroup;
    }

    testutil::CRecordingMessageBoxView m_boxes;
    groups_test::CFakeGroupListView m_view;
    std::unique_ptr<CGroupTable> m_pGroups = std::make_unique<CGroupTable>();
    std::unique_ptr<CScheduleTable> m_pSchedules = std::make_unique<CScheduleTable>();
    std::unique_ptr<CGroupListDlg> m_pDlg;
};

TEST(EntryToSelectTest, ExactNameFirstThenTheListBoxesPrefixSearch) {
    const Names entries = {"ABC", "ab", "Lab", "AB"};
    EXPECT_EQ(EntryToSelect(entries, "AB"), 3);   // exact, although "ABC" begins with it
    EXPECT_EQ(EntryToSelect(entries, "la"), 2);   // prefix, ignoring case
    EXPECT_EQ(EntryToSelect(entries, "zzz"), 0);  // nothing matches: the first
    EXPECT_EQ(EntryToSelect(entries, ""), 0);
    EXPECT_EQ(EntryToSelect({}, "AB"), -1);
}

TEST_F(GroupListDlgTest, OpeningListsGroupsInSlotOrderAndShowsTheFirstGroupsMembers) {
    (*m_pGroups)[5] = Group("経理", {"PC05"});
    (*m_pGroups)[0] = Group("LAB", {"SV01", "SV02"});
    Open();
    EXPECT_EQ(m_view.m_vecGroups, (Names{"LAB", "経理"}));
    EXPECT_EQ(m_view.m_nSelected, 0);
    EXPECT_EQ(m_view.m_vecMembers, (Names{"SV01", "SV02"}));
    EXPECT_TRUE(m_view.m_bChange);
    m_pDlg->OnGroupSelected("経理");
    EXPECT_EQ(m_view.m_vecMembers, Names{"PC05"});
    EXPECT_EQ(m_pDlg->SelectedGroup(), "経理");
}

TEST_F(GroupListDlgTest, EmptyTableDisablesChangeAndDelete) {
    Open();
    EXPECT_EQ(m_view.m_vecGroups, Names{});
    EXPECT_EQ(m_view.m_nSelected, -1);
    EXPECT_FALSE(m_view.m_bChange);
    EXPECT_FALSE(m_view.m_bDelete);
}

TEST_F(GroupListDlgTest, AddOpensTheEditorUntilFiftyGroupsExist) {
    for (int i = 0; i < 49; ++i) (*m_pGroups)[i] = Group("G" + std::to_string(i), {"PC01"});
    m_view.m_fnEdit = [](CHostGroup& group, const CGroupTable&) {
        group = Group("NEW", {"PC02"});
        return true;
    };
    Open();
    m_pDlg->OnAdd();
    EXPECT_EQ(m_view.m_nEdits, 1);
    EXPECT_EQ(m_pDlg->Groups()[49], Group("NEW", {"PC02"}));
    EXPECT_EQ(m_view.m_nSelected, 49);
    EXPECT_EQ(m_view.m_vecMembers, Names{"PC02"});

    m_pDlg->OnAdd();  // now there are 50
    EXPECT_EQ(m_view.m_nEdits, 1);
    ASSERT_EQ(m_boxes.m_arrShown.size(), 1u);
    EXPECT_EQ(m_boxes.Last().m_strText, "登録できる最大数を超えています");
    EXPECT_EQ(m_boxes.Last().m_strCaption, "エラー");
    EXPECT_EQ(m_boxes.Last().m_eIcon, EMessageIcon::kWarning);
}

TEST_F(GroupListDlgTest, NewGroupIsSelectedEvenWhenAnEarlierNameBeginsWithIt) {
    (*m_pGroups)[0] = Group("ABC", {"PC01"});
    m_view.m_fnEdit = [](CHostGroup& group, const CGroupTable&) {
        group = Group("AB", {"PC02"});
        return true;
    };
    Open();
    m_pDlg->OnAdd();
    EXPECT_EQ(m_view.m_nSelected, 1);
    EXPECT_EQ(m_pDlg->SelectedGroup(), "AB");
}

TEST_F(GroupListDlgTest, CancelledEditorChangesNothing) {
    (*m_pGroups)[0] = Group("LAB", {"SV01"});
    m_view.m_fnEdit = [](CHostGroup& group, const CGroupTable&) {
        group.m_strName = "CHANGED";
        return false;
    };
    Open();
    m_pDlg->OnAdd();
    m_pDlg->OnChange();
    EXPECT_EQ(m_pDlg->Groups(), *m_pGroups);
}

TEST_F(GroupListDlgTest, GroupUsedBySchedulesCannotBeChangedOrDeleted) {
    (*m_pGroups)[0] = Group("LAB", {"SV01", "SV02"});
    UseGroup(3, "LAB");
    UseGroup(12, "LAB");
    Open();
    m_pDlg->OnChange();
    EXPECT_EQ(m_view.m_nEdits, 0);
    m_boxes.m_queAnswers = {EMessageResult::kOk};
    m_pDlg->OnDelete();

    ASSERT_EQ(m_boxes.m_arrShown.size(), 3u);
    const CMessageBox& change = m_boxes.m_arrShown[0];
    EXPECT_EQ(change.m_strText,
              "このグループは、スケジュール(03,12)で使用されており、変更できません");
    EXPECT_EQ(change.m_strCaption, "グループの変更");
    EXPECT_EQ(change.m_eIcon, EMessageIcon::kNone);
    EXPECT_EQ(change.m_eModality, EMessageModality::kSystem);
    const CMessageBox& question = m_boxes.m_arrShown[1];
    EXPECT_EQ(
        question.m_strText,
        "グループ名(LAB)には以下のホストが登録されています。\n\n\tSV01\n\tSV02\n\n\nこのグループ"
        "を本当に削除しますか？");
    EXPECT_EQ(question.m_strCaption, "グループの削除");
    EXPECT_EQ(question.m_eButtons, EMessageButtons::kOkCancel);
    EXPECT_EQ(question.m_eModality, EMessageModality::kSystem);
    const CMessageBox& refusal = m_boxes.m_arrShown[2];
    EXPECT_EQ(refusal.m_strText,
              "このグループは、スケジュール(03,12)で使用されており、削除できません");
    EXPECT_EQ(refusal.m_strCaption, "グループの削除");
    EXPECT_EQ(refusal.m_eModality, EMessageModality::kSystem);
    EXPECT_EQ(m_pDlg->Groups(), *m_pGroups);
}

TEST_F(GroupListDlgTest, ChangeOverwritesTheSlotAndSelectsTheNewName) {
    (*m_pGroups)[0] = Group("LAB", {"SV01"});
    (*m_pGroups)[1] = Group("OFFICE", {"PC01"});
    UseGroup(7, "OTHER");
    m_view.m_fnEdit = [](CHostGroup& group, const CGroupTable&) {
        EXPECT_EQ(group.m_strName, "OFFICE");
        group = Group("DESKS", {"PC01", "PC02"});
        return true;
    };
    Open();
    m_pDlg->OnGroupSelected("OFFICE");
    m_pDlg->OnChange();
    EXPECT_EQ(m_pDlg->Groups()[1], Group("DESKS", {"PC01", "PC02"}));
    EXPECT_EQ(m_view.m_vecGroups, (Names{"LAB", "DESKS"}));
    EXPECT_EQ(m_view.m_nSelected, 1);
}

TEST_F(GroupListDlgTest, DeletingSelectsTheEntryAboveOrTheNewFirst) {
    (*m_pGroups)[0] = Group("A", {"PC01"});
    (*m_pGroups)[1] = Group("B", {"PC02"});
    (*m_pGroups)[2] = Group("C", {"PC03"});
    Open();
    m_boxes.m_queAnswers = {EMessageResult::kCancel, EMessageResult::kOk, EMessageResult::kOk,
                            EMessageResult::kOk};
    m_pDlg->OnGroupSelected("C");
    m_pDlg->OnDelete();  // Cancel
    EXPECT_EQ(m_view.m_vecGroups, (Names{"A", "B", "C"}));

    m_pDlg->OnDelete();
    EXPECT_EQ(m_view.m_vecGroups, (Names{"A", "B"}));
    EXPECT_EQ(m_view.m_nSelected, 1);
    EXPECT_EQ(m_view.m_vecMembers, Names{"PC02"});

    m_pDlg->OnGroupSelected("A");
    m_pDlg->OnDelete();
    EXPECT_EQ(m_view.m_vecGroups, Names{"B"});
    EXPECT_EQ(m_view.m_nSelected, 0);
    EXPECT_EQ(m_view.m_vecMembers, Names{"PC02"});

    m_pDlg->OnDelete();
    EXPECT_EQ(m_view.m_vecGroups, Names{});
    EXPECT_EQ(m_view.m_nSelected, -1);
    EXPECT_EQ(m_view.m_vecMembers, Names{});  // the deleted group's members are gone too
    EXPECT_FALSE(m_view.m_bChange);
    EXPECT_FALSE(m_view.m_bDelete);
    m_pDlg->OnDelete();  // nothing selected: nothing asked
    EXPECT_EQ(m_boxes.m_arrShown.size(), 4u);
}

TEST_F(GroupListDlgTest, DeletingGroupZeroOfAFullTableFreesTheLastSlotForTheNextAdd) {
    for (int i = 0; i < kGroupSlots; ++i) (*m_pGroups)[i] = Group("G" + std::to_string(i), {"H"});
    m_view.m_fnEdit = [](CHostGroup& group, const CGroupTable&) {
        group = Group("LATE", {"H"});
        return true;
    };
    Open();
    m_boxes.m_queAnswers = {EMessageResult::kOk};
    m_pDlg->OnDelete();
    EXPECT_EQ(m_pDlg->Groups()[0].m_strName, "G1");
    EXPECT_TRUE(m_pDlg->Groups()[49].IsFree());
    m_pDlg->OnAdd();
    EXPECT_EQ(m_pDlg->Groups()[49].m_strName, "LATE");
}

TEST_F(GroupListDlgTest, OkAndCancelCloseWithTheirResult) {
    Open();
    m_pDlg->OnCancel();
    EXPECT_EQ(m_view.m_closed, false);
    m_pDlg->OnOk();
    EXPECT_EQ(m_view.m_closed, true);
}

}  // namespace
