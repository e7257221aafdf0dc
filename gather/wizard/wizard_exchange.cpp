// The wizard's data exchange: the load step (record to values) and reading and writing the
// controls (values to and from the window).
#include <algorithm>

#include "integer_field.h"
#include "platform/local_time.h"
#include "resource.h"
#include "schedule_wizard_dlg.h"
#include "wizard_tables.h"
#include "wizard_texts.h"
#include "wizard_timing.h"

namespace {

constexpr int kIdOk = 1;

int Modulo(std::int64_t n, int nBase) {
    return static_cast<int>(((n % nBase) + nBase) % nBase);
}

// The checked button of a radio group (the first when none is checked).
int RadioIndex(const IScheduleWizardView& view, std::initializer_list<int> ids) {
    int n = 0;
    for (int id : ids) {
        if (view.GetCheck(id)) return n;
        ++n;
    }
    return 0;
}

void SetRadio(IScheduleWizardView& view, std::initializer_list<int> ids, int nChecked) {
    int n = 0;
    for (int id : ids) view.SetCheck(id, n++ == nChecked);
}

}  // namespace

SWizardValues CScheduleWizardDlg::ValuesFromSchedule(const CSchedule& schedule,
                                                     EWizardMode eMode, int nGroupCount,
                                                     platform::Time tNow) {
    SWizardValues v;
    v.m_strTarget = schedule.m_strTarget;
    v.m_bGroupDisplay = schedule.m_nTargetType == kTargetGroup ||
                        (eMode == EWizardMode::kNew && nGroupCount > 0);

    auto loadThreshold = [](std::int32_t nValue, bool& bUse, int& nEdit, int nDefault) {
        bUse = nValue != kThresholdUnused;
        nEdit = bUse ? nValue : nDefault;
    };
    loadThreshold(schedule.m_nCpuThreshold, v.m_bUseCpu, v.m_nCpu, kDefaultCpuThreshold);
    loadThreshold(schedule.m_nMemThreshold, v.m_bUseMem, v.m_nMem, kDefaultMemThreshold);
    loadThreshold(schedule.m_nDiskThreshold, v.m_bUseDisk, v.m_nDisk, kDefaultDiskThreshold);
    v.m_nTriggerKind = v.m_bUseCpu || v.m_bUseMem || v.m_bUseDisk ? kTriggerThreshold
                                                                   : kTriggerNormal;

    v.m_nStartKind = schedule.m_nRepeat == kRepeatAtOnce ? kStartNow : kStartTimer;
    v.m_nUnit = schedule.m_nRepeat == kRepeatWeekly ? kUnitWeek
                : schedule.m_nRepeat == kRepeatMonthDay || schedule.m_nRepeat == kRepeatMonthEnd
                    ? kUnitMonth
                    : kUnitDay;

    // The date picker and the day of month default to ten minutes from now.
    platform::LocalFields soon;
    platform::SplitLocalTime(tNow + 600, soon);
    v.m_date = SWizardDate{soon.nYear, soon.nMonth, soon.nDay};
    platform::LocalFields start;
    platform::SplitLocalTime(schedule.m_tStart, start);
    v.m_nStartHour = start.nHour;
    v.m_nStartMinute = start.nMinute;
    v.m_nMonthDay = schedule.m_nRepeat == kRepeatMonthDay ? schedule.m_nDay : soon.nDay;

    v.m_nDayChoice = kDayToday;
    const SWizardDate startDate{start.nYear, start.nMonth, start.nDay};
    if (schedule.m_nRepeat == kRepeatOnce && !(startDate == v.m_date)) {
        v.m_nDayChoice = kDayDate;
        v.m_date = startDate;
    } else if (schedule.m_nRepeat == kRepeatDaily) {
        v.m_nDayChoice = kDayEvery;
    }
    for (std::size_t i = 0; i < 7; ++i) v.m_bWeekday[i] = schedule.m_bWeekday[i] != 0;
    v.m_nMonthChoice = schedule.m_nRepeat == kRepeatMonthEnd ? kMonthEnd : kMonthDay;

    v.m_nDurationIndex = kDefaultDurationIndex;
    v.m_nEndDayIndex = 0;
    v.m_nEndHour = Modulo(schedule.m_tsEndTime / 3600, 24);
    v.m_nEndMinute = Modulo(schedule.m_tsEndTime / 60, 60);
    if (schedule.m_nEndType == kEndAfterDuration) {
        v.m_nEndChoice = kEndByDuration;
        for (std::size_t i = 0; i < kDurationChoices.size(); ++i) {
            if (kDurationChoices[i].m_nSeconds == schedule.m_tsDuration)
                v.m_nDurationIndex = static_cast<int>(i);
        }
    } else {
        v.m_nEndChoice = kEndByTime;
        const std::int32_t nOffset = schedule.m_tsEndTime / 86400;
        if (nOffset >= 1 && nOffset < kEndDayChoices) v.m_nEndDayIndex = nOffset;
    }
    v.m_nSplitIndex = 0;
    for (std::size_t i = 0; i < kSplitChoices.size(); ++i) {
        if (kSplitChoices[i].m_nMilliseconds == schedule.m_nSplitUnit)
            v.m_nSplitIndex = static_cast<int>(i);
    }
    v.m_strComment = schedule.m_strComment;
    return v;
}

bool CScheduleWizardDlg::ReadControls() {
    SWizardValues v = m_values;  // the interval entries are the model's own
    for (const SIntegerField& field : IntegerFields()) {
        int nValue = 0;
        const std::string strRefusal =
            CheckIntegerText(m_view.GetText(field.m_nControl), field.m_nMin, field.m_nMax, nValue);
        if (!strRefusal.empty()) {
            m_boxes.Show(strRefusal, wizard_text::kIntegerCaption, EMessageIcon::kWarning,
                         EMessageButtons::kOk);
            m_view.FocusControl(field.m_nControl);
            return false;
        }
        v.*(field.m_pValue) = nValue;
    }
    v.m_strTarget = m_view.GetText(IDC_WZ_TARGET);
    v.m_bGroupDisplay = m_view.GetCheck(IDC_WZ_SHOW_GROUPS);
    v.m_nTriggerKind = RadioIndex(m_view, {IDC_WZ_TRIGGER_NORMAL, IDC_WZ_TRIGGER_THRESHOLD});
    v.m_bUseCpu = m_view.GetCheck(IDC_WZ_USE_CPU);
    v.m_bUseMem = m_view.GetCheck(IDC_WZ_USE_MEM);
    v.m_bUseDisk = m_view.GetCheck(IDC_WZ_USE_DISK);
    v.m_nStartKind = RadioIndex(m_view, {IDC_WZ_START_NOW, IDC_WZ_START_TIMER});
    v.m_nUnit = std::max(m_view.GetSelection(IDC_WZ_UNIT), 0);
    v.m_nDayChoice = RadioIndex(m_view, {IDC_WZ_DAY_TODAY, IDC_WZ_DAY_EVERY, IDC_WZ_DAY_DATE});
    v.m_date = m_view.GetDate(IDC_WZ_DATE);
    for (std::size_t i = 0; i < 7; ++i) v.m_bWeekday[i] = m_view.GetCheck(kWeekdayControls[i]);
    v.m_nMonthChoice = RadioIndex(m_view, {IDC_WZ_MONTHLY, IDC_WZ_MONTH_END});
    v.m_nEndChoice = RadioIndex(m_view, {IDC_WZ_END_BY_DURATION, IDC_WZ_END_BY_TIME});
    v.m_nDurationIndex = m_view.GetSelection(IDC_WZ_DURATION);
    v.m_nEndDayIndex = m_view.GetSelection(IDC_WZ_END_DAY);
    v.m_nIntervalIndex = m_view.GetSelection(IDC_WZ_INTERVAL);
    v.m_nSplitIndex = m_view.GetSelection(IDC_WZ_SPLIT);
    v.m_strComment = m_view.GetText(IDC_WZ_COMMENT);
    m_values = v;
    return true;
}

void CScheduleWizardDlg::WriteControls() {
    const SWizardValues& v = m_values;
    for (const SIntegerField& field : IntegerFields())
        m_view.SetText(field.m_nControl, std::to_string(v.*(field.m_pValue)));
    m_view.SetText(IDC_WZ_TARGET, v.m_strTarget);
    SetRadio(m_view, {IDC_WZ_SHOW_HOSTS, IDC_WZ_SHOW_GROUPS}, v.m_bGroupDisplay ? 1 : 0);
    SetRadio(m_view, {IDC_WZ_TRIGGER_NORMAL, IDC_WZ_TRIGGER_THRESHOLD}, v.m_nTriggerKind);
    m_view.SetCheck(IDC_WZ_USE_CPU, v.m_bUseCpu);
    m_view.SetCheck(IDC_WZ_USE_MEM, v.m_bUseMem);
    m_view.SetCheck(IDC_WZ_USE_DISK, v.m_bUseDisk);
    SetRadio(m_view, {IDC_WZ_START_NOW, IDC_WZ_START_TIMER}, v.m_nStartKind);
    m_view.SetSelection(IDC_WZ_UNIT, v.m_nUnit);
    SetRadio(m_view, {IDC_WZ_DAY_TODAY, IDC_WZ_DAY_EVERY, IDC_WZ_DAY_DATE}, v.m_nDayChoice);
    m_view.SetDate(IDC_WZ_DATE, v.m_date);
    for (std::size_t i = 0; i < 7; ++i) m_view.SetCheck(kWeekdayControls[i], v.m_bWeekday[i]);
    SetRadio(m_view, {IDC_WZ_MONTHLY, IDC_WZ_MONTH_END}, v.m_nMonthChoice);
    SetRadio(m_view, {IDC_WZ_END_BY_DURATION, IDC_WZ_END_BY_TIME}, v.m_nEndChoice);
    m_view.SetSelection(IDC_WZ_DURATION, v.m_nDurationIndex);
    m_view.SetSelection(IDC_WZ_END_DAY, v.m_nEndDayIndex);
    m_view.SetSelection(IDC_WZ_INTERVAL, v.m_nIntervalIndex);
    m_view.SetSelection(IDC_WZ_SPLIT, v.m_nSplitIndex);
    m_view.SetText(IDC_WZ_COMMENT, v.m_strComment);
}

void CScheduleWizardDlg::UpdateNavigation() {
    const bool bView = m_eMode == EWizardMode::kView;
    const bool bLast = m_nPage == kPageSummary;
    m_view.ShowControl(kIdOk, bLast && !m_schedule.m_strTarget.empty());
    m_view.ShowControl(IDC_WZ_BACK, !bView && m_nPage != kPageTarget);
    m_view.ShowControl(IDC_WZ_NEXT, !bView && !bLast);
    m_view.ShowControl(2, !bView);
    // On the last page the focus goes to OK, or, when a past start hides it, to "<< 前" (the
    // way to correct the start); the confirmation text stays unselected either way.
    if (bLast && !m_schedule.m_strTarget.empty()) m_view.FocusControl(kIdOk);
    else if (bLast && !bView) m_view.FocusControl(IDC_WZ_BACK);
}
