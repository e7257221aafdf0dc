// Counts the samples of data files on a worker thread, one file after the other, so that a
// directory of large files lists at once and the counts follow. Nothing else is shared.
#pragma once
#include <atomic>
#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace manager {

// The whole sample records of the file (a record still being written is not counted), or
// nothing when the file cannot be read as a data file. Stops early, giving nothing, when bStop
// becomes true.
std::optional<std::size_t> CountSamples(const std::string& strPath, const std::atomic<bool>& bStop);

class CSampleCountJob {
public:
    CSampleCountJob() = default;
    // Stops a job still running and waits for its thread.
    ~CSampleCountJob();
    CSampleCountJob(const CSampleCountJob&) = delete;
    CSampleCountJob& operator=(const CSampleCountJob&) = delete;

    // Starts counting the files (at most one job per object).
    void Start(std::vector<std::string> vecPaths);
    // Stops the job and waits for its thread.
    void Stop();

    enum class EState { kWaiting, kCounted, kFailed };
    struct CCount {
        EState m_eState = EState::kWaiting;
        std::size_t m_nSamples = 0;
    };
    // The counts so far, one per path; bDone when every file has been counted.
    std::vector<CCount> Counts(bool& bDone) const;

private:
    void Run(std::vector<std::string> vecPaths);

    mutable std::mutex m_lock;  // guards the two members below
    std::vector<CCount> m_vecCounts;
    bool m_bDone = false;

    std::atomic<bool> m_bStop{false};
    std::thread m_thread;
};

}  // namespace manager
