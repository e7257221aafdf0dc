// Host and group tables: slot reuse, packed members, group removal and exact name comparison.
#include "host_tables.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

std::string Tagged(const char* pszPrefix, const std::string& strTail) {
    std::string strOut(pszPrefix);
    strOut += strTail;
    return strOut;
}

std::string Numbered(const char* pszPrefix, int n) {
    return Tagged(pszPrefix, std::to_string(n));
}

CHostEntry Host(const std::string& strName) {
    CHostEntry entry;
    entry.m_strHost = strName;
    entry.m_strUser = Tagged("u-", strName);
    entry.m_strPassword = Tagged("p-", strName);
    entry.m_strOsInfo = Tagged("os-", strName);
    entry.m_strCpuInfo = Tagged("cpu-", strName);
    entry.m_strOwnerInfo = Tagged("owner-", strName);
    return entry;
}

CHostGroup GroupWithMembers(const std::string& strName, int nMembers) {
    CHostGroup group;
    group.m_strName = strName;
    for (int i = 0; i < nMembers; ++i)
        group.m_strMember[static_cast<std::size_t>(i)] = Numbered("PC", i);
    return group;
}

// Members 0..n-1 must be exactly the names given and every slot after them empty.
void ExpectMembers(const CHostGroup& group, const std::vector<std::string>& names) {
    ASSERT_EQ(CountMembers(group), static_cast<int>(names.size()));
    for (std::size_t i = 0; i < group.m_strMember.size(); ++i) {
        EXPECT_EQ(group.m_strMember[i], i < names.size() ? names[i] : "") << "member slot " << i;
    }
}

TEST(HostTable, AddTakesTheLowestFreeSlotAndDeleteFreesInPlace) {
    auto hosts = std::make_unique<CHostTable>();
    for (int i = 0; i < 6; ++i) EXPECT_EQ(AddHost(*hosts, Host(Numbered("PC", i))), i);

    EXPECT_EQ(DeleteHost(*hosts, "PC4"), 1);
    const CHostEntry& freed = (*hosts)[4];
    EXPECT_TRUE(freed.IsFree());
    EXPECT_EQ(freed.m_strOsInfo, "");
    // The other four fields stay until the slot is reused.
    EXPECT_EQ(freed.m_strUser, "u-PC4");
    EXPECT_EQ(freed.m_strPassword, "p-PC4");
    EXPECT_EQ(freed.m_strCpuInfo, "cpu-PC4");
    EXPECT_EQ(freed.m_strOwnerInfo, "owner-PC4");
    EXPECT_EQ((*hosts)[3], Host("PC3"));
    EXPECT_EQ((*hosts)[5], Host("PC5"));
    EXPECT_FALSE(FindHost(*hosts, "PC4"));

    // The next host reuses slot 4 and overwrites all six fields.
    CHostEntry fresh;
    fresh.m_strHost = "NEW";
    EXPECT_EQ(AddHost(*hosts, fresh), 4);
    EXPECT_EQ((*hosts)[4], fresh);
    EXPECT_EQ(FindHost(*hosts, "NEW"), 4);
}

TEST(HostTable, FullTableRefusesAndDeleteFreesEveryDuplicate) {
    auto hosts = std::make_unique<CHostTable>();
    for (int i = 0; i < kHostSlots; ++i) ASSERT_EQ(AddHost(*hosts, Host(Numbered("H", i))), i);
    EXPECT_FALSE(AddHost(*hosts, Host("ONE-MORE")));
    EXPECT_EQ(FindHost(*hosts, "H499"), 499);

    (*hosts)[10].m_strHost = "DUP";
    (*hosts)[300].m_strHost = "DUP";
    EXPECT_EQ(FindHost(*hosts, "DUP"), 10);
    EXPECT_EQ(DeleteHost(*hosts, "DUP"), 2);
    EXPECT_EQ(DeleteHost(*hosts, "DUP"), 0);
    EXPECT_EQ(AddHost(*hosts, Host("A")), 10);
    EXPECT_EQ(AddHost(*hosts, Host("B")), 300);
}

TEST(Names, ComparisonIsExactByteWise) {
    auto hosts = std::make_unique<CHostTable>();
    AddHost(*hosts, Host("pc1"));
    AddHost(*hosts, Host("ＰＣ１"));
    AddHost(*hosts, Host("予約"));
    struct Case {
        const char* pszName;
        std::optional<int> slot;
    };
    const Case cases[] = {
        {"pc1", 0},
        {"PC1", std::nullopt},
        {"pc1 ", std::nullopt},
        {" pc1", std::nullopt},
        {"pc", std::nullopt},
        {"ＰＣ１", 1},
        {"ｐｃ１", std::nullopt},
        {"予約", 2},
        {"予", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(FindHost(*hosts, c.pszName), c.slot) << c.pszName;
}

TEST(Names, EmptyNameNeverMatchesAFreeSlot) {
    auto hosts = std::make_unique<CHostTable>();
    auto groups = std::make_unique<CGroupTable>();
    CHostGroup group = GroupWithMembers("G", 2);
    EXPECT_FALSE(FindHost(*hosts, ""));
    EXPECT_FALSE(AddHost(*hosts, CHostEntry{}));
    EXPECT_FALSE(FindGroup(*groups, ""));
    EXPECT_FALSE(AddGroup(*groups, CHostGroup{}));
    EXPECT_FALSE(HasMember(group, ""));
    EXPECT_FALSE(AddMember(group, ""));
    EXPECT_FALSE(RemoveMember(group, ""));
    EXPECT_FALSE(RemoveGroup(*groups, ""));
    ExpectMembers(group, {"PC0", "PC1"});
}

TEST(GroupMembers, AddAndCountStopAtTheFirstEmptySlot) {
    CHostGroup group;
    group.m_strName = "G";
    EXPECT_EQ(CountMembers(group), 0);
    EXPECT_TRUE(AddMember(group, "A"));
    EXPECT_TRUE(AddMember(group, "B"));
    EXPECT_TRUE(AddMember(group, "A"));  // duplicates are not looked for
    ExpectMembers(group, {"A", "B", "A"});
    EXPECT_EQ(HasMember(group, "A"), 0);
    EXPECT_EQ(HasMember(group, "B"), 1);
    EXPECT_FALSE(HasMember(group, "a"));
    EXPECT_TRUE(RemoveMember(group, "A"));  // only the first of duplicates goes
    ExpectMembers(group, {"B", "A"});
    EXPECT_TRUE(AddMember(group, "A"));

    // A hole ends the member list for counting and adding.
    group.m_strMember[10] = "LATE";
    EXPECT_EQ(CountMembers(group), 3);
    EXPECT_TRUE(AddMember(group, "C"));
    EXPECT_EQ(group.m_strMember[3], "C");

    CHostGroup full = GroupWithMembers("F", kGroupMembers);
    const CHostGroup before = full;
    EXPECT_FALSE(AddMember(full, "X"));
    EXPECT_EQ(full, before);
}

TEST(GroupMembers, RemoveKeepsTheGroupPacked) {
    struct Case {
        const char* pszName;
        int nMembers;
        std::string strRemove;
        bool bRemoved;
        std::vector<int> remaining;  // indexes of the original members left, in order
    };
    auto Range = [](int from, int to, int skip) {
        std::vector<int> v;
        for (int i = from; i < to; ++i)
            if (i != skip) v.push_back(i);
        return v;
    };
    const Case cases[] = {
        {"only member", 1, "PC0", true, {}},
        {"member 3 of 50", 50, "PC3", true, Range(0, 50, 3)},
        {"first of 50", 50, "PC0", true, Range(1, 50, -1)},
        {"last of 50", 50, "PC49", true, Range(0, 49, -1)},
        {"middle of 5", 5, "PC2", true, {0, 1, 3, 4}},
        {"not a member", 5, "PC9", false, {0, 1, 2, 3, 4}},
        {"case differs", 5, "pc1", false, {0, 1, 2, 3, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszName);
        CHostGroup group = GroupWithMembers("G", c.nMembers);
        EXPECT_EQ(RemoveMember(group, c.strRemove), c.bRemoved);
        std::vector<std::string> names;
        for (int i : c.remaining) names.push_back(Numbered("PC", i));
        ExpectMembers(group, names);
        EXPECT_EQ(group.m_strName, "G");
    }
}

TEST(GroupTable, AddRefusesSameNameButNotOtherCase) {
    auto groups = std::make_unique<CGroupTable>();
    EXPECT_EQ(AddGroup(*groups, GroupWithMembers("Web", 3)), 0);
    EXPECT_FALSE(AddGroup(*groups, GroupWithMembers("Web", 1)));
    EXPECT_EQ(AddGroup(*groups, GroupWithMembers("web", 1)), 1);
    EXPECT_EQ(AddGroup(*groups, GroupWithMembers("Web ", 1)), 2);
    EXPECT_EQ(CountGroups(*groups), 3);
    EXPECT_EQ((*groups)[0], GroupWithMembers("Web", 3));  // the refused add changed nothing
    EXPECT_EQ(FindGroup(*groups, "web"), 1);
}

TEST(GroupTable, AddFillsTheFirstFreeSlotAndFailsWhenFull) {
    auto groups = std::make_unique<CGroupTable>();
    (*groups)[0] = GroupWithMembers("G0", 1);
    (*groups)[2] = GroupWithMembers("G2", 1);  // loaded tables may have holes
    EXPECT_EQ(CountGroups(*groups), 2);
    EXPECT_EQ(AddGroup(*groups, GroupWithMembers("NEW", 50)), 1);
    EXPECT_EQ((*groups)[1], GroupWithMembers("NEW", 50));
    for (int i = 3; i < kGroupSlots; ++i)
        ASSERT_TRUE(AddGroup(*groups, GroupWithMembers(Numbered("X", i), 1)));
    EXPECT_EQ(CountGroups(*groups), 50);
    EXPECT_FALSE(AddGroup(*groups, GroupWithMembers("LAST", 1)));
}

TEST(GroupTable, RemoveMovesLaterGroupsUp) {
    auto MakeFull = [] {
        auto groups = std::make_unique<CGroupTable>();
        for (int i = 0; i < kGroupSlots; ++i)
            (*groups)[static_cast<std::size_t>(i)] = GroupWithMembers(Numbered("G", i), i % 51);
        return groups;
    };
    {
        auto groups = MakeFull();
        EXPECT_TRUE(RemoveGroup(*groups, "G49"));
        EXPECT_TRUE((*groups)[49].IsFree());
        EXPECT_EQ((*groups)[49], CHostGroup{});
        EXPECT_EQ((*groups)[48], GroupWithMembers("G48", 48));
    }
    {
        auto groups = MakeFull();
        EXPECT_TRUE(RemoveGroup(*groups, "G0"));
        for (int i = 0; i < 49; ++i)
            EXPECT_EQ((*groups)[static_cast<std::size_t>(i)],
                      GroupWithMembers(Numbered("G", i + 1), i + 1));
        EXPECT_EQ((*groups)[49], CHostGroup{});
        EXPECT_EQ(CountGroups(*groups), 49);
    }
    {
        auto groups = MakeFull();
        EXPECT_FALSE(RemoveGroup(*groups, "g0"));
        EXPECT_EQ(CountGroups(*groups), 50);
    }
}

TEST(GroupTable, SchedulesUsingAGroup) {
    auto schedules = std::make_unique<CScheduleTable>();
    auto Book = [&](int i, std::int32_t nType, const char* pszTarget, std::int32_t nState) {
        CSchedule& s = (*schedules)[static_cast<std::size_t>(i)];
        s.m_nTargetType = nType;
        s.m_strTarget = pszTarget;
        s.m_nState = nState;
    };
    EXPECT_EQ(SchedulesUsingGroup(*schedules, "Web"), "");
    Book(3, kTargetGroup, "Web", kStateWaiting);
    Book(12, kTargetGroup, "Web", kStateRunning);
    Book(5, kTargetHost, "Web", kStateWaiting);   // a host of the same name is not the group
    Book(7, kTargetGroup, "Web", kStateFree);     // a free slot uses nothing
    Book(8, kTargetGroup, "web", kStateWaiting);  // other case, other group
    Book(150, kTargetGroup, "Other", kStateWaiting);
    EXPECT_EQ(SchedulesUsingGroup(*schedules, "Web"), "03,12");
    Book(499, kTargetGroup, "Web", kStateWaiting);
    EXPECT_EQ(SchedulesUsingGroup(*schedules, "Web"), "03,12,499");
    EXPECT_EQ(SchedulesUsingGroup(*schedules, "web"), "08");
    EXPECT_EQ(SchedulesUsingGroup(*schedules, ""), "");
}

TEST(GroupTable, TheHostsAScheduleReads) {
    auto groups = std::make_unique<CGroupTable>();
    (*groups)[1].m_strName = "Web";
    (*groups)[1].m_strMember = {"WEB1", "WEB2", "WEB1", "", "AFTER-GAP"};
    (*groups)[2].m_strName = "Web";  // a second group of the same name is never read
    (*groups)[2].m_strMember[0] = "OTHER";
    (*groups)[3].m_strName = "Empty";
    const auto Target = [](std::int32_t nType, const char* pszTarget) {
        CSchedule schedule;
        schedule.m_nTargetType = nType;
        schedule.m_strTarget = pszTarget;
        return schedule;
    };
    using Hosts = std::vector<std::string>;
    const struct {
        CSchedule schedule;
        Hosts arrHosts;
    } kCases[] = {
        {Target(kTargetHost, "PC1"), {"PC1"}},
        {Target(kTargetHost, "Web"), {"Web"}},  // a host of a group's name is that host
        {Target(kTargetHost, ""), {}},
        {Target(7, "PC1"), {"PC1"}},                      // any type but group is a host target
        {Target(kTargetGroup, "Web"), {"WEB1", "WEB2"}},  // once each, up to the first gap
        {Target(kTargetGroup, "web"), {}},
        {Target(kTargetGroup, "Empty"), {}},
        {Target(kTargetGroup, "Gone"), {}},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(ScheduleHosts(c.schedule, *groups), c.arrHosts)
            << c.schedule.m_nTargetType << " " << c.schedule.m_strTarget;
    }
}

}  // namespace
