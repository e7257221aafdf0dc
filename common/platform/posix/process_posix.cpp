// Starting programs on Linux with posix_spawn, following the suite's Windows command line rules.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <thread>
#include <vector>

#include "platform/posix/errno_map.h"
#include "platform/process.h"

extern char** environ;

namespace platform {
namespace {

// Splits a command line into words: blanks separate them, double quotes group blanks into a word
// and are removed.
std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (char c : commandLine) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inWord) words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word.push_back(c);
            inWord = true;
        }
    }
    if (inWord) words.push_back(word);
    return words;
}

ErrorCode Spawn(const std::string& commandLine, pid_t& pid) {
    std::vector<std::string> words = SplitCommandLine(commandLine);
    if (words.empty() || words[0].empty()) return kErrorInvalidParameter;
    for (char& c : words[0]) {
        if (c == '\\') c = '/';
    }
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    const bool searchPath = words[0].find('/') == std::string::npos;
    const int error = searchPath
                          ? posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ)
                          : posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ);
    return error == 0 ? kSuccess : posix::ErrorFromErrno(error);
}

// Waits for the child; true with its exit code once it has ended.
bool Reap(pid_t pid, bool wait, std::uint32_t& code) {
    int status = 0;
    pid_t result;
    do {
        result = waitpid(pid, &status, wait ? 0 : WNOHANG);
    } while (result < 0 && errno == EINTR);
    if (result != pid) return false;
    code = WIFEXITED(status) ? static_cast<std::uint32_t>(WEXITSTATUS(status))
                             : 128u + static_cast<std::uint32_t>(WTERMSIG(status));
    return true;
}

}  // namespace

ErrorCode StartProgram(const std::string& commandLine) {
    pid_t pid = 0;
    const ErrorCode error = Spawn(commandLine, pid);
    if (error != kSuccess) return error;
    // Nobody waits for the program, so a thread of its own collects it when it ends.
    std::thread([pid] {
        std::uint32_t code = 0;
        Reap(pid, true, code);
    }).detach();
    return kSuccess;
}

struct ChildProcess::Impl {
    pid_t m_nPid = 0;
    bool m_bEnded = false;
    std::uint32_t m_nExitCode = 0;
};

ChildProcess::ChildProcess() : m_pImpl(std::make_unique<Impl>()) {}

ChildProcess::~ChildProcess() {
    Close();
}

ErrorCode ChildProcess::Start(const std::string& commandLine) {
    Close();
    pid_t pid = 0;
    const ErrorCode error = Spawn(commandLine, pid);
    if (error == kSuccess) m_pImpl->m_nPid = pid;
    return error;
}

ErrorCode ChildProcess::WaitUntilIdle(unsigned) {
    return m_pImpl->m_nPid != 0 ? kSuccess : kErrorInvalidHandle;
}

ErrorCode ChildProcess::WaitForExit(unsigned timeoutMs) {
    if (m_pImpl->m_nPid == 0) return kErrorInvalidHandle;
    if (m_pImpl->m_bEnded) return kSuccess;
    if (timeoutMs == kWaitForever) {
        m_pImpl->m_bEnded = Reap(m_pImpl->m_nPid, true, m_pImpl->m_nExitCode);
        return m_pImpl->m_bEnded ? kSuccess : posix::ErrorFromErrno(errno);
    }
    // waitpid has no time limit: look again with short, growing pauses until the deadline.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    auto pause = std::chrono::milliseconds(1);
    for (;;) {
        if (Reap(m_pImpl->m_nPid, false, m_pImpl->m_nExitCode)) {
            m_pImpl->m_bEnded = true;
            return kSuccess;
        }
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) return kErrorTimeout;
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(pause, deadline - now));
        if (pause < std::chrono::milliseconds(32)) pause *= 2;
    }
}

bool ChildProcess::ExitCode(std::uint32_t& code) const {
    if (!m_pImpl->m_bEnded) return false;
    code = m_pImpl->m_nExitCode;
    return true;
}

bool ChildProcess::IsStarted() const {
    return m_pImpl->m_nPid != 0;
}

void ChildProcess::Close() {
    if (m_pImpl->m_nPid != 0 && !m_pImpl->m_bEnded) {
        // Let go without waiting: a thread collects the program when it ends.
        const pid_t pid = m_pImpl->m_nPid;
        std::thread([pid] {
            std::uint32_t code = 0;
            Reap(pid, true, code);
        }).detach();
    }
    m_pImpl->m_nPid = 0;
    m_pImpl->m_bEnded = false;
    m_pImpl->m_nExitCode = 0;
}

}  // namespace platform
