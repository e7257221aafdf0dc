// CHostPickDlg: the names it holds and "選択", which runs the check and keeps the picker open.
#include <gtest/gtest.h>

#include "groups/group_fakes.h"
#include "host_pick_dlg.h"

namespace {

class CFakePickView final : public IHostPickView {
public:
    std::vector<std::string> m_vecShown, m_vecChecked;
    bool m_bClosed = false;
    void ShowHosts(const std::vector<std::string>& v) override { m_vecShown = v; }
    void RunCheck(const std::string& strHost) override { m_vecChecked.push_back(strHost); }
    void Close() override { m_bClosed = true; }
};

TEST(HostPickDlgTest, ShowsTheMembersAndChecksTheChosenOne) {
    CFakePickView view;
    CHostPickDlg picker(view);
    for (const std::string& strHost :
         GroupMemberList(groups_test::Group("LAB", {"SV01", "SV02", "", "SV09"}))) {
        picker.Add(strHost);
    }
    picker.OnInit();
    EXPECT_EQ(view.m_vecShown, (std::vector<std::string>{"SV01", "SV02"}));
    picker.OnSelect("");
    EXPECT_TRUE(view.m_vecChecked.empty());
    picker.OnSelect("SV02");
    picker.OnSelect("SV01");
    EXPECT_EQ(view.m_vecChecked, (std::vector<std::string>{"SV02", "SV01"}));
    EXPECT_FALSE(view.m_bClosed);
    picker.OnCancel();
    EXPECT_TRUE(view.m_bClosed);
}

TEST(HostPickDlgTest, HoldsAHundredNamesAtMost) {
    CFakePickView view;
    CHostPickDlg picker(view);
    for (int i = 0; i < 100; ++i) EXPECT_TRUE(picker.Add("H" + std::to_string(i)));
    EXPECT_FALSE(picker.Add("H100"));
    EXPECT_FALSE(picker.Add(""));
    EXPECT_EQ(picker.Hosts().size(), 100u);
    picker.Clear();
    EXPECT_TRUE(picker.Hosts().empty());
}

}  // namespace
