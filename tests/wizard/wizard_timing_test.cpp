// The wizard's arithmetic: collection time and its text, interval candidates and texts, split
// file count, integer edits.
#include <gtest/gtest.h>

#include "common/local_time_util.h"
#include "integer_field.h"
#include "wizard_tables.h"
#include "wizard_texts.h"
#include "wizard_timing.h"

namespace {

using testutil::Local;

TEST(CollectSeconds, DurationChoiceIsTheListValue) {
    SWizardValues v;
    v.m_nEndChoice = kEndByDuration;
    for (std::size_t i = 0; i < kDurationChoices.size(); ++i) {
        v.m_nDurationIndex = static_cast<int>(i);
        EXPECT_EQ(CollectSeconds(v, Local(2026, 12, 7, 10, 0)), kDurationChoices[i].m_nSeconds);
    }
}

TEST(CollectSeconds, EndTimeCountsFromTheStartOrFromNow) {
    struct SCase {
        int nStartKind, nStartHour, nStartMinute, nEndDay, nEndHour, nEndMinute;
        std::int64_t nExpected;
    };
    const SCase cases[] = {
        {kStartTimer, 22, 0, 1, 9, 30, 11 * 3600 + 1800},
        {kStartTimer, 9, 0, 0, 9, 0, 0},         // end equal to start: nothing to collect
        {kStartTimer, 9, 0, 0, 8, 0, -3600},     // end before start
        {kStartTimer, 9, 0, 13, 9, 0, 13 * 86400},
        {kStartNow, 0, 0, 0, 10, 30, 29 * 60 + 30},  // from now (10:00:30)
        {kStartNow, 0, 0, 0, 10, 0, -30},
    };
    for (const SCase& c : cases) {
        SWizardValues v;
        v.m_nEndChoice = kEndByTime;
        v.m_nStartKind = c.nStartKind;
        v.m_nStartHour = c.nStartHour;
        v.m_nStartMinute = c.nStartMinute;
        v.m_nEndDayIndex = c.nEndDay;
        v.m_nEndHour = c.nEndHour;
        v.m_nEndMinute = c.nEndMinute;
        EXPECT_EQ(CollectSeconds(v, Local(2026, 12, 7, 10, 0, 30)), c.nExpected)
            << c.nStartHour << ":" << c.nStartMinute << " +" << c.nEndDay;
    }
}

TEST(CollectSeconds, SpringChangeNightIsAnHourShorterInNewYork) {
    SWizardValues v;
    v.m_nEndChoice = kEndByTime;
    v.m_nStartKind = kStartTimer;
    v.m_nStartHour = 22;
    v.m_nEndDayIndex = 1;
    v.m_nEndHour = 6;
    const std::int64_t n = CollectSeconds(v, Local(2026, 3, 7, 10, 0));
    EXPECT_EQ(n, (testutil::Zone() == testutil::kNewYork ? 7 : 8) * 3600);
}

TEST(CollectTimeText, JoinsTheNonZeroParts) {
    const std::pair<std::int64_t, const char*> cases[] = {
        {0, ""},         {59, ""},           {60, "1分"},          {3600, "1時間"},
        {3660, "1時間1分"}, {86400, "1日"}, {90061, "1日1時間1分"}, {86460, "1日1分"},
        {-3600, ""},
    };
    for (const auto& [n, psz] : cases) EXPECT_EQ(CollectTimeText(n), psz) << n;
}

TEST(IntervalCandidates, FollowTheCollectionTime) {
    using V = std::vector<std::int32_t>;
    const std::pair<std::int64_t, V> cases[] = {
        {60, V{1000, 2000, 3000, 4000, 5000, 10000, 15000, 30000}},  // "1 分": all below 60000
        {59 * 60, V{1000, 2000, 3000, 4000, 5000, 10000, 15000, 30000, 60000, 180000, 300000}},
        {2 * 3600, V{2000, 3000, 4000, 5000, 10000, 15000, 30000, 60000, 180000, 300000}},
        {72 * 3600, V{60000, 180000, 300000}},
        {73 * 3600, V{180000, 300000}},
        {168 * 3600, V{180000, 300000}},
        {169 * 3600, V{300000}},
        {400 * 3600, V{300000}},
        {30, V{1000}},  // below a minute: the shortest stays
        {4 * 60, V{1000, 2000, 3000, 4000, 5000, 10000, 15000, 30000, 60000, 180000}},
    };
    for (const auto& [n, expected] : cases) EXPECT_EQ(IntervalCandidatesFor(n), expected) << n;
}

TEST(IntervalText, SecondsBelowAMinuteElseMinutes) {
    EXPECT_EQ(IntervalText(1000), "1 秒");
    EXPECT_EQ(IntervalText(30000), "30 秒");
    EXPECT_EQ(IntervalText(59999), "59 秒");
    EXPECT_EQ(IntervalText(60000), "1 分");
    EXPECT_EQ(IntervalText(300000), "5 分");
    EXPECT_EQ(IntervalText(0), "0 秒");
    for (const SIntervalCandidate& c : kIntervalCandidates)
        EXPECT_EQ(ParseIntervalText(IntervalText(c.m_nMilliseconds)), c.m_nMilliseconds);
}

TEST(SplitFileCount, RoundsUpPerUnit) {
    EXPECT_EQ(SplitFileCountText(3600, 1800000), "2個");
    EXPECT_EQ(SplitFileCountText(3600, 7200000), "1個");
    EXPECT_EQ(SplitFileCountText(3600, 0), "1個");
    EXPECT_EQ(SplitFileCountText(3601, 1800000), "3個");
    EXPECT_EQ(SplitFileCountText(13 * 86400 + 3600, 1800000), "626個");
}

TEST(IntegerEdits, ParseLikeTheDialogsDataExchange) {
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"0", 0},       {"42", 42},     {" 7 ", 7},         {"-5", -5},
        {"+3", 3},      {"", std::nullopt}, {" ", std::nullopt}, {"1a", std::nullopt},
        {"１２", std::nullopt}, {"2147483647", 2147483647}, {"2147483648", std::nullopt},
        {"-2147483648", -2147483647 - 1}, {"99999999999999999999", std::nullopt},
        {"- 3", std::nullopt}, {"3.5", std::nullopt},
    };
    for (const auto& [psz, expected] : cases) EXPECT_EQ(ParseIntegerText(psz), expected) << psz;
}

TEST(IntegerEdits, RefusalTexts) {
    int n = -1;
    EXPECT_EQ(CheckIntegerText("abc", 0, 23, n), "整数を入力してください。");
    EXPECT_EQ(CheckIntegerText("24", 0, 23, n), "0 から 23 までの整数を入力してください。");
    EXPECT_EQ(CheckIntegerText("-1", 0, 100, n), "0 から 100 までの整数を入力してください。");
    EXPECT_EQ(n, -1);
    EXPECT_EQ(CheckIntegerText("23", 0, 23, n), "");
    EXPECT_EQ(n, 23);
    EXPECT_EQ(CheckIntegerText("-7", std::nullopt, std::nullopt, n), "");
    EXPECT_EQ(n, -7);
}

TEST(WizardTables, ChoiceListsAndLabels) {
    EXPECT_EQ(EndDayLabel(0), "開始日");
    EXPECT_EQ(EndDayLabel(1), "開始1日後");
    EXPECT_EQ(EndDayLabel(13), "開始13日後");
    EXPECT_EQ(kDurationChoices[kDefaultDurationIndex].m_nSeconds, 3600);
    EXPECT_EQ(wizard_text::PageErrorCaption(kPageThresholds), "エラーが発生しました Page.3");
}

}  // namespace
