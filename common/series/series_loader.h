// Reads the data files of one graph request, in order, into the series of one counter.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/error_codes.h"
#include "series/counter_choice.h"
#include "series/sample_walk.h"
#include "series/series.h"

namespace series {

// Why no series could be drawn.
enum class ELoadError {
    kNone,
    kNoFiles,          // the request names no file
    kNoUsableFile,     // no file could be read: m_vecProblems says why
    kNoSamples,        // the files hold no sample
    kCounterMissing,   // no sample holds the counter
    kUnsupportedType,  // the counter's type has no formula (m_nCounterType)
    kNoValues,         // the counter is there but no value could be computed (one sample only)
    kCancelled,
};

struct CLoadResult {
    ELoadError m_eError = ELoadError::kNone;
    CSeries m_series;
    std::string m_strHost;       // host name of the first file read
    std::size_t m_nFiles = 0;    // files whose samples were read
    std::size_t m_nSamples = 0;  // sample records read
    std::size_t m_nSkipped = 0;  // of those, left out because their time went back
    std::uint32_t m_nCounterType = 0;
    std::vector<CFileProblem> m_vecProblems;

    bool Ok() const { return m_eError == ELoadError::kNone; }
};

// Reads the files in the order given. A file that cannot be opened or is not a data file is
// skipped and reported; a file that ends inside a record (still being written, or cut short)
// gives its samples up to the last whole one; a damaged record or a read error ends that file
// there. The files of one run join into one series.
CLoadResult LoadSeries(const std::vector<std::string>& vecPaths, const CCounterChoice& choice,
                       const LoadObserver& observer = {});

// The paths in the order of their headers' start times (then branch numbers), for callers that
// get files in no particular order (a shell pattern sorts "B(1).var" before "B.var"). Files
// whose header cannot be read keep their order after the others.
std::vector<std::string> OrderedByStart(const std::vector<std::string>& vecPaths);

}  // namespace series
