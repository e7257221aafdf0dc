// The schedule wizard described once: its ten pages, choice lists, modes, integer fields,
// tooltips and coloured buttons. The model and the window both read these tables.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "schedule_wizard.h"
#include "wizard_values.h"

inline constexpr int kWizardPages = 10;
// Page indices (page index k is "Page k+1" in the titles).
inline constexpr int kPageTarget = 0;
inline constexpr int kPageTrigger = 1;
inline constexpr int kPageThresholds = 2;
inline constexpr int kPageStart = 3;
inline constexpr int kPageTimer = 4;
inline constexpr int kPageEnd = 5;
inline constexpr int kPageInterval = 6;
inline constexpr int kPageSplit = 7;
inline constexpr int kPageComment = 8;
inline constexpr int kPageSummary = 9;

class CScheduleWizardDlg;

// One page: its title and detail lines, the controls it shows, the check its values must pass
// before the page may be left (an empty text passes), and when navigation passes it over.
struct SWizardPage {
    const char* m_pszTitle;
    const char* m_pszDetail;
    std::span<const int> m_controls;
    std::string (*m_fnValidate)(const SWizardValues& values);
    bool (*m_fnSkip)(const CScheduleWizardDlg& wizard);  // null: never skipped
};

const std::array<SWizardPage, kWizardPages>& WizardPages();

// Every control some page shows (the union of the page lists and the three unit groups).
std::span<const int> AllPageControls();

// Page 5's three unit groups ("日単位", "週単位", "月単位"), by unit.
std::span<const int> UnitGroupControls(int nUnit);

// The weekday check boxes, index 0 = Sunday ("日") .. 6 = Saturday ("土").
inline constexpr std::array<int, 7> kWeekdayControls = {1062, 1063, 1064, 1065, 1066, 1067, 1068};

// ---- fixed choice lists ----

inline constexpr std::array<const char*, 3> kUnitNames = {"日単位", "週単位", "月単位"};

struct SDurationChoice {
    const char* m_pszText;
    std::int32_t m_nSeconds;
};
inline constexpr std::array<SDurationChoice, 19> kDurationChoices = {{
    {"1 分", 60},      {"5 分", 300},     {"10 分", 600},    {"20 分", 1200},
    {"30 分", 1800},   {"40 分", 2400},   {"50 分", 3000},   {"1 時", 3600},
    {"2 時", 7200},    {"3 時", 10800},   {"4 時", 14400},   {"5 時", 18000},
    {"6 時", 21600},   {"7 時", 25200},   {"8 時", 28800},   {"9 時", 32400},
    {"10 時", 36000},  {"11 時", 39600},  {"12 時", 43200},
}};
// The duration selected when a schedule's duration is not in the list ("1 時").
inline constexpr int kDefaultDurationIndex = 7;

// "開始日", "開始1日後" .. "開始13日後": the end day offsets 0..13.
inline constexpr int kEndDayChoices = 14;
std::string EndDayLabel(int nOffset);

struct SSplitChoice {
    const char* m_pszText;
    std::int32_t m_nMilliseconds;
};
inline constexpr std::array<SSplitChoice, 4> kSplitChoices = {{
    {"設定なし", 0},
    {"30 分", 1800000},
    {"1 時間", 3600000},
    {"2 時間", 7200000},
}};

// The sampling interval candidates and the longest collection (whole hours) each still suits.
struct SIntervalCandidate {
    std::int32_t m_nMilliseconds;
    int m_nHourLimit;
};
inline constexpr std::array<SIntervalCandidate, 11> kIntervalCandidates = {{
    {1000, 1},
    {2000, 2},
    {3000, 3},
    {4000, 4},
    {5000, 5},
    {10000, 10},
    {15000, 15},
    {30000, 30},
    {60000, 72},
    {180000, 168},
    {300000, 336},
}};

// ---- integer edits ----

// An edit that must hold an integer, in the order the wizard reads them; without a range any
// integer passes.
struct SIntegerField {
    int m_nControl;
    std::optional<int> m_nMin;
    std::optional<int> m_nMax;
    int SWizardValues::*m_pValue;
};
std::span<const SIntegerField> IntegerFields();

// ---- modes ----

struct SWizardMode {
    const char* m_pszCaption;         // the window title
    int m_nFirstPage;                 // page index shown first
    const char* m_pszCancelQuestion;  // asked when the user cancels
};
const SWizardMode& WizardMode(EWizardMode eMode);

// ---- tooltips and coloured buttons ----

struct SWizardTooltip {
    int m_nControl;
    const char* m_pszText;
};
std::span<const SWizardTooltip> WizardTooltips();

struct SWizardColorButton {
    int m_nControl;
    std::uint8_t m_nRed, m_nGreen, m_nBlue;  // the face; captions are white
};
std::span<const SWizardColorButton> WizardColorButtons();
