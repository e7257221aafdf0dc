// The schedule buttons: register, change and view through the wizard, and stop or delete.
#include <algorithm>

#include "gather_dlg.h"
#include "gather_texts.h"
#include "schedule_conflict_check.h"

namespace {

// The slots registration may use: the lowest free one above the last number assigned.
std::optional<int> FreeSlotAbove(const CScheduleTable& schedules, int nLast) {
    for (int i = std::max(nLast + 1, 1); i < kScheduleSlots; ++i) {
        if (schedules[static_cast<std::size_t>(i)].IsFree()) return i;
    }
    return std::nullopt;
}

}  // namespace

bool CGatherDlg::RunWizard(CScheduleWizardData& data) {
    *data.m_pHosts = *m_pHosts;
    *data.m_pGroups = *m_pGroups;
    return m_pWizard->RunWizard(data);
}

void CGatherDlg::StartNowRun(CSchedule& schedule) const {
    // A booking that starts at once runs from now: for its duration, or until the end time of
    // day on today's date plus the day offset.
    if (schedule.m_nRepeat != kRepeatAtOnce) return;
    const platform::Time tNow = m_pClock->Now();
    schedule.m_tNextStart = tNow;
    schedule.m_tNextEnd = RunEnd(schedule, tNow).value_or(tNow + schedule.m_tsDuration);
}

bool CGatherDlg::CommitWizardRecord(int n, const CScheduleWizardData& data,
                                    std::string& strConflict) {
    // The wizard's copies become the live tables, its record takes the slot as a waiting
    // schedule, and the booking is checked against every other schedule on the same hosts.
    *m_pGroups = *data.m_pGroups;
    m_nLastSchedule = n;
    CSchedule& schedule = Schedule(n);
    schedule = data.m_schedule;
    schedule.m_nState = kStateWaiting;
    StartNowRun(schedule);
    return RunOverlapCheck(strConflict);
}

std::optional<CScheduleRun> CGatherDlg::RunAfterStop(const CSchedule& schedule,
                                                     platform::Time tNow) {
    std::optional<CScheduleRun> run = NextRun(schedule, tNow);
    if (run && run->m_tStart <= schedule.m_tNextStart)
        run = NextRun(schedule, schedule.m_tNextStart + 1);
    return run;
}

void CGatherDlg::RegisterSchedule() {
    if (m_pWizard == nullptr) return;
    const std::optional<int> nSlot = FreeSlotAbove(*m_pSchedules, m_nLastSchedule);
    if (!nSlot) {
        m_boxes.Show(gather_text::kScheduleTableFull, gather_text::kErrorCaption,
                     EMessageIcon::kWarning, EMessageButtons::kOk);
        return;
    }
    const int n = *nSlot;
    ResetSchedule(n);
    CScheduleWizardData data;
    data.m_eMode = EWizardMode::kNew;
    for (;;) {
        data.m_schedule = Schedule(n);
        const bool bOk = RunWizard(data);
        *m_pHosts = *data.m_pHosts;
        if (!bOk) {
            ResetSchedule(n);
            return;
        }
        std::string strText;
        if (CommitWizardRecord(n, data, strText)) break;
        CSchedule& schedule = Schedule(n);
        if (IsMessageBoxOpen()) {
            ResetSchedule(n);
            return;
        }
        m_boxes.Show(strText, kConflictTitleRefused, EMessageIcon::kNone, EMessageButtons::kOk);
        // The entered record stays in the slot, freed, and the wizard shows it again.
        data.m_eMode = EWizardMode::kRetry;
        schedule.m_nState = kStateFree;
    }
    AddLog(Schedule(n).m_strTarget, gather_text::Registered(n));
    RefreshScheduleRow(n, -1, true);
}

void CGatherDlg::ChangeSchedule() {
    if (m_pWizard == nullptr) return;
    const std::vector<int> arrSelected = m_pView->GetSelectedRows(EGatherList::kSchedules);
    const std::optional<int> nSchedule =
        arrSelected.empty() ? std::nullopt : RowSchedule(arrSelected.front());
    if (!nSchedule) {
        m_boxes.Show(gather_text::kNoScheduleSelected, gather_text::kErrorCaption,
                     EMessageIcon::kWarning, EMessageButtons::kOk);
        return;
    }
    const int i = *nSchedule;
    const auto RefuseRunning = [&] {
        m_boxes.Show(gather_text::RunningCannotChange(i), gather_text::kErrorCaption,
                     EMessageIcon::kWarning, EMessageButtons::kOk);
    };
    if (Schedule(i).m_nState > kStateWaiting) {
        RefuseRunning();
        return;
    }

    CScheduleWizardData data;
    data.m_eMode = EWizardMode::kChange;
    for (;;) {
        const CSchedule kept = Schedule(i);
        data.m_schedule = kept;
        const bool bOk = RunWizard(data);
        *m_pHosts = *data.m_pHosts;
        if (!bOk) return;
        // The timer goes on while the wizard is open: a run that started meanwhile keeps its
        // record, and its jobs keep running.
        if (Schedule(i).m_nState > kStateWaiting) {
            RefuseRunning();
            return;
        }
        std::string strText;
        if (CommitWizardRecord(i, data, strText)) break;
        if (!IsMessageBoxOpen()) {
            m_boxes.Show(strText, kConflictTitleRefused, EMessageIcon::kNone, EMessageButtons::kOk);
        }
        Schedule(i) = kept;
    }
    AddLog(Schedule(i).m_strTarget, gather_text::Registered(i));
    RewriteScheduleRows(i);
}

void CGatherDlg::ViewSchedule() {
    const std::vector<int> arrSelected = m_pView->GetSelectedRows(EGatherList::kSchedules);
    const std::optional<int> nSchedule =
        arrSelected.empty() ? std::nullopt : RowSchedule(arrSelected.front());
    if (!nSchedule) {
        m_boxes.Show(gather_text::kNoScheduleSelected, gather_text::kErrorCaption,
                     EMessageIcon::kWarning, EMessageButtons::kOk);
        return;
    }
    if (m_pWizard == nullptr) return;
    CScheduleWizardData data;
    data.m_eMode = EWizardMode::kView;
    data.m_schedule = Schedule(*nSchedule);
    RunWizard(data);
}

void CGatherDlg::StopOrDeleteSchedules() {
    if (m_pView->GetSelectedRows(EGatherList::kSchedules).empty()) return;
    if (m_boxes.Show(gather_text::kStopOrDeleteQuestion, gather_text::kStopOrDeleteCaption,
                     EMessageIcon::kNone, EMessageButtons::kYesNo) != EMessageResult::kYes)
        return;

    // The selection as it is after the question, taken as schedule numbers: rows move while
    // they are deleted and rewritten.
    std::vector<int> arrSchedules;
    for (int nRow : m_pView->GetSelectedRows(EGatherList::kSchedules)) {
        const std::optional<int> nSchedule = RowSchedule(nRow);
        if (nSchedule &&
            std::find(arrSchedules.begin(), arrSchedules.end(), *nSchedule) == arrSchedules.end())
            arrSchedules.push_back(*nSchedule);
    }
    const platform::Time tNow = m_pClock->Now();
    for (int i : arrSchedules) {
        CSchedule& schedule = Schedule(i);
        if (schedule.IsFree()) {
            DeleteScheduleRows(i);
            continue;
        }
        const std::optional<CScheduleRun> run = schedule.m_nState > kStateWaiting
                                                    ? RunAfterStop(schedule, tNow)
                                                    : NextRun(schedule, tNow);
        if (run && schedule.m_nState > kStateWaiting) {
            // A repeated run is interrupted and the schedule waits for its next run.
            AddLog(schedule.m_strTarget, gather_text::Interrupted(i));
            StopJobs(i);
            schedule.m_nState = kStateWaiting;
            schedule.m_tNextStart = run->m_tStart;
            schedule.m_tNextEnd = run->m_tEnd;
            RewriteScheduleRows(i);
            continue;
        }
        // A one-time schedule, or a waiting one, is deleted.
        AddLog(schedule.m_strTarget, gather_text::Deleted(i));
        if (!run) StopJobs(i);
        ResetSchedule(i);
        DeleteScheduleRows(i);
    }
}
