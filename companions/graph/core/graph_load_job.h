// Reads a graph request's data files on a worker thread: the window asks for the progress on
// its timer and takes the result when the job is done. Nothing else is shared.
#pragma once
#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "series/counter_choice.h"
#include "series/series_loader.h"

class CGraphLoadJob {
public:
    CGraphLoadJob() = default;
    // Cancels a job still running and waits for its thread.
    ~CGraphLoadJob();
    CGraphLoadJob(const CGraphLoadJob&) = delete;
    CGraphLoadJob& operator=(const CGraphLoadJob&) = delete;

    // Starts reading the files (at most one job per object).
    void Start(std::vector<std::string> vecPaths, const series::CCounterChoice& choice);

    struct CStatus {
        bool m_bDone = false;
        series::CLoadProgress m_progress;
    };
    CStatus Status() const;

    // The result once Status says done; the series is moved out, so take it once.
    series::CLoadResult TakeResult();

    // Asks the worker to stop; it ends at its next progress report.
    void Cancel() { m_bCancel = true; }

private:
    void Run(std::vector<std::string> vecPaths, series::CCounterChoice choice);

    mutable std::mutex m_lock;  // guards the three members below
    series::CLoadProgress m_progress;
    bool m_bDone = false;
    series::CLoadResult m_result;

    std::atomic<bool> m_bCancel{false};
    std::thread m_thread;
};
