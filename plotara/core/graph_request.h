// Turning the selected rows, the counter and the time-axis choice into a graph request.
#pragma once
#include <string>
#include <vector>

#include "data_catalogue.h"
#include "graph_param.h"
#include "list/sorted_list_model.h"

namespace plotara {

// The rules a multi-row selection must meet, rows given in list order: every row has the first
// row's execution ID and it is not empty, every row has a host name and the same one. The text of
// the first rule broken, or empty when they hold (always for one row or none).
std::string CheckSelection(const CSortedListModel& list, const std::vector<int>& arrRows);

// The full path Graph gets for a catalogue file: the data directory (which ends with its
// separator) followed by the separator once more and the name, so the separator stands twice.
std::string GraphFilePath(const std::string& strDataDir, const std::string& strFile);

// A request to hand to Graph, or the reason it was refused.
struct SGraphRequest {
    std::string m_strRefusal;  // the warning to show; empty when the request stands
    CGraphParam m_param;
    bool Ok() const { return m_strRefusal.empty(); }
};

// Builds the request for the selected rows (list order), the chosen counter entry (0 to 7;
// anything else counts as entry 0, which the list starts with) and the time-axis choice.
// No row: refused. One row: that file, branch 1, no execution ID. Several rows: the selection
// rules first, then each file with its row's execution ID and branch number, which orders them
// by branch. The host is the first selected row's.
SGraphRequest BuildGraphRequest(const CSortedListModel& list, const CDataCatalogue& catalogue,
                                const std::vector<int>& arrRows, int nCounter, bool bTimeOnly);

}  // namespace plotara
