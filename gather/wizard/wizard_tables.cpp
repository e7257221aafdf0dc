// The schedule wizard's page table, choice lists, modes, integer fields, tooltips and buttons.
#include "wizard_tables.h"

#include <algorithm>
#include <climits>

#include "resource.h"
#include "schedule_wizard_dlg.h"
#include "text_format.h"
#include "wizard_texts.h"

namespace {

constexpr int kTargetControls[] = {IDC_WZ_TARGET_LABEL, IDC_WZ_DISPLAY_FRAME, IDC_WZ_EDIT_HOSTS,
                                   IDC_WZ_TARGET,       IDC_WZ_TARGET_LIST,   IDC_WZ_SHOW_HOSTS,
                                   IDC_WZ_SHOW_GROUPS,  IDC_WZ_EDIT_GROUPS,   IDC_WZ_CHECK};
constexpr int kTriggerControls[] = {IDC_WZ_NORMAL_NOTE, IDC_WZ_THRESHOLD_NOTE,
                                    IDC_WZ_TRIGGER_NORMAL, IDC_WZ_TRIGGER_THRESHOLD};
constexpr int kThresholdControls[] = {IDC_WZ_USE_CPU,  IDC_WZ_USE_MEM,  IDC_WZ_USE_DISK,
                                      IDC_WZ_CPU,      IDC_WZ_MEM,      IDC_WZ_DISK,
                                      IDC_WZ_CPU_UNIT, IDC_WZ_MEM_UNIT, IDC_WZ_DISK_UNIT};
constexpr int kStartControls[] = {IDC_WZ_NOW_NOTE, IDC_WZ_TIMER_NOTE, IDC_WZ_START_NOW,
                                  IDC_WZ_START_TIMER};
constexpr int kTimerControls[] = {IDC_WZ_UNIT,       IDC_WZ_UNIT_FRAME,  IDC_WZ_START_LABEL,
                                  IDC_WZ_START_HOUR, IDC_WZ_START_COLON, IDC_WZ_START_MINUTE};
constexpr int kEndControls[] = {IDC_WZ_END_HOUR,         IDC_WZ_END_MINUTE,
                                IDC_WZ_DURATION_LABEL,   IDC_WZ_END_HOUR_LABEL,
                                IDC_WZ_END_MINUTE_LABEL, IDC_WZ_DURATION,
                                IDC_WZ_END_DAY,          IDC_WZ_END_BY_DURATION,
                                IDC_WZ_END_BY_TIME};
constexpr int kIntervalControls[] = {IDC_WZ_INTERVAL,      IDC_WZ_INTERVAL_LABEL,
                                     IDC_WZ_INTERVAL_NOTE, IDC_WZ_COLLECT_LABEL,
                                     IDC_WZ_COLLECT_TAIL,  IDC_WZ_COLLECT_TIME,
                                     IDC_WZ_CLOCK_PICTURE, IDC_WZ_SAMPLES_PICTURE};
constexpr int kSplitControls[] = {IDC_WZ_SPLIT_FRAME, IDC_WZ_SPLIT_LABEL,   IDC_WZ_SPLIT_NOTE,
                                  IDC_WZ_SPLIT_HEAD,  IDC_WZ_SPLIT_TAIL,    IDC_WZ_SPLIT,
                                  IDC_WZ_SPLIT_COUNT, IDC_WZ_COLLECT_TIME,  IDC_WZ_COLLECT_LABEL,
                                  IDC_WZ_COLLECT_TAIL};
constexpr int kCommentControls[] = {IDC_WZ_COMMENT, IDC_WZ_COMMENT_LABEL};
constexpr int kSummaryControls[] = {IDC_WZ_SUMMARY};

constexpr int kDayGroup[] = {IDC_WZ_DATE, IDC_WZ_DAY_TODAY, IDC_WZ_DAY_EVERY, IDC_WZ_DAY_DATE};
constexpr int kWeekGroup[] = {IDC_WZ_SUNDAY,   IDC_WZ_MONDAY, IDC_WZ_TUESDAY, IDC_WZ_WEDNESDAY,
                              IDC_WZ_THURSDAY, IDC_WZ_FRIDAY, IDC_WZ_SATURDAY};
constexpr int kMonthGroup[] = {IDC_WZ_MONTH_DAY, IDC_WZ_MONTH_DAY_LABEL, IDC_WZ_MONTHLY,
                               IDC_WZ_MONTH_END};

std::string PassAlways(const SWizardValues&) {
    return {};
}

std::string ValidateTarget(const SWizardValues& values) {
    if (!values.m_strTarget.empty()) return {};
    return values.m_bGroupDisplay ? wizard_text::kSelectGroup : wizard_text::kSelectHost;
}

std::string ValidateTimer(const SWizardValues& values) {
    if (values.m_nUnit != kUnitWeek) return {};
    const bool bAny = std::any_of(values.m_bWeekday.begin(), values.m_bWeekday.end(),
                                  [](bool b) { return b; });
    return bAny ? std::string() : wizard_text::kNoWeekday;
}

bool SkipThresholds(const CScheduleWizardDlg& wizard) {
    return wizard.Values().m_nTriggerKind == kTriggerNormal;
}

bool SkipTimer(const CScheduleWizardDlg& wizard) {
    return wizard.Values().m_nStartKind == kStartNow;
}

bool SkipSplit(const CScheduleWizardDlg& wizard) {
    return wizard.CollectSeconds() < 3600;
}

const std::array<SWizardPage, kWizardPages> kPages = {{
    {"Page1. ホスト・グループの選択", "稼動データを収集する対象を選択してください。",
     kTargetControls, ValidateTarget, nullptr},
    {"Page2. 稼動データの取得方法", "稼動データの取得方法を選択してください。", kTriggerControls,
     PassAlways, nullptr},
    {"Page3. しきい値の選択", "しきい値の条件を選択してください。", kThresholdControls,
     PassAlways, SkipThresholds},
    {"Page4. 予約の選択", "稼動データ収集を開始するタイミングを選択してください。",
     kStartControls, PassAlways, nullptr},
    {"Page5. タイマー予約", "予約内容を設定してください。", kTimerControls, ValidateTimer,
     SkipTimer},
    {"Page6. 終了時間の選択", "稼動データ収集の終了時間を設定してください。", kEndControls,
     PassAlways, nullptr},
    {"Page7. 稼動データ取得間隔の選択",
     "*しきい値トリガー指定時は、トリガーが発生し稼動データ\r\n"
     " 収集が開始された場合の指定となります。",
     kIntervalControls, PassAlways, nullptr},
    {"Page8. 稼動データ取得間隔の選択",
     "*しきい値トリガー指定時は、トリガーが発生し稼動データ収集が開始された場合の指定になりま"
     "す。",
     kSplitControls, PassAlways, SkipSplit},
    {"Page9. コメントの入力", "作成したスケジュールにコメントをつけることができます。",
     kCommentControls, PassAlways, nullptr},
    {"Page10. 最終確認", "設定された内容は以下の通りです。\r\n設定内容をご確認ください。",
     kSummaryControls, PassAlways, nullptr},
}};

std::vector<int> CollectAllPageControls() {
    std::vector<int> ids;
    auto add = [&ids](std::span<const int> controls) {
        for (int id : controls) {
            if (std::find(ids.begin(), ids.end(), id) == ids.end()) ids.push_back(id);
        }
    };
    for (const SWizardPage& page : kPages) add(page.m_controls);
    add(kDayGroup);
    add(kWeekGroup);
    add(kMonthGroup);
    return ids;
}

// Memory is only bounded below: a negative free-memory trigger would read as "not used". Disk
// use is a percentage like processor use.
const SIntegerField kIntegerFields[] = {
    {IDC_WZ_CPU, 0, 100, &SWizardValues::m_nCpu},
    {IDC_WZ_MEM, 0, INT_MAX, &SWizardValues::m_nMem},
    {IDC_WZ_DISK, 0, 100, &SWizardValues::m_nDisk},
    {IDC_WZ_MONTH_DAY, 1, 31, &SWizardValues::m_nMonthDay},
    {IDC_WZ_START_HOUR, 0, 23, &SWizardValues::m_nStartHour},
    {IDC_WZ_START_MINUTE, 0, 59, &SWizardValues::m_nStartMinute},
    {IDC_WZ_END_HOUR, 0, 23, &SWizardValues::m_nEndHour},
    {IDC_WZ_END_MINUTE, 0, 59, &SWizardValues::m_nEndMinute},
};

const SWizardMode kModes[] = {
    {"新規予約", kPageTarget, "新規予約を中断しますか？"},
    {"予約変更", kPageTarget, "予約変更を中断しますか？"},
    {"参照", kPageSummary, "参照を中断しますか？"},
    {"新規予約", kPageComment, "新規予約を中断しますか？"},
};

const SWizardTooltip kTooltips[] = {
    {IDC_WZ_EDIT_HOSTS, "VARNOLE の対象として登録されているホストの追加削除を行います"},
    {IDC_WZ_EDIT_GROUPS, "ホストグループの追加削除を行います"},
    {IDC_WZ_USE_CPU,
     "対象ホストの CPU 使用率が設定された値を超えたとき VARNOLE が稼動開始します"},
    {IDC_WZ_USE_MEM,
     "対象ホストの メモリの空き容量が設定された値を下回ったとき VARNOLE が稼動開始します"},
    {IDC_WZ_USE_DISK,
     "対象ホストの ディスク使用率が設定された値を超えたとき VARNOLE が稼動開始します"},
    {IDC_WZ_UNIT,
     "日単位 ... 日単位での選択を行います / 週単位 ... 毎週の選択を行います / 月単位 ... "
     "毎月単位での選択を行います"},
    {IDC_WZ_SPLIT,
     "分割生成した場合、稼動データ収集中でも分割生成された稼動データファイルより、CSVファイル"
     "を作成することができます。"},
};

constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;

const SWizardColorButton kColorButtons[] = {
    {IDC_WZ_BACK, 63, 128, 255},      {IDC_WZ_NEXT, 63, 128, 255},
    {kIdOk, 63, 128, 255},            {IDC_WZ_EDIT_HOSTS, 63, 128, 255},
    {IDC_WZ_EDIT_GROUPS, 63, 128, 255}, {kIdCancel, 255, 63, 63},
    {IDC_WZ_CHECK, 63, 128, 63},
};

}  // namespace

const std::array<SWizardPage, kWizardPages>& WizardPages() {
    return kPages;
}

std::span<const int> AllPageControls() {
    static const std::vector<int> s_ids = CollectAllPageControls();
    return s_ids;
}

std::span<const int> UnitGroupControls(int nUnit) {
    switch (nUnit) {
        case kUnitWeek:
            return kWeekGroup;
        case kUnitMonth:
            return kMonthGroup;
        default:
            return kDayGroup;
    }
}

std::string EndDayLabel(int nOffset) {
    if (nOffset <= 0) return "開始日";
    return FormatText("開始%d日後", nOffset);
}

std::span<const SIntegerField> IntegerFields() {
    return kIntegerFields;
}

const SWizardMode& WizardMode(EWizardMode eMode) {
    const int n = static_cast<int>(eMode);
    return kModes[n >= 0 && n < 4 ? n : 0];
}

std::span<const SWizardTooltip> WizardTooltips() {
    return kTooltips;
}

std::span<const SWizardColorButton> WizardColorButtons() {
    return kColorButtons;
}

namespace wizard_text {

std::string PageErrorCaption(int nPageIndex) {
    return FormatText("エラーが発生しました Page.%d", nPageIndex + 1);
}

std::string IntegerRange(int nMin, int nMax) {
    return FormatText("%d から %d までの整数を入力してください。", nMin, nMax);
}

}  // namespace wizard_text
