// The walk through the data files of one request, in order, handing every sample to a sink.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "datafile/counter_name_map.h"
#include "datafile/data_file_header.h"
#include "perf/perf_block.h"
#include "platform/clock.h"
#include "platform/error_codes.h"

namespace series {

// Why a file added nothing, or less than it holds.
enum class EFileProblem {
    kOpenFailed,   // the file could not be opened (m_nCode: the platform's code)
    kNotDataFile,  // not a data file, or its header or counter-name table is damaged
    kReadFailed,   // reading failed part way (m_nCode); the samples before it are kept
    kDamaged,      // a damaged sample record; the samples before it are kept
};

struct CFileProblem {
    std::string m_strPath;
    EFileProblem m_eProblem = EFileProblem::kOpenFailed;
    platform::ErrorCode m_nCode = platform::kSuccess;
};

struct CLoadProgress {
    std::size_t m_nFile = 0;  // the file being read, from 0
    std::size_t m_nFiles = 0;
    std::uint64_t m_nBytesDone = 0;   // of all files, as far as read
    std::uint64_t m_nBytesTotal = 0;  // of all files that could be opened so far, and the rest
    std::size_t m_nSamples = 0;
};

// Called now and then while reading (about every megabyte and at each file); returning false
// cancels the walk.
using LoadObserver = std::function<bool(const CLoadProgress&)>;

// What the walk hands the samples to.
class ISampleSink {
public:
    virtual ~ISampleSink() = default;
    // The samples that follow come from a file with this header and counter-name table.
    virtual void BeginFile(const CDataFileHeader& header, const CCounterNameMap& names) = 0;
    virtual void AddSample(platform::Time tSample, perf::PerfBytes block) = 0;
};

struct CWalkResult {
    bool m_bCancelled = false;
    std::string m_strHost;       // host name of the first file read
    std::size_t m_nFiles = 0;    // files whose samples were read
    std::size_t m_nSamples = 0;  // sample records handed to the sink
    std::vector<CFileProblem> m_vecProblems;
};

// Reads the files in the order given. A file that cannot be opened or is not a data file is
// skipped and reported; a file that ends inside a record (still being written, or cut short)
// gives its samples up to the last whole one; a damaged record or a read error ends that file
// there. A walk the observer cancels stops at once.
CWalkResult WalkSamples(const std::vector<std::string>& vecPaths, ISampleSink& sink,
                        const LoadObserver& observer = {});

}  // namespace series
