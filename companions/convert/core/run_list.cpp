// Gathering the pieces of each collection and the texts of their rows.
#include "run_list.h"

#include <algorithm>
#include <map>

namespace convert {

std::uint64_t CRunEntry::TotalSize() const {
    std::uint64_t nBytes = 0;
    for (const companion::CDataFileEntry& piece : m_vecPieces) nBytes += piece.m_nSize;
    return nBytes;
}

std::vector<CRunEntry> GroupRuns(const std::vector<companion::CDataFileEntry>& vecEntries) {
    std::vector<CRunEntry> vecRuns;
    std::map<std::pair<std::string, std::string>, std::size_t> mapRuns;  // (host, ID) -> run
    std::vector<const companion::CDataFileEntry*> vecOpen;
    for (const companion::CDataFileEntry& entry : vecEntries) {
        if (!entry.m_bFinished) {
            vecOpen.push_back(&entry);
            continue;
        }
        const std::string& strId = entry.m_header.m_strExecId;
        if (strId.empty()) {
            vecRuns.emplace_back().m_vecPieces.push_back(entry);
            continue;
        }
        const auto [it, bNew] = mapRuns.emplace(std::pair(entry.m_header.m_strHost, strId),
                                                vecRuns.size());
        if (bNew) vecRuns.emplace_back();
        vecRuns[it->second].m_vecPieces.push_back(entry);
    }
    for (const companion::CDataFileEntry* pOpen : vecOpen) {
        const auto it = mapRuns.find({pOpen->m_header.m_strHost, pOpen->m_header.m_strExecId});
        if (it != mapRuns.end() && !pOpen->m_header.m_strExecId.empty()) {
            vecRuns[it->second].m_vecOpenPieces.push_back(pOpen->m_strName);
        }
    }
    for (CRunEntry& run : vecRuns) {
        std::stable_sort(run.m_vecPieces.begin(), run.m_vecPieces.end(),
                         [](const companion::CDataFileEntry& a, const companion::CDataFileEntry& b) {
                             return a.m_header.m_nBranch != b.m_header.m_nBranch
                                        ? a.m_header.m_nBranch < b.m_header.m_nBranch
                                        : a.m_header.m_tStart < b.m_header.m_tStart;
                         });
    }
    return vecRuns;
}

std::vector<std::string> RunRowTexts(int nNo, const CRunEntry& run) {
    const CDataFileHeader& first = run.First();
    std::string strNote;
    if (!run.m_vecOpenPieces.empty()) {
        strNote = "収集中（書き込み中の " + std::to_string(run.m_vecOpenPieces.size()) +
                  " ファイルは変換しません）";
    }
    return {std::to_string(nNo),
            first.m_strExecId,
            first.m_strGroup,
            first.m_strHost,
            std::to_string(run.m_vecPieces.size()),
            companion::StartTimeText(first.m_tStart),
            companion::SizeText(run.TotalSize()),
            first.m_strComment,
            strNote};
}

void FillRunList(const std::vector<CRunEntry>& vecRuns, CSortedListModel& list) {
    list.DeleteAllRows();
    for (std::size_t i = 0; i < vecRuns.size(); ++i) {
        const int nRow = list.AppendRow(RunRowTexts(static_cast<int>(i), vecRuns[i]));
        list.SetRowData(nRow, static_cast<int>(i));
    }
    list.SortBy(kRunColumnHost, true);
    list.SortBy(kRunColumnGroup, true);
    list.SortBy(kRunColumnStart, false);
}

std::string CsvNameOfRun(const CRunEntry& run) {
    return companion::WithExtension(run.m_vecPieces.front().m_strName, ".csv");
}

}  // namespace convert
