// Builds data file names and picks the first free "(n)" variant when finishing a file.
#include "datafile/data_file_names.h"

#include <cstdio>

#include "datafile/data_file_format.h"
#include "platform/files.h"
#include "platform/local_time.h"

namespace datafile {

std::string StartHourText(platform::Time tStart) {
    platform::LocalFields fields;
    platform::SplitLocalTime(tStart, fields);  // on failure the fields stay the epoch's
    char szText[32];
    std::snprintf(szText, sizeof szText, "%04d-%02d%02d-%02d", fields.nYear, fields.nMonth,
                  fields.nDay, fields.nHour);
    return szText;
}

std::string BaseName(const std::string& strDataDir, const std::string& strHost,
                     platform::Time tStart, int nSchedule) {
    std::string strBase = strDataDir;
    strBase += platform::kPathSeparator;
    strBase += "VARN_";
    strBase += strHost;
    strBase += '_';
    strBase += StartHourText(tStart);
    strBase += '_';
    strBase += std::to_string(nSchedule);
    return strBase;
}

std::string NumberedName(std::string_view strBase, int nNumber, std::string_view strExtension) {
    std::string strName(strBase);
    if (nNumber != 0) strName += "(" + std::to_string(nNumber) + ")";
    strName += strExtension;
    return strName;
}

platform::ErrorCode RenameToFinished(const std::string& strOpenPath, std::string& strFinishedPath) {
    strFinishedPath.clear();
    if (strOpenPath.size() <= kOpenExtension.size()) return platform::kErrorInvalidName;
    const std::string_view strBase =
        std::string_view(strOpenPath).substr(0, strOpenPath.size() - kOpenExtension.size());
    for (int n = 0; n <= kMaxNameNumber; ++n) {
        const std::string strTarget = NumberedName(strBase, n, kFinishedExtension);
        if (platform::FileExists(strTarget)) continue;
        const platform::ErrorCode nCode = platform::RenameFile(strOpenPath, strTarget);
        if (nCode == platform::kSuccess) {
            strFinishedPath = strTarget;
            return platform::kSuccess;
        }
        // Taken between the test and the rename: the next number.
        if (nCode == platform::kErrorAlreadyExists || nCode == platform::kErrorFileExists) continue;
        return nCode;
    }
    return platform::kErrorFileExists;
}

}  // namespace datafile
