// Starting other programs of the suite, and waiting for one that was started.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/error_codes.h"

namespace platform {

// A time limit that never runs out, for the waits below.
inline constexpr unsigned kWaitForever = 0xFFFFFFFFu;

// Command lines follow the Windows rules the suite uses: the first word (or the double-quoted
// part) names the program, the rest are its arguments. A relative program name resolves against
// the current directory (".\Gather.exe"). The new program gets the caller's environment, current
// directory and start-up information, and inherits no handles. On Linux a backslash in the
// program name is taken as a directory separator, and a name without any separator is looked up
// in PATH.

// Starts a program and lets it run on its own: nothing is kept, nothing is waited for.
// Returns kSuccess when it was started, otherwise the platform's code (kErrorFileNotFound when
// the program does not exist).
ErrorCode StartProgram(const std::string& commandLine);

// A started program that the caller keeps an eye on. Destroying or closing the object lets go
// of the program without ending it.
class ChildProcess {
public:
    ChildProcess();
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts the program (see the rules above). Any program this object held before is let go.
    ErrorCode Start(const std::string& commandLine);

    // Waits until the program is ready for user input, at most timeoutMs (WaitForInputIdle).
    // Linux has no such state: returns kSuccess at once.
    ErrorCode WaitUntilIdle(unsigned timeoutMs);

    // Waits for the program to end: kSuccess when it has ended, kErrorTimeout when the time ran
    // out first, kErrorInvalidHandle when nothing was started.
    ErrorCode WaitForExit(unsigned timeoutMs);

    // The exit code once WaitForExit has returned kSuccess; false before that.
    bool ExitCode(std::uint32_t& code) const;

    bool IsStarted() const;
    void Close();

private:
    struct Impl;
    std::unique_ptr<Impl> m_pImpl;
};

}  // namespace platform
