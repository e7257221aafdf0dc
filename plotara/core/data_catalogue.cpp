// The data file catalogue: enumeration, header reading, row texts and the newest-first order.
#include "data_catalogue.h"

#include "plotara_texts.h"
#include "schedule_texts.h"

namespace plotara {
namespace {

void AppendThresholdPart(std::string& strText, const char* pszName, int nValue) {
    if (nValue == -1) return;
    strText.append(pszName).append(" ").append(std::to_string(nValue));
}

}  // namespace

std::string ThresholdText(int nCpu, int nMem, int nDisk) {
    std::string strText;
    AppendThresholdPart(strText, "CPU", nCpu);
    strText += ' ';
    AppendThresholdPart(strText, "MEM", nMem);
    strText += ' ';
    AppendThresholdPart(strText, "DSK", nDisk);
    return strText;
}

std::vector<std::string> CatalogueRowTexts(int nNo, const CDataFileHeader& header) {
    std::vector<std::string> texts(kCatalogueColumnCount);
    texts[kColumnNo] = std::to_string(nNo);
    texts[kColumnExecId] = header.m_strExecId;
    texts[kColumnGroup] = header.m_strGroup;
    texts[kColumnHost] = header.m_strHost;
    texts[kColumnBranch] = std::to_string(header.m_nBranch);
    // "%Y/%m/%d (weekday) %H:%M:%S" in local time: every field zero-padded, so the texts sort
    // by time as plain text.
    texts[kColumnStart] = FormatScheduleTime(header.m_tStart, kTimeStyleLog);
    texts[kColumnThreshold] =
        ThresholdText(header.m_nCpuThreshold, header.m_nMemThreshold, header.m_nDiskThreshold);
    texts[kColumnComment] = header.m_strComment;
    return texts;
}

std::vector<std::string> CatalogueNames(std::vector<platform::FoundFile> found) {
    std::vector<std::string> names;
    names.reserve(found.size());
    for (platform::FoundFile& file : found) {
        if (file.bDirectory || file.bHidden || file.strName.empty()) continue;
        names.push_back(std::move(file.strName));
    }
    return names;
}

CDataCatalogue::CDataCatalogue(HeaderReader fnReadHeader)
    : m_fnReadHeader(std::move(fnReadHeader)) {
    if (!m_fnReadHeader) {
        m_fnReadHeader = [](const std::string& strPath, CDataFileHeader& header) {
            return header.Read(strPath);
        };
    }
}

bool CDataCatalogue::FillCatalogue(CSortedListModel& list) {
    list.DeleteAllRows();
    m_arrFiles.clear();

    std::vector<platform::FoundFile> found;
    if (platform::FindFiles(m_strDataDir + std::string(kDataFilePattern), found) !=
        platform::kSuccess) {
        return false;  // no such directory, or it cannot be read: nothing to list
    }
    m_arrFiles = CatalogueNames(std::move(found));
    if (m_arrFiles.empty()) return false;

    // A file that is not a data file leaves the catalogue, and the next one takes its place.
    std::size_t nKept = 0;
    CDataFileHeader header;
    for (std::size_t i = 0; i < m_arrFiles.size(); ++i) {
        if (!m_fnReadHeader(m_strDataDir + m_arrFiles[i], header)) continue;
        if (nKept != i) m_arrFiles[nKept] = std::move(m_arrFiles[i]);
        const int nNo = static_cast<int>(nKept);
        const int nRow = list.AppendRow(CatalogueRowTexts(nNo, header));
        list.SetRowData(nRow, nNo);
        ++nKept;
    }
    m_arrFiles.resize(nKept);

    list.SortBy(kColumnHost, true);
    list.SortBy(kColumnGroup, true);
    list.SortBy(kColumnStart, false);
    return true;
}

const std::string& CDataCatalogue::FileOfRow(int nNo) const {
    static const std::string kNone;
    if (nNo < 0 || static_cast<std::size_t>(nNo) >= m_arrFiles.size()) return kNone;
    return m_arrFiles[static_cast<std::size_t>(nNo)];
}

}  // namespace plotara
