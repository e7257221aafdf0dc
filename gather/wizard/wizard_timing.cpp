// Collection time, interval candidates and texts, split file count.
#include "wizard_timing.h"

#include <cstdlib>

#include "platform/local_time.h"
#include "schedule.h"
#include "text_format.h"
#include "wizard_tables.h"

std::optional<platform::Time> TodayAt(platform::Time tNow, int nHour, int nMinute) {
    platform::LocalFields now;
    if (!platform::SplitLocalTime(tNow, now)) return std::nullopt;
    return WallClockTime(now.nYear, now.nMonth, now.nDay, nHour, nMinute);
}

std::int64_t CollectSeconds(const SWizardValues& values, platform::Time tNow) {
    if (values.m_nEndChoice != kEndByTime) {
        const int n = values.m_nDurationIndex;
        if (n < 0 || n >= static_cast<int>(kDurationChoices.size())) return 0;
        return kDurationChoices[static_cast<std::size_t>(n)].m_nSeconds;
    }
    platform::Time tStart = tNow;
    if (values.m_nStartKind == kStartTimer) {
        const auto t = TodayAt(tNow, values.m_nStartHour, values.m_nStartMinute);
        if (!t) return 0;
        tStart = *t;
    }
    platform::LocalFields start;
    if (!platform::SplitLocalTime(tStart, start)) return 0;
    // The end day is counted on the calendar, so a run across a daylight saving change is as
    // long as the clocks say.
    const auto tEnd = WallClockTime(start.nYear, start.nMonth, start.nDay + values.m_nEndDayIndex,
                                    values.m_nEndHour, values.m_nEndMinute);
    if (!tEnd) return 0;
    return *tEnd - tStart;
}

std::string CollectTimeText(std::int64_t nSeconds) {
    const std::int64_t nDays = nSeconds / 86400;
    const std::int64_t nHours = nSeconds % 86400 / 3600;
    const std::int64_t nMinutes = nSeconds % 3600 / 60;
    std::string strText;
    if (nDays > 0) strText += FormatText("%d日", static_cast<int>(nDays));
    if (nHours > 0) strText += FormatText("%d時間", static_cast<int>(nHours));
    if (nMinutes > 0) strText += FormatText("%d分", static_cast<int>(nMinutes));
    return strText;
}

std::vector<std::int32_t> IntervalCandidatesFor(std::int64_t nCollectSeconds) {
    const std::int64_t nHours = nCollectSeconds / 3600;
    const std::int64_t nWholeMinutesMs = nCollectSeconds / 60 * 60000;
    const int nLastIndex = static_cast<int>(kIntervalCandidates.size()) - 1;
    int nFirst = nLastIndex;
    for (int i = 0; i <= nLastIndex; ++i) {
        if (kIntervalCandidates[static_cast<std::size_t>(i)].m_nHourLimit >= nHours) {
            nFirst = i;
            break;
        }
    }
    // Searched from the longest interval down; the shortest is offered when none is below.
    int nLast = nLastIndex;
    while (nLast > 0 &&
           kIntervalCandidates[static_cast<std::size_t>(nLast)].m_nMilliseconds >= nWholeMinutesMs)
        --nLast;
    std::vector<std::int32_t> arrIntervals;
    for (int i = nFirst; i <= nLast; ++i)
        arrIntervals.push_back(kIntervalCandidates[static_cast<std::size_t>(i)].m_nMilliseconds);
    return arrIntervals;
}

std::string IntervalText(std::int32_t nMilliseconds) {
    if (nMilliseconds <= 59999) return FormatText("%d 秒", static_cast<int>(nMilliseconds / 1000));
    return FormatText("%d 分", static_cast<int>(nMilliseconds / 60000));
}

std::int32_t ParseIntervalText(const std::string& strText) {
    const std::size_t nBlank = strText.find(' ');
    const std::string strNumber = strText.substr(0, nBlank);
    const std::string strRest = nBlank == std::string::npos ? std::string() : strText.substr(nBlank);
    const long nNumber = std::strtol(strNumber.c_str(), nullptr, 10);
    const bool bSeconds = strRest.find("秒") != std::string::npos;
    return static_cast<std::int32_t>(nNumber * (bSeconds ? 1000 : 60000));
}

std::int32_t SelectedInterval(const SWizardValues& values) {
    const int n = values.m_nIntervalIndex;
    if (n < 0 || n >= static_cast<int>(values.m_arrIntervals.size())) return 1000;
    return ParseIntervalText(values.m_arrIntervals[static_cast<std::size_t>(n)]);
}

std::int64_t SplitFileCount(std::int64_t nCollectSeconds, std::int32_t nSplitMilliseconds) {
    const std::int64_t nUnit = nSplitMilliseconds / 1000;
    if (nUnit <= 0) return 1;
    if (nCollectSeconds <= 0) return 0;
    return (nCollectSeconds + nUnit - 1) / nUnit;
}

std::string SplitFileCountText(std::int64_t nCollectSeconds, std::int32_t nSplitMilliseconds) {
    return FormatText("%d個",
                      static_cast<int>(SplitFileCount(nCollectSeconds, nSplitMilliseconds)));
}
