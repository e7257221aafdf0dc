// The error log writer: WriteErrorLog, ReportPlatformError and SystemErrorText.
//
// Records go to <directory>VARNOLE.err, appended at the end in the layout of error_record.h.
// ReportPlatformError writes to the program directory; the collection jobs and the saving of
// the execution-ID state pass the data directory to WriteErrorLog.
//
// Appends are safe from any thread and from several processes at once. Each record is encoded
// in memory and appended in one piece, while this object's lock keeps the process's threads in
// turn, the VARNOLE_ERR mutex keeps processes in turn, and the file itself is open for one writer
// at a time (others may only read). A file that stays busy is retried for a bounded time; a
// record that still cannot be written is kept in memory and written ahead of the next record
// that reaches the same file, and the failure is returned, so no record is lost silently.
//
// The first write of the object (the process) creates VARNOLE_ERR and, when this process made
// it, moves that write's directory's VARNOLE.err to VARNOLE.log if it is more than 743 whole
// hours old. The mutex is then kept for the object's life, so this happens once.
#pragma once
#include <cstddef>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>

#include "error_log_rotation.h"
#include "error_record.h"
#include "platform/clock.h"
#include "platform/error_codes.h"
#include "platform/named_mutex.h"

// The platform's message text for a code without its line end; empty for kNoErrorCode and for
// codes the platform has no text for.
std::string SystemErrorText(std::int32_t nCode);

class CErrorLog {
public:
    // How long one write may wait for a busy log (the mutex and the file together).
    static constexpr unsigned kDefaultBusyWaitMs = 2000;
    // A file that keeps failing holds back at most this many bytes of records; beyond it new
    // records are counted as dropped.
    static constexpr std::size_t kMaxHeldBytes = 256 * 1024;

    // clock gives the records' times and the rotation's "now"; strProgramDirectory is where
    // ReportPlatformError writes; strMutexName names the cross-process mutex (tests use their own).
    CErrorLog(const platform::IClock& clock, std::string strProgramDirectory,
              std::string strMutexName = kErrorLogMutexName);
    // Makes one last attempt, without waiting, to write records still held back (skipped when
    // another thread is inside a write at that moment).
    ~CErrorLog();
    CErrorLog(const CErrorLog&) = delete;
    CErrorLog& operator=(const CErrorLog&) = delete;

    // nCode is a platform::ErrorCode (stored as int32) or kNoErrorCode when there is none.
    // Appends one record (now, nCode, SystemErrorText(nCode), strText) to strDirectory's
    // VARNOLE.err; strDirectory may end in a separator or not. Returns kSuccess when the record
    // (and any held back for that file) is in the file, otherwise the last error, with the
    // record held back for the next write.
    platform::ErrorCode WriteErrorLog(std::int32_t nCode, const std::string& strDirectory,
                                      const std::string& strText);

    // Writes a record to the program directory and returns SystemErrorText(nCode), for dialogs
    // that show the text as well.
    std::string ReportPlatformError(std::int32_t nCode, const std::string& strText);

    void SetProgramDirectory(const std::string& strDirectory);
    std::string ProgramDirectory() const;
    void SetBusyWait(unsigned nMilliseconds);

    // Records that could not be written yet and wait for the next write to their file.
    std::size_t HeldBackRecords() const;
    // Records given up because the held-back bytes were at their limit.
    std::size_t DroppedRecords() const;

private:
    struct SHeld {
        std::string strBytes;
        std::size_t nRecords = 0;
    };

    // Creates the mutex on the first write and rotates strDirectory's log when this process made
    // it. Called under m_lock.
    void RotateOnce(const std::string& strDirectory);
    // Appends bytes to the file, retrying a busy file until the deadline. Called under m_lock.
    platform::ErrorCode AppendLocked(const std::string& strPath, const std::string& strBytes,
                                     unsigned nWaitMs);

    const platform::IClock* m_pClock;
    std::string m_strMutexName;

    mutable std::mutex m_lock;  // guards everything below
    std::string m_strProgramDirectory;
    unsigned m_nBusyWaitMs = kDefaultBusyWaitMs;
    platform::NamedMutex m_hErrMutex;
    std::map<std::string, SHeld> m_mapHeld;  // log path -> records waiting for it
    std::size_t m_nDropped = 0;
};

// The process's error log: the system clock, the directory of the running program, and the
// VARNOLE_ERR mutex. Created on first use; the free functions below write through it.
CErrorLog& ProcessErrorLog();

platform::ErrorCode WriteErrorLog(std::int32_t nCode, const std::string& strDirectory,
                                  const std::string& strText);
std::string ReportPlatformError(std::int32_t nCode, const std::string& strText);
