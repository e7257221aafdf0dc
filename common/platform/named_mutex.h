// A mutex with a machine-wide name, used to keep the suite's programs single and to coordinate
// them.
#pragma once
#include <memory>
#include <string>

#include "platform/error_codes.h"

namespace platform {

// Held from a successful Create until Close, destruction or the end of the process (including a
// crash or SIGKILL on Linux). On Linux it is a lock on a file in a per-user runtime directory
// ($XDG_RUNTIME_DIR/varnole, else /tmp/varnole-<uid>).
//
// Ownership (Acquire/Release) belongs to the calling thread, as with Windows mutexes: the owner
// may acquire again and must release as often; other threads, and other processes, wait. Close
// gives up any ownership the calling thread has. A thread that ends while owning leaves the
// mutex abandoned on Windows (the next Acquire succeeds); on Linux that happens only when the
// whole process ends, so threads must release what they take.
class NamedMutex {
public:
    NamedMutex();
    ~NamedMutex();
    NamedMutex(const NamedMutex&) = delete;
    NamedMutex& operator=(const NamedMutex&) = delete;

    // Creates the mutex and, with initialOwner, takes it. Returns kSuccess when this call made it,
    // kErrorAlreadyExists when another holder already had one of that name (the object is then
    // open but not owned, like CreateMutex), or another code when it could not be made at all.
    ErrorCode Create(const std::string& name, bool initialOwner);

    // True when a mutex of this name exists somewhere on the machine right now (OpenMutex).
    static bool Exists(const std::string& name);

    // Waits for ownership up to timeoutMs (0 = just try). Returns kSuccess when taken,
    // kErrorTimeout otherwise. Used for the short critical sections between processes.
    ErrorCode Acquire(unsigned timeoutMs);
    void Release();

    bool IsOpen() const;
    void Close();

private:
    struct Impl;
    std::unique_ptr<Impl> m_pImpl;
};

}  // namespace platform
