// What Gather's controller and its collection jobs work with on this machine.
#pragma once
#include "file_ops.h"
#include "job/wait_clock.h"
#include "platform/clock.h"
#include "platform/host_access.h"

class CErrorLog;
class IExecutionIdStore;

// Chosen once, by each program's main (and by the test fixtures), and handed to CGatherDlg at
// construction. Every pointer must be set; everything pointed to must outlive the controller.
class CGatherEnvironment {
public:
    platform::HostAccess* m_pNetwork = nullptr;  // the hosts' registries, for the jobs
    // "Now" for the controller and its jobs (its Clock()), and the clock of the jobs' timed waits:
    // one object, so the two cannot disagree.
    IWaitClock* m_pWaitClock = nullptr;
    CErrorLog* m_pErrorLog = nullptr;             // failures of platform calls
    IFileOps* m_pFileOps = nullptr;               // the settings file's file operations
    IExecutionIdStore* m_pExecIdStore = nullptr;  // where the execution-ID counter is kept

    const platform::IClock& Clock() const { return m_pWaitClock->Clock(); }
    bool IsComplete() const;
};

// This machine: the system clock and real waits, the process's error log, the platform's file
// operations and the configuration store (registry on Windows); the network is the program's
// choice (the simulated or the real one).
CGatherEnvironment SystemGatherEnvironment(platform::HostAccess& network);
