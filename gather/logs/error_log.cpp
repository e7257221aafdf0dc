// Appending records to VARNOLE.err from many threads and processes; the once-per-process rotation.
#include "error_log.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <utility>

#include "archive_stream.h"
#include "platform/file_io.h"
#include "platform/files.h"

namespace {

using Clock = std::chrono::steady_clock;

unsigned RemainingMs(Clock::time_point deadline) {
    const auto now = Clock::now();
    if (now >= deadline) return 0;
    return static_cast<unsigned>(
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now).count());
}

bool IsBusy(platform::ErrorCode error) {
    return error == platform::kErrorSharingViolation || error == platform::kErrorLockViolation;
}

}  // namespace

std::string SystemErrorText(std::int32_t nCode) {
    if (nCode == kNoErrorCode) return std::string();
    return platform::SystemErrorMessage(static_cast<platform::ErrorCode>(nCode));
}

CErrorLog::CErrorLog(const platform::IClock& clock, std::string strProgramDirectory,
                     std::string strMutexName)
    : m_pClock(&clock),
      m_strMutexName(std::move(strMutexName)),
      m_strProgramDirectory(std::move(strProgramDirectory)) {}

CErrorLog::~CErrorLog() {
    // At the end of a process a writer thread may have been stopped while holding the lock;
    // the last attempt is skipped then rather than waiting for ever.
    std::unique_lock<std::mutex> guard(m_lock, std::try_to_lock);
    if (!guard.owns_lock()) return;
    for (const auto& [path, held] : m_mapHeld) AppendLocked(path, held.strBytes, 0);
}

platform::ErrorCode CErrorLog::WriteErrorLog(std::int32_t nCode, const std::string& strDirectory,
                                             const std::string& strText) {
    CErrorRecord record;
    record.m_nCode = nCode;
    record.m_strSystemText = SystemErrorText(nCode);
    record.m_strText = strText;
    const std::string path = platform::WithTrailingSeparator(strDirectory) + kErrorLogFileName;

    std::lock_guard<std::mutex> guard(m_lock);
    if (!m_hErrMutex.IsOpen()) RotateOnce(strDirectory);
    // Stamped under the lock, so the records of this process are in time order in the file.
    record.m_tTime = m_pClock->Now();
    CArchiveWriter archive;
    WriteErrorRecord(archive, record);

    auto it = m_mapHeld.find(path);
    platform::ErrorCode error;
    if (it == m_mapHeld.end()) {
        error = AppendLocked(path, archive.Buffer(), m_nBusyWaitMs);
    } else {
        error = AppendLocked(path, it->second.strBytes + archive.Buffer(), m_nBusyWaitMs);
    }
    if (error == platform::kSuccess) {
        if (it != m_mapHeld.end()) m_mapHeld.erase(it);
        return platform::kSuccess;
    }

    SHeld& held = it != m_mapHeld.end() ? it->second : m_mapHeld[path];
    if (held.strBytes.size() + archive.Size() <= kMaxHeldBytes) {
        held.strBytes += archive.Buffer();
        ++held.nRecords;
    } else {
        ++m_nDropped;
    }
    if (held.nRecords == 0) m_mapHeld.erase(path);
    return error;
}

std::string CErrorLog::ReportPlatformError(std::int32_t nCode, const std::string& strText) {
    WriteErrorLog(nCode, ProgramDirectory(), strText);
    return SystemErrorText(nCode);
}

void CErrorLog::SetProgramDirectory(const std::string& strDirectory) {
    std::lock_guard<std::mutex> guard(m_lock);
    m_strProgramDirectory = strDirectory;
}

std::string CErrorLog::ProgramDirectory() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_strProgramDirectory;
}

void CErrorLog::SetBusyWait(unsigned nMilliseconds) {
    std::lock_guard<std::mutex> guard(m_lock);
    m_nBusyWaitMs = nMilliseconds;
}

std::size_t CErrorLog::HeldBackRecords() const {
    std::lock_guard<std::mutex> guard(m_lock);
    std::size_t count = 0;
    for (const auto& entry : m_mapHeld) count += entry.second.nRecords;
    return count;
}

std::size_t CErrorLog::DroppedRecords() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_nDropped;
}

void CErrorLog::RotateOnce(const std::string& strDirectory) {
    // Made here: no other process has the log open through the mutex, so the file may move.
    // Already there: the process that made it did (or skips) the rotation. Not made at all: the
    // handle stays closed and the next write tries again.
    if (m_hErrMutex.Create(m_strMutexName, true) != platform::kSuccess) return;
    RotateErrorLogIfDue(strDirectory, m_pClock->Now());
    m_hErrMutex.Release();
}

platform::ErrorCode CErrorLog::AppendLocked(const std::string& strPath, const std::string& strBytes,
                                            unsigned nWaitMs) {
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(nWaitMs);
    // The mutex keeps the processes in turn; when it cannot be had in time, the file's own
    // one-writer rule still keeps records whole, so the write goes on without it.
    const bool owned =
        m_hErrMutex.IsOpen() && m_hErrMutex.Acquire(RemainingMs(deadline)) == platform::kSuccess;
    platform::ErrorCode error;
    auto pause = std::chrono::milliseconds(2);
    for (;;) {
        platform::AppendFile file;
        error = file.Open(strPath);
        if (error == platform::kSuccess) {
            error = file.Append(strBytes);
            break;
        }
        const auto now = Clock::now();
        if (!IsBusy(error) || now >= deadline) break;
        std::this_thread::sleep_for(std::min<Clock::duration>(pause, deadline - now));
        pause = std::min(pause * 2, std::chrono::milliseconds(50));
    }
    if (owned) m_hErrMutex.Release();
    return error;
}

CErrorLog& ProcessErrorLog() {
    static CErrorLog s_log(platform::SystemClock(), platform::ProgramDirectory());
    return s_log;
}

platform::ErrorCode WriteErrorLog(std::int32_t nCode, const std::string& strDirectory,
                                  const std::string& strText) {
    return ProcessErrorLog().WriteErrorLog(nCode, strDirectory, strText);
}

std::string ReportPlatformError(std::int32_t nCode, const std::string& strText) {
    return ProcessErrorLog().ReportPlatformError(nCode, strText);
}
