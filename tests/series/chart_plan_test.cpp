// The chart plan: value ranges, local-time ticks and labels, the reduced line, texts.
#include "series/chart_plan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <set>

#include "platform/local_time.h"
#include "series/chart_axes.h"
#include "series/chart_lines.h"

namespace {

using namespace series;

// Local time in the test's zone (Europe/Berlin).
platform::Time Local(int nYear, int nMonth, int nDay, int nHour, int nMinute, int nSecond = 0) {
    return platform::MakeLocalTime(nYear, nMonth, nDay, nHour, nMinute, nSecond);
}

// Seven pixels a character, sixteen a line: the same measure in every test.
CTextMetrics Metrics() {
    return {[](std::string_view s) { return static_cast<int>(s.size()) * 7; }, 16};
}

CChartRequest Request(int nChoice, int nWidth = 800, int nHeight = 480, bool bDate = false) {
    CChartRequest request;
    request.m_nWidth = nWidth;
    request.m_nHeight = nHeight;
    request.m_bShowDate = bDate;
    request.m_strHost = "PC01";
    request.m_pChoice = CounterChoice(nChoice);
    return request;
}

TEST(ChartAxes, NiceSteps) {
    const std::pair<double, double> cases[] = {
        {0.3, 0.5}, {1, 1}, {1.01, 2}, {3, 5}, {7, 10}, {20, 20}, {21, 50}, {120, 200},
        {0.07, 0.1}, {0, 1},
    };
    for (const auto& [dRough, dStep] : cases) EXPECT_DOUBLE_EQ(NiceStep(dRough), dStep) << dRough;
}

TEST(ChartAxes, ValueRanges) {
    struct Case {
        const char* szWhat;
        double dMin, dMax;
        bool bValues;
        EUnit eUnit;
        int nMaxTicks;
        double dLow, dHigh, dStep;
        int nDecimals;
    };
    const Case cases[] = {
        {"percent", 3, 85, true, EUnit::kPercent, 5, 0, 100, 20, 0},
        {"percent, many ticks fit", 3, 85, true, EUnit::kPercent, 10, 0, 100, 10, 0},
        {"percent of several disks", 20, 250, true, EUnit::kPercent, 5, 0, 250, 50, 0},
        {"percent of several disks, few ticks", 20, 250, true, EUnit::kPercent, 2, 0, 400, 200, 0},
        {"memory wandering", 1203, 1788, true, EUnit::kMegabytes, 6, 1200, 1800, 100, 0},
        {"flat memory gets room", 900, 900, true, EUnit::kMegabytes, 5, 800, 1000, 200, 0},
        {"flat zero", 0, 0, true, EUnit::kBytesPerSecond, 5, 0, 1, 1, 0},
        {"no values", 0, 0, false, EUnit::kKilobytes, 5, 0, 1, 1, 0},
        {"small rates", 0.2, 1.7, true, EUnit::kBytesPerSecond, 4, 0, 2, 0.5, 1},
        {"bytes", 12, 123'456, true, EUnit::kBytesPerSecond, 5, 0, 150'000, 50'000, 0},
    };
    for (const Case& c : cases) {
        const CValueAxis axis = ChooseValueAxis(c.dMin, c.dMax, c.bValues, c.eUnit, c.nMaxTicks);
        EXPECT_DOUBLE_EQ(axis.m_dLow, c.dLow) << c.szWhat;
        EXPECT_DOUBLE_EQ(axis.m_dHigh, c.dHigh) << c.szWhat;
        EXPECT_DOUBLE_EQ(axis.m_dStep, c.dStep) << c.szWhat;
        EXPECT_EQ(axis.m_nDecimals, c.nDecimals) << c.szWhat;
        EXPECT_LE((axis.m_dHigh - axis.m_dLow) / axis.m_dStep, c.nMaxTicks + 1e-9) << c.szWhat;
        if (c.bValues) {
            EXPECT_LE(axis.m_dLow, c.dMin) << c.szWhat;
            EXPECT_GE(axis.m_dHigh, c.dMax) << c.szWhat;
        }
    }
}

TEST(ChartAxes, TimeStepsFitTheTicks) {
    struct Case {
        platform::Time tsSpan;
        int nMaxTicks;
        platform::Time tsStep;
    };
    const Case cases[] = {
        {60, 7, 10},        {3600, 7, 600},      {3600, 13, 300},  {86400, 9, 3 * 3600},
        {7 * 86400, 8, 86400}, {7 * 86400, 3, 7 * 86400}, {90, 100, 1},
    };
    for (const Case& c : cases) {
        const CTimeStep step = ChooseTimeStep(c.tsSpan, c.nMaxTicks);
        EXPECT_EQ(step.Seconds(), c.tsStep) << c.tsSpan << " in " << c.nMaxTicks;
        EXPECT_LE(c.tsSpan / step.Seconds() + 1, c.nMaxTicks);
    }
    // Years of data still give a step that fits.
    const CTimeStep years = ChooseTimeStep(3 * 365 * 86400LL, 5);
    EXPECT_LE(3 * 365 * 86400LL / years.Seconds() + 1, 5);
}

TEST(ChartAxes, TicksFallOnWholeLocalTimes) {
    // 14:07:30 to 15:03:10 local, ten-minute steps.
    const std::vector<platform::Time> ticks =
        TimeTicks(Local(2024, 8, 19, 14, 7, 30), Local(2024, 8, 19, 15, 3, 10),
                  {CTimeStep::kMinute, 10});
    std::vector<std::string> labels;
    for (const platform::Time t : ticks) labels.push_back(TimeLabel(t, false));
    EXPECT_EQ(labels, (std::vector<std::string>{"14:10", "14:20", "14:30", "14:40", "14:50",
                                                "15:00"}));
    EXPECT_EQ(TimeLabel(Local(2024, 8, 19, 9, 5, 7), true), "09:05:07");
    EXPECT_EQ(DateLabel(Local(2024, 8, 19, 23, 59)), "2024/08/19");

    // Days start at local midnight.
    const std::vector<platform::Time> days =
        TimeTicks(Local(2024, 8, 19, 14, 0), Local(2024, 8, 22, 1, 0), {CTimeStep::kDay, 1});
    ASSERT_EQ(days.size(), 3u);
    EXPECT_EQ(days[0], Local(2024, 8, 20, 0, 0));
    EXPECT_EQ(days[2], Local(2024, 8, 22, 0, 0));
}

TEST(ChartAxes, TicksAcrossDaylightSavingChangesStayInOrderOnEvenHours) {
    for (const int nDay : {30, 26}) {  // the spring night of 2024-03-31, the autumn one of 10-27
        const int nMonth = nDay == 30 ? 3 : 10;
        const std::vector<platform::Time> ticks =
            TimeTicks(Local(2024, nMonth, nDay, 12, 0), Local(2024, nMonth, nDay + 2, 12, 0),
                      {CTimeStep::kHour, 2});
        ASSERT_GE(ticks.size(), 20u);
        for (std::size_t i = 1; i < ticks.size(); ++i) {
            EXPECT_GT(ticks[i], ticks[i - 1]);
            platform::LocalFields f;
            platform::SplitLocalTime(ticks[i], f);
            EXPECT_EQ(f.nMinute, 0);
            EXPECT_EQ(f.nHour % 2, 0) << TimeLabel(ticks[i], false);
            EXPECT_LE(ticks[i] - ticks[i - 1], 3 * 3600);
        }
    }
}

// The points of a plan's line, all pieces together.
std::vector<CChartPoint> AllPoints(const CChartPlan& plan) {
    std::vector<CChartPoint> vec;
    for (const auto& piece : plan.m_vecLines) vec.insert(vec.end(), piece.begin(), piece.end());
    return vec;
}

TEST(ChartPlan, AWeekOfSecondsIsAtMostTwoPointsAColumnAndKeepsItsExtremes) {
    CSeries series;
    const platform::Time tStart = Local(2024, 8, 19, 0, 0);
    const platform::Time nWeek = 7 * 86400;
    for (platform::Time i = 0; i < nWeek; ++i) {
        // A slow wave with one sharp spike and one sharp dip.
        double dValue = 40 + 20 * std::sin(static_cast<double>(i) / 5000.0);
        if (i == 300'000) dValue = 100;
        if (i == 400'000) dValue = 0;
        series.AddValue(tStart + i, dValue);
    }
    const CChartPlan plan = MakeChartPlan(series, Request(0), Metrics());
    const std::vector<CChartPoint> points = AllPoints(plan);
    ASSERT_EQ(plan.m_vecLines.size(), 1u);
    EXPECT_LE(points.size(), 2u * static_cast<std::size_t>(plan.m_plot.Width()));
    std::map<int, int> perColumn;
    for (const CChartPoint& p : points) ++perColumn[p.m_nX];
    for (const auto& [nX, nCount] : perColumn) EXPECT_LE(nCount, 2) << nX;
    EXPECT_EQ(perColumn.size(), static_cast<std::size_t>(plan.m_plot.Width()));
    // The spike reaches the top row and the dip the bottom row.
    const auto [itTop, itBottom] = std::minmax_element(
        points.begin(), points.end(),
        [](const CChartPoint& a, const CChartPoint& b) { return a.m_nY < b.m_nY; });
    EXPECT_EQ(itTop->m_nY, plan.m_plot.m_nTop);
    EXPECT_EQ(itBottom->m_nY, plan.m_plot.m_nBottom);
    EXPECT_EQ(points.front().m_nX, plan.m_plot.m_nLeft);
    EXPECT_EQ(points.back().m_nX, plan.m_plot.m_nRight);
    EXPECT_EQ(plan.m_strMaximum, "100.0%");
    EXPECT_EQ(plan.m_strMinimum, "0.0%");
}

TEST(ChartPlan, GapsAndHolesBreakTheLine) {
    CSeries series;
    const platform::Time t = Local(2024, 8, 19, 10, 0);
    for (int i = 0; i < 10; ++i) series.AddValue(t + i, 50);
    series.AddGap(t + 10);
    series.AddValue(t + 11, 20);  // alone between a gap and a hole
    for (int i = 100; i < 110; ++i) series.AddValue(t + i, 70);  // after 89 s without samples
    const CChartPlan plan = MakeChartPlan(series, Request(0), Metrics());
    ASSERT_EQ(plan.m_vecLines.size(), 3u);
    EXPECT_GE(plan.m_vecLines[0].size(), 2u);
    EXPECT_EQ(plan.m_vecLines[1].size(), 1u);
    EXPECT_GE(plan.m_vecLines[2].size(), 2u);
    // The points sit where their times and values put them.
    const CChartRect& plot = plan.m_plot;
    const int nMiddle = static_cast<int>(std::lround((plot.Height() - 1) / 2.0));
    EXPECT_EQ(plan.m_vecLines[0].front(), (CChartPoint{plot.m_nLeft, plot.m_nBottom - nMiddle}));
    EXPECT_EQ(plan.m_vecLines[2].back().m_nX, plot.m_nRight);
}

TEST(ChartPlan, FlatAndSquareLoadsDrawAsThemselves) {
    CSeries flat;
    CSeries square;
    const platform::Time t = Local(2024, 8, 19, 10, 0);
    for (int i = 0; i < 600; ++i) {
        flat.AddValue(t + i, 30);
        square.AddValue(t + i, (i / 60) % 2 == 0 ? 10 : 85);
    }
    std::set<int> flatRows;
    for (const CChartPoint& p : AllPoints(MakeChartPlan(flat, Request(0), Metrics()))) {
        flatRows.insert(p.m_nY);
    }
    EXPECT_EQ(flatRows.size(), 1u);
    std::map<int, int> squareRows;
    for (const CChartPoint& p : AllPoints(MakeChartPlan(square, Request(0), Metrics()))) {
        ++squareRows[p.m_nY];
    }
    EXPECT_EQ(squareRows.size(), 2u);
}

TEST(ChartPlan, TitleUnitLabelsAndStatistics) {
    CSeries series;
    const platform::Time t = Local(2024, 8, 19, 14, 0);
    for (int i = 0; i <= 3600; i += 5) series.AddValue(t + i, 1000 + i / 10);
    const CChartPlan plan = MakeChartPlan(series, Request(3, 640, 400, true), Metrics());
    EXPECT_EQ(plan.m_strTitle, "PC01  Memory-Available Memory [MB]");
    EXPECT_EQ(plan.m_strUnit, "MB");
    EXPECT_EQ(plan.m_strMinimum, "1,000 MB");
    EXPECT_EQ(plan.m_strMaximum, "1,360 MB");
    EXPECT_EQ(plan.m_strAverage, "1,180 MB");
    EXPECT_EQ(plan.m_strStatistics, "最小 1,000 MB  平均 1,180 MB  最大 1,360 MB");
    ASSERT_FALSE(plan.m_vecTimeTicks.empty());
    EXPECT_EQ(plan.m_vecTimeTicks.front().m_strLabel, "14:00");
    EXPECT_EQ(plan.m_vecTimeTicks.front().m_strDate, "2024/08/19");
    EXPECT_EQ(plan.m_vecTimeTicks.front().m_nPosition, plan.m_plot.m_nLeft);
    EXPECT_EQ(plan.m_vecTimeTicks.back().m_strLabel, "15:00");
    EXPECT_EQ(plan.m_vecTimeTicks.back().m_nPosition, plan.m_plot.m_nRight);
    ASSERT_FALSE(plan.m_vecValueTicks.empty());
    EXPECT_EQ(plan.m_vecValueTicks.front().m_nPosition, plan.m_plot.m_nBottom);
    EXPECT_EQ(plan.m_vecValueTicks.back().m_nPosition, plan.m_plot.m_nTop);
    EXPECT_LE(plan.m_dLow, 1000);
    EXPECT_GE(plan.m_dHigh, 1360);
    // Everything lies inside the picture, labels included: the date under the first tick too.
    EXPECT_GE(plan.m_plot.m_nLeft - 7 * 10 / 2, 0);
    EXPECT_GT(plan.m_plot.m_nLeft, 7 * static_cast<int>(plan.m_vecValueTicks.back().m_strLabel.size()));
    EXPECT_LT(plan.m_plot.m_nRight + 7 * 10 / 2, plan.m_nWidth);
    EXPECT_LT(plan.m_plot.m_nBottom + 2 * 16, plan.m_nHeight);

    // Without the date flag, no date line; seconds when the ticks are seconds apart.
    CSeries minute;
    for (int i = 0; i < 60; ++i) minute.AddValue(t + i, 5);
    const CChartPlan short_ = MakeChartPlan(minute, Request(0), Metrics());
    ASSERT_FALSE(short_.m_vecTimeTicks.empty());
    EXPECT_EQ(short_.m_vecTimeTicks.front().m_strLabel, "14:00:00");
    EXPECT_TRUE(short_.m_vecTimeTicks.front().m_strDate.empty());
}

TEST(ChartPlan, EmptyAndTinyRequestsStillGiveAPlan) {
    const CChartPlan empty = MakeChartPlan(CSeries(), Request(7, 10, 10), Metrics());
    EXPECT_EQ(empty.m_nWidth, 160);
    EXPECT_EQ(empty.m_nHeight, 120);
    EXPECT_TRUE(empty.m_vecLines.empty());
    EXPECT_EQ(empty.m_strAverage, "-");
    EXPECT_LT(empty.m_plot.m_nLeft, empty.m_plot.m_nRight);
    EXPECT_LT(empty.m_plot.m_nTop, empty.m_plot.m_nBottom);

    CSeries one;
    one.AddValue(Local(2024, 8, 19, 10, 0), 512);
    const CChartPlan lone = MakeChartPlan(one, Request(4), Metrics());
    ASSERT_EQ(lone.m_vecLines.size(), 1u);
    ASSERT_EQ(lone.m_vecLines[0].size(), 1u);
    EXPECT_EQ(lone.m_vecLines[0][0].m_nX,
              lone.m_plot.m_nLeft + (lone.m_plot.Width() - 1) / 2);
}

TEST(ChartTexts, Numbers) {
    const struct {
        double dValue;
        int nDecimals;
        const char* szText;
    } cases[] = {
        {0, 0, "0"},         {999, 0, "999"},           {1000, 0, "1,000"},
        {1234567.26, 1, "1,234,567.3"}, {-1234, 0, "-1,234"}, {-0.01, 1, "0.0"},
        {0.5, 2, "0.50"},    {NAN, 1, "-"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatNumber(c.dValue, c.nDecimals), c.szText);
    EXPECT_EQ(FormatStatistic(47.54, EUnit::kPercent), "47.5%");
    EXPECT_EQ(FormatStatistic(1234.4, EUnit::kMegabytes), "1,234 MB");
    EXPECT_EQ(FormatStatistic(12.26, EUnit::kKilobytes), "12.3 KB");
    EXPECT_EQ(FormatStatistic(250'000, EUnit::kBytesPerSecond), "250,000 B/s");
}

}  // namespace
