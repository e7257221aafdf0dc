// Gather's exit request, the finishing of left-over data files, and window destruction.
#include <chrono>
#include <thread>
#include <vector>

#include "datafile/data_file_names.h"
#include "gather_dlg.h"
#include "gather_texts.h"
#include "platform/files.h"

namespace {

// The files a job writes while it records; finished files end in ".var".
constexpr const char* kLeftOverPattern = "VARN_*.va_";
constexpr auto kExitPoll = std::chrono::milliseconds(10);

}  // namespace

bool CGatherDlg::OnExitRequest() {
    int nRunning = 0;
    for (const CSchedule& schedule : *m_pSchedules) {
        if (schedule.m_nState > kStateWaiting) ++nRunning;
    }
    const char* pszQuestion =
        nRunning > 0 ? gather_text::kExitWithJobs : gather_text::kExitQuestion;
    if (m_boxes.Show(pszQuestion, gather_text::kExitCaption, EMessageIcon::kWarning,
                     EMessageButtons::kYesNo) != EMessageResult::kYes) {
        return false;
    }

    // Every slot is looked at, not only when runs were counted: the timer may have started one
    // while the question was open.
    const platform::Time tNow = m_pClock->Now();
    for (int i = 0; i < kScheduleSlots; ++i) {
        CSchedule& schedule = Schedule(i);
        if (schedule.m_nState <= kStateWaiting) continue;
        StopJobs(i);
        const std::optional<CScheduleRun> run = RunAfterStop(schedule, tNow);
        if (!run) {
            ResetSchedule(i);
            continue;
        }
        schedule.m_tNextStart = run->m_tStart;
        schedule.m_tNextEnd = run->m_tEnd;
        schedule.m_nState = kStateWaiting;
    }
    SaveSettings();
    FinishLeftOverDataFiles();
    return true;
}

int CGatherDlg::FinishLeftOverDataFiles() {
    // The stopped jobs finish their own files; give them up to the fixed wait, and no longer
    // than they need.
    const auto tDeadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(kExitWaitMs);
    const auto AllEnded = [this] {
        for (const auto& arrJobs : m_arrJobs) {
            for (const auto& pJob : arrJobs) {
                if (!pJob->HasEnded()) return false;
            }
        }
        return true;
    };
    while (!AllEnded() && std::chrono::steady_clock::now() < tDeadline)
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
    // Joining before freeing: no worker outlives its job object or keeps using its file.
    for (int i = 0; i < kScheduleSlots; ++i) ReleaseJobs(i);
    if (m_bStarted) ExecutionIds().SaveExecutionIdState(m_strDataDir);
}
