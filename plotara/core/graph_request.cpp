// The selection rules and the graph request built from the selected catalogue rows.
#include "graph_request.h"

#include "list/leading_decimal.h"
#include "platform/files.h"
#include "plotara_texts.h"

namespace plotara {

std::string CheckSelection(const CSortedListModel& list, const std::vector<int>& arrRows) {
    if (arrRows.size() <= 1) return {};
    const std::string& strFirstExecId = list.GetText(arrRows.front(), kColumnExecId);
    const std::string* pPreviousHost = nullptr;
    for (int nRow : arrRows) {
        const std::string& strExecId = list.GetText(nRow, kColumnExecId);
        if (strExecId.empty() || strExecId != strFirstExecId)
            return std::string(kTextScheduleMismatch);
        const std::string& strHost = list.GetText(nRow, kColumnHost);
        if (strHost.empty()) return std::string(kTextHostUnknown);
        if (pPreviousHost != nullptr && strHost != *pPreviousHost)
            return std::string(kTextHostMismatch);
        pPreviousHost = &strHost;
    }
    return {};
}

std::string GraphFilePath(const std::string& strDataDir, const std::string& strFile) {
    // The directory's own trailing separator is repeated, whichever the platform uses.
    const char cSeparator =
        !strDataDir.empty() && (strDataDir.back() == '\\' || strDataDir.back() == '/')
            ? strDataDir.back()
            : platform::kPathSeparator;
    return strDataDir + cSeparator + strFile;
}

SGraphRequest BuildGraphRequest(const CSortedListModel& list, const CDataCatalogue& catalogue,
                                const std::vector<int>& arrRows, int nCounter, bool bTimeOnly) {
    SGraphRequest request;
    CGraphParam& param = request.m_param;
    if (nCounter < 0 || static_cast<std::size_t>(nCounter) >= kCounterNames.size()) nCounter = 0;
    param.m_nCounter = nCounter;
    param.m_strCounter = std::string(kCounterNames[static_cast<std::size_t>(nCounter)]);
    param.m_bShowDate = bTimeOnly ? 0 : 1;

    if (arrRows.empty()) {
        request.m_strRefusal = std::string(kTextNoSelection);
        return request;
    }
    const auto pathOf = [&](int nRow) {
        return GraphFilePath(catalogue.DataDirectory(),
                             catalogue.FileOfRow(list.GetRowData(nRow)));
    };
    if (arrRows.size() == 1) {
        param.m_files.Add(CGraphFileItem{std::string(), 1, pathOf(arrRows.front())});
    } else {
        request.m_strRefusal = CheckSelection(list, arrRows);
        if (!request.Ok()) return request;
        for (int nRow : arrRows) {
            param.m_files.Add(CGraphFileItem{list.GetText(nRow, kColumnExecId),
                                             ParseLeadingDecimal(list.GetText(nRow, kColumnBranch)),
                                             pathOf(nRow)});
        }
    }
    param.m_strHost = list.GetText(arrRows.front(), kColumnHost);
    return request;
}

}  // namespace plotara
