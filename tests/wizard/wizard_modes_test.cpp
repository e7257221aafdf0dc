// The wizard's four modes, the load step, and the target page's lists and buttons.
#include <gtest/gtest.h>

#include "wizard_fixture.h"

namespace wizard_test {
namespace {

using testutil::Local;

// A waiting daily booking of PC02 at 08:30 for two hours, CPU over 70 %, 1 minute, split 30 min.
CSchedule DailyBooking() {
    CSchedule s = CSchedule::Blank(Local(2026, 12, 7, 10, 0));
    s.m_strTarget = "PC02";
    s.m_strComment = "日次";
    s.m_nState = kStateWaiting;
    s.m_nRepeat = kRepeatDaily;
    s.m_tStart = Local(2026, 12, 7, 8, 30);
    s.m_tsDuration = 7200;
    s.m_tsEndTime = 7200;
    s.m_nInterval = 60000;
    s.m_nSplitUnit = kSplit30Minutes;
    s.m_nCpuThreshold = 70;
    s.m_tNextStart = Local(2026, 12, 8, 8, 30);
    s.m_tNextEnd = Local(2026, 12, 8, 10, 30);
    return s;
}

class WizardModesTest : public WizardTest {};

TEST_F(WizardModesTest, CaptionsFirstPagesAndCancelQuestions) {
    struct SCase {
        EWizardMode eMode;
        const char* pszCaption;
        int nFirstPage;
        const char* pszQuestion;
    };
    const SCase cases[] = {
        {EWizardMode::kNew, "新規予約", kPageTarget, "新規予約を中断しますか？"},
        {EWizardMode::kChange, "予約変更", kPageTarget, "予約変更を中断しますか？"},
        {EWizardMode::kView, "参照", kPageSummary, "参照を中断しますか？"},
        {EWizardMode::kRetry, "新規予約", kPageComment, "新規予約を中断しますか？"},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.pszCaption);
        m_window.m_nEnded = -1;
        Open(c.eMode, DailyBooking());
        EXPECT_EQ(m_window.m_strCaption, c.pszCaption);
        EXPECT_EQ(Page(), c.nFirstPage);
        m_boxes.m_queAnswers = {EMessageResult::kNo, EMessageResult::kYes};
        Wizard().OnCancel();
        EXPECT_EQ(LastBox(), std::string("中断|") + c.pszQuestion);
        EXPECT_EQ(m_boxes.Last().m_eButtons, EMessageButtons::kYesNo);
        EXPECT_EQ(m_boxes.Last().m_eIcon, EMessageIcon::kWarning);
        EXPECT_EQ(m_window.m_nEnded, -1);
        EXPECT_EQ(Page(), c.nFirstPage);
        Wizard().OnCancel();
        EXPECT_EQ(m_window.m_nEnded, 0);
    }
}

TEST_F(WizardModesTest, ViewShowsTheSummaryWithOnlyOk) {
    Open(EWizardMode::kView, DailyBooking());
    EXPECT_EQ(m_window.At(IDC_WZ_TITLE).m_strText, "予約内容を確認してください。");
    EXPECT_EQ(m_window.At(IDC_WZ_DETAIL).m_strText, "");
    EXPECT_TRUE(Visible(1));
    EXPECT_FALSE(Visible(2));
    EXPECT_FALSE(Visible(IDC_WZ_NEXT));
    EXPECT_FALSE(Visible(IDC_WZ_BACK));
    const std::string& strText = m_window.At(IDC_WZ_SUMMARY).m_strText;
    EXPECT_NE(strText.find("■ 対象ホスト:\tPC02"), std::string::npos);
    EXPECT_NE(strText.find("\tCPU:\t70 % 以上"), std::string::npos);
    EXPECT_NE(strText.find("　　毎日  8:30 ～ 10:30 (2 時間 00 分)"), std::string::npos) << strText;
    EXPECT_NE(strText.find("■ 取得間隔:\t1 分 間隔"), std::string::npos);  // kept, never listed
    EXPECT_NE(strText.find("■ 分割単位:\t30 分"), std::string::npos);
    EXPECT_NE(strText.find("■ コメント:\t日次"), std::string::npos);
    Wizard().OnOk();
    EXPECT_EQ(m_window.m_nEnded, 1);
}

TEST_F(WizardModesTest, ViewingARunningSingleBookingWarnsOfNothing) {
    CSchedule s = DailyBooking();
    s.m_nRepeat = kRepeatOnce;
    s.m_nState = kStateRunning;
    s.m_tStart = s.m_tNextStart = Local(2026, 12, 7, 9, 30);
    Open(EWizardMode::kView, s);
    EXPECT_TRUE(m_boxes.m_arrShown.empty()) << LastBox();
    EXPECT_TRUE(Visible(1));
    EXPECT_NE(m_window.At(IDC_WZ_SUMMARY).m_strText.find("09:30 (本日)"), std::string::npos);
}

TEST_F(WizardModesTest, RetryReopensOnTheCommentWithEverythingKept) {
    Open(EWizardMode::kRetry, DailyBooking());
    EXPECT_EQ(m_window.At(IDC_WZ_COMMENT).m_strText, "日次");
    EXPECT_EQ(m_window.At(IDC_WZ_TARGET).m_strText, "PC02");
    EXPECT_TRUE(Visible(IDC_WZ_BACK));
    User().Back();  // a two-hour run: page 8 is not passed over
    EXPECT_EQ(Page(), kPageSplit);
    EXPECT_EQ(m_window.SelectedText(IDC_WZ_SPLIT), "30 分");
    User().Back();
    User().Back();
    EXPECT_EQ(Page(), kPageEnd);
    User().Back();
    ASSERT_EQ(Page(), kPageTimer);
    User().Type(IDC_WZ_START_HOUR, "13");
    for (int i = 0; i < 6; ++i) User().Next();
    ASSERT_EQ(Page(), kPageSummary);
    Wizard().OnOk();
    const CSchedule& s = Wizard().Schedule();
    EXPECT_EQ(s.m_nRepeat, kRepeatDaily);
    EXPECT_EQ(s.m_tNextStart, Local(2026, 12, 7, 13, 30));
    EXPECT_EQ(s.m_nInterval, 60000);
    EXPECT_EQ(s.m_nCpuThreshold, 70);
}

TEST_F(WizardModesTest, TheLoadStepPutsTheRecordIntoTheControls) {
    Open(EWizardMode::kChange, DailyBooking());
    const SWizardValues& v = Wizard().Values();
    EXPECT_EQ(v.m_strTarget, "PC02");
    EXPECT_FALSE(v.m_bGroupDisplay);
    EXPECT_EQ(v.m_nTriggerKind, kTriggerThreshold);
    EXPECT_TRUE(v.m_bUseCpu);
    EXPECT_EQ(v.m_nCpu, 70);
    EXPECT_FALSE(v.m_bUseMem);
    EXPECT_EQ(v.m_nMem, 32);
    EXPECT_EQ(v.m_nStartKind, kStartTimer);
    EXPECT_EQ(v.m_nUnit, kUnitDay);
    EXPECT_EQ(v.m_nDayChoice, kDayEvery);
    EXPECT_EQ(v.m_nStartHour, 8);
    EXPECT_EQ(v.m_nStartMinute, 30);
    EXPECT_EQ(v.m_date, (SWizardDate{2026, 12, 7}));
    EXPECT_EQ(v.m_nMonthDay, 7);
    EXPECT_EQ(v.m_nEndChoice, kEndByDuration);
    EXPECT_EQ(v.m_nDurationIndex, 8);
    EXPECT_EQ(v.m_nEndHour, 2);
    EXPECT_EQ(v.m_nEndMinute, 0);
    EXPECT_EQ(v.m_nSplitIndex, 1);
    EXPECT_EQ(m_window.At(IDC_WZ_START_HOUR).m_strText, "8");
    EXPECT_TRUE(m_window.At(IDC_WZ_DAY_EVERY).m_bChecked);
    EXPECT_TRUE(m_window.At(IDC_WZ_TRIGGER_THRESHOLD).m_bChecked);
    EXPECT_FALSE(m_window.At(IDC_WZ_TRIGGER_NORMAL).m_bChecked);
}

TEST_F(WizardModesTest, LoadStepCases) {
    const platform::Time tNow = Local(2026, 12, 7, 23, 55);  // ten minutes on is tomorrow
    struct SCase {
        const char* pszName;
        std::function<void(CSchedule&)> fnEdit;
        std::function<void(const SWizardValues&)> fnCheck;
    };
    const SCase cases[] = {
        {"single start on another day: chosen date",
         [](CSchedule& s) {
             s.m_nRepeat = kRepeatOnce;
             s.m_tStart = Local(2026, 12, 24, 8, 0);
         },
         [](const SWizardValues& v) {
             EXPECT_EQ(v.m_nDayChoice, kDayDate);
             EXPECT_EQ(v.m_date, (SWizardDate{2026, 12, 24}));
         }},
        {"single start ten minutes on: today",
         [](CSchedule& s) {
             s.m_nRepeat = kRepeatOnce;
             s.m_tStart = Local(2026, 12, 8, 0, 30);
         },
         [](const SWizardValues& v) {
             EXPECT_EQ(v.m_nDayChoice, kDayToday);
             EXPECT_EQ(v.m_date, (SWizardDate{2026, 12, 8}));
         }},
        {"weekly",
         [](CSchedule& s) {
             s.m_nRepeat = kRepeatWeekly;
             s.m_bWeekday = {0, 1, 0, 0, 0, 1, 0};
         },
         [](const SWizardValues& v) {
             EXPECT_EQ(v.m_nUnit, kUnitWeek);
             EXPECT_EQ(v.m_bWeekday, (std::array<bool, 7>{false, true, false, false, false, true, false}));
         }},
        {"month day",
         [](CSchedule& s) {
             s.m_nRepeat = kRepeatMonthDay;
             s.m_nDay = 15;
         },
         [](const SWizardValues& v) {
             EXPECT_EQ(v.m_nUnit, kUnitMonth);
             EXPECT_EQ(v.m_nMonthChoice, kMonthDay);
             EXPECT_EQ(v.m_nMonthDay, 15);
         }},
        {"month end",
         [](CSchedule& s) {
             s.m_nRepeat = kRepeatMonthEnd;
             s.m_nDay = kDayMonthEnd;
         },
         [](const SWizardValues& v) {
             EXPECT_EQ(v.m_nMonthChoice, kMonthEnd);
             EXPECT_EQ(v.m_nMonthDay, 8);  // the day ten minutes from now
         }},
        {"end time two days on",
         [](CSchedule& s) {
             s.m_nEndType = kEndAtTimeOfDay;
             s.m_tsEndTime = 2 * 86400 + 6 * 3600 + 45 * 60;
         },
         [](const SWizardValues& v) {
             EXPECT_EQ(v.m_nEndChoice, kEndByTime);
             EXPECT_EQ(v.m_nEndDayIndex, 2);
             EXPECT_EQ(v.m_nEndHour, 6);
             EXPECT_EQ(v.m_nEndMinute, 45);
             EXPECT_EQ(v.m_nDurationIndex, kDefaultDurationIndex);
         }},
        {"a duration not in the list",
         [](CSchedule& s) { s.m_tsDuration = 4000; },
         [](const SWizardValues& v) { EXPECT_EQ(v.m_nDurationIndex, kDefaultDurationIndex); }},
        {"a split unit not in the list",
         [](CSchedule& s) { s.m_nSplitUnit = 60000; },
         [](const SWizardValues& v) { EXPECT_EQ(v.m_nSplitIndex, 0); }},
        {"start now, all thresholds unused",
         [](CSchedule& s) {
             s.m_nRepeat = kRepeatAtOnce;
             s.m_nCpuThreshold = -1;
         },
         [](const SWizardValues& v) {
             EXPECT_EQ(v.m_nStartKind, kStartNow);
             EXPECT_EQ(v.m_nTriggerKind, kTriggerNormal);
             EXPECT_EQ(v.m_nCpu, 80);
         }},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.pszName);
        CSchedule s = DailyBooking();
        c.fnEdit(s);
        c.fnCheck(CScheduleWizardDlg::ValuesFromSchedule(s, EWizardMode::kChange, 0, tNow));
    }
}

TEST_F(WizardModesTest, ANewBookingShowsGroupsWhenThereAreAny) {
    OpenNew();
    EXPECT_TRUE(m_window.At(IDC_WZ_SHOW_HOSTS).m_bChecked);
    EXPECT_TRUE(m_window.At(IDC_WZ_EDIT_HOSTS).m_bEnabled);
    EXPECT_FALSE(m_window.At(IDC_WZ_EDIT_GROUPS).m_bEnabled);
    AddSalesGroup();
    OpenNew();
    EXPECT_TRUE(m_window.At(IDC_WZ_SHOW_GROUPS).m_bChecked);
    EXPECT_FALSE(m_window.At(IDC_WZ_EDIT_HOSTS).m_bEnabled);
    EXPECT_TRUE(m_window.At(IDC_WZ_EDIT_GROUPS).m_bEnabled);
    EXPECT_EQ(m_window.At(IDC_WZ_TARGET_LIST).m_arrItems, std::vector<std::string>{"営業部"});
    // A change keeps the record's own display.
    Open(EWizardMode::kChange, DailyBooking());
    EXPECT_TRUE(m_window.At(IDC_WZ_SHOW_HOSTS).m_bChecked);
    EXPECT_EQ(m_window.SelectedText(IDC_WZ_TARGET_LIST), "PC02");
}

TEST_F(WizardModesTest, SwitchingTheDisplayEmptiesTheTarget) {
    AddSalesGroup();
    Open(EWizardMode::kChange, DailyBooking());
    User().Radio(IDC_WZ_SHOW_GROUPS);
    EXPECT_EQ(m_window.At(IDC_WZ_TARGET).m_strText, "");
    EXPECT_EQ(m_window.At(IDC_WZ_TARGET_LIST).m_arrItems, std::vector<std::string>{"営業部"});
    User().Choose(IDC_WZ_TARGET_LIST, "営業部");
    EXPECT_EQ(m_window.At(IDC_WZ_TARGET).m_strText, "営業部");
    User().Radio(IDC_WZ_SHOW_GROUPS);  // clicking the checked one empties it too
    EXPECT_EQ(m_window.At(IDC_WZ_TARGET).m_strText, "");
}

TEST_F(WizardModesTest, NotificationsWhileAPageIsFilledAreNotTheUsers) {
    AddSalesGroup();
    m_window.m_pNotifyOnSet = nullptr;
    CSchedule s = DailyBooking();
    s.m_nTargetType = kTargetGroup;
    s.m_strTarget = "営業部";
    m_pWizard = std::make_unique<CScheduleWizardDlg>(m_window, m_boxes, m_clock);
    m_pUser = std::make_unique<CWizardUser>(m_window, *m_pWizard);
    m_window.m_pNotifyOnSet = m_pWizard.get();
    m_pWizard->SetMode(EWizardMode::kChange);
    m_pWizard->LoadTables(*m_pHosts, *m_pGroups);
    m_pWizard->LoadSchedule(s);
    m_pWizard->OnInit();
    EXPECT_EQ(m_window.At(IDC_WZ_TARGET).m_strText, "営業部");
    User().Next();
    User().Back();
    EXPECT_EQ(m_window.At(IDC_WZ_TARGET).m_strText, "営業部");
    m_window.m_pNotifyOnSet = nullptr;
}

TEST_F(WizardModesTest, HostRegistrationRefillsTheListAndGivesTheHostsBack) {
    OpenNew();
    ChooseHost("PC01");
    m_window.m_fnHostRegistration = [](CHostTable& hosts) {
        CHostEntry host;
        host.m_strHost = "SV10";
        AddHost(hosts, host);
        DeleteHost(hosts, "PC02");
    };
    User().Click(IDC_WZ_EDIT_HOSTS);
    EXPECT_EQ(m_window.At(IDC_WZ_TARGET).m_strText, "");
    EXPECT_EQ(m_window.At(IDC_WZ_TARGET_LIST).m_arrItems,
              (std::vector<std::string>{"PC01", "PC03", "SV10"}));
    EXPECT_TRUE(FindHost(Wizard().Hosts(), "SV10").has_value());
}

TEST_F(WizardModesTest, GroupRegistrationOnOkSwitchesToGroups) {
    OpenNew();
    ChooseHost("PC01");
    m_window.m_fnGroupList = [](CHostTable&, CGroupTable&) { return false; };
    // The group button is only enabled in group display; the model acts on the click anyway.
    User().Click(IDC_WZ_EDIT_GROUPS);
    EXPECT_EQ(m_window.At(IDC_WZ_TARGET).m_strText, "PC01");
    EXPECT_EQ(CountGroups(Wizard().Groups()), 0);
    m_window.m_fnGroupList = [](CHostTable&, CGroupTable& groups) {
        CHostGroup group;
        group.m_strName = "開発部";
        group.m_strMember[0] = "PC03";
        AddGroup(groups, group);
        return true;
    };
    User().Click(IDC_WZ_EDIT_GROUPS);
    EXPECT_TRUE(m_window.At(IDC_WZ_SHOW_GROUPS).m_bChecked);
    EXPECT_EQ(m_window.At(IDC_WZ_TARGET).m_strText, "");
    EXPECT_EQ(m_window.At(IDC_WZ_TARGET_LIST).m_arrItems, std::vector<std::string>{"開発部"});
    EXPECT_EQ(CountGroups(Wizard().Groups()), 1);
}

TEST_F(WizardModesTest, CheckRunsTheAcquisitionCheckOrThePicker) {
    AddSalesGroup();
    OpenNew();  // group display, nothing chosen
    User().Click(IDC_WZ_CHECK);
    EXPECT_TRUE(m_window.m_arrChecked.empty());
    EXPECT_TRUE(m_window.m_arrPickers.empty());
    User().Choose(IDC_WZ_TARGET_LIST, "営業部");
    User().Click(IDC_WZ_CHECK);
    ASSERT_EQ(m_window.m_arrPickers.size(), 1u);
    EXPECT_EQ(m_window.m_arrPickers[0], (std::vector<std::string>{"PC01", "PC02"}));
    ChooseHost("PC03");
    User().Click(IDC_WZ_CHECK);
    EXPECT_EQ(m_window.m_arrChecked, std::vector<std::string>{"PC03"});
}

}  // namespace
}  // namespace wizard_test
