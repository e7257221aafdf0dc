// The header of a data file: who, when and under which trigger conditions; written and read back.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "archive_stream.h"
#include "datafile/counter_name_map.h"
#include "platform/clock.h"

namespace datafile {
class CDataFileInput;
}

// Header items 1 to 13 of a data file. Texts are UTF-8 here and code page 932 in the file.
class CDataFileHeader {
public:
    std::string m_strTag;                // 1: "VARNOLE1", or "VARNOLE" in older files
    std::uint32_t m_nVersion = 0;        // 2
    std::string m_strOsInfo;             // 3: the host's OS information, empty if not registered
    std::string m_strCpuInfo;            // 4: the host's processor information
    std::string m_strGroup;              // 5: group name of a group run, empty for one host
    std::string m_strExecId;             // 6: execution ID of the run
    std::uint32_t m_nBranch = 1;         // 7: 1 for a job's first file, then 2, 3, ...
    std::string m_strHost;               // 8
    std::string m_strComment;            // 9: the schedule's comment
    platform::Time m_tStart = 0;         // 10: when the file was created
    std::int32_t m_nCpuThreshold = -1;   // 11: -1 = none
    std::int32_t m_nMemThreshold = -1;   // 12: -1 = none
    std::int32_t m_nDiskThreshold = -1;  // 13: -1 = none

    // Reads items 1 to 13 of the file at strPath. False when the file cannot be opened or read,
    // ends inside the header, holds a malformed value, or is not a data file: a tag other than
    // "VARNOLE1" and "VARNOLE", or a version other than 100 and 110 or later. A version 100 file
    // has no items 3 to 7: they read as empty texts and branch number 1.
    bool Read(const std::string& strPath);
    // The same from an input positioned at the start of a file; on success the input is left
    // right after item 13, where the counter-name table begins.
    bool Read(datafile::CDataFileInput& input);

    // Appends the header as the writer stores it: tag "VARNOLE1" and version 130 whatever
    // m_strTag and m_nVersion hold, then items 3 to 13 and the counter-name table as pairs.
    void Write(const CCounterNameMap& names, CArchiveWriter& archive) const;

    // True for the tags and versions a reader accepts.
    static bool IsDataFile(std::string_view strTag, std::uint32_t nVersion);
};
