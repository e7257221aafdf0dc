// The wizard's pages: what each shows, next and back with their skips, and every refusal.
#include <gtest/gtest.h>

#include "wizard_fixture.h"
#include "wizard_texts.h"

namespace wizard_test {
namespace {

using testutil::Local;

class WizardNavigationTest : public WizardTest {
public:
    // Presses "次 >>" until the page is reached; fails when the wizard stops short.
    void NextTo(int nPage) {
        for (int i = 0; i < kWizardPages && Page() < nPage; ++i) User().Next();
        ASSERT_EQ(Page(), nPage) << LastBox();
    }
};

TEST_F(WizardNavigationTest, ANewBookingThroughAllPages) {
    OpenNew();
    EXPECT_EQ(m_window.m_strCaption, "新規予約");
    EXPECT_EQ(Page(), kPageTarget);
    EXPECT_EQ(m_window.At(IDC_WZ_TITLE).m_strText, "Page1. ホスト・グループの選択");
    EXPECT_EQ(m_window.At(IDC_WZ_DETAIL).m_strText, "稼動データを収集する対象を選択してください。");
    EXPECT_FALSE(Visible(IDC_WZ_BACK));
    EXPECT_TRUE(Visible(IDC_WZ_NEXT));
    EXPECT_FALSE(Visible(1));
    EXPECT_EQ(m_window.At(IDC_WZ_TARGET_LIST).m_arrItems,
              (std::vector<std::string>{"PC01", "PC02", "PC03"}));

    ChooseHost("PC01");
    EXPECT_EQ(m_window.At(IDC_WZ_TARGET).m_strText, "PC01");
    User().Next();
    EXPECT_EQ(m_window.m_arrTested, std::vector<std::string>{"PC01"});
    EXPECT_EQ(Page(), kPageTrigger);
    User().Next();  // normal trigger: page 3 is passed over
    EXPECT_EQ(Page(), kPageStart);
    User().Next();  // start now: page 5 is passed over
    EXPECT_EQ(Page(), kPageEnd);
    User().Choose(IDC_WZ_DURATION, "1 分");
    User().Next();
    EXPECT_EQ(Page(), kPageInterval);
    EXPECT_EQ(m_window.At(IDC_WZ_COLLECT_TIME).m_strText, "1分");
    EXPECT_EQ(m_window.At(IDC_WZ_INTERVAL).m_arrItems,
              (std::vector<std::string>{"1 秒", "2 秒", "3 秒", "4 秒", "5 秒", "10 秒", "15 秒",
                                        "30 秒"}));
    EXPECT_EQ(m_window.SelectedText(IDC_WZ_INTERVAL), "1 秒");
    User().Next();  // one minute: page 8 is passed over
    EXPECT_EQ(Page(), kPageComment);
    User().Type(IDC_WZ_COMMENT, "動作確認");
    User().Next();
    ASSERT_EQ(Page(), kPageSummary);
    EXPECT_TRUE(Visible(1));
    EXPECT_TRUE(Visible(IDC_WZ_BACK));
    EXPECT_FALSE(Visible(IDC_WZ_NEXT));
    EXPECT_EQ(m_window.m_arrFocus.back(), 1);
    EXPECT_EQ(m_window.At(IDC_WZ_SUMMARY).m_strText,
              "\r\n■ 対象ホスト:\tPC01\r\n\r\n■ しきい値トリガー:\t未使用\r\n\r\n"
              "■ 予約方法:\t今すぐ開始\r\n\r\n\t\t現在から 1 分間\r\n\r\n"
              "■ 取得間隔:\t1 秒 間隔\r\n\r\n■ 分割単位:\t設定なし\r\n\r\n"
              "■ コメント:\t動作確認\r\n");
    EXPECT_TRUE(m_boxes.m_arrShown.empty()) << LastBox();

    Wizard().OnOk();
    EXPECT_EQ(m_window.m_nEnded, 1);
    const CSchedule& s = Wizard().Schedule();
    EXPECT_EQ(s.m_strTarget, "PC01");
    EXPECT_EQ(s.m_nTargetType, kTargetHost);
    EXPECT_EQ(s.m_nRepeat, kRepeatAtOnce);
    EXPECT_EQ(s.m_tsDuration, 60);
    EXPECT_EQ(s.m_nInterval, 1000);
    EXPECT_EQ(s.m_strComment, "動作確認");
}

TEST_F(WizardNavigationTest, EveryPageShowsItsControlsOnly) {
    OpenNew();
    ChooseHost("PC01");
    User().Radio(IDC_WZ_TRIGGER_THRESHOLD);
    User().Next();
    User().Next();
    ASSERT_EQ(Page(), kPageThresholds);
    User().Tick(IDC_WZ_USE_CPU, true);
    User().Next();
    User().Radio(IDC_WZ_START_TIMER);
    User().Next();
    ASSERT_EQ(Page(), kPageTimer);
    User().Choose(IDC_WZ_DURATION, 8);  // "2 時": page 8 is shown
    for (int nPage = kPageTimer; nPage <= kPageSummary; ++nPage) {
        ASSERT_EQ(Page(), nPage) << LastBox();
        const SWizardPage& page = WizardPages()[static_cast<std::size_t>(nPage)];
        for (int nId : AllPageControls()) {
            const bool bOnPage = std::find(page.m_controls.begin(), page.m_controls.end(), nId) !=
                                 page.m_controls.end();
            const auto unit = UnitGroupControls(kUnitDay);
            const bool bUnit = nPage == kPageTimer &&
                               std::find(unit.begin(), unit.end(), nId) != unit.end();
            EXPECT_EQ(Visible(nId), bOnPage || bUnit) << "page " << nPage + 1 << " control " << nId;
        }
        EXPECT_EQ(m_window.At(IDC_WZ_TITLE).m_strText, page.m_pszTitle);
        User().Next();
    }
}

TEST_F(WizardNavigationTest, SkipsForwardAndBack) {
    OpenNew();
    ChooseHost("PC02");
    NextTo(kPageTrigger);
    // Threshold trigger: page 3 both ways.
    User().Radio(IDC_WZ_TRIGGER_THRESHOLD);
    User().Next();
    EXPECT_EQ(Page(), kPageThresholds);
    User().Tick(IDC_WZ_USE_DISK, true);
    User().Next();
    EXPECT_EQ(Page(), kPageStart);
    User().Back();
    EXPECT_EQ(Page(), kPageThresholds);
    User().Back();
    User().Radio(IDC_WZ_TRIGGER_NORMAL);
    User().Next();
    EXPECT_EQ(Page(), kPageStart);
    User().Back();
    EXPECT_EQ(Page(), kPageTrigger);
    NextTo(kPageStart);
    // Timer: page 5 both ways; now: passed over both ways.
    User().Radio(IDC_WZ_START_TIMER);
    User().Next();
    EXPECT_EQ(Page(), kPageTimer);
    User().Next();
    EXPECT_EQ(Page(), kPageEnd);
    User().Back();
    EXPECT_EQ(Page(), kPageTimer);
    User().Back();
    User().Radio(IDC_WZ_START_NOW);
    User().Next();
    EXPECT_EQ(Page(), kPageEnd);
    User().Back();
    EXPECT_EQ(Page(), kPageStart);
    NextTo(kPageEnd);
    // 59 minutes: page 8 passed over both ways; 60 minutes: shown.
    User().Radio(IDC_WZ_END_BY_TIME);
    User().Choose(IDC_WZ_END_DAY, 0);
    User().Type(IDC_WZ_END_HOUR, "10");
    User().Type(IDC_WZ_END_MINUTE, "59");
    User().Next();
    ASSERT_EQ(Page(), kPageInterval);
    EXPECT_EQ(m_window.At(IDC_WZ_COLLECT_TIME).m_strText, "59分");
    User().Next();
    EXPECT_EQ(Page(), kPageComment);
    User().Back();
    EXPECT_EQ(Page(), kPageInterval);
    User().Back();
    User().Type(IDC_WZ_END_HOUR, "11");
    User().Type(IDC_WZ_END_MINUTE, "00");
    User().Next();
    User().Next();
    EXPECT_EQ(Page(), kPageSplit);
    User().Next();
    User().Back();
    EXPECT_EQ(Page(), kPageSplit);
}

TEST_F(WizardNavigationTest, PageRefusals) {
    struct SCase {
        const char* pszName;
        std::function<void(WizardNavigationTest&)> fnSetUp;  // ends on the page to leave
        bool bBack;
        int nPage;  // where the wizard stays
        const char* pszBox;
    };
    const auto weeklyWithoutWeekday = [](WizardNavigationTest& t) {
        t.ChooseHost("PC01");
        t.User().Radio(IDC_WZ_START_TIMER);
        t.NextTo(kPageTimer);
        t.User().Choose(IDC_WZ_UNIT, kUnitWeek);
    };
    const SCase cases[] = {
        {"no host", [](WizardNavigationTest&) {}, false, kPageTarget,
         "エラーが発生しました Page.1|対象ホストを選択して下さい"},
        {"no group",
         [](WizardNavigationTest& t) { t.User().Radio(IDC_WZ_SHOW_GROUPS); }, false, kPageTarget,
         "エラーが発生しました Page.1|対象グループを選択して下さい"},
        {"threshold without a condition",
         [](WizardNavigationTest& t) {
             t.ChooseHost("PC01");
             t.User().Radio(IDC_WZ_TRIGGER_THRESHOLD);
             t.NextTo(kPageThresholds);
         },
         false, kPageThresholds, "エラーが発生しました Page.3|しきい値の条件を入力して下さい"},
        {"weekly without a weekday, forward",
         weeklyWithoutWeekday,
         false, kPageTimer, "エラーが発生しました Page.5|対象となる曜日を選択して下さい"},
        {"weekly without a weekday, back",
         weeklyWithoutWeekday,
         true, kPageTimer, "エラーが発生しました Page.5|対象となる曜日を選択して下さい"},
        {"no collection time",
         [](WizardNavigationTest& t) {
             t.ChooseHost("PC01");
             t.User().Radio(IDC_WZ_START_TIMER);
             t.NextTo(kPageTimer);
             t.User().Type(IDC_WZ_START_HOUR, "12");
             t.User().Type(IDC_WZ_START_MINUTE, "0");
             t.NextTo(kPageEnd);
             t.User().Radio(IDC_WZ_END_BY_TIME);
             t.User().Type(IDC_WZ_END_HOUR, "12");
             t.User().Type(IDC_WZ_END_MINUTE, "0");
         },
         false, kPageEnd, "エラーが発生しました Page.6|取得期間が不正になっています"},
        {"start hour out of range",
         [](WizardNavigationTest& t) {
             t.ChooseHost("PC01");
             t.User().Radio(IDC_WZ_START_TIMER);
             t.NextTo(kPageTimer);
             t.User().Type(IDC_WZ_START_HOUR, "24");
         },
         false, kPageTimer, "Gather|0 から 23 までの整数を入力してください。"},
        {"CPU not a number, going back",
         [](WizardNavigationTest& t) {
             t.ChooseHost("PC01");
             t.User().Radio(IDC_WZ_TRIGGER_THRESHOLD);
             t.NextTo(kPageThresholds);
             t.User().Tick(IDC_WZ_USE_CPU, true);
             t.User().Type(IDC_WZ_CPU, "abc");
         },
         true, kPageThresholds, "Gather|整数を入力してください。"},
        {"a bad day of month on a hidden page",
         [](WizardNavigationTest& t) {
             t.ChooseHost("PC01");
             t.NextTo(kPageTrigger);
             t.User().Type(IDC_WZ_MONTH_DAY, "32");
         },
         false, kPageTrigger, "Gather|1 から 31 までの整数を入力してください。"},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.pszName);
        OpenNew();
        c.fnSetUp(*this);
        m_boxes.m_arrShown.clear();
        if (c.bBack) User().Back(); else User().Next();
        EXPECT_EQ(Page(), c.nPage);
        EXPECT_EQ(LastBox(), c.pszBox);
        ASSERT_EQ(m_boxes.m_arrShown.size(), 1u);
        EXPECT_EQ(m_boxes.Last().m_eIcon, EMessageIcon::kWarning);
    }
}

TEST_F(WizardNavigationTest, ARangeRefusalPutsTheFocusOnTheEdit) {
    OpenNew();
    ChooseHost("PC01");
    User().Type(IDC_WZ_END_MINUTE, "60");
    User().Next();
    EXPECT_EQ(Page(), kPageTarget);
    EXPECT_EQ(m_window.m_arrFocus.back(), IDC_WZ_END_MINUTE);
    EXPECT_TRUE(m_window.m_arrTested.empty());  // refused before the connection test
    User().Type(IDC_WZ_END_MINUTE, "59");
    User().Next();
    EXPECT_EQ(Page(), kPageTrigger);
}

TEST_F(WizardNavigationTest, AHostThatDoesNotAnswerKeepsPageOne) {
    m_window.m_setUnreachable = {"PC01"};
    OpenNew();
    ChooseHost("PC01");
    User().Next();
    EXPECT_EQ(Page(), kPageTarget);
    EXPECT_TRUE(m_boxes.m_arrShown.empty());  // the test showed its own message
    ChooseHost("PC02");
    User().Next();
    EXPECT_EQ(Page(), kPageTrigger);
}

TEST_F(WizardNavigationTest, AGroupTestsEveryMemberEvenAfterAFailure) {
    AddSalesGroup();
    m_window.m_setUnreachable = {"PC01"};
    OpenNew();
    User().Choose(IDC_WZ_TARGET_LIST, "営業部");
    User().Next();
    EXPECT_EQ(m_window.m_arrTested, (std::vector<std::string>{"PC01", "PC02"}));
    EXPECT_EQ(Page(), kPageTarget);
    m_window.m_setUnreachable.clear();
    User().Next();
    EXPECT_EQ(Page(), kPageTrigger);
}

TEST_F(WizardNavigationTest, ThresholdEditsFollowTheirBoxes) {
    OpenNew();
    ChooseHost("PC01");
    User().Radio(IDC_WZ_TRIGGER_THRESHOLD);
    NextTo(kPageThresholds);
    for (int nId : {IDC_WZ_CPU, IDC_WZ_CPU_UNIT, IDC_WZ_MEM, IDC_WZ_MEM_UNIT, IDC_WZ_DISK,
                    IDC_WZ_DISK_UNIT})
        EXPECT_FALSE(m_window.At(nId).m_bEnabled) << nId;
    EXPECT_EQ(m_window.At(IDC_WZ_CPU).m_strText, "80");
    EXPECT_EQ(m_window.At(IDC_WZ_MEM).m_strText, "32");
    EXPECT_EQ(m_window.At(IDC_WZ_DISK).m_strText, "80");
    User().Tick(IDC_WZ_USE_MEM, true);
    EXPECT_TRUE(m_window.At(IDC_WZ_MEM).m_bEnabled);
    EXPECT_TRUE(m_window.At(IDC_WZ_MEM_UNIT).m_bEnabled);
    EXPECT_FALSE(m_window.At(IDC_WZ_CPU).m_bEnabled);
    User().Tick(IDC_WZ_USE_MEM, false);
    EXPECT_FALSE(m_window.At(IDC_WZ_MEM).m_bEnabled);
}

TEST_F(WizardNavigationTest, TheUnitComboShowsItsGroupOnPageFiveOnly) {
    OpenNew();
    ChooseHost("PC01");
    User().Radio(IDC_WZ_START_TIMER);
    NextTo(kPageTimer);
    for (int nUnit : {kUnitWeek, kUnitMonth, kUnitDay}) {
        User().Choose(IDC_WZ_UNIT, nUnit);
        for (int nOther : {kUnitDay, kUnitWeek, kUnitMonth}) {
            for (int nId : UnitGroupControls(nOther))
                EXPECT_EQ(Visible(nId), nOther == nUnit) << nUnit << " " << nId;
        }
    }
    User().Choose(IDC_WZ_UNIT, kUnitWeek);
    User().Tick(IDC_WZ_FRIDAY, true);
    User().Next();
    for (int nId : UnitGroupControls(kUnitWeek)) EXPECT_FALSE(Visible(nId));
}

TEST_F(WizardNavigationTest, TheIntervalChoiceIsKeptWhileOffered) {
    OpenNew();
    ChooseHost("PC01");
    NextTo(kPageEnd);
    User().Choose(IDC_WZ_DURATION, "3 時");
    User().Next();
    EXPECT_EQ(m_window.At(IDC_WZ_INTERVAL).m_arrItems.front(), "3 秒");
    User().Choose(IDC_WZ_INTERVAL, "15 秒");
    User().Back();
    User().Choose(IDC_WZ_DURATION, "10 時");
    User().Next();
    EXPECT_EQ(m_window.At(IDC_WZ_INTERVAL).m_arrItems.front(), "10 秒");
    EXPECT_EQ(m_window.SelectedText(IDC_WZ_INTERVAL), "15 秒");
    User().Back();
    User().Radio(IDC_WZ_END_BY_TIME);  // into tomorrow: 15 秒 is no longer offered
    User().Choose(IDC_WZ_END_DAY, 1);
    User().Next();
    EXPECT_EQ(m_window.At(IDC_WZ_INTERVAL).m_arrItems.front(), "30 秒");
    EXPECT_EQ(m_window.SelectedText(IDC_WZ_INTERVAL), "30 秒");
    User().Back();
    User().Radio(IDC_WZ_END_BY_DURATION);
    User().Choose(IDC_WZ_DURATION, "1 分");
    User().Next();
    EXPECT_EQ(m_window.At(IDC_WZ_INTERVAL).m_arrItems.front(), "1 秒");
    EXPECT_EQ(m_window.SelectedText(IDC_WZ_INTERVAL), "30 秒");
    NextTo(kPageSummary);
    EXPECT_EQ(Wizard().Schedule().m_nInterval, 30000);
}

TEST_F(WizardNavigationTest, AStoredIntervalIsSelectedOrTheFirst) {
    CSchedule schedule = CSchedule::Blank(m_clock.Now());
    schedule.m_strTarget = "PC01";
    schedule.m_nInterval = 30000;
    Open(EWizardMode::kChange, schedule);
    NextTo(kPageInterval);
    EXPECT_EQ(m_window.SelectedText(IDC_WZ_INTERVAL), "30 秒");

    schedule.m_nInterval = 0;
    Open(EWizardMode::kChange, schedule);
    NextTo(kPageInterval);
    EXPECT_EQ(m_window.SelectedText(IDC_WZ_INTERVAL), "1 秒");
}

TEST_F(WizardNavigationTest, SplitFileCount) {
    OpenNew();
    ChooseHost("PC01");
    NextTo(kPageEnd);
    User().Choose(IDC_WZ_DURATION, "1 時");
    NextTo(kPageSplit);
    EXPECT_EQ(m_window.At(IDC_WZ_SPLIT_COUNT).m_strText, "1個");
    EXPECT_EQ(m_window.At(IDC_WZ_COLLECT_TIME).m_strText, "1時間");
    User().Choose(IDC_WZ_SPLIT, "30 分");
    EXPECT_EQ(m_window.At(IDC_WZ_SPLIT_COUNT).m_strText, "2個");
    User().Choose(IDC_WZ_SPLIT, "2 時間");
    EXPECT_EQ(m_window.At(IDC_WZ_SPLIT_COUNT).m_strText, "1個");
    User().Choose(IDC_WZ_SPLIT, "1 時間");
    NextTo(kPageSummary);
    EXPECT_EQ(Wizard().Schedule().m_nSplitUnit, 3600000);
}

TEST_F(WizardNavigationTest, APastSingleStartHidesOkUntilTheStartIsChanged) {
    OpenNew();
    ChooseHost("PC01");
    User().Radio(IDC_WZ_START_TIMER);
    NextTo(kPageTimer);
    User().Type(IDC_WZ_START_HOUR, "9");
    User().Type(IDC_WZ_START_MINUTE, "59");  // one minute ago, "本日"
    NextTo(kPageSummary);
    EXPECT_EQ(LastBox(), "エラー|開始時間が過去のためこのスケジュールは実行されません");
    EXPECT_FALSE(Visible(1));
    EXPECT_EQ(m_window.m_arrFocus.back(), IDC_WZ_BACK);
    EXPECT_NE(m_window.At(IDC_WZ_SUMMARY).m_strText.find("2026/12/07 (月) 09:59 (本日)"),
              std::string::npos);
    Wizard().OnOk();  // Enter: nothing
    EXPECT_EQ(m_window.m_nEnded, -1);

    for (int i = 0; i < 5; ++i) User().Back();
    ASSERT_EQ(Page(), kPageTimer);
    User().Type(IDC_WZ_START_HOUR, "10");
    User().Type(IDC_WZ_START_MINUTE, "5");
    NextTo(kPageSummary);
    EXPECT_TRUE(Visible(1));
    // Five minutes pass while the page stands open: OK refuses and shows the warning.
    m_boxes.m_arrShown.clear();
    m_clock.AdvanceSeconds(300);
    Wizard().OnOk();
    EXPECT_EQ(m_window.m_nEnded, -1);
    EXPECT_EQ(LastBox(), "エラー|開始時間が過去のためこのスケジュールは実行されません");
    EXPECT_FALSE(Visible(1));
}

TEST_F(WizardNavigationTest, EnterBeforeTheLastPageDoesNothing) {
    CSchedule schedule = CSchedule::Blank(m_clock.Now());
    schedule.m_strTarget = "PC01";
    Open(EWizardMode::kChange, schedule);
    for (int i = 0; i < kWizardPages && Page() != kPageSummary; ++i) {
        Wizard().OnOk();
        EXPECT_EQ(m_window.m_nEnded, -1) << Page();
        User().Next();
    }
    ASSERT_EQ(Page(), kPageSummary);
    Wizard().OnOk();
    EXPECT_EQ(m_window.m_nEnded, 1);
}

}  // namespace
}  // namespace wizard_test
