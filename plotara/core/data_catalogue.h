// The data file catalogue: the finished data files of the data directory, one list row each.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "datafile/data_file_header.h"
#include "list/sorted_list_model.h"
#include "platform/files.h"

namespace plotara {

// "CPU %d", "MEM %d" and "DSK %d" joined by single spaces; a threshold of -1 leaves its part
// empty and keeps the spaces ("CPU 80  DSK 50", and two spaces for none at all).
std::string ThresholdText(int nCpu, int nMem, int nDisk);

// The eight texts of a file's row, in column order; nNo is its place in the catalogue.
std::vector<std::string> CatalogueRowTexts(int nNo, const CDataFileHeader& header);

// The names a directory search found that the catalogue takes, in the search's order:
// not directories, not hidden, not empty.
std::vector<std::string> CatalogueNames(std::vector<platform::FoundFile> found);

// The file names of the listed data files, in the order their rows were added: a row's NO is
// its file's place here. Built once when Plotara opens.
class CDataCatalogue {
public:
    // Reads a file's header; false when the file is not a data file or cannot be read.
    using HeaderReader = std::function<bool(const std::string& strPath, CDataFileHeader& header)>;

    // Headers are read with CDataFileHeader::Read unless another reader is given.
    explicit CDataCatalogue(HeaderReader fnReadHeader = {});

    // The directory searched by FillCatalogue; it ends with a separator (FindDataDirectory).
    void SetDataDirectory(std::string strDataDir) { m_strDataDir = std::move(strDataDir); }
    const std::string& DataDirectory() const { return m_strDataDir; }

    // Empties list and catalogue, lists "VARN_*.var" of the data directory, reads every header,
    // drops the files that are not data files (or vanished, or were cut short meanwhile) and
    // adds one row per data file with NO = its place in the catalogue (also the row's integer).
    // Then sorts by host name, group and start time, the last one descending, so the newest
    // start comes first and the header arrow stands on the start time. True when at least one
    // name was found; a missing or unreadable directory gives an empty list and false.
    bool FillCatalogue(CSortedListModel& list);

    // The file name (without directory) of catalogue entry nNo; empty when there is none.
    const std::string& FileOfRow(int nNo) const;
    const std::vector<std::string>& Files() const { return m_arrFiles; }

private:
    HeaderReader m_fnReadHeader;
    std::string m_strDataDir;
    std::vector<std::string> m_arrFiles;
};

}  // namespace plotara
