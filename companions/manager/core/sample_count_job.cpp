// Counting sample records file by file on a worker thread.
#include "sample_count_job.h"

#include "datafile/data_file_reader.h"

namespace manager {

std::optional<std::size_t> CountSamples(const std::string& strPath,
                                        const std::atomic<bool>& bStop) {
    CDataFileReader reader;
    reader.SetReadSize(1u << 20);
    if (reader.Open(strPath) != platform::kSuccess) return std::nullopt;
    std::size_t nSamples = 0;
    platform::Time tSample = 0;
    perf::PerfBytes block;
    for (;;) {
        if ((nSamples & 0xFF) == 0 && bStop) return std::nullopt;
        const ESampleRead eRead = reader.NextView(tSample, block);
        if (eRead != ESampleRead::kSample) {
            // A damaged record or a read error ends the count where the readers stop.
            return eRead == ESampleRead::kReadError ? std::nullopt : std::optional(nSamples);
        }
        ++nSamples;
    }
}

CSampleCountJob::~CSampleCountJob() {
    Stop();
}

void CSampleCountJob::Start(std::vector<std::string> vecPaths) {
    if (m_thread.joinable()) return;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_vecCounts.assign(vecPaths.size(), CCount());
        m_bDone = false;
    }
    m_bStop = false;
    m_thread = std::thread(&CSampleCountJob::Run, this, std::move(vecPaths));
}

void CSampleCountJob::Stop() {
    m_bStop = true;
    if (m_thread.joinable()) m_thread.join();
}

void CSampleCountJob::Run(std::vector<std::string> vecPaths) {
    for (std::size_t i = 0; i < vecPaths.size() && !m_bStop; ++i) {
        const std::optional<std::size_t> nSamples = CountSamples(vecPaths[i], m_bStop);
        if (m_bStop) break;
        std::lock_guard<std::mutex> guard(m_lock);
        m_vecCounts[i] = nSamples ? CCount{EState::kCounted, *nSamples} : CCount{EState::kFailed, 0};
    }
    std::lock_guard<std::mutex> guard(m_lock);
    m_bDone = true;
}

std::vector<CSampleCountJob::CCount> CSampleCountJob::Counts(bool& bDone) const {
    std::lock_guard<std::mutex> guard(m_lock);
    bDone = m_bDone;
    return m_vecCounts;
}

}  // namespace manager
