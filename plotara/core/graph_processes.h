// The running list: the Graph processes this window started, each watched by its own thread.
#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/error_codes.h"

namespace plotara {

// One started program as the running list watches it.
class IStartedProgram {
public:
    virtual ~IStartedProgram() = default;
    // Waits up to nTimeoutMs for the program to end: kSuccess once it has ended, kErrorTimeout
    // while it runs, another code when it cannot be waited for.
    virtual platform::ErrorCode WaitForExit(unsigned nTimeoutMs) = 0;
};

// Starts a program and waits until it is ready for input; fills pProgram and returns kSuccess
// when the program was started.
using ProgramStarter = std::function<platform::ErrorCode(std::unique_ptr<IStartedProgram>& pProgram)>;

// A starter for a real program: platform::ChildProcess started with the command line, then
// waited for until idle for at most nIdleTimeoutMs, whatever that wait gives.
ProgramStarter ChildProcessStarter(std::string strCommandLine, unsigned nIdleTimeoutMs);

// Every started program gets an entry and a watcher thread; the watcher waits for the program to
// end and then removes the entry. Entries are added, removed and counted under one lock.
//
// No watcher outlives this object: the destructor asks every watcher to stop and joins it.
// A watcher asked to stop lets go of its program (which goes on running on its own) at its
// next look, at most kStopLatencyMs later. Watchers that have finished are joined whenever a
// program is started, so their threads do not pile up.
class CGraphProcesses {
public:
    // How often a waiting watcher looks whether it was asked to stop.
    static constexpr unsigned kStopLatencyMs = 100;

    CGraphProcesses() = default;
    ~CGraphProcesses();
    CGraphProcesses(const CGraphProcesses&) = delete;
    CGraphProcesses& operator=(const CGraphProcesses&) = delete;

    // Starts one program with fnStart. On success its entry is added and its watcher started;
    // when it cannot be started nothing changes and fnStart's code is returned
    // (kErrorNotEnoughMemory when no watcher thread could be made; the program then runs on
    // unwatched).
    platform::ErrorCode Start(const ProgramStarter& fnStart);

    // Entries in the running list now.
    std::size_t Count() const;

private:
    struct SWatcher {
        std::thread m_thread;
        std::atomic<bool> m_bDone{false};
    };

    void Watch(std::uint64_t nEntry, std::unique_ptr<IStartedProgram> pProgram, SWatcher& watcher);
    void JoinFinishedWatchers();

    mutable std::mutex m_lock;             // guards m_arrRunning
    std::vector<std::uint64_t> m_arrRunning;  // one entry per running program
    std::uint64_t m_nNextEntry = 1;         // UI thread only
    std::list<SWatcher> m_watchers;         // UI thread only
    std::atomic<bool> m_bStopping{false};
};

}  // namespace plotara
