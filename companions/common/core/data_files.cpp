// Listing the data files of a directory for Convert and Manager.
#include "data_files.h"

#include <algorithm>
#include <cstdio>

#include "data_catalogue.h"
#include "platform/config_store.h"
#include "plotara_texts.h"
#include "platform/data_file_io.h"
#include "platform/files.h"
#include "schedule_texts.h"

namespace companion {

platform::ErrorCode ReadConfiguredDataDirectory(std::string& strValue) {
    return platform::ConfigStore::ReadString(std::string(plotara::kDataDirectoryValue), strValue);
}

platform::ErrorCode WriteConfiguredDataDirectory(const std::string& strValue) {
    return platform::ConfigStore::WriteString(std::string(plotara::kDataDirectoryValue), strValue);
}

bool ReadDataFileEntry(const std::string& strPath, CDataFileEntry& entry) {
    if (!entry.m_header.Read(strPath)) return false;
    platform::InputFile file;
    entry.m_nSize = 0;
    return file.Open(strPath) == platform::kSuccess && file.Size(entry.m_nSize) == platform::kSuccess;
}

platform::ErrorCode ListDataFiles(const std::string& strDirectory, bool bWithOpen,
                                  std::vector<CDataFileEntry>& vecEntries,
                                  const EntryReader& fnRead) {
    vecEntries.clear();
    const std::string strDir = platform::WithTrailingSeparator(strDirectory);
    for (const bool bFinished : {true, false}) {
        if (!bFinished && !bWithOpen) break;
        std::vector<platform::FoundFile> vecFound;
        const platform::ErrorCode nError =
            platform::FindFiles(strDir + (bFinished ? "VARN_*.var" : "VARN_*.va_"), vecFound);
        if (nError != platform::kSuccess) return nError;
        for (std::string& strName : plotara::CatalogueNames(std::move(vecFound))) {
            CDataFileEntry entry;
            entry.m_strName = std::move(strName);
            entry.m_bFinished = bFinished;
            if (fnRead(strDir + entry.m_strName, entry)) vecEntries.push_back(std::move(entry));
        }
    }
    std::stable_sort(vecEntries.begin(), vecEntries.end(),
                     [](const CDataFileEntry& a, const CDataFileEntry& b) {
                         return a.m_strName < b.m_strName;
                     });
    return platform::kSuccess;
}

platform::ErrorCode ListEveryDataFile(const std::string& strDirectory,
                                      std::vector<CDataFileEntry>& vecEntries) {
    return ListDataFiles(strDirectory, true, vecEntries);
}

bool StillTheSameDataFile(const std::string& strPath, const CDataFileEntry& entry,
                          const EntryReader& fnRead) {
    if (!entry.m_bFinished) return false;
    CDataFileEntry now;
    if (!fnRead(strPath, now)) return false;
    const CDataFileHeader& a = now.m_header;
    const CDataFileHeader& b = entry.m_header;
    return a.m_strHost == b.m_strHost && a.m_strExecId == b.m_strExecId &&
           a.m_nBranch == b.m_nBranch && a.m_tStart == b.m_tStart;
}

std::string StartTimeText(platform::Time tStart) {
    return FormatScheduleTime(tStart, kTimeStyleLog);
}

std::string SizeText(std::uint64_t nBytes) {
    if (nBytes < 1024) return std::to_string(nBytes) + " B";
    static constexpr const char* kUnits[] = {"KB", "MB", "GB", "TB"};
    double dValue = static_cast<double>(nBytes) / 1024;
    int nUnit = 0;
    while (dValue >= 999.5 && nUnit < 3) {
        dValue /= 1024;
        ++nUnit;
    }
    char szText[32];
    const char* pszFormat = dValue < 9.995 ? "%.2f %s" : dValue < 99.95 ? "%.1f %s" : "%.0f %s";
    std::snprintf(szText, sizeof szText, pszFormat, dValue, kUnits[nUnit]);
    return szText;
}

std::string WithExtension(const std::string& strName, const std::string& strExtension) {
    const std::size_t nDot = strName.find_last_of('.');
    const std::size_t nSlash = strName.find_last_of("\\/");
    if (nDot == std::string::npos || (nSlash != std::string::npos && nDot < nSlash)) {
        return strName + strExtension;
    }
    return strName.substr(0, nDot) + strExtension;
}

}  // namespace companion
