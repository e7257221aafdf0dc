// Named mutexes on Windows: kernel mutex objects that live while any process holds a handle.
#include <windows.h>

#include "platform/named_mutex.h"
#include "platform/win32/wide_string.h"

namespace platform {

struct NamedMutex::Impl {
    HANDLE m_hMutex = nullptr;
};

NamedMutex::NamedMutex() : m_pImpl(std::make_unique<Impl>()) {}

NamedMutex::~NamedMutex() {
    Close();
}

ErrorCode NamedMutex::Create(const std::string& name, bool initialOwner) {
    Close();
    if (name.empty()) return kErrorInvalidName;
    HANDLE mutex = CreateMutexW(nullptr, initialOwner ? TRUE : FALSE, Utf8ToWide(name).c_str());
    const DWORD error = GetLastError();
    if (mutex == nullptr) return error;
    m_pImpl->m_hMutex = mutex;
    // With an existing mutex the handle is open but ownership was not granted.
    return error == ERROR_ALREADY_EXISTS ? kErrorAlreadyExists : kSuccess;
}

bool NamedMutex::Exists(const std::string& name) {
    if (name.empty()) return false;
    HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, Utf8ToWide(name).c_str());
    if (mutex != nullptr) {
        CloseHandle(mutex);
        return true;
    }
    // Opened by someone whose security settings refuse us: it still exists.
    return GetLastError() == ERROR_ACCESS_DENIED;
}

ErrorCode NamedMutex::Acquire(unsigned timeoutMs) {
    if (m_pImpl->m_hMutex == nullptr) return kErrorInvalidHandle;
    switch (WaitForSingleObject(m_pImpl->m_hMutex, timeoutMs)) {
        case WAIT_OBJECT_0:
        case WAIT_ABANDONED:  // the previous owner ended without releasing: ours now
            return kSuccess;
        case WAIT_TIMEOUT:
            return kErrorTimeout;
        default:
            return GetLastError();
    }
}

void NamedMutex::Release() {
    if (m_pImpl->m_hMutex != nullptr) ReleaseMutex(m_pImpl->m_hMutex);
}

bool NamedMutex::IsOpen() const {
    return m_pImpl->m_hMutex != nullptr;
}

void NamedMutex::Close() {
    if (m_pImpl->m_hMutex == nullptr) return;
    // A handle closed while owned would leave the mutex abandoned for the next waiter; release
    // all recursive ownership first (ReleaseMutex fails once this thread owns it no more).
    while (ReleaseMutex(m_pImpl->m_hMutex)) {
    }
    CloseHandle(m_pImpl->m_hMutex);
    m_pImpl->m_hMutex = nullptr;
}

}  // namespace platform
