// The data files of a data directory as Convert and Manager list them: name, state, header and
// size, and the texts their lists show.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "data_directory.h"
#include "datafile/data_file_header.h"
#include "platform/clock.h"
#include "platform/error_codes.h"

namespace companion {

// Where the data directory comes from: Plotara's lookup (the configured DataDirectory, else the
// program's own folder), which Convert and Manager share.
using plotara::FindDataDirectory;

// The configuration store's DataDirectory value: read, and written (which needs the key to
// exist and the right to write it).
platform::ErrorCode ReadConfiguredDataDirectory(std::string& strValue);
platform::ErrorCode WriteConfiguredDataDirectory(const std::string& strValue);

// One data file of the directory whose header reads as a data file's.
struct CDataFileEntry {
    std::string m_strName;       // the file name, without the directory
    bool m_bFinished = true;     // ".var"; false for ".va_", still being written
    CDataFileHeader m_header;
    std::uint64_t m_nSize = 0;   // bytes
};

// Reads a data file's header and size; false when it is not a data file or cannot be read.
using EntryReader = std::function<bool(const std::string& strPath, CDataFileEntry& entry)>;
bool ReadDataFileEntry(const std::string& strPath, CDataFileEntry& entry);

// The "VARN_*.var" files of the directory (directories and hidden entries left out), and with
// bWithOpen also the "VARN_*.va_" files, whose headers read as data files, in name order.
// kErrorPathNotFound when the directory does not exist; files that are not data files (or
// vanish meanwhile) are simply not listed.
platform::ErrorCode ListDataFiles(const std::string& strDirectory, bool bWithOpen,
                                  std::vector<CDataFileEntry>& vecEntries,
                                  const EntryReader& fnRead = ReadDataFileEntry);

// ListDataFiles with the files still being written.
platform::ErrorCode ListEveryDataFile(const std::string& strDirectory,
                                      std::vector<CDataFileEntry>& vecEntries);

// True when the file at strPath still is the file the entry describes: a finished data file
// whose header names the same host, execution ID, branch and start time.
bool StillTheSameDataFile(const std::string& strPath, const CDataFileEntry& entry,
                          const EntryReader& fnRead = ReadDataFileEntry);

// A start time as the lists show it: "2004/08/19 (木) 14:05:00".
std::string StartTimeText(platform::Time tStart);

// A size in bytes as the lists show it: "512 B", "12.3 KB", "1.5 MB", "2.04 GB" (1 KB = 1,024
// bytes; three significant digits from KB on).
std::string SizeText(std::uint64_t nBytes);

// The name with its extension (the part from the last '.') replaced by strExtension.
std::string WithExtension(const std::string& strName, const std::string& strExtension);

}  // namespace companion
