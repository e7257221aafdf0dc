// Convert's list of collections: the finished data files of the data directory, the pieces of a
// split run gathered into one row.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "data_files.h"
#include "list/sorted_list_model.h"

namespace convert {

// The columns of Convert's list.
inline constexpr const char* kRunListLayout =
    "NO,34;実行ID,60;グループID,70;ホスト名,70;ファイル,55;開始時間,170;サイズ,60;コメント,90;"
    "備考,265";
inline constexpr int kRunColumnHost = 3;
inline constexpr int kRunColumnGroup = 2;
inline constexpr int kRunColumnStart = 5;

// One collection: its finished pieces in branch order, and the names of pieces of the same run
// that are still being written.
struct CRunEntry {
    std::vector<companion::CDataFileEntry> m_vecPieces;
    std::vector<std::string> m_vecOpenPieces;

    const CDataFileHeader& First() const { return m_vecPieces.front().m_header; }
    std::uint64_t TotalSize() const;
};

// The runs of the entries, in the order of their first pieces' names: finished files with the
// same host and execution ID form one run (pieces in branch order, then start time); a file
// without execution ID (the oldest format) is a run of its own. Files still being written join
// the run they belong to as open pieces; a run with no finished piece is not listed.
std::vector<CRunEntry> GroupRuns(const std::vector<companion::CDataFileEntry>& vecEntries);

// The texts of a run's row; nNo is its place in the run list.
std::vector<std::string> RunRowTexts(int nNo, const CRunEntry& run);

// Empties the list and fills it with one row per run (the row's data is its place in vecRuns),
// sorted by host and group, newest start first.
void FillRunList(const std::vector<CRunEntry>& vecRuns, CSortedListModel& list);

// The CSV file's name for a run: its first piece's name with ".csv".
std::string CsvNameOfRun(const CRunEntry& run);

}  // namespace convert
