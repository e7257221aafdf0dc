// Gather's exit request, the finishing of left-over data files, and window destruction.
#include <chrono>
#include <thread>
#include <vector>

#include "datafile/data_file_names.h"
#include "gather_dlg.h"
#include "gather_texts.h"
#include "platform/files.h"
#include "settings_messages.h"

namespace {

// The files a job writes while it records; finished files end in ".var".
constexpr const char* kLeftOverPattern = "VARN_*.va_";
constexpr auto kExitPoll = std::chrono::milliseconds(10);

}  // namespace

bool CGatherDlg::OnExitRequest() {
    int nRunning = 0;
    for (const CSchedule& schedule : m_tables.Schedules()) {
        if (schedule.m_nState > kStateWaiting) ++nRunning;
    }
    const char* pszQuestion =
        nRunning > 0 ? gather_text::kExitWithJobs : gather_text::kExitQuestion;
    if (!m_boxes.AskYesNo(pszQuestion, gather_text::kExitCaption, EMessageIcon::kWarning))
        return false;

    // Every slot is looked at, not only when runs were counted: the timer may have started one
    // while the question was open. From here until the window closes no run may start again: a
    // failed save reports itself in a box whose message loop goes on delivering the timer.
    m_scheduler.Hold(true);
    const platform::Time tNow = m_environment.Clock().Now();
    for (int i = 0; i < kScheduleSlots; ++i) {
        if (m_tables.Schedule(i).m_nState <= kStateWaiting) continue;
        // The rows matter when the exit is called off and the window stays open.
        if (m_scheduler.StopRun(i, tNow)) {
            m_rows.RewriteScheduleRows(i);
        } else {
            m_rows.DeleteScheduleRows(i);
        }
    }
    const std::string strFailure = m_settings.Save();
    if (!strFailure.empty()) {
        m_boxes.Show(strFailure + gather_text::kExitCalledOff, kSettingsErrorCaption,
                     EMessageIcon::kWarning, EMessageButtons::kOk);
        m_scheduler.Hold(false);
        return false;
    }
    FinishLeftOverDataFiles();
    return true;
}

int CGatherDlg::FinishLeftOverDataFiles() {
    // The stopped jobs finish their own files; give them up to the fixed wait, and no longer
    // than they need.
    const auto tDeadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(kExitWaitMs);
    while (!m_jobs.AllEnded() && std::chrono::steady_clock::now() < tDeadline)
        std::this_thread::sleep_for(kExitPoll);

    std::vector<platform::FoundFile> arrFound;
    if (platform::FindFiles(m_strDataDir + kLeftOverPattern, arrFound) != platform::kSuccess)
        return 0;
    int nRenamed = 0;
    for (const platform::FoundFile& found : arrFound) {
        if (found.bDirectory || found.bHidden) continue;
        std::string strFinished;
        if (datafile::RenameToFinished(m_strDataDir + found.strName, strFinished) ==
            platform::kSuccess)
            ++nRenamed;
    }
    return nRenamed;
}

void CGatherDlg::OnDestroyGather() {
    if (m_bDestroyed) return;
    m_bDestroyed = true;
    m_jobs.ReleaseAllJobs();
    if (m_bStarted) m_executionIds.SaveExecutionIdState(m_strDataDir);
}
