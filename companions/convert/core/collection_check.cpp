// Comparing the headers of data files meant to be joined.
#include "collection_check.h"

#include "datafile/data_file_header.h"

namespace csv {

CCollectionCheck CheckOneCollection(const std::vector<std::string>& vecPaths) {
    std::vector<std::pair<std::string, CDataFileHeader>> vecRead;
    for (const std::string& strPath : vecPaths) {
        CDataFileHeader header;
        if (header.Read(strPath)) vecRead.emplace_back(strPath, std::move(header));
    }
    if (vecRead.size() < 2) return {};
    const CDataFileHeader& first = vecRead.front().second;
    for (const auto& [strPath, header] : vecRead) {
        if (header.m_strExecId.empty()) return {ECollection::kNoExecutionId, strPath};
        if (header.m_strHost != first.m_strHost) return {ECollection::kDifferentHosts, strPath};
        if (header.m_strExecId != first.m_strExecId) return {ECollection::kDifferentRuns, strPath};
    }
    return {};
}

}  // namespace csv
