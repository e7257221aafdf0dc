// The summary builder: the booking record and its confirmation text in one pass.
#include "schedule_summary.h"

#include "platform/local_time.h"
#include "schedule_texts.h"
#include "text_format.h"
#include "wizard_tables.h"
#include "wizard_timing.h"

namespace {

// The date format of every date in the text: "2004/05/10 (月) 12:00".
std::string DateText(platform::Time t) {
    return FormatScheduleTime(t, kTimeStyleConflict);
}

// The local date of t plus nDays, at nHour:nMinute (days counted on the calendar, so the time of
// day holds across a daylight saving change). t itself when the platform cannot build it.
platform::Time DayAt(platform::Time t, int nDays, int nHour, int nMinute) {
    platform::LocalFields f;
    if (!platform::SplitLocalTime(t, f)) return t;
    return WallClockTime(f.nYear, f.nMonth, f.nDay + nDays, nHour, nMinute).value_or(t);
}

int DayOfMonth(platform::Time t) {
    platform::LocalFields f;
    platform::SplitLocalTime(t, f);
    return f.nDay;
}

int Weekday(platform::Time t) {
    platform::LocalFields f;
    platform::SplitLocalTime(t, f);
    return f.nWeekday;
}

void SplitClock(platform::Time t, int& nHour, int& nMinute) {
    platform::LocalFields f;
    platform::SplitLocalTime(t, f);
    nHour = f.nHour;
    nMinute = f.nMinute;
}

std::int32_t DurationSeconds(const SWizardValues& values) {
    const int n = values.m_nDurationIndex;
    if (n < 0 || n >= static_cast<int>(kDurationChoices.size()))
        return kDurationChoices[kDefaultDurationIndex].m_nSeconds;
    return kDurationChoices[static_cast<std::size_t>(n)].m_nSeconds;
}

int EndDayOffset(const SWizardValues& values) {
    const int n = values.m_nEndDayIndex;
    return n >= 0 && n < kEndDayChoices ? n : 0;
}

std::int32_t EndTimeSpan(const SWizardValues& values) {
    return EndDayOffset(values) * 86400 + values.m_nEndHour * 3600 + values.m_nEndMinute * 60;
}

// " ～ 10:00 " or " ～ 開始1日後 10:00 ".
std::string EndText(int nOffset, int nHour, int nMinute) {
    if (nOffset == 0) return FormatText(" ～ %02d:%02d ", nHour, nMinute);
    return FormatText(" ～ %s %02d:%02d ", EndDayLabel(nOffset).c_str(), nHour, nMinute);
}

std::string HoursMinutesText(std::int64_t nSeconds) {
    return FormatText("(%d 時間 %02d 分)", static_cast<int>(nSeconds / 3600),
                      static_cast<int>(nSeconds % 3600 / 60));
}

void AppendTarget(const SWizardValues& values, const CGroupTable& groups, CSchedule& schedule,
                  std::string& strText) {
    schedule.m_strTarget = values.m_strTarget;
    const char* pszTarget = values.m_strTarget.c_str();
    if (!values.m_bGroupDisplay) {
        schedule.m_nTargetType = kTargetHost;
        strText += FormatText("\r\n■ 対象ホスト:\t%s\r\n\r\n", pszTarget);
        return;
    }
    schedule.m_nTargetType = kTargetGroup;
    strText += FormatText("\r\n■ 対象グループ:\t%s\r\n\r\n", pszTarget);
    const std::optional<int> nGroup = FindGroup(groups, values.m_strTarget);
    if (!nGroup) return;
    const CHostGroup& group = groups[static_cast<std::size_t>(*nGroup)];
    for (int i = 0; i < CountMembers(group); ++i) {
        const char* pszMember = group.m_strMember[static_cast<std::size_t>(i)].c_str();
        strText += i == 0 ? FormatText("■ 対象ホスト:\t%s\r\n", pszMember)
                          : FormatText("\t\t%s\r\n", pszMember);
    }
    strText += "\r\n";
}

void AppendTrigger(const SWizardValues& values, CSchedule& schedule, std::string& strText) {
    if (values.m_nTriggerKind != kTriggerThreshold) {
        schedule.m_nCpuThreshold = kThresholdUnused;
        schedule.m_nMemThreshold = kThresholdUnused;
        schedule.m_nDiskThreshold = kThresholdUnused;
        strText += "■ しきい値トリガー:\t未使用\r\n\r\n";
        return;
    }
    schedule.m_nCpuThreshold = values.m_bUseCpu ? values.m_nCpu : kThresholdUnused;
    schedule.m_nMemThreshold = values.m_bUseMem ? values.m_nMem : kThresholdUnused;
    schedule.m_nDiskThreshold = values.m_bUseDisk ? values.m_nDisk : kThresholdUnused;
    strText += "■ しきい値トリガー:\t使用\r\n\r\n";
    if (schedule.m_nCpuThreshold != kThresholdUnused)
        strText += FormatText("\tCPU:\t%d %% 以上\r\n", schedule.m_nCpuThreshold);
    if (schedule.m_nMemThreshold != kThresholdUnused)
        strText += FormatText("\tMEM:\t%d MB 以下\r\n", schedule.m_nMemThreshold);
    if (schedule.m_nDiskThreshold != kThresholdUnused)
        strText += FormatText("\tDISK:\t%d %% 以上\r\n", schedule.m_nDiskThreshold);
    strText += "\r\n";
}

void AppendStartNow(const SWizardValues& values, CSchedule& schedule, std::string& strText) {
    strText += "■ 予約方法:\t今すぐ開始\r\n\r\n";
    schedule.m_nRepeat = kRepeatAtOnce;
    schedule.m_tStart = 0;
    schedule.m_bWeekday.fill(0);
    // Both end fields are kept, whichever choice is active.
    schedule.m_tsDuration = DurationSeconds(values);
    schedule.m_tsEndTime = EndTimeSpan(values);
    const int nOffset = EndDayOffset(values);
    if (values.m_nEndChoice == kEndByTime) {
        schedule.m_nEndType = kEndAtTimeOfDay;
        strText += nOffset == 0
                       ? FormatText("\t\t現在 ～ %02d:%02d\r\n\r\n", values.m_nEndHour,
                                    values.m_nEndMinute)
                       : FormatText("\t\t現在 ～ %s %02d:%02d\r\n\r\n",
                                    EndDayLabel(nOffset).c_str(), values.m_nEndHour,
                                    values.m_nEndMinute);
        return;
    }
    schedule.m_nEndType = kEndAfterDuration;
    const std::int32_t nSeconds = schedule.m_tsDuration;
    strText += nSeconds < 3600 ? FormatText("\t\t現在から %d 分間\r\n\r\n", nSeconds / 60)
                               : FormatText("\t\t現在から %d 時間\r\n\r\n", nSeconds / 3600);
}

// Writes the timing fields of a timer booking and returns its timing text; bPast is set for a
// single start at or before tNow.
std::string ApplyTiming(const SWizardValues& values, platform::Time tNow, CSchedule& schedule,
                        bool& bPast) {
    const int h = values.m_nStartHour;
    const int m = values.m_nStartMinute;
    const platform::Time t0 = TodayAt(tNow, h, m).value_or(tNow);
    switch (values.m_nUnit) {
        case kUnitWeek: {
            for (std::size_t i = 0; i < 7; ++i) schedule.m_bWeekday[i] = values.m_bWeekday[i];
            schedule.m_nRepeat = kRepeatWeekly;
            schedule.m_tStart = t0 <= tNow ? DayAt(tNow, 1, h, m) : t0;
            const int k = DaysToFlaggedWeekday(Weekday(schedule.m_tStart), schedule);
            schedule.m_tNextStart = DayAt(schedule.m_tStart, k, h, m);
            // The run after the first: the next chosen weekday after the first run's day.
            const platform::Time tDayAfter = DayAt(schedule.m_tNextStart, 1, h, m);
            schedule.m_tFollowingStart =
                DayAt(tDayAfter, DaysToFlaggedWeekday(Weekday(tDayAfter), schedule), h, m);
            return FormatText("毎週 %s 曜日 %2d:%02d", WeekdayListText(values.m_bWeekday).c_str(),
                              h, m);
        }
        case kUnitMonth: {
            const bool bMonthEnd = values.m_nMonthChoice == kMonthEnd;
            const int nDay = bMonthEnd ? 31 : values.m_nMonthDay;
            schedule.m_nRepeat = bMonthEnd ? kRepeatMonthEnd : kRepeatMonthDay;
            schedule.m_nDay = bMonthEnd ? kDayMonthEnd : values.m_nMonthDay;
            schedule.m_tStart = NextMonthDay(tNow, nDay, h, m).value_or(0);
            schedule.m_tNextStart = schedule.m_tStart;
            schedule.m_tFollowingStart = NextMonthDay(t0, nDay, h, m).value_or(0);
            return bMonthEnd ? FormatText("毎月 月末 %2d:%02d", h, m)
                             : FormatText("毎月 %d 日 %2d:%02d", values.m_nMonthDay, h, m);
        }
        default:
            break;
    }
    if (values.m_nDayChoice == kDayEvery) {
        schedule.m_nRepeat = kRepeatDaily;
        schedule.m_tStart = t0;
        schedule.m_tNextStart = t0 <= tNow ? DayAt(t0, 1, h, m) : t0;
        schedule.m_tFollowingStart = DayAt(schedule.m_tNextStart, 1, h, m);
        return FormatText("毎日 %2d:%02d", h, m);
    }
    schedule.m_nRepeat = kRepeatOnce;
    schedule.m_tFollowingStart = 0;
    if (values.m_nDayChoice == kDayDate) {
        const SWizardDate& d = values.m_date;
        const platform::Time tDate = WallClockTime(d.m_nYear, d.m_nMonth, d.m_nDay, h, m).value_or(0);
        schedule.m_tStart = schedule.m_tNextStart = tDate;
        bPast = tDate <= tNow;
        return "指定日 " + DateText(tDate);
    }
    schedule.m_tStart = schedule.m_tNextStart = t0;
    bPast = t0 <= tNow;
    return DateText(t0) + " (本日)";
}

// Writes the end fields of a timer booking and returns its end text.
std::string ApplyTimerEnd(const SWizardValues& values, CSchedule& schedule) {
    const platform::Time tStart = schedule.m_tNextStart;
    if (values.m_nEndChoice == kEndByTime) {
        const int nOffset = EndDayOffset(values);
        schedule.m_nEndType = kEndAtTimeOfDay;
        schedule.m_tsEndTime = EndTimeSpan(values);
        schedule.m_tNextEnd = DayAt(tStart, nOffset, values.m_nEndHour, values.m_nEndMinute);
        schedule.m_tsDuration = static_cast<std::int32_t>(schedule.m_tNextEnd - tStart);
        const std::int32_t nSeconds = schedule.m_tsDuration;
        return EndText(nOffset, values.m_nEndHour, values.m_nEndMinute) +
               (nSeconds < 3600 ? FormatText("(%d 分)", nSeconds / 60)
                                : HoursMinutesText(nSeconds));
    }
    const std::int32_t nSeconds = DurationSeconds(values);
    schedule.m_nEndType = kEndAfterDuration;
    schedule.m_tsDuration = nSeconds;
    schedule.m_tNextEnd = tStart + nSeconds;
    schedule.m_tsEndTime = nSeconds / 60 * 60;
    if (DayOfMonth(schedule.m_tNextEnd) != DayOfMonth(tStart)) schedule.m_tsEndTime += 86400;
    int nHour = 0;
    int nMinute = 0;
    SplitClock(schedule.m_tNextEnd, nHour, nMinute);
    return EndText(schedule.m_tsEndTime / 86400, nHour, nMinute) + HoursMinutesText(nSeconds);
}

void AppendInterval(const SWizardValues& values, CSchedule& schedule, std::string& strText) {
    std::string strInterval;
    if (values.m_arrIntervals.empty()) {
        strInterval = IntervalText(schedule.m_nInterval);
    } else {
        schedule.m_nInterval = SelectedInterval(values);
        const int n = values.m_nIntervalIndex;
        strInterval = n >= 0 && n < static_cast<int>(values.m_arrIntervals.size())
                          ? values.m_arrIntervals[static_cast<std::size_t>(n)]
                          : IntervalText(schedule.m_nInterval);
    }
    strText += FormatText("■ 取得間隔:\t%s 間隔\r\n\r\n", strInterval.c_str());
}

void AppendSplit(const SWizardValues& values, CSchedule& schedule, std::string& strText) {
    const int n = values.m_nSplitIndex;
    const SSplitChoice& split = n >= 0 && n < static_cast<int>(kSplitChoices.size())
                                    ? kSplitChoices[static_cast<std::size_t>(n)]
                                    : kSplitChoices[0];
    schedule.m_nSplitUnit = split.m_nMilliseconds;
    strText += FormatText("■ 分割単位:\t%s\r\n\r\n", split.m_pszText);
}

}  // namespace

std::string WeekdayListText(const std::array<bool, 7>& bWeekday) {
    static constexpr const char* kLetters[7] = {"日", "月", "火", "水", "木", "金", "土"};
    std::string strText;
    for (int i = 1; i <= 7; ++i) {  // Monday .. Saturday, then Sunday
        const int nDay = i % 7;
        if (!bWeekday[static_cast<std::size_t>(nDay)]) continue;
        if (!strText.empty()) strText += ",";
        strText += kLetters[nDay];
    }
    return strText;
}

SScheduleSummary BuildScheduleSummary(const SWizardValues& values, const CGroupTable& groups,
                                      platform::Time tNow, std::int32_t nKeptInterval) {
    SScheduleSummary result;
    CSchedule& schedule = result.m_schedule;
    schedule = CSchedule::Blank(tNow);
    schedule.m_nInterval = nKeptInterval;
    std::string& strText = result.m_strText;

    AppendTarget(values, groups, schedule, strText);
    AppendTrigger(values, schedule, strText);
    if (values.m_nStartKind == kStartTimer) {
        strText += "■ 予約方法:\tタイマー予約\r\n\r\n";
        strText += "　　" + ApplyTiming(values, tNow, schedule, result.m_bPastStart);
        strText += ApplyTimerEnd(values, schedule) + "\r\n\r\n";
        if (schedule.m_tFollowingStart != 0) {
            strText += FormatText("\t次回:\t%s\r\n\t\t%s\r\n\r\n",
                                  DateText(schedule.m_tNextStart).c_str(),
                                  DateText(schedule.m_tNextEnd).c_str());
        }
    } else {
        AppendStartNow(values, schedule, strText);
    }
    AppendInterval(values, schedule, strText);
    AppendSplit(values, schedule, strText);
    schedule.m_strComment = values.m_strComment;
    strText += FormatText("■ コメント:\t%s\r\n", values.m_strComment.c_str());

    // A booking that would never run cannot be accepted: without a target the wizard's OK stays
    // hidden.
    if (result.m_bPastStart) schedule.m_strTarget.clear();
    return result;
}
