// Named mutexes on Linux: open-file-description locks on one file per name in a per-user directory.
//
// Byte 0 of the file stands for "the mutex is open": every open object holds a shared lock on it.
// Byte 1 stands for ownership and is locked exclusively by the owning process. The kernel drops
// both when the file is closed, so a crashed or killed holder releases the mutex like a Windows
// process does. Open-file-description locks belong to the open file, not to the process, so a
// second object of the same name in this process finds the first one exactly as another process
// would; ownership inside the process is tracked per thread (see SOwnership).
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/named_mutex.h"
#include "platform/posix/errno_map.h"
#include "platform/posix/runtime_dir.h"

namespace platform {
namespace {

constexpr off_t kOpenByte = 0;
constexpr off_t kOwnerByte = 1;

int OpenLockFile(const std::string& name, bool create) {
    std::string directory;
    if (!posix::PrivateRuntimeDirectory(directory)) return -1;
    const std::string path = directory + "/" + posix::EscapeFileName(name) + ".lock";
    const int flags = O_RDWR | O_CLOEXEC | O_NOFOLLOW | (create ? O_CREAT : 0);
    return open(path.c_str(), flags, 0600);
}

int LockByte(int fd, off_t byte, short type, bool wait) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = byte;
    lock.l_len = 1;
    int result;
    do {
        result = fcntl(fd, wait ? F_OFD_SETLKW : F_OFD_SETLK, &lock);
    } while (result != 0 && errno == EINTR);
    return result;
}

// Ownership of one name inside this process. Like a Windows mutex, ownership belongs to a thread,
// not to an object: every object of the name in this process shares this state, and the owning
// thread may take the mutex again through any of them. The ownership byte is locked through the
// state's own file, so it does not depend on which object is closed first.
struct SOwnership {
    std::mutex m_lock;
    std::condition_variable m_cvFree;
    int m_nFd = -1;
    std::thread::id m_idOwner;
    unsigned m_nCount = 0;
    bool m_bBusy = false;  // owned, or a thread is taking the ownership byte

    ~SOwnership() {
        if (m_nFd >= 0) close(m_nFd);
    }
};

// The ownership state of every name open in this process, alive while an object uses it.
std::shared_ptr<SOwnership> OwnershipFor(const std::string& name, int fd) {
    static std::mutex s_lock;
    static std::map<std::string, std::weak_ptr<SOwnership>> s_states;
    std::lock_guard<std::mutex> guard(s_lock);
    for (auto it = s_states.begin(); it != s_states.end();) {
        it = it->second.expired() ? s_states.erase(it) : std::next(it);
    }
    std::weak_ptr<SOwnership>& slot = s_states[name];
    std::shared_ptr<SOwnership> state = slot.lock();
    if (!state) {
        state = std::make_shared<SOwnership>();
        // A second open file description of the same file: its own lock owner.
        state->m_nFd = open(("/proc/self/fd/" + std::to_string(fd)).c_str(), O_RDWR | O_CLOEXEC);
        if (state->m_nFd < 0) return nullptr;
        slot = state;
    }
    return state;
}

// Takes ownership for the calling thread, waiting up to the deadline.
ErrorCode TakeOwnership(SOwnership& state, std::chrono::steady_clock::time_point deadline) {
    {
        std::unique_lock<std::mutex> guard(state.m_lock);
        if (state.m_nCount > 0 && state.m_idOwner == std::this_thread::get_id()) {
            ++state.m_nCount;
            return kSuccess;
        }
        if (!state.m_cvFree.wait_until(guard, deadline, [&] { return !state.m_bBusy; })) {
            return kErrorTimeout;
        }
        state.m_bBusy = true;
    }
    // Another process may own it: try until the deadline. The kernel's waiting lock call has no
    // timeout, so this polls with short sleeps.
    auto pause = std::chrono::milliseconds(1);
    while (LockByte(state.m_nFd, kOwnerByte, F_WRLCK, false) != 0) {
        const int err = errno;
        const auto now = std::chrono::steady_clock::now();
        if ((err != EAGAIN && err != EACCES) || now >= deadline) {
            std::lock_guard<std::mutex> guard(state.m_lock);
            state.m_bBusy = false;
            state.m_cvFree.notify_one();
            return (err == EAGAIN || err == EACCES) ? kErrorTimeout : posix::ErrorFromErrno(err);
        }
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(pause, deadline - now));
        if (pause < std::chrono::milliseconds(16)) pause *= 2;
    }
    std::lock_guard<std::mutex> guard(state.m_lock);
    state.m_idOwner = std::this_thread::get_id();
    state.m_nCount = 1;
    return kSuccess;
}

// Gives up one level of the calling thread's ownership, or all of it.
void GiveUpOwnership(SOwnership& state, bool all) {
    std::lock_guard<std::mutex> guard(state.m_lock);
    if (state.m_nCount == 0 || state.m_idOwner != std::this_thread::get_id()) {
        return;  // not the owner: Windows refuses this too
    }
    state.m_nCount = all ? 0 : state.m_nCount - 1;
    if (state.m_nCount > 0) return;
    LockByte(state.m_nFd, kOwnerByte, F_UNLCK, false);
    state.m_idOwner = std::thread::id();
    state.m_bBusy = false;
    state.m_cvFree.notify_one();
}

}  // namespace

struct NamedMutex::Impl {
    int m_nFd = -1;  // holds the shared lock on the open byte
    std::shared_ptr<SOwnership> m_pOwnership;
};

NamedMutex::NamedMutex() : m_pImpl(std::make_unique<Impl>()) {}

NamedMutex::~NamedMutex() {
    Close();
}

ErrorCode NamedMutex::Create(const std::string& name, bool initialOwner) {
    Close();
    if (name.empty()) return kErrorInvalidName;
    const int fd = OpenLockFile(name, true);
    if (fd < 0) return posix::ErrorFromErrno(errno);
    auto fail = [fd](int err) {
        close(fd);
        return posix::ErrorFromErrno(err);
    };

    // An exclusive lock on the open byte succeeds only when nobody has the mutex open; it is then
    // turned into the shared lock in place, so no other Create can slip in between.
    bool created = false;
    if (LockByte(fd, kOpenByte, F_WRLCK, false) == 0) {
        created = true;
    } else if (errno != EAGAIN && errno != EACCES) {
        return fail(errno);
    }
    std::shared_ptr<SOwnership> ownership = OwnershipFor(name, fd);
    if (!ownership) return fail(errno);
    if (created) {
        if (initialOwner) {
            const ErrorCode error = TakeOwnership(*ownership, std::chrono::steady_clock::now());
            if (error != kSuccess) {
                close(fd);
                return error;
            }
        }
        if (LockByte(fd, kOpenByte, F_RDLCK, false) != 0) {
            const int err = errno;
            if (initialOwner) GiveUpOwnership(*ownership, true);
            return fail(err);
        }
    } else if (LockByte(fd, kOpenByte, F_RDLCK, true) != 0) {
        // Open elsewhere; a creator may hold the exclusive lock for an instant, so this waits.
        return fail(errno);
    }
    m_pImpl->m_nFd = fd;
    m_pImpl->m_pOwnership = std::move(ownership);
    return created ? kSuccess : kErrorAlreadyExists;
}

bool NamedMutex::Exists(const std::string& name) {
    if (name.empty()) return false;
    const int fd = OpenLockFile(name, false);
    if (fd < 0) return false;
    // Only asks whether an exclusive lock could be placed; taking it would make a concurrent
    // Create believe that the mutex already exists.
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = kOpenByte;
    lock.l_len = 1;
    const bool open = fcntl(fd, F_OFD_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
    close(fd);
    return open;
}

ErrorCode NamedMutex::Acquire(unsigned timeoutMs) {
    if (!m_pImpl->m_pOwnership) return kErrorInvalidHandle;
    return TakeOwnership(*m_pImpl->m_pOwnership,
                         std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs));
}

void NamedMutex::Release() {
    if (m_pImpl->m_pOwnership) GiveUpOwnership(*m_pImpl->m_pOwnership, false);
}

bool NamedMutex::IsOpen() const {
    return m_pImpl->m_nFd >= 0;
}

void NamedMutex::Close() {
    if (m_pImpl->m_pOwnership) {
        // Closing while owned hands the mutex on instead of leaving it owned by nobody.
        GiveUpOwnership(*m_pImpl->m_pOwnership, true);
        m_pImpl->m_pOwnership.reset();
    }
    if (m_pImpl->m_nFd >= 0) close(m_pImpl->m_nFd);  // drops the shared lock on the open byte
    m_pImpl->m_nFd = -1;
}

}  // namespace platform
