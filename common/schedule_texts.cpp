// Display texts of a schedule and the three date-and-time styles.
#include "schedule_texts.h"

#include <cstdio>

#include "platform/local_time.h"

namespace {

// Weekday letters, Sunday first.
constexpr const char* kWeekdayLetters[7] = {"日", "月", "火", "水", "木", "金", "土"};

template <typename... Args>
std::string Format(const char* pszFormat, Args... args) {
    char buffer[96];
    const int n = std::snprintf(buffer, sizeof buffer, pszFormat, args...);
    if (n < 0) return {};
    return std::string(buffer, static_cast<std::size_t>(n) < sizeof buffer
                                   ? static_cast<std::size_t>(n)
                                   : sizeof buffer - 1);
}

}  // namespace

std::string FormatScheduleTime(platform::Time t, int nStyle) {
    if (nStyle < kTimeStyleList || nStyle > kTimeStyleConflict) return {};
    platform::LocalFields f;
    if (!platform::SplitLocalTime(t, f)) return {};
    const char* pszDay = kWeekdayLetters[((f.nWeekday % 7) + 7) % 7];
    switch (nStyle) {
        case kTimeStyleList:
            return Format("%02d/%02d (%s) %02d:%02d", f.nMonth, f.nDay, pszDay, f.nHour, f.nMinute);
        case kTimeStyleLog:
            return Format("%04d/%02d/%02d (%s) %02d:%02d:%02d", f.nYear, f.nMonth, f.nDay, pszDay,
                          f.nHour, f.nMinute, f.nSecond);
        default:
            return Format("%04d/%02d/%02d (%s) %02d:%02d", f.nYear, f.nMonth, f.nDay, pszDay,
                          f.nHour, f.nMinute);
    }
}

std::string ScheduleNumberText(int nNumber) {
    return Format("%02d", nNumber);
}

std::string ScheduleTypeText(const CSchedule& schedule) {
    return schedule.m_nTargetType == kTargetGroup ? "G" : "H";
}

std::string ScheduleRepeatText(const CSchedule& schedule) {
    switch (schedule.m_nRepeat) {
        case kRepeatDaily:
            return "毎日";
        case kRepeatWeekly: {
            std::string strDays;
            // Monday first, Sunday last.
            for (int i = 1; i <= 7; ++i) {
                if (schedule.m_bWeekday[static_cast<std::size_t>(i % 7)] != 0)
                    strDays += kWeekdayLetters[i % 7];
            }
            return strDays;
        }
        case kRepeatMonthDay:
            return Format("%d日", schedule.m_nDay);
        case kRepeatMonthEnd:
            return "月末";
        default:
            return {};
    }
}

std::string ScheduleThresholdText(const CSchedule& schedule) {
    std::string strCpu, strMem, strDisk;
    if (schedule.m_nCpuThreshold != kThresholdUnused)
        strCpu = Format("CPU %d%% ", schedule.m_nCpuThreshold);
    if (schedule.m_nMemThreshold != kThresholdUnused)
        strMem = Format("MEM %dMB ", schedule.m_nMemThreshold);
    if (schedule.m_nDiskThreshold != kThresholdUnused)
        strDisk = Format("DISK %d%%", schedule.m_nDiskThreshold);
    return strCpu + strMem + strDisk;
}

std::string ScheduleStateText(const CSchedule& schedule) {
    switch (schedule.m_nState) {
        case kStateWaiting:
            return "待機中";
        case kStateRunning:
            return "実行中";
        default:
            return {};
    }
}
