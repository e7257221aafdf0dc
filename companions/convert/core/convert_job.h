// Converts the chosen collections one after the other on a worker thread: the window asks for
// the progress on its timer and takes the results when the job is done. Nothing else is shared.
#pragma once
#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "csv_conversion.h"

namespace convert {

// One CSV file to make: the finished pieces of one collection in branch order.
struct CConvertTask {
    std::vector<std::string> m_vecPaths;
    std::string m_strOutput;
};

class CConvertJob {
public:
    CConvertJob() = default;
    // Cancels a job still running and waits for its thread.
    ~CConvertJob();
    CConvertJob(const CConvertJob&) = delete;
    CConvertJob& operator=(const CConvertJob&) = delete;

    // Starts converting (at most one job per object).
    void Start(std::vector<CConvertTask> vecTasks, csv::ECsvEncoding eEncoding);

    struct CStatus {
        bool m_bDone = false;
        std::size_t m_nTask = 0;  // the task being converted, from 0
        std::size_t m_nTasks = 0;
        csv::CConvertProgress m_progress;  // of that task
    };
    CStatus Status() const;

    // One result per task once Status says done (a cancelled job has the results of the tasks
    // it finished and the cancelled one's); moved out, so take them once.
    std::vector<csv::CConvertResult> TakeResults();

    // Asks the worker to stop; the conversion under way ends at its next progress report and
    // leaves nothing behind, the tasks after it are not started.
    void Cancel() { m_bCancel = true; }
    bool Cancelled() const { return m_bCancel; }

private:
    void Run(std::vector<CConvertTask> vecTasks, csv::ECsvEncoding eEncoding);

    mutable std::mutex m_lock;  // guards the members up to m_vecResults
    CStatus m_status;
    std::vector<csv::CConvertResult> m_vecResults;

    std::atomic<bool> m_bCancel{false};
    std::thread m_thread;
};

}  // namespace convert
