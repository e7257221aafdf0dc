// The values of the schedule wizard's controls, as the wizard reads them from its window and
// writes them back: one plain record, so the summary builder and the tests work without a window.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

// A calendar date (the date picker's value).
struct SWizardDate {
    int m_nYear = 1970;
    int m_nMonth = 1;  // 1..12
    int m_nDay = 1;    // 1..31
    bool operator==(const SWizardDate&) const = default;
};

// Radio groups and choices, with the values the controls stand for.
inline constexpr int kTriggerNormal = 0;     // 1035 "通常処理"
inline constexpr int kTriggerThreshold = 1;  // 1036 "しきい値トリガー"
inline constexpr int kStartNow = 0;          // 1048 "今すぐ開始"
inline constexpr int kStartTimer = 1;        // 1049 "タイマー予約"
inline constexpr int kUnitDay = 0;           // 1052 "日単位"
inline constexpr int kUnitWeek = 1;          //      "週単位"
inline constexpr int kUnitMonth = 2;         //      "月単位"
inline constexpr int kDayToday = 0;          // 1059 "本日"
inline constexpr int kDayEvery = 1;          // 1060 "毎日"
inline constexpr int kDayDate = 2;           // 1061 "指定日"
inline constexpr int kMonthDay = 0;          // 1071 "毎月"
inline constexpr int kMonthEnd = 1;          // 1072 "月末"
inline constexpr int kEndByDuration = 0;     // 1075 "取得期間指定"
inline constexpr int kEndByTime = 1;         // 1076 "終了時間指定"

// Defaults an unused threshold's edit shows.
inline constexpr int kDefaultCpuThreshold = 80;
inline constexpr int kDefaultMemThreshold = 32;
inline constexpr int kDefaultDiskThreshold = 80;

struct SWizardValues {
    // Page 1.
    std::string m_strTarget;       // 1032, the chosen host or group name
    bool m_bGroupDisplay = false;  // 1111 "グループ名" checked (else 1110 "ホスト名")
    // Pages 2 and 3.
    int m_nTriggerKind = kTriggerNormal;
    bool m_bUseCpu = false;  // 1039
    bool m_bUseMem = false;  // 1040
    bool m_bUseDisk = false;  // 1041
    int m_nCpu = kDefaultCpuThreshold;    // 1042, percent
    int m_nMem = kDefaultMemThreshold;    // 1043, megabytes
    int m_nDisk = kDefaultDiskThreshold;  // 1044, percent
    // Pages 4 and 5.
    int m_nStartKind = kStartNow;
    int m_nUnit = kUnitDay;
    int m_nDayChoice = kDayToday;
    SWizardDate m_date;                  // 1058, the date of "指定日"
    std::array<bool, 7> m_bWeekday{};    // 1062..1068, index 0 = Sunday .. 6 = Saturday
    int m_nMonthChoice = kMonthDay;
    int m_nMonthDay = 1;                 // 1069
    int m_nStartHour = 0;                // 1053
    int m_nStartMinute = 0;              // 1054
    // Page 6.
    int m_nEndChoice = kEndByDuration;
    int m_nDurationIndex = 7;  // 1077, index into the duration list
    int m_nEndDayIndex = 0;    // 1078, the end day offset
    int m_nEndHour = 0;        // 1073
    int m_nEndMinute = 0;      // 1074
    // Pages 7 and 8.
    std::vector<std::string> m_arrIntervals;  // the entries of 1083 as offered now
    int m_nIntervalIndex = -1;                // its selection
    int m_nSplitIndex = 0;                    // 1124
    // Page 9.
    std::string m_strComment;  // 1089

    bool operator==(const SWizardValues&) const = default;
};
