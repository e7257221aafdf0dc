// Converting the data files of one collection into one CSV file: a header row, then one row per
// sample with its local time and the values of every column (csv_columns.h).
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "csv_text.h"
#include "platform/data_file_io.h"
#include "platform/error_codes.h"
#include "series/sample_walk.h"

namespace csv {

// The heading of the first column, the sample's local time.
inline constexpr std::string_view kTimeHeading = "日時";

enum class EConvertError {
    kNone,
    kNoFiles,       // no file given
    kNoUsableFile,  // no file could be read: m_vecProblems says why
    kNoSamples,     // the files hold no sample
    kWriteFailed,   // the CSV file could not be written (m_nWriteError)
    kCancelled,
};

struct CConvertProgress {
    std::size_t m_nFile = 0;  // the file being read, from 0
    std::size_t m_nFiles = 0;
    std::uint64_t m_nBytesDone = 0;
    std::uint64_t m_nBytesTotal = 0;
    std::size_t m_nRows = 0;  // rows written so far
};

// Called about every megabyte read and at each file; returning false cancels the conversion.
using ConvertObserver = std::function<bool(const CConvertProgress&)>;

// Creates a new file for writing; fails when the name is taken (platform::CreateNewOutputFile).
using OutputFileMaker =
    std::function<platform::ErrorCode(const std::string&, std::unique_ptr<platform::IOutputFile>&)>;

struct CConvertOptions {
    ECsvEncoding m_eEncoding = ECsvEncoding::kCp932;
    // How the files are created; the platform's CreateNewOutputFile when empty.
    OutputFileMaker m_fnCreateFile;
};

struct CConvertResult {
    EConvertError m_eError = EConvertError::kNone;
    platform::ErrorCode m_nWriteError = platform::kSuccess;
    std::string m_strHost;       // host name of the first file read
    std::size_t m_nFiles = 0;    // files whose samples were read
    std::size_t m_nRows = 0;     // sample rows written
    std::size_t m_nSkipped = 0;  // samples left out because their time went back
    std::size_t m_nColumns = 0;  // columns of a row, the time included
    std::vector<series::CFileProblem> m_vecProblems;

    bool Ok() const { return m_eError == EConvertError::kNone; }
};

// Reads the files in the order given (the pieces of a split run in branch order join into one
// table: rates continue across the pieces) and writes the CSV file strOutput, replacing one that
// is there. Files that cannot be read, and damaged or cut-off ends of files, are reported in the
// result as the graph reader reports them. A sample stamped earlier than one already written is
// left out. The rows go to a temporary file beside strOutput and the finished file gets its name
// only when it is complete: a conversion that fails or is cancelled leaves neither strOutput nor
// a temporary file behind (an earlier strOutput stays as it was).
CConvertResult ConvertToCsv(const std::vector<std::string>& vecPaths, const std::string& strOutput,
                            const CConvertOptions& options = {},
                            const ConvertObserver& observer = {});

}  // namespace csv
