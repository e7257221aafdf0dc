// The running list of started Graph processes: entries come with a start and go when the
// program ends, and no watcher thread outlives the list.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "graph_processes.h"

namespace {

using plotara::CGraphProcesses;
using plotara::IStartedProgram;

// A program whose end the test decides; it counts its own destruction.
class CScriptedProgram final : public IStartedProgram {
public:
    struct SControl {
        std::mutex lock;
        std::condition_variable changed;
        bool bEnded = false;
        platform::ErrorCode nWaitError = platform::kSuccess;  // what the end reports
        std::atomic<int> nDestroyed{0};
        std::atomic<int> nWaits{0};

        void End(platform::ErrorCode nError = platform::kSuccess) {
            const std::lock_guard<std::mutex> guard(lock);
            bEnded = true;
            nWaitError = nError;
            changed.notify_all();
        }
    };

    explicit CScriptedProgram(std::shared_ptr<SControl> pControl) : m_pControl(std::move(pControl)) {}
    ~CScriptedProgram() override { ++m_pControl->nDestroyed; }

    platform::ErrorCode WaitForExit(unsigned nTimeoutMs) override {
        ++m_pControl->nWaits;
        std::unique_lock<std::mutex> guard(m_pControl->lock);
        if (!m_pControl->changed.wait_for(guard, std::chrono::milliseconds(nTimeoutMs),
                                          [&] { return m_pControl->bEnded; }))
            return platform::kErrorTimeout;
        return m_pControl->nWaitError;
    }

private:
    std::shared_ptr<SControl> m_pControl;
};

plotara::ProgramStarter StarterFor(const std::shared_ptr<CScriptedProgram::SControl>& pControl) {
    return [pControl](std::unique_ptr<IStartedProgram>& pProgram) {
        pProgram = std::make_unique<CScriptedProgram>(pControl);
        return platform::kSuccess;
    };
}

// Waits until the count is reached; the watcher removes its entry a moment after the end.
bool CountBecomes(const CGraphProcesses& graphs, std::size_t nCount) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (graphs.Count() != nCount) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

TEST(GraphProcessesTest, TwoStartedProgramsAreListedUntilEachEnds) {
    auto first = std::make_shared<CScriptedProgram::SControl>();
    auto second = std::make_shared<CScriptedProgram::SControl>();
    CGraphProcesses graphs;
    EXPECT_EQ(graphs.Count(), 0u);
    ASSERT_EQ(graphs.Start(StarterFor(first)), platform::kSuccess);
    ASSERT_EQ(graphs.Start(StarterFor(second)), platform::kSuccess);
    EXPECT_EQ(graphs.Count(), 2u);

    second->End();
    EXPECT_TRUE(CountBecomes(graphs, 1));
    EXPECT_EQ(second->nDestroyed, 1);  // its handle is closed once it ended
    EXPECT_EQ(first->nDestroyed, 0);
    first->End();
    EXPECT_TRUE(CountBecomes(graphs, 0));
    EXPECT_EQ(first->nDestroyed, 1);
}

TEST(GraphProcessesTest, AProgramThatCannotStartLeavesTheListAsItWas) {
    CGraphProcesses graphs;
    EXPECT_EQ(graphs.Start([](std::unique_ptr<IStartedProgram>&) {
        return platform::kErrorFileNotFound;
    }), platform::kErrorFileNotFound);
    EXPECT_EQ(graphs.Start({}), platform::kErrorInvalidParameter);
    EXPECT_EQ(graphs.Count(), 0u);
}

TEST(GraphProcessesTest, AWaitThatFailsLetsTheEntryGoSoTheWindowCanClose) {
    auto program = std::make_shared<CScriptedProgram::SControl>();
    CGraphProcesses graphs;
    ASSERT_EQ(graphs.Start(StarterFor(program)), platform::kSuccess);
    program->End(platform::kErrorInvalidHandle);
    EXPECT_TRUE(CountBecomes(graphs, 0));
}

TEST(GraphProcessesTest, TheListsEndStopsItsWatchersAndLetsRunningProgramsGo) {
    auto running = std::make_shared<CScriptedProgram::SControl>();
    auto ended = std::make_shared<CScriptedProgram::SControl>();
    {
        CGraphProcesses graphs;
        ASSERT_EQ(graphs.Start(StarterFor(running)), platform::kSuccess);
        ASSERT_EQ(graphs.Start(StarterFor(ended)), platform::kSuccess);
        ended->End();
        EXPECT_TRUE(CountBecomes(graphs, 1));
        // A later start joins the finished watcher (its thread does not linger).
        auto third = std::make_shared<CScriptedProgram::SControl>();
        ASSERT_EQ(graphs.Start(StarterFor(third)), platform::kSuccess);
        EXPECT_EQ(graphs.Count(), 2u);
    }  // neither "running" nor "third" ever ends: the destructor must still return
    EXPECT_EQ(running->nDestroyed, 1);
    EXPECT_FALSE(running->bEnded);
}

TEST(GraphProcessesTest, ARealProgramIsWatchedUntilItEnds) {
#ifdef _WIN32
    const char* pszCommand = "cmd.exe /c exit 0";
#else
    const char* pszCommand = "/bin/sh -c \"sleep 0.2\"";
#endif
    CGraphProcesses graphs;
    ASSERT_EQ(graphs.Start(plotara::ChildProcessStarter(pszCommand, 5000)), platform::kSuccess);
    EXPECT_TRUE(CountBecomes(graphs, 0));
    EXPECT_EQ(graphs.Start(plotara::ChildProcessStarter(".\\varnole-no-such-graph.exe", 5000)),
              platform::kErrorFileNotFound);
    EXPECT_EQ(graphs.Count(), 0u);
}

}  // namespace
