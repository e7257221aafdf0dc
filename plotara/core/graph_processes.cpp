// The running list of started Graph processes and their watcher threads.
#include "graph_processes.h"

#include <algorithm>
#include <system_error>
#include <utility>

#include "platform/process.h"

namespace plotara {
namespace {

class CStartedChildProcess final : public IStartedProgram {
public:
    platform::ChildProcess m_process;
    platform::ErrorCode WaitForExit(unsigned nTimeoutMs) override {
        return m_process.WaitForExit(nTimeoutMs);
    }
};

}  // namespace

ProgramStarter ChildProcessStarter(std::string strCommandLine, unsigned nIdleTimeoutMs) {
    return [strCommandLine = std::move(strCommandLine),
            nIdleTimeoutMs](std::unique_ptr<IStartedProgram>& pProgram) {
        auto pChild = std::make_unique<CStartedChildProcess>();
        const platform::ErrorCode nError = pChild->m_process.Start(strCommandLine);
        if (nError != platform::kSuccess) return nError;
        // Ready for input or not, the program runs: the outcome of this wait changes nothing.
        pChild->m_process.WaitUntilIdle(nIdleTimeoutMs);
        pProgram = std::move(pChild);
        return platform::kSuccess;
    };
}

CGraphProcesses::~CGraphProcesses() {
    m_bStopping = true;
    for (SWatcher& watcher : m_watchers) {
        if (watcher.m_thread.joinable()) watcher.m_thread.join();
    }
}

platform::ErrorCode CGraphProcesses::Start(const ProgramStarter& fnStart) {
    JoinFinishedWatchers();
    if (!fnStart) return platform::kErrorInvalidParameter;
    std::unique_ptr<IStartedProgram> pProgram;
    const platform::ErrorCode nError = fnStart(pProgram);
    if (nError != platform::kSuccess || !pProgram) return nError;

    const std::uint64_t nEntry = m_nNextEntry++;
    {
        const std::lock_guard<std::mutex> guard(m_lock);
        m_arrRunning.push_back(nEntry);
    }
    SWatcher& watcher = m_watchers.emplace_back();
    try {
        watcher.m_thread = std::thread(&CGraphProcesses::Watch, this, nEntry,
                                       std::move(pProgram), std::ref(watcher));
    } catch (const std::system_error&) {
        // No thread to watch it: its entry would never leave and the window could never close,
        // so the program is let go (it goes on running) and not counted.
        m_watchers.pop_back();
        const std::lock_guard<std::mutex> guard(m_lock);
        m_arrRunning.erase(std::find(m_arrRunning.begin(), m_arrRunning.end(), nEntry));
        return platform::kErrorNotEnoughMemory;
    }
    return platform::kSuccess;
}

std::size_t CGraphProcesses::Count() const {
    const std::lock_guard<std::mutex> guard(m_lock);
    return m_arrRunning.size();
}

void CGraphProcesses::Watch(std::uint64_t nEntry, std::unique_ptr<IStartedProgram> pProgram,
                            SWatcher& watcher) {
    // A wait that fails for another reason than time cannot tell any more: the entry goes, so
    // that the window can still be closed.
    while (!m_bStopping && pProgram->WaitForExit(kStopLatencyMs) == platform::kErrorTimeout) {
    }
    pProgram.reset();  // closes the process handle
    {
        const std::lock_guard<std::mutex> guard(m_lock);
        const auto entry = std::find(m_arrRunning.begin(), m_arrRunning.end(), nEntry);
        if (entry != m_arrRunning.end()) m_arrRunning.erase(entry);
    }
    watcher.m_bDone = true;
}

void CGraphProcesses::JoinFinishedWatchers() {
    for (auto it = m_watchers.begin(); it != m_watchers.end();) {
        if (it->m_bDone) {
            it->m_thread.join();
            it = m_watchers.erase(it);
        } else {
            ++it;
        }
    }
}

}  // namespace plotara
