// Starting programs on Windows with CreateProcessW, and waiting for them.
#include <windows.h>

#include <vector>

#include "platform/process.h"
#include "platform/win32/wide_string.h"

namespace platform {
namespace {

// Creates the process as the suite always does: no application name, the command line in a
// writable buffer, no inheritance, no creation flags, the caller's environment, current
// directory and start-up information.
ErrorCode CreateChild(const std::string& commandLine, PROCESS_INFORMATION& info) {
    if (commandLine.empty()) return kErrorInvalidParameter;
    std::wstring wide = Utf8ToWide(commandLine);
    std::vector<wchar_t> buffer(wide.begin(), wide.end());
    buffer.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    GetStartupInfoW(&startup);
    info = PROCESS_INFORMATION{};
    if (!CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        return GetLastError();
    }
    return kSuccess;
}

}  // namespace

ErrorCode StartProgram(const std::string& commandLine) {
    PROCESS_INFORMATION info;
    const ErrorCode error = CreateChild(commandLine, info);
    if (error != kSuccess) return error;
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return kSuccess;
}

struct ChildProcess::Impl {
    HANDLE m_hProcess = nullptr;
    bool m_bEnded = false;
    DWORD m_nExitCode = 0;
};

ChildProcess::ChildProcess() : m_pImpl(std::make_unique<Impl>()) {}

ChildProcess::~ChildProcess() {
    Close();
}

ErrorCode ChildProcess::Start(const std::string& commandLine) {
    Close();
    PROCESS_INFORMATION info;
    const ErrorCode error = CreateChild(commandLine, info);
    if (error != kSuccess) return error;
    CloseHandle(info.hThread);
    m_pImpl->m_hProcess = info.hProcess;
    return kSuccess;
}

ErrorCode ChildProcess::WaitUntilIdle(unsigned timeoutMs) {
    if (m_pImpl->m_hProcess == nullptr) return kErrorInvalidHandle;
    const DWORD result = WaitForInputIdle(m_pImpl->m_hProcess, timeoutMs);
    if (result == 0) return kSuccess;
    if (result == WAIT_TIMEOUT) return kErrorTimeout;
    return GetLastError();
}

ErrorCode ChildProcess::WaitForExit(unsigned timeoutMs) {
    if (m_pImpl->m_hProcess == nullptr) return kErrorInvalidHandle;
    switch (WaitForSingleObject(m_pImpl->m_hProcess, timeoutMs)) {
        case WAIT_OBJECT_0:
            m_pImpl->m_bEnded = GetExitCodeProcess(m_pImpl->m_hProcess, &m_pImpl->m_nExitCode);
            return kSuccess;
        case WAIT_TIMEOUT:
            return kErrorTimeout;
        default:
            return GetLastError();
    }
}

bool ChildProcess::ExitCode(std::uint32_t& code) const {
    if (!m_pImpl->m_bEnded) return false;
    code = m_pImpl->m_nExitCode;
    return true;
}

bool ChildProcess::IsStarted() const {
    return m_pImpl->m_hProcess != nullptr;
}

void ChildProcess::Close() {
    if (m_pImpl->m_hProcess != nullptr) CloseHandle(m_pImpl->m_hProcess);
    m_pImpl->m_hProcess = nullptr;
    m_pImpl->m_bEnded = false;
    m_pImpl->m_nExitCode = 0;
}

}  // namespace platform
