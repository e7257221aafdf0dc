// The worker thread of a graph request: the series loader with its progress under a lock.
#include "graph_load_job.h"

CGraphLoadJob::~CGraphLoadJob() {
    Cancel();
    if (m_thread.joinable()) m_thread.join();
}

void CGraphLoadJob::Start(std::vector<std::string> vecPaths, const series::CCounterChoice& choice) {
    if (m_thread.joinable()) return;
    m_thread = std::thread(&CGraphLoadJob::Run, this, std::move(vecPaths), choice);
}

void CGraphLoadJob::Run(std::vector<std::string> vecPaths, series::CCounterChoice choice) {
    series::CLoadResult result =
        series::LoadSeries(vecPaths, choice, [this](const series::CLoadProgress& progress) {
            std::lock_guard<std::mutex> guard(m_lock);
            m_progress = progress;
            return !m_bCancel.load();
        });
    std::lock_guard<std::mutex> guard(m_lock);
    m_result = std::move(result);
    m_bDone = true;
}

CGraphLoadJob::CStatus CGraphLoadJob::Status() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return {m_bDone, m_progress};
}

series::CLoadResult CGraphLoadJob::TakeResult() {
    std::lock_guard<std::mutex> guard(m_lock);
    return std::move(m_result);
}
