// Tests of named mutexes between processes on Linux: a forked child holds the mutex, the parent
// sees it, and SIGKILL of the child frees it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "platform/named_mutex.h"

namespace {

using platform::NamedMutex;

// A child process that creates (and, with takeOwnership, owns) the mutex, reports through a
// pipe, then waits to be killed.
class CHolderProcess {
public:
    CHolderProcess(const std::string& name, bool takeOwnership) {
        int fds[2];
        if (pipe(fds) != 0) return;
        m_nPid = fork();
        if (m_nPid == 0) {
            close(fds[0]);
            NamedMutex mutex;
            const platform::ErrorCode result = mutex.Create(name, takeOwnership);
            const char report = result == platform::kSuccess ? 'y' : 'n';
            if (write(fds[1], &report, 1) != 1) _exit(2);
            for (;;) pause();
        }
        close(fds[1]);
        char report = 0;
        m_bReady = m_nPid > 0 && read(fds[0], &report, 1) == 1 && report == 'y';
        close(fds[0]);
    }
    ~CHolderProcess() { Kill(); }

    bool Ready() const { return m_bReady; }

    void Kill() {
        if (m_nPid <= 0) return;
        kill(m_nPid, SIGKILL);
        int status = 0;
        waitpid(m_nPid, &status, 0);
        m_nPid = -1;
    }

private:
    pid_t m_nPid = -1;
    bool m_bReady = false;
};

std::string ProcessName(const char* base) {
    return std::string("VARNOLE_ProcTest_") + base + "_" + std::to_string(getpid());
}

TEST(NamedMutexProcesses, ChildsMutexExistsUntilItIsKilled) {
    const std::string name = ProcessName("exists");
    CHolderProcess child(name, false);
    ASSERT_TRUE(child.Ready());
    EXPECT_TRUE(NamedMutex::Exists(name));
    {
        NamedMutex mine;
        EXPECT_EQ(mine.Create(name, false), platform::kErrorAlreadyExists);
    }
    EXPECT_TRUE(NamedMutex::Exists(name));
    child.Kill();
    EXPECT_FALSE(NamedMutex::Exists(name));
    NamedMutex mine;
    EXPECT_EQ(mine.Create(name, false), platform::kSuccess);
}

TEST(NamedMutexProcesses, KilledOwnerReleasesOwnership) {
    const std::string name = ProcessName("owner");
    CHolderProcess child(name, true);
    ASSERT_TRUE(child.Ready());
    NamedMutex mine;
    ASSERT_EQ(mine.Create(name, true), platform::kErrorAlreadyExists);
    EXPECT_EQ(mine.Acquire(0), platform::kErrorTimeout);
    EXPECT_EQ(mine.Acquire(30), platform::kErrorTimeout);
    child.Kill();
    EXPECT_EQ(mine.Acquire(0), platform::kSuccess);  // abandoned by the dead owner: ours now
    mine.Release();
}

TEST(NamedMutexProcesses, ParentOwnershipBlocksTheChild) {
    const std::string name = ProcessName("parent");
    NamedMutex mine;
    ASSERT_EQ(mine.Create(name, true), platform::kSuccess);
    // The child creates its own object after fork; its Create must see ours.
    CHolderProcess child(name, true);
    EXPECT_FALSE(child.Ready());  // the child reports kErrorAlreadyExists
}

}  // namespace
