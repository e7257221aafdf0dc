// The schedule buttons: register, change and view through the wizard, and stop or delete.
#include <algorithm>

#include "gather_texts.h"
#include "schedule_conflict_check.h"
#include "schedule_ops.h"

namespace {

// The slots registration may use: the lowest free one above the last number assigned.
std::optional<int> FreeSlotAbove(const CScheduleTable& schedules, int nLast) {
    for (int i = std::max(nLast + 1, 1); i < kScheduleSlots; ++i) {
        if (schedules[static_cast<std::size_t>(i)].IsFree()) return i;
    }
    return std::nullopt;
}

}  // namespace

CScheduleOps::CScheduleOps(CGatherTables& tables, CScheduleRows& rows, CRunLog& runLog,
                           CScheduler& scheduler, const IGatherView& view, CMessageBoxes& boxes,
                           IScheduleWizard& wizard, const platform::IClock& clock)
    : m_pTables(&tables),
      m_pRows(&rows),
      m_pRunLog(&runLog),
      m_pScheduler(&scheduler),
      m_pView(&view),
      m_pBoxes(&boxes),
      m_pWizard(&wizard),
      m_pClock(&clock) {}

bool CScheduleOps::RunWizard(CScheduleWizardData& data) {
    *data.m_pHosts = m_pTables->Hosts();
    *data.m_pGroups = m_pTables->Groups();
    return m_pWizard->RunWizard(data);
}

void CScheduleOps::StartNowRun(CSchedule& schedule) const {
    // A booking that starts at once runs from now: for its duration, or until the end time of
    // day on today's date plus the day offset.
    if (schedule.m_nRepeat != kRepeatAtOnce) return;
    const platform::Time tNow = m_pClock->Now();
    schedule.m_tNextStart = tNow;
    schedule.m_tNextEnd = RunEnd(schedule, tNow).value_or(tNow + schedule.m_tsDuration);
}

bool CScheduleOps::CommitWizardRecord(int n, const CScheduleWizardData& data,
                                      std::string& strConflict) {
    // The wizard's copies become the live tables, its record takes the slot as a waiting
    // schedule, and the booking is checked against every other schedule on the same hosts.
    m_pTables->Groups() = *data.m_pGroups;
    m_pTables->SetLastSchedule(n);
    CSchedule& schedule = m_pTables->Schedule(n);
    schedule = data.m_schedule;
    schedule.m_nState = kStateWaiting;
    StartNowRun(schedule);
    return m_pScheduler->RunOverlapCheck(strConflict);
}

void CScheduleOps::RegisterSchedule() {
    const std::optional<int> nSlot =
        FreeSlotAbove(m_pTables->Schedules(), m_pTables->LastSchedule());
    if (!nSlot) {
        m_pBoxes->Show(gather_text::kScheduleTableFull, gather_text::kErrorCaption,
                       EMessageIcon::kWarning, EMessageButtons::kOk);
        return;
    }
    const int n = *nSlot;
    m_pTables->ResetSchedule(n);
    CScheduleWizardData data;
    data.m_eMode = EWizardMode::kNew;
    for (;;) {
        data.m_schedule = m_pTables->Schedule(n);
        const bool bOk = RunWizard(data);
        m_pTables->Hosts() = *data.m_pHosts;
        if (!bOk) {
            m_pTables->ResetSchedule(n);
            return;
        }
        std::string strText;
        if (CommitWizardRecord(n, data, strText)) break;
        // The refused booking leaves the table before the box opens: the scheduler ticks while
        // the box is up and must not start it, nor take it for a collision.
        if (m_pBoxes->IsOpen()) {
            m_pTables->ResetSchedule(n);
            return;
        }
        // The entered record stays in the slot, freed, and the wizard shows it again.
        m_pTables->Schedule(n).m_nState = kStateFree;
        data.m_eMode = EWizardMode::kRetry;
        m_pBoxes->Show(strText, kConflictTitleRefused, EMessageIcon::kNone, EMessageButtons::kOk);
    }
    m_pRunLog->AddLog(m_pTables->Schedule(n).m_strTarget, gather_text::Registered(n));
    m_pRows->RefreshScheduleRow(n, -1, true);
}

std::optional<int> CScheduleOps::SelectedSchedule() {
    const std::vector<int> arrSelected = m_pView->GetSelectedRows(EGatherList::kSchedules);
    const std::optional<int> nSchedule =
        arrSelected.empty() ? std::nullopt : m_pRows->RowSchedule(arrSelected.front());
    if (!nSchedule) {
        m_pBoxes->Show(gather_text::kNoScheduleSelected, gather_text::kErrorCaption,
                       EMessageIcon::kWarning, EMessageButtons::kOk);
    }
    return nSchedule;
}

void CScheduleOps::ChangeSchedule() {
    const std::optional<int> nSchedule = SelectedSchedule();
    if (!nSchedule) return;
    const int i = *nSchedule;
    const auto RefuseRunning = [&] {
        m_pBoxes->Show(gather_text::RunningCannotChange(i), gather_text::kErrorCaption,
                       EMessageIcon::kWarning, EMessageButtons::kOk);
    };
    if (m_pTables->Schedule(i).m_nState > kStateWaiting) {
        RefuseRunning();
        return;
    }

    CScheduleWizardData data;
    data.m_eMode = EWizardMode::kChange;
    for (;;) {
        const CSchedule kept = m_pTables->Schedule(i);
        data.m_schedule = kept;
        const bool bOk = RunWizard(data);
        m_pTables->Hosts() = *data.m_pHosts;
        if (!bOk) return;
        // The timer goes on while the wizard is open: a run that started meanwhile keeps its
        // record, and its jobs keep running.
        if (m_pTables->Schedule(i).m_nState > kStateWaiting) {
            RefuseRunning();
            return;
        }
        std::string strText;
        if (CommitWizardRecord(i, data, strText)) break;
        // The booking as it was goes back before the box opens: the scheduler ticks while the
        // box is up and must see the booking its row shows.
        m_pTables->Schedule(i) = kept;
        if (!m_pBoxes->IsOpen())
            m_pBoxes->Show(strText, kConflictTitleRefused, EMessageIcon::kNone,
                           EMessageButtons::kOk);
        // The kept booking may have started meanwhile; a running booking cannot be changed.
        if (m_pTables->Schedule(i).m_nState > kStateWaiting) {
            RefuseRunning();
            return;
        }
    }
    m_pRunLog->AddLog(m_pTables->Schedule(i).m_strTarget, gather_text::Registered(i));
    m_pRows->RewriteScheduleRows(i);
}

void CScheduleOps::ViewSchedule() {
    const std::optional<int> nSchedule = SelectedSchedule();
    if (!nSchedule) return;
    CScheduleWizardData data;
    data.m_eMode = EWizardMode::kView;
    data.m_schedule = m_pTables->Schedule(*nSchedule);
    RunWizard(data);
}

void CScheduleOps::StopOrDeleteSchedules() {
    if (m_pView->GetSelectedRows(EGatherList::kSchedules).empty()) return;
    if (m_pBoxes->Show(gather_text::kStopOrDeleteQuestion, gather_text::kStopOrDeleteCaption,
                       EMessageIcon::kNone, EMessageButtons::kYesNo) != EMessageResult::kYes)
        return;

    // The selection as it is after the question, taken as schedule numbers: rows move while
    // they are deleted and rewritten.
    std::vector<int> arrSchedules;
    for (int nRow : m_pView->GetSelectedRows(EGatherList::kSchedules)) {
        const std::optional<int> nSchedule = m_pRows->RowSchedule(nRow);
        if (nSchedule &&
            std::find(arrSchedules.begin(), arrSchedules.end(), *nSchedule) == arrSchedules.end())
            arrSchedules.push_back(*nSchedule);
    }
    const platform::Time tNow = m_pClock->Now();
    for (int i : arrSchedules) {
        const CSchedule& schedule = m_pTables->Schedule(i);
        if (schedule.IsFree()) {
            m_pRows->DeleteScheduleRows(i);
            continue;
        }
        const std::string strTarget = schedule.m_strTarget;
        if (schedule.m_nState > kStateWaiting) {
            // A running repeated schedule is interrupted and waits for its next run; a running
            // one-time schedule is deleted.
            const bool bKept = m_pScheduler->StopRun(i, tNow);
            m_pRunLog->AddLog(strTarget,
                              bKept ? gather_text::Interrupted(i) : gather_text::Deleted(i));
            if (bKept) {
                m_pRows->RewriteScheduleRows(i);
            } else {
                m_pRows->DeleteScheduleRows(i);
            }
            continue;
        }
        // A waiting schedule is deleted.
        m_pRunLog->AddLog(strTarget, gather_text::Deleted(i));
        m_pTables->ResetSchedule(i);
        m_pRows->DeleteScheduleRows(i);
    }
}
