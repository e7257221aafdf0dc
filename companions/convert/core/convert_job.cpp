// The worker thread of Convert: one ConvertToCsv after the other, progress under a lock.
#include "convert_job.h"

namespace convert {

CConvertJob::~CConvertJob() {
    Cancel();
    if (m_thread.joinable()) m_thread.join();
}

void CConvertJob::Start(std::vector<CConvertTask> vecTasks, csv::ECsvEncoding eEncoding) {
    if (m_thread.joinable()) return;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_status = CStatus();
        m_status.m_nTasks = vecTasks.size();
    }
    m_thread = std::thread(&CConvertJob::Run, this, std::move(vecTasks), eEncoding);
}

void CConvertJob::Run(std::vector<CConvertTask> vecTasks, csv::ECsvEncoding eEncoding) {
    csv::CConvertOptions options;
    options.m_eEncoding = eEncoding;
    std::vector<csv::CConvertResult> vecResults;
    for (std::size_t i = 0; i < vecTasks.size() && !m_bCancel; ++i) {
        {
            std::lock_guard<std::mutex> guard(m_lock);
            m_status.m_nTask = i;
            m_status.m_progress = csv::CConvertProgress();
        }
        vecResults.push_back(csv::ConvertToCsv(
            vecTasks[i].m_vecPaths, vecTasks[i].m_strOutput, options,
            [this](const csv::CConvertProgress& progress) {
                std::lock_guard<std::mutex> guard(m_lock);
                m_status.m_progress = progress;
                return !m_bCancel.load();
            }));
    }
    std::lock_guard<std::mutex> guard(m_lock);
    m_vecResults = std::move(vecResults);
    m_status.m_bDone = true;
}

CConvertJob::CStatus CConvertJob::Status() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_status;
}

std::vector<csv::CConvertResult> CConvertJob::TakeResults() {
    std::lock_guard<std::mutex> guard(m_lock);
    return std::move(m_vecResults);
}

}  // namespace convert
