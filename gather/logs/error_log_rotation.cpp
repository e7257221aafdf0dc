// Moving an error log older than 743 whole hours to VARNOLE.log.
#include "error_log_rotation.h"

#include "platform/files.h"

bool ErrorLogIsDue(platform::Time tCreated, platform::Time tNow) {
    const std::int64_t hours = (tNow - tCreated) / 3600;
    return hours > kErrorLogMaxAgeHours;
}

bool RotateErrorLogIfDue(const std::string& strDirectory, platform::Time tNow) {
    const std::string directory = platform::WithTrailingSeparator(strDirectory);
    const std::string log = directory + kErrorLogFileName;
    platform::Time created = 0;
    if (platform::FileCreationTime(log, created) != platform::kSuccess) return false;
    if (!ErrorLogIsDue(created, tNow)) return false;
    const std::string backup = directory + kErrorLogBackupName;
    platform::DeleteFile(backup);
    return platform::RenameFile(log, backup) == platform::kSuccess;
}
