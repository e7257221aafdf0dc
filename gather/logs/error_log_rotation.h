// The monthly move of the error log VARNOLE.err to VARNOLE.log, and the names involved.
#pragma once
#include <cstdint>
#include <string>

#include "platform/clock.h"

inline constexpr char kErrorLogFileName[] = "VARNOLE.err";
inline constexpr char kErrorLogBackupName[] = "VARNOLE.log";
// Held by the first process that writes the error log, for as long as it runs.
inline constexpr char kErrorLogMutexName[] = "VARNOLE_ERR";
// A log is moved aside when it was created more than this many whole hours ago.
inline constexpr std::int64_t kErrorLogMaxAgeHours = 743;

// True when a log created at tCreated is due at tNow: the difference in seconds, divided into
// whole hours, exceeds 743 (744 hours is due, 743 hours and 59 minutes is not). A creation time
// in the future is never due.
bool ErrorLogIsDue(platform::Time tCreated, platform::Time tNow);

// When strDirectory's VARNOLE.err is due, deletes VARNOLE.log and renames VARNOLE.err to it;
// failures of either step are ignored (the log then simply goes on growing). The caller holds
// the VARNOLE_ERR mutex. True when the log was moved.
bool RotateErrorLogIfDue(const std::string& strDirectory, platform::Time tNow);
