// Whether data files are the pieces of one collection: one host, one execution ID.
#pragma once
#include <string>
#include <vector>

namespace csv {

enum class ECollection {
    kOne,
    kDifferentHosts,     // m_strPath has another host than the first file
    kDifferentRuns,      // m_strPath has another execution ID than the first file
    kNoExecutionId,      // several files, m_strPath without execution ID (the oldest format)
};

struct CCollectionCheck {
    ECollection m_eResult = ECollection::kOne;
    std::string m_strPath;
};

// Reads the headers of the files; files whose header cannot be read are left out of the check
// (the conversion reports them). One file is always one collection; several must share their
// host and a non-empty execution ID, as the pieces of a split run do.
CCollectionCheck CheckOneCollection(const std::vector<std::string>& vecPaths);

}  // namespace csv
